// Structural row edits on a 100,000 x 10 grid: the string grid's InsertRows, RemoveRows and
// MoveRows against QStandardItemModel doing the same work (insertRows, removeRows, and taking
// and inserting rows for a block move, which the model has no single call for). Both hold a
// text in every cell and have no window, so the figures are those of the row bookkeeping.
// Each iteration does an edit and its inverse, so the size stays the same. The ratios printed
// at the end are the model's time over the grid's.
// Row-wide operations run at 25,000 and 100,000 rows, so that the growth shows whether they
// stay linear (filtering also at 10,000 rows: 100,000 and 1,000,000 cells): filtering half the
// rows and lifting the filter (QSortFilterProxyModel),
// grouping by a column of runs of 100 equal values and ungrouping (the model builds and takes
// down the same tree), and finding every cell that contains a text (the model's match).
// Sorting 10,000, 100,000 and 1,000,000 rows by a numeric, a text and a date column runs against
// QStandardItemModel::sort on the same cells and against std::stable_sort of the row texts (the
// floor); each sort starts from the same shuffled order (QUnSort for the grid, a sort by the
// original position for the model, a copy for the floor, all outside the timing). QUnSort of
// 100,000 rows is timed after a sort.
#include <QApplication>
#include <QList>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench_ratio.h"
#include "grid/core/feature_settings.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/sort_settings.h"
#include "framework/system/sysutils.h"
#include "grid/core/zav_string_grid.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;
constexpr int kBlock = 1000;
constexpr int kMiddle = kRows / 2;
constexpr int kBlockFrom = 10000;
constexpr int kBlockTo = 60000;

std::unique_ptr<TZavStringGrid> MakeGrid()
{
  auto grid = std::make_unique<TZavStringGrid>(nullptr);
  grid->SetColCount(kCols + 1);
  grid->SetRowCount(kRows + 1);
  for (int r = 1; r <= kRows; ++r)
    for (int c = 1; c <= kCols; ++c)
      grid->SetGridCells(c, r, QStringLiteral("Value %1").arg((r * kCols + c) & 1023));
  return grid;
}

std::unique_ptr<QStandardItemModel> MakeModel()
{
  auto model = std::make_unique<QStandardItemModel>(kRows, kCols);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c)
      model->setItem(r, c, new QStandardItem(QStringLiteral("Value %1").arg(((r + 1) * kCols + c + 1) & 1023)));
  return model;
}

void BM_GridTopRow(benchmark::State &state)
{
  auto grid = MakeGrid();
  for (auto _ : state) {
    grid->InsertRows(1, 1);
    grid->RemoveRows(1, 1);
  }
}

void BM_ModelTopRow(benchmark::State &state)
{
  auto model = MakeModel();
  for (auto _ : state) {
    model->insertRow(0);
    model->removeRow(0);
  }
}

void BM_GridMiddleBlock(benchmark::State &state)
{
  auto grid = MakeGrid();
  for (auto _ : state) {
    grid->InsertRows(kMiddle, kBlock);
    grid->RemoveRows(kMiddle, kBlock);
  }
}

void BM_ModelMiddleBlock(benchmark::State &state)
{
  auto model = MakeModel();
  for (auto _ : state) {
    model->insertRows(kMiddle - 1, kBlock);
    model->removeRows(kMiddle - 1, kBlock);
  }
}

void BM_GridMoveBlock(benchmark::State &state)
{
  auto grid = MakeGrid();
  for (auto _ : state) {
    grid->MoveRows(kBlockFrom, kBlockTo, kBlock);
    grid->MoveRows(kBlockTo - kBlock, kBlockFrom, kBlock);
  }
}

void ModelMove(QStandardItemModel *Model, int From, int To)
{
  QList<QList<QStandardItem *>> taken;
  for (int i = 0; i < kBlock; ++i)
    taken.append(Model->takeRow(From));
  for (int i = 0; i < kBlock; ++i)
    Model->insertRow(To + i, taken[i]);
}

void BM_ModelMoveBlock(benchmark::State &state)
{
  auto model = MakeModel();
  for (auto _ : state) {
    ModelMove(model.get(), kBlockFrom - 1, kBlockTo - kBlock - 1);
    ModelMove(model.get(), kBlockTo - kBlock - 1, kBlockFrom - 1);
  }
}

// Column 1: runs of 100 equal group names; column 2: "A" and "B" alternating; the others as in
// MakeGrid. Model column c is grid column c + 1.
constexpr int kGroupRun = 100;
const QString kFindText = QStringLiteral("value 12");

QString WideCell(int Row, int Col)
{
  if (Col == 1)
    return QStringLiteral("Group %1").arg(Row / kGroupRun, 5, 10, QLatin1Char('0'));
  if (Col == 2)
    return Row % 2 ? QStringLiteral("A") : QStringLiteral("B");
  return QStringLiteral("Value %1").arg((Row * kCols + Col) & 1023);
}

