#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/files.h"

namespace project {

// The longest data section kept, in bytes of the file.
inline constexpr size_t kDataSectionLimit = 1000000;

// The open project's document state.
struct ProjectDocument {
  // The project file; empty until the project has been opened or saved.
  std::string path;
  // The data section as last read (UTF-8), written back unchanged on every
  // save; empty when the project has none. At most kDataSectionLimit
  // characters, which are as many bytes in the file.
  std::string dataSection;
  // What opening the file could not take in, one short French phrase each
  // ("lignes illisibles: 3"). Saving over that file would lose it for good,
  // so the file is only replaced when the user says so (batch mode never
  // does). Emptied by every opening and by saving under another name.
  std::vector<std::string> openingLosses;
  bool openedIncompletely() const { return !openingLosses.empty(); }
  // Held while the project is open, so that another instance opening the
  // same file is told it is in use; it moves with the file on every save.
  platform::FileLock lock;
};

}  // namespace project
