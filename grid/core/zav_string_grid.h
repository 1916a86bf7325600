#pragma once
// The system's string grid: the base grid plus its settings objects, events, hidden columns and
// rows, check boxes, cell graphics and everything the table forms edit with. One class declared
// here and defined by topic across grid/core, grid/view and grid/data.
#include <QString>

#include <array>
#include <bitset>
#include <memory>
#include <optional>
#include <vector>

#include "grid/foundation/base_grid.h"
#include "grid/foundation/grid_enums.h"
#include "grid/foundation/grid_events.h"
#include "grid/core/cell_graphic.h"
#include "grid/core/grid_core_enums.h"
#include "grid/core/grid_core_events.h"
#include "grid/core/find_params.h"
#include "grid/core/column_index_map.h"
#include "grid/core/row_index_map.h"
#include "grid/core/sort_settings.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/int_lists.h"
#include "grid/foundation/themes.h"

class TZavStringGrid;
class TFont;
class TBitmap;
struct TCellPaintContext;
namespace ZavGrid {
enum class TControlStyle;
}
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
struct TComponentRecord;
class TGridCellPropIO;
// Classes of the settings, helper, footer, feature and editor topics.
class TFooterPanel;
struct TClipboardFlavour;
class TSearchPanel;
class TFloatingFooter;
class TPrintSettings;
class THTMLSettings;
class TSortSettings;
enum class TSortDirection;
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
class TBalloonTip;
struct TBalloonTipText;
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
class TRichEdit;
class TScrollControl;
class TCustomForm;
class TInplaceEdit;
enum class TBalloonIcon;

class TGridChangeNotifier;

class TZavStringGrid : public TBaseGrid {

  // --- object: construction, published properties, owned sub-objects (core/zav_string_grid.cpp) ---
public:
  explicit TZavStringGrid(TComponent *AOwner);
  ~TZavStringGrid() override;

  // Published properties. Writers store the value; the ones whose side effects belong to the
  // painting, sizing or editing code get them there.
#define QM_PROP(T, N, F)                                                                          \
  T N() const { return F; }                                                                       \
  void Set##N(T Value) { F = Value; }
#define QM_PROP_W(T, N, F)                                                                        \
  T N() const { return F; }                                                                       \
  void Set##N(T Value);
  QM_PROP(bool, ActiveCellShow, FActiveCellShow)
  QM_PROP(TColor, ActiveCellColor, FActiveCellColor)
  QM_PROP(TColor, ActiveCellColorTo, FActiveCellColorTo)
  QM_PROP(bool, AnchorHint, FAnchorHint)
  QM_PROP(bool, AutoFilterUpdate, FAutoFilterUpdate)
  QM_PROP(bool, AutoNumAlign, FAutoNumAlign)
  QM_PROP_W(bool, AutoSize, FAutoSize)
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  QM_PROP(TZavStringGridCheck *, CellChecker, FCellChecker)
  QM_PROP(TEditorType, DefaultEditor, FDefaultEditor)
  QM_PROP(TColor, DisabledFontColor, FDisabledFontColor)
  QM_PROP(bool, EditWithTags, FEditWithTags)
  QM_PROP(bool, EnableBlink, FEnableBlink)
  QM_PROP(bool, EnableHTML, FEnableHTML)
  QM_PROP(bool, EnableWheel, FEnableWheel)
  QM_PROP(bool, EnhRowColMove, FEnhRowColMove)
  QM_PROP(bool, EnhTextSize, FEnhTextSize)
  QM_PROP(bool, ExcelStyleDecimalSeparator, FExcelStyleDecimalSeparator)
  QM_PROP(bool, FilterDropDownCheck, FFilterDropDownCheck)
  QM_PROP(QString, FilterDropDownClear, FFilterDropDownClear)
  QM_PROP(TFilterDropDownColumns, FilterDropDownColumns, FFilterDropDownColumns)
  QM_PROP(bool, FilterIncremental, FFilterIncremental)
  QM_PROP(bool, FilterNormalCellsOnly, FFilterNormalCellsOnly)
  QM_PROP(bool, FixedAsButtons, FFixedAsButtons)
  QM_PROP(bool, FixedColAlways, FFixedColAlways)
  QM_PROP(TPopupMenu *, FixedDropDownMenu, FFixedDropDownMenu)
  QM_PROP(bool, FixedRowAlways, FFixedRowAlways)
  QM_PROP_W(bool, Flat, FFlat)
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
  QM_PROP_W(int, MaxEditLength, FMaxEditLength)
  QM_PROP(bool, Multilinecells, FMultilinecells)
  QM_PROP(bool, OemConvert, FOemConvert)
  QM_PROP(TPictureContainer *, PictureContainer, FPictureContainer)
  QM_PROP(TScrollBarAlways, ScrollBarAlways, FScrollBarAlways)
  QM_PROP(TColor, ScrollColor, FScrollColor)
  QM_PROP(TScrollHintType, ScrollHints, FScrollHints)
  bool ScrollProportional() const { return FScrollProportional; }
  QM_PROP(bool, ScrollSynch, FScrollSynch)
  QM_PROP_W(TScrollType, ScrollType, FScrollType)
  QM_PROP(int, ScrollWidth, FScrollWidth)
  QM_PROP_W(TColor, SelectionColor, FSelectionColor)
  QM_PROP_W(TColor, SelectionColorTo, FSelectionColorTo)
  QM_PROP_W(bool, SelectionColorMixer, FSelectionColorMixer)
  QM_PROP_W(int, SelectionColorMixerFactor, FSelectionColorMixerFactor)
  QM_PROP_W(TColor, SelectionMirrorColor, FSelectionMirrorColor)
  QM_PROP_W(TColor, SelectionMirrorColorTo, FSelectionMirrorColorTo)
  QM_PROP_W(bool, SelectionRectangle, FSelectionRectangle)
  QM_PROP_W(bool, SelectionResizer, FSelectionResizer)
  QM_PROP(bool, SelectionRTFKeep, FSelectionRTFKeep)
  QM_PROP_W(TColor, SelectionTextColor, FSelectionTextColor)
  QM_PROP(bool, ShowDesignHelper, FShowDesignHelper)
  QM_PROP_W(bool, ShowSelection, FShowSelection)
  QM_PROP(bool, SizeWithForm, FSizeWithForm)
  QM_PROP(TColor, URLColor, FURLColor)
  QM_PROP(bool, URLEdit, FURLEdit)
  QM_PROP(bool, URLFull, FURLFull)
  QM_PROP(bool, URLShow, FURLShow)
  QM_PROP(bool, URLShowInText, FURLShowInText)
  QM_PROP(bool, URLUnderlineOnHover, FURLUnderlineOnHover)
  QM_PROP(bool, UseInternalHintClass, FUseInternalHintClass)
  QM_PROP(QString, ValidChars, FValidChars)
  QM_PROP_W(TVAlignment, VAlignment, FVAlignment)

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
  QM_PROP_W(int, GroupColumn, FGroupColumn)
  QM_PROP(bool, ClearTextOnly, FClearTextOnly)
  QM_PROP(bool, NoDefaultDraw, FNoDefaultDraw)
  QM_PROP(int, PreviewPage, FPreviewPage)
  QM_PROP(QString, EditMask, FEditMask)
#undef QM_PROP
#undef QM_PROP_W

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

  virtual int GetVersionNr();
  virtual QString GetVersionString();
protected:
  virtual void MouseActionsChanged(TObject *Sender) {}
  virtual bool IsDesignTime();
  virtual void RefreshGrid(TObject *Sender);
  virtual void DisableEditing(TObject *Sender);
  virtual void NavigationChanged(TObject *Sender) {}

  // The form's resize handler this grid adds to the form's chain.
  void OwnerFormResize(TObject *Sender);
private:
  friend struct TGridResizeChains;
  void CreateSubObjects();
  void CreateRunTimeControls();
  void FreeSubObjects();

  friend struct THelpersWiring;  // tests place the sub-objects the constructor will create

  // --- events: published events and their dispatchers (core/grid_dispatch.cpp) ---
  // The published events open the state part at the end of the class; the dispatchers here fire
  // them, each putting its column-first arguments into the event's order.
public:
  // Editor notification handlers: the date editors' getters and the button editor wire them.
  void DateTimePickerTimeChange(TObject *Sender);
  void DatePickerChange(TObject *Sender);
  void DatePickerCloseUp(TObject *Sender);
  void DatePickerDropDown(TObject *Sender);
  void GridButtonClick(TObject *Sender);
protected:
  virtual void DoClickSort(int ACol);

  virtual void DoPrintGetPageNum(int PageNum, int PageColNum, QString &PageNumString);
  virtual void DoCheckBoxClick(int ACol, int ARow, bool State);
  virtual void DoUpdateColumnSize(int ACol, int &AWidth);
  virtual void DoEllipsClick(int ACol, int ARow, QString &S);
  virtual void DoCanEditCell(int ACol, int ARow, bool &CanEdit);
  virtual void DoSearchFooterAction(const QString &Value, int ACol, int ARow, TSearchAction SearchAction);
  virtual void DoButtonClick(int ACol, int ARow);
  virtual void DoExpandClick(int ACol, int ARow, bool Expanded);
  virtual void DoComboCloseUp(int ARow, int ACol);
  virtual void DoComboDropDown(int ARow, int ACol);
  virtual void DoGetCellCursor(int ACol, int ARow, int X, int Y);
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
  virtual void DoScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax);
  virtual void DoCanShowFixedDropDown(int ACol, bool &CanShow);
  virtual void DoStartBlockFocus() {}
  virtual void DoEndBlockFocus() {}
  virtual void ExportNotification(int AState, int ARow) {}
  virtual void ImportNotification(int AState, int ARow) {}

  // The base grid's hook for a cell's default font, colours, alignment, wrap and gradient.
  void GetCellDefaults(int ACol, int ARow, TFont *AFont, TBrush *ABrush, TColor &ColorTo,
                       TColor &ColorMirror, TColor &ColorMirrorTo, TAlignment &HAlign,
                       TVAlignment &VAlign, bool &WordWrap, TCellGradientDirection &GradientDir) override;

  // --- update lock, grid timer, component messages (core/update_lock.cpp) ---
public:
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
private:
  static constexpr uintptr_t GridTimerID = 111;

  // --- window lifecycle and settings copy (core/window_lifecycle.cpp) ---
public:
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

  virtual void AssignCells(TPersistent *Source);
protected:
  void CreateWnd() override;
  void Loaded() override;
  void Resize() override;
  TInplaceEdit *CreateEditor() override;
  QString GetEditMask(int ACol, int ARow) override;

  // --- dimensions: counts, fixed rows and columns, current cell, saved range (core/dimensions.cpp) ---
public:
  // The width of column 0 and the height of the fixed rows.
  int FixedColWidth() const { return ColWidths(0); }
  void SetFixedColWidth(int Value);
  int FixedRowHeight() const { return FFixedRowHeight; }
  void SetFixedRowHeight(int Value);

  // Counts and positions are display ones (hidden rows and columns left out); the All... and
  // Total... counts include the hidden ones. The setters keep fixed rows, footers, scroll bars
  // and synchronised grids in step.
  void SetRowCount(int Value);
  void SetColCount(int Value);
  // 1 when the inherited value is 0 and the fixed row (column) is kept always.
  int FixedRows() const;
  void SetFixedRows(int Value);
  int FixedCols() const;
  void SetFixedCols(int Value);
  int FixedFooters() const { return FFixedFooters; }
  void SetFixedFooters(int Value);
  int FixedRightCols() const { return FFixedRightCols; }
  void SetFixedRightCols(int Value);
  TAlignment DefaultAlignment() const { return FDefaultAlignment; }
  void SetDefaultAlignment(TAlignment Value);
  void SetDefaultRowHeight(int Value);
  bool WordWrap() const { return FWordWrapEx; }
  void SetWordWrap(bool Value);
  void SetCol(int Value);
  int GetRowEx() const { return TCustomGrid::Row(); }
  void SetRowEx(int Value);
  void SetRow(int Value) { SetRowEx(Value); }
  int GetTopRowEx() const { return TCustomGrid::TopRow(); }
  // Ignored outside FixedRows .. RowCount - 1.
  void SetTopRowEx(int Value);
  void SetTopRow(int Value) { SetTopRowEx(Value); }
  int AllRowCount() const { return TotalRowCount(); }
  int TotalRowCount() const { return RowCount() + NumHiddenRows(); }
  int MaxRowCount() const { return FMaxRowCount; }
  int MaxColCount() const { return FMaxColCount; }
  // The cells the exporters write: everything, or the normal cells without the fixed ones.
  int SaveStartCol() const;
  int SaveStartRow() const;
  int SaveEndCol() const;
  int SaveEndRow() const;
  int SaveColCount() const;
  int SaveRowCount() const;
private:
  void SetRowCountRaw(int Value);

  // --- hidden columns (core/hidden_columns.cpp) ---
