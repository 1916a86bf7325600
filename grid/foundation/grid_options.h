#pragma once
// The grid's option objects: search footer, navigation, mouse actions, synchronised grid, row
// bands and focus helper. They only hold settings and report changes; the grid's interaction,
// data and painting code carries out what they switch. Each is created and owned by its grid and
// never replaced: Assign copies from an object of the same class only and leaves out what each
// class lists.
#include <QString>

#include <memory>

#include "framework/classes/classes.h"
#include "framework/graphics/graphics.h"
#include "framework/system/types.h"
#include "grid/foundation/grid_enums.h"
#include "grid/foundation/grid_events.h"

class TStringGrid;

// ---------------------------------------------------------------------------------------------

class TSearchFooter : public TPersistent {
public:
  // The captions and hints get their English texts only with InitDesign; otherwise they stay
  // empty for the grid to fill from its own texts.
  TSearchFooter(TComponent *AOwner, bool InitDesign);
  ~TSearchFooter() override;
  // Leaves AutoSearch, SearchFixedCells, LastSearch and AutoThemeAdapt.
  void Assign(TPersistent *Source) override;
  TPersistent *GetOwner() override;

  bool AlwaysHighLight() const { return FAlwaysHighLight; }
  void SetAlwaysHighLight(bool Value) { FAlwaysHighLight = Value; }
  bool AutoSearch() const { return FAutoSearch; }
  void SetAutoSearch(bool Value) { FAutoSearch = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  QString FindNextCaption() const { return FFindNextCaption; }
  void SetFindNextCaption(const QString &Value);
  QString FindPrevCaption() const { return FFindPrevCaption; }
  void SetFindPrevCaption(const QString &Value);
  TFont *Font() const { return FFont.get(); }
  // Copies Value into the owned font.
  void SetFont(TFont *Value);
  QString HighLightCaption() const { return FHighLightCaption; }
  void SetHighLightCaption(const QString &Value);
  QString HintClose() const { return FHintClose; }
  void SetHintClose(const QString &Value);
  QString HintFindNext() const { return FHintFindNext; }
  void SetHintFindNext(const QString &Value);
  QString HintFindPrev() const { return FHintFindPrev; }
  void SetHintFindPrev(const QString &Value);
  QString HintHighlight() const { return FHintHighlight; }
  void SetHintHighlight(const QString &Value);
  QString MatchCaseCaption() const { return FMatchCaseCaption; }
  void SetMatchCaseCaption(const QString &Value);
  bool SearchActiveColumnOnly() const { return FSearchActiveColumnOnly; }
  void SetSearchActiveColumnOnly(bool Value) { FSearchActiveColumnOnly = Value; }
  int SearchColumn() const { return FSearchColumn; }
  void SetSearchColumn(int Value) { FSearchColumn = Value; }
  bool SearchMatchStart() const { return FSearchMatchStart; }
  void SetSearchMatchStart(bool Value) { FSearchMatchStart = Value; }
  bool SearchFixedCells() const { return FSearchFixedCells; }
  void SetSearchFixedCells(bool Value) { FSearchFixedCells = Value; }
  bool SearchHiddenRows() const { return FSearchHiddenRows; }
  void SetSearchHiddenRows(bool Value) { FSearchHiddenRows = Value; }
  TSearchDirection SearchDirection() const { return FSearchDirection; }
  void SetSearchDirection(TSearchDirection Value) { FSearchDirection = Value; }
  bool ShowClose() const { return FShowClose; }
  void SetShowClose(bool Value);
  bool ShowFindNext() const { return FShowFindNext; }
  void SetShowFindNext(bool Value);
  bool ShowFindPrev() const { return FShowFindPrev; }
  void SetShowFindPrev(bool Value);
  bool ShowHighLight() const { return FShowHighLight; }
  void SetShowHighLight(bool Value);
  bool ShowMatchCase() const { return FShowMatchCase; }
  void SetShowMatchCase(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);
  // The text searched last.
  QString LastSearch() const { return FLastSearch; }
  void SetLastSearch(const QString &Value) { FLastSearch = Value; }

  TNotifyEvent OnChange;

private:
  // Stores Value and fires OnChange in every case.
  template <typename T>
  void StoreAlways(T &Field, const T &Value);

  TComponent *FOwner;  // not owned: the grid
  bool FAlwaysHighLight = false;
  bool FAutoSearch = true;
  TColor FColor = clWhite;
  TColor FColorTo = clBtnFace;
  QString FFindNextCaption;
  QString FFindPrevCaption;
  std::unique_ptr<TFont> FFont;
  QString FHighLightCaption;
  QString FHintClose;
  QString FHintFindNext;
  QString FHintFindPrev;
  QString FHintHighlight;
  QString FMatchCaseCaption;
  bool FSearchActiveColumnOnly = false;
  int FSearchColumn = -1;
  bool FSearchMatchStart = false;
  bool FSearchFixedCells = false;
  bool FSearchHiddenRows = false;
  TSearchDirection FSearchDirection = sdTopBottom;
  bool FShowClose = true;
  bool FShowFindNext = true;
  bool FShowFindPrev = true;
  bool FShowHighLight = true;
  bool FShowMatchCase = true;
  bool FVisible = false;
  bool FAutoThemeAdapt = false;
  QString FLastSearch;
};

// ---------------------------------------------------------------------------------------------

class TNavigation : public TPersistent {
public:
  TNavigation() = default;
  // Copies every property but KeepScrollOnSort through its writer, in published order.
  void Assign(TPersistent *Source) override;

