// Frames composed by the editor against the reference renderer.
#include "mapeditor/frame_renderer.h"

#include <cstddef>
#include <random>

#include "convert/drawing_state.h"
#include "convert/surface.h"
#include "editor_fixture.h"
#include "mapeditor/hex_digits.h"
#include "reference_renderer.h"

namespace mapeditortest {
namespace {

using namespace mapeditor;

constexpr uint32_t kFill = 0xFF123456u;

class FrameComposition : public EditorFixture {
 protected:
  void compose(int width, int height) {
    ASSERT_TRUE(convert::ResizeSurface(w.editorSurface, width, height, true, 0, dialogs));
    convert::SelectSurface(w.drawing, w.editorSurface);
    FrameOptions options;
    options.fillColour = kFill;
    ComposeFrame(*editor, w.drawing, options);
  }

  // A map of random cells: tile numbers below `tiles + 4` (a few beyond the
  // tileset), random mirror bits and sub-palettes.
  LoadedMap randomMap(int width, int height, int tiles, int colourMode, int tileWidth = 8,
                      int tileHeight = 8, uint32_t seed = 1) {
    std::mt19937 random(seed);
    LoadedMap m = MakeMap(width, height, 0, tiles, tileWidth, tileHeight);
    m.tiles = MakeTiles(tiles, tileWidth, tileHeight, colourMode, colourMode == 0 ? 16 : 256);
    for (uint32_t& c : m.cells)
      c = static_cast<uint32_t>(random() % static_cast<uint32_t>(tiles + 4)) |
          (static_cast<uint32_t>(random() & 0xF) << 12) | (random() & 0xC00);
    return m;
  }

  ReferenceLayer layer(int i, int opacity, bool keyed) {
    const Background& b = editor->background(i);
    ReferenceLayer l;
    l.background = &b;
    l.colours = b.colours.data();
    l.opacity = opacity;
    l.keyed = keyed;
    l.scrollX = editor->scrollX();
    l.scrollY = editor->scrollY();
    l.activeSpeedX = editor->activeBackground().parallaxX;
    l.activeSpeedY = editor->activeBackground().parallaxY;
    switch (b.colourMode) {
      case 0:
        l.paletteSize = 16;
        l.subPalettes = true;
        break;
      case 1:
        l.paletteSize = 256;
        l.subPalettes = false;
        break;
      default:
        l.paletteSize = 0;
    }
    if (b.mapFormat != 1) {
      l.tileMask = 0xFFFFFFFF;
      l.mirrorXBit = l.mirrorYBit = l.paletteMask = 0;
      l.paletteShift = 32;
    }
    return l;
  }

