#pragma once

#include <string>
#include <string_view>

#include "tools/hdrbake/pcx_image.h"

namespace hdrbake {

// The C header for `image`: a banner naming "<prefix>.h", the size as
// <prefix>_WIDTH and <prefix>_HEIGHT, the pixels as 16-bit words in
// <prefix>Data (two pixels a word, the first in the low byte; an odd last
// pixel has no partner and is left out) and the palette as console colours in
// <prefix>Palette. Lines end with "\n".
std::string HeaderText(const PcxImage& image, std::string_view prefix);

}  // namespace hdrbake
