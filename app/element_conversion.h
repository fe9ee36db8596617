#pragma once

#include "app/resolved_conversion.h"
#include "app/language.h"

// Converting a picture into project elements, as the conversion command and
// the import assistant both do: the picture is loaded onto the loading
// surface, converted through the writers of the conversion's platform, and
// the new elements enter the project through its checked insertion.
namespace app {

struct Workshop;

enum class ConversionOutcome {
  Converted,   // files written, elements added
  LoadFailed,  // the picture could not be loaded (the caller reports it)
  Stopped,     // a reader, the user or the conversion stopped it (reported already)
};

// The picture into a tileset, a palette (when the colour mode has one) and a
// map (when one is generated).
ConversionOutcome RunTileConversion(Workshop& w, const ResolvedConversion& job);

// The picture into a bitmap and a palette (when the colour mode has one).
ConversionOutcome RunBitmapConversion(Workshop& w, const ResolvedConversion& job);

// Makes a colour mode of the current platform current; the colour tables are
// rebuilt for it. An index out of range selects the platform's default.
void SelectColourMode(Workshop& w, int index);

}  // namespace app
