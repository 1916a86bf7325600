// The graphic object of one cell, drawn over the cell's background next to (or over) its text:
// pictures, images, check boxes and radios, nodes, progress bars, indicators, comments, buttons,
// shapes and rating stars.
#include "grid/core/zav_string_grid.h"

#include <cmath>

#include "grid/core/cell_node.h"
#include "grid/core/control_look.h"
#include "grid/core/feature_settings.h"
#include "grid/core/sort_settings.h"
#include "grid/foundation/draw_utils.h"
#include "grid/foundation/grid_helpers.h"
#include "grid/foundation/int_lists.h"
#include "grid/view/cell_paint.h"
#include "grid/view/check_paint.h"

namespace {

constexpr TColor KeyColor = 0xFF00FF;

void NewGlyph(TBitmap &B, int W, int H)
{
  B.SetSize(W, H);
  B.Canvas()->Brush()->SetColor(KeyColor);
  B.Canvas()->FillRect(TRect(0, 0, W, H));
}

// A 9-pixel box with a minus, and a plus while contracted.
void PaintNodeBox(TCanvas *c, int L, int T, TColor Frame, TColor Fill, bool Contracted)
{
  c->Pen()->SetColor(Frame);
  c->Brush()->SetColor(Fill);
  c->Rectangle(L, T, L + 9, T + 9);
  c->Pen()->SetColor(clBlack);
  c->MoveTo(L + 2, T + 4);
  c->LineTo(L + 7, T + 4);
  if (Contracted) {
    c->MoveTo(L + 4, T + 2);
    c->LineTo(L + 4, T + 7);
  }
}

// A small funnel on the key colour.
void PaintFilterGlyph(TBitmap &B)
{
  NewGlyph(B, 16, 16);
  TCanvas *c = B.Canvas();
  c->Pen()->SetColor(0x404040);
  c->Brush()->SetColor(0x808080);
  c->Polygon({{2, 3}, {13, 3}, {9, 8}, {9, 13}, {6, 11}, {6, 8}});
}

double SafeFloat(TZavStringGrid *G, int ACol, int ARow)
{
  try {
    return G->Floats(ACol, ARow);
  } catch (const Exception &) {
    return 0;
  }
}

int SafeInt(TZavStringGrid *G, int ACol, int ARow)
{
  try {
    return G->Ints(ACol, ARow);
  } catch (const Exception &) {
    return 0;
  }
}

bool IsCheckBoxKind(TCellType t)
{
  return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox || t == ctRadioButton ||
         t == ctTriStateCheckBox;
}

}  // namespace

void RegisterGraphicGlyphs()
{
  static bool done = false;
  if (done)
    return;
  done = true;
  RegisterResourceBitmap(QStringLiteral("ZSGLEAFCLOSE"), [](TBitmap &B) {
    NewGlyph(B, 12, 12);
    PaintNodeBox(B.Canvas(), 1, 1, 0x808080, 0xF0F0F0, true);
  });
  RegisterResourceBitmap(QStringLiteral("ZSGLEAFOPEN"), [](TBitmap &B) {
    NewGlyph(B, 12, 12);
    PaintNodeBox(B.Canvas(), 1, 1, 0x808080, 0xF0F0F0, false);
  });
  RegisterResourceBitmap(QStringLiteral("XPNODEC"), [](TBitmap &B) {
    NewGlyph(B, 10, 10);
    PaintNodeBox(B.Canvas(), 0, 0, 0xA5927A, 0xF7F4F1, true);
  });
  RegisterResourceBitmap(QStringLiteral("XPNODEO"), [](TBitmap &B) {
    NewGlyph(B, 10, 10);
    PaintNodeBox(B.Canvas(), 0, 0, 0xA5927A, 0xF7F4F1, false);
  });
  RegisterResourceBitmap(QStringLiteral("ZSGFILT"), PaintFilterGlyph);
}

TRotatedExtents RotatedExtents(int CX, int CY, int Angle)
{
  const double a = Angle * M_PI / 180.0, ca = std::cos(a), sa = std::sin(a);
  auto proj = [](double V) { return int(std::abs(std::trunc(V))); };
  return {proj(ca * CX), proj(sa * CY), proj(sa * CX), proj(ca * CY)};
}

