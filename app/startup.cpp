#include "app/startup.h"

#include <cstdlib>
#include <filesystem>

#include "platform/message_text.h"
#include "convert/conversion_progress.h"
#include "platform/console_platform.h"
#include "platform/paths.h"
#include "platform/text_lines.h"
#include "project/kinds.h"
#include "project/project.h"
#include "project/project_file.h"
#include "app/conv_command.h"
#include "app/element_slots.h"
#include "app/session_section.h"
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

#ifndef TESSEL_VERSION
#define TESSEL_VERSION "0"
#endif

constexpr std::string_view kUsage =
    "Usage: tesselworks [PROJET] [INSTRUCTIONS | -CONVERSIONS]\n"
    "\n"
    "  PROJET         le fichier de projet (par défaut projet.tpj dans le répertoire\n"
    "                 courant); entre guillemets s'il contient des blancs.\n"
    "  INSTRUCTIONS   des instructions de script séparées par ';', exécutées sans\n"
    "                 fenêtre; le projet est ensuite enregistré.\n"
    "  -CONVERSIONS   après un '-', des conversions séparées par ':', chacune étant\n"
    "                 l'argument de la commande conv; le projet est ensuite enregistré.\n"
    "  Sans instruction ni conversion, le projet s'ouvre dans la fenêtre.\n"
    "\n"
    "Exemples:\n"
    "  tesselworks jeu.tpj\n"
    "  tesselworks jeu.tpj 'dossiers.cartes = \"Niveaux\"; fin'\n"
    "  tesselworks jeu.tpj \"-tset src=hero.png col=16 +16c:bmp src=ciel.png\"\n"
    "\n"
    "Code de sortie (instructions et conversions):\n"
    "  0  tout s'est exécuté sans erreur et le projet a été enregistré;\n"
    "  1  le projet n'a pas pu être enregistré;\n"
    "  2  le projet a été enregistré, mais une erreur a été signalée (message\n"
    "     d'erreur, erreur de script ou conversion qui n'a produit aucun élément).\n"
    "La dernière ligne écrite sur la sortie d'erreur dit lequel.\n"
    "\n"
    "  --help       affiche ce texte\n"
    "  --version    affiche la version\n";

bool IsAsciiUpper(char c) { return c >= 'A' && c <= 'Z'; }

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
    out.rest =
        blank == std::string_view::npos ? std::string() : std::string(line.substr(blank + 1));
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

std::string ConversionArgument(std::string_view piece) {
  piece = SkipBlanks(piece);
  std::string out;
  out.reserve(piece.size());
  bool quoted = false;
  for (char c : piece) {
    if (c == '"') quoted = !quoted;
    out += !quoted && IsAsciiUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
  }
  constexpr std::string_view kConv = "conv";
  if (out.starts_with(kConv) && (out.size() == kConv.size() || IsBlank(out[kConv.size()])))
    out = std::string(SkipBlanks(std::string_view(out).substr(kConv.size())));
  return out;
}

std::optional<std::string> InformationRequested(const std::vector<std::string>& args) {
  if (args.size() != 1) return std::nullopt;
  if (args[0] == "--help") return std::string(kUsage);
  if (args[0] == "--version") return std::string("Tessel Works " TESSEL_VERSION "\n");
  return std::nullopt;
}

void ErrorWatch::message(std::string_view text, std::string_view caption, platform::Icon icon) {
  if (icon == platform::Icon::Error) ++errors_;
  inner_.message(text, caption, icon);
}

platform::Answer ErrorWatch::question(std::string_view text, std::string_view caption,
                                      platform::Buttons buttons, platform::Answer defaultAnswer,
                                      platform::Icon icon) {
  if (icon == platform::Icon::Error) ++errors_;
  return inner_.question(text, caption, buttons, defaultAnswer, icon);
}

int BatchExitStatus(const BatchOutcome& outcome) {
  if (!outcome.saved) return kBatchNotSaved;
  if (outcome.errorsReported > 0 || outcome.failedConversions > 0) return kBatchErrors;
  return kBatchSucceeded;
}

std::string_view BatchStatusText(int status) {
  switch (status) {
    case kBatchSucceeded:
      return "Tessel Works: terminé sans erreur, projet enregistré (code 0).";
    case kBatchNotSaved:
      return "Tessel Works: le projet n'a pas pu être enregistré (code 1).";
    default:
      return "Tessel Works: projet enregistré, mais des erreurs ont été signalées (code 2).";
  }
}

void ResetToStartValues(Workshop& w) {
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
  w.project.clearDefaultFolders();
  w.paths.scriptPath = "script.spt";
  w.paths.userHelpPath = "lisezmoi.htm";
}

void StartWorkshop(Workshop& w, const CommandLine& commandLine, project::SessionHooks& hooks) {
  ResetToStartValues(w);
  w.paths.projectPath = platform::Absolute(commandLine.projectPath);
  SetDirectory(w.paths.projectPath);
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
             std::FILE* report, const ErrorWatch* watch, std::FILE* statusOut) {
  BatchOutcome outcome;
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
      std::string argument = ConversionArgument(piece);
      if (argument.empty()) continue;
      std::fprintf(report, "Conversion: %s\n", argument.c_str());
      if (!RunConversionCommand(w, argument)) {
        ++outcome.failedConversions;
        std::fprintf(report, "Rien n'a été converti: %s\n", argument.c_str());
      }
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
  outcome.saved = project::SaveProject(w.project, w.paths.projectPath, &hooks);
  if (outcome.saved)
    std::fprintf(report, "Projet enregistré: %s (%zu entrées)\n", w.paths.projectPath.c_str(),
                 w.project.count());
  else
    std::fprintf(report, "Le projet n'a pas pu être enregistré: %s\n", w.paths.projectPath.c_str());
  if (watch) outcome.errorsReported = watch->errors();
  int status = BatchExitStatus(outcome);
  if (statusOut) {
    std::string_view line = BatchStatusText(status);
    std::fprintf(statusOut, "%.*s\n", static_cast<int>(line.size()), line.data());
  }
  return status;
}

int RunWithoutWindow(const CommandLine& commandLine, const std::string& programDirectory) {
  // The report on standard output and the messages on standard error stay in
  // the order they happen, also when both go to one pipe.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  platform::ConsoleDialogs console;
  ErrorWatch dialogs(console);
  platform::DesktopShell shell;
  platform::SystemMachine machine;
  Workshop w({dialogs, shell, machine});
  convert::PrintedProgress progress(stdout, stdout);
  w.progress = &progress;
  w.paths.programDirectory = programDirectory;
  WorkshopSession session(w);
  StartWorkshop(w, commandLine, session);
  return RunBatch(w, commandLine, session, stdout, &dialogs, stderr);
}

}  // namespace app
