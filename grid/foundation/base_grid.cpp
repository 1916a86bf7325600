#include "grid/foundation/base_grid.h"

#include <algorithm>
#include <vector>

#include "grid/foundation/grid_utils.h"
#include "grid/foundation/undo.h"

TBaseGrid::TBaseGrid(TComponent *AOwner) : TObjStringGrid(AOwner)
{
  TCustomGrid::SetGridLineWidth(0);
  TCustomGrid::SetDefaultDrawing(false);
}

TBaseGrid::~TBaseGrid()
{
  FDestroying = true;
  FreeAllCellProperties();
  // Properties left beyond the counts (the store keeps them when the grid shrinks).
  std::vector<TCellProperties *> rest(FAllProps.begin(), FAllProps.end());
  for (TCellProperties *p : rest)
    FreePropsAndGraphic(p);
}

// ---------------------------------------------------------------------------------------------
// Cell access

bool TBaseGrid::InGrid(int ACol, int ARow) const
{
  return ACol >= 0 && ACol < TotalColCount() && ARow >= 0 && ARow < RowCount();
}

bool TBaseGrid::HasCellProperties(int ACol, int ARow) const
{
  return InGrid(ACol, ARow) && GridObjects(ACol, ARow) != nullptr;
}

TCellProperties *TBaseGrid::PropsAt(int ACol, int ARow) const
{
  return InGrid(ACol, ARow) ? static_cast<TCellProperties *>(GridObjects(ACol, ARow)) : nullptr;
}

QString TBaseGrid::GetCellEx(int ACol, int ARow)
{
  int bc = ACol, br = ARow;
  // Read per cell by every caller: one look at the store, the range test only when the cell
  // has properties (which may merge it into another cell).
  const TGridCellStore::TCell *cell = CellData(ACol, ARow);
  if (cell && cell->Object && InGrid(ACol, ARow)) {
    TPoint b = static_cast<TCellProperties *>(cell->Object)->BaseCell(ACol, ARow);
    bc = b.X;
    br = b.Y;
  }
  QString value = bc == ACol && br == ARow ? (cell ? cell->Text : QString()) : GridCells(bc, br);
  if (br < FNormalRowCount) {
    GetDisplText(bc, br, value);
    if (OnGetDisplWideText) {
      QString wide = UnpackWideText(value);
      GetDisplWideText(bc, br, wide);
      value = PackWideText(wide);
    }
  }
  return value;
}

void TBaseGrid::SetCellEx(int ACol, int ARow, const QString &Value)
{
  TCellProperties *p = PropsAt(ACol, ARow);
  if (!p) {
    SetGridCells(ACol, ARow, Value);
    return;
  }
  TPoint b = p->BaseCell(ACol, ARow);
  SetGridCells(b.X, b.Y, Value);
  CellTextChanged(b.X, b.Y);
  if (Parent())
    RepaintCell(ACol, ARow);
}

TObject *TBaseGrid::Objects(int ACol, int ARow) const
{
  TCellProperties *p = PropsAt(ACol, ARow);
  return p ? reinterpret_cast<TObject *>(p->CellObject()) : nullptr;
}

void TBaseGrid::SetObjects(int ACol, int ARow, TObject *Value)
{
  if (!InGrid(ACol, ARow))
    return;
  // A cell with an empty text gets a blank while its properties are set up, as callers that
  // hook text changes expect one write before the object arrives.
  bool wasEmpty = GetCellEx(ACol, ARow).isEmpty();
  if (wasEmpty)
    SetCellEx(ACol, ARow, QStringLiteral(" "));
  CellProperties(ACol, ARow)->SetCellObject(reinterpret_cast<uintptr_t>(Value));
  if (wasEmpty)
    SetCellEx(ACol, ARow, QString());
}

TObject *TBaseGrid::GraphicObjects(int ACol, int ARow) const
{
  TCellProperties *p = PropsAt(ACol, ARow);
  return p ? p->GraphicObject() : nullptr;
}

void TBaseGrid::SetGraphicObjects(int ACol, int ARow, TObject *Value)
{
  if (FDestroying || !InGrid(ACol, ARow))
    return;
  bool wasEmpty = GetCellEx(ACol, ARow).isEmpty();
  if (wasEmpty)
    SetCellEx(ACol, ARow, QStringLiteral(" "));
  CellProperties(ACol, ARow)->SetGraphicObject(Value);
  if (wasEmpty)
    SetCellEx(ACol, ARow, QString());
}

