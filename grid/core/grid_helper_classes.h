#pragma once
// Small classes the string grid owns or hands out: a hidden row taken out of the grid, the row
// filter's conditions, the background settings, the base of custom cell editors, the rich-text
// control, the cell-change listener and the hint window that shows mark-up.
#include <QString>

#include <cstdint>
#include <memory>

#include "framework/classes/classes.h"
#include "framework/controls/controls.h"
#include "framework/controls/forms.h"
#include "framework/graphics/graphics.h"
#include "framework/stdctrls/comctrls.h"

class TZavStringGrid;
class TImageList;
class TPictureContainer;

// ---------------------------------------------------------------------------------------------
// One row taken out of the grid while it is hidden.

class TGridItem : public TCollectionItem {
public:
  explicit TGridItem(TCollection *Collection);
  ~TGridItem() override;

  int Idx() const { return FIdx; }
  void SetIdx(int Value) { FIdx = Value; }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  // The cell texts; the item owns this one list for its whole life.
  TStrings *Items() const { return FItems.get(); }
  // The same list with the string list's own calls (texts moved in and out).
  TStringList *ItemList() const { return FItems.get(); }
  // Copies the texts (and their objects) of Value into the item's own list.
  void SetItems(TStrings *Value);
  int Level() const { return FLevel; }
  void SetLevel(int Value) { FLevel = Value; }

private:
  int FIdx = 0;
  int FHeight = 0;
  std::unique_ptr<TStringList> FItems;
  int FLevel = 0;
};

// ---------------------------------------------------------------------------------------------
// Row filter conditions

enum class TFilterCells { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
using enum TFilterCells;
enum class TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };
using enum TFilterOperation;
enum class TFilterMethod { fmExpression, fmLiteral };
using enum TFilterMethod;

class TFilterData : public TCollectionItem {
public:
  explicit TFilterData(TCollection *Collection);
  void Assign(TPersistent *Source) override;

  int16_t Column() const { return FColumn; }
  void SetColumn(int16_t Value) { FColumn = Value; }
  QString Condition() const { return FCondition; }
  void SetCondition(const QString &Value) { FCondition = Value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
  TFilterCells Data() const { return FData; }
  void SetData(TFilterCells Value) { FData = Value; }
  QString Prefix() const { return FPrefix; }
  void SetPrefix(const QString &Value) { FPrefix = Value; }
  QString Suffix() const { return FSuffix; }
  void SetSuffix(const QString &Value) { FSuffix = Value; }
  TFilterOperation Operation() const { return FOperation; }
  void SetOperation(TFilterOperation Value) { FOperation = Value; }
  TFilterMethod Method() const { return FMethod; }
  void SetMethod(TFilterMethod Value) { FMethod = Value; }

private:
  int16_t FColumn = 0;
  QString FCondition;
  bool FCaseSensitive = true;
  TFilterCells FData = fcVirtual;
  QString FPrefix;
  QString FSuffix;
  TFilterOperation FOperation = foSHORT;
  TFilterMethod FMethod = fmExpression;
};

class TFilter : public TCollection {
public:
  // AOwner: the grid (not owned); repainted when a column's conditions go.
  explicit TFilter(TZavStringGrid *AOwner);

  // A new last condition, joined by AND unless it is the only one.
  TFilterData *Add();
  TFilterData *Insert(int Index);
  TFilterData *Items(int Index) const { return static_cast<TFilterData *>(TCollection::Items(Index)); }
  // The first condition of Col; a new one for Col when there is none.
  TFilterData *GetColFilter(int Col);
  TFilterData *ColumnFilter(int Col) { return GetColFilter(Col); }
  bool HasFilter(int Col) const;
  void RemoveColumnFilter(int Col);
  TPersistent *GetOwner() override;

private:
  TZavStringGrid *FOwner;
};

// ---------------------------------------------------------------------------------------------
// Grid background

enum class TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
using enum TBackGroundDisplay;
enum class TBackGroundCells { bcNormal, bcFixed, bcAll };
using enum TBackGroundCells;

class TBackGround : public TPersistent {
public:
  // AGrid: not owned; invalidated by every write.
  explicit TBackGround(TZavStringGrid *AGrid);
  ~TBackGround() override;

