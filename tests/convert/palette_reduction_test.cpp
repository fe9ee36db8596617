#include <gtest/gtest.h>

#include <random>

#include "convert/colour_collection.h"
#include "convert/halftone.h"
#include "convert/nearest_colour.h"
#include "convert/octree.h"
#include "convert/reduction_method.h"
#include "convert/tolerance_search.h"
#include "engine_fixture.h"

using namespace convert;
using converttest::Level;

TEST(NearestColour, EqualDistancesGoToTheHigherIndexAndTheLimitIsInclusive) {
  const ConvertedPixel palette[] = {Level(0, 0, 0), Level(2, 0, 0), Level(4, 0, 0), Level(2, 0, 0)};
  // (2,0,0) is at distance 0 from entries 1 and 3: the later one wins.
  EXPECT_EQ(NearestColour(Level(2, 0, 0), palette, 0, 4, kNoColourLimit), 3);
  // (3,0,0) is at distance 1 from entries 1, 2 and 3.
  EXPECT_EQ(NearestColour(Level(3, 0, 0), palette, 0, 4, kNoColourLimit), 3);
  EXPECT_EQ(NearestColour(Level(3, 0, 0), palette, 0, 3, kNoColourLimit), 2);
  // The limit: distance 1 is within 1, not within 0.
  EXPECT_EQ(NearestColour(Level(3, 0, 0), palette, 0, 3, 1), 2);
  EXPECT_EQ(NearestColour(Level(3, 0, 0), palette, 0, 3, 0), -1);
  // The range: entries below `first` are not looked at.
  EXPECT_EQ(NearestColour(Level(0, 0, 0), palette, 1, 3, kNoColourLimit), 1);
  EXPECT_EQ(NearestColour(Level(0, 0, 0), palette, 2, 2, kNoColourLimit), -1);
}

TEST(NearestColour, ADifferentOpacityCountsOne) {
  EXPECT_EQ(ColourDistance(Level(1, 2, 3), Level(1, 2, 3)), 0u);
  EXPECT_EQ(ColourDistance(Level(1, 2, 3), MakePixel(1, 2, 3, 0)), 1u);
  EXPECT_EQ(ColourDistance(Level(0, 0, 0), Level(31, 31, 31)), 3u * 31 * 31);
  const ConvertedPixel palette[] = {MakePixel(0, 0, 0, 0), Level(0, 0, 1)};
  // Distance 1 to both: the later entry.
  EXPECT_EQ(NearestColour(Level(0, 0, 0), palette, 0, 2, kNoColourLimit), 1);
}

namespace {

// The colour collection pass as written: every pixel, in order.
int LiteralPass(const std::vector<ConvertedPixel>& pixels, std::vector<ConvertedPixel>& palette,
                int start, int maximum, int64_t tolerance, std::vector<uint32_t>* indices) {
  int count = static_cast<int>(palette.size());
  for (ConvertedPixel p : pixels) {
    if (IsTransparent(p)) {
      if (indices) indices->push_back(999);
      continue;
    }
    int found = NearestColour(p, palette.data(), start, count, tolerance);
    if (found < 0) {
      if (count + 1 > maximum) return -1;
      palette.push_back(p);
      found = count++;
    }
    if (indices) indices->push_back(static_cast<uint32_t>(found) + 1);
  }
  return count;
}

std::vector<ConvertedPixel> RandomPixels(std::mt19937& random, size_t count, int levels) {
  std::uniform_int_distribution<int> level(0, levels - 1);
  std::uniform_int_distribution<int> pick(0, 9);
  std::vector<ConvertedPixel> out;
  for (size_t i = 0; i < count; ++i)
    out.push_back(pick(random) == 0 ? 0u
                                    : Level(static_cast<uint32_t>(level(random)),
                                            static_cast<uint32_t>(level(random)),
                                            static_cast<uint32_t>(level(random))));
  return out;
}

}  // namespace

