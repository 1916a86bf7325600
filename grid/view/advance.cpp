// Moving the current cell on by itself after a confirmed value, the grid's Enter and Esc
// handling, and the simulated click of Tab navigation.
#include "grid/core/zav_string_grid.h"

#include "grid/core/grid_helper_classes.h"
#include "grid/foundation/grid_options.h"

void TZavStringGrid::AdvanceToNextCell(int ACol, int ARow, bool Advance, bool KeepOrigin, bool Backward,
                                       bool Forced)
{
  AdvanceCell(ACol, ARow, Advance, KeepOrigin, !Backward, false, Forced);
}

// Columns first: the next cell along the row, then the next row (added at the end when the
// grid may grow). False when an added row has no editable cell: the advance ends there.
bool TZavStringGrid::AdvanceAlongRow(int &C, int &R, const TAdvanceBounds &B)
{
  TNavigation *nav = Navigation();
  if (C + B.SpanX < ColCount() - B.RightFixed - 1) {
    C += B.SpanX + 1;
  } else if (B.Dir == adLeftRight) {
    if (R == B.LastDataRow) {
      if (nav->AdvanceInsert()) {
        bool canAdd = true;
        DoCanAddRow(canAdd);
        C = B.FirstCol;
        if (canAdd) {
          AddRow();
          ++R;
          if (OnAutoAddRow)
            OnAutoAddRow(this, RowCount() - FixedFooters() - 1);
          bool any = false;
          for (int c = FixedCols(); c < ColCount() && !any; ++c)
            any = IsEditable(RealColIndex(c), R);
          if (!any)
            return false;
        }
      } else if (nav->AdvanceOnEnterLoop()) {
        R = FixedRows();
        C = B.FirstCol;
      }
    } else {
      ++R;
      C = B.FirstCol;
    }
  } else if (nav->AdvanceOnEnterLoop()) {
    C = B.FirstCol;
  }
  return true;
}

// Rows first: down the column, then the next column (added at the end when the grid may grow).
void TZavStringGrid::AdvanceDownColumn(int &C, int &R, const TAdvanceBounds &B)
{
  TNavigation *nav = Navigation();
  if (R + 1 != RowCount() - FixedFooters()) {
    ++R;
  } else if (B.Dir == adTopBottomInCol) {
    R = FixedRows();
  } else if (C + 1 != ColCount() - FixedRightCols()) {
    R = FixedRows();
    ++C;
    if (C > ColCount() - 1)
      C = B.FirstCol;
  } else if (nav->AdvanceInsert()) {
    SetColCount(ColCount() + 1);
    C += B.SpanX + 1;
    R = FixedRows();
    if (OnAutoInsertCol)
      OnAutoInsertCol(this, ColCount() - FixedRightCols() - 1);
  } else {
    R = FixedRows();
    C = B.FirstCol;
  }
  Invalidate();
}

// One step backwards, wrapping at the grid's start.
void TZavStringGrid::AdvanceBack(int &C, int &R, const TAdvanceBounds &B)
{
  if (B.Dir == adLeftRight) {
    if (C > B.FirstCol) {
      --C;
    } else {
      R = R > FixedRows() ? R - 1 : B.LastDataRow;
      C = ColCount() - FixedRightCols() - 1;
    }
  } else if (B.Dir == adTopBottom) {
    if (R > FixedRows()) {
      --R;
    } else {
      C = C > B.FirstCol ? C - 1 : ColCount() - FixedRightCols() - 1;
      R = B.LastDataRow;
    }
  }
}

// Moves to the editable cell the advance reached, unless the events refuse (then the grid stays
// on ACol, ARow).
void TZavStringGrid::AdvanceTo(int C, int R, int ACol, int ARow)
{
  bool allow = true;
  int newRow = R, newCol = C;
  if (OnAutoAdvance)
    OnAutoAdvance(this, FAERow, FAECol, newRow, newCol, allow);
  if (allow) {
    if (OnCellChanging)
      OnCellChanging(this, FAERow, FAECol, newRow, newCol, allow);
    FDisableChange = true;
    if (allow) {
      SetCol(newCol);
      SetRow(newRow);
    } else {
      SelectCell(ACol, ARow);
    }
  } else {
    SelectCell(ACol, ARow);
  }
  FDisableChange = false;
}

