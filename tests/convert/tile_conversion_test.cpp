#include "convert/tile_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "convert/conversion_messages.h"
#include "convert/tile_layout.h"
#include "engine_fixture.h"

using namespace convert;
using namespace converttest;

namespace {

// A picture made of 8 × 8 tiles, each filled by `tile(column, row, x, y)`.
template <typename F>
std::vector<uint32_t> Tiled(int columns, int rows, F tile) {
  std::vector<uint32_t> pixels(static_cast<size_t>(columns) * 8 * static_cast<size_t>(rows) * 8);
  for (int y = 0; y < rows * 8; ++y)
    for (int x = 0; x < columns * 8; ++x)
      pixels[static_cast<size_t>(y) * columns * 8 + x] = tile(x / 8, y / 8, x % 8, y % 8);
  return pixels;
}

// An asymmetric tile: one corner pixel red on black.
uint32_t Corner(int x, int y) { return x == 0 && y == 0 ? Opaque(31, 0, 0) : Opaque(0, 0, 0); }

std::vector<uint32_t> Tile(const RecordingWriters::Call& tileset, int n) {
  const size_t words = static_cast<size_t>(tileset.tileWidth) * tileset.tileHeight;
  return {tileset.values.begin() + static_cast<ptrdiff_t>(n * words),
          tileset.values.begin() + static_cast<ptrdiff_t>((n + 1) * words)};
}

}  // namespace

TEST(TileConversion, WritesTheMapTheTilesetAndThePaletteInThatOrder) {
  Engine e(kMode8);
  e.picture(16, 8, Tiled(2, 1, [](int, int, int x, int y) { return Corner(x, y); }));
  ASSERT_TRUE(ConvertTiles(e.tileJob(256), e.context()));
  EXPECT_EQ(e.writers.order(), (std::vector<std::string>{"map", "tileset", "palette"}));
  EXPECT_EQ(e.written("map").linked, "tiles");
  EXPECT_EQ(e.written("tileset").linked, "pal");
  EXPECT_TRUE(e.dialogs.entries().empty());

  e.writers.calls.clear();
  ConversionJob job = e.tileJob(256);
  job.generateMap = false;
  job.map = nullptr;
  ASSERT_TRUE(ConvertTiles(job, e.context()));
  EXPECT_EQ(e.writers.order(), (std::vector<std::string>{"tileset", "palette"}));
}

TEST(TileConversion, IdenticalTilesMergeButAMirroredTileDoesNot) {
  Engine e(kMode8);
  // Tiles: corner, corner, corner mirrored left to right.
  e.picture(24, 8, Tiled(3, 1, [](int column, int, int x, int y) {
              return column == 2 ? Corner(7 - x, y) : Corner(x, y);
            }));
  ASSERT_TRUE(ConvertTiles(e.tileJob(256), e.context()));
  EXPECT_EQ(e.written("map").values, (std::vector<uint32_t>{0, 0, 1}));
  EXPECT_EQ(e.written("tileset").count, 2);
  // Red came first in the picture: index 1; black is 2.
  std::vector<uint32_t> first = Tile(e.written("tileset"), 0);
  EXPECT_EQ(first[0], 1u);
  EXPECT_EQ(first[1], 2u);
  EXPECT_EQ(Tile(e.written("tileset"), 1)[7], 1u);

  e.writers.calls.clear();
  ConversionJob job = e.tileJob(256);
  job.mergeTiles = false;
  ASSERT_TRUE(ConvertTiles(job, e.context()));
  EXPECT_EQ(e.written("map").values, (std::vector<uint32_t>{0, 1, 2}));
  EXPECT_EQ(e.written("tileset").count, 3);
}

