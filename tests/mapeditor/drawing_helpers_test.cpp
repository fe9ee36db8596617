// Hex digits, link groups and block format conversion: the small algorithms
// the editor draws and edits with.
#include <gtest/gtest.h>

#include "convert/drawing_state.h"
#include "convert/surface.h"
#include "mapeditor/block_format.h"
#include "mapeditor/hex_digits.h"
#include "mapeditor/link_groups.h"
#include "mapeditor/parallax.h"
#include "platform/recording_platform.h"

namespace {

using namespace mapeditor;

std::string Digits(uint32_t value, int format, bool padding) {
  static const char kHex[] = "0123456789ABCDEF";
  int n = HexDigitCount(value, format, padding);
  std::string s;
  for (int i = n - 1; i >= 0; --i) s += kHex[(value >> (4 * i)) & 15];
  return s;
}

TEST(HexDigits, DigitCountsFollowTheMapFormatAndZeroPadding) {
  EXPECT_EQ(Digits(0x1FF, 0, false), "FF");
  EXPECT_EQ(Digits(0x7, 1, false), "07");
  EXPECT_EQ(Digits(0x100, 1, false), "0100");
  EXPECT_EQ(Digits(0x5, 1, true), "0005");
  EXPECT_EQ(Digits(0x123456, 2, false), "3456");
  EXPECT_EQ(Digits(0x5, 0, true), "05");
}

TEST(HexDigits, TheLowByteIsOnTheLowerLineRightDigitFirst) {
  platform::RecordingDialogs dialogs;
  convert::Surface s;
  ASSERT_TRUE(convert::ResizeSurface(s, 32, 32, true, 0, dialogs));
  convert::DrawingState state;
  convert::SelectSurface(state, s);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) s.at(x, y) = 0xFFFFFFFFu;
  // Cell at (16, 0), 16 × 16: (x0, y0) = (24, 7).
  DrawHexValue(state, 16, 0, 16, 16, 0x1B08, 4, 0xFF000000u, 256);
  auto ink = [&](int digit, DigitPlace at) {
    uint16_t glyph = HexGlyph(digit);
    for (int r = 0; r < 5; ++r)
      for (int c = 0; c < 3; ++c) {
        bool expected = (glyph >> (14 - (r * 3 + c))) & 1;
        EXPECT_EQ(s.at(at.x + c, at.y + r) == 0xFF000000u, expected)
            << "digit " << digit << " at " << c << "," << r;
      }
  };
  ink(8, {24, 7});
  ink(0, {20, 7});
  ink(0xB, {24, 1});
  ink(1, {20, 1});
  EXPECT_EQ(s.at(27, 7), 0xFFFFFFFFu);
  // Every glyph differs from every other.
  for (int a = 0; a < 16; ++a)
    for (int b = a + 1; b < 16; ++b) EXPECT_NE(HexGlyph(a), HexGlyph(b));
}

TEST(LinkGroups, NumbersOutOfRangeAndRepeatsAreSkippedAndNineteenAreKept) {
  EXPECT_EQ(ParseLinkNumbers("2, 2, 9", 3), std::vector<int>({1}));
  EXPECT_EQ(ParseLinkNumbers("1,2,3", 3), std::vector<int>({0, 1, 2}));
  EXPECT_EQ(ParseLinkNumbers("0 3 1", 3), std::vector<int>({2, 0}));
  EXPECT_TRUE(ParseLinkNumbers("", 3).empty());
  std::string many;
  for (int i = 1; i <= 20; ++i) many += std::to_string(i) + ",";
  EXPECT_EQ(ParseLinkNumbers(many, 20).size(), 19u);
  LinkRow row = MakeLinkRow(ParseLinkNumbers(many, 20));
  EXPECT_EQ(row[19], kLinkEnd);
  EXPECT_EQ(LinkGroupText(MakeLinkRow(std::vector<int>{2, 0, 4})), "3, 1, 5");
  EXPECT_EQ(LinkMembers(SingleLinkRow(7)), std::vector<int>({7}));
}

TEST(BlockFormat, SixteenToEightSplitsEachTileIntoItsFourBlocks) {
  std::vector<uint32_t> cells{3, 0, 1, 2};
  BlockFormatResult r = ConvertBlockFormat(cells, 2, 2, 0, 4, 16, 16, 8, 8);
  ASSERT_EQ(r.status, BlockFormatResult::Done);
  EXPECT_EQ(r.width, 4);
  EXPECT_EQ(r.height, 4);
  EXPECT_EQ(r.tileCount, 16);
  std::vector<uint32_t> expected{12, 13, 0,  1,  //
                                 14, 15, 2,  3,  //
                                 4,  5,  8,  9,  //
                                 6,  7,  10, 11};
  EXPECT_EQ(r.cells, expected);
}

TEST(BlockFormat, OutOfRangeAndFlaggedCellsBecomeTileZeroAndTheReferenceTileCounts) {
  std::vector<uint32_t> cells{0x405, 9, 1, 0};
  BlockFormatResult r = ConvertBlockFormat(cells, 2, 2, 1, 4, 8, 16, 8, 8);
  ASSERT_EQ(r.status, BlockFormatResult::Done);
  EXPECT_EQ(r.width, 2);
  EXPECT_EQ(r.height, 4);
  // Cell 1 + reference 1 = tile 2 → blocks 4, 5; cell 0 → tile 1 → 2, 3.
  EXPECT_EQ(r.cells, (std::vector<uint32_t>{0, 0, 0, 0, 4, 2, 5, 3}));
  EXPECT_EQ(r.tileCount, 8);
}

TEST(BlockFormat, GrowingRegroupsTopLeftUnits) {
  std::vector<uint32_t> cells{4, 5, 6, 7, 1, 1};  // 3 × 2 cells of 8 × 8
  BlockFormatResult r = ConvertBlockFormat(cells, 3, 2, 0, 8, 8, 8, 16, 16);
  ASSERT_EQ(r.status, BlockFormatResult::Done);
  EXPECT_EQ(r.width, 1);
  EXPECT_EQ(r.height, 1);
  EXPECT_EQ(r.cells, std::vector<uint32_t>{1});
  EXPECT_EQ(r.tileCount, 2);
}

TEST(Parallax, PercentagesShowAtMostThreeDecimals) {
  EXPECT_EQ(PercentText(0.5), "50");
  EXPECT_EQ(PercentText(1.0 / 3.0), "33.333");
  EXPECT_EQ(PercentText(0.125), "12.5");
  EXPECT_EQ(PercentText(1.0), "100");
}

}  // namespace
