// The text of one cell and what is laid out around it: selection colours, the filter glyph of a
// header, the cell's share of the background picture or gradient, the selection rectangle,
// mark-up, rich and plain text with the URL look and the error underline, and the sort glyph.
#include "grid/core/zav_string_grid.h"

#include "grid/core/feature_settings.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/sort_settings.h"
#include "grid/foundation/draw_utils.h"
#include "grid/foundation/grid_utils.h"
#include "grid/foundation/markup_render.h"
#include "grid/foundation/markup_utils.h"
#include "grid/view/cell_paint.h"
#include "grid/view/check_paint.h"
#include "grid/view/rtf_text.h"

namespace {

bool IsCheckKind(TCellType t)
{
  return t == ctCheckBox || t == ctDataCheckBox || t == ctRadio || t == ctButton || t == ctRadioButton;
}

}  // namespace

bool TZavStringGrid::IsSortedHeaderCell(int RCol, int ARow)
{
  if (!IsSortGlyphRow(RCol, ARow) || FixedRows() <= 0)
    return false;
  TSortSettings *ss = SortSettings();
  if (RCol != ss->Column() && SortIndexes()->FindIndex(RCol) < 0)
    return false;
  return RCol >= FixedCols() || RCol >= ss->FixedCols();
}

bool TZavStringGrid::SortGlyphShown(int RCol)
{
  return SortIndexes()->FindIndex(RCol) < 1 || SortSettings()->IndexShow();
}

// The selection look of a selected cell; gives the colour of its links.
TColor TZavStringGrid::CellTextSelectionLook(TCellPaintContext &Ctx)
{
  TCanvas *cv = Ctx.Canvas;
  TColor urlColor = FURLColor;
  if (FShowSelection) {
    if (FSelectionColor != clNone)
      cv->Brush()->SetColor(FSelectionColor);
    if (FSelectionTextColor != clNone && Enabled())
      cv->Font()->SetColor(FSelectionTextColor);
    urlColor = FSelectionTextColor;
  }
  const bool hasCheck = Ctx.Graphic && IsCheckKind(Ctx.Graphic->CellType());
  if ((!Focused() || hasCheck) && !FShowSelection) {
    cv->Brush()->SetColor(Ctx.SavedBrushColor);
    cv->Font()->SetColor(Ctx.SavedFontColor);
    urlColor = FURLColor;
  }
  return urlColor;
}

// The cell's share of the grid's background picture or gradient under text rectangle T.
void TZavStringGrid::DrawCellTextBackground(TCellPaintContext &Ctx, const TRect &T, bool Selected)
{
  TCanvas *cv = Ctx.Canvas;
  const int RCol = Ctx.RCol, ARow = Ctx.Row;
  const bool fixed = Ctx.State.Contains(gdFixed);
  TBackGround *bg = BackGround();
  const TBackGroundCells bgCells = bg->Cells();
  const bool kindMatches = bgCells == bcAll || (bgCells == bcFixed) == fixed;
  const bool ownColour = HasCellProperties(RCol, ARow) && CellProperties(RCol, ARow)->BrushColor() != clNone;
  const bool gradient = bg->Display() == TBackGroundDisplay::bdGradientHorz ||
                        bg->Display() == TBackGroundDisplay::bdGradientVert;
  if (bg->Bitmap() && !bg->Bitmap()->Empty() && !gradient && !ownColour && kindMatches &&
      !(Selected && FShowSelection)) {
    const int g = GridLineWidth() - 1;
    const TRect target(T.Left - g, T.Top - g, T.Right, T.Bottom);
    if (bg->Display() == TBackGroundDisplay::bdTile)
      DrawCellBackgroundTiled(cv, target, RCol, ARow);
    else
      DrawCellBackgroundFixed(cv, target);
  }
  if (gradient && kindMatches && (!ownColour || (Ctx.Graphic && IsCheckKind(Ctx.Graphic->CellType())))) {
    const bool focused = Ctx.State.Contains(gdFocused);
    const bool lookSelected = Selected || (focused && Options().Contains(goDrawFocusSelected));
    if (!FShowSelection || (!lookSelected && !focused))
      DrawCellBackgroundGradient(cv, TRect(T.Left - 1, T.Top - GridLineWidth(), T.Right,
                                           T.Bottom + GridLineWidth() - 1));
  }
}

