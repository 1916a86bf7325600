// TCustomGrid painting: grid lines, then the cells of the four areas (fixed corner,
// fixed rows, fixed columns, scrolled cells) row by row through DrawCell, then the
// space beyond the last column and row.
#include "framework/grids/inplace_edit.h"

#include <algorithm>

namespace {

bool Intersects(const TRect &a, const TRect &b)
{
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

}  // namespace

void TCustomGrid::DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
  (void)ACol;
  (void)ARow;
  (void)ARect;
  (void)AState;
}

bool TCustomGrid::IsActiveControl()
{
  if (!HandleAllocated())
    return false;
  if (Focused())
    return true;
  return FInplaceEdit && FInplaceEdit->HandleAllocated() && FInplaceEdit->Focused();
}

void TCustomGrid::DrawLines(bool DoHorz, bool DoVert, int StartCol, int StartRow, const TRect &Area,
                            TColor LineColor, TColor FillColor)
{
  TCanvas *canvas = Canvas();
  const int lw = FGridLineWidth;
  if (lw <= 0 || Area.IsEmpty())
    return;
  canvas->Brush()->SetStyle(bsSolid);
  // Vertical lines after every column of the area.
  if (EffectiveLineWidth(true) > 0) {
    canvas->Brush()->SetColor(DoVert ? LineColor : FillColor);
    int x = Area.Left;
    for (int c = StartCol; c < FColCount && x < Area.Right; ++c) {
      x += ColWidths(c);
      if (x >= Area.Right)
        break;
      canvas->FillRect(TRect(x, Area.Top, std::min(x + lw, Area.Right), Area.Bottom));
      x += lw;
    }
  }
  if (EffectiveLineWidth(false) > 0) {
    canvas->Brush()->SetColor(DoHorz ? LineColor : FillColor);
    int y = Area.Top;
    for (int r = StartRow; r < FRowCount && y < Area.Bottom; ++r) {
      y += RowHeights(r);
      if (y >= Area.Bottom)
        break;
      canvas->FillRect(TRect(Area.Left, y, Area.Right, std::min(y + lw, Area.Bottom)));
      y += lw;
    }
  }
}

void TCustomGrid::DrawCells(int ACol, int ARow, int StartX, int StartY, int StopX, int StopY,
                            TColor AColor, TGridDrawState IncludeDrawState, const TRect &Update)
{
  TCanvas *canvas = Canvas();
  const int hLine = EffectiveLineWidth(true);
  const int vLine = EffectiveLineWidth(false);
  const bool focused = IsActiveControl();
  const bool designing = ComponentState().Contains(csDesigning);
  const bool editorShown = FEditorMode && FInplaceEdit && FInplaceEdit->Visible();
  TGridRect sel = Selection();
  if (FOptions.Contains(goRowSelect)) {
    sel.Left = FFixedCols;
    sel.Right = FColCount - 1;
  }
  int curRow = ARow;
  TRect where;
  where.Top = StartY;
  while (where.Top < StopY && curRow < FRowCount) {
    int curCol = ACol;
    where.Left = StartX;
    where.Bottom = where.Top + RowHeights(curRow);
    while (where.Left < StopX && curCol < FColCount) {
      where.Right = where.Left + ColWidths(curCol);
      // Only cells meeting the part being repainted (not just its bounding box).
      if (where.Right > where.Left && Intersects(where, Update) && canvas->RectVisible(where)) {
        TGridDrawState state = IncludeDrawState;
        const bool isCurrent = curRow == FCurrent.Y && curCol == FCurrent.X;
        if (focused && isCurrent)
          state += gdFocused;
        if (curCol >= sel.Left && curCol <= sel.Right && curRow >= sel.Top && curRow <= sel.Bottom)
          state += gdSelected;
        // The open editor covers the current cell.
        if (!(isCurrent && editorShown) || designing) {
          canvas->SetFont(Font());
          if (state.Contains(gdSelected) &&
              (!state.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect))) {
            canvas->Brush()->SetColor(clHighlight);
            canvas->Font()->SetColor(clHighlightText);
          } else {
            canvas->Brush()->SetColor(AColor);
          }
          canvas->Brush()->SetStyle(bsSolid);
          // The cell's brush is the background of its text, whatever drew last.
          canvas->SetBkColor(canvas->Brush()->Color());
          if (FDefaultDrawing || designing)
            canvas->FillRect(where);
          DrawCell(curCol, curRow, where, state);
          if (FDefaultDrawing && state.Contains(gdFixed)) {
            TRect edge = where;
            DrawEdge(canvas->Handle(), edge, BDR_RAISEDINNER, BF_RECT);
          }
          if (FDefaultDrawing && !designing && state.Contains(gdFocused) &&
              !(FOptions.Contains(goEditing) && FOptions.Contains(goAlwaysShowEditor)) &&
              !FOptions.Contains(goRowSelect)) {
            canvas->Brush()->SetColor(AColor);
            canvas->Font()->SetColor(clWindowText);
            canvas->DrawFocusRect(where);
          }
        }
      }
      where.Left = where.Right + hLine;
      ++curCol;
    }
    where.Top = where.Bottom + vLine;
    ++curRow;
  }
}

