// The window object behind a TWinControl: its widget, backing image, non-client frame and
// window scroll bars, and the scroll-bar functions.
#include "framework/controls/pump.h"

#include <QPainter>
#include <QPaintEvent>

#include "framework/controls/classiclook.h"
#include "framework/controls/forms.h"

// ---------------------------------------------------------------------------------------------
// The window object

TControlWidget::TControlWidget(TControlHandle *AHandle, QWidget *Parent, Qt::WindowFlags Flags)
    : QWidget(Parent, Flags), Handle(AHandle)
{
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

void TControlWidget::paintEvent(QPaintEvent *Event)
{
  if (!Handle)
    return;
  QPointer<QWidget> self = this;
  Handle->PaintPendingNow();
  // A paint handler may have destroyed the window.
  if (!self || !Handle)
    return;
  // Rectangle by rectangle: clipped to one rectangle the copy is a plain blit, where the whole
  // region (a window less its child windows) goes the general way, on threads Qt starts for it.
  QPainter p(this);
  for (const QRect &r : Event->region()) {
    p.setClipRect(r);
    p.drawImage(r.topLeft(), Handle->Image, r);
  }
}

TControlHandle::~TControlHandle() = default;

int TControlHandle::EdgeSize() const
{
  if (IsForm)
    return 0;
  if (ExStyle & WS_EX_CLIENTEDGE)
    return 2;
  if ((ExStyle & WS_EX_STATICEDGE) || (Style & WS_BORDER))
    return 1;
  return 0;
}

bool TControlHandle::BarVisible(int Bar) const
{
  return Bars[Bar].Shown;
}

int TControlHandle::NCLeft() const { return EdgeSize() + Control->BorderWidth(); }
int TControlHandle::NCTop() const { return EdgeSize() + Control->BorderWidth(); }
int TControlHandle::NCRight() const
{
  return EdgeSize() + Control->BorderWidth() + (BarVisible(SB_VERT) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
}
int TControlHandle::NCBottom() const
{
  return EdgeSize() + Control->BorderWidth() + (BarVisible(SB_HORZ) ? GetSystemMetrics(SM_CYHSCROLL) : 0);
}

void TControlHandle::EnsureImage()
{
  if (Native)
    return;
  int w = Control->Width();
  int hgt = Control->Height();
  if (auto *f = dynamic_cast<TCustomForm *>(Control)) {
    w = f->ClientWidth();
    hgt = f->ClientHeight();
  }
  w = std::max(w, 1);
  hgt = std::max(hgt, 1);
  if (Image.width() != w || Image.height() != hgt) {
    QImage img(w, hgt, QImage::Format_RGB32);
    ++ImageAllocations;
    img.fill(ColorToQColor(Control->Color()));
    if (!Image.isNull()) {
      QPainter p(&img);
      p.drawImage(0, 0, Image);
    }
    Image.swap(img);
    PaintPending = true;
    ErasePending = true;
    FramePending = true;
  }
}

QImage *TControlHandle::DrawingImage()
{
  if (Image.isNull()) {
    static QImage scratch(1, 1, QImage::Format_RGB32);
    return &scratch;
  }
  EnsureImage();
  return &Image;
}

void TControlHandle::ScheduleUpdate()
{
  if (Widget && Redraw)
    Widget->update();
}

void TControlHandle::DrawFrame()
{
  const int e = EdgeSize();
  const int bw = Control->BorderWidth();
  QPainter p(&Image);
  const int W = Image.width(), H = Image.height();
  if (bw > 0) {
    const QColor c = ColorToQColor(Control->Color());
    p.fillRect(e, e, W - 2 * e, bw, c);
    p.fillRect(e, H - e - bw, W - 2 * e, bw, c);
    p.fillRect(e, e, bw, H - 2 * e, c);
    p.fillRect(W - e - bw, e, bw, H - 2 * e, c);
  }
  auto hline = [&](int x1, int x2, int y, TColor c) { p.fillRect(x1, y, x2 - x1, 1, ColorToQColor(c)); };
  auto vline = [&](int x, int y1, int y2, TColor c) { p.fillRect(x, y1, 1, y2 - y1, ColorToQColor(c)); };
  if (e == 2) {
    hline(0, W - 1, 0, clBtnShadow);
    vline(0, 0, H - 1, clBtnShadow);
    hline(0, W, H - 1, clBtnHighlight);
    vline(W - 1, 0, H, clBtnHighlight);
    hline(1, W - 2, 1, cl3DDkShadow);
    vline(1, 1, H - 2, cl3DDkShadow);
    hline(1, W - 1, H - 2, cl3DLight);
    vline(W - 2, 1, H - 1, cl3DLight);
  } else if (e == 1) {
    const TColor c = (ExStyle & WS_EX_STATICEDGE) ? clBtnShadow : clWindowFrame;
    hline(0, W, 0, c);
    hline(0, W, H - 1, c);
    vline(0, 0, H, c);
    vline(W - 1, 0, H, c);
  }
  if (BarVisible(SB_HORZ) && BarVisible(SB_VERT)) {
    // The square between the two bars.
    p.fillRect(W - e - bw - GetSystemMetrics(SM_CXVSCROLL), H - e - bw - GetSystemMetrics(SM_CYHSCROLL),
               GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL), ColorToQColor(clBtnFace));
  }
}

void TControlHandle::PaintPendingNow()
{
  if (Native || Painting || !Redraw)
    return;
  EnsureImage();
  if (!FramePending && !PaintPending && UpdateRgn.isEmpty())
    return;
  QPointer<QWidget> guard = Widget.data();
  ++Painting;
  auto &pump = TMessagePump::Instance();
  if (FramePending) {
    FramePending = false;
    TMessage nc(WM_NCPAINT, 1, 0);
    pump.Deliver(Control, nc);
  }
  if (PaintPending || !UpdateRgn.isEmpty()) {
    // What this paint repaints; an invalidation made while it runs waits for the next one.
    const TRect cr = Control->ClientRect();
    const QRegion client(0, 0, std::max(cr.Width(), 0), std::max(cr.Height(), 0));
    PaintRgn = PaintPending ? client : UpdateRgn & client;
    PaintPending = false;
    UpdateRgn = QRegion();
    if (!PaintRgn.isEmpty()) {
      if (ErasePending) {
        ErasePending = false;
        TMessage er(WM_ERASEBKGND, 0, 0);
        pump.Deliver(Control, er);
      }
      TMessage pm(WM_PAINT, 0, 0);
      pump.Deliver(Control, pm);
    }
  }
  if (guard || !Widget) {
    PaintRgn = QRegion();
    --Painting;
  }
}

void TControlHandle::EnsureStyle()
{
  // Before the window exists the style follows the properties as they change.
  if (StyleKnown && Widget)
    return;
  TCreateParams params;
  Control->CreateParams(params);
  Style = params.Style;
  ExStyle = params.ExStyle;
  StyleKnown = true;
  Bars[SB_HORZ].Shown = Style & WS_HSCROLL;
  Bars[SB_VERT].Shown = Style & WS_VSCROLL;
  for (auto &b : Bars) {
    b.Info.nMin = 0;
    b.Info.nMax = 100;
  }
}

void TControlHandle::LayoutBars()
{
  if (!Widget || Native)
    return;
  const int e = EdgeSize() + Control->BorderWidth();
  const int W = Widget->width(), H = Widget->height();
  const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  for (int bar = 0; bar < 2; ++bar) {
    TBar &b = Bars[bar];
    if (!b.Shown) {
      if (b.Widget)
        b.Widget->hide();
      continue;
    }
    if (!b.Widget) {
      auto *sb = new QScrollBar(bar == SB_HORZ ? Qt::Horizontal : Qt::Vertical, Widget);
      sb->setFocusPolicy(Qt::NoFocus);
      ApplyClassicLook(sb, clScrollBar, nullptr);
      b.Widget = sb;
      QObject::connect(sb, &QAbstractSlider::actionTriggered, sb, [this, bar, sb](int action) {
        TBar &tb = Bars[bar];
        if (tb.Updating)
          return;
        int code = -1;
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
        case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
        case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
        case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
        case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
        case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
        case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
        default: break;
        }
        if (code < 0)
          return;
        const int pos = sb->sliderPosition();
        tb.Info.nTrackPos = pos;
        QPointer<QScrollBar> guard = sb;
        TMessage m(bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MakeWParam(code, pos), 0);
        TMessagePump::Instance().Deliver(Control, m);
        if (guard && code != SB_THUMBTRACK) {
          tb.Updating = true;
          guard->setSliderPosition(tb.Info.nPos);
          tb.Updating = false;
        }
      });
      QObject::connect(sb, &QAbstractSlider::sliderReleased, sb, [this, bar, sb]() {
        TBar &tb = Bars[bar];
        const int pos = sb->sliderPosition();
        QPointer<QScrollBar> guard = sb;
        TMessage m(bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MakeWParam(SB_THUMBPOSITION, pos), 0);
        TMessagePump::Instance().Deliver(Control, m);
        TMessage end(bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MakeWParam(SB_ENDSCROLL, 0), 0);
        TMessagePump::Instance().Deliver(Control, end);
        if (guard) {
          tb.Updating = true;
          guard->setSliderPosition(tb.Info.nPos);
          tb.Updating = false;
        }
      });
    }
    if (bar == SB_HORZ)
      b.Widget->setGeometry(e, H - e - cy, W - 2 * e - (Bars[SB_VERT].Shown ? cx : 0), cy);
    else
      b.Widget->setGeometry(W - e - cx, e, cx, H - 2 * e - (Bars[SB_HORZ].Shown ? cy : 0));
    UpdateBar(bar);
    b.Widget->show();
  }
}

