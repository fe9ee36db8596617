#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "convert/conversion_settings.h"

namespace platform {
class UserDialogs;
}

// Loading a picture file onto the loading surface, as every conversion and
// preview starts.
namespace convert {

struct ColourMode;
struct DrawingState;
struct Surface;

// The palette of the last loaded picture, when it has one, and how many of
// its entries the picture uses (1 + the highest entry some pixel shows).
struct SourcePalette {
  std::vector<uint32_t> colours;  // 0xAARRGGBB, in the file's order
  int usedEntries = 0;
};

struct LoadedImage {
  int width = 0;
  int height = 0;
  SourcePalette palette;
};

// The surfaces a load works on.
struct LoadSurfaces {
  Surface& loading;  // receives the picture, unscaled, in 32-bit words
  Surface& work;     // takes the picture's size (without the memory limit)
  DrawingState& drawing;
  // Receives a copy of the loaded pixels and becomes the current surface;
  // null to leave the picture on the loading surface only.
  Surface* destination = nullptr;
};

struct LoadRequest {
  std::string path;
  const ColourMode* mode = nullptr;  // mask transparency when the mode has it
  Rgb maskColour{255, 0, 254};
  uint64_t memoryLimit = 0;  // the surface memory limit (0: none)
  // A conversion preview with the halftone method in a palette mode dithers
  // from the loading surface: the copy to the destination is skipped.
  bool halftonePreview = false;
};

// Decodes the file (BMP, PNG, JPEG, GIF or TIFF, recognised by content) and
// draws it at (0, 0) of the loading surface: each pixel is stored as the
// file gives it, 0xAARRGGBB, and a fully transparent pixel as 0. With mask
// transparency, a pixel whose colour is the mask colour becomes 0 and every
// other pixel gets opacity 255. Fails, silently, when the file cannot be read
// or decoded, the picture has more than 4096 × 4096 pixels, or a surface
// cannot be made: the callers report it. A file that ends before its picture
// does loads what it holds, with a warning naming the file.
bool LoadImage(const LoadRequest& request, LoadSurfaces& surfaces, platform::UserDialogs& dialogs,
               LoadedImage& out);

// The number of entries of `palette` the pixels use: for every pixel the
// first entry with the same red, green and blue; 1 + the highest such entry
// (0 when no pixel matches).
int CountUsedPaletteEntries(const std::vector<uint32_t>& palette, const uint32_t* pixels,
                            size_t count);

// Decodes a picture and, when `target` is given, draws it at (0, 0) of that
// surface, clipped to it (start-up pictures). False when it cannot be decoded.
bool DrawImageFile(const std::string& path, Surface* target);

// What the open dialog offers for pictures, and the extensions the script's
// image commands recognise (tried in this order for a name without one).
struct ImageFileType {
  std::string_view description;
  std::string_view pattern;
};
inline constexpr ImageFileType kImageFileTypes[] = {
    {"Fichiers image (.bmp, .png, .jpg, .gif, .tif)", "*.bmp;*.png;*.jpg;*.gif;*.tif"},
    {"Fichiers bitmap", "*.bmp"},
    {"Fichiers code C", "*.c"},
};
inline constexpr std::string_view kImageExtensions[] = {".bmp", ".png", ".jpg", ".gif", ".tif"};

// The text the callers show when a load fails.
inline constexpr std::string_view kImageLoadFailedText =
    "Impossible de charger le fichier bitmap spécifié";
inline constexpr std::string_view kImageLoadFailedCaption = "Oups";

// The library-missing message of the desktop's imaging library. The codecs
// are linked into the program, so nothing shows it; it is kept for callers
// that report an unavailable decoder.
inline constexpr std::string_view kImageLibraryMissingText =
    "Désolé, mais il vous faut GDIPlus.dll pour faire des conversions.";
inline constexpr std::string_view kImageLibraryMissingCaption = "Erreur";

}  // namespace convert
