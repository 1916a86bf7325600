#include <QRegularExpression>
#include <QStringList>

#include "framework/classes/classes.h"
#include "grid/core/control_look.h"
#include "grid/view/check_paint.h"
#include "tests/grid/view/paint_fixture.h"

namespace {

using CheckPaint = CellPaintTest;

const TRect Box(20, 20, 35, 35);

QImage Draw(CellPaintTest &t, ZavGrid::TControlStyle style, bool checked, bool enabled, bool grayed = false)
{
  t.Clear();
  t.grid.DrawCheckBox(&t.canvas, Box, checked, enabled, grayed, style, false, cbUnchecked);
  return t.canvas.Picture().copy();
}

TEST_F(CheckPaint, EveryStyleShowsCheckedAndDisabledApart)
{
  for (auto style : {csClassic, csFlat, csWinXP, csBorland, csZAV, csTheme}) {
    const QImage on = Draw(*this, style, true, true);
    const QImage off = Draw(*this, style, false, true);
    const QImage onDisabled = Draw(*this, style, true, false);
    EXPECT_NE(on, off) << int(style);
    EXPECT_NE(on, onDisabled) << int(style);
    EXPECT_NE(off, QImage(Draw(*this, style, false, false))) << int(style);
    // Nothing outside the box and its frame.
    Draw(*this, style, true, true);
    EXPECT_TRUE(Extent(TRect(0, 0, 240, 80), NotWhite).IsEmpty() == false);
    EXPECT_TRUE(Extent(TRect(Box.Right + 2, 0, 240, 80), NotWhite).IsEmpty()) << int(style);
  }
}

TEST_F(CheckPaint, ThemedLookFallsBackToTheClassicBox)
{
  // No visual style is active on this platform: csTheme draws what csClassic draws.
  for (bool checked : {false, true})
    for (bool enabled : {false, true})
      EXPECT_EQ(Draw(*this, csTheme, checked, enabled), Draw(*this, csClassic, checked, enabled));
}

TEST_F(CheckPaint, ClassicBoxIsCheckSizeSquareCentredInTheRectangle)
{
  Clear();
  const TRect wide(10, 10, 60, 40);
  grid.DrawCheckBox(&canvas, wide, true, true, false, csClassic, false, cbUnchecked);
  const TRect ink = Extent(wide, NotWhite);
  const int s = grid.ControlLook()->CheckSize();
  const int l = 10 + (50 - s) / 2, t = 10 + (30 - s) / 2;
  // The classic frame's outer right and bottom edges are white.
  EXPECT_EQ(ink.Left, l);
  EXPECT_EQ(ink.Top, t);
  EXPECT_EQ(ink.Right, l + s - 1);
  EXPECT_EQ(ink.Bottom, t + s - 1);
}

TEST_F(CheckPaint, GrayedAndStateShowTheMixedBox)
{
  const QImage grayed = Draw(*this, csClassic, false, true, true);
  Clear();
  grid.DrawCheckBox(&canvas, Box, false, true, false, csClassic, true, cbGrayed);
  EXPECT_EQ(canvas.Picture(), grayed);
  EXPECT_NE(grayed, Draw(*this, csClassic, true, true));
  Clear();
  grid.DrawCheckBox(&canvas, Box, false, true, false, csClassic, true, cbChecked);
  EXPECT_EQ(canvas.Picture(), Draw(*this, csClassic, true, true)) << "the state decides over Checked";
}

TEST_F(CheckPaint, AlwaysActiveSettingsDrawDisabledBoxesEnabled)
{
  const QImage enabled = Draw(*this, csWinXP, true, true);
  grid.ControlLook()->SetNoDisabledCheckRadioLook(true);
  EXPECT_EQ(Draw(*this, csWinXP, true, false), enabled);
  grid.ControlLook()->SetNoDisabledCheckRadioLook(false);
  grid.ControlLook()->SetCheckAlwaysActive(true);
  EXPECT_EQ(Draw(*this, csWinXP, true, false), enabled);
}

TEST_F(CheckPaint, BorlandReadOnlyBoxHasShadowFaceAndGrayTick)
{
  Draw(*this, csBorland, true, false);
  EXPECT_EQ(Calls("Rectangle(")[0].contains("clBtnShadow"), true) << Calls("Rectangle(").join(' ');
  const QStringList tick = Calls("LineTo(").filter("clGray");
  EXPECT_EQ(tick.size(), 4) << canvas.Entries().join('\n');
}

TEST_F(CheckPaint, GlyphStyleWithoutGlyphsDrawsNothing)
{
  Draw(*this, csGlyph, true, true);
  EXPECT_TRUE(canvas.Entries().isEmpty());
  TBitmap glyph;
  glyph.SetSize(8, 8);
  glyph.Canvas()->Brush()->SetColor(clWhite);
  glyph.Canvas()->FillRect(TRect(0, 0, 8, 8));
  glyph.Canvas()->Brush()->SetColor(clRed);
  glyph.Canvas()->FillRect(TRect(2, 2, 6, 6));
  grid.ControlLook()->SetCheckedGlyph(&glyph);
  Draw(*this, csGlyph, true, true);
  EXPECT_EQ(Extent(TRect(0, 0, 240, 80), NotWhite), TRect(Box.Left + 2, Box.Top + 2, Box.Left + 6, Box.Top + 6));
}

TEST_F(CheckPaint, ResourceGlyphsExistForEveryLookAndState)
{
  for (bool radio : {false, true})
    for (bool xp : {false, true})
      for (bool checked : {false, true})
        for (bool enabled : {false, true}) {
          const QString name = CheckGlyphName(radio, xp, checked, enabled);
          const TBitmap *b = CachedResourceBitmap(name);
          ASSERT_NE(b, nullptr) << name;
          EXPECT_FALSE(b->Empty()) << name;
        }
  EXPECT_EQ(CheckGlyphName(false, false, true, true), "ZSGCHK01");
  EXPECT_EQ(CheckGlyphName(false, true, false, false), "ZSGCHK08");
  EXPECT_EQ(CheckGlyphName(true, true, true, false), "ZSGRAD07");
}

TEST_F(CheckPaint, RadioGroupChecksTheItemMatchingTheCellText)
{
  TStringList items;
  items.Add(QStringLiteral("one"));
  items.Add(QStringLiteral("two"));
  items.Add(QStringLiteral("three"));
  const TRect cell(10, 5, 200, 75);
  // csBorland marks the checked item with an inner diamond in ControlLook.Color at its centre.
  auto checkedItems = [&](int index, const QString &text) {
    grid.SetCells(1, 1, text);
    Clear();
    grid.DrawRadioButtons(&canvas, cell, false, 1.0, csBorland, 1, 1, false, &items, false, false, index, 3);
    QStringList found;
    for (int i = 0; i < 3; ++i) {
      const int h = std::max(16, canvas.TextHeight("gh"));
      const int top = cell.Top + h * i + 2;
      if (ColorToRGB(Pixel(cell.Left + 2 + 8, top + 8)) == 0)
        found << items.Strings(i);
    }
    return found.join(',');
  };
  const struct { int index; QString text; QString want; } cases[] = {
      {-1, "two", "two"}, {-1, "none", ""}, {0, "two", "one"}, {2, "", "three"}};
  for (const auto &c : cases)
    EXPECT_EQ(checkedItems(c.index, c.text), c.want) << c.index << " " << c.text;
}

TEST_F(CheckPaint, RadioGroupItemsRunUpwardWithYUp)
{
  TStringList items;
  items.Add(QStringLiteral("a"));
  items.Add(QStringLiteral("b"));
  const TRect cell(10, 40, 200, 80);
  auto textYs = [&](bool yUp) {
    Clear();
    grid.DrawRadioButtons(&canvas, cell, yUp, 1.0, csClassic, 1, 1, false, &items, false, false, 0, 2);
    QList<int> ys;
    for (const QString &e : Calls("ExtTextOut("))
      ys << e.section(',', 1, 1).toInt();
    return ys;
  };
  const QList<int> down = textYs(false), up = textYs(true);
  ASSERT_EQ(down.size(), 2);
  ASSERT_EQ(up.size(), 2);
  EXPECT_GT(down[1], down[0]);
  EXPECT_LT(up[1], up[0]);
}

TEST_F(CheckPaint, RadioStylesDrawDisabledItemsApart)
{
  for (auto style : {csClassic, csFlat, csBorland, csWinXP, csZAV}) {
    auto draw = [&](bool disabled, int checked) {
      Clear();
      grid.DrawRadioButtons(&canvas, TRect(10, 10, 100, 40), false, 1.0, style, 1, 1, false, nullptr, disabled, true,
                            checked, 1);
      return canvas.Picture().copy();
    };
    const QImage on = draw(false, 0), off = draw(false, -2);
    EXPECT_NE(on, off) << int(style);
    if (style != csBorland) {  // the diamond has no disabled look
      EXPECT_NE(on, draw(true, 0)) << int(style);
    }
  }
  Clear();
  grid.DrawRadioButtons(&canvas, TRect(10, 10, 100, 40), false, 1.0, csClassic, 1, 1, false, nullptr, false, true, 0, 0);
  EXPECT_TRUE(canvas.Entries().isEmpty()) << "an empty group draws nothing";
}

}  // namespace
