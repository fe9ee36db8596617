#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "formats/element_files.h"
#include "formats/output_format.h"
#include "formats/placeholders.h"

// The steps every element reader and writer shares.
namespace formats {
class OutputSink;
}

namespace formats::element_detail {

// The group rule: before a value with counter c, `every_x` comes when
// `n_every` > 0 and c is a non-zero multiple of it.
inline bool GroupDue(int32_t nEvery, int64_t counter) {
  return nEvery > 0 && counter > 0 && counter % nEvery == 0;
}

// A caller broke the contract of a writer (sizes and buffers that do not fit):
// reported as an internal error and nothing is written.
void ReportBrokenCondition(ElementContext& c, std::string_view condition);

// Opens the sink on the element's file; reports `failureText` (caption: the
// path) when it cannot be created.
bool OpenForWriting(ElementContext& c, const ElementTarget& t, OutputSink& out,
                    std::string_view failureText);

// Completes the file (the temporary file replaces the element's file); a
// failed write is reported like a file that cannot be opened, and the old
// file stays.
bool FinishWriting(ElementContext& c, const ElementTarget& t, OutputSink& out,
                   std::string_view failureText);

// The value format of a tileset or bitmap section for pixels of `bits` bits:
// `element` up to 8 bits, `element2` for 15 and 16, `element3` for 32.
const std::string& PixelValueFormat(const FormatSection& s, int bits);

// The by-reference defaults, `file` and `name` set, the format's user texts
// taken unless the target keeps its own.
void PrepareWrite(ElementContext& c, const ElementTarget& t);

// Text of the `link` placeholder: the linked element's file, or nothing.
std::string LinkedFile(const project::EntryRecord* linked);

// The type name the writers give for a value width: `type32` for 32 bits,
// `type8` for 8 bits or less, `type16` otherwise.
std::string_view TypeForBits(const OutputFormat& format, int bits);

// A file the reader matched its header against.
struct ReadText {
  std::string bytes;      // the file's first 8 MB
  size_t pos = 0;         // after the header
  FormatSection section;  // the kind's section, kept: linked reads may change the format
  std::string type8, type32;
};

// Selects the format by extension (when asked), reads the file (reporting
// `missingText` with the path as caption), resets the placeholders, takes the
// format's user texts, gives the `captures` placeholders a buffer and matches
// the header. False when the file cannot be read or the header does not
// match.
bool BeginRead(ElementContext& c, std::string_view path, SectionType kind,
               std::string_view missingText, std::initializer_list<Placeholder> captures,
               ReadText& r);

// What the header gave.
HeaderValues CapturedHeader(const TemplateValues& values);

// Reads the next value of an element: first `every_x` when the counter calls
// for it, then one value through `valueFormat`. False when the text ran out
// (the reading ends there).
bool ReadNextValue(ElementContext& c, ReadText& r, int64_t counter, std::string_view valueFormat,
                   int32_t& value);

// Matches `line` after a row or block (nothing to do when it is empty). False
// when the text ran out.
bool ReadLine(ElementContext& c, ReadText& r);

// The values of a bitmap or a map, row by row: `every_x` by the group rule
// (the counter restarts every row when the section has a `line`, else runs
// over the element), `line` after each row. `written` turns a stored word into
// the value written; without it the word is written as it is.
void WriteRows(ElementContext& c, const FormatSection& s, std::string_view valueFormat,
               std::span<const uint32_t> cells, int width, int height, OutputSink& out,
               uint32_t (*written)(uint32_t) = nullptr);

// The reverse: width × height values read row by row into `cells` as they
// stand in the file, until the text runs out. Returns how many were read; they
// fill `cells` from its start.
size_t ReadRows(ElementContext& c, ReadText& r, std::string_view valueFormat,
                std::span<uint32_t> cells, int width, int height);

using UserTexts = std::array<std::string, kUserTextCount>;
UserTexts SaveUserTexts(const TemplateValues& values);
void RestoreUserTexts(TemplateValues& values, const UserTexts& texts);

// The colour mode a `depth` names: the mode of that many bits per pixel for
// 4, 15 and 32, the 8-bit mode for anything else; `fallback` when the
// platform has no such mode.
int ColourModeForDepth(std::span<const convert::ColourMode> modes, int32_t depth, int fallback);

// A 15-bit console colour as a pixel word with levels brought to 8 bits
// (opacity 0 when bit 15 is set).
uint32_t ExpandConsoleColour(uint32_t value);

}  // namespace formats::element_detail