// The text of kind Kind (0 plain, 1 mark-up, 2 rich text) in T, moved clear of the graphic.
void TZavStringGrid::DrawCellTextBody(TCellPaintContext &Ctx, TRect T, const QString &Text, int Kind,
                                      TColor URLColor, int ErrPos, int ErrLen, bool Selected)
{
  TCanvas *cv = Ctx.Canvas;
  const int RCol = Ctx.RCol, ARow = Ctx.Row;
  T.Left += FXYOffset.X;
  if (!FXYOffsetTopLeftOnly)
    T.Right -= FXYOffset.X;
  T.Top += FXYOffset.Y;
  int g0 = 0;
  if (Ctx.Graphic) {
    switch (Ctx.Graphic->CellHAlign()) {
    case haBeforeText:
      T.Left += Ctx.GraphicW;
      if (Ctx.HA == taLeftJustify)
        g0 = Ctx.GraphicW;
      break;
    case haAfterText:
      T.Right -= Ctx.GraphicW;
      break;
    case haLeft:
      g0 = Ctx.GraphicW;
      break;
    default:
      break;
    }
    if (Ctx.Graphic->CellVAlign() == vaAboveText)
      T.Top += Ctx.GraphicH;
    else if (Ctx.Graphic->CellVAlign() == vaUnderText)
      T.Bottom -= Ctx.GraphicH;
  }
  if (RCol == 0 && FNumNodes > 0 && !IsNode(ARow))
    T.Left += GetNodeIndent(ARow);

  const bool sortedHeader = IsSortedHeaderCell(RCol, ARow);
  if (Kind == 1) {
    if (Ctx.FilterGlyph)
      T.Right -= 18;
    T.Left -= 1;
    if (sortedHeader)
      T.Right -= 10;
    QString anchor, plain, focusAnchor, title, ctrlID, ctrlValue, ctrlType;
    int w = 0, h = 0, anchors = 0, mouseAnchor = 0;
    TRect anchorRect, controlRect;
    RenderHTMLText(cv, Text, T, GetGridImages(), 0, 0, -1, Ctx.HoverAnchor, 0, false, false, false, Selected, FBlinkOn,
                   URLUnderlineOnHover(), Ctx.WW || FMultilinecells, false, 1.0, URLColor, clNone, clNone,
                   0x808080, anchor, plain, focusAnchor, title, w, h, anchors, mouseAnchor, anchorRect,
                   controlRect, ctrlID, ctrlValue, ctrlType, ImageCache(), FPictureContainer, Handle(), 0);
    Ctx.TextWidth = w + 2;
    if (sortedHeader && SortGlyphShown(RCol)) {
      const int y = Ctx.VA == vtaTop      ? T.Top + 8
                    : Ctx.VA == vtaCenter ? T.Top + (T.Bottom - T.Top) / 2
                                          : T.Bottom - 8;
      DrawSortGlyph(cv, RCol, y, T.Right + 2);
    }
  } else if (Kind == 2) {
    cv->Pen()->SetColor(cv->Brush()->Color());
    if (!(Selected && !Focused() && FSelectionColor == clNone))
      cv->FillRect(T);
    cv->Brush()->SetStyle(bsClear);
    DrawRichCell(RCol, ARow, T, cv);
    cv->Brush()->SetStyle(bsSolid);
    cv->Font()->SetColor(clBlack);
  } else {
    DrawPlainCellText(Ctx, T, Text, g0, URLColor, ErrPos, ErrLen, sortedHeader);
  }
}

