// TWinControl and its window, TCustomControl, TGraphicControl, the timer component and device
// contexts.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

#include "framework/controls/forms.h"
#include "framework/controls/pump.h"

namespace {
int FocusCount = 0;

void RegisterTree(QWidget *w, TControlHandle *h, bool Native)
{
  auto &pump = TMessagePump::Instance();
  pump.Register(w, h);
  w->setMouseTracking(true);
  if (Native) {
    for (QWidget *child : w->findChildren<QWidget *>()) {
      // A popup the native widget keeps (a combo box's list) is a window of its own, with its
      // own pointer and keys: its parts are not the control's.
      if (child->window() != w->window())
        continue;
      pump.Register(child, h);
      child->setMouseTracking(true);
    }
  }
}

// Each paint gets a fresh device context, into which the canvas selects its brush again: the
// text background follows the brush (a clear brush leaves the text transparent), not
// whatever the previous paint left behind.
void SelectPaintBrush(TCanvas *Canvas)
{
  TBrush *b = Canvas->Brush();
  Canvas->SetBkMode(b->Style() == bsClear ? TRANSPARENT : OPAQUE);
  Canvas->SetBkColor(b->Color());
}
}  // namespace

int GlobalFocusCount() { return FocusCount; }
void IncFocusCount() { ++FocusCount; }

// ---------------------------------------------------------------------------------------------

TWinControl::TWinControl(TComponent *AOwner)
    : TControl(AOwner), FBrush(std::make_unique<TBrush>()), FHandle(std::make_unique<TControlHandle>(this))
{
  FBrush->SetColor(FColor);
  FBrush->OnChange = [this](TObject *Sender) { BrushChanged(Sender); };
}

TWinControl::~TWinControl()
{
  FHandle->Destroying = true;
  if (TCustomForm *f = GetParentForm(this)) {
    if (f != static_cast<TControl *>(this))
      f->DefocusControl(this, true);
  }
  // Children still on this control go with it.
  while (!FControls.empty()) {
    TControl *c = FControls.back();
    RemoveControl(c);
    delete c;
  }
  DestroyHandle();
  if (FParent)
    FParent->RemoveControl(this);
}

void TWinControl::BrushChanged(TObject *) { Invalidate(); }

// ---------------------------------------------------------------------------------------------
// The window

bool TWinControl::HandleAllocated() const { return FHandle && FHandle->Widget; }

HWND TWinControl::Handle()
{
  HandleNeeded();
  return FHandle->Widget.data();
}

void TWinControl::HandleNeeded()
{
  if (HandleAllocated())
    return;
  if (FParent)
    FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::CreateHandle()
{
  if (HandleAllocated())
    return;
  CreateWnd();
  for (TControl *c : FControls)
    if (auto *w = dynamic_cast<TWinControl *>(c))
      w->CreateHandle();
}

void TWinControl::DestroyHandle()
{
  if (!HandleAllocated())
    return;
  FControlState += csDestroyingHandle;
  for (TControl *c : FControls)
    if (auto *w = dynamic_cast<TWinControl *>(c))
      w->DestroyHandle();
  DestroyWnd();
  FControlState -= csDestroyingHandle;
}

void TWinControl::RecreateWnd()
{
  if (!HandleAllocated())
    return;
  FControlState += csRecreating;
  // The focus stays with this control or the child of it that has it.
  TWinControl *focused = FindControl(::GetFocus());
  if (focused && !ContainsControl(focused))
    focused = nullptr;
  const bool shownWindow = FHandle->Widget->isWindow() && FHandle->Widget->isVisible();
  DestroyHandle();
  FHandle->StyleKnown = false;
  HandleNeeded();
  if (shownWindow)
    FHandle->Widget->show();
  if (focused && focused->HandleAllocated())
    ::SetFocus(focused->Handle());
  FControlState -= csRecreating;
}

void TWinControl::CreateParams(TCreateParams &Params)
{
  Params.Caption = Text();
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(csAcceptsControls))
    Params.Style |= WS_CLIPCHILDREN;
  if (!FEnabled)
    Params.Style |= WS_DISABLED;
  if (FTabStop)
    Params.Style |= WS_TABSTOP;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent && FParent->HandleAllocated() ? FParent->FHandle->Widget.data() : nullptr;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
}

QWidget *TWinControl::CreateWindowHandle(const TCreateParams &Params)
{
  Qt::WindowFlags flags = Qt::Widget;
  if (!Params.WndParent) {
    if (Params.Style & WS_POPUP)
      flags = Qt::ToolTip | Qt::FramelessWindowHint;
    else
      flags = Qt::Window;
  }
  return new TControlWidget(FHandle.get(), Params.WndParent, flags);
}

void TWinControl::CreateWnd()
{
  TCreateParams params;
  CreateParams(params);
  TControlHandle *h = FHandle.get();
  h->Style = params.Style;
  h->ExStyle = params.ExStyle;
  h->StyleKnown = true;
  h->IsForm = dynamic_cast<TCustomForm *>(this) != nullptr;
  h->Bars[SB_HORZ].Shown = params.Style & WS_HSCROLL;
  h->Bars[SB_VERT].Shown = params.Style & WS_VSCROLL;
  for (auto &b : h->Bars) {
    b.Info = SCROLLINFO();
    b.Info.nMax = 100;
  }
  QWidget *parentWidget = params.WndParent;
  QWidget *w = CreateWindowHandle(params);
  auto *own = dynamic_cast<TControlWidget *>(w);
  h->Native = own == nullptr;
  if (parentWidget && w->parentWidget() != parentWidget)
    w->setParent(parentWidget);
  if (h->Native) {
    h->NativeFocusPolicy = w->focusPolicy();
    h->NativeCursor = w->cursor();
  }
  w->setFocusPolicy(Qt::NoFocus);
  for (QWidget *child : w->findChildren<QWidget *>())
    if (child->focusPolicy() != Qt::NoFocus && !dynamic_cast<TControlWidget *>(child))
      child->setFocusPolicy(Qt::NoFocus);
  h->Widget = w;
  RegisterTree(w, h, h->Native);
  if (!params.Caption.isEmpty() && w->isWindow())
    w->setWindowTitle(params.Caption);
  w->setEnabled(FEnabled);
  h->Enabled = FEnabled;
  h->PaintPending = true;
  h->ErasePending = true;
  h->FramePending = true;
  ApplyWidgetBounds();
  h->LayoutBars();
  if (!w->isWindow())
    w->setVisible(FVisible);
  if (FCursor != crDefault && !h->Native)
    w->setCursor(CursorToQCursor(FCursor));
  CreateWindowDone();
}

