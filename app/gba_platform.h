#pragma once

#include <span>
#include <string_view>

#include "app/platform_record.h"
#include "app/language.h"

// The Game Boy Advance, the one platform defined: its colour modes and map
// formats, and its three options (script object `gba`): sub-palette bits and
// mirror bits in text-mode map cells, and 4-byte alignment of exported arrays.
namespace app {

struct Workshop;

inline constexpr std::string_view kGbaPlatformName = "Game Boy Advance, Nintendo";
// The text `user[2]` holds while alignment is on.
inline constexpr std::string_view kGbaAlignText = "__attribute__((aligned(4))) ";

// Index of the text format among the map formats: the one the options change.
inline constexpr int kGbaTextMapFormat = 1;

// The options panel's boxes, top to bottom (the last two for maps only).
inline constexpr std::string_view kGbaAlignCaption = "__attribute__((aligned(4)))";
inline constexpr std::string_view kGbaMirrorCaption = "Bits miroir [10-11]";
inline constexpr std::string_view kGbaPaletteCaption = "Bits palette [12-15]";
inline constexpr int kGbaPanelWidth = 170;
inline constexpr int kGbaPanelHeightMap = 63;
inline constexpr int kGbaPanelHeightTileset = 27;

PlatformRecord MakeGbaPlatform();

// The text format's masks for the two mask options: the sub-palette in bits
// 12-15 (or no palette field), the mirrors in bits 10 and 11 (or none), and a
// tile number of 10, 12 or 16 bits in what is left.
void ApplyGbaMasks(convert::MapFormat& textFormat, bool paletteMask, bool mirrorMask);

// Applies the current options to the platform record they belong to.
void RecomputeGbaMapMasks(Workshop& w);

// The options panel as the dialogs show it, and what its closing stores
// (states in the order of the boxes; the alignment becomes 4 or 0).
OptionsPanel OpenGbaOptionsPanel(const Workshop& w, bool forMap);
void CloseGbaOptionsPanel(Workshop& w, bool forMap, std::span<const bool> states);

}  // namespace app
