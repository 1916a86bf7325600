// The device-update dialog on its own: the updater's job file for every option, the ping loop
// with a scripted echo transport, the address check, the bank files ahead of the dialog and
// the start of the updater.
#include "app/fboot.h"

#include "app/forms.h"
#include "ui/lbbutton.h"
#include "framework/classes/thread.h"
#include "framework/controls/busywait.h"
#include "framework/dialogs/dialogs.h"
#include "framework/services/ping.h"
#include "framework/services/process.h"
#include "framework/services/xmldoc.h"
#include "framework/testing/input.h"
#include "framework/testing/queued_input.h"
#include "framework/testing/ui_script.h"
#include "project/app_state.h"
#include "project/banks.h"
#include "project/lang_texts.h"
#include "tests/support/test_support.h"
#include "ui/lang_text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>

namespace {

// Element paths and leaf texts in document order: "Root/Child=text".
void Flatten(const IXMLNode &Node, const QString &Path, QStringList &Out)
{
  const QString Here = Path.isEmpty() ? Node.NodeName() : Path + QLatin1Char('/') + Node.NodeName();
  IXMLNodeList Children = Node.ChildNodes();
  bool HasElements = false;
  for (int I = 0; I < Children.Count(); ++I)
    if (Children[I].NodeType() == ntElement) HasElements = true;
  if (!HasElements) {
    Out << Here + QLatin1Char('=') + Node.Text();
    return;
  }
  Out << Here;
  for (int I = 0; I < Children.Count(); ++I)
    if (Children[I].NodeType() == ntElement) Flatten(Children[I], Here, Out);
}

QStringList FlattenFile(const QString &File)
{
  TXMLDocument Doc;
  Doc.LoadFromFile(File);
  QStringList Out;
  Flatten(Doc.DocumentElement(), QString(), Out);
  return Out;
}

// Answers each echo as Script says for the attempt (0-based) and records the requests.
class TScriptedTransport : public TEchoTransport {
public:
  using TScript = std::function<TReplyStatus(int Attempt, const QString &Target)>;
  TScriptedTransport(TScript AScript, QStringList *ATargets) : Script(std::move(AScript)), Targets(ATargets) {}
  TReplyStatus Echo(const QString &Target, const QByteArray &, uint16_t, uint16_t, int) override
  {
    Targets->append(Target);
    return Script(Targets->size() - 1, Target);
  }
  TScript Script;
  QStringList *Targets;
};

TReplyStatus Answer()
{
  TReplyStatus R;
  R.ReplyStatusType = rsEcho;
  R.BytesReceived = 1016;
  return R;
}

TReplyStatus No_Answer()
{
  // A real client spends its whole reply time-out on a silent target, time the program's clock
  // sees pass.
  Sleep(20);
  return TReplyStatus{};
}

class UpdateDialog : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Dir.isValid());
    TAppState &S = AppState();
    S.Reset();
    Load_Default_Texts();
    S.App_Dir = Dir.path();
    S.Master_Dir = Dir.path() + QStringLiteral("/MASTER");
    S.Project_Dir = Dir.path() + QStringLiteral("/PROJECTS/Plant");
    S.Software_Code = QStringLiteral("QC40328");
    S.Last_IP_Address = QStringLiteral("10.1.2.3");
    S.Update_Read_Back = true;
    QDir().mkpath(S.Master_Dir);
    QDir().mkpath(S.Project_Dir);
    SetEchoTransportFactory([this] {
      return std::make_unique<TScriptedTransport>(
          [this](int Attempt, const QString &Target) { return Script(Attempt, Target); }, &Targets);
    });
    Boot = new TFBoot(nullptr);
    Boot->AfterConstruction();
    Boot->Ping_Limit_Ms = 300;
  }

  void TearDown() override
  {
    // No updater outlives its test (some are left running on purpose).
    testsupport::EndChildProcesses(0);
    SetBusyWaitProbe({});
    Boot->BeforeDestruction();
    delete Boot;
    SetEchoTransportFactory({});
    SetProgramWaitLimitOverride(0);
    ResetBankBuilder();
    AppState().Reset();
  }

  QString Job_File() const { return Dir.path() + QStringLiteral("/Ethernet_Update.xml"); }

  void Set_Boxes(const QString &A, const QString &B, const QString &C, const QString &D)
  {
    Boot->E_IP1->SetText(A);
    Boot->E_IP2->SetText(B);
    Boot->E_IP3->SetText(C);
    Boot->E_IP4->SetText(D);
  }

  // A stand-in updater that copies the job file it finds beside itself.
  void Write_Updater(const QByteArray &Extra = QByteArray())
  {
    const QString Path = Dir.path() + QStringLiteral("/Ethernet_Update.exe");
    QFile F(Path);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write("#!/bin/sh\nD=$(dirname \"$0\")\ncp \"$D/Ethernet_Update.xml\" \"$D/seen_job.xml\"\n"
            "echo run >> \"$D/runs.txt\"\n" +
            Extra);
    F.close();
    F.setPermissions(F.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
  }

  QTemporaryDir Dir;
  TFBoot *Boot = nullptr;
  QStringList Targets;
  TScriptedTransport::TScript Script = [](int, const QString &) { return Answer(); };
};

