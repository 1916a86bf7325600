#pragma once
// The columns of a column grid: one item per real column (hidden columns included) with its
// header, width, look, editor kind and limits, kept in a collection owned by the grid.
#include <QString>

#include <array>
#include <cstddef>
#include <memory>

#include "framework/classes/classes.h"
#include "framework/graphics/graphics.h"
#include "framework/stdctrls/stdctrls.h"
#include "grid/foundation/grid_enums.h"

class TZavColumnGrid;
class TPopupMenu;
class TEditLink;
class TGridColumnCollection;

enum class TColumnPopupType {
  cpFixedCellsRClick, cpFixedCellsLClick, cpNormalCellsRClick, cpNormalCellsLClick, cpAllCellsRClick,
  cpAllCellsLClick,
};
using enum TColumnPopupType;

template <>
struct TEnumNames<TColumnPopupType> {
  static constexpr std::array Names{"cpFixedCellsRClick", "cpFixedCellsLClick", "cpNormalCellsRClick",
                                    "cpNormalCellsLClick", "cpAllCellsRClick", "cpAllCellsLClick"};
  static_assert(Names.size() == std::size_t(cpAllCellsLClick) + 1, "name table of TColumnPopupType out of step");
};

class TGridColumnItem : public TCollectionItem {
public:
  // Inside a grid's collection the fonts and the colour start from the grid's, and changes of
  // the fonts, the border pen and the filter reach the grid; without a collection (the spare
  // item) nothing is wired.
  explicit TGridColumnItem(TCollection *Collection);
  ~TGridColumnItem() override;

  // Copies every setting but ColumnPopupType, PrintBorderCustom and PrintFontCustom, into the
  // fields, without notifications.
  void Assign(TPersistent *Source) override;
  // As Assign, but colour and font from the grid; items, drop-down count, header font, header,
  // name and tag stay.
  void AssignVisuals(TPersistent *Source);
  QString GetDisplayName() const;
  QString DisplayName() const override { return GetDisplayName(); }

  // The grid of the item's collection; nullptr for an item without one.
  TZavColumnGrid *Grid() const;

  int AutoMinSize() const { return FAutoMinSize; }
  void SetAutoMinSize(int Value) { FAutoMinSize = Value; }
  int AutoMaxSize() const { return FAutoMaxSize; }
  void SetAutoMaxSize(int Value) { FAutoMaxSize = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TCellBorders Borders() const { return FBorders; }
  void SetBorders(TCellBorders Value);
  TPen *BorderPen() const { return FBorderPen.get(); }
  void SetBorderPen(TPen *Value);
  QString CheckFalse() const { return FCheckFalse; }
  void SetCheckFalse(const QString &Value) { FCheckFalse = Value; }
  QString CheckTrue() const { return FCheckTrue; }
  void SetCheckTrue(const QString &Value) { FCheckTrue = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TPopupMenu *ColumnPopup() const { return FColumnPopup; }
  void SetColumnPopup(TPopupMenu *Value) { FColumnPopup = Value; }
  TColumnPopupType ColumnPopupType() const { return FColumnPopupType; }
  void SetColumnPopupType(TColumnPopupType Value) { FColumnPopupType = Value; }
  TStringList *ComboItems() const { return FComboItems.get(); }
  void SetComboItems(TStrings *Value) { FComboItems->Assign(Value); }
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value; }
  int EditLength() const { return FEditLength; }
  void SetEditLength(int Value) { FEditLength = Value; }
  TEditLink *EditLink() const { return FEditLink; }
  void SetEditLink(TEditLink *Value) { FEditLink = Value; }
  QString EditMask() const { return FEditMask; }
  void SetEditMask(const QString &Value) { FEditMask = Value; }
  TEditorType Editor() const { return FEditor; }
  void SetEditor(TEditorType Value);
  TStringList *Filter() const { return FFilter.get(); }
  void SetFilter(TStrings *Value) { FFilter->Assign(Value); }
  bool FilterCaseSensitive() const { return FFilterCaseSensitive; }
  void SetFilterCaseSensitive(bool Value) { FFilterCaseSensitive = Value; }
  bool Fixed() const { return FFixed; }
  void SetFixed(bool Value);
  QString FloatFormat() const { return FFloatFormat; }
  void SetFloatFormat(const QString &Value);
  TFont *Font() const { return FFont.get(); }
  void SetFont(TFont *Value);
  QString Header() const { return FHeader; }
  void SetHeader(const QString &Value);
  TAlignment HeaderAlignment() const { return FHeaderAlignment; }
  void SetHeaderAlignment(TAlignment Value);
  TFont *HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont *Value);
  int MinSize() const { return FMinSize; }
  void SetMinSize(int Value) { FMinSize = Value; }
  int MaxSize() const { return FMaxSize; }
  void SetMaxSize(int Value) { FMaxSize = Value; }
  QString Name() const { return FName; }
  void SetName(const QString &Value) { FName = Value; }
  bool Password() const { return FPassword; }
  void SetPassword(bool Value);
  bool PrintBorderCustom() const { return FPrintBorderCustom; }
  void SetPrintBorderCustom(bool Value) { FPrintBorderCustom = Value; }
  TCellBorders PrintBorders() const { return FPrintBorders; }
  void SetPrintBorders(TCellBorders Value) { FPrintBorders = Value; }
  TPen *PrintBorderPen() const { return FPrintBorderPen.get(); }
  void SetPrintBorderPen(TPen *Value) { FPrintBorderPen->Assign(Value); }
  TColor PrintColor() const { return FPrintColor; }
  void SetPrintColor(TColor Value) { FPrintColor = Value; }
  bool PrintFontCustom() const { return FPrintFontCustom; }
  void SetPrintFontCustom(bool Value) { FPrintFontCustom = Value; }
  TFont *PrintFont() const { return FPrintFont.get(); }
  void SetPrintFont(TFont *Value) { FPrintFont->Assign(Value); }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool ShowBands() const { return FShowBands; }
  void SetShowBands(bool Value);
  TSortStyle SortStyle() const { return FSortStyle; }
  void SetSortStyle(TSortStyle Value) { FSortStyle = Value; }
  QString SortPrefix() const { return FSortPrefix; }
  void SetSortPrefix(const QString &Value) { FSortPrefix = Value; }
  QString SortSuffix() const { return FSortSuffix; }
  void SetSortSuffix(const QString &Value) { FSortSuffix = Value; }
  int SpinMin() const { return FSpinMin; }
  void SetSpinMin(int Value) { FSpinMin = Value; }
  int SpinMax() const { return FSpinMax; }
  void SetSpinMax(int Value) { FSpinMax = Value; }
  int SpinStep() const { return FSpinStep; }
  void SetSpinStep(int Value) { FSpinStep = Value; }
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  // The grid's width of the item's real column (0 without a collection).
  int Width() const;
  void SetWidth(int Value);