TObject *TBaseGrid::GetGraphicObjectFromProps(TCellProperties *Props) const
{
  return Props ? Props->GraphicObject() : nullptr;
}

TCellProperties *TBaseGrid::CreateCellProperties(int ACol, int ARow)
{
  auto *p = new TCellProperties(this, ACol, ARow);
  SetGridObjects(ACol, ARow, p);
  TFont font;
  TBrush brush;
  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TAlignment hAlign = taLeftJustify;
  TVAlignment vAlign = vtaTop;
  bool wordWrap = FWordWrap;
  TCellGradientDirection dir = GradientVertical;
  GetCellDefaults(ACol, ARow, &font, &brush, colorTo, mirror, mirrorTo, hAlign, vAlign, wordWrap, dir);
  p->FCalcType = acNONE;
  p->FAlignment = hAlign;
  p->FVAlignment = vAlign;
  p->FWordWrap = wordWrap;
  p->FFontName = font.Name();
  p->FFontSize = font.Size();
  p->FFontStyle = font.Style();
  p->FFontColor = font.Color();
  p->FBrushColor = brush.Color();
  p->FBrushColorTo = colorTo;
  p->FGradientDirection = dir;
  return p;
}

TCellProperties *TBaseGrid::CellProperties(int ACol, int ARow)
{
  if (!InGrid(ACol, ARow))
    return nullptr;
  if (TCellProperties *p = PropsAt(ACol, ARow))
    return p;
  return CreateCellProperties(ACol, ARow);
}

void TBaseGrid::FreePropsAndGraphic(TCellProperties *Props)
{
  if (TObject *g = Props->GraphicObject(); g && g->ClassName() == QLatin1String("TCellGraphic"))
    delete g;
  delete Props;
}

void TBaseGrid::SetCellProperties(int ACol, int ARow, TCellProperties *Value)
{
  if (ACol < 0 || ARow < 0)
    return;
  auto *old = static_cast<TCellProperties *>(GridObjects(ACol, ARow));
  if (old == Value)
    return;
  if (old) {
    // The replaced cell graphic is the grid's; one the new properties carry on is kept.
    TObject *g = old->GraphicObject();
    if (g && (!Value || Value->GraphicObject() != g) && g->ClassName() == QLatin1String("TCellGraphic"))
      delete g;
    delete old;
  }
  SetGridObjects(ACol, ARow, Value);
  if (Value && Value->FOwnerGrid != this) {
    if (Value->FOwnerGrid)
      Value->FOwnerGrid->FAllProps.erase(Value);
    Value->FOwnerGrid = this;
    FAllProps.insert(Value);
    FHasCellProps = true;
  }
}

// ---------------------------------------------------------------------------------------------
// Maintenance

bool TBaseGrid::FindBaseCell(int ACol, int ARow, int &BaseCol, int &BaseRow) const
{
  TPoint b = BaseCell(ACol, ARow);
  BaseCol = b.X;
  BaseRow = b.Y;
  TCellProperties *p = PropsAt(ACol, ARow);
  return !p || p->IsBaseCell();
}

void TBaseGrid::ResetColumnCells(int ACol)
{
  for (int r = 0; r < RowCount(); ++r) {
    SetGridObjects(ACol, r, nullptr);
    SetCellEx(ACol, r, QString());
  }
}

void TBaseGrid::ResetRowCells(int ARow)
{
  for (int c = 0; c < TotalColCount(); ++c) {
    SetGridObjects(c, ARow, nullptr);
    SetCellEx(c, ARow, QString());
  }
}

void TBaseGrid::ResetCell(int ACol, int ARow)
{
  SetCellEx(ACol, ARow, QString());
  SetGridObjects(ACol, ARow, nullptr);
}

void TBaseGrid::FreeCellPropertiesRange(int FromCol, int FromRow, int ToCol, int ToRow)
{
  if (!FHasCellProps)
    return;
  for (int c = std::max(FromCol, 0); c <= ToCol; ++c)
    for (int r = std::max(FromRow, 0); r <= ToRow; ++r)
      if (auto *p = static_cast<TCellProperties *>(GridObjects(c, r))) {
        SetGridObjects(c, r, nullptr);
        FreePropsAndGraphic(p);
      }
}

