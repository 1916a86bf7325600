#include <gtest/gtest.h>

#include "framework/controls/forms.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/cell_properties.h"
#include "grid/foundation/grid_options.h"
#include "grid/view/cell_paint.h"

namespace {

class TLayoutGrid : public TZavStringGrid {
public:
  using TZavStringGrid::DrawCellBorders;
  using TZavStringGrid::TZavStringGrid;
};

struct CellLayout : ::testing::Test {
  TForm form{nullptr};
  TLayoutGrid *g = new TLayoutGrid(&form);

  CellLayout()
  {
    g->SetParent(&form);
    g->SetColCount(4);
    g->SetRowCount(4);
    g->SetDefaultColWidth(120);
    g->SetDefaultRowHeight(24);
    g->Font()->SetName("Tahoma");
    g->Font()->SetSize(8);
  }
  TAlignment HA(int c, int r) { return TAlignment(g->GetCellAlignment(c, r) & 0xFF); }
};

TEST_F(CellLayout, AutoNumAlignRightAlignsNumbersOnly)
{
  g->SetAutoNumAlign(true);
  struct TCase {
    const char *text;
    bool props;
    TAlignment expected;
  } cases[] = {
      {"12", false, taRightJustify},    {"-3.5", false, taRightJustify}, {"1E5", false, taRightJustify},
      {" 42 ", false, taRightJustify},  {"12 kg", false, taLeftJustify}, {"", false, taLeftJustify},
      {"12", true, taCenter},           // the cell's own alignment wins
      {"=1+2", true, taLeftJustify},    // a formula never takes the properties' alignment
  };
  for (const TCase &t : cases) {
    SCOPED_TRACE(t.text);
    g->SetCells(1, 1, t.text);
    if (t.props)
      g->CellProperties(1, 1)->SetAlignment(taCenter);
    EXPECT_EQ(HA(1, 1), t.expected);
    g->SetCellProperties(1, 1, nullptr);
  }
  g->SetAutoNumAlign(false);
  g->SetCells(1, 1, "12");
  EXPECT_EQ(HA(1, 1), taLeftJustify);
}

TEST_F(CellLayout, AlignmentEventSeesTheDefaultsAndMayChangeBoth)
{
  g->SetDefaultAlignment(taCenter);
  g->SetVAlignment(vtaBottom);
  g->OnGetAlignment = [](TObject *, int ARow, int ACol, TAlignment &H, TVAlignment &V) {
    EXPECT_EQ(H, taCenter);
    EXPECT_EQ(V, vtaBottom);
    if (ARow == 2 && ACol == 3) {
      H = taRightJustify;
      V = vtaCenter;
    }
  };
  EXPECT_EQ(g->GetCellAlignment(3, 2), int(taRightJustify) | (int(vtaCenter) << 8));
  EXPECT_EQ(g->GetCellAlignment(2, 3), int(taCenter) | (int(vtaBottom) << 8));
}

TEST_F(CellLayout, BordersFromTheEventsSitInsideTheGridLines)
{
  TRecordingCanvas canvas(200, 100);
  TCellPaintContext ctx;
  ctx.Canvas = &canvas;
  ctx.RCol = 1;
  ctx.Row = 1;
  TCellBorders asked;
  g->OnGetCellBorder = [&](TObject *, int, int, TPen *APen, TCellBorders &B) {
    APen->SetWidth(3);
    APen->SetColor(clRed);
    B = asked;
  };
  g->OnGetCellBorderProp = [](TObject *, int, int, TPen *, TPen *Top, TPen *, TPen *) { Top->SetColor(clBlue); };
  struct TCase {
    TCellBorders borders;
    bool vertLines;
    const char *line;
  } cases[] = {
      {{cbLeft}, true, "LineTo(12,10,12,38) pen=clRed,3,psSolid"},  // 2 px in from the left edge
      {{cbLeft}, false, "LineTo(10,10,10,38) pen=clRed,3,psSolid"},
      {{cbRight}, true, "LineTo(67,10,67,38) pen=clRed,3,psSolid"},
      {{cbTop}, true, "LineTo(12,11,68,11) pen=clBlue,3,psSolid"},
      {{cbBottom}, true, "LineTo(10,37,68,37) pen=clRed,3,psSolid"},
  };
  for (const TCase &t : cases) {
    SCOPED_TRACE(t.line);
    asked = t.borders;
    g->SetOptions(t.vertLines ? g->Options() + goVertLine : g->Options() - goVertLine);
    canvas.Clear();
    canvas.Pen()->SetColor(clBlack);
    canvas.Pen()->SetWidth(1);
    g->DrawCellBorders(ctx, TRect(10, 10, 70, 40));
    ASSERT_EQ(canvas.Entries().size(), 1);
    EXPECT_EQ(canvas.Entries().at(0), t.line);
    EXPECT_EQ(canvas.Pen()->Color(), clBlack);  // the canvas pen comes back
    EXPECT_EQ(canvas.Pen()->Width(), 1);
  }
  asked = {};
  canvas.Clear();
  g->DrawCellBorders(ctx, TRect(10, 10, 70, 40));
  EXPECT_TRUE(canvas.Entries().isEmpty());
}

TEST_F(CellLayout, MeasuredTextSize)
{
  const int w = g->Canvas()->TextWidth("Wide line of text");
  const int h = g->Canvas()->TextHeight("gh");
  const QString three = "Wide line of text\r\nb\r\nc";
  const int wThree = g->Canvas()->TextWidth(three);
  ASSERT_GT(w, 20);
  struct TCase {
    const char *name;
    QString text;
    bool multiline;
    int angle;  // -1: not rotated
    TSize expected;
  } cases[] = {
      {"plain", "Wide line of text", false, -1, {w, h}},
      {"three lines, one counted", three, false, -1, {wThree, h}},
      {"three lines", three, true, -1, {w, 3 * h}},
      {"0 degrees", "Wide line of text", false, 0, {w + 12, h + 12}},
      {"90 degrees", "Wide line of text", false, 90, {h + 12, w + 12}},
      // Rich text measures its plain text, a line per paragraph, multi-line cells or not.
      {"rich text", "{\\rtf1\\ansi Wide line of text\\par b}", false, -1, {w, 2 * h + 4}},
  };
  for (const TCase &t : cases) {
    SCOPED_TRACE(t.name);
    g->SetMultilinecells(t.multiline);
    g->SetCells(1, 1, t.text);
    if (t.angle >= 0)
      g->AddRotated(1, 1, t.angle, t.text);
    const TSize s = g->GetCellTextSize(1, 1, false, false);
    EXPECT_EQ(s.cx, t.expected.cx);
    EXPECT_EQ(s.cy, t.expected.cy);
    g->RemoveRotated(1, 1);
  }
}

// A margin on the top-left only leaves the wrapped text the room of the other side.
TEST_F(CellLayout, WrappedTextWidthFollowsTheMarginSides)
{
  const QString text = "abc def";
  const int tw = g->Canvas()->TextWidth(text);
  const int h = g->Canvas()->TextHeight("gh");
  g->SetCells(1, 1, text);
  // Room of a cell w wide: w - 2 x 2 margin - 2 x 2 inset, or w - 2 - 4 with one margin.
  g->SetColWidths(1, 200);
  const int extra = 200 - g->CellRect(1, 1).Width();
  g->SetColWidths(1, tw + 7 + extra);
  EXPECT_EQ(g->GetCellTextSize(1, 1, false, true).cy, 2 * h);
  g->SetXYOffsetTopLeftOnly(true);
  EXPECT_EQ(g->GetCellTextSize(1, 1, false, true).cy, h);
}

// Turned text needs the sum of both projections on each side; at 45 degrees anything less
// clips the text in an auto-sized cell.
TEST_F(CellLayout, RotatedTextBoxHoldsTheTurnedText)
{
  const QString text = "Rotated header text";
  g->SetCells(1, 1, text);
  const double x = g->Canvas()->TextWidth(text), y = g->Canvas()->TextHeight("gh");
  for (int angle : {30, 45, 60}) {
    SCOPED_TRACE(angle);
    g->AddRotated(1, 1, angle, text);
    const TSize s = g->GetCellTextSize(1, 1, false, false);
    const double r = angle * 3.14159265358979 / 180;
    EXPECT_NEAR(s.cx, x * std::cos(r) + y * std::sin(r) + 12, 2);
    EXPECT_NEAR(s.cy, x * std::sin(r) + y * std::cos(r) + 12, 2);
  }
}

TEST_F(CellLayout, HeaderMeasuredBoldWithTheActiveCellFont)
{
  g->SetCells(1, 0, "Header");
  g->FixedFont()->SetStyle({});
  const TSize regular = g->GetCellTextSize(1, 0, false, false);
  g->SetActiveCellShow(true);
  g->ActiveCellFont()->SetStyle({fsBold});
  const TSize bold = g->GetCellTextSize(1, 0, false, false);
  EXPECT_GT(bold.cx, regular.cx);
  EXPECT_EQ(g->GetCellTextSize(1, 1, false, false).cx, 0);  // an empty data cell
}

TEST_F(CellLayout, WrappedMeasureFollowsTheCellWidth)
{
  g->SetCells(1, 1, "one two three four five six seven eight nine ten eleven twelve");
  const TSize line = g->GetCellTextSize(1, 1, false, false);
  const TSize wrapped = g->GetCellTextSize(1, 1, false, true);
  EXPECT_GT(line.cx, 120);
  EXPECT_LE(wrapped.cx, 120);
  EXPECT_GT(wrapped.cy, line.cy);
}

}  // namespace
