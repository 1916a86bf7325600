// One picture of a base grid with everything its painter combines: merged blocks, gradients,
// mark-up texts and a rounded selection.
#include "grid/foundation/base_grid.h"
#include "grid/foundation/markup_render.h"

#include <gtest/gtest.h>

#include <QImage>

#include <functional>
#include <memory>

#include "framework/controls/forms.h"
#include "framework/testing/input.h"
#include "tests/support/test_support.h"

namespace {

// Cell colours from the cells' properties, as the grids built on this one keep them; cell texts
// drawn as mark-up.
class TPictureGrid : public TBaseGrid {
public:
  using TBaseGrid::TBaseGrid;
  QStringList Drawn;

  void SetLook(int ACol, int ARow, TColor From, TColor To = clNone, TCellGradientDirection Dir = GradientVertical)
  {
    TCellProperties *p = CellProperties(ACol, ARow);
    p->SetBrushColor(From);
    p->SetBrushColorTo(To);
    p->SetGradientDirection(Dir);
  }

  void GetVisualProperties(int ACol, int ARow, TGridDrawState &, bool, bool, bool, TBrush *ABrush,
                           TColor &AColorTo, TColor &, TColor &, TFont *, TAlignment &, TVAlignment &, bool &,
                           TCellGradientDirection &GD) override
  {
    if (!HasCellProperties(ACol, ARow))
      return;
    const TCellProperties *p = CellProperties(ACol, ARow);
    if (p->BrushColor() == clNone)
      return;
    ABrush->SetColor(p->BrushColor());
    AColorTo = p->BrushColorTo();
    GD = p->GradientDirection();
  }

  void DrawCellContent(TCanvas *ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState) override
  {
    Drawn << QString("%1,%2").arg(ACol).arg(ARow);
    QString anchor, plain, focusAnchor, title, cid, cv, ct;
    int w = 0, h = 0, count = 0, mouseAnchor = -1;
    TRect anchorRect, controlRect;
    ARect.Left += 2;
    ARect.Top += 2;
    ACanvas->Brush()->SetStyle(bsClear);
    RenderHTMLText(ACanvas, Cells(ACol, ARow), ARect, nullptr, -1, -1, -1, -1, 1, false, false, false, false,
                   false, false, true, false, 1.0, clBlue, clNone, clNone, clGray, anchor, plain, focusAnchor,
                   title, w, h, count, mouseAnchor, anchorRect, controlRect, cid, cv, ct, nullptr, nullptr,
                   nullptr, 0);
  }
};

QRgb Rgb(TColor c)
{
  c = ColorToRGB(c);
  return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

bool Near(QRgb A, QRgb B, int Tol = 12)
{
  return std::abs(qRed(A) - qRed(B)) <= Tol && std::abs(qGreen(A) - qGreen(B)) <= Tol &&
         std::abs(qBlue(A) - qBlue(B)) <= Tol;
}

int CountPixels(const QImage &Img, const TRect &R, const std::function<bool(QRgb)> &Test)
{
  int n = 0;
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left; x < R.Right; ++x)
      n += Test(Img.pixel(x, y)) ? 1 : 0;
  return n;
}

bool Dark(QRgb c) { return qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100; }

}  // namespace

