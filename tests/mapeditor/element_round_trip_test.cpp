// The editor on real element files: written by the platform's writers (as
// conversions write them), opened, edited, saved and opened again.
#include <gtest/gtest.h>

#include <cstddef>
#include <tuple>

#include "convert/colour_tables.h"
#include "convert/conversion_job.h"
#include "convert/converted_pixel.h"
#include "convert/gba_modes.h"
#include "convert/surface.h"
#include "convert/tile_conversion.h"
#include "formats/element_files.h"
#include "mapeditor/frame_renderer.h"
#include "mapeditor/map_editor.h"
#include "app/platform_element_store.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/recording_platform.h"
#include "app/platform_writers.h"
#include "app/platforms.h"
#include "app/workshop.h"
#include "test_support/temp_dir.h"

namespace {

using namespace mapeditor;

class ElementRoundTrip : public ::testing::Test {
 protected:
  ElementRoundTrip() {
    w.paths.scriptPath = dir.file("script.spt");
    palette = entry("decor", "decor.pal.c", project::kKindPalette);
    tileset = entry("decor", "decor.til.c", project::kKindTileset);
    map = entry("niveau", "niveau.map.c", project::kKindMap);
    // 32 colours: two sub-palettes of 16.
    for (uint32_t i = 0; i < 32; ++i)
      colours.push_back(convert::MakePixel(i, 31 - i, (i * 5) % 32));
    // Six 32 × 16 tiles of 4-bit pixels.
    for (size_t i = 0; i < 6 * 8 * 64; ++i)
      pixels.push_back(static_cast<uint32_t>((i * 7 + i / 64) % 16));
    for (uint32_t i = 0; i < 20; ++i) cells.push_back(i % 6 | ((i % 3) << 12));
    app::PlatformWriters writers(w);
    EXPECT_TRUE(writers.writePalette(palette, colours));
    EXPECT_TRUE(
        writers.writeTileset(tileset, &palette, convert::kGbaColourModes[0], pixels, 6, 32, 16));
    EXPECT_TRUE(writers.writeMap(map, &tileset, &palette, app::CurrentPlatform(w).mapFormats[1],
                                 cells, 5, 4, 32, 16));
    for (const project::EntryRecord* e : {&palette, &tileset, &map}) w.project.appendRaw(*e);
    editor = std::make_unique<MapEditor>(w.editorHost, shared, store);
  }

  project::EntryRecord entry(std::string name, std::string file, uint32_t kind) {
    project::EntryRecord e;
    e.name = std::move(name);
    e.file = dir.file(file);
    e.kind = kind;
    return e;
  }

