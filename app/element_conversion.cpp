#include "app/element_conversion.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <span>
#include <system_error>

#include "convert/bitmap_conversion.h"
#include "convert/colour_tables.h"
#include "convert/conversion_job.h"
#include "convert/image_loader.h"
#include "convert/tile_conversion.h"
#include "convert/tile_layout.h"
#include "formats/element_files.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"
#include "app/platform_writers.h"
#include "app/platforms.h"
#include "app/vocabulary_messages.h"
#include "app/workshop.h"
#include "app/language.h"
#include "script/script_messages.h"

namespace app {

namespace {

// What the existing elements hold, read through the platform's readers.
struct ExistingData {
  formats::PaletteData palette;
  formats::TilesetData tileset;
  convert::ExistingPalette existingPalette;
  convert::ExistingTileset existingTileset;
  bool hasPalette = false;
  bool hasTileset = false;
};

// A conversion asked to build on an element whose file holds nothing usable
// stops, and says why (the reader itself stays silent on an empty file).
bool IsEmptyFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::file_size(path, error) == 0 && !error;
}

bool ExistingUnreadable(Workshop& w, const project::EntryRecord& record) {
  w.services.dialogs.message(FormatText(text::kExistingUnreadable, {record.name, record.file}),
                             "Erreur", platform::Icon::Error);
  return false;
}

// A reader that finds its header's first literal missing stops without a
// word; the conversion then must not stop silently too. The format named is
// the one the reader tried (chosen from the extension when that is on).
void ReportUnreadable(Workshop& w, std::string_view pattern, const std::string& file) {
  if (!platform::FileReadable(file)) return;  // the reader said so already
  w.services.dialogs.message(FormatText(pattern, {file, w.formats.current.name}),
                             text::kExistingUnreadableCaption, platform::Icon::Error);
}

bool ReadExistingPalette(Workshop& w, const ExistingElement& e, ExistingData& out) {
  if (!e.used()) return true;
  const PlatformRecord& p = CurrentPlatform(w);
  const project::EntryRecord& record = w.project.entry(static_cast<size_t>(e.index));
  if (!p.ioSlots.readPalette || !p.ioSlots.readPalette(w, record.file, out.palette)) {
    if (IsEmptyFile(record.file)) return ExistingUnreadable(w, record);
    ReportUnreadable(w, text::kExistingPaletteUnreadable, record.file);
    return false;
  }
  if (out.palette.count <= 0) return ExistingUnreadable(w, record);
  out.existingPalette.colours = std::span<const convert::ConvertedPixel>(
      out.palette.colours.data(), static_cast<size_t>(out.palette.count));
  out.existingPalette.reuseColours = e.state == 1;
  out.hasPalette = true;
  return true;
}

bool ReadExistingTileset(Workshop& w, const ExistingElement& e, ExistingData& out) {
  if (!e.used()) return true;
  const PlatformRecord& p = CurrentPlatform(w);
  const project::EntryRecord& record = w.project.entry(static_cast<size_t>(e.index));
  if (!p.ioSlots.readTileset || !p.ioSlots.readTileset(w, record.file, out.tileset, {})) {
    if (IsEmptyFile(record.file)) return ExistingUnreadable(w, record);
    ReportUnreadable(w, text::kExistingTilesetUnreadable, record.file);
    return false;
  }
  size_t blocks = static_cast<size_t>(std::max(out.tileset.blocks, 0));
  size_t words = std::min(out.tileset.pixels.size(), blocks * convert::kBlockPixels);
  out.existingTileset.blocks = std::span<const uint32_t>(out.tileset.pixels.data(), words);
  out.existingTileset.reuseTiles = e.state == 1;
  out.hasTileset = true;
  return true;
}

// The destination record: the existing element when one is used, otherwise
// the new one with its kind and base file, named so that no other element of
// its kind has the name (its identifier in the files written is that name).
project::EntryRecord Destination(Workshop& w, const project::EntryRecord& wanted, uint32_t kind,
                                 const std::string& source, const ExistingElement& existing) {
  if (existing.used()) return w.project.entry(static_cast<size_t>(existing.index));
  project::EntryRecord r = wanted;
  r.kind = kind;
  r.baseFile = source;
  project::FitRecordFields(r);
  w.project.makeNameUnique(r, true);
  return r;
}

// The question about the picture's size names the tile size really used.
std::string SizeQuestionText(int tileWidth, int tileHeight) {
  std::string text(text::kSizeNotTileMultiple);
  if (tileWidth == 8 && tileHeight == 8) return text;
  std::string size = tileWidth == tileHeight ? std::to_string(tileWidth)
                                             : std::to_string(tileWidth) + " (largeur) et " +
                                                   std::to_string(tileHeight) + " (hauteur)";
  const std::string_view eight = "multiples de 8.";
  size_t at = text.find(eight);
  if (at != std::string::npos) text.replace(at, eight.size(), "multiples de " + size + ".");
  return text;
}

bool LoadPicture(Workshop& w, const std::string& source, convert::LoadedImage& out) {
  convert::LoadRequest request;
  request.path = platform::ToNative(source);
  request.mode = &CurrentColourMode(w);
  request.maskColour = w.conversion.maskColour;
  request.memoryLimit = w.system.maxPreviewMemory;
  convert::LoadSurfaces surfaces{w.loadingSurface, w.workSurface, w.drawing, nullptr};
  return convert::LoadImage(request, surfaces, w.services.dialogs, out);
}

// The export identifiers hold for the writes of one conversion only.
class ScopedIdentifiers {
 public:
  ScopedIdentifiers(Workshop& w, const ExportIdentifiers& ids) : w_(w) {
    w_.exportIdentifiers = ids;
  }
  ~ScopedIdentifiers() { w_.exportIdentifiers.clear(); }
  ScopedIdentifiers(const ScopedIdentifiers&) = delete;
  ScopedIdentifiers& operator=(const ScopedIdentifiers&) = delete;

