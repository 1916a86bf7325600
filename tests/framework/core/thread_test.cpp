// Worker threads and Synchronize.
#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"

#include <QThread>
#include <atomic>

#include "framework/classes/thread.h"

namespace {

class TCounter : public TThread {
public:
  TCounter() : TThread(true) {}
  ~TCounter() override
  {
    Terminate();
    WaitFor();
  }
  std::atomic<int> Ticks{0};
  bool RanOnMain = false;

protected:
  void Execute() override
  {
    while (!Terminated()) {
      ++Ticks;
      Synchronize([this] { RanOnMain = TThread::IsMainThread(); });
      Sleep(1);
    }
  }
};

TEST(Thread, SynchronizeRunsOnMainThreadWhileWaiting)
{
  TCounter t;
  EXPECT_TRUE(t.Suspended());
  t.Start();
  while (t.Ticks < 3) TThread::CheckSynchronize();
  t.Terminate();
  t.WaitFor();
  EXPECT_TRUE(t.Finished());
  EXPECT_TRUE(t.RanOnMain);
}

TEST(Thread, DestroyingARunningThreadStopsIt)
{
  auto *t = new TCounter;
  t->Start();
  while (t->Ticks < 1) TThread::CheckSynchronize();
  delete t;  // must not hang on the pending Synchronize
  SUCCEED();
}

}  // namespace
