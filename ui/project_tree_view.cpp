#include "ui/project_tree_view.h"

#include <QHash>

#include "project/project_tree.h"

namespace ui {

namespace {
constexpr int kCoreItemRole = Qt::UserRole + 1;
}

ProjectTreeView::ProjectTreeView(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
}

void ProjectTreeView::showTree(const project::ProjectTree& tree) {
  clear();
  QHash<project::TreeItem, QTreeWidgetItem*> items;
  // Parents always come before their children in the core's order.
  for (const project::TreeNode& node : tree.nodes()) {
    QTreeWidgetItem* parent = node.parent ? items.value(node.parent) : nullptr;
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, QString::fromStdString(node.text));
    item->setData(0, kCoreItemRole, static_cast<uint>(node.item));
    if (node.category >= 0) {
      QFont font = item->font(0);
      font.setBold(true);
      item->setFont(0, font);
    }
    items.insert(node.item, item);
  }
  expandAll();
}

project::TreeItem ProjectTreeView::coreItem(const QTreeWidgetItem* item) {
  return item ? static_cast<project::TreeItem>(item->data(0, kCoreItemRole).toUInt()) : 0;
}

}  // namespace ui
