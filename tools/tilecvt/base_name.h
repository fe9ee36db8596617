#pragma once

#include <string>
#include <string_view>

namespace tilecvt {

// The name of an input file as its outputs are named: no directory (both "/"
// and "\" separate), no extension, and the characters "#@ &*!£()[]{}^+=-<>?~"
// turned into "_" ("my sprite#1.pcx" gives "my_sprite_1").
std::string MakeBaseName(std::string_view argument);

// Removes any directory part and everything from the last ".".
std::string StripDirectoryAndExtension(std::string_view name);

// The array name for a block: the name without directory and extension, with
// `suffix` ("_Tiles", "_Palette", ...) appended. Characters a C compiler or
// an assembler would not take in a symbol become "_", and a leading digit
// gets a "_" in front, so every output compiles.
std::string ArrayName(std::string_view name, std::string_view suffix);

}  // namespace tilecvt
