// Smallest bodies of the grid's drawing, editing and input members until that code exists.
#include "grid/core/grid_helper_classes.h"
#include "grid/core/grid_module.h"
#include "grid/core/zav_string_grid.h"

void TZavStringGrid::DoClickSort(int ACol)
{
  if (OnClickSort)
    OnClickSort(this, ACol);
}
void TZavStringGrid::DoCheckBoxClick(int ACol, int ARow, bool State)
{
  if (OnCheckBoxClick)
    OnCheckBoxClick(this, ACol, ARow, State);
}
void TZavStringGrid::DoEllipsClick(int ACol, int ARow, QString &S)
{
  if (OnEllipsClick)
    OnEllipsClick(this, ACol, ARow, S);
}
void TZavStringGrid::DoScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax)
{
  if (OnScrollCell)
    OnScrollCell(this, ACol, ARow, ScrollPosition, ScrollMin, ScrollMax);
}
void TZavStringGrid::GotoFirstRow() { SetRow(FixedRows() < RowCount() ? FixedRows() : Row()); }
void TZavStringGrid::PaintDesignHelper() {}
void TZavStringGrid::ShowDesignLookMenu() {}
void TZavStringGrid::DoCanShowFixedDropDown(int ACol, bool &CanShow)
{
  if (OnCanShowFixedDropDown)
    OnCanShowFixedDropDown(this, ACol, CanShow);
}
void TZavStringGrid::SetStyle(int) {}

void TZavStringGrid::MoveFocusWindow() {}
void TZavStringGrid::DrawNCBorder() {}
void TZavStringGrid::AdaptToOfficeTheme() {}
void TZavStringGrid::ApplyFrameworkStyle() {}
void TZavStringGrid::UpdateSearchPanel(TObject *) {}

