// The main window's program launcher and its hidden side-file export buttons.
#include "framework/services/process.h"
#include "tests/app/shell_test_support.h"
#include "ui/lang_text.h"

#include <QThread>

using namespace shelltest;

namespace {

class ShellLaunch : public ShellTest {};

QString Make_Script(const QString &Path, const QByteArray &Body)
{
  WriteBytes(Path, "#!/bin/sh\n" + Body);
  QFile::setPermissions(Path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return Path;
}

}  // namespace

TEST_F(ShellLaunch, StartProgramWaitsForTheProgramWithItsParameters)
{
  Start();
  const QString Marker = App_Dir + "/marker.txt";
  const QString Script = Make_Script(App_Dir + "/job.sh", "sleep 0.2\necho \"$1\" > \"$2\"\n");
  FQuillomarkeFirmWare->Start_Program(Script, "hello " + Marker, false);
  EXPECT_EQ(ReadBytes(Marker), "hello\n");
}

TEST_F(ShellLaunch, StartProgramGivesUpAtTheWaitLimitAndReportsNothing)
{
  Start();
  const QString Marker = App_Dir + "/late.txt";
  const QString Script =
      Make_Script(App_Dir + "/slow.sh", "echo $$ > \"$1.pid\"\nwhile [ ! -e \"$1.go\" ]; do sleep 0.05; done\necho done > \"$1\"\n");
  SetProgramWaitLimitOverride(200);
  FQuillomarkeFirmWare->Start_Program(Script, Marker, true);
  SetProgramWaitLimitOverride(0);
  EXPECT_FALSE(QFile::exists(Marker)) << "the wait ended before the program did";
  // Left running, not killed: it ends once told to. A loaded machine may start the script
  // late, so its process id is awaited rather than expected at once.
  qint64 Pid = 0;
  for (int I = 0; I < 1000 && Pid == 0; ++I, QThread::msleep(10)) Pid = ReadBytes(Marker + ".pid").trimmed().toLongLong();
  EXPECT_TRUE(ProgramRunning(Pid));
  WriteBytes(Marker + ".go", "");
  for (int I = 0; I < 1000 && ProgramRunning(Pid); ++I) QThread::msleep(10);
  EXPECT_FALSE(ProgramRunning(Pid));
  EXPECT_TRUE(QFile::exists(Marker));
  // Whatever went wrong above, the script does not outlive its folder.
  EXPECT_EQ(testsupport::EndChildProcesses(0), QStringList());

  FQuillomarkeFirmWare->Start_Program(App_Dir + "/missing.exe", QString(), false);
  EXPECT_TRUE(Boxes.empty());
}

TEST_F(ShellLaunch, HiddenExportButtonsSaveTheirSideFilesWhereTheUserChooses)
{
  Make_Project("Plant1");
  for (const char *F : {"ParGen.xml", "PDO_CANopen.xml", "SDO_Server_CANopen.xml", "SNMP_Trap.xml", "BACnet_Slave.xml"})
    WriteBytes(Projects_Dir() + "/Plant1/" + F, ReadBytes(testsupport::Fixture(QString("side/project/") + F)));
  Write_Settings(Settings_Xml("Plant1"));
  Start();
  const QString Out = App_Dir + "/out";
  ASSERT_TRUE(QDir().mkpath(Out));

  struct TCase {
    TLbButton *Button;
    QString Filter, Chosen, Written;
  };
  TFQuillomarkeFirmWare *M = FQuillomarkeFirmWare;
  const TCase Cases[] = {
      // Names typed without an extension get the dialogs' default one.
      {M->Btn_CANopen_EDS, "Electronic Data Sheet (*.eds)|*.eds", "node", "node.eds"},
      {M->Btn_BACnet_EDE_File, "CSV (MS-DOS) (*.csv)|*.csv", "objects", "objects.csv"},
      {M->Btn_SNMP_MIB, "Management Information Base (*.mib)|*.mib", "agent", "agent.mib"},
      {M->Btn_PROFIBUS_GSD, "Generic Station Description (*.gsd)|*.gsd", "slave", "slave.gsd"},
  };
  for (const TCase &C : Cases) {
    SCOPED_TRACE(C.Button->Name().toStdString());
    TFileDialogRequest Seen;
    SetFileDialogHook([&](TFileDialogRequest &R) {
      Seen = R;
      R.FileName = Out + "/" + C.Chosen;
      return true;
    });
    Boxes.clear();
    C.Button->OnClick(C.Button);
    EXPECT_TRUE(Seen.Save);
    EXPECT_EQ(Seen.Filter, C.Filter);
    EXPECT_EQ(Seen.InitialDir, AppState().Project_Dir);
    EXPECT_TRUE(QFile::exists(Out + "/" + C.Written));
    EXPECT_TRUE(Boxes.empty());
  }

  // An existing EDE file is replaced only after Yes.
  SetFileDialogHook([&](TFileDialogRequest &R) {
    R.FileName = Out + "/objects.CSV";
    return true;
  });
  WriteBytes(Out + "/objects.CSV", "old");
  Box_Answer = mrNo;
  M->Btn_BACnet_EDE_File->OnClick(M->Btn_BACnet_EDE_File);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Type, mtConfirmation);
  EXPECT_EQ(Boxes[0].Text, Lang_Text(1105));
  EXPECT_EQ(Boxes[0].Buttons, mbYesNoCancel);
  EXPECT_EQ(ReadBytes(Out + "/objects.CSV"), "old");
  Box_Answer = mrYes;
  M->Btn_BACnet_EDE_File->OnClick(M->Btn_BACnet_EDE_File);
  EXPECT_NE(ReadBytes(Out + "/objects.CSV"), "old");

  // PROFINET has no export in this build.
  SetFileDialogHook([&](TFileDialogRequest &) {
    ADD_FAILURE() << "no dialog expected";
    return false;
  });
  Boxes.clear();
  M->Btn_PROFINET_XML->OnClick(M->Btn_PROFINET_XML);
  EXPECT_TRUE(Boxes.empty());
}