 private:
  Workshop& w_;
};

// The files of one conversion take their names together once all of them
// are written: a conversion that fails half-way (a full disk) leaves the
// element files as they were, never a new map beside an old tileset.
class GroupedWrites {
 public:
  explicit GroupedWrites(Workshop& w) : w_(w), previous_(w.fileGroup) { w.fileGroup = &group_; }
  ~GroupedWrites() {
    group_.abandonAll();
    w_.fileGroup = previous_;
  }
  GroupedWrites(const GroupedWrites&) = delete;
  GroupedWrites& operator=(const GroupedWrites&) = delete;
  bool publish() { return group_.publishAll(); }

 private:
  Workshop& w_;
  platform::FileGroup* previous_;
  platform::FileGroup group_;
};

// The table keeps paths of at most 259 characters: a longer one would be cut,
// and the files of one conversion could end up under one cut name.
bool PathsFit(Workshop& w, std::initializer_list<std::string_view> paths) {
  for (std::string_view path : paths) {
    if (platform::Utf8Length(path) <= project::kFileChars) continue;
    w.services.dialogs.message(FormatText(text::kPathTooLong, {path}), "Erreur",
                               platform::Icon::Error);
    return false;
  }
  return true;
}

// What every conversion reads from the program's context.
convert::ConversionContext MakeContext(Workshop& w, const convert::ColourMode& mode,
                                       PlatformWriters& writers,
                                       const convert::LoadedImage& loaded) {
  return convert::ConversionContext{w.conversion,
                                    w.colourTables,
                                    mode,
                                    CurrentMapFormat(w),
                                    w.services.dialogs,
                                    writers,
                                    loaded.palette.colours.empty() ? nullptr : &loaded.palette,
                                    w.interpreter.messages != 0,
                                    w.progress};
}

}  // namespace

void SelectColourMode(Workshop& w, int index) {
  const PlatformRecord& p = CurrentPlatform(w);
  if (index < 0 || index >= p.colourModeCount()) index = p.defaultColourMode;
  w.colourMode = index;
  convert::RebuildColourTables(w.conversion, &CurrentColourMode(w), w.colourTables);
}

