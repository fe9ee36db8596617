// The demo project runs in batch mode as `make run` runs it without a
// display, on a copy of its folder: its script converts every picture.
#include "batch_fixture.h"

using scripttest::BatchFixture;

namespace {

class DemoProject : public BatchFixture {};

}  // namespace

TEST_F(DemoProject, BatchModeConvertsItsPicturesIntoElements) {
  std::filesystem::path demo = testsupport::DataPath("../../examples/demo");
  ASSERT_TRUE(std::filesystem::exists(demo / "demo.tpj"));
  std::filesystem::copy(demo, dir.path(), std::filesystem::copy_options::recursive);
  ASSERT_EQ(Run("demo.tpj", "inclure \"demo.spt\""), 0);

  // Two message boxes and nothing else: the demo's greeting and the welcome.
  ASSERT_EQ(dialogs.entries().size(), 2u) << dialogs.entries().back().text;
  EXPECT_EQ(dialogs.entries()[1].text, "Bienvenue dans la démo de Tessel Works.");
  for (std::string_view file :
       {"gfx/hero.til.c", "gfx/hero.pal.c", "gfx/hero.map.c", "gfx/decor.til.c", "gfx/decor.pal.c",
        "gfx/decor.map.c", "gfx/ciel.bmp.c", "gfx/pierres.til.c", "gfx/pierres.pal.c",
        "gfx/pierres.map.c"})
    EXPECT_TRUE(std::filesystem::exists(dir.path() / file)) << file;
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "gfx/ciel.pal.c"));  // 15 bits: no palette

  std::string saved = this->saved("demo.tpj");
  EXPECT_NE(saved.find("  Elément: hero\n  Type: tileset\n  Fichier: gfx/hero.til.c\n"
                       "  Base: gfx/hero.png\n  Dossier: Graphismes\n"),
            std::string::npos);
  EXPECT_NE(saved.find("  Elément: decor\n  Type: carte\n  Fichier: gfx/decor.map.c\n"
                       "  Base: gfx/decor.png\n  Dossier: Niveaux\n"),
            std::string::npos);
  EXPECT_NE(saved.find("  Elément: pierres\n  Type: palette\n"), std::string::npos);
  EXPECT_NE(saved.find("  Elément: ciel\n  Type: bitmap\n"), std::string::npos);
  // The demo's settings are kept by the project.
  EXPECT_NE(saved.find("  system.MemoireMax = 64 Mo\n"), std::string::npos);
  EXPECT_NE(saved.find("  convert.nuances = 32\n"), std::string::npos);
  EXPECT_NE(saved.find("  DossierDéf[4] = \"Graphismes\"\n"), std::string::npos);

  // The scenery's repeated bricks and ground are merged: 64 × 64 pixels hold
  // 64 cells but far fewer tiles.
  std::string tiles = testsupport::ReadFile(dir.path() / "gfx/decor.til.c");
  size_t size = tiles.find("//Taille: 8*8*");
  ASSERT_NE(size, std::string::npos);
  EXPECT_LT(std::stoi(tiles.substr(size + 14)), 20);
}
