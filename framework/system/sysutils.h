#pragma once
// Exceptions, string and number conversions, date and time routines and the process-wide
// format settings, with the rules of the original platform's run-time library.
#include <QChar>
#include <QString>
#include <QStringList>
#include <QByteArray>
#include <QLocale>
#include <cstdint>
#include <exception>
#include <functional>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "framework/system/types.h"

// ---------------------------------------------------------------------------------------------
// Format arguments

// One argument of Format (the original's "array of const" element).
class TVarRec {
public:
  enum Kind { vtInteger, vtInt64, vtExtended, vtString, vtChar, vtBoolean, vtPointer };
  TVarRec(int v) : kind_(vtInteger), i64_(v) {}
  TVarRec(unsigned v) : kind_(vtInt64), i64_(v) {}
  TVarRec(long v) : kind_(vtInt64), i64_(v) {}
  TVarRec(unsigned long v) : kind_(vtInt64), i64_(int64_t(v)) {}
  TVarRec(long long v) : kind_(vtInt64), i64_(v) {}
  TVarRec(unsigned long long v) : kind_(vtInt64), i64_(int64_t(v)) {}
  TVarRec(short v) : kind_(vtInteger), i64_(v) {}
  TVarRec(unsigned short v) : kind_(vtInteger), i64_(v) {}
  TVarRec(signed char v) : kind_(vtInteger), i64_(v) {}
  TVarRec(unsigned char v) : kind_(vtInteger), i64_(v) {}
  TVarRec(double v) : kind_(vtExtended), d_(v) {}
  TVarRec(float v) : kind_(vtExtended), d_(v) {}
  TVarRec(bool v) : kind_(vtBoolean), i64_(v ? 1 : 0) {}
  TVarRec(char c) : kind_(vtChar), s_(QChar::fromLatin1(c)) {}
  TVarRec(QChar c) : kind_(vtChar), s_(c) {}
  TVarRec(const QString &s) : kind_(vtString), s_(s) {}
  TVarRec(const char *s) : kind_(vtString), s_(QString::fromUtf8(s)) {}
  TVarRec(const void *p) : kind_(vtPointer), i64_(int64_t(reinterpret_cast<uintptr_t>(p))) {}

  Kind VType() const { return kind_; }
  bool IsInteger() const { return kind_ == vtInteger || kind_ == vtInt64; }
  int64_t AsInt64() const { return i64_; }
  double AsDouble() const { return d_; }
  const QString &AsString() const { return s_; }
  QString KindName() const;

private:
  Kind kind_;
  int64_t i64_ = 0;
  double d_ = 0;
  QString s_;
};

using TVarRecs = std::vector<TVarRec>;

// ---------------------------------------------------------------------------------------------
// Exceptions

class Exception : public std::exception {
public:
  explicit Exception(const QString &msg);
  // The original's CreateFmt: the message is Format(fmt, args).
  Exception(const QString &fmt, const TVarRecs &args);
  ~Exception() override;

  const QString &Message() const { return FMessage; }
  void SetMessage(const QString &msg);
  const char *what() const noexcept override { return FUtf8.constData(); }

private:
  QString FMessage;
  QByteArray FUtf8;
};

#define QM_DECLARE_EXCEPTION(Name, Base)                                                 \
  class Name : public Base {                                                              \
  public:                                                                                 \
    explicit Name(const QString &msg) : Base(msg) {}                                      \
    Name(const QString &fmt, const TVarRecs &args) : Base(fmt, args) {}                   \
  };

// Silent exception: stops an operation without an error box.
QM_DECLARE_EXCEPTION(EAbort, Exception)
QM_DECLARE_EXCEPTION(EConvertError, Exception)
QM_DECLARE_EXCEPTION(EInvalidOperation, Exception)
QM_DECLARE_EXCEPTION(EInvalidArgument, Exception)
QM_DECLARE_EXCEPTION(EInvalidPointer, Exception)
QM_DECLARE_EXCEPTION(EInvalidCast, Exception)
QM_DECLARE_EXCEPTION(EOutOfMemory, Exception)
QM_DECLARE_EXCEPTION(EListError, Exception)
QM_DECLARE_EXCEPTION(EStringListError, EListError)
QM_DECLARE_EXCEPTION(EComponentError, Exception)
QM_DECLARE_EXCEPTION(EStreamError, Exception)
QM_DECLARE_EXCEPTION(EFOpenError, EStreamError)
QM_DECLARE_EXCEPTION(EFCreateError, EStreamError)
QM_DECLARE_EXCEPTION(EReadError, EStreamError)
QM_DECLARE_EXCEPTION(EWriteError, EStreamError)
QM_DECLARE_EXCEPTION(EInOutError, Exception)
QM_DECLARE_EXCEPTION(EOSError, Exception)
QM_DECLARE_EXCEPTION(EIntError, Exception)
QM_DECLARE_EXCEPTION(EDivByZero, EIntError)
QM_DECLARE_EXCEPTION(ERangeError, EIntError)
QM_DECLARE_EXCEPTION(EIntOverflow, EIntError)
QM_DECLARE_EXCEPTION(EMathError, Exception)
QM_DECLARE_EXCEPTION(EZeroDivide, EMathError)
QM_DECLARE_EXCEPTION(EOverflow, EMathError)
QM_DECLARE_EXCEPTION(EInvalidOp, EMathError)
QM_DECLARE_EXCEPTION(EXMLDocError, Exception)

