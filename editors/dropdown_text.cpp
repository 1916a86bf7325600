#include "editors/dropdown_text.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "framework/system/sysutils.h"

using ET = TDropDownEditType;

QChar DropDownDecimalSeparator() { return FormatSettings.DecimalSeparator; }
QChar DropDownThousandSeparator() { return FormatSettings.ThousandSeparator; }

bool IsSignedNumberType(ET T) { return T == ET::etNumeric || T == ET::etFloat || T == ET::etMoney; }

QString DropDownValueOf(const QString &EditText, const TDropDownTextSettings &S)
{
  QString v = EditText;
  if (!S.Prefix.isEmpty() && v.startsWith(S.Prefix)) v.remove(0, S.Prefix.size());
  if (!S.Suffix.isEmpty()) v.chop(std::min<qsizetype>(S.Suffix.size(), v.size()));
  return v;
}

namespace {

QString Fixed(double X, int Decimals) { return FloatToStrF(X, ffFixed, 18, Decimals); }
QString Grouped(double X, int Decimals) { return FloatToStrF(X, ffNumber, 18, Decimals); }
QString General(double X) { return FloatToStrF(X, ffGeneral, 15, 0); }
// A sign and at most eight digits, as the hexadecimal edit accepts them.
QString Hex(double X)
{
  const int64_t n = std::clamp<int64_t>(Trunc(X), -int64_t(INT32_MAX), INT32_MAX);
  return (n < 0 ? QStringLiteral("-") : QString()) + QString::number(qlonglong(n < 0 ? -n : n), 16).toUpper();
}

bool IsNumberType(ET T) { return IsSignedNumberType(T) || T == ET::etHex; }

}  // namespace

QString DropDownWrittenValue(const QString &V0, const TDropDownTextSettings &S)
{
  QString V = V0;
  if (V.isEmpty() && IsNumberType(S.EditType)) V = QStringLiteral("0");
  if (S.Precision > 0 && !V.isEmpty() && V != QLatin1String("Error"))
  {
    if (S.EditType == ET::etMoney)
      V = Grouped(DropDownTextToFloat(V), S.Precision);
    else if (S.EditType == ET::etFloat)
      V = Fixed(DropDownTextToFloat(V), S.Precision);
  }
  if (S.EditType == ET::etHex) V = V.toUpper();
  return V;
}

double DropDownTextToFloat(const QString &T)
{
  QString t = T;
  t.remove(DropDownThousandSeparator());
  double v = 0;
  return TryStrToFloat(t, v) && std::isfinite(v) ? v : 0;
}

double DropDownFloatValue(const QString &Value, const TDropDownTextSettings &S)
{
  switch (S.EditType)
  {
  case ET::etString: {
    // The longest convertible head counts; the rest is ignored.
    for (qsizetype n = Value.size(); n > 0; --n)
    {
      double v = 0;
      if (TryStrToFloat(Value.left(n), v) && std::isfinite(v)) return v;
    }
    return 0;
  }
  case ET::etNumeric:
  case ET::etFloat:
    if (Value.isEmpty() || Value == QLatin1String("Error") || Value == QLatin1String("-")) return 0;
    return DropDownTextToFloat(Value);
  case ET::etMoney: {
    QString v = Value;
    v.remove(DropDownThousandSeparator());
    if (v.endsWith(DropDownDecimalSeparator())) v.chop(1);
    if (v.isEmpty() || v == QLatin1String("-")) return 0;
    return DropDownTextToFloat(v);
  }
  case ET::etHex: {
    uint32_t r = 0;
    const bool negative = Value.startsWith(QLatin1Char('-'));
    for (qsizetype i = negative ? 1 : 0; i < Value.size(); ++i)
    {
      const QChar c = Value[i];
      const int d = c >= '0' && c <= '9'   ? c.unicode() - '0'
                    : c >= 'A' && c <= 'F' ? c.unicode() - 'A' + 10
                    : c >= 'a' && c <= 'f' ? c.unicode() - 'a' + 10
                                           : 0;
      r = r * 16 + uint32_t(d);
    }
    const int32_t v = int32_t(r);
    return negative ? -double(v) : double(v);
  }
  default:
    return 0;
  }
}

std::optional<QString> DropDownFloatValueText(double X, const TDropDownTextSettings &S)
{
  QString v;
  switch (S.EditType)
  {
  case ET::etString:
  case ET::etFloat:
  // An integer edit gets no thousand separators: its value must read back.
  case ET::etNumeric:
    v = S.Precision < 0 ? General(X) : Fixed(X, S.Precision);
    break;
  case ET::etMoney:
    v = S.Precision < 0 ? General(X) : Fixed(X, S.Precision);
    v = DropDownFormatMoney(v, 0, S).Value;
    break;
  case ET::etHex:
    v = Hex(X);
    break;
  default:
    return std::nullopt;
  }
  return DropDownWrittenValue(v, S);
}

std::optional<QString> DropDownIntValueText(int N, const TDropDownTextSettings &S)
{
  QString v;
  switch (S.EditType)
  {
  case ET::etNumeric:
  case ET::etFloat:
    v = QString::number(N);
    break;
  case ET::etMoney:
    v = DropDownFormatMoney(QString::number(N), 0, S).Value;
    break;
  case ET::etHex:
    v = Hex(N);
    break;
  default:
    return std::nullopt;
  }
  return DropDownWrittenValue(v, S);
}

