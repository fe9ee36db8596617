#pragma once

#include <algorithm>
#include <array>
#include <vector>

#include "convert/converted_pixel.h"

// One sub-palette of the multi-palette conversion and the tiles given to it.
namespace convert {

inline constexpr int kMaxSlotColours = 256;
inline constexpr int kMaxTilesPerSlot = 10000;

// The colours of a sub-palette: entry 0 is its transparent colour (all
// zero); entries from `count` on are 0.
struct SlotColours {
  std::array<ConvertedPixel, kMaxSlotColours> colours{};
  int count = 1;

  bool operator==(const SlotColours& o) const {
    return count == o.count &&
           std::equal(colours.begin(), colours.begin() + count, o.colours.begin());
  }
};

struct PaletteSlot {
  SlotColours palette;
  // The tiles assigned, by number, in order (at most kMaxTilesPerSlot); in
  // the strip of tiles the algorithm works on, tile n lies at (0, n × tile
  // height).
  std::vector<int> tiles;
};

}  // namespace convert
