#pragma once
// The editor family's combo box: the framework combo with a flat or etched look, its own
// border, focus border and drop button with optional colours, a focus colour, a caption
// label beside it, a drop-down width and focus on mouse entry. The owner decides the look
// (XP style, Vista drawing) before the window exists.
#include <QString>

#include <memory>

#include "framework/stdctrls/stdctrls.h"

enum TLabelPosition {
  lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
  lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom
};

// Frame colour of a disabled themed combo whose normal border is off.
constexpr TColor ZsgDisabledBorderColor = 0xB99D7F;

class TZsgCustomCombo : public TCustomComboBox {
public:
  explicit TZsgCustomCombo(TComponent *AOwner);
  ~TZsgCustomCombo() override;

  // FNormalColor := Color: a control made at run time that uses FocusColor calls it.
  void Init();
  // Selects the item named AString; an unknown string changes nothing.
  void SelectItem(const QString &AString);

  bool AutoFocus() const { return FAutoFocus; }
  void SetAutoFocus(bool Value) { FAutoFocus = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  int ButtonWidth() const { return FButtonWidth; }
  // 14 .. 32 pixels; other widths are ignored.
  void SetButtonWidth(int Value);
  bool DisabledBorder() const { return FDisabledBorder; }
  void SetDisabledBorder(bool Value) { FDisabledBorder = Value; }
  int DropWidth() const { return FDropWidth; }
  void SetDropWidth(int Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  TColor FlatLineColor() const { return FFlatLineColor; }
  void SetFlatLineColor(TColor Value);
  bool FlatParentColor() const { return FFlatParentColor; }
  void SetFlatParentColor(bool Value);
  bool Etched() const { return FEtched; }
  void SetEtched(bool Value);
  bool FocusBorder() const { return FFocusBorder; }
  void SetFocusBorder(bool Value) { FFocusBorder = Value; }
  TColor FocusBorderColor() const { return FFocusBorderColor; }
  void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
  TColor FocusColor() const { return FFocusColor; }
  void SetFocusColor(TColor Value) { FFocusColor = Value; }
  bool FocusLabel() const { return FFocusLabel; }
  void SetFocusLabel(bool Value) { FFocusLabel = Value; }
  void SetColor(TColor Value) override;
  void SetEnabled(bool Value) override;
  void SetVisible(bool Value) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  QString LabelCaption() const { return GetLabelCaption(); }
  void SetLabelCaption(const QString &Value);
  TLabelPosition LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition Value);
  int LabelMargin() const { return FLabelMargin; }
  void SetLabelMargin(int Value);
  bool LabelTransparent() const { return FLabelTransparent; }
  void SetLabelTransparent(bool Value);
  bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
  void SetLabelAlwaysEnabled(bool Value);
  TFont *LabelFont() const { return FLabelFont.get(); }
  void SetLabelFont(const TFont *Value);
  TLabel *Label() const { return FLabel.get(); }  // nullptr until a caption is set
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  // Set by the owner: Vista or later with common controls 6.
  bool IsVista() const { return FIsVista; }
  void SetIsVista(bool Value) { FIsVista = Value; }
  bool IsThemed() const { return FIsThemed; }
  bool MouseInControl() const { return FMouseInControl; }
  bool ButtonHover() const { return FButtonHover; }
  bool HasFocus() const { return FHasFocus; }

  // Drop-button colours; clNone each by default (the grid's colour tones write them).
  TColor FButtonColorDown = clNone;
  TColor FButtonBorderColor = clNone;
  TColor FButtonTextColor = clNone;
  TColor FButtonTextColorHot = clNone;
  TColor FButtonColor = clNone;
  TColor FButtonColorHot = clNone;
  TColor FButtonTextColorDown = clNone;

  // The list closed.
  TNotifyEvent OnDropUp;

  // Paint decisions, answered from the state alone.
  // The control draws its own button and borders (else the platform draws it all).
  bool OwnPaint() const;
  // The frame colour DrawControlBorder uses; clNone when it draws the classic 3-D frame and
  // ZsgNoFrame when it draws nothing.
  TColor ControlBorderColor() const;
  static constexpr TColor ZsgNoFrame = 0x2FFFFFFF;
  // State of the themed drop button: 1 normal, 2 hot, 3 pressed, 4 disabled.
  int ThemedButtonState() const;
  // The rectangle DrawButton fills, in window coordinates.
  TRect ButtonRect() const;

  void WndProc(TMessage &Message) override;
  void WMPaint(TWMPaint &Message) override;
  void WMSetFocus(TWMSetFocus &Message) override;
  void WMKillFocus(TWMKillFocus &Message) override;
  void CMEnter(TCMEnter &Message) override;
  void CMExit(TCMExit &Message) override;
  void CMMouseEnter(TMessage &Message) override;
  void CMMouseLeave(TMessage &Message) override;
  void CMEnabledChanged(TMessage &Message) override;
  void CMFontChanged(TMessage &Message) override;
  void CMParentFontChanged(TMessage &Message) override;

protected:
  void Loaded() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void DropDown() override;
  void CloseUp() override;
  QString GetLabelCaption() const;

  bool FAutoFocus = false;
  bool FFlat = false;
  bool FEtched = false;
  TColor FOldColor = clWindow;
  TColor FLoadedColor = clWindow;
  bool FOldParentColor = false;
  int FButtonWidth = 19;
  bool FFocusBorder = false;
  bool FMouseInControl = false;
  int FDropWidth = 0;
  bool FIsWinXP = false;
  bool FIsThemed = false;
  bool FButtonHover = false;
  bool FLabelAlwaysEnabled = false;
  bool FLabelTransparent = false;
  int FLabelMargin = 4;
  std::unique_ptr<TFont> FLabelFont;
  TLabelPosition FLabelPosition = lpLeftTop;
  std::unique_ptr<TLabel> FLabel;
  TColor FFlatLineColor = clNone;
  bool FFlatParentColor = true;
  TColor FFocusColor = clNone;
  TColor FFocusBorderColor = clNone;
  TColor FBorderColor = clNone;
  bool FDisabledBorder = true;
  TColor FNormalColor = clNone;
  bool FHasFocus = false;
  bool FFocusLabel = false;
  bool FIsVista = false;

private:
  bool DoVisualStyles() const;
  bool IsHot() const;
  bool Is3DBorder() const;
  void DrawButton(HDC DC);
  // Borders on the window's canvas; outside a paint the window repaints and draws them.
  void DrawBorders(HDC DC = nullptr);
  void DrawControlBorder(HDC DC);
  void DrawButtonBorder(HDC DC);
  void WMNCPaint(TMessage &Message);
  void CreateLabel();
  void UpdateLabel();
  void LabelFontChanged(TObject *Sender);
  void SetLabelBold(bool Bold);
  void ApplyDropWidth();
};

class TZsgComboBox : public TZsgCustomCombo {
public:
  using TZsgCustomCombo::TZsgCustomCombo;
};
