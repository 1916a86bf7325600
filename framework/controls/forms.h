#pragma once
// Forms, the application object and the screen.
//
// A form class builds its controls in its constructor. OnCreate runs from AfterConstruction,
// which Application->CreateForm calls (a form made with new calls it itself, or it runs before
// the first Show). OnDestroy runs from BeforeDestruction, which the application calls before
// it deletes its forms; a form deleted directly should call it first, while the derived
// class's members still exist.
#include <QCursor>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "framework/controls/controls.h"

class TMainMenu;
class TIcon;
class QEventLoop;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateItem>;

using TCloseEvent = std::function<void(TObject *Sender, TCloseAction &Action)>;
using TCloseQueryEvent = std::function<void(TObject *Sender, bool &CanClose)>;

class TCustomForm : public TCustomControl {
  friend class TApplication;
  friend class TScreen;
  friend class TWinControl;
  friend struct TMessagePump;

public:
  explicit TCustomForm(TComponent *AOwner);
  ~TCustomForm() override;

  // Runs OnCreate once.
  virtual void AfterConstruction();
  // Runs OnDestroy once.
  virtual void BeforeDestruction();

  void Show();
  void Hide();
  // Closes the form the way the close button does (OnCloseQuery, OnClose, then hide, free or
  // end the program for the main form); a modal form gets ModalResult mrCancel.
  void Close();
  virtual bool CloseQuery();
  // Runs a nested message loop until ModalResult is set; returns it.
  virtual int ShowModal();
  // Deletes the form once the messages being handled now are done.
  void Release();

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  TFormState FormState() const { return FFormState; }
  bool Active() const { return FActive; }

  TWinControl *ActiveControl() const { return FActiveControl; }  // not owned
  void SetActiveControl(TWinControl *Control);
  // The control that has (or last had) the focus on this form.
  TWinControl *FocusedControl() const { return FFocusedControl; }
  void FocusControl(TWinControl *Control);
  void DefocusControl(TWinControl *Control, bool Removing);
  // Called by a control that receives the focus; runs OnExit/OnEnter along the way.
  bool SetFocusedControl(TWinControl *Control);

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value);
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value) { FAutoScroll = Value; }
  bool Scaled() const { return FScaled; }
  void SetScaled(bool Value) { FScaled = Value; }
  int PixelsPerInch() const { return ScreenPixelsPerInch; }
  TMainMenu *Menu() const { return FMenu; }  // not owned
  void SetMenu(TMainMenu *Value) { FMenu = Value; }
  TIcon *Icon() const { return FIcon.get(); }

  // The outer size includes the fixed frame of the border style; the client area is the widget.
  TRect GetClientRect() const override;
  void SetClientWidth(int Value) override;
  void SetClientHeight(int Value) override;
  TPoint ClientOrigin() const override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  bool IsShowing() const override;
  bool CanFocus() const override;
  void SetFocus() override;
  void SetVisible(bool Value) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

  void Dispatch(TMessage &Message) override;
  void CMDialogKey(TCMDialogKey &Message) override;
  void CMShowingChanged(TMessage &Message) override;
  void WMSetFocus(TWMSetFocus &Message) override;
  virtual void WMClose(TMessage &Message);
  virtual void CMActivate(TMessage &Message);
  virtual void CMDeactivate(TMessage &Message);
  virtual void CMRelease(TMessage &Message);
  void MouseWheelHandler(TMessage &Message) override;

protected:
  void CreateParams(TCreateParams &Params) override;
  void CreateWnd() override;
  void CreateWindowDone() override;
  void Paint() override;
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction &Action);
  virtual void Activate();
  virtual void Deactivate();
  virtual void CloseModal();
  void SetActive(bool Value);
  void SetWindowFocus();
  // Frame sizes of the border style: left/right border and caption plus top border.
  int FrameWidth() const;
  int CaptionHeight() const;
  void PlaceOnScreen();
  // The frame the platform draws around the client area (each side's width) and the
  // rectangle the window covers on screen with it.
  TRect ScreenFrameMargins() const;
  TRect ScreenRect() const;

  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TPosition FPosition = poDesigned;
  TFormStyle FFormStyle = fsNormal;
  TWindowState FWindowState = wsNormal;
  TFormState FFormState;
  TModalResult FModalResult = mrNone;
  TWinControl *FActiveControl = nullptr;
  TWinControl *FFocusedControl = nullptr;
  bool FKeyPreview = false;
  bool FAutoScroll = false;
  bool FScaled = true;
  bool FActive = false;
  bool FCreated = false;
  bool FDestroyed = false;
  bool FPlaced = false;
  // Each modal run has its own number; the seam's late close applies only to its own run.
  int FModalSerial = 0;
  bool FModalForced = false;
  TMainMenu *FMenu = nullptr;
  std::unique_ptr<TIcon> FIcon;

  void Notification(TComponent *AComponent, TOperation Operation) override;
};

