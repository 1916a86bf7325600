#include "editors/zsg_combo.h"

#include <QImage>

#include <gtest/gtest.h>

#include "framework/controls/forms.h"
#include "framework/testing/input.h"
#include "tests/support/test_support.h"

namespace {

struct ZsgCombo : ::testing::Test {
  TForm form{nullptr};
  TZsgComboBox *combo = nullptr;
  TEdit *other = nullptr;
  void SetUp() override
  {
    form.SetBounds(0, 0, 400, 300);
    form.SetColor(clBtnFace);
    combo = new TZsgComboBox(&form);
    combo->SetParent(&form);
    combo->SetBounds(100, 100, 145, 21);
    other = new TEdit(&form);
    other->SetParent(&form);
    other->SetBounds(10, 10, 60, 21);
  }
};

}  // namespace

TEST_F(ZsgCombo, ButtonWidthTakesOnly14To32Pixels)
{
  EXPECT_EQ(combo->ButtonWidth(), GetSystemMetrics(SM_CXVSCROLL) + 2);
  const struct {
    int value, expected;
  } cases[] = {{13, 20}, {14, 14}, {32, 32}, {33, 32}, {20, 20}};
  combo->SetButtonWidth(20);
  for (const auto &c : cases) {
    combo->SetButtonWidth(c.value);
    EXPECT_EQ(combo->ButtonWidth(), c.expected) << c.value;
  }
}

