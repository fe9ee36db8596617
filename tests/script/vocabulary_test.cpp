// The script's vocabulary: the root table in its order, the objects' twin
// names, the settings they store and the messages of their commands.
#include "convert/colour_tables.h"
#include "project/project.h"
#include "recording_editor.h"
#include "script/identifier_lookup.h"
#include "app/memory_size.h"
#include "app/root_table.h"
#include "script_fixture.h"

using namespace script;
using namespace app;
using scripttest::ScriptFixture;

namespace {

constexpr std::string_view kScriptCaption = "Erreur d'exécution du script";

class Vocabulary : public ScriptFixture {
 protected:
  void open() { w.openEditor = &editor; }
  scripttest::RecordingEditor editor;
};

}  // namespace

TEST(RootTable, HoldsEveryFrenchNameThenEveryEnglishNameThenTheSharedOnes) {
  const auto& rows = RootTable().entries;
  ASSERT_EQ(rows.size(), 116u);
  EXPECT_EQ(rows[0].name, "arbre-mosaiques");
  EXPECT_EQ(rows[27].name, "combo-map");
  EXPECT_EQ(rows[28].name, "ok");
  EXPECT_EQ(rows[42].name, "effets");
  EXPECT_EQ(rows[51].name, "plateforme");
  EXPECT_EQ(rows[52].name, "tree-tilesets");
  EXPECT_EQ(rows[94].name, "effects");
  EXPECT_EQ(rows[103].name, "platform");
  const std::string_view shared[] = {"conv",    "fonds",   "modehexa", "system",
                                     "convert", "editeur", "specimen", "bits",
                                     "liste",   "maps",    "editor",   "list"};
  for (size_t i = 0; i < std::size(shared); ++i) EXPECT_EQ(rows[104 + i].name, shared[i]);
  // Each English name reaches the target of its French twin.
  for (size_t i = 0; i < 52; ++i) {
    Entry english = rows[52 + i];
    english.name = rows[i].name;
    EXPECT_TRUE(english.sameAs(rows[i])) << rows[i].name << " / " << rows[52 + i].name;
  }
  EXPECT_EQ(rows[113].object, rows[105].object);  // maps: the table of fonds
  EXPECT_EQ(rows[114].object, rows[109].object);  // editor: the table of editeur
}

TEST_F(Vocabulary, TwinNamesOfTheObjectsReachTheSameSettings) {
  runLines(
      "editor.grid = vrai\n"
      "EDITEUR.AlphaGrille 40\n"
      "modehexa.enabled 1\n"
      "maps.AlphaForeground = 200\n"
      "Fonds.AlphaHex 50\n"
      "fonds[3].visible = faux\n"
      "system.savemapsparams faux\n"
      "system.directory \"dossier\"\n"
      "convert.usemaxcolors vrai\n"
      "Convert.TileX = 16\n"
      "bits.zeromask 0\n"
      "editor.timing 25\n");
  EXPECT_TRUE(messages().empty()) << messages().front();
  EXPECT_EQ(w.editor.grid, 1);
  EXPECT_EQ(w.editor.gridOpacity, 40);
  EXPECT_EQ(w.editor.hexMode, 1);
  EXPECT_EQ(w.editor.foregroundOpacity, 200);
  EXPECT_EQ(w.editor.hexOpacity, 50);
  EXPECT_EQ(w.editor.visible[2], 0);
  EXPECT_EQ(w.editor.visible[1], 1);
  EXPECT_EQ(w.system.saveMapSettings, 0);
  EXPECT_EQ(w.paths.directory, "dossier");
  EXPECT_EQ(w.conversion.useMaxColours, 1);
  EXPECT_EQ(w.conversion.tileWidth, 16);
  EXPECT_EQ(w.editor.bitsZeroMask, 0);
  EXPECT_EQ(w.editor.timing, 25);
}

