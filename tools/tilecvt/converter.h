#pragma once

#include <span>
#include <string>
#include <string_view>

#include "tools/tilecvt/console.h"

namespace tilecvt {

// The whole tool: reads the options from `arguments` (the program name
// excluded), converts every file named after them and returns the exit
// status (0 after a complete run, 1 after the usage text, an error or an
// output that could not be written).
int RunTilecvt(std::span<const std::string> arguments, std::string_view programName,
               Console& console);

}  // namespace tilecvt
