#pragma once
// Shared by the two start-up programs (startup_app.cpp, startup_qt.cpp): once a top-level
// window has painted and the event queue has run dry twice without another paint, prints the
// wall clock and the peak resident size, then ends the process at once (teardown is not
// start-up). startup.sh compares the clock with the moment it started the program.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>

class TStartupProbe : public QObject {
public:
  TStartupProbe()
  {
    qApp->installEventFilter(this);
    FTimer.setInterval(0);
    connect(&FTimer, &QTimer::timeout, this, [this] { Tick(); });
    FTimer.start();
  }

protected:
  bool eventFilter(QObject *Object, QEvent *Event) override
  {
    if (Event->type() == QEvent::Paint && Object->isWidgetType() && static_cast<QWidget *>(Object)->isWindow()) {
      FPainted = true;
      FQuietTicks = 0;
    }
    return false;
  }

public:
  // Reports more about the idle program (on stderr: stdout carries the figures above).
  std::function<void()> OnIdle;

private:
  void Tick()
  {
    if (!FPainted || ++FQuietTicks < 2)
      return;
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    if (OnIdle)
      OnIdle();
    std::printf("idle_ns=%lld peak_kib=%ld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec, usage.ru_maxrss);
    std::fflush(stdout);
    std::_Exit(0);
  }

  QTimer FTimer;
  bool FPainted = false;
  int FQuietTicks = 0;
};
