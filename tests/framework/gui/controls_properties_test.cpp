// Properties that children take from their parent, change notifications, z-order and
// coordinates.
#include <gtest/gtest.h>

#include "framework/testing/input.h"
#include "tests/framework/gui/controls_probe.h"

namespace {

struct TNotified : TProbe {
  using TProbe::TProbe;
  QStringList Changes;
  void CMTextChanged(TMessage &M) override { Changes << "text"; TProbe::CMTextChanged(M); }
  void CMEnabledChanged(TMessage &M) override { Changes << "enabled"; TProbe::CMEnabledChanged(M); }
  void CMFontChanged(TMessage &M) override { Changes << "font"; TProbe::CMFontChanged(M); }
  void CMColorChanged(TMessage &M) override { Changes << "color"; TProbe::CMColorChanged(M); }
};

TEST(ControlProperties, ChildrenFollowTheParentUntilTheyGetTheirOwnValue)
{
  TTestForm form;
  form->SetColor(clYellow);
  auto *panel = new TNotified(form, "panel");
  panel->SetParent(form);
  auto *child = new TNotified(form, "child");
  child->SetParent(panel);
  EXPECT_EQ(child->Color(), clYellow);
  EXPECT_TRUE(child->ParentColor());
  form->SetColor(clAqua);
  EXPECT_EQ(child->Color(), clAqua);
  child->SetColor(clRed);
  EXPECT_FALSE(child->ParentColor());
  form->SetColor(clWhite);
  EXPECT_EQ(panel->Color(), clWhite);
  EXPECT_EQ(child->Color(), clRed);

  form->Font()->SetName("Courier New");
  EXPECT_EQ(child->Font()->Name(), "Courier New");
  EXPECT_TRUE(child->ParentFont());
  child->Font()->SetStyle({fsBold});
  EXPECT_FALSE(child->ParentFont());
  form->Font()->SetName("Arial");
  EXPECT_EQ(panel->Font()->Name(), "Arial");
  EXPECT_EQ(child->Font()->Name(), "Courier New");

  form->SetShowHint(true);
  EXPECT_TRUE(child->ShowHint());
  child->SetShowHint(false);
  form->SetShowHint(false);
  form->SetShowHint(true);
  EXPECT_FALSE(child->ShowHint());
  EXPECT_TRUE(panel->ShowHint());
}

// Records the order in which the scaling reaches the controls.
struct TScaled : TProbe {
  using TProbe::TProbe;
  QStringList *Order = nullptr;
  void ChangeScale(int M, int D) override
  {
    TProbe::ChangeScale(M, D);
    if (Order)
      *Order << Name();
  }
};

TEST(ControlProperties, ScalingReachesChildrenFirstAndKeepsTheControlsPlace)
{
  TTestForm form(400, 300);
  QStringList order;
  auto *panel = new TScaled(form, "panel");
  panel->SetParent(form);
  panel->SetBounds(10, 20, 200, 100);
  panel->Order = &order;
  auto *child = new TScaled(form, "child");
  child->SetParent(panel);
  child->SetBounds(5, 7, 61, 21);
  child->Order = &order;
  child->Font()->SetHeight(-12);  // its own font
  auto *follower = new TScaled(form, "follower");
  follower->SetParent(panel);
  follower->SetBounds(66, 7, 30, 21);
  const int followerHeight = follower->Font()->Height();

  panel->ScaleBy(3, 2);
  EXPECT_EQ(order, (QStringList{"child", "panel"}));
  EXPECT_EQ(panel->BoundsRect(), Bounds(10, 20, 300, 150));  // the control keeps its place
  EXPECT_EQ(child->BoundsRect(), TRect(8, 11, 99, 42));      // edges scaled, rounded half up
  EXPECT_EQ(follower->Left(), child->Left() + child->Width());
  EXPECT_EQ(child->Font()->Height(), -18);
  EXPECT_EQ(follower->Font()->Height(), followerHeight);  // follows its parent's font
  order.clear();
  panel->ScaleBy(2, 2);
  EXPECT_EQ(order, (QStringList{"child", "panel"}));
  EXPECT_EQ(panel->BoundsRect(), Bounds(10, 20, 300, 150));
}

TEST(ControlProperties, AWindowsCursorCanBeSetForTheMouseOverIt)
{
  TTestForm form;
  auto *c = new TProbe(form, "c");
  c->SetParent(form);
  c->SetBounds(10, 10, 100, 50);
  form->Show();
  SimMouseMove(c, 20, 20);
  SetWindowCursor(c->Handle(), crHandPoint);
  EXPECT_EQ(CursorShapeOf(c), int(Qt::PointingHandCursor));
  SetWindowCursor(c->Handle(), crVSplit);
  EXPECT_EQ(CursorShapeOf(c), int(Screen->Cursors(crVSplit).shape()));
}

TEST(ControlProperties, ChangesAreAnnouncedOnce)
{
  TTestForm form;
  auto *c = new TNotified(form, "c");
  c->SetParent(form);
  c->Changes.clear();
  c->SetCaption("One");
  c->SetCaption("One");
  c->SetEnabled(false);
  c->SetEnabled(false);
  c->Font()->SetSize(12);
  c->SetColor(clGreen);
  EXPECT_EQ(c->Changes, (QStringList{"text", "enabled", "font", "color"}));
  EXPECT_EQ(c->Text(), "One");
  QString viaMessage;
  c->Perform(WM_GETTEXT, 0, LPARAM(&viaMessage));
  EXPECT_EQ(viaMessage, "One");
}

TEST(ControlProperties, TheTopmostChildIsFoundAtAPointAndCoordinatesRoundTrip)
{
  TTestForm form;
  form->SetBorderStyle(bsNone);
  form->SetBounds(100, 50, 300, 200);
  auto *lower = new TProbe(form, "lower");
  lower->SetParent(form);
  lower->SetBounds(10, 10, 50, 50);
  auto *upper = new TProbe(form, "upper");
  upper->SetParent(form);
  upper->SetBounds(30, 30, 50, 50);
  EXPECT_EQ(form->ControlAtPos(TPoint(40, 40), false, true), upper);
  lower->BringToFront();
  EXPECT_EQ(form->ControlAtPos(TPoint(40, 40), false, true), lower);
  EXPECT_EQ(form->ControlAtPos(TPoint(40, 40), false, false), nullptr);  // windowed children skipped
  EXPECT_EQ(form->ControlCount(), 2);
  EXPECT_EQ(form->Controls(1), lower);
  const TPoint s = upper->ClientToScreen(TPoint(5, 6));
  EXPECT_EQ(s, TPoint(100 + 30 + 5, 50 + 30 + 6));
  EXPECT_EQ(upper->ScreenToClient(s), TPoint(5, 6));
  EXPECT_EQ(lower->ClientToParent(TPoint(1, 1)), TPoint(11, 11));
  upper->SetParent(lower);
  EXPECT_EQ(form->ControlCount(), 1);
  EXPECT_EQ(upper->Parent(), lower);
  EXPECT_EQ(GetParentForm(upper), form.Form);
}

}  // namespace

