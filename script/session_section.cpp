#include "script/session_section.h"

#include <filesystem>

#include "platform/text_lines.h"
#include "project/project_file.h"
#include "script/interpreter.h"
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

}  // namespace

void WriteInfosSection(Workshop& w, std::string& out) {
  AppendQuoted(out, "Répertoire", CurrentDirectory());
  AppendQuoted(out, "Script", w.paths.scriptPath);
  AppendQuoted(out, "AidePerso", w.paths.userHelpPath);
  // The conversion, system and editor settings, the format, the list models
  // and the platform lines take their places here as their modules arrive.
  project::AppendDefaultFolderLines(w.project, out);
}

void WorkshopSession::writeSession(std::string& out) { WriteInfosSection(w_, out); }

void WorkshopSession::runSection(project::ProjectSection, std::string_view utf8Text) {
  platform::TextLines lines{std::string(utf8Text)};
  ExecuteScript(w_, lines);
}

}  // namespace script
