// Tileset files: the tiles as 8 × 8 blocks, each block's values followed by
// `line`.
#include <algorithm>

#include "convert/colour_mode.h"
#include "convert/tile_layout.h"
#include "formats/element_common.h"
#include "formats/element_files.h"
#include "formats/element_messages.h"
#include "formats/format_library.h"
#include "formats/output_sink.h"
#include "formats/template_expansion.h"
#include "formats/value_format.h"
#include "platform/dialogs.h"

namespace formats {

using namespace element_detail;

namespace {

bool TileSideFits(int side) { return side > 0 && side % convert::kBlockSide == 0; }

// Blocks of a tileset of `tiles` tiles of w × h pixels, held below `cap` so a
// hostile header cannot overflow the product.
int64_t BlockCount(int64_t tiles, int64_t w, int64_t h, int64_t cap) {
  int64_t bw = w / convert::kBlockSide;
  int64_t bh = h / convert::kBlockSide;
  if (tiles <= 0 || bw <= 0 || bh <= 0) return 0;
  int64_t blocks = std::min(tiles, cap);
  blocks = std::min(blocks * std::min(bw, cap), cap);
  return std::min(blocks * std::min(bh, cap), cap);
}

// One value as the pixels of the mode: two nibbles (the left pixel low) at 4
// bits, an index at 8, a console colour at 15 (or the 16-bit value as read),
// the word at 32.
void StoreValue(int bits, uint32_t value, bool raw, uint32_t* pixel) {
  switch (bits) {
    case 4:
      pixel[0] = value & 15u;
      pixel[1] = (value >> 4) & 15u;
      break;
    case 15:
      pixel[0] = raw ? (value & 0xFFFFu) : ExpandConsoleColour(value);
      break;
    case 32:
      pixel[0] = value;
      break;
    default:
      pixel[0] = value & 255u;
      break;
  }
}

}  // namespace

bool WriteTileset(ElementContext& c, const ElementTarget& t, const convert::ColourMode& mode,
                  std::span<const uint32_t> pixels, int tileCount, int tileWidth, int tileHeight,
                  const project::EntryRecord* palette) {
  const int bits = mode.bitsPerPixel;
  const int valuesPerBlock = convert::WrittenBlockValues(bits);
  if (valuesPerBlock == 0 || !TileSideFits(tileWidth) || !TileSideFits(tileHeight) ||
      tileCount < 0) {
    ReportBrokenCondition(c, "(tilex % 8 == 0) && (tiley % 8 == 0) && (nbTiles >= 0)");
    return false;
  }
  const int64_t blocks = static_cast<int64_t>(tileCount) * (tileWidth / convert::kBlockSide) *
                         (tileHeight / convert::kBlockSide);
  if (static_cast<uint64_t>(blocks) * convert::kBlockPixels > pixels.size()) {
    ReportBrokenCondition(c, "nbTiles * tilex * tiley <= taille du tampon");
    return false;
  }

  OutputSink out;
  if (!OpenForWriting(c, t, out, element_text::kWriteFailedGraphics)) return false;
  PrepareWrite(c, t);
  const OutputFormat& f = c.lib.current;
  const FormatSection& s = f.section(SectionType::Tileset);
  TemplateValues& v = c.lib.values;
  int64_t memory = blocks * convert::kBlockPixels;
  if (bits == 4) memory /= 2;
  v.setNumber(Placeholder::Size, tileCount);
  v.setNumber(Placeholder::Memory, static_cast<int32_t>(memory));
  v.setText(Placeholder::Link, mode.hasPalette() ? LinkedFile(palette) : std::string());
  v.setNumber(Placeholder::TileX, tileWidth);
  v.setNumber(Placeholder::TileY, tileHeight);
  v.setNumber(Placeholder::Depth, bits);
  v.setTextBytes(Placeholder::Type, TypeForBits(f, bits));
  Expand(s.declaration, out, v, c.dialogs);

  const std::string& valueFormat = PixelValueFormat(s, bits);
  // With a `line` after each block the group counter counts the block's
  // pixels (two per value at 4 bits); without, the values of the tileset.
  const bool perBlock = !s.line.empty();
  const int pixelsPerValue = convert::kBlockPixels / valuesPerBlock;
  uint32_t values[convert::kBlockPixels];
  int64_t running = 0;
  for (int64_t b = 0; b < blocks; ++b) {
    convert::WriteBlock(bits, pixels.data() + b * convert::kBlockPixels, values);
    for (int k = 0; k < valuesPerBlock; ++k, ++running) {
      int64_t counter = perBlock ? int64_t{k} * pixelsPerValue : running;
      if (GroupDue(s.n_every, counter)) Expand(s.every_x, out, v, c.dialogs);
      WriteValue(out, valueFormat, static_cast<int32_t>(values[k]), c.dialogs);
    }
    Expand(s.line, out, v, c.dialogs);
  }
  Expand(s.end, out, v, c.dialogs);
  return FinishWriting(c, t, out, element_text::kWriteFailedGraphics);
}

bool ReadTileset(ElementContext& c, std::string_view path, TilesetData& out,
                 PixelReadOptions options) {
  out = TilesetData{};
  ReadText r;
  if (!BeginRead(c, path, SectionType::Tileset, element_text::kTilesetMissing,
                 {Placeholder::Name, Placeholder::Link, Placeholder::Type, Placeholder::Bits}, r))
    return false;
  out.header = CapturedHeader(c.lib.values);
  const HeaderValues& h = out.header;
  out.colourMode = ColourModeForDepth(c.colourModes, h.depth, c.defaultColourMode);
  const convert::ColourMode* mode = static_cast<size_t>(out.colourMode) < c.colourModes.size()
                                        ? &c.colourModes[static_cast<size_t>(out.colourMode)]
                                        : nullptr;
  const int bits = mode ? mode->bitsPerPixel : 8;
  const int valuesPerBlock = std::max(convert::WrittenBlockValues(bits), 1);
  const int pixelsPerValue = convert::kBlockPixels / valuesPerBlock;

  // One block more than a file may hold: reaching it is the error.
  const int64_t announced =
      BlockCount(h.size, h.tileWidth, h.tileHeight, int64_t{kMaxTilesetBlocks} + 1);
  out.pixels.assign(
      static_cast<size_t>(std::min<int64_t>(announced, kMaxTilesetBlocks)) * convert::kBlockPixels,
      0);
  const std::string& valueFormat = PixelValueFormat(r.section, bits);
  const bool perBlock = !r.section.line.empty();
  int64_t running = 0;
  int done = 0;
  bool textLeft = true;
  for (int64_t b = 0; b < announced && textLeft; ++b) {
    if (b >= kMaxTilesetBlocks) {
      c.dialogs.message(element_text::kTooManyTiles, path, platform::Icon::Error);
      out.blocks = 0;
      if (c.lastTilesetBlocks) *c.lastTilesetBlocks = 0;
      return false;
    }
    uint32_t* block = out.pixels.data() + b * convert::kBlockPixels;
    for (int k = 0; k < valuesPerBlock && textLeft; ++k, ++running) {
      int64_t counter = perBlock ? int64_t{k} * pixelsPerValue : running;
      int32_t value = 0;
      textLeft = ReadNextValue(c, r, counter, valueFormat, value);
      if (textLeft)
        StoreValue(bits, static_cast<uint32_t>(value), options.raw, block + k * pixelsPerValue);
    }
    if (!textLeft) break;
    ++done;
    if (b + 1 < announced) textLeft = ReadLine(c, r);
  }
  out.blocks = done;
  if (c.lastTilesetBlocks) *c.lastTilesetBlocks = done;

  out.hasPalette = mode && mode->hasPalette();
  if (options.withPalette && out.hasPalette) {
    // The palette's index 0 follows the tileset's mode.
    ElementContext nested = c;
    nested.currentColourMode = out.colourMode;
    if (!ReadPalette(nested, h.link, out.palette, true)) return false;
  }
  return true;
}

}  // namespace formats
