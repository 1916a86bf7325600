#include "grid/core/footer.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>

#include "framework/controls/forms.h"
#include "framework/testing/input.h"
#include "tests/grid/core/helpers_wiring.h"
#include "tests/support/test_support.h"

namespace {

// A shown form with a 4 x 5 grid (one fixed column of 40, three of 60) and its footer, wired as
// the grid's constructor does.
struct TFooterForm {
  std::unique_ptr<TForm> Form;
  TZavStringGrid *Grid = nullptr;
  TFooterPanel *Panel = nullptr;
  TFloatingFooter *Footer = nullptr;

  TFooterForm()
  {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetClientSize(400, 200);
    Grid = new TZavStringGrid(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBounds(0, 0, 400, 200);
    Grid->SetColCount(4);
    Grid->SetRowCount(5);
    Grid->SetColWidths(0, 40);
    for (int c = 1; c < 4; ++c)
      Grid->SetColWidths(c, 60);
    Grid->SetColor(clWhite);
    Panel = Grid->FooterPanel();
    Panel->SetParent(Grid);
    Footer = Grid->FloatingFooter();
    Form->Show();
  }
};

QRgb Rgb(TColor c)
{
  c = ColorToRGB(c);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
QRgb At(const QImage &Img, int X, int Y) { return Img.pixel(X, Y) & 0xFFFFFF; }

}  // namespace

TEST(FooterTest, VisibleLastRowStyleHidesTheLastRowAndSetsOneFixedFooter)
{
  TFooterForm f;
  f.Footer->SetHeight(22);
  f.Footer->SetVisible(true);
  EXPECT_EQ(f.Panel->Height(), 21);
  EXPECT_TRUE(f.Panel->Visible());
  EXPECT_EQ(f.Grid->FixedFooters(), 1);
  EXPECT_TRUE(f.Grid->HideLastRow());

  f.Footer->SetFooterStyle(fsColumnPreview);
  EXPECT_FALSE(f.Grid->HideLastRow());

  f.Footer->SetVisible(false);
  EXPECT_EQ(f.Panel->Height(), 0);
  EXPECT_EQ(f.Grid->FixedFooters(), 0);
}

TEST(FooterTest, PanelHeightIsNeverNegative)
{
  TFooterForm f;
  f.Panel->SetHeight(7);
  // Height 0 or less leaves the panel alone ...
  f.Footer->SetHeight(0);
  EXPECT_EQ(f.Panel->Height(), 7);
  f.Footer->SetHeight(-5);
  EXPECT_EQ(f.Panel->Height(), 7);
  // ... and showing a footer without a height gives a panel of none, not of -1 or less.
  f.Footer->SetVisible(true);
  EXPECT_EQ(f.Panel->Height(), 0);
}

TEST(FooterTest, TemplateExpansion)
{
  TFooterForm f;
  f.Grid->SetCells(2, 3, "10");
  f.Grid->SetCells(1, 3, "a");
  // A cell left beyond the column count keeps its text; the template must not reach it.
  f.Grid->SetColCount(5);
  f.Grid->SetCells(4, 3, "ghost");
  f.Grid->SetColCount(4);
  const struct {
    const char *Template, *Expected;
  } cases[] = {
      {"Total: <#2>", "Total: 10"},
      {"<#1>/<#2>", "a/10"},
      {"x<#x>y", "xy"},
      {"<#99>", ""},  // no such column
      {"<#4>", ""},
      {"<#-1>", ""},
      {"sum <#2", "sum <#2"},  // unclosed: kept as it is
      {"plain", "plain"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(ExpandFooterTemplate(f.Grid, c.Template, 3), QString(c.Expected)) << c.Template;
}

TEST(FooterTest, MouseUpFiresClickAndClickCellOnlyOverAColumn)
{
  TFooterForm f;
  f.Footer->SetHeight(22);
  f.Footer->SetVisible(true);
  SimProcess();
  int clicks = 0, cellRow = -2, cellCol = -2, cellClicks = 0;
  f.Grid->OnClick = [&](TObject *) { ++clicks; };
  f.Grid->OnClickCell = [&](TObject *, int ARow, int ACol) {
    ++cellClicks;
    cellRow = ARow;
    cellCol = ACol;
  };
  SimClick(f.Panel, 50, 5);  // column 1 spans 40..99
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(cellClicks, 1);
  EXPECT_EQ(cellRow, 4);
  EXPECT_EQ(cellCol, 1);

  SimClick(f.Panel, 300, 5);  // right of the last column (ends at 220)
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(cellClicks, 1);
}

TEST(FooterTest, ColumnUnderTheMouse)
{
  TFooterForm f;
  const struct {
    int X, Col;
  } cases[] = {{0, 0}, {39, 0}, {40, 1}, {219, 3}, {220, -1}, {-1, -1}};
  for (const auto &c : cases)
    EXPECT_EQ(f.Panel->ColumnAt(c.X), c.Col) << c.X;
  f.Grid->SetWidth(120);
  f.Grid->SetLeftCol(2);  // column 1 scrolled out
  ASSERT_EQ(f.Grid->LeftCol(), 2);
  EXPECT_EQ(f.Panel->ColumnAt(40), 2);
  EXPECT_EQ(f.Panel->ColumnAt(160), -1);
}

TEST(FooterTest, AssignCopiesTheListedSettingsOnly)
{
  TFooterForm f;
  TFloatingFooter src(nullptr);
  src.SetCalculateHiddenRows(false);
  src.SetColor(clRed);
  src.SetColumn(2);
  src.SetCustomTemplate("T <#1>");
  src.SetFooterStyle(fsCustomPreview);
  src.SetShowHint(true);
  src.SetBorderColor(clBlue);
  src.SetEnableCalculation(false);
  src.SetHeight(30);
  src.SetVisible(true);
  const int height = f.Footer->Height();  // the grid's default row height

  f.Footer->Assign(&src);
  EXPECT_FALSE(f.Footer->CalculateHiddenRows());
  EXPECT_EQ(f.Footer->Color(), clRed);
  EXPECT_EQ(f.Footer->Column(), 2);
  EXPECT_EQ(f.Footer->CustomTemplate(), "T <#1>");
  EXPECT_EQ(f.Footer->FooterStyle(), fsCustomPreview);
  EXPECT_TRUE(f.Footer->ShowHint());
  EXPECT_TRUE(f.Footer->Visible());
  EXPECT_TRUE(f.Panel->Visible());  // through the writer
  EXPECT_EQ(f.Footer->BorderColor(), clNone);
  EXPECT_TRUE(f.Footer->EnableCalculation());
  EXPECT_EQ(f.Footer->Height(), height);
}

TEST(FooterTest, ColumnCalcLivesInTheLastRowCell)
{
  TFooterForm f;
  EXPECT_EQ(f.Footer->ColumnCalc(2), acNONE);
  f.Footer->SetColumnCalc(2, acSUM);
  EXPECT_EQ(f.Footer->ColumnCalc(2), acSUM);
  EXPECT_EQ(f.Grid->CellProperties(2, 4)->CalcType(), acSUM);
  EXPECT_EQ(f.Footer->ColumnCalc(1), acNONE);
}

TEST(FooterTest, PaintsTheStripAndItsTopLineAcrossThePaintedWidthOnly)
{
  TFooterForm f;
  f.Grid->SetOptions(f.Grid->Options() - goFixedVertLine - goFixedHorzLine);
  f.Footer->SetHeight(22);
  f.Footer->SetVisible(true);
  f.Footer->SetColor(clYellow);
  SimProcess();
  QImage img = GrabControl(f.Panel);
  ASSERT_GT(img.width(), 230);
  EXPECT_EQ(At(img, 100, 10), Rgb(clYellow));
  EXPECT_EQ(At(img, 219, 10), Rgb(clYellow));
  EXPECT_EQ(At(img, 220, 10), Rgb(clWhite));  // right of the last column: the grid's colour
  EXPECT_EQ(At(img, 100, 0), Rgb(clYellow));  // clNone: no top line

  f.Footer->SetBorderColor(clRed);
  SimProcess();
  EXPECT_TRUE(GrabToPng(f.Panel, testsupport::OutputDir() + "/footer_border.png"));
  img = GrabControl(f.Panel);
  EXPECT_EQ(At(img, 0, 0), Rgb(clRed));
  EXPECT_EQ(At(img, 219, 0), Rgb(clRed));
  EXPECT_EQ(At(img, 221, 0), Rgb(clWhite));
  EXPECT_EQ(At(img, 100, 1), Rgb(clYellow));
}

TEST(FooterTest, LastRowStyleSeparators)
{
  TFooterForm f;
  f.Grid->SetGridLineColor(clBlue);
  f.Footer->SetHeight(22);
  f.Footer->SetVisible(true);
  SimProcess();
  EXPECT_TRUE(GrabToPng(f.Panel, testsupport::OutputDir() + "/footer_lines.png"));
  QImage img = GrabControl(f.Panel);
  // Fixed column: its right edge in the grid-line colour; scrolled ones in grey; a white line
  // at each left edge with the default look.
  EXPECT_EQ(At(img, 39, 10), Rgb(clBlue));
  EXPECT_EQ(At(img, 99, 10), 0x808080u);
  EXPECT_EQ(At(img, 40, 10), Rgb(clWhite));
  EXPECT_EQ(At(img, 60, 0), Rgb(clBlue));  // top line (fixed horizontal lines)
  EXPECT_EQ(At(img, 60, 10), Rgb(clBtnFace));
}

TEST(FooterTest, PreviewStyleFramesThePaintedPart)
{
  TFooterForm f;
  f.Footer->SetHeight(22);
  f.Footer->SetFooterStyle(fsColumnPreview);
  f.Footer->SetVisible(true);
  SimProcess();
  EXPECT_TRUE(GrabToPng(f.Panel, testsupport::OutputDir() + "/footer_preview.png"));
  QImage img = GrabControl(f.Panel);
  const int h = img.height();
  ASSERT_EQ(h, 21);
  EXPECT_EQ(At(img, 0, 10), Rgb(clWhite));
  EXPECT_EQ(At(img, 100, 0), Rgb(clWhite));
  EXPECT_EQ(At(img, 100, h - 1), 0x808080u);
  EXPECT_EQ(At(img, 219, 10), 0x808080u);
  EXPECT_EQ(At(img, 100, 10), Rgb(clBtnFace));
}