  int Top() const { return FTop; }
  void SetTop(int Value);
  int Left() const { return FLeft; }
  void SetLeft(int Value);
  TBackGroundDisplay Display() const { return FDisplay; }
  void SetDisplay(TBackGroundDisplay Value);
  TBitmap *Bitmap() const { return FBitmap.get(); }
  // Copies Value.
  void SetBitmap(TBitmap *Value);
  TBackGroundCells Cells() const { return FCells; }
  void SetCells(TBackGroundCells Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);

private:
  void Changed();
  TZavStringGrid *FGrid;
  int FTop = 0;
  int FLeft = 0;
  TBackGroundDisplay FDisplay = bdTile;
  std::unique_ptr<TBitmap> FBitmap;
  TBackGroundCells FCells = bcNormal;
  TColor FColor = clWindow;
  TColor FColorTo = clBtnFace;
};

// ---------------------------------------------------------------------------------------------
// Base of custom cell editors (editor kind edCustom)

enum class TEditStyle { esInplace, esPopup };
using enum TEditStyle;

class TEditLink : public TComponent {
public:
  // AOwner: the grid the editor edits in.
  explicit TEditLink(TComponent *AOwner);
  ~TEditLink() override;

  TZavStringGrid *Grid() const { return FOwner; }
  TPoint EditCell() const { return FEditCell; }
  void SetEditCell(TPoint Value) { FEditCell = Value; }

  bool WantKeyLeftRight() const { return FWantKeyLeftRight; }
  void SetWantKeyLeftRight(bool Value) { FWantKeyLeftRight = Value; }
  bool WantKeyUpDown() const { return FWantKeyUpDown; }
  void SetWantKeyUpDown(bool Value) { FWantKeyUpDown = Value; }
  bool WantKeyHomeEnd() const { return FWantKeyHomeEnd; }
  void SetWantKeyHomeEnd(bool Value) { FWantKeyHomeEnd = Value; }
  bool WantKeyPriorNext() const { return FWantKeyPriorNext; }
  void SetWantKeyPriorNext(bool Value) { FWantKeyPriorNext = Value; }
  bool WantKeyReturn() const { return FWantKeyReturn; }
  void SetWantKeyReturn(bool Value) { FWantKeyReturn = Value; }
  bool WantKeyEscape() const { return FWantKeyEscape; }
  void SetWantKeyEscape(bool Value) { FWantKeyEscape = Value; }
  TEditStyle EditStyle() const { return FEditStyle; }
  void SetEditStyle(TEditStyle Value) { FEditStyle = Value; }
  TForm *PopupForm() const { return FPopupForm; }
  void SetPopupForm(TForm *Value) { FPopupForm = Value; }
  int PopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(int Value) { FPopupWidth = Value; }
  int PopupHeight() const { return FPopupHeight; }
  void SetPopupHeight(int Value) { FPopupHeight = Value; }
  bool AutoPopupWidth() const { return FAutoPopupWidth; }
  void SetAutoPopupWidth(bool Value) { FAutoPopupWidth = Value; }
  int PopupLeft() const { return FPopupLeft; }
  void SetPopupLeft(int Value) { FPopupLeft = Value; }
  int PopupTop() const { return FPopupTop; }
  void SetPopupTop(int Value) { FPopupTop = Value; }
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  bool ForcedExit() const { return FForcedExit; }
  bool SubClassed() const { return FSubClassed; }

  // Overridden by a custom editor (slot order kept).
  virtual void EditKeyDown(TObject *Sender, uint16_t &Key, TShiftState Shift);
  virtual TWinControl *GetEditControl();
  virtual void CreateEditor(TWinControl *AParent);
  virtual void DestroyEditor();
  virtual void SetFocus(bool Value);
  virtual void SetRect(TRect r);
  virtual void SetVisible(bool Value);
  virtual void SetProperties();
  virtual void SetCellProps(TColor AColor, TFont *AFont);
  virtual QString GetEditorValue();
  virtual void SetEditorValue(const QString &s);

