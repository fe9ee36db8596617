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
#include "script/assistant_controls.h"
#include "script/export_identifiers.h"
#include "script/interpreter_state.h"
#include "script/editor_settings.h"
#include "script/platforms.h"
#include "script/program_paths.h"
#include "script/system_settings.h"

namespace script {

class EditorAccess;

// The program's context: every program-wide record (project, settings,
// formats, interpreter state, ...) lives here. The program creates one; each
// test creates its own, so nothing is shared between runs.
struct Workshop {
  // A context always has its platforms (start-up sets them up again).
  explicit Workshop(platform::Services s) : services(s), project(s.dialogs, s.shell) {
    StartPlatforms(*this);
  }
  Workshop(const Workshop&) = delete;
  Workshop& operator=(const Workshop&) = delete;

  platform::Services services;
  project::Project project;
  formats::FormatLibrary formats;
  ProgramPaths paths;
  InterpreterState interpreter;
  SystemSettings system;
  EditorSettings editor;
  // The open map editor, null while none is open.
  EditorAccess* openEditor = nullptr;
  // The import assistant scripts fill while no window provides one, made on
  // first use.
  std::unique_ptr<AssistantControls> headlessAssistant;

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

}  // namespace script