TEST(TileConversion, AnAreaNotAMultipleOfTheTileSizeIsExtendedWithTheBackground) {
  Engine e(kMode8);
  std::vector<uint32_t> pixels(13 * 7, Opaque(4, 4, 4));
  e.picture(13, 7, pixels);
  ASSERT_TRUE(ConvertTiles(e.tileJob(256), e.context()));
  const auto& map = e.written("map");
  EXPECT_EQ(map.width, 2);
  EXPECT_EQ(map.height, 1);
  std::vector<uint32_t> second = Tile(e.written("tileset"), 1);
  // Row 0: columns 8..12 of the picture, then three background pixels.
  EXPECT_EQ(std::vector<uint32_t>(second.begin(), second.begin() + 8),
            (std::vector<uint32_t>{1, 1, 1, 1, 1, 0, 0, 0}));
  // Row 7 lies below the picture.
  EXPECT_EQ(std::vector<uint32_t>(second.begin() + 56, second.end()), std::vector<uint32_t>(8, 0));
}

TEST(TileConversion, FirstTileEmptyMapsTransparentTilesToTileZero) {
  Engine e(kMode8);
  e.settings.firstTileEmpty = 1;
  e.picture(16, 8, Tiled(2, 1, [](int column, int, int x, int y) {
              return column == 0 ? Corner(x, y) : 0u;
            }));
  ASSERT_TRUE(ConvertTiles(e.tileJob(256), e.context()));
  EXPECT_EQ(e.written("map").values, (std::vector<uint32_t>{1, 0}));
  EXPECT_EQ(e.written("tileset").count, 2);
  EXPECT_EQ(Tile(e.written("tileset"), 0), std::vector<uint32_t>(64, 0));
}

TEST(TileConversion, MapFormatZeroKeepsTheLowByteOfTileNumbers) {
  Engine e(kMode15);
  e.format = kGbaMapFormats[0];
  // 301 different tiles: their first pixel tells them apart.
  e.picture(301 * 8, 8, Tiled(301, 1, [](int column, int, int x, int y) {
              return x == 0 && y == 0 ? Opaque(static_cast<uint32_t>(column % 32),
                                               static_cast<uint32_t>(column / 32), 1)
                                      : Opaque(0, 0, 0);
            }));
  ASSERT_TRUE(ConvertTiles(e.tileJob(0), e.context()));
  const auto& map = e.written("map").values;
  ASSERT_EQ(map.size(), 301u);
  EXPECT_EQ(map[255], 255u);
  EXPECT_EQ(map[256], 0u);
  EXPECT_EQ(map[300], 44u);
  EXPECT_EQ(e.written("tileset").count, 301);
  EXPECT_EQ(e.writers.order(), (std::vector<std::string>{"map", "tileset"}));  // no palette

  e.writers.calls.clear();
  e.format = kGbaMapFormats[2];
  ASSERT_TRUE(ConvertTiles(e.tileJob(0), e.context()));
  EXPECT_EQ(e.written("map").values[300], 300u);
}

TEST(TileConversion, MoreThan8192BlocksStopTheConversionAndWriteNothing) {
  Engine e(kMode15);
  e.settings.tileWidth = 16;
  e.settings.tileHeight = 16;
  // 2049 different 16 × 16 tiles: 8196 blocks.
  const int columns = 2049;
  std::vector<uint32_t> pixels(static_cast<size_t>(columns) * 16 * 16, Opaque(0, 0, 0));
  for (int c = 0; c < columns; ++c)
    pixels[static_cast<size_t>(c) * 16] =
        Opaque(static_cast<uint32_t>(c % 32), static_cast<uint32_t>(c / 32 % 32),
               static_cast<uint32_t>(c / 1024));
  e.picture(columns * 16, 16, pixels);
  EXPECT_FALSE(ConvertTiles(e.tileJob(0), e.context()));
  ASSERT_EQ(e.dialogs.entries().size(), 1u);
  EXPECT_EQ(e.dialogs.entries()[0].text,
            "Impossible de convertir car le nombre de mosaïques est beaucoup trop élevé...");
  EXPECT_EQ(e.dialogs.entries()[0].caption, "Convertisseur de mosaïques");
  EXPECT_TRUE(e.writers.calls.empty());

  // 2048 tiles (8192 blocks) still convert.
  e.dialogs.clear();
  ConversionJob job = e.tileJob(0);
  job.areaWidth = 2048 * 16;
  ASSERT_TRUE(ConvertTiles(job, e.context()));
  EXPECT_EQ(e.written("tileset").count, 2048);
}

