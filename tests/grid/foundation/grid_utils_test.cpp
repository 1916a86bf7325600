// Cell text kinds, number texts, locale dates, line-break encodings and small string routines,
// each family as one table of cases under a fixed locale.
#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"

#include "framework/classes/classes.h"
#include "framework/system/sysutils.h"
#include "grid/foundation/grid_utils.h"

#include <functional>

namespace {

const QChar CR(13), LF(10);

QString Chars(std::initializer_list<int> Codes)
{
  QString S;
  for (int C : Codes) S += QChar(char16_t(C));
  return S;
}

class GridUtils : public ::testing::Test {
protected:
  void SetUp() override
  {
    saved_ = FormatSettings;
    FormatSettings = TFormatSettings::Invariant();
  }
  void TearDown() override { FormatSettings = saved_; }
  // Day-first dates with "/" and ":", the decimal and thousand separators given.
  static void UseLocale(QChar Decimal, QChar Thousand)
  {
    FormatSettings.DecimalSeparator = Decimal;
    FormatSettings.ThousandSeparator = Thousand;
    FormatSettings.DateSeparator = '/';
    FormatSettings.TimeSeparator = ':';
    FormatSettings.ShortDateFormat = "dd/MM/yyyy";
  }
  TFormatSettings saved_;
};

TEST_F(GridUtils, CellTextKindTellsFormulaRichTextMarkUpAndPackedText)
{
  const struct {
    QString text;
    bool detect;
    int kind;
  } cases[] = {
      {"", true, 0},
      {"plain", true, 0},
      {"<b>x", true, 0},  // mark-up is recognised by upper-case tags only
      {"x</b>", true, 1},
      {"<B>x", true, 1},
      {"<I>x", true, 1},
      {"<C", true, 1},
      {"x</b>", false, 0},
      {"=A1", false, 3},
      {"=", true, 3},
      {"{\\rtf1", true, 2},
      {PackWideText("=A1"), true, 3},
      {PackWideText("="), true, 3},
      {PackWideText("AB"), true, 5},
      {"|\\", true, 5},
  };
  for (const auto &c : cases)
    EXPECT_EQ(CellTextKind(c.text, c.detect), c.kind) << c.text.toStdString();
}

TEST_F(GridUtils, PackedWideTextCarriesEveryUnitAsHighAndLowByte)
{
  EXPECT_EQ(PackWideText("AB"), Chars({'|', '\\', 0, 'A', 0, 'B'}));
  EXPECT_EQ(PackWideText(QString(QChar(0x20AC))), Chars({'|', '\\', 0x20, 0xAC}));
  const QString wide = QString::fromUtf8("Ω€ x\u00E9") + QChar(0xD83D) + QChar(0xDE00);
  EXPECT_EQ(UnpackWideText(PackWideText(wide)), wide);
  EXPECT_EQ(UnpackWideText("plain |\\ text"), "plain |\\ text");
  EXPECT_EQ(UnpackWideText(Chars({'|', '\\', 0, 'A', 0})), "A");  // odd last character ignored
  EXPECT_EQ(WidePos("\u00E9", wide), 5);
}

TEST_F(GridUtils, ClassifyNumberTextWithCommaThousandsAndPointDecimals)
{
  UseLocale('.', ',');
  const struct {
    QString text;
    int kind;
  } cases[] = {
      {"", 2},           {"-12", 0},        {"-", 0},          {"0042", 0},
      {"\u0663\u0664", 0},  // Arabic-Indic digits are number characters
      {"1,234,567.5", 1}, {"1,23", 1},      {"1,23,4", 2},     {"1,234", 1},
      {".", 1},          {"-.5", 1},        {"12-3", 2},       {"--5", 2},
      {"+5", 2},         {"1 2", 2},        {"abc", 2},        {"1.2.3", 2},
      {"1.5e-3", 5},     {"-1.5e-3", 5},    {"1e5", 5},        {"1E+5", 5},
      {"1e5e", 2},       {"e5", 2},         {"1e", 2},         {"1e-", 2},
      {"1,5e3", 2},      {"1.5e-3-", 2},
  };
  for (const auto &c : cases)
    EXPECT_EQ(ClassifyNumberText(c.text), c.kind) << c.text.toStdString();
}

TEST_F(GridUtils, ClassifyNumberTextFollowsTheLocaleSeparators)
{
  UseLocale(',', '.');
  EXPECT_EQ(ClassifyNumberText("1.234.567,5"), 1);
  EXPECT_EQ(ClassifyNumberText("1,5"), 1);
  EXPECT_EQ(ClassifyNumberText("1,5,5"), 2);
  EXPECT_EQ(ClassifyNumberText("1,5e3"), 5);
}

TEST_F(GridUtils, NormalizeNumberTextGivesThePlainForm)
{
  UseLocale(',', '.');
  const struct {
    QString text, plain;
  } cases[] = {
      {"", ""},
      {"(1.234,5)", "-1234.5"},
      {"-12", "-12"},
      {"--12", "-12"},
      {"12", "12"},
      {"\u20AC 1.000,25", "1000.25"},
      {"E5", "E5"},
      {"$-3", "-3"},
      {"12,5 kg", "12.5"},
      {"1,5e+3", "1.5e+3"},
      {",5", ".5"},
      {"x", ""},  // the last character is never dropped, and it ends the copy
      {"(7", "7"},
  };
  for (const auto &c : cases) EXPECT_EQ(NormalizeNumberText(c.text), c.plain) << c.text.toStdString();
}

TEST_F(GridUtils, ClampToRangeTreatsBoundsOfZeroOrLessAsNoBound)
{
  const int cases[][4] = {
      // value, min, max, result
      {5, 3, 3, 5},   {1, 3, 9, 3},   {12, 3, 9, 9},  {5, 3, 9, 5},
      {-4, 0, 9, -4}, {40, 3, 0, 40}, {40, -1, -5, 40}, {-7, -9, 2, -7},
  };
  for (const auto &c : cases) EXPECT_EQ(ClampToRange(c[0], c[1], c[2]), c[3]) << c[0] << " " << c[1] << " " << c[2];
  EXPECT_EQ(MaxOf(-2, 3), 3);
  EXPECT_EQ(MinOf(-2, 3), -2);
}

TEST_F(GridUtils, ParseLocaleDateReadsTheShortDateOrderAndAnOptionalTime)
{
  UseLocale('.', ',');
  const struct {
    QString format;
    QChar sep;
    QString text;
    bool ok;
    TDateTime value;
  } cases[] = {
      {"dd/MM/yyyy", '/', "31/12/2024 23:59:59", true, EncodeDateTime(2024, 12, 31, 23, 59, 59, 0)},
      {"dd/MM/yyyy", '/', "10/03/2024 10:30", true, EncodeDateTime(2024, 3, 10, 10, 30, 0, 0)},
      {"dd/MM/yyyy", '/', "1/2/2024", true, EncodeDate(2024, 2, 1)},
      {"dd/MM/yyyy", '/', "1/2/24", true, EncodeDate(24, 2, 1)},  // no century is added
      {"dd/MM/yyyy", '/', " 1/2/2024  ", true, EncodeDate(2024, 2, 1)},
      // Before day 0 the time is subtracted, as the day is.
      {"dd/MM/yyyy", '/', "29/12/1899 06:00", true, -1.25},
      {"dd/MM/yyyy", '/', "28/12/1899 18:00", true, -2.75},
      {"dd/MM/yyyy", '/', "30/12/1899 06:00", true, 0.25},
      {"dd/MM/yyyy", '/', "32/01/2024", false, 0},
      {"dd/MM/yyyy", '/', "01/13/2024", false, 0},
      {"dd/MM/yyyy", '/', "31/02/2024", false, 0},
      {"dd/MM/yyyy", '/', "01/01/2024 24:00", false, 0},
      {"dd/MM/yyyy", '/', "01/01/2024 12:60", false, 0},
      {"dd/MM/yyyy", '/', "01/01/2024 12:30:60", false, 0},
      {"dd/MM/yyyy", '/', "01/01/2024 12", false, 0},
      {"dd/MM/yyyy", '/', "01/01/2024 noon", false, 0},
      {"dd/MM/yyyy", '/', "01/01", false, 0},
      {"dd/MM/yyyy", '/', "a/b/c", false, 0},
      {"dd/MM/yyyy", '/', "1.5", false, 0},
      {"M/d/yyyy", '/', "12/31/2024", true, EncodeDate(2024, 12, 31)},
      {"M/d/yyyy", '/', "31/12/2024", false, 0},
      {"yyyy-MM-dd", '-', "2024-02-29 7:05", true, EncodeDateTime(2024, 2, 29, 7, 5, 0, 0)},
      {"d.M.yyyy", '.', "29.2.2023", false, 0},
  };
  for (const auto &c : cases) {
    FormatSettings.ShortDateFormat = c.format;
    FormatSettings.DateSeparator = c.sep;
    TDateTime value = -1;
    EXPECT_EQ(ParseLocaleDate(c.text, value), c.ok) << c.text.toStdString();
    if (c.ok) {
      EXPECT_DOUBLE_EQ(value, c.value) << c.text.toStdString();
    }
  }
}

TEST_F(GridUtils, ShortDatesMonthFirstAndDayFirst)
{
  const struct {
    QString text;
    TDateTime us, eu;
  } cases[] = {
      {"12/31/24", EncodeDate(2024, 12, 31), 0},  // EU: month 31 is impossible, see below
      {"1.2.99", EncodeDate(1999, 1, 2), EncodeDate(1999, 2, 1)},
      {"12/31/2024", EncodeDate(2024, 12, 31), 0},
      {"1-2-25", EncodeDate(2025, 1, 2), EncodeDate(2025, 2, 1)},
      {"1-2-26", EncodeDate(1926, 1, 2), EncodeDate(1926, 2, 1)},
      {"3/4/100", EncodeDate(100, 3, 4), EncodeDate(100, 4, 3)},
      {"1/2.2024", 0, 0},  // "/" is the separator and it appears once
      {"12/31", 0, 0},
      {"a/b/c", 0, 0},
      {"", 0, 0},
  };
  for (const auto &c : cases) {
    EXPECT_DOUBLE_EQ(ParseShortDateUS(c.text), c.us) << c.text.toStdString();
    if (c.eu != 0 || c.us == 0) {
      EXPECT_DOUBLE_EQ(ParseShortDateEU(c.text), c.eu) << c.text.toStdString();
    }
  }
  EXPECT_DOUBLE_EQ(ParseShortDateEU("31.12.2024"), EncodeDate(2024, 12, 31));
  EXPECT_THROW(ParseShortDateEU("12/31/24"), EConvertError);
  EXPECT_THROW(ParseShortDateUS("2/30/2024"), EConvertError);
}

TEST_F(GridUtils, LooksLikeDateWantsTwoSeparatedSeparators)
{
  UseLocale('.', ',');
  EXPECT_TRUE(LooksLikeDate("1/2/3"));
  EXPECT_TRUE(LooksLikeDate("12/5/"));
  EXPECT_FALSE(LooksLikeDate("/1/2"));
  EXPECT_FALSE(LooksLikeDate("1//2"));
  EXPECT_FALSE(LooksLikeDate("12/5"));
  EXPECT_FALSE(LooksLikeDate("12.5.2024"));
}

TEST_F(GridUtils, IncDateByStepsOneUnitOrAddsTheDelta)
{
  const TDateTime jan15 = EncodeDate(2024, 1, 15);
  const struct {
    int years, months, days;
    TDateTime from;
    double delta;
    TDateTime result;
  } cases[] = {
      {0, 0, 3, jan15, 99, EncodeDate(2024, 1, 18)},
      {0, 0, -20, jan15, 99, EncodeDate(2023, 12, 26)},
      {2, 0, 0, jan15, 99, EncodeDate(2026, 1, 15)},
      {-1, 0, 0, jan15, 99, EncodeDate(2023, 1, 15)},
      {0, 1, 0, jan15, 99, EncodeDate(2024, 2, 15)},
      {0, -1, 0, jan15, 99, EncodeDate(2023, 12, 15)},
      {0, 1, 0, EncodeDate(2024, 12, 15), 99, EncodeDate(2025, 1, 15)},
      {0, 13, 0, jan15, 99, EncodeDate(2025, 2, 15)},
      {0, 23, 0, jan15, 99, EncodeDate(2025, 12, 15)},
      {0, 0, 0, jan15, 0.5, jan15 + 0.5},
      {1, 1, 0, jan15, 7, jan15 + 7},
  };
  for (const auto &c : cases)
    EXPECT_DOUBLE_EQ(IncDateBy(c.years, c.months, c.days, c.from, c.delta), c.result)
        << c.years << " " << c.months << " " << c.days;
  // One wrap of the year only, and no day clamping.
  EXPECT_THROW(IncDateBy(0, 24, 0, jan15, 0), EConvertError);
  EXPECT_THROW(IncDateBy(0, -2, 0, jan15, 0), EConvertError);
  EXPECT_THROW(IncDateBy(0, 1, 0, EncodeDate(2024, 1, 31), 0), EConvertError);
  EXPECT_THROW(IncDateBy(1, 0, 0, EncodeDate(2024, 2, 29), 0), EConvertError);
}

TEST_F(GridUtils, LineBreakAndQuotingEncodings)
{
  using Fn = std::function<QString(const QString &)>;
  auto inPlace = [](void (*f)(QString &)) {
    return Fn([f](const QString &s) {
      QString t = s;
      f(t);
      return t;
    });
  };
  const Fn encode = EncodeLineBreaks;
  const Fn decodeWhole = [](const QString &s) { return DecodeLineBreaks(s, true); };
  const Fn decodeFirst = [](const QString &s) { return DecodeLineBreaks(s, false); };
  const Fn collapseQuotes = [](const QString &s) { return CollapseDoubledChar('"', s); };
  const QString crlf = QString(CR) + LF;
  const struct {
    const char *name;
    Fn fn;
    QString in, out;
  } cases[] = {
      {"encode", encode, "a" + crlf + "b" + QChar(0), Chars({'a', 9, 8, 'b', 1})},
      {"encode without CR", encode, "a\nb" + QString(QChar(0)), "a\nb" + QString(QChar(0))},
      {"decode", decodeWhole, Chars({'a', 9, 8, 'b', 1}), "a" + crlf + "b" + QChar(0)},
      {"decode without #8", decodeWhole, Chars({'a', 9, 'b', 1}), Chars({'a', 9, 'b', 1})},
      {"decode single CRs", decodeWhole, "a\rb", "a\rb"},
      {"decode first line", decodeFirst, Chars({'a', 9, 8, 'b'}), "a"},
      {"round trip", [](const QString &s) { return DecodeLineBreaks(EncodeLineBreaks(s), true); },
       "x" + crlf + "y" + crlf, "x" + crlf + "y" + crlf},
      {"quote field", inPlace(QuoteMultiLineField), "a" + crlf + "b\rc", "\"a" + QString(QChar(11)) + "b\rc\""},
      {"vtab", inPlace(VTabToCRLF), "a" + QString(QChar(11)) + "b", "a" + crlf + "b"},
      {"crlf to lf", inPlace(CRLFToLF), "a" + crlf + "b\rc\n", "a\nb\rc\n"},
      {"cr to tilde", inPlace(CRToTilde), "a" + crlf + "b\nc\r", "a~bc~"},
      {"tilde", inPlace(TildeToCRLF), "a~b", "a" + crlf + "b"},
      {"caret", inPlace(TildeToCRLF), "^", ""},
      {"caret in text", inPlace(TildeToCRLF), "^~", "^" + crlf},
      {"escaped", EscapedToLineBreak, "a\\nb\\\\n", "a\rb\\\r"},
      {"to escaped", LineBreakToEscaped, "a" + crlf + "b\n", "a\\nb"},
      {"strip cr", StripCR, "a" + crlf + "\r", "a\n"},
      {"cr to lf", CRToLF, "a" + crlf, "a\n\n"},
      {"double quotes", DoubleQuotes, "say \"hi\"", "say \"\"hi\"\""},
      {"collapse pairs", collapseQuotes, "\"\"\"\"", "\"\""},
      {"collapse odd run", collapseQuotes, "a\"\"\"b\"", "a\"\"b\""},
  };
  for (const auto &c : cases) EXPECT_EQ(c.fn(c.in), c.out) << c.name;
}

TEST_F(GridUtils, PositionsAndCuts)
{
  EXPECT_EQ(PosNoCase("BC", "abcd"), 2);
  EXPECT_EQ(PosNoCase("bc", "abcd"), 0);  // the sub is expected in upper case
  int p = -1;
  EXPECT_EQ(CharPosOut('c', "abcd", p), 3);
  EXPECT_EQ(p, 3);
  EXPECT_EQ(CharPos('z', "abcd"), 0);
  EXPECT_EQ(PosOut("cd", "abcd", p), 3);
  EXPECT_EQ(PosOut("x", "abcd", p), 0);
  EXPECT_EQ(p, 0);

  QString text = "key=:value=:rest";
  EXPECT_EQ(CutBefore(text, "=:"), "key");
  EXPECT_EQ(text, ":value=:rest");  // only the delimiter's first character goes
  text = "no delimiter";
  EXPECT_EQ(CutBefore(text, ";"), "");
  EXPECT_EQ(text, "no delimiter");

  const struct {
    QString text;
    bool keepRest;
    QString line, rest;
  } lines[] = {
      {"one\r\ntwo\r\nthree", true, "one", "two\r\nthree"},
      {"one\rtwo", true, "one", "two"},
      {"one\r\ntwo", false, "one", ""},
      {"single", true, "single", ""},
      {"\r\n", true, "", ""},
  };
  for (const auto &c : lines) {
    QString t = c.text, line;
    TakeFirstLine(t, c.keepRest, line);
    EXPECT_EQ(line, c.line) << c.text.toStdString();
    EXPECT_EQ(t, c.rest) << c.text.toStdString();
  }
  EXPECT_EQ(CountLines("a\r\nb\r\nc", true), 3);
  EXPECT_EQ(CountLines("a\r\nb\r\nc", false), 1);
  EXPECT_EQ(CountLines("", true), 1);
  EXPECT_EQ(CountChar('a', "banana"), 3);
}

TEST_F(GridUtils, UnpairedQuotesEndQuotedFields)
{
  const struct {
    QString text;
    int pos, count;
  } cases[] = {
      {"abc\",x", 4, 1},
      {"a\"\"b\",x", 5, 1},      // a doubled quote is an escape
      {"a\"\"\"b", 4, 1},        // a run of three ends at its last quote
      {"ab\"", 3, 1},            // the last character
      {"ab\"\"", 4, 1},          // the last character, even as a pair
      {"a\"\"b", 0, 0},
      {"", 0, 0},
      {"\"a\"b\"", 1, 3},
  };
  for (const auto &c : cases) {
    int p = -1;
    EXPECT_EQ(FindUnpairedChar('"', c.text, p), c.pos) << c.text.toStdString();
    EXPECT_EQ(p, c.pos) << c.text.toStdString();
    EXPECT_EQ(CountUnpairedChar('"', c.text), c.count) << c.text.toStdString();
  }
}

TEST_F(GridUtils, CellReferencesListsAndCodePages)
{
  const struct {
    QString text;
    bool ok;
    TPoint cell;
  } refs[] = {
      {"R2C3", true, {3, 2}}, {"r12c0", true, {0, 12}}, {"R1C", false, {}},
      {"RC1", false, {}},     {"RxC1", false, {}},      {"C1R2", false, {}},
      {"R1", false, {}},      {"R1C2x", false, {}},
  };
  for (const auto &c : refs) {
    TPoint cell(-1, -1);
    EXPECT_EQ(ParseRCCellRef(c.text, cell), c.ok) << c.text.toStdString();
    if (c.ok) {
      EXPECT_EQ(cell, c.cell) << c.text.toStdString();
    }
  }
  const TGridRect rect(1, 2, 3, 4);
  EXPECT_TRUE(CellInGridRect(rect, 1, 2));
  EXPECT_TRUE(CellInGridRect(rect, 3, 4));
  EXPECT_FALSE(CellInGridRect(rect, 4, 4));
  EXPECT_FALSE(CellInGridRect(rect, 2, 1));

  TStringList list;
  list.Add("ab");
  list.Add("");
  list.Add("c");
  EXPECT_EQ(ConcatStrings(list), "abc");

  QString text = "x";
  FillWithChar(text += "yz", '*');
  EXPECT_EQ(text, "***");

  text = QString::fromUtf8("Käse ä");
  TextToOem(text);
  EXPECT_EQ(text, QString::fromUtf8("K\u201Ese \u201E"));  // "ä" is byte 0x84 in the OEM page
  OemToText(text);
  EXPECT_EQ(text, QString::fromUtf8("Käse ä"));
}

TEST_F(GridUtils, CapitalizeWordsKeepsNameAndNumeralCapitals)
{
  const struct {
    QString text, result;
  } cases[] = {
      {"mcdonald o'neil-smith henry ii", "McDonald O'Neil-Smith Henry II"},
      {"JOHN SMITH", "John Smith"},
      {"louis iii", "Louis III"},
      {"ann mcbride", "Ann McBride"},
      {"mc", "Mc"},
      {"st.john,jr", "St.John,Jr"},
      {"  two  blanks", "  Two  Blanks"},
      {"", ""},
      {"ivan", "Ivan"},
  };
  for (const auto &c : cases) EXPECT_EQ(CapitalizeWords(c.text), c.result) << c.text.toStdString();
}

TEST_F(GridUtils, LocaleAccessorsReadTheProcessSettings)
{
  UseLocale(',', '.');
  FormatSettings.TimeSeparator = '.';
  EXPECT_EQ(GetDecimalSeparator(), ',');
  EXPECT_EQ(GetThousandSeparator(), '.');
  EXPECT_EQ(GetDateSeparator(), '/');
  EXPECT_EQ(GetTimeSeparator(), '.');
  EXPECT_EQ(GetShortDateFormat(), "dd/MM/yyyy");
}

}  // namespace
