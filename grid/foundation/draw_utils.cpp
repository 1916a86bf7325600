#include "grid/foundation/draw_utils.h"

#include "framework/system/sysutils.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

int Channel(double v) { return std::clamp(int(Round(v)), 0, 255); }

TColor Mix(TColor From, TColor To, double Num, double Den)
{
  const TColor f = ColorToRGB(From), t = ColorToRGB(To);
  return RGB(Channel(GetRValue(f) + Round((GetRValue(t) - GetRValue(f)) * Num / Den)),
             Channel(GetGValue(f) + Round((GetGValue(t) - GetGValue(f)) * Num / Den)),
             Channel(GetBValue(f) + Round((GetBValue(t) - GetBValue(f)) * Num / Den)));
}

void SolidBox(TCanvas *Canvas, const TRect &R, TColor Color)
{
  Canvas->Pen()->SetColor(Color);
  Canvas->Brush()->SetColor(Color);
  // A frame in the fill colour covers what the fill covers: one fill instead of four lines.
  const TPen *pen = Canvas->Pen();
  if ((pen->Style() == psSolid || pen->Style() == psInsideFrame) && pen->Mode() == pmCopy &&
      Canvas->Brush()->Style() == bsSolid && !Canvas->Mapped())
    Canvas->FillRect(R);
  else
    Canvas->Rectangle(R);
}

void Line(TCanvas *Canvas, int X1, int Y1, int X2, int Y2)
{
  Canvas->MoveTo(X1, Y1);
  Canvas->LineTo(X2, Y2);
}

void FilledPolygon(TCanvas *Canvas, const std::vector<TPoint> &Points, TColor Color)
{
  Canvas->Pen()->SetColor(Color);
  Canvas->Brush()->SetColor(Color);
  Canvas->Polygon(Points);
}

// The tone of a button state: normal, hot, down, disabled.
const TColorTone &ToneOf(const TColorTones &Tones, int State)
{
  switch (State) {
  case 1: return Tones.Hover;
  case 2: return Tones.Selected;
  case 3: return Tones.Disabled;
  default: return Tones.Background;
  }
}

// Draws one themed part; false when no visual style can draw it.
bool DrawThemed(HWND Wnd, TCanvas *Canvas, const QString &ClassName, int Part, int State, const TRect &R)
{
  if (!ThemeAPI.Loaded || !ThemeAPI.OpenThemeData || !ThemeAPI.DrawThemeBackground || !ThemeAPI.CloseThemeData)
    return false;
  HTHEME theme = ThemeAPI.OpenThemeData(Wnd, ClassName);
  if (!theme)
    return false;
  ThemeAPI.DrawThemeBackground(theme, Canvas->Handle(), Part, State, &R, nullptr);
  ThemeAPI.CloseThemeData(theme);
  return true;
}

void FrameControl(TCanvas *Canvas, TRect R, uint32_t Type, uint32_t State) { DrawFrameControl(Canvas->Handle(), R, Type, State); }

}  // namespace

// ---------------------------------------------------------------------------------------
// Gradients and colours

void DrawGradient(TCanvas *Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect &R, bool Horizontal)
{
  if (R.Top == R.Bottom)
    return;
  TRect r = R;
  if (r.Top > r.Bottom)
    std::swap(r.Top, r.Bottom);
  if (FromColor == clNone || ToColor == clNone) {
    if (FromColor == clNone && ToColor == clNone)
      return;
    SolidBox(Canvas, r, FromColor != clNone ? FromColor : ToColor);
    return;
  }
  const int extent = Horizontal ? r.Width() : r.Height();
  const int n = extent - 1;
  const int steps = std::max(1, std::min(Steps, n));
  const double e = double(n) / steps;
  for (int i = 0; i <= steps; ++i) {
    const int start = int(Trunc(i * e));
    const int end = std::min(start + int(Trunc(e + 1)), extent);
    if (end <= start)
      continue;
    const TColor c = Mix(FromColor, ToColor, i, steps);
    SolidBox(Canvas, Horizontal ? TRect(r.Left + start, r.Top, r.Left + end, r.Bottom)
                                : TRect(r.Left, r.Top + start, r.Right, r.Top + end), c);
  }
}

