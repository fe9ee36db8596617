#include <filesystem>

#include "platform/files.h"
#include "platform/message_text.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"
#include "project/kinds.h"
#include "project/project.h"
#include "project/project_file.h"
#include "project/project_messages.h"

namespace project {

namespace {

constexpr std::string_view kSessionHeader =
    "\n#Infos utiles sur la dernière session\n .section infos\n";
constexpr std::string_view kSessionEnd = "  Fin\n";
constexpr std::string_view kElementHeader =
    "\n#Eléments de l'arbre du projet\n .section fichiers\n";
constexpr std::string_view kElementEnd = " Fin\n";
constexpr std::string_view kDataHeader =
    "\n#Section où vous pouvez entrer n'importe quelle commande de script. Cela vous permet de "
    "régler les différentes variables.\n .section données\n";
constexpr std::string_view kNoDataSection = "  Fin\n\n\n\n";

void AppendLine(std::string& out, std::string_view prefix, std::string_view value) {
  out += prefix;
  out += value;
  out += '\n';
}

void AppendBlock(std::string& out, const EntryRecord& e) {
  out += " #--------------\n";
  AppendLine(out, "  Elément: ", e.name);
  if (e.isFolder()) {
    AppendLine(out, "  Type: ", kFolderKeyword);
  } else {
    AppendLine(out, "  Type: ", KindKeyword(e.kindCode()));
    AppendLine(out, "  Fichier: ", platform::ToNative(e.file));
    AppendLine(out, "  Base: ", platform::ToNative(e.baseFile));
  }
  if (e.inFolder()) AppendLine(out, "  Dossier: ", e.folder);
}

// A script string holding the text: between double quotes, or, when the
// text holds one, between the other delimiters the script reader accepts.
std::string QuoteAsIs(std::string_view text) {
  char quote = '"';
  for (char q : {'"', '\'', '*'}) {
    if (text.find(q) == std::string_view::npos) {
      quote = q;
      break;
    }
  }
  std::string out(1, quote);
  out += text;
  out += quote;
  return out;
}

std::string StartDirectory(const Project& project) {
  const std::string& path = project.document().path;
  if (!path.empty()) return std::string(platform::DirectoryPart(platform::Absolute(path)));
  std::error_code ec;
  return std::filesystem::current_path(ec).string();
}

}  // namespace

std::string WriteProjectText(const Project& project, SessionHooks* hooks) {
  std::string out;
  out += kProjectHeader;
  out += '\n';
  out += kSessionHeader;
  if (hooks) {
    size_t start = out.size();
    hooks->writeSession(out);
    if (out.size() > start && out.back() != '\n') out += '\n';
  }
  out += kSessionEnd;
  out += kElementHeader;
  for (const EntryRecord& e : project.entries()) AppendBlock(out, e);
  out += kElementEnd;
  out += kDataHeader;
  const std::string& data = project.document().dataSection;
  out += data.empty() ? kNoDataSection : std::string_view(data);
  return out;
}

std::string EncodeProjectFile(const Project& project, SessionHooks* hooks) {
  std::string text = WriteProjectText(project, hooks);
  // A name that Windows-1252 cannot hold would come back as '?' and no
  // longer name its file: such a project is written in UTF-8, which the
  // reader recognises.
  if (!platform::Cp1252CanHold(text)) return platform::RepairUtf8(text);
  return platform::Utf8ToCp1252(text);
}

bool SaveProject(Project& project, std::string path, SessionHooks* hooks) {
  ProjectDocument& document = project.document();
  if (!path.empty() && document.openedIncompletely() &&
      platform::Absolute(path) == platform::Absolute(document.path)) {
    platform::Answer answer = Ask(project.dialogs(), prompts::kSaveOverIncomplete, path);
    if (answer == platform::Answer::Cancel) return false;
    if (answer == platform::Answer::Yes) path.clear();
  }
  if (path.empty()) {
    std::optional<std::string> chosen =
        AskProjectFileName(project.dialogs(), StartDirectory(project));
    if (!chosen) return false;
    path = std::move(*chosen);
  }
  platform::WriteStatus status =
      platform::ReplaceFile(path, EncodeProjectFile(project, hooks), &document.lock);
  if (status != platform::WriteStatus::Ok) {
    const Prompt& p = prompts::kSaveFailed;
    std::string text = platform::FillInText(p.text, {path});
    if (std::string_view reason = platform::WriteFailureText(status); !reason.empty()) {
      text += '\n';
      text += reason;
    }
    project.dialogs().message(text, p.caption, p.icon);
    return false;
  }
  document.path = path;
  document.openingLosses.clear();
  return true;
}

std::optional<std::string> AskProjectFileName(platform::UserDialogs& dialogs,
                                              std::string_view startDirectory) {
  platform::FileChoice choice;
  choice.save = true;
  choice.title = "Sauver un fichier";
  choice.filters.push_back({"Fichiers projet Tessel Works *.tpj", "*.tpj"});
  choice.startDirectory = startDirectory;
  std::optional<std::string> name = dialogs.chooseFileName(choice);
  if (!name || name->empty()) return std::nullopt;
  std::string_view last = platform::LastComponent(*name);
  if (last.find('.') == std::string_view::npos) *name += ".tpj";
  return name;
}

void AppendDefaultFolderLines(const Project& project, std::string& out) {
  for (size_t slot = 0; slot < kDefaultFolderSlots; ++slot) {
    const std::string& folder = project.defaultFolder(slot);
    if (folder.empty()) continue;
    out += "  DossierDéf[";
    out += std::to_string(slot + 1);
    out += "] = ";
    out += QuoteAsIs(folder);
    out += '\n';
  }
}

}  // namespace project
