#include "mapeditor/settings_file_name.h"

#include "platform/paths.h"

namespace mapeditor {

std::string SettingsFileName(std::string_view fileName) {
  size_t separator = platform::LastSeparator(fileName);
  size_t componentStart = separator == std::string_view::npos ? 0 : separator + 1;
  // The component's first character is not looked at: a leading dot names a
  // hidden file, not an extension.
  size_t dots = 0;
  size_t lastDot = std::string_view::npos;
  for (size_t i = fileName.size(); i > componentStart + 1; --i) {
    if (fileName[i - 1] != '.') continue;
    if (dots++ == 0) lastDot = i - 1;
  }
  std::string out(fileName.substr(0, dots >= 2 ? lastDot : fileName.size()));
  return out + ".spt";
}

}  // namespace mapeditor