void TWinControl::DestroyWnd()
{
  TControlHandle *h = FHandle.get();
  QWidget *w = h->Widget.data();
  if (!w)
    return;
  auto &pump = TMessagePump::Instance();
  if (pump.FocusWnd == w)
    pump.FocusWnd = nullptr;
  if (pump.CaptureWnd == w)
    pump.CaptureWnd = nullptr;
  h->Timers.clear();
  pump.Unregister(w);
  for (QWidget *child : w->findChildren<QWidget *>())
    if (pump.HandleOf(child) == h)
      pump.Unregister(child);
  w->removeEventFilter(&pump);
  if (auto *own = dynamic_cast<TControlWidget *>(w))
    own->Handle = nullptr;
  h->Widget = nullptr;
  for (auto &b : h->Bars)
    b.Widget = nullptr;
  if (!h->Destroying)
    w->hide();
  if (pump.Depth == 0) {
    delete w;
  } else {
    w->setParent(nullptr);
    w->deleteLater();
  }
}

void TWinControl::ApplyWidgetBounds()
{
  TControlHandle *h = FHandle.get();
  QWidget *w = h->Widget.data();
  if (!w)
    return;
  if (w->isWindow()) {
    const TPoint o = ClientOrigin();
    const TRect cr = GetClientRect();
    if (dynamic_cast<TCustomForm *>(this))
      w->setGeometry(o.X, o.Y, std::max(cr.Width(), 1), std::max(cr.Height(), 1));
    else
      w->setGeometry(FLeft, FTop, std::max(FWidth, 1), std::max(FHeight, 1));
  } else {
    int px = 0, py = 0;
    if (FParent) {
      px = FParent->FHandle->NCLeft();
      py = FParent->FHandle->NCTop();
    }
    w->setGeometry(px + FLeft, py + FTop, FWidth, FHeight);
  }
  h->LayoutBars();
}

void TWinControl::ApplyWidgetVisibility()
{
  QWidget *w = FHandle->Widget.data();
  if (w && !w->isWindow())
    w->setVisible(FVisible);
}

// ---------------------------------------------------------------------------------------------
// Children

void TWinControl::InsertControl(TControl *AControl)
{
  Perform(CM_CONTROLLISTCHANGE, WPARAM(AControl), 1);
  AControl->FParent = this;
  FControls.push_back(AControl);
  AControl->UpdateAnchorRules();
  auto *w = dynamic_cast<TWinControl *>(AControl);
  if (w)
    FTabList.push_back(w);
  AControl->Perform(CM_PARENTCOLORCHANGED);
  AControl->Perform(CM_PARENTFONTCHANGED);
  AControl->Perform(CM_PARENTSHOWHINTCHANGED);
  if (w) {
    if (w->FParentCtl3D)
      w->FCtl3D = FCtl3D;
    if (HandleAllocated()) {
      if (w->HandleAllocated()) {
        QWidget *cw = w->FHandle->Widget.data();
        cw->setParent(FHandle->Widget.data());
        w->ApplyWidgetBounds();
        cw->setVisible(w->FVisible);
      } else {
        w->CreateHandle();
      }
    }
  } else {
    AControl->Invalidate();
  }
  AlignControl(AControl);
  Perform(CM_CONTROLCHANGE, WPARAM(AControl), 1);
}

void TWinControl::RemoveControl(TControl *AControl)
{
  Perform(CM_CONTROLCHANGE, WPARAM(AControl), 0);
  if (auto *w = dynamic_cast<TWinControl *>(AControl)) {
    if (TCustomForm *f = GetParentForm(this))
      f->DefocusControl(w, true);
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
    if (!(ComponentState().Contains(csDestroying)) && w->HandleAllocated() && !w->FControlState.Contains(csDestroyingHandle))
      w->DestroyHandle();
  } else {
    AControl->InvalidateControl(AControl->Visible(), false);
  }
  FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
  if (TMessagePump::Instance().MouseControl == AControl)
    TMessagePump::Instance().MouseControl = nullptr;
  AControl->FParent = nullptr;
  Perform(CM_CONTROLLISTCHANGE, WPARAM(AControl), 0);
  Realign();
}

bool TWinControl::ContainsControl(TControl *Control) const
{
  while (Control && Control != this)
    Control = Control->Parent();
  return Control == this;
}

TControl *TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls) const
{
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl *c = *it;
    if (!AllowWinControls && c->IsWindowed())
      continue;
    if (!c->Visible() || (!AllowDisabled && !c->Enabled()))
      continue;
    if (c->BoundsRect().Contains(Pos)) {
      TMessage m(CM_HITTEST, 0, PointToLParam(TPoint(Pos.X - c->Left(), Pos.Y - c->Top())));
      c->WindowProc(m);
      if (m.Result != 0)
        return c;
    }
  }
  return nullptr;
}

TWinControl *TWinControl::FindChildControl(const QString &ControlName) const
{
  for (TControl *c : FControls)
    if (auto *w = dynamic_cast<TWinControl *>(c))
      if (w->Name().compare(ControlName, Qt::CaseInsensitive) == 0)
        return w;
  return nullptr;
}

void TWinControl::Broadcast(TMessage &Message)
{
  const std::vector<TControl *> list = FControls;
  for (TControl *c : list) {
    if (std::find(FControls.begin(), FControls.end(), c) == FControls.end())
      continue;
    c->WindowProc(Message);
    if (Message.Result != 0)
      return;
  }
}

void TWinControl::NotifyControls(uint32_t Msg)
{
  TMessage m(Msg, 0, 0);
  Broadcast(m);
}

// ---------------------------------------------------------------------------------------------
// Bounds and alignment

TRect TWinControl::GetClientRect() const
{
  TControlHandle *h = FHandle.get();
  h->EnsureStyle();
  const int w = FWidth - h->NCLeft() - h->NCRight();
  const int hh = FHeight - h->NCTop() - h->NCBottom();
  return TRect(0, 0, std::max(w, 0), std::max(hh, 0));
}

TPoint TWinControl::ClientOrigin() const
{
  TControlHandle *h = FHandle.get();
  if (!FParent) {
    if (h->Widget && h->Widget->isWindow()) {
      const QPoint p = h->Widget->mapToGlobal(QPoint(h->NCLeft(), h->NCTop()));
      return TPoint(p.x(), p.y());
    }
    return TPoint(FLeft + h->NCLeft(), FTop + h->NCTop());
  }
  const TPoint p = FParent->ClientOrigin();
  return TPoint(p.X + FLeft + h->NCLeft(), p.Y + FTop + h->NCTop());
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
    return;
  const bool sized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  ApplyWidgetBounds();
  if (sized) {
    FHandle->PaintPending = true;
    FHandle->FramePending = true;
    const TRect cr = GetClientRect();
    Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(cr.Width(), cr.Height()));
  }
  RequestAlign();
}

