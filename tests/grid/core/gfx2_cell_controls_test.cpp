// Adding, querying and removing the graphics and small controls of cells.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "grid/core/control_look.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_helpers.h"
#include "grid/foundation/int_lists.h"

namespace {

struct Grid : TZavStringGrid {
  Grid() : TZavStringGrid(nullptr)
  {
    SetColCount(4);
    SetRowCount(4);
  }
  int textChanged = 0;
  void CellTextChanged(int ACol, int ARow) override
  {
    ++textChanged;
    TZavStringGrid::CellTextChanged(ACol, ARow);
  }
};

struct CellControls : ::testing::Test {
  Grid grid;
  TImageList images{16, 16};
  void SetUp() override { grid.SetGridImages(&images); }
};

using Op = std::function<void(Grid &, int, int)>;
using Query = std::function<bool(Grid &, int, int)>;

} // namespace

// Each kind: its Add replaces what the cell held (a comment here), its query sees it, the Remove
// of another kind leaves it and its own Remove takes it away.
TEST_F(CellControls, EachKindIsAddedQueriedAndRemovedByItsOwnMembers)
{
  TBitmap bmp;
  TPicture pic;
  TIcon icon;
  TFilePicture fpic;
  TInterfacedPersistent obj;
  const struct {
    const char *name;
    Op add;
    TCellType kind;
    Query has;
    Op remove;
  } cases[] = {
      {"interfaced", [&](Grid &g, int c, int r) { g.AddInterfacedCell(c, r, &obj); }, ctInterface,
       [&](Grid &g, int c, int r) { return g.GetInterfacedCell(c, r) == &obj; },
       [](Grid &g, int c, int r) { g.RemoveInterfacedCell(c, r); }},
      {"bitmap", [&](Grid &g, int c, int r) { g.AddBitmap(c, r, &bmp, true, haRight, vaBottom); }, ctBitmap,
       [&](Grid &g, int c, int r) { return g.HasBitmap(c, r) && g.GetBitmap(c, r) == &bmp; },
       [](Grid &g, int c, int r) { g.RemoveBitmap(c, r); }},
      {"picture", [&](Grid &g, int c, int r) { g.AddPicture(c, r, &pic, false, Stretch, 2, haLeft, vaTop); },
       ctPicture, [&](Grid &g, int c, int r) { return g.HasPicture(c, r) && g.GetPicture(c, r) == &pic; },
       [](Grid &g, int c, int r) { g.RemovePicture(c, r); }},
      {"file picture",
       [&](Grid &g, int c, int r) { g.AddFilePicture(c, r, &fpic, false, Shrink, 0, haLeft, vaTop); },
       ctFilePicture, [&](Grid &g, int c, int r) { return g.GetFilePicture(c, r) == &fpic; },
       [](Grid &g, int c, int r) { g.RemoveFilePicture(c, r); }},
      {"icon", [&](Grid &g, int c, int r) { g.AddIcon(c, r, &icon, haCenter, vaCenter); }, ctIcon,
       [&](Grid &g, int c, int r) { return g.CellGraphics(c, r)->CellIcon() == &icon; },
       [](Grid &g, int c, int r) { g.RemoveIcon(c, r); }},
      {"image index", [](Grid &g, int c, int r) { g.AddImageIdx(c, r, 5, haLeft, vaTop); }, ctImageList,
       [](Grid &g, int c, int r) {
         int idx = -1;
         return g.GetImageIdx(c, r, idx) && idx == 5;
       },
       [](Grid &g, int c, int r) { g.RemoveImageIdx(c, r); }},
      {"data image", [](Grid &g, int c, int r) { g.AddDataImage(c, r, 2, haLeft, vaTop); }, ctDataImage,
       [](Grid &g, int c, int r) { return g.HasDataImage(c, r); },
       [](Grid &g, int c, int r) { g.RemoveDataImage(c, r); }},
      {"image strip", [](Grid &g, int c, int r) { g.AddMultiImage(c, r, 0, haLeft, vaTop); }, ctImages,
       [](Grid &g, int c, int r) { return g.CellImages(c, r) != nullptr; },
       [](Grid &g, int c, int r) { g.RemoveMultiImage(c, r); }},
      {"progress", [](Grid &g, int c, int r) { g.AddProgress(c, r, clRed, clWhite); }, ctProgress,
       [](Grid &g, int c, int r) { return g.HasProgress(c, r); },
       [](Grid &g, int c, int r) { g.RemoveProgress(c, r); }},
      {"progress bar of the grid's look", [](Grid &g, int c, int r) { g.AddZavProgress(c, r, 5, 50); },
       ctXPProgress, [](Grid &g, int c, int r) { return g.GetCellType(c, r) == ctXPProgress; },
       [](Grid &g, int c, int r) { g.RemoveZavProgress(c, r); }},
      {"progress pie", [](Grid &g, int c, int r) { g.AddProgressPie(c, r, clBlue, 30); }, ctProgressPie,
       [](Grid &g, int c, int r) { return g.CellGraphics(c, r)->CellAngle() == 30; },
       [](Grid &g, int c, int r) { g.RemoveProgressPie(c, r); }},
      {"range indicator", [](Grid &g, int c, int r) { g.AddRangeIndicator(c, r, 100, clRed, clGreen, true); },
       ctRangeIndicator, [](Grid &g, int c, int r) { return g.CellGraphics(c, r)->CellIndex() == 100; },
       [](Grid &g, int c, int r) { g.RemoveRangeIndicator(c, r); }},
      {"shape", [](Grid &g, int c, int r) { g.AddShape(c, r, csStar, clYellow, clBlack, haCenter, vaCenter); },
       ctShape, [](Grid &g, int c, int r) { return g.GetShapeColor(c, r) == clYellow; },
       [](Grid &g, int c, int r) { g.RemoveShape(c, r); }},
      {"rating", [](Grid &g, int c, int r) { g.AddRating(c, r, 5, clYellow, clGray); }, ctRating,
       [](Grid &g, int c, int r) { return g.HasRating(c, r); },
       [](Grid &g, int c, int r) { g.RemoveRating(c, r); }},
      {"scroll bar", [](Grid &g, int c, int r) { g.AddScrollBar(c, r, false); }, ctScrollbar,
       [](Grid &g, int c, int r) { return g.HasScrollBar(c, r) && !g.HasAutoRangeScrollBar(c, r); },
       [](Grid &g, int c, int r) { g.RemoveScrollBar(c, r); }},
      {"button", [](Grid &g, int c, int r) { g.AddButton(c, r, 40, 20, QStringLiteral("Go"), haLeft, vaTop); },
       ctButton, [](Grid &g, int c, int r) { return g.HasButton(c, r); },
       [](Grid &g, int c, int r) { g.RemoveButton(c, r); }},
      {"bit button",
       [&](Grid &g, int c, int r) { g.AddBitButton(c, r, 40, 20, QStringLiteral("Go"), &bmp, haLeft, vaTop); },
       ctBitButton, [&](Grid &g, int c, int r) { return g.HasButton(c, r) && g.CellGraphics(c, r)->CellBitmap() == &bmp; },
       [](Grid &g, int c, int r) { g.RemoveBitButton(c, r); }},
      {"bit button removed as a button",
       [&](Grid &g, int c, int r) { g.AddBitButton(c, r, 40, 20, QStringLiteral("Go"), &bmp, haLeft, vaTop); },
       ctBitButton, [](Grid &g, int c, int r) { return g.HasButton(c, r); },
       [](Grid &g, int c, int r) { g.RemoveButton(c, r); }},
  };
  for (const auto &k : cases) {
    SCOPED_TRACE(k.name);
    grid.AddComment(1, 2, QStringLiteral("note"));
    k.add(grid, 1, 2);
    EXPECT_EQ(grid.GetCellType(1, 2), k.kind);
    EXPECT_TRUE(k.has(grid, 1, 2));
    QString comment;
    EXPECT_FALSE(grid.IsComment(1, 2, comment));
    // The Remove of another kind leaves the graphic.
    if (k.kind == ctShape)
      grid.RemoveRating(1, 2);
    else
      grid.RemoveShape(1, 2);
    EXPECT_EQ(grid.GetCellType(1, 2), k.kind);
    k.remove(grid, 1, 2);
    EXPECT_EQ(grid.GetCellType(1, 2), ctEmpty);
    EXPECT_EQ(grid.CellGraphics(1, 2), nullptr);
    EXPECT_EQ(grid.Cells(1, 2), QString());
  }
}

