#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "script/interpreter_state.h"

namespace script {

struct Context;

// The moments the system script is told about, each run from its label.
enum class ScriptEvent {
  Start,  // "onstart": the main window exists
  Quit,   // "onquit": the user quits
  Open,   // "onopen <name>": a map opened in the editor
  Save,   // "onsave <name>": a map saved from the editor
};

struct EventOutcome {
  bool ran = false;  // the system script could be read
  StopFlag stopFlag = StopFlag::Running;
  int32_t returnValue = 1;

  // After "onstart": `quitte`, or a return value of 0, closes the program.
  bool closesProgram() const { return stopFlag == StopFlag::CloseProgram || returnValue == 0; }
  // After "onquit" or "onopen": a return value of 0 refuses.
  bool refused() const { return returnValue == 0; }
};

// The label of an event; the map events name the element.
std::string EventLabel(ScriptEvent event, std::string_view elementName = {});

// Runs the system script (`script`) from the event's label. A missing label
// runs nothing; a missing script changes nothing, whatever an earlier run left
// in the stop flag.
EventOutcome RunScriptEvent(Context& context, ScriptEvent event, std::string_view elementName = {});

// A procedure chosen in the Procédures menu: the system script from the label
// whose text is the item's text.
bool RunProcedure(Context& context, std::string_view itemText);

}  // namespace script
