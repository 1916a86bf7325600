// Theme probes, the office theme mapping and the change notifier with a scripted registry.
#include "grid/foundation/themes.h"

#include "framework/controls/forms.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>

namespace {

struct ThemeStateGuard {
  ~ThemeStateGuard() { ResetThemeState(); }
};

// Registry contents: key path -> "Theme" value (-1: key without the value).
TOfficeRegistryReader ReaderOf(std::map<QString, int> Keys)
{
  TOfficeRegistryReader r;
  r.KeyExists = [Keys](const QString &k) { return Keys.count(k) > 0; };
  r.ThemeValue = [Keys](const QString &k) {
    const auto it = Keys.find(k);
    return it == Keys.end() ? -1 : it->second;
  };
  return r;
}

TEST(Themes, PlatformAnswersFixedValues)
{
  ThemeStateGuard guard;
  LoadThemeLibrary();
  EXPECT_FALSE(ThemeAPI.Loaded);
  EXPECT_EQ(ThemeAPI.OpenThemeData, nullptr);
  EXPECT_EQ(ThemeAPI.IsThemeActive, nullptr);
  EXPECT_TRUE(IsWinXPOrLater());
  EXPECT_TRUE(IsVistaOrLater());
  EXPECT_TRUE(IsComCtl6OrLater());
  EXPECT_EQ(GetXPVisualStyle(), 0);
  EXPECT_EQ(GetDefaultUIFontName(), QStringLiteral("Segoe UI"));
  EXPECT_EQ(GetOfficeVersion(), 0);
  EXPECT_EQ(GetOfficeTheme(), ot2003Classic);
  FreeThemeLibrary();
  EXPECT_FALSE(ThemeAPI.Loaded);
}

TEST(Themes, OfficeThemeFromTheRegistry)
{
  ThemeStateGuard guard;
  const QString k14 = OfficeKey2010, k12 = OfficeKey2007;
  const struct {
    const char *What;
    std::map<QString, int> Keys;
    TOfficeTheme Want;
    int Version;
  } cases[] = {
      {"2010 blue", {{k14, 1}, {k14 + "\\General", -1}}, ot2010Blue, 2},
      {"2010 silver", {{k14, 2}}, ot2010Silver, 0},
      {"2010 black", {{k14, 3}}, ot2010Black, 0},
      {"2010 value 4", {{k14, 4}, {k12, 1}}, ot2003Blue, 0},
      {"2010 key without a value: 2007 consulted", {{k14, -1}, {k12, 2}}, ot2007Silver, 0},
      {"only 2007", {{k12, 2}, {k12 + "\\General", -1}}, ot2007Silver, 1},
      {"2007 black", {{k12, 3}}, ot2007Black, 0},
      {"2007 value 0", {{k12, 0}}, ot2003Blue, 0},
      {"nothing: the XP style", {}, ot2003Classic, 0},
  };
  for (const auto &c : cases) {
    SetOfficeRegistryReader(ReaderOf(c.Keys));
    EXPECT_EQ(GetOfficeTheme(), c.Want) << c.What;
    EXPECT_EQ(GetOfficeVersion(), c.Version) << c.What;
  }
  // The XP style row of the table.
  const std::pair<int, TOfficeTheme> xp[] = {{0, ot2003Classic}, {1, ot2003Blue}, {2, ot2003Olive}, {3, ot2003Silver}, {7, ot2003Blue}};
  for (const auto &[style, want] : xp)
    EXPECT_EQ(OfficeThemeFromValues(-1, -1, style), want) << style;
}

TEST(Themes, HandleListKeepsOrderAndRemovesFirstMatch)
{
  auto h = [](uintptr_t v) { return reinterpret_cast<HWND>(v); };
  THandleList l;
  l.Add(h(1));
  l.Add(h(2));
  l.Insert(0, h(3));
  l.Add(h(2));
  ASSERT_EQ(l.Count(), 4);
  EXPECT_EQ(l.GetInteger(0), h(3));
  l.DeleteValue(h(2));
  ASSERT_EQ(l.Count(), 3);
  EXPECT_EQ(l.GetInteger(1), h(1));
  EXPECT_EQ(l.GetInteger(2), h(2));
  l.DeleteValue(h(9));
  EXPECT_EQ(l.Count(), 3);
  EXPECT_TRUE(l.HasValue(h(3)));
  l.SetInteger(0, h(5));
  EXPECT_FALSE(l.HasValue(h(3)));
  l.Delete(0);
  EXPECT_EQ(l.GetInteger(0), h(1));
  EXPECT_THROW(l.GetInteger(5), EListError);
}

// A scripted registry key: Change() signals the armed notification, as the system does once
// per request.
struct FakeKey {
  std::mutex Lock;
  std::function<void()> Armed;
  std::atomic<int> Requests{0};
  std::atomic<bool> Openable{true};
  QString OpenedKey;
  uint32_t Filter = 0;
  bool WatchSub = false;

