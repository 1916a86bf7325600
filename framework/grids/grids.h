#pragma once
// The framework's grids: TCustomGrid (layout, painting loop, current cell and selection,
// mouse and keyboard, scrolling, the in-place editor), TDrawGrid (events for every hook)
// and TStringGrid (a sparse store of texts and objects), with the in-place editor
// TInplaceEdit. The system's own grids derive from TStringGrid and call the inherited
// behaviour throughout, so the order of calls here is part of the contract.
#include "framework/controls/controls.h"
#include "framework/controls/forms.h"
#include "framework/grids/grid_axis.h"
#include "framework/grids/grid_cells.h"
#include "framework/grids/grid_types.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/system/sysutils.h"

#include <functional>
#include <vector>

QM_DECLARE_EXCEPTION(EInvalidGridOperation, Exception)

struct TGridDrawInfo {
  TGridAxisDrawInfo Horz;
  TGridAxisDrawInfo Vert;
};

enum class TGridScrollDirectionItem { sdLeft, sdRight, sdUp, sdDown };
using TGridScrollDirection = TSet<TGridScrollDirectionItem>;

class TCustomGrid;

class TInplaceEdit;

// Everything the grid family shares. Column widths and row heights are per index; counts,
// fixed counts and the current cell are checked by the setters as the platform's grid
// does. Framework code calls its own setters (the derived grid redeclares some of them).
class TCustomGrid : public TCustomControl {
  friend class TInplaceEdit;

public:
  explicit TCustomGrid(TComponent *AOwner);
  ~TCustomGrid() override;

  // Geometry
  TRect CellRect(int ACol, int ARow);
  void MouseToCell(int X, int Y, int &ACol, int &ARow);
  TGridCoord MouseCoord(int X, int Y);

  // Counts and sizes
  int ColCount() const { return FColCount; }
  void SetColCount(int Value);
  int RowCount() const { return FRowCount; }
  void SetRowCount(int Value);
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int Value);
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int Value);
  int DefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(int Value);
  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);
  int RowHeights(int Index) const;
  void SetRowHeights(int Index, int Value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  int VisibleColCount();
  int VisibleRowCount();
  int GridWidth();
  int GridHeight();

  // Current cell, view and selection
  int Col() const { return FCurrent.X; }
  void SetCol(int Value);
  int Row() const { return FCurrent.Y; }
  void SetRow(int Value);
  int LeftCol() const { return FTopLeft.X; }
  void SetLeftCol(int Value);
  int TopRow() const { return FTopLeft.Y; }
  void SetTopRow(int Value);
  TGridRect Selection() const;
  void SetSelection(const TGridRect &Value);

  // Appearance and behaviour
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  bool EditorMode() const { return FEditorMode; }
  void SetEditorMode(bool Value);
  TInplaceEdit *InplaceEditor() const { return FInplaceEdit; }  // owned as a component
  TGridState GridState() const { return FGridState; }

  // Repaint helpers
  void InvalidateCell(int ACol, int ARow);
  void InvalidateCol(int ACol);
  void InvalidateRow(int ARow);
  void InvalidateGrid();
  void InvalidateRect(const TGridRect &ARect);
  void InvalidateEditor();

  // Editing and moving
  virtual void ShowEditor();
  virtual void ShowEditorChar(QChar Ch);
  virtual void HideEditor();
  void UpdateEdit();
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);
  void DeleteColumn(int ACol);
  void DeleteRow(int ARow);
  // Heights of rows [First, Last) (widths of columns) turned so that index Middle comes first;
  // the sizes only change places, so no sizes-changed hook runs.
  void RotateRowHeights(int First, int Middle, int Last);
  void RotateColWidths(int First, int Middle, int Last);
  void FocusCell(int ACol, int ARow, bool MoveAnchor);
  void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);