void TControlHandle::UpdateBar(int Bar)
{
  TBar &b = Bars[Bar];
  if (!b.Widget)
    return;
  b.Updating = true;
  const SCROLLINFO &i = b.Info;
  const int maxPos = i.nPage > 0 ? std::max(i.nMin, i.nMax - int(i.nPage) + 1) : i.nMax;
  b.Widget->setRange(i.nMin, maxPos);
  b.Widget->setPageStep(i.nPage > 0 ? int(i.nPage) : 1);
  b.Widget->setSingleStep(1);
  b.Widget->setValue(i.nPos);
  b.Widget->setEnabled(b.Enabled && Enabled);
  b.Updating = false;
}

// ---------------------------------------------------------------------------------------------
// Scroll bars

int SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO &Info, bool Redraw)
{
  TControlHandle *h = WindowHandleOf(Wnd);
  if (!h || Bar < 0 || Bar > 1)
    return 0;
  h->EnsureStyle();
  auto &b = h->Bars[Bar];
  if (Info.fMask & SIF_RANGE) {
    b.Info.nMin = Info.nMin;
    b.Info.nMax = Info.nMax;
  }
  if (Info.fMask & SIF_PAGE)
    b.Info.nPage = Info.nPage;
  if (Info.fMask & SIF_POS)
    b.Info.nPos = Info.nPos;
  // Page and position stay inside the range, as the platform keeps them.
  const int span = b.Info.nMax - b.Info.nMin + 1;
  if (int(b.Info.nPage) > span)
    b.Info.nPage = uint32_t(std::max(span, 0));
  const int maxPos = b.Info.nMax - std::max(int(b.Info.nPage) - 1, 0);
  if (b.Info.nPos > maxPos)
    b.Info.nPos = maxPos;
  if (b.Info.nPos < b.Info.nMin)
    b.Info.nPos = b.Info.nMin;
  if (Info.fMask & SIF_RANGE || Info.fMask & SIF_PAGE) {
    const bool scrollable = b.Info.nPage > 0 ? span > int(b.Info.nPage) : b.Info.nMax > b.Info.nMin;
    const bool show = scrollable || (Info.fMask & SIF_DISABLENOSCROLL);
    b.Enabled = scrollable;
    if (show != b.Shown) {
      b.Shown = show;
      h->FramePending = true;
      h->LayoutBars();
      h->Control->Realign();
      TMessage m(WM_SIZE, SIZE_RESTORED, MakeLParam(h->Control->ClientWidth(), h->Control->ClientHeight()));
      TMessagePump::Instance().Deliver(h->Control, m);
      h->Control->Invalidate();
    }
  }
  h->UpdateBar(Bar);
  return b.Info.nPos;
}

