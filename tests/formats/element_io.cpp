#include "element_io.h"

#include "formats/template_expansion.h"
#include "formats/template_matching.h"
#include "formats/value_format.h"

namespace formatstest {

namespace {

using namespace formats;

bool GroupBefore(const FormatSection& s, size_t counter) {
  return s.n_every > 0 && counter > 0 && counter % static_cast<size_t>(s.n_every) == 0;
}

}  // namespace

void WriteElement(OutputSink& out, const FormatSection& s, std::string_view valueFormat,
                  std::span<const int32_t> values, Shape shape, const TemplateValues& tv,
                  platform::UserDialogs& dialogs) {
  Expand(s.declaration, out, tv, dialogs);
  size_t counter = 0;
  for (size_t i = 0; i < values.size(); ++i) {
    if (GroupBefore(s, counter)) Expand(s.every_x, out, tv, dialogs);
    WriteValue(out, valueFormat, values[i], dialogs);
    ++counter;
    if (shape.rowLength && (i + 1) % shape.rowLength == 0) {
      Expand(s.line, out, tv, dialogs);
      if (!s.line.empty()) counter = 0;
    }
  }
  Expand(s.end, out, tv, dialogs);
}

std::vector<int32_t> ReadElement(std::string_view text, const FormatSection& s,
                                 std::string_view valueFormat, size_t count, Shape shape,
                                 TemplateValues& tv, platform::UserDialogs& dialogs) {
  std::vector<int32_t> out;
  size_t pos = Match(text, 0, s.declaration, tv, dialogs);
  size_t counter = 0;
  for (size_t i = 0; i < count && pos != kNoPosition; ++i) {
    if (GroupBefore(s, counter)) pos = Match(text, pos, s.every_x, tv, dialogs);
    int32_t v = 0;
    pos = ReadValue(text, pos, valueFormat, v, dialogs);
    if (pos == kNoPosition) break;
    out.push_back(v);
    ++counter;
    if (shape.rowLength && (i + 1) % shape.rowLength == 0 && i + 1 < count) {
      pos = Match(text, pos, s.line, tv, dialogs);
      if (!s.line.empty()) counter = 0;
    }
  }
  return out;
}

}  // namespace formatstest
