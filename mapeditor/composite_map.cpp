#include "mapeditor/composite_map.h"

#include <algorithm>
#include <cstddef>

#include "mapeditor/map_editor.h"
#include "mapeditor/tile_drawing.h"
#include "mapeditor/editor_host.h"
#include "project/project.h"

namespace mapeditor {

bool AddSpecimenMap(Specimen& specimen, const MapEditor& editor, int slot) {
  if (slot < 0 || slot >= editor.count() || !editor.slot(slot).open) return false;
  if (!editor.background(slot).isMap()) return false;
  if (std::find(specimen.maps.begin(), specimen.maps.end(), slot) != specimen.maps.end())
    return false;
  specimen.maps.push_back(slot);
  return true;
}

SpecimenGrid SpecimenGridOf(const Specimen& specimen, const MapEditor& editor) {
  SpecimenGrid g;
  for (int m : specimen.maps) {
    if (m < 0 || m >= editor.count() || !editor.slot(m).open) continue;
    const Background& b = editor.background(m);
    g.cellWidth = b.tileWidth;
    g.cellHeight = b.tileHeight;
    g.width = b.width;
    g.height = b.height;
    break;
  }
  return g;
}

void RenderSpecimen(const convert::DrawingState& state, const Specimen& specimen,
                    const MapEditor& editor) {
  convert::ClipRect area = convert::DrawableArea(state);
  if (area.empty()) return;
  SpecimenGrid g = SpecimenGridOf(specimen, editor);
  if (g.cellWidth <= 0 || g.cellHeight <= 0) return;
  const SkippedValues skip = editor.skippedValues();
  int columns = std::min(area.right / g.cellWidth + 1, g.width - specimen.scrollX);
  int rows = std::min(area.bottom / g.cellHeight + 1, g.height - specimen.scrollY);
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < columns; ++x) {
      int cx = x + specimen.scrollX, cy = y + specimen.scrollY;
      for (int m : specimen.maps) {
        if (m < 0 || m >= editor.count() || !editor.slot(m).open) continue;
        const Background& b = editor.background(m);
        if (!b.isMap() || cx < 0 || cy < 0 || cx >= b.width || cy >= b.height) continue;
        uint32_t v = b.cell(cx, cy) + static_cast<uint32_t>(b.referenceTile);
        if (skip.skips(v)) continue;
        CellTile t;
        if (TileForValue(b, editor.mapFormatOf(b), v, t))
          DrawBackgroundTile(state, b, editor.colourModeOf(b), b.colours.data(), x * g.cellWidth,
                             y * g.cellHeight, t, 256, false);
        break;
      }
    }
}

bool CopySpecimenSelection(const Specimen& specimen, MapEditor& editor, int x0, int y0, int x1,
                           int y1) {
  SelectionBuffer& buf = editor.buffer();
  if (!AllocateSelectionBuffer(buf)) return false;
  SpecimenGrid g = SpecimenGridOf(specimen, editor);
  int left = std::max(std::min(x0, x1), 0), right = std::min(std::max(x0, x1), g.width - 1);
  int top = std::max(std::min(y0, y1), 0), bottom = std::min(std::max(y0, y1), g.height - 1);
  left += specimen.scrollX;
  right += specimen.scrollX;
  top += specimen.scrollY;
  bottom += specimen.scrollY;
  right = std::min(right, g.width - 1);
  bottom = std::min(bottom, g.height - 1);
  int w = std::min(right - left + 1, kBufferSide), h = std::min(bottom - top + 1, kBufferSide);
  buf.clear();
  buf.copied.fill(false);
  buf.planeCount = 0;
  if (w <= 0 || h <= 0) return false;
  for (int m : specimen.maps) {
    if (buf.planeCount >= kCopyPlanes) break;
    if (m < 0 || m >= editor.count() || !editor.slot(m).open) continue;
    const Background& b = editor.background(m);
    if (!b.isMap()) break;
    int plane = buf.planeCount;
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) {
        int cx = left + i, cy = top + j;
        bool inside = cx >= 0 && cy >= 0 && cx < b.width && cy < b.height;
        buf.at(plane, i, j) = inside ? b.cell(cx, cy) : 0u;
      }
    buf.copied[static_cast<size_t>(plane)] = true;
    ++buf.planeCount;
  }
  if (buf.planeCount == 0) return false;
  buf.width = w;
  buf.height = h;
  buf.owner = editor.active();
  return true;
}

}  // namespace mapeditor
