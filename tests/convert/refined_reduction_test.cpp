// The Refined reduction: one palette by median cut and k-means, and refined
// sub-palettes.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

#include "convert/bitmap_conversion.h"
#include "convert/kmeans_refinement.h"
#include "convert/multi_palette.h"
#include "convert/subpalette_refinement.h"
#include "convert/tile_conversion.h"
#include "engine_fixture.h"

using namespace convert;
using converttest::Engine;
using converttest::kMode4;
using converttest::kMode8;
using converttest::Level;
using converttest::Opaque;

namespace {

// Smooth gradients with noise and a few transparent pixels: many more colours
// than any palette (levels 0..31, as Opaque gives them).
std::vector<uint32_t> PhotoLike(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint32_t> out;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if ((x * 7 + y * 3) % 53 == 0) {
        out.push_back(0);
        continue;
      }
      auto level = [&](int v) {
        return static_cast<uint32_t>(std::clamp(v + static_cast<int>(random() % 5) - 2, 0, 31));
      };
      out.push_back(Opaque(level(x * 31 / width), level(y * 31 / height),
                           level((x + y) % 32 * (seed % 3 + 1) % 32)));
    }
  return out;
}

double Distance(ConvertedPixel a, ConvertedPixel b) {
  const double dr = double(PixelRed(a)) - PixelRed(b), dg = double(PixelGreen(a)) - PixelGreen(b),
               db = double(PixelBlue(a)) - PixelBlue(b);
  return std::sqrt(dr * dr + dg * dg + db * db);
}

struct BitmapResult {
  std::vector<uint32_t> palette, indices;
  double error = 0;  // summed over the opaque pixels, in levels
};

BitmapResult ConvertWith(ReductionMethod method, const std::vector<uint32_t>& picture, int width,
                         int height, int colours, bool dither = false) {
  Engine e(kMode8);
  e.settings.method = method;
  e.settings.refinedDither = dither ? 1 : 0;
  e.messages = false;
  e.picture(width, height, picture);
  BitmapResult r;
  if (!ConvertBitmap(e.bitmapJobFor(colours), e.context())) return r;
  r.palette = e.written("palette").values;
  r.indices = e.written("bitmap").values;
  for (size_t i = 0; i < picture.size(); ++i) {
    if (picture[i] < 0x1000000u) continue;
    const uint32_t p = picture[i];
    r.error += Distance(Level(p >> 19 & 31, p >> 11 & 31, p >> 3 & 31), r.palette.at(r.indices[i]));
  }
  return r;
}

struct PhotoCase {
  int width, height, colours;
  unsigned seed;
};

class RefinedOnPhotos : public testing::TestWithParam<PhotoCase> {};

TEST_P(RefinedOnPhotos, DeterministicDistinctAndBetterThanTheOctree) {
  const PhotoCase c = GetParam();
  const std::vector<uint32_t> picture = PhotoLike(c.width, c.height, c.seed);
  const BitmapResult refined =
      ConvertWith(ReductionMethod::Refined, picture, c.width, c.height, c.colours);
  ASSERT_FALSE(refined.palette.empty());
  EXPECT_EQ(static_cast<int>(refined.palette.size()), c.colours);

  const BitmapResult again =
      ConvertWith(ReductionMethod::Refined, picture, c.width, c.height, c.colours);
  EXPECT_EQ(again.palette, refined.palette);
  EXPECT_EQ(again.indices, refined.indices);

  std::set<uint16_t> seen;
  for (size_t i = 1; i < refined.palette.size(); ++i)
    EXPECT_TRUE(seen.insert(ConsoleColour(refined.palette[i])).second) << "entry " << i;

  // The noise of these pictures is the floor both methods stand on: the
  // margin is smaller than on photographs, but always there.
  const BitmapResult optimal =
      ConvertWith(ReductionMethod::Optimal, picture, c.width, c.height, c.colours);
  if (!optimal.palette.empty()) {
    EXPECT_LT(refined.error, optimal.error * 0.97);
  }
}

INSTANTIATE_TEST_SUITE_P(Pictures, RefinedOnPhotos,
                         testing::Values(PhotoCase{64, 48, 256, 1}, PhotoCase{40, 40, 16, 2},
                                         PhotoCase{33, 17, 5, 3}, PhotoCase{96, 64, 64, 4}));

class RefinedFewColours : public testing::TestWithParam<int> {};

