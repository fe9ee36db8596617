// The map settings file: its exact lines, and running it back on opening.
#include "editor_fixture.h"
#include "platform/files.h"

namespace mapeditortest {
namespace {

using namespace mapeditor;

class MapSettingsFiles : public EditorFixture {
 protected:
  void openThree() {
    first = addMapElement("niveau1", MakeMap(8, 8));
    second = addMapElement("decor", MakeMap(8, 8));
    third = addMapElement("ciel", MakeMap(8, 8));
    ASSERT_TRUE(editor->open(first));
    ASSERT_EQ(editor->addBackground(second), AddResult::Added);
    ASSERT_EQ(editor->addBackground(third), AddResult::Added);
  }

  // Every setting the file carries, away from its default.
  void changeEverything() {
    editor->setVisible(1, false);
    editor->setScrollRate(1, 0.5, 0.25);
    editor->setSnapGrid(2, 16, 32);
    editor->addCondition(0, 0x10, 0x1F, 0x100, false);
    editor->addCondition(0, 0x40, 0x40, 0x7, true);
    editor->setGbaEmulation(0, true);
    w.editor.transparency = 1;
    editor->showBitGrid();
    editor->setBitName(1, 3, "Collision");
    editor->setBitName(0, 10, "");
    editor->setBitActive(1, 3, true);
    editor->setBitActive(0, 12, false);
    editor->moveBitGrid(300, 40);
    w.editor.hexMode = 1;
    w.editor.hexGraphicsBehind = 0;
    w.editor.hexFillZeros = 1;
    w.editor.grid = 1;
    w.editor.gridColour = 10 | (20 << 8) | (30 << 16);
    w.editor.gridOpacity = 50;
    w.editor.foregroundOpacity = 200;
    w.editor.backgroundOpacity = 60;
    w.editor.hexOpacity = 70;
    editor->setZoom(2.5);
    w.editor.preciseZoom = 1;
    editor->addSpecimenMap(3);
    editor->addSpecimenMap(1);
    editor->specimen().exists = true;
    editor->placeSpecimen(200, 150, 5, 6, true);
    editor->showSpecimen(false);
    editor->placeEditor(800, 600, 30, 40, true, true);
    editor->linkBackgrounds(std::vector<int32_t>{1, 3});
    editor->settingsChanged();
  }