// Raises EAbort.
[[noreturn]] void Abort();

// ---------------------------------------------------------------------------------------------
// Format settings

struct TFormatSettings {
  QChar DecimalSeparator = '.';
  QChar ThousandSeparator = ',';
  QChar DateSeparator = '/';
  QChar TimeSeparator = ':';
  QChar ListSeparator = ',';
  QString CurrencyString = "$";
  uint8_t CurrencyFormat = 0;
  uint8_t NegCurrFormat = 0;
  uint8_t CurrencyDecimals = 2;
  QString ShortDateFormat = "M/d/yyyy";
  QString LongDateFormat = "dddd, MMMM d, yyyy";
  QString ShortTimeFormat = "h:mm AMPM";
  QString LongTimeFormat = "h:mm:ss AMPM";
  QString TimeAMString = "AM";
  QString TimePMString = "PM";
  QString ShortMonthNames[12];
  QString LongMonthNames[12];
  QString ShortDayNames[7];  // Sunday first
  QString LongDayNames[7];
  int TwoDigitYearCenturyWindow = 50;

  // English names, '.' decimal separator, US date and time formats.
  static TFormatSettings Invariant();
  // Settings of a locale; the "C" locale gives Invariant().
  static TFormatSettings FromLocale(const QLocale &locale);
  // Settings of the user's locale (QLocale::system()).
  static TFormatSettings FromSystemLocale();
};

// The process-wide settings; taken from the user's locale at start-up, settable by tests.
extern TFormatSettings FormatSettings;
// Back to the user's locale.
void ResetFormatSettings();

// ---------------------------------------------------------------------------------------------
// Strings

enum class TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag>;
constexpr TReplaceFlag rfReplaceAll = TReplaceFlag::rfReplaceAll;
constexpr TReplaceFlag rfIgnoreCase = TReplaceFlag::rfIgnoreCase;

// Remove characters <= U+0020 (blanks and control characters).
QString Trim(const QString &s);
QString TrimLeft(const QString &s);
QString TrimRight(const QString &s);
// ASCII letters only.
QString UpperCase(const QString &s);
QString LowerCase(const QString &s);
// Every letter.
QString AnsiUpperCase(const QString &s);
QString AnsiLowerCase(const QString &s);
// ASCII case-insensitive ordinal comparison: < 0, 0, > 0.
int CompareText(const QString &a, const QString &b);
bool SameText(const QString &a, const QString &b);
// Ordinal comparison by UTF-16 unit.
int CompareStr(const QString &a, const QString &b);
bool SameStr(const QString &a, const QString &b);
// Locale-aware comparisons (case-insensitive / case-sensitive).
int AnsiCompareText(const QString &a, const QString &b);
int AnsiCompareStr(const QString &a, const QString &b);
bool AnsiSameText(const QString &a, const QString &b);
bool AnsiSameStr(const QString &a, const QString &b);
bool AnsiStartsText(const QString &sub, const QString &s);
bool AnsiEndsText(const QString &sub, const QString &s);
bool AnsiContainsText(const QString &s, const QString &sub);

// 1-based positions: Pos answers 0 when sub is not found (or is empty).
int Pos(const QString &sub, const QString &s);
int Pos(QChar c, const QString &s);
int PosEx(const QString &sub, const QString &s, int offset = 1);
int AnsiPos(const QString &sub, const QString &s);
int LastDelimiter(const QString &delimiters, const QString &s);
// Copy from 1-based index; out-of-range index/count are clipped, never raise.
QString Copy(const QString &s, int index, int count);
QString Copy(const QString &s, int index);
void Delete(QString &s, int index, int count);
void Insert(const QString &sub, QString &s, int index);
int Length(const QString &s);
void SetLength(QString &s, int len);
QString StringReplace(const QString &s, const QString &oldPattern, const QString &newPattern,
                      TReplaceFlags flags);
