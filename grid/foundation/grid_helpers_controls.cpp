// The search panel's push button and check box.
#include "grid/foundation/grid_helpers.h"

#include "grid/foundation/themes.h"

#include <algorithm>

namespace {

constexpr int DropDownWidth = 12;

// Visual-style part and state numbers of the button class.
constexpr int BP_PUSHBUTTON = 1, BP_CHECKBOX = 3;
constexpr int PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4;
constexpr int CBS_UNCHECKEDNORMAL = 1, CBS_CHECKEDNORMAL = 5, CBS_MIXEDNORMAL = 9;

bool ThemesActive()
{
  return ThemeAPI.Loaded && ThemeAPI.IsThemeActive && ThemeAPI.IsThemeActive() != 0 && ThemeAPI.OpenThemeData &&
         ThemeAPI.DrawThemeBackground && ThemeAPI.CloseThemeData;
}

// Draws one part of the "BUTTON" visual style; false when no style can draw it.
bool DrawThemedButtonPart(HWND Wnd, TCanvas *Canvas, int Part, int State, const TRect &R)
{
  if (!ThemesActive())
    return false;
  HTHEME theme = ThemeAPI.OpenThemeData(Wnd, QStringLiteral("BUTTON"));
  if (!theme)
    return false;
  ThemeAPI.DrawThemeBackground(theme, Canvas->Handle(), Part, State, &R, nullptr);
  ThemeAPI.CloseThemeData(theme);
  return true;
}

void FillSolid(TCanvas *c, const TRect &R, TColor Color)
{
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color);
  c->FillRect(R);
}

}  // namespace

void CalcZavGridButtonLayout(const TRect &Client, TSize GlyphSize, TSize TextSize, TButtonLayout Layout, int Margin,
                             int Spacing, TPoint &GlyphPos, TRect &TextBounds)
{
  const int cw = Client.Width(), ch = Client.Height();
  const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  TPoint g, t;
  if (horizontal) {
    g.Y = (ch - GlyphSize.cy + 1) / 2;
    t.Y = (ch - TextSize.cy + 1) / 2;
  } else {
    g.X = (cw - GlyphSize.cx + 1) / 2;
    t.X = (cw - TextSize.cx + 1) / 2;
  }
  if (TextSize.cx == 0 || GlyphSize.cx == 0)
    Spacing = 0;
  const int extent = horizontal ? cw : ch;
  const int glyphExtent = horizontal ? GlyphSize.cx : GlyphSize.cy;
  const int textExtent = horizontal ? TextSize.cx : TextSize.cy;
  if (Margin == -1) {
    if (Spacing == -1) {
      Margin = (extent - glyphExtent - textExtent) / 3;
      Spacing = Margin;
    } else {
      Margin = (extent - (glyphExtent + Spacing + textExtent) + 1) / 2;
    }
  } else if (Spacing == -1) {
    Spacing = (extent - (Margin + glyphExtent) - textExtent) / 2;
  }
  switch (Layout) {
  case blGlyphLeft:
    g.X = Margin;
    t.X = g.X + GlyphSize.cx + Spacing;
    break;
  case blGlyphRight:
    g.X = cw - Margin - GlyphSize.cx;
    t.X = g.X - Spacing - TextSize.cx;
    break;
  case blGlyphTop:
    g.Y = Margin;
    t.Y = g.Y + GlyphSize.cy + Spacing;
    break;
  case blGlyphBottom:
    g.Y = ch - Margin - GlyphSize.cy;
    t.Y = g.Y - Spacing - TextSize.cy;
    break;
  }
  GlyphPos = TPoint(Client.Left + g.X, Client.Top + g.Y);
  TextBounds = Bounds(Client.Left + t.X, Client.Top + t.Y, TextSize.cx, TextSize.cy);
}

// TZavGridAction ----------------------------------------------------------------------------

TZavGridAction::~TZavGridAction()
{
  for (TZavGridButtonActionLink *l : FClients)
    l->FAction = nullptr;
}

