#include "formats/value_format.h"

#include <gtest/gtest.h>

#include "formats/output_sink.h"
#include "formats/placeholders.h"
#include "formats/template_expansion.h"
#include "platform/recording_platform.h"

using namespace formats;

namespace {

std::string Written(std::string_view fmt, int32_t value, platform::RecordingDialogs& d) {
  OutputSink out;
  WriteValue(out, fmt, value, d);
  return out.text();
}

struct Read {
  int32_t value;
  size_t pos;
};

Read ReadAt(std::string_view text, std::string_view fmt, platform::RecordingDialogs& d,
            size_t pos = 0) {
  int32_t v = -12345;
  size_t p = ReadValue(text, pos, fmt, v, d);
  return {v, p};
}

}  // namespace

TEST(ValueFormat, FooterBackspacesRemoveTheLastSeparator) {
  platform::RecordingDialogs d;
  OutputSink out;
  WriteValue(out, "0x%04x, ", 1, d);
  WriteValue(out, "0x%04x, ", 2, d);
  Expand("\b\b};\r\n", out, TemplateValues{}, d);
  EXPECT_EQ(out.text(), "0x0001, 0x0002};\r\n");
}

TEST(ValueFormat, ConversionsFollowPrintfWidthsAndFlags) {
  platform::RecordingDialogs d;
  EXPECT_EQ(Written("%i", -42, d), "-42");
  EXPECT_EQ(Written("[%5i]", -42, d), "[  -42]");
  EXPECT_EQ(Written("[%05i]", -42, d), "[-0042]");
  EXPECT_EQ(Written("%x", -1, d), "ffffffff");
  EXPECT_EQ(Written("0X%08X,", 0xBEEF, d), "0X0000BEEF,");
  EXPECT_EQ(Written("%02x", 0x1234, d), "1234");  // a width never cuts
  EXPECT_EQ(Written("a%qb%%c%", 7, d), "abc");    // other letters are dropped
  EXPECT_EQ(Written("%4b", 0x01020304, d), std::string("\x04\x03\x02\x01", 4));
  EXPECT_EQ(Written("%1b|%2b", 0x1FF, d), std::string("\xFF|\xFF\x01", 4));
  EXPECT_TRUE(d.entries().empty());
}

TEST(ValueFormat, RawWidthOtherThan124IsReportedAndWritesNothing) {
  platform::RecordingDialogs d;
  EXPECT_EQ(Written("<%3b>", 5, d), "<>");
  EXPECT_EQ(Written("<%b>", 5, d), "<>");
  ASSERT_EQ(d.entries().size(), 2u);
  EXPECT_EQ(d.entries()[0].text, "Erreur de type binaire (%1b, %2b, %4b seulement)");
  EXPECT_EQ(d.entries()[0].caption, "Débogage");
  EXPECT_EQ(d.entries()[0].icon, platform::Icon::None);
}

TEST(ValueFormat, ReadingStopsAtTheFirstDifference) {
  platform::RecordingDialogs d;
  std::string_view text = "0x0001, 0x0002};";
  Read a = ReadAt(text, "0x%04x, ", d);
  EXPECT_EQ(a.value, 1);
  EXPECT_EQ(a.pos, 8u);
  Read b = ReadAt(text, "0x%04x, ", d, a.pos);
  EXPECT_EQ(b.value, 2);  // its ", " was overwritten by the footer
  EXPECT_EQ(text.substr(b.pos), "};");
  // Nothing consumed: the element's values end.
  EXPECT_EQ(ReadAt(text, "0x%04x, ", d, b.pos).pos, kNoPosition);
  EXPECT_EQ(ReadAt(text, "0x%04x, ", d, text.size()).pos, kNoPosition);
  EXPECT_EQ(ReadAt(text, "0x%04x, ", d, text.size() + 5).pos, kNoPosition);
}

TEST(ValueFormat, ReadingTakesEachConversionsDigits) {
  platform::RecordingDialogs d;
  EXPECT_EQ(ReadAt("-17,", "%i,", d).value, -17);
  EXPECT_EQ(ReadAt("ffAB", "%x", d).value, 0xff);       // x: lower case only
  EXPECT_EQ(ReadAt("ffAB", "%X", d).pos, kNoPosition);  // X: upper case only
  EXPECT_EQ(ReadAt("0XBEEF,", "0X%08X,", d).value, 0xBEEF);
  EXPECT_EQ(ReadAt("ffffffff", "%x", d).value, -1);
  // Blank padding of a width is skipped, zero padding is digits anyway.
  EXPECT_EQ(ReadAt("  -42;", "%5i;", d).value, -42);
  EXPECT_EQ(ReadAt("  -42;", "%5i;", d).pos, 6u);
  EXPECT_EQ(ReadAt(" 42", "%i", d).pos, kNoPosition);
  // Raw values are signed little-endian of their width.
  EXPECT_EQ(ReadAt(std::string("\xFF\xFF", 2), "%2b", d).value, -1);
  EXPECT_EQ(ReadAt(std::string("\x34\x12", 2), "%2b", d).value, 0x1234);
  EXPECT_EQ(ReadAt(std::string("\x80", 1), "%1b", d).value, -128);
  // The text ends inside a raw value: nothing is read.
  EXPECT_EQ(ReadAt(std::string("\x01", 1), "%2b", d).pos, kNoPosition);
  EXPECT_TRUE(d.entries().empty());
  Read bad = ReadAt("abcdef", "%3b", d);
  EXPECT_EQ(bad.pos, 3u);  // skips the width
  ASSERT_EQ(d.entries().size(), 1u);
  EXPECT_EQ(d.entries()[0].text, "Erreur de typage binaire");
}