  bool AllowInsertRow() const { return FAllowInsertRow; }
  void SetAllowInsertRow(bool Value) { FAllowInsertRow = Value; }
  bool AllowDeleteRow() const { return FAllowDeleteRow; }
  void SetAllowDeleteRow(bool Value) { FAllowDeleteRow = Value; }
  bool AlwaysEdit() const { return FAlwaysEdit; }
  void SetAlwaysEdit(bool Value) { FAlwaysEdit = Value; }
  bool AdvanceOnEnter() const { return FAdvanceOnEnter; }
  void SetAdvanceOnEnter(bool Value) { FAdvanceOnEnter = Value; }
  bool AdvanceOnEnterLoop() const { return FAdvanceOnEnterLoop; }
  void SetAdvanceOnEnterLoop(bool Value) { FAdvanceOnEnterLoop = Value; }
  bool AdvanceInsert() const { return FAdvanceInsert; }
  // Fires OnChange when the value changes.
  void SetAdvanceInsert(bool Value);
  bool AdvanceAutoEdit() const { return FAdvanceAutoEdit; }
  void SetAdvanceAutoEdit(bool Value) { FAdvanceAutoEdit = Value; }
  bool AdvanceSkipReadOnlyCells() const { return FAdvanceSkipReadOnlyCells; }
  void SetAdvanceSkipReadOnlyCells(bool Value) { FAdvanceSkipReadOnlyCells = Value; }
  bool AutoGotoWhenSorted() const { return FAutoGotoWhenSorted; }
  void SetAutoGotoWhenSorted(bool Value) { FAutoGotoWhenSorted = Value; }
  bool AutoGotoIncremental() const { return FAutoGotoIncremental; }
  void SetAutoGotoIncremental(bool Value) { FAutoGotoIncremental = Value; }
  bool AutoComboDropSize() const { return FAutoComboDropSize; }
  void SetAutoComboDropSize(bool Value) { FAutoComboDropSize = Value; }
  TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
  // Fires OnChange when the value changes.
  void SetAdvanceDirection(TAdvanceDirection Value);
  bool AllowClipboardShortCuts() const { return FAllowClipboardShortCuts; }
  void SetAllowClipboardShortCuts(bool Value) { FAllowClipboardShortCuts = Value; }
  bool AllowCtrlEnter() const { return FAllowCtrlEnter; }
  void SetAllowCtrlEnter(bool Value) { FAllowCtrlEnter = Value; }
  bool AllowSmartClipboard() const { return FAllowSmartClipboard; }
  void SetAllowSmartClipboard(bool Value) { FAllowSmartClipboard = Value; }
  bool AllowRTFClipboard() const { return FAllowRTFClipboard; }
  void SetAllowRTFClipboard(bool Value) { FAllowRTFClipboard = Value; }
  bool AllowFmtClipboard() const { return FAllowFmtClipboard; }
  void SetAllowFmtClipboard(bool Value) { FAllowFmtClipboard = Value; }
  bool AllowClipboardAlways() const { return FAllowClipboardAlways; }
  void SetAllowClipboardAlways(bool Value) { FAllowClipboardAlways = Value; }
  bool AllowClipboardRowGrow() const { return FAllowClipboardRowGrow; }
  void SetAllowClipboardRowGrow(bool Value) { FAllowClipboardRowGrow = Value; }
  bool AllowClipboardColGrow() const { return FAllowClipboardColGrow; }
  void SetAllowClipboardColGrow(bool Value) { FAllowClipboardColGrow = Value; }
  bool AdvanceAuto() const { return FAdvanceAuto; }
  // Switching it on also switches AdvanceOnEnter on.
  void SetAdvanceAuto(bool Value);
  bool AppendOnArrowDown() const { return FAppendOnArrowDown; }
  void SetAppendOnArrowDown(bool Value) { FAppendOnArrowDown = Value; }
  bool EditSelectAll() const { return FEditSelectAll; }
  void SetEditSelectAll(bool Value) { FEditSelectAll = Value; }
  TInsertPosition InsertPosition() const { return FInsertPosition; }
  void SetInsertPosition(TInsertPosition Value) { FInsertPosition = Value; }
  TClipboardPasteAction ClipboardPasteAction() const { return FClipboardPasteAction; }
  void SetClipboardPasteAction(TClipboardPasteAction Value) { FClipboardPasteAction = Value; }
  bool ComboGetUpDown() const { return FComboGetUpDown; }
  void SetComboGetUpDown(bool Value) { FComboGetUpDown = Value; }
  TCursorAdvance CursorAdvance() const { return FCursorAdvance; }
  void SetCursorAdvance(TCursorAdvance Value) { FCursorAdvance = Value; }
  bool CursorWalkEditor() const { return FCursorWalkEditor; }
  void SetCursorWalkEditor(bool Value) { FCursorWalkEditor = Value; }
  bool CursorWalkAlwaysEdit() const { return FCursorWalkAlwaysEdit; }
  void SetCursorWalkAlwaysEdit(bool Value) { FCursorWalkAlwaysEdit = Value; }
  bool CursorMoveRows() const { return FCursorMoveRows; }
  void SetCursorMoveRows(bool Value) { FCursorMoveRows = Value; }
  bool MoveRowOnSort() const { return FMoveRowOnSort; }
  void SetMoveRowOnSort(bool Value) { FMoveRowOnSort = Value; }
  bool KeepScrollOnSort() const { return FKeepScrollOnSort; }
  void SetKeepScrollOnSort(bool Value) { FKeepScrollOnSort = Value; }
  bool MoveScrollOnly() const { return FMoveScrollOnly; }
  void SetMoveScrollOnly(bool Value) { FMoveScrollOnly = Value; }
  bool ImproveMaskSel() const { return FImproveMaskSel; }
  void SetImproveMaskSel(bool Value) { FImproveMaskSel = Value; }
  bool LeftRightRowSelect() const { return FLeftRightRowSelect; }
  void SetLeftRightRowSelect(bool Value) { FLeftRightRowSelect = Value; }
  bool CopyHTMLTagsToClipboard() const { return FCopyHTMLTagsToClipboard; }
  void SetCopyHTMLTagsToClipboard(bool Value) { FCopyHTMLTagsToClipboard = Value; }
  bool KeepHorizScroll() const { return FKeepHorizScroll; }
  void SetKeepHorizScroll(bool Value) { FKeepHorizScroll = Value; }
  bool LineFeedOnEnter() const { return FLineFeedOnEnter; }
  void SetLineFeedOnEnter(bool Value) { FLineFeedOnEnter = Value; }
  THomeEndAction HomeEndKey() const { return FHomeEndKey; }
  void SetHomeEndKey(THomeEndAction Value) { FHomeEndKey = Value; }
  bool SkipFixedCells() const { return FSkipFixedCells; }
  void SetSkipFixedCells(bool Value) { FSkipFixedCells = Value; }
  bool SkipDisabledRows() const { return FSkipDisabledRows; }
  void SetSkipDisabledRows(bool Value) { FSkipDisabledRows = Value; }
  bool TabToNextAtEnd() const { return FTabToNextAtEnd; }
  void SetTabToNextAtEnd(bool Value) { FTabToNextAtEnd = Value; }
  TAdvanceDirection TabAdvanceDirection() const { return FTabAdvanceDirection; }
  void SetTabAdvanceDirection(TAdvanceDirection Value) { FTabAdvanceDirection = Value; }

