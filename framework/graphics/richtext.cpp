#include "framework/graphics/richtext.h"

#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <limits>

#include "framework/system/codepages.h"

// =============================================================================================
// Runs

void TRichText::Append(const QString &Text, const TRichTextFormat &Format)
{
  if (Text.isEmpty())
    return;
  if (!FRuns.empty() && FRuns.back().Format == Format)
    FRuns.back().Text += Text;
  else
    FRuns.push_back({Text, Format});
}

QString TRichText::PlainText() const
{
  QString out;
  for (const TRichTextRun &r : FRuns)
    out += r.Text;
  out.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return out;
}

TRichText TRichText::FromPlainText(const QString &Text, const TRichTextFormat &Format)
{
  QString t = Text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  TRichText doc;
  doc.Append(t, Format);
  return doc;
}

bool TRichText::IsRTF(const QString &Text) { return Text.startsWith(QLatin1String("{\\rtf")); }

// =============================================================================================
// Reader

namespace {

enum class TDestination { Text, FontTable, ColorTable, Skip };

struct TReaderGroup {
  TRichTextFormat Format;
  TDestination Destination = TDestination::Text;
  int UnicodeSkip = 1;  // characters that stand in for the character of a \u
};

// Destinations that hold no text of the document.
bool SkippedDestination(const QString &Word)
{
  static const QStringList skipped{
      QStringLiteral("stylesheet"), QStringLiteral("info"), QStringLiteral("pict"), QStringLiteral("header"),
      QStringLiteral("headerl"), QStringLiteral("headerr"), QStringLiteral("headerf"), QStringLiteral("footer"),
      QStringLiteral("footerl"), QStringLiteral("footerr"), QStringLiteral("footerf"), QStringLiteral("generator"),
      QStringLiteral("listtable"), QStringLiteral("listoverridetable"), QStringLiteral("rsidtbl"),
      QStringLiteral("themedata"), QStringLiteral("latentstyles"), QStringLiteral("object"),
      QStringLiteral("footnote"), QStringLiteral("field"), QStringLiteral("fldinst"), QStringLiteral("xmlnstbl"),
      QStringLiteral("mmathPr"), QStringLiteral("datastore"), QStringLiteral("colorschememapping")};
  return skipped.contains(Word);
}

int HexDigit(QChar c)
{
  const char16_t v = c.unicode();
  if (v >= '0' && v <= '9')
    return v - '0';
  if (v >= 'a' && v <= 'f')
    return v - 'a' + 10;
  if (v >= 'A' && v <= 'F')
    return v - 'A' + 10;
  return -1;
}

bool IsAsciiLetter(QChar c)
{
  const char16_t v = c.unicode();
  return (v >= 'a' && v <= 'z') || (v >= 'A' && v <= 'Z');
}

bool IsAsciiDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }

// Characters that control words stand for.
QChar SymbolOf(const QString &Word)
{
  static const struct {
    const char *Word;
    char16_t Char;
  } symbols[] = {{"emdash", 0x2014},   {"endash", 0x2013},    {"bullet", 0x2022},    {"lquote", 0x2018},
                 {"rquote", 0x2019},   {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
                 {"enspace", 0x2002},  {"qmspace", 0x2005}};
  for (const auto &s : symbols)
    if (Word == QLatin1String(s.Word))
      return QChar(s.Char);
  return QChar();
}

// Bytes in the code page of a font's character set (\fcharset); Windows-1252 for the ANSI set
// and for sets the platform has no decoder for.
QString DecodeCharset(int Charset, const QByteArray &Bytes)
{
  static const struct {
    int Charset;
    const char *Name;
  } pages[] = {{128, "Shift_JIS"},     {129, "windows-949"},  {134, "GBK"},          {136, "Big5"},
               {161, "windows-1253"},  {162, "windows-1254"}, {163, "windows-1258"}, {177, "windows-1255"},
               {178, "windows-1256"},  {186, "windows-1257"}, {204, "windows-1251"}, {222, "windows-874"},
               {238, "windows-1250"}};
  if (Charset == 255)
    return DecodeOem(Bytes);
  for (const auto &p : pages)
    if (p.Charset == Charset) {
      QStringDecoder decoder(p.Name);
      if (decoder.isValid())
        return decoder.decode(Bytes);
      break;
    }
  return DecodeAnsi(Bytes);
}

class TRTFReader {
public:
  explicit TRTFReader(const QString &Source) : S(Source), N(int(Source.size())) {}

  TRichText Read()
  {
    Groups.push_back(TReaderGroup());
    for (int i = 0; i < N; ++i) {
      const QChar c = S[i];
      if (c == QLatin1Char('{')) {
        Groups.push_back(Groups.back());
        continue;
      }
      if (c == QLatin1Char('}')) {
        if (Groups.size() > 1)
          Groups.pop_back();
        PendingSkip = 0;
        continue;
      }
      if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
        continue;
      if (c != QLatin1Char('\\')) {
        Char(c);
        continue;
      }
      if (i + 1 >= N)
        break;
      i = ControlAt(i + 1);
    }
    // The document's last paragraph mark closes its last paragraph and adds no empty one.
    std::vector<TRichTextRun> runs = Doc.Runs();
    if (!runs.empty() && runs.back().Text.endsWith(QLatin1Char('\n'))) {
      runs.back().Text.chop(1);
      if (runs.back().Text.isEmpty())
        runs.pop_back();
    }
    TRichText out;
    for (const TRichTextRun &r : runs)
      out.Append(r.Text, r.Format);
    return out;
  }

private:
  const QString &S;
  const int N;
  std::vector<TReaderGroup> Groups;
  TRichText Doc;
  int PendingSkip = 0;
  // Font and colour tables
  std::vector<std::pair<int, QString>> Fonts;
  int TableFont = -1;
  int TableCharset = 0;
  QString FontName;
  QByteArray FontBytes;  // \'xx bytes of the font name, decoded together (double-byte pages)
  std::vector<TColor> Colors;
  int Red = -1, Green = -1, Blue = -1;

  TReaderGroup &Group() { return Groups.back(); }

  void Char(QChar c)
  {
    if (PendingSkip > 0) {
      --PendingSkip;
      return;
    }
    switch (Group().Destination) {
    case TDestination::Text:
      Doc.Append(QString(c), Group().Format);
      break;
    case TDestination::FontTable:
      FlushFontBytes();
      if (c == QLatin1Char(';')) {
        if (TableFont >= 0)
          Fonts.emplace_back(TableFont, FontName.trimmed());
        FontName.clear();
      } else {
        FontName += c;
      }
      break;
    case TDestination::ColorTable:
      if (c == QLatin1Char(';')) {
        Colors.push_back(Red < 0 && Green < 0 && Blue < 0 ? clNone
                                                           : RGB(std::max(Red, 0), std::max(Green, 0), std::max(Blue, 0)));
        Red = Green = Blue = -1;
      }
      break;
    case TDestination::Skip:
      break;
    }
  }

  void FlushFontBytes()
  {
    if (!FontBytes.isEmpty())
      FontName += DecodeCharset(TableCharset, FontBytes);
    FontBytes.clear();
  }

  // A \'xx byte: in the font table, a byte of the name in the font's code page.
  void Byte(unsigned char B)
  {
    if (Group().Destination != TDestination::FontTable) {
      Char(CharFromAnsi(B));
    } else if (PendingSkip > 0) {
      --PendingSkip;
    } else {
      FontBytes += char(B);
    }
  }

  // A \uN character and the stand-ins that follow it.
  void Unicode(int Param)
  {
    // A code outside 16 bits is no character; its stand-in is skipped all the same.
    if (Param >= -32768 && Param <= 65535)
      Char(QChar(char16_t(Param < 0 ? Param + 65536 : Param)));
    PendingSkip = Group().UnicodeSkip;
  }

  // A control sequence whose first character after the backslash is at i; returns the index
  // of its last character.
  int ControlAt(int i)
  {
    const QChar d = S[i];
    if (d == QLatin1Char('\\') || d == QLatin1Char('{') || d == QLatin1Char('}')) {
      Char(d);
      return i;
    }
    if (d == QLatin1Char('\r') || d == QLatin1Char('\n')) {
      Text(QStringLiteral("\n"));
      return i;
    }
    if (d == QLatin1Char('*')) {
      Group().Destination = TDestination::Skip;
      return i;
    }
    if (d == QLatin1Char('\'')) {
      const int h1 = i + 1 < N ? HexDigit(S[i + 1]) : -1;
      const int h2 = i + 2 < N ? HexDigit(S[i + 2]) : -1;
      if (h1 < 0 || h2 < 0)
        return i;  // a broken escape is dropped, the text after it is kept
      Byte((unsigned char)(h1 * 16 + h2));
      return i + 2;
    }
    if (!IsAsciiLetter(d)) {
      if (d == QLatin1Char('~'))
        Char(QChar(0xA0));
      else if (d == QLatin1Char('_'))
        Char(QChar(0x2011));
      return i;  // \- and other symbols carry no text
    }
    int j = i;
    while (j < N && IsAsciiLetter(S[j]))
      ++j;
    const QString word = S.mid(i, j - i);
    int k = j;
    bool negative = false;
    if (k < N && S[k] == QLatin1Char('-') && k + 1 < N && IsAsciiDigit(S[k + 1])) {
      negative = true;
      ++k;
    }
    const int digits = k;
    long long value = 0;
    while (k < N && IsAsciiDigit(S[k])) {
      if (value < std::numeric_limits<int>::max())
        value = value * 10 + (S[k].unicode() - '0');
      ++k;
    }
    const bool hasParam = k > digits;
    value = std::min<long long>(value, std::numeric_limits<int>::max());
    const int param = hasParam ? int(negative ? -value : value) : 0;
    if (k < N && S[k] == QLatin1Char(' '))
      ++k;
    if (word == QLatin1String("bin") && hasParam && param > 0)
      k = int(std::min<long long>(N, (long long)k + param));  // binary data: skipped whole
    else
      Word(word, hasParam, param);
    return k - 1;
  }

  void Text(const QString &T)
  {
    if (Group().Destination == TDestination::Text)
      for (QChar c : T)
        Char(c);
  }

  void Word(const QString &W, bool HasParam, int Param)
  {
    TReaderGroup &g = Group();
    TRichTextFormat &f = g.Format;
    const bool on = !HasParam || Param != 0;
    if (W == QLatin1String("fonttbl")) {
      g.Destination = TDestination::FontTable;
    } else if (W == QLatin1String("colortbl")) {
      g.Destination = TDestination::ColorTable;
    } else if (SkippedDestination(W)) {
      g.Destination = TDestination::Skip;
    } else if (g.Destination == TDestination::FontTable) {
      if (W == QLatin1String("f") && HasParam) {
        TableFont = Param;
        TableCharset = 0;
        FontName.clear();
        FontBytes.clear();
      } else if (W == QLatin1String("fcharset") && HasParam) {
        TableCharset = Param;
      } else if (W == QLatin1String("uc")) {
        g.UnicodeSkip = std::clamp(Param, 0, 8);
      } else if (W == QLatin1String("u") && HasParam) {
        Unicode(Param);
      }
    } else if (g.Destination == TDestination::ColorTable) {
      const int v = std::clamp(Param, 0, 255);
      if (W == QLatin1String("red"))
        Red = v;
      else if (W == QLatin1String("green"))
        Green = v;
      else if (W == QLatin1String("blue"))
        Blue = v;
    } else if (g.Destination == TDestination::Skip) {
      // nothing of a skipped destination counts
    } else if (W == QLatin1String("par") || W == QLatin1String("line") || W == QLatin1String("page") ||
               W == QLatin1String("row") || W == QLatin1String("sect")) {
      Text(QStringLiteral("\n"));
    } else if (W == QLatin1String("tab") || W == QLatin1String("cell")) {
      Text(QStringLiteral("\t"));
    } else if (W == QLatin1String("uc")) {
      g.UnicodeSkip = std::clamp(Param, 0, 8);
    } else if (W == QLatin1String("u") && HasParam) {
      Unicode(Param);
    } else if (W == QLatin1String("plain")) {
      f = TRichTextFormat();
    } else if (W == QLatin1String("b")) {
      f.Style = on ? f.Style + fsBold : f.Style - fsBold;
    } else if (W == QLatin1String("i")) {
      f.Style = on ? f.Style + fsItalic : f.Style - fsItalic;
    } else if (W == QLatin1String("ul")) {
      f.Style = on ? f.Style + fsUnderline : f.Style - fsUnderline;
    } else if (W == QLatin1String("ulnone")) {
      f.Style -= fsUnderline;
    } else if (W == QLatin1String("strike")) {
      f.Style = on ? f.Style + fsStrikeOut : f.Style - fsStrikeOut;
    } else if (W == QLatin1String("f") && HasParam) {
      f.Name.clear();
      for (const auto &[index, name] : Fonts)
        if (index == Param)
          f.Name = name;
    } else if (W == QLatin1String("fs") && HasParam) {
      f.Size = std::clamp(Param, 0, 3276) / 2;
    } else if (W == QLatin1String("cf") && HasParam) {
      f.Color = Param > 0 && Param < int(Colors.size()) ? Colors[Param] : clNone;
    } else if (W == QLatin1String("sub")) {
      f.Offset = -40;
    } else if (W == QLatin1String("super")) {
      f.Offset = 40;
    } else if (W == QLatin1String("nosupersub")) {
      f.Offset = 0;
    } else if (W == QLatin1String("up")) {
      f.Offset = std::clamp(HasParam ? Param : 6, -3276, 3276) * 10;
    } else if (W == QLatin1String("dn")) {
      f.Offset = -std::clamp(HasParam ? Param : 6, -3276, 3276) * 10;
    } else if (const QChar sym = SymbolOf(W); !sym.isNull()) {
      Char(sym);
    }
  }
};

}  // namespace