public:
  // Columns including hidden ones.
  int AllColCount() const;

  // Hidden columns keep their cells under their real index; only the display count and the
  // display widths change. Real indexes 0 .. MaxHiddenColumns - 1 can be hidden and mapped.
  static constexpr int MaxHiddenColumns = TColumnIndexMap::Capacity;
  void HideColumn(int ColIndex) { HideColumns(ColIndex, ColIndex); }
  void HideColumns(int FromCol, int ToCol);
  void UnHideColumn(int ColIndex) { UnHideColumns(ColIndex, ColIndex); }
  void UnHideColumns(int FromCol, int ToCol);
  void UnHideColumnsAll();
  bool IsHiddenColumn(int ColIndex) const;
  int NumHiddenColumns() const { return FHiddenCols.HiddenCount(); }
  int TotalColCount() const override { return ColCount() + FHiddenCols.HiddenCount(); }
  int RealColIndex(int ACol) const { return DisplToRealCol(ACol); }
  int DisplColIndex(int ACol) override { return RealToDisplCol(ACol); }
  int GetRealCol() const { return DisplToRealCol(Col()); }
  int RealCol() const { return GetRealCol(); }
  // Real index: the remembered width while hidden, else the display width.
  int AllColWidths(int ACol) const;
  void SetAllColWidths(int ACol, int Value);
  bool IsIgnoredColumn(int ACol) const;
  int DisplToRealCol(int ACol) const;
  int RealToDisplCol(int ACol) const;
  // For the column removal: real columns ColIndex .. ColIndex + CCount - 1 left the cell store.
  // Their visibility flags and remembered widths go, the hidden count drops by the hidden ones
  // among them, and the display count and widths lose the shown ones only.
  void HiddenColumnsRemoved(int ColIndex, int CCount);

  // --- hidden rows (core/hidden_rows.cpp) ---
  // Hidden rows leave the display: their cells, objects and height wait in a record of the
  // hidden-row store until shown again. Rows hidden by HideRow(s)/HideRowsEx carry
  // HiddenRowLevel; each HideRowList call (a filter step) adds one level from 0 up.
  static constexpr int HiddenRowLevel = -1;
  void HideRow(int RowIndex) { HideRows(RowIndex, RowIndex); }
  void HideRows(int FromRow, int ToRow);
  void HideRowsEx(int FromRow, int ToRow);
  // Display rows, ascending; they leave as one new filter level.
  void HideRowList(TIntList *RowList);
  void HideSelectedRows();
  void HideUnSelectedRows();
  void UnHideRow(int RowIndex) { UnHideRows(RowIndex, RowIndex); }
  // Nothing unless FromRow itself is hidden.
  void UnHideRows(int FromRow, int ToRow);
  void UnHideRowsAll();
  // Shows the rows of the most recent filter level; the caller lowers the level.
  void UnHideRowList();
  bool IsHiddenRow(int RowIndex) const;
  // The same test; a null ListHidden receives a list of every hidden row (the caller frees it).
  bool IsHiddenRow(int RowIndex, TIntList *&ListHidden) const;
  int NumHiddenRows() const { return FHiddenRows.Count(); }
  // Filter levels in force; the filter lowers it after UnHideRowList.
  int FilterLevel() const { return FFilterLevel; }
  void SetFilterLevel(int Value) { FFilterLevel = Value; }
  int RealRowIndex(int ARow) const { return DisplToRealRow(ARow); }
  int DisplRowIndex(int ARow) const { return RealToDisplRow(ARow); }
  int GetRealRow() const { return DisplToRealRow(Row()); }
  int RealRow() const { return GetRealRow(); }
  int DisplToRealRow(int ARow) const;
  int RealToDisplRow(int ARow) const;
  // The texts (with their objects) of hidden real row Idx, or nullptr when it is shown.
  TStrings *HiddenRowItems(int Idx) const;
private:
  // Takes display row D into a new hidden-row record for real row Real.
  TGridItem *TakeDisplayRow(int D, int Real, int Level);
  // Puts a record's cells and height into display row D.
  void RestoreDisplayRow(int D, TGridItem *Item);
  // Closes the gaps of the given display rows (ascending) and lowers the count.
  void CutDisplayRows(const std::vector<int> &Rows);
  // Raises the count and opens empty rows at the given final display positions (ascending).
  void OpenDisplayRows(const std::vector<int> &Rows);
  // Shows the hidden rows picked (ascending real indexes) and frees their records.
  void ShowHiddenRows(const std::vector<TRowIndexMap::TEntry> &Rows);
  // Hides the given display rows (any order) as records of the given level.
  void HideDisplayRows(const std::vector<int> &Rows, int Level);
  bool DisplayRowSelected(int D);

  // --- cell access: cells by real row, per-cell style, current cell (core/cell_access.cpp) ---
public:
  QString WideCells(int ACol, int ARow) { return Cells(ACol, ARow); }
  void SetWideCells(int ACol, int ARow, const QString &Value) { SetCells(ACol, ARow, Value); }

  // Cells by real row, hidden rows included.
  QString AllCells(int ACol, int ARow);
  void SetAllCells(int ACol, int ARow, const QString &Value);
  QString AllGridCells(int ACol, int ARow);
  void SetAllGridCells(int ACol, int ARow, const QString &Value);
  QString AllWideCells(int ACol, int ARow) { return AllCells(ACol, ARow); }
  void SetAllWideCells(int ACol, int ARow, const QString &Value) { SetAllCells(ACol, ARow, Value); }
  TObject *AllObjects(int ACol, int ARow);
  void SetAllObjects(int ACol, int ARow, TObject *Value);
  // The raw slot of a real row, shown or hidden.
  TObject *GetGridObjectEx(int ACol, int ARow);
  // Cells by their row before the last sort.
  QString UnSortedCells(int ACol, int ARow) { return Cells(ACol, UnSortedRowIndex(ARow)); }
  void SetUnSortedCells(int ACol, int ARow, const QString &Value) { SetCells(ACol, UnSortedRowIndex(ARow), Value); }
  // Cells by their column before column moves.
  QString OriginalCells(int ACol, int ARow) { return Cells(ColumnPosition(ACol), ARow); }
  void SetOriginalCells(int ACol, int ARow, const QString &Value) { SetCells(ColumnPosition(ACol), ARow, Value); }
  int SortedRowIndex(int ARow);
  int UnSortedRowIndex(int ARow);
  QString CurrentCell() { return GetCurrentCell(); }

  // Per-cell style ([real column, display row]); a cell without properties reads the neutral value.
  TColor Colors(int ACol, int ARow);
  void SetColors(int ACol, int ARow, TColor Value);
  TColor ColorsTo(int ACol, int ARow);
  void SetColorsTo(int ACol, int ARow, TColor Value);
  TCellGradientDirection Gradients(int ACol, int ARow);
  void SetGradients(int ACol, int ARow, TCellGradientDirection Value);
  TColor FontColors(int ACol, int ARow);
  void SetFontColors(int ACol, int ARow, TColor Value);
  TFontStyles FontStyles(int ACol, int ARow);
  void SetFontStyles(int ACol, int ARow, TFontStyles Value);
  int FontSizes(int ACol, int ARow);
  void SetFontSizes(int ACol, int ARow, int Value);
  QString FontNames(int ACol, int ARow);
  void SetFontNames(int ACol, int ARow, const QString &Value);
  TFont *Fonts(int ACol, int ARow) { return GetCellFont(ACol, ARow); }
  void SetFonts(int ACol, int ARow, TFont *Value);
  TAlignment Alignments(int ACol, int ARow);
  void SetAlignments(int ACol, int ARow, TAlignment Value);
  bool ReadOnly(int ACol, int ARow);
  void SetReadOnly(int ACol, int ARow, bool Value);
  bool WordWraps(int ACol, int ARow);
  void SetWordWraps(int ACol, int ARow, bool Value);
  int LinesInCell(int ACol, int ARow);
  QString StrippedCells(int ACol, int ARow);
  // Whole display rows, over the real columns from FixedCols; clNone takes back that colour only.
  void SetRowColor(int ARow, TColor Value);
  void SetRowColorTo(int ARow, TColor Value);
  void SetRowFontColor(int ARow, TColor Value);

  // Selection and the queries derived from it.
  void SetSelection(const TGridRect &Value);
  void HideSelection();
  void UnHideSelection();
  bool SelectionHidden() const { return FSelHidden; }
  void UpdateEditMode();
  bool SelectedCells(int ACol, int ARow);
  void SetSelectedCells(int ACol, int ARow, bool Value);
  TGridCoord SelectedCell(int i);
  int SelectedCellsCount();
  int SelectedRowCount();
  int SelectedColCount();
  int SelectedRow(int i);
  void ClearSelectedCells();
  void ClearModifiedRows();
  virtual TGridRect GetUsedCellsRect();
  TGridRect UsedCells() { return GetUsedCellsRect(); }
  void ScreenToCell(TPoint pt, int &ACol, int &ARow);
  void Zoom(int x);

  // The current cell's text: stored (CurrentCell) and with display hooks (...Ex).
  virtual QString GetCurrentCell();
  virtual void SetCurrentCell(const QString &AValue);
  virtual QString GetCurrentCellEx();
  virtual void SetCurrentCellEx(const QString &AValue);
protected:
  virtual void GetUsedCells(int &ACols, int &ARows);
private:
  void SetRowColors(int ARow, TColor Value, void (TCellProperties::*Setter)(TColor));

  // --- rich-text cells (core/rich_cells.cpp) ---
public:
  TZavRichEdit *GetRichEdit();
  TZavRichEdit *GetInplaceRichEdit();

  // Rich-text cells hold an RTF document; an editor takes it and gives it back unchanged.
  void CellToRich(int ACol, int ARow, TRichEdit *RichEditor);
  QString RichToString(TRichEdit *RichEditor);
  void RichToCell(int ACol, int ARow, TRichEdit *RichEditor);
private:
  friend class TZavRichEdit;

  // --- selection: disjunct rows and columns, row flags, moving the current cell (core/selection.cpp) ---
public:
  void RepaintRow(int ARow);
  void RepaintCol(int ACol);

  bool RowSelect(int ARow);
  int RowSelectCount();
  void SelectRows(int RowIndex, int RCount);

  // Disjunct row and column selection, row flags, moving the current cell, repainting.
  void SetRowSelect(int ARow, bool Value);
  bool ColSelect(int ACol);
  void SetColSelect(int ACol, bool Value);
  void UnSelectRows(int RowIndex, int RCount);
  void SelectCols(int ColIndex, int CCount);
  void UnSelectCols(int ColIndex, int CCount);
  void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
  void ClearRowSelect();
  void ClearColSelect();
  void SelectionToRowSelect(bool Reset);
  void SelectionToColSelect(bool Reset);
  int ColSelectCount();
  void GotoCell(int ACol, int ARow);
  void EditCell(int ACol, int ARow);
  using TBaseGrid::FocusCell;
  void FocusCell(int ACol, int ARow);
  void MoveCellFocus(int ACol, int ARow);
  bool RowModified(int ARow);
  void SetRowModified(int ARow, bool Value);
  int ModifiedRowCount();
  bool RowEnabled(int ARow);
  void SetRowEnabled(int ARow, bool Value);
  bool UseEnabledRows() const { return FUseEnabledRows; }
  void RepaintRect(TRect r);
protected:
  virtual void DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
private:
  // Entry i of a disjunct row or column list (nullptr: not selected); grows on demand.
  static bool FlagAt(TList *List, int i);
  static void GrowFlags(TList *List, int Count);

  // --- check boxes and radio buttons (core/check_boxes.cpp) ---
public:
  // Columns are real indexes, rows display rows; with hidden rows the state accessors take real
  // rows. Adding outside the grid raises "Invalid cell".
  void AddCheckBox(int ACol, int ARow, bool State, bool Data);
  void AddCheckBox(int ACol, int ARow, TCheckBoxState State);
  void RemoveCheckBox(int ACol, int ARow);
  bool HasCheckBox(int ACol, int ARow);
  bool HasDataCheckBox(int ACol, int ARow);
  // True when the cell holds a check box of a kind the form reads; State is written only then.
  bool GetCheckBoxState(int ACol, int ARow, bool &State);
  bool GetCheckBoxState(int ACol, int ARow, TCheckBoxState &State);
  bool IsChecked(int ACol, int ARow);
  // Without events.
  bool SetCheckBoxState(int ACol, int ARow, bool State);
  bool SetCheckBoxState(int ACol, int ARow, TCheckBoxState State);
  // Fires OnCheckBoxChange when the state really changes.
  bool ChangeCheckBoxState(int ACol, int ARow, bool State);
  bool ToggleCheckBox(int ACol, int ARow) { return DoToggleCheckBox(ACol, ARow, false); }
  static TCheckBoxState BoolToCheckBoxState(bool bChecked) { return bChecked ? cbChecked : cbUnchecked; }
  void AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox);
  void AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State);
  void RemoveCheckBoxColumn(int ACol);
  void CheckAll(int ACol);
  void UnCheckAll(int ACol);
  bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);

  void AddRadioButton(int ACol, int ARow, bool State);
  void RemoveRadioButton(int ACol, int ARow);
  bool HasRadioButton(int ACol, int ARow);
  bool IsRadioButtonChecked(int ACol, int ARow);
  bool SetRadioButtonState(int ACol, int ARow, bool State);
  void AddRadioButtonColumn(int ACol);
  void RemoveRadioButtonColumn(int ACol);
  void SetRadioButtonColumnIndex(int ACol, int Index);
  int GetRadioButtonColumnIndex(int ACol);
  // A radio group on the caller's list (it stays the caller's).
  void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings *sl);
  // A radio group on a list the cell owns; nullptr outside the grid.
  TStrings *CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
  bool IsRadio(int ACol, int ARow);
  void RemoveRadio(int ACol, int ARow);
  bool GetRadioIdx(int ACol, int ARow, int &IdxRadio);
  bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
  TStrings *GetRadioStrings(int ACol, int ARow);
  bool SelectNextRadio(int ACol, int ARow, bool CheckEditable);
