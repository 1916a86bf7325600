// Events of the standard controls fire as the platform's do: which changes made by the
// program report themselves, and what the user's keys and clicks cause.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/controls/forms.h"
#include "framework/stdctrls/buttons.h"
#include "framework/stdctrls/comctrls.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/mask.h"
#include "framework/stdctrls/menus.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/testing/input.h"

namespace {

// A shown form to put controls on; deleted with the fixture.
class StdCtrlsEvents : public ::testing::Test {
protected:
  void SetUp() override
  {
    SimResetInput();  // no double-click memory or held button from an earlier test
    Form = new TForm(nullptr);
    Form->SetClientSize(400, 300);
  }
  void TearDown() override { delete Form; }

  template <class T>
  T *Add(int L = 10, int Top = 10, int W = 120, int H = 21, TWinControl *Parent = nullptr)
  {
    T *c = new T(Form);
    static_cast<TControl *>(c)->SetParent(Parent ? Parent : Form);
    c->SetBounds(L, Top, W, H);
    return c;
  }
  void ShowForm()
  {
    Form->Show();
    QApplication::processEvents();
  }
  static void Pump() { QApplication::processEvents(); }

  TForm *Form = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Edit

TEST_F(StdCtrlsEvents, EditReportsProgramChangesOfItsTextOnce)
{
  for (bool withWindow : {false, true}) {
    SCOPED_TRACE(withWindow ? "with window" : "without window");
    auto *e = Add<TEdit>();
    if (withWindow)
      ShowForm();
    ASSERT_EQ(e->HandleAllocated(), withWindow);
    int changes = 0;
    e->OnChange = [&](TObject *Sender) {
      EXPECT_EQ(Sender, e);
      ++changes;
    };
    e->SetText("abc");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(e->Text(), "abc");
    e->SetText("abc");  // the same text is no change
    EXPECT_EQ(changes, 1);
    e->Clear();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(e->Text(), "");
  }
}

TEST_F(StdCtrlsEvents, EditKeyPressSwallowsOrReplacesTypedCharacters)
{
  auto *e = Add<TEdit>();
  ShowForm();
  int changes = 0;
  e->OnChange = [&](TObject *) { ++changes; };
  e->OnKeyPress = [](TObject *, QChar &Key) {
    if (Key == '.')
      Key = QChar(0);  // swallowed
    else if (Key == 'x')
      Key = 'y';  // replaced
  };
  e->SetFocus();
  Pump();
  QTest::keyClicks(e->Handle(), "1.2x");
  Pump();
  EXPECT_EQ(e->Text(), "12y");
  EXPECT_EQ(changes, 3);
}

TEST_F(StdCtrlsEvents, EnterArrivesAsACharacterOfTheEdit)
{
  auto *e = Add<TEdit>();
  ShowForm();
  QString keys;
  e->OnKeyPress = [&](TObject *, QChar &Key) {
    keys += Key;
    if (Key == QChar(13))
      Key = QChar(0);
  };
  e->SetFocus();
  Pump();
  QTest::keyClick(e->Handle(), Qt::Key_Return);
  QTest::keyClicks(e->Handle(), "a");
  Pump();
  EXPECT_EQ(keys, QString(QChar(13)) + "a");
  EXPECT_EQ(e->Text(), "a");
}

TEST_F(StdCtrlsEvents, EditSelectionAndLimits)
{
  auto *e = Add<TEdit>();
  e->SetText("Hello world");
  ShowForm();
  e->SetSelStart(6);
  e->SetSelLength(5);
  EXPECT_EQ(e->SelText(), "world");
  e->SetSelText("there");
  EXPECT_EQ(e->Text(), "Hello there");
  e->SelectAll();
  EXPECT_EQ(e->SelLength(), 11);
  e->SetMaxLength(3);
  e->SetText("");
  e->SetFocus();
  QTest::keyClicks(e->Handle(), "abcdef");
  Pump();
  EXPECT_EQ(e->Text(), "abc");
  e->SetMaxLength(0);
  e->SetCharCase(ecUpperCase);
  EXPECT_EQ(e->Text(), "ABC");
  QTest::keyClicks(e->Handle(), "de");
  Pump();
  EXPECT_EQ(e->Text(), "ABCDE");
}

TEST_F(StdCtrlsEvents, MemoTextAndLinesUseLineBreaks)
{
  auto *m = Add<TMemo>(10, 10, 200, 80);
  int changes = 0;
  m->OnChange = [&](TObject *) { ++changes; };
  m->Lines()->Add("one");
  m->Lines()->Add("two");
  EXPECT_EQ(m->Text(), "one\r\ntwo\r\n");
  EXPECT_EQ(m->Lines()->Count(), 2);
  ShowForm();
  EXPECT_EQ(m->Text(), "one\r\ntwo\r\n");
  EXPECT_EQ(m->Lines()->Strings(1), "two");
  m->Lines()->SetText("a\nb\r\nc");
  EXPECT_EQ(m->Lines()->Count(), 3);
  EXPECT_EQ(m->Lines()->Strings(2), "c");
  EXPECT_EQ(m->Text(), "a\r\nb\r\nc");
  EXPECT_GE(changes, 3);
  m->Lines()->Delete(1);
  EXPECT_EQ(m->Text(), "a\r\nc");
  EXPECT_FALSE(m->Modified());
  m->SetFocus();
  Pump();
  QTest::keyClicks(m->Handle(), "z");
  Pump();
  EXPECT_TRUE(m->Modified());
  EXPECT_EQ(m->Lines()->Count(), 2);
}

TEST_F(StdCtrlsEvents, MemoTypingKeepsCharCaseAndTheLengthLimit)
{
  auto *m = Add<TMemo>(10, 10, 200, 80);
  m->SetCharCase(ecUpperCase);
  m->SetMaxLength(5);  // a line break counts as two
  ShowForm();
  m->SetFocus();
  Pump();
  QTest::keyClicks(m->Handle(), "ab");
  Pump();
  EXPECT_EQ(m->Text(), "AB");
  SimKey(m, VK_RETURN);
  QTest::keyClicks(m->Handle(), "cdef");
  Pump();
  EXPECT_EQ(m->Text(), "AB\r\nC");
  EXPECT_EQ(m->Lines()->Count(), 2);
  EXPECT_TRUE(m->Modified());
}

namespace {

// A panel that counts the EN_CHANGE notifications of its child edits.
class TCommandPanel : public TPanel {
public:
  using TPanel::TPanel;
  int EnChanges = 0;
  void WMCommand(TWMCommand &Message) override
  {
    if (Message.NotifyCode == EN_CHANGE)
      ++EnChanges;
    TPanel::WMCommand(Message);
  }
};

}  // namespace

TEST_F(StdCtrlsEvents, MultiLineEditsTellTheParentOnlyOfTheUsersChanges)
{
  auto *panel = Add<TCommandPanel>(0, 0, 400, 300);
  auto *edit = Add<TEdit>(10, 10, 120, 21, panel);
  auto *memo = Add<TMemo>(10, 40, 200, 80, panel);
  int memoChanges = 0;
  memo->OnChange = [&](TObject *) { ++memoChanges; };
  ShowForm();
  edit->SetText("one line");
  EXPECT_EQ(panel->EnChanges, 1);
  panel->EnChanges = 0;
  memo->SetText("two\r\nlines");
  memo->Lines()->Add("three");
  EXPECT_EQ(panel->EnChanges, 0);
  EXPECT_EQ(memoChanges, 2);  // the control itself still reports the program's text
  EXPECT_EQ(memo->Text(), "two\r\nlines\r\nthree");
  memo->SetFocus();
  Pump();
  QTest::keyClicks(memo->Handle(), "x");
  Pump();
  EXPECT_EQ(panel->EnChanges, 1);
  EXPECT_EQ(memoChanges, 3);
}

// ---------------------------------------------------------------------------------------------
// Check box and radio buttons

TEST_F(StdCtrlsEvents, CheckBoxClickFiresOnEveryChangeOfState)
{
  auto *cb = Add<TCheckBox>();
  ShowForm();
  int clicks = 0;
  cb->OnClick = [&](TObject *) { ++clicks; };
  cb->SetChecked(true);  // by the program: OnClick as well
  EXPECT_EQ(clicks, 1);
  cb->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  QTest::mouseClick(cb->Handle(), Qt::LeftButton, {}, QPoint(6, 8));
  Pump();
  EXPECT_FALSE(cb->Checked());
  EXPECT_EQ(clicks, 2);
  cb->SetAllowGrayed(true);
  const TCheckBoxState cycle[] = {cbGrayed, cbChecked, cbUnchecked};
  for (TCheckBoxState expected : cycle) {
    QTest::mouseClick(cb->Handle(), Qt::LeftButton, {}, QPoint(6, 8));
    Pump();
    EXPECT_EQ(cb->State(), expected);
  }
  EXPECT_EQ(clicks, 5);
}

TEST_F(StdCtrlsEvents, RadioButtonUnchecksItsSiblings)
{
  auto *a = Add<TRadioButton>(10, 10);
  auto *b = Add<TRadioButton>(10, 30);
  auto *panel = Add<TPanel>(150, 10, 150, 60);
  auto *other = Add<TRadioButton>(5, 5, 100, 17, panel);
  other->SetChecked(true);
  int clicksA = 0, clicksB = 0;
  a->OnClick = [&](TObject *) { ++clicksA; };
  b->OnClick = [&](TObject *) { ++clicksB; };
  a->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(other->Checked());  // another parent, another group
  EXPECT_EQ(clicksA, 1);          // unchecking is no click
  EXPECT_EQ(clicksB, 1);
  ShowForm();
  QTest::mouseClick(a->Handle(), Qt::LeftButton, {}, QPoint(6, 8));
  Pump();
  EXPECT_TRUE(a->Checked());
  EXPECT_FALSE(b->Checked());
  EXPECT_EQ(clicksA, 2);
}

// ---------------------------------------------------------------------------------------------
// Combo box and list box

TEST_F(StdCtrlsEvents, ComboBoxItemIndexByProgramFiresNothing)
{
  auto *c = Add<TComboBox>();
  c->SetStyle(csDropDownList);
  for (const char *s : {"0", "1", "2"})
    c->Items()->Add(s);
  int changes = 0, selects = 0;
  c->OnChange = [&](TObject *) { ++changes; };
  c->OnSelect = [&](TObject *) { ++selects; };
  c->SetItemIndex(2);
  EXPECT_EQ(c->Text(), "2");
  ShowForm();
  EXPECT_EQ(c->ItemIndex(), 2);
  c->SetItemIndex(0);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(selects, 0);
  c->SetItemIndex(7);  // out of range: no item
  EXPECT_EQ(c->ItemIndex(), -1);
  EXPECT_EQ(c->Text(), "");
  // A new style recreates the window with the same items and choice.
  c->SetItemIndex(1);
  c->SetStyle(csDropDown);
  EXPECT_TRUE(c->HandleAllocated());
  EXPECT_TRUE(c->Handle()->isVisible());
  EXPECT_EQ(c->ItemIndex(), 1);
  EXPECT_EQ(c->Text(), "1");
  EXPECT_EQ(c->Items()->Count(), 3);
}

TEST_F(StdCtrlsEvents, ComboBoxUserChoiceFiresSelectElseChange)
{
  struct Case {
    bool withOnSelect;
    int changes;
    int selects;
  };
  for (Case k : {Case{true, 0, 1}, Case{false, 1, 0}}) {
    SCOPED_TRACE(k.withOnSelect);
    auto *c = Add<TComboBox>();
    c->SetStyle(csDropDownList);
    for (const char *s : {"a", "b", "c"})
      c->Items()->Add(s);
    c->SetItemIndex(0);
    int changes = 0, selects = 0, clicks = 0;
    c->OnChange = [&](TObject *) { ++changes; };
    if (k.withOnSelect)
      c->OnSelect = [&](TObject *) { ++selects; };
    c->OnClick = [&](TObject *) { ++clicks; };
    ShowForm();
    c->SetFocus();
    Pump();
    QTest::keyClick(c->Handle(), Qt::Key_Down);
    Pump();
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(c->Text(), "b");
    EXPECT_EQ(changes, k.changes);
    EXPECT_EQ(selects, k.selects);
    EXPECT_EQ(clicks, 1);
  }
}

TEST_F(StdCtrlsEvents, ComboBoxDropDownTyping)
{
  auto *c = Add<TComboBox>();
  c->Items()->Add("alpha");
  int changes = 0;
  c->OnChange = [&](TObject *) { ++changes; };
  c->SetText("alpha");
  EXPECT_EQ(c->ItemIndex(), 0);
  EXPECT_EQ(changes, 0);
  ShowForm();
  c->SetFocus();
  Pump();
  QTest::keyClick(c->Handle(), Qt::Key_End);
  QTest::keyClicks(c->Handle(), "X");
  Pump();
  EXPECT_EQ(c->Text(), "alphaX");
  EXPECT_EQ(c->ItemIndex(), -1);
  EXPECT_EQ(changes, 1);
}

// A drop-down list searches the keys typed in quick succession as one prefix; a pause starts
// over. In Keys a '|' is a pause longer than the platform's interval.
TEST_F(StdCtrlsEvents, DropDownListTypeAheadSearchesQuickKeysAsOnePrefix)
{
  uint32_t Now = 100000;
  struct TClockGuard {
    std::function<uint32_t()> Old;
    ~TClockGuard() { TCustomComboBox::SetTypeAheadClock(std::move(Old)); }
  } Guard{TCustomComboBox::SetTypeAheadClock([&Now] { return Now; })};
  QStringList Numbers;
  for (int I = 0; I < 1500; ++I)
    Numbers << QString::number(I);
  const QStringList Areas{"Inputs (I)", "Outputs (Q)", "Flags (M)", "Data block (DB)", "Data view"};
  struct Case {
    const QStringList *Items;
    const char *Start;
    const char *Keys;
    const char *Picked;
  } Cases[] = {
      {&Numbers, "0", "120", "120"},
      {&Numbers, "0", "12", "12"},
      {&Numbers, "130", "12", "12"},  // wherever the list stood
      {&Numbers, "120", "12", "12"},  // the "1" steps to 121, which the "2" does not keep
      {&Numbers, "0", "11", "11"},
      {&Numbers, "0", "1|2", "2"},    // the pause starts a new search
      {&Numbers, "0", "1|1|1", "11"},  // a new search with the same key walks on
      {&Numbers, "0", "12|1", "13"},   // and steps on from the item found before
      {&Areas, "Inputs (I)", "o", "Outputs (Q)"},
      {&Areas, "Inputs (I)", "DATA V", "Data view"},
      {&Areas, "Inputs (I)", "fx", "Flags (M)"},  // no item of that prefix: the last found stays
      {&Areas, "Data block (DB)", "dd", "Data block (DB)"},  // one letter again walks when nothing fits
  };
  for (const Case &K : Cases) {
    SCOPED_TRACE(std::string(K.Keys) + " from " + K.Start);
    auto *c = Add<TComboBox>();
    c->SetStyle(csDropDownList);
    TStringList Items;
    Items.SetText(K.Items->join('\n'));
    c->SetItems(&Items);
    c->SetItemIndex(c->Items()->IndexOf(K.Start));
    int selects = 0;
    c->OnSelect = [&](TObject *) { ++selects; };
    ShowForm();
    c->SetFocus();
    Pump();
    Now += 5000;
    for (const char *k = K.Keys; *k; ++k) {
      if (*k == '|') {
        Now += TCustomComboBox::TypeAheadInterval + 1;
        continue;
      }
      Now += 300;
      SimType(c, QString(QChar(*k)));
    }
    EXPECT_EQ(c->Text().toStdString(), K.Picked);
    EXPECT_EQ(c->ItemIndex(), c->Items()->IndexOf(K.Picked));
    EXPECT_GE(selects, 1);
    delete c;
  }
}

TEST_F(StdCtrlsEvents, AComboListOpenedWithTheMouseLeavesTheOtherControlsClickable)
{
  enum TClose { ByEscape, ByChoosingAnItem };
  for (TClose close : {ByEscape, ByChoosingAnItem}) {
    SCOPED_TRACE(close == ByEscape ? "closed with Esc" : "closed by choosing an item");
    auto *c = Add<TComboBox>(10, 10, 120, 21);
    c->SetStyle(csDropDownList);
    for (const char *s : {"0", "1", "2"})
      c->Items()->Add(s);
    c->SetItemIndex(0);
    auto *b = Add<TButton>(200, 250, 75, 25);
    int clicks = 0;
    b->OnClick = [&](TObject *) { ++clicks; };
    ShowForm();

    SimClick(c, 60, 10);
    ASSERT_TRUE(c->DroppedDown());
    // The list took the pointer (its grab gets the release), so the capture is over.
    EXPECT_EQ(GetCaptureControl(), nullptr);
    if (close == ByEscape) {
      SimKey(Form, VK_ESCAPE);
    } else {
      QAbstractItemView *view = qobject_cast<QComboBox *>(c->Handle())->view();
      const QPoint at = view->viewport()->mapToGlobal(view->visualRect(view->model()->index(2, 0)).center());
      const TPoint p = c->ScreenToClient(TPoint(at.x(), at.y()));
      SimMouseMove(c, p.X, p.Y);
      SimClick(c, p.X, p.Y);
      EXPECT_EQ(c->ItemIndex(), 2);
    }
    EXPECT_FALSE(c->DroppedDown());

    SimClick(b, 10, 10);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(clicks, 1);
    delete c;
    delete b;
  }
}

// A click on an item of the dropped list picks it and closes the list, whether the combo has an
// edit field or not and however few items the list holds.
TEST_F(StdCtrlsEvents, AClickInTheDroppedListPicksTheItem)
{
  struct Case {
    TComboBoxStyle Style;
    int Count;
    int Clicked;
  } Cases[] = {{csDropDown, 1, 0}, {csDropDown, 2, 1}, {csDropDown, 5, 3},
               {csDropDownList, 1, 0}, {csDropDownList, 2, 1}, {csDropDownList, 5, 3}};
  ShowForm();
  for (const Case &K : Cases) {
    SCOPED_TRACE(std::string(K.Style == csDropDown ? "edit field, " : "list only, ") + std::to_string(K.Count) + " items");
    auto *c = Add<TComboBox>(10, 10, 120, 21);
    c->SetStyle(K.Style);
    for (int I = 0; I < K.Count; ++I)
      c->Items()->Add(QStringLiteral("Item %1").arg(I));
    int selects = 0;
    c->OnSelect = [&](TObject *) { ++selects; };
    Pump();
    SimClick(c, 112, 10);  // the drop button
    ASSERT_TRUE(c->DroppedDown());
    QAbstractItemView *view = qobject_cast<QComboBox *>(c->Handle())->view();
    const QPoint at = view->viewport()->mapToGlobal(view->visualRect(view->model()->index(K.Clicked, 0)).center());
    const TPoint p = c->ScreenToClient(TPoint(at.x(), at.y()));
    SimMouseMove(c, p.X, p.Y);
    SimClick(c, p.X, p.Y);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), K.Clicked);
    EXPECT_EQ(c->Text(), QStringLiteral("Item %1").arg(K.Clicked));
    EXPECT_EQ(selects, 1);
    delete c;
  }
}

