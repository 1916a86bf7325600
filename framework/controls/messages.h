#pragma once
// Window messages with their Windows numbers, the message record and its typed views,
// virtual-key codes and the shift state.
//
// A typed view (TWMKey, TWMMouse, ...) has the byte layout of TMessage, so a handler can
// look at the same record through the view it needs:
//   TWMKey &Key = MessageAs<TWMKey>(Message);  Key.CharCode = 0;
// writes the low word of WParam, as on the original platform.
#include <QString>

#include <cstdint>

#include "framework/system/types.h"

class QWidget;
class TControl;
class TWinControl;
struct THintInfo;

using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
// A window handle is the control's Qt widget.
using HWND = QWidget *;

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

// Accesses to the record through any view are allowed to alias each other.
#define QM_MESSAGE_RECORD struct __attribute__((__may_alias__))

QM_MESSAGE_RECORD TMessage {
  uint32_t Msg = 0;
  uint32_t MsgFiller = 0;
  union {
    WPARAM WParam = 0;
    struct { uint16_t WParamLo, WParamHi; };
  };
  union {
    LPARAM LParam = 0;
    struct { uint16_t LParamLo, LParamHi; };
  };
  union {
    LRESULT Result = 0;
    struct { uint16_t ResultLo, ResultHi; };
  };
  TMessage() = default;
  TMessage(uint32_t AMsg, WPARAM AWParam, LPARAM ALParam) : Msg(AMsg), WParam(AWParam), LParam(ALParam) {}
};
static_assert(sizeof(TMessage) == 32);

template <typename T>
inline T &MessageAs(TMessage &Message)
{
  static_assert(sizeof(T) == sizeof(TMessage));
  return reinterpret_cast<T &>(Message);
}
template <typename T>
inline TMessage &AsMessage(T &View)
{
  static_assert(sizeof(T) == sizeof(TMessage));
  return reinterpret_cast<TMessage &>(View);
}

struct TSmallPoint {
  int16_t x = 0;
  int16_t y = 0;
};

constexpr WPARAM MakeWParam(int Lo, int Hi) { return WPARAM(uint16_t(Lo)) | (WPARAM(uint16_t(Hi)) << 16); }
constexpr LPARAM MakeLParam(int Lo, int Hi) { return LPARAM(uint32_t(uint16_t(Lo)) | (uint32_t(uint16_t(Hi)) << 16)); }
constexpr uint32_t MakeLong(int Lo, int Hi) { return uint32_t(uint16_t(Lo)) | (uint32_t(uint16_t(Hi)) << 16); }
constexpr uint16_t LoWord(uintptr_t v) { return uint16_t(v & 0xFFFF); }
constexpr uint16_t HiWord(uintptr_t v) { return uint16_t((v >> 16) & 0xFFFF); }
constexpr TPoint SmallPointToPoint(TSmallPoint p) { return TPoint(p.x, p.y); }
constexpr TSmallPoint PointToSmallPoint(TPoint p) { return TSmallPoint{int16_t(p.X), int16_t(p.Y)}; }
constexpr LPARAM PointToLParam(TPoint p) { return MakeLParam(p.X, p.Y); }
constexpr TPoint LParamToPoint(LPARAM l) { return TPoint(int16_t(l & 0xFFFF), int16_t((l >> 16) & 0xFFFF)); }

// Key messages (WM_KEYDOWN, WM_KEYUP, WM_CHAR, CN_KEYDOWN, CM_DIALOGKEY, CM_WANTSPECIALKEY ...).
// KeyData: repeat count in bits 0-15, bit 29 Alt down, bit 30 previous state, bit 31 release.
QM_MESSAGE_RECORD TWMKey {
  uint32_t Msg;
  uint32_t MsgFiller;
  uint16_t CharCode;
  uint16_t Unused;
  uint32_t CharCodeFiller;
  int32_t KeyData;
  uint32_t KeyDataFiller;
  LRESULT Result;
};
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMChar = TWMKey;
using TWMSysKeyDown = TWMKey;
using TWMSysKeyUp = TWMKey;
using TWMSysChar = TWMKey;
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;
using TCMWantSpecialKey = TWMKey;

