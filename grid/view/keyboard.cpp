// Keys on the grid itself: navigation, Home and End, Space on click controls, Enter and F2,
// typing that starts an edit, row insertion and deletion, and Tab navigation.
#include "grid/core/zav_string_grid.h"

#include "grid/core/control_look.h"
#include "grid/core/feature_settings.h"
#include "grid/core/footer.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/grid_utils.h"
#include "grid/foundation/markup_utils.h"

namespace {

bool HasControlMarkup(const QString &Text, bool EnableHTML)
{
  return CellTextKind(Text, EnableHTML) == 1 && Text.toUpper().contains(QLatin1String("<CONTROL"));
}

TShiftState KeyShift()
{
  TShiftState s;
  if (GetKeyState(VK_CONTROL) < 0)
    s += ssCtrl;
  if (GetKeyState(VK_SHIFT) < 0)
    s += ssShift;
  if (GetKeyState(VK_MENU) < 0)
    s += ssAlt;
  return s;
}

} // namespace

void TZavStringGrid::ReportKey(uint16_t Key, TShiftState Shift)
{
  if (OnKeyDown) {
    uint16_t k = Key;
    OnKeyDown(this, k, Shift);
  }
}

int TZavStringGrid::FirstNavigableCol() { return FixedCols() == 0 && FNumNodes > 0 ? 1 : FixedCols(); }

int TZavStringGrid::VisibleFixedRightCols()
{
  int n = 0;
  for (int i = 0; i < FixedRightCols(); ++i)
    if (!IsHiddenColumn(AllColCount() - 1 - i))
      ++n;
  return NumHiddenColumns() == 0 ? FixedRightCols() : n;
}

// The first normal row, where a Tab step down the columns starts over.
void TZavStringGrid::GotoFirstRow() { SetRow(FixedRows() < RowCount() ? FixedRows() : Row()); }

bool TZavStringGrid::CanTabToCell(int ACol, int ARow)
{
  bool can = Options().Contains(goEditing) ? CellInputEditable(DisplToRealCol(ACol), ARow) : !IsFixed(ACol, ARow);
  if (OnSelectCell)
    OnSelectCell(this, ACol, ARow, can);
  return can;
}

int TZavStringGrid::FirstTabCol(int ARow)
{
  for (int c = FirstNavigableCol(); c < ColCount() - VisibleFixedRightCols(); ++c)
    if (CanTabToCell(c, ARow))
      return c;
  return -1;
}

int TZavStringGrid::LastTabCol(int ARow)
{
  for (int c = ColCount() - VisibleFixedRightCols() - 1; c >= FirstNavigableCol(); --c)
    if (CanTabToCell(c, ARow))
      return c;
  return -1;
}

// One Tab step: walks the cells in tab order from the current one and stops at the first base
// cell that may be tabbed to. The walk visits every cell at most once, so a grid without such a
// cell ends where it started instead of searching forever.
bool TZavStringGrid::TabStep(bool Backward)
{
  const int c0 = FirstNavigableCol(), c1 = ColCount() - VisibleFixedRightCols() - 1;
  const int r0 = FixedRows(), r1 = RowCount() - FixedFooters() - 1;
  if (c1 < c0 || r1 < r0)
    return true;
  const bool byColumns = Navigation()->TabAdvanceDirection() != adLeftRight;
  const int cols = c1 - c0 + 1, rows = r1 - r0 + 1;
  const int total = cols * rows;
  auto indexOf = [&](int c, int r) {
    c = std::clamp(c, c0, c1);
    r = std::clamp(r, r0, r1);
    return byColumns ? (c - c0) * rows + (r - r0) : (r - r0) * cols + (c - c0);
  };
  auto cellAt = [&](int i) {
    return byColumns ? TPoint(c0 + i / rows, r0 + i % rows) : TPoint(c0 + i % cols, r0 + i / cols);
  };
  const int start = indexOf(Col(), Row());
  bool wrapped = false;
  for (int step = 1; step <= total; ++step) {
    int i = start + (Backward ? -step : step);
    if (i < 0 || i >= total) {
      if (!wrapped && !Backward && Navigation()->AdvanceInsert() && !Navigation()->TabToNextAtEnd()) {
        bool allow = true;
        DoCanAddRow(allow);
        if (allow) {
          if (FloatingFooter()->Visible()) {
            InsertRows(RowCount() - 1, 1, true);
            SetRow(RowCount() - 2);
          } else {
            SetRowCount(RowCount() + 1);
            FocusCell(Col(), RowCount() - 1, true);
          }
          if (OnAutoAddRow)
            OnAutoAddRow(this, RowCount() - FixedFooters() - 1);
          const int c = FirstTabCol(Row());
          if (c >= 0)
            FocusCell(c, Row(), true);
          return true;
        }
      }
      wrapped = true;
      i = (i + total) % total;
    }
    const TPoint p = cellAt(i);
    if (!IsBaseCell(p.X, p.Y) || !CanTabToCell(p.X, p.Y))
      continue;
    if (p.Y != Row()) {
      bool allow = true;
      if (OnRowChanging)
        OnRowChanging(this, Row(), p.Y, allow);
      DoCellChanging(Row(), Col(), p.Y, p.X, allow);
      if (OnColChanging && p.X != Col())
        OnColChanging(this, Col(), p.X, allow);
      if (!allow)
        return true;
    }
    FForceSel = true;
    FocusCell(p.X, p.Y, true);
    FForceSel = false;
    if (wrapped && !Backward && Navigation()->TabToNextAtEnd() && Parent()) {
      PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_TAB, 0);
      return false;
    }
    return true;
  }
  return true;
}

