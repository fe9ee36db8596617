#include "app/background_identifiers.h"

#include <vector>

#include "script/command_arguments.h"
#include "mapeditor/editor_access.h"
#include "app/entry_makers.h"
#include "app/root_table.h"
#include "script/script_line.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

namespace {

constexpr int32_t kBackgroundSlots = 20;

template <int32_t mapeditor::EditorSettings::*Member>
int32_t& Setting(Workshop& w) {
  return w.editor.*Member;
}

int32_t& VisibleAt(Workshop& w, int index) { return w.editor.visible[static_cast<size_t>(index)]; }

const ArrayDesc kVisibleArray{
    .count = kBackgroundSlots,
    .elementKind = EntryKind::Integer,
    .integerAt = IntegerAt<VisibleAt>(),
};

// The background the command acts on: the one of the path's index.
int32_t Index(const Workshop& w) { return w.interpreter.currentIndex; }

// `ajoute "name"[, slot]`: a slot 1 to 20 loads the map into that slot.
void AddCommand(Workshop& w, std::string_view value) {
  CommandArguments args(value);
  auto name = args.string();
  if (!name || !w.openEditor) return;
  int32_t slot = args.integer();
  if (slot < 1 || slot > kBackgroundSlots) slot = 0;
  w.openEditor->addBackgroundByName(*name, slot);
}

void ResetCommand(Workshop& w, std::string_view) {
  if (w.openEditor) w.openEditor->resetBackgrounds();
}

void LinkCommand(Workshop& w, std::string_view value) {
  std::vector<int32_t> numbers;
  CommandArguments args(value);
  while (!args.atEnd()) numbers.push_back(args.signedInteger());
  if (w.openEditor) w.openEditor->linkBackgrounds(numbers);
}

void ScrollRateCommand(Workshop& w, std::string_view value) {
  CommandArguments args(value);
  double x = args.real();
  double y = args.real();
  if (w.openEditor) w.openEditor->setScrollRate(Index(w), x, y);
}

// `ajcondition lowest, highest target`, with `=` at the end for a range that
// does not count up.
void AddConditionCommand(Workshop& w, std::string_view value) {
  CommandArguments args(value);
  auto lowest = static_cast<uint32_t>(args.integer());
  auto highest = static_cast<uint32_t>(args.integer());
  auto target = static_cast<uint32_t>(args.integer());
  size_t end = value.size();
  while (end > 0 && IsBlank(value[end - 1])) --end;
  bool noIncrement = end > 0 && value[end - 1] == '=';
  if (w.openEditor) w.openEditor->addCondition(Index(w), lowest, highest, target, noIncrement);
}

void GridCommand(Workshop& w, std::string_view value) {
  CommandArguments args(value);
  int32_t width = args.signedInteger();
  int32_t height = args.atEnd() ? 0 : args.signedInteger();
  if (w.openEditor) w.openEditor->setSnapGrid(Index(w), width, height);
}

void GbaEmulationCommand(Workshop& w, std::string_view value) {
  bool on = CommandArguments(value).integer() != 0;
  if (w.openEditor) w.openEditor->setGbaEmulation(Index(w), on);
}

constexpr TwinRow kBackgroundRows[] = {
    {"alphapremplan", "alphaforeground",
     IntegerEntry<Setting<&mapeditor::EditorSettings::foregroundOpacity>>()},
    {"proprepalette", "multipalettes",
     IntegerEntry<Setting<&mapeditor::EditorSettings::ownPalettes>>()},
    {"transparence", "transparency",
     IntegerEntry<Setting<&mapeditor::EditorSettings::transparency>>()},
    {"ajoute", "add", CommandEntry<AddCommand>()},
    {"reinit", "reset", CommandEntry<ResetCommand>()},
    {"liemap", "link", CommandEntry<LinkCommand>()},
    {"vitessedefil", "scrollrate", CommandEntry<ScrollRateCommand>()},
    {"ajcondition", "addcondition", CommandEntry<AddConditionCommand>()},
    {"grille", "stepping", CommandEntry<GridCommand>()},
};

constexpr Entry kBackgroundSingleRows[] = {
    Named("grid", CommandEntry<GridCommand>()),  // a second English name
    Named("alphahex", IntegerEntry<Setting<&mapeditor::EditorSettings::hexOpacity>>()),
    Named("alphagfx", IntegerEntry<Setting<&mapeditor::EditorSettings::backgroundOpacity>>()),
    Named("visible", ArrayEntry(&kVisibleArray)),
    Named("emulgba", CommandEntry<GbaEmulationCommand>()),
};

constexpr auto kBackgroundEntries = ExpandTwins(kBackgroundRows, kBackgroundSingleRows);

}  // namespace

const ObjectTable kBackgroundsObject{kBackgroundEntries};

}  // namespace app