TEST_F(StdCtrlsEvents, ListBoxClickComesFromTheUserOnly)
{
  auto *l = Add<TListBox>(10, 10, 120, 100);
  for (const char *s : {"one", "two", "three"})
    l->Items()->Add(s);
  int clicks = 0;
  l->OnClick = [&](TObject *) { ++clicks; };
  l->SetItemIndex(1);
  EXPECT_EQ(clicks, 0);
  ShowForm();
  EXPECT_EQ(l->ItemIndex(), 1);
  EXPECT_TRUE(l->Selected(1));
  auto *w = qobject_cast<QListWidget *>(l->Handle());
  ASSERT_NE(w, nullptr);
  const QRect r = w->visualItemRect(w->item(2));
  QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, r.center());
  Pump();
  EXPECT_EQ(l->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  l->Items()->Add("four");  // changing the items drops the selection
  EXPECT_EQ(l->ItemIndex(), -1);
  l->SetMultiSelect(true);
  l->SetSelected(0, true);
  l->SetSelected(3, true);
  EXPECT_EQ(l->SelCount(), 2);
  EXPECT_EQ(clicks, 1);
}

// ---------------------------------------------------------------------------------------------
// Scroll bar and track bar

TEST_F(StdCtrlsEvents, ScrollBarPositionAndScrollCodes)
{
  auto *s = Add<TScrollBar>(10, 10, 150, 17);
  s->SetParams(0, 0, 99);
  s->SetPageSize(10);
  s->SetLargeChange(10);
  int changes = 0;
  s->OnChange = [&](TObject *) { ++changes; };
  std::vector<TScrollCode> codes;
  s->OnScroll = [&](TObject *, TScrollCode Code, int &Pos) {
    codes.push_back(Code);
    if (Code == scPageDown)
      Pos = 42;  // the handler may move the position elsewhere
  };
  s->SetPosition(95);  // beyond the last page
  EXPECT_EQ(s->Position(), 90);
  EXPECT_EQ(changes, 1);
  s->SetPosition(0);
  ShowForm();
  s->Perform(CN_HSCROLL, MakeWParam(SB_LINEDOWN, 0), 0);
  EXPECT_EQ(s->Position(), 1);
  s->Perform(CN_HSCROLL, MakeWParam(SB_PAGEDOWN, 0), 0);
  EXPECT_EQ(s->Position(), 42);
  ASSERT_EQ(codes.size(), 2u);
  EXPECT_EQ(codes[0], scLineDown);
  EXPECT_EQ(codes[1], scPageDown);
}

