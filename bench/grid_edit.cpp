// Typing one character into an open cell editor: a column grid of 100,000 rows x 10 columns
// (text, combo and check-box columns) in a 1,000 x 700 window against QTableView over
// QStandardItemModel with its QLineEdit editor open, in the same run. Each character travels
// the editor's key path and the window repaints what changed; ours also copies the text into
// the cell while typing. main prints the table view's time over the grid's.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bench_ratio.h"
#include "framework/controls/forms.h"
#include "grid/core/column_collection.h"
#include "grid/core/column_grid.h"
#include "grid/foundation/grid_options.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;
constexpr int kWidth = 1000;
constexpr int kHeight = 700;
// The text is cut back after this many characters, so that every pass types into a short text.
constexpr int kRun = 32;

class TBenchGrid : public TZavColumnGrid {
public:
  using TZavColumnGrid::TZavColumnGrid;
  using TZavColumnGrid::ShowEditor;
};

void BM_GridTypeChar(benchmark::State &state)
{
  auto form = std::make_unique<TForm>(nullptr);
  form->SetClientSize(kWidth, kHeight);
  auto *g = new TBenchGrid(form.get());
  g->SetParent(form.get());
  g->SetAlign(alClient);
  g->SetColCount(kCols + 1);
  g->SetRowCount(kRows + 1);
  g->SetFixedCols(1);
  for (int c = 1; c <= kCols; ++c) {
    TGridColumnItem *col = g->Columns()->Items(c);
    col->SetEditor(c % 3 == 1 ? edNormal : c % 3 == 2 ? edComboList : edDataCheckBox);
    if (c % 3 == 2)
      for (const char *t : {"S7300", "S7400", "S71200"})
        col->ComboItems()->Add(t);
  }
  for (int r = 1; r <= kRows; ++r)
    for (int c = 1; c <= kCols; ++c)
      g->SetCells(c, r, c % 3 == 0 ? QStringLiteral("Y") : QStringLiteral("Value %1").arg(r & 1023));
  g->SetOptions(g->Options() + goEditing);
  form->Show();
  g->SetFocus();
  g->FocusCell(1, 1, true);
  QApplication::processEvents();
  g->ShowEditor();
  QApplication::processEvents();
  TInplaceEdit *ed = g->NormalEdit();
  if (!ed || !ed->Visible()) {
    state.SkipWithError("the editor did not open");
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
    ed->Perform(WM_CHAR, 'a', 0);
    QApplication::processEvents();
  }
}

void BM_ModelTypeChar(benchmark::State &state)
{
  QStandardItemModel m(kRows, kCols);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c)
      m.setData(m.index(r, c), (c + 1) % 3 == 0 ? QStringLiteral("Y") : QStringLiteral("Value %1").arg((r + 1) & 1023));
  QTableView v;
  v.setModel(&m);
  v.resize(kWidth, kHeight);
  v.show();
  QApplication::processEvents();
  v.setCurrentIndex(m.index(0, 0));
  v.edit(m.index(0, 0));
  QApplication::processEvents();
  auto *ed = v.findChild<QLineEdit *>();
  if (!ed || !ed->isVisible()) {
    state.SkipWithError("the editor did not open");
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
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(ed, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(ed, &release);
    QApplication::processEvents();
  }
}

BENCHMARK(BM_GridTypeChar)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ModelTypeChar)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

}  // namespace

int main(int argc, char **argv)
{
  return RunOffscreenBenchmarks(argc, argv, [](const TRatioReporter &reporter) {
    if (const double r = reporter.Ratio("BM_ModelTypeChar", "BM_GridTypeChar"); r > 0)
      std::printf("TypeChar, %d x %d: QTableView / TZavColumnGrid = %.2f\n", kRows, kCols, r);
  });
}
