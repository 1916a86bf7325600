// TLbButton: properties, painting through the face painter, hover fade, keys and clicks.
#include "ui/lbbutton.h"

#include "framework/controls/forms.h"
#include "framework/stdctrls/menus.h"

namespace {

constexpr TColor kMagenta = 0xFF00FF;

}  // namespace

// ---------------------------------------------------------------------------------------
// Fade ticker

TLbButtonThread::TLbButtonThread(TNotifyEvent Notify) : FTimer(std::make_unique<TTimer>(nullptr)), FNotify(std::move(Notify))
{
  FTimer->SetEnabled(false);
  FTimer->SetInterval(30);
  FTimer->OnTimer = [this](TObject *) { DoEvent(); };
}

TLbButtonThread::~TLbButtonThread() = default;

void TLbButtonThread::Resume()
{
  if (FTerminated)
    return;
  FSuspended = false;
  FTimer->SetEnabled(true);
}

void TLbButtonThread::Suspend()
{
  FSuspended = true;
  FTimer->SetEnabled(false);
}

void TLbButtonThread::Terminate()
{
  FTerminated = true;
  Suspend();
}

void TLbButtonThread::DoEvent()
{
  if (!FSuspended && !FTerminated && FNotify)
    FNotify(nullptr);
}

// ---------------------------------------------------------------------------------------
// TLbButton

TLbButton::TLbButton(TComponent *AOwner)
    : TCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()), FHTFont(std::make_unique<TFont>())
{
  RegisterLbButtonBitmaps();
  SetBounds(FLeft, FTop, 100, 23);
  // Clicks come from the button's own mouse and key handling.
  SetControlStyle({csCaptureMouse, csSetCaption});
  SetTabStop(true);
  SetColor(clBtnFace);
  FThread = std::make_unique<TLbButtonThread>([this](TObject *Sender) { FadeStep(Sender); });
  if (auto *form = dynamic_cast<TCustomForm *>(AOwner))
    FHTFont->Assign(*form->Font());
}

TLbButton::~TLbButton()
{
  FDestroying = true;
  ShutDownThread();
}

void TLbButton::ShutDownThread()
{
  if (!FThread)
    return;
  try {
    if (FThread->Suspended())
      FThread->Resume();
    FThread->Terminate();
  } catch (...) {
    // A failing shutdown leaves the rest of it out; the ticker is freed all the same.
  }
  FThread.reset();
}

bool TLbButton::IsHot()
{
  return bCursorOnButton || (HandleAllocated() && Focused());
}

void TLbButton::SetAlignment(TAlignment Value)
{
  FAlignment = Value;
  Paint();
}

void TLbButton::SetCaption(const QString &Value)
{
  SetText(Value);
  Invalidate();
}

void TLbButton::SetColorStyle(TLbColorStyle Value)
{
  if (Value == lcsCustom)
    return;
  const TLbColorStyleColors c = GetColorStyleColors(Value);
  SetColor(c.Color);
  FLightColor = c.LightColor;
  FShadowColor = c.ShadowColor;
  FColorWhenDown = c.ColorWhenDown;
  FHotTrackColor = c.HotTrackColor;
  FFlat = c.Flat;
  Font()->SetColor(c.FontColor);
  // The look field only: the window's extended style stays as it was.
  FStyle = bsNormal;
  if (c.Modern)
    FStyle = bsModern;
  if (c.Quicken)
    FStyle = bsQuicken;
  Paint();
}

void TLbButton::SetFlat(bool Value)
{
  FFlat = Value;
  Paint();
}

void TLbButton::SetGlyph(const TBitmap *Value)
{
  if (Value && !Value->Empty()) {
    FGlyph->AssignGraphic(Value);
    FNumGlyphs = FGlyph->Height() > 0 ? FGlyph->Width() / FGlyph->Height() : 0;
  } else {
    FGlyph->SetSize(0, 0);
    FNumGlyphs = 0;
  }
  SetKind(TLbButtonKind::bkCustom);
  Invalidate();
}

void TLbButton::SetHotTrackFont(const TFont *Value)
{
  if (Value)
    FHTFont->Assign(*Value);
}

