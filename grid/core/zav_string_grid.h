#pragma once
// The system's string grid: the base grid plus its settings objects, events, hidden columns and
// rows, check boxes, cell graphics and everything the table forms edit with. One class declared
// here and defined by topic across grid/core, grid/view and grid/data.
#include <QString>

#include <memory>

#include "grid/core/cell_graphic.h"
#include "grid/foundation/base_grid.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/grid_enums.h"
#include "grid/foundation/int_lists.h"
#include "grid/foundation/grid_events.h"
#include "grid/core/help_look.h"

class TFooterPanel;
class TFloatingFooter;
class TSearchPanel;
class TNavigation;
class TImageList;
class TPictureContainer;
class TZavRichEdit;
class TEditLink;
using TFooterPaintEvent = std::function<void(TObject *Sender, int ACol, TRect ARect, TCanvas *ACanvas)>;

class TZavStringGrid : public TBaseGrid {
public:
  explicit TZavStringGrid(TComponent *AOwner);
  ~TZavStringGrid() override;

  // --- object: construction, defaults, owned sub-objects, published properties ---

  // --- events and their dispatchers ---

  // --- update lock, grid timer, window messages ---

  // --- window lifecycle and settings copy ---

  // --- used by the settings classes, look settings and sort settings ---
  // Fixed-cell gradient of the painting looks, kept as RGB; a write repaints.
  TColor ZAVGradientFrom() const { return FZAVGradientFrom; }
  void SetZAVGradientFrom(TColor Value);
  TColor ZAVGradientTo() const { return FZAVGradientTo; }
  void SetZAVGradientTo(TColor Value);
  TColor ZAVGradientMirrorFrom() const { return FZAVGradientMirrorFrom; }
  void SetZAVGradientMirrorFrom(TColor Value);
  TColor ZAVGradientMirrorTo() const { return FZAVGradientMirrorTo; }
  void SetZAVGradientMirrorTo(TColor Value);
  // Fixed cell under the mouse and pressed fixed cell: plain state the painter reads.
  TColor ZAVGradientHoverFrom() const { return FZAVGradientHoverFrom; }
  void SetZAVGradientHoverFrom(TColor Value) { FZAVGradientHoverFrom = Value; }
  TColor ZAVGradientHoverTo() const { return FZAVGradientHoverTo; }
  void SetZAVGradientHoverTo(TColor Value) { FZAVGradientHoverTo = Value; }
  TColor ZAVGradientHoverMirrorFrom() const { return FZAVGradientHoverMirrorFrom; }
  void SetZAVGradientHoverMirrorFrom(TColor Value) { FZAVGradientHoverMirrorFrom = Value; }
  TColor ZAVGradientHoverMirrorTo() const { return FZAVGradientHoverMirrorTo; }
  void SetZAVGradientHoverMirrorTo(TColor Value) { FZAVGradientHoverMirrorTo = Value; }
  TColor ZAVGradientHoverBorder() const { return FZAVGradientHoverBorder; }
  void SetZAVGradientHoverBorder(TColor Value) { FZAVGradientHoverBorder = Value; }
  TColor ZAVGradientDownFrom() const { return FZAVGradientDownFrom; }
  void SetZAVGradientDownFrom(TColor Value) { FZAVGradientDownFrom = Value; }
  TColor ZAVGradientDownTo() const { return FZAVGradientDownTo; }
  void SetZAVGradientDownTo(TColor Value) { FZAVGradientDownTo = Value; }
  TColor ZAVGradientDownMirrorFrom() const { return FZAVGradientDownMirrorFrom; }
  void SetZAVGradientDownMirrorFrom(TColor Value) { FZAVGradientDownMirrorFrom = Value; }
  TColor ZAVGradientDownMirrorTo() const { return FZAVGradientDownMirrorTo; }
  void SetZAVGradientDownMirrorTo(TColor Value) { FZAVGradientDownMirrorTo = Value; }
  TColor ZAVGradientDownBorder() const { return FZAVGradientDownBorder; }
  void SetZAVGradientDownBorder(TColor Value) { FZAVGradientDownBorder = Value; }
  // Stretches the column (-1: the last one) so that the columns fill the client width.
  void StretchColumnToFit(int Index);
  // Sorts the normal rows on SortSettings' column, or by the sort index list.
  virtual void QSort();
  virtual void QSortIndexed();
  // The columns and directions of a multi-column sort.
  TSortIndexList *SortIndexes() const { return FSortIndexes.get(); }
  void RepaintRow(int ARow);
  // Columns including hidden ones.
  int AllColCount() const;

