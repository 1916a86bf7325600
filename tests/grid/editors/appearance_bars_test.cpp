#include "editors/appearance.h"

#include <gtest/gtest.h>

#include "tests/grid/core/settings_prop_table.h"

using namespace settingstest;

namespace {

// The properties header and footer share; Buttons is read as its captions.
template <typename T>
std::vector<Prop<T>> BarProps(const TFont &defaultFont)
{
  return {
      As<T>(P("Color", &T::Color, &T::SetColor, 0xC0C0C0, clRed)),
      As<T>(P("ColorTo", &T::ColorTo, &T::SetColorTo, 0xFFFFFF, clRed)),
      As<T>(P("Caption", &T::Caption, &T::SetCaption, "", QStringLiteral("c"))),
      As<T>(FontP("Font", &T::Font, &T::SetFont, defaultFont)),
      As<T>(P("GradientDirection", &T::GradientDirection, &T::SetGradientDirection, gdVertical, gdHorizontal)),
      As<T>(P("Visible", &T::Visible, &T::SetVisible, true, false)),
      As<T>(P("Height", &T::Height, &T::SetHeight, 22, 30)),
      As<T>(P("BorderColor", &T::BorderColor, &T::SetBorderColor, 0, clRed)),
      As<T>(P("BorderWidth", &T::BorderWidth, &T::SetBorderWidth, 1, 2)),
      As<T>(P("ImageIndex", &T::ImageIndex, &T::SetImageIndex, -1, 3)),
      {"Buttons",
       [](T &o) {
         std::string s;
         for (int i = 0; i < o.Buttons()->Count(); ++i)
           s += o.Buttons()->Items(i)->Caption().toStdString() + ";";
         return s;
       },
       [](T &o) {
         T other(nullptr);
         other.Buttons()->Add()->SetCaption(QStringLiteral("OK"));
         o.SetButtons(other.Buttons());
       },
       "", true},
      As<T>(P("ButtonAlignment", &T::ButtonAlignment, &T::SetButtonAlignment, baRight, baLeft)),
  };
}

}  // namespace

TEST(HeaderAppearance, DefaultsAndAssign)
{
  TFont tahoma;
  tahoma.SetName(QStringLiteral("Tahoma"));
  CheckDefaultsAndAssign<THeaderAppearance>([] { return std::make_unique<THeaderAppearance>(nullptr); },
                                            BarProps<THeaderAppearance>(tahoma));
}

TEST(FooterAppearance, DefaultsAndAssign)
{
  using T = TFooterAppearance;
  auto props = BarProps<T>(TFont());
  props.push_back(P("SizeGrip", &T::SizeGrip, &T::SetSizeGrip, true, false));
  CheckDefaultsAndAssign<T>([] { return std::make_unique<T>(nullptr); }, props);
}

TEST(HeaderAppearance, AssignFromAnotherClassOrColoursOnly)
{
  THeaderAppearance h(nullptr);
  TFooterAppearance f(nullptr);
  f.SetColor(clRed);
  h.Assign(&f);
  EXPECT_EQ(h.Color(), 0xC0C0C0u);

  THeaderAppearance src(nullptr);
  src.SetColor(clRed);
  src.SetBorderColor(clBlue);
  src.Font()->SetHeight(-20);
  src.SetHeight(40);
  src.SetVisible(false);
  int changes = 0;
  h.OnChange = [&](TObject *) { ++changes; };
  h.AssignColors(&src);
  EXPECT_EQ(h.Color(), clRed);
  EXPECT_EQ(h.BorderColor(), clBlue);
  EXPECT_EQ(h.Font()->Height(), -20);
  EXPECT_EQ(h.Height(), 22);
  EXPECT_TRUE(h.Visible());
  EXPECT_EQ(changes, 0);
}

// Visible is copied through its writer after Height and before the buttons, so that a bar
// listening to OnChange applies the new height with the visibility.
TEST(FooterAppearance, AssignNotifiesVisibleAfterHeight)
{
  TFooterAppearance src(nullptr), dst(nullptr);
  src.SetHeight(35);
  src.Buttons()->Add();
  std::vector<std::pair<int, int>> seen;  // height and button count at each OnChange
  dst.OnChange = [&](TObject *Sender) {
    EXPECT_EQ(Sender, &dst);
    seen.emplace_back(dst.Height(), dst.Buttons()->Count());
  };
  dst.Assign(&src);
  EXPECT_TRUE(seen.empty());
  src.SetVisible(false);
  dst.Assign(&src);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], std::make_pair(35, 1));
}

TEST(HeaderAppearance, ButtonChangesReachOnButtonsChanged)
{
  TComponent owner(nullptr);
  THeaderAppearance h(&owner);
  EXPECT_EQ(h.GetOwner(), &owner);
  EXPECT_EQ(h.Buttons()->GetOwner(), &owner);
  int changes = 0;
  h.OnButtonsChanged = [&](TObject *Sender) {
    EXPECT_EQ(Sender, &h);
    ++changes;
  };
  THeaderButton *b = h.Buttons()->Add();
  EXPECT_EQ(b->ImageIndex(), -1);
  EXPECT_TRUE(b->Enabled());
  const struct {
    const char *what;
    std::function<void()> op;
    int changes;
  } cases[] = {
      {"caption", [&] { b->SetCaption(QStringLiteral("x")); }, 1},
      {"same caption", [&] { b->SetCaption(QStringLiteral("x")); }, 0},
      {"enabled", [&] { b->SetEnabled(false); }, 1},
      {"width", [&] { b->SetWidth(40); }, 1},
      {"height", [&] { b->SetHeight(40); }, 0},
      {"image", [&] { b->SetImageIndex(2); }, 0},
      {"add", [&] { h.Buttons()->Add(); }, 0},
      {"delete", [&] { h.Buttons()->Delete(1); }, 0},
  };
  for (const auto &c : cases) {
    changes = 0;
    c.op();
    EXPECT_EQ(changes, c.changes) << c.what;
  }
}

TEST(FooterAppearance, ButtonChangesReachOnButtonsChanged)
{
  TComponent owner(nullptr);
  TFooterAppearance f(&owner);
  EXPECT_EQ(f.Buttons()->GetOwner(), &owner);
  int changes = 0;
  f.OnButtonsChanged = [&](TObject *Sender) {
    EXPECT_EQ(Sender, &f);
    ++changes;
  };
  TFooterButton *b = f.Buttons()->Add();
  b->SetModalResult(1);
  b->SetHeight(3);
  EXPECT_EQ(changes, 0);
  b->SetCaption(QStringLiteral("OK"));
  b->SetEnabled(false);
  b->SetWidth(9);
  EXPECT_EQ(changes, 3);
}
