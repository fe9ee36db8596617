#include "formats/value_format.h"

#include "formats/debug_message.h"
#include "formats/output_sink.h"

namespace formats {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c, char conversion) {
  if (IsDigit(c)) return c - '0';
  if (conversion == 'x' && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (conversion == 'X' && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A conversion "%[0][d]c" at fmt[i] == '%'; i moves past it.
struct Conversion {
  bool zeroPad = false;
  int width = 0;
  char letter = 0;  // 0 when the format ends inside the conversion
};

Conversion ReadConversion(std::string_view fmt, size_t& i) {
  Conversion c;
  ++i;
  if (i < fmt.size() && fmt[i] == '0') {
    c.zeroPad = true;
    ++i;
  }
  if (i < fmt.size() && IsDigit(fmt[i])) c.width = fmt[i++] - '0';
  if (i < fmt.size()) c.letter = fmt[i++];
  return c;
}

}  // namespace

int32_t ParseDecimal(std::string_view text, size_t* end) {
  size_t i = 0;
  bool negative = text.size() >= 2 && text[0] == '-' && IsDigit(text[1]);
  if (negative) ++i;
  uint32_t v = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) v = v * 10u + uint32_t(text[i] - '0');
  if (end) *end = i;
  return static_cast<int32_t>(negative ? 0u - v : v);
}

void AppendNumber(OutputSink& out, int32_t value, char conversion, int width, bool zeroPad) {
  char digits[16];
  int n = 0;
  bool negative = false;
  uint32_t v = static_cast<uint32_t>(value);
  if (conversion == 'i') {
    negative = value < 0;
    if (negative) v = 0u - v;
    do {
      digits[n++] = static_cast<char>('0' + v % 10u);
      v /= 10u;
    } while (v != 0);
  } else {
    const char* set = conversion == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
    do {
      digits[n++] = set[v & 15u];
      v >>= 4;
    } while (v != 0);
  }
  int length = n + (negative ? 1 : 0);
  char buffer[32];
  int b = 0;
  // printf's rules: blanks go before the sign, zeros after it.
  if (!zeroPad)
    for (int k = length; k < width; ++k) buffer[b++] = ' ';
  if (negative) buffer[b++] = '-';
  if (zeroPad)
    for (int k = length; k < width; ++k) buffer[b++] = '0';
  while (n > 0) buffer[b++] = digits[--n];
  out.write(std::string_view(buffer, static_cast<size_t>(b)));
}

void AppendRawBytes(OutputSink& out, uint32_t value, int count) {
  for (int k = 0; k < count; ++k) out.put(static_cast<char>((value >> (8 * k)) & 0xFFu));
}

void WriteValue(OutputSink& out, std::string_view fmt, int32_t value,
                platform::UserDialogs& dialogs) {
  size_t i = 0;
  while (i < fmt.size()) {
    size_t pct = fmt.find('%', i);
    if (pct == std::string_view::npos) pct = fmt.size();
    if (pct > i) out.write(fmt.substr(i, pct - i));
    i = pct;
    if (i >= fmt.size()) break;
    Conversion c = ReadConversion(fmt, i);
    switch (c.letter) {
      case 'i':
      case 'x':
      case 'X':
        AppendNumber(out, value, c.letter, c.width, c.zeroPad);
        break;
      case 'b':
        if (c.width == 1 || c.width == 2 || c.width == 4)
          AppendRawBytes(out, static_cast<uint32_t>(value), c.width);
        else
          ShowDebugMessage(dialogs, "Erreur de type binaire (%1b, %2b, %4b seulement)");
        break;
      default:
        break;  // unknown conversions write nothing
    }
  }
}

size_t ReadValue(std::string_view text, size_t pos, std::string_view fmt, int32_t& value,
                 platform::UserDialogs& dialogs) {
  if (pos > text.size()) return kNoPosition;
  const size_t start = pos;
  size_t i = 0;
  while (i < fmt.size()) {
    if (fmt[i] != '%') {
      if (pos >= text.size() || text[pos] != fmt[i]) break;
      ++pos;
      ++i;
      continue;
    }
    Conversion c = ReadConversion(fmt, i);
    // A width without the zero flag pads with blanks on writing.
    if (c.width > 0 && !c.zeroPad && (c.letter == 'i' || c.letter == 'x' || c.letter == 'X'))
      while (pos < text.size() && text[pos] == ' ') ++pos;
    if (c.letter == 'i') {
      // A minus sign is taken too: a negative value written with %i reads back.
      size_t used = 0;
      value = ParseDecimal(text.substr(pos), &used);
      pos += used;
    } else if (c.letter == 'x' || c.letter == 'X') {
      uint32_t v = 0;
      int d;
      while (pos < text.size() && (d = HexDigit(text[pos], c.letter)) >= 0) {
        v = v * 16u + static_cast<uint32_t>(d);
        ++pos;
      }
      value = static_cast<int32_t>(v);
    } else if (c.letter == 'b') {
      size_t n = static_cast<size_t>(c.width);
      if (c.width == 1 || c.width == 2 || c.width == 4) {
        if (text.size() - pos < n) break;  // the text ends inside the value
        uint32_t v = 0;
        for (size_t k = 0; k < n; ++k)
          v |= static_cast<uint32_t>(static_cast<unsigned char>(text[pos + k])) << (8 * k);
        // Sign-extended from its width.
        int shift = 32 - 8 * c.width;
        value = shift ? static_cast<int32_t>(v << shift) >> shift : static_cast<int32_t>(v);
        pos += n;
      } else {
        ShowDebugMessage(dialogs, "Erreur de typage binaire");
        pos += std::min(n, text.size() - pos);
      }
    }
    // Other letters read nothing, as they write nothing.
  }
  return pos == start ? kNoPosition : pos;
}

}  // namespace formats
