#pragma once
// A control that writes down the messages it receives, for the pipeline tests.
#include <QStringList>

#include "framework/controls/forms.h"
#include "framework/testing/input.h"

inline QString MessageName(uint32_t Msg)
{
  switch (Msg) {
  case WM_KEYDOWN: return "WM_KEYDOWN";
  case WM_KEYUP: return "WM_KEYUP";
  case WM_CHAR: return "WM_CHAR";
  case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
  case WM_SYSKEYUP: return "WM_SYSKEYUP";
  case WM_SYSCHAR: return "WM_SYSCHAR";
  case CN_KEYDOWN: return "CN_KEYDOWN";
  case CN_KEYUP: return "CN_KEYUP";
  case CN_CHAR: return "CN_CHAR";
  case WM_SETFOCUS: return "WM_SETFOCUS";
  case WM_KILLFOCUS: return "WM_KILLFOCUS";
  case WM_SETCURSOR: return "WM_SETCURSOR";
  case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
  case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
  case WM_LBUTTONUP: return "WM_LBUTTONUP";
  case WM_LBUTTONDBLCLK: return "WM_LBUTTONDBLCLK";
  case WM_RBUTTONDOWN: return "WM_RBUTTONDOWN";
  case WM_RBUTTONUP: return "WM_RBUTTONUP";
  case WM_CONTEXTMENU: return "WM_CONTEXTMENU";
  case WM_MOUSEWHEEL: return "WM_MOUSEWHEEL";
  case WM_TIMER: return "WM_TIMER";
  case WM_VSCROLL: return "WM_VSCROLL";
  case WM_HSCROLL: return "WM_HSCROLL";
  case CM_ENTER: return "CM_ENTER";
  case CM_EXIT: return "CM_EXIT";
  case CM_MOUSEENTER: return "CM_MOUSEENTER";
  case CM_MOUSELEAVE: return "CM_MOUSELEAVE";
  case CM_WANTSPECIALKEY: return "CM_WANTSPECIALKEY";
  case CM_DIALOGKEY: return "CM_DIALOGKEY";
  default: return QString("0x%1").arg(Msg, 4, 16, QChar('0'));
  }
}

class TProbe : public TCustomControl {
public:
  explicit TProbe(TComponent *AOwner, const QString &AName = QString()) : TCustomControl(AOwner)
  {
    SetName(AName);
    SetTabStop(true);
  }
  // Messages of interest, "name:WM_KEYDOWN:65".
  QStringList Log;
  QList<uint32_t> Logged{WM_KEYDOWN, WM_KEYUP, WM_CHAR, CN_KEYDOWN, CN_CHAR, WM_SETFOCUS, WM_KILLFOCUS,
                         WM_SETCURSOR, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_TIMER,
                         CM_ENTER, CM_EXIT, CM_MOUSEENTER, CM_MOUSELEAVE};
  uint32_t DlgCode = 0;
  int PaintCount = 0;
  std::function<void(TCanvas *)> OnPaintProbe;

  void WndProc(TMessage &Message) override
  {
    if (Logged.contains(Message.Msg)) {
      QString entry = Name() + ":" + MessageName(Message.Msg);
      if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_KEYUP || Message.Msg == CN_KEYDOWN || Message.Msg == WM_TIMER)
        entry += ":" + QString::number(Message.WParam);
      if (Message.Msg == WM_CHAR || Message.Msg == CN_CHAR)
        entry += ":" + QString(QChar(uint16_t(Message.WParam)));
      Log << entry;
      if (SharedLog)
        *SharedLog << entry;
    }
    TCustomControl::WndProc(Message);
  }
  void WMGetDlgCode(TWMGetDlgCode &Message) override { Message.Result = DlgCode; }
  QStringList *SharedLog = nullptr;

protected:
  void Paint() override
  {
    ++PaintCount;
    if (OnPaintProbe)
      OnPaintProbe(Canvas());
  }
};

// A form for one test: deleted (OnDestroy first) when the test ends.
struct TTestForm {
  TForm *Form;
  TTestForm(int W = 300, int H = 200)
  {
    Form = new TForm(nullptr);
    Form->SetBounds(10, 10, W, H);
  }
  ~TTestForm()
  {
    Form->BeforeDestruction();
    delete Form;
    Application->ProcessMessages();
    SimResetInput();
  }
  TForm *operator->() const { return Form; }
  operator TForm *() const { return Form; }
};
