#pragma once

#include <string_view>
#include "app/language.h"

// The statements that define and choose output formats, list models and the
// platform. Each receives the statement's value text.
namespace app {

struct Workshop;

// `defformat` / `definefmt` and `defmodele` / `definemodel`: the definition
// is read from the lines that follow in the script stream, so statements
// given as text (the command line) cannot define anything.
void DefineFormatCommand(Workshop& w, std::string_view value);
void DefineModelCommand(Workshop& w, std::string_view value);

// `format` / `modele` (`model`): the name is remembered and selected at the end
// of start-up.
void RememberFormatCommand(Workshop& w, std::string_view value);
void RememberModelCommand(Workshop& w, std::string_view value);

// `selformat` (`setformat`) / `selmodele` (`setmodel`): selected now.
void SelectFormatCommand(Workshop& w, std::string_view value);
void SelectModelCommand(Workshop& w, std::string_view value);

// `plateforme` / `platform`: selects the platform of that exact name.
void SelectPlatformCommand(Workshop& w, std::string_view value);

}  // namespace app
