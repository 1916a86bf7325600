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

// TZavGridButton ----------------------------------------------------------------------------

namespace {
constexpr int DropDownWidth = 12;
}

TZavGridButton::TZavGridButton(TComponent *AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()), FGlyphHot(std::make_unique<TBitmap>()),
      FGlyphDown(std::make_unique<TBitmap>()), FGlyphDisabled(std::make_unique<TBitmap>()) {
  FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
  FWidth = 22;
  FHeight = 23;
}

void TZavGridButton::SetLook(int Value) {
  FLook = Value;
  ApplyZavGridButtonLook(FColors, Value);
  Invalidate();
}

void TZavGridButton::SetGlyph(const TBitmap *Value) {
  if (Value)
    FGlyph->Assign(const_cast<TBitmap *>(Value));
  else
    FGlyph->SetSize(0, 0);
  if (FGlyphDisabled->Empty() && !FGlyph->Empty()) {
    FGlyphDisabled->Assign(FGlyph.get());
    TCanvas *c = FGlyphDisabled->Canvas();
    for (int y = 0; y < FGlyphDisabled->Height(); ++y)
      for (int x = 0; x < FGlyphDisabled->Width(); ++x) {
        const TColor p = c->Pixels(x, y);
        const int g = (GetRValue(p) + GetGValue(p) + GetBValue(p)) / 3 / 2 + 96;
        c->SetPixels(x, y, RGB(g, g, g));
      }
  }
  Invalidate();
}

TBitmap *TZavGridButton::CurrentGlyph() const {
  TBitmap *g = nullptr;
  if (!Enabled())
    g = FGlyphDisabled.get();
  else if (FState == bsDown || FState == bsExclusive || FDown)
    g = FGlyphDown.get();
  else if (Hot())
    g = FGlyphHot.get();
  return g && !g->Empty() ? g : FGlyph.get();
}

void TZavGridButton::SetStyle(TZavGridButtonStyle Value) {
  FStyle = Value;
  Invalidate();
}

void TZavGridButton::SetGroupIndex(int Value) {
  FGroupIndex = Value;
  UpdateExclusive();
}

void TZavGridButton::SetAllowAllUp(bool Value) {
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TZavGridButton::SetDropDownButton(bool Value) {
  FDropDownButton = Value;
  Invalidate();
}

void TZavGridButton::SetDown(bool Value) {
  if (FGroupIndex == 0 && FStyle == tasButton)
    Value = false;
  if (Value == FDown)
    return;
  if (FDown && FGroupIndex != 0 && !FAllowAllUp)
    return; // the last button down of a group stays down
  FDown = Value;
  FState = Value ? (FGroupIndex != 0 ? bsExclusive : bsDown) : bsUp;
  if (Value)
    UpdateExclusive();
  Invalidate();
}

void TZavGridButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent())
    return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto *b = dynamic_cast<TZavGridButton *>(Parent()->Controls(i));
    if (!b || b == this || b->FGroupIndex != FGroupIndex)
      continue;
    if (FDown && b->FDown) {
      b->FDown = false;
      b->FState = bsUp;
      b->Invalidate();
    }
    b->FAllowAllUp = FAllowAllUp;
  }
}

void TZavGridButton::Click() { TGraphicControl::Click(); }

void TZavGridButton::DblClick() {
  if (FDown)
    TGraphicControl::DblClick();
}

void TZavGridButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled())
    return;
  if (FDropDownButton && X >= Width() - DropDownWidth) {
    if (OnDropDown)
      OnDropDown(this);
    if (FDropDownMenu) {
      const TPoint p = ClientToScreen(TPoint(0, Height()));
      FDropDownMenu->Popup(p.X, p.Y);
    }
    return;
  }
  if (!FDown || FStyle == tasCheck) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

void TZavGridButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging)
    return;
  TButtonState s = FDown ? bsExclusive : bsUp;
  if (PtInRect(ClientRect(), TPoint(X, Y)) && (!FDown || FStyle == tasCheck))
    s = bsDown;
  if (s != FState) {
    FState = s;
    Invalidate();
  }
}

void TZavGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging)
    return;
  FDragging = false;
  const bool inside = PtInRect(ClientRect(), TPoint(X, Y));
  if (inside && (FGroupIndex != 0 || FStyle == tasCheck))
    SetDown(!FDown);
  FState = FDown ? (FGroupIndex != 0 ? bsExclusive : bsDown) : bsUp;
  Invalidate();
  if (inside)
    Click();
}

