#pragma once

#include <string_view>

#include "platform/dialogs.h"

namespace formats {

// The engine's diagnostics: informational boxes captioned "Débogage" with an
// OK button and no icon. None of them stops the current operation.
inline constexpr std::string_view kDebugCaption = "Débogage";

inline void ShowDebugMessage(platform::UserDialogs& dialogs, std::string_view text) {
  dialogs.message(text, kDebugCaption, platform::Icon::None);
}

}  // namespace formats
