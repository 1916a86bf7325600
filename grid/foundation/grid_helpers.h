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
#include "grid/foundation/grid_enums.h"

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

// Where glyph and caption go inside Client (the speed-button rules): along the layout axis
// Margin -1 with Spacing -1 splits the free space into three equal gaps, Margin -1 alone
// centres glyph, spacing and text, Spacing -1 alone centres the text in the space after the
// glyph; the other axis is centred. A missing glyph or caption makes the spacing 0.
void CalcZavGridButtonLayout(const TRect &Client, TSize GlyphSize, TSize TextSize, TButtonLayout Layout,
                             int Margin, int Spacing, TPoint &GlyphPos, TRect &TextBounds);

class TZavGridButton;
class TZavGridButtonActionLink;

// A command grid buttons can follow: its caption, checked state and group index reach every
// linked button. Linked buttons are not owned.
class TZavGridAction : public TComponent {
public:
  explicit TZavGridAction(TComponent *AOwner) : TComponent(AOwner) {}
  ~TZavGridAction() override;
  const QString &Caption() const { return FCaption; }
  void SetCaption(const QString &Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  TNotifyEvent OnExecute;
  // Fires OnExecute; false when it has none.
  bool Execute();

private:
  friend class TZavGridButtonActionLink;
  QString FCaption;
  bool FChecked = false;
  int FGroupIndex = 0;
  std::vector<TZavGridButtonActionLink *> FClients;
};

// Ties a grid button to an action: a property of the button follows the action while the
// two agree (the checked state only for a grouped button that allows all up).
class TZavGridButtonActionLink {
public:
  explicit TZavGridButtonActionLink(TZavGridButton *AClient) : FClient(AClient) {}
  ~TZavGridButtonActionLink() { SetAction(nullptr); }
  TZavGridAction *Action() const { return FAction; }
  void SetAction(TZavGridAction *Value);
  bool IsCaptionLinked() const;
  bool IsCheckedLinked() const;
  bool IsGroupIndexLinked() const;
  void SetCaption(const QString &Value);
  void SetChecked(bool Value);
  void SetGroupIndex(int Value);
  bool Execute() { return FAction && FAction->Execute(); }

private:
  friend class TZavGridAction;
  TZavGridButton *FClient;
  TZavGridAction *FAction = nullptr;
};

// The search panel's push button: speed-button states and groups, a check style, a drop-down
// part at the right edge, the colour looks above, and glyphs per state.
class TZavGridButton : public TGraphicControl, public TGroupedButton<TZavGridButton> {
public:
  explicit TZavGridButton(TComponent *AOwner);
  ~TZavGridButton() override;

  // Colour properties; changing them through the reference needs an Invalidate.
  TZavGridButtonColors &Colors() { return FColors; }
  const TZavGridButtonColors &Colors() const { return FColors; }
  int Look() const { return FLook; }
  void SetLook(int Value);
  bool Flat() const { return FColors.Flat; }
  void SetFlat(bool Value);

  TZavGridButtonStyle Style() const { return FStyle; }
  void SetStyle(TZavGridButtonStyle Value);
  void SetDown(bool Value);
  bool DropDownButton() const { return FDropDownButton; }
  void SetDropDownButton(bool Value);
  TPopupMenu *DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu *Value) { FDropDownMenu = Value; }
  bool MouseInControl() const { return FMouseInControl; }

  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  // Transparent (TGroupedButton) leaves the pixel ring outside the face to the parent; else it
  // gets Color.
  // A hot flat button lifts its glyph and caption over a grey shadow of the glyph.
  bool Shaded() const { return FShaded; }
  void SetShaded(bool Value);
  TBitmap *GlyphShade() const { return FGlyphShade.get(); }

