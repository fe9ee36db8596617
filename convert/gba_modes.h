#pragma once

#include <array>

#include "convert/colour_mode.h"
#include "convert/map_format.h"

// The console's rules in one place: its colour modes and map cell formats, as
// the platform record holds them.
namespace convert {

inline constexpr int kGbaMaxPaletteEntries = 256;
inline constexpr int kGbaDefaultColourMode = 1;

inline constexpr ChannelLayout kGbaConsoleChannels{2, 5, 5, 5, 0};
inline constexpr ChannelLayout kGbaRgbaChannels{4, 8, 8, 8, 8};

inline constexpr std::array<ColourMode, 4> kGbaColourModes{{
    {"4 bits (16 coul.)", "4", 4, PaletteKind::SubPalettes, true, true, 255, 16, 16, true, nullptr,
     kGbaConsoleChannels},
    {"8 bits (256 coul.)", "8", 8, PaletteKind::Single, true, false, 256, 0, 256, true, nullptr,
     kGbaConsoleChannels},
    {"15 bits (32k coul.)", "15", 15, PaletteKind::Direct, true, false, 0, 0, 0, false, nullptr,
     kGbaConsoleChannels},
    {"32 bits (RGBA)", "32", 32, PaletteKind::Direct, false, false, 0, 0, 0, false, nullptr,
     kGbaRgbaChannels},
}};

// Rotation (8-bit cells), text (16-bit cells with mirror and sub-palette bits),
// extended (32-bit cells).
inline constexpr std::array<MapFormat, 3> kGbaMapFormats{{
    {"Rotation (8 bits)", 0xFFFFFFFFu, 0, kAbsentField, 0, kAbsentField, 0, kAbsentField, 0xFFu},
    {"Texte (16 bits)", 0x3FFu, 0xF000u, 12, 0x400u, 10, 0x800u, 11, 0xFFFFFFFFu},
    {"Etendue (32 bits)", 0xFFFFFFFFu, 0, kAbsentField, 0, kAbsentField, 0, kAbsentField,
     0xFFFFFFFFu},
}};

}  // namespace convert
