#pragma once

#include <array>
#include <cstdint>

#include "convert/converted_pixel.h"

// Every source colour reaches the target mode through three 256-entry tables
// (one per channel) that hold all colour effects at once: gamma, addition of
// white, the move towards white or black, and the reduction to a number of
// shades.
namespace convert {

struct ColourMode;
struct ConversionSettings;

struct ColourTables {
  std::array<uint8_t, 256> red{};
  std::array<uint8_t, 256> green{};
  std::array<uint8_t, 256> blue{};
  bool built = false;
};

// The one place the tables are rebuilt: call it after any colour-effect
// setting, colour mode or platform change. Without a colour mode the tables
// stay as they are and false is returned.
bool RebuildColourTables(const ConversionSettings& settings, const ColourMode* mode,
                         ColourTables& tables);

// One table: each input byte mapped to a level of a channel of `bits` bits.
void BuildChannelTable(const ConversionSettings& settings, int channel, int bits,
                       std::array<uint8_t, 256>& table);

// A source colour (8 bits per channel) through the tables and the mode's
// per-colour hook.
ConvertedPixel ConvertColour(const ColourTables& tables, const ColourMode& mode, uint8_t red,
                             uint8_t green, uint8_t blue, uint8_t opacity = 255);

}  // namespace convert
