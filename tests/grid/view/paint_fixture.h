#pragma once
// A grid and a recording canvas for driving the cell painters directly, with helpers to read
// what they drew (recorded calls and pixels).
#include <gtest/gtest.h>

#include <QImage>
#include <QStringList>

#include <functional>
#include <ostream>

#include "grid/core/zav_string_grid.h"
#include "grid/view/cell_paint.h"

// Failure messages name texts as they are.
inline std::ostream &operator<<(std::ostream &Out, const QString &Text) { return Out << Text.toStdString(); }

struct CellPaintTest : ::testing::Test {
  TZavStringGrid grid{nullptr};
  TRecordingCanvas canvas{240, 80};

  CellPaintTest()
  {
    grid.SetColCount(5);
    grid.SetRowCount(6);
    canvas.Font()->Assign(grid.Font());
    canvas.Font()->SetColor(clBlack);
    canvas.Brush()->SetColor(clWhite);
  }

  TCellPaintContext Ctx(int Col, int Row, TRect R)
  {
    TCellPaintContext c;
    c.Canvas = &canvas;
    c.R = R;
    c.Col = c.RCol = Col;
    c.Row = Row;
    if (Row < grid.FixedRows() || Col < grid.FixedCols())
      c.State = TGridDrawState{gdFixed};
    c.Graphic = grid.GetCellGraphic(Col, Row);
    return c;
  }

  // The recorded calls that start with Prefix.
  QStringList Calls(const QString &Prefix) const { return canvas.Entries().filter(QRegularExpression("^" + QRegularExpression::escape(Prefix))); }

  // Draws the cell's text and answers the one DrawText call it made ("" when not one).
  QString DrawnText(int Col, int Row, TRect R)
  {
    TCellPaintContext c = Ctx(Col, Row, R);
    grid.DrawCellText(c);
    const QStringList calls = Calls("DrawText(");
    EXPECT_EQ(calls.size(), 1);
    return calls.size() == 1 ? calls[0] : QString();
  }

  TColor Pixel(int X, int Y) { return canvas.Pixels(X, Y); }

  // Bounding box of the pixels inside Area that satisfy Match; empty when none does.
  TRect Extent(const TRect &Area, const std::function<bool(TColor)> &Match)
  {
    TRect e(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = Area.Top; y < Area.Bottom; ++y)
      for (int x = Area.Left; x < Area.Right; ++x)
        if (Match(canvas.Pixels(x, y))) {
          e.Left = std::min(e.Left, x);
          e.Top = std::min(e.Top, y);
          e.Right = std::max(e.Right, x + 1);
          e.Bottom = std::max(e.Bottom, y + 1);
        }
    return e.Left == INT_MAX ? TRect() : e;
  }

  static bool Dark(TColor c)
  {
    const TColor v = ColorToRGB(c);
    return (v & 0xFF) < 0x80 && ((v >> 8) & 0xFF) < 0x80 && ((v >> 16) & 0xFF) < 0x80;
  }
  static bool NotWhite(TColor c) { return ColorToRGB(c) != 0xFFFFFF; }

  void Clear()
  {
    canvas.Picture().fill(Qt::white);
    canvas.Clear();
  }
};
