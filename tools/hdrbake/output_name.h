#pragma once

#include <string>
#include <string_view>

namespace hdrbake {

// The header name used when none is given: the input name cut at the first "."
// of its file name, followed by ".h" ("gfx\ball.pcx" gives "gfx\ball.h").
std::string DefaultOutputName(std::string_view inputName);

// The identifier prefix of the header's names: the output file name after its
// last "\" or "/", up to its first ".", letters kept as they are.
std::string HeaderPrefix(std::string_view outputName);

}  // namespace hdrbake
