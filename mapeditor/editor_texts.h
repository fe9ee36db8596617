#pragma once

#include <string>
#include <string_view>

// The map editor's messages, captions and status texts, as the user reads
// them.
namespace mapeditor::texts {

inline constexpr std::string_view kTitle = "%s - Editeur de maps";
inline constexpr std::string_view kTitleModified = "%s* - Editeur de maps";

inline constexpr std::string_view kBadTileSize =
    "Le format de votre map n'est pas utilisable sous l'éditeur; la largeur et la hauteur "
    "doivent être une de ces valeurs:\n8, 16, 32, 64.\nDésolé, mais vous ne pourrez pas ouvrir "
    "ce fichier ici.";
inline constexpr std::string_view kBadTileSizeCaption = "Mince!";
inline constexpr std::string_view kBackgroundLimit = "La limite du nombre de fonds est atteinte!";
inline constexpr std::string_view kListFull =
    "Trop d'éléments, veuillez allonger la liste dans les options";
inline constexpr std::string_view kSaveQuestion =
    "Voulez-vous enregistrer les modifications apportées à %s?";
inline constexpr std::string_view kSelectionTooLarge = "Sélection trop grosse pour être copiée";
inline constexpr std::string_view kNotEnoughInformation =
    "Les informations fournies sont insuffisantes.";
inline constexpr std::string_view kCopyTooLarge =
    "La taille de la copie est limitée à 1024x1024...";
inline constexpr std::string_view kCopyTooLargeCaption = "Faut pas exagérer quand-même! ^^";
inline constexpr std::string_view kNoMemoryForMove =
    "Impossible d'allouer la mémoire nécessaire pour le traitement...";
inline constexpr std::string_view kParallaxQuestion =
    "Les valeurs de défilement parallaxe ne devraient pas être supérieures à 100%, au lieu par "
    "exemple de mettre 200% pour le plan A et 100% pour le plan B, mettez 100% pour le plan A et "
    "50% pour le plan B...\nToutefois, Tessel Works peut le faire pour vous. Est-ce ce que vous "
    "désirez?";
inline constexpr std::string_view kReferenceTooLarge =
    "Le numéro de motif choisi est plus grand ou égal au nombre total de motifs...";
inline constexpr std::string_view kMapTooLarge =
    "Vous n'exagéreriez pas un peu sur les dimensions là non? Si vous aviez des téraoctets de "
    "mémoire vive ça irait mais là je doute que ce soit le cas! :p";
inline constexpr std::string_view kBlocksNotMultipleOf8 =
    "Les dimensions des blocs doivent être multiple de 8 pour passer sur la GBA! ;-)";
inline constexpr std::string_view kBlocksOutOfRange =
    "La taille entrée est trop petite ou trop grande, à vous de voir.\n8<=Taille(x;y)<=64";
inline constexpr std::string_view kBlocksNotEditable =
    "Pour passer correctement sous l'éditeur, la largeur et la hauteur doivent être une de ces "
    "valeurs:\n8, 16, 32, 64.\nSi cette règle n'est pas respectée, l'éditeur intégré refusera "
    "d'ouvrir votre fichier, mais le résultat sera tout de même utilisable sur GBA (et encore, ça "
    "dépend de la taille de la map).\nÊtes-vous sûr(e) de vouloir utiliser ce format?";
inline constexpr std::string_view kBlocksGrow =
    "D'une manière générale, si vous convertissez les tiles à un format plus grand que "
    "l'original, le résultat sera faux, car les tiles n'ont pas été à la base arrangées pour (ou "
    "bien elles ont été optimisées).\nÊtes-vous sûr(e) de vouloir utiliser ce format?";
inline constexpr std::string_view kNoMemoryForUnits = "Mémoire insuffisante...";
inline constexpr std::string_view kNoMemoryForCells = "Mémoire insuffisante";
inline constexpr std::string_view kNoObjectFields =
    "Vous devez d'abord définir des propriétés pour l'objet avant de pouvoir les éditer!";

// Asked before a change would silently lose cells (both can be undone).
inline constexpr std::string_view kShrinkQuestion =
    "La nouvelle taille supprime %i case(s) non vide(s) de la map.\nVoulez-vous continuer?";
inline constexpr std::string_view kBlockFormatLossQuestion =
    "%i case(s) de la map ne peuvent pas être converties (bits de miroir ou de palette, ou motif "
    "hors du jeu de motifs) et deviendront le motif 0.\nVoulez-vous continuer?";

inline constexpr std::string_view kCaptionError = "Erreur";
inline constexpr std::string_view kCaptionOops = "Oups...";
inline constexpr std::string_view kCaptionQuestion = "Question";
inline constexpr std::string_view kCaptionArgh = "Argh!";

inline constexpr std::string_view kWelcome = "Bienvenue!";
inline constexpr std::string_view kMapOpened = "Map ouverte: %s";
inline constexpr std::string_view kListOpened = "Liste ouverte: %s";
inline constexpr std::string_view kMapSaved = "Map sauvée: %s";
inline constexpr std::string_view kListSaved = "Liste sauvée: %s";
inline constexpr std::string_view kPattern = "Motif: %i (%04x)";
inline constexpr std::string_view kSnapGrid = "Grille crampon: %ix%i";
inline constexpr std::string_view kZoom = "Zoom: %i%%";
inline constexpr std::string_view kSettingsNotWritten = "Paramètres non sauvés: %s";

// The texts above with one "%s" replaced.
std::string WithText(std::string_view format, std::string_view text);
// The label of an object field in "Paramètres de l'objet": the text between
// "<" and ">" of its description when it has both, else the whole
// description.
std::string ObjectFieldLabel(std::string_view description);

// The texts above with one "%i" replaced.
std::string WithNumber(std::string_view format, long long number);

}  // namespace mapeditor::texts
