// TCustomForm: showing, closing, modal loops, activation and focus.
#include "framework/controls/forms.h"

#include <algorithm>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "framework/controls/pump.h"

namespace {
TModalFormHook &Hook()
{
  static TModalFormHook h;
  return h;
}
// The form that has the focus (keyboard-active form) for the focus chain.
TCustomForm *FocusedForm = nullptr;
}  // namespace

void SetModalFormHook(TModalFormHook Hook_) { Hook() = std::move(Hook_); }
TModalFormHook ModalFormHook() { return Hook(); }

TCustomForm::TCustomForm(TComponent *AOwner) : TCustomControl(AOwner), FIcon(std::make_unique<TIcon>())
{
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FVisible = false;
  FParentColor = false;
  FParentFont = false;
  FColor = clBtnFace;
  FBrush->SetColor(FColor);
  FWidth = 320;
  FHeight = 240;
  if (Screen)
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
  BeforeDestruction();
  if (FocusedForm == this)
    FocusedForm = nullptr;
  if (Screen)
    Screen->RemoveForm(this);
  if (Application && Application->MainForm() == this)
    Application->SetMainForm(nullptr);
  // Owned controls go while this is still a whole form, so that they can leave it cleanly.
  Destroying();
  DestroyComponents();
  FActiveControl = nullptr;
  FFocusedControl = nullptr;
}

void TCustomForm::AfterConstruction()
{
  if (FCreated)
    return;
  FCreated = true;
  if (OnCreate)
    SafeCall(this, [this]() { OnCreate(this); });
}

void TCustomForm::BeforeDestruction()
{
  if (FDestroyed)
    return;
  FDestroyed = true;
  if (OnDestroy)
    SafeCall(this, [this]() { OnDestroy(this); });
}

void TCustomForm::Notification(TComponent *AComponent, TOperation Operation)
{
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove) {
    if (AComponent == FActiveControl)
      FActiveControl = nullptr;
    if (AComponent == FFocusedControl)
      FFocusedControl = nullptr;
  }
}

// ---------------------------------------------------------------------------------------------
// Window

int TCustomForm::FrameWidth() const
{
  switch (FBorderStyle) {
  case bsNone: return 0;
  case bsSizeable: case bsSizeToolWin: return GetSystemMetrics(SM_CXFRAME);
  default: return GetSystemMetrics(SM_CXDLGFRAME);
  }
}

int TCustomForm::CaptionHeight() const
{
  switch (FBorderStyle) {
  case bsNone: return 0;
  case bsToolWindow: case bsSizeToolWin: return GetSystemMetrics(SM_CYSMCAPTION);
  default: return GetSystemMetrics(SM_CYCAPTION);
  }
}

TRect TCustomForm::GetClientRect() const
{
  if (FParent)
    return TCustomControl::GetClientRect();
  const int f = FrameWidth();
  return TRect(0, 0, std::max(FWidth - 2 * f, 0), std::max(FHeight - 2 * f - CaptionHeight(), 0));
}

void TCustomForm::SetClientWidth(int Value)
{
  if (FParent) {
    TCustomControl::SetClientWidth(Value);
    return;
  }
  SetBounds(FLeft, FTop, Value + 2 * FrameWidth(), FHeight);
}

void TCustomForm::SetClientHeight(int Value)
{
  if (FParent) {
    TCustomControl::SetClientHeight(Value);
    return;
  }
  SetBounds(FLeft, FTop, FWidth, Value + 2 * FrameWidth() + CaptionHeight());
}

TPoint TCustomForm::ClientOrigin() const
{
  if (FParent)
    return TCustomControl::ClientOrigin();
  return TPoint(FLeft + FrameWidth(), FTop + FrameWidth() + CaptionHeight());
}

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
  if (FBorderStyle == Value)
    return;
  // The client area keeps its size; the frame grows or shrinks around it.
  const TRect cr = GetClientRect();
  FBorderStyle = Value;
  const int f = FrameWidth();
  FWidth = cr.Width() + 2 * f;
  FHeight = cr.Height() + 2 * f + CaptionHeight();
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value)
{
  FBorderIcons = Value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value)
{
  if (FFormStyle == Value)
    return;
  FFormStyle = Value;
  RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState Value)
{
  FWindowState = Value;
  if (!HandleAllocated())
    return;
  QWidget *w = FHandle->Widget.data();
  switch (Value) {
  case wsMinimized: w->setWindowState(Qt::WindowMinimized); break;
  case wsMaximized: w->setWindowState(Qt::WindowMaximized); break;
  default: w->setWindowState(Qt::WindowNoState); break;
  }
}

