#pragma once

#include <QDir>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/workshop.h"
#include "convert/gba_modes.h"
#include "mapeditor/element_store.h"
#include "mapeditor/map_editor.h"
#include "platform/recording_platform.h"
#include "project/kinds.h"

// A map editor model over elements held in memory, for the editor's windows
// on real widgets: no editor window, no files but the temporary directory.
namespace uitest {

class MemoryStore : public mapeditor::ElementStore {
 public:
  std::map<std::string, mapeditor::LoadedMap> maps;
  std::map<std::string, mapeditor::LoadedList> lists;

  std::optional<mapeditor::LoadedMap> readMap(const project::EntryRecord& e) override {
    auto it = maps.find(e.file);
    if (it == maps.end()) return std::nullopt;
    return it->second;
  }
  std::optional<mapeditor::LoadedList> readList(const project::EntryRecord& e, int32_t) override {
    auto it = lists.find(e.file);
    if (it == lists.end()) return std::nullopt;
    return it->second;
  }
  bool writeMap(const project::EntryRecord&, const project::EntryRecord&,
                const project::EntryRecord&, const mapeditor::Background&) override {
    return true;
  }
  bool writeList(const project::EntryRecord&, const project::EntryRecord&,
                 const mapeditor::Background&) override {
    return true;
  }
  const convert::MapFormat& mapFormat(int32_t index) const override {
    if (index < 0 || index > 2) index = 1;
    return convert::kGbaMapFormats[static_cast<size_t>(index)];
  }
  const convert::ColourMode& colourMode(int32_t index) const override {
    if (index < 0 || index > 3) index = 1;
    return convert::kGbaColourModes[static_cast<size_t>(index)];
  }
};

// Tiles whose every block and pixel differs, so that a wrong tile shows.
inline mapeditor::LoadedTiles Tiles(int count, int side) {
  mapeditor::LoadedTiles t;
  t.tileWidth = t.tileHeight = side;
  t.tileCount = count;
  t.colourMode = 0;
  size_t blocks =
      static_cast<size_t>(count) * static_cast<size_t>(side / 8) * static_cast<size_t>(side / 8);
  t.tilePixels.resize(blocks * 64);
  for (size_t i = 0; i < t.tilePixels.size(); ++i)
    t.tilePixels[i] = static_cast<uint32_t>((i / 64 * 7 + i % 64 * 3) % 16);
  for (uint32_t i = 0; i < 256; ++i)
    t.palette.push_back(convert::MakePixel(i % 32, (i * 7) % 32, (i * 13) % 32, 255));
  return t;
}

// A w × h map holding fill, or 0, 1, 2, ... (modulo the tile count) when fill
// is negative.
inline mapeditor::LoadedMap Map(int w, int h, long long fill = -1, int tiles = 64, int side = 8) {
  mapeditor::LoadedMap m;
  m.width = w;
  m.height = h;
  m.cells.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (size_t i = 0; i < m.cells.size(); ++i)
    m.cells[i] = fill < 0 ? static_cast<uint32_t>(i % static_cast<size_t>(tiles))
                          : static_cast<uint32_t>(fill);
  m.tiles = Tiles(tiles, side);
  return m;
}

struct Bench {
  QTemporaryDir dir;
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  platform::FixedMachine machine{1ull << 32};
  app::Workshop w{platform::Services{dialogs, shell, machine}};
  MemoryStore store;
  mapeditor::MapEditorShared shared;
  std::unique_ptr<mapeditor::MapEditor> editor;

  Bench() {
    w.paths.scriptPath = (dir.path() + "/script.spt").toStdString();
    editor = std::make_unique<mapeditor::MapEditor>(w.editorHost, shared, store);
  }
  ~Bench() { editor.reset(); }

  int addMap(const std::string& name, mapeditor::LoadedMap map) {
    project::EntryRecord e;
    e.name = name;
    e.file = (dir.path() + "/").toStdString() + name + ".map.c";
    e.kind = project::kKindMap;
    store.maps[e.file] = std::move(map);
    w.project.appendRaw(e);
    return static_cast<int>(w.project.count()) - 1;
  }
  int addList(const std::string& name, mapeditor::LoadedList list) {
    project::EntryRecord e;
    e.name = name;
    e.file = (dir.path() + "/").toStdString() + name + ".lst.c";
    e.kind = project::kKindList;
    store.lists[e.file] = std::move(list);
    w.project.appendRaw(e);
    return static_cast<int>(w.project.count()) - 1;
  }
  // Opens the editor on the first map and adds the others.
  bool open(std::vector<int> elements) {
    if (!editor->open(elements.front())) return false;
    for (size_t k = 1; k < elements.size(); ++k)
      if (editor->addBackground(elements[k]) != mapeditor::AddResult::Added) return false;
    return true;
  }
  std::vector<std::string> status() const {
    std::vector<std::string> out;
    for (const auto& m : editor->status().messages()) out.push_back(m.text);
    return out;
  }
  mapeditor::Background& bg(int i) { return editor->background(i); }
};

}  // namespace uitest
