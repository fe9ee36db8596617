// Property tests: whatever an element's values and header placeholders are,
// expanding a format and matching it again gives every one of them back.
#include <gtest/gtest.h>

#include <random>

#include "element_io.h"
#include "formats/format_definition.h"
#include "formats/format_library.h"
#include "formats/template_expansion.h"
#include "formats/template_matching.h"
#include "platform/recording_platform.h"
#include "platform/text_lines.h"

using namespace formats;
using formatstest::ReadElement;
using formatstest::Shape;
using formatstest::WriteElement;

namespace {

constexpr Placeholder kTexts[] = {Placeholder::File, Placeholder::Name, Placeholder::Link,
                                  Placeholder::Type, Placeholder::Model};
constexpr Placeholder kNumbers[] = {
    Placeholder::SizeX,  Placeholder::SizeY,   Placeholder::Size,
    Placeholder::Memory, Placeholder::TileX,   Placeholder::TileY,
    Placeholder::Depth,  Placeholder::GfxMask, Placeholder::TileBase};

std::string RandomWord(std::mt19937& rng, std::string_view alphabet, size_t minLength = 1) {
  std::string s(minLength + rng() % 12, ' ');
  for (char& c : s) c = alphabet[rng() % alphabet.size()];
  return s;
}

std::string RandomName(std::mt19937& rng) {
  return RandomWord(rng, "abcdefghijklmnopqrstuvwxyz0123456789_/.\xE9");
}

int32_t RandomNumber(std::mt19937& rng) {
  switch (rng() % 3) {
    case 0:
      return static_cast<int32_t>(rng() % 300);
    case 1:
      return -static_cast<int32_t>(rng() % 300);
    default:
      return static_cast<int32_t>(rng());
  }
}

// Random placeholders; the text ones, and every number, as the header uses
// them. Returns the values written.
TemplateValues RandomHeader(std::mt19937& rng) {
  TemplateValues v;
  v.reset(ReferenceDefaults{});
  for (Placeholder p : kTexts) v.setTextBytes(p, RandomName(rng));
  for (Placeholder p : kNumbers) v.setNumber(p, RandomNumber(rng));
  return v;
}

TemplateValues CaptureBuffers() {
  TemplateValues v;
  v.reset(ReferenceDefaults{1, 1, 1, 1, 1});
  for (Placeholder p : kTexts) v.setTextBytes(p, "");
  return v;
}

// Every placeholder the header names must come back.
void ExpectHeaderBack(std::string_view header, const TemplateValues& written,
                      const TemplateValues& read) {
  for (Placeholder p : kTexts) {
    if (header.find("%" + std::string(PlaceholderInfoOf(p).name) + "%") != std::string::npos) {
      EXPECT_EQ(read.textBytes(p), written.textBytes(p)) << PlaceholderInfoOf(p).name;
    }
  }
  for (Placeholder p : kNumbers) {
    std::string name(PlaceholderInfoOf(p).name);
    for (const char* prefix : {"", "$", "#1", "#2", "#4"}) {
      if (header.find("%" + std::string(prefix) + name + "%") == std::string::npos) continue;
      int32_t expected = written.number(p);
      if (prefix == std::string("#1")) expected &= 0xFF;
      if (prefix == std::string("#2")) expected &= 0xFFFF;
      EXPECT_EQ(read.number(p), expected) << prefix << name;
    }
  }
}

std::vector<int32_t> RandomValues(std::mt19937& rng, size_t count, int bits, bool isSigned) {
  std::vector<int32_t> values(count);
  for (auto& v : values) {
    uint32_t u = static_cast<uint32_t>(rng());
    if (bits < 32) u &= (1u << bits) - 1u;
    v = static_cast<int32_t>(u);
    if (isSigned && bits < 32 && (u >> (bits - 1)) & 1u) v -= static_cast<int32_t>(1u << bits);
  }
  return values;
}

struct SectionCase {
  SectionType section;
  std::string FormatSection::*valueFormat;
  int bits;
  bool isSigned;     // raw values read back sign-extended
  size_t rowLength;  // 0: one running counter (palettes)
};

void RoundTrip(const OutputFormat& format, const SectionCase& c, uint32_t seed) {
  std::mt19937 rng(seed);
  const FormatSection& s = format.section(c.section);
  platform::RecordingDialogs d;
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE(::testing::Message() << "round " << round);
    TemplateValues written = RandomHeader(rng);
    size_t rows = 1 + rng() % 5;
    size_t count = c.rowLength ? rows * c.rowLength : 1 + rng() % 300;
    std::vector<int32_t> values = RandomValues(rng, count, c.bits, c.isSigned);
    OutputSink out;
    WriteElement(out, s, s.*c.valueFormat, values, Shape{c.rowLength}, written, d);
    TemplateValues read = CaptureBuffers();
    std::vector<int32_t> back =
        ReadElement(out.text(), s, s.*c.valueFormat, count, Shape{c.rowLength}, read, d);
    ASSERT_EQ(back, values);
    ExpectHeaderBack(s.declaration, written, read);
  }
  EXPECT_TRUE(d.entries().empty());
}

using F = FormatSection;

}  // namespace

