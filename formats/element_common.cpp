#include "formats/element_common.h"

#include <optional>

#include "convert/colour_mode.h"
#include "convert/converted_pixel.h"
#include "formats/element_messages.h"
#include "formats/format_library.h"
#include "formats/output_sink.h"
#include "formats/template_expansion.h"
#include "formats/template_matching.h"
#include "formats/value_format.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "project/entry_record.h"

namespace formats::element_detail {

namespace {

// Console colours hold 5-bit levels.
constexpr int kConsoleLevelBits = 5;

// The kind's message, and on a line of its own what stood in the way when
// the name was not the problem.
std::string WithReason(std::string_view failureText, platform::WriteStatus status) {
  std::string text(failureText);
  std::string_view reason = platform::WriteFailureText(status);
  if (!reason.empty()) {
    text += '\n';
    text += reason;
  }
  return text;
}

}  // namespace

void ReportBrokenCondition(ElementContext& c, std::string_view condition) {
  std::string text(element_text::kInternalErrorPrefix);
  text += condition;
  c.dialogs.message(text, element_text::kInternalErrorCaption, platform::Icon::Error);
}

bool OpenForWriting(ElementContext& c, const ElementTarget& t, OutputSink& out,
                    std::string_view failureText) {
  if (!t.entry.file.empty() && out.openFile(t.entry.file, c.fileGroup)) return true;
  c.dialogs.message(WithReason(failureText, out.status()), t.entry.file, platform::Icon::Error);
  return false;
}

bool FinishWriting(ElementContext& c, const ElementTarget& t, OutputSink& out,
                   std::string_view failureText) {
  if (out.finish()) return true;
  c.dialogs.message(WithReason(failureText, out.status()), t.entry.file, platform::Icon::Error);
  return false;
}

const std::string& PixelValueFormat(const FormatSection& s, int bits) {
  if (bits == 32) return s.element3;
  if (bits > 8) return s.element2;
  return s.element;
}

void PrepareWrite(ElementContext& c, const ElementTarget& t) {
  ResetPlaceholders(c.lib, c.defaults);
  if (!t.keepUserTexts) LoadUserTexts(c.lib);
  c.lib.values.setText(Placeholder::File, t.entry.baseFile);
  c.lib.values.setText(Placeholder::Name,
                       t.identifier.empty() ? std::string_view(t.entry.name) : t.identifier);
}

std::string LinkedFile(const project::EntryRecord* linked) {
  return linked ? linked->file : std::string();
}

std::string_view TypeForBits(const OutputFormat& format, int bits) {
  if (bits == 32) return format.type32;
  if (bits <= 8) return format.type8;
  return format.type16;
}

bool BeginRead(ElementContext& c, std::string_view path, SectionType kind,
               std::string_view missingText, std::initializer_list<Placeholder> captures,
               ReadText& r) {
  if (c.autoFormatSelection) SelectFormatByExtension(c.lib, path);

  std::optional<std::string> bytes;
  if (!path.empty()) bytes = platform::ReadFileBytes(std::string(path), kElementReadLimit);
  if (!bytes) {
    c.dialogs.message(missingText, path, platform::Icon::Error);
    return false;
  }
  r.bytes = std::move(*bytes);
  r.section = c.lib.current.section(kind);
  r.type8 = c.lib.current.type8;
  r.type32 = c.lib.current.type32;

  ResetPlaceholders(c.lib, c.defaults);
  LoadUserTexts(c.lib);
  for (Placeholder p : captures) c.lib.values.setTextBytes(p, "");
  r.pos = Match(r.bytes, 0, r.section.declaration, c.lib.values, c.dialogs);
  return r.pos != kNoPosition;
}

HeaderValues CapturedHeader(const TemplateValues& v) {
  HeaderValues h;
  h.identifier = v.textUtf8(Placeholder::Name);
  h.link = v.textUtf8(Placeholder::Link);
  h.type = v.textUtf8(Placeholder::Type);
  h.size = v.number(Placeholder::Size);
  h.depth = v.number(Placeholder::Depth);
  h.sizeX = v.number(Placeholder::SizeX);
  h.sizeY = v.number(Placeholder::SizeY);
  h.tileWidth = v.number(Placeholder::TileX);
  h.tileHeight = v.number(Placeholder::TileY);
  h.tileBase = v.number(Placeholder::TileBase);
  h.gfxMask = v.number(Placeholder::GfxMask);
  return h;
}

bool ReadNextValue(ElementContext& c, ReadText& r, int64_t counter, std::string_view valueFormat,
                   int32_t& value) {
  if (r.pos == kNoPosition) return false;
  if (GroupDue(r.section.n_every, counter)) {
    r.pos = Match(r.bytes, r.pos, r.section.every_x, c.lib.values, c.dialogs);
    if (r.pos == kNoPosition) return false;
  }
  r.pos = ReadValue(r.bytes, r.pos, valueFormat, value, c.dialogs);
  return r.pos != kNoPosition;
}

bool ReadLine(ElementContext& c, ReadText& r) {
  if (r.pos == kNoPosition) return false;
  if (r.section.line.empty()) return true;
  r.pos = Match(r.bytes, r.pos, r.section.line, c.lib.values, c.dialogs);
  return r.pos != kNoPosition;
}

void WriteRows(ElementContext& c, const FormatSection& s, std::string_view valueFormat,
               std::span<const uint32_t> cells, int width, int height, OutputSink& out,
               uint32_t (*written)(uint32_t)) {
  const TemplateValues& v = c.lib.values;
  const bool perRow = !s.line.empty();
  int64_t running = 0;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = cells.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
    for (int x = 0; x < width; ++x, ++running) {
      if (GroupDue(s.n_every, perRow ? x : running)) Expand(s.every_x, out, v, c.dialogs);
      uint32_t value = written ? written(row[x]) : row[x];
      WriteValue(out, valueFormat, static_cast<int32_t>(value), c.dialogs);
    }
    Expand(s.line, out, v, c.dialogs);
  }
}

