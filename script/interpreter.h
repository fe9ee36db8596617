#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {
class TextLines;
}

namespace script {

struct Context;

// Deepest nesting of `inclure`/`faire`: a file that includes itself stops
// here instead of exhausting the stack.
inline constexpr int kMaxScriptNesting = 64;

// Executes the lines of a stream from its current position, one statement a
// line. With a start label, nothing runs before that label's line; the label
// is case-folded here.
void ExecuteScript(Context& context, platform::TextLines& stream, std::string_view startLabel = {});

// Executes text whose statements are separated by ';' (the command line).
// Quotes do not protect a ';' here.
void ExecuteScript(Context& context, std::string_view text, std::string_view startLabel = {});

// The text of a script file (Windows-1252 or UTF-8) as UTF-8, or nothing when
// the path names no regular file that can be read: a device or a pipe could
// block or never end.
std::optional<std::string> ReadScriptText(std::string_view path);

// Runs a script file (Windows-1252 or UTF-8), from the start label if one is
// given. Sets the return value to 1 first; false when the path is empty, the
// file cannot be read as a regular file, or the nesting is too deep.
bool RunScriptFile(Context& context, std::string_view path, std::string_view startLabel = {});

}  // namespace script
