// Image import: any bytes, decoded as whichever of the five formats their
// first bytes name (BMP, PNG, JPEG, GIF, TIFF), then drawn on a surface as the
// loader does. The pixel limit keeps each input within libFuzzer's memory.
#include <cstddef>
#include <cstdint>

#include "convert/image_codecs.h"
#include "convert/image_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  convert::DecodeLimits limits;
  limits.maxPixels = uint64_t{1} << 22;
  limits.maxSide = 1 << 14;
  convert::DecodedImage image;
  if (!convert::DecodeImage({data, size}, image, limits)) return 0;
  if (image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
    __builtin_trap();
  if (!image.palette.empty()) {
    int used =
        convert::CountUsedPaletteEntries(image.palette, image.pixels.data(), image.pixels.size());
    if (used < 0 || used > static_cast<int>(image.palette.size())) __builtin_trap();
  }
  return 0;
}
