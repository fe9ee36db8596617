#pragma once

#include <string_view>

// The messages of the element files, word for word as users know them.
namespace formats::element_text {

inline constexpr std::string_view kWriteFailed =
    "Impossible d'ouvrir le fichier en écriture.\nLe nom est probablement "
    "faux.";
inline constexpr std::string_view kWriteFailedGraphics =
    "Impossible d'ouvrir le fichier en écriture.\nLe nom est probablement faux "
    "ou vous n'avez pas "
    "les autorisations d'accès dans ce répertoire (seriez-vous à l'école?).";

inline constexpr std::string_view kTilesetMissing = "Le fichier tileset spécifié n'existe pas";
inline constexpr std::string_view kPaletteMissing = "Le fichier palette spécifié n'existe pas.";
inline constexpr std::string_view kMapMissing = "Le fichier map spécifié n'existe pas";
inline constexpr std::string_view kBitmapMissing = "Le fichier bitmap spécifié n'existe pas";

inline constexpr std::string_view kTooManyTiles =
    "Le nombre de tiles est supérieur à la mémoire. Le format serait-il faux?";
// Followed by the model's name.
inline constexpr std::string_view kUnknownModel =
    "Impossible de spécifier le modèle de paramètres spécifié: ";
inline constexpr std::string_view kListTooLong =
    "Impossible de charger la liste car elle contient plus d'éléments "
    "qu'alloués. Modifiez le "
    "nombre maximal d'éléments par liste dans les options.";
inline constexpr std::string_view kListRecovery =
    "Le format de la liste est incorrect, un algorithme plus souple et "
    "déductif va être tentée pour "
    "pouvoir récupérer le fichier malgré d'éventuels changements dans le "
    "modèle de paramètres. "
    "Cette opération peut échouer, vous devriez donc vérifier si la liste "
    "d'objets est bien "
    "correcte et ne l'enregistrer que si c'est le cas.";

// The header announces more values than a file can hold (a message of the
// format engine, shown under its caption).
inline constexpr std::string_view kFormatMismatch =
    "Le format du fichier ne correspond pas avec celui attendu.";

inline constexpr std::string_view kErrorCaption = "Erreur";
inline constexpr std::string_view kWarningCaption = "Attention";
inline constexpr std::string_view kInternalErrorCaption = "Erreur interne";
inline constexpr std::string_view kInternalErrorPrefix =
    "Une erreur s'est produite car la condition suivante est fausse: ";

}  // namespace formats::element_text