void TCustomForm::CreateParams(TCreateParams &Params)
{
  TCustomControl::CreateParams(Params);
  if (!FParent) {
    Params.Style &= ~(WS_CHILD | WS_CLIPSIBLINGS);
    Params.Style |= WS_CLIPCHILDREN;
    switch (FBorderStyle) {
    case bsNone: Params.Style |= WS_POPUP; break;
    case bsSingle: case bsToolWindow: Params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: case bsSizeToolWin: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog: Params.Style |= WS_POPUP | WS_CAPTION; Params.ExStyle |= WS_EX_DLGMODALFRAME; break;
    }
    if (FBorderIcons.Contains(biSystemMenu))
      Params.Style |= WS_SYSMENU;
    if (FFormStyle == fsStayOnTop)
      Params.ExStyle |= WS_EX_TOPMOST;
    Params.WndParent = nullptr;
  }
}

void TCustomForm::CreateWnd()
{
  if (FParent) {
    TCustomControl::CreateWnd();
    return;
  }
  TCreateParams params;
  CreateParams(params);
  TControlHandle *h = FHandle.get();
  Qt::WindowFlags flags = Qt::Window;
  switch (FBorderStyle) {
  case bsNone: flags = Qt::Window | Qt::FramelessWindowHint; break;
  case bsDialog: flags = Qt::Dialog; break;
  case bsToolWindow: case bsSizeToolWin: flags = Qt::Tool; break;
  default: break;
  }
  if (FFormStyle == fsStayOnTop)
    flags |= Qt::WindowStaysOnTopHint;
  h->Style = params.Style;
  h->ExStyle = params.ExStyle;
  h->StyleKnown = true;
  h->IsForm = true;
  h->Bars[SB_HORZ].Shown = false;
  h->Bars[SB_VERT].Shown = false;
  auto *w = new TControlWidget(h, nullptr, flags);
  h->Native = false;
  w->setFocusPolicy(Qt::NoFocus);
  h->Widget = w;
  TMessagePump::Instance().Register(w, h);
  w->setMouseTracking(true);
  w->setWindowTitle(Text());
  w->setEnabled(FEnabled);
  h->Enabled = FEnabled;
  const TRect cr = GetClientRect();
  const TPoint o = ClientOrigin();
  w->setGeometry(o.X, o.Y, std::max(cr.Width(), 1), std::max(cr.Height(), 1));
  CreateWindowDone();
}

void TCustomForm::CreateWindowDone() {}

void TCustomForm::Paint() { TCustomControl::Paint(); }

TRect TCustomForm::ScreenFrameMargins() const
{
  // The window's frame on screen is the window manager's, not the one the form's bounds
  // reserve for a border and caption: none offscreen or without a window manager, and with
  // one known only once the window was mapped.
  QMargins m;
  if (HandleAllocated())
    if (QWindow *w = FHandle->Widget->windowHandle())
      m = w->frameMargins();
  return TRect(m.left(), m.top(), m.right(), m.bottom());
}

TRect TCustomForm::ScreenRect() const
{
  const TPoint o = ClientOrigin();
  const TRect cr = GetClientRect();
  const TRect m = ScreenFrameMargins();
  return TRect(o.X - m.Left, o.Y - m.Top, o.X + cr.Width() + m.Right, o.Y + cr.Height() + m.Bottom);
}

void TCustomForm::PlaceOnScreen()
{
  TRect area = Screen ? Screen->WorkAreaRect() : TRect(0, 0, 1024, 768);
  if (FPosition != poScreenCenter && FPosition != poDesktopCenter && FPosition != poMainFormCenter
      && FPosition != poOwnerFormCenter)
    return;
  const TRect m = ScreenFrameMargins();
  // A sizeable window wider or taller than the screen would open with its edges and buttons out
  // of reach: it opens at the size of the work area instead.
  if (FBorderStyle == bsSizeable) {
    const TRect cr0 = GetClientRect();
    const int maxW = area.Width() - m.Left - m.Right;
    const int maxH = area.Height() - m.Top - m.Bottom;
    if ((cr0.Width() > maxW && maxW > 0) || (cr0.Height() > maxH && maxH > 0))
      SetClientSize(std::min(cr0.Width(), std::max(maxW, 1)), std::min(cr0.Height(), std::max(maxH, 1)));
  }
  // What is centred is the window as it shows, so that it sits in the middle whatever frame
  // the platform draws; the bounds follow from where its client area then lies. A window that
  // still does not fit keeps its top-left corner (and so its title bar) on the screen.
  const TRect cr = GetClientRect();
  const int shownWidth = cr.Width() + m.Left + m.Right;
  const int shownHeight = cr.Height() + m.Top + m.Bottom;
  auto centerOn = [&](const TRect &r) {
    const int clientLeft = std::max(r.Left + (r.Width() - shownWidth) / 2, area.Left) + m.Left;
    const int clientTop = std::max(r.Top + (r.Height() - shownHeight) / 2, area.Top) + m.Top;
    SetBounds(clientLeft - FrameWidth(), clientTop - FrameWidth() - CaptionHeight(), FWidth, FHeight);
  };
  switch (FPosition) {
  case poScreenCenter: case poDesktopCenter:
    centerOn(area);
    break;
  case poMainFormCenter: case poOwnerFormCenter: {
    TCustomForm *other = nullptr;
    if (FPosition == poOwnerFormCenter)
      other = dynamic_cast<TCustomForm *>(Owner());
    if (!other && Application)
      other = Application->MainForm();
    if (other && other != this)
      centerOn(other->ScreenRect());
    else
      centerOn(area);
    break;
  }
  default:
    break;
  }
}

