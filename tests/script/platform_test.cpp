// The platform record of the Game Boy Advance: its options and their script
// object, the text format's masks, the export hook, platform selection and
// the options panel.
#include "convert/colour_tables.h"
#include "convert/map_format.h"
#include "formats/format_library.h"
#include "app/gba_platform.h"
#include "app/platforms.h"
#include "script/script_host.h"
#include "script_fixture.h"

using namespace script;
using namespace app;
using scripttest::ScriptFixture;

namespace {

const convert::MapFormat& TextFormat(const Workshop& w) {
  return CurrentPlatform(w).mapFormats[kGbaTextMapFormat];
}

class CountingHost : public ScriptHost {
 public:
  void setTreeReactionsSuspended(bool) override {}
  void rebuildBitGrid() override {}
  void showMainWindow(bool) override {}
  void refreshPlatformDisplays() override { ++refreshes; }
  int refreshes = 0;
};

// A second platform to switch to; it has no events of its own.
void AddOtherPlatform(Workshop& w) {
  PlatformRecord other = w.platforms.records.front();
  other.name = "Autre console";
  other.event = nullptr;
  w.platforms.records.push_back(other);
}

class PlatformRecords : public ScriptFixture {};

}  // namespace

TEST_F(PlatformRecords, TheGameBoyAdvanceIsCurrentFromTheStart) {
  const PlatformRecord& p = CurrentPlatform(w);
  EXPECT_EQ(p.name, "Game Boy Advance, Nintendo");
  EXPECT_EQ(p.flag, 1);
  EXPECT_EQ(p.colourModeCount(), 4);
  EXPECT_EQ(p.maxPaletteEntries, 256);
  EXPECT_EQ(w.colourMode, 1);
  EXPECT_EQ(CurrentColourMode(w).bitsPerPixel, 8);
  EXPECT_TRUE(w.colourTables.built);
  EXPECT_EQ(w.colourTables.red[255], 31);
  EXPECT_EQ(TextFormat(w).indexMask, 0x3FFu);
  EXPECT_EQ(TextFormat(w).paletteMask, 0xF000u);
  EXPECT_EQ(TextFormat(w).mirrorYMask, 0x800u);
  EXPECT_EQ(p.mapFormats[0].paletteShift, convert::kAbsentField);
  // All thirteen slots but the empty second one are filled.
  const PlatformSlots& s = p.ioSlots;
  EXPECT_TRUE(s.writeOptions && s.exportHook && s.readPalette && s.readTileset && s.readMap &&
              s.readList && s.readBitmap && s.writePalette && s.writeTileset && s.writeMap &&
              s.writeList && s.writeBitmap);
  EXPECT_EQ(s.unused, nullptr);
}

TEST_F(PlatformRecords, MirrorMaskOffAndOnAgainGivesTheTenBitIndexBack) {
  runLines("GBA.mirrorMask = faux\n");
  EXPECT_EQ(TextFormat(w).indexMask, 0xFFFu);
  EXPECT_EQ(TextFormat(w).mirrorXMask, 0u);
  EXPECT_EQ(TextFormat(w).mirrorXShift, 0);
  EXPECT_EQ(TextFormat(w).mirrorYMask, 0u);
  EXPECT_EQ(TextFormat(w).paletteMask, 0xF000u);
  runLines("gba.mirrormask vrai\n");
  EXPECT_EQ(TextFormat(w).indexMask, 0x3FFu);
  EXPECT_EQ(TextFormat(w).mirrorXMask, 0x400u);
  EXPECT_EQ(TextFormat(w).mirrorXShift, 10);
  EXPECT_EQ(TextFormat(w).mirrorYShift, 11);
  EXPECT_TRUE(messages().empty());
}

TEST_F(PlatformRecords, WithoutMaskBitsTextCellsKeepSixteenBitsOfTileNumber) {
  runText("gba.palettemask 0; gba.mirrormask 0");
  const convert::MapFormat& f = TextFormat(w);
  EXPECT_EQ(f.indexMask, 0xFFFFu);
  EXPECT_EQ(f.paletteMask, 0u);
  EXPECT_EQ(f.paletteShift, 0);
  EXPECT_EQ(convert::CellTile(f, 0xF123u), 0xF123u);
  EXPECT_FALSE(convert::CellMirrorX(f, 0xFFFFu));
  EXPECT_EQ(convert::CellSubPalette(f, 0xF123u), 0u);
  // A sub-palette has nowhere to go: the tile number stays whole.
  EXPECT_EQ(convert::CellWithSubPalette(f, 0x1234u, 5), 0x1234u);
  // The palette field alone: 12 bits of tile number.
  runText("gba.palettemask 1");
  EXPECT_EQ(TextFormat(w).indexMask, 0xFFFu);
  EXPECT_EQ(convert::CellSubPalette(TextFormat(w), 0x5123u), 5u);
}

