// Creating and opening projects through the main window's step 1.
#include "app/fproject_dialogs.h"
#include "ui/lbbutton.h"
#include "tests/app/shell_test_support.h"
#include "ui/lang_text.h"

using namespace shelltest;

namespace {

class ShellProject : public ShellTest {};

// Types the name into the new-project dialog and confirms it with Enter or with OK.
std::function<void(TCustomForm *)> Enter_Name(const QString &Name, bool With_Enter = true)
{
  return [Name, With_Enter](TCustomForm *) {
    Type_Text(FNew_Project->E_New_Proj, Name);
    if (With_Enter)
      Press_Key(FNew_Project->E_New_Proj, VK_RETURN);
    else
      Click(FNew_Project->Btn_OK);
  };
}

}  // namespace

TEST_F(ShellProject, NewProjectCreatesItsFoldersAndOpensIt)
{
  Start();
  Modal_Actions["FNew_Project"] = [](TCustomForm *Form) {
    EXPECT_EQ(Form->Caption(), "Create New Configuration");
    EXPECT_EQ(FNew_Project->Label1->Caption(), "Name of the new Configuration");
    EXPECT_EQ(FNew_Project->L_SW_Code->Caption(), "QC40328");
    EXPECT_EQ(Form->ClientWidth(), 331);
    EXPECT_EQ(Form->ClientHeight(), 162);
    EXPECT_EQ(Form->BorderStyle(), bsSingle);
    EXPECT_EQ(Form->ActiveControl(), FNew_Project->E_New_Proj);
    EXPECT_EQ(FNew_Project->E_New_Proj->Text(), "");
    Type_Text(FNew_Project->E_New_Proj, "Plant1");
    EXPECT_TRUE(GrabToPng(FNew_Project, testsupport::OutputDir() + "/shell_new_project.png"));
    Press_Key(FNew_Project->E_New_Proj, VK_RETURN);
    EXPECT_EQ(Form->ModalResult(), mrOk);
  };
  Click(FQuillomarkeFirmWare->Btn_New);
  // The release of Enter comes up at "New Configuration" once the dialog has gone: no second dialog.
  EXPECT_EQ(Shown_Forms.size(), 1u);
  EXPECT_TRUE(Boxes.empty());
  EXPECT_TRUE(QDir(Projects_Dir() + "/Plant1/bin").exists());
  EXPECT_EQ(AppState().Project_Name, "Plant1");
  EXPECT_EQ(AppState().Project_Dir, Projects_Dir() + "/Plant1");
  EXPECT_EQ(AppState().File_S7_Protocol, Projects_Dir() + "/Plant1/S7_Protocol.xml");
  EXPECT_EQ(Indicator(), QStringList({"Opened Configuration of the Converter : ", "Plant1"}));
  EXPECT_TRUE(GrabToPng(FQuillomarkeFirmWare, testsupport::OutputDir() + "/shell_main_window_project.png"));
}

TEST_F(ShellProject, NewProjectRefusesNamesItCannotUse)
{
  struct TCase {
    QString Name;
    int Text;
  };
  const TCase Cases[] = {
      {"", 107},     {"Plant1", 106}, {"PLANT1", 106}, {"a/b", 105},  {"Plant1/bin", 105},
      {"..\\x", 105}, {".", 105},     {"..", 105},      {"   ", 105},
  };
  Make_Project("Plant1");
  Start();
  for (const TCase &C : Cases) {
    SCOPED_TRACE(C.Name.toStdString());
    Boxes.clear();
    Modal_Actions["FNew_Project"] = [&](TCustomForm *Form) {
      Enter_Name(C.Name, false)(Form);
      EXPECT_EQ(Form->ModalResult(), mrNone) << "the dialog stays open";
    };
    Click(FQuillomarkeFirmWare->Btn_New);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Type, mtError);
    EXPECT_EQ(Boxes[0].Text, Lang_Text(C.Text));
    EXPECT_TRUE(AppState().Project_Dir.isEmpty());
    EXPECT_EQ(Indicator(), QStringList({Lang_Text(9), Lang_Text(10)}));
  }
  EXPECT_EQ(QDir(Projects_Dir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"Plant1"});
  EXPECT_EQ(QDir(Projects_Dir() + "/Plant1").entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
}

TEST_F(ShellProject, EnterOnAnErrorBoxDoesNotBringItBack)
{
  Start();
  SetMessageBoxHook([this](const TMessageBoxRequest &R) {
    Boxes.push_back({R.DlgType, R.Text, R.Buttons});
    // The user takes the box's OK with Enter; the key comes up at the dialog's OK button,
    // which still has the focus from the click.
    if (Boxes.size() == 1) SimQueueKeyUp(VK_RETURN);
    return int(mrOk);
  });
  Modal_Actions["FNew_Project"] = [](TCustomForm *Form) {
    Click(FNew_Project->Btn_OK);
    EXPECT_EQ(Form->ModalResult(), mrNone);
  };
  Click(FQuillomarkeFirmWare->Btn_New);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Text, Lang_Text(107));
}

TEST_F(ShellProject, NewProjectTakesTheNameAsTyped)
{
  Start();
  Modal_Actions["FNew_Project"] = Enter_Name(" Plant 2");
  Click(FQuillomarkeFirmWare->Btn_New);
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(AppState().Project_Name, " Plant 2");
  EXPECT_TRUE(QDir(Projects_Dir() + "/ Plant 2/bin").exists());
}

