#pragma once

#include <cstdint>
#include <vector>

#include "convert/converted_pixel.h"
#include "convert/surface.h"

// The loaded picture as the conversions read it: the loading surface and the
// picture's size. Pixels beyond the picture, or beyond what the surface holds
// (the memory limit may have made it smaller), are outside pixels.
namespace convert {

struct ColourMode;
struct ColourTables;

struct SourceImage {
  const Surface* surface = nullptr;
  int width = 0;
  int height = 0;

  bool inside(int x, int y) const {
    return surface && surface->bits && x >= 0 && y >= 0 && x < width && y < height &&
           x < surface->visibleWidth && x < surface->stride && y < surface->visibleHeight &&
           y < surface->height;
  }
  // The surface word (0xAARRGGBB); 0 outside.
  uint32_t at(int x, int y) const { return inside(x, y) ? surface->at(x, y) : 0u; }
};

// The area (width × height, from the picture's top-left corner, row by row)
// through the colour tables and the mode's per-colour hook: each pixel keeps
// its opacity; outside pixels are 0.
std::vector<ConvertedPixel> ConvertArea(const SourceImage& image, int width, int height,
                                        const ColourTables& tables, const ColourMode& mode);

// Rounds up to a whole number of `step` (a positive size).
constexpr int RoundUpTo(int value, int step) {
  return static_cast<int>((static_cast<int64_t>(value) + step - 1) / step * step);
}

}  // namespace convert
