// Plain stand-ins for the text and graphic painters until their own files exist.
#include "grid/core/zav_string_grid.h"
#include "grid/view/cell_paint.h"

void TZavStringGrid::DrawCellText(TCellPaintContext &Ctx)
{
  static constexpr uint32_t Horz[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  static constexpr uint32_t Vert[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
  const QString text = GetFormattedCell(Ctx.RCol, Ctx.ARow);
  TRect r(Ctx.R.Left + XYOffset().X, Ctx.R.Top + XYOffset().Y, Ctx.R.Right - XYOffset().X, Ctx.R.Bottom);
  Ctx.Canvas->Brush()->SetStyle(bsClear);
  Ctx.Canvas->DrawText(text, r,
                       Horz[int(Ctx.HA)] | Vert[int(Ctx.VA)] | DT_NOPREFIX |
                           (Ctx.WW ? DT_WORDBREAK : DT_SINGLELINE));
  Ctx.Canvas->Brush()->SetStyle(bsSolid);
  const int w = text.isEmpty() ? 0 : Ctx.Canvas->TextWidth(text);
  Ctx.TextWidth = w > 0 ? w + 2 : 0;
  Ctx.TextHeight = Ctx.Canvas->TextHeight(QStringLiteral("hg"));
}

void TZavStringGrid::DrawCellGraphic(TCellPaintContext &, TRect &, TCellGraphic *, TVAlignment) {}
