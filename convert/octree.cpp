#include "convert/octree.h"

#include <cstddef>

namespace convert {

int32_t Octree::newNode(int level) {
  int32_t id;
  if (!free_.empty()) {
    id = free_.back();
    free_.pop_back();
    nodes_[static_cast<size_t>(id)] = Node{};
  } else {
    id = static_cast<int32_t>(nodes_.size());
    nodes_.emplace_back();
  }
  Node& n = nodes_[static_cast<size_t>(id)];
  if (level == kDepth) {
    n.leaf = true;
    ++leaves_;
  } else {
    n.next = reducible_[static_cast<size_t>(level)];
    reducible_[static_cast<size_t>(level)] = id;
  }
  return id;
}

void Octree::freeNode(int32_t node) { free_.push_back(node); }

void Octree::insert(ConvertedPixel colour) {
  const uint32_t channel[3] = {PixelRed(colour), PixelGreen(colour), PixelBlue(colour)};
  if (root_ < 0) root_ = newNode(0);
  int32_t node = root_;
  for (int level = 0;; ++level) {
    Node& n = nodes_[static_cast<size_t>(node)];
    if (n.leaf) {
      ++n.count;
      for (int i = 0; i < 3; ++i) n.sums[i] += channel[i];
      break;
    }
    const uint32_t mask = 128u >> level;
    const int shift = 7 - level;
    const int child =
        static_cast<int>(((channel[0] & mask) >> shift) * 4 + ((channel[1] & mask) >> shift) * 2 +
                         ((channel[2] & mask) >> shift));
    int32_t next = n.children[child];
    if (next < 0) {
      next = newNode(level + 1);  // may move the nodes
      nodes_[static_cast<size_t>(node)].children[child] = next;
    }
    node = next;
  }
  while (leaves_ > maxLeaves_)
    if (!reduce()) break;
}

bool Octree::reduce() {
  int level = kDepth - 1;
  while (level > 0 && reducible_[static_cast<size_t>(level)] < 0) --level;
  const int32_t node = reducible_[static_cast<size_t>(level)];
  if (node < 0) return false;
  Node& n = nodes_[static_cast<size_t>(node)];
  reducible_[static_cast<size_t>(level)] = n.next;
  int children = 0;
  for (int32_t& c : n.children) {
    if (c < 0) continue;
    const Node& child = nodes_[static_cast<size_t>(c)];
    n.count += child.count;
    for (int i = 0; i < 3; ++i) n.sums[i] += child.sums[i];
    freeNode(c);
    c = -1;
    ++children;
  }
  n.leaf = true;
  leaves_ += 1 - children;
  return true;
}

void Octree::append(int32_t node, std::vector<ConvertedPixel>& out) const {
  const Node& n = nodes_[static_cast<size_t>(node)];
  if (n.leaf) {
    if (n.count > 0)
      out.push_back(MakePixel(static_cast<uint32_t>(n.sums[0] / n.count),
                              static_cast<uint32_t>(n.sums[1] / n.count),
                              static_cast<uint32_t>(n.sums[2] / n.count)));
    return;
  }
  for (int32_t c : n.children)
    if (c >= 0) append(c, out);
}

void Octree::appendColours(std::vector<ConvertedPixel>& out) const {
  if (root_ >= 0) append(root_, out);
}

}  // namespace convert