  // --- used by the helper classes, footer and feature settings ---
  TFooterPanel *FooterPanel() const { return FFooterPanel; }
  TFloatingFooter *FloatingFooter() const { return FFloatingFooter; }
  TSearchPanel *SearchPanel() const { return FSearchPanel; }
  TPictureContainer *PictureContainer() const { return FPictureContainer; }
  TGridLook Look() const { return FLook; }
  bool Flat() const { return FFlat; }
  // The last row is kept out of the cell area (the floating footer shows it).
  bool HideLastRow() const { return FHideLastRow; }
  void SetHideLastRow(bool Value);
  int FixedFooters() const { return FFixedFooters; }
  void SetFixedFooters(int Value);
  int RealColIndex(int ACol);
  virtual void CalcFooter(int ACol);
  // Edit flow
  void HideInplaceEdit();
  void ShowSpecialEditor(int ACol, int ARow);
  void HideSpecialEditor(int ACol, int ARow);
  bool TabToNextCell(bool Backward);
  void AdvanceToNextCell(int ACol, int ARow, bool Advance, bool KeepOrigin, bool Backward, bool Forced);
  void SetEditorCellText(int ACol, int ARow, const QString &Value);
  void EditControlWndProc(TMessage &Message);
  TZavRichEdit *GetRichEdit();
  TZavRichEdit *GetInplaceRichEdit();
  TEditLink *EditLink() const { return FEditLink; }
  void SetEditLink(TEditLink *Value) { FEditLink = Value; }
  bool Multilinecells() const { return FMultilinecells; }

  TClickCellEvent OnClickCell;
  TGridHintEvent OnGridHint;
  TGridColorEvent OnGetCellColor;
  TFooterPaintEvent OnFooterPaint;
  TNotifyEvent OnCreatedFloatingFooter;
  TNotifyEvent OnCreatedSearchFooter;
  TEndRowSizeEvent OnEndRowSize;

  // --- used by the cell graphic object and the auxiliary controls ---
  // Cell graphics; columns are real indexes, rows display rows.
  virtual TCellGraphic *GetCellGraphic(int ACol, int ARow);
  TCellGraphic *CellGraphics(int ACol, int ARow) { return GetCellGraphic(ACol, ARow); }
  virtual TCellType GetCellType(int ACol, int ARow);
  TCellType CellTypes(int ACol, int ARow) { return GetCellType(ACol, ARow); }
  virtual TPoint GetCellGraphicSize(int ACol, int ARow);
  TPoint CellGraphicSize(int ACol, int ARow) { return GetCellGraphicSize(ACol, ARow); }
  virtual TPoint CalcGraphicSize(int ACol, int ARow, int ReservedHeight);
  virtual TPoint CalcScaledGraphicSize(int ACol, int ARow, int CellWidth, int CellHeight, double Scale);
  // Replaces any graphic the cell had; nullptr for a cell outside the grid.
  TCellGraphic *CreateCellGraphic(int ACol, int ARow);
  bool RemoveCellGraphic(int ACol, int ARow);
  bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType AType);
  bool IsCellTypeIn(int ACol, int ARow, TCellTypes Kinds);
  bool IsClickControlCell(int ACol, int ARow);
  // The object reference of a bitmap or icon, the image index of an image-list cell, else -1.
  intptr_t GetImageSortKey(int ACol, int ARow);
  TIntList *GetCellImages(int ACol, int ARow);
  TIntList *CellImages(int ACol, int ARow) { return GetCellImages(ACol, ARow); }
  virtual TImageList *GetGridImages();
  TImageList *GridImages() const { return FGridImages; }  // not owned
  void SetGridImages(TImageList *Value);
  // Margins of the cell text (both sides, or the top-left one alone).
  int GetTotalXOffset();
  int GetTotalYOffset();

  // Column lookup and wide cells
  int ColumnByHeader(const QString &Value);
  QString WideCells(int ACol, int ARow) { return Cells(ACol, ARow); }
  void SetWideCells(int ACol, int ARow, const QString &Value) { SetCells(ACol, ARow, Value); }

  // Settings and row state the graphics read.
  TMouseActions *MouseActions();
  TNavigation *Navigation();
  int RealRowIndex(int ARow);
  bool RowSelect(int ARow);
  int RowSelectCount();
  void SelectRows(int RowIndex, int RCount);

  // Edit flow the auxiliary controls drive.
  void FocusNextCellControl(int ACol, int ARow, const QString &ControlID);
  // Id of the embedded control being edited in the current cell.
  QString CurrentControlID() const { return FCurrentControlID; }
  void SetCurrentControlID(const QString &Value) { FCurrentControlID = Value; }
  int FilterColumn() const { return FFilterColumn; }
  void SetFilterColumn(int Value) { FFilterColumn = Value; }
  TCellValidateEvent OnCellValidate;
  TNotifyEvent OnEditingDone;

