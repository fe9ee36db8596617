#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace platform {

// A message text with its "%s" and "%i" places filled, in order, by the
// arguments (already written as text). Places without an argument stay as
// they are.
std::string FillInText(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace platform