protected:
  virtual bool DoToggleCheckBox(int ACol, int ARow, bool CheckEditable);
  virtual bool DoToggleRadioButton(int ACol, int ARow, bool CheckEditable);
  virtual void DoCanAddRow(bool &CanAdd);
  virtual void DoCanInsertRow(int ARow, bool &CanInsert);
  virtual void DoCheckBoxChange(int ACol, int ARow, bool State);
  virtual bool DoRatingChange(int ACol, int ARow, double &NewRate);
private:
  // The graphic and text of a check box as the state accessors see it: with hidden rows the row
  // is real and the cell's own properties are looked up first, else the display lookup.
  struct TCheckBoxCell {
    TCellGraphic *Graphic = nullptr;
    bool RealRow = false;  // found through the real row: texts go through AllCells
  };
  TCheckBoxCell FindCheckBoxCell(int ACol, int ARow);
  QString CheckBoxCellText(const TCheckBoxCell &Cell, int ACol, int ARow);
  void SetCheckBoxCellText(const TCheckBoxCell &Cell, int ACol, int ARow, const QString &Value);
  QString CheckTrueText(int ACol, int ARow);
  QString CheckFalseText(int ACol, int ARow);
  // Throws "Invalid cell" outside the grid, negative indexes included.
  void CheckAddCell(int ACol, int ARow);
  TCellVAlign CheckBoxVAlign() const;
  // The start row of check-box columns.
  int CheckColumnStartRow();

  // --- cell graphics and cell controls (core/cell_graphic.cpp, core/cell_graphics_ops.cpp) ---
public:
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

  // Column lookup.
  int ColumnByHeader(const QString &Value);
  // Positions before any column move (the column-order list), a grouped column left out.
  int ColumnPosition(int ACol);
  int ColumnAtPosition(int APosition);

  // Add... replaces the cell's graphic; objects handed in stay the caller's. Create... gives the
  // cell an object it owns and returns it for filling. Remove... takes only a graphic of its own
  // kind; the queries answer nil, -1 or clNone for a cell without the kind.
  void AddInterfacedCell(int ACol, int ARow, TInterfacedPersistent *AObject);
  TInterfacedPersistent *GetInterfacedCell(int ACol, int ARow);
  void RemoveInterfacedCell(int ACol, int ARow);
  void AddBitmap(int ACol, int ARow, TBitmap *ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
  TBitmap *CreateBitmap(int ACol, int ARow, bool transparent, TCellHAlign hal, TCellVAlign val);
  TBitmap *GetBitmap(int ACol, int ARow);
  bool HasBitmap(int ACol, int ARow) { return GetBitmap(ACol, ARow) != nullptr; }
  void RemoveBitmap(int ACol, int ARow);
  void AddPicture(int ACol, int ARow, TPicture *APicture, bool transparent, TStretchMode stretchmode, int padding,
                  TCellHAlign hal, TCellVAlign val);
  TPicture *CreatePicture(int ACol, int ARow, bool transparent, TStretchMode stretchmode, int padding,
                          TCellHAlign hal, TCellVAlign val);
  TPicture *GetPicture(int ACol, int ARow);
  bool HasPicture(int ACol, int ARow) { return GetPicture(ACol, ARow) != nullptr; }
  void RemovePicture(int ACol, int ARow);
  void AddFilePicture(int ACol, int ARow, TFilePicture *AFilePicture, bool Transparent, TStretchMode stretchmode,
                      int padding, TCellHAlign hal, TCellVAlign val);
  TFilePicture *CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode stretchmode, int padding,
                                  TCellHAlign hal, TCellVAlign val);
  TFilePicture *GetFilePicture(int ACol, int ARow);
  void RemoveFilePicture(int ACol, int ARow);
  void AddIcon(int ACol, int ARow, TIcon *AIcon, TCellHAlign hal, TCellVAlign val);
  TIcon *CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val);
  void RemoveIcon(int ACol, int ARow);
  // Image-list kinds need GridImages; without it they do nothing.
  void AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
  bool GetImageIdx(int ACol, int ARow, int &idx);
  void SetImageIdx(int ACol, int ARow, int Idx);
  void RemoveImageIdx(int ACol, int ARow);
  // The painter shows the image whose index is the cell text; an empty text takes the index.
  void AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
  bool HasDataImage(int ACol, int ARow);
  void RemoveDataImage(int ACol, int ARow);
  void AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val);
  void RemoveMultiImage(int ACol, int ARow);
  void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
  void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor, TColor BKTextColor);
  void AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                            TColor BKTextColor, const QString &Fmt, int Min, int Max);
  bool HasProgress(int ACol, int ARow);
  void RemoveProgress(int ACol, int ARow);
  void AddZavProgress(int ACol, int ARow, int Min, int Max);
  void RemoveZavProgress(int ACol, int ARow);
  void AddProgressPie(int ACol, int ARow, TColor Color, int Value);
  void SetProgressPie(int ACol, int ARow, int Value);
  void RemoveProgressPie(int ACol, int ARow);
  void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
  void RemoveRangeIndicator(int ACol, int ARow);
  void AddComment(int ACol, int ARow, const QString &Comment);
  void AddColorComment(int ACol, int ARow, const QString &Comment, TColor Color);
  bool IsComment(int ACol, int ARow, QString &comment);
  QString GetComment(int ACol, int ARow);
  // A cell without a graphic gets a comment; a cell with another kind is left alone.
  void SetComment(int ACol, int ARow, const QString &Value);
  QString CellComment(int ACol, int ARow) { return GetComment(ACol, ARow); }
  void SetCellComment(int ACol, int ARow, const QString &Value) { SetComment(ACol, ARow, Value); }
  void RemoveComment(int ACol, int ARow);
  void RemoveAllComments();
  void AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                TCellVAlign val);
  void SetShapeColor(int ACol, int ARow, TColor FillColor);
  TColor GetShapeColor(int ACol, int ARow);
  void RemoveShape(int ACol, int ARow);
  void AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor);
  bool HasRating(int ACol, int ARow);
  void RemoveRating(int ACol, int ARow);
  void AddScrollBar(int ACol, int ARow, bool AutoRange);
  bool HasScrollBar(int ACol, int ARow);
  bool HasAutoRangeScrollBar(int ACol, int ARow);
  void RemoveScrollBar(int ACol, int ARow);
  void SetScrollPosition(int ACol, int ARow, int Pos);
  int GetScrollPosition(int ACol, int ARow);
  void SetScrollProp(int ACol, int ARow, TScrollProp Prop);
  TScrollProp GetScrollProp(int ACol, int ARow);
  // An error marker on the cell text; a cell's graphic keeps its kind.
  void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
  void RemoveMarker(int ACol, int ARow);
  void RemoveAllMarkers();
  void GetMarker(int ACol, int ARow, int &ErrPos, int &ErrLen);
  void AddButton(int ACol, int ARow, int bw, int bh, const QString &Caption, TCellHAlign hal, TCellVAlign val);
  void AddBitButton(int ACol, int ARow, int bw, int bh, const QString &Caption, TBitmap *Glyph, TCellHAlign hal,
                    TCellVAlign val);
  TBitmap *CreateBitButton(int ACol, int ARow, int bw, int bh, const QString &Caption, TCellHAlign hal,
                           TCellVAlign val);
  // Caption, pushed state and rectangle of the button at the real column of ACol.
  void SetButtonText(int ACol, int ARow, const QString &Caption);
  QString GetButtonText(int ACol, int ARow);
  void PushButton(int ACol, int ARow, bool push);
  bool HasButton(int ACol, int ARow);
  void RemoveButton(int ACol, int ARow);
  void RemoveBitButton(int ACol, int ARow);
  void RemoveAllButtons();
  TRect GetCellButtonRect(int ACol, int ARow);
private:
  // The control look's sizes and style as the graphics read them.
  int GraphicCheckSize();
  int GraphicRadioSize();
  bool GraphicFlatControls();
  TPoint GraphicXYOffset();

  // --- typed access, headers, fills, highlighting, cell checks (core/typed_access.cpp) ---
public:
  // Typed views of the cell texts. Ints, Floats, Dates, Times and ControlValues take display
  // rows; the All... forms real rows (hidden rows included). A text that is no number raises
  // EZavGridError; an empty text or a lone "-" reads as 0.
  int Ints(int ACol, int ARow) { return GetInts(ACol, ARow); }
  int GetInts(int ACol, int ARow);
  void SetInts(int ACol, int ARow, int Value);
  int AllInts(int ACol, int ARow) { return GetAllInts(ACol, ARow); }
  int GetAllInts(int ACol, int ARow);
  void SetAllInts(int ACol, int ARow, int Value);
  double Floats(int ACol, int ARow) { return GetFloats(ACol, ARow); }
  double GetFloats(int ACol, int ARow);
  // Written with the cell's float format; a format that does not fit a float raises EConvertError.
  void SetFloats(int ACol, int ARow, double Value);
  double AllFloats(int ACol, int ARow) { return GetAllFloats(ACol, ARow); }
  double GetAllFloats(int ACol, int ARow);
  void SetAllFloats(int ACol, int ARow, double Value);
  // The locale's short date and time formats; a text that is no date raises EConvertError.
  TDateTime Dates(int ACol, int ARow);
  // A value of 0 or less empties the cell unless ShowNullDates.
  void SetDates(int ACol, int ARow, TDateTime Value);
  TDateTime Times(int ACol, int ARow);
  void SetTimes(int ACol, int ARow, TDateTime Value);
  // The value of the embedded control ID of the cell (empty without one).
  QString ControlValues(int ACol, int ARow, const QString &ID);
  void SetControlValues(int ACol, int ARow, const QString &ID, const QString &Value);
  // Print width and left offset of a column from the last print pass (0 .. 511).
  int PrintColWidth(int ACol) { return GetPrintColWidth(ACol); }
  int GetPrintColWidth(int ACol);
  int PrintColOffset(int ACol) { return GetPrintColOffset(ACol); }
  int GetPrintColOffset(int ACol);

  void SetLookupItems(TStringList *Value);
  void SetFixedFont(TFont *Value);
  void SetColumnHeaders(TStringList *Value);
  void ClearColumnHeaders();
  void SetRowHeaders(TStringList *Value);
  void ClearRowHeaders();

  // Fills: rows outer, columns inner; DoFixed takes the fixed cells too. CellsLoaded runs once.
  void TextFill(bool DoFixed, const QString &Txt);
  // Fmt gets two integers, column then row; a format that does not fit raises EConvertError.
  void FormatFill(bool DoFixed, const QString &Fmt);
  // Integers 0 .. Rnd - 1; a range of 0 or less writes 0.
  void RandomFill(bool DoFixed, int Rnd);
  void LinearFill(bool DoFixed);
  // Exchanges the stored texts and the properties (with their graphics) of two cells.
  void SwapCells(TGridCoord FromCell, TGridCoord ToCell);

  // Highlighting ("hi" tags) and error marks ("e" tags) in texts and cell ranges. Adding tags
  // rewrites every base cell of the range entity-encoded; removing them decodes the entities.
  QString HilightText(bool DoCase, const QString &S, const QString &Text);
  QString UnHilightText(const QString &S);
  QString MarkText(bool DoCase, const QString &S, const QString &Text);
  QString UnMarkText(const QString &S);
  void HilightInCell(bool DoCase, int Col, int Row, const QString &HiText);
  void MarkInCell(bool DoCase, int Col, int Row, const QString &HiText);
  void UnHilightInCell(int Col, int Row);
  void UnMarkInCell(int Col, int Row);
  void HilightInCol(bool DoFixed, bool DoCase, int Col, const QString &HiText);
  void MarkInCol(bool DoFixed, bool DoCase, int Col, const QString &HiText);
  void UnHilightInCol(bool DoFixed, int Col);
  void UnMarkInCol(bool DoFixed, int Col);
  void HilightInRow(bool DoFixed, bool DoCase, int Row, const QString &HiText);
  void MarkInRow(bool DoFixed, bool DoCase, int Row, const QString &HiText);
  void UnHilightInRow(bool DoFixed, int Row);
  void UnMarkInRow(bool DoFixed, int Row);
  void HilightInGrid(bool DoFixed, bool DoCase, const QString &HiText);
  void MarkInGrid(bool DoFixed, bool DoCase, const QString &HiText);
  void UnHilightInGrid(bool DoFixed);
  void UnMarkInGrid(bool DoFixed);

  // The cell checker's pass: True when every cell passed (without a checker, always).
  bool CheckCell(int Col, int Row);
  bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
  bool CheckCol(bool DoFixed, int Col);
  bool CheckRow(bool DoFixed, int Row);
  bool CheckGrid(bool DoFixed);
protected:
  virtual bool GetFloatFormat(int ACol, int ARow, bool &IsFloat, QString &FloatFormat);
  virtual void ColumnHeadersChanged();

  void ShowColumnHeaders();
  void ShowRowHeaders();
private:
  // Base cells of the rectangle, tag added or removed.
  void HilightRange(int FromCol, int FromRow, int ToCol, int ToRow, const QString &Tag, bool DoCase,
                    const QString &HiText);
  void UnHilightRange(int FromCol, int FromRow, int ToCol, int ToRow, const QString &Tag);
  QString HilightSourceText(int ACol, int ARow);
  // The range of the fills and checks: full, or the normal cells.
  TGridRect FillRange(bool DoFixed);

  // --- display and saved texts, balloons, rotated texts, property writers (core/text_conversion.cpp) ---
