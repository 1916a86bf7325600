// Keyboard state and key codes: Qt's keys and modifiers in the platform's terms.
#include "framework/controls/pump.h"

// ---------------------------------------------------------------------------------------------
// Keyboard state

TShiftState ModifiersToShiftState(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons)
{
  TShiftState s;
  if (Modifiers & Qt::ShiftModifier) s += ssShift;
  if (Modifiers & Qt::AltModifier) s += ssAlt;
  if (Modifiers & Qt::ControlModifier) s += ssCtrl;
  if (Buttons & Qt::LeftButton) s += ssLeft;
  if (Buttons & Qt::RightButton) s += ssRight;
  if (Buttons & Qt::MiddleButton) s += ssMiddle;
  return s;
}

Qt::KeyboardModifiers ShiftStateToModifiers(TShiftState Shift)
{
  Qt::KeyboardModifiers m;
  if (Shift.Contains(ssShift)) m |= Qt::ShiftModifier;
  if (Shift.Contains(ssAlt)) m |= Qt::AltModifier;
  if (Shift.Contains(ssCtrl)) m |= Qt::ControlModifier;
  return m;
}

TShiftState KeyboardStateToShiftState()
{
  auto &p = TMessagePump::Instance();
  return ModifiersToShiftState(p.Modifiers, p.Buttons);
}

TShiftState KeyDataToShiftState(int32_t KeyData)
{
  auto &p = TMessagePump::Instance();
  TShiftState s;
  if (p.Modifiers & Qt::ShiftModifier) s += ssShift;
  if (p.Modifiers & Qt::ControlModifier) s += ssCtrl;
  if (KeyData & 0x20000000) s += ssAlt;
  return s;
}

TShiftState KeysToShiftState(uint32_t Keys)
{
  TShiftState s;
  if (Keys & MK_SHIFT) s += ssShift;
  if (Keys & MK_CONTROL) s += ssCtrl;
  if (Keys & MK_LBUTTON) s += ssLeft;
  if (Keys & MK_RBUTTON) s += ssRight;
  if (Keys & MK_MBUTTON) s += ssMiddle;
  if (TMessagePump::Instance().Modifiers & Qt::AltModifier) s += ssAlt;
  return s;
}

int16_t GetKeyState(int VirtKey)
{
  auto &p = TMessagePump::Instance();
  bool down = false;
  switch (VirtKey) {
  case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: down = p.Modifiers & Qt::ShiftModifier; break;
  case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: down = p.Modifiers & Qt::ControlModifier; break;
  case VK_MENU: case VK_LMENU: case VK_RMENU: down = p.Modifiers & Qt::AltModifier; break;
  case VK_LBUTTON: down = p.Buttons & Qt::LeftButton; break;
  case VK_RBUTTON: down = p.Buttons & Qt::RightButton; break;
  case VK_MBUTTON: down = p.Buttons & Qt::MiddleButton; break;
  default: down = p.KeyDown(VirtKey);
  }
  return down ? int16_t(0x8000) : 0;
}

int16_t GetAsyncKeyState(int VirtKey) { return GetKeyState(VirtKey); }

// ---------------------------------------------------------------------------------------------
// Key codes

