#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "formats/element_files.h"

namespace convert {
struct ColourMode;
struct MapFormat;
}  // namespace convert

// The previews of elements as the console shows them: colours brought back
// from their 5-bit levels, 4-bit tiles through their sub-palette, map cells
// through the format's tile, mirror and palette bits. Pure functions on the
// data the element readers return, so the window only presents the result.
namespace formats {

// Pixels row by row from the top, each a word with blue in byte 0, green,
// red and 255 in byte 3 (the layout of the program's surfaces).
struct PreviewImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  // Rows the memory limit left out (the whole image needs fullHeight rows).
  int fullHeight = 0;
  bool clipped() const { return height < fullHeight; }
  uint32_t at(int x, int y) const {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};

// Bytes a preview of width × height needs (4 per pixel).
uint64_t PreviewBytes(int width, int height);

// The 256 screen colours of a palette whose levels have `levelBits` bits (5
// as palettes are read, 8 when read with a tileset or bitmap); entries past
// the palette are black.
std::array<uint32_t, 256> PreviewColours(const PaletteData& palette, int levelBits);

// 16 swatches a row, `swatch` pixels square; entry 0 shown as it is stored.
PreviewImage RenderPalettePreview(const PaletteData& palette, int levelBits, int swatch = 12);

// Indices through the colours in the palette modes; in the direct modes the
// pixels are the colours (a transparent pixel shows `background`).
PreviewImage RenderBitmapPreview(const BitmapData& bitmap, const convert::ColourMode& mode,
                                 std::span<const uint32_t, 256> colours, uint32_t background,
                                 uint64_t memoryLimit);

// Tiles of the header's size, `columns` a row, left to right; 4-bit tiles
// through sub-palette 0.
PreviewImage RenderTilesetPreview(const TilesetData& tileset, const convert::ColourMode& mode,
                                  std::span<const uint32_t, 256> colours, int columns,
                                  uint32_t background, uint64_t memoryLimit);

// The map as the console draws it: each cell's tile (cells naming no tile
// show `background`), mirrored and through the sub-palette the cell carries.
PreviewImage RenderMapPreview(const MapData& map, const TilesetData& tileset,
                              const convert::ColourMode& mode, const convert::MapFormat& format,
                              std::span<const uint32_t, 256> colours, uint32_t background,
                              uint64_t memoryLimit);

// A translucent colour per sub-palette over each cell of the map (the same
// size as its preview), to see which sub-palette every tile uses.
PreviewImage RenderSubPaletteOverlay(const MapData& map, const convert::MapFormat& format,
                                     int tileWidth, int tileHeight, uint64_t memoryLimit);

// The mean distance between the pixels of two images of the same size, in
// 8-bit levels (the RGB Euclidean distance, opacity ignored); -1 when their
// sizes differ or they are empty.
double MeanColourError(const PreviewImage& a, const PreviewImage& b);

}  // namespace formats

namespace formats {

// The top-left width × height of an image (smaller when it is smaller).
PreviewImage CropPreview(const PreviewImage& image, int width, int height);

}  // namespace formats