protected:
  // --- object (protected) ---

  // --- events (protected dispatchers) ---

  // --- update lock, timer, messages (protected) ---

  // --- window lifecycle (protected) ---

private:
  // --- object (fields) ---

  // --- events (fields) ---

  // --- update lock, timer, messages (fields) ---

  // --- window lifecycle (fields) ---

  // --- settings classes (fields) ---
  TColor FZAVGradientFrom = clWhite;
  TColor FZAVGradientTo = ColorToRGB(clBtnFace);
  TColor FZAVGradientMirrorFrom = clNone;
  TColor FZAVGradientMirrorTo = clNone;
  TColor FZAVGradientHoverFrom = 0;
  TColor FZAVGradientHoverTo = 0;
  TColor FZAVGradientHoverMirrorFrom = 0;
  TColor FZAVGradientHoverMirrorTo = 0;
  TColor FZAVGradientHoverBorder = 0;
  TColor FZAVGradientDownFrom = 0;
  TColor FZAVGradientDownTo = 0;
  TColor FZAVGradientDownMirrorFrom = 0;
  TColor FZAVGradientDownMirrorTo = 0;
  TColor FZAVGradientDownBorder = 0;
  std::unique_ptr<TSortIndexList> FSortIndexes = std::make_unique<TSortIndexList>(0, 0);

  // --- helper classes, footer, feature settings (fields) ---
  friend class TEditLink;
  friend class TZavRichEdit;
  friend class TFloatingFooter;
  friend class TFooterPanel;
  friend struct THelpersWiring;  // tests place the sub-objects the constructor will create
  TFooterPanel *FFooterPanel = nullptr;
  TFloatingFooter *FFloatingFooter = nullptr;
  TSearchPanel *FSearchPanel = nullptr;
  TPictureContainer *FPictureContainer = nullptr;
  TEditLink *FEditLink = nullptr;
  TZavRichEdit *FRichEdit = nullptr;         // owned as a component
  TZavRichEdit *FInplaceRichEdit = nullptr;  // owned as a component
  TGridLook FLook = glXP;
  bool FFlat = false;
  bool FHideLastRow = false;
  int FFixedFooters = 0;
  bool FMultilinecells = false;
  // Edit flow state the custom editors read.
  QString FEditCellText;          // the cell's text when editing began
  int FLastValidation = 0;        // 1 passed, -1 failed, 0 none since the editor opened
  bool FFocusChanging = false;    // the grid moves the focus itself
  std::function<void(TMessage &)> FGridControlWndProc;

  // --- cell graphic, auxiliary controls (fields) ---
  // The shared row-selection box of column 0, prepared on every query and never in a cell.
  TCellGraphic FCellGraphic;
  TImageList *FGridImages = nullptr;
  std::unique_ptr<TMouseActions> FMouseActions;
  std::unique_ptr<TNavigation> FNavigation;
  QString FCurrentControlID;
  int FFilterColumn = -1;
  // The control look's sizes and style as the graphics read them.
  int GraphicCheckSize();
  int GraphicRadioSize();
  bool GraphicFlatControls();
  TPoint GraphicXYOffset();
};
