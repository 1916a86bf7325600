// Auto-sized labels: a label nobody sees yet is measured once, yet its bounds read at any time
// are those measuring at every step gives.
#include <gtest/gtest.h>

#include <functional>

#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "tests/framework/gui/controls_probe.h"

namespace {

using TSteps = std::function<void(TLabel *)>;

void SetTitleFont(TLabel *L)
{
  L->Font()->SetName(QStringLiteral("Verdana"));
  L->Font()->SetHeight(-19);
  L->Font()->SetStyle(TFontStyles{fsBold});
  L->Font()->SetColor(clGray);
}

// The bounds as stored, which the parent's painting and hit tests use.
struct TStoredLabel : TLabel {
  using TLabel::TLabel;
  TRect Stored() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
};

TStoredLabel *MakeLabel(TWinControl *Parent, int Left = 200)
{
  auto *l = new TStoredLabel(Parent);
  l->SetParent(Parent);
  l->SetLeft(Left);
  l->SetTop(30);
  return l;
}

struct TSizeCase {
  const char *Name;
  TSteps Steps;
};

const TSizeCase SizeCases[] = {
    {"Caption", [](TLabel *L) { L->SetCaption("A caption"); }},
    {"FontInSteps", [](TLabel *L) {
       L->SetCaption("Title of the form");
       SetTitleFont(L);
     }},
    {"RightAlignedThenLonger", [](TLabel *L) {
       L->SetAlignment(taRightJustify);
       L->SetCaption("Short");
       L->SetCaption("Much longer caption");
     }},
    {"CaptionThenRightAligned", [](TLabel *L) {
       L->SetCaption("Much longer caption");
       L->SetAlignment(taRightJustify);
       L->SetCaption("Short");
     }},
    {"CaptionThenWordWrap", [](TLabel *L) {
       L->SetCaption("Words enough to wrap at a narrow width");
       L->SetWordWrap(true);
       L->SetCaption("Words enough to wrap at a narrow width, and more");
     }},
    {"WordWrapThenCaption", [](TLabel *L) {
       L->SetWordWrap(true);
       L->SetCaption("Words enough to wrap at a narrow width");
     }},
    {"CaptionThenNotAutoSize", [](TLabel *L) {
       L->SetCaption("Much longer caption");
       L->SetAutoSize(false);
       L->SetCaption("Short");
     }},
    {"CaptionThenMoved", [](TLabel *L) {
       L->SetAlignment(taRightJustify);
       L->SetCaption("Much longer caption");
       L->SetLeft(40);
       L->SetCaption("Short");
     }},
    {"MovedBetweenCaptions", [](TLabel *L) {
       L->SetCaption("Much longer caption");
       L->SetLeft(40);
       L->SetTop(50);
       L->SetCaption("Short");
     }},
    {"GivenTheSizeItHadBefore", [](TLabel *L) {
       L->SetCaption("Much longer caption");
       L->SetBounds(5, 5, 65, 17);
     }},
    {"GivenAClientWidth", [](TLabel *L) {
       L->SetCaption("Much longer caption");
       L->SetClientWidth(30);
     }},
    {"CaptionThenWidth", [](TLabel *L) {
       L->SetCaption("Words enough to wrap at a narrow width");
       L->SetWidth(90);
       L->SetWordWrap(true);
     }},
    {"Centred", [](TLabel *L) {
       L->SetAlignment(taCenter);
       L->SetCaption("Short");
       L->SetCaption("Much longer caption");
       SetTitleFont(L);
     }},
    {"Hidden", [](TLabel *L) {
       L->SetVisible(false);
       L->SetCaption("Much longer caption");
     }},
    {"EmptyCaption", [](TLabel *L) { L->SetCaption(""); }},
};

// The steps on a shown form, where every step is measured at once.
TRect MeasuredAtEveryStep(const TSteps &Steps)
{
  TTestForm form(400, 200);
  form->Show();
  TLabel *l = MakeLabel(form);
  Steps(l);
  return l->BoundsRect();
}

TEST(AutoSizeLabel, BoundsReadOnAFormNotShownAreTheMeasuredOnes)
{
  for (const TSizeCase &c : SizeCases) {
    SCOPED_TRACE(c.Name);
    const TRect want = MeasuredAtEveryStep(c.Steps);
    TTestForm form(400, 200);
    TLabel *l = MakeLabel(form);
    c.Steps(l);
    EXPECT_EQ(l->Width(), want.Width());
    EXPECT_EQ(l->Height(), want.Height());
    EXPECT_EQ(l->Left(), want.Left);
    EXPECT_EQ(l->BoundsRect(), want);
    EXPECT_EQ(l->ClientRect(), Rect(0, 0, want.Width(), want.Height()));
  }
}

TEST(AutoSizeLabel, ShowingTheFormMeasuresItsLabelsBeforeTheyPaint)
{
  for (const TSizeCase &c : SizeCases) {
    SCOPED_TRACE(c.Name);
    const TRect want = MeasuredAtEveryStep(c.Steps);
    TTestForm form(400, 200);
    auto *panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 400, 200);
    panel->SetVisible(false);
    TStoredLabel *l = MakeLabel(panel);
    c.Steps(l);
    form->Show();
    panel->SetVisible(true);
    if (l->Visible())  // a hidden label paints nothing
      EXPECT_EQ(l->Stored(), want);
  }
}

TEST(AutoSizeLabel, LabelOnAFormNotShownIsMeasuredOnceForAllItsSteps)
{
  TTestForm form(400, 200);
  TLabel *l = MakeLabel(form);
  const int before = TCustomLabel::Measurements();
  l->SetCaption("Title of the form");
  SetTitleFont(l);
  l->SetCaption("Title of the form, translated");
  EXPECT_EQ(TCustomLabel::Measurements(), before);
  form->Show();
  EXPECT_EQ(TCustomLabel::Measurements(), before + 1);
  // Shown, it follows every change at once.
  l->SetCaption("Another title");
  EXPECT_EQ(TCustomLabel::Measurements(), before + 2);
}

}  // namespace
