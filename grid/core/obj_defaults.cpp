// Smallest bodies of the grid's core members whose topics are built later: neutral answers,
// nothing surprising. Each is replaced, not extended, by its topic.
#include "grid/core/zav_string_grid.h"

void TZavStringGrid::DoUpdateColumnSize(int ACol, int &AWidth)
{
  if (OnUpdateColumnSize)
    OnUpdateColumnSize(this, ACol, AWidth);
}
void TZavStringGrid::ColumnHeadersChanged() {}
QString TZavStringGrid::CalcFooterColumn(int) { return QString(); }
void TZavStringGrid::GetUsedCells(int &ACols, int &ARows)
{
  ACols = ColCount();
  ARows = RowCount();
}
void TZavStringGrid::GrowRowCount(int ACount) { SetRowCount(RowCount() + ACount); }
void TZavStringGrid::DoColorSelect(int, int) {}
void TZavStringGrid::DoImageSelect(int, int) {}
void TZavStringGrid::MergedColumnsChanged(TObject *, int, int) {}
