// Step 5 through the real windows: a new project, its communication settings saved, "Update
// Device UDP", the gateway address typed into the four boxes and "Execute Update Firmware".
// The gateway is the loopback address; the updater is a stand-in script in the program folder.
#include "app/fboot.h"
#include "app/fpargen.h"
#include "app/fproject_dialogs.h"
#include "ui/lbbutton.h"
#include "framework/services/ping.h"
#include "framework/testing/input.h"
#include "tests/app/shell_test_support.h"
#include "ui/lang_text.h"

using namespace shelltest;

namespace {

using UpdateEndToEnd = LoopbackShellTest;

TEST_F(UpdateEndToEnd, NewProjectSettingsUpdateDevice)
{
  // The stand-in updater keeps a copy of the job file it finds beside itself.
  const QString Updater = App_Dir + "/Ethernet_Update.exe";
  WriteBytes(Updater, "#!/bin/sh\nD=$(dirname \"$0\")\ncp \"$D/Ethernet_Update.xml\" \"$D/seen_job.xml\"\n");
  QFile::setPermissions(Updater, QFile::permissions(Updater) | QFileDevice::ExeOwner);

  Start();
  Modal_Actions["FNew_Project"] = [](TCustomForm *) {
    SimProcess();
    Type_Text(FNew_Project->E_New_Proj, "Plant 7");
    Press_Key(FNew_Project->E_New_Proj, Qt::Key_Return);
  };
  Click(FQuillomarkeFirmWare->Btn_New);
  const QString Project = Projects_Dir() + "/Plant 7";
  for (const TShownBox &B : Boxes) ADD_FAILURE() << "message box: " << B.Text.toStdString();
  ASSERT_EQ(AppState().Project_Dir, Project);

  Modal_Actions["FParGen"] = [](TCustomForm *) { Click(FParGen->Btn_OK); };
  Click(FQuillomarkeFirmWare->Btn_Prm_Gen);
  ASSERT_TRUE(QFile::exists(Project + "/ParGen.xml"));

  QStringList Boxes_Typed;
  Modal_Actions["FBoot"] = [&](TCustomForm *) {
    EXPECT_EQ(FBoot->Caption(), Lang_Text(1002));
    // The boxes propose the default address; the user types over it, the dots moving on.
    // One key at a time, each handled before the next, as typing gives them. A dot in the
    // last box goes nowhere.
    for (QChar C : QStringLiteral("127.0.0.1.")) {
      SimType(FBoot, QString(C));
      SimProcess();
    }
    Boxes_Typed << FBoot->E_IP1->Text() << FBoot->E_IP2->Text() << FBoot->E_IP3->Text() << FBoot->E_IP4->Text();
    GrabToPng(FBoot, testsupport::OutputDir() + "/update_dialog.png");
    Click(FBoot->Btn_Update);
    Click(FBoot->Btn_Cancel);
  };
  Click(FQuillomarkeFirmWare->Btn_CreateBin);

  EXPECT_EQ(Boxes_Typed, QStringList({"127", "0", "0", "1"}));
  for (const TShownBox &B : Boxes) ADD_FAILURE() << "message box: " << B.Text.toStdString();
  for (const char *Bank : {"bank1.bin", "bank2.bin", "bank3.bin"})
    EXPECT_GT(QFileInfo(Project + "/bin/" + Bank).size(), 0) << Bank;

  const QByteArray Job = ReadBytes(App_Dir + "/Ethernet_Update.xml");
  ASSERT_FALSE(Job.isEmpty());
  EXPECT_TRUE(Job.contains("<IP_Address_Dev>127.0.0.1</IP_Address_Dev>"));
  EXPECT_TRUE(Job.contains(("<Ope_FileName>" + Project + "/bin/bank3.bin</Ope_FileName>").toUtf8()));
  EXPECT_TRUE(Job.contains(("<Ope_FileName>" + App_Dir + "/MASTER/Sim40328.sim</Ope_FileName>").toUtf8()));
  EXPECT_EQ(ReadBytes(App_Dir + "/seen_job.xml"), Job);
  EXPECT_EQ(AppState().Last_IP_Address, "127.0.0.1");

  Close_Program();
  EXPECT_TRUE(ReadBytes(Settings_Path()).contains("<ipaddress>127.0.0.1</ipaddress>"));
}

}  // namespace
