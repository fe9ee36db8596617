// PlayStation TIM with a colour look-up table, 4- or 8-bit pixels.
#include <cstring>

#include "tools/tilecvt/image_decoders.h"

namespace tilecvt {
namespace {

constexpr uint32_t kTimId = 0x10;
constexpr uint32_t kHasClut = 8;
constexpr size_t kClutBlock = 8;
constexpr size_t kBlockHeaderSize = 12;

PaletteEntry TimColour(unsigned v) {
  return {static_cast<uint8_t>(((v >> 10) & 31) << 3), static_cast<uint8_t>(((v >> 5) & 31) << 3),
          static_cast<uint8_t>((v & 31) << 3), 0};
}

}  // namespace

bool IsTim(const ByteView& file) { return file.has(0, 4) && file.u32(0) == kTimId; }

ImageError DecodeTim(const ByteView& file, IndexedImage& image) {
  if (!file.has(0, 8)) return ImageError::ReadWrite;
  uint32_t flags = file.u32(4);
  if (!(flags & kHasClut)) return ImageError::NoPalette;
  uint32_t mode = flags & 7;
  if (mode > 1) return ImageError::UnsupportedDepth;
  const unsigned depth = mode == 0 ? 4 : 8;
  const size_t colours = size_t{1} << depth;

  if (!file.has(kClutBlock, kBlockHeaderSize + colours * 2)) return ImageError::ReadWrite;
  uint64_t clutLength = file.u32(kClutBlock);
  if (clutLength < kBlockHeaderSize + colours * 2) return ImageError::UnknownFormat;
  uint64_t imageBlock = kClutBlock + clutLength;  // the image block follows the whole table block
  if (!file.has(imageBlock, kBlockHeaderSize)) return ImageError::ReadWrite;
  uint64_t width = uint64_t{file.u16(static_cast<size_t>(imageBlock) + 8)} * (depth == 4 ? 4 : 2);
  uint64_t height = file.u16(static_cast<size_t>(imageBlock) + 10);
  uint64_t pixelStart = imageBlock + kBlockHeaderSize;
  if (!file.has(pixelStart, width * height * depth / 8)) return ImageError::ReadWrite;
  ImageError error = AllocatePixels(image, width, height);
  if (error != ImageError::None) return error;

  image.sourceType = SourceType::Tim;
  image.depth = static_cast<int>(depth);
  image.colours = static_cast<int>(colours);
  image.paletteSize = static_cast<int>(colours);
  for (size_t i = 0; i < colours; ++i)
    image.palette[i] = TimColour(file.u16(kClutBlock + kBlockHeaderSize + i * 2));

  const uint8_t* source = file.at(static_cast<size_t>(pixelStart));
  if (depth == 8) {
    std::memcpy(image.pixels.data(), source, image.pixels.size());
  } else {
    for (size_t i = 0; i < image.pixels.size(); ++i)
      image.pixels[i] = (i & 1) ? source[i / 2] >> 4 : source[i / 2] & 15;
  }
  return ImageError::None;
}

}  // namespace tilecvt