  // The number of pixels that differ, with the first one reported.
  int differences(const ReferenceFrame& expected) {
    int differences = 0;
    for (int y = 0; y < expected.height; ++y)
      for (int x = 0; x < expected.width; ++x) {
        // The frame's fourth byte is not part of the picture.
        uint32_t got = w.editorSurface.at(x, y) & 0xFFFFFFu;
        uint32_t want = expected.pixels[static_cast<size_t>(y * expected.width + x)] & 0xFFFFFFu;
        if (got != want && differences++ == 0)
          ADD_FAILURE() << "first difference at " << x << "," << y << ": " << std::hex << got
                        << " instead of " << want;
      }
    return differences;
  }
};

TEST_F(FrameComposition, ASingleMapMatchesTheReferenceWithMirrorsSubPalettesRangesAndClipping) {
  LoadedMap m = randomMap(20, 12, 40, 0);
  int e = addMapElement("carte", std::move(m));
  ASSERT_TRUE(editor->open(e));
  Background& b = editor->activeBackground();
  b.gbaEmulation = true;
  b.referenceTile = 3;
  b.displayMask = 0xFFFFF3FF;  // drops the vertical mirror bit
  AddValueRange(b.ranges, MakeValueRange(5, 9, 0x2C20, false));
  AddValueRange(b.ranges, MakeValueRange(0x1010, 0x1020, 0x1400, true));
  editor->setScroll(16, 8);
  w.editor.transparency = 1;  // a single background stays opaque
  compose(61, 45);
  ReferenceFrame expected = ReferenceFill(61, 45, kFill);
  ReferenceDraw(expected, layer(0, 256, false));
  EXPECT_EQ(differences(expected), 0);
}

TEST_F(FrameComposition, ValueWith0x1C05IsTileFiveMirroredBothWaysInSubPaletteOne) {
  int e = addMapElement("un", MakeMap(1, 1, 0x1C05, 8, 8, 8));
  ASSERT_TRUE(editor->open(e));
  Background& b = editor->activeBackground();
  b.gbaEmulation = true;
  compose(8, 8);
  const uint32_t* tile = b.tilePixels.data() + 5 * 64;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      ASSERT_EQ(w.editorSurface.at(x, y), b.colours[16 + (tile[(7 - y) * 8 + (7 - x)] & 15)])
          << x << "," << y;
  // Without emulation the value is tile 7173, beyond the tileset: not drawn.
  b.gbaEmulation = false;
  compose(8, 8);
  EXPECT_EQ(w.editorSurface.at(3, 3), kFill);
  b.tileCount = 7174;
  b.tilePixels.resize(7174 * 64, 1);
  compose(8, 8);
  EXPECT_EQ(w.editorSurface.at(3, 3), b.colours[1]);
}

TEST_F(FrameComposition, LayersComposeWithOpacitiesParallaxAndColourZeroShowingThrough) {
  int a = addMapElement("bas", randomMap(30, 20, 24, 0, 8, 8, 2));
  int c = addMapElement("milieu", randomMap(10, 8, 12, 1, 16, 16, 3));
  int d = addMapElement("cache", randomMap(30, 20, 24, 0, 8, 8, 4));
  int f = addMapElement("haut", randomMap(12, 40, 20, 0, 32, 8, 5));
  ASSERT_TRUE(editor->open(a));
  for (int e : {c, d, f}) ASSERT_EQ(editor->addBackground(e), AddResult::Added);
  for (int i = 0; i < 4; ++i) editor->background(i).gbaEmulation = i != 1;
  editor->background(0).parallaxX = 0.5;
  editor->background(0).parallaxY = 0.25;
  editor->background(1).parallaxX = 0.75;
  editor->setVisible(2, false);
  editor->setActive(3);
  editor->setScroll(64, 48);
  w.editor.transparency = 1;
  w.editor.backgroundOpacity = 100;
  w.editor.foregroundOpacity = 300;  // stored above 255: drawn at 255
  for (int ownPalettes : {1, 0}) {
    w.editor.ownPalettes = ownPalettes;
    compose(150, 100);
    ReferenceFrame expected = ReferenceFill(150, 100, kFill);
    ReferenceDraw(expected, layer(0, 100, false));
    ReferenceLayer middle = layer(1, 100, true);
    if (!ownPalettes) middle.colours = editor->background(3).colours.data();
    ReferenceDraw(expected, middle);
    ReferenceDraw(expected, layer(3, 255, true));
    EXPECT_EQ(differences(expected), 0) << "one palette per background: " << ownPalettes;
  }
  // Without transparency every layer is drawn at full strength.
  w.editor.transparency = 0;
  w.editor.ownPalettes = 1;
  compose(150, 100);
  ReferenceFrame expected = ReferenceFill(150, 100, kFill);
  ReferenceDraw(expected, layer(0, 256, false));
  ReferenceDraw(expected, layer(1, 256, true));
  ReferenceDraw(expected, layer(3, 256, true));
  EXPECT_EQ(differences(expected), 0);
}

TEST_F(FrameComposition, DirectColourTilesLeaveTransparentPixelsAlone) {
  int a = addMapElement("fond", randomMap(6, 6, 10, 0, 8, 8, 6));
  LoadedMap top = randomMap(6, 6, 10, 3, 8, 8, 7);
  for (size_t i = 0; i < top.tiles.tilePixels.size(); ++i)
    top.tiles.tilePixels[i] =
        (i % 5 == 0) ? 0x00FFFFFFu : (0xFF000000u | static_cast<uint32_t>((i * 2654435761u) >> 8));
  int b = addMapElement("direct", std::move(top));
  ASSERT_TRUE(editor->open(a));
  ASSERT_EQ(editor->addBackground(b), AddResult::Added);
  editor->background(0).gbaEmulation = true;
  editor->background(1).mapFormat = 2;
  editor->setActive(1);
  compose(40, 40);
  ReferenceFrame expected = ReferenceFill(40, 40, kFill);
  ReferenceDraw(expected, layer(0, 256, false));
  ReferenceDraw(expected, layer(1, 256, true));
  EXPECT_EQ(differences(expected), 0);
}

TEST_F(FrameComposition, HexModePrintsValuesOverTheFaintMapOnWhite) {
  int e = addMapElement("hexa", MakeMap(4, 4, -1, 64));
  ASSERT_TRUE(editor->open(e));
  editor->activeBackground().cells[5] = 0x1B08;
  editor->setHexMode(true);
  compose(64, 64);
  // Cell (1, 1) at (16, 16): digits 8, 0 on the lower line, B, 1 above.
  DigitPlace low = HexDigitPlace(16, 16, 16, 16, 0);
  uint16_t glyph = HexGlyph(8);
  for (int r = 0; r < kGlyphHeight; ++r)
    for (int c = 0; c < kGlyphWidth; ++c)
      if ((glyph >> (14 - (r * 3 + c))) & 1) {
        EXPECT_EQ(w.editorSurface.at(low.x + c, low.y + r), kBlack);
      }
  // Outside tiles and digits the surface is white; the tiles show faintly.
  EXPECT_EQ(w.editorSurface.at(63, 63), kWhite);
  ReferenceFrame faint = ReferenceFill(64, 64, kWhite);
  Background copy = editor->activeBackground();
  ReferenceLayer l = layer(0, 96, false);
  l.background = &copy;
  ReferenceDraw(faint, l);
  EXPECT_EQ(w.editorSurface.at(2, 2), faint.at(2, 2));
  EXPECT_EQ(w.editorSurface.at(12, 12), kWhite);
  editor->setHexMode(false);
  EXPECT_EQ(editor->activeBackground().cellWidth, 8);
}

TEST_F(FrameComposition, TheGridOutlinesSnapSquaresOverTheMapOnly) {
  int e = addMapElement("grille", MakeMap(4, 3, 0, 4));
  ASSERT_TRUE(editor->open(e));
  w.editor.grid = 1;
  w.editor.gridOpacity = 0;        // 0 is solid
  w.editor.gridColour = 0x0000FF;  // red
  editor->setSnapGridOf(0, 16, 16);
  compose(48, 40);
  const uint32_t red = 0xFFFF0000u;
  EXPECT_EQ(w.editorSurface.at(0, 5), red);
  EXPECT_EQ(w.editorSurface.at(15, 5), red);
  EXPECT_EQ(w.editorSurface.at(16, 5), red);
  EXPECT_NE(w.editorSurface.at(8, 5), red);
  EXPECT_EQ(w.editorSurface.at(5, 16), red);
  EXPECT_NE(w.editorSurface.at(5, 23), red);  // the square's far side is below the map
  EXPECT_EQ(w.editorSurface.at(31, 20), red);
  EXPECT_NE(w.editorSurface.at(5, 24), red);
  EXPECT_NE(w.editorSurface.at(40, 5), red);  // beyond the map's 32 pixels
  // A grid of 2 × 2 is not drawn.
  editor->setSnapGridOf(0, 2, 2);
  compose(48, 40);
  EXPECT_NE(w.editorSurface.at(0, 5), red);
}

TEST_F(FrameComposition, ObjectsAreDrawnAtTheirPositionsWithColourZeroTransparent) {
  int m = addMapElement("carte", randomMap(8, 8, 16, 0, 8, 8, 9));
  LoadedList list;
  list.elementSize = 12;
  list.tiles = MakeTiles(16, 8, 8, 0);
  int l = addListElement("objets", std::move(list));
  ASSERT_TRUE(editor->open(m));
  ASSERT_EQ(editor->addBackground(l), AddResult::Added);
  editor->background(0).gbaEmulation = true;
  ASSERT_TRUE(editor->addListElement(1, 13, 7, 4));
  ASSERT_TRUE(editor->addListElement(1, 40, 30, 99));  // beyond the tileset: not drawn
  compose(64, 64);
  // The list (background 2) is drawn first, the active map over it lets the
  // objects show through its colour 0.
  ReferenceFrame expected = ReferenceFill(64, 64, kFill);
  const Background& objects = editor->background(1);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      uint32_t p = objects.tilePixels[4 * 64 + static_cast<size_t>(y * 8 + x)] & 15;
      if (p) expected.at(13 + x, 7 + y) = objects.colours[p];
    }
  ReferenceDraw(expected, layer(0, 256, true));
  EXPECT_EQ(differences(expected), 0);
  // Active, the list is drawn over the map.
  editor->setActive(1);
  compose(64, 64);
  expected = ReferenceFill(64, 64, kFill);
  ReferenceDraw(expected, layer(0, 256, false));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      uint32_t p = objects.tilePixels[4 * 64 + static_cast<size_t>(y * 8 + x)] & 15;
      if (p) expected.at(13 + x, 7 + y) = objects.colours[p];
    }
  EXPECT_EQ(differences(expected), 0);
}

}  // namespace
}  // namespace mapeditortest