TEST_F(UpdateDialog, JobFileForEachOption)
{
  const struct {
    int Option;
    const char *Golden;
  } Cases[] = {
      {0, "update/job_firmware_configuration.xml"},
      {1, "update/job_firmware.xml"},
      {2, "update/job_configuration.xml"},
  };
  const TAppState &S = AppState();
  Set_Boxes("127", "0", "0", "1");
  for (const auto &C : Cases) {
    for (bool Read_Back : {true, false}) {
      Boot->CB_Update_Options->SetItemIndex(C.Option);
      Boot->CB_Update_Option_Read_Back->SetChecked(Read_Back);
      Boot->Compile_XML_Parameter_New_Boot();
      QStringList Want = FlattenFile(testsupport::Fixture(QString::fromLatin1(C.Golden)));
      Want.replaceInStrings(QStringLiteral("{MASTER}"), S.Master_Dir);
      Want.replaceInStrings(QStringLiteral("{PROJECT}"), S.Project_Dir);
      if (!Read_Back) Want.replaceInStrings(QStringLiteral("Ope_Read_Back=1"), QStringLiteral("Ope_Read_Back=0"));
      EXPECT_EQ(FlattenFile(Job_File()), Want) << C.Golden << " read back " << Read_Back;
    }
  }
  // No attributes and no declaration: the updater reads element texts only.
  QFile F(Job_File());
  ASSERT_TRUE(F.open(QIODevice::ReadOnly));
  const QByteArray Xml = F.readAll();
  EXPECT_TRUE(Xml.startsWith("<Ethernet_Update>"));
  EXPECT_FALSE(Xml.contains('\\'));
}

TEST_F(UpdateDialog, PingOutcomes)
{
  const struct {
    const char *Name;
    TScriptedTransport::TScript Script;
    bool Found;
    int Ping_Res;
    int Attempts;  // -1: several, until the time limit
  } Cases[] = {
      {"always answers", [](int, const QString &) { return Answer(); }, true, 1, 2},
      {"never answers", [](int, const QString &) { return No_Answer(); }, false, 2, -1},
      {"answers once, then falls silent",
       [](int A, const QString &) { return A == 0 ? Answer() : No_Answer(); }, false, 2, -1},
      {"answers the second time", [](int A, const QString &) { return A == 0 ? No_Answer() : Answer(); }, true, 1, 3},
      {"cannot send", [](int, const QString &) -> TReplyStatus { throw EPingError("no socket"); }, false, 0, 1},
  };
  Set_Boxes("127", "0", "0", "1");
  for (const auto &C : Cases) {
    Targets.clear();
    Script = C.Script;
    EXPECT_EQ(Boot->Send_Ping(), C.Found) << C.Name;
    EXPECT_EQ(Boot->ping_res, C.Ping_Res) << C.Name;
    if (C.Attempts >= 0) EXPECT_EQ(Targets.size(), C.Attempts) << C.Name;
    else EXPECT_GT(Targets.size(), 2) << C.Name;
    for (const QString &T : Targets) EXPECT_EQ(T, "127.0.0.1");
  }
}

