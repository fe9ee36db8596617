#pragma once

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QUrl>
#include <functional>
#include <memory>
#include <string>

#include "platform/recording_platform.h"
#include "platform/text_encoding.h"
#include "project/project.h"
#include "project/project_file.h"
#include "app/session_section.h"
#include "app/workshop.h"
#include "ui/main_window.h"
#include "ui/project_tree_view.h"
#include "ui/qt_shell.h"

namespace uitest {

inline QString U(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A project directory of its own (the current directory while the fixture
// lives), recording dialogs and shell, the program's context and its window.
struct WindowFixture {
  explicit WindowFixture(const std::string& projectText = {}) {
    previousDirectory = QDir::currentPath();
    QDir::setCurrent(dir.path());
    if (!projectText.empty()) {
      writeFile("projet.tpj", platform::Utf8ToCp1252(projectText));
      project::OpenProject(w.project, path("projet.tpj"), &session);
    }
    w.project.document().path = path("projet.tpj");
    w.paths.projectPath = path("projet.tpj");
    window = std::make_unique<ui::MainWindow>(w, session);
    window->setDocumentationSourceDirectory(dir.filePath("nosource"));
  }
  ~WindowFixture() {
    window.reset();
    QDir::setCurrent(previousDirectory);
  }

  // Shows the window and makes it the active one, so that its shortcuts
  // answer keys.
  void activate() {
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
  }

  std::string path(const QString& name) const { return dir.filePath(name).toStdString(); }
  void writeFile(const QString& name, const std::string& bytes) const {
    QDir(dir.path()).mkpath(QFileInfo(dir.filePath(name)).path());
    QFile f(dir.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  std::string readFile(const QString& name) const {
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    QByteArray bytes = f.readAll();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
  }
  // The project file as UTF-8 text.
  std::string projectFileText(const QString& name = QStringLiteral("projet.tpj")) const {
    return platform::Cp1252ToUtf8(readFile(name));
  }

  // The widget item showing the first entry of that name (and kind code,
  // when given), or the Category of that label.
  QTreeWidgetItem* item(const std::string& name, int kindCode = -1) const {
    for (const project::EntryRecord& e : w.project.entries())
      if (e.name == name && (kindCode < 0 || static_cast<int>(e.kindCode()) == kindCode))
        return window->treeView()->itemForCore(e.treeItem);
    ui::ProjectTreeView* tree = window->treeView();
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
      if (tree->topLevelItem(i)->text(0) == U(name)) return tree->topLevelItem(i);
    return nullptr;
  }
  int index(const std::string& name, int kindCode = -1) const {
    for (size_t i = 0; i < w.project.count(); ++i) {
      const project::EntryRecord& e = w.project.entry(i);
      if (e.name == name && (kindCode < 0 || static_cast<int>(e.kindCode()) == kindCode))
        return static_cast<int>(i);
    }
    return -1;
  }

  QString previousDirectory;
  QTemporaryDir dir;
  platform::RecordingDialogs dialogs;
  platform::RecordingShell recording;
  ui::ExecGuardShell shell{recording, dialogs};
  platform::FixedMachine machine;
  app::Workshop w{{dialogs, shell, machine}};
  app::WorkshopSession session{w};
  std::unique_ptr<ui::MainWindow> window;
};

// The items of a menu as shown: text, enabled, checkable, checked; a
// separator is "-".
struct MenuItem {
  QString text;
  bool enabled = true;
  bool checked = false;
  bool operator==(const MenuItem&) const = default;
};

inline QList<MenuItem> Items(const QMenu* menu) {
  QList<MenuItem> out;
  for (QAction* a : menu->actions()) {
    if (a->isSeparator())
      out.push_back({QStringLiteral("-"), true, false});
    else
      out.push_back({a->text(), a->isEnabled(), a->isCheckable() && a->isChecked()});
  }
  return out;
}

inline QAction* Find(const QMenu* menu, const QString& text) {
  for (QAction* a : menu->actions())
    if (a->text() == text) return a;
  return nullptr;
}

// Runs `act` once the next modal dialog shows (the dialog is handed over).
inline void WhenModalShows(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      act(modal);
    }
  });
  timer->start();
}

// A drag that enters `target`, moves to `pos` and is released there, as the
// desktop sends it (Qt delivers a drop only to the widget that accepted the
// drag's entry). True when the drop was accepted.
inline bool SendDrop(QWidget* target, QPointF pos, const QMimeData* data, Qt::DropAction action) {
  QDragEnterEvent enter(pos.toPoint(), action, data, Qt::LeftButton, {});
  QApplication::sendEvent(target, &enter);
  QDragMoveEvent move(pos.toPoint(), action, data, Qt::LeftButton, {});
  QApplication::sendEvent(target, &move);
  QDropEvent drop(pos, action, data, Qt::LeftButton, {});
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

// Lets queued calls (the end of a label edit) run.
inline void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

}  // namespace uitest

namespace QTest {
template <>
inline char* toString(const uitest::MenuItem& item) {
  return qstrdup(QStringLiteral("{%1, %2, %3}")
                     .arg(item.text, item.enabled ? "on" : "off", item.checked ? "checked" : "")
                     .toUtf8()
                     .constData());
}
}  // namespace QTest
