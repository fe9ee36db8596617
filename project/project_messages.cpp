#include "project/project_messages.h"
#include "platform/message_text.h"

namespace project {

std::string FillIn(std::string_view text, std::string_view argument) {
  return platform::FillInText(text, {argument});
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
