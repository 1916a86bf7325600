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

// A transmit twin of a receive table changes a column's load default, editor and items, and adds
// columns of its own between the base's: they take their place and every later column moves on.
TEST(TwinColumns, ChangesLoadAndEditorFieldsAndPutsAddedColumnsInPlace)
{
  const TColumnDiff diffs[] = {
      {.Col = 1, .Load = TLoadPolicy::lpDefault, .Default = QStringLiteral("2.0A"), .Editor = edComboList,
       .Items = TColumnItems{.Fixed = {"None"}, .Positions = true}, .Color = clYellow, .Alignment = taCenter},
      {.Col = 2, .Attribute = "B2", .Reset_Text = QStringLiteral("N"), .Edit_Length = 15, .Max_Size = 30},
      {.Col = 3, .Absent = true},
  };
  const TColumnDesc added[] = {
      {.Col = 1, .Header_Text = 51, .Attribute = "New1"},
      {.Col = 4, .Header_Text = 54, .Attribute = "New4"},
  };
  const std::vector<TColumnDesc> twin = Twin_Columns(Base(), diffs, added);
  struct TRow {
    int Header;
    const char *Attribute;
  } expected[] = {{10, nullptr}, {51, "New1"}, {11, "A"}, {12, "B2"}, {54, "New4"}};
  ASSERT_EQ(twin.size(), std::size(expected));
  for (size_t i = 0; i < twin.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(twin[i].Col, int(i));
    EXPECT_EQ(twin[i].Header_Text, expected[i].Header);
    EXPECT_STREQ(twin[i].Attribute, expected[i].Attribute);
  }
  EXPECT_EQ(twin[2].Load, TLoadPolicy::lpDefault);
  EXPECT_EQ(twin[2].Default, "2.0A");
  EXPECT_EQ(twin[2].Editor, edComboList);
  EXPECT_EQ(twin[2].Items.Fixed, QStringList{"None"});
  EXPECT_TRUE(twin[2].Items.Positions);
  EXPECT_EQ(twin[2].Color, clYellow);
  EXPECT_EQ(twin[2].Alignment, taCenter);
  EXPECT_EQ(twin[3].Reset_Text, "N");
  EXPECT_EQ(twin[3].Edit_Length, 15);
  EXPECT_EQ(twin[3].Max_Size, 30);
  EXPECT_EQ(twin[3].Load, TLoadPolicy::lpRequired);  // fields not named stay the base's

  const TColumnDesc past_end[] = {{.Col = 6}};
  EXPECT_THROW(Twin_Columns(Base(), {}, past_end), Exception);
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
