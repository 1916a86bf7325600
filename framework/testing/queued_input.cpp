#include "framework/testing/queued_input.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "framework/controls/pump.h"

namespace {
// Far from the clock of the direct input helpers, and a press apart, so that queued clicks
// never pair with other clicks into a double click.
uint64_t Clock = uint64_t(1) << 40;

void Post(QWidget *Target, QEvent::Type Type, QPoint Local, Qt::MouseButtons Held)
{
  auto *Event = new QMouseEvent(Type, QPointF(Local), QPointF(Target->mapToGlobal(Local)), Qt::LeftButton, Held,
                                Qt::NoModifier);
  Event->setTimestamp(Clock);
  QCoreApplication::postEvent(Target, Event);
}
}  // namespace

void SimQueueClick(TControl *Control, int X, int Y)
{
  TWinControl *Owner = dynamic_cast<TWinControl *>(Control);
  if (!Owner) {
    Owner = Control->Parent();
    X += Control->Left();
    Y += Control->Top();
  }
  if (!Owner) return;
  QWidget *Window = Owner->Handle();
  TControlHandle *H = TMessagePump::Instance().HandleOf(Window);
  QPoint Local(X + (H ? H->NCLeft() : 0), Y + (H ? H->NCTop() : 0));
  QWidget *Target = Window;
  if (QWidget *Child = Window->childAt(Local)) {
    Local = Child->mapFrom(Window, Local);
    Target = Child;
  }
  Clock += 10000;
  Post(Target, QEvent::MouseButtonPress, Local, Qt::LeftButton);
  Clock += 10;
  Post(Target, QEvent::MouseButtonRelease, Local, Qt::NoButton);
}

void SimQueueType(TWinControl *Control, const QString &Text)
{
  QWidget *Target = Control->Handle();
  for (QChar C : Text) {
    const int Key = C.toUpper().unicode();
    QCoreApplication::postEvent(Target, new QKeyEvent(QEvent::KeyPress, Key, Qt::NoModifier, QString(C)));
    QCoreApplication::postEvent(Target, new QKeyEvent(QEvent::KeyRelease, Key, Qt::NoModifier));
  }
}
