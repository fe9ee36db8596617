#pragma once

#include <cstdint>

#include "convert/colour_mode.h"
#include "convert/map_format.h"
#include "mapeditor/background.h"

// How a cell value becomes a drawn tile: reference tile, value ranges,
// display mask, then the console's bit layout when GBA bit emulation is on.
namespace mapeditor {

struct CellTile {
  uint32_t tile = 0;  // tile number in the tileset
  bool mirrorX = false;
  bool mirrorY = false;
  uint32_t subPalette = 0;
};

// The text format keeps the tile number in the low 10 bits; a cell is only
// drawn when that part names a tile, whatever the format's own mask is.
inline constexpr uint32_t kTextTileBits = 0x3FFu;

// The tile for a value that already includes the reference tile. False when
// the value draws nothing (a negative tile, or a tile number not below the
// tile count). Inline: frames ask it for every cell.
inline bool TileForValue(const Background& b, const convert::MapFormat& f, uint32_t value,
                         CellTile& out) {
  uint32_t t =
      b.ranges.empty() ? value & b.displayMask : TileForCellValue(b.ranges, value, b.displayMask);
  if (static_cast<int32_t>(t) < 0 || b.tileCount <= 0) return false;
  const uint32_t count = static_cast<uint32_t>(b.tileCount);
  if (b.gbaEmulation) {
    uint32_t low = t & 0xFFFFu;
    out.tile = t & f.indexMask;
    out.mirrorX = (low & f.mirrorXMask) != 0;
    out.mirrorY = (low & f.mirrorYMask) != 0;
    out.subPalette = convert::CellSubPalette(f, low);
    if ((t & kTextTileBits) >= count) return false;
  } else {
    out.tile = t;
    out.mirrorX = out.mirrorY = false;
    out.subPalette = 0;
  }
  return out.tile < count;
}

// The tile for a cell as stored (the reference tile is added first).
inline bool TileForCell(const Background& b, const convert::MapFormat& format, uint32_t cell,
                        CellTile& out) {
  return TileForValue(b, format, cell + static_cast<uint32_t>(b.referenceTile), out);
}

// Where the colours of a tile come from: the first palette entry and the mask
// applied to each pixel, from the colour mode and the sub-palette.
struct PaletteWindow {
  int start = 0;
  uint32_t indexMask = 255;
};
PaletteWindow PaletteWindowFor(const convert::ColourMode& mode, uint32_t subPalette);

}  // namespace mapeditor
