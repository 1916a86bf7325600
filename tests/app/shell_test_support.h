#pragma once
// Helpers for the shell tests: a temporary program folder, the forms created and freed per
// test, scripted message boxes, modal forms and URL opening, and user input into the real
// controls.
#include "app/fmain.h"
#include "app/forms.h"
#include "ui/lbbutton.h"
#include "framework/controls/forms.h"
#include "framework/dialogs/dialogs.h"
#include "framework/services/ping.h"
#include "framework/system/paths.h"
#include "framework/testing/input.h"
#include "project/app_state.h"
#include "project/banks.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace shelltest {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

// A click with the left button in the middle of the control, as a user makes it.
inline void Click(TControl *Control)
{
  ASSERT_NE(Control, nullptr);
  SimClick(Control, Control->Width() / 2, Control->Height() / 2);
  SimProcess();
}

inline void Type_Text(TWinControl *Control, const QString &Text)
{
  SimType(Control, Text);
  SimProcess();
}

inline void Press_Key(TWinControl *Control, uint16_t Key)
{
  SimKey(Control, Key);
  SimProcess();
}

// The same for the keys named the Qt way.
inline void Press_Key(TWinControl *Control, Qt::Key Key)
{
  uint16_t VK = uint16_t(Key);
  if (Key == Qt::Key_Return || Key == Qt::Key_Enter) VK = VK_RETURN;
  if (Key == Qt::Key_Escape) VK = VK_ESCAPE;
  if (Key == Qt::Key_Tab) VK = VK_TAB;
  Press_Key(Control, VK);
}

// Answers every echo from the loopback address, for machines that permit no ICMP socket.
class TLoopbackOnlyTransport : public TEchoTransport {
public:
  TReplyStatus Echo(const QString &Target, const QByteArray &Data, uint16_t, uint16_t Sequence, int) override
  {
    TReplyStatus R;
    if (Target != QLatin1String("127.0.0.1")) return R;
    R.ReplyStatusType = rsEcho;
    R.BytesReceived = Data.size();
    R.SequenceId = Sequence;
    R.FromIpAddress = Target;
    return R;
  }
};

// One message box shown.
struct TShownBox {
  TMsgDlgType Type;
  QString Text;
  TMsgDlgButtons Buttons;
};

class ShellTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Dir.isValid());
    App_Dir = Dir.path();
    AppState().Reset();
    ResetBankBuilder();
    Application->ResetForTests();
    SimResetInput();
    SetExeNameOverride(App_Dir + QStringLiteral("/quillomark"));
    SetMessageBoxHook([this](const TMessageBoxRequest &R) {
      Boxes.push_back({R.DlgType, R.Text, R.Buttons});
      return Box_Answer;
    });
    SetOpenURLHandler([this](const QString &URL) {
      Opened_URLs.push_back(URL);
      return true;
    });
    SetModalFormHook([this](TCustomForm *Form) {
      Shown_Forms.push_back(Form->Name());
      auto It = Modal_Actions.find(Form->Name());
      if (It != Modal_Actions.end()) It->second(Form);
    });
  }

  void TearDown() override
  {
    Destroy_Forms();
    SetModalFormHook(nullptr);
    SetMessageBoxHook(nullptr);
    SetOpenURLHandler(nullptr);
    SetFileDialogHook(nullptr);
    SetExeNameOverride(QString());
    Application->ResetForTests();
    ResetBankBuilder();
    AppState().Reset();
  }

  // Starts the program: the 22 forms in their order, the main window shown.
  void Start()
  {
    Create_Forms();
    FQuillomarkeFirmWare->Show();
  }

  // Ends the program the way its close button does, then frees the forms.
  void Close_Program()
  {
    FQuillomarkeFirmWare->Close();
    Destroy_Forms();
    Application->ResetForTests();
  }

  void Write_Settings(const QByteArray &Xml) { WriteBytes(Settings_Path(), Xml); }

  // A settings file with the given values, in the order the program writes it.
  static QByteArray Settings_Xml(const QString &Project, const QString &Language = QStringLiteral("English"),
                                 const QString &Internet = QStringLiteral("0"),
                                 const QString &Update = QStringLiteral("0"), const QString &Jump = QStringLiteral("0"),
                                 const QString &AutoSize = QStringLiteral("0"))
  {
    return QStringLiteral("<Conf_Settings><lastproj><projectname>%1</projectname></lastproj>"
                          "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd>"
                          "<lastlang><language>%2</language></lastlang>"
                          "<lastinternet><enable_internet>%3</enable_internet><enable_update>%4</enable_update>"
                          "<enable_jump_field_tables>%5</enable_jump_field_tables>"
                          "<Double_Click_Auto_Size>%6</Double_Click_Auto_Size></lastinternet></Conf_Settings>")
        .arg(Project, Language, Internet, Update, Jump, AutoSize)
        .toUtf8();
  }

  QString Settings_Path() const { return App_Dir + QStringLiteral("/Quillomark.xml"); }
  QString Projects_Dir() const { return App_Dir + QStringLiteral("/PROJECTS"); }
  void Make_Project(const QString &Name) { ASSERT_TRUE(QDir().mkpath(Projects_Dir() + "/" + Name)); }

  // The texts of the project indicator's two lines.
  QStringList Indicator() const
  {
    return {FQuillomarkeFirmWare->L_Name_Conf->Caption(), FQuillomarkeFirmWare->L_Name_Conf_L2->Caption()};
  }

  QTemporaryDir Dir;
  QString App_Dir;
  std::vector<TShownBox> Boxes;
  int Box_Answer = mrOk;
  std::vector<QString> Opened_URLs;
  std::vector<QString> Shown_Forms;
  // What to do in a modal form, by form name, while it is shown.
  std::map<QString, std::function<void(TCustomForm *)>> Modal_Actions;
};

// A shell test whose pings reach the loopback address also on machines that permit no ICMP
// socket.
class LoopbackShellTest : public ShellTest {
protected:
  void SetUp() override
  {
    ShellTest::SetUp();
    if (!TIcmpEchoTransport::Available())
      SetEchoTransportFactory([] { return std::make_unique<TLoopbackOnlyTransport>(); });
  }
  void TearDown() override
  {
    ShellTest::TearDown();
    SetEchoTransportFactory({});
  }
};

}  // namespace shelltest
