// The session section of the project file: every setting written as the
// statement that sets it, and read back by running the section.
#include <sstream>

#include "batch_fixture.h"
#include "project/project_file.h"

using scripttest::BatchFixture;

namespace {

// The session section of a saved project, with the directory line (which
// depends on where the test runs) given a fixed value.
std::string InfosSection(const std::string& file) {
  size_t start = file.find(" .section infos\n");
  size_t end = file.find("\n  Fin\n", start);
  if (start == std::string::npos || end == std::string::npos) return "(no infos section)";
  std::string section = file.substr(start, end + 7 - start);
  const std::string key = "  Répertoire = \"";
  size_t dirStart = section.find(key);
  if (dirStart == std::string::npos) return section;
  size_t valueStart = dirStart + key.size();
  size_t dirEnd = section.find("\"\n", valueStart);
  if (dirEnd != std::string::npos) section.replace(valueStart, dirEnd - valueStart, "<dossier>");
  return section;
}

class SessionSettings : public BatchFixture {};

}  // namespace

TEST_F(SessionSettings, StartValuesWriteExactlyTheAlwaysWrittenLines) {
  ASSERT_EQ(Run("defauts.tpj", "fin"), 0);
  std::string expected = platform::DecodeTextFile(
      testsupport::ReadFile(testsupport::DataPath("script/default_infos.txt")));
  EXPECT_EQ(InfosSection(saved("defauts.tpj")), expected);
  EXPECT_TRUE(dialogs.entries().empty());
}

TEST_F(SessionSettings, GammaIsWrittenAsTheUserGaveIt) {
  ASSERT_EQ(Run("gamma.tpj", "convert.luminosite gamma=2 add=-12.5 alpha=rgb(1,2,3)"), 0);
  EXPECT_NE(saved("gamma.tpj")
                .find("  convert.luminosite   GAMMA=RGB(2.000,2.000,2.000)  "
                      "ADD=RGB(-12.5,-12.5,-12.5)  ALPHA=RGB(1.0,2.0,3.0)\n"),
            std::string::npos);
}

TEST_F(SessionSettings, EverySettingChangedByAStatementComesBackFromTheFile) {
  const std::string statements =
      "convert.couleurmasque RGB(10,20,30); convert.luminosite gamma=rgb(1.5,2,0.8) add=5 "
      "alpha=-40; convert.mode tramé; system.sauverparamsmaps faux; "
      "system.sauverparamsmapsauto vrai; system.objetsmax 77; editeur.timing 250; "
      "system.memoiremax 192 ko; system.selectionformatauto faux; convert.nuances 64; "
      "convert.nuancesavant vrai; convert.tronquer vrai; convert.utilmaxcoul vrai; "
      "convert.precisionmax 300; system.emulgba vrai; convert.colorisation 1200; "
      "convert.reducpalrapide faux; convert.reducpalpost faux; dossierdéf[8] = \"Listes\"; "
      "aideperso = \"aide.htm\"; script = \"outils.spt\"";
  ASSERT_EQ(Run("reglages.tpj", statements), 0);
  std::string first = saved("reglages.tpj");
  EXPECT_NE(first.find("  system.MemoireMax = 192 ko\n"), std::string::npos);
  EXPECT_NE(first.find("  convert.nuances = 64\n"), std::string::npos);
  EXPECT_NE(first.find("  system.sauverParamsMaps = faux\n"), std::string::npos);

  // A fresh start reads them back; saving again writes the same section.
  ASSERT_EQ(Run("reglages.tpj", "fin"), 0);
  const convert::ConversionSettings& c = w->conversion;
  EXPECT_EQ(c.maskColour, (convert::Rgb{10, 20, 30}));
  EXPECT_NEAR(c.gammaExponent[0], 1 / 1.5, 1e-3);
  EXPECT_DOUBLE_EQ(c.gammaExponent[1], 0.5);
  EXPECT_NEAR(c.gammaExponent[2], 1 / 0.8, 1e-3);
  EXPECT_DOUBLE_EQ(c.addition[2], 5.0);
  EXPECT_DOUBLE_EQ(c.towardsWhite[0], -40.0);
  EXPECT_EQ(c.method, convert::ReductionMethod::Halftone);
  EXPECT_EQ(w->system.saveMapSettings, 0);
  EXPECT_EQ(w->system.saveMapSettingsAuto, 1);
  EXPECT_EQ(w->system.maxObjects, 77);
  EXPECT_EQ(w->editor.timing, 250);
  EXPECT_EQ(w->system.maxPreviewMemory, 196609u);
  EXPECT_EQ(w->system.autoFormatSelection, 0);
  EXPECT_EQ(c.shadesMinusOne, 63);
  EXPECT_TRUE(c.shadesBefore);
  EXPECT_TRUE(c.truncate);
  EXPECT_EQ(c.useMaxColours, 1);
  EXPECT_EQ(c.maxPrecision, 300);
  EXPECT_EQ(w->system.emulGba, 1);
  EXPECT_EQ(c.colorisation, 1200);
  EXPECT_EQ(c.fastPaletteReduction, 0);
  EXPECT_EQ(c.paletteReductionPost, 0);
  EXPECT_EQ(w->project.defaultFolder(7), "Listes");
  EXPECT_EQ(w->paths.userHelpPath, "aide.htm");
  EXPECT_EQ(w->paths.scriptPath, "outils.spt");
  EXPECT_EQ(InfosSection(saved("reglages.tpj")), InfosSection(first));
  EXPECT_TRUE(dialogs.entries().empty()) << dialogs.entries().front().text;
}

TEST_F(SessionSettings, SettingsBackAtTheirStartValuesAreNoLongerWritten) {
  ASSERT_EQ(Run("retour.tpj", "system.objetsmax 5; convert.nuances 8"), 0);
  ASSERT_EQ(Run("retour.tpj", "system.objetsmax 1024; convert.shades 256"), 0);
  std::string saved = this->saved("retour.tpj");
  EXPECT_EQ(saved.find("objetsMax"), std::string::npos);
  EXPECT_EQ(saved.find("nuances"), std::string::npos);
}

TEST_F(SessionSettings, RefinedMethodAndItsDitherComeBackFromTheFile) {
  ASSERT_EQ(Run("affine.tpj", "convert.mode affiné; convert.refineddither vrai"), 0);
  const std::string first = saved("affine.tpj");
  EXPECT_NE(first.find("  convert.mode = 3\n"), std::string::npos);
  EXPECT_NE(first.find("  convert.tramageAffine = vrai\n"), std::string::npos);
  ASSERT_EQ(Run("affine.tpj", "fin"), 0);
  EXPECT_EQ(w->conversion.method, convert::ReductionMethod::Refined);
  EXPECT_EQ(w->conversion.refinedDither, 1);
  EXPECT_EQ(InfosSection(saved("affine.tpj")), InfosSection(first));
  EXPECT_TRUE(dialogs.entries().empty()) << dialogs.entries().front().text;
}
