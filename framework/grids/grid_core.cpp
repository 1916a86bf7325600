// TCustomGrid: construction, counts and sizes, current cell, view and selection,
// geometry and repaint helpers, moves of whole columns and rows.
#include "framework/grids/inplace_edit.h"

#include <algorithm>

namespace {

[[noreturn]] void InvalidOp(const QString &Message)
{
  throw EInvalidGridOperation(Message);
}

const QString SIndexOutOfRange = QStringLiteral("Grid index out of range");
const QString SFixedColTooBig = QStringLiteral("Fixed column count must be less than column count");
const QString SFixedRowTooBig = QStringLiteral("Fixed row count must be less than row count");

TGridRect GridRect(TGridCoord a, TGridCoord b)
{
  return TGridRect(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
}

}  // namespace

TCustomGrid::TCustomGrid(TComponent *AOwner) : TCustomControl(AOwner)
{
  FOptions = TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  FCanEditModify = true;
  // Clicks and double clicks come from the grid's own press and release handling.
  SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks});
  SetColor(clWindow);
  SetParentColor(false);
  SetTabStop(true);
  SetBounds(Left(), Top(), FColCount * FDefaultColWidth, FRowCount * FDefaultRowHeight);
  FTopLeft = TGridCoord(FFixedCols, FFixedRows);
  FCurrent = FTopLeft;
  FAnchor = FCurrent;
}

TCustomGrid::~TCustomGrid()
{
  // The editor outlives this part of the grid (the component owner frees it later).
  if (FInplaceEdit)
    FInplaceEdit->SetGrid(nullptr);
}

// ---------------------------------------------------------------------------------------
// Layout

int TCustomGrid::EffectiveLineWidth(bool Horz) const
{
  // Columns are separated by vertical lines, rows by horizontal ones.
  const bool lines = Horz ? (FOptions.Contains(goFixedVertLine) || FOptions.Contains(goVertLine))
                          : (FOptions.Contains(goFixedHorzLine) || FOptions.Contains(goHorzLine));
  return lines ? FGridLineWidth : 0;
}

void TCustomGrid::CalcFixedInfo(TGridDrawInfo &DrawInfo)
{
  auto fill = [](TGridAxisDrawInfo &a, const std::vector<int> &ext, int def, int line, int fixed,
                 int first, int count) {
    a = TGridAxisDrawInfo();
    a.Extents = &ext;
    a.DefaultExtent = def;
    a.EffectiveLineWidth = line;
    a.FixedCellCount = fixed;
    a.FirstGridCell = first;
    a.GridCellCount = count;
  };
  fill(DrawInfo.Horz, FColWidths, FDefaultColWidth, EffectiveLineWidth(true), FFixedCols, FTopLeft.X, FColCount);
  fill(DrawInfo.Vert, FRowHeights, FDefaultRowHeight, EffectiveLineWidth(false), FFixedRows, FTopLeft.Y, FRowCount);
  DrawInfo.Horz.Calc(0);
  DrawInfo.Vert.Calc(0);
}

void TCustomGrid::CalcDrawInfo(TGridDrawInfo &DrawInfo)
{
  CalcFixedInfo(DrawInfo);
  DrawInfo.Horz.Calc(ClientWidth());
  DrawInfo.Vert.Calc(ClientHeight());
}

TGridCoord TCustomGrid::CalcCoordFromPoint(int X, int Y, const TGridDrawInfo &DrawInfo)
{
  return TGridCoord(DrawInfo.Horz.CellAt(X), DrawInfo.Vert.CellAt(Y));
}

TGridCoord TCustomGrid::CalcMaxTopLeft(const TGridCoord &Coord, const TGridDrawInfo &DrawInfo)
{
  (void)Coord;
  return TGridCoord(DrawInfo.Horz.MaxFirstCell(), DrawInfo.Vert.MaxFirstCell());
}

