#include "script/session_section.h"

#include <filesystem>

#include "formats/model_definition.h"
#include "platform/text_lines.h"
#include "project/project_file.h"
#include "script/interpreter.h"
#include "script/platforms.h"
#include "script/workshop.h"

namespace script {

namespace {

std::string CurrentDirectory() {
  std::error_code ec;
  auto dir = std::filesystem::current_path(ec);
  return ec ? std::string() : dir.string();
}

void AppendQuoted(std::string& out, std::string_view key, std::string_view value) {
  out += "  ";
  out += key;
  out += " = \"";
  out += value;
  out += "\"\n";
}

// The selected format, every list model, the selected model, the platform and
// each platform's options.
void AppendFormatAndPlatformLines(const Workshop& w, std::string& out) {
  const formats::FormatLibrary& lib = w.formats;
  out += "  Format = \"";
  out += lib.formats[static_cast<size_t>(lib.currentFormat)].name;
  out += "\"\n\n";
  for (const formats::ListModel& model : lib.models) out += formats::ModelDefinitionText(model);
  out += "  Modele = \"";
  out += formats::CurrentModel(lib).name;
  out += "\"\n\n";
  out += "  Plateforme = \"";
  out += CurrentPlatform(w).name;
  out += "\"\n";
  WritePlatformOptions(w, out);
}

}  // namespace

void WriteInfosSection(Workshop& w, std::string& out) {
  AppendQuoted(out, "Répertoire", CurrentDirectory());
  AppendQuoted(out, "Script", w.paths.scriptPath);
  AppendQuoted(out, "AidePerso", w.paths.userHelpPath);
  // The conversion, system and editor settings take their place here, before
  // the default folders, as their modules arrive.
  project::AppendDefaultFolderLines(w.project, out);
  AppendFormatAndPlatformLines(w, out);
}

void WorkshopSession::writeSession(std::string& out) { WriteInfosSection(w_, out); }

void WorkshopSession::runSection(project::ProjectSection, std::string_view utf8Text) {
  platform::TextLines lines{std::string(utf8Text)};
  ExecuteScript(w_, lines);
}

}  // namespace script
