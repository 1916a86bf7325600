#include <QLocale>

#include "framework/system/sysutils.h"

namespace {

const char *const kShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char *const kLongMonths[12] = {"January", "February", "March", "April", "May", "June", "July",
                                     "August", "September", "October", "November", "December"};
const char *const kShortDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char *const kLongDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// Qt date format -> the platform's: M -> m; the first separator becomes '/'.
QString ConvertDateFormat(const QString &qt, QChar &sep)
{
  QString r;
  QChar quote;
  for (QChar c : qt) {
    if (!quote.isNull()) {
      if (c == '\'') { quote = QChar(); r += '"'; } else r += c;
      continue;
    }
    if (c == '\'') { quote = c; r += '"'; continue; }
    if (c == 'M') r += 'm';
    else if (c == 'd' || c == 'y') r += c;
    else if (c == '.' || c == '/' || c == '-') {
      if (sep.isNull()) sep = c;
      r += c == sep ? QChar('/') : c;
    } else r += c;
  }
  return r;
}

// Qt time format -> the platform's: H -> h, m -> n, AP/ap -> AMPM; ':' stays the separator.
QString ConvertTimeFormat(const QString &qt, QChar &sep)
{
  QString r;
  QChar quote;
  for (int i = 0; i < qt.size(); ++i) {
    const QChar c = qt[i];
    if (!quote.isNull()) {
      if (c == '\'') { quote = QChar(); r += '"'; } else r += c;
      continue;
    }
    if (c == '\'') { quote = c; r += '"'; continue; }
    if (c == 'H' || c == 'h') r += 'h';
    else if (c == 'm') r += 'n';
    else if (c == 's') r += 's';
    else if (c == 'z') r += 'z';
    else if (c == 't') continue;  // time zone: not in the platform's formats
    else if ((c == 'A' || c == 'a') && i + 1 < qt.size() && (qt[i + 1] == 'P' || qt[i + 1] == 'p')) {
      r += "AMPM";
      ++i;
    } else if (c == ':' || c == '.') {
      if (sep.isNull()) sep = c;
      r += c == sep ? QChar(':') : c;
    } else r += c;
  }
  return Trim(r);
}

}  // namespace

TFormatSettings TFormatSettings::Invariant()
{
  TFormatSettings fs;
  for (int i = 0; i < 12; ++i) {
    fs.ShortMonthNames[i] = QString::fromLatin1(kShortMonths[i]);
    fs.LongMonthNames[i] = QString::fromLatin1(kLongMonths[i]);
  }
  for (int i = 0; i < 7; ++i) {
    fs.ShortDayNames[i] = QString::fromLatin1(kShortDays[i]);
    fs.LongDayNames[i] = QString::fromLatin1(kLongDays[i]);
  }
  return fs;
}

TFormatSettings TFormatSettings::FromSystemLocale() { return FromLocale(QLocale::system()); }

TFormatSettings TFormatSettings::FromLocale(const QLocale &loc)
{
  TFormatSettings fs = Invariant();
  if (loc.language() == QLocale::C) return fs;
  if (loc.decimalPoint().size() == 1) fs.DecimalSeparator = loc.decimalPoint()[0];
  if (loc.groupSeparator().size() == 1) fs.ThousandSeparator = loc.groupSeparator()[0];
  QChar dsep, tsep;
  fs.ShortDateFormat = ConvertDateFormat(loc.dateFormat(QLocale::ShortFormat), dsep);
  fs.LongDateFormat = ConvertDateFormat(loc.dateFormat(QLocale::LongFormat), dsep);
  if (!dsep.isNull()) fs.DateSeparator = dsep;
  fs.ShortTimeFormat = ConvertTimeFormat(loc.timeFormat(QLocale::ShortFormat), tsep);
  fs.LongTimeFormat = ConvertTimeFormat(loc.timeFormat(QLocale::LongFormat), tsep);
  if (!tsep.isNull()) fs.TimeSeparator = tsep;
  if (!loc.amText().isEmpty()) fs.TimeAMString = loc.amText();
  if (!loc.pmText().isEmpty()) fs.TimePMString = loc.pmText();
  fs.CurrencyString = loc.currencySymbol();
  for (int i = 0; i < 12; ++i) {
    fs.ShortMonthNames[i] = loc.monthName(i + 1, QLocale::ShortFormat);
    fs.LongMonthNames[i] = loc.monthName(i + 1, QLocale::LongFormat);
  }
  for (int i = 0; i < 7; ++i) {
    const int qtDay = i == 0 ? 7 : i;  // Qt: Monday = 1 .. Sunday = 7
    fs.ShortDayNames[i] = loc.dayName(qtDay, QLocale::ShortFormat);
    fs.LongDayNames[i] = loc.dayName(qtDay, QLocale::LongFormat);
  }
  if (fs.DecimalSeparator == fs.ThousandSeparator) fs.ThousandSeparator = fs.DecimalSeparator == '.' ? ',' : '.';
  return fs;
}

TFormatSettings FormatSettings = TFormatSettings::FromSystemLocale();

void ResetFormatSettings() { FormatSettings = TFormatSettings::FromSystemLocale(); }
