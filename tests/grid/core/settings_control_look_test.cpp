#include "grid/core/control_look.h"

#include <gtest/gtest.h>

#include "editors/appearance.h"
#include "grid/core/zav_string_grid.h"
#include "tests/grid/core/settings_prop_table.h"

using namespace settingstest;

namespace {

using T = TControlLook;

// The look's properties; the gradient colours are changed to colours distinct from every default.
std::vector<Prop<T>> LookProps()
{
  const TColor c = 0x123456;
  return {
      P("Color", &T::Color, &T::SetColor, clBlack, c),
      P("CommentColor", &T::CommentColor, &T::SetCommentColor, clRed, c),
      GlyphP("CheckedGlyph", &T::CheckedGlyph, &T::SetCheckedGlyph),
      P("FixedGradientFrom", &T::FixedGradientFrom, &T::SetFixedGradientFrom, clNone, c),
      P("FixedGradientTo", &T::FixedGradientTo, &T::SetFixedGradientTo, clNone, c),
      P("FixedGradientMirrorFrom", &T::FixedGradientMirrorFrom, &T::SetFixedGradientMirrorFrom, clNone, c),
      P("FixedGradientMirrorTo", &T::FixedGradientMirrorTo, &T::SetFixedGradientMirrorTo, clNone, c),
      P("FixedGradientHoverFrom", &T::FixedGradientHoverFrom, &T::SetFixedGradientHoverFrom, clGray, c),
      P("FixedGradientHoverTo", &T::FixedGradientHoverTo, &T::SetFixedGradientHoverTo, clWhite, c),
      P("FixedGradientHoverMirrorFrom", &T::FixedGradientHoverMirrorFrom, &T::SetFixedGradientHoverMirrorFrom,
        clNone, c),
      P("FixedGradientHoverMirrorTo", &T::FixedGradientHoverMirrorTo, &T::SetFixedGradientHoverMirrorTo, clNone, c),
      P("FixedGradientHoverBorder", &T::FixedGradientHoverBorder, &T::SetFixedGradientHoverBorder, clSilver, c),
      P("FixedGradientDownFrom", &T::FixedGradientDownFrom, &T::SetFixedGradientDownFrom, clGray, c),
      P("FixedGradientDownTo", &T::FixedGradientDownTo, &T::SetFixedGradientDownTo, clSilver, c),
      P("FixedGradientDownMirrorFrom", &T::FixedGradientDownMirrorFrom, &T::SetFixedGradientDownMirrorFrom, clNone,
        c),
      P("FixedGradientDownMirrorTo", &T::FixedGradientDownMirrorTo, &T::SetFixedGradientDownMirrorTo, clNone, c),
      P("FixedGradientDownBorder", &T::FixedGradientDownBorder, &T::SetFixedGradientDownBorder, clGray, c),
      P("FixedDropDownButton", &T::FixedDropDownButton, &T::SetFixedDropDownButton, false, true, false),
      P("HintMaxWidth", &T::HintMaxWidth, &T::SetHintMaxWidth, 0, 200),
      GlyphP("UnCheckedGlyph", &T::UnCheckedGlyph, &T::SetUnCheckedGlyph),
      GlyphP("RadioOnGlyph", &T::RadioOnGlyph, &T::SetRadioOnGlyph),
      GlyphP("RadioOffGlyph", &T::RadioOffGlyph, &T::SetRadioOffGlyph),
      P("CheckSize", &T::CheckSize, &T::SetCheckSize, 15, 20),
      P("CheckAlwaysActive", &T::CheckAlwaysActive, &T::SetCheckAlwaysActive, false, true),
      P("RadioSize", &T::RadioSize, &T::SetRadioSize, 10, 12),
      P("RadioAlwaysActive", &T::RadioAlwaysActive, &T::SetRadioAlwaysActive, false, true),
      P("ControlStyle", &T::ControlStyle, &T::SetControlStyle, csTheme, csWinXP),
      P("DropDownAlwaysVisible", &T::DropDownAlwaysVisible, &T::SetDropDownAlwaysVisible, false, true),
      P("DropDownCount", &T::DropDownCount, &T::SetDropDownCount, 8, 12),
      {"DropDownHeader", [](T &o) { return o.DropDownHeader()->Font()->Name().toStdString(); },
       [](T &o) {
         THeaderAppearance h(nullptr);
         h.Font()->SetName(QStringLiteral("Verdana"));
         o.SetDropDownHeader(&h);
       },
       "Tahoma", true},
      {"DropDownFooter", [](T &o) { return std::to_string(o.DropDownFooter()->Height()); },
       [](T &o) {
         TFooterAppearance f(nullptr);
         f.SetHeight(30);
         o.SetDropDownFooter(&f);
       },
       "22", true},
      P("SpinButtonsAlwaysVisible", &T::SpinButtonsAlwaysVisible, &T::SetSpinButtonsAlwaysVisible, false, true),
      P("FlatButton", &T::FlatButton, &T::SetFlatButton, false, true, false),
      P("NoDisabledCheckRadioLook", &T::NoDisabledCheckRadioLook, &T::SetNoDisabledCheckRadioLook, false, true,
        false),
      P("NoDisabledButtonLook", &T::NoDisabledButtonLook, &T::SetNoDisabledButtonLook, false, true, false),
      P("ProgressBorderColor", &T::ProgressBorderColor, &T::SetProgressBorderColor, clGray, c),
      P("ProgressMarginX", &T::ProgressMarginX, &T::SetProgressMarginX, 2, 4),
      P("ProgressMarginY", &T::ProgressMarginY, &T::SetProgressMarginY, 2, 4),
      P("ProgressXP", &T::ProgressXP, &T::SetProgressXP, false, true, false),
  };
}

}  // namespace