TEST(ColourCollection, CountingOverDistinctColoursAndTheIndexPassMatchThePixelByPixelPass) {
  std::mt19937 random(11);
  for (int round = 0; round < 60; ++round) {
    const std::vector<ConvertedPixel> pixels = RandomPixels(random, 400, 4 + round % 12);
    const std::vector<ConvertedPixel> existing =
        RandomPixels(random, static_cast<size_t>(round % 5), 32);
    const int64_t tolerance = round % 7 * 9;
    const int start = round % 3 == 0 ? 0 : static_cast<int>(existing.size());
    const int maximum = 20 + round % 40;

    std::vector<ConvertedPixel> literal = existing;
    std::vector<uint32_t> literalIndices;
    const int expected = LiteralPass(pixels, literal, start, maximum, tolerance, &literalIndices);

    std::vector<ConvertedPixel> buffer(300, 0);
    std::copy(existing.begin(), existing.end(), buffer.begin());
    CollectionPalette palette{buffer.data(), static_cast<int>(existing.size()), start, maximum};
    EXPECT_EQ(CollectColours(DistinctColours(pixels), palette, tolerance), expected) << round;
    std::vector<uint32_t> indices(pixels.size());
    EXPECT_EQ(CollectColoursWithIndices(pixels, palette, tolerance, 999, 1, indices), expected)
        << round;
    if (expected < 0) continue;
    EXPECT_EQ(indices, literalIndices) << round;
    EXPECT_TRUE(std::equal(literal.begin(), literal.end(), buffer.begin())) << round;
  }
}

TEST(ToleranceSearch, DescendingKeepsTheLargestCountAndOnEqualCountsTheLargerTolerance) {
  // Counts per tolerance (index = tolerance); the pass at 2 fails.
  const std::vector<int> counts = {-1, 9, -1, 7, 8, 8, 5};
  std::vector<int64_t> tried;
  auto pass = [&](int64_t t) {
    tried.push_back(t);
    return counts[static_cast<size_t>(t)];
  };
  EXPECT_EQ(DescendingToleranceSearch(6, pass), 5);
  EXPECT_EQ(tried, (std::vector<int64_t>{6, 5, 4, 3, 2}));
  EXPECT_EQ(DescendingToleranceSearch(0, pass), -1);
  tried.clear();
  const std::vector<int> noneFits = {-1, -1, -1};
  EXPECT_EQ(
      DescendingToleranceSearch(2, [&](int64_t t) { return noneFits[static_cast<size_t>(t)]; }),
      -1);
}

TEST(ToleranceSearch, BisectionTriesTheTopFirstThenHalves) {
  std::vector<int64_t> tried;
  // Fits from 37 on.
  auto fits = [&](int64_t t) {
    tried.push_back(t);
    return t >= 37;
  };
  EXPECT_EQ(BisectTolerance(-1, 512, 512, fits), 37);
  EXPECT_EQ(tried.front(), 512);
  EXPECT_EQ(tried[1], 255);  // (−1 + 512) / 2
  EXPECT_LE(tried.size(), 12u);
  // Nothing fits: the top is returned for the final pass (which then fails).
  tried.clear();
  EXPECT_EQ(BisectTolerance(-1, 512, 512,
                            [&](int64_t t) {
                              tried.push_back(t);
                              return false;
                            }),
            512);
  EXPECT_EQ(tried, std::vector<int64_t>{512});
  // Everything fits: down to 0.
  EXPECT_EQ(BisectTolerance(-1, 512, 512, [](int64_t) { return true; }), 0);
  // The sub-palette fits start in the middle.
  tried.clear();
  EXPECT_EQ(BisectTolerance(0, 250000, 125000, fits), 37);
  EXPECT_EQ(tried.front(), 125000);
}

TEST(Octree, ReducesTheNewestNodeOfTheDeepestLevelFirst) {
  // Three colours that differ only in their lowest bit share every node down to
  // level 7; with two leaves allowed, the fourth leaf makes the newest level-7
  // node fold its children.
  Octree tree(2);
  tree.insert(Level(0, 0, 0));
  tree.insert(Level(0, 0, 1));
  EXPECT_EQ(tree.leafCount(), 2);
  tree.insert(Level(16, 16, 16));  // a new branch from level 3 down: 3 leaves, one folds
  std::vector<ConvertedPixel> colours;
  tree.appendColours(colours);
  // The newest level-7 node is the (16,16,16) branch's: folding its one child
  // changes nothing, so the next one down the list, the (0,0,x) node, folds
  // its two leaves into one.
  ASSERT_EQ(tree.leafCount(), 2);
  ASSERT_EQ(colours.size(), 2u);
  // Depth first: the (0,0,x) branch (child 0 at level 3) comes before (16,16,16).
  EXPECT_EQ(colours[0], Level(0, 0, 0));  // (0 + 1) / 2 = 0 after the fold
  EXPECT_EQ(colours[1], Level(16, 16, 16));
}