bool GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO &Info)
{
  TControlHandle *h = WindowHandleOf(Wnd);
  if (!h || Bar < 0 || Bar > 1)
    return false;
  h->EnsureStyle();
  const auto &b = h->Bars[Bar].Info;
  if (Info.fMask & SIF_RANGE) {
    Info.nMin = b.nMin;
    Info.nMax = b.nMax;
  }
  if (Info.fMask & SIF_PAGE)
    Info.nPage = b.nPage;
  if (Info.fMask & SIF_POS)
    Info.nPos = b.nPos;
  if (Info.fMask & SIF_TRACKPOS)
    Info.nTrackPos = b.nTrackPos;
  return true;
}

int SetScrollPos(HWND Wnd, int Bar, int Pos, bool Redraw)
{
  TControlHandle *h = WindowHandleOf(Wnd);
  if (!h || Bar < 0 || Bar > 1)
    return 0;
  const int old = h->Bars[Bar].Info.nPos;
  SCROLLINFO i;
  i.fMask = SIF_POS;
  i.nPos = Pos;
  SetScrollInfo(Wnd, Bar, i, Redraw);
  return old;
}

int GetScrollPos(HWND Wnd, int Bar)
{
  TControlHandle *h = WindowHandleOf(Wnd);
  if (!h || Bar < 0 || Bar > 1)
    return 0;
  return h->Bars[Bar].Info.nPos;
}

