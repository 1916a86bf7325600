#include "framework/system/clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <vector>

struct TClockTimer::TImpl {
  explicit TImpl(TClockTimer *AOwner) : Owner(AOwner) {}
  TClockTimer *Owner;
  bool SingleShot = false;
  uint32_t Interval = 0;
  // On the real clock. Deleted later, as the timer may go from inside its own timeout.
  QTimer *Real = nullptr;
  // On the simulated clock: waiting in the schedule, due at Due; Order breaks ties in the
  // order the timers were started.
  bool Waiting = false;
  uint64_t Due = 0;
  uint64_t Order = 0;
};

namespace {

std::atomic<bool> gSimulated{false};
std::atomic<uint64_t> gSimNow{0};
// The simulated schedule; used on the main thread only.
std::vector<TClockTimer::TImpl *> gWaiting;
uint64_t gOrder = 0;
bool gDueRunScheduled = false;

uint64_t RealMs()
{
  static const QElapsedTimer started = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return uint64_t(started.elapsed());
}

void Unschedule(TClockTimer::TImpl *T)
{
  if (!T->Waiting)
    return;
  T->Waiting = false;
  gWaiting.erase(std::remove(gWaiting.begin(), gWaiting.end(), T), gWaiting.end());
}

TClockTimer::TImpl *EarliestDue(uint64_t Limit, uint64_t MaxOrder)
{
  TClockTimer::TImpl *first = nullptr;
  for (TClockTimer::TImpl *t : gWaiting)
    if (t->Due <= Limit && t->Order <= MaxOrder &&
        (!first || t->Due < first->Due || (t->Due == first->Due && t->Order < first->Order)))
      first = t;
  return first;
}

// Fires T at its time: re-arms or unschedules it first, so that the handler may restart,
// stop or destroy it.
void Fire(TClockTimer::TImpl *T)
{
  gSimNow = std::max(gSimNow.load(), T->Due);
  if (T->SingleShot) {
    Unschedule(T);
  } else {
    T->Due = gSimNow + std::max<uint32_t>(T->Interval, 1);
    T->Order = ++gOrder;
  }
  const std::function<void()> handler = T->Owner->OnTimeout;
  if (handler)
    handler();
}

bool OnMainThread()
{
  QCoreApplication *app = QCoreApplication::instance();
  return app && QThread::currentThread() == app->thread();
}

// Timers due now fire when the event loop next runs, as zero-time timers do; one started by
// such a handler waits for the run after.
void ScheduleDueRun()
{
  if (gDueRunScheduled || !OnMainThread() || !EarliestDue(gSimNow, UINT64_MAX))
    return;
  gDueRunScheduled = true;
  QTimer::singleShot(0, QCoreApplication::instance(), [] {
    gDueRunScheduled = false;
    const uint64_t lastOrder = gOrder;
    while (TClockTimer::TImpl *t = EarliestDue(gSimNow, lastOrder))
      Fire(t);
  });
}

}  // namespace

uint64_t ClockMs() { return gSimulated ? gSimNow.load() : RealMs(); }

bool ClockSimulated() { return gSimulated; }

void SetClockSimulated(bool Value) { gSimulated = Value; }

void ResetSimulatedClock()
{
  const uint64_t now = gSimNow;
  for (TClockTimer::TImpl *t : gWaiting)
    t->Due = t->Due > now ? t->Due - now : 0;
  gSimNow = 0;
}

void AdvanceSimulatedClock(uint64_t Ms)
{
  if (!gSimulated)
    return;
  gSimNow += Ms;
  ScheduleDueRun();
}

void SetSimulatedClock(uint64_t Time)
{
  if (gSimulated && Time > gSimNow)
    gSimNow = Time;
}

bool FireNextClockTimer(uint64_t Limit)
{
  TClockTimer::TImpl *t = EarliestDue(Limit, UINT64_MAX);
  if (!t)
    return false;
  Fire(t);
  return true;
}

TClockTimer::TClockTimer(std::function<void()> AOnTimeout) : OnTimeout(std::move(AOnTimeout)), d(std::make_unique<TImpl>(this)) {}

TClockTimer::~TClockTimer()
{
  Unschedule(d.get());
  if (QTimer *real = d->Real) {
    real->stop();
    real->disconnect();
    if (QCoreApplication::instance())
      real->deleteLater();
    else
      delete real;
  }
}

void TClockTimer::SetSingleShot(bool Value)
{
  d->SingleShot = Value;
  if (d->Real)
    d->Real->setSingleShot(Value);
}

void TClockTimer::Start(uint32_t Interval)
{
  d->Interval = Interval;
  if (gSimulated) {
    if (d->Real)
      d->Real->stop();
    if (!d->Waiting) {
      d->Waiting = true;
      gWaiting.push_back(d.get());
    }
    d->Due = gSimNow + Interval;
    d->Order = ++gOrder;
    if (Interval == 0)
      ScheduleDueRun();
    return;
  }
  Unschedule(d.get());
  if (!d->Real) {
    d->Real = new QTimer();
    d->Real->setSingleShot(d->SingleShot);
    TClockTimer *owner = this;
    QObject::connect(d->Real, &QTimer::timeout, d->Real, [owner]() {
      const std::function<void()> handler = owner->OnTimeout;
      if (handler)
        handler();
    });
  }
  d->Real->start(int(std::min<uint32_t>(Interval, INT32_MAX)));
}

void TClockTimer::Stop()
{
  Unschedule(d.get());
  if (d->Real)
    d->Real->stop();
}

bool TClockTimer::Active() const { return d->Waiting || (d->Real && d->Real->isActive()); }