void TWinControl::SetBorderWidth(int Value)
{
  if (FBorderWidth == Value)
    return;
  FBorderWidth = Value;
  FHandle->FramePending = true;
  ApplyWidgetBounds();
  for (TControl *c : FControls)
    if (auto *w = dynamic_cast<TWinControl *>(c))
      w->ApplyWidgetBounds();
  Realign();
  Invalidate();
}

void TWinControl::AdjustClientRect(TRect &) {}

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign()
{
  if (--FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded))
    Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl *AControl)
{
  if (FAlignLevel != 0) {
    FControlState += csAlignmentNeeded;
    return;
  }
  if (FControlState.Contains(csAligning))
    return;
  DisableAlign();
  FControlState += csAligning;
  TRect r = GetClientRect();
  AdjustClientRect(r);
  AlignControls(AControl, r);
  FControlState -= csAligning;
  FControlState -= csAlignmentNeeded;
  --FAlignLevel;
}

void TWinControl::AlignControls(TControl *AControl, TRect &Rect)
{
  const TRect client = GetClientRect();
  // Anchored (not aligned) controls keep their distances to the right and bottom edges.
  for (TControl *c : FControls) {
    if (c->FAlign != alNone)
      continue;
    if (!c->FAnchorsKnown) {
      c->FAnchorRight = client.Width() - (c->FLeft + c->FWidth);
      c->FAnchorBottom = client.Height() - (c->FTop + c->FHeight);
      c->FAnchorsKnown = true;
      continue;
    }
    int l = c->FLeft, t = c->FTop, w = c->FWidth, h = c->FHeight;
    if (c->FAnchors.Contains(akRight)) {
      if (c->FAnchors.Contains(akLeft))
        w = client.Width() - c->FAnchorRight - l;
      else
        l = client.Width() - c->FAnchorRight - w;
    }
    if (c->FAnchors.Contains(akBottom)) {
      if (c->FAnchors.Contains(akTop))
        h = client.Height() - c->FAnchorBottom - t;
      else
        t = client.Height() - c->FAnchorBottom - h;
    }
    if (l != c->FLeft || t != c->FTop || w != c->FWidth || h != c->FHeight) {
      const int ar = c->FAnchorRight, ab = c->FAnchorBottom;
      c->SetBounds(l, t, w, h);
      c->FAnchorRight = ar;
      c->FAnchorBottom = ab;
      c->FAnchorsKnown = true;
    }
  }

  auto place = [&](TAlign align) {
    std::vector<TControl *> list;
    for (TControl *c : FControls)
      if (c->FAlign == align && c->FVisible)
        list.push_back(c);
    // Order by position; the control being moved wins its place among equals.
    auto key = [&](TControl *c) {
      switch (align) {
      case alTop: return c->FTop;
      case alBottom: return -(c->FTop + c->FHeight);
      case alLeft: return c->FLeft;
      case alRight: return -(c->FLeft + c->FWidth);
      default: return 0;
      }
    };
    std::stable_sort(list.begin(), list.end(), [&](TControl *a, TControl *b) {
      const int ka = key(a), kb = key(b);
      if (ka != kb)
        return ka < kb;
      return a == AControl && b != AControl;
    });
    for (TControl *c : list) {
      int l = c->FLeft, t = c->FTop, w = c->FWidth, h = c->FHeight;
      switch (align) {
      case alTop:
        l = Rect.Left; t = Rect.Top; w = Rect.Width();
        Rect.Top += h;
        break;
      case alBottom:
        Rect.Bottom -= h;
        l = Rect.Left; t = Rect.Bottom; w = Rect.Width();
        break;
      case alLeft:
        l = Rect.Left; t = Rect.Top; h = Rect.Height();
        Rect.Left += w;
        break;
      case alRight:
        Rect.Right -= w;
        l = Rect.Right; t = Rect.Top; h = Rect.Height();
        break;
      case alClient:
        l = Rect.Left; t = Rect.Top; w = Rect.Width(); h = Rect.Height();
        break;
      default:
        break;
      }
      c->SetBounds(l, t, std::max(w, 0), std::max(h, 0));
    }
  };
  place(alTop);
  place(alBottom);
  place(alLeft);
  place(alRight);
  place(alClient);
}

// ---------------------------------------------------------------------------------------------
// Focus and tab order

bool TWinControl::CanFocus() const
{
  TCustomForm *f = GetParentForm(const_cast<TWinControl *>(this));
  if (!f)
    return false;
  for (const TControl *c = this; c && c != static_cast<TControl *>(f); c = c->Parent())
    if (!(c->Visible() && c->Enabled()))
      return false;
  return true;
}

bool TWinControl::Focused() const
{
  return HandleAllocated() && TMessagePump::Instance().FocusWnd == FHandle->Widget;
}

void TWinControl::SetFocus()
{
  TCustomForm *f = GetParentForm(this);
  if (f)
    f->FocusControl(this);
  else
    ::SetFocus(Handle());
}

int TWinControl::TabOrder() const
{
  if (!FParent)
    return -1;
  auto &list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int Value)
{
  if (!FParent)
    return;
  auto &list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end())
    return;
  list.erase(it);
  if (Value < 0 || Value > int(list.size()))
    Value = int(list.size());
  list.insert(list.begin() + Value, this);
}

void TWinControl::SetTabStop(bool Value)
{
  if (FTabStop == Value)
    return;
  FTabStop = Value;
  Perform(CM_TABSTOPCHANGED);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl *> &List) const
{
  for (TWinControl *c : FTabList) {
    List.push_back(c);
    c->GetTabOrderList(List);
  }
}

