#pragma once
// The system's string grid: the base grid plus its settings objects, events, hidden columns and
// rows, check boxes, cell graphics and everything the table forms edit with. One class declared
// here and defined by topic across grid/core, grid/view and grid/data.
#include <QString>

#include <memory>

#include "grid/foundation/base_grid.h"
#include "grid/foundation/grid_enums.h"
#include "grid/foundation/grid_events.h"
#include "grid/core/cell_graphic.h"
#include "grid/core/grid_core_enums.h"
#include "grid/core/grid_core_events.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/int_lists.h"
#include "grid/foundation/themes.h"

class TZavStringGrid;
class TFont;
class TBitmap;
class TStringList;
class TList;
class TScrollBar;
class TImageList;
class TPopupMenu;
class TIntList;
class TSortIndexList;
class THTMLPictureCache;
class TControlList;
class TPictureContainer;
class TGridFocusWindow;
class TArrowWindow;
class TSearchFooter;
class TNavigation;
class TMouseActions;
class TSyncGrid;
class TBands;
class TFocusHelper;
// Classes of the settings, helper, footer, feature and editor topics.
class TFooterPanel;
class TSearchPanel;
class TFloatingFooter;
class TPrintSettings;
class THTMLSettings;
class TSortSettings;
class TDragDropSettings;
class TDragScrollOptions;
class TControlLook;
class TColumnSize;
class TCellNode;
class TSizeWhileTyping;
class TGrouping;
class TBackGround;
class THTMLHintWindow;
class TGridProgressAppearance;
class TFilter;
class TGridItem;
class TCollection;
class TBalloonSettings;
class TShowModified;
class TCellGraphic;
class TFilterDropDown;
class TDropList;
class TDropCheckList;
class TGridCombo;
class TGridTransEdit;
class TGridTransCombo;
class TGridCheckBox;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridButton;
class THeaderDragButton;
class TControlEdit;
class TControlCombo;
class TZavStringGridCheck;
class TEditLink;
class TZavRichEdit;
class TCustomForm;

// Owner of a sub-object whose class comes with a later topic: it stays empty until then.
struct TPendingDelete {
  template <typename T>
  void operator()(T *) const {}
};
template <typename T>
using TPendingPtr = std::unique_ptr<T, TPendingDelete>;

class TZavStringGrid : public TBaseGrid {
public:
  explicit TZavStringGrid(TComponent *AOwner);
  ~TZavStringGrid() override;

  // --- object: construction, defaults, owned sub-objects, published properties ---
  // Published properties. Writers store the value; the ones whose side effects belong to the
  // painting, sizing or editing code get them there.
#define QM_PROP(T, N, F)                                                                          \
  T N() const { return F; }                                                                       \
  void Set##N(T Value) { F = Value; }
  QM_PROP(bool, ActiveCellShow, FActiveCellShow)
  QM_PROP(TColor, ActiveCellColor, FActiveCellColor)
  QM_PROP(TColor, ActiveCellColorTo, FActiveCellColorTo)
  QM_PROP(bool, AnchorHint, FAnchorHint)
  QM_PROP(bool, AutoFilterUpdate, FAutoFilterUpdate)
  QM_PROP(bool, AutoNumAlign, FAutoNumAlign)
  QM_PROP(bool, AutoSize, FAutoSize)
  QM_PROP(bool, AutoThemeAdapt, FAutoThemeAdapt)
  QM_PROP(TZavStringGridCheck *, CellChecker, FCellChecker)
  QM_PROP(TAlignment, DefaultAlignment, FDefaultAlignment)
  QM_PROP(TEditorType, DefaultEditor, FDefaultEditor)
  QM_PROP(TColor, DisabledFontColor, FDisabledFontColor)
  QM_PROP(bool, EditWithTags, FEditWithTags)
  QM_PROP(bool, EnableBlink, FEnableBlink)
  QM_PROP(bool, EnableHTML, FEnableHTML)
  QM_PROP(bool, EnableWheel, FEnableWheel)
  QM_PROP(bool, EnhRowColMove, FEnhRowColMove)
  QM_PROP(bool, EnhTextSize, FEnhTextSize)
  QM_PROP(bool, ExcelStyleDecimalSeparator, FExcelStyleDecimalSeparator)
  QM_PROP(bool, FilterActive, FFilterActive)
  QM_PROP(bool, FilterDropDownAuto, FFilterDropDownAuto)
  QM_PROP(bool, FilterDropDownCheck, FFilterDropDownCheck)
  QM_PROP(QString, FilterDropDownClear, FFilterDropDownClear)
  QM_PROP(TFilterDropDownColumns, FilterDropDownColumns, FFilterDropDownColumns)
  QM_PROP(int, FilterDropDownRow, FFilterDropDownRow)
  QM_PROP(bool, FilterIncremental, FFilterIncremental)
  QM_PROP(bool, FilterNormalCellsOnly, FFilterNormalCellsOnly)
  QM_PROP(bool, FixedAsButtons, FFixedAsButtons)
  QM_PROP(bool, FixedColAlways, FFixedColAlways)
  QM_PROP(TPopupMenu *, FixedDropDownMenu, FFixedDropDownMenu)
  QM_PROP(int, FixedFooters, FFixedFooters)
  QM_PROP(int, FixedRightCols, FFixedRightCols)
  QM_PROP(bool, FixedRowAlways, FFixedRowAlways)
  QM_PROP(bool, Flat, FFlat)
  QM_PROP(QString, FloatFormat, FFloatFormat)
  QM_PROP(TImageList *, GridImages, FGridImages)
  QM_PROP(bool, HideFocusRect, FHideFocusRect)
  QM_PROP(TColor, HighlightColor, FHighlightColor)
  QM_PROP(TColor, HighlightTextColor, FHighlightTextColor)
  QM_PROP(TColor, HintColor, FHintColor)
  QM_PROP(bool, HintShowCells, FHintShowCells)
  QM_PROP(bool, HintShowLargeText, FHintShowLargeText)
  QM_PROP(THintShowLargeTextPos, HintShowLargeTextPos, FHintShowLargeTextPos)
  QM_PROP(bool, HintShowSizing, FHintShowSizing)
  QM_PROP(THoverFixedCells, HoverFixedCells, FHoverFixedCells)
  QM_PROP(bool, Hovering, FHovering)
  QM_PROP(bool, HTMLHint, FHTMLHint)
  QM_PROP(bool, IntegralHeight, FIntegralHeight)
  QM_PROP(TIntelliPan, IntelliPan, FIntelliPan)
  QM_PROP(bool, IntelliZoom, FIntelliZoom)
  QM_PROP(TInvalidEntryIcon, InvalidEntryIcon, FInvalidEntryIcon)
  QM_PROP(QString, InvalidEntryText, FInvalidEntryText)
  QM_PROP(QString, InvalidEntryTitle, FInvalidEntryTitle)
  QM_PROP(TGridLook, Look, FLook)
  QM_PROP(bool, Lookup, FLookup)
  QM_PROP(bool, LookupCaseSensitive, FLookupCaseSensitive)
  QM_PROP(bool, LookupHistory, FLookupHistory)
  QM_PROP(int, MaxComboLength, FMaxComboLength)
  QM_PROP(int, MaxEditLength, FMaxEditLength)
  QM_PROP(bool, Multilinecells, FMultilinecells)
  QM_PROP(bool, OemConvert, FOemConvert)
  QM_PROP(TPictureContainer *, PictureContainer, FPictureContainer)
  QM_PROP(TScrollBarAlways, ScrollBarAlways, FScrollBarAlways)
  QM_PROP(TColor, ScrollColor, FScrollColor)
  QM_PROP(TScrollHintType, ScrollHints, FScrollHints)
  QM_PROP(bool, ScrollProportional, FScrollProportional)
  QM_PROP(bool, ScrollSynch, FScrollSynch)
  QM_PROP(TScrollType, ScrollType, FScrollType)
  QM_PROP(int, ScrollWidth, FScrollWidth)
  QM_PROP(TColor, SelectionColor, FSelectionColor)
  QM_PROP(TColor, SelectionColorTo, FSelectionColorTo)
  QM_PROP(bool, SelectionColorMixer, FSelectionColorMixer)
  QM_PROP(int, SelectionColorMixerFactor, FSelectionColorMixerFactor)
  QM_PROP(TColor, SelectionMirrorColor, FSelectionMirrorColor)
  QM_PROP(TColor, SelectionMirrorColorTo, FSelectionMirrorColorTo)
  QM_PROP(bool, SelectionRectangle, FSelectionRectangle)
  QM_PROP(bool, SelectionResizer, FSelectionResizer)
  QM_PROP(bool, SelectionRTFKeep, FSelectionRTFKeep)
  QM_PROP(TColor, SelectionTextColor, FSelectionTextColor)
  QM_PROP(bool, ShowDesignHelper, FShowDesignHelper)
  QM_PROP(bool, ShowSelection, FShowSelection)
  QM_PROP(bool, SizeWithForm, FSizeWithForm)
  QM_PROP(TColor, URLColor, FURLColor)
  QM_PROP(bool, URLEdit, FURLEdit)
  QM_PROP(bool, URLFull, FURLFull)
  QM_PROP(bool, URLShow, FURLShow)
  QM_PROP(bool, URLShowInText, FURLShowInText)
  QM_PROP(bool, URLUnderlineOnHover, FURLUnderlineOnHover)
  QM_PROP(bool, UseInternalHintClass, FUseInternalHintClass)
  QM_PROP(QString, ValidChars, FValidChars)
  QM_PROP(TVAlignment, VAlignment, FVAlignment)

