#include "mapeditor/frame_renderer.h"

#include <algorithm>

#include "convert/converted_pixel.h"
#include "convert/draw_tile.h"
#include "convert/drawing.h"
#include "formats/list_model.h"
#include "mapeditor/hex_digits.h"
#include "mapeditor/layer_compositor.h"
#include "mapeditor/map_editor.h"
#include "mapeditor/parallax.h"
#include "mapeditor/tile_drawing.h"
#include "mapeditor/editor_host.h"
#include "project/project.h"

namespace mapeditor {

namespace {

constexpr int kSelectionOpacity = 128;
constexpr uint32_t kSelectionFrame = 0xFFFF0000u;  // red
constexpr uint32_t kPulsePeriodMs = 1024;

// The script's colour (red in the low byte) as a surface colour.
uint32_t SurfaceColour(int32_t rgb) {
  uint32_t v = static_cast<uint32_t>(rgb);
  return convert::MakePixel(v & 255u, (v >> 8) & 255u, (v >> 16) & 255u, 255);
}

// Opacity 256 is solid: the blend's 255 / 256 would dim the colour.
void Paint(const convert::DrawingState& state, int x, int y, int w, int h, uint32_t colour,
           int opacity) {
  if (opacity >= 256)
    convert::FillRect(state, x, y, w, h, colour);
  else
    convert::BlendRect(state, x, y, w, h, colour, opacity);
}

void Outline(const convert::DrawingState& state, int x, int y, int w, int h, uint32_t colour,
             int opacity) {
  if (w <= 0 || h <= 0) return;
  Paint(state, x, y, w, 1, colour, opacity);
  if (h > 1) Paint(state, x, y + h - 1, w, 1, colour, opacity);
  if (h > 2) {
    Paint(state, x, y + 1, 1, h - 2, colour, opacity);
    if (w > 1) Paint(state, x + w - 1, y + 1, 1, h - 2, colour, opacity);
  }
}

}  // namespace

void DrawSnapGrid(const MapEditor& editor, const convert::DrawingState& state, int originX,
                  int originY, int width, int height) {
  const Background& a = editor.activeBackground();
  if (a.snapX < 4 || a.snapY < 4) return;
  const mapeditor::EditorSettings& s = editor.host().settings();
  uint32_t colour = SurfaceColour(s.gridColour);
  int opacity = DrawerOpacity(s.gridOpacity);
  // The outlines stop at the edge of the map.
  convert::DrawingState clipped = state;
  convert::ClipRect area = convert::DrawableArea(state);
  int right = std::min(area.right, width), bottom = std::min(area.bottom, height);
  convert::SetClipRect(clipped, area.left, area.top, right - area.left, bottom - area.top);
  for (int y = originY; y < bottom; y += a.snapY)
    for (int x = originX; x < right; x += a.snapX)
      Outline(clipped, x, y, a.snapX, a.snapY, colour, opacity);
}

void DrawMapLayer(const MapEditor& editor, const convert::DrawingState& state,
                  const MapLayer& layer) {
  const Background& b = editor.background(layer.background);
  convert::ClipRect area = convert::DrawableArea(state);
  if (area.empty() || b.cellWidth <= 0 || b.cellHeight <= 0) return;
  const int c0 = editor.firstColumn(b), r0 = editor.firstRow(b);
  const int columns = std::min(b.width - c0, area.right / b.cellWidth + 1);
  const int rows = std::min(b.height - r0, area.bottom / b.cellHeight + 1);
  const mapeditor::EditorSettings& settings = editor.host().settings();
  const convert::MapFormat& format = editor.mapFormatOf(b);
  const convert::ColourMode& mode = editor.colourModeOf(b);
  const bool zeroPadding = settings.hexFillZeros != 0;
  for (int j = 0; j < rows && layer.opacity > 0; ++j) {
    const int y = j * b.cellHeight;
    for (int i = 0; i < columns; ++i) {
      const int x = i * b.cellWidth;
      uint32_t c = b.cell(c0 + i, r0 + j);
      if (layer.hexDigits) {
        uint32_t v = c + static_cast<uint32_t>(b.referenceTile);
        DrawHexValue(state, x, y, b.cellWidth, b.cellHeight, v,
                     HexDigitCount(v, b.mapFormat, zeroPadding), kBlack, layer.opacity);
        continue;
      }
      CellTile t;
      if (TileForCell(b, format, c, t))
        DrawBackgroundTile(state, b, mode, layer.colours, x, y, t, layer.opacity, layer.keyed);
    }
  }
  if (layer.grid && columns > 0 && rows > 0) {
    const Background& a = editor.activeBackground();
    int scrolled = c0 * b.cellWidth, scrolledY = r0 * b.cellHeight;
    int ox = a.snapX > 0 ? -(scrolled % a.snapX) : 0;
    int oy = a.snapY > 0 ? -(scrolledY % a.snapY) : 0;
    DrawSnapGrid(editor, state, ox, oy, columns * b.cellWidth, rows * b.cellHeight);
  }
}

void DrawListLayer(const MapEditor& editor, const convert::DrawingState& state, int index,
                   int opacity, bool grid, uint32_t tickMs) {
  const Background& b = editor.background(index);
  const bool isActive = index == editor.active();
  int gx = isActive ? b.snapX : b.cellWidth;
  int gy = isActive ? b.snapY : b.cellHeight;
  gx = std::max(gx, 1);
  gy = std::max(gy, 1);
  const Background& a = editor.activeBackground();
  int ox = ParallaxSteps(editor.scrollX(), b.parallaxX, a.parallaxX, gx) * gx;
  int oy = ParallaxSteps(editor.scrollY(), b.parallaxY, a.parallaxY, gy) * gy;
  const convert::MapFormat& format = editor.mapFormatOf(b);
  const convert::ColourMode& mode = editor.colourModeOf(b);
  for (int k = 0; k < b.elementCount; ++k) {
    std::span<const uint8_t> e = b.element(k);
    int64_t x = static_cast<int64_t>(formats::ReadObjectWord(e, formats::kObjectX)) - ox;
    int64_t y = static_cast<int64_t>(formats::ReadObjectWord(e, formats::kObjectY)) - oy;
    if (x < -4096 || y < -4096 || x > INT32_MAX / 2 || y > INT32_MAX / 2) continue;
    uint32_t type = static_cast<uint32_t>(formats::ReadObjectWord(e, formats::kObjectType));
    CellTile t;
    if (TileForCell(b, format, type, t))
      DrawBackgroundTile(state, b, mode, b.colours.data(), static_cast<int>(x), static_cast<int>(y),
                         t, opacity, true);
  }
  if (isActive) {
    uint32_t phase = tickMs % kPulsePeriodMs;
    uint32_t level = phase < kPulsePeriodMs / 2 ? phase / 2 : (kPulsePeriodMs - 1 - phase) / 2;
    uint32_t pulse = convert::MakePixel(0, level, level, 255);
    for (int k : editor.listSelection()) {
      if (k < 0 || k >= b.elementCount) continue;
      std::span<const uint8_t> e = b.element(k);
      int64_t x = static_cast<int64_t>(formats::ReadObjectWord(e, formats::kObjectX)) - ox;
      int64_t y = static_cast<int64_t>(formats::ReadObjectWord(e, formats::kObjectY)) - oy;
      if (x < -4096 || y < -4096 || x > INT32_MAX / 2 || y > INT32_MAX / 2) continue;
      int xi = static_cast<int>(x), yi = static_cast<int>(y);
      convert::BlendRect(state, xi, yi, b.cellWidth, b.cellHeight, pulse, kSelectionOpacity);
      Outline(state, xi - 1, yi - 1, b.cellWidth + 2, b.cellHeight + 2, kSelectionFrame,
              kSelectionOpacity);
    }
  }
  if (grid) {
    int64_t width = static_cast<int64_t>(b.width) * b.cellWidth - ox;
    int64_t height = static_cast<int64_t>(b.height) * b.cellHeight - oy;
    // A list has no size of its own: its grid covers the canvas.
    if (b.width <= 0 || b.height <= 0) width = height = INT32_MAX;
    DrawSnapGrid(editor, state, 0, 0, static_cast<int>(std::min<int64_t>(width, INT32_MAX)),
                 static_cast<int>(std::min<int64_t>(height, INT32_MAX)));
  }
}

namespace {

// The layers of a frame in drawing order. Runs of map layers the compositor
// can take go through it together; the others are drawn tile by tile. The
// canvas is filled first, by the compositor itself when it draws first.
class LayerQueue {
 public:
  LayerQueue(const MapEditor& editor, const convert::DrawingState& state, uint32_t fill)
      : editor_(editor), state_(state), fill_(fill) {}
  ~LayerQueue() {
    flush();
    fillOnce();
  }

