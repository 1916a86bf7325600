#include "grid/core/cell_graphic.h"

#include <gtest/gtest.h>

#include "grid/core/zav_string_grid.h"
#include "grid/foundation/int_lists.h"

namespace {

struct GridCellGraphics : ::testing::Test {
  TZavStringGrid grid{nullptr};
};

TBitmap *Bitmap(int W, int H)
{
  auto *b = new TBitmap;
  b->SetSize(W, H);
  return b;
}

} // namespace

TEST(CellGraphic, SetAngleBringsAnglesIntoZeroTo360)
{
  const struct { int16_t in; int out; } cases[] = {{-30, 330}, {360, 360}, {725, 5}, {0, 0}, {-720, 0}};
  for (const auto &c : cases) {
    TCellGraphic g;
    g.SetAngle(c.in);
    EXPECT_EQ(g.CellType(), ctRotated);
    EXPECT_EQ(g.CellAngle(), c.out) << c.in;
  }
}

TEST(CellGraphic, PictureSizeFollowsTheStretchMode)
{
  TPicture pic;
  std::unique_ptr<TBitmap> b(Bitmap(100, 50));
  pic.SetGraphic(b.get());
  std::unique_ptr<TBitmap> small(Bitmap(20, 10));
  TPicture smallPic;
  smallPic.SetGraphic(small.get());
  const struct { TPicture *p; TStretchMode m; int padding; int cw, ch; TPoint want; } cases[] = {
      {&pic, Stretch, 0, 60, 60, {60, 60}},
      {&pic, Shrink, 0, 60, 60, {60, 60}},
      {&pic, StretchWithAspectRatio, 0, 60, 60, {60, 30}},
      {&pic, ShrinkWithAspectRatio, 0, 60, 60, {60, 30}},
      {&pic, noStretch, 0, 60, 60, {100, 50}},
      {&smallPic, Shrink, 0, 60, 60, {20, 10}},
      {&smallPic, ShrinkWithAspectRatio, 0, 60, 60, {20, 10}},
      {&smallPic, StretchWithAspectRatio, 0, 60, 60, {60, 30}},
      {&pic, Stretch, 10, 60, 60, {50, 50}},
      // 50 x 25 / 100 = 12.5: the half goes to the even neighbour.
      {&pic, StretchWithAspectRatio, 0, 200, 25, {50, 25}},
      {&smallPic, StretchWithAspectRatio, 0, 100, 25, {50, 25}},
  };
  for (const auto &c : cases) {
    TCellGraphic g;
    g.SetPicture(c.p, false, c.m, c.padding, haLeft, vaTop);
    EXPECT_EQ(g.GetPictureSize(c.cw, c.ch, false), c.want) << int(c.m) << " padding " << c.padding;
  }
}

TEST(CellGraphic, AssignCopiesStateButNoObjects)
{
  // The source owns its picture: a copy holding it would free it twice.
  TCellGraphic src;
  src.SetPicture(new TPicture, true, Stretch, 3, haRight, vaBottom);
  src.SetCellCreated(true);
  src.SetCellText(QStringLiteral("t"));
  src.SetCellVar(7);
  {
    TCellGraphic copy;
    copy.Assign(&src);
    EXPECT_EQ(copy.CellType(), ctPicture);
    EXPECT_TRUE(copy.CellCreated());
    EXPECT_EQ(copy.CellBitmap(), nullptr);
    EXPECT_EQ(copy.CellIndex(), 3);
    EXPECT_EQ(copy.CellHAlign(), haRight);
    EXPECT_EQ(copy.CellText(), QStringLiteral("t"));
    EXPECT_EQ(copy.CellVar(), 0);
  }
  ASSERT_NE(dynamic_cast<TPicture *>(src.CellBitmap()), nullptr);

  // A tri-state box keeps its state through a copy.
  TCellGraphic tri;
  tri.SetCheckBox(cbGrayed, false, haLeft, vaCenter);
  TCellGraphic triCopy;
  triCopy.Assign(&tri);
  EXPECT_EQ(triCopy.CellType(), ctTriStateCheckBox);
  EXPECT_EQ(triCopy.CellCheckBoxState(), cbGrayed);
}