void TZavStringGrid::DrawCellText(TCellPaintContext &Ctx)
{
  TCanvas *cv = Ctx.Canvas;
  const TRect R = Ctx.R;
  const int RCol = Ctx.RCol, ARow = Ctx.Row;
  const bool fixed = Ctx.State.Contains(gdFixed);
  const TGridRect sel = Selection();

  // Selection look.
  TColor urlColor = FURLColor;
  const bool rowSelected = Options().Contains(goRowSelect) && ARow >= sel.Top && ARow <= sel.Bottom &&
                           RCol >= FixedCols() && RCol < ColCount() - FFixedRightCols;
  const bool selected = (Ctx.State.Contains(gdSelected) || rowSelected) && !fixed;
  if (selected)
    urlColor = CellTextSelectionLook(Ctx);

  // The text and its kind.
  QString text = GetFormattedCell(RCol, ARow);
  int kind = CellTextKind(text, FEnableHTML);
  if (kind == 3) {
    text = GetDisplCellText(RCol, ARow);
    kind = CellTextKind(text, FEnableHTML);
  }
  int errPos = 0, errLen = 0;
  GetMarker(RCol, ARow, errPos, errLen);
  bool password = false;
  DoIsPasswordCell(RCol, ARow, password);
  if (password)
    FillWithChar(text, FPasswordChar);

  // Text rectangle, scrolled inside the cell when the cell scrolls.
  TRect T = R;
  if (fixed) {
    T.Left += GridLineWidth();
    T.Top += GridLineWidth();
  }
  const bool clipped = Ctx.ScrollPos > 0;
  int savedDC = 0;
  if (clipped) {
    savedDC = cv->SaveDC();
    cv->IntersectClipRect(R);
    T.Top -= Ctx.ScrollPos;
  }

  // Filter glyph of a header cell.
  if (Ctx.FilterGlyph) {
    TBitmap *glyph = Filter()->HasFilter(RCol) ? FilterDropDown()->GlyphActive() : FilterDropDown()->Glyph();
    if (!glyph || glyph->Empty())
      DrawBitmapTransparent(cv, CachedResourceBitmap(QStringLiteral("ZSGFILT")), FixedColor(),
                            TRect(T.Right - 16, T.Top, T.Right, T.Bottom));
    else
      DrawTransparentBitmap(cv, T.Right - 16, T.Top, glyph);
    T = R;
  }

  // Cells outside a disjunct row or column selection lose the selection look.
  if (!fixed && !Ctx.MouseDown) {
    TMouseActions *ma = MouseActions();
    if ((ma->DisjunctRowSelect() && !RowSelect(ARow)) || (ma->DisjunctColSelect() && !ColSelect(RCol))) {
      urlColor = FURLColor;
      cv->Brush()->SetColor(Color());
      cv->Font()->SetColor(Font()->Color());
      DoGetCellColor(RCol, ARow, Ctx.State, cv->Brush(), cv->Font());
      if (FZoomFactor != 0)
        cv->Font()->SetSize(cv->Font()->Size() + FZoomFactor);
    }
  }

  DrawCellTextBackground(Ctx, T, selected);
  if (FSelectionRectangle && !fixed && CellInGridRect(sel, RCol, ARow))
    DrawSelectionRectangle(cv, T, RCol, ARow, sel);
  if (Ctx.TextToo)
    DrawCellTextBody(Ctx, T, text, kind, urlColor, errPos, errLen, selected);

  if (clipped)
    cv->RestoreDC(savedDC);
}

void TZavStringGrid::DrawPlainCellText(TCellPaintContext &Ctx, TRect T, QString Text, int G0, TColor URLCol,
                                       int ErrPos, int ErrLen, bool SortedHeader)
{
  TCanvas *cv = Ctx.Canvas;
  const TRect R = Ctx.R;
  if (Ctx.HA == taCenter && SortedHeader && SortSettings()->Show())
    T.Left += 10;
  const bool url = FURLShow && HasURLScheme(Text);
  if (url) {
    if (!FURLFull)
      StripURLScheme(Text);
    cv->Font()->SetStyle(cv->Font()->Style() + fsUnderline);
    cv->Font()->SetColor(URLCol);
  }
  const bool multi = FMultilinecells;
  uint32_t flags = DT_EDITCONTROL;
  if (CountLines(Text, multi) == 1 && !Ctx.WW) {
    QString rest = Text, line;
    TakeFirstLine(rest, false, line);
    Text = line;
    flags = DT_SINGLELINE;
    if (FEnhTextSize)
      flags |= DT_END_ELLIPSIS;
  } else if (Ctx.WW && !multi && FEnhTextSize) {
    flags |= DT_END_ELLIPSIS;
  }
  flags |= Ctx.HA == taRightJustify ? DT_RIGHT : Ctx.HA == taCenter ? DT_CENTER : DT_LEFT;
  flags |= Ctx.VA == vtaBottom ? DT_BOTTOM : Ctx.VA == vtaCenter ? DT_VCENTER : DT_TOP;
  if (Ctx.WW || multi) {
    // Vertical centring and bottom alignment are single-line flags: a wrapped text keeps its top.
    flags |= DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL | DT_WORDBREAK;
    flags &= ~uint32_t(DT_SINGLELINE);
  } else {
    flags |= DT_EXPANDTABS | DT_NOPREFIX | DT_SINGLELINE;
  }
  cv->SetBkMode(TRANSPARENT);
  if (Ctx.FilterGlyph)
    T.Right -= 16;
  if (Ctx.Graphic && !Text.isEmpty()) {
    TRect calc = T;
    cv->DrawText(Text, calc, flags | DT_CALCRECT);
    Ctx.TextWidth = calc.Right - calc.Left + 2;
  }
  cv->DrawText(Text, T, flags);
  const TCellType gt = Ctx.Graphic ? Ctx.Graphic->CellType() : ctEmpty;
  if (ErrLen > 0 && (gt == ctEmpty || gt == ctValue || gt == ctNone))
    DrawErrorUnderline(Handle(), cv, Text, T, 0, ErrPos, ErrLen);
  Ctx.TextHeight = cv->TextHeight(QStringLiteral("hg"));
  T = R;
  if (Ctx.FilterGlyph)
    T.Right -= 16;
  if (SortedHeader && SortGlyphShown(Ctx.RCol)) {
    const int w = std::max(0, std::min(T.Right - T.Left - 16, cv->TextWidth(Text)));
    const int x = Ctx.HA == taLeftJustify    ? T.Left + w + G0 + 10
                  : Ctx.HA == taRightJustify ? T.Right - w - 10
                                             : T.Left + 8;
    const int y = Ctx.VA == vtaTop      ? T.Top + 8
                  : Ctx.VA == vtaCenter ? T.Top + (T.Bottom - T.Top) / 2
                                        : T.Bottom - 8;
    DrawSortGlyph(cv, Ctx.RCol, y, x);
  }
  if (url)
    cv->Font()->SetStyle(cv->Font()->Style() - fsUnderline);
}

