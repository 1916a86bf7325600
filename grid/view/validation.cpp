// When an edited value becomes final (validation, modified marks, undo, change reports) and
// whether the current cell may move (per-cell read-only, the move notifications).
#include "grid/core/zav_string_grid.h"

#include "editors/cell_checker.h"
#include "grid/core/control_look.h"
#include "grid/core/feature_settings.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/undo.h"

void TZavStringGrid::RememberOldCell(int ACol, int ARow)
{
  FOldCol = ACol;
  FOldRow = ARow;
  const int rc = RealColIndex(ACol);
  FOldCellText = rc >= 0 && ARow >= 0 && rc < AllColCount() && ARow < RowCount() ? GetCellEx(rc, ARow) : QString();
  FOldCellTextWide = FOldCellText;
  FOldModifiedValue = FModified;
}

void TZavStringGrid::RefuseValue(const QString &V, const QString &NewValue, int ACol, int ARow)
{
  FLastValidation = -1;
  // The cell never keeps a refused value: the corrected or the old text goes back, and the
  // editor opens on the edited cell again.
  if (V == NewValue && EditMode)
    FValidating = false;
  HideEditor();
  SetCellEx(ACol, ARow, V != NewValue ? V : FOldCellText);
  MoveColRow(FOldCol, ARow, true, true);
  FValidating = false;
  FEditing = true;
  ShowInplaceEdit();
  if (V == NewValue && Col() != FOldCol)
    InvalidateEditor();
  FModified = FOldModifiedValue;
  ShowInvalidEntryBalloon();
}

