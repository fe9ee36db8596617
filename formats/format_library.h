#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "formats/list_model.h"
#include "formats/object_template.h"
#include "formats/output_format.h"
#include "formats/placeholders.h"

namespace platform {
class UserDialogs;
}

// Everything the output formats and list models keep for the whole run; the
// program's context owns one.
namespace formats {

// Formats a script may define. Users keep a handful; the cap only stops a
// runaway script from filling memory (each format holds up to ~250 KB of
// texts).
inline constexpr size_t kMaxFormats = 100;

struct FormatLibrary {
  // The built-in format "Standard" (selected) and the model "Default"
  // (selected).
  FormatLibrary();

  std::vector<OutputFormat> formats;  // "Standard" first
  int currentFormat = 0;
  // The fields of the selected format as the element files use them. Taken
  // when a format is selected, so redefining the selected format takes effect
  // at the next selection.
  OutputFormat current;

  TemplateValues values;  // placeholders and user-text buffers

  std::vector<ListModel> models;  // "Default" first; at most kMaxModels
  int currentModel = 0;

  // Names recorded by the `format` and `modele` statements, selected at the
  // end of start-up.
  std::string rememberedFormat;
  std::string rememberedModel;

  // Built by PrepareObjectTemplate before a list is read or written.
  ObjectTemplate objectTemplate;
};

// Index of the format of that exact name, or -1.
int FindFormat(const FormatLibrary& lib, std::string_view name);

// Makes a format current. Unknown: "Format %s non-trouvé" (caption "Erreur
// ChoisitFormat", error icon), the current format stays.
bool SelectFormat(FormatLibrary& lib, std::string_view name, platform::UserDialogs& dialogs);
void SelectFormatAt(FormatLibrary& lib, int index);

// Selects the one format whose sections' `ext` equals the file's extension
// (everything after the first dot of its last component). When no format or
// several sections match, the current format stays. True when a format was
// selected.
bool SelectFormatByExtension(FormatLibrary& lib, std::string_view path);

// True when the selected format is the built-in one.
inline bool StandardSelected(const FormatLibrary& lib) { return lib.currentFormat == 0; }

// Placeholders back to their defaults; `defaults` carries the settings the
// by-reference placeholders stand for.
inline void ResetPlaceholders(FormatLibrary& lib, const ReferenceDefaults& defaults) {
  lib.values.reset(defaults);
}

// The current format's user[1]..user[8] into the user-text buffers.
inline void LoadUserTexts(FormatLibrary& lib) { lib.values.loadUserTexts(lib.current); }

// A user text of a stored format, given as program text (UTF-8); the export
// hook sets user[2] this way. `number` is 1..8.
void SetFormatUserText(OutputFormat& format, int number, std::string_view utf8);

// The `format` and `modele` statements.
inline void RememberFormat(FormatLibrary& lib, std::string_view name) {
  lib.rememberedFormat = name;
}
inline void RememberModel(FormatLibrary& lib, std::string_view name) { lib.rememberedModel = name; }

// End of start-up: selects the remembered format and model, when recorded.
void SelectRememberedNames(FormatLibrary& lib, platform::UserDialogs& dialogs);

// Index of the model of that exact name, or -1.
int FindModel(const FormatLibrary& lib, std::string_view name);

// Makes a model current. Unknown: "Modèle %s non-trouvé" (caption "Erreur
// ChoisitModele", error icon), the current model stays.
bool SelectModel(FormatLibrary& lib, std::string_view name, platform::UserDialogs& dialogs);

inline const ListModel& CurrentModel(const FormatLibrary& lib) {
  return lib.models[static_cast<size_t>(lib.currentModel)];
}
inline ListModel& CurrentModel(FormatLibrary& lib) {
  return lib.models[static_cast<size_t>(lib.currentModel)];
}

// Builds the working object template from the current format's list
// `element` and the current model ("#+param:...#" is expanded only for the
// built-in format).
void PrepareObjectTemplate(FormatLibrary& lib);

}  // namespace formats