TEST(TileConversion, TheFilterQuestionOfTilesHasItsOwnCaption) {
  Engine e(kMode8);
  e.picture(16, 8, Tiled(2, 1, [](int column, int, int x, int) {
              return Opaque(static_cast<uint32_t>(column * 8 + x), 0, 0);
            }));
  e.dialogs.queueAnswer(platform::Answer::Cancel);
  EXPECT_FALSE(ConvertTiles(e.tileJob(8), e.context()));
  ASSERT_EQ(e.dialogs.entries().size(), 1u);
  EXPECT_EQ(e.dialogs.entries()[0].text, kTileFilterQuestion.text);
  EXPECT_EQ(e.dialogs.entries()[0].caption, "Coucou :D");
  EXPECT_TRUE(e.writers.calls.empty());

  // Accepted: 16 shades of red become at most 7 colours.
  e.dialogs.clear();
  ASSERT_TRUE(ConvertTiles(e.tileJob(8), e.context()));
  EXPECT_LE(e.written("palette").values.size(), 8u);
  EXPECT_GE(e.written("palette").values.size(), 2u);
}

TEST(TileConversion, FourBitsWithSixteenColoursIsOneSinglePalette) {
  Engine e(kMode4);
  // 15 shades of red and the transparent entry.
  e.picture(16, 8, Tiled(2, 1, [](int column, int, int x, int) {
              return Opaque(static_cast<uint32_t>(std::min(column * 8 + x, 14)), 0, 0);
            }));
  ASSERT_TRUE(ConvertTiles(e.tileJob(16), e.context()));
  EXPECT_TRUE(e.dialogs.entries().empty());
  const auto& palette = e.written("palette").values;
  ASSERT_EQ(palette.size(), 16u);
  EXPECT_EQ(PixelOpacity(palette[0]), 0);
  EXPECT_EQ(e.written("map").values, (std::vector<uint32_t>{0, 1}));  // no palette bits
  EXPECT_EQ(e.written("tileset").bitsPerPixel, 4);
  EXPECT_EQ(Tile(e.written("tileset"), 1)[0], 9u);
}

TEST(TileConversion, FourBitsWith255ColoursMakesSixteenSubPalettesOfSixteen) {
  Engine e(kMode4);
  // 32 tiles with 40 different colours between them.
  e.picture(64, 32, Tiled(8, 4, [](int column, int row, int x, int y) {
              uint32_t c = static_cast<uint32_t>((column * 4 + row) % 10);
              return (x + y) % 4 == 0
                         ? 0u
                         : Opaque(c * 3, 31 - c * 3, static_cast<uint32_t>(x + y) % 4 * 8);
            }));
  ASSERT_TRUE(ConvertTiles(e.tileJob(255), e.context()));
  const auto& palette = e.written("palette").values;
  ASSERT_EQ(palette.size(), 256u);
  std::set<uint32_t> usedBanks;
  for (int bank = 0; bank < 16; ++bank) {
    EXPECT_EQ(palette[static_cast<size_t>(bank) * 16], 0u) << bank;
    EXPECT_EQ(ConsoleColour(palette[static_cast<size_t>(bank) * 16]), 0x8000) << bank;
  }
  for (uint32_t cell : e.written("map").values) usedBanks.insert(cell >> 12);
  EXPECT_GT(usedBanks.size(), 1u);
  for (uint32_t v : e.written("tileset").values) EXPECT_LT(v, 16u);
  // Transparent pixels are index 0 of every sub-palette.
  EXPECT_EQ(Tile(e.written("tileset"), 0)[0], 0u);
}