TEST_F(Vocabulary, MethodNamesAndDigitsSelectTheSameReductionMethod) {
  runLines("Convert.Mode = tramé\n");
  EXPECT_EQ(w.conversion.method, convert::ReductionMethod::Halftone);
  runLines("convert.mode 0\nconvert.quantization 1\n");
  EXPECT_EQ(w.conversion.method, convert::ReductionMethod::Halftone);
  runLines("convert.mode optimal\n");
  EXPECT_EQ(w.conversion.method, convert::ReductionMethod::Optimal);
  runLines("convert.mode normal\n");
  EXPECT_EQ(w.conversion.method, convert::ReductionMethod::Standard);
  runLines("convert.mode affiné\n");
  EXPECT_EQ(w.conversion.method, convert::ReductionMethod::Refined);
  runLines("convert.quantization refined\nconvert.mode 3\n");
  EXPECT_EQ(w.conversion.method, convert::ReductionMethod::Refined);
  runLines("convert.mode normal\n");
  EXPECT_TRUE(messages().empty());

  runLines("convert.quantization meilleur\nconvert.mode 4\nconvert.mode = rapide\n");
  EXPECT_EQ(w.conversion.method, convert::ReductionMethod::Optimal);
  ASSERT_EQ(dialogs.entries().size(), 2u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "Le nom de la méthode de réduction suivante n'a pas été trouvé: 4");
  EXPECT_EQ(dialogs.entries()[1].text,
            "Le nom de la méthode de réduction suivante n'a pas été trouvé: rapide");
}

TEST_F(Vocabulary, LightingStoresGammaAsItsReciprocalAndRebuildsTheTables) {
  auto before = w.colourTables.red;
  runLines("convert.luminosite gamma=2\n");
  for (double g : w.conversion.gammaExponent) EXPECT_DOUBLE_EQ(g, 0.5);
  // Byte 64 at 5 bits with gamma 2 is level 16 (8 without).
  EXPECT_EQ(before[64], 8);
  EXPECT_EQ(w.colourTables.red[64], 16);

  runLines("convert.luminosite ALPHA = RGB(50%, 0, 100%)\n");
  EXPECT_DOUBLE_EQ(w.conversion.towardsWhite[0], 127.5);
  EXPECT_DOUBLE_EQ(w.conversion.towardsWhite[1], 0.0);
  EXPECT_DOUBLE_EQ(w.conversion.towardsWhite[2], 255.0);

  // The root command is the same one.
  runLines("effets add=10 gamma=rgb(1 1 1)\neffects alpha=0\n");
  for (double g : w.conversion.gammaExponent) EXPECT_DOUBLE_EQ(g, 1.0);
  EXPECT_DOUBLE_EQ(w.conversion.addition[1], 10.0);
  EXPECT_DOUBLE_EQ(w.conversion.towardsWhite[2], 0.0);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Vocabulary, ColoursShadesAndTheirTables) {
  runLines(
      "convert.couleurzero RGB(255,255,255)\n"
      "convert.maskcolor RGB(1,2,3)\n"
      "convert.nuances 2\n");
  EXPECT_EQ(w.conversion.zeroColour, (convert::Rgb{31, 31, 31}));
  EXPECT_EQ(w.conversion.maskColour, (convert::Rgb{1, 2, 3}));
  EXPECT_EQ(w.conversion.shadesMinusOne, 1);
  // Two shades after the effects: levels 0 and 16 only.
  EXPECT_EQ(w.colourTables.green[127], 0);
  EXPECT_EQ(w.colourTables.green[128], 16);
  EXPECT_EQ(w.colourTables.green[255], 16);
  runLines("convert.shadesbefore 1\nconvert.truncate vrai\nconvert.shades 0\n");
  EXPECT_TRUE(w.conversion.shadesBefore);
  EXPECT_TRUE(w.conversion.truncate);
  EXPECT_EQ(w.conversion.shadesMinusOne, -1);  // the tables take it as one shade
  EXPECT_EQ(w.colourTables.green[255], 0);
}

TEST_F(Vocabulary, TheListSizeIsAtLeastThree) {
  runLines("system.objetsmax 1\n");
  EXPECT_EQ(w.system.maxObjects, 3);
  runLines("system.maxobjects -40\n");
  EXPECT_EQ(w.system.maxObjects, 3);
  runLines("system.maxobjects 5000\n");
  EXPECT_EQ(w.system.maxObjects, 5000);
}

