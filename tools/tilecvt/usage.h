#pragma once

#include <string>
#include <string_view>

namespace tilecvt {

// The usage text, printed to the error stream after a bad command line.
std::string UsageText(std::string_view programName);

}  // namespace tilecvt