void TLbButton::SetKind(TLbButtonKind Value)
{
  if (Value != TLbButtonKind::bkCustom) {
    struct KindRow {
      TModalResult Result;
      const char *Resource;
      const char *Caption;
    };
    static const KindRow rows[] = {
        {mrNone, "", ""},
        {mrOk, "LBOK", "OK"},
        {mrCancel, "LBCANCEL", "Abbrechen"},
        {mrNone, "LBHELP", "Hilfe"},
        {mrYes, "LBYES", "Ja"},
        {mrNo, "LBNO", "Nein"},
        {mrNone, "LBCLOSE", "Schlie\xc3\x9f" "en"},
        {mrAbort, "LBABORT", "Abbrechen"},
        {mrRetry, "LBRETRY", "Wiederholen"},
        {mrIgnore, "LBIGNORE", "Ignorieren"},
        {mrLbAll, "LBALL", "Alle"},
    };
    const KindRow &row = rows[int(Value)];
    SetNumGlyphs(2);
    SetModalResult(row.Result);
    FGlyph->LoadFromResourceName(QString::fromLatin1(row.Resource));
    SetCaption(QString::fromUtf8(row.Caption));
  }
  FKind = Value;
  Invalidate();
}

void TLbButton::SetLayout(TLbButtonLayout Value)
{
  FLayout = Value;
  Paint();
}

void TLbButton::SetLightColor(TColor Value)
{
  FLightColor = Value;
  Paint();
}

void TLbButton::SetModalResult(TModalResult Value)
{
  FModalResult = Value;
  FKind = TLbButtonKind::bkCustom;
}

void TLbButton::SetNumGlyphs(int Value)
{
  FNumGlyphs = Value;
  Invalidate();
}

void TLbButton::SetShadowColor(TColor Value)
{
  FShadowColor = Value;
  Paint();
}

void TLbButton::SetSlowDecease(bool Value)
{
  FSlowDecease = Value;
  if (Value) {
    if (!FThread)
      FThread = std::make_unique<TLbButtonThread>([this](TObject *Sender) { FadeStep(Sender); });
  } else {
    FHotTrackStep = 0;
    ShutDownThread();
  }
  Invalidate();
}

void TLbButton::SetStyle(TLbButtonStyle Value)
{
  FStyle = Value;
  FExStyle = (Value == bsModern || Value == bsShape || Value == bsQuicken) ? uint32_t(WS_EX_TRANSPARENT) : 0u;
  Invalidate();
}

void TLbButton::SetWordWrap(bool Value)
{
  FWordWrap = Value;
  Paint();
}

void TLbButton::SetEnabled(bool Value)
{
  TCustomControl::SetEnabled(Value);
  FEnabled = Value;
  bDown = false;
  Paint();
}

// ---------------------------------------------------------------------------------------
// Painting

void TLbButton::Paint()
{
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying) || FDestroying)
    return;
  if (!Visible() && !ComponentState().Contains(csDesigning))
    return;
  const int W = Width(), H = Height();
  if (W <= 0 || H <= 0)
    return;
  TBitmap bmp;
  bmp.SetSize(W, H);
  TFont font;
  font.Assign(*Font());
  const bool hot = IsHot();
  if (hot && FUseHTFont)
    font.Assign(*FHTFont);
  if (FStyle == bsModern || FStyle == bsShape || FStyle == bsQuicken) {
    // Magenta corners show the parent.
    bmp.Canvas()->Brush()->SetColor(kMagenta);
    bmp.Canvas()->FillRect(Rect(0, 0, W, H));
    bmp.SetTransparentColor(kMagenta);
    bmp.SetTransparent(true);
  }
  const bool focused = HandleAllocated() && Focused();
  TLbButtonFace face;
  face.Width = W;
  face.Height = H;
  face.HotTrackStep = FHotTrackStep;
  face.NumGlyphs = FNumGlyphs;
  face.Glyph = FGlyph.get();
  face.Down = bDown;
  face.Hot = hot;
  face.Enabled = Enabled();
  face.Flat = FFlat;
  face.WordWrap = FWordWrap;
  face.HasPopupMenu = PopupMenu() != nullptr;
  face.Style = FStyle;
  face.Color = Color();
  face.ColorWhenDown = FColorWhenDown;
  face.HotTrackColor = FHotTrackColor;
  face.LightColor = FLightColor;
  face.ShadowColor = FShadowColor;
  face.Font = &font;
  face.Layout = FLayout;
  face.Caption = Caption();
  face.Alignment = FAlignment;
  if (FStyle == bsOld && focused) {
    // The focused old look: the face one pixel in, lit from the shadow side while down, in a black frame.
    face.Width = W - 2;
    face.Height = H - 2;
    face.LightColor = bDown ? FShadowColor : FLightColor;
    DrawLbButton(bmp.Canvas(), face);
    bmp.Canvas()->Draw(1, 1, &bmp);
    bmp.Canvas()->Brush()->SetStyle(bsClear);
    bmp.Canvas()->Pen()->SetColor(clBlack);
    bmp.Canvas()->Pen()->SetStyle(psSolid);
    bmp.Canvas()->Pen()->SetWidth(1);
    bmp.Canvas()->Rectangle(0, 0, W, H);
  } else {
    DrawLbButton(bmp.Canvas(), face);
  }
  TCanvas *c = Canvas();
  if (!c)
    return;
  c->Draw(0, 0, &bmp);
  if (focused && Enabled() && FStyle != bsShape)
    c->DrawFocusRect(Rect(4, 4, W - 4, H - 4));
}

