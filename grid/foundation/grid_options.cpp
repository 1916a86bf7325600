#include "grid/foundation/grid_options.h"

#include <algorithm>
#include <cstdint>

#include "framework/grids/grids.h"

namespace {

// Integer addition with the wrap-around of the original's 32-bit arithmetic, without the
// undefined behaviour of signed overflow.
int WrappedSum(int a, int b) { return int(int64_t(a) + int64_t(b)); }

// Stores Value; True when it differs from what was there.
template <typename T>
bool Store(T &Field, const T &Value)
{
  if (Field == Value) return false;
  Field = Value;
  return true;
}

void Notify(const TNotifyEvent &Event, TObject *Sender)
{
  if (Event) Event(Sender);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TSearchFooter

TSearchFooter::TSearchFooter(TComponent *AOwner, bool InitDesign)
    : FOwner(AOwner), FFont(std::make_unique<TFont>())
{
  if (InitDesign) {
    FFindPrevCaption = QStringLiteral("Find &previous");
    FFindNextCaption = QStringLiteral("Find &next");
    FMatchCaseCaption = QStringLiteral("Match case");
    FHighLightCaption = QStringLiteral("Highlight");
    FHintClose = QStringLiteral("Close");
    FHintFindNext = QStringLiteral("Find next occurrence");
    FHintFindPrev = QStringLiteral("Find previous occurrence");
    FHintHighlight = QStringLiteral("Highlight occurrences");
  }
}

TSearchFooter::~TSearchFooter() = default;

TPersistent *TSearchFooter::GetOwner() { return FOwner; }

template <typename T>
void TSearchFooter::StoreAlways(T &Field, const T &Value)
{
  Field = Value;
  Notify(OnChange, this);
}

void TSearchFooter::SetColor(TColor Value) { StoreAlways(FColor, Value); }
void TSearchFooter::SetColorTo(TColor Value) { StoreAlways(FColorTo, Value); }
void TSearchFooter::SetFindNextCaption(const QString &Value) { StoreAlways(FFindNextCaption, Value); }
void TSearchFooter::SetFindPrevCaption(const QString &Value) { StoreAlways(FFindPrevCaption, Value); }
void TSearchFooter::SetHighLightCaption(const QString &Value) { StoreAlways(FHighLightCaption, Value); }
void TSearchFooter::SetMatchCaseCaption(const QString &Value) { StoreAlways(FMatchCaseCaption, Value); }
void TSearchFooter::SetHintClose(const QString &Value) { StoreAlways(FHintClose, Value); }
void TSearchFooter::SetHintFindNext(const QString &Value) { StoreAlways(FHintFindNext, Value); }
void TSearchFooter::SetHintFindPrev(const QString &Value) { StoreAlways(FHintFindPrev, Value); }
void TSearchFooter::SetHintHighlight(const QString &Value) { StoreAlways(FHintHighlight, Value); }
void TSearchFooter::SetShowClose(bool Value) { StoreAlways(FShowClose, Value); }
void TSearchFooter::SetAutoThemeAdapt(bool Value) { StoreAlways(FAutoThemeAdapt, Value); }

void TSearchFooter::SetShowFindNext(bool Value)
{
  if (Store(FShowFindNext, Value)) Notify(OnChange, this);
}

void TSearchFooter::SetShowFindPrev(bool Value)
{
  if (Store(FShowFindPrev, Value)) Notify(OnChange, this);
}

void TSearchFooter::SetShowHighLight(bool Value)
{
  if (Store(FShowHighLight, Value)) Notify(OnChange, this);
}

void TSearchFooter::SetShowMatchCase(bool Value)
{
  if (Store(FShowMatchCase, Value)) Notify(OnChange, this);
}

void TSearchFooter::SetVisible(bool Value)
{
  if (Store(FVisible, Value)) Notify(OnChange, this);
}

void TSearchFooter::SetFont(TFont *Value)
{
  FFont->Assign(Value);
  Notify(OnChange, this);
}

void TSearchFooter::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<TSearchFooter *>(Source);
  if (!src) return;
  // Through the writers, so that the grid showing this footer takes up the copied look.
  SetAlwaysHighLight(src->AlwaysHighLight());
  SetColor(src->Color());
  SetColorTo(src->ColorTo());
  SetFindNextCaption(src->FindNextCaption());
  SetFindPrevCaption(src->FindPrevCaption());
  SetHighLightCaption(src->HighLightCaption());
  SetMatchCaseCaption(src->MatchCaseCaption());
  SetHintClose(src->HintClose());
  SetHintFindNext(src->HintFindNext());
  SetHintFindPrev(src->HintFindPrev());
  SetHintHighlight(src->HintHighlight());
  SetShowClose(src->ShowClose());
  SetShowFindNext(src->ShowFindNext());
  SetShowFindPrev(src->ShowFindPrev());
  SetShowHighLight(src->ShowHighLight());
  SetShowMatchCase(src->ShowMatchCase());
  SetSearchActiveColumnOnly(src->SearchActiveColumnOnly());
  SetSearchMatchStart(src->SearchMatchStart());
  SetSearchColumn(src->SearchColumn());
  SetSearchDirection(src->SearchDirection());
  SetSearchHiddenRows(src->SearchHiddenRows());
  SetVisible(src->Visible());
  SetFont(src->Font());
}

// ---------------------------------------------------------------------------------------------
// TNavigation

void TNavigation::SetAdvanceInsert(bool Value)
{
  if (Store(FAdvanceInsert, Value)) Notify(OnChange, this);
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection Value)
{
  if (Store(FAdvanceDirection, Value)) Notify(OnChange, this);
}

void TNavigation::SetAdvanceAuto(bool Value)
{
  if (Store(FAdvanceAuto, Value) && Value) FAdvanceOnEnter = true;
}

void TNavigation::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<TNavigation *>(Source);
  if (!src) return;
  SetAllowInsertRow(src->AllowInsertRow());
  SetAllowDeleteRow(src->AllowDeleteRow());
  SetAlwaysEdit(src->AlwaysEdit());
  SetAdvanceOnEnter(src->AdvanceOnEnter());
  SetAdvanceOnEnterLoop(src->AdvanceOnEnterLoop());
  SetAdvanceInsert(src->AdvanceInsert());
  SetAdvanceAutoEdit(src->AdvanceAutoEdit());
  SetAdvanceSkipReadOnlyCells(src->AdvanceSkipReadOnlyCells());
  SetAutoGotoWhenSorted(src->AutoGotoWhenSorted());
  SetAutoGotoIncremental(src->AutoGotoIncremental());
  SetAutoComboDropSize(src->AutoComboDropSize());
  SetAdvanceDirection(src->AdvanceDirection());
  SetAllowClipboardShortCuts(src->AllowClipboardShortCuts());
  SetAllowCtrlEnter(src->AllowCtrlEnter());
  SetAllowSmartClipboard(src->AllowSmartClipboard());
  SetAllowRTFClipboard(src->AllowRTFClipboard());
  SetAllowFmtClipboard(src->AllowFmtClipboard());
  SetAllowClipboardAlways(src->AllowClipboardAlways());
  SetAllowClipboardRowGrow(src->AllowClipboardRowGrow());
  SetAllowClipboardColGrow(src->AllowClipboardColGrow());
  SetAdvanceAuto(src->AdvanceAuto());
  SetAppendOnArrowDown(src->AppendOnArrowDown());
  SetEditSelectAll(src->EditSelectAll());
  SetInsertPosition(src->InsertPosition());
  SetClipboardPasteAction(src->ClipboardPasteAction());
  SetComboGetUpDown(src->ComboGetUpDown());
  SetCursorAdvance(src->CursorAdvance());
  SetCursorWalkEditor(src->CursorWalkEditor());
  SetCursorWalkAlwaysEdit(src->CursorWalkAlwaysEdit());
  SetCursorMoveRows(src->CursorMoveRows());
  SetMoveRowOnSort(src->MoveRowOnSort());
  SetMoveScrollOnly(src->MoveScrollOnly());
  SetImproveMaskSel(src->ImproveMaskSel());
  SetLeftRightRowSelect(src->LeftRightRowSelect());
  SetCopyHTMLTagsToClipboard(src->CopyHTMLTagsToClipboard());
  SetKeepHorizScroll(src->KeepHorizScroll());
  SetLineFeedOnEnter(src->LineFeedOnEnter());
  SetHomeEndKey(src->HomeEndKey());
  SetSkipFixedCells(src->SkipFixedCells());
  SetSkipDisabledRows(src->SkipDisabledRows());
  SetTabToNextAtEnd(src->TabToNextAtEnd());
  SetTabAdvanceDirection(src->TabAdvanceDirection());
}