  testsupport::TempDir dir;
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  platform::FixedMachine machine;
  app::Workshop w{platform::Services{dialogs, shell, machine}};
  app::PlatformElementStore store{w};
  MapEditorShared shared;
  std::unique_ptr<MapEditor> editor;
  project::EntryRecord palette, tileset, map;
  std::vector<uint32_t> colours, pixels, cells;
};

TEST_F(ElementRoundTrip, AWrittenMapOpensWithItsTilesAndPalette) {
  ASSERT_TRUE(editor->open(2)) << ::testing::PrintToString(dialogs.texts());
  const Background& b = editor->activeBackground();
  EXPECT_EQ(b.width, 5);
  EXPECT_EQ(b.height, 4);
  EXPECT_EQ(b.cells, cells);
  EXPECT_EQ(b.tileWidth, 32);
  EXPECT_EQ(b.tileHeight, 16);
  EXPECT_EQ(b.tileCount, 6);
  EXPECT_EQ(b.colourMode, 0);
  EXPECT_EQ(b.mapFormat, 1);
  EXPECT_EQ(b.tilePixels, pixels);
  EXPECT_EQ(platform::ToNative(b.tilesetFile), tileset.file);
  EXPECT_EQ(platform::ToNative(b.paletteFile), palette.file);
  // Colour 17 (sub-palette 1, index 1) shows with its levels times 8.
  EXPECT_EQ(b.colours[17] & 0xFFFFFFu,
            convert::MakePixel(17 * 8, 14 * 8, ((17 * 5) % 32) * 8) & 0xFFFFFFu);
}

TEST_F(ElementRoundTrip, EditedCellsComeBackAfterSavingAndReopening) {
  ASSERT_TRUE(editor->open(2));
  editor->setPatternValue(0x1C05);
  editor->paint({64, 16, 64, 16}, false);  // cell (2, 1)
  editor->setHexMode(true);                // shown as 16 × 16 hex cells
  editor->saveActiveGroup();
  EXPECT_FALSE(editor->modified(0));
  ASSERT_TRUE(editor->close());
  ASSERT_TRUE(editor->open(2)) << ::testing::PrintToString(dialogs.texts());
  const Background& b = editor->activeBackground();
  std::vector<uint32_t> expected = cells;
  expected[1 * 5 + 2] = 0x1C05;
  EXPECT_EQ(b.cells, expected);
  // The file keeps its block size, and the settings file brought hex mode back.
  EXPECT_EQ(b.tileWidth, 32);
  EXPECT_EQ(b.tileHeight, 16);
  EXPECT_EQ(w.editor.hexMode, 1);
  EXPECT_EQ(b.cellWidth, 16);
}

TEST_F(ElementRoundTrip, ACellWithFlagsDrawsTheFilesTileMirroredInItsSubPalette) {
  ASSERT_TRUE(editor->open(2));
  Background& b = editor->activeBackground();
  b.gbaEmulation = true;
  b.cells[0] = 0x1C05;
  convert::ResizeSurface(w.editorSurface, 32, 16, true, 0, dialogs);
  convert::SelectSurface(w.drawing, w.editorSurface);
  ComposeFrame(*editor, w.drawing);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) {
      // Pixel (31 − x, 15 − y) of tile 5, from its eight 8 × 8 blocks.
      int sx = 31 - x, sy = 15 - y;
      size_t block = 5 * 8 + static_cast<size_t>((sy / 8) * 4 + sx / 8);
      uint32_t index = pixels[block * 64 + static_cast<size_t>((sy % 8) * 8 + sx % 8)];
      uint32_t c = colours[16 + index];
      uint32_t want = convert::MakePixel(convert::PixelRed(c) * 8, convert::PixelGreen(c) * 8,
                                         convert::PixelBlue(c) * 8);
      ASSERT_EQ(w.editorSurface.at(x, y) & 0xFFFFFFu, want & 0xFFFFFFu) << x << "," << y;
    }
}

TEST_F(ElementRoundTrip, AListBackgroundSavesItsElements) {
  project::EntryRecord list = entry("objets", "objets.lst.c", project::kKindList);
  formats::ListObjects none;
  formats::ListWriteDetails details;
  details.tileset = &tileset;
  details.tileWidth = 32;
  details.tileHeight = 16;
  ASSERT_TRUE(app::CurrentPlatform(w).ioSlots.writeList(w, {list}, none, details));
  w.project.appendRaw(list);
  ASSERT_TRUE(editor->open(2));
  ASSERT_EQ(editor->addBackground(3), AddResult::Added)
      << ::testing::PrintToString(dialogs.texts());
  editor->setActive(1);
  ASSERT_TRUE(editor->addListElement(1, 40, 8, 3));
  ASSERT_TRUE(editor->addListElement(1, 8, 24, 1));
  editor->pushUndoGroup();
  editor->saveActiveGroup();
  ASSERT_TRUE(editor->close());
  ASSERT_TRUE(editor->open(2));
  // The map settings file written on saving has opened the list again.
  ASSERT_EQ(editor->addBackground(3), AddResult::AlreadyOpen);
  const Background& l = editor->background(1);
  ASSERT_EQ(l.elementCount, 2);
  EXPECT_EQ(l.tileCount, 6);
  // Written sorted by x.
  EXPECT_EQ(formats::ReadObjectWord(l.element(0), formats::kObjectX), 8);
  EXPECT_EQ(formats::ReadObjectWord(l.element(1), formats::kObjectType), 3);
}

