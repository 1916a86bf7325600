// The grid's paint chain: the window paint, the per-cell hook and the content painter that
// puts the cell's look, text, borders, edges, tree lines and graphic on top of the background
// the base painter has drawn.
#include <algorithm>
#include <cmath>

#include "editors/dropdown_draw.h"
#include "grid/core/cell_node.h"
#include "grid/core/control_look.h"
#include "grid/core/feature_settings.h"
#include "grid/core/footer.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/search_panel.h"
#include "grid/core/sort_settings.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/cell_properties.h"
#include "grid/foundation/draw_utils.h"
#include "grid/foundation/grid_options.h"
#include "grid/view/cell_paint.h"

namespace {

void Line(TCanvas *C, int X1, int Y1, int X2, int Y2)
{
  C->MoveTo(X1, Y1);
  C->LineTo(X2, Y2);
}

bool GradientLook(TGridLook L)
{
  return L == glZAV || L == glXP || L == glVista || L == glWin7 || L == glOffice2007;
}

// The black (or grey) one-pixel lines just outside a cell.
void OutsideLines(TCanvas *C, const TRect &R, TGridOptions Options, TColor Color)
{
  C->Pen()->SetColor(Color);
  C->Pen()->SetWidth(1);
  if (Options.Contains(goFixedHorzLine)) {
    Line(C, R.Left - 1, R.Top - 1, R.Right + 1, R.Top - 1);
    Line(C, R.Left - 1, R.Bottom + 1, R.Right + 1, R.Bottom + 1);
  }
  if (Options.Contains(goFixedVertLine)) {
    Line(C, R.Left - 1, R.Top - 1, R.Left - 1, R.Bottom + 1);
    Line(C, R.Right + 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
  }
}

}  // namespace

void TZavStringGrid::Paint()
{
  TCanvas *C = Canvas();
  C->Pen()->SetStyle(psSolid);
  C->Brush()->SetStyle(bsSolid);
  TBaseGrid::Paint();

  if (FEditing) {
    C->Pen()->SetColor(GridLineWidth() >= 1 ? GridLineColor() : Color());
    const TRect r = CellRect(Col(), Row());
    if (!Options().Contains(goVertLine) && !Options().Contains(goHorzLine))
      C->Pen()->SetColor(Color());
    C->Brush()->SetStyle(bsClear);
    C->Rectangle(r);
    C->Brush()->SetStyle(bsSolid);
  }
  C->Pen()->SetColor(clBlack);

  const TBitmap *bmp = FBackGround->Bitmap();
  if ((bmp && !bmp->Empty()) || FBackGround->ColorTo() != clNone)
    PaintBackgroundArea();
  PaintDesignHelper();
  if (OnPainted)
    OnPainted(this);
}

void TZavStringGrid::DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
  const TRect r = ARect;
  TBaseGrid::DrawCell(ACol, ARow, r, AState);
}

