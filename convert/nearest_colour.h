#pragma once

#include <cstdint>

#include "convert/converted_pixel.h"

// The colour distance and the nearest-colour search every reduction uses.
namespace convert {

// Squared distance of the levels, plus 1 when the opacity bytes differ.
constexpr uint32_t ColourDistance(ConvertedPixel a, ConvertedPixel b) {
  int dr = int{PixelRed(a)} - PixelRed(b);
  int dg = int{PixelGreen(a)} - PixelGreen(b);
  int db = int{PixelBlue(a)} - PixelBlue(b);
  return static_cast<uint32_t>(dr * dr + dg * dg + db * db) +
         (PixelOpacity(a) != PixelOpacity(b) ? 1u : 0u);
}

// Scans entries first .. end − 1 in order and takes every entry whose distance
// is at most the best so far (which starts at `limit`): the result is the last
// entry at the smallest distance, so ties go to the higher index. −1 when no
// entry lies within the limit (a negative limit matches nothing).
int NearestColour(ConvertedPixel pixel, const ConvertedPixel* palette, int first, int end,
                  int64_t limit);

// The largest limit: every entry is within it.
inline constexpr int64_t kNoColourLimit = 0x7FFFFFFF;

}  // namespace convert
