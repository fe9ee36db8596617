#pragma once

#include <cstdint>
#include <span>

#include "convert/converted_pixel.h"
#include "convert/source_image.h"

namespace platform {
class UserDialogs;
}
namespace project {
struct EntryRecord;
}

// What the caller (the conversion assistant or the script's conversion
// command) hands the conversions.
namespace convert {

class ConversionProgress;
class ElementWriters;
struct ColourMode;
struct ColourTables;
struct ConversionSettings;
struct MapFormat;
struct SourcePalette;

// A palette element whose colours come first, as the palette reader gives
// them (entry 0 already cleared in modes that reserve it).
struct ExistingPalette {
  std::span<const ConvertedPixel> colours;
  // Checked box: the colours may be matched. Greyed box: they are only kept,
  // and the new colours come after them.
  bool reuseColours = false;
};

// A tileset element whose tiles come first: 8 × 8 blocks of 64 words, as the
// tileset reader gives them.
struct ExistingTileset {
  std::span<const uint32_t> blocks;
  bool reuseTiles = false;  // new tiles may be merged with these
};

struct ConversionJob {
  // The destination elements, in this order; the map may be null when no map
  // is generated, the palette when the colour mode has none.
  const project::EntryRecord* tileset = nullptr;
  const project::EntryRecord* palette = nullptr;
  const project::EntryRecord* map = nullptr;
  int colourCount = 0;  // K
  SourceImage image;    // the loaded picture (the loading surface)
  // The area converted, from the picture's top-left corner: the whole picture
  // by default; beyond the picture the background index is used.
  int areaWidth = 0;
  int areaHeight = 0;
  bool mergeTiles = true;   // "Tileset optimisé"
  bool generateMap = true;  // "Générer une map"
  const ExistingPalette* existingPalette = nullptr;
  const ExistingTileset* existingTileset = nullptr;
};

// Image to bitmap element and palette element.
struct BitmapJob {
  const project::EntryRecord* bitmap = nullptr;
  const project::EntryRecord* palette = nullptr;  // null in direct-colour modes
  int colourCount = 0;
  SourceImage image;
  const ExistingPalette* existingPalette = nullptr;
};

// Everything else a conversion reads.
struct ConversionContext {
  const ConversionSettings& settings;
  const ColourTables& tables;
  const ColourMode& mode;
  const MapFormat& mapFormat;
  platform::UserDialogs& dialogs;
  ElementWriters& writers;
  const SourcePalette* sourcePalette = nullptr;  // of the loaded picture, if it has one
  bool messages = true;  // the filtering question is asked only with messages on
  ConversionProgress* progress = nullptr;
};

}  // namespace convert
