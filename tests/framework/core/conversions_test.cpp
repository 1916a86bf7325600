// Integer, float and Format conversions with the original run-time library's rules.
#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"

#include <cmath>
#include <optional>

#include "framework/system/sysutils.h"

namespace {

// Restores the process-wide settings after each test.
class Conversions : public ::testing::Test {
protected:
  void SetUp() override { saved_ = FormatSettings; FormatSettings = TFormatSettings::Invariant(); }
  void TearDown() override { FormatSettings = saved_; }
  TFormatSettings saved_;
};

struct IntCase {
  const char *text;
  std::optional<int> value;  // nullopt: not an integer
};

TEST_F(Conversions, StrToIntFollowsValRules)
{
  const IntCase cases[] = {
      {"0", 0}, {"12", 12}, {" 12", 12}, {"  -7", -7}, {"12 ", std::nullopt}, {"1 2", std::nullopt},
      {"+5", 5}, {"-0", 0}, {"", std::nullopt}, {" ", std::nullopt}, {"-", std::nullopt}, {"+", std::nullopt},
      {"0x7FF", 2047}, {"0X7ff", 2047}, {"$7FF", 2047}, {"x7FF", 2047}, {"X7FF", 2047}, {"-$10", -16},
      {"$", std::nullopt}, {"0x", std::nullopt}, {"$G", std::nullopt}, {"7FF", std::nullopt},
      {"2147483647", 2147483647}, {"2147483648", std::nullopt}, {"-2147483648", INT32_MIN},
      {"-2147483649", std::nullopt}, {"$7FFFFFFF", 2147483647}, {"$80000000", INT32_MIN},
      {"$FFFFFFFF", -1}, {"$100000000", std::nullopt}, {"99999999999999999999", std::nullopt},
      {"1.0", std::nullopt}, {"1e3", std::nullopt}, {"٣", std::nullopt}, {"\t3", 3},
      {"１２", std::nullopt}, {"12\u00A0", std::nullopt}, {"\u00A012", std::nullopt},
  };
  for (const IntCase &c : cases) {
    SCOPED_TRACE(c.text);
    int v = 12345;
    const bool ok = TryStrToInt(QString::fromUtf8(c.text), v);
    ASSERT_EQ(ok, c.value.has_value());
    // The same text read as UTF-8 bytes, as a document holds it, follows the same rules.
    int u = 12345;
    EXPECT_EQ(TryUtf8ToInt(c.text, u), ok);
    EXPECT_EQ(u, ok ? *c.value : 12345);
    if (ok) {
      EXPECT_EQ(v, *c.value);
      EXPECT_EQ(StrToInt(QString::fromUtf8(c.text)), *c.value);
    } else {
      EXPECT_EQ(v, 12345) << "a failed conversion must not touch the output";
      EXPECT_EQ(StrToIntDef(QString::fromUtf8(c.text), -99), -99);
      EXPECT_THROW(StrToInt(QString::fromUtf8(c.text)), EConvertError);
    }
  }
}

TEST_F(Conversions, StrToIntErrorNamesTheText)
{
  try {
    StrToInt("12a");
    FAIL();
  } catch (const EConvertError &e) {
    EXPECT_EQ(e.Message(), "'12a' is not a valid integer value");
  }
}

TEST_F(Conversions, StrToInt64Range)
{
  int64_t v = 0;
  EXPECT_TRUE(TryStrToInt64("9223372036854775807", v));
  EXPECT_EQ(v, INT64_MAX);
  EXPECT_TRUE(TryStrToInt64("-9223372036854775808", v));
  EXPECT_EQ(v, INT64_MIN);
  EXPECT_FALSE(TryStrToInt64("9223372036854775808", v));
  EXPECT_TRUE(TryStrToInt64("2147483648", v));
  EXPECT_EQ(v, 2147483648LL);
  EXPECT_TRUE(TryStrToInt64("$FFFFFFFFFFFFFFFF", v));
  EXPECT_EQ(v, -1);
  EXPECT_TRUE(TryStrToInt64("$FFFFFFFF", v));
  EXPECT_EQ(v, 4294967295LL);
  EXPECT_EQ(StrToInt64Def("x", 7), 7);
}

TEST_F(Conversions, IntToHexPadsAndShowsTwosComplement)
{
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0, 0), "0");
  EXPECT_EQ(IntToHex(0x12345, 2), "12345");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(int64_t(-1), 2), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(uint32_t(0xFFFFFFFF), 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(int64_t(0x1FFFFFFFFLL), 1), "1FFFFFFFF");
  EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(IntToStr(int64_t(1) << 40), "1099511627776");
}

