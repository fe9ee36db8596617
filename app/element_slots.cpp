#include "app/element_slots.h"

#include "app/platforms.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

namespace {

formats::ElementContext CurrentContext(Workshop& w) {
  return ElementContextFor(w, CurrentElementFileSettings(w));
}

// A write's own settings when its caller gave them, the current ones otherwise.
ElementFileSettings WriteSettings(const Workshop& w, const ElementWrite& e) {
  return e.settings ? *e.settings : CurrentElementFileSettings(w);
}

formats::ElementContext WriteContext(Workshop& w, const ElementWrite& e) {
  return ElementContextFor(w, WriteSettings(w, e));
}

formats::ElementTarget Target(const ElementWrite& e, const std::string& exportIdentifier) {
  return {e.entry, exportIdentifier, e.keepUserTexts};
}

bool ReadPaletteSlot(Workshop& w, std::string_view path, formats::PaletteData& out) {
  formats::ElementContext c = CurrentContext(w);
  return formats::ReadPalette(c, path, out);
}

bool ReadTilesetSlot(Workshop& w, std::string_view path, formats::TilesetData& out,
                     const formats::PixelReadOptions& options) {
  formats::ElementContext c = CurrentContext(w);
  return formats::ReadTileset(c, path, out, options);
}

bool ReadMapSlot(Workshop& w, std::string_view path, formats::MapData& out) {
  const ElementFileSettings s = CurrentElementFileSettings(w);
  formats::ElementContext c = ElementContextFor(w, s);
  if (!formats::ReadMap(c, path, out)) return false;
  int format = MapFormatForCellBits(s.platform, out.cellBits);
  if (format >= 0) w.mapFormat = format;
  return true;
}

bool ReadListSlot(Workshop& w, std::string_view path, formats::ListData& out) {
  formats::ElementContext c = CurrentContext(w);
  return formats::ReadList(c, path, out);
}

bool ReadBitmapSlot(Workshop& w, std::string_view path, formats::BitmapData& out,
                    const formats::PixelReadOptions& options) {
  formats::ElementContext c = CurrentContext(w);
  return formats::ReadBitmap(c, path, out, options);
}

bool WritePaletteSlot(Workshop& w, const ElementWrite& e, std::span<const uint32_t> colours) {
  formats::ElementContext c = WriteContext(w, e);
  return formats::WritePalette(c, Target(e, w.exportIdentifiers.palette), colours);
}

bool WriteTilesetSlot(Workshop& w, const ElementWrite& e, const convert::ColourMode& mode,
                      std::span<const uint32_t> pixels, int tileCount, int tileWidth,
                      int tileHeight, const project::EntryRecord* palette) {
  formats::ElementContext c = WriteContext(w, e);
  return formats::WriteTileset(c, Target(e, w.exportIdentifiers.tileset), mode, pixels, tileCount,
                               tileWidth, tileHeight, palette);
}

bool WriteMapSlot(Workshop& w, const ElementWrite& e, int mapFormat,
                  std::span<const uint32_t> cells, int width, int height, int tileWidth,
                  int tileHeight, const project::EntryRecord* tileset) {
  const ElementFileSettings s = WriteSettings(w, e);
  formats::ElementContext c = ElementContextFor(w, s);
  int cellBits = mapFormat >= 0 && mapFormat < kMapFormatCount
                     ? s.platform.mapCellBits[static_cast<size_t>(mapFormat)]
                     : 0;  // refused by the writer
  // The header gives the map's own tile size.
  c.defaults.tileWidth = tileWidth;
  c.defaults.tileHeight = tileHeight;
  return formats::WriteMap(c, Target(e, w.exportIdentifiers.mapAndList), cellBits, cells, width,
                           height, tileset);
}

bool WriteListSlot(Workshop& w, const ElementWrite& e, const formats::ListObjects& objects,
                   const formats::ListWriteDetails& details) {
  formats::ElementContext c = WriteContext(w, e);
  return formats::WriteList(c, Target(e, w.exportIdentifiers.mapAndList), objects, details);
}

bool WriteBitmapSlot(Workshop& w, const ElementWrite& e, const convert::ColourMode& mode,
                     std::span<const uint32_t> pixels, int width, int height,
                     const project::EntryRecord* palette) {
  formats::ElementContext c = WriteContext(w, e);
  return formats::WriteBitmap(c, Target(e, w.exportIdentifiers.bitmap), mode, pixels, width, height,
                              palette);
}

}  // namespace

PlatformSlots ElementFileSlots() {
  PlatformSlots s;
  s.readPalette = ReadPaletteSlot;
  s.readTileset = ReadTilesetSlot;
  s.readMap = ReadMapSlot;
  s.readList = ReadListSlot;
  s.readBitmap = ReadBitmapSlot;
  s.writePalette = WritePaletteSlot;
  s.writeTileset = WriteTilesetSlot;
  s.writeMap = WriteMapSlot;
  s.writeList = WriteListSlot;
  s.writeBitmap = WriteBitmapSlot;
  return s;
}

ElementFileSettings CurrentElementFileSettings(const Workshop& w) {
  return {CurrentPlatform(w), w.colourMode, w.conversion.tileWidth, w.conversion.tileHeight};
}

formats::ElementContext ElementContextFor(Workshop& w, const ElementFileSettings& s) {
  formats::ElementContext c{w.formats, w.services.dialogs};
  c.defaults = PlaceholderDefaults(w);
  c.defaults.tileWidth = s.tileWidth;
  c.defaults.tileHeight = s.tileHeight;
  c.colourModes = s.platform.colourModes;
  c.defaultColourMode = s.platform.defaultColourMode;
  c.currentColourMode = s.colourMode;
  c.autoFormatSelection = w.system.autoFormatSelection != 0;
  c.maxObjects = w.system.maxObjects;
  c.lastTilesetBlocks = &w.lastTilesetBlocks;
  c.fileGroup = w.fileGroup;
  return c;
}

formats::ReferenceDefaults PlaceholderDefaults(const Workshop& w) {
  formats::ReferenceDefaults d = w.placeholderDefaults;
  d.imageWidth = w.loadingSurface.visibleWidth;
  d.imageHeight = w.loadingSurface.visibleHeight;
  d.tileWidth = w.conversion.tileWidth;
  d.tileHeight = w.conversion.tileHeight;
  return d;
}

void SavePlaceholderDefaults(Workshop& w) {
  w.placeholderDefaults = formats::ReferenceDefaults{};
  w.placeholderDefaults = PlaceholderDefaults(w);
}

}  // namespace app