TEST_F(UpdateDialog, FailedPingStoresNothingAndTellsWhy)
{
  const struct {
    const char *Name;
    TScriptedTransport::TScript Script;
    TMsgDlgType Type;
    QString Text;
  } Cases[] = {
      {"silent device", [](int, const QString &) { return No_Answer(); }, mtWarning, Lang_Text(1036)},
      {"unusable address", [](int, const QString &) -> TReplyStatus { throw EPingError("bad address"); }, mtError,
       Lang_Text(1037)},
      // The system refusing the ping is not the device's silence, even after a silent attempt.
      {"no ICMP socket",
       [](int, const QString &) -> TReplyStatus {
         throw EPingSocketError("Cannot open an ICMP socket: Operation not permitted");
       },
       mtError, Lang_Text(1042) + "Cannot open an ICMP socket: Operation not permitted"},
      {"socket refused after a silent attempt",
       [](int A, const QString &) -> TReplyStatus {
         if (A == 0) return No_Answer();
         throw EPingSocketError("Cannot send the echo request: Operation not permitted");
       },
       mtError, Lang_Text(1042) + "Cannot send the echo request: Operation not permitted"},
  };
  Write_Updater();
  for (const auto &C : Cases) {
    Targets.clear();
    Script = C.Script;
    TUIScript UI;
    Set_Boxes("127", "0", "0", "1");
    Boot->CB_Update_Options->SetItemIndex(2);
    Boot->CB_Update_Option_Read_Back->SetChecked(false);
    Boot->Btn_UpdateClick(Boot->Btn_Update);
    ASSERT_EQ(UI.Shown().size(), 1u) << C.Name;
    EXPECT_EQ(UI.Shown()[0].DlgType, C.Type) << C.Name;
    EXPECT_EQ(UI.Shown()[0].Text, C.Text) << C.Name;
    EXPECT_EQ(AppState().Last_IP_Address, "10.1.2.3") << C.Name;
    EXPECT_EQ(AppState().Update_Option, 0) << C.Name;
    EXPECT_TRUE(AppState().Update_Read_Back) << C.Name;
    EXPECT_FALSE(QFile::exists(Job_File())) << C.Name;
    EXPECT_FALSE(QFile::exists(Dir.path() + "/runs.txt")) << C.Name;
    EXPECT_TRUE(Boot->Btn_Update->Enabled()) << C.Name;
  }
}

TEST_F(UpdateDialog, InvalidAddressIsNeitherPingedNorRemembered)
{
  for (const QStringList &Boxes : {QStringList{"300", "0", "0", "1"}, QStringList{"127", "", "0", "1"},
                                   QStringList{"a", "b", "c", "d"}, QStringList{"1", "2", "3", "4.5"}}) {
    TUIScript UI;
    Set_Boxes(Boxes[0], Boxes[1], Boxes[2], Boxes[3]);
    Boot->Btn_UpdateClick(Boot->Btn_Update);
    EXPECT_EQ(UI.Messages(), QStringList{Lang_Text(1037)}) << Boxes.join('|').toStdString();
    EXPECT_TRUE(Targets.isEmpty());
    EXPECT_EQ(AppState().Last_IP_Address, "10.1.2.3");
    EXPECT_FALSE(QFile::exists(Job_File()));
  }
}

TEST_F(UpdateDialog, ExecuteIsDisabledWhileThePingRuns)
{
  Set_Boxes("127", "0", "0", "1");
  Write_Updater();
  bool Enabled_During_Ping = true;
  Script = [this, &Enabled_During_Ping](int, const QString &) {
    Enabled_During_Ping = Enabled_During_Ping && Boot->Btn_Update->Enabled();
    // A click arriving while the ping runs starts nothing.
    Boot->Btn_UpdateClick(Boot->Btn_Update);
    return Answer();
  };
  TUIScript UI;
  Boot->Btn_UpdateClick(Boot->Btn_Update);
  EXPECT_FALSE(Enabled_During_Ping);
  EXPECT_EQ(Targets.size(), 2);
  EXPECT_TRUE(Boot->Btn_Update->Enabled());
  EXPECT_TRUE(UI.Messages().isEmpty());
}

TEST_F(UpdateDialog, ClosingDuringThePingStartsNothing)
{
  Write_Updater();
  Set_Boxes("127", "0", "0", "1");
  Script = [this](int, const QString &) {
    Boot->SetModalResult(mrCancel);
    return Answer();
  };
  TUIScript UI;
  Boot->Btn_UpdateClick(Boot->Btn_Update);
  EXPECT_TRUE(UI.Messages().isEmpty());
  EXPECT_FALSE(QFile::exists(Job_File()));
  EXPECT_FALSE(QFile::exists(Dir.path() + "/runs.txt"));
  EXPECT_EQ(AppState().Last_IP_Address, "10.1.2.3");
}

