// The message pipeline: order of key, mouse and focus messages, posted messages, timers and
// exceptions escaping handlers.
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include "framework/controls/pump.h"
#include "framework/testing/input.h"
#include "framework/testing/ui_script.h"
#include "tests/framework/gui/controls_probe.h"

namespace {

struct Pipeline : ::testing::Test {
  TTestForm form;
  TProbe *a = nullptr;
  TProbe *b = nullptr;
  QStringList log;
  void SetUp() override
  {
    a = new TProbe(form, "a");
    a->SetParent(form);
    a->SetBounds(10, 10, 100, 50);
    b = new TProbe(form, "b");
    b->SetParent(form);
    b->SetBounds(10, 80, 100, 50);
    a->SharedLog = &log;
    b->SharedLog = &log;
    form->Show();
    a->SetFocus();
    log.clear();
  }
};

TEST_F(Pipeline, KeyDownThenCharThenKeyUpEvenWhenKeyDownZeroesTheKey)
{
  QString pressed;
  a->OnKeyDown = [](TObject *, uint16_t &Key, TShiftState) { Key = 0; };
  a->OnKeyPress = [&](TObject *, QChar &Key) { pressed += Key; };
  SimKey(a, 'A');
  EXPECT_EQ(log, (QStringList{"a:CN_KEYDOWN:65", "a:WM_KEYDOWN:65", "a:CN_CHAR:a", "a:WM_CHAR:a", "a:WM_KEYUP:65"}));
  EXPECT_EQ(pressed, "a");
}

TEST_F(Pipeline, CharGoesToTheKeyDownControlWhenKeyDownMovesTheFocus)
{
  QString pressedA, pressedB;
  a->OnKeyDown = [&](TObject *, uint16_t &, TShiftState) { b->SetFocus(); };
  a->OnKeyPress = [&](TObject *, QChar &Key) { pressedA += Key; };
  b->OnKeyPress = [&](TObject *, QChar &Key) { pressedB += Key; };
  SimKey(a, 'X', {ssShift});
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(pressedA, "X");
  EXPECT_EQ(pressedB, "");
  // The focus moved inside the key-down handler, before the character arrived.
  EXPECT_LT(log.indexOf("b:WM_SETFOCUS"), log.indexOf("a:WM_CHAR:X"));
}

// A control standing in for a default button: takes Enter through CM_DIALOGKEY.
class TDefaultButton : public TWinControl {
public:
  using TWinControl::TWinControl;
  int Clicks = 0;
  void CMDialogKey(TCMDialogKey &Message) override
  {
    if (Message.CharCode == VK_RETURN) {
      ++Clicks;
      Message.Result = 1;
      return;
    }
    TWinControl::CMDialogKey(Message);
  }
};

TEST_F(Pipeline, EnterReachesTheDefaultButtonOnlyWhenTheFocusedControlDoesNotWantIt)
{
  auto *button = new TDefaultButton(form);
  button->SetParent(form);
  struct Case {
    uint32_t dlgCode;
    bool buttonClicked;
  } cases[] = {{0, true}, {DLGC_WANTARROWS, true}, {DLGC_WANTALLKEYS, false}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.dlgCode);
    a->DlgCode = c.dlgCode;
    button->Clicks = 0;
    log.clear();
    SimKey(a, VK_RETURN);
    EXPECT_EQ(button->Clicks, c.buttonClicked ? 1 : 0);
    // A key used as a dialog key never arrives as a key or a character.
    EXPECT_EQ(log.contains("a:WM_KEYDOWN:13"), !c.buttonClicked);
    EXPECT_EQ(log.contains("a:WM_CHAR:\r"), !c.buttonClicked);
  }
}

TEST_F(Pipeline, TabMovesBetweenTabStopControlsInTabOrder)
{
  auto *c = new TProbe(form, "c");
  c->SetParent(form);
  auto *skipped = new TProbe(form, "skipped");
  skipped->SetParent(form);
  skipped->SetTabStop(false);
  auto *hidden = new TProbe(form, "hidden");
  hidden->SetParent(form);
  hidden->SetVisible(false);
  c->SetTabOrder(0);  // c, a, b, skipped, hidden
  SimKey(a, VK_TAB);
  EXPECT_TRUE(b->Focused());
  SimKey(b, VK_TAB);
  EXPECT_TRUE(c->Focused());
  SimKey(c, VK_TAB, {ssShift});
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(form->ActiveControl(), b);
  EXPECT_EQ(Screen->ActiveControl(), b);
}

