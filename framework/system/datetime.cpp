#include <QDateTime>
#include <cmath>
#include <optional>

#include "framework/system/clock.h"
#include "framework/system/sysutils.h"

namespace {

std::optional<TDateTime> gNowOverride;

const int kDaysBefore[2][13] = {{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
                                {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366}};

// 1899-12-30 counted with 0001-01-01 as day 1.
constexpr int kDateDelta = 693594;

// Days either side of 1899-12-30 that split into whole milliseconds without overflow (far
// beyond the calendar's 9999-12-31).
constexpr double kSplitLimit = 1e11;

// Milliseconds since midnight of the day part, rounded, carrying into the day. Not a number,
// the infinities and values beyond the limit split into nothing: false, day 0 at midnight.
bool SplitDateTime(TDateTime dt, int64_t &days, int64_t &msecs)
{
  if (!(std::fabs(dt) < kSplitLimit)) {
    days = 0;
    msecs = 0;
    return false;
  }
  const double total = std::round(dt * MSecsPerDay);
  // The original treats a negative date-time as "days before" with a positive time part.
  int64_t t = int64_t(total);
  days = int64_t(std::trunc(dt));
  int64_t rest = t - days * int64_t(MSecsPerDay);
  if (rest < 0) rest = -rest;
  if (rest >= int64_t(MSecsPerDay)) {
    days += dt < 0 ? -1 : 1;
    rest -= int64_t(MSecsPerDay);
  }
  msecs = rest;
  return true;
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month)
{
  if (month < 1 || month > 12) return 0;
  const int leap = IsLeapYear(year) ? 1 : 0;
  return kDaysBefore[leap][month] - kDaysBefore[leap][month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime &date)
{
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month))
    return false;
  const int y = year - 1;
  const int64_t days = int64_t(y) * 365 + y / 4 - y / 100 + y / 400 + kDaysBefore[IsLeapYear(year) ? 1 : 0][month - 1] + day;
  date = double(days - kDateDelta);
  return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
  TDateTime d;
  if (!TryEncodeDate(year, month, day, d)) throw EConvertError(QStringLiteral("Invalid argument to date encode"));
  return d;
}

void DecodeDate(TDateTime date, int &year, int &month, int &day)
{
  int64_t days, ms;
  const bool valid = SplitDateTime(date, days, ms);
  int64_t t = days + kDateDelta - 1;  // days since 0001-01-01, zero-based
  // Before the first day of the calendar (and values that are no date) decode to zeros.
  if (!valid || t < 0) {
    year = month = day = 0;
    return;
  }
  int64_t y = 1;
  const int64_t d400 = 146097, d100 = 36524, d4 = 1461;
  y += (t / d400) * 400;
  t %= d400;
  int64_t i = t / d100;
  t %= d100;
  if (i == 4) { i = 3; t += d100; }
  y += i * 100;
  i = t / d4;
  t %= d4;
  y += i * 4;
  i = t / 365;
  t %= 365;
  if (i == 4) { i = 3; t += 365; }
  y += i;
  year = int(y);
  const int leap = IsLeapYear(year) ? 1 : 0;
  int m = 1;
  while (m < 12 && t >= kDaysBefore[leap][m]) ++m;
  month = m;
  day = int(t - kDaysBefore[leap][m - 1]) + 1;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime &time)
{
  if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999) return false;
  time = (((hour * 60.0 + min) * 60.0 + sec) * 1000.0 + msec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
  TDateTime t;
  if (!TryEncodeTime(hour, min, sec, msec, t)) throw EConvertError(QStringLiteral("Invalid argument to time encode"));
  return t;
}

void DecodeTime(TDateTime time, int &hour, int &min, int &sec, int &msec)
{
  int64_t days, ms;
  SplitDateTime(time, days, ms);
  hour = int(ms / 3600000);
  min = int(ms / 60000 % 60);
  sec = int(ms / 1000 % 60);
  msec = int(ms % 1000);
}

void DecodeDateTime(TDateTime dt, int &year, int &month, int &day, int &hour, int &min, int &sec, int &msec)
{
  DecodeDate(dt, year, month, day);
  DecodeTime(dt, hour, min, sec, msec);
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec)
{
  const TDateTime d = EncodeDate(year, month, day);
  const TDateTime t = EncodeTime(hour, min, sec, msec);
  return d >= 0 ? d + t : d - t;
}

int DayOfWeek(TDateTime date)
{
  int64_t days, ms;
  SplitDateTime(date, days, ms);
  // 1899-12-30 was a Saturday (7).
  int64_t r = (days + 6) % 7;
  if (r < 0) r += 7;
  return int(r) + 1;
}

int YearOf(TDateTime dt) { int y, m, d; DecodeDate(dt, y, m, d); return y; }
int MonthOf(TDateTime dt) { int y, m, d; DecodeDate(dt, y, m, d); return m; }
int DayOf(TDateTime dt) { int y, m, d; DecodeDate(dt, y, m, d); return d; }
int HourOf(TDateTime dt) { int h, n, s, z; DecodeTime(dt, h, n, s, z); return h; }
int MinuteOf(TDateTime dt) { int h, n, s, z; DecodeTime(dt, h, n, s, z); return n; }
int SecondOf(TDateTime dt) { int h, n, s, z; DecodeTime(dt, h, n, s, z); return s; }
TDateTime DateOf(TDateTime dt) { return std::trunc(dt); }
TDateTime TimeOf(TDateTime dt) { return std::fabs(dt - std::trunc(dt)); }

TDateTime IncMonth(TDateTime date, int months)
{
  int y, m, d;
  DecodeDate(date, y, m, d);
  int total = y * 12 + (m - 1) + months;
  y = total / 12;
  m = total % 12 + 1;
  if (d > DaysInAMonth(y, m)) d = DaysInAMonth(y, m);
  TDateTime r = EncodeDate(y, m, d);
  const double frac = date - std::trunc(date);
  return r + (r >= 0 ? std::fabs(frac) : -std::fabs(frac));
}

TDateTime IncDay(TDateTime date, int days) { return date + days; }
TDateTime IncHour(TDateTime dt, int64_t hours) { return dt + double(hours) / HoursPerDay; }
TDateTime IncMinute(TDateTime dt, int64_t minutes) { return dt + double(minutes) / MinsPerDay; }
TDateTime IncSecond(TDateTime dt, int64_t seconds) { return dt + double(seconds) / SecsPerDay; }

TDateTime Now()
{
  if (gNowOverride) return *gNowOverride;
  const QDateTime now = QDateTime::currentDateTime();
  const QDate d = now.date();
  const QTime t = now.time();
  return EncodeDate(d.year(), d.month(), d.day()) + EncodeTime(t.hour(), t.minute(), t.second(), t.msec());
}

TDateTime Date() { return std::trunc(Now()); }
TDateTime Time() { const TDateTime n = Now(); return n - std::trunc(n); }
void SetNowOverride(TDateTime dt) { gNowOverride = dt; }
void ClearNowOverride() { gNowOverride.reset(); }

uint32_t GetTickCount() { return uint32_t(ClockMs()); }

// ---------------------------------------------------------------------------------------------
// FormatDateTime

namespace {

QString Pad(int v, int width)
{
  QString s = QString::number(v);
  while (s.size() < width) s.prepend('0');
  return s;
}

bool HasAmPm(const QString &f)
{
  QChar quote;
  for (int i = 0; i < f.size(); ++i) {
    const QChar c = f[i];
    if (!quote.isNull()) { if (c == quote) quote = QChar(); continue; }
    if (c == '"' || c == '\'') { quote = c; continue; }
    if (c == 'a' || c == 'A') {
      const QString rest = f.mid(i);
      if (rest.startsWith("am/pm", Qt::CaseInsensitive) || rest.startsWith("a/p", Qt::CaseInsensitive) ||
          rest.startsWith("ampm", Qt::CaseInsensitive))
        return true;
    }
  }
  return false;
}

void AppendFormatted(QString &out, const QString &f, TDateTime dt, const TFormatSettings &fs, int depth)
{
  if (depth > 3) return;
  int y, mo, d, h, n, s, z;
  DecodeDateTime(dt, y, mo, d, h, n, s, z);
  const bool ampm = HasAmPm(f);
  bool lastWasHour = false;
  int i = 0;
  const int len = int(f.size());
  auto count = [&](QChar ch) {
    int k = i;
    while (k < len && f[k].toLower() == ch) ++k;
    return k - i;
  };
  while (i < len) {
    const QChar c = f[i];
    const QChar lc = c.toLower();
    if (c == '"' || c == '\'') {
      int k = i + 1;
      while (k < len && f[k] != c) ++k;
      out += f.mid(i + 1, k - i - 1);
      i = k + 1;
      continue;
    }
    bool hourToken = false;
    if (lc == 'c') {
      AppendFormatted(out, fs.ShortDateFormat, dt, fs, depth + 1);
      if (dt - std::trunc(dt) != 0) {
        out += ' ';
        AppendFormatted(out, fs.LongTimeFormat, dt, fs, depth + 1);
      }
      i += 1;
    } else if (lc == 'd') {
      const int k = count('d');
      switch (k) {
      case 1: out += QString::number(d); break;
      case 2: out += Pad(d, 2); break;
      case 3: out += fs.ShortDayNames[DayOfWeek(dt) - 1]; break;
      case 4: out += fs.LongDayNames[DayOfWeek(dt) - 1]; break;
      case 5: AppendFormatted(out, fs.ShortDateFormat, dt, fs, depth + 1); break;
      default: AppendFormatted(out, fs.LongDateFormat, dt, fs, depth + 1); break;
      }
      i += std::min(k, 6);
    } else if (lc == 'm') {
      const int k = count('m');
      if (lastWasHour && k <= 2) {
        out += k == 1 ? QString::number(n) : Pad(n, 2);
      } else {
        switch (k) {
        case 1: out += QString::number(mo); break;
        case 2: out += Pad(mo, 2); break;
        case 3: out += fs.ShortMonthNames[mo - 1]; break;
        default: out += fs.LongMonthNames[mo - 1]; break;
        }
      }
      i += std::min(k, 4);
    } else if (lc == 'y') {
      const int k = count('y');
      out += k <= 2 ? Pad(y % 100, 2) : Pad(y, 4);
      i += k;
    } else if (lc == 'h') {
      const int k = count('h');
      int hh = h;
      if (ampm) {
        hh = h % 12;
        if (hh == 0) hh = 12;
      }
      out += k == 1 ? QString::number(hh) : Pad(hh, 2);
      i += std::min(k, 2);
      hourToken = true;
    } else if (lc == 'n') {
      const int k = count('n');
      out += k == 1 ? QString::number(n) : Pad(n, 2);
      i += std::min(k, 2);
    } else if (lc == 's') {
      const int k = count('s');
      out += k == 1 ? QString::number(s) : Pad(s, 2);
      i += std::min(k, 2);
    } else if (lc == 'z') {
      const int k = count('z');
      out += k >= 3 ? Pad(z, 3) : QString::number(z);
      i += std::min(k, 3);
    } else if (lc == 't') {
      const int k = count('t');
      AppendFormatted(out, k == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, dt, fs, depth + 1);
      i += std::min(k, 2);
    } else if (lc == 'a' && f.mid(i, 5).compare("am/pm", Qt::CaseInsensitive) == 0) {
      const QString t = f.mid(i, 5);
      out += h < 12 ? t.left(2) : t.mid(3, 2);
      i += 5;
    } else if (lc == 'a' && f.mid(i, 3).compare("a/p", Qt::CaseInsensitive) == 0) {
      out += h < 12 ? f[i] : f[i + 2];
      i += 3;
    } else if (lc == 'a' && f.mid(i, 4).compare("ampm", Qt::CaseInsensitive) == 0) {
      out += h < 12 ? fs.TimeAMString : fs.TimePMString;
      i += 4;
    } else if (c == '/') {
      out += fs.DateSeparator;
      ++i;
    } else if (c == ':') {
      out += fs.TimeSeparator;
      ++i;
    } else {
      out += c;
      ++i;
    }
    if (hourToken) lastWasHour = true;
    else if (lc.isLetter()) lastWasHour = false;
  }
}

}  // namespace

QString FormatDateTime(const QString &format, TDateTime dt, const TFormatSettings &fs)
{
  // Month and day names exist only for the calendar's days.
  int y, m, d;
  DecodeDate(dt, y, m, d);
  if (y < 1 || y > 9999)
    throw EConvertError(QStringLiteral("%1 is not a valid date and time").arg(dt, 0, 'g', 17));
  QString out;
  AppendFormatted(out, format.isEmpty() ? QStringLiteral("c") : format, dt, fs, 0);
  return out;
}

QString FormatDateTime(const QString &format, TDateTime dt) { return FormatDateTime(format, dt, FormatSettings); }
QString DateToStr(TDateTime d) { return FormatDateTime(QStringLiteral("ddddd"), d); }
QString TimeToStr(TDateTime t) { return FormatDateTime(QStringLiteral("tt"), t); }
QString DateTimeToStr(TDateTime dt) { return FormatDateTime(QStringLiteral("c"), dt); }

// ---------------------------------------------------------------------------------------------
// Parsing

namespace {

// Order of day, month and year in the short date format: "DMY", "MDY" or "YMD".
QString DateOrder(const QString &f)
{
  QString r;
  for (QChar c : f) {
    const QChar l = c.toLower();
    if ((l == 'd' || l == 'm' || l == 'y') && !r.contains(l.toUpper())) r += l.toUpper();
  }
  if (r.size() != 3) return QStringLiteral("MDY");
  return r;
}

bool ReadNumber(const QString &s, int &i, int &value, int &digits)
{
  while (i < s.size() && s[i] == ' ') ++i;
  value = 0;
  digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
    if (digits < 9) value = value * 10 + (s[i].unicode() - '0');
    ++digits;
    ++i;
  }
  return digits > 0;
}

bool ParseDatePart(const QString &s, int &i, TDateTime &value, const TFormatSettings &fs)
{
  int nums[3], digs[3], count = 0;
  while (count < 3) {
    if (!ReadNumber(s, i, nums[count], digs[count])) break;
    ++count;
    while (i < s.size() && s[i] == ' ') ++i;
    if (count < 3 && i < s.size() && s[i] == fs.DateSeparator) ++i;
    else break;
  }
  if (count < 2) return false;
  const QString order = DateOrder(fs.ShortDateFormat);
  int y = 0, m = 0, d = 0, yDigits = 0;
  if (count == 2) {
    int cy, cm, cd;
    DecodeDate(Date(), cy, cm, cd);
    y = cy;
    yDigits = 4;
    const QString o2 = QString(order).remove('Y');
    if (o2 == "DM") { d = nums[0]; m = nums[1]; } else { m = nums[0]; d = nums[1]; }
  } else {
    for (int k = 0; k < 3; ++k) {
      if (order[k] == 'Y') { y = nums[k]; yDigits = digs[k]; }
      else if (order[k] == 'M') m = nums[k];
      else d = nums[k];
    }
  }
  if (yDigits <= 2) {
    int cy, cm, cd;
    DecodeDate(Date(), cy, cm, cd);
    int century = cy - fs.TwoDigitYearCenturyWindow;
    y += (century / 100) * 100;
    if (fs.TwoDigitYearCenturyWindow > 0 && y < century) y += 100;
  }
  return TryEncodeDate(y, m, d, value);
}

bool ParseTimePart(const QString &s, int &i, TDateTime &value, const TFormatSettings &fs)
{
  int h = 0, n = 0, sec = 0, ms = 0, digits;
  if (!ReadNumber(s, i, h, digits)) return false;
  while (i < s.size() && s[i] == ' ') ++i;
  if (i < s.size() && s[i] == fs.TimeSeparator) {
    ++i;
    if (!ReadNumber(s, i, n, digits)) return false;
    while (i < s.size() && s[i] == ' ') ++i;
    if (i < s.size() && s[i] == fs.TimeSeparator) {
      ++i;
      if (!ReadNumber(s, i, sec, digits)) return false;
      if (i < s.size() && s[i] == fs.DecimalSeparator) {
        ++i;
        if (!ReadNumber(s, i, ms, digits)) return false;
      }
    }
  }
  while (i < s.size() && s[i] == ' ') ++i;
  const QString rest = s.mid(i);
  auto matchAt = [&](const QString &t) { return !t.isEmpty() && rest.startsWith(t, Qt::CaseInsensitive); };
  int pm = -1;
  if (matchAt(fs.TimeAMString)) { pm = 0; i += int(fs.TimeAMString.size()); }
  else if (matchAt(fs.TimePMString)) { pm = 1; i += int(fs.TimePMString.size()); }
  else if (matchAt("AM")) { pm = 0; i += 2; }
  else if (matchAt("PM")) { pm = 1; i += 2; }
  if (pm >= 0) {
    if (h < 1 || h > 12) return false;
    h = h % 12 + (pm ? 12 : 0);
  }
  return TryEncodeTime(h, n, sec, ms, value);
}

bool AtEnd(const QString &s, int i)
{
  while (i < s.size() && s[i].unicode() <= 0x20) ++i;
  return i >= s.size();
}

}  // namespace

