// Measuring shared by printing, drawing, auto-sizing and the exporters: font units of the print
// page, the text margin, the placement of turned text, line counts and repainting cell blocks.
#include <algorithm>
#include <cmath>

#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_utils.h"
#include "grid/view/cell_paint.h"

int TZavStringGrid::MapFontHeight(int PointSize)
{
  return -int(std::trunc(PointSize * 254.0 / 72.0 * Fontscalefactor));
}

int TZavStringGrid::MapFontSize(int Height) { return int(std::trunc(Height * 72.0 / 254.0)); }

int TZavStringGrid::GetTotalXOffset() { return FXYOffsetTopLeftOnly ? FXYOffset.X : 2 * FXYOffset.X; }

int TZavStringGrid::GetTotalYOffset() { return FXYOffsetTopLeftOnly ? FXYOffset.Y : 2 * FXYOffset.Y; }

void TZavStringGrid::PlaceRotatedText(TRect &R, int Angle, const QString &Text, TAlignment HAlign,
                                      TVAlignment VAlign)
{
  InflateRect(R, -2, -2);
  const TPoint origin = ::PlaceRotatedText(Canvas(), R, Angle, HAlign, VAlign, Text);
  R.Left = origin.X;
  R.Top = origin.Y;
}

void TZavStringGrid::RotatedTextOrigin(TRect &R, TAlignment HAlign, TVAlignment VAlign, int Angle, int WC, int HS,
                                       int WS, int HC)
{
  const int quadrant = Angle <= 90 ? 1 : Angle <= 180 ? 2 : Angle <= 270 ? 3 : 4;
  switch (HAlign) {
  case taLeftJustify:
    R.Left += quadrant == 1 ? 0 : quadrant == 2 ? WC : quadrant == 3 ? HS + WC : HS;
    break;
  case taRightJustify:
    R.Left = quadrant == 1 ? R.Right - WC - HS : quadrant == 2 ? R.Right - HS : quadrant == 3 ? R.Right : R.Right - WC;
    break;
  case taCenter:
    switch (quadrant) {
    case 1: R.Left += (R.Right - R.Left - HS - WC) / 2; break;
    case 2: R.Left = R.Right - (R.Right - R.Left + HS - WC) / 2; break;
    case 3: R.Left = R.Right - (R.Right - R.Left - HS - WC) / 2; break;
    default: R.Left += (R.Right - R.Left + HS - WC) / 2; break;
    }
    break;
  }
  // The origin's depth below the turned text's top edge.
  const int below = quadrant == 1 ? WS : quadrant == 2 ? WS + HC : quadrant == 3 ? HC : 0;
  switch (VAlign) {
  case vtaTop:
    R.Top += below;
    break;
  case vtaCenter:
    R.Top = R.Top - (R.Top - R.Bottom + HC + WS) / 2 + below;
    break;
  case vtaBottom:
    R.Top = R.Bottom - (quadrant == 1 ? HC : quadrant == 2 ? 0 : quadrant == 3 ? WS : HC + WS);
    break;
  }
}

int TZavStringGrid::GetMaxLinesInRow(int ARow)
{
  if (ColCount() == 0 || !FMultilinecells)
    return 1;
  int lines = 1;
  for (int c = 0; c < ColCount(); ++c)
    lines = std::max(lines, CountLines(Cells(DisplToRealCol(c), ARow), true));
  return lines;
}

int TZavStringGrid::MaxColumnTextLength(int ACol)
{
  const int realCol = DisplToRealCol(ACol);
  int longest = 0;
  for (int r = 0; r < RowCount(); ++r) {
    QString rest = GetSaveCellText(realCol, r), line;
    do {
      TakeFirstLine(rest, FMultilinecells, line);
      longest = std::max(longest, int(line.length()));
    } while (!rest.isEmpty());
  }
  return longest;
}

void TZavStringGrid::InvalidateGridRect(TGridRect R)
{
  if (!HandleAllocated())
    return;
  TRect r;
  UnionRect(r, CellRect(R.Left, R.Top), CellRect(R.Right, R.Bottom));
  ::InvalidateRect(Handle(), &r, false);
}
