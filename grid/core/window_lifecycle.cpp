// The grid's window life cycle: window creation, loading, repaint, resize and bounds, the
// scroll-bar policy, and copying another grid's settings and cells.
#include "framework/controls/forms.h"
#include "framework/controls/messages.h"
#include "framework/grids/inplace_edit.h"
#include "framework/stdctrls/stdctrls.h"
#include "grid/core/control_look.h"
#include "grid/core/cell_node.h"
#include "grid/core/feature_settings.h"
#include "grid/core/footer.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/grid_settings.h"
#include "grid/core/sort_settings.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"
#include "grid/view/editor_wrappers.h"

void TZavStringGrid::CreateWnd()
{
  if (ComponentState().Contains(csDestroying))
    return;
  TBaseGrid::CreateWnd();
  if (!Parent())
    return;
  if (FRunTime) {
    if (FScrollType == ssMetro)
      CreateThinBars();
    for (TScrollBar *bar : {FScrollBar.get(), FPaintScrollBar.get()}) {
      if (!bar)
        continue;
      bar->SetParent(this);
      bar->SetVisible(false);
      bar->SetTabStop(false);
      bar->SetKind(sbVertical);
      bar->SetCtl3D(false);
    }
    if (FBalloon->Enable())
      BalloonInit();
  }
  FFooterPanel->SetParent(this);
  FFooterPanel->SetVisible(FFloatingFooter->Visible());
  // With the search panel: parented to the grid as well, visible as SearchFooter()->Visible(),
  // 32 pixels high when visible, else 0.
  if (FColumnSize->Save())
    LoadColSizes();
  FGridTimerID = ::SetTimer(Handle(), GridTimerID, 500);
  if (IsDesignTime() && !FGridLoaded && FOwnerForm == nullptr && Owner() &&
      !Owner()->ComponentState().Contains(csLoading))
    Font()->SetName(QStringLiteral("Tahoma"));
  if (FIsWinXP)
    FIsWinXP = GetXPVisualStyle() != 0;
  wheelmsg = WM_MOUSEWHEEL;
  wheelscrl = GetWheelScrollLines();
  if (wheelscrl == -1)
    wheelscrl = VisibleRowCount();
  // Flat scroll bars do not exist here: ssFlat and ssEncarta look like ssNormal.
  // A drop target set before the window existed, or of a window made again, registers now.
  if (FRunTime)
    FDragDropSettings->RegisterDropTarget();
}

void TZavStringGrid::Loaded()
{
  TBaseGrid::Loaded();
  FLoadedCursor = Cursor();
  ShowColumnHeaders();
  ShowRowHeaders();
  if (FLook == glZAV) {
    FLook = glCustom;
    SetLook(glZAV);
  }
  if (FAutoSize)
    AutoSizeColumns(false, 4);
  if (FColumnSize->Save())
    LoadColSizes();
  FMinFixedRows = FixedRows();
  FMinFixedCols = FixedCols();
  FMinRowHeight = DefaultRowHeight();
  FMinColWidth = 10;
  FMaxRowCount = RowCount();
  FGridLoaded = true;
  if (Options().Contains(goAlwaysShowEditor)) {
    FNavigation->SetAlwaysEdit(true);
    SetOptions(Options() - goAlwaysShowEditor);
  }
  // Without an active visual theme the themed controls would draw nothing: fall back to classic.
  if (!FIsWinXP && FControlLook->ControlStyle() == ZavGrid::TControlStyle::csTheme && !IsDesignTime())
    FControlLook->SetControlStyle(ZavGrid::TControlStyle::csClassic);
  FSearchFooter->SetAutoThemeAdapt(FAutoThemeAdapt);
  UpdateSearchPanel(this);
  UpdateScrollBarAlways(false);
  if (FAutoThemeAdapt && !IsDesignTime())
    AdaptToOfficeTheme();
  InitOrigColSizes();
  SetColumnOrder();
  if (FBalloon->Enable())
    BalloonInit();
  ApplyFrameworkStyle();
}

