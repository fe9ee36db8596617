#include "convert/surface.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/dialogs.h"

namespace convert {

namespace {

constexpr std::string_view kInternalErrorCaption = "Erreur interne";
constexpr std::string_view kBitCountCondition =
    "Une erreur s'est produite car la condition suivante est fausse: (ibitcount == 8) || "
    "(ibitcount == 16) || (ibitcount == 24) || (ibitcount == 32)";

uint64_t BytesFor(int width, int height) {
  return static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4u;
}

}  // namespace

void SurfaceBitsDeleter::operator()(uint32_t* bits) const noexcept { std::free(bits); }

SurfaceBits CreateSurfaceBits(int width, int height, int bitCount, platform::UserDialogs& dialogs) {
  if (bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    dialogs.message(kBitCountCondition, kInternalErrorCaption, platform::Icon::Error);
  if (width < 1 || height < 1) return nullptr;
  uint64_t bytes = BytesFor(width, height);
  if (bytes > kMaxSurfaceBytes) return nullptr;
  constexpr uint64_t kAlignment = 64;
  void* bits = std::aligned_alloc(kAlignment, (bytes + kAlignment - 1) / kAlignment * kAlignment);
  if (!bits) return nullptr;
  std::memset(bits, 0, bytes);
  return SurfaceBits(static_cast<uint32_t*>(bits));
}

SurfaceSize LimitSurfaceSize(int width, int height, uint64_t memoryLimit) {
  if (memoryLimit == 0 || width < 1 || height < 1 || BytesFor(width, height) < memoryLimit)
    return {width, height};
  double area = static_cast<double>(memoryLimit / 4);
  double ratio = static_cast<double>(width) / static_cast<double>(height);
  double w = std::trunc(std::sqrt(area) * std::sqrt(ratio));
  double h = std::trunc(std::sqrt(area) / std::sqrt(ratio));
  // A very long, thin picture would lose its short side altogether; keep one
  // row (or column) and let the long side take the whole area instead.
  if (h < 1) {
    h = 1;
    w = std::fmin(static_cast<double>(width), std::fmax(1.0, area));
  }
  if (w < 1) {
    w = 1;
    h = std::fmin(static_cast<double>(height), std::fmax(1.0, area));
  }
  return {static_cast<int>(w), static_cast<int>(h)};
}

bool ResizeSurface(Surface& surface, int width, int height, bool keepSize, uint64_t memoryLimit,
                   platform::UserDialogs& dialogs) {
  SurfaceSize size =
      keepSize ? SurfaceSize{width, height} : LimitSurfaceSize(width, height, memoryLimit);
  if (size.width == surface.visibleWidth && size.height == surface.visibleHeight &&
      (surface.bits || size.width < 1 || size.height < 1)) {
    surface.keepSize = keepSize;
    return true;
  }
  int stride = StrideFor(size.width);
  SurfaceBits bits = CreateSurfaceBits(stride, size.height, surface.bitCount, dialogs);
  if (!bits) {
    uint64_t asked = size.width > 0 && size.height > 0 ? BytesFor(size.width, size.height) : 0;
    surface.failedRequestBytes =
        asked > BytesFor(surface.visibleWidth, surface.visibleHeight) ? asked : 0;
    return false;
  }
  surface.bits = std::move(bits);
  surface.stride = stride;
  surface.height = size.height;
  surface.visibleWidth = size.width;
  surface.visibleHeight = size.height;
  surface.keepSize = keepSize;
  surface.failedRequestBytes = 0;
  return true;
}

}  // namespace convert
