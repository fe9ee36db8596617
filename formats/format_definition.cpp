#include "formats/format_definition.h"

#include <string>

#include "formats/debug_message.h"
#include "formats/definition_name.h"
#include "formats/format_library.h"
#include "formats/value_format.h"
#include "platform/dialogs.h"
#include "platform/text_encoding.h"
#include "platform/text_lines.h"
#include "platform/value_syntax.h"

namespace formats {

namespace {

constexpr size_t kMaxLineChars = 4095;
constexpr size_t kMaxKeyChars = 99;
// Formats carry their own line ends; "\n" in a definition means CR LF like the
// built-in format.
constexpr std::string_view kFormatLineBreak = "\r\n";

bool IsKeyChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '[' || c == ']';
}

// Letters lowered and tabs turned to blanks outside quotes; "#" outside quotes
// starts a comment. Inside quotes a backslash protects the next character, as
// the value reader takes it.
std::string NormaliseLine(std::string_view raw) {
  std::string out;
  out.reserve(raw.size());
  char quote = 0;
  for (size_t i = 0; i < raw.size(); ++i) {
    char c = raw[i];
    if (quote) {
      out += c;
      if (c == '\\' && i + 1 < raw.size())
        out += raw[++i];
      else if (c == quote)
        quote = 0;
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '#') {
      break;
    } else if (c == '\t') {
      c = ' ';
    } else if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
    out += c;
  }
  return out;
}

// The whole UTF-8 character at s[i], for the message about it.
std::string CharacterAt(std::string_view s, size_t i) {
  size_t n = 1;
  while (i + n < s.size() && (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80) ++n;
  return std::string(s.substr(i, n));
}

struct Definition {
  OutputFormat& format;
  int section = -1;  // no section open
  platform::UserDialogs& dialogs;
};

// A delimited string value stored as file bytes; false when the value has no
// delimiters.
bool ReadTextValue(Definition& d, std::string_view key, std::string_view value,
                   std::string& field) {
  auto text = platform::ParseStringEscaped(value, kFormatLineBreak);
  if (!text) {
    ShowDebugMessage(d.dialogs, "Valeur ignorée, une chaîne délimitée est attendue (" +
                                    std::string(key) + "=" + std::string(value) + ")");
    return false;
  }
  field = platform::Utf8ToCp1252(*text);
  return true;
}

void Assign(Definition& d, std::string_view key, std::string_view value) {
  if (key.size() > 5 && key.substr(0, 5) == "user[" && key[5] >= '1' && key[5] <= '8') {
    ReadTextValue(d, key, value, d.format.user[static_cast<size_t>(key[5] - '1')]);
    return;
  }
  int index = FindFieldKeyword(key);
  if (index < 0) return;  // unknown keys are ignored
  const FieldKeyword& kw = FieldKeywordAt(index);
  if (kw.scope == FieldScope::FormatWide) {
    ReadTextValue(d, key, value, d.format.*kw.formatText);
    return;
  }
  if (d.section < 0) {
    ShowDebugMessage(d.dialogs, "Définition de champ rencontrée hors de toute section (" +
                                    std::string(key) + "=" + std::string(value) + ")");
    return;
  }
  FormatSection& s = d.format.sections[static_cast<size_t>(d.section)];
  if (index == kIntegerFieldIndex)
    s.n_every = ParseDecimal(value);
  else
    ReadTextValue(d, key, value, s.*kw.sectionText);
}

// Reads the definition's lines up to the "}" that closes it (or the end of
// the stream).
void ReadBody(Definition& d, platform::TextLines& lines) {
  std::string raw;
  while (lines.readLine(raw, kMaxLineChars)) {
    std::string line = NormaliseLine(raw);
    size_t i = 0;
    while (i < line.size() && line[i] == ' ') ++i;
    size_t keyStart = i;
    while (i < line.size() && IsKeyChar(line[i]) && i - keyStart < kMaxKeyChars) ++i;
    std::string_view key = std::string_view(line).substr(keyStart, i - keyStart);
    while (i < line.size() && line[i] == ' ') ++i;
    if (i >= line.size()) continue;
    switch (line[i]) {
      case '=': {
        size_t v = i + 1;
        while (v < line.size() && line[v] == ' ') ++v;
        Assign(d, key, std::string_view(line).substr(v));
        break;
      }
      case '{':
        d.section = FindSectionType(key);
        break;
      case '}':
        if (d.section < 0) return;
        d.section = -1;
        break;
      default:
        ShowDebugMessage(d.dialogs, "Caractère inattendu: " + CharacterAt(line, i));
        break;
    }
  }
}

}  // namespace

bool DefineFormat(FormatLibrary& lib, std::string_view argument, platform::TextLines& lines,
                  platform::UserDialogs& dialogs) {
  std::string name;
  if (!ReadDefinitionName(argument, false, name, dialogs)) return false;
  name = platform::Utf8Prefix(name, kMaxFormatNameChars);

  int index = FindFormat(lib, name);
  if (index >= 0) {
    Definition d{lib.formats[static_cast<size_t>(index)], -1, dialogs};
    ReadBody(d, lines);
    return true;
  }

  OutputFormat format = lib.current;
  format.name = name;
  format.section(SectionType::Empty) = FormatSection{};
  bool full = lib.formats.size() >= kMaxFormats;
  if (full)
    dialogs.message("Impossible de définir le format " + name + ": " + std::to_string(kMaxFormats) +
                        " formats au plus.",
                    kScriptErrorCaption, platform::Icon::Error);
  Definition d{format, -1, dialogs};
  ReadBody(d, lines);  // the block is consumed even when refused
  if (full) return false;
  lib.formats.push_back(std::move(format));
  return true;
}

}  // namespace formats
