#include "convert/nearest_colour.h"

namespace convert {

int NearestColour(ConvertedPixel pixel, const ConvertedPixel* palette, int first, int end,
                  int64_t limit) {
  int found = -1;
  int64_t best = limit;
  for (int e = first < 0 ? 0 : first; e < end; ++e) {
    int64_t d = ColourDistance(pixel, palette[e]);
    if (d <= best) {
      best = d;
      found = e;
    }
  }
  return found;
}

}  // namespace convert
