// A form with one of each standard control, grabbed to a picture: the classic look with the
// framework's system colours.
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "framework/controls/forms.h"
#include "framework/stdctrls/buttons.h"
#include "framework/stdctrls/comctrls.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/menus.h"
#include "framework/stdctrls/stdctrls.h"
#include "tests/support/test_support.h"

namespace {

template <class T>
T *Make(TWinControl *Parent, int L, int T_, int W, int H)
{
  T *c = new T(Parent->Owner() ? Parent->Owner() : Parent);
  static_cast<TControl *>(c)->SetParent(Parent);
  c->SetBounds(L, T_, W, H);
  return c;
}

QImage Grab(TWinControl *Control)
{
  QApplication::processEvents();
  return Control->Handle()->grab().toImage();
}

TEST(StdCtrlsLook, FormWithOneOfEachControl)
{
  auto *form = new TForm(nullptr);
  form->SetCaption("Controls");
  form->SetBorderStyle(bsSingle);
  form->SetClientSize(520, 420);
  form->SetColor(15595512);
  form->Font()->SetName("Tahoma");
  form->Font()->SetHeight(-11);

  auto *title = Make<TPanel>(form, 0, 0, 520, 40);
  title->SetAlign(alTop);
  title->SetCaption("Panel with caption");
  title->SetColor(RGB(248, 247, 237));

  auto *lbl = Make<TLabel>(form, 12, 52, 80, 13);
  lbl->SetCaption("&Name:");
  auto *edit = Make<TEdit>(form, 100, 48, 150, 21);
  edit->SetText("Edit text");
  lbl->SetFocusControl(edit);

  auto *ro = Make<TEdit>(form, 260, 48, 120, 21);
  ro->SetText("disabled");
  ro->SetEnabled(false);

  auto *combo = Make<TComboBox>(form, 100, 76, 150, 21);
  combo->Items()->Add("First");
  combo->Items()->Add("Second");
  combo->SetItemIndex(1);
  auto *list = Make<TComboBox>(form, 260, 76, 120, 21);
  list->SetStyle(csDropDownList);
  list->Items()->Add("0");
  list->Items()->Add("1");
  list->SetItemIndex(0);

  auto *cb = Make<TCheckBox>(form, 12, 104, 120, 17);
  cb->SetCaption("Check box");
  cb->SetChecked(true);
  auto *cb2 = Make<TCheckBox>(form, 140, 104, 120, 17);
  cb2->SetCaption("Unchecked");
  auto *rb = Make<TRadioButton>(form, 270, 104, 100, 17);
  rb->SetCaption("Radio");
  rb->SetChecked(true);

  auto *lb = Make<TListBox>(form, 12, 130, 120, 80);
  for (const char *s : {"Alpha", "Beta", "Gamma"})
    lb->Items()->Add(s);
  lb->SetItemIndex(1);

  auto *memo = Make<TMemo>(form, 140, 130, 150, 80);
  memo->Lines()->Add("Memo line 1");
  memo->Lines()->Add("Memo line 2");

  auto *gb = Make<TGroupBox>(form, 300, 124, 200, 86);
  gb->SetCaption("Group box");
  auto *inner = Make<TLabel>(gb, 10, 24, 100, 13);
  inner->SetCaption("Label in group");

  auto *shape = Make<TShape>(form, 12, 220, 60, 40);
  shape->Brush()->SetColor(clYellow);
  shape->SetShape(stRoundRect);
  auto *ell = Make<TShape>(form, 80, 220, 60, 40);
  ell->SetShape(stEllipse);
  auto *line = Make<TShape>(form, 12, 266, 490, 1);
  line->Pen()->SetColor(clGray);

  auto *pc = Make<TPageControl>(form, 150, 218, 200, 110);
  auto *ts1 = new TTabSheet(form);
  ts1->SetPageControl(pc);
  ts1->SetCaption("First");
  auto *ts2 = new TTabSheet(form);
  ts2->SetPageControl(pc);
  ts2->SetCaption("Second");
  auto *onPage = Make<TCheckBox>(ts1, 8, 8, 150, 17);
  onPage->SetCaption("On the first page");
  pc->SetActivePage(ts1);

  auto *link = Make<TLinkLabel>(form, 360, 222, 140, 17);
  link->SetCaption("Go <a href=\"http://example.invalid\">to the link</a>");

  auto *sb = Make<TScrollBar>(form, 360, 250, 140, 17);
  sb->SetMax(100);
  sb->SetPosition(30);

  auto *tb = Make<TTrackBar>(form, 360, 280, 140, 45);
  tb->SetPosition(4);

  auto *bevel = Make<TBevel>(form, 12, 340, 490, 2);
  bevel->SetShape(bsTopLine);

  auto *pl = Make<TPanel>(form, 12, 350, 160, 60);
  pl->SetBevelOuter(bvLowered);
  pl->SetBevelInner(bvRaised);
  pl->SetCaption("Lowered + raised");
  auto *pb = Make<TPanel>(form, 180, 350, 160, 60);
  pb->SetBorderStyle(bsSingle);
  pb->SetBevelOuter(bvNone);
  pb->SetCaption("Single border");

  auto *rich = Make<TRichEdit>(form, 350, 350, 150, 22);
  rich->SetText("rich one line");

  auto *btn = Make<TButton>(form, 420, 10, 75, 25);
  btn->SetCaption("&OK");
  TBitmap glyph(16, 16);
  glyph.Canvas()->Brush()->SetColor(clFuchsia);
  glyph.Canvas()->FillRect(TRect(0, 0, 16, 16));
  glyph.Canvas()->Brush()->SetColor(clNavy);
  glyph.Canvas()->FillRect(TRect(4, 4, 12, 12));
  auto *sp1 = Make<TSpeedButton>(form, 12, 290, 25, 25);
  sp1->SetGlyph(&glyph);
  auto *sp2 = Make<TSpeedButton>(form, 40, 290, 25, 25);
  sp2->SetGlyph(&glyph);
  sp2->SetGroupIndex(1);
  sp2->SetDown(true);
  auto *sp3 = Make<TSpeedButton>(form, 70, 290, 55, 25);
  sp3->SetCaption("Flat");
  sp3->SetFlat(true);

  form->Show();
  QImage img = Grab(form);
  const QString file = testsupport::OutputDir() + "/stdctrls_form.png";
  ASSERT_TRUE(img.save(file));
  EXPECT_EQ(img.width(), 520);
  EXPECT_EQ(img.height(), 420);
  // The title panel shows its own colour, the form its own.
  EXPECT_EQ(QColor(img.pixel(200, 20)).rgb() & 0xFFFFFF, ColorToQColor(RGB(248, 247, 237)).rgb() & 0xFFFFFF);
  EXPECT_EQ(QColor(img.pixel(5, 330)).rgb() & 0xFFFFFF, ColorToQColor(15595512).rgb() & 0xFFFFFF);
  // Check boxes stand on their parent's colour.
  EXPECT_EQ(cb->Color(), form->Color());
  EXPECT_EQ(QColor(img.pixel(125, 112)).rgb() & 0xFFFFFF, ColorToQColor(15595512).rgb() & 0xFFFFFF);
  delete form;
}

// The darkest pixel of the caption part of a check box or radio button.
int DarkestCaptionGray(TButtonControl *Control)
{
  const QImage img = Grab(Control);
  int darkest = 255;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 20; x < img.width(); ++x)
      darkest = std::min(darkest, qGray(img.pixel(x, y)));
  return darkest;
}