TEST(CellGraphic, FreesWhatItCreatedAndLeavesTheCallersObjects)
{
  // Objects handed in stay alive after the graphic is gone (ASan reports a use after free).
  std::unique_ptr<TBitmap> callers(Bitmap(4, 4));
  { TCellGraphic g; g.SetBitmap(callers.get(), false, haLeft, vaTop); }
  EXPECT_EQ(callers->Width(), 4);
  std::unique_ptr<TStringList> items(new TStringList);
  { TCellGraphic g; g.SetCellType(ctRadio); g.SetCellBitmap(items.get()); }
  EXPECT_EQ(items->Count(), 0);

  // Created ones go with the graphic (ASan reports a leak otherwise).
  { TCellGraphic g; g.SetBitmap(Bitmap(4, 4), false, haLeft, vaTop); g.SetCellCreated(true); }
  { TCellGraphic g; g.SetMultiImage(1, 2, 0, haLeft, vaTop, nullptr); }
  { TCellGraphic g; g.SetCheckBox(true, false, false, haLeft, vaTop); g.SetCellAngle(1); g.SetCellBitmap(new TStringList); }
  { TCellGraphic g; g.SetCellType(ctBalloon); g.SetCellBitmap(new TStringList); }
  { TCellGraphic g; g.SetIcon(new TIcon, haLeft, vaTop); g.SetCellCreated(true); }
}

TEST_F(GridCellGraphics, CreatingAGraphicKeepsTheCellTextAndReplacesTheOldGraphic)
{
  TCellGraphic *g = grid.CreateCellGraphic(1, 1);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(grid.Cells(1, 1), QString());
  EXPECT_EQ(grid.GetCellGraphic(1, 1), g);
  EXPECT_EQ(grid.GetCellType(1, 1), ctNone);
  g->SetBitmap(Bitmap(4, 4), false, haLeft, vaTop);
  g->SetCellCreated(true);

  grid.SetCells(2, 2, QStringLiteral("x"));
  grid.CreateCellGraphic(2, 2);
  EXPECT_EQ(grid.Cells(2, 2), QStringLiteral("x"));

  // The old graphic and its bitmap are freed (ASan reports a leak otherwise).
  TCellGraphic *again = grid.CreateCellGraphic(1, 1);
  EXPECT_EQ(grid.GetCellType(1, 1), ctNone);
  EXPECT_EQ(grid.GetCellGraphic(1, 1), again);
  EXPECT_EQ(grid.CreateCellGraphic(-1, 0), nullptr);
}

TEST_F(GridCellGraphics, RemovingGraphicsFreesOwnObjectsButNeverSharedBoxes)
{
  grid.CreateCellGraphic(1, 1)->SetCheckBox(true, false, false, haLeft, vaTop);
  EXPECT_FALSE(grid.RemoveCellGraphicOfType(1, 1, ctRadio));
  EXPECT_TRUE(grid.RemoveCellGraphicOfType(1, 1, ctCheckBox));
  EXPECT_EQ(grid.GetCellType(1, 1), ctEmpty);
  EXPECT_FALSE(grid.RemoveCellGraphic(1, 1));
  EXPECT_FALSE(grid.RemoveCellGraphic(-1, 1));

  // A shared box handed to a cell is only unlinked: deleting it here would crash.
  TCellGraphic shared;
  shared.SetCellType(ctVirtCheckBox);
  grid.SetCells(2, 1, QStringLiteral("Y"));
  grid.SetGraphicObjects(2, 1, &shared);
  EXPECT_TRUE(grid.RemoveCellGraphic(2, 1));
  EXPECT_EQ(grid.GetCellGraphic(2, 1), nullptr);
  EXPECT_EQ(shared.CellType(), ctVirtCheckBox);
}

TEST_F(GridCellGraphics, ForeignObjectsAndNegativeIndexesReadAsNoGraphic)
{
  TStringList foreign;
  grid.SetCells(1, 1, QStringLiteral("a"));
  grid.SetGraphicObjects(1, 1, &foreign);
  EXPECT_EQ(grid.GetCellGraphic(1, 1), nullptr);
  EXPECT_EQ(grid.GetCellType(1, 1), ctEmpty);
  EXPECT_FALSE(grid.IsClickControlCell(1, 1));
  grid.SetGraphicObjects(1, 1, nullptr);
  EXPECT_EQ(grid.GetCellType(-1, 0), ctEmpty);
  EXPECT_EQ(grid.GetCellType(0, -1), ctEmpty);
  EXPECT_EQ(grid.GetCellGraphic(-1, -1), nullptr);
  EXPECT_FALSE(grid.IsCellTypeIn(-1, 0, {ctEmpty}));
  EXPECT_EQ(grid.CalcGraphicSize(1, 1, 0), TPoint(0, 0));
}

