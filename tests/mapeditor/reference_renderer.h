#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "mapeditor/background.h"

// A slow renderer written from the drawing rules alone, pixel by pixel, for
// checking the editor's frames. It shares nothing with the production drawing
// code but the background record.
namespace mapeditortest {

struct ReferenceLayer {
  const mapeditor::Background* background = nullptr;
  const uint32_t* colours = nullptr;  // 256 display colours
  int opacity = 256;                  // 1..256
  bool keyed = false;                 // colour 0 of the sub-palette is not drawn
  int scrollX = 0;                    // pixels of the active background
  int scrollY = 0;
  double activeSpeedX = 1.0;  // parallax speeds of the active background
  double activeSpeedY = 1.0;
  // The colour mode's layout: 0 = direct colours, else sub-palette size
  // (16) or whole palette (256).
  int paletteSize = 16;
  bool subPalettes = true;
  // The map format's masks.
  uint32_t tileMask = 0x3FF;
  uint32_t mirrorXBit = 0x400;
  uint32_t mirrorYBit = 0x800;
  uint32_t paletteMask = 0xF000;
  int paletteShift = 12;
};

// A picture of width × height pixels, row by row, top row first.
struct ReferenceFrame {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t& at(int x, int y) { return pixels[static_cast<size_t>(y * width + x)]; }
};

ReferenceFrame ReferenceFill(int width, int height, uint32_t colour);
void ReferenceDraw(ReferenceFrame& frame, const ReferenceLayer& layer);

}  // namespace mapeditortest
