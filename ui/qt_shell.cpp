#include "ui/qt_shell.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include "ui/window_texts.h"

namespace ui {

namespace {

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

// Hands a file to the desktop's application for its type.
bool OpenFileUrl(platform::UserDialogs& dialogs, const std::string& path) {
  QUrl url = QUrl::fromLocalFile(QFileInfo(ToQString(path)).absoluteFilePath());
  if (QDesktopServices::openUrl(url)) return true;
  project::Show(dialogs, texts::kOpenFailed, path);
  return false;
}

}  // namespace

bool IsRegularFile(const QString& path) {
  if (path.isEmpty()) return false;
  QFileInfo info(path);
  return info.exists() && info.isFile();
}

bool IsPlainDocument(const QString& path) {
  return IsRegularFile(path) && !QFileInfo(path).isExecutable();
}

bool QtShell::openDocument(const std::string& path) {
  if (!IsPlainDocument(ToQString(path))) {
    project::Show(dialogs_, texts::kNotADocument, path);
    return false;
  }
  return OpenFileUrl(dialogs_, path);
}

bool QtShell::editTextFile(const std::string& path) {
  // The desktop's application for the file's type: for the C text of an
  // element, its text editor.
  if (!IsRegularFile(ToQString(path))) {
    project::Show(dialogs_, texts::kFileMissing, path);
    return false;
  }
  return OpenFileUrl(dialogs_, path);
}

bool QtShell::startProgram(const std::string& commandLine) {
  return programs_.startProgram(commandLine);
}

bool QtShell::deleteFile(const std::string& path) {
  QString name = ToQString(path);
  if (QFile::moveToTrash(name)) return true;
  project::Show(dialogs_, texts::kTrashFailed, path);
  return false;
}

void ExecGuardShell::arm(const std::string& projectPath) {
  armed_ = true;
  decision_ = Decision::Unasked;
  projectPath_ = projectPath;
}

void ExecGuardShell::disarm() {
  armed_ = false;
  decision_ = Decision::Unasked;
  projectPath_.clear();
}

bool ExecGuardShell::startProgram(const std::string& commandLine) {
  if (armed_) {
    if (decision_ == Decision::Unasked)
      decision_ = project::Ask(dialogs_, texts::kAllowExec, commandLine) == platform::Answer::Yes
                      ? Decision::Allowed
                      : Decision::Refused;
    if (decision_ == Decision::Refused) return false;
  }
  return inner_.startProgram(commandLine);
}

}  // namespace ui
