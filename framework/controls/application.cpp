// TApplication, TScreen, the hint machine and the hint window.
#include <QApplication>
#include <QEventLoop>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "framework/controls/forms.h"
#include "framework/controls/pump.h"
#include "framework/dialogs/dialogs.h"
#include "framework/system/paths.h"

TApplication *Application = new TApplication(nullptr);
TScreen *Screen = new TScreen(nullptr);

namespace {
bool PostRoutineAdded = false;

// Forms still alive when Qt shuts down go first, while their widgets can still be deleted.
void ShutdownForms()
{
  if (Application) {
    Application->HideHint();
    Application->DestroyComponents();
  }
}

void EnsurePostRoutine()
{
  if (!PostRoutineAdded && QCoreApplication::instance()) {
    PostRoutineAdded = true;
    qAddPostRoutine(ShutdownForms);
  }
}

QString GetShortHint(const QString &Hint)
{
  const int i = Hint.indexOf(QLatin1Char('|'));
  return i < 0 ? Hint : Hint.left(i);
}

QString GetHint(TControl *Control)
{
  for (TControl *c = Control; c; c = c->Parent())
    if (!c->Hint().isEmpty())
      return c->Hint();
  return QString();
}

TControl *GetHintControl(TControl *Control)
{
  TControl *c = Control;
  while (c && !c->ShowHint())
    c = c->Parent();
  return c;
}
}  // namespace

void ApplicationControlDestroyed(TControl *Control)
{
  if (Application)
    Application->ComponentGone(Control);
}

// ---------------------------------------------------------------------------------------------
// TApplication

TApplication::TApplication(TComponent *AOwner) : TComponent(AOwner) {}

TApplication::~TApplication()
{
  // At process exit Qt is already gone: nothing that touches widgets may run here.
  if (!QCoreApplication::instance()) {
    while (ComponentCount() > 0) {
      TComponent *c = Components(ComponentCount() - 1);
      RemoveComponent(c);
    }
  }
  FHintTimer.release();
  FHideTimer.release();
}

void TApplication::FormCreated(TCustomForm *Form)
{
  EnsurePostRoutine();
  if (!FMainForm)
    FMainForm = Form;
  Form->AfterConstruction();
}

QString TApplication::ExeName() const { return ::ExeName(); }

void TApplication::SetHint(const QString &Value)
{
  if (FHint == Value)
    return;
  FHint = Value;
  if (OnHint)
    OnHint(this);
}

void TApplication::Run()
{
  EnsurePostRoutine();
  if (FMainForm && FShowMainForm)
    FMainForm->Show();
  while (!FTerminated)
    HandleMessage();
}

