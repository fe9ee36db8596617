#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "convert/converted_pixel.h"

// The Refined reduction: a palette chosen by a variance-based median cut over
// the colour histogram, then improved by Lloyd (k-means) iterations. The
// centres are kept apart on the target's integer levels, so that no two
// entries end up as the same console colour while the picture has more
// colours than the palette has room for.
//
// Distances are plain squared differences of the levels: that is what the
// console's colours are compared with, and a perceptual space would trade the
// measured error for a different one.
namespace convert {

struct WeightedColour {
  ConvertedPixel colour = 0;  // opacity 255
  uint32_t count = 0;
};

// The distinct opaque colours of the pixels with their counts, in increasing
// order of the colour word (the same for any order of the pixels).
std::vector<WeightedColour> ColourHistogram(std::span<const ConvertedPixel> pixels);

// At most `room` new colours (opacity 255) for the histogram, to go beside
// the `fixed` colours, which take part in the matching but do not move.
// When the histogram has no more colours than `room` outside the fixed ones,
// those colours themselves, in histogram order. `initial`, when given, starts
// the iterations instead of the median cut (its first `room` colours). The
// result never repeats a colour, nor a fixed one, on the levels.
std::vector<ConvertedPixel> RefinedPalette(std::span<const WeightedColour> histogram,
                                           std::span<const ConvertedPixel> fixed, int room,
                                           std::span<const ConvertedPixel> initial = {});

// The 8 × 8 ordered-dither threshold of a pixel, in (0, 1): it depends only on
// the position inside an 8 × 8 block, so equal tiles stay equal.
double DitherThreshold(int x, int y);

// How the ordered dither draws a colour with entries [first, end): the
// nearest entry, and the entry nearest to the colour's reflection about it
// (the partner, −1 when there is none), taken where the threshold is below
// the share: the colour's position between the two. nearest is −1 when the
// range is empty.
struct DitherChoice {
  int nearest = -1;
  int partner = -1;
  double share = 0;
  int at(double threshold) const { return partner >= 0 && threshold < share ? partner : nearest; }
};
DitherChoice ChooseDither(ConvertedPixel colour, const ConvertedPixel* palette, int first, int end);

// The area's opaque pixels as indices (plus indexOffset) of entries
// [first, end), with the ordered dither; transparent pixels take the
// background index.
void MapDithered(std::span<const ConvertedPixel> area, int width, const ConvertedPixel* palette,
                 int first, int end, uint32_t background, uint32_t indexOffset,
                 std::span<uint32_t> indices);

}  // namespace convert
