#pragma once

#include "formats/element_files.h"
#include "app/platform_record.h"
#include "app/language.h"

// The element files of the formats module as a platform's reader and writer
// slots: each slot takes the settings the files depend on from the program's
// context.
namespace app {

struct Workshop;

// The readers and writers (slots 4 to 13); the options writer and the export
// hook are the platform's own.
PlatformSlots ElementFileSlots();

// The settings the element files need, for the platform `p`.
formats::ElementContext ElementContextFor(Workshop& w, const PlatformRecord& p);

// The by-reference placeholders' defaults as they stand: the image and tile
// size follow their settings, the rest comes from the defaults saved at
// start-up.
formats::ReferenceDefaults PlaceholderDefaults(const Workshop& w);

// End of start-up (the project has run its settings): the defaults are saved.
void SavePlaceholderDefaults(Workshop& w);

}  // namespace app
