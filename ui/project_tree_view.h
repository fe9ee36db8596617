#pragma once

#include <QTreeWidget>

#include "project/entry_record.h"

namespace project {
class ProjectTree;
}

namespace ui {

// Shows the Project tree as the core built it: Categories, Folders and
// Elements, each widget item carrying the core's tree item.
class ProjectTreeView : public QTreeWidget {
  Q_OBJECT

 public:
  explicit ProjectTreeView(QWidget* parent = nullptr);

  // Rebuilds the widget items from the core's tree.
  void showTree(const project::ProjectTree& tree);

  // The core's item of a widget item (0 for none).
  static project::TreeItem coreItem(const QTreeWidgetItem* item);
};

}  // namespace ui
