#pragma once

#include <array>
#include <cstdint>

namespace mapeditor {

// The map editor's settings as the script objects `editeur`, `fonds`,
// `modehexa`, `bits` and `specimen` hold them between editor sessions (start
// values as at program start-up). The map editor reads them when it opens and
// writes the ones the user changes back.
struct EditorSettings {
  // `editeur`
  int32_t popupInfos = 1;
  int32_t popupTime = 61;
  int32_t invisibleBlock = 65535;
  int32_t preciseZoom = 0;
  int32_t grid = 0;
  int32_t gridColour = 64 | (64 << 8) | (64 << 16);  // RGB(64,64,64), red in the low byte
  int32_t gridOpacity = 96;
  int32_t zeroMask = 0;
  int32_t timing = 10;  // milliseconds between frames, 0..1000
  double zoom = 1.0;

  // `fonds`
  int32_t foregroundOpacity = 160;
  int32_t ownPalettes = 1;  // one palette per background
  int32_t transparency = 0;
  int32_t hexOpacity = 96;
  int32_t backgroundOpacity = 128;
  std::array<int32_t, 20> visible{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

  // `modehexa`
  int32_t hexMode = 0;
  int32_t hexFillZeros = 0;
  int32_t hexGraphicsBehind = 1;

  // `bits`
  int32_t bitsZeroMask = 1;

  // `specimen`
  int32_t specimenShown = 1;
};

}  // namespace mapeditor
