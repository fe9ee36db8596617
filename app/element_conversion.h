#pragma once

#include <cstdint>
#include <string>

#include "project/entry_record.h"
#include "app/export_identifiers.h"
#include "app/language.h"

// Converting a picture into project elements, as the conversion command and
// the import assistant both do: the picture is loaded onto the loading
// surface, converted through the current platform's writers, and the new
// elements enter the project through its checked insertion.
namespace app {

struct Workshop;

enum class ConversionOutcome {
  Converted,   // files written, elements added
  LoadFailed,  // the picture could not be loaded (the caller reports it)
  Stopped,     // a reader, the user or the conversion stopped it (reported already)
};

// An element of the project whose colours or tiles come first, with the
// state of the assistant's box (checked: may be matched; greyed: kept, the
// new ones come after). Index -1 or state 0: none.
struct ExistingElement {
  int index = -1;
  int32_t state = 0;
  bool used() const { return index >= 0 && state != 0; }
};

struct TileConversionRequest {
  std::string source;
  // The destinations: file and name set (the kind and base file are set
  // here). An existing element used takes the place of its destination.
  project::EntryRecord tileset;
  project::EntryRecord palette;
  project::EntryRecord map;
  ExistingElement existingPalette;
  ExistingElement existingTileset;
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
  ExportIdentifiers identifiers;
};

ConversionOutcome RunTileConversion(Workshop& w, const TileConversionRequest& request);

struct BitmapConversionRequest {
  std::string source;
  project::EntryRecord bitmap;
  project::EntryRecord palette;
  ExistingElement existingPalette;
  int32_t colourCount = 0;
  ExportIdentifiers identifiers;
};

ConversionOutcome RunBitmapConversion(Workshop& w, const BitmapConversionRequest& request);

// Makes a colour mode of the current platform current; the colour tables are
// rebuilt for it. An index out of range selects the platform's default.
void SelectColourMode(Workshop& w, int index);

}  // namespace app
