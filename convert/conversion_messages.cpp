#include "convert/conversion_messages.h"

#include <string>

#include "platform/dialogs.h"

namespace convert {

void ShowInternalError(platform::UserDialogs& dialogs, std::string_view condition) {
  std::string text(kInternalErrorText);
  text += condition;
  dialogs.message(text, kInternalErrorCaption, platform::Icon::Error);
}

}  // namespace convert
