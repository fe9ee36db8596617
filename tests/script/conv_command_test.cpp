// The one-line conversion command: its items, the file names it derives,
// its messages, and the conversion itself from a statement, from the
// program's command line and through the import assistant.
#include <array>
#include <cstdlib>

#include "test_support/commands.h"
#include "batch_fixture.h"
#include "convert/image_saver.h"
#include "platform/text_lines.h"
#include "app/conv_items.h"
#include "script/interpreter.h"

using scripttest::BatchFixture;

namespace {

constexpr std::string_view kDebugCaption = "Débogage";

// 14 colours, every level a multiple of 8 so that it converts exactly.
constexpr std::array<uint32_t, 14> kColours{0x080808, 0xF80000, 0x00F800, 0x0000F8, 0xF8F800,
                                            0x00F8F8, 0x808080, 0x400000, 0x004000, 0x000040,
                                            0x884400, 0x448800, 0x004488, 0xF8F8F8};

// A 32 × 32 picture of four 16 × 16 tiles: the first and the last equal.
std::vector<uint32_t> HeroPixels() {
  std::vector<uint32_t> pixels(32 * 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      int tx = x / 16, ty = y / 16, px = x % 16, py = y % 16;
      size_t colour;
      if (tx == ty)
        colour = static_cast<size_t>((px / 4 + py / 4) % 8);
      else if (tx == 1)
        colour = static_cast<size_t>(8 + px / 8);
      else
        colour = static_cast<size_t>(10 + py / 4);
      pixels[static_cast<size_t>(y) * 32 + x] = kColours[colour];
    }
  return pixels;
}

void WriteHero(const std::string& path) {
  std::vector<uint32_t> pixels = HeroPixels();
  ASSERT_TRUE(convert::SaveImage({32, 32, pixels, {}}, path));
}

bool HaveGcc() { return testsupport::HaveProgram("gcc"); }
using testsupport::RunCommand;

class Conv : public BatchFixture {
 protected:
  Conv() { Run("projet.tpj", "fin"); }

  void statements(std::string text) {
    platform::TextLines lines(std::move(text));
    script::ExecuteScript(*w, lines);
  }

  app::ConvParameters items(std::string_view text) {
    app::ConvParameters p = app::ResetConvParameters(*w);
    app::ReadConvItems(*w, text, p);
    return p;
  }

  bool exists(std::string_view name) { return std::filesystem::exists(dir.path() / name); }

  // Names and kinds of the project's entries, in order.
  std::vector<std::string> entries() {
    std::vector<std::string> out;
    for (const project::EntryRecord& e : w->project.entries())
      out.push_back(e.name + ":" + std::to_string(e.kindCode()) + ":" + e.file);
    return out;
  }
};

}  // namespace

TEST_F(Conv, TheSourceNamesTheFilesOfTheKindChosenBeforeIt) {
  auto p = items("tset src=gfx/hero.png");
  EXPECT_EQ(p.kind, app::ConvKind::Tileset);
  EXPECT_EQ(p.source, "gfx/hero.png");
  EXPECT_EQ(p.destination, "gfx/hero.til.c");
  EXPECT_EQ(p.paletteFile, "gfx/hero.pal.c");
  EXPECT_EQ(p.mapFile, "gfx/hero.map.c");

  p = items("bmp src=ciel.v2.jpg");
  EXPECT_EQ(p.destination, "ciel.v2.bmp.c");
  EXPECT_EQ(p.paletteFile, "ciel.v2.pal.c");
  EXPECT_TRUE(p.mapFile.empty());

  // The kind comes too late: nothing is derived.
  p = items("src=x.bmp tset");
  EXPECT_EQ(p.source, "x.bmp");
  EXPECT_TRUE(p.destination.empty());
  EXPECT_TRUE(p.paletteFile.empty());
  EXPECT_TRUE(p.mapFile.empty());

  // `bmp=file` is a source and leaves the kind alone.
  p = items("tset bmp=fond.gif");
  EXPECT_EQ(p.kind, app::ConvKind::Tileset);
  EXPECT_EQ(p.source, "fond.gif");
  EXPECT_EQ(p.destination, "fond.til.c");
}