void TCustomGrid::Paint()
{
  FPainting = true;
  try {
    PaintGrid();
  } catch (...) {
    FPainting = false;
    throw;
  }
  FPainting = false;
}

void TCustomGrid::PaintGrid()
{
  TCanvas *canvas = Canvas();
  TGridDrawInfo info;
  CalcDrawInfo(info);
  TRect update = canvas->ClipRect();
  if (update.IsEmpty())
    update = TRect(0, 0, info.Horz.GridExtent, info.Vert.GridExtent);
  const TGridCoord tl = FTopLeft;
  const int hFixed = info.Horz.FixedBoundary;
  const int vFixed = info.Vert.FixedBoundary;
  const int hGrid = info.Horz.GridBoundary;
  const int vGrid = info.Vert.GridBoundary;

  canvas->Pen()->SetStyle(psSolid);
  canvas->Brush()->SetStyle(bsSolid);
  if (info.Horz.EffectiveLineWidth > 0 || info.Vert.EffectiveLineWidth > 0) {
    const bool fixedVert = FOptions.Contains(goFixedVertLine);
    const bool fixedHorz = FOptions.Contains(goFixedHorzLine);
    DrawLines(fixedHorz, fixedVert, 0, 0, TRect(0, 0, hFixed, vFixed), clBlack, FFixedColor);
    DrawLines(fixedHorz, fixedVert, tl.X, 0, TRect(hFixed, 0, hGrid, vFixed), clBlack, FFixedColor);
    DrawLines(fixedHorz, fixedVert, 0, tl.Y, TRect(0, vFixed, hFixed, vGrid), clBlack, FFixedColor);
    DrawLines(FOptions.Contains(goHorzLine), FOptions.Contains(goVertLine), tl.X, tl.Y,
              TRect(hFixed, vFixed, hGrid, vGrid), clSilver, Color());
  }

  DrawCells(0, 0, 0, 0, hFixed, vFixed, FFixedColor, TGridDrawState{gdFixed}, update);
  DrawCells(tl.X, 0, hFixed, 0, hGrid, vFixed, FFixedColor, TGridDrawState{gdFixed}, update);
  DrawCells(0, tl.Y, 0, vFixed, hFixed, vGrid, FFixedColor, TGridDrawState{gdFixed}, update);
  DrawCells(tl.X, tl.Y, hFixed, vFixed, hGrid, vGrid, Color(), TGridDrawState(), update);

  // A selected row shows one focus rectangle over its scrolled cells.
  if (FDefaultDrawing && FOptions.Contains(goRowSelect) && !FOptions.Contains(goDrawFocusSelected) &&
      IsActiveControl() && !ComponentState().Contains(csDesigning)) {
    TRect focusRect;
    GridRectToScreenRect(TGridRect(std::max(FFixedCols, tl.X), FCurrent.Y, FColCount - 1, FCurrent.Y), focusRect, false);
    if (!focusRect.IsEmpty()) {
      canvas->Brush()->SetColor(Color());
      canvas->Font()->SetColor(clWindowText);
      canvas->DrawFocusRect(focusRect);
    }
  }

  // The space after the last column and below the last row.
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(Color());
  if (hGrid < info.Horz.GridExtent)
    canvas->FillRect(TRect(hGrid, 0, info.Horz.GridExtent, vGrid));
  if (vGrid < info.Vert.GridExtent)
    canvas->FillRect(TRect(0, vGrid, info.Horz.GridExtent, info.Vert.GridExtent));

  // A sizing or moving mark drawn before this paint is drawn again over the new picture.
  if (FSizingLineShown) {
    FSizingLineShown = false;
    DrawSizingLine(info);
  }
  if (FMoveLineShown >= 0) {
    const int movePos = FMovePos;
    FMovePos = FMoveLineShown;
    FMoveLineShown = -1;
    DrawMove();
    FMovePos = movePos;
  }
}
