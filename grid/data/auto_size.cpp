// Column and row auto-size: widths and heights fitted to the cells' content, columns stretched
// over the control, and the control sized to its cells. Columns are display indexes; the cells
// are read at their real columns so that hidden columns are skipped.
#include <algorithm>
#include <cmath>

#include "framework/controls/controls.h"
#include "grid/core/zav_string_grid.h"
#include "grid/core/cell_graphic.h"
#include "grid/core/control_look.h"
#include "grid/core/grid_settings.h"
#include "grid/core/sort_settings.h"
#include "grid/core/text_conversion.h"
#include "grid/foundation/grid_utils.h"

namespace {

bool IsCheckOrRadio(TCellType T)
{
  return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRadioButton;
}

}  // namespace

void TZavStringGrid::FitColumnWidth(int ACol, bool GrowOnly)
{
  const int realCol = DisplToRealCol(ACol);
  int first = 0, last = RowCount() - 1;
  if (FColumnSize->Rows() == arNormal) {
    first = FixedRows();
    last = RowCount() - FixedFooters() - 1;
  } else if (FColumnSize->Rows() == arFixed) {
    last = FixedRows() - 1;
  }
  const int lines = 2 * (GridLineWidth() + 1);
  int widest = 0;
  for (int r = first; r <= last; ++r) {
    if (IsXMergedCell(realCol, r))
      continue;
    TPoint text;
    MeasureCellText(realCol, ACol, text, false, false, r);
    const int graphicW = GetCellGraphicSize(realCol, r).X;
    int w = graphicW + text.X;
    if (FControlLook->DropDownAlwaysVisible() && HasComboEditor(realCol, r))
      w += 16;
    if (FFilterDropDownAuto && r == FFilterDropDownRow && GetColumnFilterList(ACol))
      w += 12;
    if (IsSortGlyphRow(realCol, r) && ACol == FSortSettings->Column())
      w += 10;
    const TCellGraphic *g = GetCellGraphic(realCol, r);
    if (g && g->CellHAlign() == haFull)
      w = graphicW - (lines + FXYOffset.X);
    widest = std::max(widest, w);
  }
  int width = widest + GetTotalXOffset() + lines;
  // Grow-only compares the unclamped width: a MaxColWidth below the current width still narrows.
  if (GrowOnly && ColWidths(ACol) >= width)
    return;
  DoUpdateAutoColumnSize(ACol, width);
  SetColWidths(ACol, ClampToRange(width, FMinColWidth, FMaxColWidth));
}

// An automatic width passes the same event as a width the user sets.
void TZavStringGrid::DoUpdateAutoColumnSize(int ACol, int &AWidth)
{
  if (OnUpdateColumnSize)
    OnUpdateColumnSize(this, ACol, AWidth);
}

void TZavStringGrid::PadColWidth(int ACol, int Padding)
{
  if (Padding != 0)
    SetColWidths(ACol, ClampToRange(ColWidths(ACol) + Padding, FMinColWidth, FMaxColWidth));
}

void TZavStringGrid::PadRowHeight(int ARow, int Padding)
{
  if (Padding != 0)
    SetRowHeights(ARow, ClampToRange(RowHeights(ARow) + Padding, FMinRowHeight, FMaxRowHeight));
}

void TZavStringGrid::AutoSizeCol(int ACol, int Padding)
{
  if (ACol < 0 || ACol >= ColCount())
    return;
  FitColumnWidth(ACol, FSizeGrowOnly);
  PadColWidth(ACol, Padding);
}

void TZavStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding)
{
  const int first = DoFixedCols ? 0 : FixedCols();
  const int last = DoFixedCols ? ColCount() - 1 : ColCount() - FixedRightCols() - 1;
  for (int c = first; c <= last; ++c)
    AutoSizeCol(c, Padding);
}

