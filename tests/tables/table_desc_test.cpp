// Twin grids built from a base description and a table of differences.
#include "tables/table_desc.h"

#include "framework/system/sysutils.h"

#include <gtest/gtest.h>

namespace {

const std::vector<TColumnDesc> &Base()
{
  static const std::vector<TColumnDesc> Columns = {
      {.Col = 0, .Header_Text = 10, .Width = 40},
      {.Col = 1, .Header_Text = 11, .Hint_Text = 21, .Attribute = "A", .Width = 50},
      {.Col = 2, .Header_Text = 12, .Hint_Text = 22, .Attribute = "B", .Width = 60},
      {.Col = 3, .Header_Text = 13, .Hint_Text = 23, .Attribute = "C", .Hidden = true, .Width = 70},
  };
  return Columns;
}

struct TExpected {
  int Col, Header, Hint, Width;
  const char *Attribute;
  bool Hidden;
};

TEST(TwinColumns, DropsAbsentColumnsRenumbersAndAppliesOnlyTheGivenFields)
{
  struct Case {
    const char *name;
    std::vector<TColumnDiff> diffs;
    std::vector<TExpected> expected;
  };
  const Case cases[] = {
      {"no differences", {}, {{0, 10, 0, 40, nullptr, false}, {1, 11, 21, 50, "A", false}, {2, 12, 22, 60, "B", false},
                              {3, 13, 23, 70, "C", true}}},
      {"texts, width and hidden",
       {{.Col = 0, .Header_Text = 90}, {.Col = 2, .Hint_Text = 0, .Width = 99}, {.Col = 3, .Hidden = false}},
       {{0, 90, 0, 40, nullptr, false}, {1, 11, 21, 50, "A", false}, {2, 12, 0, 99, "B", false},
        {3, 13, 23, 70, "C", false}}},
      {"a column left out",
       {{.Col = 1, .Absent = true}, {.Col = 3, .Header_Text = 83}},
       {{0, 10, 0, 40, nullptr, false}, {1, 12, 22, 60, "B", false}, {2, 83, 23, 70, "C", true}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<TColumnDesc> twin = Twin_Columns(Base(), c.diffs);
    ASSERT_EQ(twin.size(), c.expected.size());
    for (size_t i = 0; i < twin.size(); ++i) {
      SCOPED_TRACE(i);
      const TExpected &e = c.expected[i];
      EXPECT_EQ(twin[i].Col, e.Col);
      EXPECT_EQ(twin[i].Header_Text, e.Header);
      EXPECT_EQ(twin[i].Hint_Text, e.Hint);
      EXPECT_EQ(twin[i].Width, e.Width);
      EXPECT_STREQ(twin[i].Attribute, e.Attribute);
      EXPECT_EQ(twin[i].Hidden, e.Hidden);
    }
  }
}

TEST(TwinColumns, ADifferenceOutsideTheBaseOrABaseOutOfOrderRaises)
{
  const TColumnDiff beyond[] = {{.Col = 4, .Header_Text = 1}};
  EXPECT_THROW(Twin_Columns(Base(), beyond), Exception);
  const TColumnDiff negative[] = {{.Col = -1, .Absent = true}};
  EXPECT_THROW(Twin_Columns(Base(), negative), Exception);
  std::vector<TColumnDesc> unordered = Base();
  std::swap(unordered[1], unordered[2]);
  EXPECT_THROW(Twin_Columns(unordered, {}), Exception);
}

}  // namespace