void TZavStringGrid::DrawSelectionRectangle(TCanvas *Cv, const TRect &T, int ACol, int ARow, TGridRect Sel)
{
  if (IsMergedCell(Sel.Left, Sel.Top)) {
    const TPoint b = BaseCell(Sel.Left, Sel.Top);
    Sel = TGridRect(b.X, b.Y, b.X, b.Y);
  }
  const int lw = GridLineWidth();
  Cv->Pen()->SetColor(FSelectionRectangleColor);
  Cv->Pen()->SetWidth(2);
  const int l = T.Left - lw;
  const int right = ACol == Sel.Right ? T.Right - 1 : T.Right;
  if (ACol == Sel.Left) {
    Cv->MoveTo(l + 1, T.Bottom);
    Cv->LineTo(l + 1, T.Top - lw);
  }
  if (ACol == Sel.Right) {
    Cv->MoveTo(T.Right - 1, T.Bottom);
    Cv->LineTo(T.Right - 1, T.Top - lw);
  }
  if (ARow == Sel.Top) {
    Cv->MoveTo(l, T.Top - lw + 1);
    Cv->LineTo(right, T.Top - lw + 1);
  }
  if (ARow == Sel.Bottom) {
    Cv->MoveTo(l, T.Bottom);
    Cv->LineTo(right, T.Bottom);
  }
  if (FSelectionResizer && ACol == Sel.Right && ARow == Sel.Bottom) {
    Cv->Brush()->SetColor(FSelectionRectangleColor);
    Cv->FillRect(TRect(T.Right - 4, T.Bottom - 4, T.Right, T.Bottom));
  }
  Cv->Pen()->SetWidth(1);
}

void TZavStringGrid::DrawSortGlyph(TCanvas *ACanvas, int ACol, int Y, int X)
{
  TSortSettings *ss = SortSettings();
  if (ss->IndexShow()) {
    const int i = SortIndexes()->FindIndex(ACol);
    if (i < 0)
      return;
    const bool descending = !SortIndexes()->SortDirections(i);
    const TColor oldBrush = ACanvas->Brush()->Color();
    ACanvas->Brush()->SetColor(ss->IndexColor());
    ACanvas->Pen()->SetColor(clBlack);
    ACanvas->SetBkMode(TRANSPARENT);
    const int oldSize = ACanvas->Font()->Size();
    const TColor oldColour = ACanvas->Font()->Color();
    ACanvas->Font()->SetColor(clBlack);
    ACanvas->Font()->SetSize(6);
    TBitmap *glyph = descending ? ss->IndexUpGlyph() : ss->IndexDownGlyph();
    if (glyph && !glyph->Empty())
      DrawTransparentBitmap(ACanvas, X - 7, Y - 7, glyph);
    else if (descending)
      ACanvas->Polygon({{X - 7, Y - 5}, {X + 7, Y - 5}, {X, Y + 8}});
    else
      ACanvas->Polygon({{X - 6, Y + 8}, {X + 6, Y + 8}, {X, Y - 4}});
    ACanvas->TextOut(X - 2, descending ? Y - 4 : Y - 2, QString::number(i + 1));
    ACanvas->Font()->SetSize(oldSize);
    ACanvas->Font()->SetColor(oldColour);
    ACanvas->Brush()->SetColor(oldBrush);
    return;
  }
  TBitmap *up = ss->UpGlyph(), *down = ss->DownGlyph();
  const bool glyphs = up && !up->Empty() && down && !down->Empty();
  if (glyphs) {
    DrawTransparentBitmap(ACanvas, X - 4, Y - 4, ss->Direction() == sdDescending ? down : up);
    ACanvas->SetBkColor(FixedColor());
    return;
  }
  if (ss->Direction() == sdDescending) {
    ACanvas->Pen()->SetColor(clWhite);
    ACanvas->MoveTo(X + 4, Y - 4);
    ACanvas->LineTo(X, Y + 4);
    ACanvas->Pen()->SetColor(clGray);
    ACanvas->LineTo(X - 4, Y - 4);
    ACanvas->LineTo(X + 4, Y - 4);
  } else {
    ACanvas->Pen()->SetColor(clWhite);
    ACanvas->MoveTo(X - 4, Y + 4);
    ACanvas->LineTo(X + 4, Y + 4);
    ACanvas->LineTo(X, Y - 4);
    ACanvas->Pen()->SetColor(clGray);
    ACanvas->LineTo(X - 4, Y + 4);
  }
  ACanvas->Pen()->SetColor(clBlack);
}

