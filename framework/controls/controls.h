#pragma once
// Controls: TControl, TWinControl (a control with a window, its Qt widget), TCustomControl
// (paints through its own canvas), TGraphicControl (paints on its parent), the message
// pipeline, timers, mouse capture, hints and the window functions the system calls.
//
// Messages. A widget event becomes a TMessage that goes to the control's WndProc, which
// calls Dispatch; Dispatch calls the virtual handler of the message (WMKeyDown, CMEnter ...),
// and every handler ends in the inherited one, the last of which is DefaultHandler. A class
// that handles a message without its own handler (a registered message) overrides WndProc
// or Dispatch and passes the others on.
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "framework/classes/classes.h"
#include "framework/controls/messages.h"
#include "framework/graphics/graphics.h"
#include "framework/system/clock.h"
#include "framework/system/types.h"

class QCursor;
class QEvent;
class QImage;
class QObject;
class QWidget;

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;
class THintWindow;
struct TControlHandle;

// ---------------------------------------------------------------------------------------------
// Enumerations

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
using TAlignSet = TSet<TAlign>;

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

enum TControlStyleItem {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption,
  csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable,
  csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents,
  csNeedsBorderPaint, csParentBackground, csPannable
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating,
  csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking, csRecreating, csAligning
};
using TControlState = TSet<TControlStateItem>;

// Results of modal forms and message boxes.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;
constexpr TModalResult mrClose = 11;

// Cursors: the predefined ones are negative; programs register their own with positive numbers
// in Screen->Cursors.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = -22;

// ---------------------------------------------------------------------------------------------
// Events

using TMouseEvent = std::function<void(TObject *Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject *Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject *Sender, uint16_t &Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject *Sender, QChar &Key)>;
using TMouseWheelEvent = std::function<void(TObject *Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool &Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject *Sender, TShiftState Shift, TPoint MousePos, bool &Handled)>;
using TContextPopupEvent = std::function<void(TObject *Sender, TPoint MousePos, bool &Handled)>;

// ---------------------------------------------------------------------------------------------
// Hints

using THintWindowClass = std::function<THintWindow *()>;

// What CM_HINTSHOW receives and may change before a hint is shown.
struct THintInfo {
  TControl *HintControl = nullptr;
  THintWindowClass HintWindowClass;  // empty: the application's
  TPoint HintPos;                    // screen
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TRect CursorRect;                  // client coordinates of HintControl; leaving it hides the hint
  TPoint CursorPos;                  // client coordinates of HintControl
  int ReshowTimeout = 0;             // ms; non-zero: ask again after this time
  int HideTimeout = 0;               // ms; 0: the application's HintHidePause
  QString HintStr;
  void *HintData = nullptr;
};

// ---------------------------------------------------------------------------------------------
// TControl

class TControl : public TComponent {
  friend class TWinControl;
  friend class TCustomForm;
  friend struct TMessagePump;

public:
  explicit TControl(TComponent *AOwner);
  ~TControl() override;

