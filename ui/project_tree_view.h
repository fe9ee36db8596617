#pragma once

#include <QBrush>
#include <QFont>
#include <QPointer>
#include <QTreeWidget>

#include "project/entry_record.h"

class QMimeData;

namespace project {
class ProjectTree;
}

namespace ui {

// Shows the Project tree as the core built it: Categories, Folders and
// Elements, each widget item carrying the core's tree item. It turns the
// user's gestures into requests the window carries out on the Project:
// label edits (F2), Delete, double-clicks, context menus and drags of an
// entry onto another item (the item under the mouse is shown highlighted and
// in bold while dragging).
class ProjectTreeView : public QTreeWidget {
  Q_OBJECT

 public:
  // The type of the data an entry carries while it is dragged.
  static constexpr const char* kEntryMimeType = "application/x-tesselworks-entry";

  explicit ProjectTreeView(QWidget* parent = nullptr);

  // Rebuilds the widget items from the core's tree. Folders and Categories
  // the user had collapsed stay collapsed.
  void showTree(const project::ProjectTree& tree);

  // The core's item of a widget item (0 for none).
  static project::TreeItem coreItem(const QTreeWidgetItem* item);
  // The widget item showing a core item, or nullptr.
  QTreeWidgetItem* itemForCore(project::TreeItem core) const;
  // True for the five Category roots.
  static bool isCategory(const QTreeWidgetItem* item);

  // Starts editing an entry's label (Categories are not renamed). The end of
  // the edit is reported by labelEdited or labelEditCancelled.
  bool startRenaming(QTreeWidgetItem* item);
  bool isRenaming() const { return editingItem_ != 0; }
  // The editor of the label being edited, or nullptr.
  QWidget* labelEditor() const;

  // The item shown as the drop target while an entry is dragged, or nullptr.
  QTreeWidgetItem* dropTarget() const { return dropTarget_; }

  // The data a drag of this entry carries.
  static QMimeData* entryMimeData(project::TreeItem item);

 signals:
  // The edit ended with a text (Enter, or the focus went elsewhere).
  void labelEdited(quint32 item, const QString& text);
  // The edit was cancelled (Esc).
  void labelEditCancelled(quint32 item);
  void deleteRequested(QTreeWidgetItem* item);
  void renameRequested(QTreeWidgetItem* item);
  void openRequested(QTreeWidgetItem* item);
  void contextMenuRequestedFor(QTreeWidgetItem* item, const QPoint& globalPos);
  // An entry was dropped on `target` (0: on no item).
  void entryDropped(quint32 dragged, quint32 target);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void commitData(QWidget* editor) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  void setDropTarget(QTreeWidgetItem* item);
  static project::TreeItem draggedItem(const QMimeData* data);

  project::TreeItem editingItem_ = 0;
  QString committedText_;
  bool committed_ = false;

  QTreeWidgetItem* dropTarget_ = nullptr;
  QFont dropTargetFont_;
  QBrush dropTargetBackground_;
  QBrush dropTargetForeground_;
};

}  // namespace ui