bool SetScrollRange(HWND Wnd, int Bar, int MinPos, int MaxPos, bool Redraw)
{
  SCROLLINFO i;
  i.fMask = SIF_RANGE;
  i.nMin = MinPos;
  i.nMax = MaxPos;
  return SetScrollInfo(Wnd, Bar, i, Redraw) >= 0 && WindowHandleOf(Wnd);
}

bool GetScrollRange(HWND Wnd, int Bar, int &MinPos, int &MaxPos)
{
  SCROLLINFO i;
  i.fMask = SIF_RANGE;
  if (!GetScrollInfo(Wnd, Bar, i))
    return false;
  MinPos = i.nMin;
  MaxPos = i.nMax;
  return true;
}

bool ShowScrollBar(HWND Wnd, int Bar, bool Show)
{
  TControlHandle *h = WindowHandleOf(Wnd);
  if (!h)
    return false;
  h->EnsureStyle();
  bool changed = false;
  for (int b = 0; b < 2; ++b) {
    if (Bar == b || Bar == SB_BOTH) {
      if (h->Bars[b].Shown != Show) {
        h->Bars[b].Shown = Show;
        changed = true;
      }
    }
  }
  if (changed) {
    h->FramePending = true;
    h->LayoutBars();
    h->Control->Realign();
    TMessage m(WM_SIZE, SIZE_RESTORED, MakeLParam(h->Control->ClientWidth(), h->Control->ClientHeight()));
    TMessagePump::Instance().Deliver(h->Control, m);
    h->Control->Invalidate();
  }
  return true;
}

bool EnableScrollBar(HWND Wnd, int Bar, uint32_t Arrows)
{
  TControlHandle *h = WindowHandleOf(Wnd);
  if (!h)
    return false;
  for (int b = 0; b < 2; ++b)
    if (Bar == b || Bar == SB_BOTH) {
      h->Bars[b].Enabled = Arrows != ESB_DISABLE_BOTH;
      h->UpdateBar(b);
    }
  return true;
}