TEST(MemorySize, UnitsReadInTheirOrderOfSearchAndWriteBack) {
  EXPECT_EQ(ParseMemorySize("32 Mo"), 33555456u);
  EXPECT_EQ(ParseMemorySize("192 ko"), 196609u);
  EXPECT_EQ(FormatMemorySize(33555456), "32 Mo");
  EXPECT_EQ(FormatMemorySize(196609), "192 ko");
  EXPECT_EQ(FormatMemorySize(33554432), "32 Mo");
  // 't' is searched before 'o' whatever comes first: "1 octet" is 1 To, too
  // large to be a limit.
  EXPECT_EQ(ParseMemorySize("1 octet"), 0u);
  EXPECT_EQ(ParseMemorySize("3 KO"), 3073u);
  EXPECT_EQ(ParseMemorySize("1.5 Go"), 1610612736u + 1048576u);
  EXPECT_EQ(ParseMemorySize("700"), 700u);
  EXPECT_EQ(ParseMemorySize("700 o"), 700u);
  EXPECT_EQ(ParseMemorySize("4 Go"), 0u);   // 4294967296 or more: no limit
  EXPECT_EQ(ParseMemorySize("-3 ko"), 0u);  // nothing below zero either
  EXPECT_EQ(FormatMemorySize(0), "0 o");
  EXPECT_EQ(FormatMemorySize(999), "999 o");
  EXPECT_EQ(FormatMemorySize(1536), "1.5 ko");
  EXPECT_EQ(FormatMemorySize(1000), "0.976 ko");
  EXPECT_EQ(FormatMemorySize(uint64_t{1} << 32), "4 Go");
  EXPECT_EQ(FormatMemorySize(uint64_t{5000} << 40), "5000 To");
  // What is written reads back to the same size.
  for (uint32_t size : {1u, 999u, 196609u, 33555456u, 536871936u, 1074790400u})
    EXPECT_EQ(ParseMemorySize(FormatMemorySize(size)), size) << size;
}

TEST_F(Vocabulary, PreviewMemoryIsSetBySizeText) {
  runLines("system.MemoireMax = 192 ko\n");
  EXPECT_EQ(w.system.maxPreviewMemory, 196609u);
  runLines("system.maxmemory 32 Mo\n");
  EXPECT_EQ(w.system.maxPreviewMemory, 33555456u);
}

TEST_F(Vocabulary, FoldersByNameAndBySlotAreOneStorage) {
  runLines("dossiers.bitmaps = \"Images\"\n");
  EXPECT_EQ(w.project.defaultFolder(project::kKindBitmap), "Images");
  runLines("dossierdéf[5] = \"Dessins\"\n");
  EXPECT_EQ(w.project.defaultFolder(project::kKindBitmap), "Dessins");
  project::EntryRecord bitmap;
  bitmap.name = "ciel";
  bitmap.file = "ciel.bmp.c";
  bitmap.kind = project::kKindBitmap;
  int index = w.project.addEntry(bitmap);
  ASSERT_GE(index, 0);
  EXPECT_EQ(w.project.entry(static_cast<size_t>(index)).folder, "Dessins");
  EXPECT_TRUE(messages().empty());

  runLines("dossierdéf[13] = \"Trop loin\"\n");
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "Tableau dossierdéf de l'objet .\nL'indice (13) est en dehors de la plage.");
  EXPECT_EQ(dialogs.entries()[0].caption, kScriptCaption);
}

TEST_F(Vocabulary, BitCommandsNeedABackgroundAndABitInRange) {
  open();
  runLines(
      "Bits[0].BitActif 3, 1\n"
      "Bits[0].TexteBit 3, \"x\"\n"
      "Bits[1].BitActif 32, 1\n"
      "bits.bittext -1, \"x\"\n");
  ASSERT_EQ(dialogs.entries().size(), 4u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "Activation des bits: Spécifiez un fond (Bits[0].BitActif).");
  EXPECT_EQ(dialogs.entries()[1].text, "Renommage des bits: Spécifiez un fond (Bits[0].BitActif).");
  EXPECT_EQ(dialogs.entries()[2].text,
            "Activation des bits: le numéro de bit spécifié n'est pas dans la gamme prévue (0 à "
            "31).");
  EXPECT_EQ(dialogs.entries()[3].text,
            "Renommage des bits: le numéro de bit spécifié n'est pas dans la gamme prévue (0 à "
            "31).");
  EXPECT_EQ(dialogs.entries()[3].caption, kScriptCaption);
  EXPECT_TRUE(editor.calls.empty());

  runLines(
      "Bits[1].BitActif 3, 1\n"
      "Bits[2].BitActif = 4,faux\n"
      "bits.textebit 31, \"Collision\"\n"
      "bits.textebit 5, \"un nom de trente-deux caractères\"\n"
      "bits.affiche\n"
      "bits.deplace -20, 30\n");
  EXPECT_EQ(editor.calls,
            (std::vector<std::string>{"bit active 0 3 1", "bit active 1 4 0",
                                      "bit name 0 31 Collision", "bits show", "bits move -20 30"}));
}

