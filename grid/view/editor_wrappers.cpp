#include "grid/view/editor_wrappers.h"

#include "grid/core/zav_string_grid.h"

// Every editor serves one grid: an owner of another kind is a programming error.
TZavStringGrid *OwnerGrid(TComponent *AOwner)
{
  auto *grid = dynamic_cast<TZavStringGrid *>(AOwner);
  if (!grid)
    throw EInvalidCast(QStringLiteral("Invalid class typecast"));
  return grid;
}

TGridCombo::TGridCombo(TComponent *AOwner) : TZsgComboBox(AOwner), FGrid(OwnerGrid(AOwner))
{
  SetButtonWidth(16);
  // The grid's lookup settings decide about completion.
  SetAutoComplete(false);
}

TGridCheckBox::TGridCheckBox(TComponent *AOwner) : TCheckBox(AOwner), FGrid(OwnerGrid(AOwner)) {}

TGridEditBtn::TGridEditBtn(TComponent *AOwner) : TZsgEditBtn(AOwner), FGrid(OwnerGrid(AOwner)) {}

TGridUnitEditBtn::TGridUnitEditBtn(TComponent *AOwner) : TZsgUnitEditBtn(AOwner), FGrid(OwnerGrid(AOwner)) {}

TGridButton::TGridButton(TComponent *AOwner) : TButton(AOwner), FGrid(OwnerGrid(AOwner)) {}
