#include "tools/hdrbake/pcx_reader.h"

#include <gtest/gtest.h>

#include "tests/tools/common/pcx_palette_cases.h"

#include <cstdint>
#include <vector>

namespace hdrbaketest {
namespace {

using namespace hdrbake;

using Bytes = std::vector<std::uint8_t>;

// A 128-byte header as an 8-bit, single-plane writer stores it.
Bytes Header(int width, int height, int bytesPerLine, int minX = 0) {
  Bytes header(kPcxHeaderSize, 0);
  header[0] = 10;
  header[1] = 5;
  header[2] = 1;
  header[3] = 8;
  header[4] = static_cast<std::uint8_t>(minX);
  header[8] = static_cast<std::uint8_t>((width - 1) & 0xFF);
  header[9] = static_cast<std::uint8_t>((width - 1) >> 8);
  header[10] = static_cast<std::uint8_t>((height - 1) & 0xFF);
  header[11] = static_cast<std::uint8_t>((height - 1) >> 8);
  header[65] = 1;
  header[66] = static_cast<std::uint8_t>(bytesPerLine & 0xFF);
  header[67] = static_cast<std::uint8_t>(bytesPerLine >> 8);
  return header;
}

Bytes Palette(std::uint8_t marker = kPcxPaletteMarker) {
  Bytes tail{marker};
  for (int i = 0; i < 256; ++i) {
    tail.push_back(static_cast<std::uint8_t>(i));
    tail.push_back(static_cast<std::uint8_t>(255 - i));
    tail.push_back(static_cast<std::uint8_t>(i * 7));
  }
  return tail;
}

Bytes File(Bytes header, const Bytes& stream, const Bytes& tail) {
  header.insert(header.end(), stream.begin(), stream.end());
  header.insert(header.end(), tail.begin(), tail.end());
  return header;
}

struct Read {
  PcxStatus status;
  PcxHeader header;
  PcxImage image;
};

Read ReadBytes(const Bytes& file) {
  Read read{};
  read.image.width = 99;  // stale content must not survive a read
  read.image.pixels = {1, 2, 3};
  read.status = ReadPcx(file, read.header, read.image);
  return read;
}

TEST(ReadPcx, RunsCrossRowEndsAndAreCutAtTheLastPixel) {
  // 192 itself is a pixel; above it is a count. The last run asks for 20 of 6.
  const Read read = ReadBytes(
      File(Header(4, 3, 4), {1, 192, 0xC0 + 5, 7, 0xC1, 0xC8, 4, 0xC0 + 20, 9}, Palette()));
  ASSERT_EQ(read.status, PcxStatus::Complete);
  EXPECT_EQ(read.image.width, 4);
  EXPECT_EQ(read.image.height, 3);
  EXPECT_EQ(read.image.pixels, (Bytes{1, 192, 7, 7, 7, 7, 7, 200, 4, 9, 9, 9}));
  EXPECT_EQ(read.image.palette[200].red, 200);
  EXPECT_EQ(read.image.palette[200].green, 55);
  EXPECT_EQ(read.image.palette[200].blue, static_cast<std::uint8_t>(200 * 7));
}

TEST(ReadPcx, PadBytesOfLongerStoredRowsAreDropped) {
  // Width 3 stored in rows of 4; a run may cover a pad byte and go on.
  const Read padded = ReadBytes(File(Header(3, 2, 4), {1, 2, 0xC0 + 2, 3, 0xC0 + 3, 5}, Palette()));
  ASSERT_EQ(padded.status, PcxStatus::Complete);
  EXPECT_EQ(padded.image.pixels, (Bytes{1, 2, 3, 5, 5, 5}));

  // A stored row length below the width says nothing usable: rows follow each other.
  const Read unpadded = ReadBytes(File(Header(3, 2, 0), {1, 2, 3, 4, 5, 6}, Palette()));
  ASSERT_EQ(unpadded.status, PcxStatus::Complete);
  EXPECT_EQ(unpadded.image.pixels, (Bytes{1, 2, 3, 4, 5, 6}));
}

TEST(ReadPcx, SizeComesFromTheStoredMaximaAlone) {
  const Read read = ReadBytes(File(Header(2, 1, 2, /*minX=*/1), {4, 5}, Palette()));
  ASSERT_EQ(read.status, PcxStatus::Complete);
  EXPECT_EQ(read.header.width, 2);
  EXPECT_EQ(read.header.bitsPerPixel, 8);
  EXPECT_EQ(read.image.pixels, (Bytes{4, 5}));
}

TEST(ReadPcx, IncompleteFilesGiveNoImage) {
  const Read shortHeader = ReadBytes(Bytes(kPcxHeaderSize - 1, 0));
  EXPECT_EQ(shortHeader.status, PcxStatus::ShortHeader);
  EXPECT_EQ(shortHeader.image.width, 0);
  EXPECT_TRUE(shortHeader.image.pixels.empty());

  const std::vector<Bytes> endedStreams = {
      {},                // no pixel at all
      {1, 2, 3},         // three of four pixels
      {1, 2, 0xC0 + 2},  // a count without its value
  };
  for (const Bytes& stream : endedStreams) {
    const Read read = ReadBytes(File(Header(2, 2, 2), stream, {}));
    EXPECT_EQ(read.status, PcxStatus::StreamEnded);
    EXPECT_EQ(read.header.width, 2);  // the stored header is still reported
    EXPECT_EQ(read.image.width, 0);
    EXPECT_EQ(read.image.height, 0);
    EXPECT_TRUE(read.image.pixels.empty());
  }
}

TEST(ReadPcx, HeaderClaimingMoreThanTheFileHoldsIsRefused) {
  const Read read = ReadBytes(File(Header(65536, 65536, 65535), {0xFF, 1, 0xFF, 2}, Palette()));
  EXPECT_EQ(read.status, PcxStatus::StreamEnded);
  EXPECT_EQ(read.header.width, 65536);
  EXPECT_EQ(read.header.height, 65536);
  EXPECT_TRUE(read.image.pixels.empty());
}

TEST(ReadPcx, MissingPaletteKeepsSizeAndPixelsWithBlackEntries) {
  const Bytes stream = {1, 2, 3, 4};
  const std::vector<Bytes> tails = {
      Palette(0),  // wrong marker
      Bytes(kPcxPaletteTailSize - 1 - kPcxHeaderSize - stream.size(),
            0),  // file too short to seek back
  };
  for (const Bytes& tail : tails) {
    const Read read = ReadBytes(File(Header(2, 2, 2), stream, tail));
    EXPECT_EQ(read.status, PcxStatus::NoPalette);
    EXPECT_EQ(read.image.width, 2);
    EXPECT_EQ(read.image.pixels, (Bytes{1, 2, 3, 4}));
    for (const PcxColour& colour : read.image.palette) {
      EXPECT_EQ(colour.red | colour.green | colour.blue, 0);
    }
  }
}

class PcxPalette : public ::testing::TestWithParam<toolstest::PaletteCase> {};

// Without a marker the palette is missing and stays black.
TEST_P(PcxPalette, FoundByItsMarkerWhateverFollowsIt) {
  const toolstest::PaletteFile file = toolstest::Build(GetParam());
  const Read read = ReadBytes(file.bytes);
  ASSERT_EQ(read.status, file.palette ? PcxStatus::Complete : PcxStatus::NoPalette);
  EXPECT_EQ(read.image.pixels, file.pixels);
  for (std::size_t i = 0; i < 256; ++i) {
    const PcxColour expected = file.palette ? PcxColour{file.bytes[*file.palette + 3 * i],
                                                        file.bytes[*file.palette + 3 * i + 1],
                                                        file.bytes[*file.palette + 3 * i + 2]}
                                            : PcxColour{};
    const PcxColour& colour = read.image.palette[i];
    ASSERT_TRUE(colour.red == expected.red && colour.green == expected.green &&
                colour.blue == expected.blue)
        << "entry " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, PcxPalette, ::testing::ValuesIn(toolstest::Cases()),
                         [](const auto& info) { return toolstest::CaseName(info.param); });

}  // namespace
}  // namespace hdrbaketest
