// The grid's list combo searches typed keys with the framework combo's type-ahead, whether its
// editor is open already or the first key opens it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/controls/forms.h"
#include "framework/testing/input.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"
#include "grid/view/editor_wrappers.h"

namespace {

// Column 1 holds a position chosen from the list "0" .. "299"; the type-ahead's clock is the
// test's own.
struct GridComboTypeAhead : ::testing::Test {
  TForm form{nullptr};
  TZavStringGrid *grid = nullptr;
  uint32_t now = 100000;
  std::function<uint32_t()> oldClock;

  void SetUp() override
  {
    oldClock = TCustomComboBox::SetTypeAheadClock([this] { return now; });
    form.SetBounds(0, 0, 500, 300);
    grid = new TZavStringGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 480, 260);
    grid->SetColCount(3);
    grid->SetRowCount(4);
    grid->SetOptions(grid->Options() + goEditing);
    grid->OnGetEditorType = [this](TObject *, int ACol, int, TEditorType &AEditor) {
      if (ACol != 1)
        return;
      AEditor = edComboList;
      if (grid->GetComboCount() == 300)
        return;
      grid->ClearComboString();
      for (int i = 0; i < 300; ++i)
        grid->AddComboString(QString::number(i));
    };
    for (int r = 1; r < 4; ++r)
      grid->SetCells(1, r, QStringLiteral("0"));
    form.Show();
    SimProcess();
  }
  void TearDown() override { TCustomComboBox::SetTypeAheadClock(std::move(oldClock)); }

  // Each key to the window that has the focus, as a user's keys go; '|' is a pause.
  void Type(const char *Keys)
  {
    for (const char *k = Keys; *k; ++k) {
      if (*k == '|') {
        now += TCustomComboBox::TypeAheadInterval + 1;
        continue;
      }
      now += 250;
      TWinControl *focused = FindControl(GetFocus());
      ASSERT_NE(focused, nullptr);
      SimType(focused, QString(QChar(*k)));
    }
  }
};

TEST_F(GridComboTypeAhead, QuickKeysPickTheItemTheySpell)
{
  struct Case {
    bool editorOpen;
    const char *keys;
    const char *saved;
  } cases[] = {
      {true, "120", "120"},  {false, "120", "120"}, {true, "12", "12"},
      {false, "12", "12"},   {true, "1|2", "2"},    {false, "1|2", "2"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.keys) + (c.editorOpen ? " editor open" : " editor closed"));
    grid->SetFocus();
    grid->SetCol(2);
    grid->SetRow(1);
    grid->SetCol(1);
    grid->SetCells(1, 1, QStringLiteral("0"));
    if (c.editorOpen) {
      grid->ShowInplaceEdit();
      SimProcess();
      ASSERT_TRUE(grid->Combobox()->Focused());
    }
    now += 5000;
    Type(c.keys);
    ASSERT_TRUE(grid->Combobox()->Visible());
    EXPECT_EQ(grid->Combobox()->Text().toStdString(), c.saved);
    SimKey(grid->Combobox(), VK_RETURN);
    EXPECT_EQ(grid->Cells(1, 1).toStdString(), c.saved);
    grid->HideInplaceEdit();
  }
}

}  // namespace
