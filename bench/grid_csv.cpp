// CSV of a million cells (100,000 rows of 10 fields): the grid's SaveToCSV and LoadFromCSV
// against QTextStream writing the same fields to a file and reading them back into a vector
// of strings (split at the delimiter, no quoting: the floor). Ratios grid / QTextStream.
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "framework/controls/forms.h"
#include "grid/core/zav_string_grid.h"
#include "bench_ratio.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;

QString Text(int R, int C) { return QStringLiteral("Value %1").arg((R * kCols + C) & 1023); }

struct TCSVFixture {
  QTemporaryDir dir;
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TZavStringGrid *grid = new TZavStringGrid(form.get());
  TCSVFixture()
  {
    grid->SetColCount(kCols);
    grid->SetRowCount(kRows);
    grid->SetFixedRows(0);
    grid->SetFixedCols(0);
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c)
        grid->SetCells(c, r, Text(r, c));
  }
  QString path() const { return dir.filePath("bench.csv"); }
};

TCSVFixture &Fixture()
{
  static TCSVFixture f;
  return f;
}

void WriteWithTextStream(const QString &Path)
{
  QFile f(Path);
  f.open(QIODevice::WriteOnly | QIODevice::Truncate);
  QTextStream s(&f);
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kCols; ++c) {
      if (c)
        s << ',';
      s << Text(r, c);
    }
    s << "\r\n";
  }
}

void BM_GridSaveCSV(benchmark::State &state)
{
  TCSVFixture &f = Fixture();
  for (auto _ : state)
    f.grid->SaveToCSV(f.path(), true);
  state.SetItemsProcessed(state.iterations() * int64_t(kRows) * kCols);
}

void BM_QTextStreamWrite(benchmark::State &state)
{
  TCSVFixture &f = Fixture();
  for (auto _ : state)
    WriteWithTextStream(f.path());
  state.SetItemsProcessed(state.iterations() * int64_t(kRows) * kCols);
}

void BM_GridLoadCSV(benchmark::State &state)
{
  TCSVFixture &f = Fixture();
  f.grid->SaveToCSV(f.path(), true);
  TForm form(nullptr);
  auto *target = new TZavStringGrid(&form);
  for (auto _ : state) {
    state.PauseTiming();
    target->SetRowCount(1);
    target->SetColCount(1);
    state.ResumeTiming();
    target->LoadFromCSV(f.path());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kRows) * kCols);
}

void BM_QTextStreamRead(benchmark::State &state)
{
  TCSVFixture &f = Fixture();
  WriteWithTextStream(f.path());
  for (auto _ : state) {
    QFile file(f.path());
    file.open(QIODevice::ReadOnly);
    QTextStream s(&file);
    std::vector<QString> cells;
    cells.reserve(size_t(kRows) * kCols);
    QString line;
    while (s.readLineInto(&line))
      for (const QString &field : line.split(QLatin1Char(',')))
        cells.push_back(field);
    benchmark::DoNotOptimize(cells.data());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kRows) * kCols);
}

BENCHMARK(BM_GridSaveCSV)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_QTextStreamWrite)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_GridLoadCSV)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_QTextStreamRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char **argv)
{
  return RunOffscreenBenchmarks(argc, argv, [](const TRatioReporter &reporter) {
    if (const double r = reporter.Ratio("BM_GridSaveCSV", "BM_QTextStreamWrite"); r > 0)
      std::printf("Saving %d cells as CSV: grid / QTextStream = %.2f (goal: at most 3)\n", kRows * kCols, r);
    if (const double r = reporter.Ratio("BM_GridLoadCSV", "BM_QTextStreamRead"); r > 0)
      std::printf("Loading %d cells from CSV: grid / QTextStream = %.2f (goal: at most 3)\n", kRows * kCols, r);
  });
}