bool TryStrToDate(const QString &s, TDateTime &value, const TFormatSettings &fs)
{
  int i = 0;
  TDateTime d;
  if (!ParseDatePart(s, i, d, fs) || !AtEnd(s, i)) return false;
  value = d;
  return true;
}

bool TryStrToDate(const QString &s, TDateTime &value) { return TryStrToDate(s, value, FormatSettings); }

TDateTime StrToDate(const QString &s)
{
  TDateTime d;
  if (!TryStrToDate(s, d)) throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(s));
  return d;
}

TDateTime StrToDateDef(const QString &s, TDateTime def)
{
  TDateTime d;
  return TryStrToDate(s, d) ? d : def;
}

bool TryStrToTime(const QString &s, TDateTime &value, const TFormatSettings &fs)
{
  int i = 0;
  TDateTime t;
  if (!ParseTimePart(s, i, t, fs) || !AtEnd(s, i)) return false;
  value = t;
  return true;
}

bool TryStrToTime(const QString &s, TDateTime &value) { return TryStrToTime(s, value, FormatSettings); }

TDateTime StrToTime(const QString &s)
{
  TDateTime t;
  if (!TryStrToTime(s, t)) throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(s));
  return t;
}

bool TryStrToDateTime(const QString &s, TDateTime &value)
{
  int i = 0;
  TDateTime d = 0, t = 0;
  if (!ParseDatePart(s, i, d, FormatSettings)) {
    i = 0;
    if (!ParseTimePart(s, i, t, FormatSettings) || !AtEnd(s, i)) return false;
    value = t;
    return true;
  }
  if (!AtEnd(s, i)) {
    if (!ParseTimePart(s, i, t, FormatSettings) || !AtEnd(s, i)) return false;
  }
  value = d >= 0 ? d + t : d - t;
  return true;
}

TDateTime StrToDateTime(const QString &s)
{
  TDateTime v;
  if (!TryStrToDateTime(s, v)) throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(s));
  return v;
}