void TCustomGrid::GridRectToScreenRect(const TGridRect &GridRect, TRect &ScreenRect, bool IncludeLine)
{
  ScreenRect = TRect();
  if (GridRect.Left > GridRect.Right || GridRect.Top > GridRect.Bottom)
    return;
  TGridDrawInfo info;
  CalcDrawInfo(info);
  auto axis = [&](const TGridAxisDrawInfo &a, int lo, int hi, int &smin, int &smax) -> bool {
    if (hi < 0 || lo >= a.GridCellCount)
      return false;
    lo = std::max(lo, 0);
    hi = std::min(hi, a.GridCellCount - 1);
    // Cells scrolled out under the fixed area are not on screen.
    if (lo >= a.FixedCellCount && lo < a.FirstGridCell) {
      if (hi < a.FirstGridCell)
        return false;
      lo = a.FirstGridCell;
    }
    if (hi >= a.FixedCellCount && hi < a.FirstGridCell)
      hi = a.FixedCellCount - 1;
    const int start = a.LinePos(lo);
    if (start < 0)
      return false;
    // The last cell on screen when the range runs past the view.
    int last = hi;
    if (last >= a.FirstGridCell)
      last = std::max(lo, std::min(last, std::min(a.LastFullVisibleCell + 1, a.GridCellCount - 1)));
    int lastPos = a.LinePos(last);
    while (lastPos < 0 && last > lo) {
      --last;
      lastPos = a.LinePos(last);
    }
    smin = start;
    smax = lastPos + a.GetExtent(last);
    if (smax > a.GridExtent)
      smax = a.GridExtent;
    if (IncludeLine)
      smax += a.EffectiveLineWidth;
    return true;
  };
  TRect r;
  if (!axis(info.Horz, GridRect.Left, GridRect.Right, r.Left, r.Right))
    return;
  if (!axis(info.Vert, GridRect.Top, GridRect.Bottom, r.Top, r.Bottom))
    return;
  ScreenRect = r;
}

TRect TCustomGrid::BoxRect(int ALeft, int ATop, int ARight, int ABottom)
{
  TRect r;
  GridRectToScreenRect(TGridRect(ALeft, ATop, ARight, ABottom), r, false);
  return r;
}

TRect TCustomGrid::CellRect(int ACol, int ARow)
{
  return BoxRect(ACol, ARow, ACol, ARow);
}

void TCustomGrid::MouseToCell(int X, int Y, int &ACol, int &ARow)
{
  const TGridCoord c = MouseCoord(X, Y);
  ACol = c.X;
  ARow = c.Y;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y)
{
  TGridDrawInfo info;
  CalcDrawInfo(info);
  TGridCoord c = CalcCoordFromPoint(X, Y, info);
  if (c.X < 0 || c.Y < 0)
    c = TGridCoord(-1, -1);
  return c;
}

int TCustomGrid::VisibleColCount()
{
  TGridDrawInfo info;
  CalcDrawInfo(info);
  return info.Horz.VisibleCount();
}

int TCustomGrid::VisibleRowCount()
{
  TGridDrawInfo info;
  CalcDrawInfo(info);
  return info.Vert.VisibleCount();
}

int TCustomGrid::GridWidth()
{
  TGridDrawInfo info;
  CalcDrawInfo(info);
  return info.Horz.GridBoundary;
}

int TCustomGrid::GridHeight()
{
  TGridDrawInfo info;
  CalcDrawInfo(info);
  return info.Vert.GridBoundary;
}

// ---------------------------------------------------------------------------------------
// Counts and sizes

void TCustomGrid::ResizeExtents(std::vector<int> &Extents, int Count, int Default)
{
  const size_t n = size_t(std::max(Count, 0));
  if (n < Extents.size()) {
    if (&Extents == &FRowHeights)
      for (size_t i = n; i < Extents.size(); ++i)
        if (Extents[i] != Default)
          --FOddRowHeights;
    Extents.resize(n);
  } else if (n == Extents.size() + 1) {
    Extents.push_back(Default);  // a row added: no general fill
  } else {
    Extents.resize(n, Default);
  }
  ++FExtentsSerial;
}

