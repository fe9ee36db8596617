#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/output_format.h"
#include "platform/files.h"
#include "formats/placeholders.h"

namespace convert {
struct ColourMode;
}
namespace platform {
class UserDialogs;
}
namespace project {
struct EntryRecord;
}

// The element data files: every palette, tileset, map, list and bitmap is kept
// as the text the current output format spells it in. Writers expand the
// format with the element's values; readers match the same format against the
// file and parse the values back.
//
// Nothing here reaches for program settings: the caller hands in the format
// library, the dialogs and the settings each operation depends on, so the
// files can be written and read without the script layer.
namespace formats {

struct FormatLibrary;

// An element file is read in one piece of at most 8 MB; text beyond it is not
// seen.
inline constexpr size_t kElementReadLimit = 8388608;
inline constexpr int kMaxPaletteColours = 256;
// 8 × 8 blocks a tileset file may hold.
inline constexpr int kMaxTilesetBlocks = 8193;
// Pixels or cells a bitmap or map header may announce: every value takes at
// least one byte of the file, so a larger element cannot be in a file the
// reader sees, and a hostile header must not make the buffer explode.
inline constexpr int64_t kMaxElementCells = static_cast<int64_t>(kElementReadLimit);

// What every reader and writer needs besides its data.
struct ElementContext {
  FormatLibrary& lib;
  platform::UserDialogs& dialogs;
  // The settings the by-reference placeholders stand for (image size, tile
  // size, tile base) when a header does not set them.
  ReferenceDefaults defaults{};
  // The platform's colour modes: a tileset's `depth` picks one of them.
  std::span<const convert::ColourMode> colourModes{};
  int defaultColourMode = 0;
  int currentColourMode = 0;
  // Readers first select the format whose extension the file has.
  bool autoFormatSelection = true;
  int32_t maxObjects = 1024;  // objects a list may hold
  // Blocks of the tileset read last; a map without a linked tileset counts
  // its tiles from it. Updated by every tileset read when given.
  int32_t* lastTilesetBlocks = nullptr;
  // Files written while a group is given take their names only when the
  // whole group succeeded (the files of one conversion).
  platform::FileGroup* fileGroup = nullptr;
};

// The element a writer writes: its file, and the header's `file` (the base
// file) and `name` (the C identifier).
struct ElementTarget {
  const project::EntryRecord& entry;
  std::string_view identifier{};  // empty: the element's name
  // Leaves the user-text buffers as they are instead of taking the format's
  // user[1]..user[8] (the bitmap writer always takes them).
  bool keepUserTexts = false;
};

// --- Writers -----------------------------------------------------------------
// Each writes the whole file or nothing: the text goes to a temporary file
// that replaces the element's file only once it is complete. A file that
// cannot be written is reported with the kind's message (caption: the path).

// Colours are converted pixels; each is written as a console colour.
bool WritePalette(ElementContext& c, const ElementTarget& t, std::span<const uint32_t> colours);

// Pixels in 8 × 8 block order, tileCount × tileWidth × tileHeight words. The
// header links the palette when the mode has one.
bool WriteTileset(ElementContext& c, const ElementTarget& t, const convert::ColourMode& mode,
                  std::span<const uint32_t> pixels, int tileCount, int tileWidth, int tileHeight,
                  const project::EntryRecord* palette);

// Cells row by row, width × height; cellBits (8, 16 or 32) picks the value
// format and the array type. The header's tile size is the defaults'.
bool WriteMap(ElementContext& c, const ElementTarget& t, int cellBits,
              std::span<const uint32_t> cells, int width, int height,
              const project::EntryRecord* tileset);

struct ListObjects {
  int32_t objectSize = 12;
  std::span<const uint8_t> bytes;  // count × objectSize
  int count = 0;
};

struct ListWriteDetails {
  std::string_view typeName;  // empty: the format's `typesd`
  // The list's own user texts (file bytes), replacing the format's; null:
  // the format's (or the buffers as they are, with keepUserTexts).
  const std::array<std::string, kUserTextCount>* userTexts = nullptr;
  std::string_view modelName;  // empty: the selected model's
  int tileWidth = 8;
  int tileHeight = 8;
  const project::EntryRecord* tileset = nullptr;
};

// Objects are written sorted by x, then y (the later of two equal objects
// first) through the object template of the selected format and model; the
// objects themselves keep their order.
bool WriteList(ElementContext& c, const ElementTarget& t, const ListObjects& objects,
               const ListWriteDetails& details);

// Pixels row by row, width × height: indices as they are in the palette modes
// (one per value), console colours in the 15-bit mode, words in the 32-bit
// mode.
bool WriteBitmap(ElementContext& c, const ElementTarget& t, const convert::ColourMode& mode,
                 std::span<const uint32_t> pixels, int width, int height,
                 const project::EntryRecord* palette);

// --- Readers -----------------------------------------------------------------
// Each returns false when the file cannot be read or its header does not
// match the format (reported); values stop early, without failure, where the
// text runs out.

struct PaletteData {
  std::array<uint32_t, kMaxPaletteColours> colours{};  // converted pixels
  int count = 0;
  int colourMode = 0;  // the platform's default mode
};

// Up to 256 colours; levels of 5 bits, or brought to 8 bits with
// expandLevels. Entry 0 is cleared when the current colour mode reserves it.
bool ReadPalette(ElementContext& c, std::string_view path, PaletteData& out,
                 bool expandLevels = false);

struct PixelReadOptions {
  bool withPalette = false;  // also read the linked palette (levels of 8 bits)
  bool raw = false;          // 15-bit values kept as read
};

// What a header tells beside the values; by-reference placeholders the file
// does not set keep the context's defaults.
struct HeaderValues {
  std::string identifier;  // `name`
  std::string link;        // `link`, UTF-8
  std::string type;        // `type`, UTF-8
  int32_t size = 0;
  int32_t depth = 0;
  int32_t sizeX = 0;
  int32_t sizeY = 0;
  int32_t tileWidth = 8;
  int32_t tileHeight = 8;
  int32_t tileBase = 0;
  int32_t gfxMask = -1;
};

struct TilesetData {
  std::vector<uint32_t> pixels;  // blocks × 64 words, in block order
  int blocks = 0;                // 8 × 8 blocks read
  int colourMode = 0;            // index into the context's colour modes
  bool hasPalette = false;
  PaletteData palette;
  HeaderValues header;
};

// The result is counted in 8 × 8 blocks; the header's tile size is in
// `header`. A file announcing more than 8193 blocks is refused.
bool ReadTileset(ElementContext& c, std::string_view path, TilesetData& out,
                 PixelReadOptions options = {});

struct BitmapData {
  std::vector<uint32_t> pixels;  // width × height, row by row
  int width = 0;
  int height = 0;
  int colourMode = 0;
  bool hasPalette = false;
  PaletteData palette;
  HeaderValues header;
};

bool ReadBitmap(ElementContext& c, std::string_view path, BitmapData& out,
                PixelReadOptions options = {});

struct MapData {
  std::vector<uint32_t> cells;  // width × height, row by row; cleared first
  int width = 0;
  int height = 0;
  int cellBits = 16;  // 8, 16 or 32
  int tileCount = 0;  // tiles of the map's tile size in its tileset
  HeaderValues header;
  std::array<std::string, kUserTextCount> userTexts;  // as the file gave them (bytes)
};

// Reads the linked tileset to learn its tile count (or keeps the count of the
// tileset read last when the header links none); no tiles fail the map.
bool ReadMap(ElementContext& c, std::string_view path, MapData& out);

struct ListData {
  std::vector<uint8_t> objects;  // count × objectSize
  int32_t objectSize = 12;
  int count = 0;
  std::string modelName;   // the model selected for the list
  bool recovered = false;  // read again with the lenient matcher
  HeaderValues header;
  std::array<std::string, kUserTextCount> userTexts;  // as the file gave them (bytes)
};

// Selects the model the file names, reads the linked tileset, then the
// objects; objects that do not fit the model lead to the recovery question.
bool ReadList(ElementContext& c, std::string_view path, ListData& out);

}  // namespace formats
