// The previews of elements, checked pixel by pixel against a slow reading of
// the console's rules: cell bits, mirrors, sub-palettes and 5-bit colours.
#include "formats/element_preview.h"

#include <gtest/gtest.h>
#include <cmath>

#include "convert/converted_pixel.h"
#include "convert/gba_modes.h"
#include "convert/tile_layout.h"

namespace {

using formats::PreviewImage;

constexpr uint32_t kBackground = 0xFF123456u;
const convert::ColourMode& kFourBits = convert::kGbaColourModes[0];
const convert::ColourMode& kEightBits = convert::kGbaColourModes[1];
const convert::ColourMode& kFifteenBits = convert::kGbaColourModes[2];
const convert::MapFormat& kText = convert::kGbaMapFormats[1];

// Every index a colour of its own.
std::array<uint32_t, 256> DistinctColours() {
  std::array<uint32_t, 256> c{};
  for (uint32_t i = 0; i < 256; ++i) c[i] = 0xFF000000u | (i * 0x010307u & 0xFFFFFFu);
  return c;
}

// Two 8 × 8 tiles of 4-bit indices; the value of (x, y) is known to the test.
uint32_t TilePixel(int tile, int x, int y) {
  return tile == 0 ? static_cast<uint32_t>((x + y * 3) % 16)
                   : static_cast<uint32_t>((x * y + 5) % 16);
}

formats::TilesetData TwoTiles() {
  formats::TilesetData t;
  t.blocks = 2;
  t.header.tileWidth = t.header.tileHeight = 8;
  t.pixels.resize(128);
  for (int tile = 0; tile < 2; ++tile)
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        t.pixels[static_cast<size_t>(tile * 64) + convert::TilePixelIndex(x, y, 8)] =
            TilePixel(tile, x, y);
  return t;
}

struct CellCase {
  uint32_t cell;
  const char* what;
};

class MapPreview : public ::testing::TestWithParam<CellCase> {};

TEST_P(MapPreview, DrawsEachCellAsTheConsoleDoes) {
  const CellCase c = GetParam();
  formats::MapData map;
  map.width = 1;
  map.height = 1;
  map.cells = {c.cell};
  map.header.tileWidth = map.header.tileHeight = 8;
  auto colours = DistinctColours();
  PreviewImage image =
      formats::RenderMapPreview(map, TwoTiles(), kFourBits, kText, colours, kBackground, 0);
  ASSERT_EQ(image.width, 8);
  ASSERT_EQ(image.height, 8);
  uint32_t tile = c.cell & 0x3FFu;
  bool mx = (c.cell & 0x400u) != 0, my = (c.cell & 0x800u) != 0;
  uint32_t sub = c.cell >> 12;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      uint32_t expected = kBackground;
      if (tile < 2)
        expected =
            colours[sub * 16 + TilePixel(static_cast<int>(tile), mx ? 7 - x : x, my ? 7 - y : y)];
      ASSERT_EQ(image.at(x, y), expected) << c.what << " at " << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Cells, MapPreview,
                         ::testing::Values(CellCase{0x0000, "tile 0"}, CellCase{0x0001, "tile 1"},
                                           CellCase{0x0400, "mirrored across"},
                                           CellCase{0x0800, "mirrored down"},
                                           CellCase{0x0C01, "mirrored both ways"},
                                           CellCase{0x2001, "sub-palette 2"},
                                           CellCase{0xFC01, "sub-palette 15, mirrored"},
                                           CellCase{0x0005, "a tile the tileset lacks"}));

TEST(ElementPreview, PaletteSwatchesShowFiveBitLevelsAsTheScreenDoes) {
  formats::PaletteData p;
  p.count = 17;
  p.colours[0] = convert::MakePixel(31, 0, 0);
  p.colours[16] = convert::MakePixel(1, 2, 3);
  PreviewImage image = formats::RenderPalettePreview(p, 5, 2);
  ASSERT_EQ(image.width, 32);
  ASSERT_EQ(image.height, 4);
  EXPECT_EQ(image.at(0, 0), 0xFFF80000u);
  EXPECT_EQ(image.at(1, 1), 0xFFF80000u);
  EXPECT_EQ(image.at(0, 2), 0xFF081018u);
  EXPECT_EQ(image.at(2, 2), 0xFF000000u);  // past the palette
}

TEST(ElementPreview, BitmapsGoThroughThePaletteOrShowTheirColours) {
  formats::BitmapData b;
  b.width = 2;
  b.height = 1;
  b.pixels = {3, 200};
  auto colours = DistinctColours();
  PreviewImage indexed = formats::RenderBitmapPreview(b, kEightBits, colours, kBackground, 0);
  EXPECT_EQ(indexed.at(0, 0), colours[3]);
  EXPECT_EQ(indexed.at(1, 0), colours[200]);
  b.pixels = {convert::MakePixel(8, 16, 24), convert::MakePixel(8, 16, 24, 0)};
  PreviewImage direct = formats::RenderBitmapPreview(b, kFifteenBits, colours, kBackground, 0);
  EXPECT_EQ(direct.at(0, 0), 0xFF081018u);
  EXPECT_EQ(direct.at(1, 0), kBackground);  // transparent
}

TEST(ElementPreview, TheMemoryLimitKeepsWholeRowsAndSaysSo) {
  formats::BitmapData b;
  b.width = 100;
  b.height = 100;
  b.pixels.assign(10000, 1);
  auto colours = DistinctColours();
  PreviewImage cut = formats::RenderBitmapPreview(b, kEightBits, colours, kBackground, 4000);
  EXPECT_EQ(cut.height, 10);
  EXPECT_EQ(cut.fullHeight, 100);
  EXPECT_TRUE(cut.clipped());
  PreviewImage whole = formats::RenderBitmapPreview(b, kEightBits, colours, kBackground, 0);
  EXPECT_FALSE(whole.clipped());
  // A file shorter than its header leaves the rest as background.
  b.pixels.resize(150);
  PreviewImage shortFile = formats::RenderBitmapPreview(b, kEightBits, colours, kBackground, 0);
  EXPECT_EQ(shortFile.at(49, 1), colours[1]);
  EXPECT_EQ(shortFile.at(50, 1), kBackground);
}

TEST(ElementPreview, TilesetsLayTheirTilesOutInRows) {
  auto colours = DistinctColours();
  PreviewImage image =
      formats::RenderTilesetPreview(TwoTiles(), kFourBits, colours, 16, kBackground, 0);
  ASSERT_EQ(image.width, 16);  // two tiles, fewer than a row
  ASSERT_EQ(image.height, 8);
  EXPECT_EQ(image.at(9, 2), colours[TilePixel(1, 1, 2)]);
  EXPECT_TRUE(
      formats::RenderTilesetPreview({}, kFourBits, colours, 16, kBackground, 0).pixels.empty());
}

TEST(ElementPreview, TheOverlayColoursEachCellBySubPalette) {
  formats::MapData map;
  map.width = 2;
  map.height = 1;
  map.cells = {0x1000, 0x3000};
  PreviewImage overlay = formats::RenderSubPaletteOverlay(map, kText, 8, 8, 0);
  ASSERT_EQ(overlay.width, 16);
  EXPECT_NE(overlay.at(0, 0), overlay.at(8, 0));
  EXPECT_EQ(overlay.at(0, 0), overlay.at(7, 7));
  EXPECT_LT(overlay.at(0, 0) >> 24, 255u);  // translucent
}

struct ErrorCase {
  std::vector<uint32_t> a;
  std::vector<uint32_t> b;
  int width;
  double expected;
};

class MeanColourError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(MeanColourError, IsTheMeanRgbDistanceInEightBitLevels) {
  const ErrorCase& c = GetParam();
  PreviewImage a{c.width, static_cast<int>(c.a.size()) / c.width, c.a, 0};
  PreviewImage b{c.width, static_cast<int>(c.b.size()) / c.width, c.b, 0};
  EXPECT_DOUBLE_EQ(formats::MeanColourError(a, b), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MeanColourError,
    ::testing::Values(ErrorCase{{0xFF102030u, 0xFF000000u}, {0xFF102030u, 0xFF000000u}, 2, 0.0},
                      // (3, 4, 0) apart on one of two pixels; opacity ignored.
                      ErrorCase{{0xFF030400u, 0xFF000000u}, {0x00000000u, 0xFF000000u}, 2, 2.5},
                      ErrorCase{{0xFFFFFFFFu}, {0xFF000000u}, 1, 255.0 * std::sqrt(3.0)},
                      ErrorCase{{0xFF000000u, 0xFF000000u}, {0xFF000000u}, 1, -1.0}));

}  // namespace