public:
  // Balloon hints and rotated texts ride on the cell graphic; a check box or radio button
  // carries a balloon beside its own kind.
  void AddBalloon(int ACol, int ARow, const QString &Title, const QString &Text, TBalloonIcon Icon);
  void RemoveBalloon(int ACol, int ARow);
  bool HasBalloon(int ACol, int ARow);
  bool IsBalloon(int ACol, int ARow, QString &Title, QString &Text, TBalloonIcon &Icon);
  void AddRotated(int ACol, int ARow, int16_t AAngle, const QString &s);
  void SetRotated(int ACol, int ARow, int16_t AAngle);
  void RemoveRotated(int ACol, int ARow);
  bool IsRotated(int ACol, int ARow, int &aAngle);
  // The sort glyph is drawn in this cell's row.
  bool IsSortGlyphRow(int ACol, int ARow);

  bool SaveWithRTF() const { return FSaveWithRTF; }
  void SetSaveWithRTF(bool Value) { FSaveWithRTF = Value; }
  bool SpreadSheet() const { return FSpreadSheet; }
  // Switches on the range selection and editing options whatever the value.
  void SetSpreadSheet(bool Value);
  void SetSortSettings(TSortSettings *Value);
  void SetDragScrollOptions(TDragScrollOptions *Value);
protected:
  void GetDisplText(int ACol, int ARow, QString &Value) override;
  // Links and group counts of the display text, kept out of the per-cell read path.
  void DecorateDisplText(int ACol, int ARow, QString &Value);

  virtual void DoFixedEdit(int ACol, int ARow, TGridFixedCellEditor &AEditor, TStrings *Values);
  virtual QString GetDisplCellText(int ACol, int ARow);
  virtual QString GetSaveCellText(int ACol, int ARow);
  virtual void SetLoadedCellText(int ACol, int ARow, const QString &Value);

  // --- persistence: column states, looks, print settings (core/persistence.cpp) ---
public:
  void SaveColSizes();
  void LoadColSizes();
  void SetColumnOrder();

  // The column widths, order and visibility as one text "N#widths#order#visibility".
  QString ColumnStatesToString();
  void StringToColumnStates(const QString &Value);
  // Puts the columns back into the order the column-order list records (all shown).
  void ResetColumnOrder();
  // "name=value" lines of the look; raise EZavGridError when the file cannot be made or read.
  void SaveVisualProps(const QString &FileName);
  void LoadVisualProps(const QString &FileName);
  // The print settings in section Section of the INI file Key.
  void SavePrintSettings(const QString &Key, const QString &Section);
  void LoadPrintSettings(const QString &Key, const QString &Section);

  virtual void SaveColPositions();
  virtual void LoadColPositions();

  // --- filtering (core/filtering.cpp) ---
  int FilterColumn() const { return FFilterColumn; }
  void SetFilterColumn(int Value) { FFilterColumn = Value; }

  // Writing FilterActive applies the filter as one new hidden-row level or lifts the newest one.
  bool FilterActive() const { return FFilterActive; }
  void SetFilterActive(bool Value);
  bool FilterDropDownAuto() const { return FFilterDropDownAuto; }
  void SetFilterDropDownAuto(bool Value);
  int FilterDropDownRow() const { return FFilterDropDownRow; }
  void SetFilterDropDownRow(int Value);
  // Hides every normal row that fails MatchFilter, as one new level (also when none fails).
  void ApplyFilter();
  // Hides display row ARow when it fails MatchFilter (no level of its own).
  void FilterRow(int ARow);
  // Lifts the newest level; true while more than one level remains.
  bool RemoveLastFilter();
  // Lifts every filter level; rows hidden otherwise stay hidden. With no level in force the
  // conditions go instead.
  void RemoveAllFilters();
  // A typed search text as a filter that narrows or widens one level per character
  // (AColumn -1: anywhere in the row).
  void NarrowDown(const QString &ACondition, int AColumn);
  // The filter drop-down's check list after a change: Checked[i] for entry i of FilterList.
  void ApplyFilterChecks(const std::vector<bool> &Checked);
protected:
  virtual void DoFilterDone();
  virtual bool MatchFilter(int ARow);
  virtual void DoFilterSelect(int ItemIndex);
  virtual void DoFilterCheck();
private:
  // Lifts the newest filter level: rows, fixed rows and a hidden selection come back.
  void LiftFilterLevel();

  // --- find, replace and the search footer (core/find.cpp) ---
public:
  // The next matching cell after StartCell ((-1, -1): from the first cell, included), or
  // (-1, -1). Columns are display ones unless fnIncludeHiddenColumns, rows display ones unless
  // fnIncludeHiddenRows. An empty text finds nothing.
  TPoint Find(TPoint StartCell, const QString &Text, TFindParams FindParams);
  TPoint FindWide(TPoint StartCell, const QString &Text, TFindParams FindParams);
  TPoint FindFirst(const QString &Text, TFindParams FindParams);
  TPoint FindNext();
  // Replaces OrigStr (case as fnMatchCase) in every found cell once; the number of cells changed.
  int Replace(const QString &OrigStr, const QString &NewStr, TFindParams FindParams);
  // The incremental search: the first row whose sort column starts with the upper-case Text.
  int Search(const QString &Text);
  TPoint SearchCell() const { return FSearchCell; }
  // Search footer handlers, wired to the search panel's notifications.
  void SearchEditChange(TObject *Sender);
  void SearchForwardClick(TObject *Sender);
  void SearchBackwardClick(TObject *Sender);
  void SearchCloseClick(TObject *Sender);
  void SearchHighlightClick(TObject *Sender);
private:
  bool MatchFindCell(int ACol, int ARow);
  TPoint FindCells(TPoint StartCell, const QString &Text, TFindParams FindParams);
  void GotoFoundCell(TPoint Cell);
  // Real column and the text of a found cell in the scan's index space.
  int FoundRealCol(int ACol) const;
  QString FoundCellText(int ACol, int ARow);
  void SearchFooterStep(bool Backward);

  // --- scrolling, sizing, footer figures, drag scrolling (core/scrolling.cpp) ---
public:
  void InitOrigColSizes();
  void UpdateProportionalVertScroll();

  // Stretches the column (-1: the last one) so that the columns fill the client width.
  void StretchColumnToFit(int Index);

  void ScrollInView(int ColIndex, int RowIndex);
  void UpdateFooter();
  void LastRowChanged() override;
  void StretchRightColumn() { StretchColumnToFit(ColCount() - 1); }
  bool IsOnFixedSizingBorder(int X, int Y);
  void RegisterNotifier(TGridChangeNotifier *ANotifier);
  void UnRegisterNotifier(TGridChangeNotifier *ANotifier);
  bool UsesStyleEngine() override { return FUseStyleEngine; }
  bool UseStyleEngine() const { return FUseStyleEngine; }
  void SetUseStyleEngine(bool Value) { FUseStyleEngine = Value; }
  void SetAutoThemeAdapt(bool Value);
  void SetScrollProportional(bool Value);
  void UpdateProportionalHorzScroll();
  bool ScrollLock() const { return FScrollLock; }
  void SetScrollLock(bool Value) { FScrollLock = Value; }
  // The mouse handlers record the column or row the user starts sizing and its size.
  void BeginUserColSizing(int ACol) { FSizingCol = ACol; FSizingColWidth = ColWidths(ACol); }
  void BeginUserRowSizing(int ARow) { FSizingRow = ARow; FSizingRowHeight = RowHeights(ARow); }
  // One tick of drag auto-scrolling (the drag timer's); Leaving stops it.
  void DragScrollOver(int X, int Y, bool Leaving);
  void DragScrollTick();
  TDragScrollDirection DragScrollDir() const { return FDragScrollDir; }
  bool DragScrollTimerActive() const;
  void WMHScroll(TWMScroll &Message) override;
  void WMVScroll(TWMScroll &Message) override;
  void WMGetDlgCode(TWMGetDlgCode &Message) override;
  void Notification(TComponent *AComponent, TOperation Operation) override;
  // The hint window shown while a thumb is dragged (nullptr when none shows).
  THTMLHintWindow *ScrollHintWindow() const { return FScrollHintWnd.get(); }

  virtual void CalcFooter(int ACol);
protected:
  void ColWidthsChanged() override;
  void RowHeightsChanged() override;
  void SizeChanged(int OldColCount, int OldRowCount) override;
  void CalcSizingState(int X, int Y, TGridState &State, int &Index, int &SizingPos, int &SizingOfs,
                       TGridDrawInfo &FixedInfo) override;

  virtual void DoCalcFooter(int ACol);
private:
  void CreateThinBars();
  void FreeThinBars();

  void ScrollHint(TWMScroll &Message, bool Vert);
  void ScaleOtherExtents(bool Cols, int Sized, double Factor);
  void HideEditorOnCheckBox();

  // --- floating footer (core/footer.cpp) ---
public:
  TFooterPanel *FooterPanel() const { return FFooterPanel.get(); }
  // The last row is kept out of the cell area (the floating footer shows it).
  bool HideLastRow() const { return FHideLastRow; }
  void SetHideLastRow(bool Value);
private:
  friend class TFloatingFooter;
  friend class TFooterPanel;

  // --- node rows and expand cells (core/nodes.cpp) ---
public:
  bool IsNode(int ARow);
  bool IsSummary(int ARow);

  int GetParentRow(int ARow);
  int GetNodeSpan(int ARow);
  bool GetNodeState(int ARow);

  // Node rows: column 0 holds a ctNode graphic over the rows it owns; rows inside a span have
  // their outline level raised. Operations marked real take a real row, the others display rows.
  void AddNode(int ARow, int Span);  // real
  void MakeSummaryRow(int ARow);     // real
  void RemoveNode(int ARow);         // real
  void RemoveAllNodes();
  bool NodeState(int ARow) { return GetNodeState(ARow); }
  void SetNodeState(int ARow, bool Value);
  int GetNodeLevel(int ARow);
  void SetNodeSpan(int ARow, int Span);
  void UpdateNodeSpan(int ARow, int Delta);
  int GetSubNodeCount(int ARow);
  void UpdateSubNodeCount(int ARow, int Delta);
  // 0 node row, 1 last row of a branch, 2 a row with more of its branch below.
  int GetNodeSpanType(int ARow);
  void ExpandNode(int ARow);    // real
  void ContractNode(int ARow);  // real
  void ExpandAll();
  void ContractAll();
  void InsertNormalRow(int ARow);                // real
  void InsertChildRow(int ARow, int InsertAt);   // real
  void RemoveNormalRow(int ARow);
  void RemoveChildRow(int ARow);                 // real
  bool IsOnNodeGlyph(int ARow, int X);
  bool HasNodes() override;
  int GetNodeIndent(int ARow) override;
  int NumNodes() const { return FNumNodes; }
  // Expand cells switch their row between a collapsed and an expanded height.
  void AddExpand(int ACol, int ARow, int ExpandedHeight);
  void RemoveExpand(int ACol, int ARow);
  bool HasExpand(int ACol, int ARow);
  bool ToggleExpand(int ACol, int ARow);
  bool GetExpandState(int ACol, int ARow);
  int GetExpandHeight(int ACol, int ARow, bool Expanded);
  TRect GetExpandRect(int ACol, int ARow);
protected:
  virtual void InsertRowNodeAware(int ARow);
  virtual void DeleteRowNodeAware(int ARow);
private:
  TCellGraphic *NodeGraphic(int ARow);
  int NodeEnd(int ARow, TCellGraphic *Node);

  // --- row and column operations (core/row_operations.cpp) ---
public:
  // Rows are display rows, columns of the column operations and of the clearing family real
  // columns. Every side table (cell properties, hidden rows and columns, embedded controls, the
  // row flags and disjunct selections) follows the rows and columns that move.
  void AddRow();
  void AddColumn();
  void RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked);
  // ACol is a display column; the first row of each text stays.
  void RemoveDuplicates(int ACol, bool DoCase);
  void RemoveSelectedRows();
  void RemoveUnSelectedRows();
  void RemoveSelectedCols();
  void RemoveUnSelectedCols();
  // Column 1 takes the trimmed "text1 Separator text2" of every normal row; column 2 goes.
  void MergeCols(int ColIndex1, int ColIndex2, const QString &Separator);
  void Clear();
  void ClearAll();
  void ClearRows(int RowIndex, int RCount);
  void ClearCols(int ColIndex, int CCount);
  void ClearNormalRows(int RowIndex, int RCount);
  void ClearNormalCols(int ColIndex, int CCount);
  void ClearNormalCells();
  void ClearSelection();
  void TrimColumn(int ACol);
  void TrimRow(int ARow);
  void TrimAll();
  void ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor);
  void MergeColumnCells(int ColIndex, bool MainMerge);
  void MergeRowCells(int RowIndex, bool MainMerge);
  void SplitColumnCells(int ColIndex);
  void SplitRowCells(int RowIndex);
  void SplitAllCells();
  void SplitAllColumnCells();
  void ApplyMergedColumns();
  // The first cell (row by row) whose stored text equals SubStr.
  bool IsCell(const QString &SubStr, int &ACol, int &ARow);
  bool IsWideCell(int ACol, int ARow);

  virtual void RemoveRows(int RowIndex, int RCount);
  virtual void InsertRows(int RowIndex, int RCount, bool UpdateCellControls = true);
  virtual void RemoveCols(int ColIndex, int CCount);
  virtual void InsertCols(int ColIndex, int CCount);
  virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
  virtual void TrimRect(int ACol1, int ARow1, int ACol2, int ARow2);