QString StringOfChar(QChar c, int count);
QString DupeString(const QString &s, int count);
QString QuotedStr(const QString &s);
QString AnsiQuotedStr(const QString &s, QChar quote);
// Removes the quotes (doubled quotes inside become single); a text not starting with the
// quote comes back unchanged.
QString AnsiDequotedStr(const QString &s, QChar quote);
QString AdjustLineBreaks(const QString &s);
QString LeftStr(const QString &s, int count);
QString RightStr(const QString &s, int count);
QString MidStr(const QString &s, int start, int count);
bool StartsText(const QString &sub, const QString &s);
bool EndsText(const QString &sub, const QString &s);
bool StartsStr(const QString &sub, const QString &s);
bool EndsStr(const QString &sub, const QString &s);
QString ReverseString(const QString &s);
bool IsDelimiter(const QString &delimiters, const QString &s, int index);
QChar UpCase(QChar c);

// ---------------------------------------------------------------------------------------------
// Integers

QString IntToStr(int v);
QString IntToStr(int64_t v);
inline QString IntToStr(unsigned v) { return IntToStr(int64_t(v)); }
inline QString IntToStr(long long v) { return IntToStr(int64_t(v)); }
QString UIntToStr(uint32_t v);
// Upper-case hexadecimal, at least `digits` digits; negative values show their two's complement
// in the argument's width (int: 8 digits, int64_t: 16 digits).
QString IntToHex(int64_t v, int digits);
QString IntToHex(int v, int digits);
inline QString IntToHex(uint32_t v, int digits) { return IntToHex(int64_t(v), digits); }
inline QString IntToHex(long long v, int digits) { return IntToHex(int64_t(v), digits); }

// Leading blanks, a sign, then decimal or hex ("$", "x", "X", "0x", "0X"); nothing after the
// number. Decimal values outside 32 bits fail; hex values up to $FFFFFFFF wrap as 32-bit
// two's complement ("$FFFFFFFF" gives -1).
bool TryStrToInt(const QString &s, int &value);
int StrToInt(const QString &s);  // EConvertError "'s' is not a valid integer value"
int StrToIntDef(const QString &s, int def);
// TryStrToInt on UTF-8 text, for numbers read straight from a document without a QString.
bool TryUtf8ToInt(std::string_view s, int &value);
bool TryStrToInt64(const QString &s, int64_t &value);
int64_t StrToInt64(const QString &s);
int64_t StrToInt64Def(const QString &s, int64_t def);
bool TryStrToUInt(const QString &s, uint32_t &value);
bool StrToBool(const QString &s);
bool TryStrToBool(const QString &s, bool &value);
bool StrToBoolDef(const QString &s, bool def);
QString BoolToStr(bool b, bool useBoolStrs = false);
// Number * Numerator / Denominator through 64 bits, rounded half away from zero; -1 for a
// zero denominator or a result outside 32 bits, as the platform's MulDiv.
int MulDiv(int Number, int Numerator, int Denominator);

// ---------------------------------------------------------------------------------------------
// Floating point

enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
constexpr TFloatFormat ffGeneral = TFloatFormat::ffGeneral;
constexpr TFloatFormat ffExponent = TFloatFormat::ffExponent;
constexpr TFloatFormat ffFixed = TFloatFormat::ffFixed;
constexpr TFloatFormat ffNumber = TFloatFormat::ffNumber;
constexpr TFloatFormat ffCurrency = TFloatFormat::ffCurrency;

// Leading and trailing blanks allowed; the decimal separator of the settings; optional
// exponent. No thousand separators.
bool TryStrToFloat(const QString &s, double &value);
bool TryStrToFloat(const QString &s, double &value, const TFormatSettings &fs);
double StrToFloat(const QString &s);  // EConvertError "'s' is not a valid floating point value"
double StrToFloat(const QString &s, const TFormatSettings &fs);
double StrToFloatDef(const QString &s, double def);
double StrToFloatDef(const QString &s, double def, const TFormatSettings &fs);
// General format with 15 significant digits.
QString FloatToStr(double v);
QString FloatToStr(double v, const TFormatSettings &fs);
QString FloatToStrF(double v, TFloatFormat format, int precision, int digits);
QString FloatToStrF(double v, TFloatFormat format, int precision, int digits,
                    const TFormatSettings &fs);