TPoint PlaceRotatedText(TCanvas *Canvas, const TRect &R, int Angle, TAlignment HA, TVAlignment VA,
                        const QString &Text)
{
  const TSize ext = Canvas->TextExtent(Text);
  const TRotatedExtents e = RotatedExtents(ext.cx, ext.cy, Angle);
  TRect r = R;
  TZavStringGrid::RotatedTextOrigin(r, HA, VA, Angle, e.WC, e.HS, e.WS, e.HC);
  return TPoint(r.Left, r.Top);
}

void TZavStringGrid::PlaceCellGraphic(TCellPaintContext &Ctx, TRect &R, TCellGraphic *Graphic, TVAlignment CellVAlign,
                                      TRect &G)
{
  const TCellType type = Graphic->CellType();
  const int W = Ctx.GraphicW, H = Ctx.GraphicH;
  if (type != ctNode && type != ctProgress && type != ctRangeIndicator && type != ctXPProgress)
    InflateRect(R, 1 - FXYOffset.X, 1 - FXYOffset.Y);
  const int tw = Ctx.TextWidth > 0 ? Ctx.TextWidth + 2 : 0;
  const int rw = R.Right - R.Left, rh = R.Bottom - R.Top;
  switch (Graphic->CellHAlign()) {
  case haLeft:
    G.Left = R.Left + 1;
    break;
  case haRight:
    G.Right = R.Right - 1;
    G.Left = R.Right - W - 1;
    break;
  case haCenter:
    G.Left = W < rw ? R.Left + (rw - W) / 2 : R.Left + 1;
    break;
  case haFull:
    G.Left = R.Left;
    G.Right = R.Right;
    break;
  case haBeforeText:
    G.Left = Ctx.HA == taLeftJustify    ? R.Left + 1
             : Ctx.HA == taRightJustify ? R.Right - tw - W
                                        : R.Left + (rw - tw - W) / 2;
    G.Left = std::max(G.Left, R.Left + 1);
    break;
  case haAfterText:
    G.Left = Ctx.HA == taLeftJustify    ? R.Left + tw
             : Ctx.HA == taRightJustify ? R.Right - W - 1
                                        : std::max(R.Left + 1, R.Left + tw + (rw - tw - W) / 2);
    break;
  }
  if (Graphic->CellHAlign() != haRight && Graphic->CellHAlign() != haFull)
    G.Right = G.Left + W;

  TCellVAlign va = Graphic->CellVAlign();
  if (IsCheckBoxKind(type) && CellVAlign != VAlignment())
    va = CellVAlign == vtaTop ? vaTop : CellVAlign == vtaCenter ? vaCenter : vaBottom;
  switch (va) {
  case vaTop:
  case vaAboveText:
    G.Top = R.Top + 1;
    G.Bottom = G.Top + H;
    break;
  case vaBottom:
    G.Bottom = R.Bottom - 1;
    G.Top = G.Bottom - H;
    break;
  case vaCenter:
    G.Top = H < rh ? R.Top + (rh - H) / 2 : R.Top + 1;
    G.Bottom = G.Top + H;
    break;
  case vaUnderText:
    G.Top = R.Bottom - H;
    G.Bottom = R.Bottom;
    break;
  case vaFull:
    G.Top = R.Top;
    G.Bottom = R.Bottom;
    break;
  }
}

// The painters of the graphic kinds. Each gets the cell rectangle R and the placed graphic's
// rectangle G.

void TZavStringGrid::PaintPictureGraphic(TCellPaintContext &Ctx, TRect &, TRect &G, TCellGraphic *Graphic)
{
  TCanvas *cv = Ctx.Canvas;
  const TCellType type = Graphic->CellType();
  if (type == ctPicture) {
    if (auto *pic = dynamic_cast<TPicture *>(Graphic->CellBitmap()); pic && pic->Graphic()) {
      if (TStretchMode(Graphic->CellAngle()) != TStretchMode::noStretch)
        cv->StretchDraw(G, pic->Graphic());
      else
        cv->Draw(G.Left, G.Top, pic->Graphic());
    }
    return;
  }
  if (type == ctFilePicture) {
    if (auto *pic = dynamic_cast<TFilePicture *>(Graphic->CellBitmap()))
      pic->DrawPicture(cv, G);
    return;
  }
  auto *g = dynamic_cast<TGraphic *>(type == ctBitmap ? Graphic->CellBitmap() : Graphic->CellIcon());
  if (!g)
    return;
  if (type == ctBitmap && Graphic->CellTransparent())
    if (auto *b = dynamic_cast<TBitmap *>(g)) {
      DrawTransparentBitmap(cv, G.Left, G.Top, b);
      return;
    }
  cv->Draw(G.Left, G.Top, g);
}

