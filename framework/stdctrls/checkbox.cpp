#include "framework/stdctrls/stdctrls.h"

#include <QCheckBox>

#include "framework/stdctrls/stdctrls_private.h"

TCustomCheckBox::TCustomCheckBox(TComponent *AOwner) : TButtonControl(AOwner) {}

QWidget *TCustomCheckBox::CreateWindowHandle(const TCreateParams &Params)
{
  return new TCheckWidget(this);
}

void TCustomCheckBox::CreateWindowDone()
{
  TButtonControl::CreateWindowDone();
  if (auto *b = qobject_cast<QCheckBox *>(Button()))
    b->setTristate(true);
  ApplyLook();
  UpdateWidgetState();
}

void TCustomCheckBox::UpdateWidgetState()
{
  if (auto *b = qobject_cast<QCheckBox *>(Button()))
    b->setCheckState(FState == cbChecked ? Qt::Checked : FState == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
}

void TCustomCheckBox::SetState(TCheckBoxState Value)
{
  if (FState == Value)
    return;
  FState = Value;
  UpdateWidgetState();
  if (!ClicksDisabled())
    Click();
}

void TCustomCheckBox::Toggle()
{
  switch (FState) {
  case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
  case cbChecked: SetState(cbUnchecked); break;
  case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::SetAlignment(TAlignment Value)
{
  FAlignment = Value == taLeftJustify ? taLeftJustify : taRightJustify;
  ApplyLook();
}
