// The map builder against the obvious pairwise walk it replaces.
#include <gtest/gtest.h>
#include <random>

#include "tools/tilecvt/tile_map.h"
#include "tools/tilecvt/tiles.h"

namespace {

using tilecvt::MapOptions;
using tilecvt::TileMap;
using Bytes = std::vector<uint8_t>;

Bytes Mirrored(const uint8_t* tile, size_t size, bool h, bool v) {
  Bytes out(size * size);
  for (size_t y = 0; y < size; ++y)
    for (size_t x = 0; x < size; ++x)
      out[y * size + x] = tile[(v ? size - 1 - y : y) * size + (h ? size - 1 - x : x)];
  return out;
}

// Every kept tile m, in order, against every later tile n still there:
// identical, n mirrored horizontally, vertically, both ways.
struct Reference {
  std::vector<uint16_t> entries;
  std::vector<uint32_t> kept;
};

Reference PairwiseWalk(const Bytes& tiles, size_t size, const MapOptions& options) {
  const size_t bytes = size * size, count = tiles.size() / bytes;
  Reference r{std::vector<uint16_t>(count), std::vector<uint32_t>(count)};
  std::vector<uint32_t> source(count);
  for (size_t n = 0; n < count; ++n)
    r.entries[n] = static_cast<uint16_t>(r.kept[n] = source[n] = static_cast<uint32_t>(n));
  if (!options.optimise) return r;
  uint16_t e = 0;
  for (size_t m = 0; m < count; ++m) {
    if (r.kept[m] == tilecvt::kRemovedTile) continue;
    r.entries[m] = e;
    const uint8_t* tm = &tiles[m * bytes];
    const bool blank = std::all_of(tm, tm + bytes, [](uint8_t p) { return p == 0; });
    if (!options.blankTilesOnly || blank) {
      for (size_t n = m + 1; n < count; ++n) {
        if (r.kept[n] == tilecvt::kRemovedTile || source[n] == source[m]) continue;
        const uint8_t* tn = &tiles[n * bytes];
        int found = -1;
        for (int o = 0; o < (options.checkFlipped ? 4 : 1) && found < 0; ++o)
          if (std::equal(tm, tm + bytes, Mirrored(tn, size, o & 1, o & 2).begin())) found = o;
        if (found < 0) continue;
        r.entries[n] = static_cast<uint16_t>(e | (found & 1 ? 0x400 : 0) | (found & 2 ? 0x800 : 0));
        source[n] = source[m];
        r.kept[n] = tilecvt::kRemovedTile;
      }
    }
    ++e;
  }
  return r;
}

// Tiles from a few shapes of few colours, shown in every orientation, so
// that identical, mirrored and symmetric tiles are common.
Bytes RandomTiles(size_t size, size_t count, unsigned seed) {
  std::mt19937 random(seed);
  const size_t bytes = size * size;
  std::vector<Bytes> shapes(6, Bytes(bytes));
  for (size_t s = 0; s < shapes.size(); ++s)
    for (size_t i = 0; i < bytes; ++i)
      shapes[s][i] = static_cast<uint8_t>(s == 0 ? 0 : random() % (s < 3 ? 2 : 4));
  for (size_t y = 0; y < size; ++y)  // one symmetric shape
    for (size_t x = 0; x < size; ++x)
      shapes[1][y * size + x] = shapes[1][y * size + std::min(x, size - 1 - x)];
  Bytes tiles;
  for (size_t t = 0; t < count; ++t) {
    Bytes tile = random() % 5 == 0 ? Bytes(bytes) : shapes[random() % shapes.size()];
    if (random() % 4 == 0) tile[random() % bytes] ^= 1;
    Bytes shown = Mirrored(tile.data(), size, random() & 1, random() & 2);
    tiles.insert(tiles.end(), shown.begin(), shown.end());
  }
  return tiles;
}

TEST(TileMap, FindsTheSameMatchesAsThePairwiseWalk) {
  const MapOptions variants[] = {
      {true, false, true}, {true, false, false}, {true, true, true}, {false, false, true}};
  for (size_t size : {size_t{8}, size_t{16}, size_t{1}, size_t{4}}) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
      Bytes tiles = RandomTiles(size, 300, seed);
      for (const MapOptions& options : variants) {
        TileMap map = tilecvt::BuildMap(tiles.data(), 300, static_cast<int>(size), 20, 15, options);
        tilecvt::ComposeEntries(map);
        Reference reference = PairwiseWalk(tiles, size, options);
        EXPECT_EQ(map.entries, reference.entries) << "size " << size << " seed " << seed;
        EXPECT_EQ(map.kept, reference.kept) << "size " << size << " seed " << seed;
        size_t kept = std::count_if(reference.kept.begin(), reference.kept.end(),
                                    [](uint32_t k) { return k != tilecvt::kRemovedTile; });
        EXPECT_EQ(map.keptCount(), kept);
        EXPECT_EQ(map.removed, 300 - kept);
      }
    }
  }
}

Bytes Tile(uint8_t seed) {
  Bytes tile(64);
  for (size_t i = 0; i < 64; ++i) tile[i] = static_cast<uint8_t>((i * seed + i / 3) % 7 + 1);
  return tile;
}

Bytes Concat(std::initializer_list<Bytes> tiles) {
  Bytes out;
  for (const Bytes& t : tiles) out.insert(out.end(), t.begin(), t.end());
  return out;
}

