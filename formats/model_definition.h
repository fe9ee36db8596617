#pragma once

#include <string>
#include <string_view>

namespace platform {
class TextLines;
class UserDialogs;
}  // namespace platform

namespace formats {

struct FormatLibrary;
struct ListModel;

// `defmodele` / `definemodel`: `argument` is the rest of the command's line
// (the name, then "{"); one field per following line ("1, 4, \"name\",
// \"default\"": kind, size, name, default) up to a line starting with "}".
// A model of the same name gets the new fields and keeps its place; a new one
// is appended. Refused, with a message under "Erreur d'exécution du script",
// when it would be an eleventh model; fields beyond the hundredth are dropped
// with a message. The block's lines are read in every case once the name was
// accepted, so they never run as statements.
bool DefineModel(FormatLibrary& lib, std::string_view argument, platform::TextLines& lines,
                 platform::UserDialogs& dialogs);

// The block the project file keeps for a model, which DefineModel reads back:
// "  DefModele \"name\"\t\t{\n", one "  \t%i, %i, %s, %s\n" per field (the name
// and default quoted and escaped), then "  }\n".
std::string ModelDefinitionText(const ListModel& model);

}  // namespace formats
