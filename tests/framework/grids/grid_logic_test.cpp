// Layout arithmetic and the sparse cell store, without any window.
#include "framework/grids/grid_axis.h"
#include "framework/grids/grid_cells.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TGridAxisDrawInfo Axis(const std::vector<int> &extents, int fixed, int first, int client, int line = 1)
{
  TGridAxisDrawInfo a;
  a.Extents = &extents;
  a.DefaultExtent = 64;
  a.EffectiveLineWidth = line;
  a.FixedCellCount = fixed;
  a.FirstGridCell = first;
  a.GridCellCount = int(extents.size());
  a.Calc(client);
  return a;
}

TEST(GridAxis, PositionsAndHitsWithFixedAreaAndScroll)
{
  const std::vector<int> w{20, 30, 30, 30, 30, 30};
  // Client 100: fixed 0..20 (line at 20), col 2 at 21..51, col 3 at 52..82, col 4 from 83 (cut).
  auto a = Axis(w, 1, 2, 100);
  EXPECT_EQ(a.FixedBoundary, 21);
  EXPECT_EQ(a.LinePos(0), 0);
  EXPECT_EQ(a.LinePos(1), -1);  // scrolled out
  EXPECT_EQ(a.LinePos(2), 21);
  EXPECT_EQ(a.LinePos(4), 83);
  EXPECT_EQ(a.LinePos(5), -1);
  EXPECT_EQ(a.VirtualPos(1), -10);
  EXPECT_EQ(a.LastFullVisibleCell, 3);
  EXPECT_EQ(a.VisibleCount(), 2);
  EXPECT_EQ(a.GridBoundary, 100);
  struct { int pos, cell; } hits[] = {{0, 0}, {19, 0}, {20, 0}, {21, 2}, {51, 2}, {52, 3}, {99, 4}, {100, -1}, {-1, -1}};
  for (auto h : hits)
    EXPECT_EQ(a.CellAt(h.pos), h.cell) << h.pos;
}

TEST(GridAxis, BeyondTheLastCellIsNoCell)
{
  const std::vector<int> w{20, 30};
  auto a = Axis(w, 1, 1, 200);
  EXPECT_EQ(a.GridBoundary, 52);
  EXPECT_EQ(a.CellAt(51), 1);
  EXPECT_EQ(a.CellAt(52), -1);
  EXPECT_EQ(a.VisibleCount(), 1);
  EXPECT_EQ(a.MaxFirstCell(), 1);
}

TEST(GridAxis, TrailingLineMayBeCutAndMaxFirstCell)
{
  const std::vector<int> w{10, 10, 10, 10, 10};
  // Each cell is 11 with its line; fixed 11; client 44 holds cells 1..3 (ending at 44 with the cut line).
  auto a = Axis(w, 1, 1, 43);
  EXPECT_EQ(a.LastFullVisibleCell, 3);
  EXPECT_EQ(a.MaxFirstCell(), 2);
  auto b = Axis(w, 1, 1, 42);
  EXPECT_EQ(b.LastFullVisibleCell, 2);
  // A client smaller than one cell still reports one visible cell and the last as maximum.
  auto c = Axis(w, 1, 1, 12);
  EXPECT_EQ(c.VisibleCount(), 1);
  EXPECT_EQ(c.MaxFirstCell(), 4);
}

TEST(GridCellStore, SparseAnyIndexAndEmptyReadsDoNotAllocate)
{
  TGridCellStore s;
  EXPECT_EQ(s.Text(5, 5), QString());
  s.SetText(3, 2, QString());
  EXPECT_EQ(s.RowExtent(), 0);
  s.SetText(600, 7, "far");
  EXPECT_EQ(s.Text(600, 7), "far");
  EXPECT_EQ(s.Text(-1, 7), QString());
  s.SetText(-1, 0, "x");  // ignored
  EXPECT_EQ(s.Text(-1, 0), QString());
}

// Texts are read by reference; writing one into a cell that makes its row or the store grow
// must take the text before the storage moves.
TEST(GridCellStore, TextOfTheStoreWrittenWhereItGrows)
{
  TGridCellStore s;
  s.SetText(0, 0, QString("source ") + QString::number(1));
  s.SetText(400, 0, s.Text(0, 0));  // the row grows
  s.SetText(0, 5000, s.Text(400, 0));  // the store grows
  EXPECT_EQ(s.Text(400, 0), "source 1");
  EXPECT_EQ(s.Text(0, 5000), "source 1");
  s.SetText(0, 0, s.Text(0, 0));
  EXPECT_EQ(s.Text(0, 0), "source 1");
}

