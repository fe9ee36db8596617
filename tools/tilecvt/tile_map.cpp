#include "tools/tilecvt/tile_map.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace tilecvt {
namespace {

constexpr int kOrientations = 4;  // as is, horizontal, vertical, both
constexpr uint16_t kOrientationBits[kOrientations] = {0, kMirrorHorizontal, kMirrorVertical,
                                                      kMirrorHorizontal | kMirrorVertical};

uint64_t Mix(uint64_t hash, uint64_t word) {
  hash ^= word + 0x9E3779B97F4A7C15ull + (hash << 6) + (hash >> 2);
  return hash * 0xBF58476D1CE4E5B9ull;
}

uint64_t HashBytes(const uint8_t* data, size_t size) {
  uint64_t hash = size;
  size_t at = 0;
  for (; at + 8 <= size; at += 8) {
    uint64_t word;
    std::memcpy(&word, data + at, 8);
    hash = Mix(hash, word);
  }
  uint64_t tail = 0;
  std::memcpy(&tail, data + at, size - at);
  return Mix(hash, tail) ^ (hash >> 29);
}

// Produces the pixels of a tile in one orientation. 8 x 8 tiles (nearly all
// there are) work on whole rows: a row is one 64-bit word, its mirror the
// word with its bytes reversed.
class TileForms {
 public:
  TileForms(const uint8_t* tiles, int size)
      : tiles_(tiles), size_(static_cast<size_t>(size)), bytes_(size_ * size_), scratch_(bytes_) {}

  size_t bytes() const { return bytes_; }
  const uint8_t* tile(size_t index) const { return tiles_ + index * bytes_; }

  const uint8_t* form(size_t index, int orientation) {
    const uint8_t* tile = this->tile(index);
    if (orientation == 0) return tile;
    const bool h = orientation & 1, v = orientation & 2;
    if (size_ == 8) {
      for (size_t y = 0; y < 8; ++y) {
        uint64_t row;
        std::memcpy(&row, tile + (v ? 7 - y : y) * 8, 8);
        if (h) row = __builtin_bswap64(row);
        std::memcpy(scratch_.data() + y * 8, &row, 8);
      }
      return scratch_.data();
    }
    for (size_t y = 0; y < size_; ++y) {
      const uint8_t* in = tile + (v ? size_ - 1 - y : y) * size_;
      uint8_t* out = scratch_.data() + y * size_;
      for (size_t x = 0; x < size_; ++x) out[x] = in[h ? size_ - 1 - x : x];
    }
    return scratch_.data();
  }

 private:
  const uint8_t* tiles_;
  size_t size_;
  size_t bytes_;
  std::vector<uint8_t> scratch_;
};

// Open addressing over distinct tile contents; the first tile (and
// orientation) stored for a content is the one a later tile merges into.
// The table grows with the forms stored, so images of many equal tiles stay
// small.
class FormTable {
 public:
  FormTable() { slots_.resize(1024); }

  // The slot holding `content`, or the empty slot where it belongs.
  size_t find(uint64_t hash, const uint8_t* content, TileForms& forms) {
    const auto check = static_cast<uint32_t>(hash >> 32);
    const size_t mask = slots_.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
      const Slot& slot = slots_[at];
      if (slot.tile == kEmptySlot) return at;
      if (slot.check != check) continue;
      const uint8_t* stored = forms.form(slot.tile >> 2, slot.tile & 3);
      if (std::memcmp(stored, content, forms.bytes()) == 0) return at;
    }
  }
  bool empty(size_t at) const { return slots_[at].tile == kEmptySlot; }
  uint32_t tileAt(size_t at) const { return slots_[at].tile >> 2; }
  int orientationAt(size_t at) const { return static_cast<int>(slots_[at].tile & 3); }

  // Stores at the slot Find returned; the slot is found again when the table grows.
  void store(size_t at, uint64_t hash, uint32_t tile, int orientation) {
    slots_[at] = {static_cast<uint32_t>(hash >> 32), tile << 2 | static_cast<uint32_t>(orientation),
                  static_cast<uint32_t>(hash)};
    if (++used_ * 2 > slots_.size()) grow();
  }

 private:
  static constexpr uint32_t kEmptySlot = UINT32_MAX;
  struct Slot {
    uint32_t check = 0;          // high half of the hash
    uint32_t tile = kEmptySlot;  // tile << 2 | orientation
    uint32_t low = 0;            // low half of the hash: the home slot
  };

  void grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    const size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
      if (slot.tile == kEmptySlot) continue;
      size_t at = slot.low & mask;
      while (slots_[at].tile != kEmptySlot) at = (at + 1) & mask;
      slots_[at] = slot;
    }
  }

  std::vector<Slot> slots_;
  size_t used_ = 0;
};

bool IsBlank(const uint8_t* tile, size_t bytes) {
  return std::all_of(tile, tile + bytes, [](uint8_t pixel) { return pixel == 0; });
}

}  // namespace

