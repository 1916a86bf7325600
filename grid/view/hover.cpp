// The pointer over the grid: hovered rows, fixed cells and cell buttons, the fixed-border
// sizing zone, the link cursor, hint tracking, and the hint a cell shows.
#include "grid/core/zav_string_grid.h"

#include "grid/core/control_look.h"
#include "grid/core/footer.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/grid_module.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/grid_utils.h"
#include "grid/foundation/markup_utils.h"

void TZavStringGrid::MouseMove(TShiftState Shift, int X, int Y)
{
  if (FMouseDownMove && MouseActions()->RangeSelectAndEdit() && Options().Contains(goEditing) && !EditorMode())
    SetOptions(Options() - goEditing);
  const TGridRect selAtStart = Selection();
  int ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  const bool valid = ACol >= 0 && ARow >= 0;

  if (valid && HoverRow() && ARow != FHoverRowIdx) {
    const int prev = FHoverRowIdx;
    FHoverRowIdx = ARow;
    RepaintRow(ARow);
    if (prev >= 0 && prev < RowCount())
      RepaintRow(prev);
  }

  if (HoverFixedCells() != hfNone && !FNoMouseLeave && (ACol != FHoverFixedX || ARow != FHoverFixedY)) {
    auto repaintFixed = [this](int c, int r) {
      if (c >= 0 && r >= 0 && (r <= FixedRows() || c <= FixedCols()))
        RepaintCell(c, r);
    };
    const int pc = FHoverFixedX, pr = FHoverFixedY;
    FHoverFixedX = ACol;
    FHoverFixedY = ARow;
    repaintFixed(pc, pr);
    repaintFixed(ACol, ARow);
  }

  // Cell and expand buttons light up under the pointer.
  TPoint over(-1, -1);
  if (valid) {
    const TPoint b = BaseCell(ACol, ARow);
    const int realCol = DisplToRealCol(b.X);
    if ((HasButton(realCol, b.Y) && GetCellButtonRect(b.X, b.Y).Contains(TPoint(X, Y))) ||
        (HasExpand(realCol, b.Y) && GetExpandRect(b.X, b.Y).Contains(TPoint(X, Y))))
      over = b;
  }
  if (!(over == FHoverButton)) {
    if (FHoverButton.X >= 0)
      RepaintCell(FHoverButton.X, FHoverButton.Y);
    FHoverButton = over;
    if (over.X >= 0)
      RepaintCell(over.X, over.Y);
  }

  // The right border of a fixed column (bottom of a fixed row) may be dragged.
  const bool wasSizeFixed = FSizeFixed, wasSizeFixedR = FSizeFixedR;
  FSizeFixed = valid && FixedCols() > 0 && MouseActions()->SizeFixedCol() && FixedColAtBorder(X) >= 0;
  if (FSizingFixed) {
    FSizeFixedX = X;
    Invalidate();
  }
  FSizeFixedR = valid && FixedRows() > 0 && MouseActions()->SizeFixedRow() && FixedRowAtBorder(Y) >= 0;
  if (FSizingFixedR) {
    FSizeFixedY = Y;
    Invalidate();
  }

  // The cursor was chosen before this move: a zone entered or left shows at once.
  if ((FSizeFixed != wasSizeFixed || FSizeFixedR != wasSizeFixedR) && HandleAllocated())
    SetWindowCursor(Handle(), FSizeFixed ? crHSplit : FSizeFixedR ? crVSplit : Cursor());

  MoveDragSelect(ACol, ARow, X, Y);
  if (FMouseResize)
    DragSelectionHandle(ACol, ARow);
  bool keepCursor = MoveSelectMode(ACol, ARow, X, Y);
  if (valid && MoveLinks(ACol, ARow, X, Y)) {
    FOwnCursorChange = true;
    SetCursor(crHandPoint);
    keepCursor = true;
  }
  if (!keepCursor && Cursor() != FLoadedCursor) {
    FOwnCursorChange = true;
    SetCursor(FLoadedCursor);
  }

  // Reaching another cell closes the hint so that the next rest asks for the new cell's one.
  if (FLastHintPos.X != -1 && valid) {
    const TPoint b = BaseCell(ACol, ARow);
    if (!(b == FLastHintPos)) {
      Application->CancelHint();
      FLastHintPos = TPoint(-1, -1);
    }
  }

  TBaseGrid::MouseMove(Shift, X, Y);

  if (Navigation()->KeepHorizScroll() && FMouseKeepDown && GridState() != gsColMoving && LeftCol() != FOldKeepLeftCol)
    SetLeftCol(FOldKeepLeftCol);

  // The size a column or row being dragged would get, reported and shown as a hint.
  const bool colSizing = FSizingFixed || (GridState() == gsColSizing && Colclicked >= 0);
  const bool rowSizing = FSizingFixedR || (GridState() == gsRowSizing && Rowclicked >= 0);
  if (colSizing || rowSizing) {
    const int index = colSizing ? (FSizingFixed ? 0 : Colclicked) : (FSizingFixedR ? 0 : Rowclicked);
    const int size = colSizing ? (FSizingFixed ? FSizeFixedX : X - CellRect(Colclicked, 0).Left - Clickposdx)
                               : (FSizingFixedR ? FSizeFixedY : Y - CellRect(0, Rowclicked).Top - Clickposdy);
    if (colSizing && OnColumnSizing)
      OnColumnSizing(this, index, size);
    if (rowSizing && OnRowSizing)
      OnRowSizing(this, index, size);
    if (HintShowSizing() && FScrollHintWnd) {
      const QString hint = (colSizing ? QStringLiteral("cw=<b>") : QStringLiteral("rh=<b>")) + QString::number(size) +
                           QStringLiteral("</b>");
      const bool fixed = colSizing ? FSizingFixed : FSizingFixedR;
      const TRect anchor = fixed ? CellRect(0, 0) : colSizing ? CellRect(index, 0) : CellRect(0, index);
      TRect r = FScrollHintWnd->CalcHintRect(200, hint, nullptr);
      const TPoint at = ClientToScreen(TPoint(anchor.Left, anchor.Top));
      r = TRect(at.X, at.Y, at.X + r.Width(), at.Y + r.Height());
      FScrollHintWnd->SetColor(HintColor());
      FScrollHintWnd->ActivateHint(r, hint);
      FSizeHintShown = true;
    }
  }
  const TGridRect sel = Selection();
  if (!(sel == selAtStart))
    DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
}

