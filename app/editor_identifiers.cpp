#include "app/editor_identifiers.h"

#include "platform/text_encoding.h"
#include "script/command_arguments.h"
#include "mapeditor/editor_access.h"
#include "app/entry_makers.h"
#include "app/root_table.h"
#include "script/script_messages.h"
#include "app/vocabulary_messages.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

namespace {

constexpr int32_t kBitsPerCell = 32;
constexpr size_t kMaxBitNameChars = 31;

template <int32_t mapeditor::EditorSettings::*Member>
int32_t& Setting(Workshop& w) {
  return w.editor.*Member;
}

// --- `editeur` ---------------------------------------------------------------

// width, height[, left, top[, maximised]]: two numbers only resize.
void PlaceEditorCommand(Workshop& w, std::string_view value) {
  CommandArguments args(value);
  int32_t n[5] = {};
  int count = 0;
  while (count < 5 && !args.atEnd()) n[count++] = args.signedInteger();
  if (count < 2 || !w.openEditor) return;
  w.openEditor->placeEditor(n[0], n[1], n[2], n[3], count >= 4, count >= 5 && n[4] != 0);
}

void ZoomCommand(Workshop& w, std::string_view value) {
  double zoom = CommandArguments(value).real();
  if (!(zoom > 0)) return;
  w.editor.zoom = zoom;
  if (w.openEditor) w.openEditor->setZoom(zoom);
}

constexpr TwinRow kEditorRows[] = {
    {"popupinfos", "popupinfos", IntegerEntry<Setting<&mapeditor::EditorSettings::popupInfos>>()},
    {"tempspopup", "popuptime", IntegerEntry<Setting<&mapeditor::EditorSettings::popupTime>>()},
    {"blocinvisible", "invisibleblock",
     IntegerEntry<Setting<&mapeditor::EditorSettings::invisibleBlock>>()},
    {"zoomprecis", "precisezoom", IntegerEntry<Setting<&mapeditor::EditorSettings::preciseZoom>>()},
    {"grille", "grid", IntegerEntry<Setting<&mapeditor::EditorSettings::grid>>()},
    {"couleurgrille", "gridcolor", IntegerEntry<Setting<&mapeditor::EditorSettings::gridColour>>()},
    {"alphagrille", "alphagrid", IntegerEntry<Setting<&mapeditor::EditorSettings::gridOpacity>>()},
    {"masquezero", "zeromask", IntegerEntry<Setting<&mapeditor::EditorSettings::zeroMask>>()},
    {"deplace", "move", CommandEntry<PlaceEditorCommand>()},
};

constexpr Entry kEditorSingleRows[] = {
    Named("timing", IntegerEntry<Setting<&mapeditor::EditorSettings::timing>>()),
    Named("zoom", CommandEntry<ZoomCommand>()),
};

constexpr auto kEditorEntries = ExpandTwins(kEditorRows, kEditorSingleRows);

// --- `modehexa` --------------------------------------------------------------

constexpr TwinRow kHexModeRows[] = {
    {"actif", "enabled", IntegerEntry<Setting<&mapeditor::EditorSettings::hexMode>>()},
    {"comblezeros", "fillzeros", IntegerEntry<Setting<&mapeditor::EditorSettings::hexFillZeros>>()},
    {"fondactif", "activemap",
     IntegerEntry<Setting<&mapeditor::EditorSettings::hexGraphicsBehind>>()},
};

constexpr auto kHexModeEntries = ExpandTwins(kHexModeRows);

// --- `specimen` --------------------------------------------------------------

void ShowSpecimenCommand(Workshop& w, std::string_view value) {
  w.editor.specimenShown = CommandArguments(value).integer() != 0 ? 1 : 0;
  if (w.openEditor) w.openEditor->showSpecimen(w.editor.specimenShown != 0);
}

void AddSpecimenMapCommand(Workshop& w, std::string_view value) {
  int32_t number = CommandArguments(value).signedInteger();
  if (w.openEditor) w.openEditor->addSpecimenMap(number);
}

// width, height[, left, top].
void PlaceSpecimenCommand(Workshop& w, std::string_view value) {
  CommandArguments args(value);
  int32_t n[4] = {};
  int count = 0;
  while (count < 4 && !args.atEnd()) n[count++] = args.signedInteger();
  if (count < 2 || !w.openEditor) return;
  w.openEditor->placeSpecimen(n[0], n[1], n[2], n[3], count >= 4);
}

constexpr TwinRow kSpecimenRows[] = {
    {"affiche", "show", CommandEntry<ShowSpecimenCommand>()},
    {"ajoutemap", "addmap", CommandEntry<AddSpecimenMapCommand>()},
    {"deplace", "move", CommandEntry<PlaceSpecimenCommand>()},
};

constexpr auto kSpecimenEntries = ExpandTwins(kSpecimenRows);

// --- `bits` ------------------------------------------------------------------

void ShowBitGridCommand(Workshop& w, std::string_view) {
  if (w.openEditor) w.openEditor->showBitGrid();
}

// The background (the path's index) and the bit number, checked with the
// command's own messages; the bit, or -1 when refused.
int32_t CheckedBit(Workshop& w, CommandArguments& args, std::string_view needsBackground,
                   std::string_view outOfRange) {
  if (w.interpreter.currentIndex < 0) {
    ReportScriptError(w, needsBackground);
    return -1;
  }
  int32_t bit = args.signedInteger();
  if (bit < 0 || bit >= kBitsPerCell) {
    ReportScriptError(w, outOfRange);
    return -1;
  }
  return bit;
}

void BitNameCommand(Workshop& w, std::string_view value) {
  CommandArguments args(value);
  int32_t bit = CheckedBit(w, args, text::kBitNameNeedsBackground, text::kBitNameOutOfRange);
  if (bit < 0) return;
  auto name = args.string();
  if (!name || platform::Utf8Length(*name) > kMaxBitNameChars) return;
  w.interpreter.bitNamesChanged = true;
  if (w.openEditor) w.openEditor->setBitName(w.interpreter.currentIndex, bit, *name);
}

void BitActiveCommand(Workshop& w, std::string_view value) {
  CommandArguments args(value);
  int32_t bit = CheckedBit(w, args, text::kBitActiveNeedsBackground, text::kBitActiveOutOfRange);
  if (bit < 0) return;
  bool active = args.integer() != 0;
  w.interpreter.bitNamesChanged = true;
  if (w.openEditor) w.openEditor->setBitActive(w.interpreter.currentIndex, bit, active);
}

void MoveBitGridCommand(Workshop& w, std::string_view value) {
  CommandArguments args(value);
  int32_t left = args.signedInteger();
  int32_t top = args.signedInteger();
  if (w.openEditor) w.openEditor->moveBitGrid(left, top);
}

constexpr TwinRow kBitsRows[] = {
    {"affiche", "show", CommandEntry<ShowBitGridCommand>()},
    {"textebit", "bittext", CommandEntry<BitNameCommand>()},
    {"bitactif", "bitenabled", CommandEntry<BitActiveCommand>()},
    {"masquezero", "zeromask", IntegerEntry<Setting<&mapeditor::EditorSettings::bitsZeroMask>>()},
    {"deplace", "move", CommandEntry<MoveBitGridCommand>()},
};

constexpr auto kBitsEntries = ExpandTwins(kBitsRows);

}  // namespace

const ObjectTable kEditorObject{kEditorEntries};
const ObjectTable kHexModeObject{kHexModeEntries};
const ObjectTable kSpecimenObject{kSpecimenEntries};
const ObjectTable kBitsObject{kBitsEntries};

}  // namespace app