void TCustomGrid::ResetExtents(std::vector<int> &Extents, int Default)
{
  std::fill(Extents.begin(), Extents.end(), Default);
  if (&Extents == &FRowHeights)
    FOddRowHeights = 0;
  ++FExtentsSerial;
}

void TCustomGrid::SetColCount(int Value)
{
  if (Value == FColCount)
    return;
  if (Value < 1)
    Value = 1;
  if (Value <= FFixedCols)
    FFixedCols = Value - 1;
  ChangeSize(Value, FRowCount);
  if (FOptions.Contains(goRowSelect)) {
    FAnchor.X = FColCount - 1;
    Invalidate();
  }
}

void TCustomGrid::SetRowCount(int Value)
{
  if (Value == FRowCount)
    return;
  if (Value < 1)
    Value = 1;
  if (Value <= FFixedRows)
    FFixedRows = Value - 1;
  ChangeSize(FColCount, Value);
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount)
{
  const int oldColCount = FColCount;
  const int oldRowCount = FRowCount;
  FColCount = NewColCount;
  FRowCount = NewRowCount;
  if (FFixedCols >= FColCount)
    FFixedCols = FColCount - 1;
  if (FFixedRows >= FRowCount)
    FFixedRows = FRowCount - 1;
  SetExtents(FColWidths, FColCount, FDefaultColWidth);
  SetExtents(FRowHeights, FRowCount, FDefaultRowHeight);
  RestoreAfterCountChange(oldColCount, oldRowCount);
  InvalidateGrid();
  UpdateScrollRange();
  SizeChanged(oldColCount, oldRowCount);
}

// Keeps the current cell, the anchor and the view inside the new counts and below
// the fixed area.
void TCustomGrid::RestoreAfterCountChange(int OldColCount, int OldRowCount)
{
  (void)OldColCount;
  (void)OldRowCount;
  auto clampCol = [&](int c) { return std::clamp(c, FFixedCols, FColCount - 1); };
  auto clampRow = [&](int r) { return std::clamp(r, FFixedRows, FRowCount - 1); };
  TGridCoord target(clampCol(FCurrent.X), clampRow(FCurrent.Y));
  if (!(target == FCurrent)) {
    MoveCurrent(target.X, target.Y, false, true);
    // A refused move must not leave the current cell outside the grid.
    if (FCurrent.X >= FColCount || FCurrent.Y >= FRowCount || FCurrent.X < FFixedCols || FCurrent.Y < FFixedRows)
      FCurrent = target;
  }
  FAnchor = TGridCoord(clampCol(FAnchor.X), clampRow(FAnchor.Y));
  if (FOptions.Contains(goRowSelect)) {
    FAnchor.X = FColCount - 1;
    FCurrent.X = FFixedCols;
  }
  TGridCoord tl(std::max(FTopLeft.X, FFixedCols), std::max(FTopLeft.Y, FFixedRows));
  if (HandleAllocated()) {
    TGridDrawInfo info;
    FTopLeft = tl;
    CalcDrawInfo(info);
    const TGridCoord maxTl = CalcMaxTopLeft(tl, info);
    tl.X = std::min(tl.X, maxTl.X);
    tl.Y = std::min(tl.Y, maxTl.Y);
  } else {
    tl.X = std::min(tl.X, FColCount - 1);
    tl.Y = std::min(tl.Y, FRowCount - 1);
  }
  FTopLeft = tl;
}

// A new fixed count puts the view and the current cell back at the first scrollable cell.
// The editor's text goes to its cell first, and the editor follows the current cell after.
void TCustomGrid::FixedCountChanged()
{
  FTopLeft = TGridCoord(FFixedCols, FFixedRows);
  FCurrent = FTopLeft;
  FAnchor = FCurrent;
  if (FOptions.Contains(goRowSelect))
    FAnchor.X = FColCount - 1;
  InvalidateGrid();
  UpdateScrollRange();
  UpdateEdit();
}

