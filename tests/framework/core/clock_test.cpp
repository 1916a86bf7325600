// The framework's clock on its simulated side: timers fire in the order and at the time they
// fall due, only when the clock is moved on; GetTickCount and Sleep go by the same clock.
#include <QCoreApplication>
#include <QString>
#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "framework/classes/thread.h"
#include "framework/system/clock.h"
#include "framework/system/sysutils.h"

namespace {

// Runs the timers due up to Limit, as a test's SimAdvanceTime does.
void RunUntil(uint64_t Limit)
{
  while (FireNextClockTimer(Limit)) {
  }
  SetSimulatedClock(Limit);
}

struct TTimerCase {
  const char *Name;
  struct TStart {
    uint64_t At;
    uint32_t Interval;
    bool SingleShot;
  };
  std::vector<TStart> Timers;
  uint64_t Until;
  QString Fired;  // "timer@time" in firing order
};

TEST(SimulatedClock, TimersFireInTheOrderAndAtTheTimeTheyFallDue)
{
  const TTimerCase Cases[] = {
      {"single shots in order of time, not of start", {{0, 30, true}, {0, 10, true}, {0, 20, true}}, 100, "1@10 2@20 0@30"},
      {"equal times in the order started", {{0, 10, true}, {0, 10, true}, {0, 10, true}}, 10, "0@10 1@10 2@10"},
      // At equal times the one (re)started first goes first.
      {"repeating timers interleave", {{0, 20, false}, {0, 30, false}}, 60, "0@20 1@30 0@40 1@60 0@60"},
      {"a timer started later counts from its start", {{0, 25, true}, {10, 10, true}}, 100, "1@20 0@25"},
      {"nothing before its time", {{0, 50, false}}, 49, ""},
  };
  for (const TTimerCase &C : Cases) {
    SCOPED_TRACE(C.Name);
    ResetSimulatedClock();
    QStringList fired;
    std::vector<std::unique_ptr<TClockTimer>> timers;
    for (const auto &S : C.Timers) {
      RunUntil(S.At);
      const int index = int(timers.size());
      timers.push_back(std::make_unique<TClockTimer>(
          [&fired, index] { fired << QStringLiteral("%1@%2").arg(index).arg(ClockMs()); }));
      timers.back()->SetSingleShot(S.SingleShot);
      timers.back()->Start(S.Interval);
    }
    RunUntil(C.Until);
    EXPECT_EQ(fired.join(' '), C.Fired);
    EXPECT_EQ(ClockMs(), C.Until);
  }
}

TEST(SimulatedClock, TimeStandsStillUntilMovedOn)
{
  ResetSimulatedClock();
  const uint32_t tick = GetTickCount();
  int fired = 0;
  TClockTimer timer([&] { ++fired; });
  timer.Start(1);
  for (int i = 0; i < 20; ++i)
    QCoreApplication::processEvents();
  EXPECT_EQ(GetTickCount(), tick);
  EXPECT_EQ(fired, 0);
  EXPECT_TRUE(timer.Active());
}

TEST(SimulatedClock, AHandlerMayStopRestartOrDestroyItsTimer)
{
  ResetSimulatedClock();
  QStringList log;
  TClockTimer stopping;
  stopping.OnTimeout = [&] {
    log << QStringLiteral("stop@%1").arg(ClockMs());
    stopping.Stop();
  };
  stopping.Start(10);
  TClockTimer restarting;
  restarting.SetSingleShot(true);
  restarting.OnTimeout = [&] {
    log << QStringLiteral("restart@%1").arg(ClockMs());
    if (ClockMs() < 30)
      restarting.Start(15);
  };
  restarting.Start(5);
  auto destroyed = std::make_unique<TClockTimer>();
  destroyed->OnTimeout = [&] {
    log << QStringLiteral("destroy@%1").arg(ClockMs());
    destroyed.reset();
  };
  destroyed->Start(12);
  RunUntil(100);
  EXPECT_EQ(log.join(' '), "restart@5 stop@10 destroy@12 restart@20 restart@35");
  EXPECT_FALSE(stopping.Active());
  EXPECT_FALSE(restarting.Active());
  EXPECT_EQ(destroyed, nullptr);
}

TEST(SimulatedClock, AResetKeepsTheTimeATimerHasLeft)
{
  ResetSimulatedClock();
  int fired = 0;
  TClockTimer timer([&] { ++fired; });
  timer.SetSingleShot(true);
  RunUntil(1000);
  timer.Start(50);
  RunUntil(1030);
  ResetSimulatedClock();
  EXPECT_EQ(ClockMs(), 0u);
  RunUntil(19);
  EXPECT_EQ(fired, 0);
  RunUntil(20);
  EXPECT_EQ(fired, 1);
}

TEST(SimulatedClock, DueTimersFireWhenEventsAreNextHandled)
{
  ResetSimulatedClock();
  QStringList log;
  TClockTimer now([&] { log << QStringLiteral("now@%1").arg(ClockMs()); });
  now.SetSingleShot(true);
  now.Start(0);
  TClockTimer later([&] { log << QStringLiteral("later@%1").arg(ClockMs()); });
  later.SetSingleShot(true);
  later.Start(10);
  EXPECT_TRUE(log.isEmpty());
  QCoreApplication::processEvents();
  EXPECT_EQ(log.join(' '), "now@0");
  // The main thread's Sleep is the program's own time passing; the timer it makes due waits
  // for the next round of events, as a posted timer message does.
  Sleep(10);
  EXPECT_EQ(ClockMs(), 10u);
  EXPECT_EQ(log.join(' '), "now@0");
  QCoreApplication::processEvents();
  EXPECT_EQ(log.join(' '), "now@0 later@10");
}

TEST(SimulatedClock, AWorkerThreadsSleepLeavesTheClock)
{
  ResetSimulatedClock();
  std::thread worker([] { Sleep(5); });
  worker.join();
  EXPECT_EQ(ClockMs(), 0u);
  EXPECT_EQ(GetTickCount(), 0u);
}

}  // namespace
