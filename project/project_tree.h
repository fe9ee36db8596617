#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "project/entry_record.h"

namespace project {

// One shown item: a Category root or an entry of the table.
struct TreeNode {
  TreeItem item = 0;
  TreeItem parent = 0;  // 0: the top level
  std::string text;
  int category = -1;  // index into kCategories for the five roots, else -1
};

// The Project tree as data: the GUI shows these nodes as they are (children
// in insertion order) and hands their items back to the Project's operations.
// Items are never reused, so an item kept by the GUI across a rebuild cannot
// name some other entry by accident.
class ProjectTree {
 public:
  // Removes every node (item numbers go on increasing).
  void clear();

  TreeItem insert(TreeItem parent, std::string text, int category = -1);

  // Removes the node and everything below it; returns the removed items.
  std::vector<TreeItem> remove(TreeItem item);

  // The node of an item, or nullptr.
  const TreeNode* find(TreeItem item) const;

  // The Category an item is the root of, or -1.
  int categoryOf(TreeItem item) const;

  // The root item of a Category (index into kCategories), or 0.
  TreeItem categoryItem(int category) const;

  std::vector<TreeItem> children(TreeItem parent) const;

  // Every node, in insertion order (a parent always comes before its children).
  const std::vector<TreeNode>& nodes() const { return nodes_; }

 private:
  size_t indexOf(TreeItem item) const;

  std::vector<TreeNode> nodes_;  // sorted by item, since items only grow
  TreeItem next_ = 1;
};

}  // namespace project