  bool Change()
  {
    std::function<void()> signal;
    {
      std::lock_guard<std::mutex> l(Lock);
      signal = std::exchange(Armed, nullptr);
    }
    if (signal)
      signal();
    return bool(signal);
  }
};

class FakeSource : public TRegChangeSource {
public:
  explicit FakeSource(FakeKey *Key) : FKey(Key) {}
  // Closing the key cancels an armed notification.
  ~FakeSource() override
  {
    std::lock_guard<std::mutex> l(FKey->Lock);
    FKey->Armed = nullptr;
  }
  bool OpenKey(uintptr_t, const QString &Key) override
  {
    FKey->OpenedKey = Key;
    return FKey->Openable;
  }
  void RequestNotification(bool WatchSub, uint32_t Filter, std::function<void()> Signal) override
  {
    std::lock_guard<std::mutex> l(FKey->Lock);
    FKey->WatchSub = WatchSub;
    FKey->Filter = Filter;
    FKey->Armed = std::move(Signal);
    ++FKey->Requests;
  }

private:
  FakeKey *FKey;
};

// A window that counts the theme messages it receives.
class TThemeReceiver : public TWinControl {
public:
  using TWinControl::TWinControl;
  int Count = 0;
  QString KeyPath;
  WPARAM Root = 0;
  void WndProc(TMessage &Message) override
  {
    if (Message.Msg == WM_OFFICETHEMECHANGE) {
      ++Count;
      Root = Message.WParam;
      KeyPath = QString::fromUtf16(reinterpret_cast<const char16_t *>(Message.LParam));
    }
    TWinControl::WndProc(Message);
  }
};

// Serves the monitor thread's sends until Done() holds.
template <typename F>
bool PumpUntil(F Done)
{
  for (int i = 0; i < 2000 && !Done(); ++i) {
    TThread::CheckSynchronize();
    Sleep(2);
  }
  TThread::CheckSynchronize();
  return Done();
}

struct NotifierFixture : ::testing::Test {
  ThemeStateGuard Guard;
  FakeKey Key;
  TForm *Form = nullptr;
  void SetUp() override
  {
    SetOfficeRegistryReader(ReaderOf({{OfficeKey2010 + "\\General", -1}}));
    SetRegChangeSourceFactory([this] { return std::make_unique<FakeSource>(&Key); });
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 200, 100);
  }
  void TearDown() override
  {
    delete Form;
    Application->ProcessMessages();
  }
};

TEST_F(NotifierFixture, AChangeReachesTheNotifierAndEachRegisteredWindowOnce)
{
  auto *a = new TThemeReceiver(Form);
  a->SetParent(Form);
  auto *b = new TThemeReceiver(Form);
  b->SetParent(Form);
  TThemeNotifier *n = GetThemeNotifier(Form);
  EXPECT_EQ(GetThemeNotifier(nullptr), n);
  ASSERT_NE(n->NotifierWindow(), nullptr);
  ASSERT_NE(n->MonitorThread(), nullptr);
  int fired = 0;
  n->OnOfficeThemeChange = [&](TObject *Sender) {
    EXPECT_EQ(Sender, n);
    ++fired;
  };
  n->RegisterWindow(a->Handle());
  n->RegisterWindow(a->Handle());
  n->RegisterWindow(b->Handle());
  n->UnRegisterWindow(reinterpret_cast<HWND>(uintptr_t(0x1234)));
  EXPECT_EQ(n->MonitorThread()->WinList().Count(), 2);

  ASSERT_TRUE(PumpUntil([&] { return Key.Requests >= 1; }));
  EXPECT_EQ(Key.OpenedKey, OfficeKey2010);
  EXPECT_EQ(Key.Filter, 4u);
  EXPECT_TRUE(Key.WatchSub);
  ASSERT_TRUE(Key.Change());
  ASSERT_TRUE(PumpUntil([&] { return b->Count == 1 && Key.Requests >= 2; }));
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(a->Count, 1);
  EXPECT_EQ(a->KeyPath, OfficeKey2010);
  EXPECT_EQ(a->Root, WPARAM(HKEY_CURRENT_USER));

  // Watching again: a second change arrives too; an unregistered window no longer hears.
  n->UnRegisterWindow(a->Handle());
  ASSERT_TRUE(Key.Change());
  ASSERT_TRUE(PumpUntil([&] { return b->Count == 2 && Key.Requests >= 3; }));
  EXPECT_EQ(fired, 2);
  EXPECT_EQ(a->Count, 1);

  // Freeing the notifier empties the singleton; the next call makes a new one.
  delete n;
  EXPECT_FALSE(Key.Change() && PumpUntil([&] { return b->Count == 3; }));
  TThemeNotifier *again = GetThemeNotifier(Form);
  EXPECT_NE(again, nullptr);
}

TEST_F(NotifierFixture, AKeyThatCannotBeOpenedLeavesTheNotifierSilent)
{
  Key.Openable = false;
  TThemeNotifier *n = GetThemeNotifier(Form);
  ASSERT_NE(n->MonitorThread(), nullptr);
  EXPECT_TRUE(PumpUntil([&] { return n->MonitorThread()->Finished(); }));
  EXPECT_EQ(Key.Requests, 0);
  EXPECT_FALSE(Key.Change());
}

TEST(ThemeNotifier, WithoutOfficeThereIsNoWindowAndNoThread)
{
  ThemeStateGuard guard;
  bool made = false;
  SetRegChangeSourceFactory([&] {
    made = true;
    return std::unique_ptr<TRegChangeSource>();
  });
  TThemeNotifier n(nullptr);
  EXPECT_EQ(n.NotifierWindow(), nullptr);
  EXPECT_EQ(n.MonitorThread(), nullptr);
  n.RegisterWindow(reinterpret_cast<HWND>(uintptr_t(1)));
  n.UnRegisterWindow(reinterpret_cast<HWND>(uintptr_t(1)));
  EXPECT_FALSE(made);
}

}  // namespace
