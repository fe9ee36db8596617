#include "script/script_events.h"

#include "script/interpreter.h"
#include "script/context.h"

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

EventOutcome RunScriptEvent(Context& context, ScriptEvent event, std::string_view elementName) {
  EventOutcome out;
  out.ran = RunScriptFile(context, context.systemScriptPath(), EventLabel(event, elementName));
  if (out.ran) out.stopFlag = context.interpreter.stopFlag;
  out.returnValue = context.interpreter.returnValue;
  return out;
}

bool RunProcedure(Context& context, std::string_view itemText) {
  return RunScriptFile(context, context.systemScriptPath(), itemText);
}

}  // namespace script
