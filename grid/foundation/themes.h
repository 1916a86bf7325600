#pragma once
// Visual themes, operating-system probes, the style vocabulary of the grid family and the
// notifier that tells registered windows when the office colour theme changes.
//
// This platform has no visual-style library: ThemeAPI reports it as not loaded and every
// caller takes its unthemed path. The office theme is read through a replaceable registry
// reader, and the notifier watches the theme key through a replaceable change source; by
// default no office is installed, so there is no notifier window and no monitor thread.
#include "framework/classes/classes.h"
#include "framework/classes/thread.h"
#include "framework/controls/controls.h"

#include <QString>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// ---------------------------------------------------------------------------------------
// Style vocabulary

enum TZAVStyle {
  tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
  tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver, tsWindowsVista,
  tsWindows7, tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black
};

enum TOfficeTheme {
  ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver, ot2007Black,
  ot2010Blue, ot2010Silver, ot2010Black, otUnknown
};

struct TColorTone {
  TColor BrushColor = clNone;
  TColor BorderColor = clNone;
  TColor TextColor = clNone;
};

struct TColorTones {
  TColorTone Background;
  TColorTone Foreground;
  TColorTone Selected;
  TColorTone Hover;
  TColorTone Disabled;
};

// Implemented by the grid and its editor and drop-down controls, so that a form can
// restyle all of them alike.
class IZAVStyle {
public:
  virtual ~IZAVStyle() = default;
  virtual void SetComponentStyle(TZAVStyle AStyle) = 0;
};

class IZAVTones {
public:
  virtual ~IZAVTones() = default;
  virtual void SetColorTones(const TColorTones &ATones) = 0;
};

// Sent to registered windows when the office colour theme changes: WParam the watched root
// key, LParam a pointer to the watched key's path (UTF-16, zero-terminated).
constexpr uint32_t WM_OFFICETHEMECHANGE = 2993;

// ---------------------------------------------------------------------------------------
// Visual-style library

using HTHEME = void *;

// The entry points callers use, with the visual-style API's meaning. Call them only while
// Loaded is set.
struct TThemeAPI {
  bool Loaded = false;
  void *Library = nullptr;
  int (*IsThemeActive)() = nullptr;
  int (*IsAppThemed)() = nullptr;
  HTHEME (*OpenThemeData)(HWND Wnd, const QString &ClassList) = nullptr;
  int (*CloseThemeData)(HTHEME Theme) = nullptr;
  int (*DrawThemeBackground)(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect *Rect, const TRect *ClipRect) = nullptr;
  int (*DrawThemeParentBackground)(HWND Wnd, HDC DC, const TRect *Rect) = nullptr;
  int (*GetCurrentThemeName)(QString &FileName, QString &ColorName, QString &SizeName) = nullptr;
};

extern TThemeAPI ThemeAPI;

// Binds the library once at start-up; here it is never present, so Loaded stays false.
void LoadThemeLibrary();
void FreeThemeLibrary();

// ---------------------------------------------------------------------------------------
// Probes. The platform answers fixed values: a Vista-class system with common controls 6
// and no active XP visual style.

bool IsWinXPOrLater();
bool IsVistaOrLater();
bool IsComCtl6OrLater();
QString GetDefaultUIFontName();
// 0 none, 1 XP "NormalColor" (blue), 2 "HomeStead" (olive), 3 "Metallic" (silver).
int GetXPVisualStyle();

// ---------------------------------------------------------------------------------------
// Office colour theme

// Key paths below the current user's root.
extern const QString OfficeKey2010;         // "Software\Microsoft\Office\14.0\Common"
extern const QString OfficeKey2007;         // "Software\Microsoft\Office\12.0\Common"
constexpr uintptr_t HKEY_CURRENT_USER = 0x80000001u;

// Where the office settings are read from. KeyExists answers for a key path; ThemeValue is
// the integer value "Theme" of a key, -1 when the key or the value is missing (a value that
// is not an integer raises, as the registry access does). Unset members answer "missing".
struct TOfficeRegistryReader {
  std::function<bool(const QString &Key)> KeyExists;
  std::function<int(const QString &Key)> ThemeValue;
};
void SetOfficeRegistryReader(TOfficeRegistryReader Reader);

// 2 for the 2010 generation, 1 for 2007, 0 without office.
int GetOfficeVersion();
TOfficeTheme GetOfficeTheme();
// The mapping itself: the 2010 and 2007 "Theme" values (-1 missing) and the XP style.
TOfficeTheme OfficeThemeFromValues(int Value2010, int Value2007, int XPStyle);

// ---------------------------------------------------------------------------------------
// Change notification

