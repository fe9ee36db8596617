#pragma once

#include <cstdint>
#include "app/language.h"

namespace app {

// The Game Boy Advance's options (script object `gba`), saved in every
// project file.
struct GbaOptions {
  bool paletteMask = true;  // text-mode cells carry a sub-palette in bits 12-15
  bool mirrorMask = true;   // ... and mirror bits 10 and 11
  int32_t align = 0;        // 4: exported arrays are aligned on 4 bytes
  int recordIndex = -1;     // the platform record whose masks the options set
};

}  // namespace app
