#include "ui/project_tree_view.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QSet>
#include <QStyledItemDelegate>

#include "project/entry_record.h"
#include "project/project_tree.h"

namespace ui {

namespace {

constexpr int kCoreItemRole = Qt::UserRole + 1;
constexpr int kCategoryRole = Qt::UserRole + 2;

// The label editor: at most 30 characters (longer names are cut anyway), and
// the text is handed to the window instead of being written into the item,
// since the Project decides the name the entry gets.
class LabelDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      line->setMaxLength(static_cast<int>(project::kNameChars));
      line->setAccessibleName(QStringLiteral("Nouveau nom"));
    }
    return editor;
  }
  void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
};

// A key that names an item across rebuilds: the texts from its root down.
QString PathKey(const QTreeWidgetItem* item) {
  QString key;
  for (; item; item = item->parent()) key.prepend(item->text(0) + QChar(0x1F));
  return key;
}

void CollectCollapsed(QTreeWidgetItem* item, QSet<QString>& out) {
  if (item->childCount() > 0 && !item->isExpanded()) out.insert(PathKey(item));
  for (int i = 0; i < item->childCount(); ++i) CollectCollapsed(item->child(i), out);
}

}  // namespace

ProjectTreeView::ProjectTreeView(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setItemDelegate(new LabelDelegate(this));
  setDragEnabled(true);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDropIndicatorShown(false);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::MoveAction);
  setFocusPolicy(Qt::StrongFocus);
  setObjectName(QStringLiteral("projectTree"));
  setAccessibleName(QStringLiteral("Arbre du projet"));
  setAccessibleDescription(QStringLiteral(
      "Catégories, dossiers et éléments du projet. F2 renomme, Suppr supprime, la touche Menu "
      "ouvre le menu de l'élément."));
  connect(this, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item, int) { emit openRequested(item); });
}

void ProjectTreeView::showTree(const project::ProjectTree& tree) {
  QSet<QString> collapsed;
  for (int i = 0; i < topLevelItemCount(); ++i) CollectCollapsed(topLevelItem(i), collapsed);
  dropTarget_ = nullptr;
  clear();
  QHash<project::TreeItem, QTreeWidgetItem*> items;
  // Parents always come before their children in the core's order.
  for (const project::TreeNode& node : tree.nodes()) {
    QTreeWidgetItem* parent = node.parent ? items.value(node.parent) : nullptr;
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, QString::fromStdString(node.text));
    item->setData(0, kCoreItemRole, static_cast<uint>(node.item));
    item->setData(0, kCategoryRole, node.category);
    if (node.category >= 0) {
      QFont font = item->font(0);
      font.setBold(true);
      item->setFont(0, font);
      item->setFlags(item->flags() & ~Qt::ItemIsEditable & ~Qt::ItemIsDragEnabled);
    } else {
      item->setFlags(item->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
    }
    items.insert(node.item, item);
  }
  expandAll();
  if (!collapsed.isEmpty()) {
    for (QTreeWidgetItem* item : items)
      if (collapsed.contains(PathKey(item))) item->setExpanded(false);
  }
}

project::TreeItem ProjectTreeView::coreItem(const QTreeWidgetItem* item) {
  return item ? static_cast<project::TreeItem>(item->data(0, kCoreItemRole).toUInt()) : 0;
}

bool ProjectTreeView::isCategory(const QTreeWidgetItem* item) {
  return item && item->data(0, kCategoryRole).toInt() >= 0;
}

QTreeWidgetItem* ProjectTreeView::itemForCore(project::TreeItem core) const {
  if (core == 0) return nullptr;
  for (QTreeWidgetItemIterator it(const_cast<ProjectTreeView*>(this)); *it; ++it)
    if (coreItem(*it) == core) return *it;
  return nullptr;
}

bool ProjectTreeView::startRenaming(QTreeWidgetItem* item) {
  if (!item || isCategory(item) || isRenaming()) return false;
  setCurrentItem(item);
  scrollToItem(item);
  editingItem_ = coreItem(item);
  committed_ = false;
  committedText_.clear();
  editItem(item, 0);
  if (state() != QAbstractItemView::EditingState) {
    editingItem_ = 0;
    return false;
  }
  if (auto* line = qobject_cast<QLineEdit*>(labelEditor())) line->selectAll();
  return true;
}

QWidget* ProjectTreeView::labelEditor() const {
  if (!isRenaming()) return nullptr;
  QTreeWidgetItem* item = itemForCore(editingItem_);
  return item ? indexWidget(indexFromItem(item, 0)) : nullptr;
}

void ProjectTreeView::commitData(QWidget* editor) {
  if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    committedText_ = line->text();
    committed_ = true;
  }
}