void TZavStringGrid::PaintBackgroundArea()
{
  if (TopRow() + VisibleRowCount() < RowCount() && LeftCol() + VisibleColCount() < ColCount())
    return;
  const TBackGroundDisplay display = FBackGround->Display();
  const TBitmap *bmp = FBackGround->Bitmap();
  const bool hasBitmap = bmp && !bmp->Empty();
  const bool gradient = display == bdGradientHorz || display == bdGradientVert;
  if (gradient && FBackGround->ColorTo() == clNone)
    return;

  const TRect client = ClientRect();
  TRegion area;
  const int lastCol = ColCount() - 1, lastRow = RowCount() - 1;
  const int lw = GridLineWidth();
  if (lastCol >= LeftCol() && lastCol < LeftCol() + VisibleColCount() + 1) {
    const TRect r = CellRect(lastCol, std::max(TopRow(), FixedRows()));
    if (r.Right > 0 && r.Right + lw < client.Right)
      area += TRect(r.Right + lw, 0, client.Right, client.Bottom);
  }
  if (lastRow >= TopRow() && lastRow < TopRow() + VisibleRowCount() + 1) {
    const TRect r = CellRect(std::max(LeftCol(), FixedCols()), lastRow);
    if (r.Bottom > 0 && r.Bottom + lw < client.Bottom)
      area += TRect(0, r.Bottom + lw, client.Right, client.Bottom);
  }
  if (area.IsEmpty())
    return;
  TRect full = client;
  if (FSearchFooter && FSearchPanel && FSearchPanel->Visible())
    full.Bottom -= 32;
  if (FFloatingFooter->Visible())
    full.Bottom -= FFloatingFooter->Height();

  TCanvas *C = Canvas();
  const bool hadClip = C->HasClipRegion();
  const TRegion oldClip = hadClip ? C->ClipRegionDevice() : TRegion();
  C->SelectClipRgn(&area);
  if (!hasBitmap && gradient) {
    DrawStepGradient(C, FBackGround->Color(), FBackGround->ColorTo(), 128, full, display == bdGradientHorz);
  } else if (hasBitmap && display == bdFixed) {
    PaintBackgroundFixed(full);
  } else if (hasBitmap && display == bdTile) {
    TPoint origin(client.Left, client.Top);
    if (FBackGround->Cells() == bcNormal) {
      const TRect first = CellRect(FixedCols(), FixedRows());
      origin = TPoint(first.Left, first.Top);
    }
    origin.X += FXYOffset.X;
    origin.Y += FXYOffset.Y;
    if (FBackGround->Cells() != bcFixed)
      PaintBackgroundTiled(TRect(origin.X, origin.Y, full.Right, full.Bottom));
  }
  if (hadClip)
    C->SelectClipRgn(&oldClip);
  else
    C->SelectClipRgn(nullptr);
}

void TZavStringGrid::PaintBackgroundFixed(const TRect &R)
{
  const TBitmap *bmp = FBackGround->Bitmap();
  const TRect pic(FBackGround->Left(), FBackGround->Top(), FBackGround->Left() + bmp->Width(),
                  FBackGround->Top() + bmp->Height());
  const TRect d(std::max(R.Left, pic.Left), std::max(R.Top, pic.Top), std::min(R.Right, pic.Right),
                std::min(R.Bottom, pic.Bottom));
  if (d.Left >= d.Right || d.Top >= d.Bottom)
    return;
  TCanvas *C = Canvas();
  const int old = C->SetBkMode(TRANSPARENT);
  C->CopyRect(d, bmp->Canvas(), TRect(d.Left - pic.Left, d.Top - pic.Top, d.Right - pic.Left, d.Bottom - pic.Top));
  C->SetBkMode(old);
}

void TZavStringGrid::PaintBackgroundTiled(const TRect &R)
{
  const TBitmap *bmp = FBackGround->Bitmap();
  const int w = bmp->Width(), h = bmp->Height();
  if (w <= 0 || h <= 0)
    return;
  TCanvas *C = Canvas();
  for (int y = R.Top - 1; y < R.Bottom; y += h)
    for (int x = R.Left - 1; x < R.Right; x += w) {
      const int cw = std::min(w, R.Right - x), ch = std::min(h, R.Bottom - y);
      C->CopyRect(TRect(x, y, x + cw, y + ch), bmp->Canvas(), TRect(0, 0, cw, ch));
    }
}

