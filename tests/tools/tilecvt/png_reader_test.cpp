// PNG input: every indexed kind converts to exactly what the same picture
// gives as an 8-bit BMP; what the reader cannot take is refused with its code.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "test_support/temp_dir.h"
#include "tool_run.h"
#include "tools/tilecvt/image_reader.h"

namespace {

using tilecvttest::ReadBytes;
using tilecvttest::RunTool;
using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

constexpr int kWidth = 32;
constexpr int kHeight = 16;

struct PngCase {
  const char* name;
  int colourType;  // PNG_COLOR_TYPE_PALETTE or PNG_COLOR_TYPE_GRAY
  int bits;
  bool interlaced;
};

// Indices that use every value of the depth and repeat some 8 × 8 tiles.
Bytes Indices(int bits) {
  Bytes pixels(kWidth * kHeight);
  const int levels = 1 << bits;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      int tile = (x / 8) % 2;  // tiles 0 and 2 of each row are equal
      pixels[static_cast<size_t>(y * kWidth + x)] =
          static_cast<uint8_t>((tile * 7 + (x % 8) + (y % 8) * 3 + y / 8) % levels);
    }
  return pixels;
}

// (red, green, blue) for each entry: distinct on the console's 5-bit levels.
Bytes Palette(const PngCase& image) {
  const int levels = 1 << image.bits;
  Bytes rgb;
  for (int i = 0; i < levels; ++i) {
    if (image.colourType == PNG_COLOR_TYPE_GRAY) {
      auto grey = static_cast<uint8_t>(i * 255 / (levels - 1));
      rgb.insert(rgb.end(), {grey, grey, grey});
    } else {
      rgb.insert(rgb.end(), {static_cast<uint8_t>(i * 8), static_cast<uint8_t>(255 - i),
                             static_cast<uint8_t>((i * 40) & 255)});
    }
  }
  return rgb;
}

