#pragma once

#include "tools/tilecvt/byte_view.h"
#include "tools/tilecvt/image_error.h"
#include "tools/tilecvt/indexed_image.h"

// One recogniser and one decoder per file format; image_reader.cpp lists them
// in the order they are tried.
namespace tilecvt {

// Images larger than this are refused as "out of memory" before anything is
// allocated (16384 x 16384 pixels).
inline constexpr uint64_t kMaxPixels = uint64_t{1} << 28;

// Sets the size and allocates the pixels (cleared): "unknown format" for an
// empty image, "out of memory" above kMaxPixels.
ImageError AllocatePixels(IndexedImage& image, uint64_t width, uint64_t height);

bool IsSpr(const ByteView& file);
bool IsTga(const ByteView& file);
bool IsPcx(const ByteView& file);
bool IsBmp(const ByteView& file);
bool IsTim(const ByteView& file);

ImageError DecodeSpr(const ByteView& file, IndexedImage& image);
ImageError DecodeTga(const ByteView& file, IndexedImage& image);
ImageError DecodePcx(const ByteView& file, IndexedImage& image);
ImageError DecodeBmp(const ByteView& file, IndexedImage& image);
ImageError DecodeTim(const ByteView& file, IndexedImage& image);

}  // namespace tilecvt