std::unique_ptr<TZavStringGrid> MakeWideGrid(int Rows)
{
  auto grid = std::make_unique<TZavStringGrid>(nullptr);
  grid->SetColCount(kCols + 1);
  grid->SetRowCount(Rows + 1);
  grid->SortSettings()->SetAutoSortForGrouping(false);
  for (int r = 1; r <= Rows; ++r)
    for (int c = 1; c <= kCols; ++c)
      grid->SetGridCells(c, r, WideCell(r, c));
  return grid;
}

std::unique_ptr<QStandardItemModel> MakeWideModel(int Rows)
{
  auto model = std::make_unique<QStandardItemModel>(Rows, kCols);
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < kCols; ++c)
      model->setItem(r, c, new QStandardItem(WideCell(r + 1, c + 1)));
  return model;
}

void BM_GridFilterHalf(benchmark::State &state)
{
  auto grid = MakeWideGrid(int(state.range(0)));
  TFilterData *f = grid->Filter()->Add();
  f->SetColumn(2);
  f->SetCondition(QStringLiteral("A"));
  for (auto _ : state) {
    grid->ApplyFilter();
    benchmark::DoNotOptimize(grid->RowCount());
    grid->RemoveAllFilters();
  }
  if (grid->RowCount() != state.range(0) + 1)
    state.SkipWithError("rows lost");
}

void BM_ModelFilterHalf(benchmark::State &state)
{
  auto model = MakeWideModel(int(state.range(0)));
  QSortFilterProxyModel proxy;
  proxy.setSourceModel(model.get());
  proxy.setFilterKeyColumn(1);
  for (auto _ : state) {
    proxy.setFilterFixedString(QStringLiteral("A"));
    benchmark::DoNotOptimize(proxy.rowCount());
    proxy.setFilterFixedString(QString());
    benchmark::DoNotOptimize(proxy.rowCount());
  }
}

void BM_GridGroup(benchmark::State &state)
{
  auto grid = MakeWideGrid(int(state.range(0)));
  grid->Grouping()->SetSummary(true);
  for (auto _ : state) {
    grid->Group(1);
    benchmark::DoNotOptimize(grid->RowCount());
    grid->UnGroup();
  }
  if (grid->RowCount() != state.range(0) + 1 || grid->ColCount() != kCols + 1)
    state.SkipWithError("rows or columns lost");
}

// The model's grouping: every row taken out (from the end, the cheap end), a parent row with
// the group's value and an empty summary row per run, the rows under their parent; ungrouping
// takes them back to the top level in order.
void BM_ModelGroup(benchmark::State &state)
{
  auto model = MakeWideModel(int(state.range(0)));
  for (auto _ : state) {
    QList<QList<QStandardItem *>> rows(model->rowCount());
    for (int r = model->rowCount() - 1; r >= 0; --r)
      rows[r] = model->takeRow(r);
    QList<QStandardItem *> parents;
    for (int i = 0; i < rows.size();) {
      const QString value = rows[i][0]->text();
      auto *parent = new QStandardItem(value);
      QList<QList<QStandardItem *>> members;
      for (; i < rows.size() && rows[i][0]->text() == value; ++i)
        parent->appendRow(rows[i]);
      model->appendRow(parent);
      model->appendRow(new QStandardItem());
      parents.append(parent);
    }
    benchmark::DoNotOptimize(model->rowCount());
    QList<QList<QStandardItem *>> back;
    for (QStandardItem *parent : parents) {
      QList<QList<QStandardItem *>> members(parent->rowCount());
      for (int r = parent->rowCount() - 1; r >= 0; --r)
        members[r] = parent->takeRow(r);
      back.append(members);
    }
    model->setRowCount(0);
    for (QList<QStandardItem *> &row : back)
      model->appendRow(row);
  }
  if (model->rowCount() != state.range(0))
    state.SkipWithError("rows lost");
}

void BM_GridFindAll(benchmark::State &state)
{
  auto grid = MakeWideGrid(int(state.range(0)));
  int hits = 0;
  for (auto _ : state) {
    hits = 0;
    for (TPoint p = grid->FindFirst(kFindText, TFindParams()); p.X >= 0; p = grid->FindNext())
      ++hits;
    benchmark::DoNotOptimize(hits);
  }
  state.counters["hits"] = hits;
}

void BM_ModelFindAll(benchmark::State &state)
{
  auto model = MakeWideModel(int(state.range(0)));
  int hits = 0;
  for (auto _ : state) {
    hits = 0;
    for (int c = 0; c < kCols; ++c)
      hits += int(model->match(model->index(0, c), Qt::DisplayRole, kFindText, -1, Qt::MatchContains).size());
    benchmark::DoNotOptimize(hits);
  }
  state.counters["hits"] = hits;
}