  // The popup form for esPopup, else the grid.
  TWinControl *GetParent();
  QString GetCellValue();
  void SetCellValue(const QString &s);
  void HideEditor();
  void RestoreWinProc();
  // The control whose messages go through the grid gets its own procedure back.
  void EndSubClass();
  void EditExit(TObject *Sender);
  void FormExit(TObject *Sender);

protected:
  void Notification(TComponent *AComponent, TOperation Operation) override;

private:
  // Steps 4 and 5 of a key that leaves the editor: close it, then move on or reopen.
  void EndEditing(uint16_t &Key, TShiftState Shift);
  void GridTakesFocus();

  TZavStringGrid *FOwner;
  TWinControl *FSubClassedControl = nullptr;  // not owned; watched for its destruction
  bool FWantKeyLeftRight = false;
  bool FWantKeyUpDown = false;
  bool FWantKeyHomeEnd = false;
  bool FWantKeyPriorNext = false;
  bool FWantKeyReturn = false;
  bool FWantKeyEscape = false;
  TEditStyle FEditStyle = esInplace;
  TForm *FPopupForm = nullptr;  // not owned
  int FPopupWidth = 0;
  int FPopupHeight = 0;
  bool FForcedExit = false;
  TPoint FEditCell;
  bool FAutoPopupWidth = false;
  int FPopupLeft = -1;
  int FPopupTop = -1;
  bool FSubClassed = false;
  bool FWantReturns = false;
  bool FWantTabs = false;
};

// ---------------------------------------------------------------------------------------------
// Rich-text control used to measure and edit rich-text cells

class TZavRichEdit : public TRichEdit {
public:
  // AOwner must be a TZavStringGrid.
  explicit TZavRichEdit(TComponent *AOwner);

  int ReqHeight() const { return FReqHeight; }
  int ReqWidth() const { return FReqWidth; }
  bool Locked() const { return FLocked; }

  void ReCreate();
  // Offset of the selected characters: 0, lowered or raised by 40 twips.
  void SelNormal();
  void SelSubscript();
  void SelSuperscript();
  bool IsSelNormal() const;
  bool IsSelSubscript() const;
  bool IsSelSuperscript() const;
  void Lock() { FLocked = true; }
  void Unlock() { FLocked = false; }

  // The control asks for this size (the platform's resize request of a rich edit).
  void RequestSize(int AWidth, int AHeight);

  void WMGetDlgCode(TWMGetDlgCode &Message) override;
  void WMKillFocus(TWMKillFocus &Message) override;

protected:
  void KeyDown(uint16_t &Key, TShiftState Shift) override;

private:
  TZavStringGrid *FGrid;
  int FReqHeight = 0;
  int FReqWidth = 0;
  bool FLocked = false;
};

// ---------------------------------------------------------------------------------------------
// Listener for cell changes, registered with the grid

class TGridChangeNotifier : public TComponent {
public:
  using TComponent::TComponent;
  virtual void CellsChanged(TRect R) {}
};

// ---------------------------------------------------------------------------------------------
// Hint window for mark-up hints

// Name of the font packed wide-text hints are drawn with; the grid sets it before a hint shows.
QString &HintFontName();

class THTMLHintWindow : public THintWindow {
public:
  explicit THTMLHintWindow(TComponent *AOwner);

  void ActivateHint(TRect Rect, const QString &AHint) override;
  void ActivateHintData(TRect Rect, const QString &AHint, void *AData) override;
  TRect CalcHintRect(int MaxWidth, const QString &AHint, void *AData) override;

  TImageList *Images() const { return FImages; }
  TPictureContainer *PictureContainer() const { return FPictureContainer; }
  int TextWidth() const { return FTextWidth; }
  int TextHeight() const { return FTextHeight; }

  void CMTextChanged(TMessage &Message) override;

protected:
  void CreateParams(TCreateParams &Params) override;
  void Paint() override;

private:
  // Measures AHint into FTextWidth/FTextHeight; answers the horizontal padding it needs.
  int Measure(const QString &AHint);

  TImageList *FImages = nullptr;                  // the grid's, not owned
  TPictureContainer *FPictureContainer = nullptr;  // the grid's, not owned
  int FTextHeight = 0;
  int FTextWidth = 0;
  QString FWideCaption;
};
