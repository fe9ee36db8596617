#include "script/script_prompt.h"

#include "platform/text_encoding.h"
#include "platform/text_lines.h"
#include "script/interpreter.h"
#include "script/context.h"

namespace script {

const std::string& ScriptPromptText(const Context& context) {
  return context.interpreter.promptText;
}

void RunScriptPrompt(Context& context, std::string_view text) {
  context.interpreter.promptText = platform::Utf8Prefix(text, kMaxPromptChars);
  std::string stream;
  stream.reserve(context.interpreter.promptText.size() + 10);
  for (char c : context.interpreter.promptText)
    if (c != '\r') stream += c;
  stream += "\nFin\n\n\n\n";
  platform::TextLines lines(std::move(stream));
  ExecuteScript(context, lines);
}

}  // namespace script
