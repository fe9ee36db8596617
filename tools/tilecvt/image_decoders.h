#pragma once

#include <optional>

#include "tools/tilecvt/byte_view.h"
#include "tools/tilecvt/image_error.h"
#include "tools/tilecvt/indexed_image.h"

// One recogniser and one decoder per file format; image_reader.cpp lists them
// in the order they are tried.
namespace tilecvt {

// Images larger than this are refused as "out of memory" before anything is
// allocated (4096 x 4096 pixels): a run holds several copies of the pixels,
// and no console screen or map comes near this size.
inline constexpr uint64_t kMaxPixels = uint64_t{1} << 24;

// Sets the size and allocates the pixels (cleared): "unknown format" for an
// empty image, "out of memory" above kMaxPixels.
ImageError AllocatePixels(IndexedImage& image, uint64_t width, uint64_t height);

// Where the 256-colour palette of a PCX file starts (just past its marker
// byte 12), given the offset just past the image data; nothing when the file
// holds no marker that could start one.
std::optional<size_t> FindPcxPalette(const ByteView& file, size_t dataEnd);

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

// Tried only when no format above recognises the file.
bool IsFooterlessTga(const ByteView& file);
ImageError DecodeFooterlessTga(const ByteView& file, IndexedImage& image);

}  // namespace tilecvt
