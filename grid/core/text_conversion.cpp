// The texts a cell shows, saves and loads, balloon hints and rotated texts on the cell graphic,
// and the writers of the grid's appearance properties.
#include "grid/core/text_conversion.h"

#include <algorithm>

#include "framework/graphics/richtext.h"
#include "framework/grids/inplace_edit.h"
#include "framework/system/sysutils.h"
#include "grid/core/feature_settings.h"
#include "grid/core/grid_settings.h"
#include "grid/core/sort_settings.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/cell_properties.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/grid_utils.h"
#include "grid/foundation/markup_utils.h"

// ---------------------------------------------------------------------------------------------
// Text hooks

void TZavStringGrid::GetDisplText(int ACol, int ARow, QString &Value)
{
  // Every cell read passes here: the common case goes on to the event without a frame of its own.
  if (FURLShowInText || (ACol == 1 && FGrouping->ShowGroupCount())) {
    TBaseGrid::GetDisplText(ACol, ARow, Value);
    DecorateDisplText(ACol, ARow, Value);
    return;
  }
  TBaseGrid::GetDisplText(ACol, ARow, Value);
}

void TZavStringGrid::DecorateDisplText(int ACol, int ARow, QString &Value)
{
  if (FURLShowInText) {
    static const char *const prefixes[] = {"HTTP://", "WWW.", "MAILTO:", "HTTPS://", "NNTP://", "FILE://", "FTP://"};
    for (const char *prefix : prefixes) {
      QString linked;
      if (LinkifyText(Value, QString::fromLatin1(prefix), linked)) {
        Value = linked;
        break;
      }
    }
  }
  if (ACol == 1 && FGrouping->ShowGroupCount()) {
    TCellGraphic *g = GetCellGraphic(0, ARow);
    if (g && g->CellType() == ctNode) {
      const int n = g->CellIndex() - g->CellErrFrom() - 1;
      const QString format = FGrouping->GroupCountFormat();
      Value += format.isEmpty() ? QStringLiteral(" (%1)").arg(n) : Format(format, n);
    }
  }
}

QString TZavStringGrid::GetDisplCellText(int ACol, int ARow) { return Cells(ACol, ARow); }

QString TZavStringGrid::GetSaveCellText(int ACol, int ARow)
{
  QString text = FSaveVirtCells ? GetFormattedCell(ACol, ARow) : GridCells(ACol, ARow);
  if (text.isEmpty()) {
    const TCellType kind = GetCellType(ACol, ARow);
    bool checked = false;
    bool isBox = false;
    const int real = RealRowIndex(ARow);
    if (kind == ctCheckBox) {
      isBox = true;
      GetCheckBoxState(ACol, real, checked);
    } else if (kind == ctTriStateCheckBox) {
      isBox = true;
      TCheckBoxState state = cbUnchecked;
      GetCheckBoxState(ACol, real, state);
      checked = state == cbChecked;
    }
    if (isBox) {
      if (checked)
        GetCheckTrueText(ACol, ARow, text);
      else
        GetCheckFalseText(ACol, ARow, text);
    }
  }
  switch (CellTextKind(text, true)) {
  case 1:
    if (!FSaveWithHTML)
      text = HTMLToPlainText(text);
    break;
  case 2:
    // Kept as RTF on one line, or reduced to the document's plain text.
    if (FSaveWithRTF)
      text.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    else
      text = TRichText::FromRTF(text).PlainText();
    break;
  default:
    break;
  }
  if (OnSaveCell)
    OnSaveCell(this, ACol, ARow, text);
  return text;
}

void TZavStringGrid::SetLoadedCellText(int ACol, int ARow, const QString &Value)
{
  QString text = Value;
  if (OnLoadCell)
    OnLoadCell(this, ACol, ARow, text);
  SetGridCells(ACol, ARow, text);
}

void TZavStringGrid::DoFixedEdit(int ACol, int ARow, TGridFixedCellEditor &AEditor, TStrings *Values)
{
  if (OnFixedEdit)
    OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

// ---------------------------------------------------------------------------------------------
// Balloons and rotated texts

namespace {

bool CarriesBalloon(TCellType Kind) { return Kind == ctCheckBox || Kind == ctDataCheckBox || Kind == ctRadioButton; }

} // namespace

// The list of lines is made only when it is attached, and a list the cell had is freed first.
void TZavStringGrid::AddBalloon(int ACol, int ARow, const QString &Title, const QString &Text, TBalloonIcon Icon)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (g && CarriesBalloon(g->CellType())) {
    if (g->CellAngle() == 1)
      delete g->CellBitmap();
    g->SetCellAngle(1);
  } else if (g && g->CellType() == ctBalloon) {
    delete g->CellBitmap();
  } else if (!g) {
    g = CreateCellGraphic(ACol, ARow);
    if (!g)
      return;
    g->SetCellType(ctBalloon);
    g->SetCellAngle(0);
  } else {
    return;
  }
  auto *lines = new TStringList();
  lines->Add(Title);
  lines->Add(Text);
  g->SetCellIndex(int(Icon));
  g->SetCellBitmap(lines);
}

void TZavStringGrid::RemoveBalloon(int ACol, int ARow)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g)
    return;
  if (CarriesBalloon(g->CellType())) {
    if (g->CellAngle() == 1) {
      g->SetCellAngle(0);
      delete g->CellBitmap();
      g->SetCellBitmap(nullptr);
    }
    return;
  }
  RemoveCellGraphicOfType(ACol, ARow, ctBalloon);
}

