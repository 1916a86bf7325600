// TControl: position, state, look, mouse handling and the message dispatch of every control.
#include <QApplication>

#include "framework/controls/forms.h"
#include "framework/controls/pump.h"

#include <utility>

namespace {
TPopupMenuHandler &PopupHandler()
{
  static TPopupMenuHandler h;
  return h;
}
}  // namespace

TPopupMenuHandler SetPopupMenuHandler(TPopupMenuHandler Handler)
{
  return std::exchange(PopupHandler(), std::move(Handler));
}

TControl::TControl(TComponent *AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>())
{
  FFont->OnChange = [this](TObject *Sender) { FontChanged(Sender); };
}

TControl::~TControl()
{
  TMessagePump::Instance().ControlDestroyed(this);
  ApplicationControlDestroyed(this);
  if (FParent)
    FParent->RemoveControl(this);
  FParent = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Messages

LRESULT TControl::Perform(uint32_t Msg, WPARAM WParam, LPARAM LParam)
{
  TMessage m(Msg, WParam, LParam);
  WindowProc(m);
  return m.Result;
}

TControl::TWndMethod TControl::GetWindowProc()
{
  if (FWindowProc)
    return FWindowProc;
  return [this](TMessage &Message) { WndProc(Message); };
}

void TControl::WndProc(TMessage &Message)
{
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
    if (!FControlStyle.Contains(csDoubleClicks)) {
      switch (Message.Msg) {
      case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
        Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        break;
      default: break;
      }
    }
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
      if (Application)
        Application->HintMouseMessage(this, LParamToPoint(Message.LParam));
      break;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
      FControlState += csLButtonDown;
      break;
    case WM_LBUTTONUP:
      FControlState -= csLButtonDown;
      break;
    default: break;
    }
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage &Message)
{
  switch (Message.Msg) {
  case WM_LBUTTONDOWN: WMLButtonDown(MessageAs<TWMMouse>(Message)); break;
  case WM_LBUTTONUP: WMLButtonUp(MessageAs<TWMMouse>(Message)); break;
  case WM_LBUTTONDBLCLK: WMLButtonDblClk(MessageAs<TWMMouse>(Message)); break;
  case WM_RBUTTONDOWN: WMRButtonDown(MessageAs<TWMMouse>(Message)); break;
  case WM_RBUTTONUP: WMRButtonUp(MessageAs<TWMMouse>(Message)); break;
  case WM_RBUTTONDBLCLK: WMRButtonDblClk(MessageAs<TWMMouse>(Message)); break;
  case WM_MBUTTONDOWN: WMMButtonDown(MessageAs<TWMMouse>(Message)); break;
  case WM_MBUTTONUP: WMMButtonUp(MessageAs<TWMMouse>(Message)); break;
  case WM_MBUTTONDBLCLK: WMMButtonDblClk(MessageAs<TWMMouse>(Message)); break;
  case WM_MOUSEMOVE: WMMouseMove(MessageAs<TWMMouse>(Message)); break;
  case WM_MOUSEWHEEL: WMMouseWheel(MessageAs<TWMMouseWheel>(Message)); break;
  case WM_CANCELMODE: WMCancelMode(MessageAs<TWMCancelMode>(Message)); break;
  case WM_SIZE: WMSize(MessageAs<TWMSize>(Message)); break;
  case WM_CONTEXTMENU: WMContextMenu(MessageAs<TWMContextMenu>(Message)); break;
  case WM_TIMER: WMTimer(MessageAs<TWMTimer>(Message)); break;
  case CM_MOUSEENTER: CMMouseEnter(Message); break;
  case CM_MOUSELEAVE: CMMouseLeave(Message); break;
  case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
  case CM_VISIBLECHANGED: CMVisibleChanged(Message); break;
  case CM_TEXTCHANGED: CMTextChanged(Message); break;
  case CM_FONTCHANGED: CMFontChanged(Message); break;
  case CM_COLORCHANGED: CMColorChanged(Message); break;
  case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); break;
  case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); break;
  case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); break;
  case CM_CURSORCHANGED: CMCursorChanged(Message); break;
  case CM_HINTSHOW: CMHintShow(MessageAs<TCMHintShow>(Message)); break;
  case CM_MOUSEWHEEL: CMMouseWheel(MessageAs<TCMMouseWheel>(Message)); break;
  case CM_HITTEST: CMHitTest(Message); break;
  default: DefaultHandler(Message); break;
  }
}

