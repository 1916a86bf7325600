// Cell accessors, row flags, check boxes and the column grid on a grid with hidden columns and
// hidden rows at once: real indexes reach every cell, display indexes only the shown ones.
#include <gtest/gtest.h>

#include <memory>

#include "framework/classes/classes.h"
#include "framework/controls/forms.h"
#include "grid/core/cell_graphic.h"
#include "grid/core/column_collection.h"
#include "grid/core/column_grid.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"

namespace {

QString Text(int c, int r) { return QString("%1.%2").arg(c).arg(r); }

// 6 columns and 8 rows, one fixed of each, every cell named after its real place; real column 2
// and real rows 2 and 5 hidden.
template <typename TGrid>
void FillAndHide(TGrid *g)
{
  g->SetColCount(6);
  g->SetRowCount(8);
  for (int c = 0; c < 6; ++c)
    for (int r = 0; r < 8; ++r)
      g->SetCells(c, r, Text(c, r));
  g->HideColumn(2);
  g->HideRow(5);
  g->HideRow(2);
}

TEST(IntegHidden, RealIndexesReachEveryCellThroughHiddenColumnsAndRows)
{
  TZavStringGrid g(nullptr);
  int marker = 0;
  auto *obj = reinterpret_cast<TObject *>(&marker);
  g.SetColCount(6);
  g.SetRowCount(8);
  g.SetObjects(2, 5, obj);  // a hidden column of a hidden row
  FillAndHide(&g);
  ASSERT_EQ(g.ColCount(), 5);
  ASSERT_EQ(g.RowCount(), 6);
  for (int c = 0; c < 6; ++c)
    for (int r = 0; r < 8; ++r) {
      EXPECT_EQ(g.AllCells(c, r), Text(c, r)) << c << "," << r;
      EXPECT_EQ(g.AllGridCells(c, r), Text(c, r)) << c << "," << r;
    }
  EXPECT_EQ(g.AllObjects(2, 5), obj);
  EXPECT_EQ(g.AllObjects(3, 5), nullptr);

  g.SetAllCells(2, 2, "h");  // hidden row and column
  g.SetAllCells(4, 6, "s");  // shown, below both hidden rows
  g.SetRowColor(3, clRed);   // display row 3 is real row 4
  EXPECT_EQ(g.Cells(4, 4), "s");
  g.UnHideRowsAll();
  g.UnHideColumnsAll();
  EXPECT_EQ(g.Cells(2, 2), "h");
  EXPECT_EQ(g.Cells(4, 6), "s");
  EXPECT_EQ(g.Objects(2, 5), obj);
  for (int c = 1; c < 6; ++c) {
    EXPECT_EQ(g.Colors(c, 4), clRed) << c;  // the hidden column too
    EXPECT_NE(g.Colors(c, 3), clRed) << c;
  }
}

TEST(IntegHidden, SelectionToRowSelectFlagsRealRowsWhenPersistent)
{
  for (bool persistent : {false, true}) {
    TZavStringGrid g(nullptr);
    FillAndHide(&g);
    g.MouseActions()->SetDisjunctRowSelect(true);
    g.MouseActions()->SetRowSelectPersistent(persistent);
    g.SetSelection(TGridRect(1, 2, 3, 3));  // display rows 2 and 3: real rows 3 and 4
    g.SelectionToRowSelect(true);
    for (int r = 1; r < 8; ++r) {
      const bool want = persistent ? (r == 3 || r == 4) : (r == 2 || r == 3);
      EXPECT_EQ(g.RowSelect(r), want) << persistent << " row " << r;
    }
  }
}

// With hidden rows the check-box accessors take real rows: the box of a shown row below a
// hidden one, and the box of a hidden row, are read and written at their own rows.
TEST(IntegHidden, CheckBoxesTakeRealRowsWhileRowsAreHidden)
{
  TForm form(nullptr);
  auto *g = new TZavColumnGrid(&form);
  g->SetColCount(4);
  g->SetRowCount(7);
  g->Columns()->Items(1)->SetEditor(edDataCheckBox);
  const char *data[] = {"", "Y", "N", "Y", "N", "N", "Y"};
  for (int r = 1; r < 7; ++r) {
    g->SetCells(1, r, data[r]);
    g->AddCheckBox(2, r, r % 2 == 0, false);
  }
  g->HideRow(2);
  g->HideRow(3);
  for (int r = 1; r < 7; ++r) {
    bool state = false;
    EXPECT_TRUE(g->GetCheckBoxState(1, r, state)) << "data " << r;
    EXPECT_EQ(state, QString(data[r]) == "Y") << "data " << r;
    EXPECT_TRUE(g->GetCheckBoxState(2, r, state)) << "plain " << r;
    EXPECT_EQ(state, r % 2 == 0) << "plain " << r;
  }
  EXPECT_TRUE(g->SetCheckBoxState(1, 5, true));  // shown: display row 3
  EXPECT_TRUE(g->SetCheckBoxState(1, 3, false));  // hidden
  EXPECT_EQ(g->AllCells(1, 5), "Y");
  EXPECT_EQ(g->AllCells(1, 3), "N");
  EXPECT_EQ(g->AllCells(1, 4), "N");
}

struct TProbeColumnGrid : TZavColumnGrid {
  using TZavColumnGrid::TZavColumnGrid;
  using TZavColumnGrid::DoIsFixedCell;
  using TZavColumnGrid::GetEditLimit;
  using TZavColumnGrid::GetEditMask;
};

TEST(IntegHidden, ColumnGridItemsFollowRealColumns)
{
  TForm form(nullptr);
  auto *g = new TProbeColumnGrid(&form);
  g->SetRowCount(3);
  g->SetColCount(6);
  for (int i = 0; i < 6; ++i) {
    TGridColumnItem *c = g->Columns()->Items(i);
    c->SetHeader(QString("H%1").arg(i));
    c->SetEditLength(10 + i);
    c->SetEditMask(QString("M%1").arg(i));
    c->SetFixed(i == 3);
    g->SetCells(i, 1, Text(i, 1));
  }
  g->HideColumn(2);
  ASSERT_EQ(g->ColCount(), 5);
  EXPECT_EQ(g->Columns()->Count(), 6);

  // Display column d is real column d, or d + 1 after the hidden one.
  for (int d = 1; d < 5; ++d) {
    const int real = d < 2 ? d : d + 1;
    bool fixed = false;
    g->DoIsFixedCell(d, 1, fixed);
    EXPECT_EQ(fixed, real == 3) << d;
    EXPECT_EQ(g->GetEditMask(d, 1), real == 3 ? "" : QString("M%1").arg(real)) << d;
    g->FocusCell(d, 1);
    EXPECT_EQ(g->GetEditLimit(), real == 3 ? 0 : 10 + real) << d;
  }

  g->Columns()->Items(4)->SetWidth(70);  // an item's update keeps the shown count
  EXPECT_EQ(g->ColCount(), 5);
  g->SetColCount(4);  // one shown column less: the last item goes, the hidden one's stays
  EXPECT_EQ(g->Columns()->Count(), 5);
  EXPECT_EQ(g->Columns()->Items(2)->Header(), "H2");
  g->SetColCount(5);

  for (int d = 0; d < 5; ++d)
    g->SetColWidths(d, 30 + 5 * d);
  // Display 1 to display 3 is real 1 to real 4: the item and the cells move by real index.
  int from = -1, to = -1;
  g->OnAfterColumnMoved = [&](TObject *, int F, int T) { from = F, to = T; };
  g->MoveColumn(1, 3);
  EXPECT_EQ(from, 1);
  EXPECT_EQ(to, 4);
  const char *headers[] = {"H0", "H2", "H3", "H4", "H1", ""};  // the last item was made anew
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(g->Columns()->Items(i)->Header(), headers[i]) << i;
  const int cellFrom[] = {0, 3, 4, 1, 5};  // real column each display column now shows
  for (int d = 0; d < 5; ++d)
    EXPECT_EQ(g->Cells(g->RealColIndex(d), 1), Text(cellFrom[d], 1)) << d;
  const int widths[] = {30, 40, 45, 35, 50};
  for (int d = 0; d < 5; ++d) {
    EXPECT_EQ(g->ColWidths(d), widths[d]) << d;
    EXPECT_EQ(g->Columns()->Items(g->RealColIndex(d))->Width(), widths[d]) << d;
  }
  EXPECT_TRUE(g->IsHiddenColumn(1));  // the hidden column shifts with its item and cells
  EXPECT_EQ(g->AllCells(1, 1), Text(2, 1));
}

// Properties and graphics in hidden rows, hidden columns and beyond the counts are all freed
// with the grid (the sanitizer build reports any that are not).
TEST(IntegHidden, DestroyingAGridWithHiddenColumnsAndRowsFreesEveryCellObject)
{
  auto g = std::make_unique<TZavStringGrid>(nullptr);
  TStringList items;
  items.Add("a");
  items.Add("b");
  g->SetColCount(6);
  g->SetRowCount(8);
  for (int r = 1; r < 8; ++r) {
    g->AddCheckBox(1, r, true, false);
    g->SetColors(2, r, clYellow);
    g->AddRadio(3, r, 0, 0, &items);
  }
  g->MergeCells(4, 1, 2, 2);
  g->HideColumn(2);
  g->HideColumn(3);
  g->HideRows(2, 3);
  g->SetRowCount(4);  // rows 4 and beyond keep their objects past the count
  g->SetColCount(3);
  g.reset();
  SUCCEED();
}

}  // namespace
