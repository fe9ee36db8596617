#include "oracles.h"
#include "test_support/temp_dir.h"
#include "tool_run.h"
#include "tools/tilecvt/array_text.h"
#include "tools/tilecvt/output_writers.h"

#include <gtest/gtest.h>

namespace {

using tilecvt::ArrayForm;
using Bytes = std::vector<uint8_t>;

std::string Text(ArrayForm form, const Bytes& bytes, int elementSize,
                 tilecvt::ArrayStyle style = {}) {
  std::string out;
  tilecvt::AppendArrayText(out, form, style, "name", bytes, elementSize,
                           bytes.size() / elementSize);
  return out;
}

Bytes Shorts(uint16_t count) {
  Bytes bytes;
  for (uint16_t i = 1; i <= count; ++i) {
    bytes.push_back(static_cast<uint8_t>(i));
    bytes.push_back(static_cast<uint8_t>(i >> 8 | 0xA0));
  }
  return bytes;
}

TEST(ArrayText, GccNineShortsMakeTwoLines) {
  EXPECT_EQ(Text(ArrayForm::Gcc, Shorts(9), 2),
            "\t.SECTION .rodata\n\t.ALIGN 2\n\t.GLOBAL name\nname:"
            "\n\t.short 0xa001, 0xa002, 0xa003, 0xa004, 0xa005, 0xa006, 0xa007, 0xa008"
            "\n\t.short 0xa009"
            "\n\t.SIZE name, 18\n\n");
}

TEST(ArrayText, CSeparatesValuesAcrossLineEnds) {
  Bytes bytes(17);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 16);
  EXPECT_EQ(Text(ArrayForm::C, bytes, 1),
            "const unsigned char name[17] = {"
            "\n0x00, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80, 0x90, 0xa0, 0xb0, 0xc0, 0xd0, "
            "0xe0, 0xf0, "
            "\n0x00\n};\n\n");
  EXPECT_EQ(
      Text(ArrayForm::C, Shorts(1), 2, {true, true, ".rodata"}),
      "extern const unsigned short name[1] __attribute__ ((aligned (4))) = {\n0xa001\n};\n\n");
}

TEST(ArrayText, ArmUsesDcbAndDcw) {
  EXPECT_EQ(Text(ArrayForm::Arm, Bytes{1, 2}, 1, {false, false, "CODE"}),
            "\tAREA CODE, DATA, READONLY\n\tALIGN\n\tEXPORT name\nname\n\tDCB 0x01, 0x02\n");
  EXPECT_EQ(Text(ArrayForm::Arm, Shorts(1), 2),
            "\tAREA .rodata, DATA, READONLY\n\tALIGN\n\tEXPORT name\nname\n\tDCW 0xa001\n");
}

TEST(ArrayText, Headers) {
  EXPECT_EQ(tilecvt::DataHeader(ArrayForm::C, "hero", 512),
            "//\n// hero (512 uncompressed bytes)\n//\n");
  EXPECT_EQ(tilecvt::DataHeader(ArrayForm::Gcc, "hero", 512),
            "@\n@ hero (512 uncompressed bytes)\n@\n");
  EXPECT_EQ(tilecvt::DataHeader(ArrayForm::Arm, "hero", 512),
            ";\n; hero (512 uncompressed bytes)\n;\n");
  EXPECT_EQ(tilecvt::MapHeader(ArrayForm::C, 30, 20), "/*\n * 30x20 map data\n */\n");
  EXPECT_EQ(tilecvt::MapHeader(ArrayForm::Gcc, 30, 20), "@\n@ 30x20 map data\n@\n");
  EXPECT_EQ(tilecvt::MapHeader(ArrayForm::Arm, 30, 20), ";\n; 30x20 map data\n;\n");
}

struct Written {
  testsupport::TempDir dir;
  tilecvt::CapturingConsole console;
  tilecvt::Report report{console};
  tilecvt::Settings settings;
  std::string write(const tilecvt::DataBlock& block, ArrayForm form, bool compress) {
    tilecvt::BlockOutput output{dir.file("out"), "name", "//\n", compress};
    EXPECT_EQ(tilecvt::WriteBlock(output, block, form, settings, report), 0);
    return testsupport::ReadFile(dir.file("out"));
  }
};

TEST(WriteBlock, TextIsWrittenWithCrLfLineEnds) {
  Written w;
  EXPECT_EQ(w.write({Bytes{1}, 1}, ArrayForm::C, false),
            "//\r\nconst unsigned char name[1] = {\r\n0x01\r\n};\r\n\r\n");
  EXPECT_EQ(w.write({Bytes{1, 2}, 1}, ArrayForm::Raw, false), std::string("\x01\x02", 2));
}

