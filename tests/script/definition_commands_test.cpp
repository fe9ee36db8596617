// Formats and models defined and chosen by statements, the session lines
// that keep them, and the element files written through the platform.
#include "convert/converted_pixel.h"
#include "convert/gba_modes.h"
#include "formats/element_files.h"
#include "formats/format_library.h"
#include "project/entry_record.h"
#include "app/element_slots.h"
#include "app/platform_writers.h"
#include "app/platforms.h"
#include "app/session_section.h"
#include "app/startup.h"
#include "script_fixture.h"

using namespace script;
using namespace app;
using scripttest::ScriptFixture;

namespace {

class Definitions : public ScriptFixture {
 protected:
  project::EntryRecord entry(std::string_view fileName, std::string_view name) {
    project::EntryRecord e;
    e.file = dir.file(fileName);
    e.baseFile = std::string(fileName);
    e.name = std::string(name);
    return e;
  }
};

}  // namespace

TEST_F(Definitions, DefinitionsReadTheLinesThatFollowThem) {
  runLines(
      "defformat \"Mien\" {\n"
      "  palette {\n"
      "    element = \"%i,\"\n"
      "    ext = \".mien\"\n"
      "  }\n"
      "}\n"
      "DefModele \"Ennemi\"\t\t{\n"
      "  \t1, 4, \"vie\", \"3\"\n"
      "  }\n"
      "selformat \"Mien\"\n"
      "setmodel \"Ennemi\"\n");
  EXPECT_TRUE(messages().empty()) << messages().front();
  EXPECT_EQ(w.formats.current.name, "Mien");
  EXPECT_EQ(w.formats.current.section(formats::SectionType::Palette).element, "%i,");
  ASSERT_EQ(w.formats.models.size(), 2u);
  EXPECT_EQ(formats::CurrentModel(w.formats).name, "Ennemi");
  EXPECT_EQ(formats::CurrentModel(w.formats).objectSize(), 16);
}

TEST_F(Definitions, CommandLineTextCannotDefineAnything) {
  runText("definefmt \"Mien\" {; definemodel \"M\" {");
  ASSERT_EQ(dialogs.entries().size(), 2u);
  EXPECT_EQ(dialogs.entries()[0].caption, "Erreur d'exécution du script");
  EXPECT_EQ(dialogs.entries()[0].text.rfind("Fonction: defformat\n", 0), 0u);
  EXPECT_EQ(dialogs.entries()[1].text.rfind("Fonction: defmodele\n", 0), 0u);
  EXPECT_EQ(w.formats.formats.size(), 1u);
  EXPECT_EQ(w.formats.models.size(), 1u);
}

TEST_F(Definitions, SelectingUnknownNamesKeepsTheCurrentOnes) {
  runText("selformat \"Absent\"; selmodele \"Absent\"");
  ASSERT_EQ(dialogs.entries().size(), 2u);
  EXPECT_EQ(dialogs.entries()[0].text, "Format Absent non-trouvé");
  EXPECT_EQ(dialogs.entries()[0].caption, "Erreur ChoisitFormat");
  EXPECT_EQ(dialogs.entries()[1].text, "Modèle Absent non-trouvé");
  EXPECT_EQ(dialogs.entries()[1].caption, "Erreur ChoisitModele");
  EXPECT_EQ(w.formats.current.name, "Standard");
}

TEST_F(Definitions, RememberedNamesAreSelectedAtTheEndOfAnInteractiveStart) {
  runLines(
      "Format = \"Mien\"\n"
      "Modele = \"Ennemi\"\n"
      "defformat Mien {\n}\n"
      "defmodele \"Ennemi\" {\n}\n");
  EXPECT_EQ(w.formats.current.name, "Standard");
  EXPECT_EQ(w.formats.rememberedFormat, "Mien");
  FinishInteractiveStart(w);
  // An unquoted name is taken as the (lowered) statement wrote it.
  EXPECT_EQ(messages(), (std::vector<std::string>{"Format Mien non-trouvé"}));
  EXPECT_EQ(formats::CurrentModel(w.formats).name, "Ennemi");
  runText("format \"mien\"");
  dialogs.clear();
  FinishInteractiveStart(w);
  EXPECT_EQ(w.formats.current.name, "mien");
  EXPECT_TRUE(messages().empty());
}