// ---------------------------------------------------------------------------------------------
// Showing

bool TCustomForm::IsShowing() const
{
  if (FParent)
    return TCustomControl::IsShowing();
  return FVisible;
}

bool TCustomForm::CanFocus() const
{
  if (FParent)
    return TCustomControl::CanFocus();
  return FVisible && FEnabled;
}

void TCustomForm::SetVisible(bool Value)
{
  if (FParent) {
    TCustomControl::SetVisible(Value);
    return;
  }
  if (FVisible == Value)
    return;
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
  Perform(CM_SHOWINGCHANGED);
}

void TCustomForm::Show()
{
  AfterConstruction();
  SetVisible(true);
  BringToFront();
  if (HandleAllocated() && !TMessagePump::Instance().Offscreen())
    FHandle->Widget->raise();
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::DoShow()
{
  if (OnShow)
    OnShow(this);
}

void TCustomForm::DoHide()
{
  if (OnHide)
    OnHide(this);
}

void TCustomForm::CMShowingChanged(TMessage &Message)
{
  if (FParent) {
    TCustomControl::CMShowingChanged(Message);
    return;
  }
  if (FVisible) {
    FFormState += fsShowing;
    try {
      DoShow();
    } catch (...) {
      FFormState -= fsShowing;
      throw;
    }
    FFormState -= fsShowing;
    if (!FVisible)
      return;
    PlaceOnScreen();
    HandleNeeded();
    QWidget *w = FHandle->Widget.data();
    if (FFormState.Contains(fsModal))
      w->setWindowModality(Qt::ApplicationModal);
    w->show();
    if (!TMessagePump::Instance().Offscreen()) {
      w->raise();
      w->activateWindow();
    }
    // The form becomes the active window.
    if (Screen)
      Screen->SetActiveForm(this);
  } else {
    DoHide();
    if (HandleAllocated()) {
      FHandle->Widget->hide();
      FHandle->Widget->setWindowModality(Qt::NonModal);
    }
    if (Screen && Screen->ActiveForm() == this) {
      TCustomForm *next = nullptr;
      for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm *f = Screen->Forms(i);
        if (f != this && f->Visible() && !f->Parent()) {
          next = f;
          break;
        }
      }
      Screen->SetActiveForm(next);
    }
  }
}

void TCustomForm::SetActive(bool Value)
{
  FActive = Value;
  if (Value) {
    if (!FActiveControl)
      FActiveControl = FindNextControl(nullptr, true, true, false);
    SetWindowFocus();
  }
}

void TCustomForm::SetWindowFocus()
{
  QWidget *target = nullptr;
  if (FActiveControl && FActiveControl->CanFocus())
    target = FActiveControl->Handle();
  else
    target = Handle();
  if (target && ::GetFocus() != target)
    ::SetFocus(target);
}

void TCustomForm::Activate()
{
  if (OnActivate)
    OnActivate(this);
}

void TCustomForm::Deactivate()
{
  if (OnDeactivate)
    OnDeactivate(this);
}

void TCustomForm::CMActivate(TMessage &) { Activate(); }
void TCustomForm::CMDeactivate(TMessage &) { Deactivate(); }

void TCustomForm::CMRelease(TMessage &) { delete this; }

