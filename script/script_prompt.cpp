#include "script/script_prompt.h"

#include "platform/text_encoding.h"
#include "platform/text_lines.h"
#include "script/interpreter.h"
#include "script/workshop.h"

namespace script {

const std::string& ScriptPromptText(const Workshop& w) { return w.interpreter.promptText; }

void RunScriptPrompt(Workshop& w, std::string_view text) {
  w.interpreter.promptText = platform::Utf8Prefix(text, kMaxPromptChars);
  std::string stream;
  stream.reserve(w.interpreter.promptText.size() + 10);
  for (char c : w.interpreter.promptText)
    if (c != '\r') stream += c;
  stream += "\nFin\n\n\n\n";
  platform::TextLines lines(std::move(stream));
  ExecuteScript(w, lines);
}

}  // namespace script
