#include "formats/definition_name.h"

#include "platform/dialogs.h"
#include "platform/value_syntax.h"

namespace formats {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

bool ReadDefinitionName(std::string_view argument, bool escaped, std::string& name,
                        platform::UserDialogs& dialogs) {
  std::string_view a = Trim(argument);
  auto quoted = escaped ? platform::ParseStringEscaped(a, "\n") : platform::ParseString(a);
  if (quoted) {
    name = *quoted;
    return true;
  }
  size_t brace = a.find('{');
  if (brace == std::string_view::npos) {
    dialogs.message("Vous avez oublié le { d'ouverture du format (sur la même ligne).",
                    kScriptErrorCaption, platform::Icon::Error);
    return false;
  }
  name = Trim(a.substr(0, brace));
  return true;
}

}  // namespace formats
