// Busy waits of the UI thread: input made meanwhile is dropped, windows still repaint, the
// cursor is the hourglass, timers wait, and a modal window opened meanwhile stays usable.
#include <QEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include "framework/controls/busywait.h"
#include "framework/testing/queued_input.h"
#include "framework/testing/ui_script.h"
#include "tests/framework/gui/controls_probe.h"

namespace {

// Waits for Turns turns of the busy loop, running Action on the first one.
bool WaitTurns(int Turns, const std::function<void()> &Action)
{
  int Turn = 0;
  SetBusyWaitProbe([&] {
    if (Turn++ == 0 && Action) Action();
  });
  const bool Done = BusyWait([&] { return Turn >= Turns; }, 2000);
  SetBusyWaitProbe({});
  return Done;
}

struct BusyWaitTest : ::testing::Test {
  TTestForm Form;
  TProbe *Target = nullptr;
  void SetUp() override
  {
    Target = new TProbe(Form, "Target");
    Target->SetParent(Form);
    Target->SetBounds(10, 10, 80, 40);
    Form->Show();
    Target->SetFocus();
    SimProcess();
  }
  QStringList Input() const
  {
    QStringList Out;
    for (const QString &E : Target->Log)
      if (E.contains("BUTTON") || E.contains("KEY") || E.contains("CHAR")) Out << E;
    return Out;
  }
};

TEST_F(BusyWaitTest, InputQueuedDuringTheWaitIsDroppedNotReplayed)
{
  // Without a wait, the same queued input reaches the control once events are handled.
  SimQueueClick(Target, 5, 5);
  SimQueueType(Target, "a");
  SimProcess();
  EXPECT_TRUE(Input().contains("Target:WM_LBUTTONDOWN"));
  EXPECT_TRUE(Input().contains("Target:WM_CHAR:a"));

  Target->Log.clear();
  ASSERT_TRUE(WaitTurns(5, [&] {
    SimQueueClick(Target, 5, 5);
    SimQueueType(Target, "b");
  }));
  SimProcess();
  EXPECT_EQ(Input(), QStringList());
}

TEST_F(BusyWaitTest, WindowsRepaintWhenShownAgainDuringTheWait)
{
  // A window that is unmapped and mapped again (as when uncovered or restored) must be put on
  // the screen again while the wait still runs: its widget gets paint events.
  struct TPaintCounter : QObject {
    int Paints = 0;
    bool eventFilter(QObject *, QEvent *E) override
    {
      if (E->type() == QEvent::Paint) ++Paints;
      return false;
    }
  } Counter;
  Target->Handle()->installEventFilter(&Counter);
  int PaintsDuring = -1;
  int Turn = 0;
  SetBusyWaitProbe([&] {
    if (Turn++ == 0) {
      Form->Hide();
      Counter.Paints = 0;
      Form->Show();
    }
  });
  BusyWait(
      [&] {
        PaintsDuring = Counter.Paints;
        return Turn >= 8;
      },
      2000);
  SetBusyWaitProbe({});
  EXPECT_GT(PaintsDuring, 0);
}

TEST_F(BusyWaitTest, HourglassDuringTheWaitAndTheCursorBeforeAfterIt)
{
  for (TCursor Before : {crDefault, crHandPoint}) {
    Screen->SetCursor(Before);
    TCursor During = crDefault;
    int ShapeDuring = -1;
    WaitTurns(2, [&] {
      During = Screen->Cursor();
      ShapeDuring = CursorShapeOf(Target);
    });
    EXPECT_EQ(During, crHourGlass);
    EXPECT_EQ(ShapeDuring, int(Qt::WaitCursor));
    EXPECT_EQ(Screen->Cursor(), Before);
    EXPECT_EQ(CursorShapeOf(Target), Before == crDefault ? int(Qt::ArrowCursor) : int(Qt::PointingHandCursor));
  }
  Screen->SetCursor(crDefault);
}

TEST_F(BusyWaitTest, TimersWaitUntilTheEnd)
{
  TTimer Timer(nullptr);
  int Ticks = 0;
  Timer.SetInterval(1);
  Timer.OnTimer = [&](TObject *) { ++Ticks; };
  Timer.SetEnabled(true);
  int TicksDuring = -1;
  BusyWait(
      [&] {
        TicksDuring = Ticks;
        return false;
      },
      100);
  EXPECT_EQ(TicksDuring, 0);
  EXPECT_TRUE(SimWaitFor([&] { return Ticks > 0; }));
}

TEST_F(BusyWaitTest, AModalFormOpenedDuringTheWaitTakesInput)
{
  TUIScript UI;
  TTestForm Dialog(200, 100);
  TProbe *Ok = new TProbe(Dialog, "Ok");
  Ok->SetParent(Dialog);
  Ok->SetBounds(10, 10, 80, 25);
  Ok->OnClick = [&](TObject *) { Dialog->SetModalResult(mrOk); };
  UI.OnForm([&](TCustomForm *) { SimClick(Ok, 5, 5); });
  int Result = mrNone;
  WaitTurns(2, [&] { Result = Dialog->ShowModal(); });
  EXPECT_EQ(Result, mrOk);
}

}  // namespace
