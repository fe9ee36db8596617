#include "element_fixture.h"

#include "formats/format_definition.h"
#include "platform/text_lines.h"

namespace formatstest {

void ElementFiles::define(std::string_view name, std::string_view lines) {
  platform::TextLines text{std::string(lines)};
  std::string argument = "\"" + std::string(name) + "\" {";
  ASSERT_TRUE(formats::DefineFormat(lib, argument, text, dialogs));
  ASSERT_TRUE(formats::SelectFormat(lib, name, dialogs));
}

}  // namespace formatstest
