// Smallest bodies of the grid's data operations (sorting, clipboard, printing, streams) until
// that code exists.
#include "grid/core/zav_string_grid.h"

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
void TZavStringGrid::SaveToStream(TStream *) {}
void TZavStringGrid::LoadFromStream(TStream *) {}
