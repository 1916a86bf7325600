// Cells by real row and by their row before sorting, the current cell, per-cell style values,
// row-wide colours and the selection with the queries derived from it.
#include "grid/core/zav_string_grid.h"

#include <algorithm>

#include "grid/foundation/grid_options.h"
#include "grid/foundation/grid_utils.h"
#include "grid/foundation/markup_utils.h"

// ---------------------------------------------------------------------------------------------
// Real-row cells

QString TZavStringGrid::AllCells(int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return QString();
  if (IsHiddenRow(ARow)) {
    TStrings *items = HiddenRowItems(ARow);
    QString value = items && ACol < items->Count() ? items->Strings(ACol) : QString();
    GetDisplText(ACol, ARow, value);
    return value;
  }
  return Cells(ACol, RealToDisplRow(ARow));
}

void TZavStringGrid::SetAllCells(int ACol, int ARow, const QString &Value)
{
  if (ACol < 0 || ARow < 0)
    return;
  if (IsHiddenRow(ARow)) {
    if (TStrings *items = HiddenRowItems(ARow)) {
      while (items->Count() <= ACol)
        items->Add(QString());
      items->SetStrings(ACol, Value);
    }
    return;
  }
  const int d = RealToDisplRow(ARow);
  SetCells(ACol, d, Value);
  // The base grid repaints the cell by its storage column; with hidden columns before it the
  // cell is shown further left.
  const int dc = DisplColIndex(ACol);
  if (dc != ACol)
    RepaintCell(dc, d);
}

QString TZavStringGrid::AllGridCells(int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return QString();
  if (IsHiddenRow(ARow)) {
    TStrings *items = HiddenRowItems(ARow);
    return items && ACol < items->Count() ? items->Strings(ACol) : QString();
  }
  return GridCells(ACol, RealToDisplRow(ARow));
}

void TZavStringGrid::SetAllGridCells(int ACol, int ARow, const QString &Value)
{
  if (ACol < 0 || ARow < 0)
    return;
  if (IsHiddenRow(ARow)) {
    TStrings *items = HiddenRowItems(ARow);
    if (items && ACol < items->Count())
      items->SetStrings(ACol, Value);
    return;
  }
  SetGridCells(ACol, RealToDisplRow(ARow), Value);
}

TObject *TZavStringGrid::AllObjects(int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return nullptr;
  if (IsHiddenRow(ARow)) {
    TStrings *items = HiddenRowItems(ARow);
    if (!items || ACol >= items->Count())
      return nullptr;
    TObject *o = items->Objects(ACol);
    if (auto *p = dynamic_cast<TCellProperties *>(o))
      return reinterpret_cast<TObject *>(p->CellObject());
    return o;
  }
  return Objects(ACol, RealToDisplRow(ARow));
}

void TZavStringGrid::SetAllObjects(int ACol, int ARow, TObject *Value)
{
  if (ACol < 0 || ARow < 0)
    return;
  if (IsHiddenRow(ARow)) {
    TStrings *items = HiddenRowItems(ARow);
    if (!items || ACol >= items->Count())
      return;
    if (auto *p = dynamic_cast<TCellProperties *>(items->Objects(ACol)))
      p->SetCellObject(reinterpret_cast<uintptr_t>(Value));
    else
      items->SetObjects(ACol, Value);
    return;
  }
  SetObjects(ACol, RealToDisplRow(ARow), Value);
}

