// The button face: colour presets, the stateless painter and the glyphs of the kinds.
#include "ui/lbbutton.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr TColor kMagenta = 0xFF00FF;

// ---------------------------------------------------------------------------------------
// Glyphs of the kinds, drawn here: two cells (normal, disabled) on an olive background.

constexpr TColor kGlyphBack = clOlive;

void Px(TBitmap &b, int x, int y, TColor c) { b.Canvas()->SetPixels(x, y, c); }

void Block(TBitmap &b, int l, int t, int r, int bt, TColor c)
{
  b.Canvas()->Brush()->SetColor(c);
  b.Canvas()->FillRect(Rect(l, t, r, bt));
}

// The disabled cell: the normal cell's shape embossed in white and grey.
void MakeDisabledCell(TBitmap &b)
{
  const int h = b.Height();
  const int cw = b.Width() / 2;
  std::vector<std::pair<int, int>> shape;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < cw; ++x)
      if (b.Canvas()->Pixels(x, y) != kGlyphBack)
        shape.emplace_back(x, y);
  for (auto [x, y] : shape)
    if (x + 1 < cw && y + 1 < h)
      Px(b, cw + x + 1, y + 1, clWhite);
  for (auto [x, y] : shape)
    Px(b, cw + x, y, clGray);
}

void Check(TBitmap &b, int dx, int dy, TColor c)
{
  // A thick tick from (3,9) down to (7,13) and up to (14,4).
  for (int i = 0; i <= 4; ++i)
    Block(b, dx + 3 + i, dy + 8 + i, dx + 4 + i, dy + 11 + i, c);
  for (int i = 0; i <= 7; ++i)
    Block(b, dx + 8 + i, dy + 11 - i, dx + 9 + i, dy + 14 - i, c);
}

void Cross(TBitmap &b, TColor c)
{
  for (int i = 0; i < 10; ++i) {
    Block(b, 4 + i, 4 + i, 6 + i, 5 + i, c);
    Block(b, 13 - i, 4 + i, 15 - i, 5 + i, c);
  }
}

void NewStrip(TBitmap &b, int h)
{
  b.SetSize(36, h);
  Block(b, 0, 0, 36, h, kGlyphBack);
}

void Finish(TBitmap &src, TBitmap &dest)
{
  MakeDisabledCell(src);
  dest.AssignGraphic(&src);
}

