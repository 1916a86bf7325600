// Scrolling, sizing and the floating footer's calculation: bringing cells into view, the
// proportional scroll bars, scroll hints, stretching a column to the client width, sizing all
// columns or rows with the one the user sized, sizing vetoes, drag auto-scrolling and the
// footer row's figures.
#include "grid/core/zav_string_grid.h"

#include "framework/controls/balloon_tip.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "editors/cell_checker.h"
#include "framework/controls/forms.h"
#include "framework/stdctrls/menus.h"
#include "grid/foundation/pictures.h"
#include "grid/core/aux_controls.h"
#include "grid/core/feature_settings.h"
#include "grid/core/footer.h"
#include "grid/core/grid_error.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/grid_settings.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/themes.h"

// --- view ---

void TZavStringGrid::ScrollInView(int ColIndex, int RowIndex)
{
  if (ColIndex >= ColCount() || RowIndex >= RowCount())
    return;
  int lc = LeftCol();
  int tr = TopRow();
  const int vc = VisibleColCount();
  const int vr = VisibleRowCount();
  if (ColIndex < lc || ColIndex >= lc + vc) {
    SetCol(ColIndex);
    lc = std::max(ColIndex - vc / 2, FixedCols());
  }
  if (RowIndex < tr || RowIndex >= tr + vr) {
    SetRow(RowIndex);
    tr = std::max(RowIndex - vr / 2, FixedRows());
  }
  lc = std::min(lc, ColCount() - vc + 1);
  if (FixedCols() + vc < ColCount() && lc != LeftCol())
    SetLeftCol(std::clamp(lc, FixedCols(), ColCount() - 1));
  tr = std::min(tr, RowCount() - vr + 1);
  if (FixedRows() + vr >= RowCount())
    return;
  if (tr != TopRow())
    SetTopRow(std::clamp(tr, FixedRows(), RowCount() - 1));
  // The search panel rule (the row's bottom above the panel) comes with the search panel.
}

// --- footer ---

void TZavStringGrid::CalcFooter(int ACol) { DoCalcFooter(ACol); }

void TZavStringGrid::UpdateFooter() { FFloatingFooter->Invalidate(); }

void TZavStringGrid::LastRowChanged()
{
  TBaseGrid::LastRowChanged();
  UpdateFooter();
}

void TZavStringGrid::DoCalcFooter(int ACol)
{
  if (!FFloatingFooter->Visible() || FFloatingFooter->FooterStyle() != fsFixedLastRow ||
      !FFloatingFooter->EnableCalculation())
    return;
  const int last = RowCount() - 1;
  if (last < 0)
    return;
  int from = ACol, to = ACol;
  if (ACol == -1) {
    from = 0;
    to = AllColCount() - 1;
  }
  const int h = FFloatingFooter->CalculateHiddenRows() ? NumHiddenRows() : 0;
  const int r1 = FixedRows(), r2 = RowCount() - 2 + h;
  for (int c = std::max(from, 0); c <= to; ++c) {
    if (!HasCellProperties(c, last))
      continue;
    const TColumnCalcType kind = CellProperties(c, last)->CalcType();
    double v = 0;
    switch (kind) {
    case acNONE:
    case acSPREAD:
      continue;
    case acCOUNT:
      SetCells(c, last, IntToStr(RowCount() - FixedRows() - 1 + h));
      continue;
    case acCUSTOM: {
      QString value;
      if (OnFooterCalc)
        OnFooterCalc(this, c, RowCount() - 1 + h, value);
      else if (FFloatingFooter->OnCalcFooter)
        FFloatingFooter->OnCalcFooter(this, c, RowCount() - 1 + h, value);
      SetCells(c, last, value);
      continue;
    }
    case acSUM: v = ColumnSum(c, r1, r2); break;
    case acAVG: v = ColumnAvg(c, r1, r2); break;
    case acMIN: v = ColumnMin(c, r1, r2); break;
    case acMAX: v = ColumnMax(c, r1, r2); break;
    case acDISTINCT: v = ColumnDistinct(c, r1, r2); break;
    case acSTDDEV: v = ColumnStdDev(c, r1, r2); break;
    }
    // As the float writer does: the cell's float format through the checked formatter.
    bool isFloat = true;
    QString fmt;
    GetFloatFormat(c, last, isFloat, fmt);
    SetCells(c, last, Format(fmt, {v}));
  }
}