void TCustomForm::Release()
{
  ::PostMessage(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::WMClose(TMessage &) { Close(); }

void TCustomForm::WMSetFocus(TWMSetFocus &Message) { TCustomControl::WMSetFocus(Message); }

void TCustomForm::Dispatch(TMessage &Message)
{
  switch (Message.Msg) {
  case WM_CLOSE: WMClose(Message); break;
  case CM_ACTIVATE: CMActivate(Message); break;
  case CM_DEACTIVATE: CMDeactivate(Message); break;
  case CM_RELEASE: CMRelease(Message); break;
  case WM_ACTIVATE:
    if (LoWord(Message.WParam) != WA_INACTIVE && Screen && !FParent)
      Screen->SetActiveForm(this);
    break;
  default: TCustomControl::Dispatch(Message); break;
  }
}

// ---------------------------------------------------------------------------------------------
// Closing

bool TCustomForm::CloseQuery()
{
  bool canClose = true;
  if (OnCloseQuery)
    OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction &Action)
{
  if (OnClose)
    OnClose(this, Action);
}

void TCustomForm::Close()
{
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery())
    return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone)
    return;
  if (Application && Application->MainForm() == this)
    Application->Terminate();
  else if (action == caHide)
    Hide();
  else if (action == caMinimize)
    SetWindowState(wsMinimized);
  else
    Release();
}

void TCustomForm::CloseModal()
{
  try {
    TCloseAction action = caNone;
    if (CloseQuery()) {
      action = caHide;
      DoClose(action);
    }
    switch (action) {
    case caNone: FModalResult = mrNone; break;
    case caFree: Release(); break;
    default: break;
    }
  } catch (...) {
    FModalResult = mrNone;
    if (Application)
      Application->HandleException(this, std::current_exception());
  }
}

