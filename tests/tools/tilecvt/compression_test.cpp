// LZ77 and aPLib output checked by decoders written from the format
// descriptions (oracles.cpp), never by the compressors' own code.
#include <gtest/gtest.h>
#include <random>

#include "oracles.h"
#include "test_support/temp_dir.h"
#include "tools/tilecvt/aplib.h"
#include "tools/tilecvt/compression.h"
#include "tools/tilecvt/crc32.h"
#include "tools/tilecvt/image_reader.h"
#include "tools/tilecvt/lz77.h"
#include "tools/tilecvt/tiles.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes RandomBytes(size_t size, int alphabet, unsigned seed) {
  std::mt19937 random(seed);
  Bytes data(size);
  for (uint8_t& byte : data)
    byte = static_cast<uint8_t>(random() % static_cast<unsigned>(alphabet));
  return data;
}

Bytes Runs(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  Bytes data;
  while (data.size() < size)
    data.insert(data.end(), 1 + random() % 300, static_cast<uint8_t>(random() % 4));
  data.resize(size);
  return data;
}

// 8x8 tiles of the test images, one after the other.
Bytes RealTileData() {
  Bytes data;
  for (const char* name :
       {"wizard8.bmp", "wizard.pcx", "wizard.tga", "sprite.spr", "wizard4.bmp", "sprite8.tim"}) {
    tilecvt::IndexedImage image;
    EXPECT_EQ(
        tilecvt::LoadImage(testsupport::DataPath(std::string("tilecvt/images/") + name), image),
        tilecvt::ImageError::None);
    tilecvt::CutIntoTiles(image, 8);
    data.insert(data.end(), image.pixels.begin(), image.pixels.end());
  }
  return data;
}

std::vector<std::pair<std::string, Bytes>> Samples() {
  Bytes window(5000);
  for (size_t i = 0; i < window.size(); ++i) window[i] = static_cast<uint8_t>(i * 7 + i / 13);
  // The only repeat is exactly 4096 bytes back, then 4097 bytes back.
  Bytes farRepeat = RandomBytes(4096, 256, 5);
  farRepeat.insert(farRepeat.end(), farRepeat.begin(), farRepeat.begin() + 40);
  Bytes tooFar = RandomBytes(4097, 256, 6);
  tooFar.insert(tooFar.end(), tooFar.begin(), tooFar.begin() + 40);
  return {
      {"one byte", Bytes{42}},
      {"two bytes", Bytes{0, 0}},
      {"random", RandomBytes(20000, 256, 1)},
      {"random, 3 symbols", RandomBytes(20000, 3, 2)},
      {"runs", Runs(30000, 3)},
      {"zeros", Bytes(10000, 0)},
      {"counting", window},
      {"distance 4096", farRepeat},
      {"distance 4097", tooFar},
      {"tile data", RealTileData()},
  };
}

TEST(Lz77, RoundTripsThroughTheBiosLayout) {
  for (const auto& [name, data] : Samples()) {
    Bytes packed = tilecvt::CompressLz77(data);
    size_t consumed = 0;
    auto unpacked = tilecvttest::DecodeLz77(packed, &consumed);
    ASSERT_TRUE(unpacked.has_value()) << name;
    EXPECT_EQ(*unpacked, data) << name;
    EXPECT_EQ(consumed, packed.size()) << name;
  }
}

TEST(Lz77, TakesTheLongestMatchAtEveryPositionLikeABruteForceSearch) {
  for (const auto& [name, data] : Samples()) {
    if (data.size() > 12000) continue;  // the brute force is slow
    EXPECT_EQ(tilecvttest::Lz77TokenLengths(tilecvt::CompressLz77(data)),
              tilecvttest::BruteForceGreedyLengths(data))
        << name;
  }
  Bytes tiles = RealTileData();
  tiles.resize(12000);
  EXPECT_EQ(tilecvttest::Lz77TokenLengths(tilecvt::CompressLz77(tiles)),
            tilecvttest::BruteForceGreedyLengths(tiles));
}

TEST(Lz77, HundredZeroBytesBecomeALiteralAndSixReferences) {
  Bytes packed = tilecvt::CompressLz77(Bytes(100, 0));
  ASSERT_GE(packed.size(), 4u);
  EXPECT_EQ(Bytes(packed.begin(), packed.begin() + 4), (Bytes{0x10, 100, 0, 0}));
  EXPECT_EQ(tilecvttest::Lz77TokenLengths(packed),
            (std::vector<uint32_t>{1, 18, 18, 18, 18, 18, 9}));
  EXPECT_EQ(packed.size(), 4u + 1 + 1 + 6 * 2);
}