  // Public properties the constructor sets.
  QM_PROP(QString, CheckTrue, FCheckTrue)
  QM_PROP(QString, CheckFalse, FCheckFalse)
  QM_PROP(QChar, PasswordChar, FPasswordChar)
  // A null character: chosen from the text when reading.
  QM_PROP(QChar, Delimiter, FDelimiter)
  QM_PROP(bool, JavaCSV, FJavaCSV)
  QM_PROP(QString, XMLEncoding, FXMLEncoding)
  QM_PROP(bool, SaveFixedCells, FSaveFixedCells)
  QM_PROP(bool, SaveFixedRows, FSaveFixedRows)
  QM_PROP(bool, SaveFixedCols, FSaveFixedCols)
  QM_PROP(bool, SaveHiddenCells, FSaveHiddenCells)
  QM_PROP(bool, SaveVirtCells, FSaveVirtCells)
  QM_PROP(bool, SaveWithHTML, FSaveWithHTML)
  QM_PROP(bool, LoadFirstRow, FLoadFirstRow)
  QM_PROP(bool, QuoteEmptyCells, FQuoteEmptyCells)
  QM_PROP(bool, AlwaysQuotes, FAlwaysQuotes)
  QM_PROP(bool, ShowNullDates, FShowNullDates)
  QM_PROP(int, ZoomFactor, FZoomFactor)
  QM_PROP(TPoint, XYOffset, FXYOffset)
  QM_PROP(bool, UseDisabledFont, FUseDisabledFont)
  QM_PROP(bool, FitCellsInGrid, FFitCellsInGrid)
  QM_PROP(bool, ExcelClipboardFormat, FExcelClipboardFormat)
  QM_PROP(bool, PrinterDriverFix, FPrinterDriverFix)
  QM_PROP(TColor, SelectionRectangleColor, FSelectionRectangleColor)
  QM_PROP(int, MinRowHeight, FMinRowHeight)
  QM_PROP(int, MaxRowHeight, FMaxRowHeight)
  QM_PROP(int, MinColWidth, FMinColWidth)
  QM_PROP(int, MaxColWidth, FMaxColWidth)
  QM_PROP(bool, SizeGrowOnly, FSizeGrowOnly)
  QM_PROP(int, GroupColumn, FGroupColumn)
  QM_PROP(bool, ClearTextOnly, FClearTextOnly)
  QM_PROP(bool, NoDefaultDraw, FNoDefaultDraw)
  QM_PROP(int, PreviewPage, FPreviewPage)
  QM_PROP(QString, EditMask, FEditMask)
#undef QM_PROP

  // The width of column 0 and the height of the fixed rows.
  int FixedColWidth() const { return ColWidths(0); }
  void SetFixedColWidth(int Value) { SetColWidths(0, Value); }
  int FixedRowHeight() const { return FFixedRowHeight; }
  void SetFixedRowHeight(int Value);
  // Read-only in effect: the version number in dotted form; writing it changes nothing.
  QString Version();
  void SetVersion(const QString &) {}
  // Common controls 6 present.
  bool IsThemed() const { return FIsComCtl6; }
  bool IsWinXP() const { return FIsWinXP; }
  bool IsWin7() const { return FIsWin7; }
  bool IsVista() const { return FIsVista; }

  // Owned sub-objects (never replaced; writers copy into them).
  TSearchPanel *SearchPanel() const { return FSearchPanel.get(); }
  TFocusHelper *FocusHelper() const { return FFocusHelper.get(); }
  TSearchFooter *SearchFooter() const { return FSearchFooter.get(); }
  TFloatingFooter *FloatingFooter() const { return FFloatingFooter.get(); }
  TPrintSettings *PrintSettings() const { return FPrintSettings.get(); }
  THTMLSettings *HTMLSettings() const { return FHTMLSettings.get(); }
  TSortSettings *SortSettings() const { return FSortSettings.get(); }
  TDragDropSettings *DragDropSettings() const { return FDragDropSettings.get(); }
  TDragScrollOptions *DragScrollOptions() const { return FDragScrollOptions.get(); }
  TControlLook *ControlLook() const { return FControlLook.get(); }
  TNavigation *Navigation() const { return FNavigation.get(); }
  TColumnSize *ColumnSize() const { return FColumnSize.get(); }
  TCellNode *CellNode() const { return FCellNode.get(); }
  TBands *Bands() const { return FBands.get(); }
  TSizeWhileTyping *SizeWhileTyping() const { return FSizeWhileTyping.get(); }
  TMouseActions *MouseActions() const { return FMouseActions.get(); }
  TGrouping *Grouping() const { return FGrouping.get(); }
  TStringList *ColumnHeaders() const { return FColumnHeaders.get(); }
  THTMLPictureCache *ImageCache() const { return FImageCache.get(); }
  TFont *FixedFont() const { return FFixedFont.get(); }
  TFont *ActiveCellFont() const { return FActiveCellFont.get(); }
  TStringList *RowHeaders() const { return FRowHeaders.get(); }
  TStringList *LookupItems() const { return FLookupItems.get(); }
  TSortIndexList *SortIndexes() const { return FSortIndexes.get(); }
  TIntList *MergedColumns() const { return FMergedColumns.get(); }
  TBitmap *RowIndicator() const { return FRowIndicator.get(); }
  TBackGround *BackGround() const { return FBackGround.get(); }
  TGridProgressAppearance *ProgressAppearance() const { return FProgressAppearance.get(); }
  TSyncGrid *SyncGrid() const { return FSyncGrid.get(); }
  TFilter *Filter() const { return FFilter.get(); }
  TBalloonSettings *Balloon() const { return FBalloon.get(); }
  TShowModified *ShowModified() const { return FShowModified.get(); }
  TIntList *IgnoreColumns() const { return FIgnoreColumns.get(); }
  TFilterDropDown *FilterDropDown() const { return FFilterDropDown.get(); }
  TStringList *FilterList() const { return FFilterList.get(); }
  TGridCombo *Combobox() const { return FCombobox.get(); }
  TGridEditBtn *BtnEdit() const { return FBtnEdit.get(); }
  TGridUnitEditBtn *BtnUnitEdit() const { return FBtnUnitEdit.get(); }
  TGridButton *Btn() const { return FBtn.get(); }

