#include "framework/controls/overlay_window.h"

#include <QEvent>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <QWidget>

#include "framework/controls/pump.h"

namespace {

// An alien child is composited by Qt itself; a native one needs the platform's alpha.
bool CanBeTranslucent(QWidget *Wnd) { return !(Wnd->internalWinId() && !Wnd->isWindow()); }

// Paints a window's picture instead of the window: installed after the pump's filter, it sees
// the paint event first and keeps it from the control.
class TOverlayPicture : public QObject {
public:
  explicit TOverlayPicture(QWidget *Wnd) : QObject(Wnd) { Wnd->installEventFilter(this); }
  QImage Picture;
  qreal Opacity = 1;
  bool Translucent = true;
  QColor Backdrop = Qt::white;

  bool eventFilter(QObject *Object, QEvent *Event) override
  {
    if (Event->type() != QEvent::Paint || Object != parent())
      return false;
    auto *wnd = static_cast<QWidget *>(Object);
    QPainter p(wnd);
    if (!Translucent)
      p.fillRect(wnd->rect(), Backdrop);
    p.setOpacity(Opacity);
    p.drawImage(0, 0, Picture);
    return true;
  }
};

}  // namespace

void OverlaySetPolygonRegion(HWND Wnd, const std::vector<TPoint> &Points) {
  if (!Wnd) return;
  if (Points.empty()) {
    Wnd->clearMask();
    return;
  }
  QPolygon P;
  for (const TPoint &p : Points) P << QPoint(p.X, p.Y);
  Wnd->setMask(QRegion(P, Qt::WindingFill));
}

void OverlaySetRegion(HWND Wnd, const TRegion &Region) {
  if (!Wnd) return;
  if (Region.IsEmpty())
    Wnd->clearMask();
  else
    Wnd->setMask(Region.Region());
}

void OverlaySetClickThrough(HWND Wnd, bool On) {
  if (Wnd) Wnd->setAttribute(Qt::WA_TransparentForMouseEvents, On);
}

bool OverlaySetTranslucent(HWND Wnd, bool On) {
  if (!Wnd) return false;
  if (On && !CanBeTranslucent(Wnd)) return false;
  Wnd->setAttribute(Qt::WA_TranslucentBackground, On);
  // The framework's windows promise to cover every pixel, which would keep Qt from drawing
  // what lies below first.
  Wnd->setAttribute(Qt::WA_OpaquePaintEvent, !On);
  Wnd->setAutoFillBackground(!On);
  return true;
}

bool OverlaySetPicture(HWND Wnd, const TBitmap *Picture, uint8_t Opacity) {
  if (!Wnd) return false;
  auto *overlay = Wnd->findChild<TOverlayPicture *>(QString(), Qt::FindDirectChildrenOnly);
  if (!Picture || Picture->Empty() || Picture->PixelFormat() != pf32bit) {
    delete overlay;
    Wnd->update();
    return false;
  }
  if (!overlay) overlay = new TOverlayPicture(Wnd);
  // The fourth byte is the alpha whatever alpha format the bitmap declares.
  overlay->Picture = Picture->Image().copy();
  overlay->Picture.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
  overlay->Opacity = Opacity / 255.0;
  overlay->Translucent = OverlaySetTranslucent(Wnd, true);
  overlay->Backdrop = Qt::white;
  if (TControlHandle *parent = Wnd->parentWidget() ? WindowHandleOf(Wnd->parentWidget()) : nullptr)
    overlay->Backdrop = ColorToQColor(parent->Control->Color());
  Wnd->update();
  return overlay->Translucent;
}

void OverlayRaise(HWND Wnd) {
  if (Wnd) Wnd->raise();
}
