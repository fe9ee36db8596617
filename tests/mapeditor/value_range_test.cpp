#include "mapeditor/value_range.h"

#include <gtest/gtest.h>

namespace {

using namespace mapeditor;

TEST(ValueRanges, AValueInARangeShowsTheTargetPlusItsDistanceOrTheTargetAlone) {
  std::vector<ValueRange> ranges{MakeValueRange(0x10, 0x1F, 0x100, false)};
  EXPECT_EQ(TileForCellValue(ranges, 0x15, 0xFFFFFFFF), 0x105u);
  EXPECT_EQ(TileForCellValue(ranges, 0x10, 0xFFFFFFFF), 0x100u);
  EXPECT_EQ(TileForCellValue(ranges, 0x1F, 0xFFFFFFFF), 0x10Fu);
  EXPECT_EQ(TileForCellValue(ranges, 0x20, 0xFFFFFFFF), 0x20u);
  ranges[0] = MakeValueRange(0x10, 0x1F, 0x100, true);
  EXPECT_EQ(TileForCellValue(ranges, 0x15, 0xFFFFFFFF), 0x100u);
  EXPECT_EQ(ValueRangeLine(ranges[0]), "10-1f -> 100 (exact)");
  EXPECT_EQ(ValueRangeLine(MakeValueRange(0x10, 0x1F, 0x100, false)), "10-1f -> 100 ");
}

TEST(ValueRanges, ARangeWinsOverTheDisplayMaskAndTheFirstMatchingRangeWins) {
  std::vector<ValueRange> ranges{MakeValueRange(0x300, 0x3FF, 0x2000, false),
                                 MakeValueRange(0x300, 0x300, 7, true)};
  // The mask would clear bit 13 of the range's result: the range is not masked.
  EXPECT_EQ(TileForCellValue(ranges, 0x300, 0xFF), 0x2000u);
  EXPECT_EQ(TileForCellValue(ranges, 0x1234, 0xFF), 0x34u);
}

TEST(ValueRanges, BoundsAreComparedAsSignedNumbers) {
  // Both bounds negative: the range holds the values between them.
  std::vector<ValueRange> ranges{MakeValueRange(0xFFFFFFF0u, 0xFFFFFFFFu, 0, true)};
  EXPECT_EQ(TileForCellValue(ranges, 0xFFFFFFF5u, 0xFF), 0u);
  EXPECT_EQ(TileForCellValue(ranges, 5, 0xFF), 5u);
  // Ordered as unsigned numbers, 5 .. 0x80000000 is empty as signed numbers.
  ranges = {MakeValueRange(0x80000000u, 5, 0, true)};
  EXPECT_EQ(TileForCellValue(ranges, 6, 0xFFFFFFFF), 6u);
  EXPECT_EQ(TileForCellValue(ranges, 0x7FFFFFFFu, 0xFFFFFFFF), 0x7FFFFFFFu);
}

TEST(ValueRanges, AddingSwapsReversedBoundsRefusesDuplicatesAndStopsAtTwenty) {
  std::vector<ValueRange> ranges;
  ValueRange r = MakeValueRange(0x1F, 0x10, 0x100, false);
  EXPECT_EQ(r.lowest, 0x10u);
  EXPECT_EQ(r.highest, 0x1Fu);
  EXPECT_EQ(r.base, static_cast<int32_t>(0x10 - 0x100));
  EXPECT_TRUE(AddValueRange(ranges, r));
  EXPECT_FALSE(AddValueRange(ranges, r));
  for (uint32_t i = 1; i < 20; ++i)
    EXPECT_TRUE(AddValueRange(ranges, MakeValueRange(i, i, i, true)));
  EXPECT_FALSE(AddValueRange(ranges, MakeValueRange(99, 99, 1, true)));
  EXPECT_EQ(ranges.size(), 20u);
}

TEST(ValueRanges, ModifyingToADuplicateOrAMissingLineDoesNothing) {
  std::vector<ValueRange> ranges{MakeValueRange(1, 2, 3, false), MakeValueRange(4, 5, 6, true)};
  EXPECT_FALSE(ReplaceValueRange(ranges, 0, ranges[1]));
  EXPECT_FALSE(ReplaceValueRange(ranges, 2, MakeValueRange(7, 7, 7, false)));
  EXPECT_TRUE(ReplaceValueRange(ranges, 0, MakeValueRange(7, 7, 7, false)));
  EXPECT_EQ(ranges[0].lowest, 7u);
  EXPECT_TRUE(RemoveValueRange(ranges, 0));
  EXPECT_EQ(ranges.size(), 1u);
  EXPECT_EQ(ranges[0].lowest, 4u);
  EXPECT_FALSE(RemoveValueRange(ranges, 1));
}

TEST(ValueRanges, PageFieldsUseTheNumberSyntaxAndAnEmptyHighestMeansLowest) {
  auto r = ValueRangeFromFields("0x10", "", "0b101", false);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->lowest, 0x10u);
  EXPECT_EQ(r->highest, 0x10u);
  EXPECT_EQ(r->target(), 5u);
  EXPECT_FALSE(ValueRangeFromFields("", "3", "4", false));
  EXPECT_FALSE(ValueRangeFromFields("3", "4", "", false));
}

TEST(ValueRanges, ATilePickedInThePanelBecomesTheValueThatShowsIt) {
  std::vector<ValueRange> ranges{MakeValueRange(0x10, 0x1F, 0x100, false),
                                 MakeValueRange(0x40, 0x4F, 0x200, true)};
  EXPECT_EQ(ValueForPanelTile(ranges, 0x105), 0x15u);
  EXPECT_EQ(ValueForPanelTile(ranges, 0x10F), 0x1Fu);
  EXPECT_EQ(ValueForPanelTile(ranges, 0x110), 0x110u);
  EXPECT_EQ(ValueForPanelTile(ranges, 0x200), 0x40u);
  EXPECT_EQ(ValueForPanelTile(ranges, 0x201), 0x201u);
}

}  // namespace