void TZavStringGrid::PaintImageListGraphic(TCellPaintContext &Ctx, TRect &, TRect &G, TCellGraphic *Graphic)
{
  TCanvas *cv = Ctx.Canvas;
  TImageList *il = GetGridImages();
  if (!il)
    return;
  switch (Graphic->CellType()) {
  case ctImageList:
    il->Draw(cv, G.Left, G.Top, Graphic->CellIndex(), true);
    break;
  case ctDataImage: {
    const int idx = SafeInt(this, Ctx.RCol, Ctx.Row) + Graphic->CellIndex();
    if (idx >= 0 && idx < il->Count())
      il->Draw(cv, G.Left, G.Top, idx, true);
    break;
  }
  default:
    if (auto *list = dynamic_cast<TIntList *>(Graphic->CellBitmap()))
      for (int i = 0; i < list->Count(); ++i) {
        il->Draw(cv, G.Left, G.Top, list->GetInteger(i), true);
        if (Graphic->CellBoolean())
          G.Left += il->Width();
        else
          G.Top += il->Height();
      }
    break;
  }
}

// Check boxes of every kind and the single radio button, placed by the cell's alignment.
void TZavStringGrid::PaintCheckGraphic(TCellPaintContext &Ctx, TRect &R, TRect &G, TCellGraphic *Graphic)
{
  TCanvas *cv = Ctx.Canvas;
  const int RCol = Ctx.RCol, ARow = Ctx.Row;
  TControlLook *look = FControlLook.get();
  const TCellType type = Graphic->CellType();
  const int W = Ctx.GraphicW;
  const int tw = Ctx.TextWidth > 0 ? Ctx.TextWidth + 2 : 0;
  const bool dataKind = type == ctDataCheckBox || type == ctVirtCheckBox || type == ctRowCheckBox;
  if (Ctx.HA == taLeftJustify)
    G.Left = R.Left + 1;
  else if (Ctx.HA == taRightJustify)
    G.Left = (dataKind ? R.Right : R.Right - tw) - W - 1;
  else if (dataKind || tw < 1)
    G.Left = R.Left + std::max(0, R.Right - W - R.Left) / 2;
  else
    G.Left = R.Left + std::max(0, R.Right - tw - R.Left) / 2 - W;
  G.Left = std::max(G.Left, R.Left + 1);
  G.Right = G.Left + W;
  bool editable = true;
  QueryCanEdit(RCol, ARow, editable);
  if (type == ctRadioButton) {
    G.Left += FXYOffset.X;
    G.Right = G.Left + look->RadioSize();
    G.Bottom = G.Top + look->RadioSize();
    DrawRadioButtons(cv, G, false, 1.0, look->ControlStyle(), ARow, RCol, Ctx.State.Contains(gdSelected), nullptr,
                     !editable, false, Graphic->CellBoolean() ? 0 : -2, 1);
    return;
  }
  bool checked = false, grayed = false;
  TCheckBoxState state = cbUnchecked;
  const bool useState = type == ctTriStateCheckBox;
  if (type == ctCheckBox || type == ctRowCheckBox) {
    checked = Graphic->CellBoolean();
    grayed = Graphic->CellAngle() > 0;
  } else if (type == ctDataCheckBox || type == ctVirtCheckBox) {
    QString trueText;
    GetCheckTrueText(RCol, ARow, trueText);
    checked = Cells(RCol, ARow) == trueText;
  } else {
    state = Graphic->CellAngle() > 0 ? cbGrayed : Graphic->CellCheckBoxState();
  }
  DrawCheckBox(cv, G, checked, editable, grayed, look->ControlStyle(), useState, state);
}

