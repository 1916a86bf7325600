#include <charconv>
#include <cmath>
#include <string>

#include "framework/system/sysutils.h"
#include "framework/system/floatdigits.h"

namespace floatdigits {

namespace {

// Rounds the digit string half away from zero to `keep` digits; answers true on a carry out
// of the first digit (the string then starts with an extra '1').
bool RoundDigits(std::string &d, int keep)
{
  if (keep < 0) {
    d.clear();
    return false;
  }
  if (int(d.size()) <= keep) return false;
  const bool up = d[keep] >= '5';
  d.resize(keep);
  if (!up) return false;
  int i = keep - 1;
  while (i >= 0) {
    if (d[i] == '9') {
      d[i] = '0';
      --i;
    } else {
      ++d[i];
      return false;
    }
  }
  d.insert(d.begin(), '1');
  return true;
}

void Normalise(Dec &r)
{
  size_t lead = 0;
  while (lead < r.digits.size() && r.digits[lead] == '0') ++lead;
  r.digits.erase(0, lead);
  r.exp -= int(lead);
  while (!r.digits.empty() && r.digits.back() == '0') r.digits.pop_back();
  if (r.digits.empty()) r.exp = 0;
}

}  // namespace

Dec Significant(double v, int prec)
{
  Dec r;
  r.neg = std::signbit(v) && v != 0;
  if (v == 0) return r;
  if (prec < 1) prec = 1;
  if (prec > 18) prec = 18;
  char buf[128];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, prec - 1 + 20);
  std::string s(buf, res.ptr);
  const size_t e = s.find('e');
  std::string mant = s.substr(0, e);
  const int ex = std::stoi(s.substr(e + 1));
  std::string digits;
  for (char c : mant)
    if (c != '.') digits += c;
  r.exp = ex + 1;
  if (RoundDigits(digits, prec)) r.exp += 1;
  r.digits = digits;
  Normalise(r);
  return r;
}

Dec Fixed(double v, int decimals)
{
  Dec r;
  r.neg = std::signbit(v) && v != 0;
  if (v == 0) return r;
  if (decimals < 0) decimals = 0;
  if (decimals > 40) decimals = 40;
  std::string buf(1200, '\0');
  auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(v), std::chars_format::fixed, decimals + 20);
  std::string s(buf.data(), res.ptr);
  const size_t dot = s.find('.');
  std::string digits = s.substr(0, dot) + s.substr(dot + 1);
  r.exp = int(dot);
  if (RoundDigits(digits, int(dot) + decimals)) r.exp += 1;
  r.digits = digits;
  Normalise(r);
  return r;
}

Dec RoundDec(const Dec &d, int decimals)
{
  Dec r = d;
  if (r.digits.empty()) return r;
  const int keep = r.exp + decimals;
  if (keep < 0) {
    r.digits.clear();
    r.exp = 0;
    return r;
  }
  if (keep == 0) {
    // Only the rounding digit decides: 0.5 rounds to 1.
    if (r.digits[0] >= '5') {
      r.digits = "1";
      r.exp += 1;
    } else {
      r.digits.clear();
      r.exp = 0;
    }
    return r;
  }
  if (RoundDigits(r.digits, keep)) r.exp += 1;
  Normalise(r);
  return r;
}

std::string IntPart(const Dec &d)
{
  if (d.digits.empty() || d.exp <= 0) return std::string();
  std::string r = d.digits.substr(0, std::min<size_t>(d.digits.size(), size_t(d.exp)));
  while (int(r.size()) < d.exp) r += '0';
  return r;
}

std::string FracPart(const Dec &d)
{
  if (d.digits.empty()) return std::string();
  if (d.exp >= int(d.digits.size())) return std::string();
  if (d.exp >= 0) return d.digits.substr(size_t(d.exp));
  return std::string(size_t(-d.exp), '0') + d.digits;
}

}  // namespace floatdigits

using namespace floatdigits;

