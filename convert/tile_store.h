#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

// The tiles of a conversion, stored one after the other in 8 × 8 blocks, with
// the lookup that merges identical tiles.
namespace convert {

// At most this many 8 × 8 blocks are stored (tiles of 16 × 16 count four).
inline constexpr int kMaxTileBlocks = 8192;

class TileStore {
 public:
  TileStore(int tileWidth, int tileHeight);

  size_t wordsPerTile() const { return wordsPerTile_; }
  int blocksPerTile() const { return blocksPerTile_; }
  int count() const { return count_; }
  std::vector<uint32_t>& words() { return words_; }
  const std::vector<uint32_t>& words() const { return words_; }

  // Appends without looking at the block limit (an existing tileset, the
  // empty first tile).
  void appendUnchecked(const uint32_t* tile);
  // The first stored tile, from number `first` on, equal word for word.
  int find(const uint32_t* tile, int first) const;
  // Appends and returns the tile's number; −1 when the tiles stored already
  // fill kMaxTileBlocks blocks.
  int append(const uint32_t* tile);

 private:
  uint64_t hash(const uint32_t* tile) const;

  size_t wordsPerTile_;
  int blocksPerTile_;
  int count_ = 0;
  std::vector<uint32_t> words_;
  std::unordered_map<uint64_t, std::vector<int>> byHash_;  // numbers in ascending order
};

}  // namespace convert