// ---------------------------------------------------------------------------------------------
// TMouseActions

TMouseActions::TMouseActions(TComponent *AOwner)
    : FOwner(AOwner), FFixedComboValues(std::make_unique<TStringList>())
{
}

TMouseActions::~TMouseActions() = default;

TPersistent *TMouseActions::GetOwner() { return FOwner; }

bool TMouseActions::IsDesigning()
{
  bool designing = false;
  if (OnIsDesigning) OnIsDesigning(this, designing);
  return designing;
}

void TMouseActions::SetDisjunctRowSelect(bool Value)
{
  FDisjunctRowSelect = Value;
  if (Value && IsDesigning()) {
    FDisjunctColSelect = false;
    FDisjunctCellSelect = false;
  }
}

void TMouseActions::SetDisjunctColSelect(bool Value)
{
  FDisjunctColSelect = Value;
  if (Value && IsDesigning()) {
    FDisjunctRowSelect = false;
    FDisjunctCellSelect = false;
  }
}

void TMouseActions::SetDisjunctCellSelect(bool Value)
{
  FDisjunctCellSelect = Value;
  if (Value && IsDesigning()) {
    FDisjunctRowSelect = false;
    FDisjunctColSelect = false;
  }
}

void TMouseActions::SetEditOnDblClickOnly(bool Value)
{
  FEditOnDblClickOnly = Value;
  if (Value) Notify(OnDisableEdit, this);
}

