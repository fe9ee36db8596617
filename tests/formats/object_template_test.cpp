#include "formats/object_template.h"

#include <gtest/gtest.h>

#include "formats/format_definition.h"
#include "formats/format_library.h"
#include "formats/output_sink.h"
#include "platform/recording_platform.h"
#include "platform/text_lines.h"

using namespace formats;

namespace {

void AddModel(FormatLibrary& lib, std::vector<ModelField> fields) {
  ListModel m;
  m.name = "m";
  m.fields = std::move(fields);
  lib.models.push_back(std::move(m));
  lib.currentModel = static_cast<int>(lib.models.size() - 1);
}

std::vector<uint8_t> Object(const ListModel& m, int32_t x, int32_t y, int32_t type) {
  std::vector<uint8_t> o(static_cast<size_t>(m.objectSize()), 0);
  WriteObjectWord(o, kObjectX, x);
  WriteObjectWord(o, kObjectY, y);
  WriteObjectWord(o, kObjectType, type);
  return o;
}

std::string Written(const FormatLibrary& lib, const std::vector<uint8_t>& o) {
  OutputSink out;
  WriteObject(out, lib.objectTemplate, o);
  return out.text();
}

}  // namespace

TEST(ObjectTemplate, DefaultModelWritesTypeXYInBraces) {
  FormatLibrary lib;
  PrepareObjectTemplate(lib);
  EXPECT_EQ(lib.objectTemplate.text, "\r\n\t{#type#,#x#,#y#},");
  EXPECT_EQ(Written(lib, Object(CurrentModel(lib), 3, -4, 7)), "\r\n\t{7,3,-4},");
}

TEST(ObjectTemplate, ParamTokenExpandsOnePiecePerField) {
  FormatLibrary lib;
  AddModel(lib, {MakeField(kFieldInteger, 4, "a", ""), MakeField(kFieldRaw, 8, "b", "")});
  PrepareObjectTemplate(lib);
  EXPECT_EQ(lib.objectTemplate.text, "\r\n\t{#type#,#x#,#y#,#a#,#b#},");
  std::vector<uint8_t> o = Object(CurrentModel(lib), 1, 2, 3);
  WriteObjectWord(o, 12, 99);
  WriteObjectText(o, 16, 8, "bee");
  EXPECT_EQ(Written(lib, o), "\r\n\t{3,1,2,99,bee},");
}

TEST(ObjectTemplate, AngleBracketNamesWriteTheirTextAroundTheValue) {
  FormatLibrary lib;
  AddModel(lib, {MakeField(kFieldInteger, 4, ".speed=<v>", "")});
  PrepareObjectTemplate(lib);
  std::vector<uint8_t> o = Object(CurrentModel(lib), 0, 0, 1);
  WriteObjectWord(o, 12, 5);
  EXPECT_EQ(Written(lib, o), "\r\n\t{1,0,0,.speed=5},");
}

TEST(ObjectTemplate, OtherFormatsUseTheirElementAsWritten) {
  FormatLibrary lib;
  platform::RecordingDialogs d;
  platform::TextLines lines(
      "list {\n element = \"[#x#;#y#;#vie#;#+param:',':''#;#absent#]\"\n}\n}\n");
  ASSERT_TRUE(DefineFormat(lib, "autre {", lines, d));
  ASSERT_TRUE(SelectFormat(lib, "autre", d));
  AddModel(lib, {MakeField(kFieldInteger, 4, "vie", "")});
  PrepareObjectTemplate(lib);
  std::vector<uint8_t> o = Object(CurrentModel(lib), 4, 5, 6);
  WriteObjectWord(o, 12, 100);
  EXPECT_EQ(Written(lib, o), "[4;5;100;;]");  // "+param:..." names no field
}

TEST(ObjectTemplate, UnterminatedReferenceEndsTheObject) {
  FormatLibrary lib;
  ObjectTemplate t = CompileObjectTemplate("{#x#,#y", CurrentModel(lib));
  std::vector<uint8_t> o = Object(CurrentModel(lib), 8, 9, 0);
  OutputSink out;
  WriteObject(out, t, o);
  EXPECT_EQ(out.text(), "{8,");
}

