#include "grid/foundation/int_lists.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/system/sysutils.h"

namespace {

std::vector<int> Values(const TIntList &l)
{
  std::vector<int> v;
  for (int i = 0; i < l.Count(); ++i) v.push_back(l[i]);
  return v;
}

// Entries as (column, ascending).
std::vector<std::pair<int, bool>> Entries(const TSortIndexList &l)
{
  std::vector<std::pair<int, bool>> v;
  for (int i = 0; i < l.Count(); ++i) v.emplace_back(l.SortColumns(i), l.SortDirections(i));
  return v;
}

// Counts OnChange calls and checks that each hands back the list and its remembered cell.
struct ChangeCounter {
  int calls = 0;
  void Attach(TIntList &l, int col, int row)
  {
    l.OnChange = [this, &l, col, row](TObject *Sender, int ACol, int ARow) {
      EXPECT_EQ(Sender, &l);
      EXPECT_EQ(ACol, col);
      EXPECT_EQ(ARow, row);
      ++calls;
    };
  }
};

TEST(IntList, ChangeNotificationPerOperation)
{
  struct Case {
    const char *name;
    std::function<void(TIntList &)> op;
    std::vector<int> after;
    int changes;
  };
  const Case cases[] = {
      {"Add", [](TIntList &l) { l.Add(9); }, {4, -1, 12, 9}, 1},
      {"Insert", [](TIntList &l) { l.Insert(1, 9); }, {4, 9, -1, 12}, 0},
      {"Delete", [](TIntList &l) { l.Delete(0); }, {-1, 12}, 1},
      {"DeleteValue present", [](TIntList &l) { l.DeleteValue(12); }, {4, -1}, 1},
      {"DeleteValue absent", [](TIntList &l) { l.DeleteValue(7); }, {4, -1, 12}, 0},
      {"Items write", [](TIntList &l) { l.SetItems(2, 0); }, {4, -1, 0}, 1},
      {"Items write same value", [](TIntList &l) { l.SetInteger(0, 4); }, {4, -1, 12}, 1},
      {"Clear", [](TIntList &l) { l.Clear(); }, {}, 0},
  };
  for (const Case &c : cases) {
    TIntList l(3, 8);
    l.Add(4);
    l.Add(-1);
    l.Add(12);
    ChangeCounter counter;
    counter.Attach(l, 3, 8);
    c.op(l);
    EXPECT_EQ(Values(l), c.after) << c.name;
    EXPECT_EQ(counter.calls, c.changes) << c.name;
  }
}

TEST(IntList, HasValueAndIndexErrors)
{
  TIntList l(0, 0);
  l.Add(5);
  l.Add(-5);
  EXPECT_TRUE(l.HasValue(-5));
  EXPECT_FALSE(l.HasValue(6));
  EXPECT_THROW(l.Items(2), EListError);
  EXPECT_THROW(l.SetItems(-1, 1), EListError);
  EXPECT_THROW(l.Delete(2), EListError);
}

TEST(IntList, StrValueReadsTheEntriesJoinedByCommas)
{
  TIntList l(0, 0);
  EXPECT_EQ(l.StrValue(), "");
  l.Add(4);
  EXPECT_EQ(l.StrValue(), "4");
  l.Add(-1);
  l.Add(12);
  EXPECT_EQ(l.StrValue(), "4,-1,12");
}

TEST(IntList, StrValueWriteUsesCommaTextRules)
{
  struct Case {
    const char *text;
    std::vector<int> values;
  };
  const Case cases[] = {
      {"1, 2", {1, 2}},
      {"1 2", {1, 2}},
      {"\"3\",4", {3, 4}},
      {"  -7 ,$10", {-7, 16}},
      {"", {}},
  };
  for (const Case &c : cases) {
    TIntList l(1, 2);
    l.Add(99);
    ChangeCounter counter;
    counter.Attach(l, 1, 2);
    l.SetStrValue(c.text);
    EXPECT_EQ(Values(l), c.values) << c.text;
    // Clearing is silent; each value added reports once.
    EXPECT_EQ(counter.calls, int(c.values.size())) << c.text;
  }
}

TEST(IntList, StrValueWriteStopsAtTheFirstPieceThatIsNoInteger)
{
  const char *texts[] = {"1,x,3", "1,,3", "1,2.5", "1,\"3 4\""};
  for (const char *text : texts) {
    TIntList l(0, 0);
    l.Add(99);
    EXPECT_THROW(l.SetStrValue(text), EConvertError) << text;
    EXPECT_EQ(Values(l), std::vector<int>{1}) << text;
  }
}

TEST(SortIndexList, LoadFromStringTable)
{
  using E = std::vector<std::pair<int, bool>>;
  struct Case {
    const char *text;
    E entries;
  };
  const Case cases[] = {
      {"u2;d5;u0", {{2, true}, {5, false}, {0, true}}},
      {"u3;;d1", {{3, true}, {1, false}}},
      {"U3", {{3, false}}},
      {"x7", {{7, false}}},
      {"u;d;;", {}},
      {"", {}},
      {"u1;", {{1, true}}},
      {"u 12", {{12, true}}},
      {"u+4", {{4, true}}},
      {"u12abc;d9", {{12, true}, {9, false}}},
      {"uabc", {{0, true}}},
      {"u$1F", {{31, true}}},
      {"d0x10", {{16, false}}},
      {"u70000", {{70000, true}}},
  };
  for (const Case &c : cases) {
    TSortIndexList l(0, 0);
    l.AddIndex(42, true);
    l.LoadFromString(c.text);
    EXPECT_EQ(Entries(l), c.entries) << c.text;
  }
}

TEST(SortIndexList, SaveToStringTable)
{
  struct Case {
    std::vector<std::pair<int, bool>> entries;
    const char *text;
  };
  const Case cases[] = {
      {{}, ""},
      {{{2, true}, {5, false}, {0, true}}, "u2;d5;u0"},
      {{{70000, true}}, "u4464"},
      {{{65536 + 3, false}}, "d3"},
  };
  for (const Case &c : cases) {
    TSortIndexList l(0, 0);
    for (auto [col, asc] : c.entries) l.AddIndex(col, asc);
    EXPECT_EQ(l.SaveToString().toStdString(), c.text);
    TSortIndexList back(0, 0);
    back.LoadFromString(l.SaveToString());
    EXPECT_EQ(back.SaveToString(), l.SaveToString());
  }
}

TEST(SortIndexList, EntriesKeepTheDirectionInBit31)
{
  TSortIndexList l(0, 0);
  l.AddIndex(2, true);
  l.AddIndex(5, false);
  EXPECT_EQ(l[0], 2);
  EXPECT_EQ(uint32_t(l[1]), 0x80000005u);

  EXPECT_EQ(l.FindIndex(5), 1);  // the direction does not count
  EXPECT_EQ(l.FindIndex(3), -1);

  l.SetSortColumns(1, 7);  // keeps descending
  EXPECT_EQ(uint32_t(l[1]), 0x80000007u);
  l.SetSortDirections(1, true);
  EXPECT_EQ(l[1], 7);
  l.SetSortDirections(0, false);
  EXPECT_FALSE(l.GetSortDirections(0));
  EXPECT_EQ(l.GetSortColumns(0), 2);
}

TEST(SortIndexList, ToggleIndexFlipsTheFirstEntryOfTheColumn)
{
  TSortIndexList l(4, 6);
  l.AddIndex(1, true);
  l.AddIndex(3, true);
  l.AddIndex(3, false);
  ChangeCounter counter;
  counter.Attach(l, 4, 6);

  l.ToggleIndex(3);
  EXPECT_EQ(l.SaveToString(), "u1;d3;d3");
  EXPECT_EQ(counter.calls, 1);

  l.ToggleIndex(9);
  EXPECT_EQ(l.SaveToString(), "u1;d3;d3");
  EXPECT_EQ(counter.calls, 1);
}

}  // namespace