struct Lz77Variant {
  const char* name;
  tilecvt::Lz77Options options;
};
constexpr Lz77Variant kLz77Variants[] = {{"greedy", {}},
                                         {"vram-safe", {true, false}},
                                         {"smallest", {false, true}},
                                         {"smallest vram-safe", {true, true}}};

uint64_t TokenBits(const Bytes& stream) {
  uint64_t bits = 0;
  for (uint32_t length : tilecvttest::Lz77TokenLengths(stream)) bits += length == 1 ? 9 : 17;
  return bits;
}

TEST(Lz77, EveryVariantRoundTripsAndTheVramSafeOnesThroughVramToo) {
  for (const Lz77Variant& variant : kLz77Variants) {
    for (const auto& [name, data] : Samples()) {
      const Bytes packed = tilecvt::CompressLz77(data, variant.options);
      size_t consumed = 0;
      EXPECT_EQ(tilecvttest::DecodeLz77(packed, &consumed), data) << variant.name << ", " << name;
      EXPECT_EQ(consumed, packed.size()) << variant.name << ", " << name;
      if (!variant.options.vramSafe) continue;
      EXPECT_NE(tilecvttest::Lz77ShortestDistance(packed), 1u) << variant.name << ", " << name;
      EXPECT_EQ(tilecvttest::DecodeLz77ToVram(packed, 0xA5), data) << variant.name << ", " << name;
    }
  }
}

TEST(Lz77, TheGreedyStreamOfARunIsWrongInVram) {
  const Bytes zeros(100, 0);
  const Bytes packed = tilecvt::CompressLz77(zeros);
  EXPECT_EQ(tilecvttest::Lz77ShortestDistance(packed), 1u);
  EXPECT_NE(tilecvttest::DecodeLz77ToVram(packed, 0xA5), zeros);
}

TEST(Lz77, VramSafeTakesTheLongestMatchFromDistanceTwoLikeABruteForceSearch) {
  for (const auto& [name, data] : Samples()) {
    if (data.size() > 12000) continue;  // the brute force is slow
    EXPECT_EQ(tilecvttest::Lz77TokenLengths(tilecvt::CompressLz77(data, {true, false})),
              tilecvttest::BruteForceGreedyLengths(data, 2))
        << name;
  }
}

TEST(Lz77, DefaultOptionsGiveTheGreedyStream) {
  for (const auto& [name, data] : Samples())
    EXPECT_EQ(tilecvt::CompressLz77(data, {}), tilecvt::CompressLz77(data)) << name;
}

TEST(Lz77, SmallestParseCostsAsFewBitsAsABruteForceOptimum) {
  std::vector<std::pair<std::string, Bytes>> samples = Samples();
  Bytes tiles = RealTileData();
  tiles.resize(6000);
  samples.emplace_back("tile data (start)", tiles);
  for (const auto& [name, data] : samples) {
    if (data.size() > 12000) continue;  // the brute force is slow
    EXPECT_EQ(TokenBits(tilecvt::CompressLz77(data, {false, true})),
              tilecvttest::BruteForceSmallestLz77Bits(data, 1))
        << name;
    EXPECT_EQ(TokenBits(tilecvt::CompressLz77(data, {true, true})),
              tilecvttest::BruteForceSmallestLz77Bits(data, 2))
        << name;
  }
}

TEST(Lz77, SmallestIsNeverLargerThanGreedy) {
  for (const auto& [name, data] : Samples()) {
    EXPECT_LE(tilecvt::CompressLz77(data, {false, true}).size(), tilecvt::CompressLz77(data).size())
        << name;
    EXPECT_LE(tilecvt::CompressLz77(data, {true, true}).size(),
              tilecvt::CompressLz77(data, {true, false}).size())
        << name;
  }
}

TEST(Lz77, RefusesBlocksTooLongForTheHeader) {
  EXPECT_TRUE(tilecvt::CompressLz77(Bytes(size_t{1} << 24, 0)).empty());
}

TEST(Aplib, RoundTripsThroughThePublishedStreamFormat) {
  for (const auto& [name, data] : Samples()) {
    Bytes packed = tilecvt::CompressAplib(data, false);
    auto unpacked = tilecvttest::DecodeAplib(packed, data.size());
    ASSERT_TRUE(unpacked.has_value()) << name;
    EXPECT_EQ(*unpacked, data) << name;
  }
  // Long stretches exercise offsets past 32000 and matches longer than 64 bytes.
  Bytes big = RealTileData();
  Bytes noise = RandomBytes(40000, 256, 9);
  big.insert(big.end(), noise.begin(), noise.end());
  big.insert(big.end(), big.begin(), big.begin() + 30000);
  auto unpacked = tilecvttest::DecodeAplib(tilecvt::CompressAplib(big, false), big.size());
  ASSERT_TRUE(unpacked.has_value());
  EXPECT_EQ(*unpacked, big);
}