TEST_F(Pipeline, KeyPreviewGivesTheFormTheKeyFirst)
{
  QStringList order;
  form->SetKeyPreview(true);
  form->OnKeyDown = [&](TObject *, uint16_t &Key, TShiftState) {
    order << "form";
    if (Key == VK_F2)
      Key = 0;
  };
  a->OnKeyDown = [&](TObject *, uint16_t &, TShiftState) { order << "a"; };
  SimKey(a, VK_F3);
  SimKey(a, VK_F2);
  EXPECT_EQ(order, (QStringList{"form", "a", "form"}));
}

// Records the window named by WM_SETFOCUS and WM_KILLFOCUS.
struct TFocusSpy : TProbe {
  using TProbe::TProbe;
  HWND SetFrom = nullptr;
  HWND KillTo = nullptr;
  void WMSetFocus(TWMSetFocus &M) override { SetFrom = M.FocusedWnd; TProbe::WMSetFocus(M); }
  void WMKillFocus(TWMKillFocus &M) override { KillTo = M.FocusedWnd; TProbe::WMKillFocus(M); }
};

TEST_F(Pipeline, FocusMessagesNameTheOtherWindowAndEnterExitFollow)
{
  QStringList events;
  a->OnExit = [&](TObject *) { events << "a.exit"; };
  b->OnEnter = [&](TObject *) { events << "b.enter"; };
  b->SetFocus();
  EXPECT_EQ(log.mid(0, 2), (QStringList{"a:WM_KILLFOCUS", "b:WM_SETFOCUS"}));
  EXPECT_EQ(events, (QStringList{"a.exit", "b.enter"}));
  auto *c = new TFocusSpy(form, "c");
  c->SetParent(form);
  auto *d = new TFocusSpy(form, "d");
  d->SetParent(form);
  c->SetFocus();
  EXPECT_EQ(c->SetFrom, b->Handle());
  d->SetFocus();
  EXPECT_EQ(c->KillTo, d->Handle());
  EXPECT_EQ(d->SetFrom, c->Handle());
}