TEST_F(Conv, DestinationsPalettesMapsAndNames) {
  auto p = items("tset src=a.png dst=sortie/b map=c pal=d name=heros namemap=carte");
  EXPECT_EQ(p.destination, "sortie/b.til.c");
  EXPECT_EQ(p.mapFile, "c.map.c");
  EXPECT_EQ(p.paletteFile, "d.pal.c");
  EXPECT_EQ(p.tilesetName, "heros");
  EXPECT_EQ(p.paletteName, "heros");
  EXPECT_EQ(p.bitmapName, "heros");
  EXPECT_EQ(p.mapName, "carte");

  p = items("bmp til=image pal=\"mes palettes/p\" map=m");
  EXPECT_EQ(p.destination, "image.bmp.c");
  EXPECT_EQ(p.paletteFile, "mes palettes/p.pal.c");
  EXPECT_EQ(p.mapFile, "m");  // the extension only for tilesets

  p = items("b8 pal=brut");
  EXPECT_EQ(p.kind, app::ConvKind::Bitmap8);
  EXPECT_EQ(p.paletteFile, "brut");
}

TEST_F(Conv, FlagsTakeTheirPrefixAndEveryCallStartsAfresh) {
  auto p = items("-txt !gmap opt +16c upal=base !util=decor");
  EXPECT_EQ(p.textMap, 0);
  EXPECT_EQ(p.generateMap, 2);
  EXPECT_EQ(p.optimise, 1);  // no prefix: unchanged
  EXPECT_EQ(p.sixteenColours, 1);
  EXPECT_EQ(p.colourMode, 0);    // the 4-bit mode
  EXPECT_EQ(p.colourCount, 15);  // its default count
  EXPECT_EQ(p.usePalette, "base");
  EXPECT_EQ(p.usePaletteState, app::kExistingReused);
  EXPECT_EQ(p.useTileset, "decor");
  EXPECT_EQ(p.useTilesetState, app::kExistingAppended);

  // A colour count given is kept by the mode's default.
  p = items("col=16 +16c");
  EXPECT_EQ(p.colourCount, 16);
  p = items("-16c");
  EXPECT_EQ(p.colourMode, 1);
  EXPECT_EQ(p.colourCount, 255);

  p = items("");
  EXPECT_EQ(p.kind, app::ConvKind::None);
  EXPECT_EQ(p.colourCount, 255);
  EXPECT_EQ(p.textMap, 1);
  EXPECT_EQ(p.generateMap, 1);
  EXPECT_EQ(p.colourMode, 1);
  EXPECT_TRUE(dialogs.entries().empty());
}

TEST_F(Conv, AnUnknownItemIsReportedAndSkipped) {
  auto p = items("tset couleurs=16 src=a.png +zz");
  EXPECT_EQ(p.destination, "a.til.c");
  ASSERT_EQ(dialogs.entries().size(), 2u);
  EXPECT_EQ(dialogs.entries()[0].text, "Identificateur de conversion non-reconnu: couleurs");
  EXPECT_EQ(dialogs.entries()[0].caption, kDebugCaption);
  EXPECT_EQ(dialogs.entries()[0].icon, platform::Icon::None);
  EXPECT_EQ(dialogs.entries()[1].text, "Identificateur de conversion non-reconnu: zz");
}

TEST_F(Conv, ASourceWithoutExtensionTakesTheFirstExistingPicture) {
  testsupport::WriteFile(dir.path() / "perso.gif", "x");
  testsupport::WriteFile(dir.path() / "perso.png", "x");
  EXPECT_EQ(items("tset src=perso").source, "perso.png");
  auto p = items("tset src=absent");
  EXPECT_EQ(p.source, "absent.bmp");
  EXPECT_EQ(p.destination, "absent.til.c");
}