size_t ReadRows(ElementContext& c, ReadText& r, std::string_view valueFormat,
                std::span<uint32_t> cells, int width, int height) {
  const bool perRow = !r.section.line.empty();
  size_t read = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x, ++read) {
      int32_t value = 0;
      if (!ReadNextValue(c, r, perRow ? x : static_cast<int64_t>(read), valueFormat, value))
        return read;
      cells[read] = static_cast<uint32_t>(value);
    }
    if (y + 1 < height && !ReadLine(c, r)) return read;
  }
  return read;
}

UserTexts SaveUserTexts(const TemplateValues& v) {
  UserTexts texts;
  for (int i = 1; i <= kUserTextCount; ++i)
    texts[static_cast<size_t>(i - 1)] = std::string(v.userText(i));
  return texts;
}

void RestoreUserTexts(TemplateValues& v, const UserTexts& texts) {
  for (int i = 1; i <= kUserTextCount; ++i)
    v.setUserTextBytes(i, texts[static_cast<size_t>(i - 1)]);
}

int ColourModeForDepth(std::span<const convert::ColourMode> modes, int32_t depth, int fallback) {
  int wanted = (depth == 4 || depth == 15 || depth == 32) ? depth : 8;
  for (size_t i = 0; i < modes.size(); ++i)
    if (modes[i].bitsPerPixel == wanted) return static_cast<int>(i);
  return fallback;
}

uint32_t ExpandConsoleColour(uint32_t value) {
  convert::ConvertedPixel p = convert::PixelFromConsoleColour(static_cast<uint16_t>(value));
  auto level = [](uint8_t l) {
    return static_cast<uint32_t>(convert::ExpandLevel(l, kConsoleLevelBits));
  };
  return convert::MakePixel(level(convert::PixelRed(p)), level(convert::PixelGreen(p)),
                            level(convert::PixelBlue(p)), convert::PixelOpacity(p));
}

}  // namespace formats::element_detail
