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
