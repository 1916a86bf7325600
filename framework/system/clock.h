#pragma once
// The framework's one clock, read by GetTickCount, Sleep and every framework timer (window
// timers, TTimer, the hint timers).
//
// Normally it is the machine's monotonic clock and the timers run on Qt's event loop. Tests
// switch to a simulated clock: time stands still until something moves it on (a test's
// SimAdvanceTime or SimWaitFor, Sleep on the main thread), and timers fire only when the
// clock has reached them, in the order they fall due, each through the code that a real
// timeout runs. A timer falling due while the clock is moved on by Sleep fires the next time
// the program handles its messages, as on the original platform.
#include <cstdint>
#include <functional>
#include <memory>

// Milliseconds since an arbitrary start; never goes back.
uint64_t ClockMs();

bool ClockSimulated();
// Switches the clock; timers keep running on the clock they were started on until restarted.
void SetClockSimulated(bool Value);
// Simulated time back to its start; timers still waiting keep the time they have left.
void ResetSimulatedClock();
// Moves simulated time on without firing anything (the due timers fire when messages are
// next handled). Does nothing on the real clock.
void AdvanceSimulatedClock(uint64_t Ms);
// Fires the earliest timer due at or before the simulated time Limit, first moving the
// clock to its time; false when there is none.
bool FireNextClockTimer(uint64_t Limit);
// Moves simulated time on to Time, when it lies ahead (nothing fires).
void SetSimulatedClock(uint64_t Time);

// A timer on the framework's clock: OnTimeout every Interval ms from Start until Stop, or
// once when single-shot. Belongs to the thread of the event loop (the main thread). The
// timer may be destroyed from its own OnTimeout.
class TClockTimer {
public:
  explicit TClockTimer(std::function<void()> AOnTimeout = {});
  ~TClockTimer();
  TClockTimer(const TClockTimer &) = delete;
  TClockTimer &operator=(const TClockTimer &) = delete;

  std::function<void()> OnTimeout;
  void SetSingleShot(bool Value);
  // (Re)starts the timer: the first timeout comes Interval ms from now.
  void Start(uint32_t Interval);
  void Stop();
  bool Active() const;

  struct TImpl;

private:
  std::unique_ptr<TImpl> d;
};