void TCustomGrid::SetFixedCols(int Value)
{
  if (Value == FFixedCols)
    return;
  if (Value < 0)
    InvalidOp(SIndexOutOfRange);
  if (Value >= FColCount)
    InvalidOp(SFixedColTooBig);
  HideEdit();
  FFixedCols = Value;
  FixedCountChanged();
}

void TCustomGrid::SetFixedRows(int Value)
{
  if (Value == FFixedRows)
    return;
  if (Value < 0)
    InvalidOp(SIndexOutOfRange);
  if (Value >= FRowCount)
    InvalidOp(SFixedRowTooBig);
  HideEdit();
  FFixedRows = Value;
  FixedCountChanged();
}

void TCustomGrid::SetDefaultColWidth(int Value)
{
  FDefaultColWidth = Value;
  SetExtents(FColWidths, FColCount, Value);
  ResetExtents(FColWidths, Value);
  ColWidthsChanged();
  InvalidateGrid();
}

void TCustomGrid::SetDefaultRowHeight(int Value)
{
  FDefaultRowHeight = Value;
  SetExtents(FRowHeights, FRowCount, Value);
  ResetExtents(FRowHeights, Value);
  RowHeightsChanged();
  InvalidateGrid();
}

int TCustomGrid::ColWidths(int Index) const
{
  if (Index < 0 || Index >= int(FColWidths.size()))
    return FDefaultColWidth;
  return FColWidths[size_t(Index)];
}

int TCustomGrid::RowHeights(int Index) const
{
  if (Index < 0 || Index >= int(FRowHeights.size()))
    return FDefaultRowHeight;
  return FRowHeights[size_t(Index)];
}

void TCustomGrid::SetColWidths(int Index, int Value)
{
  SetExtents(FColWidths, FColCount, FDefaultColWidth);
  if (Index < 0 || Index >= FColCount)
    InvalidOp(SIndexOutOfRange);
  if (Value < 0)
    Value = 0;
  if (FColWidths[size_t(Index)] == Value)
    return;
  FColWidths[size_t(Index)] = Value;
  ++FExtentsSerial;
  InvalidateGrid();
  ColWidthsChanged();
}

void TCustomGrid::SetRowHeights(int Index, int Value)
{
  SetExtents(FRowHeights, FRowCount, FDefaultRowHeight);
  if (Index < 0 || Index >= FRowCount)
    InvalidOp(SIndexOutOfRange);
  if (Value < 0)
    Value = 0;
  if (FRowHeights[size_t(Index)] == Value)
    return;
  FOddRowHeights += (Value != FDefaultRowHeight) - (FRowHeights[size_t(Index)] != FDefaultRowHeight);
  FRowHeights[size_t(Index)] = Value;
  ++FExtentsSerial;
  InvalidateGrid();
  RowHeightsChanged();
}

namespace {
bool RotateExtents(std::vector<int> &Extents, int First, int Middle, int Last)
{
  if (First < 0 || Middle <= First || Middle >= Last || Last > int(Extents.size()))
    return false;
  std::rotate(Extents.begin() + First, Extents.begin() + Middle, Extents.begin() + Last);
  return true;
}
}  // namespace

void TCustomGrid::RotateRowHeights(int First, int Middle, int Last)
{
  SetExtents(FRowHeights, FRowCount, FDefaultRowHeight);
  if (FOddRowHeights == 0 || !RotateExtents(FRowHeights, First, Middle, Last))
    return;
  ++FExtentsSerial;
  InvalidateGrid();
}

void TCustomGrid::RotateColWidths(int First, int Middle, int Last)
{
  SetExtents(FColWidths, FColCount, FDefaultColWidth);
  if (!RotateExtents(FColWidths, First, Middle, Last))
    return;
  ++FExtentsSerial;
  InvalidateGrid();
}

void TCustomGrid::SetGridLineWidth(int Value)
{
  if (Value < 0)
    Value = 0;
  if (Value == FGridLineWidth)
    return;
  FGridLineWidth = Value;
  InvalidateGrid();
  UpdateScrollRange();
  UpdateEdit();
}