TEST_F(CellControls, FieldsOfEachKindAsGiven)
{
  grid.AddProgressFormatted(0, 1, clRed, clWhite, clSilver, clBlack, QStringLiteral("%d%%"), 10, 90);
  TCellGraphic *g = grid.CellGraphics(0, 1);
  EXPECT_EQ(g->CellBitmapColor(), clRed);
  EXPECT_EQ(g->CellIconColor(), clSilver);
  EXPECT_EQ(TColor(g->CellIndex()), clWhite);
  EXPECT_EQ(TColor(g->CellAngle()), clBlack);
  EXPECT_TRUE(g->CellBoolean());
  EXPECT_EQ(g->CellText(), QStringLiteral("%d%%"));
  EXPECT_EQ(g->CellErrFrom(), 10);
  EXPECT_EQ(g->CellErrLen(), 90);

  // A plain progress bar: 0 to 100, no format, text colours not given, at the top left.
  grid.AddProgressFormatted(1, 1, clRed, clWhite, clSilver, clBlack, QStringLiteral("x"), 10, 90);
  grid.AddProgress(1, 1, clLime, clNavy);
  g = grid.CellGraphics(1, 1);
  EXPECT_EQ(g->CellBitmapColor(), clLime);
  EXPECT_EQ(g->CellIconColor(), clNavy);
  EXPECT_FALSE(g->CellBoolean());
  EXPECT_EQ(g->CellText(), QString());
  EXPECT_EQ(g->CellErrFrom(), 0);
  EXPECT_EQ(g->CellErrLen(), 100);
  EXPECT_EQ(g->CellHAlign(), haLeft);
  EXPECT_EQ(g->CellVAlign(), vaTop);

  // The width is kept in 16 bits.
  grid.AddButton(2, 1, 70000, 20, QStringLiteral("b"), haLeft, vaTop);
  EXPECT_EQ(grid.CellGraphics(2, 1)->CellIndex(), (20 << 16) | (70000 & 0xFFFF));
  EXPECT_FALSE(grid.CellGraphics(2, 1)->CellBoolean());

  grid.AddRating(3, 1, 5, clYellow, clGray);
  g = grid.CellGraphics(3, 1);
  EXPECT_EQ(g->CellAngle(), 5);
  EXPECT_EQ(g->CellBitmapColor(), clGray);
  EXPECT_EQ(g->CellHAlign(), haFull);

  grid.AddShape(0, 2, csDiamond, clYellow, clBlack, haRight, vaBottom);
  grid.SetShapeColor(0, 2, clAqua);
  EXPECT_EQ(grid.GetShapeColor(0, 2), clAqua);
  EXPECT_EQ(grid.CellGraphics(0, 2)->CellAngle(), int(csDiamond));
  EXPECT_EQ(grid.CellGraphics(0, 2)->CellBitmapColor(), clBlack);
  EXPECT_EQ(grid.GetShapeColor(1, 2), clNone);

  grid.AddProgressPie(1, 2, clBlue, 30);
  grid.SetProgressPie(1, 2, 75);
  EXPECT_EQ(grid.CellGraphics(1, 2)->CellAngle(), 75);
  EXPECT_EQ(grid.CellGraphics(1, 2)->CellHAlign(), haBeforeText);
  grid.SetProgressPie(2, 2, 75);  // no pie: nothing happens
  EXPECT_EQ(grid.CellGraphics(2, 2), nullptr);
}

