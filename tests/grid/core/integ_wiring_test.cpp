// The grid's settings objects, footer, editor and selection as the window life cycle, copying and
// the per-cell queries use them together.
#include <gtest/gtest.h>

#include <functional>

#include "framework/controls/forms.h"
#include "framework/grids/inplace_edit.h"
#include "grid/core/control_look.h"
#include "grid/core/feature_settings.h"
#include "grid/core/footer.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/grid_settings.h"
#include "grid/core/sort_settings.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"
#include "grid/view/editor_wrappers.h"

namespace {

class TProbeGrid : public TZavStringGrid {
public:
  using TZavStringGrid::TZavStringGrid;
  using TZavStringGrid::DoGetCellColor;
  using TZavStringGrid::GetCellDefaults;
  using TZavStringGrid::GetColumnFilterList;
  using TZavStringGrid::HasComboEditor;
  using TZavStringGrid::HasSpinEditor;
};

struct IntegWiring : ::testing::Test {
  TForm form{nullptr};
  TProbeGrid *g = new TProbeGrid(&form);
  void SetUp() override
  {
    form.SetClientSize(400, 300);
    g->SetColCount(4);
    g->SetRowCount(6);
  }
  void Show()
  {
    g->SetParent(&form);
    g->SetBounds(0, 0, 400, 300);
    form.Show();
  }
};

TEST_F(IntegWiring, TheTextEditorIsTheGridsOwn)
{
  Show();
  g->SetOptions(g->Options() + goEditing);
  g->FocusCell(1, 1);
  g->ShowEditor();
  auto *edit = dynamic_cast<TZavInplaceEdit *>(g->InplaceEditor());
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->Grid(), g);
  EXPECT_EQ(edit->Owner(), g);
}

TEST_F(IntegWiring, WindowCreationPlacesTheFooterPanelOnTheGrid)
{
  for (bool visible : {false, true}) {
    TForm f(nullptr);
    auto *grid = new TZavStringGrid(&f);
    grid->SetParent(&f);
    grid->FloatingFooter()->SetVisible(visible);
    grid->HandleNeeded();
    EXPECT_EQ(grid->FooterPanel()->Parent(), grid) << visible;
    EXPECT_EQ(grid->FooterPanel()->Visible(), visible);
  }
}

// Loaded keeps themed controls only when a visual theme was found with the window; without a
// window the platform's answer stands.
TEST_F(IntegWiring, LoadedWithoutAThemeFallsBackToClassicControls)
{
  g->BeginLoading();
  g->EndLoading();
  EXPECT_EQ(g->ControlLook()->ControlStyle(), ZavGrid::TControlStyle::csTheme);
  Show();
  g->HandleNeeded();
  ASSERT_FALSE(g->IsWinXP());
  g->BeginLoading();
  g->EndLoading();
  EXPECT_EQ(g->ControlLook()->ControlStyle(), ZavGrid::TControlStyle::csClassic);
}

TEST_F(IntegWiring, AssignCopiesTheSettingsObjects)
{
  struct Case {
    const char *Name;
    std::function<void(TZavStringGrid *)> Set;
    std::function<bool(TZavStringGrid *)> Copied;
  };
  const Case cases[] = {
      {"FilterDropDown", [](TZavStringGrid *s) { s->FilterDropDown()->SetColor(clRed); },
       [](TZavStringGrid *d) { return d->FilterDropDown()->Color() == clRed; }},
      {"Grouping", [](TZavStringGrid *s) { s->Grouping()->SetHeaderColor(clLime); },
       [](TZavStringGrid *d) { return d->Grouping()->HeaderColor() == clLime; }},
      {"PrintSettings", [](TZavStringGrid *s) { s->PrintSettings()->SetFooterSize(77); },
       [](TZavStringGrid *d) { return d->PrintSettings()->FooterSize() == 77; }},
      {"Filter",
       [](TZavStringGrid *s) {
         TFilterData *f = s->Filter()->Add();
         f->SetColumn(2);
         f->SetCondition("a*");
       },
       [](TZavStringGrid *d) {
         return d->Filter()->Count() == 1 && d->Filter()->Items(0)->Condition() == "a*" &&
                d->Filter()->Items(0)->Column() == 2;
       }},
      {"HTMLSettings", [](TZavStringGrid *s) { s->HTMLSettings()->SetBorderSize(5); },
       [](TZavStringGrid *d) { return d->HTMLSettings()->BorderSize() == 5; }},
      {"SortSettings", [](TZavStringGrid *s) { s->SortSettings()->SetAutoColumnMerge(true); },
       [](TZavStringGrid *d) { return d->SortSettings()->AutoColumnMerge(); }},
      {"DragScrollOptions", [](TZavStringGrid *s) { s->DragScrollOptions()->SetActive(true); },
       [](TZavStringGrid *d) { return d->DragScrollOptions()->Active(); }},
      {"DragDropSettings", [](TZavStringGrid *s) { s->DragDropSettings()->SetShowCells(false); },
       [](TZavStringGrid *d) { return !d->DragDropSettings()->ShowCells(); }},
      {"ProgressAppearance", [](TZavStringGrid *s) { s->ProgressAppearance()->SetCompleteColor(clNavy); },
       [](TZavStringGrid *d) { return d->ProgressAppearance()->CompleteColor() == clNavy; }},
      {"ColumnSize", [](TZavStringGrid *s) { s->ColumnSize()->SetRows(arFixed); },
       [](TZavStringGrid *d) { return d->ColumnSize()->Rows() == arFixed; }},
  };
  TZavStringGrid src(nullptr), dst(nullptr);
  for (const Case &c : cases) {
    ASSERT_FALSE(c.Copied(&dst)) << c.Name;
    c.Set(&src);
  }
  dst.Assign(&src);
  for (const Case &c : cases)
    EXPECT_TRUE(c.Copied(&dst)) << c.Name;
}

