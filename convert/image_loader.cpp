#include "convert/image_loader.h"

#include <algorithm>
#include <new>
#include <unordered_map>

#include "convert/colour_mode.h"
#include "convert/drawing_state.h"
#include "convert/image_codecs.h"
#include "convert/surface.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/message_text.h"

namespace convert {

namespace {

// No picture the program can hold comes from a larger file.
constexpr size_t kMaxImageFileBytes = size_t{1} << 30;

constexpr std::string_view kIncompleteImage =
    "Le fichier %s est incomplet ou endommagé: la partie manquante de l'image a été "
    "complétée. Vérifiez le résultat de la conversion.";

// Loading holds the decoded picture and a work surface of its full size
// (the memory limit only shrinks the loading surface): pictures above this
// are refused before they are decoded, whatever their header claims.
constexpr uint64_t kMaxImportPixels = uint64_t{1} << 24;  // 4096 × 4096

bool ReadAndDecode(const std::string& path, DecodedImage& image) {
  std::optional<std::string> bytes = platform::ReadFileBytes(path, kMaxImageFileBytes);
  if (!bytes) return false;
  std::span<const uint8_t> span(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size());
  DecodeLimits limits;
  limits.maxPixels = std::min(limits.maxPixels, kMaxImportPixels);
  try {
    return DecodeImage(span, image, limits) && image.width > 0 && image.height > 0;
  } catch (const std::bad_alloc&) {
    image = {};
    return false;
  }
}

// Draws the picture at (0, 0), clipped to the surface's visible size.
void DrawDecoded(const DecodedImage& image, Surface& surface) {
  const int width = std::min(image.width, std::min(surface.visibleWidth, surface.stride));
  const int height = std::min(image.height, std::min(surface.visibleHeight, surface.height));
  for (int y = 0; y < height; ++y) {
    const uint32_t* src = image.pixels.data() + static_cast<size_t>(y) * image.width;
    uint32_t* dst = surface.row(y);
    for (int x = 0; x < width; ++x) dst[x] = src[x] < 0x1000000u ? 0u : src[x];
  }
}

}  // namespace

namespace {

// The first palette entry of each colour, for counting the entries a
// picture uses.
class UsedEntryCounter {
 public:
  explicit UsedEntryCounter(const std::vector<uint32_t>& palette) {
    for (size_t i = 0; i < palette.size(); ++i)
      first_.try_emplace(palette[i] & 0xFFFFFFu, static_cast<int>(i));
  }
  void add(const uint32_t* pixels, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      uint32_t rgb = pixels[i] & 0xFFFFFFu;
      if (rgb == last_) continue;
      last_ = rgb;
      auto it = first_.find(rgb);
      if (it != first_.end()) highest_ = std::max(highest_, it->second);
    }
  }
  int used() const { return highest_ + 1; }

 private:
  std::unordered_map<uint32_t, int> first_;
  uint32_t last_ = 0xFFFFFFFFu;  // matches no colour (the top byte is cleared)
  int highest_ = -1;
};

}  // namespace

int CountUsedPaletteEntries(const std::vector<uint32_t>& palette, const uint32_t* pixels,
                            size_t count) {
  UsedEntryCounter counter(palette);
  counter.add(pixels, count);
  return counter.used();
}

bool LoadImage(const LoadRequest& request, LoadSurfaces& surfaces, platform::UserDialogs& dialogs,
               LoadedImage& out) {
  DecodedImage image;
  if (!ReadAndDecode(request.path, image)) return false;
  if (image.incomplete)
    dialogs.message(platform::FillInText(kIncompleteImage, {request.path}), "Attention",
                    platform::Icon::Warning);

  Surface& loading = surfaces.loading;
  loading.bitCount = 32;
  if (!ResizeSurface(loading, image.width, image.height, false, request.memoryLimit, dialogs))
    return false;
  if (!ResizeSurface(surfaces.work, image.width, image.height, true, 0, dialogs)) return false;
  SelectSurface(surfaces.drawing, loading);
  DrawDecoded(image, loading);

  const int width = std::min(image.width, loading.visibleWidth);
  const int height = std::min(image.height, loading.visibleHeight);
  out = {};
  out.width = image.width;
  out.height = image.height;
  if (!image.palette.empty()) {
    out.palette.colours = image.palette;
    UsedEntryCounter counter(image.palette);
    for (int y = 0; y < height; ++y) counter.add(loading.row(y), static_cast<size_t>(width));
    out.palette.usedEntries = counter.used();
  }

  if (request.mode && request.mode->maskTransparency) {
    const uint32_t mask = RgbValue(request.maskColour);  // red in the low byte
    const uint32_t maskWord = ((mask & 255) << 16) | (mask & 0xFF00) | ((mask >> 16) & 255);
    for (int y = 0; y < height; ++y) {
      uint32_t* row = loading.row(y);
      for (int x = 0; x < width; ++x)
        row[x] = (row[x] & 0xFFFFFFu) == maskWord ? 0u : (row[x] | 0xFF000000u);
    }
  }

  if (surfaces.destination && !request.halftonePreview) {
    Surface& dst = *surfaces.destination;
    const int w = std::min(width, dst.visibleWidth);
    const int h = std::min(height, dst.visibleHeight);
    if (dst.bits && &dst != &loading)
      for (int y = 0; y < h; ++y) std::copy_n(loading.row(y), w, dst.row(y));
    SelectSurface(surfaces.drawing, dst);
  }
  return true;
}

bool DrawImageFile(const std::string& path, Surface* target) {
  DecodedImage image;
  if (!ReadAndDecode(path, image)) return false;
  if (target && target->bits) DrawDecoded(image, *target);
  return true;
}

}  // namespace convert