bool TZavStringGrid::TabToNextCell(bool Backward)
{
  if (OnKeyDown) {
    uint16_t key = VK_TAB;
    OnKeyDown(this, key, Backward ? TShiftState{ssShift} : TShiftState{});
    if (key != VK_TAB)
      return true;
  }
  if (Col() == FLastTabCol && Row() == FLastTabRow)
    return true;
  FLastTabCol = Col();
  FLastTabRow = Row();
  bool result = true;
  try {
    result = TabStep(Backward);
    if (result && Navigation()->AdvanceAutoEdit() && Options().Contains(goEditing) &&
        !IsClickControlCell(DisplToRealCol(Col()), Row()) && CellInputEditable(DisplToRealCol(Col()), Row()))
      ShowInplaceEdit();
  } catch (...) {
    FLastTabCol = FLastTabRow = -1;
    throw;
  }
  FLastTabCol = FLastTabRow = -1;
  if (Navigation()->AlwaysEdit() && CanFocus())
    SetFocus();
  return result;
}

// Keys that only scroll: the current cell stays where it is.
bool TZavStringGrid::KeyScrollOnly(uint16_t Key)
{
  const int vis = VisibleRowCount();
  switch (Key) {
  case VK_PRIOR: SetTopRow(TopRow() > vis + FixedRows() ? TopRow() - vis : FixedRows()); break;
  case VK_NEXT:
    if (TopRow() + vis < RowCount())
      SetTopRow(std::min(TopRow() + vis, std::max(FixedRows(), RowCount() - vis)));
    break;
  case VK_END: SetTopRow(std::max(FixedRows(), RowCount() - vis)); break;
  case VK_HOME: SetTopRow(FixedRows()); break;
  case VK_UP:
    if (TopRow() > FixedRows())
      SetTopRow(TopRow() - 1);
    break;
  case VK_DOWN:
    if (TopRow() + vis < RowCount())
      SetTopRow(TopRow() + 1);
    break;
  default: return false;
  }
  return true;
}

// Enter and F2 before the platform sees them: they may switch editing on, or end here on a cell
// that cannot be edited or holds mark-up controls.
bool TZavStringGrid::KeyEnterOrF2(TWMKey &Message, uint16_t Key, int RealCol, TShiftState Shift)
{
  auto swallow = [&] {
    ReportKey(Key, Shift);
    Message.CharCode = 0;
    Message.Result = 1;
  };
  if (MouseActions()->EditOnDblClickOnly() && !Options().Contains(goEditing)) {
    const bool keep = MouseActions()->RangeSelectAndEdit();
    MouseActions()->SetRangeSelectAndEdit(true);
    const bool editable = CellInputEditable(RealCol, Row());
    MouseActions()->SetRangeSelectAndEdit(keep);
    if (editable)
      SetOptions(Options() + goEditing);
  }
  if (MouseActions()->RangeSelectAndEdit() && !Options().Contains(goEditing)) {
    if (!CellInputEditable(RealCol, Row())) {
      swallow();
      return true;
    }
    SetOptions(Options() + goEditing);
    ShowInplaceEdit();
  }
  if (Options().Contains(goEditing) && !CellInputEditable(RealCol, Row()) && !IsClickControlCell(RealCol, Row())) {
    swallow();
    return true;
  }
  if (HasControlMarkup(Cells(RealCol, Row()), EnableHTML())) {
    Message.Result = 1;
    return true;
  }
  if (Key == VK_RETURN && !CellInputEditable(RealCol, Row()) && !IsClickControlCell(RealCol, Row())) {
    TCustomForm *form = GetParentForm(this);
    if (form && form->KeyPreview())
      TBaseGrid::WMKeyDown(Message);
    else
      swallow();
    return true;
  }
  return false;
}