TEST_F(Conv, SizeAndElementChecksReportInTheDebugBox) {
  WriteHero(dir.file("hero.png"));
  dialogs.clear();
  statements(
      "conv tset src=hero.png tdim=12x8\n"
      "conv tset src=hero.png tdim=8x136\n"
      "conv tset src=hero.png tdim=0x8\n"
      "conv tset src=hero.png mdim=-8x16\n"
      "conv tset src=hero.png upal=inconnue\n"
      "conv tset src=hero.png util=inconnu\n");
  EXPECT_EQ(dialogs.texts(),
            (std::vector<std::string>{
                "Erreur sur les dimensions du tileset (multiple de 8 et inférieur à 128)",
                "Erreur sur les dimensions du tileset (multiple de 8 et inférieur à 128)",
                "Erreur sur les dimensions du tileset (multiple de 8 et inférieur à 128)",
                "Dimensions de la map négatives", "Erreur -> TrouveElement(TYPE_PALETTE,chneUPal)",
                "Erreur -> TrouveElement(TYPE_MOSAIQUE,chneUTil)"}));
  for (const auto& e : dialogs.entries()) {
    EXPECT_EQ(e.caption, kDebugCaption);
    EXPECT_EQ(e.icon, platform::Icon::None);
  }
  EXPECT_FALSE(exists("hero.til.c"));
  EXPECT_EQ(w->project.count(), 0u);

  // A colour count beyond the mode converts nothing, silently.
  dialogs.clear();
  statements("conv tset src=hero.png col=257\nconv tset src=hero.png col=0\n");
  EXPECT_TRUE(dialogs.entries().empty());
  EXPECT_FALSE(exists("hero.til.c"));
}

TEST_F(Conv, ATilesetConversionWritesCompilableFilesAndAddsItsElements) {
  WriteHero(dir.file("hero.png"));
  statements("conv tset src=hero.png col=16 +16c tdim=16x16\n");
  EXPECT_TRUE(dialogs.entries().empty()) << dialogs.entries().front().text;
  EXPECT_EQ(entries(), (std::vector<std::string>{"hero:3:hero.til.c", "hero:6:hero.pal.c",
                                                 "hero:1:hero.map.c"}));
  EXPECT_EQ(w->project.entry(0).baseFile, "hero.png");
  // The tile size stays set; the colour mode and map format were the
  // command's own.
  EXPECT_EQ(w->conversion.tileWidth, 16);
  EXPECT_EQ(w->conversion.tileHeight, 16);
  EXPECT_EQ(w->colourMode, 1);
  EXPECT_EQ(w->mapFormat, 1);
  std::string tiles = testsupport::ReadFile(dir.path() / "hero.til.c");
  EXPECT_NE(tiles.find("//Tileset 4 bits (\"hero.pal.c\")\r\n//Taille: 16*16*3\r\n"),
            std::string::npos)
      << tiles.substr(0, 300);
  std::string map = testsupport::ReadFile(dir.path() / "hero.map.c");
  EXPECT_NE(map.find("//Taille: 16*16 * 2*2\r\n"), std::string::npos) << map.substr(0, 300);
  EXPECT_NE(map.find("0x0000, 0x0001},\r\n\t{0x0002, 0x0000}"), std::string::npos)
      << map.substr(0, 400);

  if (!HaveGcc()) GTEST_SKIP() << "gcc is not installed";
  std::string program =
      "#include <stdio.h>\n#include \"hero.pal.c\"\n#include \"hero.til.c\"\n"
      "#include \"hero.map.c\"\n"
      "int main(void) { printf(\"%u %u %u\\n\", (unsigned)(sizeof hero_palette / 2), "
      "(unsigned)sizeof hero_tiles, (unsigned)(sizeof hero_map / 2)); return 0; }\n";
  testsupport::WriteFile(dir.path() / "main.c", program);
  std::string exe = dir.file("hero");
  std::string diagnostics = RunCommand("cd '" + dir.path().string() +
                                       "' && gcc -std=c99 -Wall -o '" + exe + "' main.c 2>&1");
  ASSERT_TRUE(diagnostics.empty()) << diagnostics;
  // 3 tiles of 16 × 16 pixels at 4 bits are 384 bytes; 4 cells.
  std::string out = RunCommand("'" + exe + "'");
  EXPECT_NE(out.find(" 384 4\n"), std::string::npos) << out;
}

