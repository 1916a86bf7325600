#include "framework/system/types.h"

#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"

enum class Fruit { Apple, Pear, Plum };

TEST(Types, RectIntersectionAndUnionFollowExclusiveEdges)
{
  TRect r;
  EXPECT_TRUE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
  EXPECT_EQ(r, Rect(5, 5, 10, 10));
  EXPECT_FALSE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)));  // touching edges share no pixel
  EXPECT_EQ(r, TRect());
  EXPECT_TRUE(UnionRect(r, TRect(), Rect(1, 2, 3, 4)));
  EXPECT_EQ(r, Rect(1, 2, 3, 4));
  EXPECT_FALSE(Rect(0, 0, 10, 10).Contains(Point(10, 5)));
}

TEST(Types, SetsCombineLikeTheOriginalSets)
{
  TSet<Fruit> s{Fruit::Apple};
  s += Fruit::Plum;
  EXPECT_TRUE(s.Contains(Fruit::Plum));
  EXPECT_FALSE(s.Contains(Fruit::Pear));
  EXPECT_EQ(s - TSet<Fruit>{Fruit::Apple}, TSet<Fruit>{Fruit::Plum});
  EXPECT_EQ(clBtnFace, 0xFF00000Fu);
  EXPECT_EQ(RGB(1, 2, 3), 0x030201u);
}
