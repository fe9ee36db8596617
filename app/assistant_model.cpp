#include "app/assistant_model.h"

#include "convert/image_loader.h"
#include "platform/value_syntax.h"
#include "project/project.h"
#include "app/conv_items.h"
#include "app/element_conversion.h"
#include "app/element_lookup.h"
#include "app/platform_writers.h"
#include "app/platforms.h"
#include "app/resolved_conversion.h"
#include "app/vocabulary_messages.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

namespace {

constexpr std::string_view kBitmapLoadFailedCaption = "Erreur";
// A new map is allocated whole: sizes beyond these are refused.
constexpr int32_t kMaxMapSide = 65536;
constexpr int64_t kMaxMapCells = int64_t{1} << 24;

size_t FieldIndex(AssistantControl field) {
  return static_cast<size_t>(static_cast<int>(field) - static_cast<int>(AssistantControl::Field1));
}

bool IsField(AssistantControl c) {
  return c >= AssistantControl::Field1 && c <= AssistantControl::Field5;
}

int TileSizeEntry(int side) {
  for (size_t i = 0; i < kTileSizeSides.size(); ++i)
    if (kTileSizeSides[i] == side) return static_cast<int>(i);
  return static_cast<int>(kTileSizeSides.size());  // "Perso..."
}

std::vector<std::string> ElementNames(const project::Project& project, uint32_t kind) {
  std::vector<std::string> names;
  for (const project::EntryRecord& e : project.entries())
    if (!e.isFolder() && e.kindCode() == kind) names.push_back(e.name);
  return names;
}

project::EntryRecord NewElement(const std::string& file) {
  project::EntryRecord r;
  r.file = file;
  r.name = ElementNameFromFile(file);
  return r;
}

}  // namespace

void AssistantModel::openFromTree(AssistantControl item) {
  switch (item) {
    case AssistantControl::TreeTilesets:
      page_ = AssistantPage::Tilesets;
      break;
    case AssistantControl::TreeMaps:
      page_ = AssistantPage::Maps;
      break;
    case AssistantControl::TreeBitmaps:
      page_ = AssistantPage::Bitmaps;
      break;
    default:
      return;
  }
  fields_ = {};
  if (page_ == AssistantPage::Maps) {
    fields_[1] = "1";
    fields_[2] = "1";
  } else {
    fields_[4] = std::to_string(DefaultColourCount(w_, w_.colourMode));
  }
  usePalette_ = useTileset_ = 0;
  generateMap_ = optimise_ = 1;
  palette_ = tileset_ = 0;
  mapSize_ = 0;
  tileSize_ = TileSizeEntry(
      w_.conversion.tileWidth == w_.conversion.tileHeight ? w_.conversion.tileWidth : 0);
}

void AssistantModel::setText(AssistantControl field, const std::string& text) {
  if (IsField(field)) fields_[FieldIndex(field)] = text;
}

const std::string& AssistantModel::text(AssistantControl field) const {
  static const std::string kNone;
  return IsField(field) ? fields_[FieldIndex(field)] : kNone;
}

void AssistantModel::setChecked(AssistantControl box, int32_t state) {
  // The existing-element boxes have a third, greyed state.
  int32_t threeState = state == kExistingAppended ? kExistingAppended : (state != 0 ? 1 : 0);
  int32_t twoState = state != 0 ? 1 : 0;
  switch (box) {
    case AssistantControl::CheckPalette:
      usePalette_ = threeState;
      break;
    case AssistantControl::CheckTileset:
      useTileset_ = threeState;
      break;
    case AssistantControl::CheckMap:
      generateMap_ = twoState;
      break;
    case AssistantControl::CheckOptimise:
      optimise_ = twoState;
      break;
    default:
      break;
  }
}

int32_t AssistantModel::checked(AssistantControl box) const {
  switch (box) {
    case AssistantControl::CheckPalette:
      return usePalette_;
    case AssistantControl::CheckTileset:
      return useTileset_;
    case AssistantControl::CheckMap:
      return generateMap_;
    case AssistantControl::CheckOptimise:
      return optimise_;
    default:
      return 0;
  }
}

std::vector<std::string> AssistantModel::listEntries(AssistantControl list) {
  switch (list) {
    case AssistantControl::ComboPalette:
      return ElementNames(w_.project, project::kKindPalette);
    case AssistantControl::ComboTileset:
      return ElementNames(w_.project, project::kKindTileset);
    case AssistantControl::ComboSize:
      return {kMapSizeEntries.begin(), kMapSizeEntries.end()};
    case AssistantControl::ComboTiles:
      return {kTileSizeEntries.begin(), kTileSizeEntries.end()};
    default:
      return {};
  }
}

void AssistantModel::selectEntry(AssistantControl list, size_t index) {
  int i = static_cast<int>(index);
  switch (list) {
    case AssistantControl::ComboPalette:
      palette_ = i;
      break;
    case AssistantControl::ComboTileset:
      tileset_ = i;
      break;
    case AssistantControl::ComboSize:
      if (index < kMapSizeEntries.size()) mapSize_ = i;
      break;
    case AssistantControl::ComboTiles:
      if (index < kTileSizeEntries.size()) tileSize_ = i;
      break;
    default:
      break;
  }
}