TEST_F(UpdateDialog, SuccessfulPingStoresWritesTheJobAndRunsTheUpdater)
{
  Write_Updater();
  TUIScript UI;
  Set_Boxes(" 127", "000", "0 ", "01");
  Boot->CB_Update_Options->SetItemIndex(1);
  Boot->CB_Update_Option_Read_Back->SetChecked(false);
  Boot->Btn_UpdateClick(Boot->Btn_Update);
  EXPECT_TRUE(UI.Messages().isEmpty());
  EXPECT_EQ(Targets, QStringList({"127.0.0.1", "127.0.0.1"}));
  EXPECT_EQ(AppState().Last_IP_Address, "127.0.0.1");
  EXPECT_EQ(AppState().Update_Option, 1);
  EXPECT_FALSE(AppState().Update_Read_Back);
  ASSERT_TRUE(QFile::exists(Dir.path() + "/seen_job.xml"));
  EXPECT_EQ(FlattenFile(Dir.path() + "/seen_job.xml"), FlattenFile(Job_File()));
  EXPECT_TRUE(FlattenFile(Job_File()).contains("Ethernet_Update/IP_Address_Dev=127.0.0.1"));
}

TEST_F(UpdateDialog, UpdaterThatCannotStartIsReported)
{
  TUIScript UI;
  Set_Boxes("127", "0", "0", "1");
  Boot->Btn_UpdateClick(Boot->Btn_Update);
  ASSERT_EQ(UI.Shown().size(), 1u);
  EXPECT_EQ(UI.Shown()[0].DlgType, mtError);
  EXPECT_EQ(UI.Shown()[0].Text, Lang_Text(1040) + Dir.path() + "/Ethernet_Update.exe");
  // The job file was written for it all the same.
  EXPECT_TRUE(QFile::exists(Job_File()));
}

TEST_F(UpdateDialog, SecondUpdaterWaitsForTheFirst)
{
  // The first updater outlives the (shortened) wait until the test lets it end.
  Write_Updater("while [ ! -e \"$D/release\" ]; do sleep 0.05; done\n");
  SetProgramWaitLimitOverride(200);
  Set_Boxes("127", "0", "0", "1");
  TUIScript UI;
  Boot->Btn_UpdateClick(Boot->Btn_Update);
  EXPECT_EQ(UI.Messages(), QStringList{Lang_Text(1039)});
  ASSERT_TRUE(QFile::exists(Dir.path() + "/runs.txt"));

  UI.Clear();
  Targets.clear();
  Boot->Btn_UpdateClick(Boot->Btn_Update);
  ASSERT_EQ(UI.Shown().size(), 1u);
  EXPECT_EQ(UI.Shown()[0].DlgType, mtWarning);
  EXPECT_EQ(UI.Shown()[0].Text, Lang_Text(1041));
  EXPECT_TRUE(Targets.isEmpty());

  QFile(Dir.path() + "/release").open(QIODevice::WriteOnly);
  // Once it has ended, the next update runs again.
  for (int I = 0; I < 250; ++I) {
    UI.Clear();
    Boot->Btn_UpdateClick(Boot->Btn_Update);
    if (UI.Shown().empty()) break;
    QThread::msleep(20);
  }
  EXPECT_TRUE(UI.Shown().empty());
  QFile Runs(Dir.path() + "/runs.txt");
  ASSERT_TRUE(Runs.open(QIODevice::ReadOnly));
  EXPECT_EQ(Runs.readAll(), QByteArray("run\nrun\n"));
}

TEST_F(UpdateDialog, HowTheUpdaterEndedIsReportedUnlessItSucceeded)
{
  const struct {
    const char *Name;
    QByteArray Ending;
    TMsgDlgType Type;
    QString Text;  // empty: no message
  } Cases[] = {
      {"success", "exit 0\n", mtInformation, QString()},
      {"error code", "exit 3\n", mtError, Lang_Text(1038) + "3"},
      {"killed", "kill -9 $$\n", mtError, Lang_Text(1043) + "9"},
      {"still running when the wait ends", "while [ ! -e \"$D/release\" ]; do sleep 0.05; done\n", mtWarning,
       Lang_Text(1039)},
  };
  SetProgramWaitLimitOverride(300);
  Set_Boxes("127", "0", "0", "1");
  for (const auto &C : Cases) {
    Write_Updater(C.Ending);
    TUIScript UI;
    Boot->Btn_UpdateClick(Boot->Btn_Update);
    if (C.Text.isEmpty()) {
      EXPECT_TRUE(UI.Shown().empty()) << C.Name;
      continue;
    }
    ASSERT_EQ(UI.Shown().size(), 1u) << C.Name;
    EXPECT_EQ(UI.Shown()[0].DlgType, C.Type) << C.Name;
    EXPECT_EQ(UI.Shown()[0].Text, C.Text) << C.Name;
  }
}