protected:
  // Hooks
  // Draws one cell; the base draws nothing (a grid being torn down may still paint).
  virtual void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState);
  virtual bool SelectCell(int ACol, int ARow);
  virtual void SizeChanged(int OldColCount, int OldRowCount);
  virtual void TopLeftChanged();
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  virtual void ColumnMoved(int FromIndex, int ToIndex);
  virtual void RowMoved(int FromIndex, int ToIndex);
  virtual void CalcSizingState(int X, int Y, TGridState &State, int &Index, int &SizingPos,
                               int &SizingOfs, TGridDrawInfo &FixedInfo);
  virtual bool CheckColumnDrag(int &Origin, int &Destination, const TPoint &MousePt);
  virtual bool CheckRowDrag(int &Origin, int &Destination, const TPoint &MousePt);
  virtual void TimedScroll(TGridScrollDirection Direction);

  // Editor hooks
  virtual TInplaceEdit *CreateEditor();
  virtual bool CanEditShow();
  virtual bool CanEditModify();
  virtual bool CanEditAcceptKey(QChar Key);
  virtual bool CanGridAcceptKey(uint16_t Key, TShiftState Shift);
  virtual QString GetEditText(int ACol, int ARow);
  virtual void SetEditText(int ACol, int ARow, const QString &Value);
  virtual QString GetEditMask(int ACol, int ARow);
  virtual int GetEditLimit();

  // Control overrides
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t &Key, TShiftState Shift) override;
  void KeyPress(QChar &Key) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void CreateParams(TCreateParams &Params) override;
  void CreateWnd() override;
  // The inherited scaling, then the default and the individual column widths and row heights.
  void ChangeScale(int M, int D) override;

public:
  // Message handlers; descendants override them and call these.
  void WndProc(TMessage &Message) override;
  void WMHScroll(TWMScroll &Message) override;
  void WMVScroll(TWMScroll &Message) override;
  void WMSetCursor(TWMSetCursor &Message) override;
  void WMCancelMode(TWMCancelMode &Message) override;
  void WMGetDlgCode(TWMGetDlgCode &Message) override;
  void WMChar(TWMKey &Message) override;
  void WMSetFocus(TWMSetFocus &Message) override;
  void WMKillFocus(TWMKillFocus &Message) override;
  void WMCommand(TWMCommand &Message) override;
  void WMTimer(TWMTimer &Message) override;
  void WMSize(TWMSize &Message) override;

protected:
  void CancelMode();

  // Layout helpers
  void PaintGrid();
  void CalcDrawInfo(TGridDrawInfo &DrawInfo);
  void CalcFixedInfo(TGridDrawInfo &DrawInfo);
  TGridCoord CalcCoordFromPoint(int X, int Y, const TGridDrawInfo &DrawInfo);
  TRect BoxRect(int ALeft, int ATop, int ARight, int ABottom);
  TGridCoord CalcMaxTopLeft(const TGridCoord &Coord, const TGridDrawInfo &DrawInfo);
  // Whether the control or its editor has the focus.
  bool IsActiveControl();
  bool Sizing(int X, int Y);
  void ClampInView(const TGridCoord &Coord);
  void MoveTopLeft(int ALeft, int ATop);
  void UpdateScrollRange();
  void UpdateScrollPos();
  void ApplyBorder();
  void ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos, bool UseRightToLeft);
  void DrawSizingLine(const TGridDrawInfo &DrawInfo);
  void DrawMove();
  void GridRectToScreenRect(const TGridRect &GridRect, TRect &ScreenRect, bool IncludeLine);
  void ChangeSize(int NewColCount, int NewRowCount);
  void InitializeEditor();
  void HideEdit();
  void UpdateText();
  void SelectionMoved(const TGridRect &OldSel);
  void MoveAdjust(int &CellPos, int FromIndex, int ToIndex);
  void MoveAnchor(const TGridCoord &NewAnchor);
  void MoveAndScroll(int Mouse, int CellHit, TGridDrawInfo &DrawInfo, TGridAxisDrawInfo &Axis,
                     int ScrollBar, const TPoint &MousePt);
  void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
  void DrawCells(int ACol, int ARow, int StartX, int StartY, int StopX, int StopY, TColor Color,
                 TGridDrawState IncludeDrawState, const TRect &Update);
  void DrawLines(bool DoHorz, bool DoVert, int StartCol, int StartRow, const TRect &Area,
                 TColor LineColor, TColor FillColor);
  int EffectiveLineWidth(bool Horz) const;

  // State shared with descendants
  TGridState FGridState = gsNormal;
  TGridCoord FAnchor{1, 1};
  TGridCoord FCurrent{1, 1};
  TGridCoord FTopLeft{1, 1};
  int FColCount = 5;
  int FRowCount = 5;
  int FFixedCols = 1;
  int FFixedRows = 1;
  int FDefaultColWidth = 64;
  int FDefaultRowHeight = 24;
  int FGridLineWidth = 1;
  TGridOptions FOptions;
  TScrollStyle FScrollBars = ssBoth;
  TBorderStyle FBorderStyle = bsSingle;
  TColor FFixedColor = clBtnFace;
  bool FDefaultDrawing = true;
  bool FEditorMode = false;
  bool FCanEditModify = false;
  TInplaceEdit *FInplaceEdit = nullptr;
  int FInplaceCol = -1;
  int FInplaceRow = -1;
  int FSizingIndex = 0;
  int FSizingPos = 0;
  int FSizingOfs = 0;
  int FMoveIndex = 0;
  int FMovePos = 0;
  TPoint FHitTest;
  bool FTimerActive = false;
  TPoint FLastMouse;  // last mouse position seen (client), for the auto-scroll timer
  bool FSizingLineShown = false;
  bool FSizingLineRows = false;  // the drawn sizing line is a row's (horizontal)
  int FMoveLineShown = -1;  // position of the drawn move mark, -1 when none
  bool FMoveLineRows = false;  // the drawn move mark is a row's
  static constexpr int ScrollTimerId = 1;