class TForm : public TCustomForm {
public:
  explicit TForm(TComponent *AOwner) : TCustomForm(AOwner) {}
};

// ---------------------------------------------------------------------------------------------

using TExceptionEvent = std::function<void(TObject *Sender, Exception *E)>;
using TShowHintEvent = std::function<void(QString &HintStr, bool &CanShow, THintInfo &HintInfo)>;
using TIdleEvent = std::function<void(TObject *Sender, bool &Done)>;

class TApplication : public TComponent {
  friend struct TMessagePump;
  friend class TCustomForm;

public:
  explicit TApplication(TComponent *AOwner);
  ~TApplication() override;

  // Creates a form owned by the application; the first one becomes the main form.
  template <class T>
  void CreateForm(T *&Reference)
  {
    Reference = new T(this);
    FormCreated(Reference);
  }
  void Initialize() {}
  // Shows the main form and handles messages until Terminate.
  void Run();
  void ProcessMessages();
  // Waits for and handles one batch of events.
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Shows the exception through the error box (EAbort is silent) or OnException.
  void HandleException(TObject *Sender);
  void HandleException(TObject *Sender, std::exception_ptr Exc);
  void ShowException(Exception *E);
  // Windows-style message box: MB_* flags, ID* result.
  int MessageBox(const QString &Text, const QString &Caption, uint32_t Flags = 0);

  TCustomForm *MainForm() const { return FMainForm; }  // not owned
  void SetMainForm(TCustomForm *Form) { FMainForm = Form; }
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool Value) { FShowMainForm = Value; }
  QString Title() const { return FTitle; }
  void SetTitle(const QString &Value) { FTitle = Value; }
  QString ExeName() const;
  QString Hint() const { return FHint; }
  void SetHint(const QString &Value);
  bool Active() const { return true; }

  // Hints
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  int HintPause() const { return FHintPause; }
  void SetHintPause(int Value) { FHintPause = Value; }
  int HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int Value) { FHintShortPause = Value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int Value) { FHintHidePause = Value; }
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor Value) { FHintColor = Value; }
  void CancelHint();
  // Shows the hint of the control under the screen point now.
  void ActivateHint(TPoint CursorPos);
  void HideHint();
  THintWindow *HintWindow() const { return FHintWindow; }  // the one shown, or nullptr
  THintWindowClass HintWindowClass;

  TExceptionEvent OnException;
  TShowHintEvent OnShowHint;
  TNotifyEvent OnHint;
  TIdleEvent OnIdle;

  // Internal: the hint machine follows the mouse.
  void HintMouseMessage(TControl *Control, TPoint ClientPos);
  // Tests: forget the main form and the termination request.
  void ResetForTests();
  // Internal: a component the application may refer to is going away.
  void ComponentGone(TComponent *AComponent) { Notification(AComponent, opRemove); }

protected:
  void Notification(TComponent *AComponent, TOperation Operation) override;

private:
  void FormCreated(TCustomForm *Form);
  void HintTimerExpired();
  void StartHintTimer(int Delay);
  void StopHintTimer();

  TCustomForm *FMainForm = nullptr;
  bool FShowMainForm = true;
  bool FTerminated = false;
  QString FTitle;
  QString FHint;
  bool FShowHint = true;
  int FHintPause = 500;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  TColor FHintColor = clInfoBk;
  TControl *FHintControl = nullptr;  // the control the mouse is over; not owned
  TRect FHintCursorRect;
  THintWindow *FHintWindow = nullptr;  // owned by the application while shown
  bool FHintActive = false;
  std::unique_ptr<TClockTimer> FHintTimer;
  std::unique_ptr<TClockTimer> FHideTimer;
  QEventLoop *FRunLoop = nullptr;
};