TEST(TileMap, HorizontallyMirroredTileIsWrittenOnceWithBit10) {
  Bytes a = Tile(3), b = Tile(5);
  Bytes tiles = Concat({a, b, Mirrored(a.data(), 8, true, false),
                        Mirrored(b.data(), 8, false, true), Mirrored(a.data(), 8, true, true)});
  TileMap map = tilecvt::BuildMap(tiles.data(), 5, 8, 5, 1, {});
  tilecvt::ComposeEntries(map);
  EXPECT_EQ(map.entries, (std::vector<uint16_t>{0x000, 0x001, 0x400, 0x801, 0xC00}));
  EXPECT_EQ(map.writeOrder, (std::vector<uint32_t>{0, 1}));

  TileMap noFlips = tilecvt::BuildMap(tiles.data(), 5, 8, 5, 1, {true, false, false});
  EXPECT_EQ(noFlips.keptCount(), 5u);
}

TEST(TileMap, BlankOnlyKeepsIdenticalTilesThatAreNotBlank) {
  Bytes a = Tile(3), blank(64, 0);
  Bytes tiles = Concat({a, blank, a, blank});
  TileMap map = tilecvt::BuildMap(tiles.data(), 4, 8, 4, 1, {true, true, true});
  tilecvt::ComposeEntries(map);
  EXPECT_EQ(map.entries, (std::vector<uint16_t>{0, 1, 2, 1}));
  EXPECT_EQ(map.keptCount(), 3u);
}

TEST(TileMap, WithoutOptimisationEveryTileIsWrittenAndCounted) {
  Bytes a = Tile(3);
  Bytes tiles = Concat({a, a, a});
  TileMap map = tilecvt::BuildMap(tiles.data(), 3, 8, 3, 1, {false, false, true});
  tilecvt::ComposeEntries(map);
  EXPECT_EQ(map.entries, (std::vector<uint16_t>{0, 1, 2}));
  EXPECT_EQ(map.keptCount(), 3u);
}

TileMap Counting(size_t columns, size_t rows) {
  TileMap map;
  map.columns = columns;
  map.rows = rows;
  for (size_t n = 0; n < columns * rows; ++n) map.entries.push_back(static_cast<uint16_t>(n));
  return map;
}

TEST(TileMap, AdjustmentsOfTheEntries) {
  TileMap map = Counting(3, 2);
  tilecvt::MapColumnOrder(map);
  EXPECT_EQ(map.entries, (std::vector<uint16_t>{0, 3, 1, 4, 2, 5}));
  tilecvt::AddVramOffset(map, 0xFFFF);  // wraps at 16 bits
  EXPECT_EQ(map.entries[0], 0xFFFF);
  tilecvt::SetBank(map, 3);
  EXPECT_EQ(map.entries[0], 0x3FFF);
  EXPECT_EQ(map.entries[1], 0x3002);
}

TEST(TileMap, BlocksOf32NeedWholeBlocksBothWays) {
  TileMap screen = Counting(30, 20);  // 240 x 160 pixels
  EXPECT_FALSE(tilecvt::MapInBlocks(screen));
  TileMap wide = Counting(64, 16);  // 1024 entries, but half-height blocks
  EXPECT_FALSE(tilecvt::MapInBlocks(wide));
  EXPECT_EQ(wide.entries, Counting(64, 16).entries);

  TileMap map = Counting(64, 64);
  ASSERT_TRUE(tilecvt::MapInBlocks(map));
  EXPECT_EQ(map.entries[31], 31);
  EXPECT_EQ(map.entries[32], 64);    // second row of the first block
  EXPECT_EQ(map.entries[1024], 32);  // first row of the second block
  EXPECT_EQ(map.entries[2048], 2048);
}

TEST(TileMap, KeptTilesInColumnOrderStillShowTheSamePicture) {
  Bytes a = Tile(3), b = Tile(5), c = Tile(6);
  // 2 x 2 map: a b / c a
  Bytes tiles = Concat({a, b, c, a});
  TileMap map = tilecvt::BuildMap(tiles.data(), 4, 8, 2, 2, {});
  tilecvt::KeptTilesAsColumns(map);
  tilecvt::ComposeEntries(map);
  EXPECT_EQ(map.writeOrder, (std::vector<uint32_t>{0, 2, 1}));  // a, c, b
  for (size_t n = 0; n < 4; ++n) EXPECT_EQ(map.source[n], map.writeOrder[map.tileIndex[n]]) << n;
}

TEST(Tiles, CuttingOrdersPixelsTileByTile) {
  tilecvt::IndexedImage image;
  image.width = 4;
  image.height = 2;
  image.pixels = {0, 1, 2, 3, 4, 5, 6, 7};
  ASSERT_TRUE(tilecvt::CutIntoTiles(image, 2));
  EXPECT_EQ(image.pixels, (Bytes{0, 1, 4, 5, 2, 3, 6, 7}));
  EXPECT_EQ(image.width, 2);
  EXPECT_EQ(image.height, 4);
  EXPECT_FALSE(tilecvt::CutIntoTiles(image, 3));
  EXPECT_EQ(image.pixels, (Bytes{0, 1, 4, 5, 2, 3, 6, 7}));

  Bytes data = {0, 1, 2, 3, 4, 5, 9};  // a 3 x 2 grid of 1-byte blocks and one more
  tilecvt::BlocksAsColumns(data, 1, 3, 2);
  EXPECT_EQ(data, (Bytes{0, 3, 1, 4, 2, 5, 9}));
}

}  // namespace
