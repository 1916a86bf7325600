#include "framework/stdctrls/buttons.h"

#include <QObject>
#include <QPushButton>

#include <algorithm>

#include "framework/controls/forms.h"
#include "framework/controls/classiclook.h"

// =============================================================================================
// TButton

TButton::TButton(TComponent *AOwner) : TButtonControl(AOwner), FSignals(std::make_unique<QObject>())
{
  FWidth = 75;
  FHeight = 25;
}

TButton::~TButton() = default;

QPushButton *TButton::PushButton() const { return qobject_cast<QPushButton *>(Button()); }

QWidget *TButton::CreateWindowHandle(const TCreateParams &Params)
{
  auto *b = new QPushButton;
  b->setAutoDefault(false);
  return b;
}

void TButton::CreateWindowDone()
{
  TButtonControl::CreateWindowDone();
  ApplyLook();
  if (QPushButton *b = PushButton()) {
    b->setAutoFillBackground(false);
    b->setLayoutDirection(Qt::LeftToRight);
    b->setDefault(FDefault);
    QObject::connect(b, &QPushButton::clicked, FSignals.get(), [this]() { Click(); });
  }
}

void TButton::SetDefault(bool Value)
{
  FDefault = Value;
  if (QPushButton *b = PushButton())
    b->setDefault(Value);
}

