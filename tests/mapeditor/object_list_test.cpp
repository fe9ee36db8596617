// Object lists in the editor: elements, their clipboard, their parameters and
// their undo states; and the specimen map.
#include <cstddef>

#include "convert/drawing_state.h"
#include "convert/surface.h"
#include "editor_fixture.h"
#include "formats/list_model.h"
#include "mapeditor/composite_map.h"

namespace mapeditortest {
namespace {

using namespace mapeditor;

class ObjectLists : public EditorFixture {
 protected:
  void openList(int maxObjects = 1024) {
    w.system.maxObjects = maxObjects;
    LoadedList list;
    list.model.name = "Ennemis";
    list.model.fields.push_back(
        formats::MakeField(formats::kFieldInteger, 4, "<vie> points", "0x10"));
    list.model.fields.push_back(formats::MakeField(formats::kFieldRaw, 8, "nom", "bob"));
    list.elementSize = list.model.objectSize();
    list.tiles = MakeTiles(8);
    int map = addMapElement("niveau1", MakeMap(8, 8));
    int l = addListElement("ennemis", std::move(list));
    ASSERT_TRUE(editor->open(map));
    ASSERT_EQ(editor->addBackground(l), AddResult::Added);
    editor->setActive(1);
  }
  Background& l() { return editor->background(1); }
  int32_t word(int element, size_t offset) {
    return formats::ReadObjectWord(l().element(element), offset);
  }
};

TEST_F(ObjectLists, NewElementsTakeTheModelsDefaultsUntilTheListIsFull) {
  openList(3);
  EXPECT_EQ(l().maxElements, 3);
  EXPECT_EQ(statusTexts().back(), "Liste ouverte: ennemis");
  ASSERT_TRUE(editor->addListElement(1, 16, 24, 5));
  EXPECT_EQ(word(0, formats::kObjectX), 16);
  EXPECT_EQ(word(0, formats::kObjectY), 24);
  EXPECT_EQ(word(0, formats::kObjectType), 5);
  EXPECT_EQ(word(0, 12), 16);
  EXPECT_EQ(formats::ReadObjectText(l().element(0), 16, 8), "bob");
  EXPECT_TRUE(editor->addListElement(1, 0, 0, 1));
  EXPECT_TRUE(editor->addListElement(1, 0, 0, 1));
  EXPECT_FALSE(editor->addListElement(1, 0, 0, 1));
  EXPECT_EQ(dialogs.entries().back().text,
            "Trop d'éléments, veuillez allonger la liste dans les options");
  EXPECT_EQ(dialogs.entries().back().icon, platform::Icon::Warning);
  EXPECT_EQ(l().elementCount, 3);
  EXPECT_FALSE(editor->addListElement(0, 0, 0, 1));  // a map takes no elements
}

TEST_F(ObjectLists, TheLastElementUnderThePointIsHitAndDeletingClosesTheGap) {
  openList();
  editor->addListElement(1, 0, 0, 1);
  editor->addListElement(1, 4, 4, 2);
  editor->addListElement(1, 40, 40, 3);
  EXPECT_EQ(editor->listElementAt(1, 5, 5), 1);
  EXPECT_EQ(editor->listElementAt(1, 2, 2), 0);
  EXPECT_EQ(editor->listElementAt(1, 12, 12), -1);
  editor->listSelection() = {0, 2};
  editor->deleteListSelection();
  EXPECT_EQ(l().elementCount, 1);
  EXPECT_EQ(word(0, formats::kObjectType), 2);
  EXPECT_TRUE(editor->listSelection().empty());
  EXPECT_TRUE(editor->canUndo());
  editor->undoGroup();
  EXPECT_EQ(l().elementCount, 0);  // the additions pushed no state of their own
}

TEST_F(ObjectLists, CopiedElementsPasteWithTheirTopLeftCornerAtThePoint) {
  openList();
  editor->addListElement(1, 20, 30, 1);
  editor->addListElement(1, 28, 22, 2);
  editor->pushUndoGroup();
  editor->listSelection() = {1, 0};
  editor->cutListSelection();
  EXPECT_EQ(l().elementCount, 0);
  editor->pasteObjects(100, 200);
  ASSERT_EQ(l().elementCount, 2);
  // In selection order: element 1 first.
  EXPECT_EQ(word(0, formats::kObjectX), 108);
  EXPECT_EQ(word(0, formats::kObjectY), 200);
  EXPECT_EQ(word(1, formats::kObjectX), 100);
  EXPECT_EQ(word(1, formats::kObjectY), 208);
  editor->undoGroup();
  EXPECT_EQ(l().elementCount, 0);
  editor->undoGroup();
  EXPECT_EQ(l().elementCount, 2);
  EXPECT_EQ(word(1, formats::kObjectX), 28);
}

TEST_F(ObjectLists, PastingIntoAFullListStopsWithTheMessage) {
  openList(3);
  editor->addListElement(1, 0, 0, 1);
  editor->addListElement(1, 8, 0, 1);
  editor->listSelection() = {0, 1};
  editor->copyListSelection();
  editor->pasteObjects(50, 50);
  EXPECT_EQ(l().elementCount, 3);
  EXPECT_EQ(dialogs.entries().back().text,
            "Trop d'éléments, veuillez allonger la liste dans les options");
}

TEST_F(ObjectLists, ParametersShowTheFirstSelectedElementAndGoToEverySelected) {
  openList();
  editor->addListElement(1, 0, 0, 1);
  editor->addListElement(1, 8, 0, 1);
  editor->listSelection() = {1, 0};
  std::vector<std::string> fields = editor->objectFieldTexts();
  EXPECT_EQ(fields, (std::vector<std::string>{"16", "bob"}));
  std::vector<std::string> values{"0x20", "Zoé"};
  EXPECT_TRUE(editor->setObjectFields(values));
  for (int e = 0; e < 2; ++e) {
    EXPECT_EQ(word(e, 12), 32);
    EXPECT_EQ(formats::ReadObjectText(l().element(e), 16, 8), "Zo\xE9");
  }
  editor->listSelection() = {0};
  EXPECT_EQ(editor->objectFieldTexts()[1], "Zoé");
  l().model.fields.clear();
  EXPECT_TRUE(editor->objectFieldTexts().empty());
  EXPECT_EQ(dialogs.entries().back().text,
            "Vous devez d'abord définir des propriétés pour l'objet avant de pouvoir les éditer!");
}

TEST_F(ObjectLists, AListMemberIsCopiedAndPastedThroughItsListPlane) {
  openList();
  editor->addListElement(1, 16, 16, 3);
  editor->addListElement(1, 100, 100, 4);
  editor->setActive(0);
  editor->linkFromText("1,2");
  ASSERT_TRUE(editor->copySelection({8, 8, 31, 31}, false));
  const ListPlane& plane = editor->buffer().lists[1];
  ASSERT_EQ(plane.count, 1);
  EXPECT_EQ(formats::ReadObjectWord({plane.storage.data(), 12}, formats::kObjectX), 8);
  editor->paint({64, 0, 64, 0}, false);
  ASSERT_EQ(l().elementCount, 3);
  EXPECT_EQ(word(2, formats::kObjectX), 72);
  EXPECT_EQ(word(2, formats::kObjectType), 3);
}

TEST_F(ObjectLists, ACopyOnAWideSnapGridKeepsTheBufferWithinItsPlanes) {
  openList();
  ASSERT_TRUE(editor->setSnapGrid(1, 60000, 60000));
  ASSERT_TRUE(editor->copySelection({0, 0, 0, 0}, true));
  EXPECT_EQ(editor->buffer().width, kBufferSide);
  EXPECT_EQ(editor->buffer().height, kBufferSide);
  w.editor.bitsZeroMask = 0;
  editor->toggleBit(3, true);
  EXPECT_EQ(editor->buffer().at(0, kBufferSide - 1, kBufferSide - 1), 8u);
  EXPECT_EQ(editor->buffer().at(1, 0, 0), 0u);
}

using SpecimenAndSlots = EditorFixture;

TEST_F(SpecimenAndSlots, TheSpecimenShowsTheFirstListedMapThatIsNotTransparent) {
  LoadedMap low = MakeMap(2, 1, 1);
  LoadedMap high = MakeMap(2, 1, 2);
  high.cells[1] = 0xFFFF;  // the invisible block
  int a = addMapElement("bas", std::move(low));
  int b = addMapElement("haut", std::move(high));
  ASSERT_TRUE(editor->open(a));
  ASSERT_EQ(editor->addBackground(b), AddResult::Added);
  ASSERT_TRUE(editor->addSpecimenMap(2));
  ASSERT_TRUE(editor->addSpecimenMap(1));
  convert::Surface s;
  ASSERT_TRUE(convert::ResizeSurface(s, 16, 8, true, 0, dialogs));
  convert::DrawingState state;
  convert::SelectSurface(state, s);
  RenderSpecimen(state, editor->specimen(), *editor);
  const Background& top = editor->background(1);
  const Background& bottom = editor->background(0);
  EXPECT_EQ(s.at(0, 0), top.colours[top.tilePixels[2 * 64] & 255]);
  EXPECT_EQ(s.at(8, 0), bottom.colours[bottom.tilePixels[1 * 64] & 255]);
  // A drag copies both layers, the specimen's first map in plane 0.
  ASSERT_TRUE(CopySpecimenSelection(editor->specimen(), *editor, 1, 0, 0, 5));
  const SelectionBuffer& buf = editor->buffer();
  EXPECT_EQ(buf.width, 2);
  EXPECT_EQ(buf.height, 1);
  EXPECT_EQ(buf.planeCount, 2);
  EXPECT_EQ(buf.at(0, 1, 0), 0xFFFFu);
  EXPECT_EQ(buf.at(1, 1, 0), 1u);
}

TEST_F(SpecimenAndSlots, ASpecimenDragScrolledBeforeTheMapCopiesZerosThere) {
  int a = addMapElement("bas", MakeMap(2, 1, 1));
  ASSERT_TRUE(editor->open(a));
  ASSERT_TRUE(editor->addSpecimenMap(1));
  editor->specimen().scrollX = -1;
  ASSERT_TRUE(CopySpecimenSelection(editor->specimen(), *editor, 0, 0, 1, 0));
  const SelectionBuffer& buf = editor->buffer();
  EXPECT_EQ(buf.width, 2);
  EXPECT_EQ(buf.at(0, 0, 0), 0u);
  EXPECT_EQ(buf.at(0, 1, 0), 1u);
}

TEST_F(SpecimenAndSlots, ScriptCommandsLoadIntoSlotsAndCheckTheirBackground) {
  openOn(4, 4);
  int other = addMapElement("autre", MakeMap(2, 2));
  int third = addMapElement("troisieme", MakeMap(2, 2));
  EXPECT_FALSE(editor->addBackgroundByName("inconnue", 0));
  EXPECT_FALSE(editor->addBackgroundByName("niveau1", 1));  // that slot already holds it
  EXPECT_TRUE(editor->addBackgroundByName("autre", 5));     // beyond the open ones: added
  EXPECT_EQ(editor->count(), 2);
  EXPECT_TRUE(editor->addBackgroundByName("troisieme", 2));  // replaces "autre"
  EXPECT_EQ(editor->count(), 2);
  EXPECT_EQ(editor->slot(1).element.name, "troisieme");
  (void)other;
  (void)third;
  EXPECT_FALSE(editor->setScrollRate(-1, 0.5, 0.5));
  EXPECT_FALSE(editor->setScrollRate(2, 0.5, 0.5));
  EXPECT_TRUE(editor->setScrollRate(1, 0.5, -1));
  EXPECT_EQ(editor->background(1).parallaxX, 0.5);
  EXPECT_EQ(editor->background(1).parallaxY, 1.0);
  EXPECT_TRUE(editor->setSnapGrid(0, 0, 0));
  EXPECT_EQ(editor->background(0).snapX, 8);
  EXPECT_EQ(editor->background(0).snapY, 8);
  EXPECT_TRUE(editor->setSnapGrid(0, 24, 0));
  EXPECT_EQ(editor->background(0).snapY, 24);
  EXPECT_FALSE(editor->setBitName(0, 32, "x"));
  EXPECT_FALSE(editor->setBitName(0, 3, std::string(32, 'x')));
  EXPECT_TRUE(editor->setBitName(19, 3, "Bloquant"));
  EXPECT_TRUE(w.interpreter.bitNamesChanged);
  editor->setZoom(-2);
  EXPECT_EQ(editor->zoom(), 1.0);
  editor->resetBackgrounds();
  EXPECT_EQ(editor->count(), 0);
  EXPECT_EQ(editor->undoBytes(), 0u);
  EXPECT_EQ(editor->title(), "");
  editor->paint({0, 0, 0, 0}, false);  // nothing to paint on: nothing happens
}

}  // namespace
}  // namespace mapeditortest