void TBaseGrid::FreeCellProperties(int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return;
  if (auto *p = static_cast<TCellProperties *>(GridObjects(ACol, ARow))) {
    SetGridObjects(ACol, ARow, nullptr);
    delete p;
  }
}

void TBaseGrid::FreeAllCellProperties()
{
  FreeCellPropertiesRange(0, 0, ColCount() - 1, RowCount() - 1);
}

void TBaseGrid::SnapToBaseCell()
{
  if (!HasCellProperties(Col(), Row()))
    return;
  TPoint b = BaseCell(Col(), Row());
  SetCol(b.X);
  SetRow(b.Y);
}

// ---------------------------------------------------------------------------------------------
// Appearance and links

void TBaseGrid::SetActiveRowShow(bool Value)
{
  if (FActiveRowShow == Value)
    return;
  FActiveRowShow = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowColor(TColor Value)
{
  if (FActiveRowColor == Value)
    return;
  FActiveRowColor = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowColorTo(TColor Value)
{
  if (FActiveRowColorTo == Value)
    return;
  FActiveRowColorTo = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowMirrorColor(TColor Value)
{
  if (FActiveRowMirrorColor == Value)
    return;
  FActiveRowMirrorColor = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowMirrorColorTo(TColor Value)
{
  if (FActiveRowMirrorColorTo == Value)
    return;
  FActiveRowMirrorColorTo = Value;
  Invalidate();
}

void TBaseGrid::SetSelectionStyle(TGridSelectionStyle Value)
{
  if (FSelectionStyle == Value)
    return;
  FSelectionStyle = Value;
  Invalidate();
}

void TBaseGrid::SetDefaultDrawing(bool Value)
{
  FOwnDefaultDrawing = Value;
  TCustomGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int Value)
{
  FOwnGridLineWidth = Value;
  TCustomGrid::SetGridLineWidth(0);
  Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value)
{
  FGridLineColor = Value;
  Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor Value)
{
  FGridFixedLineColor = Value;
  Invalidate();
}

void TBaseGrid::SetUndoRedo(TZavGridUndoRedo *Value)
{
  // The old component keeps its link to this grid (and the mutual free notification with it).
  FUndoRedo = Value;
  if (Value) {
    Value->FreeNotification(this);
    Value->SetGrid(this);
  }
}

void TBaseGrid::Notification(TComponent *AComponent, TOperation Operation)
{
  TObjStringGrid::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FUndoRedo)
    FUndoRedo = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Overridable behaviour: the bare grid's answers.

bool TBaseGrid::IsFixed(int, int) { return false; }
int TBaseGrid::GetNodeIndent(int) { return 0; }
bool TBaseGrid::HasNodes() { return false; }
void TBaseGrid::LastRowChanged() {}
void TBaseGrid::CellTextChanged(int, int) {}
bool TBaseGrid::HasCustomCellBorders() { return false; }
bool TBaseGrid::UsesStyleEngine() { return false; }
int TBaseGrid::DisplColIndex(int ACol) { return ACol; }
int TBaseGrid::TotalColCount() const { return ColCount(); }

void TBaseGrid::GetVisualProperties(int, int, TGridDrawState &, bool, bool, bool, TBrush *, TColor &,
                                    TColor &, TColor &, TFont *, TAlignment &, TVAlignment &, bool &,
                                    TCellGradientDirection &)
{
}

void TBaseGrid::GetDisplText(int ACol, int ARow, QString &Value)
{
  if (OnGetDisplText)
    OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::GetDisplWideText(int ACol, int ARow, QString &Value)
{
  if (OnGetDisplWideText)
    OnGetDisplWideText(this, ACol, ARow, Value);
}

void TBaseGrid::GetCellDefaults(int, int, TFont *AFont, TBrush *ABrush, TColor &ColorTo,
                                TColor &ColorMirror, TColor &ColorMirrorTo, TAlignment &HAlign,
                                TVAlignment &VAlign, bool &WordWrap, TCellGradientDirection &GradientDir)
{
  AFont->Assign(Font());
  ABrush->SetColor(Color());
  ColorTo = clNone;
  ColorMirror = clNone;
  ColorMirrorTo = clNone;
  HAlign = taLeftJustify;
  VAlign = vtaTop;
  WordWrap = FWordWrap;
  GradientDir = GradientVertical;
}

void TBaseGrid::DrawCellContent(TCanvas *ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState)
{
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->DrawText(Cells(ACol, ARow), ARect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
