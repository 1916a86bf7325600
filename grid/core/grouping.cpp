// Grouping: a header node row before each run of equal values in a column, optional summary
// rows after each group, the grouped column taken out while grouped; a second level inside the
// groups; per-group figures.
#include "grid/core/zav_string_grid.h"

#include <algorithm>
#include <map>
#include <set>

#include "grid/core/cell_node.h"
#include "grid/core/feature_settings.h"
#include "grid/core/footer.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/sort_settings.h"
#include "grid/foundation/grid_helpers.h"

namespace {
// Compares unequal to every cell text, so that the first row always starts a group.
const QString GroupSentinel = QStringLiteral("\u00FF\u00FE");

// Where a group's value stands in its header: column 1, or column 2 when column 1 is the one
// taken out (so that the value ends up in column 1 either way).
int HeaderValueCol(int GroupCol) { return GroupCol == 1 ? 2 : 1; }
}  // namespace

// The header or summary colours of the grouping settings, each only when set; ACol < 0 colours
// the row, else that one (merged) cell. Reset takes the set colours back to clNone.
void TZavStringGrid::ApplyGroupColors(int ACol, int ARow, bool Header, bool Reset)
{
  auto apply = [&](TColor Color, void (TZavStringGrid::*RowSetter)(int, TColor),
                   void (TZavStringGrid::*CellSetter)(int, int, TColor)) {
    if (Color == clNone)
      return;
    const TColor value = Reset ? clNone : ColorToRGB(Color);
    if (ACol < 0)
      (this->*RowSetter)(ARow, value);
    else
      (this->*CellSetter)(ACol, ARow, value);
  };
  apply(Header ? FGrouping->HeaderColor() : FGrouping->SummaryColor(), &TZavStringGrid::SetRowColor,
        &TZavStringGrid::SetColors);
  apply(Header ? FGrouping->HeaderColorTo() : FGrouping->SummaryColorTo(), &TZavStringGrid::SetRowColorTo,
        &TZavStringGrid::SetColorsTo);
  apply(Header ? FGrouping->HeaderTextColor() : FGrouping->SummaryTextColor(), &TZavStringGrid::SetRowFontColor,
        &TZavStringGrid::SetFontColors);
}

void TZavStringGrid::SetGroupColumn(int Value)
{
  if (Value < 0)
    UnGroup();
  else if (Value > 0)
    Group(Value);
}

bool TZavStringGrid::RowsArePlain()
{
  return FHiddenRows.Empty() && FControlList->Count() == 0 && FModifiedRows->Count() == 0 &&
         FEnabledRows->Count() == 0 && FRowSelectList->Count() == 0 && FSelectedRows->Count() == 0 &&
         !FFloatingFooter->Visible();
}

void TZavStringGrid::RotateRowBlock(int First, int Middle, int Last)
{
  if (First >= Middle || Middle >= Last)
    return;
  RotateRowCells(First, Middle, Last);
  RotateRowHeights(First, Middle, Last);
}

// The empty rows come in at the end and move forward past the rows between the gaps, from the
// last gap to the first: each row and each empty row moves once or a few times, so grouping
// stays linear in the rows however many groups there are.
void TZavStringGrid::OpenRowGaps(const std::vector<int> &Gaps)
{
  if (Gaps.empty())
    return;
  if (!RowsArePlain()) {
    for (auto it = Gaps.rbegin(); it != Gaps.rend(); ++it)
      InsertRows(*it, 1, true);
    return;
  }
  const int old = RowCount();
  const int k = int(Gaps.size());
  InsertRows(old, k, true);
  for (int i = k - 1; i >= 0; --i) {
    const int next = i == k - 1 ? old : Gaps[size_t(i) + 1];
    // The rows from this gap to the next, then the i + 1 empty rows still to place.
    RotateRowBlock(Gaps[size_t(i)], next, next + i + 1);
  }
  DoCellsChanged(TRect(0, Gaps.front(), ColCount() - 1, RowCount() - 1));
}

// The reverse: the rows to remove gather into one block that moves down to the end.
void TZavStringGrid::DropRows(const std::vector<int> &Rows)
{
  if (Rows.empty())
    return;
  if (!RowsArePlain()) {
    for (auto it = Rows.rbegin(); it != Rows.rend(); ++it)
      RemoveRowsBlock(*it, 1);
    return;
  }
  const int old = RowCount();
  const int m = int(Rows.size());
  for (int i = 0; i < m; ++i) {
    const int after = Rows[size_t(i)] + 1;
    const int next = i == m - 1 ? old : Rows[size_t(i) + 1];
    // The i + 1 rows gathered so far sit right before the rows up to the next one to go.
    RotateRowBlock(after - i - 1, after, next);
  }
  RemoveRowsBlock(old - m, m);
}