uint16_t QtKeyToVK(int Key, Qt::KeyboardModifiers Modifiers)
{
  const bool keypad = Modifiers & Qt::KeypadModifier;
  if (Key >= Qt::Key_A && Key <= Qt::Key_Z)
    return uint16_t('A' + (Key - Qt::Key_A));
  if (Key >= Qt::Key_0 && Key <= Qt::Key_9)
    return keypad ? uint16_t(VK_NUMPAD0 + (Key - Qt::Key_0)) : uint16_t('0' + (Key - Qt::Key_0));
  if (Key >= Qt::Key_F1 && Key <= Qt::Key_F24)
    return uint16_t(VK_F1 + (Key - Qt::Key_F1));
  switch (Key) {
  case Qt::Key_Backspace: return VK_BACK;
  case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
  case Qt::Key_Clear: return VK_CLEAR;
  case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
  case Qt::Key_Shift: return VK_SHIFT;
  case Qt::Key_Control: return VK_CONTROL;
  case Qt::Key_Alt: return VK_MENU;
  case Qt::Key_Pause: return VK_PAUSE;
  case Qt::Key_CapsLock: return VK_CAPITAL;
  case Qt::Key_Escape: return VK_ESCAPE;
  case Qt::Key_Space: return VK_SPACE;
  case Qt::Key_PageUp: return VK_PRIOR;
  case Qt::Key_PageDown: return VK_NEXT;
  case Qt::Key_End: return VK_END;
  case Qt::Key_Home: return VK_HOME;
  case Qt::Key_Left: return VK_LEFT;
  case Qt::Key_Up: return VK_UP;
  case Qt::Key_Right: return VK_RIGHT;
  case Qt::Key_Down: return VK_DOWN;
  case Qt::Key_Select: return VK_SELECT;
  case Qt::Key_Print: return VK_SNAPSHOT;
  case Qt::Key_Execute: return VK_EXECUTE;
  case Qt::Key_Insert: return VK_INSERT;
  case Qt::Key_Delete: return VK_DELETE;
  case Qt::Key_Help: return VK_HELP;
  case Qt::Key_Meta: return VK_LWIN;
  case Qt::Key_Menu: return VK_APPS;
  case Qt::Key_NumLock: return VK_NUMLOCK;
  case Qt::Key_ScrollLock: return VK_SCROLL;
  case Qt::Key_Asterisk: return keypad ? uint16_t(VK_MULTIPLY) : uint16_t('8');
  case Qt::Key_Plus: return keypad ? VK_ADD : VK_OEM_PLUS;
  case Qt::Key_Minus: return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
  case Qt::Key_Period: return keypad ? VK_DECIMAL : VK_OEM_PERIOD;
  case Qt::Key_Slash: return keypad ? VK_DIVIDE : VK_OEM_2;
  case Qt::Key_Comma: return VK_OEM_COMMA;
  case Qt::Key_Semicolon: case Qt::Key_Colon: return VK_OEM_1;
  case Qt::Key_Equal: return VK_OEM_PLUS;
  case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return VK_OEM_3;
  case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return VK_OEM_4;
  case Qt::Key_Backslash: case Qt::Key_Bar: return VK_OEM_5;
  case Qt::Key_BracketRight: case Qt::Key_BraceRight: return VK_OEM_6;
  case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return VK_OEM_7;
  case Qt::Key_Question: return VK_OEM_2;
  case Qt::Key_Underscore: return VK_OEM_MINUS;
  case Qt::Key_Less: return VK_OEM_COMMA;
  case Qt::Key_Greater: return VK_OEM_PERIOD;
  case Qt::Key_Exclam: return '1';
  case Qt::Key_At: return '2';
  case Qt::Key_NumberSign: return '3';
  case Qt::Key_Dollar: return '4';
  case Qt::Key_Percent: return '5';
  case Qt::Key_AsciiCircum: return '6';
  case Qt::Key_Ampersand: return '7';
  case Qt::Key_ParenLeft: return '9';
  case Qt::Key_ParenRight: return '0';
  default: break;
  }
  return 0;
}