  // Messages
  virtual void WndProc(TMessage &Message);
  virtual void Dispatch(TMessage &Message);
  virtual void DefaultHandler(TMessage &Message);
  LRESULT Perform(uint32_t Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  // Where every message sent to the control enters: WndProc, unless another object took the
  // control's messages over with SetWindowProc (keeping GetWindowProc's answer to pass on what
  // it does not handle, and to hand back). An empty procedure means WndProc again.
  using TWndMethod = std::function<void(TMessage &)>;
  void WindowProc(TMessage &Message)
  {
    if (FWindowProc)
      FWindowProc(Message);
    else
      WndProc(Message);
  }
  TWndMethod GetWindowProc();
  void SetWindowProc(TWndMethod Proc) { FWindowProc = std::move(Proc); }

  // Parent and position
  TWinControl *Parent() const { return FParent; }  // not owned
  virtual void SetParent(TWinControl *AParent);
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { BoundsNeeded(); return FWidth; }
  int Height() const { BoundsNeeded(); return FHeight; }
  void SetLeft(int Value) { SetPos(Value, FTop); }
  void SetTop(int Value) { SetPos(FLeft, Value); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, Height()); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, Width(), Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { BoundsNeeded(); return Bounds(FLeft, FTop, FWidth, FHeight); }
  // A control sized by its content may put off measuring it while it cannot be seen
  // (FBoundsPending; the measuring never moves it); reading its size, or showing it,
  // measures it first.
  void BoundsNeeded() const
  {
    if (FBoundsPending)
      const_cast<TControl *>(this)->ResolveBounds();
  }
  virtual void ResolveBounds() { FBoundsPending = false; }
  // SetLeft and SetTop: a move that keeps the size, whatever it is measured to be.
  virtual void SetPos(int ALeft, int ATop) { SetBounds(ALeft, ATop, FWidth, FHeight); }
  void SetBoundsRect(const TRect &R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  virtual TRect GetClientRect() const;
  TRect ClientRect() const { return GetClientRect(); }
  int ClientWidth() const { return GetClientRect().Width(); }
  int ClientHeight() const { return GetClientRect().Height(); }
  virtual void SetClientWidth(int Value);
  virtual void SetClientHeight(int Value);
  void SetClientSize(int W, int H);
  // Screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint Point) const;
  TPoint ScreenToClient(TPoint Point) const;
  TPoint ClientToParent(TPoint Point, TWinControl *AParent = nullptr) const;
  TPoint ParentToClient(TPoint Point, TWinControl *AParent = nullptr) const;
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);
  void BringToFront();
  void SendToBack();

  // State
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  // The control's own flag; Showing() tells whether it and all its parents are visible.
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  void Show();
  void Hide();
  virtual bool IsShowing() const;
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }

  // Text
  QString Caption() const { return GetText(); }
  void SetCaption(const QString &Value) { SetText(Value); }
  QString Text() const { return GetText(); }
  void SetText(const QString &Value);
  virtual QString GetText() const;
  int GetTextLen() const { return GetText().size(); }

  // Look
  TColor Color() const { return FColor; }
  virtual void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont *Font() const { return FFont.get(); }
  void SetFont(const TFont *Value);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  QString Hint() const { return FHint; }
  void SetHint(const QString &Value) { FHint = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TPopupMenu *PopupMenu() const { return FPopupMenu; }  // not owned
  void SetPopupMenu(TPopupMenu *Value) { FPopupMenu = Value; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }

  // Painting
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }

  // Mouse capture: while captured, every mouse message goes to this control.
  bool MouseCapture() const;
  void SetMouseCapture(bool Value);

  virtual bool HasParent() const { return FParent != nullptr; }
  virtual bool IsWindowed() const { return false; }

  // Events
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TNotifyEvent OnResize;
  TContextPopupEvent OnContextPopup;

