#include "convert/image_codecs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "test_support/temp_dir.h"

using namespace convert;

namespace {

std::span<const uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

std::string Picture(const std::string& file) {
  return testsupport::ReadFile(testsupport::DataPath("engine/images/" + file));
}

// The reference name of a picture: "wizard8.bmp" → "wizard8_bmp".
std::string ReferenceBase(const std::string& file) {
  std::string base = file;
  base[base.rfind('.')] = '_';
  return testsupport::DataPath("engine/" + base);
}

std::vector<uint32_t> ReadColormap(const std::string& path) {
  std::ifstream in(path);
  std::vector<uint32_t> out;
  unsigned r, g, b;
  while (in >> r >> g >> b) out.push_back(r << 16 | g << 8 | b);
  return out;
}

// ImageMagick's reading of a file: RGBA bytes, or nothing without ImageMagick.
std::optional<std::string> SecondDecoderPixels(const std::string& file) {
  if (std::system("convert -version > /dev/null 2>&1") != 0) return std::nullopt;
  const std::string out = file + ".rgba";
  const std::string command = "convert '" + file + "[0]' -depth 8 'rgba:" + out + "' 2> /dev/null";
  if (std::system(command.c_str()) != 0) return std::nullopt;
  return testsupport::ReadFile(out);
}

struct Sample {
  const char* file;
  // Per channel: JPEG decoders may round differently, and 16-bit levels
  // (16-bit PNG, TIFF colour maps) are rounded to 8 bits here a little
  // differently from ImageMagick.
  int tolerance;
  bool indexed;
};

class ImageMagickPictures : public testing::TestWithParam<Sample> {};

}  // namespace