TEST(StdCtrlsLook, DisabledCheckBoxAndRadioButtonGreyTheirCaption)
{
  auto *form = new TForm(nullptr);
  form->SetClientSize(200, 80);
  form->SetColor(15595512);
  auto *cb = Make<TCheckBox>(form, 8, 8, 150, 17);
  cb->SetCaption("Check box");
  auto *rb = Make<TRadioButton>(form, 8, 40, 150, 17);
  rb->SetCaption("Radio");
  form->Show();
  for (TButtonControl *c : {static_cast<TButtonControl *>(cb), static_cast<TButtonControl *>(rb)}) {
    SCOPED_TRACE(c->ClassName().toStdString());
    EXPECT_LT(DarkestCaptionGray(c), 40) << "enabled: black text";
    c->SetEnabled(false);
    const int grey = DarkestCaptionGray(c);
    EXPECT_GT(grey, 96) << "disabled: grey text";
    EXPECT_LT(grey, 160) << "the caption is still drawn";
    c->Font()->SetColor(clMaroon);
    EXPECT_GT(DarkestCaptionGray(c), 96) << "grey whatever the font colour";
  }
  ASSERT_TRUE(Grab(form).save(testsupport::OutputDir() + "/stdctrls_disabled_checks.png"));
  delete form;
}

TEST(StdCtrlsLook, PopupMenuInTheClassicLook)
{
  TPopupMenu menu(nullptr);
  const char *captions[] = {"&Copy Row", "&Paste Row", "-", "Checked", "Disabled"};
  std::vector<std::unique_ptr<TMenuItem>> items;
  for (const char *c : captions) {
    items.push_back(std::make_unique<TMenuItem>(nullptr));
    items.back()->SetCaption(c);
    menu.Items()->Add(items.back().get());
  }
  items[3]->SetChecked(true);
  items[4]->SetEnabled(false);
  std::map<QAction *, TMenuItem *> map;
  std::unique_ptr<QMenu> q(menu.CreateQtMenu(&map));
  EXPECT_EQ(map.size(), 4u);  // the separator is no item
  q->popup(QPoint(10, 10));
  QApplication::processEvents();
  const QImage img = q->grab().toImage();
  ASSERT_TRUE(img.save(testsupport::OutputDir() + "/stdctrls_popup_menu.png"));
  q->hide();
  // The menu face is the menu colour of the system table.
  EXPECT_EQ(QColor(img.pixel(img.width() - 6, img.height() / 2)).rgb() & 0xFFFFFF, ColorToQColor(clMenu).rgb() & 0xFFFFFF);
}

}  // namespace