void TZavStringGrid::DrawRichCell(int ACol, int ARow, TRect ARect, TCanvas *ACanvas)
{
  if (IsDesignTime())
    return;
  const TGridRect sel = Selection();
  const bool current = ACol == Col() && ARow == Row();
  bool selected = CellInGridRect(sel, ACol, ARow) && !(current && Focused() && !Options().Contains(goDrawFocusSelected)) &&
                  !MouseActions()->DisjunctRowSelect();
  if (MouseActions()->DisjunctRowSelect() && RowSelect(ARow))
    selected = true;
  if (MouseActions()->DisjunctColSelect() && ColSelect(ACol))
    selected = true;
  // The margin on all four sides, in logical units of the target.
  const int m = FXYOffset.X;
  TRect target(ARect.Left + m, ARect.Top + m, ARect.Right - m, ARect.Bottom - m);
  TColor colour = clNone;
  if (selected && !ACanvas->Mapped() && !FSelectionRTFKeep && FSelectionTextColor != clNone)
    colour = FSelectionTextColor;
  RenderRTFText(ACanvas, Cells(ACol, ARow), target, colour);
}

void TZavStringGrid::DrawCellBackgroundFixed(TCanvas *ACanvas, const TRect &R)
{
  TBitmap *bmp = BackGround()->Bitmap();
  if (!bmp || bmp->Empty())
    return;
  const TRect placed(BackGround()->Left(), BackGround()->Top(), BackGround()->Left() + bmp->Width(),
                     BackGround()->Top() + bmp->Height());
  TRect part;
  if (!IntersectRect(part, placed, R))
    return;
  ACanvas->CopyRect(part, bmp->Canvas(), TRect(part.Left - placed.Left, part.Top - placed.Top, part.Right - placed.Left, part.Bottom - placed.Top));
}

void TZavStringGrid::DrawCellBackgroundTiled(TCanvas *ACanvas, const TRect &R, int ACol, int ARow)
{
  TBitmap *bmp = BackGround()->Bitmap();
  if (!bmp || bmp->Empty())
    return;
  const int bw = bmp->Width(), bh = bmp->Height();
  const bool fromOrigin = BackGround()->Cells() != bcNormal;
  int px = 0, py = 0;
  for (int c = fromOrigin ? 0 : FixedCols(); c < ACol; ++c)
    px = (px + ColWidths(c)) % bw;
  for (int r = fromOrigin ? 0 : FixedRows(); r < ARow; ++r)
    py = (py + RowHeights(r)) % bh;
  const int saved = ACanvas->SaveDC();
  ACanvas->IntersectClipRect(R);
  for (int y = R.Top - 1 - py; y < R.Bottom; y += bh)
    for (int x = R.Left - 1 - px; x < R.Right; x += bw)
      ACanvas->Draw(x, y, bmp);
  ACanvas->RestoreDC(saved);
}

void TZavStringGrid::DrawCellBackgroundGradient(TCanvas *ACanvas, const TRect &R)
{
  const bool horz = BackGround()->Display() == TBackGroundDisplay::bdGradientHorz;
  const int extent = horz ? Width() : Height();
  const TColor from = BackGround()->Color(), to = BackGround()->ColorTo();
  const TColor c1 = BlendColorStep(from, to, 0, extent, horz ? R.Left : R.Top);
  const TColor c2 = BlendColorStep(from, to, 0, extent, horz ? R.Right : R.Bottom);
  ACanvas->Brush()->SetColor(c2);
  ACanvas->Pen()->SetColor(c2);
  DrawGradient(ACanvas, c1, c2, 128, R, horz);
}

double ClampValue(double X) { return X < 0 ? 0 : X > 100 ? 100 : X; }
