#pragma once

#include <string>
#include "app/language.h"

namespace app {

// The paths the program keeps for the whole run. `directory`, `scriptPath` and
// `userHelpPath` are also script text variables, so the project file's session
// section restores them.
struct ProgramPaths {
  std::string programDirectory;  // where the executable lives
  std::string projectPath;       // absolute path of the project file
  std::string directory;         // `répertoire`: working directory recorded in the project
  std::string scriptPath = "script.spt";      // `script`: the system script
  std::string userHelpPath = "lisezmoi.htm";  // `aideperso`: the personal help page
};

}  // namespace app
