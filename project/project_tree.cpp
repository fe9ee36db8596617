#include "project/project_tree.h"

#include <algorithm>

namespace project {

void ProjectTree::clear() { nodes_.clear(); }

TreeItem ProjectTree::insert(TreeItem parent, std::string text, int category) {
  TreeItem item = next_++;
  if (next_ == 0) next_ = 1;  // 0 stays "not shown"
  nodes_.push_back(TreeNode{item, parent, std::move(text), category});
  return item;
}

size_t ProjectTree::indexOf(TreeItem item) const {
  if (item == 0) return nodes_.size();
  auto it = std::lower_bound(nodes_.begin(), nodes_.end(), item,
                             [](const TreeNode& n, TreeItem i) { return n.item < i; });
  if (it == nodes_.end() || it->item != item) return nodes_.size();
  return static_cast<size_t>(it - nodes_.begin());
}

std::vector<TreeItem> ProjectTree::remove(TreeItem item) {
  std::vector<TreeItem> removed;
  if (indexOf(item) == nodes_.size()) return removed;
  removed.push_back(item);
  // Parents precede their children, so one pass in order collects the subtree.
  for (const TreeNode& n : nodes_)
    if (std::find(removed.begin(), removed.end(), n.parent) != removed.end())
      removed.push_back(n.item);
  std::erase_if(nodes_, [&](const TreeNode& n) {
    return std::find(removed.begin(), removed.end(), n.item) != removed.end();
  });
  return removed;
}

const TreeNode* ProjectTree::find(TreeItem item) const {
  size_t i = indexOf(item);
  return i < nodes_.size() ? &nodes_[i] : nullptr;
}

int ProjectTree::categoryOf(TreeItem item) const {
  const TreeNode* n = find(item);
  return n ? n->category : -1;
}

TreeItem ProjectTree::categoryItem(int category) const {
  for (const TreeNode& n : nodes_)
    if (n.category == category && category >= 0) return n.item;
  return 0;
}

std::vector<TreeItem> ProjectTree::children(TreeItem parent) const {
  std::vector<TreeItem> out;
  for (const TreeNode& n : nodes_)
    if (n.parent == parent) out.push_back(n.item);
  return out;
}

}  // namespace project
