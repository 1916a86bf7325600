#include <QDir>
#include <QRegularExpression>

#include "framework/classes/classes.h"
#include "grid/core/cell_node.h"
#include "grid/core/control_look.h"
#include "grid/core/feature_settings.h"
#include "grid/foundation/draw_utils.h"
#include "tests/grid/view/paint_fixture.h"
#include "tests/support/test_support.h"

namespace {

using GraphicPaint = CellPaintTest;

TBitmap *SolidBitmap(int W, int H, TColor C)
{
  auto *b = new TBitmap;
  b->SetSize(W, H);
  b->Canvas()->Brush()->SetColor(C);
  b->Canvas()->FillRect(TRect(0, 0, W, H));
  return b;
}

// Draws the cell's graphic the way the cell painter does: text first (measured), then the graphic.
void PaintCell(CellPaintTest &t, int Col, int Row, TRect R, TAlignment HA = taLeftJustify, bool Text = true)
{
  TCellPaintContext ctx = t.Ctx(Col, Row, R);
  const TPoint size = t.grid.GetCellGraphicSize(Col, Row);
  ctx.GraphicW = size.X;
  ctx.GraphicH = size.Y;
  ctx.HA = HA;
  ctx.TextToo = Text;
  if (Text)
    t.grid.DrawCellText(ctx);
  TRect r = R;
  t.grid.DrawCellGraphic(ctx, r, ctx.Graphic, t.grid.VAlignment());
}

TEST_F(GraphicPaint, BitmapIsPlacedByItsAlignments)
{
  std::unique_ptr<TBitmap> bmp(SolidBitmap(10, 8, clRed));
  const TRect cell(20, 10, 120, 50);  // 100 x 40; XYOffset 2 shrinks it by 1 on each side
  const TRect in(21, 11, 119, 49);
  const struct { TCellHAlign h; TCellVAlign v; int left, top; } cases[] = {
      {haLeft, vaTop, in.Left + 1, in.Top + 1},
      {haRight, vaBottom, in.Right - 10 - 1, in.Bottom - 1 - 8},
      {haCenter, vaCenter, in.Left + (98 - 10) / 2, in.Top + (38 - 8) / 2},
      {haLeft, vaUnderText, in.Left + 1, in.Bottom - 8},
  };
  for (const auto &c : cases) {
    Clear();
    grid.AddBitmap(1, 1, bmp.get(), false, c.h, c.v);
    PaintCell(*this, 1, 1, cell, taLeftJustify, false);
    EXPECT_EQ(Extent(cell, [](TColor x) { return ColorToRGB(x) == clRed; }),
              TRect(c.left, c.top, c.left + 10, c.top + 8))
        << int(c.h) << "/" << int(c.v);
  }
}

TEST_F(GraphicPaint, DataCheckBoxIsCheckedByTheColumnsTrueTextOnly)
{
  const TRect cell(10, 10, 110, 34);
  grid.ControlLook()->SetControlStyle(csWinXP);
  grid.AddCheckBox(1, 1, false, true);
  auto draw = [&](const QString &text) {
    grid.SetCells(1, 1, text);
    Clear();
    PaintCell(*this, 1, 1, cell, taCenter, false);
    return canvas.Picture().copy();
  };
  const QImage checked = draw("Y");
  EXPECT_NE(checked, draw("N"));
  EXPECT_EQ(draw("y"), draw("N")) << "the true text is compared exactly";
  EXPECT_EQ(draw(""), draw("N"));
}

TEST_F(GraphicPaint, ReadOnlyDataCheckBoxDrawsDisabledUnlessAlwaysActive)
{
  const TRect cell(10, 10, 110, 34);
  grid.ControlLook()->SetControlStyle(csWinXP);
  grid.AddCheckBox(1, 1, false, true);
  grid.SetCells(1, 1, "Y");
  bool canEdit = true;
  grid.OnCanEditCell = [&](TObject *, int, int, bool &CanEdit) { CanEdit = canEdit; };
  grid.SetOptions(grid.Options() + goEditing);
  auto draw = [&] {
    Clear();
    PaintCell(*this, 1, 1, cell, taCenter, false);
    return canvas.Picture().copy();
  };
  const QImage enabled = draw();
  canEdit = false;
  const QImage disabled = draw();
  EXPECT_NE(enabled, disabled);
  grid.ControlLook()->SetCheckAlwaysActive(true);
  EXPECT_EQ(draw(), enabled);
}

TEST_F(GraphicPaint, TriStateGrayedShowsTheMixedBoxWhateverTheAngle)
{
  const TRect cell(10, 10, 110, 34);
  grid.ControlLook()->SetControlStyle(csClassic);
  grid.SetOptions(grid.Options() + goEditing);
  grid.AddCheckBox(1, 1, cbGrayed);
  Clear();
  PaintCell(*this, 1, 1, cell, taLeftJustify, false);
  const QImage grayed = canvas.Picture().copy();
  grid.GetCellGraphic(1, 1)->SetCellAngle(0);
  Clear();
  PaintCell(*this, 1, 1, cell, taLeftJustify, false);
  EXPECT_EQ(canvas.Picture(), grayed);
  grid.GetCellGraphic(1, 1)->SetCellCheckBoxState(cbChecked);
  Clear();
  PaintCell(*this, 1, 1, cell, taLeftJustify, false);
  EXPECT_NE(canvas.Picture(), grayed);
}

TEST_F(GraphicPaint, RatingDrawsWholeHalfAndEmptyStars)
{
  const TRect cell(5, 5, 235, 30);
  grid.AddRating(1, 1, 5, clRed, clSilver);
  grid.SetCells(1, 1, "3.7");
  PaintCell(*this, 1, 1, cell, taLeftJustify, false);
  // 3.7 x 2 = 7.4 -> 7 -> 3.5: three full stars, one half, one empty.
  const QStringList stars = Calls("Polygon(");
  ASSERT_EQ(stars.size(), 6) << canvas.Entries().join('\n');
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(stars[i].contains("clRed")) << stars[i];
  EXPECT_TRUE(stars[3].contains("clSilver")) << stars[3];
  EXPECT_TRUE(stars[4].contains("clRed")) << "the half star over the fourth";
  EXPECT_TRUE(stars[5].contains("clSilver")) << stars[5];
}

TEST_F(GraphicPaint, CommentTriangleNeedsTheLooksCommentColour)
{
  const TRect cell(10, 10, 110, 34);
  const TRect corner(cell.Right - 10, cell.Top, cell.Right + 2, cell.Top + 8);
  auto red = [](TColor c) { return ColorToRGB(c) == clRed; };
  auto green = [](TColor c) { return ColorToRGB(c) == clGreen; };
  grid.AddColorComment(1, 1, "note", clGreen);
  grid.ControlLook()->SetCommentColor(clNone);
  PaintCell(*this, 1, 1, cell, taLeftJustify, false);
  EXPECT_TRUE(Extent(corner, NotWhite).IsEmpty()) << "own colour or not, no triangle";
  grid.ControlLook()->SetCommentColor(clRed);
  Clear();
  PaintCell(*this, 1, 1, cell, taLeftJustify, false);
  EXPECT_FALSE(Extent(corner, green).IsEmpty());
  grid.AddComment(1, 1, "plain");
  Clear();
  PaintCell(*this, 1, 1, cell, taLeftJustify, false);
  EXPECT_FALSE(Extent(corner, red).IsEmpty());
}

TEST(XPProgress, PercentOfTheRangeAndZeroForAnEmptyRange)
{
  const struct { int value, min, max, want; } cases[] = {
      {50, 0, 100, 50}, {15, 10, 20, 50}, {0, 0, 3, 0}, {3, 0, 3, 100}, {7, 7, 7, 0}, {0, 0, 0, 0}, {5, 10, 10, 0}};
  for (const auto &c : cases)
    EXPECT_EQ(XPProgressPercent(c.value, c.min, c.max), c.want) << c.value << " " << c.min << ".." << c.max;
}

TEST_F(GraphicPaint, XPProgressWithAnEmptyRangeDrawsAnEmptyBar)
{
  const TRect cell(10, 10, 210, 34);
  grid.AddZavProgress(1, 1, 10, 10);
  grid.SetCells(1, 1, "10");
  grid.ProgressAppearance()->SetShowPercentage(false);
  PaintCell(*this, 1, 1, cell, taLeftJustify, false);
  const TColor level0 = grid.ProgressAppearance()->Level0Color();
  EXPECT_TRUE(Extent(cell, [&](TColor c) { return ColorToRGB(c) == level0; }).IsEmpty());
}

TEST_F(GraphicPaint, FlatNodeBoxIsEightPixelsWhateverTheRowHeight)
{
  grid.SetRowCount(8);
  grid.AddNode(2, 3);
  grid.CellNode()->SetNodeType(cnFlat);
  grid.CellNode()->SetNodeColor(clRed);
  for (int height : {18, 40}) {
    Clear();
    const TRect cell(0, 10, 40, 10 + height);
    PaintCell(*this, 0, 2, cell, taLeftJustify, false);
    const TRect box = Extent(cell, [](TColor c) { return ColorToRGB(c) == clRed; });
    EXPECT_EQ(box.Right - box.Left, 9) << height;  // 8-pixel box plus its closing edge
    EXPECT_EQ(box.Top, cell.Top + (height - 8) / 2) << height;
  }
}

TEST_F(GraphicPaint, ButtonRecordsItsOffsetAndShowsItsCaption)
{
  const TRect cell(10, 10, 110, 40);
  grid.AddButton(1, 1, 40, 20, "Go", haRight, vaTop);
  PaintCell(*this, 1, 1, cell, taLeftJustify, false);
  TCellGraphic *g = grid.GetCellGraphic(1, 1);
  const int offset = int(g->CellValue());
  // XYOffset 2: the rectangle shrinks by 1, the button sits at its right edge less 1.
  EXPECT_EQ(offset & 0xFFFF, (cell.Right - 1 - 1 - 40) - cell.Left);
  EXPECT_EQ(offset >> 16, 2);
  const QStringList text = Calls("DrawText(");
  ASSERT_EQ(text.size(), 1);
  EXPECT_TRUE(text[0].contains("'Go'")) << text[0];
}

TEST_F(GraphicPaint, EveryCellKindInOnePicture)
{
  grid.SetColCount(6);
  grid.SetRowCount(4);
  grid.SetFixedRows(1);
  grid.SetFixedCols(0);
  grid.ControlLook()->SetControlStyle(csWinXP);
  grid.ControlLook()->SetCommentColor(clRed);
  grid.SetOptions(grid.Options() + goEditing);
  const QStringList heads{"Check", "Progress", "Radio", "Button", "Rating", "Text"};
  for (int c = 0; c < 6; ++c)
    grid.SetCells(c, 0, heads[c]);
  grid.AddCheckBox(0, 1, false, true);
  grid.SetCells(0, 1, "Y");
  grid.AddCheckBox(0, 2, false, true);
  grid.SetCells(0, 2, "N");
  grid.AddProgress(1, 1, clGreen, clWhite);
  grid.SetCells(1, 1, "60");
  grid.AddZavProgress(1, 2, 0, 0);
  grid.SetCells(1, 2, "0");
  TStringList items;
  items.Add("on");
  items.Add("off");
  grid.AddRadio(2, 1, 1, 0, &items);
  grid.AddRadioButton(2, 2, true);
  grid.AddButton(3, 1, 60, 20, "Push", haCenter, vaCenter);
  grid.AddComment(3, 2, "remark");
  grid.SetCells(3, 2, "comment");
  grid.AddRating(4, 1, 5, 0x00C0FF, clSilver);
  grid.SetCells(4, 1, "3.5");
  grid.AddShape(4, 2, csCircle, clBlue, clBlack, haCenter, vaCenter);
  grid.SetCells(5, 1, "<b>bold</b> <i>it</i>");
  grid.SetURLShow(true);
  grid.SetCells(5, 2, "https://example.org");
  grid.SetCells(5, 3, "plain");

  const int w = 110, h = 30;
  TBitmap picture;
  picture.SetSize(6 * w, 4 * h);
  TCanvas *cv = picture.Canvas();
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 6; ++c) {
      const TRect cell(c * w, r * h, c * w + w - 1, r * h + h - 1);
      cv->Brush()->SetColor(r == 0 ? clBtnFace : clWhite);
      cv->FillRect(TRect(cell.Left, cell.Top, cell.Right + 1, cell.Bottom + 1));
      cv->Pen()->SetColor(clSilver);
      cv->MoveTo(cell.Right, cell.Top);
      cv->LineTo(cell.Right, cell.Bottom);
      cv->LineTo(cell.Left - 1, cell.Bottom);
      cv->Font()->Assign(grid.Font());
      TCellPaintContext ctx;
      ctx.Canvas = cv;
      ctx.R = cell;
      ctx.Col = ctx.RCol = c;
      ctx.Row = r;
      if (r == 0)
        ctx.State = TGridDrawState{gdFixed};
      ctx.Graphic = grid.GetCellGraphic(c, r);
      const TPoint size = grid.GetCellGraphicSize(c, r);
      ctx.GraphicW = size.X;
      ctx.GraphicH = size.Y;
      if (ctx.Graphic && ctx.Graphic->CellType() == ctShape)
        ctx.GraphicW = ctx.GraphicH = 18;  // a shape without text takes a square of the row
      ctx.HA = ctx.Graphic && ctx.Graphic->CellType() == ctDataCheckBox ? taCenter : taLeftJustify;
      ctx.VA = vtaCenter;
      const TCellType type = ctx.Graphic ? ctx.Graphic->CellType() : ctNone;
      ctx.TextToo = type != ctDataCheckBox && type != ctProgress && type != ctXPProgress && type != ctRadio &&
                    type != ctRating && type != ctShape;
      grid.DrawCellText(ctx);
      TRect gr = cell;
      if (ctx.Graphic)
        grid.DrawCellGraphic(ctx, gr, ctx.Graphic, vtaCenter);
    }
  const QString png = QDir(testsupport::OutputDir()).filePath("cell_kinds.png");
  ASSERT_TRUE(picture.Image().save(png));

