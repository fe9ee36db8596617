#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tools/tilecvt/indexed_image.h"
#include "tools/tilecvt/output_format.h"
#include "tools/tilecvt/palette.h"
#include "tools/tilecvt/report.h"
#include "tools/tilecvt/settings.h"
#include "tools/tilecvt/tile_map.h"

namespace tilecvt {

// The bytes of one output: a bitmap, the tiles, a map or a palette.
struct DataBlock {
  std::vector<uint8_t> bytes;  // 16-bit values little-endian
  int elementSize = 1;
  size_t count() const { return bytes.size() / static_cast<size_t>(elementSize); }
};

// Pixels as the colour count wants them: two per byte (first in the low
// nibble) for 16 colours, one per byte for 256, a 16-bit console colour each
// (looked up in `palette`) in true colour.
DataBlock PixelBlock(std::vector<uint8_t> pixels, int colourCount, const PaletteRecord& palette);

// The tiles the map keeps, in writing order.
std::vector<uint8_t> KeptTilePixels(const TileMap& map, std::span<const uint8_t> tiles,
                                    size_t tileBytes);

// 16-bit entries, or their low bytes for a rotate/scale map.
DataBlock MapBlock(const TileMap& map, bool rotateScale);

// `count` 16-bit colours.
DataBlock PaletteBlock(const PaletteRecord& palette, int count);

struct BlockOutput {
  std::string path;
  std::string arrayName;
  std::string header;  // comment before the array, text forms only
  bool compress = false;
};

// Writes one block as raw bytes or as an array in source text, compressed
// first when asked and when that makes it shorter (otherwise with a warning).
// Returns 0, or -1 when the file cannot be written.
int WriteBlock(const BlockOutput& output, const DataBlock& block, ArrayForm form,
               const Settings& settings, Report& report);

// A PlayStation TIM of an 8-bit image with `table` as its colour table. The
// table's entry 0 becomes colour 0 and other entries of colour 0 become
// 0x8000 (opaque black), in `table` itself.
std::vector<uint8_t> TimFile(const IndexedImage& image, PaletteRecord& table);

// Entries from 1 on of colour 0 become 0x8000, as the TIM table has them.
DataBlock ClutBlock(const PaletteRecord& palette, int count);

}  // namespace tilecvt