// --- stretching and sizing ---

void TZavStringGrid::InitOrigColSizes()
{
  FOrigColSizes->Clear();
  for (int c = 0; c < ColCount(); ++c)
    FOrigColSizes->Add(ColWidths(c));
  FOrigGridWidth = Width();
}

void TZavStringGrid::StretchColumnToFit(int Index)
{
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying) ||
      (Application && Application->Terminated()))
    return;
  // The range is checked only when a stretch would happen: a stale column number must not
  // raise on every resize of a grid that does not stretch.
  if (ColCount() == 0 || !FColumnSize->Stretch() || FStretching)
    return;
  if (Index == -1)
    Index = ColCount() - 1;
  if (Index >= ColCount())
    throw EZavGridError(QStringLiteral("Stretch column index out of range"));
  if (Index < 0)
    return;
  FStretching = true;
  const int C = ClientWidth();
  if (ColCount() == 1) {
    SetColWidths(Index, C);
  } else {
    int S = 0;
    for (int c = 0; c < ColCount(); ++c)
      if (c != Index)
        S += ColWidths(c);
    if (S < C)
      SetColWidths(Index, C - S - 1);
    else if (LeftCol() == FixedCols())
      SetColWidths(Index, DefaultColWidth());
  }
  FStretching = false;
  if (FFloatingFooter->Visible() && FFooterPanel)
    FFooterPanel->SetAlign(alBottom);
}

// The inherited editor never stays over a check box when the view moves or is sized.
void TZavStringGrid::HideEditorOnCheckBox()
{
  if (FInplaceEdit && FInplaceEdit->Visible() && GetCellType(RealCol(), Row()) == ctCheckBox)
    HideEditor();
}

// Every other normal column (row) times Factor, halves to even.
void TZavStringGrid::ScaleOtherExtents(bool Cols, int Sized, double Factor)
{
  const int first = Cols ? FixedCols() : FixedRows();
  const int count = Cols ? ColCount() : RowCount();
  for (int i = first; i < count; ++i) {
    if (i == Sized)
      continue;
    if (Cols)
      SetColWidths(i, int(std::nearbyint(ColWidths(i) * Factor)));
    else
      SetRowHeights(i, int(std::nearbyint(RowHeights(i) * Factor)));
  }
}

void TZavStringGrid::ColWidthsChanged()
{
  if (!FStretching)
    StretchColumnToFit(FColumnSize->StretchColumn());
  if (IsDesignTime() && FScrollHintWnd)
    FScrollHintWnd->ReleaseHandle();
  TBaseGrid::ColWidthsChanged();
  const int sized = FSizingCol;
  if (sized >= 0 && sized < ColCount() && ColWidths(sized) != FSizingColWidth) {
    FSizingCol = -1;
    if (FMouseActions->AllColumnSize() && FSizingColWidth > 0)
      ScaleOtherExtents(true, sized, double(ColWidths(sized)) / FSizingColWidth);
    if (OnEndColumnSize)
      OnEndColumnSize(this, sized);
    int w = ColWidths(sized);
    const int before = w;
    DoUpdateColumnSize(sized, w);
    if (w != before)
      SetColWidths(sized, w);
  }
  HideEditorOnCheckBox();
  UpdateFooter();
  CellControlsUpdate(false);
  if (FColumnSize->Stretch() && FScrollProportional)
    UpdateProportionalVertScroll();
}

