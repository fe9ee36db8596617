#include "tools/tilecvt/output_writers.h"

#include <cstring>

#include "tools/tilecvt/array_text.h"
#include "tools/tilecvt/compression.h"
#include "tools/tilecvt/output_file.h"

namespace tilecvt {
namespace {

constexpr uint16_t kOpaqueBlack = 0x8000;

void PutU16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  PutU16(out, static_cast<uint16_t>(value));
  PutU16(out, static_cast<uint16_t>(value >> 16));
}

}  // namespace

DataBlock PixelBlock(std::vector<uint8_t> pixels, int colourCount, const PaletteRecord& palette) {
  DataBlock block;
  if (colourCount == 16) {
    // An odd last pixel still gets its byte, with a zero high nibble.
    block.bytes.resize((pixels.size() + 1) / 2);
    for (size_t i = 0; i < pixels.size(); ++i)
      block.bytes[i / 2] =
          static_cast<uint8_t>(block.bytes[i / 2] | (pixels[i] & 15) << ((i & 1) * 4));
  } else if (colourCount == kTrueColour) {
    block.elementSize = 2;
    block.bytes.reserve(pixels.size() * 2);
    for (uint8_t pixel : pixels)
      PutU16(block.bytes, palette.colours[palette.indexMap[pixel] & 255]);
  } else {
    block.bytes = std::move(pixels);
  }
  return block;
}

std::vector<uint8_t> KeptTilePixels(const TileMap& map, std::span<const uint8_t> tiles,
                                    size_t tileBytes) {
  std::vector<uint8_t> pixels(map.writeOrder.size() * tileBytes);
  uint8_t* out = pixels.data();
  for (uint32_t position : map.writeOrder) {
    std::memcpy(out, tiles.data() + size_t{position} * tileBytes, tileBytes);
    out += tileBytes;
  }
  return pixels;
}

DataBlock MapBlock(const TileMap& map, bool rotateScale) {
  DataBlock block;
  const size_t count = map.entryCount();
  if (rotateScale) {
    for (size_t n = 0; n < count; ++n) block.bytes.push_back(static_cast<uint8_t>(map.entries[n]));
  } else {
    block.elementSize = 2;
    block.bytes.reserve(count * 2);
    for (size_t n = 0; n < count; ++n) PutU16(block.bytes, map.entries[n]);
  }
  return block;
}

DataBlock PaletteBlock(const PaletteRecord& palette, int count) {
  DataBlock block;
  block.elementSize = 2;
  for (int i = 0; i < count && i < 256; ++i)
    PutU16(block.bytes, palette.colours[static_cast<size_t>(i)]);
  return block;
}

DataBlock ClutBlock(const PaletteRecord& palette, int count) {
  DataBlock block = PaletteBlock(palette, count);
  for (size_t i = 1; i < block.count(); ++i) {
    if (block.bytes[2 * i] == 0 && block.bytes[2 * i + 1] == 0) {
      block.bytes[2 * i] = static_cast<uint8_t>(kOpaqueBlack);
      block.bytes[2 * i + 1] = static_cast<uint8_t>(kOpaqueBlack >> 8);
    }
  }
  return block;
}

int WriteBlock(const BlockOutput& output, const DataBlock& block, ArrayForm form,
               const Settings& settings, Report& report) {
  std::vector<uint8_t> packed;
  if (output.compress) {
    packed = CompressBlock(block.bytes, settings.compressor,
                           {settings.lz77VramSafe, settings.lz77Smallest});
    if (packed.empty())
      report.warning("%scouldn't compress %s, saving normal!", kWarningPrefix,
                     output.arrayName.c_str());
    else if (block.elementSize == 2 && packed.size() % 2 != 0)
      packed.push_back(0);
  }
  std::span<const uint8_t> bytes = packed.empty() ? std::span<const uint8_t>(block.bytes) : packed;

  if (form == ArrayForm::Raw) return WriteOutputFile(output.path, bytes) ? 0 : -1;
  ArrayStyle style{settings.addExtern, settings.align, settings.sectionName};
  std::string content = output.header;
  AppendArrayText(content, form, style, output.arrayName, bytes, block.elementSize, block.count());
  return WriteOutputFile(output.path, content, true) ? 0 : -1;
}

std::vector<uint8_t> TimFile(const IndexedImage& image, PaletteRecord& table) {
  table.colours[0] = 0;
  for (size_t i = 1; i < table.colours.size(); ++i)
    if (table.colours[i] == 0) table.colours[i] = kOpaqueBlack;

  const auto pixels = static_cast<uint32_t>(image.pixels.size());
  std::vector<uint8_t> file;
  file.reserve(20 + 512 + 12 + pixels);
  PutU32(file, 0x10);        // identifier
  PutU32(file, 9);           // 8-bit pixels, colour table present
  PutU32(file, 12 + 512);    // table block length
  PutU32(file, 0x01E20000);  // table at x 0, y 482
  PutU32(file, 0x00010100);  // 256 wide, 1 high
  for (uint16_t colour : table.colours) PutU16(file, colour);
  PutU32(file, pixels + 12);  // image block length
  PutU32(file, 320);          // image at x 320, y 0
  PutU32(file,
         (static_cast<uint32_t>(image.height) << 16) + static_cast<uint32_t>(image.width) / 2);
  file.insert(file.end(), image.pixels.begin(), image.pixels.end());
  return file;
}

}  // namespace tilecvt
