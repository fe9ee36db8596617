#pragma once

#include <string_view>
#include <vector>

#include "app/gba_options.h"
#include "app/platform_record.h"
#include "app/language.h"

namespace app {

struct Workshop;

// The platforms the program knows and the current one. Each platform
// definition keeps its options here.
struct Platforms {
  std::vector<PlatformRecord> records;
  int current = -1;
  GbaOptions gba;
};

// Defines every platform, sends each its start-up event and selects the Game
// Boy Advance.
void StartPlatforms(Workshop& w);

// Index of the platform of that exact name, or -1.
int FindPlatform(const Workshop& w, std::string_view name);

// Makes a platform current: the old one is told it stops being current, the
// new one that it is; its default colour mode becomes the current mode and
// the colour tables are built for it; the window refreshes what depends on
// the platform. Nothing happens when it is current already. False for an
// index that names no platform.
bool SelectPlatform(Workshop& w, int index);

// The current platform (the program always has one once started).
const PlatformRecord& CurrentPlatform(const Workshop& w);
PlatformRecord& CurrentPlatform(Workshop& w);

// The current colour mode of the current platform, and its index in the
// platform's list (the platform's default when the index names none).
const convert::ColourMode& CurrentColourMode(const Workshop& w);
int CurrentColourModeIndex(const Workshop& w);

// The current map format: the current platform's own copy, the first one when
// the index names none; and its index.
const convert::MapFormat& CurrentMapFormat(const Workshop& w);
int CurrentMapFormatIndex(const Workshop& w);

// The platform's export hook, to run before anything is exported: the current
// platform's, or that of `p`.
void RunExportHook(Workshop& w);
void RunExportHook(Workshop& w, const PlatformRecord& p);

// The session lines of every platform's options.
void WritePlatformOptions(const Workshop& w, std::string& session);

}  // namespace app
