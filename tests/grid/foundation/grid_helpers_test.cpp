// Cell controls, file pictures, line-by-line string lists and button colours.
#include "grid/foundation/grid_helpers.h"

#include "framework/controls/forms.h"
#include "framework/testing/input.h"
#include "tests/support/test_support.h"

#include <QApplication>
#include <QImage>

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

class GridHelpersButton : public ::testing::Test {
protected:
  void SetUp() override
  {
    SimResetInput();
    Form = new TForm(nullptr);
    Form->SetClientSize(200, 100);
  }
  void TearDown() override { delete Form; }
  TZavGridButton *Add(int Left, int Width = 40)
  {
    auto *b = new TZavGridButton(Form);
    b->SetParent(Form);
    b->SetBounds(Left, 10, Width, 24);
    return b;
  }
  TForm *Form = nullptr;
};

TEST_F(GridHelpersButton, CreatedSizeAndDefaults)
{
  TZavGridButton b(nullptr);
  EXPECT_EQ(b.Width(), 22);
  EXPECT_EQ(b.Height(), 23);
  EXPECT_EQ(b.Colors().Color, clBtnFace);
  EXPECT_EQ(b.Colors().ColorDown, RGB(210, 211, 216));
  EXPECT_EQ(b.Colors().ColorHot, RGB(199, 199, 202));
  EXPECT_EQ(b.Colors().ColorChecked, clGray);
  EXPECT_EQ(b.Colors().BorderColor, clNone);
  EXPECT_TRUE(b.Colors().Flat);
}

TEST_F(GridHelpersButton, GlyphGetsAGreyDisabledCopyAndStatesPickTheirGlyphs)
{
  auto *b = Add(10);
  TBitmap g(4, 4);
  g.Canvas()->Brush()->SetColor(RGB(30, 60, 90)); // grey level (180 / 3) / 2 + 96 = 126
  g.Canvas()->FillRect(TRect(0, 0, 4, 4));
  b->SetGlyph(&g);
  EXPECT_EQ(b->GlyphDisabled()->Canvas()->Pixels(1, 1), RGB(126, 126, 126));
  EXPECT_EQ(b->Glyph()->Canvas()->Pixels(1, 1), RGB(30, 60, 90));
  EXPECT_EQ(b->CurrentGlyph(), b->Glyph());
  b->SetEnabled(false);
  EXPECT_EQ(b->CurrentGlyph(), b->GlyphDisabled());
  b->SetEnabled(true);
  // An empty down glyph falls back to the glyph.
  b->SetStyle(tasCheck);
  b->SetDown(true);
  EXPECT_EQ(b->CurrentGlyph(), b->Glyph());
  b->GlyphDown()->SetSize(2, 2);
  EXPECT_EQ(b->CurrentGlyph(), b->GlyphDown());
  // An existing disabled glyph is kept.
  TBitmap white(4, 4);
  white.Canvas()->Brush()->SetColor(clWhite);
  white.Canvas()->FillRect(TRect(0, 0, 4, 4));
  b->SetGlyph(&white);
  EXPECT_EQ(b->GlyphDisabled()->Canvas()->Pixels(1, 1), RGB(126, 126, 126));
}

TEST_F(GridHelpersButton, PlainButtonClicksButNeverStaysDown)
{
  auto *b = Add(10);
  int clicks = 0;
  b->OnClick = [&](TObject *) { ++clicks; };
  b->SetDown(true);
  EXPECT_FALSE(b->Down());
  SimMouseDown(b, 5, 5);
  EXPECT_EQ(b->State(), bsDown);
  SimMouseMove(b, 100, 5); // dragged out: shows up
  EXPECT_EQ(b->State(), bsUp);
  SimMouseMove(b, 5, 5);
  SimMouseUp(b, 5, 5);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(b->State(), bsUp);
  // Released outside: no click.
  SimMouseDown(b, 5, 5);
  SimMouseUp(b, 100, 5);
  EXPECT_EQ(clicks, 1);
}

TEST_F(GridHelpersButton, CheckStyleTogglesAndGroupsActAsRadioButtons)
{
  auto *check = Add(10);
  check->SetStyle(tasCheck);
  SimClick(check, 5, 5);
  EXPECT_TRUE(check->Down());
  SimClick(check, 5, 5);
  EXPECT_FALSE(check->Down());

  auto *a = Add(60), *b = Add(110);
  a->SetGroupIndex(2);
  b->SetGroupIndex(2);
  SimClick(a, 5, 5);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->State(), bsExclusive);
  b->SetDown(true);
  EXPECT_FALSE(a->Down());
  b->SetDown(false); // the last one down stays down
  EXPECT_TRUE(b->Down());
  a->SetAllowAllUp(true); // handed to the whole group
  EXPECT_TRUE(b->AllowAllUp());
  b->SetDown(false);
  EXPECT_FALSE(b->Down());
}