// Window handles in registration order. Lookups compare handles; DeleteValue removes the
// first occurrence.
class THandleList {
public:
  int Count() const { return int(FItems.size()); }
  void Add(HWND Handle) { FItems.push_back(Handle); }
  void Insert(int Index, HWND Handle);
  void Delete(int Index);
  HWND GetInteger(int Index) const;
  void SetInteger(int Index, HWND Handle);
  bool HasValue(HWND Handle) const;
  void DeleteValue(HWND Handle);

private:
  std::vector<HWND> FItems;
};

// Reports changes under a registry key. The platform has none; tests supply one.
class TRegChangeSource {
public:
  virtual ~TRegChangeSource() = default;
  // Opens the key read-only below the root; false when it cannot be opened.
  virtual bool OpenKey(uintptr_t RootKey, const QString &Key) = 0;
  // Arms one notification: at the next change (of the kinds in Filter, in sub-keys too when
  // WatchSub) the source calls Signal once, from any thread.
  virtual void RequestNotification(bool WatchSub, uint32_t Filter, std::function<void()> Signal) = 0;
};
using TRegChangeSourceFactory = std::function<std::unique_ptr<TRegChangeSource>()>;
// The factory the notifier's monitor thread takes its source from (nullptr: none).
void SetRegChangeSourceFactory(TRegChangeSourceFactory Factory);

// Waits for changes of the watched key and sends WM_OFFICETHEMECHANGE to the notifier
// window and to every registered window, on the UI thread, waiting for each to handle it.
class TRegMonitorThread : public TThread {
public:
  TRegMonitorThread(bool CreateSuspended, std::unique_ptr<TRegChangeSource> Source);
  ~TRegMonitorThread() override;

  QString Key() const { return FKey; }
  void SetKey(const QString &Value) { FKey = Value; }
  uintptr_t RootKey() const { return FRootKey; }
  void SetRootKey(uintptr_t Value) { FRootKey = Value; }
  bool WatchSub() const { return FWatchSub; }
  void SetWatchSub(bool Value) { FWatchSub = Value; }
  uint32_t Filter() const { return FFilter; }
  void SetFilter(uint32_t Value) { FFilter = Value; }
  HWND Wnd() const { return FWnd; }
  void SetWnd(HWND Value) { FWnd = Value; }
  // Registered windows. Changed by the UI thread while the monitor may be sending: the
  // changes go through these, under the list's lock.
  void RegisterWnd(HWND Handle);
  void UnRegisterWnd(HWND Handle);
  THandleList WinList() const;

  // Ends the thread: marks it terminated and wakes it.
  void Stop();

protected:
  void Execute() override;

private:
  std::unique_ptr<TRegChangeSource> FReg;
  QString FKey;
  uintptr_t FRootKey = HKEY_CURRENT_USER;
  bool FWatchSub = false;
  uint32_t FFilter = 0;  // 0: every change kind
  HWND FWnd = nullptr;
  THandleList FWinList;
  mutable std::mutex FListLock;
  // The manual-reset event.
  std::mutex FEventLock;
  std::condition_variable FEventCond;
  bool FEvent = false;

  void SetEvent();
  void SendChange();
};

// A hidden window that turns WM_OFFICETHEMECHANGE into an event.
class TThemeNotifierWindow : public TWinControl {
public:
  explicit TThemeNotifierWindow(TComponent *AOwner);
  TNotifyEvent OnOfficeThemeChange;

protected:
  void WndProc(TMessage &Message) override;
};

// One per program (GetThemeNotifier). With an office of the 2007 or 2010 generation it
// watches the theme key and fires OnOfficeThemeChange; registered windows get the message.
class TThemeNotifier : public TComponent {
public:
  explicit TThemeNotifier(TComponent *AOwner);
  ~TThemeNotifier() override;

  void RegisterWindow(HWND Handle);
  void UnRegisterWindow(HWND Handle);
  TNotifyEvent OnOfficeThemeChange;

  TThemeNotifierWindow *NotifierWindow() const { return FNotifier; }  // owned by this
  TRegMonitorThread *MonitorThread() const { return RegMonitorThread.get(); }

private:
  TThemeNotifierWindow *FNotifier = nullptr;
  std::unique_ptr<TRegMonitorThread> RegMonitorThread;
};

// The program's notifier, created on first use (owned by the main form when it has a
// window, else by AOwner); a destroyed notifier is made again by the next call.
TThemeNotifier *GetThemeNotifier(TComponent *AOwner);

// Tests: forget the reader, the change-source factory and the notifier (not freed here:
// its owner frees it).
void ResetThemeState();