TEST_F(Conv, TheCommandLineConvertsAndSavesTheProject) {
  WriteHero(dir.file("hero.png"));
  ASSERT_EQ(Run("jeu.tpj",
                "-conv tset src=hero.png col=16 +16c tdim=16x16:conv bmp src=hero.png "
                "dst=ecran name=ecran"),
            0);
  EXPECT_TRUE(dialogs.entries().empty()) << dialogs.entries().front().text;
  EXPECT_TRUE(exists("hero.til.c"));
  EXPECT_TRUE(exists("ecran.bmp.c"));
  EXPECT_TRUE(exists("ecran.pal.c"));
  std::string saved = this->saved("jeu.tpj");
  for (std::string_view block :
       {"  Elément: hero\n  Type: tileset\n  Fichier: hero.til.c\n  Base: hero.png\n",
        "  Elément: hero\n  Type: palette\n  Fichier: hero.pal.c\n",
        "  Elément: hero\n  Type: carte\n  Fichier: hero.map.c\n",
        "  Elément: ecran\n  Type: bitmap\n  Fichier: ecran.bmp.c\n",
        "  Elément: ecran\n  Type: palette\n  Fichier: ecran.pal.c\n"})
    EXPECT_NE(saved.find(block), std::string::npos) << block;
  // The bitmap's C identifier is the name given.
  EXPECT_NE(testsupport::ReadFile(dir.path() / "ecran.bmp.c").find("ecran_bitmap8[32][32]"),
            std::string::npos);
}

TEST_F(Conv, ConvertingAgainKeepsOneElementOfEachAndAnExistingPaletteIsExtended) {
  WriteHero(dir.file("hero.png"));
  statements("conv tset src=hero.png tdim=16x16\nconv tset src=hero.png tdim=16x16\n");
  EXPECT_EQ(w->project.count(), 3u);
  // A new tileset after the colours of the existing palette (greyed box).
  statements("conv tset src=hero.png dst=suite !upal=hero tdim=16x16\n");
  EXPECT_TRUE(dialogs.entries().empty()) << dialogs.entries().front().text;
  // The palette used is the existing element, which moves to the end.
  EXPECT_EQ(entries(), (std::vector<std::string>{"hero:3:hero.til.c", "hero:1:hero.map.c",
                                                 "suite:3:suite.til.c", "hero:6:hero.pal.c",
                                                 "suite:1:suite.map.c"}));
  std::string palette = testsupport::ReadFile(dir.path() / "hero.pal.c");
  EXPECT_NE(palette.find("//Taille: 27\r\n"), std::string::npos) << palette.substr(0, 300);
}

TEST_F(Conv, TheImportAssistantConvertsTheSameWayWithoutAWindow) {
  WriteHero(dir.file("hero.png"));
  std::filesystem::create_directories(dir.path() / "conv");
  std::filesystem::create_directories(dir.path() / "assistant");
  statements("conv tset src=hero.png dst=conv/hero tdim=16x16\n");
  // A second project, so that the new elements are named alike.
  ASSERT_EQ(Run("autre.tpj", "fin"), 0);
  statements(
      "arbre-mosaiques\n"
      "texte-source \"hero.png\"\n"
      "texte-dest \"assistant/hero.til.c\"\n"
      "texte-palette \"assistant/hero.pal.c\"\n"
      "texte-map \"assistant/hero.map.c\"\n"
      "combo-tiles \"16X16\"\n"
      "ok\n");
  EXPECT_TRUE(dialogs.entries().empty()) << dialogs.entries().front().text;
  for (std::string_view file : {"hero.til.c", "hero.pal.c", "hero.map.c"}) {
    std::string a = testsupport::ReadFile(dir.path() / "conv" / file);
    std::string b = testsupport::ReadFile(dir.path() / "assistant" / file);
    ASSERT_FALSE(a.empty());
    // Only the linked files' directory differs.
    for (size_t at = a.find("conv/"); at != std::string::npos; at = a.find("conv/", at))
      a.replace(at, 5, "assistant/");
    EXPECT_EQ(a, b) << file;
  }
  EXPECT_EQ(w->project.count(), 3u);
}

