#pragma once
// TLbButton: the owner-drawn push button of every form. It paints itself off-screen in one
// of six looks, tints its face towards a hot-track colour under the mouse (optionally
// fading back over eight 30 ms ticks), shows a glyph cell chosen by state, acts as the
// form's default or cancel button, closes a modal form through ModalResult and opens an
// attached popup menu under itself.
//
// The kind and layout enumerations are scoped: their value names (bkOK, blGlyphLeft ...)
// are also those of the framework's bitmap buttons.
#include "framework/controls/controls.h"
#include "framework/graphics/graphics.h"
#include "framework/stdctrls/stdctrls.h"

#include <memory>

enum class TLbColorStyle {
  lcsCustom, lcsGold, lcsChrome, lcsBlue, lcsRed, lcsUltraFlat1, lcsUltraFlat2, lcsUltraFlatXP,
  lcsAqua, lcsDefault, lcsQuicken
};
constexpr TLbColorStyle lcsCustom = TLbColorStyle::lcsCustom;
constexpr TLbColorStyle lcsGold = TLbColorStyle::lcsGold;
constexpr TLbColorStyle lcsChrome = TLbColorStyle::lcsChrome;
constexpr TLbColorStyle lcsBlue = TLbColorStyle::lcsBlue;
constexpr TLbColorStyle lcsRed = TLbColorStyle::lcsRed;
constexpr TLbColorStyle lcsUltraFlat1 = TLbColorStyle::lcsUltraFlat1;
constexpr TLbColorStyle lcsUltraFlat2 = TLbColorStyle::lcsUltraFlat2;
constexpr TLbColorStyle lcsUltraFlatXP = TLbColorStyle::lcsUltraFlatXP;
constexpr TLbColorStyle lcsAqua = TLbColorStyle::lcsAqua;
constexpr TLbColorStyle lcsDefault = TLbColorStyle::lcsDefault;
constexpr TLbColorStyle lcsQuicken = TLbColorStyle::lcsQuicken;

enum class TLbButtonKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum class TLbButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

enum class TLbButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };
constexpr TLbButtonStyle bsNormal = TLbButtonStyle::bsNormal;
constexpr TLbButtonStyle bsEncarta = TLbButtonStyle::bsEncarta;
constexpr TLbButtonStyle bsModern = TLbButtonStyle::bsModern;
constexpr TLbButtonStyle bsOld = TLbButtonStyle::bsOld;
constexpr TLbButtonStyle bsShape = TLbButtonStyle::bsShape;
constexpr TLbButtonStyle bsQuicken = TLbButtonStyle::bsQuicken;

constexpr TModalResult mrLbAll = 12;  // the kind "All" closes with 12

// One row of the colour-style presets.
struct TLbColorStyleColors {
  TColor Color = clBtnFace;
  TColor LightColor = clWhite;
  TColor ShadowColor = clGray;
  TColor ColorWhenDown = clNone;
  TColor HotTrackColor = clNone;
  TColor FontColor = clBlack;
  bool Flat = false;
  bool Modern = false;   // look bsModern
  bool Quicken = false;  // look bsQuicken
};
TLbColorStyleColors GetColorStyleColors(TLbColorStyle Style);

// What the painter draws: the button's look, state and contents at one moment.
struct TLbButtonFace {
  int Width = 0;
  int Height = 0;
  int HotTrackStep = 0;  // 0 (rest) to 8 (fully tinted)
  int NumGlyphs = 0;
  const TBitmap *Glyph = nullptr;  // not owned; none when null
  bool Down = false;
  bool Hot = false;
  bool Enabled = true;
  bool Flat = false;
  bool WordWrap = false;
  bool HasPopupMenu = false;
  TLbButtonStyle Style = bsNormal;
  TColor Color = clBtnFace;
  TColor ColorWhenDown = clNone;
  TColor HotTrackColor = clNone;
  TColor LightColor = clWhite;
  TColor ShadowColor = clGray;
  const TFont *Font = nullptr;  // not owned; required
  TLbButtonLayout Layout = TLbButtonLayout::blGlyphLeft;
  QString Caption;
  TAlignment Alignment = taCenter;
};

// Stateless painter of the button face at (0, 0) of Canvas.
void DrawLbButton(TCanvas *Canvas, const TLbButtonFace &Face);

// Vertical gradient of 32 bands used by the bsModern look.
void LbGradientFill(TCanvas *Canvas, const TRect &Rect, TColor StartColor, TColor EndColor);

