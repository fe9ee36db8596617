#include "formats/standard_format.h"

#include <gtest/gtest.h>

#include "element_io.h"
#include "formats/format_library.h"
#include "formats/model_definition.h"
#include "formats/template_expansion.h"
#include "platform/recording_platform.h"
#include "platform/text_lines.h"
#include "test_support/temp_dir.h"

using namespace formats;
using formatstest::Shape;
using formatstest::WriteElement;

// Each case writes a small element with the built-in format and compares the
// bytes with a golden file under tests/data/formats/standard/.
namespace {

struct GoldenCase {
  const char* file;
  SectionType section;
  const char* valueFormat;  // "" for lists
  std::vector<int32_t> values;
  size_t rowLength;
  void (*setUp)(TemplateValues&);
};

void Palette(TemplateValues& v) {
  v.setText(Placeholder::File, "hero.pal.c");
  v.setText(Placeholder::Name, "hero");
  v.setNumber(Placeholder::Size, 16);
  v.setNumber(Placeholder::Memory, 32);
}

void Map(TemplateValues& v) {
  v.setText(Placeholder::File, "lvl.map.c");
  v.setText(Placeholder::Name, "lvl");
  v.setText(Placeholder::Link, "gfx/tiles.til.c");
  v.setText(Placeholder::Type, "short");
  v.setNumber(Placeholder::SizeX, 2);
  v.setNumber(Placeholder::SizeY, 2);
  v.setNumber(Placeholder::Memory, 8);
}

void Tileset(TemplateValues& v) {
  v.setText(Placeholder::File, "gfx/tiles.til.c");
  v.setText(Placeholder::Name, "tiles");
  v.setText(Placeholder::Link, "gfx/tiles.pal.c");
  v.setText(Placeholder::Type, "char");
  v.setNumber(Placeholder::Depth, 4);
  v.setNumber(Placeholder::Size, 1);
  v.setNumber(Placeholder::Memory, 32);
}

void Bitmap(TemplateValues& v) {
  v.setText(Placeholder::File, "img.bmp.c");
  v.setText(Placeholder::Name, "img");
  v.setText(Placeholder::Link, "img.pal.c");
  v.setText(Placeholder::Type, "char");  // what the writer gives 8-bit bitmaps
  v.setNumber(Placeholder::Depth, 8);
  v.setNumber(Placeholder::SizeX, 3);
  v.setNumber(Placeholder::SizeY, 2);
  v.setNumber(Placeholder::Memory, 6);
}

std::vector<int32_t> Range(int32_t from, int32_t count, int32_t step) {
  std::vector<int32_t> out;
  for (int32_t i = 0; i < count; ++i) out.push_back(from + i * step);
  return out;
}

class StandardGolden : public ::testing::TestWithParam<GoldenCase> {};

}  // namespace