void TZavStringGrid::RowHeightsChanged()
{
  if (IsDesignTime() && FScrollHintWnd)
    FScrollHintWnd->ReleaseHandle();
  TBaseGrid::RowHeightsChanged();
  const int sized = FSizingRow;
  if (sized >= 0 && sized < RowCount() && RowHeights(sized) != FSizingRowHeight) {
    FSizingRow = -1;
    if (FMouseActions->AllRowSize() && FSizingRowHeight > 0)
      ScaleOtherExtents(false, sized, double(RowHeights(sized)) / FSizingRowHeight);
    if (OnEndRowSize)
      OnEndRowSize(this, sized);
  }
  HideEditorOnCheckBox();
  CellControlsUpdate(false);
}

void TZavStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
  if (!Parent() || ComponentState().Contains(csLoading) || ComponentState().Contains(csReading) ||
      (Application && Application->Terminated())) {
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    return;
  }
  if (FColumnSize->Stretch())
    StretchColumnToFit(FColumnSize->StretchColumn());
  TBaseGrid::SizeChanged(OldColCount, OldRowCount);
  // Flat scroll bars are not available on this platform: the window bars stand for them.
}

void TZavStringGrid::CalcSizingState(int X, int Y, TGridState &State, int &Index, int &SizingPos,
                                     int &SizingOfs, TGridDrawInfo &FixedInfo)
{
  TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs, FixedInfo);
  if (State == gsColSizing && OnColumnSize) {
    const TGridCoord c = MouseCoord(X - 6, Y);
    if (c.Y >= 0 && c.Y < FixedRows() && c.X >= 0) {
      bool allow = true;
      OnColumnSize(this, c.X, allow);
      if (!allow)
        State = gsNormal;
    }
  }
  if (State == gsRowSizing && OnRowSize) {
    const TGridCoord c = MouseCoord(X, Y - 6);
    if (c.X >= 0 && c.X < FixedCols() && c.Y >= 0) {
      bool allow = true;
      OnRowSize(this, c.Y, allow);
      if (!allow)
        State = gsNormal;
    }
  }
}

bool TZavStringGrid::IsOnFixedSizingBorder(int X, int Y)
{
  const TGridCoord c = MouseCoord(X, Y);
  if (c.X < 0 || c.Y < 0)
    return false;
  const TRect r = CellRect(c.X, c.Y);
  if (Options().Contains(goColSizing) && c.Y < FixedRows())
    return std::abs(X - r.Left) < 4 || std::abs(X - r.Right) < 4;
  if (Options().Contains(goRowSizing) && c.X < FixedCols())
    return std::abs(Y - r.Top) <= 3 || std::abs(Y - r.Bottom) <= 3;
  return false;
}

// --- notifiers, appearance ---

void TZavStringGrid::RegisterNotifier(TGridChangeNotifier *ANotifier)
{
  if (ANotifier && FNotifierList->IndexOf(ANotifier) < 0)
    FNotifierList->Add(ANotifier);
}

void TZavStringGrid::UnRegisterNotifier(TGridChangeNotifier *ANotifier)
{
  const int i = FNotifierList->IndexOf(ANotifier);
  if (i >= 0)
    FNotifierList->Delete(i);
}

void TZavStringGrid::SetAutoThemeAdapt(bool Value)
{
  if (FAutoThemeAdapt == Value)
    return;
  FAutoThemeAdapt = Value;
  FSearchFooter->SetAutoThemeAdapt(Value);
  if (Value) {
    AdaptToOfficeTheme();
    Invalidate();
  }
  if (IsDesignTime() || ComponentState().Contains(csLoading) || !HandleAllocated())
    return;
  if (Value)
    GetThemeNotifier(this)->RegisterWindow(Handle());
  else
    GetThemeNotifier(this)->UnRegisterWindow(Handle());
}

// Flat bars do not exist here (ssFlat and ssEncarta look like ssNormal); ssMetro puts two thin
// bars of the grid's own over the window's bars, which it turns off.
void TZavStringGrid::SetScrollType(TScrollType Value)
{
  if (Value == FScrollType)
    return;
  FScrollType = Value;
  if (!HandleAllocated())
    return;
  if (Value == ssMetro) {
    // The window's bars go first, so that the thin ones align to the client area without them.
    SetScrollBars(ssNone);
    CreateThinBars();
  } else if (FVertThinBar || FHorzThinBar) {
    FreeThinBars();
    SetScrollBars(ssBoth);
  }
}

