// The whole tool on real files, in a temporary directory.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "oracles.h"
#include "test_support/temp_dir.h"
#include "tool_run.h"
#include "tools/tilecvt/image_reader.h"

namespace {

using tilecvttest::RunTool;
using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

std::vector<std::string> Files(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(Driver, SourceFormatNamesTheFilesAfterTheInputAndThePaletteName) {
  testsupport::TempDir dir;
  fs::copy_file(testsupport::DataPath("tilecvt/images/wizard4.bmp"), dir.path() / "a.bmp");
  auto result = RunTool(dir.path(), {"-t8", "-c16", "-fsrc", "a.bmp"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(Files(dir.path()), (std::vector<std::string>{"a.bmp", "a.raw.c", "master.pal.c"}));
  std::string tiles = testsupport::ReadFile(dir.path() / "a.raw.c");
  EXPECT_TRUE(tiles.starts_with(
      "//\r\n// a (960 uncompressed bytes)\r\n//\r\nconst unsigned char a_Bitmap[960] = {\r\n"))
      << tiles;
  std::string palette = testsupport::ReadFile(dir.path() / "master.pal.c");
  EXPECT_TRUE(palette.starts_with("const unsigned short master_Palette[16] = {\r\n")) << palette;
}

TEST(Driver, OutputDirectoryWithEitherSeparator) {
  for (const std::vector<std::string>& options :
       {std::vector<std::string>{"-o", "out"}, {"-oout\\"}, {"/oout/"}}) {
    testsupport::TempDir dir;
    tilecvttest::CopyInput("odd8.bmp", dir.path());
    fs::create_directory(dir.path() / "out");
    std::vector<std::string> arguments = options;
    arguments.push_back("odd8.bmp");
    EXPECT_EQ(RunTool(dir.path(), arguments).exitStatus, 0);
    EXPECT_EQ(Files(dir.path() / "out"), (std::vector<std::string>{"master.pal", "odd8.raw"}));
  }
}

TEST(Driver, AnAbsolutePathIsAFileNotAnOption) {
  testsupport::TempDir dir;
  tilecvttest::CopyInput("odd8.bmp", dir.path());
  auto result = RunTool(dir.path(), {"/q", (dir.path() / "odd8.bmp").string()});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(Files(dir.path()), (std::vector<std::string>{"master.pal", "odd8.bmp", "odd8.raw"}));
}

TEST(Driver, AnUnreadableInputStopsTheRunBeforeAnythingIsWritten) {
  testsupport::TempDir dir;
  tilecvttest::CopyInput("odd8.bmp", dir.path());
  tilecvttest::CopyInput("rle8.bmp", dir.path());
  auto missing = RunTool(dir.path(), {"odd8.bmp", "missing.bmp"});
  EXPECT_EQ(missing.exitStatus, 1);
  EXPECT_EQ(missing.err, "\n***ERROR: file not found\n");
  auto compressed = RunTool(dir.path(), {"-q", "odd8.bmp", "rle8.bmp"});
  EXPECT_EQ(compressed.exitStatus, 1);
  EXPECT_EQ(compressed.err, "\n***ERROR: compressed data not supported\n");
  EXPECT_EQ(Files(dir.path()), (std::vector<std::string>{"odd8.bmp", "rle8.bmp"}));
}

TEST(Driver, AnOutputThatCannotBeCreatedIsReportedAndFailsTheRun) {
  testsupport::TempDir dir;
  tilecvttest::CopyInput("odd8.bmp", dir.path());
  auto result = RunTool(dir.path(), {"-o", "nowhere", "odd8.bmp"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_NE(result.out.find("Saving bitmap data to: nowhere/odd8.raw ... FAILED!\n"),
            std::string::npos);
  EXPECT_NE(result.out.find("Saving masterpalette to..: nowhere/master.pal ... FAILED!\n"),
            std::string::npos);
  EXPECT_NE(result.out.find("Total files read & converted.:   1"), std::string::npos);
}

TEST(Driver, WithoutFilesTheBannerComesBeforeTheUsage) {
  testsupport::TempDir dir;
  auto framed = RunTool(dir.path(), {});
  EXPECT_EQ(framed.exitStatus, 1);
  EXPECT_TRUE(framed.out.starts_with("\n=======================\ntilecvt Converter v0.14\n--"))
      << framed.out;
  EXPECT_TRUE(framed.err.starts_with("Usage: tilecvt")) << framed.err;
  auto quiet = RunTool(dir.path(), {"-q"});
  EXPECT_TRUE(quiet.out.starts_with("tilecvt Converter v0.14 ")) << quiet.out;
  EXPECT_EQ(std::count(quiet.out.begin(), quiet.out.end(), '\n'), 1);
}

TEST(Driver, QuietModeKeepsOnlyTheBannerAndTheTotal) {
  testsupport::TempDir dir;
  tilecvttest::CopyInput("wizard8.bmp", dir.path());
  auto result = RunTool(dir.path(), {"-q", "-m", "wizard8.bmp"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.out.substr(result.out.find('\n')), "\n\nTotal files read & converted.:   1\n");
}

TEST(Driver, TrueColourWritesColoursAndNoPalette) {
  testsupport::TempDir dir;
  tilecvttest::CopyInput("odd8.bmp", dir.path());
  auto result = RunTool(dir.path(), {"-c32k", "odd8.bmp"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(Files(dir.path()), (std::vector<std::string>{"odd8.bmp", "odd8.raw"}));
  EXPECT_EQ(result.out.find("Colors used"), std::string::npos);
  Bytes raw = tilecvttest::ReadBytes(dir.path() / "odd8.raw");
  auto reference = tilecvttest::ReadPpm(testsupport::DataPath("tilecvt/reference/odd8.bmp.ppm"));
  ASSERT_TRUE(reference.has_value());
  ASSERT_EQ(raw.size(), 13u * 7 * 2);
  for (size_t i = 0; i < 13 * 7; ++i) {
    const uint8_t* rgb = &reference->rgb[i * 3];
    unsigned colour = (rgb[0] >> 3) | (rgb[1] >> 3) << 5 | (rgb[2] >> 3) << 10;
    ASSERT_EQ(raw[2 * i] | raw[2 * i + 1] << 8, colour) << i;
  }
}

// 240 x 160 pixels of 8 x 8 tiles drawn from a few shapes.
void WriteScreen(const fs::path& path) {
  std::vector<uint8_t> pixels(240 * 160), palette;
  for (int i = 0; i < 16; ++i)
    palette.insert(palette.end(), {uint8_t(i * 16), uint8_t(255 - i * 16), uint8_t(i * 5)});
  for (int y = 0; y < 160; ++y)
    for (int x = 0; x < 240; ++x)
      pixels[size_t(y * 240 + x)] = uint8_t(((x / 8 + y / 8) % 3) * ((x % 8) + (y % 8)) % 16);
  tilecvttest::WriteBmp8(path, 240, 160, pixels, palette);
}

TEST(Driver, MetatiledMapOfAScreenThatIsNotWholeBlocksWarnsAndKeepsRowOrder) {
  testsupport::TempDir dir;
  WriteScreen(dir.path() / "screen.bmp");
  auto blocks = RunTool(dir.path(), {"-mm", "screen.bmp"});
  EXPECT_EQ(blocks.exitStatus, 0);
  EXPECT_EQ(blocks.err, "\n***WARNING: either height or width is not a multiple of 256!\n");
  std::string blockMap = testsupport::ReadFile(dir.path() / "screen.map");
  EXPECT_EQ(RunTool(dir.path(), {"-m", "screen.bmp"}).err, "");
  EXPECT_EQ(testsupport::ReadFile(dir.path() / "screen.map"), blockMap);
  EXPECT_EQ(blockMap.size(), 30u * 20 * 2);
}

TEST(Driver, MapEntriesCarryOffsetAndBank) {
  testsupport::TempDir dir;
  WriteScreen(dir.path() / "screen.bmp");
  ASSERT_EQ(RunTool(dir.path(), {"-M", "-v1000", "-b2", "-c16", "screen.bmp"}).exitStatus, 0);
  Bytes map = tilecvttest::ReadBytes(dir.path() / "screen.map");
  ASSERT_EQ(map.size(), 1200u);
  for (unsigned n = 0; n < 600; ++n)
    ASSERT_EQ(map[2 * n] | map[2 * n + 1] << 8, 0x2000 | ((n + 1000) & 0xFFF)) << n;
  EXPECT_EQ(tilecvttest::ReadBytes(dir.path() / "screen.raw").size(), 600u * 32);
}

TEST(Driver, ColourStatisticsCountSharedColoursOnce) {
  testsupport::TempDir dir;
  tilecvttest::CopyInput("wizard4.bmp", dir.path());
  fs::copy_file(dir.path() / "wizard4.bmp", dir.path() / "again.bmp");
  auto one = RunTool(dir.path(), {"-c16", "wizard4.bmp"});
  auto two = RunTool(dir.path(), {"-c16", "wizard4.bmp", "again.bmp"});
  auto number = [](const std::string& out, const char* label) {
    size_t at = out.find(label);
    return at == std::string::npos ? -1 : std::atoi(out.c_str() + at + std::strlen(label));
  };
  const int before = number(one.out, "Colors used before converting:");
  const int after = number(one.out, "Colors used after converting.:");
  ASSERT_GT(before, 0);
  EXPECT_EQ(number(two.out, "Colors used before converting:"), 2 * before);
  EXPECT_EQ(number(two.out, "Colors used after converting.:"), after);
  EXPECT_EQ(number(two.out, "Colors saved.................:"), 2 * before - after);
  EXPECT_EQ(tilecvttest::ReadBytes(dir.path() / "wizard4.raw"),
            tilecvttest::ReadBytes(dir.path() / "again.raw"));
}

TEST(Driver, TooManyColoursEndTheRun) {
  testsupport::TempDir dir;
  tilecvttest::CopyInput("wizard8.bmp", dir.path());
  auto result = RunTool(dir.path(), {"-c16", "wizard8.bmp"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_TRUE(result.err.starts_with("\n***ERROR: image has 199 uni")) << result.err;
  EXPECT_EQ(Files(dir.path()), (std::vector<std::string>{"wizard8.bmp"}));
}

// Every block, compressed by each compressor, decodes to the block written
// plainly; a block that does not shrink is written plainly with a warning.
TEST(Driver, EveryCompressedBlockDecodesToThePlainOne) {
  struct Mode {
    std::vector<std::string> arguments;
    const char* tiles;  // array name of the tile or bitmap block
  };
  for (const Mode& mode : {Mode{{"-m", "-c16", "wizard4.bmp"}, "wizard4_Tiles"},
                           Mode{{"-m", "wizard8.bmp"}, "wizard8_Tiles"},
                           Mode{{"-t8", "wizard.pcx"}, "wizard_Bitmap"}}) {
    testsupport::TempDir plain, packed;
    const std::string input = mode.arguments.back();
    tilecvttest::CopyInput(input, plain.path());
    tilecvttest::CopyInput(input, packed.path());
    ASSERT_EQ(RunTool(plain.path(), mode.arguments).exitStatus, 0);
    const std::string base = fs::path(input).stem().string();
    const std::pair<std::string, std::string> blocks[] = {{base + ".raw", mode.tiles},
                                                          {base + ".map", base + "_Map"},
                                                          {"master.pal", "master_Palette"}};
    for (const char* compressor : {"", "-ap", "-aps"}) {
      std::vector<std::string> arguments = {"-Z"};
      if (*compressor) arguments.push_back(compressor);
      arguments.insert(arguments.end(), mode.arguments.begin(), mode.arguments.end());
      auto result = RunTool(packed.path(), arguments);
      ASSERT_EQ(result.exitStatus, 0);
      for (const auto& [file, array] : blocks) {
        if (!fs::exists(plain.path() / file)) continue;
        SCOPED_TRACE(file + " " + compressor);
        Bytes expected = tilecvttest::ReadBytes(plain.path() / file);
        Bytes stream = tilecvttest::ReadBytes(packed.path() / file);
        if (result.err.find("couldn't compress " + array + ",") != std::string::npos) {
          EXPECT_EQ(stream, expected);
          continue;
        }
        std::optional<Bytes> decoded;
        if (*compressor == 0) {
          decoded = tilecvttest::DecodeLz77(stream);
        } else {
          if (std::string(compressor) == "-aps") stream.erase(stream.begin(), stream.begin() + 24);
          decoded = tilecvttest::DecodeAplib(stream, expected.size());
        }
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(*decoded, expected);
      }
    }
  }
}

TEST(Driver, TimOutputReadsBackInImageMagick) {
  if (std::system("convert -version > /dev/null 2>&1") != 0)
    GTEST_SKIP() << "ImageMagick's convert is not installed";
  testsupport::TempDir dir;
  tilecvttest::CopyInput("wizard8.bmp", dir.path());
  auto result = RunTool(dir.path(), {"-fpsx", "wizard8.bmp"});
  ASSERT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(Files(dir.path()),
            (std::vector<std::string>{"master.pal.clut", "wizard8.bmp", "wizard8.raw.tim"}));
  EXPECT_EQ(fs::file_size(dir.path() / "master.pal.clut"), 512u);
  const std::string command = "convert '" + (dir.path() / "wizard8.raw.tim").string() +
                              "' -depth 8 '" + (dir.path() / "back.ppm").string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  auto back = tilecvttest::ReadPpm((dir.path() / "back.ppm").string());
  auto reference = tilecvttest::ReadPpm(testsupport::DataPath("tilecvt/reference/wizard8.bmp.ppm"));
  ASSERT_TRUE(back && reference);
  ASSERT_EQ(back->rgb.size(), reference->rgb.size());
  // Index 0 is the transparent colour, black in a TIM table.
  tilecvt::IndexedImage image;
  ASSERT_EQ(tilecvt::LoadImage(testsupport::DataPath("tilecvt/images/wizard8.bmp"), image),
            tilecvt::ImageError::None);
  tilecvt::FlipVertically(image);
  int transparent = 0;
  for (size_t i = 0; i < back->rgb.size(); ++i) {
    if (image.pixels[i / 3] == 0) {
      transparent += i % 3 == 0;
      ASSERT_EQ(back->rgb[i], 0) << i;
    } else {
      ASSERT_EQ(back->rgb[i] >> 3, reference->rgb[i] >> 3) << i;
    }
  }
  EXPECT_GT(transparent, 0);
}

TEST(Driver, TimNeeds256ColoursAndBitmapMode) {
  testsupport::TempDir dir;
  tilecvttest::CopyInput("wizard4.bmp", dir.path());
  auto sixteen = RunTool(dir.path(), {"-fpsx", "-c16", "wizard4.bmp"});
  EXPECT_EQ(sixteen.exitStatus, 1);
  EXPECT_NE(sixteen.out.find("wizard4.raw.tim ... FAILED!"), std::string::npos);
  auto map = RunTool(dir.path(), {"-fpsx", "-m", "wizard4.bmp"});
  EXPECT_EQ(map.exitStatus, 1);
  EXPECT_EQ(
      map.err,
      "***ERROR: unknown outputformat (ID=5)?!\n\n***ERROR: unknown outputformat (ID=5)?!\n\n");
}

}  // namespace
