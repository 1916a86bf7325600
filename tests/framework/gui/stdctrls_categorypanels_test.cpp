// The category panel group: panels stacked by their tops, collapsing and expanding moves the
// later panels, and the group scrolls when the panels are taller than it.
#include <QApplication>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls/forms.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "tests/support/test_support.h"

namespace {

class CategoryPanels : public ::testing::Test {
protected:
  void SetUp() override
  {
    Form = new TForm(nullptr);
    Form->SetClientSize(460, 400);
    Group = new TCategoryPanelGroup(Form);
    static_cast<TControl *>(Group)->SetParent(Form);
    Group->SetBounds(0, 0, 460, 300);
    Group->SetColor(15595512);
    Group->HeaderFont()->SetName("Verdana");
    Group->HeaderFont()->SetHeight(-15);
    Group->HeaderFont()->SetStyle(TFontStyles{fsBold});
    Group->HeaderFont()->SetColor(clGray);
    // Designed in another order than they will be stacked.
    const int designTops[] = {400, 300, 200, 100, 0};
    for (int i = 0; i < 5; ++i) {
      auto *p = new TCategoryPanel(Form);
      p->SetBounds(0, designTops[i], 200, 150);
      static_cast<TControl *>(p)->SetParent(Group);
      p->SetCaption(QString("%1. Panel").arg(i + 1));
      p->SetVisible(false);
      Panels.push_back(p);
    }
  }
  void TearDown() override { delete Form; }

  // What the settings form does: show, stack in order, size each panel to its content.
  void Order(const std::vector<int> &Heights)
  {
    for (TCategoryPanel *p : Panels)
      p->SetVisible(true);
    for (size_t k = 0; k < Panels.size(); ++k)
      Panels[k]->SetTop(k == 0 ? 0 : Panels[k - 1]->Top() + Panels[k - 1]->Height());
    for (size_t k = 0; k < Panels.size(); ++k)
      Panels[k]->SetHeight(Heights[k]);
  }
  std::vector<int> Tops() const
  {
    std::vector<int> r;
    for (TCategoryPanel *p : Panels)
      r.push_back(p->Top());
    return r;
  }

  TForm *Form = nullptr;
  TCategoryPanelGroup *Group = nullptr;
  std::vector<TCategoryPanel *> Panels;
};

TEST_F(CategoryPanels, PanelsStackInTheOrderOfTheirTops)
{
  Order({100, 60, 80, 50, 40});
  EXPECT_EQ(Tops(), (std::vector<int>{0, 100, 160, 240, 290}));
  for (TCategoryPanel *p : Panels)
    EXPECT_EQ(p->Width(), Group->ClientWidth());
  EXPECT_EQ(Group->VertScrollBar()->Range(), 330);
  // A hidden panel leaves no gap.
  Panels[1]->SetVisible(false);
  EXPECT_EQ(Tops()[2], 100);
  Panels[1]->SetVisible(true);
  EXPECT_EQ(Tops(), (std::vector<int>{0, 100, 160, 240, 290}));
}

TEST_F(CategoryPanels, CollapseAndExpandMoveTheLaterPanels)
{
  Order({100, 60, 80, 50, 40});
  const int header = Group->HeaderHeight();
  int collapses = 0, expands = 0;
  Panels[1]->OnCollapse = [&](TObject *) { ++collapses; };
  Panels[1]->OnExpand = [&](TObject *) { ++expands; };
  Panels[1]->Collapse();
  EXPECT_TRUE(Panels[1]->Collapsed());
  EXPECT_EQ(Panels[1]->Height(), header);
  EXPECT_EQ(Tops(), (std::vector<int>{0, 100, 100 + header, 180 + header, 230 + header}));
  EXPECT_EQ(Group->VertScrollBar()->Range(), 270 + header);
  // The layout code sets heights while a panel is collapsed: it stays collapsed.
  Panels[1]->SetHeight(90);
  EXPECT_EQ(Panels[1]->Height(), header);
  EXPECT_EQ(Panels[1]->ExpandedHeight(), 90);
  Panels[1]->Expand();
  EXPECT_EQ(Panels[1]->Height(), 90);
  EXPECT_EQ(Tops(), (std::vector<int>{0, 100, 190, 270, 320}));
  EXPECT_EQ(collapses, 1);
  EXPECT_EQ(expands, 1);
  // A click on the header collapses as well.
  Form->Show();
  QApplication::processEvents();
  Panels[0]->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(50, 5));
  Panels[0]->Perform(WM_LBUTTONUP, 0, MakeLParam(50, 5));
  EXPECT_TRUE(Panels[0]->Collapsed());
  EXPECT_EQ(Panels[1]->Top(), header);
}

