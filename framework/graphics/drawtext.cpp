// DrawText / DrawTextEx with the platform's formatting flags, and the GDI entry points
// that take a canvas handle.
#include "framework/graphics/graphics.h"
#include "framework/graphics/text_cache.h"

#include <QFontMetrics>
#include <QPainter>
#include <QVarLengthArray>

#include <algorithm>

namespace {

const QString kEllipsis = QStringLiteral("...");

struct Line {
  QString Text;       // display text (prefix characters removed)
  int Underline = -1; // index of the underlined character, -1 for none
};

// Measures and draws text with tab stops every TabWidth pixels from the line start.
struct TextEngine {
  QFont Font;
  bool ExpandTabs;
  int TabWidth;

  int Advance(const QString &s) const { return TextCache::Advance(Font, s); }
  int Width(const QString &s) const
  {
    if (!s.contains(QLatin1Char('\t')))
      return Advance(s);
    int x = 0;
    int start = 0;
    for (int i = 0; i <= s.size(); ++i) {
      if (i == s.size() || s[i] == QLatin1Char('\t')) {
        x += Advance(s.mid(start, i - start));
        if (i < s.size() && ExpandTabs && TabWidth > 0)
          x = (x / TabWidth + 1) * TabWidth;
        start = i + 1;
      }
    }
    return x;
  }
};

// Removes the prefix characters: "&x" underlines x, "&&" is one "&".
Line StripPrefix(const QString &s, bool process)
{
  Line l;
  if (!process) {
    l.Text = s;
    return l;
  }
  if (!s.contains(QLatin1Char('&'))) {
    l.Text = s;
    return l;
  }
  l.Text.reserve(s.size());
  for (int i = 0; i < s.size(); ++i) {
    if (s[i] == QLatin1Char('&')) {
      if (i + 1 < s.size() && s[i + 1] == QLatin1Char('&')) {
        l.Text += QLatin1Char('&');
        ++i;
        continue;
      }
      if (i + 1 < s.size()) {
        if (l.Underline < 0)
          l.Underline = int(l.Text.size());
        continue;
      }
      continue;  // a trailing "&" shows nothing
    }
    l.Text += s[i];
  }
  return l;
}

// Greedy word wrap at blanks; blanks at a break are dropped. A word wider than the line
// is broken between characters only in edit-control mode.
std::vector<Line> Wrap(const Line &para, int width, const TextEngine &te, bool breakWords)
{
  std::vector<Line> out;
  const QString &t = para.Text;
  if (t.isEmpty()) {
    out.push_back(para);
    return out;
  }
  int pos = 0;
  const int n = int(t.size());
  while (pos < n) {
    int lineEnd = pos;     // end of the text that fits
    int lastBreak = -1;    // end of the last word that fits
    int i = pos;
    while (i < n) {
      // next word end
      int j = i;
      while (j < n && t[j] == QLatin1Char(' '))
        ++j;
      while (j < n && t[j] != QLatin1Char(' '))
        ++j;
      if (te.Width(t.mid(pos, j - pos)) <= width || lastBreak < 0) {
        if (te.Width(t.mid(pos, j - pos)) > width && lastBreak < 0) {
          // first word is too wide
          if (breakWords) {
            int k = pos + 1;
            while (k < j && te.Width(t.mid(pos, k + 1 - pos)) <= width)
              ++k;
            lineEnd = k;
            lastBreak = k;
            break;
          }
          lineEnd = j;
          lastBreak = j;
          i = j;
          break;
        }
        lineEnd = j;
        lastBreak = j;
        i = j;
        continue;
      }
      break;
    }
    if (lastBreak < 0)
      lineEnd = std::max(pos + 1, lineEnd);
    Line l;
    int end = lineEnd;
    while (end > pos && t[end - 1] == QLatin1Char(' '))
      --end;
    l.Text = t.mid(pos, end - pos);
    if (para.Underline >= pos && para.Underline < end)
      l.Underline = para.Underline - pos;
    out.push_back(l);
    pos = lineEnd;
    while (pos < n && t[pos] == QLatin1Char(' '))
      ++pos;
  }
  return out;
}

void EndEllipsis(Line &l, int width, const TextEngine &te)
{
  if (te.Width(l.Text) <= width)
    return;
  int k = int(l.Text.size());
  while (k > 0 && te.Width(l.Text.left(k) + kEllipsis) > width)
    --k;
  l.Text = l.Text.left(k) + kEllipsis;
  if (l.Underline >= k)
    l.Underline = -1;
}

void PathEllipsis(Line &l, int width, const TextEngine &te)
{
  if (te.Width(l.Text) <= width)
    return;
  const int sep = std::max(l.Text.lastIndexOf(QLatin1Char('\\')), l.Text.lastIndexOf(QLatin1Char('/')));
  if (sep < 0) {
    EndEllipsis(l, width, te);
    return;
  }
  QString head = l.Text.left(sep);
  const QString tail = l.Text.mid(sep);
  while (!head.isEmpty() && te.Width(head + kEllipsis + tail) > width)
    head.chop(1);
  l.Underline = -1;
  if (te.Width(head + kEllipsis + tail) <= width) {
    l.Text = head + kEllipsis + tail;
    return;
  }
  l.Text = kEllipsis + tail;
  EndEllipsis(l, width, te);
}

// The text's paragraphs: one line alone, or split at the line breaks (none for SINGLELINE).
QVarLengthArray<QString, 1> Paragraphs(const QString &Text, bool Single)
{
  QVarLengthArray<QString, 1> paras;
  if (!Text.contains(QLatin1Char('\r')) && !Text.contains(QLatin1Char('\n'))) {
    // One paragraph, the usual cell text: nothing to replace or split.
    paras.append(Text);
  } else if (Single) {
    QString s = Text;
    s.remove(QLatin1Char('\r'));
    s.remove(QLatin1Char('\n'));
    paras.append(s);
  } else {
    QString s = Text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList split = s.split(QLatin1Char('\n'));
    // A final line break starts no further line.
    if (split.size() > 1 && split.last().isEmpty())
      split.removeLast();
    paras.append(split.constData(), split.size());
  }
  return paras;
}

// The lines to draw: prefixes taken out, words wrapped and ellipses applied by the flags.
QVarLengthArray<Line, 1> LayOutLines(const QString &Text, uint32_t Format, int Width, const TextEngine &te)
{
  const bool single = (Format & DT_SINGLELINE) != 0;
  const bool prefix = !(Format & DT_NOPREFIX);
  QVarLengthArray<Line, 1> lines;
  for (const QString &p : Paragraphs(Text, single)) {
    Line l = StripPrefix(p, prefix);
    if (!te.ExpandTabs && l.Text.contains(QLatin1Char('\t')))
      l.Text.remove(QLatin1Char('\t'));
    if ((Format & DT_WORDBREAK) && !single) {
      for (Line &w : Wrap(l, Width, te, (Format & DT_EDITCONTROL) != 0))
        lines.push_back(w);
    } else {
      lines.push_back(l);
    }
  }
  for (Line &l : lines) {
    if (Format & DT_PATH_ELLIPSIS)
      PathEllipsis(l, Width, te);
    else if (Format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
      EndEllipsis(l, Width, te);
  }
  if (single && lines.size() > 1)
    lines.resize(1);
  return lines;
}

}  // namespace

int TCanvas::DrawText(const QString &Text, TRect &Rect, uint32_t Format, DRAWTEXTPARAMS *Params)
{
  int tabChars = 8;
  if (Format & DT_TABSTOP) {
    tabChars = int((Format >> 8) & 0xFF);
    Format &= ~uint32_t(0xFF00);
  }
  if (Params && Params->iTabLength > 0)
    tabChars = Params->iTabLength;
  // Layout runs in device pixels; results go back to logical units.
  const int leftMargin = DeviceLengthX(Params ? Params->iLeftMargin : 0);
  const int rightMargin = DeviceLengthX(Params ? Params->iRightMargin : 0);
  const TRect D = ToDevice(Rect);
  const int ySign = (Mapped() && ScaleY() < 0) ? -1 : 1;
  if (Params)
    Params->uiLengthDrawn = uint32_t(Text.size());

  const QFont qf = DeviceFont();
  TextEngine te{qf, (Format & DT_EXPANDTABS) != 0, 0};
  if (Text.contains(QLatin1Char('\t')))
    te.TabWidth = tabChars * QFontMetrics(qf).averageCharWidth();
  const TextCache::TMetrics fm = TextCache::Metrics(qf);
  int lineHeight = fm.Ascent + fm.Descent;
  if (Format & DT_EXTERNALLEADING)
    lineHeight += std::max(0, fm.Leading);

  const bool single = (Format & DT_SINGLELINE) != 0;
  const bool calc = (Format & DT_CALCRECT) != 0;

  if (!calc && FLog) {
    Record(QStringLiteral("DrawText(%1,%2,%3,%4,'%5',$%6) font=%7,%8,%9")
               .arg(Rect.Left).arg(Rect.Top).arg(Rect.Right).arg(Rect.Bottom)
               .arg(QString(Text).replace(QLatin1Char('\''), QStringLiteral("''")).replace(QLatin1Char('\r'), QStringLiteral("\\r")).replace(QLatin1Char('\n'), QStringLiteral("\\n")))
               .arg(Format, 0, 16)
               .arg(FFont->Name()).arg(FFont->Height()).arg(ColorToString(CurrentTextColor())) +
           (FBkMode == OPAQUE ? QStringLiteral(" bk=%1").arg(ColorToString(FBkColor)) : QString()));
  }

  if (Text.isEmpty()) {
    if (calc) {
      Rect.Right = Rect.Left;
      Rect.Bottom = single ? Rect.Top + ySign * LogicalLengthY(lineHeight) : Rect.Top;
    }
    return calc && !single ? 0 : LogicalLengthY(lineHeight);
  }

  const int left = D.Left + leftMargin;
  const int right = D.Right - rightMargin;
  QVarLengthArray<Line, 1> lines = LayOutLines(Text, Format, right - left, te);

  // Each line measured once, for the extent and for its placement.
  QVarLengthArray<int, 4> widths;
  int maxWidth = 0;
  for (const Line &l : lines) {
    widths.append(te.Width(l.Text));
    maxWidth = std::max(maxWidth, widths.back());
  }
  const int total = lineHeight * int(lines.size());

  if (calc) {
    Rect.Right = Rect.Left + LogicalLengthX(maxWidth + leftMargin + rightMargin);
    Rect.Bottom = Rect.Top + ySign * LogicalLengthY(total);
    return LogicalLengthY(total);
  }

  int y = D.Top;
  if (single) {
    if (Format & DT_VCENTER)
      y = (D.Top + D.Bottom - lineHeight) / 2;
    else if (Format & DT_BOTTOM)
      y = D.Bottom - lineHeight;
  }
  Changing();
  const bool clip = !(Format & DT_NOCLIP);
  const bool opaque = FBkMode == OPAQUE;
  const bool prefixOnly = (Format & DT_PREFIXONLY) != 0;
  const bool hidePrefix = (Format & DT_HIDEPREFIX) != 0;
  int drawn = 0;
  for (const Line &l : lines) {
    if ((Format & DT_EDITCONTROL) && drawn > 0 && y + lineHeight > D.Bottom)
      break;  // no partly visible last line
    const int w = widths[drawn];
    int x = left;
    if (Format & DT_CENTER)
      x = (left + right - w) / 2;
    else if (Format & DT_RIGHT)
      x = right - w;
    const int ul = hidePrefix ? -1 : l.Underline;
    const TRect *c = clip ? &D : nullptr;
    if (!l.Text.contains(QLatin1Char('\t'))) {
      DrawTextLine(x, y, l.Text, ul, opaque, c, prefixOnly, w);
    } else {
      // Each tab-separated run at its tab stop.
      int start = 0, px = 0;
      for (int i = 0; i <= l.Text.size(); ++i) {
        if (i == l.Text.size() || l.Text[i] == QLatin1Char('\t')) {
          const QString run = l.Text.mid(start, i - start);
          const int runUl = (ul >= start && ul < i) ? ul - start : -1;
          DrawTextLine(x + px, y, run, runUl, opaque, c, prefixOnly);
          px += te.Advance(run);
          if (i < l.Text.size() && te.TabWidth > 0)
            px = (px / te.TabWidth + 1) * te.TabWidth;
          start = i + 1;
        }
      }
    }
    y += lineHeight;
    ++drawn;
  }
  Changed();
  if (single && (Format & (DT_VCENTER | DT_BOTTOM)))
    return LogicalLengthY(y - D.Top);
  return LogicalLengthY(total);
}

// ---------------------------------------------------------------------------------------
// Batched single-line pieces

namespace {

// What a held-back piece may ask for; anything else is DrawText's.
constexpr uint32_t BatchFormats = DT_SINGLELINE | DT_BOTTOM | DT_VCENTER | DT_EXTERNALLEADING | DT_EXPANDTABS |
                                  DT_NOPREFIX | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS;
constexpr uint32_t Ellipses = DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS;

// Line breaks and tabs take DrawText's paths.
bool OneRun(QStringView S)
{
  for (const QChar c : S)
    if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
      return false;
  return true;
}

// Pieces are a few characters long: a plain loop is cheaper than the library's search.
bool HasAmpersand(QStringView S)
{
  for (const QChar c : S)
    if (c == QLatin1Char('&'))
      return true;
  return false;
}

// The face of an unmapped canvas's font. Text flips between a few fonts (bold on, bold
// off, a size for a span), so the last few are kept by the values that make the Qt font,
// sparing the conversion and the font lookup per piece. A slot also remembers the font
// revision it last answered, so a font unchanged since is found without comparing values.
TextCache::TFace &CanvasFace(const TCanvas &C)
{
  struct TSlot {
    QString Name;
    int Height = 0, PixelsPerInch = 0, Quality = 0, Pitch = 0;
    uint64_t Style = 0, Revision = 0;
    TextCache::TFaceRef Face;
  };
  struct TRecent {
    TSlot Slots[8];
    int Next = 0, Last = 0, Generation = -1;
  };
  thread_local TRecent recent;
  const TFont &f = *C.Font();
  const uint64_t revision = f.Revision();
  const int generation = TextCache::Generation();
  if (recent.Generation != generation) {
    for (TSlot &s : recent.Slots) {
      s.Face.reset();
      s.Revision = 0;
    }
    recent.Generation = generation;
  } else if (recent.Slots[recent.Last].Revision == revision) {
    return *recent.Slots[recent.Last].Face;
  }
  const auto same = [&f](const TSlot &s) {
    return s.Face && s.Height == f.Height() && s.Style == f.Style().Bits() && s.PixelsPerInch == f.PixelsPerInch() &&
           s.Quality == int(f.Quality()) && s.Pitch == int(f.Pitch()) && s.Name == f.Name();
  };
  for (int i = 0; i < 8; ++i)
    if (recent.Slots[i].Revision == revision || same(recent.Slots[i])) {
      recent.Last = i;
      recent.Slots[i].Revision = revision;
      return *recent.Slots[i].Face;
    }
  recent.Last = recent.Next;
  TSlot &s = recent.Slots[recent.Next];
  recent.Next = (recent.Next + 1) % 8;
  s = TSlot{f.Name(), f.Height(), f.PixelsPerInch(), int(f.Quality()), int(f.Pitch()), f.Style().Bits(), revision,
            TextCache::Face(C.DeviceFont())};
  return *s.Face;
}

}  // namespace

struct TTextBatch::TPiece {
  TColor Color;
  TextCache::TShaped Shaped;
  QRect Clip;  // null when the glyphs stay inside the piece's rectangle
};

TTextBatch::TTextBatch(TCanvas *Canvas) : FCanvas(Canvas)
{
  // A cell's text is a dozen pieces or so: room for them at once.
  FPieces.reserve(16);
}

TTextBatch::~TTextBatch() { Flush(); }

void TTextBatch::Add(QStringView Text, const TRect &Rect, uint32_t Format)
{
  TCanvas *c = FCanvas;
  QPainter *p = nullptr;
  if (!c->FLog && !c->Mapped() && (Format & DT_SINGLELINE) && !(Format & ~BatchFormats) && c->FBkMode != OPAQUE &&
      c->FFont->Orientation() == 0 && OneRun(Text) && (p = c->TextPainter())) {
    const bool prefix = !(Format & DT_NOPREFIX) && HasAmpersand(Text);
    const Line l = prefix ? StripPrefix(Text.toString(), true) : Line();
    const QStringView shown = prefix ? QStringView(l.Text) : Text;
    const TRect D = c->ToDevice(Rect);
    QRect inside(D.Left, D.Top, std::max(0, D.Width()), std::max(0, D.Height()));
    bool plain = true;
    if (c->FHasClip || c->FHasDeviceArea) {
      QRegion canvasClip;
      c->PainterClip(canvasClip);
      plain = canvasClip.rectCount() == 1;
      inside &= canvasClip.boundingRect();
    }
    if (l.Underline < 0 && plain) {
      // Placed as DrawText places a single line.
      TextCache::TFace &face = CanvasFace(*c);
      const TextCache::TMetrics m = TextCache::Metrics(face);
      int lineHeight = m.Ascent + m.Descent;
      if (Format & DT_EXTERNALLEADING)
        lineHeight += std::max(0, m.Leading);
      int y = D.Top;
      if (Format & DT_VCENTER)
        y = (D.Top + D.Bottom - lineHeight) / 2;
      else if (Format & DT_BOTTOM)
        y = D.Bottom - lineHeight;
      TPiece piece{c->CurrentTextColor(), {}, {}};
      const TextCache::TDrawn done = TextCache::Shape(*p, face, D.Left, y + m.Ascent, shown, &inside, piece.Shaped);
      if (done != TextCache::Refused && !((Format & Ellipses) && piece.Shaped.Advance > D.Right - D.Left)) {
        if (done == TextCache::Outside)
          piece.Clip = inside.isEmpty() ? QRect() : inside;
        if (!piece.Shaped.Runs.isEmpty() && (done == TextCache::Drawn || !piece.Clip.isNull()))
          FPieces.push_back(std::move(piece));
        return;
      }
    }
  }
  Flush();
  TRect r = Rect;
  c->DrawText(Text.toString(), r, Format);
}

void TTextBatch::Flush()
{
  if (FPieces.empty())
    return;
  TCanvas *c = FCanvas;
  QPainter *p = c->TextPainter();
  if (!p) {
    FPieces.clear();
    return;
  }
  c->Changing();
  const QPen pen = p->pen();
  const bool smooth = p->testRenderHint(QPainter::Antialiasing);
  // A painter without a clip of its own takes each piece's rectangle in place of none,
  // which is much cheaper than saving and restoring its state per piece.
  const bool ownClip = p->hasClipping();
  bool clipped = false;
  p->setRenderHint(QPainter::Antialiasing, true);
  for (size_t i = 0; i < FPieces.size(); ++i) {
    const TPiece &piece = FPieces[i];
    if (i == 0 || piece.Color != FPieces[i - 1].Color)
      p->setPen(ColorToQColor(piece.Color));
    if (piece.Clip.isNull()) {
      if (clipped)
        p->setClipping(false);
      clipped = false;
      TextCache::DrawShaped(*p, piece.Shaped);
    } else if (!ownClip) {
      p->setClipRect(piece.Clip, Qt::ReplaceClip);
      clipped = true;
      TextCache::DrawShaped(*p, piece.Shaped);
    } else {
      p->save();
      p->setClipRect(piece.Clip, Qt::IntersectClip);
      TextCache::DrawShaped(*p, piece.Shaped);
      p->restore();
    }
  }
  if (clipped)
    p->setClipping(false);
  p->setPen(pen);
  p->setRenderHint(QPainter::Antialiasing, smooth);
  FPieces.clear();
  c->Changed();
}

int TTextBatch::Width(QStringView Text, uint32_t Format) const
{
  if (!FCanvas->Mapped() && OneRun(Text)) {
    // Text measured on a canvas that paints through a painter is shaped for it at once:
    // the caller is about to draw it.
    TextCache::TFace &face = CanvasFace(*FCanvas);
    QPainter *p = FCanvas->FLog ? nullptr : FCanvas->TextPainter();
    if ((Format & DT_NOPREFIX) || !HasAmpersand(Text))
      return TextCache::Advance(face, Text, p);
    return TextCache::Advance(face, StripPrefix(Text.toString(), true).Text, p);
  }
  TRect r(0, 0, 0x3FFFFFFF, 0);
  FCanvas->DrawText(Text.toString(), r, (Format & ~Ellipses) | DT_SINGLELINE | DT_CALCRECT);
  return r.Right - r.Left;
}

int TTextBatch::Height() const
{
  const TextCache::TMetrics m =
      FCanvas->Mapped() ? TextCache::Metrics(FCanvas->DeviceFont()) : TextCache::Metrics(CanvasFace(*FCanvas));
  return FCanvas->LogicalLengthY(m.Ascent + m.Descent);
}

// ---------------------------------------------------------------------------------------
// Entry points on a canvas handle

int DrawText(HDC DC, const QString &Text, int Count, TRect &Rect, uint32_t Format)
{
  if (!DC)
    return 0;
  return DC->DrawText(Count < 0 ? Text : Text.left(Count), Rect, Format);
}

int DrawTextEx(HDC DC, const QString &Text, int Count, TRect &Rect, uint32_t Format, DRAWTEXTPARAMS *Params)
{
  if (!DC)
    return 0;
  return DC->DrawText(Count < 0 ? Text : Text.left(Count), Rect, Format, Params);
}

bool ExtTextOut(HDC DC, int X, int Y, uint32_t Options, const TRect *Rect, const QString &Text)
{
  if (!DC)
    return false;
  DC->ExtTextOut(X, Y, Options, Rect, Text);
  return true;
}

bool TextOut(HDC DC, int X, int Y, const QString &Text)
{
  return ExtTextOut(DC, X, Y, 0, nullptr, Text);
}

bool FillRect(HDC DC, const TRect &Rect, TColor Color)
{
  if (!DC)
    return false;
  // The brush change also moves the background colour, so the text state is saved first.
  const int mode = DC->BkMode();
  const TColor bk = DC->BkColor();
  TBrush saved;
  saved.Assign(*DC->Brush());
  DC->Brush()->SetColor(Color);
  DC->Brush()->SetStyle(bsSolid);
  DC->FillRect(Rect);
  DC->Brush()->Assign(saved);
  DC->SetBkMode(mode);
  DC->SetBkColor(bk);
  return true;
}

bool FrameRect(HDC DC, const TRect &Rect, TColor Color)
{
  if (!DC)
    return false;
  TBrush saved;
  saved.Assign(*DC->Brush());
  DC->Brush()->SetColor(Color);
  DC->Brush()->SetStyle(bsSolid);
  DC->FrameRect(Rect);
  const int mode = DC->BkMode();
  const TColor bk = DC->BkColor();
  DC->Brush()->Assign(saved);
  DC->SetBkMode(mode);
  DC->SetBkColor(bk);
  return true;
}

bool DrawFocusRect(HDC DC, const TRect &Rect)
{
  if (!DC)
    return false;
  DC->DrawFocusRect(Rect);
  return true;
}

bool InvertRect(HDC DC, const TRect &Rect)
{
  if (!DC)
    return false;
  DC->InvertRect(Rect);
  return true;
}

int SetBkMode(HDC DC, int Mode) { return DC ? DC->SetBkMode(Mode) : 0; }
TColor SetBkColor(HDC DC, TColor Color) { return DC ? DC->SetBkColor(Color) : clNone; }
TColor SetTextColor(HDC DC, TColor Color) { return DC ? DC->SetTextColor(Color) : clNone; }
uint32_t SetTextAlign(HDC DC, uint32_t Align) { return DC ? DC->SetTextAlign(Align) : 0; }
int SaveDC(HDC DC) { return DC ? DC->SaveDC() : 0; }
bool RestoreDC(HDC DC, int Saved) { return DC ? DC->RestoreDC(Saved) : false; }

int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom)
{
  return DC ? DC->IntersectClipRect(TRect(Left, Top, Right, Bottom)) : RGN_ERROR;
}