namespace {
// The linked buttons are told first, so that they compare against the old value.
template <class T, class Forward>
void ChangeLinked(T &Field, const T &Value, const std::vector<TZavGridButtonActionLink *> &Clients, Forward Fn)
{
  if (Value == Field)
    return;
  for (TZavGridButtonActionLink *l : std::vector(Clients))
    Fn(l);
  Field = Value;
}
}  // namespace

void TZavGridAction::SetCaption(const QString &Value)
{
  ChangeLinked(FCaption, Value, FClients, [&](TZavGridButtonActionLink *l) { l->SetCaption(Value); });
}

void TZavGridAction::SetChecked(bool Value)
{
  ChangeLinked(FChecked, Value, FClients, [&](TZavGridButtonActionLink *l) { l->SetChecked(Value); });
}

void TZavGridAction::SetGroupIndex(int Value)
{
  ChangeLinked(FGroupIndex, Value, FClients, [&](TZavGridButtonActionLink *l) { l->SetGroupIndex(Value); });
}

bool TZavGridAction::Execute()
{
  if (!OnExecute)
    return false;
  OnExecute(this);
  return true;
}

void TZavGridButtonActionLink::SetAction(TZavGridAction *Value)
{
  if (Value == FAction)
    return;
  if (FAction)
    std::erase(FAction->FClients, this);
  FAction = Value;
  if (FAction)
    FAction->FClients.push_back(this);
}

bool TZavGridButtonActionLink::IsCaptionLinked() const { return FAction && FClient->Caption() == FAction->Caption(); }

bool TZavGridButtonActionLink::IsCheckedLinked() const
{
  return FAction && FClient->GroupIndex() != 0 && FClient->AllowAllUp() && FClient->Down() == FAction->Checked();
}

bool TZavGridButtonActionLink::IsGroupIndexLinked() const
{
  return FAction && FClient->GroupIndex() == FAction->GroupIndex();
}

void TZavGridButtonActionLink::SetCaption(const QString &Value)
{
  if (IsCaptionLinked())
    FClient->SetCaption(Value);
}

void TZavGridButtonActionLink::SetChecked(bool Value)
{
  if (IsCheckedLinked())
    FClient->SetDown(Value);
}

void TZavGridButtonActionLink::SetGroupIndex(int Value)
{
  if (IsGroupIndexLinked())
    FClient->SetGroupIndex(Value);
}

// TZavGridButton ----------------------------------------------------------------------------

TZavGridButton::TZavGridButton(TComponent *AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()), FGlyphHot(std::make_unique<TBitmap>()),
      FGlyphDown(std::make_unique<TBitmap>()), FGlyphDisabled(std::make_unique<TBitmap>()),
      FGlyphShade(std::make_unique<TBitmap>())
{
  FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
  FWidth = 22;
  FHeight = 23;
  FIsComCtl6 = IsComCtl6OrLater();
}

TZavGridButton::~TZavGridButton() = default;

void TZavGridButton::SetLook(int Value)
{
  FLook = Value;
  ApplyZavGridButtonLook(FColors, Value);
  Invalidate();
}

void TZavGridButton::SetFlat(bool Value)
{
  FColors.Flat = Value;
  Invalidate();
}

namespace {
void AssignGlyph(TBitmap *Target, const TBitmap *Value)
{
  if (Value)
    Target->Assign(const_cast<TBitmap *>(Value));
  else
    Target->SetSize(0, 0);
}
}  // namespace