struct FloatCase {
  const char *text;
  QChar decimal;
  std::optional<double> value;
};

TEST_F(Conversions, StrToFloatUsesTheDecimalSeparator)
{
  const FloatCase cases[] = {
      {"3.5", '.', 3.5}, {"3,5", '.', std::nullopt}, {"3,5", ',', 3.5}, {"3.5", ',', std::nullopt},
      {" 2.25 ", '.', 2.25}, {"-0.5", '.', -0.5}, {"+1", '.', 1}, {".5", '.', 0.5}, {"5.", '.', 5},
      {"1e3", '.', 1000}, {"1.5E-2", '.', 0.015}, {"1e", '.', std::nullopt}, {"e3", '.', std::nullopt},
      {"", '.', std::nullopt}, {".", '.', std::nullopt}, {"1,000", '.', std::nullopt},
      {"1e400", '.', std::nullopt}, {"0x10", '.', std::nullopt}, {"nan", '.', std::nullopt},
  };
  for (const FloatCase &c : cases) {
    SCOPED_TRACE(std::string(c.text) + " with '" + char(c.decimal.unicode()) + "'");
    FormatSettings.DecimalSeparator = c.decimal;
    FormatSettings.ThousandSeparator = c.decimal == ',' ? '.' : ',';
    double v = -123;
    const bool ok = TryStrToFloat(c.text, v);
    ASSERT_EQ(ok, c.value.has_value());
    if (ok) EXPECT_DOUBLE_EQ(v, *c.value);
    else {
      EXPECT_DOUBLE_EQ(StrToFloatDef(c.text, 9.5), 9.5);
      EXPECT_THROW(StrToFloat(c.text), EConvertError);
    }
  }
}

TEST_F(Conversions, FloatToStrGeneralFormat)
{
  const std::pair<double, const char *> cases[] = {
      {0, "0"}, {1, "1"}, {-2.5, "-2.5"}, {0.1 + 0.2, "0.3"}, {1.0 / 3, "0.333333333333333"},
      {123456789012345.0, "123456789012345"}, {1e15, "1E15"}, {1e20, "1E20"}, {0.00001, "0.00001"}, {0.000001, "1E-6"},
      {0.0001, "0.0001"}, {1.5e-7, "1.5E-7"}, {2.5, "2.5"}, {100, "100"}, {-0.0, "0"},
  };
  for (const auto &[v, text] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(FloatToStr(v), text);
  }
  FormatSettings.DecimalSeparator = ',';
  EXPECT_EQ(FloatToStr(3.5), "3,5");
}

TEST_F(Conversions, FloatToStrF)
{
  EXPECT_EQ(FloatToStrF(1234.5678, ffFixed, 15, 2), "1234.57");
  EXPECT_EQ(FloatToStrF(1234.5678, ffNumber, 15, 2), "1,234.57");
  EXPECT_EQ(FloatToStrF(-1234567.5, ffNumber, 15, 0), "-1,234,568");
  EXPECT_EQ(FloatToStrF(0.125, ffFixed, 15, 2), "0.13");  // halves round away from zero
  EXPECT_EQ(FloatToStrF(-0.004, ffFixed, 15, 2), "0.00");
  EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 4, 2), "1.235E+03");
  EXPECT_EQ(FloatToStrF(0.00012, ffExponent, 3, 0), "1.20E-4");
  EXPECT_EQ(FloatToStrF(12.5, ffCurrency, 15, 2), "$12.50");
  EXPECT_EQ(FloatToStrF(-12.5, ffCurrency, 15, 2), "($12.50)");
  EXPECT_EQ(FloatToStrF(1e20, ffFixed, 15, 2), "1E20");
}

