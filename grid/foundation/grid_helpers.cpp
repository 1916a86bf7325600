#include "grid/foundation/grid_helpers.h"

#include <algorithm>
#include <cmath>

// TControlList ------------------------------------------------------------------------------

TControlList::~TControlList() {
  while (Count() > 0)
    RemoveControl(Count() - 1);
}

void TControlList::AddControl(int X, int Y, TControl *AObject) { Add(new TControlItem(X, Y, AObject)); }

void TControlList::RemoveControl(int i) {
  delete Item(i);
  Delete(i);
}

int TControlList::ControlIndex(int X, int Y) const {
  for (int i = 0; i < Count(); ++i)
    if (Item(i)->X == X && Item(i)->Y == Y)
      return i;
  return -1;
}

bool TControlList::HasHandle(HWND Handle) const {
  for (int i = 0; i < Count(); ++i) {
    auto *w = dynamic_cast<TWinControl *>(Item(i)->Control);
    if (w && w->HandleAllocated() && w->Handle() == Handle)
      return true;
  }
  return false;
}

// TFilePicture ------------------------------------------------------------------------------

void TFilePicture::SetFilename(const QString &Value) {
  FFilename = Value;
  FWidth = 0;
  FHeight = 0;
  if (Value.isEmpty())
    return;
  try {
    TPicture Picture;
    Picture.LoadFromFile(Value);
    FWidth = Picture.Width();
    FHeight = Picture.Height();
  } catch (const Exception &) {
  }
}

void TFilePicture::DrawPicture(TCanvas *Canvas, const TRect &r) const {
  if (FFilename.isEmpty())
    return;
  try {
    TPicture Picture;
    Picture.LoadFromFile(FFilename);
    if (Picture.Graphic())
      Canvas->StretchDraw(r, Picture.Graphic());
  } catch (const Exception &) {
  }
}

void TFilePicture::Assign(TPersistent *Source) {
  if (auto *s = dynamic_cast<TFilePicture *>(Source)) {
    FFilename = s->FFilename;
    FWidth = s->FWidth;
    FHeight = s->FHeight;
    return;
  }
  TPersistent::Assign(Source);
}

// TFileStringList ---------------------------------------------------------------------------

void TFileStringList::Reset() {
  fp = 0;
  cache.clear();
}

void TFileStringList::ReadLn(QString &s) {
  if (Eof()) {
    s.clear();
    return;
  }
  s = Strings(fp++);
}

void TFileStringList::WriteLn(const QString &s) {
  Add(cache + s);
  cache.clear();
}

// Button drawing ----------------------------------------------------------------------------

void DrawButtonGradient(TCanvas *Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect &R,
                        int Steps, TColor BorderColor) {
  if (Steps <= 0)
    Steps = 1;
  const TColor f = ColorToRGB(FromColor), t = ColorToRGB(ToColor);
  const int r0 = GetRValue(f), g0 = GetGValue(f), b0 = GetBValue(f);
  const double dr = GetRValue(t) - r0, dg = GetGValue(t) - g0, db = GetBValue(t) - b0;
  const int extent = Horizontal ? R.Right - R.Left : R.Bottom - R.Top;
  Canvas->Brush()->SetStyle(bsSolid);
  for (int i = 0; i < Steps; ++i) {
    const auto part = [&](double d) { return int(std::lround(i * d / Steps)); };
    Canvas->Brush()->SetColor(RGB(r0 + part(dr), g0 + part(dg), b0 + part(db)));
    // Band edges are spread over the whole extent (a fixed extent / Steps width would leave
    // the remainder unpainted) and each band overlaps the next by a pixel so none leaves a seam.
    const int from = i * extent / Steps, to = std::min(extent, (i + 1) * extent / Steps + 1);
    TRect band = R;
    if (Horizontal) {
      band.Left = R.Left + from;
      band.Right = R.Left + to;
    } else {
      band.Top = R.Top + from;
      band.Bottom = R.Top + to;
    }
    Canvas->FillRect(band);
  }
  if (BorderColor != clNone) {
    Canvas->Brush()->SetColor(BorderColor);
    Canvas->FrameRect(R);
  }
}

void ApplyZavGridButtonLook(TZavGridButtonColors &C, int Look) {
  struct Row {
    TColor Color, ColorTo, Hot, HotTo, Down, DownTo, Checked, CheckedTo, BorderDown, BorderHot;
  };
  const TColor Office = RGB(254, 145, 78), OfficeTo = RGB(255, 211, 142);
  static const Row Rows[] = {
      {RGB(241, 241, 237), RGB(235, 235, 223), RGB(252, 252, 250), RGB(237, 236, 229), RGB(231, 230, 224),
       RGB(225, 224, 216), RGB(255, 255, 255), clNone, RGB(122, 152, 175), RGB(206, 206, 195)},
      {clBtnFace, clNone, RGB(193, 210, 238), clNone, RGB(152, 181, 226), clNone, RGB(225, 230, 232), clNone,
       RGB(49, 106, 197), RGB(49, 106, 197)},
      {RGB(218, 234, 253), RGB(136, 174, 228), RGB(255, 244, 204), RGB(255, 208, 145), Office, OfficeTo,
       RGB(255, 211, 142), RGB(255, 173, 85), clBlack, clBlack},
      {RGB(234, 240, 207), RGB(177, 192, 140), RGB(255, 244, 204), RGB(255, 208, 145), Office, OfficeTo,
       RGB(255, 211, 142), RGB(255, 173, 85), clBlack, clBlack},
      {RGB(225, 226, 236), RGB(152, 150, 179), RGB(255, 244, 204), RGB(255, 208, 145), Office, OfficeTo,
       RGB(255, 211, 142), RGB(255, 173, 85), clBlack, clBlack},
      {clBtnFace, clNone, clBtnFace, clNone, RGB(210, 211, 216), clNone, RGB(199, 199, 202), clNone, clNone,
       clNone},
      {RGB(255, 255, 202), RGB(255, 255, 166), RGB(253, 240, 168), RGB(252, 233, 124), RGB(251, 224, 77),
       RGB(252, 233, 122), RGB(242, 230, 181), RGB(237, 221, 156), RGB(128, 128, 128), RGB(128, 128, 128)},
  };
  if (Look < 0 || Look >= int(std::size(Rows)))
    return;
  const Row &r = Rows[Look];
  C.Color = r.Color;
  C.ColorTo = r.ColorTo;
  C.ColorHot = r.Hot;
  C.ColorHotTo = r.HotTo;
  C.ColorDown = r.Down;
  C.ColorDownTo = r.DownTo;
  C.ColorChecked = r.Checked;
  C.ColorCheckedTo = r.CheckedTo;
  C.BorderDownColor = r.BorderDown;
  C.BorderHotColor = r.BorderHot;
  C.BorderColor = clNone;
  C.Flat = true;
  C.Rounded = Look == 0;
}
