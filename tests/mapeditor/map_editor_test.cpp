#include <cstddef>

#include "editor_fixture.h"
#include "script/interpreter.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "test_support/temp_dir.h"

namespace mapeditortest {
namespace {

using namespace mapeditor;

using EditorModel = EditorFixture;

TEST_F(EditorModel, OnlyTileSidesOf8To64PowersOfTwoOpen) {
  int tall = addMapElement("tall", MakeMap(4, 4, 0, 4, 8, 24));
  EXPECT_FALSE(editor->open(tall));
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "Le format de votre map n'est pas utilisable sous l'éditeur; la largeur et la hauteur "
            "doivent être une de ces valeurs:\n8, 16, 32, 64.\nDésolé, mais vous ne pourrez pas "
            "ouvrir ce fichier ici.");
  EXPECT_EQ(dialogs.entries()[0].caption, "Mince!");
  EXPECT_FALSE(editor->isOpen());
  EXPECT_EQ(w.openEditor, nullptr);
  int wide = addMapElement("wide", MakeMap(4, 4, 0, 4, 64, 8));
  EXPECT_TRUE(editor->open(wide));
  EXPECT_EQ(w.openEditor, editor.get());
  EXPECT_EQ(editor->activeBackground().cellWidth, 64);
  EXPECT_EQ(editor->activeBackground().snapY, 8);
  EXPECT_EQ(statusTexts(), (std::vector<std::string>{"Bienvenue!", "Map ouverte: wide"}));
  EXPECT_EQ(editor->title(), "wide - Editeur de maps");
  EXPECT_EQ(editor->memoryText(), "Mém: 0.06 ko");
}

TEST_F(EditorModel, AnUnreadableElementClosesTheEditorWithoutAMessageOfItsOwn) {
  project::EntryRecord e;
  e.name = "absent";
  e.file = dir.file("absent.map.c");
  e.kind = project::kKindMap;
  w.project.appendRaw(e);
  EXPECT_FALSE(editor->open(0));
  EXPECT_TRUE(dialogs.entries().empty());
  EXPECT_EQ(editor->count(), 0);
}

TEST_F(EditorModel, AnElementAlreadyOpenIsNotAddedAndTheTwentyFirstIsRefused) {
  openOn();
  EXPECT_EQ(editor->addBackground(0), AddResult::AlreadyOpen);
  EXPECT_EQ(editor->count(), 1);
  for (int i = 1; i < 20; ++i) {
    int e = addMapElement("fond" + std::to_string(i), MakeMap(4, 4));
    ASSERT_EQ(editor->addBackground(e), AddResult::Added);
  }
  int extra = addMapElement("extra", MakeMap(4, 4));
  EXPECT_EQ(editor->addBackground(extra), AddResult::LimitReached);
  EXPECT_EQ(editor->count(), 20);
  ASSERT_FALSE(dialogs.entries().empty());
  EXPECT_EQ(dialogs.entries().back().text, "La limite du nombre de fonds est atteinte!");
  EXPECT_EQ(dialogs.entries().back().caption, "Erreur");
}

TEST_F(EditorModel, SwitchingIgnoresMissingBackgroundsAndRestoresNaturalCells) {
  openOn();
  for (int i = 1; i < 10; ++i)
    editor->addBackground(addMapElement("f" + std::to_string(i), MakeMap(4, 4)));
  editor->setActive(9);  // the tenth
  EXPECT_EQ(editor->active(), 9);
  editor->setHexMode(true);
  EXPECT_EQ(editor->activeBackground().cellWidth, 16);
  editor->setActive(2);
  EXPECT_EQ(editor->background(9).cellWidth, 8);
  EXPECT_EQ(editor->background(2).cellWidth, 16);
  editor->setHexMode(false);
  editor->setActive(12);
  editor->setActive(-1);
  EXPECT_EQ(editor->active(), 2);
  EXPECT_EQ(editor->activeBackground().cellWidth, 8);
}

TEST_F(EditorModel, UndoingToTheSavedStateClearsTheStarUnlessHistoryWasLost) {
  openOn(8, 8);
  editor->setPatternValue(7);
  editor->paint({0, 0, 0, 0}, false);
  EXPECT_EQ(editor->title(), "niveau1* - Editeur de maps");
  EXPECT_TRUE(editor->canUndo());
  editor->undoGroup();
  EXPECT_EQ(editor->title(), "niveau1 - Editeur de maps");
  EXPECT_TRUE(editor->canRedo());
  editor->paint({0, 0, 0, 0}, false);
  editor->paint({8, 0, 8, 0}, false);
  editor->undoGroup();
  editor->paint({16, 0, 16, 0}, false);
  EXPECT_FALSE(editor->canRedo());
  EXPECT_EQ(editor->activeBackground().cell(0, 0), 7u);
  EXPECT_EQ(editor->activeBackground().cell(1, 0), 1u);
  EXPECT_EQ(editor->activeBackground().cell(2, 0), 7u);
}

TEST_F(EditorModel, ABudgetOfThreeSnapshotsKeepsTheStarAfterUndoingEverything) {
  machine.setBytes(4 * 3 * 8 * 8 * 4);  // a quarter of it holds three 8 × 8 maps
  openOn(8, 8);
  editor->setPatternValue(1);
  for (int i = 0; i < 3; ++i) editor->paint({i * 8, 0, i * 8, 0}, false);
  EXPECT_EQ(editor->undoBytes(), 3u * 256u);
  while (editor->canUndo()) editor->undoGroup();
  EXPECT_EQ(editor->activeBackground().cell(0, 0), 1u);  // state 0 was discarded
  EXPECT_EQ(editor->title(), "niveau1* - Editeur de maps");
  EXPECT_EQ(editor->memoryText(), "Mém: 0.75 ko");
}

TEST_F(EditorModel, LinkingSkipsBadNumbersAndKeepsEachBackgroundsModifiedState) {
  openOn(4, 4);
  editor->addBackground(addMapElement("b", MakeMap(4, 4)));
  editor->addBackground(addMapElement("c", MakeMap(4, 4)));
  editor->linkFromText("1,2,3");
  EXPECT_EQ(editor->activeGroup(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(editor->activeGroupText(), "1, 2, 3");
  editor->setPatternValue(9);
  editor->paint({0, 0, 0, 0}, false);
  EXPECT_EQ(editor->background(2).cell(0, 0), 9u);
  editor->setActive(1);
  editor->linkFromText("2, 2, 9");
  EXPECT_EQ(editor->activeGroup(), std::vector<int>{1});
  // The members left behind are not linked to a group that lost them.
  EXPECT_EQ(editor->groupOf(0), std::vector<int>{0});
  EXPECT_EQ(editor->groupOf(2), std::vector<int>{2});
  EXPECT_TRUE(editor->modified(1));
  EXPECT_FALSE(editor->canUndo());
  editor->linkFromText("");
  EXPECT_EQ(editor->activeGroup(), std::vector<int>{1});
}

TEST_F(EditorModel, SavingWritesTheGroupRaisesOnsaveAndClearsTheStar) {
  testsupport::WriteFile(w.paths.scriptPath, "onsave niveau1:\nmsgbox \"sauvé\"\nfin\n");
  openOn(4, 4);
  int b = addMapElement("b", MakeMap(4, 4));
  editor->addBackground(b);
  editor->linkFromText("1,2");
  editor->setPatternValue(3);
  editor->paint({0, 0, 0, 0}, false);
  editor->saveActiveGroup();
  EXPECT_EQ(store.writes.size(), 2u);
  EXPECT_EQ(store.writtenCells[w.project.entry(0).file][0], 3u);
  EXPECT_EQ(texts(), std::vector<std::string>{"sauvé"});
  EXPECT_EQ(editor->title(), "niveau1 - Editeur de maps");
  auto status = statusTexts();
  EXPECT_EQ(status[status.size() - 2], "Map sauvée: niveau1");
  EXPECT_EQ(status.back(), "Map sauvée: b");
  EXPECT_TRUE(platform::FileExists(editor->settingsFilePath()));
}

TEST_F(EditorModel, AFailedWriteLeavesTheBackgroundModified) {
  openOn(4, 4);
  editor->paint({0, 0, 0, 0}, false);
  store.failWrites = true;
  EXPECT_FALSE(editor->saveBackground(0));
  EXPECT_TRUE(editor->modified(0));
}

TEST_F(EditorModel, ClosingAsksOncePerModifiedGroupAndCancelKeepsTheEditorOpen) {
  openOn(4, 4);
  editor->addBackground(addMapElement("b", MakeMap(4, 4)));
  editor->addBackground(addMapElement("c", MakeMap(4, 4)));
  editor->linkFromText("1,2");
  editor->paint({0, 0, 0, 0}, false);
  editor->setActive(2);
  editor->paint({0, 0, 0, 0}, false);
  dialogs.queueAnswer(platform::Answer::Cancel);
  EXPECT_FALSE(editor->close());
  EXPECT_TRUE(editor->isOpen());
  EXPECT_EQ(editor->active(), 2);
  dialogs.clear();
  dialogs.queueAnswer(platform::Answer::Yes);
  dialogs.queueAnswer(platform::Answer::No);
  EXPECT_TRUE(editor->close());
  ASSERT_EQ(dialogs.entries().size(), 2u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "Voulez-vous enregistrer les modifications apportées à niveau1?");
  EXPECT_EQ(dialogs.entries()[0].caption, "Question");
  EXPECT_EQ(dialogs.entries()[0].buttons, platform::Buttons::YesNoCancel);
  EXPECT_EQ(dialogs.entries()[1].text, "Voulez-vous enregistrer les modifications apportées à c?");
  EXPECT_EQ(store.writes.size(), 2u);  // niveau1 and b, its group
  EXPECT_FALSE(editor->isOpen());
  EXPECT_EQ(w.openEditor, nullptr);
  EXPECT_EQ(editor->undoBytes(), 0u);
}

TEST_F(EditorModel, TheSettingsFileReplacesEverythingFromTheLastDotOfADottedName) {
  int e = addMapElement("a", MakeMap(2, 2));
  project::EntryRecord r = w.project.entry(static_cast<size_t>(e));
  EXPECT_TRUE(editor->open(e));
  EXPECT_EQ(editor->settingsFilePath(), dir.file("a.map.spt"));
  editor->close();
  // a.b.map has two dots: a.b.spt.
  project::EntryRecord e2 = r;
  e2.name = "ab";
  e2.file = dir.file("a.b.map");
  store.maps[e2.file] = MakeMap(2, 2);
  w.project.appendRaw(e2);
  EXPECT_TRUE(editor->open(static_cast<int>(w.project.count()) - 1));
  EXPECT_EQ(editor->settingsFilePath(), dir.file("a.b.spt"));
}

TEST_F(EditorModel, AnOnopenEventReturningZeroClosesTheEditor) {
  testsupport::WriteFile(w.paths.scriptPath, "onopen niveau1:\nretour 0\n");
  int e = addMapElement("niveau1", MakeMap(4, 4));
  EXPECT_FALSE(editor->open(e));
  EXPECT_FALSE(editor->isOpen());
  EXPECT_EQ(editor->undoBytes(), 0u);
}

TEST_F(EditorModel, SizeChangesKeepTheTopLeftCellsAndAreOneUndoStep) {
  openOn(32, 32);
  Background& b = editor->activeBackground();
  uint32_t corner = b.cell(31, 19);
  dialogs.queueAnswer(platform::Answer::Yes);  // rows 20..31 are dropped
  EXPECT_TRUE(editor->applySizeAndReference(0, "40", "20", "0", "0"));
  EXPECT_EQ(dialogs.entries().back().caption, "Question");
  EXPECT_EQ(b.width, 40);
  EXPECT_EQ(b.height, 20);
  EXPECT_EQ(b.cell(31, 19), corner);
  EXPECT_EQ(b.cell(39, 0), 0u);
  EXPECT_EQ(b.displayMask, 0xFFFFFFFFu);
  EXPECT_TRUE(editor->modified(0));
  EXPECT_TRUE(editor->canUndo());
  EXPECT_FALSE(editor->applySizeAndReference(0, "100000", "100000", "0", "0"));
  EXPECT_EQ(dialogs.entries().back().caption, "Argh!");
  EXPECT_EQ(b.width, 40);
}

TEST_F(EditorModel, AReferenceTileEqualToTheTileCountIsRefused) {
  openOn(4, 4);
  editor->setPatternValue(5);
  EXPECT_FALSE(editor->applySizeAndReference(0, "4", "4", "64", "0x3ff"));
  EXPECT_EQ(dialogs.entries().back().text,
            "Le numéro de motif choisi est plus grand ou égal au nombre total de motifs...");
  EXPECT_EQ(editor->activeBackground().referenceTile, 0);
  EXPECT_EQ(editor->activeBackground().displayMask, 0x3FFu);
  EXPECT_FALSE(editor->modified(0));
  EXPECT_TRUE(editor->applySizeAndReference(0, "4", "4", "63", "0"));
  EXPECT_EQ(editor->activeBackground().referenceTile, 63);
  EXPECT_EQ(editor->patternValue(), 0u);
  EXPECT_TRUE(editor->modified(0));
}

TEST_F(EditorModel, ParallaxAboveAHundredPercentSlowsTheOthersDownWhenConfirmed) {
  openOn(4, 4);
  editor->addBackground(addMapElement("b", MakeMap(4, 4)));
  editor->background(1).parallaxX = 0.5;
  dialogs.queueAnswer(platform::Answer::No);
  EXPECT_FALSE(editor->applyParallaxPercent(0, 200, 100));
  EXPECT_EQ(editor->background(1).parallaxX, 0.5);
  dialogs.queueAnswer(platform::Answer::Yes);
  EXPECT_TRUE(editor->applyParallaxPercent(0, 200, 0));
  EXPECT_EQ(editor->background(0).parallaxX, 1.0);
  EXPECT_EQ(editor->background(1).parallaxX, 0.25);
  EXPECT_EQ(editor->background(0).parallaxY, 1.0);
  EXPECT_EQ(dialogs.entries().back().caption, "Erreur");
  EXPECT_EQ(dialogs.entries().back().icon, platform::Icon::Information);
  EXPECT_TRUE(editor->applyParallaxPercent(1, 50, 25));
  EXPECT_EQ(editor->background(1).parallaxY, 0.25);
}

TEST_F(EditorModel, BlockFormatChecksAskBeforeSizesTheEditorCannotOpen) {
  openOn(4, 4);
  EXPECT_FALSE(editor->chooseBlockFormat(12, 8));
  EXPECT_EQ(dialogs.entries().back().text,
            "Les dimensions des blocs doivent être multiple de 8 pour passer sur la GBA! ;-)");
  EXPECT_FALSE(editor->chooseBlockFormat(72, 8));
  EXPECT_EQ(dialogs.entries().back().caption, "Oups...");
  dialogs.clear();
  dialogs.queueAnswer(platform::Answer::No);
  EXPECT_FALSE(editor->chooseBlockFormat(24, 8));
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_TRUE(dialogs.entries()[0].isQuestion);
  // Growing asks the second question too.
  dialogs.clear();
  dialogs.queueAnswer(platform::Answer::Yes);
  dialogs.queueAnswer(platform::Answer::Yes);
  EXPECT_TRUE(editor->chooseBlockFormat(24, 8));
  EXPECT_EQ(dialogs.entries().size(), 2u);
  EXPECT_EQ(w.conversion.tileWidth, 24);
}

TEST_F(EditorModel, ConvertingTheActiveMapToSmallerBlocksSplitsEveryTile) {
  int e = addMapElement("big", MakeMap(2, 1, 3, 4, 16, 16));
  ASSERT_TRUE(editor->open(e));
  ASSERT_TRUE(editor->convertActiveBlockFormat(8, 8));
  const Background& b = editor->activeBackground();
  EXPECT_EQ(b.width, 4);
  EXPECT_EQ(b.height, 2);
  EXPECT_EQ(b.tileCount, 16);
  EXPECT_EQ(b.tileWidth, 8);
  EXPECT_EQ(b.cells, (std::vector<uint32_t>{12, 13, 12, 13, 14, 15, 14, 15}));
  EXPECT_TRUE(editor->modified(0));
}

TEST_F(EditorModel, SnapGridKeysDoubleEachSideBelow64AndHalveAbove1) {
  openOn(4, 4);
  ASSERT_TRUE(editor->setSnapGridOf(0, 48, 8));
  editor->growSnapGrid();
  EXPECT_EQ(editor->activeBackground().snapX, 96);
  EXPECT_EQ(editor->activeBackground().snapY, 16);
  EXPECT_EQ(statusTexts().back(), "Grille crampon: 96x16");
  editor->growSnapGrid();
  EXPECT_EQ(editor->activeBackground().snapX, 96);
  editor->setSnapGridOf(0, 1, 2);
  editor->shrinkSnapGrid();
  EXPECT_EQ(editor->activeBackground().snapX, 1);
  EXPECT_EQ(editor->activeBackground().snapY, 1);
}

TEST_F(EditorModel, ScrollingMovesByLinesOverTheParallaxSpeed) {
  openOn(64, 64);
  editor->activeBackground().parallaxX = 0.5;
  editor->scrollLines(1, 0);
  EXPECT_EQ(editor->scrollX(), 64);
  editor->scrollLines(-3, 0);
  EXPECT_EQ(editor->scrollX(), 0);
  editor->scrollPages(0, 1);
  EXPECT_EQ(editor->scrollY(), 192);
  editor->setScroll(32767, 13);
  EXPECT_EQ(editor->scrollX(), 63 * 8);
  EXPECT_EQ(editor->scrollY(), 8);
}

TEST_F(EditorModel, ZoomStepsByHalvesBetweenOneAndFour) {
  openOn(4, 4);
  editor->stepZoom(10);
  EXPECT_EQ(editor->zoom(), 4.0);
  EXPECT_EQ(statusTexts().back(), "Zoom: 400%");
  editor->stepZoom(-1);
  EXPECT_EQ(editor->zoom(), 3.5);
  editor->stepZoom(-10);
  EXPECT_EQ(editor->zoom(), 1.0);
}

TEST_F(EditorModel, OpeningResetsTheEditorSettingsButNotThePaletteChoice) {
  w.editor.foregroundOpacity = 10;
  w.editor.hexMode = 1;
  w.editor.ownPalettes = 0;
  w.editor.visible[3] = 0;
  w.editor.invisibleBlock = 7;
  openOn(4, 4);
  EXPECT_EQ(w.editor.foregroundOpacity, 160);
  EXPECT_EQ(w.editor.hexMode, 0);
  EXPECT_EQ(w.editor.ownPalettes, 0);
  EXPECT_EQ(w.editor.visible[3], 1);
  EXPECT_EQ(w.editor.invisibleBlock, 7);
}

TEST_F(EditorModel, AScriptSwitchingHexModeResizesTheActiveBackgroundsCells) {
  openOn(4, 4);
  script::ExecuteScript(w, "modehexa.actif = 1");
  EXPECT_EQ(editor->background(0).cellWidth, 16);
  script::ExecuteScript(w, "modehexa.actif = 0");
  EXPECT_EQ(editor->background(0).cellWidth, 8);
}

}  // namespace
}  // namespace mapeditortest

namespace mapeditortest {
namespace {

using namespace mapeditor;

// What the user answers to the save question, and whether the writer works:
// the background stays open and modified unless its changes were written or
// deliberately dropped.
struct KeepingCase {
  const char* name;
  platform::Answer answer;
  bool failWrites;
  bool closes;
};

class EditorClosing : public EditorFixture, public ::testing::WithParamInterface<KeepingCase> {};

TEST_P(EditorClosing, ChangesAreOnlyLostWhenTheUserDropsThem) {
  const KeepingCase& c = GetParam();
  openOn(4, 4);
  editor->paint({0, 0, 0, 0}, false);
  store.failWrites = c.failWrites;
  dialogs.queueAnswer(c.answer);
  EXPECT_EQ(editor->close(), c.closes);
  EXPECT_EQ(editor->isOpen(), !c.closes);
  if (!c.closes) {
    EXPECT_TRUE(editor->modified(0));
  }
}

TEST_P(EditorClosing, ResettingTheBackgroundsAsksTheSameQuestion) {
  const KeepingCase& c = GetParam();
  openOn(4, 4);
  editor->paint({0, 0, 0, 0}, false);
  store.failWrites = c.failWrites;
  dialogs.queueAnswer(c.answer);
  editor->resetBackgrounds();
  EXPECT_EQ(editor->count(), c.closes ? 0 : 1);
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "Voulez-vous enregistrer les modifications apportées à niveau1?");
  EXPECT_TRUE(editor->isOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, EditorClosing,
    ::testing::Values(KeepingCase{"Cancel", platform::Answer::Cancel, false, false},
                      KeepingCase{"No", platform::Answer::No, false, true},
                      KeepingCase{"Yes", platform::Answer::Yes, false, true},
                      KeepingCase{"YesButTheWriterFails", platform::Answer::Yes, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorModel, AnUnmodifiedEditorResetsWithoutAQuestion) {
  openOn(4, 4);
  editor->resetBackgrounds();
  EXPECT_EQ(editor->count(), 0);
  EXPECT_TRUE(dialogs.entries().empty());
  // Nothing below assumes a background.
  editor->paint({0, 0, 8, 8}, false);
  editor->selectRectangleOrPickPattern({0, 0, 0, 0}, false);
  editor->stepPattern(1);
  editor->scrollLines(1, 1);
  editor->growSnapGrid();
  editor->undoGroup();
  EXPECT_EQ(editor->title(), "");
  EXPECT_TRUE(editor->close());
}

TEST_F(EditorModel, AMapSettingsFileThatCannotBeWrittenIsReported) {
  project::EntryRecord e;
  e.name = "perdu";
  e.file = dir.file("absent/perdu.map.c");
  e.kind = project::kKindMap;
  store.maps[platform::ToNative(e.file)] = MakeMap(4, 4);
  w.project.appendRaw(e);
  ASSERT_TRUE(editor->open(static_cast<int>(w.project.count()) - 1));
  editor->paint({0, 0, 0, 0}, false);
  EXPECT_TRUE(editor->saveActiveGroup());
  std::vector<std::string> texts = statusTexts();
  EXPECT_EQ(texts.back(), "Paramètres non sauvés: " + editor->settingsFilePath());
  EXPECT_FALSE(editor->modified(0));
}

}  // namespace
}  // namespace mapeditortest