void TControl::DefaultHandler(TMessage &Message)
{
  switch (Message.Msg) {
  // Text through messages: LParam points at a QString.
  case WM_SETTEXT:
    if (Message.LParam) {
      SetTextInternal(*reinterpret_cast<const QString *>(Message.LParam));
      Message.Result = 1;
    }
    break;
  case WM_GETTEXT:
    if (Message.LParam) {
      *reinterpret_cast<QString *>(Message.LParam) = GetText();
      Message.Result = GetText().size();
    }
    break;
  case WM_GETTEXTLENGTH:
    Message.Result = GetText().size();
    break;
  case WM_CONTEXTMENU:
    // A windowless control passes the menu request on to its window.
    if (FParent && Message.Result == 0)
      Message.Result = FParent->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
    break;
  default:
    break;
  }
}

// ---------------------------------------------------------------------------------------------
// Parent and bounds

void TControl::SetParent(TWinControl *AParent)
{
  if (FParent == AParent)
    return;
  if (AParent == this)
    throw EInvalidOperation(QStringLiteral("A control cannot have itself as its parent"));
  if (FParent)
    FParent->RemoveControl(this);
  if (AParent)
    AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
    return;
  const bool sized = AWidth != FWidth || AHeight != FHeight;
  InvalidateControl(FVisible, false);
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  Invalidate();
  RequestAlign();
  if (sized)
    Resize();
}

void TControl::UpdateBoundsRect(const TRect &R)
{
  FLeft = R.Left;
  FTop = R.Top;
  FWidth = R.Width();
  FHeight = R.Height();
}

TRect TControl::GetClientRect() const { return TRect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int Value) { SetWidth(Value + (Width() - ClientWidth())); }
void TControl::SetClientHeight(int Value) { SetHeight(Value + (Height() - ClientHeight())); }

void TControl::SetClientSize(int W, int H)
{
  SetClientWidth(W);
  SetClientHeight(H);
}

TPoint TControl::ClientOrigin() const
{
  if (!FParent)
    return TPoint(FLeft, FTop);
  TPoint p = FParent->ClientOrigin();
  return TPoint(p.X + FLeft, p.Y + FTop);
}

TPoint TControl::ClientToScreen(TPoint Point) const
{
  const TPoint o = ClientOrigin();
  return TPoint(Point.X + o.X, Point.Y + o.Y);
}

TPoint TControl::ScreenToClient(TPoint Point) const
{
  const TPoint o = ClientOrigin();
  return TPoint(Point.X - o.X, Point.Y - o.Y);
}

TPoint TControl::ClientToParent(TPoint Point, TWinControl *AParent) const
{
  if (!AParent)
    AParent = FParent;
  const TPoint s = ClientToScreen(Point);
  return AParent ? AParent->ScreenToClient(s) : s;
}

TPoint TControl::ParentToClient(TPoint Point, TWinControl *AParent) const
{
  if (!AParent)
    AParent = FParent;
  const TPoint s = AParent ? AParent->ClientToScreen(Point) : Point;
  return ScreenToClient(s);
}

void TControl::SetAlign(TAlign Value)
{
  if (FAlign == Value)
    return;
  const TAlign old = FAlign;
  FAlign = Value;
  switch (Value) {
  case alTop: case alBottom: case alLeft: case alRight: case alClient:
    FAnchors = {akLeft, akTop, akRight, akBottom};
    break;
  default:
    if (old != alNone)
      FAnchors = {akLeft, akTop};
    break;
  }
  if (Value == alTop) FAnchors = {akLeft, akTop, akRight};
  if (Value == alBottom) FAnchors = {akLeft, akRight, akBottom};
  if (Value == alLeft) FAnchors = {akLeft, akTop, akBottom};
  if (Value == alRight) FAnchors = {akRight, akTop, akBottom};
  RequestAlign();
}

