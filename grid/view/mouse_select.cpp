// Selecting with the mouse: disjunct rows, columns and cells, whole rows and columns from the
// fixed cells, the whole grid from the corner; links and in-cell controls under the pointer;
// the fixed-cell editor; what a move of the current cell repaints around it.
#include "grid/core/zav_string_grid.h"

#include "grid/core/aux_controls.h"
#include "grid/core/control_look.h"
#include "grid/core/feature_settings.h"
#include "grid/core/footer.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/search_panel.h"
#include "grid/core/sort_settings.h"
#include "grid/foundation/grid_helpers.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/grid_utils.h"
#include "grid/foundation/markup_render.h"
#include "grid/foundation/markup_utils.h"

#include <algorithm>

namespace {

bool Between(int V, int A, int B) { return V >= std::min(A, B) && V <= std::max(A, B); }

} // namespace

bool TZavStringGrid::IsSelected(int ACol, int ARow)
{
  if (ACol < FixedCols() || ARow < FixedRows() || ACol >= ColCount() || ARow >= RowCount() || IsFixed(ACol, ARow))
    return false;
  TMouseActions *ma = MouseActions();
  if (ma->DisjunctCellSelect())
    return SelectedCells(ACol, ARow);
  if (ma->DisjunctRowSelect())
    return RowSelect(ma->RowSelectPersistent() ? DisplToRealRow(ARow) : ARow);
  if (ma->DisjunctColSelect())
    return ColSelect(ACol);
  const TGridRect s = Selection();
  return Between(ACol, s.Left, s.Right) && Between(ARow, s.Top, s.Bottom);
}

void TZavStringGrid::RepaintActiveCellHeaders(int OldCol, int OldRow, int NewRow, int NewCol)
{
  const int hr = FixedRows() - 1, hc = FixedCols() - 1;
  for (const TPoint &p : {TPoint(OldCol, OldRow), TPoint(NewCol, NewRow)}) {
    if (hr >= 0 && p.X >= 0)
      RepaintCell(p.X, hr);
    if (hc >= 0 && p.Y >= 0)
      RepaintCell(hc, p.Y);
  }
}

// ---------------------------------------------------------------------------------------------
// Press

// Disjunct rows and columns: Shift extends from the old selection, Ctrl toggles (a Ctrl press
// on a selected row or column deselects it at the release), a plain press starts anew.
bool TZavStringGrid::PressDisjunct(int ACol, int ARow, TShiftState Shift, const TGridRect &S, TWMMouse &Message)
{
  TMouseActions *ma = MouseActions();
  if (ma->DisjunctRowSelect() && ARow >= FixedRows() && (ACol > 0 || !ma->HotmailRowSelect())) {
    if (Shift.Contains(ssShift)) {
      TBaseGrid::WMLButtonDown(Message);
      SetSelection(TGridRect(ACol, ARow, S.Left, S.Top));
      return true;
    }
    if (Shift.Contains(ssCtrl) || ma->DisjunctRowSelectNoCtrl()) {
      if (RowSelect(ma->RowSelectPersistent() ? RealRowIndex(ARow) : ARow))
        FDeselectState = true;
    } else {
      FMouseDown = true;
      if (!Shift.Contains(ssAlt))
        ClearRowSelect();
    }
  }
  if (ma->DisjunctColSelect() && ACol >= FixedCols()) {
    if (Shift.Contains(ssCtrl)) {
      if (ColSelect(ACol))
        FDeselectState = true;
    } else {
      FMouseDown = true;
      ClearColSelect();
    }
  }
  return false;
}