TEST_F(UpdateDialog, InputDuringTheUpdaterRunIsDropped)
{
  // Clicks made while the updater runs would otherwise be carried out once it has ended: a
  // second click on the greyed Execute button starting a second update, a Cancel click
  // closing the dialog.
  Write_Updater("sleep 0.3\n");
  Set_Boxes("127", "0", "0", "1");
  Boot->Show();
  SimProcess();
  for (TLbButton *Clicked : {Boot->Btn_Update, Boot->Btn_Cancel}) {
    SCOPED_TRACE(Clicked->Name().toStdString());
    QFile::remove(Dir.path() + "/runs.txt");
    bool Greyed = false;
    int Cursor = -1;
    bool Queued = false;
    SetBusyWaitProbe([&] {
      if (Queued) return;
      Queued = true;
      Greyed = !Boot->Btn_Update->Enabled();
      Cursor = CursorShapeOf(Boot);
      SimQueueClick(Clicked, 10, 10);
    });
    TUIScript UI;
    SimClick(Boot->Btn_Update, 10, 10);
    SetBusyWaitProbe({});
    SimProcess();
    EXPECT_TRUE(Queued);
    EXPECT_TRUE(Greyed);
    EXPECT_EQ(Cursor, int(Qt::WaitCursor));
    EXPECT_EQ(CursorShapeOf(Boot), int(Qt::ArrowCursor));
    EXPECT_EQ(Boot->ModalResult(), mrNone);
    EXPECT_TRUE(Boot->Btn_Update->Enabled());
    EXPECT_TRUE(UI.Messages().isEmpty());
    QFile Runs(Dir.path() + "/runs.txt");
    ASSERT_TRUE(Runs.open(QIODevice::ReadOnly));
    EXPECT_EQ(Runs.readAll(), QByteArray("run\n"));
  }
  Boot->Hide();
}

TEST_F(UpdateDialog, BankFilesThatCannotBeWrittenStopBeforeTheDialog)
{
  TXMLDocument Xml;
  BankBuilder().XML1 = &Xml;
  // A file where the "bin" folder should go.
  QFile Blocker(AppState().Project_Dir + "/bin");
  ASSERT_TRUE(Blocker.open(QIODevice::WriteOnly));
  Blocker.close();
  bool Shown = false;
  TUIScript UI;
  UI.OnForm([&](TCustomForm *) { Shown = true; });
  Boot->Update_Device();
  EXPECT_FALSE(Shown);
  ASSERT_EQ(UI.Messages().size(), 1);
  EXPECT_TRUE(UI.Messages()[0].contains("could not be written")) << UI.Messages()[0].toStdString();
}

TEST_F(UpdateDialog, ShowingProposesTheLastAddressAndOption)
{
  TXMLDocument Xml;
  BankBuilder().XML1 = &Xml;
  AppState().Update_Option = 2;
  AppState().Update_Read_Back = false;
  TUIScript UI;
  QStringList Seen;
  UI.OnForm([&](TCustomForm *) {
    Seen << Boot->E_IP1->Text() << Boot->E_IP2->Text() << Boot->E_IP3->Text() << Boot->E_IP4->Text()
         << QString::number(Boot->CB_Update_Options->ItemIndex())
         << (Boot->CB_Update_Option_Read_Back->Checked() ? "1" : "0") << Boot->Caption()
         << QString::number(Boot->ClientWidth()) << QString::number(Boot->ClientHeight());
    Boot->SetModalResult(mrCancel);
  });
  Boot->Update_Device();
  EXPECT_EQ(Seen, QStringList({"10", "1", "2", "3", "2", "0", "Update Device by Ethernet (UDP)", "449", "230"}));
  for (const char *Bank : {"bank1.bin", "bank2.bin", "bank3.bin"})
    EXPECT_TRUE(QFile::exists(AppState().Project_Dir + "/bin/" + Bank)) << Bank;

  // An address that is no valid one leaves the boxes as they were.
  AppState().Last_IP_Address = QStringLiteral("192.168.1");
  Seen.clear();
  UI.OnForm([&](TCustomForm *) {
    Seen << Boot->E_IP1->Text() << Boot->E_IP4->Text();
    Boot->SetModalResult(mrCancel);
  });
  Boot->Update_Device();
  EXPECT_EQ(Seen, QStringList({"10", "3"}));
}

}  // namespace
