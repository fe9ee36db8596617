#include "tools/hdrbake/output_name.h"

namespace hdrbake {

namespace {

// Names come from Windows-made build scripts as often as from POSIX ones, so
// both separators end a directory part.
constexpr std::string_view kDirectorySeparators = "\\/";

std::size_t FileNameStart(std::string_view path) {
  const std::size_t separator = path.find_last_of(kDirectorySeparators);
  return separator == std::string_view::npos ? 0 : separator + 1;
}

}  // namespace

std::string DefaultOutputName(std::string_view inputName) {
  // A dot in a directory part ("../gfx/ball.pcx") is not the extension's.
  const std::size_t dot = inputName.find('.', FileNameStart(inputName));
  return std::string(inputName.substr(0, dot)) + ".h";
}

std::string HeaderPrefix(std::string_view outputName) {
  const std::string_view fileName = outputName.substr(FileNameStart(outputName));
  return std::string(fileName.substr(0, fileName.find('.')));
}

}  // namespace hdrbake
