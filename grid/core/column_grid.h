#pragma once
// The string grid whose columns are described by a column collection: the column items answer
// the grid's per-cell questions (look, editor, read-only, check texts, limits) before the grid's
// own rules and events run, and follow the grid's columns when they are added, removed or moved.
#include <QString>

#include <functional>
#include <memory>

#include "grid/core/column_collection.h"
#include "grid/core/zav_string_grid.h"

class TPopupMenu;

using TColumnPopupEvent = std::function<void(TObject *Sender, int ACol, int ARow, TPopupMenu *PopupMenu)>;
using TAfterColumnMoved = std::function<void(TObject *Sender, int FromIndex, int ToIndex)>;

class TZavColumnGrid : public TZavStringGrid {
public:
  explicit TZavColumnGrid(TComponent *AOwner);
  ~TZavColumnGrid() override;

  TGridColumnCollection *Columns() const { return FColumns.get(); }
  void SetColumns(TGridColumnCollection *Value) { FColumns->Assign(Value); }
  // The grid's writer, then the items follow the new count.
  void SetColCount(int Value);
  bool AutoFilterDisplay() const { return FAutoFilterDisplay; }
  void SetAutoFilterDisplay(bool Value) { FAutoFilterDisplay = Value; }
  TColumnPopupEvent OnColumnPopup;
  TAfterColumnMoved OnAfterColumnMoved;

  // One item per real column: items are added or freed at the end.
  void SyncColumnItems();
  void SyncColumnHeaders();
  TGridColumnItem *GetColumnByName(const QString &AName);
  // True only while an item follows a moved column.
  bool ColumnMoving() const { return FColumnMoving; }

  // Column order under the keys "CP0".."CPn-1" of an INI file.
  void SaveColumnPositions(const QString &Key, const QString &Section);
  void LoadColumnPositions(const QString &Key, const QString &Section);

  int GetVersionNr() override;
  QString GetVersionString() override;
  void InsertCols(int ColIndex, int CCount) override;
  void RemoveCols(int ColIndex, int CCount) override;
  void Group(int ColIndex) override;
  void UnGroup() override;
  void SaveColPositions() override;
  void LoadColPositions() override;
  TCellGraphic *GetCellGraphic(int ACol, int ARow) override;
  TCellType GetCellType(int ACol, int ARow) override;
  void GetCellDefaults(int ACol, int ARow, TFont *AFont, TBrush *ABrush, TColor &ColorTo,
                       TColor &ColorMirror, TColor &ColorMirrorTo, TAlignment &HAlign,
                       TVAlignment &VAlign, bool &WordWrap, TCellGradientDirection &GradientDir) override;

protected:
  virtual TGridColumnCollection *CreateColumnCollection();

  void DoGetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush *ABrush, TFont *AFont) override;
  void DoGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush *ABrush, TFont *AFont) override;
  void DoGetCellBorder(int ACol, int ARow, TPen *APen, TCellBorders &Borders) override;
  void DoGetCellPrintBorder(int ACol, int ARow, TPen *APen, TCellBorders &Borders) override;
  void DoGetAlignment(int ACol, int ARow, TAlignment &HAlign, TVAlignment &VAlign) override;
  void DoGetFormat(int ACol, TSortStyle &AStyle, QString &APrefix, QString &ASuffix) override;
  bool GetFloatFormat(int ACol, int ARow, bool &IsFloat, QString &FloatFormat) override;
  QString GetFormattedCell(int ACol, int ARow) override;
  void GetCellEditor(int ACol, int ARow, TEditorType &AEditor) override;
  bool HasComboEditor(int ACol, int ARow) override;
  void DoIsFixedCell(int ACol, int ARow, bool &IsFixed) override;
  void DoIsPasswordCell(int ACol, int ARow, bool &IsPassword) override;
  void QueryCanEdit(int ACol, int ARow, bool &CanEdit) override;
  void GetCheckTrueText(int ACol, int ARow, QString &Value) override;
  void GetCheckFalseText(int ACol, int ARow, QString &Value) override;
  int GetEditLimit() override;
  QString GetEditMask(int ACol, int ARow) override;
  bool GetColumnFilterList(int ACol) override;
  void DoUpdateColumnSize(int ACol, int &AWidth) override;
  void DoUpdateAutoColumnSize(int ACol, int &AWidth) override;
  void ColumnHeadersChanged() override;
  void DoFilterSelect(int ItemIndex) override;
  void CellsLoaded() override;

  void ColumnMoved(int FromIndex, int ToIndex) override;
  void ColWidthsChanged() override;
  void ChangeScale(int M, int D) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent *AComponent, TOperation Operation) override;
  void Loaded() override;

private:
  // Each shown column's width into the item at its real index, without notifications.
  void StoreColumnWidths();
  bool InColumns(int ACol) const { return ACol >= 0 && ACol < FColumns->Count(); }
  TGridColumnItem *Item(int ACol) const { return FColumns->Items(ACol); }
  // Not a fixed column or row, left of the fixed right columns, above the fixed footers.
  bool IsNormalCell(int ACol, int ARow);
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  // Runs Body with the collection's no-recursive-update flag set.
  template <typename F>
  void Unrecursive(F &&Body);

  std::unique_ptr<TGridColumnCollection> FColumns;
  std::unique_ptr<TGridColumnItem> FSpareItem;  // the grouped column's settings
  TCellGraphic FVirtCheckBox;                   // shared by every data check-box cell
  bool FColumnMoving = false;
  bool FAutoFilterDisplay = false;
};
