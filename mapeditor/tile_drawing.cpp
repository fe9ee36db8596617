#include "mapeditor/tile_drawing.h"

#include <cstddef>

#include "convert/draw_tile.h"

namespace mapeditor {

int DrawerOpacity(int32_t setting) {
  if (setting <= 0) return convert::kOpaque;
  return setting > 255 ? 255 : setting;
}

void DrawBackgroundTile(const convert::DrawingState& state, const Background& b,
                        const convert::ColourMode& mode, const uint32_t* colours, int x, int y,
                        const CellTile& t, int opacity, bool keyed) {
  if (t.tile >= static_cast<uint32_t>(b.tileCount)) return;
  const int bw = b.tileWidth / 8, bh = b.tileHeight / 8;
  const size_t perTile = b.blocksPerTile();
  const size_t first = static_cast<size_t>(t.tile) * perTile;
  if ((first + perTile) * 64 > b.tilePixels.size()) return;
  PaletteWindow window = PaletteWindowFor(mode, t.subPalette);
  convert::TileStyle style;
  style.colours = colours;
  style.paletteStart = window.start;
  style.indexMask = window.indexMask;
  style.mirrorX = t.mirrorX;
  style.mirrorY = t.mirrorY;
  style.opacity = opacity;
  for (int r = 0; r < bh; ++r) {
    int row = t.mirrorY ? bh - 1 - r : r;
    for (int c = 0; c < bw; ++c) {
      int column = t.mirrorX ? bw - 1 - c : c;
      const uint32_t* block = b.tilePixels.data() + (first + static_cast<size_t>(r * bw + c)) * 64;
      int bx = x + column * 8, by = y + row * 8;
      if (keyed)
        convert::DrawTileTransparentIndexed(state, mode, bx, by, block, style);
      else
        convert::DrawTileIndexed(state, mode, bx, by, block, style);
    }
  }
}

}  // namespace mapeditor
