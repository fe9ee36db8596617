#include "convert/bitmap_conversion.h"

#include <gtest/gtest.h>

#include "convert/conversion_messages.h"
#include "engine_fixture.h"

using namespace convert;
using namespace converttest;

namespace {

// Four colours in a row, then the same four again.
std::vector<uint32_t> FourColours() {
  return {Opaque(31, 0, 0), Opaque(0, 31, 0), Opaque(0, 0, 31), Opaque(9, 9, 9),
          Opaque(31, 0, 0), Opaque(0, 31, 0), Opaque(0, 0, 31), Opaque(9, 9, 9)};
}

}  // namespace

TEST(BitmapConversion, ExactlyTheRequestedColoursConvertOnTheFirstPassWithoutAQuestion) {
  Engine e(kMode8);
  e.picture(4, 2, FourColours());
  ASSERT_TRUE(ConvertBitmap(e.bitmapJobFor(5), e.context()));
  EXPECT_TRUE(e.dialogs.entries().empty());
  EXPECT_EQ(e.writers.order(), (std::vector<std::string>{"bitmap", "palette"}));
  EXPECT_EQ(e.written("bitmap").values, (std::vector<uint32_t>{1, 2, 3, 4, 1, 2, 3, 4}));
  EXPECT_EQ(e.written("bitmap").linked, "pal");
  EXPECT_EQ(e.written("palette").values,
            (std::vector<uint32_t>{MakePixel(0, 0, 0, 0), Level(31, 0, 0), Level(0, 31, 0),
                                   Level(0, 0, 31), Level(9, 9, 9)}));
}

TEST(BitmapConversion, TooManyColoursAskTheQuestionAndCancelWritesNothing) {
  Engine e(kMode8);
  e.picture(4, 2, FourColours());
  e.dialogs.queueAnswer(platform::Answer::Cancel);
  EXPECT_FALSE(ConvertBitmap(e.bitmapJobFor(4), e.context()));
  ASSERT_EQ(e.dialogs.entries().size(), 1u);
  EXPECT_TRUE(e.dialogs.entries()[0].isQuestion);
  EXPECT_EQ(e.dialogs.entries()[0].text, kBitmapFilterQuestion.text);
  EXPECT_EQ(e.dialogs.entries()[0].caption, "Question");
  EXPECT_EQ(e.dialogs.entries()[0].buttons, platform::Buttons::OkCancel);
  EXPECT_TRUE(e.writers.calls.empty());
}

TEST(BitmapConversion, WithMessagesOffTheFilterRunsWithoutAsking) {
  Engine e(kMode8);
  e.messages = false;
  // (9,9,9) and (10,10,10) merge first: the search keeps the largest count
  // that fits, three colours.
  e.picture(4, 1, {Opaque(31, 0, 0), Opaque(0, 31, 0), Opaque(9, 9, 9), Opaque(10, 10, 10)});
  ASSERT_TRUE(ConvertBitmap(e.bitmapJobFor(4), e.context()));
  EXPECT_TRUE(e.dialogs.entries().empty());
  const auto& palette = e.written("palette").values;
  ASSERT_EQ(palette.size(), 4u);
  EXPECT_EQ(e.written("bitmap").values, (std::vector<uint32_t>{1, 2, 3, 3}));
  EXPECT_EQ(palette[3], Level(9, 9, 9));
}

TEST(BitmapConversion, UseMaximumColoursReportsTheMaximum) {
  Engine e(kMode8);
  e.settings.useMaxColours = 1;
  e.picture(4, 2, FourColours());
  ASSERT_TRUE(ConvertBitmap(e.bitmapJobFor(16), e.context()));
  const auto& palette = e.written("palette").values;
  ASSERT_EQ(palette.size(), 16u);
  for (size_t i = 5; i < 16; ++i) EXPECT_EQ(palette[i], 0u);
}

TEST(BitmapConversion, TransparentPixelsTakeIndexZeroWhoseZeroColourIsTransparent) {
  Engine e(kMode8);
  e.settings.zeroColour = {31, 0, 31};
  e.picture(3, 1, {0u, Opaque(0, 0, 0), 0u});
  ASSERT_TRUE(ConvertBitmap(e.bitmapJobFor(256), e.context()));
  EXPECT_EQ(e.written("bitmap").values, (std::vector<uint32_t>{0, 1, 0}));
  const auto& palette = e.written("palette").values;
  ASSERT_EQ(palette.size(), 2u);
  EXPECT_EQ(ConsoleColour(palette[0]), 0x8000 | 31 << 10 | 31);  // bit 15: transparent
  EXPECT_EQ(ConsoleColour(palette[1]), 0);                       // opaque black
}

TEST(BitmapConversion, AFullyTransparentPictureCannotReachOneColour) {
  Engine e(kMode8);
  e.picture(2, 1, {0u, 0u});
  EXPECT_FALSE(ConvertBitmap(e.bitmapJobFor(16), e.context()));
  ASSERT_EQ(e.dialogs.entries().size(), 1u);
  EXPECT_EQ(e.dialogs.entries()[0].text, kColoursUnreachable.text);
  EXPECT_EQ(e.dialogs.entries()[0].caption, "Oups...");
  EXPECT_TRUE(e.writers.calls.empty());
}

