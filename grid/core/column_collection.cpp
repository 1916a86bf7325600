// Column items and their collection: how a change of a column reaches its grid (plain store,
// repaint, or a collection update that may change the grid's column count).
#include "grid/core/column_collection.h"

#include <algorithm>

#include "grid/core/column_grid.h"

namespace {

// Copies into a font, pen or list without firing its change notification.
template <typename T, typename S>
void AssignQuietly(T &Target, S *Source)
{
  auto saved = std::move(Target.OnChange);
  Target.OnChange = nullptr;
  Target.Assign(Source);
  Target.OnChange = std::move(saved);
}

}  // namespace

TGridColumnItem::TGridColumnItem(TCollection *Collection)
    : TCollectionItem(nullptr), FBorderPen(std::make_unique<TPen>()),
      FComboItems(std::make_unique<TStringList>()), FFilter(std::make_unique<TStringList>()),
      FFont(std::make_unique<TFont>()), FHeaderFont(std::make_unique<TFont>()),
      FPrintBorderPen(std::make_unique<TPen>()), FPrintFont(std::make_unique<TFont>())
{
  FBorderPen->SetColor(clSilver);
  FPrintBorderPen->SetColor(clBlack);
  auto *columns = dynamic_cast<TGridColumnCollection *>(Collection);
  if (TZavColumnGrid *grid = columns ? columns->Grid() : nullptr) {
    for (TFont *f : {FFont.get(), FHeaderFont.get(), FPrintFont.get()})
      f->Assign(grid->Font());
    FColor = grid->Color();
  }
  if (!Collection)
    return;
  FFont->OnChange = [this](TObject *) { NotifyCollection(); };
  FHeaderFont->OnChange = [this](TObject *) { NotifyCollection(); };
  FBorderPen->OnChange = [this](TObject *) { NotifyCollection(); };
  FFilter->OnChange = [this](TObject *) { RepaintGrid(); };
  // Joined last: the collection's update reads every item, this one included.
  SetCollection(Collection);
}

TGridColumnItem::~TGridColumnItem()
{
  for (TGraphicsObject *o : {static_cast<TGraphicsObject *>(FFont.get()), static_cast<TGraphicsObject *>(FHeaderFont.get()),
                             static_cast<TGraphicsObject *>(FBorderPen.get())})
    o->OnChange = nullptr;
  FFilter->OnChange = nullptr;
}

TZavColumnGrid *TGridColumnItem::Grid() const
{
  auto *columns = dynamic_cast<TGridColumnCollection *>(Collection());
  return columns ? columns->Grid() : nullptr;
}

void TGridColumnItem::RepaintGrid() const
{
  if (TZavColumnGrid *g = Grid())
    g->Invalidate();
}

void TGridColumnItem::CopyFrom(const TGridColumnItem &S, bool Visuals)
{
  FAlignment = S.FAlignment;
  FHeaderAlignment = S.FHeaderAlignment;
  AssignQuietly(*FBorderPen, S.FBorderPen.get());
  FBorders = S.FBorders;
  FCheckFalse = S.FCheckFalse;
  FCheckTrue = S.FCheckTrue;
  TZavColumnGrid *grid = Grid();
  if (Visuals && grid) {
    FColor = grid->Color();
    AssignQuietly(*FFont, grid->Font());
  } else {
    FColor = S.FColor;
    AssignQuietly(*FFont, S.FFont.get());
  }
  if (!Visuals) {
    FComboItems->Assign(S.FComboItems.get());
    FDropDownCount = S.FDropDownCount;
    AssignQuietly(*FHeaderFont, S.FHeaderFont.get());
    FHeader = S.FHeader;
    FName = S.FName;
    FTag = S.FTag;
  }
  FEditLength = S.FEditLength;
  FEditLink = S.FEditLink;
  FEditMask = S.FEditMask;
  FEditor = S.FEditor;
  FFixed = S.FFixed;
  FPassword = S.FPassword;
  FPrintBorderPen->Assign(S.FPrintBorderPen.get());
  FPrintBorders = S.FPrintBorders;
  FPrintColor = S.FPrintColor;
  FPrintFont->Assign(S.FPrintFont.get());
  FReadOnly = S.FReadOnly;
  FSortPrefix = S.FSortPrefix;
  FSortStyle = S.FSortStyle;
  FSortSuffix = S.FSortSuffix;
  FSpinMax = S.FSpinMax;
  FSpinMin = S.FSpinMin;
  FSpinStep = S.FSpinStep;
  FColumnPopup = S.FColumnPopup;
  FWidth = S.Width();
  FShowBands = S.FShowBands;
  FMinSize = S.FMinSize;
  FMaxSize = S.FMaxSize;
  FAutoMinSize = S.FAutoMinSize;
  FAutoMaxSize = S.FAutoMaxSize;
  AssignQuietly(*FFilter, S.FFilter.get());
  FFilterCaseSensitive = S.FFilterCaseSensitive;
  FDefIdx = S.FDefIdx;
  FFloatFormat = S.FFloatFormat;
}

