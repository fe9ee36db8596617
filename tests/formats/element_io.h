#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "formats/output_format.h"
#include "formats/output_sink.h"
#include "formats/placeholders.h"
#include "platform/dialogs.h"

// A small element writer and reader for the tests, walking values the way the
// element files do: before a value whose counter is a non-zero multiple of
// `n_every` comes `every_x`; with rows, `line` follows each row and the
// counter restarts per row when `line` is not empty.
namespace formatstest {

using formats::FormatSection;
using formats::OutputSink;
using formats::TemplateValues;

struct Shape {
  size_t rowLength = 0;  // 0: one running counter and no `line` (palettes)
};

void WriteElement(OutputSink& out, const FormatSection& section, std::string_view valueFormat,
                  std::span<const int32_t> values, Shape shape, const TemplateValues& tv,
                  platform::UserDialogs& dialogs);

// Matches the header (capturing into `tv`) and reads up to `count` values.
// Returns the values read; fewer when the text ran out or the header failed.
std::vector<int32_t> ReadElement(std::string_view text, const FormatSection& section,
                                 std::string_view valueFormat, size_t count, Shape shape,
                                 TemplateValues& tv, platform::UserDialogs& dialogs);

}  // namespace formatstest
