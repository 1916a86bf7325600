#include "grid/core/zav_string_grid.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls/forms.h"
#include "framework/controls/messages.h"
#include "framework/testing/input.h"
#include "grid/core/grid_module.h"
#include "grid/foundation/grid_options.h"

namespace {

class TProbeGrid : public TZavStringGrid {
public:
  using TZavStringGrid::TZavStringGrid;
  using TZavStringGrid::OwnerFormResize;
};

// Grids sized with the form record the order in which their handlers ran.
TProbeGrid *ResizingGrid(TForm &Form, std::vector<TProbeGrid *> &Ran)
{
  auto *g = new TProbeGrid(&Form);
  g->SetSizeWithForm(true);
  g->OnResize = [&Ran, g](TObject *) { Ran.push_back(g); };
  return g;
}

TEST(ObjectResizeChain, GridsOfAFormChainTheirHandlersNewestFirst)
{
  TForm form(nullptr);
  form.SetBounds(0, 0, 600, 400);
  int formCalls = 0;
  form.OnResize = [&](TObject *) { ++formCalls; };
  std::vector<TProbeGrid *> ran;
  TProbeGrid *a = ResizingGrid(form, ran);
  TProbeGrid *b = ResizingGrid(form, ran);
  form.SetBounds(0, 0, 650, 420);
  EXPECT_EQ(formCalls, 1);
  EXPECT_EQ(ran, (std::vector<TProbeGrid *>{b, a}));  // each grid follows the form's growth
  EXPECT_EQ(a->Width(), 450);
  EXPECT_EQ(b->Height(), 270);
}

// Destroying the grids in creation order (not reverse) leaves the form with its own handler and
// no handler of a destroyed grid.
TEST(ObjectResizeChain, DestroyingInCreationOrderUnlinksEachGrid)
{
  TForm form(nullptr);
  form.SetBounds(0, 0, 600, 400);
  int formCalls = 0;
  form.OnResize = [&](TObject *) { ++formCalls; };
  std::vector<TProbeGrid *> ran;
  TProbeGrid *a = ResizingGrid(form, ran);
  TProbeGrid *b = ResizingGrid(form, ran);
  delete a;
  form.SetBounds(0, 0, 620, 400);
  EXPECT_EQ(formCalls, 1);
  EXPECT_EQ(ran, (std::vector<TProbeGrid *>{b}));
  delete b;
  form.SetBounds(0, 0, 640, 400);
  EXPECT_EQ(formCalls, 2);
  EXPECT_EQ(ran.size(), 1u);
  EXPECT_TRUE(GridModule().ResizeChains.empty());
}

TEST(ObjectResizeChain, AnExceptionOfTheFormsOwnHandlerIsSwallowed)
{
  TForm form(nullptr);
  form.SetBounds(0, 0, 600, 400);
  form.OnResize = [](TObject *) { throw Exception("boom"); };
  auto *g = new TProbeGrid(&form);
  EXPECT_NO_THROW(g->OwnerFormResize(&form));
}

TEST(ObjectModule, StartUpRegistersMessagesAndTheClipboardFormat)
{
  ResetGridModule();
  GridModuleStartUp();
  const TGridModuleState &m = GridModule();
  EXPECT_TRUE(m.DatePickerSupported);
  EXPECT_EQ(m.GridEditDoneMessage, RegisterWindowMessage("GridEditDone"));
  EXPECT_EQ(m.GridDTPShiftFocusMessage, RegisterWindowMessage("DTPShiftFocus"));
  EXPECT_NE(m.GridCellsClipFormat, 0u);
  EXPECT_NE(m.GridCellsClipFormat, m.GridEditDoneMessage);
  EXPECT_NE(m.GridHookHandle, nullptr);
  EXPECT_EQ(m.RegisteredClasses.size(), 28);
  EXPECT_EQ(m.RegisteredClasses.first(), "TZavStringGrid");
  EXPECT_EQ(m.RegisteredClasses.last(), "TSearchPanel");
  GridModule().HintFontName = "Tahoma";
  GridModuleShutDown();
  EXPECT_EQ(GridModule().HintFontName, "");
  EXPECT_EQ(GridModule().GridHookHandle, nullptr);
  ResetGridModule();
}

// The program never calls the start-up itself: its first grid does, so the edit-done message a
// grid posts is a registered one and the move hook is in place.
TEST(ObjectModule, FirstGridStartsTheModule)
{
  ResetGridModule();
  {
    TZavStringGrid grid(nullptr);
    EXPECT_TRUE(GridModule().Started);
    EXPECT_NE(GridModule().GridEditDoneMessage, 0u);
    EXPECT_EQ(GridModule().GridEditDoneMessage, RegisterWindowMessage("GridEditDone"));
    EXPECT_NE(GridModule().GridHookHandle, nullptr);
  }
  ResetGridModule();
  EXPECT_EQ(GridModule().GridHookHandle, nullptr);
}

TEST(ObjectModule, DllFileVersionAndLocaleRoutines)
{
  EXPECT_EQ(GetDllFileVersion("COMCTL32.DLL"), 0x00060000);
  EXPECT_EQ(GetDllFileVersion("nothing.dll"), -1);
  EXPECT_EQ(GridDecimalSeparator(), FormatSettings.DecimalSeparator);
  EXPECT_EQ(GridShortDateFormat(), FormatSettings.ShortDateFormat);
}

// A grid on a shown form.
TZavStringGrid *ShownGrid(TForm &Form)
{
  Form.SetClientSize(500, 300);
  auto *g = new TZavStringGrid(&Form);
  g->SetParent(&Form);
  Form.Show();
  return g;
}

TEST(ObjectUpdateLock, PairsNestAndOnlyTheLastEndRepaints)
{
  TForm form(nullptr);
  TZavStringGrid *g = ShownGrid(form);
  g->BeginUpdate();
  g->BeginUpdate();
  g->EndUpdate();
  EXPECT_TRUE(g->LockUpdate());
  g->EndUpdate();
  EXPECT_FALSE(g->LockUpdate());
  g->EndUpdate();  // at 0 it stays 0
  EXPECT_EQ(g->UpdateCount(), 0);
  g->SetLockUpdate(true);
  EXPECT_EQ(g->UpdateCount(), 1);
  g->ResetUpdate();
  EXPECT_FALSE(g->LockUpdate());
}

TEST(ObjectUpdateLock, InvisibleGridCountsOnlyStartUpdate)
{
  TForm form(nullptr);
  TZavStringGrid *g = ShownGrid(form);
  g->SetVisible(false);
  g->BeginUpdate();
  EXPECT_EQ(g->UpdateCount(), 0);
  g->StartUpdate();
  EXPECT_EQ(g->UpdateCount(), 1);
}

// A grid hidden during an update is unlocked by its EndUpdate and paints again once shown.
TEST(ObjectUpdateLock, EndUpdateLowersTheCounterOfAGridHiddenMeanwhile)
{
  TForm form(nullptr);
  TZavStringGrid *g = ShownGrid(form);
  g->BeginUpdate();
  g->SetVisible(false);
  g->EndUpdate();
  EXPECT_EQ(g->UpdateCount(), 0);
}

// Redraw switched off by BeginUpdate is given back even when the window went away meanwhile:
// the window made later paints. Without a window an update holds nothing back.
TEST(ObjectUpdateLock, RedrawHeldOnAWindowGoneMeanwhileComesBack)
{
  TForm form(nullptr);
  TZavStringGrid *g = ShownGrid(form);
  g->BeginUpdate();
  g->SetParent(nullptr);
  ASSERT_FALSE(g->HandleAllocated());
  g->EndUpdate();
  g->BeginUpdate();  // windowless pair
  g->EndUpdate();
  g->SetColor(clRed);
  g->SetParent(&form);
  const QImage img = GrabControl(g);
  const int x = g->ColWidths(0) + g->ColWidths(1) + g->ColWidths(2) / 2;
  const int y = g->RowHeights(0) + g->RowHeights(1) + g->RowHeights(2) + g->RowHeights(3) / 2;
  EXPECT_EQ(img.pixelColor(x, y), QColor(Qt::red));
}

TEST(ObjectUpdateLock, GridHiddenDuringAnUpdatePaintsOnceShown)
{
  TForm form(nullptr);
  TZavStringGrid *g = ShownGrid(form);
  g->BeginUpdate();
  g->SetVisible(false);
  g->EndUpdate();
  EXPECT_EQ(g->UpdateCount(), 0);
  g->SetColor(clRed);
  g->SetVisible(true);
  const QImage img = GrabControl(g);
  const int x = g->ColWidths(0) + g->ColWidths(1) + g->ColWidths(2) / 2;
  const int y = g->RowHeights(0) + g->RowHeights(1) + g->RowHeights(2) + g->RowHeights(3) / 2;
  EXPECT_EQ(img.pixelColor(x, y), QColor(Qt::red));
}

TEST(ObjectTimer, IncrementalSearchTextIsForgottenOnTheFourthTick)
{
  TForm form(nullptr);
  TZavStringGrid *g = ShownGrid(form);
  g->Navigation()->SetAutoGotoIncremental(true);
  g->SetIncrSearchText("AB");
  for (int i = 0; i < 3; ++i)
    g->Perform(WM_TIMER, 111, 0);
  EXPECT_EQ(g->IncrSearchText(), "AB");
  g->Perform(WM_TIMER, 111, 0);
  EXPECT_EQ(g->IncrSearchText(), "");
  EXPECT_EQ(g->TimerCount(), 4);
}

TEST(ObjectTimer, BlinkStateTogglesOnlyWithEnableBlink)
{
  TForm form(nullptr);
  TZavStringGrid *g = ShownGrid(form);
  g->Perform(WM_TIMER, 111, 0);
  EXPECT_FALSE(g->BlinkState());
  g->SetEnableBlink(true);
  g->SetCells(1, 1, "<bli>x</bli>");
  g->Perform(WM_TIMER, 111, 0);
  EXPECT_TRUE(g->BlinkState());
}

TEST(ObjectWindow, LoadedMovesAlwaysShowEditorToNavigationAndSetsMinimumSizes)
{
  TForm form(nullptr);
  auto *g = new TZavStringGrid(&form);
  g->BeginLoading();
  g->SetOptions(g->Options() + goAlwaysShowEditor);
  g->SetDefaultRowHeight(25);
  g->EndLoading();
  EXPECT_TRUE(g->Navigation()->AlwaysEdit());
  EXPECT_FALSE(g->Options().Contains(goAlwaysShowEditor));
  EXPECT_EQ(g->MinColWidth(), 10);
  EXPECT_EQ(g->MinRowHeight(), 25);
  EXPECT_TRUE(g->GridLoaded());
}

TEST(ObjectWindow, IntegralHeightKeepsWholeRows)
{
  TForm form(nullptr);
  auto *g = new TZavStringGrid(&form);
  g->SetColCount(2);
  g->SetDefaultRowHeight(20);
  g->SetIntegralHeight(true);
  g->SetBounds(0, 0, 400, 205);
  EXPECT_EQ(g->Height(), 204);
}

TEST(ObjectWindow, CreatingTheWindowStartsTheTimerAndTheWheel)
{
  TForm form(nullptr);
  TZavStringGrid *g = ShownGrid(form);
  g->HandleNeeded();
  EXPECT_EQ(g->WheelMsg(), int(WM_MOUSEWHEEL));
  EXPECT_GT(g->WheelScrl(), 0);
  EXPECT_FALSE(g->IsWinXP());  // no visual theme is active
}

TEST(ObjectWindow, FindParentFormWalksUpTheParents)
{
  TForm form(nullptr);
  TZavStringGrid *g = ShownGrid(form);
  EXPECT_EQ(TZavStringGrid::FindParentForm(g), &form);
  EXPECT_EQ(TZavStringGrid::FindParentForm(&form), &form);
  EXPECT_EQ(TZavStringGrid::FindParentForm(nullptr), nullptr);
}

TEST(ObjectWindow, AssignCopiesTheListedSettings)
{
  TForm form(nullptr);
  auto *src = new TZavStringGrid(&form);
  auto *dst = new TZavStringGrid(&form);
  src->SetColCount(3);
  src->SetRowCount(2);
  src->SetRowHeights(1, 40);
  src->SetActiveCellColor(clBlue);
  src->SetCheckTrue("T");
  src->Navigation()->SetAdvanceOnEnter(true);
  dst->Assign(src);
  EXPECT_EQ(dst->ColCount(), 3);
  EXPECT_EQ(dst->RowCount(), 2);
  EXPECT_EQ(dst->RowHeights(1), 40);
  EXPECT_EQ(dst->ActiveCellColor(), clBlue);
  EXPECT_TRUE(dst->Navigation()->AdvanceOnEnter());
  EXPECT_EQ(dst->CheckTrue(), "Y");  // not in the list
}

TEST(ObjectWindow, EditControlWantsTabsArrowsAndCharsWithGoTabs)
{
  TForm form(nullptr);
  auto *g = new TZavStringGrid(&form);
  int passed = 0;
  g->FGridControlWndProc = [&](TMessage &) { ++passed; };
  TMessage m{};
  m.Msg = WM_GETDLGCODE;
  g->EditControlWndProc(m);
  EXPECT_EQ(passed, 1);
  g->SetOptions(g->Options() + goTabs);
  m.Result = 0;
  g->EditControlWndProc(m);
  EXPECT_EQ(m.Result, 0x83);
  EXPECT_EQ(passed, 1);
}

}  // namespace