  TNotifyEvent OnChange;

private:
  bool FAllowInsertRow = false;
  bool FAllowDeleteRow = false;
  bool FAlwaysEdit = false;
  bool FAdvanceOnEnter = false;
  bool FAdvanceOnEnterLoop = true;
  bool FAdvanceInsert = false;
  bool FAdvanceAutoEdit = true;
  bool FAdvanceSkipReadOnlyCells = true;
  bool FAutoGotoWhenSorted = false;
  bool FAutoGotoIncremental = false;
  bool FAutoComboDropSize = false;
  TAdvanceDirection FAdvanceDirection = adLeftRight;
  bool FAllowClipboardShortCuts = false;
  bool FAllowCtrlEnter = true;
  bool FAllowSmartClipboard = false;
  bool FAllowRTFClipboard = false;
  bool FAllowFmtClipboard = false;
  bool FAllowClipboardAlways = false;
  bool FAllowClipboardRowGrow = true;
  bool FAllowClipboardColGrow = true;
  bool FAdvanceAuto = false;
  bool FAppendOnArrowDown = false;
  bool FEditSelectAll = true;
  TInsertPosition FInsertPosition = pInsertBefore;
  TClipboardPasteAction FClipboardPasteAction = paReplace;
  bool FComboGetUpDown = true;
  TCursorAdvance FCursorAdvance = caDefault;
  bool FCursorWalkEditor = false;
  bool FCursorWalkAlwaysEdit = true;
  bool FCursorMoveRows = false;
  bool FMoveRowOnSort = false;
  bool FKeepScrollOnSort = false;
  bool FMoveScrollOnly = false;
  bool FImproveMaskSel = false;
  bool FLeftRightRowSelect = true;
  bool FCopyHTMLTagsToClipboard = true;
  bool FKeepHorizScroll = false;
  bool FLineFeedOnEnter = false;
  THomeEndAction FHomeEndKey = heFirstLastColumn;
  bool FSkipFixedCells = true;
  bool FSkipDisabledRows = true;
  bool FTabToNextAtEnd = false;
  TAdvanceDirection FTabAdvanceDirection = adLeftRight;
};

// ---------------------------------------------------------------------------------------------

class TMouseActions : public TPersistent {
public:
  explicit TMouseActions(TComponent *AOwner);
  ~TMouseActions() override;
  // Copies the fields of every property but EditOnDblClickOnly, FixedComboValues,
  // HotmailRowSelect and SizeFixedRow, without side effects.
  void Assign(TPersistent *Source) override;
  TPersistent *GetOwner() override;