TEST_F(GridCellGraphics, ClickControlsAndKindQueriesReadTheBaseCellOfABlock)
{
  grid.CreateCellGraphic(1, 1)->SetCheckBox(false, false, false, haLeft, vaTop);
  grid.MergeCells(1, 1, 2, 2);
  EXPECT_TRUE(grid.IsClickControlCell(2, 2));
  EXPECT_TRUE(grid.IsCellTypeIn(2, 1, {ctCheckBox, ctRadio}));
  EXPECT_FALSE(grid.IsCellTypeIn(2, 1, {ctRadio}));
  grid.CreateCellGraphic(3, 3)->SetImageIdx(2, haLeft, vaTop);
  EXPECT_FALSE(grid.IsClickControlCell(3, 3));
  grid.CreateCellGraphic(3, 4)->SetDataImage(1, haLeft, vaTop);
  EXPECT_TRUE(IsDataGraphicCell(&grid, 3, 4));
  EXPECT_FALSE(IsDataGraphicCell(&grid, 3, 3));
}

TEST_F(GridCellGraphics, ImageSortKeys)
{
  std::unique_ptr<TBitmap> bmp(Bitmap(2, 2));
  grid.CreateCellGraphic(1, 1)->SetBitmap(bmp.get(), false, haLeft, vaTop);
  grid.CreateCellGraphic(1, 2)->SetImageIdx(6, haLeft, vaTop);
  grid.CreateCellGraphic(1, 3)->SetCheckBox(true, false, false, haLeft, vaTop);
  EXPECT_EQ(grid.GetImageSortKey(1, 1), reinterpret_cast<intptr_t>(bmp.get()));
  EXPECT_EQ(grid.GetImageSortKey(1, 2), 6);
  EXPECT_EQ(grid.GetImageSortKey(1, 3), -1);
  EXPECT_EQ(grid.GetImageSortKey(1, 4), -1);
}

TEST_F(GridCellGraphics, ImageListsOfCellsAreOwnedAndReported)
{
  TImageList images(16, 12);
  grid.SetGridImages(&images);
  int changes = 0;
  TCellGraphic *g = grid.CreateCellGraphic(1, 1);
  g->SetMultiImage(1, 1, 0, haLeft, vaTop, [&](TObject *, int c, int r) { changes += c == 1 && r == 1; });
  TIntList *list = grid.GetCellImages(1, 1);
  ASSERT_NE(list, nullptr);
  list->Add(3);
  list->Add(4);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(grid.CalcGraphicSize(1, 1, 0), TPoint(32, 12));
  grid.CreateCellGraphic(1, 2)->SetMultiImage(1, 2, 1, haLeft, vaTop, nullptr);
  grid.GetCellImages(1, 2)->Add(0);
  grid.GetCellImages(1, 2)->Add(1);
  EXPECT_EQ(grid.CalcGraphicSize(1, 2, 0), TPoint(16, 24));
  EXPECT_EQ(grid.GetCellImages(2, 2), nullptr);
}