void TMouseActions::SetFixedComboValues(TStrings *Value) { FFixedComboValues->Assign(Value); }

void TMouseActions::SetHotmailRowSelect(bool Value)
{
  FHotmailRowSelect = Value;
  if (Value) {
    FDisjunctRowSelect = true;
    FCheckAllCheck = true;
  }
  Notify(OnInvalidate, this);
}

void TMouseActions::SetWheelAction(TWheelAction Value)
{
  if (Store(FWheelAction, Value)) Notify(OnChange, this);
}

void TMouseActions::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<TMouseActions *>(Source);
  if (!src) return;
  FAllColumnSize = src->FAllColumnSize;
  FAllRowSize = src->FAllRowSize;
  FAllSelect = src->FAllSelect;
  FAutoSizeColOnDblClick = src->FAutoSizeColOnDblClick;
  FCaretPositioning = src->FCaretPositioning;
  FCheckAllCheck = src->FCheckAllCheck;
  FColSelect = src->FColSelect;
  FDirectComboClose = src->FDirectComboClose;
  FDirectComboDrop = src->FDirectComboDrop;
  FDirectDateClose = src->FDirectDateClose;
  FDirectDateDrop = src->FDirectDateDrop;
  FDirectEdit = src->FDirectEdit;
  FDisjunctRowSelect = src->FDisjunctRowSelect;
  FDisjunctRowSelectNoCtrl = src->FDisjunctRowSelectNoCtrl;
  FDisjunctColSelect = src->FDisjunctColSelect;
  FDisjunctCellSelect = src->FDisjunctCellSelect;
  FFixedRowsEdit = src->FFixedRowsEdit;
  FFixedRowsEditor = src->FFixedRowsEditor;
  FFixedColsEditor = src->FFixedColsEditor;
  FFixedColsEdit = src->FFixedColsEdit;
  FMoveRowOnNodeClick = src->FMoveRowOnNodeClick;
  FNoAutoRangeScroll = src->FNoAutoRangeScroll;
  FNodeAllExpandContract = src->FNodeAllExpandContract;
  FNoScrollOnPartialRow = src->FNoScrollOnPartialRow;
  FPreciseCheckBoxCheck = src->FPreciseCheckBoxCheck;
  FPreciseNodeClick = src->FPreciseNodeClick;
  FRangeSelectAndEdit = src->FRangeSelectAndEdit;
  FRowSelect = src->FRowSelect;
  FRowSelectPersistent = src->FRowSelectPersistent;
  FSelectOnRightClick = src->FSelectOnRightClick;
  FSizeFixedCol = src->FSizeFixedCol;
  FWheelIncrement = src->FWheelIncrement;
  FWheelAction = src->FWheelAction;
}

