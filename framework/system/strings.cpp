#include <QLocale>
#include <QCollator>
#include <algorithm>

#include "framework/system/collation.h"
#include "framework/system/sysutils.h"

namespace {

inline QChar AsciiUpper(QChar c) { return (c >= 'a' && c <= 'z') ? QChar(c.unicode() - 32) : c; }
inline QChar AsciiLower(QChar c) { return (c >= 'A' && c <= 'Z') ? QChar(c.unicode() + 32) : c; }

QString &CollationLocaleName()
{
  static QString name;
  return name;
}

QCollator &Collator(bool caseSensitive)
{
  // Rebuilt when the collation locale changes; "" is the user's locale.
  static QString builtFor = QStringLiteral("\x01");
  static QCollator ci, cs;
  if (builtFor != CollationLocaleName()) {
    builtFor = CollationLocaleName();
    const QLocale loc = builtFor.isEmpty() ? QLocale::system() : QLocale(builtFor);
    ci = QCollator(loc);
    ci.setCaseSensitivity(Qt::CaseInsensitive);
    cs = QCollator(loc);
    cs.setCaseSensitivity(Qt::CaseSensitive);
  }
  return caseSensitive ? cs : ci;
}

}  // namespace

QString Trim(const QString &s)
{
  int b = 0, e = s.size();
  while (b < e && s[b].unicode() <= 0x20) ++b;
  while (e > b && s[e - 1].unicode() <= 0x20) --e;
  return s.mid(b, e - b);
}

QString TrimLeft(const QString &s)
{
  int b = 0;
  while (b < s.size() && s[b].unicode() <= 0x20) ++b;
  return s.mid(b);
}

QString TrimRight(const QString &s)
{
  int e = s.size();
  while (e > 0 && s[e - 1].unicode() <= 0x20) --e;
  return s.left(e);
}

QString UpperCase(const QString &s)
{
  QString r = s;
  for (QChar &c : r) c = AsciiUpper(c);
  return r;
}

QString LowerCase(const QString &s)
{
  QString r = s;
  for (QChar &c : r) c = AsciiLower(c);
  return r;
}

QString AnsiUpperCase(const QString &s) { return s.toUpper(); }
QString AnsiLowerCase(const QString &s) { return s.toLower(); }

int CompareText(const QString &a, const QString &b)
{
  const int n = std::min(a.size(), b.size());
  for (int i = 0; i < n; ++i) {
    const int d = int(AsciiUpper(a[i]).unicode()) - int(AsciiUpper(b[i]).unicode());
    if (d != 0) return d;
  }
  return int(a.size()) - int(b.size());
}

bool SameText(const QString &a, const QString &b) { return a.size() == b.size() && CompareText(a, b) == 0; }

int CompareStr(const QString &a, const QString &b)
{
  const int n = std::min(a.size(), b.size());
  for (int i = 0; i < n; ++i) {
    const int d = int(a[i].unicode()) - int(b[i].unicode());
    if (d != 0) return d;
  }
  return int(a.size()) - int(b.size());
}

bool SameStr(const QString &a, const QString &b) { return a == b; }

void SetCollationLocale(const QString &Name) { CollationLocaleName() = Name; }

