#pragma once

#include <memory>

#include "convert/colour_tables.h"
#include "convert/conversion_progress.h"
#include "convert/conversion_settings.h"
#include "convert/drawing_state.h"
#include "convert/surface.h"
#include "formats/format_library.h"
#include "platform/files.h"
#include "platform/services.h"
#include "project/project.h"
#include "app/assistant_controls.h"
#include "app/export_identifiers.h"
#include "script/interpreter_state.h"
#include "mapeditor/editor_settings.h"
#include "app/platforms.h"
#include "app/program_paths.h"
#include "app/system_settings.h"
#include "app/language.h"
#include "mapeditor/editor_access.h"
#include "script/context.h"
#include "app/workshop_editor_host.h"

namespace app {

// The program's context: every program-wide record (project, settings,
// formats, interpreter state, ...) lives here. The program creates one; each
// test creates its own, so nothing is shared between runs. The script
// language sees it as its own context (services and interpreter state).
struct Workshop : script::Context {
  // A context always has its platforms (start-up sets them up again).
  explicit Workshop(platform::Services s) : script::Context(s), project(s.dialogs, s.shell) {
    StartPlatforms(*this);
  }

  const ObjectTable& rootTable() const override;
  void evaluateControl(const Entry& e, std::string_view name, std::string_view value) override;
  std::string_view systemScriptPath() const override { return paths.scriptPath; }
  void outermostRunEnded() override;

  project::Project project;
  formats::FormatLibrary formats;
  ProgramPaths paths;
  SystemSettings system;
  mapeditor::EditorSettings editor;
  // The open map editor, null while none is open.
  mapeditor::EditorAccess* openEditor = nullptr;
  // What a map editor opened in this context reaches the program through.
  WorkshopEditorHost editorHost{*this};
  // The import assistant scripts fill while no window provides one, made on
  // first use.
  std::unique_ptr<AssistantControls> headlessAssistant;
  // The assistant page of the window while it is shown; null: the headless one.
  AssistantControls* assistant = nullptr;

  Platforms platforms;
  int32_t colourMode = 0;  // index into the current platform's colour modes
  int32_t mapFormat = 1;   // index into its map formats (the text format)
  ExportIdentifiers exportIdentifiers;
  // What the by-reference placeholders fall back to, saved once the project
  // has run its settings.
  formats::ReferenceDefaults placeholderDefaults;
  // 8 × 8 blocks of the tileset read last (a map file may rely on it).
  int32_t lastTilesetBlocks = 0;
  // While a conversion writes its elements: the files it has completed,
  // named together once all of them are.
  platform::FileGroup* fileGroup = nullptr;

  convert::ConversionSettings conversion;
  convert::ColourTables colourTables;  // rebuilt after every colour setting change
  // Where long conversions show their progress (the window, or printed lines
  // in batch mode); null: nowhere.
  convert::ConversionProgress* progress = nullptr;

  // Images are loaded on the loading surface; conversions and previews draw
  // on the work surface; the map editor draws on its own.
  convert::Surface loadingSurface;
  convert::Surface workSurface;
  convert::Surface editorSurface;
  convert::DrawingState drawing;
};

}  // namespace app
