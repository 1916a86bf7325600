#pragma once
// Buttons: the push button (a native widget) and the speed button (a windowless control
// with a glyph, drawn in the classic look).
#include <QString>

#include <memory>

#include "framework/controls/controls.h"
#include "framework/graphics/graphics.h"
#include "framework/stdctrls/stdctrls.h"

class QObject;
class QPushButton;

// Push button: a click sets the parent form's modal result to ModalResult, then OnClick.
class TButton : public TButtonControl {
public:
  explicit TButton(TComponent *AOwner);
  ~TButton() override;

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // Enter on the form presses the default button, Esc the cancel button.
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }

  void Click() override;
  void CMDialogKey(TCMDialogKey &Message) override;

protected:
  QWidget *CreateWindowHandle(const TCreateParams &Params) override;
  void CreateWindowDone() override;
  void Toggle() override;
  void UpdateWidgetState() override;
  QPushButton *PushButton() const;

  TModalResult FModalResult = mrNone;
  bool FDefault = false;
  bool FCancel = false;
  std::unique_ptr<QObject> FSignals;  // context of the widget's signal connections
};

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// Grouping and transparency of windowless buttons, as the speed button has them: buttons of one
// parent and of one kind (TKind, the control class deriving from this) with the same non-zero
// GroupIndex act as radio buttons; a transparent button lets its parent show through.
template <class TKind>
class TGroupedButton {
public:
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value)
  {
    FGroupIndex = Value;
    UpdateExclusive();
  }
  bool Down() const { return FDown; }
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value)
  {
    FAllowAllUp = Value;
    UpdateExclusive();
  }
  TButtonState State() const { return FState; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value)
  {
    FTransparent = Value;
    TControlStyle style = Self()->ControlStyle();
    if (Value)
      style -= csOpaque;
    else
      style += csOpaque;
    Self()->SetControlStyle(style);
    Self()->Invalidate();
  }

protected:
  // When this button is down, the others of its group go up; all take its AllowAllUp.
  void UpdateExclusive()
  {
    TKind *self = Self();
    if (FGroupIndex == 0 || !self->Parent())
      return;
    for (int i = 0; i < self->Parent()->ControlCount(); ++i) {
      auto *b = dynamic_cast<TKind *>(self->Parent()->Controls(i));
      if (!b || b == self || b->FGroupIndex != FGroupIndex)
        continue;
      if (FDown && b->FDown) {
        b->FDown = false;
        b->FState = bsUp;
        b->Invalidate();
      }
      b->FAllowAllUp = FAllowAllUp;
    }
  }

  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  TButtonState FState = bsUp;
  bool FTransparent = true;

private:
  TKind *Self() { return static_cast<TKind *>(this); }
};

// Speed button. Glyph cells: up, disabled, down, exclusive (NumGlyphs of them side by side);
// the glyph's bottom-left pixel colour is transparent.
class TSpeedButton : public TGraphicControl, public TGroupedButton<TSpeedButton> {
public:
  explicit TSpeedButton(TComponent *AOwner);
  ~TSpeedButton() override;

  TBitmap *Glyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap *Value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  void SetDown(bool Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  // -1 centres glyph and caption; otherwise the distance from the edge.
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  bool MouseInControl() const { return FMouseInControl; }

  void Click() override;
  void CMMouseEnter(TMessage &Message) override;
  void CMMouseLeave(TMessage &Message) override;
  void CMEnabledChanged(TMessage &Message) override;
  void CMTextChanged(TMessage &Message) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Draws glyph and caption into Rect for a state (the platform's speed-button painting).
  void DrawGlyphAndCaption(TCanvas *Canvas, const TRect &Rect, TButtonState AState);

  std::unique_ptr<TBitmap> FGlyph;
  int FNumGlyphs = 1;
  bool FFlat = false;
  bool FDragging = false;
  bool FMouseInControl = false;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
};