// Mouse messages: client coordinates, Keys are MK_* flags.
QM_MESSAGE_RECORD TWMMouse {
  uint32_t Msg;
  uint32_t MsgFiller;
  uint32_t Keys;
  uint32_t KeysFiller;
  union {
    struct { int16_t XPos, YPos; };
    TSmallPoint Pos;
  };
  uint32_t PosFiller;
  LRESULT Result;
};
using TWMMouseMove = TWMMouse;
using TWMLButtonDown = TWMMouse;
using TWMLButtonUp = TWMMouse;
using TWMLButtonDblClk = TWMMouse;
using TWMRButtonDown = TWMMouse;
using TWMRButtonUp = TWMMouse;
using TWMRButtonDblClk = TWMMouse;
using TWMMButtonDown = TWMMouse;
using TWMMButtonUp = TWMMouse;
using TWMMButtonDblClk = TWMMouse;

// WM_MOUSEWHEEL: screen coordinates; WheelDelta is a multiple of WHEEL_DELTA, positive away
// from the user.
QM_MESSAGE_RECORD TWMMouseWheel {
  uint32_t Msg;
  uint32_t MsgFiller;
  uint16_t Keys;
  int16_t WheelDelta;
  uint32_t KeysFiller;
  union {
    struct { int16_t XPos, YPos; };
    TSmallPoint Pos;
  };
  uint32_t PosFiller;
  LRESULT Result;
};

// CM_MOUSEWHEEL: the shift state as bits of TShiftState, screen coordinates.
QM_MESSAGE_RECORD TCMMouseWheel {
  uint32_t Msg;
  uint32_t MsgFiller;
  uint16_t ShiftBits;
  int16_t WheelDelta;
  uint32_t ShiftFiller;
  union {
    struct { int16_t XPos, YPos; };
    TSmallPoint Pos;
  };
  uint32_t PosFiller;
  LRESULT Result;
  TShiftState ShiftState() const { return TShiftState::FromBits(ShiftBits); }
};

// WM_SETFOCUS names the window that lost the focus, WM_KILLFOCUS the one that gets it
// (either may be null).
QM_MESSAGE_RECORD TWMSetFocus {
  uint32_t Msg;
  uint32_t MsgFiller;
  HWND FocusedWnd;
  LPARAM Unused;
  LRESULT Result;
};
using TWMKillFocus = TWMSetFocus;

QM_MESSAGE_RECORD TWMScroll {
  uint32_t Msg;
  uint32_t MsgFiller;
  int16_t ScrollCode;
  int16_t Pos;
  uint32_t ScrollCodeFiller;
  HWND ScrollBar;
  LRESULT Result;
};
using TWMHScroll = TWMScroll;
using TWMVScroll = TWMScroll;

QM_MESSAGE_RECORD TWMSize {
  uint32_t Msg;
  uint32_t MsgFiller;
  uint32_t SizeType;
  uint32_t SizeTypeFiller;
  uint16_t Width;
  uint16_t Height;
  uint32_t WidthFiller;
  LRESULT Result;
};

QM_MESSAGE_RECORD TWMTimer {
  uint32_t Msg;
  uint32_t MsgFiller;
  WPARAM TimerID;
  LPARAM TimerProc;
  LRESULT Result;
};

QM_MESSAGE_RECORD TWMGetDlgCode {
  uint32_t Msg;
  uint32_t MsgFiller;
  WPARAM Unused;
  void *MsgP;
  LRESULT Result;
};

QM_MESSAGE_RECORD TWMSetCursor {
  uint32_t Msg;
  uint32_t MsgFiller;
  HWND CursorWnd;
  int16_t HitTest;
  uint16_t MouseMsg;
  uint32_t HitTestFiller;
  LRESULT Result;
};

// WM_PAINT and WM_ERASEBKGND: DC is the canvas the control paints on (null: its own).
QM_MESSAGE_RECORD TWMPaint {
  uint32_t Msg;
  uint32_t MsgFiller;
  void *DC;
  LPARAM Unused;
  LRESULT Result;
};
using TWMEraseBkgnd = TWMPaint;

