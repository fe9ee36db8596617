#include "script/script_messages.h"

#include "script/workshop.h"

namespace script {

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  auto next = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() &&
        (pattern[i + 1] == 's' || pattern[i + 1] == 'i') && next != args.end()) {
      out += *next++;
      ++i;
      continue;
    }
    out += pattern[i];
  }
  return out;
}

void ReportScriptError(Workshop& w, std::string_view message) {
  w.services.dialogs.message(message, text::kErrorCaption, platform::Icon::Error);
}

}  // namespace script
