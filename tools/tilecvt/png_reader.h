#pragma once

#include "tools/tilecvt/byte_view.h"
#include "tools/tilecvt/image_error.h"
#include "tools/tilecvt/indexed_image.h"

// PNG (png_reader.cpp): the one reader built on a library, libpng.
namespace tilecvt {

bool IsPng(const ByteView& file);
ImageError DecodePng(const ByteView& file, IndexedImage& image);

}  // namespace tilecvt
