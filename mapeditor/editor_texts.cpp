#include "mapeditor/editor_texts.h"

#include <cstddef>

namespace mapeditor::texts {

std::string WithText(std::string_view format, std::string_view text) {
  std::string out(format);
  size_t at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, text);
  return out;
}

}  // namespace mapeditor::texts
