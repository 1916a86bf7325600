#include "grid/core/zav_string_grid.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "grid/core/grid_helper_classes.h"

namespace {

// One fixed row; normal rows carry their real index in column 0, a word in column 1, a
// number in column 2 and a height of 20 + index.
const char *const Words[] = {"apple", "banana", "apricot", "cherry", "avocado", "blueberry", "almond", "cranberry"};

void Fill(TZavStringGrid &G)
{
  const int n = int(std::size(Words));
  G.SetColCount(3);
  G.SetRowCount(n + 1);
  G.SetFixedRows(1);
  for (int r = 1; r <= n; ++r) {
    G.SetCells(0, r, QString::number(r));
    G.SetCells(1, r, QString::fromLatin1(Words[r - 1]));
    G.SetCells(2, r, QString::number(r * 10));
    G.SetRowHeights(r, 20 + r);
  }
}

std::vector<int> Shown(TZavStringGrid &G)
{
  std::vector<int> rows;
  for (int d = G.FixedRows(); d < G.RowCount(); ++d)
    rows.push_back(G.Cells(0, d).toInt());
  return rows;
}

// Every row is back, in place, with its own texts and height.
void ExpectAllRowsBack(TZavStringGrid &G)
{
  ASSERT_EQ(G.RowCount(), int(std::size(Words)) + 1);
  EXPECT_EQ(G.NumHiddenRows(), 0);
  for (int r = 1; r < G.RowCount(); ++r) {
    EXPECT_EQ(G.Cells(0, r), QString::number(r));
    EXPECT_EQ(G.Cells(1, r), QString::fromLatin1(Words[r - 1]));
    EXPECT_EQ(G.RowHeights(r), 20 + r);
  }
}

void SetCondition(TZavStringGrid &G, int Col, const QString &Condition)
{
  G.Filter()->Clear();
  TFilterData *f = G.Filter()->Add();
  f->SetColumn(int16_t(Col));
  f->SetCondition(Condition);
}

// The protected filter entries, for driving them directly.
class TFilterGrid : public TZavStringGrid {
public:
  using TZavStringGrid::TZavStringGrid;
  using TZavStringGrid::DoFilterSelect;
  using TZavStringGrid::MatchFilter;
};

}  // namespace

TEST(FilterRows, LevelsStackOverHiddenRowsAndLiftOneAtATime)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  g.HideRow(4);  // "cherry", hidden before any filter
  SetCondition(g, 1, "a*");
  g.ApplyFilter();
  EXPECT_EQ(g.FilterLevel(), 1);
  EXPECT_EQ(Shown(g), (std::vector<int>{1, 3, 5, 7}));
  SetCondition(g, 1, "ap*");
  g.ApplyFilter();
  EXPECT_EQ(g.FilterLevel(), 2);
  EXPECT_EQ(Shown(g), (std::vector<int>{1, 3}));
  // An empty filter still adds a level of its own.
  g.Filter()->Clear();
  g.ApplyFilter();
  EXPECT_EQ(g.FilterLevel(), 3);
  EXPECT_EQ(Shown(g), (std::vector<int>{1, 3}));

  EXPECT_TRUE(g.RemoveLastFilter());
  EXPECT_EQ(Shown(g), (std::vector<int>{1, 3}));
  EXPECT_FALSE(g.RemoveLastFilter());
  EXPECT_EQ(Shown(g), (std::vector<int>{1, 3, 5, 7}));
  EXPECT_FALSE(g.RemoveLastFilter());
  EXPECT_EQ(g.FilterLevel(), 0);
  EXPECT_EQ(Shown(g), (std::vector<int>{1, 2, 3, 5, 6, 7, 8}));
  EXPECT_TRUE(g.IsHiddenRow(4));
  EXPECT_FALSE(g.RemoveLastFilter());
  g.UnHideRow(4);
  ExpectAllRowsBack(g);
}

