// Merged blocks, their span queries, cell geometry and the moves that keep the current cell on
// the base cell of a block.
#include <algorithm>

#include "grid/foundation/base_grid.h"

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const
{
  TCellProperties *p = PropsAt(ACol, ARow);
  return !p || p->IsBaseCell();
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const
{
  TCellProperties *p = PropsAt(ACol, ARow);
  return p && (p->CellSpanX() > 0 || p->CellSpanY() > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(int ACol, int ARow) const
{
  return IsMergedCell(ACol, ARow) && !IsBaseCell(ACol, ARow);
}

TCellProperties *TBaseGrid::BasePropsOf(int ACol, int ARow) const
{
  if (!HasCellProperties(ACol, ARow))
    return nullptr;
  TPoint b = BaseCell(ACol, ARow);
  return PropsAt(b.X, b.Y);
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const
{
  TCellProperties *bp = BasePropsOf(ACol, ARow);
  return bp && bp->CellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const
{
  TCellProperties *bp = BasePropsOf(ACol, ARow);
  return bp && bp->CellSpanY() > 0;
}

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const
{
  TCellProperties *p = PropsAt(ACol, ARow);
  return p ? p->BaseCell(ACol, ARow) : TPoint(ACol, ARow);
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const
{
  TCellProperties *p = PropsAt(ACol, ARow);
  if (!p || p->CellSpanX() == -1 || p->CellSpanY() == -1)
    return {0, 0};
  TPoint b = p->BaseCell(ACol, ARow);
  TCellProperties *bp = PropsAt(b.X, b.Y);
  return bp ? TPoint(bp->CellSpanX(), bp->CellSpanY()) : TPoint(0, 0);
}

TPoint TBaseGrid::CellExt(int ACol, int ARow) const
{
  if (!IsMergedCell(ACol, ARow))
    return {0, 0};
  TPoint b = BaseCell(ACol, ARow);
  TPoint s = CellSpan(ACol, ARow);
  return {b.X + s.X - ACol, b.Y + s.Y - ARow};
}

TRect TBaseGrid::FullCell(int c, int r) const
{
  TPoint b = BaseCell(c, r);
  TPoint s = CellSpan(c, r);
  return {b.X, b.Y, b.X + s.X, b.Y + s.Y};
}

int TBaseGrid::MinRowSpan(int ARow) const
{
  int result = RowCount();
  for (int c = 0; c < ColCount(); ++c)
    if (int y = CellSpan(c, ARow).Y; y > 0 && y < result)
      result = y;
  return result;
}

int TBaseGrid::MaxRowSpan(int ARow) const
{
  int result = 0;
  for (int c = 0; c < ColCount(); ++c)
    result = std::max(result, CellSpan(c, ARow).Y);
  return result;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2, bool &Found) const
{
  Found = false;
  for (int c = 0; c < ColCount(); ++c)
    if (CellSpan(c, ARow1).Y > 0 && CellSpan(c, ARow2).Y > 0) {
      Found = true;
      if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y)
        return false;
    }
  return true;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2, bool &Found) const
{
  Found = false;
  for (int r = 0; r < RowCount(); ++r) {
    int x1 = CellSpan(ACol1, r).X, x2 = CellSpan(ACol2, r).X;
    if (x1 > 0 && x2 > 0) {
      Found = true;
      if (BaseCell(ACol1, r).X != BaseCell(ACol2, r).X)
        return false;
    } else if (x1 != x2) {
      return false;
    }
  }
  return true;
}

void TBaseGrid::MergeCells(int c, int r, int spanx, int spany)
{
  // A block reaching past the grid is cut at its edge; one starting outside is no block.
  if (!InGrid(c, r) || spanx < 1 || spany < 1)
    return;
  int lastC = std::min(c + spanx - 1, TotalColCount() - 1);
  int lastR = std::min(r + spany - 1, RowCount() - 1);
  ++FMergeCount;
  for (int i = c; i <= lastC; ++i)
    for (int j = r; j <= lastR; ++j) {
      TCellProperties *p = CellProperties(i, j);
      bool base = i == c && j == r;
      p->SetIsBaseCell(base);
      p->SetCellSpanX(base ? lastC - c : i - c);
      p->SetCellSpanY(base ? lastR - r : j - r);
    }
  for (int i = c; i <= lastC; ++i)
    for (int j = r; j <= lastR; ++j)
      RepaintCell(i, j);
}

void TBaseGrid::SplitCells(int c, int r)
{
  TCellProperties *p = CellProperties(c, r);
  if (!p)
    return;
  TPoint b = p->BaseCell(c, r);
  TCellProperties *bp = PropsAt(b.X, b.Y);
  if (!bp || bp->CellSpanX() < 0 || bp->CellSpanY() < 0)
    return;
  int lastC = std::min(b.X + bp->CellSpanX(), TotalColCount() - 1);
  int lastR = std::min(b.Y + bp->CellSpanY(), RowCount() - 1);
  for (int i = b.X; i <= lastC; ++i)
    for (int j = b.Y; j <= lastR; ++j)
      if (TCellProperties *q = PropsAt(i, j)) {
        q->SetIsBaseCell(true);
        q->SetCellSpanX(-1);
        q->SetCellSpanY(-1);
      }
  for (int i = b.X; i <= lastC; ++i)
    for (int j = b.Y; j <= lastR; ++j)
      RepaintCell(i, j);
  FMergeCount = std::max(0, FMergeCount - 1);
}

// ---------------------------------------------------------------------------------------------
// Geometry

int TBaseGrid::FixedColsWidth() const
{
  int w = 0;
  for (int i = 0; i < FixedCols(); ++i)
    w += ColWidths(i);
  return w;
}

int TBaseGrid::FixedRowsHeight() const
{
  int h = 0;
  for (int i = 0; i < FixedRows(); ++i)
    h += RowHeights(i);
  return h;
}

TRect TBaseGrid::GetCellScreenRect(int c, int r)
{
  int x = 0, y = 0;
  for (int i = 0; i < c; ++i)
    x += ColWidths(i);
  for (int j = 0; j < r; ++j)
    y += RowHeights(j);
  // Scrolled cells are placed relative to the first visible one, so a cell scrolled out of view
  // lies outside the client area.
  TRect topLeft = TCustomGrid::CellRect(LeftCol(), TopRow());
  if (c >= FixedCols()) {
    for (int i = 0; i < LeftCol(); ++i)
      x -= ColWidths(i);
    x += topLeft.Left;
  }
  if (r >= FixedRows()) {
    for (int j = 0; j < TopRow(); ++j)
      y -= RowHeights(j);
    y += topLeft.Top;
  }
  return {x, y, x + ColWidths(c), y + RowHeights(r)};
}

namespace {

TRect Union(TRect a, TRect b)
{
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

}  // namespace

TRect TBaseGrid::CellRect(int c, int r)
{
  if (IsMergedCell(c, r)) {
    TRect f = FullCell(c, r);
    TRect first = GetCellScreenRect(f.Left, f.Top);
    TRect last = GetCellScreenRect(f.Right, f.Bottom);
    // A hidden (zero-width) column at either end would drop out of the union.
    if (first.Width() == 0)
      ++first.Right;
    if (last.Width() == 0)
      --last.Left;
    return Union(first, last);
  }
  TCellProperties *p = PropsAt(c, r);
  if (p && p->Control())
    return GetCellScreenRect(c, r);
  TRect rc = TCustomGrid::CellRect(c, r);
  rc.Right = rc.Left + ColWidths(c);
  rc.Bottom = rc.Top + RowHeights(r);
  return rc;
}

TPoint TBaseGrid::CellSize(int c, int r)
{
  TRect rc = GetCellScreenRect(c, r);
  if (IsMergedCell(c, r)) {
    TRect f = FullCell(c, r);
    rc = Union(GetCellScreenRect(f.Left, f.Top), GetCellScreenRect(f.Right, f.Bottom));
  }
  return {rc.Width(), rc.Height()};
}

void TBaseGrid::RepaintCell(int c, int r)
{
  if (!HandleAllocated())
    return;
  // A cell out of view has nothing on screen to repaint (CellRect would still give it a size).
  if (!IsMergedCell(c, r) && TCustomGrid::CellRect(c, r).IsEmpty())
    return;
  TRect rc = CellRect(c, r);
  ::InvalidateRect(Handle(), &rc, true);
}

void TBaseGrid::RepaintFixedColMergedCells()
{
  if (FixedCols() == 0)
    return;
  for (int r = TopRow(); r <= TopRow() + VisibleRowCount() && r < RowCount(); ++r)
    for (int c = 0; c < FixedCols(); ++c)
      if (IsMergedCell(c, r))
        RepaintCell(c, r);
}

void TBaseGrid::RepaintFixedRowMergedCells()
{
  if (FixedRows() == 0)
    return;
  for (int c = LeftCol(); c <= LeftCol() + VisibleColCount() && c < ColCount(); ++c)
    for (int r = 0; r < FixedRows(); ++r)
      if (IsMergedCell(c, r))
        RepaintCell(c, r);
}

// ---------------------------------------------------------------------------------------------
// Moving the current cell

bool TBaseGrid::SelectCell(int ACol, int ARow)
{
  RepaintCell(Col(), Row());
  bool result = TObjStringGrid::SelectCell(ACol, ARow);
  RepaintCell(ACol, ARow);
  return result;
}

void TBaseGrid::KeyDown(uint16_t &Key, TShiftState Shift)
{
  if (HasCellProperties(Col(), Row())) {
    TPoint b = BaseCell(Col(), Row());
    TCellProperties *bp = BasePropsOf(Col(), Row());
    int spanX = bp ? bp->CellSpanX() : -1, spanY = bp ? bp->CellSpanY() : -1;
    // Step to the block's edge first so that the framework's own step leaves the block.
    switch (Key) {
      case VK_RIGHT:
        if (b.X + spanX >= Col() && Col() < ColCount() - 1 && b.X < ColCount() - 1 &&
            b.X + spanX < ColCount())
          SetCol(b.X + spanX);
        break;
      case VK_DOWN:
        if (b.Y + spanY >= Row() && Row() < RowCount() - 1 && b.Y < RowCount() - 1)
          SetRow(b.Y + spanY);
        break;
      case VK_LEFT:
        if (b.X < Col() && Col() > FixedCols() && b.X > 0)
          SetCol(b.X);
        break;
      case VK_UP:
        if (b.Y < Row() && Row() > FixedRows() && b.Y > 0)
          SetRow(b.Y);
        break;
      default:
        break;
    }
  }
  TObjStringGrid::KeyDown(Key, Shift);
  SnapToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
  bool result = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
  SnapToBaseCell();
  return result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
  bool result = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
  SnapToBaseCell();
  return result;
}

void TBaseGrid::TopLeftChanged()
{
  TObjStringGrid::TopLeftChanged();
  RepaintFixedColMergedCells();
  RepaintFixedRowMergedCells();
}
