#pragma once

#include "formats/element_files.h"
#include "app/platform_record.h"
#include "app/language.h"

// The element files of the formats module as a platform's reader and writer
// slots: each slot takes the settings the files depend on from the program's
// context, a writer from its caller when it gives them.
namespace app {

struct Workshop;

// The readers and writers (slots 4 to 13); the options writer and the export
// hook are the platform's own.
PlatformSlots ElementFileSlots();

// The element files' settings as the program has them now: the current
// platform and colour mode, the tile size of the conversion settings.
ElementFileSettings CurrentElementFileSettings(const Workshop& w);

// The settings the element files need, with the platform, colour mode and
// tile size of `s`.
formats::ElementContext ElementContextFor(Workshop& w, const ElementFileSettings& s);

// The by-reference placeholders' defaults as they stand: the image and tile
// size follow their settings, the rest comes from the defaults saved at
// start-up.
formats::ReferenceDefaults PlaceholderDefaults(const Workshop& w);

// End of start-up (the project has run its settings): the defaults are saved.
void SavePlaceholderDefaults(Workshop& w);

}  // namespace app
