#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <string>

#include "script/script_host.h"
#include "ui/element_pages.h"

class QAction;
class QLabel;
class QMenu;
class QTreeWidgetItem;
class QVBoxLayout;

namespace project {
class SessionHooks;
}
namespace app {
struct Workshop;
}

namespace ui {

class ProjectTreeView;

// The commands of the menu bar, in menu order.
enum class Command {
  New,
  Open,
  Save,
  SaveAs,
  Platform,
  Formats,
  QuitWithoutSaving,
  CopyPreview,
  ExportPreview,
  RebuildTree,
  AddFolder,
  ScriptPrompt,
  CleanProject,
  Options,
  Documentation,
  UserHelp,
  About,
};
inline constexpr int kCommandCount = static_cast<int>(Command::About) + 1;

// The program's main window: the Project tree on the left, the
// one-line information strip and the page of the selection on the right, the
// menus and accelerators of every command, files dropped from the desktop.
class MainWindow : public QMainWindow, public script::ScriptHost, public PageHost {
  Q_OBJECT

 public:
  MainWindow(app::Workshop& workshop, project::SessionHooks& hooks, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The end of the window's creation: the system script's start event runs;
  // when it asks to stop, false (the caller ends the program). Otherwise the
  // tree gets the focus, the format and model the project named are
  // selected and dropped files are accepted.
  bool start();
  // Only the start event (start() runs it).
  bool runStartEvent();

  ProjectTreeView* treeView() const { return tree_; }
  QString infoText() const;
  QAction* commandAction(Command command) const { return actions_[static_cast<size_t>(command)]; }
  QMenu* proceduresMenu() const { return proceduresMenu_; }
  // The selected tree item (its page is shown), or nullptr.
  QTreeWidgetItem* selectedItem() const;
  // The page shown at the right of the tree, or nullptr.
  QWidget* currentPage() const { return page_; }
  bool isBusy() const { return busyDepth_ > 0; }

  // The context menu of a tree item (Element, Folder or Category), built
  // afresh; the caller owns it. Nullptr for no item.
  QMenu* contextMenuFor(QTreeWidgetItem* item);

  // Files dropped on the window, each added as an Element when a format
  // knows its extension. Returns how many were added.
  int addDroppedFiles(const QStringList& paths);

  // True when saving now would write something else than the project's file
  // held when it was last opened or saved.
  bool projectChanged();

  // Where the HTML documentation is looked for besides the installed copy
  // (the source tree by default).
  void setDocumentationSourceDirectory(const QString& directory) { docSourceDir_ = directory; }

  // Shows the core's tree again (after any change to the table).
  void refreshTree() { refreshTree(-1); }

  // PageHost
  void setBusy(bool busy) override;
  void refreshTree(int selectEntry) override;
  void openMapEditor(int entryIndex) override;
  void showOptions(int page) override;

  // script::ScriptHost
  void setTreeReactionsSuspended(bool suspended) override;
  void rebuildBitGrid() override {}
  void showMainWindow(bool shown) override;
  void refreshPlatformDisplays() override;

 public slots:
  void newProject();
  void openProject();
  bool saveProject(bool askForName);
  void quitWithoutSaving();
  void runScriptPrompt();
  void showDocumentation();
  void showUserHelp();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  struct SelectionKey {
    int category = -1;
    bool isEntry = false;
    std::string name;
    uint32_t kind = 0;
  };

  void buildMenus();
  void buildProceduresMenu();
  QAction* addCommand(QMenu* menu, Command command, const char* text, const char* shortcut);
  void runCommand(Command command);
  void updateActions();

  void showPageFor(QTreeWidgetItem* item);
  void setPage(QWidget* page);
  QWidget* textPage(const QString& text, const QString& accessibleName);
  QWidget* entryInformationPage(int index);
  void setInfoText(const QString& text);
  SelectionKey selectionKey(QTreeWidgetItem* item) const;
  QTreeWidgetItem* findItem(const SelectionKey& key) const;

  // The entry an item shows, or -1 (a Category, nothing).
  int entryIndex(QTreeWidgetItem* item) const;
  void openItem(QTreeWidgetItem* item);
  void openTextFile(int index);
  void openBaseFile(int index);
  void duplicateItem(QTreeWidgetItem* item);
  void renameItem(QTreeWidgetItem* item);
  void deleteItem(QTreeWidgetItem* item);
  void labelEdited(quint32 item, const QString& text);
  void labelEditCancelled(quint32 item);
  void entryDropped(quint32 dragged, quint32 target);
  void showContextMenu(QTreeWidgetItem* item, const QPoint& globalPos);
  void fillElementMenu(QMenu* menu, int index);
  void fillFolderMenu(QMenu* menu, int index);
  void fillCategoryMenu(QMenu* menu, int category);

  // "Enregistrer le projet d'abord?": false when the command stops (Cancel,
  // or the save was cancelled or failed).
  bool askSaveFirst();
  // The project as it stands becomes the one held by its file.
  void markSaved();
  void afterProjectChange();

  app::Workshop& workshop_;
  project::SessionHooks& hooks_;
  ProjectTreeView* tree_ = nullptr;
  QLabel* info_ = nullptr;
  QWidget* pageArea_ = nullptr;
  QVBoxLayout* pageLayout_ = nullptr;
  QPointer<QWidget> page_;
  QMenu* proceduresMenu_ = nullptr;
  std::array<QAction*, kCommandCount> actions_{};
  QString docSourceDir_;
  QString infoFull_;
  QString infoBeforeBusy_;
  std::string savedText_;
  int busyDepth_ = 0;
  bool treeReactionsSuspended_ = false;
  bool rebuilding_ = false;
  bool quitting_ = false;
};

}  // namespace ui
