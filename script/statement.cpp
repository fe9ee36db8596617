#include "script/statement.h"

#include <string>

#include "platform/text_encoding.h"
#include "platform/value_syntax.h"
#include "script/identifier_lookup.h"
#include "script/script_line.h"
#include "script/script_messages.h"
#include "script/context.h"

namespace script {

namespace {

// Text variables and text array elements hold at most 511 characters.
constexpr size_t kMaxTextChars = 511;

bool EndsName(char c) { return IsBlank(c) || c == '.' || c == '=' || c == '['; }

size_t SkipSeparators(std::string_view line, size_t pos) {
  while (pos < line.size() && (IsBlank(line[pos]) || line[pos] == '.' || line[pos] == '=')) ++pos;
  return pos;
}

// Past the ']' that closes the '[' before `pos`, or the end of the line.
size_t SkipBracket(std::string_view line, size_t pos) {
  int depth = 1;
  for (; pos < line.size(); ++pos) {
    if (line[pos] == '[') ++depth;
    if (line[pos] == ']' && --depth == 0) return pos + 1;
  }
  return pos;
}

// Where the statement's path led.
struct Target {
  const Entry* entry = nullptr;
  std::string_view name;        // the last name, as written
  std::string_view objectName;  // the object that holds it; empty at the top level
  int32_t writtenIndex = 1;     // the bracketed number as written
  int32_t index = 0;            // writtenIndex − 1
  std::string_view value;       // the rest of the line
};

bool AssignText(Context& context, std::string& slot, std::string_view name,
                std::string_view value) {
  auto s = platform::ParseString(value);
  if (!s) {
    ReportScriptError(context, FormatText(text::kMissingArguments, {name}));
    return false;
  }
  slot = platform::Utf8Prefix(*s, kMaxTextChars);
  return true;
}

void AssignArrayElement(Context& context, const Target& t) {
  const ArrayDesc* a = t.entry->array;
  if (!a) return;
  if (t.index < 0 || t.index >= a->count) {
    ReportScriptError(context, FormatText(text::kIndexOutOfRange,
                                          {t.name, t.objectName, std::to_string(t.writtenIndex)}));
    return;
  }
  if (a->elementKind == EntryKind::Integer && a->integerAt) {
    a->integerAt(context, t.index) = platform::ParseInteger(t.value);
  } else if (a->elementKind == EntryKind::Text && a->textAt) {
    std::string text;
    if (AssignText(context, text, t.name, t.value)) a->textAt(context, t.index) = std::move(text);
  } else if (a->elementKind == EntryKind::Real && a->realAt) {
    a->realAt(context, t.index) = platform::ParseReal(t.value);
  } else {
    ReportScriptError(context, FormatText(text::kArrayKindUnusable, {t.name, t.objectName}));
  }
}

void Evaluate(Context& context, const Target& t) {
  const Entry& e = *t.entry;
  switch (e.kind) {
    case EntryKind::Command:
      if (e.command) e.command(context, t.value);
      break;
    case EntryKind::Integer:
      if (e.integer) e.integer(context) = platform::ParseInteger(t.value);
      break;
    case EntryKind::Real:
      if (e.real) e.real(context) = platform::ParseReal(t.value);
      break;
    case EntryKind::Text:
      if (e.text) {
        std::string text;
        if (AssignText(context, text, t.name, t.value)) e.text(context) = std::move(text);
      }
      break;
    case EntryKind::Array:
      AssignArrayElement(context, t);
      break;
    case EntryKind::TreeItem:
    case EntryKind::TextField:
    case EntryKind::CheckBox:
    case EntryKind::RadioButton:
    case EntryKind::DropDown:
      context.evaluateControl(e, t.name, t.value);
      break;
    case EntryKind::Object:
      break;  // resolved while reading the path
  }
}

}  // namespace

void ExecuteStatement(Context& context, std::string_view line) {
  static constexpr ObjectTable kNoEntries{};
  auto& st = context.interpreter;
  const ObjectTable* table = nullptr;  // the root table and the registered identifiers
  Target t;
  // The index carries over from segment to segment, so in `fonds[2].grille`
  // the property acts on the second background.
  size_t pos = 0;
  for (;;) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    size_t start = pos;
    while (pos < line.size() && !EndsName(line[pos])) ++pos;
    std::string_view name = line.substr(start, pos - start);
    if (name.empty()) return;
    pos = SkipSeparators(line, pos);
    if (pos < line.size() && line[pos] == '[') {
      t.writtenIndex = platform::ParseInteger(line.substr(pos + 1));
      // 32-bit wrap-around instead of overflow: [0x80000000] gives 0x7FFFFFFF.
      t.index = static_cast<int32_t>(static_cast<uint32_t>(t.writtenIndex) - 1u);
      pos = SkipSeparators(line, SkipBracket(line, pos + 1));
    }
    const Entry* e = LookupIdentifier(context, table, name);
    st.currentIndex = t.index;
    if (!e) {
      ReportScriptError(
          context, FormatText(table ? text::kUnknownProperty : text::kUnknownIdentifier, {name}));
      return;
    }
    if (e->kind == EntryKind::Object) {
      table = e->object ? e->object : &kNoEntries;
      t.objectName = name;
      continue;
    }
    t.entry = e;
    t.name = name;
    t.value = line.substr(pos);
    Evaluate(context, t);
    return;
  }
}

}  // namespace script