void TGridColumnItem::Assign(TPersistent *Source)
{
  if (auto *s = dynamic_cast<TGridColumnItem *>(Source)) {
    if (s != this)
      CopyFrom(*s, false);
    return;
  }
  TCollectionItem::Assign(Source);
}

void TGridColumnItem::AssignVisuals(TPersistent *Source)
{
  if (auto *s = dynamic_cast<TGridColumnItem *>(Source)) {
    if (s != this)
      CopyFrom(*s, true);
    return;
  }
  TCollectionItem::Assign(Source);
}

QString TGridColumnItem::GetDisplayName() const
{
  if (!FName.isEmpty())
    return QStringLiteral("Col %1: %2").arg(Index()).arg(FName);
  return QStringLiteral("Column %1").arg(Index());
}

void TGridColumnItem::SetAlignment(TAlignment Value)
{
  FAlignment = Value;
  RepaintGrid();
}

void TGridColumnItem::SetBorders(TCellBorders Value)
{
  FBorders = Value;
  NotifyCollection();
}

void TGridColumnItem::SetBorderPen(TPen *Value)
{
  AssignQuietly(*FBorderPen, Value);
  NotifyCollection();
}

void TGridColumnItem::SetColor(TColor Value)
{
  FColor = Value;
  NotifyCollection();
}

void TGridColumnItem::SetEditor(TEditorType Value)
{
  if (FEditor == Value)
    return;
  const bool repaint = FEditor == edDataCheckBox || Value == edDataCheckBox;
  FEditor = Value;
  if (repaint)
    RepaintGrid();
}

void TGridColumnItem::SetFixed(bool Value)
{
  FFixed = Value;
  NotifyCollection();
}

void TGridColumnItem::SetFloatFormat(const QString &Value)
{
  FFloatFormat = Value;
  RepaintGrid();
}

void TGridColumnItem::SetFont(TFont *Value)
{
  AssignQuietly(*FFont, Value);
  NotifyCollection();
}

void TGridColumnItem::SetHeader(const QString &Value)
{
  FHeader = Value;
  TZavColumnGrid *grid = Grid();
  if (!grid)
    return;
  if (grid->FixedRows() > 0 && !grid->ColumnMoving()) {
    grid->SetCells(Index(), 0, Value);
    NotifyCollection();
  }
  TStringList *headers = grid->ColumnHeaders();
  headers->BeginUpdate();
  headers->Clear();
  auto *columns = static_cast<TGridColumnCollection *>(Collection());
  for (int i = 0; i < columns->Count(); ++i)
    headers->Add(columns->Items(i)->FHeader);
  headers->EndUpdate();
}

void TGridColumnItem::SetHeaderAlignment(TAlignment Value)
{
  FHeaderAlignment = Value;
  RepaintGrid();
}

void TGridColumnItem::SetHeaderFont(TFont *Value)
{
  AssignQuietly(*FHeaderFont, Value);
  RepaintGrid();
}

void TGridColumnItem::SetPassword(bool Value)
{
  FPassword = Value;
  NotifyCollection();
}

void TGridColumnItem::SetShowBands(bool Value)
{
  FShowBands = Value;
  NotifyCollection();
}

