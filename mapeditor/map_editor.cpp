#include "mapeditor/map_editor.h"

#include <algorithm>
#include <new>

#include "convert/display_colours.h"
#include "convert/gba_modes.h"
#include "formats/format_library.h"
#include "mapeditor/editor_texts.h"
#include "mapeditor/element_store.h"
#include "mapeditor/layer_compositor.h"
#include "mapeditor/memory_text.h"
#include "platform/paths.h"
#include "mapeditor/settings_file_name.h"
#include "mapeditor/editor_host.h"
#include "project/project.h"

namespace mapeditor {

namespace {

bool SameFile(std::string_view a, std::string_view b) {
  return platform::ToNative(a) == platform::ToNative(b);
}

// A tileset whose pixels fall short of its announced tiles draws only the
// tiles it really has.
int32_t UsableTileCount(const LoadedTiles& t) {
  if (t.tileWidth <= 0 || t.tileHeight <= 0 || t.tileCount <= 0) return 0;
  size_t perTile =
      static_cast<size_t>(t.tileWidth / 8) * static_cast<size_t>(t.tileHeight / 8) * 64;
  if (perTile == 0) return 0;
  size_t available = t.tilePixels.size() / perTile;
  return static_cast<int32_t>(std::min<size_t>(available, static_cast<size_t>(t.tileCount)));
}

}  // namespace

MapEditor::MapEditor(EditorHost& host, MapEditorShared& shared, ElementStore& store)
    : host_(host), shared_(shared), store_(store) {
  for (int i = 0; i < kMaxBackgrounds; ++i) links_[static_cast<size_t>(i)] = SingleLinkRow(i);
}

MapEditor::~MapEditor() {
  if (open_) freeAll();
  if (host_.openEditor() == this) host_.setOpenEditor(nullptr);
}

const convert::MapFormat& MapEditor::mapFormatOf(const Background& b) const {
  return store_.mapFormat(b.mapFormat);
}

const convert::ColourMode& MapEditor::colourModeOf(const Background& b) const {
  return store_.colourMode(b.colourMode);
}

bool MapEditor::visible(int i) const {
  if (i < 0 || i >= kMaxBackgrounds) return false;
  return host_.settings().visible[static_cast<size_t>(i)] != 0;
}

// --- Opening and closing -------------------------------------------------------

bool MapEditor::open(int elementIndex) {
  if (open_) return false;
  uint64_t memory = host_.services().machine.physicalMemoryBytes();
  budget_ = UndoBudget{};
  if (memory > 0) budget_.limit = memory / 4;

  mapeditor::EditorSettings& s = host_.settings();
  const mapeditor::EditorSettings defaults;
  s.gridOpacity = defaults.gridOpacity;
  s.backgroundOpacity = defaults.backgroundOpacity;
  s.hexOpacity = defaults.hexOpacity;
  s.foregroundOpacity = defaults.foregroundOpacity;
  s.gridColour = defaults.gridColour;
  s.grid = 0;
  s.zoom = 1.0;
  s.preciseZoom = 0;
  s.hexMode = 0;
  s.hexGraphicsBehind = 1;
  s.hexFillZeros = 0;
  s.specimenShown = 1;
  s.transparency = 0;
  s.visible.fill(1);
  splitterWidth_ = 128;
  count_ = 0;
  active_ = 0;
  listSelection_.clear();
  for (int i = 0; i < kMaxBackgrounds; ++i) {
    links_[static_cast<size_t>(i)] = SingleLinkRow(i);
    slots_[static_cast<size_t>(i)] = BackgroundSlot{};
  }
  specimen_ = Specimen{};
  bitGrid_ = BitGrid{};
  status_.clear();
  status_.add(texts::kWelcome);
  pattern_ = 0;
  scrollX_ = scrollY_ = 0;
  hexApplied_ = false;
  AllocateSelectionBuffer(shared_.buffer);

  open_ = true;
  host_.setOpenEditor(this);
  if (elementIndex >= 0 && static_cast<size_t>(elementIndex) < host_.project().count())
    openedRecord_ = host_.project().entry(static_cast<size_t>(elementIndex));
  else
    openedRecord_ = project::EntryRecord{};
  specimen_.exists = true;

  bool added = addBackground(elementIndex) == AddResult::Added;
  bool refused = false;
  if (added) {
    host_.runSettingsScript(settingsFilePath());
    refused = !host_.raiseMapEvent(MapEvent::Open, openedRecord_.name);
  }
  if (!added || refused || count_ == 0) {
    freeAll();
    open_ = false;
    if (host_.openEditor() == this) host_.setOpenEditor(nullptr);
    return false;
  }
  followHexMode();
  if (specimen_.maps.empty()) specimen_.exists = false;
  int32_t maxElements = std::max<int32_t>(3, host_.maxListObjects());
  int32_t size = formats::CurrentModel(host_.formats()).objectSize();
  for (ListPlane& lp : shared_.buffer.lists) {
    lp.elementSize = size;
    lp.count = 0;
    try {
      lp.storage.assign(static_cast<size_t>(maxElements) * static_cast<size_t>(size), 0);
    } catch (const std::bad_alloc&) {
      lp.storage.clear();
    }
  }
  return true;
}

bool MapEditor::askToSaveModified() {
  std::array<bool, kMaxBackgrounds> answered{};
  for (int i = 0; i < count_; ++i) {
    if (answered[static_cast<size_t>(i)] || !slots_[static_cast<size_t>(i)].open || !modified(i))
      continue;
    std::string question = texts::WithText(
        texts::kSaveQuestion, project::DisplayName(slots_[static_cast<size_t>(i)].element.name));
    platform::Answer answer = host_.services().dialogs.question(
        question, texts::kCaptionQuestion, platform::Buttons::YesNoCancel, platform::Answer::Yes,
        platform::Icon::Question);
    if (answer == platform::Answer::Cancel) return false;
    if (answer == platform::Answer::Yes) {
      setActive(i);
      // The writer has reported its failure; dropping the changes now would
      // lose them, so the editor stays as it is.
      bool saved = true;
      for (int m : activeGroup()) saved = saveBackground(m) && saved;
      if (!saved) return false;
    }
    answered[static_cast<size_t>(i)] = true;
    for (int m : groupOf(i)) answered[static_cast<size_t>(m)] = true;
  }
  return true;
}

bool MapEditor::close() {
  if (!open_) return true;
  if (!askToSaveModified()) return false;
  for (BackgroundSlot& s : slots_) s.history.clear(budget_);
  if (host_.savesMapSettingsOnClose()) writeMapSettings();
  freeAll();
  open_ = false;
  if (host_.openEditor() == this) host_.setOpenEditor(nullptr);
  return true;
}

void MapEditor::freeAll() {
  for (int i = 0; i < kMaxBackgrounds; ++i) {
    BackgroundSlot& s = slots_[static_cast<size_t>(i)];
    s.history.clear(budget_);
    s.background = Background{};
    s.element = project::EntryRecord{};
    s.open = false;
    s.used = true;
    links_[static_cast<size_t>(i)] = SingleLinkRow(i);
  }
  count_ = 0;
  active_ = 0;
  specimen_.maps.clear();
  listSelection_.clear();
}

// --- Backgrounds ---------------------------------------------------------------

int MapEditor::findOpenElement(const project::EntryRecord& e) const {
  for (int i = 0; i < count_; ++i) {
    const BackgroundSlot& s = slots_[static_cast<size_t>(i)];
    if (!s.open) continue;
    if (s.element.name == e.name && s.element.kindCode() == e.kindCode()) return i;
    if (!e.file.empty() && SameFile(s.element.file, e.file)) return i;
  }
  return -1;
}

AddResult MapEditor::addBackground(int elementIndex) {
  if (!checkBackgroundLimit()) return AddResult::LimitReached;
  if (elementIndex < 0 || static_cast<size_t>(elementIndex) >= host_.project().count())
    return AddResult::Unreadable;
  if (findOpenElement(host_.project().entry(static_cast<size_t>(elementIndex))) >= 0)
    return AddResult::AlreadyOpen;
  return loadInto(count_, elementIndex);
}

bool MapEditor::checkBackgroundLimit() {
  if (count_ < kMaxBackgrounds) return true;
  host_.services().dialogs.message(texts::kBackgroundLimit, texts::kCaptionError,
                                   platform::Icon::Error);
  return false;
}

AddResult MapEditor::replaceBackground(int slotIndex, int elementIndex) {
  if (!isOpenSlot(slotIndex)) return addBackground(elementIndex);
  if (elementIndex < 0 || static_cast<size_t>(elementIndex) >= host_.project().count())
    return AddResult::Unreadable;
  if (findOpenElement(host_.project().entry(static_cast<size_t>(elementIndex))) >= 0)
    return AddResult::AlreadyOpen;
  return loadInto(slotIndex, elementIndex);
}

AddResult MapEditor::loadInto(int slotIndex, int elementIndex) {
  const project::EntryRecord& e = host_.project().entry(static_cast<size_t>(elementIndex));
  bool isList = e.kindCode() == project::kKindList;
  Background b;
  LoadedTiles tiles;
  if (isList) {
    int32_t maxElements = std::max<int32_t>(3, host_.maxListObjects());
    std::optional<LoadedList> list = store_.readList(e, maxElements);
    if (!list || list->elementSize < formats::kObjectHeaderSize || list->count < 0 ||
        list->count > maxElements)
      return AddResult::Unreadable;
    b.kind = project::kKindList;
    b.elementSize = list->elementSize;
    b.maxElements = maxElements;
    b.elementCount = list->count;
    b.model = std::move(list->model);
    try {
      b.elements.assign(static_cast<size_t>(maxElements) * static_cast<size_t>(b.elementSize), 0);
    } catch (const std::bad_alloc&) {
      return AddResult::Unreadable;
    }
    size_t bytes = std::min(list->elements.size(), b.elements.size());
    std::copy_n(list->elements.begin(), bytes, b.elements.begin());
    tiles = std::move(list->tiles);
  } else {
    std::optional<LoadedMap> map = store_.readMap(e);
    if (!map || map->width < 0 || map->height < 0) return AddResult::Unreadable;
    b.kind = project::kKindMap;
    b.width = map->width;
    b.height = map->height;
    b.cells = std::move(map->cells);
    // A reader that gave fewer cells than the size says must not let the
    // editor read past them.
    b.cells.resize(static_cast<size_t>(b.width) * static_cast<size_t>(b.height), 0u);
    b.mapFormat = map->mapFormat;
    tiles = std::move(map->tiles);
  }
  if (!EditableTileSide(tiles.tileWidth) || !EditableTileSide(tiles.tileHeight)) {
    host_.services().dialogs.message(texts::kBadTileSize, texts::kBadTileSizeCaption,
                                     platform::Icon::Error);
    return AddResult::Unreadable;
  }
  b.tileWidth = tiles.tileWidth;
  b.tileHeight = tiles.tileHeight;
  b.tileCount = UsableTileCount(tiles);
  b.tilePixels = std::move(tiles.tilePixels);
  b.colourMode = tiles.colourMode;
  b.blockIndices = BlockIndices(b.tilePixels, store_.colourMode(b.colourMode));
  b.palette = std::move(tiles.palette);
  convert::BuildDisplayTable(b.palette.data(), b.palette.size(),
                             store_.colourMode(b.colourMode).channels, b.colours.data());
  b.tilesetFile = std::move(tiles.tilesetFile);
  b.paletteFile = std::move(tiles.paletteFile);
  b.formatName = std::move(tiles.formatName);
  b.ownFile = e.file;
  b.cellWidth = b.snapX = b.scrollStepX = b.tileWidth;
  b.cellHeight = b.snapY = b.scrollStepY = b.tileHeight;
  if (!isList) b.model = formats::CurrentModel(host_.formats());
  b.gbaEmulation = host_.gbaEmulationByDefault();

  BackgroundSlot& s = slots_[static_cast<size_t>(slotIndex)];
  s.history.clear(budget_);
  s.history = UndoHistory{};
  s.background = std::move(b);
  s.element = e;
  s.open = true;
  s.used = true;
  s.history.push(BackgroundSnapshot(s.background), budget_);
  host_.settings().visible[static_cast<size_t>(slotIndex)] = 1;
  if (slotIndex == count_) ++count_;
  if (slotIndex == active_) followHexMode();
  status_.add(texts::WithText(isList ? texts::kListOpened : texts::kMapOpened, e.name));
  return AddResult::Added;
}

void MapEditor::setActive(int index) {
  if (index < 0 || index >= count_ || index == active_) return;
  listSelection_.clear();
  ShowNaturalCells(background(active_));
  active_ = index;
  hexApplied_ = false;
  followHexMode();
}

void MapEditor::followHexMode() {
  if (count_ == 0 || !isOpenSlot(active_)) return;
  Background& b = background(active_);
  if (host_.settings().hexMode) {
    b.cellWidth = b.cellHeight = kHexCellSide;
  } else {
    ShowNaturalCells(b);
  }
  hexApplied_ = host_.settings().hexMode != 0;
}

// --- Link groups -----------------------------------------------------------------

std::vector<int> MapEditor::groupOf(int i) const {
  std::vector<int> out;
  if (i < 0 || i >= kMaxBackgrounds) return out;
  for (int m : LinkMembers(links_[static_cast<size_t>(i)]))
    if (isOpenSlot(m)) out.push_back(m);
  return out;
}

std::vector<int> MapEditor::activeGroup() const { return groupOf(active_); }

void MapEditor::linkFromText(std::string_view text) { link(ParseLinkNumbers(text, count_)); }

void MapEditor::link(std::vector<int> slots) {
  if (count_ == 0) return;
  if (slots.empty()) slots.push_back(active_);
  // Every group the new one takes members from is dissolved, so that no
  // background is left pointing at a group that no longer holds it.
  dissolveGroup(active_);
  for (int s : slots) dissolveGroup(s);
  LinkRow row = MakeLinkRow(slots);
  for (int s : slots) {
    resetHistory(s, true);
    links_[static_cast<size_t>(s)] = row;
  }
}

void MapEditor::dissolveGroup(int i) {
  for (int m : LinkMembers(links_[static_cast<size_t>(i)]))
    if (m >= 0 && m < kMaxBackgrounds) links_[static_cast<size_t>(m)] = SingleLinkRow(m);
  links_[static_cast<size_t>(i)] = SingleLinkRow(i);
}

// --- Title, modified state, undo ---------------------------------------------------

std::string MapEditor::title() const {
  if (!isOpenSlot(active_)) return {};
  std::string_view name = project::DisplayName(slot(active_).element.name);
  return texts::WithText(modified(active_) ? texts::kTitleModified : texts::kTitle, name);
}

std::string MapEditor::memoryText() const { return MemoryText(budget_.held); }

bool MapEditor::canUndo() const { return isOpenSlot(active_) && slot(active_).history.canUndo(); }
bool MapEditor::canRedo() const { return isOpenSlot(active_) && slot(active_).history.canRedo(); }

bool MapEditor::pushUndo(int i) {
  if (!isOpenSlot(i)) return false;
  BackgroundSlot& s = slot(i);
  return s.history.push(BackgroundSnapshot(s.background), budget_);
}

void MapEditor::pushUndoGroup() {
  for (int m : activeGroup()) pushUndo(m);
}

void MapEditor::undoGroup() {
  listSelection_.clear();
  for (int m : activeGroup()) {
    BackgroundSlot& s = slot(m);
    if (const std::vector<uint8_t>* snap = s.history.undo()) RestoreSnapshot(s.background, *snap);
  }
  followRestoredShapes();
}

void MapEditor::redoGroup() {
  listSelection_.clear();
  for (int m : activeGroup()) {
    BackgroundSlot& s = slot(m);
    if (const std::vector<uint8_t>* snap = s.history.redo()) RestoreSnapshot(s.background, *snap);
  }
  followRestoredShapes();
}

void MapEditor::followRestoredShapes() {
  for (int m : activeGroup()) {
    Background& b = background(m);
    if (m != active_ && b.isMap()) ShowNaturalCells(b);
  }
  followHexMode();
  clampScroll();
}

void MapEditor::resetHistory(int i, bool keepModified) {
  if (!isOpenSlot(i)) return;
  BackgroundSlot& s = slot(i);
  s.history.reset(BackgroundSnapshot(s.background), budget_, keepModified);
}

void MapEditor::resetHistoryGroup(int i, bool keepModified) {
  for (int m : groupOf(i)) resetHistory(m, keepModified);
}

// --- Saving ------------------------------------------------------------------------

namespace {

project::EntryRecord FindElement(const project::Project& p, std::string_view file,
                                 std::initializer_list<uint32_t> kinds) {
  if (!file.empty()) {
    for (const project::EntryRecord& e : p.entries()) {
      if (e.isFolder()) continue;
      if (std::find(kinds.begin(), kinds.end(), e.kindCode()) == kinds.end()) continue;
      if (SameFile(e.file, file)) return e;
    }
  }
  project::EntryRecord placeholder;
  placeholder.file = std::string(file);
  return placeholder;
}

}  // namespace

bool MapEditor::saveBackground(int i) {
  if (!isOpenSlot(i)) return false;
  BackgroundSlot& s = slot(i);
  Background& b = s.background;
  project::EntryRecord own =
      FindElement(host_.project(), b.ownFile, {project::kKindMap, project::kKindList});
  // The writer names the data after the element: without the record found in
  // the project, the one the background was opened from serves.
  if (own.name.empty()) own = s.element;
  project::EntryRecord tileset =
      FindElement(host_.project(), b.tilesetFile, {project::kKindTileset});
  project::EntryRecord palette =
      FindElement(host_.project(), b.paletteFile, {project::kKindPalette});
  if (host_.selectsFormatByExtension()) formats::SelectFormatByExtension(host_.formats(), own.file);
  bool written =
      b.isMap() ? store_.writeMap(own, tileset, palette, b) : store_.writeList(own, tileset, b);
  if (!written) return false;
  host_.raiseMapEvent(MapEvent::Save, s.element.name);
  s.history.markSaved();
  status_.add(texts::WithText(b.isMap() ? texts::kMapSaved : texts::kListSaved, s.element.name));
  return true;
}

bool MapEditor::saveActiveGroup() {
  bool saved = true;
  for (int m : activeGroup()) saved = saveBackground(m) && saved;
  writeMapSettings();
  return saved;
}

std::string MapEditor::settingsFilePath() const {
  return mapeditor::SettingsFileName(platform::ToNative(openedRecord_.file));
}

// --- mapeditor::EditorAccess ----------------------------------------------------------

bool MapEditor::addBackgroundByName(std::string_view elementName, int32_t slotNumber) {
  if (!open_) return false;
  int found = -1;
  for (size_t i = 0; i < host_.project().count(); ++i) {
    const project::EntryRecord& e = host_.project().entry(i);
    if (e.isFolder() || e.name != elementName) continue;
    if (e.kindCode() == project::kKindMap || e.kindCode() == project::kKindList) {
      found = static_cast<int>(i);
      break;
    }
  }
  if (found < 0) return false;
  int s = slotNumber - 1;
  if (slotNumber >= 1 && slotNumber <= kMaxBackgrounds && isOpenSlot(s))
    return replaceBackground(s, found) == AddResult::Added;
  return addBackground(found) == AddResult::Added;
}

void MapEditor::resetBackgrounds() {
  // A script may run this while the user has unsaved changes: they get the
  // close questions first, and a cancel (or a failed save) keeps everything.
  if (open_ && askToSaveModified()) freeAll();
}

void MapEditor::linkBackgrounds(std::span<const int32_t> numbers) {
  link(CheckLinkNumbers(numbers, count_));
}

bool MapEditor::setScrollRate(int32_t index, double x, double y) {
  if (!isOpenSlot(index)) return false;
  Background& b = background(index);
  if (x > 0) b.parallaxX = x;
  if (y > 0) b.parallaxY = y;
  return true;
}

bool MapEditor::addCondition(int32_t index, uint32_t lowest, uint32_t highest, uint32_t target,
                             bool noIncrement) {
  if (!isOpenSlot(index)) return false;
  return AddValueRange(background(index).ranges,
                       MakeValueRange(lowest, highest, target, noIncrement));
}

bool MapEditor::setSnapGrid(int32_t index, int32_t width, int32_t height) {
  if (!isOpenSlot(index)) return false;
  Background& b = background(index);
  if (width > 0) b.snapX = width;
  b.snapY = height >= 1 ? height : b.snapX;
  return true;
}

bool MapEditor::setGbaEmulation(int32_t index, bool on) {
  if (!isOpenSlot(index)) return false;
  background(index).gbaEmulation = on;
  return true;
}

bool MapEditor::setVisible(int32_t index, bool shown) {
  if (index < 0 || index >= kMaxBackgrounds) return false;
  host_.settings().visible[static_cast<size_t>(index)] = shown ? 1 : 0;
  return isOpenSlot(index);
}

bool MapEditor::addSpecimenMap(int32_t number) {
  return AddSpecimenMap(specimen_, *this, number - 1);
}

void MapEditor::showSpecimen(bool shown) { host_.settings().specimenShown = shown ? 1 : 0; }

void MapEditor::placeSpecimen(int32_t width, int32_t height, int32_t left, int32_t top,
                              bool moves) {
  specimen_.placement.width = width;
  specimen_.placement.height = height;
  if (moves) {
    specimen_.placement.left = left;
    specimen_.placement.top = top;
  }
}

bool MapEditor::setBitName(int32_t index, int32_t bit, std::string_view name) {
  if (index < 0 || index >= kMaxBackgrounds) return false;
  if (!mapeditor::SetBitName(slots_[static_cast<size_t>(index)].bits, bit, name)) return false;
  host_.noteBitNamesChanged();
  return true;
}

bool MapEditor::setBitActive(int32_t index, int32_t bit, bool activeFlag) {
  if (index < 0 || index >= kMaxBackgrounds) return false;
  if (!mapeditor::SetBitActive(slots_[static_cast<size_t>(index)].bits, bit, activeFlag))
    return false;
  host_.noteBitNamesChanged();
  return true;
}

void MapEditor::showBitGrid() {
  bitGrid_.exists = true;
  bitGrid_.visible = true;
}

void MapEditor::moveBitGrid(int32_t left, int32_t top) {
  bitGrid_.placement.left = left;
  bitGrid_.placement.top = top;
}

void MapEditor::placeEditor(int32_t width, int32_t height, int32_t left, int32_t top, bool moves,
                            bool maximised) {
  editorPlacement_.width = width;
  editorPlacement_.height = height;
  if (moves) {
    editorPlacement_.left = left;
    editorPlacement_.top = top;
  }
  editorPlacement_.maximised = maximised;
}

void MapEditor::setZoom(double zoom) {
  if (zoom > 0) host_.settings().zoom = zoom;
}

void MapEditor::settingsChanged() {
  if (hexApplied_ != (host_.settings().hexMode != 0)) followHexMode();
}

}  // namespace mapeditor
