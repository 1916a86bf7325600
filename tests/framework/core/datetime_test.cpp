// Date and time encoding, formatting, parsing and the settable clock.
#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"

#include "framework/system/sysutils.h"

#include <limits>

namespace {

class DateTime : public ::testing::Test {
protected:
  void SetUp() override { saved_ = FormatSettings; FormatSettings = TFormatSettings::Invariant(); }
  void TearDown() override
  {
    FormatSettings = saved_;
    ClearNowOverride();
  }
  TFormatSettings saved_;
};

TEST_F(DateTime, EncodeDecodeRoundTrip)
{
  EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_DOUBLE_EQ(EncodeDate(2000, 1, 1), 36526);
  EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 29), -1);
  const int dates[][3] = {{1, 1, 1}, {1600, 2, 29}, {1899, 12, 31}, {1900, 2, 28}, {2000, 2, 29},
                          {2024, 12, 31}, {9999, 12, 31}};
  for (const auto &d : dates) {
    int y, m, day;
    DecodeDate(EncodeDate(d[0], d[1], d[2]), y, m, day);
    EXPECT_EQ(y, d[0]);
    EXPECT_EQ(m, d[1]);
    EXPECT_EQ(day, d[2]);
  }
  EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
  EXPECT_THROW(EncodeDate(2023, 13, 1), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  int h, n, s, ms;
  DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, ms);
  EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 235959999);
  DecodeTime(EncodeDate(2020, 5, 6) + EncodeTime(12, 30, 0, 0), h, n, s, ms);
  EXPECT_EQ(h, 12);
  EXPECT_EQ(n, 30);
}

TEST_F(DateTime, LeapYearsAndWeekdays)
{
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(2023));
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);  // Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 10)), 5);  // Thursday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24)), 1);  // Sunday, before day zero
  EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(2024, 1, 31), 1), EncodeDate(2024, 2, 29));
  EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(2024, 1, 15), -1), EncodeDate(2023, 12, 15));
}

TEST_F(DateTime, FormatDateTimeSpecifiers)
{
  const TDateTime dt = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
  const std::pair<const char *, const char *> cases[] = {
      {"yyyy-mm-dd hh:nn:ss.zzz", "2024-03-05 14:07:09.045"},
      {"d/m/yy", "5/3/24"},
      {"ddd dddd mmm mmmm", "Tue Tuesday Mar March"},
      {"h:mm", "14:07"},  // m after h means minutes
      {"hh:mm:ss", "14:07:09"},
      {"h:nn am/pm", "2:07 pm"},
      {"h:nn AM/PM", "2:07 PM"},
      {"h a/p", "2 p"},
      {"hh ampm", "02 PM"},
      {"\"Day\" d 'of' m", "Day 5 of 3"},
      {"ddddd", "3/5/2024"},
      {"t", "2:07 PM"},
      {"tt", "2:07:09 PM"},
      {"c", "3/5/2024 2:07:09 PM"},
      {"", "3/5/2024 2:07:09 PM"},
  };
  for (const auto &[format, expected] : cases) {
    SCOPED_TRACE(format);
    EXPECT_EQ(FormatDateTime(format, dt), expected);
  }
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5)), "3/5/2024");
  EXPECT_EQ(FormatDateTime("h am/pm", EncodeTime(0, 0, 0, 0)), "12 am");

  FormatSettings.DateSeparator = '.';
  FormatSettings.TimeSeparator = '-';
  FormatSettings.ShortDateFormat = "dd/mm/yyyy";
  FormatSettings.LongTimeFormat = "hh:nn:ss";
  EXPECT_EQ(DateToStr(dt), "05.03.2024");
  EXPECT_EQ(TimeToStr(dt), "14-07-09");
}