  void map(const MapLayer& layer) {
    const Background& b = editor_.background(layer.background);
    const convert::ColourMode& mode = editor_.colourModeOf(b);
    if (layer.hexDigits || !Composable(b, mode)) {
      flush();
      fillOnce();
      DrawMapLayer(editor_, state_, layer);
      return;
    }
    convert::ClipRect area = convert::DrawableArea(state_);
    CompositeLayer c;
    c.background = &b;
    c.colours = layer.colours;
    c.mode = &mode;
    c.format = &editor_.mapFormatOf(b);
    c.opacity = layer.opacity;
    c.keyed = layer.keyed;
    c.firstColumn = editor_.firstColumn(b);
    c.firstRow = editor_.firstRow(b);
    c.columns = std::min(b.width - c.firstColumn, area.right / b.cellWidth + 1);
    c.rows = std::min(b.height - c.firstRow, area.bottom / b.cellHeight + 1);
    if (c.columns > 0 && c.rows > 0) pending_.push_back(c);
    if (layer.grid) {
      flush();
      fillOnce();
      DrawMapLayer(editor_, state_, gridOnly(layer));
    }
  }

  void list(int index, int opacity, bool grid, uint32_t tickMs) {
    flush();
    fillOnce();
    DrawListLayer(editor_, state_, index, opacity, grid, tickMs);
  }

