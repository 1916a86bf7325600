// A transparent label over a coloured form or a parent that paints itself: whatever happens to
// the label, its background is the parent's.
#include <QImage>
#include <gtest/gtest.h>

#include <functional>

#include "framework/stdctrls/stdctrls.h"
#include "tests/framework/gui/controls_probe.h"
#include "tests/support/test_support.h"

namespace {

constexpr QRgb White = 0xFFFFFF;

// Pixels of the label's area that are the given colour.
int CountColour(const QImage &Img, QRgb Colour)
{
  int n = 0;
  for (int y = 0; y < Img.height(); ++y)
    for (int x = 0; x < Img.width(); ++x)
      if ((Img.pixel(x, y) & 0xFFFFFF) == Colour)
        ++n;
  return n;
}

struct TLabelCase {
  const char *Name;
  std::function<void(TLabel *)> Act;
};

const TLabelCase LabelCases[] = {
    {"CaptionChange", [](TLabel *L) { L->SetCaption("Another caption, rather longer"); }},
    {"SameCaptionTwice", [](TLabel *L) {
       L->SetCaption("One");
       GrabControl(L);
       L->SetCaption("Two");
     }},
    {"Move", [](TLabel *L) { L->SetLeft(L->Left() + 7); }},
    {"Repaint", [](TLabel *L) { L->Repaint(); }},
    {"Invalidate", [](TLabel *L) { L->Invalidate(); }},
};

TEST(TransparentLabel, ShowsTheFormColourAfterEveryChange)
{
  for (const TLabelCase &c : LabelCases) {
    SCOPED_TRACE(c.Name);
    TTestForm form(300, 120);
    form->SetColor(clTeal);
    auto *l = new TLabel(form);
    l->SetParent(form);
    l->SetBounds(20, 20, 111, 13);
    l->SetTransparent(true);
    l->SetCaption("Caption of the label");
    form->Show();
    const QImage before = GrabControl(l);
    ASSERT_EQ(CountColour(before, White), 0);
    c.Act(l);
    const QImage after = GrabControl(l);
    EXPECT_EQ(CountColour(after, White), 0);
    // Most of it is the form showing through.
    EXPECT_GT(CountColour(after, 0x008080), after.width() * after.height() / 2);
    after.save(testsupport::OutputDir() + QStringLiteral("/label_transparent_%1.png").arg(c.Name));
  }
}

TEST(TransparentLabel, ShowsItsParentsOwnPaintingAfterEveryChange)
{
  for (const TLabelCase &c : LabelCases) {
    SCOPED_TRACE(c.Name);
    TTestForm form(300, 120);
    auto *p = new TProbe(form, "p");
    p->SetParent(form);
    p->SetBounds(0, 0, 300, 100);
    p->OnPaintProbe = [](TCanvas *Canvas) {
      Canvas->Brush()->SetColor(clRed);
      Canvas->FillRect(Rect(0, 0, 300, 100));
    };
    auto *l = new TLabel(form);
    l->SetParent(p);
    l->SetBounds(20, 20, 111, 13);
    l->SetTransparent(true);
    l->SetCaption("Caption of the label");
    form->Show();
    GrabControl(l);
    c.Act(l);
    const QImage after = GrabControl(l);
    EXPECT_EQ(CountColour(after, White), 0);
    EXPECT_GT(CountColour(after, 0xFF0000), after.width() * after.height() / 2);
  }
}

}  // namespace