  bool AllColumnSize() const { return FAllColumnSize; }
  void SetAllColumnSize(bool Value) { FAllColumnSize = Value; }
  bool AllRowSize() const { return FAllRowSize; }
  void SetAllRowSize(bool Value) { FAllRowSize = Value; }
  bool AllSelect() const { return FAllSelect; }
  void SetAllSelect(bool Value) { FAllSelect = Value; }
  bool AutoSizeColOnDblClick() const { return FAutoSizeColOnDblClick; }
  void SetAutoSizeColOnDblClick(bool Value) { FAutoSizeColOnDblClick = Value; }
  bool CaretPositioning() const { return FCaretPositioning; }
  void SetCaretPositioning(bool Value) { FCaretPositioning = Value; }
  bool CheckAllCheck() const { return FCheckAllCheck; }
  void SetCheckAllCheck(bool Value) { FCheckAllCheck = Value; }
  bool ColSelect() const { return FColSelect; }
  void SetColSelect(bool Value) { FColSelect = Value; }
  bool DirectComboClose() const { return FDirectComboClose; }
  void SetDirectComboClose(bool Value) { FDirectComboClose = Value; }
  bool DirectComboDrop() const { return FDirectComboDrop; }
  void SetDirectComboDrop(bool Value) { FDirectComboDrop = Value; }
  bool DirectDateClose() const { return FDirectDateClose; }
  void SetDirectDateClose(bool Value) { FDirectDateClose = Value; }
  bool DirectDateDrop() const { return FDirectDateDrop; }
  void SetDirectDateDrop(bool Value) { FDirectDateDrop = Value; }
  bool DirectEdit() const { return FDirectEdit; }
  void SetDirectEdit(bool Value) { FDirectEdit = Value; }
  // The three disjunct selections exclude each other only at design time.
  bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
  void SetDisjunctRowSelect(bool Value);
  bool DisjunctRowSelectNoCtrl() const { return FDisjunctRowSelectNoCtrl; }
  void SetDisjunctRowSelectNoCtrl(bool Value) { FDisjunctRowSelectNoCtrl = Value; }
  bool DisjunctColSelect() const { return FDisjunctColSelect; }
  void SetDisjunctColSelect(bool Value);
  bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
  void SetDisjunctCellSelect(bool Value);
  bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
  // Switching it on fires OnDisableEdit.
  void SetEditOnDblClickOnly(bool Value);
  TGridFixedCellEdit FixedRowsEdit() const { return FFixedRowsEdit; }
  void SetFixedRowsEdit(TGridFixedCellEdit Value) { FFixedRowsEdit = Value; }
  TGridFixedCellEditor FixedRowsEditor() const { return FFixedRowsEditor; }
  void SetFixedRowsEditor(TGridFixedCellEditor Value) { FFixedRowsEditor = Value; }
  TGridFixedCellEditor FixedColsEditor() const { return FFixedColsEditor; }
  void SetFixedColsEditor(TGridFixedCellEditor Value) { FFixedColsEditor = Value; }
  TGridFixedCellEdit FixedColsEdit() const { return FFixedColsEdit; }
  void SetFixedColsEdit(TGridFixedCellEdit Value) { FFixedColsEdit = Value; }
  TStrings *FixedComboValues() const { return FFixedComboValues.get(); }
  // Copies Value into the owned list.
  void SetFixedComboValues(TStrings *Value);
  bool HotmailRowSelect() const { return FHotmailRowSelect; }
  // Switching it on also switches DisjunctRowSelect and CheckAllCheck on; fires OnInvalidate.
  void SetHotmailRowSelect(bool Value);
  bool MoveRowOnNodeClick() const { return FMoveRowOnNodeClick; }
  void SetMoveRowOnNodeClick(bool Value) { FMoveRowOnNodeClick = Value; }
  bool NoAutoRangeScroll() const { return FNoAutoRangeScroll; }
  void SetNoAutoRangeScroll(bool Value) { FNoAutoRangeScroll = Value; }
  bool NodeAllExpandContract() const { return FNodeAllExpandContract; }
  void SetNodeAllExpandContract(bool Value) { FNodeAllExpandContract = Value; }
  bool NoScrollOnPartialRow() const { return FNoScrollOnPartialRow; }
  void SetNoScrollOnPartialRow(bool Value) { FNoScrollOnPartialRow = Value; }
  bool PreciseCheckBoxCheck() const { return FPreciseCheckBoxCheck; }
  void SetPreciseCheckBoxCheck(bool Value) { FPreciseCheckBoxCheck = Value; }
  bool PreciseNodeClick() const { return FPreciseNodeClick; }
  void SetPreciseNodeClick(bool Value) { FPreciseNodeClick = Value; }
  bool RangeSelectAndEdit() const { return FRangeSelectAndEdit; }
  void SetRangeSelectAndEdit(bool Value) { FRangeSelectAndEdit = Value; }
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value) { FRowSelect = Value; }
  bool RowSelectPersistent() const { return FRowSelectPersistent; }
  void SetRowSelectPersistent(bool Value) { FRowSelectPersistent = Value; }
  bool SelectOnRightClick() const { return FSelectOnRightClick; }
  void SetSelectOnRightClick(bool Value) { FSelectOnRightClick = Value; }
  bool SizeFixedCol() const { return FSizeFixedCol; }
  void SetSizeFixedCol(bool Value) { FSizeFixedCol = Value; }
  bool SizeFixedRow() const { return FSizeFixedRow; }
  void SetSizeFixedRow(bool Value) { FSizeFixedRow = Value; }
  int WheelIncrement() const { return FWheelIncrement; }
  void SetWheelIncrement(int Value) { FWheelIncrement = Value; }
  TWheelAction WheelAction() const { return FWheelAction; }
  // Fires OnChange when the value changes.
  void SetWheelAction(TWheelAction Value);

