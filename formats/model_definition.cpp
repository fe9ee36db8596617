#include "formats/model_definition.h"

#include <string>

#include "formats/definition_name.h"
#include "formats/format_library.h"
#include "platform/dialogs.h"
#include "platform/text_encoding.h"
#include "platform/text_lines.h"
#include "platform/value_syntax.h"

namespace formats {

namespace {

constexpr size_t kMaxLineChars = 4095;
// Model texts are program text: "\n" is a line feed, as QuoteString writes it.
constexpr std::string_view kModelLineBreak = "\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlnum(char c) { return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// An optional "," and the blanks around it.
size_t SkipSeparator(std::string_view s, size_t i) {
  while (i < s.size() && IsBlank(s[i])) ++i;
  if (i < s.size() && s[i] == ',') ++i;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return i;
}

// "kind, size, name, default": kind and size are integers of the value
// syntax (the size after any characters), name and default strings with
// escapes.
ModelField ParseFieldLine(std::string_view s) {
  size_t i = 0;
  int32_t kind = platform::ParseInteger(s);
  while (i < s.size() && IsAlnum(s[i])) ++i;
  while (i < s.size() && !IsDigit(s[i])) ++i;
  int32_t size = platform::ParseInteger(s.substr(i));
  while (i < s.size() && IsAlnum(s[i])) ++i;
  i = SkipSeparator(s, i);
  std::string name, defaultValue;
  size_t used = 0;
  if (auto n = platform::ParseStringEscaped(s.substr(i), kModelLineBreak, &used)) {
    name = *n;
    i = SkipSeparator(s, i + used);
    if (auto d = platform::ParseStringEscaped(s.substr(i), kModelLineBreak, &used))
      defaultValue = *d;
  }
  return MakeField(kind, size, name, defaultValue);
}

}  // namespace

bool DefineModel(FormatLibrary& lib, std::string_view argument, platform::TextLines& lines,
                 platform::UserDialogs& dialogs) {
  std::string name;
  if (!ReadDefinitionName(argument, true, name, dialogs)) return false;
  name = platform::Utf8Prefix(name, kMaxModelNameChars);

  ListModel model;
  model.name = name;
  bool tooMany = false;
  std::string raw;
  while (lines.readLine(raw, kMaxLineChars)) {
    std::string_view line = raw;
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    if (line.empty() || line.front() == '{') continue;
    if (line.front() == '}') break;
    if (model.fields.size() >= kMaxModelFields) {
      tooMany = true;
      continue;
    }
    model.fields.push_back(ParseFieldLine(line));
  }
  if (tooMany)
    dialogs.message("Le modèle " + name + " a plus de " + std::to_string(kMaxModelFields) +
                        " paramètres: les suivants sont ignorés.",
                    kScriptErrorCaption, platform::Icon::Error);

  int index = FindModel(lib, name);
  if (index >= 0) {
    lib.models[static_cast<size_t>(index)].fields = std::move(model.fields);
    return true;
  }
  if (lib.models.size() >= kMaxModels) {
    dialogs.message("Impossible de définir le modèle " + name + ": " + std::to_string(kMaxModels) +
                        " modèles au plus.",
                    kScriptErrorCaption, platform::Icon::Error);
    return false;
  }
  lib.models.push_back(std::move(model));
  return true;
}

std::string ModelDefinitionText(const ListModel& model) {
  constexpr size_t kQuoteCapacity = 1024;
  std::string out =
      "  DefModele " + platform::QuoteString(model.name, '"', kQuoteCapacity) + "\t\t{\n";
  for (const ModelField& f : model.fields) {
    out += "  \t" + std::to_string(f.kind) + ", " + std::to_string(f.size) + ", " +
           platform::QuoteString(f.name, '"', kQuoteCapacity) + ", " +
           platform::QuoteString(f.defaultValue, '"', kQuoteCapacity) + "\n";
  }
  out += "  }\n";
  return out;
}

}  // namespace formats