void TButton::Click()
{
  if (TCustomForm *f = GetParentForm(this))
    f->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::CMDialogKey(TCMDialogKey &Message)
{
  const bool enter = Message.CharCode == VK_RETURN && FDefault;
  const bool esc = Message.CharCode == VK_ESCAPE && FCancel;
  if ((enter || esc) && KeyDataToShiftState(Message.KeyData).Empty() && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  TButtonControl::CMDialogKey(Message);
}

void TButton::Toggle() {}
void TButton::UpdateWidgetState() {}

// =============================================================================================
// TSpeedButton

TSpeedButton::TSpeedButton(TComponent *AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
  FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
  FWidth = 23;
  FHeight = 22;
  FParentColor = true;
  FGlyph->OnChange = [this](TObject *) { Invalidate(); };
}

TSpeedButton::~TSpeedButton()
{
  FGlyph->OnChange = nullptr;
}

void TSpeedButton::SetGlyph(const TBitmap *Value)
{
  if (Value)
    FGlyph->Assign(const_cast<TBitmap *>(Value));
  else
    FGlyph->SetSize(0, 0);
  // A strip of square cells gives the number of glyphs.
  if (Value && Value->Height() > 0 && Value->Width() % Value->Height() == 0) {
    const int n = Value->Width() / Value->Height();
    if (n >= 1 && n <= 4)
      FNumGlyphs = n;
  }
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int Value)
{
  FNumGlyphs = std::clamp(Value, 1, 4);
  Invalidate();
}

void TSpeedButton::SetFlat(bool Value)
{
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetDown(bool Value)
{
  if (FGroupIndex == 0)
    Value = false;
  if (Value == FDown)
    return;
  if (FDown && !FAllowAllUp)
    return;  // the last button down of a group stays down
  FDown = Value;
  if (Value) {
    if (FState == bsUp)
      Invalidate();
    FState = bsExclusive;
  } else {
    FState = bsUp;
    Repaint();
  }
  if (Value)
    UpdateExclusive();
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value)
{
  FLayout = Value;
  Invalidate();
}

void TSpeedButton::SetMargin(int Value)
{
  FMargin = std::max(-1, Value);
  Invalidate();
}

void TSpeedButton::SetSpacing(int Value)
{
  FSpacing = Value;
  Invalidate();
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Enabled()) {
    if (!FDown) {
      FState = bsDown;
      Invalidate();
    }
    FDragging = true;
  }
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y)
{
  TGraphicControl::MouseMove(Shift, X, Y);
  if (FDragging) {
    const TButtonState newState = FDown ? bsExclusive : (PtInRect(ClientRect(), TPoint(X, Y)) ? bsDown : bsUp);
    if (newState != FState) {
      FState = newState;
      Invalidate();
    }
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging)
    return;
  FDragging = false;
  const bool inside = PtInRect(ClientRect(), TPoint(X, Y));
  if (FGroupIndex == 0) {
    FState = bsUp;
    Invalidate();
    if (inside)
      Click();
    return;
  }
  if (inside)
    SetDown(!FDown);
  FState = FDown ? bsExclusive : bsUp;
  Invalidate();
  if (inside)
    Click();
}

void TSpeedButton::CMMouseEnter(TMessage &Message)
{
  TGraphicControl::CMMouseEnter(Message);
  FMouseInControl = true;
  if (FFlat && Enabled())
    Invalidate();
}

void TSpeedButton::CMMouseLeave(TMessage &Message)
{
  TGraphicControl::CMMouseLeave(Message);
  FMouseInControl = false;
  if (FFlat && Enabled())
    Invalidate();
}

void TSpeedButton::CMEnabledChanged(TMessage &Message)
{
  TGraphicControl::CMEnabledChanged(Message);
  if (!Enabled()) {
    FMouseInControl = false;
    FState = bsDisabled;
  } else if (FState == bsDisabled) {
    FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
  }
  Invalidate();
}

void TSpeedButton::CMTextChanged(TMessage &Message)
{
  TGraphicControl::CMTextChanged(Message);
  Invalidate();
}

void TSpeedButton::DrawGlyphAndCaption(TCanvas *Canvas, const TRect &Rect, TButtonState AState)
{
  const QString caption = Caption();
  int gw = 0, gh = 0;
  if (!FGlyph->Empty()) {
    gw = FGlyph->Width() / std::max(1, FNumGlyphs);
    gh = FGlyph->Height();
  }
  Canvas->Font()->Assign(Font());
  TRect textRect(0, 0, Rect.Width(), 0);
  if (!caption.isEmpty())
    Canvas->DrawText(caption, textRect, DT_CALCRECT | DT_SINGLELINE);
  const int tw = caption.isEmpty() ? 0 : textRect.Width();
  const int th = caption.isEmpty() ? 0 : textRect.Height();
  const bool horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
  const int spacing = gw > 0 && tw > 0 ? FSpacing : 0;
  const int totalW = horizontal ? gw + spacing + tw : std::max(gw, tw);
  const int totalH = horizontal ? std::max(gh, th) : gh + spacing + th;
  int gx, gy, tx, ty;
  if (horizontal) {
    int start = FMargin < 0 ? Rect.Left + (Rect.Width() - totalW) / 2 : Rect.Left + FMargin;
    if (FLayout == blGlyphRight && FMargin >= 0)
      start = Rect.Right - FMargin - totalW;
    if (FLayout == blGlyphLeft) {
      gx = start;
      tx = start + gw + spacing;
    } else {
      tx = start;
      gx = start + tw + spacing;
    }
    gy = Rect.Top + (Rect.Height() - gh) / 2;
    ty = Rect.Top + (Rect.Height() - th) / 2;
  } else {
    int start = FMargin < 0 ? Rect.Top + (Rect.Height() - totalH) / 2 : Rect.Top + FMargin;
    if (FLayout == blGlyphBottom && FMargin >= 0)
      start = Rect.Bottom - FMargin - totalH;
    if (FLayout == blGlyphTop) {
      gy = start;
      ty = start + gh + spacing;
    } else {
      ty = start;
      gy = start + th + spacing;
    }
    gx = Rect.Left + (Rect.Width() - gw) / 2;
    tx = Rect.Left + (Rect.Width() - tw) / 2;
  }
  if (gw > 0) {
    int cell = 0;
    switch (AState) {
    case bsDisabled: cell = 1; break;
    case bsDown: cell = 2; break;
    case bsExclusive: cell = 3; break;
    default: break;
    }
    TBitmap part(gw, gh);
    const bool own = cell < FNumGlyphs;
    const int src = own ? cell : 0;
    part.Canvas()->CopyRect(TRect(0, 0, gw, gh), FGlyph->Canvas(), Bounds(src * gw, 0, gw, gh));
    if (AState == bsDisabled && !own) {
      // No disabled cell: an embossed picture of the glyph's shape.
      const QImage img = part.ToImage();
      const QRgb transparent = img.pixel(0, gh - 1);
      for (int pass = 0; pass < 2; ++pass) {
        const TColor col = pass == 0 ? clBtnHighlight : clBtnShadow;
        const int off = pass == 0 ? 1 : 0;
        for (int y = 0; y < gh; ++y)
          for (int x = 0; x < gw; ++x) {
            const QRgb p = img.pixel(x, y);
            if (p != transparent && qGray(p) < 192)
              Canvas->SetPixels(gx + x + off, gy + y + off, ColorToRGB(col));
          }
      }
    } else {
      DrawTransparentBitmap(Canvas, gx, gy, &part);
    }
  }
  if (tw > 0) {
    Canvas->Brush()->SetStyle(bsClear);
    TRect tr = Bounds(tx, ty, tw, th);
    if (AState == bsDisabled) {
      OffsetRect(tr, 1, 1);
      Canvas->Font()->SetColor(clBtnHighlight);
      Canvas->DrawText(caption, tr, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
      OffsetRect(tr, -1, -1);
      Canvas->Font()->SetColor(clBtnShadow);
    }
    Canvas->DrawText(caption, tr, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
}

void TSpeedButton::Paint()
{
  TCanvas *c = Canvas();
  if (!Enabled()) {
    FState = bsDisabled;
    FDragging = false;
  } else if (FState == bsDisabled) {
    FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
  }
  TRect r = ClientRect();
  const bool pressed = FState == bsDown || FState == bsExclusive;
  if (!FFlat) {
    uint32_t state = DFCS_BUTTONPUSH;
    if (pressed)
      state |= DFCS_PUSHED;
    DrawFrameControl(c, r, DFC_BUTTON, state);
    InflateRect(r, -2, -2);
  } else {
    if (!FTransparent || pressed || FMouseInControl) {
      c->Brush()->SetStyle(bsSolid);
      c->Brush()->SetColor(Color());
      c->FillRect(r);
    }
    if (pressed || (FMouseInControl && FState != bsDisabled)) {
      TRect e = r;
      DrawEdge(c, e, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    InflateRect(r, -1, -1);
  }
  if (FState == bsExclusive && (!FFlat || !FMouseInControl)) {
    // The button that stays down shows a dithered face.
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (((x + y) & 1) == 0)
          c->SetPixels(x, y, ColorToRGB(clBtnHighlight));
  }
  if (pressed)
    OffsetRect(r, 1, 1);
  DrawGlyphAndCaption(c, r, FState);
}
