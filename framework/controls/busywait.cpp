#include "framework/controls/busywait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QThread>

#include "framework/controls/forms.h"
#include "framework/controls/pump.h"

namespace {

std::function<void()> gProbe;

bool IsUserInput(QEvent::Type Type)
{
  switch (Type) {
  case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove: case QEvent::NonClientAreaMouseButtonPress: case QEvent::NonClientAreaMouseButtonRelease:
  case QEvent::NonClientAreaMouseButtonDblClick: case QEvent::NonClientAreaMouseMove: case QEvent::Wheel:
  case QEvent::HoverEnter: case QEvent::HoverMove: case QEvent::HoverLeave:
  case QEvent::KeyPress: case QEvent::KeyRelease: case QEvent::ShortcutOverride: case QEvent::Shortcut:
  case QEvent::ContextMenu: case QEvent::InputMethod:
  case QEvent::TouchBegin: case QEvent::TouchUpdate: case QEvent::TouchEnd: case QEvent::TouchCancel:
  case QEvent::TabletPress: case QEvent::TabletMove: case QEvent::TabletRelease:
  case QEvent::DragEnter: case QEvent::DragMove: case QEvent::Drop:
    return true;
  default:
    return false;
  }
}

// Swallows the user's input while the wait runs. Qt would otherwise keep it queued and hand it
// over once the wait is over: a click on a button that was greyed meanwhile would then click it.
class TInputDropper : public QObject {
public:
  TInputDropper()
      : FLoopLevel(QThread::currentThread()->loopLevel()), FLoopDepth(TMessagePump::Instance().LoopDepth)
  {
    QCoreApplication::instance()->installEventFilter(this);
  }
  ~TInputDropper() override { QCoreApplication::instance()->removeEventFilter(this); }

  bool eventFilter(QObject *, QEvent *Event) override
  {
    // A modal window opened meanwhile has a loop of its own and must stay usable; the pipeline
    // replaying a message to a native control is no user input either.
    auto &Pump = TMessagePump::Instance();
    if (QThread::currentThread()->loopLevel() != FLoopLevel || Pump.LoopDepth != FLoopDepth || Pump.ReplayDepth > 0)
      return false;
    const QEvent::Type Type = Event->type();
    if (IsUserInput(Type) || (Type == QEvent::Close && Event->spontaneous())) {
      Event->ignore();
      return true;
    }
    return false;
  }

private:
  int FLoopLevel;
  int FLoopDepth;
};

// The hourglass for the length of the wait, then the cursor that was there before.
class TBusyCursor {
public:
  TBusyCursor() : FSaved(Screen ? Screen->Cursor() : crDefault)
  {
    if (Screen) Screen->SetCursor(crHourGlass);
  }
  ~TBusyCursor()
  {
    if (Screen) Screen->SetCursor(FSaved);
  }

private:
  TCursor FSaved;
};

}  // namespace

void SetBusyWaitProbe(std::function<void()> Probe) { gProbe = std::move(Probe); }

bool BusyWait(const std::function<bool()> &Done, int TimeoutMs)
{
  TBusyCursor Cursor;
  TInputDropper Dropper;
  QElapsedTimer Clock;
  Clock.start();
  for (;;) {
    if (Done()) return true;
    if (Clock.elapsed() > TimeoutMs) return false;
    if (gProbe) gProbe();
    // Exposures, repaints and window changes are handled; input reaches the dropper. Timers
    // are left out: their handlers could start work (a request, a message box) that has no
    // place inside this wait.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::X11ExcludeTimers);
    QThread::msleep(10);
  }
}

TProgramStatus StartProgramAndWait(const QString &Path, const QString &Params, bool Hidden, int TimeoutMs)
{
  const qint64 Pid = StartProgram(Path, Params, Hidden);
  if (Pid == 0) return TProgramStatus{};
  // Once the program has ended, a short pause lets its windows go before ours take over.
  if (BusyWait([Pid] { return !ProgramRunning(Pid); }, ProgramWaitLimit(TimeoutMs))) QThread::msleep(10);
  return ProgramStatus(Pid);
}
