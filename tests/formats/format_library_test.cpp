#include "formats/format_library.h"

#include <gtest/gtest.h>

#include "formats/format_definition.h"
#include "platform/recording_platform.h"
#include "platform/text_lines.h"

using namespace formats;

namespace {

void Define(FormatLibrary& lib, std::string_view argument, std::string body,
            platform::UserDialogs& d) {
  platform::TextLines lines(std::move(body));
  ASSERT_TRUE(DefineFormat(lib, argument, lines, d));
}

}  // namespace

TEST(FormatLibrary, StartsWithStandardAndDefaultSelected) {
  FormatLibrary lib;
  ASSERT_EQ(lib.formats.size(), 1u);
  EXPECT_EQ(lib.formats[0].name, "Standard");
  EXPECT_EQ(lib.current.name, "Standard");
  EXPECT_TRUE(StandardSelected(lib));
  ASSERT_EQ(lib.models.size(), 1u);
  EXPECT_EQ(CurrentModel(lib).name, "Default");
  EXPECT_EQ(CurrentModel(lib).objectSize(), 12);
}

TEST(FormatLibrary, SelectingAnUnknownNameKeepsTheCurrentFormat) {
  FormatLibrary lib;
  platform::RecordingDialogs d;
  Define(lib, "autre {", "}\n", d);
  ASSERT_TRUE(SelectFormat(lib, "autre", d));
  EXPECT_FALSE(SelectFormat(lib, "Autre", d));  // names are exact
  EXPECT_EQ(lib.current.name, "autre");
  ASSERT_EQ(d.entries().size(), 1u);
  EXPECT_EQ(d.entries()[0].text, "Format Autre non-trouvé");
  EXPECT_EQ(d.entries()[0].caption, "Erreur ChoisitFormat");
  EXPECT_EQ(d.entries()[0].icon, platform::Icon::Error);
}

TEST(FormatLibrary, ExtensionSelectsOnlyAnUnambiguousFormat) {
  FormatLibrary lib;
  platform::RecordingDialogs d;
  // A new format copies Standard's extensions: ".map.c" is then in two formats.
  Define(lib, "asm {",
         "bitmap {\n ext = \".bmp.s\"\n}\npalette {\n ext = \".pal.s\"\n}\n"
         "tileset {\n ext = \".til.s\"\n}\nlist {\n ext = \".lst.s\"\n}\n}\n",
         d);
  EXPECT_TRUE(SelectFormatByExtension(lib, "gfx/hero.til.s"));
  EXPECT_EQ(lib.current.name, "asm");
  EXPECT_TRUE(SelectFormatByExtension(lib, "gfx\\hero.pal.c"));
  EXPECT_EQ(lib.current.name, "Standard");
  ASSERT_TRUE(SelectFormat(lib, "asm", d));
  EXPECT_FALSE(SelectFormatByExtension(lib, "level1.map.c"));  // both formats
  EXPECT_EQ(lib.current.name, "asm");
  EXPECT_FALSE(SelectFormatByExtension(lib, "dir.d/noextension"));
  EXPECT_FALSE(SelectFormatByExtension(lib, "level.unknown"));
  EXPECT_EQ(lib.current.name, "asm");
  // Two sections of one format with the same extension count twice.
  Define(lib, "double {", "bitmap {\n ext = \".dbl\"\n}\ntileset {\n ext = \".dbl\"\n}\n}\n", d);
  EXPECT_FALSE(SelectFormatByExtension(lib, "x.dbl"));
  EXPECT_TRUE(d.entries().empty());
}

TEST(FormatLibrary, RememberedNamesAreSelectedAtTheEndOfStartUp) {
  FormatLibrary lib;
  platform::RecordingDialogs d;
  Define(lib, "f {", "}\n", d);
  RememberFormat(lib, "f");
  RememberModel(lib, "absent");
  EXPECT_EQ(lib.current.name, "Standard");
  SelectRememberedNames(lib, d);
  EXPECT_EQ(lib.current.name, "f");
  ASSERT_EQ(d.entries().size(), 1u);
  EXPECT_EQ(d.entries()[0].text, "Modèle absent non-trouvé");
  EXPECT_EQ(d.entries()[0].caption, "Erreur ChoisitModele");
  EXPECT_EQ(d.entries()[0].icon, platform::Icon::Error);
}

TEST(FormatLibrary, UserTextsLoadFromTheCurrentFormat) {
  FormatLibrary lib;
  SetFormatUserText(lib.formats[0], 2, "__attribute__((aligned(4))) ");
  SelectFormatAt(lib, 0);
  lib.values.setUserText(5, "stale");
  LoadUserTexts(lib);
  EXPECT_EQ(lib.values.userText(1), "#include \"def.h\"");
  EXPECT_EQ(lib.values.userText(2), "__attribute__((aligned(4))) ");
  EXPECT_EQ(lib.values.userText(5), "");
  // A buffer holds 511 bytes.
  lib.values.setUserText(3, std::string(600, 'u'));
  EXPECT_EQ(lib.values.userText(3).size(), kUserTextCapacity);
}

TEST(FormatLibrary, ResetGivesEveryPlaceholderItsDefault) {
  FormatLibrary lib;
  lib.values.setText(Placeholder::Name, "x");
  lib.values.setNumber(Placeholder::Depth, 8);
  lib.values.setNumber(Placeholder::GfxMask, 3);
  ResetPlaceholders(lib, ReferenceDefaults{240, 160, 16, 32, 7});
  EXPECT_FALSE(lib.values.hasText(Placeholder::Name));
  EXPECT_EQ(lib.values.number(Placeholder::Depth), 0);
  EXPECT_EQ(lib.values.number(Placeholder::GfxMask), -1);
  EXPECT_EQ(lib.values.number(Placeholder::SizeX), 240);
  EXPECT_EQ(lib.values.number(Placeholder::SizeY), 160);
  EXPECT_EQ(lib.values.number(Placeholder::TileX), 16);
  EXPECT_EQ(lib.values.number(Placeholder::TileY), 32);
  EXPECT_EQ(lib.values.number(Placeholder::TileBase), 7);
}