namespace {

QString Group(const std::string &intDigits, QChar sep)
{
  QString r;
  const int n = int(intDigits.size());
  for (int i = 0; i < n; ++i) {
    r += QChar(intDigits[i]);
    const int rest = n - 1 - i;
    if (rest > 0 && rest % 3 == 0 && !sep.isNull()) r += sep;
  }
  return r;
}

QString ExponentText(int e, int minDigits, bool plusSign)
{
  QString r = e < 0 ? QStringLiteral("-") : (plusSign ? QStringLiteral("+") : QString());
  QString n = QString::number(std::abs(e));
  while (n.size() < minDigits) n.prepend('0');
  return r + n;
}

QString SpecialText(double v)
{
  if (std::isnan(v)) return QStringLiteral("NAN");
  return v < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString FixedText(const Dec &d, int decimals, bool group, const TFormatSettings &fs)
{
  std::string ip = IntPart(d);
  if (ip.empty()) ip = "0";
  std::string fp = FracPart(d);
  while (int(fp.size()) < decimals) fp += '0';
  fp.resize(size_t(decimals));
  QString r = group ? Group(ip, fs.ThousandSeparator) : QString::fromLatin1(ip.c_str());
  if (decimals > 0) r += fs.DecimalSeparator + QString::fromLatin1(fp.c_str());
  return r;
}

QString CurrencyWrap(const QString &num, bool neg, const TFormatSettings &fs)
{
  const QString c = fs.CurrencyString;
  if (!neg) {
    switch (fs.CurrencyFormat) {
    case 1: return num + c;
    case 2: return c + ' ' + num;
    case 3: return num + ' ' + c;
    default: return c + num;
    }
  }
  switch (fs.NegCurrFormat) {
  case 1: return '-' + c + num;
  case 2: return c + '-' + num;
  case 3: return c + num + '-';
  case 4: return '(' + num + c + ')';
  case 5: return '-' + num + c;
  case 6: return num + '-' + c;
  case 7: return num + c + '-';
  case 8: return '-' + num + ' ' + c;
  case 9: return '-' + c + ' ' + num;
  case 10: return num + ' ' + c + '-';
  case 11: return c + ' ' + num + '-';
  case 12: return c + ' ' + '-' + num;
  case 13: return num + '-' + ' ' + c;
  case 14: return '(' + c + ' ' + num + ')';
  case 15: return '(' + num + ' ' + c + ')';
  default: return '(' + c + num + ')';
  }
}

}  // namespace

QString FloatToStrF(double v, TFloatFormat format, int precision, int digits, const TFormatSettings &fs)
{
  if (!std::isfinite(v)) return SpecialText(v);
  if (precision < 1) precision = 1;
  if (precision > 18) precision = 18;
  const Dec sig = Significant(v, precision);
  const QString sign = sig.neg && !sig.digits.empty() ? QStringLiteral("-") : QString();
  switch (format) {
  case ffGeneral: {
    if (sig.digits.empty()) return QStringLiteral("0");
    if (sig.exp > precision || sig.exp < -4) {
      QString m = QChar(sig.digits[0]);
      if (sig.digits.size() > 1) m += fs.DecimalSeparator + QString::fromLatin1(sig.digits.substr(1).c_str());
      return sign + m + 'E' + ExponentText(sig.exp - 1, digits, false);
    }
    QString r = QString::fromLatin1(IntPart(sig).c_str());
    if (r.isEmpty()) r = "0";
    const std::string fp = FracPart(sig);
    if (!fp.empty()) r += fs.DecimalSeparator + QString::fromLatin1(fp.c_str());
    return sign + r;
  }
  case ffExponent: {
    std::string d = sig.digits;
    while (int(d.size()) < precision) d += '0';
    QString m = QChar(d[0]);
    if (precision > 1) m += fs.DecimalSeparator + QString::fromLatin1(d.substr(1).c_str());
    const int e = sig.digits.empty() ? 0 : sig.exp - 1;
    return sign + m + 'E' + ExponentText(e, digits, true);
  }
  case ffFixed:
  case ffNumber:
  case ffCurrency: {
    if (sig.exp > precision && format != ffCurrency) return FloatToStrF(v, ffGeneral, precision, 0, fs);
    if (digits < 0) digits = 0;
    if (digits > 18) digits = 18;
    const Dec d = RoundDec(sig, digits);
    const bool neg = d.neg && !d.digits.empty();
    const QString num = FixedText(d, digits, format != ffFixed, fs);
    if (format == ffCurrency) return CurrencyWrap(num, neg, fs);
    return (neg ? QStringLiteral("-") : QString()) + num;
  }
  }
  return QString();
}

QString FloatToStrF(double v, TFloatFormat format, int precision, int digits)
{
  return FloatToStrF(v, format, precision, digits, FormatSettings);
}

QString FloatToStr(double v, const TFormatSettings &fs) { return FloatToStrF(v, ffGeneral, 15, 0, fs); }
QString FloatToStr(double v) { return FloatToStr(v, FormatSettings); }
QString CurrToStr(double v) { return FloatToStrF(v, ffGeneral, 19, 0, FormatSettings); }

int64_t Round(double v)
{
  const double r = std::nearbyint(v);  // the default rounding mode: halves to even
  if (!(r >= -9.2233720368547758e18 && r < 9.2233720368547758e18))
    throw EInvalidOp(QStringLiteral("Invalid floating point operation"));
  return int64_t(r);
}

int64_t Trunc(double v)
{
  const double r = std::trunc(v);
  if (!(r >= -9.2233720368547758e18 && r < 9.2233720368547758e18))
    throw EInvalidOp(QStringLiteral("Invalid floating point operation"));
  return int64_t(r);
}

double Frac(double v) { return v - std::trunc(v); }

bool TryStrToFloat(const QString &s, double &value, const TFormatSettings &fs)
{
  int i = 0, n = int(s.size());
  while (i < n && s[i].unicode() <= 0x20) ++i;
  while (n > i && s[n - 1].unicode() <= 0x20) --n;
  std::string a;
  if (i < n && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') a += '-';
    ++i;
  }
  int mantDigits = 0;
  while (i < n && s[i] >= '0' && s[i] <= '9') { a += char(s[i].unicode()); ++i; ++mantDigits; }
  if (i < n && s[i] == fs.DecimalSeparator) {
    a += '.';
    ++i;
    while (i < n && s[i] >= '0' && s[i] <= '9') { a += char(s[i].unicode()); ++i; ++mantDigits; }
  }
  if (mantDigits == 0) return false;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    a += 'e';
    ++i;
    if (i < n && (s[i] == '+' || s[i] == '-')) { a += char(s[i].unicode()); ++i; }
    int expDigits = 0;
    while (i < n && s[i] >= '0' && s[i] <= '9') { a += char(s[i].unicode()); ++i; ++expDigits; }
    if (expDigits == 0) return false;
  }
  if (i != n) return false;
  double d = 0;
  const char *b = a.c_str();
  auto res = std::from_chars(b, b + a.size(), d);
  if (res.ec == std::errc::result_out_of_range) {
    // Overflow fails; an underflow gives zero.
    const size_t ep = a.find('e');
    if (ep != std::string::npos && a[ep + 1] == '-') {
      value = 0;
      return true;
    }
    return false;
  }
  if (res.ec != std::errc() || res.ptr != b + a.size()) return false;
  value = d;
  return true;
}

