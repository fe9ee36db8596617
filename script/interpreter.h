#pragma once

#include <string_view>

namespace platform {
class TextLines;
}

namespace script {

struct Workshop;

// Deepest nesting of `inclure`/`faire`: a file that includes itself stops
// here instead of exhausting the stack.
inline constexpr int kMaxScriptNesting = 64;

// Executes the lines of a stream from its current position, one statement a
// line. With a start label, nothing runs before that label's line; the label
// is case-folded here.
void ExecuteScript(Workshop& w, platform::TextLines& stream, std::string_view startLabel = {});

// Executes text whose statements are separated by ';' (the command line).
// Quotes do not protect a ';' here.
void ExecuteScript(Workshop& w, std::string_view text, std::string_view startLabel = {});

// Runs a script file (Windows-1252 or UTF-8), from the start label if one is
// given. Sets the return value to 1 first; false when the path is empty, the
// file cannot be read as a regular file, or the nesting is too deep.
bool RunScriptFile(Workshop& w, std::string_view path, std::string_view startLabel = {});

}  // namespace script
