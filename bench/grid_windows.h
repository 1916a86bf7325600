#pragma once
// The two windows the grid benchmarks compare: a column grid of 100,000 rows x 10 columns (a
// fixed number column, text, combo-list and data check-box columns) in a 1,000 x 700 window, and
// QTableView over QStandardItemModel with a delegate doing comparable work (column colour,
// text, a check box). Both show the same cells: the view's rows and header are as high as the
// grid's, its first column stands for the grid's fixed number column (no row header beside
// it), and its text is in the grid's font.
//
// Keys reach both the way a user's do: a QKeyEvent press and release sent to the widget that
// has the focus, then the event loop runs the key's posted work and the repaint into the
// window's backing store.
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include <memory>

#include "framework/controls/forms.h"
#include "grid/core/column_collection.h"
#include "grid/core/column_grid.h"
#include "grid/foundation/grid_options.h"

namespace bench_grid {

constexpr int kRows = 100000;
constexpr int kCols = 10;
constexpr int kWidth = 1000;
constexpr int kHeight = 700;
// Row height of both sides (the grid's default).
constexpr int kRowHeight = 22;

enum class Kind { Text, Combo, Check };
inline Kind KindOf(int c) { return c == 5 || c == 6 ? Kind::Combo : (c == 7 || c == 8 ? Kind::Check : Kind::Text); }
inline const TColor ColColors[kCols] = {clBtnFace, 0xFEFAE0, 0xFEFAE0, 0xF4D6FC, 0xFEFAE0,
                                        0xA8FFFF,  0xA8FFFF, 0xB0D8FF, 0xB0D8FF, clWhite};
inline QColor ToQ(TColor c)
{
  c = ColorToRGB(c);
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
inline QString CellText(int c, int r)
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

class TBenchGrid : public TZavColumnGrid {
public:
  using TZavColumnGrid::TZavColumnGrid;
  using TZavColumnGrid::ShowEditor;
};

struct TGridWindow {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TBenchGrid *Grid = new TBenchGrid(Form.get());
  explicit TGridWindow(bool Editing = false)
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
      if (KindOf(c) == Kind::Combo)
        for (const char *t : {"S7300", "S7400", "S71200"})
          col->ComboItems()->Add(t);
    }
    for (int r = 1; r <= kRows; ++r)
      for (int c = 0; c < kCols; ++c)
        Grid->SetCells(c, r, CellText(c, r));
    if (Editing)
      Grid->SetOptions(Grid->Options() + goEditing);
    Form->Show();
    Grid->SetFocus();
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
    View.activateWindow();
    View.setFocus();
    QApplication::processEvents();
  }
  void RepaintAll()
  {
    View.viewport()->update();
    View.horizontalHeader()->viewport()->update();
  }
};

// One key as the user strikes it, to whatever has the focus, and everything it leads to,
// the repaint included.
inline void StrikeKey(int Key, const QString &Text = QString())
{
  QWidget *target = QApplication::focusWidget();
  QKeyEvent press(QEvent::KeyPress, Key, Qt::NoModifier, Text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, Key, Qt::NoModifier, Text);
  QApplication::sendEvent(QApplication::focusWidget(), &release);
  QApplication::processEvents();
}

}  // namespace bench_grid