void TZavStringGrid::Group(int ColIndex)
{
  if (ColIndex < FixedCols())
    return;
  if (FGroupColumn >= 0)
    UnGroup();
  if (RowCount() - FFixedFooters <= FixedRows())
    return;

  BeginUpdate();
  FIsGrouping = true;
  FGroupColumn = ColIndex;
  FGroupWidth = AllColWidths(ColIndex);
  if (FixedRows() > 0)
    FGroupCaption = GridCells(ColIndex, 0);
  if (FFixedFooters > 0)
    FGroupFooter = GridCells(ColIndex, RowCount() - 1);
  if (FSortSettings->AutoSortForGrouping()) {
    FSortSettings->SetColumn(ColIndex);
    QSort();
  }

  // The runs of equal values, then a header row before each run and with Summary a summary
  // row after it.
  const bool summary = FGrouping->Summary();
  const int end = RowCount() - FFixedFooters;
  std::vector<int> starts;
  std::vector<QString> values;
  // Read in place: a copy per row would write to every text's shared data.
  const QString *prev = &GroupSentinel;
  for (int r = FixedRows(); r < end; ++r) {
    const QString &value = GridCells(ColIndex, r);
    if (value == *prev)
      continue;
    starts.push_back(r);
    values.push_back(value);
    prev = &value;
  }
  const int groups = int(starts.size());
  std::vector<int> gaps;
  gaps.reserve(size_t(summary ? 2 * groups : groups));
  for (int g = 0; g < groups; ++g) {
    if (summary && g > 0)
      gaps.push_back(starts[size_t(g)]);
    gaps.push_back(starts[size_t(g)]);
  }
  if (summary)
    gaps.push_back(end);
  OpenRowGaps(gaps);

  const int valueCol = HeaderValueCol(ColIndex);
  const bool headerColors = !FGrouping->MergeHeader();
  const bool summaryColors = !(FGrouping->MergeSummary() && summary);
  auto layout = [&](bool Marks) {
    for (int g = 0; g < groups; ++g) {
      const int size = (g + 1 < groups ? starts[size_t(g) + 1] : end) - starts[size_t(g)];
      const int h = starts[size_t(g)] + (summary ? 2 * g : g);
      AddNode(RealRowIndex(h), size + 1);
      if (summary)
        MakeSummaryRow(RealRowIndex(h + size + 1));
      if (Marks)
        continue;
      SetGridCells(valueCol, h, values[size_t(g)]);
      if (headerColors)
        ApplyGroupColors(-1, h, true, false);
      if (summary && summaryColors)
        ApplyGroupColors(-1, h + size + 1, false, false);
    }
  };
  layout(false);
  RemoveCols(ColIndex, 1);
  if (ColIndex == 0) {
    // The node and summary marks lived in column 0 and left with it.
    FNumNodes = std::max(FNumNodes - groups, 0);
    layout(true);
  }

  const bool mergeHeader = FGrouping->MergeHeader();
  const bool mergeSummary = FGrouping->MergeSummary() && summary;
  if (mergeHeader || mergeSummary)
    for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r) {
      const bool header = mergeHeader && IsNode(r);
      if (!header && !(mergeSummary && IsSummary(r)))
        continue;
      MergeCells(1, r, ColCount() - 1, 1);
      ApplyGroupColors(1, r, header, false);
    }

  if (FCellNode->ExpandOne() && IsNode(FixedRows()))
    ExpandNode(RealRowIndex(FixedRows()));
  if (Col() >= ColCount())
    SetCol(FixedCols());
  SetRow(FixedRows());
  FIsGrouping = false;
  EndUpdate();
}

