#pragma once
// The software options: the UI language (a paged gallery of the installed language files
// with their flags), the connection options with the update check, and two table settings.
// The module also holds the update check itself, which the main window's timer uses too.
#include "framework/controls/forms.h"
#include "framework/stdctrls/comctrls.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "ui/form_base.h"

#include <QString>

#include <cstdint>
#include <memory>

class TLbButton;
class THTTPClient;
class TStringList;

// The build's software code, asked for at the version server.
inline const QString Build_Software_Code = QStringLiteral("QC40328");
// Languages shown on one page of the gallery.
constexpr int Lang_Slots_Per_Page = 6;
// The version server; tests point it at a local server.
extern QString Version_Server_Host;
extern uint16_t Version_Server_Port;
// Longest wait of the update check's request, in ms.
constexpr int Version_Request_Timeout = 10000;
// A link label caption: Text, shown as it is written, as one link to the maker's download page.
QString Download_Link_Caption(const QString &Text);

class TFSoftOptions : public TLangForm {
public:
  explicit TFSoftOptions(TComponent *AOwner);
  ~TFSoftOptions() override;

  // True when the maker's server names a newer version of the program than this build's.
  // Blocks until the request ends; a failed request counts as an empty reply.
  bool Check_Version();
  // The number of a version text such as "VER. 1.000" (1000), or -1.
  static int Conv_Version(const QString &Ver_str);

  void FormCreate(TObject *Sender);
  void FormShow(TObject *Sender);
  void Create_Lang_List();
  void Update_Lang_Page(int Num_Page);
  void Btn_NextClick(TObject *Sender);
  void LangClick(TObject *Sender);
  void Update_CheckBox();
  void CB_En_ConClick(TObject *Sender);
  void Btn_Check_UpdateClick(TObject *Sender);
  void LL_Check_UpdateLinkClick(TObject *Sender, const QString &Link, TSysLinkType LinkType);
  void Btn_OKClick(TObject *Sender);
  void Set_Lang() override;

  // Language file names (with ".lng"), sorted.
  std::unique_ptr<TStringList> SL_Languages;
  int Show_Page = 1;
  QString Language_In_Use;

  TPanel *P_Title = nullptr;
  TLabel *L_SW_Code = nullptr;
  TLabel *L_SW_Desc = nullptr;
  TPanel *P_Button = nullptr;
  TLbButton *Btn_OK = nullptr;
  TLbButton *Btn_Cancel = nullptr;
  TPageControl *PC_Options = nullptr;
  TTabSheet *TS_Language = nullptr;
  TLabel *L_Sel_Lang = nullptr;
  TLabel *L_Page_Lang = nullptr;
  // Slot k (1 to 6) is I_L[k - 1] / L_L[k - 1]: I_L1 ... I_L6, L_L1 ... L_L6.
  TImage *I_L[Lang_Slots_Per_Page] = {};
  TLabel *L_L[Lang_Slots_Per_Page] = {};
  TLbButton *Btn_Prev = nullptr;
  TLbButton *Btn_Next = nullptr;
  TTabSheet *TS_Con_Options = nullptr;
  TCheckBox *CB_En_Con = nullptr;
  TCheckBox *CB_Update = nullptr;
  TLbButton *Btn_Check_Update = nullptr;
  TLinkLabel *LL_Check_Update = nullptr;
  TTabSheet *TS_Soft_Settings = nullptr;
  TCheckBox *CB_Soft_Set_Jump_Table = nullptr;
  TCheckBox *CB_DoubleClick_Auto_Size = nullptr;
  // The update check's client: HTTP/1.0, no cookies, the fixed Accept and User-Agent.
  THTTPClient *HTTP1 = nullptr;

private:
  int Page_Count() const;
  // "Page n / m" for the page shown.
  void Show_Page_Caption();
  // Slot number 1 to 6 of a slot's image or label, 0 for anything else.
  int Slot_Of(TObject *Sender) const;
};