void TZavGridButton::CMMouseEnter(TMessage &Message) {
  TGraphicControl::CMMouseEnter(Message);
  FMouseInControl = true;
  if (Enabled())
    Invalidate();
}

void TZavGridButton::CMMouseLeave(TMessage &Message) {
  TGraphicControl::CMMouseLeave(Message);
  FMouseInControl = false;
  if (Enabled())
    Invalidate();
}

void TZavGridButton::CMEnabledChanged(TMessage &Message) {
  TGraphicControl::CMEnabledChanged(Message);
  if (!Enabled()) {
    FMouseInControl = false;
    FState = bsDisabled;
  } else if (FState == bsDisabled) {
    FState = FDown ? (FGroupIndex != 0 ? bsExclusive : bsDown) : bsUp;
  }
  Invalidate();
}

bool TZavGridButton::Hot() const {
  return FMouseInControl && Enabled() && !ComponentState().Contains(TComponentStateItem::csDesigning);
}

void TZavGridButton::Paint() {
  TCanvas *c = Canvas();
  TRect r = ClientRect();
  InflateRect(r, -1, -1);
  const TZavGridButtonColors &k = FColors;
  // A face in one colour or a 16-step vertical gradient, framed unless the frame is clNone.
  const auto face = [&](TColor From, TColor To, TColor Frame) {
    if (To == clNone) {
      c->Brush()->SetStyle(bsSolid);
      c->Brush()->SetColor(From);
      c->FillRect(r);
    } else {
      DrawButtonGradient(c, From, To, false, r, 16, clNone);
    }
    if (Frame == clNone)
      return;
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(Frame);
    if (k.Rounded)
      c->RoundRect(r.Left, r.Top, r.Right, r.Bottom, 8, 8);
    else
      c->Rectangle(r);
  };
  const bool checkedLook = FStyle == tasCheck && FDown;
  if (!Hot()) {
    if (FState == bsExclusive && !checkedLook)
      face(k.ColorChecked, k.ColorCheckedTo, k.BorderDownColor);
    else if (checkedLook)
      face(k.ColorChecked, k.ColorCheckedTo, k.BorderColor);
    else
      face(k.Color, k.ColorTo, k.BorderColor);
  } else if (FState == bsDown) {
    face(k.ColorDown, k.ColorDownTo, k.BorderDownColor);
  } else if (checkedLook || FState == bsExclusive) {
    face(k.ColorChecked, k.ColorCheckedTo, k.BorderHotColor);
  } else {
    face(k.ColorHot, k.ColorHotTo, k.BorderHotColor);
  }
  if (FDropDownButton) {
    if (Hot() && k.BorderHotColor != clNone) {
      c->Pen()->SetColor(k.BorderHotColor);
      c->MoveTo(r.Right - DropDownWidth, r.Top);
      c->LineTo(r.Right - DropDownWidth, r.Bottom);
    }
    const int mid = (r.Top + r.Bottom) / 2;
    c->Pen()->SetColor(Font()->Color());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Font()->Color());
    c->Polygon({TPoint(r.Right - 8, mid), TPoint(r.Right - 4, mid), TPoint(r.Right - 6, mid + 1)});
    r.Right -= DropDownWidth;
  }
  // Glyph left of the caption, the pair centred (margin -1) with the spacing between.
  TBitmap *glyph = CurrentGlyph();
  const bool hasGlyph = glyph && !glyph->Empty();
  c->Font()->Assign(Font());
  const int tw = Caption().isEmpty() ? 0 : c->TextWidth(Caption());
  const int gw = hasGlyph ? glyph->Width() : 0;
  const int spacing = hasGlyph && tw > 0 ? 4 : 0;
  int x = r.Left + (r.Right - r.Left - gw - spacing - tw) / 2;
  if (hasGlyph) {
    glyph->SetTransparent(true);
    c->Draw(x, r.Top + (r.Bottom - r.Top - glyph->Height()) / 2, glyph);
    x += gw + spacing;
  }
  if (!Caption().isEmpty()) {
    c->Brush()->SetStyle(bsClear);
    const int th = c->TextHeight(Caption());
    const int y = r.Top + (r.Bottom - r.Top - th) / 2;
    if (!Enabled()) {
      c->Font()->SetColor(clBtnHighlight);
      c->TextOut(x + 1, y + 1, Caption());
      c->Font()->SetColor(clBtnShadow);
    }
    c->TextOut(x, y, Caption());
  }
}

