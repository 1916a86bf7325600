#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <thread>

#include "framework/classes/thread.h"
#include "framework/system/clock.h"

namespace {

struct SyncEntry {
  std::function<void()> method;
  std::shared_ptr<std::promise<void>> done;  // null for Queue
};

std::mutex gSyncMutex;
std::condition_variable gSyncSignal;  // wakes a main thread waiting in WaitFor
std::deque<SyncEntry> gSyncQueue;

void PostCheck()
{
  if (QCoreApplication *app = QCoreApplication::instance())
    QMetaObject::invokeMethod(app, [] { TThread::CheckSynchronize(); }, Qt::QueuedConnection);
}

}  // namespace

struct TThread::Impl {
  std::thread worker;
  std::mutex mutex;
  std::condition_variable finished;
};

TThread::TThread(bool CreateSuspended) : d(std::make_unique<Impl>())
{
  if (!CreateSuspended) Start();
}

TThread::~TThread()
{
  FDestroying = true;
  if (FStarted && !FFinished) {
    Terminate();
    WaitFor();
  }
  if (d->worker.joinable()) {
    if (d->worker.get_id() == std::this_thread::get_id()) d->worker.detach();
    else d->worker.join();
  }
}

void TThread::Start()
{
  if (FStarted.exchange(true)) return;
  d->worker = std::thread([this] { Run(); });
}

void TThread::Run()
{
  try {
    Execute();
  } catch (...) {
    // An exception ends the thread quietly, as the original keeps it in FatalException.
  }
  if (!FDestroying && OnTerminate) Synchronize([this] { OnTerminate(this); });
  const bool freeIt = FFreeOnTerminate && !FDestroying;
  {
    std::lock_guard<std::mutex> lock(d->mutex);
    FFinished = true;
  }
  d->finished.notify_all();
  {
    std::lock_guard<std::mutex> lock(gSyncMutex);
  }
  gSyncSignal.notify_all();
  if (freeIt) Queue(nullptr, [this] { delete this; });
}

int TThread::WaitFor()
{
  if (!FStarted) return FReturnValue;
  if (IsMainThread()) {
    std::unique_lock<std::mutex> lock(gSyncMutex);
    while (!FFinished) {
      if (!gSyncQueue.empty()) {
        lock.unlock();
        CheckSynchronize();
        lock.lock();
        continue;
      }
      gSyncSignal.wait_for(lock, std::chrono::milliseconds(5));
    }
  } else {
    std::unique_lock<std::mutex> lock(d->mutex);
    d->finished.wait(lock, [this] { return FFinished.load(); });
  }
  if (d->worker.joinable() && d->worker.get_id() != std::this_thread::get_id()) d->worker.join();
  return FReturnValue;
}

bool TThread::IsMainThread()
{
  QCoreApplication *app = QCoreApplication::instance();
  return !app || QThread::currentThread() == app->thread();
}

void TThread::Synchronize(TThread *, const std::function<void()> &Method)
{
  if (IsMainThread()) {
    Method();
    return;
  }
  auto done = std::make_shared<std::promise<void>>();
  auto future = done->get_future();
  {
    std::lock_guard<std::mutex> lock(gSyncMutex);
    gSyncQueue.push_back(SyncEntry{Method, done});
  }
  gSyncSignal.notify_all();
  PostCheck();
  future.get();  // rethrows what Method raised
}

void TThread::Queue(TThread *, const std::function<void()> &Method)
{
  if (IsMainThread() && !QCoreApplication::instance()) {
    Method();
    return;
  }
  {
    std::lock_guard<std::mutex> lock(gSyncMutex);
    gSyncQueue.push_back(SyncEntry{Method, nullptr});
  }
  gSyncSignal.notify_all();
  PostCheck();
}

bool TThread::CheckSynchronize()
{
  if (!IsMainThread()) return false;
  bool any = false;
  while (true) {
    SyncEntry e;
    {
      std::lock_guard<std::mutex> lock(gSyncMutex);
      if (gSyncQueue.empty()) break;
      e = std::move(gSyncQueue.front());
      gSyncQueue.pop_front();
    }
    any = true;
    try {
      e.method();
      if (e.done) e.done->set_value();
    } catch (...) {
      if (e.done) e.done->set_exception(std::current_exception());
    }
  }
  return any;
}

void Sleep(uint32_t Milliseconds)
{
  QThread::msleep(Milliseconds);
  // The program's own time passes too; a worker thread's pause is its own business.
  if (TThread::IsMainThread())
    AdvanceSimulatedClock(Milliseconds);
}