  // Picks the look of the current visual style now, after loading, and when the theme or the
  // system font changes.
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);
  // A non-flat button draws the themed push button where visual styles allow it.
  bool AutoXPStyle() const { return FAutoXPStyle; }
  void SetAutoXPStyle(bool Value);

  // Setting Glyph also makes a grey GlyphDisabled when that is empty. The glyph shown is
  // GlyphHot while hot, GlyphDown while down, GlyphDisabled when disabled, else Glyph.
  TBitmap *Glyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap *Value);
  TBitmap *GlyphHot() const { return FGlyphHot.get(); }
  void SetGlyphHot(const TBitmap *Value);
  TBitmap *GlyphDown() const { return FGlyphDown.get(); }
  void SetGlyphDown(const TBitmap *Value);
  TBitmap *GlyphDisabled() const { return FGlyphDisabled.get(); }
  void SetGlyphDisabled(const TBitmap *Value);
  TBitmap *CurrentGlyph() const;

  // Not owned; nullptr unlinks.
  TZavGridAction *Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
  void SetAction(TZavGridAction *Value);
  TZavGridButtonActionLink *ActionLink() const { return FActionLink.get(); }

  TNotifyEvent OnDropDown;

  void Click() override;
  void DblClick() override;
  void Dispatch(TMessage &Message) override;
  void CMMouseEnter(TMessage &Message) override;
  void CMMouseLeave(TMessage &Message) override;
  void CMEnabledChanged(TMessage &Message) override;
  void CMTextChanged(TMessage &Message) override;

protected:
  void Paint() override;
  void Loaded() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  void ThemeAdapt();
  void CreateGlyphShade();
  bool Hot() const;
  // Draws the face; answers the rectangle left for the content.
  TRect PaintFlatFace();
  TRect PaintButtonFace();
  TZavGridButtonColors FColors;
  int FLook = 0;
  TZavGridButtonStyle FStyle = tasButton;
  bool FDropDownButton = false;
  TPopupMenu *FDropDownMenu = nullptr;
  bool FMouseInControl = false;
  bool FDragging = false;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  bool FShowCaption = true;
  bool FShaded = true;
  bool FAutoThemeAdapt = false;
  bool FAutoXPStyle = false;
  bool FIsComCtl6 = false;
  std::unique_ptr<TBitmap> FGlyph, FGlyphHot, FGlyphDown, FGlyphDisabled, FGlyphShade;
  std::unique_ptr<TZavGridButtonActionLink> FActionLink;
};

// True when visual styles are active on a system and common controls that theme check boxes.
bool UseThemedCheckBox();

// The search panel's owner-drawn check box: the themed box where visual styles are active,
// else the classic one; optionally transparent over its parent.
class TZavCheckBox : public TCustomControl {
public:
  explicit TZavCheckBox(TComponent *AOwner);
  ~TZavCheckBox() override;

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
  // Shows the parent's background instead of Color.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // Paints the parent's background once and reuses it until the size or Transparent changes.
  bool TransparentChaching() const { return FBkgCache; }
  void SetTransparentChaching(bool Value) { FBkgCache = Value; }

  // Flips Checked unless ReadOnly.
  virtual void Toggle();
  // The box's rectangle in client coordinates (14 by 14 when themed, else 13 by 13).
  TRect BoxRect() const;
  // Drops the background cache when transparent.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  void CMMouseEnter(TMessage &Message) override;
  void CMMouseLeave(TMessage &Message) override;
  void CMDialogChar(TCMDialogChar &Message) override;
  void WMEraseBkgnd(TWMEraseBkgnd &Message) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t &Key, TShiftState Shift) override;
  void KeyUp(uint16_t &Key, TShiftState Shift) override;

private:
  void Pressed();
  void PaintParentBackground(TCanvas *Target);
  void PaintBox(TCanvas *c);
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FButtonVertAlign = tlTop;
  TCheckBoxState FState = cbUnchecked;
  bool FEllipsis = false;
  bool FReadOnly = false;
  bool FReturnIsTab = false;
  bool FDown = false;
  bool FHot = false;
  bool FTransparent = false;
  bool FIsWinXP = false;
  bool FBkgCache = false;
  // The cached parent background; empty until painted.
  std::unique_ptr<TBitmap> FBkgBmp;
};
