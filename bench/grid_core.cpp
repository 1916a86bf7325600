// The string grid's data model at 100,000 rows x 10 columns against QStandardItemModel doing the
// same work in the same run: fill every cell, read every cell (the display text handed out as
// a QString, and the stored text handed out by reference), hide and show a column, colour
// 1,000 rows. Only the row colours run on shown windows (the repaint is part of that work); the
// rest is the model alone. main prints the model's time over the grid's for each operation.
#include <QApplication>
#include <QBrush>
#include <QStandardItemModel>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench_ratio.h"
#include "framework/controls/forms.h"
#include "grid/core/zav_string_grid.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;
constexpr int kColoured = 1000;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

const std::vector<QString> &Texts()
{
  static const std::vector<QString> t = [] {
    std::vector<QString> v;
    for (int i = 0; i < 1024; ++i)
      v.push_back(QStringLiteral("Value %1").arg(i));
    return v;
  }();
  return t;
}

std::unique_ptr<TZavStringGrid> MakeGrid()
{
  auto g = std::make_unique<TZavStringGrid>(nullptr);
  g->SetColCount(kCols + 1);
  g->SetRowCount(kRows + 1);
  return g;
}

void FillGrid(TZavStringGrid *G)
{
  const std::vector<QString> &t = Texts();
  for (int r = 1; r <= kRows; ++r)
    for (int c = 1; c <= kCols; ++c)
      G->SetCells(c, r, t[size_t((r * kCols + c) & 1023)]);
}

void FillModel(QStandardItemModel *M)
{
  const std::vector<QString> &t = Texts();
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c)
      M->setData(M->index(r, c), t[size_t(((r + 1) * kCols + c + 1) & 1023)]);
}

void BM_GridFill(benchmark::State &state)
{
  for (auto _ : state) {
    state.PauseTiming();
    auto g = MakeGrid();
    state.ResumeTiming();
    FillGrid(g.get());
    state.PauseTiming();
    g.reset();
    state.ResumeTiming();
  }
}

void BM_ModelFill(benchmark::State &state)
{
  for (auto _ : state) {
    state.PauseTiming();
    auto m = std::make_unique<QStandardItemModel>(kRows, kCols);
    state.ResumeTiming();
    FillModel(m.get());
    state.PauseTiming();
    m.reset();
    state.ResumeTiming();
  }
}

// Every cell read once per iteration through Read(grid, col, row), which answers the text.
template <typename TRead>
void ReadEveryCell(benchmark::State &state, TRead Read)
{
  auto g = MakeGrid();
  FillGrid(g.get());
  int64_t sum = 0;
  for (auto _ : state)
    for (int r = 1; r <= kRows; ++r)
      for (int c = 1; c <= kCols; ++c)
        sum += Read(*g, c, r).size();
  benchmark::DoNotOptimize(sum);
}

// The display texts, each handed out as a QString.
void BM_GridRead(benchmark::State &state)
{
  ReadEveryCell(state, [](TZavStringGrid &g, int c, int r) { return g.Cells(c, r); });
}

// The stored texts as they stand (no display hooks), handed out without a copy.
void BM_GridReadStored(benchmark::State &state)
{
  ReadEveryCell(state, [](TZavStringGrid &g, int c, int r) -> const QString & { return g.GridCells(c, r); });
}

void BM_ModelRead(benchmark::State &state)
{
  QStandardItemModel m(kRows, kCols);
  FillModel(&m);
  int64_t sum = 0;
  for (auto _ : state)
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c)
        sum += m.data(m.index(r, c)).toString().size();
  benchmark::DoNotOptimize(sum);
}

// The floor of any read that hands out a QString: one copy of a stored text and its release
// (two atomic reference count changes), a million times. The model's read makes two copies
// (the QVariant and the string taken out of it).
void BM_QStringCopyFloor(benchmark::State &state)
{
  std::vector<QString> stored(size_t(kRows) * kCols);
  const std::vector<QString> &t = Texts();
  for (size_t i = 0; i < stored.size(); ++i)
    stored[i] = t[i & 1023];
  int64_t sum = 0;
  for (auto _ : state)
    for (const QString &s : stored) {
      const QString copy = s;
      sum += copy.size();
    }
  benchmark::DoNotOptimize(sum);
}

