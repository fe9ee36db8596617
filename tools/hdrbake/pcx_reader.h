#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "tools/hdrbake/pcx_image.h"

namespace hdrbake {

constexpr std::size_t kPcxHeaderSize = 128;
constexpr std::uint8_t kPcxPaletteMarker = 12;
// The marker byte and 256 colour triplets close a 256-colour file.
constexpr std::size_t kPcxPaletteTailSize = 1 + 256 * 3;

// Where the palette starts (just past its marker byte), given the offset just
// past the image data: the usual place 769 bytes before the end when the
// marker is there, else right after the data or at the last marker with a
// whole palette behind it, so that bytes a writer left after the palette do
// not hide it. Nothing when no marker is found.
std::optional<std::size_t> FindPcxPalette(std::span<const std::uint8_t> file, std::size_t dataEnd);

// Reads a whole PCX file held in memory. `header` is filled as soon as the
// first 128 bytes are present, so the caller can report the stored values even
// when the rest fails. `image` receives what could be read: nothing when the
// header or the pixel stream is incomplete, size and pixels without palette
// when only the palette is missing. Never reads outside `file`.
PcxStatus ReadPcx(std::span<const std::uint8_t> file, PcxHeader& header, PcxImage& image);

}  // namespace hdrbake
