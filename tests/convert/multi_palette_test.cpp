#include "convert/multi_palette.h"

#include <gtest/gtest.h>

#include <random>

#include "console_render.h"
#include "convert/conversion_progress.h"
#include "convert/image_codecs.h"
#include "convert/tile_conversion.h"
#include "engine_fixture.h"
#include "multi_palette_reference.h"
#include "test_support/temp_dir.h"

using namespace convert;
using namespace converttest;

namespace {

// Tiles cut from a smooth picture with a little noise, some transparent
// pixels and some repeated colours: what photographs give.
std::vector<ConvertedPixel> PhotoLikeTiles(int count, int side, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> noise(-2, 2);
  std::vector<ConvertedPixel> out;
  for (int t = 0; t < count; ++t) {
    const int baseR = static_cast<int>(random() % 28), baseG = static_cast<int>(random() % 28),
              baseB = static_cast<int>(random() % 28);
    const bool holes = t % 5 == 0;
    for (int i = 0; i < side * side; ++i) {
      if (holes && i % 7 == 0) {
        out.push_back(0);
        continue;
      }
      auto level = [&](int base) {
        return static_cast<uint32_t>(std::clamp(base + i % side / 3 + noise(random), 0, 31));
      };
      out.push_back(Level(level(baseR), level(baseG), level(baseB)));
    }
  }
  return out;
}

struct Case {
  int tiles;
  int side;
  int colours;
  bool fast;
  bool post;
  int colorisation;
};

class MultiPaletteAgainstReference : public testing::TestWithParam<Case> {};

}  // namespace

