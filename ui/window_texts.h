#pragma once

#include <string_view>

#include "project/project_messages.h"

// Every text, message and question of the main window, its tree and its
// shell services (the Project's own questions are in
// project/project_messages.h).
namespace ui::texts {

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using project::Prompt;

inline constexpr std::string_view kWindowTitle = "Tessel Works 1.00a";
inline constexpr std::string_view kWelcome = "Bienvenue! Sélectionnez un élément...";
inline constexpr std::string_view kPleaseWait = "Veuillez patienter...";
inline constexpr std::string_view kWorking = "Travail en cours. Veuillez patienter...";

// Pages the window shows itself.
inline constexpr std::string_view kPalettesPage =
    "Les palettes sont générées avec les conversions d'images";
inline constexpr std::string_view kInternalError = "Erreur interne!";

// Context menus.
inline constexpr std::string_view kViewCode = "Voir le code";
inline constexpr std::string_view kFileNotFound = "Fichier non-trouvé";
inline constexpr std::string_view kEdit = "Editer";
inline constexpr std::string_view kBaseFile = "Fichier base";
inline constexpr std::string_view kDuplicate = "Dupliquer";
inline constexpr std::string_view kRenameF2 = "Renommer\t   F2";
inline constexpr std::string_view kDeleteDel = "Supprimer\t   Del";
inline constexpr std::string_view kProperties = "Propriétés";
inline constexpr std::string_view kDefaultFolderFor = "Dossier par défaut pour...";
inline constexpr std::string_view kRename = "Renommer";
inline constexpr std::string_view kDelete = "Supprimer";
inline constexpr std::string_view kRestoreDefaultFolder = "Restaurer le dossier par défaut";
inline constexpr std::string_view kRestoreAllFolders = "Restaurer tous les dossiers";
inline constexpr std::string_view kCurrentFolder = "Dossier courant: %1";
inline constexpr std::string_view kFolderOk = "Dossier Ok";

// The script prompt.
inline constexpr std::string_view kPromptTitle = "Exécuter (script)";
inline constexpr std::string_view kPromptLabel = "Entrez la ou les commandes de script à exécuter.";

inline constexpr Prompt kSaveFirst{"Enregistrer le projet d'abord?", "Attention", Icon::Information,
                                   Buttons::YesNoCancel, Answer::Yes};

inline constexpr std::string_view kOpenTitle = "Charger un fichier";
inline constexpr std::string_view kProjectFilterName = "Fichiers projet Tessel Works *.tpj";
inline constexpr std::string_view kProjectFilterPattern = "*.tpj";

inline constexpr Prompt kNotAProject{
    "Le fichier %s n'est pas un fichier de projet Tessel Works.\nLe projet en cours reste "
    "ouvert.",
    "Erreur", Icon::Error};

inline constexpr Prompt kQuitUnsaved{
    "Le projet a été modifié depuis son dernier enregistrement.\nQuitter sans sauver "
    "quand même? Les modifications seront perdues.",
    "Quitter sans sauver", Icon::Warning, Buttons::YesNo, Answer::No};

inline constexpr Prompt kUserHelpMissing{
    "Vous tentez d'accéder au fichier d'aide perso qui n'existe pas.\nCe fichier sert à "
    "mettre des informations à lire pour le projet dans lequel se trouve Tessel Works.\nEn "
    "clair, vous y mettez ce que vous voulez indépendamment de la doc.\nPar défaut, il "
    "s'appelle lisezmoi.htm",
    "", Icon::Information};  // the caption is the file's path

inline constexpr Prompt kDocumentationMissing{
    "La documentation de Tessel Works est introuvable.\nElle est cherchée dans %s", "Documentation",
    Icon::Information};

inline constexpr std::string_view kAboutCaption = "A propos de...";
inline constexpr std::string_view kAboutText =
    "Tessel Works 1.00a\nAtelier graphique pour la Game Boy Advance: images, palettes, "
    "mosaïques, cartes et listes d'objets.";

inline constexpr Prompt kNotADocument{
    "Le fichier %s n'est pas un document ordinaire (dossier, périphérique ou programme): il "
    "n'est pas ouvert.",
    "Attention", Icon::Warning};

inline constexpr Prompt kDroppedPathTooLong{
    "Ce chemin dépasse 259 caractères, le maximum que le projet peut retenir; le fichier n'a "
    "pas été ajouté:\n%s",
    "Erreur", Icon::Error};

inline constexpr Prompt kFileMissing{"Le fichier %s n'existe pas.", "Erreur", Icon::Error};

inline constexpr Prompt kTrashFailed{
    "Le fichier %s n'a pas pu être mis à la corbeille.\nIl n'a pas été supprimé.", "Erreur",
    Icon::Error};

inline constexpr Prompt kOpenFailed{"Le bureau n'a pas pu ouvrir le fichier %s.", "Erreur",
                                    Icon::Error};

inline constexpr Prompt kAllowExec{
    "Le projet en cours d'ouverture veut lancer un programme:\n%s\nAutoriser les programmes "
    "lancés par ce projet (sections de session et de données, scripts qu'elles exécutent)?",
    "Attention", Icon::Warning, Buttons::YesNo, Answer::No};

}  // namespace ui::texts