void TZavStringGrid::UnGroup()
{
  if (FGroupColumn < 0)
    return;
  const bool expandOne = FCellNode->ExpandOne();
  FCellNode->SetExpandOne(false);
  // Everything expanded (as ExpandAll does), noting on the way the columns of a second level.
  std::set<int> subColumns;
  BeginUpdate();
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (TCellGraphic *g = NodeGraphic(r)) {
      ExpandNode(RealRowIndex(r));
      g->SetCellBoolean(false);
      if (g->CellVar() >= 0)
        subColumns.insert(g->CellVar());
    }
  EndUpdate();
  CalcFooter(-1);
  BeginUpdate();
  FIsGrouping = true;

  // A second level goes first: its member rows get their values back.
  for (auto it = subColumns.rbegin(); it != subColumns.rend(); ++it)
    SubUnGroup(*it);

  // The walk runs on the grouped layout, where the marks of column 0 still stand; the values go
  // into the column once it is back. Rows hidden otherwise (filters, HideRow) keep their record
  // and get their group's value there.
  const int valueCol = FGroupColumn == 0 ? 0 : 1;
  std::vector<QString> values;  // the rows that stay, in order
  std::vector<int> drop;        // header and summary rows
  std::map<TGridItem *, QString> hiddenValues;
  auto takeHiddenAfter = [&](int Display, const QString &Value) {
    const int from = DisplToRealRow(Display) + 1;
    const int to = Display + 1 < RowCount() ? DisplToRealRow(Display + 1) : TotalRowCount();
    for (int real = from; real < to; ++real)
      if (TGridItem *item = FHiddenRows.Find(real))
        hiddenValues[item] = Value;
  };
  QString current;
  const int end = RowCount() - FFixedFooters;
  values.reserve(size_t(std::max(end - FixedRows(), 0)));
  for (int r = FixedRows(); r < end; ++r) {
    const TCellType type = GetCellType(0, r);
    if (type == ctNode) {
      current = GridCells(valueCol, r);
      takeHiddenAfter(r, current);
      drop.push_back(r);
      if (FGrouping->MergeHeader())
        SplitCells(1, r);
    } else if (type == ctSummary) {
      drop.push_back(r);
      if (FGrouping->MergeSummary())
        SplitCells(1, r);
    } else {
      values.push_back(current);
      takeHiddenAfter(r, current);
    }
  }
  for (int r : drop)
    if (IsNode(r))
      RemoveNode(RealRowIndex(r));
  DropRows(drop);

  InsertCols(FGroupColumn, 1);
  SetAllColWidths(FGroupColumn, FGroupWidth);
  if (FixedRows() > 0)
    SetGridCells(FGroupColumn, 0, FGroupCaption);
  if (FFixedFooters > 0)
    SetGridCells(FGroupColumn, RowCount() - 1, FGroupFooter);
  for (size_t i = 0; i < values.size(); ++i)
    SetGridCells(FGroupColumn, FixedRows() + int(i), values[i]);
  for (const TRowIndexMap::TEntry &e : FHiddenRows.Entries())
    if (auto it = hiddenValues.find(e.Item); it != hiddenValues.end() && FGroupColumn < e.Item->Items()->Count())
      e.Item->Items()->SetStrings(FGroupColumn, it->second);

  FIsGrouping = false;
  FGroupColumn = -1;
  FCellNode->SetExpandOne(expandOne);
  EndUpdate();
  Invalidate();
}

void TZavStringGrid::SubGroup(int ColIndex)
{
  if (ColIndex < FixedCols())
    return;
  BeginUpdate();
  const bool summary = FGrouping->Summary();
  const bool mergeHeader = FGrouping->MergeHeader();
  auto end = [this] { return RowCount() - FFixedFooters; };
  auto closeSub = [&](int L, int R) {
    AddNode(RealRowIndex(L), R - L);
    NodeGraphic(L)->SetCellVar(ColIndex);
  };

  QString prev = GroupSentinel;
  int L = -1;
  int r = FixedRows() + 1;
  while (r < end()) {
    const QString value = Cells(ColIndex, r);
    if (value != prev || IsNode(r) || IsSummary(r)) {
      if (L >= 0 && !IsNode(L) && !IsSummary(L))
        closeSub(L, r);
      if (!IsNode(r) && !IsSummary(r)) {
        InsertChildRow(RealRowIndex(r), 0);
        SetCells(ColIndex + 1, r, value);
        if (mergeHeader) {
          MergeCells(ColIndex + 1, r, ColCount() - ColIndex - 1, 1);
          ApplyGroupColors(ColIndex + 1, r, true, false);
        } else {
          ApplyGroupColors(-1, r, true, false);
        }
      }
      L = r++;
    }
    if (r >= end() || IsNode(r - 1) || IsSummary(r - 1)) {
      prev = GroupSentinel;
      continue;
    }
    // Members keep their value only in their sub-header.
    prev = Cells(ColIndex, r);
    SetCells(ColIndex, r, QString());
    ++r;
  }
  if (L >= 0 && !IsNode(L) && !IsSummary(L)) {
    closeSub(L, end());
    if (summary) {
      const int at = end();
      InsertRows(at, 1, true);
      MakeSummaryRow(RealRowIndex(at));
      if (FGrouping->MergeSummary()) {
        MergeCells(ColIndex + 1, at, ColCount() - ColIndex - 1, 1);
        ApplyGroupColors(ColIndex + 1, at, false, false);
      } else {
        ApplyGroupColors(-1, at, false, false);
      }
    }
  }
  SetRow(FixedRows());
  EndUpdate();
}

