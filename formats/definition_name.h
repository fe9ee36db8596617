#pragma once

#include <string>
#include <string_view>

namespace platform {
class UserDialogs;
}

namespace formats {

// The name on the line of `defformat` / `defmodele`: a string, or the text
// before a "{" on the same line with its blanks trimmed. With neither, shows
// "Vous avez oublié le { d'ouverture du format (sur la même ligne)." (caption
// "Erreur d'exécution du script", error icon) and returns false. `escaped`
// reads the string with the definitions' escapes (model names are written
// that way by the project file).
bool ReadDefinitionName(std::string_view argument, bool escaped, std::string& name,
                        platform::UserDialogs& dialogs);

inline constexpr std::string_view kScriptErrorCaption = "Erreur d'exécution du script";

}  // namespace formats
