// The search panel's button and check box: layout, faces, themes, actions, transparency and
// the accelerator.
#include "grid/foundation/grid_helpers.h"

#include "framework/controls/forms.h"
#include "framework/testing/input.h"
#include "grid/foundation/themes.h"
#include "tests/support/test_support.h"

#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

namespace {

TEST(GridButtonLayout, GlyphAndTextPlacement)
{
  const TSize glyph(16, 16), text(40, 12), none(0, 0);
  const struct {
    TRect Client;
    TSize Glyph, Text;
    TButtonLayout Layout;
    int Margin, Spacing;
    TPoint WantGlyph, WantText;
  } cases[] = {
      // Margin -1: glyph, spacing and text centred together.
      {TRect(0, 0, 100, 30), glyph, text, blGlyphLeft, -1, 4, TPoint(20, 7), TPoint(40, 9)},
      // Margin and Spacing -1: three equal gaps.
      {TRect(0, 0, 100, 30), glyph, text, blGlyphLeft, -1, -1, TPoint(14, 7), TPoint(44, 9)},
      // Spacing -1 only: the text centred in the room after the glyph.
      {TRect(0, 0, 100, 30), glyph, text, blGlyphLeft, 5, -1, TPoint(5, 7), TPoint(40, 9)},
      {TRect(0, 0, 100, 30), glyph, text, blGlyphLeft, 5, 4, TPoint(5, 7), TPoint(25, 9)},
      {TRect(0, 0, 100, 30), glyph, text, blGlyphRight, 5, 4, TPoint(79, 7), TPoint(35, 9)},
      {TRect(0, 0, 60, 60), glyph, text, blGlyphTop, -1, 2, TPoint(22, 15), TPoint(10, 33)},
      {TRect(0, 0, 60, 60), glyph, text, blGlyphBottom, 3, 2, TPoint(22, 41), TPoint(10, 27)},
      // No glyph: no spacing, the text alone is centred.
      {TRect(0, 0, 100, 30), none, text, blGlyphLeft, -1, 4, TPoint(30, 15), TPoint(30, 9)},
      {TRect(10, 20, 110, 50), glyph, none, blGlyphLeft, -1, 4, TPoint(52, 27), TPoint(68, 35)},
  };
  for (const auto &c : cases) {
    TPoint g;
    TRect t;
    CalcZavGridButtonLayout(c.Client, c.Glyph, c.Text, c.Layout, c.Margin, c.Spacing, g, t);
    EXPECT_EQ(g, c.WantGlyph) << int(c.Layout) << " margin " << c.Margin << " spacing " << c.Spacing;
    EXPECT_EQ(TPoint(t.Left, t.Top), c.WantText) << int(c.Layout) << " margin " << c.Margin << " spacing " << c.Spacing;
    EXPECT_EQ(t.Width(), c.Text.cx);
  }
}

// A visual-style library for the tests: records the last part drawn and answers a colour
// scheme name.
struct FakeTheme {
  static inline int Part = 0, State = 0, Calls = 0;
  static inline TRect Rect;
  static inline QString ColorName;
  static void Install()
  {
    Part = State = Calls = 0;
    ColorName.clear();
    ThemeAPI = TThemeAPI();
    ThemeAPI.Loaded = true;
    ThemeAPI.IsThemeActive = [] { return 1; };
    ThemeAPI.OpenThemeData = [](HWND, const QString &) -> HTHEME { return &Part; };
    ThemeAPI.CloseThemeData = [](HTHEME) { return 0; };
    ThemeAPI.DrawThemeBackground = [](HTHEME, HDC, int P, int S, const TRect *R, const TRect *) {
      Part = P;
      State = S;
      Rect = *R;
      ++Calls;
      return 0;
    };
    ThemeAPI.GetCurrentThemeName = [](QString &File, QString &Color, QString &Size) {
      File = "luna.msstyles";
      Color = ColorName;
      Size = "NormalSize";
      return 0;
    };
  }
};

class GridHelpersControls : public ::testing::Test {
protected:
  void SetUp() override
  {
    SimResetInput();
    Form = new TForm(nullptr);
    Form->SetClientSize(220, 100);
    Form->SetColor(clYellow);
  }
  void TearDown() override
  {
    delete Form;
    ThemeAPI = TThemeAPI();
  }
  TZavGridButton *AddButton(int Left, int Width = 60)
  {
    auto *b = new TZavGridButton(Form);
    b->SetParent(Form);
    b->SetBounds(Left, 10, Width, 24);
    b->SetCaption("");
    return b;
  }
  TZavCheckBox *AddCheckBox(int Top)
  {
    auto *cb = new TZavCheckBox(Form);
    cb->SetParent(Form);
    cb->SetBounds(10, Top, 98, 20);
    return cb;
  }
  void ShowForm()
  {
    Form->Show();
    QApplication::processEvents();
  }
  // 8 by 8, white (transparent) around a red 6 by 6 square.
  static void RedGlyph(TBitmap &g)
  {
    g.SetSize(8, 8);
    g.Canvas()->Brush()->SetColor(clWhite);
    g.Canvas()->FillRect(TRect(0, 0, 8, 8));
    g.Canvas()->Brush()->SetColor(clRed);
    g.Canvas()->FillRect(TRect(1, 1, 7, 7));
  }
  TForm *Form = nullptr;
};

TEST_F(GridHelpersControls, StateGlyphSettersCopyAndTheShadeIsAGreySilhouette)
{
  auto *b = AddButton(10);
  TBitmap g, hot;
  RedGlyph(g);
  RedGlyph(hot);
  b->SetGlyph(&g);
  b->SetGlyphHot(&hot);
  hot.SetSize(1, 1);  // copied, not kept
  EXPECT_EQ(b->GlyphHot()->Width(), 8);
  EXPECT_EQ(b->CurrentGlyph(), b->Glyph());
  b->Perform(CM_MOUSEENTER);
  EXPECT_EQ(b->CurrentGlyph(), b->GlyphHot());
  b->Perform(CM_MOUSELEAVE);
  b->SetGlyphDisabled(nullptr);
  EXPECT_TRUE(b->GlyphDisabled()->Empty());

  // The shade is made when Shaded is set (or after loading), not with the glyph.
  EXPECT_TRUE(b->GlyphShade()->Empty());
  b->SetShaded(true);
  TCanvas *s = b->GlyphShade()->Canvas();
  EXPECT_EQ(s->Pixels(0, 7), clBlack);
  EXPECT_EQ(s->Pixels(3, 3), clGray);
  EXPECT_EQ(s->Pixels(7, 0), clBlack);

  auto *loaded = AddButton(80);
  loaded->BeginLoading();
  loaded->SetGlyph(&g);
  loaded->SetShaded(true);
  EXPECT_TRUE(loaded->GlyphShade()->Empty());
  loaded->EndLoading();
  EXPECT_EQ(loaded->GlyphShade()->Canvas()->Pixels(3, 3), clGray);
}

TEST_F(GridHelpersControls, HotShadedGlyphLiftsAndPressedClassicButtonShifts)
{
  auto *flat = AddButton(10);
  auto *classic = AddButton(100);
  classic->SetFlat(false);
  TBitmap g;
  RedGlyph(g);
  for (TZavGridButton *b : {flat, classic}) {
    b->SetGlyph(&g);
    b->SetShaded(true);
    b->SetLayout(blGlyphLeft);
    b->SetMargin(2);  // glyph at (3, 8) inside the 1-pixel ring, red from (4, 9) to (9, 14)
  }
  ShowForm();
  const QColor red(255, 0, 0);
  QImage p = GrabControl(flat);
  EXPECT_EQ(p.pixelColor(4, 9), red);
  EXPECT_EQ(p.pixelColor(3, 8), p.pixelColor(30, 3));  // the face: transparent glyph pixel

  flat->Perform(CM_MOUSEENTER);
  p = GrabControl(flat);
  EXPECT_EQ(p.pixelColor(3, 8), red);                    // lifted a pixel up and left
  EXPECT_EQ(p.pixelColor(10, 15), QColor(128, 128, 128));  // the shade, 2 pixels right and down
  EXPECT_EQ(p.pixelColor(20, 20), QColor(199, 199, 202));  // hot face
  GrabToPng(flat, testsupport::OutputDir() + "/grid_button_hot_shaded.png");

  p = GrabControl(classic);
  EXPECT_EQ(p.pixelColor(4, 9), red);
  EXPECT_NE(p.pixelColor(10, 15), red);
  const QColor raisedCorner = p.pixelColor(0, 0);
  SimMouseDown(classic, 30, 12);
  p = GrabControl(classic);
  GrabToPng(classic, testsupport::OutputDir() + "/grid_button_classic_pressed.png");
  EXPECT_NE(p.pixelColor(4, 9), red);
  EXPECT_EQ(p.pixelColor(10, 15), red);
  EXPECT_LT(p.pixelColor(0, 0).lightness(), raisedCorner.lightness());  // pushed-in frame
  SimMouseUp(classic, 30, 12);
}

TEST_F(GridHelpersControls, ShowCaptionAndTransparentRing)
{
  auto *b = AddButton(10);
  b->SetCaption("WWWW");
  b->SetColor(clLime);
  auto *hidden = AddButton(100);
  hidden->SetCaption("WWWW");
  hidden->SetShowCaption(false);
  hidden->SetTransparent(false);
  hidden->SetColor(clLime);
  ShowForm();
  const auto darkPixels = [](const QImage &img) {
    int n = 0;
    for (int y = 2; y < img.height() - 2; ++y)
      for (int x = 2; x < img.width() - 2; ++x)
        n += qGray(img.pixel(x, y)) < 100;
    return n;
  };
  const QImage shown = GrabControl(b), none = GrabControl(hidden);
  EXPECT_GT(darkPixels(shown), 10);
  EXPECT_EQ(darkPixels(none), 0);
  EXPECT_EQ(shown.pixelColor(0, 0), QColor(255, 255, 0));  // the form through the ring
  EXPECT_EQ(none.pixelColor(0, 0), QColor(0, 255, 0));
}

TEST_F(GridHelpersControls, ThemedPushButtonPartFollowsTheState)
{
  FakeTheme::Install();
  auto *b = AddButton(10);
  b->SetFlat(false);
  ShowForm();
  GrabControl(b);
  EXPECT_EQ(FakeTheme::Calls, 0);  // classic unless AutoXPStyle

  b->SetAutoXPStyle(true);
  GrabControl(b);
  EXPECT_EQ(FakeTheme::Part, 1);
  EXPECT_EQ(FakeTheme::State, 1);
  EXPECT_EQ(FakeTheme::Rect, TRect(0, 0, 60, 24));
  b->Perform(CM_MOUSEENTER);
  GrabControl(b);
  EXPECT_EQ(FakeTheme::State, 2);
  SimMouseDown(b, 5, 5);
  GrabControl(b);
  EXPECT_EQ(FakeTheme::State, 3);
  SimMouseUp(b, 5, 5);
  b->SetEnabled(false);
  GrabControl(b);
  EXPECT_EQ(FakeTheme::State, 4);
}

TEST_F(GridHelpersControls, AutoThemeAdaptPicksTheLookOfTheVisualStyle)
{
  auto *b = AddButton(10);
  b->SetAutoThemeAdapt(true);  // no visual style here
  EXPECT_EQ(b->Look(), 1);

  FakeTheme::Install();
  FakeTheme::ColorName = "HomeStead";
  auto *loading = AddButton(80);
  loading->BeginLoading();
  loading->SetAutoThemeAdapt(true);
  EXPECT_EQ(loading->Look(), 0);
  loading->EndLoading();
  EXPECT_EQ(loading->Look(), 3);

  const struct {
    const char *Scheme;
    uint32_t Msg;
    int Look;
  } cases[] = {{"NormalColor", WM_THEMECHANGED, 2}, {"Metallic", CM_SYSFONTCHANGED, 4}, {"Royale", WM_THEMECHANGED, 1}};
  for (const auto &c : cases) {
    FakeTheme::ColorName = c.Scheme;
    b->Perform(c.Msg);
    EXPECT_EQ(b->Look(), c.Look) << c.Scheme;
  }
  b->SetAutoThemeAdapt(false);
  FakeTheme::ColorName = "NormalColor";
  b->Perform(WM_THEMECHANGED);
  EXPECT_EQ(b->Look(), 1);
}

TEST_F(GridHelpersControls, ActionLinkFollowsCaptionGroupAndCheckedWhileTheyAgree)
{
  auto *b = AddButton(10);
  auto *action = new TZavGridAction(nullptr);
  action->SetCaption("Find");
  int executed = 0;
  action->OnExecute = [&](TObject *) { ++executed; };
  b->SetAction(action);
  EXPECT_EQ(b->Caption(), "Find");
  action->SetCaption("Next");
  EXPECT_EQ(b->Caption(), "Next");
  b->SetCaption("Own");
  action->SetCaption("Again");
  EXPECT_EQ(b->Caption(), "Own");

  action->SetGroupIndex(3);
  EXPECT_EQ(b->GroupIndex(), 3);
  // Checked reaches only a grouped button that allows all up.
  action->SetChecked(true);
  EXPECT_FALSE(b->Down());
  action->SetChecked(false);
  b->SetAllowAllUp(true);
  action->SetChecked(true);
  EXPECT_TRUE(b->Down());
  action->SetChecked(false);
  EXPECT_FALSE(b->Down());

  // The action runs on a click unless the button has its own OnClick.
  SimClick(b, 5, 5);
  EXPECT_EQ(executed, 1);
  int own = 0;
  b->OnClick = [&](TObject *) { ++own; };
  SimClick(b, 5, 5);
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(own, 1);

  delete action;
  EXPECT_EQ(b->Action(), nullptr);
  b->OnClick = nullptr;
  SimClick(b, 5, 5);
}

TEST_F(GridHelpersControls, ThemedCheckBoxBoxAndStates)
{
  FakeTheme::Install();
  ASSERT_TRUE(UseThemedCheckBox());
  auto *cb = AddCheckBox(10);
  const struct {
    TAlignment Align;
    TTextLayout Layout;
    TRect Want;
  } boxes[] = {
      {taLeftJustify, tlTop, TRect(0, 4, 14, 18)},
      {taRightJustify, tlTop, TRect(83, 4, 97, 18)},
      {taLeftJustify, tlCenter, TRect(0, 4, 14, 18)},
      {taLeftJustify, tlBottom, TRect(0, 6, 14, 20)},
  };
  for (const auto &c : boxes) {
    cb->SetAlignment(c.Align);
    cb->SetButtonVertAlign(c.Layout);
    EXPECT_EQ(cb->BoxRect(), c.Want) << int(c.Align) << " " << int(c.Layout);
  }
  cb->SetAlignment(taLeftJustify);
  cb->SetButtonVertAlign(tlTop);
  ShowForm();

  const struct {
    TCheckBoxState State;
    int Mode;  // 0 normal, 1 hot, 2 pressed, 3 disabled
    int Want;
  } states[] = {{cbUnchecked, 0, 1}, {cbChecked, 0, 5}, {cbGrayed, 0, 9},  {cbUnchecked, 1, 2},
                {cbChecked, 2, 7},   {cbGrayed, 3, 12}, {cbChecked, 3, 8}};
  for (const auto &c : states) {
    cb->SetState(c.State);
    cb->SetEnabled(c.Mode != 3);
    cb->Perform(c.Mode == 1 ? CM_MOUSEENTER : CM_MOUSELEAVE);
    if (c.Mode == 2)
      SimKeyDown(cb, VK_SPACE);
    GrabControl(cb);
    EXPECT_EQ(FakeTheme::Part, 3);
    EXPECT_EQ(FakeTheme::State, c.Want) << int(c.State) << " mode " << c.Mode;
    EXPECT_EQ(FakeTheme::Rect, TRect(0, 4, 14, 18));
    if (c.Mode == 2) {
      cb->SetReadOnly(true);
      SimKeyUp(cb, VK_SPACE);
      cb->SetReadOnly(false);
    }
  }
}

TEST_F(GridHelpersControls, TransparentCheckBoxShowsTheParentAndCachesIt)
{
  auto *plain = AddCheckBox(10);
  auto *see = AddCheckBox(40);
  auto *cached = AddCheckBox(70);
  for (TZavCheckBox *cb : {plain, see, cached}) {
    cb->SetColor(clLime);
    cb->SetCaption("");
  }
  see->SetTransparent(true);
  cached->SetTransparent(true);
  cached->SetTransparentChaching(true);
  ShowForm();
  const QColor yellow(255, 255, 0), aqua(0, 255, 255);
  EXPECT_EQ(GrabControl(plain).pixelColor(60, 10), QColor(0, 255, 0));
  EXPECT_EQ(GrabControl(see).pixelColor(60, 10), yellow);
  EXPECT_EQ(GrabControl(cached).pixelColor(60, 10), yellow);
  GrabToPng(Form, testsupport::OutputDir() + "/zav_checkbox_transparent.png");

  Form->SetColor(clAqua);
  Form->Repaint();
  see->Invalidate();
  cached->Invalidate();
  EXPECT_EQ(GrabControl(see).pixelColor(60, 10), aqua);
  EXPECT_EQ(GrabControl(cached).pixelColor(60, 10), yellow);  // the cache is kept
  cached->SetBounds(10, 70, 90, 20);                          // until the size changes
  EXPECT_EQ(GrabControl(cached).pixelColor(60, 10), aqua);
}

TEST_F(GridHelpersControls, CaptionAcceleratorTogglesAndFocusesATabStop)
{
  auto *other = AddCheckBox(10);
  other->SetTabStop(true);
  other->SetCaption("Other");
  auto *cb = AddCheckBox(40);
  cb->SetCaption("&Match");
  int clicks = 0;
  cb->OnClick = [&](TObject *) { ++clicks; };
  ShowForm();
  const struct {
    bool TabStop, ReadOnly;
    bool WantChecked, WantFocused;
    int WantClicks;
  } cases[] = {
      {false, false, false, false, 0},
      {true, false, true, true, 1},
      {true, true, false, true, 1},  // read-only: focused and reported, not toggled
  };
  for (const auto &c : cases) {
    cb->SetChecked(false);
    cb->SetTabStop(c.TabStop);
    cb->SetReadOnly(c.ReadOnly);
    other->SetFocus();
    clicks = 0;
    SimKey(other, 'M', TShiftState{ssAlt});
    EXPECT_EQ(cb->Checked(), c.WantChecked) << c.TabStop << c.ReadOnly;
    EXPECT_EQ(cb->Focused(), c.WantFocused) << c.TabStop << c.ReadOnly;
    EXPECT_EQ(clicks, c.WantClicks) << c.TabStop << c.ReadOnly;
  }
  EXPECT_FALSE(other->Checked());
}

TEST_F(GridHelpersControls, FocusRectangleFitsTheCaptionWithoutItsAcceleratorSign)
{
  auto *cb = AddCheckBox(10);
  cb->SetTabStop(true);
  cb->SetCaption("&Wide");
  ShowForm();
  cb->SetFocus();
  const QImage p = GrabControl(cb);
  TBitmap measure(1, 1);
  measure.Canvas()->Font()->Assign(cb->Font());
  const int shown = measure.Canvas()->TextWidth("Wide");
  ASSERT_LT(shown, measure.Canvas()->TextWidth("&Wide"));
  // The rectangle's top edge runs along row 4 from 2 pixels left of the text.
  const QColor back = p.pixelColor(p.width() - 1, 4);
  int right = -1;
  for (int x = 0; x < p.width(); ++x)
    if (p.pixelColor(x, 4) != back)
      right = x;
  EXPECT_GE(right, 15 + shown - 1);
  EXPECT_LE(right, 15 + shown + 1);
}

}  // namespace