  int first = -1, second = -1, third = -1;
};

TEST_F(MapSettingsFiles, TheFileWritesEveryChangedSettingInItsPlace) {
  openThree();
  changeEverything();
  EXPECT_EQ(editor->mapSettingsText(),
            "    Fonds.Ajoute \"niveau1\", 1\n"
            "    Fonds[1].AjCondition 0x10,0x1f 0x100\n"
            "    Fonds[1].AjCondition 0x40,0x40 0x7=\n"
            "    Fonds[1].EmulGBA = vrai\n"
            "    Fonds.Ajoute \"decor\", 2\n"
            "    Fonds[2].Visible = faux\n"
            "    Fonds[2].VitesseDefil 0.500000, 0.250000\n"
            "    Fonds[2].EmulGBA = faux\n"
            "    Fonds.Ajoute \"ciel\", 3\n"
            "    Fonds[3].Grille 16, 32\n"
            "    Fonds[3].EmulGBA = faux\n"
            "    Fonds.Transparence = vrai\n"
            "    Bits[1].TexteBit 10,\"\"\n"
            "    Bits[2].TexteBit 3,\"Collision\"\n"
            "    Bits[1].BitActif = 12,faux\n"
            "    Bits[2].BitActif = 3,vrai\n"
            "    Bits.Affiche\n"
            "    ModeHexa.Actif = vrai\n"
            "    ModeHexa.FondActif = faux\n"
            "    ModeHexa.CombleZeros = vrai\n"
            "    Editeur.Grille = vrai\n"
            "    Editeur.CouleurGrille = RGB(10,20,30)\n"
            "    Editeur.AlphaGrille = 50\n"
            "    Fonds.AlphaPremPlan = 200\n"
            "    Fonds.AlphaGfx = 60\n"
            "    Fonds.AlphaHex = 70\n"
            "    Editeur.Zoom = 2.50\n"
            "    Editeur.ZoomPrecis = vrai\n"
            "    Specimen.AjouteMap 3\n"
            "    Specimen.AjouteMap 1\n"
            "    Editeur.Deplace 800, 600, 30, 40, vrai\n"
            "    Specimen.Deplace 200, 150, 5, 6\n"
            "    Specimen.Affiche faux\n"
            "    Bits.Deplace 300, 40\n"
            "    Fonds.LieMap 1, 3\n"
            "    Fin\n\n\n\n");
}

TEST_F(MapSettingsFiles, AtTheDefaultsOnlyTheAlwaysWrittenLinesRemain) {
  int e = addMapElement("seul", MakeMap(4, 4));
  ASSERT_TRUE(editor->open(e));
  EXPECT_EQ(editor->mapSettingsText(),
            "    Fonds.Ajoute \"seul\", 1\n"
            "    Fonds[1].EmulGBA = faux\n"
            "    ModeHexa.FondActif = vrai\n"
            "    Editeur.Deplace 640, 480, 0, 0, faux\n"
            "    Fin\n\n\n\n");
}

TEST_F(MapSettingsFiles, ABackgroundNotToOpenNextTimeIsLeftOut) {
  openThree();
  editor->setVisible(1, false);
  editor->slot(1).used = false;
  std::string text = editor->mapSettingsText();
  EXPECT_EQ(text.find("decor"), std::string::npos);
  EXPECT_EQ(text.find("Visible"), std::string::npos);
}

TEST_F(MapSettingsFiles, ReopeningTheMapRunsTheFileBackIntoTheEditor) {
  openThree();
  changeEverything();
  ASSERT_TRUE(editor->writeMapSettings());
  ASSERT_TRUE(editor->close());
  ASSERT_TRUE(editor->open(first));
  ASSERT_EQ(editor->count(), 3);
  EXPECT_EQ(editor->slot(1).element.name, "decor");
  EXPECT_FALSE(editor->visible(1));
  EXPECT_TRUE(editor->visible(2));
  EXPECT_EQ(editor->background(1).parallaxX, 0.5);
  EXPECT_EQ(editor->background(1).parallaxY, 0.25);
  EXPECT_EQ(editor->background(2).snapX, 16);
  EXPECT_EQ(editor->background(2).snapY, 32);
  ASSERT_EQ(editor->background(0).ranges.size(), 2u);
  EXPECT_EQ(editor->background(0).ranges[0], MakeValueRange(0x10, 0x1F, 0x100, false));
  EXPECT_EQ(editor->background(0).ranges[1], MakeValueRange(0x40, 0x40, 0x7, true));
  EXPECT_TRUE(editor->background(0).gbaEmulation);
  EXPECT_FALSE(editor->background(1).gbaEmulation);
  EXPECT_EQ(w.editor.transparency, 1);
  EXPECT_TRUE(editor->bitGrid().exists);
  EXPECT_EQ(editor->slot(1).bits.names[3], "Collision");
  EXPECT_EQ(editor->slot(0).bits.names[10], "");
  EXPECT_TRUE(editor->slot(1).bits.active[3]);
  EXPECT_FALSE(editor->slot(0).bits.active[12]);
  EXPECT_EQ(editor->bitGrid().placement.left, 300);
  EXPECT_EQ(w.editor.hexMode, 1);
  EXPECT_EQ(editor->activeBackground().cellWidth, 16);
  EXPECT_EQ(w.editor.hexGraphicsBehind, 0);
  EXPECT_EQ(w.editor.hexFillZeros, 1);
  EXPECT_EQ(w.editor.grid, 1);
  EXPECT_EQ(w.editor.gridColour, 10 | (20 << 8) | (30 << 16));
  EXPECT_EQ(w.editor.gridOpacity, 50);
  EXPECT_EQ(w.editor.foregroundOpacity, 200);
  EXPECT_EQ(w.editor.backgroundOpacity, 60);
  EXPECT_EQ(w.editor.hexOpacity, 70);
  EXPECT_EQ(editor->zoom(), 2.5);
  EXPECT_EQ(w.editor.preciseZoom, 1);
  EXPECT_EQ(editor->specimen().maps, (std::vector<int>{2, 0}));
  EXPECT_TRUE(editor->specimen().exists);
  EXPECT_EQ(editor->specimen().placement.width, 200);
  EXPECT_EQ(editor->specimen().placement.top, 6);
  EXPECT_EQ(w.editor.specimenShown, 0);
  EXPECT_EQ(editor->editorPlacement().width, 800);
  EXPECT_TRUE(editor->editorPlacement().maximised);
  EXPECT_EQ(editor->groupOf(0), (std::vector<int>{0, 2}));
  EXPECT_EQ(editor->groupOf(2), (std::vector<int>{0, 2}));
  EXPECT_EQ(editor->groupOf(1), std::vector<int>{1});
  // Running it changed nothing the user would have to save.
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(editor->modified(i));
  // The file is written again the same.
  EXPECT_EQ(editor->mapSettingsText(), testsupport::ReadFile(editor->settingsFilePath()));
}

TEST_F(MapSettingsFiles, NamesHoldingQuotesAreWrittenBetweenAnotherDelimiter) {
  first = addMapElement("le \"grand\" niveau", MakeMap(4, 4));
  ASSERT_TRUE(editor->open(first));
  editor->showBitGrid();
  editor->setBitName(0, 1, "dit \"mur\"");
  std::string text = editor->mapSettingsText();
  EXPECT_NE(text.find("    Fonds.Ajoute 'le \"grand\" niveau', 1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("    Bits[1].TexteBit 1,'dit \"mur\"'\n"), std::string::npos) << text;
  ASSERT_TRUE(editor->writeMapSettings());
  ASSERT_TRUE(editor->close());
  ASSERT_TRUE(editor->open(first));
  EXPECT_EQ(editor->slot(0).bits.names[1], "dit \"mur\"");
}

TEST_F(MapSettingsFiles, NothingIsWrittenWhenMapSettingsAreNotSaved) {
  openThree();
  w.system.saveMapSettings = 0;
  EXPECT_FALSE(editor->writeMapSettings());
  editor->saveActiveGroup();
  EXPECT_FALSE(platform::FileExists(editor->settingsFilePath()));
  w.system.saveMapSettings = 1;
  w.system.saveMapSettingsAuto = 1;
  editor->close();
  EXPECT_TRUE(platform::FileExists(dir.file("niveau1.map.spt")));
}

TEST_F(MapSettingsFiles, TheSpecimenWindowGoesWhenTheFileGaveItNoMap) {
  openThree();
  EXPECT_FALSE(editor->specimen().exists);
  EXPECT_FALSE(editor->addSpecimenMap(4));
  EXPECT_TRUE(editor->addSpecimenMap(2));
  EXPECT_FALSE(editor->addSpecimenMap(2));
}

}  // namespace
}  // namespace mapeditortest
