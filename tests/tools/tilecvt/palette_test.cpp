#include "tools/tilecvt/palette.h"

#include <gtest/gtest.h>

namespace {

using tilecvt::PaletteRecord;

tilecvt::IndexedImage ImageWith(std::vector<uint8_t> pixels,
                                std::vector<tilecvt::PaletteEntry> colours) {
  tilecvt::IndexedImage image;
  image.width = static_cast<int>(pixels.size());
  image.height = 1;
  image.pixels = std::move(pixels);
  image.colours = static_cast<int>(colours.size());
  std::copy(colours.begin(), colours.end(), image.palette.begin());
  return image;
}

// blue, green, red
const tilecvt::PaletteEntry kBlack{0, 0, 0}, kRed{0, 0, 255}, kGreen{0, 255, 0}, kBlue{255, 0, 0},
    kWhite{255, 255, 255};

PaletteRecord Loaded(const tilecvt::IndexedImage& image) {
  PaletteRecord palette;
  tilecvt::PreparePalette(palette);
  tilecvt::LoadFilePalette(palette, image);
  return palette;
}

struct Merged {
  tilecvt::CapturingConsole console;
  tilecvt::Report report{console};
  PaletteRecord master;
  Merged(int colourCount) { tilecvt::PrepareMasterPalette(master, colourCount); }
  bool add(tilecvt::IndexedImage& image, PaletteRecord& palette) {
    tilecvt::MarkUsed(palette, image);
    if (!tilecvt::MergePalette(palette, master, report)) return false;
    tilecvt::RemapPixels(image, palette);
    return true;
  }
};

TEST(Palette, ConsoleColoursDropTheLowBits) {
  EXPECT_EQ(tilecvt::ConsoleColour(255, 0, 0), 0x001F);
  EXPECT_EQ(tilecvt::ConsoleColour(0, 255, 0), 0x03E0);
  EXPECT_EQ(tilecvt::ConsoleColour(0, 0, 255), 0x7C00);
  EXPECT_EQ(tilecvt::ConsoleColour(7, 15, 23), 0x0820);
}

TEST(Palette, ImagesSharingTheirColoursFillTheMasterOnce) {
  Merged run(256);
  auto first = ImageWith({0, 1, 2, 1}, {kBlack, kRed, kGreen});
  auto second = ImageWith({0, 2, 1, 1}, {kWhite, kGreen, kRed});
  PaletteRecord a = Loaded(first), b = Loaded(second);
  ASSERT_TRUE(run.add(first, a));
  ASSERT_TRUE(run.add(second, b));
  EXPECT_EQ(tilecvt::CountUsed(run.master), 3);  // entry 0 and the two shared colours
  EXPECT_EQ(first.pixels, (std::vector<uint8_t>{0, 1, 2, 1}));
  EXPECT_EQ(second.pixels, (std::vector<uint8_t>{0, 1, 2, 2}));
  // Entry 0 of an image never reaches the master; the driver gives the master
  // the last image's entry 0 at the end.
  EXPECT_EQ(run.master.colours[0], tilecvt::kUnsetColour);
}

TEST(Palette, MasterOverflowStopsWithItsMessage) {
  Merged run(16);
  std::vector<tilecvt::PaletteEntry> colours(17);
  std::vector<uint8_t> pixels(17);
  for (uint8_t i = 0; i < 17; ++i) {
    colours[i] = {static_cast<uint8_t>(i * 8), 0, 0};
    pixels[i] = i;
  }
  auto image = ImageWith(pixels, colours);
  PaletteRecord palette = Loaded(image);
  EXPECT_EQ(tilecvt::MarkUsed(palette, image), 17);
  ASSERT_TRUE(tilecvt::MergePalette(palette, run.master, run.report));
  EXPECT_EQ(tilecvt::CountUsed(run.master), 17);  // the driver reports "exceeds max. color count"

  Merged full(256);
  std::vector<tilecvt::PaletteEntry> many(256);
  std::vector<uint8_t> all(256);
  for (int i = 0; i < 256; ++i) {
    many[static_cast<size_t>(i)] = {static_cast<uint8_t>((i & 31) << 3),
                                    static_cast<uint8_t>((i >> 5) << 3), 8};
    all[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
  }
  auto big = ImageWith(all, many);
  PaletteRecord bigPalette = Loaded(big);
  ASSERT_TRUE(full.add(big, bigPalette));
  auto more = ImageWith({0, 1, 2}, {kBlack, {1, 2, 200}, {3, 4, 200}});
  PaletteRecord morePalette = Loaded(more);
  EXPECT_FALSE(full.add(more, morePalette));
  EXPECT_EQ(tilecvt::CountUsed(full.master), 256);
  EXPECT_EQ(full.console.err, "***ERROR: need 3 free colors, only 0 available!\n");
}

TEST(Palette, TransparentColourBecomesIndexZeroAndEveryPixelKeepsItsColour) {
  Merged run(256);
  auto image = ImageWith({0, 1, 2, 3, 2}, {kBlack, kRed, kGreen, kBlue});
  PaletteRecord palette = Loaded(image);
  tilecvt::ApplyTransparentColour(image, palette, 2);
  EXPECT_EQ(image.pixels, (std::vector<uint8_t>{2, 1, 0, 3, 0}));
  ASSERT_TRUE(run.add(image, palette));
  run.master.colours[0] = palette.colours[0];  // as the driver does after the last image
  const std::vector<uint16_t> expected = {0x0000, 0x001F, 0x03E0, 0x7C00, 0x03E0};
  const std::vector<uint8_t> original = {0, 1, 2, 3, 2};
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    EXPECT_EQ(run.master.colours[image.pixels[i]], expected[i]) << i;
    EXPECT_EQ(image.pixels[i] == 0, original[i] == 2) << i;
  }
}

TEST(Palette, ColourOffsetSparesIndexZeroUnlessForced) {
  auto image = ImageWith({0, 1, 255}, {});
  tilecvt::AddColourOffset(image, 16, false);
  EXPECT_EQ(image.pixels, (std::vector<uint8_t>{0, 17, 15}));
  tilecvt::AddColourOffset(image, 16, true);
  EXPECT_EQ(image.pixels, (std::vector<uint8_t>{16, 33, 31}));
}

}  // namespace
