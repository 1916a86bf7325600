#include "editors/dropdown_draw.h"

#include "framework/system/sysutils.h"

void DrawStepGradient(TCanvas *Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect &R,
                      bool Horizontal)
{
  if (Steps <= 0)
    Steps = 1;
  const TColor from = ColorToRGB(FromColor);
  const TColor to = ColorToRGB(ToColor);
  const int r0 = GetRValue(from), g0 = GetGValue(from), b0 = GetBValue(from);
  const int dr = GetRValue(to) - r0, dg = GetGValue(to) - g0, db = GetBValue(to) - b0;

  TRect r = R;
  double d;
  if (Horizontal) {
    --r.Right;
    d = double(r.Width()) / Steps;
  } else {
    --r.Bottom;
    d = double(r.Height()) / Steps;
  }
  const int band = int(Round(d));
  Canvas->Brush()->SetStyle(bsSolid);
  for (int n = 0; n < Steps; ++n) {
    const TColor c = RGB(r0 + int(Round(double(n) * dr / Steps)), g0 + int(Round(double(n) * dg / Steps)),
                         b0 + int(Round(double(n) * db / Steps)));
    Canvas->Pen()->SetColor(c);
    Canvas->Brush()->SetColor(c);
    const int start = int(Round(n * d));
    if (Horizontal)
      Canvas->Rectangle(r.Left + start, r.Top, r.Left + start + band + 1, R.Bottom);
    else
      Canvas->Rectangle(r.Left, r.Top + start, R.Right, r.Top + start + band + 1);
  }
}

void DrawBox(TCanvas *Canvas, const TRect &R, TColor Color, TColor ColorTo, TColor BorderColor,
             int BorderWidth, TGradientDirection Direction)
{
  if (!Canvas)
    return;
  if (ColorTo != clNone) {
    DrawStepGradient(Canvas, Color, ColorTo, 80, R, Direction != gdVertical);
  } else if (Color != clNone) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(R);
  }
  if (BorderColor != clNone && BorderWidth > 0) {
    Canvas->Pen()->SetWidth(BorderWidth);
    Canvas->Pen()->SetColor(BorderColor);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Rectangle(R);
  }
}
