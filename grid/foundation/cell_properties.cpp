#include "grid/foundation/cell_properties.h"

#include "grid/foundation/base_grid.h"

TCellProperties::TCellProperties(TBaseGrid *AOwner, int ACol, int ARow)
    : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow)
{
  if (FOwnerGrid) {
    FWordWrap = FOwnerGrid->WordWrap();
    FOwnerGrid->FHasCellProps = true;
    FOwnerGrid->FAllProps.insert(this);
  }
}

void TCellProperties::ApplyFontTo(TFont *AFont) const
{
  if (FFontColor != clNone)
    AFont->SetColor(FFontColor);
  if (!FFontStyle.Empty())
    AFont->SetStyle(FFontStyle);
  if (FFontSize != 0)
    AFont->SetSize(FFontSize);
  if (!FFontName.isEmpty())
    AFont->SetName(FFontName);
}

TCellProperties::~TCellProperties()
{
  if (FOwnerGrid)
    FOwnerGrid->FAllProps.erase(this);
}

void TCellProperties::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<TCellProperties *>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  FIsBaseCell = src->FIsBaseCell;
  FCellSpanX = src->FCellSpanX;
  FCellSpanY = src->FCellSpanY;
  FOwnerRow = src->FOwnerRow;
  FOwnerCol = src->FOwnerCol;
  FObject = src->FObject;
  FAlignment = src->FAlignment;
  FBorderColor = src->FBorderColor;
  FBorderWidth = src->FBorderWidth;
  FBrushColor = src->FBrushColor;
  FBrushStyle = src->FBrushStyle;
  FFontColor = src->FFontColor;
  FFontStyle = src->FFontStyle;
  FFontName = src->FFontName;
  FFontSize = src->FFontSize;
  FReadOnly = src->FReadOnly;
  FEditor = src->FEditor;
  FVAlignment = src->FVAlignment;
  FWordWrap = src->FWordWrap;
  FNodeLevel = src->FNodeLevel;
  FControl = src->FControl;
}

TPoint TCellProperties::BaseCell(int ACol, int ARow) const
{
  if (!FIsBaseCell && FCellSpanX != -1 && FCellSpanY != -1)
    return {ACol - FCellSpanX, ARow - FCellSpanY};
  return {ACol, ARow};
}

void TCellProperties::RepaintOwnerCell()
{
  if (FOwnerGrid)
    FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor Value)
{
  FBrushColor = Value;
  RepaintOwnerCell();
}

void TCellProperties::SetBrushColorTo(TColor Value)
{
  FBrushColorTo = Value;
  RepaintOwnerCell();
}

void TCellProperties::SetVAlignment(TVAlignment Value)
{
  FVAlignment = Value;
  RepaintOwnerCell();
}

void TCellProperties::SetWordWrap(bool Value)
{
  FWordWrap = Value;
  RepaintOwnerCell();
}
