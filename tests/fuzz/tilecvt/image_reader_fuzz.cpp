// Any bytes through the image readers, then through the palette, tile and map
// steps the converter runs on what they return.
#include <cstddef>
#include <cstdint>
#include <span>

#include "tools/tilecvt/console.h"
#include "tools/tilecvt/image_reader.h"
#include "tools/tilecvt/palette.h"
#include "tools/tilecvt/tile_map.h"
#include "tools/tilecvt/tiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tilecvt::IndexedImage image;
  if (tilecvt::DecodeImage(std::span<const uint8_t>(data, size), image) !=
      tilecvt::ImageError::None)
    return 0;
  if (image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
    __builtin_trap();
  if (image.pixelCount() > (size_t{1} << 20)) return 0;

  tilecvt::SilentConsole console;
  tilecvt::Report report(console);
  tilecvt::PaletteRecord palette, master;
  tilecvt::PreparePalette(palette);
  tilecvt::PrepareMasterPalette(master, 256);
  tilecvt::LoadFilePalette(palette, image);
  tilecvt::ApplyTransparentColour(image, palette, 3);
  tilecvt::MarkUsed(palette, image);
  if (tilecvt::MergePalette(palette, master, report)) tilecvt::RemapPixels(image, palette);

  tilecvt::FlipVertically(image);
  const size_t columns = static_cast<size_t>(image.width) / 8,
               rows = static_cast<size_t>(image.height) / 8;
  tilecvt::CutIntoTiles(image, 8);
  tilecvt::TileMap map =
      tilecvt::BuildMap(image.pixels.data(), image.pixelCount() / 64, 8, columns, rows, {});
  tilecvt::KeptTilesAsColumns(map);
  tilecvt::ComposeEntries(map);
  tilecvt::MapColumnOrder(map);
  tilecvt::MapInBlocks(map);
  return 0;
}
