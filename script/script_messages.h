#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace script {

struct Context;

// The reader's own texts. A "%s" or "%i" is replaced by the next argument.
namespace text {
inline constexpr std::string_view kErrorCaption = "Erreur d'exécution du script";
inline constexpr std::string_view kUnknownIdentifier = "L'identificateur %s n'existe pas.";
inline constexpr std::string_view kUnknownProperty = "La propriété %s n'existe pas.";
inline constexpr std::string_view kIndexOutOfRange =
    "Tableau %s de l'objet %s.\nL'indice (%i) est en dehors de la plage.";
inline constexpr std::string_view kArrayKindUnusable =
    "Le tableau %s de l'objet %s a un type incalculable.";
inline constexpr std::string_view kMissingArguments =
    "Objet %s.\nIl manque des arguments et/ou leur type est incorrect.";
inline constexpr std::string_view kListEntryMissing =
    "Objet: %s.\nLe texte recherché dans la zone de liste déroulante n'y figure pas (%s).";
inline constexpr std::string_view kIncludeNameMissing =
    "Fonction: inclure\nNom de fichier pas défini correctement (n'oubliez pas les guillemets)";
inline constexpr std::string_view kIncludeFailed = "Impossible d'inclure le fichier spécifié: %s";
inline constexpr std::string_view kDoNameMissing =
    "Fonction: Faire\nNom de fichier pas défini correctement (n'oubliez pas les guillemets)";
inline constexpr std::string_view kDoFailed = "Impossible d'exécuter le fichier spécifié: %s";
inline constexpr std::string_view kProjectExec =
    "Le fichier de projet demande à lancer la commande suivante:\n%s\nLa lancer? (Sans fenêtre, "
    "elle n'est lancée que si la variable d'environnement TESSELWORKS_EXEC vaut 1.)";
inline constexpr std::string_view kProjectExecCaption = "Attention";
inline constexpr std::string_view kBreakpoint = "Point d'arrêt défini ici (MsgBox sans argument).";
inline constexpr std::string_view kUserMessageCaption = "Message utilisateur";
}  // namespace text

// The pattern with each "%s" or "%i" replaced by the next argument in order.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args);

// A script error: the stop icon and the reader's caption.
void ReportScriptError(Context& context, std::string_view message);

}  // namespace script
