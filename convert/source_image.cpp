#include "convert/source_image.h"

#include <algorithm>

#include "convert/colour_tables.h"

namespace convert {

std::vector<ConvertedPixel> ConvertArea(const SourceImage& image, int width, int height,
                                        const ColourTables& tables, const ColourMode& mode) {
  std::vector<ConvertedPixel> area(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  if (!image.surface || !image.surface->bits) return area;
  const Surface& s = *image.surface;
  const int w = std::min({width, image.width, s.visibleWidth, s.stride});
  const int h = std::min({height, image.height, s.visibleHeight, s.height});
  for (int y = 0; y < h; ++y) {
    const uint32_t* src = s.row(y);
    ConvertedPixel* row = area.data() + static_cast<size_t>(y) * width;
    for (int x = 0; x < w; ++x) {
      const uint32_t p = src[x];
      row[x] =
          ConvertColour(tables, mode, PixelRed(p), PixelGreen(p), PixelBlue(p), PixelOpacity(p));
    }
  }
  return area;
}

}  // namespace convert
