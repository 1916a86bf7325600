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

}  // namespace

void DrawLbButton(TCanvas *Canvas, const TLbButtonFace &Face)
{
  if (!Canvas)
    return;
  const int Width = Face.Width, Height = Face.Height, HotTrackStep = Face.HotTrackStep, NumGlyphs = Face.NumGlyphs;
  const TBitmap *Glyph = Face.Glyph;
  bool Down = Face.Down;
  const bool Hot = Face.Hot, Enabled = Face.Enabled, Flat = Face.Flat, WordWrap = Face.WordWrap;
  const bool HasPopupMenu = Face.HasPopupMenu;
  const TLbButtonStyle Style = Face.Style;
  const TColor Color = Face.Color, ColorWhenDown = Face.ColorWhenDown, HotTrackColor = Face.HotTrackColor;
  const TColor LightColor = Face.LightColor, ShadowColor = Face.ShadowColor;
  const TFont *Font = Face.Font;
  const TLbButtonLayout Layout = Face.Layout;
  const QString &Caption = Face.Caption;
  const TAlignment Alignment = Face.Alignment;
  const int W = Width, H = Height;
  if (!Enabled)
    Down = false;
  const int offset = (Down && Style != bsEncarta) ? 1 : 0;

  // Face colour, tinted towards the hot-track colour by the step.
  TColor face = ColorToRGB(Color);
  if (Enabled && HotTrackColor != clNone) {
    const double s = HotTrackStep / 8.0;
    const TColor h = ColorToRGB(HotTrackColor);
    auto mix = [&](int a, int b) { return int(std::trunc((1 - s) * a + s * b)); };
    face = RGB(mix(GetRValue(face), GetRValue(h)), mix(GetGValue(face), GetGValue(h)), mix(GetBValue(face), GetBValue(h)));
  }
  if (Down && ColorWhenDown != clNone)
    face = ColorWhenDown;

  // Background
  Canvas->Pen()->SetStyle(psSolid);
  switch (Style) {
  case bsShape:
    Canvas->Brush()->SetColor(kMagenta);
    Canvas->FillRect(Rect(-1, -1, W + 1, H + 1));
    break;
  case bsNormal:
  case bsEncarta:
  case bsOld:
    Canvas->Brush()->SetColor(face);
    Canvas->FillRect(Rect(-1, -1, W + 1, H + 1));
    break;
  case bsModern:
    Canvas->Pen()->SetStyle(psClear);
    LbGradientFill(Canvas, Rect(2, 2, W - 2, H / 4 + offset), LightColor, face);
    LbGradientFill(Canvas, Rect(2, H / 4 + offset, W - 2, H - 1), face, LightColor);
    Canvas->Pen()->SetStyle(psSolid);
    break;
  case bsQuicken:
    break;
  }
  Canvas->Brush()->SetStyle(bsClear);

  // Frame
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetMode(pmCopy);
  const bool frame = (Enabled && (!Flat || Hot || Down)) || (!Enabled && !Flat);
  switch (Style) {
  case bsNormal:
  case bsEncarta:
    if (frame) {
      Canvas->Pen()->SetColor(Down ? ShadowColor : LightColor);
      Canvas->MoveTo(0, H - 1);
      Canvas->LineTo(0, 0);
      Canvas->LineTo(W - 1, 0);
      Canvas->Pen()->SetColor(Down ? LightColor : ShadowColor);
      Canvas->LineTo(W - 1, H - 1);
      Canvas->LineTo(0, H - 1);
    }
    break;
  case bsOld:
    if (frame) {
      Canvas->Pen()->SetColor(ShadowColor);
      if (Down) {
        Canvas->MoveTo(1, H - 3);
        Canvas->LineTo(1, 1);
        Canvas->LineTo(W - 2, 1);
      } else {
        Canvas->MoveTo(W - 2, 0);
        Canvas->LineTo(W - 2, H - 2);
        Canvas->LineTo(0, H - 2);
      }
      Canvas->Pen()->SetColor(Down ? cl3DDkShadow : LightColor);
      Canvas->MoveTo(0, H - 1);
      Canvas->LineTo(0, 0);
      Canvas->LineTo(W - 1, 0);
      Canvas->Pen()->SetColor(Down ? LightColor : cl3DDkShadow);
      Canvas->LineTo(W - 1, H - 1);
      Canvas->LineTo(-1, H - 1);
    }
    break;
  case bsModern:
    Canvas->Pen()->SetColor(Down ? ShadowColor : face);
    Canvas->Rectangle(1, 1, W - 1, H - 1);
    Canvas->Pen()->SetColor(ShadowColor);
    Canvas->RoundRect(0, 0, W, H, 6, 6);
    break;
  case bsQuicken:
    Canvas->Pen()->SetStyle(psClear);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(face);
    Canvas->RoundRect(0, 1, W, H, 4, 4);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetColor(ShadowColor);
    Canvas->MoveTo(4, 0);
    Canvas->LineTo(W - 5, 0);
    Canvas->MoveTo(4, H - 1);
    Canvas->LineTo(W - 5, H - 1);
    break;
  case bsShape:
    break;
  }

  // Font
  if (Font)
    Canvas->Font()->Assign(*Font);
  if (Style == bsEncarta && Down)
    Canvas->Font()->SetStyle(Canvas->Font()->Style() + fsBold);

  // Glyph cell
  const int GW = (NumGlyphs > 0 && Glyph) ? Glyph->Width() / NumGlyphs : 0;
  const int GH = Glyph ? Glyph->Height() : 0;
  int index;
  if (!Enabled) {
    index = 1;
  } else {
    index = 0;
    if (Hot && NumGlyphs > 3)
      index = 3;
    if (Down && NumGlyphs > 2)
      index = 2;
  }
  const uint32_t format = DT_WORDBREAK | AlignFlag(Alignment);

  // Caption cut to the width limit (unless wrapped) and measured wrapped.
  QString text = Caption;
  int TH = 0, TW = 0;
  auto fit = [&](int L) {
    if (!WordWrap)
      while (!text.isEmpty() && Canvas->TextWidth(text) > L)
        text.chop(1);
    TRect m = Rect(0, 0, L, 0);
    Canvas->DrawText(text, m, DT_CALCRECT | DT_WORDBREAK);
    TH = m.Height();
    TW = m.Width();
  };

  if (Style == bsShape) {
    const int L = std::max(W - 8, 0);
    fit(L);
    DrawGlyphCell(Canvas, Glyph, index, GW, GH, (W - GW) / 2, (H - GH) / 2);
    TRect r = Rect(offset, (H - TH) / 2 + offset, W, H);
    Canvas->DrawText(text, r, DT_WORDBREAK | DT_CENTER);
  } else {
    int L, TX, TY, GX, GY;
    if (Layout == TLbButtonLayout::blGlyphLeft || Layout == TLbButtonLayout::blGlyphRight) {
      L = std::max(W - 8 - (GW > 0 ? GW + 4 : 0), 0);
      fit(L);
      TY = (H - TH) / 2 + offset;
      TX = offset + 4;
      GY = (H - GH) / 2 + offset;
      const int TWp = text.isEmpty() ? 0 : TW + 4;
      if (Layout == TLbButtonLayout::blGlyphLeft) {
        if (GW > 0)
          TX += GW + 4;
        GX = offset + 4;
        if (!WordWrap) {
          if (Alignment == taRightJustify)
            GX = W - 4 - GW - TWp + offset;
          else if (Alignment == taCenter)
            GX = (W - GW) / 2 + offset - TWp / 2;
        }
      } else {
        GX = TX + TWp;
        if (!WordWrap) {
          if (Alignment == taRightJustify)
            GX = W - 4 + offset - GW;
          else if (Alignment == taCenter)
            GX = (W - GW) / 2 + offset + TWp / 2;
        }
      }
    } else {
      L = std::max(W - 8, 0);
      fit(L);
      const int T = TH + (GH > 0 ? GH + 4 : 0);
      TX = offset + 4;
      if (Layout == TLbButtonLayout::blGlyphTop) {
        TY = (H - T) / 2 + GH + offset;
        GY = (H - T) / 2 + offset;
      } else {
        TY = (H - T) / 2 + offset;
        GY = (H - T) / 2 + TH + offset;
      }
      if (Alignment == taLeftJustify)
        GX = offset + 4;
      else if (Alignment == taRightJustify)
        GX = W - GW - 4 + offset;
      else
        GX = (W - GW) / 2 + offset;
    }
    if (!Enabled)
      Canvas->Font()->SetColor(0x808080);
    TRect r = Rect(TX, TY, TX + L, TY + TH);
    Canvas->DrawText(text, r, format);
    DrawGlyphCell(Canvas, Glyph, index, GW, GH, GX, GY);
  }

  if (HasPopupMenu) {
    TBitmap arrow;
    RegisterLbButtonBitmaps();
    if (ResourceBitmap(QStringLiteral("LBARROW"), arrow))
      DrawTransparentBitmap(Canvas, W - 11, H / 2 - 1, &arrow);
  }
}

