#include "convert/tile_layout.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "convert/converted_pixel.h"

using namespace convert;

TEST(TileLayout, FourBitBlocksPutTheLeftPixelInTheLowNibble) {
  uint32_t block[64] = {1, 2, 3, 4, 5, 6, 7, 8};
  uint32_t values[64] = {};
  ASSERT_EQ(WriteBlock(4, block, values), 32);
  EXPECT_EQ(values[0], 0x21u);
  EXPECT_EQ(values[1], 0x43u);
  EXPECT_EQ(values[2], 0x65u);
  EXPECT_EQ(values[3], 0x87u);
  EXPECT_EQ(values[4], 0u);
  block[0] = 0x1F;  // only the low 4 bits of an index are written
  WriteBlock(4, block, values);
  EXPECT_EQ(values[0], 0x2Fu);
  EXPECT_EQ(TilesetByteSize(4, 64 * 10), 320u);
  EXPECT_EQ(TilesetByteSize(15, 64), 128u);
}

TEST(TileLayout, EveryWrittenFormReadsBackToTheSamePixels) {
  uint32_t four[64], eight[64], fifteen[64], rgba[64];
  for (int i = 0; i < 64; ++i) {
    four[i] = static_cast<uint32_t>(i * 7) & 15u;
    eight[i] = static_cast<uint32_t>(i * 37 + 3) & 255u;
    fifteen[i] = MakePixel(i & 31, (i * 3) & 31, (i * 5) & 31, (i % 9) ? 255 : 0);
    rgba[i] = 0x01020304u * static_cast<uint32_t>(i + 1);
  }
  struct Case {
    int bpp;
    const uint32_t* pixels;
    int count;
    int bytes;
  } cases[] = {{4, four, 32, 1}, {8, eight, 64, 1}, {15, fifteen, 64, 2}, {32, rgba, 64, 4}};
  for (const Case& c : cases) {
    uint32_t values[64] = {};
    uint32_t back[64] = {};
    ASSERT_EQ(WriteBlock(c.bpp, c.pixels, values), c.count) << c.bpp;
    EXPECT_EQ(WrittenValueBytes(c.bpp), c.bytes);
    for (int k = 0; k < c.count; ++k)
      EXPECT_LT(values[k], c.bytes == 4 ? ~0ull : 1ull << (8 * c.bytes));
    ASSERT_TRUE(ReadBlock(c.bpp, values, back));
    for (int i = 0; i < 64; ++i) EXPECT_EQ(back[i], c.pixels[i]) << c.bpp << " pixel " << i;
  }
  // A transparent 15-bit pixel is written with bit 15.
  uint32_t values[64] = {};
  WriteBlock(15, fifteen, values);
  EXPECT_EQ(values[0] & 0x8000u, 0x8000u);
  EXPECT_EQ(values[1] & 0x8000u, 0u);
  EXPECT_EQ(WriteBlock(12, four, values), 0);
  EXPECT_FALSE(ReadBlock(16, values, fifteen));
}

TEST(TileLayout, LargeTilesAreBandsOfBlocksFromTheTop) {
  // A 16 × 16 area numbered row by row.
  std::vector<uint32_t> area(16 * 16);
  std::iota(area.begin(), area.end(), 0u);
  std::vector<uint32_t> tile(256);
  GatherTile(area.data(), 16, 16, 16, tile.data());
  EXPECT_EQ(tile[0], 0u);
  EXPECT_EQ(tile[8], 16u);     // second row of the first block
  EXPECT_EQ(tile[64], 8u);     // second block: columns 8..15 of the top band
  EXPECT_EQ(tile[128], 128u);  // third block: first row of the second band
  EXPECT_EQ(tile[255], 255u);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      EXPECT_EQ(tile[TilePixelIndex(x, y, 16)], area[static_cast<size_t>(y * 16 + x)]);
  // A 24 × 8 tile inside a wider area, and back.
  std::vector<uint32_t> wide(40 * 8);
  std::iota(wide.begin(), wide.end(), 0u);
  std::vector<uint32_t> strip(24 * 8);
  GatherTile(wide.data(), 40, 24, 8, strip.data());
  EXPECT_EQ(strip[64 * 2 + 8 + 1], 40u + 17u);
  std::vector<uint32_t> out(40 * 8, 0xDEADu);
  ScatterTile(strip.data(), 24, 8, out.data(), 40);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 40; ++x)
      EXPECT_EQ(out[static_cast<size_t>(y * 40 + x)],
                x < 24 ? wide[static_cast<size_t>(y * 40 + x)] : 0xDEADu);
}
