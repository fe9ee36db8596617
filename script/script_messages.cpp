#include "script/script_messages.h"
#include "platform/message_text.h"

#include "script/context.h"

namespace script {

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args) {
  return platform::FillInText(pattern, args);
}

void ReportScriptError(Context& context, std::string_view message) {
  context.services.dialogs.message(message, text::kErrorCaption, platform::Icon::Error);
}

}  // namespace script
