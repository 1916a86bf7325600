#pragma once
// The generic work on a form's grids from its description: the reset of every showing, the
// table file read and written, and the walk of the row checks.
#include <QString>

#include <optional>
#include <vector>

#include "tables/table_desc.h"

class TXMLDocument;
class TZavStringGrid;

// The integer of a cell text for the checks: blanks before, a sign, decimal or "$"/"x"/"0x"
// hexadecimal, nothing after; -1 for anything else (also outside 32 bits). The bank builder
// reads the same texts by the same rule, so a value that passes reaches the bank unchanged.
int Table_Int(const QString &Text);

// A cell's value as the file holds it, and back ("Y"/"N" for a grid-held check box, which only
// exactly "N" clears).
QString Table_Cell(TZavStringGrid *Grid, const TColumnDesc &Column, int Row);
void Set_Table_Cell(TZavStringGrid *Grid, const TColumnDesc &Column, int Row, const QString &Value);

// Every data row the grid has (1 to RowCount - 1): column 0 its number, the other columns their
// reset text.
void Reset_Table_Grid(TZavStringGrid *Grid, const TGridDesc &Desc);

struct TTableLoadResult {
  bool Complete = true;  // false: the file holds rows the grids do not show
  QString Reason;        // why, naming the file
  int Rows = 0;          // rows loaded, all grids together
};

// Loads the file at Path into the grids (one per grid description, in order): the n-th row
// element of a section into row n + 1. A file that cannot be read or parsed, a missing
// section, a row without a required attribute and rows beyond the grid's data rows end the
// load there; the rows read until then stay in the grids.
TTableLoadResult Load_Table_File(TXMLDocument &Doc, const QString &Path, const TTableFormDesc &Desc,
                                 const std::vector<TZavStringGrid *> &Grids);

// Writes the grids to Path whole and atomically: the root, then the version comment, one
// section per grid (or the rows under the root), one row element per row up to the first
// blank key (or per row with a key, where the grid skips blank keys), the untrimmed cell texts as attributes in column order. Raises on failure (also
// for a cell holding a character the file cannot hold), the file then being as it was.
void Save_Table_File(const QString &Path, const TTableFormDesc &Desc, const std::vector<TZavStringGrid *> &Grids);

// The error box's text for a failed row check: "Error row ", the row number, the message, the
// number (a bound) and the suffix text joined; in a form with format texts, the message
// formatted with the row number and the number.
QString Row_Message(const TTableFormDesc &Desc, int Row, int Message, std::optional<int> Number = std::nullopt,
                    int Suffix_Text = 0);
// The text of a form-wide check: its message and number, without a row.
QString Table_Message(const TTableCheck &Check);
// The delete question for a row: the text and the row number, or the text formatted with it.
QString Delete_Question(const TTableFormDesc &Desc, int Row);

// True when the row's Enable cell, read as the grid's Enable test says, is "Y" (every row of a
// grid without an Enable column).
bool Row_Enabled(TZavStringGrid *Grid, const TGridDesc &Desc, int Row);
// Column 0 as the grid's Row_Numbers says: every row's number, or the enabled rows counted.
void Number_Rows(TZavStringGrid *Grid, const TGridDesc &Desc);
// The rows the check walk and the save reach that have a key.
int Rows_In_Use(TZavStringGrid *Grid, const TGridDesc &Desc);

// Before_Checks first; then the first row that fails a check (then the first form-wide check that fails): false with the error box's text ("Error row ", the row
// number, the message) in Message; true when every row in use passes. A saved cell of a row in
// use (enabled or not) that holds a character the file cannot hold fails first, naming the
// column. Data_Sizes holds each grid's data-array size.
bool Check_Table_Rows(const TTableFormDesc &Desc, const std::vector<TZavStringGrid *> &Grids,
                      const std::vector<int> &Data_Sizes, QString &Message);
