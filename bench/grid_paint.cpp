// Painting a column grid of 100,000 rows x 10 columns (a fixed number column, text, combo-list
// and data check-box columns) in a 1,000 x 700 window against QTableView over
// QStandardItemModel with a delegate doing comparable work (column colour, text, a check box):
// a full repaint, a page down with its repaint, and a move of the current cell (only the two
// cells repaint). main prints the view's time over the grid's and the cell move's share of a
// full repaint.
//
// Both sides show the same cells: the view's rows and header are as high as the grid's, its
// first column stands for the grid's fixed number column (no row header beside it), its text
// is in the grid's font, and a full repaint repaints its header row as the grid repaints its
// fixed row.
#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bench_ratio.h"
#include "framework/controls/forms.h"
#include "grid/core/column_collection.h"
#include "grid/core/column_grid.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;
constexpr int kWidth = 1000;
constexpr int kHeight = 700;
// Row height of both sides (the grid's default).
constexpr int kRowHeight = 22;

enum class Kind { Text, Combo, Check };
Kind KindOf(int c) { return c == 5 || c == 6 ? Kind::Combo : (c == 7 || c == 8 ? Kind::Check : Kind::Text); }
const TColor ColColors[kCols] = {clBtnFace, 0xFEFAE0, 0xFEFAE0, 0xF4D6FC, 0xFEFAE0,
                                 0xA8FFFF, 0xA8FFFF, 0xB0D8FF, 0xB0D8FF, clWhite};
QColor ToQ(TColor c)
{
  c = ColorToRGB(c);
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
QString CellText(int c, int r)
{
  switch (KindOf(c)) {
  case Kind::Combo:
    return r & 1 ? QStringLiteral("S7300") : QStringLiteral("S71200");
  case Kind::Check:
    return r % 3 ? QStringLiteral("Y") : QStringLiteral("N");
  default:
    return c == 0 ? QString::number(r) : QStringLiteral("DB%1.DBW%2").arg(r % 500).arg(c * 2);
  }
}

struct TGridWindow {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TZavColumnGrid *Grid = new TZavColumnGrid(Form.get());
  TGridWindow()
  {
    Form->SetClientSize(kWidth, kHeight);
    Grid->SetParent(Form.get());
    Grid->SetAlign(alClient);
    Grid->SetRowCount(kRows + 1);
    Grid->SetColCount(kCols);
    Grid->SetDefaultRowHeight(kRowHeight);
    for (int c = 0; c < kCols; ++c) {
      TGridColumnItem *col = Grid->Columns()->Items(c);
      col->SetHeader(QStringLiteral("Column %1").arg(c));
      col->SetColor(ColColors[c]);
      col->SetWidth(c == 0 ? 50 : 100);
      col->SetEditor(KindOf(c) == Kind::Combo   ? edComboList
                     : KindOf(c) == Kind::Check ? edDataCheckBox
                                                : edNormal);
    }
    for (int r = 1; r <= kRows; ++r)
      for (int c = 0; c < kCols; ++c)
        Grid->SetCells(c, r, CellText(c, r));
    Form->Show();
    QApplication::processEvents();
  }
};

class TCellDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter *P, const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
  {
    const int c = Index.column();
    P->fillRect(Option.rect, Option.state & QStyle::State_Selected ? Option.palette.highlight() : QBrush(ToQ(ColColors[c])));
    P->setPen(Qt::black);
    const QString text = Index.data().toString();
    if (KindOf(c) == Kind::Check) {
      QStyleOptionButton box;
      box.rect = QRect(Option.rect.center() - QPoint(6, 6), QSize(13, 13));
      box.state = QStyle::State_Enabled | (text == QLatin1String("Y") ? QStyle::State_On : QStyle::State_Off);
      QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, P);
    } else {
      P->drawText(Option.rect.adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop, text);
    }
  }
};

struct TViewWindow {
  QStandardItemModel Model{kRows, kCols};
  QTableView View;
  TCellDelegate Delegate;
  TViewWindow()
  {
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c)
        Model.setItem(r, c, new QStandardItem(CellText(c, r + 1)));
    for (int c = 0; c < kCols; ++c)
      Model.setHeaderData(c, Qt::Horizontal, QStringLiteral("Column %1").arg(c));
    View.setModel(&Model);
    View.setItemDelegate(&Delegate);
    View.setFont(TFont().ToQFont());
    View.verticalHeader()->hide();
    View.verticalHeader()->setMinimumSectionSize(kRowHeight);
    View.verticalHeader()->setDefaultSectionSize(kRowHeight);
    View.horizontalHeader()->setFixedHeight(kRowHeight);
    View.resize(kWidth, kHeight);
    for (int c = 0; c < kCols; ++c)
      View.setColumnWidth(c, c == 0 ? 50 : 100);
    View.show();
    QApplication::processEvents();
  }
  void RepaintAll()
  {
    View.viewport()->update();
    View.horizontalHeader()->viewport()->update();
  }
};

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
  int pass = 0;
  for (auto _ : state) {
    g->FocusCell(2, (pass++ & 1) ? 5 : 6);
    QApplication::processEvents();
  }
}

void BM_ViewCellMove(benchmark::State &state)
{
  TViewWindow w;
  int pass = 0;
  for (auto _ : state) {
    w.View.setCurrentIndex(w.Model.index((pass++ & 1) ? 4 : 5, 2));
    QApplication::processEvents();
  }
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
    } ops[] = {{"FullRepaint", "at least 1"}, {"PageDown", "for information"}, {"CellMove", "for information"}};
    for (const auto &op : ops)
      if (const double r = reporter.Ratio(std::string("BM_View") + op.Name, std::string("BM_Grid") + op.Name); r > 0)
        std::printf("%s, %d x %d: QTableView / TZavColumnGrid = %.2f (goal: %s)\n", op.Name, kRows, kCols, r, op.Goal);
    if (const double r = reporter.Ratio("BM_GridFullRepaint", "BM_GridCellMove"); r > 0)
      std::printf("Cell move: full repaint / cell move = %.2f (goal: at least 5)\n", r);
  });
}
