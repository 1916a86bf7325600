#include "framework/controls/droptarget.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <map>

namespace {

uint32_t EffectsOf(Qt::DropActions Actions)
{
  uint32_t e = DROPEFFECT_NONE;
  if (Actions & Qt::CopyAction)
    e |= DROPEFFECT_COPY;
  if (Actions & Qt::MoveAction)
    e |= DROPEFFECT_MOVE;
  if (Actions & Qt::LinkAction)
    e |= DROPEFFECT_LINK;
  return e;
}

TDropData DataOf(const QMimeData *Mime)
{
  TDropData d;
  if (!Mime)
    return d;
  for (const QUrl &u : Mime->urls()) {
    if (u.isLocalFile())
      d.Files << u.toLocalFile();
    else
      d.URLs << u.toString();
  }
  // Text of its own, not the addresses Qt also reads as text.
  const QStringList formats = Mime->formats();
  d.HasText = std::any_of(formats.begin(), formats.end(), [](const QString &f) { return f.startsWith(QLatin1String("text/plain")); });
  if (d.HasText)
    d.Text = Mime->text();
  for (const char *format : {"text/rtf", "application/rtf", "text/richtext"})
    if (Mime->hasFormat(QLatin1String(format))) {
      d.RTF = Mime->data(QLatin1String(format));
      break;
    }
  return d;
}

// The effect taken must be one the source allows; it becomes the event's action.
void Answer(QDropEvent *E, uint32_t Effect)
{
  const uint32_t allowed = Effect & EffectsOf(E->possibleActions());
  const Qt::DropAction action = allowed & DROPEFFECT_MOVE   ? Qt::MoveAction
                                : allowed & DROPEFFECT_COPY ? Qt::CopyAction
                                : allowed & DROPEFFECT_LINK ? Qt::LinkAction
                                                            : Qt::IgnoreAction;
  if (action == Qt::IgnoreAction) {
    E->ignore();
    return;
  }
  E->setDropAction(action);
  E->accept();
}

TPoint PointOf(const QDropEvent *E) { return TPoint(int(E->position().x()), int(E->position().y())); }

class TDropFilter : public QObject {
public:
  TDropFilter(QWidget *Wnd, TDropTarget *Target) : QObject(Wnd), FTarget(Target) {}
  TDropTarget *Target() const { return FTarget; }

protected:
  bool eventFilter(QObject *, QEvent *Event) override
  {
    switch (Event->type()) {
    case QEvent::DragEnter: {
      auto *e = static_cast<QDragEnterEvent *>(Event);
      uint32_t effect = EffectsOf(e->possibleActions());
      FTarget->DragEnter(DataOf(e->mimeData()), KeyboardStateToShiftState(), PointOf(e), effect);
      Answer(e, effect);
      // The platform goes on asking while the drag stays over the window, refused or not.
      e->accept();
      return true;
    }
    case QEvent::DragMove: {
      auto *e = static_cast<QDragMoveEvent *>(Event);
      uint32_t effect = EffectsOf(e->possibleActions());
      FTarget->DragOver(KeyboardStateToShiftState(), PointOf(e), effect);
      Answer(e, effect);
      return true;
    }
    case QEvent::DragLeave:
      FTarget->DragLeave();
      return true;
    case QEvent::Drop: {
      auto *e = static_cast<QDropEvent *>(Event);
      uint32_t effect = EffectsOf(e->possibleActions());
      FTarget->Drop(DataOf(e->mimeData()), KeyboardStateToShiftState(), PointOf(e), effect);
      Answer(e, effect);
      return true;
    }
    default:
      return false;
    }
  }

private:
  TDropTarget *FTarget;
};

std::map<QWidget *, QPointer<TDropFilter>> &Registry()
{
  static std::map<QWidget *, QPointer<TDropFilter>> registry;
  return registry;
}

TDropFilter *FilterOf(HWND Wnd)
{
  auto &reg = Registry();
  const auto it = reg.find(Wnd);
  if (it == reg.end())
    return nullptr;
  if (!it->second) {  // the window went, and its registration with it
    reg.erase(it);
    return nullptr;
  }
  return it->second;
}

}  // namespace

int RegisterDragDrop(HWND Wnd, TDropTarget *Target)
{
  if (!Wnd)
    return DRAGDROP_E_INVALIDHWND;
  if (!Target)
    return E_INVALIDARG;
  if (FilterOf(Wnd))
    return DRAGDROP_E_ALREADYREGISTERED;
  auto *filter = new TDropFilter(Wnd, Target);
  Wnd->installEventFilter(filter);
  Wnd->setAcceptDrops(true);
  Registry()[Wnd] = filter;
  QObject::connect(Wnd, &QObject::destroyed, [Wnd] { Registry().erase(Wnd); });
  return S_OK;
}

int RevokeDragDrop(HWND Wnd)
{
  TDropFilter *filter = FilterOf(Wnd);
  if (!filter)
    return DRAGDROP_E_NOTREGISTERED;
  Registry().erase(Wnd);
  Wnd->removeEventFilter(filter);
  Wnd->setAcceptDrops(false);
  delete filter;
  return S_OK;
}

TDropTarget *RegisteredDropTarget(HWND Wnd)
{
  TDropFilter *filter = FilterOf(Wnd);
  return filter ? filter->Target() : nullptr;
}