// The format-string language: "0", "#", ".", ",", "E+"/"E-"/"e+"/"e-", quoted text, and up to
// three sections separated by ';' (positive; negative; zero).
QString FormatFloat(const QString &format, double v);
QString FormatFloat(const QString &format, double v, const TFormatSettings &fs);
QString CurrToStr(double v);

// The original's rounding: Round takes halves to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2); Trunc drops the fraction; Frac keeps it with the value's sign.
int64_t Round(double v);
int64_t Trunc(double v);
double Frac(double v);

// ---------------------------------------------------------------------------------------------
// Format

// %[index:][-][width][.prec]type with type d u e f g n m p s x; '*' takes width or precision
// from the arguments. A missing argument or one of the wrong kind raises EConvertError.
QString Format(const QString &fmt, const TVarRecs &args = {});
QString Format(const QString &fmt, const TVarRecs &args, const TFormatSettings &fs);
template <typename... A>
  requires(sizeof...(A) > 0 && (!std::is_same_v<std::decay_t<A>, TFormatSettings> && ...))
QString Format(const QString &fmt, const A &...args)
{
  return Format(fmt, TVarRecs{TVarRec(args)...});
}

// ---------------------------------------------------------------------------------------------
// Date and time (TDateTime: days since 1899-12-30, fraction = time of day)

constexpr double MSecsPerDay = 86400000.0;
constexpr double SecsPerDay = 86400.0;
constexpr double MinsPerDay = 1440.0;
constexpr double HoursPerDay = 24.0;

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);
bool TryEncodeDate(int year, int month, int day, TDateTime &date);
TDateTime EncodeDate(int year, int month, int day);  // EConvertError for an invalid date
void DecodeDate(TDateTime date, int &year, int &month, int &day);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime &time);
TDateTime EncodeTime(int hour, int min, int sec, int msec);  // EConvertError when invalid
void DecodeTime(TDateTime time, int &hour, int &min, int &sec, int &msec);
void DecodeDateTime(TDateTime dt, int &year, int &month, int &day, int &hour, int &min, int &sec,
                    int &msec);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime date);
int YearOf(TDateTime dt);
int MonthOf(TDateTime dt);
int DayOf(TDateTime dt);
int HourOf(TDateTime dt);
int MinuteOf(TDateTime dt);
int SecondOf(TDateTime dt);
TDateTime DateOf(TDateTime dt);
TDateTime TimeOf(TDateTime dt);
TDateTime IncMonth(TDateTime date, int months = 1);
TDateTime IncDay(TDateTime date, int days = 1);
TDateTime IncHour(TDateTime dt, int64_t hours = 1);
TDateTime IncMinute(TDateTime dt, int64_t minutes = 1);
TDateTime IncSecond(TDateTime dt, int64_t seconds = 1);

// The clock. Tests fix it with SetNowOverride(dt); ClearNowOverride() returns to the real clock.
TDateTime Now();
TDateTime Date();
TDateTime Time();
void SetNowOverride(TDateTime dt);
void ClearNowOverride();
// Milliseconds since an arbitrary start (monotonic), as GetTickCount: the framework's clock
// (framework/system/clock.h), simulated in tests.
uint32_t GetTickCount();

// Format specifiers: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz
// t tt am/pm a/p ampm / : "text" 'text'. An "m" right after h or hh means minutes.
QString FormatDateTime(const QString &format, TDateTime dt);
QString FormatDateTime(const QString &format, TDateTime dt, const TFormatSettings &fs);
QString DateToStr(TDateTime d);
QString TimeToStr(TDateTime t);
QString DateTimeToStr(TDateTime dt);
// Parse with ShortDateFormat's order of day, month and year and the date separator.
bool TryStrToDate(const QString &s, TDateTime &value);
bool TryStrToDate(const QString &s, TDateTime &value, const TFormatSettings &fs);
TDateTime StrToDate(const QString &s);  // EConvertError "'s' is not a valid date"
TDateTime StrToDateDef(const QString &s, TDateTime def);
bool TryStrToTime(const QString &s, TDateTime &value);
bool TryStrToTime(const QString &s, TDateTime &value, const TFormatSettings &fs);
TDateTime StrToTime(const QString &s);  // EConvertError "'s' is not a valid time"
bool TryStrToDateTime(const QString &s, TDateTime &value);
TDateTime StrToDateTime(const QString &s);