// Space works the click control of the cell; Enter only its button.
void TZavStringGrid::KeyClickControl(uint16_t Key, int RealCol)
{
  bool canEdit = Options().Contains(goEditing) || MouseActions()->RangeSelectAndEdit();
  if (Key == VK_RETURN) {
    if (!HasButton(RealCol, Row()))
      return;
    QueryCanEdit(RealCol, Row(), canEdit);
    if (canEdit)
      DoButtonClick(RealCol, Row());
    return;
  }
  QueryCanEdit(RealCol, Row(), canEdit);
  if (HasCheckBox(RealCol, Row()) && (canEdit || ControlLook()->CheckAlwaysActive())) {
    DoToggleCheckBox(RealCol, Row(), true);
    if (ShowModified()->Enabled()) {
      SetRowModified(Row(), true);
      RepaintCell(0, Row());
    }
    bool state = false;
    GetCheckBoxState(RealCol, RealRowIndex(Row()), state);
    DoCheckBoxClick(RealCol, Row(), state);
  } else if (IsRadio(RealCol, Row()) && (canEdit || ControlLook()->RadioAlwaysActive())) {
    SelectNextRadio(RealCol, Row(), true);
    int idx = -1;
    GetRadioIdx(RealCol, Row(), idx);
    if (OnRadioClick)
      OnRadioClick(this, RealCol, Row(), idx);
  } else if (HasRadioButton(RealCol, Row()) && (canEdit || ControlLook()->RadioAlwaysActive())) {
    SetRadioButtonColumnIndex(RealCol, Row());
    if (OnRadioButtonClick)
      OnRadioButtonClick(this, RealCol, Row());
  } else if (HasButton(RealCol, Row()) && canEdit) {
    DoButtonClick(RealCol, Row());
  }
  RepaintCell(Col(), Row());
}

// Home and End by the configured action; the Ctrl variants of the other actions and the
// row-select grids take the platform's keys (False).
bool TZavStringGrid::KeyHomeEnd(uint16_t Key, TShiftState Shift)
{
  const THomeEndAction he = Navigation()->HomeEndKey();
  const bool ctrl = Shift.Contains(ssCtrl), shiftDown = Shift.Contains(ssShift);
  const bool home = Key == VK_HOME;
  if (he == heFirstLastCell && !ctrl) {
    if (home)
      FocusCell(FixedCols(), FixedRows(), true);
    else
      FocusCell(ColCount() - 1, RowCount() - 1, true);
    SnapToBaseCell();
  } else if (he == heFirstLastRow && !ctrl) {
    const int target = home ? FixedRows() : RowCount() - FixedFooters() - 1;
    if (shiftDown)
      SetSelection(TGridRect(0, Row(), ColCount() - 1, target));
    else
      FocusCell(Col(), target, true);
    SnapToBaseCell();
  } else if (he == heFirstLastColumn && ctrl && home) {
    const int c = FirstTabCol(FixedRows());
    FocusCell(c >= 0 ? c : FixedCols(), FixedRows(), true);
    SnapToBaseCell();
    SetLeftCol(FirstNavigableCol());
  } else if (he == heFirstLastColumn && !ctrl && !Options().Contains(goRowSelect)) {
    if (home) {
      if (shiftDown) {
        SetSelection(TGridRect(Col(), Row(), FixedCols(), Row()));
      } else {
        const int c = FirstTabCol(Row());
        FocusCell(c >= 0 ? c : FixedCols(), Row(), true);
        SnapToBaseCell();
        SetLeftCol(FirstNavigableCol());
      }
    } else if (shiftDown) {
      SetSelection(TGridRect(Col(), Row(), ColCount() - FixedRightCols() - 1, Row()));
    } else {
      FocusCell(ColCount() - 1, Row(), true);
      SnapToBaseCell();
    }
    RepaintRow(Row());
  } else {
    return false;
  }
  return true;
}

