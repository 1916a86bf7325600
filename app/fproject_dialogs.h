#pragma once
// Step 1 of the main window: the dialogs that create a project (a folder under PROJECTS)
// and open an existing one.
#include "framework/controls/forms.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "ui/form_base.h"

#include <memory>

class TLbButton;

class TFNew_Project : public TLangForm {
public:
  explicit TFNew_Project(TComponent *AOwner);

  void FormCreate(TObject *Sender);
  void FormShow(TObject *Sender);
  void E_New_ProjKeyPress(TObject *Sender, QChar &Key);
  void Btn_OKClick(TObject *Sender);
  void Set_Lang() override;

  TPanel *P_Title = nullptr;
  TLabel *L_SW_Code = nullptr;
  TLabel *L_SW_Desc = nullptr;
  TLabel *Label1 = nullptr;
  TEdit *E_New_Proj = nullptr;
  TPanel *P_Button = nullptr;
  TLbButton *Btn_OK = nullptr;
  TLbButton *Btn_Cancel = nullptr;
};

class TFOpenConf : public TLangForm {
public:
  explicit TFOpenConf(TComponent *AOwner);
  ~TFOpenConf() override;

  // Project folder names found at the last showing.
  std::unique_ptr<TStringList> SL;
  // The project chosen in the list; read by the main window after OK.
  QString Name_Conf;

  void FormCreate(TObject *Sender);
  void FormShow(TObject *Sender);
  void ListBox1Click(TObject *Sender);
  void Load_Existing_Configuration();
  // Index in SL of the project snc, compared without regard to case; -1 when absent.
  int Search_Open_Conf(const QString &snc);
  void Set_Lang() override;

  TPanel *P_Title = nullptr;
  TLabel *L_SW_Code = nullptr;
  TLabel *L_SW_Desc = nullptr;
  TLabel *Label1 = nullptr;
  TListBox *ListBox1 = nullptr;
  TPanel *P_Button = nullptr;
  TLbButton *Btn_OK = nullptr;
  TLbButton *Btn_Cancel = nullptr;
};
