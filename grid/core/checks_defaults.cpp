// Smallest bodies of the members the check boxes call whose topics are built beside them (cell
// accessors, hidden rows, row flags) or later (node rows). Each is replaced by its topic.
#include "grid/core/zav_string_grid.h"

// Until rows can be hidden, real and display rows are the same and every row is in the grid.
TObject *TZavStringGrid::GetGridObjectEx(int ACol, int ARow)
{
  return ACol < 0 || ARow < 0 ? nullptr : GridObjects(ACol, ARow);
}
QString TZavStringGrid::AllCells(int ACol, int ARow)
{
  return ACol < 0 || ARow < 0 ? QString() : Cells(ACol, ARow);
}
void TZavStringGrid::SetAllCells(int ACol, int ARow, const QString &Value)
{
  if (ACol >= 0 && ARow >= 0)
    SetCells(ACol, ARow, Value);
}
// The rectangular selection stands for the row selection until rows can be selected apart.
void TZavStringGrid::SetRowSelect(int, bool) {}

int TZavStringGrid::GetParentRow(int) { return -1; }
int TZavStringGrid::GetNodeSpan(int) { return -1; }
bool TZavStringGrid::GetNodeState(int) { return false; }
