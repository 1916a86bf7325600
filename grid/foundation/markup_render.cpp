#include "grid/foundation/markup_render.h"

#include "framework/system/sysutils.h"
#include "grid/foundation/markup_utils.h"
#include "grid/foundation/themes.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <vector>

namespace {

TColor HighlightBack = clHighlight;
TColor HighlightText = clHighlightText;

// Numbers read from the mark-up (sizes, offsets, angles, indexes) are clamped to what a
// drawing can use; positions built from them saturate far below the integer range, so that
// adding one more such number to one never overflows.
constexpr int NumberLimit = 32767;
constexpr int ExtentLimit = 1 << 28;
constexpr int FontSizeLimit = 1638;

int Extent(long long V) { return int(std::clamp<long long>(V, -ExtentLimit, ExtentLimit)); }
int Extent(double V) { return int(std::clamp<double>(V, -ExtentLimit, ExtentLimit)); }

// Leading blanks, a sign, "$" or "0x" for hexadecimal; stops at the first non-digit. The
// value is clamped to +-NumberLimit.
bool ReadNumber(QStringView S, int &Value)
{
  int i = 0;
  const int n = int(S.size());
  while (i < n && S[i] == ' ')
    ++i;
  bool neg = false;
  if (i < n && (S[i] == '-' || S[i] == '+'))
    neg = S[i++] == '-';
  int base = 10;
  if (i < n && S[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < n && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  long long v = 0;
  int digits = 0;
  for (; i < n; ++i) {
    const int d = QChar(S[i]).digitValue() >= 0 && S[i] < QChar(128) ? S[i].digitValue()
                  : base == 16 && S[i].toUpper() >= 'A' && S[i].toUpper() <= 'F' ? S[i].toUpper().unicode() - 'A' + 10
                                                                                  : -1;
    if (d < 0 || d >= base)
      break;
    v = std::min<long long>(v * base + d, NumberLimit);
    ++digits;
  }
  if (!digits)
    return false;
  Value = int(neg ? -v : v);
  return true;
}

// Index of the ASCII text Name in S, -1 when absent; tags are short and searched for a
// dozen names each, which a plain loop does faster than a general search.
int FindAscii(QStringView S, const char *Name)
{
  const int n = int(S.size()), m = int(std::strlen(Name));
  for (int i = 0; i + m <= n; ++i) {
    if (S[i].unicode() != char16_t(uchar(Name[0])))
      continue;
    int k = 1;
    while (k < m && S[i + k].unicode() == char16_t(uchar(Name[k])))
      ++k;
    if (k == m)
      return i;
  }
  return -1;
}

// The text between the first and second double quote after the attribute name.
QStringView Attribute(QStringView Source, QStringView Upper, const char *Name)
{
  const int p = FindAscii(Upper, Name);
  if (p < 0)
    return QStringView();
  const int q1 = int(Source.indexOf('"', p));
  if (q1 < 0)
    return QStringView();
  const int q2 = int(Source.indexOf('"', q1 + 1));
  if (q2 < 0)
    return QStringView();
  return Source.mid(q1 + 1, q2 - q1 - 1);
}

// Tag and attribute names fold a to z only; tags are short, so the folded copy mostly
// lives on the stack.
class TUpper {
public:
  explicit TUpper(QStringView S)
  {
    QChar *d = Small;
    if (S.size() > qsizetype(std::size(Small))) {
      Long.resize(S.size());
      d = Long.data();
    }
    for (qsizetype i = 0, n = S.size(); i < n; ++i)
      d[i] = S[i] >= QChar('a') && S[i] <= QChar('z') ? QChar(S[i].unicode() - 32) : S[i];
    FView = QStringView(d, S.size());
  }
  TUpper(const TUpper &) = delete;
  TUpper &operator=(const TUpper &) = delete;
  QStringView View() const { return FView; }

private:
  QChar Small[96];
  QString Long;
  QStringView FView;
};

TColor ColorValue(QStringView V)
{
  if (V.startsWith('#'))
    return HTMLColorByHex(V.toString());
  // Colour names are short ASCII: lowered on the stack rather than in two new strings.
  char16_t lower[32];
  if (V.size() <= qsizetype(std::size(lower)) &&
      std::all_of(V.begin(), V.end(), [](QChar c) { return c.unicode() < 128; })) {
    for (qsizetype i = 0; i < V.size(); ++i) {
      const char16_t c = V[i].unicode();
      lower[i] = c >= 'A' && c <= 'Z' ? char16_t(c + 32) : c;
    }
    return HTMLColorByName(QString::fromRawData(reinterpret_cast<const QChar *>(lower), V.size()));
  }
  return HTMLColorByName(V.toString().toLower());
}

QString Prepare(QString S)
{
  S = ReplaceMarkupEntities(S);
  // "<#" is found by its rarer second character.
  const auto nextMark = [&S](int From) {
    for (qsizetype p = S.indexOf(QChar('#'), From + 1); p >= 0; p = S.indexOf(QChar('#'), p + 1))
      if (S.at(p - 1) == QChar('<'))
        return int(p - 1);
    return -1;
  };
  for (int p = nextMark(0); p >= 0; p = nextMark(p)) {
    S.remove(p, 1);
    const int gt = int(S.indexOf('>', p));
    if (gt >= 0)
      S.remove(gt, 1);
  }
  if (S.contains(QChar('\r')))
    S.replace(QChar('\r'), QLatin1String("<BR>"));
  if (S.contains(QChar('\n')))
    S.remove(QChar('\n'));
  return S;
}

// Whether DecodeSegment would change S: most texts with an ampersand hold none of these.
bool NeedsDecoding(QStringView S)
{
  // Segments are short: a plain loop is cheaper than the library's search.
  for (qsizetype i = 0, n = S.size(); i < n; ++i) {
    if (S[i] != QChar('&'))
      continue;
    const QStringView rest = S.mid(i);
    if (rest.startsWith(QLatin1String("&nbsp;")) || rest.startsWith(QLatin1String("&lt;")) ||
        rest.startsWith(QLatin1String("&gt;")))
      return true;
  }
  return false;
}

QString DecodeSegment(QString S)
{
  S.replace(QLatin1String("&nbsp;"), QLatin1String(" "));
  S.replace(QLatin1String("&lt;"), QLatin1String("<"));
  S.replace(QLatin1String("&gt;"), QLatin1String(">"));
  return S;
}

// Per-call state carried between lines and replayed for the second pass of a line.
struct TFlags {
  bool Shadow = false, Sub = false, Sup = false, Error = false, Hidden = false, InAnchor = false;
  bool ParaBack = false, HoverApplied = false;
  int ListLevel = 0, Anchors = 0, Pictures = 0;
  QString Href, Title;
  int AnchorX = 0, AnchorTop = 0;
  bool AnchorHit = false;
  TColor HiFont = clNone, HiBrush = clNone, FontBrush = clNone, ParaBrush = clNone, ParaColor = clNone;
  TColor HoverBrush = clNone, HoverFont = clNone;
  int Orientation = 0;
};

struct TRenderer {
  // Inputs
  TCanvas *C;
  const TRect &Rect;
  TImageList *Images;
  int MouseX, MouseY, FocusLink, HoverLink, ShadowOffset;
  bool HitTestOnly, MeasureOnly, Printing, Selected, BlinkOn, HoverOnly, WordWrap, MouseDown;
  double PrintScale;
  TColor URLColor, HoverColor, HoverFontColor, ShadowColor;
  THTMLPictureCache *Cache;
  TPictureContainer *Container;
  QString ControlIDIn;
  // Outputs
  QString &Anchor, &Plain, &FocusAnchor, &AnchorTitle;
  int &Width, &AnchorCount, &MouseAnchor;
  TRect &AnchorRect, &ControlRect;
  QString &ControlID, &ControlValue, &ControlType;

  TFont Base{};
  TColor EntryBrush = clNone;
  uint32_t Format = 0;
  int GH = 0;
  TFlags F{};
  int HoverPicture = -1;
  // Per line
  int SubH = 0, SupH = 0, Lift = 0, Align = 0, Indent = 0;
  bool LineHit = false, ItemHit = false;
  // The pieces the layout pass took for the line, replayed by the positioned pass so that
  // it neither parses nor measures again: text as shown with its width and height, or a tag.
  // Both are kept as a stretch of the prepared text, unless decoding changed the text.
  struct TItem {
    bool IsTag;
    int From, Length;
    QString Decoded;
    int W, TH;
    QStringView Text(const QString &S) const
    {
      return Decoded.isNull() ? QStringView(S).mid(From, Length) : QStringView(Decoded);
    }
  };
  std::vector<TItem> Items{};
  bool Record = false;
  TTextBatch Batch{C};

  void SetBrush(TColor Color)
  {
    if (Color == clNone)
      C->Brush()->SetStyle(bsClear);
    else
      C->Brush()->SetColor(Color);
  }
  TColor BrushColor() const { return C->Brush()->Style() == bsClear ? clNone : C->Brush()->Color(); }
  void SetStyle(TFontStyle S, bool On)
  {
    TFontStyles st = C->Font()->Style();
    if (On)
      st.Include(S);
    else
      st.Exclude(S);
    C->Font()->SetStyle(st);
  }
  int MeasureWidth(QStringView S) const { return Batch.Width(S, Format); }
  // A blank's width and the text height, kept while the canvas font stays the same: every
  // piece asks for them.
  struct TFontValue {
    uint64_t Revision = 0;
    int Value = 0;
  };
  TFontValue Blank{}, TextH{};
  template <typename TMake>
  int FontValue(TFontValue &V, TMake Make)
  {
    const uint64_t revision = C->Font()->Revision();
    if (V.Revision != revision) {
      V.Value = Make();
      V.Revision = revision;
    }
    return V.Value;
  }
  int BlankWidth()
  {
    return FontValue(Blank, [this] { return MeasureWidth(QStringLiteral(" ")); });
  }
  int TextHeight()
  {
    return FontValue(TextH, [this] { return Batch.Height(); });
  }
  bool MouseIn(int L, int T, int R, int B) const { return MouseX > L && MouseX < R && MouseY > T && MouseY < B; }

  void ErrorLine(int X1, int X2, int Y)
  {
    Batch.Flush();
    TColor pc = C->Pen()->Color();
    int pw = C->Pen()->Width();
    C->Pen()->SetColor(TColor(clRed));
    C->Pen()->SetWidth(1);
    int x = X1 & ~1;
    // Phase by x modulo 4 so neighbouring pieces join into one zigzag.
    bool up = (x % 4) == 0;
    C->MoveTo(x, up ? Y - 1 : Y + 1);
    while (x < X2) {
      x += 2;
      up = !up;
      C->LineTo(x, up ? Y - 1 : Y + 1);
    }
    C->Pen()->SetColor(pc);
    C->Pen()->SetWidth(pw);
  }

  void FocusRect(const TRect &R, int StartX, int EndX)
  {
    const int b = R.Bottom - Lift;
    Batch.Flush();
    C->DrawFocusRect(TRect(R.Left + StartX - 1, b - GH, R.Left + EndX + 1, b));
  }

  THTMLPicture *FindPicture(const QString &Src, const QString &SrcAsWritten)
  {
    if (Src.contains(QLatin1String("://"))) {
      if (!Cache)
        return nullptr;
      THTMLPicture *p = Cache->FindPicture(Src);
      if (!p) {
        p = Cache->AddPicture();
        p->SetAsynch(false);
        // Paths on a case-sensitive file system: the name as written first.
        if (!SrcAsWritten.isEmpty())
          p->LoadFromURL(SrcAsWritten);
        if (p->Empty())
          p->LoadFromURL(Src);
        p->SetID(Src);
      }
      return p;
    }
    return Container ? Container->FindPicture(Src) : nullptr;
  }

  // The layout pass reads S from Pos on and records the line when Record is set; the
  // positioned pass replays the record.
  void Line(const QString &S, int &Pos, TRect R, bool Layout, bool Paint, bool Hit, int &H);
  // Returns false when the tag makes the line full (it stays for the next line).
  bool Tag(QStringView T, TRect &R, int &X, int &H, bool Layout, bool Paint, bool Hit, bool &Ends,
           bool &LiSeen);

  // One tag as the line meets it, with the line's state the handlers change.
  struct TTag {
    QStringView T, U;  // as written, and upper-cased
    TRect &R;
    int &X, &H;
    bool Layout, Paint, Hit;
    bool &Ends, &LiSeen;
  };
  // One handler per tag (first letter), each false when the line is full.
  bool OpenAnchor(TTag &Tg);
  bool OpenB(TTag &Tg);  // B, BR, BLINK, BODY
  void Body(TTag &Tg);
  bool OpenControl(TTag &Tg);
  bool OpenError(TTag &Tg);
  bool OpenFont(TTag &Tg);
  bool OpenH(TTag &Tg);  // HR, HI
  bool OpenI(TTag &Tg);  // I, IND, IMG
  bool Image(TTag &Tg);
  bool OpenListItem(TTag &Tg);
  bool OpenParagraph(TTag &Tg);
  bool OpenRotation(TTag &Tg);
  bool OpenS(TTag &Tg);  // SUB, SUP, SHAD, S
  bool OpenU(TTag &Tg);  // U, UL
  bool OpenHidden(TTag &Tg);
  bool CloseAnchor(TTag &Tg);
  bool CloseBold(TTag &Tg);  // and any other "</B...>"
  bool CloseError(TTag &Tg);
  bool CloseFont(TTag &Tg);
  bool CloseHighlight(TTag &Tg);
  bool CloseItalic(TTag &Tg);
  bool CloseListItem(TTag &Tg);
  bool CloseParagraph(TTag &Tg);
  bool CloseRotation(TTag &Tg);
  bool CloseS(TTag &Tg);  // SH..., SU..., S
  bool CloseU(TTag &Tg);  // UL, U
  bool CloseHidden(TTag &Tg);
};

void TRenderer::Line(const QString &S, int &Pos, TRect R, bool Layout, bool Paint, bool Hit, int &H)
{
  int cx = 0, blankW = 0;
  bool ended = false, full = false, first = true, liSeen = false;
  bool laidNone = true, laidBlank = false;  // the text taken so far: none, ends with a blank
  const int n = int(S.size());
  size_t next = 0;  // replay position
  if (Layout && Record)
    Items.clear();
  R.Bottom -= SubH;
  const int lineW = R.Right - R.Left;
  if (F.ParaBack && Paint) {
    Batch.Flush();
    const TColor b = BrushColor();
    SetBrush(F.ParaColor);
    C->FillRect(TRect(Rect.Left, R.Top, Rect.Right, R.Top + H));
    SetBrush(b);
  }
  const QChar *chars = S.constData();
  while (!ended && !full && (Layout ? Pos < n : next < Items.size())) {
    int rawEnd = Pos;
    QString decoded;
    QStringView seg;
    const TItem *item = nullptr;
    if (Layout) {
      // The text runs to the next tag or, wrapping, up to and with the next blank.
      while (rawEnd < n && chars[rawEnd] != QChar('<') && !(WordWrap && chars[rawEnd] == QChar(' ')))
        ++rawEnd;
      if (rawEnd < n && chars[rawEnd] == QChar(' '))
        ++rawEnd;
      seg = QStringView(chars + Pos, rawEnd - Pos);
      if (NeedsDecoding(seg)) {
        decoded = DecodeSegment(seg.toString());
        seg = decoded;
      }
    } else if (!Items[next].IsTag) {
      item = &Items[next++];
      seg = item->Text(S);
    }
    if (rawEnd > Pos || item) {
      const int th = item ? item->TH : TextHeight();
      if (F.Sub)
        SubH = std::max(SubH, th / 4);
      if (F.Sup)
        SupH = std::max(SupH, th / 4);
      H = std::max(H, th);
      if (F.Hidden) {
        // Hidden text is never recorded, so only the layout pass gets here.
        if (Layout) {
          Plain += seg;
          Pos = rawEnd;
        }
      } else {
        const int sw = item ? item->W : Extent((long long)MeasureWidth(seg));
        if (Paint) {
          TRect tr(R.Left + cx, R.Top, R.Right, R.Bottom);
          if (F.Sub)
            tr.Bottom += SubH;
          if (F.Sup)
            tr.Bottom -= SupH;
          tr.Bottom -= Lift;
          if (F.Shadow) {
            const TColor fc = C->Font()->Color();
            C->Font()->SetColor(ShadowColor);
            Batch.Add(seg, TRect(tr.Left + ShadowOffset, tr.Top + ShadowOffset, tr.Right + ShadowOffset,
                                 tr.Bottom + ShadowOffset), Format);
            C->Font()->SetColor(fc);
          }
          Batch.Add(seg, tr, Format);
          if (F.InAnchor && F.Anchors == FocusLink + 1)
            FocusAnchor = F.Href;
          if (F.Error)
            ErrorLine(tr.Left, tr.Left + sw, R.Bottom);
        } else if (Hit && F.InAnchor && MouseX >= 0) {
          const int mx = MouseX - R.Left;
          if (mx >= cx && mx <= cx + sw) {
            LineHit = true;
            if (MouseY > R.Top && MouseY < R.Bottom) {
              Anchor = F.Href;
              AnchorTitle = F.Title;
              F.AnchorHit = true;
            }
          }
        }
        const int before = cx;
        cx = Extent((long long)cx + sw);
        const bool fits = !Layout || cx < lineW || sw >= lineW || (!laidNone && !laidBlank);
        if (fits || !WordWrap) {
          if (Layout) {
            Pos = rawEnd;
            if (!seg.isEmpty()) {
              laidNone = false;
              laidBlank = seg.endsWith(' ');
            }
            Plain += seg;
            if (!WordWrap && !fits && !first)
              Pos = n;
            blankW = seg.endsWith(' ') ? BlankWidth() : 0;
            if (Record)
              Items.push_back(TItem{false, int(seg.data() - chars), int(seg.size()), decoded, sw, th});
          }
          first = false;
        } else {
          cx = before;
          full = true;
          break;
        }
      }
    }
    if (Layout ? Pos < n && S[Pos] == '<' : next < Items.size() && Items[next].IsTag) {
      int gt = 0;
      if (Layout) {
        if (n - Pos <= 2) {
          Pos = n;
          break;
        }
        gt = int(S.indexOf('>', Pos));
        if (gt < 0) {
          Pos = n;
          break;
        }
      }
      const QStringView tag = Layout ? QStringView(chars + Pos, gt + 1 - Pos) : Items[next].Text(S);
      bool ends = false;
      if (!Tag(tag, R, cx, H, Layout, Paint, Hit, ends, liSeen)) {
        full = true;
        break;
      }
      if (Layout) {
        if (Record)
          Items.push_back(TItem{true, Pos, gt + 1 - Pos, QString(), 0, 0});
        Pos = gt + 1;
      } else {
        ++next;
      }
      if (ends) {
        ended = true;
        blankW = 0;
      }
    }
  }
  if (Layout)
    Width = std::max(Width, cx - blankW);
  if (F.InAnchor && Paint && F.Anchors == FocusLink + 1) {
    FocusRect(R, F.AnchorTop == R.Top ? F.AnchorX : 0, cx);
    F.AnchorX = 0;
  }
}

using TTagHandler = bool (TRenderer::*)(TRenderer::TTag &);

// Handlers by the tag's first letter, opening and closing.
constexpr std::array<TTagHandler, 26> TagTable(bool Closing)
{
  std::array<TTagHandler, 26> t{};
  auto set = [&t](char Letter, TTagHandler H) { t[size_t(Letter - 'A')] = H; };
  if (Closing) {
    set('A', &TRenderer::CloseAnchor);
    set('B', &TRenderer::CloseBold);
    set('E', &TRenderer::CloseError);
    set('F', &TRenderer::CloseFont);
    set('H', &TRenderer::CloseHighlight);
    set('I', &TRenderer::CloseItalic);
    set('L', &TRenderer::CloseListItem);
    set('P', &TRenderer::CloseParagraph);
    set('R', &TRenderer::CloseRotation);
    set('S', &TRenderer::CloseS);
    set('U', &TRenderer::CloseU);
    set('Z', &TRenderer::CloseHidden);
  } else {
    set('A', &TRenderer::OpenAnchor);
    set('B', &TRenderer::OpenB);
    set('C', &TRenderer::OpenControl);
    set('E', &TRenderer::OpenError);
    set('F', &TRenderer::OpenFont);
    set('H', &TRenderer::OpenH);
    set('I', &TRenderer::OpenI);
    set('L', &TRenderer::OpenListItem);
    set('P', &TRenderer::OpenParagraph);
    set('R', &TRenderer::OpenRotation);
    set('S', &TRenderer::OpenS);
    set('U', &TRenderer::OpenU);
    set('Z', &TRenderer::OpenHidden);
  }
  return t;
}

constexpr std::array<TTagHandler, 26> OpeningTags = TagTable(false), ClosingTags = TagTable(true);

bool TRenderer::Tag(QStringView T, TRect &R, int &X, int &H, bool Layout, bool Paint, bool Hit, bool &Ends,
                    bool &LiSeen)
{
  const TUpper upper(T);
  TTag tag{T, upper.View(), R, X, H, Layout, Paint, Hit, Ends, LiSeen};
  const bool closing = tag.U.size() >= 4 && tag.U[1] == '/';
  const char16_t k = (closing ? tag.U[2] : tag.U[1]).unicode();
  if (k < 'A' || k > 'Z')
    return true;  // unknown tags are consumed
  const TTagHandler handler = (closing ? ClosingTags : OpeningTags)[k - 'A'];
  return handler ? (this->*handler)(tag) : true;
}

bool TRenderer::OpenAnchor(TTag &Tg)
{
  TFont *font = C->Font();
  ++F.Anchors;
  AnchorCount = F.Anchors;
  const bool hovered = F.Anchors == HoverLink;
  F.HoverBrush = F.HoverFont = clNone;
  F.HoverApplied = !HoverOnly || hovered;
  // With hover-only links only the hovered one is underlined.
  SetStyle(fsUnderline, F.HoverApplied);
  if (F.HoverApplied) {
    if (HoverColor != clNone) {
      F.HoverBrush = BrushColor();
      SetBrush(HoverColor);
    }
    if (HoverFontColor != clNone) {
      F.HoverFont = font->Color();
      font->SetColor(HoverFontColor);
    }
  }
  if (!Selected && !(HoverOnly && hovered && HoverFontColor != clNone) && URLColor != clNone)
    font->SetColor(URLColor);
  F.Href = Attribute(Tg.T, Tg.U, "HREF").toString();
  F.Title = Attribute(Tg.T, Tg.U, "TITLE").toString();
  F.AnchorX = Tg.X;
  F.AnchorTop = Tg.R.Top;
  F.InAnchor = true;
  return true;
}

bool TRenderer::OpenB(TTag &Tg)
{
  TFont *font = C->Font();
  if (Tg.U == QLatin1String("<B>")) {
    SetStyle(fsBold, true);
  } else if (Tg.U.startsWith(QLatin1String("<BR"))) {
    if (Tg.Layout)
      Plain += '\r';
    Tg.Ends = true;
  } else if (Tg.U.startsWith(QLatin1String("<BLINK"))) {
    if (!BlinkOn)
      font->SetColor(EntryBrush == clNone ? TColor(clWhite) : EntryBrush);
  } else if (Tg.U.startsWith(QLatin1String("<BODY")) && Tg.Paint) {
    Body(Tg);
  }
  return true;
}

// Fills the whole rectangle with BGCOLOR and tiles the BACKGROUND picture over it.
void TRenderer::Body(TTag &Tg)
{
  const QStringView bg = Attribute(Tg.U, Tg.U, "BGCOLOR");
  if (!bg.isEmpty()) {
    TColor c = clNone;
    if (bg.contains(QLatin1String("CL")))
      c = HTMLColorByName(bg.toString().toLower());
    else if (bg.contains('#'))
      c = HTMLColorByHex(bg.toString());
    if (c != clNone) {
      Batch.Flush();
      const TColor old = BrushColor();
      C->Pen()->SetColor(c);
      SetBrush(c);
      C->FillRect(Rect);
      SetBrush(old);
    }
  }
  const QString back = Attribute(Tg.U, Tg.U, "BACKGROUND").toString();
  if (!back.isEmpty()) {
    if (THTMLPicture *p = FindPicture(back, Attribute(Tg.T, Tg.U, "BACKGROUND").toString())) {
      if (!p->Empty() && p->Width() > 0 && p->Height() > 0) {
        Batch.Flush();
        const int saved = C->SaveDC();
        C->IntersectClipRect(Rect);
        for (int y = Rect.Top; y < Rect.Bottom; y += p->Height())
          for (int x = Rect.Left; x < Rect.Right; x += p->Width())
            p->Draw(C, TRect(x, y, x + p->Width(), y + p->Height()));
        C->RestoreDC(saved);
      }
    }
  }
}

bool TRenderer::OpenControl(TTag &Tg)
{
  TFont *font = C->Font();
  const int lineW = Tg.R.Right - Tg.R.Left;
  QString type, id, value, w, h, prop, maxLen;
  ParseControlTag(Tg.T.mid(1, Tg.T.size() - 2).toString(), type, id, value, w, h, prop, maxLen);
  int cw = 0, height = 25, lh;
  int hv;
  if (ReadNumber(h, hv))
    height = hv;
  const bool box = type == QLatin1String("CHECK") || type == QLatin1String("RADIO");
  int ch;
  if (box) {
    cw = ch = 16;
    lh = 16;
  } else {
    int wv;
    if (ReadNumber(w, wv))
      cw = wv;
    ch = type == QLatin1String("BUTTON") || type == QLatin1String("COMBO") ? 25 : GH + 10;
    lh = height > 25 ? height - 2 : 23;
  }
  if (Tg.Layout && (long long)Tg.X + cw > lineW && cw < lineW)
    return false;
  const int x = Tg.R.Left + Tg.X;
  if (Tg.Hit &&
      (MouseIn(x, Tg.R.Top, x + cw, Tg.R.Top + ch) || (HitTestOnly && !id.isEmpty() && id == ControlIDIn))) {
    ItemHit = true;
    Anchor = QStringLiteral("ctrl");
    ControlRect = TRect(x, Tg.R.Top, x + cw, Tg.R.Top + ch);
    ControlID = id;
    ControlValue = value;
    ControlType = type;
  }
  if (Tg.Paint && !w.isEmpty()) {
    Batch.Flush();
    const TColor pc = C->Pen()->Color(), fc = font->Color(), bc = BrushColor();
    const int b = Tg.R.Bottom, top = b - Tg.H;
    const bool inside = MouseIn(x, Tg.R.Top, x + cw, Tg.R.Top + ch);
    const bool checked = UpperCase(value) == QLatin1String("TRUE");
    C->Pen()->SetColor(TColor(0x808080));
    if (type == QLatin1String("EDIT") || type == QLatin1String("PASSWORD") || type == QLatin1String("MASK") ||
        type == QLatin1String("COMBO")) {
      C->Brush()->SetColor(clWhite);
      C->Rectangle(x, top + 4, x + cw, b + 2);
      SetBrush(clNone);
      const bool combo = type == QLatin1String("COMBO");
      TRect tr(x + (combo ? 4 : 2), top + 4, x + cw - (combo ? 18 : 0), b);
      const QString shown = type == QLatin1String("PASSWORD") ? QString(value.size(), '*') : value;
      font->SetColor(clWindowText);
      DrawTextEx(C, shown, -1, tr, DT_SINGLELINE | DT_VCENTER, nullptr);
      if (combo) {
        TRect br(x + cw - 18, top + 5, x + cw - 1, b + 1);
        DrawFrameControl(C, br, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (inside && MouseDown ? uint32_t(DFCS_PUSHED) : 0u));
      }
    } else if (type == QLatin1String("CHECK")) {
      TRect br(x + 2, b - 15, x + 15, b);
      DrawFrameControl(C, br, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? uint32_t(DFCS_CHECKED) : 0u));
    } else if (type == QLatin1String("RADIO")) {
      TRect br(x + 2, b - 14, x + 14, b);
      DrawFrameControl(C, br, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_FLAT | (checked ? uint32_t(DFCS_CHECKED) : 0u));
    } else if (type == QLatin1String("BUTTON")) {
      TRect br(x + 2, b - height, x + cw - 2, b);
      DrawFrameControl(C, br, DFC_BUTTON, DFCS_BUTTONPUSH | (inside && MouseDown ? uint32_t(DFCS_PUSHED) : 0u));
      TRect tr(br.Left + 2, br.Top + 2, br.Right - 2, br.Bottom - 2);
      SetBrush(clNone);
      font->SetColor(clBtnText);
      DrawTextEx(C, value, -1, tr, DT_SINGLELINE | DT_VCENTER | DT_CENTER, nullptr);
    }
    C->Pen()->SetColor(pc);
    font->SetColor(fc);
    SetBrush(bc);
  }
  Tg.X = Extent((long long)Tg.X + cw);
  Tg.H = std::max(Tg.H, std::max(ch, lh));
  return true;
}

bool TRenderer::OpenError(TTag &Tg)
{
  if (Tg.Paint)
    F.Error = true;
  return true;
}

bool TRenderer::OpenFont(TTag &Tg)
{
  TFont *font = C->Font();
  const QStringView face = Attribute(Tg.U, Tg.U, "FACE");
  if (!face.isEmpty())
    font->SetName(face.toString());
  const QStringView col = Attribute(Tg.U, Tg.U, " COLOR");
  if (!col.isEmpty() && !Selected)
    font->SetColor(ColorValue(col));
  const QStringView bg = Attribute(Tg.U, Tg.U, "BGCOLOR");
  if (!bg.isEmpty() && Tg.Paint && !Selected) {
    F.FontBrush = BrushColor();
    SetBrush(ColorValue(bg));
  }
  const QStringView size = Attribute(Tg.U, Tg.U, "SIZE");
  int sz;
  if (ReadNumber(size, sz)) {
    static const int sizes[] = {8, 10, 12, 14, 16};
    // The font engine's metrics break down long before the number limit.
    font->SetSize(sz >= 1 && sz <= 5 ? sizes[sz - 1] : std::clamp(sz, -FontSizeLimit, FontSizeLimit));
  }
  return true;
}

bool TRenderer::OpenH(TTag &Tg)
{
  TFont *font = C->Font();
  if (Tg.U.startsWith(QLatin1String("<HR"))) {
    Tg.Ends = true;
    if (Tg.Paint) {
      Batch.Flush();
      const TColor pc = C->Pen()->Color();
      const int pw = C->Pen()->Width();
      C->Pen()->SetColor(clBlack);
      C->Pen()->SetWidth(1);
      C->MoveTo(Tg.R.Left, Tg.R.Bottom + 1);
      C->LineTo(Tg.R.Right, Tg.R.Bottom + 1);
      C->Pen()->SetColor(pc);
      C->Pen()->SetWidth(pw);
    }
  } else if (Tg.Paint) {
    F.HiFont = font->Color();
    F.HiBrush = BrushColor();
    SetBrush(HighlightBack);
    font->SetColor(HighlightText);
  }
  return true;
}

bool TRenderer::OpenI(TTag &Tg)
{
  if (Tg.U == QLatin1String("<I>")) {
    SetStyle(fsItalic, true);
  } else if (Tg.U.startsWith(QLatin1String("<IND"))) {
    int v;
    if (ReadNumber(Attribute(Tg.U, Tg.U, "X"), v) && v > Tg.X)
      Tg.X = v;
  } else if (Tg.U.startsWith(QLatin1String("<IMG"))) {
    return Image(Tg);
  }
  return true;
}

// An inline picture: from the image list ("IDX:n"), the container or a URL.
bool TRenderer::Image(TTag &Tg)
{
  const int lineW = Tg.R.Right - Tg.R.Left;
  ++F.Pictures;
  const int number = F.Pictures;
  QString src = Attribute(Tg.U, Tg.U, "SRC").toString(), srcWritten = Attribute(Tg.T, Tg.U, "SRC").toString();
  const QStringView alt = Attribute(Tg.U, Tg.U, "ALT");
  if (number == HoverPicture && !alt.isEmpty()) {
    src = alt.toString();
    srcWritten = Attribute(Tg.T, Tg.U, "ALT").toString();
  }
  int gw = -1, gh = -1;
  int v;
  if (ReadNumber(Attribute(Tg.U, Tg.U, "WIDTH"), v))
    gw = v;
  if (ReadNumber(Attribute(Tg.U, Tg.U, "HEIGHT"), v))
    gh = v;
  const int dpi = C->DeviceDpiX();
  int pw = 0, ph = 0, dw = 0, dh = 0;
  THTMLPicture *pic = nullptr;
  int index = -1;
  if (src.startsWith(QLatin1String("IDX:"))) {
    if (Images && ReadNumber(src.mid(4), index) && index >= 0 && index < Images->Count()) {
      pw = Images->Width() * dpi / 96;
      ph = Images->Height() * dpi / 96;
      dw = Printing ? int(Images->Width() * PrintScale) : Images->Width();
      dh = Printing ? int(Images->Height() * PrintScale) : Images->Height();
    }
  } else if (!src.startsWith(QLatin1String("SSYS:")) && !src.startsWith(QLatin1String("LSYS:"))) {
    pic = (src.contains(':') && !src.contains(QLatin1String("://"))) ? nullptr : FindPicture(src, srcWritten);
    if (pic && !pic->Empty() && pic->Width() > 0 && pic->Height() > 0) {
      const int nw = pic->Width(), nh = pic->Height();
      if (gw >= 0 && gh >= 0) {
        dw = gw;
        dh = gh;
      } else if (gw >= 0) {
        dw = gw;
        dh = std::min(Extent(double(gw) * nh / nw + 0.5), NumberLimit);
      } else if (gh >= 0) {
        dh = gh;
        dw = std::min(Extent(double(gh) * nw / nh + 0.5), NumberLimit);
      } else {
        dw = pic->MaxWidth();
        dh = pic->MaxHeight();
      }
      pw = Extent((long long)dw * dpi / 96);
      ph = Extent((long long)dh * dpi / 96);
    } else {
      pic = nullptr;
    }
  }
  if (pw > 0 && ph > 0) {
    if (Tg.Layout && (long long)Tg.X + pw > lineW && pw < lineW) {
      --F.Pictures;
      return false;
    }
    const int x = Tg.R.Left + Tg.X;
    if (Tg.Hit && F.InAnchor && MouseIn(x, Tg.R.Top, x + pw, Tg.R.Top + ph)) {
      ItemHit = true;
      Anchor = F.Href;
      AnchorTitle = F.Title;
      F.AnchorHit = true;
      HoverPicture = number;
    }
    if (Tg.Paint) {
      Batch.Flush();
      if (pic) {
        const bool stretch = pic->Stretch();
        pic->SetStretch(true);
        pic->Draw(C, TRect(x, Tg.R.Top, x + dw, Tg.R.Top + dh));
        pic->SetStretch(stretch);
      } else if (Printing) {
        TBitmap bmp;
        Images->GetBitmap(index, &bmp);
        C->StretchDraw(TRect(x, Tg.R.Top, x + dw, Tg.R.Top + dh), &bmp);
      } else {
        Images->Draw(C, x, Tg.R.Top, index);
      }
    }
    Tg.X = Extent((long long)Tg.X + pw);
    Tg.H = std::max(Tg.H, ph);
  }
  if (Tg.U.contains(QLatin1String("\"TOP")))
    Lift = Tg.H - GH;
  else if (Tg.U.contains(QLatin1String("\"MIDDLE")))
    Lift = (Tg.H - GH) / 2;
  return true;
}

bool TRenderer::OpenListItem(TTag &Tg)
{
  TFont *font = C->Font();
  if (Tg.LiSeen)
    return false;
  Tg.LiSeen = true;
  const int level = std::clamp(F.ListLevel, 1, NumberLimit);
  if (Tg.Paint) {
    const QString name = font->Name();
    font->SetName(QStringLiteral("Symbol"));
    TRect br(Tg.R.Left + Tg.X + (level - 1) * 12, Tg.R.Top, Tg.R.Right, Tg.R.Bottom);
    Batch.Add(level % 2 ? QString(QChar(0x00B7)) : QStringLiteral("o"), br, DT_SINGLELINE | DT_NOPREFIX);
    font->SetName(name);
  }
  Tg.X = Extent((long long)Tg.X + level * 12);
  return true;
}

bool TRenderer::OpenParagraph(TTag &Tg)
{
  const QStringView align = Attribute(Tg.U, Tg.U, "ALIGN");
  if (align.contains(QLatin1String("RIGHT")))
    Align = 1;
  if (align.contains(QLatin1String("LEFT")))
    Align = 0;
  if (align.contains(QLatin1String("CENTER")))
    Align = 2;
  int v;
  if (ReadNumber(Attribute(Tg.U, Tg.U, "INDENT"), v))
    Indent = v;
  const QStringView bg = Attribute(Tg.U, Tg.U, "BGCOLOR");
  if (!bg.isEmpty() && Tg.Paint) {
    F.ParaBrush = BrushColor();
    F.ParaColor = ColorValue(bg);
    F.ParaBack = true;
    Batch.Flush();
    SetBrush(F.ParaColor);
    C->FillRect(TRect(Rect.Left, Tg.R.Top, Rect.Right, Tg.R.Top + Tg.H));
    SetBrush(F.ParaBrush);
  }
  return true;
}

bool TRenderer::OpenRotation(TTag &Tg)
{
  TFont *font = C->Font();
  const int a = int(Tg.U.indexOf('A', 2));
  int deg = 0;
  if (a >= 0)
    ReadNumber(Attribute(Tg.U.mid(a), Tg.U.mid(a), "A"), deg);
  F.Orientation = font->Orientation();
  font->SetOrientation(deg * 10);
  return true;
}

bool TRenderer::OpenS(TTag &Tg)
{
  if (Tg.U == QLatin1String("<SUB>"))
    F.Sub = true;
  else if (Tg.U == QLatin1String("<SUP>"))
    F.Sup = true;
  else if (Tg.U.startsWith(QLatin1String("<SHAD")))
    F.Shadow = true;
  else
    SetStyle(fsStrikeOut, true);
  return true;
}

bool TRenderer::OpenU(TTag &Tg)
{
  if (Tg.U == QLatin1String("<U>")) {
    SetStyle(fsUnderline, true);
  } else {
    ++F.ListLevel;
    Tg.Ends = true;
  }
  return true;
}

bool TRenderer::OpenHidden(TTag &)
{
  F.Hidden = true;
  return true;
}

bool TRenderer::CloseAnchor(TTag &Tg)
{
  TFont *font = C->Font();
  SetStyle(fsUnderline, false);
  if (F.HoverApplied) {
    if (HoverColor != clNone)
      SetBrush(F.HoverBrush);
    if (HoverFontColor != clNone)
      font->SetColor(F.HoverFont);
    F.HoverApplied = false;
  }
  if (!Selected)
    font->SetColor(Base.Color());
  F.InAnchor = false;
  if (F.AnchorHit) {
    AnchorRect =
        TRect(F.AnchorTop == Tg.R.Top ? Tg.R.Left + F.AnchorX : Tg.R.Left, Tg.R.Top, Tg.R.Left + Tg.X, Tg.R.Bottom);
    MouseAnchor = F.Anchors;
    F.AnchorHit = false;
  }
  if (Tg.Paint && F.Anchors == FocusLink + 1)
    FocusRect(Tg.R, F.AnchorTop == Tg.R.Top ? F.AnchorX : 0, Tg.X);
  return true;
}

bool TRenderer::CloseBold(TTag &Tg)
{
  TFont *font = C->Font();
  if (Tg.U == QLatin1String("</B>"))
    SetStyle(fsBold, false);
  else
    font->SetColor(Base.Color());
  return true;
}

bool TRenderer::CloseError(TTag &)
{
  F.Error = false;
  return true;
}

bool TRenderer::CloseFont(TTag &Tg)
{
  TFont *font = C->Font();
  font->SetName(Base.Name());
  font->SetSize(Base.Size());
  if (Tg.Paint && !Selected) {
    font->SetColor(Base.Color());
    SetBrush(F.FontBrush);
  }
  return true;
}

bool TRenderer::CloseHighlight(TTag &Tg)
{
  TFont *font = C->Font();
  if (Tg.Paint && F.HiFont != clNone) {
    font->SetColor(F.HiFont);
    SetBrush(F.HiBrush);
  }
  return true;
}

bool TRenderer::CloseItalic(TTag &)
{
  SetStyle(fsItalic, false);
  return true;
}

bool TRenderer::CloseListItem(TTag &Tg)
{
  Tg.Ends = true;
  return true;
}

bool TRenderer::CloseParagraph(TTag &Tg)
{
  Tg.Ends = true;
  if (Tg.Paint && F.ParaBack)
    SetBrush(F.ParaBrush);
  F.ParaBack = false;
  return true;
}

bool TRenderer::CloseRotation(TTag &)
{
  TFont *font = C->Font();
  font->SetOrientation(F.Orientation);
  return true;
}

bool TRenderer::CloseS(TTag &Tg)
{
  if (Tg.U.size() > 3 && Tg.U[3] == 'H')
    F.Shadow = false;
  else if (Tg.U.size() > 3 && Tg.U[3] == 'U')
    F.Sub = F.Sup = false;
  else
    SetStyle(fsStrikeOut, false);
  return true;
}

bool TRenderer::CloseU(TTag &Tg)
{
  if (Tg.U == QLatin1String("</UL>") && F.ListLevel >= 1)
    --F.ListLevel;
  else if (Tg.U == QLatin1String("</U>") || F.ListLevel == 0)
    SetStyle(fsUnderline, false);
  return true;
}

bool TRenderer::CloseHidden(TTag &)
{
  F.Hidden = false;
  return true;
}

}  // namespace

void SetHTMLHighlightColors(TColor Background, TColor Text)
{
  HighlightBack = Background;
  HighlightText = Text;
}

TColor HTMLColorByName(const QString &Name)
{
  struct Entry {
    const char *Name;
    TColor Color;
  };
  static const Entry basic[] = {
      {"clred", 0x0000FF},    {"clblack", 0x000000}, {"clblue", 0xFF0000},   {"clgreen", 0x008000},
      {"claqua", 0xFFFF00},   {"clyellow", 0x00FFFF}, {"clfuchsia", 0xFF00FF}, {"clwhite", 0xFFFFFF},
      {"cllime", 0x00FF00},   {"clsilver", 0xC0C0C0}, {"clgray", 0x808080},   {"clolive", 0x008080},
      {"clnavy", 0x800000},   {"clpurple", 0x800080}, {"clteal", 0x808000},   {"clmaroon", 0x000080},
  };
  for (const Entry &e : basic)
    if (Name == QLatin1String(e.Name))
      return e.Color;
  static const char *const system[] = {
      "clbackground", "clactivecaption", "clinactivecaption", "clmenu", "clwindow", "clwindowframe",
      "clmenutext", "clwindowtext", "clcaptiontext", "clactiveborder", "clinactiveborder", "clappworkspace",
      "clhighlight", "clhighlighttext", "clbtnface", "clbtnshadow", "clgraytext", "clbtntext",
      "clinactivecaptiontext", "clbtnhighlight", "cl3ddkshadow", "cl3dlight", "clinfotext", "clinfobk"};
  for (int i = 0; i < 24; ++i)
    if (Name == QLatin1String(system[i]))
      return TColor(0xFF000000u + uint32_t(i + 1));
  return 0;
}

TColor HTMLColorByHex(const QString &Text)
{
  if (Text.size() < 7)
    return 0;
  const QString u = UpperCase(Text);
  auto hex = [&](int i, bool &ok) {
    const QChar c = u[i];
    if (c >= '0' && c <= '9')
      return c.unicode() - '0';
    if (c >= 'A' && c <= 'F')
      return c.unicode() - 'A' + 10;
    ok = false;
    return 0;
  };
  bool ok = true;
  const int r = hex(1, ok) * 16 + hex(2, ok);
  const int g = hex(3, ok) * 16 + hex(4, ok);
  const int b = hex(5, ok) * 16 + hex(6, ok);
  return ok ? TColor(r | (g << 8) | (b << 16)) : 0;
}

bool RenderHTMLText(TCanvas *Canvas, const QString &Text, const TRect &Rect, TImageList *Images,
                    int MouseX, int MouseY, int FocusLink, int HoverLink, int ShadowOffset,
                    bool HitTestOnly, bool MeasureOnly, bool Printing, bool Selected, bool BlinkOn,
                    bool HoverOnly, bool WordWrap, bool MouseDown, double PrintScale,
                    TColor URLColor, TColor HoverColor, TColor HoverFontColor, TColor ShadowColor,
                    QString &Anchor, QString &PlainText, QString &FocusAnchor, QString &AnchorTitle,
                    int &Width, int &Height, int &AnchorCount, int &MouseAnchor, TRect &AnchorRect,
                    TRect &ControlRect, QString &ControlID, QString &ControlValue, QString &ControlType,
                    THTMLPictureCache *PictureCache, TPictureContainer *Pictures, HWND Window,
                    TMarkupReadingOrder ReadingOrder)
{
  (void)Window;       // owner of theme data; this platform draws controls unthemed
  (void)ReadingOrder; // mirroring applies to Middle-East system locales only
  TRenderer r{Canvas, Rect, Images, MouseX, MouseY, FocusLink, HoverLink, ShadowOffset, HitTestOnly, MeasureOnly,
              Printing, Selected, BlinkOn, HoverOnly, WordWrap, MouseDown, PrintScale, URLColor, HoverColor,
              HoverFontColor, ShadowColor, PictureCache, Pictures, ControlID, Anchor, PlainText, FocusAnchor,
              AnchorTitle, Width, AnchorCount, MouseAnchor, AnchorRect, ControlRect, ControlID, ControlValue,
              ControlType, {}, clNone, 0, 0, {}, -1, 0, 0, 0, 0, 0, false, false};
  TCanvas *C = Canvas;
  const TColor penColor = C->Pen()->Color();
  const int penWidth = C->Pen()->Width();
  const TColor brushColor = C->Brush()->Color();
  const TBrushStyle brushStyle = C->Brush()->Style();
  r.EntryBrush = r.BrushColor();
  r.Base.Assign(C->Font());
  C->Brush()->SetStyle(bsClear);

  ControlRect = TRect(0, 0, 0, 0);
  Anchor.clear();
  // The shown text is collected piece by piece: room for all of it at once, kept from the
  // caller's last call where it can be.
  PlainText.resize(0);
  PlainText.reserve(Text.size());
  FocusAnchor.clear();
  AnchorTitle.clear();
  ControlValue.clear();
  ControlType.clear();
  if (!HitTestOnly)
    ControlID.clear();
  Width = Height = AnchorCount = 0;
  MouseAnchor = -1;
  TRect lr = Rect;
  lr.Left += 1;
  C->SetBkMode(TRANSPARENT);
  r.Format = DT_SINGLELINE | DT_BOTTOM | DT_EXTERNALLEADING | DT_EXPANDTABS | (WordWrap ? 0u : uint32_t(DT_END_ELLIPSIS));

  const QString s = Prepare(Text);
  int pos = 0;
  r.Record = !MeasureOnly;
  if (r.Record)
    r.Items.reserve(32);
  r.GH = r.TextHeight();
  const int startGH = r.GH;
  bool result = false;
  // The first pass hit-tests when painting (it feeds the hover picture) or measuring; a
  // hit-test call does it on the positioned second pass.
  const bool hitFirst = !HitTestOnly;
  TFont lineFont;
  while (pos < s.size()) {
    // The second pass replays the line from the style it started with.
    if (!MeasureOnly)
      lineFont.Assign(C->Font());
    const TColor lineBrush = r.BrushColor();
    const TFlags lineFlags = MeasureOnly ? TFlags{} : r.F;
    r.GH = r.TextHeight();
    int h = r.GH;
    r.SubH = r.SupH = r.Lift = 0;
    r.LineHit = r.ItemHit = false;
    const int w0 = Width;
    Width = 0;
    r.Line(s, pos, TRect(lr.Left, lr.Top, lr.Right, lr.Top + h), true, false, hitFirst, h);
    const int lineW = Width;
    Width = std::max(w0, lineW);
    int x = lr.Left;
    if (r.Align == 1 && lr.Right - lineW > lr.Left)
      x = lr.Right - lineW;
    else if (r.Align == 2 && lr.Right - lr.Left - lineW > 0)
      x = lr.Left + (lr.Right - lr.Left - lineW) / 2;
    x += r.Indent;
    const int bottom = lr.Top + h + r.SubH + r.SupH;
    const TRect pr(x, lr.Top, lr.Right, bottom);
    if (!MeasureOnly) {
      C->Font()->Assign(lineFont);
      r.SetBrush(lineBrush);
      r.F = lineFlags;
      r.Line(s, pos, pr, false, !HitTestOnly, HitTestOnly, h);
    }
    if (r.ItemHit || (r.LineHit && MouseY > bottom - r.Lift - r.GH && MouseY < bottom - r.Lift))
      result = true;
    const int step = h + r.SubH + r.SupH;
    lr.Top = Extent((long long)lr.Top + step);
    Height = Extent((long long)Height + step);
    if (!MeasureOnly && lr.Top + startGH > Rect.Bottom)
      break;
  }
  if (Height == 0)
    Height = startGH;
  r.Batch.Flush();
  C->Pen()->SetColor(penColor);
  C->Pen()->SetWidth(penWidth);
  C->Brush()->SetColor(brushColor);
  C->Brush()->SetStyle(brushStyle);
  C->Font()->Assign(&r.Base);
  C->SetBkMode(TRANSPARENT);
  return result;
}