private:
  // Widths and heights per index, written only through the members below (the layout cache
  // counts their changes).
  std::vector<int> FColWidths;
  std::vector<int> FRowHeights;
  int FOddRowHeights = 0;  // rows whose height is not the default: none, and a row move moves none
  uint32_t FExtentsSerial = 0;

  // The layout computed for the client area, reused while nothing it depends on changed: a
  // cell write asks it whether the cell is on screen at all (a fill of many cells would
  // otherwise lay the view out again for every cell).
  struct TLayoutKey {
    TGridCoord TopLeft;
    int ColCount = 0, RowCount = 0, FixedCols = 0, FixedRows = 0;
    int HorzLine = 0, VertLine = 0, DefaultColWidth = 0, DefaultRowHeight = 0;
    int ClientWidth = 0, ClientHeight = 0;
    uint32_t ExtentsSerial = 0;
    bool operator==(const TLayoutKey &) const = default;
  };
  TLayoutKey FLayoutKey;
  TGridDrawInfo FLayout;
  bool FLayoutValid = false;
  const TGridDrawInfo &CurrentLayout();

  // Inline test: called on every count change and row rotation, mostly with nothing to do.
  void SetExtents(std::vector<int> &Extents, int Count, int Default)
  {
    if (Extents.size() != size_t(std::max(Count, 0)))
      ResizeExtents(Extents, Count, Default);
  }
  void ResizeExtents(std::vector<int> &Extents, int Count, int Default);
  void ResetExtents(std::vector<int> &Extents, int Default);
  void RestoreAfterCountChange(int OldColCount, int OldRowCount);
  void FixedCountChanged();
  // Takes a shown sizing line or move mark off the screen and stops the auto-scroll
  // timer, whatever the state says (a descendant may have ended the gesture itself).
  void EndGestureFeedback();
  bool FUpdatingScrollRange = false;
  bool FPainting = false;
  int FEditUpdate = 0;  // while positive, writing the current cell leaves the editor alone
  friend class TStringGrid;
};

using TDrawCellEvent = std::function<void(TObject *Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject *Sender, int ACol, int ARow, bool &CanSelect)>;
using TMovedEvent = std::function<void(TObject *Sender, int FromIndex, int ToIndex)>;
using TGetEditEvent = std::function<void(TObject *Sender, int ACol, int ARow, QString &Value)>;
using TSetEditEvent = std::function<void(TObject *Sender, int ACol, int ARow, const QString &Value)>;

