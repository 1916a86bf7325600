#pragma once
// Standard controls: labels, edits, memos, combo boxes, list boxes, check boxes, radio
// buttons, scroll bars and group boxes. The windowed ones wrap a native Qt widget (their
// handle); the framework's message pipeline gives the widget's events to the control first
// and back to the Qt class through DefaultHandler. Every property is kept by the control, so
// it can be set before the window exists.
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

#include "framework/classes/classes.h"
#include "framework/controls/controls.h"
#include "framework/graphics/graphics.h"

class QLineEdit;
class QPlainTextEdit;
class QComboBox;
class QListWidget;
class QCheckBox;
class QRadioButton;
class QAbstractButton;
class QScrollBar;
class QObject;

// ---------------------------------------------------------------------------------------------
// Enumerations

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
using TLeftRight = TAlignment;
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };
enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };

using TScrollEvent = std::function<void(TObject *Sender, TScrollCode ScrollCode, int &ScrollPos)>;

// ---------------------------------------------------------------------------------------------
// A string list kept by a control: the items live in the control (so they exist before the
// window) and every change is reported to it, which mirrors it into its widget.

class TControlStrings : public TStrings {
public:
  using TChangeHook = std::function<void()>;
  explicit TControlStrings(TChangeHook AOnChange) : FOnChange(std::move(AOnChange)) {}

  int Count() const override { return int(FItems.size()); }
  QString Get(int Index) const override;
  void Put(int Index, const QString &S) override;
  TObject *GetObject(int Index) const override;
  void PutObject(int Index, TObject *AObject) override;
  int Add(const QString &S) override;
  int AddObject(const QString &S, TObject *AObject) override;
  void Insert(int Index, const QString &S) override;
  void Delete(int Index) override;
  void Clear() override;
  void Exchange(int Index1, int Index2) override;
  int IndexOf(const QString &S) const override;

  // Kept in case-insensitive order when set (combo and list boxes).
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  QStringList List() const;
  // Replaces every item without reporting each (used when the widget changed them).
  void Reset(const QStringList &Items);

protected:
  void SetUpdateState(bool Updating) override;

private:
  struct TItem {
    QString S;
    TObject *O = nullptr;
  };
  void CheckIndex(int Index) const;
  void Changed();
  int SortedIndex(const QString &S) const;
  std::vector<TItem> FItems;
  TChangeHook FOnChange;
  bool FSorted = false;
  bool FPending = false;
};

// ---------------------------------------------------------------------------------------------
// Label