bool TryStrToFloat(const QString &s, double &value) { return TryStrToFloat(s, value, FormatSettings); }

double StrToFloat(const QString &s, const TFormatSettings &fs)
{
  double v;
  if (!TryStrToFloat(s, v, fs))
    throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(s));
  return v;
}

double StrToFloat(const QString &s) { return StrToFloat(s, FormatSettings); }

double StrToFloatDef(const QString &s, double def, const TFormatSettings &fs)
{
  double v;
  return TryStrToFloat(s, v, fs) ? v : def;
}

double StrToFloatDef(const QString &s, double def) { return StrToFloatDef(s, def, FormatSettings); }

// ---------------------------------------------------------------------------------------------
// FormatFloat

namespace {

struct Section {
  QString text;
};

QStringList SplitSections(const QString &f)
{
  QStringList r;
  QString cur;
  QChar quote;
  for (QChar c : f) {
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
      cur += c;
    } else if (c == '"' || c == '\'') {
      quote = c;
      cur += c;
    } else if (c == ';') {
      r << cur;
      cur.clear();
    } else {
      cur += c;
    }
  }
  r << cur;
  return r;
}

QString FormatSection(const QString &f, double v, bool withMinus, const TFormatSettings &fs, bool *roundsToZero = nullptr)
{
  // First pass: find the layout.
  int intPlaces = 0, intZeroFrom = -1, fracPlaces = 0, fracZeroTo = 0;
  bool seenPoint = false, thousands = false, sci = false, sciPlus = false;
  int expZeros = 0;
  bool anyDigit = false;
  {
    QChar quote;
    for (int i = 0; i < f.size(); ++i) {
      const QChar c = f[i];
      if (!quote.isNull()) { if (c == quote) quote = QChar(); continue; }
      if (c == '"' || c == '\'') { quote = c; continue; }
      if (sci) continue;
      if (c == '0' || c == '#') {
        anyDigit = true;
        if (!seenPoint) {
          if (c == '0' && intZeroFrom < 0) intZeroFrom = intPlaces;
          ++intPlaces;
        } else {
          ++fracPlaces;
          if (c == '0') fracZeroTo = fracPlaces;
        }
      } else if (c == '.') {
        seenPoint = true;
      } else if (c == ',') {
        if (anyDigit && !seenPoint) thousands = true;
      } else if ((c == 'E' || c == 'e') && i + 1 < f.size() && (f[i + 1] == '+' || f[i + 1] == '-')) {
        sci = true;
        sciPlus = f[i + 1] == '+';
        int j = i + 2;
        while (j < f.size() && f[j] == '0') { ++expZeros; ++j; }
      }
    }
  }
  const int minInt = intZeroFrom < 0 ? 0 : intPlaces - intZeroFrom;

  std::string intDigits, fracDigits;
  int exponent = 0;
  bool isZero;
  if (sci) {
    const int lead = intPlaces > 0 ? intPlaces : 1;
    const Dec sig = Significant(v, std::min(18, lead + fracPlaces));
    isZero = sig.digits.empty();
    exponent = isZero ? 0 : sig.exp - lead;
    Dec shifted = sig;
    shifted.exp = isZero ? 0 : lead;
    intDigits = IntPart(shifted);
    fracDigits = FracPart(shifted);
  } else {
    const Dec d = Fixed(v, fracPlaces);
    isZero = d.digits.empty();
    intDigits = IntPart(d);
    fracDigits = FracPart(d);
  }
  while (int(fracDigits.size()) > fracZeroTo && !fracDigits.empty() && fracDigits.back() == '0') fracDigits.pop_back();
  while (int(fracDigits.size()) < fracZeroTo) fracDigits += '0';
  while (int(intDigits.size()) < minInt) intDigits.insert(intDigits.begin(), '0');
  if (roundsToZero) *roundsToZero = isZero;

  // Second pass: lay the digits into the placeholders.
  QString out;
  if (withMinus && !isZero) out += '-';
  const int n = int(intDigits.size());
  int intIndex = 0, fracIndex = 0;
  bool inFrac = false, pointDone = false;
  auto emitInt = [&](int from, int to) {
    for (int k = from; k < to; ++k) {
      out += QChar(intDigits[size_t(k)]);
      const int rest = n - 1 - k;
      if (thousands && rest > 0 && rest % 3 == 0) out += fs.ThousandSeparator;
    }
  };
  QChar quote;
  bool afterExponent = false;
  for (int i = 0; i < f.size(); ++i) {
    const QChar c = f[i];
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
      else out += c;
      continue;
    }
    if (c == '"' || c == '\'') { quote = c; continue; }
    // The layout ends at the exponent: placeholders after it have no digit to show.
    if (afterExponent && (c == '0' || c == '#' || c == '.' || c == ',')) continue;
    if (c == '0' || c == '#') {
      if (!inFrac) {
        // Placeholder intIndex stands for digit n - intPlaces + intIndex; the first one also
        // takes every digit in front of it.
        const int pos = n - intPlaces + intIndex;
        if (intIndex == 0) emitInt(0, std::max(0, pos + 1));
        else if (pos >= 0) emitInt(pos, pos + 1);
        ++intIndex;
      } else {
        if (fracIndex < int(fracDigits.size())) out += QChar(fracDigits[size_t(fracIndex)]);
        ++fracIndex;
      }
    } else if (c == '.') {
      if (!pointDone) {
        if (intPlaces == 0) emitInt(0, n);
        pointDone = true;
        inFrac = true;
        if (!fracDigits.empty()) out += fs.DecimalSeparator;
      }
    } else if (c == ',') {
      // thousand separator flag, not output
    } else if ((c == 'E' || c == 'e') && i + 1 < f.size() && (f[i + 1] == '+' || f[i + 1] == '-')) {
      out += c;
      out += ExponentText(exponent, expZeros, sciPlus);
      i += 1 + expZeros;
      afterExponent = true;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

QString FormatFloat(const QString &format, double v, const TFormatSettings &fs)
{
  if (!std::isfinite(v)) return SpecialText(v);
  if (format.isEmpty()) return FloatToStrF(v, ffGeneral, 15, 0, fs);
  const QStringList sections = SplitSections(format);
  if (v == 0) {
    if (sections.size() >= 3 && !sections[2].isEmpty()) return FormatSection(sections[2], 0, false, fs);
    return FormatSection(sections[0], 0, false, fs);
  }
  // A value that rounds to zero in its section takes the zero section when there is one.
  const bool hasZeroSection = sections.size() >= 3 && !sections[2].isEmpty();
  bool zero = false;
  QString r;
  if (v < 0) {
    if (sections.size() >= 2 && !sections[1].isEmpty()) r = FormatSection(sections[1], -v, false, fs, &zero);
    else r = FormatSection(sections[0], -v, true, fs, &zero);
  } else {
    r = FormatSection(sections[0], v, false, fs, &zero);
  }
  if (zero && hasZeroSection) return FormatSection(sections[2], 0, false, fs);
  return r;
}

QString FormatFloat(const QString &format, double v) { return FormatFloat(format, v, FormatSettings); }
