// Scrolling, zoom, snap grids and the editor timer.
#include <algorithm>
#include <cstdio>

#include "mapeditor/editor_texts.h"
#include "mapeditor/map_editor.h"
#include "mapeditor/editor_host.h"
#include "project/project.h"

namespace mapeditor {

namespace {

constexpr int kLinePixels = 32;
constexpr int kPagePixels = 192;
constexpr double kZoomStep = 0.5;
constexpr double kZoomMax = 4.0;
constexpr double kZoomMin = 1.0;
constexpr int kSnapGrowLimit = 64;

int ScaledStep(int pixels, double speed) {
  if (!(speed > 0)) return pixels;
  double v = pixels / speed;
  if (v > 1e9) return 1000000000;
  return static_cast<int>(v);
}

void SnapGridStatus(StatusMessages& status, const Background& b) {
  char text[48];
  std::snprintf(text, sizeof text, texts::kSnapGrid.data(), b.snapX, b.snapY);
  status.remove(text);
  status.add(text);
}

}  // namespace

void MapEditor::clampScroll() { setScroll(scrollX_, scrollY_); }

void MapEditor::setScroll(int x, int y) {
  if (!isOpenSlot(active_)) {
    scrollX_ = scrollY_ = 0;
    return;
  }
  const Background& b = activeBackground();
  int gx = std::max({b.scrollStepX, b.snapX, 1});
  int gy = std::max({b.scrollStepY, b.snapY, 1});
  int64_t maxX = std::max<int64_t>(0, (static_cast<int64_t>(b.width) - 1) * b.cellWidth);
  int64_t maxY = std::max<int64_t>(0, (static_cast<int64_t>(b.height) - 1) * b.cellHeight);
  int64_t cx = std::clamp<int64_t>(x, 0, maxX);
  int64_t cy = std::clamp<int64_t>(y, 0, maxY);
  scrollX_ = static_cast<int>(cx - cx % gx);
  scrollY_ = static_cast<int>(cy - cy % gy);
}

void MapEditor::scrollLines(int dx, int dy) {
  if (!isOpenSlot(active_)) return;
  const Background& b = activeBackground();
  setScroll(scrollX_ + dx * ScaledStep(kLinePixels, b.parallaxX),
            scrollY_ + dy * ScaledStep(kLinePixels, b.parallaxY));
}

void MapEditor::scrollPages(int dx, int dy) {
  if (!isOpenSlot(active_)) return;
  const Background& b = activeBackground();
  setScroll(scrollX_ + dx * ScaledStep(kPagePixels, b.parallaxX),
            scrollY_ + dy * ScaledStep(kPagePixels, b.parallaxY));
}

double MapEditor::zoom() const { return host_.settings().zoom > 0 ? host_.settings().zoom : 1.0; }

void MapEditor::stepZoom(int steps) {
  double z = zoom();
  double before = z;
  for (int i = 0; i < steps && z < kZoomMax; ++i) z += kZoomStep;
  for (int i = 0; i > steps && z > kZoomMin; --i) z -= kZoomStep;
  if (z == before) return;
  host_.settings().zoom = z;
  char text[32];
  std::snprintf(text, sizeof text, texts::kZoom.data(), static_cast<int>(z * 100));
  status_.remove(text);
  status_.add(text);
}

bool MapEditor::setSnapGridOf(int i, int width, int height) {
  if (!isOpenSlot(i) || width < 1 || height < 1) return false;
  background(i).snapX = width;
  background(i).snapY = height;
  return true;
}

void MapEditor::growSnapGrid() {
  if (!isOpenSlot(active_)) return;
  Background& b = activeBackground();
  if (b.snapX < kSnapGrowLimit) b.snapX *= 2;
  if (b.snapY < kSnapGrowLimit) b.snapY *= 2;
  SnapGridStatus(status_, b);
}

void MapEditor::shrinkSnapGrid() {
  if (!isOpenSlot(active_)) return;
  Background& b = activeBackground();
  if (b.snapX > 1) b.snapX /= 2;
  if (b.snapY > 1) b.snapY /= 2;
  SnapGridStatus(status_, b);
}

void MapEditor::tick(int elapsedMs) {
  status_.elapse(elapsedMs);
  if (!isOpenSlot(active_)) return;
  if (hexApplied_ != hexMode()) followHexMode();
  Background& a = activeBackground();
  int stepX = a.cellWidth, stepY = a.cellHeight;
  for (int m : activeGroup()) {
    stepX = std::min(stepX, background(m).cellWidth);
    stepY = std::min(stepY, background(m).cellHeight);
  }
  a.scrollStepX = std::max(stepX, 1);
  a.scrollStepY = std::max(stepY, 1);
  if (a.isMap()) {
    a.snapX = std::max(a.snapX, a.cellWidth);
    a.snapY = std::max(a.snapY, a.cellHeight);
  }
}

}  // namespace mapeditor