TEST_F(ZsgCombo, SelectItemIgnoresUnknownText)
{
  combo->Items()->SetText(QStringLiteral("one\ntwo\nthree"));
  combo->SelectItem(QStringLiteral("two"));
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->SelectItem(QStringLiteral("four"));
  EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(ZsgCombo, OwnPaintOnlyWhenALookOptionAsksForIt)
{
  const struct {
    const char *name;
    bool flat;
    TColor border, focusBorder, button;
    bool focused, vista;
    bool expected;
  } cases[] = {
      {"plain", false, clNone, clNone, clNone, false, false, false},
      {"flat", true, clNone, clNone, clNone, false, false, true},
      {"border colour", false, clRed, clNone, clNone, false, false, true},
      {"focus border, unfocused", false, clNone, clBlue, clNone, false, false, false},
      {"focus border, focused", false, clNone, clBlue, clNone, true, false, true},
      {"button colour", false, clNone, clNone, clYellow, false, false, true},
      {"vista leaves it to the platform", true, clRed, clNone, clNone, false, true, false},
      {"vista with a button colour", true, clNone, clNone, clYellow, false, true, true},
  };
  form.Show();
  for (const auto &c : cases) {
    combo->SetFlat(c.flat);
    combo->SetBorderColor(c.border);
    combo->SetFocusBorderColor(c.focusBorder);
    combo->FButtonColor = c.button;
    combo->SetIsVista(c.vista);
    if (c.focused)
      combo->SetFocus();
    else
      other->SetFocus();
    SimProcess();
    EXPECT_EQ(combo->OwnPaint(), c.expected) << c.name;
  }
}

TEST_F(ZsgCombo, FrameColourFollowsFocusAndEnabledState)
{
  form.Show();
  const struct {
    const char *name;
    TColor border, focusBorder;
    bool focused, enabled, disabledBorder;
    TColor expected;
  } cases[] = {
      {"no colours: classic frame", clNone, clNone, false, true, true, clNone},
      {"border colour", clRed, clNone, false, true, true, clRed},
      {"focus colour wins while focused", clRed, clBlue, true, true, true, clBlue},
      {"border colour while unfocused", clRed, clBlue, false, true, true, clRed},
      {"focus colour alone, unfocused: nothing", clNone, clBlue, false, true, true, TZsgCustomCombo::ZsgNoFrame},
      {"focus colour alone, focused", clNone, clBlue, true, true, true, clBlue},
      {"disabled without the normal border", clRed, clNone, false, false, false, ZsgDisabledBorderColor},
  };
  for (const auto &c : cases) {
    combo->SetEnabled(true);
    combo->SetBorderColor(c.border);
    combo->SetFocusBorderColor(c.focusBorder);
    combo->SetDisabledBorder(c.disabledBorder);
    if (c.focused)
      combo->SetFocus();
    else
      other->SetFocus();
    SimProcess();
    combo->SetEnabled(c.enabled);
    EXPECT_EQ(combo->ControlBorderColor(), c.expected) << c.name;
  }
  EXPECT_EQ(ZsgDisabledBorderColor, TColor(127 | 157 << 8 | 185 << 16));
}

TEST_F(ZsgCombo, FlatTakesTheParentColourAndGivesItBack)
{
  form.SetColor(TColor(0x336699));
  combo->SetFlat(true);
  EXPECT_EQ(combo->Color(), TColor(0x336699));
  combo->SetFlat(false);
  EXPECT_EQ(combo->Color(), clWindow);
  combo->SetFlatParentColor(false);
  combo->SetFlat(true);
  EXPECT_EQ(combo->Color(), clWindow);
}

TEST_F(ZsgCombo, ColourLoadedFromTheFormIsRestoredAfterFlat)
{
  combo->BeginLoading();
  combo->SetColor(clYellow);
  combo->EndLoading();
  combo->SetFlat(true);
  EXPECT_EQ(combo->Color(), clBtnFace);
  combo->SetFlat(false);
  EXPECT_EQ(combo->Color(), clYellow);
}

TEST_F(ZsgCombo, FocusColourWhileFocused)
{
  combo->SetColor(clWindow);
  combo->SetFocusColor(clYellow);
  combo->Init();
  form.Show();
  combo->SetFocus();
  SimProcess();
  EXPECT_EQ(combo->Color(), clYellow);
  other->SetFocus();
  SimProcess();
  EXPECT_EQ(combo->Color(), clWindow);
}

TEST_F(ZsgCombo, LabelSitsWhereItsPositionSays)
{
  combo->SetLabelCaption(QStringLiteral("Caption"));
  TLabel *L = combo->Label();
  ASSERT_NE(L, nullptr);
  EXPECT_EQ(L->Parent(), &form);
  const int M = 4, CL = 100, CT = 100, CW = 145, CH = 21;
  const int W = L->Width(), H = L->Height();
  const int vc = CT + (CH - H) / 2, bottom = CT + CH - H, hc = CL + (CW - W) / 2;
  const struct {
    TLabelPosition pos;
    int top, left;
  } cases[] = {
      {lpLeftTop, CT, CL - W - M},          {lpLeftCenter, vc, CL - W - M},
      {lpLeftBottom, bottom, CL - W - M},   {lpTopLeft, CT - H - M, CL},
      {lpBottomLeft, CT + CH + M, CL},      {lpLeftTopLeft, CT, CL - M},
      {lpLeftCenterLeft, vc, CL - M},       {lpLeftBottomLeft, bottom, CL - M},
      {lpTopCenter, CT - H - M, hc},        {lpBottomCenter, CT + CH + M, hc},
      {lpRightTop, CT, CL + CW + M},        {lpRightCenter, vc, CL + CW + M},
      {lpRighBottom, bottom, CL + CW + M},
  };
  for (const auto &c : cases) {
    combo->SetLabelPosition(c.pos);
    EXPECT_EQ(L->Top(), c.top) << c.pos;
    EXPECT_EQ(L->Left(), c.left) << c.pos;
  }
  // Moving the control takes the label along; hiding it hides the label.
  combo->SetLabelPosition(lpRightTop);
  combo->SetBounds(120, 50, CW, CH);
  EXPECT_EQ(L->Left(), 120 + CW + M);
  EXPECT_EQ(L->Top(), 50);
  combo->SetVisible(false);
  EXPECT_FALSE(L->Visible());
  EXPECT_EQ(combo->LabelCaption(), QStringLiteral("Caption"));
}

TEST_F(ZsgCombo, LabelFollowsEnabledUnlessAlwaysEnabled)
{
  combo->SetLabelCaption(QStringLiteral("x"));
  combo->SetEnabled(false);
  EXPECT_FALSE(combo->Label()->Enabled());
  combo->SetEnabled(true);
  combo->SetLabelAlwaysEnabled(true);
  combo->SetEnabled(false);
  EXPECT_TRUE(combo->Label()->Enabled());
}

TEST_F(ZsgCombo, DropUpFiresWhenTheListCloses)
{
  combo->Items()->SetText(QStringLiteral("a\nb"));
  int closed = 0;
  combo->OnDropUp = [&](TObject *Sender) {
    EXPECT_EQ(Sender, combo);
    ++closed;
  };
  form.Show();
  combo->SetDroppedDown(true);
  SimProcess();
  combo->SetDroppedDown(false);
  SimProcess();
  EXPECT_EQ(closed, 1);
}

TEST_F(ZsgCombo, ButtonHoverTracksTheMouseOverTheButton)
{
  form.Show();
  SimProcess();
  SimMouseMove(combo, 20, 10);
  EXPECT_FALSE(combo->ButtonHover());
  SimMouseMove(combo, combo->Width() - 5, 10);
  EXPECT_TRUE(combo->ButtonHover());
  SimMouseMove(&form, 5, 250);
  EXPECT_FALSE(combo->ButtonHover());
  EXPECT_FALSE(combo->MouseInControl());
}

// Pictures: the own frame in the border colour and the coloured drop button replace the
// platform's; a plain combo keeps the platform's look.
TEST_F(ZsgCombo, PictureOfBorderAndButtonColours)
{
  combo->Items()->SetText(QStringLiteral("Alpha\nBeta"));
  combo->SetStyle(csDropDownList);
  combo->SetItemIndex(0);
  combo->SetBorderColor(clRed);
  combo->FButtonColor = clLime;
  combo->FButtonTextColor = clBlack;
  combo->FButtonBorderColor = clBlue;
  form.Show();
  SimProcess();
  ASSERT_TRUE(GrabToPng(combo, testsupport::OutputDir() + QStringLiteral("/zsg_combo_colours.png")));
  const QImage img = GrabControl(combo);
  const int w = img.width(), h = img.height();
  EXPECT_EQ(img.pixelColor(0, h / 2), QColor(Qt::red));
  EXPECT_EQ(img.pixelColor(w / 2, 0), QColor(Qt::red));
  EXPECT_EQ(img.pixelColor(w - 1, h / 2), QColor(Qt::red));
  // Inside the button, away from the arrow.
  EXPECT_EQ(img.pixelColor(w - 5, 4), QColor(Qt::green));
  // The arrow's tip row, in the text colour.
  const TRect b = combo->ButtonRect();
  EXPECT_EQ(img.pixelColor(b.Left + 7, b.Top + 9), QColor(Qt::black));
}

TEST_F(ZsgCombo, PictureOfFlatComboWithUnderline)
{
  combo->SetFlat(true);
  combo->SetFlatLineColor(clRed);
  combo->SetText(QStringLiteral("flat"));
  form.Show();
  SimProcess();
  ASSERT_TRUE(GrabToPng(combo, testsupport::OutputDir() + QStringLiteral("/zsg_combo_flat.png")));
  const QImage img = GrabControl(combo);
  // The outer frame takes the parent's colour, the underline runs along the bottom edge.
  const TColor face = ColorToRGB(form.Color());
  EXPECT_EQ(img.pixelColor(0, 5), QColor(GetRValue(face), GetGValue(face), GetBValue(face)));
  EXPECT_EQ(img.pixelColor(10, img.height() - 1), QColor(Qt::red));
}