int VKToQtKey(uint16_t VK)
{
  if (VK >= 'A' && VK <= 'Z')
    return Qt::Key_A + (VK - 'A');
  if (VK >= '0' && VK <= '9')
    return Qt::Key_0 + (VK - '0');
  if (VK >= VK_NUMPAD0 && VK <= VK_NUMPAD9)
    return Qt::Key_0 + (VK - VK_NUMPAD0);
  if (VK >= VK_F1 && VK <= VK_F1 + 23)
    return Qt::Key_F1 + (VK - VK_F1);
  switch (VK) {
  case VK_BACK: return Qt::Key_Backspace;
  case VK_TAB: return Qt::Key_Tab;
  case VK_CLEAR: return Qt::Key_Clear;
  case VK_RETURN: return Qt::Key_Return;
  case VK_SHIFT: return Qt::Key_Shift;
  case VK_CONTROL: return Qt::Key_Control;
  case VK_MENU: return Qt::Key_Alt;
  case VK_PAUSE: return Qt::Key_Pause;
  case VK_CAPITAL: return Qt::Key_CapsLock;
  case VK_ESCAPE: return Qt::Key_Escape;
  case VK_SPACE: return Qt::Key_Space;
  case VK_PRIOR: return Qt::Key_PageUp;
  case VK_NEXT: return Qt::Key_PageDown;
  case VK_END: return Qt::Key_End;
  case VK_HOME: return Qt::Key_Home;
  case VK_LEFT: return Qt::Key_Left;
  case VK_UP: return Qt::Key_Up;
  case VK_RIGHT: return Qt::Key_Right;
  case VK_DOWN: return Qt::Key_Down;
  case VK_INSERT: return Qt::Key_Insert;
  case VK_DELETE: return Qt::Key_Delete;
  case VK_HELP: return Qt::Key_Help;
  case VK_APPS: return Qt::Key_Menu;
  case VK_MULTIPLY: return Qt::Key_Asterisk;
  case VK_ADD: return Qt::Key_Plus;
  case VK_SUBTRACT: return Qt::Key_Minus;
  case VK_DECIMAL: return Qt::Key_Period;
  case VK_DIVIDE: return Qt::Key_Slash;
  case VK_OEM_PLUS: return Qt::Key_Equal;
  case VK_OEM_MINUS: return Qt::Key_Minus;
  case VK_OEM_COMMA: return Qt::Key_Comma;
  case VK_OEM_PERIOD: return Qt::Key_Period;
  case VK_OEM_1: return Qt::Key_Semicolon;
  case VK_OEM_2: return Qt::Key_Slash;
  case VK_OEM_3: return Qt::Key_QuoteLeft;
  case VK_OEM_4: return Qt::Key_BracketLeft;
  case VK_OEM_5: return Qt::Key_Backslash;
  case VK_OEM_6: return Qt::Key_BracketRight;
  case VK_OEM_7: return Qt::Key_Apostrophe;
  default: return 0;
  }
}

// The character a key press produces, as the platform translates it: Ctrl+letter gives the
// control character, Enter #13, Esc #27, Backspace #8, Tab #9; no character otherwise.
QChar KeyEventChar(int Key, Qt::KeyboardModifiers Modifiers, const QString &Text)
{
  const bool ctrl = Modifiers & Qt::ControlModifier;
  const bool alt = Modifiers & Qt::AltModifier;
  switch (Key) {
  case Qt::Key_Return: case Qt::Key_Enter: return ctrl ? QChar(10) : QChar(13);
  case Qt::Key_Escape: return QChar(27);
  case Qt::Key_Backspace: return ctrl ? QChar(127) : QChar(8);
  case Qt::Key_Tab: case Qt::Key_Backtab: return ctrl ? QChar() : QChar(9);
  case Qt::Key_Delete: case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
  case Qt::Key_Home: case Qt::Key_End: case Qt::Key_PageUp: case Qt::Key_PageDown:
  case Qt::Key_Insert:
    return QChar();
  default: break;
  }
  if (ctrl && !alt) {
    if (Key >= Qt::Key_A && Key <= Qt::Key_Z)
      return QChar(1 + (Key - Qt::Key_A));
    return QChar();
  }
  if (!Text.isEmpty() && (Text.at(0).isPrint() || Text.at(0).unicode() >= 0xA0))
    return Text.at(0);
  return QChar();
}
