#pragma once

#include <cstdint>
#include <vector>

#include "convert/drawing_state.h"
#include "mapeditor/window_placement.h"

// The specimen map: a composition of several map backgrounds shown in a
// window of its own, from which multi-layer blocks are picked.
namespace mapeditor {

class MapEditor;

struct Specimen {
  std::vector<int> maps;  // background slots, the first has priority
  int scrollX = 0;        // cells
  int scrollY = 0;
  bool exists = false;  // the window exists
  WindowPlacement placement{240, 240, 0, 0, false};
};

// Adds a map background (0-based slot) once; lists and unknown slots are
// refused.
bool AddSpecimenMap(Specimen& specimen, const MapEditor& editor, int slot);

// The cell size and the size in cells the specimen shows: those of its first
// map.
struct SpecimenGrid {
  int cellWidth = 8;
  int cellHeight = 8;
  int width = 0;
  int height = 0;
};
SpecimenGrid SpecimenGridOf(const Specimen& specimen, const MapEditor& editor);

// Draws the cells that fit on the surface: for each, the first listed
// background whose value there is not skipped (invisible block, or 0 under
// the zero mask).
void RenderSpecimen(const convert::DrawingState& state, const Specimen& specimen,
                    const MapEditor& editor);

// A drag over the specimen window, in its cells (any corner order): the cells
// of each listed map in order go into the selection-buffer plane of the same
// position (a list among them stops the copy). True when something was copied.
bool CopySpecimenSelection(const Specimen& specimen, MapEditor& editor, int x0, int y0, int x1,
                           int y1);

}  // namespace mapeditor