// Opens the editor on the reached cell; a click-control cell gets the simulated click.
void TZavStringGrid::AdvanceReopen(int ACol, int ARow, bool AutoEdit, TAdvanceDirection Dir)
{
  TNavigation *nav = Navigation();
  const int newRealCol = RealColIndex(Col());
  const bool clickCell = IsClickControlCell(newRealCol, Row());
  if ((AutoEdit && nav->AdvanceAutoEdit()) || clickCell) {
    if (!IsEditable(newRealCol, Row()))
      return;
    ShowEditor();
    if (clickCell) {
      FDisableChange = true;
      if (!IsClickControlCell(RealColIndex(ACol), ARow)) {
        const TRect r = CellRect(Col(), Row());
        MouseDown(mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
        MouseUp(mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
      }
      if (Dir != adLeftRight)
        HideEditor();
      FDisableChange = false;
      bool ignored = true;
      if (OnCellChanging)
        OnCellChanging(this, ARow, ACol, Row(), Col(), ignored);
      TEditorType start = FDefaultEditor;
      GetCellEditor(RealColIndex(ACol), ARow, start);
      if (!IsTextEditor(start) || start == edValidChars)
        HideEditor();
    }
  }
  if (MouseActions()->DisjunctRowSelect()) {
    ClearRowSelect();
    SetRowSelect(Row(), true);
  }
}

void TZavStringGrid::AdvanceCell(int ACol, int ARow, bool Reopen, bool Recursing, bool Forward, bool AutoEdit,
                                 bool Forced)
{
  TNavigation *nav = Navigation();
  if (!nav->AdvanceOnEnter() && !Forced)
    return;
  if (MouseActions()->RangeSelectAndEdit() && !Options().Contains(goEditing))
    SetOptions(Options() + goEditing);
  if (!Recursing) {
    FAECol = ACol;
    FAERow = ARow;
  }
  FStartEditChar = QChar();
  TAdvanceBounds b;
  b.FirstCol = FixedCols() == 0 && HasNodes() ? 1 : FixedCols();
  b.RightFixed = FixedRightCols();
  for (int i = ColCount() - FixedRightCols(); i < ColCount(); ++i)
    if (i >= 0 && IsHiddenColumn(RealColIndex(i)))
      --b.RightFixed;
  b.Dir = nav->AdvanceDirection();
  b.LastDataRow = RowCount() - FixedFooters() - 1;

  // Read-only cells are skipped one step at a time; a grid with no editable cell in reach
  // stops after one full round instead of walking forever.
  const int maxSteps = std::max(1, ColCount() * RowCount());
  int C = ACol, R = ARow;
  for (int step = 0;; ++step) {
    b.SpanX = CellSpan(RealColIndex(C), R).X;
    if (Forward && (b.Dir == adLeftRight || b.Dir == adLeftRightInRow)) {
      if (!AdvanceAlongRow(C, R, b))
        return;
    } else if (Forward) {
      AdvanceDownColumn(C, R, b);
    } else {
      AdvanceBack(C, R, b);
    }

    bool canEdit = true;
    QueryCanEdit(RealColIndex(C), R, canEdit);
    if (canEdit) {
      AdvanceTo(C, R, ACol, ARow);
      break;
    }
    if (!nav->AdvanceSkipReadOnlyCells() || step + 1 >= maxSteps) {
      SetCol(C);
      SetRow(R);
      break;
    }
  }
  if (Reopen)
    AdvanceReopen(ACol, ARow, AutoEdit, b.Dir);
}

void TZavStringGrid::KeyPress(QChar &Key)
{
  if (Key == QChar(27)) {
    if (Options().Contains(goEditing) && FEditing)
      RestoreCellCache();
    if (OnKeyPress)
      OnKeyPress(this, Key);
    return;
  }
  if (Key == QChar(13)) {
    const bool editable = IsEditable(RealColIndex(Col()), Row());
    if (!Navigation()->AdvanceOnEnter() && !editable) {
      if (OnKeyPress)
        OnKeyPress(this, Key);
      Key = QChar();
      return;
    }
    const bool clickCell = IsClickControlCell(RealColIndex(Col()), Row());
    if (!Focused() || clickCell) {
      const int startCol = Col();
      AdvanceCell(Col(), Row(), EditMode, false, true, false, false);
      if (!Navigation()->AdvanceAutoEdit()) {
        if (OnKeyPress)
          OnKeyPress(this, Key);
        Key = QChar();
        return;
      }
      if (IsClickControlCell(RealColIndex(startCol), Row())) {
        if (OnKeyPress)
          OnKeyPress(this, Key);
        if (Navigation()->AdvanceOnEnter())
          ShowInplaceEdit();
        return;
      }
    }
  }
  if (!Options().Contains(goEditing) && Navigation()->AutoGotoWhenSorted() && !Key.isNull()) {
    if (Navigation()->AutoGotoIncremental()) {
      if (Key == QChar(8))
        FIncrSearchText.chop(1);
      else
        FIncrSearchText += Key;
      FSearchTickCount = 0;
    } else {
      FIncrSearchText = Key;
    }
    const int r = Search(FIncrSearchText.toUpper());
    if (r < 0)
      FIncrSearchText.clear();
    else
      SetRow(r);
  }
  TBaseGrid::KeyPress(Key);
}

void TZavStringGrid::SimulateCellClick(int ACol, int ARow)
{
  FForceSel = true;
  const TMouseEvent down = OnMouseDown, up = OnMouseUp;
  OnMouseDown = nullptr;
  OnMouseUp = nullptr;
  const TRect r = CellRect(ACol, ARow);
  try {
    TBaseGrid::MouseDown(mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
    TBaseGrid::MouseUp(mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
  } catch (...) {
    OnMouseDown = down;
    OnMouseUp = up;
    FForceSel = false;
    throw;
  }
  OnMouseDown = down;
  OnMouseUp = up;
  FForceSel = false;
}

// Without embedded controls to move to, the focus returns to the grid.
void TZavStringGrid::FocusNextCellControl(int ACol, int ARow, const QString &ControlID)
{
  if (CanFocus())
    SetFocus();
}