TCellGraphic *TZavStringGrid::GetCellGraphicInfo(int ACol, int ARow, int &Width, int &Height, bool &TextToo,
                                                 TCellHAlign &HAlign, TCellVAlign &VAlign)
{
  Width = Height = 0;
  TextToo = true;
  HAlign = haLeft;
  VAlign = vaTop;
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g)
    return nullptr;
  HAlign = g->CellHAlign();
  VAlign = g->CellVAlign();
  auto graphicSize = [&](const TObject *o) {
    if (auto *gr = dynamic_cast<const TGraphic *>(o)) {
      Width = gr->Width();
      Height = gr->Height();
    }
  };
  auto imageSize = [&] {
    if (TImageList *il = GetGridImages()) {
      Width = il->Width();
      Height = il->Height();
    }
  };
  const int check = FControlLook->CheckSize();
  switch (g->CellType()) {
  case ctBitmap:
    graphicSize(g->CellBitmap());
    break;
  case ctIcon:
    graphicSize(g->CellIcon());
    break;
  case ctImageList:
    imageSize();
    break;
  case ctDataImage:
    imageSize();
    TextToo = false;
    break;
  case ctCheckBox:
  case ctTriStateCheckBox:
    Width = Height = check;
    break;
  case ctDataCheckBox:
  case ctVirtCheckBox:
  case ctRowCheckBox:
    Width = Height = check;
    TextToo = false;
    break;
  case ctRotated:
  case ctRadio:
  case ctProgress:
  case ctRangeIndicator:
  case ctXPProgress:
    TextToo = false;
    break;
  case ctImages:
    if (TImageList *il = GetGridImages()) {
      auto *list = dynamic_cast<TIntList *>(g->CellBitmap());
      const int n = list ? list->Count() : 0;
      Width = g->CellBoolean() ? n * il->Width() : il->Width();
      Height = g->CellBoolean() ? il->Height() : n * il->Height();
    }
    break;
  case ctPicture:
  case ctFilePicture: {
    const TPoint cell = CellSize(RealToDisplCol(ACol), ARow);
    const TPoint p = g->GetPictureSize(cell.X, cell.Y, true);
    Width = p.X;
    Height = p.Y;
    break;
  }
  case ctButton:
  case ctBitButton:
    Width = g->CellIndex() & 0xFFFF;
    Height = (g->CellIndex() >> 16) & 0xFFFF;
    break;
  case ctProgressPie:
    Width = Height = 20;
    break;
  case ctRadioButton:
    Width = Height = FControlLook->RadioSize() + 4;
    break;
  case ctShape:
    Width = Height = RowHeights(ARow) - 2 * FXYOffset.Y;
    break;
  case ctRating:
    Width = 18 * g->CellAngle();
    Height = 16;
    TextToo = false;
    break;
  default:
    break;
  }
  return g;
}

