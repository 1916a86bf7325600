#include "project/validators.h"

#include "framework/system/sysutils.h"

#include <cfloat>
#include <cmath>
#include <vector>

bool Try_Decimal_To_Int(const QString &Text, int &Value)
{
  int i = 0;
  const int n = Text.size();
  bool negative = false;
  if (i < n && (Text[i] == '+' || Text[i] == '-')) {
    negative = Text[i] == '-';
    ++i;
  }
  if (i == n)
    return false;
  int64_t v = 0;
  for (; i < n; ++i) {
    const QChar c = Text[i];
    if (c < '0' || c > '9')
      return false;
    v = v * 10 + (c.unicode() - '0');
    if (v > int64_t(INT32_MAX) + 1)
      return false;
  }
  if (negative)
    v = -v;
  if (v > INT32_MAX)
    return false;
  Value = int(v);
  return true;
}

namespace {

int Decimal_Or(const QString &Text, int Def)
{
  int v;
  return Try_Decimal_To_Int(Text, v) ? v : Def;
}

bool In_Range(int v, int lo, int hi) { return v >= lo && v <= hi; }

// Splits at the first occurrence of c: Head gets the trimmed text before it, the trimmed
// rest is returned. Answers false when c does not occur.
bool Split_Trimmed(const QString &Text, QChar c, QString &Head, QString &Rest)
{
  const int p = Pos(c, Text);
  if (p == 0)
    return false;
  Head = Trim(Copy(Text, 1, p - 1));
  Rest = Trim(Copy(Text, p + 1));
  return true;
}

}  // namespace

bool Split_IP_Address(const QString &Text, QString &IP1, QString &IP2, QString &IP3, QString &IP4)
{
  IP1.clear();
  IP2.clear();
  IP3.clear();
  IP4.clear();
  QString rest = Trim(Text);
  if (!Split_Trimmed(rest, '.', IP1, rest))
    return false;
  if (!Split_Trimmed(rest, '.', IP2, rest))
    return false;
  if (!Split_Trimmed(rest, '.', IP3, rest))
    return false;
  IP4 = rest;
  for (const QString *octet : {&IP1, &IP2, &IP3, &IP4})
    if (!In_Range(Decimal_Or(*octet, 1000), 0, 255))
      return false;
  return true;
}

bool Error_In_IP_Address(const QString &Text, uint8_t &IP1, uint8_t &IP2, uint8_t &IP3, uint8_t &IP4)
{
  IP1 = IP2 = IP3 = IP4 = 0;
  if (Text.isEmpty())
    return true;
  bool error = false;
  QString rest = Text;
  uint8_t *bytes[4] = {&IP1, &IP2, &IP3, &IP4};
  for (int i = 0; i < 4; ++i) {
    QString field;
    if (i == 3) {
      field = rest;
    } else {
      const int p = Pos('.', rest);
      if (p > 0) {
        field = Copy(rest, 1, p - 1);
        rest = Copy(rest, p + 1);
      }
    }
    const int v = Decimal_Or(field, -1);
    if (In_Range(v, 0, 255)) {
      *bytes[i] = uint8_t(v);
    } else {
      *bytes[i] = 0;
      error = true;
    }
  }
  return error;
}

bool Error_In_KNX_Address(const QString &Text, bool Group, bool Zero_Allowed)
{
  const QChar sep = Group ? QChar('/') : QChar('.');
  const QChar foreign = Group ? QChar('.') : QChar('/');
  if (Text.contains(foreign))
    return true;

  const QStringList parts = Text.split(sep);
  std::vector<int> v;
  v.reserve(size_t(parts.size()));
  for (const QString &part : parts)
    v.push_back(Decimal_Or(Trim(part), -1));

  switch (parts.size()) {
    case 1:
      return !In_Range(v[0], 1, 65535);
    case 2:
      // Main/sub group address; the individual form has no two-part shape.
      if (!Group)
        return true;
      return !(In_Range(v[0], 0, 31) && In_Range(v[1], 0, 2047) && (v[0] != 0 || v[1] != 0));
    case 3:
      if (Group)
        return !(In_Range(v[0], 0, 31) && In_Range(v[1], 0, 7) && In_Range(v[2], 0, 255) &&
                 (v[0] != 0 || v[1] != 0 || v[2] != 0));
      if (!(In_Range(v[0], 0, 15) && In_Range(v[1], 0, 15) && In_Range(v[2], 0, 255)))
        return true;
      return v[0] == 0 && v[1] == 0 && v[2] == 0 && !Zero_Allowed;
    default:
      return true;
  }
}

bool No_Dot_In_Address(const QString &Text)
{
  return !Text.contains('.');
}

QChar Get_Decimal_Separator()
{
  const QChar c = FormatSettings.DecimalSeparator;
  return c == ',' || c == '.' ? c : QChar(',');
}

bool Text_To_Single(const QString &Text, QChar Separator, float &Value)
{
  QString s = Text;
  if (Separator == '.')
    s.replace(',', '.');
  else
    s.replace('.', ',');
  double d;
  // A value a single cannot hold (or not a finite number) is no conversion either.
  if (TryStrToFloat(s, d) && std::isfinite(d) && std::fabs(d) <= FLT_MAX) {
    Value = float(d);
    return true;
  }
  Value = 1.0f;
  return false;
}
