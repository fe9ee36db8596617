// The File, Tools and Help commands of the main window: the project as a
// document (new, open, save, quit), the script prompt and the help pages.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <filesystem>

#include "platform/files.h"
#include "platform/paths.h"
#include "project/project.h"
#include "project/project_file.h"
#include "app/element_slots.h"
#include "script/script_events.h"
#include "script/script_prompt.h"
#include "app/startup.h"
#include "app/workshop.h"
#include "ui/main_window.h"
#include "ui/project_tree_view.h"
#include "ui/qt_shell.h"
#include "ui/script_prompt_dialog.h"
#include "ui/window_texts.h"
#include "ui/workshop_commands.h"

namespace ui {

namespace {

std::string CurrentDirectory() {
  std::error_code ec;
  auto dir = std::filesystem::current_path(ec);
  return ec ? std::string() : dir.string();
}

void MoveToDirectoryOf(const std::string& path) {
  std::error_code ec;
  auto dir = std::filesystem::path(path).parent_path();
  if (!dir.empty()) std::filesystem::current_path(dir, ec);
}

}  // namespace

// --- The project as a document ------------------------------------------------

void MainWindow::markSaved() { savedText_ = project::WriteProjectText(workshop_.project, &hooks_); }

bool MainWindow::projectChanged() {
  return project::WriteProjectText(workshop_.project, &hooks_) != savedText_;
}

bool MainWindow::askSaveFirst() {
  switch (project::Ask(workshop_.services.dialogs, texts::kSaveFirst)) {
    case platform::Answer::Cancel:
      return false;
    case platform::Answer::Yes:
      return saveProject(false);
    default:
      return true;
  }
}

void MainWindow::afterProjectChange() {
  buildProceduresMenu();
  tree_->clearSelection();
  tree_->setCurrentItem(nullptr);
  refreshTree();
  setInfoText(QString::fromUtf8(texts::kWelcome.data(), texts::kWelcome.size()));
  markSaved();
}

void MainWindow::newProject() {
  if (isBusy() || !askSaveFirst()) return;
  ResetForNewProject(workshop_);
  afterProjectChange();
}

void MainWindow::openProject() {
  if (isBusy() || !askSaveFirst()) return;
  platform::FileChoice choice;
  choice.save = false;
  choice.title = texts::kOpenTitle;
  choice.filters.push_back(
      {std::string(texts::kProjectFilterName), std::string(texts::kProjectFilterPattern)});
  choice.startDirectory = CurrentDirectory();
  std::optional<std::string> chosen = workshop_.services.dialogs.chooseFileName(choice);
  if (!chosen || chosen->empty()) return;
  std::string path = platform::Absolute(*chosen);

  // Something that is no project file leaves the open project as it is,
  // with its path: saving it later must not overwrite that other file.
  std::optional<std::string> bytes = platform::ReadFileBytes(path);
  if (!bytes || !project::IsProjectFileContent(*bytes)) {
    project::Show(workshop_.services.dialogs, texts::kNotAProject, path);
    return;
  }

  // Settings the new project does not name take their start-up values, as
  // when the program starts on it.
  ResetForNewProject(workshop_);
  workshop_.paths.projectPath = path;
  MoveToDirectoryOf(path);
  // The guard asks once for the whole opening, so the project's sections
  // need not ask again at each `exec`.
  auto* guard = dynamic_cast<ExecGuardShell*>(&workshop_.services.shell);
  const bool mayStart = workshop_.interpreter.projectMayStartPrograms;
  if (guard) {
    guard->arm(path);
    workshop_.interpreter.projectMayStartPrograms = true;
  }
  project::OpenProject(workshop_.project, path, &hooks_);
  if (guard) {
    guard->disarm();
    workshop_.interpreter.projectMayStartPrograms = mayStart;
  }
  workshop_.project.document().path = path;
  MoveToDirectoryOf(path);
  app::SavePlaceholderDefaults(workshop_);
  app::FinishInteractiveStart(workshop_);
  afterProjectChange();
}

bool MainWindow::saveProject(bool askForName) {
  if (isBusy()) return false;
  std::string path = askForName ? std::string() : workshop_.project.document().path;
  if (!project::SaveProject(workshop_.project, path, &hooks_)) return false;
  workshop_.paths.projectPath = workshop_.project.document().path;
  markSaved();
  return true;
}

void MainWindow::quitWithoutSaving() {
  if (isBusy()) return;
  if (projectChanged() &&
      project::Ask(workshop_.services.dialogs, texts::kQuitUnsaved) != platform::Answer::Yes)
    return;
  if (script::RunScriptEvent(workshop_, script::ScriptEvent::Quit).refused()) return;
  quitting_ = true;
  close();
}

// --- Tools ----------------------------------------------------------------------

void MainWindow::runScriptPrompt() {
  if (isBusy()) return;
  const std::string& last = script::ScriptPromptText(workshop_);
  ScriptPromptDialog dialog(QString::fromStdString(last), this);
  if (dialog.exec() != QDialog::Accepted) return;
  std::string text = dialog.text().toStdString();
  setBusy(true);
  script::RunScriptPrompt(workshop_, text);
  setBusy(false);
  buildProceduresMenu();
  refreshTree();
}

// --- Help -----------------------------------------------------------------------

void MainWindow::showDocumentation() {
  QString programDir = QString::fromStdString(workshop_.paths.programDirectory);
  if (programDir.isEmpty()) programDir = QCoreApplication::applicationDirPath();
  QString index = FindDocumentation(programDir, docSourceDir_);
  if (index.isEmpty()) {
    QStringList places = DocumentationCandidates(programDir, docSourceDir_);
    project::Show(workshop_.services.dialogs, texts::kDocumentationMissing,
                  places.join(QStringLiteral("\npuis dans ")).toStdString());
    return;
  }
  workshop_.services.shell.openDocument(index.toStdString());
}

void MainWindow::showUserHelp() {
  const std::string& path = workshop_.paths.userHelpPath;
  if (!platform::FileExists(platform::ToNative(path))) {
    workshop_.services.dialogs.message(texts::kUserHelpMissing.text, path,
                                       texts::kUserHelpMissing.icon);
    return;
  }
  if (!IsPlainDocument(QString::fromStdString(platform::ToNative(path)))) {
    project::Show(workshop_.services.dialogs, texts::kNotADocument, path);
    return;
  }
  workshop_.services.shell.openDocument(platform::ToNative(path));
}

// --- Files dropped on the window ----------------------------------------------------

int MainWindow::addDroppedFiles(const QStringList& paths) {
  if (isBusy()) return 0;
  std::string directory = CurrentDirectory();
  int added = 0;
  int last = -1;
  for (const QString& path : paths) {
    bool tooLong = false;
    std::optional<project::EntryRecord> record =
        DroppedFileRecord(workshop_.formats, path.toStdString(), directory, &tooLong);
    if (tooLong)
      project::Show(workshop_.services.dialogs, texts::kDroppedPathTooLong, path.toStdString());
    if (!record) continue;
    int index = workshop_.project.addEntry(std::move(*record));
    if (index < 0) continue;
    ++added;
    last = index;
  }
  if (added > 0) refreshTree(last);
  return added;
}

}  // namespace ui