void TZavStringGrid::DrawCellContent(TCanvas *ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
  TCellPaintContext c;
  c.Canvas = ACanvas;
  c.Col = ACol;
  c.Row = ARow;
  c.RCol = RealColIndex(ACol);
  c.R = ARect;
  const bool ctl3D = !FFlat;
  const TGridOptions options = Options();

  if (ARow == FFilterDropDownRow)
    c.FilterGlyph = GetColumnFilterList(c.RCol);

  if (GetCellType(c.RCol, ARow) == ctScrollbar)
    DrawCellScrollBar(c);

  c.WW = WordWrap();
  TCellGradientDirection gd = GradientVertical;
  GetVisualProperties(ACol, ARow, AState, false, false, true, ACanvas->Brush(), c.ColorTo, c.MirrorColor,
                      c.MirrorColorTo, ACanvas->Font(), c.HA, c.VA, c.WW, gd);
  c.Graphic = GetCellGraphicInfo(c.RCol, ARow, c.GraphicW, c.GraphicH, c.TextToo, c.GHAlign, c.GVAlign);
  const bool nodeRow = HasNodes() && IsNode(ARow);
  if (c.RCol == 0 && nodeRow)
    c.GraphicW = GetNodeLevel(ARow) * 12 + 4;

  if (AState.Contains(gdSelected) && !AState.Contains(gdFocused) && FSelectionColor == clNone)
    ACanvas->Brush()->SetColor(clHighlight);
  if (FZoomFactor != 0)
    ACanvas->Font()->SetSize(ACanvas->Font()->Size() + FZoomFactor);
  c.SavedBrushColor = ACanvas->Brush()->Color();
  c.SavedFontColor = ACanvas->Font()->Color();
  c.State = AState;
  c.MouseDown = FMouseDown;
  if (FHoverCell.X == ACol && FHoverCell.Y == ARow)
    c.HoverAnchor = FHoverlink;
  c.HotButton = FHoverButton.X == ACol && FHoverButton.Y == ARow;

  // The fixed-cell faces and edges are the grid's own: the footer panel, which paints cells on
  // its canvas, keeps its face.
  bool fixedLook = ACanvas == Canvas() && (IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows());
  if (fixedLook && FHoverRow && ARow == FHoverRowIdx && FHoverRowCells.Contains(hcFixed))
    fixedLook = false;
  c.FixedLook = fixedLook;

  if (fixedLook && GradientLook(FLook))
    DrawFixedCellFace(c);

  const int indicatorShift = DrawRowIndicator(c);

  // List-view look, drawn the classic way (no visual styles).
  if (FLook == glListView && fixedLook && !FFlat) {
    ACanvas->Brush()->SetColor(clBtnFace);
    ACanvas->Pen()->SetColor(clWhite);
    ACanvas->Rectangle(c.R);
  }

  if (ACol == 0 && FShowModified->Enabled() && ARow < RowCount() && RowModified(DisplToRealRow(ARow))) {
    const TColor keep = ACanvas->Brush()->Color();
    ACanvas->Brush()->SetColor(FShowModified->Color());
    ACanvas->Pen()->SetColor(FShowModified->Color());
    ACanvas->Rectangle(c.R.Right - 4, c.R.Top, c.R.Right, c.R.Bottom);
    ACanvas->Brush()->SetColor(keep);
  }

  if (OnCustomCellBkgDraw)
    OnCustomCellBkgDraw(this, ACanvas, c.RCol, ARow, AState, c.R, false);

  const int right = c.R.Right;
  if (!fixedLook && (FControlLook->DropDownAlwaysVisible() || FControlLook->SpinButtonsAlwaysVisible()))
    DrawAlwaysVisibleButtons(c);

  if (!(FNoImageAndText && c.Graphic) && !((OnDrawCell || OnCustomCellDraw) && FNoDefaultDraw))
    DrawCellText(c);

  c.R.Right = right;
  ACanvas->Brush()->SetColor(c.SavedBrushColor);
  ACanvas->Font()->SetColor(c.SavedFontColor);
  c.R = TRect(c.R.Left - 1, c.R.Top - 1, c.R.Right + 1, c.R.Bottom + 1);
  DrawCellBorders(c, c.R);
  c.R.Left -= indicatorShift;

  if (fixedLook && !FFlat)
    DrawFixedCellEdges(c, ctl3D);
  if (FFixedRightCols > 0 && FFixedRightCols >= ColCount() + NumHiddenColumns() - c.RCol && FLook != glClassic &&
      !ctl3D)
    OutsideLines(ACanvas, c.R, options, FFlat ? clGray : clBlack);

  if (nodeRow && c.RCol == 0 && ARow >= FixedRows() && FCellNode->ShowTree())
    DrawNodeTreeLines(c);

  if (c.Graphic) {
    TRect g = c.R;
    if (fixedLook)
      ++g.Top;
    DrawCellGraphic(c, g, c.Graphic, c.VA);
    c.R = g;
  }

  if (OnDrawCell) {
    const TRect r(c.R.Left + 1, c.R.Top + 1, c.R.Right - GridLineWidth(), c.R.Bottom - GridLineWidth());
    OnDrawCell(this, c.RCol, ARow, r, AState);
  }
  if (OnCustomCellDraw)
    OnCustomCellDraw(this, ACanvas, c.RCol, ARow, AState, c.R, false);

  if (!FHideFocusRect && Focused() && !options.Contains(goRowSelect))
    DrawCellFocusRect(c);
  if (ARow == 0 && IsDesignTime() && FShowDesignHelper)
    DrawDesignColumnNumber(c);
}

