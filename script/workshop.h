#pragma once

#include "convert/colour_tables.h"
#include "convert/conversion_settings.h"
#include "convert/drawing_state.h"
#include "convert/surface.h"
#include "formats/format_library.h"
#include "platform/services.h"
#include "project/project.h"
#include "script/interpreter_state.h"
#include "script/editor_settings.h"
#include "script/program_paths.h"
#include "script/system_settings.h"

namespace script {

// The program's context: every program-wide record (project, settings,
// formats, interpreter state, ...) lives here. The program creates one; each
// test creates its own, so nothing is shared between runs.
struct Workshop {
  explicit Workshop(platform::Services s) : services(s), project(s.dialogs, s.shell) {}
  Workshop(const Workshop&) = delete;
  Workshop& operator=(const Workshop&) = delete;

  platform::Services services;
  project::Project project;
  formats::FormatLibrary formats;
  ProgramPaths paths;
  InterpreterState interpreter;
  SystemSettings system;
  EditorSettings editor;

  convert::ConversionSettings conversion;
  convert::ColourTables colourTables;  // rebuilt after every colour setting change

  // Images are loaded on the loading surface; conversions and previews draw
  // on the work surface; the map editor draws on its own.
  convert::Surface loadingSurface;
  convert::Surface workSurface;
  convert::Surface editorSurface;
  convert::DrawingState drawing;
};

}  // namespace script