void TApplication::ProcessMessages()
{
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  auto &pump = TMessagePump::Instance();
  if (pump.AtLoopLevel())
    pump.FlushPosted();
  if (pump.Depth == 0)
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TApplication::HandleMessage()
{
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  auto &pump = TMessagePump::Instance();
  if (pump.AtLoopLevel())
    pump.FlushPosted();
  if (OnIdle) {
    bool done = true;
    OnIdle(this, done);
  }
}

void TApplication::Terminate()
{
  FTerminated = true;
  if (QCoreApplication::instance())
    QCoreApplication::postEvent(&TMessagePump::Instance(), new QEvent(QEvent::User));
}

void TApplication::ResetForTests()
{
  FTerminated = false;
  FMainForm = nullptr;
  HideHint();
  FHintControl = nullptr;
  FHintActive = false;
}

void TApplication::HandleException(TObject *Sender) { HandleException(Sender, std::current_exception()); }

void TApplication::HandleException(TObject *Sender, std::exception_ptr Exc)
{
  if (!Exc)
    return;
  try {
    std::rethrow_exception(Exc);
  } catch (EAbort &) {
  } catch (Exception &E) {
    if (OnException)
      OnException(Sender, &E);
    else
      ShowException(&E);
  } catch (std::exception &e) {
    Exception E(QString::fromUtf8(e.what()));
    if (OnException)
      OnException(Sender, &E);
    else
      ShowException(&E);
  } catch (...) {
    Exception E(QStringLiteral("Unknown exception"));
    if (OnException)
      OnException(Sender, &E);
    else
      ShowException(&E);
  }
}

void TApplication::ShowException(Exception *E)
{
  QString msg = E->Message();
  if (!msg.isEmpty() && msg.back() > QLatin1Char('.'))
    msg += QLatin1Char('.');
  ::MessageBox(nullptr, msg, Title(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const QString &Text, const QString &Caption, uint32_t Flags)
{
  return ::MessageBox(nullptr, Text, Caption, Flags);
}

void TApplication::Notification(TComponent *AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FMainForm)
    FMainForm = nullptr;
  if (AComponent == FHintControl) {
    FHintControl = nullptr;
    HideHint();
  }
  if (AComponent == FHintWindow)
    FHintWindow = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Hints

void TApplication::SetShowHint(bool Value)
{
  FShowHint = Value;
  if (!Value)
    CancelHint();
}

void TApplication::StartHintTimer(int Delay)
{
  if (!FHintTimer) {
    FHintTimer = std::make_unique<TClockTimer>([this]() { HintTimerExpired(); });
    FHintTimer->SetSingleShot(true);
  }
  FHintTimer->Start(uint32_t(std::max(Delay, 0)));
}

void TApplication::StopHintTimer()
{
  if (FHintTimer)
    FHintTimer->Stop();
  if (FHideTimer)
    FHideTimer->Stop();
}

void TApplication::HintTimerExpired()
{
  TPoint p;
  GetCursorPos(p);
  SafeCall(this, [&]() { ActivateHint(p); });
}

void TApplication::HideHint()
{
  if (FHintWindow) {
    THintWindow *w = FHintWindow;
    FHintWindow = nullptr;
    w->ReleaseHandle();
    delete w;
  }
}

void TApplication::CancelHint()
{
  if (FHintControl) {
    StopHintTimer();
    HideHint();
    FHintControl = nullptr;
    FHintActive = false;
  }
}

void TApplication::HintMouseMessage(TControl *Control, TPoint ClientPos)
{
  if (!FShowHint)
    return;
  TControl *hc = GetHintControl(Control);
  // No hint text of its own is no reason to give up: the control answers CM_HINTSHOW when the
  // pause is over and may supply one for the spot under the pointer (a grid's header cell).
  if (!hc || !hc->ShowHint()) {
    CancelHint();
    return;
  }
  const TPoint screen = Control->ClientToScreen(ClientPos);
  const TPoint local = hc->ScreenToClient(screen);
  if (hc != FHintControl || !FHintCursorRect.Contains(local)) {
    const bool wasActive = FHintActive;
    int pause = wasActive ? FHintShortPause : FHintPause;
    hc->Perform(CM_HINTSHOWPAUSE, wasActive ? 1 : 0, LPARAM(&pause));
    CancelHint();
    FHintActive = wasActive;
    FHintControl = hc;
    FHintCursorRect = hc->ClientRect();
    StartHintTimer(pause);
  }
}

void TApplication::ActivateHint(TPoint CursorPos)
{
  StopHintTimer();
  if (!FHintControl)
    return;
  THintInfo info;
  info.HintControl = FHintControl;
  info.HintPos = TPoint(CursorPos.X, CursorPos.Y + 20);
  info.HintMaxWidth = Screen ? Screen->Width() : 1024;
  info.HintColor = FHintColor;
  info.CursorRect = FHintControl->ClientRect();
  info.CursorPos = FHintControl->ScreenToClient(CursorPos);
  info.HintStr = GetShortHint(GetHint(FHintControl));
  info.ReshowTimeout = 0;
  info.HideTimeout = FHintHidePause;
  info.HintWindowClass = HintWindowClass;
  bool canShow = FHintControl->Perform(CM_HINTSHOW, 0, LPARAM(&info)) == 0;
  if (canShow && OnShowHint)
    OnShowHint(info.HintStr, canShow, info);
  FHintActive = canShow && FHintControl;
  if (FHintActive && !info.HintStr.isEmpty()) {
    HideHint();
    FHintWindow = info.HintWindowClass ? info.HintWindowClass() : new THintWindow(nullptr);
    TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    OffsetRect(r, info.HintPos.X, info.HintPos.Y);
    FHintCursorRect = info.CursorRect;
    FHintWindow->SetColor(info.HintColor);
    FHintWindow->ActivateHintData(r, info.HintStr, info.HintData);
    if (info.ReshowTimeout > 0) {
      StartHintTimer(info.ReshowTimeout);
    } else if (info.HideTimeout > 0) {
      if (!FHideTimer) {
        FHideTimer = std::make_unique<TClockTimer>([this]() { HideHint(); });
        FHideTimer->SetSingleShot(true);
      }
      FHideTimer->Start(uint32_t(info.HideTimeout));
    }
    return;
  }
  if (info.ReshowTimeout > 0)
    StartHintTimer(info.ReshowTimeout);
  else
    CancelHint();
}

// ---------------------------------------------------------------------------------------------
// THintWindow

THintWindow::THintWindow(TComponent *AOwner) : TCustomControl(AOwner)
{
  FColor = clInfoBk;
  FParentColor = false;
  FParentFont = false;
  FVisible = false;
  if (Screen)
    FFont->Assign(Screen->HintFont());
  FBrush->SetColor(FColor);
}

void THintWindow::CreateParams(TCreateParams &Params)
{
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.WndParent = nullptr;
  Params.WindowClass.style |= CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const QString &AHint, void *)
{
  TRect r(0, 0, MaxWidth, 0);
  TCanvas *c = Canvas();
  c->Font()->Assign(Font());
  c->DrawText(AHint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  r.Right += 6;
  r.Bottom += 2;
  return r;
}

void THintWindow::ActivateHint(TRect Rect, const QString &AHint) { ActivateHintData(Rect, AHint, nullptr); }

void THintWindow::ActivateHintData(TRect Rect, const QString &AHint, void *)
{
  SetCaption(AHint);
  SetBoundsRect(Rect);
  HandleNeeded();
  FVisible = true;
  QWidget *w = FHandle->Widget.data();
  w->setGeometry(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
  Invalidate();
  w->show();
  if (!TMessagePump::Instance().Offscreen())
    w->raise();
}

void THintWindow::ReleaseHandle()
{
  FVisible = false;
  DestroyHandle();
}

void THintWindow::Paint()
{
  TCanvas *c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  c->Font()->Assign(Font());
  c->Font()->SetColor(clInfoText);
  r.Left += 2;
  r.Top += 1;
  c->SetBkMode(TRANSPARENT);
  c->DrawText(Caption(), r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

// ---------------------------------------------------------------------------------------------
// TScreen

TScreen::TScreen(TComponent *AOwner)
    : TComponent(AOwner), FHintFont(std::make_unique<TFont>()), FIconFont(std::make_unique<TFont>()),
      FMenuFont(std::make_unique<TFont>())
{
  FHintFont->SetName(QStringLiteral("Tahoma"));
  FHintFont->SetHeight(-11);
  FHintFont->SetColor(clInfoText);
  FIconFont->SetName(QStringLiteral("Tahoma"));
  FMenuFont->SetName(QStringLiteral("Tahoma"));
}

TScreen::~TScreen() = default;

void TScreen::SetCursor(TCursor Value)
{
  if (FCursor == Value)
    return;
  FCursor = Value;
  if (!QGuiApplication::instance())
    return;
  if (Value == crDefault) {
    if (FOverride) {
      QGuiApplication::restoreOverrideCursor();
      FOverride = false;
    }
  } else if (FOverride) {
    QGuiApplication::changeOverrideCursor(Cursors(Value));
  } else {
    QGuiApplication::setOverrideCursor(Cursors(Value));
    FOverride = true;
  }
}

QCursor TScreen::Cursors(TCursor Index) const
{
  auto it = FCursors.find(Index);
  if (it != FCursors.end())
    return it->second;
  return CursorToQCursor(Index);
}

void TScreen::SetCursors(TCursor Index, const QCursor &Value) { FCursors[Index] = Value; }

int TScreen::Width() const
{
  QScreen *s = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
  return s ? s->geometry().width() : 1024;
}

int TScreen::Height() const
{
  QScreen *s = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
  return s ? s->geometry().height() : 768;
}

TRect TScreen::WorkAreaRect() const
{
  QScreen *s = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
  if (!s)
    return TRect(0, 0, 1024, 768);
  const QRect r = s->availableGeometry();
  return Bounds(r.x(), r.y(), r.width(), r.height());
}

QStringList TScreen::Fonts() const { return QFontDatabase::families(); }

void TScreen::UpdateMonitors() const
{
  const QList<QScreen *> screens = QGuiApplication::instance() ? QGuiApplication::screens() : QList<QScreen *>();
  QScreen *primary = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
  FMonitors.resize(size_t(std::max<qsizetype>(screens.size(), 1)));
  for (size_t i = 0; i < FMonitors.size(); ++i) {
    if (!FMonitors[i])
      FMonitors[i] = std::make_unique<TMonitor>();
    TMonitor *m = FMonitors[i].get();
    m->FNum = int(i);
    if (screens.isEmpty()) {
      m->FBounds = TRect(0, 0, 1024, 768);
      m->FWorkarea = m->FBounds;
      m->FPrimary = true;
      continue;
    }
    const QRect g = screens[qsizetype(i)]->geometry();
    const QRect a = screens[qsizetype(i)]->availableGeometry();
    m->FBounds = Bounds(g.x(), g.y(), g.width(), g.height());
    m->FWorkarea = Bounds(a.x(), a.y(), a.width(), a.height());
    m->FPrimary = screens[qsizetype(i)] == primary;
  }
}

int TScreen::MonitorCount() const
{
  UpdateMonitors();
  return int(FMonitors.size());
}

TMonitor *TScreen::Monitors(int Index) const
{
  UpdateMonitors();
  return Index >= 0 && Index < int(FMonitors.size()) ? FMonitors[size_t(Index)].get() : nullptr;
}

TMonitor *TScreen::PrimaryMonitor() const
{
  UpdateMonitors();
  for (auto &m : FMonitors)
    if (m->Primary())
      return m.get();
  return FMonitors.front().get();
}

TMonitor *TScreen::MonitorFromPoint(TPoint Point, TMonitorDefaultTo Default) const
{
  UpdateMonitors();
  TMonitor *best = nullptr;
  long long bestDist = -1;
  for (auto &m : FMonitors) {
    const TRect r = m->BoundsRect();
    if (r.Contains(Point))
      return m.get();
    const long long dx = Point.X < r.Left ? r.Left - Point.X : Point.X >= r.Right ? Point.X - r.Right + 1 : 0;
    const long long dy = Point.Y < r.Top ? r.Top - Point.Y : Point.Y >= r.Bottom ? Point.Y - r.Bottom + 1 : 0;
    const long long d = dx * dx + dy * dy;
    if (bestDist < 0 || d < bestDist) {
      bestDist = d;
      best = m.get();
    }
  }
  switch (Default) {
  case mdNull: return nullptr;
  case mdPrimary: return PrimaryMonitor();
  default: return best;
  }
}

TMonitor *TScreen::MonitorFromRect(const TRect &Rect, TMonitorDefaultTo Default) const
{
  UpdateMonitors();
  TMonitor *best = nullptr;
  long long bestArea = 0;
  for (auto &m : FMonitors) {
    TRect r;
    if (IntersectRect(r, Rect, m->BoundsRect())) {
      const long long area = (long long)r.Width() * r.Height();
      if (area > bestArea) {
        bestArea = area;
        best = m.get();
      }
    }
  }
  if (best)
    return best;
  return MonitorFromPoint(TPoint(Rect.Left + Rect.Width() / 2, Rect.Top + Rect.Height() / 2), Default);
}

TMonitor *TScreen::MonitorFromWindow(HWND Wnd, TMonitorDefaultTo Default) const
{
  TRect r;
  if (Wnd && GetWindowRect(Wnd, r))
    return MonitorFromRect(r, Default);
  return Default == mdNull ? nullptr : PrimaryMonitor();
}

void TScreen::AddForm(TCustomForm *Form) { FForms.push_back(Form); }

void TScreen::RemoveForm(TCustomForm *Form)
{
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
  if (FActiveForm == Form) {
    FActiveForm = nullptr;
    if (OnActiveFormChange)
      OnActiveFormChange(this);
  }
  if (FActiveControl && GetParentForm(FActiveControl) == Form)
    FActiveControl = nullptr;
}

void TScreen::SetActiveForm(TCustomForm *Form)
{
  if (FActiveForm == Form) {
    if (Form && !Form->FActive)
      Form->SetActive(true);
    return;
  }
  TCustomForm *old = FActiveForm;
  FActiveForm = Form;
  if (old) {
    old->FActive = false;
    TMessage m(WM_ACTIVATE, WA_INACTIVE, 0);
    (void)m;
  }
  if (Form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
    FForms.insert(FForms.begin(), Form);
  }
  if (OnActiveFormChange)
    OnActiveFormChange(this);
  if (Form) {
    Form->SetActive(true);
  } else {
    TMessagePump::Instance().SetFocusWnd(nullptr);
  }
}

void TScreen::SetActiveControl(TWinControl *Control)
{
  if (FActiveControl == Control)
    return;
  FActiveControl = Control;
  if (OnActiveControlChange)
    OnActiveControlChange(this);
}