TEST_F(StdCtrlsEvents, TrackBarReportsProgramMoves)
{
  auto *t = Add<TTrackBar>(10, 10, 150, 45);
  int changes = 0;
  t->OnChange = [&](TObject *) { ++changes; };
  t->SetPosition(5);
  EXPECT_EQ(changes, 1);
  t->SetPosition(50);  // clamped to Max
  EXPECT_EQ(t->Position(), 10);
  EXPECT_EQ(changes, 2);
  t->SetMax(8);  // clamps the position as well
  EXPECT_EQ(t->Position(), 8);
  EXPECT_EQ(changes, 3);
}

// ---------------------------------------------------------------------------------------------
// Labels, link labels, masked edits

TEST_F(StdCtrlsEvents, LabelAutoSizeFollowsItsCaption)
{
  auto *l = Add<TLabel>(10, 10, 10, 10);
  l->SetCaption("A short caption");
  const int w1 = l->Width();
  EXPECT_GT(w1, 40);
  EXPECT_GT(l->Height(), 8);
  l->SetCaption("A much longer caption than before");
  EXPECT_GT(l->Width(), w1);
  l->SetAutoSize(false);
  l->SetCaption("x");
  EXPECT_GT(l->Width(), w1);
}

TEST_F(StdCtrlsEvents, LinkLabelReportsTheLinkTarget)
{
  auto *l = Add<TLinkLabel>(10, 10, 100, 17);
  QString link;
  TSysLinkType type = sltID;
  l->OnLinkClick = [&](TObject *, const QString &Link, TSysLinkType T) {
    link = Link;
    type = T;
  };
  l->SetCaption("No Update Available");
  EXPECT_EQ(l->LinkCount(), 0);
  l->SetCaption("Go <a href=\"http://host.invalid/x\">here</a> now");
  ASSERT_EQ(l->LinkCount(), 1);
  EXPECT_EQ(l->PlainText(), "Go here now");
  ShowForm();
  const TRect r = l->LinkRects(0).at(0);
  QTest::mouseClick(l->Handle(), Qt::LeftButton, {}, QPoint(r.Left + 2, r.Top + 2));
  Pump();
  EXPECT_EQ(link, "http://host.invalid/x");
  EXPECT_EQ(type, sltURL);
}

