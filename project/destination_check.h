#pragma once

#include <span>
#include <string>
#include <string_view>

namespace platform {
class UserDialogs;
}

// Files a creation page is about to write, checked before anything is
// written: a conversion that fails half-way through would otherwise leave a
// tileset overwritten and its palette not.
namespace project {

inline constexpr std::string_view kDestinationCaption = "Oups...";
inline constexpr std::string_view kDestinationEmpty =
    "Veuillez entrer un nom de fichier pour chaque destination.";
inline constexpr std::string_view kDestinationDuplicate =
    "Deux destinations désignent le même fichier: %s";
inline constexpr std::string_view kDestinationExistsCaption = "Question";
inline constexpr std::string_view kDestinationExists =
    "Le fichier %s existe déjà.\nVoulez-vous le remplacer?";

struct Destination {
  std::string file;  // as typed
  // An existing element chosen to receive the result writes its own file:
  // the typed name is then not used and not checked.
  bool replacedByExisting = false;
};

// Refuses an empty destination or two destinations naming the same file, and
// asks (Yes/No, No by default) before replacing a file that already exists.
// False: the caller stops, nothing written.
bool CheckDestinations(std::span<const Destination> destinations, platform::UserDialogs& dialogs);

}  // namespace project