TEST_F(GridHelpersButton, DoubleClickOnlyWhileDown)
{
  auto *b = Add(10);
  b->SetGroupIndex(1);
  b->SetAllowAllUp(true);
  int dbl = 0;
  b->OnDblClick = [&](TObject *) { ++dbl; };
  b->DblClick();
  EXPECT_EQ(dbl, 0);
  b->SetDown(true);
  b->DblClick();
  EXPECT_EQ(dbl, 1);
}

TEST_F(GridHelpersButton, PressOnTheDropDownPartDropsDownInsteadOfClicking)
{
  auto *b = Add(10, 60);
  b->SetDropDownButton(true);
  int clicks = 0, drops = 0;
  b->OnClick = [&](TObject *) { ++clicks; };
  b->OnDropDown = [&](TObject *) { ++drops; };
  SimClick(b, 60 - 12, 5);
  EXPECT_EQ(drops, 1);
  EXPECT_EQ(clicks, 0);
  SimClick(b, 60 - 13, 5);
  EXPECT_EQ(drops, 1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(GridHelpersButton, FaceShowsTheStateColours)
{
  auto *plain = Add(10);
  plain->SetLook(2); // gradient face
  auto *checked = Add(60);
  checked->SetStyle(tasCheck);
  checked->SetDown(true);
  auto *framed = Add(110);
  framed->Colors().Color = clWhite;
  framed->Colors().BorderColor = clBlue;
  Form->Show();
  QApplication::processEvents();

  const QImage p = GrabControl(plain);
  EXPECT_EQ(p.pixelColor(20, 1), QColor(218, 234, 253));
  const QColor bottom = p.pixelColor(20, 22);
  EXPECT_NEAR(bottom.red(), 136, 6);
  EXPECT_NEAR(bottom.blue(), 228, 3);
  EXPECT_EQ(GrabControl(checked).pixelColor(20, 12), QColor(128, 128, 128));
  const QImage f = GrabControl(framed);
  EXPECT_EQ(f.pixelColor(1, 12), QColor(0, 0, 255));
  EXPECT_EQ(f.pixelColor(20, 12), QColor(255, 255, 255));
}

TEST_F(GridHelpersButton, CheckBoxTogglesByClickAndSpaceAndReadOnlyStillReportsClicks)
{
  auto *cb = new TZavCheckBox(Form);
  cb->SetParent(Form);
  EXPECT_EQ(cb->Width(), 98);
  EXPECT_EQ(cb->Height(), 20);
  EXPECT_EQ(cb->Caption(), "TZavCheckBox");
  Form->Show();
  QApplication::processEvents();
  int clicks = 0;
  cb->OnClick = [&](TObject *) { ++clicks; };

  SimMouseDown(cb, 5, 8);
  EXPECT_TRUE(cb->Down());
  SimMouseUp(cb, 5, 8);
  EXPECT_FALSE(cb->Down());
  EXPECT_TRUE(cb->Checked());
  EXPECT_EQ(clicks, 1);
  SimMouseDown(cb, 5, 8);
  SimMouseUp(cb, 300, 8); // released outside
  EXPECT_TRUE(cb->Checked());
  EXPECT_EQ(clicks, 1);

  SimKeyDown(cb, VK_SPACE);
  EXPECT_TRUE(cb->Down());
  SimKeyUp(cb, VK_SPACE);
  EXPECT_FALSE(cb->Checked());
  EXPECT_EQ(clicks, 2);

  cb->SetReadOnly(true);
  SimClick(cb, 5, 8);
  SimKey(cb, VK_SPACE);
  EXPECT_FALSE(cb->Checked());
  EXPECT_EQ(clicks, 4);
}

TEST(GridHelpersCheckBox, BoxPlacement)
{
  TZavCheckBox cb(nullptr);
  const struct {
    TAlignment Align;
    TTextLayout Layout;
    TRect Want;
  } cases[] = {
      {taLeftJustify, tlTop, TRect(0, 4, 13, 17)},
      {taRightJustify, tlTop, TRect(85, 4, 98, 17)},
      {taLeftJustify, tlCenter, TRect(0, 4, 13, 17)},
      {taLeftJustify, tlBottom, TRect(0, 3, 13, 16)},
  };
  for (const auto &c : cases) {
    cb.SetAlignment(c.Align);
    cb.SetButtonVertAlign(c.Layout);
    EXPECT_EQ(cb.BoxRect(), c.Want) << int(c.Align) << " " << int(c.Layout);
  }
  cb.SetState(cbGrayed);
  EXPECT_FALSE(cb.Checked());
  cb.SetChecked(true);
  EXPECT_EQ(cb.State(), cbChecked);
}

} // namespace
