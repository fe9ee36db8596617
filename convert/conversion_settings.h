#pragma once

#include <array>
#include <cstdint>

// The settings of the conversion engine, one record in the program's context.
namespace convert {

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colours in the script's integer form: red in the low byte, then green, then
// blue.
constexpr Rgb RgbFromValue(uint32_t value) {
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
          static_cast<uint8_t>(value >> 16)};
}
constexpr uint32_t RgbValue(const Rgb& c) {
  return c.red | (uint32_t{c.green} << 8) | (uint32_t{c.blue} << 16);
}

// Index of each channel in the per-channel settings.
enum Channel : int { kRed = 0, kGreen = 1, kBlue = 2 };

enum class ReductionMethod : int32_t { Standard = 0, Halftone = 1, Optimal = 2, Refined = 3 };

struct ConversionSettings {
  // Colour effects, per channel (red, green, blue).
  // The exponent applied to each value: the reciprocal of the gamma the user
  // gives (the user's gamma 2 is 0.5 here).
  std::array<double, 3> gammaExponent{1.0, 1.0, 1.0};
  std::array<double, 3> addition{0.0, 0.0, 0.0};      // addition of white
  std::array<double, 3> towardsWhite{0.0, 0.0, 0.0};  // negative: towards black
  int32_t shadesMinusOne = 255;                       // the number of colour shades minus one
  bool shadesBefore = false;    // the shade reduction comes before the other effects
  bool truncate = false;        // kept and saved; the colour tables do not use it
  Rgb maskColour{255, 0, 254};  // source colour that becomes transparency
  ReductionMethod method = ReductionMethod::Standard;
  int32_t refinedDither = 0;  // the Refined method draws with an ordered dither

  // Palette reduction and tile conversion. Integer settings are 32-bit so the
  // script's variables can address them directly.
  int32_t maxPrecision = 512;  // upper bound of the tolerance search
  int32_t useMaxColours = 0;   // report palettes as full (the remaining entries stay 0)
  // Colour of palette entry 0 in modes that reserve it, as levels of the mode
  // (an 8-bit colour divided by 8).
  Rgb zeroColour{0, 0, 0};
  int32_t colorisation =
      0;  // weight of colour changes between sub-palettes; -1, -2: other measures
  int32_t firstTileEmpty = 0;        // tile 0 is all zero when no existing tileset is used
  int32_t fastPaletteReduction = 1;  // octree first when fitting colours into a sub-palette
  int32_t paletteReductionPost = 1;  // fill free sub-palette entries after the assignment
  int32_t tileWidth = 8;             // tile size in pixels, multiples of 8
  int32_t tileHeight = 8;
};

}  // namespace convert