  // The font a cell is drawn with: a scratch font filled from the cell's properties, else Font;
  // owned by the grid and overwritten by the next call.
  TFont *GetCellFont(int ACol, int ARow);

  // --- events and their dispatchers ---
  // Published events.
  TAutoAdvanceEvent OnAutoAdvance;
  TCustomCellDrawEvent OnCustomCellBkgDraw, OnCustomCellDraw;
  TCustomCellSizeEvent OnCustomCellSize;
  TCustomFilterEvent OnCustomFilter;
  TGridColorEvent OnGetCellColor, OnGetCellPrintColor;
  TCellCursorEvent OnGetCellCursor;
  TGridGradientEvent OnGetCellGradient;
  TGridBorderEvent OnGetCellPrintBorder, OnGetCellBorder;
  TGridBorderPropEvent OnGetCellBorderProp;
  TGridAlignEvent OnGetAlignment;
  TWordWrapEvent OnGetWordWrap;
  TGetColumnFilterEvent OnGetColumnFilter;
  TNotifyEvent OnFilterDone, OnSearchFooterClose, OnRichEditSelectionChange, OnEditingDone,
      OnCreatedFloatingFooter, OnCreatedSearchFooter;
  TFilterSelectEvent OnFilterSelect;
  TFilterCheckEvent OnFilterCheck;
  TGridFormatEvent OnGetFormat;
  TGetCheckEvent OnGetCheckTrue, OnGetCheckFalse;
  TGridHintEvent OnGridHint;
  TGridWideHintEvent OnGridWideHint;
  TGroupCalcEvent OnColumnCalc, OnGroupCalc;
  TRowChangedEvent OnRowUpdate;
  TRowChangingEvent OnRowChanging;
  TColChangingEvent OnColChanging;
  TCellChangingEvent OnCellChanging;
  TGridBalloonEvent OnCellBalloon;
  TCustomStrToDateEvent OnCustomStrToDate;
  TGridPrintPageEvent OnPrintPage;
  TGridPrintPageNumEvent OnPrintGetPageNum;
  TGridPrintPageDoneEvent OnPrintPageDone;
  TGridPrintStartEvent OnPrintStart;
  TGridPrintCancelEvent OnPrintCancel;
  TDoFitToPageEvent OnFitToPage;
  TGridPrintNewPageEvent OnPrintNewPage;
  TGridPrintColumnWidthEvent OnPrintSetColumnWidth;
  TGridPrintRowHeightEvent OnPrintSetRowHeight;
  TCanAddRowEvent OnCanAddRow;
  TAutoAddRowEvent OnAutoAddRow;
  TCanInsertRowEvent OnCanInsertRow;
  TAutoInsertRowEvent OnAutoInsertRow, OnRowDisjunctSelected;
  TAutoInsertColEvent OnAutoInsertCol;
  TCanDeleteRowEvent OnCanDeleteRow;
  TAutoDeleteRowEvent OnAutoDeleteRow;
  TClickSortEvent OnClickSort;
  TCanSortEvent OnCanSort;
  TNodeClickEvent OnExpandNode, OnContractNode;
  TDropDownButtonClickEvent OnDropDownHeaderButtonClick, OnDropDownFooterButtonClick;
  TNodeAllowEvent OnBeforeExpandNode, OnBeforeContractNode;
  TCustomCompareEvent OnCustomCompare;
  TRawCompareEvent OnRawCompare;
  TSearchEditChangeEvent OnSearchEditChange;
  TSearchFooterActionEvent OnSearchFooterAction;
  TCanShowFixedDropDownEvent OnCanShowFixedDropDown;
  TFixedDropDownEvent OnFixedDropDownClick;
  TClickCellEvent OnClickCell, OnRightClickCell, OnDatePickerCloseUp, OnDatePickerDropDown,
      OnComboCloseUp, OnComboDropDown;
  TDblClickCellEvent OnDblClickCell;
  TCanClickCellEvent OnCanClickCell;
  TCanEditCellEvent OnCanEditCell;
  TFixedEditEvent OnFixedEdit;
  TIsFixedCellEvent OnIsFixedCell;
  TIsPasswordCellEvent OnIsPasswordCell;
  TAnchorClickEvent OnAnchorClick;
  TAnchorEvent OnAnchorEnter, OnAnchorExit;
  TAnchorHintEvent OnAnchorHint;
  TCellControlEvent OnControlClick, OnControlEditDone;
  TCellComboControlEvent OnControlComboList;
  TCellComboControlSelectEvent OnControlComboSelect;
  TClipboardEvent OnClipboardPaste, OnClipboardCopy, OnClipboardCut;
  TAfterCellPasteEvent OnClipboardAfterPasteCell;
  TAfterCellPasteWideEvent OnClipboardAfterPasteWideCell;
  TBeforeCellPasteEvent OnClipboardBeforePasteCell;
  TBeforeCellPasteWideEvent OnClipboardBeforePasteWideCell;
  TCellValidateEvent OnCellValidate;
  TCellValidateWideEvent OnCellValidateWide;
  TCellsChangedEvent OnCellsChanged;
  TGridProgressEvent OnFileProgress, OnFilterProgress;
  THasComboEvent OnHasComboBox;
  THasSpinEditEvent OnHasSpinEdit;
  TGetEditorTypeEvent OnGetEditorType;
  TGetEditorPropEvent OnGetEditorProp;
  TFloatFormatEvent OnGetFloatFormat;
  TEllipsClickEvent OnEllipsClick;
  TButtonClickEvent OnButtonClick;
  TCheckBoxClickEvent OnCheckBoxChange, OnCheckBoxClick, OnCheckBoxMouseUp;
  TColorSelectedEvent OnColorSelected;
  TColorSelectEvent OnColorSelect;
  TExpandClickEvent OnExpandClick;
  TImageSelectedEvent OnImageSelected;
  TImageSelectEvent OnImageSelect;
  TRadioClickEvent OnRadioClick, OnRadioMouseUp;
  TRadioButtonClickEvent OnRadioButtonClick;
  TComboChangeEvent OnComboChange;
  TComboObjectChangeEvent OnComboObjectChange;
  TSpinClickEvent OnSpinClick;
  TFloatSpinClickEvent OnFloatSpinClick;
  TDateTimeSpinClickEvent OnTimeSpinClick, OnDateSpinClick;
  TDragScrollEvent OnDragScroll;
  TEditCellDoneEvent OnEditCellDone;
  TEditChangeEvent OnEditChange;
  TDateTimeChangeEvent OnDateTimeChange;
  TFooterPaintEvent OnFooterPaint;
  TCalcFooterEvent OnFooterCalc;
  TRowDisjunctSelectEvent OnRowDisjunctSelect;
  TSelectionChanged OnSelectionChanged;
  TUnitChangedEvent OnUnitChanged;
  TOleDragDropEvent OnOleDrop, OnOleDrag;
  TOleDroppedEvent OnOleDropped;
  TOleDragOverEvent OnOleDragOver;
  TOleDragStartEvent OnOleDragStart;
  TOleDragStopEvent OnOleDragStop;
  TOleDropColEvent OnOleDropCol;
  TOleDropFileEvent OnOleDropFile;
  TOleDropURLEvent OnOleDropURL;
  TRatingChangeEvent OnRatingChange;
  TScrollHintEvent OnScrollHint;
  TColumnSizeEvent OnColumnSize, OnColumnMove, OnColumnMoving;
  TColumnSizingEvent OnColumnSizing;
  TRowSizeEvent OnRowSize, OnRowMove, OnRowMoving;
  TRowSizingEvent OnRowSizing;
  TEndColumnSizeEvent OnEndColumnSize;
  TUpdateColumnSizeEvent OnUpdateColumnSize;
  TEndRowSizeEvent OnEndRowSize;
  TScrollCellEvent OnScrollCell;
  TSelectionResizeEvent OnSelectionResize, OnSelectionResized;
  TCellSaveLoadEvent OnSaveCell, OnLoadCell;
  // Public events.
  TNotifyEvent OnPainted;
  TClickCellEvent OnGetEditorPropInt;