// The corner selects everything, a fixed column's cell its row, a fixed row's cell its column;
// with Shift the old selection's edge stays.
void TZavStringGrid::PressFixedSelect(int ACol, int ARow, TShiftState Shift)
{
  TMouseActions *ma = MouseActions();
  const TGridRect s = Selection();
  const int oldCol = Col(), oldRow = Row();
  auto select = [&](const TGridRect &R) {
    HideSelection();
    if (ma->DisjunctCellSelect())
      FSelectedCells->Clear();
    SetSelection(R);
    FSelHidden = false;
    DoExit();
    if (ActiveCellShow())
      RepaintActiveCellHeaders(oldCol, oldRow, Row(), Col());
  };
  if (ACol < FixedCols() && ARow < FixedRows() && ma->AllSelect() && Options().Contains(goRangeSelect) &&
      FMouseSelectMode == msAll) {
    if (CanFocus())
      SetFocus();
    HideSelection();
    const TGridRect all(FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1);
    BeforeMouseSelectAll();
    SetSelection(all);
    FSelHidden = false;
    DoExit();
    if (ActiveCellShow())
      RepaintActiveCellHeaders(oldCol, oldRow, Row(), Col());
  } else if (ACol < FixedCols() && ARow >= FixedRows() && ma->RowSelect() && FMouseSelectMode == msRow) {
    if (EditorMode() && CanFocus())
      SetFocus();
    const int other = Shift.Contains(ssShift) ? s.Top : ARow;
    select(TGridRect(FixedCols(), ARow, ColCount() - 1, other));
    FMouseSelectStart = ARow;
    if (RowIndicator() && !RowIndicator()->Empty())
      RepaintCol(0);
  } else if (ACol >= FixedCols() && ARow < FixedRows() && ma->ColSelect() && Options().Contains(goRangeSelect) &&
             FMouseSelectMode == msColumn) {
    if (CanFocus())
      SetFocus();
    TGridRect r(ACol, FixedRows(), ACol, RowCount() - 1);
    if (Shift.Contains(ssShift))
      r = ACol < s.Left ? TGridRect(ACol, FixedRows(), s.Right, RowCount() - 1)
                        : TGridRect(s.Left, FixedRows(), ACol, RowCount() - 1);
    select(r);
    FMouseSelectStart = ACol;
  }
}

QString TZavStringGrid::HitTestMarkup(int ACol, int ARow, int X, int Y, QString &Title, int &Link, QString &CtrlID,
                                      QString &CtrlType, QString &CtrlVal, TRect &CtrlRect)
{
  const int realCol = DisplToRealCol(ACol);
  // The text rectangle as the text painter lays it out.
  TRect r = CellRect(ACol, ARow);
  r.Left += XYOffset().X - 1;
  if (!XYOffsetTopLeftOnly())
    r.Right -= XYOffset().X;
  r.Top += XYOffset().Y;
  if (HasCheckBox(realCol, ARow))
    r.Left += ControlLook()->CheckSize();
  int scroll = 0;
  if (HasScrollBar(realCol, ARow)) {
    r.Right -= GetSystemMetrics(SM_CXVSCROLL);
    scroll = GetScrollPosition(realCol, ARow);
  }
  TGridDrawState state;
  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = WordWrap();
  TCellGradientDirection gd = GradientVertical;
  Canvas()->Font()->Assign(IsFixed(ACol, ARow) ? FixedFont() : Font());
  GetVisualProperties(ACol, ARow, state, false, false, true, Canvas()->Brush(), colorTo, mirror, mirrorTo,
                      Canvas()->Font(), ha, va, ww, gd);
  QString anchor, plain, focusAnchor;
  int w = 0, h = 0, count = 0;
  TRect ar;
  Link = -1;
  RenderHTMLText(Canvas(), Cells(realCol, ARow), r, GetGridImages(), X, Y + scroll, -1, -1, 0, true, false, false,
                 false, false, false, ww || Multilinecells(), false, 1.0, URLColor(), clNone, clNone, clNone, anchor,
                 plain, focusAnchor, Title, w, h, count, Link, ar, CtrlRect, CtrlID, CtrlVal, CtrlType, nullptr,
                 nullptr, Handle(), 0);
  return anchor;
}

