#include "editors/zsg_combo.h"

#include "framework/controls/forms.h"
#include "grid/foundation/themes.h"

namespace {

bool IsMouseButtonDown()
{
  return (GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0 || (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}

// Window rectangle at (0, 0).
TRect WindowRect(const TControl *C) { return TRect(0, 0, C->Width(), C->Height()); }

} // namespace

TZsgCustomCombo::TZsgCustomCombo(TComponent *AOwner)
    : TCustomComboBox(AOwner), FLabelFont(std::make_unique<TFont>())
{
  FButtonWidth = GetSystemMetrics(SM_CXVSCROLL) + 2;
  FIsThemed = IsComCtl6OrLater();
  FLabelFont->OnChange = [this](TObject *Sender) { LabelFontChanged(Sender); };
}

TZsgCustomCombo::~TZsgCustomCombo()
{
  // The label sits on our parent: it goes with us.
  FLabel.reset();
}

void TZsgCustomCombo::Init() { FNormalColor = Color(); }

void TZsgCustomCombo::SelectItem(const QString &AString)
{
  const int i = Items()->IndexOf(AString);
  if (i != -1)
    SetItemIndex(i);
}

void TZsgCustomCombo::Loaded()
{
  TCustomComboBox::Loaded();
  ApplyDropWidth();
  FOldColor = FLoadedColor;
  if (!(FFlatParentColor && !FFlat))
    SetColor(FLoadedColor);
  if (FLabel) {
    if (!FLabelAlwaysEnabled)
      FLabel->SetEnabled(Enabled());
    if (ParentFont())
      FLabel->SetFont(Font());
    UpdateLabel();
  }
  Init();
}

// --- properties ------------------------------------------------------------------------------

void TZsgCustomCombo::SetBorderColor(TColor Value)
{
  if (FBorderColor == Value)
    return;
  FBorderColor = Value;
  if (HandleAllocated())
    Invalidate();
}

void TZsgCustomCombo::SetButtonWidth(int Value)
{
  if (Value < 14 || Value > 32)
    return;
  FButtonWidth = Value;
  Invalidate();
}

void TZsgCustomCombo::SetDropWidth(int Value)
{
  FDropWidth = Value;
  ApplyDropWidth();
}

void TZsgCustomCombo::ApplyDropWidth()
{
  if (FDropWidth > 0)
    SetDroppedWidth(FDropWidth);
}

void TZsgCustomCombo::SetFlat(bool Value)
{
  if (FFlat == Value)
    return;
  FFlat = Value;
  SetCtl3D(!Value);
  if (FFlatParentColor && FFlat && Parent())
    SetColor(Parent()->Brush()->Color());
  if (!(FFlatParentColor && FFlat))
    SetColor(FLoadedColor);
  Invalidate();
}

void TZsgCustomCombo::SetFlatLineColor(TColor Value)
{
  FFlatLineColor = Value;
  Invalidate();
}

void TZsgCustomCombo::SetFlatParentColor(bool Value)
{
  FFlatParentColor = Value;
  Invalidate();
}

void TZsgCustomCombo::SetEtched(bool Value)
{
  if (FEtched == Value)
    return;
  FEtched = Value;
  Invalidate();
}

void TZsgCustomCombo::SetIsWinXP(bool Value)
{
  if (FIsWinXP == Value)
    return;
  FIsWinXP = Value;
  Invalidate();
}

void TZsgCustomCombo::SetColor(TColor Value)
{
  if (ComponentState().Contains(csLoading))
    FLoadedColor = Value;
  TCustomComboBox::SetColor(Value);
}

void TZsgCustomCombo::SetEnabled(bool Value)
{
  const bool changed = Value != Enabled();
  TCustomComboBox::SetEnabled(Value);
  const TComponentState st = ComponentState();
  if (!changed || st.Contains(csLoading) || st.Contains(csDesigning))
    return;
  if (FLabel && !FLabelAlwaysEnabled) {
    FLabel->SetEnabled(Value);
    UpdateLabel();
  }
}

void TZsgCustomCombo::SetVisible(bool Value)
{
  TCustomComboBox::SetVisible(Value);
  if (FLabel)
    FLabel->SetVisible(Value);
}

void TZsgCustomCombo::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  TCustomComboBox::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FLabel && !ComponentState().Contains(csDestroying))
    UpdateLabel();
}