TEST_F(CellControls, ImageListKindsNeedTheGridImages)
{
  grid.SetGridImages(nullptr);
  grid.AddImageIdx(1, 1, 3, haLeft, vaTop);
  grid.AddDataImage(2, 1, 3, haLeft, vaTop);
  grid.AddMultiImage(3, 1, 1, haLeft, vaTop);
  for (int c = 1; c <= 3; ++c)
    EXPECT_EQ(grid.CellGraphics(c, 1), nullptr) << c;
  EXPECT_EQ(grid.Cells(2, 1), QString());

  grid.SetGridImages(&images);
  grid.AddImageIdx(1, 1, 3, haLeft, vaTop);
  grid.SetGridImages(nullptr);
  int idx = -1;
  EXPECT_FALSE(grid.GetImageIdx(1, 1, idx));
  grid.SetImageIdx(1, 1, 7);
  grid.SetGridImages(&images);
  EXPECT_TRUE(grid.GetImageIdx(1, 1, idx));
  EXPECT_EQ(idx, 3);
  grid.SetImageIdx(1, 1, 7);
  EXPECT_TRUE(grid.GetImageIdx(1, 1, idx));
  EXPECT_EQ(idx, 7);
}

TEST_F(CellControls, DataImageTakesAnEmptyTextAndLeavesNoTextWhenRemoved)
{
  grid.SetCells(1, 1, QStringLiteral("3"));
  grid.AddDataImage(1, 1, 5, haLeft, vaTop);
  EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("3"));
  grid.AddDataImage(2, 1, 5, haLeft, vaTop);
  EXPECT_EQ(grid.Cells(2, 1), QStringLiteral("5"));
  grid.RemoveDataImage(1, 1);
  EXPECT_EQ(grid.Cells(1, 1), QString());
  EXPECT_EQ(grid.CellGraphics(1, 1), nullptr);
}