TEST_P(ImageMagickPictures, DecodeWithTheSizePixelsAndPaletteImageMagickSees) {
  const Sample s = GetParam();
  DecodedImage image;
  ASSERT_TRUE(DecodeImage(Bytes(Picture(s.file)), image)) << s.file;
  std::istringstream size(testsupport::ReadFile(ReferenceBase(s.file) + ".size"));
  int width = 0, height = 0;
  size >> width >> height;
  ASSERT_EQ(image.width, width);
  ASSERT_EQ(image.height, height);
  const std::string rgba = testsupport::ReadFile(ReferenceBase(s.file) + ".rgba");
  ASSERT_EQ(rgba.size(), static_cast<size_t>(width) * height * 4);
  int mismatches = 0;
  for (size_t i = 0; i < image.pixels.size() && mismatches < 5; ++i) {
    const uint32_t p = image.pixels[i];
    const int want[4] = {uint8_t(rgba[4 * i]), uint8_t(rgba[4 * i + 1]), uint8_t(rgba[4 * i + 2]),
                         uint8_t(rgba[4 * i + 3])};
    const int got[4] = {int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255), int(p >> 24)};
    bool same = std::abs(got[3] - want[3]) <= s.tolerance;
    // The colour of a fully transparent pixel is not part of the picture.
    for (int c = 0; c < 3 && want[3] != 0; ++c)
      same = same && std::abs(got[c] - want[c]) <= s.tolerance;
    if (!same) {
      ++mismatches;
      ADD_FAILURE() << s.file << " pixel " << i << ": got " << got[0] << "," << got[1] << ","
                    << got[2] << "," << got[3] << " want " << want[0] << "," << want[1] << ","
                    << want[2] << "," << want[3];
    }
  }
  if (!s.indexed) {
    EXPECT_TRUE(image.palette.empty()) << s.file;
    return;
  }
  const std::vector<uint32_t> colormap = ReadColormap(ReferenceBase(s.file) + ".colormap");
  ASSERT_FALSE(colormap.empty());
  ASSERT_GE(image.palette.size(), colormap.size()) << s.file;
  for (size_t i = 0; i < colormap.size(); ++i)
    for (int shift : {0, 8, 16})
      EXPECT_LE(std::abs(int(image.palette[i] >> shift & 255) - int(colormap[i] >> shift & 255)),
                s.tolerance)
          << s.file << " entry " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Engine, ImageMagickPictures,
    testing::Values(Sample{"wizard8.bmp", 0, true}, Sample{"wizard4.bmp", 0, true},
                    Sample{"logo1.bmp", 0, true}, Sample{"wizard_rle8.bmp", 0, true},
                    Sample{"rose24.bmp", 0, false}, Sample{"rose32.bmp", 0, false},
                    Sample{"logo8.png", 0, true}, Sample{"rose_trns.png", 0, true},
                    Sample{"rose.png", 0, false}, Sample{"rose_alpha.png", 0, false},
                    Sample{"rose_grey16.png", 1, false}, Sample{"wizard_interlaced.png", 0, false},
                    Sample{"wizard.jpg", 1, false}, Sample{"rose_grey.jpg", 1, false},
                    Sample{"wizard_progressive.jpg", 1, false}, Sample{"wizard.gif", 0, true},
                    Sample{"logo_interlaced.gif", 0, true}, Sample{"rose_trns.gif", 0, true},
                    Sample{"rose.tif", 0, false}, Sample{"wizard_palette.tif", 1, true},
                    Sample{"rose_alpha.tif", 0, false}),
    [](const testing::TestParamInfo<Sample>& info) {
      std::string name = info.param.file;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

TEST(ImageCodecs, FormatsAreRecognisedByContent) {
  EXPECT_EQ(DetectImageFormat(Bytes(Picture("wizard8.bmp"))), ImageFormat::Bmp);
  EXPECT_EQ(DetectImageFormat(Bytes(Picture("rose.png"))), ImageFormat::Png);
  EXPECT_EQ(DetectImageFormat(Bytes(Picture("wizard.jpg"))), ImageFormat::Jpeg);
  EXPECT_EQ(DetectImageFormat(Bytes(Picture("wizard.gif"))), ImageFormat::Gif);
  EXPECT_EQ(DetectImageFormat(Bytes(Picture("rose.tif"))), ImageFormat::Tiff);
  EXPECT_EQ(DetectImageFormat(Bytes(std::string("BX"))), ImageFormat::Unknown);
  DecodedImage image;
  EXPECT_FALSE(DecodeImage(Bytes(std::string("hello")), image));
  EXPECT_FALSE(DecodeImage({}, image));
}

namespace {

using Encoder = bool (*)(const ImageToEncode&, std::string&);

struct EncoderCase {
  const char* name;
  const char* extension;
  Encoder encode;
  bool keepsPalette;
  int tolerance;
  const char* trueColour;  // a picture of more than 256 colours, except for GIF
};

class Encoders : public testing::TestWithParam<EncoderCase> {};

}  // namespace

TEST_P(Encoders, WrittenPicturesReloadEqualHereAndInImageMagick) {
  const EncoderCase c = GetParam();
  testsupport::TempDir dir;
  DecodedImage rose;
  ASSERT_TRUE(DecodeImage(Bytes(Picture(c.trueColour)), rose));
  DecodedImage wizard;
  ASSERT_TRUE(DecodeImage(Bytes(Picture("wizard8.bmp")), wizard));
  // The wizard as indices into its palette.
  std::vector<uint32_t> indices(wizard.pixels.size());
  for (size_t i = 0; i < indices.size(); ++i)
    indices[i] = static_cast<uint32_t>(
        std::find(wizard.palette.begin(), wizard.palette.end(), wizard.pixels[i]) -
        wizard.palette.begin());
  std::vector<uint32_t> palette;
  for (uint32_t p : wizard.palette) palette.push_back(p & 0xFFFFFF);

  struct Input {
    ImageToEncode image;
    const std::vector<uint32_t>* expected;
  };
  const Input inputs[] = {{{rose.width, rose.height, rose.pixels, {}}, &rose.pixels},
                          {{wizard.width, wizard.height, indices, palette}, &wizard.pixels}};
  int n = 0;
  for (const Input& in : inputs) {
    std::string bytes;
    ASSERT_TRUE(c.encode(in.image, bytes)) << c.name;
    DecodedImage back;
    ASSERT_TRUE(DecodeImage(Bytes(bytes), back)) << c.name;
    ASSERT_EQ(back.width, in.image.width);
    ASSERT_EQ(back.height, in.image.height);
    double error = 0;
    for (size_t i = 0; i < back.pixels.size(); ++i)
      for (int shift : {0, 8, 16})
        error +=
            std::abs(int(back.pixels[i] >> shift & 255) - int((*in.expected)[i] >> shift & 255));
    EXPECT_LE(error / double(back.pixels.size() * 3), c.tolerance) << c.name << " input " << n;
    if (!in.image.palette.empty() && c.keepsPalette) {
      ASSERT_GE(back.palette.size(), palette.size()) << c.name;
      for (size_t i = 0; i < palette.size(); ++i) EXPECT_EQ(back.palette[i] & 0xFFFFFF, palette[i]);
    }
    const std::string file = dir.file("out" + std::to_string(n++) + "." + c.extension);
    testsupport::WriteFile(file, bytes);
    if (auto second = SecondDecoderPixels(file)) {
      ASSERT_EQ(second->size(), back.pixels.size() * 4) << c.name;
      for (size_t i = 0; i < back.pixels.size(); ++i) {
        const uint32_t p = back.pixels[i];
        ASSERT_EQ(uint8_t((*second)[4 * i]), p >> 16 & 255) << c.name << " pixel " << i;
        ASSERT_EQ(uint8_t((*second)[4 * i + 1]), p >> 8 & 255) << c.name << " pixel " << i;
        ASSERT_EQ(uint8_t((*second)[4 * i + 2]), p & 255) << c.name << " pixel " << i;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Engine, Encoders,
    testing::Values(EncoderCase{"bmp", "bmp", EncodeBmp, true, 0, "rose24.bmp"},
                    EncoderCase{"png", "png", EncodePng, true, 0, "rose24.bmp"},
                    EncoderCase{"jpeg", "jpg", EncodeJpeg, false, 10, "rose24.bmp"},
                    EncoderCase{"gif", "gif", EncodeGif, true, 0, "logo8.png"},
                    EncoderCase{"tiff", "tif", EncodeTiff, true, 0, "rose24.bmp"}),
    [](const testing::TestParamInfo<EncoderCase>& info) { return info.param.name; });

TEST(ImageCodecs, GifDithersPicturesOfMoreThan256ColoursOntoTheHalftonePalette) {
  std::vector<uint32_t> pixels(64 * 64);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint32_t>(i * 4099) & 0xFFFFFF;
  std::string bytes;
  ASSERT_TRUE(EncodeGif({64, 64, pixels, {}}, bytes));
  DecodedImage back;
  ASSERT_TRUE(DecodeImage(Bytes(bytes), back));
  EXPECT_EQ(back.palette.size(), 256u);
  EXPECT_EQ(back.palette[245] & 0xFFFFFF, 0xFFFFFFu);
}

// Every prefix and a few thousand corrupted copies of each picture: the
// decoders fail or succeed, never read out of bounds (the sanitizer build
// checks) and never return a picture that disagrees with its size.
TEST(ImageCodecs, TruncatedAndCorruptedFilesAreHandledSafely) {
  std::mt19937 random(1);
  for (const char* name :
       {"wizard8.bmp", "wizard_rle8.bmp", "rose32.bmp", "logo8.png", "wizard_interlaced.png",
        "wizard.jpg", "wizard_progressive.jpg", "wizard.gif", "logo_interlaced.gif",
        "wizard_palette.tif", "rose_alpha.tif"}) {
    const std::string original = Picture(name);
    auto check = [&](const std::string& bytes) {
      DecodedImage image;
      if (DecodeImage(Bytes(bytes), image)) {
        ASSERT_GT(image.width, 0);
        ASSERT_EQ(image.pixels.size(), static_cast<size_t>(image.width) * image.height) << name;
        ASSERT_LE(image.palette.size(), 256u);
      } else {
        ASSERT_TRUE(image.pixels.empty()) << name;
      }
    };
    const size_t step = std::max<size_t>(1, original.size() / 97);
    for (size_t n = 0; n < original.size(); n += step) check(original.substr(0, n));
    for (int round = 0; round < 150; ++round) {
      std::string bytes = original;
      for (int k = 0; k < 1 + round % 8; ++k)
        bytes[random() % bytes.size()] = static_cast<char>(random());
      check(bytes);
    }
  }
}

TEST(ImageCodecs, HeadersAskingForHugePicturesAreRefusedBeforeAllocating) {
  // A BMP info header of 100000 × 100000 pixels at 24 bits, with no data.
  std::string bmp = "BM";
  auto u32 = [](std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
  };
  auto u16 = [](std::string& s, uint32_t v) {
    s.push_back(static_cast<char>(v));
    s.push_back(static_cast<char>(v >> 8));
  };
  u32(bmp, 54 + 16);
  u32(bmp, 0);
  u32(bmp, 54);
  u32(bmp, 40);
  u32(bmp, 100000);
  u32(bmp, 100000);
  u16(bmp, 1);
  u16(bmp, 24);
  for (int i = 0; i < 6; ++i) u32(bmp, 0);
  bmp += std::string(16, '\0');
  DecodedImage image;
  EXPECT_FALSE(DecodeImage(Bytes(bmp), image));
  // The same with a small limit for a size that would otherwise be fine.
  DecodeLimits small;
  small.maxPixels = 100;
  EXPECT_FALSE(DecodeImage(Bytes(Picture("rose24.bmp")), image, small));
  EXPECT_FALSE(DecodeImage(Bytes(Picture("rose.png")), image, small));
  EXPECT_FALSE(DecodeImage(Bytes(Picture("wizard.jpg")), image, small));
  EXPECT_FALSE(DecodeImage(Bytes(Picture("wizard.gif")), image, small));
  EXPECT_FALSE(DecodeImage(Bytes(Picture("rose.tif")), image, small));
  // A GIF whose logical screen is 65535 × 65535.
  std::string gif = Picture("wizard.gif");
  gif[6] = gif[7] = gif[8] = gif[9] = static_cast<char>(0xFF);
  EXPECT_FALSE(DecodeImage(Bytes(gif), image));
}