void TZavStringGrid::CreateThinBars()
{
  if (FVertThinBar)
    return;
  FVertThinBar = new TScrollControl(this);
  FHorzThinBar = new TScrollControl(this);
  FHorzThinBar->SetDirection(sdHorizontal);
  for (TScrollControl *bar : {FVertThinBar, FHorzThinBar}) {
    bar->SetDoubleBuffered(true);
    bar->SetParent(this);
    bar->SetVisible(true);
  }
  FVertThinBar->SetWidth(6);
  FVertThinBar->SetAlign(alRight);
  FHorzThinBar->SetHeight(6);
  FHorzThinBar->SetAlign(alBottom);
}

void TZavStringGrid::FreeThinBars()
{
  // Cleared before freeing, so that nothing reaches a bar while it goes.
  for (TScrollControl **bar : {&FVertThinBar, &FHorzThinBar}) {
    TScrollControl *b = *bar;
    *bar = nullptr;
    delete b;
  }
}

void TZavStringGrid::SetScrollProportional(bool Value)
{
  FScrollProportional = Value;
  if (Value) {
    UpdateProportionalVertScroll();
    UpdateProportionalHorzScroll();
  } else if (FIsFlat && FScrollType == ssNormal) {
    FIsFlat = false;
    if (HandleAllocated()) {
      SCROLLINFO si;
      si.fMask = SIF_PAGE;
      SetScrollInfo(Handle(), SB_HORZ, si, true);
      SetScrollInfo(Handle(), SB_VERT, si, true);
    }
  }
}

namespace {
// Extents summed with the grid line before each, in single precision as the bar arithmetic.
struct TBarSums {
  float F = 0, T = 0, L = 0, S = 0;
};
}  // namespace

void TZavStringGrid::UpdateProportionalHorzScroll()
{
  if (ComponentState().Contains(csLoading) || IsDesignTime() || !FScrollProportional || FScrollLock ||
      !HandleAllocated())
    return;
  const int g = GridLineWidth();
  TBarSums s;
  s.F = s.T = s.L = float(g);
  for (int c = 0; c < ColCount(); ++c) {
    const int w = ColWidths(c);
    s.S += float(w);
    if (c < FixedCols())
      s.F += float(g + w);
    else
      s.T += float(g + w);
    if (c >= FixedCols() && c < LeftCol())
      s.L += float(g + w);
  }
  const float W = float(Width());
  const float e = (W - s.F) / s.T;
  if (!(e < 0.9999f) || s.F + s.T - W < 5)
    return;
  SCROLLINFO si;
  GetScrollInfo(Handle(), SB_HORZ, si);
  si.fMask = SIF_ALL;
  si.nMin = 0;
  si.nMax = int((e + 127) / (1 - e));
  si.nPage = uint32_t(std::max(si.nMax - 126, 0));
  if (W < s.T)
    si.nPos = int(s.L / (s.T - W) * 128);
  SetScrollInfo(Handle(), SB_HORZ, si, true);
  if (FScrollBarAlways != saHorz && FScrollBarAlways != saBoth)
    ShowScrollBar(Handle(), SB_HORZ,
                  s.S >= W && (ScrollBars() == ssHorizontal || ScrollBars() == ssBoth));
}