bool TZavStringGrid::HasBalloon(int ACol, int ARow)
{
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic *g = GetCellGraphic(b.X, b.Y);
  return g && g->CellType() == ctBalloon;
}

bool TZavStringGrid::IsBalloon(int ACol, int ARow, QString &Title, QString &Text, TBalloonIcon &Icon)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g)
    return false;
  const bool balloon = g->CellType() == ctBalloon || (CarriesBalloon(g->CellType()) && g->CellAngle() == 1);
  auto *lines = dynamic_cast<TStrings *>(g->CellBitmap());
  if (!balloon || !lines)
    return false;
  Title = lines->Count() > 0 ? lines->Strings(0) : QString();
  Text = lines->Count() > 1 ? lines->Strings(1) : QString();
  Icon = TBalloonIcon(g->CellIndex());
  return true;
}

void TZavStringGrid::AddRotated(int ACol, int ARow, int16_t AAngle, const QString &s)
{
  if (TCellGraphic *g = CreateCellGraphic(ACol, ARow))
    g->SetAngle(AAngle);
  SetCells(ACol, ARow, s);
}

void TZavStringGrid::SetRotated(int ACol, int ARow, int16_t AAngle)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g || g->CellType() != ctRotated)
    g = CreateCellGraphic(ACol, ARow);
  if (g)
    g->SetAngle(AAngle);
}

void TZavStringGrid::RemoveRotated(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRotated); }

bool TZavStringGrid::IsRotated(int ACol, int ARow, int &aAngle)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g || g->CellType() != ctRotated)
    return false;
  aAngle = g->CellAngle();
  return true;
}

bool TZavStringGrid::IsSortGlyphRow(int ACol, int ARow)
{
  if (IsMergedCell(ACol, ARow))
    ARow += CellSpan(ACol, ARow).Y;
  return ARow == FSortSettings->Row() && FSortSettings->Show() && RowCount() > FixedRows() + 1;
}

// ---------------------------------------------------------------------------------------------
// Appearance writers

namespace {

// A changed value is stored and the whole grid repainted.
template <typename T>
void StoreAndRepaint(TZavStringGrid *Grid, T &Field, T Value)
{
  if (Field == Value)
    return;
  Field = Value;
  Grid->Invalidate();
}

} // namespace

void TZavStringGrid::SetSelectionColor(TColor Value) { StoreAndRepaint(this, FSelectionColor, Value); }
void TZavStringGrid::SetSelectionColorTo(TColor Value) { StoreAndRepaint(this, FSelectionColorTo, Value); }
void TZavStringGrid::SetSelectionMirrorColor(TColor Value) { StoreAndRepaint(this, FSelectionMirrorColor, Value); }
void TZavStringGrid::SetSelectionMirrorColorTo(TColor Value) { StoreAndRepaint(this, FSelectionMirrorColorTo, Value); }
void TZavStringGrid::SetSelectionTextColor(TColor Value) { StoreAndRepaint(this, FSelectionTextColor, Value); }
void TZavStringGrid::SetSelectionColorMixer(bool Value) { StoreAndRepaint(this, FSelectionColorMixer, Value); }
void TZavStringGrid::SetSelectionRectangle(bool Value) { StoreAndRepaint(this, FSelectionRectangle, Value); }
void TZavStringGrid::SetSelectionResizer(bool Value) { StoreAndRepaint(this, FSelectionResizer, Value); }

void TZavStringGrid::SetSelectionColorMixerFactor(int Value)
{
  StoreAndRepaint(this, FSelectionColorMixerFactor, std::clamp(Value, 0, 100));
}

void TZavStringGrid::SetShowSelection(bool Value)
{
  FShowSel = Value;
  StoreAndRepaint(this, FShowSelection, Value);
}

void TZavStringGrid::SetMaxEditLength(int Value)
{
  FMaxEditLength = Value;
  if (TInplaceEdit *editor = InplaceEditor())
    editor->SetMaxLength(Value);
}

void TZavStringGrid::SetVAlignment(TVAlignment Value)
{
  FVAlignment = Value;
  FVAlign = Value == vtaCenter ? 4 : Value == vtaBottom ? 8 : 0;
  if (FUpdateCount == 0)
    Invalidate();
}

void TZavStringGrid::SetSpreadSheet(bool Value)
{
  FSpreadSheet = Value;
  SetSelectionRectangle(true);
  SetSelectionResizer(true);
  FNavigation->SetAllowSmartClipboard(true);
  SetOptions(Options() + goRangeSelect + goEditing);
  FMouseActions->SetRangeSelectAndEdit(true);
}

void TZavStringGrid::SetAutoSize(bool Value)
{
  FAutoSize = Value;
  if (Value && !ComponentState().Contains(csLoading))
    AutoSizeColumns(false, 10);
}

void TZavStringGrid::SetFlat(bool Value)
{
  FFlat = Value;
  if (!ComponentState().Contains(csLoading))
    Invalidate();
}

void TZavStringGrid::SetSortSettings(TSortSettings *Value) { FSortSettings->Assign(Value); }

void TZavStringGrid::SetDragScrollOptions(TDragScrollOptions *Value) { FDragScrollOptions->Assign(Value); }