int AssistantModel::selected(AssistantControl list) const {
  switch (list) {
    case AssistantControl::ComboPalette:
      return nthElement(project::kKindPalette, palette_) >= 0 ? palette_ : -1;
    case AssistantControl::ComboTileset:
      return nthElement(project::kKindTileset, tileset_) >= 0 ? tileset_ : -1;
    case AssistantControl::ComboSize:
      return mapSize_;
    case AssistantControl::ComboTiles:
      return tileSize_;
    default:
      return -1;
  }
}

int AssistantModel::nthElement(uint32_t kind, int n) const {
  if (n < 0) return -1;
  for (size_t i = 0; i < w_.project.count(); ++i) {
    const project::EntryRecord& e = w_.project.entry(i);
    if (!e.isFolder() && e.kindCode() == kind && n-- == 0) return static_cast<int>(i);
  }
  return -1;
}

void AssistantModel::applyTileSize() {
  if (tileSize_ < 0 || static_cast<size_t>(tileSize_) >= kTileSizeSides.size()) return;
  w_.conversion.tileWidth = w_.conversion.tileHeight =
      kTileSizeSides[static_cast<size_t>(tileSize_)];
}

bool AssistantModel::colourCount(int32_t& out) {
  out = platform::ParseInteger(fields_[4]);
  const convert::ColourMode& mode = CurrentColourMode(w_);
  if (!mode.hasPalette() || (out >= 1 && out <= mode.pixelRange)) return true;
  w_.services.dialogs.message(text::kColourCountInvalid, text::kColourCountInvalidCaption,
                              platform::Icon::Warning);
  return false;
}

void AssistantModel::pressOk() {
  switch (page_) {
    case AssistantPage::Tilesets:
      okTilesets();
      break;
    case AssistantPage::Bitmaps:
      okBitmaps();
      break;
    case AssistantPage::Maps:
      okMaps();
      break;
    case AssistantPage::None:
      break;
  }
}

void AssistantModel::okTilesets() {
  int32_t count = 0;
  if (!colourCount(count)) return;
  applyTileSize();
  ResolvedConversion job = ResolveConversion(w_);
  job.colourCount = count;
  job.source = fields_[0];
  job.tileset = NewElement(fields_[1]);
  job.palette = NewElement(fields_[2]);
  job.map = NewElement(fields_[3]);
  int side = kMapSizeSides[static_cast<size_t>(mapSize_)];
  job.areaWidth = job.areaHeight = side;
  job.generateMap = generateMap_ != 0;
  job.mergeTiles = optimise_ != 0;
  job.existingPalette = {nthElement(project::kKindPalette, palette_), usePalette_};
  job.existingTileset = {nthElement(project::kKindTileset, tileset_), useTileset_};
  job.askAboutSize = true;
  if (RunTileConversion(w_, job) == ConversionOutcome::LoadFailed)
    w_.services.dialogs.message(convert::kImageLoadFailedText, convert::kImageLoadFailedCaption,
                                platform::Icon::Warning);
}

void AssistantModel::okBitmaps() {
  int32_t count = 0;
  if (!colourCount(count)) return;
  ResolvedConversion job = ResolveConversion(w_);
  job.colourCount = count;
  job.source = fields_[0];
  job.bitmap = NewElement(fields_[1]);
  job.palette = NewElement(fields_[2]);
  job.existingPalette = {nthElement(project::kKindPalette, palette_), usePalette_};
  if (RunBitmapConversion(w_, job) == ConversionOutcome::LoadFailed)
    w_.services.dialogs.message(convert::kImageLoadFailedText, kBitmapLoadFailedCaption,
                                platform::Icon::Error);
}

// An empty map of the size given in cells, linked to the chosen tileset.
void AssistantModel::okMaps() {
  int tileset = nthElement(project::kKindTileset, tileset_);
  int palette = nthElement(project::kKindPalette, palette_);
  if (tileset < 0 || palette < 0) return;  // the page shows no controls then
  int32_t width = platform::ParseInteger(fields_[1]);
  int32_t height = platform::ParseInteger(fields_[2]);
  if (width < 1 || height < 1 || width > kMaxMapSide || height > kMaxMapSide ||
      int64_t{width} * height > kMaxMapCells) {
    w_.services.dialogs.message(text::kMapSizeInvalid, text::kColourCountInvalidCaption,
                                platform::Icon::Warning);
    return;
  }
  applyTileSize();
  project::EntryRecord map = NewElement(fields_[0]);
  map.kind = project::kKindMap;
  project::FitRecordFields(map);
  w_.project.makeNameUnique(map, true);
  const project::EntryRecord linked = w_.project.entry(static_cast<size_t>(tileset));
  const project::EntryRecord colours = w_.project.entry(static_cast<size_t>(palette));
  std::vector<uint32_t> cells(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  PlatformWriters writers(w_);
  if (writers.writeMap(map, &linked, &colours, CurrentMapFormat(w_), cells, width, height,
                       w_.conversion.tileWidth, w_.conversion.tileHeight))
    w_.project.addEntry(map);
}

}  // namespace app
