#include "mapeditor/block_format.h"

#include <cstddef>
#include <new>

namespace mapeditor {

BlockFormatResult ConvertBlockFormat(const std::vector<uint32_t>& cells, int32_t width,
                                     int32_t height, int32_t referenceTile, int32_t tileCount,
                                     int oldWidth, int oldHeight, int newWidth, int newHeight) {
  BlockFormatResult out;
  const int64_t ow = oldWidth / 8, oh = oldHeight / 8, nw = newWidth / 8, nh = newHeight / 8;
  if (ow <= 0 || oh <= 0 || nw <= 0 || nh <= 0 || width < 0 || height < 0) {
    out.status = BlockFormatResult::NoMemoryForUnits;
    return out;
  }
  const int64_t unitsWide = static_cast<int64_t>(width) * ow;
  const int64_t unitsHigh = static_cast<int64_t>(height) * oh;
  std::vector<uint32_t> units;
  if (static_cast<uint64_t>(unitsWide) * static_cast<uint64_t>(unitsHigh) > kMaxCells) {
    out.status = BlockFormatResult::NoMemoryForUnits;
    return out;
  }
  try {
    units.assign(static_cast<size_t>(unitsWide * unitsHigh), 0u);
  } catch (const std::bad_alloc&) {
    out.status = BlockFormatResult::NoMemoryForUnits;
    return out;
  }
  const uint32_t oldPerTile = static_cast<uint32_t>(ow * oh);
  for (int64_t y = 0; y < height; ++y)
    for (int64_t x = 0; x < width; ++x) {
      int64_t t = static_cast<int64_t>(static_cast<int32_t>(
          cells[static_cast<size_t>(y * width + x)] + static_cast<uint32_t>(referenceTile)));
      if (t < 0 || t >= tileCount) continue;
      for (int64_t r = 0; r < oh; ++r)
        for (int64_t c = 0; c < ow; ++c)
          units[static_cast<size_t>((y * oh + r) * unitsWide + x * ow + c)] =
              static_cast<uint32_t>(t) * oldPerTile + static_cast<uint32_t>(r * ow + c);
    }
  const int64_t newCellsWide = unitsWide / nw;
  const int64_t newCellsHigh = unitsHigh / nh;
  const uint32_t newPerTile = static_cast<uint32_t>(nw * nh);
  try {
    out.cells.assign(static_cast<size_t>(newCellsWide * newCellsHigh), 0u);
  } catch (const std::bad_alloc&) {
    out.status = BlockFormatResult::NoMemoryForCells;
    return out;
  }
  for (int64_t y = 0; y < newCellsHigh; ++y)
    for (int64_t x = 0; x < newCellsWide; ++x)
      out.cells[static_cast<size_t>(y * newCellsWide + x)] =
          units[static_cast<size_t>(y * nh * unitsWide + x * nw)] / newPerTile;
  out.width = static_cast<int32_t>(newCellsWide);
  out.height = static_cast<int32_t>(newCellsHigh);
  out.tileCount = static_cast<int32_t>(static_cast<int64_t>(tileCount) * (ow * oh) / (nw * nh));
  return out;
}

int64_t CountBlockFormatLosses(const std::vector<uint32_t>& cells, int32_t referenceTile,
                               int32_t tileCount) {
  int64_t lost = 0;
  for (uint32_t c : cells) {
    if (c == 0) continue;
    int64_t t = static_cast<int32_t>(c + static_cast<uint32_t>(referenceTile));
    if (t < 0 || t >= tileCount) ++lost;
  }
  return lost;
}

}  // namespace mapeditor
