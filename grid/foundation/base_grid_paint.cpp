// The base grid's cell painter: the framework's own drawing and lines are off, so every cell,
// merged block, selection box, gradient and grid line is drawn here.
#include <algorithm>

#include "grid/foundation/base_grid.h"
#include "grid/foundation/cell_properties.h"
#include "grid/foundation/draw_utils.h"

namespace {

// The eight colours DrawRoundedSelection takes, in its argument order.
struct TSelectionColors {
  TColor From, To, MirrorFrom, MirrorTo, InnerTop, InnerBottom, Border, Corner;
};

// Columns: fill from/to, corner pixels, border, inner bottom line, inner top line, lower half from/to.
constexpr TSelectionColors SelectionSet(TColor From, TColor To, TColor Corner, TColor Border,
                                        TColor InnerBottom, TColor InnerTop, TColor MirrorFrom,
                                        TColor MirrorTo)
{
  return {From, To, MirrorFrom, MirrorTo, InnerTop, InnerBottom, Border, Corner};
}

constexpr TSelectionColors VistaSet =
    SelectionSet(0xFDF8F1, 0xFCEFD5, 0xFCEDCB, 0xFDDE99, 0xFDF5E7, 0xFDFBF6, clNone, clNone);
constexpr TSelectionColors Win7Set =
    SelectionSet(0xFCEBDC, 0xFCDBC1, 0xE0C5AE, 0xCEA27D, 0xFDEADB, 0xFDF4EB, clNone, clNone);
constexpr TSelectionColors Office2007Set =
    SelectionSet(0xD7FFFD, 0x58D4FC, 0xC3D9DF, 0x8DD7D3, 0xCAF8FF, 0xF4FEFF, 0x58D4FC, 0xB3F1FC);
constexpr TSelectionColors UnfocusedSet =
    SelectionSet(0xF8F8F8, 0xE5E5E5, 0xEFEFEF, 0xD9D9D9, 0xF0F0F0, 0xFBFAFA, clNone, clNone);

const TSelectionColors &StyleSet(TGridSelectionStyle Style)
{
  switch (Style) {
  case ssWin7:
    return Win7Set;
  case ssOffice2007:
    return Office2007Set;
  default:
    return VistaSet;
  }
}

void Line(TCanvas *Canvas, int X1, int Y1, int X2, int Y2)
{
  Canvas->MoveTo(X1, Y1);
  Canvas->LineTo(X2, Y2);
}

// A grid line (horizontal left to right, or vertical bottom up, without its end pixel as
// LineTo draws it); a plain one-pixel pen is a one-pixel fill, much cheaper than plotting.
void GridLine(TCanvas *Canvas, int X1, int Y1, int X2, int Y2)
{
  TPen *pen = Canvas->Pen();
  TBrush *brush = Canvas->Brush();
  if (pen->Width() != 1 || pen->Style() != psSolid || pen->Mode() != pmCopy || Canvas->Mapped() ||
      (X1 != X2 && Y1 != Y2)) {
    Line(Canvas, X1, Y1, X2, Y2);
    return;
  }
  if (X1 == X2 && Y1 == Y2) {
    Canvas->MoveTo(X2, Y2);
    return;
  }
  const TColor keepColor = brush->Color();
  const TBrushStyle keepStyle = brush->Style();
  brush->SetColor(pen->Color());
  brush->SetStyle(bsSolid);
  if (Y1 == Y2)
    Canvas->FillRect(TRect(std::min(X1, X2 + 1), Y1, std::max(X1 + 1, X2), Y1 + 1));
  else
    Canvas->FillRect(TRect(X1, std::min(Y1, Y2 + 1), X1 + 1, std::max(Y1 + 1, Y2)));
  brush->SetStyle(keepStyle);
  brush->SetColor(keepColor);
  Canvas->MoveTo(X2, Y2);
}

}  // namespace

