// ZSoft PCX, 8 bits per pixel in one plane, run-length coded, with the
// 256-colour palette in the last 768 bytes of the file.
#include <cstring>

#include "tools/tilecvt/image_decoders.h"

namespace tilecvt {
namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kPaletteSize = 768;

}  // namespace

bool IsPcx(const ByteView& file) { return file.Has(0, 1) && file.U8(0) == 10; }

ImageError DecodePcx(const ByteView& file, IndexedImage& image) {
  if (!file.Has(0, kHeaderSize + kPaletteSize)) return ImageError::ReadWrite;
  // Several planes of 8 bits are a true-colour image, not an indexed one.
  if (file.U8(3) != 8 || file.U8(65) != 1) return ImageError::UnsupportedDepth;
  unsigned xMin = file.U16(4), yMin = file.U16(6), xMax = file.U16(8), yMax = file.U16(10);
  if (xMax < xMin || yMax < yMin) return ImageError::UnknownFormat;
  uint64_t width = xMax - xMin + 1;
  uint64_t height = yMax - yMin + 1;
  // Rows are stored bytesPerLine long (even), so an odd width carries a pad byte.
  uint64_t stride = file.U16(66);
  if (stride < width) stride = width;

  const size_t end = file.size() - kPaletteSize;
  uint64_t dataBytes = end - kHeaderSize;
  if (height * stride > dataBytes * 32) return ImageError::ReadWrite;  // a byte pair gives at most 63
  ImageError error = AllocatePixels(image, width, height);
  if (error != ImageError::None) return error;

  image.sourceType = SourceType::Pcx;
  image.depth = 8;
  image.colours = 256;
  image.paletteSize = 256;
  for (size_t i = 0; i < 256; ++i) {
    const uint8_t* rgb = file.At(end + i * 3);
    image.palette[i] = {rgb[2], rgb[1], rgb[0], 0};
  }

  // Runs may cross from one row into the next; the bytes past the width of a
  // row are padding.
  size_t at = kHeaderSize;
  const uint64_t total = height * stride;
  uint64_t position = 0;
  while (position < total) {
    if (at >= end) return ImageError::ReadWrite;
    uint8_t code = file.U8(at++);
    uint64_t count = 1;
    uint8_t value = code;
    if (code >= 192) {
      if (at >= end) return ImageError::ReadWrite;
      count = code & 63;
      value = file.U8(at++);
    }
    for (; count > 0 && position < total; --count, ++position) {
      uint64_t x = position % stride;
      if (x < width) image.pixels[static_cast<size_t>((position / stride) * width + x)] = value;
    }
  }
  return ImageError::None;
}

}  // namespace tilecvt