// Cells whose graphic fills them keep the caller's brush; the font follows every cell.
TEST_F(IntegWiring, CellBrushColourOnlyForCellsWithoutAFillingGraphic)
{
  g->SetCells(1, 1, "x");
  g->AddCheckBox(2, 1, true, false);
  for (int c : {1, 2}) {
    g->SetColors(c, 1, clYellow);
    g->SetFontColors(c, 1, clRed);
  }
  for (int c : {1, 2}) {
    TBrush brush;
    TFont font;
    brush.SetColor(clWhite);
    g->DoGetCellColor(c, 1, TGridDrawState(), &brush, &font);
    EXPECT_EQ(brush.Color(), c == 1 ? clYellow : clWhite) << c;
    EXPECT_EQ(font.Color(), clRed) << c;
  }
}

TEST_F(IntegWiring, AlwaysVisibleEditorButtonsFollowTheCellsEditor)
{
  struct Case {
    TEditorType Editor;
    bool Combo, Spin;
  };
  const Case cases[] = {{edNormal, false, false},      {edComboEdit, true, false},
                        {edComboList, true, false},    {edSpinEdit, false, true},
                        {edFloatSpinEdit, false, true}, {edTimeSpinEdit, false, true},
                        {edDateSpinEdit, false, true}};
  for (const Case &k : cases) {
    g->OnGetEditorType = [&](TObject *, int, int, TEditorType &E) { E = k.Editor; };
    g->ControlLook()->SetDropDownAlwaysVisible(false);
    g->ControlLook()->SetSpinButtonsAlwaysVisible(false);
    EXPECT_FALSE(g->HasComboEditor(1, 1));
    EXPECT_FALSE(g->HasSpinEditor(1, 1));
    g->ControlLook()->SetDropDownAlwaysVisible(true);
    g->ControlLook()->SetSpinButtonsAlwaysVisible(true);
    EXPECT_EQ(g->HasComboEditor(1, 1), k.Combo) << int(k.Editor);
    EXPECT_EQ(g->HasSpinEditor(1, 1), k.Spin) << int(k.Editor);
  }
}

TEST_F(IntegWiring, AGradientBackgroundClearsTheCellsDefaultBrush)
{
  for (TBackGroundDisplay d : {bdTile, bdFixed, bdGradientHorz, bdGradientVert}) {
    g->BackGround()->SetDisplay(d);
    TFont font;
    TBrush brush;
    TColor to = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    TCellGradientDirection gd{};
    g->GetCellDefaults(1, 1, &font, &brush, to, mirror, mirrorTo, ha, va, ww, gd);
    const bool gradient = d == bdGradientHorz || d == bdGradientVert;
    EXPECT_EQ(brush.Color() == clNone, gradient) << int(d);
  }
}

TEST_F(IntegWiring, ColumnFilterListTakesHiddenRowsUnlessIncremental)
{
  for (int r = 1; r < 6; ++r)
    g->SetCells(1, r, QString("v%1").arg(r));
  g->HideRows(2, 3);
  g->SetFilterDropDownAuto(true);
  g->SetFilterDropDownClear("");
  g->GetColumnFilterList(1);
  EXPECT_EQ(g->FilterList()->Text(), "v1\r\nv2\r\nv3\r\nv4\r\nv5\r\n");
  g->SetFilterIncremental(true);
  g->GetColumnFilterList(1);
  EXPECT_EQ(g->FilterList()->Text(), "v1\r\nv4\r\nv5\r\n");
}

TEST_F(IntegWiring, MovingTheRowCopiesTheSelectionIntoDisjunctRowFlags)
{
  g->MouseActions()->SetDisjunctRowSelect(true);
  g->SetRowSelect(4, true);
  g->SetRow(2);
  EXPECT_TRUE(g->RowSelect(2));
  EXPECT_TRUE(g->RowSelect(4));  // other rows keep their flags
  EXPECT_FALSE(g->RowSelect(1));
}

TEST_F(IntegWiring, ASelectionHiddenWithOnlyFixedRowsLeftComesBackWithNewRows)
{
  g->SetFixedRowAlways(true);
  g->SetRowCount(1);
  g->HideSelection();
  ASSERT_TRUE(g->SelectionHidden());
  g->SetRowCount(5);
  EXPECT_FALSE(g->SelectionHidden());

  g->HideSelection();
  g->SetRowCount(6);  // more than the fixed rows before: the selection stays hidden
  EXPECT_TRUE(g->SelectionHidden());
}

}  // namespace
