// Filling a million cells of a shown grid: the framework's TStringGrid against QTableView
// over a QStandardItemModel filled with setData, both on a shown window of the same size.
// Each iteration writes new texts into every cell (the cells already exist), then lets the
// window repaint. The ratio printed at the end is QTableView's time over the grid's.
#include <QApplication>
#include <QStandardItemModel>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/forms.h"
#include "framework/grids/grids.h"
#include "bench_ratio.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Two sets of texts, so that every pass changes every cell.
const std::vector<QString> &Texts(int Pass)
{
  static const std::vector<QString> sets[2] = {
      [] {
        std::vector<QString> v;
        for (int i = 0; i < 1024; ++i)
          v.push_back(QStringLiteral("Value %1").arg(i));
        return v;
      }(),
      [] {
        std::vector<QString> v;
        for (int i = 0; i < 1024; ++i)
          v.push_back(QStringLiteral("Other %1").arg(i));
        return v;
      }(),
  };
  return sets[Pass & 1];
}

void FillGrid(TStringGrid *Grid, int Pass)
{
  const std::vector<QString> &t = Texts(Pass);
  for (int r = 1; r <= kRows; ++r)
    for (int c = 1; c <= kCols; ++c)
      Grid->SetCells(c, r, t[size_t((r * kCols + c) & 1023)]);
}

void FillModel(QStandardItemModel *Model, int Pass)
{
  const std::vector<QString> &t = Texts(Pass);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c)
      Model->setData(Model->index(r, c), t[size_t(((r + 1) * kCols + c + 1) & 1023)]);
}

void BM_TStringGrid(benchmark::State &state)
{
  auto form = std::make_unique<TForm>(nullptr);
  form->SetClientSize(kWidth, kHeight);
  auto *grid = new TStringGrid(form.get());
  grid->SetParent(form.get());
  grid->SetAlign(alClient);
  grid->SetColCount(kCols + 1);
  grid->SetRowCount(kRows + 1);
  form->Show();
  FillGrid(grid, 1);
  QApplication::processEvents();
  int pass = 0;
  for (auto _ : state) {
    FillGrid(grid, pass++);
    QApplication::processEvents();
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kRows) * kCols);
}

void BM_QTableView(benchmark::State &state)
{
  QStandardItemModel model(kRows, kCols);
  QTableView view;
  view.setModel(&model);
  view.resize(kWidth, kHeight);
  view.show();
  FillModel(&model, 1);
  QApplication::processEvents();
  int pass = 0;
  for (auto _ : state) {
    FillModel(&model, pass++);
    QApplication::processEvents();
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kRows) * kCols);
}

BENCHMARK(BM_TStringGrid)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_QTableView)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char **argv)
{
  return RunOffscreenBenchmarks(argc, argv, [](const TRatioReporter &reporter) {
    if (const double r = reporter.Ratio("BM_QTableView", "BM_TStringGrid"); r > 0)
      std::printf("Filling %d cells: QTableView / TStringGrid = %.2f (goal: at least 3)\n", kRows * kCols, r);
  });
}
