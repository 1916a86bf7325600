#include "grid/view/rtf_text.h"

#include <QStringList>

namespace {

// Destinations whose contents are never shown.
bool SkippedDestination(const QString &Word)
{
  static const QStringList skipped{QStringLiteral("fonttbl"), QStringLiteral("colortbl"), QStringLiteral("stylesheet"),
                                   QStringLiteral("info"), QStringLiteral("pict"), QStringLiteral("header"),
                                   QStringLiteral("footer"), QStringLiteral("generator"), QStringLiteral("listtable"),
                                   QStringLiteral("listoverridetable"), QStringLiteral("rsidtbl"),
                                   QStringLiteral("themedata"), QStringLiteral("latentstyles")};
  return skipped.contains(Word);
}

int HexDigit(QChar c)
{
  const int v = c.unicode();
  if (v >= '0' && v <= '9')
    return v - '0';
  if (v >= 'a' && v <= 'f')
    return v - 'a' + 10;
  if (v >= 'A' && v <= 'F')
    return v - 'A' + 10;
  return -1;
}

}  // namespace

QString RTFToPlainText(const QString &RTF)
{
  if (!RTF.startsWith(QStringLiteral("{\\rtf")))
    return RTF;
  QString out;
  // Per group: skipped, and how many characters follow a \uN as its fallback.
  struct TGroup {
    bool Skip = false;
    int UnicodeSkip = 1;
  };
  std::vector<TGroup> stack{TGroup()};
  int pendingSkip = 0;
  const int n = RTF.size();
  for (int i = 0; i < n; ++i) {
    const QChar c = RTF[i];
    TGroup &g = stack.back();
    if (c == QLatin1Char('{')) {
      stack.push_back(g);
      continue;
    }
    if (c == QLatin1Char('}')) {
      if (stack.size() > 1)
        stack.pop_back();
      continue;
    }
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
      continue;
    if (c != QLatin1Char('\\')) {
      if (pendingSkip > 0)
        --pendingSkip;
      else if (!g.Skip)
        out += c;
      continue;
    }
    if (++i >= n)
      break;
    const QChar d = RTF[i];
    if (d == QLatin1Char('\\') || d == QLatin1Char('{') || d == QLatin1Char('}')) {
      if (!g.Skip)
        out += d;
      continue;
    }
    if (d == QLatin1Char('*')) {
      g.Skip = true;
      continue;
    }
    if (d == QLatin1Char('\'')) {
      const int h1 = i + 1 < n ? HexDigit(RTF[i + 1]) : -1;
      const int h2 = i + 2 < n ? HexDigit(RTF[i + 2]) : -1;
      if (h1 >= 0 && h2 >= 0) {
        i += 2;
        if (pendingSkip > 0)
          --pendingSkip;
        else if (!g.Skip)
          out += QString::fromLatin1(QByteArray(1, char(h1 * 16 + h2)));  // Windows-1252 close enough for text
      }
      continue;
    }
    if (!d.isLetter()) {
      if (d == QLatin1Char('~') && !g.Skip)
        out += QChar(0xA0);
      continue;
    }
    int j = i;
    while (j < n && RTF[j].isLetter())
      ++j;
    const QString word = RTF.mid(i, j - i);
    int k = j;
    if (k < n && (RTF[k] == QLatin1Char('-') || RTF[k].isDigit()))
      ++k;
    while (k < n && RTF[k].isDigit())
      ++k;
    const bool hasParam = k > j;
    const int param = hasParam ? RTF.mid(j, k - j).toInt() : 0;
    if (k < n && RTF[k] == QLatin1Char(' '))
      ++k;
    i = k - 1;
    if (SkippedDestination(word)) {
      g.Skip = true;
    } else if (word == QLatin1String("par") || word == QLatin1String("line")) {
      if (!g.Skip)
        out += QStringLiteral("\r\n");
    } else if (word == QLatin1String("tab")) {
      if (!g.Skip)
        out += QLatin1Char('\t');
    } else if (word == QLatin1String("uc") && hasParam) {
      g.UnicodeSkip = param;
    } else if (word == QLatin1String("u") && hasParam) {
      if (!g.Skip)
        out += QChar(char16_t(param < 0 ? param + 65536 : param));
      pendingSkip = g.UnicodeSkip;
    }
  }
  while (out.endsWith(QStringLiteral("\r\n")))
    out.chop(2);
  return out;
}

void RenderRTFText(TCanvas *Canvas, const QString &RTF, const TRect &R, TColor Color)
{
  const TColor old = Canvas->Font()->Color();
  if (Color != clNone)
    Canvas->Font()->SetColor(Color);
  const int mode = Canvas->SetBkMode(TRANSPARENT);
  TRect r = R;
  Canvas->DrawText(RTFToPlainText(RTF), r, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  Canvas->SetBkMode(mode);
  Canvas->Font()->SetColor(old);
}
