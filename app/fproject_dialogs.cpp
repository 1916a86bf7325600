#include "app/fproject_dialogs.h"

#include "app/fmain.h"
#include "app/forms.h"
#include "ui/lbbutton.h"
#include "framework/dialogs/dialogs.h"
#include "framework/system/paths.h"
#include "project/app_state.h"
#include "ui/lang_text.h"
#include "ui/bands.h"

namespace {

// The two dialogs have a lower title band than the other forms, with smaller labels.
constexpr TTitleBandLook Project_Title_Look{52, 12, 4, -19, true, 12, 31, -12, clNavy};

struct TBands {
  TPanel *P_Title;
  TLabel *L_SW_Code;
  TLabel *L_SW_Desc;
  TPanel *P_Button;
  TLbButton *Btn_OK;
  TLbButton *Btn_Cancel;
};

// The title band on top and the button band at the bottom with OK and Cancel at its right end.
TBands Make_Bands(TForm *Form, int ClientWidth)
{
  const TTitleBand T = Make_Title_Band(Form, Project_Title_Look);
  TBands B{T.P_Title, T.L_SW_Code, T.L_SW_Desc, Make_Button_Band(Form), nullptr, nullptr};
  B.Btn_OK = Make_Dialog_Button(Form, B.P_Button, QStringLiteral("Btn_OK"), ClientWidth - 176, 7, 80);
  B.Btn_Cancel = Make_Dialog_Button(Form, B.P_Button, QStringLiteral("Btn_Cancel"), ClientWidth - 90, 7, 80);
  B.Btn_Cancel->SetModalResult(mrCancel);
  return B;
}

void Set_Up_Dialog(TForm *Form, const QString &Name)
{
  Form->SetName(Name);
  Form->SetPosition(poScreenCenter);
  Form->SetShowHint(true);
  Form->Font()->SetName(QStringLiteral("Tahoma"));
  Form->Font()->SetSize(8);
}

void Show_Error(int TextNo) { MessageDlg(Lang_Text(TextNo), mtError, TMsgDlgButtons{mbOK}, 0); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// New project

TFNew_Project::TFNew_Project(TComponent *AOwner) : TLangForm(AOwner)
{
  Set_Up_Dialog(this, QStringLiteral("FNew_Project"));
  SetBorderStyle(bsSingle);
  SetClientSize(331, 162);
  const TBands B = Make_Bands(this, 331);
  P_Title = B.P_Title;
  L_SW_Code = B.L_SW_Code;
  L_SW_Desc = B.L_SW_Desc;
  P_Button = B.P_Button;
  Btn_OK = B.Btn_OK;
  Btn_Cancel = B.Btn_Cancel;

  Label1 = new TLabel(this);
  Label1->SetName(QStringLiteral("Label1"));
  Label1->SetParent(this);
  Label1->SetBounds(16, 66, 299, 13);

  E_New_Proj = new TEdit(this);
  E_New_Proj->SetName(QStringLiteral("E_New_Proj"));
  E_New_Proj->SetParent(this);
  E_New_Proj->SetBounds(16, 84, 299, 21);
  E_New_Proj->SetTabOrder(0);
  E_New_Proj->SetShowHint(true);

  E_New_Proj->OnKeyPress = [this](TObject *Sender, QChar &Key) { E_New_ProjKeyPress(Sender, Key); };
  Btn_OK->OnClick = [this](TObject *Sender) { Btn_OKClick(Sender); };
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
  OnShow = [this](TObject *Sender) { FormShow(Sender); };
}

void TFNew_Project::FormCreate(TObject *)
{
  L_SW_Code->SetCaption(AppState().Software_Code);
  SetClientSize(331, 162);
  Set_Lang();
}

void TFNew_Project::FormShow(TObject *)
{
  E_New_Proj->SetText(QString());
  SetActiveControl(E_New_Proj);
}

void TFNew_Project::E_New_ProjKeyPress(TObject *, QChar &Key)
{
  if (Key == QChar(13)) {
    Key = QChar(0);
    Btn_OKClick(Btn_OK);
  }
}

namespace {

// A folder of that name already under PROJECTS, letter case ignored as on the platform the
// projects were first kept on, so that two projects never differ by case alone.
bool Project_Folder_Exists(const QString &Projects_Dir, const QString &Name)
{
  if (DirectoryExists(Projects_Dir + QLatin1Char('/') + Name)) return true;
  for (const QString &D : FindDirectories(Projects_Dir))
    if (D.compare(Name, Qt::CaseInsensitive) == 0) return true;
  return false;
}

}  // namespace

void TFNew_Project::Btn_OKClick(TObject *)
{
  TAppState &S = AppState();
  const QString Name = E_New_Proj->Text();
  if (Name.isEmpty()) {
    Show_Error(107);
    return;
  }
  // A name that is no single folder name would create or reuse a folder elsewhere; one of
  // blanks only is no name the platforms the projects travel to can keep.
  if (!Is_Single_Folder_Name(Name) || Name.trimmed().isEmpty()) {
    Show_Error(105);
    return;
  }
  if (Project_Folder_Exists(S.Projects_Dir, Name)) {
    Show_Error(106);
    return;
  }
  const QString Dir = S.Projects_Dir + QLatin1Char('/') + Name;
  if (!CreateDir(Dir)) {
    Show_Error(105);
    return;
  }
  ForceDirectories(Dir + QStringLiteral("/bin"));
  S.Project_Name = Name;
  S.Project_Dir = Dir;
  FQuillomarkeFirmWare->Set_Files();
  SetModalResult(mrOk);
}

void TFNew_Project::Set_Lang()
{
  SetCaption(Lang_Text(100));
  L_SW_Desc->SetCaption(Lang_Text(101));
  Label1->SetCaption(Lang_Text(102));
  Btn_OK->SetCaption(Lang_Text(103));
  Btn_Cancel->SetCaption(Lang_Text(104));
  E_New_Proj->SetHint(Lang_Text(108));
  Btn_OK->SetHint(Lang_Text(109));
  Btn_Cancel->SetHint(Lang_Text(110));
}

// ---------------------------------------------------------------------------------------------
// Open project

TFOpenConf::TFOpenConf(TComponent *AOwner) : TLangForm(AOwner), SL(std::make_unique<TStringList>())
{
  Set_Up_Dialog(this, QStringLiteral("FOpenConf"));
  SetClientSize(377, 351);
  const TBands B = Make_Bands(this, 377);
  P_Title = B.P_Title;
  L_SW_Code = B.L_SW_Code;
  L_SW_Desc = B.L_SW_Desc;
  P_Button = B.P_Button;
  Btn_OK = B.Btn_OK;
  Btn_Cancel = B.Btn_Cancel;
  Btn_OK->SetModalResult(mrOk);

  Label1 = new TLabel(this);
  Label1->SetName(QStringLiteral("Label1"));
  Label1->SetParent(this);
  Label1->SetBounds(16, 62, 345, 13);

  ListBox1 = new TListBox(this);
  ListBox1->SetName(QStringLiteral("ListBox1"));
  ListBox1->SetParent(this);
  ListBox1->SetBounds(16, 80, 345, 222);
  ListBox1->SetTabOrder(0);
  ListBox1->SetShowHint(true);
  ListBox1->OnClick = [this](TObject *Sender) { ListBox1Click(Sender); };

  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
  OnShow = [this](TObject *Sender) { FormShow(Sender); };
}

TFOpenConf::~TFOpenConf() = default;

void TFOpenConf::FormCreate(TObject *)
{
  L_SW_Code->SetCaption(AppState().Software_Code);
  SetClientSize(377, 351);
  Set_Lang();
}

void TFOpenConf::Load_Existing_Configuration()
{
  SL->Clear();
  for (const QString &D : FindDirectories(AppState().Projects_Dir)) SL->Add(D);
}

int TFOpenConf::Search_Open_Conf(const QString &snc)
{
  const QString Key = snc.toUpper();
  for (int i = 0; i < SL->Count(); ++i)
    if (SL->Strings(i).toUpper() == Key) return i;
  return -1;
}

void TFOpenConf::FormShow(TObject *)
{
  const TAppState &S = AppState();
  Load_Existing_Configuration();
  ListBox1->Items()->Assign(SL.get());

  QString Current;
  const QString Prefix = S.Projects_Dir + QLatin1Char('/');
  if (!S.Project_Dir.isEmpty() && S.Project_Dir.startsWith(Prefix)) Current = S.Project_Dir.mid(Prefix.size());

  int Index = Search_Open_Conf(Current);
  if (Index < 0 && SL->Count() > 0) Index = 0;
  ListBox1->SetItemIndex(Index);
  Name_Conf = Index >= 0 ? SL->Strings(Index) : QString();
  SetActiveControl(ListBox1);
}

void TFOpenConf::ListBox1Click(TObject *)
{
  const int Index = ListBox1->ItemIndex();
  if (Index >= 0 && Index < SL->Count()) Name_Conf = SL->Strings(Index);
}

void TFOpenConf::Set_Lang()
{
  SetCaption(Lang_Text(200));
  L_SW_Desc->SetCaption(Lang_Text(201));
  Label1->SetCaption(Lang_Text(202));
  Btn_OK->SetCaption(Lang_Text(203));
  Btn_Cancel->SetCaption(Lang_Text(204));
  ListBox1->SetHint(Lang_Text(205));
  Btn_OK->SetHint(Lang_Text(206));
  Btn_Cancel->SetHint(Lang_Text(207));
}