TEST(RoundTrip, EverySectionOfTheBuiltInFormat) {
  const FormatLibrary lib;
  const SectionCase cases[] = {
      {SectionType::Palette, &F::element, 16, false, 0},
      {SectionType::Bitmap, &F::element, 8, false, 7},
      {SectionType::Bitmap, &F::element2, 16, false, 13},
      {SectionType::Bitmap, &F::element3, 32, false, 5},
      {SectionType::Tileset, &F::element, 8, false, 32},
      {SectionType::Tileset, &F::element2, 16, false, 64},
      {SectionType::Tileset, &F::element3, 32, false, 64},
      {SectionType::Map, &F::element, 16, false, 32},
      {SectionType::Map, &F::element2, 8, false, 3},
      {SectionType::Map, &F::element3, 32, false, 9},
  };
  uint32_t seed = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(lib.current.section(c.section).ext + " " +
                 (lib.current.section(c.section).*c.valueFormat));
    RoundTrip(lib.current, c, seed++);
  }
}

TEST(RoundTrip, UserFormatsWithGroupsRowsAndRawValues) {
  FormatLibrary lib;
  platform::RecordingDialogs d;
  platform::TextLines lines(
      "  # Binary tiles: raw header and values, a separator every four values\n"
      "  tileset {\n"
      "    declaration = \"TS%#2tilex%%#2tiley%%#4size%%#1depth%%#4gfxmask%:%name%\\n\"\n"
      "    n_every = 4\n"
      "    every_x = \"|\"\n"
      "    element = \"%2b\"\n"
      "    element2 = \"%1b\"\n"
      "    element3 = \"<%4b>\"\n"
      "    line = \"\\n\"\n"
      "    end = \"END\"\n"
      "  }\n"
      "  MAP {\n"
      "    Declaration = '/* %name% %sizex%x%sizey% mask=%$gfxmask% base=%tilebase% */\\n"
      "static %type% %name%[] = {\\n'\n"
      "    n_chaque = 3\n"
      "    chaque_x = \"\\b\\n  \"\n"
      "    element = \"%i, \"\n"
      "    element2 = \"0X%08X, \"\n"
      "    element3 = \"%5i; \"\n"
      "    ligne = \"\\b\\b\\n\"\n"
      "    fin = \"\\b\\b};\\n\"\n"
      "  }\n"
      "}\n");
  ASSERT_TRUE(DefineFormat(lib, "\"Perso\" {", lines, d));
  ASSERT_TRUE(SelectFormat(lib, "Perso", d));
  ASSERT_TRUE(d.entries().empty());
  const SectionCase cases[] = {
      {SectionType::Tileset, &F::element, 16, true, 16},
      {SectionType::Tileset, &F::element2, 8, true, 0},
      {SectionType::Tileset, &F::element3, 32, true, 10},
      {SectionType::Map, &F::element, 32, false, 7},
      {SectionType::Map, &F::element2, 32, false, 6},
      {SectionType::Map, &F::element3, 8, true, 1},  // blank-padded "%5i"
  };
  uint32_t seed = 100;
  for (const auto& c : cases) RoundTrip(lib.current, c, seed++);
}

TEST(RoundTrip, ListObjectsThroughTheBuiltInTemplate) {
  std::mt19937 rng(42);
  platform::RecordingDialogs d;
  for (int round = 0; round < 40; ++round) {
    FormatLibrary lib;
    ListModel model;
    model.name = "m";
    size_t fieldCount = rng() % 6;
    for (size_t j = 0; j < fieldCount; ++j) {
      std::string name = RandomWord(rng, "abcdefgh") + std::to_string(j);
      if (rng() % 3 == 0) name = "." + name + "=<v>";
      bool raw = rng() % 2;
      model.fields.push_back(MakeField(raw ? kFieldRaw : kFieldInteger,
                                       raw ? static_cast<int32_t>(2 + rng() % 12) : 4, name, ""));
    }
    lib.models.push_back(model);
    lib.currentModel = 1;
    PrepareObjectTemplate(lib);

    size_t count = rng() % 20;
    auto size = static_cast<size_t>(model.objectSize());
    std::vector<std::vector<uint8_t>> objects(count, std::vector<uint8_t>(size, 0));
    for (auto& o : objects) {
      for (size_t k : {kObjectX, kObjectY, kObjectType}) WriteObjectWord(o, k, RandomNumber(rng));
      for (size_t j = 0; j < fieldCount; ++j) {
        const ModelField& f = model.fields[j];
        auto at = static_cast<size_t>(model.fieldOffset(j));
        if (f.kind == kFieldRaw)
          WriteObjectText(
              o, at, static_cast<size_t>(f.size),
              RandomWord(rng, "abc xyz\xE9", 0).substr(0, static_cast<size_t>(f.size) - 1));
        else
          WriteObjectWord(o, at, RandomNumber(rng));
      }
    }

    const FormatSection& list = lib.current.section(SectionType::List);
    TemplateValues written = RandomHeader(rng);
    written.setUserTextBytes(1, "#include \"" + RandomName(rng) + "\"");
    OutputSink out;
    Expand(list.declaration, out, written, d);
    for (const auto& o : objects) {
      WriteObject(out, lib.objectTemplate, o);
      Expand(list.line, out, written, d);
    }
    Expand(list.end, out, written, d);

    std::string_view text = out.text();
    TemplateValues read = CaptureBuffers();
    size_t pos = Match(text, 0, list.declaration, read, d);
    ASSERT_NE(pos, kNoPosition);
    ExpectHeaderBack(list.declaration, written, read);
    EXPECT_EQ(read.userText(1), written.userText(1));
    for (const auto& o : objects) {
      std::vector<uint8_t> back(size, 0);
      bool mark = false;
      pos = ReadObject(text, pos, lib.objectTemplate, back, ObjectReadMode::Strict, "", mark, d);
      ASSERT_NE(pos, kNoPosition);
      EXPECT_EQ(back, o);
      EXPECT_FALSE(mark);
    }
    EXPECT_EQ(Match(text, pos, list.end, read, d), text.size());
  }
  EXPECT_TRUE(d.entries().empty());
}