TEST_F(GridCellGraphics, GraphicSizesByKindTextAndPlacement)
{
  TImageList images(16, 12);
  grid.SetGridImages(&images);
  std::unique_ptr<TBitmap> bmp(Bitmap(30, 20));
  const TPoint cell = grid.CellSize(1, 1);
  using Setup = std::function<void(TCellGraphic *)>;
  const struct { const char *name; QString text; Setup setup; TPoint want; } cases[] = {
      {"check box", "", [](TCellGraphic *g) { g->SetCheckBox(true, false, false, haLeft, vaTop); }, {15, 15}},
      {"tri-state", "", [](TCellGraphic *g) { g->SetCheckBox(cbChecked, false, haLeft, vaTop); }, {15, 15}},
      {"radio button", "", [](TCellGraphic *g) { g->SetRadioButton(true, false, haLeft, vaTop); }, {10, 10}},
      {"pie", "", [](TCellGraphic *g) { g->SetCellType(ctProgressPie); }, {20, 20}},
      {"bitmap alone", "", [&](TCellGraphic *g) { g->SetBitmap(bmp.get(), false, haLeft, vaTop); }, {30, 20}},
      {"bitmap over text", "t", [&](TCellGraphic *g) { g->SetBitmap(bmp.get(), false, haLeft, vaTop); }, {0, 0}},
      {"bitmap before text", "t", [&](TCellGraphic *g) { g->SetBitmap(bmp.get(), false, haBeforeText, vaTop); }, {30, 0}},
      {"bitmap under text", "t", [&](TCellGraphic *g) { g->SetBitmap(bmp.get(), false, haLeft, vaUnderText); }, {0, 20}},
      {"image list", "", [](TCellGraphic *g) { g->SetImageIdx(0, haLeft, vaTop); }, {16, 12}},
      {"data image", "t", [](TCellGraphic *g) { g->SetDataImage(0, haAfterText, vaAboveText); }, {16, 12}},
      {"rating keeps its width", "", [](TCellGraphic *g) { g->SetCellType(ctRating); g->SetCellAngle(5); g->SetCellHAlign(haFull); }, {90, 16}},
      {"rating under full height", "", [&](TCellGraphic *g) { g->SetCellType(ctRating); g->SetCellAngle(5); g->SetCellHAlign(haFull); g->SetCellVAlign(vaFull); }, {cell.X, cell.Y}},
      {"full check box", "", [](TCellGraphic *g) { g->SetCheckBox(true, false, false, haFull, vaFull); }, {cell.X, cell.Y}},
      {"button", "", [](TCellGraphic *g) { g->SetButton(40, 18, "b", haLeft, vaTop); }, {40, 18}},
      {"button beside text", "t", [](TCellGraphic *g) { g->SetButton(40, 18, "b", haRight, vaTop); }, {40, 0}},
      {"button centred on text", "t", [](TCellGraphic *g) { g->SetButton(40, 18, "b", haCenter, vaTop); }, {0, 0}},
      {"button under text", "t", [](TCellGraphic *g) { g->SetButton(40, 18, "b", haLeft, vaUnderText); }, {0, 18}},
      {"comment", "", [](TCellGraphic *g) { g->SetCellType(ctComment); }, {0, 0}},
  };
  for (const auto &c : cases) {
    grid.SetCells(1, 1, c.text);
    c.setup(grid.CreateCellGraphic(1, 1));
    EXPECT_EQ(grid.CalcGraphicSize(1, 1, 0), c.want) << c.name;
    EXPECT_EQ(grid.GetCellGraphicSize(1, 1), c.want) << c.name;
  }
}

TEST_F(GridCellGraphics, RadioGroupsMeasureTheirItems)
{
  TStringList items;
  items.Add(QStringLiteral("one"));
  items.Add(QStringLiteral("three"));
  items.Add(QStringLiteral("x"));
  TCanvas *cv = grid.Canvas();
  const int widest = cv->TextWidth(QStringLiteral("three"));
  const int th = cv->TextHeight(QStringLiteral("gh"));
  TCellGraphic *g = grid.CreateCellGraphic(1, 1);
  g->SetCellType(ctRadio);
  g->SetCellBitmap(&items);
  EXPECT_EQ(grid.CalcGraphicSize(1, 1, 0), TPoint(widest + 12, std::max(16, th) * 3));
  EXPECT_EQ(grid.CalcScaledGraphicSize(1, 1, 64, 22, 1.0), TPoint(widest + 12, th * 3));
  g->SetCellBoolean(true);
  const int sum = cv->TextWidth("one") + cv->TextWidth("three") + cv->TextWidth("x") + 36;
  EXPECT_EQ(grid.CalcGraphicSize(1, 1, 0), TPoint(sum, th));
}

