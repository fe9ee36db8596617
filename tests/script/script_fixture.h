#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/recording_platform.h"
#include "platform/text_lines.h"
#include "script/interpreter.h"
#include "app/workshop.h"
#include "test_support/temp_dir.h"

namespace scripttest {

// What the registered test identifiers write to. Identifier accessors take
// only the workshop, so the storage lives beside them; the fixture resets it.
struct Store {
  int32_t grille = 0;
  int32_t nombre = 0;
  std::string nom;
  double reel = 0;
  int32_t entiers[3] = {};
  std::string textes[12];
  double reels[2] = {};
  std::vector<std::string> traces;  // values passed to `trace`
  std::vector<int32_t> indexes;     // current index seen by `essai.indice`
};
Store& TheStore();

// Registers `essai` (an object with integer, text, real and array members and
// two commands), `tablo` (a top-level array of 3 integers) and `trace` (a
// command that records its value text).
void RegisterTestIdentifiers(app::Workshop& w);

class ScriptFixture : public ::testing::Test {
 protected:
  ScriptFixture();

  // Runs a stream of lines / `;`-separated text.
  void runLines(std::string text, std::string_view startLabel = {});
  void runText(std::string_view text, std::string_view startLabel = {});
  // Writes a file in the temporary directory and returns its path.
  std::string writeScript(std::string_view name, std::string_view bytes);

  const std::vector<std::string>& traces() { return TheStore().traces; }
  std::vector<std::string> messages() { return dialogs.texts(); }

  testsupport::TempDir dir;
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  platform::FixedMachine machine;
  app::Workshop w{platform::Services{dialogs, shell, machine}};
};

}  // namespace scripttest
