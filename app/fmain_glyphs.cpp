#include "app/fmain_glyphs.h"

#include "ui/form_base.h"

#include <cmath>
#include <vector>

namespace {

constexpr TColor Key_Color = clFuchsia;

std::unique_ptr<TBitmap> New_Glyph(int Size)
{
  auto B = std::make_unique<TBitmap>(Size, Size);
  TCanvas *C = B->Canvas();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Key_Color);
  C->FillRect(TRect(0, 0, Size, Size));
  return B;
}

void Disc(TCanvas *C, TColor Fill, TColor Edge, const TRect &R)
{
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetWidth(1);
  C->Pen()->SetColor(Edge);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Fill);
  C->Ellipse(R);
}

void Centered_Text(TCanvas *C, const TRect &R, const QString &Text)
{
  C->Brush()->SetStyle(bsClear);
  const TSize Ext = C->TextExtent(Text);
  C->TextOut(R.Left + (R.Width() - Ext.cx) / 2, R.Top + (R.Height() - Ext.cy) / 2, Text);
}

void Draw_Info(TCanvas *C)
{
  Disc(C, 0xB5651D, 0x7A3F0C, TRect(1, 1, 31, 31));
  C->Font()->SetName(QStringLiteral("Verdana"));
  C->Font()->SetHeight(-20);
  C->Font()->SetStyle(TFontStyles{fsBold});
  C->Font()->SetColor(clWhite);
  Centered_Text(C, TRect(1, 1, 31, 31), QStringLiteral("i"));
}

void Draw_Options(TCanvas *C)
{
  // A gear: eight teeth around a disc with a hole.
  const double Cx = 15.5, Cy = 15.5;
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetWidth(1);
  C->Pen()->SetColor(0x404040);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(0x707070);
  for (int k = 0; k < 8; ++k) {
    const double A = k * M_PI / 4;
    const double Ca = std::cos(A), Sa = std::sin(A);
    auto P = [&](double Along, double Across) {
      return TPoint{int(std::lround(Cx + Along * Ca - Across * Sa)), int(std::lround(Cy + Along * Sa + Across * Ca))};
    };
    C->Polygon({P(8, -3.5), P(15, -2.5), P(15, 2.5), P(8, 3.5)});
  }
  Disc(C, 0x707070, 0x404040, TRect(5, 5, 27, 27));
  Disc(C, Key_Color, 0x404040, TRect(11, 11, 21, 21));
}

void Draw_Close(TCanvas *C)
{
  Disc(C, 0x2020C0, 0x101080, TRect(1, 1, 31, 31));
  C->Pen()->SetColor(clWhite);
  C->Pen()->SetWidth(4);
  C->MoveTo(10, 10);
  C->LineTo(22, 22);
  C->MoveTo(22, 10);
  C->LineTo(10, 22);
  C->Pen()->SetWidth(1);
}

}  // namespace

std::unique_ptr<TBitmap> Make_Main_Glyph(TMainGlyph Kind)
{
  auto B = New_Glyph(32);
  switch (Kind) {
  case TMainGlyph::mgInfo:
    Draw_Info(B->Canvas());
    break;
  case TMainGlyph::mgOptions:
    Draw_Options(B->Canvas());
    break;
  case TMainGlyph::mgClose:
    Draw_Close(B->Canvas());
    break;
  }
  return B;
}

std::unique_ptr<TBitmap> Make_Maker_Logo(int Size)
{
  auto B = std::make_unique<TBitmap>(Size, Size);
  TCanvas *C = B->Canvas();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Form_Color);
  C->FillRect(TRect(0, 0, Size, Size));
  C->Pen()->SetColor(0x7A3F0C);
  C->Brush()->SetColor(0xB5651D);
  C->RoundRect(2, 2, Size - 2, Size - 2, Size / 4, Size / 4);
  C->Font()->SetName(QStringLiteral("Verdana"));
  C->Font()->SetHeight(-(Size * 3) / 5);
  C->Font()->SetStyle(TFontStyles{fsBold});
  C->Font()->SetColor(clWhite);
  Centered_Text(C, TRect(2, 2, Size - 2, Size - 2), QStringLiteral("V"));
  return B;
}
