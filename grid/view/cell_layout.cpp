// Cell alignment, the per-cell borders an application asks for, and the pixel size of a cell's
// text as it is painted (used to fit columns and rows).
#include <algorithm>

#include "grid/core/zav_string_grid.h"
#include "grid/foundation/cell_properties.h"
#include "grid/foundation/grid_utils.h"
#include "grid/foundation/markup_render.h"
#include "grid/foundation/markup_utils.h"
#include "grid/view/cell_paint.h"
#include "grid/view/rtf_text.h"

namespace {

bool IsPackedFormula(const QString &Text)
{
  return Text.length() > 3 && Text.startsWith(QLatin1String("|\\")) && Text.at(3) == QLatin1Char('=');
}

}  // namespace

int TZavStringGrid::GetCellAlignment(int ACol, int ARow)
{
  TAlignment ha = FDefaultAlignment;
  TVAlignment va = FVAlignment;
  bool formula = false;
  if (FAutoNumAlign) {
    QString text = Cells(ACol, ARow);
    formula = text.startsWith(QLatin1Char('=')) || IsPackedFormula(text);
    if (formula)
      text = GetDisplCellText(ACol, ARow);
    const int kind = ClassifyNumberText(text.trimmed());
    if (kind == 0 || kind == 1 || kind == 5)
      ha = taRightJustify;
  }
  if (!formula && ACol >= 0 && ARow >= 0) {
    const TPoint b = BaseCell(ACol, ARow);
    if (HasCellProperties(b.X, b.Y))
      ha = CellProperties(b.X, b.Y)->Alignment();
  }
  DoGetAlignment(ACol, ARow, ha, va);
  return int(ha) | (int(va) << 8);
}

