#include "grid/foundation/base_grid.h"

#include <gtest/gtest.h>

#include "framework/controls/forms.h"
#include "framework/testing/input.h"

namespace {

// A bare base grid of 6 x 6 cells (one fixed row and column) with the protected parts open.
class TProbeBaseGrid : public TBaseGrid {
public:
  explicit TProbeBaseGrid(TComponent *AOwner) : TBaseGrid(AOwner)
  {
    SetColCount(6);
    SetRowCount(6);
  }
  using TBaseGrid::FindBaseCell;
  using TBaseGrid::FNormalRowCount;
  using TBaseGrid::FreeCellProperties;
  using TBaseGrid::HasCellProperties;
};

// Named as the grid's own cell graphic, which the grid frees with the cell.
class TCellGraphic : public TObject {
public:
  static inline int Alive = 0;
  TCellGraphic() { ++Alive; }
  ~TCellGraphic() override { --Alive; }
};

// A base grid on a shown form, for what needs a window.
TProbeBaseGrid *ShownGrid(TForm &Form)
{
  Form.SetClientSize(500, 300);
  auto *g = new TProbeBaseGrid(&Form);
  g->SetParent(&Form);
  g->SetBounds(0, 0, 480, 280);
  Form.Show();
  return g;
}

struct TCellCase {
  int c, r;
  bool base, merged, nonBase, xMerged, yMerged;
  TPoint baseCell, span, ext;
  TRect full;
};

TEST(BaseGrid, MergedBlockAnswersEverySpanQuery)
{
  TProbeBaseGrid g(nullptr);
  g.MergeCells(2, 1, 3, 2);  // columns 2..4, rows 1..2
  g.MergeCells(1, 3, 1, 3);  // column 1, rows 3..5
  const TCellCase cases[] = {
      {2, 1, true, true, false, true, true, {2, 1}, {2, 1}, {2, 1}, {2, 1, 4, 2}},
      {3, 1, false, true, true, true, true, {2, 1}, {2, 1}, {1, 1}, {2, 1, 4, 2}},
      {4, 2, false, true, true, true, true, {2, 1}, {2, 1}, {0, 0}, {2, 1, 4, 2}},
      {2, 2, false, true, true, true, true, {2, 1}, {2, 1}, {2, 0}, {2, 1, 4, 2}},
      {1, 4, false, true, true, false, true, {1, 3}, {0, 2}, {0, 1}, {1, 3, 1, 5}},
      {1, 3, true, true, false, false, true, {1, 3}, {0, 2}, {0, 2}, {1, 3, 1, 5}},
      {5, 5, true, false, false, false, false, {5, 5}, {0, 0}, {0, 0}, {5, 5, 5, 5}},
      {-1, 2, true, false, false, false, false, {-1, 2}, {0, 0}, {0, 0}, {-1, 2, -1, 2}},
      {3, 9, true, false, false, false, false, {3, 9}, {0, 0}, {0, 0}, {3, 9, 3, 9}},
  };
  for (const TCellCase &k : cases) {
    SCOPED_TRACE(testing::Message() << "cell " << k.c << "," << k.r);
    EXPECT_EQ(g.IsBaseCell(k.c, k.r), k.base);
    EXPECT_EQ(g.IsMergedCell(k.c, k.r), k.merged);
    EXPECT_EQ(g.IsMergedNonBaseCell(k.c, k.r), k.nonBase);
    EXPECT_EQ(g.IsXMergedCell(k.c, k.r), k.xMerged);
    EXPECT_EQ(g.IsYMergedCell(k.c, k.r), k.yMerged);
    EXPECT_EQ(g.BaseCell(k.c, k.r), k.baseCell);
    EXPECT_EQ(g.CellSpan(k.c, k.r), k.span);
    EXPECT_EQ(g.CellExt(k.c, k.r), k.ext);
    EXPECT_EQ(g.FullCell(k.c, k.r), k.full);
    int bc = 0, br = 0;
    EXPECT_EQ(g.FindBaseCell(k.c, k.r, bc, br), k.base);
    EXPECT_EQ(TPoint(bc, br), k.baseCell);
  }
  // The encoding itself: the base holds the block's size less one, the others their offsets.
  TCellProperties *other = g.CellProperties(4, 2);
  EXPECT_EQ(TPoint(other->CellSpanX(), other->CellSpanY()), TPoint(2, 1));
  EXPECT_FALSE(other->IsBaseCell());
  EXPECT_EQ(g.MergeCount(), 2);

  EXPECT_EQ(g.MinRowSpan(1), 1);
  EXPECT_EQ(g.MaxRowSpan(4), 2);
  EXPECT_EQ(g.MinRowSpan(0), g.RowCount());
  EXPECT_EQ(g.MaxRowSpan(0), 0);

  g.SplitCells(3, 2);  // any cell of the block splits it all
  for (int c = 2; c <= 4; ++c)
    for (int r = 1; r <= 2; ++r) {
      EXPECT_FALSE(g.IsMergedCell(c, r));
      EXPECT_EQ(g.BaseCell(c, r), TPoint(c, r));
    }
  EXPECT_TRUE(g.IsMergedCell(1, 5));
}

TEST(BaseGrid, SpanIdentityOfRowsAndColumns)
{
  TProbeBaseGrid g(nullptr);
  bool found = true;
  EXPECT_TRUE(g.RowSpanIdentical(1, 2, found));
  EXPECT_FALSE(found);

  g.MergeCells(1, 1, 1, 2);  // rows 1..2 in column 1
  g.MergeCells(3, 1, 1, 3);  // rows 1..3 in column 3
  EXPECT_TRUE(g.RowSpanIdentical(1, 2, found));
  EXPECT_TRUE(found);
  g.MergeCells(1, 3, 1, 2);  // rows 3..4 in column 1: rows 2 and 3 now split column 1's blocks
  EXPECT_FALSE(g.RowSpanIdentical(2, 3, found));
  EXPECT_TRUE(found);

  TProbeBaseGrid h(nullptr);
  h.MergeCells(1, 1, 2, 1);
  EXPECT_TRUE(h.ColSpanIdentical(1, 2, found));
  EXPECT_TRUE(found);
  h.MergeCells(3, 2, 2, 1);  // columns 3..4 merged in row 2 only, columns 2 and 3 differ
  EXPECT_FALSE(h.ColSpanIdentical(2, 3, found));
  h.SplitCells(3, 2);
  h.MergeCells(2, 3, 2, 1);  // columns 2..3 in row 3; row 1 still has 2 merged, 3 not
  EXPECT_FALSE(h.ColSpanIdentical(2, 3, found));
}

TEST(BaseGrid, MergeCountFallsOnlyWhenABlockIsSplitAndNeverBelowZero)
{
  TProbeBaseGrid g(nullptr);
  g.SplitCells(2, 2);  // nothing merged
  EXPECT_EQ(g.MergeCount(), 0);
  g.MergeCells(1, 1, 2, 2);
  g.MergeCells(3, 3, 2, 1);
  EXPECT_EQ(g.MergeCount(), 2);
  g.SplitCells(2, 2);
  EXPECT_EQ(g.MergeCount(), 1);
  g.SplitCells(2, 2);  // already split
  g.SplitCells(5, 5);
  EXPECT_EQ(g.MergeCount(), 1);
  g.SplitCells(4, 3);
  g.SplitCells(4, 3);
  EXPECT_EQ(g.MergeCount(), 0);
}

TEST(BaseGrid, CellsOutsideTheGridAreLeftAloneAndABlockIsClipped)
{
  TProbeBaseGrid g(nullptr);
  g.MergeCells(4, 4, 5, 5);  // reaches past the last column and row
  EXPECT_EQ(g.CellSpan(4, 4), TPoint(1, 1));
  EXPECT_EQ(g.FullCell(5, 5), TRect(4, 4, 5, 5));
  EXPECT_EQ(g.GridObjects(6, 6), nullptr);
  EXPECT_EQ(g.GridObjects(8, 4), nullptr);

  g.MergeCells(7, 1, 2, 2);
  g.MergeCells(-1, 1, 2, 2);
  EXPECT_EQ(g.MergeCount(), 1);
  EXPECT_EQ(g.GridObjects(7, 1), nullptr);
  EXPECT_EQ(g.CellProperties(6, 0), nullptr);
  EXPECT_EQ(g.CellProperties(0, -1), nullptr);
  g.SplitCells(9, 9);
  EXPECT_EQ(g.GridObjects(9, 9), nullptr);
  EXPECT_EQ(g.MergeCount(), 1);
  g.SetObjects(9, 9, &g);
  EXPECT_EQ(g.GridObjects(9, 9), nullptr);
}

TEST(BaseGrid, TextOfABlockLivesInItsBaseCell)
{
  TProbeBaseGrid g(nullptr);
  g.SetCells(3, 2, "hidden");
  g.MergeCells(2, 1, 2, 2);
  EXPECT_EQ(g.Cells(3, 2), "");
  g.SetCells(3, 2, "block");
  EXPECT_EQ(g.GridCells(2, 1), "block");
  EXPECT_EQ(g.GridCells(3, 2), "hidden");
  EXPECT_EQ(g.Cells(2, 2), "block");
  g.SplitCells(2, 1);
  EXPECT_EQ(g.Cells(3, 2), "hidden");
  EXPECT_EQ(g.Cells(2, 1), "block");
}

TEST(BaseGrid, PropertiesAreCreatedOnlyWhenAsked)
{
  TProbeBaseGrid g(nullptr);
  g.SetColor(clYellow);
  g.SetWordWrap(false);
  g.Font()->SetName("Arial");
  g.SetCells(2, 2, "x");
  g.Objects(2, 2);
  g.GraphicObjects(2, 2);
  g.IsMergedCell(2, 2);
  g.CellSpan(2, 2);
  g.CellExt(2, 2);
  g.Cells(2, 2);
  EXPECT_EQ(g.GridObjects(2, 2), nullptr);
  EXPECT_FALSE(g.HasCellProps());

  TCellProperties *p = g.CellProperties(2, 2);
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(g.HasCellProps());
  EXPECT_EQ(g.GridObjects(2, 2), p);
  EXPECT_EQ(g.CellProperties(2, 2), p);
  EXPECT_EQ(p->BrushColor(), clYellow);
  EXPECT_EQ(p->BrushColorTo(), clNone);
  EXPECT_FALSE(p->WordWrap());
  EXPECT_EQ(p->FontName(), "Arial");
  EXPECT_EQ(p->Alignment(), taLeftJustify);
  EXPECT_EQ(p->VAlignment(), vtaTop);
  EXPECT_EQ(TPoint(p->OwnerCol(), p->OwnerRow()), TPoint(2, 2));
  EXPECT_EQ(TPoint(p->CellSpanX(), p->CellSpanY()), TPoint(-1, -1));
  EXPECT_TRUE(p->IsBaseCell());
  EXPECT_FALSE(g.IsMergedCell(2, 2));
}

TEST(BaseGrid, ObjectsGoIntoThePropertiesAndTheTextStays)
{
  TObject a, b;  // outlive the grid, which looks at its graphic objects when it goes
  TProbeBaseGrid g(nullptr);
  g.SetObjects(1, 1, &a);
  EXPECT_EQ(g.Cells(1, 1), "");
  EXPECT_EQ(g.Objects(1, 1), &a);
  EXPECT_NE(g.GridObjects(1, 1), &a);
  EXPECT_EQ(g.CellProperties(1, 1)->CellObject(), reinterpret_cast<uintptr_t>(&a));
  g.SetCells(2, 1, "kept");
  g.SetGraphicObjects(2, 1, &b);
  EXPECT_EQ(g.Cells(2, 1), "kept");
  EXPECT_EQ(g.GraphicObjects(2, 1), &b);
  EXPECT_EQ(g.Objects(2, 1), nullptr);
}

TEST(BaseGrid, SettingThePropertiesObjectKeepsOrFreesWhatItShould)
{
  TCellGraphic::Alive = 0;
  {
    TProbeBaseGrid g(nullptr);
    TCellProperties *p = g.CellProperties(1, 1);
    g.SetCellProperties(1, 1, p);  // already there: must stay usable
    EXPECT_EQ(g.GridObjects(1, 1), p);
    p->SetFontSize(12);
    EXPECT_EQ(g.CellProperties(1, 1)->FontSize(), 12);

    TObject own;
    p->SetGraphicObject(new TCellGraphic);
    auto *q = new TCellProperties(&g, 1, 1);
    g.SetCellProperties(1, 1, q);  // the replaced cell graphic is the grid's
    EXPECT_EQ(TCellGraphic::Alive, 0);
    q->SetGraphicObject(&own);  // anything else belongs to the caller
    g.SetCellProperties(1, 1, nullptr);
    EXPECT_EQ(g.GridObjects(1, 1), nullptr);

    g.SetGraphicObjects(2, 2, new TCellGraphic);
    auto *loose = new TCellGraphic;
    g.SetGraphicObjects(3, 3, loose);
    g.FreeCellProperties(3, 3);  // one cell's properties only, not its graphic
    EXPECT_EQ(TCellGraphic::Alive, 2);
    delete loose;
  }
  EXPECT_EQ(TCellGraphic::Alive, 0);  // the grid freed the one still in a cell
}

TEST(BaseGrid, CellsBeyondTheCountsAreKept)
{
  TCellGraphic::Alive = 0;
  {
    TProbeBaseGrid g(nullptr);
    g.SetCells(4, 4, "far");
    g.MergeCells(4, 4, 2, 2);
    g.SetGraphicObjects(5, 5, new TCellGraphic);
    g.SetRowCount(3);
    g.SetColCount(3);
    EXPECT_FALSE(g.IsMergedCell(4, 4));
    EXPECT_FALSE(g.HasCellProperties(4, 4));
    EXPECT_EQ(g.GraphicObjects(5, 5), nullptr);
    g.SetRowCount(6);
    g.SetColCount(6);
    EXPECT_TRUE(g.IsMergedCell(5, 5));
    EXPECT_EQ(g.Cells(5, 5), "far");
    g.SetRowCount(3);  // and left beyond the counts when the grid goes
  }
  EXPECT_EQ(TCellGraphic::Alive, 0);
}

TEST(BaseGrid, DisplayHooksSeeTheBaseCellOfNormalRows)
{
  TProbeBaseGrid g(nullptr);
  g.MergeCells(2, 1, 2, 1);
  g.SetCells(2, 1, "v");
  QStringList seen;
  g.OnGetDisplText = [&](TObject *, int c, int r, QString &v) {
    seen << QString("%1,%2").arg(c).arg(r);
    v += "!";
  };
  EXPECT_EQ(g.Cells(3, 1), "v");  // a bare grid has no normal rows
  g.FNormalRowCount = 3;
  EXPECT_EQ(g.Cells(3, 1), "v!");
  EXPECT_EQ(seen, QStringList{"2,1"});

  g.SetCells(1, 2, QStringLiteral("|\\") + QChar(0x04) + QChar(0x10));  // packed U+0410
  g.OnGetDisplText = nullptr;
  g.OnGetDisplWideText = [&](TObject *, int, int, QString &v) { v += QChar(0x0411); };
  EXPECT_EQ(g.Cells(1, 2), QStringLiteral("|\\") + QChar(0x04) + QChar(0x10) + QChar(0x04) + QChar(0x11));
}

TEST(BaseGrid, ABlockIsOneRectangleOnScreen)
{
  TForm form(nullptr);
  TProbeBaseGrid *g = ShownGrid(form);
  g->SetColWidths(3, 0);  // a hidden column inside the block
  g->MergeCells(2, 1, 3, 2);
  TRect base = static_cast<TCustomGrid *>(g)->CellRect(2, 1);
  TRect last = static_cast<TCustomGrid *>(g)->CellRect(4, 2);
  TRect block(base.Left, base.Top, last.Right, last.Bottom);
  EXPECT_EQ(g->CellRect(3, 2), block);
  EXPECT_EQ(g->CellRect(2, 1), block);
  EXPECT_EQ(g->CellSize(4, 1), TPoint(block.Width(), block.Height()));
  EXPECT_EQ(g->CellRect(5, 5), static_cast<TCustomGrid *>(g)->CellRect(5, 5));
}

TEST(BaseGrid, ArrowKeysStepOverABlock)
{
  TForm form(nullptr);
  TProbeBaseGrid *g = ShownGrid(form);
  g->MergeCells(2, 1, 2, 2);
  g->SetCol(2);
  g->SetRow(1);
  SimKeyDown(g, VK_RIGHT);
  EXPECT_EQ(TPoint(g->Col(), g->Row()), TPoint(4, 1));
  SimKeyDown(g, VK_LEFT);
  EXPECT_EQ(TPoint(g->Col(), g->Row()), TPoint(2, 1));  // onto the base of the block
  SimKeyDown(g, VK_DOWN);
  EXPECT_EQ(TPoint(g->Col(), g->Row()), TPoint(2, 3));
  SimKeyDown(g, VK_UP);
  EXPECT_EQ(TPoint(g->Col(), g->Row()), TPoint(2, 1));
}

}  // namespace