// TZavCheckBox ------------------------------------------------------------------------------

TZavCheckBox::TZavCheckBox(TComponent *AOwner) : TCustomControl(AOwner) {
  FWidth = 98;
  FHeight = 20;
  // Clicks come from Toggle's callers only, so a read-only box still reports them.
  FControlStyle -= csClickEvents;
  SetCaption("TZavCheckBox");
  SetTabStop(false);
}

void TZavCheckBox::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Invalidate();
}

void TZavCheckBox::SetButtonVertAlign(TTextLayout Value) {
  FButtonVertAlign = Value;
  Invalidate();
}

void TZavCheckBox::SetState(TCheckBoxState Value) {
  if (Value == FState)
    return;
  FState = Value;
  Invalidate();
}

void TZavCheckBox::SetEllipsis(bool Value) {
  FEllipsis = Value;
  Invalidate();
}

void TZavCheckBox::Toggle() {
  if (!FReadOnly)
    SetChecked(!Checked());
}

TRect TZavCheckBox::BoxRect() const {
  const int x = FAlignment == taRightJustify ? ClientWidth() - 13 : 0;
  int y = 4;
  if (FButtonVertAlign == tlCenter)
    y = ClientHeight() / 2 - 6;
  else if (FButtonVertAlign == tlBottom)
    y = ClientHeight() - 17;
  return TRect(x, y, x + 13, y + 13);
}

void TZavCheckBox::Pressed() {
  Toggle();
  Click();
}

void TZavCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled())
    return;
  if (CanFocus())
    SetFocus();
  SetMouseCapture(true);
  FDown = true;
  Invalidate();
}

void TZavCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !FDown)
    return;
  SetMouseCapture(false);
  FDown = false;
  Invalidate();
  if (PtInRect(ClientRect(), TPoint(X, Y)) && Focused())
    Pressed();
}

void TZavCheckBox::KeyDown(uint16_t &Key, TShiftState Shift) {
  if (Key == VK_RETURN && FReturnIsTab)
    Key = VK_TAB;
  if (Key == VK_SPACE && !FDown) {
    FDown = true;
    Invalidate();
  }
  TCustomControl::KeyDown(Key, Shift);
}

void TZavCheckBox::KeyUp(uint16_t &Key, TShiftState Shift) {
  if (Key == VK_SPACE && FDown) {
    FDown = false;
    Invalidate();
    Pressed();
  }
  TCustomControl::KeyUp(Key, Shift);
}

void TZavCheckBox::CMMouseEnter(TMessage &Message) {
  TCustomControl::CMMouseEnter(Message);
  FHot = true;
  Invalidate();
}

void TZavCheckBox::CMMouseLeave(TMessage &Message) {
  TCustomControl::CMMouseLeave(Message);
  FHot = false;
  Invalidate();
}

void TZavCheckBox::Paint() {
  TCanvas *c = Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  TRect box = BoxRect();
  uint32_t st = DFCS_BUTTONCHECK;
  if (FState == cbChecked)
    st |= DFCS_CHECKED;
  if (FState == cbGrayed || !Enabled())
    st |= DFCS_INACTIVE;
  if (FDown)
    st |= DFCS_PUSHED;
  DrawFrameControl(c->Handle(), box, DFC_BUTTON, st);

  TRect r = ClientRect();
  r.Top += 4;
  if (FAlignment == taRightJustify) {
    r.Left += 6;
    r.Right -= 9;
  } else {
    r.Left += 15;
  }
  c->Font()->Assign(Font());
  c->Brush()->SetStyle(bsClear);
  const uint32_t fmt = DT_LEFT | DT_TOP | DT_SINGLELINE | (FEllipsis ? DT_END_ELLIPSIS : 0u);
  if (!Enabled()) {
    TRect e = r;
    OffsetRect(e, 1, 1);
    c->Font()->SetColor(clWhite);
    c->DrawText(Caption(), e, fmt);
    c->Font()->SetColor(clGray);
  }
  TRect t = r;
  c->DrawText(Caption(), t, fmt);
  if (Focused()) {
    const int tw = c->TextWidth(Caption()), th = c->TextHeight(Caption());
    c->Brush()->SetStyle(bsSolid);
    c->DrawFocusRect(TRect(r.Left - 2, r.Top, r.Left - 2 + tw + 1 + 2, r.Top + th + 1));
  }
}
