#pragma once

#include "mapeditor/element_store.h"
#include "app/language.h"

namespace app {

// The element store of the program: the current platform's element readers
// and writers, and its colour modes and map formats.
class PlatformElementStore : public mapeditor::ElementStore {
 public:
  explicit PlatformElementStore(Workshop& w) : w_(w) {}

  std::optional<mapeditor::LoadedMap> readMap(const project::EntryRecord& map) override;
  std::optional<mapeditor::LoadedList> readList(const project::EntryRecord& list,
                                                int32_t maxElements) override;
  bool writeMap(const project::EntryRecord& map, const project::EntryRecord& tileset,
                const project::EntryRecord& palette,
                const mapeditor::Background& background) override;
  bool writeList(const project::EntryRecord& list, const project::EntryRecord& tileset,
                 const mapeditor::Background& background) override;
  const convert::MapFormat& mapFormat(int32_t index) const override;
  const convert::ColourMode& colourMode(int32_t index) const override;

 private:
  // The tiles and palette a map or list links to; a missing link leaves the
  // element without tiles (its values can still be edited).
  bool readTiles(std::string_view tilesetFile, mapeditor::LoadedTiles& tiles);

  Workshop& w_;
};

}  // namespace app
