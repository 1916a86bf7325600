// The ANSI (1252) and OEM (850) code pages.
#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"

#include "framework/system/codepages.h"

namespace {

TEST(CodePages, ExactBytes)
{
  EXPECT_EQ(EncodeAnsi(QString::fromUtf8("€äÿŠ")), QByteArray("\x80\xE4\xFF\x8A"));
  EXPECT_EQ(EncodeOem(QString::fromUtf8("äÄß€")), QByteArray("\x84\x8E\xE1?"));
  EXPECT_EQ(DecodeOem(QByteArray("\x84\xB0\xFF")), QString::fromUtf8("ä░\u00A0"));
  EXPECT_EQ(DecodeAnsi(QByteArray("\x80\x9F")), QString::fromUtf8("€Ÿ"));
  EXPECT_EQ(EncodeAnsi(QString::fromUtf8("ā😀")), QByteArray("??")) << "one '?' per character";
}

TEST(CodePages, EveryByteRoundTrips)
{
  QByteArray all;
  for (int b = 0; b < 256; ++b) all += char(b);
  EXPECT_EQ(EncodeAnsi(DecodeAnsi(all)), all);
  EXPECT_EQ(EncodeOem(DecodeOem(all)), all);
}

TEST(CodePages, AnsiOemConversion)
{
  const QString text = QString::fromUtf8("Größe");
  EXPECT_EQ(OemToAnsi(AnsiToOem(text)), text);
  EXPECT_EQ(AnsiToOem(QString::fromUtf8("ä")), QString::fromUtf8("\u201E"));  // byte 0x84 shown as ANSI
}

}  // namespace

namespace {

TEST(CodePages, Utf8Validity)
{
  const struct {
    const char *name;
    QByteArray bytes;
    qsizetype invalidAt;
    bool multiByte;
  } cases[] = {
      {"ascii", "plain", -1, false},
      {"empty", "", -1, false},
      {"two, three and four bytes", "ge\xC3\xB6" "ffnet \xE2\x82\xAC \xF0\x9F\x98\x80", -1, true},
      {"Windows-1252", "ge\xF6" "ffnet", 2, false},
      {"pilcrow byte", "a \xB6 b", 2, false},
      {"cut at the end", "ok\xE2\x82", 2, false},
      {"overlong slash", "a\xC0\xAF", 1, false},
      {"surrogate", "\xED\xA0\x80", 0, false},
      {"above U+10FFFF", "\xF4\x90\x80\x80", 0, false},
      {"valid then invalid", "\xC3\xB6 \xFC", 3, false},
      {"invalid after a long ASCII run", "0123456789abcdef\xFF", 16, false},
      {"invalid inside the last eight bytes", "01234567\xC3\xB6" "89a\xFC" "bcdefgh", 13, false},
      {"valid after a long ASCII run", "0123456789abcdef\xC3\xB6", -1, true},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(InvalidUtf8Offset(c.bytes), c.invalidAt) << c.name;
    EXPECT_EQ(IsMultiByteUtf8(c.bytes), c.multiByte) << c.name;
  }
}

}  // namespace