// An arrow key steps over fixed cells inside the data area; True when it did.
bool TZavStringGrid::KeySkipFixed(uint16_t Key)
{
  const int dc = Key == VK_LEFT ? -1 : Key == VK_RIGHT ? 1 : 0;
  const int dr = Key == VK_UP ? -1 : Key == VK_DOWN ? 1 : 0;
  const int lastCol = ColCount() - FixedRightCols() - 1, lastRow = RowCount() - FixedFooters() - 1;
  int c = Col() + dc, r = Row() + dr;
  auto inside = [&](int cc, int rr) { return cc >= FixedCols() && cc <= lastCol && rr >= FixedRows() && rr <= lastRow; };
  if (!inside(c, r) || !IsFixed(c, r))
    return false;
  while (inside(c, r) && IsFixed(c, r)) {
    c += dc;
    r += dr;
  }
  if (inside(c, r))
    FocusCell(c, r, true);
  return true;
}

void TZavStringGrid::KeyAppendRow()
{
  bool allow = true;
  DoCanAddRow(allow);
  if (allow) {
    SetRowCount(RowCount() + 1);
    CalcFooter(-1);
    if (OnAutoAddRow)
      OnAutoAddRow(this, RowCount() - FixedFooters() - 1);
  }
}

// Moving with the keys rebuilds a disjunct selection: plain keys start anew, Shift takes the
// range, Ctrl adds the reached row or column; Space toggles it.
void TZavStringGrid::KeyDisjunctSelect(uint16_t Key, TShiftState Shift)
{
  TMouseActions *ma = MouseActions();
  const bool ctrl = Shift.Contains(ssCtrl), shiftDown = Shift.Contains(ssShift);
  const int rowIdx = ma->DisjunctRowSelect() && ma->RowSelectPersistent() ? DisplToRealRow(Row()) : Row();
  if (Key >= VK_PRIOR && Key <= VK_DOWN) {
    if (ma->DisjunctRowSelect()) {
      if (!shiftDown && !ctrl)
        ClearRowSelect();
      else if (shiftDown)
        SelectionToRowSelect(true);
      else
        SetRowSelect(rowIdx, true);
    }
    if (ma->DisjunctColSelect()) {
      if (!shiftDown && !ctrl)
        ClearColSelect();
      else if (shiftDown)
        SelectionToColSelect(true);
      else
        SetColSelect(Col(), true);
    }
  } else if (Key == VK_SPACE) {
    if (ma->DisjunctRowSelect())
      SetRowSelect(rowIdx, !RowSelect(rowIdx));
    if (ma->DisjunctColSelect())
      SetColSelect(Col(), !ColSelect(Col()));
  }
}

void TZavStringGrid::KeyInsertRow()
{
  bool allow = true;
  DoCanInsertRow(Row(), allow);
  if (!allow)
    return;
  int newRow = Row();
  if (Navigation()->InsertPosition() == pInsertAfter) {
    InsertRowNodeAware(Row() + 1);
    if (newRow + 1 < RowCount())
      ++newRow;
  } else {
    InsertRowNodeAware(Row());
  }
  if (OnAutoInsertRow)
    OnAutoInsertRow(this, newRow);
  SetRow(newRow);
  CalcFooter(-1);
}

void TZavStringGrid::KeySelectAll()
{
  const TGridRect all(FirstNavigableCol(), FixedRows(), ColCount() - FixedRightCols() - 1,
                      RowCount() - FixedFooters() - 1);
  if (MouseActions()->DisjunctRowSelect())
    for (int r = FixedRows(); r <= all.Bottom; ++r)
      SetRowSelect(MouseActions()->RowSelectPersistent() ? RealRowIndex(r) : r, true);
  BeforeKeySelectAll();
  SetSelection(all);
}

// OldRow: the row the key was pressed on, before the platform moved.
void TZavStringGrid::KeyDeleteRow(int OldRow)
{
  const int realRow = RealRowIndex(OldRow);
  bool allow = true;
  if (OnCanDeleteRow)
    OnCanDeleteRow(this, realRow, allow);
  if (!allow)
    return;
  DeleteRowNodeAware(realRow);
  if (FloatingFooter()->Visible() && Row() == RowCount() - 1 && RowCount() > 1)
    SetRow(RowCount() - 2);
  RememberOldCell(Col(), Row());
  CalcFooter(-1);
}

// Reports the selection once the key moved it.
void TZavStringGrid::KeySelectionMoved()
{
  const TGridRect sel = Selection();
  if (!(sel == FMoveSelection)) {
    DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
    FMoveSelection = sel;
  }
}

