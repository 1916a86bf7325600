#include <QRegularExpression>

#include "grid/core/feature_settings.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/sort_settings.h"
#include "grid/view/rtf_text.h"
#include "tests/grid/view/paint_fixture.h"

namespace {

using TextPaint = CellPaintTest;

const TRect Cell(10, 10, 130, 40);

TEST_F(TextPaint, PlainTextFollowsTheHorizontalAlignment)
{
  grid.SetCells(1, 1, QStringLiteral("Ab"));
  const struct { TAlignment ha; int minLeft, maxLeft; } cases[] = {
      {taLeftJustify, Cell.Left + 2, Cell.Left + 4},   // XYOffset 2 from the left edge
      {taRightJustify, Cell.Right - 40, Cell.Right - 2},
      {taCenter, Cell.Left + 45, Cell.Left + 70},
  };
  for (const auto &c : cases) {
    Clear();
    TCellPaintContext ctx = Ctx(1, 1, Cell);
    ctx.HA = c.ha;
    grid.DrawCellText(ctx);
    const TRect ink = Extent(Cell, Dark);
    EXPECT_GE(ink.Left, c.minLeft) << int(c.ha);
    EXPECT_LE(ink.Left, c.maxLeft) << int(c.ha);
    if (c.ha == taRightJustify) {
      EXPECT_GE(ink.Right, Cell.Right - 6);
    }
  }
}

TEST_F(TextPaint, LinesAndEllipsisFollowTheMultiLineAndWrapSettings)
{
  const QString twoLines = QStringLiteral("first\r\nsecond");
  const struct { bool multi, ww, enh; QString text; QString drawn; uint32_t flagsSet, flagsClear; } cases[] = {
      {false, false, false, twoLines, "first", DT_SINGLELINE, DT_WORDBREAK},
      {true, false, false, twoLines, "first\\r\\nsecond", DT_WORDBREAK, DT_SINGLELINE},
      {false, true, false, twoLines, "first\\r\\nsecond", DT_WORDBREAK, DT_SINGLELINE | DT_END_ELLIPSIS},
      {false, false, true, QStringLiteral("long text"), "long text", DT_SINGLELINE | DT_END_ELLIPSIS, 0},
      {false, true, true, QStringLiteral("long text"), "long text", DT_WORDBREAK | DT_END_ELLIPSIS, 0},
  };
  for (const auto &c : cases) {
    Clear();
    grid.SetMultilinecells(c.multi);
    grid.SetEnhTextSize(c.enh);
    grid.SetCells(1, 1, c.text);
    TCellPaintContext ctx = Ctx(1, 1, Cell);
    ctx.WW = c.ww;
    grid.DrawCellText(ctx);
    const QStringList calls = Calls("DrawText(");
    ASSERT_EQ(calls.size(), 1) << c.text;
    EXPECT_TRUE(calls[0].contains("'" + c.drawn + "'")) << calls[0];
    const uint32_t flags = calls[0].section('$', 1).section(')', 0, 0).toUInt(nullptr, 16);
    EXPECT_EQ(flags & c.flagsSet, c.flagsSet) << calls[0];
    EXPECT_EQ(flags & c.flagsClear, 0u) << calls[0];
  }
}

TEST_F(TextPaint, UrlShowsWithoutSchemeUnderlinedInTheUrlColour)
{
  grid.SetURLShow(true);
  grid.SetCells(1, 1, QStringLiteral("http://example.org"));
  TCellPaintContext ctx = Ctx(1, 1, Cell);
  grid.DrawCellText(ctx);
  const QStringList calls = Calls("DrawText(");
  ASSERT_EQ(calls.size(), 1);
  EXPECT_TRUE(calls[0].contains("'example.org'")) << calls[0];
  EXPECT_TRUE(calls[0].contains("clBlue")) << calls[0];
  EXPECT_FALSE(canvas.Font()->Style().Contains(fsUnderline)) << "the underline is taken off again";

  // Full form, and the selection colour for a selected cell.
  Clear();
  grid.SetURLFull(true);
  ctx.State = TGridDrawState{gdSelected};
  grid.SetSelectionTextColor(clRed);
  grid.DrawCellText(ctx);
  const QStringList full = Calls("DrawText(");
  ASSERT_EQ(full.size(), 1);
  EXPECT_TRUE(full[0].contains("'http://example.org'")) << full[0];
  EXPECT_TRUE(full[0].contains("clRed")) << full[0];
}

TEST_F(TextPaint, PasswordCellShowsOnePasswordCharPerCharacter)
{
  grid.OnIsPasswordCell = [](TObject *, int, int ARow, bool &IsPassword) { IsPassword = ARow == 1; };
  grid.SetCells(1, 1, QStringLiteral("secret"));
  const QString drawn = DrawnText(1, 1, Cell);
  EXPECT_TRUE(drawn.contains("'******'")) << drawn;
}

TEST_F(TextPaint, FilterGlyphTakesRoomAtTheRight)
{
  grid.SetCells(1, 0, QStringLiteral("Head"));
  TCellPaintContext ctx = Ctx(1, 0, Cell);
  ctx.HA = taRightJustify;
  ctx.FilterGlyph = true;
  grid.DrawCellText(ctx);
  const QStringList calls = Calls("DrawText(");
  ASSERT_EQ(calls.size(), 1);
  // R.Right - XYOffset.X - 16.
  EXPECT_TRUE(calls[0].startsWith(QStringLiteral("DrawText(%1,%2,%3,").arg(Cell.Left + 2).arg(Cell.Top + 2).arg(Cell.Right - 2 - 16)))
      << calls[0];
  // The funnel glyph lies in the right 16 pixels.
  EXPECT_FALSE(Extent(TRect(Cell.Right - 16, Cell.Top, Cell.Right, Cell.Bottom), NotWhite).IsEmpty());
}

TEST_F(TextPaint, SortedHeaderShowsTheSortMark)
{
  grid.SetCells(1, 0, QStringLiteral("Name"));
  grid.SortSettings()->SetShow(true);
  grid.SortSettings()->SetColumn(1);
  const struct { TAlignment ha; TSortDirection dir; } cases[] = {
      {taCenter, sdAscending}, {taCenter, sdDescending}, {taLeftJustify, sdAscending}};
  for (const auto &c : cases) {
    Clear();
    grid.SortSettings()->SetDirection(c.dir);
    TCellPaintContext ctx = Ctx(1, 0, Cell);
    ctx.HA = c.ha;
    ctx.VA = vtaCenter;
    grid.DrawCellText(ctx);
    const QStringList lines = Calls("LineTo(");
    ASSERT_FALSE(lines.isEmpty());
    if (c.ha == taCenter) {
      // The mark sits 8 pixels from the cell's left edge, the text moves right by 10.
      const int x = Cell.Left + 8;
      EXPECT_TRUE(lines.join(' ').contains(QStringLiteral("%1,").arg(x + 4)) ) << lines.join(' ');
      const QStringList text = Calls("DrawText(");
      ASSERT_EQ(text.size(), 1);
      EXPECT_TRUE(text[0].startsWith(QStringLiteral("DrawText(%1,").arg(Cell.Left + 1 + 2 + 10))) << text[0];
    }
    // Descending points down: the white edge starts at the top right.
    const int y = Cell.Top + (Cell.Bottom - Cell.Top) / 2;
    if (c.dir == sdDescending) {
      EXPECT_TRUE(lines[0].contains(QStringLiteral(",%1,").arg(y - 4))) << lines[0];
    }
  }
}

TEST_F(TextPaint, SortIndexNumbersStartAtOne)
{
  grid.SortSettings()->SetIndexShow(true);
  grid.SortIndexes()->AddIndex(2, true);
  grid.SortIndexes()->AddIndex(3, false);
  const struct { int col; QString number; } cases[] = {{2, "1"}, {3, "2"}};
  for (const auto &c : cases) {
    Clear();
    grid.DrawSortGlyph(&canvas, c.col, 30, 50);
    const QStringList text = Calls("ExtTextOut(");
    ASSERT_EQ(text.size(), 1) << c.col;
    EXPECT_TRUE(text[0].contains("'" + c.number + "'")) << text[0];
    EXPECT_EQ(Calls("Polygon(").size(), 1);
  }
  Clear();
  grid.DrawSortGlyph(&canvas, 4, 30, 50);
  EXPECT_TRUE(canvas.Entries().isEmpty()) << "a column outside the list draws nothing";
}

TEST_F(TextPaint, MarkupTextIsRenderedAndMeasured)
{
  grid.SetCells(1, 1, QStringLiteral("<b>bold</b> text"));
  TCellPaintContext ctx = Ctx(1, 1, Cell);
  grid.DrawCellText(ctx);
  EXPECT_GT(ctx.TextWidth, 20);
  EXPECT_FALSE(Extent(Cell, Dark).IsEmpty());
  EXPECT_TRUE(Calls("DrawText(").filter("<b>").isEmpty()) << "tags are never drawn as text";
}

TEST_F(TextPaint, RichTextCellShowsItsText)
{
  grid.SetCells(1, 1, QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hello\\par World}"));
  TCellPaintContext ctx = Ctx(1, 1, Cell);
  grid.DrawCellText(ctx);
  // Each paragraph is drawn on its own line in the document's font.
  const QStringList hello = Calls("ExtTextOut(").filter("'Hello'");
  const QStringList world = Calls("ExtTextOut(").filter("'World'");
  ASSERT_EQ(hello.size(), 1) << canvas.Entries().join('\n').toStdString();
  ASSERT_EQ(world.size(), 1);
  EXPECT_TRUE(hello[0].contains("font=Arial")) << hello[0];
  EXPECT_LT(hello[0].section(',', 1, 1).toInt(), world[0].section(',', 1, 1).toInt());
}

TEST(RtfText, PlainTextOfADocument)
{
  const struct { QString in, out; } cases[] = {
      {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0\\cf1 Red\\cf0  text\\par}", "Red text"},
      {"{\\rtf1 a\\'e9b\\tab c}", "a\u00e9b\tc"},
      {"{\\rtf1\\uc1 x\\u8364?y}", "x\u20acy"},
      {"{\\rtf1 {\\*\\generator Foo;}braces \\{\\}\\\\}", "braces {}\\"},
      {"plain", "plain"},
      {"{\\rtf1 unclosed {group", "unclosed group"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(RTFToPlainText(c.in), c.out) << c.in;
}

TEST_F(TextPaint, SelectedCellTakesSelectionColours)
{
  grid.SetCells(1, 1, QStringLiteral("sel"));
  grid.SetSelectionColor(clNavy);
  grid.SetSelectionTextColor(clYellow);
  TCellPaintContext ctx = Ctx(1, 1, Cell);
  ctx.State = TGridDrawState{gdSelected};
  grid.DrawCellText(ctx);
  EXPECT_EQ(canvas.Brush()->Color(), clNavy);
  const QStringList calls = Calls("DrawText(");
  ASSERT_EQ(calls.size(), 1);
  EXPECT_TRUE(calls[0].contains("clYellow")) << calls[0];

  // Without ShowSelection the unselected colours come back.
  Clear();
  grid.SetShowSelection(false);
  ctx.SavedBrushColor = clWhite;
  ctx.SavedFontColor = clGreen;
  canvas.Font()->SetColor(clGreen);
  grid.DrawCellText(ctx);
  EXPECT_TRUE(Calls("DrawText(")[0].contains("clGreen"));
}

TEST_F(TextPaint, ErrorMarkerUnderlinesTheMarkedCharacters)
{
  grid.SetCells(1, 1, QStringLiteral("wrod here"));
  grid.AddMarker(1, 1, 1, 4);
  TCellPaintContext ctx = Ctx(1, 1, Cell);
  grid.DrawCellText(ctx);
  EXPECT_FALSE(Extent(Cell, [](TColor c) { return ColorToRGB(c) == clRed; }).IsEmpty());
}

}  // namespace

namespace {

TEST_F(TextPaint, CellTakesItsShareOfTheGridsBackground)
{
  grid.SetBounds(0, 0, 240, 100);
  TBackGround *bg = grid.BackGround();
  bg->SetColor(clWhite);
  bg->SetColorTo(clBlack);
  bg->SetDisplay(TBackGroundDisplay::bdGradientVert);
  // Sampled where the cell lies in the grid: near the top almost white, lower down darker.
  const struct { int top; int minGray, maxGray; } cases[] = {{0, 0xE0, 0xFF}, {50, 0x50, 0x80}};
  for (const auto &c : cases) {
    Clear();
    TCellPaintContext ctx = Ctx(1, 1, TRect(10, c.top, 60, c.top + 20));
    ctx.TextToo = false;
    grid.DrawCellText(ctx);
    const int gray = int(ColorToRGB(Pixel(30, c.top + 10)) & 0xFF);
    EXPECT_GE(gray, c.minGray) << c.top;
    EXPECT_LE(gray, c.maxGray) << c.top;
  }

  // A tiled picture starts each cell at its offset from the first scrollable cell.
  Clear();
  bg->SetDisplay(TBackGroundDisplay::bdTile);
  TBitmap tile;
  tile.SetSize(7, 7);
  tile.Canvas()->Brush()->SetColor(clWhite);
  tile.Canvas()->FillRect(TRect(0, 0, 7, 7));
  tile.Canvas()->SetPixels(0, 0, clRed);
  bg->SetBitmap(&tile);
  grid.SetColWidths(0, 10);
  TCellPaintContext ctx = Ctx(1, 1, TRect(20, 20, 60, 40));
  ctx.TextToo = false;
  grid.DrawCellText(ctx);
  // Column 1 is the first scrollable one: its tiles start at the cell's corner less one.
  EXPECT_EQ(ColorToRGB(Pixel(20 - 1 + 7, 20 - 1 + 7)), clRed);
  EXPECT_NE(ColorToRGB(Pixel(20, 20)), clRed);
  // The next column is 10 pixels further on: its tiles are shifted by 10 mod 7.
  Clear();
  grid.SetColWidths(1, 10);
  ctx = Ctx(2, 1, TRect(20, 20, 60, 40));
  ctx.TextToo = false;
  grid.DrawCellText(ctx);
  EXPECT_EQ(ColorToRGB(Pixel(20 - 1 - 3 + 7, 20 - 1 + 7)), clRed);
}

}  // namespace