// MessageBox flags and results.
enum : uint32_t {
  MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4,
  MB_RETRYCANCEL = 0x5, MB_ICONHAND = 0x10, MB_ICONSTOP = 0x10, MB_ICONERROR = 0x10,
  MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30, MB_ICONWARNING = 0x30,
  MB_ICONASTERISK = 0x40, MB_ICONINFORMATION = 0x40, MB_DEFBUTTON1 = 0x0, MB_DEFBUTTON2 = 0x100,
  MB_DEFBUTTON3 = 0x200, MB_APPLMODAL = 0x0, MB_SYSTEMMODAL = 0x1000, MB_TASKMODAL = 0x2000,
  MB_TOPMOST = 0x40000,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// ---------------------------------------------------------------------------------------------

enum TMonitorDefaultTo { mdNearest, mdNull, mdPrimary };

// One display; its areas are in screen coordinates.
class TMonitor {
public:
  TRect BoundsRect() const { return FBounds; }
  TRect WorkareaRect() const { return FWorkarea; }
  int Left() const { return FBounds.Left; }
  int Top() const { return FBounds.Top; }
  int Width() const { return FBounds.Width(); }
  int Height() const { return FBounds.Height(); }
  bool Primary() const { return FPrimary; }
  int MonitorNum() const { return FNum; }

private:
  friend class TScreen;
  TRect FBounds;
  TRect FWorkarea;
  bool FPrimary = false;
  int FNum = 0;
};

class TScreen : public TComponent {
  friend class TCustomForm;
  friend struct TMessagePump;

public:
  explicit TScreen(TComponent *AOwner);
  ~TScreen() override;

  TCursor Cursor() const { return FCursor; }
  // Anything but crDefault overrides every control's cursor.
  void SetCursor(TCursor Value);
  QCursor Cursors(TCursor Index) const;
  void SetCursors(TCursor Index, const QCursor &Value);

  int FormCount() const { return int(FForms.size()); }
  TCustomForm *Forms(int Index) const { return FForms.at(size_t(Index)); }
  TCustomForm *ActiveForm() const { return FActiveForm; }
  TCustomForm *ActiveCustomForm() const { return FActiveForm; }
  TWinControl *ActiveControl() const { return FActiveControl; }

  int Width() const;
  int Height() const;
  int DesktopWidth() const { return Width(); }
  int DesktopHeight() const { return Height(); }
  TRect WorkAreaRect() const;
  int WorkAreaWidth() const { return WorkAreaRect().Width(); }
  int WorkAreaHeight() const { return WorkAreaRect().Height(); }
  int PixelsPerInch() const { return ScreenPixelsPerInch; }
  TFont *HintFont() const { return FHintFont.get(); }
  TFont *IconFont() const { return FIconFont.get(); }
  TFont *MenuFont() const { return FMenuFont.get(); }
  // Font families installed.
  QStringList Fonts() const;

  int MonitorCount() const;
  TMonitor *Monitors(int Index) const;
  TMonitor *PrimaryMonitor() const;
  TMonitor *MonitorFromPoint(TPoint Point, TMonitorDefaultTo Default = mdNearest) const;
  TMonitor *MonitorFromRect(const TRect &Rect, TMonitorDefaultTo Default = mdNearest) const;
  TMonitor *MonitorFromWindow(HWND Wnd, TMonitorDefaultTo Default = mdNearest) const;

  TNotifyEvent OnActiveControlChange;
  TNotifyEvent OnActiveFormChange;

private:
  void AddForm(TCustomForm *Form);
  void RemoveForm(TCustomForm *Form);
  void SetActiveForm(TCustomForm *Form);
  void SetActiveControl(TWinControl *Control);
  TCursor FCursor = crDefault;
  std::vector<TCustomForm *> FForms;  // most recently active first; not owned
  TCustomForm *FActiveForm = nullptr;
  TWinControl *FActiveControl = nullptr;
  std::map<TCursor, QCursor> FCursors;
  std::unique_ptr<TFont> FHintFont;
  std::unique_ptr<TFont> FIconFont;
  std::unique_ptr<TFont> FMenuFont;
  bool FOverride = false;
  mutable std::vector<std::unique_ptr<TMonitor>> FMonitors;
  void UpdateMonitors() const;
};

extern TApplication *Application;
extern TScreen *Screen;

// Modal forms can be scripted (framework/testing): the hook runs inside ShowModal's loop once
// the form is shown. After it returns, a form that is still open is closed with mrCancel so
// that a test never waits for a user.
using TModalFormHook = std::function<void(TCustomForm *Form)>;
void SetModalFormHook(TModalFormHook Hook);
TModalFormHook ModalFormHook();
