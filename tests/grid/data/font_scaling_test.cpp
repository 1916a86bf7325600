// The fixed and active-cell fonts scale with the grid.
#include "grid/core/zav_string_grid.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(FontScaling, FixedAndActiveCellFontsFollowTheRatio)
{
  struct TCase {
    int M, D;
    int Fixed, Active;  // sizes after scaling 8 and 10
  } cases[] = {
      {144, 96, 12, 15},
      {96, 96, 8, 10},
      {96, 144, 5, 7},  // 5.33 and 6.67, rounded to the nearest
      {120, 96, 10, 13},  // 12.5 rounds away from zero, as the platform's MulDiv
      {96, 0, 8, 10},  // no ratio: nothing changes
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(testing::Message() << c.M << "/" << c.D);
    TZavStringGrid g(nullptr);
    g.FixedFont()->SetSize(8);
    g.ActiveCellFont()->SetSize(10);
    g.ChangeScale(c.M, c.D);
    EXPECT_EQ(g.FixedFont()->Size(), c.Fixed);
    EXPECT_EQ(g.ActiveCellFont()->Size(), c.Active);
  }
}

TEST(FontScaling, InverseRatioRestoresTheSizes)
{
  TZavStringGrid g(nullptr);
  g.FixedFont()->SetSize(8);
  g.ActiveCellFont()->SetSize(10);
  g.ChangeScale(144, 96);
  g.ChangeScale(96, 144);
  EXPECT_EQ(g.FixedFont()->Size(), 8);
  EXPECT_EQ(g.ActiveCellFont()->Size(), 10);
}

} // namespace