void TZavStringGrid::PaintRadioGraphic(TCellPaintContext &Ctx, TRect &R, TRect &, TCellGraphic *Graphic)
{
  bool editable = true;
  QueryCanEdit(Ctx.RCol, Ctx.Row, editable);
  TStrings *items = GetRadioStrings(Ctx.RCol, Ctx.Row);
  DrawRadioButtons(Ctx.Canvas, R, false, 1.0, FControlLook->ControlStyle(), Ctx.Row, Ctx.RCol,
                   Ctx.State.Contains(gdSelected), items, !editable, Graphic->CellBoolean(), Graphic->CellIndex(),
                   items ? items->Count() : 0);
}

// The cell's text turned by the graphic's angle, with the sort mark of a sorted header.
void TZavStringGrid::PaintRotatedGraphic(TCellPaintContext &Ctx, TRect &R, TRect &G, TCellGraphic *Graphic)
{
  TCanvas *cv = Ctx.Canvas;
  const int RCol = Ctx.RCol;
  G = R;
  const QString text = Cells(RCol, Ctx.Row);
  TRect tr = R;
  InflateRect(tr, -2, -2);
  const TPoint origin = ::PlaceRotatedText(cv, tr, Graphic->CellAngle(), Ctx.HA, Ctx.VA, text);
  const int oldOrientation = cv->Font()->Orientation();
  cv->Font()->SetOrientation(Graphic->CellAngle() * 10);
  const uint32_t oldAlign = cv->SetTextAlign(TA_LEFT | TA_TOP);
  cv->Brush()->SetStyle(bsClear);
  cv->TextRect(tr, origin.X, origin.Y, text);
  cv->SetTextAlign(oldAlign);
  cv->Font()->SetOrientation(oldOrientation);
  cv->Brush()->SetStyle(bsSolid);
  if (IsSortedHeaderCell(RCol, Ctx.Row) && SortGlyphShown(RCol))
    DrawSortGlyph(cv, RCol, G.Top + 8, G.Right - 10);
}

// The plain progress bar, the pie and the range indicator.
void TZavStringGrid::PaintProgressGraphic(TCellPaintContext &Ctx, TRect &R, TRect &G, TCellGraphic *Graphic)
{
  TCanvas *cv = Ctx.Canvas;
  const int RCol = Ctx.RCol, ARow = Ctx.Row;
  TControlLook *look = FControlLook.get();
  switch (Graphic->CellType()) {
  case ctProgress: {
    TRect pr = R;
    InflateRect(pr, -2, -2);
    TColor c1, t1, c2, t2;
    if (Graphic->CellBoolean()) {
      c1 = Graphic->CellBitmapColor();
      t1 = TColor(uint32_t(Graphic->CellIndex()));
      c2 = Graphic->CellIconColor();
      t2 = TColor(uint32_t(Graphic->CellAngle()));
    } else {
      c1 = Graphic->CellBitmapColor();
      t1 = ColorToRGB(c1) ^ 0xFFFFFF;
      c2 = Graphic->CellIconColor();
      t2 = ColorToRGB(c2) ^ 0xFFFFFF;
    }
    DrawProgressBar(cv, pr, c1, t1, c2, t2, SafeFloat(this, RCol, ARow), look->ProgressMarginX(),
                    look->ProgressMarginY(), Graphic->CellErrFrom(), Graphic->CellErrLen(), Graphic->CellText(),
                    look->ProgressBorderColor(), false);
    break;
  }
  case ctProgressPie:
    DrawProgressPie(cv, TRect(G.Left, G.Top, G.Left + 20, G.Top + 20), Graphic->CellBitmapColor(),
                    Graphic->CellAngle(), false);
    break;
  default: {
    TRect pr = R;
    InflateRect(pr, -look->ProgressMarginX(), -look->ProgressMarginY());
    DrawRangeIndicator(cv, pr, SafeInt(this, RCol, ARow), Graphic->CellIndex(), Graphic->CellBoolean(),
                       Graphic->CellBitmapColor(), Graphic->CellIconColor());
    break;
  }
  }
}