QM_MESSAGE_RECORD TWMCommand {
  uint32_t Msg;
  uint32_t MsgFiller;
  uint16_t ItemID;
  uint16_t NotifyCode;
  uint32_t ItemIDFiller;
  HWND Ctl;
  LRESULT Result;
};
enum : uint16_t { EN_CHANGE = 0x0300 };  // an edit's text changed (WM_COMMAND notification)
// Combo box notifications (WM_COMMAND).
enum : uint16_t { CBN_SELCHANGE = 1, CBN_EDITCHANGE = 5, CBN_DROPDOWN = 7, CBN_CLOSEUP = 8 };

QM_MESSAGE_RECORD TWMNoParams {
  uint32_t Msg;
  uint32_t MsgFiller;
  WPARAM Unused1;
  LPARAM Unused2;
  LRESULT Result;
};
using TWMCancelMode = TWMNoParams;
using TCMEnter = TWMNoParams;
using TCMExit = TWMNoParams;

QM_MESSAGE_RECORD TWMActivate {
  uint32_t Msg;
  uint32_t MsgFiller;
  uint16_t Active;
  uint16_t Minimized;
  uint32_t ActiveFiller;
  HWND ActiveWindow;
  LRESULT Result;
};

QM_MESSAGE_RECORD TWMContextMenu {
  uint32_t Msg;
  uint32_t MsgFiller;
  HWND hWnd;
  union {
    struct { int16_t XPos, YPos; };
    TSmallPoint Pos;
  };
  uint32_t PosFiller;
  LRESULT Result;
};

QM_MESSAGE_RECORD TWMNCHitTest {
  uint32_t Msg;
  uint32_t MsgFiller;
  WPARAM Unused;
  union {
    struct { int16_t XPos, YPos; };
    TSmallPoint Pos;
  };
  uint32_t PosFiller;
  LRESULT Result;
};

QM_MESSAGE_RECORD TWMNotify {
  uint32_t Msg;
  uint32_t MsgFiller;
  int32_t IDCtrl;
  uint32_t IDCtrlFiller;
  void *NMHdr;
  LRESULT Result;
};

// CM_HINTSHOW: LParam points at the hint being prepared; a non-zero Result suppresses it.
QM_MESSAGE_RECORD TCMHintShow {
  uint32_t Msg;
  uint32_t MsgFiller;
  WPARAM Reserved;
  THintInfo *HintInfo;
  LRESULT Result;
};

// CM_FOCUSCHANGED is broadcast through a form with the control that received the focus.
QM_MESSAGE_RECORD TCMFocusChanged {
  uint32_t Msg;
  uint32_t MsgFiller;
  WPARAM Unused;
  TWinControl *Sender;
  LRESULT Result;
};

// CM_MOUSEENTER / CM_MOUSELEAVE / CM_CANCELMODE: LParam is the control concerned.
QM_MESSAGE_RECORD TCMMouseEnterLeave {
  uint32_t Msg;
  uint32_t MsgFiller;
  WPARAM Unused;
  TControl *Control;
  LRESULT Result;
};
using TCMCancelMode = TCMMouseEnterLeave;

QM_MESSAGE_RECORD TCMChildKey {
  uint32_t Msg;
  uint32_t MsgFiller;
  uint16_t CharCode;
  uint16_t Unused;
  uint32_t CharCodeFiller;
  TWinControl *Sender;
  LRESULT Result;
};

// ---------------------------------------------------------------------------------------------
// Window messages