TEST_F(ShellProject, CancelledDialogsChangeNothing)
{
  Make_Project("Plant1");
  Write_Settings(Settings_Xml("Plant1"));
  Start();
  Modal_Actions["FNew_Project"] = [](TCustomForm *) {
    Type_Text(FNew_Project->E_New_Proj, "Other");
    Click(FNew_Project->Btn_Cancel);
  };
  Click(FQuillomarkeFirmWare->Btn_New);
  Modal_Actions["FOpenConf"] = [](TCustomForm *) { Click(FOpenConf->Btn_Cancel); };
  Click(FQuillomarkeFirmWare->Btn_Open);
  EXPECT_EQ(Shown_Forms, std::vector<QString>({"FNew_Project", "FOpenConf"}));
  EXPECT_FALSE(QDir(Projects_Dir() + "/Other").exists());
  EXPECT_EQ(AppState().Project_Dir, Projects_Dir() + "/Plant1");
  EXPECT_EQ(Indicator(), QStringList({Lang_Text(11), "Plant1"}));
}

TEST_F(ShellProject, OpenPreselectsTheOpenProjectWhateverItsCase)
{
  for (const char *P : {"Alpha", "Plant1", "Zeta"}) Make_Project(P);
  Start();
  AppState().Project_Name = "PLANT1";
  AppState().Project_Dir = Projects_Dir() + "/PLANT1";
  Modal_Actions["FOpenConf"] = [](TCustomForm *Form) {
    // Unlike the new-project dialog, this one can be resized.
    EXPECT_EQ(Form->BorderStyle(), bsSizeable);
    EXPECT_EQ(FOpenConf->ListBox1->Items()->Count(), 3);
    EXPECT_EQ(FOpenConf->ListBox1->ItemIndex(), 1);
    EXPECT_EQ(FOpenConf->Name_Conf, "Plant1");
    EXPECT_EQ(FOpenConf->Search_Open_Conf("zeta"), 2);
    EXPECT_EQ(FOpenConf->Search_Open_Conf("Beta"), -1);
    EXPECT_TRUE(GrabToPng(FOpenConf, testsupport::OutputDir() + "/shell_open_project.png"));
    Click(FOpenConf->Btn_OK);
  };
  Click(FQuillomarkeFirmWare->Btn_Open);
  EXPECT_EQ(AppState().Project_Name, "Plant1");
  EXPECT_EQ(AppState().Project_Dir, Projects_Dir() + "/Plant1");
  EXPECT_EQ(AppState().File_ParGen, Projects_Dir() + "/Plant1/ParGen.xml");
}

TEST_F(ShellProject, OpenWithoutProjectPreselectsTheFirstAndAClickChoosesAnother)
{
  for (const char *P : {"Alpha", "Beta"}) Make_Project(P);
  Start();
  Modal_Actions["FOpenConf"] = [](TCustomForm *) {
    EXPECT_EQ(FOpenConf->Name_Conf, "Alpha");
    Click(FOpenConf->Btn_OK);
  };
  Click(FQuillomarkeFirmWare->Btn_Open);
  EXPECT_EQ(AppState().Project_Name, "Alpha");
  EXPECT_EQ(Indicator(), QStringList({Lang_Text(11), "Alpha"}));

  Modal_Actions["FOpenConf"] = [](TCustomForm *) {
    TListBox *L = FOpenConf->ListBox1;
    const TRect R = L->ItemRect(1);
    SimClick(L, R.Left + 5, R.Top + R.Height() / 2);
    SimProcess();
    EXPECT_EQ(FOpenConf->Name_Conf, "Beta");
    Click(FOpenConf->Btn_OK);
  };
  Click(FQuillomarkeFirmWare->Btn_Open);
  EXPECT_EQ(AppState().Project_Dir, Projects_Dir() + "/Beta");
}

TEST_F(ShellProject, OpenWithEmptyProjectsFolderLeavesNoProjectOpen)
{
  Make_Project("Plant1");
  Write_Settings(Settings_Xml("Plant1"));
  Start();
  ASSERT_TRUE(QDir(Projects_Dir() + "/Plant1").removeRecursively());
  Modal_Actions["FOpenConf"] = [](TCustomForm *) {
    EXPECT_EQ(FOpenConf->ListBox1->Items()->Count(), 0);
    Click(FOpenConf->Btn_OK);
  };
  Click(FQuillomarkeFirmWare->Btn_Open);
  EXPECT_TRUE(AppState().Project_Name.isEmpty());
  EXPECT_TRUE(AppState().Project_Dir.isEmpty());
  EXPECT_EQ(AppState().File_ParGen, "/ParGen.xml");
  EXPECT_EQ(Indicator(), QStringList({Lang_Text(9), Lang_Text(10)}));
}

TEST_F(ShellProject, ProjectCreatedInOneRunIsOpenInTheNext)
{
  Start();
  Modal_Actions["FNew_Project"] = Enter_Name("Line 4");
  Click(FQuillomarkeFirmWare->Btn_New);
  Click(FQuillomarkeFirmWare->Btn_Close);
  Destroy_Forms();
  Application->ResetForTests();
  AppState().Reset();

  Start();
  EXPECT_EQ(Indicator(), QStringList({Lang_Text(11), "Line 4"}));
  Modal_Actions["FOpenConf"] = [](TCustomForm *) {
    EXPECT_EQ(FOpenConf->Name_Conf, "Line 4");
    Click(FOpenConf->Btn_OK);
  };
  Click(FQuillomarkeFirmWare->Btn_Open);
  EXPECT_EQ(AppState().Project_Dir, Projects_Dir() + "/Line 4");
  Click(FQuillomarkeFirmWare->Btn_Prm_Gen);
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(Shown_Forms.back(), "FParGen");
}
