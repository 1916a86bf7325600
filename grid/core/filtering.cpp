// Row filtering: the conditions of Filter decide which normal rows stay shown. Every application
// moves the rows that fail into the hidden-row store as one level, so lifting a filter brings
// back exactly the rows of its level and leaves rows hidden any other way where they are.
#include "grid/core/zav_string_grid.h"

#include <cmath>
#include <deque>

#include "framework/system/sysutils.h"
#include "grid/core/aux_controls.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/foundation/filter_conditions.h"
#include "grid/foundation/grid_utils.h"

namespace {

// The conditions of the filter run in progress, each prepared when first needed. The text
// and case flag find the prepared form, so a handler that changes a condition during the run
// is still obeyed.
class TPreparedConditions {
public:
  const TFilterCondition &Get(const QString &Condition, bool CaseSensitive)
  {
    for (const TEntry &E : FEntries)
      if (E.CaseSensitive == CaseSensitive && E.Condition == Condition) return E.Prepared;
    if (FEntries.size() >= 64) FEntries.clear();  // a handler that keeps inventing conditions
    FEntries.push_back({Condition, CaseSensitive, TFilterCondition(Condition, CaseSensitive)});
    return FEntries.back().Prepared;
  }

private:
  struct TEntry {
    QString Condition;
    bool CaseSensitive;
    TFilterCondition Prepared;
  };
  std::deque<TEntry> FEntries;
};

thread_local TPreparedConditions *gFilterRun = nullptr;

// Prepares the conditions once for all rows of one run; runs may nest through handlers.
class TFilterRunScope {
public:
  TFilterRunScope() : FOuter(gFilterRun) { gFilterRun = &FConditions; }
  ~TFilterRunScope() { gFilterRun = FOuter; }
  TFilterRunScope(const TFilterRunScope &) = delete;
  TFilterRunScope &operator=(const TFilterRunScope &) = delete;

private:
  TPreparedConditions FConditions;
  TPreparedConditions *FOuter;
};

// Blanks at the ends and the wide-text packing never take part in a comparison.
bool MatchOne(const TFilterData &F, QString s)
{
  s = Trim(s);
  if (s.contains(QStringLiteral("|\\")))
    s = UnpackWideText(s);
  if (F.Data() == fcRow)
    return s.toUpper().contains(F.Condition().toUpper());
  if (!F.Prefix().isEmpty() && s.startsWith(F.Prefix()))
    s = s.mid(F.Prefix().size());
  if (!F.Suffix().isEmpty()) {
    const int p = s.indexOf(F.Suffix());
    if (p >= 0 && p + F.Suffix().size() == s.size())
      s.truncate(p);
  }
  if (F.Condition().isEmpty())
    return true;
  if (F.Method() == fmLiteral)
    return s == F.Condition();
  try {
    if (gFilterRun) return gFilterRun->Get(F.Condition(), F.CaseSensitive()).Matches(s);
    return MatchCondition(F.Condition(), s, F.CaseSensitive());
  } catch (...) {
    // A condition that cannot be evaluated (a malformed comparison) fails the row.
    return false;
  }
}

}  // namespace

bool TZavStringGrid::MatchFilter(int ARow)
{
  bool result = true;
  for (int i = 0; i < FFilter->Count(); ++i) {
    const TFilterData &f = *FFilter->Items(i);
    QString s;
    switch (f.Data()) {
    case fcVirtual: s = Cells(f.Column(), ARow); break;
    case fcNormal: s = GridCells(f.Column(), ARow); break;
    case fcStripHTML: s = StrippedCells(f.Column(), ARow); break;
    case fcCalculated: s = GetDisplCellText(f.Column(), ARow); break;
    case fcRow:
      for (int c = 0; c < AllColCount(); ++c)
        s += GridCells(c, ARow) + QStringLiteral("\r\n");
      break;
    }
    const bool match = MatchOne(f, s);
    switch (f.Operation()) {
    case foSHORT: result = match; break;
    case foNONE: result = match; break;
    case foAND: result = result && match; break;
    case foXOR: result = result != match; break;
    case foOR: result = result || match; break;
    }
    if (f.Operation() == foSHORT && !match)
      break;
  }
  if (OnCustomFilter)
    OnCustomFilter(this, ARow, result);
  return result;
}

void TZavStringGrid::ApplyFilter()
{
  const TFilterRunScope run;
  FFilterFixedRows = FixedRows();
  const int first = FixedRows();
  const int last = RowCount() - FFixedFooters - 1;
  const int total = last - first + 1;
  TIntList rows(0, 0);
  int n = 0;
  int16_t progress = 0;
  for (int r = first; r <= last; ++r) {
    if (FFilterNormalCellsOnly && (IsNode(r) || IsSummary(r)))
      continue;
    if (!MatchFilter(r))
      rows.Add(r);
    ++n;
    if (OnFilterProgress && total > 0) {
      progress = int16_t(std::nearbyint(double(n) / total * 100.0));
      OnFilterProgress(this, progress);
    }
  }
  HideRowList(&rows);
  if (OnFilterProgress && total > 0)
    OnFilterProgress(this, progress);
}

void TZavStringGrid::FilterRow(int ARow)
{
  if (!MatchFilter(ARow))
    HideRow(RealRowIndex(ARow));
}

void TZavStringGrid::LiftFilterLevel()
{
  UnHideRowList();
  SetFixedRows(FFilterFixedRows);
  if (FSelHidden)
    UnHideSelection();
  --FFilterLevel;
}