TEST(GridCellStore, MovesRotateRowsAndColumns)
{
  TGridCellStore s;
  auto *obj = reinterpret_cast<TObject *>(0x1000);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c)
      s.SetText(c, r, QString("%1%2").arg(c).arg(r));
  s.SetObject(0, 0, obj);
  s.MoveRow(0, 3);
  EXPECT_EQ(s.Text(0, 0), "01");
  EXPECT_EQ(s.Text(0, 3), "00");
  EXPECT_EQ(s.Object(0, 3), obj);
  s.MoveRow(3, 0);
  EXPECT_EQ(s.Text(2, 0), "20");
  s.MoveCol(2, 0);
  EXPECT_EQ(s.Text(0, 1), "21");
  EXPECT_EQ(s.Text(1, 1), "01");
  s.MoveCol(0, 5);  // to beyond the stored columns
  EXPECT_EQ(s.Text(5, 1), "21");
  EXPECT_EQ(s.Text(0, 1), "01");
  s.CopyRow(1, 9);
  EXPECT_EQ(s.Text(5, 9), "21");
  s.CopyCol(5, 0);
  EXPECT_EQ(s.Text(0, 2), "22");
  s.ClearRow(9);
  EXPECT_EQ(s.Text(5, 9), QString());
}

// Rotations of every size near both ends and in the middle, against a plain vector doing
// the same: the two-ended buffer moves the shorter side and regrows at either end.
TEST(GridCellStore, RowRotationsMatchAPlainVector)
{
  TGridCellStore s;
  std::vector<QString> model;
  const int rows = 200;
  for (int r = 0; r < rows; ++r) {
    s.SetText(0, r, QString::number(r));
    model.push_back(QString::number(r));
  }
  const struct { int First, Middle, Last; } cases[] = {
      {0, 1, 200}, {0, 199, 200}, {1, 2, 200}, {1, 180, 200}, {0, 40, 60},
      {150, 151, 200}, {100, 140, 200}, {3, 30, 180}, {0, 17, 34}, {190, 192, 230},
  };
  for (int round = 0; round < 3; ++round)
    for (const auto &c : cases) {
      s.RotateRows(c.First, c.Middle, c.Last);
      if (int(model.size()) < c.Last)
        model.resize(size_t(c.Last));
      std::rotate(model.begin() + c.First, model.begin() + c.Middle, model.begin() + c.Last);
      for (int r = 0; r < int(model.size()); ++r)
        ASSERT_EQ(s.Text(0, r), model[size_t(r)]) << c.First << "," << c.Middle << "," << c.Last << " row " << r;
    }
}

// Opening and closing row blocks near both ends, in the middle and past the stored rows,
// against a plain vector: rows from End (End + Count when opening) on keep their place.
TEST(GridCellStore, OpenAndCloseRowsMatchAPlainVector)
{
  TGridCellStore s;
  std::vector<QString> model;
  for (int r = 0; r < 150; ++r) {
    s.SetText(0, r, QString::number(r));
    model.push_back(QString::number(r));
  }
  const struct { bool Open; int At, Count, End; } cases[] = {
      {true, 1, 1, 150},   {false, 1, 1, 150},  {true, 0, 3, 100},  {false, 0, 3, 100},
      {true, 140, 2, 149}, {false, 140, 2, 149}, {true, 60, 20, 90}, {false, 60, 20, 90},
      {true, 1, 1, 300},   {false, 1, 1, 300},  {true, 148, 5, 149}, {false, 145, 5, 150},
      {true, 400, 2, 410}, {false, 400, 2, 410}, {true, 10, 30, 20}, {false, 5, 40, 60},
  };
  for (int round = 0; round < 3; ++round)
    for (const auto &c : cases) {
      const size_t end = size_t(c.End), at = size_t(c.At), n = size_t(c.Count);
      model.resize(std::max(model.size(), end + n + 1));
      if (c.Open) {
        s.OpenRows(c.At, c.Count, c.End);
        std::rotate(model.begin() + std::ptrdiff_t(at), model.begin() + std::ptrdiff_t(end),
                    model.begin() + std::ptrdiff_t(end + n));
        std::fill_n(model.begin() + std::ptrdiff_t(at), n, QString());
      } else {
        s.CloseRows(c.At, c.Count, c.End);
        std::rotate(model.begin() + std::ptrdiff_t(at), model.begin() + std::ptrdiff_t(at + n),
                    model.begin() + std::ptrdiff_t(end));
        std::fill_n(model.begin() + std::ptrdiff_t(end - n), n, QString());
      }
      for (int r = 0; r < int(model.size()); ++r)
        ASSERT_EQ(s.Text(0, r), model[size_t(r)])
            << (c.Open ? "open " : "close ") << c.At << "," << c.Count << "," << c.End << " row " << r;
    }
}

