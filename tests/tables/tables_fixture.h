#pragma once
// The table forms' tests: the built-in texts, a temporary project folder, message boxes
// recorded and answered from a queue, and a small two-grid form that shows what the common
// part does with hidden, computed and unsaved columns.
#include "framework/dialogs/dialogs.h"
#include "grid/core/column_grid.h"
#include "project/app_state.h"
#include "project/lang_texts.h"
#include "tables/table_form.h"
#include "tests/support/test_support.h"
#include "ui/lang_text.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

namespace tablestest {

struct TBox {
  TMsgDlgType Type;
  QString Text;
};

// A form with a key column, an Enable check box, a hidden saved column, a computed column and
// one not saved, and a second grid of three rows without an Enable column.
inline TTableFormDesc Mini_Description()
{
  TTableFormDesc D;
  D.Form_Name = QStringLiteral("FMini");
  D.Client_Width = 600;
  D.File = &TAppState::File_KNX_SetAccess;
  D.Root = "Mini";
  D.Version = QStringLiteral("SW_VERSION = 1.000");
  D.Caption_Text = 1200;
  D.Desc_Text = 1201;
  D.First_Button_Text = 1202;
  D.Error_Row_Text = 1270;
  D.Delete_Question_Text = 1325;
  TGridDesc A;
  A.Grid_Name = QStringLiteral("ACG_A");
  A.Sheet_Name = QStringLiteral("TS_A");
  A.Section = "Sec_A";
  A.Data_Rows = 4;
  A.Key_Col = 2;
  A.Enable_Col = 1;
  A.Insert_Enabled = true;
  auto Col = [](int C, TEditorType E, const char *Attr, TLoadPolicy L, const QString &Def = QString()) {
    TColumnDesc K;
    K.Col = C;
    K.Header_Text = 1216 + C;
    K.Hint_Text = C ? 1244 + C : 0;
    K.Editor = E;
    K.Attribute = Attr;
    K.Load = L;
    K.Default = Def;
    return K;
  };
  A.Columns = {Col(0, edNormal, nullptr, TLoadPolicy::lpNotLoaded),
               Col(1, edDataCheckBox, "Enable", TLoadPolicy::lpDefault, "Y"),
               Col(2, edNormal, "Key", TLoadPolicy::lpRequired),
               Col(3, edNormal, "Number", TLoadPolicy::lpDefault),
               Col(4, edNormal, "Secret", TLoadPolicy::lpDefault, "h"),
               Col(5, edDataCheckBox, nullptr, TLoadPolicy::lpComputed, "N"),
               Col(6, edNormal, nullptr, TLoadPolicy::lpNotLoaded)};
  A.Columns[1].Reset_Text = QStringLiteral("Y");
  A.Columns[4].Hidden = true;
  A.Checks = {Check_Range(3, 0, 10, 1272), Check_Position(4, 1277)};
  TGridDesc B = A;
  B.Grid_Name = QStringLiteral("ACG_B");
  B.Sheet_Name = QStringLiteral("TS_B");
  B.Section = "Sec_B";
  B.Data_Rows = 3;
  B.Enable_Col = -1;
  B.Insert_Enabled = false;
  B.Columns.resize(4);
  B.Columns[1].Reset_Text.clear();
  B.Checks = {Check_Not_Blank(3, 1273)};
  D.Grids = {A, B};
  return D;
}

class TFMini : public TTableForm {
public:
  explicit TFMini(TComponent *AOwner) : TTableForm(AOwner, Mini_Description()) {}
};

class TablesTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Dir.isValid());
    AppState().Reset();
    Load_Default_Texts();
    AppState().Project_Dir = Dir.path();
    AppState().File_S7_Protocol = Dir.path() + QStringLiteral("/S7_Protocol.xml");
    AppState().File_KNX_SetAccess = Dir.path() + QStringLiteral("/Mini.xml");
    SetMessageBoxHook([this](const TMessageBoxRequest &R) {
      Boxes.push_back({R.DlgType, R.Text});
      if (Answers.empty())
        return int(mrNo);
      const int A = Answers.front();
      Answers.pop_front();
      return A;
    });
  }
  void TearDown() override { SetMessageBoxHook(nullptr); }

  QStringList Box_Texts() const
  {
    QStringList L;
    for (const TBox &B : Boxes)
      L << B.Text;
    return L;
  }

  QTemporaryDir Dir;
  std::vector<TBox> Boxes;
  std::deque<int> Answers;
};

// The small form, created and shown.
class MiniFormTest : public TablesTest {
protected:
  void SetUp() override
  {
    TablesTest::SetUp();
    F = std::make_unique<TFMini>(nullptr);
    F->AfterConstruction();
    F->FormShow(nullptr);
    A = F->Grid(0);
    B = F->Grid(1);
  }

  std::unique_ptr<TFMini> F;
  TZavStringGrid *A = nullptr;
  TZavStringGrid *B = nullptr;
};

}  // namespace tablestest