void TZavGridButton::SetGlyph(const TBitmap *Value)
{
  AssignGlyph(FGlyph.get(), Value);
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

void TZavGridButton::SetGlyphHot(const TBitmap *Value)
{
  AssignGlyph(FGlyphHot.get(), Value);
  Invalidate();
}

void TZavGridButton::SetGlyphDown(const TBitmap *Value)
{
  AssignGlyph(FGlyphDown.get(), Value);
  Invalidate();
}

void TZavGridButton::SetGlyphDisabled(const TBitmap *Value)
{
  AssignGlyph(FGlyphDisabled.get(), Value);
  Invalidate();
}

TBitmap *TZavGridButton::CurrentGlyph() const
{
  TBitmap *g = nullptr;
  if (!Enabled())
    g = FGlyphDisabled.get();
  else if (FState == bsDown || FState == bsExclusive || FDown)
    g = FGlyphDown.get();
  else if (Hot())
    g = FGlyphHot.get();
  return g && !g->Empty() ? g : FGlyph.get();
}

void TZavGridButton::CreateGlyphShade()
{
  FGlyphShade->SetSize(0, 0);
  if (FGlyph->Empty())
    return;
  const int w = FGlyph->Width(), h = FGlyph->Height();
  FGlyphShade->SetSize(w, h);
  TCanvas *s = FGlyphShade->Canvas();
  FillSolid(s, TRect(0, 0, w, h), clBlack);
  const TCanvas *g = FGlyph->Canvas();
  const TColor transparent = g->Pixels(0, h - 1);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (g->Pixels(x, y) != transparent)
        s->SetPixels(x, y, clGray);
}

void TZavGridButton::SetShaded(bool Value)
{
  FShaded = Value;
  if (Value && !ComponentState().Contains(csLoading))
    CreateGlyphShade();
  Invalidate();
}

void TZavGridButton::SetLayout(TButtonLayout Value)
{
  FLayout = Value;
  Invalidate();
}

void TZavGridButton::SetMargin(int Value)
{
  if (Value < -1)
    return;
  FMargin = Value;
  Invalidate();
}

void TZavGridButton::SetSpacing(int Value)
{
  FSpacing = Value;
  Invalidate();
}

void TZavGridButton::SetShowCaption(bool Value)
{
  FShowCaption = Value;
  Invalidate();
}

void TZavGridButton::SetAutoThemeAdapt(bool Value)
{
  FAutoThemeAdapt = Value;
  if (Value && !ComponentState().Contains(csLoading))
    ThemeAdapt();
}

void TZavGridButton::SetAutoXPStyle(bool Value)
{
  FAutoXPStyle = Value;
  Invalidate();
}

void TZavGridButton::ThemeAdapt()
{
  switch (GetXPVisualStyle()) {
  case 1: SetLook(2); break;
  case 2: SetLook(3); break;
  case 3: SetLook(4); break;
  default: SetLook(1); break;
  }
}

void TZavGridButton::Loaded()
{
  TGraphicControl::Loaded();
  CreateGlyphShade();
  if (FAutoThemeAdapt)
    ThemeAdapt();
}

void TZavGridButton::Dispatch(TMessage &Message)
{
  if ((Message.Msg == WM_THEMECHANGED || Message.Msg == CM_SYSFONTCHANGED) && FAutoThemeAdapt)
    ThemeAdapt();
  TGraphicControl::Dispatch(Message);
}

void TZavGridButton::SetAction(TZavGridAction *Value)
{
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink)
    FActionLink = std::make_unique<TZavGridButtonActionLink>(this);
  FActionLink->SetAction(Value);
  SetCaption(Value->Caption());
  SetGroupIndex(Value->GroupIndex());
  if (FGroupIndex != 0 && FAllowAllUp)
    SetDown(Value->Checked());
}

void TZavGridButton::SetStyle(TZavGridButtonStyle Value)
{
  FStyle = Value;
  Invalidate();
}

void TZavGridButton::SetDropDownButton(bool Value)
{
  FDropDownButton = Value;
  Invalidate();
}

void TZavGridButton::SetDown(bool Value)
{
  if (FGroupIndex == 0 && FStyle == tasButton)
    Value = false;
  if (Value == FDown)
    return;
  if (FDown && FGroupIndex != 0 && !FAllowAllUp)
    return;  // the last button down of a group stays down
  FDown = Value;
  FState = Value ? (FGroupIndex != 0 ? bsExclusive : bsDown) : bsUp;
  if (Value)
    UpdateExclusive();
  Invalidate();
}

// An assigned OnClick wins over the linked action.
void TZavGridButton::Click()
{
  if (!OnClick && FActionLink && FActionLink->Execute())
    return;
  TGraphicControl::Click();
}

void TZavGridButton::DblClick()
{
  if (FDown)
    TGraphicControl::DblClick();
}

void TZavGridButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
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

