// Cell controls, file pictures, line-by-line string lists and button colours.
#include "grid/foundation/grid_helpers.h"

#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(GridHelpersControlList, FirstItemOfACellAndItemsFreedWithoutTheirControls)
{
  TControl a(nullptr), b(nullptr);
  {
    TControlList list;
    list.AddControl(1, 2, &a);
    list.AddControl(3, 4, &b);
    list.AddControl(3, 4, &a);
    EXPECT_EQ(list.ControlIndex(3, 4), 1);
    EXPECT_EQ(list.ControlIndex(1, 2), 0);
    EXPECT_EQ(list.ControlIndex(4, 3), -1);
    EXPECT_EQ(list.Control(1), &b);
    list.RemoveControl(1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.ControlIndex(3, 4), 1);
    EXPECT_EQ(list.Control(1), &a);
  }
  // The controls outlive the list (ASan reports a freed control).
  EXPECT_EQ(a.Left(), b.Left());
}

TEST(GridHelpersControlList, HasHandleOnlyForAWindowedControlsOwnWindow)
{
  TWinControl w(nullptr);
  TControl plain(nullptr);
  TControlList list;
  list.AddControl(0, 0, &plain);
  EXPECT_FALSE(list.HasHandle(w.Handle()));
  list.AddControl(0, 1, &w);
  EXPECT_TRUE(list.HasHandle(w.Handle()));
  EXPECT_FALSE(list.HasHandle(HWND{}));
}

TEST(GridHelpersFileStringList, WritesJoinPendingTextIntoOneLine)
{
  TFileStringList l;
  l.Write("a");
  l.Write("b");
  l.WriteLn("c");
  l.WriteLn("d");
  ASSERT_EQ(l.Count(), 2);
  EXPECT_EQ(l.Strings(0), "abc");
  EXPECT_EQ(l.Strings(1), "d");
  // Reset drops text written since the last line end.
  l.Write("lost");
  l.Reset();
  l.WriteLn("e");
  EXPECT_EQ(l.Strings(2), "e");
}

TEST(GridHelpersFileStringList, ReadsLineByLineAndPastTheEndGivesEmptyLines)
{
  TFileStringList l;
  EXPECT_TRUE(l.Eof());
  l.Add("x");
  l.Add("y");
  QString s;
  EXPECT_FALSE(l.Eof());
  l.ReadLn(s);
  EXPECT_EQ(s, "x");
  l.ReadLn(s);
  EXPECT_EQ(s, "y");
  EXPECT_TRUE(l.Eof());
  s = "stale";
  l.ReadLn(s);
  EXPECT_EQ(s, "");
  // The position did not run past the end: a line added now is read next.
  l.Add("z");
  EXPECT_FALSE(l.Eof());
  l.ReadLn(s);
  EXPECT_EQ(s, "z");
  l.Reset();
  l.ReadLn(s);
  EXPECT_EQ(s, "x");
}

class GridHelpersFilePicture : public ::testing::Test {
protected:
  void SetUp() override
  {
    dir = std::filesystem::temp_directory_path() /
          ("grid_helpers_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    file = QString::fromStdString((dir / "red.bmp").string());
    TBitmap bmp(6, 4);
    bmp.Canvas()->Brush()->SetColor(clRed);
    bmp.Canvas()->FillRect(TRect(0, 0, 6, 4));
    bmp.SaveToFile(file);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::filesystem::path dir;
  QString file;
};

TEST_F(GridHelpersFilePicture, SizeReadOnceAndFileReadOnEveryDraw)
{
  TFilePicture p;
  p.SetFilename(file);
  EXPECT_EQ(p.Width(), 6);
  EXPECT_EQ(p.Height(), 4);
  TBitmap out(20, 20);
  out.Canvas()->Brush()->SetColor(clBlack);
  out.Canvas()->FillRect(TRect(0, 0, 20, 20));
  p.DrawPicture(out.Canvas(), TRect(2, 2, 14, 10));
  EXPECT_EQ(out.Canvas()->Pixels(2, 2), clRed);
  EXPECT_EQ(out.Canvas()->Pixels(13, 9), clRed);
  EXPECT_EQ(out.Canvas()->Pixels(14, 9), clBlack);

  TFilePicture copy;
  copy.Assign(&p);
  EXPECT_EQ(copy.Filename(), file);
  EXPECT_EQ(copy.Width(), 6);
  EXPECT_EQ(copy.Height(), 4);

  // The file is not kept: drawing after it is gone draws nothing, and keeps the size.
  std::filesystem::remove(file.toStdString());
  out.Canvas()->FillRect(TRect(0, 0, 20, 20));
  p.DrawPicture(out.Canvas(), TRect(2, 2, 14, 10));
  EXPECT_EQ(out.Canvas()->Pixels(2, 2), clBlack);
  EXPECT_EQ(p.Width(), 6);

  TFilePicture empty;
  empty.DrawPicture(out.Canvas(), TRect(2, 2, 14, 10));
  EXPECT_EQ(out.Canvas()->Pixels(2, 2), clBlack);
}

TEST(GridHelpersButtonGradient, BandsStepFromColourToColourAndFrame)
{
  TBitmap out(20, 40);
  DrawButtonGradient(out.Canvas(), RGB(0, 0, 0), RGB(160, 80, 240), false, TRect(0, 0, 20, 32), 16, clNone);
  EXPECT_EQ(out.Canvas()->Pixels(5, 0), RGB(0, 0, 0));
  EXPECT_EQ(out.Canvas()->Pixels(5, 2), RGB(10, 5, 15));
  EXPECT_EQ(out.Canvas()->Pixels(5, 31), RGB(150, 75, 225));
  DrawButtonGradient(out.Canvas(), clWhite, clWhite, true, TRect(0, 0, 20, 32), 0, clBlue);
  EXPECT_EQ(out.Canvas()->Pixels(0, 10), clBlue);
  EXPECT_EQ(out.Canvas()->Pixels(19, 31), clBlue);
  EXPECT_EQ(out.Canvas()->Pixels(5, 10), clWhite);
}

TEST(GridHelpersButtonLook, LooksSetTheirColoursAndUnknownLooksChangeNothing)
{
  TZavGridButtonColors c;
  c.Flat = false;
  c.BorderColor = clRed;
  ApplyZavGridButtonLook(c, 0);
  EXPECT_EQ(c.Color, RGB(241, 241, 237));
  EXPECT_EQ(c.BorderHotColor, RGB(206, 206, 195));
  EXPECT_EQ(c.BorderDownColor, RGB(122, 152, 175));
  EXPECT_EQ(c.BorderColor, clNone);
  EXPECT_TRUE(c.Flat);
  EXPECT_TRUE(c.Rounded);

  ApplyZavGridButtonLook(c, 4);
  EXPECT_EQ(c.ColorTo, RGB(152, 150, 179));
  EXPECT_EQ(c.ColorDown, RGB(254, 145, 78));
  EXPECT_EQ(c.ColorCheckedTo, RGB(255, 173, 85));
  EXPECT_FALSE(c.Rounded);

  const TZavGridButtonColors before = c;
  for (int look : {7, -1}) {
    ApplyZavGridButtonLook(c, look);
    EXPECT_EQ(c.Color, before.Color);
    EXPECT_EQ(c.ColorDown, before.ColorDown);
    EXPECT_EQ(c.BorderHotColor, before.BorderHotColor);
  }
}

} // namespace
