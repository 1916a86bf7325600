// Balloon tips of the grid: the refused-value balloon at the editor and the cell balloon that
// follows the pointer.
#include "tests/grid/view/edit_fixture.h"

#include <QImage>

#include "framework/controls/balloon_tip.h"
#include "grid/core/feature_settings.h"
#include "tests/support/test_support.h"

namespace {

QRgb Rgb(TColor C)
{
  const uint32_t c = ColorToRGB(C);
  return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

bool Dark(QRgb P) { return qGray(P) < 100; }

struct Balloons : EditGridTest {
  Balloons()
  {
    g->OnCellValidate = [](TObject *, int, int, QString &v, bool &ok) { ok = !v.contains('x'); };
  }
  // Types Text into (cText, Row) and presses Enter.
  void TypeAndEnter(int Row, const QString &Text)
  {
    Go(cText, Row);
    SimKey(g, VK_F2);
    ASSERT_TRUE(EditorShown());
    Editor()->SelectAll();
    SimType(Editor(), Text);
    SimKey(Editor(), VK_RETURN);
    SimProcess();
  }
  QImage GrabForm(const char *Name)
  {
    SimProcess();
    EXPECT_TRUE(GrabToPng(&form, testsupport::OutputDir() + "/" + Name));
    return GrabControl(&form);
  }
};

TEST_F(Balloons, ARefusedValueShowsTheBalloonAtTheEditor)
{
  g->SetInvalidEntryTitle("Wrong value");
  g->SetInvalidEntryText("The letter x is not allowed here.");
  g->SetInvalidEntryIcon(ieError);
  TypeAndEnter(2, "max");
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(g->Cells(cText, 2), "t2");
  TBalloonTip *tip = g->InvalidEntryBalloon();
  ASSERT_NE(tip, nullptr);
  ASSERT_TRUE(tip->Showing());
  EXPECT_EQ(tip->Parent(), &form);
  EXPECT_EQ(tip->Content().Title, "Wrong value");
  EXPECT_EQ(tip->Content().Icon, btiError);

  // The stem points into the edited cell from below it; the box hangs under the cell.
  const TRect cell = g->CellRect(cText, 2);
  const TPoint stem = tip->StemTip();
  EXPECT_TRUE(tip->StemOnTop());
  EXPECT_GE(stem.X, cell.Left);
  EXPECT_LT(stem.X, cell.Right);
  EXPECT_GE(stem.Y, cell.Top);
  EXPECT_LE(stem.Y, cell.Bottom);
  EXPECT_GT(tip->Top() + tip->Height(), cell.Bottom + 30);

  const QImage img = GrabForm("balloon_refused_value.png");
  const QRgb back = Rgb(clInfoBk);
  // Inside the box, right of the text: the balloon's colour; beside the stem: the grid.
  EXPECT_EQ(img.pixel(tip->Left() + tip->Width() - 4, tip->Top() + tip->Height() - 10), back);
  EXPECT_NE(img.pixel(stem.X + 30, stem.Y + 3), back);
  EXPECT_EQ(img.pixel(stem.X + 3, stem.Y + 10), back);
  // The title and the text are drawn inside the box.
  int dark = 0;
  for (int y = tip->Top() + 14; y < tip->Top() + tip->Height(); ++y)
    for (int x = tip->Left() + 30; x < tip->Left() + tip->Width(); ++x)
      dark += Dark(img.pixel(x, y));
  EXPECT_GT(dark, 100);
  // The corner outside the rounded box shows what lies below.
  EXPECT_NE(img.pixel(tip->Left(), tip->Top() + tip->Height() - 1), back);

  // The next key answers it.
  SimKey(Editor(), VK_BACK);
  EXPECT_FALSE(tip->Showing());
}

TEST_F(Balloons, ARefusedComboValueShowsTheBalloonAtTheCombo)
{
  g->SetInvalidEntryText("No x");
  Go(cEdit, 2);
  SimKey(g, VK_F2);
  SimProcess();
  TGridCombo *combo = g->Combobox();
  ASSERT_TRUE(combo && combo->Visible());
  SimType(combo, "x");
  SimKey(combo, VK_RETURN);
  SimProcess();
  TBalloonTip *tip = g->InvalidEntryBalloon();
  ASSERT_TRUE(tip && tip->Showing());
  const TRect cell = g->CellRect(cEdit, 2);
  EXPECT_GE(tip->StemTip().X, cell.Left);
  EXPECT_LT(tip->StemTip().X, cell.Right);
  EXPECT_NE(g->Cells(cEdit, 2), "x");
}

TEST_F(Balloons, NoBalloonWithoutItsTextsOrForAnAcceptedValue)
{
  TypeAndEnter(2, "max");
  EXPECT_EQ(g->InvalidEntryBalloon(), nullptr);
  SimKey(Editor(), VK_ESCAPE);
  g->SetInvalidEntryText("No x");
  TypeAndEnter(3, "fine");
  EXPECT_EQ(g->Cells(cText, 3), "fine");
  EXPECT_EQ(g->InvalidEntryBalloon(), nullptr);
}

TEST_F(Balloons, ABalloonClosesAfterItsDelayOrWhenClicked)
{
  g->SetInvalidEntryText("No x");
  TypeAndEnter(2, "x");
  TBalloonTip *tip = g->InvalidEntryBalloon();
  ASSERT_TRUE(tip && tip->Showing());
  SimClick(tip, tip->Width() / 2, tip->Height() / 2);
  EXPECT_FALSE(tip->Showing());

  tip->HideDelay = 30;
  SimKey(Editor(), VK_RETURN);
  SimProcess();
  ASSERT_TRUE(tip->Showing());
  SimAdvanceTime(29);
  EXPECT_TRUE(tip->Showing());
  SimAdvanceTime(1);
  EXPECT_FALSE(tip->Showing());
}

struct CellBalloons : EditGridTest {
  CellBalloons()
  {
    g->Balloon()->SetInitialDelay(10);
    g->Balloon()->SetEnable(true);
  }
  TBalloonTip *Tip() { return g->BalloonTip(); }
  // Rests the pointer on the cell; answers whether a balloon came up.
  bool RestOn(int c, int r)
  {
    const TRect R = g->CellRect(c, r);
    SimMouseMove(g, R.Left + 5, R.Top + 5);
    return SimWaitFor([&] { return Tip()->Showing(); });
  }
  // What the tip would show for the cell, asked without waiting for the pointer's rest.
  bool ContentFor(int c, int r, TBalloonTipText &Content)
  {
    const TRect R = g->CellRect(c, r);
    return Tip()->OnGetText(TPoint(R.Left + 5, R.Top + 5), Content);
  }
};

TEST_F(CellBalloons, TheCellUnderThePointerShowsItsTextAndAnotherCellClosesIt)
{
  ASSERT_NE(Tip(), nullptr);
  g->SetCells(cText, 2, "\r\nfirst\tline");
  // The pointer must rest for the initial delay.
  const TRect R2 = g->CellRect(cText, 2);
  SimMouseMove(g, R2.Left + 5, R2.Top + 5);
  SimAdvanceTime(9);
  EXPECT_FALSE(Tip()->Showing());
  SimAdvanceTime(1);
  ASSERT_TRUE(Tip()->Showing());
  EXPECT_EQ(Tip()->Content().Text, "first line");
  EXPECT_EQ(Tip()->Content().Title, " ");
  EXPECT_EQ(Tip()->Content().Icon, btiInfo);
  const TRect R = g->CellRect(cText, 3);
  SimMouseMove(g, R.Left + 5, R.Top + 5);
  EXPECT_FALSE(Tip()->Showing());
  ASSERT_TRUE(RestOn(cText, 3));
  EXPECT_EQ(Tip()->Content().Text, "t3");
  // Switching balloons off removes the tip.
  g->Balloon()->SetEnable(false);
  EXPECT_EQ(g->BalloonTip(), nullptr);
}

TEST_F(CellBalloons, TransparencyLetsTheGridShowThrough)
{
  g->Balloon()->SetEnable(false);
  g->Balloon()->SetTransparency(128);
  g->Balloon()->SetEnable(true);
  for (int r = 2; r < 6; ++r)
    g->SetColors(cText, r, clBlack);
  ASSERT_TRUE(RestOn(cText, 1));
  const TBalloonTip *tip = Tip();
  SimProcess();
  EXPECT_TRUE(GrabToPng(&form, testsupport::OutputDir() + "/balloon_transparent.png"));
  const QImage img = GrabControl(&form);
  // Inside the box, over the black cells below: between the balloon's colour and black.
  const QRgb p = img.pixel(tip->Left() + 14, tip->Top() + tip->Height() - 6);
  EXPECT_LT(qRed(p), 200);
  EXPECT_GT(qRed(p), 40);
}

TEST_F(CellBalloons, TextsAreCutAndPasswordsStayHidden)
{
  g->SetCells(cText, 2, QString(3000, 'a'));
  ASSERT_TRUE(RestOn(cText, 2));
  EXPECT_EQ(Tip()->Content().Text, QString(2045, 'a') + "...");

  g->OnIsPasswordCell = [](TObject *, int r, int, bool &p) { p = r == 3; };
  TBalloonTipText content;
  EXPECT_FALSE(ContentFor(cText, 3, content));
  // A balloon set on the cell or by the event still shows, its title cut at 100.
  g->OnCellBalloon = [](TObject *, int, int, QString &title, QString &text, int &icon) {
    title = QString(120, 'T');
    text = "explained";
    icon = 7;
  };
  EXPECT_TRUE(RestOn(cText, 4));
  EXPECT_EQ(Tip()->Content().Title, QString(97, 'T') + "...");
  EXPECT_EQ(Tip()->Content().Icon, btiNone);
}

}  // namespace