// A grid whose hooks raise events.
class TDrawGrid : public TCustomGrid {
public:
  explicit TDrawGrid(TComponent *AOwner);

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TNotifyEvent OnTopLeftChanged;
  TMovedEvent OnColumnMoved;
  TMovedEvent OnRowMoved;
  TGetEditEvent OnGetEditMask;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;

protected:
  void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  void TopLeftChanged() override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  QString GetEditMask(int ACol, int ARow) override;
  QString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const QString &Value) override;
};

// A draw grid with a text and an object per cell. The store does not follow the counts:
// cells beyond ColCount or RowCount keep their values.
class TStringGrid : public TDrawGrid {
public:
  explicit TStringGrid(TComponent *AOwner);
  ~TStringGrid() override;

  const QString &Cells(int ACol, int ARow) const { return FCells.Text(ACol, ARow); }
  void SetCells(int ACol, int ARow, const QString &Value);
  // The cell's object; not owned.
  TObject *Objects(int ACol, int ARow) const { return FCells.Object(ACol, ARow); }
  void SetObjects(int ACol, int ARow, TObject *Value);
  // Text and object in one look (nullptr: an empty cell); valid until the next store change.
  const TGridCellStore::TCell *CellData(int ACol, int ARow) const { return FCells.Cell(ACol, ARow); }

  // Whole-row and whole-column copies of texts and objects.
  void CopyRowCells(int FromRow, int ToRow) { FCells.CopyRow(FromRow, ToRow); }
  void CopyColCells(int FromCol, int ToCol) { FCells.CopyCol(FromCol, ToCol); }
  void MoveRowCells(int FromRow, int ToRow) { FCells.MoveRow(FromRow, ToRow); }
  void MoveColCells(int FromCol, int ToCol) { FCells.MoveCol(FromCol, ToCol); }
  // Columns taken out at ACol (the columns up to AEnd move left, leaving empty ones before
  // AEnd), and empty columns opened at ACol (columns [ACol, AEnd) move right over those behind).
  void CloseColCells(int ACol, int ACount, int AEnd) { FCells.CloseCols(ACol, ACount, AEnd); }
  void OpenColCells(int ACol, int ACount, int AEnd) { FCells.OpenCols(ACol, ACount, AEnd); }
  // Rows [First, Last) turned so that row Middle comes first.
  void RotateRowCells(int First, int Middle, int Last) { FCells.RotateRows(First, Middle, Last); }
  // Empty rows opened at ARow (rows [ARow, AEnd) move down over the rows behind AEnd), and
  // rows taken out at ARow (rows up to AEnd move up, leaving empty rows before AEnd).
  void OpenRowCells(int ARow, int ACount, int AEnd) { FCells.OpenRows(ARow, ACount, AEnd); }
  void CloseRowCells(int ARow, int ACount, int AEnd) { FCells.CloseRows(ARow, ACount, AEnd); }
  void ClearRowCells(int ARow) { FCells.ClearRow(ARow); }
  void ClearColCells(int ACol) { FCells.ClearCol(ACol); }
  // Scattered rows (ascending) closed up before AEnd, or opened with the rows before AEnd moving
  // down between them; rows handed out and back whole, their texts not copied.
  void CloseRowCellSet(const std::vector<int> &Rows, int AEnd) { FCells.CloseRowSet(Rows, AEnd); }
  void OpenRowCellSet(const std::vector<int> &Rows, int AEnd) { FCells.OpenRowSet(Rows, AEnd); }
  TGridCellStore::TRowData TakeRowCells(int ARow) { return FCells.TakeRow(ARow); }
  void PutRowCells(int ARow, TGridCellStore::TRowData &&Data) { FCells.PutRow(ARow, std::move(Data)); }
  // Rows the store has touched (an upper bound for walking all stored rows).
  int StoredRowExtent() const { return FCells.RowExtent(); }

protected:
  void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  QString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const QString &Value) override;

private:
  TGridCellStore FCells;
};

// The editor's class, so that one include gives the whole grid family.
#include "framework/grids/inplace_edit.h"
