#include "project/validators.h"

#include "framework/system/sysutils.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// The decimal rules of Try_Decimal_To_Int over the code units [Begin, End): UTF-16 units of a
// string, or the bytes of UTF-8 text (whose multi-byte sequences hold no ASCII byte, so both
// give the same answer for the same text).
template <class TUnit>
bool Decimal_Units(const TUnit *Begin, const TUnit *End, int &Value)
{
  const TUnit *p = Begin;
  bool negative = false;
  if (p < End && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  if (p == End)
    return false;
  int64_t v = 0;
  for (; p < End; ++p) {
    if (*p < '0' || *p > '9')
      return false;
    v = v * 10 + (*p - '0');
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

// Error_In_IP_Address over code units, without copying the octets out.
template <class TUnit>
bool IP_Address_Error(const TUnit *Begin, const TUnit *End, uint8_t &IP1, uint8_t &IP2, uint8_t &IP3, uint8_t &IP4)
{
  IP1 = IP2 = IP3 = IP4 = 0;
  if (Begin == End)
    return true;
  bool error = false;
  const TUnit *rest = Begin;
  uint8_t *bytes[4] = {&IP1, &IP2, &IP3, &IP4};
  for (int i = 0; i < 4; ++i) {
    // The first three octets end at a dot; without one the octet is empty and the rest stays.
    const TUnit *field = rest, *field_end = rest;
    if (i == 3) {
      field_end = End;
    } else {
      const TUnit *dot = std::find(rest, End, TUnit('.'));
      if (dot != End) {
        field_end = dot;
        rest = dot + 1;
      }
    }
    int v;
    if (Decimal_Units(field, field_end, v) && v >= 0 && v <= 255) {
      *bytes[i] = uint8_t(v);
    } else {
      *bytes[i] = 0;
      error = true;
    }
  }
  return error;
}

const char16_t *Units(const QString &Text) { return reinterpret_cast<const char16_t *>(Text.constData()); }

}  // namespace

bool Try_Decimal_To_Int(const QString &Text, int &Value)
{
  return Decimal_Units(Units(Text), Units(Text) + Text.size(), Value);
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
  return IP_Address_Error(Units(Text), Units(Text) + Text.size(), IP1, IP2, IP3, IP4);
}

bool Error_In_IP_Address_Utf8(const char *Utf8, uint8_t &IP1, uint8_t &IP2, uint8_t &IP3, uint8_t &IP4)
{
  const char *end = Utf8 ? Utf8 + std::strlen(Utf8) : Utf8;
  return IP_Address_Error(Utf8, end, IP1, IP2, IP3, IP4);
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
