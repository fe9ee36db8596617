#include "script/script_events.h"

#include "script/interpreter.h"
#include "script/workshop.h"

namespace script {

std::string EventLabel(ScriptEvent event, std::string_view elementName) {
  switch (event) {
    case ScriptEvent::Start:
      return "onstart";
    case ScriptEvent::Quit:
      return "onquit";
    case ScriptEvent::Open:
      return "onopen " + std::string(elementName);
    case ScriptEvent::Save:
      return "onsave " + std::string(elementName);
  }
  return {};
}

EventOutcome RunScriptEvent(Workshop& w, ScriptEvent event, std::string_view elementName) {
  EventOutcome out;
  out.ran = RunScriptFile(w, w.paths.scriptPath, EventLabel(event, elementName));
  if (out.ran) out.stopFlag = w.interpreter.stopFlag;
  out.returnValue = w.interpreter.returnValue;
  return out;
}

bool RunProcedure(Workshop& w, std::string_view itemText) {
  return RunScriptFile(w, w.paths.scriptPath, itemText);
}

}  // namespace script
