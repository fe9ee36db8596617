#pragma once

#include <cstdint>
#include <string_view>

// How a colour mode of the platform stores its pixels and palettes.
namespace convert {

enum class PaletteKind : uint8_t {
  Direct = 0,       // pixels are colours, there is no palette
  Single = 1,       // one palette
  SubPalettes = 2,  // several sub-palettes of equal size
};

struct ChannelLayout {
  int bytesPerColour = 0;
  int redBits = 0;
  int greenBits = 0;
  int blueBits = 0;
  int alphaBits = 0;
};

// Applied to each converted colour after the colour tables: three levels in,
// modified in place.
using PerColourHook = void (*)(uint8_t& red, uint8_t& green, uint8_t& blue);

struct ColourMode {
  std::string_view name;       // as shown in menus
  std::string_view shortName;  // as written in scripts and files
  int bitsPerPixel = 0;        // 4, 8, 15 or 32
  PaletteKind paletteKind = PaletteKind::Direct;
  bool maskTransparency = false;   // the mask colour becomes transparency on loading
  bool subPaletteAligned = false;  // appended colours start at a sub-palette boundary
  int pixelRange = 0;              // values a pixel can take with a single palette
  int coloursPerSubPalette = 0;
  int paletteEntries = 0;          // sub-palettes count 16 entries each
  bool indexZeroReserved = false;  // index 0 is the transparent colour
  PerColourHook perColourHook = nullptr;
  ChannelLayout channels;

  constexpr bool hasPalette() const { return paletteKind != PaletteKind::Direct; }
};

}  // namespace convert