int TCustomForm::ShowModal()
{
  if (FVisible || !FEnabled || FFormState.Contains(fsModal))
    throw EInvalidOperation(QStringLiteral("Cannot make a visible window modal"));
  if (HWND cap = ::GetCapture())
    SendMessage(cap, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  FFormState += fsModal;
  TCustomForm *previous = Screen ? Screen->ActiveForm() : nullptr;
  QPointer<QWidget> previousFocus = ::GetFocus();
  const TCursor savedCursor = Screen ? Screen->Cursor() : crDefault;
  if (Screen)
    Screen->SetCursor(crDefault);
  // The modal form announces its activation itself.
  FocusedForm = this;
  int result = mrCancel;
  // The modal loop dispatches at the depth of the handler that opened the form.
  auto &loopPump = TMessagePump::Instance();
  const int outerLoop = loopPump.LoopDepth;
  loopPump.LoopDepth = loopPump.Depth;
  try {
    Show();
    Perform(CM_ACTIVATE);
    FModalResult = mrNone;
    TModalFormHook hook = Hook();
    auto &pump = TMessagePump::Instance();
    const int serial = ++FModalSerial;
    FModalForced = false;
    if (hook || pump.Offscreen()) {
      QPointer<QWidget> guard = Handle();
      QTimer::singleShot(0, FHandle->Widget.data(), [this, hook, guard, serial]() {
        if (!guard || serial != FModalSerial)
          return;
        if (hook) {
          // The script acts as the user at the modal loop: its input is handled in full, a
          // key's character before its key up, before its next step.
          auto &pump = TMessagePump::Instance();
          const int loop = pump.LoopDepth;
          pump.LoopDepth = ++pump.Depth;
          SafeCall(this, [&]() { hook(this); });
          pump.LoopDepth = loop;
          --pump.Depth;
          pump.FlushPosted();
        } else {
          qWarning("ShowModal of %s without a user: closed with mrCancel", qPrintable(ClassName()));
        }
        // Nobody else will close it: once the loop has seen the hook's result, a form still
        // open ends with mrCancel.
        QTimer::singleShot(0, guard.data(), [this, guard, serial]() {
          if (guard && serial == FModalSerial && FFormState.Contains(fsModal) && FVisible) {
            FModalForced = true;
            if (FModalResult == mrNone)
              FModalResult = mrCancel;
          }
        });
      });
    }
    do {
      Application->HandleMessage();
      if (Application->Terminated())
        FModalResult = mrCancel;
      else if (FModalResult != mrNone)
        CloseModal();
      if (FModalForced && FModalResult == mrNone)
        FModalResult = mrCancel;
    } while (FModalResult == mrNone);
    result = FModalResult;
    Perform(CM_DEACTIVATE);
  } catch (...) {
    loopPump.LoopDepth = outerLoop;
    FFormState -= fsModal;
    Hide();
    if (Screen)
      Screen->SetCursor(savedCursor);
    throw;
  }
  loopPump.LoopDepth = outerLoop;
  Hide();
  FFormState -= fsModal;
  if (FocusedForm == this)
    FocusedForm = nullptr;
  if (Screen) {
    Screen->SetCursor(savedCursor);
    if (previous && previous != this && previous->Visible())
      Screen->SetActiveForm(previous);
  }
  if (previousFocus && ::GetFocus() != previousFocus && FindControl(previousFocus) && FindControl(previousFocus)->CanFocus())
    ::SetFocus(previousFocus);
  return result;
}

// ---------------------------------------------------------------------------------------------
// Focus

void TCustomForm::SetFocus()
{
  if (FParent) {
    TCustomControl::SetFocus();
    return;
  }
  if (!CanFocus())
    throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
  if (Screen)
    Screen->SetActiveForm(this);
}

void TCustomForm::SetActiveControl(TWinControl *Control)
{
  if (FActiveControl == Control)
    return;
  if (Control && !(Control != this && GetParentForm(Control) == this && (ComponentState().Contains(csLoading) || Control->CanFocus())))
    throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
  FActiveControl = Control;
  if (FActive)
    SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl *Control)
{
  const bool wasActive = FActive;
  SetActiveControl(Control);
  if (!wasActive && FVisible && !FParent && Screen)
    Screen->SetActiveForm(this);
}

void TCustomForm::DefocusControl(TWinControl *Control, bool Removing)
{
  if (Removing && Control->ContainsControl(FFocusedControl))
    FFocusedControl = Control->Parent();
  if (Control->ContainsControl(FActiveControl))
    FActiveControl = nullptr;
  if (Screen && Control->ContainsControl(Screen->FActiveControl))
    Screen->FActiveControl = nullptr;
  if (HWND f = ::GetFocus()) {
    TWinControl *fc = FindControl(f);
    if (fc && Control->ContainsControl(fc) && (Removing || !Control->Visible() || !Control->Enabled())) {
      auto &pump = TMessagePump::Instance();
      if (Removing)
        pump.FocusWnd = nullptr;
      else if (HandleAllocated() && FActive)
        ::SetFocus(Handle());
    }
  }
}

bool TCustomForm::SetFocusedControl(TWinControl *Control)
{
  IncFocusCount();
  FActiveControl = Control != this ? Control : nullptr;
  if (Screen) {
    Screen->SetActiveControl(Control);
    auto &list = Screen->FForms;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin(), this);
  }
  if (Control->ControlState().Contains(csFocusing))
    return false;
  Control->FControlState += csFocusing;
  struct Guard {
    TWinControl *c;
    ~Guard() { c->FControlState -= csFocusing; }
  } guard{Control};
  auto send = [](TControl *target, uint32_t msg) {
    const int count = GlobalFocusCount();
    TMessage m(msg, 0, 0);
    TMessagePump::Instance().Deliver(target, m);
    return GlobalFocusCount() == count;
  };
  if (FocusedForm != this) {
    if (FocusedForm) {
      TCustomForm *old = FocusedForm;
      FocusedForm = nullptr;
      if (!send(old, CM_DEACTIVATE))
        return false;
    }
    FocusedForm = this;
    if (!send(this, CM_ACTIVATE))
      return false;
  }
  if (!FFocusedControl)
    FFocusedControl = this;
  if (FFocusedControl != Control) {
    while (FFocusedControl && !FFocusedControl->ContainsControl(Control)) {
      TWinControl *leaving = FFocusedControl;
      FFocusedControl = FFocusedControl->Parent();
      if (!send(leaving, CM_EXIT))
        return false;
    }
    while (FFocusedControl != Control) {
      TWinControl *c = Control;
      while (c->Parent() != FFocusedControl)
        c = c->Parent();
      FFocusedControl = c;
      if (!send(c, CM_ENTER))
        return false;
    }
    Perform(CM_FOCUSCHANGED, 0, LPARAM(Control));
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Keys and wheel

void TCustomForm::CMDialogKey(TCMDialogKey &Message)
{
  TMessage &m = AsMessage(Message);
  if (GetKeyState(VK_MENU) >= 0) {
    switch (Message.CharCode) {
    case VK_TAB:
      if (GetKeyState(VK_CONTROL) >= 0) {
        SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
        m.Result = 1;
        return;
      }
      break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
      if (FActiveControl && FActiveControl->Parent()) {
        FActiveControl->Parent()->SelectNext(FActiveControl, Message.CharCode == VK_RIGHT || Message.CharCode == VK_DOWN, false);
        m.Result = 1;
      }
      return;
    default:
      break;
    }
  }
  TCustomControl::CMDialogKey(Message);
}

void TCustomForm::MouseWheelHandler(TMessage &Message)
{
  if (FFocusedControl && FFocusedControl != this)
    Message.Result = FFocusedControl->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
  else
    Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}