// Text put into a caption through LinkLabelEscape shows as written: its tags and entities
// make no link and are not taken apart.
TEST_F(StdCtrlsEvents, LinkLabelShowsEscapedTextAsWritten)
{
  auto *l = Add<TLinkLabel>(10, 10, 100, 17);
  const QString texts[] = {
      "New</a> <a href=\"http://other.invalid\">click",
      "Tom & Jerry &amp; \"quotes\" <b>",
      "&lt;a href=\"x\"&gt;y&lt;/a&gt;",
  };
  for (const QString &t : texts) {
    SCOPED_TRACE(t.toStdString());
    l->SetCaption(LinkLabelEscape(t));
    EXPECT_EQ(l->LinkCount(), 0);
    EXPECT_EQ(l->PlainText(), t);
    l->SetCaption("<a href=\"http://host.invalid/d\">" + LinkLabelEscape(t) + "</a>");
    ASSERT_EQ(l->LinkCount(), 1);
    EXPECT_EQ(l->PlainText(), t);
  }
}

TEST_F(StdCtrlsEvents, MaskEditKeepsOrDropsLiterals)
{
  struct Case {
    const char *mask;
    const char *input;
    const char *text;
    const char *editText;
  };
  const Case cases[] = {
      {"!90:00:00;1; ", "123456", "12:34:56", "12:34:56"},
      {"00/00;0;_", "1234", "1234", "12/34"},
      {"00/00;1;_", "12", "12/  ", "12/__"},
      {">LL", "ab", "AB", "AB"},
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(k.mask);
    auto *e = Add<TMaskEdit>();
    e->SetEditMask(k.mask);
    e->SetText(k.input);
    EXPECT_EQ(e->Text(), k.text);
    EXPECT_EQ(e->EditText(), k.editText);
  }
}

