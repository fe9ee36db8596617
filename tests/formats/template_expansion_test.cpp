#include "formats/template_expansion.h"

#include <gtest/gtest.h>

#include "formats/output_sink.h"
#include "formats/placeholders.h"
#include "platform/recording_platform.h"

using namespace formats;

namespace {

std::string Expanded(std::string_view tmpl, const TemplateValues& v,
                     platform::RecordingDialogs& d) {
  OutputSink out;
  Expand(tmpl, out, v, d);
  return out.text();
}

}  // namespace

TEST(Expansion, HexAndRawPrefixes) {
  platform::RecordingDialogs d;
  TemplateValues v;
  v.reset(ReferenceDefaults{});
  EXPECT_EQ(Expanded("%$gfxmask%", v, d), "ffffffff");
  v.setNumber(Placeholder::Size, 0x0102);
  EXPECT_EQ(Expanded("[%#2size%]", v, d), std::string("[\x02\x01]", 4));
  EXPECT_EQ(Expanded("%#1size%%#4size%", v, d), std::string("\x02\x02\x01\x00\x00", 5));
  EXPECT_EQ(Expanded("%size%/%$size%", v, d), "258/102");
  EXPECT_TRUE(d.entries().empty());
}

TEST(Expansion, RawDigitOtherThan124IsReported) {
  platform::RecordingDialogs d;
  TemplateValues v;
  EXPECT_EQ(Expanded("a%#3size%b", v, d), "ab");
  ASSERT_EQ(d.entries().size(), 1u);
  EXPECT_EQ(d.entries()[0].text, "Erreur de typage binaire (3)");
  EXPECT_EQ(d.entries()[0].caption, "Débogage");
}

TEST(Expansion, UserTextNineAndUnknownNamesWriteNothing) {
  platform::RecordingDialogs d;
  TemplateValues v;
  v.setUserText(1, "un");
  v.setUserText(8, "huit");
  EXPECT_EQ(Expanded("<%user[1]%|%user[8]%|%user[9]%|%user[0]%|%nothing%|%Size%>", v, d),
            "<un|huit||||>");
  EXPECT_TRUE(d.entries().empty());
}

TEST(Expansion, ReferenceDefaultsAndTextsWithoutValue) {
  platform::RecordingDialogs d;
  TemplateValues v;
  v.reset(ReferenceDefaults{320, 200, 16, 8, 512});
  EXPECT_EQ(Expanded("%sizex%x%sizey% %tilex%x%tiley% %tilebase% %size%%memory%%depth%", v, d),
            "320x200 16x8 512 000");
  // Texts without a value write nothing; `null` never has one.
  v.setText(Placeholder::Null, "x");
  EXPECT_EQ(Expanded("[%file%%name%%null%]", v, d), "[]");
}

TEST(Expansion, ProgramTextIsWrittenInWindows1252) {
  platform::RecordingDialogs d;
  TemplateValues v;
  v.setText(Placeholder::Name, "éléphant");
  EXPECT_EQ(Expanded("%name%", v, d), "\xE9l\xE9phant");
  EXPECT_EQ(v.textUtf8(Placeholder::Name), "éléphant");
}

TEST(Expansion, OutputTakesTheFirstBranch) {
  platform::RecordingDialogs d;
  TemplateValues v;
  v.setNumber(Placeholder::Depth, 4);
  EXPECT_EQ(Expanded("[%+if<>(%%depth% bits%+else%(none)%+end%]", v, d), "[4 bits]");
  EXPECT_EQ(Expanded("%+noerror%a%+endnoerror%%+if=x%b%+endif%", v, d), "ab");
  // The first token beginning with +end closes, nesting is not counted.
  EXPECT_EQ(Expanded("1%+else%2%+if=a%3%+end%4%+end%5", v, d), "145");
  // A token without its closing '%' runs to the end of the template.
  EXPECT_EQ(Expanded("ab%depth", v, d), "ab4");
}

TEST(Expansion, BackspacesInTemplatesStepBack) {
  platform::RecordingDialogs d;
  TemplateValues v;
  v.setNumber(Placeholder::Size, 12);
  EXPECT_EQ(Expanded("abc\b\b%size%", v, d), "a12");
  EXPECT_EQ(Expanded("abcdef\b\b\b\bX", v, d), "abXdef");
}
