#pragma once

#include <string>
#include <string_view>

#include "platform/dialogs.h"

// Every message and question of the Project table and the Project file.
namespace project {

struct Prompt {
  std::string_view text;  // "%s" marks where the argument goes
  std::string_view caption;
  platform::Icon icon = platform::Icon::None;
  platform::Buttons buttons = platform::Buttons::Ok;
  platform::Answer defaultAnswer = platform::Answer::Ok;
};

namespace prompts {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

inline constexpr Prompt kDeleteElement{
    "Supprimer l'élément définitivement, le fichier associé (%s) compris?", "Question",
    Icon::Question, Buttons::YesNoCancel, Answer::No};

inline constexpr Prompt kDeleteFullFolder{
    "Ce dossier n'est pas vide! Vous devriez d'abord supprimer les éléments qui s'y "
    "trouvent!\nVoulez-vous VRAIMENT le supprimer?",
    "Attention!", Icon::Warning, Buttons::YesNo, Answer::No};

inline constexpr Prompt kCleanProject{
    "Tous les éléments pointant vers un fichier qui n'existe plus seront supprimés.",
    "Nettoyage du projet", Icon::Information, Buttons::OkCancel, Answer::Ok};

inline constexpr Prompt kFolderExists{
    "Ce nom de dossier existe déjà dans le répertoire %s.\nChoisissez-en un autre ou précédez "
    "ce nom d'un autre puis d'un slash pour les différencier.\nPar exemple Rep1\\Test et "
    "Rep2\\Test sont tous deux affichés Test mais identifiés différemment.",
    "Erreur", Icon::Error};

inline constexpr Prompt kAlreadyInDefaultFolder{
    "L'élément se trouve déjà dans le dossier par défaut pour ce type de fichier. Vous ne "
    "pouvez pas placer un élément dans un autre dossier de base que celui d'origine (par "
    "exemple une Carte dans le dossier Mosaïques).",
    "Note", Icon::Information};

inline constexpr Prompt kFolderIntoItself{
    "Vous ne pouvez pas déplacer un répertoire dans l'un de ses sous-répertoires!", "Erreur",
    Icon::Error};

inline constexpr Prompt kProjectFull{
    "Le projet contient déjà 1000 entrées (éléments et dossiers), le maximum possible.\n"
    "\"%s\" n'a pas été ajouté au projet.",
    "Erreur", Icon::Error};

inline constexpr Prompt kFileTooManyEntries{
    "Le fichier de projet contient plus de 1000 entrées (éléments et dossiers).\nSeules les "
    "1000 premières ont été chargées; les autres seront perdues à la prochaine sauvegarde.",
    "Attention", Icon::Warning};

inline constexpr Prompt kDataSectionTooLong{
    "La section de données du fichier de projet dépasse 1000000 octets.\nSeuls les 1000000 "
    "premiers octets seront conservés à la prochaine sauvegarde.",
    "Attention", Icon::Warning};

inline constexpr Prompt kOldLayout{
    "Le fichier de sauvegarde est d'une version plus ancienne (ou plus nouvelle)\nTessel Works "
    "va tenter d'effectuer une mise à jour de celui-ci après avoir préalablement réalisé une "
    "copie sous Projet.tpj.bak, ok?",
    "Attention", Icon::Warning};

inline constexpr Prompt kOldLayoutFailed{
    "Aucun des filtres intégrés n'a pu charger le fichier de sauvegarde.\nTessel Works va à "
    "présent démarrer avec un nouveau projet.",
    "Erreur", Icon::Error};

inline constexpr Prompt kBackupFailed{
    "Impossible de créer la copie de sauvegarde %s.\nFaites une copie du fichier de projet "
    "avant de l'enregistrer: il sera remplacé par le projet mis à jour.",
    "Erreur", Icon::Error};

inline constexpr Prompt kProjectUnreadable{
    "Impossible de lire le fichier de projet %s.\nTessel Works démarre avec un projet vide, qui "
    "ne remplacera pas ce fichier sans votre accord.",
    "Erreur", Icon::Error};

inline constexpr Prompt kLinesNotRead{
    "Le fichier de projet n'a pas pu être lu entièrement: %s.\nCe qui n'a pas été lu serait "
    "perdu en enregistrant le projet sous le même nom.",
    "Attention", Icon::Warning};

inline constexpr Prompt kProjectInUse{
    "Le projet %s est déjà ouvert par une autre instance de Tessel Works.\nLes modifications "
    "faites ici ne pourront pas être enregistrées sous ce nom sans écraser les siennes.",
    "Attention", Icon::Warning};

inline constexpr Prompt kSaveOverIncomplete{
    "Le fichier %s n'a pas été lu entièrement à l'ouverture; l'enregistrer sous ce nom perdrait "
    "ce qui n'a pas été lu.\nEnregistrer le projet sous un autre nom?",
    "Attention", Icon::Warning, Buttons::YesNoCancel, Answer::Yes};

inline constexpr Prompt kSaveFailed{
    "Impossible d'enregistrer le projet dans le fichier %s.\nLe fichier existant n'a pas été "
    "modifié.",
    "Erreur", Icon::Error};

// The element properties dialog.
inline constexpr Prompt kChangeKind{
    "Vous pouvez modifier le type de fichier, mais ceci est complètement déconseillé. Vous ne "
    "devriez le faire que si vous êtes absolument sûr de vous.\nVoulez-vous vraiment modifier "
    "le type de fichier?",
    "Avertissement", Icon::Warning, Buttons::OkCancel, Answer::Cancel};

inline constexpr Prompt kFileNoLongerUsed{
    "Le fichier actuel (%s) ne sera plus utilisé du tout dans le projet, voulez-vous le "
    "supprimer?",
    "Question", Icon::Question, Buttons::YesNoCancel, Answer::Cancel};

inline constexpr Prompt kNameTaken{
    "Un autre élément du même type s'appelle déjà %s.\nChoisissez un autre nom.", "Erreur",
    Icon::Error};

inline constexpr Prompt kMoveFailed{
    "Impossible de déplacer le fichier %s vers %s.\nL'élément n'a pas été modifié.", "Erreur",
    Icon::Error};

inline constexpr Prompt kCopyFailed{
    "Impossible de copier le fichier %s vers %s.\nL'élément n'a pas été modifié.", "Erreur",
    Icon::Error};

inline constexpr Prompt kTrashFailed{
    "Impossible de placer le fichier %s dans la corbeille.\nIl a été conservé sur le disque.",
    "Attention", Icon::Warning};

}  // namespace prompts

// The prompt with its "%s" filled by the argument.
void Show(platform::UserDialogs& dialogs, const Prompt& prompt, std::string_view argument = {});
platform::Answer Ask(platform::UserDialogs& dialogs, const Prompt& prompt,
                     std::string_view argument = {});

}  // namespace project
