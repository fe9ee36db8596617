#include "convert/drawing.h"

#include <algorithm>
#include <cstring>

#include "convert/colour_mode.h"
#include "convert/pixel_mix.h"

namespace convert {

namespace {

uint32_t* PixelAt(Surface& s, int x, int y) { return s.row(y) + x; }

bool Usable(const SourceBlock& b) {
  return b.values && b.width > 0 && b.height > 0 && b.stride >= static_cast<size_t>(b.width);
}

// Walks the visible part of a source block drawn at (x, y): calls
// put(destination, value) for every visible pixel, reading the source mirrored
// as asked.
template <class Put>
void ForEachVisible(const DrawingState& state, int x, int y, const SourceBlock& source,
                    bool mirrorX, bool mirrorY, Put put) {
  if (!Usable(source)) return;
  ClipRect r = ClipToDrawable(state, x, y, source.width, source.height);
  if (r.empty()) return;
  Surface& s = *state.surface;
  for (int dy = r.top; dy < r.bottom; ++dy) {
    int j = dy - y;
    size_t sy = static_cast<size_t>(mirrorY ? source.height - 1 - j : j);
    const uint32_t* row = source.values + sy * source.stride;
    uint32_t* dst = PixelAt(s, r.left, dy);
    for (int dx = r.left; dx < r.right; ++dx) {
      int i = dx - x;
      put(dst[dx - r.left], row[mirrorX ? source.width - 1 - i : i]);
    }
  }
}

}  // namespace

void FillRect(const DrawingState& state, int x, int y, int width, int height, uint32_t colour) {
  ClipRect r = ClipToDrawable(state, x, y, width, height);
  if (r.empty()) return;
  Surface& s = *state.surface;
  for (int dy = r.top; dy < r.bottom; ++dy)
    std::fill_n(PixelAt(s, r.left, dy), r.right - r.left, colour);
}

void CopyBlock(const DrawingState& state, int x, int y, const SourceBlock& source) {
  if (!Usable(source)) return;
  ClipRect r = ClipToDrawable(state, x, y, source.width, source.height);
  if (r.empty()) return;
  Surface& s = *state.surface;
  for (int dy = r.top; dy < r.bottom; ++dy) {
    const uint32_t* row =
        source.values + static_cast<size_t>(dy - y) * source.stride + (r.left - x);
    std::memcpy(PixelAt(s, r.left, dy), row, static_cast<size_t>(r.right - r.left) * 4);
  }
}

void CopyBlockIndexed(const DrawingState& state, const ColourMode& mode, int x, int y,
                      const SourceBlock& source, const uint32_t* colours) {
  if (!mode.hasPalette()) return CopyBlock(state, x, y, source);
  if (!colours) return;
  ForEachVisible(state, x, y, source, false, false,
                 [colours](uint32_t& d, uint32_t v) { d = colours[v & 255u]; });
}

void CopyBlockMirrored(const DrawingState& state, int x, int y, const SourceBlock& source,
                       bool mirrorX, bool mirrorY) {
  ForEachVisible(state, x, y, source, mirrorX, mirrorY, [](uint32_t& d, uint32_t v) { d = v; });
}

void CopyBlockMirroredIndexed(const DrawingState& state, const ColourMode& mode, int x, int y,
                              const SourceBlock& source, const uint32_t* colours,
                              uint32_t indexMask, bool mirrorX, bool mirrorY) {
  if (!mode.hasPalette()) return CopyBlockMirrored(state, x, y, source, mirrorX, mirrorY);
  if (!colours) return;
  uint32_t mask = indexMask & 255u;
  ForEachVisible(state, x, y, source, mirrorX, mirrorY,
                 [colours, mask](uint32_t& d, uint32_t v) { d = colours[v & mask]; });
}

void BlendRect(const DrawingState& state, int x, int y, int width, int height, uint32_t colour,
               int opacity) {
  ClipRect r = ClipToDrawable(state, x, y, width, height);
  if (r.empty()) return;
  uint32_t a = static_cast<uint32_t>(std::clamp(opacity, 0, 255));
  Surface& s = *state.surface;
  for (int dy = r.top; dy < r.bottom; ++dy) {
    uint32_t* dst = PixelAt(s, r.left, dy);
    for (int i = 0; i < r.right - r.left; ++i) dst[i] = MixPixels(colour, dst[i], a, 255u - a);
  }
}

}  // namespace convert
