#include "convert/lighting_argument.h"

#include <gtest/gtest.h>

#include "convert/colour_tables.h"
#include "convert/conversion_settings.h"
#include "convert/gba_modes.h"
#include "platform/recording_platform.h"

using namespace convert;

namespace {

constexpr const char* kCaption = "Erreur d'exécution du script";
constexpr const char* kUnknown =
    "Dans la fonction de convert.luminosite: le paramètre à régler n'est pas connu.\n"
    "Exemple: convert.luminosite GAMMA=RGB(1.0,1.3,1.0)";

class LightingArgument : public ::testing::Test {
 protected:
  bool set(std::string_view argument) {
    return SetLighting(argument, settings, &kGbaColourModes[1], tables, dialogs);
  }
  using Triple = std::array<double, 3>;

  ConversionSettings settings;
  ColourTables tables;
  platform::RecordingDialogs dialogs;
};

TEST_F(LightingArgument, GammaStoresTheReciprocalForAllThreeChannels) {
  EXPECT_TRUE(set("gamma=2"));
  EXPECT_EQ(settings.gammaExponent, (Triple{0.5, 0.5, 0.5}));
  EXPECT_TRUE(tables.built);
  EXPECT_EQ(tables.green[64], 16);  // the tables follow at once
  EXPECT_TRUE(dialogs.entries().empty());
}

TEST_F(LightingArgument, PercentagesAreOf255AndRgbTakesThreeValues) {
  EXPECT_TRUE(set("ALPHA = RGB(50%, 0, 100%)"));
  EXPECT_EQ(settings.towardsWhite, (Triple{127.5, 0, 255}));
  EXPECT_TRUE(set("add rgb 1.5 -2 3"));
  EXPECT_EQ(settings.addition, (Triple{1.5, -2, 3}));
  EXPECT_TRUE(set("add=rgb(4,5 6)"));
  EXPECT_EQ(settings.addition, (Triple{4, 5, 6}));
  EXPECT_TRUE(set("alpha=-40"));  // a signed number alone
  EXPECT_EQ(settings.towardsWhite, (Triple{-40, -40, -40}));
}

TEST_F(LightingArgument, ReadsTheLineTheProjectFileWrites) {
  EXPECT_TRUE(set("GAMMA=RGB(1.000,2.000,0.500)  ADD=RGB(10.0,0.0,-5.5)  ALPHA=RGB(0.0,1.0,2.0)"));
  EXPECT_EQ(settings.gammaExponent, (Triple{1.0, 0.5, 2.0}));
  EXPECT_EQ(settings.addition, (Triple{10, 0, -5.5}));
  EXPECT_EQ(settings.towardsWhite, (Triple{0, 1, 2}));
  // Keywords count by their first letters, whatever follows.
  EXPECT_TRUE(set("additive=3 gammas 4"));
  EXPECT_EQ(settings.addition, (Triple{3, 3, 3}));
  EXPECT_EQ(settings.gammaExponent, (Triple{0.25, 0.25, 0.25}));
}

TEST_F(LightingArgument, UnknownSettingStopsTheReadingButKeepsWhatCameBefore) {
  settings.addition = {0, 0, 0};
  EXPECT_FALSE(set("alpha=255 contrast=2 add=9"));
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text, kUnknown);
  EXPECT_EQ(dialogs.entries()[0].caption, kCaption);
  EXPECT_EQ(settings.towardsWhite, (Triple{255, 255, 255}));
  EXPECT_EQ(settings.addition, (Triple{0, 0, 0}));
  // Rebuilt all the same: every level is white.
  EXPECT_EQ(tables.red[0], 31);
}

TEST_F(LightingArgument, MalformedColourIsReportedWithTheTextFromThere) {
  EXPECT_FALSE(set("gamma = blue add=2"));
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text, "Erreur du système de couleurs, analysant: blue add=2");
  EXPECT_EQ(dialogs.entries()[0].caption, kCaption);
  EXPECT_EQ(settings.addition, (Triple{0, 0, 0}));
  dialogs.clear();
  EXPECT_FALSE(set("add=rgb(1,,3)"));
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text, "Erreur du système de couleurs, analysant: rgb(1,,3)");
  EXPECT_EQ(settings.addition, (Triple{0, 0, 0}));  // a half-read colour is not stored
  dialogs.clear();
  EXPECT_FALSE(set("add="));
  EXPECT_EQ(dialogs.entries()[0].text, "Erreur du système de couleurs, analysant: ");
}

TEST_F(LightingArgument, EmptyArgumentOnlyRebuildsTheTables) {
  settings.addition = {255, 255, 255};  // changed behind the tables' back
  EXPECT_TRUE(set("   "));
  EXPECT_TRUE(dialogs.entries().empty());
  EXPECT_EQ(tables.blue[0], 31);
}

TEST_F(LightingArgument, GammaOfZeroOrBelowLeavesThatChannelAlone) {
  EXPECT_TRUE(set("gamma=rgb(0, 2, -1)"));
  EXPECT_EQ(settings.gammaExponent, (Triple{1.0, 0.5, 1.0}));
}

// What is stored must come back from the project file's fixed decimals.
TEST_F(LightingArgument, HugeAndTinyValuesAreKeptWhereTheProjectFileCanWriteThem) {
  EXPECT_TRUE(set("add=1e308% alpha=rgb(-1e308%,2,3) gamma=rgb(1e308, 0.0001, 0.001)"));
  EXPECT_EQ(settings.addition, (Triple{1e6, 1e6, 1e6}));
  EXPECT_EQ(settings.towardsWhite, (Triple{-1e6, 2, 3}));
  EXPECT_EQ(settings.gammaExponent, (Triple{1e-6, 1000, 1000}));
  EXPECT_TRUE(tables.built);
}

TEST_F(LightingArgument, ArbitraryTextNeverReadsPastTheArgument) {
  const char* inputs[] = {
      "g",           "gamma",         "gamma=",          "gamma=rgb",          "gamma=rgb(",
      "gamma=rgb(1", "gamma=rgb(1,2", "gamma=rgb(1,2,3", "alpha=5%",           "add=.",
      "add=-",       "add=+.5",       "gamma=1e999",     "alpha=1e-999 add 3)"};
  for (const char* in : inputs) {
    std::string copy(in);  // exact-size buffer for the sanitizers
    set(copy);
  }
  EXPECT_EQ(settings.towardsWhite[0], 0.0);
  EXPECT_EQ(settings.addition[1], 3.0);
}

}  // namespace
