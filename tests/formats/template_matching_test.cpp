#include "formats/template_matching.h"

#include <gtest/gtest.h>

#include "formats/output_format.h"
#include "formats/placeholders.h"
#include "formats/standard_format.h"
#include "formats/value_format.h"
#include "platform/recording_platform.h"

using namespace formats;

namespace {

const std::string kCredit = "//Converti avec Tessel Works par Velmar\r\n";

std::string MapHeaderText(bool blankLineBeforeConst, bool withBaseAndMask) {
  std::string s = "//lvl.map.c\r\n" + kCredit + "//Map (\"\",\"gfx/t.til.c\"";
  s += withBaseAndMask ? ",3,ff00)\r\n" : ")\r\n";
  s += "//Taille: 16*8 * 40*30\r\n//M\xE9moire: 2400 octets\r\n";
  if (blankLineBeforeConst) s += "\r\n";
  s += "const unsigned short lvl_map[30][40]=\t{\r\n\t{0x0001, ";
  return s;
}

TemplateValues CapturingValues() {
  TemplateValues v;
  v.reset(ReferenceDefaults{});
  for (Placeholder p : {Placeholder::Link, Placeholder::Name, Placeholder::Type, Placeholder::Bits,
                        Placeholder::Model})
    v.setText(p, "");
  return v;
}

}  // namespace

TEST(Matching, MapHeaderReadsWithAndWithoutTheLineBeforeConst) {
  const OutputFormat standard = MakeStandardFormat();
  const std::string& tmpl = standard.section(SectionType::Map).declaration;
  for (bool blank : {true, false}) {
    for (bool baseAndMask : {true, false}) {
      SCOPED_TRACE(testing::Message() << "blank=" << blank << " base=" << baseAndMask);
      platform::RecordingDialogs d;
      TemplateValues v = CapturingValues();
      std::string text = MapHeaderText(blank, baseAndMask);
      size_t pos = Match(text, 0, tmpl, v, d);
      ASSERT_NE(pos, kNoPosition);
      EXPECT_EQ(text.substr(pos), "0x0001, ");
      EXPECT_EQ(v.textUtf8(Placeholder::Link), "gfx/t.til.c");
      EXPECT_EQ(v.textUtf8(Placeholder::Name), "lvl");
      EXPECT_EQ(v.textUtf8(Placeholder::Type), "short");
      EXPECT_EQ(v.number(Placeholder::TileX), 16);
      EXPECT_EQ(v.number(Placeholder::TileY), 8);
      EXPECT_EQ(v.number(Placeholder::SizeX), 40);
      EXPECT_EQ(v.number(Placeholder::SizeY), 30);
      EXPECT_EQ(v.number(Placeholder::Memory), 2400);
      EXPECT_EQ(v.number(Placeholder::TileBase), baseAndMask ? 3 : 0);
      EXPECT_EQ(v.number(Placeholder::GfxMask), baseAndMask ? 0xff00 : -1);
      EXPECT_TRUE(d.entries().empty());
    }
  }
}

TEST(Matching, TilesetHeaderWithoutDepthTakesTheElseBranch) {
  const OutputFormat standard = MakeStandardFormat();
  const std::string& tmpl = standard.section(SectionType::Tileset).declaration;
  std::string text = "junk before//t.til.c\r\n" + kCredit +
                     "//Tileset (\"p.pal.c\")\r\n//Taille: 8*8*3\r\n//M\xE9moire: 96 octets\r\n"
                     "\r\nconst unsigned char t_tiles[96]=\t{\r\n0x00";
  platform::RecordingDialogs d;
  TemplateValues v = CapturingValues();
  v.setNumber(Placeholder::Depth, 77);
  size_t pos = Match(text, 0, tmpl, v, d);
  ASSERT_NE(pos, kNoPosition);
  EXPECT_EQ(text.substr(pos), "0x00");
  EXPECT_EQ(v.number(Placeholder::Depth), 77);  // not in the text
  EXPECT_EQ(v.textUtf8(Placeholder::Link), "p.pal.c");
  EXPECT_EQ(v.number(Placeholder::Size), 3);
  EXPECT_TRUE(d.entries().empty());
}

TEST(Matching, TextPlaceholdersCaptureOnlyWithABuffer) {
  platform::RecordingDialogs d;
  TemplateValues v;
  v.setText(Placeholder::Name, "");
  ASSERT_NE(Match("<abc|d\xE9"
                  "f>",
                  0, "<%name%|%file%>", v, d),
            kNoPosition);
  EXPECT_EQ(v.textUtf8(Placeholder::Name), "abc");
  EXPECT_FALSE(v.hasText(Placeholder::File));
  v.setText(Placeholder::File, "");
  ASSERT_NE(Match("<abc|d\xE9"
                  "f>",
                  0, "<%name%|%file%>", v, d),
            kNoPosition);
  EXPECT_EQ(v.textUtf8(Placeholder::File), "déf");  // handed back as UTF-8
}

