#pragma once

#include <cstdint>
#include <string>

#include "convert/colour_mode.h"
#include "convert/map_format.h"
#include "project/entry_record.h"
#include "app/export_identifiers.h"
#include "app/platform_record.h"
#include "app/language.h"

namespace app {

struct Workshop;

// An element of the project whose colours or tiles come first, with the
// state of the assistant's box (checked: may be matched; greyed: kept, the
// new ones come after). Index -1 or state 0: none.
struct ExistingElement {
  int index = -1;
  int32_t state = 0;
  bool used() const { return index >= 0 && state != 0; }
};

// One conversion of a picture with everything it depends on settled before it
// starts: the platform whose colour mode, map format and writers it uses, the
// tile size, the picture, and the elements it writes or builds on. Its steps
// read them from here, never from the program's current platform or modes.
// A tile conversion makes a tileset, a palette and a map; a bitmap
// conversion a bitmap and a palette.
struct ResolvedConversion {
  const PlatformRecord& platform;
  int colourModeIndex = 0;  // a valid index into platform.colourModes
  int mapFormatIndex = 0;   // a valid index into platform.mapFormats
  int tileWidth = 8;
  int tileHeight = 8;

  std::string source{};
  // The destinations: file and name set (the kind and base file are set by
  // the conversion). An existing element used takes the place of its
  // destination.
  project::EntryRecord tileset{};
  project::EntryRecord palette{};
  project::EntryRecord map{};
  project::EntryRecord bitmap{};
  ExistingElement existingPalette{};
  ExistingElement existingTileset{};  // tile conversions only
  int32_t colourCount = 0;
  // The area converted from the picture's top-left corner; 0: the picture's.
  int areaWidth = 0;
  int areaHeight = 0;
  bool mergeTiles = true;
  bool generateMap = true;
  // The assistant asks before converting a whole picture whose size is not a
  // multiple of the tile size.
  bool askAboutSize = false;
  // Set for the conversion's writes only.
  ExportIdentifiers identifiers{};

  const convert::ColourMode& colourMode() const {
    return platform.colourModes[static_cast<size_t>(colourModeIndex)];
  }
  const convert::MapFormat& mapFormat() const {
    return platform.mapFormats[static_cast<size_t>(mapFormatIndex)];
  }
  // What the element files are written with.
  ElementFileSettings fileSettings() const {
    return {platform, colourModeIndex, tileWidth, tileHeight};
  }
};

// A conversion with the program's current platform, colour mode, map format
// and tile size, and nothing else set yet: the one place a conversion looks
// them up. The caller fills in the picture, the destinations and its choices.
ResolvedConversion ResolveConversion(const Workshop& w);

}  // namespace app
