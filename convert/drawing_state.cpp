#include "convert/drawing_state.h"

#include <algorithm>

namespace convert {

void SelectSurface(DrawingState& state, Surface& surface) {
  state.surface = &surface;
  state.clip = {0, 0, surface.visibleWidth, surface.visibleHeight};
}

void ReselectIfCurrent(DrawingState& state, Surface& surface) {
  if (state.surface == &surface) SelectSurface(state, surface);
}

void SetClipRect(DrawingState& state, int x, int y, int width, int height) {
  ClipRect r{};
  if (state.surface) {
    const Surface& s = *state.surface;
    // 64-bit sums: a rectangle near the int limits must not wrap around.
    r.left = static_cast<int>(std::clamp<int64_t>(x, 0, s.visibleWidth));
    r.top = static_cast<int>(std::clamp<int64_t>(y, 0, s.visibleHeight));
    r.right = static_cast<int>(std::clamp<int64_t>(int64_t{x} + width, r.left, s.visibleWidth));
    r.bottom = static_cast<int>(std::clamp<int64_t>(int64_t{y} + height, r.top, s.visibleHeight));
  }
  state.clip = r;
}

ClipRect ClipToDrawable(const DrawingState& state, int x, int y, int width, int height) {
  ClipRect area = DrawableArea(state);
  if (area.empty() || width <= 0 || height <= 0) return {};
  ClipRect r;
  r.left = static_cast<int>(std::max<int64_t>(x, area.left));
  r.top = static_cast<int>(std::max<int64_t>(y, area.top));
  r.right = static_cast<int>(std::min<int64_t>(int64_t{x} + width, area.right));
  r.bottom = static_cast<int>(std::min<int64_t>(int64_t{y} + height, area.bottom));
  if (r.empty()) return {};
  return r;
}

}  // namespace convert