TEST_P(MultiPaletteAgainstReference, GivesTheResultsOfTheStraightforwardAlgorithm) {
  const Case c = GetParam();
  for (unsigned seed = 1; seed <= 3; ++seed) {
    const std::vector<ConvertedPixel> tiles = PhotoLikeTiles(c.tiles, c.side, seed * 7 + c.tiles);
    MultiPaletteJob job;
    job.tiles = tiles;
    job.tileCount = c.tiles;
    job.tileWidth = c.side;
    job.tileHeight = c.side;
    job.coloursPerSubPalette = 16;
    job.requestedColours = c.colours;
    job.fastReduction = c.fast;
    job.postProcessing = c.post;
    job.colorisation = c.colorisation;
    platform::RecordingDialogs dialogs;
    MultiPaletteResult fast, reference;
    const int got = ConvertMultiPalette(job, fast, dialogs, nullptr);
    const int expected = ReferenceMultiPalette(job, reference);
    ASSERT_EQ(got, expected) << seed;
    EXPECT_EQ(fast.subPalettes, reference.subPalettes) << seed;
    EXPECT_EQ(fast.palette, reference.palette) << seed;
    EXPECT_EQ(fast.tiles, reference.tiles) << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, MultiPaletteAgainstReference,
    testing::Values(Case{24, 8, 64, true, true, 0}, Case{30, 8, 255, true, true, 0},
                    Case{24, 8, 48, false, true, 0}, Case{20, 8, 64, true, false, 0},
                    Case{24, 8, 64, true, true, 3}, Case{24, 8, 64, true, true, -1},
                    Case{10, 8, 48, true, true, -2}, Case{8, 16, 32, true, true, 0},
                    Case{16, 8, 80, false, false, 2}));

TEST(MultiPalette, SubPalettesAreOfSixteenWithATransparentEntryZero) {
  const std::vector<ConvertedPixel> tiles = PhotoLikeTiles(40, 8, 5);
  MultiPaletteJob job;
  job.tiles = tiles;
  job.tileCount = 40;
  job.requestedColours = 255;
  platform::RecordingDialogs dialogs;
  MultiPaletteResult result;
  ASSERT_EQ(ConvertMultiPalette(job, result, dialogs, nullptr), 256);
  ASSERT_EQ(result.palette.size(), 256u);
  for (int s = 0; s < 16; ++s) EXPECT_EQ(result.palette[static_cast<size_t>(s) * 16], 0u);
  for (size_t i = 0; i < tiles.size(); ++i) {
    EXPECT_LT(result.tiles[i], 16u);
    EXPECT_EQ(result.tiles[i] == 0, IsTransparent(tiles[i])) << i;
  }
  EXPECT_TRUE(dialogs.entries().empty());
}

TEST(MultiPalette, RefusesMoreThan255ColoursPerSubPaletteOrSubPalettes) {
  const std::vector<ConvertedPixel> tiles = PhotoLikeTiles(2, 8, 1);
  MultiPaletteJob job;
  job.tiles = tiles;
  job.tileCount = 2;
  job.coloursPerSubPalette = 256;
  job.requestedColours = 512;
  platform::RecordingDialogs dialogs;
  MultiPaletteResult result;
  EXPECT_EQ(ConvertMultiPalette(job, result, dialogs, nullptr), 0);
  job.coloursPerSubPalette = 2;
  job.requestedColours = 2 * 256;
  EXPECT_EQ(ConvertMultiPalette(job, result, dialogs, nullptr), 0);
}

namespace {

struct CountingProgress : ConversionProgress {
  int starts = 0, assigned = 0, changed = 0, finishes = 0, diagnostics = 0;
  std::vector<Stage> stages;
  void started(int, int, int) override { ++starts; }
  void stageStarted(Stage s) override { stages.push_back(s); }
  void subPaletteChanged(int, std::span<const ConvertedPixel> colours) override {
    ++changed;
    EXPECT_GE(colours.size(), 1u);
  }
  void tileAssigned(int, int, std::span<const ConvertedPixel> pixels, int done) override {
    EXPECT_EQ(pixels.size(), 64u);
    EXPECT_EQ(done, ++assigned);
  }
  void finished(bool ok) override { finishes += ok; }
  void diagnostic(std::string_view line) override {
    ++diagnostics;
    EXPECT_EQ(line.back(), '\n');
  }
};

}  // namespace

TEST(MultiPalette, ReportsItsProgress) {
  const std::vector<ConvertedPixel> tiles = PhotoLikeTiles(12, 8, 2);
  MultiPaletteJob job;
  job.tiles = tiles;
  job.tileCount = 12;
  job.requestedColours = 64;
  platform::RecordingDialogs dialogs;
  MultiPaletteResult result;
  CountingProgress progress;
  ASSERT_EQ(ConvertMultiPalette(job, result, dialogs, &progress), 64);
  EXPECT_EQ(progress.starts, 1);
  EXPECT_EQ(progress.assigned, 12);
  EXPECT_GE(progress.changed, 4 + 12);
  EXPECT_EQ(progress.finishes, 1);
  EXPECT_GE(progress.diagnostics, 4);  // one line per seed at least
  using S = ConversionProgress::Stage;
  EXPECT_EQ(progress.stages,
            (std::vector<S>{S::Seeding, S::Assignment, S::PostProcessing, S::Output}));
}

// The photograph converted to 4-bit tiles and drawn as the console draws
// them. Fitting colours by colour collection, sixteen sub-palettes come much
// closer to it than one palette of 16. The octree fits (fast reduction) give
// coarser sub-palettes; with them, what the sub-palette bits select must
// still be better than drawing every tile with sub-palette 0.
TEST(MultiPalette, SubPalettesRenderAPhotoCloserThanOneSixteenColourPalette) {
  DecodedImage photo;
  const std::string bytes = testsupport::ReadFile(testsupport::DataPath("engine/photo.png"));
  ASSERT_TRUE(DecodeImage({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, photo));
  auto meanError = [&](int colours, bool fast, bool dropBanks) {
    Engine e(kMode4);
    e.messages = false;
    e.settings.fastPaletteReduction = fast;
    e.picture(photo.width, photo.height, photo.pixels);
    EXPECT_TRUE(ConvertTiles(e.tileJob(colours), e.context()));
    const auto& map = e.written("map");
    std::vector<uint32_t> cells = map.values;
    if (dropBanks)
      for (uint32_t& c : cells) c &= 0x0FFF;
    ConsoleFrame frame = RenderTextBackground(e.written("tileset").values, cells, map.width,
                                              map.height, e.written("palette").values, 4);
    return MeanColourError(frame, photo.pixels, photo.width, photo.height);
  };
  const double single = meanError(16, false, false);
  const double sub = meanError(255, false, false);
  EXPECT_LT(sub, single * 0.7) << "single " << single << ", sub-palettes " << sub;
  const double fast = meanError(255, true, false);
  EXPECT_LT(fast, meanError(255, true, true) * 0.5);
}