  // DisjunctRowSelect written without side effects.
  bool DisjunctRowSelectDirect() const { return FDisjunctRowSelect; }
  void SetDisjunctRowSelectDirect(bool Value) { FDisjunctRowSelect = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnInvalidate;
  TNotifyEvent OnDisableEdit;
  // Asked by the disjunct-selection writers; unassigned means run time.
  TIsDesigningEvent OnIsDesigning;

private:
  bool IsDesigning();

  TComponent *FOwner;  // not owned: the grid
  bool FAllColumnSize = false;
  bool FAllRowSize = false;
  bool FAllSelect = false;
  bool FAutoSizeColOnDblClick = true;
  bool FCaretPositioning = false;
  bool FCheckAllCheck = false;
  bool FColSelect = false;
  bool FDirectComboClose = false;
  bool FDirectComboDrop = false;
  bool FDirectDateClose = false;
  bool FDirectDateDrop = false;
  bool FDirectEdit = false;
  bool FDisjunctRowSelect = false;
  bool FDisjunctRowSelectNoCtrl = false;
  bool FDisjunctColSelect = false;
  bool FDisjunctCellSelect = false;
  bool FEditOnDblClickOnly = false;
  TGridFixedCellEdit FFixedRowsEdit = fceNone;
  TGridFixedCellEditor FFixedRowsEditor = fceEdit;
  TGridFixedCellEditor FFixedColsEditor = fceEdit;
  TGridFixedCellEdit FFixedColsEdit = fceNone;
  std::unique_ptr<TStringList> FFixedComboValues;
  bool FHotmailRowSelect = false;
  bool FMoveRowOnNodeClick = false;
  bool FNoAutoRangeScroll = false;
  bool FNodeAllExpandContract = false;
  bool FNoScrollOnPartialRow = false;
  bool FPreciseCheckBoxCheck = false;
  bool FPreciseNodeClick = true;
  bool FRangeSelectAndEdit = false;
  bool FRowSelect = false;
  bool FRowSelectPersistent = false;
  bool FSelectOnRightClick = false;
  bool FSizeFixedCol = false;
  bool FSizeFixedRow = false;
  int FWheelIncrement = 0;
  TWheelAction FWheelAction = waMoveSelection;
};

// ---------------------------------------------------------------------------------------------

// The grid whose scrolling, selection and moves this grid mirrors.
class TSyncGrid : public TPersistent {
public:
  explicit TSyncGrid(TComponent *AOwner);
  // Copies the grid through its writer and the six flags.
  void Assign(TPersistent *Source) override;
  TPersistent *GetOwner() override;

