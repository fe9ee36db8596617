// Palette files: one console colour per value, with one running group
// counter.
#include "convert/colour_mode.h"
#include "convert/converted_pixel.h"
#include "formats/element_common.h"
#include "formats/element_files.h"
#include "formats/element_messages.h"
#include "formats/format_library.h"
#include "formats/output_sink.h"
#include "formats/template_expansion.h"
#include "formats/value_format.h"

namespace formats {

using namespace element_detail;

bool WritePalette(ElementContext& c, const ElementTarget& t, std::span<const uint32_t> colours) {
  OutputSink out;
  if (!OpenForWriting(c, t, out, element_text::kWriteFailed)) return false;
  PrepareWrite(c, t);
  const FormatSection& s = c.lib.current.section(SectionType::Palette);
  TemplateValues& v = c.lib.values;
  const auto count = static_cast<int32_t>(colours.size());
  v.setNumber(Placeholder::Size, count);
  v.setNumber(Placeholder::Memory, count * 2);
  Expand(s.declaration, out, v, c.dialogs);
  for (int32_t i = 0; i < count; ++i) {
    if (GroupDue(s.n_every, i)) Expand(s.every_x, out, v, c.dialogs);
    WriteValue(out, s.element, convert::ConsoleColour(colours[static_cast<size_t>(i)]), c.dialogs);
  }
  Expand(s.end, out, v, c.dialogs);
  return FinishWriting(c, t, out, element_text::kWriteFailed);
}

bool ReadPalette(ElementContext& c, std::string_view path, PaletteData& out, bool expandLevels) {
  out = PaletteData{};
  out.colourMode = c.defaultColourMode;
  ReadText r;
  if (!BeginRead(c, path, SectionType::Palette, element_text::kPaletteMissing,
                 {Placeholder::Name, Placeholder::Link}, r))
    return false;
  int n = 0;
  for (; n < kMaxPaletteColours; ++n) {
    int32_t value = 0;
    if (!ReadNextValue(c, r, n, r.section.element, value)) break;
    auto colour = static_cast<uint16_t>(value);
    out.colours[static_cast<size_t>(n)] =
        expandLevels ? ExpandConsoleColour(colour) : convert::PixelFromConsoleColour(colour);
  }
  out.count = n;
  if (c.currentColourMode >= 0 && static_cast<size_t>(c.currentColourMode) < c.colourModes.size() &&
      c.colourModes[static_cast<size_t>(c.currentColourMode)].indexZeroReserved)
    out.colours[0] = 0;
  return true;
}

}  // namespace formats