// A link or an in-cell control under the press; True when the press ends here.
bool TZavStringGrid::PressLink(int ACol, int ARow, int PCol, int PRow, int X, int Y)
{
  const int realCol = DisplToRealCol(ACol);
  const QString text = Cells(realCol, ARow);
  const int kind = CellTextKind(text, EnableHTML());
  if (!URLShow() && kind != 1)
    return false;
  QString anchor, title, ctrlId, ctrlType, ctrlVal;
  int link = -1;
  TRect ctrlRect;
  if (kind != 1 && HasURLScheme(text))
    anchor = text;
  if (kind == 1)
    anchor = HitTestMarkup(PCol, PRow, X, Y, title, link, ctrlId, ctrlType, ctrlVal, ctrlRect);
  if (!anchor.isEmpty() || !ctrlId.isEmpty()) {
    bool autoHandle = true;
    if (!ctrlId.isEmpty()) {
      bool canEdit = (Options().Contains(goEditing) || FEditingDisabled) && !ReadOnly(DisplToRealCol(PCol), PRow);
      DoCanEditCell(ACol, ARow, canEdit);
      if (canEdit) {
        const QString type = ctrlType.toUpper();
        QString t = text;
        if (type == QLatin1String("BUTTON")) {
          FCtrlXY = TPoint(realCol, ARow);
          FCtrlDown = true;
          RepaintCell(ACol, ARow);
        } else if (type == QLatin1String("CHECK")) {
          ctrlVal = ctrlVal.toUpper() == QLatin1String("TRUE") ? QStringLiteral("FALSE") : QStringLiteral("TRUE");
          SetControlValue(t, ctrlId, ctrlVal);
          SetCells(realCol, ARow, t);
        } else if (type == QLatin1String("RADIO")) {
          t = ClearRadioControls(t);
          ctrlVal = QStringLiteral("TRUE");
          SetControlValue(t, ctrlId, ctrlVal);
          SetCells(realCol, ARow, t);
        }
        if (OnControlClick)
          OnControlClick(this, ARow, ACol, ctrlId, ctrlType, ctrlVal);
      }
      return true;
    }
    if (OnAnchorClick)
      OnAnchorClick(this, ARow, ACol, anchor, autoHandle);
    if (autoHandle)
      OpenLink(anchor);
    return true;
  }
  if (kind == 1 && text.toUpper().contains(QLatin1String("<CONTROL"))) {
    if (OnClickCell)
      OnClickCell(this, PRow, PCol);
    HideInplaceEdit();
    FocusCell(ACol, ARow, true);
    return true;
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// Release

// A press on a selected cell of a drag source that did not drag selects now; disjunct rows and
// columns take in the rectangle and drop the row or column a Ctrl press deselected. True when
// the release ends here.
bool TZavStringGrid::ReleaseSelect(int ACol, int ARow, int X, int Y)
{
  TMouseActions *ma = MouseActions();
  const bool normal = ACol >= FixedCols() && ARow >= FixedRows() && ACol < ColCount() && ARow < RowCount();
  if (FSelectionClick) {
    FSelectionClick = false;
    if (normal) {
      const bool ctrl = GetKeyState(VK_CONTROL) < 0;
      if (ma->DisjunctRowSelect() && DragDropSettings()->OleDropSource()) {
        if (!ctrl)
          ClearRowSelect();
        if (ctrl || ma->DisjunctRowSelectNoCtrl()) {
          const int r = ma->RowSelectPersistent() ? RealRowIndex(ARow) : ARow;
          SetRowSelect(r, !RowSelect(r));
          if (OnMouseUp)
            OnMouseUp(this, mbLeft, {ssCtrl}, X, Y);
          return true;
        }
      }
      const bool indicator = RowIndicator() && !RowIndicator()->Empty() && FixedCols() > 0;
      if (indicator)
        RepaintCell(0, Row());
      if (Options().Contains(goRowSelect))
        SetSelection(TGridRect(FixedCols(), ARow, ColCount() - 1, ARow));
      else
        FocusCell(ACol, ARow, true);
      if (indicator)
        RepaintCell(0, Row());
    }
  }
  if (ma->DisjunctRowSelect() && ACol >= 0 && (!IsNode(ARow) || ACol > 0)) {
    if (!(ACol == 0 && ma->HotmailRowSelect()))
      SelectionToRowSelect(false);
    if (ARow >= FixedRows() && ARow < RowCount() - FixedFooters()) {
      if (FDeselectState) {
        SetRowSelect(ma->RowSelectPersistent() ? RealRowIndex(ARow) : ARow, false);
        FSelChange = false;
      }
      if (ma->HotmailRowSelect())
        RepaintCell(0, 0);
    }
    FDeselectState = false;
  }
  if (ma->DisjunctColSelect()) {
    SelectionToColSelect(false);
    if (ACol >= FixedCols() && ACol <= ColCount() - FixedRightCols() - 1 && FDeselectState)
      SetColSelect(ACol, false);
    FDeselectState = false;
  }
  return false;
}

// Disjunct cells: Shift adds, Ctrl toggles, a plain release starts anew; a dragged range adds
// its cells. False when OnSelectCell refused the cell.
bool TZavStringGrid::ReleaseDisjunctCells(int ACol, int ARow)
{
  const TPoint b = BaseCell(ACol, ARow);
  const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  if (IsFixed(b.X, b.Y)) {
    if (!ctrl && !IsFixed(ACol, ARow)) {
      FSelectedCells->Clear();
      Invalidate();
    }
    return true;
  }
  bool canSelect = true;
  if (OnSelectCell)
    OnSelectCell(this, b.X, b.Y, canSelect);
  if (!canSelect)
    return false;
  auto repaintListed = [this] {
    for (int i = 0; i < FSelectedCells->Count(); ++i) {
      const TGridCoord c = SelectedCell(i);
      RepaintCell(c.X, c.Y);
    }
  };
  if (shift) {
    SetSelectedCells(b.X, b.Y, true);
  } else if (ctrl) {
    SetSelectedCells(b.X, b.Y, !FSelectedCells->HasValue(int((uint32_t(b.Y) << 16) | uint32_t(b.X))));
  } else {
    repaintListed();
    FSelectedCells->Clear();
    SetSelectedCells(b.X, b.Y, true);
  }
  const TGridRect s = Selection();
  if (s.Left == s.Right && s.Top == s.Bottom) {
    RepaintCell(b.X, b.Y);
    return true;
  }
  for (int c = std::min(s.Left, s.Right); c <= std::max(s.Left, s.Right); ++c)
    for (int r = std::min(s.Top, s.Bottom); r <= std::max(s.Top, s.Bottom); ++r)
      if (!(c == b.X && r == b.Y) && !IsSelected(c, r))
        SetSelectedCells(c, r, true);
  repaintListed();
  RepaintCell(ACol, ARow);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Move

// Dragging over the fixed column (row) after a press there extends the row (column) range.
void TZavStringGrid::MoveDragSelect(int ACol, int ARow, int X, int Y)
{
  if (FMouseSelectStart == -1)
    return;
  TMouseActions *ma = MouseActions();
  if (ma->RowSelect() && FMouseSelectMode == msRow) {
    if (ARow >= FixedRows() && ARow < RowCount() - FixedFooters())
      SetSelection(TGridRect(FixedCols(), FMouseSelectStart, ColCount() - 1, std::max(FixedRows(), ARow)));
    if (Y > Height() - 4 && TopRow() + VisibleRowCount() < RowCount())
      SetTopRow(TopRow() + 1);
    else if (FixedRows() > 0 && Y < CellRect(0, 0).Bottom && TopRow() > FixedRows())
      SetTopRow(TopRow() - 1);
  } else if (ma->ColSelect() && FMouseSelectMode == msColumn && ACol >= 0) {
    SetSelection(TGridRect(FMouseSelectStart, FixedRows(), std::max(FixedCols(), ACol), RowCount() - 1));
  }
}

// The selection mode the pointer's place offers; True when it keeps its own cursor.
bool TZavStringGrid::MoveSelectMode(int ACol, int ARow, int X, int Y)
{
  TMouseActions *ma = MouseActions();
  const TMouseSelectMode was = FMouseSelectMode;
  FMouseSelectMode = OnSelectionHandle(X, Y) ? msResize : msNormal;
  if (ACol >= 0 && ARow >= 0 && GridState() != gsColSizing && GridState() != gsRowSizing) {
    const int lastRow = RowCount() - (FloatingFooter()->Visible() && FloatingFooter()->FooterStyle() == fsFixedLastRow ? 2 : 1);
    if (ACol < FixedCols() && ARow < FixedRows() && ma->AllSelect())
      FMouseSelectMode = msAll;
    else if (ARow < FixedRows() && ACol >= FixedCols() && ma->ColSelect() && !IsOnFixedSizingBorder(X, Y))
      FMouseSelectMode = msColumn;
    else if (ACol < FixedCols() && ARow >= FixedRows() && ARow <= lastRow && ma->RowSelect() &&
             !IsOnFixedSizingBorder(X, Y) && !(IsNode(ARow) && IsOnNodeGlyph(ARow, X)))
      FMouseSelectMode = msRow;
  }
  // The cursor was chosen before this move: a zone entered or left shows at once.
  if (FMouseSelectMode != was && HandleAllocated() && !FSizeFixed && !FSizeFixedR)
    SetWindowCursor(Handle(), FMouseSelectMode != msNormal ? SelectModeCursor()
                              : FCellSelectorMode          ? CellSelectorCursor
                                                           : Cursor());
  // The handle's cursor is chosen anew at every move; the grid's own cursor stays.
  return FMouseSelectMode != msNormal && FMouseSelectMode != msResize;
}

TCursor TZavStringGrid::SelectModeCursor() const
{
  switch (FMouseSelectMode) {
  case msColumn: return crUpArrow;
  case msRow: return crArrow;
  case msAll:
  case msResize: return crSizeAll;
  default: return crDefault;
  }
}

// Links under the pointer: the hand cursor, the hover look, anchor hints and the enter and
// exit events. True when the hand cursor stays.
bool TZavStringGrid::MoveLinks(int ACol, int ARow, int X, int Y)
{
  const int realCol = DisplToRealCol(ACol);
  const QString text = Cells(realCol, ARow);
  const int kind = CellTextKind(text, EnableHTML());
  const TPoint cell(ACol, ARow);
  bool keep = false;
  QString anchor;
  int link = -1;
  if (URLShow() && kind != 1 && HasURLScheme(text)) {
    keep = true;
  } else if (kind == 1) {
    QString title, ctrlId, ctrlType, ctrlVal;
    TRect ctrlRect;
    anchor = HitTestMarkup(ACol, ARow, X, Y, title, link, ctrlId, ctrlType, ctrlVal, ctrlRect);
    if (!anchor.isEmpty()) {
      QString hint = title;
      if (hint.isEmpty() && OnAnchorHint)
        OnAnchorHint(this, ARow, ACol, hint);
      if (hint != FLastAnchorHint && anchor != FAnchor) {
        FLastAnchorHint = hint;
        Application->CancelHint();
      }
      keep = true;
      if (anchor != FAnchor) {
        FAnchor = anchor;
        if (OnAnchorEnter)
          OnAnchorEnter(this, ARow, ACol, anchor);
      }
    }
  }
  // Leaving a link, also into a cell without mark-up, ends it.
  if (anchor.isEmpty() && !FAnchor.isEmpty()) {
    FAnchor.clear();
    if (OnAnchorExit)
      OnAnchorExit(this, ARow, ACol, QString());
  }
  if (URLUnderlineOnHover()) {
    const TPoint hover = anchor.isEmpty() ? TPoint(-1, -1) : cell;
    if (!(hover == FHoverCell) || (anchor.isEmpty() ? -1 : link) != FHoverlink) {
      if (FHoverCell.X >= 0)
        RepaintCell(FHoverCell.X, FHoverCell.Y);
      FHoverCell = hover;
      FHoverlink = anchor.isEmpty() ? -1 : link;
      if (hover.X >= 0)
        RepaintCell(hover.X, hover.Y);
    }
  }
  return keep;
}

// ---------------------------------------------------------------------------------------------
// Selection resizer: the handle at the selection's bottom-right corner is dragged to enlarge
// the selection, and the block copied at the press is pasted into the enlarged one.

bool TZavStringGrid::OnSelectionHandle(int X, int Y)
{
  if (!FSelectionResizer || !SelectionRectangle())
    return false;
  const TGridRect s = Selection();
  if (TCustomGrid::CellRect(s.Right, s.Bottom).IsEmpty())
    return false;
  const TRect R = CellRect(s.Right, s.Bottom);
  return X >= R.Right - 6 && X < R.Right && Y >= R.Bottom - 6 && Y < R.Bottom;
}

void TZavStringGrid::StartSelectionResize(TWMMouse &Message)
{
  const TGridRect sel = Selection();
  FGridState = gsSelecting;
  FDropSelection = sel;
  CopySelectionToClipboard();
  FMouseResize = true;
  if (!Options().Contains(goEditing) && !MouseActions()->RangeSelectAndEdit())
    TBaseGrid::WMLButtonDown(Message);
  // The platform's press, when it ran, moved the current cell to the handle's cell. The drag
  // moves the bottom-right corner, so the top-left one becomes the fixed end, the current cell.
  SetSelection(TGridRect(sel.Right, sel.Bottom, sel.Left, sel.Top));
  MouseMove({}, Message.XPos, Message.YPos);
  Message.Result = 1;
}

// Done here rather than by the platform's range drag, which with goEditing on would move the
// current cell instead of extending the range.
void TZavStringGrid::DragSelectionHandle(int ACol, int ARow)
{
  if (ACol < FixedCols() || ARow < FixedRows() || ACol >= ColCount() - FixedRightCols() ||
      ARow >= RowCount() - FixedFooters())
    return;
  const int l = FDropSelection.Left, t = FDropSelection.Top;
  const TGridRect want(std::min(l, ACol), std::min(t, ARow), std::max(l, ACol), std::max(t, ARow));
  if (Selection() == want && Col() == l && Row() == t)
    return;
  SetSelection(TGridRect(ACol, ARow, l, t));
}

void TZavStringGrid::EndSelectionResize()
{
  if (!FMouseResize)
    return;
  const TGridRect from = FDropSelection;
  if (OnSelectionResize)
    OnSelectionResize(this, from, Selection());
  // The paste writes as the grid, whatever editing the current cell turned off; the flag
  // keeps its meaning for the cells after it.
  const bool editDisabled = FEditingDisabled;
  FEditingDisabled = true;
  try {
    PasteSelectionFromClipboard();
  } catch (...) {
    FMouseResize = false;
    FEditingDisabled = editDisabled;
    throw;
  }
  FMouseResize = false;
  FEditingDisabled = editDisabled;
  if (OnSelectionResized)
    OnSelectionResized(this, from, Selection());
}

// ---------------------------------------------------------------------------------------------
// Header click sort

void TZavStringGrid::HeaderSortClick(int RealCol)
{
  HideInplaceEdit();
  TSortSettings *ss = SortSettings();
  if (ss->AutoColumnMerge())
    SplitAllColumnCells();
  bool unSort = false;
  if (ss->IndexShow()) {
    const bool key = GetKeyState(ss->IndexSortKey() == ikCtrl ? VK_CONTROL : VK_SHIFT) < 0;
    TSortIndexList *list = SortIndexes();
    const bool initUp = ss->InitSortDirection() == sdAscending;
    if (key) {
      if (list->FindIndex(RealCol) < 0)
        list->AddIndex(RealCol, initUp);
      else
        list->ToggleIndex(RealCol);
    } else if (list->Count() == 1 && list->GetSortColumns(0) == RealCol) {
      list->ToggleIndex(RealCol);
    } else {
      list->Clear();
      list->AddIndex(RealCol, initUp);
    }
  } else if (ss->Column() == RealCol) {
    unSort = ss->Direction() != ss->InitSortDirection() && ss->UndoSort();
    ss->SetDirection(ss->Direction() == sdAscending ? sdDescending : sdAscending);
  } else {
    ss->SetDirection(ss->InitSortDirection());
    ss->SetColumn(RealCol);
  }
  const uint32_t start = GetTickCount();
  const bool keepLeft = Options().Contains(goRowSelect) && Navigation()->KeepHorizScroll();
  const int left = LeftCol();
  if (keepLeft)
    BeginUpdate();
  if (ss->IndexShow()) {
    if (FNumNodes > 0)
      QSortGroupIndexed();
    else
      QSortIndexed();
    ss->SetColumn(SortIndexes()->Count() > 0 ? SortIndexes()->GetSortColumns(0) : -1);
  } else if (FNumNodes > 0) {
    QSortGroup();
  } else if (unSort) {
    ss->SetColumn(-1);
    QUnSort();
  } else {
    QSort();
  }
  if (keepLeft) {
    SetLeftCol(left);
    EndUpdate();
  }
  SortTime = GetTickCount() - start;
  if (ss->AutoColumnMerge())
    ApplyMergedColumns();
  if (FControlList->Count() > 0)
    CellControlsUpdate(true);
  DoClickSort(ss->Column());
}

// ---------------------------------------------------------------------------------------------
// Fixed-cell editor

void TZavStringGrid::ShowFixedCellEditor(int ACol, int ARow)
{
  if (FTransEdit->Visible() && !FTransEdit->StopEdit())
    return;
  if (FTransCombo->Visible() && !FTransCombo->StopEdit())
    return;
  bool allow = true;
  if (OnCanEditCell)
    OnCanEditCell(this, ARow, ACol, allow);
  if (!allow)
    return;
  FFixedColEdit = ACol;
  FFixedRowEdit = ARow;
  TMouseActions *ma = MouseActions();
  TGridFixedCellEditor kind = ACol == 0 ? ma->FixedColsEditor() : ma->FixedRowsEditor();
  FTransCombo->Items()->Assign(ma->FixedComboValues());
  DoFixedEdit(ACol, ARow, kind, FTransCombo->Items());
  TRect R = CellRect(ACol, ARow);
  R.Left += 1;
  R.Top += 1;
  R.Right -= 1;
  R.Bottom -= 1;
  const int column = RealColIndex(ACol);
  const QString text = Cells(column, ARow);
  if (kind == fceEdit) {
    FTransEdit->SetBounds(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
    FTransEdit->OnChange = [this](TObject *Sender) { FixedEditChange(Sender); };
    FTransEdit->SetText(text);
    FTransEdit->SetCol(column);
    FTransEdit->SetRow(ARow);
    FTransEdit->SetVisible(true);
    if (FTransEdit->CanFocus())
      FTransEdit->SetFocus();
  } else {
    FTransCombo->SetBounds(R.Left - 1, R.Top - 1, R.Right - R.Left + 1, R.Bottom - R.Top);
    FTransCombo->SetStyle(kind == fceComboEdit ? csDropDown : csDropDownList);
    FTransCombo->OnChange = [this](TObject *Sender) { FixedEditChange(Sender); };
    FTransCombo->SetText(text);
    FTransCombo->SetCol(column);
    FTransCombo->SetRow(ARow);
    FTransCombo->SetVisible(true);
    if (FTransCombo->CanFocus())
      FTransCombo->SetFocus();
  }
}

void TZavStringGrid::FixedEditChange(TObject *Sender)
{
  auto *ctl = dynamic_cast<TWinControl *>(Sender);
  if (ctl && OnEditChange)
    OnEditChange(this, FFixedColEdit, FFixedRowEdit, ctl->GetText());
}

// ---------------------------------------------------------------------------------------------
// Moving the current cell

bool TZavStringGrid::KeepClearOfPanels(int ARow)
{
  if (ARow < 0)
    return true;
  const int b = SearchFooter()->Visible() ? SearchPanel()->Height() + 2 : 0;
  const int clientBottom = ClientHeight();
  auto bottomOf = [this](int r) { return TCustomGrid::CellRect(LeftCol(), r).Bottom; };
  if (FloatingFooter()->Visible()) {
    const int line = clientBottom - FloatingFooter()->Height() - b + 2;
    if (FloatingFooter()->FooterStyle() == fsFixedLastRow) {
      if (ARow == RowCount() - 1)
        return false;
      if (ARow >= TopRow() + VisibleRowCount())
        SetTopRow(std::max(FixedRows(), ARow + FixedRows() - VisibleRowCount()));
      if (bottomOf(ARow) > line && TopRow() < RowCount() - 1)
        SetTopRow(TopRow() + 1);
    } else {
      UpdateFooter();
      if (bottomOf(ARow) > line && ARow < RowCount() && TopRow() < RowCount() - 1)
        SetTopRow(TopRow() + 1);
    }
  }
  if (SearchFooter()->Visible()) {
    // Bounded: each step scrolls one row, and the top row cannot pass the last row.
    while (bottomOf(ARow) > clientBottom - SearchPanel()->Height() + 2 && ARow <= RowCount() - 1 &&
           TopRow() < RowCount() - 1) {
      const int top = TopRow();
      SetTopRow(top + 1);
      if (TopRow() == top)
        break;
    }
  }
  return true;
}

void TZavStringGrid::RepaintRowIndicators(int OldRow, int NewRow)
{
  if (RowIndicator() && !RowIndicator()->Empty() && FixedCols() > 0) {
    RepaintCell(0, OldRow);
    RepaintCell(0, NewRow);
  }
}

void TZavStringGrid::SelectCellRepaints(int OldCol, int OldRow, const TGridRect &OldSel, int ACol, int ARow)
{
  RepaintRowIndicators(OldRow, ARow);
  if (ActiveCellShow()) {
    RepaintActiveCellHeaders(OldCol, OldRow, ARow, ACol);
    if (OldSel.Left != OldCol && OldSel.Top != OldRow)
      RepaintActiveCellHeaders(OldSel.Left, OldSel.Top, OldSel.Top, OldSel.Left);
  }
}