// ---------------------------------------------------------------------------------------
// Clicks, mouse and keys

void TLbButton::Click()
{
  bDown = true;
  ClickAction();
  // The framework's click would fire OnClick a second time; the button has no action link.
}

void TLbButton::ClickAction()
{
  if (!Visible() || !Enabled() || !bDown)
    return;
  bDown = false;
  if (OnClick)
    OnClick(this);
  if (FModalResult != mrNone)
    if (TCustomForm *form = GetParentForm(this))
      form->SetModalResult(FModalResult);
  if (TPopupMenu *menu = PopupMenu()) {
    const TPoint p = ClientToScreen(TPoint(0, Height()));
    menu->Popup(p.X, p.Y);
  }
}

void TLbButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Enabled()) {
    bDown = true;
    if (CanFocus())
      SetFocus();
    Paint();
  }
}

void TLbButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (bDown)
    Click();
  bDown = false;
  Paint();
}

void TLbButton::CNKeyDown(TWMKey &Message)
{
  if ((Message.CharCode == VK_RETURN || Message.CharCode == VK_SPACE) && Enabled()) {
    bDown = true;
    Paint();
  }
  TCustomControl::CNKeyDown(Message);
}

void TLbButton::CNKeyUp(TWMKey &Message)
{
  // Only the release of a key that went down here clicks: the release of an Enter that closed
  // a dialog or a message box reaches whichever button has the focus afterwards.
  if ((Message.CharCode == VK_RETURN || Message.CharCode == VK_SPACE) && bDown) {
    Click();
    Paint();
  }
  TCustomControl::CNKeyUp(Message);
}

void TLbButton::CMDialogKey(TCMDialogKey &Message)
{
  const TShiftState shift = KeyDataToShiftState(Message.KeyData);
  const bool noModifiers = !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
  if (((Message.CharCode == VK_RETURN && FDefault) || (Message.CharCode == VK_ESCAPE && FCancel)) && noModifiers &&
      Visible() && Enabled()) {
    // The form is the first owner that is a form; a focused button keeps the key.
    TCustomForm *form = nullptr;
    for (TComponent *o = Owner(); o; o = o->Owner())
      if ((form = dynamic_cast<TCustomForm *>(o)))
        break;
    TWinControl *active = form ? form->ActiveControl() : nullptr;
    const QString name = active ? active->ClassName().toUpper() : QString();
    if (active && name.contains(QLatin1String("BUTTON")) && !name.contains(QLatin1String("RADIOBUTTON"))) {
      TCustomControl::CMDialogKey(Message);
      return;
    }
    bDown = true;
    Click();
    Message.Result = 1;
    return;
  }
  TCustomControl::CMDialogKey(Message);
}

void TLbButton::CMDialogChar(TCMDialogChar &Message)
{
  if (IsAccel(Message.CharCode, Caption()) && Visible() && Enabled() && Parent() && Parent()->Showing()) {
    bDown = true;
    Click();
    Message.Result = 1;
    return;
  }
  TCustomControl::CMDialogChar(Message);
}

void TLbButton::CMFocusChanged(TCMFocusChanged &Message)
{
  Paint();
  TCustomControl::CMFocusChanged(Message);
}

void TLbButton::CMMouseEnter(TMessage &Message)
{
  (void)Message;
  if (Enabled() && Visible() && Parent() && Parent()->Showing()) {
    bCursorOnButton = true;
    FHotTrackStep = 8;
    Paint();
    if (OnMouseEnter)
      OnMouseEnter(this);
  }
}

void TLbButton::CMMouseLeave(TMessage &Message)
{
  (void)Message;
  bCursorOnButton = false;
  if (FSlowDecease) {
    if (FThread && FThread->Suspended())
      FThread->Resume();
  } else {
    FHotTrackStep = 0;
    Paint();
  }
  if (Enabled() && Visible() && Parent() && Parent()->Showing())
    if (OnMouseExit)
      OnMouseExit(this);
}

void TLbButton::FadeStep(TObject *Sender)
{
  (void)Sender;
  if (FDestroying || ComponentState().Contains(csDestroying))
    return;
  --FHotTrackStep;
  if (FHotTrackStep <= 0) {
    if (FThread)
      FThread->Suspend();
    FHotTrackStep = 0;
  }
  Paint();
}