void TControl::SetAnchors(TAnchors Value)
{
  FAnchors = Value;
  UpdateAnchorRules();
}

void TControl::UpdateAnchorRules()
{
  if (!FParent || FParent->ControlState().Contains(csAligning)) {
    FAnchorsKnown = FAnchorsKnown && FParent;
    return;
  }
  const TRect client = FParent->GetClientRect();
  FAnchorRight = client.Width() - (FLeft + FWidth);
  FAnchorBottom = client.Height() - (FTop + FHeight);
  FAnchorsKnown = true;
}

void TControl::RequestAlign()
{
  if (FParent)
    FParent->AlignControl(this);
}

void TControl::BringToFront()
{
  if (!FParent)
    return;
  auto &list = FParent->FControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it != list.end() && it + 1 != list.end()) {
    list.erase(it);
    list.push_back(this);
  }
  if (auto *w = dynamic_cast<TWinControl *>(this)) {
    if (w->HandleAllocated())
      w->FHandle->Widget->raise();
  } else {
    Invalidate();
  }
}

void TControl::SendToBack()
{
  if (!FParent)
    return;
  auto &list = FParent->FControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it != list.end() && it != list.begin()) {
    list.erase(it);
    list.insert(list.begin(), this);
  }
  if (auto *w = dynamic_cast<TWinControl *>(this)) {
    if (w->HandleAllocated())
      w->FHandle->Widget->lower();
  } else {
    Invalidate();
  }
}

// ---------------------------------------------------------------------------------------------
// State

