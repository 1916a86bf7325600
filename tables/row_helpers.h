#pragma once
// Row editing shared by the access-table forms: delete, insert, copy and paste one data row,
// the header double-click auto-size and Enter to the next cell. Rows move by their cell texts
// (and, in the check-box variants for plain string grids, by their check-box states); cell
// properties such as colours stay where they are. Column 0 (the row numbers) is never touched.
// Copy and paste go through the program-wide row clipboard of the application state; a paste
// drops the characters a table file cannot hold (IsXMLForbiddenChar).
#include <QChar>

class TZavStringGrid;
class TZavColumnGrid;

void Grid_Delete_Row(int Row, TZavColumnGrid *Grid);
void Grid_Insert_Row(int Row, TZavColumnGrid *Grid, bool Set_Enable);
void Grid_Copy_Row(TZavColumnGrid *Grid, int Row);
// Refuses with text 1102 without a copy from this grid, with 1101 when the copied row has
// another number of cells, and asks text 1100 before overwriting a row in use.
void Grid_Paste_Row(TZavColumnGrid *Grid, int Row, bool Copy_Flag);
// A double-click on the header row sizes the column to its content, when the option is on.
void Grid_Auto_Size_Column(TZavStringGrid *Grid, int ARow, int ACol);
// With the option on, Enter moves to the next cell (the next row's column 1 after the last
// column, row 1 after the last row) and is consumed.
void Grid_Enter_Next_Cell(TZavStringGrid *Grid, QChar &Key);

void CheckBox_Grid_Delete_Row(int Row, TZavStringGrid *Grid, bool Set_Enable);
void CheckBox_Grid_Insert_Row(int Row, TZavStringGrid *Grid, bool Set_Enable);
void CheckBox_Grid_Copy_Row(TZavStringGrid *Grid, int Row);
void CheckBox_Grid_Paste_Row(TZavStringGrid *Grid, int Row, bool Copy_Flag);
