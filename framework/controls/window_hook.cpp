#include "framework/controls/window_hook.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <set>
#include <utility>

#include "framework/controls/messages.h"

namespace {

class THookFilter : public QObject {
public:
  explicit THookFilter(TWindowMessageHook Hook) : FHook(std::move(Hook))
  {
    QCoreApplication::instance()->installEventFilter(this);
  }
  ~THookFilter() override
  {
    if (QCoreApplication *app = QCoreApplication::instance())
      app->removeEventFilter(this);
  }

  bool eventFilter(QObject *Watched, QEvent *Event) override
  {
    const QEvent::Type type = Event->type();
    if ((type == QEvent::Move || type == QEvent::Resize) && Watched->isWidgetType())
      FHook(WM_WINDOWPOSCHANGED);
    return false;
  }

private:
  TWindowMessageHook FHook;
};

std::set<THookFilter *> &Hooks()
{
  static std::set<THookFilter *> hooks;
  return hooks;
}

}  // namespace

void *SetWindowMessageHook(TWindowMessageHook Hook)
{
  if (!QCoreApplication::instance() || !Hook)
    return nullptr;
  auto *filter = new THookFilter(std::move(Hook));
  Hooks().insert(filter);
  return filter;
}

bool UnhookWindowMessageHook(void *Handle)
{
  auto *filter = static_cast<THookFilter *>(Handle);
  if (!Hooks().erase(filter))
    return false;
  delete filter;
  return true;
}