// Lifting every filter keeps rows hidden otherwise, and lifting with no level in force (the
// writer switched off after RemoveAllFilters) throws nothing away and keeps the level at 0.
TEST(FilterRows, LiftingAllLevelsKeepsRowsHiddenOtherwise)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  g.HideRows(6, 7);
  SetCondition(g, 1, "a*");
  g.SetFilterActive(true);
  SetCondition(g, 1, "*r*");
  g.ApplyFilter();
  EXPECT_EQ(Shown(g), (std::vector<int>{3}));

  g.RemoveAllFilters();
  EXPECT_EQ(g.FilterLevel(), 0);
  EXPECT_EQ(Shown(g), (std::vector<int>{1, 2, 3, 4, 5, 8}));
  EXPECT_EQ(g.Filter()->Count(), 1);  // levels were lifted: the conditions stay
  g.SetFilterActive(false);
  EXPECT_EQ(g.FilterLevel(), 0);
  EXPECT_EQ(Shown(g), (std::vector<int>{1, 2, 3, 4, 5, 8}));
  g.RemoveAllFilters();
  EXPECT_EQ(g.Filter()->Count(), 0);  // nothing in force: the conditions go
  g.UnHideRows(6, 7);
  ExpectAllRowsBack(g);
}

TEST(FilterRows, FilterActiveAppliesAndLiftsOneLevel)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  SetCondition(g, 2, ">=50");
  g.SetFilterActive(true);
  EXPECT_TRUE(g.FilterActive());
  EXPECT_EQ(Shown(g), (std::vector<int>{5, 6, 7, 8}));
  g.SetFilterActive(true);  // unchanged: no second level
  EXPECT_EQ(g.FilterLevel(), 1);
  g.SetFilterActive(false);
  EXPECT_EQ(g.FilterLevel(), 0);
  ExpectAllRowsBack(g);
}

TEST(FilterRows, ConditionsCombineInOrder)
{
  struct TCond {
    int Col;
    const char *Condition;
    TFilterOperation Op;
    TFilterCells Data = fcVirtual;
    TFilterMethod Method = fmExpression;
  };
  struct TCase {
    const char *Name;
    std::vector<TCond> Conds;
    std::vector<int> Kept;
  };
  const std::vector<TCase> cases = {
      {"or on two columns", {{1, "b*", foNONE}, {2, "70", foOR}}, {2, 6, 7}},
      {"and on two columns", {{1, "a*", foNONE}, {2, "<40", foAND}}, {1, 3}},
      {"xor", {{1, "a*", foNONE}, {2, "<40", foXOR}}, {2, 5, 7}},
      {"failing short stops before or", {{1, "b*", foSHORT}, {2, "70", foOR}}, {2, 6}},
      {"row text, any case", {{0, "ERR", foNONE, fcRow}}, {4, 6, 8}},
      {"literal is exact", {{1, "app*", foNONE, fcVirtual, fmLiteral}, {1, "apple", foOR, fcVirtual, fmLiteral}}, {1}},
      {"empty condition matches", {{1, "", foNONE}}, {1, 2, 3, 4, 5, 6, 7, 8}},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Name);
    TZavStringGrid g(nullptr);
    Fill(g);
    for (const TCond &k : c.Conds) {
      TFilterData *f = g.Filter()->Add();
      f->SetColumn(int16_t(k.Col));
      f->SetCondition(k.Condition);
      f->SetOperation(k.Op);
      f->SetData(k.Data);
      f->SetMethod(k.Method);
    }
    g.ApplyFilter();
    EXPECT_EQ(Shown(g), c.Kept);
    g.RemoveLastFilter();
    ExpectAllRowsBack(g);
  }
}

TEST(FilterRows, CustomFilterHasTheLastWord)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  SetCondition(g, 1, "b*");
  g.Filter()->Items(0)->SetOperation(foSHORT);
  g.OnCustomFilter = [](TObject *, int ARow, bool &Accept) { Accept = Accept || ARow == 1; };
  g.ApplyFilter();
  EXPECT_EQ(Shown(g), (std::vector<int>{1, 2, 6}));
}

TEST(FilterRows, ConditionChangedDuringARunHoldsForTheRowsAfter)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  SetCondition(g, 1, "a*");
  TFilterData *f = g.Filter()->Items(0);
  f->SetCaseSensitive(true);
  g.OnCustomFilter = [f](TObject *, int ARow, bool &) {
    if (ARow == 4) {
      f->SetCondition("*RY");
      f->SetCaseSensitive(false);
    }
  };
  g.ApplyFilter();
  EXPECT_EQ(Shown(g), (std::vector<int>{1, 3, 6, 8}));
}

