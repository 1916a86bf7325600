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
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value)
{
  if (FAutoSize == Value)
    return;
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

void TCustomLabel::AdjustBounds()
{
  if (!FAutoSize || ComponentState().Contains(csLoading))
    return;
  // Measured on a scratch canvas: the label may have no parent yet.
  TBitmap scratch(1, 1);
  TCanvas *c = scratch.Canvas();
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