  TStringGrid *Grid() const { return FGrid; }
  // The owning grid itself is ignored: a grid is never kept in step with itself.
  void SetGrid(TStringGrid *Value);
  bool ScrollVertical() const { return FScrollVertical; }
  void SetScrollVertical(bool Value) { FScrollVertical = Value; }
  bool ScrollHorizontal() const { return FScrollHorizontal; }
  void SetScrollHorizontal(bool Value) { FScrollHorizontal = Value; }
  bool SelectionColumn() const { return FSelectionColumn; }
  void SetSelectionColumn(bool Value) { FSelectionColumn = Value; }
  bool SelectionRow() const { return FSelectionRow; }
  void SetSelectionRow(bool Value) { FSelectionRow = Value; }
  bool MoveColumn() const { return FMoveColumn; }
  void SetMoveColumn(bool Value) { FMoveColumn = Value; }
  bool MoveRow() const { return FMoveRow; }
  void SetMoveRow(bool Value) { FMoveRow = Value; }

private:
  TComponent *FOwner;         // not owned: the grid
  TStringGrid *FGrid = nullptr;  // not owned
  bool FScrollVertical = false;
  bool FScrollHorizontal = false;
  bool FSelectionColumn = false;
  bool FSelectionRow = false;
  bool FMoveColumn = false;
  bool FMoveRow = false;
};

// ---------------------------------------------------------------------------------------------

// Alternating row colours: PrimaryLength rows in PrimaryColor, then SecondaryLength rows in
// SecondaryColor, counted from the first normal row.
class TBands : public TPersistent {
public:
  TBands() = default;
  // Copies Active, both colours, both lengths and Print without notifying.
  void Assign(TPersistent *Source) override;

