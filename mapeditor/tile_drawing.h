#pragma once

#include <cstdint>

#include "convert/drawing_state.h"
#include "mapeditor/cell_tile.h"

// Drawing one tile of a background, block by block, through the tile drawer.
namespace mapeditor {

// Draws tile `t` with its top-left corner at (x, y): blocks right to left
// when mirrored horizontally, bottom to top when mirrored vertically, each
// block mirrored too. `colours` is the 256-entry display table; opacity is on
// the drawer's scale (256 = opaque). With `keyed`, colour 0 of the
// sub-palette leaves the surface as it is.
void DrawBackgroundTile(const convert::DrawingState& state, const Background& b,
                        const convert::ColourMode& mode, const uint32_t* colours, int x, int y,
                        const CellTile& t, int opacity, bool keyed);

// An opacity setting (0..255, 0 meaning opaque, larger values stored as 255)
// on the drawer's scale.
int DrawerOpacity(int32_t setting);

}  // namespace mapeditor
