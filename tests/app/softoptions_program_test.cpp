// The software options opened from the running program: a language chosen in the gallery
// applies to every form at once but is saved only through OK; OK stores the option flags and
// switches the update check's timer.
#include "app/fboot.h"
#include "app/fsoftoptions.h"
#include "ui/lbbutton.h"
#include "framework/testing/input.h"
#include "tests/app/shell_test_support.h"

using namespace shelltest;

namespace {

class SoftOptionsProgram : public ShellTest {
protected:
  void Write_Language(const QString &Name, const QByteArray &Lines)
  {
    QDir().mkpath(App_Dir + "/LANGUAGE");
    WriteBytes(App_Dir + "/LANGUAGE/" + Name + ".lng", "[" + Name.toLatin1() + "]\r\n" + Lines);
  }
};

TEST_F(SoftOptionsProgram, ChosenLanguageAppliesAtOnceAndCancelKeepsTheSavedOne)
{
  Write_Language("Deutsch", "STR15 = Neue Konfiguration\r\nSTR300 = Software-Optionen\r\n"
                            "STR1020 = Aktualisierung starten\r\n");
  Start();
  Box_Answer = mrYes;
  QStringList Seen;
  Modal_Actions["FSoftOptions"] = [&](TCustomForm *) {
    ASSERT_TRUE(FSoftOptions->L_L[0]->Visible());
    EXPECT_EQ(FSoftOptions->L_L[0]->Caption(), "Deutsch");
    Click(FSoftOptions->L_L[0]);
    Seen << FSoftOptions->Caption() << FSoftOptions->L_Sel_Lang->Caption() << FQuillomarkeFirmWare->Btn_New->Caption()
         << FBoot->Btn_Update->Caption();
    Click(FSoftOptions->Btn_Cancel);
  };
  Click(FQuillomarkeFirmWare->Btn_Opz);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Type, mtConfirmation);
  EXPECT_EQ(Boxes[0].Text, "Do you want to change the Language from English to Deutsch?");
  EXPECT_EQ(Seen, QStringList({"Software-Optionen", "Selected Language : Deutsch", "Neue Konfiguration",
                               "Aktualisierung starten"}));
  EXPECT_EQ(AppState().Language_Name, "English");
  EXPECT_EQ(FQuillomarkeFirmWare->Btn_New->Caption(), "Neue Konfiguration");
  Close_Program();
  EXPECT_TRUE(ReadBytes(Settings_Path()).contains("<language>English</language>"));
}

TEST_F(SoftOptionsProgram, EnterOnYesInTheLanguageQuestionLeavesTheFormOpenForOk)
{
  Write_Language("Deutsch", "STR300 = Software-Optionen\r\n");
  Start();
  SetMessageBoxHook([this](const TMessageBoxRequest &R) {
    Boxes.push_back({R.DlgType, R.Text, R.Buttons});
    // "Yes" taken with Enter: the key comes up in the options form once the box has gone.
    SimQueueKeyUp(VK_RETURN);
    return int(mrYes);
  });
  TModalResult After_Question = mrNone;
  QString Caption;
  Modal_Actions["FSoftOptions"] = [&](TCustomForm *Form) {
    Click(FSoftOptions->L_L[0]);
    After_Question = Form->ModalResult();
    Caption = Form->Caption();
    if (After_Question == mrNone) Click(FSoftOptions->Btn_OK);
  };
  Click(FQuillomarkeFirmWare->Btn_Opz);
  EXPECT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(After_Question, mrNone);
  EXPECT_EQ(Caption, "Software-Optionen");
  EXPECT_EQ(AppState().Language_Name, "Deutsch");
  Close_Program();
  EXPECT_TRUE(ReadBytes(Settings_Path()).contains("<language>Deutsch</language>"));
}

TEST_F(SoftOptionsProgram, AnsweringNoKeepsTheLanguage)
{
  Write_Language("Deutsch", "STR300 = Software-Optionen\r\n");
  Start();
  Box_Answer = mrNo;
  Modal_Actions["FSoftOptions"] = [&](TCustomForm *) {
    Click(FSoftOptions->L_L[0]);
    EXPECT_EQ(FSoftOptions->Caption(), "Software Options");
    Click(FSoftOptions->Btn_OK);
  };
  Click(FQuillomarkeFirmWare->Btn_Opz);
  EXPECT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(AppState().Language_Name, "English");
}

TEST_F(SoftOptionsProgram, OkStoresTheFlagsAndSwitchesTheTimer)
{
  Write_Settings(Settings_Xml("", "English", "1", "1"));
  Start();
  ASSERT_TRUE(FQuillomarkeFirmWare->Timer_Update->Enabled());
  Modal_Actions["FSoftOptions"] = [&](TCustomForm *) {
    EXPECT_TRUE(FSoftOptions->CB_En_Con->Checked());
    EXPECT_TRUE(FSoftOptions->CB_Update->Checked());
    FSoftOptions->PC_Options->SetActivePage(FSoftOptions->TS_Con_Options);
    // On the box itself: a check box reacts only to its box and caption.
    SimClick(FSoftOptions->CB_En_Con, 6, 8);
    EXPECT_FALSE(FSoftOptions->CB_Update->Enabled());
    EXPECT_FALSE(FSoftOptions->Btn_Check_Update->Enabled());
    FSoftOptions->PC_Options->SetActivePage(FSoftOptions->TS_Soft_Settings);
    SimClick(FSoftOptions->CB_DoubleClick_Auto_Size, 6, 8);
    Click(FSoftOptions->Btn_OK);
  };
  Click(FQuillomarkeFirmWare->Btn_Opz);
  EXPECT_FALSE(AppState().Opt_Enable_Internet);
  EXPECT_TRUE(AppState().Opt_Enable_Update);
  EXPECT_TRUE(AppState().Opt_Double_Click_Auto_Size);
  EXPECT_FALSE(FQuillomarkeFirmWare->Timer_Update->Enabled());
  const QByteArray Settings = ReadBytes(Settings_Path());
  EXPECT_TRUE(Settings.contains("<enable_internet>0</enable_internet><enable_update>1</enable_update>"));
  EXPECT_TRUE(Settings.contains("<Double_Click_Auto_Size>1</Double_Click_Auto_Size>"));
}

}  // namespace