  bool Active() const { return FActive; }
  // Fires OnChange when the value changes.
  void SetActive(bool Value);
  // The colour writers and the length writers notify only while Active.
  TColor PrimaryColor() const { return FPrimaryColor; }
  void SetPrimaryColor(TColor Value);
  int PrimaryLength() const { return FPrimaryLength; }
  void SetPrimaryLength(int Value);
  TColor SecondaryColor() const { return FSecondaryColor; }
  void SetSecondaryColor(TColor Value);
  int SecondaryLength() const { return FSecondaryLength; }
  void SetSecondaryLength(int Value);
  bool Print() const { return FPrint; }
  void SetPrint(bool Value) { FPrint = Value; }
  // PrimaryLength + SecondaryLength.
  int TotalLength() const { return FTotalLength; }

  // The band colour of grid row ARow for the painter: False (AColor untouched) when banding is
  // off (not Active, not Print while Printing, or the lengths adding up to less than 1) and for
  // the fixed rows above the normal ones. A negative length counts as 0.
  bool GetBandColor(int ARow, int AFixedRows, bool Printing, TColor &AColor) const;

  TNotifyEvent OnChange;

private:
  bool FActive = false;
  TColor FPrimaryColor = clInfoBk;
  int FPrimaryLength = 1;
  TColor FSecondaryColor = clWindow;
  int FSecondaryLength = 1;
  bool FPrint = false;
  int FTotalLength = 2;
};

// ---------------------------------------------------------------------------------------------

class TFocusHelper : public TPersistent {
public:
  explicit TFocusHelper(TComponent *AOwner);
  void Assign(TPersistent *Source) override;
  TPersistent *GetOwner() override;

  // Switches the grid's focus frame window.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }

private:
  TComponent *FOwner;  // not owned: the grid
  bool FEnabled = false;
};
