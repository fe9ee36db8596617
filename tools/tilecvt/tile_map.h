#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tilecvt {

inline constexpr uint16_t kMirrorHorizontal = 0x400;
inline constexpr uint16_t kMirrorVertical = 0x800;
inline constexpr uint32_t kRemovedTile = 0xFFFFFFFF;

struct MapOptions {
  bool optimise = true;         // merge identical (and mirrored) tiles
  bool blankTilesOnly = false;  // merge only tiles whose pixels are all 0
  bool checkFlipped = true;     // also merge tiles that are mirror images
};

// A tile map and the working lists behind it, one entry per tile position.
struct TileMap {
  size_t columns = 0;  // size of the map in tiles
  size_t rows = 0;
  std::vector<uint32_t> tileIndex;   // number of the written tile shown at each position
  std::vector<uint16_t> mirror;      // its mirror bits
  std::vector<uint32_t> source;      // the position whose pixels it shows
  std::vector<uint32_t> kept;        // the source tile, or kRemovedTile for a duplicate
  std::vector<uint32_t> writeOrder;  // positions of the tiles to write, in order
  std::vector<uint16_t> entries;     // 16-bit map entries (ComposeEntries)
  size_t removed = 0;

  size_t tileCount() const { return kept.size(); }
  size_t keptCount() const { return writeOrder.size(); }
  size_t entryCount() const { return columns * rows; }
};

// Builds the map of `tileCount` tiles of `tileSize` x `tileSize` pixels stored
// one after the other. A tile is merged into the first earlier kept tile it
// equals, tested as it is, then mirrored horizontally, vertically and both
// ways. Each kept tile's four forms go into a hash table, so the work grows
// with the number of tiles, not with its square.
TileMap BuildMap(const uint8_t* tiles, size_t tileCount, int tileSize, size_t columns, size_t rows,
                 const MapOptions& options);

// Writes the kept tiles in the column order of their positions and renumbers
// the map, so it still shows the same picture.
void KeptTilesAsColumns(TileMap& map);

// entries = tile number | mirror bits (16 bits, as the console reads them).
void ComposeEntries(TileMap& map);
void AddVramOffset(TileMap& map, int offset);
void SetBank(TileMap& map, int bank);
void MapColumnOrder(TileMap& map);
// Rewrites the map in blocks of 32 x 32 entries; false (map unchanged) when
// the map does not divide into whole blocks.
bool MapInBlocks(TileMap& map);

}  // namespace tilecvt
