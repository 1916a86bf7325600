#include "project/app_state.h"

#include "framework/classes/classes.h"

#include <gtest/gtest.h>

namespace {

TEST(AppStateTest, ResetGivesTheValuesAtProgramStart)
{
  TAppState &st = AppState();
  st.App_Dir = "/opt/q";
  st.Project_Dir = "/opt/q/PROJECTS/p";
  st.File_OPC_UA_Server = "/opt/q/PROJECTS/p/OPC_UA_Server.xml";
  st.Update_Option = 2;
  st.Update_Read_Back = true;
  st.Opt_Double_Click_Auto_Size = true;
  st.Row_Clipboard->Add("a");
  st.Row_Clipboard_Checks = {true};
  st.MIB_Write_Names->Add("w");
  st.Lang_Texts = {"x"};
  st.Lang_Text_Count = 1;

  st.Reset();

  EXPECT_TRUE(st.App_Dir.isEmpty());
  EXPECT_TRUE(st.Project_Dir.isEmpty());
  EXPECT_TRUE(st.File_OPC_UA_Server.isEmpty());
  EXPECT_EQ(st.Update_Option, 0);
  EXPECT_FALSE(st.Update_Read_Back);
  EXPECT_FALSE(st.Opt_Double_Click_Auto_Size);
  ASSERT_NE(st.Row_Clipboard, nullptr);
  ASSERT_NE(st.MIB_Read_Names, nullptr);
  ASSERT_NE(st.MIB_Write_Names, nullptr);
  EXPECT_EQ(st.Row_Clipboard->Count(), 0);
  EXPECT_EQ(st.MIB_Write_Names->Count(), 0);
  EXPECT_TRUE(st.Row_Clipboard_Checks.empty());
  EXPECT_TRUE(st.Lang_Texts.isEmpty());
  EXPECT_EQ(st.Lang_Text_Count, 0);
  EXPECT_EQ(&AppState(), &st);
}

}  // namespace
