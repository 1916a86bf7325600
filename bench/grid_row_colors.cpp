// Colouring 1,000 rows of a shown 100,000-row grid: the string grid's RowColor against
// QTableView over a QStandardItemModel given the background role for the same cells. Each
// iteration colours the rows one way, then back the other way, and lets the window repaint.
// The ratio printed at the end is QTableView's time over the grid's.
#include <QApplication>
#include <QBrush>
#include <QStandardItemModel>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "bench_ratio.h"
#include "framework/controls/forms.h"
#include "grid/core/zav_string_grid.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;
constexpr int kColored = 1000;
constexpr int kStep = kRows / kColored;  // rows spread over the whole grid
constexpr int kWidth = 800;
constexpr int kHeight = 600;

void BM_ZavStringGridRowColor(benchmark::State &state)
{
  auto form = std::make_unique<TForm>(nullptr);
  form->SetClientSize(kWidth, kHeight);
  auto *grid = new TZavStringGrid(form.get());
  grid->SetParent(form.get());
  grid->SetAlign(alClient);
  grid->SetColCount(kCols + 1);
  grid->SetRowCount(kRows + 1);
  form->Show();
  QApplication::processEvents();
  int pass = 0;
  for (auto _ : state) {
    const TColor c = (pass++ & 1) ? clYellow : clAqua;
    for (int i = 0; i < kColored; ++i)
      grid->SetRowColor(1 + i * kStep, c);
    QApplication::processEvents();
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kColored) * kCols);
}

void BM_QTableViewBackground(benchmark::State &state)
{
  QStandardItemModel model(kRows, kCols);
  QTableView view;
  view.setModel(&model);
  view.resize(kWidth, kHeight);
  view.show();
  QApplication::processEvents();
  int pass = 0;
  for (auto _ : state) {
    const QBrush b((pass++ & 1) ? Qt::yellow : Qt::cyan);
    for (int i = 0; i < kColored; ++i)
      for (int c = 0; c < kCols; ++c)
        model.setData(model.index(i * kStep, c), b, Qt::BackgroundRole);
    QApplication::processEvents();
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kColored) * kCols);
}

BENCHMARK(BM_ZavStringGridRowColor)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_QTableViewBackground)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char **argv)
{
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto grid = reporter.Times.find("BM_ZavStringGridRowColor");
  const auto table = reporter.Times.find("BM_QTableViewBackground");
  if (grid != reporter.Times.end() && table != reporter.Times.end() && grid->second > 0)
    std::printf("Colouring %d rows of %d: QTableView / TZavStringGrid = %.2f (goal: at least 1)\n", kColored,
                kRows, table->second / grid->second);
  benchmark::Shutdown();
  return 0;
}