TEST_F(CellControls, ImageStripChangesRepaintTheirCellAndSideBySideFollowsTheDirection)
{
  grid.AddMultiImage(1, 1, 0, haLeft, vaTop);
  grid.AddMultiImage(2, 1, 1, haLeft, vaTop);
  EXPECT_TRUE(grid.CellGraphics(1, 1)->CellBoolean());
  EXPECT_FALSE(grid.CellGraphics(2, 1)->CellBoolean());
  TIntList *list = grid.CellImages(1, 1);
  ASSERT_NE(list, nullptr);
  list->Add(4);
  list->Add(2);
  EXPECT_EQ(grid.CellImages(1, 1)->StrValue(), QStringLiteral("4,2"));
}

// Objects handed in stay the caller's and outlive the graphic; objects the grid creates go with
// it. Under the address sanitizer a leak or a second free fails the run.
TEST_F(CellControls, CallersObjectsOutliveTheGraphicAndCreatedOnesGoWithIt)
{
  auto bmp = std::make_unique<TBitmap>(8, 8);
  auto pic = std::make_unique<TPicture>();
  pic->SetGraphic(bmp.get());
  auto icon = std::make_unique<TIcon>();
  auto fpic = std::make_unique<TFilePicture>();
  {
    Grid g;
    g.SetGridImages(&images);
    g.AddBitmap(0, 1, bmp.get(), false, haLeft, vaTop);
    g.AddPicture(1, 1, pic.get(), false, noStretch, 0, haLeft, vaTop);
    g.AddIcon(2, 1, icon.get(), haLeft, vaTop);
    g.AddFilePicture(3, 1, fpic.get(), false, noStretch, 0, haLeft, vaTop);
    g.AddBitButton(0, 2, 10, 10, QString(), bmp.get(), haLeft, vaTop);
    g.RemoveBitmap(0, 1);
    g.RemovePicture(1, 1);
    // Replacing a graphic frees only what the grid created.
    g.AddComment(2, 1, QStringLiteral("c"));

    EXPECT_NE(g.CreateBitmap(0, 3, false, haLeft, vaTop), nullptr);
    TPicture *own = g.CreatePicture(1, 3, false, noStretch, 0, haLeft, vaTop);
    ASSERT_NE(own, nullptr);
    own->SetGraphic(bmp.get());
    EXPECT_EQ(g.GetPicture(1, 3), own);
    EXPECT_NE(g.CreateIcon(2, 3, haLeft, vaTop), nullptr);
    EXPECT_NE(g.CreateFilePicture(3, 3, false, noStretch, 0, haLeft, vaTop), nullptr);
    TBitmap *glyph = g.CreateBitButton(1, 2, 10, 10, QStringLiteral("b"), haLeft, vaTop);
    ASSERT_NE(glyph, nullptr);
    EXPECT_TRUE(g.CellGraphics(1, 2)->CellCreated());
    g.AddMultiImage(2, 2, 0, haLeft, vaTop);
    g.CellImages(2, 2)->Add(1);
    // Replaced, removed and left in the grid: each created object is freed once.
    g.AddComment(0, 3, QStringLiteral("c"));
    g.RemovePicture(1, 3);
  }
  EXPECT_EQ(bmp->Width(), 8);
  EXPECT_EQ(pic->Width(), 8);
  EXPECT_TRUE(icon->Empty());
  EXPECT_EQ(fpic->Width(), 0);
}