  int DefIdx() const { return FDefIdx; }
  void SetDefIdx(int Value) { FDefIdx = Value; }
  // The grid's cell text of the item's column.
  QString Rows(int ARow) const;
  void SetRows(int ARow, const QString &Value);
  // The grid's typed views of the item's column (0 without a collection).
  int Ints(int ARow) const;
  void SetInts(int ARow, int Value);
  double Floats(int ARow) const;
  void SetFloats(int ARow, double Value);
  double Dates(int ARow) const;
  void SetDates(int ARow, double Value);
  double Times(int ARow) const;
  void SetTimes(int ARow, double Value);

private:
  friend class TZavColumnGrid;
  friend class TGridColumnCollection;
  void CopyFrom(const TGridColumnItem &S, bool Visuals);
  void NotifyCollection() { Changed(false); }
  void RepaintGrid() const;

  int FAutoMinSize = 0, FAutoMaxSize = 0;
  TAlignment FAlignment = taLeftJustify;
  TCellBorders FBorders;
  std::unique_ptr<TPen> FBorderPen;
  QString FCheckFalse = QStringLiteral("N");
  QString FCheckTrue = QStringLiteral("Y");
  TColor FColor = clBlack;
  TPopupMenu *FColumnPopup = nullptr;  // not owned
  TColumnPopupType FColumnPopupType = cpFixedCellsRClick;
  std::unique_ptr<TStringList> FComboItems;
  int FDropDownCount = 8;
  int FEditLength = 0;
  TEditLink *FEditLink = nullptr;  // not owned
  QString FEditMask;
  TEditorType FEditor = edNormal;
  std::unique_ptr<TStringList> FFilter;
  bool FFilterCaseSensitive = false;
  bool FFixed = false;
  QString FFloatFormat;
  std::unique_ptr<TFont> FFont;
  QString FHeader;
  TAlignment FHeaderAlignment = taLeftJustify;
  std::unique_ptr<TFont> FHeaderFont;
  int FMinSize = 0, FMaxSize = 0;
  QString FName;
  bool FPassword = false;
  bool FPrintBorderCustom = true;
  TCellBorders FPrintBorders{cbTop, cbLeft, cbRight, cbBottom};
  std::unique_ptr<TPen> FPrintBorderPen;
  TColor FPrintColor = clWhite;
  bool FPrintFontCustom = true;
  std::unique_ptr<TFont> FPrintFont;
  bool FReadOnly = false;
  bool FShowBands = false;
  TSortStyle FSortStyle = ssAutomatic;
  QString FSortPrefix, FSortSuffix;
  int FSpinMin = 0, FSpinMax = 0, FSpinStep = 1;
  int FTag = 0;
  int FWidth = 50;
  int FDefIdx = 0;
};

class TGridColumnCollection : public TCollection {
public:
  // AOwner: the grid (not owned).
  explicit TGridColumnCollection(TZavColumnGrid *AOwner);

  TGridColumnItem *Items(int Index) const { return static_cast<TGridColumnItem *>(TCollection::Items(Index)); }
  void SetItems(int Index, TGridColumnItem *Value) { TCollection::SetItems(Index, Value); }
  // A new last item; from the second item on it takes the visuals of the item before it.
  TGridColumnItem *Add();
  TGridColumnItem *Insert(int Index) { return static_cast<TGridColumnItem *>(TCollection::Insert(Index)); }
  TPersistent *GetOwner() override;
  TZavColumnGrid *Grid() const { return FOwner; }

  // Item count as the grid's columns, then every DefIdx := its index.
  void SetOrganization();
  // Moves the columns back to their DefIdx order.
  void ResetOrganization();
  // While set, item changes neither resize nor repaint the grid.
  bool NoRecursiveUpdate() const { return FNoRecursiveUpdate; }
  void SetNoRecursiveUpdate(bool Value) { FNoRecursiveUpdate = Value; }

protected:
  void Update(TCollectionItem *Item) override;

private:
  TZavColumnGrid *FOwner;
  bool FNoRecursiveUpdate = false;
};