// What a test leaves in the pump (a held key, the capture, the focus, the control under the
// mouse, a message not yet delivered) is gone after a reset, which itself delivers nothing.
TEST_F(Pipeline, ResetForgetsHeldInputCaptureFocusAndPostedMessages)
{
  for (TProbe *p : {a, b})
    p->Logged << WM_CAPTURECHANGED << WM_APP + 7;
  SimKeyDown(a, 'Q');
  SimMouseMove(b, 5, 5);
  SetCapture(b->Handle());
  PostMessage(a->Handle(), WM_APP + 7, 0, 0);
  ASSERT_NE(GetKeyState('Q'), 0);
  ASSERT_EQ(GetFocus(), a->Handle());
  log.clear();

  TMessagePump::Instance().Reset();
  Application->ProcessMessages();
  EXPECT_EQ(GetKeyState('Q'), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(TMessagePump::Instance().MouseControl, nullptr);
  EXPECT_TRUE(log.isEmpty()) << log.join(' ').toStdString();
}

TEST_F(Pipeline, PostedMessagesRunAfterTheHandlerThatPostedThem)
{
  const uint32_t done = RegisterWindowMessage("GridEditDone");
  EXPECT_EQ(done, RegisterWindowMessage("GRIDEDITDONE"));
  EXPECT_GE(done, 0xC000u);
  EXPECT_NE(done, RegisterWindowMessage("DTPShiftFocus"));
  QStringList order;
  struct TPoster : TProbe {
    using TProbe::TProbe;
    QStringList *Order;
    uint32_t Done;
    void WndProc(TMessage &M) override
    {
      if (M.Msg == Done || M.Msg == WM_APP + 2)
        *Order << QString::number(M.Msg - (M.Msg == Done ? Done : WM_APP));
      TProbe::WndProc(M);
    }
  };
  auto *p = new TPoster(form, "p");
  p->SetParent(form);
  p->SetBounds(150, 10, 50, 50);
  p->Order = &order;
  p->Done = done;
  p->OnMouseDown = [&](TObject *, TMouseButton, TShiftState, int, int) {
    order << "down";
    PostMessage(p->Handle(), done, 0, 0);
    SendMessage(p->Handle(), WM_APP + 2, 0, 0);
    order << "down end";
  };
  p->OnMouseUp = [&](TObject *, TMouseButton, TShiftState, int, int) { order << "up"; };
  SimMouseDown(p, 5, 5);
  EXPECT_EQ(order, (QStringList{"down", "2", "down end", "0"}));
  SimMouseUp(p, 5, 5);
  EXPECT_EQ(order.last(), "up");
  // Posted from outside any handler: delivered by the next message processing.
  order.clear();
  PostMessage(p->Handle(), done, 0, 0);
  EXPECT_TRUE(order.isEmpty());
  Application->ProcessMessages();
  EXPECT_EQ(order, QStringList{"0"});
}

TEST_F(Pipeline, SetCursorComesBeforeEveryMouseMoveAndPicksTheCursor)
{
  a->SetCursor(crHSplit);
  SimMouseMove(a, 5, 5);
  SimMouseMove(a, 6, 6);
  EXPECT_EQ(log, (QStringList{"a:CM_MOUSEENTER", "a:WM_SETCURSOR", "a:WM_MOUSEMOVE", "a:WM_SETCURSOR", "a:WM_MOUSEMOVE"}));
  EXPECT_EQ(CursorShapeOf(a), Qt::SplitHCursor);
  Screen->SetCursor(crHourGlass);
  SimMouseMove(a, 7, 7);
  EXPECT_EQ(CursorShapeOf(a), Qt::WaitCursor);
  Screen->SetCursor(crDefault);
  // Moving on to another control leaves the first one.
  log.clear();
  SimMouseMove(b, 1, 1);
  EXPECT_EQ(log.mid(0, 2), (QStringList{"a:CM_MOUSELEAVE", "b:CM_MOUSEENTER"}));
}

TEST_F(Pipeline, DoubleClickArrivesAsDownUpDblClickUp)
{
  int clicks = 0, dbl = 0;
  QList<bool> doubles;
  a->OnClick = [&](TObject *) { ++clicks; };
  a->OnDblClick = [&](TObject *) { ++dbl; };
  a->OnMouseDown = [&](TObject *, TMouseButton, TShiftState s, int, int) { doubles << s.Contains(ssDouble); };
  a->Logged = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
  SimDblClick(a, 10, 10);
  const QStringList expected{"a:WM_LBUTTONDOWN", "a:WM_LBUTTONUP", "a:WM_LBUTTONDBLCLK", "a:WM_LBUTTONUP"};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(dbl, 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubles, (QList<bool>{false, true}));

  // Qt itself sends press, release, press, double click, release: the second press is the
  // double click and Qt's own double-click event is dropped.
  log.clear();
  QWidget *w = a->Handle();
  auto send = [&](QEvent::Type t, Qt::MouseButtons held, uint64_t time) {
    QMouseEvent e(t, QPointF(10, 10), QPointF(w->mapToGlobal(QPoint(10, 10))), Qt::LeftButton, held, Qt::NoModifier);
    e.setTimestamp(time);
    QApplication::sendEvent(w, &e);
  };
  send(QEvent::MouseButtonPress, Qt::LeftButton, 5000000);
  send(QEvent::MouseButtonRelease, Qt::NoButton, 5000050);
  send(QEvent::MouseButtonPress, Qt::LeftButton, 5000100);
  send(QEvent::MouseButtonDblClick, Qt::LeftButton, 5000100);
  send(QEvent::MouseButtonRelease, Qt::NoButton, 5000150);
  EXPECT_EQ(log, expected);
  // Two separate clicks are two clicks.
  log.clear();
  SimClick(a, 10, 10);
  SimClick(a, 10, 10);
  EXPECT_EQ(log.count("a:WM_LBUTTONDBLCLK"), 0);
}

TEST_F(Pipeline, ThePressedControlKeepsTheMouseUntilRelease)
{
  int clicks = 0;
  a->OnClick = [&](TObject *) { ++clicks; };
  SimMouseDown(a, 10, 10);
  EXPECT_TRUE(a->MouseCapture());
  log.clear();
  SimMouseMove(b, 5, 5);  // over b, but a has the mouse
  SimMouseUp(b, 5, 5);
  EXPECT_EQ(log, (QStringList{"a:WM_MOUSEMOVE", "a:WM_LBUTTONUP"}));
  EXPECT_FALSE(a->MouseCapture());
  EXPECT_EQ(clicks, 0);  // released outside
  SimClick(a, 10, 10);
  EXPECT_EQ(clicks, 1);
}

TEST_F(Pipeline, APressWithNoButtonHeldFindsNoCaptureLeftBehind)
{
  int clicks = 0;
  b->OnClick = [&](TObject *) { ++clicks; };
  // A capture whose release went elsewhere, as when a popup took the pointer.
  SetCaptureControl(a);
  SimClick(b, 5, 5);
  EXPECT_EQ(log.filter("BUTTON"), (QStringList{"b:WM_LBUTTONDOWN", "b:WM_LBUTTONUP"}));
  EXPECT_EQ(clicks, 1);
}

TEST_F(Pipeline, TheKeyUpGoesToTheWindowFocusedWhenItComesUp)
{
  a->OnKeyDown = [&](TObject *, uint16_t &, TShiftState) { b->SetFocus(); };
  SimKey(a, 'X');
  EXPECT_EQ(log.filter("KEYUP"), QStringList{"b:WM_KEYUP:88"});
  // While the focus stays where it was, a key struck on another control comes up there.
  a->OnKeyDown = nullptr;
  log.clear();
  SimKey(a, 'Y');
  EXPECT_EQ(log.filter("KEYUP"), QStringList{"a:WM_KEYUP:89"});
}

TEST_F(Pipeline, AClickDoesNotMoveTheFocusBeforeTheControlsOwnPressHandling)
{
  bool focusedDuringPress = true;
  b->OnMouseDown = [&](TObject *, TMouseButton, TShiftState, int, int) {
    focusedDuringPress = b->Focused();
    b->SetFocus();
  };
  SimClick(b, 5, 5);
  EXPECT_FALSE(focusedDuringPress);
  EXPECT_TRUE(b->Focused());
  // A control that does not take the focus itself does not get it by a click.
  SimClick(a, 5, 5);
  EXPECT_TRUE(b->Focused());
}

TEST_F(Pipeline, WheelGoesToTheFocusedControlAndThenUpTheParents)
{
  QStringList got;
  b->OnMouseWheel = [&](TObject *, TShiftState, int Delta, TPoint, bool &Handled) {
    got << QString("b %1").arg(Delta);
    Handled = false;
  };
  form->OnMouseWheel = [&](TObject *, TShiftState, int Delta, TPoint, bool &Handled) {
    got << QString("form %1").arg(Delta);
    Handled = true;
  };
  b->SetFocus();
  SimWheel(a, 5, 5, -120);  // the mouse is over a, b has the focus
  EXPECT_EQ(got, (QStringList{"b -120", "form -120"}));
}

TEST_F(Pipeline, AnExceptionInAHandlerShowsAnErrorBox)
{
  TUIScript ui;
  Application->SetTitle("Quillomark");
  a->OnClick = [](TObject *) { throw EConvertError("'x' is not a valid integer value"); };
  b->OnClick = [](TObject *) { Abort(); };
  SimClick(a, 5, 5);
  SimClick(b, 5, 5);  // EAbort is silent
  ASSERT_EQ(ui.Shown().size(), 1u);
  EXPECT_EQ(ui.Shown()[0].DlgType, mtError);
  EXPECT_EQ(ui.Shown()[0].Text, "'x' is not a valid integer value.");
  EXPECT_EQ(ui.Shown()[0].Caption, "Quillomark");
  EXPECT_EQ(ui.Shown()[0].Buttons, TMsgDlgButtons{mbOK});
  Application->SetTitle(QString());
}

TEST_F(Pipeline, TimersDeliverWmTimerUntilKilled)
{
  a->Logged = {WM_TIMER};
  ASSERT_NE(SetTimer(a->Handle(), 7, 1), 0u);
  ASSERT_TRUE(SimWaitFor([&] { return log.size() >= 2; }));
  EXPECT_EQ(log[0], "a:WM_TIMER:7");
  EXPECT_TRUE(KillTimer(a->Handle(), 7));
  log.clear();
  SimProcess();
  EXPECT_TRUE(log.isEmpty());
  EXPECT_FALSE(KillTimer(a->Handle(), 7));

  TTimer timer(nullptr);
  timer.SetInterval(1);
  int ticks = 0;
  timer.OnTimer = [&](TObject *) {
    if (++ticks == 3)
      timer.SetEnabled(false);
  };
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  ASSERT_TRUE(SimWaitFor([&] { return ticks >= 3; }));
  SimProcess();
  EXPECT_EQ(ticks, 3);
}

// Stamps its timer messages with the time; a posts itself a message from each one.
struct TTimedProbe : TProbe {
  using TProbe::TProbe;
  QStringList *Fired = nullptr;
  void WndProc(TMessage &Message) override
  {
    if (Message.Msg == WM_TIMER) {
      *Fired << QStringLiteral("%1@%2").arg(Name()).arg(GetTickCount());
      if (Name() == "a2")
        PostMessage(Handle(), WM_USER, 0, 0);
    } else if (Message.Msg == WM_USER) {
      *Fired << QStringLiteral("%1:posted@%2").arg(Name()).arg(GetTickCount());
    }
    TProbe::WndProc(Message);
  }
};

TEST_F(Pipeline, TimersFireAtTheirTimeInOrderEachWithTheMessagesItPosts)
{
  QStringList fired;
  TTimedProbe *timed[2];
  for (int i = 0; i < 2; ++i) {
    timed[i] = new TTimedProbe(form, QStringLiteral("%1%2").arg(i ? "b" : "a").arg(2));
    timed[i]->SetParent(form);
    timed[i]->SetBounds(120, 10 + 60 * i, 50, 50);
    timed[i]->Fired = &fired;
  }
  TTimer timer(nullptr);
  timer.SetInterval(25);
  timer.OnTimer = [&](TObject *) { fired << QStringLiteral("t@%1").arg(GetTickCount()); };
  const uint32_t t0 = GetTickCount();
  ASSERT_NE(SetTimer(timed[0]->Handle(), 1, 30), 0u);
  ASSERT_NE(SetTimer(timed[1]->Handle(), 2, 20), 0u);
  SimAdvanceTime(19);
  EXPECT_TRUE(fired.isEmpty());
  SimAdvanceTime(41);
  // At 60 the timer set again at 30 goes before the one set again at 40.
  EXPECT_EQ(fired.join(' '), QStringLiteral("b2@%1 t@%2 a2@%3 a2:posted@%3 b2@%4 t@%5 a2@%6 a2:posted@%6 b2@%6")
                                 .arg(t0 + 20)
                                 .arg(t0 + 25)
                                 .arg(t0 + 30)
                                 .arg(t0 + 40)
                                 .arg(t0 + 50)
                                 .arg(t0 + 60));
  EXPECT_EQ(GetTickCount(), t0 + 60);
}

TEST_F(Pipeline, AWaitMovesTimeOnToTheTimersItNeedsAndNoFurther)
{
  int ticks = 0;
  TTimer timer(nullptr);
  timer.SetInterval(700);
  timer.OnTimer = [&](TObject *) { ++ticks; };
  const uint32_t start = GetTickCount();
  EXPECT_TRUE(SimWaitFor([&] { return ticks == 2; }));
  EXPECT_EQ(GetTickCount(), start + 1400);
  // A third tick would come after the time the wait may take: the wait gives up at its end.
  EXPECT_FALSE(SimWaitFor([&] { return ticks == 3; }, 500));
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(GetTickCount(), start + 1900);
}

TEST_F(Pipeline, ADisabledControlGetsNoInput)
{
  int clicks = 0;
  a->OnClick = [&](TObject *) { ++clicks; };
  a->SetEnabled(false);
  SimClick(a, 5, 5);
  EXPECT_EQ(clicks, 0);
  a->SetEnabled(true);
  SimClick(a, 5, 5);
  EXPECT_EQ(clicks, 1);
}

}  // namespace

