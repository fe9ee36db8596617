#include "platform/text_encoding.h"

#include <array>
#include <cstdint>

namespace platform {

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252. The five bytes the code
// page leaves undefined map to the C1 control of the same value, so every byte
// survives a round trip.
constexpr std::array<uint16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[i]; returns its length, 0 when invalid.
size_t DecodeUtf8(std::string_view text, size_t i, uint32_t& cp) {
  auto b0 = static_cast<unsigned char>(text[i]);
  size_t len = 0;
  uint32_t min = 0;
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    len = 2;
    cp = b0 & 0x1F;
    min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3;
    cp = b0 & 0x0F;
    min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4;
    cp = b0 & 0x07;
    min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > text.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

int Cp1252ByteFor(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (size_t k = 0; k < kHigh.size(); ++k)
    if (kHigh[k] == cp) return static_cast<int>(0x80 + k);
  return -1;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x80)
      out += c;
    else if (b < 0xA0)
      AppendUtf8(out, kHigh[b - 0x80]);
    else
      AppendUtf8(out, b);
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text, char replacement) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    uint32_t cp = 0;
    size_t len = DecodeUtf8(text, i, cp);
    if (len == 0) {
      out += text[i];
      ++i;
      continue;
    }
    int b = Cp1252ByteFor(cp);
    out += b < 0 ? replacement : static_cast<char>(b);
    i += len;
  }
  return out;
}

std::string RepairUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    uint32_t cp = 0;
    size_t len = DecodeUtf8(text, i, cp);
    if (len == 0) {
      out += Cp1252ToUtf8(text.substr(i, 1));
      ++i;
      continue;
    }
    out.append(text.substr(i, len));
    i += len;
  }
  return out;
}

bool Cp1252CanHold(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    uint32_t cp = 0;
    size_t len = DecodeUtf8(text, i, cp);
    if (len == 0) {
      ++i;
      continue;
    }
    if (Cp1252ByteFor(cp) < 0) return false;
    i += len;
  }
  return true;
}

namespace {

// Checks the bytes as UTF-8; `multi` tells whether a multi-byte sequence occurred.
bool ScanUtf8(std::string_view bytes, bool& multi) {
  multi = false;
  for (size_t i = 0; i < bytes.size();) {
    uint32_t cp = 0;
    size_t len = DecodeUtf8(bytes, i, cp);
    if (len == 0) return false;
    if (len > 1) multi = true;
    i += len;
  }
  return true;
}

}  // namespace

std::string DecodeTextFile(std::string_view bytes) {
  bool multi = false;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF" && ScanUtf8(bytes.substr(3), multi))
    return std::string(bytes.substr(3));
  if (ScanUtf8(bytes, multi) && multi) return std::string(bytes);
  return Cp1252ToUtf8(bytes);
}

std::string DecodeTextFileByLines(std::string_view bytes, std::vector<size_t>& guessedLines) {
  guessedLines.clear();
  bool bom = bytes.substr(0, 3) == "\xEF\xBB\xBF";
  if (bom) bytes.remove_prefix(3);
  size_t sequences = 0;
  size_t stray = 0;
  for (size_t i = 0; i < bytes.size();) {
    uint32_t cp = 0;
    size_t len = DecodeUtf8(bytes, i, cp);
    if (len == 0) {
      ++stray;
      ++i;
      continue;
    }
    if (len > 1) ++sequences;
    i += len;
  }
  if (stray == 0) return sequences > 0 || bom ? std::string(bytes) : Cp1252ToUtf8(bytes);
  if (!bom && sequences <= stray) return Cp1252ToUtf8(bytes);
  std::string out;
  out.reserve(bytes.size());
  size_t number = 1;
  for (size_t start = 0; start < bytes.size(); ++number) {
    size_t end = bytes.find('\n', start);
    end = end == std::string_view::npos ? bytes.size() : end + 1;
    std::string_view line = bytes.substr(start, end - start);
    bool multi = false;
    if (ScanUtf8(line, multi)) {
      out += line;
    } else {
      out += Cp1252ToUtf8(line);
      guessedLines.push_back(number);
    }
    start = end;
  }
  return out;
}

size_t Utf8Length(std::string_view text) {
  size_t n = 0;
  for (char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

size_t Utf8PrefixSize(std::string_view text, size_t count) {
  size_t n = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (n == count) return i;
      ++n;
    }
  }
  return text.size();
}

std::string Utf8Prefix(std::string_view text, size_t count) {
  return std::string(text.substr(0, Utf8PrefixSize(text, count)));
}

}  // namespace platform
