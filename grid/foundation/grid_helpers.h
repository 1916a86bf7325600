#pragma once
// Small objects the grid builds on: the controls embedded in cells, a cell picture kept as a
// file name, a string list read and written line by line (text import and export), and the
// gradient and colour looks of the search panel's buttons.
#include "framework/classes/classes.h"
#include "framework/controls/controls.h"
#include "framework/graphics/graphics.h"
#include "framework/stdctrls/buttons.h"
#include "framework/stdctrls/menus.h"
#include "framework/stdctrls/stdctrls.h"

#include <QString>

// A control placed in cell (X, Y); the control is not owned.
class TControlItem : public TObject {
public:
  TControlItem(int AX, int AY, TControl *AControl) : X(AX), Y(AY), Control(AControl) {}
  int X;
  int Y;
  TControl *Control;
};

// Owns its items (never their controls).
class TControlList : public TList {
public:
  ~TControlList() override;
  TControlItem *Item(int i) const { return static_cast<TControlItem *>(Items(i)); }
  TControl *Control(int i) const { return Item(i)->Control; }
  void AddControl(int X, int Y, TControl *AObject);
  void RemoveControl(int i);
  // Index of the first item for the cell, -1 when none.
  int ControlIndex(int X, int Y) const;
  // True when an item's control is a windowed control whose window is Handle.
  bool HasHandle(HWND Handle) const;
};

// A cell picture kept as a file name: the file is read only to learn its size and to draw.
class TFilePicture : public TPersistent {
public:
  const QString &Filename() const { return FFilename; }
  // Loads the file once to read its size; an unreadable file leaves the size 0 by 0.
  void SetFilename(const QString &Value);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Reads the file on every call and stretches it into r; nothing for an empty file name.
  void DrawPicture(TCanvas *Canvas, const TRect &r) const;
  void Assign(TPersistent *Source) override;

private:
  QString FFilename;
  int FWidth = 0;
  int FHeight = 0;
};

// A string list read line by line from a read position and written with pending text that
// becomes a line at each WriteLn.
class TFileStringList : public TStringList {
public:
  void Reset();
  bool Eof() const { return fp >= Count(); }
  // Reading past the last line gives an empty line and leaves the position where it is, so a
  // reader that misses Eof does not run off the list.
  void ReadLn(QString &s);
  void Write(const QString &s) { cache += s; }
  void WriteLn(const QString &s);

private:
  int fp = 0;
  QString cache;
};

// Steps vertical (or, when Horizontal, side by side) bands from FromColor to ToColor, then a
// frame in BorderColor unless it is clNone. Steps 0 draws one band.
void DrawButtonGradient(TCanvas *Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect &R,
                        int Steps, TColor BorderColor);

// The colours a grid button look sets.
struct TZavGridButtonColors {
  TColor Color = clBtnFace;
  TColor ColorTo = clNone;
  TColor ColorDown = RGB(210, 211, 216);
  TColor ColorDownTo = clNone;
  TColor ColorHot = RGB(199, 199, 202);
  TColor ColorHotTo = clNone;
  TColor ColorChecked = clGray;
  TColor ColorCheckedTo = clNone;
  TColor BorderColor = clNone;
  TColor BorderDownColor = clNone;
  TColor BorderHotColor = clNone;
  bool Flat = true;
  bool Rounded = false;
};

// Applies look 0..6 (0 rounded Office, 1 classic XP, 2..4 the XP colour schemes blue,
// olive and silver, 5 plain, 6 yellow); other values change nothing.
void ApplyZavGridButtonLook(TZavGridButtonColors &C, int Look);

#include "grid/foundation/grid_enums.h"

// The search panel's flat push button: speed-button states and groups, a check style, a
// drop-down part at the right edge and the colour looks above.
class TZavGridButton : public TGraphicControl {
public:
  explicit TZavGridButton(TComponent *AOwner);

  // Colour properties; changing them through the reference needs an Invalidate.
  TZavGridButtonColors &Colors() { return FColors; }
  const TZavGridButtonColors &Colors() const { return FColors; }
  int Look() const { return FLook; }
  void SetLook(int Value);

  TZavGridButtonStyle Style() const { return FStyle; }
  void SetStyle(TZavGridButtonStyle Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  bool DropDownButton() const { return FDropDownButton; }
  void SetDropDownButton(bool Value);
  TPopupMenu *DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu *Value) { FDropDownMenu = Value; }
  TButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }

  // Setting Glyph also makes a grey GlyphDisabled when that is empty. The glyph shown is
  // GlyphHot while hot, GlyphDown while down, GlyphDisabled when disabled, else Glyph.
  TBitmap *Glyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap *Value);
  TBitmap *GlyphHot() const { return FGlyphHot.get(); }
  TBitmap *GlyphDown() const { return FGlyphDown.get(); }
  TBitmap *GlyphDisabled() const { return FGlyphDisabled.get(); }
  TBitmap *CurrentGlyph() const;

  TNotifyEvent OnDropDown;

  void Click() override;
  void DblClick() override;
  void CMMouseEnter(TMessage &Message) override;
  void CMMouseLeave(TMessage &Message) override;
  void CMEnabledChanged(TMessage &Message) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  void UpdateExclusive();
  bool Hot() const;
  TZavGridButtonColors FColors;
  int FLook = 0;
  TZavGridButtonStyle FStyle = tasButton;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FDropDownButton = false;
  TPopupMenu *FDropDownMenu = nullptr;
  TButtonState FState = bsUp;
  bool FMouseInControl = false;
  bool FDragging = false;
  std::unique_ptr<TBitmap> FGlyph, FGlyphHot, FGlyphDown, FGlyphDisabled;
};

// The search panel's owner-drawn check box (drawn in the classic look).
class TZavCheckBox : public TCustomControl {
public:
  explicit TZavCheckBox(TComponent *AOwner);

  // Box left (taLeftJustify) or right (taRightJustify) of the caption.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout ButtonVertAlign() const { return FButtonVertAlign; }
  void SetButtonVertAlign(TTextLayout Value);
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  bool Ellipsis() const { return FEllipsis; }
  void SetEllipsis(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
  bool Down() const { return FDown; }
  bool Hot() const { return FHot; }

  // Flips Checked unless ReadOnly.
  virtual void Toggle();
  // The box's rectangle in client coordinates.
  TRect BoxRect() const;

  void CMMouseEnter(TMessage &Message) override;
  void CMMouseLeave(TMessage &Message) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t &Key, TShiftState Shift) override;
  void KeyUp(uint16_t &Key, TShiftState Shift) override;

private:
  void Pressed();
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FButtonVertAlign = tlTop;
  TCheckBoxState FState = cbUnchecked;
  bool FEllipsis = false;
  bool FReadOnly = false;
  bool FReturnIsTab = false;
  bool FDown = false;
  bool FHot = false;
};