// The styled progress bar with the levels of the grid's progress appearance.
void TZavStringGrid::PaintXPProgressGraphic(TCellPaintContext &Ctx, TRect &R, TRect &, TCellGraphic *Graphic)
{
  TCanvas *cv = Ctx.Canvas;
  TControlLook *look = FControlLook.get();
  TGridProgressAppearance *pa = ProgressAppearance();
  TLevelProgress lv;
  lv.Level0Color = pa->Level0Color();
  lv.Level0ColorTo = pa->Level0ColorTo();
  lv.Level1Color = pa->Level1Color();
  lv.Level1ColorTo = pa->Level1ColorTo();
  lv.Level2Color = pa->Level2Color();
  lv.Level2ColorTo = pa->Level2ColorTo();
  lv.Level3Color = pa->Level3Color();
  lv.Level3ColorTo = pa->Level3ColorTo();
  lv.Level1Perc = pa->Level1Perc();
  lv.Level2Perc = pa->Level2Perc();
  lv.ShowBorder = pa->ShowBorder();
  lv.BorderColor = pa->BorderColor();
  lv.Stacked = pa->Stacked();
  lv.ShowPercentage = pa->ShowPercentage();
  lv.CompletionSmooth = pa->CompletionSmooth();
  lv.ShowGradient = pa->ShowGradient();
  lv.CompleteFontColor = pa->CompleteFontColor();
  lv.Steps = pa->Steps();
  lv.BackgroundColor = pa->UnCompleteColor() != clNone ? pa->UnCompleteColor() : cv->Brush()->Color();
  lv.Font = Font();
  TRect pr = R;
  InflateRect(pr, -look->ProgressMarginX(), -look->ProgressMarginY());
  pr.Right -= 1;
  pr.Bottom -= 1;
  DrawStyledProgressBar(cv, pr, XPProgressPercent(SafeInt(this, Ctx.RCol, Ctx.Row), Graphic->CellErrFrom(),
                                                  Graphic->CellErrLen()),
                        lv);
}

// The comment mark in the cell's top-right corner.
void TZavStringGrid::PaintCommentGraphic(TCellPaintContext &Ctx, TRect &R, TRect &, TCellGraphic *Graphic)
{
  TCanvas *cv = Ctx.Canvas;
  TControlLook *look = FControlLook.get();
  if (look->CommentColor() == clNone)
    return;
  const TColor own = TColor(uint32_t(Graphic->CellIndex()));
  const TColor c = own != clNone ? own : look->CommentColor();
  cv->Pen()->SetColor(c);
  cv->Brush()->SetColor(c);
  const int x = R.Right + FXYOffset.X, y = R.Top - FXYOffset.Y;
  cv->Polygon({{x - 8, y + 1}, {x - 3, y + 1}, {x - 3, y + 6}});
  cv->Brush()->SetColor(Color());
}

// A shape, or the rating's row of stars (half a star for a half point).
void TZavStringGrid::PaintShapeGraphic(TCellPaintContext &Ctx, TRect &, TRect &G, TCellGraphic *Graphic)
{
  TCanvas *cv = Ctx.Canvas;
  if (Graphic->CellType() == ctShape) {
    DrawCellShape(cv, G.Left, G.Top, G.Right - G.Left - 1, G.Bottom - G.Top - 1, TCellShape(Graphic->CellAngle()),
                  TColor(uint32_t(Graphic->CellIndex())), Graphic->CellBitmapColor());
    return;
  }
  const double v = std::trunc(SafeFloat(this, Ctx.RCol, Ctx.Row) * 2) / 2;
  const TColor on = TColor(uint32_t(Graphic->CellIndex())), off = Graphic->CellBitmapColor();
  for (int i = 0; i < Graphic->CellAngle(); ++i) {
    DrawCellShape(cv, G.Left, G.Top, 16, 16, csStar, i + 1 > v ? off : on, i + 1 > v ? off : on);
    if (i < v && v < i + 1)
      DrawCellShape(cv, G.Left, G.Top, 16, 16, csHalfStar, on, on);
    G.Left += 18;
  }
}

