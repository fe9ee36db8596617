#pragma once

#include <cstdint>
#include <vector>

// Converting a map to another block size: every cell is expanded into the
// 8 × 8 units its tile is made of, and the units are regrouped into cells of
// the new size. Exact when each old tile's units line up with the new size.
namespace mapeditor {

// Beyond this many cells (or units) a map is refused rather than attempted.
inline constexpr uint64_t kMaxCells = uint64_t{1} << 26;

struct BlockFormatResult {
  enum Status { Done, NoMemoryForUnits, NoMemoryForCells } status = Done;
  int32_t width = 0;  // new size in cells
  int32_t height = 0;
  int32_t tileCount = 0;
  std::vector<uint32_t> cells;
};

// Cells hold tile numbers of oldWidth × oldHeight tiles (reference tile
// added first); the result's cells hold tile numbers of newWidth × newHeight
// tiles. Cells whose tile is outside the tileset (mirror or palette bits
// included) give units of tile 0.
BlockFormatResult ConvertBlockFormat(const std::vector<uint32_t>& cells, int32_t width,
                                     int32_t height, int32_t referenceTile, int32_t tileCount,
                                     int oldWidth, int oldHeight, int newWidth, int newHeight);

// The cells the conversion cannot keep: non-zero cells whose tile (reference
// tile added) lies outside 0 .. tileCount − 1, mirror and palette bits
// included. They become tile 0.
int64_t CountBlockFormatLosses(const std::vector<uint32_t>& cells, int32_t referenceTile,
                               int32_t tileCount);

}  // namespace mapeditor
