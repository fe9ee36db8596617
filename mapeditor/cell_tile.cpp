#include "mapeditor/cell_tile.h"

namespace mapeditor {

PaletteWindow PaletteWindowFor(const convert::ColourMode& mode, uint32_t subPalette) {
  PaletteWindow w;
  if (mode.paletteKind == convert::PaletteKind::SubPalettes && mode.coloursPerSubPalette > 0) {
    w.start =
        static_cast<int>((subPalette * static_cast<uint32_t>(mode.coloursPerSubPalette)) & 255u);
    w.indexMask = static_cast<uint32_t>(mode.coloursPerSubPalette - 1);
  } else {
    w.start = 0;
    w.indexMask = mode.paletteEntries > 0 ? static_cast<uint32_t>(mode.paletteEntries - 1) : 255u;
  }
  return w;
}

}  // namespace mapeditor
