#include <gtest/gtest.h>

#include "framework/controls/forms.h"
#include "grid/core/cell_graphic.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/cell_properties.h"
#include "grid/foundation/grid_options.h"

namespace {

constexpr TColor Band1 = 0x40C0F0, Band2 = 0xF0E0D0, Sel = 0xEACAB6;

// The look a cell gets from GetVisualProperties as the base painter asks for it.
struct TLook {
  TColor Brush, ColorTo, Font;
  bool Selected, Fixed;
};

struct VisualProps : ::testing::Test {
  TForm form{nullptr};
  TZavStringGrid *g = new TZavStringGrid(&form);

  VisualProps()
  {
    g->SetParent(&form);
    g->SetColCount(5);
    g->SetRowCount(8);
    g->SetColor(clWhite);
    g->SetFixedColor(clBtnFace);
    g->Font()->SetColor(clBlack);
    g->FixedFont()->SetColor(clNavy);
    g->SetLook(glClassic);
    g->SetSelection(TGridRect{3, 6, 3, 6});
  }

  TLook Look(int c, int r, TGridDrawState state = {}, bool select = true)
  {
    TBrush brush;
    TFont font;
    TColor to = 0, mirror = 0, mirrorTo = 0;
    TAlignment ha;
    TVAlignment va;
    bool ww = false;
    TCellGradientDirection gd = GradientHorizontal;
    g->GetVisualProperties(c, r, state, false, select, true, &brush, to, mirror, mirrorTo, &font, ha, va, ww, gd);
    return {brush.Color(), to, font.Color(), state.Contains(gdSelected), state.Contains(gdFixed)};
  }
};

TEST_F(VisualProps, FixedAndNormalCellsByLook)
{
  struct TCase {
    TGridLook look;
    int c, r;
    TColor brush, colorTo, font;
    bool fixed;
  } cases[] = {
      {glClassic, 2, 2, clWhite, clNone, clBlack, false},
      {glClassic, 0, 2, clBtnFace, clNone, clNavy, true},
      {glClassic, 2, 0, clBtnFace, clNone, clNavy, true},
      {glXP, 0, 2, clWhite, ColorToRGB(clBtnFace), clNavy, true},  // the header gradient
      {glXP, 2, 2, clWhite, clNone, clBlack, false},
  };
  for (const TCase &t : cases) {
    SCOPED_TRACE(testing::Message() << int(t.look) << " " << t.c << "," << t.r);
    g->SetLook(t.look);
    const TLook l = Look(t.c, t.r);
    EXPECT_EQ(l.Brush, t.brush);
    EXPECT_EQ(l.ColorTo, t.colorTo);
    EXPECT_EQ(l.Font, t.font);
    EXPECT_EQ(l.Fixed, t.fixed);
  }
}

TEST_F(VisualProps, FixedCellKeepsItsPropertyColourOnlyWithoutAGraphic)
{
  for (TGridLook look : {glClassic, glXP}) {
    SCOPED_TRACE(int(look));
    g->SetLook(look);
    g->CellProperties(0, 2)->SetBrushColor(clRed);
    g->CellProperties(0, 3)->SetBrushColor(clRed);
    g->AddCheckBox(0, 3, false, false);
    EXPECT_EQ(Look(0, 2).Brush, clRed);
    EXPECT_EQ(Look(0, 3).Brush, look == glClassic ? clBtnFace : clWhite);
  }
}

TEST_F(VisualProps, BandsSelectionAndMixing)
{
  g->Bands()->SetPrimaryColor(Band1);
  g->Bands()->SetSecondaryColor(Band2);
  g->Bands()->SetPrimaryLength(1);
  g->Bands()->SetSecondaryLength(2);
  g->Bands()->SetActive(true);
  // Data rows 0, 3, 6 (grid rows 1, 4, 7) take the primary colour.
  for (int r = 1; r < 8; ++r)
    EXPECT_EQ(Look(2, r).Brush, (r - 1) % 3 == 0 ? Band1 : Band2) << r;

  // A selected banded cell: the selection colour, or with the mixer half of each.
  EXPECT_EQ(Look(3, 6).Brush, Sel);
  EXPECT_TRUE(Look(3, 6).Selected);
  g->SetSelectionColorMixer(true);
  g->SetSelectionColorMixerFactor(50);
  EXPECT_EQ(Look(3, 6).Brush, TZavStringGrid::BlendColors(Sel, Band2, 50));
  EXPECT_EQ(Look(3, 6).Font, clBlack);  // SelectionTextColor
  // Without the base painter's Select flag the selection is not coloured.
  EXPECT_FALSE(Look(3, 6, {}, false).Selected);

  // A cell whose brush is plain Color gets pure SelectionColor even with the mixer.
  g->Bands()->SetActive(false);
  EXPECT_EQ(Look(3, 6).Brush, Sel);
}

TEST_F(VisualProps, DisabledGridPaintsEveryTextInTheDisabledColour)
{
  g->SetUseDisabledFont(true);
  g->SetEnabled(false);
  for (auto [c, r] : {std::pair{2, 2}, {0, 2}, {2, 0}})
    EXPECT_EQ(Look(c, r).Font, g->DisabledFontColor()) << c << "," << r;
}

TEST_F(VisualProps, GradientEventHasTheLastWord)
{
  int calls = 0;
  g->OnGetCellGradient = [&](TObject *, int ARow, int ACol, TColor &C, TColor &To, TColor &, TColor &,
                             TCellGradientDirection &) {
    ++calls;
    EXPECT_EQ(ARow, 4);
    EXPECT_EQ(ACol, 2);
    C = clLime;
    To = clYellow;
  };
  const TLook l = Look(2, 4);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(l.Brush, clLime);
  EXPECT_EQ(l.ColorTo, clYellow);
}

TEST(BlendColors, Table)
{
  struct TCase {
    TColor a, b;
    int percent;
    TColor expected;
  } cases[] = {
      {0x0000FF, 0xFF0000, 100, 0x0000FF}, {0x0000FF, 0xFF0000, 0, 0xFF0000},
      {0x0000FF, 0xFF0000, 50, 0x800080},  {0x000000, 0xFFFFFF, 25, 0xBFBFBF},
      {clNone, 0x123456, 50, 0x123456},    {0x123456, clNone, 50, 0x123456},
  };
  for (const TCase &t : cases)
    EXPECT_EQ(TZavStringGrid::BlendColors(t.a, t.b, t.percent), t.expected) << std::hex << t.a << " " << t.b;
  EXPECT_EQ(TZavStringGrid::MixSelectionColor(0x0000FF, 0xFF0000, false, 50), 0x0000FFu);
  EXPECT_EQ(TZavStringGrid::MixSelectionColor(0x0000FF, 0xFF0000, true, 50), 0x800080u);
}

class TFormatProbe : public TZavStringGrid {
public:
  using TZavStringGrid::GetFormattedCell;
  using TZavStringGrid::TZavStringGrid;
};

TEST(FormattedCell, FloatFormatOnlyThroughTheEvent)
{
  TForm form(nullptr);
  auto *g = new TFormatProbe(&form);
  g->SetCells(1, 1, "3");
  g->SetCells(2, 1, "abc");
  g->SetCells(3, 1, "2.5");
  g->SetFloatFormat("%.2f");
  EXPECT_EQ(g->GetFormattedCell(1, 1), "3");  // no event: the text as it is

  QString format = "%.2f";
  g->OnGetFloatFormat = [&](TObject *, int, int, bool &, QString &F) { F = format; };
  struct TCase {
    const char *format;
    int c;
    const char *expected;
  } cases[] = {
      {"%.2f", 1, "3.00"}, {"%.2f", 2, "abc"}, {"%d", 1, "3"}, {"%5d", 1, "    3"},
      {"%d", 3, "2.5"},  // an integer format on a decimal value fails and leaves the text
      {"%s", 1, "3"},    // a format that does not fit the value
  };
  for (const TCase &t : cases) {
    format = t.format;
    EXPECT_EQ(g->GetFormattedCell(t.c, 1), t.expected) << t.format;
  }
}

}  // namespace
