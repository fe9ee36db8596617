#include "project/project_messages.h"
#include "platform/message_text.h"

namespace project {

void Show(platform::UserDialogs& dialogs, const Prompt& prompt, std::string_view argument) {
  dialogs.message(platform::FillInText(prompt.text, {argument}), prompt.caption, prompt.icon);
}

platform::Answer Ask(platform::UserDialogs& dialogs, const Prompt& prompt,
                     std::string_view argument) {
  return dialogs.question(platform::FillInText(prompt.text, {argument}), prompt.caption,
                          prompt.buttons, prompt.defaultAnswer, prompt.icon);
}

}  // namespace project
