// Smallest bodies of the grid's drawing, editing and input members until that code exists.
#include "grid/core/grid_helper_classes.h"
#include "grid/core/grid_module.h"
#include "grid/core/zav_string_grid.h"

void TZavStringGrid::DoClickSort(int ACol)
{
  if (OnClickSort)
    OnClickSort(this, ACol);
}
void TZavStringGrid::RestoreCellCache() {}
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
void TZavStringGrid::RememberOldCell(int, int) {}
void TZavStringGrid::DoCellsChanged(TRect ARect)
{
  if (OnCellsChanged)
    OnCellsChanged(this, ARect);
  for (int i = 0; i < FNotifierList->Count(); ++i)
    static_cast<TGridChangeNotifier *>(FNotifierList->Items(i))->CellsChanged(ARect);
  CalcFooter(-1);
}
void TZavStringGrid::CellsLoaded() { CalcFooter(-1); }
void TZavStringGrid::DoScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax)
{
  if (OnScrollCell)
    OnScrollCell(this, ACol, ARow, ScrollPosition, ScrollMin, ScrollMax);
}
void TZavStringGrid::GotoFirstRow() { SetRow(FixedRows() < RowCount() ? FixedRows() : Row()); }
void TZavStringGrid::PaintDesignHelper() {}
void TZavStringGrid::ShowDesignLookMenu() {}
void TZavStringGrid::DoCellChanging(int OldRow, int OldCol, int NewRow, int NewCol, bool &Allow)
{
  if (OnCellChanging)
    OnCellChanging(this, OldRow, OldCol, NewRow, NewCol, Allow);
}
void TZavStringGrid::DoCanShowFixedDropDown(int ACol, bool &CanShow)
{
  if (OnCanShowFixedDropDown)
    OnCanShowFixedDropDown(this, ACol, CanShow);
}
bool TZavStringGrid::ValidateCell(const QString &) { return true; }
bool TZavStringGrid::ValidateCellWide(const QString &) { return true; }
void TZavStringGrid::SetStyle(int) {}

void TZavStringGrid::MoveFocusWindow() {}
void TZavStringGrid::DrawNCBorder() {}
void TZavStringGrid::AdaptToOfficeTheme() {}
void TZavStringGrid::ApplyFrameworkStyle() {}
void TZavStringGrid::BalloonInit() {}
void TZavStringGrid::BalloonDone() {}
void TZavStringGrid::UpdateSearchPanel(TObject *) {}

