#include "framework/controls/overlay_window.h"

#include <QPolygon>
#include <QRegion>
#include <QWidget>

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

void OverlaySetClickThrough(HWND Wnd, bool On) {
  if (Wnd) Wnd->setAttribute(Qt::WA_TransparentForMouseEvents, On);
}

bool OverlaySetTranslucent(HWND Wnd, bool On) {
  if (!Wnd) return false;
  // An alien child is composited by Qt itself; a native one needs the platform's alpha.
  if (On && Wnd->internalWinId() && !Wnd->isWindow()) return false;
  Wnd->setAttribute(Qt::WA_TranslucentBackground, On);
  Wnd->setAutoFillBackground(!On);
  return true;
}

void OverlayRaise(HWND Wnd) {
  if (Wnd) Wnd->raise();
}