// In-cell scroll bar: a plain classic bar at the right; its position scrolls the text.
void TZavStringGrid::DrawCellScrollBar(TCellPaintContext &c)
{
  const TScrollProp prop = GetScrollProp(c.RCol, c.Row);
  if (prop.PageSize >= prop.Range)
    return;
  TCanvas *ACanvas = c.Canvas;
  const int bw = 16;
  TRect bar(c.R.Right - bw, c.R.Top, c.R.Right, c.R.Bottom);
  FillRectColor(ACanvas, bar, clBtnFace);
  const int pos = std::max(0, GetScrollPosition(c.RCol, c.Row));
  const int track = bar.Height();
  const int thumb = std::max(8, prop.Range > 0 ? track * std::max(prop.PageSize, 1) / prop.Range : track);
  const int top = bar.Top + (prop.Range > 0 ? (track - thumb) * std::min(pos, prop.Range) / prop.Range : 0);
  TRect t(bar.Left, top, bar.Right, top + thumb);
  FillRectColor(ACanvas, t, clBtnFace);
  DrawEdge(ACanvas->Handle(), t, EDGE_RAISED, BF_RECT);
  c.R.Right -= bw;
  c.ScrollPos = pos;
}

// Row indicator on the current row; gives how far it moved the cell's left edge.
int TZavStringGrid::DrawRowIndicator(TCellPaintContext &c)
{
  const TBitmap *indicator = FRowIndicator.get();
  if (!(c.RCol == 0 && c.Row == Row() && FixedCols() > 0 && indicator && !indicator->Empty() &&
        !(RowCount() == FixedRows() && FFixedRowAlways)))
    return 0;
  const int h = indicator->Height();
  int y = c.R.Top;
  if (FVAlignment == vtaCenter)
    y = c.R.Top + (c.R.Height() - h) / 2;
  else if (FVAlignment == vtaBottom)
    y = c.R.Bottom - h;
  DrawBitmapTransparent(c.Canvas, indicator, c.SavedBrushColor,
                        TRect(c.R.Left + 2, y, c.R.Left + 2 + indicator->Width(), y + h));
  const int shift = indicator->Width() + 2;
  c.R.Left += shift;
  return shift;
}

// The drop-down or spin button of a cell whose editor shows its button always.
void TZavStringGrid::DrawAlwaysVisibleButtons(TCellPaintContext &c)
{
  int style = FControlLook->FlatButton() ? 2 : (FIsWinXP ? 0 : 1);
  bool canEdit = true;
  QueryCanEdit(c.RCol, c.Row, canEdit);
  const int state = canEdit ? 0 : 3;
  const TColorTones tones;
  if (FControlLook->DropDownAlwaysVisible() && HasComboEditor(c.RCol, c.Row)) {
    DrawDropDownButton(c.Canvas, Handle(), TRect(c.R.Left - 2, c.R.Top - 1, c.R.Right + 1, c.R.Bottom), tones,
                       state, style);
    c.R.Right -= 16;
  } else if (FControlLook->SpinButtonsAlwaysVisible() && HasSpinEditor(c.RCol, c.Row)) {
    DrawSpinButtons(c.Canvas, Handle(), TRect(c.R.Left - 2, c.R.Top - 1, c.R.Right + 1, c.R.Bottom), tones,
                    state, style);
    c.R.Right -= 16;
  }
}

void TZavStringGrid::DrawCellFocusRect(TCellPaintContext &c)
{
  const TPoint b = BaseCell(c.Col, c.Row);
  if (b.X == Col() && b.Y == Row() && !IsFixed(Col(), Row())) {
    const int d = GridLineWidth() - 1;
    TRect f(c.R.Left - d, c.R.Top - d, c.R.Right + d - 1, c.R.Bottom + d - 1);
    c.Canvas->Brush()->SetStyle(bsSolid);
    c.Canvas->DrawFocusRect(f);
  }
}

