#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "script/identifiers.h"

namespace platform {
class TextLines;
}

namespace script {

class ScriptHost;

// Why a run stops early, with the codes event callers test.
enum class StopFlag : int {
  Running = 0,
  EndScript = 1,     // `fin`, `retour`, a cancelled `msgbox`
  CloseProgram = 2,  // `quitte`
};

// The reader's state, shared by every run, nested runs included: a nested
// file's `fin` or `retour` ends the script that included it because the flag
// is tested after every command.
struct InterpreterState {
  StopFlag stopFlag = StopFlag::Running;
  int32_t returnValue = 1;                 // set by `retour`; 1 when a run starts
  std::optional<std::string> labelSearch;  // the label a `goto` is looking for
  // Where `defformat` reads its block from; null while statements come from text.
  platform::TextLines* currentStream = nullptr;
  int32_t currentIndex = 0;  // index of the last path segment (bracketed number − 1)
  int32_t messages = 0;      // `messages`: whether conversions may ask questions
  bool bitNamesChanged = false;

  // Identifiers other modules add at run time (platform objects). A deque, so
  // the entries and their names stay where lookups found them.
  std::deque<Entry> registered;
  std::deque<std::string> registeredNames;

  int runDepth = 0;  // nested runs in progress

  // A project file may come from anyone: the programs its sections start
  // (`exec`) run only when the user allows them.
  bool inProjectSection = false;         // the project's sections are running
  bool projectMayStartPrograms = false;  // the user's own permission (never the project's)

  ScriptHost* host = nullptr;  // null in batch mode

  std::string promptText;  // what the script prompt shows when it opens again
};

}  // namespace script