void DrawVistaGradient(TCanvas *Canvas, const TRect &R, TColor Color, TColor ColorTo, TColor MirrorColor,
                       TColor MirrorColorTo, bool Vertical, TColor BorderColor, bool SideLinesOnly, bool Fill)
{
  if (Fill && Color != clNone) {
    if (MirrorColor == clNone) {
      if (ColorTo == clNone) {
        Canvas->Brush()->SetColor(Color);
        Canvas->FillRect(TRect(R.Left, R.Top, R.Right, R.Bottom + 1));
      } else {
        DrawGradient(Canvas, Color, ColorTo, 128, R, !Vertical);
      }
    } else if (Vertical) {
      const int mid = R.Top + R.Height() / 2;
      DrawGradient(Canvas, Color, ColorTo, 128, TRect(R.Left, R.Top, R.Right, mid), false);
      DrawGradient(Canvas, MirrorColor, MirrorColorTo, 128, TRect(R.Left, mid, R.Right, R.Bottom), false);
    } else {
      const int mid = R.Left + R.Width() / 2;
      DrawGradient(Canvas, Color, ColorTo, 128, TRect(R.Left, R.Top, mid, R.Bottom), true);
      DrawGradient(Canvas, MirrorColor, MirrorColorTo, 128, TRect(mid, R.Top, R.Right, R.Bottom), true);
    }
  }
  if (BorderColor == clNone)
    return;
  Canvas->Pen()->SetColor(BorderColor);
  if (SideLinesOnly) {
    Line(Canvas, R.Left, R.Top, R.Left, R.Bottom);
    Line(Canvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
  } else {
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Rectangle(R);
    Canvas->Brush()->SetStyle(bsSolid);
  }
}

void DrawRoundedSelection(TCanvas *Canvas, TColor FillColor, TColor FillColorTo, TColor MirrorColor,
                          TColor MirrorColorTo, TColor InnerTopColor, TColor InnerBottomColor, TColor BorderColor,
                          TColor CornerColor, TColor OuterCornerColor, const TRect &R, int Segment)
{
  const int L = R.Left, T = R.Top, Rt = R.Right - 1, B = R.Bottom - 2;
  const int mid = T + (B - T) / 2;
  const bool leftEnd = Segment == 0 || Segment == 1;
  const bool rightEnd = Segment == 0 || Segment == 2;
  const int li = leftEnd ? 2 : 0, ri = rightEnd ? 2 : 0;

  Canvas->Pen()->SetColor(InnerTopColor);
  Line(Canvas, L, T + 1, Rt, T + 1);
  if (leftEnd)
    Line(Canvas, L + 1, T + 1, L + 1, mid);
  if (rightEnd)
    Line(Canvas, Rt - 2, T + 1, Rt - 2, mid);

  Canvas->Pen()->SetColor(InnerBottomColor);
  Line(Canvas, L, B - 1, Rt, B - 1);
  if (leftEnd)
    Line(Canvas, L + 1, mid, L + 1, B - 1);
  if (rightEnd)
    Line(Canvas, Rt - 2, mid, Rt - 2, B - 1);

  Canvas->Pen()->SetColor(BorderColor);
  Line(Canvas, L + li, T, Rt - ri, T);
  Line(Canvas, L + li, B, Rt - ri, B);
  if (rightEnd)
    Line(Canvas, Rt - 1, T + 2, Rt - 1, B - 1);
  if (leftEnd)
    Line(Canvas, L, T + 2, L, B - 1);

  // The inner and outer corner pixels; a right end mirrors the left with R - 2 and R - 1.
  auto corners = [&](int inner, int outer) {
    for (TPoint p : {TPoint(inner, T), TPoint(inner, T + 1), TPoint(outer, T + 1), TPoint(inner, B),
                     TPoint(inner, B - 1), TPoint(outer, B - 1)})
      Canvas->SetPixels(p.X, p.Y, CornerColor);
    Canvas->SetPixels(outer, T, OuterCornerColor);
    Canvas->SetPixels(outer, B, OuterCornerColor);
  };
  if (leftEnd)
    corners(L + 1, L);
  if (rightEnd)
    corners(Rt - 2, Rt - 1);

  const TRect fill(L + li, T + 2, Rt - ri, B - 1);
  if (FillColorTo == clNone) {
    Canvas->Brush()->SetColor(FillColor);
    Canvas->FillRect(fill);
  } else if (MirrorColor == clNone) {
    DrawGradient(Canvas, FillColor, FillColorTo, 16, fill, false);
  } else {
    const int half = fill.Top + fill.Height() / 2;
    DrawGradient(Canvas, FillColor, FillColorTo, 16, TRect(fill.Left, fill.Top, fill.Right, half), false);
    DrawGradient(Canvas, MirrorColor, MirrorColorTo, 16, TRect(fill.Left, half, fill.Right, fill.Bottom), false);
  }
}

TColor BlendColorStep(TColor A, TColor B, int StartPos, int EndPos, int Position)
{
  if (B == clNone || EndPos == StartPos)
    return A;
  return Mix(A, B, Position, EndPos - StartPos);
}

TColor HalfColor(TColor Color)
{
  const TColor c = ColorToRGB(Color);
  return RGB(GetRValue(c) / 2, GetGValue(c) / 2, GetBValue(c) / 2);
}

TColor ScaleColor(TColor Color, int Percent)
{
  const TColor c = ColorToRGB(Color);
  auto scale = [Percent](int v) { return Channel(v + double(Percent) * v / 100); };
  return RGB(scale(GetRValue(c)), scale(GetGValue(c)), scale(GetBValue(c)));
}

void FillRectColor(TCanvas *Canvas, const TRect &R, TColor Color)
{
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(R);
}

// ---------------------------------------------------------------------------------------
// Buttons

void DrawDropDownButton(TCanvas *Canvas, HWND Wnd, const TRect &R, const TColorTones &Tones, int State, int Style)
{
  TRect br(R.Right - 17, R.Top + 1, R.Right, R.Bottom - 1);
  OffsetRect(br, -2, 0);
  if (Style == 0 && DrawThemed(Wnd, Canvas, QStringLiteral("combobox"), 1, State == 3 ? 4 : 1, br))
    return;
  if (Style == 3) {
    br.Left += 3;
    SolidBox(Canvas, br, ToneOf(Tones, State).BrushColor);
    Canvas->Pen()->SetColor(Tones.Background.BorderColor);
    Line(Canvas, br.Left + 1, br.Top, br.Left + 1, br.Bottom);
    FilledPolygon(Canvas, {TPoint(br.Left + 5, br.Top + 8), TPoint(br.Left + 11, br.Top + 8), TPoint(br.Left + 8, br.Top + 11)},
                  Tones.Background.TextColor);
    return;
  }
  uint32_t flags = DFCS_SCROLLCOMBOBOX | (State == 3 ? uint32_t(DFCS_INACTIVE) : 0u);
  if (Style == 2)
    flags |= DFCS_FLAT;
  FrameControl(Canvas, br, DFC_SCROLL, flags);
}

void DrawPushButtonFace(TCanvas *Canvas, HWND Wnd, const TRect &R, const TColorTones &Tones, int State, int Style)
{
  static const int themedState[] = {1, 2, 3, 4};
  if (Style == 0 && DrawThemed(Wnd, Canvas, QStringLiteral("button"), 1, themedState[std::clamp(State, 0, 3)], R))
    return;
  if (Style == 3) {
    const TColorTone &t = ToneOf(Tones, State);
    Canvas->Brush()->SetColor(t.BrushColor);
    Canvas->Pen()->SetColor(t.BorderColor);
    Canvas->Rectangle(R);
    return;
  }
  static const uint32_t stateFlag[] = {0, DFCS_HOT, DFCS_PUSHED, DFCS_INACTIVE};
  uint32_t flags = DFCS_BUTTONPUSH | stateFlag[std::clamp(State, 0, 3)];
  if (Style == 2)
    flags |= DFCS_FLAT;
  FrameControl(Canvas, R, DFC_BUTTON, flags);
}

void DrawSpinButtons(TCanvas *Canvas, HWND Wnd, const TRect &R, const TColorTones &Tones, int State, int Style)
{
  TRect br(R.Right - 15, R.Top, R.Right, R.Bottom);
  OffsetRect(br, -1, -1);
  const int mid = br.Top + br.Height() / 2;
  const TRect up(br.Left, br.Top, br.Right, mid);
  const TRect down(br.Left, mid + 1, br.Right, br.Bottom);
  const int themedState = State == 3 ? 4 : 1;
  if (Style == 0 && DrawThemed(Wnd, Canvas, QStringLiteral("spin"), 1, themedState, up)) {
    DrawThemed(Wnd, Canvas, QStringLiteral("spin"), 2, themedState, down);
    return;
  }
  if (Style == 3) {
    const TColor face = ToneOf(Tones, State).BrushColor;
    SolidBox(Canvas, up, face);
    SolidBox(Canvas, down, face);
    FilledPolygon(Canvas, {TPoint(up.Left + 5, up.Top + 5), TPoint(up.Left + 9, up.Top + 5), TPoint(up.Left + 7, up.Top + 3)}, clBlack);
    FilledPolygon(Canvas, {TPoint(down.Left + 5, down.Top + 1), TPoint(down.Left + 9, down.Top + 1), TPoint(down.Left + 7, down.Top + 3)},
                  clBlack);
    return;
  }
  uint32_t flags = (State == 3 ? uint32_t(DFCS_INACTIVE) : 0u) | (Style == 2 ? uint32_t(DFCS_FLAT) : 0u);
  FrameControl(Canvas, up, DFC_SCROLL, DFCS_SCROLLUP | flags);
  FrameControl(Canvas, down, DFC_SCROLL, DFCS_SCROLLDOWN | flags);
}

void DrawSmallDownArrow(TCanvas *Canvas, int X, int Y, TColor Color)
{
  FilledPolygon(Canvas, {TPoint(X - 3, Y), TPoint(X + 3, Y), TPoint(X, Y + 3)}, Color);
}

// ---------------------------------------------------------------------------------------
// Progress and shapes

namespace {

// The caller's format with the position as its one argument: an integer when the format
// asks for one ("d" or "u"), else the number itself. A format that fits neither kind
// (Format checks and raises) shows no text.
QString ProgressText(const QString &Fmt, double Position)
{
  const bool integral = Fmt.contains(QLatin1Char('d')) || Fmt.contains(QLatin1Char('u'));
  const TVarRec asInt(int(Round(Position))), asFloat(Position);
  for (const TVarRec &arg : integral ? std::vector{asInt, asFloat} : std::vector{asFloat, asInt}) {
    try {
      return Format(Fmt, TVarRecs{arg});
    } catch (const EConvertError &) {
    }
  }
  return QString();
}

}  // namespace

void DrawProgressBar(TCanvas *Canvas, const TRect &R, TColor Color1, TColor TextColor1, TColor Color2,
                     TColor TextColor2, double Position, int MarginX, int MarginY, int Min, int Max,
                     const QString &Format, TColor BorderColor, bool Printing)
{
  const TColor saved = Canvas->Brush()->Color();
  Canvas->Brush()->SetColor(Color1);
  Canvas->Pen()->SetColor(Color1);
  Canvas->Font()->SetColor(TextColor1);

  QString text;
  int64_t percent;
  if (!Format.isEmpty()) {
    text = ProgressText(Format, Position);
    if (Max == Min)
      percent = Position >= Max ? 100 : 0;
    else
      percent = Round((Position - Min) * 100 / (double(Max) - Min));
  } else {
    percent = Round(Position);
    text = IntToStr(percent) + QLatin1Char('%');
  }
  percent = std::clamp<int64_t>(percent, 0, 100);

  TRect r = R;
  InflateRect(r, -MarginX, -MarginY);
  const int filled = int(Round(double(percent) * r.Width() / 100));
  const TSize ts = Canvas->TextExtent(text);
  const int th = Printing ? -ts.cy : ts.cy;
  const int x = r.Left + (r.Width() - ts.cx) / 2;
  const int y = r.Top + (r.Height() - th) / 2;

  Canvas->TextRect(TRect(r.Left, r.Top, r.Left + filled, r.Bottom), x, y, text);
  Canvas->Brush()->SetColor(Color2);
  Canvas->Pen()->SetColor(Color2);
  Canvas->Font()->SetColor(TextColor2);
  Canvas->TextRect(TRect(r.Left + filled, r.Top, r.Right, r.Bottom), x, y, text);

  InflateRect(r, 1, 1);
  if (BorderColor != clNone) {
    Canvas->Brush()->SetColor(BorderColor);
    Canvas->FrameRect(r);
  }
  InflateRect(r, 1, 1);
  Canvas->Brush()->SetColor(saved);
  Canvas->FrameRect(r);
}

void DrawProgressPie(TCanvas *Canvas, const TRect &R, TColor Color, int Percent, bool Printing)
{
  constexpr TColor gray = 0x808080;
  Canvas->Pen()->SetColor(gray);
  Canvas->Pen()->SetWidth(1);
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->Ellipse(R);
  const int w = R.Width(), h = R.Height();
  const int cx = R.Left + w / 2, cy = R.Top + h / 2;
  const double a = Percent / 100.0 * 2 * std::numbers::pi;
  Line(Canvas, cx, R.Top, cx, cy);
  Canvas->LineTo(cx + int(Round((w + 1) / 2.0 * std::sin(a))), cy - int(Round((h + 1) / 2.0 * std::cos(a))));
  if (Percent != 0) {
    Canvas->Brush()->SetColor(Color);
    Canvas->FloodFill(cx + 1, Printing ? R.Top - 2 : R.Top + 2, gray, false);
  }
}

void DrawRangeIndicator(TCanvas *Canvas, const TRect &R, int Value, int Range, bool ShowValue, TColor NegColor,
                        TColor PosColor)
{
  if (ShowValue)
    Canvas->SetBkMode(TRANSPARENT);
  // An empty range has no scale: only the caller's background shows.
  if (Range <= 0)
    return;
  TRect r = R;
  InflateRect(r, -2, -2);
  const int half = r.Width() / 2;
  const int mid = r.Left + half;
  const int value = std::clamp(Value, -Range, Range);
  const int x = int(Round(double(half) * value / Range));
  if (x == 0)
    return;
  if (value < 0)
    SolidBox(Canvas, TRect(mid + x, r.Top, mid, r.Bottom), NegColor);
  else
    SolidBox(Canvas, TRect(mid, r.Top, mid + x, r.Bottom), PosColor);
}

void DrawStyledProgressBar(TCanvas *Canvas, const TRect &R, int Percent, const TLevelProgress &Levels)
{
  const TColor pen = Levels.ShowBorder ? Levels.BorderColor : Levels.BackgroundColor;
  Canvas->Brush()->SetColor(Levels.BackgroundColor);
  Canvas->Pen()->SetColor(pen);
  Canvas->Rectangle(R);
  const bool vertical = Levels.Vertical;
  const int length = (vertical ? R.Height() : R.Width()) - 2;
  auto outline = [&] {
    Canvas->Pen()->SetColor(pen);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Rectangle(R);
    Canvas->Brush()->SetStyle(bsSolid);
  };
  if (Percent <= 0 || length <= 0)
    return;

  // A piece from Offset to Offset + Size along the bar, counted from the start Inset pixels
  // inside the area (left edge, or bottom edge of a vertical bar), one pixel inside across it.
  auto piece = [&](int Inset, int Offset, int Size, TColor Color, TColor ColorTo) {
    Size = std::min(Size, length + 1 - Inset - Offset);
    if (Size <= 0)
      return;
    const TRect p = vertical ? TRect(R.Left + 1, R.Bottom - Inset - Offset - Size, R.Right - 1, R.Bottom - Inset - Offset)
                             : TRect(R.Left + Inset + Offset, R.Top + 1, R.Left + Inset + Offset + Size, R.Bottom - 1);
    if (!Levels.ShowGradient) {
      SolidBox(Canvas, p, Color);
    } else if (vertical) {
      const int half = p.Left + p.Width() / 2;
      DrawGradient(Canvas, ColorTo, Color, Levels.Steps, TRect(p.Left, p.Top, half, p.Bottom), true);
      DrawGradient(Canvas, Color, ColorTo, Levels.Steps, TRect(half, p.Top, p.Right, p.Bottom), true);
    } else {
      const int half = p.Top + p.Height() / 2;
      DrawGradient(Canvas, ColorTo, Color, Levels.Steps, TRect(p.Left, p.Top, p.Right, half), false);
      DrawGradient(Canvas, Color, ColorTo, Levels.Steps, TRect(p.Left, half, p.Right, p.Bottom), false);
    }
  };

  const int l1 = Levels.Level1Perc, l2 = Levels.Level2Perc;
  if (Levels.Stacked) {
    const int p1 = int(Round(std::min(Percent, l1) / 100.0 * length));
    piece(1, 0, p1, Levels.Level0Color, Levels.Level0ColorTo);
    int p2 = 0;
    if (Percent > l1) {
      p2 = int(Round(length * (std::min(Percent, l2) - l1) / 100.0));
      piece(1, p1, p2, Levels.Level1Color, Levels.Level1ColorTo);
    }
    if (Percent > l2) {
      const int p3 = Percent >= 100 ? length - p1 - p2 : int(Round(length * (Percent - l2) / 100.0));
      piece(1, p1 + p2, p3, Levels.Level3Color, Levels.Level3ColorTo);
    }
  } else {
    TColor c = Levels.Level2Color, cto = Levels.Level2ColorTo;
    if (Percent < l1) {
      c = Levels.Level0Color;
      cto = Levels.Level0ColorTo;
    } else if (Percent < l2) {
      c = Levels.Level1Color;
      cto = Levels.Level1ColorTo;
    } else if (Percent > 99) {
      c = Levels.Level3Color;
      cto = Levels.Level3ColorTo;
    }
    const int t = int(Round(double(Percent) * length / 100));
    if (Levels.CompletionSmooth) {
      piece(1, 0, t, c, cto);
    } else if (t > 9) {
      for (int k = 0; k < t / 9; ++k)
        piece(2, k * 9, 7, c, cto);
      if (t % 9 > 2)
        piece(2, (t / 9) * 9, t % 9 - 1, c, cto);
    } else if (t > 1) {
      piece(2, 0, t - 1, c, cto);
    }
  }

  if (Levels.ShowPercentage) {
    const QString text = IntToStr(Percent) + QLatin1Char('%');
    TFont saved;
    saved.Assign(Canvas->Font());
    if (Levels.Font)
      Canvas->Font()->Assign(Levels.Font);
    Canvas->Font()->SetColor(Levels.CompleteFontColor);
    const int oldMode = Canvas->SetBkMode(TRANSPARENT);
    Canvas->Brush()->SetStyle(bsClear);
    const TSize ts = Canvas->TextExtent(text);
    const int cx = R.Left + R.Width() / 2, cy = R.Top + R.Height() / 2;
    if (vertical) {
      Canvas->Font()->SetOrientation(900);
      Canvas->TextOut(cx - ts.cy / 2, cy + ts.cx / 2, text);
    } else {
      Canvas->TextOut(cx - ts.cx / 2, cy - ts.cy / 2, text);
    }
    Canvas->SetBkMode(oldMode);
    Canvas->Font()->Assign(&saved);
  }
  outline();
}

void DrawCellShape(TCanvas *Canvas, int X, int Y, int Width, int Height, TCellShape Shape, TColor FillColor,
                   TColor OutlineColor)
{
  int w = Width, h = Height;
  if (Shape == csCircle || Shape == csSquare || Shape == csRoundSquare)
    w = h = std::min(w, h);
  Canvas->Pen()->SetColor(OutlineColor);
  Canvas->Brush()->SetColor(FillColor);
  // The ten points of a star, clockwise from the top; odd ones on the inner circle.
  auto star = [&](int k) {
    const double t = k * 36 * std::numbers::pi / 180;
    const int rx = k % 2 ? (w / 2) / 3 : w / 2, ry = k % 2 ? (h / 2) / 3 : h / 2;
    return TPoint(X + w / 2 + int(Round(std::sin(t) * rx)), Y + h / 2 - int(Round(std::cos(t) * ry)));
  };
  const int W = w - w % 2, H = h - h % 2;
  switch (Shape) {
  case csCircle:
  case csEllips:
    Canvas->Ellipse(X, Y, X + w, Y + h);
    break;
  case csTriangleLeft:
    Canvas->Polygon({TPoint(X + w, Y), TPoint(X + w, Y + h), TPoint(X, Y + h / 2)});
    break;
  case csTriangleRight:
    Canvas->Polygon({TPoint(X, Y), TPoint(X, Y + h), TPoint(X + w, Y + h / 2)});
    break;
  case csTriangleUp:
    Canvas->Polygon({TPoint(X, Y + h), TPoint(X + w, Y + h), TPoint(X + w / 2, Y)});
    break;
  case csTriangleDown:
    Canvas->Polygon({TPoint(X, Y), TPoint(X + w, Y), TPoint(X + w / 2, Y + h)});
    break;
  case csDiamond:
    Canvas->Polygon({TPoint(X, Y + h / 2), TPoint(X + w / 2, Y), TPoint(X + 2 * (w / 2), Y + h / 2), TPoint(X + w / 2, Y + 2 * (h / 2))});
    break;
  case csLineVert:
    Canvas->FillRect(TRect(X + w / 2, Y, X + w / 2 + 1, Y + h));
    break;
  case csLineHorz:
    Canvas->FillRect(TRect(X, Y + h / 2, X + w, Y + h / 2 + 1));
    break;
  case csRoundRect:
  case csRoundSquare:
    Canvas->RoundRect(X, Y, X + w, Y + h, 10, 10);
    break;
  case csStar: {
    std::vector<TPoint> p;
    for (int k = 0; k < 10; ++k)
      p.push_back(star(k));
    Canvas->Polygon(p);
    break;
  }
  case csHalfStar:
    Canvas->Polygon({star(0), star(5), star(6), star(7), star(8), star(9)});
    break;
  case csArrowUp:
    Canvas->Polygon({TPoint(X, Y + H / 2), TPoint(X + W / 2, Y), TPoint(X + W, Y + H / 2), TPoint(X + 3 * W / 4, Y + H / 2),
                     TPoint(X + 3 * W / 4, Y + h), TPoint(X + W / 4, Y + h), TPoint(X + W / 4, Y + H / 2)});
    break;
  case csArrowDown:
    Canvas->Polygon({TPoint(X, Y + h - H / 2), TPoint(X + W / 2, Y + h), TPoint(X + W, Y + h - H / 2), TPoint(X + 3 * W / 4, Y + h - H / 2),
                     TPoint(X + 3 * W / 4, Y), TPoint(X + W / 4, Y), TPoint(X + W / 4, Y + h - H / 2)});
    break;
  case csArrowLeft:
    Canvas->Polygon({TPoint(X + W / 2, Y), TPoint(X, Y + H / 2), TPoint(X + W / 2, Y + H), TPoint(X + W / 2, Y + 3 * H / 4),
                     TPoint(X + w, Y + 3 * H / 4), TPoint(X + w, Y + H / 4), TPoint(X + W / 2, Y + H / 4)});
    break;
  case csArrowRight:
    Canvas->Polygon({TPoint(X + w - W / 2, Y), TPoint(X + w, Y + H / 2), TPoint(X + w - W / 2, Y + H), TPoint(X + w - W / 2, Y + 3 * H / 4),
                     TPoint(X, Y + 3 * H / 4), TPoint(X, Y + H / 4), TPoint(X + w - W / 2, Y + H / 4)});
    break;
  case csRectangle:
  case csSquare:
    Canvas->Rectangle(X + 1, Y + 1, X + w - 1, Y + h - 1);
    break;
  }
}

// ---------------------------------------------------------------------------------------
// Bitmaps and text marks

void DrawBitmapTransparent(TCanvas *Canvas, const TBitmap *Bitmap, TColor BkColor, const TRect &R)
{
  if (!Bitmap || Bitmap->Empty())
    return;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  const TColor key = Bitmap->Canvas()->Pixels(0, 0);
  Canvas->Brush()->SetColor(BkColor);
  Canvas->BrushCopy(Bounds(R.Left, R.Top, w, h), Bitmap, TRect(0, 0, w, h), key);
}

void DrawResourceBitmap(TCanvas *Canvas, TColor BkColor, const TRect &R, const QString &ResName)
{
  TBitmap bitmap;
  if (ResourceBitmap(ResName, bitmap))
    DrawBitmapTransparent(Canvas, &bitmap, BkColor, R);
}

void DrawErrorUnderline(HWND Owner, TCanvas *Canvas, const QString &Text, const TRect &R, int LineOffset,
                        int FirstChar, int Length)
{
  // Character positions as a single-line edit shows the text: the left edge of a character,
  // or 4 pixels past the end of the text for a position beyond it.
  auto posOf = [&](int Char) {
    if (Char >= 1 && Char <= Text.length())
      return Canvas->TextWidth(Text.left(Char - 1));
    return Canvas->TextWidth(Text) + 4;
  };
  const int sx = posOf(FirstChar);
  const int ex = posOf(FirstChar + Length - 1);
  TPen saved;
  saved.Assign(Canvas->Pen());
  Canvas->Pen()->SetColor(clRed);
  Canvas->Pen()->SetWidth(2);
  const int y = R.Top + LineOffset;
  int x = R.Left + sx;
  Canvas->MoveTo(x, y + 3);
  bool up = true;
  while (x < R.Left + ex + 3) {
    x += 3;
    Canvas->LineTo(x, up ? y : y + 3);
    up = !up;
  }
  Canvas->Pen()->Assign(&saved);
}

// ---------------------------------------------------------------------------------------
// Clipboard and windows

void BuildClipboardHTML(QString &Fragment)
{
  static const QString prefix = QStringLiteral(
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"
      "<html><head><META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\"></head><body><!--StartFragment-->");
  static const QString suffix = QStringLiteral("<!--EndFragment--></body></html>");
  const int n = int(Fragment.length());
  const QString crlf = QStringLiteral("\r\n");
  Fragment = QStringLiteral("Version:1.0") + crlf +                                   //
             Format(QStringLiteral("%s%.8d"), QStringLiteral("StartHTML:"), 97) + crlf + //
             Format(QStringLiteral("%s%.8d"), QStringLiteral("EndHTML:"), 306 + n) + crlf +
             Format(QStringLiteral("%s%.8d"), QStringLiteral("StartFragment:"), 274) + crlf +
             Format(QStringLiteral("%s%.8d"), QStringLiteral("EndFragment:"), 274 + n) + crlf + prefix + Fragment + suffix;
}

bool DynUpdateLayeredWindow(HWND, HDC, const TPoint *, const TSize *, HDC, const TPoint *, TColor, const BLENDFUNCTION *, uint32_t)
{
  return true;
}

bool DynSetLayeredWindowAttributes(HWND, TColor, uint8_t, uint32_t) { return true; }