TEST(FilterRows, PrefixAndSuffixAreCutBeforeComparing)
{
  TFilterGrid g(nullptr);
  g.SetColCount(1);
  g.SetRowCount(4);
  g.SetFixedRows(1);
  g.SetCells(0, 1, "EUR 12");
  g.SetCells(0, 2, " 5kg kg ");
  g.SetCells(0, 3, "7kg");
  TFilterData *f = g.Filter()->Add();
  f->SetColumn(0);
  f->SetCondition("12");
  f->SetPrefix("EUR ");
  EXPECT_TRUE(g.MatchFilter(1));
  f->SetPrefix("");
  f->SetSuffix("kg");
  f->SetCondition("7");
  EXPECT_TRUE(g.MatchFilter(3));
  // Its first occurrence does not end the text: nothing is cut.
  f->SetMethod(fmLiteral);
  f->SetCondition("5kg kg");
  EXPECT_TRUE(g.MatchFilter(2));
}

TEST(FilterRows, ProgressEndsAtAHundred)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  std::vector<int> seen;
  g.OnFilterProgress = [&](TObject *, int16_t p) { seen.push_back(p); };
  SetCondition(g, 1, "a*");
  g.ApplyFilter();
  ASSERT_EQ(seen.size(), 9u);
  EXPECT_EQ(seen[0], 12);  // 1 / 8 = 12.5, halves to even
  EXPECT_EQ(seen[2], 38);  // 37.5
  EXPECT_EQ(seen[7], 100);
  EXPECT_EQ(seen[8], 100);
}

TEST(FilterRows, NarrowDownNarrowsWidensAndStartsOver)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  g.HideRow(8);
  g.NarrowDown("a", 1);
  EXPECT_EQ(Shown(g), (std::vector<int>{1, 2, 3, 5, 7}));
  g.NarrowDown("ap", 1);
  g.NarrowDown("app", 1);
  EXPECT_EQ(g.FilterLevel(), 3);
  EXPECT_EQ(Shown(g), (std::vector<int>{1}));
  g.NarrowDown("ap", 1);
  EXPECT_EQ(g.FilterLevel(), 2);
  EXPECT_EQ(Shown(g), (std::vector<int>{1, 3}));
  g.NarrowDown("rr", 1);  // unrelated: all levels go, one new one
  EXPECT_EQ(g.FilterLevel(), 1);
  EXPECT_EQ(Shown(g), (std::vector<int>{4, 6}));
  g.NarrowDown("", 1);
  EXPECT_EQ(g.FilterLevel(), 0);
  EXPECT_TRUE(g.IsHiddenRow(8));  // hidden otherwise: kept
  g.UnHideRow(8);
  ExpectAllRowsBack(g);
}

TEST(FilterRows, NarrowDownQuotesABlankOnlyWhenNarrowing)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  g.NarrowDown("a b", 1);
  EXPECT_EQ(g.Filter()->Items(0)->Condition(), "*a b*");
  g.NarrowDown("a bc", 1);
  EXPECT_EQ(g.Filter()->Items(0)->Condition(), "\"*a bc*\"");
  g.NarrowDown("ppl", -1);
  EXPECT_EQ(g.Filter()->Items(0)->Data(), fcRow);
  EXPECT_EQ(Shown(g), (std::vector<int>{1}));
}

