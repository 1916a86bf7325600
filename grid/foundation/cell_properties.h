#pragma once
// Per-cell look, merge encoding and the caller's objects of one grid cell. The base grid keeps
// one in the framework's object slot of every cell that needs it, and owns it.
#include <QString>

#include <cstdint>

#include "framework/classes/classes.h"
#include "framework/graphics/graphics.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/system/types.h"
#include "grid/foundation/grid_enums.h"

class TBaseGrid;
class TControl;

// Column calculation a cell (typically a footer cell) shows.
enum class TColumnCalcType {
  acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV
};
using enum TColumnCalcType;

// Merge encoding: an unmerged cell is its own base with both spans -1; the base (top-left) cell
// of a W x H block holds (W - 1, H - 1); every other cell of the block holds its offset from the
// base and IsBaseCell False.
class TCellProperties : public TPersistent {
public:
  TCellProperties(TBaseGrid *AOwner, int ACol, int ARow);
  ~TCellProperties() override;

  // Copies the look, the merge encoding, the owner cell and the caller's objects; the gradient
  // end, gradient direction, graphic object, calculation, owner grid and paint pass stay.
  void Assign(TPersistent *Source) override;

  TBaseGrid *OwnerGrid() const { return FOwnerGrid; }
  int OwnerCol() const { return FOwnerCol; }
  void SetOwnerCol(int Value) { FOwnerCol = Value; }
  int OwnerRow() const { return FOwnerRow; }
  void SetOwnerRow(int Value) { FOwnerRow = Value; }

  bool IsBaseCell() const { return FIsBaseCell; }
  void SetIsBaseCell(bool Value) { FIsBaseCell = Value; }
  int CellSpanX() const { return FCellSpanX; }
  void SetCellSpanX(int Value) { FCellSpanX = Value; }
  int CellSpanY() const { return FCellSpanY; }
  void SetCellSpanY(int Value) { FCellSpanY = Value; }
  // The base cell of the block, given that this object belongs to cell (ACol, ARow).
  TPoint BaseCell(int ACol, int ARow) const;

  // The caller's object: a pointer-sized value the grid never interprets.
  uintptr_t CellObject() const { return FObject; }
  void SetCellObject(uintptr_t Value) { FObject = Value; }
  TObject *GraphicObject() const { return FGraphicObject; }
  void SetGraphicObject(TObject *Value) { FGraphicObject = Value; }

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value) { FBorderWidth = Value; }
  TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor Value);
  TColor BrushColorTo() const { return FBrushColorTo; }
  void SetBrushColorTo(TColor Value);
  TBrushStyle BrushStyle() const { return FBrushStyle; }
  void SetBrushStyle(TBrushStyle Value) { FBrushStyle = Value; }
  // Writes the font settings this cell sets (colour, style, size, name) over AFont.
  void ApplyFontTo(TFont *AFont) const;
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor Value) { FFontColor = Value; }
  QString FontName() const { return FFontName; }
  void SetFontName(const QString &Value) { FFontName = Value; }
  int FontSize() const { return FFontSize; }
  void SetFontSize(int Value) { FFontSize = Value; }
  TFontStyles FontStyle() const { return FFontStyle; }
  void SetFontStyle(TFontStyles Value) { FFontStyle = Value; }
  TEditorType Editor() const { return FEditor; }
  void SetEditor(TEditorType Value) { FEditor = Value; }
  TCellGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TCellGradientDirection Value) { FGradientDirection = Value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  TVAlignment VAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  int NodeLevel() const { return FNodeLevel; }
  void SetNodeLevel(int Value) { FNodeLevel = Value; }
  TControl *Control() const { return FControl; }
  void SetControl(TControl *Value) { FControl = Value; }
  TColumnCalcType CalcType() const { return FCalcType; }
  void SetCalcType(TColumnCalcType Value) { FCalcType = Value; }
  TObject *CalcObject() const { return FCalcObject; }
  void SetCalcObject(TObject *Value) { FCalcObject = Value; }
  // Paint pass in which the block was last painted (0: never).
  int PaintID() const { return FPaintID; }
  void SetPaintID(int Value) { FPaintID = Value; }

private:
  friend class TBaseGrid;
  void RepaintOwnerCell();

  TBaseGrid *FOwnerGrid;
  int FOwnerCol;
  int FOwnerRow;
  uintptr_t FObject = 0;
  TObject *FGraphicObject = nullptr;
  TBrushStyle FBrushStyle = bsSolid;
  TColor FBrushColor = clNone;
  TColor FBrushColorTo = clNone;
  int FFontSize = 0;
  TColor FFontColor = clNone;
  TFontStyles FFontStyle;
  int FCellSpanY = -1;
  int FCellSpanX = -1;
  int FBorderWidth = 0;
  TColor FBorderColor = 0;
  TAlignment FAlignment = taLeftJustify;
  TVAlignment FVAlignment = vtaTop;
  int FPaintID = 0;
  bool FWordWrap = true;
  bool FIsBaseCell = true;
  TColumnCalcType FCalcType = acNONE;
  TObject *FCalcObject = nullptr;
  int FNodeLevel = 0;
  TEditorType FEditor = edNormal;
  QString FFontName;
  bool FReadOnly = false;
  TCellGradientDirection FGradientDirection = GradientVertical;
  TControl *FControl = nullptr;
};
