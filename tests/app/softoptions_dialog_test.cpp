// The software options on their own: version texts, the update check against a scripted
// server on 127.0.0.1, the language gallery and the dependent option boxes.
#include "app/fsoftoptions.h"

#include "app/forms.h"
#include "ui/lbbutton.h"
#include "framework/services/http.h"
#include "framework/testing/input.h"
#include "framework/testing/ui_script.h"
#include "project/app_state.h"
#include "project/lang_texts.h"
#include "project/maker.h"
#include "tests/support/http_test_server.h"
#include "tests/support/test_support.h"
#include "ui/lang_text.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using testsupport::HttpTestServer;

TEST(ConvVersion, ReadsOneDigitPointThreeDigits)
{
  const struct {
    const char *Text;
    int Expected;
  } Cases[] = {
      {"1.000", 1000}, {"VER. 1.000", 1000}, {"VER. 2.015", 2015}, {"ver.   1.001  ", 1001}, {"VER. 1.0", -1},
      {"VER. x.000", -1}, {"", -1},          {"VER.", -1},          {"VER. 1.0a0", -1},
  };
  for (const auto &C : Cases) EXPECT_EQ(TFSoftOptions::Conv_Version(QString::fromLatin1(C.Text)), C.Expected) << C.Text;
}

class SoftOptions : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Dir.isValid());
    TAppState &S = AppState();
    S.Reset();
    Load_Default_Texts();
    S.App_Dir = Dir.path();
    S.Language_Dir = Dir.path() + QStringLiteral("/LANGUAGE");
    S.Language_Name = QStringLiteral("English");
    S.Software_Code = QStringLiteral("QC40328");
    QDir().mkpath(S.Language_Dir);
    Form = new TFSoftOptions(nullptr);
    Form->AfterConstruction();
    Form->HTTP1->SetTimeout(500);
  }

  void TearDown() override
  {
    Form->BeforeDestruction();
    delete Form;
    Version_Server_Host = QStringLiteral("www.velmora.example");
    Version_Server_Port = 80;
    AppState().Reset();
  }

  void Point_At(const HttpTestServer &Server)
  {
    Version_Server_Host = QStringLiteral("127.0.0.1");
    Version_Server_Port = uint16_t(Server.Port());
  }

  void Make_Language(const QString &Name, bool With_Flag = false)
  {
    QFile F(AppState().Language_Dir + "/" + Name + ".lng");
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write("[" + Name.toLatin1() + "]\r\n");
    F.close();
    if (With_Flag) Make_Flag(Name + ".bmp", Qt::red);
  }

  void Make_Flag(const QString &File, Qt::GlobalColor Color)
  {
    QImage I(24, 16, QImage::Format_RGB32);
    I.fill(Color);
    ASSERT_TRUE(I.save(AppState().Language_Dir + "/" + File, "BMP"));
  }

  QStringList Shown_Slots() const
  {
    QStringList Out;
    for (int K = 0; K < Lang_Slots_Per_Page; ++K)
      if (Form->L_L[K]->Visible()) Out << Form->L_L[K]->Caption();
    return Out;
  }

  QTemporaryDir Dir;
  TFSoftOptions *Form = nullptr;
};

TEST_F(SoftOptions, CheckVersionAgainstTheServer)
{
  const struct {
    const char *Name;
    HttpTestServer::Mode Mode;
    QByteArray Reply;
    bool Newer;
  } Cases[] = {
      {"newer", HttpTestServer::Mode::Answer, HttpTestServer::Reply(200, "VER. 1.001"), true},
      {"lower case", HttpTestServer::Mode::Answer, HttpTestServer::Reply(200, "ver. 1.001\r\n"), true},
      {"same", HttpTestServer::Mode::Answer, HttpTestServer::Reply(200, "VER. 1.000"), false},
      {"none known", HttpTestServer::Mode::Answer, HttpTestServer::Reply(200, "VER. 0.000"), false},
      {"short", HttpTestServer::Mode::Answer, HttpTestServer::Reply(200, "VER. 1.0"), false},
      {"empty", HttpTestServer::Mode::Answer, HttpTestServer::Reply(200, ""), false},
      {"error status", HttpTestServer::Mode::Answer, HttpTestServer::Reply(500, "VER. 9.999", "Server Error"), false},
      {"no answer", HttpTestServer::Mode::Silent, QByteArray(), false},
  };
  for (const auto &C : Cases) {
    HttpTestServer Server(C.Mode, C.Reply);
    Point_At(Server);
    EXPECT_EQ(Form->Check_Version(), C.Newer) << C.Name;
    ASSERT_EQ(Server.Requests().size(), 1) << C.Name;
    const QByteArray Request = Server.Requests()[0];
    EXPECT_TRUE(Request.startsWith("GET /home/download/GetversionSW.asp?nomesw=QC40328 HTTP/1.0\r\n")) << C.Name;
    EXPECT_TRUE(Request.contains("\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"));
    EXPECT_TRUE(Request.contains("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"));
    EXPECT_FALSE(Request.contains("Cookie"));
  }
  // Nobody listening.
  int Free_Port = 0;
  {
    HttpTestServer Gone(HttpTestServer::Mode::Answer, {});
    Free_Port = Gone.Port();
  }
  Version_Server_Host = QStringLiteral("127.0.0.1");
  Version_Server_Port = uint16_t(Free_Port);
  EXPECT_FALSE(Form->Check_Version());
}

