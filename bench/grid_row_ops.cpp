// Structural row edits on a 100,000 x 10 grid: the string grid's InsertRows, RemoveRows and
// MoveRows against QStandardItemModel doing the same work (insertRows, removeRows, and taking
// and inserting rows for a block move, which the model has no single call for). Both hold a
// text in every cell and have no window, so the figures are those of the row bookkeeping.
// Each iteration does an edit and its inverse, so the size stays the same. The ratios printed
// at the end are the model's time over the grid's.
#include <QApplication>
#include <QList>
#include <QStandardItemModel>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bench_ratio.h"
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

BENCHMARK(BM_GridTopRow)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ModelTopRow)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_GridMiddleBlock)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ModelMiddleBlock)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_GridMoveBlock)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ModelMoveBlock)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

}  // namespace

int main(int argc, char **argv)
{
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const struct {
    const char *Grid, *Model, *What;
  } pairs[] = {
      {"BM_GridTopRow", "BM_ModelTopRow", "insert and remove a row at the top"},
      {"BM_GridMiddleBlock", "BM_ModelMiddleBlock", "insert and remove 1,000 rows in the middle"},
      {"BM_GridMoveBlock", "BM_ModelMoveBlock", "move 1,000 rows down and back"},
  };
  for (const auto &p : pairs) {
    const auto grid = reporter.Times.find(p.Grid);
    const auto model = reporter.Times.find(p.Model);
    if (grid != reporter.Times.end() && model != reporter.Times.end() && grid->second > 0)
      std::printf("%s of %d: QStandardItemModel / TZavStringGrid = %.2f (goal: at least 1)\n", p.What, kRows,
                  model->second / grid->second);
  }
  benchmark::Shutdown();
  return 0;
}