  // Editor notification handlers: the date editors' getters and the button editor wire them.
  void DateTimePickerTimeChange(TObject *Sender);
  void DatePickerChange(TObject *Sender);
  void DatePickerCloseUp(TObject *Sender);
  void DatePickerDropDown(TObject *Sender);
  void GridButtonClick(TObject *Sender);

  // --- update lock, grid timer, window messages ---
  void BeginUpdate();
  void StartUpdate();
  void EndUpdate();
  void ResetUpdate() { FUpdateCount = 0; }
  bool LockUpdate() const { return FUpdateCount != 0; }
  void SetLockUpdate(bool Value);
  int UpdateCount() const { return FUpdateCount; }
  void ResetFixedCellHighlight();
  QString IncrSearchText() const { return FIncrSearchText; }
  void SetIncrSearchText(const QString &Value) { FIncrSearchText = Value; FSearchTickCount = 0; }
  bool BlinkState() const { return FBlinkOn; }
  int TimerCount() const { return FTimerCount; }

  void CMHintShow(TCMHintShow &Message) override;
  void WMTimer(TWMTimer &Message) override;
  void WMPaint(TWMPaint &Message) override;
  void CMDialogChar(TCMDialogChar &Message) override;
  void CMEnabledChanged(TMessage &Message) override;
  void CMColorChanged(TMessage &Message) override;
  void CMFontChanged(TMessage &Message) override;
  void CMCursorChanged(TMessage &Message) override;

  // --- window lifecycle and settings copy ---
  void Assign(TPersistent *Source) override;
  void Invalidate() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  void UpdateScrollBarAlways(bool Force);
  static TCustomForm *FindParentForm(TControl *Control);
  bool GridLoaded() const { return FGridLoaded; }
  int WheelMsg() const { return int(wheelmsg); }
  int WheelScrl() const { return wheelscrl; }
  // Set by the editing code: the next repaint request is swallowed.
  void SetEditChange() { FEditChange = true; }

  // Members of topics not built yet, with their smallest honest bodies (obj_defaults.cpp).
  int RealRow() { return RealRowIndex(Row()); }
  int RealCol() { return RealColIndex(Col()); }
  int RealRowIndex(int ARow) { return ARow; }
  int RealColIndex(int ACol) { return ACol; }
  int NumHiddenColumns() const { return 0; }
  int NumHiddenRows() const { return 0; }
  bool IsNode(int ARow);
  bool IsSummary(int ARow);
  void HideInplaceEdit();
  void MoveFocusWindow();
  void GetCellHint(QString &HintStr, THintInfo *HintInfo);
  void DrawNCBorder();
  void SaveColSizes();
  void LoadColSizes();
  void InitOrigColSizes();
  void SetColumnOrder();
  void AdaptToOfficeTheme();
  void ApplyFrameworkStyle();
  void AutoSizeColumns(bool DoFixedCols, int Padding);
  void UpdateProportionalVertScroll();
  void CellControlsUpdate(bool Rebuild);
  // The window procedure an edit link installs on a custom editor control: with goTabs the
  // control asks for tabs, arrows and characters; everything else goes to its saved procedure.
  void EditControlWndProc(TMessage &Message);
  std::function<void(TMessage &)> FGridControlWndProc;
  void SaveToStream(TStream *Stream);
  void LoadFromStream(TStream *Stream);

  // --- used by the settings classes, look settings and sort settings ---
  // Fixed-cell gradient of the painting looks, kept as RGB; a write repaints.
  TColor ZAVGradientFrom() const { return FZAVGradientFrom; }
  void SetZAVGradientFrom(TColor Value);
  TColor ZAVGradientTo() const { return FZAVGradientTo; }
  void SetZAVGradientTo(TColor Value);
  TColor ZAVGradientMirrorFrom() const { return FZAVGradientMirrorFrom; }
  void SetZAVGradientMirrorFrom(TColor Value);
  TColor ZAVGradientMirrorTo() const { return FZAVGradientMirrorTo; }
  void SetZAVGradientMirrorTo(TColor Value);
  // Fixed cell under the mouse and pressed fixed cell: plain state the painter reads.
  TColor ZAVGradientHoverFrom() const { return FZAVGradientHoverFrom; }
  void SetZAVGradientHoverFrom(TColor Value) { FZAVGradientHoverFrom = Value; }
  TColor ZAVGradientHoverTo() const { return FZAVGradientHoverTo; }
  void SetZAVGradientHoverTo(TColor Value) { FZAVGradientHoverTo = Value; }
  TColor ZAVGradientHoverMirrorFrom() const { return FZAVGradientHoverMirrorFrom; }
  void SetZAVGradientHoverMirrorFrom(TColor Value) { FZAVGradientHoverMirrorFrom = Value; }
  TColor ZAVGradientHoverMirrorTo() const { return FZAVGradientHoverMirrorTo; }
  void SetZAVGradientHoverMirrorTo(TColor Value) { FZAVGradientHoverMirrorTo = Value; }
  TColor ZAVGradientHoverBorder() const { return FZAVGradientHoverBorder; }
  void SetZAVGradientHoverBorder(TColor Value) { FZAVGradientHoverBorder = Value; }
  TColor ZAVGradientDownFrom() const { return FZAVGradientDownFrom; }
  void SetZAVGradientDownFrom(TColor Value) { FZAVGradientDownFrom = Value; }
  TColor ZAVGradientDownTo() const { return FZAVGradientDownTo; }
  void SetZAVGradientDownTo(TColor Value) { FZAVGradientDownTo = Value; }
  TColor ZAVGradientDownMirrorFrom() const { return FZAVGradientDownMirrorFrom; }
  void SetZAVGradientDownMirrorFrom(TColor Value) { FZAVGradientDownMirrorFrom = Value; }
  TColor ZAVGradientDownMirrorTo() const { return FZAVGradientDownMirrorTo; }
  void SetZAVGradientDownMirrorTo(TColor Value) { FZAVGradientDownMirrorTo = Value; }
  TColor ZAVGradientDownBorder() const { return FZAVGradientDownBorder; }
  void SetZAVGradientDownBorder(TColor Value) { FZAVGradientDownBorder = Value; }
  // Stretches the column (-1: the last one) so that the columns fill the client width.
  void StretchColumnToFit(int Index);
  void RepaintRow(int ARow);
  void RepaintCol(int ACol);
  // Columns including hidden ones.
  int AllColCount() const;