TEST_F(CellControls, OutsideTheGridNothingIsCreated)
{
  EXPECT_EQ(grid.CreateBitmap(-1, 1, false, haLeft, vaTop), nullptr);
  EXPECT_EQ(grid.CreatePicture(1, -1, false, noStretch, 0, haLeft, vaTop), nullptr);
  grid.AddComment(-1, 0, QStringLiteral("c"));
  EXPECT_EQ(grid.GetComment(-1, 0), QString());
  EXPECT_EQ(grid.GetScrollPosition(-1, 0), -1);
}

TEST_F(CellControls, CommentsAreReadWrittenAndRemovedOnlyWhereTheyAre)
{
  EXPECT_EQ(grid.CellComment(1, 1), QString());
  grid.SetCellComment(1, 1, QStringLiteral("first"));
  EXPECT_EQ(grid.CellComment(1, 1), QStringLiteral("first"));
  EXPECT_EQ(TColor(grid.CellGraphics(1, 1)->CellIndex()), grid.ControlLook()->CommentColor());
  grid.SetCellComment(1, 1, QStringLiteral("second"));
  EXPECT_EQ(grid.CellComment(1, 1), QStringLiteral("second"));

  TBitmap bmp;
  grid.AddBitmap(2, 1, &bmp, false, haLeft, vaTop);
  grid.SetCellComment(2, 1, QStringLiteral("ignored"));
  EXPECT_EQ(grid.GetCellType(2, 1), ctBitmap);
  EXPECT_EQ(grid.CellGraphics(2, 1)->CellText(), QString());

  grid.AddColorComment(3, 3, QStringLiteral("blue"), clBlue);
  EXPECT_EQ(TColor(grid.CellGraphics(3, 3)->CellIndex()), clBlue);
  grid.RemoveAllComments();
  EXPECT_EQ(grid.GetCellType(1, 1), ctEmpty);
  EXPECT_EQ(grid.GetCellType(3, 3), ctEmpty);
  EXPECT_EQ(grid.GetCellType(2, 1), ctBitmap);
}

TEST_F(CellControls, MarkersRideOnAnyGraphicAndTakeAnEmptyOneOtherwise)
{
  grid.AddButton(1, 1, 20, 10, QStringLiteral("b"), haLeft, vaTop);
  grid.AddMarker(1, 1, 2, 3);
  EXPECT_EQ(grid.GetCellType(1, 1), ctButton);
  int pos = -1, len = -1;
  grid.GetMarker(1, 1, pos, len);
  EXPECT_EQ(pos, 2);
  EXPECT_EQ(len, 3);

  grid.AddMarker(2, 1, 1, 4);
  EXPECT_EQ(grid.CellGraphics(2, 1)->CellType(), ctEmpty);
  EXPECT_EQ(grid.Cells(2, 1), QString());

  grid.RemoveAllMarkers();
  EXPECT_EQ(grid.GetCellType(1, 1), ctButton);
  grid.GetMarker(1, 1, pos, len);
  EXPECT_EQ(pos, 0);
  EXPECT_EQ(len, 0);
  EXPECT_EQ(grid.CellGraphics(2, 1), nullptr);
  grid.GetMarker(3, 3, pos, len);
  EXPECT_EQ(pos, 0);
  EXPECT_EQ(len, 0);
}