  // Message handlers; each ends in the inherited handler (finally DefaultHandler).
  virtual void WMLButtonDown(TWMMouse &Message);
  virtual void WMLButtonUp(TWMMouse &Message);
  virtual void WMLButtonDblClk(TWMMouse &Message);
  virtual void WMRButtonDown(TWMMouse &Message);
  virtual void WMRButtonUp(TWMMouse &Message);
  virtual void WMRButtonDblClk(TWMMouse &Message);
  virtual void WMMButtonDown(TWMMouse &Message);
  virtual void WMMButtonUp(TWMMouse &Message);
  virtual void WMMButtonDblClk(TWMMouse &Message);
  virtual void WMMouseMove(TWMMouse &Message);
  virtual void WMMouseWheel(TWMMouseWheel &Message);
  virtual void WMCancelMode(TWMCancelMode &Message);
  virtual void WMSize(TWMSize &Message);
  virtual void WMContextMenu(TWMContextMenu &Message);
  virtual void WMTimer(TWMTimer &Message);
  virtual void CMMouseEnter(TMessage &Message);
  virtual void CMMouseLeave(TMessage &Message);
  virtual void CMEnabledChanged(TMessage &Message);
  virtual void CMVisibleChanged(TMessage &Message);
  virtual void CMTextChanged(TMessage &Message);
  virtual void CMFontChanged(TMessage &Message);
  virtual void CMColorChanged(TMessage &Message);
  virtual void CMParentFontChanged(TMessage &Message);
  virtual void CMParentColorChanged(TMessage &Message);
  virtual void CMParentShowHintChanged(TMessage &Message);
  virtual void CMCursorChanged(TMessage &Message);
  virtual void CMHintShow(TCMHintShow &Message);
  virtual void CMMouseWheel(TCMMouseWheel &Message);
  virtual void CMHitTest(TMessage &Message);

protected:
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  // Passes WM_MOUSEWHEEL on: through the form to its focused control, as CM_MOUSEWHEEL.
  virtual void MouseWheelHandler(TMessage &Message);
  virtual void DoContextPopup(TPoint MousePos, bool &Handled);
  virtual void Resize();
  virtual void SetParentComponent(TWinControl *Value) { SetParent(Value); }
  virtual void RequestAlign();
  virtual void SetTextInternal(const QString &Value) { FText = Value; }
  // Scales position, size and (unless it follows the parent's) the font by M / D, as the
  // platform does when a form meets another resolution; descendants scale what they add
  // and call this one.
  virtual void ChangeScale(int M, int D);
  // The window on which this control is drawn and which receives its input.
  virtual void InvalidateControl(bool IsVisible, bool IsOpaque);
  // Changes the stored bounds without moving a window (used by windows resized from outside).
  void UpdateBoundsRect(const TRect &R);
  void ChangeControlState(TControlStateItem Item, bool On);
  // Remembers the distances to the parent's right and bottom edges for the anchors.
  void UpdateAnchorRules();
  void SendCancelMode(TControl *Sender);
  TCustomForm *GetParentFormOf() const;

  TWinControl *FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  bool FEnabled = true;
  bool FVisible = true;
  bool FParentColor = true;
  bool FParentFont = true;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TColor FColor = clWindow;
  std::unique_ptr<TFont> FFont;
  QString FText;
  QString FHint;
  TCursor FCursor = crDefault;
  TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState FControlState;
  TPopupMenu *FPopupMenu = nullptr;
  int FHelpContext = 0;
  // Distances to the parent's right and bottom edges, kept for akRight/akBottom anchors.
  int FAnchorRight = 0;
  int FAnchorBottom = 0;
  bool FAnchorsKnown = false;
  bool FBoundsPending = false;

private:
  void FontChanged(TObject *Sender);
  void DoMouseDown(TWMMouse &Message, TMouseButton Button, TShiftState Shift);
  void DoMouseUp(TWMMouse &Message, TMouseButton Button);
  TWndMethod FWindowProc;
  bool FFontChanging = false;
  int FWheelAccumulator = 0;
};

// ---------------------------------------------------------------------------------------------
// TWinControl

// Window styles the create parameters carry.
enum : uint32_t {
  WS_OVERLAPPED = 0x00000000, WS_TABSTOP = 0x00010000, WS_GROUP = 0x00020000,
  WS_THICKFRAME = 0x00040000, WS_SYSMENU = 0x00080000, WS_HSCROLL = 0x00100000,
  WS_VSCROLL = 0x00200000, WS_DLGFRAME = 0x00400000, WS_BORDER = 0x00800000,
  WS_CAPTION = 0x00C00000, WS_MAXIMIZE = 0x01000000, WS_CLIPCHILDREN = 0x02000000,
  WS_CLIPSIBLINGS = 0x04000000, WS_DISABLED = 0x08000000, WS_VISIBLE = 0x10000000,
  WS_MINIMIZE = 0x20000000, WS_CHILD = 0x40000000, WS_POPUP = 0x80000000,
  WS_EX_DLGMODALFRAME = 0x00000001, WS_EX_TOPMOST = 0x00000008, WS_EX_TRANSPARENT = 0x00000020,
  WS_EX_TOOLWINDOW = 0x00000080, WS_EX_WINDOWEDGE = 0x00000100, WS_EX_CLIENTEDGE = 0x00000200,
  WS_EX_CONTROLPARENT = 0x00010000, WS_EX_STATICEDGE = 0x00020000, WS_EX_APPWINDOW = 0x00040000,
  WS_EX_LAYERED = 0x00080000,
  CS_VREDRAW = 0x0001, CS_HREDRAW = 0x0002, CS_DBLCLKS = 0x0008, CS_SAVEBITS = 0x0800,
  CS_DROPSHADOW = 0x00020000,
};