// --- label -----------------------------------------------------------------------------------

QString TZsgCustomCombo::GetLabelCaption() const { return FLabel ? FLabel->Caption() : QString(); }

void TZsgCustomCombo::CreateLabel()
{
  FLabel = std::make_unique<TLabel>(nullptr);
  FLabel->SetParent(Parent());
  FLabel->SetFocusControl(this);
  FLabel->SetFont(FLabelFont.get());
  FLabel->SetParentFont(ParentFont());
}

void TZsgCustomCombo::SetLabelCaption(const QString &Value)
{
  if (!FLabel)
    CreateLabel();
  FLabel->SetCaption(Value);
  UpdateLabel();
}

void TZsgCustomCombo::SetLabelPosition(TLabelPosition Value)
{
  FLabelPosition = Value;
  if (FLabel)
    UpdateLabel();
}

void TZsgCustomCombo::SetLabelMargin(int Value)
{
  FLabelMargin = Value;
  if (FLabel)
    UpdateLabel();
}

void TZsgCustomCombo::SetLabelTransparent(bool Value)
{
  FLabelTransparent = Value;
  if (FLabel)
    UpdateLabel();
}

void TZsgCustomCombo::SetLabelAlwaysEnabled(bool Value)
{
  FLabelAlwaysEnabled = Value;
  if (FLabel)
    UpdateLabel();
}

void TZsgCustomCombo::SetLabelFont(const TFont *Value)
{
  if (!ParentFont() && Value)
    FLabelFont->Assign(Value);
  if (FLabel)
    UpdateLabel();
}

void TZsgCustomCombo::LabelFontChanged(TObject *)
{
  if (FLabel)
    UpdateLabel();
  const TComponentState st = ComponentState();
  if (st.Contains(csDesigning) && !st.Contains(csLoading))
    SetParentFont(false);
}

void TZsgCustomCombo::UpdateLabel()
{
  if (!FLabel)
    return;
  TLabel *L = FLabel.get();
  L->SetTransparent(FLabelTransparent);
  if (!ParentFont())
    L->SetFont(FLabelFont.get());
  TBitmap measure(1, 1);
  measure.Canvas()->SetFont(L->Font());
  TRect r(0, 0, 1000, 255);
  DrawText(measure.Canvas()->Handle(), L->Caption(), -1, r, DT_CALCRECT | DT_HIDEPREFIX);
  const int W = r.Width();
  const int M = FLabelMargin;
  const int vCenter = Top() + (Height() - L->Height()) / 2;
  const int bottom = Top() + Height() - L->Height();
  const int hCenter = Left() + (Width() - L->Width()) / 2;
  int top = Top(), left = Left() - W - M;
  switch (FLabelPosition) {
  case lpLeftTop: break;
  case lpLeftCenter: top = vCenter; break;
  case lpLeftBottom: top = bottom; break;
  case lpTopLeft: top = Top() - L->Height() - M; left = Left(); break;
  case lpBottomLeft: top = Top() + Height() + M; left = Left(); break;
  case lpLeftTopLeft: left = Left() - M; break;
  case lpLeftCenterLeft: top = vCenter; left = Left() - M; break;
  case lpLeftBottomLeft: top = bottom; left = Left() - M; break;
  case lpTopCenter: top = Top() - L->Height() - M; left = hCenter; break;
  case lpBottomCenter: top = Top() + Height() + M; left = hCenter; break;
  case lpRightTop: left = Left() + Width() + M; break;
  case lpRightCenter: top = vCenter; left = Left() + Width() + M; break;
  case lpRighBottom: top = bottom; left = Left() + Width() + M; break;
  }
  L->SetTop(top);
  L->SetLeft(left);
  L->SetVisible(Visible());
}

