#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Pictures as the image codecs hand them over: 32-bit words 0xAARRGGBB
// (straight, not premultiplied, alpha), the top row first. Read as a
// little-endian word this is the byte order of the program's surfaces (blue,
// green, red, opacity), so decoded pixels go onto a surface as they are.
namespace convert {

enum class ImageFormat { Unknown, Bmp, Png, Jpeg, Gif, Tiff };

struct DecodedImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // width × height words
  // The colour table of an indexed picture (1 to 256 entries, 0xAARRGGBB);
  // empty for true-colour pictures.
  std::vector<uint32_t> palette;
  // The file ended (or was damaged) before the picture did: what is missing
  // was filled in, and the user is to be told.
  bool incomplete = false;
};

// Decoders refuse pictures above these bounds before they allocate anything
// for the pixels, so a hostile header cannot ask for gigabytes.
struct DecodeLimits {
  uint64_t maxPixels = uint64_t{1} << 29;  // the largest surface the program can hold
  int maxSide = 1 << 20;
};

// A picture to write. With an empty palette the words are colours 0x00RRGGBB
// (the top byte is ignored: saved pictures are opaque); with a palette they
// are indices, of which the low 8 bits are used.
struct ImageToEncode {
  int width = 0;
  int height = 0;
  std::span<const uint32_t> pixels;   // width × height words, top row first
  std::span<const uint32_t> palette;  // at most 256 colours 0x00RRGGBB, or empty
};

inline bool ValidImageToEncode(const ImageToEncode& image) {
  return image.width > 0 && image.height > 0 &&
         image.pixels.size() >=
             static_cast<size_t>(image.width) * static_cast<size_t>(image.height) &&
         image.palette.size() <= 256;
}

}  // namespace convert
