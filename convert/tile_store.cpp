#include "convert/tile_store.h"

#include <algorithm>

#include "convert/tile_layout.h"

namespace convert {

TileStore::TileStore(int tileWidth, int tileHeight)
    : wordsPerTile_(static_cast<size_t>(tileWidth) * static_cast<size_t>(tileHeight)),
      blocksPerTile_((tileWidth / kBlockSide) * (tileHeight / kBlockSide)) {}

uint64_t TileStore::hash(const uint32_t* tile) const {
  uint64_t h = 0xcbf29ce484222325ull;
  for (size_t i = 0; i < wordsPerTile_; ++i) h = (h ^ tile[i]) * 0x100000001b3ull;
  return h;
}

void TileStore::appendUnchecked(const uint32_t* tile) {
  words_.insert(words_.end(), tile, tile + wordsPerTile_);
  byHash_[hash(tile)].push_back(count_++);
}

int TileStore::find(const uint32_t* tile, int first) const {
  auto it = byHash_.find(hash(tile));
  if (it == byHash_.end()) return -1;
  for (int n : it->second) {
    if (n < first) continue;
    const uint32_t* stored = words_.data() + static_cast<size_t>(n) * wordsPerTile_;
    if (std::equal(tile, tile + wordsPerTile_, stored)) return n;
  }
  return -1;
}

int TileStore::append(const uint32_t* tile) {
  if (static_cast<int64_t>(blocksPerTile_) * count_ >= kMaxTileBlocks) return -1;
  appendUnchecked(tile);
  return count_ - 1;
}

}  // namespace convert
