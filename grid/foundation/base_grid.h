#pragma once
// The base grid between the framework's string grid and the system's grid: text cells with
// display hooks, a lazily created properties object per cell, merged blocks, the object slots
// of a cell, the appearance its painter reads and the link to an undo/redo component.
#include <QString>

#include <functional>
#include <unordered_set>

#include "framework/grids/grids.h"
#include "grid/foundation/cell_properties.h"
#include "grid/foundation/grid_enums.h"

class TZavGridUndoRedo;

enum class TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };
using enum TGridSelectionStyle;

enum class THoverRowCell { hcNormal, hcFixed, hcSelected };
using enum THoverRowCell;
using THoverRowCells = TSet<THoverRowCell>;

using TGetDisplTextEvent = std::function<void(TObject *Sender, int ACol, int ARow, QString &Value)>;
// The wide variant: a QString is already wide; the event is kept for callers that hook it apart.
using TGetDisplWideTextEvent = std::function<void(TObject *Sender, int ACol, int ARow, QString &Value)>;

// The framework's string grid under the name the derived grids build on.
class TObjStringGrid : public TStringGrid {
public:
  using TStringGrid::TStringGrid;
};

class TBaseGrid : public TObjStringGrid {
public:
  explicit TBaseGrid(TComponent *AOwner);
  ~TBaseGrid() override;

  // Cells: merged-aware text with display hooks; GridCells: the raw text.
  QString Cells(int ACol, int ARow) { return GetCellEx(ACol, ARow); }
  void SetCells(int ACol, int ARow, const QString &Value) { SetCellEx(ACol, ARow, Value); }
  QString GetCellEx(int ACol, int ARow);
  void SetCellEx(int ACol, int ARow, const QString &Value);
  // The stored text without a copy; valid until the grid's cells change.
  const QString &GridCells(int ACol, int ARow) const { return TStringGrid::Cells(ACol, ARow); }
  void SetGridCells(int ACol, int ARow, const QString &Value) { TStringGrid::SetCells(ACol, ARow, Value); }
  // The raw framework slot, which holds the cell's properties object.
  TObject *GridObjects(int ACol, int ARow) const { return TStringGrid::Objects(ACol, ARow); }
  void SetGridObjects(int ACol, int ARow, TObject *Value) { TStringGrid::SetObjects(ACol, ARow, Value); }
  // The caller's object, kept in the cell's properties (reading creates none).
  TObject *Objects(int ACol, int ARow) const;
  void SetObjects(int ACol, int ARow, TObject *Value);
  TObject *GraphicObjects(int ACol, int ARow) const;
  void SetGraphicObjects(int ACol, int ARow, TObject *Value);
  // Created on first read; nullptr for a cell outside the grid.
  TCellProperties *CellProperties(int ACol, int ARow);
  // Replaces the cell's properties object (the grid takes ownership of Value).
  void SetCellProperties(int ACol, int ARow, TCellProperties *Value);

  // Merged blocks; (c, r) may be any cell of a block.
  virtual void MergeCells(int c, int r, int spanx, int spany);
  virtual void SplitCells(int c, int r);
  bool IsBaseCell(int ACol, int ARow) const;
  bool IsMergedCell(int ACol, int ARow) const;
  bool IsMergedNonBaseCell(int ACol, int ARow) const;
  bool IsXMergedCell(int ACol, int ARow) const;
  bool IsYMergedCell(int ACol, int ARow) const;
  TPoint BaseCell(int ACol, int ARow) const;
  TPoint CellSpan(int ACol, int ARow) const;
  TPoint CellExt(int ACol, int ARow) const;
  // First and last cell of the block, in cell coordinates.
  TRect FullCell(int c, int r) const;
  int MinRowSpan(int ARow) const;
  int MaxRowSpan(int ARow) const;
  bool RowSpanIdentical(int ARow1, int ARow2, bool &Found) const;
  bool ColSpanIdentical(int ACol1, int ACol2, bool &Found) const;
  int MergeCount() const { return FMergeCount; }
  bool HasCellProps() const { return FHasCellProps; }

  // Geometry and repaint
  TRect CellRect(int c, int r);
  TPoint CellSize(int c, int r);
  void RepaintCell(int c, int r);