TEST(ObjectTemplate, StrictReadingFillsTheObjectByName) {
  FormatLibrary lib;
  AddModel(lib, {MakeField(kFieldInteger, 4, "a", ""), MakeField(kFieldRaw, 8, "b", "")});
  PrepareObjectTemplate(lib);
  platform::RecordingDialogs d;
  std::string text = "header\r\n\t{5,-10,20,0x1F,un texte long},\r\n\t{1,2,3,4,x},\r\n};";
  std::vector<uint8_t> o(24, 0);
  bool mark = false;
  size_t pos = ReadObject(text, 0, lib.objectTemplate, o, ObjectReadMode::Strict, "", mark, d);
  ASSERT_NE(pos, kNoPosition);
  EXPECT_EQ(ReadObjectWord(o, kObjectType), 5);
  EXPECT_EQ(ReadObjectWord(o, kObjectX), -10);
  EXPECT_EQ(ReadObjectWord(o, kObjectY), 20);
  EXPECT_EQ(ReadObjectWord(o, 12), 31);
  EXPECT_EQ(ReadObjectText(o, 16, 8), "un text");  // cut to its 8 bytes with the NUL
  pos = ReadObject(text, pos, lib.objectTemplate, o, ObjectReadMode::Strict, "", mark, d);
  ASSERT_NE(pos, kNoPosition);
  EXPECT_EQ(text.substr(pos), "\r\n};");
  EXPECT_FALSE(mark);
  EXPECT_TRUE(d.entries().empty());
}

TEST(ObjectTemplate, StrictReadingReportsAMissingLiteral) {
  FormatLibrary lib;
  AddModel(lib, {MakeField(kFieldInteger, 4, "a", "")});
  PrepareObjectTemplate(lib);
  platform::RecordingDialogs d;
  std::string text = "\r\n\t{1,2,3},\r\n};";  // written with the model "Default"
  std::vector<uint8_t> o(16, 0);
  bool mark = false;
  EXPECT_EQ(ReadObject(text, 0, lib.objectTemplate, o, ObjectReadMode::Strict, "", mark, d),
            kNoPosition);
  EXPECT_TRUE(mark);
  ASSERT_EQ(d.entries().size(), 1u);
  EXPECT_EQ(d.entries()[0].text, "Erreur de format de fichier (#)");
  EXPECT_EQ(d.entries()[0].caption, "Débogage");
}

TEST(ObjectTemplate, LenientReadingStopsAtTheEndMarker) {
  FormatLibrary lib;
  AddModel(lib, {MakeField(kFieldInteger, 4, "a", "7"), MakeField(kFieldInteger, 4, "b", "8")});
  PrepareObjectTemplate(lib);
  platform::RecordingDialogs d;
  std::string_view marker = ObjectEndMarker("", lib.objectTemplate);
  EXPECT_EQ(marker, "},");
  // Fewer fields in the file than in the model: the rest keep their defaults.
  std::string text = "\r\n\t{1,2,3,4},\r\n\t{5,6,7,8,9,10},\r\n};";
  std::vector<uint8_t> o(20, 0);
  SetObjectDefaults(CurrentModel(lib), o);
  bool mark = false;
  size_t pos = ReadObject(text, 0, lib.objectTemplate, o, ObjectReadMode::Lenient, marker, mark, d);
  ASSERT_NE(pos, kNoPosition);
  EXPECT_TRUE(mark);
  EXPECT_EQ(ReadObjectWord(o, 12), 4);
  EXPECT_EQ(ReadObjectWord(o, 16), 8);
  EXPECT_EQ(text.substr(pos, 4), "\r\n\t{");
  // More fields than the model: the last value runs to the marker.
  mark = false;
  pos = ReadObject(text, pos, lib.objectTemplate, o, ObjectReadMode::Lenient, marker, mark, d);
  ASSERT_NE(pos, kNoPosition);
  EXPECT_EQ(ReadObjectWord(o, kObjectType), 5);
  EXPECT_EQ(ReadObjectWord(o, 12), 8);
  EXPECT_EQ(ReadObjectWord(o, 16), 9);  // "9,10" reads as 9
  EXPECT_EQ(text.substr(pos), "\r\n};");
  EXPECT_TRUE(d.entries().empty());  // lenient reading is silent
  // The list's `line` is the marker when it has one.
  EXPECT_EQ(ObjectEndMarker("\r\n", lib.objectTemplate), "\r\n");
}
