#pragma once

#include <cstdint>

#include "tools/hdrbake/pcx_image.h"

namespace hdrbake {

// The console's 15-bit colour: red in bits 0-4, green in 5-9, blue in 10-14,
// each the top five bits of the 8-bit level.
constexpr std::uint16_t ConsoleColour(PcxColour colour) {
  return static_cast<std::uint16_t>((colour.red >> 3) | ((colour.green >> 3) << 5) |
                                    ((colour.blue >> 3) << 10));
}

}  // namespace hdrbake