namespace {

// A control with an accelerator in its caption, as a button has.
class TAccel : public TWinControl {
public:
  using TWinControl::TWinControl;
  int Clicks = 0;
  void CMDialogChar(TCMDialogChar &Message) override
  {
    if (IsAccel(Message.CharCode, Caption())) {
      ++Clicks;
      Message.Result = 1;
      return;
    }
    TWinControl::CMDialogChar(Message);
  }
};

TEST_F(Pipeline, AcceleratorsAnswerAltLettersAndLettersTheFocusedControlDoesNotTake)
{
  auto *n = new TAccel(form);
  n->SetParent(form);
  n->SetCaption("&Name");
  QString typed;
  a->OnKeyPress = [&](TObject *, QChar &Key) { typed += Key; };
  SimKey(a, 'N', {ssAlt});
  EXPECT_EQ(n->Clicks, 1);
  a->DlgCode = DLGC_WANTCHARS;
  SimKey(a, 'N');
  EXPECT_EQ(n->Clicks, 1);
  EXPECT_EQ(typed, "n");
  a->DlgCode = 0;
  SimKey(a, 'N');
  EXPECT_EQ(n->Clicks, 2);
  EXPECT_EQ(typed, "n");
  EXPECT_TRUE(IsAccel('N', "&Name"));
  EXPECT_FALSE(IsAccel('N', "&&Name"));
}

TEST_F(Pipeline, TheRightButtonReleaseAsksForTheContextMenu)
{
  auto *menu = reinterpret_cast<TPopupMenu *>(0x1);  // only passed through
  TControl *sender = nullptr;
  TPoint where;
  // The menu classes' own handler comes back afterwards: a later test's right click opens its menu.
  TPopupMenuHandler menus = SetPopupMenuHandler([&](TPopupMenu *m, TControl *s, TPoint p) {
    EXPECT_EQ(m, menu);
    sender = s;
    where = p;
    return true;
  });
  a->SetPopupMenu(menu);
  bool asked = false;
  b->OnContextPopup = [&](TObject *, TPoint MousePos, bool &Handled) {
    asked = MousePos == TPoint(4, 5);
    Handled = true;
  };
  SimClick(a, 10, 12, mbRight);
  EXPECT_EQ(sender, a);
  EXPECT_EQ(where, a->ClientToScreen(TPoint(10, 12)));
  sender = nullptr;
  SimClick(b, 4, 5, mbRight);
  EXPECT_TRUE(asked);
  EXPECT_EQ(sender, nullptr);
  SetPopupMenuHandler(std::move(menus));
}

}  // namespace

namespace {

// A parent that notes the child-list messages with where the child was at that moment.
class TListProbe : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  QStringList Log;
  void WndProc(TMessage &Message) override
  {
    if (Message.Msg == CM_CONTROLLISTCHANGE || Message.Msg == CM_CONTROLCHANGE) {
      auto *c = reinterpret_cast<TControl *>(Message.WParam);
      Log << QString("%1:%2:%3")
                 .arg(Message.Msg == CM_CONTROLLISTCHANGE ? "list" : "change")
                 .arg(Message.LParam ? "in" : "out")
                 .arg(c->Parent() == this ? "child" : "apart");
    }
    TCustomControl::WndProc(Message);
  }
};

TEST(ControlList, InsertAndRemoveAnnounceTheChangeAroundTheListUpdate)
{
  TTestForm form;
  auto *parent = new TListProbe(form);
  parent->SetParent(form);
  auto *child = new TProbe(form, "c");
  child->SetParent(parent);
  child->SetParent(form);
  EXPECT_EQ(parent->Log, QStringList({"list:in:apart", "change:in:child", "change:out:child", "list:out:apart"}));
}

}  // namespace