TEST_F(Definitions, TheSessionKeepsFormatModelsModelAndPlatform) {
  runLines(
      "defformat \"Mien\" {\n}\n"
      "defmodele \"Pnj \\\"rapide\\\"\" {\n"
      "  1, 4, \"vie\", \"3\"\n"
      "  2, 8, \"nom\", \"a\\\\b\"\n"
      "}\n"
      "selformat \"Mien\"\n"
      "gba.mirrormask 0\n");
  std::string out;
  WriteInfosSection(w, out);
  const std::string expected =
      "  Format = \"Mien\"\n\n"
      "  DefModele \"Default\"\t\t{\n"
      "  }\n"
      "  DefModele \"Pnj \\\"rapide\\\"\"\t\t{\n"
      "  \t1, 4, \"vie\", \"3\"\n"
      "  \t2, 8, \"nom\", \"a\\\\b\"\n"
      "  }\n"
      "  Modele = \"Default\"\n\n"
      "  Plateforme = \"Game Boy Advance, Nintendo\"\n"
      "  GBA.paletteMask = vrai\n"
      "  GBA.mirrorMask = faux\n"
      "  GBA.align = 0\n";
  ASSERT_GE(out.size(), expected.size());
  EXPECT_EQ(out.substr(out.size() - expected.size()), expected);

  // Read back as statements, the lines give the same settings.
  Workshop again{platform::Services{dialogs, shell, machine}};
  platform::TextLines lines{out};
  ExecuteScript(again, lines);
  ASSERT_EQ(again.formats.models.size(), 2u);
  EXPECT_EQ(again.formats.models[1].name, "Pnj \"rapide\"");
  EXPECT_EQ(again.formats.models[1].fields[1].defaultValue, "a\\b");
  EXPECT_EQ(again.formats.rememberedFormat, "Mien");
  EXPECT_FALSE(again.platforms.gba.mirrorMask);
}

TEST_F(Definitions, ConversionsWriteThroughThePlatformWithTheExportIdentifiers) {
  PlatformWriters writers(w);
  auto palette = entry("hero.pal.c", "hero");
  const uint32_t colours[] = {0, convert::MakePixel(31, 0, 0)};
  runText("gba.align 1");
  w.exportIdentifiers.palette = "heros";
  ASSERT_TRUE(writers.writePalette(palette, colours));
  std::string text = testsupport::ReadFile(palette.file);
  EXPECT_NE(text.find("const unsigned short __attribute__((aligned(4))) heros_palette[2]"),
            std::string::npos);

  // The map goes out in the format the platform record describes.
  auto map = entry("lvl.map.c", "lvl");
  const uint32_t cells[] = {1, 2, 3, 4};
  const PlatformRecord& p = CurrentPlatform(w);
  ASSERT_TRUE(writers.writeMap(map, nullptr, nullptr, p.mapFormats[0], cells, 2, 2, 16, 8));
  text = testsupport::ReadFile(map.file);
  EXPECT_NE(text.find("//Taille: 16*8 * 2*2\r\n"), std::string::npos);
  EXPECT_NE(text.find("const unsigned char __attribute__((aligned(4))) lvl_map[2][2]"),
            std::string::npos);

  // Reading it back through the slots makes its cell format current.
  w.lastTilesetBlocks = 4;
  formats::MapData back;
  ASSERT_TRUE(p.ioSlots.readMap(w, map.file, back));
  EXPECT_EQ(w.mapFormat, 0);
  EXPECT_EQ(back.cells, (std::vector<uint32_t>{1, 2, 3, 4}));

  auto bitmap = entry("img.bmp.c", "img");
  const uint32_t pixels[] = {convert::MakePixel(1, 2, 3)};
  ASSERT_TRUE(writers.writeBitmap(bitmap, &palette, convert::kGbaColourModes[2], pixels, 1, 1));
  EXPECT_NE(testsupport::ReadFile(bitmap.file).find("//Bitmap 15 bits (\"\")"), std::string::npos);
  EXPECT_TRUE(messages().empty());
}
