// Input: a template, a NUL byte, then a text. The template is used as a match
// template, a value format and an object template against the text, and is
// expanded; the whole input also runs as a format and a model definition.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/format_definition.h"
#include "formats/format_library.h"
#include "formats/model_definition.h"
#include "formats/object_template.h"
#include "formats/output_sink.h"
#include "formats/template_expansion.h"
#include "formats/template_matching.h"
#include "formats/value_format.h"
#include "platform/dialogs.h"
#include "platform/text_lines.h"

namespace {

class QuietDialogs : public platform::UserDialogs {
 public:
  void message(std::string_view, std::string_view, platform::Icon) override {}
  platform::Answer question(std::string_view, std::string_view, platform::Buttons,
                            platform::Answer defaultAnswer, platform::Icon) override {
    return defaultAnswer;
  }
  std::optional<std::string> chooseFileName(const platform::FileChoice&) override {
    return std::nullopt;
  }
  std::optional<uint32_t> chooseColour(uint32_t) override { return std::nullopt; }
};

void MatchAll(std::string_view tmpl, std::string_view text, formats::TemplateValues& values,
              platform::UserDialogs& d) {
  size_t pos = 0;
  // Repeated matching, as a reader does for its every_x and line texts.
  for (int i = 0; i < 64 && pos != formats::kNoPosition; ++i) {
    size_t next = formats::Match(text, pos, tmpl, values, d);
    if (next != formats::kNoPosition && next > text.size()) __builtin_trap();
    if (next == pos) break;
    pos = next;
  }
}

void ReadValues(std::string_view fmt, std::string_view text, platform::UserDialogs& d) {
  size_t pos = 0;
  int32_t value = 0;
  while (pos != formats::kNoPosition) {
    size_t next = formats::ReadValue(text, pos, fmt, value, d);
    if (next != formats::kNoPosition && (next <= pos || next > text.size())) __builtin_trap();
    pos = next;
  }
}

void ReadObjects(std::string_view tmpl, std::string_view text, const formats::ListModel& model,
                 platform::UserDialogs& d) {
  formats::ObjectTemplate t =
      formats::CompileObjectTemplate(formats::ExpandParamTokens(tmpl, model), model);
  std::vector<uint8_t> object(static_cast<size_t>(model.objectSize()), 0);
  for (auto mode : {formats::ObjectReadMode::Strict, formats::ObjectReadMode::Lenient}) {
    std::string_view marker = formats::ObjectEndMarker("", t);
    size_t pos = 0;
    for (int i = 0; i < 64 && pos != formats::kNoPosition; ++i) {
      bool mark = false;
      size_t next = formats::ReadObject(text, pos, t, object, mode, marker, mark, d);
      if (next != formats::kNoPosition && next > text.size()) __builtin_trap();
      if (next == pos) break;
      pos = next;
    }
  }
  formats::OutputSink out;
  formats::WriteObject(out, t, object);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 16) return 0;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t cut = input.find('\0');
  std::string_view tmpl = input.substr(0, cut);
  std::string_view text =
      cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);

  QuietDialogs d;
  formats::FormatLibrary lib;
  formats::TemplateValues values;
  values.reset(formats::ReferenceDefaults{});
  for (auto p :
       {formats::Placeholder::File, formats::Placeholder::Name, formats::Placeholder::Link,
        formats::Placeholder::Type, formats::Placeholder::Bits, formats::Placeholder::Model})
    values.setTextBytes(p, "");

  MatchAll(tmpl, text, values, d);
  ReadValues(tmpl, text, d);

  formats::ListModel model;
  model.fields = {formats::MakeField(formats::kFieldInteger, 4, "a", "1"),
                  formats::MakeField(formats::kFieldRaw, 6, "p<b>s", "x"),
                  formats::MakeField(formats::kFieldInteger, 2, "c", "")};
  ReadObjects(tmpl, text, model, d);

  formats::OutputSink out;
  formats::Expand(tmpl, out, values, d);
  formats::WriteValue(out, tmpl, 0x12345678, d);

  // The whole input as the lines after `defformat` and `defmodele`.
  std::string script(input);
  platform::TextLines formatLines(script);
  formats::DefineFormat(lib, "fuzz {", formatLines, d);
  platform::TextLines modelLines(script);
  formats::DefineModel(lib, "\"fuzz\" {", modelLines, d);
  formats::SelectFormat(lib, "fuzz", d);
  formats::SelectModel(lib, "fuzz", d);
  formats::PrepareObjectTemplate(lib);
  formats::SelectFormatByExtension(lib, text);
  return 0;
}
