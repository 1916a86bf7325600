// Typing one character into an open cell editor: the column grid against QTableView over
// QStandardItemModel with its QLineEdit editor open (grid_windows.h: same cells, sizes and
// font), in the same run. Each character is a key pressed and released on the focused editor,
// and the window repaints what changed; ours also copies the text into the cell while typing.
// main prints the grid's time over the table view's. The grid wraps words by default, so its
// editor is a multi-line edit; the same typing into its one-line editor (word wrap off, the
// view's kind of editor) is printed beside it.
#include <QLineEdit>
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench_ratio.h"
#include "grid_windows.h"

namespace {

using namespace bench_grid;

// The text is cut back after this many characters, so that every pass types into a short text.
constexpr int kRun = 32;
// The edited cell: a text column.
constexpr int kEditCol = 1, kEditRow = 1;

void GridTypeChar(benchmark::State &state, bool WordWrap)
{
  TGridWindow w(true);
  TBenchGrid *g = w.Grid;
  g->SetWordWrap(WordWrap);
  g->FocusCell(kEditCol, kEditRow, true);
  QApplication::processEvents();
  g->ShowEditor();
  QApplication::processEvents();
  TInplaceEdit *ed = g->NormalEdit();
  if (!ed || !ed->Visible() || QApplication::focusWidget() != ed->Handle()) {
    state.SkipWithError("the editor did not open with the focus");
    return;
  }
  int typed = 0;
  for (auto _ : state) {
    if (typed++ == kRun) {
      state.PauseTiming();
      ed->SetText(QString());
      QApplication::processEvents();
      typed = 1;
      state.ResumeTiming();
    }
    StrikeKey(Qt::Key_A, QStringLiteral("a"));
  }
  if (!ed->Text().endsWith(QLatin1Char('a')))
    state.SkipWithError("the keys did not reach the editor");
}

void BM_GridTypeChar(benchmark::State &state) { GridTypeChar(state, true); }
void BM_GridTypeCharOneLine(benchmark::State &state) { GridTypeChar(state, false); }

void BM_ModelTypeChar(benchmark::State &state)
{
  TViewWindow w;
  const QModelIndex cell = w.Model.index(kEditRow - 1, kEditCol);
  w.View.setCurrentIndex(cell);
  w.View.edit(cell);
  QApplication::processEvents();
  auto *ed = qobject_cast<QLineEdit *>(QApplication::focusWidget());
  if (!ed || !ed->isVisible() || ed->parentWidget() != w.View.viewport()) {
    state.SkipWithError("the editor did not open with the focus");
    return;
  }
  int typed = 0;
  for (auto _ : state) {
    if (typed++ == kRun) {
      state.PauseTiming();
      ed->clear();
      QApplication::processEvents();
      typed = 1;
      state.ResumeTiming();
    }
    StrikeKey(Qt::Key_A, QStringLiteral("a"));
  }
  if (!ed->text().endsWith(QLatin1Char('a')))
    state.SkipWithError("the keys did not reach the editor");
}

BENCHMARK(BM_GridTypeChar)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_GridTypeCharOneLine)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ModelTypeChar)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

}  // namespace

int main(int argc, char **argv)
{
  return RunOffscreenBenchmarks(argc, argv, [](const TRatioReporter &reporter) {
    if (const double r = reporter.Ratio("BM_GridTypeChar", "BM_ModelTypeChar"); r > 0)
      std::printf("TypeChar (key into the open editor and repaint), %d x %d: TZavColumnGrid / QTableView = %.2f "
                  "(goal: at most 1.2)\n",
                  kRows, kCols, r);
    if (const double r = reporter.Ratio("BM_GridTypeCharOneLine", "BM_ModelTypeChar"); r > 0)
      std::printf("TypeChar into the one-line editor (word wrap off): TZavColumnGrid / QTableView = %.2f\n", r);
  });
}
