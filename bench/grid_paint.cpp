// Painting a column grid of 100,000 rows x 10 columns against QTableView over
// QStandardItemModel with a delegate doing comparable work (grid_windows.h): a full repaint, a
// page down with its repaint, and a move of the current cell by the arrow keys (Down, then Up
// again; only the two cells repaint). main prints the view's time over the grid's and the cell
// move's share of a full repaint.
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench_ratio.h"
#include "grid_windows.h"

namespace {

using namespace bench_grid;

void BM_GridFullRepaint(benchmark::State &state)
{
  TGridWindow w;
  for (auto _ : state) {
    w.Grid->Invalidate();
    QApplication::processEvents();
  }
}

void BM_ViewFullRepaint(benchmark::State &state)
{
  TViewWindow w;
  for (auto _ : state) {
    w.RepaintAll();
    QApplication::processEvents();
  }
}

void BM_GridPageDown(benchmark::State &state)
{
  TGridWindow w;
  TZavColumnGrid *g = w.Grid;
  for (auto _ : state) {
    const int next = g->TopRow() + g->VisibleRowCount();
    g->SetTopRow(next + g->VisibleRowCount() > g->RowCount() ? g->FixedRows() : next);
    QApplication::processEvents();
  }
}

void BM_ViewPageDown(benchmark::State &state)
{
  TViewWindow w;
  QScrollBar *bar = w.View.verticalScrollBar();
  for (auto _ : state) {
    const int next = bar->value() + bar->pageStep();
    bar->setValue(next > bar->maximum() ? 0 : next);
    QApplication::processEvents();
  }
}

void BM_GridCellMove(benchmark::State &state)
{
  TGridWindow w;
  TZavColumnGrid *g = w.Grid;
  g->FocusCell(2, 5);
  QApplication::processEvents();
  if (!g->HandleAllocated() || QApplication::focusWidget() != g->Handle()) {
    state.SkipWithError("the grid does not have the focus");
    return;
  }
  int pass = 0;
  for (auto _ : state)
    StrikeKey((pass++ & 1) ? Qt::Key_Up : Qt::Key_Down);
  if (g->Col() != 2 || (g->Row() != 5 && g->Row() != 6))
    state.SkipWithError("the keys did not move the current cell between two rows");
}

void BM_ViewCellMove(benchmark::State &state)
{
  TViewWindow w;
  w.View.setCurrentIndex(w.Model.index(4, 2));
  QApplication::processEvents();
  if (QApplication::focusWidget() != &w.View) {
    state.SkipWithError("the view does not have the focus");
    return;
  }
  int pass = 0;
  for (auto _ : state)
    StrikeKey((pass++ & 1) ? Qt::Key_Up : Qt::Key_Down);
  const QModelIndex cur = w.View.currentIndex();
  if (cur.column() != 2 || (cur.row() != 4 && cur.row() != 5))
    state.SkipWithError("the keys did not move the current cell between two rows");
}

BENCHMARK(BM_GridFullRepaint)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ViewFullRepaint)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_GridPageDown)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ViewPageDown)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_GridCellMove)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ViewCellMove)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

}  // namespace

int main(int argc, char **argv)
{
  return RunOffscreenBenchmarks(argc, argv, [](const TRatioReporter &reporter) {
    const struct {
      const char *Name, *Goal;
    } ops[] = {{"FullRepaint", "at least 1"}, {"PageDown", "for information"}};
    for (const auto &op : ops)
      if (const double r = reporter.Ratio(std::string("BM_View") + op.Name, std::string("BM_Grid") + op.Name); r > 0)
        std::printf("%s, %d x %d: QTableView / TZavColumnGrid = %.2f (goal: %s)\n", op.Name, kRows, kCols, r, op.Goal);
    if (const double r = reporter.Ratio("BM_GridCellMove", "BM_ViewCellMove"); r > 0)
      std::printf("CellMove (arrow key and repaint): TZavColumnGrid / QTableView = %.2f (goal: at most 1.2)\n", r);
    if (const double r = reporter.Ratio("BM_GridFullRepaint", "BM_GridCellMove"); r > 0)
      std::printf("Cell move: full repaint / cell move = %.2f (goal: at least 5)\n", r);
  });
}
