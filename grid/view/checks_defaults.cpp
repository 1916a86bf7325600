// Smallest bodies of the cell layout queries the check-box hit test uses, until painting exists.
#include "grid/core/zav_string_grid.h"

#include "grid/foundation/cell_properties.h"

int TZavStringGrid::GetCellAlignment(int ACol, int ARow)
{
  TAlignment ha = FDefaultAlignment;
  TVAlignment va = FVAlignment;
  if (ACol >= 0 && ARow >= 0) {
    const TPoint b = BaseCell(ACol, ARow);
    if (HasCellProperties(b.X, b.Y)) {
      TCellProperties *p = CellProperties(b.X, b.Y);
      ha = p->Alignment();
      va = p->VAlignment();
    }
  }
  DoGetAlignment(ACol, ARow, ha, va);
  return int(ha) | (int(va) << 8);
}

TSize TZavStringGrid::GetCellTextSize(int ACol, int ARow, bool, bool)
{
  TCanvas *canvas = Canvas();
  canvas->Font()->Assign(GetCellFont(ACol, ARow));
  const QString s = Cells(ACol, ARow);
  return {canvas->TextWidth(s), canvas->TextHeight(s)};
}
