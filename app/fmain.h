#pragma once
// The main window: the step page of this build, the settings file "Quillomark.xml", the
// project file paths, the periodic update check, the language switch of every form and the
// launcher of external programs.
#include "framework/controls/controls.h"
#include "framework/controls/forms.h"
#include "framework/dialogs/dialogs.h"
#include "framework/services/xmldoc.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "ui/form_base.h"

#include <QString>

class TLbButton;
struct TSideFileUI;

// Name of the settings file in the program folder.
inline const QString Settings_File_Name = QStringLiteral("Quillomark.xml");
// Defaults of the settings file's items.
inline const QString Default_IP_Address = QStringLiteral("192.168.2.205");
inline const QString Default_Language = QStringLiteral("English");
// Longest wait of Start_Program for the started program, in ms.
constexpr int Start_Program_Wait_Limit = 149999;
// The update check's first tick after start-up, and its period afterwards (ms).
constexpr uint32_t Update_First_Interval = 60000;
constexpr uint32_t Update_Period_Interval = 7200000;

// True for a name that can be used as one folder name under its parent: not empty after
// nothing is removed, no "/" or "\", and not "." or "..".
bool Is_Single_Folder_Name(const QString &Name);

class TFQuillomarkeFirmWare : public TLangForm {
public:
  explicit TFQuillomarkeFirmWare(TComponent *AOwner);
  ~TFQuillomarkeFirmWare() override;

  // Operations used by the other forms
  void Set_Files();
  void Start_Program(const QString &NomeSW, const QString &Parameter, bool tipo);
  void Change_Language();
  void Save_Setting();
  void Set_Lang() override;
  void Create_New_Project();
  void Open_Project();
  // Builds the banks and shows the update dialog (the update dialog's module does the work).
  void Update_Device();

  // Event handlers
  void FormCreate(TObject *Sender);
  void FormClose(TObject *Sender, TCloseAction &Action);
  void Btn_Click(TObject *Sender);
  void Timer_UpdateTimer(TObject *Sender);
  void LL_UpdateLinkClick(TObject *Sender, const QString &Link);
  void L_VelmoraClick(TObject *Sender);

  // Controls (owned by the form)
  TLabel *L_SW_Code = nullptr;
  TLabel *L_SW_Desc = nullptr;
  TLabel *L_Begin = nullptr;
  TLabel *L_Step_1 = nullptr;
  TLabel *L_Step_2 = nullptr;
  TLabel *L_Step_3 = nullptr;
  TLabel *L_Step_4 = nullptr;
  TLabel *L_Step_5 = nullptr;
  TLabel *L_Step_6 = nullptr;
  TLabel *L_Step_7 = nullptr;
  TLabel *L_Step_8 = nullptr;
  TShape *Shape2 = nullptr;
  TLabel *L_Name_Conf = nullptr;
  TLabel *L_Name_Conf_L2 = nullptr;
  TLbButton *Btn_Info = nullptr;
  TLbButton *Btn_Opz = nullptr;
  TLbButton *Btn_Close = nullptr;
  TLbButton *Btn_New = nullptr;
  TLbButton *Btn_Open = nullptr;
  TLbButton *Btn_Prm_Gen = nullptr;
  TLbButton *Btn_S7_Protocol_Access = nullptr;
  TLbButton *Btn_MQTT_Set_Topic = nullptr;
  TLbButton *Btn_CreateBin = nullptr;
  TLbButton *Btn_PROFIBUS_GSD = nullptr;
  TLbButton *Btn_KNX_Access = nullptr;
  TLbButton *Btn_IEC61850_Access = nullptr;
  TLbButton *Btn_TLS_List_Certificates = nullptr;
  TLbButton *Btn_CAN_Rec_Frame = nullptr;
  TLbButton *Btn_CAN_Send_Frame = nullptr;
  TLbButton *Btn_SDO_Server_CANopen = nullptr;
  TLbButton *Btn_SDO_Client_CANopen = nullptr;
  TLbButton *Btn_PDO_CANopen = nullptr;
  TLbButton *Btn_CANopen_EDS = nullptr;
  TLbButton *Btn_SNMP_Trap = nullptr;
  TLbButton *Btn_SNMP_MIB = nullptr;
  TLbButton *Btn_BACnet_SetAccess = nullptr;
  TLbButton *Btn_BACnet_EDE_File = nullptr;
  TLbButton *Btn_OPC_UA_Server_Access = nullptr;
  TLbButton *Btn_PROFINET_XML = nullptr;
  TLabel *L_Velmora = nullptr;
  TShape *Shape1 = nullptr;
  TLinkLabel *LL_Update = nullptr;
  TTimer *Timer_Update = nullptr;
  TXMLDocument *XML1 = nullptr;
  // The update check's HTTP client is the software options' HTTP1, beside the check itself.
  TSaveDialog *SD1 = nullptr;
  TSaveDialog *SaveEDS = nullptr;
  TSaveDialog *SaveMIB = nullptr;

private:
  void Create_Controls();
  void Layout_Step_Page();
  void Load_Settings();
  void Show_Project_Indicator();
  TLbButton *Make_Step_Button(const QString &Name, const QString &Caption);
  TLabel *Make_Step_Label(const QString &Name, int Top);
  // The dialogs of the side-file exports.
  TSideFileUI Side_File_UI();
  void Build_EDS_File();
  void BACnet_EDE_File();
};