TEST(TileConversion, ACheckedExistingPaletteIsMatchedAGreyedOneOnlyKeptInFront) {
  Engine e(kMode8);
  e.picture(8, 8, std::vector<uint32_t>(64, Opaque(5, 5, 5)));
  const std::vector<ConvertedPixel> existing = {0, Level(7, 7, 7), Level(5, 5, 5)};
  ExistingPalette grey{existing, false};
  ConversionJob job = e.tileJob(256);
  job.existingPalette = &grey;
  ASSERT_TRUE(ConvertTiles(job, e.context()));
  EXPECT_EQ(e.written("palette").values,
            (std::vector<uint32_t>{MakePixel(0, 0, 0, 0), Level(7, 7, 7), Level(5, 5, 5),
                                   Level(5, 5, 5)}));
  EXPECT_EQ(Tile(e.written("tileset"), 0)[0], 3u);

  e.writers.calls.clear();
  ExistingPalette checked{existing, true};
  job.existingPalette = &checked;
  ASSERT_TRUE(ConvertTiles(job, e.context()));
  EXPECT_EQ(e.written("palette").values.size(), 3u);
  EXPECT_EQ(Tile(e.written("tileset"), 0)[0], 2u);
}

TEST(TileConversion, AGreyedExistingPaletteIn4BitsGetsTheNextSubPalette) {
  Engine e(kMode4);
  e.picture(8, 8, Tiled(1, 1, [](int, int, int x, int) {
              return x == 7 ? 0u : Opaque(static_cast<uint32_t>(x), 0, 31);
            }));
  // 20 existing entries (entry 0 cleared by the reader).
  std::vector<ConvertedPixel> existing(20, Level(1, 2, 3));
  existing[0] = 0;
  ExistingPalette grey{existing, false};
  ConversionJob job = e.tileJob(16);
  job.existingPalette = &grey;
  ASSERT_TRUE(ConvertTiles(job, e.context()));
  const auto& palette = e.written("palette").values;
  // Entries 20..31 are left empty; sub-palette 2 holds the new colours after
  // its transparent entry 32.
  ASSERT_EQ(palette.size(), 32u + 1 + 7);
  for (size_t i = 1; i < 20; ++i) EXPECT_EQ(palette[i], Level(1, 2, 3));
  for (size_t i = 20; i < 33; ++i) EXPECT_EQ(palette[i], 0u) << i;
  EXPECT_EQ(palette[33], Level(0, 0, 31));
  std::vector<uint32_t> tile = Tile(e.written("tileset"), 0);
  EXPECT_EQ(tile[0], 33u);
  EXPECT_EQ(tile[6], 39u);
  EXPECT_EQ(tile[7], 32u);  // transparent: the sub-palette's entry 0
  // Written as 4 bits, every pixel lands in its sub-palette: colours 1..7, 0.
  EXPECT_EQ(tile[0] & 15, 1u);
  EXPECT_EQ(tile[7] & 15, 0u);
}

TEST(TileConversion, AFullExistingPaletteLeavesNoRoomForAnotherSubPalette) {
  Engine e(kMode4);
  e.picture(8, 8, std::vector<uint32_t>(64, Opaque(1, 0, 0)));
  std::vector<ConvertedPixel> existing(256, Level(1, 2, 3));
  ExistingPalette grey{existing, false};
  ConversionJob job = e.tileJob(16);
  job.existingPalette = &grey;
  EXPECT_FALSE(ConvertTiles(job, e.context()));
  ASSERT_EQ(e.dialogs.entries().size(), 1u);
  EXPECT_EQ(e.dialogs.entries()[0].text, kColoursUnreachable.text);
  EXPECT_TRUE(e.writers.calls.empty());
}

TEST(TileConversion, AnExistingTilesetComesFirstAndIsMergedOnlyWhenReused) {
  Engine e(kMode8);
  e.picture(16, 8, Tiled(2, 1, [](int column, int, int, int) {
              return column == 0 ? Opaque(0, 0, 0) : Opaque(31, 0, 0);
            }));
  // Two existing tiles; the second is all index 1, as the black tile becomes.
  std::vector<uint32_t> blocks(128, 5);
  std::fill(blocks.begin() + 64, blocks.end(), 1u);
  ExistingTileset kept{blocks, false};
  ConversionJob job = e.tileJob(256);
  job.existingTileset = &kept;
  ASSERT_TRUE(ConvertTiles(job, e.context()));
  EXPECT_EQ(e.written("map").values, (std::vector<uint32_t>{2, 3}));
  EXPECT_EQ(e.written("tileset").count, 4);
  EXPECT_EQ(Tile(e.written("tileset"), 0), std::vector<uint32_t>(64, 5));

  e.writers.calls.clear();
  ExistingTileset reused{blocks, true};
  job.existingTileset = &reused;
  ASSERT_TRUE(ConvertTiles(job, e.context()));
  EXPECT_EQ(e.written("map").values, (std::vector<uint32_t>{1, 2}));
  EXPECT_EQ(e.written("tileset").count, 3);
}

