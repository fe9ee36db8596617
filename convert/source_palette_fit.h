#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "convert/converted_pixel.h"

namespace platform {
class UserDialogs;
}

// Keeping the palette of an indexed picture in the tile conversion, instead
// of reducing its colours.
namespace convert {

struct ColourMode;
struct ColourTables;
struct PaletteBuffer;
struct SourcePalette;

// The used source entries (through the colour tables) are matched, from the
// first on, with the entries already in the palette while they are equal;
// the rest must fit in the room left below `maximum`. When they do, they are
// appended, every opaque pixel takes its nearest colour over the palette and
// transparent and outside pixels take the background: the first new entry
// when `alignedAppend` (an aligned mode appending to an existing palette),
// else 0. Returns false, changing nothing, when the palette does not fit.
bool KeepSourcePalette(const SourcePalette& source, const ColourTables& tables,
                       const ColourMode& mode, int maximum, bool alignedAppend,
                       std::span<const ConvertedPixel> area, PaletteBuffer& palette,
                       std::vector<uint32_t>& indices, platform::UserDialogs& dialogs);

}  // namespace convert
