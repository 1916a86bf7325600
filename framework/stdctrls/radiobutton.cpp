#include "framework/stdctrls/stdctrls.h"

#include <QAbstractButton>

#include "framework/stdctrls/stdctrls_private.h"

TRadioButton::TRadioButton(TComponent *AOwner) : TButtonControl(AOwner)
{
  FWidth = 113;
}

QWidget *TRadioButton::CreateWindowHandle(const TCreateParams &Params)
{
  auto *w = new TRadioWidget(this);
  w->setAutoExclusive(false);  // the control unchecks its siblings itself
  return w;
}

void TRadioButton::CreateWindowDone()
{
  TButtonControl::CreateWindowDone();
  ApplyLook();
  UpdateWidgetState();
}

void TRadioButton::UpdateWidgetState()
{
  if (QAbstractButton *b = Button())
    b->setChecked(FChecked);
}

void TRadioButton::SetChecked(bool Value)
{
  if (FChecked == Value)
    return;
  FChecked = Value;
  UpdateWidgetState();
  if (Value) {
    if (TWinControl *p = Parent()) {
      for (int i = 0; i < p->ControlCount(); ++i)
        if (auto *r = dynamic_cast<TRadioButton *>(p->Controls(i)); r && r != this)
          r->SetChecked(false);
    }
    if (!ClicksDisabled())
      Click();
  }
}

void TRadioButton::Toggle() { SetChecked(true); }

void TRadioButton::SetAlignment(TAlignment Value)
{
  FAlignment = Value == taLeftJustify ? taLeftJustify : taRightJustify;
  ApplyLook();
}
