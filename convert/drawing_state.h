#pragma once

#include "convert/surface.h"

// The current surface and its clip rectangle, which every drawing primitive
// draws through. Coordinates are picture coordinates: (0, 0) is the top-left
// pixel.
namespace convert {

struct ClipRect {
  int left = 0;
  int top = 0;
  int right = 0;   // exclusive
  int bottom = 0;  // exclusive

  bool empty() const { return right <= left || bottom <= top; }
};

struct DrawingState {
  Surface* surface = nullptr;
  ClipRect clip;
};

// Makes `surface` current with a clip rectangle covering its visible size.
void SelectSurface(DrawingState& state, Surface& surface);

// After a resize the clip rectangle must follow the new size.
void ReselectIfCurrent(DrawingState& state, Surface& surface);

// Restricts drawing to (x, y, width, height) within the current surface.
void SetClipRect(DrawingState& state, int x, int y, int width, int height);

// The part of the surface the primitives may touch: the clip rectangle within
// the visible surface; empty when there is no surface or no bits. Inline: the
// tile drawer asks for it once per 8 × 8 block.
inline ClipRect DrawableArea(const DrawingState& state) {
  const Surface* s = state.surface;
  if (!s || !s->bits) return {};
  ClipRect r;
  r.left = state.clip.left > 0 ? state.clip.left : 0;
  r.top = state.clip.top > 0 ? state.clip.top : 0;
  int width = s->visibleWidth < s->stride ? s->visibleWidth : s->stride;
  int height = s->visibleHeight < s->height ? s->visibleHeight : s->height;
  r.right = state.clip.right < width ? state.clip.right : width;
  r.bottom = state.clip.bottom < height ? state.clip.bottom : height;
  if (r.empty()) return {};
  return r;
}

// The part of (x, y, width, height) inside the drawable area.
ClipRect ClipToDrawable(const DrawingState& state, int x, int y, int width, int height);

}  // namespace convert
