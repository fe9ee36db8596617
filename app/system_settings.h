#pragma once

#include <cstdint>
#include "app/language.h"

namespace app {

// The `system` settings. Integer settings are 32-bit so the script's
// variables can address them directly.
struct SystemSettings {
  int32_t maxObjects = 1024;             // objects per list; at least 3
  int32_t saveMapSettings = 1;           // write a map settings file when a map is saved
  int32_t saveMapSettingsAuto = 0;       // ... and when the editor closes
  uint32_t maxPreviewMemory = 33554432;  // surface memory limit in bytes; 0: none
  int32_t autoFormatSelection = 1;       // choose the output format from a file's extension
  int32_t emulGba = 0;                   // hardware bit emulation for every background
};

}  // namespace app