protected:
  void DeleteDisplayRows(int ARow, int ACount, bool Full);
  void InsertDisplayRows(int ARow, int ACount, bool UpdateCellControls);

  virtual void RemoveRowsBlock(int RowIndex, int RCount);
  virtual void GrowRowCount(int ACount);

  // The raw removal under the row moves: the rows' objects are the caller's (nothing is freed).
  virtual void RemoveRowsEx(int RowIndex, int RCount);
private:
  // Rows (columns) a removal leaves at least: the fixed ones and, unless they are kept always,
  // one normal row (column).
  int MinRowCount() const;
  int MinColCount() const;
  // The records of hidden rows past real row Real go, with the properties they hold.
  void DropHiddenRowsAfter(int Real);

  // The rows leave (come) as a block: cells, heights when MoveHeights, hidden-row indexes,
  // embedded controls and row flags follow; the count changes. No properties are freed.
  void CutRowBlock(int ARow, int ACount, bool MoveHeights);
  void OpenRowBlock(int ARow, int ACount);
  // The current cell and view after rows left (the remembered ones where they still exist).
  void PlaceAfterRowsRemoved(int OldRow, int OldTop, bool RestoreRow);
  // Frees the cell properties the hidden rows hold in real columns ColIndex .. + CCount - 1
  // and takes those entries out of their records.
  void RemoveHiddenRowColumns(int ColIndex, int CCount);

  // --- column and row moves (core/moves.cpp) ---
public:
  // Moves of display columns and rows with everything that belongs to them.
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);
  void MoveRows(int FromIndex, int ToIndex, int Count);
protected:
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;

  // --- grouping and summary rows (core/grouping.cpp) ---
public:
  // Per-group figures into the header rows, or the summary rows with Grouping.Summary;
  // methods 1 sum, 2 average, 3 minimum, 4 maximum, 5 count, 6 OnGroupCalc, 7 distinct values,
  // 8 standard deviation.
  void GroupCalc(int ColIndex, int Method);
  void GroupSum(int ColIndex);
  void GroupAvg(int ColIndex);
  void GroupMin(int ColIndex);
  void GroupMax(int ColIndex);
  void GroupCount(int ColIndex);
  void GroupCustomCalc(int ColIndex);
  void GroupDistinct(int ColIndex);
  void GroupStdDev(int ColIndex);
  double DoGroupCalc(int ACol, int FromRow, int ToRow);

  virtual void SubGroup(int ColIndex);
  virtual void SubUnGroup(int ColIndex);
  virtual void Group(int ColIndex);
  virtual void UnGroup();
private:
  void ApplyGroupColors(int ACol, int ARow, bool Header, bool Reset);
  void GroupFooterCalc(int ColIndex, int Method, TColumnCalcType Calc);
  // Many rows opened or removed at once. Where nothing but cells and heights belongs to the rows
  // (no hidden rows, cell controls, row flags, selections or floating footer) the rows change
  // place in one pass; otherwise one row at a time, every side table following.
  bool RowsArePlain();
  void RotateRowBlock(int First, int Middle, int Last);
  // One empty row before each display row of Gaps (ascending, as the rows stand before).
  void OpenRowGaps(const std::vector<int> &Gaps);
  // Display rows Rows (ascending) removed, their cell properties freed.
  void DropRows(const std::vector<int> &Rows);

  // --- statistics (data/statistics.cpp) ---
public:
  // Column statistics over the numeric cells of real column ACol; -1 for a bound means all
  // normal rows, a ToRow beyond the shown rows reads real rows (hidden ones included).
  double ColumnSum(int ACol, int FromRow, int ToRow);
  double ColumnAvg(int ACol, int FromRow, int ToRow);
  double ColumnMin(int ACol, int FromRow, int ToRow);
  double ColumnMax(int ACol, int FromRow, int ToRow);
  double ColumnStdDev(int ACol, int FromRow, int ToRow);
  double ColumnDistinct(int ACol, int FromRow, int ToRow);
  // The OnColumnCalc handler's value; 0 without one.
  double ColumnCustomCalc(int ACol, int FromRow, int ToRow);
  // Over the base cells of one row; unreadable cells are skipped, an empty range gives 0.
  double RowSum(int ARow, int FromCol, int ToCol);
  double RowAvg(int ARow, int FromCol, int ToCol);
  double RowMin(int ARow, int FromCol, int ToCol);
  double RowMax(int ARow, int FromCol, int ToCol);
  // Running numbers over the normal rows (columns), leaving out AutoNumberStart of them.
  void AutoNumberCol(int ACol);
  void AutoNumberRow(int ARow);
  int AutoNumberStart() const { return FAutoNumberStart; }
  void SetAutoNumberStart(int Value) { FAutoNumberStart = Value; }
  int AutoNumberOffset() const { return FAutoNumberOffset; }
  void SetAutoNumberOffset(int Value) { FAutoNumberOffset = Value; }
  TSortDirection AutoNumberDirection() const { return FAutoNumberDirection; }
  void SetAutoNumberDirection(TSortDirection Value) { FAutoNumberDirection = Value; }
  void SelectCells(int FromCol, int FromRow, int ToCol, int ToRow);
private:
  // A column range with the -1 bounds resolved; Real when the bounds are real row indexes.
  struct TStatRange {
    int From = 0, To = -1;
    bool Real = false;
    int Rows() const { return To - From + 1; }
  };
  TStatRange StatRange(int FromRow, int ToRow) const;
  // Row R's number when the row counts and the cell reads as one.
  std::optional<double> StatValue(int ACol, int R, bool Real);
  template <typename F> void ForEachStatValue(int ACol, const TStatRange &Range, F &&Fn);
  std::vector<double> RowValues(int ARow, int FromCol, int ToCol);

  // --- cell text file and stream (data/cell_text_file.cpp) ---
public:
  // Unicode: UTF-16LE with a byte-order mark, else Windows-1252. Lines end with CR LF.
  void SaveToFile(const QString &FileName, bool Unicode = false);
  // Any byte-order mark, else Windows-1252. A size line asking for more than the limits below
  // raises EZavGridError before anything changes.
  void LoadFromFile(const QString &FileName);
  void SaveToStream(TStream *Stream);
  void LoadFromStream(TStream *Stream);
  // The stored text as a number (0 when empty); EZavGridError names the failing position.
  double CellToReal(int ACol, int ARow);
  static constexpr int64_t MaxLoadColCount = 65536;
  static constexpr int64_t MaxLoadCellCount = int64_t(64) * 1024 * 1024;
private:
  struct TCellTextLoad;
  // The storage columns the format covers, in the order it numbers them.
  std::vector<int> CellTextColumns(bool WithHidden) const;
  void AppendCellLines(QString &Out, const std::vector<int> &Cols, bool Relative, bool Progress);
  void CheckLoadSize(int64_t Cols, int64_t Rows, const QString &Source);
  void ApplyCellTextLoad(const TCellTextLoad &Load, int ColOffset, int RowOffset, bool Progress);

  // --- font scaling (data/font_scaling.cpp) ---
public:
  // The fixed and active-cell fonts follow the control's scaling.
  void ChangeScale(int M, int D) override;

  // --- measuring: font mapping, rotated text, lines and lengths (data/measure_ops.cpp) ---
  // Point size <-> height in 0.1 mm (negative: character height).
  int MapFontHeight(int PointSize);
  int MapFontSize(int Height);
  // Moves R's top-left corner to where Text, turned by Angle degrees in the canvas font, starts.
  void PlaceRotatedText(TRect &R, int Angle, const QString &Text, TAlignment HAlign, TVAlignment VAlign);
  // The placement arithmetic over the turned text's extents (WC = |cx cos|, HS = |cy sin|,
  // WS = |cx sin|, HC = |cy cos|); the print page passes WS and HC negated.
  static void RotatedTextOrigin(TRect &R, TAlignment HAlign, TVAlignment VAlign, int Angle, int WC, int HS, int WS,
                                int HC);
  int GetMaxLinesInRow(int ARow);
  int MaxColumnTextLength(int ACol);
  void InvalidateGridRect(TGridRect R);

  // Margins of the cell text (both sides, or the top-left one alone).
  int GetTotalXOffset();
  int GetTotalYOffset();

  // --- auto size (data/auto_size.cpp) ---
  // Columns are display indexes; widths and heights are clamped to the grid's bounds.
  void AutoSizeCol(int ACol, int Padding);
  void AutoSizeColumns(bool DoFixedCols, int Padding);
  void AutoSizeRow(int ARow, int Padding);
  void AutoSizeRows(bool DoFixedRows, int Padding);
  void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
  void AutoFitColumns(bool DoFixedCells);
  void SizeToCols();
  void SizeToRows();
  void SizeToCells();
protected:
  void FitColumnWidth(int ACol, bool GrowOnly);
  void FitRowHeight(int ARow, bool GrowOnly, int Padding);
  void SetRowHeightForLines(int ARow, int Lines, int Extra);

  virtual void DoUpdateAutoColumnSize(int ACol, int &AWidth);
private:
  void PadColWidth(int ACol, int Padding);
  void PadRowHeight(int ARow, int Padding);

  // --- CSV files (data/csv.cpp) ---
public:
  // Writes the save range; Unicode: UTF-8 with its byte-order mark, else Windows-1252. Fields
  // that hold the delimiter, a quote or a line break are quoted (line breaks kept inside).
  void SaveToCSV(const QString &FileName, bool Unicode = false);
  // As SaveToCSV after the existing file's text; a missing file raises EFOpenError.
  void AppendToCSV(const QString &FileName, bool Unicode = false);
  // Fills from SaveStartRow (Load) or after the last data row (Insert); an empty file changes
  // nothing. MaxRows <= 0 reads every record.
  void LoadFromCSV(const QString &FileName, int MaxRows = 0);
  void InsertFromCSV(const QString &FileName, int MaxRows = 0);
  // From the stream's position; no data raises "File is empty".
  void LoadFromCSVStream(TStream *AStream, int MaxRows = 0);
private:
  QString CSVText();
  void WriteCSVFile(const QString &FileName, const QString &Before, bool Unicode);
  void ReadCSVText(const QString &Text, int MaxRows, bool Insert);

  // --- HTML export (data/html_export.cpp) ---
public:
  // The page (style block and table) with pictures written below ImageFolder + "images/";
  // an empty ImageFolder links them relative to the page.
  QString SaveToHTMLString(const QString &ImageFolder);
  // Unicode: UTF-16LE with its byte-order mark, else ASCII with character references.
  void SaveToHTML(const QString &FileName, bool Show = false, bool Unicode = false);
  void AppendToHTML(const QString &FileName, bool Show = false, bool Unicode = false);
private:
  QString BuildHTMLPage(const QString &ImageFolder, bool RelativeImages, const QString &Charset);
  void WriteHTMLFile(const QString &FileName, bool Append, bool Show, bool Unicode);

  // --- paint chain: window paint, cell content, fixed cells, tree lines (view/paint.cpp) ---
public:
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

  void DrawCellContent(TCanvas *ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
  // The cell's graphic with its size, placement and whether text goes beside it; nil when none.
  TCellGraphic *GetCellGraphicInfo(int ACol, int ARow, int &Width, int &Height, bool &TextToo,
                                   TCellHAlign &HAlign, TCellVAlign &VAlign);
protected:
  void Paint() override;
  void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState) override;
  void PaintBackgroundArea();
  void PaintBackgroundFixed(const TRect &R);
  void PaintBackgroundTiled(const TRect &R);
  void DrawFixedCellFace(TCellPaintContext &Ctx);
  void DrawFixedCellEdges(TCellPaintContext &Ctx, bool Ctl3D);
  void DrawNodeTreeLines(TCellPaintContext &Ctx);
  // Steps of DrawCellContent.
  void DrawCellScrollBar(TCellPaintContext &Ctx);
  int DrawRowIndicator(TCellPaintContext &Ctx);
  void DrawAlwaysVisibleButtons(TCellPaintContext &Ctx);
  void DrawCellFocusRect(TCellPaintContext &Ctx);
  void DrawDesignColumnNumber(TCellPaintContext &Ctx);

  // --- visual properties and cell layout (view/cell_visual.cpp, view/cell_layout.cpp) ---
public:
  int GetCellAlignment(int ACol, int ARow);
  TSize GetCellTextSize(int ACol, int ARow, bool VS, bool SB);

  // A cell with a graphic shows the graphic alone.
  bool NoImageAndText() const { return FNoImageAndText; }
  void SetNoImageAndText(bool Value) { FNoImageAndText = Value; }
  // Colours, font, alignment, word wrap and gradient of one cell, shared by screen and print.
  void GetVisualProperties(int ACol, int ARow, TGridDrawState &AState, bool Print, bool Select,
                           bool Remap, TBrush *ABrush, TColor &AColorTo, TColor &AMirrorColor,
                           TColor &AMirrorColorTo, TFont *AFont, TAlignment &HA, TVAlignment &VA,
                           bool &WW, TCellGradientDirection &GD) override;
  void GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState &AState, TFont *AFont,
                         TBrush *ABrush, bool Remap);
  void MeasureCellText(int ACol, int DCol, TPoint &Size, bool VS, bool SB, int ARow);
  static TColor BlendColors(TColor Color1, TColor Color2, int Percent);
  static TColor MixSelectionColor(TColor SelColor, TColor CellColor, bool Mixer, int Percent);
