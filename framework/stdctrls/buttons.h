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

// Speed button. Glyph cells: up, disabled, down, exclusive (NumGlyphs of them side by side);
// the glyph's bottom-left pixel colour is transparent.
class TSpeedButton : public TGraphicControl {
public:
  explicit TSpeedButton(TComponent *AOwner);
  ~TSpeedButton() override;

  TBitmap *Glyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap *Value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  // Buttons of one parent with the same non-zero GroupIndex act as radio buttons.
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  // -1 centres glyph and caption; otherwise the distance from the edge.
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TButtonState State() const { return FState; }
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
  void UpdateExclusive();

  std::unique_ptr<TBitmap> FGlyph;
  int FNumGlyphs = 1;
  bool FFlat = false;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FDragging = false;
  bool FMouseInControl = false;
  bool FTransparent = true;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  TButtonState FState = bsUp;
};