  // --- used by the helper classes, footer and feature settings ---
  TFooterPanel *FooterPanel() const { return FFooterPanel.get(); }
  // The last row is kept out of the cell area (the floating footer shows it).
  bool HideLastRow() const { return FHideLastRow; }
  void SetHideLastRow(bool Value);
  // Edit flow
  void ShowSpecialEditor(int ACol, int ARow);
  void HideSpecialEditor(int ACol, int ARow);
  bool TabToNextCell(bool Backward);
  void AdvanceToNextCell(int ACol, int ARow, bool Advance, bool KeepOrigin, bool Backward, bool Forced);
  TZavRichEdit *GetRichEdit();
  TZavRichEdit *GetInplaceRichEdit();
  TEditLink *EditLink() const { return FEditLink; }
  void SetEditLink(TEditLink *Value) { FEditLink = Value; }

  // --- used by the cell graphic object and the auxiliary controls ---
  // Cell graphics; columns are real indexes, rows display rows.
  virtual TCellGraphic *GetCellGraphic(int ACol, int ARow);
  TCellGraphic *CellGraphics(int ACol, int ARow) { return GetCellGraphic(ACol, ARow); }
  virtual TCellType GetCellType(int ACol, int ARow);
  TCellType CellTypes(int ACol, int ARow) { return GetCellType(ACol, ARow); }
  virtual TPoint GetCellGraphicSize(int ACol, int ARow);
  TPoint CellGraphicSize(int ACol, int ARow) { return GetCellGraphicSize(ACol, ARow); }
  virtual TPoint CalcGraphicSize(int ACol, int ARow, int ReservedHeight);
  virtual TPoint CalcScaledGraphicSize(int ACol, int ARow, int CellWidth, int CellHeight, double Scale);
  // Replaces any graphic the cell had; nullptr for a cell outside the grid.
  TCellGraphic *CreateCellGraphic(int ACol, int ARow);
  bool RemoveCellGraphic(int ACol, int ARow);
  bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType AType);
  bool IsCellTypeIn(int ACol, int ARow, TCellTypes Kinds);
  bool IsClickControlCell(int ACol, int ARow);
  // The object reference of a bitmap or icon, the image index of an image-list cell, else -1.
  intptr_t GetImageSortKey(int ACol, int ARow);
  TIntList *GetCellImages(int ACol, int ARow);
  TIntList *CellImages(int ACol, int ARow) { return GetCellImages(ACol, ARow); }
  virtual TImageList *GetGridImages();
  // Margins of the cell text (both sides, or the top-left one alone).
  int GetTotalXOffset();
  int GetTotalYOffset();

  // Column lookup and wide cells
  int ColumnByHeader(const QString &Value);
  QString WideCells(int ACol, int ARow) { return Cells(ACol, ARow); }
  void SetWideCells(int ACol, int ARow, const QString &Value) { SetCells(ACol, ARow, Value); }

  // Settings and row state the graphics read.
  bool RowSelect(int ARow);
  int RowSelectCount();
  void SelectRows(int RowIndex, int RCount);

  // Edit flow the auxiliary controls drive.
  void FocusNextCellControl(int ACol, int ARow, const QString &ControlID);
  // Id of the embedded control being edited in the current cell.
  QString CurrentControlID() const { return FCurrentControlID; }
  void SetCurrentControlID(const QString &Value) { FCurrentControlID = Value; }
  int FilterColumn() const { return FFilterColumn; }
  void SetFilterColumn(int Value) { FFilterColumn = Value; }

  // --- dimensions, hidden columns, hidden rows ---

  // --- cell accessors, selection queries, cell selection and row flags ---

  // --- check boxes and radio buttons ---

  // --- cell graphics and controls, cell-stream carriers ---

  // --- needed by the column grid ---
  // Width of a real column: the remembered width while it is hidden, else its shown width.
  int AllColWidths(int ACol);
  void SetAllColWidths(int ACol, int Value);

