#pragma once

#include <optional>
#include <random>

#include "convert/gba_modes.h"
#include "mapeditor/element_store.h"
#include "project/entry_record.h"

// Maps made up on the spot for the editor's benchmarks: 256 × 256 cells of
// 1024 random 4-bit tiles with random sub-palettes and mirrors, the same map
// for the same element name. Nothing is ever written.
namespace benchsupport {

class GeneratedStore : public mapeditor::ElementStore {
 public:
  static constexpr int kCells = 256;
  static constexpr int kTiles = 1024;

  std::optional<mapeditor::LoadedMap> readMap(const project::EntryRecord& e) override {
    std::mt19937 random(static_cast<uint32_t>(e.name.size() * 977 + e.name.back()));
    mapeditor::LoadedMap m;
    m.width = m.height = kCells;
    m.mapFormat = 1;
    m.cells.resize(kCells * kCells);
    for (uint32_t& c : m.cells) c = random() & 0xFFFFu & ~0x300u;  // tiles 0..1023 with flags
    mapeditor::LoadedTiles& t = m.tiles;
    t.tileCount = kTiles;
    t.colourMode = 0;
    t.tilePixels.resize(static_cast<size_t>(kTiles) * 64);
    for (uint32_t& p : t.tilePixels) p = random() & 15u;
    for (int i = 0; i < 256; ++i) t.palette.push_back(random() | 0xFF000000u);
    return m;
  }
  std::optional<mapeditor::LoadedList> readList(const project::EntryRecord&, int32_t) override {
    return std::nullopt;
  }
  bool writeMap(const project::EntryRecord&, const project::EntryRecord&,
                const project::EntryRecord&, const mapeditor::Background&) override {
    return false;
  }
  bool writeList(const project::EntryRecord&, const project::EntryRecord&,
                 const mapeditor::Background&) override {
    return false;
  }
  const convert::MapFormat& mapFormat(int32_t i) const override {
    return convert::kGbaMapFormats[static_cast<size_t>(i)];
  }
  const convert::ColourMode& colourMode(int32_t i) const override {
    return convert::kGbaColourModes[static_cast<size_t>(i)];
  }
};

}  // namespace benchsupport
