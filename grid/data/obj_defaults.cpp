// Smallest bodies of the grid's data operations (sorting, clipboard, printing, streams) until
// that code exists.
#include "grid/core/zav_string_grid.h"

#include <algorithm>

void TZavStringGrid::StoreCellValue(int, int) {}
void TZavStringGrid::DoPrintGetPageNum(int PageNum, int PageColNum, QString &PageNumString)
{
  if (OnPrintGetPageNum)
    OnPrintGetPageNum(this, PageNum, PageColNum, PageNumString);
}
void TZavStringGrid::BeforePaste(int, int) {}
void TZavStringGrid::AfterPaste(int, int) {}
void TZavStringGrid::CellsPasted(TGridRect) {}
bool TZavStringGrid::AllowGridClipboardFormat() { return true; }
void TZavStringGrid::SortSwapRows(int, int) {}
void TZavStringGrid::QSort() {}
void TZavStringGrid::QSortIndexed() {}
void TZavStringGrid::QSortGroup() {}
void TZavStringGrid::QSortGroupIndexed() {}
void TZavStringGrid::QUnSort() {}
// The clipboard formats come with the data operations; until then the shortcuts reach these.
void TZavStringGrid::CopySelectionToClipboard() {}
void TZavStringGrid::CutSelectionToClipboard() {}
void TZavStringGrid::PasteSelectionFromClipboard() {}
void TZavStringGrid::AutoSizeColumns(bool, int) {}
// The widest text of the column (display index) plus the cell margins and Padding.
void TZavStringGrid::AutoSizeCol(int ACol, int Padding)
{
  if (ACol < 0 || ACol >= ColCount())
    return;
  int w = 0;
  for (int r = 0; r < RowCount(); ++r)
    w = std::max(w, GetCellTextSize(DisplToRealCol(ACol), r, false, false).cx);
  w += 2 * XYOffset().X + 2 + Padding;
  DoUpdateAutoColumnSize(ACol, w);
  SetColWidths(ACol, std::max(w, 1));
}
void TZavStringGrid::SaveToStream(TStream *) {}
void TZavStringGrid::LoadFromStream(TStream *) {}
