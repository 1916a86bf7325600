#include "grid/foundation/themes.h"

#include "framework/controls/forms.h"

TThemeAPI ThemeAPI;

const QString OfficeKey2010 = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common");
const QString OfficeKey2007 = QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common");

namespace {

struct TThemeState {
  TOfficeRegistryReader Reader;
  TRegChangeSourceFactory SourceFactory;
  TThemeNotifier *Notifier = nullptr;
};

TThemeState &State()
{
  static TThemeState s;
  return s;
}

// A change filter of 0 asks for every kind of change.
constexpr uint32_t REG_NOTIFY_ALL = 15;
constexpr uint32_t REG_NOTIFY_CHANGE_LAST_SET = 4;

}  // namespace

// ---------------------------------------------------------------------------------------

void LoadThemeLibrary()
{
  // No visual-style library on this platform: the flag stays false, no entry is bound.
  ThemeAPI = TThemeAPI();
}

void FreeThemeLibrary()
{
  if (ThemeAPI.Loaded)
    ThemeAPI = TThemeAPI();
}

bool IsWinXPOrLater() { return true; }
bool IsVistaOrLater() { return true; }
bool IsComCtl6OrLater() { return true; }

QString GetDefaultUIFontName()
{
  return IsVistaOrLater() ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma");
}

int GetXPVisualStyle()
{
  if (!IsWinXPOrLater() || !ThemeAPI.Loaded || !ThemeAPI.IsThemeActive || !ThemeAPI.IsThemeActive() ||
      !IsComCtl6OrLater() || !ThemeAPI.GetCurrentThemeName)
    return 0;
  QString file, color, size;
  ThemeAPI.GetCurrentThemeName(file, color, size);
  if (color.contains(QLatin1String("NormalColor")))
    return 1;
  if (color.contains(QLatin1String("HomeStead")))
    return 2;
  if (color.contains(QLatin1String("Metallic")))
    return 3;
  return 0;
}

// ---------------------------------------------------------------------------------------

void SetOfficeRegistryReader(TOfficeRegistryReader Reader) { State().Reader = std::move(Reader); }

namespace {
bool OfficeKeyExists(const QString &Key)
{
  const auto &r = State().Reader;
  return r.KeyExists && r.KeyExists(Key);
}
int OfficeThemeValue(const QString &Key)
{
  const auto &r = State().Reader;
  return r.ThemeValue ? r.ThemeValue(Key) : -1;
}
}  // namespace

int GetOfficeVersion()
{
  if (OfficeKeyExists(OfficeKey2010 + QStringLiteral("\\General")))
    return 2;
  if (OfficeKeyExists(OfficeKey2007 + QStringLiteral("\\General")))
    return 1;
  return 0;
}

TOfficeTheme OfficeThemeFromValues(int Value2010, int Value2007, int XPStyle)
{
  switch (Value2010) {
  case 1: return ot2010Blue;
  case 2: return ot2010Silver;
  case 3: return ot2010Black;
  case -1: break;
  default: return ot2003Blue;
  }
  switch (Value2007) {
  case 1: return ot2007Blue;
  case 2: return ot2007Silver;
  case 3: return ot2007Black;
  case -1: break;
  default: return ot2003Blue;
  }
  switch (XPStyle) {
  case 0: return ot2003Classic;
  case 2: return ot2003Olive;
  case 3: return ot2003Silver;
  default: return ot2003Blue;
  }
}

TOfficeTheme GetOfficeTheme()
{
  // Read lazily: a later source is consulted only when the earlier one is missing.
  const int v2010 = OfficeThemeValue(OfficeKey2010);
  if (v2010 != -1)
    return OfficeThemeFromValues(v2010, -1, 0);
  const int v2007 = OfficeThemeValue(OfficeKey2007);
  if (v2007 != -1)
    return OfficeThemeFromValues(-1, v2007, 0);
  return OfficeThemeFromValues(-1, -1, GetXPVisualStyle());
}

// ---------------------------------------------------------------------------------------