  // Painting: a cell with its content on any canvas, or without it (background, selection
  // and lines only, at the given rectangle).
  void PaintCell(TCanvas *ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
  void PaintCellExt(TCanvas *ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);

  // Appearance
  bool ActiveRowShow() const { return FActiveRowShow; }
  void SetActiveRowShow(bool Value);
  TColor ActiveRowColor() const { return FActiveRowColor; }
  void SetActiveRowColor(TColor Value);
  TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
  void SetActiveRowColorTo(TColor Value);
  TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
  void SetActiveRowMirrorColor(TColor Value);
  TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
  void SetActiveRowMirrorColorTo(TColor Value);
  // The grid draws its own lines and cells: the framework's line width and default drawing
  // stay off whatever these say.
  bool DefaultDrawing() const { return FOwnDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  int GridLineWidth() const { return FOwnGridLineWidth; }
  void SetGridLineWidth(int Value);
  TColor GridLineColor() const { return FGridLineColor; }
  void SetGridLineColor(TColor Value);
  TColor GridFixedLineColor() const { return FGridFixedLineColor; }
  void SetGridFixedLineColor(TColor Value);
  bool HoverRow() const { return FHoverRow; }
  void SetHoverRow(bool Value) { FHoverRow = Value; }
  TColor HoverRowColor() const { return FHoverRowColor; }
  void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
  TColor HoverRowColorTo() const { return FHoverRowColorTo; }
  void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
  THoverRowCells HoverRowCells() const { return FHoverRowCells; }
  void SetHoverRowCells(THoverRowCells Value) { FHoverRowCells = Value; }
  TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
  void SetSelectionStyle(TGridSelectionStyle Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { FWordWrap = Value; }
  int PaintID() const { return FPaintID; }

  TZavGridUndoRedo *UndoRedo() const { return FUndoRedo; }
  void SetUndoRedo(TZavGridUndoRedo *Value);

  TGetDisplTextEvent OnGetDisplText;
  TGetDisplWideTextEvent OnGetDisplWideText;

  // Overridable behaviour of the derived grids.
  virtual bool IsFixed(int ACol, int ARow);
  virtual int GetNodeIndent(int ARow);
  virtual bool HasNodes();
  virtual void DrawCellContent(TCanvas *ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
  virtual void LastRowChanged();
  virtual void GetDisplText(int ACol, int ARow, QString &Value);
  virtual void GetDisplWideText(int ACol, int ARow, QString &Value);
  virtual void GetCellDefaults(int ACol, int ARow, TFont *AFont, TBrush *ABrush, TColor &ColorTo,
                               TColor &ColorMirror, TColor &ColorMirrorTo, TAlignment &HAlign,
                               TVAlignment &VAlign, bool &WordWrap, TCellGradientDirection &GradientDir);
  virtual void CellTextChanged(int ACol, int ARow);
  virtual bool HasCustomCellBorders();
  virtual bool UsesStyleEngine();
  virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState &AState, bool Print, bool Select,
                                   bool Remap, TBrush *ABrush, TColor &AColorTo, TColor &AMirrorColor,
                                   TColor &AMirrorColorTo, TFont *AFont, TAlignment &HA, TVAlignment &VA,
                                   bool &WW, TCellGradientDirection &GD);
  virtual int DisplColIndex(int ACol);
  virtual int TotalColCount() const;

protected:
  TRect GetCellScreenRect(int c, int r);
  int FixedColsWidth() const;
  int FixedRowsHeight() const;
  TObject *GetGraphicObjectFromProps(TCellProperties *Props) const;

  // Maintenance for the derived grid's row and column operations.
  bool HasCellProperties(int ACol, int ARow) const;
  bool FindBaseCell(int ACol, int ARow, int &BaseCol, int &BaseRow) const;
  void ResetColumnCells(int ACol);
  void ResetRowCells(int ARow);
  void ResetCell(int ACol, int ARow);
  void FreeCellPropertiesRange(int FromCol, int FromRow, int ToCol, int ToRow);
  void FreeCellProperties(int ACol, int ARow);
  void FreeAllCellProperties();
  void SnapToBaseCell();
  void RepaintFixedColMergedCells();
  void RepaintFixedRowMergedCells();

  void PaintCellBase(TCanvas *ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState,
                     bool WithContent);

  // Framework overrides
  void Paint() override;
  void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState) override;
  void Notification(TComponent *AComponent, TOperation Operation) override;
  bool SelectCell(int ACol, int ARow) override;
  void KeyDown(uint16_t &Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void TopLeftChanged() override;

  bool FOwnDefaultDrawing = false;
  int FOwnGridLineWidth = 1;
  TColor FGridLineColor = clSilver;
  TColor FGridFixedLineColor = clGray;
  int FPaintID = 1;
  // Rows below this index go through the display-text hooks; kept by the derived grid.
  int FNormalRowCount = 0;
  TZavGridUndoRedo *FUndoRedo = nullptr;
  bool FWordWrap = true;
  bool FActiveRowShow = false;
  TColor FActiveRowColor = clInfoBk;
  TColor FActiveRowColorTo = clNone;
  TColor FActiveRowMirrorColor = clNone;
  TColor FActiveRowMirrorColorTo = clNone;
  TGridSelectionStyle FSelectionStyle = ssDefault;
  int FHoverRowIdx = -1;
  bool FHoverRow = false;
  THoverRowCells FHoverRowCells{hcNormal, hcSelected};
  TColor FHoverRowColor = clInfoBk;
  TColor FHoverRowColorTo = clNone;
  bool FShowSel = true;
  bool FHasCellProps = false;
  int FMergeCount = 0;

private:
  friend class TCellProperties;
  TCellProperties *PropsAt(int ACol, int ARow) const;
  // The properties of the base cell of the cell's block; nullptr when the cell has none.
  TCellProperties *BasePropsOf(int ACol, int ARow) const;
  // A new properties object in the cell's slot, initialised from GetCellDefaults.
  TCellProperties *CreateCellProperties(int ACol, int ARow);
  // Frees the graphic object when the grid owns it (a cell graphic), then the properties.
  static void FreePropsAndGraphic(TCellProperties *Props);
  bool InGrid(int ACol, int ARow) const;

  // Every properties object created for this grid, so that those left beyond the counts
  // (a shrunk grid keeps its cells) are freed with the grid.
  std::unordered_set<TCellProperties *> FAllProps;
  bool FDestroying = false;
};