ConversionOutcome RunTileConversion(Workshop& w, const TileConversionRequest& request) {
  if (!PathsFit(w, {request.source, request.tileset.file, request.palette.file, request.map.file}))
    return ConversionOutcome::Stopped;
  const convert::ColourMode& mode = CurrentColourMode(w);
  // A tile size set by a script that the conversion cannot cut is the user's
  // mistake, not an internal one.
  const int tw = w.conversion.tileWidth, th = w.conversion.tileHeight;
  if (tw < 8 || th < 8 || tw % 8 != 0 || th % 8 != 0) {
    w.services.dialogs.message(text::kConvTileSize, text::kSizeNotTileMultipleCaption,
                               platform::Icon::Warning);
    return ConversionOutcome::Stopped;
  }
  ExistingData existing;
  if (!ReadExistingPalette(w, request.existingPalette, existing) ||
      !ReadExistingTileset(w, request.existingTileset, existing))
    return ConversionOutcome::Stopped;

  convert::LoadedImage loaded;
  if (!LoadPicture(w, request.source, loaded)) return ConversionOutcome::LoadFailed;

  const int tileWidth = w.conversion.tileWidth;
  const int tileHeight = w.conversion.tileHeight;
  const bool wholePicture = request.areaWidth <= 0 && request.areaHeight <= 0;
  if (request.askAboutSize && wholePicture && tileWidth > 0 && tileHeight > 0 &&
      (loaded.width % tileWidth != 0 || loaded.height % tileHeight != 0)) {
    auto answer = w.services.dialogs.question(
        SizeQuestionText(tileWidth, tileHeight), text::kSizeNotTileMultipleCaption,
        platform::Buttons::OkCancel, platform::Answer::Ok, platform::Icon::Warning);
    if (answer == platform::Answer::Cancel) return ConversionOutcome::Stopped;
  }

  project::EntryRecord tileset = Destination(w, request.tileset, project::kKindTileset,
                                             request.source, request.existingTileset);
  project::EntryRecord palette = Destination(w, request.palette, project::kKindPalette,
                                             request.source, request.existingPalette);
  project::EntryRecord map =
      Destination(w, request.map, project::kKindMap, request.source, ExistingElement{});

  convert::ConversionJob job;
  job.tileset = &tileset;
  job.palette = mode.HasPalette() ? &palette : nullptr;
  job.map = request.generateMap ? &map : nullptr;
  job.colourCount = request.colourCount;
  job.image = convert::SourceImage{&w.loadingSurface, loaded.width, loaded.height};
  job.areaWidth = request.areaWidth > 0 ? request.areaWidth : loaded.width;
  job.areaHeight = request.areaHeight > 0 ? request.areaHeight : loaded.height;
  job.mergeTiles = request.mergeTiles;
  job.generateMap = request.generateMap;
  job.existingPalette = existing.hasPalette ? &existing.existingPalette : nullptr;
  job.existingTileset = existing.hasTileset ? &existing.existingTileset : nullptr;

  PlatformWriters writers(w);
  convert::ConversionContext context = MakeContext(w, mode, writers, loaded);
  bool converted;
  {
    GroupedWrites files(w);
    ScopedIdentifiers ids(w, request.identifiers);
    converted = convert::ConvertTiles(job, context) && files.publish();
  }
  if (!converted) return ConversionOutcome::Stopped;

  w.project.addEntry(tileset);
  if (mode.HasPalette()) w.project.addEntry(palette);
  if (request.generateMap) w.project.addEntry(map);
  return ConversionOutcome::Converted;
}

ConversionOutcome RunBitmapConversion(Workshop& w, const BitmapConversionRequest& request) {
  if (!PathsFit(w, {request.source, request.bitmap.file, request.palette.file}))
    return ConversionOutcome::Stopped;
  const convert::ColourMode& mode = CurrentColourMode(w);
  ExistingData existing;
  if (!ReadExistingPalette(w, request.existingPalette, existing)) return ConversionOutcome::Stopped;

  convert::LoadedImage loaded;
  if (!LoadPicture(w, request.source, loaded)) return ConversionOutcome::LoadFailed;

  project::EntryRecord bitmap =
      Destination(w, request.bitmap, project::kKindBitmap, request.source, ExistingElement{});
  project::EntryRecord palette = Destination(w, request.palette, project::kKindPalette,
                                             request.source, request.existingPalette);

  convert::BitmapJob job;
  job.bitmap = &bitmap;
  job.palette = mode.HasPalette() ? &palette : nullptr;
  job.colourCount = request.colourCount;
  job.image = convert::SourceImage{&w.loadingSurface, loaded.width, loaded.height};
  job.existingPalette = existing.hasPalette ? &existing.existingPalette : nullptr;

  PlatformWriters writers(w);
  convert::ConversionContext context = MakeContext(w, mode, writers, loaded);
  bool converted;
  {
    GroupedWrites files(w);
    ScopedIdentifiers ids(w, request.identifiers);
    converted = convert::ConvertBitmap(job, context) && files.publish();
  }
  if (!converted) return ConversionOutcome::Stopped;

  w.project.addEntry(bitmap);
  // A direct-colour bitmap has no palette file to point at.
  if (mode.HasPalette()) w.project.addEntry(palette);
  return ConversionOutcome::Converted;
}

}  // namespace app