class TCustomLabel : public TGraphicControl {
public:
  explicit TCustomLabel(TComponent *AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  TWinControl *FocusControl() const { return FFocusControl; }  // not owned
  void SetFocusControl(TWinControl *Value);

  void CMTextChanged(TMessage &Message) override;
  void CMFontChanged(TMessage &Message) override;
  void CMVisibleChanged(TMessage &Message) override;
  void CMDialogChar(TCMDialogChar &Message);
  void Dispatch(TMessage &Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetPos(int ALeft, int ATop) override;
  TRect GetClientRect() const override;
  // Auto-sized labels measured so far (every label of the process).
  static int Measurements();

protected:
  void ChangeScale(int M, int D) override;
  void ResolveBounds() override;
  void Paint() override;
  void Notification(TComponent *AComponent, TOperation Operation) override;
  // Text drawn; the label's caption by default.
  virtual QString GetLabelText() const { return Caption(); }
  // DrawText with the label's flags (DT_CALCRECT measures); disabled text is embossed.
  virtual void DoDrawText(TRect &Rect, uint32_t Flags);
  virtual void AdjustBounds();

  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  TWinControl *FFocusControl = nullptr;
  bool FAutoSize = true;
  bool FWordWrap = false;
  bool FTransparent = false;
  bool FShowAccelChar = true;
};

class TLabel : public TCustomLabel {
public:
  explicit TLabel(TComponent *AOwner) : TCustomLabel(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// Edits

// Edit window styles the create parameters carry. ES_MULTILINE gives a multi-line window;
// it wraps words unless ES_AUTOHSCROLL is set too.
enum : uint32_t {
  ES_LEFT = 0x0000, ES_CENTER = 0x0001, ES_RIGHT = 0x0002, ES_MULTILINE = 0x0004,
  ES_UPPERCASE = 0x0008, ES_LOWERCASE = 0x0010, ES_PASSWORD = 0x0020, ES_AUTOVSCROLL = 0x0040,
  ES_AUTOHSCROLL = 0x0080, ES_NOHIDESEL = 0x0100, ES_READONLY = 0x0800, ES_WANTRETURN = 0x1000,
};

class TCustomEdit : public TWinControl {
public:
  explicit TCustomEdit(TComponent *AOwner);
  ~TCustomEdit() override;

  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  QChar PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(QChar Value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value) { FHideSelection = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool Modified() const;
  void SetModified(bool Value);

  // Selection, 0-based character positions.
  virtual int SelStart() const;
  virtual void SetSelStart(int Value);
  virtual int SelLength() const;
  virtual void SetSelLength(int Value);
  virtual QString SelText() const;
  virtual void SetSelText(const QString &Value);
  void SelectAll();
  void ClearSelection();
  void Clear();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  bool CanUndo() const;

  QString GetText() const override;
  TNotifyEvent OnChange;

  void CMTextChanged(TMessage &Message) override;
  void CMEnter(TCMEnter &Message) override;
  void CMFontChanged(TMessage &Message) override;
  void CMColorChanged(TMessage &Message) override;
  void CMEnabledChanged(TMessage &Message) override;
  // The window's EN_CHANGE, reflected back from the parent.
  virtual void CNCommand(TWMCommand &Message);
  void Dispatch(TMessage &Message) override;
  void DefaultHandler(TMessage &Message) override;

protected:
  virtual void Change();
  void CreateParams(TCreateParams &Params) override;
  // A line edit, or a multi-line edit when Params has ES_MULTILINE.
  QWidget *CreateWindowHandle(const TCreateParams &Params) override;
  void CreateWindowDone() override;
  void DestroyWnd() override;
  void SetTextInternal(const QString &Value) override;
  // The native line edit (nullptr without a window or for a memo).
  QLineEdit *LineEdit() const;
  // The native multi-line edit (nullptr without a window or for a single-line one).
  QPlainTextEdit *MultiLineEdit() const;
  // Widget text of the control; the base reads the line edit.
  virtual QString NativeText() const;
  virtual void SetNativeText(const QString &Value);
  virtual void ApplyLook();
  virtual void ApplyProperties();
  // Converts text by CharCase.
  QString CaseText(const QString &S) const;
  // The text in the widget changed: the parent hears of it as WM_COMMAND/EN_CHANGE.
  void NativeEdited();
  // The same for a multi-line window, which also keeps MaxLength here.
  void MultiLineEdited();

  int FMaxLength = 0;
  bool FReadOnly = false;
  QChar FPasswordChar = QChar(0);
  TEditCharCase FCharCase = ecNormal;
  TBorderStyle FBorderStyle = bsSingle;
  bool FAutoSelect = true;
  bool FHideSelection = true;
  TAlignment FAlignment = taLeftJustify;
  bool FModified = false;
  int FSettingText = 0;
  // The window is the multi-line edit CreateWindowHandle made for ES_MULTILINE.
  bool FMultiLineWindow = false;
  // Selection kept while there is no window.
  int FSelStart = 0;
  int FSelLength = 0;
  // Context of the widget's signal connections: they end with the control.
  std::unique_ptr<QObject> FSignals;
};

class TEdit : public TCustomEdit {
public:
  explicit TEdit(TComponent *AOwner) : TCustomEdit(AOwner) {}
};

// Multi-line edit. Text uses CR LF between lines, as the platform's.
class TCustomMemo : public TCustomEdit {
public:
  explicit TCustomMemo(TComponent *AOwner);
  ~TCustomMemo() override;

  TStrings *Lines() const { return FLines.get(); }
  void SetLines(TStrings *Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  // Position of the caret: X is the column, Y the line.
  TPoint CaretPos() const;
  void SetCaretPos(TPoint Value);

  void WMGetDlgCode(TWMGetDlgCode &Message) override;

protected:
  // The window is the edit's multi-line one (ES_MULTILINE), wrapping unless told otherwise.
  void CreateParams(TCreateParams &Params) override;
  void ApplyProperties() override;

  std::unique_ptr<TStrings> FLines;
  bool FWordWrap = true;
  TScrollStyle FScrollBars = ssNone;
  bool FWantReturns = true;
  bool FWantTabs = false;

private:
  class TMemoStrings;
};

class TMemo : public TCustomMemo {
public:
  explicit TMemo(TComponent *AOwner) : TCustomMemo(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// Combo box

class TCustomComboBox : public TWinControl {
public:
  explicit TCustomComboBox(TComponent *AOwner);
  ~TCustomComboBox() override;

  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  TStrings *Items() const { return FItems.get(); }
  void SetItems(TStrings *Value);
  int ItemIndex() const;
  void SetItemIndex(int Value);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value);
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool Value);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value) { FCharCase = Value; }
  // Typed text is completed from the items (the platform's own completion).
  bool AutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool Value);
  bool DroppedDown() const;
  void SetDroppedDown(bool Value);
  // Width of the dropped list (CB_SETDROPPEDWIDTH); at least the control's width.
  int DroppedWidth() const { return FDroppedWidth; }
  void SetDroppedWidth(int Value);
  int SelStart() const;
  void SetSelStart(int Value);
  int SelLength() const;
  void SetSelLength(int Value);
  void SelectAll();
  void Clear();
  void AddItem(const QString &Item, TObject *AObject) { FItems->AddObject(Item, AObject); }
  // Sets the edit field's text and keeps the selected item, as the platform's combo does.
  void SetEditText(const QString &Value);
  // Character position in the edit field under a client x (EM_CHARFROMPOS); -1 without one.
  int CharFromPos(int X) const;

  QString GetText() const override;

  // A drop-down list's type-ahead: characters typed less than TypeAheadInterval apart search
  // the items as one prefix, a longer pause starts a new search.
  static constexpr uint32_t TypeAheadInterval = 1000;
  // Milliseconds for the type-ahead's pauses; an empty clock is GetTickCount. Gives back the
  // clock it replaces.
  static std::function<uint32_t()> SetTypeAheadClock(std::function<uint32_t()> Clock);

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

  void CMFontChanged(TMessage &Message) override;
  void CMColorChanged(TMessage &Message) override;
  void CMEnabledChanged(TMessage &Message) override;
  void WMGetDlgCode(TWMGetDlgCode &Message) override;
  // WM_PAINT with a canvas in WParam (the window's paint): the platform's look into it.
  void DefaultHandler(TMessage &Message) override;
  void Dispatch(TMessage &Message) override;

protected:
  virtual void Change();
  // The user chose an item: OnSelect when assigned, else OnChange.
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();
  QWidget *CreateWindowHandle(const TCreateParams &Params) override;
  void CreateWindowDone() override;
  void DestroyWnd() override;
  void SetTextInternal(const QString &Value) override;
  QComboBox *ComboBox() const;
  void ItemsChanged();
  void ApplyLook();
  void NativeActivated(int Index);
  void NativeEdited(const QString &Text);
  // A user action: to the parent as WM_COMMAND, reflected back as CN_COMMAND.
  void Notify(uint16_t Code);
  void Reflected(uint16_t Code);
  // Takes a typed character into the type-ahead and selects the item it finds (no notification);
  // gives back the item index now selected.
  int TypeAhead(QChar Ch);

  std::unique_ptr<TControlStrings> FItems;
  TComboBoxStyle FStyle = csDropDown;
  int FItemIndex = -1;
  int FDropDownCount = 8;
  int FMaxLength = 0;
  TEditCharCase FCharCase = ecNormal;
  int FUpdatingWidget = 0;
  int FDroppedWidth = 0;
  bool FAutoComplete = true;
  QString FTypeAhead;  // the prefix typed so far
  uint32_t FTypeAheadTick = 0;

  friend class TComboWidget;
  // Context of the widget's signal connections: they end with the control.
  std::unique_ptr<QObject> FSignals;
};

class TComboBox : public TCustomComboBox {
public:
  explicit TComboBox(TComponent *AOwner) : TCustomComboBox(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// List box

class TCustomListBox : public TWinControl {
public:
  explicit TCustomListBox(TComponent *AOwner);
  ~TCustomListBox() override;

  TStrings *Items() const { return FItems.get(); }
  void SetItems(TStrings *Value);
  int ItemIndex() const;
  void SetItemIndex(int Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool Value);
  bool Selected(int Index) const;
  void SetSelected(int Index, bool Value);
  int SelCount() const;
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool Value);
  int TopIndex() const;
  void SetTopIndex(int Value);
  int ItemHeight() const;
  void SetItemHeight(int Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value) { FStyle = Value; }
  // Index of the item at a client point; -1 (or Count when Existing is false) below the last.
  int ItemAtPos(TPoint Pos, bool Existing) const;
  TRect ItemRect(int Index) const;
  void Clear();
  void ClearSelection();
  void SelectAll();
  void AddItem(const QString &Item, TObject *AObject) { FItems->AddObject(Item, AObject); }

  void CMFontChanged(TMessage &Message) override;
  void CMColorChanged(TMessage &Message) override;
  void CMEnabledChanged(TMessage &Message) override;

protected:
  QWidget *CreateWindowHandle(const TCreateParams &Params) override;
  void CreateWindowDone() override;
  void DestroyWnd() override;
  QListWidget *ListWidget() const;
  virtual void ItemsChanged();
  void ApplyLook();
  void ApplySelection();
  void NativeSelectionChanged();

  std::unique_ptr<TControlStrings> FItems;
  std::vector<bool> FSelected;  // selection kept while there is no window
  int FItemIndex = -1;
  int FTopIndex = 0;
  int FItemHeight = 0;  // 0: from the font
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  TBorderStyle FBorderStyle = bsSingle;
  TListBoxStyle FStyle = lbStandard;
  int FUpdatingWidget = 0;
  // Context of the widget's signal connections: they end with the control.
  std::unique_ptr<QObject> FSignals;
};

class TListBox : public TCustomListBox {
public:
  explicit TListBox(TComponent *AOwner) : TCustomListBox(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// Check box and radio button

class TButtonControl : public TWinControl {
public:
  explicit TButtonControl(TComponent *AOwner);
  ~TButtonControl() override;
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  void CMFontChanged(TMessage &Message) override;
  void CMColorChanged(TMessage &Message) override;
  void CMTextChanged(TMessage &Message) override;
  void CMEnabledChanged(TMessage &Message) override;

protected:
  // Click calls made by setting Checked are suppressed while > 0.
  bool ClicksDisabled() const { return FClicksDisabled > 0; }
  void DisableClicks() { ++FClicksDisabled; }
  void EnableClicks() { --FClicksDisabled; }
  QAbstractButton *Button() const;
  virtual void ApplyLook();
  // The user pressed the widget (mouse or space): the control decides the new state.
  virtual void Toggle() = 0;
  virtual void UpdateWidgetState() = 0;

  bool FWordWrap = false;
  int FClicksDisabled = 0;
  TAlignment FAlignment = taRightJustify;

  template <class TWidget>
  friend class TToggleWidget;
};

class TCustomCheckBox : public TButtonControl {
public:
  explicit TCustomCheckBox(TComponent *AOwner);

  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  // A change of state calls Click (OnClick), also when made by the program.
  void SetState(TCheckBoxState Value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  // taRightJustify: caption right of the box.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

protected:
  QWidget *CreateWindowHandle(const TCreateParams &Params) override;
  void CreateWindowDone() override;
  void Toggle() override;
  void UpdateWidgetState() override;

  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
};

class TCheckBox : public TCustomCheckBox {
public:
  explicit TCheckBox(TComponent *AOwner) : TCustomCheckBox(AOwner) {}
};

// Checking one radio button unchecks the radio buttons that share its parent.
class TRadioButton : public TButtonControl {
public:
  explicit TRadioButton(TComponent *AOwner);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

protected:
  QWidget *CreateWindowHandle(const TCreateParams &Params) override;
  void CreateWindowDone() override;
  void Toggle() override;
  void UpdateWidgetState() override;

  bool FChecked = false;
};

// ---------------------------------------------------------------------------------------------
// Scroll bar

class TScrollBar : public TWinControl {
public:
  explicit TScrollBar(TComponent *AOwner);
  ~TScrollBar() override;

  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  int Min() const { return FMin; }
  void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
  int Max() const { return FMax; }
  void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
  int Position() const { return FPosition; }
  void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  int SmallChange() const { return FSmallChange; }
  void SetSmallChange(int Value);
  int LargeChange() const { return FLargeChange; }
  void SetLargeChange(int Value);
  // Clamps the position into the range (less the page); a new position calls OnChange.
  void SetParams(int APosition, int AMin, int AMax);

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

  void CNHScroll(TWMScroll &Message);
  void CNVScroll(TWMScroll &Message);
  void Dispatch(TMessage &Message) override;

protected:
  virtual void Change();
  virtual void Scroll(TScrollCode ScrollCode, int &ScrollPos);
  // Applies a scroll action the way the platform's scroll bar reports it.
  void DoScroll(TWMScroll &Message);
  QWidget *CreateWindowHandle(const TCreateParams &Params) override;
  void CreateWindowDone() override;
  QScrollBar *Bar() const;
  void ApplyToWidget();
  void NativeAction(int Action);
  void NativeReleased();

  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FPageSize = 0;
  int FSmallChange = 1;
  int FLargeChange = 1;
  int FUpdatingWidget = 0;
  // Context of the widget's signal connections: they end with the control.
  std::unique_ptr<QObject> FSignals;
};

// ---------------------------------------------------------------------------------------------
// Group box: an etched frame with the caption in its top edge.

class TCustomGroupBox : public TCustomControl {
public:
  explicit TCustomGroupBox(TComponent *AOwner);
  void CMTextChanged(TMessage &Message) override;
  void CMFontChanged(TMessage &Message) override;

protected:
  void Paint() override;
  void AdjustClientRect(TRect &Rect) override;
};

class TGroupBox : public TCustomGroupBox {
public:
  explicit TGroupBox(TComponent *AOwner) : TCustomGroupBox(AOwner) {}
};
