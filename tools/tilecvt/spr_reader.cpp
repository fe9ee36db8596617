// SPR sprite sheets: "SPR", frame count, frame width and height, two unused
// bytes, 256 RGB palette triplets, then the frames one below the other.
#include <cstring>

#include "tools/tilecvt/image_decoders.h"

namespace tilecvt {
namespace {

constexpr size_t kPaletteOffset = 11;
constexpr size_t kFirstFrame = kPaletteOffset + 256 * 3;
constexpr size_t kFrameGap = 770;  // follows every frame's pixels

}  // namespace

bool IsSpr(const ByteView& file) {
  return file.has(0, 3) && std::memcmp(file.at(0), "SPR", 3) == 0;
}

ImageError DecodeSpr(const ByteView& file, IndexedImage& image) {
  if (!file.has(0, kFirstFrame)) return ImageError::ReadWrite;
  uint64_t frames = file.u16(3);
  uint64_t frameWidth = file.u16(5);
  uint64_t frameHeight = file.u16(7);
  if (frameWidth % 8 != 0 || frameHeight % 8 != 0) return ImageError::FrameSize;
  if (frames == 0) return ImageError::UnknownFormat;
  uint64_t frameBytes = frameWidth * frameHeight;
  // The gap after the last frame is not needed to read the image.
  if (!file.has(kFirstFrame, frames * frameBytes + (frames - 1) * kFrameGap))
    return ImageError::ReadWrite;
  ImageError error = AllocatePixels(image, frameWidth, frames * frameHeight);
  if (error != ImageError::None) return error;

  image.sourceType = SourceType::Spr;
  image.depth = 8;
  image.colours = 256;
  image.paletteSize = 256;
  for (size_t i = 0; i < 256; ++i) {
    const uint8_t* rgb = file.at(kPaletteOffset + i * 3);
    image.palette[i] = {rgb[2], rgb[1], rgb[0], 0};
  }
  for (uint64_t frame = 0; frame < frames; ++frame)
    std::memcpy(image.pixels.data() + frame * frameBytes,
                file.at(kFirstFrame + frame * (frameBytes + kFrameGap)), frameBytes);
  return ImageError::None;
}

}  // namespace tilecvt