void TCustomGrid::ChangeScale(int M, int D)
{
  TCustomControl::ChangeScale(M, D);
  if (M == D || D == 0)
    return;
  FDefaultColWidth = MulDiv(FDefaultColWidth, M, D);
  FDefaultRowHeight = MulDiv(FDefaultRowHeight, M, D);
  for (int &w : FColWidths)
    w = MulDiv(w, M, D);
  FOddRowHeights = 0;
  for (int &h : FRowHeights) {
    h = MulDiv(h, M, D);
    FOddRowHeights += h != FDefaultRowHeight;
  }
  ++FExtentsSerial;
  InvalidateGrid();
  ColWidthsChanged();
  RowHeightsChanged();
}

void TCustomGrid::ColWidthsChanged()
{
  UpdateScrollRange();
  UpdateEdit();
}

void TCustomGrid::RowHeightsChanged()
{
  UpdateScrollRange();
  UpdateEdit();
}

void TCustomGrid::SizeChanged(int OldColCount, int OldRowCount)
{
  (void)OldColCount;
  (void)OldRowCount;
}

// ---------------------------------------------------------------------------------------
// Options and appearance

void TCustomGrid::SetOptions(TGridOptions Value)
{
  if (Value == FOptions)
    return;
  if (Value.Contains(goRowSelect))
    Value -= goAlwaysShowEditor;
  const TGridOptions old = FOptions;
  FOptions = Value;
  if (!FEditorMode) {
    if (FOptions.Contains(goAlwaysShowEditor))
      ShowEditor();
    else
      HideEditor();
  }
  if (FOptions.Contains(goRowSelect) && !old.Contains(goRowSelect)) {
    FAnchor.X = FColCount - 1;
    FCurrent.X = FFixedCols;
  }
  InvalidateGrid();
  UpdateScrollRange();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value)
{
  if (Value == FScrollBars)
    return;
  FScrollBars = Value;
  // The bars are part of the window's style.
  if (HandleAllocated())
    RecreateWnd();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value)
{
  if (Value == FBorderStyle)
    return;
  FBorderStyle = Value;
  ApplyBorder();
}

void TCustomGrid::SetFixedColor(TColor Value)
{
  if (Value == FFixedColor)
    return;
  FFixedColor = Value;
  InvalidateGrid();
}

void TCustomGrid::SetDefaultDrawing(bool Value)
{
  if (Value == FDefaultDrawing)
    return;
  FDefaultDrawing = Value;
  InvalidateGrid();
}

// ---------------------------------------------------------------------------------------
// Current cell, view and selection

TGridRect TCustomGrid::Selection() const
{
  return GridRect(FCurrent, FAnchor);
}

void TCustomGrid::SetSelection(const TGridRect &Value)
{
  const TGridRect old = Selection();
  FAnchor = Value.TopLeft();
  FCurrent = Value.BottomRight();
  SelectionMoved(old);
}

