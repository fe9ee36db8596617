#include "app/conv_command.h"

#include <algorithm>
#include <cstdint>

#include "convert/image_loader.h"
#include "project/entry_record.h"
#include "app/conv_items.h"
#include "app/element_conversion.h"
#include "app/element_lookup.h"
#include "app/platforms.h"
#include "app/resolved_conversion.h"
#include "script/script_messages.h"
#include "app/vocabulary_messages.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

namespace {

constexpr int kMaxTileSide = 128;
constexpr int kTileStep = 8;

void Report(Workshop& w, std::string_view message) {
  w.services.dialogs.message(message, text::kConvCaption, platform::Icon::None);
}

struct Dimensions {
  int32_t width = 0;
  int32_t height = 0;
};

// "WxH": two decimal numbers, either of which may carry a minus sign.
int32_t SignedDecimal(std::string_view t, size_t& pos) {
  bool negative = pos < t.size() && t[pos] == '-';
  if (negative) ++pos;
  int64_t v = 0;
  while (pos < t.size() && t[pos] >= '0' && t[pos] <= '9') {
    v = std::min<int64_t>(v * 10 + (t[pos] - '0'), INT32_MAX);
    ++pos;
  }
  return static_cast<int32_t>(negative ? -v : v);
}

Dimensions ParseDimensions(std::string_view text) {
  Dimensions d;
  size_t pos = 0;
  d.width = SignedDecimal(text, pos);
  while (pos < text.size() && text[pos] != 'x' && text[pos] != 'X') ++pos;
  if (pos < text.size()) ++pos;
  d.height = SignedDecimal(text, pos);
  return d;
}

bool ValidTileSide(int32_t side) {
  return side >= kTileStep && side <= kMaxTileSide && side % kTileStep == 0;
}

int ColourModeByShortName(const PlatformRecord& platform, std::string_view name) {
  for (int i = 0; i < platform.colourModeCount(); ++i)
    if (platform.colourModes[static_cast<size_t>(i)].shortName == name) return i;
  return platform.defaultColourMode;
}

// `mapmode` (32, 16 or 8 bits per cell), else the `txt` flag: text cells, or
// rotation cells when cleared. The job's own format stays when the platform
// has none with those cells.
void ChooseMapFormat(const ConvParameters& p, ResolvedConversion& job) {
  int cellBits = 0;
  if (!p.mapMode.empty()) {
    for (int bits : {32, 16, 8}) {
      std::string prefix = std::to_string(bits);
      if (p.mapMode.compare(0, prefix.size(), prefix) == 0) {
        cellBits = bits;
        break;
      }
    }
  } else {
    cellBits = p.textMap != 0 ? 16 : 8;
  }
  int format = cellBits != 0 ? MapFormatForCellBits(job.platform, cellBits) : -1;
  if (format >= 0) job.mapFormatIndex = format;
}

project::EntryRecord NewElement(const std::string& file, const std::string& name) {
  project::EntryRecord r;
  r.file = file;
  r.name = name.empty() ? ElementNameFromFile(file) : name;
  return r;
}

// The C identifiers: the names the command gave, when it gave them.
ExportIdentifiers IdentifiersOf(const ConvParameters& p) {
  ExportIdentifiers ids;
  ids.bitmap = p.bitmapName;
  ids.palette = p.paletteName;
  ids.tileset = p.tilesetName;
  ids.mapAndList = p.mapName;
  return ids;
}

void ReportLoadFailure(Workshop& w) {
  w.services.dialogs.message(convert::kImageLoadFailedText, convert::kImageLoadFailedCaption,
                             platform::Icon::None);
}

bool ConvertBitmap(Workshop& w, const ConvParameters& p, ResolvedConversion& job) {
  job.source = p.source;
  job.bitmap = NewElement(p.destination, p.bitmapName);
  job.palette = NewElement(p.paletteFile, p.paletteName);
  job.colourCount = p.colourCount;
  job.identifiers = IdentifiersOf(p);
  ConversionOutcome outcome = RunBitmapConversion(w, job);
  if (outcome == ConversionOutcome::LoadFailed) ReportLoadFailure(w);
  return outcome == ConversionOutcome::Converted;
}

bool ConvertTileset(Workshop& w, const ConvParameters& p, ResolvedConversion& job) {
  Dimensions area = ParseDimensions(p.mapSize);
  if (area.width < 0 || area.height < 0) {
    Report(w, text::kConvNegativeMapSize);
    return false;
  }
  Dimensions tile{kTileStep, kTileStep};
  if (!p.tileSize.empty()) tile = ParseDimensions(p.tileSize);
  if (!ValidTileSide(tile.width) || !ValidTileSide(tile.height)) {
    Report(w, text::kConvTileSize);
    return false;
  }
  // The tile size stays the program's after the command.
  w.conversion.tileWidth = job.tileWidth = tile.width;
  w.conversion.tileHeight = job.tileHeight = tile.height;
  ChooseMapFormat(p, job);

  job.source = p.source;
  job.tileset = NewElement(p.destination, p.tilesetName);
  job.palette = NewElement(p.paletteFile, p.paletteName);
  job.map = NewElement(p.mapFile, p.mapName);
  job.colourCount = p.colourCount;
  job.areaWidth = area.width;
  job.areaHeight = area.height;
  job.mergeTiles = p.optimise != 0;
  job.generateMap = p.generateMap != 0;
  job.identifiers = IdentifiersOf(p);
  ConversionOutcome outcome = RunTileConversion(w, job);
  if (outcome == ConversionOutcome::LoadFailed) ReportLoadFailure(w);
  return outcome == ConversionOutcome::Converted;
}

// The colour mode a conversion picks is its own: the one the program had is
// current again afterwards (with its colour tables).
class KeptColourMode {
 public:
  explicit KeptColourMode(Workshop& w) : w_(w), colourMode_(w.colourMode) {}
  ~KeptColourMode() {
    if (w_.colourMode != colourMode_) SelectColourMode(w_, colourMode_);
  }
  KeptColourMode(const KeptColourMode&) = delete;
  KeptColourMode& operator=(const KeptColourMode&) = delete;

