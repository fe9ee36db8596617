// Values built to make the integer parser slow or deep (hundreds of
// blank-separated "rgb" words, tens of thousands of nested "rgb(") reach it
// through every kind of text that holds a value, and read as the short
// malformed value "rgb(" does. Times are printed, not checked.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "batch_fixture.h"
#include "formats/format_library.h"
#include "formats/model_definition.h"
#include "mapeditor/selection_operations.h"
#include "platform/text_lines.h"
#include "script_fixture.h"
#include "test_support/temp_dir.h"

namespace {

struct LongValue {
  const char* name;
  std::string text;
};

std::vector<LongValue> LongValues() {
  std::string words, nested;
  for (int i = 0; i < 250; ++i) words += "rgb ";
  for (int i = 0; i < 40000; ++i) nested += "rgb(";
  return {{"250 words", words}, {"40000 nested", nested}};
}

constexpr const char* kMalformed = "rgb(";

template <typename F>
auto Timed(const char* what, const LongValue& value, F&& run) {
  const auto start = std::chrono::steady_clock::now();
  auto result = run(value.text);
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("%s, %s (%zu characters): %.1f ms\n", what, value.name, value.text.size(), ms);
  return result;
}

class LongValueStatement : public scripttest::ScriptFixture {};

TEST_F(LongValueStatement, StatementsFromAStreamAndFromText) {
  auto stream = [this](const std::string& value) {
    scripttest::TheStore().nombre = 77;
    runLines("essai.nombre = " + value + "\n");
    return scripttest::TheStore().nombre;
  };
  auto text = [this](const std::string& value) {
    scripttest::TheStore().nombre = 77;
    runText("essai.nombre = " + value);
    return scripttest::TheStore().nombre;
  };
  const int32_t expected = stream(kMalformed);
  ASSERT_EQ(text(kMalformed), expected);
  for (const LongValue& value : LongValues()) {
    EXPECT_EQ(Timed("stream statement", value, stream), expected) << value.name;
    EXPECT_EQ(Timed("text statement", value, text), expected) << value.name;
  }
}

TEST(LongValue, ModelFieldLinesAndOperationTexts) {
  auto field = [](const std::string& value) {
    formats::FormatLibrary lib;
    platform::RecordingDialogs dialogs;
    // The value alone on the line: kind and size both come from it.
    platform::TextLines lines(value + "\n}\n");
    formats::DefineModel(lib, "\"Pnj\" {", lines, dialogs);
    const formats::ListModel& model =
        lib.models.at(static_cast<size_t>(formats::FindModel(lib, "Pnj")));
    return std::make_pair(model.fields.at(0).kind, model.fields.at(0).size);
  };
  auto operations = [](const std::string& value) {
    std::vector<std::pair<char, uint32_t>> out;
    for (const mapeditor::Operation& o : mapeditor::ParseOperations("+" + value))
      out.emplace_back(o.op, o.operand);
    return out;
  };
  for (const LongValue& value : LongValues()) {
    EXPECT_EQ(Timed("model field", value, field), field(kMalformed)) << value.name;
    // Past the value the text goes on as further operations, so only the
    // first one is comparable with the short text's.
    const auto parsed = Timed("operation text", value, operations);
    ASSERT_FALSE(parsed.empty());
    EXPECT_EQ(parsed.front(), operations(kMalformed).front()) << value.name;
  }
}

class LongValueProject : public scripttest::BatchFixture {
 protected:
  // A project whose data section sets a mask from `value`.
  bool mirrorMaskAfterOpening(const std::string& value) {
    testsupport::WriteFile(dir.path() / "p.tpj",
                           "#Fichier de projet Tessel Works\n"
                           "\n#Infos utiles sur la dernière session\n .section infos\n  Fin\n"
                           "\n#Eléments de l'arbre du projet\n .section fichiers\n Fin\n"
                           "\n#Section de script\n .section données\n"
                           "GBA.mirrorMask = " +
                               value + "\n");
    // Saved (status 0, or 2 when the cut line's remainder reported errors).
    EXPECT_NE(Run("p.tpj", "fin"), 1);
    return w->platforms.gba.mirrorMask;
  }
};

TEST_F(LongValueProject, OpensAtOnce) {
  const bool expected = mirrorMaskAfterOpening(kMalformed);
  EXPECT_FALSE(expected);  // the mask is on by default: the line ran
  for (const LongValue& value : LongValues())
    EXPECT_EQ(Timed("project data section", value,
                    [this](const std::string& text) { return mirrorMaskAfterOpening(text); }),
              expected)
        << value.name;
}

}  // namespace