void TZavGridButton::MouseMove(TShiftState Shift, int X, int Y)
{
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

void TZavGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
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

void TZavGridButton::CMMouseEnter(TMessage &Message)
{
  TGraphicControl::CMMouseEnter(Message);
  FMouseInControl = true;
  if (Enabled())
    Invalidate();
}

void TZavGridButton::CMMouseLeave(TMessage &Message)
{
  TGraphicControl::CMMouseLeave(Message);
  FMouseInControl = false;
  if (Enabled())
    Invalidate();
}

void TZavGridButton::CMEnabledChanged(TMessage &Message)
{
  TGraphicControl::CMEnabledChanged(Message);
  if (!Enabled()) {
    FMouseInControl = false;
    FState = bsDisabled;
  } else if (FState == bsDisabled) {
    FState = FDown ? (FGroupIndex != 0 ? bsExclusive : bsDown) : bsUp;
  }
  Invalidate();
}

void TZavGridButton::CMTextChanged(TMessage &Message)
{
  TGraphicControl::CMTextChanged(Message);
  Invalidate();
}

bool TZavGridButton::Hot() const
{
  return FMouseInControl && Enabled() && !ComponentState().Contains(TComponentStateItem::csDesigning);
}

TRect TZavGridButton::PaintFlatFace()
{
  TCanvas *c = Canvas();
  TRect r = ClientRect();
  InflateRect(r, -1, -1);
  const TZavGridButtonColors &k = FColors;
  // A face in one colour or a 16-step vertical gradient, framed unless the frame is clNone.
  const auto face = [&](TColor From, TColor To, TColor Frame) {
    if (To == clNone)
      FillSolid(c, r, From);
    else
      DrawButtonGradient(c, From, To, false, r, 16, clNone);
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
  if (FDropDownButton && Hot() && k.BorderHotColor != clNone) {
    c->Pen()->SetColor(k.BorderHotColor);
    c->MoveTo(r.Right - DropDownWidth, r.Top);
    c->LineTo(r.Right - DropDownWidth, r.Bottom);
  }
  return r;
}

TRect TZavGridButton::PaintButtonFace()
{
  TCanvas *c = Canvas();
  const TRect full = ClientRect();
  TRect r = full;
  InflateRect(r, -1, -1);
  const bool pressed = FState == bsDown || FState == bsExclusive;
  if (FAutoXPStyle && FIsComCtl6) {
    int state = PBS_NORMAL;
    if (!Enabled())
      state = PBS_DISABLED;
    else if (pressed)
      state = PBS_PRESSED;
    else if (Hot())
      state = PBS_HOT;
    if (DrawThemedButtonPart(Parent() ? Parent()->Handle() : nullptr, c, BP_PUSHBUTTON, state, full))
      return r;
  }
  TRect frame = full;
  DrawFrameControl(c->Handle(), frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0u));
  return r;
}

void TZavGridButton::Paint()
{
  TCanvas *c = Canvas();
  if (!FTransparent)
    FillSolid(c, ClientRect(), Color());
  TRect r = FColors.Flat ? PaintFlatFace() : PaintButtonFace();
  const bool pressed = FState == bsDown || FState == bsExclusive;

  if (FDropDownButton) {
    const int mid = (r.Top + r.Bottom) / 2;
    c->Pen()->SetColor(Font()->Color());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Font()->Color());
    c->Polygon({TPoint(r.Right - 8, mid), TPoint(r.Right - 4, mid), TPoint(r.Right - 6, mid + 1)});
    r.Right -= DropDownWidth;
  }

  TBitmap *glyph = CurrentGlyph();
  const bool hasGlyph = glyph && !glyph->Empty();
  const QString caption = FShowCaption ? Caption() : QString();
  c->Font()->Assign(Font());
  TRect measured(0, 0, r.Width(), 0);
  if (!caption.isEmpty())
    c->DrawText(caption, measured, DT_CALCRECT | DT_SINGLELINE);
  const TSize textSize = caption.isEmpty() ? TSize(0, 0) : TSize(measured.Width(), measured.Height());
  const TSize glyphSize = hasGlyph ? TSize(glyph->Width(), glyph->Height()) : TSize(0, 0);
  TPoint gp;
  TRect tb;
  CalcZavGridButtonLayout(r, glyphSize, textSize, FLayout, FMargin, FSpacing, gp, tb);
  if (!FColors.Flat && pressed) {
    gp = TPoint(gp.X + 1, gp.Y + 1);
    OffsetRect(tb, 1, 1);
  }
  if (FColors.Flat && FShaded && Hot() && !pressed) {
    // The lifted look: a grey shadow below right, glyph and caption a pixel up and left.
    if (hasGlyph && !FGlyphShade->Empty())
      DrawTransparentBitmap(c, gp.X + 2, gp.Y + 2, FGlyphShade.get());
    gp = TPoint(gp.X - 1, gp.Y - 1);
    OffsetRect(tb, -1, -1);
  }
  if (hasGlyph)
    DrawTransparentBitmap(c, gp.X, gp.Y, glyph);
  if (caption.isEmpty())
    return;
  c->Brush()->SetStyle(bsClear);
  constexpr uint32_t fmt = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (!Enabled()) {
    TRect e = tb;
    OffsetRect(e, 1, 1);
    c->Font()->SetColor(clBtnHighlight);
    c->DrawText(caption, e, fmt);
    c->Font()->SetColor(clBtnShadow);
  }
  c->DrawText(caption, tb, fmt);
}

