#include "editors/zsg_combo.h"

TZsgCustomCombo::TZsgCustomCombo(TComponent *AOwner) : TCustomComboBox(AOwner) {}

void TZsgCustomCombo::SetEnabled(bool Value) { TCustomComboBox::SetEnabled(Value); }

void TZsgCustomCombo::SetVisible(bool Value) { TCustomComboBox::SetVisible(Value); }

void TZsgCustomCombo::SetIsWinXP(bool Value)
{
  if (FIsWinXP == Value)
    return;
  FIsWinXP = Value;
  Invalidate();
}

void TZsgCustomCombo::SetButtonWidth(int Value)
{
  if (FButtonWidth == Value)
    return;
  FButtonWidth = Value;
  Invalidate();
}