void TZsgCustomCombo::SetLabelBold(bool Bold)
{
  if (!FLabel)
    return;
  TFontStyles s = FLabel->Font()->Style();
  if (Bold)
    s += fsBold;
  else
    s -= fsBold;
  FLabel->Font()->SetStyle(s);
}

// --- paint decisions -------------------------------------------------------------------------

bool TZsgCustomCombo::DoVisualStyles() const
{
  return FIsThemed && ThemeAPI.Loaded && ThemeAPI.IsThemeActive && ThemeAPI.IsThemeActive() != 0;
}

bool TZsgCustomCombo::IsHot() const
{
  if (ComponentState().Contains(csDesigning))
    return Enabled();
  return FMouseInControl || (Screen && Screen->ActiveControl() == this);
}

bool TZsgCustomCombo::Is3DBorder() const
{
  return !ComponentState().Contains(csDesigning) && IsHot() && FFocusBorder;
}

bool TZsgCustomCombo::OwnPaint() const
{
  if (FIsVista && FButtonColor == clNone)
    return false;
  return FFlat || FButtonColor != clNone || FBorderColor != clNone || (FFocusBorderColor != clNone && FHasFocus) ||
         (!Enabled() && DoVisualStyles() && !FDisabledBorder);
}

TColor TZsgCustomCombo::ControlBorderColor() const
{
  if (!Enabled() && FIsThemed && !FDisabledBorder)
    return ZsgDisabledBorderColor;
  TColor c = FBorderColor;
  if (c == clNone || (FHasFocus && FFocusBorderColor != clNone))
    c = FFocusBorderColor;
  if (c == clNone)
    return clNone;
  if (c == FFocusBorderColor && !FHasFocus)
    return ZsgNoFrame;
  return c;
}

int TZsgCustomCombo::ThemedButtonState() const
{
  if (!Enabled())
    return 4;
  const bool down = IsMouseButtonDown();
  if (down && DroppedDown())
    return 3;
  if (down || !FButtonHover || DroppedDown())
    return 1;
  return 2;
}

TRect TZsgCustomCombo::ButtonRect() const
{
  TRect r = WindowRect(this);
  r.Left += ClientWidth() - FButtonWidth + 2;
  InflateRect(r, -1, -1);
  return r;
}

// --- painting --------------------------------------------------------------------------------

void TZsgCustomCombo::WMPaint(TWMPaint &Message)
{
  HDC DC = static_cast<HDC>(Message.DC);
  if (!DC || !OwnPaint()) {
    TCustomComboBox::WMPaint(Message);
    return;
  }
  const bool leftToRight = true;  // the only reading order here
  if (Style() != csSimple) {
    DC->Brush()->SetColor(Brush()->Color());
    DC->Brush()->SetStyle(bsSolid);
    DC->FillRect(ClientRect());
    if (leftToRight)
      DrawButton(DC);
  }
  PaintWindow(DC);
  if (leftToRight)
    DrawBorders(DC);
}

void TZsgCustomCombo::WMNCPaint(TMessage &Message)
{
  TCustomComboBox::WndProc(Message);
  HDC DC = reinterpret_cast<HDC>(Message.WParam);
  if (!DC)
    return;
  if (FFlat || (!Enabled() && DoVisualStyles() && !FDisabledBorder))
    DrawBorders(DC);
  if ((FFocusBorderColor != clNone && FHasFocus) || FBorderColor != clNone)
    DrawBorders(DC);
}