void TZavStringGrid::SetFilterActive(bool Value)
{
  if (Value != FFilterActive) {
    FFilterActive = Value;
    if (Value) {
      if (Row() >= RowCount() || Col() >= ColCount())
        SetSelection(TGridRect{FixedCols(), FixedRows(), FixedCols(), FixedRows()});
      BeginUpdate();
      ApplyFilter();
      EndUpdate();
      FSelHidden = false;
    } else if (FFilterLevel > 0) {
      // With no level in force (all lifted meanwhile) there is nothing to take back.
      LiftFilterLevel();
    }
    SetTopRow(FixedRows());
  }
  CalcFooter(-1);
}

bool TZavStringGrid::RemoveLastFilter()
{
  if (FFilterLevel <= 0)
    return false;
  LiftFilterLevel();
  CalcFooter(-1);
  return FFilterLevel > 1;
}

void TZavStringGrid::RemoveAllFilters()
{
  if (FFilterLevel <= 0) {
    FFilter->Clear();
    return;
  }
  while (FFilterLevel > 0)
    RemoveLastFilter();
}

void TZavStringGrid::SetFilterDropDownAuto(bool Value)
{
  FFilterDropDownAuto = Value;
  Invalidate();
}

void TZavStringGrid::SetFilterDropDownRow(int Value)
{
  FFilterDropDownRow = Value;
  Invalidate();
}

namespace {

void AddNarrowCondition(TFilter *Filter, const QString &ACondition, int AColumn, bool Quote)
{
  Filter->Clear();
  TFilterData *f = Filter->Add();
  if (AColumn == -1) {
    f->SetData(fcRow);
    f->SetCondition(ACondition);
  } else {
    QString c = QLatin1Char('*') + ACondition + QLatin1Char('*');
    if (Quote && c.contains(QLatin1Char(' ')))
      c = QLatin1Char('"') + c + QLatin1Char('"');
    f->SetData(fcNormal);
    f->SetCondition(c);
  }
  f->SetCaseSensitive(false);
  f->SetColumn(int16_t(AColumn));
}

}  // namespace

void TZavStringGrid::NarrowDown(const QString &ACondition, int AColumn)
{
  SetFixedRowAlways(true);
  const int len = ACondition.size();
  const int lastLen = FLastFilter.size();
  if (!FLastFilter.isEmpty() && len == lastLen + 1 && ACondition.startsWith(FLastFilter)) {
    AddNarrowCondition(FFilter.get(), ACondition, AColumn, true);
    ApplyFilter();
  } else if (len > 0 && len == lastLen - 1 && FLastFilter.startsWith(ACondition)) {
    RemoveLastFilter();
  } else {
    RemoveAllFilters();
    if (len > 0) {
      AddNarrowCondition(FFilter.get(), ACondition, AColumn, false);
      ApplyFilter();
    }
  }
  // With an empty text every filter level is gone by now and the store keeps only rows
  // hidden another way (hidden rows, contracted nodes): they are not thrown away.
  FLastFilter = ACondition;
}

void TZavStringGrid::DoFilterDone()
{
  if (OnFilterDone)
    OnFilterDone(this);
}

void TZavStringGrid::DoFilterSelect(int ItemIndex)
{
  if (CanFocus())
    SetFocus();
  const int col = FFilterColumn;
  if (col >= 0 && col < AllColCount() && ItemIndex >= 0) {
    GetColumnFilterList(col);
    // The drop-down shows exactly the entries of the filter list.
    if (ItemIndex < FFilterList->Count()) {
      QString friendly, condition;
      SplitFilterEntry(FFilterList->Strings(ItemIndex), friendly, condition);
      if (FAutoFilterUpdate)
        SetFilterActive(false);
      if (condition == FFilterDropDownClear)
        condition.clear();
      if (OnFilterSelect)
        OnFilterSelect(this, col, ItemIndex, friendly, condition);
      if (!condition.isEmpty())
        FFilter->ColumnFilter(col)->SetCondition(condition);
      else
        FFilter->RemoveColumnFilter(col);
      if (FAutoFilterUpdate) {
        SetFixedRowAlways(true);
        SetFilterActive(true);
        if (RowCount() > FixedRows())
          SetRow(FixedRows());
        DoFilterDone();
      }
    }
  }
  FFilterColumn = -1;
}

void TZavStringGrid::DoFilterCheck()
{
  std::vector<bool> checked(size_t(FFilterCheckList->Items()->Count()));
  for (size_t i = 0; i < checked.size(); ++i)
    checked[i] = FFilterCheckList->Checked(int(i));
  ApplyFilterChecks(checked);
  FFilterCheckList->Invalidate();
}

void TZavStringGrid::ApplyFilterChecks(const std::vector<bool> &Checked)
{
  const int col = FFilterColumn;
  if (col < 0 || col >= AllColCount())
    return;
  GetColumnFilterList(col);
  // The open check list outlives the filtering done by each of its checks, which can change
  // the column's list (an incremental one shrinks to the rows shown): its own entries count.
  QStringList entries = FFilterCheckList->Entries();
  if (!FFilterCheckList->Visible() || entries.size() != int(Checked.size())) {
    entries.clear();
    for (int i = 0; i < FFilterList->Count(); ++i)
      entries << FFilterList->Strings(i);
  }
  if (FAutoFilterUpdate)
    SetFilterActive(false);
  FFilter->Clear();
  bool first = true;
  for (int i = 0; i < entries.size() && i < int(Checked.size()); ++i) {
    if (!Checked[size_t(i)])
      continue;
    QString friendly, condition;
    SplitFilterEntry(entries[i], friendly, condition);
    if (condition == FFilterDropDownClear)
      condition.clear();
    if (OnFilterCheck)
      OnFilterCheck(this, col, i, friendly, condition, FFilterCheckList.get());
    TFilterData *f = FFilter->Add();
    f->SetColumn(int16_t(col));
    f->SetCondition(condition);
    f->SetOperation(first ? foNONE : foOR);
    first = false;
  }
  SetFilterActive(true);
}