TEST(BitmapConversion, ColoursOutOfReachOfTheMaximumPrecisionEndWithTheMessage) {
  Engine e(kMode8);
  e.settings.maxPrecision = 2;
  // Two colours far apart cannot merge within a tolerance of 2.
  e.picture(3, 1, {Opaque(0, 0, 0), Opaque(31, 31, 31), Opaque(16, 0, 0)});
  EXPECT_FALSE(ConvertBitmap(e.bitmapJobFor(2), e.context()));
  ASSERT_EQ(e.dialogs.entries().size(), 2u);
  EXPECT_TRUE(e.dialogs.entries()[0].isQuestion);
  EXPECT_EQ(e.dialogs.entries()[1].text, kColoursUnreachable.text);
  EXPECT_TRUE(e.writers.calls.empty());
}

TEST(BitmapConversion, HalftoneGivesTwoHundredAndFiftySixEntries) {
  Engine e(kMode8);
  e.settings.method = ReductionMethod::Halftone;
  e.picture(2, 1, {0xFFFF0000u, 0u});
  ASSERT_TRUE(ConvertBitmap(e.bitmapJobFor(16), e.context()));
  const auto& palette = e.written("palette").values;
  ASSERT_EQ(palette.size(), 256u);
  EXPECT_EQ(PixelOpacity(palette[0]), 0);
  EXPECT_EQ(palette[1], Level(0, 0, 0));       // halftone entry 0
  EXPECT_EQ(palette[246], Level(31, 31, 31));  // halftone entry 245, white
  // Pure red is entry 180 of the halftone palette, index 181 here.
  EXPECT_EQ(e.written("bitmap").values, (std::vector<uint32_t>{181, 0}));
}

TEST(BitmapConversion, OptimalNeedsTwoFreeColours) {
  Engine e(kMode8);
  e.settings.method = ReductionMethod::Optimal;
  e.picture(4, 2, FourColours());
  EXPECT_FALSE(ConvertBitmap(e.bitmapJobFor(2), e.context()));
  ASSERT_EQ(e.dialogs.entries().size(), 1u);
  EXPECT_EQ(e.dialogs.entries()[0].text,
            "Le nombre de couleurs disponible est trop bas pour cette conversion.");
  EXPECT_EQ(e.dialogs.entries()[0].caption, "Erreur fatale");
  e.dialogs.clear();
  ASSERT_TRUE(ConvertBitmap(e.bitmapJobFor(5), e.context()));
  // Depth first, children ordered red × 4 + green × 2 + blue by the bit of
  // each level: grey (9 has bit 4 clear), blue, green, red.
  EXPECT_EQ(e.written("palette").values,
            (std::vector<uint32_t>{MakePixel(0, 0, 0, 0), Level(9, 9, 9), Level(0, 0, 31),
                                   Level(0, 31, 0), Level(31, 0, 0)}));
  EXPECT_EQ(e.written("bitmap").values, (std::vector<uint32_t>{4, 3, 2, 1, 4, 3, 2, 1}));
}

TEST(BitmapConversion, ExistingPaletteColoursComeFirstAndAreMatchedOnlyWhenReused) {
  Engine e(kMode8);
  e.picture(2, 1, {Opaque(5, 5, 5), Opaque(31, 0, 0)});
  // As the palette reader gives it: entry 0 cleared.
  const std::vector<ConvertedPixel> existing = {0, Level(5, 5, 5), Level(1, 1, 1)};
  ExistingPalette grey{existing, false};
  BitmapJob job = e.bitmapJobFor(256);
  job.existingPalette = &grey;
  ASSERT_TRUE(ConvertBitmap(job, e.context()));
  EXPECT_EQ(e.written("palette").values,
            (std::vector<uint32_t>{MakePixel(0, 0, 0, 0), Level(5, 5, 5), Level(1, 1, 1),
                                   Level(5, 5, 5), Level(31, 0, 0)}));
  EXPECT_EQ(e.written("bitmap").values, (std::vector<uint32_t>{3, 4}));

  e.writers.calls.clear();
  ExistingPalette reused{existing, true};
  job.existingPalette = &reused;
  ASSERT_TRUE(ConvertBitmap(job, e.context()));
  EXPECT_EQ(e.written("palette").values.size(), 4u);
  EXPECT_EQ(e.written("bitmap").values, (std::vector<uint32_t>{1, 3}));
}

TEST(BitmapConversion, DirectColourModesOnlyApplyTheColourTables) {
  Engine e(kMode15);
  e.picture(2, 1, {Opaque(3, 4, 5), 0u});
  ASSERT_TRUE(ConvertBitmap(e.bitmapJobFor(0), e.context()));
  EXPECT_EQ(e.writers.order(), std::vector<std::string>{"bitmap"});
  EXPECT_EQ(e.written("bitmap").values, (std::vector<uint32_t>{Level(3, 4, 5), 0u}));
  EXPECT_EQ(e.written("bitmap").bitsPerPixel, 15);
}

TEST(BitmapConversion, AWriterFailureFailsTheConversion) {
  Engine e(kMode8);
  e.picture(4, 2, FourColours());
  e.writers.failing = true;
  EXPECT_FALSE(ConvertBitmap(e.bitmapJobFor(16), e.context()));
  EXPECT_EQ(e.writers.order(), std::vector<std::string>{"bitmap"});
}
