#include "mapeditor/editor_texts.h"
#include "platform/message_text.h"

#include <cstddef>

namespace mapeditor::texts {

std::string WithText(std::string_view format, std::string_view text) {
  return platform::FillInText(format, {text});
}

}  // namespace mapeditor::texts