// The real column's number at the bottom right of a top-row cell, while designing.
void TZavStringGrid::DrawDesignColumnNumber(TCellPaintContext &c)
{
  TCanvas *ACanvas = c.Canvas;
  ACanvas->Font()->SetSize(8);
  ACanvas->Font()->SetStyle({});
  ACanvas->Font()->SetColor(clGray);
  ACanvas->Brush()->SetStyle(bsClear);
  TRect t(c.R.Left, c.R.Top, c.R.Right - 2, c.R.Bottom);
  ACanvas->DrawText(QString::number(c.RCol), t, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM | DT_NOPREFIX);
  ACanvas->Brush()->SetStyle(bsSolid);
}

// The fixed cells' gradient, kept as RGB: a write repaints.
void TZavStringGrid::SetZAVGradientFrom(TColor Value)
{
  FZAVGradientFrom = ColorToRGB(Value);
  Invalidate();
}

void TZavStringGrid::SetZAVGradientTo(TColor Value)
{
  FZAVGradientTo = ColorToRGB(Value);
  Invalidate();
}

void TZavStringGrid::SetZAVGradientMirrorFrom(TColor Value)
{
  FZAVGradientMirrorFrom = ColorToRGB(Value);
  Invalidate();
}

void TZavStringGrid::SetZAVGradientMirrorTo(TColor Value)
{
  FZAVGradientMirrorTo = ColorToRGB(Value);
  Invalidate();
}

void TZavStringGrid::DrawFixedCellFace(TCellPaintContext &c)
{
  TCanvas *C = c.Canvas;
  const int col = c.Col, row = c.Row;
  const bool covers = FHoverFixedCells == hfAll || (FHoverFixedCells == hfFixedRows && row < FixedRows()) ||
                      (FHoverFixedCells == hfFixedColumns && col < FixedCols());
  const bool hovered = covers && col == FHoverFixedX && row == FHoverFixedY && !IsDesignTime();
  if (hovered) {
    TRect r = c.R;
    ++r.Bottom;
    // The mouse is down on the hovered header while the grid holds the mouse.
    const bool down = MouseCapture();
    auto face = [&](const TRect &R, bool Pressed) {
      if (Pressed)
        DrawVistaGradient(C, R, FZAVGradientDownFrom, FZAVGradientDownTo, FZAVGradientDownMirrorFrom,
                          FZAVGradientDownMirrorTo, true, FZAVGradientDownBorder, false, true);
      else
        DrawVistaGradient(C, R, FZAVGradientHoverFrom, FZAVGradientHoverTo, FZAVGradientHoverMirrorFrom,
                          FZAVGradientHoverMirrorTo, true, FZAVGradientHoverBorder, false, true);
    };
    bool canShow = false;
    if (FControlLook->FixedDropDownButton())
      DoCanShowFixedDropDown(c.RCol, canShow);
    if (canShow && down) {
      face(TRect(r.Left, r.Top, r.Right - 16, r.Bottom), false);
      face(TRect(r.Right - 16, r.Top, r.Right, r.Bottom), true);
    } else {
      face(r, down);
    }
    if (canShow) {
      C->Pen()->SetColor(down ? FZAVGradientDownBorder : FZAVGradientHoverBorder);
      Line(C, r.Right - 16, r.Top, r.Right - 16, r.Bottom);
      DrawSmallDownArrow(C, r.Right - 8, r.Top + 8);
      c.R.Right -= 16;
    }
    return;
  }
  const bool activeHeader = FActiveCellShow && ((FixedCols() > 0 && col == FixedCols() - 1 && row == Row()) ||
                                                (FixedRows() > 0 && row == FixedRows() - 1 && col == Col()));
  if (activeHeader) {
    DrawVistaGradient(C, c.R, FActiveCellColor, FActiveCellColorTo, clNone, clNone, true, clNone, false, true);
    return;
  }
  TSortSettings *s = FSortSettings.get();
  if (s->Column() != -1 && s->HeaderColor() != clNone && c.RCol == s->Column() && row == FixedRows() - 1 &&
      (c.RCol >= FixedCols() || s->FixedCols())) {
    DrawVistaGradient(C, c.R, s->HeaderColor(), s->HeaderColorTo(), s->HeaderMirrorColor(), s->HeaderMirrorColorTo(),
                      true, clNone, false, true);
    return;
  }
  if (!FFlat)
    DrawVistaGradient(C, c.R, C->Brush()->Color(), c.ColorTo, c.MirrorColor, c.MirrorColorTo, true,
                      FLook == glVista ? clWhite : clNone, true, true);
}