TRichText TRichText::FromRTF(const QString &RTF)
{
  if (!IsRTF(RTF))
    return FromPlainText(RTF);
  return TRTFReader(RTF).Read();
}

// =============================================================================================
// Writer

namespace {

QString Escaped(const QString &Text)
{
  QString out;
  for (const QChar c : Text) {
    const char16_t v = c.unicode();
    if (v == '\\' || v == '{' || v == '}') {
      out += QLatin1Char('\\');
      out += c;
    } else if (v == '\n') {
      out += QStringLiteral("\\par ");  // delimited by the blank: the text may lose its line ends
    } else if (v == '\t') {
      out += QStringLiteral("\\tab ");
    } else if (v < 0x20) {
      out += QStringLiteral("\\'%1").arg(int(v), 2, 16, QLatin1Char('0'));
    } else if (v < 0x80) {
      out += c;
    } else {
      // The stand-in character after the code lets a reader without \u show something.
      out += QStringLiteral("\\u%1?").arg(int(int16_t(v)));
    }
  }
  return out;
}

}  // namespace

QString TRichText::ToRTF() const
{
  // Tables of the fonts and colours the runs use, in order of first use.
  QStringList fonts;
  std::vector<TColor> colors;
  bool unnamed = false;
  for (const TRichTextRun &r : FRuns) {
    if (r.Format.Name.isEmpty())
      unnamed = true;
    else if (!fonts.contains(r.Format.Name))
      fonts << r.Format.Name;
    const TColor c = r.Format.Color == clNone ? clNone : ColorToRGB(r.Format.Color);
    if (c != clNone && std::find(colors.begin(), colors.end(), c) == colors.end())
      colors.push_back(c);
  }
  // Text in no named font needs a nameless entry to go back to.
  if (unnamed && !fonts.isEmpty())
    fonts.prepend(QString());

  QString out = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0");
  if (!fonts.isEmpty()) {
    out += QStringLiteral("{\\fonttbl");
    for (int i = 0; i < fonts.size(); ++i)
      out += QStringLiteral("{\\f%1\\fnil %2;}").arg(i).arg(Escaped(fonts[i]));
    out += QLatin1Char('}');
  }
  if (!colors.empty()) {
    out += QStringLiteral("{\\colortbl ;");
    for (TColor c : colors)
      out += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(GetRValue(c)).arg(GetGValue(c)).arg(GetBValue(c));
    out += QLatin1Char('}');
  }
  out += QStringLiteral("\r\n\\uc1\\pard");

  TRichTextFormat cur;
  bool delimit = true;  // a control word was written last: text needs a blank first
  auto word = [&](const QString &W) {
    out += QLatin1Char('\\');
    out += W;
    delimit = true;
  };
  auto style = [&](const TRichTextFormat &f, TFontStyle s, const char *On, const char *Off) {
    if (f.Style.Contains(s) != cur.Style.Contains(s))
      word(QLatin1String(f.Style.Contains(s) ? On : Off));
  };
  for (const TRichTextRun &r : FRuns) {
    const TRichTextFormat &f = r.Format;
    if (f.Name != cur.Name)
      word(QStringLiteral("f%1").arg(fonts.indexOf(f.Name)));
    if (f.Size != cur.Size)
      word(QStringLiteral("fs%1").arg(f.Size * 2));
    style(f, fsBold, "b", "b0");
    style(f, fsItalic, "i", "i0");
    style(f, fsUnderline, "ul", "ulnone");
    style(f, fsStrikeOut, "strike", "strike0");
    const TColor c = f.Color == clNone ? clNone : ColorToRGB(f.Color);
    if (f.Color != cur.Color) {
      const auto at = std::find(colors.begin(), colors.end(), c);
      word(QStringLiteral("cf%1").arg(c == clNone ? 0 : int(at - colors.begin()) + 1));
    }
    if (f.Offset != cur.Offset)
      word(f.Offset >= 0 ? QStringLiteral("up%1").arg(f.Offset / 10) : QStringLiteral("dn%1").arg(-f.Offset / 10));
    cur = f;
    const QString text = Escaped(r.Text);
    if (delimit && !text.startsWith(QLatin1Char('\\')))
      out += QLatin1Char(' ');
    out += text;
    delimit = false;  // every escape ends delimited (a blank, CR LF, '?' or two hex digits)
  }
  // The last paragraph mark: a reader takes it as the end of the last paragraph.
  out += QStringLiteral("\\par\r\n}");
  return out;
}