 private:
  Workshop& w_;
  int32_t colourMode_;
};

}  // namespace

void ConvCommand(Workshop& w, std::string_view value) { RunConversionCommand(w, value); }

bool RunConversionCommand(Workshop& w, std::string_view value) {
  ConvParameters p = ResetConvParameters(w);
  ReadConvItems(w, value, p);

  ExistingElement palette;
  if (!p.usePalette.empty() && p.usePaletteState != kExistingUnused) {
    palette.index = FindElement(w.project, project::kKindPalette, p.usePalette);
    palette.state = p.usePaletteState;
    if (palette.index < 0) {
      Report(w, text::kConvPaletteNotFound);
      return false;
    }
  }
  ExistingElement tileset;
  if (!p.useTileset.empty() && p.useTilesetState != kExistingUnused) {
    tileset.index = FindElement(w.project, project::kKindTileset, p.useTileset);
    tileset.state = p.useTilesetState;
    if (tileset.index < 0) {
      Report(w, text::kConvTilesetNotFound);
      return false;
    }
  }

  const PlatformRecord& platform = CurrentPlatform(w);
  if (!p.colourModeName.empty()) {
    p.colourMode = ColourModeByShortName(platform, p.colourModeName);
    if (!p.colourCountGiven) p.colourCount = DefaultColourCount(w, p.colourMode);
  }
  if (p.kind != ConvKind::Tileset && p.kind != ConvKind::Bitmap) return false;
  // The colour tables follow the current colour mode: the conversion's is made
  // current for its time.
  KeptColourMode kept(w);
  SelectColourMode(w, p.colourMode);
  ResolvedConversion job = ResolveConversion(w);
  const convert::ColourMode& mode = job.colourMode();
  if (mode.hasPalette() && (p.colourCount < 1 || p.colourCount > mode.pixelRange)) return false;
  job.existingPalette = palette;
  job.existingTileset = tileset;

  if (p.kind == ConvKind::Bitmap) return ConvertBitmap(w, p, job);
  return ConvertTileset(w, p, job);
}

}  // namespace app
