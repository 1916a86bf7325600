#pragma once
// Signatures of the string grid's events that the foundation's event header does not carry yet.
// Sender comes first; the order of column and row after it is each event's own.
#include <QString>

#include <functional>

#include "framework/classes/classes.h"
#include "framework/graphics/graphics.h"
#include "framework/grids/grid_types.h"
#include "framework/grids/grids.h"
#include "framework/system/types.h"
#include "grid/core/grid_core_enums.h"
#include "grid/foundation/grid_events.h"

class TCheckListBox;
class TPopupMenu;
class TEditLink;

using TAutoAdvanceEvent = std::function<void(TObject *Sender, int OldRow, int OldCol, int &NewRow,
                                             int &NewCol, bool &Allow)>;
using TCustomCellSizeEvent = std::function<void(TObject *Sender, TCanvas *Canvas, int ACol, int ARow,
                                                TPoint &ASize, bool Printing)>;
using TCustomFilterEvent = std::function<void(TObject *Sender, int ARow, bool &AcceptRow)>;
using TCellCursorEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, int X, int Y, TCursor &ACursor)>;
using TWordWrapEvent = std::function<void(TObject *Sender, int ACol, int ARow, bool &WordWrap)>;
using TGetColumnFilterEvent = std::function<void(TObject *Sender, int Column, TStrings *Filter)>;
using TFilterSelectEvent = std::function<void(TObject *Sender, int Column, int ItemIndex,
                                              const QString &FriendlyName, QString &FilterCondition)>;
using TFilterCheckEvent =
    std::function<void(TObject *Sender, int Column, int ItemIndex, const QString &FriendlyName,
                       QString &FilterCondition, TCheckListBox *CheckList)>;
using TGetCheckEvent = std::function<void(TObject *Sender, int ACol, int ARow, QString &Value)>;
using TGridWideHintEvent = std::function<void(TObject *Sender, int ARow, int ACol, QString &hintstr)>;
using TGroupCalcEvent =
    std::function<void(TObject *Sender, int ACol, int FromRow, int ToRow, double &Res)>;
using TRowChangedEvent = std::function<void(TObject *Sender, int OldRow, int NewRow)>;
using TRowChangingEvent = std::function<void(TObject *Sender, int OldRow, int NewRow, bool &Allow)>;
using TColChangingEvent = std::function<void(TObject *Sender, int OldCol, int NewCol, bool &Allow)>;
using TCellChangingEvent = std::function<void(TObject *Sender, int OldRow, int OldCol, int NewRow,
                                              int NewCol, bool &Allow)>;
using TCustomStrToDateEvent = std::function<void(TObject *Sender, const QString &Value, double &ADate)>;
using TGridPrintPageEvent =
    std::function<void(TObject *Sender, TCanvas *Canvas, int PageNr, int PageXSize, int PageYSize)>;
using TGridPrintPageNumEvent =
    std::function<void(TObject *Sender, int PageNum, int PageColNum, QString &PageNumString)>;
using TGridPrintPageDoneEvent =
    std::function<void(TObject *Sender, TCanvas *Canvas, int LastRow, int LastRowOffset, int LastPage,
                       int PageXSize, int PageYSize)>;
using TGridPrintStartEvent =
    std::function<void(TObject *Sender, int NrOfPages, int &FromPage, int &ToPage)>;
using TGridPrintCancelEvent = std::function<void(TObject *Sender, int PageNr, bool &Cancel)>;
using TDoFitToPageEvent = std::function<void(TObject *Sender, double &ScaleFactor, bool &Allow)>;
using TGridPrintNewPageEvent = std::function<void(TObject *Sender, int ARow, bool &NewPage)>;
using TGridPrintColumnWidthEvent = std::function<void(TObject *Sender, int ACol, int &Width)>;
using TGridPrintRowHeightEvent = std::function<void(TObject *Sender, int ARow, int &Height)>;
using TNodeClickEvent = std::function<void(TObject *Sender, int ARow, int ARowreal)>;
using TDropDownButtonClickEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, int ButtonIndex)>;
using TNodeAllowEvent = std::function<void(TObject *Sender, int ARow, int ARowReal, bool &Allow)>;
using TSearchFooterActionEvent = std::function<void(TObject *Sender, const QString &Value, int ACol,
                                                    int ARow, TSearchAction SearchAction)>;
using TCanShowFixedDropDownEvent = std::function<void(TObject *Sender, int ACol, bool &CanShow)>;
using TFixedDropDownEvent = std::function<void(TObject *Sender, int ACol, int ARow, TPopupMenu *&AMenu,
                                               bool &KeepFixedCellHighlighted)>;
using TCanClickCellEvent = std::function<void(TObject *Sender, int ARow, int ACol, bool &Allow)>;
using TFixedEditEvent = std::function<void(TObject *Sender, int ACol, int ARow,
                                           TGridFixedCellEditor &AEditor, TStrings *Values)>;
using TIsFixedCellEvent = std::function<void(TObject *Sender, int ARow, int ACol, bool &IsFixed)>;
using TIsPasswordCellEvent = std::function<void(TObject *Sender, int ARow, int ACol, bool &IsPassword)>;
using TCellControlEvent = std::function<void(TObject *Sender, int ARow, int ACol, const QString &CtrlID,
                                             const QString &CtrlType, const QString &CtrlVal)>;