void TZavStringGrid::DrawCellBorders(TCellPaintContext &Ctx, TRect R)
{
  TCanvas *canvas = Ctx.Canvas;
  TPen saved;
  saved.Assign(canvas->Pen());
  TCellBorders borders;
  DoGetCellBorder(Ctx.RCol, Ctx.Row, canvas->Pen(), borders);
  if (borders.Empty()) {
    canvas->Pen()->Assign(saved);
    return;
  }
  TPen left, top, right, bottom;
  for (TPen *p : {&left, &top, &right, &bottom})
    p->Assign(canvas->Pen());
  if (OnGetCellBorderProp)
    OnGetCellBorderProp(this, Ctx.Row, Ctx.RCol, &left, &top, &right, &bottom);

  const TGridOptions options = Options();
  int e = (canvas->Pen()->Width() + 1) / 2;
  const int f = options.Contains(goVertLine) ? e : 0;
  if (!options.Contains(goHorzLine))
    e = 0;
  const int lw = GridLineWidth();
  R.Left += f;
  R.Bottom -= e;
  auto line = [canvas](const TPen &Pen, int X1, int Y1, int X2, int Y2) {
    canvas->Pen()->Assign(Pen);
    canvas->MoveTo(X1, Y1);
    canvas->LineTo(X2, Y2);
  };
  if (borders.Contains(cbLeft))
    line(left, std::max(0, R.Left), R.Top, std::max(0, R.Left), R.Bottom);
  R.Right -= f;
  if (borders.Contains(cbRight))
    line(right, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
  if (borders.Contains(cbTop)) {
    R.Top += e;
    const int y = lw != 0 ? std::max(0, R.Top - lw) : R.Top + 1;
    line(top, R.Left, y, R.Right, y);
  }
  if (borders.Contains(cbBottom))
    line(bottom, R.Left - lw - 1, R.Bottom - 1, R.Right, R.Bottom - 1);
  canvas->Pen()->Assign(saved);
}

TSize TZavStringGrid::GetCellTextSize(int ACol, int ARow, bool VS, bool SB)
{
  TPoint size;
  MeasureCellText(ACol, RealToDisplCol(ACol), size, VS, SB, ARow);
  return {size.X, size.Y};
}

void TZavStringGrid::MeasureCellText(int ACol, int DCol, TPoint &Size, bool VS, bool SB, int ARow)
{
  QString text = GetFormattedCell(ACol, ARow);
  int kind = CellTextKind(text, FEnableHTML);
  TCanvas *canvas = Canvas();
  TGridDrawState state;
  TBrush brush;
  GetFontProperties(DCol, ACol, ARow, state, canvas->Font(), &brush, true);
  const bool fixed = IsFixed(DCol, ARow) || DCol < FixedCols() || ARow < FixedRows();
  if (fixed && FActiveCellShow && FActiveCellFont->Style().Contains(fsBold))
    canvas->Font()->SetStyle(canvas->Font()->Style() + fsBold);
  canvas->Font()->SetSize(canvas->Font()->Size() + FZoomFactor);
  if (kind == 3) {
    text = GetDisplCellText(ACol, ARow);
    kind = CellTextKind(text, FEnableHTML);
  }

  TRect R = CellRect(DCol, ARow);
  R.Left += FXYOffset.X;
  R.Top += FXYOffset.Y;
  if (!FXYOffsetTopLeftOnly) {
    R.Right -= FXYOffset.X;
    R.Bottom -= FXYOffset.Y;
  }
  if (VS)
    R.Right -= 17;

  if (kind == 1) {
    if (!SB)
      R.Right = 65535;
    R.Bottom = 65535;
    QString anchor, plain, focusAnchor, title, ctrlId, ctrlValue, ctrlType;
    int w = 0, h = 0, anchors = 0, mouseAnchor = 0;
    TRect anchorRect, ctrlRect;
    RenderHTMLText(canvas, text, R, GetGridImages(), 0, 0, -1, -1, 1, false, true, false, false, false, true,
                   SB, false, 1.0, FURLColor, clNone, clNone, clGray, anchor, plain, focusAnchor, title, w, h,
                   anchors, mouseAnchor, anchorRect, ctrlRect, ctrlId, ctrlValue, ctrlType, FImageCache.get(),
                   FPictureContainer, Handle(), 0);
    Size = TPoint(w + 2, h + 2);
    return;
  }
  if (kind == 2 && !IsDesignTime()) {
    // Rich text is laid out with its own fonts; the extra height is the editor's margin.
    const TSize s = MeasureRTFText(canvas, text, R.Right - R.Left, WordWrap());
    Size = TPoint(s.cx, s.cy + 4);
    return;
  }

  // Rich text is shown as its plain text, one line per paragraph.
  const bool rich = kind == 2;
  if (rich)
    text = RTFToPlainText(text);
  int angle = 0;
  const bool rotated = IsRotated(ACol, ARow, angle);
  if (SB) {
    R.Left += 2;
    R.Top += 2;
    R.Right -= 2;
    R.Bottom -= 2;
    if (EditMode && Col() == DCol && Row() == ARow && text.endsWith(QLatin1Char('\n')))
      text += QLatin1Char('w');  // the empty last line of the text being edited counts
    const uint32_t flags = DT_CALCRECT | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS |
                           (rotated ? DT_SINGLELINE : DT_WORDBREAK);
    Size.Y = canvas->DrawText(text, R, flags);
    Size.X = R.Right - R.Left;
  } else {
    int widest = 0, lines = 0;
    QString rest = text, line;
    do {
      if (FMultilinecells || rich) {
        TakeFirstLine(rest, true, line);
      } else {
        line = rest;
        rest.clear();
      }
      if (FURLShow && !FURLFull && kind == 0)
        StripURLScheme(line);
      widest = std::max(widest, canvas->TextWidth(line));
      ++lines;
    } while (!rest.isEmpty());
    Size.X = widest;
    Size.Y = canvas->TextHeight(QStringLiteral("gh")) * lines;
  }

  if (rotated) {
    // The box around the turned text: each side is the sum of both projections.
    const TRotatedExtents e = RotatedExtents(Size.X, Size.Y, angle);
    Size = TPoint(e.WC + e.HS + 12, e.WS + e.HC + 12);
  }
  if (rich)
    Size.Y += 4;
}