void TZavStringGrid::SubUnGroup(int ColIndex)
{
  ExpandAll();
  BeginUpdate();
  QString current;
  int r = FixedRows();
  while (r < RowCount() - FFixedFooters) {
    TCellGraphic *g = NodeGraphic(r);
    if (g && g->CellVar() == ColIndex) {
      current = Cells(ColIndex + 1, r);
      RemoveNode(RealRowIndex(r));
      if (FGrouping->MergeHeader())
        SplitCells(ColIndex + 1, r);
      else
        ApplyGroupColors(-1, r, true, true);
      RemoveChildRow(RealRowIndex(r));
      continue;
    }
    // A group header starts a new group; summary rows hold figures, not members.
    if (g)
      current.clear();
    else if (!IsSummary(r))
      SetCells(ColIndex, r, current);
    ++r;
  }
  EndUpdate();
  Invalidate();
}

double TZavStringGrid::DoGroupCalc(int ACol, int FromRow, int ToRow)
{
  double res = 0;
  if (OnGroupCalc)
    OnGroupCalc(this, ACol, FromRow, ToRow, res);
  return res;
}

void TZavStringGrid::GroupCalc(int ColIndex, int Method)
{
  if (Method < 1 || Method > 8)
    return;
  const bool summary = FGrouping->Summary();
  int r = FixedRows();
  while (r < RowCount()) {
    TCellGraphic *g = NodeGraphic(r);
    const int span = g ? g->CellIndex() : 0;
    // Contracted groups keep their figures.
    if (!g || g->CellBoolean() || span < 1) {
      ++r;
      continue;
    }
    const int from = r + 1, to = r + span - 1;
    const int target = summary && IsSummary(r + span) ? r + span : r;
    switch (Method) {
    case 1: SetFloats(ColIndex, target, ColumnSum(ColIndex, from, to)); break;
    case 2: SetFloats(ColIndex, target, ColumnAvg(ColIndex, from, to)); break;
    case 3: SetFloats(ColIndex, target, ColumnMin(ColIndex, from, to)); break;
    case 4: SetFloats(ColIndex, target, ColumnMax(ColIndex, from, to)); break;
    case 5: SetInts(ColIndex, target, span - 1); break;
    case 6: SetFloats(ColIndex, target, DoGroupCalc(ColIndex, from, to)); break;
    case 7: SetFloats(ColIndex, target, ColumnDistinct(ColIndex, from, to)); break;
    case 8: SetFloats(ColIndex, target, ColumnStdDev(ColIndex, from, to)); break;
    }
    r += span;
  }
}

void TZavStringGrid::GroupFooterCalc(int ColIndex, int Method, TColumnCalcType Calc)
{
  GroupCalc(ColIndex, Method);
  if (FFloatingFooter->Visible())
    FFloatingFooter->SetColumnCalc(ColIndex, Calc);
}

void TZavStringGrid::GroupSum(int ColIndex) { GroupFooterCalc(ColIndex, 1, acSUM); }
void TZavStringGrid::GroupAvg(int ColIndex) { GroupFooterCalc(ColIndex, 2, acAVG); }
void TZavStringGrid::GroupMin(int ColIndex) { GroupFooterCalc(ColIndex, 3, acMIN); }
void TZavStringGrid::GroupMax(int ColIndex) { GroupFooterCalc(ColIndex, 4, acMAX); }
void TZavStringGrid::GroupCount(int ColIndex) { GroupFooterCalc(ColIndex, 5, acCOUNT); }
void TZavStringGrid::GroupCustomCalc(int ColIndex) { GroupCalc(ColIndex, 6); }
void TZavStringGrid::GroupDistinct(int ColIndex) { GroupCalc(ColIndex, 7); }
void TZavStringGrid::GroupStdDev(int ColIndex) { GroupCalc(ColIndex, 8); }
