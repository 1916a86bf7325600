#include "editors/zsg_editbtn.h"

TZsgEditBtn::TZsgEditBtn(TComponent *AOwner) : TCustomMaskEdit(AOwner) {}

void TZsgEditBtn::SetButtonCaption(const QString &Value)
{
  if (FButtonCaption == Value)
    return;
  FButtonCaption = Value;
  Invalidate();
}

void TZsgEditBtn::SetIsWinXP(bool Value)
{
  if (FIsWinXP == Value)
    return;
  FIsWinXP = Value;
  Invalidate();
}

void TZsgEditBtn::ButtonClick(TObject *Sender)
{
  if (OnClickBtn)
    OnClickBtn(this);
}

TZsgUnitEditBtn::TZsgUnitEditBtn(TComponent *AOwner)
    : TZsgEditBtn(AOwner), FUnits(std::make_unique<TStringList>())
{
}

void TZsgUnitEditBtn::UnitChosen(const QString &NewUnit)
{
  FUnitID = NewUnit;
  Invalidate();
  if (OnUnitChanged)
    OnUnitChanged(this, NewUnit);
}