TEST(WriteBlock, IncompressibleBlockIsWrittenPlainlyWithAWarning) {
  Written w;
  EXPECT_EQ(w.write({Bytes{1, 2, 3, 4}, 1}, ArrayForm::Raw, true),
            std::string("\x01\x02\x03\x04", 4));
  EXPECT_EQ(w.console.err, "***WARNING: couldn't compress name, saving normal!");
}

TEST(WriteBlock, OddCompressedLengthOfAShortArrayGetsAZeroByte) {
  Written w;
  Bytes data(96, 0);
  data.insert(data.end(),
              {1, 2, 3, 4});  // 23 bytes of LZ77: header, 2 flags, 6 references, 5 literals
  std::string raw = w.write({data, 2}, ArrayForm::Raw, true);
  ASSERT_EQ(raw.size() % 2, 0u);
  Bytes stream(raw.begin(), raw.end());
  size_t consumed = 0;
  auto unpacked = tilecvttest::DecodeLz77(stream, &consumed);
  ASSERT_TRUE(unpacked.has_value());
  EXPECT_EQ(*unpacked, data);
  EXPECT_EQ(consumed + 1, raw.size());
  EXPECT_EQ(raw.back(), '\0');
  // The C declaration keeps the element count before compression.
  std::string c = w.write({data, 2}, ArrayForm::C, true);
  EXPECT_NE(c.find("const unsigned short name[50] = {"), std::string::npos);
  EXPECT_EQ(std::count(c.begin(), c.end(), 'x'), static_cast<long>(raw.size() / 2));
}

TEST(Blocks, PixelsMapsAndPalettes) {
  tilecvt::PaletteRecord palette;
  tilecvt::PreparePalette(palette);
  palette.colours[1] = 0x1234;
  palette.colours[2] = 0;
  EXPECT_EQ(tilecvt::PixelBlock(Bytes{1, 2, 3}, 16, palette).bytes, (Bytes{0x21, 0x03}));
  EXPECT_EQ(tilecvt::PixelBlock(Bytes{1, 2, 3}, 256, palette).bytes, (Bytes{1, 2, 3}));
  EXPECT_EQ(tilecvt::PixelBlock(Bytes{1}, tilecvt::kTrueColour, palette).bytes,
            (Bytes{0x34, 0x12}));
  EXPECT_EQ(tilecvt::ClutBlock(palette, 3).bytes, (Bytes{0xFF, 0xFF, 0x34, 0x12, 0x00, 0x80}));

  tilecvt::TileMap map;
  map.columns = map.rows = 32;
  map.entries.assign(1024, 0x1C05);
  EXPECT_EQ(tilecvt::MapBlock(map, true).bytes, Bytes(1024, 0x05));
  EXPECT_EQ(tilecvt::MapBlock(map, false).bytes.size(), 2048u);
}

TEST(Tim, HeaderTableAndPixels) {
  tilecvt::IndexedImage image;
  image.width = 4;
  image.height = 2;
  image.pixels = {0, 1, 2, 3, 4, 5, 6, 7};
  tilecvt::PaletteRecord table;
  tilecvt::PreparePalette(table);
  tilecvt::ClearUnsetColours(table);
  table.colours[0] = 0x7FFF;
  table.colours[1] = 0x001F;
  Bytes tim = tilecvt::TimFile(image, table);
  ASSERT_EQ(tim.size(), 20u + 512 + 12 + 8);
  auto u32 = [&tim](size_t at) {
    return tim[at] | tim[at + 1] << 8 | tim[at + 2] << 16 | uint32_t{tim[at + 3]} << 24;
  };
  EXPECT_EQ(u32(0), 0x10u);
  EXPECT_EQ(u32(4), 9u);
  EXPECT_EQ(u32(8), 524u);
  EXPECT_EQ(u32(12), 0x01E20000u);
  EXPECT_EQ(u32(16), 0x00010100u);
  EXPECT_EQ(u32(20), 0x001F0000u);  // entry 0 forced to 0, entry 1 kept
  EXPECT_EQ(u32(24), 0x80008000u);  // black entries become opaque black
  EXPECT_EQ(u32(532), 20u);
  EXPECT_EQ(u32(536), 320u);
  EXPECT_EQ(u32(540), (2u << 16) + 2);
  EXPECT_EQ(Bytes(tim.begin() + 544, tim.end()), image.pixels);
  EXPECT_EQ(table.colours[2], 0x8000);  // the record keeps the change
}

}  // namespace