void TZavStringGrid::WMKeyDown(TWMKey &Message)
{
  const uint16_t key = Message.CharCode;
  FMoveSelection = Selection();
  const int realCol = DisplToRealCol(Col());
  const TShiftState shift = KeyShift();
  const bool ctrl = shift.Contains(ssCtrl), shiftDown = shift.Contains(ssShift), alt = shift.Contains(ssAlt);
  const bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
  const bool enterOrF2 = key == VK_RETURN || key == VK_F2;

  // Before the platform moves the cell.
  if (Navigation()->MoveScrollOnly() && KeyScrollOnly(key)) {
    Message.Result = 1;
    return;
  }
  if (enterOrF2 && KeyEnterOrF2(Message, key, realCol, shift))
    return;
  if ((key == VK_SPACE || key == VK_RETURN) && IsClickControlCell(realCol, Row()))
    KeyClickControl(key, realCol);
  if ((key == VK_HOME || key == VK_END) && !(FixedRowAlways() && RowCount() == 1) && KeyHomeEnd(key, shift)) {
    ReportKey(key, shift);
    Message.Result = 0;
    KeySelectionMoved();
    return;
  }
  if (key == VK_TAB && Options().Contains(goTabs)) {
    TabToNextCell(shiftDown);
    KeySelectionMoved();
    Message.Result = 1;
    return;
  }
  if (arrow && Navigation()->SkipFixedCells() && !Options().Contains(goRowSelect) && KeySkipFixed(key)) {
    ReportKey(key, shift);
    Message.CharCode = 0;
    return;
  }
  if (key == VK_DOWN && Navigation()->AppendOnArrowDown() && Row() == RowCount() - FixedFooters() - 1)
    KeyAppendRow();

  const int oldRow = Row();
  TBaseGrid::WMKeyDown(Message);

  // After it.
  if (Navigation()->AllowClipboardShortCuts() && ClipboardKey(key, shift))
    return;
  KeyDisjunctSelect(key, shift);
  switch (key) {
  case VK_INSERT:
    if (Navigation()->AllowInsertRow() && !ctrl && !shiftDown && !alt)
      KeyInsertRow();
    break;
  case 'A':
    if (ctrl && (Options().Contains(goRowSelect) || Options().Contains(goRangeSelect)))
      KeySelectAll();
    break;
  case VK_DELETE:
    if (Navigation()->AllowDeleteRow() && !alt && RowCount() - FixedRows() - FixedFooters() > 0)
      KeyDeleteRow(oldRow);
    break;
  default:
    break;
  }
  if (enterOrF2) {
    RememberOldCell(Col(), Row());
    if (HasControlTag(Cells(DisplToRealCol(Col()), Row())))
      FocusNextCellControl(Col(), Row(), QString());
    if (key == VK_F2)
      DoF2Key();
  }
  KeySelectionMoved();
}

// Ctrl+X and Shift+Delete cut, Ctrl+C and Ctrl+Insert copy, Ctrl+V and Shift+Insert paste,
// each unless its event vetoes.
bool TZavStringGrid::ClipboardKey(uint16_t Key, TShiftState Shift)
{
  const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
  enum { None, Cut, Copy, Paste } op = None;
  if ((ctrl && Key == 'X') || (shift && !ctrl && Key == VK_DELETE))
    op = Cut;
  else if ((ctrl && Key == 'V') || (shift && !ctrl && Key == VK_INSERT))
    op = Paste;
  else if (ctrl && (Key == 'C' || Key == VK_INSERT))
    op = Copy;
  if (op == None)
    return false;
  bool allow = true;
  const TClipboardEvent &event = op == Cut ? OnClipboardCut : op == Copy ? OnClipboardCopy : OnClipboardPaste;
  if (event)
    event(this, allow);
  if (allow) {
    if (op == Cut)
      CutSelectionToClipboard();
    else if (op == Copy)
      CopySelectionToClipboard();
    else
      PasteSelectionFromClipboard();
  }
  return true;
}

