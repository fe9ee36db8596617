#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "convert/converted_pixel.h"

// The colour octree of the Optimal reduction. Colours are inserted one by one;
// after each insertion, while there are more leaves than allowed, the most
// recently created node of the deepest level that still has reducible nodes
// is folded into a leaf. The palette is read depth first.
//
// The three channels are taken from bytes 2, 1 and 0 of the word (red, green,
// blue of a ConvertedPixel), and leaf colours are written back the same way;
// the multi-palette converter, which works on red-blue swapped words, relies
// on that.
namespace convert {

class Octree {
 public:
  static constexpr int kDepth = 8;

  explicit Octree(int maxLeaves) : maxLeaves_(maxLeaves) { reducible_.fill(-1); }

  void insert(ConvertedPixel colour);
  int leafCount() const { return leaves_; }

  // Appends the leaf colours (sum / count per channel, opacity 255), depth
  // first with children in order 0..7.
  void appendColours(std::vector<ConvertedPixel>& out) const;

 private:
  struct Node {
    uint64_t count = 0;
    uint64_t sums[3] = {0, 0, 0};
    int32_t children[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    int32_t next = -1;  // next reducible node of the same level
    bool leaf = false;
  };

  int32_t newNode(int level);
  void freeNode(int32_t node);
  bool reduce();
  void append(int32_t node, std::vector<ConvertedPixel>& out) const;

  std::vector<Node> nodes_;
  std::vector<int32_t> free_;
  std::array<int32_t, kDepth> reducible_;  // head of each level's list
  int32_t root_ = -1;
  int leaves_ = 0;
  int maxLeaves_;
};

}  // namespace convert