void TZavStringGrid::DrawFixedCellEdges(TCellPaintContext &c, bool Ctl3D)
{
  TCanvas *C = c.Canvas;
  TRect &r = c.R;
  const TGridOptions options = Options();
  const TColor shadow = HalfColor(ColorToRGB(FixedColor()));
  C->Pen()->SetWidth(1);
  switch (FLook) {
  case glClassic: {
    ++r.Top;
    ++r.Bottom;
    ++r.Left;
    TRect e = r;
    DrawEdge(C->Handle(), e, BDR_RAISEDINNER, BF_LEFT);
    e = r;
    DrawEdge(C->Handle(), e, BDR_RAISEDINNER, BF_TOP);
    e = r;
    DrawEdge(C->Handle(), e, BDR_RAISED, BF_RIGHT | BF_BOTTOM);
    C->Pen()->SetColor(clBlack);
    Line(C, r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1);
    C->LineTo(r.Left - 1, r.Bottom - 1);
    break;
  }
  case glZAV:
  case glXP:
    ++r.Bottom;
    if (options.Contains(goFixedHorzLine)) {
      C->Pen()->SetColor(shadow);
      Line(C, r.Left, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
      C->Pen()->SetColor(clWhite);
      Line(C, r.Right - 2, r.Top + 1, r.Left + 1, r.Top + 1);
      C->LineTo(r.Left + 1, r.Bottom - 1);
    }
    break;
  case glSoft:
    if (Ctl3D) {
      ++r.Right;
      ++r.Bottom;
      if (options.Contains(goFixedHorzLine)) {
        C->Pen()->SetColor(shadow);
        Line(C, r.Left, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
        C->Pen()->SetColor(clWhite);
        Line(C, r.Right, r.Top + 1, r.Left + 1, r.Top + 1);
        C->LineTo(r.Left + 1, r.Bottom - 1);
      }
      if (options.Contains(goFixedVertLine)) {
        C->Pen()->SetColor(shadow);
        Line(C, r.Right - 2, r.Top, r.Right - 2, r.Bottom - 1);
        C->Pen()->SetColor(clWhite);
        Line(C, r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1);
      }
    } else {
      OutsideLines(C, r, options, clBlack);
    }
    break;
  default:
    break;
  }
}

void TZavStringGrid::DrawNodeTreeLines(TCellPaintContext &c)
{
  TCanvas *C = c.Canvas;
  const TRect &r = c.R;
  const int row = c.Row;
  const int indent = FCellNode->NodeIndent();
  C->Pen()->SetColor(FCellNode->TreeColor());
  C->Pen()->SetWidth(1);
  const int level = GetNodeLevel(row);
  const int x = r.Left + GetNodeIndent(row) - (indent + 1) / 2 + 2;
  const int mid = (r.Top + r.Bottom) / 2;
  if (level > 0)
    Line(C, x, mid, FCellNode->ShowTreeFull() ? r.Right : r.Left + GetNodeIndent(row) + 4, mid);
  const int span = GetNodeSpanType(row);
  if (span == 1)
    Line(C, x, r.Top, x, mid);
  else if (span == 2)
    Line(C, x, r.Top, x, r.Bottom + 4);
  const bool lastRow = row == RowCount() - 1;
  const bool nextIsNode = !lastRow && IsNode(row + 1);
  for (int i = 1; i <= level; ++i) {
    const int xi = x - indent * i;
    C->MoveTo(xi, r.Top);
    C->LineTo(xi, mid);
    if (nextIsNode && !lastRow)
      C->LineTo(xi, r.Bottom + 4);
    else if (i < level)
      C->LineTo(x + indent - indent * i, mid);
  }
}
