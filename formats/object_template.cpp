#include "formats/object_template.h"

#include <algorithm>
#include <optional>

#include "formats/debug_message.h"
#include "formats/list_model.h"
#include "formats/output_sink.h"
#include "formats/value_format.h"
#include "platform/text_encoding.h"
#include "platform/value_syntax.h"

namespace formats {

namespace {

constexpr size_t kMaxReferenceChars = 99;
constexpr std::string_view kParamToken = "#+param:";

bool IsQuote(char c) { return c == '"' || c == '\''; }

// The piece of one field: SEP [P] #name# [S] END.
void AppendFieldPiece(std::string& out, const std::string& name, std::string_view sep,
                      std::string_view end) {
  std::string bytes = platform::Utf8ToCp1252(name);
  out += sep;
  size_t gt = bytes.find('>');
  size_t lt = gt == std::string::npos ? std::string::npos : bytes.rfind('<', gt);
  if (lt != std::string::npos) {
    out.append(bytes, 0, lt);
    out += '#';
    out += bytes;
    out += '#';
    out.append(bytes, gt + 1);
  } else {
    out += '#';
    out += bytes;
    out += '#';
  }
  out += end;
}

ObjectTemplate::Reference Resolve(std::string_view name, const ListModel& model) {
  using T = ObjectTemplate::Target;
  ObjectTemplate::Reference r;
  name = name.substr(0, kMaxReferenceChars);
  if (name == "type") {
    r = {T::Type, 8, 4};
  } else if (name == "x") {
    r = {T::X, 0, 4};
  } else if (name == "y") {
    r = {T::Y, 4, 4};
  } else {
    for (size_t j = 0; j < model.fields.size(); ++j) {
      const auto& f = model.fields[j];
      if (platform::Utf8ToCp1252(f.name) != name) continue;
      r.target = f.kind == kFieldRaw ? T::Raw : T::Integer;
      r.offset = static_cast<uint32_t>(model.fieldOffset(j));
      r.size = static_cast<uint32_t>(f.size);
      break;
    }
  }
  return r;
}

void StoreValue(const ObjectTemplate::Reference& r, std::string_view value,
                std::span<uint8_t> object) {
  using T = ObjectTemplate::Target;
  switch (r.target) {
    case T::Type:
    case T::X:
    case T::Y:
    case T::Integer:
      WriteObjectWord(object, r.offset, ParseObjectInteger(value), r.size);
      break;
    case T::Raw:
      WriteObjectText(object, r.offset, r.size, value);
      break;
    case T::Unknown:
      break;
  }
}

}  // namespace

std::string ExpandParamTokens(std::string_view text, const ListModel& model) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    size_t at = text.find(kParamToken, i);
    if (at == std::string_view::npos) break;
    out.append(text.substr(i, at - i));
    // SEP, then the next quoted text as END, then the closing '#'.
    size_t p = at + kParamToken.size();
    size_t sepEnd = 0, endEnd = 0;
    std::optional<std::string> sep, end;
    if (p < text.size() && IsQuote(text[p])) sep = platform::ParseString(text.substr(p), &sepEnd);
    size_t q = sep ? p + sepEnd : p;
    while (sep && q < text.size() && !IsQuote(text[q]) && text[q] != '#') ++q;
    if (sep && q < text.size() && IsQuote(text[q]))
      end = platform::ParseString(text.substr(q), &endEnd);
    size_t close = end ? text.find('#', q + endEnd) : std::string_view::npos;
    if (close == std::string_view::npos) {
      // Not a well-formed token: kept as written.
      out.append(kParamToken);
      i = p;
      continue;
    }
    for (const auto& f : model.fields) AppendFieldPiece(out, f.name, *sep, *end);
    i = close + 1;
  }
  if (i < text.size()) out.append(text.substr(i));
  return out;
}

ObjectTemplate CompileObjectTemplate(std::string text, const ListModel& model) {
  ObjectTemplate t;
  t.text = std::move(text);
  std::string_view s = t.text;
  size_t i = 0;
  while (i < s.size()) {
    size_t open = s.find('#', i);
    if (open == std::string_view::npos) {
      t.literals.back().append(s.substr(i));
      break;
    }
    t.literals.back().append(s.substr(i, open - i));
    size_t close = s.find('#', open + 1);
    if (close == std::string_view::npos) break;  // an unterminated reference ends the object
    t.references.push_back(Resolve(s.substr(open + 1, close - open - 1), model));
    t.literals.emplace_back();
    i = close + 1;
  }
  return t;
}

std::string_view ObjectEndMarker(std::string_view listLine, const ObjectTemplate& tmpl) {
  if (!listLine.empty()) return listLine;
  size_t last = tmpl.text.rfind('#');
  if (last == std::string::npos) return {};
  return std::string_view(tmpl.text).substr(last + 1);
}

void WriteObject(OutputSink& out, const ObjectTemplate& tmpl, std::span<const uint8_t> object) {
  using T = ObjectTemplate::Target;
  for (size_t i = 0; i < tmpl.references.size(); ++i) {
    out.write(tmpl.literals[i]);
    const auto& r = tmpl.references[i];
    switch (r.target) {
      case T::Type:
      case T::X:
      case T::Y:
      case T::Integer:
        AppendNumber(out, ReadObjectWord(object, r.offset, r.size), 'i', 0, false);
        break;
      case T::Raw:
        out.write(ReadObjectText(object, r.offset, r.size));
        break;
      case T::Unknown:
        break;
    }
  }
  out.write(tmpl.literals.back());
}

size_t ReadObject(std::string_view text, size_t pos, const ObjectTemplate& tmpl,
                  std::span<uint8_t> object, ObjectReadMode mode, std::string_view endMarker,
                  bool& errorMark, platform::UserDialogs& dialogs) {
  const bool strict = mode == ObjectReadMode::Strict;
  auto fail = [&](std::string_view message) {
    errorMark = true;
    if (strict) ShowDebugMessage(dialogs, message);
    return kNoPosition;
  };
  if (pos > text.size()) return kNoPosition;
  const std::string& first = tmpl.literals.front();
  size_t found = text.find(first, pos);
  if (found == std::string_view::npos) return fail("Erreur de format de fichier (#)");
  pos = found + first.size();

  const std::string& last = tmpl.literals.back();
  for (size_t i = 0; i < tmpl.references.size(); ++i) {
    const std::string& next = tmpl.literals[i + 1];
    size_t end = text.find(next, pos);
    if (!strict && !endMarker.empty()) end = std::min(end, text.find(endMarker, pos));
    if (end == std::string_view::npos) return fail("Erreur de format de fichier (#)");
    StoreValue(tmpl.references[i], text.substr(pos, end - pos), object);
    pos = end;
    if (!strict && !endMarker.empty() && text.substr(pos).starts_with(endMarker)) {
      // The object ends here; with values left in the template, the file
      // holds fewer fields than the model.
      if (i + 1 < tmpl.references.size()) errorMark = true;
      if (endMarker == last) pos += last.size();
      return pos;
    }
    if (!text.substr(pos).starts_with(next))
      return fail("Le format du fichier ne correspond pas avec celui attendu. (#)");
    pos += next.size();
  }
  return pos;
}

}  // namespace formats