int ExcludeClipRect(HDC DC, int Left, int Top, int Right, int Bottom)
{
  return DC ? DC->ExcludeClipRect(TRect(Left, Top, Right, Bottom)) : RGN_ERROR;
}

int SelectClipRgn(HDC DC, const QRegion *Region) { return DC ? DC->SelectClipRgn(Region) : RGN_ERROR; }

bool SetWindowOrgEx(HDC DC, int X, int Y, TPoint *Old)
{
  if (!DC)
    return false;
  const TPoint o = DC->SetWindowOrg(TPoint(X, Y));
  if (Old)
    *Old = o;
  return true;
}

bool GetWindowOrgEx(HDC DC, TPoint *Org)
{
  if (!DC || !Org)
    return false;
  *Org = DC->WindowOrg();
  return true;
}

bool SetViewportOrgEx(HDC DC, int X, int Y, TPoint *Old)
{
  if (!DC)
    return false;
  const TPoint o = DC->SetViewportOrg(TPoint(X, Y));
  if (Old)
    *Old = o;
  return true;
}

bool MoveWindowOrg(HDC DC, int DX, int DY)
{
  if (!DC)
    return false;
  DC->MoveWindowOrg(DX, DY);
  return true;
}

bool GetTextExtentPoint32(HDC DC, const QString &Text, TSize &Size)
{
  if (!DC)
    return false;
  Size = DC->TextExtent(Text);
  return true;
}