TMoneyFormatted DropDownFormatMoney(const QString &Value, int Caret, const TDropDownTextSettings &S)
{
  if (Value.isEmpty()) return {Value, Caret};
  QString v = Value;
  QString sign;
  if (v.startsWith(QLatin1Char('-')))
  {
    sign = QStringLiteral("-");
    v.remove(0, 1);
  }
  const qsizetype dec = v.indexOf(DropDownDecimalSeparator());
  const QString fraction = dec < 0 ? QString() : v.mid(dec, 255);
  TDropDownTextSettings money = S;
  money.EditType = ET::etMoney;
  const double whole = std::trunc(std::fabs(DropDownFloatValue(v, money)));
  QString integer = S.AutoThousandSeparator ? Grouped(whole, 0) : Fixed(whole, 0);
  const QString result = sign + integer + fraction;
  return {result, int(Caret + (result.size() - Value.size()))};
}

TNumericClass ClassifyNumericText(const QString &S)
{
  if (S.isEmpty()) return TNumericClass::ncNotANumber;
  const QChar dec = DropDownDecimalSeparator(), thou = DropDownThousandSeparator();
  bool integer = true, decimal = true, hex = true;
  int decimals = 0;
  qsizetype lastThousand = -1;  // 1-based position of the last thousand separator
  for (qsizetype i = 0; i < S.size(); ++i)
  {
    const QChar c = S[i];
    const bool digit = c >= '0' && c <= '9';
    const bool hexLetter = (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    if (c == '-' && i > 0) return TNumericClass::ncNotANumber;
    if (c == dec && ++decimals > 1) return TNumericClass::ncNotANumber;
    if (!digit && c != '-') integer = false;
    if (!digit && c != ',' && c != '-' && c != '.') decimal = false;
    if (c == thou)
    {
      const qsizetype pos = i + 1;
      if (pos <= 1 || (lastThousand > 0 && pos - lastThousand <= 2)) decimal = false;
      lastThousand = pos;
    }
    if (!digit && !hexLetter && c != '-') hex = false;
  }
  if (integer) return TNumericClass::ncInteger;
  if (decimal) return TNumericClass::ncDecimal;
  if (hex) return TNumericClass::ncHex;
  return TNumericClass::ncNotANumber;
}

int DropDownIntegerPartLength(const QString &Value, const TDropDownTextSettings &S)
{
  QString v = Value;
  v.remove(DropDownThousandSeparator());
  const qsizetype dec = v.indexOf(DropDownDecimalSeparator());
  int n = int(dec < 0 ? v.size() : dec);
  if (S.Signed && IsSignedNumberType(S.EditType) && v.contains(QLatin1Char('-'))) --n;
  return n;
}

int DropDownCaretBeforeDecimal(const QString &Value, const TDropDownTextSettings &S)
{
  const qsizetype dec = Value.indexOf(DropDownDecimalSeparator());
  return int(S.Prefix.size() + (dec < 0 ? 0 : dec));
}

int DropDownCaretAfterDecimal(const QString &Value, const TDropDownTextSettings &S)
{
  const qsizetype dec = Value.indexOf(DropDownDecimalSeparator());
  return int(S.Prefix.size() + (dec < 0 ? 0 : dec + 1));
}

std::optional<QString> DropDownValueForEditType(const QString &Value, TDropDownEditType T,
                                                const TDropDownTextSettings &S)
{
  if (T == S.EditType) return std::nullopt;
  TDropDownTextSettings n = S;
  n.EditType = T;
  const TNumericClass c = ClassifyNumericText(Value);
  switch (T)
  {
  case ET::etNumeric:
    if (c != TNumericClass::ncInteger) return DropDownIntValueText(0, n);
    break;
  case ET::etFloat:
  case ET::etMoney:
    if (c != TNumericClass::ncInteger && c != TNumericClass::ncDecimal) return DropDownFloatValueText(0, n);
    break;
  case ET::etHex:
    if (c != TNumericClass::ncInteger && c != TNumericClass::ncHex) return DropDownIntValueText(0, n);
    break;
  default:
    break;
  }
  return std::nullopt;
}

TPrecisionChange DropDownPrecisionChange(const QString &Value, int16_t P, const TDropDownTextSettings &S)
{
  TPrecisionChange r;
  if (P == S.Precision) return r;
  if (S.EditType != ET::etString && S.EditType != ET::etFloat && S.EditType != ET::etMoney) return r;
  r.Stored = true;
  // Free text keeps its text: the precision only matters when it is read as a number.
  if (S.EditType == ET::etString) return r;
  TDropDownTextSettings n = S;
  n.Precision = P;
  const bool number = ClassifyNumericText(Value) <= TNumericClass::ncDecimal;
  r.Value = DropDownFloatValueText(number ? DropDownFloatValue(Value, S) : 0, n);
  return r;
}

std::optional<QString> DropDownValueOnExit(const QString &Value, const TDropDownTextSettings &S)
{
  const bool fm = S.EditType == ET::etFloat || S.EditType == ET::etMoney;
  if (S.Precision > 0 && fm && (!Value.isEmpty() || !S.AllowNumericNullValue))
    return DropDownFloatValueText(DropDownFloatValue(Value, S), S);
  if (Value.isEmpty() && !S.AllowNumericNullValue)
  {
    if (S.EditType == ET::etNumeric) return QStringLiteral("0");
    if (fm) return DropDownFloatValueText(0, S);
  }
  return std::nullopt;
}
