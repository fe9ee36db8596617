#include "tools/tilecvt/image_error.h"

#include <array>
#include <cstddef>

namespace tilecvt {
namespace {

constexpr std::array<const char*, 12> kTexts = {
    "no error",
    "unknown",
    "file not found",
    "out of memory",
    "read/write",
    "unknown format",
    "compressed data not supported",
    "unsupported depth",
    "frames use different palettes",
    "framesize is not a multiple of 8",
    "no palette/clut found",
    "true-colour image (save it with a palette of at most 256 colours)",
};

}  // namespace

const char* ImageErrorText(ImageError error) {
  auto code = static_cast<size_t>(error);
  return code < kTexts.size() ? kTexts[code] : kTexts[1];
}

}  // namespace tilecvt
