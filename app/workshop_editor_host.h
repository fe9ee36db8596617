#pragma once

#include "mapeditor/editor_host.h"

namespace app {

struct Workshop;

// The map editor's view of the program: the program's context, its settings
// and the system script's map events.
class WorkshopEditorHost final : public mapeditor::EditorHost {
 public:
  explicit WorkshopEditorHost(Workshop& w) : w_(w) {}

  platform::Services& services() override;
  project::Project& project() override;
  formats::FormatLibrary& formats() override;
  mapeditor::EditorSettings& settings() override;
  int32_t maxListObjects() const override;
  bool savesMapSettings() const override;
  bool savesMapSettingsOnClose() const override;
  bool gbaEmulationByDefault() const override;
  bool selectsFormatByExtension() const override;
  void setTileSize(int32_t width, int32_t height) override;
  void noteBitNamesChanged() override;
  mapeditor::EditorAccess* openEditor() const override;
  void setOpenEditor(mapeditor::EditorAccess* editor) override;
  void runSettingsScript(std::string_view path) override;
  bool raiseMapEvent(mapeditor::MapEvent event, std::string_view elementName) override;

 private:
  Workshop& w_;
};

}  // namespace app
