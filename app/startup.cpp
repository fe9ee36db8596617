#include "app/startup.h"

#include <cstdlib>
#include <filesystem>

#include "platform/message_text.h"
#include "platform/paths.h"
#include "platform/text_lines.h"
#include "project/kinds.h"
#include "project/project.h"
#include "project/project_file.h"
#include "app/element_slots.h"
#include "script/interpreter.h"
#include "app/platforms.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

namespace {

constexpr std::string_view kNotSavedIncomplete =
    "Le fichier de projet %s n'a pas été lu entièrement (%s).\nRien n'a été exécuté ni "
    "enregistré, pour ne pas remplacer le fichier par ce qui en a été lu.";

std::string_view SkipBlanks(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  return text.substr(i);
}

std::string Join(const std::vector<std::string>& args, size_t first) {
  std::string out;
  for (size_t i = first; i < args.size(); ++i) {
    if (i > first) out += ' ';
    out += args[i];
  }
  return out;
}

void SetDirectory(const std::string& projectPath) {
  std::error_code ec;
  auto dir = std::filesystem::path(projectPath).parent_path();
  if (!dir.empty()) std::filesystem::current_path(dir, ec);
}

}  // namespace

CommandLine SplitCommandLine(std::string_view line) {
  CommandLine out;
  if (!line.empty() && line[0] == '"') {
    size_t close = line.find('"', 1);
    if (close == std::string_view::npos) close = line.size();
    out.projectPath = std::string(line.substr(1, close - 1));
    out.rest = std::string(close < line.size() ? line.substr(close + 1) : std::string_view());
  } else if (line.empty() || line[0] == '-') {
    out.projectPath = std::string(kDefaultProjectName);
    out.rest = std::string(line);
  } else {
    size_t blank = line.find(' ');
    out.projectPath = std::string(line.substr(0, blank));
    out.rest = blank == std::string_view::npos ? std::string() : std::string(line.substr(blank + 1));
  }
  if (out.projectPath.empty()) out.projectPath = std::string(kDefaultProjectName);
  return out;
}

CommandLine CommandLineFromArguments(const std::vector<std::string>& args) {
  if (args.empty()) return SplitCommandLine({});
  const std::string& first = args[0];
  if (first.empty() || first[0] == '-' || first[0] == '"') return SplitCommandLine(Join(args, 0));
  // A lone argument with blanks is a whole command line ("projet.tpj fin"),
  // unless it names a project file (a path with blanks given alone).
  if (args.size() == 1 && first.find(' ') != std::string::npos) {
    std::error_code ec;
    bool isProject = std::filesystem::exists(first, ec) ||
                     (first.size() > 4 && first.compare(first.size() - 4, 4, ".tpj") == 0);
    if (!isProject) return SplitCommandLine(first);
  }
  return CommandLine{first, Join(args, 1)};
}

RunMode ModeOf(const CommandLine& commandLine) {
  std::string_view rest = SkipBlanks(commandLine.rest);
  if (rest.empty()) return RunMode::Interactive;
  return rest[0] == '-' ? RunMode::Conversions : RunMode::Statements;
}

std::vector<std::string> SplitConversions(std::string_view rest) {
  rest = SkipBlanks(rest);
  if (!rest.empty() && rest[0] == '-') rest.remove_prefix(1);
  std::vector<std::string> pieces;
  std::string piece;
  bool quoted = false;
  for (char c : rest) {
    if (c == '"') quoted = !quoted;
    if (c == ':' && !quoted) {
      pieces.push_back(piece);
      piece.clear();
      continue;
    }
    piece += c;
  }
  pieces.push_back(piece);
  return pieces;
}

void StartWorkshop(Workshop& w, const CommandLine& commandLine, project::SessionHooks& hooks) {
  w.project.clear();
  // Every setting at its start value (the tile size is 8 × 8).
  w.conversion = convert::ConversionSettings{};
  w.system = SystemSettings{};
  w.editor = mapeditor::EditorSettings{};
  w.exportIdentifiers.clear();
  // The platforms, the Game Boy Advance current with its default colour mode
  // and the colour tables built for it.
  StartPlatforms(w);
  // The model "Default" and the format "Standard", both selected.
  w.formats = formats::FormatLibrary{};
  w.paths.projectPath = platform::Absolute(commandLine.projectPath);
  SetDirectory(w.paths.projectPath);
  w.project.clearDefaultFolders();
  w.paths.scriptPath = "script.spt";
  w.paths.userHelpPath = "lisezmoi.htm";
  // Whether the project's sections may start programs is the user's choice,
  // made outside any project file.
  const char* exec = std::getenv("TESSELWORKS_EXEC");
  w.interpreter.projectMayStartPrograms = exec && std::string_view(exec) == "1";
  project::OpenProject(w.project, w.paths.projectPath, &hooks);
  // A missing file leaves an empty project that the first save creates.
  w.project.document().path = w.paths.projectPath;
  SetDirectory(w.paths.projectPath);
  SavePlaceholderDefaults(w);
}

void FinishInteractiveStart(Workshop& w) {
  formats::SelectRememberedNames(w.formats, w.services.dialogs);
}

int RunBatch(Workshop& w, const CommandLine& commandLine, project::SessionHooks& hooks,
             std::FILE* report) {
  std::fprintf(report, "Projet: %s (%zu entrées)\n", w.paths.projectPath.c_str(),
               w.project.count());
  // Saving would replace the file with what was read of it: nothing runs and
  // nothing is written, so no work is done that could not be kept.
  if (w.project.document().openedIncompletely()) {
    std::string what;
    for (const std::string& loss : w.project.document().openingLosses)
      what += (what.empty() ? "" : "; ") + loss;
    w.services.dialogs.message(
        platform::FillInText(kNotSavedIncomplete, {w.paths.projectPath, what}), "Erreur",
        platform::Icon::Error);
    std::fprintf(report, "Le projet n'a pas été enregistré: %s\n", w.paths.projectPath.c_str());
    return 1;
  }
  // No start event runs without a window: the format and model the project
  // names are selected before anything is written with them.
  formats::SelectRememberedNames(w.formats, w.services.dialogs);
  const size_t entriesBefore = w.project.count();
  if (ModeOf(commandLine) == RunMode::Conversions) {
    for (const std::string& piece : SplitConversions(commandLine.rest)) {
      std::string_view statement = SkipBlanks(piece);
      if (statement.empty()) continue;
      std::fprintf(report, "Conversion: %.*s\n", static_cast<int>(statement.size()),
                   statement.data());
      platform::TextLines line{std::string(statement)};
      ExecuteScript(w, line);
    }
  } else {
    std::string_view text = SkipBlanks(commandLine.rest);
    std::fprintf(report, "Script: %.*s\n", static_cast<int>(text.size()), text.data());
    ExecuteScript(w, text);
  }
  w.project.rebuildTree();
  for (size_t i = entriesBefore; i < w.project.count(); ++i) {
    const project::EntryRecord& e = w.project.entry(i);
    if (e.isFolder()) continue;
    std::fprintf(report, "Nouvel élément: %s (%s) %s\n", e.name.c_str(),
                 std::string(project::KindKeyword(e.kindCode())).c_str(), e.file.c_str());
  }
  if (!project::SaveProject(w.project, w.paths.projectPath, &hooks)) {
    std::fprintf(report, "Le projet n'a pas pu être enregistré: %s\n", w.paths.projectPath.c_str());
    return 1;
  }
  std::fprintf(report, "Projet enregistré: %s (%zu entrées)\n", w.paths.projectPath.c_str(),
               w.project.count());
  return 0;
}

}  // namespace app
