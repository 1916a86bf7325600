// Copy of 100,000 x 10 cells to the clipboard and their paste into an empty grid: the string
// grid's copy and paste of the selection (tabbed text and its other flavours) against the floor
// of the same work with Qt: the selection of a QTableView written as tabbed text into the
// clipboard, read back, split and filled into an empty QStandardItemModel. The ratio printed at
// the end is the grid's time over Qt's.
#include <QApplication>
#include <QClipboard>
#include <QStandardItemModel>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "framework/controls/forms.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"
#include "bench_ratio.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;

QString Text(int c, int r) { return QStringLiteral("Value %1").arg((r * kCols + c) & 1023); }

void BM_GridCopyPaste(benchmark::State &state)
{
  auto form = std::make_unique<TForm>(nullptr);
  form->SetClientSize(800, 600);
  auto *from = new TZavStringGrid(form.get());
  auto *to = new TZavStringGrid(form.get());
  for (TZavStringGrid *g : {from, to}) {
    g->SetParent(form.get());
    g->SetBounds(0, 0, 400, 300);
    g->SetColCount(kCols + 1);
    g->SetRowCount(kRows + 1);
    g->SetOptions(g->Options() + goEditing + goRangeSelect);
  }
  for (int r = 1; r <= kRows; ++r)
    for (int c = 1; c <= kCols; ++c)
      from->SetCells(c, r, Text(c, r));
  for (auto _ : state) {
    state.PauseTiming();
    to->Clear();
    state.ResumeTiming();
    from->SetSelection(TGridRect(1, 1, kCols, kRows));
    from->CopySelectionToClipboard();
    to->SetSelection(TGridRect(1, 1, 1, 1));
    to->PasteSelectionFromClipboard();
  }
  if (to->Cells(kCols, kRows) != Text(kCols, kRows))
    state.SkipWithError("the paste lost cells");
  state.SetItemsProcessed(state.iterations() * int64_t(kRows) * kCols);
}

void BM_QtCopyPaste(benchmark::State &state)
{
  QStandardItemModel model(kRows, kCols);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c)
      model.setData(model.index(r, c), Text(c + 1, r + 1));
  QTableView view;
  view.setModel(&model);
  QStandardItemModel target(kRows, kCols);
  for (auto _ : state) {
    state.PauseTiming();
    target.clear();
    target.setRowCount(kRows);
    target.setColumnCount(kCols);
    state.ResumeTiming();
    view.selectAll();
    const QModelIndexList sel = view.selectionModel()->selectedIndexes();
    QString text;
    int lastRow = -1;
    for (const QModelIndex &i : sel) {
      if (lastRow >= 0)
        text += i.row() != lastRow ? QStringLiteral("\r\n") : QStringLiteral("\t");
      text += i.data().toString();
      lastRow = i.row();
    }
    text += QStringLiteral("\r\n");
    QGuiApplication::clipboard()->setText(text);
    const QString got = QGuiApplication::clipboard()->text();
    int r = 0;
    for (const QStringView line : QStringView(got).split(QStringLiteral("\r\n"))) {
      if (r >= kRows)
        break;
      int c = 0;
      for (const QStringView field : line.split(QChar('\t')))
        if (c < kCols)
          target.setData(target.index(r, c++), field.toString());
      ++r;
    }
  }
  if (target.index(kRows - 1, kCols - 1).data().toString() != Text(kCols, kRows))
    state.SkipWithError("the fill lost cells");
  state.SetItemsProcessed(state.iterations() * int64_t(kRows) * kCols);
}

BENCHMARK(BM_GridCopyPaste)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_QtCopyPaste)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char **argv)
{
  return RunOffscreenBenchmarks(argc, argv, [](const TRatioReporter &reporter) {
    if (const double r = reporter.Ratio("BM_GridCopyPaste", "BM_QtCopyPaste"); r > 0)
      std::printf("Copy and paste of %d cells: grid / Qt floor = %.2f (goal: at most 1)\n", kRows * kCols, r);
  });
}