TEST_F(StdCtrlsEvents, WindowlessControlsAndButtonsClick)
{
  auto *l = Add<TLabel>(10, 10, 60, 13);
  l->SetCaption("www.example.invalid");
  auto *img = Add<TImage>(10, 40, 40, 40);
  auto *b = Add<TButton>(100, 40, 75, 25);
  b->SetModalResult(mrOk);
  auto *sp = Add<TSpeedButton>(200, 40, 25, 25);
  QStringList log;
  l->OnClick = [&](TObject *) { log << "label"; };
  img->OnClick = [&](TObject *) { log << "image"; };
  b->OnClick = [&](TObject *) { log << "button"; };
  sp->OnClick = [&](TObject *) { log << "speed"; };
  ShowForm();
  QTest::mouseClick(Form->Handle(), Qt::LeftButton, {}, QPoint(15, 15));
  QTest::mouseClick(Form->Handle(), Qt::LeftButton, {}, QPoint(20, 50));
  QTest::mouseClick(b->Handle(), Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseClick(Form->Handle(), Qt::LeftButton, {}, QPoint(210, 50));
  Pump();
  EXPECT_EQ(log, QStringList({"label", "image", "button", "speed"}));
  EXPECT_EQ(Form->ModalResult(), mrOk);
}

TEST_F(StdCtrlsEvents, SpeedButtonsOfAGroupActAsRadioButtons)
{
  auto *a = Add<TSpeedButton>(10, 10, 25, 25);
  auto *b = Add<TSpeedButton>(40, 10, 25, 25);
  for (TSpeedButton *s : {a, b})
    s->SetGroupIndex(3);
  a->SetDown(true);
  b->SetDown(true);
  EXPECT_FALSE(a->Down());
  EXPECT_TRUE(b->Down());
  b->SetDown(false);  // the last one down stays down
  EXPECT_TRUE(b->Down());
  b->SetAllowAllUp(true);
  b->SetDown(false);
  EXPECT_FALSE(b->Down());
  auto *plain = Add<TSpeedButton>(70, 10, 25, 25);
  plain->SetDown(true);  // no group: never down
  EXPECT_FALSE(plain->Down());
}

// ---------------------------------------------------------------------------------------------
// Page control

TEST_F(StdCtrlsEvents, PageControlTabVisibleAndUserChanges)
{
  auto *pc = Add<TPageControl>(10, 10, 300, 200);
  TTabSheet *pages[3];
  const char *captions[] = {"Language", "Connection Options", "Software Settings"};
  for (int i = 0; i < 3; ++i) {
    pages[i] = new TTabSheet(Form);
    pages[i]->SetPageControl(pc);
    pages[i]->SetCaption(captions[i]);
  }
  EXPECT_EQ(pc->PageCount(), 3);
  EXPECT_EQ(pc->ActivePage(), pages[0]);
  int changes = 0;
  bool allow = true;
  pc->OnChange = [&](TObject *) { ++changes; };
  pc->OnChanging = [&](TObject *, bool &Allow) { Allow = allow; };

  pages[1]->SetTabVisible(false);
  EXPECT_EQ(pages[1]->TabIndex(), -1);
  EXPECT_EQ(pages[2]->TabIndex(), 1);
  // A page without a tab can still be shown by the program; that is no change event.
  pc->SetActivePage(pages[1]);
  EXPECT_EQ(pc->ActivePageIndex(), 1);
  EXPECT_TRUE(pages[1]->Visible());
  EXPECT_FALSE(pages[0]->Visible());
  EXPECT_EQ(changes, 0);
  pages[1]->SetTabVisible(true);
  EXPECT_EQ(pages[2]->TabIndex(), 2);

  ShowForm();
  const TRect third = pc->TabRect(2);
  allow = false;
  QTest::mouseClick(pc->Handle(), Qt::LeftButton, {}, QPoint(third.Left + 5, third.Top + 5));
  Pump();
  EXPECT_EQ(pc->ActivePage(), pages[1]);  // refused
  allow = true;
  QTest::mouseClick(pc->Handle(), Qt::LeftButton, {}, QPoint(third.Left + 5, third.Top + 5));
  Pump();
  EXPECT_EQ(pc->ActivePage(), pages[2]);
  EXPECT_EQ(changes, 1);
  // The page fills the display area.
  EXPECT_EQ(pages[2]->BoundsRect(), pc->DisplayRect());
  delete pages[2];
  EXPECT_EQ(pc->PageCount(), 2);
  EXPECT_NE(pc->ActivePage(), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Date-time picker

TEST_F(StdCtrlsEvents, DateTimePickerReportsOnlyTheUsersEdits)
{
  auto *p = Add<TDateTimePicker>(10, 10, 150, 21);
  p->SetFormat("yyyy-MM-dd");
  int changes = 0;
  p->OnChange = [&](TObject *) { ++changes; };
  const TDateTime d = EncodeDate(2024, 2, 29) + 0.5;
  p->SetDateTime(d);
  EXPECT_EQ(p->Date(), EncodeDate(2024, 2, 29));
  EXPECT_DOUBLE_EQ(p->Time(), 0.5);
  EXPECT_EQ(p->Text(), "2024-02-29");
  ShowForm();
  EXPECT_EQ(p->Text(), "2024-02-29");
  EXPECT_EQ(changes, 0);
  p->SetFocus();
  Pump();
  QTest::keyClick(p->Handle(), Qt::Key_Up);  // the year field is current
  Pump();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(p->Date(), EncodeDate(2025, 2, 28));
  p->SetMinDate(EncodeDate(2030, 1, 1));
  EXPECT_EQ(p->Date(), EncodeDate(2030, 1, 1));
  EXPECT_THROW(p->SetDateTime(EncodeDate(2029, 1, 1)), EDateTimeError);
}

TEST(PickerFormat, PlatformFormatsBecomeQtFormats)
{
  const std::pair<const char *, const char *> cases[] = {
      {"M/d/yyyy", "M/d/yyyy"},
      {"h:mm:ss tt", "h:mm:ss AP"},
      {"h:mm:ss AMPM", "h:mm:ss AP"},
      {"dd'.'MM'.'yy", "dd'.'MM'.'yy"},
      {"'Day' d", "'Day' d"},
  };
  for (const auto &[from, to] : cases)
    EXPECT_EQ(PickerFormatToQt(from), to) << from;
}

// ---------------------------------------------------------------------------------------------
// Popup menu

TEST_F(StdCtrlsEvents, PopupMenuRunsTheChosenItem)
{
  auto *menu = new TPopupMenu(Form);
  QStringList log;
  auto item = [&](const QString &caption) {
    auto *i = new TMenuItem(Form);
    i->SetCaption(caption);
    i->OnClick = [&log, i](TObject *) { log << i->Caption(); };
    menu->Items()->Add(i);
    return i;
  };
  TMenuItem *copy = item("&Copy");
  TMenuItem *sep = item("-");
  TMenuItem *paste = item("&Paste");
  TMenuItem *check = item("Check");
  check->SetAutoCheck(true);
  EXPECT_TRUE(sep->IsLine());
  EXPECT_EQ(menu->Items()->Find("paste"), paste);

  TMenuItem *choice = nullptr;
  TPoint shownAt;
  TPopupMenu::SetRunner([&](TPopupMenu *, TPoint P) {
    shownAt = P;
    return choice;
  });
  choice = copy;
  menu->Popup(100, 120);
  EXPECT_EQ(shownAt, TPoint(100, 120));
  paste->SetEnabled(false);
  choice = paste;  // a disabled item does nothing
  menu->Popup(0, 0);
  choice = check;
  menu->Popup(0, 0);
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(log, QStringList({"&Copy", "Check"}));

  // A right click on a control with the menu opens it, with the control as its component.
  auto *e = Add<TEdit>();
  e->SetPopupMenu(menu);
  ShowForm();
  choice = nullptr;
  shownAt = TPoint(-5, -5);
  QTest::mouseClick(e->Handle(), Qt::RightButton, {}, QPoint(5, 5));
  Pump();
  EXPECT_NE(shownAt, TPoint(-5, -5));
  EXPECT_EQ(menu->PopupComponent(), e);
  TPopupMenu::SetRunner(nullptr);
}

}  // namespace