// Sorting: column 1 numeric, 2 text, 3 date; the other columns filler.
constexpr int kSortCols = 10;
enum { kNumeric = 1, kText = 2, kDate = 3 };

QString SortCellText(int Kind, uint32_t Key)
{
  switch (Kind) {
    case kNumeric: return QString::number(double(Key % 1000003) / 100.0, 'f', 2);
    case kText: return QStringLiteral("Item %1").arg(Key % 999983, 0, 36);
    case kDate: return QStringLiteral("%1/%2/%3").arg(Key % 12 + 1).arg(Key % 28 + 1).arg(1950 + Key % 70);
    default: return QStringLiteral("v%1").arg(Key & 255);
  }
}

uint32_t SortKey(int Row, int Col) { return uint32_t(Row) * 2654435761u + uint32_t(Col) * 40503u; }

void FixSortFormats()
{
  FormatSettings.DateSeparator = '/';
  FormatSettings.DecimalSeparator = '.';
  FormatSettings.ThousandSeparator = ',';
  FormatSettings.ShortDateFormat = "M/d/yyyy";
}

std::unique_ptr<TZavStringGrid> MakeSortGrid(int Rows)
{
  FixSortFormats();
  auto grid = std::make_unique<TZavStringGrid>(nullptr);
  grid->SetColCount(kSortCols);
  grid->SetRowCount(Rows + 1);
  for (int r = 1; r <= Rows; ++r)
    for (int c = 0; c < kSortCols; ++c)
      grid->SetGridCells(c, r, SortCellText(c, SortKey(r, c)));
  grid->InitSortXRef();
  return grid;
}

void BM_GridSort(benchmark::State &state)
{
  const int rows = int(state.range(0)), col = int(state.range(1));
  auto grid = MakeSortGrid(rows);
  for (auto _ : state) {
    state.PauseTiming();
    grid->QUnSort();
    state.ResumeTiming();
    grid->Sort(col, sdAscending);
  }
}

void BM_ModelSort(benchmark::State &state)
{
  const int rows = int(state.range(0)), col = int(state.range(1));
  constexpr int kOrderRole = Qt::UserRole + 1;
  auto model = std::make_unique<QStandardItemModel>(rows, kSortCols + 1);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < kSortCols; ++c)
      model->setItem(r, c, new QStandardItem(SortCellText(c, SortKey(r + 1, c))));
    auto *order = new QStandardItem;
    order->setData(r, kOrderRole);
    model->setItem(r, kSortCols, order);
  }
  for (auto _ : state) {
    state.PauseTiming();
    model->setSortRole(kOrderRole);
    model->sort(kSortCols);
    model->setSortRole(Qt::DisplayRole);
    state.ResumeTiming();
    model->sort(col);
  }
}

void BM_FloorSort(benchmark::State &state)
{
  const int rows = int(state.range(0)), col = int(state.range(1));
  std::vector<std::vector<QString>> start{size_t(rows), std::vector<QString>(size_t(kSortCols))};
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < kSortCols; ++c)
      start[size_t(r)][size_t(c)] = SortCellText(c, SortKey(r + 1, c));
  std::vector<const std::vector<QString> *> order;
  for (auto _ : state) {
    state.PauseTiming();
    order.clear();
    for (const auto &row : start)
      order.push_back(&row);
    state.ResumeTiming();
    std::stable_sort(order.begin(), order.end(),
                     [col](const std::vector<QString> *a, const std::vector<QString> *b) { return (*a)[size_t(col)] < (*b)[size_t(col)]; });
    benchmark::DoNotOptimize(order.data());
  }
}

void BM_GridUnSort(benchmark::State &state)
{
  auto grid = MakeSortGrid(int(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    grid->Sort(kNumeric, sdAscending);
    state.ResumeTiming();
    grid->QUnSort();
  }
}

void SortArgs(benchmark::internal::Benchmark *b)
{
  for (int rows : {10000, 100000, 1000000})
    for (int col : {int(kNumeric), int(kText), int(kDate)})
      b->Args({rows, col});
}

BENCHMARK(BM_GridSort)->Apply(SortArgs)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ModelSort)->Apply(SortArgs)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_FloorSort)->Apply(SortArgs)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_GridUnSort)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

constexpr int kSmallRows = kRows / 4;
constexpr int kTenthRows = kRows / 10;

