#include "grid/core/column_index_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The map's answers against a plain walk over the hidden flags.
void ExpectMappingMatchesTheFlags(const TColumnIndexMap &M, int Reals)
{
  int displ = 0, hidden = 0;
  for (int real = 0; real < Reals; ++real) {
    if (M.IsHidden(real)) {
      ++hidden;
      continue;
    }
    EXPECT_EQ(M.DisplToReal(displ), real) << "display " << displ;
    EXPECT_EQ(M.RealToDispl(real), displ) << "real " << real;
    ++displ;
  }
  EXPECT_EQ(M.HiddenCount(), hidden);
}

TColumnIndexMap Hidden(const std::vector<int> &Reals)
{
  TColumnIndexMap m;
  for (int r : Reals)
    m.Hide(r, 100 + r);
  return m;
}

std::vector<int> HiddenOf(const TColumnIndexMap &M)
{
  std::vector<int> h;
  for (int c = 0; c < TColumnIndexMap::Capacity; ++c)
    if (M.IsHidden(c))
      h.push_back(c);
  return h;
}

TEST(ColumnIndexMap, MapsBothWaysWhateverIsHidden)
{
  const std::vector<std::vector<int>> sets = {{}, {0}, {3}, {2, 3, 4}, {1, 5, 9}, {0, 1, 2}, {511}, {7, 300, 510}};
  for (const auto &s : sets) {
    SCOPED_TRACE(testing::Message() << "hidden " << testing::PrintToString(s));
    TColumnIndexMap m = Hidden(s);
    ExpectMappingMatchesTheFlags(m, TColumnIndexMap::Capacity);
    for (int r : s)
      EXPECT_EQ(m.Width(r), 100 + r);
  }
}

TEST(ColumnIndexMap, IndexesOutsideTheMappedRange)
{
  TColumnIndexMap m = Hidden({2});
  struct {
    int Displ, Real;
  } toReal[] = {{-1, 0}, {510, 511}, {511, 0}, {600, 600}};
  for (auto t : toReal)
    EXPECT_EQ(m.DisplToReal(t.Displ), t.Real) << "display " << t.Displ;
  EXPECT_EQ(m.RealToDispl(-3), -3);
  EXPECT_EQ(m.RealToDispl(600), 600);
  m.Hide(-1, 5);
  m.Hide(512, 5);
  EXPECT_EQ(m.HiddenCount(), 1);
  EXPECT_FALSE(m.IsHidden(512));
  EXPECT_EQ(m.Width(512), 0);
  m.SetWidth(512, 9);  // ignored, no write past the table
  EXPECT_EQ(TColumnIndexMap().DisplToReal(-4), -4);  // nothing hidden: every index is itself
}

TEST(ColumnIndexMap, ShowingGivesTheRememberedWidthBack)
{
  TColumnIndexMap m = Hidden({4, 6});
  m.Hide(4, 1);  // already hidden: the width stays
  EXPECT_EQ(m.Show(4), 104);
  EXPECT_EQ(m.Show(4), 104);  // shown already: nothing changes
  EXPECT_EQ(m.HiddenCount(), 1);
  m.SetWidth(6, 60);
  EXPECT_EQ(m.Show(6), 60);
  ExpectMappingMatchesTheFlags(m, 20);
}

// Structural edits move flags and widths with their columns.
TEST(ColumnIndexMap, FlagsAndWidthsFollowTheColumns)
{
  struct {
    const char *Name;
    std::vector<int> Before;
    void (*Op)(TColumnIndexMap &);
    int Answer;  // of Removed or DropAfterShown
    std::vector<int> After;
    std::vector<std::pair<int, int>> Widths;  // real column, remembered width
  } cases[] = {
      {"remove before", {5, 8}, [](TColumnIndexMap &m) { m.Removed(1, 2); }, -1, {3, 6}, {{3, 105}, {6, 108}}},
      {"remove a hidden one", {5, 8}, [](TColumnIndexMap &m) { m.Removed(4, 2); }, -1, {6}, {{6, 108}}},
      {"remove answers the hidden", {2, 3, 9}, nullptr, 2, {6}, {{6, 109}}},
      {"insert before", {5}, [](TColumnIndexMap &m) { m.Inserted(2, 3, 64); }, -1, {8}, {{8, 105}, {2, 64}, {4, 64}}},
      {"insert after", {5}, [](TColumnIndexMap &m) { m.Inserted(6, 1, 64); }, -1, {5}, {{5, 105}, {6, 64}}},
      {"insert past the capacity", {510}, [](TColumnIndexMap &m) { m.Inserted(0, 4, 64); }, -1, {}, {}},
      {"move right", {2}, [](TColumnIndexMap &m) { m.Moved(2, 6); }, -1, {6}, {{6, 102}}},
      {"move left over", {2, 6}, [](TColumnIndexMap &m) { m.Moved(6, 1); }, -1, {1, 3}, {{1, 106}, {3, 102}}},
      {"drop after the cut", {1, 4, 7}, nullptr, 1, {1, 4}, {{1, 101}, {4, 104}}},
      {"drop nothing before the cut", {1, 2}, [](TColumnIndexMap &m) { m.DropAfterShown(3); }, -1, {1, 2}, {}},
  };
  for (const auto &k : cases) {
    SCOPED_TRACE(k.Name);
    TColumnIndexMap m = Hidden(k.Before);
    if (k.Op)
      k.Op(m);
    else if (std::string(k.Name).rfind("remove", 0) == 0)
      EXPECT_EQ(m.Removed(1, 3), k.Answer);
    else
      EXPECT_EQ(m.DropAfterShown(4), k.Answer);
    EXPECT_EQ(HiddenOf(m), k.After);
    for (auto [real, width] : k.Widths)
      EXPECT_EQ(m.Width(real), width) << "real " << real;
    ExpectMappingMatchesTheFlags(m, TColumnIndexMap::Capacity);
  }
}

}  // namespace
