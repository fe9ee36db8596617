#include "tools/tilecvt/array_text.h"

#include "tools/tilecvt/report.h"

namespace tilecvt {
namespace {

struct FormText {
  const char* lineStart[2];  // byte values, 16-bit values
  const char* separator;     // between values; C separates across lines too
  bool separatorAcrossLines;
};

constexpr FormText kC = {{"\n", "\n"}, ", ", true};
constexpr FormText kGcc = {{"\n\t.byte ", "\n\t.short "}, ", ", false};
constexpr FormText kArm = {{"\n\tDCB ", "\n\tDCW "}, ", ", false};

void AppendHex(std::string& out, unsigned value, int digits) {
  static constexpr char kDigits[] = "0123456789abcdef";
  char text[6] = {'0', 'x'};
  for (int i = 0; i < digits; ++i) text[2 + i] = kDigits[(value >> (4 * (digits - 1 - i))) & 15];
  out.append(text, static_cast<size_t>(2 + digits));
}

void AppendValues(std::string& out, const FormText& text, std::span<const uint8_t> bytes,
                  int elementSize) {
  const bool wide = elementSize == 2;
  const size_t perLine = wide ? 8 : 16;
  const size_t count = bytes.size() / static_cast<size_t>(elementSize);
  out.reserve(out.size() + count * (wide ? 8 : 6) + count / perLine * 10 + 64);
  for (size_t i = 0; i < count; ++i) {
    if (i % perLine == 0)
      out += text.lineStart[wide ? 1 : 0];
    else if (!text.separatorAcrossLines)
      out += text.separator;
    if (wide)
      AppendHex(out, bytes[2 * i] | unsigned{bytes[2 * i + 1]} << 8, 4);
    else
      AppendHex(out, bytes[i], 2);
    if (text.separatorAcrossLines && i + 1 < count) out += text.separator;
  }
}

}  // namespace

void AppendArrayText(std::string& out, ArrayForm form, const ArrayStyle& style,
                     std::string_view name, std::span<const uint8_t> bytes, int elementSize,
                     size_t declaredCount) {
  const std::string symbol(name);
  const char* type = elementSize == 2 ? "short" : "char";
  switch (form) {
    case ArrayForm::C:
      out += Format("%sconst unsigned %s %s[%d] %s= {", style.addExtern ? "extern " : "", type,
                    symbol.c_str(), static_cast<int>(declaredCount),
                    style.align ? "__attribute__ ((aligned (4))) " : "");
      AppendValues(out, kC, bytes, elementSize);
      out += "\n};\n\n";
      break;
    case ArrayForm::Gcc:
      out += Format("\t.SECTION %s\n\t.ALIGN 2\n\t.GLOBAL %s\n%s:", style.section.c_str(),
                    symbol.c_str(), symbol.c_str());
      AppendValues(out, kGcc, bytes, elementSize);
      out += Format("\n\t.SIZE %s, %d\n\n", symbol.c_str(), static_cast<int>(bytes.size()));
      break;
    case ArrayForm::Arm:
      out += Format("\tAREA %s, DATA, READONLY\n\tALIGN\n\tEXPORT %s\n%s", style.section.c_str(),
                    symbol.c_str(), symbol.c_str());
      AppendValues(out, kArm, bytes, elementSize);
      out += "\n";
      break;
    case ArrayForm::Raw:
      out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
      break;
    case ArrayForm::None:
      break;
  }
}

std::string DataHeader(ArrayForm form, std::string_view baseName, size_t uncompressedBytes) {
  const std::string base(baseName);
  const int bytes = static_cast<int>(uncompressedBytes);
  switch (form) {
    case ArrayForm::C:
      return Format("//\n// %s (%d uncompressed bytes)\n//\n", base.c_str(), bytes);
    case ArrayForm::Gcc:
      return Format("@\n@ %s (%d uncompressed bytes)\n@\n", base.c_str(), bytes);
    case ArrayForm::Arm:
      return Format(";\n; %s (%d uncompressed bytes)\n;\n", base.c_str(), bytes);
    default:
      return {};
  }
}

std::string MapHeader(ArrayForm form, size_t columns, size_t rows) {
  const int c = static_cast<int>(columns), r = static_cast<int>(rows);
  switch (form) {
    case ArrayForm::C:
      return Format("/*\n * %dx%d map data\n */\n", c, r);
    case ArrayForm::Gcc:
      return Format("@\n@ %dx%d map data\n@\n", c, r);
    case ArrayForm::Arm:
      return Format(";\n; %dx%d map data\n;\n", c, r);
    default:
      return {};
  }
}

}  // namespace tilecvt