TEST_F(Conv, TheAssistantChecksItsColourCountAndItsPicture) {
  statements(
      "arbre-mosaiques\n"
      "texte-couleurs \"300\"\n"
      "ok\n"
      "texte-couleurs \"16\"\n"
      "texte-source \"absent.png\"\n"
      "ok\n"
      "combo-taille \"Énorme\"\n");
  ASSERT_EQ(dialogs.entries().size(), 3u);
  EXPECT_EQ(dialogs.entries()[0].text, "Le nombre de couleurs entré n'est pas valide.");
  EXPECT_EQ(dialogs.entries()[0].caption, "Oups...");
  EXPECT_EQ(dialogs.entries()[1].text, "Impossible de charger le fichier bitmap spécifié");
  EXPECT_EQ(dialogs.entries()[1].caption, "Oups");
  EXPECT_EQ(dialogs.entries()[2].text,
            "Objet: combo-taille.\nLe texte recherché dans la zone de liste déroulante n'y "
            "figure pas (Énorme).");
}

TEST_F(Conv, TheAssistantAsksBeforeConvertingAPictureThatIsNotWholeTiles) {
  WriteHero(dir.file("hero.png"));
  dialogs.queueAnswer(platform::Answer::Cancel);
  statements(
      "arbre-mosaiques\ntexte-source \"hero.png\"\ntexte-dest \"h.til.c\"\n"
      "texte-palette \"h.pal.c\"\ntexte-map \"h.map.c\"\nconvert.tilex 24\ncombo-tiles "
      "\"perso...\"\nok\n");
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_TRUE(dialogs.entries()[0].isQuestion);
  EXPECT_EQ(dialogs.entries()[0].caption, "Oups");
  EXPECT_FALSE(exists("h.til.c"));

  // A square taken from the corner is no whole picture: no question.
  dialogs.clear();
  statements("combo-taille \"128x128\"\nok\n");
  EXPECT_TRUE(dialogs.entries().empty()) << dialogs.entries().front().text;
  EXPECT_TRUE(exists("h.til.c"));
}

// The program itself, without a display: the conversion of its command line.
TEST_F(Conv, TheProgramConvertsFromItsCommandLineWithoutADisplay) {
  std::filesystem::path program = std::filesystem::path(TESSEL_BINARY_DIR) / "ui" / "tesselworks";
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "the desktop program is not built";
  WriteHero(dir.file("hero.png"));
  std::string run = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + program.string() +
                    "' demo.tpj \"-conv tset src=hero.png col=16 +16c tdim=16x16\" > out.txt "
                    "2> err.txt";
  ASSERT_EQ(std::system(run.c_str()), 0);
  for (std::string_view file : {"hero.til.c", "hero.pal.c", "hero.map.c"})
    EXPECT_TRUE(exists(file)) << file;
  // Only the status line on standard error.
  EXPECT_EQ(testsupport::ReadFile(dir.path() / "err.txt"),
            "Tessel Works: terminé sans erreur, projet enregistré (code 0).\n");
  std::string out = testsupport::ReadFile(dir.path() / "out.txt");
  EXPECT_NE(out.find("Nouvel élément: hero (tileset) hero.til.c\n"), std::string::npos) << out;
  std::string saved = this->saved("demo.tpj");
  EXPECT_NE(saved.find("  Elément: hero\n  Type: carte\n  Fichier: hero.map.c\n"),
            std::string::npos);
  EXPECT_NE(testsupport::ReadFile(dir.path() / "hero.til.c").find("//Taille: 16*16*3\r\n"),
            std::string::npos);
}
