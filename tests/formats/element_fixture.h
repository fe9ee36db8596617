#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "convert/gba_modes.h"
#include "formats/element_files.h"
#include "formats/format_library.h"
#include "platform/recording_platform.h"
#include "project/entry_record.h"
#include "test_support/temp_dir.h"

namespace formatstest {

inline constexpr int kMode4 = 0;
inline constexpr int kMode8 = 1;
inline constexpr int kMode15 = 2;
inline constexpr int kMode32 = 3;

inline const convert::ColourMode& Mode(int index) {
  return convert::kGbaColourModes[static_cast<size_t>(index)];
}

// A format library, recorded dialogs and a temporary directory; elements are
// written there with the built-in format unless a test defines another.
class ElementFiles : public ::testing::Test {
 protected:
  formats::ElementContext context() {
    formats::ElementContext c{lib, dialogs};
    c.colourModes = convert::kGbaColourModes;
    c.defaultColourMode = convert::kGbaDefaultColourMode;
    c.currentColourMode = convert::kGbaDefaultColourMode;
    c.lastTilesetBlocks = &lastTilesetBlocks;
    return c;
  }

  // An element whose file lies in the temporary directory.
  project::EntryRecord entry(std::string_view fileName, std::string_view name,
                             std::string_view baseFile = {}) {
    project::EntryRecord e;
    e.file = dir.file(fileName);
    e.name = std::string(name);
    e.baseFile = baseFile.empty() ? std::string(fileName) : std::string(baseFile);
    return e;
  }

  std::string read(const project::EntryRecord& e) { return testsupport::ReadFile(e.file); }

  // Defines a format from definition text (the lines after "defformat name {").
  void define(std::string_view name, std::string_view lines);

  std::vector<std::string> messages() const { return dialogs.texts(); }

  testsupport::TempDir dir;
  formats::FormatLibrary lib;
  platform::RecordingDialogs dialogs;
  int32_t lastTilesetBlocks = 0;
};

}  // namespace formatstest
