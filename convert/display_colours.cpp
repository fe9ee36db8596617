#include "convert/display_colours.h"

namespace convert {

uint32_t DisplayColour(ConvertedPixel p, const ChannelLayout& c) {
  return MakePixel(static_cast<uint32_t>(ExpandLevel(PixelRed(p), c.redBits)),
                   static_cast<uint32_t>(ExpandLevel(PixelGreen(p), c.greenBits)),
                   static_cast<uint32_t>(ExpandLevel(PixelBlue(p), c.blueBits)), PixelOpacity(p));
}

uint32_t SwatchColour(ConvertedPixel p, const ChannelLayout& c) {
  return MakePixel(static_cast<uint32_t>(SwatchLevel(PixelRed(p), c.redBits)),
                   static_cast<uint32_t>(SwatchLevel(PixelGreen(p), c.greenBits)),
                   static_cast<uint32_t>(SwatchLevel(PixelBlue(p), c.blueBits)), PixelOpacity(p));
}

void BuildDisplayTable(const ConvertedPixel* palette, size_t count, const ChannelLayout& channels,
                       uint32_t* table256) {
  for (size_t i = 0; i < 256; ++i)
    table256[i] = (palette && i < count) ? DisplayColour(palette[i], channels) : 0u;
}

}  // namespace convert