TEST(FilterRows, DropDownChoiceSetsAndClearsTheColumnCondition)
{
  TFilterGrid g(nullptr);
  Fill(g);
  g.SetFilterDropDownAuto(true);
  SetCondition(g, 2, "<70");
  int done = 0;
  g.OnFilterDone = [&](TObject *) { ++done; };
  g.SetFilterColumn(1);
  // The list: "(All)" first, then the column's texts sorted.
  g.DoFilterSelect(3);  // "apricot"
  EXPECT_EQ(g.FilterColumn(), -1);
  EXPECT_EQ(Shown(g), (std::vector<int>{3}));
  EXPECT_EQ(g.FilterLevel(), 1);

  g.SetFilterColumn(1);
  g.DoFilterSelect(0);  // "(All)": the column's condition goes, the rest is applied again
  EXPECT_FALSE(g.Filter()->HasFilter(1));
  EXPECT_EQ(g.FilterLevel(), 1);
  EXPECT_EQ(Shown(g), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(done, 2);
}

TEST(FilterRows, CheckedEntriesJoinByOr)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  g.SetFilterDropDownAuto(true);
  g.SetFilterColumn(1);
  std::vector<bool> checked(9, false);
  checked[1] = checked[4] = true;  // "almond", "avocado"
  g.ApplyFilterChecks(checked);
  EXPECT_EQ(Shown(g), (std::vector<int>{5, 7}));
  ASSERT_EQ(g.Filter()->Count(), 2);
  EXPECT_EQ(g.Filter()->Items(0)->Operation(), foNONE);
  EXPECT_EQ(g.Filter()->Items(1)->Operation(), foOR);
}

// Filter levels over rows hidden by HideRow and by contracted nodes, in every order: each step
// keeps every row (shown or in the store, with its own height), lifting all filters keeps the
// other hidden rows hidden, and expanding and showing everything gives the grid back.
TEST(FilterRows, LevelsOverHiddenRowsAndContractedNodesLoseNothing)
{
  using TStep = std::function<void(TZavStringGrid &)>;
  const TStep hide4 = [](TZavStringGrid &g) { g.HideRow(4); };
  const TStep contract1 = [](TZavStringGrid &g) { g.ContractNode(1); };
  const TStep contract5 = [](TZavStringGrid &g) { g.ContractNode(5); };
  const TStep contractAll = [](TZavStringGrid &g) { g.ContractAll(); };
  const TStep expand1 = [](TZavStringGrid &g) { g.ExpandNode(1); };
  const TStep filterA = [](TZavStringGrid &g) {
    SetCondition(g, 1, "a*");
    g.ApplyFilter();
  };
  const TStep filterR = [](TZavStringGrid &g) {
    SetCondition(g, 1, "*r*");
    g.ApplyFilter();
  };
  const TStep liftOne = [](TZavStringGrid &g) { g.RemoveLastFilter(); };
  const TStep liftAll = [](TZavStringGrid &g) { g.RemoveAllFilters(); };
  struct TCase {
    const char *Name;
    std::vector<TStep> Steps;
    std::vector<int> Shown;
  } cases[] = {
      {"contract, filter", {contract1, filterA}, {1, 5, 7}},
      {"contract, filter, lift", {contract1, filterA, liftOne}, {1, 4, 5, 6, 7, 8}},
      {"filter, contract", {filterA, contract5}, {1, 3, 5}},
      {"filter, contract, lift all", {filterA, contract5, liftAll}, {1, 2, 3, 4, 5, 6, 8}},
      {"hidden, contract, two filters, lift all", {hide4, contract1, filterA, filterR, liftAll}, {1, 5, 6, 7, 8}},
      {"hidden, filter, contract, expand, lift", {hide4, filterA, contract1, expand1, liftOne}, {1, 2, 3, 5, 6, 7, 8}},
      {"contract all, filter, lift one", {contractAll, filterR, liftOne}, {1, 4, 5, 8}},
      {"contract all, filter, lift all", {contractAll, filterR, liftAll}, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"lift with nothing in force", {hide4, contract5, liftOne, liftAll}, {1, 2, 3, 5, 8}},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Name);
    TZavStringGrid g(nullptr);
    Fill(g);
    g.AddNode(1, 3);  // apple over banana and apricot
    g.AddNode(5, 3);  // avocado over blueberry and almond
    for (const TStep &step : c.Steps) {
      step(g);
      ASSERT_EQ(g.RowCount() + g.NumHiddenRows(), int(std::size(Words)) + 1);
      EXPECT_GE(g.FilterLevel(), 0);
      for (int d = g.FixedRows(); d < g.RowCount(); ++d)
        EXPECT_EQ(g.RowHeights(d), 20 + g.Cells(0, d).toInt()) << d;
    }
    EXPECT_EQ(Shown(g), c.Shown);
    g.RemoveAllFilters();
    g.ExpandAll();
    g.UnHideRowsAll();
    ExpectAllRowsBack(g);
    EXPECT_EQ(g.NumNodes(), 2);
  }
}