TEST_F(CellControls, ScrollBarsActOnTheBlocksBaseCell)
{
  EXPECT_EQ(grid.GetScrollPosition(1, 1), -1);
  EXPECT_EQ(grid.GetScrollProp(1, 1).PageSize, -1);
  EXPECT_EQ(grid.GetScrollProp(1, 1).Range, -1);

  grid.AddScrollBar(1, 1, false);
  const int plain = grid.textChanged;  // what giving the cell a graphic costs
  grid.MergeCells(1, 1, 2, 2);
  EXPECT_TRUE(grid.HasScrollBar(2, 2));
  grid.SetScrollPosition(2, 2, 40);
  grid.SetScrollProp(2, 1, TScrollProp{10, 200});
  EXPECT_EQ(grid.GetScrollPosition(1, 1), 40);
  const TScrollProp p = grid.GetScrollProp(1, 2);
  EXPECT_EQ(p.PageSize, 10);
  EXPECT_EQ(p.Range, 200);
  EXPECT_EQ(grid.CellGraphics(2, 2), nullptr);

  // Page size 0 and range 100; an auto-range bar sizes itself from the text at once.
  grid.textChanged = 0;
  grid.AddScrollBar(3, 3, true);
  EXPECT_EQ(grid.textChanged, plain + 1);
  EXPECT_TRUE(grid.HasAutoRangeScrollBar(3, 3));
  EXPECT_EQ(grid.CellGraphics(3, 3)->CellAngle(), 0);
  EXPECT_EQ(grid.CellGraphics(3, 3)->CellErrFrom(), 100);
}

TEST_F(CellControls, ButtonsCaptionPushAndRectangle)
{
  grid.SetDefaultColWidth(64);
  grid.SetDefaultRowHeight(24);
  grid.AddButton(1, 1, 30, 12, QStringLiteral("Go"), haLeft, vaTop);
  EXPECT_EQ(grid.GetButtonText(1, 1), QStringLiteral("Go"));
  grid.SetButtonText(1, 1, QStringLiteral("Stop"));
  EXPECT_EQ(grid.GetButtonText(1, 1), QStringLiteral("Stop"));
  EXPECT_EQ(grid.GetButtonText(2, 1), QString());
  grid.PushButton(1, 1, true);
  EXPECT_TRUE(grid.CellGraphics(1, 1)->CellBoolean());

  const TRect cell = grid.CellRect(1, 1);
  // The painter leaves the offset: 3 across, 5 down.
  grid.CellGraphics(1, 1)->SetCellValue((5 << 16) | 3);
  TRect r = grid.GetCellButtonRect(1, 1);
  EXPECT_EQ(r, TRect(cell.Left + 3, cell.Top + 5, cell.Left + 33, cell.Top + 17));
  grid.CellGraphics(1, 1)->SetCellVAlign(vaFull);
  grid.CellGraphics(1, 1)->SetCellHAlign(haFull);
  r = grid.GetCellButtonRect(1, 1);
  EXPECT_EQ(r, cell);
  EXPECT_EQ(grid.GetCellButtonRect(2, 2), TRect());

  // A node keeps its contracted flag whatever is pushed.
  TCellGraphic *node = grid.CreateCellGraphic(0, 2);
  node->SetCellType(ctNode);
  grid.PushButton(0, 2, true);
  EXPECT_FALSE(node->CellBoolean());

  grid.AddBitButton(2, 2, 10, 10, QString(), nullptr, haLeft, vaTop);
  grid.AddComment(3, 3, QStringLiteral("c"));
  grid.RemoveAllButtons();
  EXPECT_EQ(grid.GetCellType(1, 1), ctEmpty);
  EXPECT_EQ(grid.GetCellType(2, 2), ctEmpty);
  EXPECT_EQ(grid.GetCellType(3, 3), ctComment);
}
