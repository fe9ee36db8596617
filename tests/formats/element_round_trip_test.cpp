// Every kind, colour mode and map format written with the built-in format and
// read back gives the same values.
#include <random>

#include "convert/converted_pixel.h"
#include "convert/tile_layout.h"
#include "element_fixture.h"
#include "formats/element_files.h"

using namespace formats;
using namespace formatstest;

namespace {

// A level of each channel within 5 bits, opaque or transparent.
uint32_t RandomConsolePixel(std::mt19937& rng) {
  return convert::MakePixel(rng() % 32, rng() % 32, rng() % 32, rng() % 4 == 0 ? 0 : 255);
}

// Pixels a colour mode holds: indices of its range, or colours.
uint32_t RandomPixel(std::mt19937& rng, int mode) {
  switch (mode) {
    case kMode4:
      return rng() % 16;
    case kMode8:
      return rng() % 256;
    case kMode15:
      return RandomConsolePixel(rng);
    default:
      return static_cast<uint32_t>(rng());
  }
}

// What a 15-bit pixel reads back as: its console colour when raw, else its
// levels times 8.
uint32_t FifteenBitBack(uint32_t pixel, bool raw) {
  uint16_t colour = convert::ConsoleColour(pixel);
  if (raw) return colour;
  return convert::MakePixel(convert::PixelRed(pixel) * 8u, convert::PixelGreen(pixel) * 8u,
                            convert::PixelBlue(pixel) * 8u, convert::PixelOpacity(pixel));
}

struct PixelCase {
  int mode;
  bool raw;
};

class PixelRoundTrip : public ElementFiles, public ::testing::WithParamInterface<PixelCase> {};

std::string CaseName(const ::testing::TestParamInfo<PixelCase>& info) {
  return "Mode" + std::to_string(Mode(info.param.mode).bitsPerPixel) +
         (info.param.raw ? "Raw" : "");
}

}  // namespace

TEST_P(PixelRoundTrip, TilesetsOfWideTilesComeBackBlockForBlock) {
  const auto [mode, raw] = GetParam();
  std::mt19937 rng(static_cast<uint32_t>(mode * 7 + raw));
  const int tiles = 3, tileWidth = 16, tileHeight = 8;
  std::vector<uint32_t> pixels(static_cast<size_t>(tiles * tileWidth * tileHeight));
  for (auto& p : pixels) p = RandomPixel(rng, mode);
  auto palette = entry("t.pal.c", "t");
  auto c = context();
  std::vector<uint32_t> colours(16);
  for (auto& colour : colours) colour = RandomConsolePixel(rng);
  ASSERT_TRUE(WritePalette(c, {palette}, colours));
  auto tileset = entry("t.til.c", "t");
  ASSERT_TRUE(
      WriteTileset(c, {tileset}, Mode(mode), pixels, tiles, tileWidth, tileHeight, &palette));

  TilesetData back;
  ASSERT_TRUE(ReadTileset(c, tileset.file, back, {.withPalette = true, .raw = raw}));
  EXPECT_EQ(back.colourMode, mode);
  EXPECT_EQ(back.blocks, tiles * 2);
  EXPECT_EQ(back.header.tileWidth, tileWidth);
  EXPECT_EQ(back.header.size, tiles);
  ASSERT_EQ(back.pixels.size(), pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) {
    uint32_t expected = mode == kMode15 ? FifteenBitBack(pixels[i], raw) : pixels[i];
    ASSERT_EQ(back.pixels[i], expected) << i;
  }
  EXPECT_EQ(back.hasPalette, Mode(mode).hasPalette());
  if (back.hasPalette) {
    ASSERT_EQ(back.palette.count, 16);
    EXPECT_EQ(back.palette.colours[0], 0u);  // the reserved colour
    EXPECT_EQ(back.palette.colours[5], FifteenBitBack(colours[5], false));
  }
  EXPECT_TRUE(messages().empty()) << messages().front();
}

