#include "framework/stdctrls/stdctrls.h"

TCustomLabel::TCustomLabel(TComponent *AOwner) : TGraphicControl(AOwner)
{
  FControlStyle = FControlStyle + csReplicatable;
  FControlStyle += csOpaque;
  FWidth = 65;
  FHeight = 17;
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
  if (FAlignment == Value)
    return;
  // A pending measurement places the label as the settings it was asked under did (so in
  // SetAutoSize and SetWordWrap too).
  BoundsNeeded();
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value)
{
  if (FAutoSize == Value)
    return;
  BoundsNeeded();
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
  if (FLayout == Value)
    return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value)
{
  if (FWordWrap == Value)
    return;
  BoundsNeeded();
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value)
{
  if (FTransparent == Value)
    return;
  FTransparent = Value;
  if (Value)
    FControlStyle -= csOpaque;
  else
    FControlStyle += csOpaque;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
  if (FShowAccelChar == Value)
    return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl *Value)
{
  if (FFocusControl == Value)
    return;
  if (FFocusControl)
    FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent *AComponent, TOperation Operation)
{
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl)
    FFocusControl = nullptr;
}

void TCustomLabel::DoDrawText(TRect &Rect, uint32_t Flags)
{
  QString text = GetLabelText();
  if ((Flags & DT_CALCRECT) && (text.isEmpty() || (FShowAccelChar && text == QLatin1String("&"))))
    text = QStringLiteral(" ");
  if (!FShowAccelChar)
    Flags |= DT_NOPREFIX;
  TCanvas *c = Canvas();
  c->Font()->Assign(Font());
  if (!Enabled()) {
    OffsetRect(Rect, 1, 1);
    c->Font()->SetColor(clBtnHighlight);
    c->DrawText(text, Rect, Flags);
    OffsetRect(Rect, -1, -1);
    c->Font()->SetColor(clBtnShadow);
    c->DrawText(text, Rect, Flags);
  } else {
    c->DrawText(text, Rect, Flags);
  }
}

void TCustomLabel::Paint()
{
  TCanvas *c = Canvas();
  TRect rect = ClientRect();
  if (!FTransparent) {
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(rect);
  }
  c->Brush()->SetStyle(bsClear);
  uint32_t flags = DT_EXPANDTABS | (FWordWrap ? uint32_t(DT_WORDBREAK) : 0u);
  switch (FAlignment) {
  case taRightJustify: flags |= DT_RIGHT; break;
  case taCenter: flags |= DT_CENTER; break;
  default: break;
  }
  if (FLayout != tlTop) {
    TRect calc = rect;
    DoDrawText(calc, flags | DT_CALCRECT);
    const int h = calc.Height();
    if (FLayout == tlBottom)
      OffsetRect(rect, 0, rect.Height() - h);
    else
      OffsetRect(rect, 0, (rect.Height() - h) / 2);
  }
  DoDrawText(rect, flags);
}

namespace {

int LabelMeasurements = 0;

// One canvas for every measurement: the label may have no parent yet, and a bitmap per call
// cost more than the measuring. Left to the end of the process, after the GUI is gone.
TCanvas *MeasuringCanvas()
{
  static TBitmap *scratch = new TBitmap(1, 1);
  return scratch->Canvas();
}

}  // namespace

int TCustomLabel::Measurements() { return LabelMeasurements; }

void TCustomLabel::AdjustBounds()
{
  if (!FAutoSize || ComponentState().Contains(csLoading))
    return;
  // A label nobody sees yet is measured once, when it is shown or its size is read, instead
  // of on every font and caption step of building its form. Only where measuring keeps its
  // place (not centred or right-aligned on one line) and moves no neighbour (not aligned or
  // anchored).
  if ((FWordWrap || FAlignment == taLeftJustify) && FAlign == alNone && FAnchors == TAnchors{akLeft, akTop} &&
      !IsShowing()) {
    FBoundsPending = true;
    return;
  }
  ResolveBounds();
}

void TCustomLabel::ResolveBounds()
{
  FBoundsPending = false;
  if (!FAutoSize || ComponentState().Contains(csLoading))
    return;
  ++LabelMeasurements;
  TCanvas *c = MeasuringCanvas();
  c->Font()->Assign(Font());
  TRect rect = ClientRect();
  if (!FWordWrap)
    rect.Right = rect.Left + 0x7FFF;
  QString text = GetLabelText();
  if (text.isEmpty() || (FShowAccelChar && text == QLatin1String("&")))
    text = QStringLiteral(" ");
  uint32_t flags = DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? uint32_t(DT_WORDBREAK) : 0u) | (FShowAccelChar ? 0u : uint32_t(DT_NOPREFIX));
  c->DrawText(text, rect, flags);
  int x = Left();
  const int w = rect.Width();
  if (!FWordWrap && FAlignment == taRightJustify)
    x += Width() - w;
  else if (!FWordWrap && FAlignment == taCenter)
    x += (Width() - w) / 2;
  SetBounds(x, Top(), FWordWrap ? Width() : w, rect.Height());
}

void TCustomLabel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  BoundsNeeded();
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

TRect TCustomLabel::GetClientRect() const
{
  BoundsNeeded();
  return TGraphicControl::GetClientRect();
}

void TCustomLabel::SetPos(int ALeft, int ATop)
{
  // Measuring will keep the new place: the move needs no measuring first.
  if (FBoundsPending)
    TGraphicControl::SetBounds(ALeft, ATop, FWidth, FHeight);
  else
    TGraphicControl::SetPos(ALeft, ATop);
}

void TCustomLabel::ChangeScale(int M, int D)
{
  BoundsNeeded();
  TGraphicControl::ChangeScale(M, D);
}

void TCustomLabel::CMVisibleChanged(TMessage &Message)
{
  if (FVisible && IsShowing())
    BoundsNeeded();
  TGraphicControl::CMVisibleChanged(Message);
}

void TCustomLabel::CMTextChanged(TMessage &Message)
{
  Invalidate();
  AdjustBounds();
  TGraphicControl::CMTextChanged(Message);
}

void TCustomLabel::CMFontChanged(TMessage &Message)
{
  TGraphicControl::CMFontChanged(Message);
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::CMDialogChar(TCMDialogChar &Message)
{
  if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(Message.CharCode, Caption())) {
    if (FFocusControl->CanFocus()) {
      FFocusControl->SetFocus();
      Message.Result = 1;
    }
  }
}

void TCustomLabel::Dispatch(TMessage &Message)
{
  if (Message.Msg == CM_DIALOGCHAR) {
    CMDialogChar(MessageAs<TCMDialogChar>(Message));
    if (Message.Result)
      return;
  }
  TGraphicControl::Dispatch(Message);
}