TEST(BaseGridPicture, MergedBlocksGradientsMarkupAndSelectionTogether)
{
  // 6 x 8 cells of 64 x 24 pixels, one fixed row and column.
  TForm form(nullptr);
  form.SetClientSize(400, 200);
  auto *g = new TPictureGrid(&form);
  g->SetParent(&form);
  g->SetBorderStyle(bsNone);
  g->SetScrollBars(ssNone);
  g->SetColCount(6);
  g->SetRowCount(8);
  g->SetDefaultColWidth(64);
  g->SetDefaultRowHeight(24);
  g->SetColor(clWhite);
  g->SetFixedColor(clBtnFace);
  g->SetBounds(0, 0, 384, 192);
  g->SetOptions(g->Options() + goRangeSelect);
  for (int c = 1; c < 6; ++c)
    g->SetCells(c, 0, QString("<B>Col %1</B>").arg(c));
  for (int r = 1; r < 8; ++r)
    g->SetCells(0, r, QString::number(r));

  // A 2 x 2 block in a colour, a 3 x 1 block with a gradient, gradient cells and mark-up cells.
  g->MergeCells(1, 1, 2, 2);
  g->SetCells(1, 1, "<FONT color=\"#0000FF\">Merged</FONT> block");
  g->SetLook(1, 1, TColor(0xC0FFC0));
  g->MergeCells(3, 1, 3, 1);
  g->SetCells(3, 1, "Wide block");
  g->SetLook(3, 1, clWhite, TColor(0xFFC080), GradientHorizontal);
  g->SetLook(3, 2, clYellow, clRed);
  g->SetCells(1, 3, "<B>Text</B>");
  g->SetCells(2, 3, "Text");
  g->SetCells(3, 3, "<FONT color=\"#FF0000\">Red</FONT>");
  g->SetCells(4, 3, "<A href=\"x\">link</A>");
  g->SetCells(5, 3, "<I>it</I> &amp; <U>u</U>");
  g->SetCells(2, 5, "sel <B>bold</B>");

  g->SetSelectionStyle(ssOffice2007);
  g->SetSelection(TGridRect(1, 5, 3, 5));
  form.Show();
  g->SetFocus();
  SimProcess();
  ASSERT_TRUE(g->Focused());
  g->Drawn.clear();
  g->Invalidate();
  SimProcess();
  ASSERT_TRUE(GrabToPng(g, testsupport::OutputDir() + "/base_grid_picture.png"));
  const QImage img = GrabControl(g);

  // The 2 x 2 block (x 64..191, y 24..71) in one colour with no inner lines, its text once.
  for (auto [x, y] : {std::pair{127, 60}, {160, 47}, {127, 47}, {180, 66}})
    EXPECT_EQ(img.pixel(x, y), Rgb(TColor(0xC0FFC0))) << x << "," << y;
  EXPECT_EQ(img.pixel(160, 71), Rgb(clSilver));
  EXPECT_EQ(g->Drawn.count("2,1") + g->Drawn.count("1,2") + g->Drawn.count("2,2"), 0);
  EXPECT_GE(g->Drawn.count("1,1"), 1);
  EXPECT_LE(g->Drawn.count("1,1"), 2);
  EXPECT_GT(CountPixels(img, TRect(64, 24, 190, 70), [](QRgb c) { return qBlue(c) > 150 && qRed(c) < 100; }), 10);
  // The 3 x 1 block runs one horizontal gradient over its three columns.
  EXPECT_TRUE(Near(img.pixel(193, 45), Rgb(clWhite), 8));
  EXPECT_TRUE(Near(img.pixel(380, 45), Rgb(TColor(0xFFC080)), 8));
  // A vertical gradient.
  EXPECT_TRUE(Near(img.pixel(220, 48), Rgb(clYellow)));
  EXPECT_TRUE(Near(img.pixel(220, 70), Rgb(clRed), 24));

  // Mark-up: bold text darkens more pixels than the same plain text, colours and the link show.
  const int bold = CountPixels(img, TRect(64, 72, 127, 95), Dark);
  const int plain = CountPixels(img, TRect(128, 72, 191, 95), Dark);
  EXPECT_GT(plain, 10);
  EXPECT_GT(bold, plain + plain / 5);
  EXPECT_GT(CountPixels(img, TRect(192, 72, 255, 95), [](QRgb c) { return qRed(c) > 150 && qGreen(c) < 100; }), 10);
  EXPECT_GT(CountPixels(img, TRect(256, 72, 319, 95), [](QRgb c) { return qBlue(c) > 150 && qRed(c) < 100; }), 10);

  // The Office 2007 selection: one box over three cells, closed by its border at both ends.
  const QRgb border = Rgb(TColor(0x8DD7D3));
  EXPECT_EQ(img.pixel(64, 132), border);
  EXPECT_EQ(img.pixel(254, 132), border);
  EXPECT_NE(img.pixel(128, 132), border);
  // Upper half light to deep yellow, lower half from deep yellow back to light.
  EXPECT_TRUE(Near(img.pixel(100, 122), Rgb(TColor(0xD7FFFD))));
  EXPECT_TRUE(Near(img.pixel(100, 131), Rgb(TColor(0x58D4FC))));
  EXPECT_TRUE(Near(img.pixel(100, 140), Rgb(TColor(0xB3F1FC)), 24));
  EXPECT_GT(CountPixels(img, TRect(130, 122, 190, 140), Dark), 10);

  // Vista's set: its own border and a fill without the lower half.
  g->SetSelectionStyle(ssVista);
  g->Invalidate();
  SimProcess();
  ASSERT_TRUE(GrabToPng(g, testsupport::OutputDir() + "/base_grid_picture_vista.png"));
  const QImage vista = GrabControl(g);
  EXPECT_EQ(vista.pixel(64, 132), Rgb(TColor(0xFDDE99)));
  EXPECT_EQ(vista.pixel(254, 132), Rgb(TColor(0xFDDE99)));
  EXPECT_TRUE(Near(vista.pixel(100, 122), Rgb(TColor(0xFDF8F1))));
  EXPECT_TRUE(Near(vista.pixel(100, 140), Rgb(TColor(0xFCEFD5))));
}