TEST_F(DateTime, ValuesOutsideTheCalendarDecodeToZeroAndDoNotFormat)
{
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char *name;
    TDateTime value;
    int year, month, day;  // 0, 0, 0: outside the calendar
  } cases[] = {
      {"nan", nan, 0, 0, 0},
      {"+inf", inf, 0, 0, 0},
      {"-inf", -inf, 0, 0, 0},
      {"huge", 1e300, 0, 0, 0},
      {"huge negative", -1e300, 0, 0, 0},
      {"before the first day", -693594, 0, 0, 0},
      {"long before the first day", -1e9, 0, 0, 0},
      {"first day", -693593, 1, 1, 1},
      {"last day", 2958465.5, 9999, 12, 31},
      {"after the last day", 2958466, 10000, 1, 1},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    int y = -1, m = -1, d = -1;
    DecodeDate(c.value, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, c.year * 10000 + c.month * 100 + c.day);
    int h = -1, n = -1, sec = -1, ms = -1;
    DecodeTime(c.value, h, n, sec, ms);
    EXPECT_TRUE(h >= 0 && h < 24 && n >= 0 && n < 60 && sec >= 0 && sec < 60 && ms >= 0 && ms < 1000);
    if (c.year >= 1 && c.year <= 9999) {
      EXPECT_EQ(FormatDateTime("mmm ddd", c.value).size(), 7);
    } else {
      EXPECT_THROW(FormatDateTime("yyyy-mm-dd mmmm dddd", c.value), EConvertError);
      EXPECT_THROW(DateTimeToStr(c.value), EConvertError);
    }
  }
}

TEST_F(DateTime, StrToDateFollowsShortDateFormatOrder)
{
  FormatSettings.ShortDateFormat = "dd/mm/yyyy";
  FormatSettings.DateSeparator = '.';
  EXPECT_DOUBLE_EQ(StrToDate("05.03.2024"), EncodeDate(2024, 3, 5));
  EXPECT_DOUBLE_EQ(StrToDate(" 5.3.2024 "), EncodeDate(2024, 3, 5));
  EXPECT_THROW(StrToDate("31.02.2024"), EConvertError);
  EXPECT_THROW(StrToDate("05/03/2024"), EConvertError);
  FormatSettings.ShortDateFormat = "yyyy/mm/dd";
  FormatSettings.DateSeparator = '-';
  EXPECT_DOUBLE_EQ(StrToDate("2024-03-05"), EncodeDate(2024, 3, 5));
  TDateTime t;
  EXPECT_TRUE(TryStrToTime("14:07:09", t));
  EXPECT_DOUBLE_EQ(t, EncodeTime(14, 7, 9, 0));
  EXPECT_TRUE(TryStrToTime("2:07 PM", t));
  EXPECT_DOUBLE_EQ(t, EncodeTime(14, 7, 0, 0));
  EXPECT_FALSE(TryStrToTime("25:00", t));
}

TEST_F(DateTime, ClockCanBeFixed)
{
  const TDateTime fixed = EncodeDate(2024, 3, 5) + EncodeTime(6, 0, 0, 0);
  SetNowOverride(fixed);
  EXPECT_DOUBLE_EQ(Now(), fixed);
  EXPECT_DOUBLE_EQ(Date(), EncodeDate(2024, 3, 5));
  EXPECT_DOUBLE_EQ(Time(), EncodeTime(6, 0, 0, 0));
  ClearNowOverride();
  EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
}

}  // namespace

namespace {

TEST(FormatSettingsFromLocale, GermanAndUsLocales)
{
  const TFormatSettings de = TFormatSettings::FromLocale(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(de.DecimalSeparator, ',');
  EXPECT_EQ(de.ThousandSeparator, '.');
  EXPECT_EQ(de.DateSeparator, '.');
  EXPECT_EQ(de.TimeSeparator, ':');
  EXPECT_EQ(de.LongMonthNames[2], QString::fromUtf8("März"));
  EXPECT_EQ(de.LongDayNames[0], "Sonntag");
  const TDateTime dt = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
  EXPECT_EQ(FormatDateTime("ddddd t", dt, de), "05.03.24 14:07");
  EXPECT_EQ(FormatFloat("#,0.00", 1234.5, de), "1.234,50");

  const TFormatSettings us = TFormatSettings::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(us.DecimalSeparator, '.');
  EXPECT_EQ(FormatDateTime("ddddd", dt, us), "3/5/24");
  EXPECT_EQ(FormatDateTime("t", dt, us), "2:07 PM");

  const TFormatSettings c = TFormatSettings::FromLocale(QLocale::c());
  EXPECT_EQ(c.ShortDateFormat, TFormatSettings::Invariant().ShortDateFormat);
}

}  // namespace
