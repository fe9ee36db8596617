#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "convert/colour_mode.h"
#include "convert/map_format.h"
#include "app/language.h"

namespace formats {
struct PaletteData;
struct TilesetData;
struct MapData;
struct ListData;
struct BitmapData;
struct PixelReadOptions;
struct ListObjects;
struct ListWriteDetails;
}  // namespace formats
namespace project {
struct EntryRecord;
}

// The platform record: the one place where a target console is described.
// Colour modes, map formats and the element readers and writers are reached
// through it, never through literals elsewhere.
namespace app {

struct Workshop;

// What a platform's event operation is told.
enum class PlatformEvent : int {
  Startup = 0,     // once, when the program starts
  Selected = 1,    // the platform becomes current
  Deselected = 2,  // it stops being current
};

struct PlatformRecord;

// What the element files take from the program: the platform whose colour
// modes a header's depth names, the colour mode, and the tile size the
// by-reference placeholders stand for.
struct ElementFileSettings {
  const PlatformRecord& platform;
  int colourMode = 0;
  int tileWidth = 8;
  int tileHeight = 8;
};

// The element a writer slot writes.
struct ElementWrite {
  const project::EntryRecord& entry;
  // Leave the user-text buffers as they are (the caller restored a file's own).
  bool keepUserTexts = false;
  // The settings to write with; null: the program's current ones.
  const ElementFileSettings* settings = nullptr;
};

// The 13 reader and writer operations, in the order of the record.
struct PlatformSlots {
  // The platform's lines of the project file's session section.
  void (*writeOptions)(const Workshop& w, std::string& session) = nullptr;
  void (*unused)() = nullptr;  // an empty slot, kept for the order
  // Called before every export.
  void (*exportHook)(Workshop& w) = nullptr;

  bool (*readPalette)(Workshop& w, std::string_view path, formats::PaletteData& out) = nullptr;
  bool (*readTileset)(Workshop& w, std::string_view path, formats::TilesetData& out,
                      const formats::PixelReadOptions& options) = nullptr;
  // Also makes the map's cell format the current map format.
  bool (*readMap)(Workshop& w, std::string_view path, formats::MapData& out) = nullptr;
  bool (*readList)(Workshop& w, std::string_view path, formats::ListData& out) = nullptr;
  bool (*readBitmap)(Workshop& w, std::string_view path, formats::BitmapData& out,
                     const formats::PixelReadOptions& options) = nullptr;

  bool (*writePalette)(Workshop& w, const ElementWrite& e,
                       std::span<const uint32_t> colours) = nullptr;
  bool (*writeTileset)(Workshop& w, const ElementWrite& e, const convert::ColourMode& mode,
                       std::span<const uint32_t> pixels, int tileCount, int tileWidth,
                       int tileHeight, const project::EntryRecord* palette) = nullptr;
  bool (*writeMap)(Workshop& w, const ElementWrite& e, int mapFormat,
                   std::span<const uint32_t> cells, int width, int height, int tileWidth,
                   int tileHeight, const project::EntryRecord* tileset) = nullptr;
  bool (*writeList)(Workshop& w, const ElementWrite& e, const formats::ListObjects& objects,
                    const formats::ListWriteDetails& details) = nullptr;
  bool (*writeBitmap)(Workshop& w, const ElementWrite& e, const convert::ColourMode& mode,
                      std::span<const uint32_t> pixels, int width, int height,
                      const project::EntryRecord* palette) = nullptr;
};

// The options panel a platform adds to the dialogs that edit a map or a
// tileset, as data: the window shows the boxes and hands their states back.
struct OptionsPanelBox {
  std::string_view caption;
  bool checked = false;
};

struct OptionsPanel {
  int width = 0;
  int height = 0;
  std::vector<OptionsPanelBox> boxes;  // top to bottom
};

inline constexpr int kMapFormatCount = 3;

struct PlatformRecord {
  std::string_view name;
  // Whether the platform can be chosen; 1 for every platform defined so far.
  int flag = 1;
  int defaultColourMode = 0;
  std::span<const convert::ColourMode> colourModes;
  int maxPaletteEntries = 256;
  // Copies the options may change (the masks of the text format).
  std::array<convert::MapFormat, kMapFormatCount> mapFormats{};
  // Bits of a cell in each map format, in the same order.
  std::array<int, kMapFormatCount> mapCellBits{};

  void (*event)(Workshop& w, int recordIndex, PlatformEvent event) = nullptr;
  // The options panel for a map (forMap) or tileset dialog, showing the
  // current options; closing stores the boxes' states back.
  OptionsPanel (*openOptionsPanel)(const Workshop& w, bool forMap) = nullptr;
  void (*closeOptionsPanel)(Workshop& w, bool forMap, std::span<const bool> states) = nullptr;

  PlatformSlots ioSlots;

  int colourModeCount() const { return static_cast<int>(colourModes.size()); }
};

// The index of the map format with that many bits per cell, or -1.
int MapFormatForCellBits(const PlatformRecord& p, int cellBits);

}  // namespace app
