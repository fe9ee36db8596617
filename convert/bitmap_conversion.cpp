#include "convert/bitmap_conversion.h"

#include "convert/colour_mode.h"
#include "convert/conversion_job.h"
#include "convert/conversion_messages.h"
#include "convert/conversion_settings.h"
#include "convert/element_writers.h"
#include "convert/palette_reduction.h"

namespace convert {

bool ConvertBitmap(const BitmapJob& job, const ConversionContext& context) {
  const ColourMode& mode = context.mode;
  const int width = job.image.width;
  const int height = job.image.height;
  if (!job.bitmap || width < 1 || height < 1 || (mode.hasPalette() && !job.palette)) {
    ShowInternalError(context.dialogs, "(bitmap != NULL) && (largeur > 0) && (hauteur > 0)");
    return false;
  }
  if (mode.hasPalette() && (job.colourCount < 1 || job.colourCount > mode.pixelRange)) {
    ShowInternalError(context.dialogs, "(couleurs >= 1) && (couleurs <= mode.pixelRange)");
    return false;
  }
  std::vector<ConvertedPixel> area = ConvertArea(job.image, width, height, context.tables, mode);
  if (!mode.hasPalette())
    return context.writers.writeBitmap(*job.bitmap, nullptr, mode, area, width, height);

  PaletteBuffer palette;
  if (job.existingPalette) {
    KeepExistingColours(job.existingPalette->colours, mode, palette);
    if (mode.indexZeroReserved) DropEntryZero(palette);
  }
  const bool reuse = job.existingPalette && job.existingPalette->reuseColours;
  ReductionJob reduction;
  reduction.area = area;
  reduction.width = width;
  reduction.height = height;
  reduction.source = &job.image;
  reduction.tables = &context.tables;
  reduction.mode = &mode;
  reduction.method = context.settings.method;
  reduction.requestedColours = job.colourCount;
  reduction.searchStart = reuse ? 0 : palette.count;
  reduction.background = 0;
  reduction.search = ToleranceSearch::Descending;
  reduction.maxPrecision = context.settings.maxPrecision;
  reduction.useMaxColours = context.settings.useMaxColours != 0;
  reduction.messages = context.messages;
  reduction.dither = context.settings.refinedDither != 0;
  std::vector<uint32_t> indices;
  if (ReduceColours(reduction, palette, indices, context.dialogs) < 0) return false;
  if (mode.indexZeroReserved) InsertZeroColour(palette, context.settings.zeroColour);
  if (!context.writers.writeBitmap(*job.bitmap, job.palette, mode, indices, width, height))
    return false;
  return context.writers.writePalette(
      *job.palette,
      std::span<const uint32_t>(palette.colours.data(), static_cast<size_t>(palette.count)));
}

}  // namespace convert
