// Every reader against ImageMagick's reading of the same file, the error
// codes, and files that lie about themselves.
#include "oracles.h"
#include "test_support/temp_dir.h"
#include "tests/tools/common/pcx_palette_cases.h"
#include "tool_run.h"
#include "tools/tilecvt/image_reader.h"

#include <gtest/gtest.h>

namespace {

using tilecvt::ImageError;
using Bytes = std::vector<uint8_t>;

Bytes Input(const std::string& name) {
  return tilecvttest::ReadBytes(testsupport::DataPath("tilecvt/images/" + name));
}

ImageError Decode(const Bytes& bytes, tilecvt::IndexedImage& image) {
  return tilecvt::DecodeImage(bytes, image);
}

ImageError Decode(const Bytes& bytes) {
  tilecvt::IndexedImage image;
  return tilecvt::DecodeImage(bytes, image);
}

void PutU16(Bytes& bytes, size_t at, unsigned value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

void PutU32(Bytes& bytes, size_t at, uint32_t value) {
  PutU16(bytes, at, value & 0xFFFF);
  PutU16(bytes, at + 2, value >> 16);
}

// The image as the converter sees it after reading: BMP rows flipped.
tilecvt::IndexedImage Read(const Bytes& bytes) {
  tilecvt::IndexedImage image;
  EXPECT_EQ(tilecvt::DecodeImage(bytes, image), ImageError::None);
  if (image.sourceType == tilecvt::SourceType::Bmp) tilecvt::FlipVertically(image);
  return image;
}

struct ReaderCase {
  const char* file;
  tilecvt::SourceType type;
  int depth;
};

class ReaderMatchesImageMagick : public testing::TestWithParam<ReaderCase> {};

// Compared in the 5 bits per channel the console keeps.
TEST_P(ReaderMatchesImageMagick, EveryPixelHasTheColourImageMagickReads) {
  const ReaderCase& c = GetParam();
  tilecvt::IndexedImage image = Read(Input(c.file));
  auto reference = tilecvttest::ReadPpm(
      testsupport::DataPath(std::string("tilecvt/reference/") + c.file + ".ppm"));
  ASSERT_TRUE(reference.has_value());
  EXPECT_EQ(image.sourceType, c.type);
  EXPECT_EQ(image.depth, c.depth);
  ASSERT_EQ(image.width, reference->width);
  ASSERT_EQ(image.height, reference->height);
  int wrong = 0;
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    const tilecvt::PaletteEntry& entry = image.palette[image.pixels[i]];
    const uint8_t* rgb = &reference->rgb[i * 3];
    if (entry.red >> 3 != rgb[0] >> 3 || entry.green >> 3 != rgb[1] >> 3 ||
        entry.blue >> 3 != rgb[2] >> 3)
      ++wrong;
  }
  EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ReaderMatchesImageMagick,
    testing::Values(ReaderCase{"wizard8.bmp", tilecvt::SourceType::Bmp, 8},
                    ReaderCase{"wizard8v5.bmp", tilecvt::SourceType::Bmp, 8},
                    ReaderCase{"wizard4.bmp", tilecvt::SourceType::Bmp, 4},
                    ReaderCase{"odd8.bmp", tilecvt::SourceType::Bmp, 8},
                    ReaderCase{"odd4.bmp", tilecvt::SourceType::Bmp, 4},
                    ReaderCase{"wizard.pcx", tilecvt::SourceType::Pcx, 8},
                    ReaderCase{"odd.pcx", tilecvt::SourceType::Pcx, 8},
                    ReaderCase{"wizard.tga", tilecvt::SourceType::Tga, 8},
                    ReaderCase{"wizard_rle.tga", tilecvt::SourceType::Tga, 8},
                    ReaderCase{"nofooter.tga", tilecvt::SourceType::Tga, 8},
                    ReaderCase{"nofooter_rle.tga", tilecvt::SourceType::Tga, 8},
                    ReaderCase{"nofooter_top.tga", tilecvt::SourceType::Tga, 8},
                    ReaderCase{"nofooter_odd16.tga", tilecvt::SourceType::Tga, 8},
                    ReaderCase{"trailing.pcx", tilecvt::SourceType::Pcx, 8},
                    ReaderCase{"odd_trailing.pcx", tilecvt::SourceType::Pcx, 8},
                    ReaderCase{"sprite.spr", tilecvt::SourceType::Spr, 8},
                    ReaderCase{"sprite8.tim", tilecvt::SourceType::Tim, 8},
                    ReaderCase{"sprite4.tim", tilecvt::SourceType::Tim, 4}),
    [](const testing::TestParamInfo<ReaderCase>& info) {
      std::string name = info.param.file;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST(ImageReader, SpriteSheetFramesStackIntoOneImage) {
  tilecvt::IndexedImage image = Read(Input("sprite.spr"));
  EXPECT_EQ(image.width, 16);
  EXPECT_EQ(image.height, 48);  // three frames of 16 x 16
  EXPECT_EQ(image.colours, 256);
}

TEST(ImageReader, UnsupportedFilesGiveTheirErrorCodes) {
  Bytes nofooter = Input("nofooter.tga");
  nofooter[7] = 8;  // no colour-map entry size: not a TGA header without the footer
  EXPECT_EQ(Decode(nofooter), ImageError::UnknownFormat);
  EXPECT_EQ(Decode(Input("rle8.bmp")), ImageError::Compressed);
  EXPECT_EQ(Decode(Bytes{'G', 'I', 'F', '8'}), ImageError::UnknownFormat);
  EXPECT_EQ(Decode(Bytes{}), ImageError::UnknownFormat);

  Bytes pcx = Input("wizard.pcx");
  pcx[3] = 4;
  EXPECT_EQ(Decode(pcx), ImageError::UnsupportedDepth);
  pcx[3] = 8;
  pcx[65] = 3;  // three planes: true colour
  EXPECT_EQ(Decode(pcx), ImageError::UnsupportedDepth);

  Bytes bmp = Input("wizard8.bmp");
  PutU16(bmp, 28, 24);
  EXPECT_EQ(Decode(bmp), ImageError::UnsupportedDepth);

  Bytes tim = Input("sprite8.tim");
  PutU32(tim, 4, 1);  // 8-bit, no look-up table
  EXPECT_EQ(Decode(tim), ImageError::NoPalette);
  PutU32(tim, 4, 8 | 2);  // 16-bit
  EXPECT_EQ(Decode(tim), ImageError::UnsupportedDepth);

  Bytes tga = Input("wizard.tga");
  tga[16] = 16;
  EXPECT_EQ(Decode(tga), ImageError::UnsupportedDepth);
  tga[16] = 8;
  tga[2] = 2;  // true colour
  EXPECT_EQ(Decode(tga), ImageError::UnknownFormat);

  Bytes spr = Input("sprite.spr");
  PutU16(spr, 5, 12);
  EXPECT_EQ(Decode(spr), ImageError::FrameSize);

  tilecvt::IndexedImage image;
  EXPECT_EQ(tilecvt::LoadImage("no such file.bmp", image), ImageError::FileNotFound);
  EXPECT_STREQ(tilecvt::ImageErrorText(ImageError::FrameSize), "framesize is not a multiple of 8");
}

// A file cut anywhere either still holds everything its header needs or
// reports a short or unreadable file; it is never read past its end.
TEST(ImageReader, TruncatedFilesNeverReadPastTheirEnd) {
  for (const char* name : {"wizard8.bmp", "wizard8v5.bmp", "odd4.bmp", "wizard.pcx", "wizard.tga",
                           "wizard_rle.tga", "sprite.spr", "sprite8.tim", "sprite4.tim",
                           "nofooter.tga", "nofooter_rle.tga", "trailing.pcx"}) {
    Bytes whole = Input(name);
    for (size_t size = 0; size < whole.size(); ++size) {
      Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
      tilecvt::IndexedImage image;
      ImageError error = Decode(cut, image);
      EXPECT_TRUE(error == ImageError::None || error == ImageError::ReadWrite ||
                  error == ImageError::UnknownFormat)
          << name << " cut to " << size << ": " << static_cast<int>(error);
      if (error != ImageError::None) {
        EXPECT_TRUE(image.pixels.empty());
      }
    }
  }
}

// Without the footer only a header that can describe nothing but a
// colour-mapped 8-bit image, in a file long enough for it, is read as TGA;
// anything else stays unrecognised, or goes to the reader that claims it first.
TEST(ImageReader, FooterlessTgaNeedsAHeaderThatAgreesWithTheFile) {
  struct Change {
    const char* what;
    size_t at;
    unsigned value;
    ImageError expected;
  };
  const Bytes plain = Input("nofooter.tga");
  const Change changes[] = {
      {"no colour map", 1, 0, ImageError::UnknownFormat},
      {"true-colour type", 2, 2, ImageError::UnknownFormat},
      {"16 bits per pixel", 16, 16, ImageError::UnknownFormat},
      {"12-bit map entries", 7, 12, ImageError::UnknownFormat},
      {"empty colour map", 5, 0, ImageError::UnknownFormat},
      {"257 map entries", 5, 257, ImageError::UnknownFormat},
      {"no width", 12, 0, ImageError::UnknownFormat},
      {"one row more than the file holds", 14, 49, ImageError::UnknownFormat},
      {"identification longer than the file", 0, 255, ImageError::UnknownFormat},
      {"identification of 10 bytes: PCX's first byte", 0, 10, ImageError::UnsupportedDepth},
      {"top origin", 17, 0x20, ImageError::None},
      {"16-bit map entries (fewer bytes)", 7, 16, ImageError::None},
  };
  for (const Change& change : changes) {
    Bytes tga = plain;
    if (change.at == 5 || change.at == 12 || change.at == 14)
      PutU16(tga, change.at, change.value);
    else
      tga[change.at] = static_cast<uint8_t>(change.value);
    EXPECT_EQ(Decode(tga), change.expected) << change.what;
  }
  EXPECT_EQ(Decode(Bytes(plain.begin(), plain.end() - 1)), ImageError::UnknownFormat)
      << "one pixel short";

  // Run-length data needs a byte pair per 128 pixels to be taken as TGA; a file
  // that has them but ends early is a short file.
  const Bytes rle = Input("nofooter_rle.tga");
  const auto dataStart = static_cast<std::ptrdiff_t>(18 + (rle[5] | rle[6] << 8) * 3);
  const std::ptrdiff_t leastData = 40 * 48 / 128 * 2;
  EXPECT_EQ(Decode(Bytes(rle.begin(), rle.begin() + dataStart + leastData)), ImageError::ReadWrite);
  EXPECT_EQ(Decode(Bytes(rle.begin(), rle.begin() + dataStart + leastData - 1)),
            ImageError::UnknownFormat);
}

class PcxPalette : public testing::TestWithParam<toolstest::PaletteCase> {};

// Without a marker the last 768 bytes are the palette, as they always were.
TEST_P(PcxPalette, FoundByItsMarkerWhateverFollowsIt) {
  const toolstest::PaletteFile file = toolstest::Build(GetParam());
  tilecvt::IndexedImage image;
  ASSERT_EQ(Decode(file.bytes, image), ImageError::None);
  EXPECT_EQ(image.pixels, file.pixels);
  const size_t start = file.palette.value_or(file.bytes.size() - 768);
  for (size_t i = 0; i < 256; ++i) {
    const uint8_t* rgb = &file.bytes[start + 3 * i];
    const tilecvt::PaletteEntry& entry = image.palette[i];
    ASSERT_TRUE(entry.red == rgb[0] && entry.green == rgb[1] && entry.blue == rgb[2])
        << "entry " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, PcxPalette, testing::ValuesIn(toolstest::Cases()),
                         [](const auto& info) { return toolstest::CaseName(info.param); });

TEST(ImageReader, HeadersClaimingMoreThanTheFileHoldsAreShortFiles) {
  Bytes bmp = Input("wizard8.bmp");
  PutU32(bmp, 18, 30000);
  PutU32(bmp, 22, 30000);
  EXPECT_EQ(Decode(bmp), ImageError::ReadWrite);

  Bytes tga = Input("wizard_rle.tga");
  PutU16(tga, 12, 65535);
  PutU16(tga, 14, 65535);
  EXPECT_EQ(Decode(tga), ImageError::ReadWrite);
  tga = Input("wizard.tga");
  PutU16(tga, 5, 60000);  // a colour map longer than the file
  EXPECT_EQ(Decode(tga), ImageError::ReadWrite);

  Bytes pcx = Input("wizard.pcx");
  PutU16(pcx, 8, 65000);
  PutU16(pcx, 10, 65000);
  EXPECT_EQ(Decode(pcx), ImageError::ReadWrite);

  Bytes tim = Input("sprite8.tim");
  PutU32(tim, 8, 0xFFFFFFF0u);  // table block length past the end
  EXPECT_EQ(Decode(tim), ImageError::ReadWrite);

  Bytes spr = Input("sprite.spr");
  PutU16(spr, 3, 60000);
  EXPECT_EQ(Decode(spr), ImageError::ReadWrite);
}

TEST(ImageReader, TopDownBmpAndTopOriginTgaLoadTheRightWayUp) {
  const tilecvt::IndexedImage expected = Read(Input("wizard8.bmp"));

  Bytes bmp = Input("wizard8.bmp");
  const size_t offset = bmp[10] | bmp[11] << 8;
  const size_t width = 40, height = 48;
  Bytes topDown = bmp;
  for (size_t row = 0; row < height; ++row)
    std::copy_n(bmp.begin() + static_cast<std::ptrdiff_t>(offset + (height - 1 - row) * width),
                width, topDown.begin() + static_cast<std::ptrdiff_t>(offset + row * width));
  PutU32(topDown, 22, static_cast<uint32_t>(-48));
  EXPECT_EQ(Read(topDown).pixels, expected.pixels);

  Bytes tga = Input("wizard.tga");
  const tilecvt::IndexedImage bottomUp = Read(tga);
  const size_t data = 18 + tga[0] + (tga[5] | tga[6] << 8) * 3;
  Bytes topOrigin = tga;
  for (size_t row = 0; row < height; ++row)
    std::copy_n(tga.begin() + static_cast<std::ptrdiff_t>(data + (height - 1 - row) * width), width,
                topOrigin.begin() + static_cast<std::ptrdiff_t>(data + row * width));
  topOrigin[17] |= 0x20;
  EXPECT_EQ(Read(topOrigin).pixels, bottomUp.pixels);
}

TEST(ImageReader, ReleasedOnErrorAndLoadedFromDisk) {
  testsupport::TempDir dir;
  std::filesystem::create_directory(dir.path() / "sub");
  tilecvttest::CopyInput("sprite4.tim", dir.path() / "sub");
  tilecvt::IndexedImage image;
  EXPECT_EQ(tilecvt::LoadImage((dir.path() / "sub\\sprite4.tim").string(), image),
            ImageError::None);
  EXPECT_EQ(image.pixelCount(), 256u);
  EXPECT_EQ(tilecvt::LoadImage((dir.path() / "sub").string(), image), ImageError::FileNotFound);
  EXPECT_EQ(tilecvt::LoadImage((dir.path() / "sub/sprite4.tim").string(), image), ImageError::None);
  EXPECT_EQ(tilecvt::DecodeImage(Input("rle8.bmp"), image), ImageError::Compressed);
  EXPECT_EQ(image.pixelCount(), 0u);
  EXPECT_EQ(image.width, 0);
}

}  // namespace
