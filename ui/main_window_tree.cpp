// What the main window does with the tree's gestures: double-clicks, the
// context menus, label edits, Delete and drags (Parts 1.1 and 6.1).
#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "platform/paths.h"
#include "project/kinds.h"
#include "project/project.h"
#include "app/workshop.h"
#include "ui/element_dialogs.h"
#include "ui/main_window.h"
#include "ui/project_tree_view.h"
#include "ui/qt_shell.h"
#include "ui/window_texts.h"

namespace ui {

namespace {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Native(const std::string& path) { return QString::fromStdString(platform::ToNative(path)); }

bool OpensInEditor(uint32_t kindCode) {
  return kindCode == project::kKindMap || kindCode == project::kKindList;
}

}  // namespace

void MainWindow::openItem(QTreeWidgetItem* item) {
  if (isBusy()) return;
  int index = entryIndex(item);
  if (index < 0) return;  // a Category
  const project::EntryRecord& e = workshop_.project.entry(static_cast<size_t>(index));
  if (e.isFolder()) return;
  if (OpensInEditor(e.kindCode()))
    openMapEditor(index);
  else
    openTextFile(index);
}

void MainWindow::openTextFile(int index) {
  const std::string& file = workshop_.project.entry(static_cast<size_t>(index)).file;
  if (!IsRegularFile(Native(file))) {
    project::Show(workshop_.services.dialogs, texts::kFileMissing, file);
    return;
  }
  workshop_.services.shell.editTextFile(platform::ToNative(file));
}

void MainWindow::openBaseFile(int index) {
  const std::string& base = workshop_.project.entry(static_cast<size_t>(index)).baseFile;
  // Only a plain document is handed to the desktop: a base file that names a
  // program, a directory or a device is not opened.
  if (!IsPlainDocument(Native(base))) {
    project::Show(workshop_.services.dialogs, texts::kNotADocument, base);
    return;
  }
  workshop_.services.shell.openDocument(platform::ToNative(base));
}

void MainWindow::duplicateItem(QTreeWidgetItem* item) {
  int index = entryIndex(item);
  if (isBusy() || index < 0) return;
  int copy = workshop_.project.duplicateEntry(static_cast<size_t>(index));
  if (copy < 0) return;
  refreshTree(copy);
  QTreeWidgetItem* copyItem =
      tree_->itemForCore(workshop_.project.entry(static_cast<size_t>(copy)).treeItem);
  // The label edit decides the copy's fate; without one it goes again.
  if (!tree_->startRenaming(copyItem)) {
    workshop_.project.cancelRename(static_cast<size_t>(copy));
    refreshTree();
  }
}

void MainWindow::renameItem(QTreeWidgetItem* item) {
  if (isBusy() || entryIndex(item) < 0) return;
  tree_->startRenaming(item);
}

void MainWindow::deleteItem(QTreeWidgetItem* item) {
  int index = entryIndex(item);
  if (isBusy() || index < 0) return;
  if (workshop_.project.deleteEntry(static_cast<size_t>(index))) refreshTree();
}

void MainWindow::labelEdited(quint32 item, const QString& text) {
  int index = workshop_.project.findByTreeItem(item);
  if (index < 0) return;
  int renamed = workshop_.project.renameEntry(static_cast<size_t>(index), text.toStdString());
  refreshTree(renamed);
}

void MainWindow::labelEditCancelled(quint32 item) {
  int index = workshop_.project.findByTreeItem(item);
  if (index < 0) return;
  workshop_.project.cancelRename(static_cast<size_t>(index));
  refreshTree();
}

void MainWindow::entryDropped(quint32 dragged, quint32 target) {
  if (isBusy()) return;
  int index = workshop_.project.findByTreeItem(dragged);
  if (index < 0) return;
  SelectionKey key = selectionKey(tree_->itemForCore(dragged));
  if (!workshop_.project.moveByDragging(dragged, target)) return;
  rebuilding_ = true;
  tree_->showTree(workshop_.project.tree());
  if (QTreeWidgetItem* moved = findItem(key)) tree_->setCurrentItem(moved);
  rebuilding_ = false;
  showPageFor(selectedItem());
}

// --- Context menus ----------------------------------------------------------------

void MainWindow::showContextMenu(QTreeWidgetItem* item, const QPoint& globalPos) {
  if (isBusy()) return;
  QMenu* menu = contextMenuFor(item);
  if (!menu) return;
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(globalPos);
}

QMenu* MainWindow::contextMenuFor(QTreeWidgetItem* item) {
  if (!item) return nullptr;
  project::TreeItem core = ProjectTreeView::coreItem(item);
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("treeContextMenu"));
  menu->setAccessibleName(QStringLiteral("Menu de %1").arg(item->text(0)));
  int category = workshop_.project.tree().categoryOf(core);
  int index = workshop_.project.findByTreeItem(core);
  if (category >= 0) {
    fillCategoryMenu(menu, category);
  } else if (index >= 0 && workshop_.project.entry(static_cast<size_t>(index)).isFolder()) {
    fillFolderMenu(menu, index);
  } else if (index >= 0) {
    fillElementMenu(menu, index);
  } else {
    delete menu;
    return nullptr;
  }
  return menu;
}