void PaintLetter(TBitmap &b, const QString &text, TColor c)
{
  TCanvas *cv = b.Canvas();
  cv->Font()->SetName(QStringLiteral("Arial"));
  cv->Font()->SetHeight(-16);
  cv->Font()->SetStyle({fsBold});
  cv->Font()->SetColor(c);
  cv->Font()->SetQuality(fqNonAntialiased);
  cv->Brush()->SetStyle(bsClear);
  TRect r = Rect(0, 0, 18, 18);
  cv->DrawText(text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

void RegisterLbButtonBitmaps()
{
  static bool done = false;
  if (done)
    return;
  done = true;
  RegisterResourceBitmap(QStringLiteral("LBOK"), [](TBitmap &d) {
    TBitmap b;
    NewStrip(b, 18);
    Check(b, 0, 0, clGreen);
    Finish(b, d);
  });
  RegisterResourceBitmap(QStringLiteral("LBYES"), [](TBitmap &d) {
    TBitmap b;
    NewStrip(b, 18);
    Check(b, 0, 0, clGreen);
    Finish(b, d);
  });
  RegisterResourceBitmap(QStringLiteral("LBCANCEL"), [](TBitmap &d) {
    TBitmap b;
    NewStrip(b, 18);
    Cross(b, clRed);
    Finish(b, d);
  });
  RegisterResourceBitmap(QStringLiteral("LBABORT"), [](TBitmap &d) {
    TBitmap b;
    NewStrip(b, 18);
    b.Canvas()->Pen()->SetColor(clMaroon);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->Ellipse(2, 2, 16, 16);
    Block(b, 5, 8, 13, 10, clWhite);
    Finish(b, d);
  });
  RegisterResourceBitmap(QStringLiteral("LBNO"), [](TBitmap &d) {
    TBitmap b;
    NewStrip(b, 18);
    b.Canvas()->Pen()->SetColor(clRed);
    b.Canvas()->Pen()->SetWidth(2);
    b.Canvas()->Brush()->SetStyle(bsClear);
    b.Canvas()->Ellipse(3, 3, 16, 16);
    b.Canvas()->MoveTo(5, 13);
    b.Canvas()->LineTo(14, 4);
    Finish(b, d);
  });
  RegisterResourceBitmap(QStringLiteral("LBHELP"), [](TBitmap &d) {
    TBitmap b;
    NewStrip(b, 18);
    PaintLetter(b, QStringLiteral("?"), clNavy);
    Finish(b, d);
  });
  RegisterResourceBitmap(QStringLiteral("LBIGNORE"), [](TBitmap &d) {
    TBitmap b;
    NewStrip(b, 18);
    // A skip arrow: a bar and an arrow jumping over it.
    Block(b, 8, 3, 10, 15, clGray);
    b.Canvas()->Pen()->SetColor(clNavy);
    b.Canvas()->Pen()->SetWidth(2);
    b.Canvas()->MoveTo(3, 12);
    b.Canvas()->LineTo(9, 5);
    b.Canvas()->LineTo(14, 12);
    Block(b, 12, 10, 16, 13, clNavy);
    Finish(b, d);
  });
  RegisterResourceBitmap(QStringLiteral("LBRETRY"), [](TBitmap &d) {
    TBitmap b;
    NewStrip(b, 18);
    b.Canvas()->Pen()->SetColor(clNavy);
    b.Canvas()->Pen()->SetWidth(2);
    b.Canvas()->Arc(3, 3, 15, 15, 15, 6, 9, 3);
    b.Canvas()->Pen()->SetWidth(1);
    b.Canvas()->Brush()->SetColor(clNavy);
    b.Canvas()->Polygon({TPoint(11, 1), TPoint(15, 4), TPoint(11, 7)});
    Finish(b, d);
  });
  RegisterResourceBitmap(QStringLiteral("LBCLOSE"), [](TBitmap &d) {
    TBitmap b;
    NewStrip(b, 18);
    // An open door.
    Block(b, 4, 2, 14, 16, clMaroon);
    Block(b, 5, 3, 13, 16, clYellow);
    b.Canvas()->Brush()->SetColor(clTeal);
    b.Canvas()->Polygon({TPoint(5, 3), TPoint(10, 5), TPoint(10, 17), TPoint(5, 15)});
    Px(b, 9, 10, clBlack);
    Finish(b, d);
  });
  RegisterResourceBitmap(QStringLiteral("LBALL"), [](TBitmap &d) {
    TBitmap b;
    NewStrip(b, 19);
    Check(b, -2, -2, clGreen);
    Check(b, 2, 3, clGreen);
    Finish(b, d);
  });
  RegisterResourceBitmap(QStringLiteral("LBARROW"), [](TBitmap &d) {
    d.SetSize(5, 3);
    Block(d, 0, 0, 5, 3, kGlyphBack);
    Block(d, 0, 0, 5, 1, clBlack);
    Block(d, 1, 1, 4, 2, clBlack);
    Block(d, 2, 2, 3, 3, clBlack);
  });
}

// ---------------------------------------------------------------------------------------
// Presets

TLbColorStyleColors GetColorStyleColors(TLbColorStyle Style)
{
  TLbColorStyleColors c;
  auto row = [&](TColor color, TColor light, TColor shadow, TColor down, TColor hot, TColor font, bool flat, bool modern, bool quicken) {
    c.Color = color;
    c.LightColor = light;
    c.ShadowColor = shadow;
    c.ColorWhenDown = down;
    c.HotTrackColor = hot;
    c.FontColor = font;
    c.Flat = flat;
    c.Modern = modern;
    c.Quicken = quicken;
  };
  switch (Style) {
  case lcsGold: row(0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF, clBlack, false, true, false); break;
  case lcsChrome: row(0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone, clBlack, false, true, false); break;
  case lcsBlue: row(0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone, clBlack, false, true, false); break;
  case lcsRed: row(0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone, clBlack, false, true, false); break;
  case lcsUltraFlat1: row(clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, clBlack, true, false, false); break;
  case lcsUltraFlat2: row(clBtnFace, clBlack, clBlack, 0x24DABC, 0x8CF6E4, clBlack, true, false, false); break;
  case lcsUltraFlatXP: row(0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, clBlack, true, false, false); break;
  case lcsAqua: row(0xECCE94, 0xFCE6D4, clBlack, clNone, clNone, clBlack, false, true, false); break;
  case lcsDefault: row(clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone, clBlack, false, false, false); break;
  case lcsQuicken: row(0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, 0xFFFFFF, false, false, true); break;
  case lcsCustom: break;
  }
  return c;
}

// ---------------------------------------------------------------------------------------
// Painter

void LbGradientFill(TCanvas *Canvas, const TRect &Rect, TColor StartColor, TColor EndColor)
{
  const TColor s = ColorToRGB(StartColor), e = ColorToRGB(EndColor);
  const int extent = Rect.Bottom - Rect.Top;
  const int band = extent / 31 + 1;
  const TPenStyle oldPen = Canvas->Pen()->Style();
  for (int i = 0; i <= 31; ++i) {
    const int top = Rect.Top + i * extent / 31;
    const int bottom = std::min(top + band, Rect.Bottom);
    auto channel = [&](int a, int b) { return int(std::trunc(a + i * (b - a) / 31.0)); };
    const TColor c = i == 31 ? e
                             : RGB(channel(GetRValue(s), GetRValue(e)), channel(GetGValue(s), GetGValue(e)),
                                   channel(GetBValue(s), GetBValue(e)));
    Canvas->Brush()->SetColor(c);
    Canvas->FillRect(TRect(Rect.Left, top, Rect.Right, bottom));
  }
  Canvas->Pen()->SetStyle(oldPen);
}

namespace {

void DrawGlyphCell(TCanvas *Canvas, const TBitmap *Glyph, int Index, int GW, int GH, int X, int Y)
{
  if (!Glyph || GW <= 0 || GH <= 0 || (Index + 1) * GW > Glyph->Width())
    return;
  // The cell alone, transparent by its own lower-left pixel.
  TBitmap cell;
  cell.SetSize(GW, GH);
  cell.Canvas()->CopyRect(Rect(0, 0, GW, GH), Glyph->Canvas(), Rect(Index * GW, 0, Index * GW + GW, GH));
  cell.SetTransparentMode(tmAuto);
  cell.SetTransparent(true);
  Canvas->Draw(X, Y, &cell);
}

int AlignFlag(TAlignment a)
{
  switch (a) {
  case taLeftJustify: return DT_LEFT;
  case taRightJustify: return DT_RIGHT;
  default: return DT_CENTER;
  }
}

// What the painting steps share: the face, and what follows from it once.
struct TLbPaint {
  TCanvas *Canvas;
  const TLbButtonFace &Face;
  int W, H;
  bool Down;    // never down while disabled
  int Offset;   // the contents move one pixel while down, except in the Encarta look
  TColor Fill;  // the face colour after hot tracking and the down colour
  int GW, GH;   // one glyph cell
  int Glyph_Index;
};

// The face colour, tinted towards the hot-track colour by the step.
TColor Face_Fill(const TLbButtonFace &Face, bool Down)
{
  TColor fill = ColorToRGB(Face.Color);
  if (Face.Enabled && Face.HotTrackColor != clNone) {
    const double s = Face.HotTrackStep / 8.0;
    const TColor h = ColorToRGB(Face.HotTrackColor);
    auto mix = [&](int a, int b) { return int(std::trunc((1 - s) * a + s * b)); };
    fill = RGB(mix(GetRValue(fill), GetRValue(h)), mix(GetGValue(fill), GetGValue(h)), mix(GetBValue(fill), GetBValue(h)));
  }
  if (Down && Face.ColorWhenDown != clNone)
    fill = Face.ColorWhenDown;
  return fill;
}

// The glyph cell by state: 0 up, 1 disabled, 2 down, 3 hot (when the glyph has that many).
int Glyph_Index(const TLbButtonFace &Face, bool Down)
{
  if (!Face.Enabled)
    return 1;
  int index = 0;
  if (Face.Hot && Face.NumGlyphs > 3)
    index = 3;
  if (Down && Face.NumGlyphs > 2)
    index = 2;
  return index;
}

void Paint_Background(const TLbPaint &P)
{
  TCanvas *Canvas = P.Canvas;
  const int W = P.W, H = P.H;
  Canvas->Pen()->SetStyle(psSolid);
  switch (P.Face.Style) {
  case bsShape:
    Canvas->Brush()->SetColor(kMagenta);
    Canvas->FillRect(Rect(-1, -1, W + 1, H + 1));
    break;
  case bsNormal:
  case bsEncarta:
  case bsOld:
    Canvas->Brush()->SetColor(P.Fill);
    Canvas->FillRect(Rect(-1, -1, W + 1, H + 1));
    break;
  case bsModern:
    Canvas->Pen()->SetStyle(psClear);
    LbGradientFill(Canvas, Rect(2, 2, W - 2, H / 4 + P.Offset), P.Face.LightColor, P.Fill);
    LbGradientFill(Canvas, Rect(2, H / 4 + P.Offset, W - 2, H - 1), P.Fill, P.Face.LightColor);
    Canvas->Pen()->SetStyle(psSolid);
    break;
  case bsQuicken:
    break;
  }
  Canvas->Brush()->SetStyle(bsClear);
}

// The raised (or, down, sunken) edge of the flat looks.
void Paint_Edge(const TLbPaint &P)
{
  TCanvas *Canvas = P.Canvas;
  const TLbButtonFace &F = P.Face;
  Canvas->Pen()->SetColor(P.Down ? F.ShadowColor : F.LightColor);
  Canvas->MoveTo(0, P.H - 1);
  Canvas->LineTo(0, 0);
  Canvas->LineTo(P.W - 1, 0);
  Canvas->Pen()->SetColor(P.Down ? F.LightColor : F.ShadowColor);
  Canvas->LineTo(P.W - 1, P.H - 1);
  Canvas->LineTo(0, P.H - 1);
}

// The old look's double edge: the inner shadow line, then the outer edge in the dark shadow.
void Paint_Old_Edge(const TLbPaint &P)
{
  TCanvas *Canvas = P.Canvas;
  const TLbButtonFace &F = P.Face;
  const int W = P.W, H = P.H;
  Canvas->Pen()->SetColor(F.ShadowColor);
  if (P.Down) {
    Canvas->MoveTo(1, H - 3);
    Canvas->LineTo(1, 1);
    Canvas->LineTo(W - 2, 1);
  } else {
    Canvas->MoveTo(W - 2, 0);
    Canvas->LineTo(W - 2, H - 2);
    Canvas->LineTo(0, H - 2);
  }
  Canvas->Pen()->SetColor(P.Down ? cl3DDkShadow : F.LightColor);
  Canvas->MoveTo(0, H - 1);
  Canvas->LineTo(0, 0);
  Canvas->LineTo(W - 1, 0);
  Canvas->Pen()->SetColor(P.Down ? F.LightColor : cl3DDkShadow);
  Canvas->LineTo(W - 1, H - 1);
  Canvas->LineTo(-1, H - 1);
}

void Paint_Quicken_Frame(const TLbPaint &P)
{
  TCanvas *Canvas = P.Canvas;
  Canvas->Pen()->SetStyle(psClear);
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(P.Fill);
  Canvas->RoundRect(0, 1, P.W, P.H, 4, 4);
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->Pen()->SetStyle(psSolid);
  Canvas->Pen()->SetColor(P.Face.ShadowColor);
  Canvas->MoveTo(4, 0);
  Canvas->LineTo(P.W - 5, 0);
  Canvas->MoveTo(4, P.H - 1);
  Canvas->LineTo(P.W - 5, P.H - 1);
}

void Paint_Frame(const TLbPaint &P)
{
  TCanvas *Canvas = P.Canvas;
  const TLbButtonFace &F = P.Face;
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetMode(pmCopy);
  // A flat button shows its edge only under the mouse or while down.
  const bool edge = (F.Enabled && (!F.Flat || F.Hot || P.Down)) || (!F.Enabled && !F.Flat);
  switch (F.Style) {
  case bsNormal:
  case bsEncarta:
    if (edge)
      Paint_Edge(P);
    break;
  case bsOld:
    if (edge)
      Paint_Old_Edge(P);
    break;
  case bsModern:
    Canvas->Pen()->SetColor(P.Down ? F.ShadowColor : P.Fill);
    Canvas->Rectangle(1, 1, P.W - 1, P.H - 1);
    Canvas->Pen()->SetColor(F.ShadowColor);
    Canvas->RoundRect(0, 0, P.W, P.H, 6, 6);
    break;
  case bsQuicken:
    Paint_Quicken_Frame(P);
    break;
  case bsShape:
    break;
  }
}

void Select_Font(const TLbPaint &P)
{
  if (P.Face.Font)
    P.Canvas->Font()->Assign(*P.Face.Font);
  if (P.Face.Style == bsEncarta && P.Down)
    P.Canvas->Font()->SetStyle(P.Canvas->Font()->Style() + fsBold);
}

// The caption cut to the width limit (unless wrapped), and its extent wrapped at that limit.
struct TCaptionFit {
  QString Text;
  int Width = 0;
  int Height = 0;
};

TCaptionFit Fit_Caption(const TLbPaint &P, int Limit)
{
  TCaptionFit fit{P.Face.Caption};
  if (!P.Face.WordWrap)
    while (!fit.Text.isEmpty() && P.Canvas->TextWidth(fit.Text) > Limit)
      fit.Text.chop(1);
  TRect m = Rect(0, 0, Limit, 0);
  P.Canvas->DrawText(fit.Text, m, DT_CALCRECT | DT_WORDBREAK);
  fit.Height = m.Height();
  fit.Width = m.Width();
  return fit;
}

// Where the caption (its box Limit wide) and the glyph go.
struct TContentPlace {
  TCaptionFit Caption;
  int Limit = 0;
  int TX = 0, TY = 0;
  int GX = 0, GY = 0;
};

// Glyph left or right of the caption.
TContentPlace Place_Beside(const TLbPaint &P)
{
  const TLbButtonFace &F = P.Face;
  const int W = P.W, H = P.H, GW = P.GW, GH = P.GH, offset = P.Offset;
  TContentPlace c;
  c.Limit = std::max(W - 8 - (GW > 0 ? GW + 4 : 0), 0);
  c.Caption = Fit_Caption(P, c.Limit);
  c.TY = (H - c.Caption.Height) / 2 + offset;
  c.TX = offset + 4;
  c.GY = (H - GH) / 2 + offset;
  const int TWp = c.Caption.Text.isEmpty() ? 0 : c.Caption.Width + 4;
  if (F.Layout == TLbButtonLayout::blGlyphLeft) {
    if (GW > 0)
      c.TX += GW + 4;
    c.GX = offset + 4;
    if (!F.WordWrap) {
      if (F.Alignment == taRightJustify)
        c.GX = W - 4 - GW - TWp + offset;
      else if (F.Alignment == taCenter)
        c.GX = (W - GW) / 2 + offset - TWp / 2;
    }
  } else {
    c.GX = c.TX + TWp;
    if (!F.WordWrap) {
      if (F.Alignment == taRightJustify)
        c.GX = W - 4 + offset - GW;
      else if (F.Alignment == taCenter)
        c.GX = (W - GW) / 2 + offset + TWp / 2;
    }
  }
  return c;
}

// Glyph above or below the caption.
TContentPlace Place_Stacked(const TLbPaint &P)
{
  const TLbButtonFace &F = P.Face;
  const int W = P.W, H = P.H, GW = P.GW, GH = P.GH, offset = P.Offset;
  TContentPlace c;
  c.Limit = std::max(W - 8, 0);
  c.Caption = Fit_Caption(P, c.Limit);
  const int TH = c.Caption.Height;
  const int T = TH + (GH > 0 ? GH + 4 : 0);
  c.TX = offset + 4;
  if (F.Layout == TLbButtonLayout::blGlyphTop) {
    c.TY = (H - T) / 2 + GH + offset;
    c.GY = (H - T) / 2 + offset;
  } else {
    c.TY = (H - T) / 2 + offset;
    c.GY = (H - T) / 2 + TH + offset;
  }
  if (F.Alignment == taLeftJustify)
    c.GX = offset + 4;
  else if (F.Alignment == taRightJustify)
    c.GX = W - GW - 4 + offset;
  else
    c.GX = (W - GW) / 2 + offset;
  return c;
}

// The shape look: the glyph centred, the caption centred over it.
void Paint_Shape_Contents(const TLbPaint &P)
{
  const TCaptionFit caption = Fit_Caption(P, std::max(P.W - 8, 0));
  DrawGlyphCell(P.Canvas, P.Face.Glyph, P.Glyph_Index, P.GW, P.GH, (P.W - P.GW) / 2, (P.H - P.GH) / 2);
  TRect r = Rect(P.Offset, (P.H - caption.Height) / 2 + P.Offset, P.W, P.H);
  P.Canvas->DrawText(caption.Text, r, DT_WORDBREAK | DT_CENTER);
}

void Paint_Contents(const TLbPaint &P)
{
  const TLbButtonLayout layout = P.Face.Layout;
  const TContentPlace c = layout == TLbButtonLayout::blGlyphLeft || layout == TLbButtonLayout::blGlyphRight
                              ? Place_Beside(P)
                              : Place_Stacked(P);
  if (!P.Face.Enabled)
    P.Canvas->Font()->SetColor(0x808080);
  TRect r = Rect(c.TX, c.TY, c.TX + c.Limit, c.TY + c.Caption.Height);
  P.Canvas->DrawText(c.Caption.Text, r, DT_WORDBREAK | AlignFlag(P.Face.Alignment));
  DrawGlyphCell(P.Canvas, P.Face.Glyph, P.Glyph_Index, P.GW, P.GH, c.GX, c.GY);
}

void Paint_Popup_Arrow(const TLbPaint &P)
{
  TBitmap arrow;
  RegisterLbButtonBitmaps();
  if (ResourceBitmap(QStringLiteral("LBARROW"), arrow))
    DrawTransparentBitmap(P.Canvas, P.W - 11, P.H / 2 - 1, &arrow);
}

}  // namespace

void DrawLbButton(TCanvas *Canvas, const TLbButtonFace &Face)
{
  if (!Canvas)
    return;
  const bool Down = Face.Down && Face.Enabled;
  const TBitmap *Glyph = Face.Glyph;
  const TLbPaint P{.Canvas = Canvas,
                   .Face = Face,
                   .W = Face.Width,
                   .H = Face.Height,
                   .Down = Down,
                   .Offset = (Down && Face.Style != bsEncarta) ? 1 : 0,
                   .Fill = Face_Fill(Face, Down),
                   .GW = (Face.NumGlyphs > 0 && Glyph) ? Glyph->Width() / Face.NumGlyphs : 0,
                   .GH = Glyph ? Glyph->Height() : 0,
                   .Glyph_Index = Glyph_Index(Face, Down)};
  Paint_Background(P);
  Paint_Frame(P);
  Select_Font(P);
  if (Face.Style == bsShape)
    Paint_Shape_Contents(P);
  else
    Paint_Contents(P);
  if (Face.HasPopupMenu)
    Paint_Popup_Arrow(P);
}