protected:
  // --- object (protected) ---
  // Virtual operations the grid adds, in slot order. The bodies of other topics live with
  // those topics; the ones not built yet have their smallest default.
  virtual void DoCalcFooter(int ACol, int ARow, QString &Value);
  virtual void DoClickSort(int ACol);
  virtual void DoF2Key() {}
  virtual void SetEditorCellText(int ACol, int ARow, const QString &Value);
  virtual void BeforeKeySelectAll() {}
  virtual void StoreCellValue(int ACol, int ARow);
  virtual QString GetCurrentCell();
  virtual void SetCurrentCell(const QString &AValue);
  virtual QString GetCurrentCellEx();
  virtual void SetCurrentCellEx(const QString &AValue);
  virtual void RestoreCellCache();
  virtual void DoToggleCheckBox(int ACol, int ARow);
  virtual void DoToggleRadioButton(int ACol, int ARow);
  virtual QString GetFormattedCell(int ACol, int ARow);
  virtual bool GetFloatFormat(int ACol, int ARow, bool &IsFloat, QString &FloatFormat);
  // GetCellType, GetCellGraphic, GetCellGraphicSize, CalcGraphicSize and CalcScaledGraphicSize
  // come here in slot order; they are public, with the cell graphics.
  virtual void DoPrintGetPageNum(int PageNum, int PageColNum, QString &PageNumString);
  virtual void DoGetEditorProp(int ACol, int ARow, TEditLink *AEditLink);
  virtual void DoCheckBoxClick(int ACol, int ARow, bool State);
  virtual void DoFixedEdit(int ACol, int ARow, TGridFixedCellEditor &AEditor, TStrings *Values);
  virtual void DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
  virtual void EditorCaretMoved() {}
  virtual void InsertRowNodeAware(int ARow);
  virtual void DeleteRowNodeAware(int ARow);
  virtual void DoFilterDone();
  virtual void DoUpdateColumnSize(int ACol, int &AWidth);
  virtual void DoUpdateAutoColumnSize(int ACol, int &AWidth);
  virtual void ColumnHeadersChanged();
  virtual void DoEllipsClick(int ACol, int ARow, QString &S);
  virtual bool MatchFilter(int ARow);
  virtual void BeforePaste(int ACol, int ARow);
  virtual void AfterPaste(int ACol, int ARow);
  virtual void CellsPasted(TGridRect R);
  virtual QString GetDisplCellText(int ACol, int ARow);
  virtual QString GetSaveCellText(int ACol, int ARow);
  virtual void SetLoadedCellText(int ACol, int ARow, const QString &Value);
  virtual QString CalcFooterColumn(int ACol);
  virtual void RememberOldCell(int ACol, int ARow);
  // Dispatchers of the grid's per-cell queries and notifications.
  virtual void DoCanEditCell(int ACol, int ARow, bool &CanEdit);
  virtual void DoSearchFooterAction(const QString &Value, int ACol, int ARow, TSearchAction SearchAction);
  virtual void DoButtonClick(int ACol, int ARow);
  virtual void DoExpandClick(int ACol, int ARow, bool Expanded);
  virtual void DoComboCloseUp(int ARow, int ACol);
  virtual void DoComboDropDown(int ARow, int ACol);
  virtual void DoGetCellCursor(int ACol, int ARow, int X, int Y);
  virtual void DoCellsChanged(TRect ARect);
  virtual void CellsLoaded();
  virtual void DoGridHint(int ACol, int ARow, QString &Hint, QString &WideHint);
  virtual void DoGetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush *ABrush, TFont *AFont);
  virtual void DoGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush *ABrush, TFont *AFont);
  virtual void DoGetCellBorder(int ACol, int ARow, TPen *APen, TCellBorders &Borders);
  virtual void DoGetCellPrintBorder(int ACol, int ARow, TPen *APen, TCellBorders &Borders);
  virtual void DoGetAlignment(int ACol, int ARow, TAlignment &HAlign, TVAlignment &VAlign);
  virtual void DoGetFormat(int ACol, TSortStyle &AStyle, QString &APrefix, QString &ASuffix);
  virtual void DoGetEditorType(int ACol, int ARow, TEditorType &AEditor);
  virtual void GetCellEditor(int ACol, int ARow, TEditorType &AEditor);
  virtual bool HasNoEditor(int ACol, int ARow);
  virtual void DoIsFixedCell(int ACol, int ARow, bool &IsFixed);
  virtual void QueryCanEdit(int ACol, int ARow, bool &CanEdit);
  virtual void DoIsPasswordCell(int ACol, int ARow, bool &IsPassword);
  virtual void DoGetWordWrap(int ACol, int ARow, bool &WordWrap);
  virtual bool HasComboEditor(int ACol, int ARow);
  virtual bool HasSpinEditor(int ACol, int ARow);
  virtual void GetCheckTrueText(int ACol, int ARow, QString &Value);
  virtual void GetCheckFalseText(int ACol, int ARow, QString &Value);
  virtual bool GetColumnFilterList(int ACol);
  virtual void GetUsedCells(int &ACols, int &ARows);
  virtual void RemoveRowsBlock(int RowIndex, int RCount);
  virtual void DoCanAddRow(bool &CanAdd);
  virtual void DoCanInsertRow(int ARow, bool &CanInsert);
  virtual void AfterWheelScroll() {}
  virtual void GrowRowCount(int ACount);
  virtual void CellSelectorClick() {}
  virtual void InplaceFormulaState() {}
  virtual void BeforeMouseSelectAll() {}
  virtual void MouseActionsChanged(TObject *Sender) {}
  virtual bool IsDesignTime();
  virtual void RefreshGrid(TObject *Sender);
  virtual void DisableEditing(TObject *Sender);
  virtual void EditorKeyDown(uint16_t &Key, TShiftState Shift) {}
  virtual void EditorWMKeyDown(uint16_t &Key, TShiftState Shift) {}
  virtual void NavigationChanged(TObject *Sender) {}
  virtual void GotoFirstRow();
  virtual bool AllowGridClipboardFormat();
  virtual void DoFilterSelect(int ItemIndex);
  virtual void DoFilterCheck();
  virtual void PaintDesignHelper();
  virtual void ShowDesignLookMenu();
  virtual void DoCheckBoxChange(int ACol, int ARow, bool State);
  virtual void DoRatingChange(int ACol, int ARow, double &NewRate, bool &Allow);
  virtual void DoColorSelect(int ACol, int ARow);
  virtual void DoImageSelect(int ACol, int ARow);
  virtual void DoCellChanging(int OldRow, int OldCol, int NewRow, int NewCol, bool &Allow);
  virtual void DoScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax);
  virtual void DoCanShowFixedDropDown(int ACol, bool &CanShow);
  virtual void DoStartBlockFocus() {}
  virtual void DoEndBlockFocus() {}
  virtual void ExportNotification(int AState, int ARow) {}
  virtual void ImportNotification(int AState, int ARow) {}
public:
  virtual void AssignCells(TPersistent *Source);
  virtual int GetVersionNr();
  virtual QString GetVersionString();
protected:
  virtual bool ValidateCell(const QString &NewValue);
  virtual bool ValidateCellWide(const QString &NewValue);
public:
  virtual void RemoveRowsEx(int RowIndex, int RCount);
  virtual void RemoveRows(int RowIndex, int RCount);
  virtual void InsertRows(int RowIndex, int RCount);
  virtual void RemoveCols(int ColIndex, int CCount);
  virtual void InsertCols(int ColIndex, int CCount);
  virtual void SubGroup(int ColIndex);
  virtual void SubUnGroup(int ColIndex);
  virtual void Group(int ColIndex);
  virtual void UnGroup();
  virtual void SortSwapRows(int ARow1, int ARow2);
  virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
  virtual void TrimRect(int ACol1, int ARow1, int ACol2, int ARow2);
  virtual void SaveColPositions();
  virtual void LoadColPositions();
  virtual void SetStyle(int AStyle);
  virtual void QSort();
  virtual void QSortIndexed();
  virtual void QSortGroup();
  virtual void QSortGroupIndexed();
  virtual void QUnSort();
  virtual void CalcFooter(int ACol);
protected:

  // Overrides of the base grid's hooks that belong to this topic.
  void GetCellDefaults(int ACol, int ARow, TFont *AFont, TBrush *ABrush, TColor &ColorTo,
                       TColor &ColorMirror, TColor &ColorMirrorTo, TAlignment &HAlign,
                       TVAlignment &VAlign, bool &WordWrap, TCellGradientDirection &GradientDir) override;

  // The form's resize handler this grid adds to the form's chain.
  void OwnerFormResize(TObject *Sender);
  void BalloonInit();
  void BalloonDone();
  void UpdateSearchPanel(TObject *Sender);
  void ShowColumnHeaders();
  void ShowRowHeaders();
  void MergedColumnsChanged(TObject *Sender, int ACol, int ARow);

  // --- events (protected dispatchers) ---

  // --- update lock, timer, messages (protected) ---

  // --- window lifecycle (protected) ---
  void CreateWnd() override;
  void Loaded() override;
  void Resize() override;
  TInplaceEdit *CreateEditor() override;
  QString GetEditMask(int ACol, int ARow) override;

