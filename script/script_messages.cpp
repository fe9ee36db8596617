#include "script/script_messages.h"
#include "platform/message_text.h"

#include "script/workshop.h"

namespace script {

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args) {
  return platform::FillInText(pattern, args);
}

void ReportScriptError(Workshop& w, std::string_view message) {
  w.services.dialogs.message(message, text::kErrorCaption, platform::Icon::Error);
}

}  // namespace script
