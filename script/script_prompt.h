#pragma once

#include <string>
#include <string_view>

namespace script {

struct Context;

// The script prompt ("Exécuter (script)") takes at most this many characters.
inline constexpr size_t kMaxPromptChars = 10000;

// The text the prompt shows when it opens: what was run last time.
const std::string& ScriptPromptText(const Context& context);

// Runs the prompt's text: it is remembered, then executed as a stream (so
// definitions that read the following lines work), without its carriage
// returns and followed by a `Fin` line.
void RunScriptPrompt(Context& context, std::string_view text);

}  // namespace script
