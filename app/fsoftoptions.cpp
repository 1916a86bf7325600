#include "app/fsoftoptions.h"

#include "app/fabout.h"
#include "app/fmain.h"
#include "app/forms.h"
#include "ui/lbbutton.h"
#include "project/maker.h"
#include "framework/dialogs/dialogs.h"
#include "framework/services/http.h"
#include "framework/system/paths.h"
#include "project/app_state.h"
#include "project/lang_texts.h"
#include "ui/lang_text.h"
#include "ui/bands.h"


QString Version_Server_Host = Maker_Web_Host;
uint16_t Version_Server_Port = 80;

namespace {

TCheckBox *Make_Check(TFSoftOptions *Form, TWinControl *Parent, const QString &Name, int Top)
{
  TCheckBox *C = new TCheckBox(Form);
  C->SetName(Name);
  C->SetParent(Parent);
  C->SetBounds(16, Top, 460, 17);
  C->SetTabStop(true);
  return C;
}

TTabSheet *Make_Sheet(TFSoftOptions *Form, TPageControl *PC, const QString &Name)
{
  TTabSheet *T = new TTabSheet(Form);
  T->SetName(Name);
  T->SetPageControl(PC);
  return T;
}

}  // namespace

TFSoftOptions::TFSoftOptions(TComponent *AOwner) : TLangForm(AOwner)
{
  SetName(QStringLiteral("FSoftOptions"));
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetColor(Form_Color);
  Font()->SetName(QStringLiteral("Tahoma"));
  Font()->SetSize(8);
  SetClientSize(509, 373);

  const TTitleBand Title = Make_Title_Band(this);
  P_Title = Title.P_Title;
  L_SW_Code = Title.L_SW_Code;
  L_SW_Desc = Title.L_SW_Desc;

  P_Button = Make_Button_Band(this);
  Btn_Cancel = Make_Dialog_Button(this, P_Button, QStringLiteral("Btn_Cancel"), 16, 7, 100);
  Btn_Cancel->SetModalResult(mrCancel);
  Btn_OK = Make_Dialog_Button(this, P_Button, QStringLiteral("Btn_OK"), 509 - 16 - 100, 7, 100);
  Btn_OK->OnClick = [this](TObject *Sender) { Btn_OKClick(Sender); };

  PC_Options = new TPageControl(this);
  PC_Options->SetName(QStringLiteral("PC_Options"));
  PC_Options->SetParent(this);
  PC_Options->SetBounds(0, 69, 509, 264);
  PC_Options->SetAlign(alClient);
  PC_Options->SetTabStop(true);

  // Language gallery: slots 1 to 3 down the left column, 4 to 6 down the right one.
  TS_Language = Make_Sheet(this, PC_Options, QStringLiteral("TS_Language"));
  L_Sel_Lang = Make_Dialog_Label(this, TS_Language, QStringLiteral("L_Sel_Lang"), 16, 10);
  L_Sel_Lang->Font()->SetStyle(TFontStyles{fsBold});
  L_Page_Lang = Make_Dialog_Label(this, TS_Language, QStringLiteral("L_Page_Lang"), 400, 10);
  for (int K = 0; K < Lang_Slots_Per_Page; ++K) {
    const int Left = K < 3 ? 16 : 256;
    const int Top = 36 + (K % 3) * 52;
    TImage *I = new TImage(this);
    I->SetName(QStringLiteral("I_L%1").arg(K + 1));
    I->SetParent(TS_Language);
    I->SetBounds(Left, Top, 64, 42);
    I->SetStretch(true);
    I->SetCursor(crHandPoint);
    I->OnClick = [this](TObject *Sender) { LangClick(Sender); };
    I_L[K] = I;
    TLabel *L = Make_Dialog_Label(this, TS_Language, QStringLiteral("L_L%1").arg(K + 1), Left + 74, Top + 13);
    L->Font()->SetSize(10);
    L->SetCursor(crHandPoint);
    L->OnClick = [this](TObject *Sender) { LangClick(Sender); };
    L_L[K] = L;
  }
  Btn_Prev = Make_Dialog_Button(this, TS_Language, QStringLiteral("Btn_Prev"), 16, 198, 90);
  Btn_Prev->OnClick = [this](TObject *Sender) { Btn_NextClick(Sender); };
  Btn_Next = Make_Dialog_Button(this, TS_Language, QStringLiteral("Btn_Next"), 395, 198, 90);
  Btn_Next->OnClick = [this](TObject *Sender) { Btn_NextClick(Sender); };

  // Connection options
  TS_Con_Options = Make_Sheet(this, PC_Options, QStringLiteral("TS_Con_Options"));
  CB_En_Con = Make_Check(this, TS_Con_Options, QStringLiteral("CB_En_Con"), 16);
  CB_Update = Make_Check(this, TS_Con_Options, QStringLiteral("CB_Update"), 40);
  Btn_Check_Update = Make_Dialog_Button(this, TS_Con_Options, QStringLiteral("Btn_Check_Update"), 16, 72, 200);
  Btn_Check_Update->OnClick = [this](TObject *Sender) { Btn_Check_UpdateClick(Sender); };
  LL_Check_Update = new TLinkLabel(this);
  LL_Check_Update->SetName(QStringLiteral("LL_Check_Update"));
  LL_Check_Update->SetParent(TS_Con_Options);
  LL_Check_Update->SetBounds(16, 110, 460, 17);
  LL_Check_Update->SetVisible(false);
  LL_Check_Update->OnLinkClick = [this](TObject *Sender, const QString &Link, TSysLinkType Type) {
    LL_Check_UpdateLinkClick(Sender, Link, Type);
  };

  // Table settings
  TS_Soft_Settings = Make_Sheet(this, PC_Options, QStringLiteral("TS_Soft_Settings"));
  CB_Soft_Set_Jump_Table = Make_Check(this, TS_Soft_Settings, QStringLiteral("CB_Soft_Set_Jump_Table"), 16);
  CB_DoubleClick_Auto_Size = Make_Check(this, TS_Soft_Settings, QStringLiteral("CB_DoubleClick_Auto_Size"), 40);

  for (TCheckBox *C : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
    C->OnClick = [this](TObject *Sender) { CB_En_ConClick(Sender); };

  HTTP1 = new THTTPClient(this);
  HTTP1->SetName(QStringLiteral("HTTP1"));
  HTTP1->SetProtocolVersion(pv1_0);
  HTTP1->SetAllowCookies(false);
  HTTP1->SetAccept(QStringLiteral("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"));
  HTTP1->SetUserAgent(QStringLiteral("Mozilla/3.0 (compatible; Indy Library)"));
  HTTP1->SetTimeout(Version_Request_Timeout);

  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
  OnShow = [this](TObject *Sender) { FormShow(Sender); };
}

TFSoftOptions::~TFSoftOptions() = default;

void TFSoftOptions::FormCreate(TObject *)
{
  SL_Languages = std::make_unique<TStringList>();
  L_SW_Code->SetCaption(AppState().Software_Code);
  TS_Con_Options->SetTabVisible(true);
  Set_Lang();
}

void TFSoftOptions::Set_Lang()
{
  SetCaption(Lang_Text(300));
  L_SW_Desc->SetCaption(Lang_Text(301));
  TS_Language->SetCaption(Lang_Text(302));
  TS_Con_Options->SetCaption(Lang_Text(303));
  L_Sel_Lang->SetCaption(Lang_Text(304));
  Show_Page_Caption();
  Btn_Prev->SetCaption(Lang_Text(307));
  Btn_Next->SetCaption(Lang_Text(308));
  CB_En_Con->SetCaption(Lang_Text(309));
  CB_Update->SetCaption(Lang_Text(310));
  Btn_Check_Update->SetCaption(Lang_Text(311));
  Btn_OK->SetCaption(Lang_Text(312));
  Btn_Cancel->SetCaption(Lang_Text(313));
  TS_Soft_Settings->SetCaption(Lang_Text(319));
  CB_Soft_Set_Jump_Table->SetCaption(Lang_Text(320));
  CB_DoubleClick_Auto_Size->SetCaption(Lang_Text(321));
}

void TFSoftOptions::FormShow(TObject *)
{
  const TAppState &S = AppState();
  Language_In_Use = S.Language_Name;
  Create_Lang_List();
  Update_CheckBox();
  LL_Check_Update->SetVisible(false);
  PC_Options->SetActivePage(TS_Language);
  CB_En_Con->SetChecked(S.Opt_Enable_Internet);
  CB_Update->SetChecked(S.Opt_Enable_Update);
  CB_Soft_Set_Jump_Table->SetChecked(S.Opt_Jump_Field_Tables);
  CB_DoubleClick_Auto_Size->SetChecked(S.Opt_Double_Click_Auto_Size);
  Update_CheckBox();
}

void TFSoftOptions::Create_Lang_List()
{
  SL_Languages->Clear();
  // The gallery offers the plain files the user may change: read-only files are left out.
  QStringList Names = FindFiles(AppState().Language_Dir, QStringLiteral("*.lng"), false);
  Names.sort(Qt::CaseInsensitive);
  for (const QString &N : Names) SL_Languages->Add(N);
  // No language file: there is no page to be on.
  Show_Page = Page_Count() > 0 ? 1 : 0;
  Update_Lang_Page(Show_Page);
}

int TFSoftOptions::Page_Count() const { return (SL_Languages->Count() + Lang_Slots_Per_Page - 1) / Lang_Slots_Per_Page; }

void TFSoftOptions::Show_Page_Caption()
{
  L_Page_Lang->SetCaption(Lang_Text(305) + QString::number(Show_Page) + Lang_Text(306) + QString::number(Page_Count()));
}

void TFSoftOptions::Update_Lang_Page(int Num_Page)
{
  const TAppState &S = AppState();
  const int Count = SL_Languages->Count();
  const int Pages = Page_Count();
  L_Sel_Lang->SetCaption(Lang_Text(304) + Language_In_Use);
  Show_Page = Num_Page;
  Show_Page_Caption();
  Btn_Prev->SetVisible(Num_Page > 1);
  Btn_Next->SetVisible(Num_Page < Pages);

  // Page 0 (no language file) shows no slot.
  const int First = (Num_Page - 1) * Lang_Slots_Per_Page;
  const int Shown = Num_Page < 1 ? 0 : qBound(0, Count - First, Lang_Slots_Per_Page);
  for (int K = 0; K < Lang_Slots_Per_Page; ++K) {
    I_L[K]->SetVisible(K < Shown);
    L_L[K]->SetVisible(K < Shown);
  }
  for (int K = 0; K < Shown; ++K) {
    const QString File = SL_Languages->Strings(First + K);
    const QString Name = File.left(File.size() - 4);
    L_L[K]->SetCaption(Name);
    QString Flag = S.Language_Dir + QLatin1Char('/') + Name + QStringLiteral(".bmp");
    if (!FileExists(Flag)) Flag = S.Language_Dir + QStringLiteral("/DefaultFlag.bmp");
    bool Loaded = false;
    if (FileExists(Flag)) {
      // A damaged picture costs the slot its flag, not the gallery.
      try {
        I_L[K]->Picture()->LoadFromFile(Flag);
        Loaded = true;
      } catch (const Exception &) {
      }
    }
    if (!Loaded) I_L[K]->SetVisible(false);
  }
}

void TFSoftOptions::Btn_NextClick(TObject *Sender)
{
  if (Sender == Btn_Next) {
    if (Page_Count() >= Show_Page + 1) ++Show_Page;
  } else if (Sender == Btn_Prev) {
    if (Show_Page > 1) --Show_Page;
  }
  Update_Lang_Page(Show_Page);
}

int TFSoftOptions::Slot_Of(TObject *Sender) const
{
  for (int K = 0; K < Lang_Slots_Per_Page; ++K)
    if (Sender == I_L[K] || Sender == L_L[K]) return K + 1;
  return 0;
}

void TFSoftOptions::LangClick(TObject *Sender)
{
  const int Slot = Slot_Of(Sender);
  const int Index = (Show_Page - 1) * Lang_Slots_Per_Page + Slot - 1;
  if (Slot == 0 || Index < 0 || Index >= SL_Languages->Count()) return;
  const QString File = SL_Languages->Strings(Index);
  const QString Language = File.left(File.size() - 4);
  if (MessageDlg(Lang_Text(316) + Language_In_Use + Lang_Text(317) + Language + Lang_Text(318), mtConfirmation, mbYesNo,
                 0) != mrYes)
    return;

  TAppState &S = AppState();
  Language_In_Use = Language;
  // The new texts apply at once; the saved language changes only through OK.
  const QString Saved = S.Language_Name;
  S.Language_Name = Language;
  Load_Language();
  S.Language_Name = Saved;
  if (FQuillomarkeFirmWare) FQuillomarkeFirmWare->Change_Language();
  else Set_Lang();
  L_Sel_Lang->SetCaption(Lang_Text(304) + Language_In_Use);
}

void TFSoftOptions::Update_CheckBox()
{
  CB_Update->SetEnabled(CB_En_Con->Checked());
  Btn_Check_Update->SetEnabled(CB_En_Con->Checked() && CB_Update->Checked());
}

void TFSoftOptions::CB_En_ConClick(TObject *) { Update_CheckBox(); }

// The texts come from language files: escaped, they cannot add links of their own.
QString Download_Link_Caption(const QString &Text)
{
  return QStringLiteral("<a href=\"%1\">%2</a>").arg(Maker_Download_Page, LinkLabelEscape(Text));
}

void TFSoftOptions::Btn_Check_UpdateClick(TObject *)
{
  if (Check_Version())
    LL_Check_Update->SetCaption(Download_Link_Caption(Lang_Text(314)));
  else
    LL_Check_Update->SetCaption(LinkLabelEscape(Lang_Text(315)));
  LL_Check_Update->SetVisible(true);
}

// The label's only target is the download page, whatever its caption came to hold.
void TFSoftOptions::LL_Check_UpdateLinkClick(TObject *, const QString &, TSysLinkType) { OpenURL(Maker_Download_Page); }

void TFSoftOptions::Btn_OKClick(TObject *)
{
  TAppState &S = AppState();
  S.Language_Name = Language_In_Use;
  S.Opt_Enable_Internet = CB_En_Con->Checked();
  S.Opt_Enable_Update = CB_Update->Checked();
  if (FQuillomarkeFirmWare && FQuillomarkeFirmWare->Timer_Update)
    FQuillomarkeFirmWare->Timer_Update->SetEnabled(S.Opt_Enable_Internet && S.Opt_Enable_Update);
  S.Opt_Jump_Field_Tables = CB_Soft_Set_Jump_Table->Checked();
  S.Opt_Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->Checked();
  SetModalResult(mrOk);
}

int TFSoftOptions::Conv_Version(const QString &Ver_str)
{
  const int Blank = Ver_str.indexOf(QLatin1Char(' '));
  const QString V = (Blank >= 0 ? Ver_str.mid(Blank + 1) : Ver_str).trimmed();
  if (V.size() < 5) return -1;
  int Result = 0;
  for (int I : {0, 2, 3, 4}) {
    const QChar C = V[I];
    if (C < QLatin1Char('0') || C > QLatin1Char('9')) return -1;
    Result = Result * 10 + (C.unicode() - '0');
  }
  return Result;
}

bool TFSoftOptions::Check_Version()
{
  QString Host = Version_Server_Host;
  if (Version_Server_Port != 80) Host += QLatin1Char(':') + QString::number(Version_Server_Port);
  const QString URL = QStringLiteral("http://%1%2?nomesw=%3").arg(Host, Maker_Version_Path, Build_Software_Code);
  QString Reply;
  try {
    Reply = HTTP1->Get(URL);
  } catch (const Exception &) {
    Reply.clear();
  }
  Reply = Reply.trimmed();
  const QString Upper = Reply.toUpper();
  if (Upper.isEmpty() || Upper == QLatin1String("VER. 0.000")) return false;
  const int Ours = Conv_Version(Program_Version);
  const int Theirs = Conv_Version(Reply);
  return Ours != -1 && Theirs != -1 && Ours < Theirs;
}