void BM_GridHideShowColumn(benchmark::State &state)
{
  auto g = MakeGrid();
  FillGrid(g.get());
  for (auto _ : state) {
    g->HideColumn(3);
    g->UnHideColumn(3);
  }
}

// The model's counterpart of hiding: a view over it hides and shows the column.
void BM_ModelHideShowColumn(benchmark::State &state)
{
  QStandardItemModel m(kRows, kCols);
  FillModel(&m);
  QTableView v;
  v.setModel(&m);
  for (auto _ : state) {
    v.setColumnHidden(2, true);
    v.setColumnHidden(2, false);
  }
}

// Row colours on shown windows of the same size: each pass colours 1,000 rows spread over the
// grid one way, then back the other way, and lets the window repaint what changed in view.
void BM_GridRowColors(benchmark::State &state)
{
  auto form = std::make_unique<TForm>(nullptr);
  form->SetClientSize(kWidth, kHeight);
  auto *g = new TZavStringGrid(form.get());
  g->SetParent(form.get());
  g->SetAlign(alClient);
  g->SetColCount(kCols + 1);
  g->SetRowCount(kRows + 1);
  FillGrid(g);
  form->Show();
  QApplication::processEvents();
  int pass = 0;
  for (auto _ : state) {
    const TColor c = (pass++ & 1) ? clYellow : clAqua;
    for (int i = 0; i < kColoured; ++i)
      g->SetRowColor(1 + i * (kRows / kColoured), c);
    QApplication::processEvents();
  }
}

void BM_ModelRowColors(benchmark::State &state)
{
  QStandardItemModel m(kRows, kCols);
  FillModel(&m);
  QTableView v;
  v.setModel(&m);
  v.resize(kWidth, kHeight);
  v.show();
  QApplication::processEvents();
  int pass = 0;
  for (auto _ : state) {
    const QBrush b((pass++ & 1) ? Qt::yellow : Qt::cyan);
    for (int i = 0; i < kColoured; ++i) {
      const int r = i * (kRows / kColoured);
      for (int col = 0; col < kCols; ++col)
        m.setData(m.index(r, col), b, Qt::BackgroundRole);
    }
    QApplication::processEvents();
  }
}

BENCHMARK(BM_GridFill)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ModelFill)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_GridRead)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_GridReadStored)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ModelRead)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_QStringCopyFloor)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_GridHideShowColumn)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ModelHideShowColumn)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_GridRowColors)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ModelRowColors)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

}  // namespace

int main(int argc, char **argv)
{
  return RunOffscreenBenchmarks(argc, argv, [](const TRatioReporter &reporter) {
    const struct {
      const char *Name, *Goal;
    } ops[] = {{"Fill", "at least 3"}, {"Read", "at least 3"}, {"HideShowColumn", "at least 1"},
               {"RowColors", "at least 1"}};
    for (const auto &op : ops)
      if (const double r = reporter.Ratio(std::string("BM_Model") + op.Name, std::string("BM_Grid") + op.Name); r > 0)
        std::printf("%s, %d x %d: QStandardItemModel / TZavStringGrid = %.2f (goal: %s)\n", op.Name, kRows, kCols, r,
                    op.Goal);
    if (const double r = reporter.Ratio("BM_ModelRead", "BM_GridReadStored"); r > 0)
      std::printf("Read stored texts (no copy), %d x %d: QStandardItemModel / TZavStringGrid = %.2f (goal: at least 3)\n",
                  kRows, kCols, r);
    if (const double r = reporter.Ratio("BM_ModelRead", "BM_QStringCopyFloor"); r > 0)
      std::printf("Read bound: QStandardItemModel / one QString copy per cell = %.2f\n", r);
  });
}