int AnsiCompareText(const QString &a, const QString &b)
{
  const int r = Collator(false).compare(a, b);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int AnsiCompareStr(const QString &a, const QString &b)
{
  const int r = Collator(true).compare(a, b);
  if (r != 0) return r < 0 ? -1 : 1;
  // The collator may call different strings equal; keep a strict order for sorting.
  const int o = CompareStr(a, b);
  return o < 0 ? -1 : (o > 0 ? 1 : 0);
}

bool AnsiSameText(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }
bool AnsiSameStr(const QString &a, const QString &b) { return a == b; }
bool AnsiStartsText(const QString &sub, const QString &s) { return s.startsWith(sub, Qt::CaseInsensitive); }
bool AnsiEndsText(const QString &sub, const QString &s) { return s.endsWith(sub, Qt::CaseInsensitive); }
bool AnsiContainsText(const QString &s, const QString &sub) { return s.contains(sub, Qt::CaseInsensitive); }

int Pos(const QString &sub, const QString &s)
{
  if (sub.isEmpty()) return 0;
  return int(s.indexOf(sub)) + 1;
}

int Pos(QChar c, const QString &s) { return int(s.indexOf(c)) + 1; }

int PosEx(const QString &sub, const QString &s, int offset)
{
  if (sub.isEmpty() || offset < 1 || offset > s.size()) return 0;
  return int(s.indexOf(sub, offset - 1)) + 1;
}

int AnsiPos(const QString &sub, const QString &s) { return Pos(sub, s); }

int LastDelimiter(const QString &delimiters, const QString &s)
{
  for (int i = int(s.size()) - 1; i >= 0; --i)
    if (delimiters.contains(s[i])) return i + 1;
  return 0;
}

QString Copy(const QString &s, int index, int count)
{
  if (index < 1) index = 1;
  if (count <= 0 || index > s.size()) return QString();
  return s.mid(index - 1, count);
}

QString Copy(const QString &s, int index) { return Copy(s, index, INT32_MAX); }

void Delete(QString &s, int index, int count)
{
  if (index < 1 || index > s.size() || count <= 0) return;
  s.remove(index - 1, count);
}

void Insert(const QString &sub, QString &s, int index)
{
  if (index < 1) index = 1;
  if (index > s.size() + 1) index = int(s.size()) + 1;
  s.insert(index - 1, sub);
}

int Length(const QString &s) { return int(s.size()); }

void SetLength(QString &s, int len)
{
  if (len < 0) len = 0;
  const int old = int(s.size());
  s.resize(len);
  for (int i = old; i < len; ++i) s[i] = QChar(0);
}

QString StringReplace(const QString &s, const QString &oldPattern, const QString &newPattern,
                      TReplaceFlags flags)
{
  if (oldPattern.isEmpty()) return s;
  const Qt::CaseSensitivity cs = flags.Contains(rfIgnoreCase) ? Qt::CaseInsensitive : Qt::CaseSensitive;
  QString r;
  int from = 0;
  while (true) {
    const int at = int(s.indexOf(oldPattern, from, cs));
    if (at < 0) break;
    r += s.mid(from, at - from);
    r += newPattern;
    from = at + int(oldPattern.size());
    if (!flags.Contains(rfReplaceAll)) break;
  }
  r += s.mid(from);
  return r;
}

QString StringOfChar(QChar c, int count) { return count > 0 ? QString(count, c) : QString(); }

QString DupeString(const QString &s, int count) { return count > 0 ? s.repeated(count) : QString(); }

QString AnsiQuotedStr(const QString &s, QChar quote)
{
  QString r = s;
  r.replace(quote, QString(2, quote));
  return quote + r + quote;
}

QString QuotedStr(const QString &s) { return AnsiQuotedStr(s, '\''); }

QString AnsiDequotedStr(const QString &s, QChar quote)
{
  if (s.isEmpty() || s[0] != quote) return s;
  QString r;
  int i = 1;
  while (i < s.size()) {
    if (s[i] == quote) {
      if (i + 1 < s.size() && s[i + 1] == quote) {
        r += quote;
        i += 2;
        continue;
      }
      return r;  // closing quote; the rest is ignored
    }
    r += s[i++];
  }
  return r;  // no closing quote: everything after the opening quote
}

QString AdjustLineBreaks(const QString &s)
{
  QString r;
  r.reserve(s.size());
  for (int i = 0; i < s.size(); ++i) {
    const QChar c = s[i];
    if (c == '\r') {
      r += "\r\n";
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      r += "\r\n";
    } else {
      r += c;
    }
  }
  return r;
}

QString LeftStr(const QString &s, int count) { return count > 0 ? s.left(count) : QString(); }
QString RightStr(const QString &s, int count) { return count > 0 ? s.right(count) : QString(); }
QString MidStr(const QString &s, int start, int count) { return Copy(s, start, count); }
bool StartsText(const QString &sub, const QString &s) { return s.startsWith(sub, Qt::CaseInsensitive); }
bool EndsText(const QString &sub, const QString &s) { return s.endsWith(sub, Qt::CaseInsensitive); }
bool StartsStr(const QString &sub, const QString &s) { return s.startsWith(sub); }
bool EndsStr(const QString &sub, const QString &s) { return s.endsWith(sub); }

QString ReverseString(const QString &s)
{
  QString r = s;
  std::reverse(r.begin(), r.end());
  return r;
}

bool IsDelimiter(const QString &delimiters, const QString &s, int index)
{
  if (index < 1 || index > s.size()) return false;
  return delimiters.contains(s[index - 1]);
}

QChar UpCase(QChar c) { return AsciiUpper(c); }
