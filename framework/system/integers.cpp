#include "framework/system/sysutils.h"

namespace {

unsigned Unit(QChar c) { return c.unicode(); }
unsigned Unit(char c) { return uint8_t(c); }

// Val-like parser: blanks, sign, "$"/"x"/"X"/"0x"/"0X" hex or decimal digits, nothing after.
// `bits` is 32 or 64. Hex accepts the full unsigned range and wraps to two's complement.
// Only ASCII counts, so UTF-8 bytes and UTF-16 units give the same answer for the same text.
template <typename Text>
bool ParseInteger(const Text &s, int bits, int64_t &out)
{
  int i = 0;
  const int n = int(s.size());
  while (i < n && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool neg = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) {
    neg = s[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < n && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return false;
  const uint64_t limit = hex ? (bits == 32 ? 0xFFFFFFFFull : ~0ull)
                             : (bits == 32 ? (neg ? 2147483648ull : 2147483647ull)
                                           : (neg ? 9223372036854775808ull : 9223372036854775807ull));
  uint64_t v = 0;
  for (; i < n; ++i) {
    const unsigned c = Unit(s[i]);
    uint64_t d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    const uint64_t base = hex ? 16 : 10;
    if (v > (limit - d) / base) return false;
    v = v * base + d;
  }
  if (hex) {
    int64_t sv = bits == 32 ? int64_t(int32_t(uint32_t(v))) : int64_t(v);
    out = neg ? int64_t(0ull - uint64_t(sv)) : sv;
    if (bits == 32) out = int32_t(uint32_t(uint64_t(out)));
  } else {
    out = neg ? int64_t(0ull - v) : int64_t(v);
  }
  return true;
}

}  // namespace

QString IntToStr(int v) { return QString::number(v); }
QString IntToStr(int64_t v) { return QString::number(qlonglong(v)); }
QString UIntToStr(uint32_t v) { return QString::number(v); }

namespace {

QString Hex(uint64_t u, int digits)
{
  QString r = QString::number(qulonglong(u), 16).toUpper();
  if (r.size() < digits) r.prepend(QString(digits - r.size(), '0'));
  return r;
}

}  // namespace

QString IntToHex(int64_t v, int digits) { return Hex(uint64_t(v), digits); }
QString IntToHex(int v, int digits) { return Hex(uint32_t(v), digits); }

bool TryStrToInt(const QString &s, int &value)
{
  int64_t v;
  if (!ParseInteger(s, 32, v)) return false;
  value = int(v);
  return true;
}

int StrToInt(const QString &s)
{
  int v;
  if (!TryStrToInt(s, v)) throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(s));
  return v;
}

int StrToIntDef(const QString &s, int def)
{
  int v;
  return TryStrToInt(s, v) ? v : def;
}

bool TryUtf8ToInt(std::string_view s, int &value)
{
  int64_t v;
  if (!ParseInteger(s, 32, v)) return false;
  value = int(v);
  return true;
}

bool TryStrToInt64(const QString &s, int64_t &value) { return ParseInteger(s, 64, value); }

int64_t StrToInt64(const QString &s)
{
  int64_t v;
  if (!TryStrToInt64(s, v)) throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(s));
  return v;
}

int64_t StrToInt64Def(const QString &s, int64_t def)
{
  int64_t v;
  return TryStrToInt64(s, v) ? v : def;
}

bool TryStrToUInt(const QString &s, uint32_t &value)
{
  int64_t v;
  if (!ParseInteger(s, 64, v) || v < 0 || v > 0xFFFFFFFFll) return false;
  value = uint32_t(v);
  return true;
}

bool TryStrToBool(const QString &s, bool &value)
{
  const QString t = Trim(s);
  if (SameText(t, "True")) { value = true; return true; }
  if (SameText(t, "False")) { value = false; return true; }
  double d;
  if (TryStrToFloat(t, d)) { value = d != 0; return true; }
  return false;
}

bool StrToBool(const QString &s)
{
  bool b;
  if (!TryStrToBool(s, b)) throw EConvertError(QStringLiteral("'%1' is not a valid boolean value").arg(s));
  return b;
}

bool StrToBoolDef(const QString &s, bool def)
{
  bool b;
  return TryStrToBool(s, b) ? b : def;
}

QString BoolToStr(bool b, bool useBoolStrs)
{
  if (useBoolStrs) return b ? QStringLiteral("True") : QStringLiteral("False");
  return b ? QStringLiteral("-1") : QStringLiteral("0");
}

int MulDiv(int Number, int Numerator, int Denominator)
{
  if (Denominator == 0)
    return -1;
  const int64_t p = int64_t(Number) * Numerator;
  const int64_t d = Denominator;
  // Half away from zero: the magnitude is rounded, then the sign put back.
  const int64_t ap = p < 0 ? -p : p, ad = d < 0 ? -d : d;
  const int64_t mag = (ap + ad / 2) / ad;
  const int64_t r = (p < 0) != (d < 0) ? -mag : mag;
  if (r > INT32_MAX || r < INT32_MIN)
    return -1;
  return int(r);
}
