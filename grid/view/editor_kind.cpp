// What every special editor kind shares: the default close, and the grid as the kinds see it.
#include "grid/view/editor_kind.h"

#include "grid/core/zav_string_grid.h"
#include "grid/view/editor_wrappers.h"

void TSpecialEditor::Close(TZavStringGrid &Grid, int, int RealCol, int Row) const
{
  if (ClosesOnlyOpen() && !Grid.EditMode)
    return;
  Grid.EditMode = false;
  Commit(Grid, RealCol, Row);
  Hide(Grid);
}

void TSpecialEditor::Hide(TZavStringGrid &Grid) const
{
  TWinControl *c = Control(Grid);
  GiveFocusBack(Grid, c);
  c->SetEnabled(false);
  c->SetVisible(false);
}

void TSpecialEditor::SetEditMode(TZavStringGrid &Grid, bool Value) { Grid.EditMode = Value; }

TEditLink *TSpecialEditor::Link(const TZavStringGrid &Grid) { return Grid.FEditLink; }

void TSpecialEditor::Prop(TZavStringGrid &Grid, int RealCol, int Row)
{
  Grid.DoGetEditorProp(RealCol, Row, Grid.FEditLink);
}

void TSpecialEditor::Store(TZavStringGrid &Grid, int RealCol, int Row, const QString &Value)
{
  Grid.SetEditorCellText(RealCol, Row, Value);
}

void TSpecialEditor::GiveFocusBack(TZavStringGrid &Grid, TWinControl *Control)
{
  if (Control && Control->HandleAllocated() && Control->Focused() && Grid.CanFocus())
    Grid.SetFocus();
}

void TSpecialEditor::Focus(TWinControl *Control)
{
  if (Control->CanFocus())
    Control->SetFocus();
}

QString TSpecialEditor::EditText(TZavStringGrid &Grid, int Col, int Row) { return Grid.GetEditText(Col, Row); }

int TSpecialEditor::ComboFallback(const TZavStringGrid &Grid) { return Grid.FComboIdx; }

void TSpecialEditor::ReportComboItem(TZavStringGrid &Grid, int Index) { Grid.ComboChanged(Index); }

int TSpecialEditor::EditLimit(TZavStringGrid &Grid) { return Grid.GetEditLimit(); }

QString TSpecialEditor::EditMask(TZavStringGrid &Grid, int Col, int Row) { return Grid.GetEditMask(Col, Row); }

TGridCheckBox *TSpecialEditor::CheckBox(const TZavStringGrid &Grid) { return Grid.FGridCheckBox.get(); }

void TSpecialEditor::SelectionChanged(TZavStringGrid &Grid)
{
  const TGridRect sel = Grid.Selection();
  Grid.DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
}

void TSpecialEditor::AskEditorType(TZavStringGrid &Grid, int Col, int Row)
{
  Grid.DoGetEditorType(Col, Row, Grid.EditControl);
}

void TSpecialEditor::KeepCellText(TZavStringGrid &Grid, const QString &Text) { Grid.FEditCellText = Text; }

void TSpecialEditor::SetEditActive(TZavStringGrid &Grid) { Grid.FEditActive = true; }