void TZavStringGrid::KeyDown(uint16_t &Key, TShiftState Shift)
{
  const TPoint last(Col(), Row());
  const int r0 = Row();
  TBaseGrid::KeyDown(Key, Shift);

  const TGridRect sel = Selection();
  const int top = std::min(sel.Top, sel.Bottom), bottom = std::max(sel.Top, sel.Bottom);
  if (Navigation()->CursorMoveRows() && Shift.Contains(ssCtrl)) {
    if (Key == VK_DOWN && bottom < RowCount() - 1) {
      if (top == bottom) {
        MoveRow(top, top + 1);
        SetRow(top + 1);
      } else {
        MoveRows(top, top + 1, bottom - top + 1);
        SetSelection(TGridRect(FixedCols(), top + 1, ColCount() - 1, bottom + 1));
      }
    } else if (Key == VK_UP && top > FixedRows()) {
      if (top == bottom) {
        MoveRow(top, top - 1);
        SetRow(top - 1);
      } else {
        MoveRows(top, top - 1, bottom - top + 1);
        SetSelection(TGridRect(FixedCols(), top - 1, ColCount() - 1, bottom - 1));
      }
    }
  }

  // Wrap-around at the edges, judged by the cell before the key.
  const TCursorAdvance ca = Navigation()->CursorAdvance();
  if (ca != caDefault && !Shift.Contains(ssCtrl)) {
    const bool snake = ca == caSnake;
    const int lastCol = ColCount() - FixedRightCols() - 1, lastRow = RowCount() - FixedFooters() - 1;
    if (Key == VK_LEFT && last.X == FixedCols()) {
      SetCol(lastCol);
      if (snake && Row() > FixedRows())
        SetRow(Row() - 1);
    } else if (Key == VK_UP && last.Y == FixedRows()) {
      SetRow(lastRow);
      if (snake && Col() > FixedCols())
        SetCol(Col() - 1);
    } else if (Key == VK_RIGHT && last.X == ColCount() - 1) {
      SetCol(FixedCols());
      if (snake && Row() < lastRow)
        SetRow(Row() + 1);
    } else if (Key == VK_DOWN && last.Y == RowCount() - 1) {
      SetRow(FixedRows());
      if (snake && Col() < lastCol)
        SetCol(Col() + 1);
    }
  }

  // Disabled rows are stepped over once any row's enabled state was set.
  if (UseEnabledRows() && Navigation()->SkipDisabledRows() && Row() == r0) {
    if (Key == VK_UP && r0 > FixedRows()) {
      for (int r = r0 - 1; r >= FixedRows(); --r)
        if (RowEnabled(r)) {
          SetRow(r);
          break;
        }
    } else if (Key == VK_DOWN && r0 < RowCount() - 1) {
      for (int r = r0 + 1; r <= RowCount() - 1; ++r)
        if (RowEnabled(r)) {
          SetRow(r);
          break;
        }
    }
  }
}

void TZavStringGrid::WMKeyUp(TWMKey &Message) { TBaseGrid::WMKeyUp(Message); }

void TZavStringGrid::WMChar(TWMKey &Message)
{
  const int realCol = DisplToRealCol(Col());
  if (HasControlMarkup(Cells(realCol, Row()), EnableHTML())) {
    Message.Result = 1;
    return;
  }
  if (MouseActions()->EditOnDblClickOnly()) {
    bool canEdit = true;
    QueryCanEdit(realCol, Row(), canEdit);
    if (canEdit)
      SetOptions(Options() + goEditing);
  }
  const uint16_t ch = Message.CharCode;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  if (Navigation()->AllowClipboardShortCuts() && ctrl && (ch == 3 || ch == 22 || ch == 24)) {
    Message.CharCode = 0;
    return;
  }
  if (MouseActions()->RangeSelectAndEdit() && !IsClickControlCell(realCol, Row()) &&
      CellInputEditable(realCol, Row()) && ch != 9 && ch != 27 && !ctrl) {
    QChar key(ch);
    if (OnKeyPress)
      OnKeyPress(this, key);
    if (key.isNull())
      return;
    FStartEditChar = key;
    SetOptions(Options() + goEditing);
    const TRect r = CellRect(Col(), Row());
    MouseDown(mbLeft, {}, r.Left + 2, r.Top + 2);
    TBaseGrid::WMChar(Message);
    return;
  }
  if (Options().Contains(goEditing) && ch != 9 && (ch == 8 || (ch >= 32 && ch <= 255))) {
    QChar key(ch);
    if (key == QLatin1Char('.') && ExcelStyleDecimalSeparator() && (Message.KeyData & (1 << 24)))
      key = FormatSettings.DecimalSeparator;
    if (OnKeyPress)
      OnKeyPress(this, key);
    if (key.isNull())
      return;
    Message.CharCode = key.unicode();
    FStartEditChar = key;
    if (!IsClickControlCell(realCol, Row()) && CellInputEditable(realCol, Row()))
      ShowEditorChar(key);
    return;
  }
  TBaseGrid::WMChar(Message);
}