TEST_F(SoftOptions, CheckButtonShowsTheLinkOrNoUpdate)
{
  TUIScript UI;
  {
    HttpTestServer Server(HttpTestServer::Mode::Answer, HttpTestServer::Reply(200, "VER. 1.002"));
    Point_At(Server);
    Form->Btn_Check_UpdateClick(Form->Btn_Check_Update);
  }
  EXPECT_TRUE(Form->LL_Check_Update->Visible());
  EXPECT_EQ(Form->LL_Check_Update->PlainText(), Lang_Text(314));
  ASSERT_EQ(Form->LL_Check_Update->LinkCount(), 1);
  Form->LL_Check_Update->ClickLink(0);
  EXPECT_EQ(UI.URLs(), QStringList{"http://www.velmora.example/Home/download/download.asp#QG40328"});
  {
    HttpTestServer Server(HttpTestServer::Mode::Answer, HttpTestServer::Reply(404, "", "Not Found"));
    Point_At(Server);
    Form->Btn_Check_UpdateClick(Form->Btn_Check_Update);
  }
  EXPECT_EQ(Form->LL_Check_Update->PlainText(), Lang_Text(315));
  EXPECT_EQ(Form->LL_Check_Update->LinkCount(), 0);
}

// Language texts 314 and 315 show as written and add no links; the link opens nothing but
// the maker's download page.
TEST_F(SoftOptions, CheckResultShowsTheLanguageTextAsWritten)
{
  TUIScript UI;
  const QString Newer = "Update <a href=\"http://other.invalid/x\">here</a>";
  const QString None = "None <a href=\"http://other.invalid/y\">really</a> &lt;";
  AppState().Lang_Texts[314] = Newer;
  AppState().Lang_Texts[315] = None;
  {
    HttpTestServer Server(HttpTestServer::Mode::Answer, HttpTestServer::Reply(200, "VER. 1.002"));
    Point_At(Server);
    Form->Btn_Check_UpdateClick(Form->Btn_Check_Update);
  }
  EXPECT_EQ(Form->LL_Check_Update->PlainText(), Newer);
  ASSERT_EQ(Form->LL_Check_Update->LinkCount(), 1);
  Form->LL_Check_Update->ClickLink(0);
  Form->LL_Check_UpdateLinkClick(Form->LL_Check_Update, "http://other.invalid/x", sltURL);
  EXPECT_EQ(UI.URLs(), QStringList({Maker_Download_Page, Maker_Download_Page}));
  {
    HttpTestServer Server(HttpTestServer::Mode::Answer, HttpTestServer::Reply(200, "VER. 1.000"));
    Point_At(Server);
    Form->Btn_Check_UpdateClick(Form->Btn_Check_Update);
  }
  EXPECT_EQ(Form->LL_Check_Update->PlainText(), None);
  EXPECT_EQ(Form->LL_Check_Update->LinkCount(), 0);
}

