#pragma once

#include <cstddef>
#include <string>

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
};

}  // namespace project