protected:
  void DrawCellBorders(TCellPaintContext &Ctx, TRect R);

  virtual QString GetFormattedCell(int ACol, int ARow);

  // --- cell text paint (view/text_paint.cpp) ---
public:
  // The cell painters run inside the cell paint with its context (grid/view/cell_paint.h);
  // printing and the design overlay call them too.
  void DrawCellText(TCellPaintContext &Ctx);
  // The sort mark of column ACol centred at (X, Y).
  void DrawSortGlyph(TCanvas *ACanvas, int ACol, int Y, int X);
  void DrawRichCell(int ACol, int ARow, TRect ARect, TCanvas *ACanvas);
  void DrawCellBackgroundFixed(TCanvas *ACanvas, const TRect &R);
  void DrawCellBackgroundTiled(TCanvas *ACanvas, const TRect &R, int ACol, int ARow);
  void DrawCellBackgroundGradient(TCanvas *ACanvas, const TRect &R);
  // XYOffset shifts the text's left and top edges only (not also its right edge).
  bool XYOffsetTopLeftOnly() const { return FXYOffsetTopLeftOnly; }
  void SetXYOffsetTopLeftOnly(bool Value) { FXYOffsetTopLeftOnly = Value; }
private:
  bool IsSortedHeaderCell(int RCol, int ARow);
  bool SortGlyphShown(int RCol);
  void DrawPlainCellText(TCellPaintContext &Ctx, TRect T, QString Text, int G0, TColor URLCol, int ErrPos,
                         int ErrLen, bool SortedHeader);
  void DrawSelectionRectangle(TCanvas *Cv, const TRect &T, int ACol, int ARow, TGridRect Sel);
  // Steps of DrawCellText.
  TColor CellTextSelectionLook(TCellPaintContext &Ctx);
  void DrawCellTextBackground(TCellPaintContext &Ctx, const TRect &T, bool Selected);
  void DrawCellTextBody(TCellPaintContext &Ctx, TRect T, const QString &Text, int Kind, TColor URLColor, int ErrPos,
                        int ErrLen, bool Selected);

  // --- check box and radio button paint (view/check_paint.cpp) ---
public:
  // Without a canvas: on the grid's own.
  void DrawCheckBox(TRect R, bool Checked, bool Enabled, bool Grayed, ZavGrid::TControlStyle Style, bool UseState,
                    TCheckBoxState State);
  void DrawCheckBox(TCanvas *ACanvas, TRect R, bool Checked, bool Enabled, bool Grayed, ZavGrid::TControlStyle Style,
                    bool UseState, TCheckBoxState State);
  void DrawRadioButtons(TCanvas *ACanvas, TRect R, bool YUp, double Scale, ZavGrid::TControlStyle Style, int ARow,
                        int ACol, bool Selected, TStrings *Items, bool Disabled, bool Horizontal, int CheckedIndex,
                        int Count);
private:
  bool VisualThemesActive() const;
  void DrawThemedButtonPart(TCanvas *ACanvas, int Part, int State, const TRect &R);

  // --- cell graphic paint (view/graphic_paint.cpp) ---
public:
  // R may be changed (buttons); the caller keeps its final value.
  void DrawCellGraphic(TCellPaintContext &Ctx, TRect &R, TCellGraphic *Graphic, TVAlignment CellVAlign);
private:
  void PlaceCellGraphic(TCellPaintContext &Ctx, TRect &R, TCellGraphic *Graphic, TVAlignment CellVAlign, TRect &G);
  void DrawNodeGraphic(TCellPaintContext &Ctx, TRect R);
  void DrawCellButton(TCellPaintContext &Ctx, TRect &R, TRect G, TCellGraphic *Graphic);
  // The painters of DrawCellGraphic, by graphic kind: R the cell, G the placed graphic.
  void PaintPictureGraphic(TCellPaintContext &Ctx, TRect &R, TRect &G, TCellGraphic *Graphic);
  void PaintImageListGraphic(TCellPaintContext &Ctx, TRect &R, TRect &G, TCellGraphic *Graphic);
  void PaintCheckGraphic(TCellPaintContext &Ctx, TRect &R, TRect &G, TCellGraphic *Graphic);
  void PaintRadioGraphic(TCellPaintContext &Ctx, TRect &R, TRect &G, TCellGraphic *Graphic);
  void PaintRotatedGraphic(TCellPaintContext &Ctx, TRect &R, TRect &G, TCellGraphic *Graphic);
  void PaintProgressGraphic(TCellPaintContext &Ctx, TRect &R, TRect &G, TCellGraphic *Graphic);
  void PaintXPProgressGraphic(TCellPaintContext &Ctx, TRect &R, TRect &G, TCellGraphic *Graphic);
  void PaintCommentGraphic(TCellPaintContext &Ctx, TRect &R, TRect &G, TCellGraphic *Graphic);
  void PaintShapeGraphic(TCellPaintContext &Ctx, TRect &R, TRect &G, TCellGraphic *Graphic);

  // --- edit flow: opening, closing and committing editors (view/edit_flow.cpp) ---
public:
  void HideInplaceEdit();
  // The window procedure an edit link installs on a custom editor control: with goTabs the
  // control asks for tabs, arrows and characters; everything else goes to its saved procedure.
  void EditControlWndProc(TMessage &Message);

  void ShowSpecialEditor(int ACol, int ARow);
  void HideSpecialEditor(int ACol, int ARow);
  TEditLink *EditLink() const { return FEditLink; }
  void SetEditLink(TEditLink *Value) { FEditLink = Value; }
  // Ends an edit from a special editor's key handler; the key then moves as on the grid.
  void DoneInplaceEdit(uint16_t Key, TShiftState Shift);
  // OnEditingDone now, OnEditCellDone later from the posted "GridEditDone" (real column).
  void NotifyEditingDone(int ACol, int ARow);
  void ShowCellEdit();
  void HideCellEdit();
  bool IsEditable(int ACol, int ARow);  // real column
  bool CellEditable(int ACol, int ARow);
  bool EditActive() const { return FEditActive; }
  bool EditorOpen() const { return EditMode; }
  TEditorType EditorType() const { return EditControl; }

  // Opens the editor on the current cell (the edit flow's).
  void ShowInplaceEdit();

  TInplaceEdit *NormalEdit() const { return InplaceEditor(); }
protected:
  bool CanEditShow() override;
  int GetEditLimit() override;

  // The in-place editors name display columns; the texts they read and write are the real
  // columns' (with hidden columns the two differ).
  QString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const QString &Value) override;

  virtual void EditorCaretMoved() {}
  virtual void InplaceFormulaState() {}
private:
  friend class TEditLink;

  friend class TZavInplaceEdit;
  friend class TSpecialEditor;  // the special editor kinds reach the grid through it
  static bool IsTextEditor(TEditorType AEditor);
  // The cell's colour, font and alignment as painted: what an editor over it takes.
  TColor EditorLook(int ACol, int ARow, TFont *AFont, TAlignment &HAlign);

  // --- validation and cell changes (view/validation.cpp) ---
public:
  // Some cell was changed by an edit.
  bool Modified() const { return FGridModified; }
  void SetModified(bool Value) { FGridModified = Value; }
  bool AlwaysValidate() const { return FAlwaysValidate; }
  void SetAlwaysValidate(bool Value) { FAlwaysValidate = Value; }
  QString NewCellText() const { return FNewCellText; }
  // Characters (below 256) an edValidChars cell accepts while ValidChars is empty.
  const std::bitset<256> &ValidCharSet() const { return FValidCharSet; }
  void SetValidCharSet(const std::bitset<256> &Value) { FValidCharSet = Value; }
protected:
  bool SelectCell(int ACol, int ARow) override;
  void Click() override;

  virtual void RememberOldCell(int ACol, int ARow);
  virtual void DoCellsChanged(TRect ARect);
  virtual void CellsLoaded();
  virtual void DoCellChanging(int OldRow, int OldCol, int NewRow, int NewCol, bool &Allow);

  virtual bool ValidateCell(const QString &NewValue);
  virtual bool ValidateCellWide(const QString &NewValue);
private:
  void RefuseValue(const QString &V, const QString &NewValue, int ACol, int ARow);

  // --- moving on after an edit (view/advance.cpp) ---
public:
  void AdvanceToNextCell(int ACol, int ARow, bool Advance, bool KeepOrigin, bool Backward, bool Forced);
  void SimulateCellClick(int ACol, int ARow);

  // Edit flow the auxiliary controls drive.
  void FocusNextCellControl(int ACol, int ARow, const QString &ControlID);
  // Id of the embedded control being edited in the current cell.
  QString CurrentControlID() const { return FCurrentControlID; }
  void SetCurrentControlID(const QString &Value) { FCurrentControlID = Value; }
protected:
  void KeyPress(QChar &Key) override;
private:
  // Reopen: show the editor on the new cell; Recursing: an inner step over read-only cells.
  void AdvanceCell(int ACol, int ARow, bool Reopen, bool Recursing, bool Forward, bool AutoEdit,
                   bool Forced);
  // Steps of AdvanceCell, with the bounds taken when the advance starts.
  struct TAdvanceBounds {
    int FirstCol = 0, RightFixed = 0, LastDataRow = 0, SpanX = 0;
    TAdvanceDirection Dir = adLeftRight;
  };
  bool AdvanceAlongRow(int &C, int &R, const TAdvanceBounds &B);
  void AdvanceDownColumn(int &C, int &R, const TAdvanceBounds &B);
  void AdvanceBack(int &C, int &R, const TAdvanceBounds &B);
  void AdvanceTo(int C, int R, int ACol, int ARow);
  void AdvanceReopen(int ACol, int ARow, bool AutoEdit, TAdvanceDirection Dir);

  // --- combo items and notifications (view/combo_items.cpp) ---
public:
  // The combo cell editor commits, validates and moves through the grid's own handlers.
  friend class TGridCombo;

  // The combo's item list, shared by every combo cell.
  void ClearComboString();
  void AddComboString(const QString &s);
  void AddComboStringObject(const QString &s, TObject *AObject);
  bool RemoveComboString(const QString &s);
  bool SetComboSelectionString(const QString &s);
  void SetComboSelection(int idx) { FComboIdx = idx; }
  int GetComboCount();
  void SetComboIndex(int ACol, int ARow, int Value);  // real column
  int GetComboIndex(int ACol, int ARow);              // real column
  // A notification of the combo editor (CBN_SELCHANGE, CBN_EDITCHANGE, CBN_CLOSEUP,
  // CBN_DROPDOWN) turned into the grid's combo events.
  void ComboNotify(uint16_t Code);
  bool IsPasswordCell(int ACol, int ARow);
protected:
  void WMCommand(TWMCommand &Message) override;

  virtual void SetEditorCellText(int ACol, int ARow, const QString &Value);

  virtual void RestoreCellCache();
  virtual void DoGetEditorProp(int ACol, int ARow, TEditLink *AEditLink);
private:
  void ComboChanged(int ItemIndex);

  // --- balloon tips (view/balloon.cpp) ---
public:
  // The cell balloon tool tip (while Balloon.Enable) and the balloon of a refused value; each
  // nullptr until made; owned by the grid.
  TBalloonTip *BalloonTip() const { return FHToolTip; }
  TBalloonTip *InvalidEntryBalloon() const { return FEditBalloon; }
protected:
  void BalloonInit();
  void BalloonDone();
private:
  // What the cell balloon shows for the cell at Pos (client coordinates); false: nothing.
  bool BalloonCellText(TPoint Pos, TBalloonTipText &Content);
  // The pointer's messages for the cell balloon.
  void BalloonRelay(const TMessage &Message);
  // The refused-value balloon at the open editor, when InvalidEntryTitle or Text are set.
  void ShowInvalidEntryBalloon();
  void PopInvalidEntryBalloon();

  // --- window procedure, wheel, focus and cell controls (view/window_proc.cpp) ---
public:
  void CellControlsUpdate(bool Rebuild);

  void WndProc(TMessage &Message) override;
  void WMSetFocus(TWMSetFocus &Message) override;
  void WMKillFocus(TWMKillFocus &Message) override;
  void WMSetCursor(TWMSetCursor &Message) override;
  // Redoes the per-cell edit decision for the current cell.
  void Select();
  // Wheel panning with the middle button is running.
  bool WheelPanning() const { return wheelpan; }