namespace mapeditortest {
namespace {

using namespace mapeditor;

struct RectangleCase {
  const char* name;
  PixelRect rect;
  bool snap;
  std::vector<int> selected;
};

class ListRectangles : public ObjectLists, public ::testing::WithParamInterface<RectangleCase> {};

// Elements at (0,0), (20,4) and (40,40); a 16 × 16 snap grid.
TEST_P(ListRectangles, SelectsTheElementsWhosePositionLiesInside) {
  openList();
  ASSERT_TRUE(editor->setSnapGridOf(1, 16, 16));
  ASSERT_TRUE(editor->addListElement(1, 0, 0, 1));
  ASSERT_TRUE(editor->addListElement(1, 20, 4, 1));
  ASSERT_TRUE(editor->addListElement(1, 40, 40, 1));
  editor->listSelection() = {2};
  editor->selectListElementsIn(GetParam().rect, GetParam().snap);
  EXPECT_EQ(editor->listSelection(), GetParam().selected);
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, ListRectangles,
    ::testing::Values(RectangleCase{"Exact", {0, 0, 20, 4}, false, {0, 1}},
                      RectangleCase{"ShortOfTheSecond", {0, 0, 19, 4}, false, {0}},
                      RectangleCase{"SnappedOutwards", {2, 2, 18, 3}, true, {0, 1}},
                      RectangleCase{"AnyCornerOrder", {45, 45, 21, 5}, false, {2}},
                      RectangleCase{"Empty", {60, 60, 70, 70}, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ObjectLists, PositionsSnapDownAndTheSelectionToggles) {
  openList();
  ASSERT_TRUE(editor->setSnapGridOf(1, 16, 8));
  int32_t x = 37, y = -3;
  editor->snapToListGrid(x, y);
  EXPECT_EQ(x, 32);
  EXPECT_EQ(y, -8);
  editor->toggleListSelection(3);
  editor->toggleListSelection(1);
  editor->toggleListSelection(3);
  EXPECT_EQ(editor->listSelection(), std::vector<int>{1});
}

}  // namespace
}  // namespace mapeditortest