TEST(TileConversion, ThePaletteOfAnIndexedPictureIsKeptWhenItFits) {
  Engine e(kMode8);
  e.picture(16, 8, Tiled(2, 1, [](int column, int, int x, int y) {
              return x == 0 && y == 0 ? 0u : column == 0 ? Opaque(0, 31, 0) : Opaque(31, 0, 0);
            }));
  SourcePalette source;
  source.colours = {0xFF000000u | 248u << 16, 0xFF000000u | 248u << 8, 0xFFFFFFFFu};
  source.usedEntries = 2;
  e.sourcePalette = &source;
  ASSERT_TRUE(ConvertTiles(e.tileJob(256), e.context()));
  // No zero colour: the picture's own order.
  EXPECT_EQ(e.written("palette").values, (std::vector<uint32_t>{Level(31, 0, 0), Level(0, 31, 0)}));
  std::vector<uint32_t> first = Tile(e.written("tileset"), 0);
  EXPECT_EQ(first[0], 0u);  // transparent: the background, 0
  EXPECT_EQ(first[1], 1u);
  EXPECT_EQ(Tile(e.written("tileset"), 1)[1], 0u);
  EXPECT_TRUE(e.dialogs.entries().empty());

  // A palette that does not fit goes through the reduction instead.
  e.writers.calls.clear();
  e.picture(8, 8, std::vector<uint32_t>(64, Opaque(31, 0, 0)));
  source.usedEntries = 3;
  ASSERT_TRUE(ConvertTiles(e.tileJob(2), e.context()));
  EXPECT_EQ(e.written("palette").values, (std::vector<uint32_t>{0u, Level(31, 0, 0)}));
  EXPECT_EQ(Tile(e.written("tileset"), 0), std::vector<uint32_t>(64, 1));
}

TEST(TileConversion, BadTileSizesAndCountsAreRefusedWithoutWriting) {
  Engine e(kMode8);
  e.picture(8, 8, std::vector<uint32_t>(64, Opaque(1, 1, 1)));
  e.settings.tileWidth = 12;
  EXPECT_FALSE(ConvertTiles(e.tileJob(16), e.context()));
  e.settings.tileWidth = 0;
  EXPECT_FALSE(ConvertTiles(e.tileJob(16), e.context()));
  e.settings.tileWidth = 8;
  EXPECT_FALSE(ConvertTiles(e.tileJob(257), e.context()));
  EXPECT_FALSE(ConvertTiles(e.tileJob(0), e.context()));
  EXPECT_EQ(e.dialogs.entries().size(), 4u);
  EXPECT_EQ(e.dialogs.entries()[0].caption, "Erreur interne");
  EXPECT_TRUE(e.writers.calls.empty());
}

TEST(TileConversion, TilesOfSixteenPixelsAreStoredAsFourBlocks) {
  Engine e(kMode8);
  e.settings.tileWidth = 16;
  e.settings.tileHeight = 16;
  std::vector<uint32_t> pixels(16 * 16, Opaque(0, 0, 0));
  pixels[8] = Opaque(31, 0, 0);       // block 1 (top right), first pixel
  pixels[8 * 16] = Opaque(0, 31, 0);  // block 2 (bottom left), first pixel
  e.picture(16, 16, pixels);
  ASSERT_TRUE(ConvertTiles(e.tileJob(256), e.context()));
  std::vector<uint32_t> tile = Tile(e.written("tileset"), 0);
  ASSERT_EQ(tile.size(), 256u);
  EXPECT_EQ(tile[64], 2u);   // red came second
  EXPECT_EQ(tile[128], 3u);  // then green
  EXPECT_EQ(e.written("map").tileWidth, 16);
}