protected:
  virtual void AfterWheelScroll() {}

  void KeyUp(uint16_t &Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void TopLeftChanged() override;
private:
  static constexpr uintptr_t WheelPanTimerID = 999;
  void WheelNotch(int Delta);
  void WheelPanStop();
  bool WheelStep(bool Down, TShiftState Shift, TPoint MousePos);
  void WheelPanTick();

  // --- hover and cell hints (view/hover.cpp) ---
public:
  void GetCellHint(QString &HintStr, THintInfo *HintInfo);

  void CMMouseLeave(TMessage &Message) override;
protected:
  void MouseMove(TShiftState Shift, int X, int Y) override;

  // --- keyboard (view/keyboard.cpp) ---
public:
  bool TabToNextCell(bool Backward);

  void WMKeyDown(TWMKey &Message) override;
  void WMKeyUp(TWMKey &Message) override;
  void WMChar(TWMKey &Message) override;
protected:
  virtual void DoF2Key() {}
  virtual void BeforeKeySelectAll() {}

  virtual void EditorKeyDown(uint16_t &Key, TShiftState Shift) {}
  virtual void EditorWMKeyDown(uint16_t &Key, TShiftState Shift) {}
  virtual void GotoFirstRow();

  void KeyDown(uint16_t &Key, TShiftState Shift) override;
private:
  bool CanTabToCell(int ACol, int ARow);
  int FirstTabCol(int ARow);
  int LastTabCol(int ARow);
  int FirstNavigableCol();
  int VisibleFixedRightCols();
  bool TabStep(bool Backward);
  void ReportKey(uint16_t Key, TShiftState Shift);
  // Steps of WMKeyDown; a bool step is True when it ended the key's handling.
  bool KeyScrollOnly(uint16_t Key);
  bool KeyEnterOrF2(TWMKey &Message, uint16_t Key, int RealCol, TShiftState Shift);
  void KeyClickControl(uint16_t Key, int RealCol);
  bool KeyHomeEnd(uint16_t Key, TShiftState Shift);
  bool KeySkipFixed(uint16_t Key);
  void KeyAppendRow();
  void KeyDisjunctSelect(uint16_t Key, TShiftState Shift);
  void KeyInsertRow();
  void KeySelectAll();
  void KeyDeleteRow(int OldRow);
  void KeySelectionMoved();
  // The clipboard shortcuts; True when Key with Shift was one.
  bool ClipboardKey(uint16_t Key, TShiftState Shift);

  // --- mouse: press, release, selection (view/mouse_press.cpp, mouse_release.cpp, mouse_select.cpp) ---
public:
  void WMLButtonDown(TWMMouse &Message) override;
  void WMLButtonUp(TWMMouse &Message) override;
  void WMLButtonDblClk(TWMMouse &Message) override;
  void WMRButtonDown(TWMMouse &Message) override;
  void WMRButtonUp(TWMMouse &Message) override;
  // ACol real, DX/DY the press point relative to the base cell's top-left.
  void ClickRadioGroup(int ACol, int ARow, int DX, int DY);
  // Never for a fixed cell; the disjunct lists decide in their modes, else the selection.
  bool IsSelected(int ACol, int ARow);
  // Opens the text or combo editor of a fixed cell (display column).
  void ShowFixedCellEditor(int ACol, int ARow);
  // The header cells (last fixed row and column) of two cells.
  void RepaintActiveCellHeaders(int OldCol, int OldRow, int NewRow, int NewCol);
protected:
  virtual void CellSelectorClick(int ACol, int ARow) {}
  virtual void BeforeMouseSelectAll() {}

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
private:
  // Right border of fixed column (row) I when sizing, from the widths before it.
  int FixedColBorder(int I);
  int FixedRowBorder(int I);
  // The fixed column (row) whose right (bottom) border lies within 3 px of X (Y), or -1.
  int FixedColAtBorder(int X);
  int FixedRowAtBorder(int Y);
  bool CellInputEditable(int ACol, int ARow);
  void OpenLink(const QString &Anchor);
  void EndFixedSizing(int X, int Y);
  bool PressDisjunct(int ACol, int ARow, TShiftState Shift, const TGridRect &S, TWMMouse &Message);
  void PressFixedSelect(int ACol, int ARow, TShiftState Shift);
  // Steps of WMLButtonDown; a bool step is True when it ended the press.
  void PressGrabBorder(int ACol, int ARow, int X, int Y);
  bool PressSizeFixed(int X, int Y);
  void PressNodeGlyph(int ACol, int ARow, int X, int Y);
  bool PressRadioOrRating(int ACol, int ARow, int RealCol, int X, int Y);
  void PressGrabOffset(int X, int Y);
  bool PressCellButton(int ACol, int ARow, int RealCol, int X, int Y);
  void PressCheckBox(int ACol, int ARow, int RealCol, bool RadioButton, int X, int Y);
  void PressDirectEdit(int ACol, int ARow, int X);
  bool PressLink(int ACol, int ARow, int PCol, int PRow, int X, int Y);
  bool ReleaseSelect(int ACol, int ARow, int X, int Y);
  bool ReleaseDisjunctCells(int ACol, int ARow);
  void MoveDragSelect(int ACol, int ARow, int X, int Y);
  // The point lies on the resizer handle at the selection's bottom-right corner.
  bool OnSelectionHandle(int X, int Y);
  void StartSelectionResize(TWMMouse &Message);
  void DragSelectionHandle(int ACol, int ARow);
  void EndSelectionResize();
  // Picking cells in cell-selector mode.
  static constexpr TCursor CellSelectorCursor = crCross;
  bool MoveSelectMode(int ACol, int ARow, int X, int Y);
  // The cursor of a mouse selection mode (crDefault for msNormal and msURL).
  TCursor SelectModeCursor() const;
  bool MoveLinks(int ACol, int ARow, int X, int Y);
  // Lays a mark-up cell out for a hit test at (X, Y): the anchor, its title and index, and a
  // CONTROL tag's id, type, value and rectangle.
  QString HitTestMarkup(int ACol, int ARow, int X, int Y, QString &Title, int &Link, QString &CtrlID,
                        QString &CtrlType, QString &CtrlVal, TRect &CtrlRect);
  void HeaderSortClick(int RealCol);
  void FixedEditChange(TObject *Sender);
  // Keeps a new current cell clear of the floating footer and the search panel; False when
  // the target is the footer row.
  bool KeepClearOfPanels(int ARow);
  void SelectCellRepaints(int OldCol, int OldRow, const TGridRect &OldSel, int ACol, int ARow);
  // The row indicator leaves OldRow for NewRow.
  void RepaintRowIndicators(int OldRow, int NewRow);

  // --- clipboard and the selection as text (data/clipboard.cpp) ---
public:
  void CopySelectionToClipboard();
  void CutSelectionToClipboard();
  void PasteSelectionFromClipboard();
  void CopyToClipBoard();
  void CutToClipboard();
  void CopyToClipBoardAsHTML();
  void PasteFromClipboard();
  QString GetSelectionAsText();
  void SetSelectionAsText(const QString &Value);
  // The drag text of the selection.
  QString SelectedText();
  // Reads a tabbed text into the grid from (ACol, ARow) as a paste does; the count of fields
  // read, Cols and Rows the extent of the last line and the number of lines.
  int PasteText(int ACol, int ARow, const QString &Text, int &Cols, int &Rows);
  // Size.X the most fields of a line, Size.Y the line ends less the empty lines.
  void GetTextBlockSize(const QString &Text, TPoint &Size);
protected:
  QString GetRectAsText(TGridRect Rect, bool DisjunctOnly);
  void CopyRectToClipboard(TGridRect Rect, bool DisjunctOnly);
  void CopyCellsToClipboard(TGridRect Rect);
  void CopyRTFToClipboard(int ACol, int ARow);
  void ExpandSelectionToMergedCells();
  int PasteClipboardAt(int ACol, int ARow, int &Cols, int &Rows);
  int PasteClipboardAt(int ACol, int ARow);
  virtual void StoreCellValue(int ACol, int ARow, const QString &Value);
  virtual void BeforePaste() {}
  virtual void AfterPaste() {}
  virtual void CellsPasted(TPoint SourceTopLeft, TGridRect R, TClipOperation Op);
  virtual bool AllowGridClipboardFormat();
private:
  // The flavours of one copy, put on the clipboard together.
  void AddRTFFlavour(int ACol, int ARow, std::vector<TClipboardFlavour> &Flavours);
  void AddCellsFlavour(TGridRect Rect, std::vector<TClipboardFlavour> &Flavours);
  QString RectAsHTMLFragment(TGridRect Rect, bool DisjunctOnly);
  bool TakeRowOnCopy(int ARow, bool DisjunctOnly);
  bool TakeColOnCopy(int ACol, bool DisjunctOnly);
  QString CellCopyText(int ACol, int ARow);
  // The row below which pasted text does not go without growing the grid.
  int PasteRowLimit();
  bool PasteReaches(int RealCol, int ARow);
  void SmartFill(const TGridRect &S);
  void SmartStoreCell(const TGridRect &S, int c, int r, QString V);
  bool SmartSeries(const TGridRect &S, int N);
  void SmartRepeatBlock(const TGridRect &S, int N);
  void SmartPasteAgain(const TGridRect &S, int Cols, int Rows);
  // Stores V at (c, r) with the before- and after-paste events; False when the event refused.
  bool PasteCellValue(int c, int r, QString V, bool Events);
  TClipOperation FClipLastOp = coCopy;
  bool FPasteAll = false;
  TGridRect FLastPasteRect{-1, -1, -1, -1};  // the cells the last text paste stored

  // --- binary cell stream (data/streams.cpp) ---
  // A rectangle of cells with their texts, properties and graphics as a chain of component
  // records: a header (size, widths, heights, whole-grid flag, writer's ID), then per cell its
  // record, its properties and graphic records and a picture payload where the kind has one.
public:
  // Rect is inclusive; columns and rows beyond 65535 raise EZavGridError before anything is
  // written.
  void SaveRectToBinStream(const TGridRect &Rect, TStream *Stream);
  // The save range.
  void SaveToBinStream(TStream *Stream);
  void SaveToBinFile(const QString &FileName);
  // The first cell lands at Point unless the stream is a whole grid. The stream is read whole
  // before the grid changes: a damaged stream raises its read error and leaves the grid as it
  // was. Cells that would land outside the grid are dropped.
  void LoadAtPointFromBinStream(TPoint Point, TStream *Stream);
  // At (0, 0), then the node rows are counted again.
  void LoadFromBinStream(TStream *Stream);
  void LoadFromBinFile(const QString &FileName);
  // The writer's ID in a stream's header: unique among this process's grids and unlikely in any
  // other process. Attached objects and controls named in a stream are taken only from streams
  // this process wrote.
  int BinStreamID();
  static bool IsOwnBinStreamID(int ID);
private:
  void WriteGraphicPayload(TCellGraphic *g, TStream *Stream);
  // Replays a properties record read earlier over the cell's properties, then gives the cell
  // the graphic read with it and the payload made for that graphic.
  void ApplyReadProperties(TGridCellPropIO &IO, int ACol, int ARow, const TComponentRecord &Props,
                           TCellGraphic *Graphic, std::unique_ptr<TObject> Payload, const std::vector<int> &Images);
  int FBinStreamID = 0;

  // --- sorting: comparisons and row sorts (data/sort_compare.cpp, data/sort_rows.cpp) ---
  // Column indexes are real ones; the hidden columns' cells travel with their rows.
public:
  virtual void SortSwapRows(int ARow1, int ARow2);
  virtual void QSort();
  virtual void QSortIndexed();
  virtual void QSortGroup();
  virtual void QSortGroupIndexed();
  // Back to the order of the last reset of the row cross-reference; refuses (moves nothing)
  // when rows were added or removed since.
  virtual void QUnSort();
  void Sort(int Column, TSortDirection Direction);
  // Nothing with fewer than two rows.
  void SortByColumn(int Col);
  // Rows Left..Right only; no update lock, cross-reference check or current-row handling.
  void QuickSort(int Col, int Left, int Right);
  void QuickSortIndexed(int Left, int Right);
  // Exchanges the two rows when they are out of order by column Col (ties go on to the next
  // column, hidden ones included); True when it did.
  bool SortLine(int Col, int ARow1, int ARow2);
  void InitSortXRef();
  // Every real column of the two rows, their heights and the cell controls on them.
  void SwapRows(int ARow1, int ARow2);
  void SwapColumns(int ACol1, int ACol2);

  // -1, 0 or +1 in the ascending sense; Direction only steers where blanks go.
  int CompareCells(int ACol, int ARow1, int ARow2, TSortDirection Direction);
  // From column ACol on (ties to the right with SortSettings.Full); not turned for descending.
  int CompareRows(int ACol, int ARow1, int ARow2);
  // From entry Index of SortIndexes on, already turned per entry: +1 means ARow1 goes after ARow2.
  int CompareRowsIndexed(int Index, int ARow1, int ARow2);

  int SortDir = 1;    // the comparison result that means out of order in the current pass
  int SortRow = -1;   // the current row, followed through the exchanges of a sort
  int Compares = 0;   // cell comparisons, never reset here
  int Swaps = 0;      // row exchanges of sorts, never reset here
protected:
  void QuickSortRows(int ACol, int Left, int Right);
  void QuickSortRowsIndexed(int FirstIndex, int Left, int Right);
  void QuickUnSortRows(int Left, int Right);
  void SortGroups(bool Indexed);
private:
  // The style a comparison of (s1, s2) uses once the automatic and alphanumeric choices are made.
  TSortStyle ResolveSortStyle(TSortStyle Style, int ACol, int ARow1, const QString &s1, const QString &s2);
  int CompareByStyle(TSortStyle Style, int ACol, int ARow1, int ARow2, QString &s1, QString &s2,
                     const QString &Prefix, const QString &Suffix);
  // Three scratch rows after the grid's rows while a sort runs (cell properties are seen only
  // inside the row count); the middle one holds a partition's pivot.
  int SortPivotRow() const { return RowCount() - 2; }
  void CopyPivotRow(int ARow);
  void AddSortScratchRows();
  void RemoveSortScratchRows();
  void ExchangeRowData(int ARow1, int ARow2);
  // Whole-grid sorts: everything around the row pass (column 0 kept, scroll, current row).
  void RunWholeGridSort(bool Indexed);
  // Columns a sort pass reaches: the shown ones plus the hidden ones (their cells travel too).
  int FSortColExtra = 0;
  bool FSortScratch = false;

  // --- members whose topics are not built yet (core/pending.cpp) ---
  // Each body there is the smallest honest one; the file names the topic that replaces it.
public:
  void MoveFocusWindow();
  void DrawNCBorder();
  void AdaptToOfficeTheme();
  void ApplyFrameworkStyle();

  virtual void SetStyle(int AStyle);
protected:
  virtual QString CalcFooterColumn(int ACol);
  virtual void PaintDesignHelper();
  virtual void ShowDesignLookMenu();
  virtual void DoColorSelect(int ACol, int ARow);
  virtual void DoImageSelect(int ACol, int ARow);

  void UpdateSearchPanel(TObject *Sender);
  void MergedColumnsChanged(TObject *Sender, int ACol, int ARow);

  // --- state: data members by topic ---
  // Kept in their declaration order: the owned sub-objects are made and freed in that order,
  // and the events outlive every sub-object that may fire them.
  // combo editor (view/combo_items.cpp)
public:
  bool FNoAutoAdvance = false;  // an editor refused its value: the grid does not advance
  bool LButFlg = false;         // a left click opened the editor; cleared once the caret is placed

  // published and public events (core/grid_dispatch.cpp)
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

  // edit flow (view/edit_flow.cpp)
  std::function<void(TMessage &)> FGridControlWndProc;
  TEditLink *FSubClassingLink = nullptr;  // the link whose control's messages pass the grid

  // measuring (data/measure_ops.cpp)
  // 1.0 except during a print pass, when it is the fit-to-page factor.
  double Fontscalefactor = 1.0;

  // edit flow (view/edit_flow.cpp)
  TRowChangedEvent OnRowChanged;

  // paint (view/paint.cpp)
protected:
  bool FNoImageAndText = false;

  // find (core/find.cpp)
public:
  int FindCol = 0;
  int FindRow = 0;
  bool FindBusy = false;

  // object: run time, platform, owner form (core/zav_string_grid.cpp)
private:
  bool FDesignNoLoad = false;  // designing while the owner is neither read nor loaded
  bool FRunTime = true;        // decided once, at construction
  bool FIsWinXP = false, FIsWin7 = false, FIsVista = false, FIsComCtl6 = false;
  TCustomForm *FOwnerForm = nullptr;  // not owned: the form whose resize chain holds this grid
  int FOwnerFormWidth = 0, FOwnerFormHeight = 0;

  // published and public property fields (core/zav_string_grid.cpp sets their defaults)
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
  int FAutoNumberStart = 0;
  int FAutoNumberOffset = 0;
  TSortDirection FAutoNumberDirection = sdAscending;
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

  // markers that start at -1, of several topics (mouse, hover, combo, filter, selection, looks)
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

  // owned sub-objects, in the order of creation (core/zav_string_grid.cpp)
  std::unique_ptr<TFooterPanel> FFooterPanel;
  std::unique_ptr<TSearchPanel> FSearchPanel;
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
  std::unique_ptr<TCellNode> FCellNode;
  std::unique_ptr<TBands> FBands;
  std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
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
  std::unique_ptr<TDropCheckList> FFilterCheckList;
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

  // edit flow (view/edit_flow.cpp) and dimensions (core/dimensions.cpp)
  bool FEditingDisabled = false;  // editing switched off for the edit in progress
  int FMinFixedRows = 1, FMinFixedCols = 1;  // fixed rows and columns last requested (at Loaded too)

  // update lock, timer, messages (core/update_lock.cpp)
  int FUpdateCount = 0;
  bool FRedrawHeld = false;  // BeginUpdate switched a window's redraw off
  int FTimerCount = 0;
  int FSearchTickCount = 0;
  QString FIncrSearchText;
  bool FBlinkOn = false;
  int FPaintCount = 0;
  bool FSelChange = false;
  bool FOwnCursorChange = false;
  TMouseSelectMode FMouseSelectMode = msNormal;
  bool FSizeFixed = false, FSizeFixedR = false, FNoMouseLeave = false;

  // window lifecycle (core/window_lifecycle.cpp)
  uintptr_t FGridTimerID = 0;
  uint32_t wheelmsg = 0;
  int wheelscrl = 0;
  bool FGridLoaded = false;
  int FMaxRowCount = 0;
  TCursor FLoadedCursor = crDefault;
  bool FEditChange = false;

  // paint (view/paint.cpp)
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

  // edit link (view/edit_flow.cpp) and rich edits (core/rich_cells.cpp)
  TEditLink *FEditLink = nullptr;
  TZavRichEdit *FRichEdit = nullptr;         // owned as a component
  TZavRichEdit *FInplaceRichEdit = nullptr;  // owned as a component

  // scrolling (core/scrolling.cpp)
  // The thin bars of ssMetro, owned as components; present only under that style.
  TScrollControl *FVertThinBar = nullptr;
  TScrollControl *FHorzThinBar = nullptr;

  // floating footer (core/footer.cpp)
  bool FHideLastRow = false;

  // edit flow (view/edit_flow.cpp)
  // Edit flow state the custom editors read.
  QString FEditCellText;          // the cell's text when editing began
  int FLastValidation = 0;        // 1 passed, -1 failed, 0 none since the editor opened
  bool FFocusChanging = false;    // the grid moves the focus itself

  // cell graphics and cell controls (core/cell_graphic.cpp, core/cell_graphics_ops.cpp)
  // The shared row-selection box of column 0, prepared on every query and never in a cell.
  TCellGraphic FCellGraphic;
  QString FCurrentControlID;

  // dimensions, hidden columns and rows (core/dimensions.cpp, core/hidden_*.cpp)
  bool FWordWrapEx = true;
  int FMaxColCount = 0;
  TColumnIndexMap FHiddenCols;
  TRowIndexMap FHiddenRows;
  int FFilterLevel = 0;

  // selection (core/selection.cpp, core/cell_access.cpp)
  TGridRect FOldSelection;
  bool FSelHidden = false;
  bool FUseEnabledRows = false;

  // property writers (core/text_conversion.cpp)
  bool FSaveWithRTF = false;
  bool FSpreadSheet = false;

  // cell text paint (view/text_paint.cpp)
  // VAlignment as a text-drawing flag (top 0, vertical centre 4, bottom 8).
  uint32_t FVAlign = 0;
  bool FXYOffsetTopLeftOnly = false;

  // print widths (core/typed_access.cpp)
  // Printed widths and left offsets per display column; the print pass fills them.
  std::array<int, 513> MaxWidths{};
  std::array<int, 513> Indents{};

  // filtering (core/filtering.cpp)
  QString FLastFilter;
  int FFilterFixedRows = 0;

  // find (core/find.cpp)
  TFindParams FFindParams;
  QString FFindCache;
  TPoint FSearchCell{-1, -1};

  // node rows (core/nodes.cpp)
  int FNumNodes = 0;
  bool FForceSelection = false;  // set while a node contracts

  // scrolling (core/scrolling.cpp)
  bool FStretching = false;
  int FOrigGridWidth = 0;
  int FSizingCol = -1, FSizingColWidth = 0;
  int FSizingRow = -1, FSizingRowHeight = 0;
  bool FScrollLock = false;
  bool FIsFlat = false;
  bool FUseStyleEngine = false;
  TDragScrollDirection FDragScrollDir;
  std::unique_ptr<TTimer> FDragTimer;

  // row and column operations (core/row_operations.cpp, core/moves.cpp)
  // Clearing drops object references without freeing them (the objects went elsewhere).
  bool FNilObjects = false;
  // Clearing reports no changed cells.
  bool FBlockCellChange = false;
  bool FSyncMoving = false;  // a move being repeated in the synchronised grid

  // grouping (core/grouping.cpp)
  int FGroupWidth = 0;     // the grouped column's width, given back by UnGroup
  QString FGroupCaption;   // its text in row 0
  QString FGroupFooter;    // its text in the last row
  bool FIsGrouping = false;  // Group or UnGroup rebuilds the rows

  // edit state shared by the edit flow, validation, editors, mouse and keyboard
  // Fields only, so that the topics building on them can be written side by side; each
  // topic documents what it reads and writes.
  TEditorType EditControl = edNormal;  // editor type of the edit in progress
  bool EditMode = false;               // an edit (text or special) is open on the current cell
  bool FEditing = false;               // the value is being edited and not yet validated
  bool FEntered = false;               // an editor was entered on this cell
  bool FSpecialEditor = false;         // the open editor is a special editor
  bool FEditActive = false;            // a special editor is open; its done-notification is owed
  bool FShowEditProcess = false;       // typed text is copied into the cell while typing
  bool FNoEditChange = false;          // the grid itself loads editor text: no OnEditChange
  QChar FStartEditChar;                // the character that started the edit, posted once
  QString FCellCache;                  // the cell's text before the edit (Esc restores it)
  TWinControl *EditCtrl = nullptr;     // the special editor control shown now (not owned)
  bool FBlockKill = false, FBlockFocus = false;  // focus handlers stand still during commits
  bool FValidating = false;            // a validation is running; blocks re-entry
  int FOldCol = -1, FOldRow = -1;      // the remembered cell validation compares against
  QString FOldCellText;

  // mouse (view/mouse_press.cpp, view/mouse_release.cpp, view/mouse_select.cpp)
public:
  // Milliseconds the last sort by a header click took.
  uint32_t SortTime = 0;
protected:
  // Cell-selector mode, switched by derived grids: a left press only hands its cell to
  // CellSelectorClick.
  bool FCellSelectorMode = false;

  // mouse, keyboard, wheel and focus (view/mouse_*.cpp, view/keyboard.cpp, view/window_proc.cpp)
private:
  // Gesture state between press, move and release; a release ends all of it.
  bool FDoOnClick = false, FMouseDownMove = false, FMouseKeepDown = false, FMouseDown = false;
  bool FSpinUpClick = false, FSpinDnClick = false;
  bool FDblClk = false;             // a double click auto-sized: the next release only clears it
  TPoint FPushedCellButton{-1, -1};  // display cell whose cell or expand button is held down
  TPoint FHoverButton{-1, -1};      // cell whose button is under the pointer
  int Colclicked = -1, Rowclicked = -1, Colclickedsize = 0, Rowclickedsize = 0;
  int Clickposx = 0, Clickposy = 0, Clickposdx = 0, Clickposdy = 0;
  int FOldKeepLeftCol = 0, FOldTopRow = 0;
  bool FSizingFixed = false, FSizingFixedR = false;
  int FSizingFixedCol = -1, FSizingFixedRow = -1, FSizeFixedX = 0, FSizeFixedY = 0;
  TPoint FLastBalloonPos{-1, -1};
  bool FSizeHintShown = false;  // the "cw="/"rh=" hint of a sizing drag shows
  // The selection's resizer handle is being dragged, and the selection it started from.
  bool FMouseResize = false;
  TGridRect FDropSelection;
  // Mouse selection: the row or column a drag from a fixed cell started at (-1: none), a Ctrl
  // press on a selected disjunct row or column (the release deselects it), and a press on a
  // selected cell of a drag source (the release selects it unless a drag started).
  int FMouseSelectStart = -1;
  bool FDeselectState = false, FSelectionClick = false;
  int Movecell = -1, MoveOfsX = 0, MoveOfsY = 0;
  // Links: the hovered cell and link (for the hover look) and the anchor under the pointer.
  TPoint FHoverCell{-1, -1};
  int FHoverlink = -1;
  QString FAnchor, FLastAnchorHint;
  // An in-cell BUTTON control held down, and its cell (real column, row).
  bool FCtrlDown = false;
  TPoint FCtrlXY{-1, -1};
  // The fixed cell whose editor is open.
  int FFixedColEdit = -1, FFixedRowEdit = -1;
  // Keyboard state.
  TGridRect FMoveSelection;
  int FLastTabCol = -1, FLastTabRow = -1;  // a Tab step runs from this cell
  // Wheel and focus.
  bool wheelpan = false;
  TPoint wheelpanpos;
  TCursor FPanOldCursor = crDefault;
  int FWheelRest = 0;  // high-resolution wheel delta not yet making a notch
  bool InvokedFocusChange = false;

  // edit flow, validation and balloons (view/edit_flow.cpp, view/validation.cpp, view/balloon.cpp)
  bool FGridModified = false;
  bool FModified = false, FOldModifiedValue = false;
  bool FAlwaysValidate = false;
  QString FNewCellText;      // the text the last validation ended with
  QString FOldCellTextWide;
  QString FEditText;         // the cell's text when an edit or a move began
  bool FForceSel = false;    // a programmatic move: accepted without checks
  bool FDisableChange = false;  // the advance moves the cell itself: no second OnCellChanging
  int FAECol = -1, FAERow = -1;  // where the advance started
  int FOldRowSel = -1;       // row last reported by OnRowChanged
  bool FEditStart = false;   // the grid's own mouse-down is loading the editor
  std::bitset<256> FValidCharSet;
  TBalloonTip *FHToolTip = nullptr;    // owned as a component; cleared by Notification
  TBalloonTip *FEditBalloon = nullptr; // owned as a component; cleared by Notification
};
