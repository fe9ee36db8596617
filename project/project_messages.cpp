#include "project/project_messages.h"

namespace project {

std::string FillIn(std::string_view text, std::string_view argument) {
  std::string out(text);
  size_t at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, argument);
  return out;
}

void Show(platform::UserDialogs& dialogs, const Prompt& prompt, std::string_view argument) {
  dialogs.message(FillIn(prompt.text, argument), prompt.caption, prompt.icon);
}

platform::Answer Ask(platform::UserDialogs& dialogs, const Prompt& prompt,
                     std::string_view argument) {
  return dialogs.question(FillIn(prompt.text, argument), prompt.caption, prompt.buttons,
                          prompt.defaultAnswer, prompt.icon);
}

}  // namespace project