private:
  // --- object (fields) ---
  friend struct TGridResizeChains;
  void CreateSubObjects();
  void CreateRunTimeControls();
  void FreeSubObjects();

  bool FDesignNoLoad = false;  // designing while the owner is neither read nor loaded
  bool FRunTime = true;        // decided once, at construction
  bool FIsWinXP = false, FIsWin7 = false, FIsVista = false, FIsComCtl6 = false;
  TCustomForm *FOwnerForm = nullptr;  // not owned: the form whose resize chain holds this grid
  int FOwnerFormWidth = 0, FOwnerFormHeight = 0;

  bool FActiveCellShow = false;
  TColor FActiveCellColor = clGray;
  TColor FActiveCellColorTo = clNone;
  bool FAnchorHint = false;
  bool FAutoFilterUpdate = true;
  bool FAutoNumAlign = false;
  bool FAutoSize = false;
  bool FAutoThemeAdapt = false;
  TColor FBorderColor = 0xB99D7F;
  TZavStringGridCheck *FCellChecker = nullptr;  // not owned
  TAlignment FDefaultAlignment = taLeftJustify;
  TEditorType FDefaultEditor = edNormal;
  TColor FDisabledFontColor = clSilver;
  bool FEditWithTags = false;
  bool FEnableBlink = false;
  bool FEnableHTML = true;
  bool FEnableWheel = true;
  bool FEnhRowColMove = true;
  bool FEnhTextSize = false;
  bool FExcelStyleDecimalSeparator = false;
  bool FFilterActive = false;
  bool FFilterDropDownAuto = false;
  bool FFilterDropDownCheck = false;
  QString FFilterDropDownClear = QStringLiteral("(All)");
  TFilterDropDownColumns FFilterDropDownColumns = fdNormal;
  int FFilterDropDownRow = 0;
  bool FFilterIncremental = false;
  bool FFilterNormalCellsOnly = true;
  bool FFixedAsButtons = false;
  bool FFixedColAlways = false;
  TPopupMenu *FFixedDropDownMenu = nullptr;  // not owned
  int FFixedFooters = 0;
  int FFixedRightCols = 0;
  bool FFixedRowAlways = false;
  int FFixedRowHeight = 0;
  bool FFlat = false;
  QString FFloatFormat = QStringLiteral("%.2f");
  TImageList *FGridImages = nullptr;  // not owned
  bool FHideFocusRect = false;
  TColor FHighlightColor = clHighlight;
  TColor FHighlightTextColor = clHighlightText;
  TColor FHintColor = clInfoBk;
  bool FHintShowCells = false;
  bool FHintShowLargeText = false;
  THintShowLargeTextPos FHintShowLargeTextPos = hpCell;
  bool FHintShowSizing = false;
  THoverFixedCells FHoverFixedCells = hfNone;
  bool FHovering = false;
  bool FHTMLHint = false;
  bool FIntegralHeight = false;
  TIntelliPan FIntelliPan = ipVertical;
  bool FIntelliZoom = true;
  TInvalidEntryIcon FInvalidEntryIcon = ieWarning;
  QString FInvalidEntryText;
  QString FInvalidEntryTitle;
  TGridLook FLook = glXP;
  bool FLookup = false;
  bool FLookupCaseSensitive = false;
  bool FLookupHistory = false;
  int FMaxComboLength = 0;
  int FMaxEditLength = 0;
  bool FMultilinecells = false;
  bool FOemConvert = false;
  TPictureContainer *FPictureContainer = nullptr;  // not owned
  TScrollBarAlways FScrollBarAlways = saNone;
  TColor FScrollColor = clNone;
  TScrollHintType FScrollHints = shNone;
  bool FScrollProportional = false;
  bool FScrollSynch = false;
  TScrollType FScrollType = ssNormal;
  int FScrollWidth = 17;
  TColor FSelectionColor = 0xEACAB6;
  TColor FSelectionColorTo = clNone;
  bool FSelectionColorMixer = false;
  int FSelectionColorMixerFactor = 50;
  TColor FSelectionMirrorColor = clNone;
  TColor FSelectionMirrorColorTo = clNone;
  bool FSelectionRectangle = false;
  bool FSelectionResizer = false;
  bool FSelectionRTFKeep = false;
  TColor FSelectionTextColor = clBlack;
  bool FShowDesignHelper = true;
  bool FShowSelection = true;
  bool FSizeWithForm = false;
  TColor FURLColor = clBlue;
  bool FURLEdit = false;
  bool FURLFull = false;
  bool FURLShow = false;
  bool FURLShowInText = false;
  bool FURLUnderlineOnHover = false;
  bool FUseInternalHintClass = true;
  QString FValidChars;
  TVAlignment FVAlignment = vtaTop;

  QString FCheckTrue = QStringLiteral("Y");
  QString FCheckFalse = QStringLiteral("N");
  QChar FPasswordChar = QLatin1Char('*');
  QChar FDelimiter;
  bool FJavaCSV = false;
  QString FXMLEncoding = QStringLiteral("ISO-8859-1");
  bool FSaveFixedCells = true;
  bool FSaveFixedRows = false;
  bool FSaveFixedCols = false;
  bool FSaveHiddenCells = false;
  bool FSaveVirtCells = true;
  bool FSaveWithHTML = true;
  bool FLoadFirstRow = true;
  bool FQuoteEmptyCells = true;
  bool FAlwaysQuotes = false;
  bool FShowNullDates = true;
  int FZoomFactor = 0;
  TPoint FXYOffset{2, 2};
  bool FUseDisabledFont = true;
  bool FFitCellsInGrid = true;
  bool FExcelClipboardFormat = false;
  bool FPrinterDriverFix = false;
  TColor FSelectionRectangleColor = clBlack;
  int FMinRowHeight = 0;
  int FMaxRowHeight = 0;
  int FMinColWidth = 0;
  int FMaxColWidth = 0;
  bool FSizeGrowOnly = false;
  int FGroupColumn = -1;
  bool FClearTextOnly = false;
  bool FNoDefaultDraw = false;
  int FPreviewPage = 1;
  QString FEditMask;

  // Markers that start at -1 (or (-1, -1)).
  int FTabCol = -1, FTabRow = -1;
  int FHoverLink = -1;
  int FOleDragCol = -1;
  int FLastDesignChoice = -1;
  int FFilterColumn = -1;
  int FHoverFixedX = -1, FHoverFixedY = -1;
  int FComboIdx = -1;
  int FOldSelRow = -1;
  int FClickCol = -1, FClickRow = -1;
  int FClipTopLeftX = -1, FClipTopLeftY = -1;
  TPoint FCellButtonDown{-1, -1};
  TPoint FLastHintPos{-1, -1};
  TOfficeTheme FLastOfficeTheme = otUnknown;  // the first adaptation always applies
  TZAVStyle FComponentStyle = tsCustom;

  // Owned sub-objects, in the order of creation.
  std::unique_ptr<TFooterPanel> FFooterPanel;
  TPendingPtr<TSearchPanel> FSearchPanel;
  std::unique_ptr<TFont> FCellFont;
  std::unique_ptr<TFocusHelper> FFocusHelper;
  std::unique_ptr<TSearchFooter> FSearchFooter;
  std::unique_ptr<TFloatingFooter> FFloatingFooter;
  std::unique_ptr<TPrintSettings> FPrintSettings;
  std::unique_ptr<THTMLSettings> FHTMLSettings;
  std::unique_ptr<TSortSettings> FSortSettings;
  std::unique_ptr<TDragDropSettings> FDragDropSettings;
  std::unique_ptr<TDragScrollOptions> FDragScrollOptions;
  std::unique_ptr<TControlLook> FControlLook;
  std::unique_ptr<TNavigation> FNavigation;
  std::unique_ptr<TColumnSize> FColumnSize;
  TPendingPtr<TCellNode> FCellNode;
  std::unique_ptr<TBands> FBands;
  TPendingPtr<TSizeWhileTyping> FSizeWhileTyping;
  std::unique_ptr<TMouseActions> FMouseActions;
  std::unique_ptr<TGrouping> FGrouping;
  std::unique_ptr<TStringList> FColumnHeaders;
  std::unique_ptr<THTMLPictureCache> FImageCache;
  std::unique_ptr<TIntList> FOrigColSizes;
  std::unique_ptr<TFont> FFixedFont;
  std::unique_ptr<TFont> FActiveCellFont;
  std::unique_ptr<TStringList> FRowHeaders;
  std::unique_ptr<TStringList> FSortList;
  std::unique_ptr<TStringList> FLookupItems;
  std::unique_ptr<TList> FRowSelectList;
  std::unique_ptr<TList> FColSelectList;
  std::unique_ptr<TSortIndexList> FSortIndexes;
  std::unique_ptr<TIntList> FSortRowXRef;
  std::unique_ptr<TIntList> FUnSortRowXRef;
  std::unique_ptr<TIntList> FMergedColumns;
  std::unique_ptr<TIntList> FSelectedCells;
  std::unique_ptr<TIntList> FSelectedRows;
  std::unique_ptr<TIntList> FModifiedRows;
  std::unique_ptr<TIntList> FEnabledRows;
  std::unique_ptr<TBitmap> FRowIndicator;
  std::unique_ptr<TBackGround> FBackGround;
  std::unique_ptr<THTMLHintWindow> FScrollHintWnd;
  std::unique_ptr<TControlList> FControlList;
  std::unique_ptr<TGridProgressAppearance> FProgressAppearance;
  std::unique_ptr<TSyncGrid> FSyncGrid;
  std::unique_ptr<TCollection> FGridItems;  // hidden-row store of TGridItem
  std::unique_ptr<TFilter> FFilter;
  std::unique_ptr<TBalloonSettings> FBalloon;
  std::unique_ptr<TShowModified> FShowModified;
  std::unique_ptr<TList> FNotifierList;
  std::unique_ptr<TIntList> FColumnOrder;
  std::unique_ptr<TIntList> FIgnoreColumns;
  std::unique_ptr<TFilterDropDown> FFilterDropDown;
  std::unique_ptr<TDropList> FFilterValueList;
  TPendingPtr<TDropCheckList> FFilterCheckList;
  std::unique_ptr<TStringList> FFilterList;
  // Run time only.
  std::unique_ptr<TGridFocusWindow> FFocusWindow;
  std::unique_ptr<TArrowWindow> FArwUp, FArwDown, FArwLeft, FArwRight;
  std::unique_ptr<TGridCombo> FCombobox;
  std::unique_ptr<TGridTransEdit> FTransEdit;
  std::unique_ptr<TGridTransCombo> FTransCombo;
  std::unique_ptr<TGridCheckBox> FGridCheckBox;
  std::unique_ptr<TGridEditBtn> FBtnEdit;
  std::unique_ptr<TGridUnitEditBtn> FBtnUnitEdit;
  std::unique_ptr<TGridButton> FBtn;
  std::unique_ptr<THeaderDragButton> FHeaderDragButton;
  std::unique_ptr<TControlEdit> FControlEdit;
  std::unique_ptr<TControlCombo> FControlCombo;
  std::unique_ptr<TScrollBar> FScrollBar;
  std::unique_ptr<TScrollBar> FPaintScrollBar;

  // --- events (fields) ---
  bool FEditingDisabled = false;  // editing switched off for the edit in progress
  int FMinFixedRows = 0, FMinFixedCols = 0;  // fixed rows and columns at Loaded

  // --- update lock, timer, messages (fields) ---
  static constexpr uintptr_t GridTimerID = 111;
  int FUpdateCount = 0;
  int FTimerCount = 0;
  int FSearchTickCount = 0;
  QString FIncrSearchText;
  bool FBlinkOn = false;
  int FPaintCount = 0;
  bool FSelChange = false;
  bool FOwnCursorChange = false;
  TMouseSelectMode FMouseSelectMode = msNormal;
  bool FSizeFixed = false, FSizeFixedR = false, FNoMouseLeave = false;

  // --- window lifecycle (fields) ---
  uintptr_t FGridTimerID = 0;
  uint32_t wheelmsg = 0;
  int wheelscrl = 0;
  bool FGridLoaded = false;
  int FMaxRowCount = 0;
  TCursor FLoadedCursor = crDefault;
  bool FEditChange = false;

  // --- settings classes (fields) ---
  TColor FZAVGradientFrom = clWhite;
  TColor FZAVGradientTo = ColorToRGB(clBtnFace);
  TColor FZAVGradientMirrorFrom = clNone;
  TColor FZAVGradientMirrorTo = clNone;
  TColor FZAVGradientHoverFrom = 0;
  TColor FZAVGradientHoverTo = 0;
  TColor FZAVGradientHoverMirrorFrom = 0;
  TColor FZAVGradientHoverMirrorTo = 0;
  TColor FZAVGradientHoverBorder = 0;
  TColor FZAVGradientDownFrom = 0;
  TColor FZAVGradientDownTo = 0;
  TColor FZAVGradientDownMirrorFrom = 0;
  TColor FZAVGradientDownMirrorTo = 0;
  TColor FZAVGradientDownBorder = 0;

  // --- helper classes, footer, feature settings (fields) ---
  friend class TEditLink;
  friend class TZavRichEdit;
  friend class TFloatingFooter;
  friend class TFooterPanel;
  friend struct THelpersWiring;  // tests place the sub-objects the constructor will create
  TEditLink *FEditLink = nullptr;
  TZavRichEdit *FRichEdit = nullptr;         // owned as a component
  TZavRichEdit *FInplaceRichEdit = nullptr;  // owned as a component
  bool FHideLastRow = false;
  // Edit flow state the custom editors read.
  QString FEditCellText;          // the cell's text when editing began
  int FLastValidation = 0;        // 1 passed, -1 failed, 0 none since the editor opened
  bool FFocusChanging = false;    // the grid moves the focus itself

  // --- cell graphic, auxiliary controls (fields) ---
  // The shared row-selection box of column 0, prepared on every query and never in a cell.
  TCellGraphic FCellGraphic;
  QString FCurrentControlID;
  // The control look's sizes and style as the graphics read them.
  int GraphicCheckSize();
  int GraphicRadioSize();
  bool GraphicFlatControls();
  TPoint GraphicXYOffset();

  // --- dimensions, hidden columns, hidden rows (fields) ---

  // --- cell accessors, selection, row flags (fields) ---

  // --- check boxes and radio buttons (fields) ---

  // --- cell graphics and controls, carriers (fields) ---
};