// The glyphs of the kinds ("LBOK" ... "LBALL") and the drop-down arrow ("LBARROW"),
// registered with the framework's drawn bitmaps.
void RegisterLbButtonBitmaps();

// The fade ticker: a parked UI-thread timer that calls Notify every 30 ms while awake.
class TLbButtonThread {
public:
  explicit TLbButtonThread(TNotifyEvent Notify);
  ~TLbButtonThread();
  void Resume();   // wake
  void Suspend();  // park
  bool Suspended() const { return FSuspended; }
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // One tick, as the timer runs it (tests call it to step the fade).
  void DoEvent();

private:
  std::unique_ptr<TTimer> FTimer;
  TNotifyEvent FNotify;
  bool FSuspended = true;
  bool FTerminated = false;
};

class TLbButton : public TCustomControl {
public:
  explicit TLbButton(TComponent *AOwner);
  ~TLbButton() override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  QString Caption() const { return GetText(); }
  void SetCaption(const QString &Value);
  TLbColorStyle ColorStyle() const { return FDummyStyle; }
  void SetColorStyle(TLbColorStyle Value);
  TColor ColorWhenDown() const { return FColorWhenDown; }
  void SetColorWhenDown(TColor Value) { FColorWhenDown = Value; }
  bool Default() const { return FDefault; }
  void SetDefault(bool Value) { FDefault = Value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  TBitmap *Glyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap *Value);
  TColor HotTrackColor() const { return FHotTrackColor; }
  void SetHotTrackColor(TColor Value) { FHotTrackColor = Value; }
  TFont *HotTrackFont() const { return FHTFont.get(); }
  void SetHotTrackFont(const TFont *Value);
  TLbButtonKind Kind() const { return FKind; }
  void SetKind(TLbButtonKind Value);
  TLbButtonLayout Layout() const { return FLayout; }
  void SetLayout(TLbButtonLayout Value);
  TColor LightColor() const { return FLightColor; }
  void SetLightColor(TColor Value);
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value);
  bool SlowDecease() const { return FSlowDecease; }
  void SetSlowDecease(bool Value);
  TLbButtonStyle Style() const { return FStyle; }
  void SetStyle(TLbButtonStyle Value);
  bool UseHotTrackFont() const { return FUseHTFont; }
  void SetUseHotTrackFont(bool Value) { FUseHTFont = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  // The button's own events (OnClick is the control's).
  TNotifyEvent OnMouseExit;

  void SetEnabled(bool Value) override;
  void Click() override;

  // State, for the look and for tests.
  bool Down() const { return bDown; }
  bool CursorOnButton() const { return bCursorOnButton; }
  int HotTrackStep() const { return FHotTrackStep; }
  TLbButtonThread *FadeThread() const { return FThread.get(); }
  // The window's extended style as the look sets it (WS_EX_TRANSPARENT or 0).
  uint32_t ExStyle() const { return FExStyle; }

  void CMMouseEnter(TMessage &Message) override;
  void CMMouseLeave(TMessage &Message) override;
  void CMFocusChanged(TCMFocusChanged &Message) override;
  void CMDialogKey(TCMDialogKey &Message) override;
  void CMDialogChar(TCMDialogChar &Message) override;
  void CNKeyDown(TWMKey &Message) override;
  void CNKeyUp(TWMKey &Message) override;

  void FadeStep(TObject *Sender);

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  TAlignment FAlignment = taCenter;
  TColor FShadowColor = clGray;
  TColor FColorWhenDown = clNone;
  bool FEnabled = true;
  bool FFlat = false;
  bool FWordWrap = false;
  std::unique_ptr<TBitmap> FGlyph;
  TColor FHotTrackColor = clNone;
  std::unique_ptr<TFont> FHTFont;
  TLbButtonKind FKind = TLbButtonKind::bkCustom;
  TLbButtonLayout FLayout = TLbButtonLayout::blGlyphLeft;
  TColor FLightColor = clWhite;
  TModalResult FModalResult = mrNone;
  int FNumGlyphs = 0;
  bool FUseHTFont = false;
  TLbColorStyle FDummyStyle = lcsCustom;
  TLbButtonStyle FStyle = bsNormal;
  bool FDefault = false;
  bool FCancel = false;
  bool FSlowDecease = false;
  bool bDown = false;
  bool bCursorOnButton = false;
  std::unique_ptr<TLbButtonThread> FThread;
  int FHotTrackStep = 0;
  uint32_t FExStyle = 0;
  bool FDestroying = false;

  void ClickAction();
  void ShutDownThread();
  bool IsHot();
};