void TZavStringGrid::FitRowHeight(int ARow, bool GrowOnly, int Padding)
{
  int tallest = 0;
  for (int c = 0; c < ColCount(); ++c) {
    const int realCol = DisplToRealCol(c);
    if (IsYMergedCell(realCol, ARow) || IsIgnoredColumn(realCol))
      continue;
    // MeasureCellText sets the canvas to the cell's own font (fixed or normal, the cell's
    // colour event, the zoom) itself.
    int textH = GetCellTextSize(realCol, ARow, false, WordWrap()).cy;
    int graphH = CalcGraphicSize(realCol, ARow, Padding).Y;
    const TCellGraphic *g = GetCellGraphic(realCol, ARow);
    if (g) {
      if (g->CellVAlign() == vaFull)
        graphH = textH != 0 ? 0 : DefaultRowHeight();
      if ((g->CellType() == ctDataCheckBox || g->CellType() == ctVirtCheckBox) && graphH > 0)
        textH = 0;
    }
    int h = textH + graphH;
    if (IsMergedCell(realCol, ARow) && !IsBaseCell(realCol, ARow))
      h = 0;
    if (g && IsCheckOrRadio(g->CellType()))
      h = DefaultRowHeight();
    tallest = std::max(tallest, h);
  }
  int height = tallest + GetTotalYOffset() + 2 * GridLineWidth();
  if (FXYOffsetTopLeftOnly)
    height += 2;
  const bool growingWhileTyping = EditMode && FSizeWhileTyping->Height() && VisibleRowCount() == RowCount();
  if (!GrowOnly || RowHeights(ARow) < height)
    SetRowHeights(ARow, ClampToRange(height, FMinRowHeight, FMaxRowHeight));
  // The grown row pushed rows out of view: the grid scrolls, so the editor is placed anew.
  if (growingWhileTyping && VisibleRowCount() != RowCount()) {
    ShowInplaceEdit();
    if (TInplaceEdit *ed = NormalEdit())
      ed->SetSelStart(ed->Text().length());
  }
}

void TZavStringGrid::AutoSizeRow(int ARow, int Padding)
{
  if (ARow < 0 || ARow >= RowCount())
    return;
  FitRowHeight(ARow, FSizeGrowOnly, Padding);
  PadRowHeight(ARow, Padding);
}

void TZavStringGrid::SetRowHeightForLines(int ARow, int Lines, int Extra)
{
  // The row's first normal cell decides the font.
  TCanvas *canvas = Canvas();
  canvas->Font()->Assign(ARow < FixedRows() ? FFixedFont.get() : Font());
  const int col = FixedCols();
  DoGetCellColor(col < ColCount() ? DisplToRealCol(col) : col, ARow, TGridDrawState(), canvas->Brush(),
                 canvas->Font());
  const int h = canvas->TextHeight(QStringLiteral("gh"));
  SetRowHeights(ARow, ClampToRange(Extra + Lines * (h + h / 8), FMinRowHeight, FMaxRowHeight));
}

void TZavStringGrid::AutoSizeRows(bool DoFixedRows, int Padding)
{
  if (RowCount() == 0)
    return;
  const int first = DoFixedRows ? 0 : FixedRows();
  ExportNotification(int(esExportStart), first);
  for (int r = first; r < RowCount(); ++r) {
    ExportNotification(int(esExportNextRow), r);
    // Without word wrap the height follows the line count alone, not the graphics.
    if (WordWrap())
      AutoSizeRow(r, Padding);
    else
      SetRowHeightForLines(r, GetMaxLinesInRow(r), Padding);
  }
  UpdateScrollBarAlways(true);
  ExportNotification(int(esExportDone), -1);
}

void TZavStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY)
{
  struct TUpdateBracket {
    TZavStringGrid *G;
    explicit TUpdateBracket(TZavStringGrid *AGrid) : G(AGrid) { G->BeginUpdate(); }
    ~TUpdateBracket() { G->EndUpdate(); }
  } bracket(this);
  const int firstCol = DoFixedCells ? 0 : FixedCols();
  const int firstRow = DoFixedCells ? 0 : FixedRows();
  for (int c = firstCol; c < ColCount(); ++c) {
    const int realCol = DisplToRealCol(c);
    // Columns take the widest cell seen; rows only ever grow.
    int colW = FSizeGrowOnly ? ColWidths(c) : 0;
    for (int r = firstRow; r < RowCount(); ++r) {
      const int rowH = RowHeights(r);
      const TPoint g = GetCellGraphicSize(realCol, r);
      const TSize t = GetCellTextSize(realCol, r, false, false);
      const int w = t.cx + g.X + PaddingX + FXYOffset.X;
      const int h = t.cy + g.Y + PaddingY + FXYOffset.Y;
      if (!IsXMergedCell(realCol, r) && w > colW) {
        const int clamped = ClampToRange(w, FMinColWidth, FMaxColWidth);
        if (clamped > colW) {
          SetColWidths(c, clamped);
          colW = clamped;
        }
      }
      if (!IsYMergedCell(realCol, r) && h > rowH) {
        const int clamped = ClampToRange(h, FMinRowHeight, FMaxRowHeight);
        if (clamped > rowH)
          SetRowHeights(r, clamped);
      }
    }
  }
}

void TZavStringGrid::AutoFitColumns(bool DoFixedCells)
{
  const int count = ColCount();
  if (count == 0)
    return;
  const bool vertBar = FScrollBarAlways == saVert ||
                       (ScrollBars() != ssNone && VisibleRowCount() + FixedRows() < RowCount());
  const int sb = vertBar ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  const int border = BorderStyle() == bsSingle ? (Ctl3D() ? 4 : 2) : 0;
  const int first = DoFixedCells ? 0 : FixedCols();
  const int last = DoFixedCells ? count - 1 : count - 1 - FixedRightCols();
  auto widthsOf = [this](int From, int To) {
    int sum = 0;
    for (int c = std::max(From, 0); c <= To && c < ColCount(); ++c)
      sum += ColWidths(c);
    return sum;
  };
  const int avail = DoFixedCells ? Width() : Width() - widthsOf(0, FixedCols() - 1) - widthsOf(last + 1, count - 1);
  int lines = 0;
  if (Options().Contains(goVertLine))
    lines += (count - FixedCols() - FixedRightCols()) * GridLineWidth();
  if (Options().Contains(goFixedVertLine) && DoFixedCells)
    lines += FixedCols() + FixedRightCols();

  if (count <= 1) {
    SetColWidths(0, Width() - sb - 5);
  } else {
    const int sum = widthsOf(first, last);
    if (sum == avail - sb - border)
      return;
    // Columns of no width (or none to fit) give no scale: their widths stay.
    if (sum <= 0)
      return;
    // Two passes so that the rounded widths add up as closely as the scale allows.
    const double f = double(avail - sb - border - lines) / sum;
    int total = 0;
    for (int c = first; c <= last; ++c)
      total += int(std::nearbyint(ColWidths(c) * f));
    const double f2 = double(total) / sum;
    for (int c = first; c <= last; ++c)
      SetColWidths(c, int(std::nearbyint(ColWidths(c) * f2)));
  }

  const int fitted = last - first + 1;
  if (fitted <= 0)
    return;
  int rest = avail - (widthsOf(first, last) + sb + border);
  if (fitted >= 2 && fitted < rest) {
    for (int c = first; c <= last; ++c)
      SetColWidths(c, ColWidths(c) + rest / fitted);
    rest %= fitted;
  }
  int widest = first;
  for (int c = first + 1; c <= last; ++c)
    if (ColWidths(c) > ColWidths(widest))
      widest = c;
  SetColWidths(widest, ColWidths(widest) + rest);
}

void TZavStringGrid::SizeToCols()
{
  int sum = 0;
  for (int c = 0; c < ColCount(); ++c)
    sum += ColWidths(c);
  SetClientWidth(sum);
}

void TZavStringGrid::SizeToRows()
{
  int sum = 0;
  for (int r = 0; r < RowCount(); ++r)
    sum += RowHeights(r);
  SetClientHeight(sum);
}

void TZavStringGrid::SizeToCells()
{
  const TScrollStyle bars = ScrollBars();
  SetScrollBars(ssNone);
  SizeToCols();
  SizeToRows();
  SetScrollBars(bars);
}
