#include <QApplication>
#include <QPointer>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/console_platform.h"
#include "app/session_section.h"
#include "app/startup.h"
#include "app/workshop.h"
#include "ui/main_window.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_shell.h"
#include "ui/splash_window.h"

namespace {

std::string ProgramDirectory(const char* argv0) {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) exe = std::filesystem::absolute(argv0, ec);
  return exe.parent_path().string();
}

// Qt aborts when it finds no display: tell the user instead.
bool HasDisplay() {
  for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(var);
    if (value && *value) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  // Asked for the usage or the version, the program opens and writes nothing.
  if (std::optional<std::string> text = app::InformationRequested(args)) {
    std::fputs(text->c_str(), stdout);
    return 0;
  }
  app::CommandLine commandLine = app::CommandLineFromArguments(args);
  std::string programDir = ProgramDirectory(argv[0]);

  // Statements and conversions on the command line run without a window, so
  // they need no display.
  if (app::ModeOf(commandLine) != app::RunMode::Interactive)
    return app::RunWithoutWindow(commandLine, programDir);

  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "Tessel Works: aucun affichage disponible. Pour travailler sans fenêtre, "
                 "donnez des instructions de script ou des conversions (-...) après le "
                 "fichier de projet.\n");
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tessel Works"));
  // Settings and element files are written with '.' decimals whatever the
  // desktop's language.
  std::setlocale(LC_NUMERIC, "C");

  // Start-up, step 2: the wait window stays on top while the project opens;
  // the main window closes it at the end of its own start.
  auto* wait = new ui::WaitWindow;
  wait->setAttribute(Qt::WA_DeleteOnClose);
  wait->show();
  QApplication::processEvents();

  ui::QtDialogs dialogs;
  ui::QtShell desktop(dialogs);
  ui::ExecGuardShell shell(desktop, dialogs);
  platform::SystemMachine machine;
  app::Workshop w({dialogs, shell, machine});
  w.paths.programDirectory = programDir;
  app::WorkshopSession session(w);
  app::StartWorkshop(w, commandLine, session);

  QPointer<ui::SplashWindow> splash =
      new ui::SplashWindow(ui::SplashImagePath(QString::fromStdString(programDir)));
  splash->start();
  ui::MainWindow window(w, session);
  dialogs.setParent(&window);
  window.show();
  // The splash stays above the window that showed after it, also on a
  // desktop that does not keep "on top" windows there by itself.
  if (splash) splash->raise();
  bool started = window.start();
  wait->close();
  if (!started) return 0;
  return app.exec();
}
