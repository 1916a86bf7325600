// The grid's binary cell stream over 100,000 text cells (10,000 rows of 10), written and read
// back, against QDataStream writing and reading the same texts with their coordinates into a
// QByteArray (the floor: no records, no names, no grid). The ratios printed at the end are the
// grid's time over QDataStream's.
#include <QApplication>
#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "framework/classes/classes.h"
#include "grid/core/zav_string_grid.h"
#include "bench_ratio.h"

namespace {

constexpr int kRows = 10000;
constexpr int kCols = 10;

QString Text(int c, int r) { return QStringLiteral("Cell %1 of row %2").arg(c).arg(r); }

std::unique_ptr<TZavStringGrid> FilledGrid()
{
  auto g = std::make_unique<TZavStringGrid>(nullptr);
  g->SetColCount(kCols);
  g->SetRowCount(kRows);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c)
      g->SetCells(c, r, Text(c, r));
  return g;
}

void BM_GridBinStreamSave(benchmark::State &state)
{
  auto g = FilledGrid();
  for (auto _ : state) {
    TMemoryStream ms;
    g->SaveToBinStream(&ms);
    benchmark::DoNotOptimize(ms.Size());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kRows) * kCols);
}

void BM_QDataStreamSave(benchmark::State &state)
{
  auto g = FilledGrid();
  for (auto _ : state) {
    QByteArray out;
    QDataStream ds(&out, QIODevice::WriteOnly);
    ds << qint32(kCols) << qint32(kRows);
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c)
        ds << quint16(c) << quint16(r) << g->GridCells(c, r);
    benchmark::DoNotOptimize(out.size());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kRows) * kCols);
}

void BM_GridBinStreamLoad(benchmark::State &state)
{
  auto g = FilledGrid();
  TMemoryStream ms;
  g->SaveToBinStream(&ms);
  auto target = std::make_unique<TZavStringGrid>(nullptr);
  for (auto _ : state) {
    ms.SetPosition(0);
    target->LoadFromBinStream(&ms);
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kRows) * kCols);
}

void BM_QDataStreamLoad(benchmark::State &state)
{
  auto g = FilledGrid();
  QByteArray bytes;
  {
    QDataStream ds(&bytes, QIODevice::WriteOnly);
    ds << qint32(kCols) << qint32(kRows);
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c)
        ds << quint16(c) << quint16(r) << g->GridCells(c, r);
  }
  auto target = std::make_unique<TZavStringGrid>(nullptr);
  for (auto _ : state) {
    QDataStream ds(bytes);
    qint32 cols = 0, rows = 0;
    ds >> cols >> rows;
    target->SetColCount(cols);
    target->SetRowCount(rows);
    for (int i = 0; i < cols * rows; ++i) {
      quint16 c = 0, r = 0;
      QString s;
      ds >> c >> r >> s;
      target->SetCells(c, r, s);
    }
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kRows) * kCols);
}

BENCHMARK(BM_GridBinStreamSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QDataStreamSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridBinStreamLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QDataStreamLoad)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
  return RunOffscreenBenchmarks(argc, argv, [](const TRatioReporter &reporter) {
    if (const double r = reporter.Ratio("BM_GridBinStreamSave", "BM_QDataStreamSave"); r > 0)
      std::printf("Writing %d cells: binary cell stream / QDataStream = %.2f (goal: at most 3)\n", kRows * kCols, r);
    if (const double r = reporter.Ratio("BM_GridBinStreamLoad", "BM_QDataStreamLoad"); r > 0)
      std::printf("Reading %d cells: binary cell stream / QDataStream = %.2f (goal: at most 3)\n", kRows * kCols, r);
  });
}