TEST_F(PlatformRecords, AlignmentFillsTheSecondUserTextBeforeExports) {
  runText("gba.align 1");
  EXPECT_EQ(w.platforms.gba.align, 4);
  RunExportHook(w);
  EXPECT_EQ(w.formats.current.user[1], "__attribute__((aligned(4))) ");
  runText("gba.align 0");
  RunExportHook(w);
  EXPECT_EQ(w.formats.current.user[1], "");
}

TEST_F(PlatformRecords, SelectingAnotherPlatformSendsTheEventsAndRefreshesTheWindow) {
  CountingHost host;
  w.interpreter.host = &host;
  AddOtherPlatform(w);
  runText("gba.align 1");
  RunExportHook(w);
  runText("plateforme \"Game Boy Advance, Nintendo\"");
  EXPECT_EQ(host.refreshes, 0);  // already current: nothing happens

  runText("platform \"Autre console\"");
  EXPECT_EQ(w.platforms.current, 1);
  EXPECT_EQ(host.refreshes, 1);
  // The Game Boy Advance was told it stopped being current.
  EXPECT_EQ(w.formats.current.user[1], "");
  // Its alignment is only taken while it is current.
  runText("gba.align 0");
  EXPECT_EQ(w.platforms.gba.align, 4);

  w.colourMode = 3;
  runText("plateforme \"Game Boy Advance, Nintendo\"");
  EXPECT_EQ(w.platforms.current, 0);
  EXPECT_EQ(w.colourMode, 1);  // the platform's default mode
  EXPECT_EQ(host.refreshes, 2);
  EXPECT_TRUE(messages().empty());
  w.interpreter.host = nullptr;
}

TEST_F(PlatformRecords, AnUnknownPlatformIsReportedAndChangesNothing) {
  runText("plateforme \"PlayStation\"");
  ASSERT_EQ(dialogs.entries().size(), 1u);
  EXPECT_EQ(dialogs.entries()[0].text, "La plate-forme spécifiée n'existe pas: PlayStation");
  EXPECT_EQ(dialogs.entries()[0].caption, "Erreur d'exécution du script");
  EXPECT_EQ(dialogs.entries()[0].icon, platform::Icon::Error);
  EXPECT_EQ(w.platforms.current, 0);
}

TEST_F(PlatformRecords, TheOptionsPanelShowsTheOptionsAndStoresItsBoxesBack) {
  runText("gba.align 1; gba.mirrormask 0");
  const PlatformRecord& p = CurrentPlatform(w);
  OptionsPanel map = p.openOptionsPanel(w, true);
  EXPECT_EQ(map.width, 170);
  EXPECT_EQ(map.height, 63);
  ASSERT_EQ(map.boxes.size(), 3u);
  EXPECT_EQ(map.boxes[0].caption, "__attribute__((aligned(4)))");
  EXPECT_TRUE(map.boxes[0].checked);
  EXPECT_EQ(map.boxes[1].caption, "Bits miroir [10-11]");
  EXPECT_FALSE(map.boxes[1].checked);
  EXPECT_EQ(map.boxes[2].caption, "Bits palette [12-15]");
  EXPECT_TRUE(map.boxes[2].checked);

  OptionsPanel tileset = p.openOptionsPanel(w, false);
  EXPECT_EQ(tileset.height, 27);
  ASSERT_EQ(tileset.boxes.size(), 1u);

  const bool mapStates[] = {false, true, false};
  p.closeOptionsPanel(w, true, std::span<const bool>(mapStates));
  EXPECT_EQ(w.platforms.gba.align, 0);
  EXPECT_TRUE(w.platforms.gba.mirrorMask);
  EXPECT_FALSE(w.platforms.gba.paletteMask);
  EXPECT_EQ(TextFormat(w).indexMask, 0x3FFu);
  EXPECT_EQ(TextFormat(w).paletteMask, 0u);

  // A tileset's panel only has the alignment: the masks stay.
  const bool tilesetStates[] = {true};
  p.closeOptionsPanel(w, false, std::span<const bool>(tilesetStates));
  EXPECT_EQ(w.platforms.gba.align, 4);
  EXPECT_FALSE(w.platforms.gba.paletteMask);
}

TEST_F(PlatformRecords, OptionsAreWrittenAsTheLinesThatRestoreThem) {
  runText("gba.palettemask faux; gba.align vrai");
  std::string lines;
  WritePlatformOptions(w, lines);
  EXPECT_EQ(lines, "  GBA.paletteMask = faux\n  GBA.mirrorMask = vrai\n  GBA.align = 4\n");

  StartPlatforms(w);
  EXPECT_TRUE(w.platforms.gba.paletteMask);
  runLines(lines);
  EXPECT_FALSE(w.platforms.gba.paletteMask);
  EXPECT_EQ(w.platforms.gba.align, 4);
  EXPECT_EQ(TextFormat(w).paletteMask, 0u);
}
