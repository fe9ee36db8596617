#pragma once

#include <string_view>
#include "app/language.h"

// The texts of the script objects and commands (the reader's own are in
// script_messages.h).
namespace app::text {

// `bits` (caption: the reader's).
inline constexpr std::string_view kBitNameNeedsBackground =
    "Renommage des bits: Spécifiez un fond (Bits[0].BitActif).";
inline constexpr std::string_view kBitNameOutOfRange =
    "Renommage des bits: le numéro de bit spécifié n'est pas dans la gamme prévue (0 à 31).";
inline constexpr std::string_view kBitActiveNeedsBackground =
    "Activation des bits: Spécifiez un fond (Bits[0].BitActif).";
inline constexpr std::string_view kBitActiveOutOfRange =
    "Activation des bits: le numéro de bit spécifié n'est pas dans la gamme prévue (0 à 31).";

// `conv`: every message in a box with this caption, an OK button and no icon.
inline constexpr std::string_view kConvCaption = "Débogage";
inline constexpr std::string_view kConvUnknownItem = "Identificateur de conversion non-reconnu: %s";
inline constexpr std::string_view kConvPaletteNotFound =
    "Erreur -> TrouveElement(TYPE_PALETTE,chneUPal)";
inline constexpr std::string_view kConvTilesetNotFound =
    "Erreur -> TrouveElement(TYPE_MOSAIQUE,chneUTil)";
inline constexpr std::string_view kConvNegativeMapSize = "Dimensions de la map négatives";
inline constexpr std::string_view kConvTileSize =
    "Erreur sur les dimensions du tileset (multiple de 8 et inférieur à 128)";

// An existing palette or tileset to build on that the current format cannot
// read (the file exists: a missing one is the reader's own message).
inline constexpr std::string_view kExistingPaletteUnreadable =
    "La palette existante (%s) ne peut pas être lue avec le format \"%s\".\nAucune conversion "
    "n'a été faite.";
inline constexpr std::string_view kExistingTilesetUnreadable =
    "Le tileset existant (%s) ne peut pas être lu avec le format \"%s\".\nAucune conversion "
    "n'a été faite.";
inline constexpr std::string_view kExistingUnreadableCaption = "Erreur";

// The import assistant's "Ok!".
inline constexpr std::string_view kColourCountInvalid =
    "Le nombre de couleurs entré n'est pas valide.";
inline constexpr std::string_view kColourCountInvalidCaption = "Oups...";
inline constexpr std::string_view kSizeNotTileMultiple =
    "Les dimensions de la bitmap (hauteur et largeur) devraient être multiples de 8.\nLes bords "
    "seront complétés par la couleur 0...";
inline constexpr std::string_view kSizeNotTileMultipleCaption = "Oups";
inline constexpr std::string_view kMapSizeInvalid =
    "La taille du tableau n'est pas valide: de 1 à 65536 blocs de côté, 16777216 blocs au plus.";
inline constexpr std::string_view kExistingUnreadable =
    "L'élément %s ne peut pas servir à la conversion: son fichier (%s) est vide ou illisible.\n"
    "La conversion n'a pas été faite.";
inline constexpr std::string_view kPathTooLong =
    "Ce chemin dépasse 259 caractères, le maximum que le projet peut retenir; rien n'a été "
    "converti:\n%s";

}  // namespace app::text
