#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "convert/image_data.h"

// Decoders and encoders of the five picture formats. Decoders read from a byte
// buffer and never trust it: every size, offset and count is checked, and a
// bad or truncated file gives false (with `out` left empty), never a crash.
// Encoders append the file's bytes to `out`.
namespace convert {

// The format from the first bytes of the file (the extension is not looked at).
ImageFormat DetectImageFormat(std::span<const uint8_t> bytes);

// Any of the five formats.
bool DecodeImage(std::span<const uint8_t> bytes, DecodedImage& out,
                 const DecodeLimits& limits = {});

bool DecodeBmp(std::span<const uint8_t> bytes, DecodedImage& out, const DecodeLimits& limits);
bool DecodePng(std::span<const uint8_t> bytes, DecodedImage& out, const DecodeLimits& limits);
bool DecodeJpeg(std::span<const uint8_t> bytes, DecodedImage& out, const DecodeLimits& limits);
bool DecodeGif(std::span<const uint8_t> bytes, DecodedImage& out, const DecodeLimits& limits);
bool DecodeTiff(std::span<const uint8_t> bytes, DecodedImage& out, const DecodeLimits& limits);

bool EncodeBmp(const ImageToEncode& image, std::string& out);
bool EncodePng(const ImageToEncode& image, std::string& out);
bool EncodeJpeg(const ImageToEncode& image, std::string& out);
bool EncodeGif(const ImageToEncode& image, std::string& out);
bool EncodeTiff(const ImageToEncode& image, std::string& out);

// Helpers shared by the codecs.
inline uint32_t Argb(uint32_t alpha, uint32_t red, uint32_t green, uint32_t blue) {
  return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

// Whether width × height passes the limits (and fits a size_t).
bool WithinDecodeLimits(uint64_t width, uint64_t height, const DecodeLimits& limits);

}  // namespace convert
