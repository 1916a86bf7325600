#include "grid/core/feature_settings.h"

#include "grid/core/zav_string_grid.h"
#include "grid/data/ole_drop.h"

void TGrouping::Assign(TPersistent *Source)
{
  auto *s = dynamic_cast<TGrouping *>(Source);
  if (!s)
    return;
  // Summary and the two line colours and widths stay as they are.
  FAutoSelectGroup = s->FAutoSelectGroup;
  FAutoCheckGroup = s->FAutoCheckGroup;
  FGroupCountFormat = s->FGroupCountFormat;
  FHeaderColor = s->FHeaderColor;
  FHeaderColorTo = s->FHeaderColorTo;
  FHeaderTextColor = s->FHeaderTextColor;
  FHeaderUnderline = s->FHeaderUnderline;
  FMergeHeader = s->FMergeHeader;
  FMergeSummary = s->FMergeSummary;
  FShowGroupCount = s->FShowGroupCount;
  FSummaryColor = s->FSummaryColor;
  FSummaryColorTo = s->FSummaryColorTo;
  FSummaryTextColor = s->FSummaryTextColor;
  FSummaryLine = s->FSummaryLine;
}

void TDragDropSettings::Assign(TPersistent *Source)
{
  auto *s = dynamic_cast<TDragDropSettings *>(Source);
  if (!s)
    return;
  FShowCells = s->FShowCells;
  FOleAcceptFiles = s->FOleAcceptFiles;
  FOleAcceptText = s->FOleAcceptText;
  FOleAcceptURLs = s->FOleAcceptURLs;
  FOleAppendRows = s->FOleAppendRows;
  FOleColumnDragDrop = s->FOleColumnDragDrop;
  FOleColumnReorder = s->FOleColumnReorder;
  FOleColumnsOnly = s->FOleColumnsOnly;
  FOleCopyAlways = s->FOleCopyAlways;
  SetOleDropTarget(s->FOleDropTarget);
  FOleDropSource = s->FOleDropSource;
  FOleEntireRows = s->FOleEntireRows;
  FOleInsertRows = s->FOleInsertRows;
  FOleRemoveRows = s->FOleRemoveRows;
  SetOleDropRTF(s->FOleDropRTF);
}

TDragDropSettings::TDragDropSettings(TZavStringGrid *AGrid) : FGrid(AGrid) {}

TDragDropSettings::~TDragDropSettings()
{
  if (FDropTargetRegistered && FGrid && FGrid->HandleAllocated())
    RevokeDragDrop(FGrid->Handle());
}

void TDragDropSettings::SetOleDropTarget(bool Value)
{
  FOleDropTarget = Value;
  if (!FGrid || FGrid->ComponentState().Contains(csDesigning))
    return;
  if (Value) {
    if (!FDropTarget)
      FDropTarget = std::make_unique<TGridDropTarget>(FGrid);
    RegisterDropTarget();
  } else if (FDropTargetRegistered) {
    if (FGrid->HandleAllocated())
      RevokeDragDrop(FGrid->Handle());
    FDropTargetRegistered = false;
  }
}

void TDragDropSettings::RegisterDropTarget()
{
  if (!FOleDropTarget || !FDropTarget || !FGrid || !FGrid->HandleAllocated())
    return;
  // A window that already has this target keeps it.
  if (RegisteredDropTarget(FGrid->Handle()) == FDropTarget.get()) {
    FDropTargetRegistered = true;
    return;
  }
  FDropTargetRegistered = RegisterDragDrop(FGrid->Handle(), FDropTarget.get()) == S_OK;
}

void TBalloonSettings::Assign(TPersistent *Source)
{
  auto *s = dynamic_cast<TBalloonSettings *>(Source);
  if (!s)
    return;
  FTextColor = s->FTextColor;
  FBackgroundColor = s->FBackgroundColor;
  FInitialDelay = s->FInitialDelay;
  FAutoHideDelay = s->FAutoHideDelay;
  FReshowDelay = s->FReshowDelay;
  FEnable = s->FEnable;
}

void TBalloonSettings::SetEnable(bool Value)
{
  FEnable = Value;
  if (OnEnableChange)
    OnEnableChange(this);
}

void TShowModified::Assign(TPersistent *Source)
{
  auto *s = dynamic_cast<TShowModified *>(Source);
  if (!s)
    return;
  SetColor(s->FColor);
  FEnabled = s->FEnabled;
}

void TShowModified::SetColor(TColor Value)
{
  FColor = Value;
  if (OnChange)
    OnChange(this);
}

void TDragScrollDelays::Assign(TPersistent *Source)
{
  if (auto *s = dynamic_cast<TDragScrollDelays *>(Source)) {
    FInitialDelay = s->FInitialDelay;
    FRepeatDelay = s->FRepeatDelay;
  }
}

void TDragScrollMargins::Assign(TPersistent *Source)
{
  if (auto *s = dynamic_cast<TDragScrollMargins *>(Source)) {
    FTopMargin = s->FTopMargin;
    FBottomMargin = s->FBottomMargin;
    FLeftMargin = s->FLeftMargin;
    FRightMargin = s->FRightMargin;
  }
}

TDragScrollOptions::TDragScrollOptions()
    : FDelays(std::make_unique<TDragScrollDelays>()), FMargins(std::make_unique<TDragScrollMargins>())
{
}

TDragScrollOptions::~TDragScrollOptions() = default;

void TDragScrollOptions::Assign(TPersistent *Source)
{
  if (auto *s = dynamic_cast<TDragScrollOptions *>(Source)) {
    FActive = s->FActive;
    FDelays->Assign(s->FDelays.get());
    FMargins->Assign(s->FMargins.get());
  }
}

void TGridProgressAppearance::Assign(TPersistent *Source)
{
  auto *s = dynamic_cast<TGridProgressAppearance *>(Source);
  if (!s)
    return;
  FValues = s->FValues;
  Changed();
}

TFilterDropDown::TFilterDropDown()
    : FFont(std::make_unique<TFont>()), FGlyph(std::make_unique<TBitmap>()), FGlyphActive(std::make_unique<TBitmap>())
{
  auto changed = [this](TObject *) {
    if (OnChange)
      OnChange(this);
  };
  FGlyph->OnChange = changed;
  FGlyphActive->OnChange = changed;
}

TFilterDropDown::~TFilterDropDown() = default;

void TFilterDropDown::Assign(TPersistent *Source)
{
  auto *s = dynamic_cast<TFilterDropDown *>(Source);
  if (!s)
    return;
  FColor = s->FColor;
  FColumnWidth = s->FColumnWidth;
  FFont->Assign(s->FFont.get());
  FHeight = s->FHeight;
  FWidth = s->FWidth;
  FGlyph->Assign(s->FGlyph.get());
  FGlyphActive->Assign(s->FGlyphActive.get());
}
