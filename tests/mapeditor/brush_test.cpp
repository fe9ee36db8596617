// The selection buffer as a brush: copying, painting, pasting, block copies
// and the pattern value.
#include "editor_fixture.h"

namespace mapeditortest {
namespace {

using namespace mapeditor;

class Brush : public EditorFixture {
 protected:
  // Three linked 8 × 8 maps whose cells are 100 × number + index.
  void openThreeLinked() {
    for (int n = 0; n < 3; ++n) {
      LoadedMap m = MakeMap(8, 8);
      for (uint32_t& c : m.cells) c += 100u * static_cast<uint32_t>(n);
      int e = addMapElement("m" + std::to_string(n), std::move(m));
      if (n == 0)
        ASSERT_TRUE(editor->open(e));
      else
        ASSERT_EQ(editor->addBackground(e), AddResult::Added);
    }
    editor->linkFromText("1,2,3");
  }
  Background& b(int i) { return editor->background(i); }
};

TEST_F(Brush, ASelectionCopiesEveryLinkedMemberIntoItsPlane) {
  openThreeLinked();
  ASSERT_TRUE(editor->copySelection({8, 16, 23, 31}, false));
  const SelectionBuffer& buf = editor->buffer();
  EXPECT_EQ(buf.width, 2);
  EXPECT_EQ(buf.height, 2);
  EXPECT_EQ(buf.planeCount, 3);
  EXPECT_EQ(buf.at(0, 0, 0), 17u);
  EXPECT_EQ(buf.at(1, 1, 1), 126u);
  EXPECT_EQ(buf.at(2, 0, 1), 225u);
  EXPECT_TRUE(editor->pasteEnabled());
  editor->setActive(1);
  EXPECT_EQ(editor->activePlane(), 1);
  EXPECT_EQ(editor->currentPattern(), 117u);
}

TEST_F(Brush, ASelectionStartingLeftOfTheMapIsClampedToColumnZero) {
  openThreeLinked();
  ASSERT_TRUE(editor->copySelection({-40, 0, 9, 0}, true));
  EXPECT_EQ(editor->buffer().width, 2);
  EXPECT_EQ(editor->buffer().height, 1);
  EXPECT_EQ(editor->buffer().planeCount, 1);
  EXPECT_EQ(editor->buffer().at(0, 0, 0), 0u);
  EXPECT_FALSE(editor->copySelection({-40, 0, -9, 0}, true));
  EXPECT_TRUE(editor->buffer().empty());
}

// A tiny active speed sends the other members billions of pixels away: they
// are simply off their maps, and no offset overflows.
TEST_F(Brush, AnExtremeParallaxRatioLeavesTheFarMembersAlone) {
  openThreeLinked();
  b(0).parallaxX = 1e-9;
  editor->setScroll(48, 0);
  ASSERT_EQ(editor->scrollX(), 48);
  editor->setPatternValue(999);
  editor->paint({8, 0, 8, 0}, false);
  EXPECT_EQ(b(0).cell(7, 0), 999u);
  for (int i = 1; i < 3; ++i)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(b(i).cell(x, 0), 100u * static_cast<uint32_t>(i) + static_cast<uint32_t>(x));
}

TEST_F(Brush, AOneCellBufferIsABrushButCannotBePastedBack) {
  openThreeLinked();
  ASSERT_TRUE(editor->copySelection({0, 0, 0, 0}, false));
  EXPECT_FALSE(editor->pasteEnabled());
  EXPECT_FALSE(editor->paste());
}

TEST_F(Brush, PaintingTilesTheBufferFromTheRectanglesTopLeftCell) {
  openThreeLinked();
  editor->copySelection({0, 0, 15, 15}, true);          // 2 × 2: 0 1 / 8 9
  editor->paint({16, 8, 16 + 4 * 8, 8 + 2 * 8}, true);  // 5 × 3 cells from (2, 1)
  const Background& b = this->b(0);
  uint32_t expected[3][5] = {{0, 1, 0, 1, 0}, {8, 9, 8, 9, 8}, {0, 1, 0, 1, 0}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(b.cell(2 + x, 1 + y), expected[y][x]) << x << "," << y;
  EXPECT_EQ(b.cell(7, 1), 15u);
  EXPECT_EQ(b.cell(2, 4), 34u);
  EXPECT_EQ(this->b(1).cell(2, 1), 110u);  // only the active background
}

TEST_F(Brush, InvisibleBlocksAndMaskedZerosLeaveTheTargetAlone) {
  openThreeLinked();
  editor->copySelection({0, 0, 15, 7}, true);  // 0 1
  editor->buffer().at(0, 1, 0) = 0xFFFF;
  editor->paint({0, 8, 15, 8}, true);
  EXPECT_EQ(b(0).cell(0, 1), 0u);
  EXPECT_EQ(b(0).cell(1, 1), 9u);
  w.editor.zeroMask = 1;
  editor->paint({16, 16, 16, 16}, true);
  EXPECT_EQ(b(0).cell(2, 2), 18u);
}

TEST_F(Brush, AnEmptyBufferPaintsThePatternOnEveryMember) {
  openThreeLinked();
  editor->setPatternValue(0x4321);
  editor->buffer().clear();
  editor->paint({8, 8, 8, 8}, false);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(b(i).cell(1, 1), 0x4321u);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(editor->modified(i));
  editor->undoGroup();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(b(i).cell(1, 1), 9u + 100u * static_cast<uint32_t>(i));
}

TEST_F(Brush, PasteWritesTheBufferBackWhereItCameFromEvenAfterScrolling) {
  openThreeLinked();
  editor->copySelection({8, 8, 23, 23}, false);
  editor->runOperations("=5", "", false);
  editor->buffer().at(0, 0, 0) = 0xFFFF;
  editor->setScroll(16, 16);
  ASSERT_TRUE(editor->paste());
  EXPECT_EQ(b(0).cell(1, 1), 9u);
  EXPECT_EQ(b(0).cell(2, 2), 5u);
  for (int i = 1; i < 3; ++i) EXPECT_EQ(b(i).cell(1, 1), 5u);
  EXPECT_EQ(b(2).cell(3, 3), 27u + 200u);
}

TEST_F(Brush, ARightClickOnOneCellMakesThePattern) {
  openThreeLinked();
  editor->copySelection({0, 0, 15, 15}, false);
  ASSERT_TRUE(editor->pickPattern(20, 12));
  EXPECT_EQ(editor->patternValue(), 10u);
  EXPECT_TRUE(editor->buffer().empty());
  EXPECT_EQ(statusTexts().back(), "Motif: 10 (000a)");
}

TEST_F(Brush, OneLinkedCellIsCopiedFromEveryMemberUnlessTakenFromTheActiveAlone) {
  openThreeLinked();
  editor->setPatternValue(77);
  editor->selectRectangleOrPickPattern({9, 9, 14, 12}, false);
  EXPECT_EQ(editor->buffer().width, 1);
  EXPECT_EQ(editor->buffer().planeCount, 3);
  EXPECT_EQ(editor->buffer().at(2, 0, 0), 209u);
  EXPECT_EQ(editor->patternValue(), 77u);
  editor->selectRectangleOrPickPattern({9, 9, 9, 9}, true);
  EXPECT_TRUE(editor->buffer().empty());
  EXPECT_EQ(editor->patternValue(), 9u);
  // A larger selection taken from the active background copies it alone.
  editor->selectRectangleOrPickPattern({0, 0, 15, 7}, true);
  EXPECT_EQ(editor->buffer().planeCount, 1);
  EXPECT_TRUE(editor->pasteEnabled());
  // Unlinked, a single cell is always the pattern.
  editor->linkFromText("1");
  editor->selectRectangleOrPickPattern({16, 0, 16, 0}, false);
  EXPECT_EQ(editor->patternValue(), 2u);
  EXPECT_FALSE(editor->pasteEnabled());
}

TEST_F(Brush, TheWheelEmptiesTheBufferThenStepsThePatternWithinTheFormat) {
  openThreeLinked();
  editor->copySelection({0, 0, 15, 15}, false);
  editor->setPatternValue(1);
  editor->stepPattern(3);
  EXPECT_TRUE(editor->buffer().empty());
  EXPECT_EQ(editor->patternValue(), 0u);
  editor->stepPattern(-2);
  EXPECT_EQ(editor->patternValue(), 2u);
  editor->setPatternValue(0xFFFF);
  editor->stepPattern(-1);
  EXPECT_EQ(editor->patternValue(), 0xFFFFu);
  editor->setHexMode(true);
  editor->stepPattern(-1);
  EXPECT_EQ(editor->patternValue(), 0u);
  editor->setPatternFromHex("1ABCD");
  EXPECT_EQ(editor->patternValue(), 0xABCDu);
}

TEST_F(Brush, BitsToggleInTheActivePlaneOrInThePattern) {
  openThreeLinked();
  editor->copySelection({0, 0, 15, 7}, true);  // 0 1
  editor->toggleBit(10, true);
  EXPECT_EQ(editor->buffer().at(0, 0, 0), 0u);  // zero mask of the bit grid
  EXPECT_EQ(editor->buffer().at(0, 1, 0), 0x401u);
  w.editor.bitsZeroMask = 0;
  editor->toggleBit(10, true);
  EXPECT_EQ(editor->buffer().at(0, 0, 0), 0x400u);
  editor->buffer().clear();
  editor->setPatternValue(0x1400);
  editor->toggleBit(12, false);
  EXPECT_EQ(editor->patternValue(), 0x400u);
  EXPECT_EQ(statusTexts().back(), "Motif: 1024 (0400)");
}

TEST_F(Brush, BlockCopyStarWidthStopsAtTheMapEdge) {
  int e = addMapElement("large", MakeMap(64, 4));
  ASSERT_TRUE(editor->open(e));
  ASSERT_TRUE(editor->blockCopy({"60", "1", "*", "2", "", "", false}));
  EXPECT_EQ(editor->buffer().width, 4);
  EXPECT_EQ(editor->buffer().height, 2);
  EXPECT_EQ(editor->buffer().at(0, 3, 1), 191u);
  EXPECT_FALSE(editor->canUndo());
}

TEST_F(Brush, MovingOntoAnOverlappingDestinationKeepsTheBlockAndZeroesTheRest) {
  openThreeLinked();
  ASSERT_TRUE(editor->blockCopy({"1", "1", "3", "2", "2", "2", true}));
  const Background& b = this->b(0);
  // The block 9 10 11 / 17 18 19 now starts at (2, 2).
  EXPECT_EQ(b.cell(2, 2), 9u);
  EXPECT_EQ(b.cell(4, 3), 19u);
  EXPECT_EQ(b.cell(1, 1), 0u);
  EXPECT_EQ(b.cell(3, 1), 0u);
  EXPECT_EQ(b.cell(1, 2), 0u);
  EXPECT_EQ(b.cell(5, 2), 21u);
  EXPECT_EQ(this->b(1).cell(1, 1), 109u);
  EXPECT_TRUE(editor->canUndo());
  editor->undoGroup();
  EXPECT_EQ(b.cell(1, 1), 9u);
}

TEST_F(Brush, BlockCopyPastesAtASourceOrDestinationAndComplainsWithNeither) {
  openThreeLinked();
  editor->blockCopy({"0", "0", "2", "1", "", "", false});  // 0 1 in every plane
  ASSERT_TRUE(editor->blockCopy({"", "", "3", "1", "4", "5", false}));
  EXPECT_EQ(b(0).cell(4, 5), 0u);
  EXPECT_EQ(b(0).cell(5, 5), 1u);
  EXPECT_EQ(b(0).cell(6, 5), 0u);
  EXPECT_EQ(b(2).cell(6, 5), 200u);
  ASSERT_TRUE(editor->blockCopy({"6", "7", "", "", "", "", true}));
  EXPECT_EQ(b(0).cell(7, 7), 1u);
  EXPECT_EQ(this->b(1).cell(7, 7), 163u);
  EXPECT_FALSE(editor->blockCopy({"", "1", "2", "2", "", "3", false}));
  EXPECT_EQ(dialogs.entries().back().text, "Les informations fournies sont insuffisantes.");
  EXPECT_EQ(dialogs.entries().back().icon, platform::Icon::Warning);
}

TEST_F(Brush, ACopyLargerThanTheBufferIsRefused) {
  int e = addMapElement("huge", MakeMap(1100, 2));
  ASSERT_TRUE(editor->open(e));
  EXPECT_FALSE(editor->blockCopy({"0", "0", "1050", "1", "", "", false}));
  EXPECT_EQ(dialogs.entries().back().caption, "Faut pas exagérer quand-même! ^^");
  EXPECT_FALSE(editor->copySelection({0, 0, 1100 * 8 - 1, 0}, false));
  EXPECT_EQ(dialogs.entries().back().text, "Sélection trop grosse pour être copiée");
}

TEST_F(Brush, OperationsOnlyOnTheActivePlane) {
  openThreeLinked();
  editor->copySelection({0, 0, 7, 7}, false);
  editor->setActive(2);
  EXPECT_TRUE(editor->runOperations("+1", "", true));
  EXPECT_EQ(editor->buffer().at(2, 0, 0), 201u);
  EXPECT_EQ(editor->buffer().at(0, 0, 0), 0u);
  EXPECT_FALSE(editor->runOperations("+1", ">1  et <3", true));
  EXPECT_EQ(dialogs.entries().back().caption, "Erreur lors de l'exécution de la condition");
}

}  // namespace
}  // namespace mapeditortest
