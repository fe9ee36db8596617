// Random text executed as a script: from a stream, as ';'-separated text and
// through the prompt. Message boxes are recorded and answered from the input;
// programs are never started and no file is written or deleted. Each input
// runs in an empty scratch directory so relative names reach nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/recording_platform.h"
#include "platform/text_encoding.h"
#include "platform/text_lines.h"
#include "app/entry_makers.h"
#include "script/identifier_lookup.h"
#include "script/interpreter.h"
#include "script/script_prompt.h"
#include "mapeditor/settings_file_name.h"
#include "app/workshop.h"
#include "tests/fuzz/fuzz_scratch.h"

namespace {

// Records nothing, deletes nothing, starts nothing.
class InertShell : public platform::Shell {
 public:
  bool openDocument(const std::string&) override { return false; }
  bool startProgram(const std::string&) override { return false; }
  bool deleteFile(const std::string&) override { return false; }
  bool editTextFile(const std::string&) override { return false; }
};

struct FuzzStore {
  int32_t integer = 0;
  std::string text;
  double real = 0;
  int32_t integers[4] = {};
  std::string texts[2];
};

FuzzStore& Store() {
  static FuzzStore store;
  return store;
}

using app::Workshop;
using script::EntryKind;

constexpr script::ArrayDesc kIntegers{
    4, EntryKind::Integer, [](script::Context&, int i) -> int32_t& { return Store().integers[i]; },
    nullptr, nullptr};
constexpr script::ArrayDesc kTexts{
    2, EntryKind::Text, nullptr,
    [](script::Context&, int i) -> std::string& { return Store().texts[i]; }, nullptr};
constexpr script::Entry kObjectRows[] = {
    app::Named("n", app::IntegerEntry<[](Workshop&) -> int32_t& { return Store().integer; }>()),
    app::Named("t", app::TextEntry<[](Workshop&) -> std::string& { return Store().text; }>()),
    app::Named("r", app::RealEntry<[](Workshop&) -> double& { return Store().real; }>()),
    app::Named("a", app::ArrayEntry(&kIntegers)),
    app::Named("s", app::ArrayEntry(&kTexts)),
};
constexpr script::ObjectTable kObject{kObjectRows};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzztest::InsideForOneInput scratch(fuzztest::Directory("tessel-script-fuzz"));
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string text = platform::DecodeTextFile(bytes);

  platform::RecordingDialogs dialogs;
  InertShell shell;
  platform::FixedMachine machine;
  Workshop w{platform::Services{dialogs, shell, machine}};
  script::RegisterIdentifier(w, "o", app::ObjectEntry(&kObject));
  script::RegisterIdentifier(w, "v", app::ArrayEntry(&kTexts));
  // The first bytes decide which message boxes are cancelled.
  for (size_t i = 0; i < size && i < 16; ++i)
    dialogs.queueAnswer((data[i] & 1) ? platform::Answer::Cancel : platform::Answer::Ok);

  platform::TextLines lines(text);
  script::ExecuteScript(w, lines);
  script::ExecuteScript(w, std::string_view(text), "x");
  script::RunScriptPrompt(w, text);
  (void)mapeditor::SettingsFileName(text);
  return 0;
}
