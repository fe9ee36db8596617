#pragma once

#include <string_view>

namespace platform {
class UserDialogs;
}

// The texts and captions the conversions show.
namespace convert {

struct MessageText {
  std::string_view text;
  std::string_view caption;
};

inline constexpr MessageText kBitmapFilterQuestion{
    "La bitmap contient plus de couleurs que le nombre demandé.\nUn filtre va lui être appliqué, "
    "cependant ceci peut durer long...",
    "Question"};

inline constexpr MessageText kTileFilterQuestion{
    "La bitmap contient plus de couleurs que le nombre demandé.\nUn filtre va lui être appliqué "
    "(ne vous inquiétez pas ce sera bien mieux qu'avec Paint ;)\nCependant ceci peut durer "
    "long... très long!",
    "Coucou :D"};

inline constexpr MessageText kColoursUnreachable{
    "Impossible de convertir la bitmap car le nombre de couleurs requis ne peut être atteint",
    "Oups..."};

inline constexpr MessageText kTooFewFreeColours{
    "Le nombre de couleurs disponible est trop bas pour cette conversion.", "Erreur fatale"};

inline constexpr MessageText kTooManyTiles{
    "Impossible de convertir car le nombre de mosaïques est beaucoup trop élevé...",
    "Convertisseur de mosaïques"};

inline constexpr MessageText kTooManyTilesPerPalette{"FATAL ERROR: TOO MUCH TILES PER PALETTE!",
                                                     "Débogage"};

inline constexpr MessageText kSourcePaletteMismatch{"BUG: gdipCalcPalette#1", "Débogage"};

inline constexpr std::string_view kUnknownMethodText =
    "Le nom de la méthode de réduction suivante n'a pas été trouvé: %s";

// Internal consistency failures: the condition follows the text.
inline constexpr std::string_view kInternalErrorText =
    "Une erreur s'est produite car la condition suivante est fausse: ";
inline constexpr std::string_view kInternalErrorCaption = "Erreur interne";

// Written to the diagnostic output when a colour fit fails.
inline constexpr std::string_view kFitFailedDiagnostic =
    "Impossible de convertir la bitmap car le nombre de couleurs requis ne peut être atteint\n";

// Shows kInternalErrorText followed by the condition that does not hold.
void ShowInternalError(platform::UserDialogs& dialogs, std::string_view condition);

}  // namespace convert
