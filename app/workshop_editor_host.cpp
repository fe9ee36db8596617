#include "app/workshop_editor_host.h"

#include "app/workshop.h"
#include "script/interpreter.h"
#include "script/script_events.h"

namespace app {

platform::Services& WorkshopEditorHost::services() { return w_.services; }
project::Project& WorkshopEditorHost::project() { return w_.project; }
formats::FormatLibrary& WorkshopEditorHost::formats() { return w_.formats; }
mapeditor::EditorSettings& WorkshopEditorHost::settings() { return w_.editor; }
int32_t WorkshopEditorHost::maxListObjects() const { return w_.system.maxObjects; }
bool WorkshopEditorHost::savesMapSettings() const { return w_.system.saveMapSettings != 0; }
bool WorkshopEditorHost::savesMapSettingsOnClose() const {
  return w_.system.saveMapSettingsAuto != 0;
}
bool WorkshopEditorHost::gbaEmulationByDefault() const { return w_.system.emulGba != 0; }
bool WorkshopEditorHost::selectsFormatByExtension() const {
  return w_.system.autoFormatSelection != 0;
}

void WorkshopEditorHost::setTileSize(int32_t width, int32_t height) {
  w_.conversion.tileWidth = width;
  w_.conversion.tileHeight = height;
}

void WorkshopEditorHost::noteBitNamesChanged() { w_.interpreter.bitNamesChanged = true; }

mapeditor::EditorAccess* WorkshopEditorHost::openEditor() const { return w_.openEditor; }
void WorkshopEditorHost::setOpenEditor(mapeditor::EditorAccess* editor) { w_.openEditor = editor; }

void WorkshopEditorHost::runSettingsScript(std::string_view path) { RunScriptFile(w_, path); }

bool WorkshopEditorHost::raiseMapEvent(mapeditor::MapEvent event, std::string_view elementName) {
  auto which =
      event == mapeditor::MapEvent::Open ? script::ScriptEvent::Open : script::ScriptEvent::Save;
  return !script::RunScriptEvent(w_, which, elementName).refused();
}

}  // namespace app
