// String routines: trimming, case, comparisons and the 1-based position helpers.
#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"

#include "framework/system/sysutils.h"

namespace {

TEST(Strings, TrimRemovesBlanksAndControlCharacters)
{
  const QString s = QString::fromLatin1("\t\r\n \x01") + "a b" + QString::fromLatin1(" \x1F\0", 3);
  EXPECT_EQ(Trim(s), "a b");
  EXPECT_EQ(TrimLeft(s), QString("a b") + QString::fromLatin1(" \x1F\0", 3));
  EXPECT_EQ(TrimRight("  x  "), "  x");
  EXPECT_EQ(Trim(QString(QChar(0xA0)) + "x"), QString(QChar(0xA0)) + "x");  // no-break space stays
  EXPECT_EQ(Trim("   "), "");
}

TEST(Strings, CaseConversionAndComparison)
{
  EXPECT_EQ(UpperCase("abc äö"), "ABC äö");
  EXPECT_EQ(LowerCase("ÄBC"), "Äbc");
  EXPECT_EQ(AnsiUpperCase("abc äö"), "ABC ÄÖ");
  EXPECT_EQ(AnsiLowerCase("ÄBC"), "äbc");
  EXPECT_EQ(CompareText("abc", "ABC"), 0);
  EXPECT_LT(CompareText("abc", "abd"), 0);
  EXPECT_GT(CompareText("abcd", "ABC"), 0);
  EXPECT_LT(CompareText("a", "_"), 0) << "upper-cased 'A' (65) sorts before '_' (95)";
  EXPECT_TRUE(SameText("Par_Gen", "PAR_GEN"));
  EXPECT_FALSE(SameText("ä", "Ä"));
  EXPECT_TRUE(AnsiSameText("ä", "Ä"));
  EXPECT_LT(CompareStr("B", "a"), 0);
  EXPECT_EQ(AnsiCompareText("Hello", "hello"), 0);
}

TEST(Strings, OneBasedPositions)
{
  EXPECT_EQ(Pos("b", "abcb"), 2);
  EXPECT_EQ(Pos("z", "abc"), 0);
  EXPECT_EQ(Pos("", "abc"), 0);
  EXPECT_EQ(PosEx("b", "abcb", 3), 4);
  EXPECT_EQ(PosEx("b", "abcb", 9), 0);
  EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
  EXPECT_EQ(Copy("abcdef", 0, 2), "ab");
  EXPECT_EQ(Copy("abcdef", 5, 100), "ef");
  EXPECT_EQ(Copy("abcdef", 7, 1), "");
  EXPECT_EQ(Copy("abcdef", 2, -1), "");
  EXPECT_EQ(Copy("abcdef", 3), "cdef");
  QString s = "abcdef";
  Delete(s, 2, 2);
  EXPECT_EQ(s, "adef");
  Delete(s, 0, 2);
  EXPECT_EQ(s, "adef");
  Delete(s, 4, 10);
  EXPECT_EQ(s, "ade");
  Insert("XY", s, 2);
  EXPECT_EQ(s, "aXYde");
  Insert("!", s, 99);
  EXPECT_EQ(s, "aXYde!");
  EXPECT_EQ(LastDelimiter("\\/.", "C:\\a\\b.txt"), 7);
  EXPECT_EQ(Length("äb"), 2);
}

TEST(Strings, StringReplaceFlags)
{
  EXPECT_EQ(StringReplace("aAaA", "a", "x", {}), "xAaA");
  EXPECT_EQ(StringReplace("aAaA", "a", "x", {rfReplaceAll}), "xAxA");
  EXPECT_EQ(StringReplace("aAaA", "a", "x", {rfReplaceAll, rfIgnoreCase}), "xxxx");
  EXPECT_EQ(StringReplace("aAaA", "A", "x", {rfIgnoreCase}), "xAaA");
  EXPECT_EQ(StringReplace("aaa", "a", "aa", {rfReplaceAll}), "aaaaaa");
  EXPECT_EQ(StringReplace("abc", "", "x", {rfReplaceAll}), "abc");
}

TEST(Strings, Quoting)
{
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(AnsiDequotedStr("\"a\"\"b\"rest", '"'), "a\"b");
  EXPECT_EQ(AnsiDequotedStr("plain", '"'), "plain");
  EXPECT_EQ(AnsiDequotedStr("\"open", '"'), "open");
  EXPECT_EQ(StringOfChar('-', 3), "---");
  EXPECT_EQ(AdjustLineBreaks("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
}

}  // namespace