// TZavCheckBox ------------------------------------------------------------------------------

bool UseThemedCheckBox() { return IsWinXPOrLater() && ThemesActive() && IsComCtl6OrLater(); }

TZavCheckBox::TZavCheckBox(TComponent *AOwner) : TCustomControl(AOwner), FBkgBmp(std::make_unique<TBitmap>())
{
  FWidth = 98;
  FHeight = 20;
  // Clicks come from Toggle's callers only, so a read-only box still reports them.
  FControlStyle -= csClickEvents;
  SetCaption("TZavCheckBox");
  SetTabStop(false);
  FIsWinXP = IsWinXPOrLater();
}

TZavCheckBox::~TZavCheckBox() = default;

void TZavCheckBox::SetAlignment(TAlignment Value)
{
  FAlignment = Value;
  Invalidate();
}

void TZavCheckBox::SetButtonVertAlign(TTextLayout Value)
{
  FButtonVertAlign = Value;
  Invalidate();
}

void TZavCheckBox::SetState(TCheckBoxState Value)
{
  if (Value == FState)
    return;
  FState = Value;
  Invalidate();
}

void TZavCheckBox::SetEllipsis(bool Value)
{
  FEllipsis = Value;
  Invalidate();
}

void TZavCheckBox::SetTransparent(bool Value)
{
  FTransparent = Value;
  FBkgBmp->SetSize(0, 0);
  if (Value)
    FControlStyle -= csOpaque;
  else
    FControlStyle += csOpaque;
  Invalidate();
}

void TZavCheckBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  if (FTransparent)
    FBkgBmp->SetSize(0, 0);
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TZavCheckBox::Toggle()
{
  if (!FReadOnly)
    SetChecked(!Checked());
}

TRect TZavCheckBox::BoxRect() const
{
  const bool themed = UseThemedCheckBox();
  const int size = themed ? 14 : 13;
  const int x = FAlignment == taRightJustify ? ClientWidth() - (themed ? 15 : 13) : 0;
  int y = 4;
  if (FButtonVertAlign == tlCenter)
    y = ClientHeight() / 2 - 6;
  else if (FButtonVertAlign == tlBottom)
    y = ClientHeight() - (themed ? 14 : 17);
  return TRect(x, y, x + size, y + size);
}

void TZavCheckBox::Pressed()
{
  Toggle();
  Click();
}

void TZavCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled())
    return;
  if (CanFocus())
    SetFocus();
  SetMouseCapture(true);
  FDown = true;
  Invalidate();
}

void TZavCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !FDown)
    return;
  SetMouseCapture(false);
  FDown = false;
  Invalidate();
  if (PtInRect(ClientRect(), TPoint(X, Y)) && Focused())
    Pressed();
}