TEST_P(StandardGolden, WritesTheGoldenBytes) {
  const GoldenCase& c = GetParam();
  FormatLibrary lib;
  platform::RecordingDialogs d;
  ResetPlaceholders(lib, ReferenceDefaults{});
  LoadUserTexts(lib);
  c.setUp(lib.values);
  OutputSink out;
  WriteElement(out, lib.current.section(c.section), c.valueFormat, c.values, Shape{c.rowLength},
               lib.values, d);
  std::string expected =
      testsupport::ReadFile(testsupport::DataPath(std::string("formats/standard/") + c.file));
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(out.text(), expected);
  EXPECT_TRUE(d.entries().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sections, StandardGolden,
    ::testing::Values(
        GoldenCase{"hero.pal.c", SectionType::Palette, "0x%04x, ", Range(0, 16, 0x111), 0, Palette},
        GoldenCase{"lvl.map.c", SectionType::Map, "0x%04x, ", Range(1, 4, 1), 2, Map},
        GoldenCase{"tiles.til.c", SectionType::Tileset, "0x%02x, ", Range(0, 32, 1), 32, Tileset},
        GoldenCase{"img.bmp.c", SectionType::Bitmap, "0x%02x, ", Range(1, 6, 1), 3, Bitmap}),
    [](const auto& info) {
      std::string n = info.param.file;
      return n.substr(0, n.find('.'));
    });

TEST(StandardFormat, ListWithTheDefaultModelMatchesItsGolden) {
  FormatLibrary lib;
  platform::RecordingDialogs d;
  ResetPlaceholders(lib, ReferenceDefaults{});
  LoadUserTexts(lib);
  TemplateValues& v = lib.values;
  v.setText(Placeholder::File, "obj.lst.c");
  v.setText(Placeholder::Name, "obj");
  v.setText(Placeholder::Link, "gfx/tiles.til.c");
  v.setText(Placeholder::Model, "Default");
  v.setText(Placeholder::Type, "SPRITE_LISTE");
  v.setNumber(Placeholder::Size, 2);
  v.setNumber(Placeholder::Memory, 24);
  PrepareObjectTemplate(lib);
  const FormatSection& list = lib.current.section(SectionType::List);
  OutputSink out;
  Expand(list.declaration, out, v, d);
  std::vector<std::array<int32_t, 3>> objects = {{10, 20, 1}, {-5, 7, 2}};  // x, y, type
  for (const auto& o : objects) {
    uint8_t bytes[12];
    for (size_t k = 0; k < 3; ++k) WriteObjectWord(bytes, 4 * k, o[k]);
    WriteObject(out, lib.objectTemplate, bytes);
    Expand(list.line, out, v, d);
  }
  Expand(list.end, out, v, d);
  EXPECT_EQ(out.text(), testsupport::ReadFile(testsupport::DataPath("formats/standard/obj.lst.c")));
}

TEST(StandardFormat, FieldsOfEverySection) {
  const OutputFormat f = MakeStandardFormat();
  struct Row {
    SectionType s;
    int32_t n;
    const char *every, *e1, *e2, *e3, *line, *end, *ext;
  };
  const Row rows[] = {
      {SectionType::Bitmap, 12, "\b\r\n", "0x%02x, ", "0x%04x, ", "0x%08x, ", "", "\b\b};\r\n",
       ".bmp.c"},
      {SectionType::Palette, 8, "\b\r\n", "0x%04x, ", "", "", "\b\r\n", "\b\b};\r\n", ".pal.c"},
      {SectionType::Tileset, 12, "\b\r\n", "0x%02x, ", "0x%04x, ", "0x%08x, ", "", "\b\b};\r\n",
       ".til.c"},
      {SectionType::Map, 8, "\b\r\n", "0x%04x, ", "0x%02x, ", "0x%08x, ", "\b\b},\r\n\t{",
       "\b\b\b\b\b\r\n};\r\n", ".map.c"},
      {SectionType::List, 0, "", "\r\n\t{#type#,#x#,#y##+param:\",\":\"\"#},", "", "", "",
       "\r\n};\r\n", ".lst.c"},
  };
  for (const Row& r : rows) {
    const FormatSection& s = f.section(r.s);
    SCOPED_TRACE(s.ext);
    EXPECT_EQ(s.n_every, r.n);
    EXPECT_EQ(s.every_x, r.every);
    EXPECT_EQ(s.element, r.e1);
    EXPECT_EQ(s.element2, r.e2);
    EXPECT_EQ(s.element3, r.e3);
    EXPECT_EQ(s.line, r.line);
    EXPECT_EQ(s.end, r.end);
    EXPECT_EQ(s.ext, r.ext);
  }
  const FormatSection& empty = f.section(SectionType::Empty);
  EXPECT_EQ(empty.declaration + empty.every_x + empty.element + empty.element2 + empty.element3 +
                empty.line + empty.end + empty.ext,
            "");
  EXPECT_EQ(empty.n_every, 0);
  EXPECT_EQ(f.type8, "char");
  EXPECT_EQ(f.type16, "short");
  EXPECT_EQ(f.type32, "long");
  EXPECT_EQ(f.typesd, "SPRITE_LISTE");
  EXPECT_EQ(f.bits4 + f.bits8, "");
  EXPECT_EQ(f.user[0], "#include \"def.h\"");
  for (size_t i = 1; i < 8; ++i) EXPECT_EQ(f.user[i], "");
}

TEST(StandardFormat, AlignmentUserTextLandsBeforeTheArrayName) {
  FormatLibrary lib;
  platform::RecordingDialogs d;
  SetFormatUserText(lib.formats[0], 2, "__attribute__((aligned(4))) ");
  SelectFormatAt(lib, 0);
  LoadUserTexts(lib);
  lib.values.setText(Placeholder::Name, "hero");
  lib.values.setNumber(Placeholder::Size, 16);
  OutputSink out;
  Expand(lib.current.section(SectionType::Palette).declaration, out, lib.values, d);
  EXPECT_NE(
      out.text().find("const unsigned short __attribute__((aligned(4))) hero_palette[16]=\t{\r\n"),
      std::string::npos);
}
