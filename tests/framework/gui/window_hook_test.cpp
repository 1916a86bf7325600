// The window message hook hears moves and size changes of top-level and child windows until it
// is removed.
#include <gtest/gtest.h>

#include "framework/controls/forms.h"
#include "framework/controls/messages.h"
#include "framework/controls/window_hook.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/testing/input.h"

namespace {

TEST(WindowHook, HearsMovesAndSizesUntilRemoved)
{
  TForm form(nullptr);
  form.SetBounds(10, 10, 300, 200);
  auto *panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(5, 5, 50, 50);
  form.Show();
  SimProcess();

  std::vector<uint32_t> heard;
  void *hook = SetWindowMessageHook([&](uint32_t Msg) { heard.push_back(Msg); });
  ASSERT_NE(hook, nullptr);
  form.SetBounds(40, 30, 300, 200);
  SimProcess();
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard.back(), uint32_t(WM_WINDOWPOSCHANGED));
  heard.clear();
  panel->SetBounds(20, 5, 80, 50);  // a child moves and grows
  SimProcess();
  EXPECT_FALSE(heard.empty());

  EXPECT_TRUE(UnhookWindowMessageHook(hook));
  EXPECT_FALSE(UnhookWindowMessageHook(hook));
  heard.clear();
  form.SetBounds(60, 30, 320, 200);
  panel->SetBounds(0, 0, 10, 10);
  SimProcess();
  EXPECT_TRUE(heard.empty());
}

}  // namespace