bool GetTextMetrics(HDC DC, TEXTMETRIC &Metrics)
{
  if (!DC)
    return false;
  Metrics = FontTextMetrics(*DC->Font());
  return true;
}

int SetMapMode(HDC DC, int Mode) { return DC ? DC->SetMapMode(Mode) : 0; }
int GetMapMode(HDC DC) { return DC ? DC->MapMode() : 0; }

bool SetWindowExtEx(HDC DC, int X, int Y, TSize *Old)
{
  if (!DC)
    return false;
  const TSize o = DC->SetWindowExt(TSize(X, Y));
  if (Old)
    *Old = o;
  return true;
}

bool SetViewportExtEx(HDC DC, int X, int Y, TSize *Old)
{
  if (!DC)
    return false;
  const TSize o = DC->SetViewportExt(TSize(X, Y));
  if (Old)
    *Old = o;
  return true;
}

bool GetWindowExtEx(HDC DC, TSize *Ext)
{
  if (!DC || !Ext)
    return false;
  *Ext = DC->WindowExt();
  return true;
}

bool GetViewportExtEx(HDC DC, TSize *Ext)
{
  if (!DC || !Ext)
    return false;
  *Ext = DC->ViewportExt();
  return true;
}

bool GetViewportOrgEx(HDC DC, TPoint *Org)
{
  if (!DC || !Org)
    return false;
  *Org = DC->ViewportOrg();
  return true;
}

