#include "app/platforms.h"

#include "convert/colour_tables.h"
#include "app/gba_platform.h"
#include "script/script_host.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

int MapFormatForCellBits(const PlatformRecord& p, int cellBits) {
  for (int i = 0; i < kMapFormatCount; ++i)
    if (p.mapCellBits[static_cast<size_t>(i)] == cellBits) return i;
  return -1;
}

void StartPlatforms(Workshop& w) {
  Platforms& ps = w.platforms;
  ps.records.clear();
  ps.current = -1;
  ps.records.push_back(MakeGbaPlatform());
  for (size_t i = 0; i < ps.records.size(); ++i)
    if (ps.records[i].event) ps.records[i].event(w, static_cast<int>(i), PlatformEvent::Startup);
  SelectPlatform(w, FindPlatform(w, kGbaPlatformName));
}

int FindPlatform(const Workshop& w, std::string_view name) {
  const auto& records = w.platforms.records;
  for (size_t i = 0; i < records.size(); ++i)
    if (records[i].name == name) return static_cast<int>(i);
  return -1;
}

bool SelectPlatform(Workshop& w, int index) {
  Platforms& ps = w.platforms;
  if (index < 0 || static_cast<size_t>(index) >= ps.records.size()) return false;
  if (index == ps.current) return true;
  int old = ps.current;
  if (old >= 0 && ps.records[static_cast<size_t>(old)].event)
    ps.records[static_cast<size_t>(old)].event(w, old, PlatformEvent::Deselected);
  ps.current = index;
  PlatformRecord& p = ps.records[static_cast<size_t>(index)];
  if (p.event) p.event(w, index, PlatformEvent::Selected);
  w.colourMode = p.defaultColourMode;
  if (w.mapFormat < 0 || w.mapFormat >= kMapFormatCount) w.mapFormat = 0;
  convert::RebuildColourTables(w.conversion, &CurrentColourMode(w), w.colourTables);
  if (w.interpreter.host) w.interpreter.host->refreshPlatformDisplays();
  return true;
}

const PlatformRecord& CurrentPlatform(const Workshop& w) {
  const Platforms& ps = w.platforms;
  size_t i = ps.current >= 0 ? static_cast<size_t>(ps.current) : 0;
  return ps.records[i];
}

PlatformRecord& CurrentPlatform(Workshop& w) {
  Platforms& ps = w.platforms;
  size_t i = ps.current >= 0 ? static_cast<size_t>(ps.current) : 0;
  return ps.records[i];
}

const convert::ColourMode& CurrentColourMode(const Workshop& w) {
  return CurrentPlatform(w).colourModes[static_cast<size_t>(CurrentColourModeIndex(w))];
}

int CurrentColourModeIndex(const Workshop& w) {
  const PlatformRecord& p = CurrentPlatform(w);
  return w.colourMode >= 0 && w.colourMode < p.colourModeCount() ? w.colourMode
                                                                 : p.defaultColourMode;
}

const convert::MapFormat& CurrentMapFormat(const Workshop& w) {
  return CurrentPlatform(w).mapFormats[static_cast<size_t>(CurrentMapFormatIndex(w))];
}

int CurrentMapFormatIndex(const Workshop& w) {
  return w.mapFormat >= 0 && w.mapFormat < kMapFormatCount ? w.mapFormat : 0;
}

void RunExportHook(Workshop& w) { RunExportHook(w, CurrentPlatform(w)); }

void RunExportHook(Workshop& w, const PlatformRecord& p) {
  if (p.ioSlots.exportHook) p.ioSlots.exportHook(w);
}

void WritePlatformOptions(const Workshop& w, std::string& session) {
  for (const PlatformRecord& p : w.platforms.records)
    if (p.ioSlots.writeOptions) p.ioSlots.writeOptions(w, session);
}

}  // namespace app