TEST(Octree, LeafColoursAreIntegerAveragesReadDepthFirst) {
  Octree tree(256);
  for (int i = 0; i < 3; ++i) tree.insert(Level(31, 0, 0));
  tree.insert(Level(0, 0, 31));
  tree.insert(Level(0, 31, 0));
  std::vector<ConvertedPixel> colours;
  tree.appendColours(colours);
  // Children are ordered red × 4 + green × 2 + blue.
  EXPECT_EQ(colours,
            (std::vector<ConvertedPixel>{Level(0, 0, 31), Level(0, 31, 0), Level(31, 0, 0)}));
  Octree one(1);
  one.insert(Level(1, 2, 3));
  one.insert(Level(2, 4, 6));
  one.insert(Level(2, 4, 7));
  colours.clear();
  one.appendColours(colours);
  EXPECT_EQ(colours, std::vector<ConvertedPixel>{Level(5 / 3, 10 / 3, 16 / 3)});
}

TEST(Halftone, PaletteHasWhiteAt245AndANearBlackAt255ThatIsNeverChosen) {
  const auto& p = HalftonePalette();
  EXPECT_EQ(p.size(), 256u);
  EXPECT_EQ(p[245], 0xFFFFFFu);
  EXPECT_EQ(p[255], 0x000001u);
  EXPECT_EQ(p[0], 0u);
  EXPECT_EQ(p[215], 0xFFFFFFu);
  EXPECT_EQ(p[36 * 5], 0xFF0000u);
  std::mt19937 random(3);
  for (int i = 0; i < 20000; ++i) {
    uint8_t r = static_cast<uint8_t>(random()), g = static_cast<uint8_t>(random()),
            b = static_cast<uint8_t>(random() % 3 ? random() : r);
    int index =
        HalftoneIndex(r, g, b, static_cast<int>(random() % 64), static_cast<int>(random() % 64));
    ASSERT_GE(index, 0);
    ASSERT_LT(index, 255);
  }
  // Pure colours of the palette come out unchanged at every position.
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(HalftoneIndex(255, 0, 0, x, y), 180);
      EXPECT_EQ(HalftoneIndex(0, 0, 0, x, y), 0);
      EXPECT_EQ(HalftoneIndex(255, 255, 255, x, y), 215);
      EXPECT_EQ(HalftoneIndex(51, 102, 153, x, y), 36 * 1 + 6 * 2 + 3);
    }
}

TEST(Halftone, AnOrderedDitherKeepsTheMeanLevel) {
  // Over an 8 × 8 cell, a flat level between two cube levels mixes them in
  // proportion.
  for (int level : {20, 77, 128, 200}) {
    int sum = 0;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        uint32_t c = HalftonePalette()[static_cast<size_t>(
            HalftoneIndex(static_cast<uint8_t>(level), 0, 255, x, y))];
        sum += static_cast<int>((c >> 16) & 255);
      }
    EXPECT_NEAR(sum / 64.0, level, 51.0 / 64 + 0.5) << level;
  }
}

TEST(ReductionMethod, ScriptNamesAndDigits) {
  EXPECT_EQ(ParseReductionMethod("tramé"), ReductionMethod::Halftone);
  EXPECT_EQ(ParseReductionMethod("halftone"), ReductionMethod::Halftone);
  EXPECT_EQ(ParseReductionMethod("1"), ReductionMethod::Halftone);
  EXPECT_EQ(ParseReductionMethod("normal"), ReductionMethod::Standard);
  EXPECT_EQ(ParseReductionMethod("initial"), ReductionMethod::Standard);
  EXPECT_EQ(ParseReductionMethod("meilleur"), ReductionMethod::Optimal);
  EXPECT_EQ(ParseReductionMethod("2"), ReductionMethod::Optimal);
  EXPECT_EQ(ParseReductionMethod("affiné"), ReductionMethod::Refined);
  EXPECT_EQ(ParseReductionMethod("refined"), ReductionMethod::Refined);
  EXPECT_EQ(ParseReductionMethod("3"), ReductionMethod::Refined);
  EXPECT_FALSE(ParseReductionMethod("4"));
  EXPECT_FALSE(ParseReductionMethod("standard"));
}