enum : uint32_t {
  WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002, WM_MOVE = 0x0003, WM_SIZE = 0x0005,
  WM_ACTIVATE = 0x0006, WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008, WM_ENABLE = 0x000A,
  WM_SETREDRAW = 0x000B, WM_SETTEXT = 0x000C, WM_GETTEXT = 0x000D, WM_GETTEXTLENGTH = 0x000E,
  WM_PAINT = 0x000F, WM_CLOSE = 0x0010, WM_QUIT = 0x0012, WM_ERASEBKGND = 0x0014,
  WM_SYSCOLORCHANGE = 0x0015, WM_SHOWWINDOW = 0x0018, WM_SETTINGCHANGE = 0x001A,
  WM_ACTIVATEAPP = 0x001C, WM_CANCELMODE = 0x001F, WM_SETCURSOR = 0x0020,
  WM_MOUSEACTIVATE = 0x0021, WM_GETMINMAXINFO = 0x0024, WM_NEXTDLGCTL = 0x0028,
  WM_DRAWITEM = 0x002B, WM_MEASUREITEM = 0x002C, WM_CHARTOITEM = 0x002F, WM_SETFONT = 0x0030,
  WM_GETFONT = 0x0031, WM_WINDOWPOSCHANGING = 0x0046, WM_WINDOWPOSCHANGED = 0x0047,
  WM_NOTIFY = 0x004E, WM_HELP = 0x0053, WM_CONTEXTMENU = 0x007B, WM_NCCALCSIZE = 0x0083,
  WM_NCHITTEST = 0x0084, WM_NCPAINT = 0x0085, WM_NCACTIVATE = 0x0086, WM_GETDLGCODE = 0x0087,
  WM_NCMOUSEMOVE = 0x00A0, WM_NCLBUTTONDOWN = 0x00A1, WM_NCLBUTTONUP = 0x00A2,
  WM_NCLBUTTONDBLCLK = 0x00A3,
  WM_KEYFIRST = 0x0100, WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_CHAR = 0x0102,
  WM_DEADCHAR = 0x0103, WM_SYSKEYDOWN = 0x0104, WM_SYSKEYUP = 0x0105, WM_SYSCHAR = 0x0106,
  WM_KEYLAST = 0x0108, WM_INITDIALOG = 0x0110, WM_COMMAND = 0x0111, WM_SYSCOMMAND = 0x0112,
  WM_TIMER = 0x0113, WM_HSCROLL = 0x0114, WM_VSCROLL = 0x0115, WM_INITMENUPOPUP = 0x0117,
  WM_MENUSELECT = 0x011F, WM_ENTERIDLE = 0x0121,
  WM_CTLCOLOREDIT = 0x0133, WM_CTLCOLORLISTBOX = 0x0134, WM_CTLCOLORBTN = 0x0135,
  WM_CTLCOLORSTATIC = 0x0138,
  WM_MOUSEFIRST = 0x0200, WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203, WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205,
  WM_RBUTTONDBLCLK = 0x0206, WM_MBUTTONDOWN = 0x0207, WM_MBUTTONUP = 0x0208,
  WM_MBUTTONDBLCLK = 0x0209, WM_MOUSEWHEEL = 0x020A, WM_MOUSEHWHEEL = 0x020E,
  WM_MOUSELAST = 0x020E, WM_PARENTNOTIFY = 0x0210, WM_ENTERMENULOOP = 0x0211,
  WM_EXITMENULOOP = 0x0212, WM_SIZING = 0x0214, WM_CAPTURECHANGED = 0x0215, WM_MOVING = 0x0216,
  WM_ENTERSIZEMOVE = 0x0231, WM_EXITSIZEMOVE = 0x0232, WM_DROPFILES = 0x0233,
  WM_MOUSEHOVER = 0x02A1, WM_MOUSELEAVE = 0x02A3,
  WM_CUT = 0x0300, WM_COPY = 0x0301, WM_PASTE = 0x0302, WM_CLEAR = 0x0303, WM_UNDO = 0x0304,
  WM_PRINT = 0x0317, WM_PRINTCLIENT = 0x0318, WM_THEMECHANGED = 0x031A,
  WM_USER = 0x0400, WM_APP = 0x8000,
};

