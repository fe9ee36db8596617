#pragma once

#include "formats/format_library.h"
#include "platform/services.h"
#include "project/project.h"
#include "script/interpreter_state.h"
#include "script/program_paths.h"

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
};

}  // namespace script
