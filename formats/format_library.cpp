#include "formats/format_library.h"

#include <string>

#include "formats/standard_format.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"

namespace formats {

FormatLibrary::FormatLibrary() {
  formats.push_back(MakeStandardFormat());
  current = formats.front();
  ListModel defaultModel;
  defaultModel.name = "Default";
  models.push_back(std::move(defaultModel));
  PrepareObjectTemplate(*this);
}

int FindFormat(const FormatLibrary& lib, std::string_view name) {
  for (size_t i = 0; i < lib.formats.size(); ++i)
    if (lib.formats[i].name == name) return static_cast<int>(i);
  return -1;
}

void SelectFormatAt(FormatLibrary& lib, int index) {
  if (index < 0 || static_cast<size_t>(index) >= lib.formats.size()) return;
  lib.currentFormat = index;
  lib.current = lib.formats[static_cast<size_t>(index)];
}

bool SelectFormat(FormatLibrary& lib, std::string_view name, platform::UserDialogs& dialogs) {
  int index = FindFormat(lib, name);
  if (index < 0) {
    dialogs.message("Format " + std::string(name) + " non-trouvé", "Erreur ChoisitFormat",
                    platform::Icon::Error);
    return false;
  }
  SelectFormatAt(lib, index);
  return true;
}

bool SelectFormatByExtension(FormatLibrary& lib, std::string_view path) {
  std::string extension = platform::Utf8ToCp1252(platform::ExtensionAfterFirstDot(path));
  if (extension.empty()) return false;
  int matches = 0;
  int match = -1;
  for (size_t i = 0; i < lib.formats.size(); ++i) {
    for (const auto& section : lib.formats[i].sections) {
      std::string_view ext = section.ext;
      if (!ext.empty() && ext.front() == '.') ext.remove_prefix(1);
      // An empty extension (the "empty" section's) names no file.
      if (ext.empty() || ext != extension) continue;
      ++matches;
      match = static_cast<int>(i);
    }
  }
  if (matches != 1) return false;
  SelectFormatAt(lib, match);
  return true;
}

void SetFormatUserText(OutputFormat& format, int number, std::string_view utf8) {
  if (number < 1 || number > kUserTextCount) return;
  format.user[static_cast<size_t>(number - 1)] = platform::Utf8ToCp1252(utf8);
}

void SelectRememberedNames(FormatLibrary& lib, platform::UserDialogs& dialogs) {
  if (!lib.rememberedFormat.empty()) SelectFormat(lib, lib.rememberedFormat, dialogs);
  if (!lib.rememberedModel.empty()) SelectModel(lib, lib.rememberedModel, dialogs);
}

int FindModel(const FormatLibrary& lib, std::string_view name) {
  for (size_t i = 0; i < lib.models.size(); ++i)
    if (lib.models[i].name == name) return static_cast<int>(i);
  return -1;
}

bool SelectModel(FormatLibrary& lib, std::string_view name, platform::UserDialogs& dialogs) {
  int index = FindModel(lib, name);
  if (index < 0) {
    dialogs.message("Modèle " + std::string(name) + " non-trouvé", "Erreur ChoisitModele",
                    platform::Icon::Error);
    return false;
  }
  lib.currentModel = index;
  return true;
}

void PrepareObjectTemplate(FormatLibrary& lib) {
  const ListModel& model = CurrentModel(lib);
  const std::string& element = lib.current.section(SectionType::List).element;
  std::string text = StandardSelected(lib) ? ExpandParamTokens(element, model) : element;
  lib.objectTemplate = CompileObjectTemplate(std::move(text), model);
}

}  // namespace formats
