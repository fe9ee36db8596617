#pragma once

#include <QMainWindow>

#include "script/script_host.h"

class QLabel;
class QMenu;
class QTreeWidgetItem;

namespace project {
class SessionHooks;
}
namespace app {
struct Workshop;
}

namespace ui {

class ProjectTreeView;

// The program's main window: the Project tree on the left, the page of the
// selection on the right, the menus of every command.
class MainWindow : public QMainWindow, public script::ScriptHost {
  Q_OBJECT

 public:
  MainWindow(app::Workshop& workshop, project::SessionHooks& hooks, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Runs the system script's start event; false when it asks to close.
  bool runStartEvent();

  ProjectTreeView* treeView() const { return tree_; }
  QString infoText() const;

  // Shows the core's tree again (after any change to the table).
  void refreshTree();

  // script::ScriptHost
  void setTreeReactionsSuspended(bool suspended) override;
  void rebuildBitGrid() override {}
  void showMainWindow(bool shown) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void buildProceduresMenu();
  void showPageFor(QTreeWidgetItem* item);
  void setInfoText(const QString& text);
  bool saveProject(bool askForName);
  void quitWithoutSaving();

  app::Workshop& workshop_;
  project::SessionHooks& hooks_;
  ProjectTreeView* tree_ = nullptr;
  QLabel* info_ = nullptr;
  QLabel* page_ = nullptr;
  QMenu* proceduresMenu_ = nullptr;
  bool treeReactionsSuspended_ = false;
  bool quitting_ = false;
};

}  // namespace ui
