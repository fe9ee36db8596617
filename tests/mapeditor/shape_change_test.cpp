// Changes of a map's shape (size, block format) that ask before losing cells
// and can be undone, and the small texts of the editor's dialogs.
#include <gtest/gtest.h>

#include "editor_fixture.h"
#include "mapeditor/block_format.h"
#include "mapeditor/editor_texts.h"

namespace mapeditortest {
namespace {

using namespace mapeditor;
using platform::Answer;

struct LossCase {
  std::vector<uint32_t> cells;
  int32_t reference;
  int32_t tileCount;
  int64_t lost;
};

class BlockFormatLosses : public ::testing::TestWithParam<LossCase> {};

TEST_P(BlockFormatLosses, CountNonZeroCellsOutsideTheTileset) {
  const LossCase& c = GetParam();
  EXPECT_EQ(CountBlockFormatLosses(c.cells, c.reference, c.tileCount), c.lost);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BlockFormatLosses,
    ::testing::Values(LossCase{{0, 1, 2, 3}, 0, 4, 0},        // all inside
                      LossCase{{0x400, 0x1001, 5}, 0, 8, 2},  // mirror and palette bits
                      LossCase{{0, 4}, 0, 4, 1},              // tile count itself
                      LossCase{{0, 0}, 0, 0, 0},              // zeros are never lost
                      LossCase{{1, 2}, 3, 5, 1},              // reference tile added
                      LossCase{{0xFFFFFFFFu, 1}, 1, 4, 0}));  // −1 + 1 is tile 0

struct LabelCase {
  const char* description;
  const char* label;
};

class ObjectFieldLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(ObjectFieldLabels, TakeTheTextBetweenAngleBrackets) {
  EXPECT_EQ(texts::ObjectFieldLabel(GetParam().description), GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(Cases, ObjectFieldLabels,
                         ::testing::Values(LabelCase{"Points de vie <vie>", "vie"},
                                           LabelCase{"vitesse", "vitesse"}, LabelCase{"<>", ""},
                                           LabelCase{"a <b", "a <b"}, LabelCase{"x> <y>", "y"}));

using ShapeChanges = EditorFixture;

TEST_F(ShapeChanges, ShrinkingALinkedMapIsOneUndoStepOfTheGroup) {
  openOn(4, 4);
  editor->addBackground(addMapElement("b", MakeMap(4, 4)));
  editor->linkFromText("1,2");
  dialogs.queueAnswer(Answer::Yes);
  ASSERT_TRUE(editor->applySizeAndReference(0, "2", "2", "0", "0"));
  EXPECT_EQ(texts().back(), texts::WithNumber(texts::kShrinkQuestion, 12));
  EXPECT_EQ(editor->background(0).cells, (std::vector<uint32_t>{0, 1, 4, 5}));
  // The other member takes one step too, so that the group stays in step.
  editor->setPatternValue(9);
  editor->paint({0, 0, 0, 0}, false);
  editor->undoGroup();
  editor->undoGroup();
  EXPECT_EQ(editor->background(0).width, 4);
  EXPECT_EQ(editor->background(0).cell(3, 3), 15u);
  EXPECT_EQ(editor->background(1).cell(0, 0), 0u);
  EXPECT_FALSE(editor->canUndo());
  editor->redoGroup();
  editor->redoGroup();
  EXPECT_EQ(editor->background(0).width, 2);
  EXPECT_EQ(editor->background(0).cell(0, 0), 9u);
  EXPECT_EQ(editor->background(1).cell(0, 0), 9u);
}

TEST_F(ShapeChanges, GrowingOrShrinkingOverZerosDoesNotAsk) {
  int e = addMapElement("z", MakeMap(4, 4, 0));
  ASSERT_TRUE(editor->open(e));
  ASSERT_TRUE(editor->applySizeAndReference(0, "2", "8", "0", "0"));
  EXPECT_TRUE(texts().empty());
  EXPECT_EQ(editor->background(0).cells.size(), 16u);
}

TEST_F(ShapeChanges, ShapedSnapshotsGiveTheShapeBackAndRefuseForgeries) {
  Background b;
  b.width = 2;
  b.height = 1;
  b.cells = {5, 6};
  b.tileWidth = b.tileHeight = 16;
  b.tileCount = 3;
  b.referenceTile = 1;
  std::vector<uint8_t> shaped = ShapedSnapshot(b);
  Background other;
  other.width = 1;
  other.height = 1;
  other.cells = {0};
  ASSERT_TRUE(RestoreSnapshot(other, shaped));
  EXPECT_EQ(other.cells, b.cells);
  EXPECT_EQ(other.tileWidth, 16);
  EXPECT_EQ(other.tileCount, 3);
  EXPECT_EQ(other.referenceTile, 1);
  // A trailer whose size does not match its cells is not taken.
  shaped.erase(shaped.begin(), shaped.begin() + 4);
  EXPECT_FALSE(RestoreSnapshot(other, shaped));
  EXPECT_EQ(other.cells, b.cells);
}

}  // namespace
}  // namespace mapeditortest