namespace {

// A drop-down window: no parent, a popup of its own.
class TPopupProbe : public TProbe {
public:
  using TProbe::TProbe;

protected:
  void CreateParams(TCreateParams &Params) override
  {
    TProbe::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.WndParent = nullptr;
  }
};

TEST(ControlProperties, APopupIsPlacedAndShownWithoutTakingTheFocus)
{
  TTestForm form;
  auto *p = new TProbe(form, "p");
  p->SetParent(form);
  form->Show();
  p->SetFocus();
  TPopupProbe popup(nullptr, "popup");
  int clicks = 0;
  popup.OnClick = [&](TObject *) { ++clicks; };
  SetWindowPos(popup.Handle(), HWND_TOPMOST, 100, 120, 80, 40, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  EXPECT_EQ(popup.BoundsRect(), Rect(100, 120, 180, 160));
  EXPECT_EQ(popup.ClientRect(), Rect(0, 0, 78, 38));
  EXPECT_TRUE(IsWindowVisible(popup.Handle()));
  EXPECT_EQ(popup.ClientOrigin(), TPoint(101, 121));
  SimClick(&popup, 5, 5);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(p->Focused());
  EXPECT_TRUE(ShowWindow(popup.Handle(), SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(popup.Handle()));
}

}  // namespace
