// How a cell looks before anything is drawn: brush, gradient, font, alignment and word wrap,
// decided once for the base painter, the content painter and printing.
#include <algorithm>
#include <cmath>

#include "grid/core/grid_settings.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/cell_properties.h"
#include "grid/foundation/draw_utils.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/grid_utils.h"

namespace {

// Cells whose own brush colour marks them as coloured by their properties (their graphic does
// not paint the background).
bool PropertyColouredType(TCellType T) { return T == ctNone || T == ctRotated || T == ctEmpty; }

}  // namespace

void TZavStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState &AState, bool Print, bool Select,
                                         bool Remap, TBrush *ABrush, TColor &AColorTo, TColor &AMirrorColor,
                                         TColor &AMirrorColorTo, TFont *AFont, TAlignment &HA, TVAlignment &VA,
                                         bool &WW, TCellGradientDirection &GD)
{
  const bool normal = ACol >= FixedCols() && ARow >= FixedRows();
  const bool printFonts = Print && !FPrintSettings->UseDisplayFont();
  if (normal)
    AFont->Assign(printFonts ? FPrintSettings->Font() : Font());
  else
    AFont->Assign(printFonts ? FPrintSettings->FixedFont() : FFixedFont.get());

  const int RCol = Remap ? RealColIndex(ACol) : ACol;
  ABrush->SetColor(clNone);
  AColorTo = clNone;
  AMirrorColor = clNone;
  AMirrorColorTo = clNone;

  bool coloured = false;
  if (HasCellProperties(RCol, ARow)) {
    TCellProperties *p = CellProperties(RCol, ARow);
    ABrush->SetColor(p->BrushColor());
    coloured = p->BrushColor() != clNone && PropertyColouredType(GetCellType(RCol, ARow));
    p->ApplyFontTo(AFont);
    WW = p->WordWrap();
    AColorTo = p->BrushColorTo();
    GD = p->GradientDirection();
  }
  if (AState.Contains(gdSelected))
    GD = GradientVertical;

  if (ABrush->Color() == clNone) {
    TColor c = Color();
    const bool rightFixed = ACol >= ColCount() - FFixedRightCols;
    const bool footer = ARow >= RowCount() - FFixedFooters;
    if (normal && !rightFixed && !footer)
      FBands->GetBandColor(ARow, FixedRows(), Print, c);
    if (!normal || rightFixed || footer)
      c = FixedColor();
    ABrush->SetColor(c);
  }

  if (IsFixed(ACol, ARow) || !normal) {
    if (!Print && !coloured) {
      ABrush->SetColor(FixedColor());
      AFont->Assign(FFixedFont.get());
      AState += gdFixed;
    }
    if (!coloured && FLook > glClassic) {
      ABrush->SetColor(FZAVGradientFrom);
      AColorTo = FZAVGradientTo;
      AMirrorColor = FZAVGradientMirrorFrom;
      AMirrorColorTo = FZAVGradientMirrorTo;
    }
  }

  if (Print)
    DoGetCellPrintColor(RCol, ARow, AState, ABrush, AFont);
  else
    DoGetCellColor(RCol, ARow, AState, ABrush, AFont);

  if (OnGetCellGradient) {
    TColor c = ABrush->Color();
    OnGetCellGradient(this, ARow, RCol, c, AColorTo, AMirrorColor, AMirrorColorTo, GD);
    ABrush->SetColor(c);
  }

  const TColor plainBrush = ABrush->Color();
  const TColor plainFont = AFont->Color();
  auto selectLook = [&] {
    AColorTo = FSelectionColorTo;
    AMirrorColor = FSelectionMirrorColor;
    AMirrorColorTo = FSelectionMirrorColorTo;
    if (FSelectionTextColor != clNone)
      AFont->SetColor(FSelectionTextColor);
    AState += gdSelected;
  };

  // The mouse is down in the cells while the framework grid is selecting.
  const bool mouseDown = GridState() == gsSelecting;
  const bool dataCell = !IsFixed(ACol, ARow) && normal;
  const bool rowDisjunct = FMouseActions->DisjunctRowSelect();
  const bool colDisjunct = FMouseActions->DisjunctColSelect();
  if (FShowSelection) {
    if (rowDisjunct && Select && !Print && dataCell) {
      const int r = FMouseActions->RowSelectPersistent() ? DisplToRealRow(ARow) : ARow;
      const bool listed = r < RowCount() + NumHiddenRows() && RowSelect(r);
      if ((listed && !(mouseDown && ARow == Row())) || (mouseDown && !listed && AState.Contains(gdSelected))) {
        ABrush->SetColor(FSelectionColor);
        selectLook();
      } else {
        AState -= gdSelected;
      }
    } else if (colDisjunct && Select && !Print && dataCell) {
      const bool listed = ACol < ColCount() && ColSelect(ACol);
      if ((listed && !(mouseDown && ACol == Col())) || (mouseDown && !listed && AState.Contains(gdSelected))) {
        ABrush->SetColor(FSelectionColor);
        selectLook();
      } else {
        AState -= gdSelected;
      }
    } else if (dataCell && ((Select && !Print && !FMouseActions->DisjunctCellSelect() && SelectedCells(ACol, ARow)) ||
                            (AState.Contains(gdSelected) && mouseDown))) {
      ABrush->SetColor(ABrush->Color() == Color()
                           ? FSelectionColor
                           : MixSelectionColor(FSelectionColor, ABrush->Color(), FSelectionColorMixer,
                                               FSelectionColorMixerFactor));
      selectLook();
    }
    if (FMouseActions->DisjunctCellSelect() && dataCell) {
      if (SelectedCells(ACol, ARow)) {
        ABrush->SetColor(FSelectionColor);
        selectLook();
      } else if (ACol == Col() && ARow == Row()) {
        AState -= gdSelected;
        ABrush->SetColor(plainBrush);
        AFont->SetColor(plainFont);
        AColorTo = AMirrorColor = AMirrorColorTo = clNone;
      }
    }
  }

  if (FUseDisabledFont && (!Enabled() || (FUseEnabledRows && ARow < RowCount() && !RowEnabled(ARow))))
    AFont->SetColor(FDisabledFontColor);

  if (rowDisjunct && AState.Contains(gdSelected) && ARow != Row() && FSelectionColorTo == clNone)
    ABrush->SetColor(ScaleColor(ABrush->Color(), 7));

  DoGetWordWrap(RCol, ARow, WW);
  const int align = GetCellAlignment(RCol, ARow);
  HA = TAlignment(align & 0xFF);
  VA = TVAlignment((align >> 8) & 0xFF);
}