// The framework's control messages.
enum : uint32_t {
  CM_BASE = 0xB000,
  CM_ACTIVATE = CM_BASE + 0, CM_DEACTIVATE = CM_BASE + 1, CM_GOTFOCUS = CM_BASE + 2,
  CM_LOSTFOCUS = CM_BASE + 3, CM_CANCELMODE = CM_BASE + 4, CM_DIALOGKEY = CM_BASE + 5,
  CM_DIALOGCHAR = CM_BASE + 6, CM_FOCUSCHANGED = CM_BASE + 7, CM_PARENTFONTCHANGED = CM_BASE + 8,
  CM_PARENTCOLORCHANGED = CM_BASE + 9, CM_HITTEST = CM_BASE + 10, CM_VISIBLECHANGED = CM_BASE + 11,
  CM_ENABLEDCHANGED = CM_BASE + 12, CM_COLORCHANGED = CM_BASE + 13, CM_FONTCHANGED = CM_BASE + 14,
  CM_CURSORCHANGED = CM_BASE + 15, CM_CTL3DCHANGED = CM_BASE + 16,
  CM_PARENTCTL3DCHANGED = CM_BASE + 17, CM_TEXTCHANGED = CM_BASE + 18,
  CM_MOUSEENTER = CM_BASE + 19, CM_MOUSELEAVE = CM_BASE + 20, CM_MENUCHANGED = CM_BASE + 21,
  CM_APPKEYDOWN = CM_BASE + 22, CM_APPSYSCOMMAND = CM_BASE + 23, CM_BUTTONPRESSED = CM_BASE + 24,
  CM_SHOWINGCHANGED = CM_BASE + 25, CM_ENTER = CM_BASE + 26, CM_EXIT = CM_BASE + 27,
  CM_DESIGNHITTEST = CM_BASE + 28, CM_ICONCHANGED = CM_BASE + 29,
  CM_WANTSPECIALKEY = CM_BASE + 30, CM_INVOKEHELP = CM_BASE + 31, CM_WINDOWHOOK = CM_BASE + 32,
  CM_RELEASE = CM_BASE + 33, CM_SHOWHINTCHANGED = CM_BASE + 34,
  CM_PARENTSHOWHINTCHANGED = CM_BASE + 35, CM_SYSCOLORCHANGE = CM_BASE + 36,
  CM_WININICHANGE = CM_BASE + 37, CM_FONTCHANGE = CM_BASE + 38, CM_TIMECHANGE = CM_BASE + 39,
  CM_TABSTOPCHANGED = CM_BASE + 40, CM_UIACTIVATE = CM_BASE + 41, CM_UIDEACTIVATE = CM_BASE + 42,
  CM_DOCWINDOWACTIVATE = CM_BASE + 43, CM_CONTROLLISTCHANGE = CM_BASE + 44,
  CM_GETDATALINK = CM_BASE + 45, CM_CHILDKEY = CM_BASE + 46, CM_DRAG = CM_BASE + 47,
  CM_HINTSHOW = CM_BASE + 48, CM_DIALOGHANDLE = CM_BASE + 49, CM_ISTOOLCONTROL = CM_BASE + 50,
  CM_RECREATEWND = CM_BASE + 51, CM_INVALIDATE = CM_BASE + 52, CM_SYSFONTCHANGED = CM_BASE + 53,
  CM_CONTROLCHANGE = CM_BASE + 54, CM_CHANGED = CM_BASE + 55, CM_DOCKCLIENT = CM_BASE + 56,
  CM_UNDOCKCLIENT = CM_BASE + 57, CM_FLOAT = CM_BASE + 58, CM_BORDERCHANGED = CM_BASE + 59,
  CM_BIDIMODECHANGED = CM_BASE + 60, CM_PARENTBIDIMODECHANGED = CM_BASE + 61,
  CM_ALLCHILDRENFLIPPED = CM_BASE + 62, CM_ACTIONUPDATE = CM_BASE + 63,
  CM_ACTIONEXECUTE = CM_BASE + 64, CM_HINTSHOWPAUSE = CM_BASE + 65,
  CM_DOCKNOTIFICATION = CM_BASE + 66, CM_MOUSEWHEEL = CM_BASE + 67, CM_ISSHORTCUT = CM_BASE + 68,
};

// Notifications a parent reflects back to the child that caused them.
enum : uint32_t {
  CN_BASE = 0xBC00,
  CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM, CN_COMMAND = CN_BASE + WM_COMMAND,
  CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT, CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC,
  CN_DRAWITEM = CN_BASE + WM_DRAWITEM, CN_HSCROLL = CN_BASE + WM_HSCROLL,
  CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM, CN_NOTIFY = CN_BASE + WM_NOTIFY,
  CN_KEYDOWN = CN_BASE + WM_KEYDOWN, CN_KEYUP = CN_BASE + WM_KEYUP, CN_CHAR = CN_BASE + WM_CHAR,
  CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN, CN_SYSCHAR = CN_BASE + WM_SYSCHAR,
  CN_VSCROLL = CN_BASE + WM_VSCROLL,
};

