// Smallest bodies of the grid's core members whose topics are built later: neutral answers,
// nothing surprising. Each is replaced, not extended, by its topic.
#include "grid/core/zav_string_grid.h"

void TZavStringGrid::DoCalcFooter(int ACol, int ARow, QString &Value)
{
  if (OnFooterCalc)
    OnFooterCalc(this, ACol, ARow, Value);
}
bool TZavStringGrid::GetFloatFormat(int ACol, int ARow, bool &IsFloat, QString &FloatFormat)
{
  FloatFormat = FFloatFormat;
  if (OnGetFloatFormat)
    OnGetFloatFormat(this, ACol, ARow, IsFloat, FloatFormat);
  return IsFloat;
}
void TZavStringGrid::DoGetEditorProp(int ACol, int ARow, TEditLink *AEditLink)
{
  if (OnGetEditorProp)
    OnGetEditorProp(this, ACol, ARow, AEditLink);
}
void TZavStringGrid::DoFixedEdit(int ACol, int ARow, TGridFixedCellEditor &AEditor, TStrings *Values)
{
  if (OnFixedEdit)
    OnFixedEdit(this, ACol, ARow, AEditor, Values);
}
void TZavStringGrid::InsertRowNodeAware(int) {}
void TZavStringGrid::DeleteRowNodeAware(int) {}
void TZavStringGrid::DoFilterDone()
{
  if (OnFilterDone)
    OnFilterDone(this);
}
void TZavStringGrid::DoUpdateColumnSize(int ACol, int &AWidth)
{
  if (OnUpdateColumnSize)
    OnUpdateColumnSize(this, ACol, AWidth);
}
void TZavStringGrid::DoUpdateAutoColumnSize(int ACol, int &AWidth) { DoUpdateColumnSize(ACol, AWidth); }
void TZavStringGrid::ColumnHeadersChanged() {}
bool TZavStringGrid::MatchFilter(int) { return true; }
QString TZavStringGrid::GetDisplCellText(int ACol, int ARow) { return Cells(ACol, ARow); }
QString TZavStringGrid::GetSaveCellText(int ACol, int ARow) { return GridCells(ACol, ARow); }
void TZavStringGrid::SetLoadedCellText(int ACol, int ARow, const QString &Value) { SetGridCells(ACol, ARow, Value); }
QString TZavStringGrid::CalcFooterColumn(int) { return QString(); }
void TZavStringGrid::GetUsedCells(int &ACols, int &ARows)
{
  ACols = ColCount();
  ARows = RowCount();
}
void TZavStringGrid::GrowRowCount(int ACount) { SetRowCount(RowCount() + ACount); }
void TZavStringGrid::DoFilterSelect(int) {}
void TZavStringGrid::DoFilterCheck() {}
void TZavStringGrid::DoColorSelect(int, int) {}
void TZavStringGrid::DoImageSelect(int, int) {}
void TZavStringGrid::SubGroup(int) {}
void TZavStringGrid::SubUnGroup(int) {}
void TZavStringGrid::Group(int) {}
void TZavStringGrid::UnGroup() {}
void TZavStringGrid::SaveColPositions() {}
void TZavStringGrid::LoadColPositions() {}
void TZavStringGrid::CalcFooter(int) {}

bool TZavStringGrid::IsNode(int) { return false; }
bool TZavStringGrid::IsSummary(int) { return false; }
void TZavStringGrid::StretchColumnToFit(int) {}
void TZavStringGrid::ShowColumnHeaders() {}
void TZavStringGrid::ShowRowHeaders() {}
void TZavStringGrid::MergedColumnsChanged(TObject *, int, int) {}
void TZavStringGrid::SaveColSizes() {}
void TZavStringGrid::LoadColSizes() {}
void TZavStringGrid::SetColumnOrder() {}
void TZavStringGrid::CellControlsUpdate(bool) {}
void TZavStringGrid::UpdateProportionalVertScroll() {}
