#include "grid/core/zav_string_grid.h"

#include <gtest/gtest.h>

#include <functional>

#include "framework/controls/forms.h"
#include "grid/core/grid_module.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/int_lists.h"

namespace {

struct TDefaultCase {
  const char *Name;
  std::function<QString(TZavStringGrid &)> Read;
  QString Expected;
};

QString B(bool v) { return v ? "true" : "false"; }
QString N(long long v) { return QString::number(v); }
QString H(TColor v) { return QString::number(v, 16); }

TEST(ObjectDefaults, PublishedAndPublicPropertiesAfterConstruction)
{
  TForm form(nullptr);
  auto *g = new TZavStringGrid(&form);
  const TDefaultCase cases[] = {
    {"ActiveCellShow", [](auto &g) { return B(g.ActiveCellShow()); }, "false"},
    {"ActiveCellColor", [](auto &g) { return H(g.ActiveCellColor()); }, "808080"},
    {"ActiveCellColorTo", [](auto &g) { return H(g.ActiveCellColorTo()); }, H(clNone)},
    {"AutoFilterUpdate", [](auto &g) { return B(g.AutoFilterUpdate()); }, "true"},
    {"BorderColor", [](auto &g) { return H(g.BorderColor()); }, "b99d7f"},
    {"ColCount", [](auto &g) { return N(g.ColCount()); }, "5"},
    {"RowCount", [](auto &g) { return N(g.RowCount()); }, "10"},
    {"FixedCols", [](auto &g) { return N(g.FixedCols()); }, "1"},
    {"FixedRows", [](auto &g) { return N(g.FixedRows()); }, "1"},
    {"FixedColWidth", [](auto &g) { return N(g.FixedColWidth()); }, "64"},
    {"DefaultRowHeight", [](auto &g) { return N(g.DefaultRowHeight()); }, "22"},
    {"FixedRowHeight", [](auto &g) { return N(g.FixedRowHeight()); }, "22"},
    {"Width x Height", [](auto &g) { return N(g.Width()) + "x" + N(g.Height()); }, "400x250"},
    {"DefaultEditor", [](auto &g) { return EnumToName(g.DefaultEditor()); }, "edNormal"},
    {"DisabledFontColor", [](auto &g) { return H(g.DisabledFontColor()); }, "c0c0c0"},
    {"EnableHTML", [](auto &g) { return B(g.EnableHTML()); }, "true"},
    {"EnableWheel", [](auto &g) { return B(g.EnableWheel()); }, "true"},
    {"EnhRowColMove", [](auto &g) { return B(g.EnhRowColMove()); }, "true"},
    {"FilterDropDownClear", [](auto &g) { return g.FilterDropDownClear(); }, "(All)"},
    {"FilterDropDownColumns", [](auto &g) { return EnumToName(g.FilterDropDownColumns()); }, "fdNormal"},
    {"FilterNormalCellsOnly", [](auto &g) { return B(g.FilterNormalCellsOnly()); }, "true"},
    {"FloatFormat", [](auto &g) { return g.FloatFormat(); }, "%.2f"},
    {"HighlightColor", [](auto &g) { return H(g.HighlightColor()); }, H(clHighlight)},
    {"HintColor", [](auto &g) { return H(g.HintColor()); }, H(clInfoBk)},
    {"HintShowLargeTextPos", [](auto &g) { return EnumToName(g.HintShowLargeTextPos()); }, "hpCell"},
    {"HoverFixedCells", [](auto &g) { return EnumToName(g.HoverFixedCells()); }, "hfNone"},
    {"IntelliPan", [](auto &g) { return EnumToName(g.IntelliPan()); }, "ipVertical"},
    {"IntelliZoom", [](auto &g) { return B(g.IntelliZoom()); }, "true"},
    {"InvalidEntryIcon", [](auto &g) { return EnumToName(g.InvalidEntryIcon()); }, "ieWarning"},
    {"Look", [](auto &g) { return EnumToName(g.Look()); }, "glXP"},
    {"ScrollBarAlways", [](auto &g) { return EnumToName(g.ScrollBarAlways()); }, "saNone"},
    {"ScrollBars", [](auto &g) { return N(int(g.ScrollBars())); }, N(int(ssBoth))},
    {"ScrollColor", [](auto &g) { return H(g.ScrollColor()); }, H(clNone)},
    {"ScrollHints", [](auto &g) { return EnumToName(g.ScrollHints()); }, "shNone"},
    {"ScrollType", [](auto &g) { return EnumToName(g.ScrollType()); }, "ssNormal"},
    {"ScrollWidth", [](auto &g) { return N(g.ScrollWidth()); }, N(GetSystemMetrics(SM_CXVSCROLL))},
    {"SelectionColor", [](auto &g) { return H(g.SelectionColor()); }, "eacab6"},
    {"SelectionColorMixerFactor", [](auto &g) { return N(g.SelectionColorMixerFactor()); }, "50"},
    {"SelectionTextColor", [](auto &g) { return H(g.SelectionTextColor()); }, "0"},
    {"ShowDesignHelper", [](auto &g) { return B(g.ShowDesignHelper()); }, "true"},
    {"ShowSelection", [](auto &g) { return B(g.ShowSelection()); }, "true"},
    {"URLColor", [](auto &g) { return H(g.URLColor()); }, "ff0000"},
    {"UseInternalHintClass", [](auto &g) { return B(g.UseInternalHintClass()); }, "true"},
    {"VAlignment", [](auto &g) { return EnumToName(g.VAlignment()); }, "vtaTop"},
    {"WordWrap", [](auto &g) { return B(g.WordWrap()); }, "true"},
    {"Version", [](auto &g) { return g.Version(); }, "6.2.1.3"},
    {"CheckTrue/CheckFalse", [](auto &g) { return g.CheckTrue() + g.CheckFalse(); }, "YN"},
    {"PasswordChar", [](auto &g) { return QString(g.PasswordChar()); }, "*"},
    {"Delimiter", [](auto &g) { return B(g.Delimiter().isNull()); }, "true"},
    {"XMLEncoding", [](auto &g) { return g.XMLEncoding(); }, "ISO-8859-1"},
    {"Save flags", [](auto &g) {
       return B(g.SaveFixedCells()) + B(g.SaveFixedRows()) + B(g.SaveFixedCols()) +
              B(g.SaveHiddenCells()) + B(g.SaveVirtCells()) + B(g.SaveWithHTML());
     }, "truefalsefalsefalsetruetrue"},
    {"LoadFirstRow/QuoteEmptyCells/AlwaysQuotes", [](auto &g) {
       return B(g.LoadFirstRow()) + B(g.QuoteEmptyCells()) + B(g.AlwaysQuotes());
     }, "truetruefalse"},
    {"ShowNullDates", [](auto &g) { return B(g.ShowNullDates()); }, "true"},
    {"XYOffset", [](auto &g) { return N(g.XYOffset().X) + "," + N(g.XYOffset().Y); }, "2,2"},
    {"UseDisabledFont/FitCellsInGrid", [](auto &g) { return B(g.UseDisabledFont()) + B(g.FitCellsInGrid()); }, "truetrue"},
    {"GroupColumn", [](auto &g) { return N(g.GroupColumn()); }, "-1"},
    {"Min/Max sizes", [](auto &g) {
       return N(g.MinRowHeight()) + N(g.MaxRowHeight()) + N(g.MinColWidth()) + N(g.MaxColWidth());
     }, "0000"},
    {"ZAVGradientFrom/To", [](auto &g) { return H(g.ZAVGradientFrom()) + "/" + H(g.ZAVGradientTo()); },
     H(clWhite) + "/" + H(ColorToRGB(clBtnFace))},
    {"ZAVGradientMirror", [](auto &g) { return H(g.ZAVGradientMirrorFrom()) + H(g.ZAVGradientMirrorTo()); },
     H(clNone) + H(clNone)},
    {"PreviewPage", [](auto &g) { return N(g.PreviewPage()); }, "1"},
    {"LockUpdate", [](auto &g) { return B(g.LockUpdate()); }, "false"},
    {"IsThemed", [](auto &g) { return B(g.IsThemed()); }, "true"},
    {"FixedFont", [](auto &g) { return g.FixedFont()->Name() + B(g.FixedFont()->Style().Contains(fsBold)); }, "Tahomatrue"},
    {"ActiveCellFont bold, framework name", [](auto &g) {
       return B(g.ActiveCellFont()->Style().Contains(fsBold)) + g.ActiveCellFont()->Name();
     }, "true" + TFont().Name()},
    {"FilterList sorted", [](auto &g) { return B(g.FilterList()->Sorted()); }, "true"},
    {"IgnoreColumns empty", [](auto &g) { return N(g.IgnoreColumns()->Count()); }, "0"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(c.Read(*g), c.Expected) << c.Name;
  EXPECT_NE(g->FocusHelper(), nullptr);
  EXPECT_NE(g->SearchFooter(), nullptr);
  EXPECT_NE(g->Navigation(), nullptr);
  EXPECT_NE(g->MouseActions(), nullptr);
  EXPECT_NE(g->Bands(), nullptr);
  EXPECT_NE(g->SyncGrid(), nullptr);
  EXPECT_NE(g->ImageCache(), nullptr);
  EXPECT_NE(g->SortIndexes(), nullptr);
  EXPECT_NE(g->RowIndicator(), nullptr);
  EXPECT_EQ(GridModule().GridLinkCursor, crHandPoint);
}

// Exposes what the tests need of the protected parts.
class TProbeGrid : public TZavStringGrid {
public:
  using TZavStringGrid::TZavStringGrid;
  int OwnedControls() const
  {
    int n = 0;
    for (int i = 0; i < ComponentCount(); ++i)
      n += dynamic_cast<TControl *>(Components(i)) != nullptr;
    return n;
  }
  void SetVersionNr(const QString &V) { SetVersion(V); }
};

TEST(ObjectDefaults, DesignTimeGridHasNoRunTimeControlsAndATahomaActiveCellFont)
{
  TForm form(nullptr);
  auto *run = new TProbeGrid(&form);
  const int runControls = run->OwnedControls();
  form.SetDesigning(true);
  auto *design = new TProbeGrid(&form);
  // Always: the footer panel, the search panel, the scroll hint window and the filter value and
  // check lists.
  EXPECT_EQ(design->OwnedControls(), 5);
  // Run time adds the focus frame, four arrows, ten editor controls and two scroll bars.
  EXPECT_EQ(runControls, 5 + 17);
  EXPECT_EQ(design->ActiveCellFont()->Name(), "Tahoma");
  // No resize chain for a designed grid: the form keeps only the run-time grid's handler.
  EXPECT_EQ(GridModule().ResizeChains.at(&form).Grids.size(), 1u);
  form.SetDesigning(false);
}

TEST(ObjectDefaults, WritingTheVersionChangesNothing)
{
  TForm form(nullptr);
  auto *g = new TProbeGrid(&form);
  g->SetVersionNr("3.1.3.1");
  EXPECT_EQ(g->Version(), "6.2.1.3");
  EXPECT_EQ(g->GetVersionString(), "6.2.1.3 Sep, 2012");
}

TEST(ObjectDefaults, CellFontComesFromTheCellPropertiesElseTheGridFont)
{
  TForm form(nullptr);
  auto *g = new TZavStringGrid(&form);
  EXPECT_EQ(g->GetCellFont(2, 2), g->Font());
  TCellProperties *p = g->CellProperties(2, 3);
  p->SetFontName("Courier New");
  p->SetFontSize(14);
  p->SetFontColor(clBlue);
  TFont *f = g->GetCellFont(2, 3);
  EXPECT_NE(f, g->Font());
  EXPECT_EQ(f->Name(), "Courier New");
  EXPECT_EQ(f->Size(), 14);
  EXPECT_EQ(f->Color(), clBlue);
}

TEST(ObjectDefaults, DestroyingFreesCellPropertiesBeyondTheCounts)
{
  TForm form(nullptr);
  auto *g = new TZavStringGrid(&form);
  g->SetColCount(8);
  g->SetRowCount(12);
  g->CellProperties(7, 11)->SetReadOnly(true);
  g->CellProperties(1, 1)->SetReadOnly(true);
  g->SetColCount(3);
  g->SetRowCount(4);
  delete g;  // the leak checker reports a properties object left behind
}

}  // namespace