int TGridColumnItem::Width() const
{
  TZavColumnGrid *grid = Grid();
  return grid ? grid->AllColWidths(Index()) : 0;
}

void TGridColumnItem::SetWidth(int Value)
{
  FWidth = Value;
  if (TZavColumnGrid *grid = Grid())
    grid->SetAllColWidths(Index(), Value);
}

QString TGridColumnItem::Rows(int ARow) const
{
  TZavColumnGrid *grid = Grid();
  return grid ? grid->Cells(Index(), ARow) : QString();
}

void TGridColumnItem::SetRows(int ARow, const QString &Value)
{
  if (TZavColumnGrid *grid = Grid())
    grid->SetCells(Index(), ARow, Value);
}

int TGridColumnItem::Ints(int ARow) const
{
  TZavColumnGrid *grid = Grid();
  return grid ? grid->Ints(Index(), ARow) : 0;
}

void TGridColumnItem::SetInts(int ARow, int Value)
{
  if (TZavColumnGrid *grid = Grid())
    grid->SetInts(Index(), ARow, Value);
}

double TGridColumnItem::Floats(int ARow) const
{
  TZavColumnGrid *grid = Grid();
  return grid ? grid->Floats(Index(), ARow) : 0;
}

void TGridColumnItem::SetFloats(int ARow, double Value)
{
  if (TZavColumnGrid *grid = Grid())
    grid->SetFloats(Index(), ARow, Value);
}

double TGridColumnItem::Dates(int ARow) const
{
  TZavColumnGrid *grid = Grid();
  return grid ? grid->Dates(Index(), ARow) : 0;
}

void TGridColumnItem::SetDates(int ARow, double Value)
{
  if (TZavColumnGrid *grid = Grid())
    grid->SetDates(Index(), ARow, Value);
}

double TGridColumnItem::Times(int ARow) const
{
  TZavColumnGrid *grid = Grid();
  return grid ? grid->Times(Index(), ARow) : 0;
}

void TGridColumnItem::SetTimes(int ARow, double Value)
{
  if (TZavColumnGrid *grid = Grid())
    grid->SetTimes(Index(), ARow, Value);
}

// ---------------------------------------------------------------------------------------------

TGridColumnCollection::TGridColumnCollection(TZavColumnGrid *AOwner)
    : TCollection(TCollection::ItemClass<TGridColumnItem>()), FOwner(AOwner)
{
}

TPersistent *TGridColumnCollection::GetOwner() { return FOwner; }

TGridColumnItem *TGridColumnCollection::Add()
{
  auto *item = static_cast<TGridColumnItem *>(TCollection::Add());
  if (Count() >= 2)
    item->AssignVisuals(Items(Count() - 2));
  return item;
}

void TGridColumnCollection::Update(TCollectionItem *Item)
{
  TCollection::Update(Item);
  if (UpdateCount() > 0 || FNoRecursiveUpdate || !FOwner || FOwner->ComponentState().Contains(csLoading))
    return;
  const int shown = Count() - FOwner->NumHiddenColumns();
  if (shown != FOwner->ColCount() && FOwner->FixedCols() < shown)
    FOwner->SetColCount(shown);
  FOwner->SyncColumnHeaders();
  FOwner->Invalidate();
}

void TGridColumnCollection::SetOrganization()
{
  FNoRecursiveUpdate = true;
  FOwner->SyncColumnItems();
  FNoRecursiveUpdate = false;
  for (int i = 0; i < Count(); ++i)
    Items(i)->FDefIdx = i;
}

void TGridColumnCollection::ResetOrganization()
{
  // A permutation of the positions is sorted well within n * n passes; the bound keeps
  // duplicate positions from moving columns forever.
  const int limit = Count() * Count() + 1;
  for (int pass = 0; pass < limit; ++pass) {
    bool moved = false;
    for (int i = 0; i < Count(); ++i) {
      const int target = Items(i)->FDefIdx;
      if (target < i && target >= 0) {
        FOwner->MoveColumn(i, target);
        moved = true;
      }
    }
    if (!moved)
      break;
  }
}