void TZavCheckBox::KeyDown(uint16_t &Key, TShiftState Shift)
{
  if (Key == VK_RETURN && FReturnIsTab)
    Key = VK_TAB;
  if (Key == VK_SPACE && !FDown) {
    FDown = true;
    Invalidate();
  }
  TCustomControl::KeyDown(Key, Shift);
}

void TZavCheckBox::KeyUp(uint16_t &Key, TShiftState Shift)
{
  if (Key == VK_SPACE && FDown) {
    FDown = false;
    Invalidate();
    Pressed();
  }
  TCustomControl::KeyUp(Key, Shift);
}

// The accelerator acts like a click, so the panel hears of the change as from the mouse.
void TZavCheckBox::CMDialogChar(TCMDialogChar &Message)
{
  if (TabStop() && Enabled() && IsAccel(Message.CharCode, Caption()) && CanFocus()) {
    SetFocus();
    Pressed();
    AsMessage(Message).Result = 1;
    return;
  }
  TCustomControl::CMDialogChar(Message);
}

void TZavCheckBox::WMEraseBkgnd(TWMEraseBkgnd &Message)
{
  if (FTransparent) {
    AsMessage(Message).Result = 1;
    return;
  }
  TCustomControl::WMEraseBkgnd(Message);
}

void TZavCheckBox::CMMouseEnter(TMessage &Message)
{
  TCustomControl::CMMouseEnter(Message);
  FHot = true;
  Invalidate();
}

void TZavCheckBox::CMMouseLeave(TMessage &Message)
{
  TCustomControl::CMMouseLeave(Message);
  FHot = false;
  Invalidate();
}

// What the parent painted under this control, clipped to the parent's client area; a parent
// without a canvas of its own gives its brush colour.
void TZavCheckBox::PaintParentBackground(TCanvas *Target)
{
  TWinControl *p = Parent();
  if (!p)
    return;
  TRect area;
  IntersectRect(area, BoundsRect(), p->ClientRect());
  TRect dest = area;
  OffsetRect(dest, -Left(), -Top());
  auto *painted = dynamic_cast<TCustomControl *>(p);
  if (painted && painted->HandleAllocated())
    Target->CopyRect(dest, painted->Canvas(), area);
  else
    FillSolid(Target, dest, p->Brush()->Color());
}

void TZavCheckBox::PaintBox(TCanvas *c)
{
  TRect box = BoxRect();
  if (UseThemedCheckBox()) {
    int state = FState == cbChecked ? CBS_CHECKEDNORMAL : FState == cbGrayed ? CBS_MIXEDNORMAL : CBS_UNCHECKEDNORMAL;
    if (!Enabled())
      state += 3;
    else if (FDown)
      state += 2;
    else if (FHot)
      state += 1;
    if (DrawThemedButtonPart(Handle(), c, BP_CHECKBOX, state, box))
      return;
  }
  uint32_t st = DFCS_BUTTONCHECK;
  if (FState == cbChecked)
    st |= DFCS_CHECKED;
  if (FState == cbGrayed || !Enabled())
    st |= DFCS_INACTIVE;
  if (FDown)
    st |= DFCS_PUSHED;
  DrawFrameControl(c->Handle(), box, DFC_BUTTON, st);
}

void TZavCheckBox::Paint()
{
  TCanvas *c = Canvas();
  if (!FTransparent) {
    FillSolid(c, ClientRect(), Color());
  } else if (FBkgCache) {
    if (FBkgBmp->Empty()) {
      FBkgBmp->SetSize(ClientWidth(), ClientHeight());
      PaintParentBackground(FBkgBmp->Canvas());
    }
    c->Draw(0, 0, FBkgBmp.get());
  } else {
    PaintParentBackground(c);
  }
  PaintBox(c);

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
    // Measured as drawn: the accelerator's "&" takes no room.
    TRect m(0, 0, r.Width(), 0);
    c->DrawText(Caption(), m, DT_CALCRECT | DT_SINGLELINE);
    c->Brush()->SetStyle(bsSolid);
    c->DrawFocusRect(TRect(r.Left - 2, r.Top, r.Left - 2 + m.Width() + 1 + 2, r.Top + m.Height() + 1));
  }
}
