#include "formats/format_definition.h"

#include <gtest/gtest.h>

#include "formats/format_library.h"
#include "platform/recording_platform.h"
#include "platform/text_lines.h"

using namespace formats;

namespace {

struct Fixture {
  FormatLibrary lib;
  platform::RecordingDialogs dialogs;

  bool define(std::string_view argument, std::string body) {
    platform::TextLines lines(std::move(body));
    return DefineFormat(lib, argument, lines, dialogs);
  }
  const OutputFormat& format(std::string_view name) {
    return lib.formats.at(static_cast<size_t>(FindFormat(lib, name)));
  }
};

}  // namespace

TEST(FormatDefinition, QuotedValuesKeepTheirCapitalsAndCommentsAreDropped) {
  Fixture f;
  ASSERT_TRUE(f.define("\"Mon Format\" {",
                       "  TILESET {\n"
                       "\tELEMENT = \"0X%04X, # not a comment\"   # a comment \"quoted\"\n"
                       "\tEXT = '.TIL.S'\n"
                       "  }\n"
                       "}\n"
                       "after the definition\n"));
  const FormatSection& s = f.format("Mon Format").section(SectionType::Tileset);
  EXPECT_EQ(s.element, "0X%04X, # not a comment");
  EXPECT_EQ(s.ext, ".TIL.S");
  EXPECT_TRUE(f.dialogs.entries().empty());
}

TEST(FormatDefinition, KeywordsInBothLanguagesAndAnyCase) {
  Fixture f;
  ASSERT_TRUE(
      f.define("deux {",
               "liste {\n N_CHAQUE = 5\n CHAQUE_X = \"|\"\n LIGNE = \"\\n\"\n fin = \"F\"\n}\n"
               "LIST {\n n_every = 7\n}\n"
               "vide {\n declaration = \"v\"\n}\n"
               "Type8 = \"u8\"\nUSER[3] = \"trois\"\nuser[9] = \"neuf\"\nunknown = \"x\"\n}\n"));
  const OutputFormat& fmt = f.format("deux");
  const FormatSection& list = fmt.section(SectionType::List);
  EXPECT_EQ(list.n_every, 7);  // the later assignment of the same field
  EXPECT_EQ(list.every_x, "|");
  EXPECT_EQ(list.line, "\r\n");  // formats carry CR LF
  EXPECT_EQ(list.end, "F");
  EXPECT_EQ(fmt.section(SectionType::Empty).declaration, "v");
  EXPECT_EQ(fmt.type8, "u8");
  EXPECT_EQ(fmt.user[2], "trois");
  EXPECT_TRUE(f.dialogs.entries().empty());
}

TEST(FormatDefinition, NewFormatCopiesTheSelectedOneButItsEmptySection) {
  Fixture f;
  f.lib.formats[0].section(SectionType::Empty).declaration = "kept in Standard";
  SelectFormatAt(f.lib, 0);
  ASSERT_TRUE(f.define("copie {", "palette {\n ext = \".pal.s\"\n}\n}\n"));
  const OutputFormat& copy = f.format("copie");
  const OutputFormat& standard = f.lib.formats[0];
  EXPECT_EQ(copy.section(SectionType::Palette).ext, ".pal.s");
  EXPECT_EQ(copy.section(SectionType::Palette).declaration,
            standard.section(SectionType::Palette).declaration);
  EXPECT_EQ(copy.section(SectionType::Map).line, standard.section(SectionType::Map).line);
  EXPECT_EQ(copy.user[0], "#include \"def.h\"");
  EXPECT_EQ(copy.typesd, "SPRITE_LISTE");
  EXPECT_EQ(copy.section(SectionType::Empty).declaration, "");
  EXPECT_EQ(f.lib.currentFormat, 0);  // defining does not select
}

TEST(FormatDefinition, RedefiningTheSelectedFormatTakesEffectAtTheNextSelection) {
  Fixture f;
  ASSERT_TRUE(f.define("f {", "map {\n ext = \".a\"\n}\n}\n"));
  ASSERT_TRUE(SelectFormat(f.lib, "f", f.dialogs));
  ASSERT_TRUE(f.define("\"f\"", "map {\n ext = \".b\"\n}\n}\n"));
  EXPECT_EQ(f.lib.formats.size(), 2u);
  EXPECT_EQ(f.lib.current.section(SectionType::Map).ext, ".a");
  ASSERT_TRUE(SelectFormat(f.lib, "f", f.dialogs));
  EXPECT_EQ(f.lib.current.section(SectionType::Map).ext, ".b");
}