TEST(ControlLook, DefaultsAndAssignExclusions)
{
  TZavStringGrid grid(nullptr);
  CheckDefaultsAndAssign<T>([&] { return std::make_unique<T>(&grid); }, LookProps());
}

TEST(ControlLook, AssignFromAnotherClassChangesNothing)
{
  TZavStringGrid grid(nullptr);
  T look(&grid);
  look.SetCheckSize(21);
  TFooterAppearance footer(nullptr);
  look.Assign(&footer);
  EXPECT_EQ(look.CheckSize(), 21);
}

// Which grid colour a look colour writes, and whether a clNone write reaches the grid.
TEST(ControlLook, GradientWritersSetTheGridsColour)
{
  struct Case {
    const char *name;
    void (T::*set)(TColor);
    TColor (T::*get)() const;
    TColor (TZavStringGrid::*grid)() const;
    bool noneReachesGrid;
  };
  const Case cases[] = {
      {"From", &T::SetFixedGradientFrom, &T::FixedGradientFrom, &TZavStringGrid::ZAVGradientFrom, false},
      {"To", &T::SetFixedGradientTo, &T::FixedGradientTo, &TZavStringGrid::ZAVGradientTo, false},
      {"MirrorFrom", &T::SetFixedGradientMirrorFrom, &T::FixedGradientMirrorFrom,
       &TZavStringGrid::ZAVGradientMirrorFrom, true},
      {"MirrorTo", &T::SetFixedGradientMirrorTo, &T::FixedGradientMirrorTo, &TZavStringGrid::ZAVGradientMirrorTo,
       true},
      {"HoverFrom", &T::SetFixedGradientHoverFrom, &T::FixedGradientHoverFrom,
       &TZavStringGrid::ZAVGradientHoverFrom, false},
      {"HoverTo", &T::SetFixedGradientHoverTo, &T::FixedGradientHoverTo, &TZavStringGrid::ZAVGradientHoverTo,
       false},
      {"HoverMirrorFrom", &T::SetFixedGradientHoverMirrorFrom, &T::FixedGradientHoverMirrorFrom,
       &TZavStringGrid::ZAVGradientHoverMirrorFrom, true},
      {"HoverMirrorTo", &T::SetFixedGradientHoverMirrorTo, &T::FixedGradientHoverMirrorTo,
       &TZavStringGrid::ZAVGradientHoverMirrorTo, true},
      {"HoverBorder", &T::SetFixedGradientHoverBorder, &T::FixedGradientHoverBorder,
       &TZavStringGrid::ZAVGradientHoverBorder, false},
      {"DownFrom", &T::SetFixedGradientDownFrom, &T::FixedGradientDownFrom, &TZavStringGrid::ZAVGradientDownFrom,
       false},
      {"DownTo", &T::SetFixedGradientDownTo, &T::FixedGradientDownTo, &TZavStringGrid::ZAVGradientDownTo, false},
      {"DownMirrorFrom", &T::SetFixedGradientDownMirrorFrom, &T::FixedGradientDownMirrorFrom,
       &TZavStringGrid::ZAVGradientDownMirrorFrom, true},
      {"DownMirrorTo", &T::SetFixedGradientDownMirrorTo, &T::FixedGradientDownMirrorTo,
       &TZavStringGrid::ZAVGradientDownMirrorTo, true},
      {"DownBorder", &T::SetFixedGradientDownBorder, &T::FixedGradientDownBorder,
       &TZavStringGrid::ZAVGradientDownBorder, false},
  };
  for (const Case &c : cases) {
    TZavStringGrid grid(nullptr);
    T look(&grid);
    (look.*c.set)(0x102030);
    EXPECT_EQ((grid.*c.grid)(), 0x102030u) << c.name;
    (look.*c.set)(clNone);
    EXPECT_EQ((look.*c.get)(), clNone) << c.name;
    EXPECT_EQ((grid.*c.grid)(), c.noneReachesGrid ? clNone : 0x102030u) << c.name;
  }
}

TEST(ControlLook, NewLookClearsTheGridsHoverAndPressedMirrorsOnly)
{
  TZavStringGrid grid(nullptr);
  grid.SetZAVGradientHoverMirrorTo(clRed);
  grid.SetZAVGradientDownMirrorFrom(clRed);
  grid.SetZAVGradientHoverFrom(clRed);
  grid.SetZAVGradientMirrorTo(clRed);
  T look(&grid);
  EXPECT_EQ(grid.ZAVGradientHoverMirrorTo(), clNone);
  EXPECT_EQ(grid.ZAVGradientDownMirrorFrom(), clNone);
  EXPECT_EQ(grid.ZAVGradientHoverFrom(), clRed);
  EXPECT_EQ(grid.ZAVGradientMirrorTo(), clRed);
}

TEST(ControlLook, AssignLeavesTheGridsColours)
{
  TZavStringGrid gridA(nullptr), gridB(nullptr);
  T a(&gridA), b(&gridB);
  a.SetFixedGradientFrom(clRed);
  a.SetFixedGradientHoverBorder(clRed);
  const TColor before = gridB.ZAVGradientFrom();
  b.Assign(&a);
  EXPECT_EQ(b.FixedGradientFrom(), clRed);
  EXPECT_EQ(gridB.ZAVGradientFrom(), before);
  EXPECT_EQ(gridB.ZAVGradientHoverBorder(), 0u);
}