void TZavStringGrid::DrawCellGraphic(TCellPaintContext &Ctx, TRect &R, TCellGraphic *Graphic, TVAlignment CellVAlign)
{
  if (!Graphic)
    return;
  TRect G;
  PlaceCellGraphic(Ctx, R, Graphic, CellVAlign, G);
  switch (Graphic->CellType()) {
  case ctBitmap:
  case ctIcon:
  case ctPicture:
  case ctFilePicture: PaintPictureGraphic(Ctx, R, G, Graphic); break;
  case ctImageList:
  case ctDataImage:
  case ctImages: PaintImageListGraphic(Ctx, R, G, Graphic); break;
  case ctCheckBox:
  case ctDataCheckBox:
  case ctVirtCheckBox:
  case ctRowCheckBox:
  case ctRadioButton:
  case ctTriStateCheckBox: PaintCheckGraphic(Ctx, R, G, Graphic); break;
  case ctRotated: PaintRotatedGraphic(Ctx, R, G, Graphic); break;
  case ctNode: DrawNodeGraphic(Ctx, R); break;
  case ctRadio: PaintRadioGraphic(Ctx, R, G, Graphic); break;
  case ctProgress:
  case ctProgressPie:
  case ctRangeIndicator: PaintProgressGraphic(Ctx, R, G, Graphic); break;
  case ctXPProgress: PaintXPProgressGraphic(Ctx, R, G, Graphic); break;
  case ctComment: PaintCommentGraphic(Ctx, R, G, Graphic); break;
  case ctButton:
  case ctBitButton:
  case ctExpand: DrawCellButton(Ctx, R, G, Graphic); break;
  case ctInterface:
    if (auto *d = dynamic_cast<IGridCellInterface *>(Graphic->CellBitmap()))
      d->Draw(Ctx.Canvas, TRect(R.Left - 1, R.Top - 1, R.Right, R.Bottom), Ctx.RCol, Ctx.Row,
              Ctx.State.Contains(gdSelected), false);
    break;
  case ctShape:
  case ctRating: PaintShapeGraphic(Ctx, R, G, Graphic); break;
  default: break;
  }
}

int XPProgressPercent(int Value, int Min, int Max)
{
  // An empty range has no progress to show.
  if (Max == Min)
    return 0;
  return int(std::lround(std::abs(double(Value) - Min) / (double(Max) - Min) * 100));
}

void TZavStringGrid::DrawNodeGraphic(TCellPaintContext &Ctx, TRect R)
{
  TCanvas *cv = Ctx.Canvas;
  const int ARow = Ctx.Row;
  TCellNode *cn = CellNode();
  const int indent = cn->NodeIndent();
  const bool contracted = GetNodeState(ARow);
  R.Left = GetNodeIndent(ARow) - indent;
  if (cn->ShowTree() && ARow >= FixedRows()) {
    cv->Pen()->SetColor(cn->TreeColor());
    cv->Pen()->SetWidth(1);
    const int x = R.Left + indent / 2 + 2;
    const int mine = GetNodeIndent(ARow);
    if (ARow + 1 < RowCount()) {
      const int next = GetNodeIndent(ARow + 1);
      if (next > 0 && !(contracted && next < mine)) {
        cv->MoveTo(x, (R.Top + R.Bottom) / 2);
        cv->LineTo(x, R.Bottom);
      }
    }
    if (ARow > 0 && GetNodeIndent(ARow - 1) >= mine) {
      cv->MoveTo(x, R.Top);
      cv->LineTo(x, R.Top + 6);
    }
  }
  R.Left = GetNodeIndent(ARow) - indent / 2 - 4;
  TColor bk = cv->Brush()->Color();
  if (bk == clNone)
    bk = FixedCols() > 0 ? FixedColor() : Color();
  if (FShowSelection && Ctx.State.Contains(gdSelected) && !MouseActions()->DisjunctRowSelect())
    bk = FSelectionColor;
  if (cn->NodeType() == cn3D) {
    cv->Brush()->SetColor(cn->Color());
    cv->FillRect(R);
    TRect e = R;
    DrawEdge(cv, e, EDGE_RAISED, BF_RECT);
  }
  const int h = R.Bottom - R.Top;
  switch (cn->NodeType()) {
  case cnLeaf:
    DrawBitmapTransparent(cv, CachedResourceBitmap(contracted ? QStringLiteral("ZSGLEAFCLOSE") : QStringLiteral("ZSGLEAFOPEN")),
                          bk, TRect(R.Left, R.Top + (h - 12) / 2, R.Right, R.Bottom));
    return;
  case cnXP:
    DrawBitmapTransparent(cv, CachedResourceBitmap(contracted ? QStringLiteral("XPNODEC") : QStringLiteral("XPNODEO")),
                          bk, TRect(R.Left + 4, R.Top + (h - 10) / 2, R.Right, R.Bottom));
    return;
  case cnGlyph:
    if (cn->ExpandGlyph() && !cn->ExpandGlyph()->Empty() && cn->ContractGlyph() && !cn->ContractGlyph()->Empty()) {
      TBitmap *g = contracted ? cn->ContractGlyph() : cn->ExpandGlyph();
      DrawBitmapTransparent(cv, g, bk,
                            TRect(R.Left, R.Top + (h - cn->ContractGlyph()->Height()) / 2, R.Right, R.Bottom));
      return;
    }
    break;
  default:
    break;
  }
  const int top = R.Top + std::max(0, h - 8) / 2;
  TRect box(R.Left + 4, top, R.Left + 12, top + 8);
  if (cn->NodeType() != cnFlat) {
    cv->Brush()->SetColor(cn->Color());
    DrawEdge(cv, box, contracted ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_SOFT);
    return;
  }
  cv->Pen()->SetColor(cn->NodeColor());
  cv->Brush()->SetStyle(bsClear);
  cv->Rectangle(box.Left, box.Top, box.Right + 1, box.Bottom + 1);
  cv->Brush()->SetStyle(bsSolid);
  cv->MoveTo(box.Left + 2, box.Top + 4);
  cv->LineTo(box.Left + 7, box.Top + 4);
  if (contracted) {
    cv->MoveTo(box.Left + 4, box.Top + 2);
    cv->LineTo(box.Left + 4, box.Top + 7);
  }
}