void TZavStringGrid::GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState &AState, TFont *AFont,
                                       TBrush *ABrush, bool)
{
  AFont->Assign(IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows() ? FFixedFont.get() : Font());
  if (HasCellProperties(RCol, ARow))
    CellProperties(RCol, ARow)->ApplyFontTo(AFont);
  DoGetCellColor(RCol, ARow, AState, ABrush, AFont);
}

TColor TZavStringGrid::BlendColors(TColor Color1, TColor Color2, int Percent)
{
  if (Percent >= 100)
    return Color1;
  if (Percent < 1 || Color1 == clNone)
    return Color2;
  if (Color2 == clNone)
    return Color1;
  const TColor c1 = ColorToRGB(Color1), c2 = ColorToRGB(Color2);
  const double p = Percent / 100.0;
  TColor result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int a = int((c1 >> shift) & 0xFF), b = int((c2 >> shift) & 0xFF);
    const int v = std::min(255, int(std::lround(p * a + (1 - p) * b)));
    result |= TColor(v) << shift;
  }
  return result;
}

TColor TZavStringGrid::MixSelectionColor(TColor SelColor, TColor CellColor, bool Mixer, int Percent)
{
  return Mixer ? BlendColors(SelColor, CellColor, Percent) : SelColor;
}

QString TZavStringGrid::GetFormattedCell(int ACol, int ARow)
{
  const QString text = Cells(ACol, ARow);
  if (!OnGetFloatFormat)
    return text;
  const int kind = ClassifyNumberText(text);
  bool isFloat = kind == 0 || kind == 1 || kind == 5;
  QString format = FFloatFormat;
  OnGetFloatFormat(this, ACol, ARow, isFloat, format);
  if (!isFloat || format.isEmpty())
    return text;
  // A format that does not fit the value leaves the raw text: painting never fails.
  try {
    if (format.contains(QLatin1Char('d')))
      return Format(format, Ints(ACol, ARow));
    return Format(format, Floats(ACol, ARow));
  } catch (const Exception &) {
    return text;
  }
}