TEST(FormatDefinition, DebugMessagesForUnexpectedCharactersAndFieldsOutsideSections) {
  Fixture f;
  ASSERT_TRUE(f.define("g {",
                       "element = \"x\"\n"
                       "bitmap {\n"
                       "  element : \"y\"\n"
                       "  ext = .sans.guillemets\n"
                       "  é\n"
                       "}\n"
                       "}\n"));
  std::vector<std::string> expected = {
      "Définition de champ rencontrée hors de toute section (element=\"x\")",
      "Caractère inattendu: :",
      "Valeur ignorée, une chaîne délimitée est attendue (ext=.sans.guillemets)",
      "Caractère inattendu: é",
  };
  EXPECT_EQ(f.dialogs.texts(), expected);
  for (const auto& e : f.dialogs.entries()) {
    EXPECT_EQ(e.caption, "Débogage");
    EXPECT_EQ(e.icon, platform::Icon::None);
  }
  EXPECT_EQ(f.format("g").section(SectionType::Bitmap).ext, ".bmp.c");  // unchanged
}

TEST(FormatDefinition, UnknownSectionLeavesNoSectionOpen) {
  Fixture f;
  ASSERT_TRUE(f.define("h {", "sprites {\n ext = \".s\"\n}\n ext = \".t\"\n}\n"));
  // "}" closed nothing, so it ended the definition; the last lines are not read.
  ASSERT_EQ(f.dialogs.entries().size(), 1u);
  EXPECT_EQ(f.dialogs.entries()[0].text,
            "Définition de champ rencontrée hors de toute section (ext=\".s\")");
}

TEST(FormatDefinition, NamesAndTheMissingBrace) {
  Fixture f;
  platform::TextLines lines("map {\n}\n}\nnext\n");
  EXPECT_FALSE(DefineFormat(f.lib, "sans accolade", lines, f.dialogs));
  ASSERT_EQ(f.dialogs.entries().size(), 1u);
  EXPECT_EQ(f.dialogs.entries()[0].text,
            "Vous avez oublié le { d'ouverture du format (sur la même ligne).");
  EXPECT_EQ(f.dialogs.entries()[0].caption, "Erreur d'exécution du script");
  EXPECT_EQ(f.dialogs.entries()[0].icon, platform::Icon::Error);
  EXPECT_EQ(lines.position(), 0u);  // nothing read
  // An unquoted name runs up to the brace, blanks trimmed; a long one is cut.
  ASSERT_TRUE(f.define("  avec blancs   {", "}\n"));
  EXPECT_GE(FindFormat(f.lib, "avec blancs"), 0);
  ASSERT_TRUE(f.define("\"" + std::string(120, 'n') + "\"", "}\n"));
  EXPECT_GE(FindFormat(f.lib, std::string(99, 'n')), 0);
}

TEST(FormatDefinition, TheFormatTableHasACap) {
  Fixture f;
  for (size_t i = f.lib.formats.size(); i < kMaxFormats; ++i)
    ASSERT_TRUE(f.define("f" + std::to_string(i) + " {", "}\n"));
  EXPECT_TRUE(f.dialogs.entries().empty());
  platform::TextLines lines("map {\n ext = \".z\"\n}\n}\nnext line\n");
  EXPECT_FALSE(DefineFormat(f.lib, "one too many {", lines, f.dialogs));
  EXPECT_EQ(f.lib.formats.size(), kMaxFormats);
  ASSERT_EQ(f.dialogs.entries().size(), 1u);
  EXPECT_EQ(f.dialogs.entries()[0].text,
            "Impossible de définir le format one too many: 100 formats au plus.");
  // The refused block was read through, so it does not run as statements.
  std::string rest;
  ASSERT_TRUE(lines.readLine(rest));
  EXPECT_EQ(rest, "next line");
  // Redefining an existing format is still possible.
  EXPECT_TRUE(f.define("f5 {", "}\n"));
}