using TCellComboControlEvent =
    std::function<void(TObject *Sender, int ARow, int ACol, const QString &CtrlID,
                       const QString &CtrlType, const QString &CtrlVal, TStringList *Values,
                       bool &Edit, int &DropCount)>;
using TCellComboControlSelectEvent =
    std::function<void(TObject *Sender, int ARow, int ACol, int ItemIndex, const QString &CtrlID,
                       const QString &CtrlValue)>;
using TClipboardEvent = std::function<void(TObject *Sender, bool &Allow)>;
using TAfterCellPasteEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, const QString &Value)>;
using TAfterCellPasteWideEvent = TAfterCellPasteEvent;
using TBeforeCellPasteEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, QString &Value, bool &Allow)>;
using TBeforeCellPasteWideEvent = TBeforeCellPasteEvent;
using TCellValidateEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, QString &Value, bool &Valid)>;
using TCellValidateWideEvent = TCellValidateEvent;
using TCellsChangedEvent = std::function<void(TObject *Sender, TRect R)>;
using TGridProgressEvent = std::function<void(TObject *Sender, int16_t progress)>;
using THasComboEvent = std::function<void(TObject *Sender, int ACol, int ARow, bool &HasComboBox)>;
using THasSpinEditEvent = std::function<void(TObject *Sender, int ACol, int ARow, bool &HasSpinEdit)>;
using TGetEditorPropEvent = std::function<void(TObject *Sender, int ACol, int ARow, TEditLink *AEditLink)>;
using TColorSelectedEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, TColor &Color, QString &Value)>;
using TColorSelectEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, TColor Color, const QString &Value)>;
using TImageSelectedEvent = std::function<void(TObject *Sender, int ACol, int ARow, int &Index)>;
using TImageSelectEvent = std::function<void(TObject *Sender, int ACol, int ARow, int Index)>;
using TRadioClickEvent = std::function<void(TObject *Sender, int ACol, int ARow, int AIdx)>;
using TRadioButtonClickEvent = std::function<void(TObject *Sender, int ACol, int ARow)>;
using TComboChangeEvent = std::function<void(TObject *Sender, int ACol, int ARow, int AItemIndex,
                                             const QString &ASelection)>;
using TComboObjectChangeEvent = std::function<void(TObject *Sender, int ACol, int ARow, int AItemIndex,
                                                   const QString &ASelection, TObject *AObject)>;
using TFloatSpinClickEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, double AValue, bool UpDown)>;
using TDragScrollEvent = std::function<void(TObject *Sender, int TopRow, int LeftCol,
                                            TDragScrollDirection &DragScrollDir, bool &CanScroll)>;
using TEditCellDoneEvent = std::function<void(TObject *Sender, int ACol, int ARow)>;
using TEditChangeEvent = std::function<void(TObject *Sender, int ACol, int ARow, const QString &Value)>;
using TDateTimeChangeEvent = std::function<void(TObject *Sender, int ACol, int ARow, double ADateTime)>;
using TFooterPaintEvent = std::function<void(TObject *Sender, int AColumn, TCanvas *Canvas, TRect ARect)>;
using TCalcFooterEvent = std::function<void(TObject *Sender, int ACol, int ARow, QString &Value)>;
using TRowDisjunctSelectEvent = std::function<void(TObject *Sender, int ARow, bool AState, bool &Allow)>;
using TSelectionChanged =
    std::function<void(TObject *Sender, int ALeft, int ATop, int ARight, int ABottom)>;
using TUnitChangedEvent = std::function<void(TObject *Sender, int ACol, int ARow, const QString &NewUnit)>;
using TOleDragDropEvent =
    std::function<void(TObject *Sender, int ARow, int ACol, const QString &data, bool &Allow)>;
using TOleDroppedEvent = std::function<void(TObject *Sender, TGridRect ARect)>;
using TOleDragOverEvent = std::function<void(TObject *Sender, int ARow, int ACol, bool &Allow)>;
using TOleDragStartEvent = std::function<void(TObject *Sender, int ARow, int ACol)>;
using TOleDragStopEvent = std::function<void(TObject *Sender, int OLEEffect)>;
using TOleDropColEvent = std::function<void(TObject *Sender, int ARow, int ACol, int DropCol)>;
using TOleDropFileEvent =
    std::function<void(TObject *Sender, int ARow, int ACol, const QString &FileName, bool &Allow)>;
using TOleDropURLEvent =
    std::function<void(TObject *Sender, int ARow, int ACol, const QString &URL, bool &Allow)>;
using TRatingChangeEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, double &NewRate, bool &Allow)>;
using TScrollCellEvent = std::function<void(TObject *Sender, int ACol, int ARow, int ScrollPosition,
                                            int ScrollMin, int ScrollMax)>;
using TSelectionResizeEvent =
    std::function<void(TObject *Sender, TGridRect OrigSelection, TGridRect NewSelection)>;
using TCellSaveLoadEvent = std::function<void(TObject *Sender, int ACol, int ARow, QString &Value)>;
