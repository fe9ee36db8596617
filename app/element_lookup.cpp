#include "app/element_lookup.h"

#include "platform/paths.h"
#include "platform/text_encoding.h"
#include "project/project.h"
#include "app/language.h"

namespace app {

int FindElement(const project::Project& project, uint32_t kindCode, std::string_view name) {
  for (size_t i = 0; i < project.count(); ++i) {
    const project::EntryRecord& e = project.entry(i);
    if (!e.isFolder() && e.kindCode() == kindCode && e.name == name) return static_cast<int>(i);
  }
  return -1;
}

std::string ElementNameFromFile(std::string_view path) {
  std::string_view last = platform::LastComponent(path);
  // A leading dot belongs to the name.
  size_t dot = last.find('.', 1);
  if (dot != std::string_view::npos) last = last.substr(0, dot);
  return platform::Utf8Prefix(last, project::kNameChars);
}

}  // namespace app
