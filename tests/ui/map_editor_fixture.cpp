#include "map_editor_fixture.h"

#include <QDir>
#include <QTest>
#include <filesystem>

#include "formats/list_model.h"
#include "project/project_file.h"
#include "script/script_prompt.h"

namespace uitest {

std::optional<mapeditor::LoadedList> DemoStore::readList(const project::EntryRecord& list,
                                                         int32_t maxElements) {
  if (!listTiles) return PlatformElementStore::readList(list, maxElements);
  mapeditor::LoadedList l;
  l.elementSize = l.model.objectSize();
  l.tiles = listTiles->tiles;
  return l;
}

std::optional<mapeditor::LoadedMap> DemoStore::readMap(const project::EntryRecord& map) {
  if (map.file.ends_with(".large.map.c") && listTiles) {
    mapeditor::LoadedMap m = *listTiles;
    m.width = m.height = 64;
    m.cells.assign(64 * 64, 0);
    for (size_t i = 0; i < m.cells.size(); ++i) m.cells[i] = static_cast<uint32_t>(i % 3);
    return m;
  }
  return PlatformElementStore::readMap(map);
}

bool DemoStore::writeMap(const project::EntryRecord& map, const project::EntryRecord& tileset,
                         const project::EntryRecord& palette, const mapeditor::Background& b) {
  if (failWrites) return false;
  return PlatformElementStore::writeMap(map, tileset, palette, b);
}

bool DemoStore::writeList(const project::EntryRecord&, const project::EntryRecord&,
                          const mapeditor::Background&) {
  return !failWrites;
}

DemoEditor::DemoEditor() {
  std::filesystem::copy(TESSEL_SOURCE_DIR "/examples/demo", dir.path().toStdString(),
                        std::filesystem::copy_options::recursive);
  QDir::setCurrent(dir.path());
  w = std::make_unique<app::Workshop>(platform::Services{dialogs, shell, machine});
  session = std::make_unique<app::WorkshopSession>(*w);
  project::OpenProject(w->project, path("demo.tpj"), session.get());
  script::RunScriptPrompt(*w, "faire \"script.spt\", \"Tout convertir\"\n");
  store = std::make_unique<DemoStore>(*w);
  window_ = std::make_unique<ui::MapEditorWindow>(nullptr, *w, shared, *store);
}

DemoEditor::~DemoEditor() {
  window_.reset();
  QDir::setCurrent(QDir::tempPath());
}

std::string DemoEditor::path(const std::string& file) const {
  return dir.filePath(QString::fromStdString(file)).toStdString();
}

int DemoEditor::element(const std::string& name) const {
  for (size_t i = 0; i < w->project.count(); ++i) {
    const project::EntryRecord& e = w->project.entry(i);
    if (!e.isFolder() && e.name == name &&
        (e.kindCode() == project::kKindMap || e.kindCode() == project::kKindList))
      return static_cast<int>(i);
  }
  return -1;
}

int DemoEditor::addList(const std::string& name) {
  if (!store->listTiles) {
    store->listTiles = store->readMap(w->project.entry(static_cast<size_t>(element("decor"))));
  }
  project::EntryRecord e;
  e.name = name;
  e.file = path(name + ".lst.c");
  e.kind = project::kKindList;
  w->project.appendRaw(e);
  return static_cast<int>(w->project.count()) - 1;
}

int DemoEditor::addLargeMap(const std::string& name) {
  if (!store->listTiles)
    store->listTiles = store->readMap(w->project.entry(static_cast<size_t>(element("decor"))));
  project::EntryRecord e;
  e.name = name;
  e.file = path(name + ".large.map.c");
  e.kind = project::kKindMap;
  w->project.appendRaw(e);
  return static_cast<int>(w->project.count()) - 1;
}

bool DemoEditor::open(const std::string& name) {
  if (!window_->openElement(element(name))) return false;
  window_->show();
  return QTest::qWaitForWindowExposed(window_.get());
}

QStringList DemoEditor::statusTexts() const {
  QStringList out;
  for (const auto& m : window_->editor().status().messages()) out << QString::fromStdString(m.text);
  return out;
}

}  // namespace uitest