void TZavStringGrid::UpdateProportionalVertScroll()
{
  if (ComponentState().Contains(csLoading) || IsDesignTime() || !FScrollProportional || FScrollLock ||
      !HandleAllocated())
    return;
  if (VisibleRowCount() + FixedRows() >= RowCount())
    return;
  const int g = GridLineWidth();
  TBarSums s;
  s.F = s.T = s.L = float(g);
  for (int r = 0; r < RowCount(); ++r) {
    const int h = RowHeights(r);
    if (r < FixedRows())
      s.F += float(g + h);
    else
      s.T += float(g + h);
    if (r >= FixedRows() && r < TopRow())
      s.L += float(g + h);
  }
  if (s.T == 0)
    return;
  const float H = float(Height());
  const float e = (H - s.F) / s.T;
  if (!(e < 0.9999f))
    return;
  SCROLLINFO si;
  GetScrollInfo(Handle(), SB_VERT, si);
  si.fMask = SIF_ALL;
  si.nMin = 0;
  si.nMax = int((e + 127) / (1 - e));
  si.nPage = uint32_t(std::max(si.nMax - 126, 0));
  si.nPos = H < s.T ? int(s.L / (s.T - H) * 128) : 127;
  SetScrollInfo(Handle(), SB_VERT, si, true);
}

// --- scroll messages ---

void TZavStringGrid::ScrollHint(TWMScroll &Message, bool Vert)
{
  const bool wanted = FScrollHints == shBoth || FScrollHints == (Vert ? shVertical : shHorizontal);
  if (!wanted || !FScrollHintWnd)
    return;
  if (Message.ScrollCode == SB_ENDSCROLL) {
    FScrollHintWnd->ReleaseHandle();
    return;
  }
  if (Message.ScrollCode != SB_THUMBTRACK)
    return;
  const int target = Vert ? MulDiv(Message.Pos, RowCount() - VisibleRowCount() - FixedRows(), 127) + FixedRows()
                          : MulDiv(Message.Pos, ColCount() - VisibleColCount() - FixedCols(), 127) + FixedCols();
  QString hint = (Vert ? QStringLiteral("Row : ") : QStringLiteral("Col : ")) + IntToStr(target);
  if (OnScrollHint)
    OnScrollHint(this, target, hint);
  TRect r = FScrollHintWnd->CalcHintRect(100, hint, nullptr);
  TPoint pt;
  GetCursorPos(pt);
  const int w = r.Width(), h = r.Height();
  r = TRect(pt.X + 10, pt.Y, pt.X + 10 + w, pt.Y + h);
  FScrollHintWnd->SetColor(FHintColor);
  FScrollHintWnd->ActivateHint(r, hint);
}

void TZavStringGrid::WMHScroll(TWMScroll &Message)
{
  ScrollHint(Message, false);
  if (FScrollSynch && Message.ScrollCode == SB_THUMBTRACK) {
    const int c = MulDiv(Message.Pos, ColCount() - VisibleColCount() - FixedCols(), 127) + FixedCols();
    if (c >= FixedCols() && c < ColCount())
      SetLeftCol(c);
  }
  if (FixedCols() == 0 && Message.ScrollCode == SB_THUMBTRACK && Message.Pos >= Col())
    HideInplaceEdit();
  TBaseGrid::WMHScroll(Message);
  if (Message.ScrollCode == SB_ENDSCROLL && ColCount() == 1)
    Invalidate();
  HideEditorOnCheckBox();
  UpdateFooter();
}

void TZavStringGrid::WMVScroll(TWMScroll &Message)
{
  if (IsDesignTime()) {
    TBaseGrid::WMVScroll(Message);
    return;
  }
  ScrollHint(Message, true);
  if (FScrollSynch && Message.ScrollCode == SB_THUMBTRACK) {
    const int r = MulDiv(Message.Pos, RowCount() - VisibleRowCount() - FixedRows(), 127) + FixedRows();
    if (r >= FixedRows() && r < RowCount())
      SetTopRow(r);
  }
  TBaseGrid::WMVScroll(Message);
  HideEditorOnCheckBox();
}

void TZavStringGrid::WMGetDlgCode(TWMGetDlgCode &Message)
{
  TBaseGrid::WMGetDlgCode(Message);
  if (FNavigation->AutoGotoWhenSorted() || !Options().Contains(goEditing))
    Message.Result |= DLGC_WANTCHARS;
}

