#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "convert/converted_pixel.h"

// The Standard reduction's pass: every pixel takes the nearest palette colour
// within a tolerance, and a pixel with none gets its own colour appended.
//
// How the palette grows depends only on the first appearance of each colour:
// a later pixel of the same colour always finds an entry within the
// tolerance (the one its first appearance found or added), so it never
// appends. Counting passes therefore run over the distinct colours in order
// of appearance, and only the final pass visits every pixel.
namespace convert {

// The colours of the opaque pixels (opacity not 0), each once, in the order
// they first appear.
std::vector<ConvertedPixel> DistinctColours(std::span<const ConvertedPixel> pixels);

// A palette being filled: entries [0, count) are present; the buffer has room
// for `maximum` + 1 entries at least.
struct CollectionPalette {
  ConvertedPixel* colours = nullptr;
  int count = 0;
  int searchStart = 0;  // entries below are kept but never matched
  int maximum = 0;      // a pass whose count exceeds this fails
};

// A counting pass over distinct colours (in order of appearance) with the
// given tolerance: appends what the pass would append and returns the new
// count, or −1 when it exceeds the maximum.
int CollectColours(std::span<const ConvertedPixel> distinctColours, CollectionPalette palette,
                   int64_t tolerance);

// The final pass: as CollectColours over every pixel, writing each pixel's
// index (plus `indexOffset`), or `background` for a transparent pixel.
// Returns the new count or −1.
int CollectColoursWithIndices(std::span<const ConvertedPixel> pixels, CollectionPalette palette,
                              int64_t tolerance, uint32_t background, uint32_t indexOffset,
                              std::span<uint32_t> indices);

// Every pixel's nearest colour over [first, end) (no limit), plus
// `indexOffset`; transparent pixels get `background`. Colours met before are
// not searched again.
void MapToNearestColours(std::span<const ConvertedPixel> pixels, const ConvertedPixel* palette,
                         int first, int end, uint32_t background, uint32_t indexOffset,
                         std::span<uint32_t> indices);

}  // namespace convert
