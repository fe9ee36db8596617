#pragma once

#include <cstddef>
#include <cstdint>

#include "convert/colour_mode.h"
#include "convert/converted_pixel.h"

// Converted colours brought back to 8 bits per channel for the screen, in the
// surfaces' pixel order (blue in byte 0, green, red, then the opacity byte).
namespace convert {

uint32_t DisplayColour(ConvertedPixel p, const ChannelLayout& channels);

// Swatches centre each level in its band (level × 8 + 4 for 5-bit channels).
uint32_t SwatchColour(ConvertedPixel p, const ChannelLayout& channels);

// The 256-entry colour table of the indexed drawing primitives for a palette
// of `count` entries; entries past the palette are black.
void BuildDisplayTable(const ConvertedPixel* palette, size_t count, const ChannelLayout& channels,
                       uint32_t* table256);

}  // namespace convert