// An image converted by the conversion engine into a tileset with two
// sub-palettes and a map, opened in the editor: the frame shows the image.
TEST(ConvertedMap, TheEditorShowsTheConvertedImageAndKeepsItsEdits) {
  testsupport::TempDir dir;
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  platform::FixedMachine machine;
  app::Workshop w{platform::Services{dialogs, shell, machine}};
  w.paths.scriptPath = dir.file("script.spt");
  // 32 × 16 pixels: the left tiles in reds, the right ones in blues, so that
  // each half needs a sub-palette of its own. Levels times 8 convert exactly.
  auto colour = [](uint32_t r, uint32_t g, uint32_t b) {
    return 0xFF000000u | (r * 8) << 16 | (g * 8) << 8 | (b * 8);
  };
  std::vector<uint32_t> image(32 * 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) {
      uint32_t shade = static_cast<uint32_t>((x * 3 + y * 5) % 12) + 2;
      image[static_cast<size_t>(y * 32 + x)] =
          x < 16 ? colour(shade * 2, shade, 1) : colour(1, shade, shade * 2);
    }
  ASSERT_TRUE(convert::ResizeSurface(w.loadingSurface, 32, 16, true, 0, dialogs));
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) w.loadingSurface.at(x, y) = image[static_cast<size_t>(y * 32 + x)];
  const app::PlatformRecord& p = app::CurrentPlatform(w);
  const convert::ColourMode& mode = p.colourModes[0];  // 4 bits, sub-palettes of 16
  convert::RebuildColourTables(w.conversion, &mode, w.colourTables);
  project::EntryRecord tiles, palette, map;
  for (auto [e, name, file, kind] :
       {std::tuple{&tiles, "conv", "conv.til.c", project::kKindTileset},
        std::tuple{&palette, "conv", "conv.pal.c", project::kKindPalette},
        std::tuple{&map, "conv", "conv.map.c", project::kKindMap}}) {
    e->name = name;
    e->file = dir.file(file);
    e->kind = kind;
  }
  app::PlatformWriters writers(w);
  convert::ConversionJob job;
  job.tileset = &tiles;
  job.palette = &palette;
  job.map = &map;
  job.colourCount = 30;
  job.image = {&w.loadingSurface, 32, 16};
  job.areaWidth = 32;
  job.areaHeight = 16;
  convert::ConversionContext context{w.conversion,    w.colourTables, mode,
                                     p.mapFormats[1], dialogs,        writers};
  context.messages = false;
  ASSERT_TRUE(convert::ConvertTiles(job, context)) << ::testing::PrintToString(dialogs.texts());
  for (const project::EntryRecord* e : {&tiles, &palette, &map}) w.project.appendRaw(*e);

  w.system.emulGba = 1;  // the cells carry their sub-palettes
  app::PlatformElementStore store(w);
  MapEditorShared shared;
  MapEditor editor(w.editorHost, shared, store);
  ASSERT_TRUE(editor.open(2)) << ::testing::PrintToString(dialogs.texts());
  ASSERT_EQ(editor.activeBackground().width, 4);
  ASSERT_EQ(editor.activeBackground().height, 2);
  const std::vector<uint32_t>& cells = editor.activeBackground().cells;
  EXPECT_NE(cells[0] >> 12, cells[3] >> 12) << "two sub-palettes";
  ASSERT_TRUE(convert::ResizeSurface(w.editorSurface, 32, 16, true, 0, dialogs));
  convert::SelectSurface(w.drawing, w.editorSurface);
  ComposeFrame(editor, w.drawing);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(w.editorSurface.at(x, y) & 0xFFFFFFu,
                image[static_cast<size_t>(y * 32 + x)] & 0xFFFFFFu)
          << x << "," << y;

  // The left top tile copied over the right bottom one, saved and reopened.
  uint32_t copied = editor.activeBackground().cell(0, 0);
  editor.setPatternValue(copied);
  editor.paint({24, 8, 24, 8}, false);
  editor.saveActiveGroup();
  ASSERT_TRUE(editor.close());
  ASSERT_TRUE(editor.open(2));
  EXPECT_EQ(editor.activeBackground().cell(3, 1), copied);
  ComposeFrame(editor, w.drawing);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      ASSERT_EQ(w.editorSurface.at(24 + x, 8 + y) & 0xFFFFFFu,
                image[static_cast<size_t>(y * 32 + x)] & 0xFFFFFFu);
}

}  // namespace