// Packs the rows at the depth and writes them with libpng.
void WritePng(const fs::path& path, const PngCase& image, const Bytes& pixels, const Bytes& rgb) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, kWidth, kHeight, image.bits, image.colourType,
               image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> entries;
  if (image.colourType == PNG_COLOR_TYPE_PALETTE) {
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
      entries.push_back({rgb[i], rgb[i + 1], rgb[i + 2]});
    png_set_PLTE(png, info, entries.data(), static_cast<int>(entries.size()));
  }
  png_write_info(png, info);
  png_set_packing(png);
  std::vector<Bytes> rows(kHeight, Bytes(kWidth));
  std::vector<png_bytep> rowPointers;
  for (int y = 0; y < kHeight; ++y) {
    std::copy_n(pixels.begin() + y * kWidth, kWidth, rows[static_cast<size_t>(y)].begin());
    rowPointers.push_back(rows[static_cast<size_t>(y)].data());
  }
  png_write_image(png, rowPointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

// The files a run wrote, by name, without the inputs.
std::map<std::string, Bytes> Outputs(const fs::path& dir) {
  std::map<std::string, Bytes> out;
  for (const auto& entry : fs::directory_iterator(dir)) {
    std::string name = entry.path().filename().string();
    if (name.ends_with(".png") || name.ends_with(".bmp")) continue;
    out[name] = ReadBytes(entry.path());
  }
  return out;
}

const PngCase kIndexed[] = {
    {"p1", PNG_COLOR_TYPE_PALETTE, 1, false}, {"p2", PNG_COLOR_TYPE_PALETTE, 2, false},
    {"p4", PNG_COLOR_TYPE_PALETTE, 4, false}, {"p8", PNG_COLOR_TYPE_PALETTE, 8, false},
    {"g1", PNG_COLOR_TYPE_GRAY, 1, false},    {"g2", PNG_COLOR_TYPE_GRAY, 2, false},
    {"g4", PNG_COLOR_TYPE_GRAY, 4, false},    {"g8", PNG_COLOR_TYPE_GRAY, 8, false},
    {"i4", PNG_COLOR_TYPE_PALETTE, 4, true},  {"i8", PNG_COLOR_TYPE_GRAY, 8, true},
};

const std::vector<std::string> kOptionSets[] = {
    {"-t8", "-m", "-fsrc"},
    {"-t8", "-c16", "-M", "-fasm", "-zt"},
    {"-t16", "-m", "-farm", "-ap"},
};

class PngAsBmp : public ::testing::TestWithParam<PngCase> {};

TEST_P(PngAsBmp, ConvertsByteForByteAsTheSamePictureInABmp) {
  const PngCase& image = GetParam();
  Bytes pixels = Indices(image.bits);
  Bytes rgb = Palette(image);
  for (const std::vector<std::string>& options : kOptionSets) {
    if (image.bits == 8 && options[1] == "-c16") continue;  // more colours than 16
    testsupport::TempDir png;
    testsupport::TempDir bmp;
    WritePng(png.path() / "pic.png", image, pixels, rgb);
    tilecvttest::WriteBmp8(bmp.path() / "pic.bmp", kWidth, kHeight, pixels, rgb);
    std::vector<std::string> args = options;
    args.push_back("pic.png");
    auto fromPng = RunTool(png.path(), args);
    args.back() = "pic.bmp";
    auto fromBmp = RunTool(bmp.path(), args);
    ASSERT_EQ(fromBmp.exitStatus, 0) << fromBmp.err;
    EXPECT_EQ(fromPng.exitStatus, 0) << image.name << " " << fromPng.err;
    auto a = Outputs(png.path());
    auto b = Outputs(bmp.path());
    ASSERT_FALSE(b.empty());
    for (const auto& [name, bytes] : b) {
      ASSERT_TRUE(a.contains(name)) << image.name << ": no " << name;
      const Bytes& other = a[name];
      auto diff = std::mismatch(bytes.begin(), bytes.end(), other.begin(), other.end());
      EXPECT_TRUE(diff.first == bytes.end() && diff.second == other.end())
          << image.name << " " << options[0] << options[1] << ": " << name << " differs at "
          << (diff.first - bytes.begin()) << ": bmp \""
          << std::string(diff.first, std::min(diff.first + 40, bytes.end())) << "\" png \""
          << std::string(diff.second, std::min(diff.second + 40, other.end())) << "\"";
    }
    EXPECT_EQ(a.size(), b.size());
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, PngAsBmp, ::testing::ValuesIn(kIndexed),
                         [](const auto& info) { return std::string(info.param.name); });

// A PNG of 4-bit palette entries, then spoiled in the ways a file can be.
Bytes SmallPng(const fs::path& dir) {
  PngCase image{"p4", PNG_COLOR_TYPE_PALETTE, 4, false};
  WritePng(dir / "base.png", image, Indices(4), Palette(image));
  return ReadBytes(dir / "base.png");
}

Bytes Truncated(Bytes png) {
  png.resize(png.size() - 30);  // inside the image data
  return png;
}

Bytes BrokenCrc(Bytes png) {
  png[8 + 8 + 13] ^= 0x5A;  // the IHDR's checksum
  return png;
}

Bytes BrokenDataCrc(Bytes png) {
  png[png.size() - 12 - 1] ^= 0x01;  // the last IDAT's checksum, before IEND
  return png;
}

struct RefusedCase {
  const char* name;
  int colourType;
  int bits;
  tilecvt::ImageError error;
};

const RefusedCase kRefused[] = {
    {"rgb", PNG_COLOR_TYPE_RGB, 8, tilecvt::ImageError::TrueColour},
    {"rgba", PNG_COLOR_TYPE_RGB_ALPHA, 8, tilecvt::ImageError::TrueColour},
    {"greyalpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8, tilecvt::ImageError::TrueColour},
    {"grey16", PNG_COLOR_TYPE_GRAY, 16, tilecvt::ImageError::UnsupportedDepth},
};

TEST(PngReader, TrueColourAndDeepGreysAreRefused) {
  for (const RefusedCase& c : kRefused) {
    testsupport::TempDir dir;
    // Enough bytes per pixel for any of these kinds, all zero.
    std::FILE* file = std::fopen((dir.path() / "t.png").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, 8, 8, c.bits, c.colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    Bytes row(8 * 8, 0);
    for (int y = 0; y < 8; ++y) png_write_row(png, row.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    Bytes bytes = ReadBytes(dir.path() / "t.png");
    tilecvt::IndexedImage image;
    EXPECT_EQ(tilecvt::DecodeImage(bytes, image), c.error) << c.name;
    EXPECT_TRUE(image.pixels.empty());
  }
  // The tool says why and ends with status 1, writing nothing.
  testsupport::TempDir rgbDir;
  {
    std::FILE* file = std::fopen((rgbDir.path() / "rgb.png").c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, 8, 8, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    Bytes row(8 * 3, 0);
    for (int y = 0; y < 8; ++y) png_write_row(png, row.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
  }
  auto refused = RunTool(rgbDir.path(), {"rgb.png"});
  EXPECT_EQ(refused.exitStatus, 1);
  EXPECT_NE(refused.err.find("***ERROR: true-colour image"), std::string::npos) << refused.err;
  EXPECT_EQ(fs::directory_iterator(rgbDir.path())->path().filename(), "rgb.png");
}

TEST(PngReader, DamagedFilesGiveTheirErrorAndNoImage) {
  testsupport::TempDir dir;
  Bytes good = SmallPng(dir.path());
  const std::pair<const char*, std::pair<Bytes, tilecvt::ImageError>> cases[] = {
      {"good", {good, tilecvt::ImageError::None}},
      {"truncated", {Truncated(good), tilecvt::ImageError::ReadWrite}},
      {"signature only", {Bytes(good.begin(), good.begin() + 8), tilecvt::ImageError::ReadWrite}},
      {"header crc", {BrokenCrc(good), tilecvt::ImageError::UnknownFormat}},
      {"data crc", {BrokenDataCrc(good), tilecvt::ImageError::UnknownFormat}},
  };
  for (const auto& [name, c] : cases) {
    tilecvt::IndexedImage image;
    EXPECT_EQ(tilecvt::DecodeImage(c.first, image), c.second) << name;
    EXPECT_EQ(image.pixels.empty(), c.second != tilecvt::ImageError::None) << name;
  }
}

}  // namespace
