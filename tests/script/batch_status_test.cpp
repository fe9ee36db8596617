// Batch runs as a game's build uses them: conversions on the command line,
// the exit status that tells the build what happened, and the usage.
#include <array>
#include <cstdlib>

#include "test_support/commands.h"
#include "batch_fixture.h"
#include "convert/image_saver.h"
#include "app/startup.h"

using scripttest::BatchFixture;

namespace {

namespace fs = std::filesystem;

// A 32 × 32 picture of 16 colours in four 16 × 16 tiles, two of them equal.
void WriteHero(const std::string& path) {
  std::vector<uint32_t> pixels(32 * 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      int tile = (y / 16) * 2 + x / 16;
      uint32_t level = static_cast<uint32_t>(((x % 16) / 4 + (y % 16) / 4) % 4) * 0x40;
      uint32_t colour = tile == 3 ? level : level << (8 * (tile % 3));
      pixels[static_cast<size_t>(y) * 32 + static_cast<size_t>(x)] = colour;
    }
  ASSERT_TRUE(convert::SaveImage({32, 32, pixels, {}}, path));
}

class Batch : public BatchFixture {
 protected:
  Batch() { WriteHero(dir.file("hero.png")); }

  bool exists(std::string_view name) { return fs::exists(dir.path() / name); }
};

struct ConvCase {
  const char* rest;  // the command line after the project
  int status;
  std::vector<std::string> made;     // files written
  std::vector<std::string> notMade;  // files that must not appear
  const char* message;               // the first message shown, or ""
};

// Every example of the conversion command, given on the command line.
const ConvCase kConvCases[] = {
    {"-tset src=hero.png col=16 +16c tdim=16x16",
     0,
     {"hero.til.c", "hero.pal.c", "hero.map.c"},
     {},
     ""},
    {"-conv tset src=hero.png col=16 +16c tdim=16x16",
     0,
     {"hero.til.c", "hero.pal.c", "hero.map.c"},
     {},
     ""},
    {"-TSET SRC=hero.png COL=16 +16C", 0, {"hero.til.c", "hero.pal.c", "hero.map.c"}, {}, ""},
    {"-tset src=hero.png col=16 +16c:bmp src=hero.png dst=ecran",
     0,
     {"hero.til.c", "ecran.bmp.c", "ecran.pal.c"},
     {},
     ""},
    {"-  tset src=hero.png dst=\"sortie:a\" -gmap",
     0,
     {"sortie:a.til.c", "sortie:a.pal.c"},
     {"hero.map.c", "sortie:a.map.c"},
     ""},
    {"-tset bmp=hero.png", 0, {"hero.til.c"}, {}, ""},
    {"-bmp src=hero.png cmode=15", 0, {"hero.bmp.c"}, {"hero.pal.c"}, ""},
    {"-tset src=hero.png col=16 +16c tdim=12x8",
     2,
     {},
     {"hero.til.c"},
     "Erreur sur les dimensions du tileset (multiple de 8 et inférieur à 128)"},
    {"-tset src=hero.png mdim=-8x16", 2, {}, {"hero.til.c"}, "Dimensions de la map négatives"},
    // The kind comes after the source: no file name to write to.
    {"-src=hero.png tset",
     2,
     {},
     {"hero.til.c"},
     "Impossible d'ouvrir le fichier en écriture.\nLe nom est probablement faux."},
    {"-tset src=hero.png upal=inconnue",
     2,
     {},
     {"hero.til.c"},
     "Erreur -> TrouveElement(TYPE_PALETTE,chneUPal)"},
    {"-tset src=hero.png util=inconnu",
     2,
     {},
     {"hero.til.c"},
     "Erreur -> TrouveElement(TYPE_MOSAIQUE,chneUTil)"},
    {"-tset src=hero.png col=257", 2, {}, {"hero.til.c"}, ""},
    {"-b8 src=hero.png", 2, {}, {"hero.bmp.c"}, ""},
    {"-b16 src=hero.png", 2, {}, {"hero.bmp.c"}, ""},
    {"-tset src=absent.png",
     2,
     {},
     {"absent.til.c"},
     "Impossible de charger le fichier bitmap spécifié"},
    {"-tset src=hero.png couleurs=16",
     0,
     {"hero.til.c"},
     {},
     "Identificateur de conversion non-reconnu: couleurs"},
    // One conversion failing does not stop the next one.
    {"-tset src=absent.png:bmp src=hero.png",
     2,
     {"hero.bmp.c"},
     {"absent.til.c"},
     "Impossible de charger le fichier bitmap spécifié"},
};

class BatchConversions : public Batch, public ::testing::WithParamInterface<ConvCase> {};

TEST_P(BatchConversions, ConvertSaveAndGiveTheirStatus) {
  const ConvCase& c = GetParam();
  ASSERT_EQ(Run("jeu.tpj", c.rest), c.status);
  for (const std::string& file : c.made) EXPECT_TRUE(exists(file)) << file;
  for (const std::string& file : c.notMade) EXPECT_FALSE(exists(file)) << file;
  if (*c.message == '\0') {
    EXPECT_TRUE(dialogs.entries().empty()) << dialogs.entries().front().text;
  } else {
    ASSERT_FALSE(dialogs.entries().empty()) << c.rest;
    EXPECT_EQ(dialogs.entries()[0].text, c.message);
  }
  // Saved whatever happened, with the elements made.
  std::string saved = this->saved("jeu.tpj");
  for (const std::string& file : c.made)
    EXPECT_NE(saved.find("  Fichier: " + file + "\n"), std::string::npos) << file;
}

INSTANTIATE_TEST_SUITE_P(Examples, BatchConversions, ::testing::ValuesIn(kConvCases));

struct StatusCase {
  const char* project;
  const char* rest;
  int status;
};

const StatusCase kStatusCases[] = {
    {"jeu.tpj", "dossiers.cartes = \"Niveaux\"; msgbox \"x\"", 0},
    {"jeu.tpj", "identifiantinconnu 3", 2},
    {"jeu.tpj", "convert.mode 9", 2},
    {"jeu.tpj", "inclure \"absent.spt\"", 2},
    // A statement that converts nothing reports with no icon: no error.
    {"jeu.tpj", "conv tset src=hero.png tdim=12x8", 0},
    {"absent/jeu.tpj", "fin", 1},
    {"absent/jeu.tpj", "identifiantinconnu 3", 1},
    {"absent/jeu.tpj", "-tset src=hero.png", 1},
};

class BatchStatus : public Batch, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(BatchStatus, SavedWithoutErrorSavedWithErrorsOrNotSaved) {
  const StatusCase& c = GetParam();
  EXPECT_EQ(Run(c.project, c.rest), c.status);
  EXPECT_EQ(exists(c.project), c.status != app::kBatchNotSaved);
}

INSTANTIATE_TEST_SUITE_P(Cases, BatchStatus, ::testing::ValuesIn(kStatusCases));

TEST(BatchExitStatus, NotSavedComesFirstThenErrors) {
  using app::BatchOutcome;
  EXPECT_EQ(app::BatchExitStatus(BatchOutcome{true, 0, 0}), 0);
  EXPECT_EQ(app::BatchExitStatus(BatchOutcome{true, 1, 0}), 2);
  EXPECT_EQ(app::BatchExitStatus(BatchOutcome{true, 0, 1}), 2);
  EXPECT_EQ(app::BatchExitStatus(BatchOutcome{false, 0, 0}), 1);
  EXPECT_EQ(app::BatchExitStatus(BatchOutcome{false, 2, 1}), 1);
  for (int status : {0, 1, 2})
    EXPECT_NE(app::BatchStatusText(status).find("(code " + std::to_string(status) + ")"),
              std::string_view::npos);
}

TEST(ConversionArgument, FoldsOutsideQuotesAndDropsALeadingConv) {
  const std::array<std::pair<const char*, const char*>, 7> cases{{
      {"tset src=Hero.PNG", "tset src=hero.png"},
      {"  conv TSET src=\"Mes Images/Hero.png\"", "tset src=\"Mes Images/Hero.png\""},
      {"CONV\tbmp", "bmp"},
      {"conv", ""},
      {"convert", "convert"},
      {"\t", ""},
      {"bmp src=\"A\" dst=B", "bmp src=\"A\" dst=b"},
  }};
  for (const auto& [piece, argument] : cases)
    EXPECT_EQ(app::ConversionArgument(piece), argument) << piece;
}

TEST(InformationRequested, OnlyAsTheWholeCommandLine) {
  auto help = app::InformationRequested({"--help"});
  ASSERT_TRUE(help.has_value());
  for (std::string_view part : {"PROJET", "-CONVERSIONS", "Code de sortie", "tesselworks jeu.tpj"})
    EXPECT_NE(help->find(part), std::string::npos) << part;
  auto version = app::InformationRequested({"--version"});
  ASSERT_TRUE(version.has_value());
  EXPECT_EQ(version->rfind("Tessel Works ", 0), 0u);
  EXPECT_FALSE(app::InformationRequested({}).has_value());
  EXPECT_FALSE(app::InformationRequested({"jeu.tpj", "--help"}).has_value());
  EXPECT_FALSE(app::InformationRequested({"-help"}).has_value());
}

// An existing palette or tileset the format cannot read stops the conversion
// with a message that names the file and the format.
struct UnreadableCase {
  const char* spoiled;  // the file of the element "base" overwritten
  const char* conversion;
  const char* message;
  const char* settings = "";  // statements run (and saved) before
};

const UnreadableCase kUnreadableCases[] = {
    {"base.pal.c", "-tset src=hero.png upal=base",
     "La palette existante (base.pal.c) ne peut pas être lue avec le format \"Standard\".\n"
     "Aucune conversion n'a été faite."},
    {"base.til.c", "-tset src=hero.png util=base",
     "Le tileset existant (base.til.c) ne peut pas être lu avec le format \"Standard\".\n"
     "Aucune conversion n'a été faite."},
    {"base.pal.c", "-bmp src=hero.png !upal=base",
     "La palette existante (base.pal.c) ne peut pas être lue avec le format \"Standard\".\n"
     "Aucune conversion n'a été faite."},
    // The format is not chosen from the file's name.
    {"base.pal.c", "-tset src=hero.png upal=base",
     "La palette existante (base.pal.c) ne peut pas être lue avec le format \"Standard\".\n"
     "Aucune conversion n'a été faite.",
     "system.selectionformatauto 0"},
};

class Unreadable : public Batch, public ::testing::WithParamInterface<UnreadableCase> {};

TEST_P(Unreadable, ExistingElementsStopTheConversionWithAMessage) {
  const UnreadableCase& c = GetParam();
  ASSERT_EQ(Run("jeu.tpj", "-tset src=hero.png dst=base"), 0);
  if (*c.settings != '\0') {
    ASSERT_EQ(Run("jeu.tpj", c.settings), 0);
    EXPECT_EQ(w->system.autoFormatSelection, 0);
  }
  // C text, but not written through any format.
  testsupport::WriteFile(dir.path() / c.spoiled, "const short p[2] = {1, 2};\n");
  dialogs.clear();
  EXPECT_EQ(Run("jeu.tpj", c.conversion), 2);
  EXPECT_EQ(w->system.autoFormatSelection, *c.settings == '\0' ? 1 : 0);
  ASSERT_FALSE(dialogs.entries().empty());
  const auto& last = dialogs.entries().back();
  EXPECT_EQ(last.text, c.message);
  EXPECT_EQ(last.caption, "Erreur");
  EXPECT_EQ(last.icon, platform::Icon::Error);
  for (std::string_view file : {"hero.til.c", "hero.pal.c", "hero.map.c", "hero.bmp.c"})
    EXPECT_FALSE(exists(file)) << file;
}

INSTANTIATE_TEST_SUITE_P(Cases, Unreadable, ::testing::ValuesIn(kUnreadableCases));

TEST_F(Batch, TheImportAssistantSaysSoToo) {
  ASSERT_EQ(Run("jeu.tpj", "-tset src=hero.png dst=base"), 0);
  testsupport::WriteFile(dir.path() / "base.pal.c", "const short p[2] = {1, 2};\n");
  dialogs.clear();
  EXPECT_EQ(Run("jeu.tpj",
                "arbre-mosaiques; texte-source \"hero.png\"; texte-dest \"a.til.c\"; "
                "texte-palette \"a.pal.c\"; texte-map \"a.map.c\"; check-palette 1; "
                "combo-palette \"base\"; ok"),
            2);
  ASSERT_FALSE(dialogs.entries().empty());
  EXPECT_EQ(dialogs.entries().back().text, kUnreadableCases[0].message);
  EXPECT_EQ(dialogs.entries().back().icon, platform::Icon::Error);
  EXPECT_FALSE(exists("a.til.c"));
}

// The program itself: asked for its usage, it writes nothing where it runs.
TEST(Program, HelpAndVersionTouchNoFile) {
  fs::path program = fs::path(TESSEL_BINARY_DIR) / "ui" / "tesselworks";
  if (!fs::exists(program)) GTEST_SKIP() << "the desktop program is not built";
  testsupport::TempDir dir;
  testsupport::TempDir output;
  for (std::string_view option : {"--help", "--version"}) {
    fs::path out = output.path() / "out.txt";
    std::string run = "cd '" + dir.path().string() + "' && env -u DISPLAY '" + program.string() +
                      "' " + std::string(option) + " > '" + out.string() + "'";
    EXPECT_EQ(std::system(run.c_str()), 0) << option;
    EXPECT_TRUE(fs::is_empty(dir.path())) << option;
    EXPECT_FALSE(testsupport::ReadFile(out).empty()) << option;
  }
}

}  // namespace
