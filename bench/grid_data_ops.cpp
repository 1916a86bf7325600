// Data operations on a million cells: the column statistics (sum, average, minimum, maximum)
// over a column of 1,000,000 numeric texts against reading the same texts through
// QStandardItemModel::data() and summing them; and the cell text file of 100,000 x 10 cells
// saved and loaded against QTextStream writing and reading the same texts, one per line (the
// floor: no format, no grid). The ratios are printed at the end.
#include <QFile>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "bench_ratio.h"
#include "grid/core/zav_string_grid.h"

namespace {

constexpr int kStatRows = 1000000;
constexpr int kFileRows = 100000;
constexpr int kFileCols = 10;

QString NumberText(int I) { return QString::number((I * 7919) % 100000 / 100.0, 'f', 2); }
QString CellText(int C, int R) { return QStringLiteral("Cell %1 of row %2").arg(C).arg(R); }

std::unique_ptr<TZavStringGrid> StatGrid()
{
  auto g = std::make_unique<TZavStringGrid>(nullptr);
  g->SetColCount(2);
  g->SetRowCount(kStatRows + 1);
  for (int r = 1; r <= kStatRows; ++r)
    g->SetGridCells(1, r, NumberText(r));
  return g;
}

void BM_GridColumnStats(benchmark::State &state)
{
  auto g = StatGrid();
  for (auto _ : state) {
    benchmark::DoNotOptimize(g->ColumnSum(1, -1, -1));
    benchmark::DoNotOptimize(g->ColumnAvg(1, -1, -1));
    benchmark::DoNotOptimize(g->ColumnMin(1, -1, -1));
    benchmark::DoNotOptimize(g->ColumnMax(1, -1, -1));
  }
}

void BM_ModelColumnStats(benchmark::State &state)
{
  QStandardItemModel model(kStatRows, 1);
  for (int r = 0; r < kStatRows; ++r)
    model.setItem(r, 0, new QStandardItem(NumberText(r + 1)));
  auto values = [&](auto &&Fn) {
    for (int r = 0; r < kStatRows; ++r)
      Fn(model.data(model.index(r, 0)).toDouble());
  };
  for (auto _ : state) {
    double sum = 0, avg = 0, mn = 1e300, mx = -1e300;
    values([&](double v) { sum += v; });
    values([&](double v) { avg += v; });
    avg /= kStatRows;
    values([&](double v) { mn = std::min(mn, v); });
    values([&](double v) { mx = std::max(mx, v); });
    benchmark::DoNotOptimize(sum + avg + mn + mx);
  }
}

void BM_GridCellTextFile(benchmark::State &state)
{
  QTemporaryDir dir;
  const QString path = dir.filePath("cells.txt");
  TZavStringGrid g(nullptr);
  g.SetColCount(kFileCols);
  g.SetRowCount(kFileRows);
  for (int r = 0; r < kFileRows; ++r)
    for (int c = 0; c < kFileCols; ++c)
      g.SetGridCells(c, r, CellText(c, r));
  TZavStringGrid back(nullptr);
  for (auto _ : state) {
    g.SaveToFile(path);
    back.LoadFromFile(path);
  }
}

void BM_TextStreamFile(benchmark::State &state)
{
  QTemporaryDir dir;
  const QString path = dir.filePath("cells.txt");
  QStringList texts;
  for (int r = 0; r < kFileRows; ++r)
    for (int c = 0; c < kFileCols; ++c)
      texts << CellText(c, r);
  for (auto _ : state) {
    {
      QFile f(path);
      f.open(QIODevice::WriteOnly);
      QTextStream out(&f);
      for (const QString &t : texts)
        out << t << "\r\n";
    }
    QStringList read;
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    QTextStream in(&f);
    QString line;
    while (in.readLineInto(&line))
      read << line;
    benchmark::DoNotOptimize(read.size());
  }
}

} // namespace

BENCHMARK(BM_GridColumnStats)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModelColumnStats)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridCellTextFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextStreamFile)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
  return RunOffscreenBenchmarks(argc, argv, [](const TRatioReporter &reporter) {
    if (const double r = reporter.Ratio("BM_ModelColumnStats", "BM_GridColumnStats"); r > 0)
      std::printf("column sum, average, minimum and maximum of %d cells: QStandardItemModel / TZavStringGrid = %.2f "
                  "(goal: at least 3)\n",
                  kStatRows, r);
    if (const double r = reporter.Ratio("BM_GridCellTextFile", "BM_TextStreamFile"); r > 0)
      std::printf("cell text file of %d cells saved and loaded: TZavStringGrid / QTextStream = %.2f (goal: at most 3)\n",
                  kFileRows * kFileCols, r);
  });
}