bool DPtoLP(HDC DC, TPoint *Points, int Count)
{
  if (!DC || !Points)
    return false;
  const TPoint o = DC->DeviceOrigin();
  for (int i = 0; i < Count; ++i)
    Points[i] = DC->FromDevice(TPoint(Points[i].X + o.X, Points[i].Y + o.Y));
  return true;
}

bool LPtoDP(HDC DC, TPoint *Points, int Count)
{
  if (!DC || !Points)
    return false;
  const TPoint o = DC->DeviceOrigin();
  for (int i = 0; i < Count; ++i) {
    const TPoint d = DC->ToDevice(Points[i]);
    Points[i] = TPoint(d.X - o.X, d.Y - o.Y);
  }
  return true;
}

int GetDeviceCaps(HDC DC, int Index) { return DC ? DC->DeviceCaps(Index) : 0; }

int GetClipBox(HDC DC, TRect &Rect)
{
  if (!DC)
    return RGN_ERROR;
  Rect = DC->ClipRect();
  const QRegion r = DC->EffectiveClip();
  return r.isEmpty() ? NULLREGION : (r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

QRegion CreateRectRgn(int Left, int Top, int Right, int Bottom)
{
  if (Right <= Left || Bottom <= Top)
    return QRegion();
  return QRegion(Left, Top, Right - Left, Bottom - Top);
}

int CombineRgn(QRegion &Dest, const QRegion &Src1, const QRegion &Src2, int Mode)
{
  switch (Mode) {
  case RGN_AND: Dest = Src1 & Src2; break;
  case RGN_OR: Dest = Src1 | Src2; break;
  case RGN_XOR: Dest = Src1 ^ Src2; break;
  case RGN_DIFF: Dest = Src1 - Src2; break;
  case RGN_COPY: Dest = Src1; break;
  default: return RGN_ERROR;
  }
  return Dest.isEmpty() ? NULLREGION : (Dest.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

int CombineRgn(TRegion &Dest, const TRegion &Src1, const TRegion &Src2, int Mode)
{
  QRegion d = Dest.Region();
  const int kind = CombineRgn(d, Src1.Region(), Src2.Region(), Mode);
  Dest = d;
  return kind;
}

int GetClipRgn(HDC DC, QRegion &Region)
{
  if (!DC || !DC->HasClipRegion())
    return 0;
  Region = DC->ClipRegionDevice().Region();
  return 1;
}