// A picture with no more colours than the palette holds comes out exactly.
TEST_P(RefinedFewColours, AreReproducedExactly) {
  const int n = GetParam();
  std::vector<uint32_t> picture;
  for (int i = 0; i < n; ++i) picture.push_back(Opaque(i % 32, i / 32 * 3 % 32, (i * 7) % 32));
  picture.push_back(picture.front());  // repeats add no colour
  picture.push_back(0);
  const BitmapResult r =
      ConvertWith(ReductionMethod::Refined, picture, static_cast<int>(picture.size()), 1, 256);
  ASSERT_EQ(static_cast<int>(r.palette.size()), n + 1);
  EXPECT_EQ(r.error, 0.0);
  EXPECT_EQ(r.indices.back(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Counts, RefinedFewColours, testing::Values(1, 2, 17, 255));

TEST(RefinedPalette, NeverRepeatsAColourNorAFixedOne) {
  std::vector<ConvertedPixel> pixels;
  for (const uint32_t p : PhotoLike(48, 48, 9))
    if (p >= 0x1000000u) pixels.push_back(Level(p >> 19 & 31, p >> 11 & 31, p >> 3 & 31));
  const std::vector<WeightedColour> histogram = ColourHistogram(pixels);
  const std::vector<ConvertedPixel> fixed{Level(0, 0, 0), Level(15, 15, 15), Level(31, 0, 31)};
  for (int room : {1, 3, 40, 200}) {
    const std::vector<ConvertedPixel> fresh = RefinedPalette(histogram, fixed, room);
    EXPECT_EQ(static_cast<int>(fresh.size()), room);
    std::set<uint32_t> seen;
    for (ConvertedPixel f : fixed) seen.insert(f);
    for (ConvertedPixel c : fresh) EXPECT_TRUE(seen.insert(c).second) << room;
  }
}

// The dither depends only on the position inside a tile: equal tiles stay
// equal and merge; it still draws a flat colour between two entries with both.
TEST(RefinedDither, EqualTilesStayEqual) {
  Engine e(kMode8);
  e.settings.method = ReductionMethod::Refined;
  e.settings.refinedDither = 1;
  std::vector<uint32_t> tile;
  for (int i = 0; i < 64; ++i) tile.push_back(Opaque(static_cast<uint32_t>(i % 8 * 4), 10, 20));
  std::vector<uint32_t> picture(24 * 8, Opaque(0, 0, 0));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      picture[static_cast<size_t>(y * 24 + x)] = tile[static_cast<size_t>(y * 8 + x)];
      picture[static_cast<size_t>(y * 24 + 16 + x)] = tile[static_cast<size_t>(y * 8 + x)];
    }
  e.picture(24, 8, picture);
  ASSERT_TRUE(ConvertTiles(e.tileJob(4), e.context()));
  EXPECT_EQ(e.written("tileset").count, 2);

  const ConvertedPixel palette[] = {Level(0, 0, 0), Level(8, 0, 0)};
  std::set<int> used;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      used.insert(ChooseDither(Level(3, 0, 0), palette, 0, 2).at(DitherThreshold(x, y)));
  EXPECT_EQ(used, (std::set<int>{0, 1}));
}

std::vector<ConvertedPixel> Tiles(int count, unsigned seed) {
  std::vector<ConvertedPixel> out;
  const std::vector<uint32_t> picture = PhotoLike(8, 8 * count, seed);
  for (const uint32_t p : picture)
    out.push_back(p < 0x1000000u ? 0u : Level(p >> 19 & 31, p >> 11 & 31, p >> 3 & 31));
  return out;
}

struct SubPaletteCase {
  int tiles, colours;
  bool fast;
  unsigned seed;
};

class RefinedSubPalettes : public testing::TestWithParam<SubPaletteCase> {};

TEST_P(RefinedSubPalettes, NeverRaiseTheErrorTheyStartFrom) {
  const SubPaletteCase c = GetParam();
  const std::vector<ConvertedPixel> tiles = Tiles(c.tiles, c.seed);
  MultiPaletteJob job;
  job.tiles = tiles;
  job.tileCount = c.tiles;
  job.requestedColours = c.colours;
  job.fastReduction = c.fast;
  platform::RecordingDialogs dialogs;
  MultiPaletteResult specified, refined, again;
  const int colours = ConvertMultiPalette(job, specified, dialogs, nullptr);
  job.refine = true;
  ASSERT_EQ(ConvertMultiPalette(job, refined, dialogs, nullptr), colours);
  ConvertMultiPalette(job, again, dialogs, nullptr);
  EXPECT_LE(SubPaletteError(job, refined), SubPaletteError(job, specified));
  EXPECT_EQ(refined.palette, again.palette);
  EXPECT_EQ(refined.tiles, again.tiles);
  ASSERT_EQ(refined.palette.size(), specified.palette.size());
  for (size_t s = 0; s < refined.palette.size(); s += 16) EXPECT_EQ(refined.palette[s], 0u);
  for (size_t t = 0; t < tiles.size(); ++t)
    EXPECT_EQ(refined.tiles[t] == 0, IsTransparent(tiles[t])) << t;
}

INSTANTIATE_TEST_SUITE_P(Tiles, RefinedSubPalettes,
                         testing::Values(SubPaletteCase{30, 64, true, 1},
                                         SubPaletteCase{30, 64, false, 2},
                                         SubPaletteCase{50, 255, true, 3},
                                         SubPaletteCase{12, 32, true, 4},
                                         SubPaletteCase{3, 255, true, 5}));

}  // namespace