struct TCreateParams {
  QString Caption;
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  struct { uint32_t style = 0; } WindowClass;
  QString WinClassName;
};

// Window scroll bars (WS_HSCROLL / WS_VSCROLL), as SetScrollInfo sees them.
struct SCROLLINFO {
  uint32_t cbSize = sizeof(SCROLLINFO);
  uint32_t fMask = 0;
  int nMin = 0;
  int nMax = 0;
  uint32_t nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};
enum : uint32_t { SIF_RANGE = 0x1, SIF_PAGE = 0x2, SIF_POS = 0x4, SIF_DISABLENOSCROLL = 0x8, SIF_TRACKPOS = 0x10, SIF_ALL = 0x17 };
enum : uint32_t { ESB_ENABLE_BOTH = 0, ESB_DISABLE_BOTH = 3 };

class TWinControl : public TControl {
  friend class TControl;
  friend class TCustomForm;
  friend struct TMessagePump;
  friend struct TControlHandle;

public:
  explicit TWinControl(TComponent *AOwner);
  ~TWinControl() override;

  // The window. Handle() creates it (and its parents') when needed.
  HWND Handle();
  bool HandleAllocated() const;
  void HandleNeeded();
  void RecreateWnd();
  bool IsWindowed() const override { return true; }

  // Children
  int ControlCount() const { return int(FControls.size()); }
  TControl *Controls(int Index) const { return FControls.at(size_t(Index)); }
  void InsertControl(TControl *AControl);
  void RemoveControl(TControl *AControl);
  bool ContainsControl(TControl *Control) const;
  // The child at a client point: visible (or any) and enabled, topmost first; nullptr if none.
  TControl *ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = false) const;
  TWinControl *FindChildControl(const QString &ControlName) const;
  void Broadcast(TMessage &Message);
  void NotifyControls(uint32_t Msg);

  // Alignment of children
  void DisableAlign();
  void EnableAlign();
  void Realign();
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TRect GetClientRect() const override;

  // Focus and tab order
  virtual bool CanFocus() const;
  virtual bool Focused() const;
  virtual void SetFocus();
  int TabOrder() const;
  void SetTabOrder(int Value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  void GetTabOrderList(std::vector<TWinControl *> &List) const;
  TWinControl *FindNextControl(TWinControl *CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const;
  void SelectNext(TWinControl *CurControl, bool GoForward, bool CheckTabStop);

  TPoint ClientOrigin() const override;
  bool IsShowing() const override;
  bool Showing() const { return IsShowing(); }
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TBrush *Brush() const { return FBrush.get(); }
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value) { FCtl3D = Value; }
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value) { FParentCtl3D = Value; }

  void PaintTo(TCanvas *Canvas, int X, int Y);
  // Scales the control's size, its children and the fonts by M / D; the control keeps its place.
  void ScaleBy(int M, int D);

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

  void WndProc(TMessage &Message) override;
  void Dispatch(TMessage &Message) override;
  void DefaultHandler(TMessage &Message) override;

  virtual void WMPaint(TWMPaint &Message);
  virtual void WMEraseBkgnd(TWMEraseBkgnd &Message);
  virtual void WMSetFocus(TWMSetFocus &Message);
  virtual void WMKillFocus(TWMKillFocus &Message);
  virtual void WMSetCursor(TWMSetCursor &Message);
  virtual void WMKeyDown(TWMKey &Message);
  virtual void WMKeyUp(TWMKey &Message);
  virtual void WMChar(TWMKey &Message);
  virtual void WMSysKeyDown(TWMKey &Message);
  virtual void WMSysKeyUp(TWMKey &Message);
  virtual void WMSysChar(TWMKey &Message);
  virtual void WMGetDlgCode(TWMGetDlgCode &Message);
  virtual void WMHScroll(TWMScroll &Message);
  virtual void WMVScroll(TWMScroll &Message);
  virtual void WMCommand(TWMCommand &Message);
  virtual void WMNotify(TWMNotify &Message);
  void WMSize(TWMSize &Message) override;
  virtual void CNKeyDown(TWMKey &Message);
  virtual void CNKeyUp(TWMKey &Message);
  virtual void CNChar(TWMKey &Message);
  virtual void CNSysKeyDown(TWMKey &Message);
  virtual void CNSysChar(TWMKey &Message);
  virtual void CMDialogKey(TCMDialogKey &Message);
  virtual void CMDialogChar(TCMDialogChar &Message);
  virtual void CMWantSpecialKey(TCMWantSpecialKey &Message);
  virtual void CMEnter(TCMEnter &Message);
  virtual void CMExit(TCMExit &Message);
  virtual void CMFocusChanged(TCMFocusChanged &Message);
  virtual void CMChildKey(TCMChildKey &Message);
  virtual void CMShowingChanged(TMessage &Message);
  void CMEnabledChanged(TMessage &Message) override;
  void CMVisibleChanged(TMessage &Message) override;
  void CMColorChanged(TMessage &Message) override;
  void CMFontChanged(TMessage &Message) override;
  void CMTextChanged(TMessage &Message) override;
  void CMCursorChanged(TMessage &Message) override;