namespace {

TEST(BaseGrid, AssigningPropertiesCopiesTheLookButNotTheGradientOrTheGraphic)
{
  TProbeBaseGrid g(nullptr);
  TObject graphic, calc;
  TCellProperties *src = g.CellProperties(1, 1);
  src->SetIsBaseCell(false);
  src->SetCellSpanX(1);
  src->SetCellSpanY(2);
  src->SetCellObject(7);
  src->SetAlignment(taCenter);
  src->SetBorderColor(clRed);
  src->SetBorderWidth(2);
  src->SetBrushColor(clBlue);
  src->SetBrushStyle(bsCross);
  src->SetFontColor(clGreen);
  src->SetFontStyle({fsBold});
  src->SetFontName("Courier");
  src->SetFontSize(14);
  src->SetReadOnly(true);
  src->SetEditor(edCheckBox);
  src->SetVAlignment(vtaBottom);
  src->SetWordWrap(false);
  src->SetNodeLevel(3);
  src->SetBrushColorTo(clAqua);
  src->SetGradientDirection(GradientHorizontal);
  src->SetGraphicObject(&graphic);
  src->SetCalcType(acSUM);
  src->SetCalcObject(&calc);
  src->SetPaintID(9);

  TCellProperties *dst = g.CellProperties(4, 4);
  dst->Assign(src);
  EXPECT_FALSE(dst->IsBaseCell());
  EXPECT_EQ(TPoint(dst->CellSpanX(), dst->CellSpanY()), TPoint(1, 2));
  EXPECT_EQ(TPoint(dst->OwnerCol(), dst->OwnerRow()), TPoint(1, 1));
  EXPECT_EQ(dst->CellObject(), 7u);
  EXPECT_EQ(dst->Alignment(), taCenter);
  EXPECT_EQ(dst->BorderColor(), clRed);
  EXPECT_EQ(dst->BorderWidth(), 2);
  EXPECT_EQ(dst->BrushColor(), clBlue);
  EXPECT_EQ(dst->BrushStyle(), bsCross);
  EXPECT_EQ(dst->FontColor(), clGreen);
  EXPECT_EQ(dst->FontStyle(), TFontStyles{fsBold});
  EXPECT_EQ(dst->FontName(), "Courier");
  EXPECT_EQ(dst->FontSize(), 14);
  EXPECT_TRUE(dst->ReadOnly());
  EXPECT_EQ(dst->Editor(), edCheckBox);
  EXPECT_EQ(dst->VAlignment(), vtaBottom);
  EXPECT_FALSE(dst->WordWrap());
  EXPECT_EQ(dst->NodeLevel(), 3);
  // left as they were
  EXPECT_EQ(dst->BrushColorTo(), clNone);
  EXPECT_EQ(dst->GradientDirection(), GradientVertical);
  EXPECT_EQ(dst->GraphicObject(), nullptr);
  EXPECT_EQ(dst->CalcType(), acNONE);
  EXPECT_EQ(dst->CalcObject(), nullptr);
  EXPECT_EQ(dst->PaintID(), 0);
  EXPECT_EQ(dst->OwnerGrid(), &g);
  src->SetGraphicObject(nullptr);
}

}  // namespace
