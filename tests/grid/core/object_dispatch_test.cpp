#include "grid/core/zav_string_grid.h"

#include <gtest/gtest.h>

#include "framework/controls/forms.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/grid_utils.h"

namespace {

class TProbeGrid : public TZavStringGrid {
public:
  using TZavStringGrid::TZavStringGrid;
  using TZavStringGrid::DoCanEditCell;
  using TZavStringGrid::DoGetAlignment;
  using TZavStringGrid::DoGetCellColor;
  using TZavStringGrid::DoGridHint;
  using TZavStringGrid::DoIsFixedCell;
  using TZavStringGrid::GetCheckFalseText;
  using TZavStringGrid::GetCheckTrueText;
  using TZavStringGrid::GetColumnFilterList;
  using TZavStringGrid::HasNoEditor;
  using TZavStringGrid::HasSpinEditor;
  using TZavStringGrid::QueryCanEdit;
};

struct ObjectDispatch : ::testing::Test {
  TForm form{nullptr};
  TProbeGrid *g = new TProbeGrid(&form);
};

// Events that take the row first get (row, col) from a dispatcher called with (col, row).
TEST_F(ObjectDispatch, DispatchersPutRowFirstWhereTheEventDoes)
{
  QString order;
  g->OnGridHint = [&](TObject *, int ARow, int ACol, QString &) { order += QString("hint %1,%2;").arg(ARow).arg(ACol); };
  g->OnCanEditCell = [&](TObject *, int ARow, int ACol, bool &) { order += QString("edit %1,%2;").arg(ARow).arg(ACol); };
  g->OnGetAlignment = [&](TObject *, int ARow, int ACol, TAlignment &, TVAlignment &) {
    order += QString("align %1,%2;").arg(ARow).arg(ACol);
  };
  g->OnIsFixedCell = [&](TObject *, int ARow, int ACol, bool &) { order += QString("fixed %1,%2;").arg(ARow).arg(ACol); };
  g->OnGetCheckTrue = [&](TObject *, int ACol, int ARow, QString &) { order += QString("true %1,%2;").arg(ACol).arg(ARow); };
  QString hint, wide;
  g->DoGridHint(2, 5, hint, wide);
  bool b = true;
  g->DoCanEditCell(2, 5, b);
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  g->DoGetAlignment(2, 5, ha, va);
  bool fixed = false;
  g->DoIsFixedCell(2, 5, fixed);
  QString v;
  g->GetCheckTrueText(2, 5, v);
  EXPECT_EQ(order, "hint 5,2;edit 5,2;align 5,2;fixed 5,2;true 2,5;");
}

TEST_F(ObjectDispatch, WideHintReplacesTheHintPacked)
{
  g->OnGridHint = [](TObject *, int, int, QString &H) { H = "plain"; };
  QString hint, wide;
  g->DoGridHint(1, 1, hint, wide);
  EXPECT_EQ(hint, "plain");
  g->OnGridWideHint = [](TObject *, int, int, QString &W) { W = QString::fromUtf16(u"\u0416"); };
  g->DoGridHint(1, 1, hint, wide);
  EXPECT_EQ(hint, PackWideText(QString::fromUtf16(u"\u0416")));
}

TEST_F(ObjectDispatch, FixedCellEventRunsOnlyForCellsNotAlreadyFixed)
{
  int asked = 0;
  g->OnIsFixedCell = [&](TObject *, int, int, bool &F) { ++asked; F = true; };
  struct TCase { int c, r; bool fixed; int asked; } cases[] = {{0, 3, true, 0}, {2, 0, true, 0}, {2, 3, true, 1}};
  for (const auto &k : cases) {
    asked = 0;
    bool fixed = false;
    g->DoIsFixedCell(k.c, k.r, fixed);
    EXPECT_EQ(fixed, k.fixed) << k.c << "," << k.r;
    EXPECT_EQ(asked, k.asked) << k.c << "," << k.r;
  }
}

TEST_F(ObjectDispatch, EditorQueries)
{
  g->SetDefaultEditor(edNone);
  EXPECT_FALSE(g->HasNoEditor(1, 1));  // no handler
  g->OnGetEditorType = [](TObject *, int ACol, int, TEditorType &E) { if (ACol == 2) E = edNone; };
  EXPECT_TRUE(g->HasNoEditor(2, 1));
  EXPECT_FALSE(g->HasNoEditor(3, 1));
  g->OnHasSpinEdit = [](TObject *, int, int, bool &H) { H = true; };
  EXPECT_FALSE(g->HasSpinEditor(0, 2));  // fixed column
  EXPECT_TRUE(g->HasSpinEditor(2, 2));
}

TEST_F(ObjectDispatch, CheckTextsStartFromTheGridsTexts)
{
  QString t, f;
  g->GetCheckTrueText(1, 1, t);
  g->GetCheckFalseText(1, 1, f);
  EXPECT_EQ(t + f, "YN");
  g->OnGetCheckFalse = [](TObject *, int, int, QString &V) { V += "o"; };
  g->GetCheckFalseText(1, 1, f);
  EXPECT_EQ(f, "No");
}

TEST_F(ObjectDispatch, QueryCanEditFollowsReadOnlyAndEditingOption)
{
  g->CellProperties(2, 2)->SetReadOnly(false);
  bool can = true;
  g->QueryCanEdit(2, 2, can);
  EXPECT_FALSE(can);  // no goEditing
  g->MouseActions()->SetRangeSelectAndEdit(true);
  can = true;
  g->QueryCanEdit(2, 2, can);
  EXPECT_TRUE(can);
  g->CellProperties(2, 2)->SetReadOnly(true);
  can = true;
  g->QueryCanEdit(2, 2, can);
  EXPECT_FALSE(can);
  can = true;
  g->QueryCanEdit(3, 3, can);  // no properties: the caller's default, then the event
  EXPECT_TRUE(can);
}

TEST_F(ObjectDispatch, ActiveCellShowHighlightsTheHeadersOfTheCurrentCell)
{
  g->SetActiveCellShow(true);
  g->SetActiveCellColor(clBlue);
  g->SetCol(3);
  g->SetRow(4);
  struct TCase { int c, r; bool active; } cases[] = {{0, 4, true}, {3, 0, true}, {0, 3, false}, {2, 0, false}, {3, 4, false}};
  for (const auto &k : cases) {
    TBrush brush;
    TFont font;
    brush.SetColor(clWhite);
    g->DoGetCellColor(k.c, k.r, TGridDrawState(), &brush, &font);
    EXPECT_EQ(brush.Color() == clBlue, k.active) << k.c << "," << k.r;
    EXPECT_EQ(font.Style().Contains(fsBold), k.active) << k.c << "," << k.r;
  }
}

TEST_F(ObjectDispatch, HotmailRowSelectCentresColumnZero)
{
  g->MouseActions()->SetHotmailRowSelect(true);
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  g->DoGetAlignment(0, 1, ha, va);
  EXPECT_EQ(ha, taCenter);
  ha = taLeftJustify;
  g->DoGetAlignment(1, 1, ha, va);
  EXPECT_EQ(ha, taLeftJustify);
}

TEST_F(ObjectDispatch, AutomaticFilterListIsSortedDistinctAfterTheClearEntry)
{
  g->SetRowCount(4);
  g->SetCells(1, 1, "c");
  g->SetCells(1, 2, "a b");
  g->SetCells(1, 3, "a b");
  g->SetFilterDropDownAuto(true);
  EXPECT_TRUE(g->GetColumnFilterList(1));
  EXPECT_EQ(g->FilterList()->Text(), "(All)\r\na b=\"a b\"\r\nc\r\n");
  EXPECT_FALSE(g->GetColumnFilterList(0) && g->FilterList()->Count() > 1);  // fixed column
}

}  // namespace
