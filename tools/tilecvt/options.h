#pragma once

#include <span>
#include <string>
#include <string_view>

#include "tools/tilecvt/report.h"
#include "tools/tilecvt/settings.h"

namespace tilecvt {

struct CommandLine {
  bool proceed = false;  // false: the usage text was printed, exit with 1
  size_t firstFile = 0;  // index into the arguments of the first file name
};

// Reads the options from `arguments` (the program name excluded) into
// `settings`. Options start with "-" or "/" (unless the argument names an
// existing file); the first other argument starts the file list. Warnings about values go to the
// report; a bad option prints its message and the usage text. Running out of file names is the
// caller's business: the banner comes first.
CommandLine ParseOptions(std::span<const std::string> arguments, std::string_view programName,
                         Settings& settings, Report& report);

// Turns "out", "out\" and "out/" into "out/": both separators work here.
std::string NormaliseDirectory(std::string_view value);

}  // namespace tilecvt