void TZavStringGrid::DrawCellButton(TCellPaintContext &Ctx, TRect &R, TRect G, TCellGraphic *Graphic)
{
  TCanvas *cv = Ctx.Canvas;
  TControlLook *look = FControlLook.get();
  const TCellType type = Graphic->CellType();
  const TRect cell = Ctx.R;
  Graphic->SetCellValue(double(((G.Top - cell.Top) & 0xFFFF) * 65536 + ((G.Left - cell.Left) & 0xFFFF)));
  const QString caption = Graphic->CellText();
  const TColor oldBk = cv->SetBkColor(clBtnFace);
  bool editable = true;
  if (!look->NoDisabledButtonLook())
    QueryCanEdit(Ctx.RCol, Ctx.Row, editable);
  const int style = look->FlatButton() ? 2 : VisualThemesActive() ? 0 : 1;
  int state = Graphic->CellBoolean() ? 2 : Ctx.HotButton ? 1 : 0;
  if (!editable && type != ctExpand)
    state = 3;
  if (type == ctExpand)
    G = TRect(R.Right - 13, R.Top, R.Right, R.Top + 13);
  DrawPushButtonFace(cv, Handle(), G, TColorTones(), state, style);
  if (state == 2)
    OffsetRect(G, 1, 1);
  if (type == ctBitButton)
    if (auto *bmp = dynamic_cast<TBitmap *>(Graphic->CellBitmap()); bmp && !bmp->Empty()) {
      int v = G.Bottom - G.Top - bmp->Height();
      v = v < 1 ? 3 : v / 2;
      if (!caption.isEmpty() || G.Right - G.Left <= bmp->Width()) {
        DrawTransparentBitmap(cv, G.Left + 3, G.Top + v, bmp);
        G.Left += bmp->Width() + 4;
      } else {
        DrawTransparentBitmap(cv, G.Left + (G.Right - G.Left - bmp->Width()) / 2, G.Top + v, bmp);
      }
    }
  uint32_t flags = caption.contains(QLatin1Char('\r')) ? DT_WORDBREAK : DT_SINGLELINE;
  G.Left += 1;
  cv->SetBkMode(TRANSPARENT);
  if (type == ctExpand) {
    cv->Pen()->SetColor(clBlack);
    cv->Pen()->SetWidth(1);
    if (Graphic->CellVar() != 0)
      cv->Polyline({{R.Right - 10, R.Top + 8}, {R.Right - 7, R.Top + 5}, {R.Right - 3, R.Top + 9}});
    else
      cv->Polyline({{R.Right - 10, R.Top + 5}, {R.Right - 7, R.Top + 8}, {R.Right - 3, R.Top + 4}});
  } else {
    const TColor oldFont = cv->Font()->Color();
    if (state == 3)
      cv->Font()->SetColor(clGrayText);
    cv->DrawText(caption, G, flags | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
    cv->Font()->SetColor(oldFont);
  }
  cv->SetBkColor(oldBk);
}
