#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tilecvt {

struct Match {
  uint32_t length = 0;
  uint32_t distance = 0;  // 1 = the byte just before
};

// Finds earlier occurrences of the bytes at each position with a binary
// search tree per hashed prefix, kept over a sliding window: every string
// of the window sits in the tree ordered by its first `maxLength` bytes, and
// newer strings lie nearer the root, so the walk that inserts a position
// passes the longest match in the window. Positions are inserted in rising
// order, each at most once, through Find or Skip; one left out is never
// reported as a match.
class TreeMatchFinder {
 public:
  static constexpr uint32_t kUnlimitedDepth = UINT32_MAX;

  // `window` is the largest distance; `depthLimit` bounds the walk (an
  // unlimited walk always finds the longest match). Trees are kept per
  // `prefixBytes` (2 or 3) first bytes: matches shorter than that are not
  // reported, and longer prefixes make smaller trees.
  TreeMatchFinder(std::span<const uint8_t> data, uint32_t window, uint32_t maxLength,
                  uint32_t prefixBytes, uint32_t depthLimit = kUnlimitedDepth);

  // Inserts `position` and writes the matches it found, lengths rising (at
  // least prefixBytes, at most maxLength and the bytes left), the longest last. Returns
  // their number; `matches` needs room for maxLength entries.
  size_t find(size_t position, Match* matches) { return insert<true>(position, matches); }
  void skip(size_t position) { insert<false>(position, nullptr); }

  // Like Find, but only looks: `position` is not inserted. With every position
  // up to `position - 2` inserted (and no later one) this finds the longest
  // match whose distance is at least 2.
  size_t search(size_t position, Match* matches) const;

 private:
  template <bool kRecord>
  size_t insert(size_t position, Match* matches);

  static constexpr uint32_t kEmpty = UINT32_MAX;

  std::span<const uint8_t> data_;
  uint32_t window_;
  uint32_t maxLength_;
  uint32_t prefixBytes_;
  uint32_t depthLimit_;
  uint32_t cyclicMask_;
  std::vector<uint32_t> heads_;
  std::vector<uint32_t> children_;  // two per cyclic slot: smaller, larger
};

}  // namespace tilecvt
