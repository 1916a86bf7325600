#include "editors/dropdown_text.h"

#include <gtest/gtest.h>

#include "framework/system/sysutils.h"

namespace {

using ET = TDropDownEditType;

// Separators as the process settings give them: "," thousands, "." decimal unless a test says.
struct DropDownText : ::testing::Test {
  TFormatSettings saved = FormatSettings;
  void SetUp() override
  {
    FormatSettings.DecimalSeparator = QLatin1Char('.');
    FormatSettings.ThousandSeparator = QLatin1Char(',');
  }
  void TearDown() override { FormatSettings = saved; }
};

TDropDownTextSettings Settings(ET Type, int Precision = 0)
{
  TDropDownTextSettings s;
  s.EditType = Type;
  s.Precision = int16_t(Precision);
  return s;
}

TEST_F(DropDownText, ValueIsFramedByPrefixAndSuffix)
{
  TDropDownTextSettings s;
  s.Prefix = QStringLiteral("$");
  s.Suffix = QStringLiteral(" kg");
  EXPECT_EQ(DropDownEditTextOf(QStringLiteral("12"), s), QStringLiteral("$12 kg"));
  EXPECT_EQ(DropDownValueOf(QStringLiteral("$12 kg"), s), QStringLiteral("12"));
  // Nothing is taken off the front of a text that does not start with the prefix.
  EXPECT_EQ(DropDownValueOf(QStringLiteral("12 kg"), s), QStringLiteral("12"));
}

TEST_F(DropDownText, WritingText)
{
  const struct {
    ET type;
    int precision;
    const char *in, *out;
  } cases[] = {
      {ET::etNumeric, 0, "", "0"},
      {ET::etFloat, 0, "", "0"},
      {ET::etMoney, 0, "", "0"},
      {ET::etHex, 0, "", "0"},
      {ET::etString, 0, "", ""},
      {ET::etMoney, 2, "1234567.5", "1,234,567.50"},
      {ET::etFloat, 2, "3.1", "3.10"},
      {ET::etFloat, 2, "Error", "Error"},
      {ET::etHex, 0, "ff", "FF"},
      {ET::etString, 2, "abc", "abc"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(DropDownWrittenValue(QString::fromLatin1(c.in), Settings(c.type, c.precision)),
              QString::fromLatin1(c.out))
        << c.in << " type " << int(c.type);
}

TEST_F(DropDownText, ClassifiesNumericText)
{
  const struct {
    const char *text;
    TNumericClass result;
  } cases[] = {
      {"123", TNumericClass::ncInteger},
      {"-123", TNumericClass::ncInteger},
      {"1,234.5", TNumericClass::ncDecimal},
      {"1,23,4", TNumericClass::ncDecimal},
      {",123", TNumericClass::ncNotANumber},
      {"12,3,456", TNumericClass::ncNotANumber},
      {"ABC", TNumericClass::ncHex},
      {"-ff", TNumericClass::ncHex},
      {"1.2.3", TNumericClass::ncNotANumber},
      {"--1", TNumericClass::ncNotANumber},
      {"", TNumericClass::ncNotANumber},
      // A sign stands in front or nowhere, in every class.
      {"1-2", TNumericClass::ncNotANumber},
      {"12-", TNumericClass::ncNotANumber},
      {"f-f", TNumericClass::ncNotANumber},
      {"1.5-", TNumericClass::ncNotANumber},
  };
  for (const auto &c : cases)
    EXPECT_EQ(ClassifyNumericText(QString::fromLatin1(c.text)), c.result) << c.text;
}

TEST_F(DropDownText, ReadsTheNumberView)
{
  const struct {
    ET type;
    const char *value;
    double number;
  } cases[] = {
      {ET::etString, "12.5abc", 12.5},
      {ET::etString, "abc", 0},
      {ET::etNumeric, "", 0},
      {ET::etNumeric, "-", 0},
      {ET::etFloat, "Error", 0},
      {ET::etFloat, "1,234.5", 1234.5},
      {ET::etFloat, "1x", 0},
      {ET::etMoney, "1,234.", 1234},
      {ET::etMoney, "-", 0},
      {ET::etHex, "FF", 255},
      {ET::etHex, "-1A", -26},
      {ET::etRange, "1-3", 0},
  };
  for (const auto &c : cases)
    EXPECT_DOUBLE_EQ(DropDownFloatValue(QString::fromLatin1(c.value), Settings(c.type)), c.number)
        << c.value;
}

TEST_F(DropDownText, WritesTheNumberView)
{
  const struct {
    ET type;
    int precision;
    double x;
    const char *text;  // nullptr: no change
  } cases[] = {
      {ET::etFloat, 2, 3.14159, "3.14"},
      {ET::etFloat, -1, 2.5, "2.5"},
      {ET::etString, 1, 7, "7.0"},
      {ET::etMoney, 2, 1234567.891, "1,234,567.89"},
      {ET::etMoney, 2, -1234.5, "-1,234.50"},
      {ET::etHex, 0, 255.9, "FF"},
      {ET::etRange, 0, 5, nullptr},
      // An integer edit reads back what it writes: no thousand separators.
      {ET::etNumeric, 0, 1234567, "1234567"},
  };
  for (const auto &c : cases)
  {
    const TDropDownTextSettings s = Settings(c.type, c.precision);
    const auto text = DropDownFloatValueText(c.x, s);
    if (!c.text)
    {
      EXPECT_FALSE(text.has_value());
      continue;
    }
    ASSERT_TRUE(text.has_value()) << c.x;
    EXPECT_EQ(*text, QString::fromLatin1(c.text)) << c.x;
  }
}

TEST_F(DropDownText, IntegerEditReadsBackAFloatItWrote)
{
  const TDropDownTextSettings s = Settings(ET::etNumeric);
  for (double x : {0.0, 999.0, 1000.0, -45678.0, 1234567.0})
  {
    const QString text = *DropDownFloatValueText(x, s);
    EXPECT_EQ(ClassifyNumericText(text), TNumericClass::ncInteger) << text.toStdString();
    EXPECT_DOUBLE_EQ(DropDownFloatValue(text, s), x);
  }
}

TEST_F(DropDownText, WritesIntegers)
{
  EXPECT_EQ(*DropDownIntValueText(1234567, Settings(ET::etMoney)), QStringLiteral("1,234,567"));
  EXPECT_EQ(*DropDownIntValueText(-5, Settings(ET::etNumeric)), QStringLiteral("-5"));
  EXPECT_EQ(*DropDownIntValueText(255, Settings(ET::etHex)), QStringLiteral("FF"));
  EXPECT_EQ(*DropDownIntValueText(-255, Settings(ET::etHex)), QStringLiteral("-FF"));
  EXPECT_FALSE(DropDownIntValueText(1, Settings(ET::etString)).has_value());
}

TEST_F(DropDownText, FormatsMoneyKeepingTheCaretFromTheEnd)
{
  TDropDownTextSettings s = Settings(ET::etMoney);
  s.Prefix = QStringLiteral("$");
  const struct {
    bool autoSep;
    const char *value;
    int caret;
    const char *out;
    int outCaret;
  } cases[] = {
      {true, "1234567", 8, "1,234,567", 10},
      {true, "-12345.6", 7, "-12,345.6", 8},
      {true, "1,2345", 7, "12,345", 7},
      {false, "1,234", 6, "1234", 5},
      {true, "", 1, "", 1},
  };
  for (const auto &c : cases)
  {
    s.AutoThousandSeparator = c.autoSep;
    const TMoneyFormatted m = DropDownFormatMoney(QString::fromLatin1(c.value), c.caret, s);
    EXPECT_EQ(m.Value, QString::fromLatin1(c.out)) << c.value;
    EXPECT_EQ(m.Caret, c.outCaret) << c.value;
  }
}

TEST_F(DropDownText, EditTypeChangeKeepsOnlyFittingValues)
{
  const struct {
    ET from, to;
    const char *value;
    const char *out;  // nullptr: unchanged
  } cases[] = {
      {ET::etString, ET::etNumeric, "abc", "0"},
      {ET::etString, ET::etNumeric, "12", nullptr},
      {ET::etString, ET::etNumeric, "1.5", "0"},
      {ET::etString, ET::etFloat, "1,234.5", nullptr},
      {ET::etString, ET::etFloat, "x", "0"},
      {ET::etString, ET::etHex, "-ff", nullptr},
      {ET::etString, ET::etHex, "zz", "0"},
      {ET::etNumeric, ET::etString, "12", nullptr},
  };
  for (const auto &c : cases)
  {
    const auto v = DropDownValueForEditType(QString::fromLatin1(c.value), c.to, Settings(c.from));
    if (!c.out)
      EXPECT_FALSE(v.has_value()) << c.value;
    else
      EXPECT_EQ(v.value_or(QStringLiteral("<none>")), QString::fromLatin1(c.out)) << c.value;
  }
}

TEST_F(DropDownText, PrecisionChange)
{
  const struct {
    ET type;
    const char *value;
    int precision;
    bool stored;
    const char *out;  // nullptr: text unchanged
  } cases[] = {
      {ET::etNumeric, "12", 2, false, nullptr},
      {ET::etFloat, "3.14159", 2, true, "3.14"},
      {ET::etFloat, "x", 2, true, "0.00"},
      {ET::etMoney, "1234", 1, true, "1,234.0"},
      // Free text keeps its text.
      {ET::etString, "abc", 2, true, nullptr},
      {ET::etString, "12", 2, true, nullptr},
      {ET::etFloat, "1.5", 0, false, nullptr},
  };
  for (const auto &c : cases)
  {
    const TPrecisionChange r =
        DropDownPrecisionChange(QString::fromLatin1(c.value), int16_t(c.precision), Settings(c.type));
    EXPECT_EQ(r.Stored, c.stored) << c.value;
    if (!c.out)
      EXPECT_FALSE(r.Value.has_value()) << c.value;
    else
      EXPECT_EQ(r.Value.value_or(QStringLiteral("<none>")), QString::fromLatin1(c.out)) << c.value;
  }
}

TEST_F(DropDownText, FocusExitNormalisesNumbers)
{
  const struct {
    ET type;
    int precision;
    bool allowNull;
    const char *value;
    const char *out;  // nullptr: unchanged
  } cases[] = {
      {ET::etMoney, 2, false, "1,234,567", "1,234,567.00"},
      {ET::etFloat, 2, false, "", "0.00"},
      {ET::etFloat, 2, true, "", nullptr},
      {ET::etNumeric, 0, false, "", "0"},
      {ET::etNumeric, 0, true, "", nullptr},
      {ET::etFloat, 0, false, "", "0"},
      {ET::etString, 0, false, "", nullptr},
  };
  for (const auto &c : cases)
  {
    TDropDownTextSettings s = Settings(c.type, c.precision);
    s.AllowNumericNullValue = c.allowNull;
    const auto v = DropDownValueOnExit(QString::fromLatin1(c.value), s);
    if (!c.out)
      EXPECT_FALSE(v.has_value()) << c.value;
    else
      EXPECT_EQ(v.value_or(QStringLiteral("<none>")), QString::fromLatin1(c.out)) << c.value;
  }
}

TEST_F(DropDownText, DecimalCaretsAndIntegerPart)
{
  TDropDownTextSettings s = Settings(ET::etFloat);
  s.Prefix = QStringLiteral("$");
  EXPECT_EQ(DropDownCaretBeforeDecimal(QStringLiteral("12.5"), s), 3);
  EXPECT_EQ(DropDownCaretAfterDecimal(QStringLiteral("12.5"), s), 4);
  EXPECT_EQ(DropDownCaretAfterDecimal(QStringLiteral("12"), s), 1);
  EXPECT_EQ(DropDownIntegerPartLength(QStringLiteral("1,234.5"), s), 4);
  s.Signed = true;
  EXPECT_EQ(DropDownIntegerPartLength(QStringLiteral("-123"), s), 3);
}

TEST_F(DropDownText, SeparatorsFollowTheProcessSettings)
{
  FormatSettings.DecimalSeparator = QLatin1Char(',');
  FormatSettings.ThousandSeparator = QLatin1Char('.');
  const TDropDownTextSettings s = Settings(ET::etMoney, 2);
  EXPECT_EQ(DropDownWrittenValue(QStringLiteral("1234567,5"), s), QStringLiteral("1.234.567,50"));
  EXPECT_DOUBLE_EQ(DropDownFloatValue(QStringLiteral("1.234,5"), s), 1234.5);
}

}  // namespace