bool TZavStringGrid::ValidateCell(const QString &NewValue)
{
  if (!FEditing || FValidating)
    return true;
  FEditing = false;
  FValidating = true;
  bool valid = true;
  const int col = RealColIndex(FOldCol);
  const int row = FOldRow;
  FNewCellText = NewValue;
  auto finish = [this] {
    RememberOldCell(Col(), Row());
    FValidating = false;
  };
  try {
    if (NewValue != FOldCellText || FAlwaysValidate) {
      const bool changed = NewValue != FOldCellText;
      const bool advance = Navigation()->AdvanceOnEnter();
      Navigation()->SetAdvanceOnEnter(false);
      QString V = NewValue;
      if (FCellChecker && FCellChecker->AutoCorrect())
        V = FCellChecker->Correct(col, row, V);
      if (OnCellValidate)
        OnCellValidate(this, col, row, V, valid);
      // Only a text that really ends up in the cell marks the grid and the row: a refused
      // value that brings the old text back changes nothing.
      const QString stored = valid || V != NewValue ? V : FOldCellText;
      if (stored != FOldCellText) {
        FGridModified = true;
        if (FixedCols() > 0) {
          SetRowModified(RealRowIndex(row), true);
          if (ShowModified()->Enabled())
            RepaintCell(0, row);
        }
      }
      if (valid)
        CalcFooterColumn(col);
      if (FCellChecker && FCellChecker->AutoMarkError())
        V = FCellChecker->MarkError(col, row, V);
      if (valid && UndoRedo())
        UndoRedo()->RegisterChange(col, row, FOldCellText, V);
      if (valid && changed)
        DoCellsChanged(TRect(col, row, col, row));
      Navigation()->SetAdvanceOnEnter(advance);
      FNewCellText = V;
      if (valid) {
        SetCellEx(col, row, V);
        const TPoint base = BaseCell(col, row);
        if (base != TPoint(col, row))
          SetCellEx(base.X, base.Y, V);
      } else {
        RefuseValue(V, NewValue, col, row);
      }
      FOldCellText = GetCellEx(col, row);
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return valid;
}

bool TZavStringGrid::ValidateCellWide(const QString &NewValue)
{
  // Strings are wide throughout: the wide twin is the same validation.
  return ValidateCell(NewValue);
}

void TZavStringGrid::DoCellChanging(int OldRow, int OldCol, int NewRow, int NewCol, bool &Allow)
{
  if (NewRow != OldRow && OnRowChanging)
    OnRowChanging(this, OldRow, NewRow, Allow);
  if (NewCol != OldCol && OnColChanging)
    OnColChanging(this, OldCol, NewCol, Allow);
  if (NewRow == OldRow && NewCol == OldCol)
    return;
  if (!FDisableChange && OnCellChanging)
    OnCellChanging(this, OldRow, OldCol, NewRow, NewCol, Allow);
}

void TZavStringGrid::DoCellsChanged(TRect ARect)
{
  if (OnCellsChanged)
    OnCellsChanged(this, ARect);
  for (int i = 0; i < FNotifierList->Count(); ++i)
    static_cast<TGridChangeNotifier *>(FNotifierList->Items(i))->CellsChanged(ARect);
  CalcFooter(-1);
}

void TZavStringGrid::CellsLoaded() { CalcFooter(-1); }

void TZavStringGrid::Click()
{
  TBaseGrid::Click();
  FEntered = false;
  RememberOldCell(Col(), Row());
}

bool TZavStringGrid::SelectCell(int ACol, int ARow)
{
  if (FForceSel) {
    RepaintRowIndicators(Row(), ARow);
    return true;
  }
  if (!Parent())
    return true;
  if (!KeepClearOfPanels(ARow))
    return false;
  if (ACol < 0 || ARow < 0)
    return false;
  bool allow = true;
  bool answer = false;
  const int rc = RealColIndex(ACol);
  FEditText = GetCellEx(rc, ARow);
  if (!Options().Contains(goRangeSelect) && IsMergedNonBaseCell(rc, ARow)) {
    const TPoint b = BaseCell(rc, ARow);
    MoveColRow(RealToDisplCol(b.X), b.Y, true, true);
    RepaintCell(RealToDisplCol(b.X), b.Y);
    if (MouseActions()->DirectEdit() || (ControlLook()->DropDownAlwaysVisible() && HasComboEditor(b.X, b.Y)))
      ShowEditor();
    return false;
  }
  if (ACol == 0 && HasNodes() && !Options().Contains(goRowSelect))
    return false;
  if (UseEnabledRows() && Navigation()->SkipDisabledRows() && !RowEnabled(ARow))
    return false;

  const int oldCol = Col(), oldRow = Row();
  const TGridRect oldSel = Selection();
  QString T = GetCellEx(rc, ARow);
  bool canEdit = false;
  if (IsClickControlCell(rc, ARow)) {
    canEdit = true;
    QueryCanEdit(rc, ARow, canEdit);
    if (!FEditingDisabled)
      FEditingDisabled = !canEdit && (Options().Contains(goEditing) || MouseActions()->RangeSelectAndEdit());
    if (!Options().Contains(goEditing) && !Options().Contains(goRowSelect) && canEdit) {
      FEditChange = true;
      SetOptions(Options() + goEditing);
    }
  } else {
    canEdit = Options().Contains(goEditing) || FEditingDisabled;
    QueryCanEdit(rc, ARow, canEdit);
    if (canEdit && MouseActions()->DirectEdit()) {
      EditControl = FDefaultEditor;
      if (HasNoEditor(rc, ARow))
        canEdit = false;
    }
    if (MouseActions()->EditOnDblClickOnly())
      canEdit = false;
    if (canEdit) {
      FEditingDisabled = false;
      if (!Options().Contains(goEditing)) {
        FEditChange = true;
        if (!FEditing)
          RememberOldCell(ACol, ARow);
        TGridOptions o = Options();
        if (MouseActions()->RangeSelectAndEdit())
          o -= goRowSelect;
        SetOptions(o + goEditing);
      }
    } else if (Options().Contains(goEditing)) {
      EditMode = false;
      FEditingDisabled = true;
      FEditChange = true;
      SetOptions(Options() - goEditing);
      SetEditorMode(false);
    }
  }

  const bool moving = ACol != oldCol || ARow != oldRow;
  if (FEditing && moving) {
    // The edit in progress is final before the cell changes: the open editor writes its
    // value, then a refused value keeps the current cell where it is.
    const QString saved = FCellCache;
    if (EditMode)
      HideInplaceEdit();
    answer = ValidateCell(GetCurrentCell());
    DoCellChanging(oldRow, oldCol, ARow, ACol, allow);
    if (!allow)
      answer = false;
    if (answer)
      answer = TBaseGrid::SelectCell(ACol, ARow);
    T = answer ? GetCellEx(rc, ARow) : saved;
  } else {
    DoCellChanging(oldRow, oldCol, ARow, ACol, allow);
    bool fixed = ARow >= RowCount() - FixedFooters() ||
                 (ACol >= ColCount() - FixedRightCols() && ACol < ColCount());
    if (!fixed)
      DoIsFixedCell(ACol, ARow, fixed);
    if (fixed || !allow)
      answer = (allow && Options().Contains(goRowSelect)) || (FixedRowAlways() && RowCount() == FixedRows());
    else
      answer = TBaseGrid::SelectCell(ACol, ARow);
  }
  SelectCellRepaints(oldCol, oldRow, oldSel, ACol, ARow);
  if (!ComponentState().Contains(csLoading) && ARow != FOldRowSel && OnRowChanged) {
    OnRowChanged(this, FOldRowSel, ARow);
    FOldRowSel = ARow;
  }
  FCellCache = T;
  return answer;
}
