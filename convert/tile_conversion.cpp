#include "convert/tile_conversion.h"

#include <algorithm>

#include "convert/colour_mode.h"
#include "convert/conversion_job.h"
#include "convert/conversion_messages.h"
#include "convert/conversion_settings.h"
#include "convert/element_writers.h"
#include "convert/image_loader.h"
#include "convert/map_format.h"
#include "convert/multi_palette.h"
#include "convert/palette_reduction.h"
#include "convert/source_palette_fit.h"
#include "convert/tile_layout.h"
#include "convert/tile_store.h"
#include "platform/dialogs.h"

namespace convert {

namespace {

// The largest area the conversion takes on (the largest surface).
constexpr uint64_t kMaxAreaPixels = uint64_t{1} << 29;

// One palette for the whole picture. Fills `palette` (with the zero colour in
// front in modes that reserve index 0, unless the picture's own palette is
// kept) and each pixel's index.
bool ReduceSinglePalette(const ConversionJob& job, const ConversionContext& context,
                         std::span<const ConvertedPixel> area, int width, int height,
                         PaletteBuffer& palette, std::vector<uint32_t>& indices) {
  const ColourMode& mode = context.mode;
  const ExistingPalette* existing = job.existingPalette;
  const bool reuse = existing && existing->reuseColours;
  const int perSubPalette = mode.coloursPerSubPalette;
  int requested = job.colourCount;
  if (existing) KeepExistingColours(existing->colours, mode, palette);
  // Appending to an existing palette in a mode with sub-palettes: the new
  // colours fill exactly the next sub-palette.
  const bool aligned = existing && !reuse && mode.subPaletteAligned && perSubPalette > 0;
  if (aligned) {
    palette.count += perSubPalette - palette.count % perSubPalette;
    requested = palette.count + perSubPalette;
    if (requested > MaxPaletteColours(mode)) {
      context.dialogs.message(kColoursUnreachable.text, kColoursUnreachable.caption,
                              platform::Icon::Error);
      return false;
    }
  }

  if (context.sourcePalette &&
      KeepSourcePalette(*context.sourcePalette, context.tables, mode, requested, aligned, area,
                        palette, indices, context.dialogs))
    return true;

  if (mode.indexZeroReserved) DropEntryZero(palette);
  const uint32_t offset = mode.indexZeroReserved ? 1u : 0u;
  uint32_t background = 0;
  if (aligned) {
    // The new sub-palette's first entry is its transparent entry: transparent
    // and outside pixels take it, and the colours come after it (the
    // console shows entry 0 of every sub-palette as transparent, so a colour
    // there would be lost).
    palette.colours[static_cast<size_t>(palette.count)] = 0;
    background = static_cast<uint32_t>(palette.count) + offset;
    ++palette.count;
  }

  ReductionJob reduction;
  reduction.area = area;
  reduction.width = width;
  reduction.height = height;
  reduction.source = &job.image;
  reduction.tables = &context.tables;
  reduction.mode = &mode;
  reduction.method = context.settings.method;
  reduction.requestedColours = requested;
  reduction.searchStart = reuse ? 0 : palette.count;
  reduction.background = background;
  reduction.search = ToleranceSearch::Bisection;
  reduction.maxPrecision = context.settings.maxPrecision;
  reduction.useMaxColours = context.settings.useMaxColours != 0;
  reduction.messages = context.messages;
  reduction.dither = context.settings.refinedDither != 0;
  if (ReduceColours(reduction, palette, indices, context.dialogs) < 0) return false;
  if (mode.indexZeroReserved) InsertZeroColour(palette, context.settings.zeroColour);
  return true;
}

bool CheckJob(const ConversionJob& job, const ConversionContext& context) {
  const ConversionSettings& s = context.settings;
  const ColourMode& mode = context.mode;
  if (s.tileWidth < 8 || s.tileHeight < 8 || s.tileWidth % 8 != 0 || s.tileHeight % 8 != 0) {
    ShowInternalError(context.dialogs,
                      "(tilex % 8 == 0) && (tiley % 8 == 0) && (tilex > 0) && (tiley > 0)");
    return false;
  }
  if (job.areaWidth < 1 || job.areaHeight < 1 ||
      static_cast<uint64_t>(RoundUpTo(job.areaWidth, s.tileWidth)) *
              static_cast<uint64_t>(RoundUpTo(job.areaHeight, s.tileHeight)) >
          kMaxAreaPixels) {
    ShowInternalError(context.dialogs, "(largeur > 0) && (hauteur > 0)");
    return false;
  }
  if (!job.tileset || (mode.hasPalette() && !job.palette) || (job.generateMap && !job.map)) {
    ShowInternalError(context.dialogs, "(tileset != NULL) && (palette != NULL) && (map != NULL)");
    return false;
  }
  if (mode.hasPalette() && (job.colourCount < 1 || job.colourCount > mode.pixelRange)) {
    ShowInternalError(context.dialogs, "(couleurs >= 1) && (couleurs <= mode.pixelRange)");
    return false;
  }
  return true;
}

}  // namespace

bool ConvertTiles(const ConversionJob& job, const ConversionContext& context) {
  const ColourMode& mode = context.mode;
  const ConversionSettings& settings = context.settings;
  const bool multi =
      mode.paletteKind == PaletteKind::SubPalettes && job.colourCount > mode.coloursPerSubPalette;
  if (!CheckJob(job, context)) return false;
  const int tileWidth = settings.tileWidth;
  const int tileHeight = settings.tileHeight;
  const int width = RoundUpTo(job.areaWidth, tileWidth);
  const int height = RoundUpTo(job.areaHeight, tileHeight);
  const int columns = width / tileWidth;
  const int rows = height / tileHeight;

  std::vector<ConvertedPixel> area = ConvertArea(job.image, width, height, context.tables, mode);
  std::vector<uint32_t> indices;
  PaletteBuffer palette;
  if (!mode.hasPalette() || multi) {
    indices = std::move(area);
  } else if (!ReduceSinglePalette(job, context, area, width, height, palette, indices)) {
    return false;
  }

  TileStore store(tileWidth, tileHeight);
  const size_t words = store.wordsPerTile();
  int existingTiles = 0;
  if (job.existingTileset) {
    const std::span<const uint32_t> blocks = job.existingTileset->blocks;
    existingTiles = static_cast<int>(blocks.size() / kBlockPixels) / store.blocksPerTile();
    for (int t = 0; t < existingTiles; ++t)
      store.appendUnchecked(blocks.data() + static_cast<size_t>(t) * words);
  } else if (settings.firstTileEmpty) {
    std::vector<uint32_t> empty(words, 0);
    store.appendUnchecked(empty.data());
  }
  // Tiles of sub-palette conversions hold colours until the end, which cannot
  // be compared with an existing tileset's indices.
  const bool mergeWithExisting =
      !job.existingTileset || (job.existingTileset->reuseTiles && !multi);
  const int mergeFrom = mergeWithExisting ? 0 : existingTiles;

  std::vector<int> tileOfCell(static_cast<size_t>(columns) * static_cast<size_t>(rows));
  std::vector<uint32_t> tile(words);
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) {
      GatherTile(indices.data() + static_cast<size_t>(row) * tileHeight * width +
                     static_cast<size_t>(column) * tileWidth,
                 static_cast<size_t>(width), tileWidth, tileHeight, tile.data());
      int number = job.mergeTiles ? store.find(tile.data(), mergeFrom) : -1;
      if (number < 0) number = store.append(tile.data());
      if (number < 0) {
        context.dialogs.message(kTooManyTiles.text, kTooManyTiles.caption, platform::Icon::Error);
        return false;
      }
      tileOfCell[static_cast<size_t>(row) * columns + column] = number;
    }

