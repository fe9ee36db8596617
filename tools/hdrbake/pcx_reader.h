#pragma once

#include <cstdint>
#include <span>

#include "tools/hdrbake/pcx_image.h"

namespace hdrbake {

constexpr std::size_t kPcxHeaderSize = 128;
constexpr std::uint8_t kPcxPaletteMarker = 12;
// The marker byte and 256 colour triplets close a 256-colour file.
constexpr std::size_t kPcxPaletteTailSize = 1 + 256 * 3;

// Reads a whole PCX file held in memory. `header` is filled as soon as the
// first 128 bytes are present, so the caller can report the stored values even
// when the rest fails. `image` receives what could be read: nothing when the
// header or the pixel stream is incomplete, size and pixels without palette
// when only the palette is missing. Never reads outside `file`.
PcxStatus ReadPcx(std::span<const std::uint8_t> file, PcxHeader& header, PcxImage& image);

}  // namespace hdrbake
