#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform {
class UserDialogs;
}

// A drawing surface: 32-bit pixels stored bottom-up, so that pixel (x, y) of
// the picture is word (height − y − 1) × stride + x, as the display and image
// code of the program expects. Rows are padded to a multiple of 4 pixels.
namespace convert {

// Surfaces larger than this are refused rather than attempted: a bitmap of
// that size is useless to the program and its byte count would no longer be
// safe to compute with.
inline constexpr uint64_t kMaxSurfaceBytes = uint64_t{1} << 31;

// Surface bits start on a 64-byte boundary: with strides of 4 pixels, every
// 8-pixel tile row then lies within one cache line.
struct SurfaceBitsDeleter {
  void operator()(uint32_t* bits) const noexcept;
};
using SurfaceBits = std::unique_ptr<uint32_t[], SurfaceBitsDeleter>;

struct Surface {
  SurfaceBits bits;  // stride × height words, bottom row first
  int stride = 0;    // the visible width rounded up to 4 pixels
  int height = 0;
  int visibleWidth = 0;
  int visibleHeight = 0;
  bool keepSize = false;  // the memory limit does not apply
  int bitCount = 32;
  // Bytes asked for by the last resize when it failed on a request larger than
  // the surface it had (0 otherwise), so that the caller can report it.
  uint64_t failedRequestBytes = 0;

  uint32_t* row(int y) { return bits.get() + static_cast<size_t>(height - 1 - y) * stride; }
  const uint32_t* row(int y) const {
    return bits.get() + static_cast<size_t>(height - 1 - y) * stride;
  }
  uint32_t& at(int x, int y) { return row(y)[x]; }
  uint32_t at(int x, int y) const { return row(y)[x]; }
};

// Widths too large for a stride give 0, which no creation accepts.
constexpr int StrideFor(int width) {
  if (width <= 0) return 0;
  int64_t stride = (static_cast<int64_t>(width) + 3) & ~int64_t{3};
  return stride > INT32_MAX ? 0 : static_cast<int>(stride);
}

// Zeroed bits for a width × height surface (width already the stride), or null
// when the size is below 1 or cannot be allocated. A bit count other than 8,
// 16, 24 or 32 is reported as an internal error; the creation is still
// attempted, with the same 32-bit words.
SurfaceBits CreateSurfaceBits(int width, int height, int bitCount, platform::UserDialogs& dialogs);

struct SurfaceSize {
  int width = 0;
  int height = 0;
};

// The size a resize really asks for: when width × height × 4 reaches a
// non-zero limit, both sides shrink by the same factor so that the area comes
// to about limit / 4 pixels with the aspect ratio kept.
SurfaceSize LimitSurfaceSize(int width, int height, uint64_t memoryLimit);

// Gives the surface a new visible size. Nothing happens when the size (after
// the memory limit, which applies unless keepSize is set) is the one it has.
// On failure the previous bits, size and stride stay. The caller re-selects
// the surface when it is the current one.
bool ResizeSurface(Surface& surface, int width, int height, bool keepSize, uint64_t memoryLimit,
                   platform::UserDialogs& dialogs);

}  // namespace convert
