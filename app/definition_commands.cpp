#include "app/definition_commands.h"

#include <string>

#include "formats/format_definition.h"
#include "formats/format_library.h"
#include "formats/model_definition.h"
#include "platform/value_syntax.h"
#include "app/platforms.h"
#include "script/script_messages.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

namespace {

constexpr std::string_view kFormatNeedsLines =
    "Fonction: defformat\nLa définition d'un format se lit dans les lignes qui "
    "suivent: elle "
    "n'est possible que dans un fichier de script, le fichier de projet ou "
    "l'invite de script.";
constexpr std::string_view kModelNeedsLines =
    "Fonction: defmodele\nLa définition d'un modèle se lit dans les lignes qui "
    "suivent: elle "
    "n'est possible que dans un fichier de script, le fichier de projet ou "
    "l'invite de script.";
constexpr std::string_view kUnknownPlatform = "La plate-forme spécifiée n'existe pas: %s";

std::string NameArgument(std::string_view value) {
  return platform::ParseString(value).value_or(std::string());
}

}  // namespace

void DefineFormatCommand(Workshop& w, std::string_view value) {
  if (!w.interpreter.currentStream) {
    ReportScriptError(w, kFormatNeedsLines);
    return;
  }
  formats::DefineFormat(w.formats, value, *w.interpreter.currentStream, w.services.dialogs);
}

void DefineModelCommand(Workshop& w, std::string_view value) {
  if (!w.interpreter.currentStream) {
    ReportScriptError(w, kModelNeedsLines);
    return;
  }
  formats::DefineModel(w.formats, value, *w.interpreter.currentStream, w.services.dialogs);
}

void RememberFormatCommand(Workshop& w, std::string_view value) {
  formats::RememberFormat(w.formats, NameArgument(value));
}

void RememberModelCommand(Workshop& w, std::string_view value) {
  formats::RememberModel(w.formats, NameArgument(value));
}

void SelectFormatCommand(Workshop& w, std::string_view value) {
  formats::SelectFormat(w.formats, NameArgument(value), w.services.dialogs);
}

void SelectModelCommand(Workshop& w, std::string_view value) {
  formats::SelectModel(w.formats, NameArgument(value), w.services.dialogs);
}

void SelectPlatformCommand(Workshop& w, std::string_view value) {
  std::string name = NameArgument(value);
  int index = FindPlatform(w, name);
  if (index < 0) {
    ReportScriptError(w, FormatText(kUnknownPlatform, {name}));
    return;
  }
  SelectPlatform(w, index);
}

}  // namespace app