TEST_F(SoftOptions, GalleryPagesSevenLanguagesAndSkipsReadOnlyFiles)
{
  for (const char *Name : {"English", "deutsch", "Italiano", "Español", "Français", "Nederlands", "Polski"})
    Make_Language(QString::fromUtf8(Name), QString::fromUtf8(Name) == "Italiano");
  Make_Language("Hidden");
  QFile::setPermissions(AppState().Language_Dir + "/Hidden.lng", QFileDevice::ReadOwner | QFileDevice::ReadGroup);
  QDir().mkpath(AppState().Language_Dir + "/Folder.lng");
  Make_Flag("DefaultFlag.bmp", Qt::blue);

  TUIScript UI;
  UI.OnForm([&](TCustomForm *) {
    EXPECT_EQ(Form->L_Sel_Lang->Caption(), "Selected Language : English");
    EXPECT_EQ(Form->L_Page_Lang->Caption(), "Page 1 / 2");
    EXPECT_EQ(Shown_Slots(), QStringList({"deutsch", "English", "Español", "Français", "Italiano", "Nederlands"}));
    EXPECT_FALSE(Form->Btn_Prev->Visible());
    EXPECT_TRUE(Form->Btn_Next->Visible());
    for (int K = 0; K < 6; ++K) EXPECT_TRUE(Form->I_L[K]->Visible()) << K;
    GrabToPng(Form, testsupport::OutputDir() + "/softoptions_language.png");

    Form->Btn_NextClick(Form->Btn_Next);
    EXPECT_EQ(Form->L_Page_Lang->Caption(), "Page 2 / 2");
    EXPECT_EQ(Shown_Slots(), QStringList({"Polski"}));
    EXPECT_FALSE(Form->Btn_Next->Visible());
    EXPECT_TRUE(Form->Btn_Prev->Visible());
    Form->Btn_NextClick(Form->Btn_Next);
    EXPECT_EQ(Form->Show_Page, 2);
    Form->Set_Lang();  // texts of another language keep the page shown
    EXPECT_EQ(Form->L_Page_Lang->Caption(), "Page 2 / 2");
    Form->Btn_NextClick(Form->Btn_Prev);
    EXPECT_EQ(Form->Show_Page, 1);

    Form->PC_Options->SetActivePage(Form->TS_Con_Options);
    GrabToPng(Form, testsupport::OutputDir() + "/softoptions_connection.png");
    Form->SetModalResult(mrCancel);
  });
  Form->ShowModal();
  EXPECT_EQ(Form->SL_Languages->Count(), 7);
}

TEST_F(SoftOptions, FlagsFallBackToTheDefaultOrNone)
{
  Make_Language("Alpha", true);
  Make_Language("Beta");
  Form->Create_Lang_List();
  EXPECT_TRUE(Form->I_L[0]->Visible());
  EXPECT_FALSE(Form->I_L[1]->Visible());
  Make_Flag("DefaultFlag.bmp", Qt::blue);
  Form->Create_Lang_List();
  EXPECT_TRUE(Form->I_L[1]->Visible());
  EXPECT_EQ(Form->I_L[1]->Picture()->Width(), 24);

  // No language at all: no page to be on, no slot, neither Next nor Previous.
  QDir(AppState().Language_Dir).removeRecursively();
  Form->Create_Lang_List();
  EXPECT_EQ(Form->L_Page_Lang->Caption(), "Page 0 / 0");
  EXPECT_TRUE(Shown_Slots().isEmpty());
  EXPECT_FALSE(Form->Btn_Next->Visible());
  EXPECT_FALSE(Form->Btn_Prev->Visible());
  for (TLbButton *B : {Form->Btn_Next, Form->Btn_Prev}) {
    Form->Btn_NextClick(B);
    EXPECT_EQ(Form->L_Page_Lang->Caption(), "Page 0 / 0");
  }
  Form->Set_Lang();
  EXPECT_EQ(Form->L_Page_Lang->Caption(), "Page 0 / 0");
}

TEST_F(SoftOptions, UpdateOptionDependsOnInternetAndOkStoresTheFlags)
{
  AppState().Opt_Enable_Internet = true;
  AppState().Opt_Enable_Update = true;
  TUIScript UI;
  UI.OnForm([&](TCustomForm *) {
    EXPECT_TRUE(Form->CB_Update->Enabled());
    EXPECT_TRUE(Form->Btn_Check_Update->Enabled());
    Form->CB_En_Con->SetChecked(false);
    EXPECT_FALSE(Form->CB_Update->Enabled());
    EXPECT_TRUE(Form->CB_Update->Checked());
    EXPECT_FALSE(Form->Btn_Check_Update->Enabled());
    Form->CB_Soft_Set_Jump_Table->SetChecked(true);
    Form->Btn_OKClick(Form->Btn_OK);
  });
  EXPECT_EQ(Form->ShowModal(), mrOk);
  EXPECT_FALSE(AppState().Opt_Enable_Internet);
  EXPECT_TRUE(AppState().Opt_Enable_Update);
  EXPECT_TRUE(AppState().Opt_Jump_Field_Tables);
  EXPECT_FALSE(AppState().Opt_Double_Click_Auto_Size);
  EXPECT_EQ(AppState().Language_Name, "English");
}

}  // namespace