protected:
  virtual void CreateParams(TCreateParams &Params);
  // Makes the widget. The default is the framework's own; a control wrapping a native Qt
  // widget returns that widget (the framework parents, places and listens to it).
  virtual QWidget *CreateWindowHandle(const TCreateParams &Params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  virtual void CreateHandle();
  virtual void DestroyHandle();
  // Called once the widget exists (after CreateWnd placed it).
  virtual void CreateWindowDone() {}

  virtual bool DoKeyDown(TWMKey &Message);
  virtual bool DoKeyPress(TWMKey &Message);
  virtual bool DoKeyUp(TWMKey &Message);
  virtual void KeyDown(uint16_t &Key, TShiftState Shift);
  virtual void KeyUp(uint16_t &Key, TShiftState Shift);
  virtual void KeyPress(QChar &Key);
  virtual void DoEnter();
  virtual void DoExit();

  // The children first, then the control itself.
  void ChangeScale(int M, int D) override;
  virtual void AlignControls(TControl *AControl, TRect &Rect);
  virtual void AdjustClientRect(TRect &Rect);
  // Paints the window: WM_PAINT's work for controls with a canvas.
  virtual void PaintWindow(HDC DC);
  void PaintHandler(TWMPaint &Message);
  // Draws the graphic (windowless) children onto DC.
  void PaintControls(HDC DC, TControl *First);
  // Measures the visible controls inside that put it off, before they are seen.
  void ResolveShownBounds();
  // True when the message was a mouse message for a graphic child, which received it.
  bool IsControlMouseMsg(TWMMouse &Message);

  void UpdateControlState();
  void SelectFirst();

  std::vector<TControl *> FControls;       // children, in z-order (bottom first); not owned
  std::vector<TWinControl *> FTabList;     // windowed children in tab order; not owned
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TControlHandle> FHandle;
  bool FTabStop = false;
  bool FDoubleBuffered = false;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  int FBorderWidth = 0;
  int FAlignLevel = 0;

private:
  void AlignControl(TControl *AControl);
  void ApplyWidgetBounds();
  void ApplyWidgetVisibility();
  void BrushChanged(TObject *Sender);
  friend class TCustomControl;
  friend class TGraphicControl;
};

// ---------------------------------------------------------------------------------------------

// A windowed control that paints itself through Canvas into its own backing image, which its
// widget shows. The canvas is usable outside a paint; such drawing shows at the next update.
class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent *AOwner);
  ~TCustomControl() override;
  TCanvas *Canvas();
  void WMPaint(TWMPaint &Message) override;
  TNotifyEvent OnPaint;

protected:
  virtual void Paint();
  void PaintWindow(HDC DC) override;
  std::unique_ptr<TCanvas> FCanvas;

private:
  uint64_t FCanvasSerial = 0;
};