void TZsgCustomCombo::DrawButton(HDC DC)
{
  TRect r = ButtonRect();
  if (FButtonColor == clNone && DoVisualStyles()) {
    if (HTHEME theme = ThemeAPI.OpenThemeData(Handle(), QStringLiteral("combobox"))) {
      ThemeAPI.DrawThemeBackground(theme, DC, 1, ThemedButtonState(), &r, nullptr);
      ThemeAPI.CloseThemeData(theme);
    }
  } else if (FButtonColor == clNone) {
    r.Left -= 4;
    r.Top += 1;
    r.Bottom -= 1;
    DrawFrameControl(DC, r, DFC_SCROLL, Enabled() ? DFCS_SCROLLCOMBOBOX | DFCS_FLAT : DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE);
  } else {
    const bool down = IsMouseButtonDown();
    TColor back = FButtonColor;
    if (FButtonHover)
      back = down ? FButtonColorDown : FButtonColorHot;
    DC->Brush()->SetColor(back);
    DC->Brush()->SetStyle(bsSolid);
    DC->Pen()->SetColor(back);
    DC->Rectangle(r.Left - 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    DC->Pen()->SetColor(FButtonBorderColor);
    DC->MoveTo(r.Left, r.Top);
    DC->LineTo(r.Left, r.Bottom);
    const TColor arrow = down ? FButtonTextColorDown : FButtonTextColor;
    DC->Brush()->SetColor(arrow);
    DC->Pen()->SetColor(arrow);
    DC->Polygon({TPoint(r.Left + 4, r.Top + 7), TPoint(r.Left + 10, r.Top + 7), TPoint(r.Left + 7, r.Top + 10)});
  }
  DC->ExcludeClipRect(TRect(ClientWidth() - FButtonWidth - 4, 0, ClientWidth() + 2, ClientHeight()));
}

void TZsgCustomCombo::DrawBorders(HDC DC)
{
  if ((Enabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) ||
      (FIsVista && FBorderColor == clNone))
    return;
  if (!DC) {
    // Borders belong to the window's paint: ask for one.
    Invalidate();
    return;
  }
  DrawControlBorder(DC);
  if (Style() != csSimple && (!FIsWinXP || !DoVisualStyles()))
    DrawButtonBorder(DC);
}

void TZsgCustomCombo::DrawControlBorder(HDC DC)
{
  TRect R = WindowRect(this);
  const TColor c = ControlBorderColor();
  if (c == ZsgNoFrame)
    return;
  if (c != clNone) {
    FrameRect(DC, R, c);
    return;
  }
  const bool sunken = Is3DBorder();
  const TColor outer = sunken ? clBtnFace : (Parent() ? Parent()->Brush()->Color() : clBtnFace);
  const TColor inner = Color();
  if (sunken) {
    DrawEdge(DC, R, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    FrameRect(DC, R, outer);
    InflateRect(R, -1, -1);
    FrameRect(DC, R, inner);
  } else {
    FrameRect(DC, R, outer);
    InflateRect(R, -1, -1);
    FrameRect(DC, TRect(R.Left, R.Top, R.Right - FButtonWidth, R.Bottom), outer);
    InflateRect(R, -1, -1);
    FrameRect(DC, R, inner);
  }
  if (FFlat && FFlatLineColor != clNone) {
    DC->Pen()->SetColor(FFlatLineColor);
    DC->Pen()->SetWidth(1);
    DC->MoveTo(R.Left - 2, Height() - 1);
    DC->LineTo(R.Right - FButtonWidth - 1, Height() - 1);
  }
}

void TZsgCustomCombo::DrawButtonBorder(HDC DC)
{
  DC->ExcludeClipRect(TRect(ClientWidth() - FButtonWidth + 4, 4, ClientWidth() - 4, ClientHeight() - 4));
  TRect R = WindowRect(this);
  R.Left += ClientWidth() - FButtonWidth - 2;
  InflateRect(R, -2, -2);
  if (!IsHot()) {
    InflateRect(R, 0, -1);
    R.Right -= 1;
    FillRect(DC, R, clBtnFace);
  }
  DC->ExcludeClipRect(R);
}

// --- messages --------------------------------------------------------------------------------

void TZsgCustomCombo::WndProc(TMessage &Message)
{
  if (Message.Msg == WM_NCPAINT) {
    WMNCPaint(Message);
    return;
  }
  TCustomComboBox::WndProc(Message);
}

void TZsgCustomCombo::CMEnter(TCMEnter &Message)
{
  if (!ComponentState().Contains(csDesigning)) {
    FHasFocus = true;
    DrawBorders();
    if (FFocusColor != clNone)
      SetColor(FFocusColor);
    if (FFocusLabel)
      SetLabelBold(true);
  }
  TCustomComboBox::CMEnter(Message);
}

void TZsgCustomCombo::CMExit(TCMExit &Message)
{
  if (!ComponentState().Contains(csDesigning)) {
    FHasFocus = false;
    DrawBorders();
    if (FFocusColor != clNone && FNormalColor != clNone)
      SetColor(FNormalColor);
    SetLabelBold(false);
  }
  TCustomComboBox::CMExit(Message);
}

void TZsgCustomCombo::WMSetFocus(TWMSetFocus &Message)
{
  TCustomComboBox::WMSetFocus(Message);
  if (FFocusBorderColor != clNone)
    Invalidate();
  if (FFocusColor != clNone)
    SetColor(FFocusColor);
  if (FFocusLabel)
    SetLabelBold(true);
}

void TZsgCustomCombo::WMKillFocus(TWMKillFocus &Message)
{
  TCustomComboBox::WMKillFocus(Message);
  if (FFocusColor != clNone && FNormalColor != clNone)
    SetColor(FNormalColor);
  SetLabelBold(false);
  Invalidate();
}

void TZsgCustomCombo::CMMouseEnter(TMessage &Message)
{
  TCustomComboBox::CMMouseEnter(Message);
  if (!FMouseInControl && Enabled()) {
    FMouseInControl = true;
    DrawBorders();
  }
  if (FAutoFocus && !ComponentState().Contains(csDesigning)) {
    TCustomForm *form = GetParentForm(this);
    if ((!form || form->Active()) && CanFocus())
      SetFocus();
  }
  if (FIsWinXP)
    Invalidate();
}

void TZsgCustomCombo::CMMouseLeave(TMessage &Message)
{
  TCustomComboBox::CMMouseLeave(Message);
  if (FMouseInControl && Enabled()) {
    FMouseInControl = false;
    DrawBorders();
  }
  FButtonHover = false;
  if (FIsWinXP)
    Invalidate();
}

void TZsgCustomCombo::MouseMove(TShiftState Shift, int X, int Y)
{
  TCustomComboBox::MouseMove(Shift, X, Y);
  const bool hover = Width() - FButtonWidth < X && X < Width();
  if (hover != FButtonHover) {
    FButtonHover = hover;
    Invalidate();
  }
}

void TZsgCustomCombo::CMEnabledChanged(TMessage &Message)
{
  if (FFlat && !ComponentState().Contains(csLoading)) {
    if (!Enabled()) {
      FOldParentColor = ParentColor();
      FOldColor = Color();
      SetParentColor(true);
    } else {
      SetParentColor(FOldParentColor);
      SetColor(FOldColor);
    }
  }
  TCustomComboBox::CMEnabledChanged(Message);
}

void TZsgCustomCombo::CMFontChanged(TMessage &Message)
{
  TCustomComboBox::CMFontChanged(Message);
  const TComponentState st = ComponentState();
  if (FLabel && ParentFont() && (st.Contains(csDesigning) || st.Contains(csLoading)))
    FLabel->SetFont(Font());
}

void TZsgCustomCombo::CMParentFontChanged(TMessage &Message)
{
  TCustomComboBox::CMParentFontChanged(Message);
  if (FLabel && ParentFont()) {
    FLabel->SetFont(Font());
    UpdateLabel();
  }
}

void TZsgCustomCombo::DropDown()
{
  TCustomComboBox::DropDown();
  if (HandleAllocated()) {
    const TRect strip(ClientWidth() - FButtonWidth, 0, ClientWidth(), ClientHeight());
    InvalidateRect(Handle(), &strip, false);
  }
}

void TZsgCustomCombo::CloseUp()
{
  TCustomComboBox::CloseUp();
  if (HandleAllocated()) {
    const TRect strip(ClientWidth() - FButtonWidth, 0, ClientWidth(), ClientHeight());
    InvalidateRect(Handle(), &strip, false);
  }
  if (OnDropUp)
    OnDropUp(this);
}
