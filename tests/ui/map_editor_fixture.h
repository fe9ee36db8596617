#pragma once

#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>

#include "mapeditor/map_editor.h"
#include "app/platform_element_store.h"
#include "platform/recording_platform.h"
#include "app/session_section.h"
#include "app/workshop.h"
#include "ui/map_editor_window.h"

namespace uitest {

// The element files of the program, with object lists made up in memory
// (the demo has none) and writes that can be made to fail.
class DemoStore : public app::PlatformElementStore {
 public:
  using PlatformElementStore::PlatformElementStore;
  bool failWrites = false;
  std::optional<mapeditor::LoadedMap> listTiles;  // tiles the made-up lists show

  std::optional<mapeditor::LoadedMap> readMap(const project::EntryRecord& map) override;
  std::optional<mapeditor::LoadedList> readList(const project::EntryRecord& list,
                                                int32_t maxElements) override;
  bool writeMap(const project::EntryRecord& map, const project::EntryRecord& tileset,
                const project::EntryRecord& palette,
                const mapeditor::Background& background) override;
  bool writeList(const project::EntryRecord& list, const project::EntryRecord& tileset,
                 const mapeditor::Background& background) override;
};

// A copy of examples/demo with its conversions run, and an editor window on
// one of its maps (shown, not modal: tests drive it with events).
class DemoEditor {
 public:
  DemoEditor();
  ~DemoEditor();

  // The project index of an element by name, -1 when absent.
  int element(const std::string& name) const;
  // Adds an object list element named `name` to the project (its data is
  // made up by the store).
  int addList(const std::string& name);
  // Adds a 64 × 64-cell map named `name` with the demo's tiles (the demo's
  // maps are smaller than the canvas).
  int addLargeMap(const std::string& name);
  // Opens the window on an element and shows it.
  bool open(const std::string& name);
  ui::MapEditorWindow& window() { return *window_; }
  mapeditor::MapEditor& editor() { return window_->editor(); }
  std::string path(const std::string& file) const;
  QStringList statusTexts() const;

  QTemporaryDir dir;
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  platform::FixedMachine machine{1ull << 32};
  std::unique_ptr<app::Workshop> w;
  std::unique_ptr<app::WorkshopSession> session;
  std::unique_ptr<DemoStore> store;
  mapeditor::MapEditorShared shared;
  std::unique_ptr<ui::MapEditorWindow> window_;
};

}  // namespace uitest
