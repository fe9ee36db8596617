#include "editor_fixture.h"

#include <cstddef>

#include "convert/gba_modes.h"
#include "platform/paths.h"

namespace mapeditortest {

using namespace mapeditor;

namespace {

std::string Key(std::string_view file) { return platform::ToNative(file); }

}  // namespace

std::optional<LoadedMap> MemoryStore::readMap(const project::EntryRecord& map) {
  auto it = maps.find(Key(map.file));
  if (it == maps.end()) return std::nullopt;
  return it->second;
}

std::optional<LoadedList> MemoryStore::readList(const project::EntryRecord& list, int32_t) {
  auto it = lists.find(Key(list.file));
  if (it == lists.end()) return std::nullopt;
  return it->second;
}

bool MemoryStore::writeMap(const project::EntryRecord& map, const project::EntryRecord&,
                           const project::EntryRecord&, const Background& b) {
  if (failWrites) return false;
  writtenCells[Key(map.file)] = b.cells;
  writes.push_back(Key(map.file));
  return true;
}

bool MemoryStore::writeList(const project::EntryRecord& list, const project::EntryRecord&,
                            const Background& b) {
  if (failWrites) return false;
  writtenElements[Key(list.file)] = std::vector<uint8_t>(
      b.elements.begin(),
      b.elements.begin() + static_cast<std::ptrdiff_t>(b.elementCount * b.elementSize));
  writes.push_back(Key(list.file));
  return true;
}

const convert::MapFormat& MemoryStore::mapFormat(int32_t index) const {
  if (index < 0 || index > 2) index = 1;
  return convert::kGbaMapFormats[static_cast<size_t>(index)];
}

const convert::ColourMode& MemoryStore::colourMode(int32_t index) const {
  if (index < 0 || index > 3) index = 1;
  return convert::kGbaColourModes[static_cast<size_t>(index)];
}

LoadedTiles MakeTiles(int count, int tileWidth, int tileHeight, int colourMode, uint32_t range) {
  LoadedTiles t;
  t.tileWidth = tileWidth;
  t.tileHeight = tileHeight;
  t.tileCount = count;
  t.colourMode = colourMode;
  size_t blocks = static_cast<size_t>(count) * static_cast<size_t>(tileWidth / 8) *
                  static_cast<size_t>(tileHeight / 8);
  t.tilePixels.resize(blocks * 64);
  for (size_t i = 0; i < t.tilePixels.size(); ++i) {
    size_t block = i / 64, pixel = i % 64;
    t.tilePixels[i] = static_cast<uint32_t>((block * 7 + pixel * 3 + block / 5) % range);
  }
  for (uint32_t i = 0; i < 256; ++i)
    t.palette.push_back(convert::MakePixel(i % 32, (i * 7) % 32, (i * 13) % 32, 255));
  t.tilesetFile = "tiles.til.c";
  t.paletteFile = "tiles.pal.c";
  return t;
}

LoadedMap MakeMap(int width, int height, int64_t fill, int tileCount, int tileWidth,
                  int tileHeight) {
  LoadedMap m;
  m.width = width;
  m.height = height;
  m.mapFormat = 1;
  m.cells.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (size_t i = 0; i < m.cells.size(); ++i)
    m.cells[i] = fill < 0 ? static_cast<uint32_t>(i) : static_cast<uint32_t>(fill);
  m.tiles = MakeTiles(tileCount, tileWidth, tileHeight);
  return m;
}

EditorFixture::EditorFixture() {
  w.paths.scriptPath = dir.file("script.spt");
  editor = std::make_unique<MapEditor>(w.editorHost, shared, store);
}

EditorFixture::~EditorFixture() { editor.reset(); }

int EditorFixture::addMapElement(const std::string& name, LoadedMap map) {
  project::EntryRecord e;
  e.name = name;
  e.file = dir.file(name + ".map.c");
  e.kind = project::kKindMap;
  store.maps[Key(e.file)] = std::move(map);
  w.project.appendRaw(e);
  return static_cast<int>(w.project.count()) - 1;
}

int EditorFixture::addListElement(const std::string& name, LoadedList list) {
  project::EntryRecord e;
  e.name = name;
  e.file = dir.file(name + ".lst.c");
  e.kind = project::kKindList;
  store.lists[Key(e.file)] = std::move(list);
  w.project.appendRaw(e);
  return static_cast<int>(w.project.count()) - 1;
}

void EditorFixture::openOn(int width, int height) {
  int e = addMapElement("niveau1", MakeMap(width, height));
  ASSERT_TRUE(editor->open(e));
}

std::vector<std::string> EditorFixture::statusTexts() const {
  std::vector<std::string> out;
  for (const auto& m : editor->status().messages()) out.push_back(m.text);
  return out;
}

}  // namespace mapeditortest