  auto rgb = [&](int x, int y) { return ColorToRGB(cv->Pixels(x, y)); };
  // Progress 60 %: green at 40 % of the bar, background colour at 90 %.
  EXPECT_EQ(rgb(w + 40, h + h / 2), clGreen);
  EXPECT_EQ(rgb(w + 100, h + h / 2), 0xFFFFFFu);
  // Comment triangle in the top-right corner of its cell.
  EXPECT_EQ(rgb(3 * w + w - 1 - 4, 2 * h + 2), clRed);
  // The button face in the middle of its cell, left of its caption.
  EXPECT_EQ(rgb(3 * w + 28, h + h / 2), ColorToRGB(clBtnFace));
  // The checked data box shows its tick, the unchecked one none.
  auto tickIn = [&](int row) {
    for (int y = row * h; y < row * h + h; ++y)
      for (int x = 0; x < w; ++x)
        if (rgb(x, y) == 0x21A121)
          return true;
    return false;
  };
  EXPECT_TRUE(tickIn(1));
  EXPECT_FALSE(tickIn(2));
  // The first rating star is "on", the last "off".
  EXPECT_EQ(rgb(4 * w + 1 + 1 + 8, h + 1 + 1 + 9), 0x00C0FFu);
  EXPECT_EQ(rgb(4 * w + 1 + 1 + 4 * 18 + 8, h + 1 + 1 + 9), ColorToRGB(clSilver));
}

}  // namespace