void TControl::SetEnabled(bool Value)
{
  if (FEnabled == Value)
    return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetVisible(bool Value)
{
  if (FVisible == Value)
    return;
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
  RequestAlign();
}

void TControl::Show() { SetVisible(true); }
void TControl::Hide() { SetVisible(false); }

bool TControl::IsShowing() const
{
  return FVisible && FParent && FParent->IsShowing();
}

void TControl::ChangeControlState(TControlStateItem Item, bool On)
{
  if (On)
    FControlState += Item;
  else
    FControlState -= Item;
}

void TControl::SetText(const QString &Value)
{
  if (GetText() == Value)
    return;
  SetTextInternal(Value);
  Perform(CM_TEXTCHANGED);
}

QString TControl::GetText() const { return FText; }

void TControl::SetColor(TColor Value)
{
  if (FColor == Value) {
    FParentColor = false;
    return;
  }
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value)
{
  if (FParentColor == Value)
    return;
  FParentColor = Value;
  if (FParent)
    Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetFont(const TFont *Value)
{
  if (Value)
    FFont->Assign(Value);
}

void TControl::FontChanged(TObject *)
{
  if (FFontChanging)
    return;
  FParentFont = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool Value)
{
  if (FParentFont == Value)
    return;
  FParentFont = Value;
  if (FParent)
    Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetCursor(TCursor Value)
{
  if (FCursor == Value)
    return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED);
}

void TControl::ChangeScale(int M, int D)
{
  if (M == D || D == 0)
    return;
  // The right and bottom edges are scaled, so that neighbours stay neighbours.
  const int x = MulDiv(FLeft, M, D);
  const int y = MulDiv(FTop, M, D);
  const int w = MulDiv(FLeft + FWidth, M, D) - x;
  const int h = MulDiv(FTop + FHeight, M, D) - y;
  if (!FParentFont)
    FFont->SetHeight(MulDiv(FFont->Height(), M, D));
  SetBounds(x, y, w, h);
}

void TControl::SetShowHint(bool Value)
{
  if (FShowHint == Value && !FParentShowHint)
    return;
  FShowHint = Value;
  FParentShowHint = false;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value)
{
  if (FParentShowHint == Value)
    return;
  FParentShowHint = Value;
  if (FParent)
    Perform(CM_PARENTSHOWHINTCHANGED);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TControl::InvalidateControl(bool IsVisible, bool)
{
  if (IsVisible && FParent && FParent->HandleAllocated()) {
    TControlHandle *h = FParent->FHandle.get();
    h->PaintPending = true;
    h->ErasePending = true;
    h->ScheduleUpdate();
  }
}

void TControl::Invalidate() { InvalidateControl(FVisible, FControlStyle.Contains(csOpaque)); }

void TControl::Update()
{
  if (FParent)
    FParent->Update();
}

void TControl::Repaint()
{
  Invalidate();
  Update();
}

// ---------------------------------------------------------------------------------------------
// Mouse

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value)
{
  if (MouseCapture() == Value)
    return;
  SetCaptureControl(Value ? this : nullptr);
}

TCustomForm *TControl::GetParentFormOf() const { return GetParentForm(const_cast<TControl *>(this)); }

void TControl::SendCancelMode(TControl *Sender)
{
  TCustomForm *f = GetParentFormOf();
  if (f && f->Active() && f->ActiveControl())
    f->ActiveControl()->Perform(CM_CANCELMODE, 0, LPARAM(Sender));
}

void TControl::DoMouseDown(TWMMouse &Message, TMouseButton Button, TShiftState Shift)
{
  if (!FControlStyle.Contains(csNoStdEvents))
    MouseDown(Button, KeysToShiftState(Message.Keys) + Shift, Message.XPos, Message.YPos);
}

void TControl::DoMouseUp(TWMMouse &Message, TMouseButton Button)
{
  if (!FControlStyle.Contains(csNoStdEvents))
    MouseUp(Button, KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
}

void TControl::WMLButtonDown(TWMMouse &Message)
{
  SendCancelMode(this);
  DefaultHandler(AsMessage(Message));
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents))
    FControlState += csClicked;
  DoMouseDown(Message, mbLeft, {});
}

void TControl::WMLButtonDblClk(TWMMouse &Message)
{
  SendCancelMode(this);
  DefaultHandler(AsMessage(Message));
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents))
    DblClick();
  DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TWMMouse &Message)
{
  DefaultHandler(AsMessage(Message));
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(false);
  if (FControlState.Contains(csClicked)) {
    FControlState -= csClicked;
    if (GetClientRect().Contains(TPoint(Message.XPos, Message.YPos)))
      Click();
  }
  DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonDown(TWMMouse &Message)
{
  SendCancelMode(this);
  DefaultHandler(AsMessage(Message));
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(true);
  DoMouseDown(Message, mbRight, {});
}

void TControl::WMRButtonDblClk(TWMMouse &Message)
{
  SendCancelMode(this);
  DefaultHandler(AsMessage(Message));
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(true);
  DoMouseDown(Message, mbRight, {ssDouble});
}

void TControl::WMRButtonUp(TWMMouse &Message)
{
  DefaultHandler(AsMessage(Message));
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(false);
  DoMouseUp(Message, mbRight);
}

void TControl::WMMButtonDown(TWMMouse &Message)
{
  SendCancelMode(this);
  DefaultHandler(AsMessage(Message));
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(true);
  DoMouseDown(Message, mbMiddle, {});
}

void TControl::WMMButtonDblClk(TWMMouse &Message)
{
  SendCancelMode(this);
  DefaultHandler(AsMessage(Message));
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(true);
  DoMouseDown(Message, mbMiddle, {ssDouble});
}

void TControl::WMMButtonUp(TWMMouse &Message)
{
  DefaultHandler(AsMessage(Message));
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(false);
  DoMouseUp(Message, mbMiddle);
}

void TControl::WMMouseMove(TWMMouse &Message)
{
  DefaultHandler(AsMessage(Message));
  if (!FControlStyle.Contains(csNoStdEvents))
    MouseMove(KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
}

void TControl::WMMouseWheel(TWMMouseWheel &Message)
{
  TMessage &m = AsMessage(Message);
  TCMMouseWheel &cm = MessageAs<TCMMouseWheel>(m);
  cm.ShiftBits = uint16_t(KeysToShiftState(Message.Keys).Bits());
  MouseWheelHandler(m);
  if (m.Result == 0)
    DefaultHandler(m);
}

void TControl::MouseWheelHandler(TMessage &Message)
{
  TCustomForm *f = GetParentFormOf();
  if (f && static_cast<TControl *>(f) != this)
    f->MouseWheelHandler(Message);
  else
    Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

void TControl::CMMouseWheel(TCMMouseWheel &Message)
{
  Message.Result = 0;
  if (DoMouseWheel(Message.ShiftState(), Message.WheelDelta, TPoint(Message.XPos, Message.YPos)))
    Message.Result = 1;
  else if (FParent)
    Message.Result = FParent->Perform(CM_MOUSEWHEEL, AsMessage(Message).WParam, AsMessage(Message).LParam);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
  bool handled = false;
  if (OnMouseWheel)
    OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (!handled) {
    // Whole notches become wheel-up and wheel-down steps.
    int &accumulator = FWheelAccumulator;
    accumulator += WheelDelta;
    while (std::abs(accumulator) >= WHEEL_DELTA) {
      if (accumulator < 0) {
        accumulator += WHEEL_DELTA;
        handled = DoMouseWheelDown(Shift, MousePos);
      } else {
        accumulator -= WHEEL_DELTA;
        handled = DoMouseWheelUp(Shift, MousePos);
      }
    }
  }
  return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
  bool handled = false;
  if (OnMouseWheelDown)
    OnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
  bool handled = false;
  if (OnMouseWheelUp)
    OnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

void TControl::WMCancelMode(TWMCancelMode &Message)
{
  DefaultHandler(AsMessage(Message));
  if (MouseCapture()) {
    SetMouseCapture(false);
    if (FControlState.Contains(csLButtonDown))
      Perform(WM_LBUTTONUP, 0, LPARAM(int32_t(0xFFFFFFFF)));
  } else {
    FControlState -= csLButtonDown;
  }
}

void TControl::WMSize(TWMSize &Message) { DefaultHandler(AsMessage(Message)); }
void TControl::WMTimer(TWMTimer &Message) { DefaultHandler(AsMessage(Message)); }

void TControl::WMContextMenu(TWMContextMenu &Message)
{
  TMessage &m = AsMessage(Message);
  if (m.Result != 0)
    return;
  TPoint pt(Message.XPos, Message.YPos);
  const bool invalid = pt.X == -1 && pt.Y == -1;
  const TPoint client = invalid ? TPoint(-1, -1) : ScreenToClient(pt);
  bool handled = false;
  DoContextPopup(client, handled);
  m.Result = handled ? 1 : 0;
  if (handled)
    return;
  if (FPopupMenu && PopupHandler()) {
    SendCancelMode(nullptr);
    if (invalid)
      pt = ClientToScreen(TPoint(0, 0));
    if (PopupHandler()(FPopupMenu, this, pt))
      m.Result = 1;
  }
  if (m.Result == 0)
    DefaultHandler(m);
}

void TControl::DoContextPopup(TPoint MousePos, bool &Handled)
{
  if (OnContextPopup)
    OnContextPopup(this, MousePos, Handled);
}

void TControl::Click()
{
  if (OnClick)
    OnClick(this);
}

void TControl::DblClick()
{
  if (OnDblClick)
    OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (OnMouseDown)
    OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (OnMouseUp)
    OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
  if (OnMouseMove)
    OnMouseMove(this, Shift, X, Y);
}

void TControl::Resize()
{
  if (OnResize)
    OnResize(this);
}

// ---------------------------------------------------------------------------------------------
// Control messages

void TControl::CMMouseEnter(TMessage &Message)
{
  if (FParent)
    FParent->Perform(CM_MOUSEENTER, 0, Message.LParam);
  if (Message.LParam == 0 || Message.LParam == LPARAM(this)) {
    if (OnMouseEnter)
      OnMouseEnter(this);
  }
}

void TControl::CMMouseLeave(TMessage &Message)
{
  if (FParent)
    FParent->Perform(CM_MOUSELEAVE, 0, Message.LParam);
  if (Message.LParam == 0 || Message.LParam == LPARAM(this)) {
    if (OnMouseLeave)
      OnMouseLeave(this);
  }
}

void TControl::CMEnabledChanged(TMessage &Message)
{
  Invalidate();
  DefaultHandler(Message);
}

void TControl::CMVisibleChanged(TMessage &Message)
{
  InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque));
  DefaultHandler(Message);
}

void TControl::CMTextChanged(TMessage &Message) { DefaultHandler(Message); }

void TControl::CMFontChanged(TMessage &Message)
{
  Invalidate();
  DefaultHandler(Message);
}

void TControl::CMColorChanged(TMessage &Message)
{
  Invalidate();
  DefaultHandler(Message);
}

void TControl::CMParentFontChanged(TMessage &Message)
{
  if (FParentFont) {
    const TFont *src = Message.WParam != 0 ? reinterpret_cast<TFont *>(Message.LParam) : (FParent ? FParent->Font() : nullptr);
    if (src && !src->Equals(*FFont)) {
      FFont->Assign(src);  // clears FParentFont through FontChanged
      FParentFont = true;
    }
  }
  DefaultHandler(Message);
}

void TControl::CMParentColorChanged(TMessage &Message)
{
  if (FParentColor) {
    const TColor c = Message.WParam != 0 ? TColor(Message.LParam) : (FParent ? FParent->Color() : FColor);
    SetColor(c);
    FParentColor = true;
  }
  DefaultHandler(Message);
}

void TControl::CMParentShowHintChanged(TMessage &Message)
{
  if (FParentShowHint && FParent && FShowHint != FParent->ShowHint()) {
    FShowHint = FParent->ShowHint();
    Perform(CM_SHOWHINTCHANGED);  // on to this control's children
  }
  DefaultHandler(Message);
}

void TControl::CMCursorChanged(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMHintShow(TCMHintShow &Message) { DefaultHandler(AsMessage(Message)); }

void TControl::CMHitTest(TMessage &Message) { Message.Result = HTCLIENT; }

// ---------------------------------------------------------------------------------------------
// Functions

TCustomForm *GetParentForm(TControl *Control, bool TopForm)
{
  TControl *c = Control;
  TCustomForm *found = nullptr;
  while (c) {
    if (auto *f = dynamic_cast<TCustomForm *>(c)) {
      found = f;
      if (!TopForm)
        return f;
    }
    c = c->Parent();
  }
  return found;
}

TCustomForm *ValidParentForm(TControl *Control)
{
  TCustomForm *f = GetParentForm(Control);
  if (!f)
    throw EInvalidOperation(QStringLiteral("Control '%1' has no parent form").arg(Control ? Control->Name() : QString()));
  return f;
}

TControl *FindDragTarget(TPoint Pos, bool AllowDisabled)
{
  QWidget *w = QApplication::widgetAt(Pos.X, Pos.Y);
  auto &pump = TMessagePump::Instance();
  while (w && !pump.HandleOf(w))
    w = w->parentWidget();
  if (!w)
    return nullptr;
  TWinControl *c = pump.HandleOf(w)->Control;
  TControl *child = c->ControlAtPos(c->ScreenToClient(Pos), AllowDisabled);
  return child ? child : c;
}

QChar GetHotKeyChar(const QString &Str)
{
  for (int i = 0; i + 1 < Str.size(); ++i) {
    if (Str.at(i) == QLatin1Char('&')) {
      if (Str.at(i + 1) == QLatin1Char('&')) {
        ++i;
        continue;
      }
      return Str.at(i + 1);
    }
  }
  return QChar();
}

bool IsAccel(uint16_t VK, const QString &Str)
{
  const QChar c = GetHotKeyChar(Str);
  return !c.isNull() && c.toUpper() == QChar(VK).toUpper();
}
