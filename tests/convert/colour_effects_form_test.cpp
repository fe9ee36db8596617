#include "convert/colour_effects_form.h"

#include <gtest/gtest.h>

#include "convert/colour_tables.h"
#include "convert/gba_modes.h"

using namespace convert;

namespace {

class ColourEffectsFormText : public ::testing::Test {
 protected:
  void store(const ColourEffectsForm& form) {
    StoreColourEffectsForm(form, settings, &kGbaColourModes[1], tables);
  }
  using Triple = std::array<double, 3>;
  ConversionSettings settings;
  ColourTables tables;
};

TEST_F(ColourEffectsFormText, OkStoresValidFieldsForAllChannelsAndRebuilds) {
  settings.gammaExponent = {1.0, 0.25, 1.0};
  ColourEffectsForm form = FillColourEffectsForm(settings);
  EXPECT_EQ(form.gamma, "4.00");  // the green channel's gamma
  form.gamma = "2";
  form.addition = "-255";
  form.towardsWhite = "12";
  form.shades = "16";
  form.shadesBefore = true;
  form.method = 2;
  form.maskColour = {1, 2, 3};
  store(form);
  EXPECT_EQ(settings.gammaExponent, (Triple{0.5, 0.5, 0.5}));
  EXPECT_EQ(settings.addition, (Triple{-255, -255, -255}));
  EXPECT_EQ(settings.towardsWhite, (Triple{12, 12, 12}));
  EXPECT_EQ(settings.shadesMinusOne, 15);
  EXPECT_TRUE(settings.shadesBefore);
  EXPECT_EQ(settings.method, ReductionMethod::Optimal);
  EXPECT_EQ(settings.maskColour, (Rgb{1, 2, 3}));
  EXPECT_TRUE(tables.built);
  EXPECT_EQ(tables.red[255], 0);  // −255 added: black everywhere
}

TEST_F(ColourEffectsFormText, OutOfRangeFieldsLeaveTheirSettingsAndShadesFallBackTo256) {
  settings.gammaExponent = {0.5, 0.5, 0.5};
  settings.addition = {7, 7, 7};
  settings.towardsWhite = {-3, -3, -3};
  settings.shadesMinusOne = 31;
  ColourEffectsForm form = FillColourEffectsForm(settings);
  EXPECT_EQ(form.addition, "7");
  EXPECT_EQ(form.shades, "32");
  for (const char* shades : {"1", "300", "", "abc"}) {
    form.gamma = "0";
    form.addition = "256";
    form.towardsWhite = "-300";
    form.shades = shades;
    store(form);
    EXPECT_EQ(settings.gammaExponent, (Triple{0.5, 0.5, 0.5}));
    EXPECT_EQ(settings.addition, (Triple{7, 7, 7}));
    EXPECT_EQ(settings.towardsWhite, (Triple{-3, -3, -3}));
    EXPECT_EQ(settings.shadesMinusOne, 255) << shades;
  }
  form.gamma = "-1";
  form.addition = "x";  // not a number: left as it was rather than read as 0
  store(form);
  EXPECT_EQ(settings.gammaExponent, (Triple{0.5, 0.5, 0.5}));
  EXPECT_EQ(settings.addition, (Triple{7, 7, 7}));
}

TEST_F(ColourEffectsFormText, DefaultsResetTheEffectsButNotTheMaskColour) {
  ColourEffectsForm form;
  form.maskColour = {9, 8, 7};
  form.gamma = "3.00";
  form.addition = "5";
  form.towardsWhite = "5";
  form.shades = "4";
  form.method = 1;
  ResetColourEffectsForm(form);
  EXPECT_EQ(form.gamma, "1.00");
  EXPECT_EQ(form.addition, "0");
  EXPECT_EQ(form.towardsWhite, "0");
  EXPECT_EQ(form.shades, "256");
  EXPECT_EQ(form.method, 0);
  EXPECT_EQ(form.maskColour, (Rgb{9, 8, 7}));
  EXPECT_EQ(kReductionMethodNames[1], "Tramé");
  // The script's RGB(255,0,254) is the default mask colour.
  EXPECT_EQ(RgbFromValue(255 + 254 * 65536), ConversionSettings{}.maskColour);
  EXPECT_EQ(RgbValue(Rgb{1, 2, 3}), 0x030201u);
}

TEST(ColourEffectsSliders, GammaFieldShowsHundredthsOfTheSliderPosition) {
  EXPECT_EQ(GammaFieldText(100), "1.00");
  EXPECT_EQ(GammaFieldText(5), "0.05");
  EXPECT_EQ(GammaFieldText(0), "0.00");
  EXPECT_EQ(GammaFieldText(250), "2.50");
  EXPECT_EQ(GammaSliderRange(1.0).maximum, 300);
  EXPECT_EQ(GammaSliderRange(4.5).maximum, 450);
  EXPECT_EQ(GammaSliderPositionFromField("1.15", {0, 300}), 115);
  EXPECT_EQ(GammaSliderPositionFromField("9", {0, 300}), 300);
  EXPECT_EQ(GammaSliderPositionFromField("junk", {0, 300}), 0);
  EXPECT_EQ(IntegerSliderPositionFromField(" -40", kEffectSliderRange), -40);
  EXPECT_EQ(IntegerSliderPositionFromField("999999999999", kEffectSliderRange), 255);
  EXPECT_EQ(IntegerSliderPositionFromField("1", kShadesSliderRange), 2);
  EXPECT_EQ(ReadFieldInteger("12.7"), 12);
  EXPECT_FALSE(ReadFieldInteger("-").has_value());
}

}  // namespace
