#include "convert/source_palette_fit.h"

#include <algorithm>

#include "convert/colour_collection.h"
#include "convert/colour_tables.h"
#include "convert/conversion_messages.h"
#include "convert/image_loader.h"
#include "convert/palette_reduction.h"
#include "platform/dialogs.h"

namespace convert {

bool KeepSourcePalette(const SourcePalette& source, const ColourTables& tables,
                       const ColourMode& mode, int maximum, bool alignedAppend,
                       std::span<const ConvertedPixel> area, PaletteBuffer& palette,
                       std::vector<uint32_t>& indices, platform::UserDialogs& dialogs) {
  const int used = std::min(source.usedEntries, static_cast<int>(source.colours.size()));
  if (used < 1) return false;
  const int present = palette.count;
  maximum = std::min(maximum, kPaletteBufferEntries - 1);
  std::vector<ConvertedPixel> converted(static_cast<size_t>(used));
  for (int i = 0; i < used; ++i) {
    uint32_t c = source.colours[static_cast<size_t>(i)];
    converted[static_cast<size_t>(i)] =
        ConvertColour(tables, mode, static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                      static_cast<uint8_t>(c), 255);
  }
  int matched = 0;
  while (matched < used && matched < present &&
         converted[static_cast<size_t>(matched)] == palette.colours[static_cast<size_t>(matched)])
    ++matched;
  if (used - matched > maximum - present) return false;

  std::copy(converted.begin() + matched, converted.end(), palette.colours.begin() + present);
  const int count = present + used - matched;
  palette.count = count;
  const uint32_t background = alignedAppend ? static_cast<uint32_t>(present) : 0u;
  indices.assign(area.size(), 0);
  MapToNearestColours(area, palette.colours.data(), 0, count, background, 0, indices);
  // Every colour of an indexed picture is in its palette; a pixel without an
  // entry is a fault of this program, reported once.
  if (count < 1 &&
      std::any_of(area.begin(), area.end(), [](ConvertedPixel p) { return !IsTransparent(p); }))
    dialogs.message(kSourcePaletteMismatch.text, kSourcePaletteMismatch.caption,
                    platform::Icon::None);
  return true;
}

}  // namespace convert