void THandleList::Insert(int Index, HWND Handle)
{
  if (Index < 0 || Index > Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  FItems.insert(FItems.begin() + Index, Handle);
}

void THandleList::Delete(int Index)
{
  if (Index < 0 || Index >= Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  FItems.erase(FItems.begin() + Index);
}

HWND THandleList::GetInteger(int Index) const
{
  if (Index < 0 || Index >= Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FItems[size_t(Index)];
}

void THandleList::SetInteger(int Index, HWND Handle)
{
  if (Index < 0 || Index >= Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  FItems[size_t(Index)] = Handle;
}

bool THandleList::HasValue(HWND Handle) const
{
  return std::find(FItems.begin(), FItems.end(), Handle) != FItems.end();
}

void THandleList::DeleteValue(HWND Handle)
{
  const auto it = std::find(FItems.begin(), FItems.end(), Handle);
  if (it != FItems.end())
    FItems.erase(it);
}

// ---------------------------------------------------------------------------------------

void SetRegChangeSourceFactory(TRegChangeSourceFactory Factory) { State().SourceFactory = std::move(Factory); }

TRegMonitorThread::TRegMonitorThread(bool CreateSuspended, std::unique_ptr<TRegChangeSource> Source)
    : TThread(true), FReg(std::move(Source))
{
  if (!CreateSuspended)
    Start();
}

TRegMonitorThread::~TRegMonitorThread()
{
  Stop();
  WaitFor();
}

void TRegMonitorThread::RegisterWnd(HWND Handle)
{
  std::lock_guard<std::mutex> lock(FListLock);
  if (!FWinList.HasValue(Handle))
    FWinList.Add(Handle);
}

void TRegMonitorThread::UnRegisterWnd(HWND Handle)
{
  std::lock_guard<std::mutex> lock(FListLock);
  FWinList.DeleteValue(Handle);
}

THandleList TRegMonitorThread::WinList() const
{
  std::lock_guard<std::mutex> lock(FListLock);
  return FWinList;
}

void TRegMonitorThread::SetEvent()
{
  {
    std::lock_guard<std::mutex> lock(FEventLock);
    FEvent = true;
  }
  FEventCond.notify_all();
}

void TRegMonitorThread::Stop()
{
  Terminate();
  SetEvent();
}

void TRegMonitorThread::SendChange()
{
  const std::u16string path = FKey.toStdU16String();
  const LPARAM keyPath = LPARAM(reinterpret_cast<intptr_t>(path.c_str()));
  // On the UI thread, which also registers and unregisters: a window that a receiver
  // unregistered (and perhaps destroyed) before its turn is skipped.
  Synchronize([&] {
    if (FWnd)
      SendMessage(FWnd, WM_OFFICETHEMECHANGE, WPARAM(FRootKey), keyPath);
    const THandleList targets = WinList();
    for (int i = 0; i < targets.Count(); ++i) {
      const HWND wnd = targets.GetInteger(i);
      if (WinList().HasValue(wnd))
        SendMessage(wnd, WM_OFFICETHEMECHANGE, WPARAM(FRootKey), keyPath);
    }
  });
}

void TRegMonitorThread::Execute()
{
  if (!FReg || !FReg->OpenKey(FRootKey, FKey))
    throw Exception(QStringLiteral("Unable to open registry key ") + FKey);
  const uint32_t filter = FFilter == 0 ? REG_NOTIFY_ALL : FFilter;
  FReg->RequestNotification(FWatchSub, filter, [this] { SetEvent(); });
  while (!Terminated()) {
    {
      std::unique_lock<std::mutex> lock(FEventLock);
      FEventCond.wait(lock, [this] { return FEvent; });
    }
    if (Terminated())
      break;
    SendChange();
    {
      std::lock_guard<std::mutex> lock(FEventLock);
      FEvent = false;
    }
    FReg->RequestNotification(FWatchSub, filter, [this] { SetEvent(); });
  }
}

// ---------------------------------------------------------------------------------------

TThemeNotifierWindow::TThemeNotifierWindow(TComponent *AOwner) : TWinControl(AOwner) { SetVisible(false); }

void TThemeNotifierWindow::WndProc(TMessage &Message)
{
  if (Message.Msg == WM_OFFICETHEMECHANGE && OnOfficeThemeChange)
    OnOfficeThemeChange(this);
  TWinControl::WndProc(Message);
}

TThemeNotifier::TThemeNotifier(TComponent *AOwner) : TComponent(AOwner)
{
  if (ComponentState().Contains(csDesigning))
    return;
  const int version = GetOfficeVersion();
  if (version != 1 && version != 2)
    return;
  FNotifier = new TThemeNotifierWindow(this);
  if (auto *parent = dynamic_cast<TWinControl *>(AOwner))
    FNotifier->SetParent(parent);
  FNotifier->OnOfficeThemeChange = [this](TObject *) {
    if (OnOfficeThemeChange)
      OnOfficeThemeChange(this);
  };
  const auto &factory = State().SourceFactory;
  RegMonitorThread = std::make_unique<TRegMonitorThread>(true, factory ? factory() : nullptr);
  RegMonitorThread->SetWnd(FNotifier->Handle());
  RegMonitorThread->SetFilter(REG_NOTIFY_CHANGE_LAST_SET);
  RegMonitorThread->SetKey(version == 2 ? OfficeKey2010 : OfficeKey2007);
  RegMonitorThread->SetRootKey(HKEY_CURRENT_USER);
  RegMonitorThread->SetWatchSub(true);
  RegMonitorThread->Start();
}

TThemeNotifier::~TThemeNotifier()
{
  // The thread may be inside a send to the notifier window: stop and join it first.
  RegMonitorThread.reset();
  if (State().Notifier == this)
    State().Notifier = nullptr;
}

void TThemeNotifier::RegisterWindow(HWND Handle)
{
  if (RegMonitorThread)
    RegMonitorThread->RegisterWnd(Handle);
}

void TThemeNotifier::UnRegisterWindow(HWND Handle)
{
  if (RegMonitorThread)
    RegMonitorThread->UnRegisterWnd(Handle);
}

TThemeNotifier *GetThemeNotifier(TComponent *AOwner)
{
  auto &s = State();
  if (!s.Notifier) {
    TComponent *owner = AOwner;
    if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
      owner = Application->MainForm();
    s.Notifier = new TThemeNotifier(owner);
  }
  return s.Notifier;
}

void ResetThemeState()
{
  auto &s = State();
  s.Reader = TOfficeRegistryReader();
  s.SourceFactory = nullptr;
  s.Notifier = nullptr;
}