void ProjectTreeView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  project::TreeItem item = editingItem_;
  bool committed = committed_ && hint != QAbstractItemDelegate::RevertModelCache;
  QString text = committedText_;
  editingItem_ = 0;
  committed_ = false;
  committedText_.clear();
  QTreeWidget::closeEditor(editor, hint);
  if (item == 0) return;
  // The window rebuilds the tree in answer: that waits until the editor has
  // finished closing.
  QMetaObject::invokeMethod(
      this,
      [this, item, committed, text] {
        if (committed)
          emit labelEdited(item, text);
        else
          emit labelEditCancelled(item);
      },
      Qt::QueuedConnection);
}

void ProjectTreeView::keyPressEvent(QKeyEvent* event) {
  if (state() != QAbstractItemView::EditingState && event->modifiers() == Qt::NoModifier) {
    if (event->key() == Qt::Key_Delete) {
      if (currentItem()) emit deleteRequested(currentItem());
      return;
    }
    if (event->key() == Qt::Key_F2) {
      if (currentItem()) emit renameRequested(currentItem());
      return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      if (currentItem()) emit openRequested(currentItem());
      return;
    }
  }
  QTreeWidget::keyPressEvent(event);
}

void ProjectTreeView::contextMenuEvent(QContextMenuEvent* event) {
  QTreeWidgetItem* item = nullptr;
  QPoint global = event->globalPos();
  if (event->reason() == QContextMenuEvent::Keyboard) {
    // The menu key: the menu of the selected item, under that item.
    item = currentItem();
    if (item) global = viewport()->mapToGlobal(visualItemRect(item).center());
  } else {
    item = itemAt(viewport()->mapFromGlobal(event->globalPos()));
  }
  if (!item) return;
  setCurrentItem(item);
  emit contextMenuRequestedFor(item, global);
  event->accept();
}

QMimeData* ProjectTreeView::entryMimeData(project::TreeItem item) {
  auto* data = new QMimeData;
  data->setData(kEntryMimeType, QByteArray::number(item));
  return data;
}

project::TreeItem ProjectTreeView::draggedItem(const QMimeData* data) {
  if (!data || !data->hasFormat(kEntryMimeType)) return 0;
  bool ok = false;
  uint item = data->data(kEntryMimeType).toUInt(&ok);
  return ok ? static_cast<project::TreeItem>(item) : 0;
}

void ProjectTreeView::startDrag(Qt::DropActions) {
  QTreeWidgetItem* item = currentItem();
  if (!item || isCategory(item)) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(entryMimeData(coreItem(item)));
  drag->exec(Qt::MoveAction, Qt::MoveAction);
  setDropTarget(nullptr);
}

void ProjectTreeView::dragEnterEvent(QDragEnterEvent* event) {
  // Files dragged from the desktop go on to the window, which adds them.
  if (draggedItem(event->mimeData()) == 0) {
    event->ignore();
    return;
  }
  event->setDropAction(Qt::MoveAction);
  event->accept();
}

void ProjectTreeView::dragMoveEvent(QDragMoveEvent* event) {
  if (draggedItem(event->mimeData()) == 0) {
    event->ignore();
    return;
  }
  setDropTarget(itemAt(event->position().toPoint()));
  event->setDropAction(Qt::MoveAction);
  event->accept();
}

void ProjectTreeView::dragLeaveEvent(QDragLeaveEvent* event) {
  setDropTarget(nullptr);
  event->accept();
}

void ProjectTreeView::dropEvent(QDropEvent* event) {
  project::TreeItem dragged = draggedItem(event->mimeData());
  if (dragged == 0) {
    event->ignore();
    return;
  }
  project::TreeItem target = coreItem(itemAt(event->position().toPoint()));
  setDropTarget(nullptr);
  event->setDropAction(Qt::MoveAction);
  event->accept();
  emit entryDropped(dragged, target);
}

void ProjectTreeView::setDropTarget(QTreeWidgetItem* item) {
  if (item == dropTarget_) return;
  if (dropTarget_) {
    dropTarget_->setFont(0, dropTargetFont_);
    dropTarget_->setBackground(0, dropTargetBackground_);
    dropTarget_->setForeground(0, dropTargetForeground_);
  }
  dropTarget_ = item;
  if (item) {
    dropTargetFont_ = item->font(0);
    dropTargetBackground_ = item->background(0);
    dropTargetForeground_ = item->foreground(0);
    QFont bold = dropTargetFont_;
    bold.setBold(true);
    item->setFont(0, bold);
    item->setBackground(0, palette().brush(QPalette::Highlight));
    item->setForeground(0, palette().brush(QPalette::HighlightedText));
  }
}

}  // namespace ui