TileMap BuildMap(const uint8_t* tiles, size_t tileCount, int tileSize, size_t columns, size_t rows,
                 const MapOptions& options) {
  TileMap map;
  map.columns = columns;
  map.rows = rows;
  map.tileIndex.resize(tileCount);
  map.mirror.assign(tileCount, 0);
  map.source.resize(tileCount);
  map.kept.resize(tileCount);
  std::iota(map.source.begin(), map.source.end(), 0u);
  std::iota(map.kept.begin(), map.kept.end(), 0u);
  map.writeOrder.reserve(tileCount);

  if (!options.optimise) {
    std::iota(map.tileIndex.begin(), map.tileIndex.end(), 0u);
    map.writeOrder = map.kept;
    return map;
  }

  TileForms forms(tiles, tileSize);
  TileForms stored(tiles, tileSize);  // a second scratch buffer for the comparison
  FormTable table;
  std::vector<uint8_t> form(forms.bytes());
  uint32_t next = 0;
  for (size_t n = 0; n < tileCount; ++n) {
    const uint8_t* tile = forms.tile(n);
    uint64_t hash = HashBytes(tile, forms.bytes());
    size_t slot = table.find(hash, tile, stored);
    if (!table.empty(slot)) {
      uint32_t first = table.tileAt(slot);
      map.tileIndex[n] = map.tileIndex[first];
      map.mirror[n] = kOrientationBits[table.orientationAt(slot)];
      map.source[n] = map.source[first];
      map.kept[n] = kRemovedTile;
      ++map.removed;
      continue;
    }
    map.tileIndex[n] = next++;
    map.writeOrder.push_back(static_cast<uint32_t>(n));
    if (options.blankTilesOnly && !IsBlank(tile, forms.bytes())) continue;
    const int orientations = options.checkFlipped ? kOrientations : 1;
    for (int orientation = 0; orientation < orientations; ++orientation) {
      std::memcpy(form.data(), forms.form(n, orientation), form.size());
      uint64_t formHash = HashBytes(form.data(), form.size());
      size_t at = table.find(formHash, form.data(), stored);
      if (table.empty(at)) table.store(at, formHash, static_cast<uint32_t>(n), orientation);
    }
  }
  return map;
}

void KeptTilesAsColumns(TileMap& map) {
  auto columnKey = [&map](uint32_t position) -> uint64_t {
    if (map.columns == 0 || position >= map.columns * map.rows) return position;
    return static_cast<uint64_t>(position % map.columns) * map.rows + position / map.columns;
  };
  std::vector<uint32_t> order(map.writeOrder.size());
  std::iota(order.begin(), order.end(), 0u);
  std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    return columnKey(map.writeOrder[a]) < columnKey(map.writeOrder[b]);
  });
  std::vector<uint32_t> newIndex(order.size());
  std::vector<uint32_t> written(order.size());
  for (size_t rank = 0; rank < order.size(); ++rank) {
    newIndex[order[rank]] = static_cast<uint32_t>(rank);
    written[rank] = map.writeOrder[order[rank]];
  }
  for (uint32_t& index : map.tileIndex) index = newIndex[index];
  map.writeOrder.swap(written);
}

void ComposeEntries(TileMap& map) {
  map.entries.resize(map.tileIndex.size());
  for (size_t n = 0; n < map.entries.size(); ++n)
    map.entries[n] = static_cast<uint16_t>(map.tileIndex[n] | map.mirror[n]);
}

void AddVramOffset(TileMap& map, int offset) {
  for (uint16_t& entry : map.entries) entry = static_cast<uint16_t>(entry + offset);
}

void SetBank(TileMap& map, int bank) {
  for (uint16_t& entry : map.entries) entry = static_cast<uint16_t>(bank << 12 | (entry & 0xFFF));
}

void MapColumnOrder(TileMap& map) {
  std::vector<uint16_t> reordered(map.entries);
  size_t at = 0;
  for (size_t column = 0; column < map.columns; ++column)
    for (size_t row = 0; row < map.rows; ++row)
      reordered[at++] = map.entries[row * map.columns + column];
  map.entries.swap(reordered);
}

bool MapInBlocks(TileMap& map) {
  constexpr size_t kBlock = 32;
  if (map.columns % kBlock != 0 || map.rows % kBlock != 0) return false;
  std::vector<uint16_t> reordered(map.entries);
  size_t at = 0;
  for (size_t blockRow = 0; blockRow < map.rows; blockRow += kBlock)
    for (size_t blockColumn = 0; blockColumn < map.columns; blockColumn += kBlock)
      for (size_t row = blockRow; row < blockRow + kBlock; ++row)
        for (size_t column = blockColumn; column < blockColumn + kBlock; ++column)
          reordered[at++] = map.entries[row * map.columns + column];
  map.entries.swap(reordered);
  return true;
}

}  // namespace tilecvt