TWinControl *TWinControl::FindNextControl(TWinControl *CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const
{
  std::vector<TWinControl *> list;
  GetTabOrderList(list);
  if (list.empty())
    return nullptr;
  const int count = int(list.size());
  auto it = std::find(list.begin(), list.end(), CurControl);
  int start = it == list.end() ? (GoForward ? count - 1 : 0) : int(it - list.begin());
  int i = start;
  do {
    if (GoForward) {
      if (++i == count) i = 0;
    } else {
      if (i == 0) i = count;
      --i;
    }
    TWinControl *c = list[size_t(i)];
    if (c->CanFocus() && (!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this))
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl *CurControl, bool GoForward, bool CheckTabStop)
{
  TWinControl *next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
  if (next)
    next->SetFocus();
}

void TWinControl::SelectFirst()
{
  TCustomForm *f = GetParentForm(this);
  if (!f)
    return;
  TWinControl *c = f->FindNextControl(nullptr, true, true, false);
  if (!c)
    c = f->FindNextControl(nullptr, true, false, false);
  if (c)
    c->SetFocus();
}

bool TWinControl::IsShowing() const
{
  if (!FVisible)
    return false;
  if (!FParent)
    return HandleAllocated() && FHandle->Widget->isVisible();
  return FParent->IsShowing();
}

void TWinControl::UpdateControlState() { ApplyWidgetVisibility(); }

// ---------------------------------------------------------------------------------------------
// Painting

void TWinControl::Invalidate()
{
  TControlHandle *h = FHandle.get();
  h->PaintPending = true;
  if (!FControlStyle.Contains(csOpaque))
    h->ErasePending = true;
  if (h->Widget) {
    if (h->Native)
      h->Widget->update();
    else
      h->ScheduleUpdate();
  }
}

void TWinControl::Update()
{
  if (HandleAllocated())
    UpdateWindow(FHandle->Widget.data());
}

void TWinControl::Repaint()
{
  Invalidate();
  Update();
}

void TWinControl::PaintWindow(HDC DC)
{
  TMessage m(WM_PAINT, WPARAM(DC), 0);
  DefaultHandler(m);
}

void TWinControl::PaintHandler(TWMPaint &Message)
{
  PaintWindow(static_cast<HDC>(Message.DC));
  PaintControls(static_cast<HDC>(Message.DC), nullptr);
}

void TWinControl::PaintControls(HDC DC, TControl *First)
{
  TControlHandle *h = FHandle.get();
  if (h->Native)
    return;
  bool started = First == nullptr;
  for (TControl *c : FControls) {
    if (!started) {
      started = c == First;
      if (!started)
        continue;
    }
    // Windows paint themselves; the cheap test spares a failing cast per child window per paint.
    if (c->IsWindowed())
      continue;
    auto *g = dynamic_cast<TGraphicControl *>(c);
    if (!g || !g->Visible())
      continue;
    if (g->Width() <= 0 || g->Height() <= 0)
      continue;
    TMessage m(WM_PAINT, WPARAM(DC ? DC : reinterpret_cast<HDC>(1)), 0);
    g->WindowProc(m);
  }
}

void TWinControl::ResolveShownBounds()
{
  for (TControl *c : FControls) {
    if (!c->FVisible)
      continue;
    c->BoundsNeeded();
    if (auto *w = dynamic_cast<TWinControl *>(c))
      w->ResolveShownBounds();
  }
}

void TWinControl::ChangeScale(int M, int D)
{
  DisableAlign();
  try {
    // A copy: a child may rearrange the list while it scales.
    const std::vector<TControl *> children = FControls;
    for (TControl *c : children)
      c->ChangeScale(M, D);
    TControl::ChangeScale(M, D);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TWinControl::ScaleBy(int M, int D)
{
  const TRect r = BoundsRect();
  ChangeScale(M, D);
  SetBounds(r.Left, r.Top, FWidth, FHeight);
}

void TWinControl::PaintTo(TCanvas *Canvas, int X, int Y)
{
  if (!HandleAllocated())
    return;
  TControlHandle *h = FHandle.get();
  h->PaintPendingNow();
  const QImage img = h->Native ? h->Widget->grab().toImage() : h->Widget->grab().toImage();
  Canvas->DrawImage(Bounds(X, Y, img.width(), img.height()), img, TRect(0, 0, img.width(), img.height()), cmSrcCopy);
}

bool TWinControl::IsControlMouseMsg(TWMMouse &Message)
{
  TControl *control = nullptr;
  auto &pump = TMessagePump::Instance();
  if (HandleAllocated() && pump.CaptureWnd == FHandle->Widget) {
    if (pump.CaptureControl && pump.CaptureControl->Parent() == this)
      control = pump.CaptureControl;
  } else {
    control = ControlAtPos(TPoint(Message.XPos, Message.YPos), false);
  }
  if (!control)
    return false;
  TPoint p(Message.XPos - control->Left(), Message.YPos - control->Top());
  TMessage &m = AsMessage(Message);
  m.Result = control->Perform(m.Msg, m.WParam, PointToLParam(p));
  return true;
}

// ---------------------------------------------------------------------------------------------
// Message dispatch

void TWinControl::WndProc(TMessage &Message)
{
  switch (Message.Msg) {
  case WM_SETFOCUS: {
    TCustomForm *f = GetParentForm(this);
    if (f && !f->SetFocusedControl(this))
      return;
    break;
  }
  case WM_KILLFOCUS:
    if (FControlState.Contains(csFocusing))
      return;
    break;
  case WM_CANCELMODE: {
    auto &pump = TMessagePump::Instance();
    if (HandleAllocated() && pump.CaptureWnd == FHandle->Widget && pump.CaptureControl && pump.CaptureControl->Parent() == this)
      pump.CaptureControl->Perform(WM_CANCELMODE);
    break;
  }
  default:
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MBUTTONDBLCLK) {
      if (IsControlMouseMsg(MessageAs<TWMMouse>(Message)))
        return;
    }
    break;
  }
  TControl::WndProc(Message);
}

void TWinControl::Dispatch(TMessage &Message)
{
  switch (Message.Msg) {
  case WM_PAINT: WMPaint(MessageAs<TWMPaint>(Message)); break;
  case WM_ERASEBKGND: WMEraseBkgnd(MessageAs<TWMEraseBkgnd>(Message)); break;
  case WM_SETFOCUS: WMSetFocus(MessageAs<TWMSetFocus>(Message)); break;
  case WM_KILLFOCUS: WMKillFocus(MessageAs<TWMKillFocus>(Message)); break;
  case WM_SETCURSOR: WMSetCursor(MessageAs<TWMSetCursor>(Message)); break;
  case WM_KEYDOWN: WMKeyDown(MessageAs<TWMKey>(Message)); break;
  case WM_KEYUP: WMKeyUp(MessageAs<TWMKey>(Message)); break;
  case WM_CHAR: WMChar(MessageAs<TWMKey>(Message)); break;
  case WM_SYSKEYDOWN: WMSysKeyDown(MessageAs<TWMKey>(Message)); break;
  case WM_SYSKEYUP: WMSysKeyUp(MessageAs<TWMKey>(Message)); break;
  case WM_SYSCHAR: WMSysChar(MessageAs<TWMKey>(Message)); break;
  case WM_GETDLGCODE: WMGetDlgCode(MessageAs<TWMGetDlgCode>(Message)); break;
  case WM_HSCROLL: WMHScroll(MessageAs<TWMScroll>(Message)); break;
  case WM_VSCROLL: WMVScroll(MessageAs<TWMScroll>(Message)); break;
  case WM_COMMAND: WMCommand(MessageAs<TWMCommand>(Message)); break;
  case WM_NOTIFY: WMNotify(MessageAs<TWMNotify>(Message)); break;
  case CN_KEYDOWN: CNKeyDown(MessageAs<TWMKey>(Message)); break;
  case CN_KEYUP: CNKeyUp(MessageAs<TWMKey>(Message)); break;
  case CN_CHAR: CNChar(MessageAs<TWMKey>(Message)); break;
  case CN_SYSKEYDOWN: CNSysKeyDown(MessageAs<TWMKey>(Message)); break;
  case CN_SYSCHAR: CNSysChar(MessageAs<TWMKey>(Message)); break;
  case CM_DIALOGKEY: CMDialogKey(MessageAs<TWMKey>(Message)); break;
  case CM_DIALOGCHAR: CMDialogChar(MessageAs<TWMKey>(Message)); break;
  case CM_WANTSPECIALKEY: CMWantSpecialKey(MessageAs<TWMKey>(Message)); break;
  case CM_ENTER: CMEnter(MessageAs<TCMEnter>(Message)); break;
  case CM_EXIT: CMExit(MessageAs<TCMExit>(Message)); break;
  case CM_FOCUSCHANGED: CMFocusChanged(MessageAs<TCMFocusChanged>(Message)); break;
  case CM_CHILDKEY: CMChildKey(MessageAs<TCMChildKey>(Message)); break;
  case CM_SHOWINGCHANGED: CMShowingChanged(Message); break;
  default: TControl::Dispatch(Message); break;
  }
}

void TWinControl::DefaultHandler(TMessage &Message)
{
  TControlHandle *h = FHandle.get();
  auto &pump = TMessagePump::Instance();
  switch (Message.Msg) {
  case WM_SETCURSOR: {
    // The parent may decide first; otherwise the class cursor.
    if (FParent && FParent->HandleAllocated()) {
      TMessage m(WM_SETCURSOR, Message.WParam, Message.LParam);
      FParent->WindowProc(m);
      if (m.Result != 0) {
        Message.Result = 1;
        return;
      }
    }
    if (h->Widget && LoWord(uintptr_t(Message.LParam)) == HTCLIENT) {
      QWidget *target = pump.CursorWidget && h->Widget->isAncestorOf(pump.CursorWidget) ? pump.CursorWidget.data() : h->Widget.data();
      if (h->Native)
        target->setCursor(target == h->Widget ? h->NativeCursor : target->cursor());
      else
        h->Widget->setCursor(Qt::ArrowCursor);
    }
    return;
  }
  case WM_CONTEXTMENU:
    if (FParent && Message.Result == 0)
      Message.Result = FParent->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
    return;
  case WM_RBUTTONUP: {
    if (h->Native)
      pump.ReplayToNative(h, Message);
    if (h->Widget) {
      const TPoint s = ClientToScreen(LParamToPoint(Message.LParam));
      Perform(WM_CONTEXTMENU, WPARAM(h->Widget.data()), MakeLParam(s.X, s.Y));
    }
    return;
  }
  case CM_SHOWHINTCHANGED:
    NotifyControls(CM_PARENTSHOWHINTCHANGED);
    return;
  case WM_SETREDRAW:
    h->Redraw = Message.WParam != 0;
    if (h->Widget)
      h->Widget->setUpdatesEnabled(h->Redraw);
    return;
  case WM_NCPAINT:
    if (!h->Native) {
      h->EnsureImage();
      h->DrawFrame();
    }
    return;
  case WM_GETDLGCODE:
    if (h->Native)
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    return;
  case WM_SYSKEYDOWN:
    if (Message.WParam == VK_F4) {
      if (TCustomForm *f = GetParentForm(this))
        ::PostMessage(f->Handle(), WM_CLOSE, 0, 0);
      return;
    }
    if (h->Native)
      pump.ReplayToNative(h, Message);
    return;
  case WM_SETTEXT:
    TControl::DefaultHandler(Message);
    if (h->Widget && h->Widget->isWindow() && Message.LParam)
      h->Widget->setWindowTitle(*reinterpret_cast<const QString *>(Message.LParam));
    return;
  case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN: case WM_MBUTTONUP:
  case WM_MBUTTONDBLCLK: case WM_MOUSEWHEEL: case WM_KEYDOWN: case WM_KEYUP: case WM_CHAR:
  case WM_SYSKEYUP: case WM_SYSCHAR:
    if (h->Native) {
      // The native window sets the focus on a click, as its own class does.
      if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && (h->NativeFocusPolicy & Qt::ClickFocus) && !Focused() && CanFocus())
        SetFocus();
      if (h->Widget)
        pump.ReplayToNative(h, Message);
    }
    return;
  default:
    TControl::DefaultHandler(Message);
    return;
  }
}

void TMessagePump::ReplayToNative(TControlHandle *Handle, TMessage &Message)
{
  QWidget *hw = Handle->Widget.data();
  if (!hw)
    return;
  QWidget *origin = nullptr;
  if (!FContexts.empty() && FContexts.back().Message == &Message && FContexts.back().Origin && HandleOf(FContexts.back().Origin) == Handle)
    origin = FContexts.back().Origin;
  const uint32_t msg = Message.Msg;
  std::unique_ptr<QEvent> ev;
  if (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) {
    const TPoint cp = LParamToPoint(Message.LParam);
    const QPoint local(cp.X + Handle->NCLeft(), cp.Y + Handle->NCTop());
    if (!origin) {
      origin = hw->childAt(local);
      if (!origin || HandleOf(origin) != Handle)
        origin = hw;
    }
    const QPoint p = origin == hw ? local : origin->mapFrom(hw, local);
    const QPoint g = hw->mapToGlobal(local);
    const uint32_t keys = uint32_t(Message.WParam);
    Qt::MouseButtons buttons;
    if (keys & MK_LBUTTON) buttons |= Qt::LeftButton;
    if (keys & MK_RBUTTON) buttons |= Qt::RightButton;
    if (keys & MK_MBUTTON) buttons |= Qt::MiddleButton;
    Qt::KeyboardModifiers mods;
    if (keys & MK_SHIFT) mods |= Qt::ShiftModifier;
    if (keys & MK_CONTROL) mods |= Qt::ControlModifier;
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButton button = Qt::NoButton;
    switch (msg) {
    case WM_LBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::LeftButton; break;
    case WM_LBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::LeftButton; break;
    case WM_LBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::LeftButton; break;
    case WM_RBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::RightButton; break;
    case WM_RBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::RightButton; break;
    case WM_RBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::RightButton; break;
    case WM_MBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::MiddleButton; break;
    case WM_MBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::MiddleButton; break;
    case WM_MBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::MiddleButton; break;
    default: break;
    }
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
      buttons |= button;
    ev = std::make_unique<QMouseEvent>(type, QPointF(p), QPointF(p), QPointF(g), button, buttons, mods);
  } else if (msg == WM_MOUSEWHEEL) {
    const TPoint sp = LParamToPoint(Message.LParam);
    if (!origin)
      origin = hw;
    const QPoint p = origin->mapFromGlobal(QPoint(sp.X, sp.Y));
    const int delta = int16_t(HiWord(Message.WParam));
    ev = std::make_unique<QWheelEvent>(QPointF(p), QPointF(sp.X, sp.Y), QPoint(), QPoint(0, delta), Buttons, Modifiers,
                                       Qt::NoScrollPhase, false);
  } else if (msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP) {
    if (!origin)
      origin = hw->focusProxy() ? hw->focusProxy() : hw;
    int key = VKToQtKey(uint16_t(Message.WParam));
    if (key == Qt::Key_Tab && (Modifiers & Qt::ShiftModifier))
      key = Qt::Key_Backtab;
    if (!key)
      return;
    const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
    ev = std::make_unique<QKeyEvent>(down ? QEvent::KeyPress : QEvent::KeyRelease, key, Modifiers, QString());
  } else if (msg == WM_CHAR || msg == WM_SYSCHAR) {
    const QChar ch(uint16_t(Message.WParam));
    if (!(ch.isPrint() || ch.unicode() >= 0xA0) || msg == WM_SYSCHAR)
      return;
    if (!origin)
      origin = hw->focusProxy() ? hw->focusProxy() : hw;
    ev = std::make_unique<QKeyEvent>(QEvent::KeyPress, 0, Modifiers & ~Qt::ControlModifier, QString(ch));
  }
  if (!ev || !origin)
    return;
  QWidget *oldTarget = FReplayTarget;
  FReplayTarget = origin;
  ++ReplayDepth;
  QApplication::sendEvent(origin, ev.get());
  --ReplayDepth;
  FReplayTarget = oldTarget;
}

// ---------------------------------------------------------------------------------------------
// Window message handlers

void TWinControl::WMPaint(TWMPaint &Message)
{
  if (!FControlState.Contains(csCustomPaint) && FControls.empty())
    DefaultHandler(AsMessage(Message));
  else
    PaintHandler(Message);
}

void TWinControl::WMEraseBkgnd(TWMEraseBkgnd &Message)
{
  TControlHandle *h = FHandle.get();
  if (!h->Native && !h->Image.isNull()) {
    QPainter p(&h->Image);
    if (!h->PaintRgn.isEmpty())
      p.setClipRegion(h->PaintRgn.translated(h->NCLeft(), h->NCTop()));
    const TRect cr = GetClientRect();
    p.fillRect(h->NCLeft(), h->NCTop(), cr.Width(), cr.Height(), ColorToQColor(FBrush->Color()));
  }
  AsMessage(Message).Result = 1;
}

void TWinControl::WMSetFocus(TWMSetFocus &Message) { DefaultHandler(AsMessage(Message)); }
void TWinControl::WMKillFocus(TWMKillFocus &Message) { DefaultHandler(AsMessage(Message)); }

void TWinControl::WMSetCursor(TWMSetCursor &Message)
{
  TControlHandle *h = FHandle.get();
  if (h->Widget && Message.CursorWnd == h->Widget && Message.HitTest == HTCLIENT) {
    TCursor cursor = Screen ? Screen->Cursor() : crDefault;
    if (cursor == crDefault) {
      TPoint p;
      GetCursorPos(p);
      TControl *c = ControlAtPos(ScreenToClient(p), false);
      if (c)
        cursor = c->Cursor();
      if (cursor == crDefault)
        cursor = FCursor;
    }
    if (cursor != crDefault) {
      SetWindowCursor(h->Widget.data(), cursor);
      AsMessage(Message).Result = 1;
      return;
    }
  }
  DefaultHandler(AsMessage(Message));
}

void SetWindowCursor(HWND Wnd, TCursor Cursor)
{
  TControlHandle *h = Wnd ? TMessagePump::Instance().HandleOf(Wnd) : nullptr;
  if (!h || !h->Widget)
    return;
  // The shape belongs to the widget under the mouse when that lies inside the window.
  auto &pump = TMessagePump::Instance();
  QWidget *target = pump.CursorWidget && (pump.CursorWidget == h->Widget || h->Widget->isAncestorOf(pump.CursorWidget))
                        ? pump.CursorWidget.data()
                        : h->Widget.data();
  target->setCursor(Screen ? Screen->Cursors(Cursor) : CursorToQCursor(Cursor));
}

bool TWinControl::DoKeyDown(TWMKey &Message)
{
  TCustomForm *f = GetParentForm(this);
  if (f && static_cast<TControl *>(f) != this && f->KeyPreview() && static_cast<TWinControl *>(f)->DoKeyDown(Message))
    return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    uint16_t key = Message.CharCode;
    KeyDown(key, KeyDataToShiftState(Message.KeyData));
    Message.CharCode = key;
    if (Message.CharCode == 0)
      return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TWMKey &Message)
{
  TCustomForm *f = GetParentForm(this);
  if (f && static_cast<TControl *>(f) != this && f->KeyPreview() && static_cast<TWinControl *>(f)->DoKeyUp(Message))
    return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    uint16_t key = Message.CharCode;
    KeyUp(key, KeyDataToShiftState(Message.KeyData));
    Message.CharCode = key;
    if (Message.CharCode == 0)
      return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TWMKey &Message)
{
  TCustomForm *f = GetParentForm(this);
  if (f && static_cast<TControl *>(f) != this && f->KeyPreview() && static_cast<TWinControl *>(f)->DoKeyPress(Message))
    return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    QChar ch(Message.CharCode);
    KeyPress(ch);
    Message.CharCode = ch.unicode();
    if (Message.CharCode == 0)
      return true;
  }
  return false;
}

void TWinControl::KeyDown(uint16_t &Key, TShiftState Shift)
{
  if (OnKeyDown)
    OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(uint16_t &Key, TShiftState Shift)
{
  if (OnKeyUp)
    OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(QChar &Key)
{
  if (OnKeyPress)
    OnKeyPress(this, Key);
}

void TWinControl::DoEnter()
{
  if (OnEnter)
    OnEnter(this);
}

void TWinControl::DoExit()
{
  if (OnExit)
    OnExit(this);
}

void TWinControl::WMKeyDown(TWMKey &Message)
{
  if (!DoKeyDown(Message))
    DefaultHandler(AsMessage(Message));
}

void TWinControl::WMSysKeyDown(TWMKey &Message)
{
  if (!DoKeyDown(Message))
    DefaultHandler(AsMessage(Message));
}

void TWinControl::WMKeyUp(TWMKey &Message)
{
  if (!DoKeyUp(Message))
    DefaultHandler(AsMessage(Message));
}

void TWinControl::WMSysKeyUp(TWMKey &Message)
{
  if (!DoKeyUp(Message))
    DefaultHandler(AsMessage(Message));
}

void TWinControl::WMChar(TWMKey &Message)
{
  if (!DoKeyPress(Message))
    DefaultHandler(AsMessage(Message));
}

void TWinControl::WMSysChar(TWMKey &Message) { DefaultHandler(AsMessage(Message)); }
void TWinControl::WMGetDlgCode(TWMGetDlgCode &Message) { DefaultHandler(AsMessage(Message)); }
void TWinControl::WMHScroll(TWMScroll &Message) { DefaultHandler(AsMessage(Message)); }
void TWinControl::WMVScroll(TWMScroll &Message) { DefaultHandler(AsMessage(Message)); }

void TWinControl::WMCommand(TWMCommand &Message)
{
  // Notifications go back to the control that sent them.
  if (TWinControl *c = FindControl(Message.Ctl)) {
    TMessage &m = AsMessage(Message);
    m.Result = c->Perform(CN_COMMAND, m.WParam, m.LParam);
    return;
  }
  DefaultHandler(AsMessage(Message));
}

void TWinControl::WMNotify(TWMNotify &Message) { DefaultHandler(AsMessage(Message)); }

void TWinControl::WMSize(TWMSize &Message)
{
  FHandle->LayoutBars();
  Realign();
  Resize();
  DefaultHandler(AsMessage(Message));
}

void TWinControl::CNKeyDown(TWMKey &Message)
{
  TMessage &m = AsMessage(Message);
  m.Result = 1;
  if (Perform(CM_CHILDKEY, Message.CharCode, LPARAM(this)) != 0)
    return;
  uint32_t mask = 0;
  switch (Message.CharCode) {
  case VK_TAB: mask = DLGC_WANTTAB; break;
  case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
  case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
  default: break;
  }
  if (mask != 0 && Perform(CM_WANTSPECIALKEY, Message.CharCode, Message.KeyData) == 0 &&
      (uint32_t(Perform(WM_GETDLGCODE)) & mask) == 0) {
    if (TCustomForm *f = GetParentForm(this)) {
      if (f->Perform(CM_DIALOGKEY, Message.CharCode, Message.KeyData) != 0)
        return;
    }
  }
  m.Result = 0;
}

void TWinControl::CNKeyUp(TWMKey &Message) { AsMessage(Message).Result = 0; }

void TWinControl::CNChar(TWMKey &Message)
{
  TMessage &m = AsMessage(Message);
  m.Result = 1;
  if ((uint32_t(Perform(WM_GETDLGCODE)) & DLGC_WANTCHARS) == 0) {
    if (TCustomForm *f = GetParentForm(this))
      if (f->Perform(CM_DIALOGCHAR, Message.CharCode, Message.KeyData) != 0)
        return;
  }
  m.Result = 0;
}

void TWinControl::CNSysKeyDown(TWMKey &Message)
{
  TMessage &m = AsMessage(Message);
  m.Result = 1;
  if (Perform(CM_CHILDKEY, Message.CharCode, LPARAM(this)) != 0)
    return;
  if (TCustomForm *f = GetParentForm(this))
    if (f->Perform(CM_DIALOGKEY, Message.CharCode, Message.KeyData) != 0)
      return;
  m.Result = 0;
}

void TWinControl::CNSysChar(TWMKey &Message)
{
  TMessage &m = AsMessage(Message);
  if (Message.CharCode != VK_SPACE) {
    if (TCustomForm *f = GetParentForm(this))
      m.Result = f->Perform(CM_DIALOGCHAR, Message.CharCode, Message.KeyData);
  }
}

void TWinControl::CMDialogKey(TCMDialogKey &Message) { Broadcast(AsMessage(Message)); }
void TWinControl::CMDialogChar(TCMDialogChar &Message) { Broadcast(AsMessage(Message)); }
void TWinControl::CMWantSpecialKey(TCMWantSpecialKey &Message) { DefaultHandler(AsMessage(Message)); }

void TWinControl::CMEnter(TCMEnter &) { DoEnter(); }
void TWinControl::CMExit(TCMExit &) { DoExit(); }
void TWinControl::CMFocusChanged(TCMFocusChanged &Message) { Broadcast(AsMessage(Message)); }

void TWinControl::CMChildKey(TCMChildKey &Message)
{
  if (FParent)
    AsMessage(Message).Result = FParent->Perform(CM_CHILDKEY, AsMessage(Message).WParam, AsMessage(Message).LParam);
}

void TWinControl::CMShowingChanged(TMessage &) { ApplyWidgetVisibility(); }

void TWinControl::CMEnabledChanged(TMessage &Message)
{
  if (!FEnabled && FParent) {
    if (TCustomForm *f = GetParentForm(this))
      f->DefocusControl(this, false);
  }
  FHandle->Enabled = FEnabled;
  if (HandleAllocated()) {
    FHandle->Widget->setEnabled(FEnabled);
    for (int b = 0; b < 2; ++b)
      FHandle->UpdateBar(b);
  }
  TControl::CMEnabledChanged(Message);
}

void TWinControl::CMVisibleChanged(TMessage &Message)
{
  if (FVisible && IsShowing())
    ResolveShownBounds();
  if (!FVisible && FParent) {
    if (TCustomForm *f = GetParentForm(this))
      f->DefocusControl(this, false);
  }
  UpdateControlState();
  DefaultHandler(Message);
}

void TWinControl::CMColorChanged(TMessage &Message)
{
  FBrush->SetColor(FColor);
  FHandle->FramePending = true;
  TControl::CMColorChanged(Message);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage &Message)
{
  if (HandleAllocated() && FHandle->Native)
    FHandle->Widget->setFont(FFont->ToQFont());
  TControl::CMFontChanged(Message);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMTextChanged(TMessage &Message)
{
  if (HandleAllocated() && FHandle->Widget->isWindow())
    FHandle->Widget->setWindowTitle(Text());
  TControl::CMTextChanged(Message);
}

void TWinControl::CMCursorChanged(TMessage &Message)
{
  TControl::CMCursorChanged(Message);
}

// ---------------------------------------------------------------------------------------------
// TCustomControl

// A canvas as the window's client device context: device coordinates are client
// coordinates, and it draws inside the client area (and inside Area, client coordinates,
// when given) whatever clip the program selects.
static void BindClientCanvas(TCanvas *Canvas, TControlHandle *Handle, const QRegion *Area)
{
  Canvas->SetImage(Handle->DrawingImage());
  Canvas->SelectClipRgn(nullptr);
  Canvas->SetWindowOrg(TPoint(0, 0));
  Canvas->SetViewportOrg(TPoint(0, 0));
  Canvas->SetDeviceOrigin(TPoint(Handle->NCLeft(), Handle->NCTop()));
  const TRect cr = Handle->Control->ClientRect();
  QRegion client(0, 0, std::max(cr.Width(), 0), std::max(cr.Height(), 0));
  if (Area)
    client &= *Area;
  Canvas->SetDeviceArea(&client);
}

TCustomControl::TCustomControl(TComponent *AOwner) : TWinControl(AOwner)
{
  FCanvas = std::make_unique<TCanvas>(&FHandle->Image);
  FCanvas->OnChange = [this](TObject *) {
    if (!FHandle->Painting)
      FHandle->ScheduleUpdate();
  };
}

TCustomControl::~TCustomControl() = default;

TCanvas *TCustomControl::Canvas()
{
  TControlHandle *h = FHandle.get();
  if (!h->Painting) {
    // Outside a paint, each message starts with a fresh device context on the client area
    // (and a first paint in between moves it from the scratch image to the window's).
    auto &pump = TMessagePump::Instance();
    if (FCanvasSerial != pump.Serial || FCanvas->Image() != h->DrawingImage()) {
      FCanvasSerial = pump.Serial;
      BindClientCanvas(FCanvas.get(), h, nullptr);
    }
  }
  return FCanvas.get();
}

void TCustomControl::WMPaint(TWMPaint &Message)
{
  FControlState += csCustomPaint;
  TWinControl::WMPaint(Message);
  FControlState -= csCustomPaint;
}

void TCustomControl::PaintWindow(HDC)
{
  TControlHandle *h = FHandle.get();
  h->EnsureImage();
  FCanvas->Lock();
  BindClientCanvas(FCanvas.get(), h, h->PaintRgn.isEmpty() ? nullptr : &h->PaintRgn);
  SelectPaintBrush(FCanvas.get());
  FCanvas->SetTextAlign(0);
  {
    // One painter for the text and curves of the whole paint instead of one per call.
    TPaintPass pass(FCanvas->Image());
    Paint();
  }
  FCanvas->Unlock();
  FCanvasSerial = 0;
}

void TCustomControl::Paint()
{
  if (OnPaint)
    OnPaint(this);
}

// ---------------------------------------------------------------------------------------------
// TGraphicControl

TGraphicControl::TGraphicControl(TComponent *AOwner) : TControl(AOwner)
{
  FCanvas = std::make_unique<TCanvas>();
  FCanvas->OnChange = [this](TObject *) {
    if (FParent && !FParent->FHandle->Painting)
      FParent->FHandle->ScheduleUpdate();
  };
}

TGraphicControl::~TGraphicControl() = default;

TCanvas *TGraphicControl::Canvas()
{
  if (FParent && !FParent->FHandle->Painting)
    BindCanvas();
  return FCanvas.get();
}

void TGraphicControl::BindCanvas()
{
  if (!FParent)
    return;
  TControlHandle *h = FParent->FHandle.get();
  // The parent's device context, moved to the control and kept inside it.
  const QRegion own(FLeft, FTop, std::max(FWidth, 0), std::max(FHeight, 0));
  const QRegion area = h->Painting && !h->PaintRgn.isEmpty() ? own & h->PaintRgn : own;
  BindClientCanvas(FCanvas.get(), h, &area);
  FCanvas->SetViewportOrg(TPoint(FLeft, FTop));
}

void TGraphicControl::Dispatch(TMessage &Message)
{
  if (Message.Msg == WM_PAINT)
    WMPaint(MessageAs<TWMPaint>(Message));
  else
    TControl::Dispatch(Message);
}

void TGraphicControl::WMPaint(TWMPaint &Message)
{
  if (!Message.DC || ComponentState().Contains(csDestroying))
    return;
  FCanvas->Lock();
  BindCanvas();
  SelectPaintBrush(FCanvas.get());
  FCanvas->SetTextAlign(0);
  Paint();
  FCanvas->Unlock();
}

void TGraphicControl::Paint() {}

// ---------------------------------------------------------------------------------------------
// Device contexts

HDC GetDC(HWND Wnd)
{
  TControlHandle *h = Wnd ? TMessagePump::Instance().HandleOf(Wnd) : nullptr;
  if (!h || h->Native)
    return nullptr;
  auto *c = new TCanvas();
  BindClientCanvas(c, h, nullptr);
  return c;
}

HDC GetWindowDC(HWND Wnd)
{
  TControlHandle *h = Wnd ? TMessagePump::Instance().HandleOf(Wnd) : nullptr;
  if (!h || h->Native)
    return nullptr;
  return new TCanvas(h->DrawingImage());
}

int ReleaseDC(HWND Wnd, HDC DC)
{
  if (!DC)
    return 0;
  delete DC;
  if (TControlHandle *h = Wnd ? TMessagePump::Instance().HandleOf(Wnd) : nullptr)
    h->ScheduleUpdate();
  return 1;
}

// ---------------------------------------------------------------------------------------------
// TTimer

TTimer::TTimer(TComponent *AOwner) : TComponent(AOwner) { UpdateTimer(); }

TTimer::~TTimer() = default;

void TTimer::UpdateTimer()
{
  if (!FEnabled || FInterval == 0) {
    if (FTimer)
      FTimer->Stop();
    return;
  }
  if (!FTimer) {
    FTimer = std::make_unique<TClockTimer>([this]() {
      auto &pump = TMessagePump::Instance();
      if (pump.AtLoopLevel())
        ++pump.Serial;
      ++pump.Depth;
      SafeCall(this, [this]() { Timer(); });
      --pump.Depth;
      if (pump.AtLoopLevel())
        pump.FlushPosted();
    });
  }
  FTimer->Start(FInterval);
}

void TTimer::SetEnabled(bool Value)
{
  if (FEnabled == Value)
    return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(uint32_t Value)
{
  if (FInterval == Value)
    return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value)
{
  OnTimer = std::move(Value);
  UpdateTimer();
}

void TTimer::Timer()
{
  if (OnTimer)
    OnTimer(this);
}