  void flush() {
    if (pending_.empty()) return;
    std::optional<uint32_t> start;
    if (!filled_) start = fill_;
    filled_ = true;
    ComposeMapLayers(state_, pending_, CompositeKernel::Best, start);
    pending_.clear();
  }

 private:
  void fillOnce() {
    if (filled_) return;
    filled_ = true;
    convert::ClipRect area = convert::DrawableArea(state_);
    convert::FillRect(state_, area.left, area.top, area.right - area.left, area.bottom - area.top,
                      fill_);
  }

  // The grid over a layer already composed: a layer that draws no tile.
  static MapLayer gridOnly(MapLayer layer) {
    layer.opacity = 0;
    return layer;
  }

  const MapEditor& editor_;
  const convert::DrawingState& state_;
  uint32_t fill_;
  bool filled_ = false;
  std::vector<CompositeLayer> pending_;
};

}  // namespace

void ComposeFrame(const MapEditor& editor, const convert::DrawingState& state,
                  const FrameOptions& options) {
  convert::ClipRect area = convert::DrawableArea(state);
  if (area.empty()) return;
  const mapeditor::EditorSettings& s = editor.host().settings();
  const bool hex = s.hexMode != 0;
  const bool transparency = s.transparency != 0;
  const uint32_t fill = hex ? kWhite : options.fillColour;
  const int count = editor.count();
  if (count == 0 || !editor.slot(editor.active()).open) {
    convert::FillRect(state, area.left, area.top, area.right - area.left, area.bottom - area.top,
                      fill);
    return;
  }
  const int active = editor.active();
  const Background& a = editor.activeBackground();
  const int others =
      transparency ? DrawerOpacity(hex ? s.hexOpacity : s.backgroundOpacity) : convert::kOpaque;
  LayerQueue queue(editor, state, fill);
  // The first layer drawn covers the canvas with all its colours; the layers
  // above it let it show through their colour 0, as the console does.
  bool keyed = false;
  for (int i = 0; i < count; ++i) {
    if (i == active || !editor.slot(i).open || !editor.visible(i)) continue;
    const Background& b = editor.background(i);
    if (b.isMap()) {
      MapLayer layer;
      layer.background = i;
      layer.colours = s.ownPalettes ? b.colours.data() : a.colours.data();
      layer.opacity = others;
      layer.keyed = keyed;
      queue.map(layer);
    } else {
      queue.list(i, others, false, options.tickMs);
    }
    keyed = true;
  }
  const bool grid = s.grid != 0;
  const int top = transparency && count > 1 ? DrawerOpacity(s.foregroundOpacity) : convert::kOpaque;
  if (a.isMap()) {
    if (hex && s.hexGraphicsBehind) {
      MapLayer behind;
      behind.background = active;
      behind.colours = a.colours.data();
      behind.opacity = DrawerOpacity(s.hexOpacity);
      behind.keyed = keyed;
      queue.map(behind);
      keyed = true;
    }
    MapLayer layer;
    layer.background = active;
    layer.colours = a.colours.data();
    layer.opacity = top;
    layer.keyed = keyed;
    layer.hexDigits = hex;
    layer.grid = grid;
    queue.map(layer);
  } else {
    queue.list(active, top, grid, options.tickMs);
  }
}

}  // namespace mapeditor