BENCHMARK(BM_GridTopRow)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ModelTopRow)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_GridMiddleBlock)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ModelMiddleBlock)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_GridMoveBlock)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ModelMoveBlock)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_GridFilterHalf)->Arg(kTenthRows)->Arg(kSmallRows)->Arg(kRows)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ModelFilterHalf)->Arg(kSmallRows)->Arg(kRows)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_GridGroup)->Arg(kSmallRows)->Arg(kRows)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ModelGroup)->Arg(kSmallRows)->Arg(kRows)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_GridFindAll)->Arg(kSmallRows)->Arg(kRows)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ModelFindAll)->Arg(kSmallRows)->Arg(kRows)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char **argv)
{
  return RunOffscreenBenchmarks(argc, argv, [](const TRatioReporter &reporter) {
    const struct {
      const char *Grid, *Model, *What;
    } pairs[] = {
        {"BM_GridTopRow", "BM_ModelTopRow", "insert and remove a row at the top"},
        {"BM_GridMiddleBlock", "BM_ModelMiddleBlock", "insert and remove 1,000 rows in the middle"},
        {"BM_GridMoveBlock", "BM_ModelMoveBlock", "move 1,000 rows down and back"},
    };
    for (const auto &p : pairs)
      if (const double r = reporter.Ratio(p.Model, p.Grid); r > 0)
        std::printf("%s of %d: QStandardItemModel / TZavStringGrid = %.2f (goal: at least 1)\n", p.What, kRows, r);
    const struct {
      const char *Grid, *Model, *What;
    } scaled[] = {
        {"BM_GridFilterHalf", "BM_ModelFilterHalf", "filter half the rows and lift the filter"},
        {"BM_GridGroup", "BM_ModelGroup", "group by a column and ungroup"},
        {"BM_GridFindAll", "BM_ModelFindAll", "find every cell containing a text"},
    };
    auto at = [&](const char *Name, int Rows) {
      const auto it = reporter.TimesByRun.find(std::string(Name) + "/" + std::to_string(Rows));
      return it == reporter.TimesByRun.end() ? 0.0 : it->second;
    };
    for (const auto &p : scaled) {
      const double grid = at(p.Grid, kRows), model = at(p.Model, kRows), small = at(p.Grid, kSmallRows);
      if (grid > 0 && model > 0 && small > 0)
        std::printf("%s of %d: %s / TZavStringGrid = %.2f (goal: at least 1); grid time x%.1f for 4x the rows "
                    "(linear: about 4; goal: at most 5)\n",
                    p.What, kRows, std::string(p.Model).find("Filter") != std::string::npos ? "QSortFilterProxyModel"
                                                                                         : "QStandardItemModel",
                    model / grid, grid / small);
    }
    static const char *const kinds[] = {"", "numeric", "text", "date"};
    for (int col : {int(kNumeric), int(kText), int(kDate)}) {
      for (int rows : {10000, 100000, 1000000}) {
        const std::string arg = "/" + std::to_string(rows) + "/" + std::to_string(col);
        const auto t = [&](const char *Name) {
          const auto it = reporter.TimesByRun.find(std::string(Name) + arg);
          return it == reporter.TimesByRun.end() ? 0.0 : it->second;
        };
        const double grid = t("BM_GridSort"), model = t("BM_ModelSort"), floor = t("BM_FloorSort");
        if (grid > 0 && model > 0 && floor > 0)
          std::printf("sort %d rows by a %s column: QStandardItemModel / TZavStringGrid = %.2f (goal: at least 2); "
                      "TZavStringGrid / stable_sort floor = %.2f (goal: at most 3)\n",
                      rows, kinds[col], model / grid, grid / floor);
      }
      const auto it1 = reporter.TimesByRun.find("BM_GridSort/1000000/" + std::to_string(col));
      const auto it0 = reporter.TimesByRun.find("BM_GridSort/100000/" + std::to_string(col));
      if (it1 != reporter.TimesByRun.end() && it0 != reporter.TimesByRun.end() && it0->second > 0)
        std::printf("sort by a %s column: grid time x%.1f for 10x the rows (n log n: about 12)\n", kinds[col],
                    it1->second / it0->second);
    }
    {
      const auto u = reporter.TimesByRun.find("BM_GridUnSort/100000");
      const auto s = reporter.TimesByRun.find("BM_GridSort/100000/1");
      if (u != reporter.TimesByRun.end() && s != reporter.TimesByRun.end() && s->second > 0)
        std::printf("QUnSort of 100000 rows / one sort = %.2f (goal: at most 2)\n", u->second / s->second);
    }
    if (const double large = at("BM_GridFilterHalf", kRows), tenth = at("BM_GridFilterHalf", kTenthRows);
        large > 0 && tenth > 0)
      std::printf("filter half the rows and lift the filter: grid time x%.1f from %d to %d cells (linear: about 10; "
                  "goal: at most 12)\n",
                  large / tenth, kTenthRows * kCols, kRows * kCols);
  });
}
