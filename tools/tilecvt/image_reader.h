#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "tools/tilecvt/image_error.h"
#include "tools/tilecvt/indexed_image.h"

namespace tilecvt {

// Decodes a whole file held in memory. The format is recognised by content
// (PNG, then SPR, TGA, PCX, BMP, TIM, tested in that order), never by the name. On
// failure the image is left empty.
ImageError DecodeImage(std::span<const uint8_t> bytes, IndexedImage& image);

// Reads the file and decodes it.
ImageError LoadImage(const std::string& path, IndexedImage& image);

// Reverses the order of the rows (BMP files store them bottom to top).
void FlipVertically(IndexedImage& image);

}  // namespace tilecvt