void TCustomGrid::SelectionMoved(const TGridRect &OldSel)
{
  if (!HandleAllocated())
    return;
  InvalidateRect(OldSel);
  InvalidateRect(Selection());
  // The focused cell drawn for the old current cell.
  InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::SetCol(int Value)
{
  if (Value != FCurrent.X)
    FocusCell(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int Value)
{
  if (Value != FCurrent.Y)
    FocusCell(FCurrent.X, Value, true);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
  MoveCurrent(ACol, ARow, MoveAnchor, true);
  UpdateEdit();
  Click();
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show)
{
  MoveCurrent(ACol, ARow, MoveAnchor, Show);
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show)
{
  if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
    InvalidOp(SIndexOutOfRange);
  if (!SelectCell(ACol, ARow))
    return;
  const TGridRect oldSel = Selection();
  const TGridCoord oldCurrent = FCurrent;
  FCurrent = TGridCoord(ACol, ARow);
  if (!FOptions.Contains(goAlwaysShowEditor))
    HideEditor();
  if (MoveAnchor || !FOptions.Contains(goRangeSelect)) {
    FAnchor = FCurrent;
    if (FOptions.Contains(goRowSelect))
      FAnchor.X = FColCount - 1;
  }
  if (FOptions.Contains(goRowSelect))
    FCurrent.X = FFixedCols;
  if (Show)
    ClampInView(FCurrent);
  SelectionMoved(oldSel);
  InvalidateCell(oldCurrent.X, oldCurrent.Y);
  InvalidateCell(ACol, ARow);
}

void TCustomGrid::MoveAnchor(const TGridCoord &NewAnchor)
{
  // With editing on, a range cannot be drawn: the current cell follows instead.
  if (!FOptions.Contains(goRangeSelect) || FOptions.Contains(goEditing)) {
    MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
    return;
  }
  const TGridRect old = Selection();
  FAnchor = NewAnchor;
  if (FOptions.Contains(goRowSelect))
    FAnchor.X = FColCount - 1;
  ClampInView(NewAnchor);
  SelectionMoved(old);
}

bool TCustomGrid::SelectCell(int ACol, int ARow)
{
  (void)ACol;
  (void)ARow;
  return true;
}

void TCustomGrid::ClampInView(const TGridCoord &Coord)
{
  if (!HandleAllocated())
    return;
  TGridDrawInfo info;
  CalcDrawInfo(info);
  TGridCoord tl = FTopLeft;
  if (Coord.X >= FFixedCols && Coord.X < FColCount) {
    if (Coord.X < tl.X)
      tl.X = Coord.X;
    else if (Coord.X > info.Horz.LastFullVisibleCell)
      tl.X = std::max(tl.X, info.Horz.FirstCellShowing(Coord.X));
  }
  if (Coord.Y >= FFixedRows && Coord.Y < FRowCount) {
    if (Coord.Y < tl.Y)
      tl.Y = Coord.Y;
    else if (Coord.Y > info.Vert.LastFullVisibleCell)
      tl.Y = std::max(tl.Y, info.Vert.FirstCellShowing(Coord.Y));
  }
  MoveTopLeft(tl.X, tl.Y);
}

void TCustomGrid::SetLeftCol(int Value)
{
  TGridDrawInfo info;
  CalcDrawInfo(info);
  int maxLeft = HandleAllocated() ? info.Horz.MaxFirstCell() : FColCount - 1;
  Value = std::clamp(Value, FFixedCols, std::max(FFixedCols, maxLeft));
  if (Value != FTopLeft.X)
    MoveTopLeft(Value, FTopLeft.Y);
}

void TCustomGrid::SetTopRow(int Value)
{
  TGridDrawInfo info;
  CalcDrawInfo(info);
  int maxTop = HandleAllocated() ? info.Vert.MaxFirstCell() : FRowCount - 1;
  Value = std::clamp(Value, FFixedRows, std::max(FFixedRows, maxTop));
  if (Value != FTopLeft.Y)
    MoveTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop)
{
  if (ALeft == FTopLeft.X && ATop == FTopLeft.Y)
    return;
  FTopLeft = TGridCoord(ALeft, ATop);
  UpdateScrollPos();
  InvalidateGrid();
  TopLeftChanged();
}

void TCustomGrid::TopLeftChanged()
{
  if (FEditorMode && FInplaceEdit)
    FInplaceEdit->UpdateLoc(CellRect(FCurrent.X, FCurrent.Y));
}

// ---------------------------------------------------------------------------------------
// Repaint helpers

void TCustomGrid::InvalidateCell(int ACol, int ARow)
{
  InvalidateRect(TGridRect(ACol, ARow, ACol, ARow));
}

void TCustomGrid::InvalidateCol(int ACol)
{
  if (!HandleAllocated())
    return;
  InvalidateRect(TGridRect(ACol, 0, ACol, FRowCount - 1));
}

void TCustomGrid::InvalidateRow(int ARow)
{
  if (!HandleAllocated())
    return;
  InvalidateRect(TGridRect(0, ARow, FColCount - 1, ARow));
}

void TCustomGrid::InvalidateGrid()
{
  Invalidate();
}

const TGridDrawInfo &TCustomGrid::CurrentLayout()
{
  TLayoutKey key;
  key.TopLeft = FTopLeft;
  key.ColCount = FColCount;
  key.RowCount = FRowCount;
  key.FixedCols = FFixedCols;
  key.FixedRows = FFixedRows;
  key.HorzLine = EffectiveLineWidth(true);
  key.VertLine = EffectiveLineWidth(false);
  key.DefaultColWidth = FDefaultColWidth;
  key.DefaultRowHeight = FDefaultRowHeight;
  const TRect client = GetClientRect();
  key.ClientWidth = client.Width();
  key.ClientHeight = client.Height();
  key.ExtentsSerial = FExtentsSerial;
  if (!FLayoutValid || !(key == FLayoutKey)) {
    CalcDrawInfo(FLayout);
    FLayoutKey = key;
    FLayoutValid = true;
  }
  return FLayout;
}

void TCustomGrid::InvalidateRect(const TGridRect &ARect)
{
  if (!HandleAllocated())
    return;
  // Cells off screen have nothing to repaint: the fixed cells, then the scrolled ones from
  // the first on screen to the one cut by the client edge.
  const TGridDrawInfo &layout = CurrentLayout();
  auto meets = [](const TGridAxisDrawInfo &a, int lo, int hi) {
    return lo <= hi && (lo < a.FixedCellCount || (hi >= a.FirstGridCell && lo <= a.LastFullVisibleCell + 1));
  };
  if (!meets(layout.Horz, ARect.Left, ARect.Right) || !meets(layout.Vert, ARect.Top, ARect.Bottom))
    return;
  TRect r;
  GridRectToScreenRect(ARect, r, true);
  if (!r.IsEmpty())
    ::InvalidateRect(Handle(), &r, false);
}

// ---------------------------------------------------------------------------------------
// Moves

void TCustomGrid::MoveAdjust(int &CellPos, int FromIndex, int ToIndex)
{
  if (CellPos == FromIndex)
    CellPos = ToIndex;
  else {
    const int lo = std::min(FromIndex, ToIndex);
    const int hi = std::max(FromIndex, ToIndex);
    if (CellPos >= lo && CellPos <= hi)
      CellPos += FromIndex < ToIndex ? -1 : 1;
  }
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex)
{
  if (FromIndex == ToIndex)
    return;
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FColCount || ToIndex >= FColCount)
    InvalidOp(SIndexOutOfRange);
  // Widths stay with their index here: the descendant grids rotate them in ColumnMoved.
  HideEdit();
  MoveAdjust(FCurrent.X, FromIndex, ToIndex);
  MoveAdjust(FAnchor.X, FromIndex, ToIndex);
  MoveAdjust(FInplaceCol, FromIndex, ToIndex);
  ColumnMoved(FromIndex, ToIndex);
  InvalidateGrid();
  UpdateEdit();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex)
{
  if (FromIndex == ToIndex)
    return;
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FRowCount || ToIndex >= FRowCount)
    InvalidOp(SIndexOutOfRange);
  HideEdit();
  MoveAdjust(FCurrent.Y, FromIndex, ToIndex);
  MoveAdjust(FAnchor.Y, FromIndex, ToIndex);
  MoveAdjust(FInplaceRow, FromIndex, ToIndex);
  RowMoved(FromIndex, ToIndex);
  InvalidateGrid();
  UpdateEdit();
}

void TCustomGrid::ColumnMoved(int FromIndex, int ToIndex)
{
  (void)FromIndex;
  (void)ToIndex;
}

void TCustomGrid::RowMoved(int FromIndex, int ToIndex)
{
  (void)FromIndex;
  (void)ToIndex;
}

void TCustomGrid::DeleteColumn(int ACol)
{
  MoveColumn(ACol, FColCount - 1);
  TCustomGrid::SetColCount(FColCount - 1);
}

void TCustomGrid::DeleteRow(int ARow)
{
  MoveRow(ARow, FRowCount - 1);
  TCustomGrid::SetRowCount(FRowCount - 1);
}