void MainWindow::fillElementMenu(QMenu* menu, int index) {
  const project::EntryRecord& e = workshop_.project.entry(static_cast<size_t>(index));
  project::TreeItem core = e.treeItem;
  // Each action finds its entry again by its item: an earlier command may
  // have moved it in the table.
  auto entryOf = [this, core] { return workshop_.project.findByTreeItem(core); };
  auto itemOf = [this, core] { return tree_->itemForCore(core); };

  if (IsRegularFile(Native(e.file))) {
    connect(menu->addAction(Utf8(texts::kViewCode)), &QAction::triggered, this, [this, entryOf] {
      if (int i = entryOf(); i >= 0) openTextFile(i);
    });
  } else {
    menu->addAction(Utf8(texts::kFileNotFound))->setEnabled(false);
  }
  if (OpensInEditor(e.kindCode())) {
    connect(menu->addAction(Utf8(texts::kEdit)), &QAction::triggered, this, [this, entryOf] {
      if (int i = entryOf(); i >= 0) openMapEditor(i);
    });
  }
  if (!e.baseFile.empty() && QFileInfo::exists(Native(e.baseFile))) {
    connect(menu->addAction(Utf8(texts::kBaseFile)), &QAction::triggered, this, [this, entryOf] {
      if (int i = entryOf(); i >= 0) openBaseFile(i);
    });
  }
  menu->addSeparator();
  connect(menu->addAction(Utf8(texts::kDuplicate)), &QAction::triggered, this,
          [this, itemOf] { duplicateItem(itemOf()); });
  connect(menu->addAction(Utf8(texts::kRenameF2)), &QAction::triggered, this,
          [this, itemOf] { renameItem(itemOf()); });
  connect(menu->addAction(Utf8(texts::kDeleteDel)), &QAction::triggered, this,
          [this, itemOf] { deleteItem(itemOf()); });
  connect(menu->addAction(Utf8(texts::kProperties)), &QAction::triggered, this, [this, entryOf] {
    if (int i = entryOf(); i >= 0 && ShowElementPropertiesDialog(this, workshop_, i))
      refreshTree(i);
  });
}

void MainWindow::fillFolderMenu(QMenu* menu, int index) {
  const project::EntryRecord& folder = workshop_.project.entry(static_cast<size_t>(index));
  project::TreeItem core = folder.treeItem;
  std::string name = folder.name;
  QMenu* defaults = menu->addMenu(Utf8(texts::kDefaultFolderFor));
  defaults->setAccessibleName(Utf8(texts::kDefaultFolderFor));
  // "mosaiques", "cartes", "palettes", "bitmaps", "listes": the folder-field
  // names of the Categories, in the order of the folder dialogs.
  for (const project::FolderFieldName& field : project::kFolderFieldNames) {
    if (field.category < 0) continue;
    uint32_t slot = project::kCategories[static_cast<size_t>(field.category)].kind;
    QAction* action = defaults->addAction(Utf8(field.french));
    action->setCheckable(true);
    action->setChecked(workshop_.project.defaultFolder(slot) == name);
    connect(action, &QAction::triggered, this, [this, slot, name] {
      bool isDefault = workshop_.project.defaultFolder(slot) == name;
      workshop_.project.setDefaultFolder(slot, isDefault ? std::string_view() : name);
    });
  }
  auto itemOf = [this, core] { return tree_->itemForCore(core); };
  connect(menu->addAction(Utf8(texts::kRename)), &QAction::triggered, this,
          [this, itemOf] { renameItem(itemOf()); });
  connect(menu->addAction(Utf8(texts::kDelete)), &QAction::triggered, this,
          [this, itemOf] { deleteItem(itemOf()); });
}

void MainWindow::fillCategoryMenu(QMenu* menu, int category) {
  project::Project& p = workshop_.project;
  uint32_t slot = project::kCategories[static_cast<size_t>(category)].kind;
  const std::string& current = p.defaultFolder(slot);
  auto restoreAll = [this] { workshop_.project.clearDefaultFolders(); };
  if (!current.empty()) {
    connect(menu->addAction(Utf8(texts::kRestoreDefaultFolder)), &QAction::triggered, this,
            [this, slot] { workshop_.project.setDefaultFolder(slot, {}); });
    connect(menu->addAction(Utf8(texts::kRestoreAllFolders)), &QAction::triggered, this,
            restoreAll);
    menu->addSeparator();
    menu->addAction(Utf8(texts::kCurrentFolder).arg(Utf8(current)))->setEnabled(false);
    return;
  }
  bool otherDefaults = false;
  for (const std::string& folder : p.defaultFolders()) otherDefaults |= !folder.empty();
  if (otherDefaults) {
    connect(menu->addAction(Utf8(texts::kRestoreAllFolders)), &QAction::triggered, this,
            restoreAll);
    menu->addSeparator();
  }
  QAction* ok = menu->addAction(Utf8(texts::kFolderOk));
  ok->setCheckable(true);
  ok->setChecked(true);
  ok->setEnabled(false);
}

}  // namespace ui