// =============================================================================================
// Layout and drawing

namespace {

struct TPiece {
  int Run = 0;
  QString Text;
  int Width = 0;      // with trailing blanks
  int TrimWidth = 0;  // without them
  bool BreakAfter = false;
};

struct TLine {
  std::vector<TPiece> Pieces;
  int Width = 0;
  int Ascent = 0;
  int Descent = 0;
  int Raise = 0, Lower = 0;  // room for raised and lowered runs
};

// Puts a run's format on the canvas font, over the base font.
void ApplyFormat(TCanvas *Canvas, const TFont &Base, const TRichTextFormat &F, TColor Color)
{
  TFont *font = Canvas->Font();
  font->Assign(&Base);
  if (!F.Name.isEmpty())
    font->SetName(F.Name);
  if (F.Size > 0)
    font->SetSize(F.Size);
  font->SetStyle(F.Style);
  if (Color != clNone)
    font->SetColor(Color);
  else if (F.Color != clNone)
    font->SetColor(F.Color);
}

int OffsetPixels(const TFont &Font, int Twips) { return Twips * Font.PixelsPerInch() / 1440; }

QString Shown(const QString &Text)
{
  QString t = Text;
  return t.replace(QLatin1Char('\t'), QStringLiteral("    "));
}

std::vector<TLine> Layout(TCanvas *Canvas, const std::vector<TRichTextRun> &Runs, int Width, bool WordWrap)
{
  TFont saved;
  saved.Assign(Canvas->Font());
  std::vector<TLine> lines(1);
  auto metrics = [&](TLine &L, const TRichTextRun &R) {
    TEXTMETRIC tm;
    GetTextMetrics(Canvas, tm);
    L.Ascent = std::max(L.Ascent, tm.tmAscent);
    L.Descent = std::max(L.Descent, tm.tmDescent);
    const int shift = OffsetPixels(*Canvas->Font(), R.Format.Offset);
    L.Raise = std::max(L.Raise, shift);
    L.Lower = std::max(L.Lower, -shift);
  };
  const bool wrap = WordWrap && Width > 0;
  for (int ri = 0; ri < int(Runs.size()); ++ri) {
    const TRichTextRun &run = Runs[ri];
    ApplyFormat(Canvas, saved, run.Format, clNone);
    int p = 0;
    const int n = int(run.Text.size());
    while (p < n) {
      if (run.Text[p] == QLatin1Char('\n')) {
        metrics(lines.back(), run);
        lines.emplace_back();
        ++p;
        continue;
      }
      // A piece: up to and including the blanks after a word, or up to a paragraph end.
      int e = p;
      while (e < n && run.Text[e] != QLatin1Char(' ') && run.Text[e] != QLatin1Char('\t') && run.Text[e] != QLatin1Char('\n'))
        ++e;
      const int wordEnd = e;
      while (e < n && (run.Text[e] == QLatin1Char(' ') || run.Text[e] == QLatin1Char('\t')))
        ++e;
      TPiece piece;
      piece.Run = ri;
      piece.Text = run.Text.mid(p, e - p);
      piece.Width = Canvas->TextWidth(Shown(piece.Text));
      piece.TrimWidth = wordEnd == e ? piece.Width : Canvas->TextWidth(Shown(run.Text.mid(p, wordEnd - p)));
      piece.BreakAfter = e > wordEnd;
      p = e;
      TLine *line = &lines.back();
      // A break only where the line's last piece ends in a blank: a word split over runs
      // stays together.
      if (wrap && !line->Pieces.empty() && line->Pieces.back().BreakAfter &&
          line->Width + piece.TrimWidth > Width) {
        lines.emplace_back();
        line = &lines.back();
      }
      line->Width += piece.Width;
      line->Pieces.push_back(piece);
      metrics(*line, run);
    }
  }
  // An empty last paragraph has the height of the canvas font.
  if (lines.back().Ascent == 0 && lines.back().Descent == 0) {
    Canvas->Font()->Assign(&saved);
    TEXTMETRIC tm;
    GetTextMetrics(Canvas, tm);
    lines.back().Ascent = tm.tmAscent;
    lines.back().Descent = tm.tmDescent;
  }
  Canvas->Font()->Assign(&saved);
  return lines;
}

int LineHeight(const TLine &L) { return L.Raise + L.Ascent + L.Descent + L.Lower; }

int LineWidth(const TLine &L)
{
  if (L.Pieces.empty())
    return 0;
  return L.Width - L.Pieces.back().Width + L.Pieces.back().TrimWidth;
}

}  // namespace

