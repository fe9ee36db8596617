#pragma once

#include <array>
#include <cstdint>

#include "tools/tilecvt/indexed_image.h"
#include "tools/tilecvt/report.h"

namespace tilecvt {

inline constexpr uint16_t kUnsetColour = 0xFFFF;

// A palette of console colours (15 bits: red 0-4, green 5-9, blue 10-14),
// one per image and one master palette shared by all images.
struct PaletteRecord {
  int length = 0;                        // entries in use
  std::array<uint8_t, 256> used{};       // 1: the entry holds a colour in use
  std::array<uint16_t, 256> indexMap{};  // new index of each entry
  std::array<uint16_t, 256> colours{};   // kUnsetColour: never set
};

// Drops the three low bits of each channel.
uint16_t ConsoleColour(uint8_t red, uint8_t green, uint8_t blue);

// Nothing used, identity index map, every colour unset, length 0.
void PreparePalette(PaletteRecord& palette);

// The master palette before the first image: entry 0 is taken (the
// transparent index), the length is the colour count.
void PrepareMasterPalette(PaletteRecord& master, int colourCount);

// Converts the file's declared colours and marks them used.
void LoadFilePalette(PaletteRecord& palette, const IndexedImage& image);

// Makes index `transparent` the image's index 0: the pixels of the two
// indices change places and so do their colours, so every pixel keeps its
// colour.
void ApplyTransparentColour(IndexedImage& image, PaletteRecord& palette, int transparent);

// An entry below the length is used exactly when some pixel has its index.
// Returns the number of used entries.
int MarkUsed(PaletteRecord& palette, const IndexedImage& image);
int CountUsed(const PaletteRecord& palette);

// Gives every used entry of the image (but entry 0, the transparent index) a
// master entry of the same colour, adding colours to the master as needed,
// and records it in the image's index map. Prints the reason and returns
// false when the master has no room.
bool MergePalette(PaletteRecord& image, PaletteRecord& master, Report& report);

void RemapPixels(IndexedImage& image, const PaletteRecord& palette);

// Adds `offset` (modulo 256) to every pixel but those of index 0, or to every
// pixel with `force`.
void AddColourOffset(IndexedImage& image, int offset, bool force);

// Colours never set become 0.
void ClearUnsetColours(PaletteRecord& palette);

}  // namespace tilecvt