// WM_GETDLGCODE answers.
enum : uint32_t {
  DLGC_WANTARROWS = 0x0001, DLGC_WANTTAB = 0x0002, DLGC_WANTALLKEYS = 0x0004,
  DLGC_WANTMESSAGE = 0x0004, DLGC_HASSETSEL = 0x0008, DLGC_DEFPUSHBUTTON = 0x0010,
  DLGC_UNDEFPUSHBUTTON = 0x0020, DLGC_RADIOBUTTON = 0x0040, DLGC_WANTCHARS = 0x0080,
  DLGC_STATIC = 0x0100, DLGC_BUTTON = 0x2000,
};

// Mouse key flags of mouse messages.
enum : uint32_t { MK_LBUTTON = 0x01, MK_RBUTTON = 0x02, MK_SHIFT = 0x04, MK_CONTROL = 0x08, MK_MBUTTON = 0x10 };
constexpr int WHEEL_DELTA = 120;

// Scroll codes and bars.
enum : int {
  SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2, SB_PAGELEFT = 2,
  SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6,
  SB_LEFT = 6, SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8,
};
enum : int { SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3 };

// Hit-test codes.
enum : int {
  HTERROR = -2, HTTRANSPARENT = -1, HTNOWHERE = 0, HTCLIENT = 1, HTCAPTION = 2, HTSYSMENU = 3,
  HTGROWBOX = 4, HTSIZE = 4, HTMENU = 5, HTHSCROLL = 6, HTVSCROLL = 7, HTMINBUTTON = 8,
  HTMAXBUTTON = 9, HTLEFT = 10, HTRIGHT = 11, HTTOP = 12, HTTOPLEFT = 13, HTTOPRIGHT = 14,
  HTBOTTOM = 15, HTBOTTOMLEFT = 16, HTBOTTOMRIGHT = 17, HTBORDER = 18,
};

// WM_ACTIVATE states and WM_SIZE types.
enum : int { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };
enum : int { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

// ---------------------------------------------------------------------------------------------
// Virtual-key codes

enum : uint16_t {
  VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04, VK_BACK = 0x08,
  VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
  VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14, VK_ESCAPE = 0x1B, VK_SPACE = 0x20,
  VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26,
  VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_SELECT = 0x29, VK_PRINT = 0x2A, VK_EXECUTE = 0x2B,
  VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_HELP = 0x2F,
  VK_LWIN = 0x5B, VK_RWIN = 0x5C, VK_APPS = 0x5D,
  VK_NUMPAD0 = 0x60, VK_NUMPAD1 = 0x61, VK_NUMPAD2 = 0x62, VK_NUMPAD3 = 0x63, VK_NUMPAD4 = 0x64,
  VK_NUMPAD5 = 0x65, VK_NUMPAD6 = 0x66, VK_NUMPAD7 = 0x67, VK_NUMPAD8 = 0x68, VK_NUMPAD9 = 0x69,
  VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SEPARATOR = 0x6C, VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E,
  VK_DIVIDE = 0x6F,
  VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F4 = 0x73, VK_F5 = 0x74, VK_F6 = 0x75, VK_F7 = 0x76,
  VK_F8 = 0x77, VK_F9 = 0x78, VK_F10 = 0x79, VK_F11 = 0x7A, VK_F12 = 0x7B,
  VK_NUMLOCK = 0x90, VK_SCROLL = 0x91, VK_LSHIFT = 0xA0, VK_RSHIFT = 0xA1, VK_LCONTROL = 0xA2,
  VK_RCONTROL = 0xA3, VK_LMENU = 0xA4, VK_RMENU = 0xA5,
  VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD,
  VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC,
  VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE,
};

// Shift state from a key message's KeyData (Alt from the data, Shift and Ctrl from the
// keyboard state of the message being handled).
TShiftState KeyDataToShiftState(int32_t KeyData);
// Shift state from a mouse message's Keys (Alt from the keyboard state).
TShiftState KeysToShiftState(uint32_t Keys);
TShiftState KeyboardStateToShiftState();
// High bit set when the key or mouse button is down, as the input being handled reports it.
int16_t GetKeyState(int VirtKey);
int16_t GetAsyncKeyState(int VirtKey);

// One message number per name, from 0xC000 up; the same name always gives the same number.
uint32_t RegisterWindowMessage(const QString &Name);