TObject *TZavStringGrid::GetGridObjectEx(int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return nullptr;
  if (IsHiddenRow(ARow)) {
    TStrings *items = HiddenRowItems(ARow);
    return items && ACol < items->Count() ? items->Objects(ACol) : nullptr;
  }
  const int d = RealToDisplRow(ARow);
  return ACol < TotalColCount() && d < RowCount() ? GridObjects(ACol, d) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Rows before sorting

int TZavStringGrid::SortedRowIndex(int ARow)
{
  if (ARow >= 0 && ARow < FSortRowXRef->Count())
    return RealRowIndex(FSortRowXRef->Items(ARow));
  return RealRowIndex(ARow);
}

int TZavStringGrid::UnSortedRowIndex(int ARow)
{
  const int n = FSortRowXRef->Count();
  if (n == 0)
    return ARow;
  for (int i = 0; i < n; ++i)
    if (FSortRowXRef->Items(i) == ARow)
      return i;
  return n;
}

// ---------------------------------------------------------------------------------------------
// Current cell: the base cell of the block it lies in

QString TZavStringGrid::GetCurrentCell()
{
  const TPoint b = BaseCell(RealCol(), Row());
  return GridCells(b.X, b.Y);
}

void TZavStringGrid::SetCurrentCell(const QString &AValue)
{
  const TPoint b = BaseCell(RealCol(), Row());
  SetCells(b.X, b.Y, AValue);
}

QString TZavStringGrid::GetCurrentCellEx()
{
  const TPoint b = BaseCell(RealCol(), Row());
  return Cells(b.X, b.Y);
}

void TZavStringGrid::SetCurrentCellEx(const QString &AValue)
{
  const TPoint b = BaseCell(RealCol(), Row());
  SetEditText(DisplColIndex(b.X), b.Y, AValue);
}

// ---------------------------------------------------------------------------------------------
// Per-cell style

// Reading never creates a properties object; writing creates one and repaints the cell where
// it is shown.
#define QM_CELL_PROP(T, Name, Neutral, Getter, Setter)                                            \
  T TZavStringGrid::Name(int ACol, int ARow)                                                     \
  {                                                                                               \
    return HasCellProperties(ACol, ARow) ? CellProperties(ACol, ARow)->Getter() : Neutral;        \
  }                                                                                               \
  void TZavStringGrid::Set##Name(int ACol, int ARow, T Value)                                    \
  {                                                                                               \
    if (TCellProperties *p = CellProperties(ACol, ARow)) {                                        \
      p->Setter(Value);                                                                           \
      RepaintCell(DisplColIndex(ACol), ARow);                                                     \
    }                                                                                             \
  }

QM_CELL_PROP(TColor, ColorsTo, clNone, BrushColorTo, SetBrushColorTo)
QM_CELL_PROP(TCellGradientDirection, Gradients, GradientVertical, GradientDirection, SetGradientDirection)
QM_CELL_PROP(TColor, FontColors, clNone, FontColor, SetFontColor)
QM_CELL_PROP(TFontStyles, FontStyles, TFontStyles(), FontStyle, SetFontStyle)
QM_CELL_PROP(int, FontSizes, 0, FontSize, SetFontSize)
QM_CELL_PROP(TAlignment, Alignments, taLeftJustify, Alignment, SetAlignment)
QM_CELL_PROP(bool, ReadOnly, false, ReadOnly, SetReadOnly)
#undef QM_CELL_PROP

TColor TZavStringGrid::Colors(int ACol, int ARow)
{
  return HasCellProperties(ACol, ARow) ? CellProperties(ACol, ARow)->BrushColor() : clNone;
}

void TZavStringGrid::SetColors(int ACol, int ARow, TColor Value)
{
  TCellProperties *p = CellProperties(ACol, ARow);
  if (!p)
    return;
  p->SetBrushColor(Value);
  if (!LockUpdate())
    RepaintCell(DisplColIndex(ACol), ARow);
}

QString TZavStringGrid::FontNames(int ACol, int ARow)
{
  return HasCellProperties(ACol, ARow) ? CellProperties(ACol, ARow)->FontName() : QString();
}

void TZavStringGrid::SetFontNames(int ACol, int ARow, const QString &Value)
{
  if (TCellProperties *p = CellProperties(ACol, ARow)) {
    p->SetFontName(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
  }
}

void TZavStringGrid::SetFonts(int ACol, int ARow, TFont *Value)
{
  TCellProperties *p = Value ? CellProperties(ACol, ARow) : nullptr;
  if (!p)
    return;
  p->SetFontName(Value->Name());
  p->SetFontSize(Value->Size());
  p->SetFontStyle(Value->Style());
  p->SetFontColor(Value->Color());
  if (!LockUpdate())
    RepaintCell(DisplColIndex(ACol), ARow);
}

bool TZavStringGrid::WordWraps(int ACol, int ARow)
{
  TCellProperties *p = CellProperties(ACol, ARow);
  return p && p->WordWrap();
}

void TZavStringGrid::SetWordWraps(int ACol, int ARow, bool Value)
{
  if (TCellProperties *p = CellProperties(ACol, ARow)) {
    p->SetWordWrap(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
  }
}

int TZavStringGrid::LinesInCell(int ACol, int ARow) { return CountLines(Cells(ACol, ARow), true); }

QString TZavStringGrid::StrippedCells(int ACol, int ARow) { return HTMLToPlainText(Cells(ACol, ARow)); }

// ---------------------------------------------------------------------------------------------
// Row-wide colours. Each touches only the row's own cells; clNone clears that one colour and
// leaves the rest of a cell's properties (read-only flag, alignment, font, merge span, graphic).

void TZavStringGrid::SetRowColors(int ARow, TColor Value, void (TCellProperties::*Setter)(TColor))
{
  if (ARow < 0 || ARow >= RowCount())
    return;
  const int n = AllColCount();
  for (int c = FixedCols(); c < n; ++c) {
    if (Value == clNone && !HasCellProperties(c, ARow))
      continue;
    if (TCellProperties *p = CellProperties(c, ARow))
      (p->*Setter)(Value);
  }
  RepaintRow(ARow);
}

void TZavStringGrid::SetRowColor(int ARow, TColor Value) { SetRowColors(ARow, Value, &TCellProperties::SetBrushColor); }

void TZavStringGrid::SetRowColorTo(int ARow, TColor Value)
{
  SetRowColors(ARow, Value, &TCellProperties::SetBrushColorTo);
}

void TZavStringGrid::SetRowFontColor(int ARow, TColor Value)
{
  SetRowColors(ARow, Value, &TCellProperties::SetFontColor);
}

// ---------------------------------------------------------------------------------------------
// Selection

void TZavStringGrid::SetSelection(const TGridRect &Value)
{
  TBaseGrid::SetSelection(Value);
  // The headers mark the active cell's row and column.
  if (FActiveCellShow) {
    RepaintRow(0);
    RepaintCol(0);
  }
  if (ActiveRowShow())
    RepaintRow(Value.Bottom);
}

void TZavStringGrid::HideSelection()
{
  FOldSelection = Selection();
  SetSelection(TGridRect(ColCount(), RowCount(), ColCount(), RowCount()));
  FSelHidden = true;
}

void TZavStringGrid::UnHideSelection()
{
  FSelHidden = false;
  if (FOldSelection.Top < RowCount() && FOldSelection.Left < ColCount()) {
    SetSelection(FOldSelection);
    return;
  }
  const int top = FFixedRowAlways && FixedRows() == RowCount() ? 0 : FixedRows();
  const int left = FFixedColAlways && FixedCols() == ColCount() ? 0 : FixedCols();
  SetSelection(TGridRect(left, top, left, top));
}

void TZavStringGrid::UpdateEditMode() { SelectCell(Col(), Row()); }

namespace {

int PackCell(int ACol, int ARow) { return int((uint32_t(ARow) << 16) | (uint32_t(ACol) & 0xFFFF)); }

bool Inside(int v, int a, int b) { return v >= std::min(a, b) && v <= std::max(a, b); }

}  // namespace

bool TZavStringGrid::SelectedCells(int ACol, int ARow)
{
  if (FMouseActions->DisjunctCellSelect())
    return FSelectedCells->HasValue(PackCell(ACol, ARow));
  const TGridRect s = Selection();
  return Inside(ACol, s.Left, s.Right) && Inside(ARow, s.Top, s.Bottom);
}

void TZavStringGrid::SetSelectedCells(int ACol, int ARow, bool Value)
{
  const int v = PackCell(ACol, ARow);
  const bool has = FSelectedCells->HasValue(v);
  if (has == Value)
    return;
  if (Value)
    FSelectedCells->Add(v);
  else
    FSelectedCells->DeleteValue(v);
  RepaintCell(ACol, ARow);
}

TGridCoord TZavStringGrid::SelectedCell(int i)
{
  const uint32_t v = uint32_t(FSelectedCells->Items(i));
  return TGridCoord(int(v & 0xFFFF), int(v >> 16));
}

int TZavStringGrid::SelectedCellsCount()
{
  if (FMouseActions->DisjunctCellSelect())
    return FSelectedCells->Count();
  FSelectedCells->Clear();
  const TGridRect s = Selection();
  if (s.Left == s.Right && s.Top == s.Bottom) {
    FSelectedCells->Add(PackCell(Col(), Row()));
  } else {
    for (int c = s.Left; c <= s.Right; ++c)
      for (int r = s.Top; r <= s.Bottom; ++r)
        FSelectedCells->Add(PackCell(c, r));
  }
  return FSelectedCells->Count();
}

int TZavStringGrid::SelectedRowCount()
{
  if (FMouseActions->DisjunctRowSelect())
    return FSelectedRows->Count();
  const TGridRect s = Selection();
  const int bottom = std::min(s.Bottom, RowCount() - FFixedFooters - 1);
  if (IsMergedCell(s.Left, s.Top) && FullCell(s.Left, s.Top).Bottom > bottom)
    return CellSpan(s.Left, s.Top).Y + 1;
  int n = bottom - s.Top + 1;
  if (IsMergedCell(s.Left, bottom))
    n += CellSpan(s.Left, bottom).Y;
  return n;
}

int TZavStringGrid::SelectedColCount()
{
  if (FMouseActions->DisjunctColSelect())
    return ColSelectCount();
  const TGridRect s = Selection();
  if (IsMergedCell(s.Left, s.Top) && FullCell(s.Left, s.Top).Right > s.Right)
    return CellSpan(s.Left, s.Top).X + 1;
  int n = s.Right - s.Left + 1;
  if (IsMergedCell(s.Right, s.Top))
    n += CellSpan(s.Right, s.Top).X;
  return n;
}

int TZavStringGrid::SelectedRow(int i)
{
  if (FMouseActions->DisjunctRowSelect())
    return i >= 0 && i < FSelectedRows->Count() ? FSelectedRows->Items(i) : -1;
  const TGridRect s = Selection();
  return i >= 0 && s.Top + i <= s.Bottom ? s.Top + i : -1;
}

void TZavStringGrid::ClearSelectedCells()
{
  SetSelection(TGridRect(FixedCols(), FixedRows(), FixedCols(), FixedRows()));
  FSelectedCells->Clear();
  Invalidate();
}

void TZavStringGrid::ClearModifiedRows()
{
  FModifiedRows->Clear();
  Invalidate();
}

TGridRect TZavStringGrid::GetUsedCellsRect()
{
  int left = -1, top = -1, right = -1, bottom = -1;
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c) {
      if (GridCells(c, r).isEmpty())
        continue;
      if (top < 0)
        top = r;
      bottom = r;
      if (left < 0 || c < left)
        left = c;
      right = std::max(right, c);
    }
  if (top < 0)
    return TGridRect(0, 0, 0, 0);
  return TGridRect(left, top, right, bottom);
}

void TZavStringGrid::GetUsedCells(int &ACols, int &ARows)
{
  ACols = ColCount();
  ARows = RowCount();
}

void TZavStringGrid::ScreenToCell(TPoint pt, int &ACol, int &ARow)
{
  const TPoint p = ScreenToClient(pt);
  MouseToCell(p.X, p.Y, ACol, ARow);
}

void TZavStringGrid::Zoom(int x)
{
  if (FZoomFactor + x < -10 || FZoomFactor + x > 10)
    return;
  FZoomFactor += x;
  BeginUpdate();
  for (int c = 0; c < ColCount(); ++c)
    if (ColWidths(c) > 0 && ColWidths(c) + x > 0)
      SetColWidths(c, ColWidths(c) + x);
  for (int r = 0; r < RowCount(); ++r)
    if (RowHeights(r) > 0 && RowHeights(r) + x > 0)
      SetRowHeights(r, RowHeights(r) + x);
  EndUpdate();
  if (FScrollProportional)
    UpdateProportionalVertScroll();
}