// Columns closed and opened across all rows in one pass, against the same edit done column by
// column with MoveCol and ClearCol; rows of different lengths (some ending before the edit,
// some past End) show which cells keep their place.
TEST(GridCellStore, ColumnBlocksMatchMovingColumnsOneByOne)
{
  auto fill = [](TGridCellStore &s) {
    const int lengths[] = {0, 1, 3, 5, 8, 12};
    for (int r = 0; r < int(std::size(lengths)); ++r)
      for (int c = 0; c < lengths[r]; ++c)
        s.SetText(c, r, QString("%1.%2").arg(r).arg(c));
    s.SetObject(2, 4, reinterpret_cast<TObject *>(0x1000));
  };
  const struct { bool Open; int At, Count, End; } cases[] = {
      {false, 1, 1, 8}, {false, 0, 3, 8}, {false, 2, 2, 4}, {false, 4, 1, 5}, {false, 6, 2, 10},
      {true, 1, 1, 8},  {true, 0, 3, 8},  {true, 2, 2, 4},  {true, 4, 1, 5},  {true, 8, 2, 8},
      {true, 6, 3, 10},
  };
  for (const auto &c : cases) {
    TGridCellStore blocks, single;
    fill(blocks);
    fill(single);
    if (c.Open) {
      blocks.OpenCols(c.At, c.Count, c.End);
      for (int k = 0; k < c.Count; ++k) {
        single.ClearCol(c.End + k);
        single.MoveCol(c.End + k, c.At + k);
      }
    } else {
      blocks.CloseCols(c.At, c.Count, c.End);
      for (int k = 0; k < c.Count; ++k)
        single.MoveCol(c.At, c.End - 1);
      for (int col = c.End - c.Count; col < c.End; ++col)
        single.ClearCol(col);
    }
    for (int r = 0; r < 6; ++r)
      for (int col = 0; col < 16; ++col) {
        ASSERT_EQ(blocks.Text(col, r), single.Text(col, r))
            << (c.Open ? "open " : "close ") << c.At << "," << c.Count << "," << c.End << " cell " << col << "," << r;
        ASSERT_EQ(blocks.Object(col, r), single.Object(col, r)) << col << "," << r;
        ASSERT_EQ(blocks.Cell(col, r) != nullptr, single.Cell(col, r) != nullptr) << col << "," << r;
      }
  }
}

// Scattered rows closed up and opened again (as rows are hidden and shown), against a plain
// vector: the rows in between keep their order, rows past the end keep their place.
TEST(GridCellStore, RowSetsCloseAndOpenLikeAPlainVector)
{
  const struct {
    const char *Name;
    std::vector<int> Rows;
    int End;
  } cases[] = {
      {"every other row", {1, 3, 5, 7, 9, 11}, 40},
      {"a run at the top", {0, 1, 2}, 40},
      {"the last rows", {37, 38, 39}, 40},
      {"rows past the stored ones", {30, 45, 50}, 60},
      {"an end inside the store", {2, 9}, 20},
  };
  for (const auto &k : cases) {
    SCOPED_TRACE(k.Name);
    TGridCellStore s;
    std::vector<QString> model(100);
    for (int r = 0; r < 42; ++r) {
      s.SetText(1, r, QString::number(r));
      model[size_t(r)] = QString::number(r);
    }
    auto expectModel = [&] {
      for (int r = 0; r < int(model.size()); ++r)
        ASSERT_EQ(s.Text(1, r), model[size_t(r)]) << "row " << r;
    };
    std::vector<QString> closed = model;
    for (auto it = k.Rows.rbegin(); it != k.Rows.rend(); ++it)
      closed.erase(closed.begin() + *it);
    closed.insert(closed.begin() + std::ptrdiff_t(k.End) - std::ptrdiff_t(k.Rows.size()), k.Rows.size(), QString());
    s.CloseRowSet(k.Rows, k.End);
    model = closed;
    expectModel();

    std::vector<QString> opened = model;
    opened.erase(opened.begin() + k.End, opened.begin() + k.End + std::ptrdiff_t(k.Rows.size()));
    for (int r : k.Rows)
      opened.insert(opened.begin() + r, QString());
    s.OpenRowSet(k.Rows, k.End);
    model = opened;
    expectModel();
  }
}

TEST(GridCellStore, RowsHandedOverWhole)
{
  TGridCellStore s;
  TObject *const tag = reinterpret_cast<TObject *>(0x10);
  s.SetText(2, 3, QStringLiteral("x"));
  s.SetObject(0, 3, tag);
  TGridCellStore::TRowData row = s.TakeRow(3);
  EXPECT_EQ(s.Cell(2, 3), nullptr);
  ASSERT_EQ(row.size(), 3u);
  EXPECT_EQ(row[2].Text, "x");
  EXPECT_EQ(row[0].Object, tag);
  EXPECT_TRUE(s.TakeRow(3).empty());
  EXPECT_TRUE(s.TakeRow(500).empty());
  s.PutRow(7, std::move(row));
  EXPECT_EQ(s.Text(2, 7), "x");
  EXPECT_EQ(s.Object(0, 7), tag);
  s.PutRow(7, {});
  EXPECT_EQ(s.Cell(2, 7), nullptr);
}

}  // namespace

namespace {

TEST(GridAxis, FirstCellShowingBringsACellIntoViewFromBelow)
{
  const std::vector<int> w{10, 10, 10, 30, 10, 10};
  // Fixed 11; client 43 leaves 32 (+1 for a cut line) for scrolled cells.
  auto a = Axis(w, 1, 1, 43);
  EXPECT_EQ(a.FirstCellShowing(2), 1);
  EXPECT_EQ(a.FirstCellShowing(3), 3);  // 31 wide: only alone
  EXPECT_EQ(a.FirstCellShowing(5), 4);
  auto narrow = Axis(w, 1, 1, 20);
  EXPECT_EQ(narrow.FirstCellShowing(3), 3);  // too wide to show whole: it goes first
}

}  // namespace
