// The check list box: checks change through the user's clicks on the box and Space, and only
// those report themselves; states stay with their items.
#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

#include "framework/controls/forms.h"
#include "framework/stdctrls/checklst.h"
#include "framework/testing/input.h"

namespace {

class CheckListBox : public ::testing::Test {
protected:
  void SetUp() override
  {
    SimResetInput();
    Form = new TForm(nullptr);
    Form->SetClientSize(300, 200);
    List = new TCheckListBox(Form);
    List->SetParent(Form);
    List->SetBounds(10, 10, 150, 120);
    for (const char *s : {"one", "two", "three"})
      List->Items()->Add(s);
    List->OnClickCheck = [this](TObject *Sender) {
      EXPECT_EQ(Sender, List);
      ++Checks;
    };
    Form->Show();
    QApplication::processEvents();
  }
  void TearDown() override { delete Form; }

  // A point on the item's check box, and one on its text.
  TPoint OnBox(int Index) const
  {
    const TRect r = List->ItemRect(Index);
    return TPoint(r.Left + 8, (r.Top + r.Bottom) / 2);
  }
  TPoint OnText(int Index) const
  {
    const TRect r = List->ItemRect(Index);
    return TPoint(r.Left + 60, (r.Top + r.Bottom) / 2);
  }

  TForm *Form = nullptr;
  TCheckListBox *List = nullptr;
  int Checks = 0;
};

TEST_F(CheckListBox, ClickOnTheBoxTogglesAndReportsOnce)
{
  const TPoint p = OnBox(1);
  SimClick(List, p.X, p.Y);
  EXPECT_TRUE(List->Checked(1));
  EXPECT_EQ(List->State(1), cbChecked);
  EXPECT_EQ(Checks, 1);
  EXPECT_FALSE(List->Checked(0));
  EXPECT_FALSE(List->Checked(2));
  SimClick(List, p.X, p.Y);  // a second, separate click takes it back
  EXPECT_FALSE(List->Checked(1));
  EXPECT_EQ(Checks, 2);
}

TEST_F(CheckListBox, ClickBesideTheBoxOnlySelects)
{
  const TPoint p = OnText(2);
  SimClick(List, p.X, p.Y);
  EXPECT_EQ(List->ItemIndex(), 2);
  EXPECT_FALSE(List->Checked(2));
  EXPECT_EQ(Checks, 0);
}

TEST_F(CheckListBox, SpaceTogglesTheCurrentItem)
{
  List->SetFocus();
  List->SetItemIndex(0);
  SimKey(List, VK_SPACE);
  EXPECT_TRUE(List->Checked(0));
  EXPECT_EQ(Checks, 1);
  SimKey(List, VK_SPACE);
  EXPECT_FALSE(List->Checked(0));
  EXPECT_EQ(Checks, 2);
}

TEST_F(CheckListBox, ProgramChangesFireNothingAndStatesStayWithTheirItems)
{
  List->SetChecked(0, true);
  List->SetState(2, cbGrayed);
  EXPECT_EQ(Checks, 0);
  EXPECT_TRUE(List->Checked(0));
  EXPECT_EQ(List->State(2), cbGrayed);
  List->Items()->Insert(1, "new");  // ["one", "new", "two", "three"]
  List->Items()->Delete(0);         // ["new", "two", "three"]
  List->Items()->Add("four");
  EXPECT_EQ(Checks, 0);
  EXPECT_FALSE(List->Checked(0));
  EXPECT_EQ(List->State(2), cbGrayed);
  EXPECT_FALSE(List->Checked(3));
  // The same states without a window.
  auto *bare = new TCheckListBox(Form);
  bare->Items()->Add("a");
  bare->SetChecked(0, true);
  bare->Items()->Add("b");
  EXPECT_TRUE(bare->Checked(0));
  EXPECT_FALSE(bare->Checked(1));
  EXPECT_THROW(bare->Checked(2), EListError);
  bare->Items()->Clear();
  bare->Items()->Add("a");
  EXPECT_FALSE(bare->Checked(0));
}

} // namespace
