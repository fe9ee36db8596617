#include "convert/colour_tables.h"

#include <gtest/gtest.h>

#include "convert/conversion_settings.h"
#include "convert/gba_modes.h"

using namespace convert;

namespace {

const ColourMode& kConsole = kGbaColourModes[1];  // 5 bits per channel
const ColourMode& kRgba = kGbaColourModes[3];     // 8 bits per channel

ColourTables Build(const ConversionSettings& s, const ColourMode& mode = kConsole) {
  ColourTables t;
  EXPECT_TRUE(RebuildColourTables(s, &mode, t));
  return t;
}

TEST(ColourTables, DefaultsTruncateToTheChannelBits) {
  ConversionSettings s;
  ColourTables t = Build(s);
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(t.red[i], i >> 3) << i;
    EXPECT_EQ(t.green[i], i >> 3) << i;
    EXPECT_EQ(t.blue[i], i >> 3) << i;
  }
  ColourTables wide = Build(s, kRgba);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(wide.green[i], i);
}

TEST(ColourTables, GammaTwoLiftsTheMidTones) {
  ConversionSettings s;
  s.gammaExponent = {0.5, 0.5, 0.5};
  ColourTables t = Build(s);
  EXPECT_EQ(t.red[64], 16);  // plain truncation would give 8
  EXPECT_EQ(t.red[0], 0);
  EXPECT_EQ(t.red[255], 31);
  // Channels are independent.
  s.gammaExponent = {1.0, 0.5, 2.0};
  t = Build(s);
  EXPECT_EQ(t.red[64], 8);
  EXPECT_EQ(t.green[64], 16);
  EXPECT_EQ(t.blue[64], 2);  // (64/255)² × 255 + 0.5 = 16.56 → 16 / 8
}

TEST(ColourTables, TowardsWhiteAndBlackAtTheExtremes) {
  ConversionSettings s;
  s.towardsWhite = {255, -255, 0};
  ColourTables t = Build(s);
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(t.red[i], 31) << i;
    EXPECT_EQ(t.green[i], 0) << i;
  }
  s = {};
  s.addition = {255, 255, 255};
  t = Build(s);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(t.blue[i], 31) << i;
  s.addition = {-255, -255, -255};  // below 0 is held at 0
  t = Build(s);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(t.blue[i], 0) << i;
}

TEST(ColourTables, TwoShadesAfterOrBeforeTheEffects) {
  ConversionSettings s;
  s.shadesMinusOne = 1;
  ColourTables after = Build(s);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(after.red[i], i < 128 ? 0 : 16) << i;
  s.shadesBefore = true;
  ColourTables before = Build(s);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(before.red[i], i < 128 ? 0 : 16) << i;
  // Shades first: 0 and 128 are what the effects then see. Halfway to white
  // they become 128 and 192, levels 16 and 24; after the effects both fall
  // in the upper shade.
  s.towardsWhite = {127.5, 127.5, 127.5};
  before = Build(s);
  EXPECT_EQ(before.red[0], 16);
  EXPECT_EQ(before.red[200], 24);
  s.shadesBefore = false;
  after = Build(s);
  EXPECT_EQ(after.red[0], 16);
  EXPECT_EQ(after.red[200], 16);
}

TEST(ColourTables, EightBitChannelsShowTheEffectsExactly) {
  ConversionSettings s;
  // Negative values scale towards black: (255 − 127.5) / 255 of each value.
  s.towardsWhite = {-127.5, 127.5, 0};
  ColourTables t = Build(s, kRgba);
  EXPECT_EQ(t.red[255], 128);
  EXPECT_EQ(t.red[100], 50);
  EXPECT_EQ(t.green[0], 128);  // positive values move towards white
  EXPECT_EQ(t.green[255], 255);
  // Two shades first: the effects see exactly 0 and 128.
  s = {};
  s.shadesMinusOne = 1;
  s.shadesBefore = true;
  t = Build(s, kRgba);
  EXPECT_EQ(t.blue[127], 0);
  EXPECT_EQ(t.blue[128], 128);
  EXPECT_EQ(t.blue[255], 128);
}

TEST(ColourTables, WithoutAColourModeTheTablesStayAsTheyAre) {
  ConversionSettings s;
  ColourTables t = Build(s);
  s.addition = {255, 255, 255};
  EXPECT_FALSE(RebuildColourTables(s, nullptr, t));
  EXPECT_EQ(t.red[0], 0);
}

TEST(ColourTables, ExtremeSettingsStillGiveLevelsInRange) {
  ConversionSettings s;
  s.gammaExponent = {-2.0, 1e300, 0.0};
  s.addition = {1e308, -1e308, 0};
  s.shadesMinusOne = -5;
  ColourTables t = Build(s);
  for (int i = 0; i < 256; ++i) {
    EXPECT_LE(t.red[i], 31);
    EXPECT_LE(t.green[i], 31);
    EXPECT_LE(t.blue[i], 31);
  }
}

void HalveRed(uint8_t& red, uint8_t&, uint8_t&) { red = static_cast<uint8_t>(red / 2); }

TEST(ColourTables, ConvertingAColourAppliesTheTablesThenTheModeHook) {
  ConversionSettings s;
  ColourTables t = Build(s);
  EXPECT_EQ(ConvertColour(t, kConsole, 255, 128, 7), MakePixel(31, 16, 0, 255));
  ColourMode hooked = kConsole;
  hooked.perColourHook = HalveRed;
  EXPECT_EQ(ConvertColour(t, hooked, 255, 128, 7, 0), MakePixel(15, 16, 0, 0));
}

}  // namespace
