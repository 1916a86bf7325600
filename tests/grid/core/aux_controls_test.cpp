#include "grid/core/aux_controls.h"

#include <gtest/gtest.h>

#include "framework/controls/forms.h"
#include "framework/testing/input.h"
#include "grid/core/zav_string_grid.h"
#include "grid/view/editor_wrappers.h"

namespace {

struct AuxControls : ::testing::Test {
  TForm form{nullptr};
  TZavStringGrid *grid = nullptr;
  void SetUp() override
  {
    form.SetBounds(0, 0, 500, 400);
    grid = new TZavStringGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 400, 250);
    grid->SetOptions(grid->Options() + goEditing);
    form.Show();
    SimProcess();
  }
};

} // namespace

TEST_F(AuxControls, ScrollThumbFollowsTheRowsInView)
{
  auto *sc = new TScrollControl(&form);
  sc->SetParent(grid);
  sc->SetBounds(390, 0, 10, 240);
  // All rows in view: no thumb, nothing painted.
  EXPECT_EQ(sc->Thumb(), TPoint(0, 0));
  grid->SetRowCount(1000);
  const TPoint t = sc->Thumb();
  EXPECT_EQ(t.Y, 20);  // never shorter than 20 pixels
  EXPECT_EQ(t.X, grid->RowHeights(0));
  // Page down below the thumb, then drag it back to the top.
  const int visible = grid->VisibleRowCount();
  SimClick(sc, 5, 200);
  EXPECT_EQ(grid->TopRow(), 1 + visible);
  const TPoint t2 = sc->Thumb();
  SimMouseDown(sc, 5, t2.X + 5);
  SimMouseMove(sc, 5, 0);
  SimMouseUp(sc, 5, 0);
  EXPECT_EQ(grid->TopRow(), grid->FixedRows());
  // A grid of fixed rows only has no track to divide.
  grid->SetRowCount(1);
  EXPECT_EQ(sc->Thumb(), TPoint(0, 0));
  SimClick(sc, 5, 100);
}

TEST_F(AuxControls, ScrollDragOverAControlNoHigherThanRowZeroDoesNotMove)
{
  grid->SetRowCount(1000);
  auto *sc = new TScrollControl(&form);
  sc->SetParent(grid);
  sc->SetBounds(390, 0, 10, grid->RowHeights(0) + 30);
  grid->SetTopRow(500);
  const TPoint t = sc->Thumb();
  ASSERT_GT(t.Y, 0);
  SimMouseDown(sc, 5, t.X + 2);
  sc->SetBounds(390, 0, 10, grid->RowHeights(0));
  SimMouseMove(sc, 5, t.X + 10);
  SimMouseUp(sc, 5, t.X + 10);
  EXPECT_EQ(grid->TopRow(), 500);
}

TEST_F(AuxControls, DropListReportsTheChosenItemAndCloses)
{
  auto *list = new TDropList(&form);
  list->SetParent(grid);
  list->SetBounds(10, 10, 100, 100);
  list->Items()->Add(QStringLiteral("a"));
  list->Items()->Add(QStringLiteral("b"));
  int chosen = -2;
  list->OnSelect = [&](TObject *, int i) { chosen = i; };
  list->SetItemIndex(1);
  list->SetFocus();
  SimKey(list, VK_RETURN);
  EXPECT_EQ(chosen, 1);
  EXPECT_FALSE(list->Visible());
}

TEST_F(AuxControls, TransparentEditorStoresOnlyAcceptedTexts)
{
  auto *ed = new TGridTransEdit(grid);
  ed->SetParent(grid);
  EXPECT_FALSE(ed->Visible());
  ed->SetCol(2);
  ed->SetRow(3);
  ed->SetVisible(true);
  ed->SetText(QStringLiteral("bad"));
  int done = 0;
  grid->OnCellValidate = [](TObject *, int, int, QString &v, bool &ok) {
    ok = v != QStringLiteral("bad");
    v = v.toUpper();
  };
  grid->OnEditingDone = [&](TObject *) { ++done; };
  EXPECT_FALSE(ed->StopEdit());
  EXPECT_TRUE(ed->Visible());
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(grid->Cells(2, 3), QString());
  ed->SetText(QStringLiteral("good"));
  EXPECT_TRUE(ed->StopEdit());
  EXPECT_FALSE(ed->Visible());
  EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("GOOD"));
  EXPECT_EQ(done, 1);
}

TEST_F(AuxControls, EmbeddedEditorsClaimTabAndEndOnEnter)
{
  auto *ed = new TControlEdit(grid);
  ed->SetParent(grid);
  EXPECT_EQ(ed->Perform(CM_WANTSPECIALKEY, VK_TAB, 0), 1);
  EXPECT_EQ(ed->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 0);
  auto *combo = new TControlCombo(grid);
  combo->SetParent(grid);
  EXPECT_EQ(combo->Perform(CM_WANTSPECIALKEY, VK_TAB, 0), 1);

  // Tab with automatic advance moves to the next cell.
  grid->Navigation()->SetAdvanceAuto(true);
  grid->FocusCell(1, 2, true);
  ed->SetFocus();
  SimKey(ed, VK_TAB);
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->Row(), 2);
  // Enter gives the focus back to the grid.
  ed->SetFocus();
  SimKey(ed, VK_RETURN);
  EXPECT_TRUE(grid->Focused());
}