TEST_F(GridCellGraphics, ScaledSizesForPrinting)
{
  std::unique_ptr<TBitmap> bmp(Bitmap(30, 20));
  TPicture pic;
  std::unique_ptr<TBitmap> pb(Bitmap(100, 50));
  pic.SetGraphic(pb.get());
  const int rh = grid.RowHeights(1);
  using Setup = std::function<void(TCellGraphic *)>;
  const struct { const char *name; Setup setup; TPoint want; } cases[] = {
      {"bitmap always", [&](TCellGraphic *g) { g->SetBitmap(bmp.get(), false, haLeft, vaTop); }, {30, 20}},
      {"picture scaled", [&](TCellGraphic *g) { g->SetPicture(&pic, false, Stretch, 0, haLeft, vaTop); }, {100, 50}},
      {"node", [](TCellGraphic *g) { g->SetCellType(ctNode); }, {20, 20}},
      {"progress", [](TCellGraphic *g) { g->SetCellType(ctProgress); }, {grid.ColWidths(1), rh}},
      {"shape", [](TCellGraphic *g) { g->SetCellType(ctShape); }, {rh - 4, rh - 4}},
      {"rating", [](TCellGraphic *g) { g->SetCellType(ctRating); g->SetCellAngle(5); }, {0, 0}},
      {"button halves", [](TCellGraphic *g) { g->SetButton(40, 18, "b", haCenter, vaTop); }, {40, 18}},
      {"no widening", [](TCellGraphic *g) { g->SetCheckBox(true, false, false, haFull, vaFull); }, {15, 15}},
  };
  grid.SetCells(1, 1, QStringLiteral("t"));
  for (const auto &c : cases) {
    c.setup(grid.CreateCellGraphic(1, 1));
    EXPECT_EQ(grid.CalcScaledGraphicSize(1, 1, 200, 100, 2.0), c.want) << c.name;
  }
}

TEST_F(GridCellGraphics, RowSelectionBoxesOfColumnZero)
{
  grid.MouseActions()->SetHotmailRowSelect(true);
  // Column 0 answers the shared box in every row, whatever its cells hold, with or without
  // cell properties.
  grid.CreateCellGraphic(0, 2)->SetImageIdx(1, haLeft, vaTop);
  for (int r = 0; r < grid.RowCount(); ++r) {
    EXPECT_EQ(grid.GetCellType(0, r), ctRowCheckBox) << r;
    TCellGraphic *g = grid.GetCellGraphic(0, r);
    ASSERT_NE(g, nullptr) << r;
    EXPECT_EQ(g->CellType(), ctRowCheckBox);
    EXPECT_FALSE(g->CellCreated());
  }
  EXPECT_TRUE(grid.IsClickControlCell(0, 5));
  EXPECT_EQ(grid.GetCellType(1, 2), ctEmpty);

  grid.SelectRows(2, 3);
  TCellGraphic *header = grid.GetCellGraphic(0, 0);
  EXPECT_EQ(header->CellAngle(), 1);
  EXPECT_FALSE(header->CellBoolean());
  EXPECT_TRUE(grid.GetCellGraphic(0, 3)->CellBoolean());
  EXPECT_FALSE(grid.GetCellGraphic(0, 6)->CellBoolean());
  // Rows outside the grid read as not selected rather than raising.
  EXPECT_FALSE(grid.GetCellGraphic(0, grid.RowCount() + 3)->CellBoolean());
  EXPECT_EQ(grid.GetCellGraphic(0, -1), nullptr);

  grid.SelectRows(1, grid.RowCount() - 1);
  header = grid.GetCellGraphic(0, 0);
  EXPECT_EQ(header->CellAngle(), 0);
  EXPECT_TRUE(header->CellBoolean());
  // The graphic held in the cell survives: it was never replaced.
  grid.MouseActions()->SetHotmailRowSelect(false);
  EXPECT_EQ(grid.GetCellType(0, 2), ctImageList);
  EXPECT_EQ(grid.GetCellType(0, 3), ctEmpty);
}

TEST_F(GridCellGraphics, ColumnByHeaderFindsTheFirstExactHeader)
{
  grid.SetCells(1, 0, QStringLiteral("Name"));
  grid.SetCells(2, 0, QStringLiteral("Value"));
  grid.SetCells(4, 0, QStringLiteral("Value"));
  EXPECT_EQ(grid.ColumnByHeader(QStringLiteral("Value")), 2);
  EXPECT_EQ(grid.ColumnByHeader(QStringLiteral("name")), -1);
  EXPECT_EQ(grid.ColumnByHeader(QStringLiteral("None")), -1);
  grid.SetWideCells(3, 3, QStringLiteral("\u00e4\u4e2d"));
  EXPECT_EQ(grid.WideCells(3, 3), QStringLiteral("\u00e4\u4e2d"));
}