void TZavStringGrid::Invalidate()
{
  if (FEditChange) {
    FEditChange = false;
    return;
  }
  TBaseGrid::Invalidate();
  if (!ComponentState().Contains(csLoading) && FFooterPanel && FFloatingFooter && FFloatingFooter->Visible())
    FFooterPanel->Invalidate();
}

void TZavStringGrid::Resize()
{
  TBaseGrid::Resize();
  // A gradient background stretches over the whole client area: a new size repaints all of it.
  if (FBackGround && (FBackGround->Display() == bdGradientHorz || FBackGround->Display() == bdGradientVert) &&
      FBackGround->ColorTo() != clNone)
    Invalidate();
  UpdateScrollBarAlways(false);
  CellControlsUpdate(false);
  if (IsDesignTime())
    Invalidate();
}

void TZavStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  if (FIntegralHeight && FUpdateCount == 0 && DefaultRowHeight() > 0) {
    const int s = VisibleColCount() + FixedCols() < ColCount() ? GetSystemMetrics(SM_CYHSCROLL) : 0;
    const int b = BorderStyle() == bsSingle ? 2 : 0;
    int t = AHeight - s - b;
    t -= t % DefaultRowHeight();
    AHeight = s + t + 2 * b;
  }
  TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (Parent() && Parent()->HandleAllocated())
    DrawNCBorder();
}

void TZavStringGrid::SetBorderColor(TColor Value)
{
  if (FBorderColor == Value)
    return;
  FBorderColor = Value;
  if (Parent() && Parent()->HandleAllocated())
    DrawNCBorder();
}

void TZavStringGrid::UpdateScrollBarAlways(bool Force)
{
  if (!HandleAllocated())
    return;
  const bool rowsFit = VisibleRowCount() + FixedRows() >= RowCount();
  const bool colsFit = VisibleColCount() + FixedCols() >= ColCount();
  HWND h = Handle();
  switch (FScrollBarAlways) {
  case saVert:
  case saBoth:
    if (rowsFit) {
      ShowScrollBar(h, SB_VERT, true);
      EnableScrollBar(h, SB_VERT, ESB_DISABLE_BOTH);
    } else {
      EnableScrollBar(h, SB_VERT, ESB_ENABLE_BOTH);
    }
    if (colsFit) {
      ShowScrollBar(h, SB_HORZ, FScrollBarAlways == saBoth);
      EnableScrollBar(h, SB_HORZ, ESB_DISABLE_BOTH);
    } else {
      EnableScrollBar(h, SB_HORZ, ESB_ENABLE_BOTH);
    }
    break;
  case saHorz:
    if (rowsFit) {
      ShowScrollBar(h, SB_VERT, false);
      EnableScrollBar(h, SB_VERT, ESB_DISABLE_BOTH);
    } else {
      EnableScrollBar(h, SB_VERT, ESB_ENABLE_BOTH);
    }
    if (colsFit) {
      ShowScrollBar(h, SB_HORZ, true);
      EnableScrollBar(h, SB_HORZ, ESB_DISABLE_BOTH);
    } else {
      EnableScrollBar(h, SB_HORZ, ESB_ENABLE_BOTH);
    }
    break;
  case saNone:
    if (Force && rowsFit)
      ShowScrollBar(h, SB_VERT, false);
    if (Force && colsFit)
      ShowScrollBar(h, SB_HORZ, false);
    break;
  }
}

TInplaceEdit *TZavStringGrid::CreateEditor()
{
  return new TZavInplaceEdit(this);
}

QString TZavStringGrid::GetEditMask(int ACol, int ARow)
{
  QString value = FEditMask;
  if (OnGetEditMask)
    OnGetEditMask(this, ACol, ARow, value);
  return value;
}