TEST_F(AuxControls, SearchEditTurnsEnterIntoItsEvents)
{
  auto *ed = new TRetEdit(&form);
  ed->SetParent(&form);
  int plain = 0, ctrl = 0;
  ed->OnReturn = [&](TObject *) { ++plain; };
  ed->OnCtrlReturn = [&](TObject *) { ++ctrl; };
  ed->SetFocus();
  SimKey(ed, VK_RETURN);
  SimKey(ed, VK_RETURN, {ssCtrl});
  EXPECT_EQ(plain, 1);
  EXPECT_EQ(ctrl, 1);
  EXPECT_EQ(ed->GetText(), QString());
}

TEST_F(AuxControls, EditorsBelongToAGridAndReportTheirNotifications)
{
  EXPECT_THROW(TGridCombo{&form}, EInvalidCast);
  auto *combo = new TGridCombo(grid);
  combo->SetParent(grid);
  combo->SetEnabled(false);
  combo->SetVisible(false);
  combo->SetIsWinXP(true);
  combo->SetIsVista(true);
  EXPECT_EQ(combo->Grid(), grid);
  EXPECT_EQ(combo->ButtonWidth(), 16);
  EXPECT_FALSE(combo->Enabled());
  EXPECT_FALSE(combo->Visible());

  auto *unit = new TGridUnitEditBtn(grid);
  unit->SetButtonCaption(QStringLiteral("..."));
  QString got;
  unit->OnUnitChanged = [&](TObject *s, const QString &u) { got = s == unit ? u : QString(); };
  unit->UnitChosen(QStringLiteral("mm"));
  EXPECT_EQ(got, QStringLiteral("mm"));
  EXPECT_EQ(unit->UnitID(), QStringLiteral("mm"));

  auto *edit = new TZavInplaceEdit(grid);
  edit->SetParent(grid);
  edit->SetWordWrap(true);
  EXPECT_TRUE(edit->WordWrap());
  EXPECT_FALSE(edit->AlternateBackground());
  new TGridCheckBox(grid);
  new TGridEditBtn(grid);
  int clicks = 0;
  auto *btn = new TGridButton(grid);
  btn->OnClick = [&](TObject *) { ++clicks; };
  btn->Click();
  EXPECT_EQ(clicks, 1);
}

TEST_F(AuxControls, MetroStyleSwapsTheWindowBarsForThinOnes)
{
  auto thinBars = [&] {
    std::vector<TScrollControl *> bars;
    for (int i = 0; i < grid->ControlCount(); ++i)
      if (auto *b = dynamic_cast<TScrollControl *>(grid->Controls(i)))
        bars.push_back(b);
    return bars;
  };
  grid->SetRowCount(200);
  grid->SetColCount(40);
  grid->SetScrollType(ssMetro);
  SimProcess();
  std::vector<TScrollControl *> bars = thinBars();
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(grid->ScrollBars(), ssNone);
  TScrollControl *vert = bars[0]->Direction() == sdVertical ? bars[0] : bars[1];
  TScrollControl *horz = vert == bars[0] ? bars[1] : bars[0];
  EXPECT_EQ(horz->Direction(), sdHorizontal);
  EXPECT_EQ(vert->Width(), 6);
  EXPECT_EQ(vert->Left() + vert->Width(), grid->ClientWidth());
  EXPECT_EQ(horz->Height(), 6);
  EXPECT_EQ(horz->Top() + horz->Height(), grid->ClientHeight());

  // The vertical thumb follows the top row: silver at its new place on the grid's picture.
  grid->SetTopRow(100);
  SimProcess();
  const TPoint thumb = vert->Thumb();
  const QImage shot = GrabControl(grid);
  GrabToPng(grid, QStringLiteral("metro_bars.png"));
  // The picture holds the grid's border around the client area.
  const int border = (shot.width() - grid->ClientWidth()) / 2;
  const QPoint at(border + vert->Left() + 1, border + thumb.X + thumb.Y / 2);
  EXPECT_EQ(QColorToColor(shot.pixelColor(at)), TColor(0xC0C0C0)) << at.x() << "," << at.y();
  // Elsewhere the bar shows the cells under it.
  const QPoint above(at.x(), border + thumb.X - 10);
  EXPECT_EQ(QColorToColor(shot.pixelColor(above)), clWhite) << above.x() << "," << above.y();

  // ssFlat and ssEncarta are window bars again; the thin ones are gone.
  grid->SetScrollType(ssFlat);
  EXPECT_TRUE(thinBars().empty());
  EXPECT_EQ(grid->ScrollBars(), ssBoth);
}

TEST_F(AuxControls, FooterRowsTakeNoPartOfTheThumbTrack)
{
  auto *sc = new TScrollControl(&form);
  sc->SetParent(grid);
  sc->SetBounds(390, 0, 10, 240);
  grid->SetRowCount(40);
  grid->SetTopRow(grid->RowCount() - grid->VisibleRowCount());
  const TPoint plain = sc->Thumb();
  grid->SetFixedFooters(3);
  grid->SetTopRow(grid->RowCount() - grid->VisibleRowCount());
  const TPoint footed = sc->Thumb();
  ASSERT_GT(plain.Y, 20);
  EXPECT_LT(footed.Y, plain.Y);
  // At the last rows the thumb ends above the footer rows.
  int footerHeight = 0;
  for (int r = grid->RowCount() - 3; r < grid->RowCount(); ++r)
    footerHeight += grid->RowHeights(r);
  EXPECT_LE(footed.X + footed.Y, sc->Height() - footerHeight + 1);
}
