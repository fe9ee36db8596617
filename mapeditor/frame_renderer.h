#pragma once

#include <cstdint>

#include "convert/drawing_state.h"

// Composing one frame of the editor: every visible background, in index
// order with the active one last, with their opacities, parallax, hex digits
// and the grid. The window stretches the result onto its canvas and draws the
// cursor, the information box and the status messages over it.
namespace mapeditor {

class MapEditor;

struct FrameOptions {
  // Where no background covers the canvas (any neutral colour will do).
  uint32_t fillColour = 0xFFC0C0C0u;
  // The system tick count in milliseconds, for the pulsing of selected
  // objects.
  uint32_t tickMs = 0;
};

// Surface colours (blue in byte 0, then green, red, opacity byte).
inline constexpr uint32_t kWhite = 0xFFFFFFFFu;
inline constexpr uint32_t kBlack = 0xFF000000u;

// The first layer drawn shows every colour of its tiles; the layers drawn over
// it let the ones below show through their colour 0, as on the console. Map
// layers shown at their tiles' own size go through the layer compositor, the
// others (hex digits, objects, hex mode's faint map) tile by tile. The
// surface's fourth byte is not part of the picture.
void ComposeFrame(const MapEditor& editor, const convert::DrawingState& state,
                  const FrameOptions& options = {});

// One map background as drawn by the frame. `opacity` is on the drawer's
// scale; `keyed` leaves colour 0 of each sub-palette transparent; `hexDigits`
// prints cell values instead of tiles.
struct MapLayer {
  int background = 0;
  const uint32_t* colours = nullptr;  // 256 display colours
  int opacity = 256;
  bool keyed = false;
  bool hexDigits = false;
  bool grid = false;
};
void DrawMapLayer(const MapEditor& editor, const convert::DrawingState& state,
                  const MapLayer& layer);

void DrawListLayer(const MapEditor& editor, const convert::DrawingState& state, int background,
                   int opacity, bool grid, uint32_t tickMs);

// The snap grid of the active background over the visible part of the map.
void DrawSnapGrid(const MapEditor& editor, const convert::DrawingState& state, int originX,
                  int originY, int width, int height);

}  // namespace mapeditor