TEST_F(CategoryPanels, GroupScrollsWhenPanelsAreTallerThanIt)
{
  Form->Show();
  QApplication::processEvents();
  Order({200, 100, 100, 100, 100});
  TCategoryScrollBar *sb = Group->VertScrollBar();
  EXPECT_EQ(sb->Range(), 600);
  EXPECT_TRUE(sb->IsScrollBarVisible());
  // The bar takes its width from the panels.
  EXPECT_LT(Group->ClientWidth(), 460);
  EXPECT_EQ(Panels[0]->Width(), Group->ClientWidth());
  const int inc = sb->Increment();
  Group->Perform(WM_VSCROLL, MakeWParam(SB_LINEDOWN, 0), 0);
  Group->Perform(WM_VSCROLL, MakeWParam(SB_ENDSCROLL, 0), 0);
  EXPECT_EQ(sb->Position(), inc);
  EXPECT_EQ(Panels[0]->Top(), -inc);
  EXPECT_EQ(Panels[1]->Top(), 200 - inc);
  Group->Perform(WM_VSCROLL, MakeWParam(SB_BOTTOM, 0), 0);
  EXPECT_EQ(sb->Position(), 600 - Group->ClientHeight());
  QApplication::processEvents();
  Group->Handle()->grab().toImage().save(testsupport::OutputDir() + "/stdctrls_category_scrolled.png");
  // Collapsing everything removes the need to scroll.
  Group->CollapseAll();
  EXPECT_EQ(sb->Position(), 0);
  EXPECT_EQ(sb->Range(), 5 * Group->HeaderHeight());
  EXPECT_FALSE(sb->IsScrollBarVisible());
  EXPECT_EQ(Panels[0]->Top(), 0);
  Group->Perform(WM_VSCROLL, MakeWParam(SB_LINEUP, 0), 0);
  EXPECT_EQ(sb->Position(), 0);
}

TEST_F(CategoryPanels, ControlsOfAPanelSitBelowItsHeader)
{
  auto *label = new TLabel(Form);
  static_cast<TControl *>(label)->SetParent(Panels[0]);
  label->SetBounds(14, 8, 100, 13);
  label->SetCaption("IP Address");
  auto *edit = new TEdit(Form);
  static_cast<TControl *>(edit)->SetParent(Panels[0]);
  edit->SetBounds(191, 5, 55, 21);
  Order({8 + 21 + Group->HeaderHeight() + 12, 60, 60, 60, 60});
  EXPECT_EQ(label->Parent(), Panels[0]->Surface());
  EXPECT_EQ(edit->Top(), 5);
  EXPECT_EQ(Panels[0]->Surface()->Top(), Group->HeaderHeight());
  Form->Show();
  QApplication::processEvents();
  // The edit's window sits below the header inside the panel.
  const QPoint at = edit->Handle()->mapTo(Panels[0]->Handle(), QPoint(0, 0));
  EXPECT_EQ(at, QPoint(191, Group->HeaderHeight() + 5));
  // The group's images stand in for the chevrons: 0 expanded, 1 collapsed.
  TImageList images(16, 16);
  for (TColor col : {clRed, clBlue}) {
    TBitmap b(16, 16);
    b.Canvas()->Brush()->SetColor(col);
    b.Canvas()->FillRect(TRect(0, 0, 16, 16));
    images.Add(&b, nullptr);
  }
  Group->SetImages(&images);
  for (TCategoryPanel *p : Panels) {
    p->SetExpandedImageIndex(0);
    p->SetCollapsedImageIndex(1);
  }
  Panels[2]->Collapse();
  QApplication::processEvents();
  const QImage img = Form->Handle()->grab().toImage();
  img.save(testsupport::OutputDir() + "/stdctrls_category_panels.png");
  const int chevronX = Group->ClientWidth() - 4 - 8;
  auto pixelAt = [&](TCategoryPanel *p) {
    return QColor(img.pixel(chevronX, p->Top() + Group->HeaderHeight() / 2)).rgb() & 0xFFFFFF;
  };
  EXPECT_EQ(pixelAt(Panels[1]), 0xFF0000u);
  EXPECT_EQ(pixelAt(Panels[2]), 0x0000FFu);
  Group->SetImages(nullptr);
  Panels[0]->Collapse();
  EXPECT_FALSE(edit->IsShowing());
}

TEST_F(CategoryPanels, AControlGivenAShownPanelMovesOntoItsSurfaceAtOnce)
{
  Order({120, 60, 60, 60, 60});
  Form->Show();
  QApplication::processEvents();
  auto *edit = new TEdit(Form);
  edit->SetBounds(10, 6, 80, 21);
  static_cast<TControl *>(edit)->SetParent(Panels[0]);
  // No layout has run yet: the edit is on the surface, its window below the header.
  EXPECT_EQ(edit->Parent(), Panels[0]->Surface());
  EXPECT_EQ(edit->Left(), 10);
  EXPECT_EQ(edit->Top(), 6);
  ASSERT_TRUE(edit->HandleAllocated());
  EXPECT_EQ(edit->Handle()->parentWidget(), Panels[0]->Surface()->Handle());
  EXPECT_EQ(edit->Handle()->mapTo(Panels[0]->Handle(), QPoint(0, 0)), QPoint(10, Group->HeaderHeight() + 6));
  EXPECT_EQ(Panels[0]->ControlCount(), 1);
  // A windowless control as well.
  auto *label = new TLabel(Form);
  static_cast<TControl *>(label)->SetParent(Panels[1]);
  EXPECT_EQ(label->Parent(), Panels[1]->Surface());
}

}  // namespace
