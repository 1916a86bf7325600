#pragma once
// Worker threads with the original's life cycle: created running or suspended, Execute on the
// worker, Synchronize to run code on the UI (main) thread, Terminate as a polite request.
#include <atomic>
#include <functional>
#include <memory>

#include "framework/classes/classes.h"

class TThread : public TObject {
public:
  explicit TThread(bool CreateSuspended);
  // Requests termination and waits for Execute to return. C++ destroys the derived part
  // first, so a derived class whose Execute touches its own members must call Terminate()
  // and WaitFor() in its own destructor.
  ~TThread() override;

  void Start();
  void Resume() { Start(); }
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  bool Finished() const { return FFinished; }
  bool Suspended() const { return !FStarted; }
  // Waits for Execute to return; on the main thread it keeps serving Synchronize calls.
  int WaitFor();
  // The thread object is deleted on the main thread after Execute and OnTerminate.
  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool v) { FFreeOnTerminate = v; }
  int ReturnValue() const { return FReturnValue; }

  // Runs on the main thread after Execute returns (not when the object is being destroyed).
  TNotifyEvent OnTerminate;

  // Runs Method on the main thread and waits for it; called on the main thread, it runs at once.
  static void Synchronize(TThread *AThread, const std::function<void()> &Method);
  void Synchronize(const std::function<void()> &Method) { Synchronize(this, Method); }
  // Runs Method on the main thread later without waiting.
  static void Queue(TThread *AThread, const std::function<void()> &Method);
  // Runs every waiting Synchronize call; answers whether any ran. Main thread only.
  static bool CheckSynchronize();
  static bool IsMainThread();

protected:
  virtual void Execute() = 0;
  void SetReturnValue(int v) { FReturnValue = v; }

private:
  void Run();
  struct Impl;
  std::unique_ptr<Impl> d;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  std::atomic<bool> FStarted{false};
  std::atomic<bool> FDestroying{false};
  bool FFreeOnTerminate = false;
  int FReturnValue = 0;
};

// Blocks the calling thread for the given milliseconds; on the main thread the framework's
// clock (framework/system/clock.h) moves on by as much, simulated or not.
void Sleep(uint32_t Milliseconds);
