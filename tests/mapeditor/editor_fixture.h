#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "mapeditor/element_store.h"
#include "mapeditor/map_editor.h"
#include "platform/recording_platform.h"
#include "app/workshop.h"
#include "test_support/temp_dir.h"

namespace mapeditortest {

// Elements held in memory, keyed by file: what the readers give and what the
// writers received.
class MemoryStore : public mapeditor::ElementStore {
 public:
  std::map<std::string, mapeditor::LoadedMap> maps;
  std::map<std::string, mapeditor::LoadedList> lists;
  std::map<std::string, std::vector<uint32_t>> writtenCells;
  std::map<std::string, std::vector<uint8_t>> writtenElements;
  std::vector<std::string> writes;  // files in the order they were written
  bool failWrites = false;

  std::optional<mapeditor::LoadedMap> readMap(const project::EntryRecord& map) override;
  std::optional<mapeditor::LoadedList> readList(const project::EntryRecord& list,
                                                int32_t maxElements) override;
  bool writeMap(const project::EntryRecord& map, const project::EntryRecord& tileset,
                const project::EntryRecord& palette,
                const mapeditor::Background& background) override;
  bool writeList(const project::EntryRecord& list, const project::EntryRecord& tileset,
                 const mapeditor::Background& background) override;
  const convert::MapFormat& mapFormat(int32_t index) const override;
  const convert::ColourMode& colourMode(int32_t index) const override;
};

// A tileset of `count` tiles of w × h pixels whose pixel values are
// (tile × 7 + block × 3 + pixel) mod `range`, so every tile, block and
// pixel differs.
mapeditor::LoadedTiles MakeTiles(int count, int tileWidth = 8, int tileHeight = 8,
                                 int colourMode = 0, uint32_t range = 16);
// A map of w × h cells holding `fill`, or 0, 1, 2, ... when fill is negative.
mapeditor::LoadedMap MakeMap(int width, int height, int64_t fill = -1, int tileCount = 64,
                             int tileWidth = 8, int tileHeight = 8);

class EditorFixture : public ::testing::Test {
 protected:
  EditorFixture();
  ~EditorFixture() override;

  // Adds a map (or list) element to the project and its data to the store;
  // returns the element's index.
  int addMapElement(const std::string& name, mapeditor::LoadedMap map);
  int addListElement(const std::string& name, mapeditor::LoadedList list);
  // Opens the editor on a new element with a w × h map.
  void openOn(int width = 16, int height = 16);

  std::vector<std::string> texts() const { return dialogs.texts(); }
  std::vector<std::string> statusTexts() const;

  testsupport::TempDir dir;
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  platform::FixedMachine machine{1ull << 32};
  app::Workshop w{platform::Services{dialogs, shell, machine}};
  MemoryStore store;
  mapeditor::MapEditorShared shared;
  std::unique_ptr<mapeditor::MapEditor> editor;
};

}  // namespace mapeditortest