namespace {
// Neither object is touched: the one removed is half destroyed, and a reference the grid keeps
// may already be stale.
template <typename T>
bool SameObject(TComponent *A, T *B)
{
  if constexpr (std::is_base_of_v<TComponent, T>)
    return B && static_cast<TComponent *>(B) == A;
  else
    return B && static_cast<const void *>(B) == static_cast<const void *>(A);
}
}  // namespace

void TZavStringGrid::Notification(TComponent *AComponent, TOperation Operation)
{
  if (Operation == opRemove) {
    if (SameObject(AComponent, FGridImages))
      FGridImages = nullptr;
    if (SameObject(AComponent, FPictureContainer))
      FPictureContainer = nullptr;
    if (SameObject(AComponent, FCellChecker))
      FCellChecker = nullptr;
    if (SameObject(AComponent, FFixedDropDownMenu))
      FFixedDropDownMenu = nullptr;
    if (SameObject(AComponent, FHToolTip))
      FHToolTip = nullptr;
    if (SameObject(AComponent, FEditBalloon))
      FEditBalloon = nullptr;
    if (!ComponentState().Contains(csDestroying) && FSyncGrid && SameObject(AComponent, FSyncGrid->Grid()))
      FSyncGrid->SetGrid(nullptr);
  }
  TBaseGrid::Notification(AComponent, Operation);
}

// --- drag auto-scrolling ---

bool TZavStringGrid::DragScrollTimerActive() const { return FDragTimer && FDragTimer->Enabled(); }

void TZavStringGrid::DragScrollOver(int X, int Y, bool Leaving)
{
  if (!FDragScrollOptions->Active() || Leaving) {
    FDragTimer.reset();
    FDragScrollDir = {};
    return;
  }
  const TDragScrollMargins *m = FDragScrollOptions->Margins();
  TDragScrollDirection dir;
  if (Y < m->TopMargin())
    dir += dsdUp;
  if (Y > Height() - m->BottomMargin())
    dir += dsdDown;
  if (X < m->LeftMargin())
    dir += dsdLeft;
  if (X > Width() - m->RightMargin())
    dir += dsdRight;
  const int initial = FDragScrollOptions->Delays()->InitialDelay();
  if (dir.Empty()) {
    FDragTimer.reset();
  } else if (!FDragTimer) {
    FDragTimer = std::make_unique<TTimer>(nullptr);
    FDragTimer->SetInterval(uint32_t(initial));
    FDragTimer->SetOnTimer([this](TObject *) { DragScrollTick(); });
    FDragTimer->SetEnabled(true);
  } else if (!FDragScrollDir.Empty()) {
    // A new position restarts the wait before the first step.
    FDragTimer->SetEnabled(false);
    FDragTimer->SetInterval(uint32_t(initial));
    FDragTimer->SetEnabled(true);
  }
  FDragScrollDir = dir;
}

void TZavStringGrid::DragScrollTick()
{
  if (!FDragTimer)
    return;
  if (!FDragScrollOptions->Active()) {
    // Called from the timer itself: it is stopped here and freed by the next drag event.
    FDragTimer->SetEnabled(false);
    return;
  }
  FDragTimer->SetInterval(uint32_t(FDragScrollOptions->Delays()->RepeatDelay()));
  TDragScrollDirection dir = FDragScrollDir;
  bool canScroll = true;
  if (OnDragScroll)
    OnDragScroll(this, TopRow(), LeftCol(), dir, canScroll);
  if (!canScroll)
    return;
  if (dir.Contains(dsdUp) && TopRow() > FixedRows())
    SetTopRow(TopRow() - 1);
  if (dir.Contains(dsdDown) && TopRow() + VisibleRowCount() < RowCount())
    SetTopRow(TopRow() + 1);
  if (dir.Contains(dsdLeft) && LeftCol() > FixedCols())
    SetLeftCol(LeftCol() - 1);
  if (dir.Contains(dsdRight) && LeftCol() + VisibleColCount() < ColCount())
    SetLeftCol(LeftCol() + 1);
}