// A control without a window, drawn on its parent's canvas area and fed by its parent's mouse
// messages.
class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent *AOwner);
  ~TGraphicControl() override;
  // Bound to the parent's backing image, with the origin at this control's top-left corner
  // and clipped to it.
  TCanvas *Canvas();
  virtual void WMPaint(TWMPaint &Message);
  void Dispatch(TMessage &Message) override;

protected:
  virtual void Paint();
  std::unique_ptr<TCanvas> FCanvas;

private:
  void BindCanvas();
};

// ---------------------------------------------------------------------------------------------
// Hint window

class THintWindow : public TCustomControl {
public:
  explicit THintWindow(TComponent *AOwner);
  // Shows the hint at Rect (screen coordinates).
  virtual void ActivateHint(TRect Rect, const QString &AHint);
  virtual void ActivateHintData(TRect Rect, const QString &AHint, void *AData);
  // The size the hint needs, as a rectangle at (0, 0).
  virtual TRect CalcHintRect(int MaxWidth, const QString &AHint, void *AData);
  void ReleaseHandle();

protected:
  void CreateParams(TCreateParams &Params) override;
  void Paint() override;
};

// ---------------------------------------------------------------------------------------------
// Timer component

class TTimer : public TComponent {
public:
  explicit TTimer(TComponent *AOwner);
  ~TTimer() override;
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  uint32_t Interval() const { return FInterval; }
  void SetInterval(uint32_t Value);
  // Runs while Enabled and Interval > 0 (OnTimer may be assigned at any time).
  TNotifyEvent OnTimer;
  void SetOnTimer(TNotifyEvent Value);

protected:
  virtual void Timer();

private:
  void UpdateTimer();
  bool FEnabled = true;
  uint32_t FInterval = 1000;
  std::unique_ptr<TClockTimer> FTimer;
};

// ---------------------------------------------------------------------------------------------
// Functions

// The form a control sits on (nullptr when none).
TCustomForm *GetParentForm(TControl *Control, bool TopForm = true);
TCustomForm *ValidParentForm(TControl *Control);
// The control of a window, nullptr for a window the framework does not know.
TWinControl *FindControl(HWND Handle);
// The control (windowed or not) under a screen point.
TControl *FindDragTarget(TPoint Pos, bool AllowDisabled);
// True when Str carries "&" + the character of VK (case-insensitive).
bool IsAccel(uint16_t VK, const QString &Str);
QChar GetHotKeyChar(const QString &Str);

TControl *GetCaptureControl();
void SetCaptureControl(TControl *Control);

// Runs Fn; an exception escaping it goes to Application->HandleException (the error box), as
// for a message handler. For code that Qt calls directly (a native widget's signal).
void SafeCall(TObject *Sender, const std::function<void()> &Fn);

// Window functions
LRESULT SendMessage(HWND Wnd, uint32_t Msg, WPARAM WParam, LPARAM LParam);
// Queues the message; it runs after the handler chain that is running now has returned.
bool PostMessage(HWND Wnd, uint32_t Msg, WPARAM WParam, LPARAM LParam);
// WM_TIMER to the window every Elapse ms until KillTimer; returns the id (0 on failure).
uintptr_t SetTimer(HWND Wnd, uintptr_t IDEvent, uint32_t Elapse, void *TimerFunc = nullptr);
bool KillTimer(HWND Wnd, uintptr_t IDEvent);
HWND GetFocus();
HWND SetFocus(HWND Wnd);
HWND GetCapture();
HWND SetCapture(HWND Wnd);
bool ReleaseCapture();
bool InvalidateRect(HWND Wnd, const TRect *Rect, bool Erase);
bool UpdateWindow(HWND Wnd);
bool IsWindowVisible(HWND Wnd);
bool IsWindowEnabled(HWND Wnd);
bool EnableWindow(HWND Wnd, bool Enable);
bool IsWindow(HWND Wnd);
HWND GetParent(HWND Wnd);
bool GetClientRect(HWND Wnd, TRect &Rect);
bool GetWindowRect(HWND Wnd, TRect &Rect);
bool ClientToScreen(HWND Wnd, TPoint &Point);
bool ScreenToClient(HWND Wnd, TPoint &Point);
bool GetCursorPos(TPoint &Point);
// The shape the mouse shows over a window now, until the next WM_SETCURSOR decides again
// (what a WM_SETCURSOR handler sets; Screen->Cursors names the shapes).
void SetWindowCursor(HWND Wnd, TCursor Cursor);
bool SetCursorPos(int X, int Y);
void MessageBeep(uint32_t Type = 0);
bool IsChild(HWND Parent, HWND Wnd);

int SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO &Info, bool Redraw);
bool GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO &Info);
int SetScrollPos(HWND Wnd, int Bar, int Pos, bool Redraw);
int GetScrollPos(HWND Wnd, int Bar);
bool SetScrollRange(HWND Wnd, int Bar, int MinPos, int MaxPos, bool Redraw);
bool GetScrollRange(HWND Wnd, int Bar, int &MinPos, int &MaxPos);
bool ShowScrollBar(HWND Wnd, int Bar, bool Show);
bool EnableScrollBar(HWND Wnd, int Bar, uint32_t Arrows);

// System metrics of the fixed look.
enum : int {
  SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3, SM_CYCAPTION = 4,
  SM_CXBORDER = 5, SM_CYBORDER = 6, SM_CXDLGFRAME = 7, SM_CYDLGFRAME = 8, SM_CYVTHUMB = 9,
  SM_CXHTHUMB = 10, SM_CXICON = 11, SM_CYICON = 12, SM_CXCURSOR = 13, SM_CYCURSOR = 14,
  SM_CYMENU = 15, SM_CXFULLSCREEN = 16, SM_CYFULLSCREEN = 17, SM_CYVSCROLL = 20,
  SM_CXHSCROLL = 21, SM_CXFRAME = 32, SM_CYFRAME = 33, SM_CXDOUBLECLK = 36, SM_CYDOUBLECLK = 37,
  SM_CXEDGE = 45, SM_CYEDGE = 46, SM_CXSMICON = 49, SM_CYSMICON = 50, SM_CYSMCAPTION = 51,
  SM_CXDRAG = 68, SM_CYDRAG = 69, SM_CXFOCUSBORDER = 83, SM_CYFOCUSBORDER = 84,
};
// Window placement. Child windows are placed in their parent's client coordinates, top-level
// windows (popups) in screen coordinates. Showing and hiding here is the window's own state;
// a control's Visible stays as it is, as on the original platform.
enum : uint32_t {
  SWP_NOSIZE = 0x1, SWP_NOMOVE = 0x2, SWP_NOZORDER = 0x4, SWP_NOREDRAW = 0x8, SWP_NOACTIVATE = 0x10,
  SWP_FRAMECHANGED = 0x20, SWP_SHOWWINDOW = 0x40, SWP_HIDEWINDOW = 0x80,
};
inline HWND const HWND_TOP = nullptr;
inline HWND const HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline HWND const HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline HWND const HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);
bool SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int CX, int CY, uint32_t Flags);
enum : int { SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOWMINIMIZED = 2, SW_SHOWMAXIMIZED = 3, SW_SHOWNOACTIVATE = 4, SW_SHOW = 5, SW_SHOWNA = 8, SW_RESTORE = 9 };
bool ShowWindow(HWND Wnd, int CmdShow);

// Device contexts of a framework window: GetDC draws on the client area, GetWindowDC on the
// whole window (frame included); ReleaseDC frees the canvas and shows the drawing.
HDC GetDC(HWND Wnd);
HDC GetWindowDC(HWND Wnd);
int ReleaseDC(HWND Wnd, HDC DC);

// The popup menu of a control is shown by the menu classes, which install this handler once;
// answers true when a menu was shown. Answers the handler it replaces, for whoever puts in a
// handler of its own for a while (a test) to put the menus' one back.
using TPopupMenuHandler = std::function<bool(TPopupMenu *Menu, TControl *Sender, TPoint ScreenPos)>;
TPopupMenuHandler SetPopupMenuHandler(TPopupMenuHandler Handler);

int GetSystemMetrics(int Index);
// Lines one wheel notch scrolls (SPI_GETWHEELSCROLLLINES); -1 scrolls a page.
int GetWheelScrollLines();
uint32_t GetDoubleClickTime();