TEST_F(Conversions, FormatFloatPatterns)
{
  const struct {
    const char *format;
    double value;
    const char *expected;
  } cases[] = {
      {"0.00", 3.14159, "3.14"},     {"0.00", 2.5, "2.50"},          {"0.00", -0.001, "0.00"},
      {"#.##", 0.5, ".5"},           {"#.##", 1, "1"},               {"0.##", 1.2, "1.2"},
      {"#,0.00", 1234567.891, "1,234,567.89"}, {"#,##0", 999, "999"}, {"#,##0", 1000, "1,000"},
      {"0", 2.5, "3"},               {"0", -2.5, "-3"},              {"0", 0.4, "0"},
      {"000", 7, "007"},             {"00.0", 123.45, "123.5"},      {"#", 0, ""},
      {"0.0;(0.0)", -1.25, "(1.3)"}, {"0.0;(0.0);'zero'", 0, "zero"}, {"0.0;;'nil'", -2, "-2.0"},
      {"0.00;(0.00);'zero'", -0.001, "zero"}, {"0.00;(0.00);'zero'", 0.001, "zero"}, {"0.00;(0.00)", -0.001, "(0.00)"},
      {"0.00E+00", 12345, "1.23E+04"}, {"0.0E-0", 0.00123, "1.2E-3"}, {"0.###E+0", 0, "0E+0"},
      {"\"Total: \"0", 5, "Total: 5"}, {"0' kg'", 12, "12 kg"},       {"0.00%", 12.5, "12.50%"},
      {"", 1.5, "1.5"},              {"00-00", 1234, "12-34"},       {"#,0.00", -1234.5, "-1,234.50"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(c.format) + " / " + std::to_string(c.value));
    EXPECT_EQ(FormatFloat(c.format, c.value), c.expected);
  }
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  EXPECT_EQ(FormatFloat("#,0.00", 1234.5), "1.234,50");
}