void TBaseGrid::Paint()
{
  TObjStringGrid::Paint();
  ++FPaintID;
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
  PaintCellBase(Canvas(), ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCell(TCanvas *ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
  PaintCellBase(ACanvas, ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCellExt(TCanvas *ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
  PaintCellBase(ACanvas, ACol, ARow, ARect, AState, false);
}

void TBaseGrid::PaintCellBase(TCanvas *ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState,
                              bool WithContent)
{
  // A block is painted whole by its base cell; of its other cells only the first one a pass
  // reaches paints it, which covers a base cell scrolled out of view.
  int bc = ACol, br = ARow;
  if (!FindBaseCell(ACol, ARow, bc, br)) {
    if (TCellProperties *p = CellProperties(bc, br); p && p->PaintID() != FPaintID) {
      p->SetPaintID(FPaintID);
      PaintCell(ACanvas, bc, br, ARect, AState);
    }
    return;
  }

  const bool fixed = IsFixed(ACol, ARow);
  if (WithContent && fixed) {
    AState += gdFixed;
    AState -= gdSelected;
  }
  // A plain cell keeps the rectangle the pass worked out; CellRect, which lays out the whole
  // axis again, is needed for blocks and cells holding a control.
  TRect R = ARect;
  if (WithContent) {
    const TCellProperties *props = PropsAt(ACol, ARow);
    if (IsMergedCell(ACol, ARow) || (props && props->Control()))
      R = CellRect(ACol, ARow);
  }

  // A block reaching under the fixed rows or columns (its base cell scrolled away) must not
  // paint over them.
  const int fx = ACol >= FixedCols() ? FixedColsWidth() : 0;
  const int fy = ARow >= FixedRows() ? FixedRowsHeight() : 0;
  const bool clip = (FixedCols() > 0 && ACol >= FixedCols() && R.Left < fx) ||
                    (FixedRows() > 0 && ARow >= FixedRows() && R.Top < fy);
  const bool hadClip = ACanvas->HasClipRegion();
  const TRegion oldClip = hadClip ? ACanvas->ClipRegionDevice() : TRegion();
  if (clip)
    ACanvas->IntersectClipRect(TRect(fx, fy, Width(), Height()));

  ACanvas->Pen()->SetWidth(1);
  ACanvas->SetFont(Font());
  TColor colorTo = clNone, mirrorColor = clNone, mirrorColorTo = clNone;
  TCellGradientDirection gradDir = GradientVertical;
  TAlignment hAlign = taLeftJustify;
  TVAlignment vAlign = vtaTop;
  bool wordWrap = FWordWrap;
  // The brush comes in with the framework's colour of the cell, which the look query refines.
  GetVisualProperties(ACol, ARow, AState, false, true, true, ACanvas->Brush(), colorTo, mirrorColor,
                      mirrorColorTo, ACanvas->Font(), hAlign, vAlign, wordWrap, gradDir);
  ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());

  const bool selected = AState.Contains(gdSelected);
  const bool stateFixed = AState.Contains(gdFixed);
  if (ARow == FHoverRowIdx && FHoverRow && !(selected && !FHoverRowCells.Contains(hcSelected)) &&
      !(stateFixed && !FHoverRowCells.Contains(hcFixed))) {
    ACanvas->Brush()->SetColor(FHoverRowColor);
    colorTo = FHoverRowColorTo;
    mirrorColor = clNone;
    mirrorColorTo = clNone;
    gradDir = GradientVertical;
  }

  if ((FActiveRowShow && ARow == Row() && (ACol != Col() || !FShowSel) && ACol >= FixedCols()) ||
      (!WithContent && selected)) {
    ACanvas->Brush()->SetColor(FActiveRowColor);
    colorTo = FActiveRowColorTo;
    mirrorColor = FActiveRowMirrorColor;
    mirrorColorTo = FActiveRowMirrorColorTo;
    ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());
  }

  const TGridOptions options = Options();
  if (selected && FSelectionStyle != ssDefault && FShowSel) {
    const TGridRect sel = Selection();
    const int l = std::min(sel.Left, sel.Right), rt = std::max(sel.Left, sel.Right);
    int segment = 0;
    if (ACol == l && l < rt)
      segment = 1;
    else if (ACol == rt && rt > l)
      segment = 2;
    else if (l < ACol && ACol < rt)
      segment = 3;
    TRect s = R;
    if (!options.Contains(goHorzLine))
      ++s.Bottom;
    if (!options.Contains(goVertLine))
      ++s.Right;
    const TSelectionColors &c =
        Focused() || options.Contains(goDrawFocusSelected) ? StyleSet(FSelectionStyle) : UnfocusedSet;
    DrawRoundedSelection(ACanvas, c.From, c.To, c.MirrorFrom, c.MirrorTo, c.InnerTop, c.InnerBottom, c.Border,
                         c.Corner, Color(), s, segment);
  } else if (!(UsesStyleEngine() && (stateFixed || selected))) {
    const TColor color = ACanvas->Brush()->Color();
    if (mirrorColorTo != clNone)
      DrawVistaGradient(ACanvas, R, color, colorTo, mirrorColor, mirrorColorTo, true, clNone, false, true);
    else
      DrawGradient(ACanvas, color, colorTo, 64, R, gradDir == GradientHorizontal);
  }

  int w;
  if (stateFixed) {
    ACanvas->Pen()->SetColor(FGridFixedLineColor);
    ACanvas->Pen()->SetWidth(1);
    w = 1;
  } else {
    if (FOwnGridLineWidth > 0)
      ACanvas->Pen()->SetColor(FGridLineColor);
    ACanvas->Pen()->SetWidth(FOwnGridLineWidth);
    w = (FOwnGridLineWidth + 1) / 2;
  }
  if ((ACol != 0 || !HasNodes()) && ((options.Contains(goHorzLine) && !stateFixed) ||
                                     (options.Contains(goFixedHorzLine) && stateFixed)))
    GridLine(ACanvas, R.Left - w + 1, R.Bottom - w, R.Right - w + 1, R.Bottom - w);
  if ((options.Contains(goVertLine) && !stateFixed) || (options.Contains(goFixedVertLine) && stateFixed))
    GridLine(ACanvas, R.Right - w, R.Bottom - w, R.Right - w, R.Top - w);

  TRect inner = R;
  if (stateFixed) {
    inner.Right -= 1;
    inner.Bottom -= 2;
  } else {
    inner.Left += FOwnGridLineWidth;
    inner.Top += FOwnGridLineWidth;
    inner.Right -= FOwnGridLineWidth;
    inner.Bottom -= FOwnGridLineWidth;
  }
  if (WithContent)
    DrawCellContent(ACanvas, ACol, ARow, inner, AState);

  if (clip) {
    if (hadClip)
      ACanvas->SelectClipRgn(&oldClip);
    else
      ACanvas->SelectClipRgn(nullptr);
  }
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Pen()->SetStyle(psSolid);
}