  std::vector<int> subPaletteOf;
  if (multi) {
    MultiPaletteJob mp;
    const size_t first = static_cast<size_t>(existingTiles) * words;
    mp.tiles = std::span<const ConvertedPixel>(store.words()).subspan(first);
    mp.tileCount = store.count() - existingTiles;
    mp.tileWidth = tileWidth;
    mp.tileHeight = tileHeight;
    mp.coloursPerSubPalette = mode.coloursPerSubPalette;
    mp.requestedColours = job.colourCount;
    mp.fastReduction = settings.fastPaletteReduction != 0;
    mp.postProcessing = settings.paletteReductionPost != 0;
    mp.colorisation = settings.colorisation;
    mp.refine = settings.method == ReductionMethod::Refined;
    mp.dither = mp.refine && settings.refinedDither != 0;
    MultiPaletteResult result;
    const int colours = ConvertMultiPalette(mp, result, context.dialogs, context.progress);
    if (colours < 1) return false;
    std::copy(result.tiles.begin(), result.tiles.end(),
              store.words().begin() + static_cast<ptrdiff_t>(first));
    palette.colours.assign(result.palette.begin(), result.palette.end());
    palette.count = colours;
    subPaletteOf.assign(static_cast<size_t>(existingTiles), 0);
    subPaletteOf.insert(subPaletteOf.end(), result.subPalettes.begin(), result.subPalettes.end());
  }

  const MapFormat& format = context.mapFormat;
  std::vector<uint32_t> cells(tileOfCell.size());
  for (size_t i = 0; i < cells.size(); ++i) {
    const int t = tileOfCell[i];
    uint32_t cell = KeptTileNumber(format, static_cast<uint32_t>(t));
    if (multi)
      cell = CellWithSubPalette(format, cell,
                                static_cast<uint32_t>(subPaletteOf[static_cast<size_t>(t)]));
    cells[i] = cell;
  }

  const project::EntryRecord* paletteEntry = mode.hasPalette() ? job.palette : nullptr;
  if (job.generateMap && !context.writers.writeMap(*job.map, job.tileset, paletteEntry, format,
                                                   cells, columns, rows, tileWidth, tileHeight))
    return false;
  if (!context.writers.writeTileset(*job.tileset, paletteEntry, mode, store.words(), store.count(),
                                    tileWidth, tileHeight))
    return false;
  if (mode.hasPalette() &&
      !context.writers.writePalette(
          *job.palette,
          std::span<const uint32_t>(palette.colours.data(), static_cast<size_t>(palette.count))))
    return false;
  return true;
}

}  // namespace convert
