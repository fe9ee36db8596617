#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include "app/language.h"

// The items of the one-line conversion command `conv`: what they set, read
// from the statement's text into a record that starts afresh at every call.
namespace app {

struct Workshop;

// What the conversion makes.
enum class ConvKind : int {
  None = 0,
  Tileset = 1,   // `tset`: tileset, palette and map
  Bitmap = 2,    // `bmp`: bitmap and palette
  Bitmap8 = 3,   // `b8`: selected, converts nothing
  Bitmap16 = 4,  // `b16`: likewise
};

// The three states of the existing-element boxes of the import assistant.
inline constexpr int32_t kExistingUnused = 0;
inline constexpr int32_t kExistingReused = 1;    // checked: colours or tiles may be matched
inline constexpr int32_t kExistingAppended = 2;  // greyed: kept, the new ones come after

struct ConvParameters {
  ConvKind kind = ConvKind::None;
  std::string source;
  std::string destination;  // the bitmap's or the tileset's file
  std::string paletteFile;
  std::string mapFile;
  std::string tilesetName;
  std::string bitmapName;
  std::string paletteName;
  std::string mapName;
  int32_t colourCount = 255;
  bool colourCountGiven = false;  // a `col` item was read
  std::string usePalette;         // `upal`: an existing palette element
  int32_t usePaletteState = kExistingReused;
  std::string useTileset;  // `util`: an existing tileset element
  int32_t useTilesetState = kExistingReused;
  int32_t textMap = 1;         // `txt`
  int32_t sixteenColours = 0;  // `16c`
  int32_t generateMap = 1;     // `gmap`
  int32_t optimise = 1;        // `opt`: identical tiles merged
  int colourMode = 0;          // index into the platform's colour modes
  std::string colourModeName;  // `cmode`
  std::string mapMode;         // `mapmode`
  std::string mapSize;         // `mdim`
  std::string tileSize;        // `tdim`
};

// The parameters every call starts from: nothing to convert, 255 colours,
// the platform's default colour mode.
ConvParameters ResetConvParameters(const Workshop& w);

// Reads the items in order into `p`. An unknown identifier is reported
// ("Identificateur de conversion non-reconnu: %s", caption "Débogage") and
// skipped.
void ReadConvItems(Workshop& w, std::string_view text, ConvParameters& p);

// The default colour count of a colour mode: its palette less the reserved
// entry 0 (255 for 256 entries, 15 for 16), 0 in direct-colour modes.
int32_t DefaultColourCount(const Workshop& w, int colourMode);

// The extension of the built-in format for each element kind.
inline constexpr std::string_view kTilesetExtension = ".til.c";
inline constexpr std::string_view kBitmapExtension = ".bmp.c";
inline constexpr std::string_view kPaletteExtension = ".pal.c";
inline constexpr std::string_view kMapExtension = ".map.c";

}  // namespace app
