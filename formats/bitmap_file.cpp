// Bitmap files: the pixels row by row, each row followed by `line`.
#include <algorithm>

#include "convert/colour_mode.h"
#include "convert/converted_pixel.h"
#include "formats/debug_message.h"
#include "formats/element_common.h"
#include "formats/element_files.h"
#include "formats/element_messages.h"
#include "formats/format_library.h"
#include "formats/output_sink.h"
#include "formats/template_expansion.h"

namespace formats {

using namespace element_detail;

namespace {

// At 15 bits a pixel is written as its console colour; the palette modes
// write the index and the 32-bit mode the word as they are.
uint32_t ConsoleColourOf(uint32_t pixel) { return convert::ConsoleColour(pixel); }

uint32_t ReadPixel(int bits, uint32_t value, bool raw) {
  switch (bits) {
    case 15:
      return raw ? (value & 0xFFFFu) : ExpandConsoleColour(value);
    case 32:
      return value;
    default:
      // An index of a palette of at most 256 entries.
      return value & 255u;
  }
}

}  // namespace

bool WriteBitmap(ElementContext& c, const ElementTarget& t, const convert::ColourMode& mode,
                 std::span<const uint32_t> pixels, int width, int height,
                 const project::EntryRecord* palette) {
  if (width < 0 || height < 0 ||
      static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > pixels.size()) {
    ReportBrokenCondition(c, "sizex * sizey <= taille du tampon");
    return false;
  }
  OutputSink out;
  if (!OpenForWriting(c, t, out, element_text::kWriteFailedGraphics)) return false;
  // The bitmap takes the format's user texts in every case.
  ElementTarget target = t;
  target.keepUserTexts = false;
  PrepareWrite(c, target);
  const OutputFormat& f = c.lib.current;
  const FormatSection& s = f.section(SectionType::Bitmap);
  TemplateValues& v = c.lib.values;
  const int bits = mode.bitsPerPixel;
  // The bytes the array takes: one value a pixel, of the type its depth needs.
  const int64_t valueBytes = bits == 32 ? 4 : bits > 8 ? 2 : 1;
  v.setNumber(Placeholder::Memory, static_cast<int32_t>(int64_t{width} * height * valueBytes));
  v.setText(Placeholder::Link, mode.hasPalette() ? LinkedFile(palette) : std::string());
  v.setNumber(Placeholder::SizeX, width);
  v.setNumber(Placeholder::SizeY, height);
  v.setNumber(Placeholder::Depth, bits);
  v.setTextBytes(Placeholder::Type, TypeForBits(f, bits));
  Expand(s.declaration, out, v, c.dialogs);
  WriteRows(c, s, PixelValueFormat(s, bits), pixels, width, height, out,
            bits == 15 ? ConsoleColourOf : nullptr);
  Expand(s.end, out, v, c.dialogs);
  return FinishWriting(c, t, out, element_text::kWriteFailedGraphics);
}

bool ReadBitmap(ElementContext& c, std::string_view path, BitmapData& out,
                PixelReadOptions options) {
  out = BitmapData{};
  ReadText r;
  if (!BeginRead(c, path, SectionType::Bitmap, element_text::kBitmapMissing,
                 {Placeholder::Name, Placeholder::Link, Placeholder::Type, Placeholder::Bits}, r))
    return false;
  out.header = CapturedHeader(c.lib.values);
  const HeaderValues& h = out.header;
  if (h.sizeX < 0 || h.sizeY < 0 || int64_t{h.sizeX} * int64_t{h.sizeY} > kMaxElementCells) {
    ShowDebugMessage(c.dialogs, element_text::kFormatMismatch);
    return false;
  }
  out.width = h.sizeX;
  out.height = h.sizeY;
  out.colourMode = ColourModeForDepth(c.colourModes, h.depth, c.defaultColourMode);
  const convert::ColourMode* mode = static_cast<size_t>(out.colourMode) < c.colourModes.size()
                                        ? &c.colourModes[static_cast<size_t>(out.colourMode)]
                                        : nullptr;
  const int bits = mode ? mode->bitsPerPixel : 8;
  out.pixels.assign(static_cast<size_t>(out.width) * static_cast<size_t>(out.height), 0);
  const size_t read =
      ReadRows(c, r, PixelValueFormat(r.section, bits), out.pixels, out.width, out.height);
  for (size_t i = 0; i < read; ++i) out.pixels[i] = ReadPixel(bits, out.pixels[i], options.raw);

  out.hasPalette = mode && mode->hasPalette();
  if (options.withPalette && out.hasPalette && !h.link.empty()) {
    ElementContext nested = c;
    nested.currentColourMode = out.colourMode;
    if (!ReadPalette(nested, h.link, out.palette, true)) return false;
  }
  return true;
}

}  // namespace formats