TEST_P(PixelRoundTrip, BitmapsComeBackRowByRow) {
  const auto [mode, raw] = GetParam();
  std::mt19937 rng(static_cast<uint32_t>(mode * 13 + raw));
  const int width = 13, height = 5;
  std::vector<uint32_t> pixels(static_cast<size_t>(width * height));
  for (auto& p : pixels) p = RandomPixel(rng, mode);
  auto bitmap = entry("b.bmp.c", "b");
  auto c = context();
  ASSERT_TRUE(WriteBitmap(c, {bitmap}, Mode(mode), pixels, width, height, nullptr));
  BitmapData back;
  ASSERT_TRUE(ReadBitmap(c, bitmap.file, back, {.withPalette = true, .raw = raw}));
  EXPECT_EQ(back.colourMode, mode);
  EXPECT_EQ(back.width, width);
  EXPECT_EQ(back.height, height);
  ASSERT_EQ(back.pixels.size(), pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) {
    uint32_t expected = mode == kMode15 ? FifteenBitBack(pixels[i], raw) : pixels[i];
    ASSERT_EQ(back.pixels[i], expected) << i;
  }
  // Without a linked palette there is none to read.
  EXPECT_EQ(back.palette.count, 0);
  EXPECT_TRUE(messages().empty());
}

INSTANTIATE_TEST_SUITE_P(AllModes, PixelRoundTrip,
                         ::testing::Values(PixelCase{kMode4, false}, PixelCase{kMode8, false},
                                           PixelCase{kMode15, false}, PixelCase{kMode15, true},
                                           PixelCase{kMode32, false}),
                         CaseName);

class MapRoundTrip : public ElementFiles, public ::testing::WithParamInterface<int> {};

TEST_P(MapRoundTrip, CellsComeBackInTheirFormat) {
  const int cellBits = GetParam();
  std::mt19937 rng(static_cast<uint32_t>(cellBits));
  const int width = 11, height = 4;
  std::vector<uint32_t> cells(static_cast<size_t>(width * height));
  const uint64_t range = uint64_t{1} << cellBits;
  for (auto& cell : cells) cell = static_cast<uint32_t>(rng() % range);
  cells[0] = static_cast<uint32_t>(range - 1);
  auto c = context();
  auto tileset = entry("m.til.c", "m");
  std::vector<uint32_t> pixels(64 * 2);
  ASSERT_TRUE(WriteTileset(c, {tileset}, Mode(kMode8), pixels, 2, 8, 8, nullptr));
  auto map = entry("m.map.c", "m");
  ASSERT_TRUE(WriteMap(c, {map}, cellBits, cells, width, height, &tileset));
  MapData back;
  ASSERT_TRUE(ReadMap(c, map.file, back));
  EXPECT_EQ(back.cellBits, cellBits);
  EXPECT_EQ(back.width, width);
  EXPECT_EQ(back.height, height);
  EXPECT_EQ(back.tileCount, 2);
  EXPECT_EQ(back.header.link, tileset.file);
  EXPECT_EQ(back.cells, cells);
  EXPECT_TRUE(messages().empty());
}

INSTANTIATE_TEST_SUITE_P(AllMapFormats, MapRoundTrip, ::testing::Values(8, 16, 32));

TEST_F(ElementFiles, PaletteOf256ColoursComesBack) {
  std::mt19937 rng(5);
  std::vector<uint32_t> colours(256);
  for (auto& colour : colours) colour = RandomConsolePixel(rng);
  auto palette = entry("p.pal.c", "p");
  auto c = context();
  c.currentColourMode = kMode15;  // no reserved entry
  ASSERT_TRUE(WritePalette(c, {palette}, colours));
  PaletteData back;
  ASSERT_TRUE(ReadPalette(c, palette.file, back));
  ASSERT_EQ(back.count, 256);
  EXPECT_TRUE(std::equal(colours.begin(), colours.end(), back.colours.begin()));
}