namespace {

TEST_F(GraphicPaint, RotatedTextLiesAlignedInTheCell)
{
  canvas.Font()->Assign(grid.Font());
  const TSize ext = canvas.TextExtent("Rotated");
  const TRect r(10, 10, 110, 110);
  const struct { int angle; TAlignment ha; TVAlignment va; TPoint want; } cases[] = {
      {0, taLeftJustify, vtaTop, {10, 10}},
      {0, taRightJustify, vtaBottom, {110 - ext.cx, 110 - ext.cy}},
      // Turned a quarter to the left: the text runs upwards from its origin at the box's bottom.
      {90, taLeftJustify, vtaBottom, {10, 110}},
      {90, taRightJustify, vtaTop, {110 - ext.cy, 10 + ext.cx}},
  };
  for (const auto &c : cases)
    EXPECT_EQ(PlaceRotatedText(&canvas, r, c.angle, c.ha, c.va, "Rotated"), c.want) << c.angle;
  // At 45 degrees the box is the sum of both projections, so the text fits the cell it asks for.
  const TPoint p = PlaceRotatedText(&canvas, r, 45, taLeftJustify, vtaTop, "Rotated");
  const double s = std::sqrt(0.5);
  EXPECT_EQ(p.X, 10);
  EXPECT_NEAR(p.Y, 10 + ext.cx * s, 1.0);
}

TEST_F(GraphicPaint, RotatedCellWritesWithTheTurnedFont)
{
  grid.AddRotated(1, 1, 90, "Up");
  TCellPaintContext ctx = Ctx(1, 1, TRect(10, 10, 60, 78));
  ctx.TextToo = false;
  TRect r = ctx.R;
  grid.DrawCellGraphic(ctx, r, ctx.Graphic, vtaTop);
  EXPECT_FALSE(Extent(TRect(10, 10, 60, 78), Dark).IsEmpty());
  const TRect ink = Extent(TRect(10, 10, 60, 78), Dark);
  EXPECT_GT(ink.Bottom - ink.Top, ink.Right - ink.Left) << "the text runs upwards";
  EXPECT_EQ(canvas.Font()->Orientation(), 0) << "the font is given back unturned";
}

TEST_F(GraphicPaint, SelectionRectangleFramesTheSelection)
{
  grid.SetSelectionRectangle(true);
  grid.SetSelectionRectangleColor(clRed);
  grid.SetSelectionResizer(true);
  grid.SetSelection(TGridRect(1, 1, 2, 2));
  auto red = [](TColor c) { return ColorToRGB(c) == clRed; };
  // The top-left cell gets its left and top edges, the bottom-right one its right and bottom
  // edges with the resizer square.
  const TRect cell(20, 20, 80, 44);
  TCellPaintContext ctx = Ctx(1, 1, cell);
  grid.DrawCellText(ctx);
  EXPECT_FALSE(Extent(TRect(cell.Left - 1, cell.Top + 5, cell.Left + 2, cell.Bottom - 5), red).IsEmpty());
  EXPECT_TRUE(Extent(TRect(cell.Right - 3, cell.Top + 5, cell.Right, cell.Bottom - 5), red).IsEmpty());
  Clear();
  ctx = Ctx(2, 2, cell);
  grid.DrawCellText(ctx);
  EXPECT_FALSE(Extent(TRect(cell.Right - 3, cell.Top + 5, cell.Right, cell.Bottom - 5), red).IsEmpty());
  EXPECT_EQ(ColorToRGB(Pixel(cell.Right - 2, cell.Bottom - 2)), clRed);
}

}  // namespace

namespace {

TEST_F(GraphicPaint, ProgressBarFillsItsShareOfTheRange)
{
  const TRect cell(10, 10, 210, 34);
  auto greenTo = [&] { return Extent(cell, [](TColor c) { return ColorToRGB(c) == clGreen; }).Right; };
  // Without a format the value is the percentage; a format shows the value within Min..Max.
  const struct { int min, max; QString format, value; double share; } cases[] = {
      {0, 100, "", "50", 0.5}, {0, 1000, "%.0f", "500", 0.5}, {0, 1000, "%.0f", "250", 0.25}, {0, 1000, "", "250", 1}};
  for (const auto &c : cases) {
    Clear();
    grid.AddProgressFormatted(1, 1, clGreen, clWhite, clWhite, clBlack, c.format, c.min, c.max);
    grid.SetCells(1, 1, c.value);
    PaintCell(*this, 1, 1, cell, taLeftJustify, false);
    const double inner = cell.Right - cell.Left - 4 - 2 * grid.ControlLook()->ProgressMarginX();
    EXPECT_NEAR(greenTo() - (cell.Left + 2 + grid.ControlLook()->ProgressMarginX()), inner * c.share, 3)
        << c.value << " of " << c.min << ".." << c.max;
  }
}

}  // namespace