TEST(Matching, CapturesUserTextsAndRawValues) {
  platform::RecordingDialogs d;
  TemplateValues v;
  // The raw bytes contain the next literal's character: they are still taken
  // whole.
  std::string text = "U:hello;S:";
  text += "\x3B\x01;end";
  size_t pos = Match(text, 0, "U:%user[3]%;S:%#2size%;", v, d);
  ASSERT_NE(pos, kNoPosition);
  EXPECT_EQ(text.substr(pos), "end");
  EXPECT_EQ(v.userText(3), "hello");
  EXPECT_EQ(v.number(Placeholder::Size), 0x013B);
  // The text ends inside a raw value.
  EXPECT_EQ(Match(std::string("S:\x01", 3), 0, "S:%#2size%", v, d), kNoPosition);
}

TEST(Matching, TemplateWithoutTokensEndsAfterItsLiteral) {
  platform::RecordingDialogs d;
  TemplateValues v;
  EXPECT_EQ(Match("0x01,\r\n0x02", 0, "\b\r\n", v, d), 7u);
  EXPECT_EQ(Match("abc", 0, "", v, d), 0u);
  EXPECT_EQ(Match("abc", 0, "zz", v, d), kNoPosition);
  EXPECT_EQ(Match("abc", 9, "a", v, d), kNoPosition);
  EXPECT_TRUE(d.entries().empty());
}

TEST(Matching, ConditionsReadTheTextAtHand) {
  platform::RecordingDialogs d;
  TemplateValues v;
  const char* tmpl = "(%+if=,%,%size%)%+else%)%+end%";
  EXPECT_EQ(Match("(,7)", 0, tmpl, v, d), 4u);
  EXPECT_EQ(v.number(Placeholder::Size), 7);
  EXPECT_EQ(Match("()", 0, tmpl, v, d), 2u);
  // A condition without an else branch skips to its end.
  EXPECT_EQ(Match("[]", 0, "[%+if=x%x%depth%%+end%]", v, d), 2u);
  // Any other form of +if is false.
  EXPECT_EQ(Match("ab", 0, "a%+if!b%X%+else%%+end%b", v, d), 2u);
  EXPECT_TRUE(d.entries().empty());
}

TEST(Matching, MismatchIsReported) {
  platform::RecordingDialogs d;
  TemplateValues v;
  // After a raw value the literal must follow at once.
  EXPECT_EQ(Match(std::string("S\x01\x02X", 4), 0, "S%#2size%Y", v, d), kNoPosition);
  ASSERT_EQ(d.entries().size(), 1u);
  EXPECT_EQ(d.entries()[0].text, "Le format du fichier ne correspond pas avec celui attendu.");
  EXPECT_EQ(d.entries()[0].caption, "Débogage");
  EXPECT_EQ(d.entries()[0].icon, platform::Icon::None);
}

TEST(Matching, RecoveryResumesAtALaterLongLiteral) {
  platform::RecordingDialogs d;
  TemplateValues v;
  const char* tmpl = "A%size%;B%depth%::%memory%MARK%sizex%.";
  // ";" never comes, "::" is too short, "MARK" is found.
  std::string text = "A1 xx 5MARK9.";
  size_t pos = Match(text, 0, tmpl, v, d);
  EXPECT_EQ(pos, text.size());
  EXPECT_EQ(v.number(Placeholder::SizeX), 9);
  ASSERT_EQ(d.entries().size(), 1u);
  EXPECT_EQ(d.entries()[0].text, "Tente de recouvrer d'une erreur fatale de lecture...");
  EXPECT_EQ(d.entries()[0].caption, "Débogage");
  // No later literal occurs: the match fails.
  d.clear();
  EXPECT_EQ(Match("A1 xx", 0, tmpl, v, d), kNoPosition);
  EXPECT_EQ(d.entries().size(), 1u);
}

TEST(Matching, NoerrorSilencesTheRecoveryMessage) {
  platform::RecordingDialogs d;
  TemplateValues v;
  const char* tmpl = "A%+noerror%%size%;%+endnoerror%%depth%LONGTAIL";
  EXPECT_EQ(Match("A1 LONGTAIL", 0, tmpl, v, d), 11u);
  EXPECT_TRUE(d.entries().empty());
  EXPECT_EQ(Match("A1;2 LONGTAI", 0, tmpl, v, d), kNoPosition);
  EXPECT_EQ(d.entries().size(), 1u);  // restored after +endnoerror
}