TSize TRichText::Measure(TCanvas *Canvas, int Width, bool WordWrap) const
{
  if (!Canvas)
    return TSize();
  const std::vector<TLine> lines = Layout(Canvas, FRuns, Width, WordWrap);
  TSize size;
  for (const TLine &l : lines) {
    size.cx = std::max(size.cx, LineWidth(l));
    size.cy += LineHeight(l);
  }
  return size;
}

void TRichText::Draw(TCanvas *Canvas, const TRect &R, bool WordWrap, TColor Color) const
{
  if (!Canvas || FRuns.empty())
    return;
  const std::vector<TLine> lines = Layout(Canvas, FRuns, R.Width(), WordWrap);
  TFont saved;
  saved.Assign(Canvas->Font());
  const int saveDC = Canvas->SaveDC();
  Canvas->IntersectClipRect(R);
  const int mode = Canvas->SetBkMode(TRANSPARENT);
  int top = R.Top;
  for (const TLine &l : lines) {
    if (top >= R.Bottom)
      break;
    const int baseline = top + l.Raise + l.Ascent;
    int x = R.Left;
    for (const TPiece &p : l.Pieces) {
      ApplyFormat(Canvas, saved, FRuns[p.Run].Format, Color);
      TEXTMETRIC tm;
      GetTextMetrics(Canvas, tm);
      const int shift = OffsetPixels(*Canvas->Font(), FRuns[p.Run].Format.Offset);
      Canvas->TextOut(x, baseline - tm.tmAscent - shift, Shown(p.Text));
      x += p.Width;
    }
    top += LineHeight(l);
  }
  Canvas->SetBkMode(mode);
  Canvas->RestoreDC(saveDC);
  Canvas->Font()->Assign(&saved);
}
