#include <gtest/gtest.h>

#include <algorithm>

#include "convert/converted_pixel.h"
#include "convert/display_colours.h"
#include "convert/gba_modes.h"

using namespace convert;

TEST(ConsoleColour, PacksRedLowBlueHighAndMarksTransparencyInBit15) {
  EXPECT_EQ(ConsoleColour(MakePixel(31, 0, 0)), 0x001F);
  EXPECT_EQ(ConsoleColour(MakePixel(0, 31, 0)), 0x03E0);
  EXPECT_EQ(ConsoleColour(MakePixel(0, 0, 31)), 0x7C00);
  EXPECT_EQ(ConsoleColour(MakePixel(1, 2, 3)), 1 + 2 * 32 + 3 * 1024);
  // Transparent pixels and the reserved zero colour (opacity 0) set bit 15.
  EXPECT_EQ(ConsoleColour(0), 0x8000);
  EXPECT_EQ(ConsoleColour(MakePixel(4, 5, 6, 0)), 0x8000 | (4 + 5 * 32 + 6 * 1024));
  EXPECT_EQ(ConsoleColour(MakePixel(31, 31, 31, 255)) & 0x8000, 0);
  // Only 0 and 255 occur in practice; the bit follows the opacity's low bit.
  EXPECT_EQ(ConsoleColour(MakePixel(0, 0, 0, 254)), 0x8000);
  EXPECT_EQ(ConsoleColour(MakePixel(0, 0, 0, 1)), 0x0000);
  // Levels wider than 5 bits never spill into the neighbouring field.
  EXPECT_EQ(ConsoleColour(MakePixel(0xFF, 0, 0)), 0x001F);
}

TEST(ConsoleColour, ReadsBackLevelsAndOpacity) {
  for (uint32_t v : {0x0000u, 0x7FFFu, 0x8000u, 0x1234u, 0xFFFFu, 0x03E0u}) {
    ConvertedPixel p = PixelFromConsoleColour(static_cast<uint16_t>(v));
    EXPECT_EQ(ConsoleColour(p), v);
    EXPECT_EQ(PixelOpacity(p), (v & 0x8000u) ? 0 : 255);
  }
  EXPECT_EQ(PixelFromConsoleColour(0x001F), MakePixel(31, 0, 0, 255));
}

TEST(ConvertedPixel, IsBlueGreenRedOpacityFromTheLowByteUp) {
  ConvertedPixel p = MakePixel(0x11, 0x22, 0x33, 0x44);
  EXPECT_EQ(p, 0x44112233u);
  EXPECT_EQ(PixelRed(p), 0x11);
  EXPECT_EQ(PixelBlue(p), 0x33);
  EXPECT_TRUE(IsTransparent(0x00FFFFFFu));
  EXPECT_FALSE(IsTransparent(0x01000000u));
  EXPECT_EQ(SwapRedBlue(p), 0x44332211u);
}

TEST(ChannelExpansion, UsesTheIntegerFactorOfTheChannelBits) {
  EXPECT_EQ(ExpandLevel(31, 5), 248);
  EXPECT_EQ(SwatchLevel(31, 5), 252);
  EXPECT_EQ(SwatchLevel(0, 5), 4);
  EXPECT_EQ(ExpandLevel(255, 8), 255);
  EXPECT_EQ(SwatchLevel(200, 8), 200);
  EXPECT_EQ(ExpandLevel(3, 2), 255);   // factor 85
  EXPECT_EQ(ExpandLevel(7, 0), 0);     // a channel the mode does not have
  EXPECT_EQ(ExpandLevel(40, 5), 248);  // out-of-range levels are held to the channel
  const ChannelLayout& console = kGbaColourModes[1].channels;
  EXPECT_EQ(DisplayColour(MakePixel(31, 16, 1), console), MakePixel(248, 128, 8));
  EXPECT_EQ(SwatchColour(MakePixel(31, 16, 1), console), MakePixel(252, 132, 12));
  EXPECT_EQ(DisplayColour(MakePixel(31, 16, 1, 7), kGbaColourModes[3].channels),
            MakePixel(31, 16, 1, 7));
  // The drawing table of a short palette: expanded entries, then black.
  ConvertedPixel palette[2] = {0, MakePixel(1, 2, 3)};
  uint32_t table[256];
  std::fill_n(table, 256, 0xDEADBEEFu);
  BuildDisplayTable(palette, 2, console, table);
  EXPECT_EQ(table[1], MakePixel(8, 16, 24));
  EXPECT_EQ(table[2], 0u);
  EXPECT_EQ(table[255], 0u);
}

TEST(GbaModes, SubPaletteModeCovers256ColoursAndOnlyRgbaLacksMaskTransparency) {
  const ColourMode& four = kGbaColourModes[0];
  EXPECT_EQ(four.paletteEntries * four.coloursPerSubPalette, kGbaMaxPaletteEntries);
  EXPECT_EQ(kGbaColourModes[kGbaDefaultColourMode].shortName, "8");
  for (const ColourMode& m : kGbaColourModes) {
    EXPECT_EQ(m.maskTransparency, m.bitsPerPixel != 32) << m.name;
    EXPECT_EQ(m.indexZeroReserved, m.hasPalette()) << m.name;
  }
}

TEST(MapFormat, RotationFormatKeepsTheLowByteOfTheTileNumber) {
  EXPECT_EQ(KeptTileNumber(kGbaMapFormats[0], 300), 44u);
  EXPECT_EQ(KeptTileNumber(kGbaMapFormats[1], 300), 300u);
  EXPECT_EQ(KeptTileNumber(kGbaMapFormats[2], 70000), 70000u);
}

TEST(MapFormat, TextCellsCarryTileMirrorsAndSubPalette) {
  const MapFormat& text = kGbaMapFormats[1];
  uint32_t cell = 0x1C05;
  EXPECT_EQ(CellTile(text, cell), 5u);
  EXPECT_TRUE(CellMirrorX(text, cell));
  EXPECT_TRUE(CellMirrorY(text, cell));
  EXPECT_EQ(CellSubPalette(text, cell), 1u);
  EXPECT_EQ(CellWithSubPalette(text, 5, 15), 0xF005u);
  // Formats without the field ignore the sub-palette.
  EXPECT_EQ(CellWithSubPalette(kGbaMapFormats[2], 5, 3), 5u);
  EXPECT_EQ(CellSubPalette(kGbaMapFormats[0], 0xF005), 0u);
  EXPECT_EQ(CellTile(kGbaMapFormats[2], 0x1C05), 0x1C05u);
  // With the palette field switched off by the platform option (mask 0,
  // shift 0) the tile number is not disturbed.
  MapFormat noPalette = text;
  noPalette.paletteMask = 0;
  noPalette.paletteShift = 0;
  EXPECT_EQ(CellWithSubPalette(noPalette, 5, 3), 5u);
}
