#pragma once
// How a header click sorts, how the sort state shows in the header, and the current sort column or
// multi-column sort index, with its text form that saves and restores the sort state.
#include <QString>

#include <memory>

#include "framework/classes/classes.h"
#include "framework/graphics/graphics.h"

class TZavStringGrid;

enum class TSortBlankPosition { blFirst, blLast };
using enum TSortBlankPosition;

enum class TSortDirection { sdAscending, sdDescending };
using enum TSortDirection;

enum class TIndexSortKey { ikShift, ikCtrl };
using enum TIndexSortKey;

class TSortSettings : public TPersistent {
public:
  // AOwner: the grid (not owned).
  explicit TSortSettings(TZavStringGrid *AOwner);
  ~TSortSettings() override;
  // From another TSortSettings only; leaves IgnoreCase and SortOnVirtualCells.
  void Assign(TPersistent *Source) override;

  // "u<column>", "d<column>" or "i;" and the grid's sort index text.
  QString SaveToString() const;
  // Restores a text of SaveToString and sorts the grid by it. A non-empty text shorter than two
  // characters raises "Invalid sort settings specifier" (after Show became True). A column that
  // is not a number, or not a column of the grid, leaves the column and the grid's order alone.
  void LoadFromString(const QString &Value);
  // No sort column, an empty sort index; the header row is repainted.
  void Remove();
  void ToggleDirection();

  bool AutoSortForGrouping() const { return FAutoSortForGrouping; }
  void SetAutoSortForGrouping(bool Value) { FAutoSortForGrouping = Value; }
  bool AutoColumnMerge() const { return FAutoColumnMerge; }
  void SetAutoColumnMerge(bool Value) { FAutoColumnMerge = Value; }
  int Column() const { return FSortColumn; }
  void SetColumn(int Value) { FSortColumn = Value; }
  bool Show() const { return FSortShow; }
  // Invalidates the grid on a change.
  void SetShow(bool Value);
  bool IndexShow() const { return FSortIndexShow; }
  void SetIndexShow(bool Value) { FSortIndexShow = Value; }
  TColor IndexColor() const { return FSortIndexColor; }
  void SetIndexColor(TColor Value) { FSortIndexColor = Value; }
  TIndexSortKey IndexSortKey() const { return FIndexSortKey; }
  void SetIndexSortKey(TIndexSortKey Value) { FIndexSortKey = Value; }
  bool Full() const { return FSortFull; }
  void SetFull(bool Value) { FSortFull = Value; }
  bool SingleColumn() const { return FSortSingleColumn; }
  void SetSingleColumn(bool Value) { FSortSingleColumn = Value; }
  bool IgnoreBlanks() const { return FSortIgnoreBlanks; }
  void SetIgnoreBlanks(bool Value) { FSortIgnoreBlanks = Value; }
  TSortBlankPosition BlankPos() const { return FSortBlankPos; }
  void SetBlankPos(TSortBlankPosition Value) { FSortBlankPos = Value; }
  bool AutoFormat() const { return FSortAutoFormat; }
  void SetAutoFormat(bool Value) { FSortAutoFormat = Value; }
  TSortDirection Direction() const { return FSortDirection; }
  void SetDirection(TSortDirection Value) { FSortDirection = Value; }
  // The glyph writers copy into the owned bitmaps.
  TBitmap *UpGlyph() const { return FSortUpGlyph.get(); }
  void SetUpGlyph(TBitmap *Value);
  TBitmap *DownGlyph() const { return FSortDownGlyph.get(); }
  void SetDownGlyph(TBitmap *Value);
  bool IgnoreCase() const { return FIgnoreCase; }
  void SetIgnoreCase(bool Value) { FIgnoreCase = Value; }
  TBitmap *IndexUpGlyph() const { return FIndexUpGlyph.get(); }
  void SetIndexUpGlyph(TBitmap *Value);
  TBitmap *IndexDownGlyph() const { return FIndexDownGlyph.get(); }
  void SetIndexDownGlyph(TBitmap *Value);
  TSortDirection InitSortDirection() const { return FInitSortDirection; }
  void SetInitSortDirection(TSortDirection Value) { FInitSortDirection = Value; }
  bool FixedCols() const { return FSortFixedCols; }
  void SetFixedCols(bool Value) { FSortFixedCols = Value; }
  bool NormalCellsOnly() const { return FSortNormalCellsOnly; }
  void SetNormalCellsOnly(bool Value) { FSortNormalCellsOnly = Value; }
  int Row() const { return FSortRow; }
  // Raises "Sort row should be smaller than number of fixed rows" unless Value < FixedRows.
  void SetRow(int Value);
  bool UndoSort() const { return FUndoSort; }
  void SetUndoSort(bool Value) { FUndoSort = Value; }
  bool SortOnVirtualCells() const { return FVirtualCells; }
  void SetSortOnVirtualCells(bool Value) { FVirtualCells = Value; }
  // The header colours repaint the last fixed row on a change.
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value);
  TColor HeaderColorTo() const { return FHeaderColorTo; }
  void SetHeaderColorTo(TColor Value);
  TColor HeaderMirrorColor() const { return FHeaderMirrorColor; }
  void SetHeaderMirrorColor(TColor Value);
  TColor HeaderMirrorColorTo() const { return FHeaderMirrorColorTo; }
  void SetHeaderMirrorColorTo(TColor Value);

private:
  void SetHeaderColorField(TColor &Field, TColor Value);
  void RepaintHeaderRow();

  TZavStringGrid *FGrid;  // not owned
  bool FSortShow = false;
  bool FSortIndexShow = false;
  bool FSortFull = true;
  bool FSortSingleColumn = false;
  bool FSortIgnoreBlanks = false;
  TSortBlankPosition FSortBlankPos = blFirst;
  bool FSortAutoFormat = true;
  TSortDirection FSortDirection = sdAscending;
  std::unique_ptr<TBitmap> FSortUpGlyph;
  std::unique_ptr<TBitmap> FSortDownGlyph;
  std::unique_ptr<TBitmap> FIndexUpGlyph;
  std::unique_ptr<TBitmap> FIndexDownGlyph;
  bool FSortNormalCellsOnly = false;
  bool FSortFixedCols = false;
  int FSortColumn = -1;
  int FSortRow = 0;
  bool FAutoColumnMerge = false;
  TColor FSortIndexColor = clYellow;
  TSortDirection FInitSortDirection = sdAscending;
  bool FUndoSort = false;
  bool FAutoSortForGrouping = true;
  bool FVirtualCells = true;
  bool FIgnoreCase = false;
  TColor FHeaderColor = clNone;
  TColor FHeaderColorTo = clNone;
  TColor FHeaderMirrorColor = clNone;
  TColor FHeaderMirrorColorTo = clNone;
  TIndexSortKey FIndexSortKey = ikShift;
};