// ---------------------------------------------------------------------------------------------
// TSyncGrid

TSyncGrid::TSyncGrid(TComponent *AOwner) : FOwner(AOwner) {}

TPersistent *TSyncGrid::GetOwner() { return FOwner; }

void TSyncGrid::SetGrid(TStringGrid *Value)
{
  if (Value && static_cast<TComponent *>(Value) == FOwner) return;
  FGrid = Value;
}

void TSyncGrid::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<TSyncGrid *>(Source);
  if (!src) return;
  SetGrid(src->FGrid);
  FScrollVertical = src->FScrollVertical;
  FScrollHorizontal = src->FScrollHorizontal;
  FSelectionColumn = src->FSelectionColumn;
  FSelectionRow = src->FSelectionRow;
  FMoveColumn = src->FMoveColumn;
  FMoveRow = src->FMoveRow;
}

// ---------------------------------------------------------------------------------------------
// TBands

void TBands::SetActive(bool Value)
{
  if (Store(FActive, Value)) Notify(OnChange, this);
}

void TBands::SetPrimaryColor(TColor Value)
{
  if (Store(FPrimaryColor, Value) && FActive) Notify(OnChange, this);
}

void TBands::SetSecondaryColor(TColor Value)
{
  if (Store(FSecondaryColor, Value) && FActive) Notify(OnChange, this);
}

void TBands::SetPrimaryLength(int Value)
{
  if (!Store(FPrimaryLength, Value)) return;
  FTotalLength = WrappedSum(FPrimaryLength, FSecondaryLength);
  if (FActive) Notify(OnChange, this);
}

void TBands::SetSecondaryLength(int Value)
{
  if (!Store(FSecondaryLength, Value)) return;
  FTotalLength = WrappedSum(FPrimaryLength, FSecondaryLength);
  if (FActive) Notify(OnChange, this);
}

void TBands::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<TBands *>(Source);
  if (!src) return;
  FActive = src->FActive;
  FPrimaryColor = src->FPrimaryColor;
  FSecondaryColor = src->FSecondaryColor;
  FPrimaryLength = src->FPrimaryLength;
  FSecondaryLength = src->FSecondaryLength;
  FPrint = src->FPrint;
  FTotalLength = WrappedSum(FPrimaryLength, FSecondaryLength);
}

bool TBands::GetBandColor(int ARow, int AFixedRows, bool Printing, TColor &AColor) const
{
  if (!FActive || (Printing && !FPrint) || FTotalLength < 1 || ARow < AFixedRows) return false;
  // Counting a negative length as 0 keeps the period at least 1 once the sum is.
  const int64_t primary = std::max(FPrimaryLength, 0);
  const int64_t period = primary + std::max(FSecondaryLength, 0);
  AColor = (int64_t(ARow) - AFixedRows) % period < primary ? FPrimaryColor : FSecondaryColor;
  return true;
}

// ---------------------------------------------------------------------------------------------
// TFocusHelper

TFocusHelper::TFocusHelper(TComponent *AOwner) : FOwner(AOwner) {}

TPersistent *TFocusHelper::GetOwner() { return FOwner; }

void TFocusHelper::Assign(TPersistent *Source)
{
  if (auto *src = dynamic_cast<TFocusHelper *>(Source)) FEnabled = src->FEnabled;
}