void TZavStringGrid::CMMouseLeave(TMessage &Message)
{
  TBaseGrid::CMMouseLeave(Message);
  FMouseSelectMode = msNormal;
  if (!FAnchor.isEmpty()) {
    FAnchor.clear();
    if (OnAnchorExit)
      OnAnchorExit(this, -1, -1, QString());
  }
  if (FHoverCell.X >= 0) {
    RepaintCell(FHoverCell.X, FHoverCell.Y);
    FHoverCell = TPoint(-1, -1);
    FHoverlink = -1;
  }
  FSizeFixed = FSizeFixedR = false;
  if (!FNoMouseLeave && HoverFixedCells() != hfNone && FHoverFixedX >= 0) {
    const int c = FHoverFixedX, r = FHoverFixedY;
    FHoverFixedX = FHoverFixedY = -1;
    RepaintCell(c, r);
  }
  if (FHoverButton.X >= 0) {
    RepaintCell(FHoverButton.X, FHoverButton.Y);
    FHoverButton = TPoint(-1, -1);
  }
  if (HoverRow() && FHoverRowIdx >= 0) {
    const int r = FHoverRowIdx;
    FHoverRowIdx = -1;
    if (r < RowCount())
      RepaintRow(r);
  }
}

void TZavStringGrid::GetCellHint(QString &HintStr, THintInfo *HintInfo)
{
  GridModule().HintFontName = Font()->Name();
  if (!HintInfo)
    return;
  int ACol = -1, ARow = -1;
  MouseToCell(HintInfo->CursorPos.X, HintInfo->CursorPos.Y, ACol, ARow);
  if (ControlLook()->HintMaxWidth() > 0)
    HintInfo->HintMaxWidth = ControlLook()->HintMaxWidth();
  TPoint hintPos = HintInfo->CursorPos;
  if (ACol >= 0 && ARow >= 0) {
    const TPoint b = BaseCell(ACol, ARow);
    ACol = b.X;
    ARow = b.Y;
    FLastHintPos = b;
    const TRect R = CellRect(ACol, ARow);
    const int realCol = DisplToRealCol(ACol);
    // A password cell never shows its text, not even in a hint.
    bool password = false;
    DoIsPasswordCell(realCol, ARow, password);
    QString comment;
    if (IsComment(realCol, ARow, comment)) {
      HintStr = comment;
      hintPos = TPoint(R.Right, R.Top);
    } else {
      hintPos = TPoint(HintInfo->CursorPos.X, R.Bottom + 6);
    }
    const bool normal = ACol >= FixedCols() && ARow >= FixedRows() && ACol < ColCount() - FixedRightCols() &&
                        ARow < RowCount() - FixedFooters();
    const QString raw = Cells(realCol, ARow);
    if (HintShowCells() && normal && !password) {
      hintPos.Y = R.Top;
      const int kind = CellTextKind(raw, EnableHTML());
      if (kind == 5)
        HintStr = UnpackWideText(raw);
      else if (HTMLHint())
        HintStr = raw;
      else
        HintStr = HTMLToPlainText(raw);
    }
    if (HintShowLargeText() && !password) {
      const TSize sz = GetCellTextSize(realCol, ARow, false, false);
      if (sz.cx > R.Right - R.Left || sz.cy > R.Bottom - R.Top) {
        if (HintShowLargeTextPos() == hpCell)
          hintPos = TPoint(R.Left, R.Top);
        HintStr = HTMLHint() || CellTextKind(raw, EnableHTML()) != 1 ? raw : HTMLToPlainText(raw);
      }
    }
    if (password && HintShowCells() && normal)
      HintStr = Hint();
    if (!(FloatingFooter()->Visible() && ARow == RowCount() - 1)) {
      QString wide;
      DoGridHint(ACol, ARow, HintStr, wide);
    }
  }
  HintInfo->HintPos = ClientToScreen(hintPos);
  HintInfo->HintColor = HintColor();
}