// `distance` random bytes, then `length` bytes copied from `distance` back
// (overlapping when longer): the only repeat long enough to pay for itself.
Bytes RepeatAt(uint32_t distance, uint32_t length, unsigned seed) {
  Bytes data = RandomBytes(distance, 256, seed);
  for (uint32_t k = 0; k < length; ++k) data.push_back(data[data.size() - distance]);
  return data;
}

// Offsets where the decoder changes how it reads a match (short codes below
// 128, length adjustments from 1280 and 32000, more high bits past 65535) and
// lengths around the gamma codes' steps; each repeat must be found and coded.
TEST(Aplib, CodesRepeatsAtTheFormatsEdges) {
  struct Case {
    uint32_t distance;
    uint32_t length;
  };
  const Case cases[] = {{1, 2},         {2, 3},         {127, 4},     {128, 2},       {128, 300},
                        {1279, 2},      {1280, 3},      {31999, 3},   {32000, 4},     {32000, 127},
                        {65535, 64},    {65536, 65},    {65537, 128}, {300000, 64},   {300000, 129},
                        {1048575, 200}, {16383, 16385}, {8, 100000},  {16384, 16384}, {70000, 1}};
  for (const Case& c : cases) {
    Bytes data = RepeatAt(c.distance, c.length, c.distance + c.length);
    Bytes packed = tilecvt::CompressAplib(data, false);
    EXPECT_EQ(tilecvttest::DecodeAplib(packed, data.size()), data) << c.distance << " " << c.length;
    if (c.length >= 64) {  // the repeat costs a few bytes over the random part alone
      const Bytes head(data.begin(), data.begin() + c.distance);
      EXPECT_LT(packed.size(), tilecvt::CompressAplib(head, false).size() + 12)
          << c.distance << " " << c.length;
    }
  }
}

TEST(Aplib, RoundTripsEveryShortBlock) {
  for (size_t size = 1; size <= 40; ++size) {
    for (unsigned seed = 0; seed < 4; ++seed) {
      Bytes data =
          RandomBytes(size, seed == 0 ? 1 : 1 + seed * 2, static_cast<unsigned>(size * 7 + seed));
      EXPECT_EQ(tilecvttest::DecodeAplib(tilecvt::CompressAplib(data, false), data.size()), data)
          << size;
    }
  }
}

uint32_t U32(const Bytes& data, size_t at) {
  return data[at] | data[at + 1] << 8 | data[at + 2] << 16 | uint32_t{data[at + 3]} << 24;
}

TEST(Aplib, SafeHeaderCarriesSizesAndCrcs) {
  Bytes data = RealTileData();
  Bytes packed = tilecvt::CompressAplib(data, true);
  ASSERT_GT(packed.size(), 24u);
  Bytes stream(packed.begin() + 24, packed.end());
  EXPECT_EQ(std::string(packed.begin(), packed.begin() + 4), "AP32");
  EXPECT_EQ(U32(packed, 4), 24u);
  EXPECT_EQ(U32(packed, 8), stream.size());
  EXPECT_EQ(U32(packed, 12), tilecvttest::ReferenceCrc32(stream));
  EXPECT_EQ(U32(packed, 16), data.size());
  EXPECT_EQ(U32(packed, 20), tilecvttest::ReferenceCrc32(data));
  EXPECT_EQ(tilecvttest::DecodeAplib(stream, data.size()), data);
}

TEST(Crc32, MatchesTheStandardCheckValue) {
  const std::string check = "123456789";
  EXPECT_EQ(tilecvt::Crc32({reinterpret_cast<const uint8_t*>(check.data()), check.size()}),
            0xCBF43926u);
}

TEST(CompressBlock, PassesTheLz77OptionsOn) {
  const Bytes zeros(100, 0);
  const Bytes packed = tilecvt::CompressBlock(zeros, tilecvt::Compressor::Lz77, {true, false});
  EXPECT_EQ(tilecvttest::Lz77ShortestDistance(packed), 2u);
  EXPECT_EQ(tilecvttest::DecodeLz77ToVram(packed, 0xA5), zeros);
}

TEST(CompressBlock, GivesNothingWhenTheResultIsNotShorter) {
  for (auto compressor :
       {tilecvt::Compressor::Lz77, tilecvt::Compressor::Aplib, tilecvt::Compressor::AplibSafe}) {
    EXPECT_TRUE(tilecvt::CompressBlock(Bytes{1, 2, 3, 4}, compressor).empty());
    EXPECT_TRUE(tilecvt::CompressBlock(Bytes{}, compressor).empty());
    EXPECT_FALSE(tilecvt::CompressBlock(Bytes(100, 0), compressor).empty());
  }
}

}  // namespace
