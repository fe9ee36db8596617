#include "app/platform_element_store.h"

#include <cstddef>

#include "convert/converted_pixel.h"
#include "convert/gba_modes.h"
#include "formats/element_files.h"
#include "formats/format_library.h"
#include "mapeditor/background.h"
#include "app/platforms.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

using mapeditor::Background;
using mapeditor::LoadedList;
using mapeditor::LoadedMap;
using mapeditor::LoadedTiles;

namespace {

// The reader hands linked palettes over with 8-bit levels; the background
// keeps the levels of its mode, as palette files hold them.
uint32_t ModeLevels(uint32_t pixel, const convert::ChannelLayout& ch) {
  auto level = [](uint32_t v, int bits) {
    int factor = convert::ExpansionFactor(bits);
    return factor > 0 ? v / static_cast<uint32_t>(factor) : v;
  };
  return convert::MakePixel(
      level(convert::PixelRed(pixel), ch.redBits), level(convert::PixelGreen(pixel), ch.greenBits),
      level(convert::PixelBlue(pixel), ch.blueBits), convert::PixelOpacity(pixel));
}

}  // namespace

bool PlatformElementStore::readTiles(std::string_view tilesetFile, LoadedTiles& tiles) {
  tiles.tilesetFile = std::string(tilesetFile);
  if (tilesetFile.empty()) return true;
  const app::PlatformRecord& p = app::CurrentPlatform(w_);
  if (!p.ioSlots.readTileset) return false;
  formats::TilesetData data;
  formats::PixelReadOptions options;
  options.withPalette = true;
  if (!p.ioSlots.readTileset(w_, tilesetFile, data, options)) return false;
  tiles.tilePixels = std::move(data.pixels);
  tiles.tilePixels.resize(static_cast<size_t>(data.blocks) * 64);
  tiles.colourMode = data.colourMode;
  tiles.paletteFile = data.header.link;
  if (data.hasPalette) {
    const convert::ChannelLayout& ch = colourMode(data.colourMode).channels;
    tiles.palette.reserve(static_cast<size_t>(data.palette.count));
    for (int i = 0; i < data.palette.count; ++i)
      tiles.palette.push_back(ModeLevels(data.palette.colours[static_cast<size_t>(i)], ch));
  }
  return true;
}

std::optional<LoadedMap> PlatformElementStore::readMap(const project::EntryRecord& map) {
  const app::PlatformRecord& p = app::CurrentPlatform(w_);
  if (!p.ioSlots.readMap) return std::nullopt;
  formats::MapData data;
  if (!p.ioSlots.readMap(w_, map.file, data)) return std::nullopt;
  LoadedMap out;
  out.width = data.width;
  out.height = data.height;
  out.cells = std::move(data.cells);
  int format = app::MapFormatForCellBits(p, data.cellBits);
  out.mapFormat = format >= 0 ? format : 1;
  out.tiles.tileWidth = data.header.tileWidth;
  out.tiles.tileHeight = data.header.tileHeight;
  out.tiles.formatName = w_.formats.current.name;
  if (!readTiles(data.header.link, out.tiles)) return std::nullopt;
  out.tiles.tileCount = data.tileCount;
  return out;
}

std::optional<LoadedList> PlatformElementStore::readList(const project::EntryRecord& list,
                                                         int32_t) {
  const app::PlatformRecord& p = app::CurrentPlatform(w_);
  if (!p.ioSlots.readList) return std::nullopt;
  formats::ListData data;
  if (!p.ioSlots.readList(w_, list.file, data)) return std::nullopt;
  LoadedList out;
  out.elementSize = data.objectSize;
  out.count = data.count;
  out.elements = std::move(data.objects);
  int model = formats::FindModel(w_.formats, data.modelName);
  out.model = model >= 0 ? w_.formats.models[static_cast<size_t>(model)]
                         : formats::CurrentModel(w_.formats);
  out.tiles.tileWidth = data.header.tileWidth;
  out.tiles.tileHeight = data.header.tileHeight;
  out.tiles.formatName = w_.formats.current.name;
  if (!readTiles(data.header.link, out.tiles)) return std::nullopt;
  const int64_t perTile = int64_t{out.tiles.tileWidth / 8} * (out.tiles.tileHeight / 8);
  out.tiles.tileCount =
      perTile > 0
          ? static_cast<int32_t>(static_cast<int64_t>(out.tiles.tilePixels.size() / 64) / perTile)
          : 0;
  return out;
}

bool PlatformElementStore::writeMap(const project::EntryRecord& map,
                                    const project::EntryRecord& tileset,
                                    const project::EntryRecord&, const Background& b) {
  app::PlatformRecord& p = app::CurrentPlatform(w_);
  if (!p.ioSlots.writeMap) return false;
  app::RunExportHook(w_);
  // The file keeps the map's own block size, whatever the editor shows.
  return p.ioSlots.writeMap(w_, app::ElementWrite{map}, b.mapFormat, b.cells, b.width, b.height,
                            b.tileWidth, b.tileHeight, &tileset);
}

bool PlatformElementStore::writeList(const project::EntryRecord& list,
                                     const project::EntryRecord& tileset, const Background& b) {
  app::PlatformRecord& p = app::CurrentPlatform(w_);
  if (!p.ioSlots.writeList) return false;
  formats::ListObjects objects;
  objects.objectSize = b.elementSize;
  objects.count = b.elementCount;
  objects.bytes = std::span<const uint8_t>(
      b.elements.data(), static_cast<size_t>(b.elementCount) * static_cast<size_t>(b.elementSize));
  formats::ListWriteDetails details;
  details.modelName = b.model.name;
  details.tileWidth = b.tileWidth;
  details.tileHeight = b.tileHeight;
  details.tileset = &tileset;
  app::RunExportHook(w_);
  return p.ioSlots.writeList(w_, app::ElementWrite{list}, objects, details);
}

const convert::MapFormat& PlatformElementStore::mapFormat(int32_t index) const {
  const app::PlatformRecord& p = app::CurrentPlatform(w_);
  if (index < 0 || index >= app::kMapFormatCount) index = 1;
  return p.mapFormats[static_cast<size_t>(index)];
}

const convert::ColourMode& PlatformElementStore::colourMode(int32_t index) const {
  const app::PlatformRecord& p = app::CurrentPlatform(w_);
  if (index < 0 || index >= p.colourModeCount()) index = p.defaultColourMode;
  if (index < 0 || index >= p.colourModeCount()) return convert::kGbaColourModes[1];
  return p.colourModes[static_cast<size_t>(index)];
}

}  // namespace app
