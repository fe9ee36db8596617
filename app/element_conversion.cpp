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

bool ReadExistingPalette(Workshop& w, const ResolvedConversion& job, ExistingData& out) {
  const ExistingElement& e = job.existingPalette;
  if (!e.used()) return true;
  const PlatformSlots& io = job.platform.ioSlots;
  const project::EntryRecord& record = w.project.entry(static_cast<size_t>(e.index));
  if (!io.readPalette || !io.readPalette(w, record.file, out.palette)) {
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

bool ReadExistingTileset(Workshop& w, const ResolvedConversion& job, ExistingData& out) {
  const ExistingElement& e = job.existingTileset;
  if (!e.used()) return true;
  const PlatformSlots& io = job.platform.ioSlots;
  const project::EntryRecord& record = w.project.entry(static_cast<size_t>(e.index));
  if (!io.readTileset || !io.readTileset(w, record.file, out.tileset, {})) {
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

bool LoadPicture(Workshop& w, const ResolvedConversion& job, convert::LoadedImage& out) {
  convert::LoadRequest request;
  request.path = platform::ToNative(job.source);
  request.mode = &job.colourMode();
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

// The program's conversion settings with the conversion's tile size.
convert::ConversionSettings SettingsFor(const Workshop& w, const ResolvedConversion& job) {
  convert::ConversionSettings settings = w.conversion;
  settings.tileWidth = job.tileWidth;
  settings.tileHeight = job.tileHeight;
  return settings;
}

// Runs `run` (the engine's conversion) with the job's colour mode, map format and tile size, its
// platform's writers and the program's colour tables, dialogs and progress.
// The files written take their names together once all are written; the
// job's identifiers hold for these writes only.
template <typename Run>
bool ConvertAndWrite(Workshop& w, const ResolvedConversion& job, const convert::LoadedImage& loaded,
                     Run run) {
  PlatformWriters writers(w, job.fileSettings());
  const convert::ConversionSettings settings = SettingsFor(w, job);
  const convert::ConversionContext context{
      settings,
      w.colourTables,
      job.colourMode(),
      job.mapFormat(),
      w.services.dialogs,
      writers,
      loaded.palette.colours.empty() ? nullptr : &loaded.palette,
      w.interpreter.messages != 0,
      w.progress};
  GroupedWrites files(w);
  ScopedIdentifiers ids(w, job.identifiers);
  return run(context) && files.publish();
}

// A tile size set by a script that the conversion cannot cut is the user's
// mistake, not an internal one.
bool TileSizeUsable(Workshop& w, const ResolvedConversion& job) {
  const int tw = job.tileWidth, th = job.tileHeight;
  if (tw >= 8 && th >= 8 && tw % 8 == 0 && th % 8 == 0) return true;
  w.services.dialogs.message(text::kConvTileSize, text::kSizeNotTileMultipleCaption,
                             platform::Icon::Warning);
  return false;
}

// The assistant asks before converting a whole picture that the tiles do not
// cover exactly; false when the user cancels.
bool PictureSizeAccepted(Workshop& w, const ResolvedConversion& job,
                         const convert::LoadedImage& loaded) {
  const bool wholePicture = job.areaWidth <= 0 && job.areaHeight <= 0;
  if (!job.askAboutSize || !wholePicture ||
      (loaded.width % job.tileWidth == 0 && loaded.height % job.tileHeight == 0))
    return true;
  auto answer = w.services.dialogs.question(
      SizeQuestionText(job.tileWidth, job.tileHeight), text::kSizeNotTileMultipleCaption,
      platform::Buttons::OkCancel, platform::Answer::Ok, platform::Icon::Warning);
  return answer != platform::Answer::Cancel;
}

}  // namespace

void SelectColourMode(Workshop& w, int index) {
  const PlatformRecord& p = CurrentPlatform(w);
  if (index < 0 || index >= p.colourModeCount()) index = p.defaultColourMode;
  w.colourMode = index;
  convert::RebuildColourTables(w.conversion, &CurrentColourMode(w), w.colourTables);
}

ConversionOutcome RunTileConversion(Workshop& w, const ResolvedConversion& job) {
  if (!PathsFit(w, {job.source, job.tileset.file, job.palette.file, job.map.file}) ||
      !TileSizeUsable(w, job))
    return ConversionOutcome::Stopped;
  ExistingData existing;
  if (!ReadExistingPalette(w, job, existing) || !ReadExistingTileset(w, job, existing))
    return ConversionOutcome::Stopped;

  convert::LoadedImage loaded;
  if (!LoadPicture(w, job, loaded)) return ConversionOutcome::LoadFailed;
  if (!PictureSizeAccepted(w, job, loaded)) return ConversionOutcome::Stopped;

  project::EntryRecord tileset =
      Destination(w, job.tileset, project::kKindTileset, job.source, job.existingTileset);
  project::EntryRecord palette =
      Destination(w, job.palette, project::kKindPalette, job.source, job.existingPalette);
  project::EntryRecord map =
      Destination(w, job.map, project::kKindMap, job.source, ExistingElement{});
  const bool hasPalette = job.colourMode().hasPalette();

  convert::ConversionJob tiles;
  tiles.tileset = &tileset;
  tiles.palette = hasPalette ? &palette : nullptr;
  tiles.map = job.generateMap ? &map : nullptr;
  tiles.colourCount = job.colourCount;
  tiles.image = convert::SourceImage{&w.loadingSurface, loaded.width, loaded.height};
  tiles.areaWidth = job.areaWidth > 0 ? job.areaWidth : loaded.width;
  tiles.areaHeight = job.areaHeight > 0 ? job.areaHeight : loaded.height;
  tiles.mergeTiles = job.mergeTiles;
  tiles.generateMap = job.generateMap;
  tiles.existingPalette = existing.hasPalette ? &existing.existingPalette : nullptr;
  tiles.existingTileset = existing.hasTileset ? &existing.existingTileset : nullptr;
  if (!ConvertAndWrite(w, job, loaded, [&tiles](const convert::ConversionContext& context) {
        return convert::ConvertTiles(tiles, context);
      }))
    return ConversionOutcome::Stopped;

  w.project.addEntry(tileset);
  if (hasPalette) w.project.addEntry(palette);
  if (job.generateMap) w.project.addEntry(map);
  return ConversionOutcome::Converted;
}

ConversionOutcome RunBitmapConversion(Workshop& w, const ResolvedConversion& job) {
  if (!PathsFit(w, {job.source, job.bitmap.file, job.palette.file}))
    return ConversionOutcome::Stopped;
  ExistingData existing;
  if (!ReadExistingPalette(w, job, existing)) return ConversionOutcome::Stopped;

  convert::LoadedImage loaded;
  if (!LoadPicture(w, job, loaded)) return ConversionOutcome::LoadFailed;

  project::EntryRecord bitmap =
      Destination(w, job.bitmap, project::kKindBitmap, job.source, ExistingElement{});
  project::EntryRecord palette =
      Destination(w, job.palette, project::kKindPalette, job.source, job.existingPalette);
  const bool hasPalette = job.colourMode().hasPalette();

  convert::BitmapJob pixels;
  pixels.bitmap = &bitmap;
  pixels.palette = hasPalette ? &palette : nullptr;
  pixels.colourCount = job.colourCount;
  pixels.image = convert::SourceImage{&w.loadingSurface, loaded.width, loaded.height};
  pixels.existingPalette = existing.hasPalette ? &existing.existingPalette : nullptr;
  if (!ConvertAndWrite(w, job, loaded, [&pixels](const convert::ConversionContext& context) {
        return convert::ConvertBitmap(pixels, context);
      }))
    return ConversionOutcome::Stopped;

  w.project.addEntry(bitmap);
  // A direct-colour bitmap has no palette file to point at.
  if (hasPalette) w.project.addEntry(palette);
  return ConversionOutcome::Converted;
}

}  // namespace app
