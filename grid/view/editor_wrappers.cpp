#include "grid/view/editor_wrappers.h"

#include "grid/core/zav_string_grid.h"

namespace {

// Every editor serves one grid: an owner of another kind is a programming error.
TZavStringGrid *OwnerGrid(TComponent *AOwner)
{
  auto *grid = dynamic_cast<TZavStringGrid *>(AOwner);
  if (!grid)
    throw EInvalidCast(QStringLiteral("Invalid class typecast"));
  return grid;
}

} // namespace

TZavInplaceEdit::TZavInplaceEdit(TComponent *AOwner) : TInplaceEdit(AOwner), FGrid(OwnerGrid(AOwner)) {}

void TZavInplaceEdit::SetWordWrap(bool Value)
{
  if (FWordWrap == Value)
    return;
  FWordWrap = Value;
  if (HandleAllocated())
    RecreateWnd();
}

void TZavInplaceEdit::CreateParams(TCreateParams &Params)
{
  TInplaceEdit::CreateParams(Params);
  if (FWordWrap) {
    Params.Style |= ES_MULTILINE;
    Params.Style &= ~uint32_t(ES_AUTOHSCROLL);
  }
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