TCustomForm *TZavStringGrid::FindParentForm(TControl *Control)
{
  if (!Control)
    return nullptr;
  if (auto *form = dynamic_cast<TCustomForm *>(Control))
    return form;
  return FindParentForm(Control->Parent());
}

void TZavStringGrid::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<TZavStringGrid *>(Source);
  if (!src)
    return;
  Font()->Assign(src->Font());
  FActiveCellColor = src->FActiveCellColor;
  FActiveCellColorTo = src->FActiveCellColorTo;
  FActiveCellFont->Assign(src->FActiveCellFont.get());
  FActiveCellShow = src->FActiveCellShow;
  SetActiveRowShow(src->ActiveRowShow());
  SetAlign(src->Align());
  FFilterDropDown->Assign(src->FFilterDropDown.get());
  FAnchorHint = src->FAnchorHint;
  FAutoNumAlign = src->FAutoNumAlign;
  FAutoSize = src->FAutoSize;
  FAutoThemeAdapt = src->FAutoThemeAdapt;
  FAutoFilterUpdate = src->FAutoFilterUpdate;
  FMouseActions->Assign(src->FMouseActions.get());
  FNavigation->Assign(src->FNavigation.get());
  FGrouping->Assign(src->FGrouping.get());
  FSearchFooter->Assign(src->FSearchFooter.get());
  FPrintSettings->Assign(src->FPrintSettings.get());
  FFilter->Assign(src->FFilter.get());
  FHTMLSettings->Assign(src->FHTMLSettings.get());
  FBands->Assign(src->FBands.get());
  FCellNode->Assign(src->FCellNode.get());
  FSortSettings->Assign(src->FSortSettings.get());
  FDragScrollOptions->Assign(src->FDragScrollOptions.get());
  FDragDropSettings->Assign(src->FDragDropSettings.get());
  FProgressAppearance->Assign(src->FProgressAppearance.get());
  FColumnSize->Assign(src->FColumnSize.get());
  FSyncGrid->Assign(src->FSyncGrid.get());
  FFocusHelper->Assign(src->FFocusHelper.get());
  FFixedRowAlways = src->FFixedRowAlways;
  SetColCount(src->ColCount());
  SetRowCount(src->RowCount());
  SetFixedRows(src->FixedRows());
  SetFixedCols(src->FixedCols());
  SetDefaultColWidth(src->DefaultColWidth());
  SetDefaultRowHeight(src->DefaultRowHeight());
  SetFixedRowHeight(src->FixedRowHeight());
  SetFixedColWidth(src->FixedColWidth());
  FInvalidEntryTitle = src->FInvalidEntryTitle;
  FInvalidEntryIcon = src->FInvalidEntryIcon;
  FInvalidEntryText = src->FInvalidEntryText;
  SetOptions(src->Options());
  for (int c = 0; c < ColCount(); ++c)
    SetColWidths(c, src->ColWidths(c));
  FColumnHeaders->Assign(src->FColumnHeaders.get());
  for (int r = 0; r < RowCount(); ++r)
    SetRowHeights(r, src->RowHeights(r));
  FScrollProportional = src->FScrollProportional;
  FScrollSynch = src->FScrollSynch;
  FScrollWidth = src->FScrollWidth;
  FScrollHints = src->FScrollHints;
  FScrollBarAlways = src->FScrollBarAlways;
  SetScrollBars(src->ScrollBars());
  SetScrollColor(src->ScrollColor());
  SetScrollType(src->ScrollType());
  SetScrollWidth(src->ScrollWidth());
  AssignCells(src);
}

void TZavStringGrid::AssignCells(TPersistent *Source)
{
  auto *src = dynamic_cast<TZavStringGrid *>(Source);
  if (!src)
    return;
  TMemoryStream stream;
  src->SaveToStream(&stream);
  stream.SetPosition(0);
  LoadFromStream(&stream);
}
