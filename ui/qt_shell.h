#pragma once

#include <string>

#include "platform/console_platform.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

class QString;

namespace ui {

// True when the path names a regular file (after following links) that is
// not executable: only such files are handed to the desktop to open, so a
// stored path can never start a program.
bool IsPlainDocument(const QString& path);

// True when the path names a regular file (after following links).
bool IsRegularFile(const QString& path);

// The desktop program's shell services. Documents and text files are handed
// to QDesktopServices as file URLs (the desktop picks the application; no
// command line is ever built from a path); "notepad" becomes the desktop's
// editor for the file's type. Deleted files go to the desktop's trash.
// Programs (the script's `exec`) start as batch mode starts them.
class QtShell : public platform::Shell {
 public:
  explicit QtShell(platform::UserDialogs& dialogs) : dialogs_(dialogs) {}

  bool openDocument(const std::string& path) override;
  bool startProgram(const std::string& commandLine) override;
  bool deleteFile(const std::string& path) override;
  bool editTextFile(const std::string& path) override;

 private:
  platform::UserDialogs& dialogs_;
  platform::DesktopShell programs_;
};

// Wraps the shell the program runs with. While armed (a project chosen in the
// window is being opened, its session and data sections and the scripts they
// include run), the first `exec` asks whether programs may be started; the
// answer holds until the opening ends. Everything else passes through.
class ExecGuardShell : public platform::Shell {
 public:
  ExecGuardShell(platform::Shell& inner, platform::UserDialogs& dialogs)
      : inner_(inner), dialogs_(dialogs) {}

  void arm(const std::string& projectPath);
  void disarm();
  bool armed() const { return armed_; }

  bool openDocument(const std::string& path) override { return inner_.openDocument(path); }
  bool startProgram(const std::string& commandLine) override;
  bool deleteFile(const std::string& path) override { return inner_.deleteFile(path); }
  bool editTextFile(const std::string& path) override { return inner_.editTextFile(path); }

 private:
  enum class Decision { Unasked, Allowed, Refused };

  platform::Shell& inner_;
  platform::UserDialogs& dialogs_;
  bool armed_ = false;
  Decision decision_ = Decision::Unasked;
  std::string projectPath_;
};

}  // namespace ui
