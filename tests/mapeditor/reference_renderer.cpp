#include "reference_renderer.h"

#include <cmath>
#include <cstddef>

namespace mapeditortest {

namespace {

uint32_t Mix(uint32_t c, uint32_t d, int a) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    uint32_t cc = (c >> shift) & 255u, dd = (d >> shift) & 255u;
    uint32_t v = (cc * static_cast<uint32_t>(a) + dd * static_cast<uint32_t>(256 - a)) >> 8;
    out |= (v & 255u) << shift;
  }
  return out;
}

// Pixel (x, y) of tile t, from the tile's 8 × 8 blocks.
uint32_t TilePixel(const mapeditor::Background& b, uint32_t t, int x, int y) {
  int blocksWide = b.tileWidth / 8;
  size_t block = static_cast<size_t>(t) * static_cast<size_t>(blocksWide * (b.tileHeight / 8)) +
                 static_cast<size_t>((y / 8) * blocksWide + x / 8);
  return b.tilePixels[block * 64 + static_cast<size_t>((y % 8) * 8 + x % 8)];
}

}  // namespace

ReferenceFrame ReferenceFill(int width, int height, uint32_t colour) {
  ReferenceFrame f;
  f.width = width;
  f.height = height;
  f.pixels.assign(static_cast<size_t>(width * height), colour);
  return f;
}

void ReferenceDraw(ReferenceFrame& frame, const ReferenceLayer& l) {
  const mapeditor::Background& b = *l.background;
  // Parallax: the first cell shown follows the active scroll at this
  // background's relative speed.
  int c0 = static_cast<int>(std::trunc(l.scrollX * (b.parallaxX / l.activeSpeedX) / b.cellWidth));
  int r0 = static_cast<int>(std::trunc(l.scrollY * (b.parallaxY / l.activeSpeedY) / b.cellHeight));
  for (int j = 0; r0 + j < b.height && j * b.cellHeight < frame.height + b.cellHeight; ++j) {
    if (j > frame.height / b.cellHeight) break;
    for (int i = 0; c0 + i < b.width; ++i) {
      if (i > frame.width / b.cellWidth) break;
      uint32_t value = b.cells[static_cast<size_t>((r0 + j) * b.width + c0 + i)] +
                       static_cast<uint32_t>(b.referenceTile);
      uint32_t tile = value & b.displayMask;
      for (const mapeditor::ValueRange& r : b.ranges) {
        int32_t v = static_cast<int32_t>(value);
        if (v >= static_cast<int32_t>(r.lowest) && v <= static_cast<int32_t>(r.highest)) {
          tile = r.noIncrement ? r.target() : r.target() + (value - r.lowest);
          break;
        }
      }
      if (static_cast<int32_t>(tile) < 0) continue;
      bool mirrorX = false, mirrorY = false;
      uint32_t palette = 0, number = tile;
      if (b.gbaEmulation) {
        number = tile & l.tileMask;
        mirrorX = (tile & 0xFFFF & l.mirrorXBit) != 0;
        mirrorY = (tile & 0xFFFF & l.mirrorYBit) != 0;
        palette = l.paletteShift < 32 ? ((tile & 0xFFFF & l.paletteMask) >> l.paletteShift) : 0;
        if ((tile & 0x3FF) >= static_cast<uint32_t>(b.tileCount)) continue;
      }
      if (number >= static_cast<uint32_t>(b.tileCount)) continue;
      for (int v = 0; v < b.tileHeight; ++v)
        for (int u = 0; u < b.tileWidth; ++u) {
          int x = i * b.cellWidth + u, y = j * b.cellHeight + v;
          if (x < 0 || y < 0 || x >= frame.width || y >= frame.height) continue;
          uint32_t p = TilePixel(b, number, mirrorX ? b.tileWidth - 1 - u : u,
                                 mirrorY ? b.tileHeight - 1 - v : v);
          uint32_t colour;
          if (l.paletteSize == 0) {
            if (l.keyed && p < 0x1000000u) continue;
            colour = p;
          } else {
            uint32_t index = p & static_cast<uint32_t>(l.paletteSize - 1);
            if (l.keyed && index == 0) continue;
            uint32_t start = l.subPalettes ? palette * static_cast<uint32_t>(l.paletteSize) : 0;
            colour = l.colours[(start + index) & 255u];
          }
          uint32_t& d = frame.at(x, y);
          d = l.opacity >= 256 ? colour : Mix(colour, d, l.opacity);
        }
    }
  }
}

}  // namespace mapeditortest