TEST_F(Vocabulary, BackgroundCommandsActOnTheBackgroundOfThePath) {
  runLines("fonds.ajoute \"niveau\"\nfonds.grille 16\n");  // no editor: nothing happens
  EXPECT_TRUE(editor.calls.empty());
  open();
  runLines(
      "Fonds.Ajoute \"niveau\", 3\n"
      "fonds.add 'décor', 25\n"
      "Fonds[2].Grille 16\n"
      "maps[1].stepping 8, 24\n"
      "fonds.grid 0, 0\n"
      "Fonds[2].AjCondition 0x10,0x20 0x5=\n"
      "fonds.addcondition 1, 2, 3\n"
      "Fonds[0].VitesseDefil 0.5, -1\n"
      "fonds[3].emulgba vrai\n"
      "maps.link 1, 3 2\n"
      "fonds.reinit\n");
  EXPECT_EQ(editor.calls,
            (std::vector<std::string>{"add niveau 3", "add décor 0", "grid 1 16 0", "grid 0 8 24",
                                      "grid 0 0 0", "condition 1 16 32 5 =", "condition 0 1 2 3",
                                      "scroll -1 0.500000 -1.000000", "emulation 2 1", "link 1 3 2",
                                      "reset"}));
  EXPECT_TRUE(messages().empty());
}

TEST_F(Vocabulary, EditorAndSpecimenPlacementsAndZoom) {
  runLines("editeur.zoom 2.5\neditor.zoom -1\nspecimen.affiche 0\n");
  EXPECT_DOUBLE_EQ(w.editor.zoom, 2.5);
  EXPECT_EQ(w.editor.specimenShown, 0);
  open();
  runLines(
      "Editeur.Deplace 640, 480, -10, 20, vrai\n"
      "editor.move 800, 600\n"
      "editeur.deplace 800\n"
      "Specimen.Deplace 100, 80, 5, 6\n"
      "specimen.move 100, 80\n"
      "Specimen.AjouteMap 2\n"
      "specimen.show 1\n"
      "editor.zoom 0.5\n");
  EXPECT_EQ(editor.calls, (std::vector<std::string>{
                              "editor place 640 480 -10 20 1 1", "editor place 800 600 0 0 0 0",
                              "specimen place 100 80 5 6 1", "specimen place 100 80 0 0 0",
                              "specimen map 2", "specimen show 1", "zoom 0.500000"}));
  EXPECT_EQ(w.editor.specimenShown, 1);
}

TEST_F(Vocabulary, ListParametersOfTheCurrentModel) {
  runLines(
      "liste.ajparam \"vie\", 1, 2\n"
      "list.addparam \"nom\", 2\n"
      "liste.ajparam \"vie\", 1, 8\n"
      "liste.ajparam \"\", 1, 4\n");
  const formats::ListModel& model = formats::CurrentModel(w.formats);
  ASSERT_EQ(model.fields.size(), 2u);
  EXPECT_EQ(model.fields[0].name, "vie");
  EXPECT_EQ(model.fields[0].size, 8);
  EXPECT_EQ(model.fields[1].kind, 2);
  EXPECT_EQ(model.fields[1].size, 4);  // none given: 4
  EXPECT_EQ(model.objectSize(), 24);
  runLines("list.resetparams\n");
  EXPECT_TRUE(formats::CurrentModel(w.formats).fields.empty());
}

TEST_F(Vocabulary, AModelDefinedByItsBlockHasTheRecordSizeOfItsParameters) {
  runLines(
      "defmodele \"Ennemi\" {\n"
      "  1, 4, \"vie\", \"3\"\n"
      "}\n"
      "selmodele \"Ennemi\"\n");
  EXPECT_EQ(formats::CurrentModel(w.formats).name, "Ennemi");
  EXPECT_EQ(formats::CurrentModel(w.formats).objectSize(), 16);
}

TEST_F(Vocabulary, UnknownPropertiesOfTheNewObjectsAreReported) {
  runLines("convert.inconnu 1\nsystem.emulgba 1\n");
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text, "La propriété inconnu n'existe pas.");
  EXPECT_EQ(w.system.emulGba, 1);
}