TEST_F(Conversions, FormatFloatPlaceholdersAfterTheExponentPrintNothing)
{
  const struct {
    const char *format;
    double value;
    const char *expected;
  } cases[] = {
      {"0E+00#", 12345, "1E+04"},
      {"0E+0##0#", 5, "5E+0"},
      {"0.0E+00 00", 1.5, "1.5E+00 "},
      {"#,##0.00E+00###,###.###0", 1234567.5, "1,234.57E+03"},
      {"0E+0.0", 12345, "1E+4"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(FormatFloat(c.format, c.value), c.expected);
  }
}

TEST_F(Conversions, FormatWithGoodArguments)
{
  EXPECT_EQ(Format("%d items", 5), "5 items");
  EXPECT_EQ(Format("%s=%d", QString("a"), -3), "a=-3");
  EXPECT_EQ(Format("[%5d][%-5d][%.3d]", 42, 42, 7), "[   42][42   ][007]");
  EXPECT_EQ(Format("%x %4.4X", 255, 10), "FF 000A");
  EXPECT_EQ(Format("%x", -1), "FFFFFFFF");
  EXPECT_EQ(Format("%.2f|%f|%.0f", 3.14159, 2.0, 2.5), "3.14|2.00|3");
  EXPECT_EQ(Format("%n", 1234567.891), "1,234,567.89");
  EXPECT_EQ(Format("%g", 0.5), "0.5");
  EXPECT_EQ(Format("%e", 1234.5), "1.23450000000000E+003");
  EXPECT_EQ(Format("%*d|%-*s|", 4, 7, 3, "ab"), "   7|ab |");
  EXPECT_EQ(Format("%1:s %0:s %s", "a", "b"), "b a b");
  EXPECT_EQ(Format("%.2s", "abcdef"), "ab");
  EXPECT_EQ(Format("100%%"), "100%");
  EXPECT_EQ(Format("%s", 'c'), "c");
  EXPECT_EQ(Format("%d", int64_t(1) << 40), "1099511627776");
  EXPECT_EQ(Format("%u", -1), "4294967295");
  EXPECT_EQ(Format("Row %d: %s", TVarRecs{3, "bad"}), "Row 3: bad");
}

TEST_F(Conversions, FormatRejectsWrongArguments)
{
  const struct {
    const char *format;
    TVarRecs args;
    const char *fragment;
  } cases[] = {
      {"%d", {"x"}, "expected an integer, a string was given"},
      {"%s", {5}, "expected a string, an integer was given"},
      {"%f", {5}, "expected a floating point number, an integer was given"},
      {"%d", {2.5}, "expected an integer, a floating point number was given"},
      {"%d %d", {1}, "No argument for format '%d'"},
      {"%q", {1}, "unknown conversion"},
      {"%5", {1}, "ends inside a specifier"},
      {"%*d", {"w", 1}, "'*' needs an integer"},
      // A width or precision taken from an argument is bounded like a written one.
      {"%*d", {2147483647, 1}, "number out of range"},
      {"%.*d", {1 << 30, 1}, "number out of range"},
      {"%-*s", {-5, "a"}, "number out of range"},
      {"%*:s", {-1, "a"}, "number out of range"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.format);
    try {
      Format(c.format, c.args);
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError &e) {
      EXPECT_TRUE(e.Message().contains(c.fragment)) << e.Message().toStdString();
    }
  }
}

TEST_F(Conversions, ExceptionCreateFmt)
{
  const EConvertError e("Value %d out of range %s", {7, "1..5"});
  EXPECT_EQ(e.Message(), "Value 7 out of range 1..5");
  EXPECT_STREQ(e.what(), "Value 7 out of range 1..5");
  const Exception &base = e;
  EXPECT_EQ(base.Message(), e.Message());
  EXPECT_THROW(Abort(), EAbort);
}

TEST_F(Conversions, RoundTakesHalvesToEven)
{
  const std::pair<double, int64_t> cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4},
                                              {2.4999, 2}, {2.5001, 3}, {-0.4, 0}, {1e15 + 0.5, 1000000000000000}};
  for (const auto &[v, r] : cases) EXPECT_EQ(Round(v), r) << v;
  EXPECT_EQ(Trunc(-2.9), -2);
  EXPECT_DOUBLE_EQ(Frac(-2.25), -0.25);
  EXPECT_THROW(Round(1e300), EInvalidOp);
  EXPECT_THROW(Trunc(std::nan("")), EInvalidOp);
}

TEST_F(Conversions, MulDivRoundsHalvesAwayFromZero)
{
  const int cases[][4] = {
      {7, 1, 2, 4},   {-7, 1, 2, -4}, {7, -1, 2, -4},  {10, 3, 4, 8},     {-10, 3, 4, -8},
      {10, 3, -4, -8}, {9, 1, 4, 2},  {64, 120, 96, 80}, {5, 3, 0, -1},   {2147483647, 2, 1, -1},
      {2147483647, 2, 2, 2147483647},
  };
  for (const auto &c : cases)
    EXPECT_EQ(MulDiv(c[0], c[1], c[2]), c[3]) << c[0] << "*" << c[1] << "/" << c[2];
}

TEST_F(Conversions, StrToBool)
{
  EXPECT_TRUE(StrToBool("true"));
  EXPECT_FALSE(StrToBool("FALSE"));
  EXPECT_TRUE(StrToBool("-1"));
  EXPECT_FALSE(StrToBool("0"));
  EXPECT_TRUE(StrToBoolDef("maybe", true));
  EXPECT_EQ(BoolToStr(true), "-1");
  EXPECT_EQ(BoolToStr(false, true), "False");
}

}  // namespace
