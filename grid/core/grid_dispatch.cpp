// The grid's event dispatchers: each puts its column-first arguments into the event's order.
#include "framework/grids/grids.h"
#include "grid/core/control_look.h"
#include "grid/core/feature_settings.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/grid_utils.h"

void TZavStringGrid::DoCanEditCell(int ACol, int ARow, bool &CanEdit)
{
  if (OnCanEditCell)
    OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TZavStringGrid::DoSearchFooterAction(const QString &Value, int ACol, int ARow, TSearchAction SearchAction)
{
  if (OnSearchFooterAction)
    OnSearchFooterAction(this, Value, ACol, ARow, SearchAction);
}

void TZavStringGrid::DoButtonClick(int ACol, int ARow)
{
  if (OnButtonClick)
    OnButtonClick(this, ACol, ARow);
}

void TZavStringGrid::DoExpandClick(int ACol, int ARow, bool Expanded)
{
  if (OnExpandClick)
    OnExpandClick(this, ACol, ARow, Expanded);
  SetRowHeights(ARow, GetExpandHeight(ACol, ARow, Expanded));
}

void TZavStringGrid::DoComboCloseUp(int ARow, int ACol)
{
  if (OnComboCloseUp)
    OnComboCloseUp(this, ARow, ACol);
}

void TZavStringGrid::DoComboDropDown(int ARow, int ACol)
{
  if (OnComboDropDown)
    OnComboDropDown(this, ARow, ACol);
}

void TZavStringGrid::DoGetCellCursor(int ACol, int ARow, int X, int Y)
{
  if (!OnGetCellCursor)
    return;
  TCursor cursor = Cursor();
  OnGetCellCursor(this, ACol, ARow, X, Y, cursor);
  if (HandleAllocated())
    SetWindowCursor(Handle(), cursor);
}

void TZavStringGrid::DoGridHint(int ACol, int ARow, QString &Hint, QString &WideHint)
{
  if (OnGridHint)
    OnGridHint(this, ARow, ACol, Hint);
  if (OnGridWideHint) {
    OnGridWideHint(this, ARow, ACol, WideHint);
    if (!WideHint.isEmpty())
      Hint = PackWideText(WideHint);
  }
}

namespace {
bool TakesCellBrush(TCellType T)
{
  switch (T) {
  case ctIcon:
  case ctNone:
  case ctImageList:
  case ctEmpty:
  case ctImages:
  case ctComment:
    return true;
  default:
    return false;
  }
}

bool IsComboEditor(TEditorType E) { return E == edComboEdit || E == edComboList; }

bool IsSpinEditor(TEditorType E)
{
  return E == edSpinEdit || E == edFloatSpinEdit || E == edTimeSpinEdit || E == edDateSpinEdit;
}
}  // namespace

void TZavStringGrid::DoGetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush *ABrush, TFont *AFont)
{
  if (FActiveCellShow) {
    const int d = DisplColIndex(ACol);
    if ((ARow == RealRow() && FixedCols() > 0 && d == FixedCols() - 1) ||
        (d == Col() && FixedRows() > 0 && ARow == FixedRows() - 1)) {
      AFont->Assign(FActiveCellFont.get());
      ABrush->SetColor(FActiveCellColor);
    }
  }
  if (HasCellProperties(ACol, ARow)) {
    TCellProperties *p = CellProperties(ACol, ARow);
    // Cells whose graphic fills the cell paint their own background.
    if (p->BrushColor() != clNone && TakesCellBrush(GetCellType(ACol, ARow)))
      ABrush->SetColor(p->BrushColor());
    p->ApplyFontTo(AFont);
  }
  if (OnGetCellColor)
    OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TZavStringGrid::DoGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush *ABrush, TFont *AFont)
{
  if (OnGetCellPrintColor)
    OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TZavStringGrid::DoGetCellBorder(int ACol, int ARow, TPen *APen, TCellBorders &Borders)
{
  // The group header's underline, then the summary line, which wins on a row that is both.
  if (ACol > 0 && FGrouping->HeaderUnderline() && IsNode(ARow)) {
    Borders = TCellBorders{cbBottom};
    APen->SetColor(FGrouping->HeaderLineColor());
    APen->SetWidth(FGrouping->HeaderLineWidth());
  }
  if (ACol > 0 && FGrouping->SummaryLine() && IsSummary(ARow)) {
    Borders = TCellBorders{cbTop};
    APen->SetColor(FGrouping->SummaryLineColor());
    APen->SetWidth(FGrouping->SummaryLineWidth());
  }
  if (OnGetCellBorder)
    OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TZavStringGrid::DoGetCellPrintBorder(int ACol, int ARow, TPen *APen, TCellBorders &Borders)
{
  if (OnGetCellPrintBorder)
    OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TZavStringGrid::DoGetAlignment(int ACol, int ARow, TAlignment &HAlign, TVAlignment &VAlign)
{
  if (ACol == 0 && FMouseActions->HotmailRowSelect())
    HAlign = taCenter;
  if (OnGetAlignment)
    OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TZavStringGrid::DoGetFormat(int ACol, TSortStyle &AStyle, QString &APrefix, QString &ASuffix)
{
  if (OnGetFormat)
    OnGetFormat(this, ACol, AStyle, APrefix, ASuffix);
}

void TZavStringGrid::DoGetEditorType(int ACol, int ARow, TEditorType &AEditor)
{
  if (OnGetEditorType)
    OnGetEditorType(this, ACol, ARow, AEditor);
}

void TZavStringGrid::GetCellEditor(int ACol, int ARow, TEditorType &AEditor)
{
  if (OnGetEditorType)
    OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TZavStringGrid::HasNoEditor(int ACol, int ARow)
{
  if (!OnGetEditorType)
    return false;
  TEditorType editor = edNormal;
  OnGetEditorType(this, ACol, ARow, editor);
  return editor == edNone;
}

void TZavStringGrid::DoIsFixedCell(int ACol, int ARow, bool &IsFixed)
{
  if (IsFixed)
    return;
  IsFixed = (FFixedRowAlways && ARow <= FMinFixedRows && RowCount() == FMinFixedRows) ||
            (FFixedColAlways && ACol < FMinFixedCols && ColCount() == FMinFixedCols) ||
            ACol < FixedCols() || ARow < FixedRows();
  if (!IsFixed && OnIsFixedCell)
    OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void TZavStringGrid::QueryCanEdit(int ACol, int ARow, bool &CanEdit)
{
  const TPoint base = BaseCell(ACol, ARow);
  if (HasCellProperties(base.X, base.Y) && CanEdit) {
    CanEdit = !CellProperties(base.X, base.Y)->ReadOnly();
    if (!Options().Contains(goEditing) && !FEditingDisabled && !FMouseActions->RangeSelectAndEdit())
      CanEdit = false;
  }
  if (base.X < ColCount() + NumHiddenColumns())
    DoCanEditCell(base.X, base.Y, CanEdit);
  else
    CanEdit = true;
}

void TZavStringGrid::DoIsPasswordCell(int ACol, int ARow, bool &IsPassword)
{
  if (OnIsPasswordCell)
    OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TZavStringGrid::DoGetWordWrap(int ACol, int ARow, bool &WordWrap)
{
  if (OnGetWordWrap)
    OnGetWordWrap(this, ACol, ARow, WordWrap);
}

bool TZavStringGrid::HasComboEditor(int ACol, int ARow)
{
  bool result = false;
  if (OnHasComboBox) {
    OnHasComboBox(this, ACol, ARow, result);
    return result;
  }
  if (FControlLook->DropDownAlwaysVisible()) {
    TEditorType editor = FDefaultEditor;
    GetCellEditor(ACol, ARow, editor);
    result = IsComboEditor(editor);
  }
  return result;
}

bool TZavStringGrid::HasSpinEditor(int ACol, int ARow)
{
  if (ACol < FixedCols() || ARow < FixedRows())
    return false;
  bool result = false;
  if (OnHasSpinEdit) {
    OnHasSpinEdit(this, ACol, ARow, result);
    return result;
  }
  if (FControlLook->SpinButtonsAlwaysVisible()) {
    TEditorType editor = FDefaultEditor;
    DoGetEditorType(ACol, ARow, editor);
    result = IsSpinEditor(editor);
  }
  return result;
}

void TZavStringGrid::GetCheckTrueText(int ACol, int ARow, QString &Value)
{
  Value = FCheckTrue;
  if (OnGetCheckTrue)
    OnGetCheckTrue(this, ACol, ARow, Value);
}

void TZavStringGrid::GetCheckFalseText(int ACol, int ARow, QString &Value)
{
  Value = FCheckFalse;
  if (OnGetCheckFalse)
    OnGetCheckFalse(this, ACol, ARow, Value);
}

bool TZavStringGrid::GetColumnFilterList(int ACol)
{
  FFilterList->Clear();
  if (FFilterDropDownAuto && (ACol >= FixedCols() || FFilterDropDownColumns == fdAll)) {
    FFilterList->SetSorted(true);
    const auto add = [this](QString s) {
      if (s.contains(QLatin1Char(' ')))
        s = s + QStringLiteral("=\"") + s + QLatin1Char('"');
      FFilterList->Add(s);
    };
    for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r)
      add(Cells(ACol, r).trimmed());
    if (!FFilterIncremental)
      for (const TRowIndexMap::TEntry &e : FHiddenRows.Entries()) {
        TStrings *items = e.Item->Items();
        if (ACol < items->Count())
          add(items->Strings(ACol));
      }
    FFilterList->SetSorted(false);
    if (!FFilterDropDownClear.isEmpty())
      FFilterList->Insert(0, FFilterDropDownClear);
  }
  if (OnGetColumnFilter)
    OnGetColumnFilter(this, ACol, FFilterList.get());
  return FFilterList->Count() > 0;
}

void TZavStringGrid::GetCellDefaults(int ACol, int ARow, TFont *AFont, TBrush *ABrush, TColor &ColorTo,
                                     TColor &ColorMirror, TColor &ColorMirrorTo, TAlignment &HAlign,
                                     TVAlignment &VAlign, bool &WordWrap, TCellGradientDirection &GradientDir)
{
  TGridDrawState state;
  GetVisualProperties(ACol, ARow, state, false, false, true, ABrush, ColorTo, ColorMirror,
                      ColorMirrorTo, AFont, HAlign, VAlign, WordWrap, GradientDir);
  const bool gradient = ColorTo != clNone;
  const bool gradientBack = FBackGround->Display() == bdGradientHorz || FBackGround->Display() == bdGradientVert;
  if (IsFixed(ACol, ARow) || FBands->Active() || gradient || gradientBack) {
    ABrush->SetColor(clNone);
    ColorTo = clNone;
  }
}

// Editor notifications ------------------------------------------------------------------------

void TZavStringGrid::DateTimePickerTimeChange(TObject *)
{
  // With the date-and-time editor: fires OnDateTimeChange (Col, RealRow, its value).
}

void TZavStringGrid::DatePickerChange(TObject *)
{
  // With the date editor: fires OnEditChange (Col, RealRow, its time or date in the locale format).
}

void TZavStringGrid::DatePickerCloseUp(TObject *)
{
  if (OnDatePickerCloseUp)
    OnDatePickerCloseUp(this, RealRow(), Col());
  if (FMouseActions->DirectDateClose())
    HideInplaceEdit();
}

void TZavStringGrid::DatePickerDropDown(TObject *)
{
  // The month calendar's style bits and size are the date editor's own.
  if (OnDatePickerDropDown)
    OnDatePickerDropDown(this, RealRow(), Col());
}

void TZavStringGrid::GridButtonClick(TObject *)
{
  if (OnButtonClick)
    OnButtonClick(this, Col(), RealRow());
}

void TZavStringGrid::DoUpdateColumnSize(int ACol, int &AWidth)
{
  if (OnUpdateColumnSize)
    OnUpdateColumnSize(this, ACol, AWidth);
}

void TZavStringGrid::DoPrintGetPageNum(int PageNum, int PageColNum, QString &PageNumString)
{
  if (OnPrintGetPageNum)
    OnPrintGetPageNum(this, PageNum, PageColNum, PageNumString);
}

void TZavStringGrid::DoClickSort(int ACol)
{
  if (OnClickSort)
    OnClickSort(this, ACol);
}

void TZavStringGrid::DoCheckBoxClick(int ACol, int ARow, bool State)
{
  if (OnCheckBoxClick)
    OnCheckBoxClick(this, ACol, ARow, State);
}

void TZavStringGrid::DoEllipsClick(int ACol, int ARow, QString &S)
{
  if (OnEllipsClick)
    OnEllipsClick(this, ACol, ARow, S);
}

void TZavStringGrid::DoScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax)
{
  if (OnScrollCell)
    OnScrollCell(this, ACol, ARow, ScrollPosition, ScrollMin, ScrollMax);
}

void TZavStringGrid::DoCanShowFixedDropDown(int ACol, bool &CanShow)
{
  if (OnCanShowFixedDropDown)
    OnCanShowFixedDropDown(this, ACol, CanShow);
}
