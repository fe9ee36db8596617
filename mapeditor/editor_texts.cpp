#include "mapeditor/editor_texts.h"
#include "platform/message_text.h"

#include <cstddef>
#include <string>

namespace mapeditor::texts {

std::string WithText(std::string_view format, std::string_view text) {
  return platform::FillInText(format, {text});
}

std::string ObjectFieldLabel(std::string_view description) {
  size_t open = description.find('<');
  if (open != std::string_view::npos) {
    size_t close = description.find('>', open + 1);
    if (close != std::string_view::npos)
      return std::string(description.substr(open + 1, close - open - 1));
  }
  return std::string(description);
}

std::string WithNumber(std::string_view format, long long number) {
  std::string out(format);
  size_t at = out.find("%i");
  if (at != std::string::npos) out.replace(at, 2, std::to_string(number));
  return out;
}

}  // namespace mapeditor::texts
