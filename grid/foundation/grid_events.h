#pragma once
// Signatures of the grid's published events. Every event passes its sender first; whether the
// column or the row comes next differs between events and is part of each signature.
#include <QString>

#include <functional>

#include "framework/classes/classes.h"
#include "framework/graphics/graphics.h"
#include "framework/grids/grid_types.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/system/types.h"
#include "grid/foundation/grid_enums.h"

using TGetDisplTextEvent = std::function<void(TObject *Sender, int ACol, int ARow, QString &Value)>;
using TFloatFormatEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, bool &IsFloat, QString &FloatFormat)>;
using TOnResizeEvent = std::function<void(TObject *Sender)>;
using TColumnSizeEvent = std::function<void(TObject *Sender, int ACol, bool &Allow)>;
using TColumnSizingEvent = std::function<void(TObject *Sender, int ACol, int ColumnSize)>;
using TRowSizingEvent = std::function<void(TObject *Sender, int ARow, int RowSize)>;
using TRowSizeEvent = std::function<void(TObject *Sender, int ARow, bool &Allow)>;
using TEndColumnSizeEvent = std::function<void(TObject *Sender, int ACol)>;
using TUpdateColumnSizeEvent = std::function<void(TObject *Sender, int ACol, int &AWidth)>;
using TEndRowSizeEvent = std::function<void(TObject *Sender, int ARow)>;
using TClickCellEvent = std::function<void(TObject *Sender, int ARow, int ACol)>;
using TDblClickCellEvent = std::function<void(TObject *Sender, int ARow, int ACol)>;
using TCanEditCellEvent = std::function<void(TObject *Sender, int ARow, int ACol, bool &CanEdit)>;
using TScrollHintEvent = std::function<void(TObject *Sender, int ARow, QString &hintstr)>;
using TButtonClickEvent = std::function<void(TObject *Sender, int ACol, int ARow)>;
using TExpandClickEvent = std::function<void(TObject *Sender, int ACol, int ARow, bool Expanded)>;
using TCheckBoxClickEvent = std::function<void(TObject *Sender, int ACol, int ARow, bool State)>;
using TGetEditorTypeEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, TEditorType &AEditor)>;
using TCustomCellDrawEvent = std::function<void(TObject *Sender, TCanvas *Canvas, int ACol, int ARow,
                                                TGridDrawState AState, TRect ARect, bool Printing)>;
using TAnchorClickEvent = std::function<void(TObject *Sender, int ARow, int ACol,
                                             const QString &Anchor, bool &AutoHandle)>;
using TAnchorHintEvent = std::function<void(TObject *Sender, int ARow, int ACol, QString &Anchor)>;
using TAnchorEvent = std::function<void(TObject *Sender, int ARow, int ACol, const QString &Anchor)>;
using TClickSortEvent = std::function<void(TObject *Sender, int ACol)>;
using TCanSortEvent = std::function<void(TObject *Sender, int ACol, bool &DoSort)>;
using TCustomCompareEvent =
    std::function<void(TObject *Sender, const QString &str1, const QString &str2, int &Res)>;
using TRawCompareEvent = std::function<void(TObject *Sender, int ACol, int Row1, int Row2, int &Res)>;
using TGridFormatEvent = std::function<void(TObject *Sender, int ACol, TSortStyle &AStyle,
                                            QString &aPrefix, QString &aSuffix)>;
using TGridColorEvent = std::function<void(TObject *Sender, int ARow, int ACol, TGridDrawState AState,
                                           TBrush *ABrush, TFont *AFont)>;
using TGridGradientEvent =
    std::function<void(TObject *Sender, int ARow, int ACol, TColor &Color, TColor &ColorTo,
                       TColor &ColorMirror, TColor &ColorMirrorTo, TCellGradientDirection &GD)>;
using TGridBorderEvent =
    std::function<void(TObject *Sender, int ARow, int ACol, TPen *APen, TCellBorders &Borders)>;
using TGridBorderPropEvent = std::function<void(TObject *Sender, int ARow, int ACol, TPen *LeftPen,
                                                TPen *TopPen, TPen *RightPen, TPen *BottomPen)>;
using TGridAlignEvent = std::function<void(TObject *Sender, int ARow, int ACol, TAlignment &HAlign,
                                           TVAlignment &VAlign)>;
using TGridHintEvent = std::function<void(TObject *Sender, int ARow, int ACol, QString &hintstr)>;
using TEllipsClickEvent = std::function<void(TObject *Sender, int ACol, int ARow, QString &S)>;
using TGridBalloonEvent = std::function<void(TObject *Sender, int ACol, int ARow, QString &ATitle,
                                             QString &AText, int &AIcon)>;
using TCanInsertRowEvent = std::function<void(TObject *Sender, int ARow, bool &CanInsert)>;
using TAutoInsertRowEvent = std::function<void(TObject *Sender, int ARow)>;
using TCanAddRowEvent = std::function<void(TObject *Sender, bool &CanAdd)>;
using TAutoAddRowEvent = std::function<void(TObject *Sender, int ARow)>;
using TCanDeleteRowEvent = std::function<void(TObject *Sender, int ARow, bool &CanDelete)>;
using TAutoDeleteRowEvent = std::function<void(TObject *Sender, int ARow)>;
using TAutoInsertColEvent = std::function<void(TObject *Sender, int ACol)>;
using TSearchEditChangeEvent =
    std::function<void(TObject *Sender, const QString &Value, bool &DefaultSearch)>;
using TSpinClickEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, int AValue, bool UpDown)>;
using TImageChangeEvent = std::function<void(TObject *Sender, int Acol, int Arow)>;
using TIsDesigningEvent = std::function<void(TObject *Sender, bool &IsDesigning)>;
