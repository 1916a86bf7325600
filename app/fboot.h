#pragma once
// The device-update dialog in its Ethernet mode: the gateway's address in four octet boxes,
// the update option and the read-back choice. "Execute Update Firmware" pings the gateway,
// writes the updater's job file "Ethernet_Update.xml" into the program folder and runs the
// external updater "Ethernet_Update.exe" from there, waiting for it to end.
#include "framework/controls/forms.h"
#include "framework/services/xmldoc.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "ui/form_base.h"

#include <QString>

class TLbButton;
class TIcmpClient;
struct TReplyStatus;

// The updater and its job file, both in the program folder.
inline const QString Updater_File_Name = QStringLiteral("Ethernet_Update.exe");
inline const QString Updater_Job_File_Name = QStringLiteral("Ethernet_Update.xml");
// The echo client's settings and the ping loop's limits (ms).
constexpr int Ping_Reply_Timeout = 400;
constexpr int Ping_Packet_Size = 1024;
constexpr int Ping_Time_Limit = 5000;
constexpr int Ping_Answers_Needed = 2;

class TFBoot : public TLangForm {
public:
  explicit TFBoot(TComponent *AOwner);
  ~TFBoot() override;

  // 0 serial (not used by this build), 1 Ethernet; Update_Device sets 1 before every showing.
  int Form_Type = 0;
  // State of the last echo: 0 no report yet, 1 a reply carrying data, 2 no data (time-out).
  int ping_res = 0;

  // Step 5 of the main window: builds the three banks, writes the bank files and shows the
  // dialog in Ethernet mode. Bank files that cannot be written stop here, with a message.
  void Update_Device();

  void FormCreate(TObject *Sender);
  void FormShow(TObject *Sender);
  void KeyPress(TObject *Sender, QChar &Key);
  void Btn_UpdateClick(TObject *Sender);
  void PingReply(TComponent *ASender, const TReplyStatus &AReplyStatus);
  void Set_Lang() override;
  bool Send_Ping();
  void Compile_XML_Parameter_New_Boot();

  // The four octet boxes joined with ".".
  QString Joined_Address() const;

  // Tests: the ping loop's overall limit in ms (Ping_Time_Limit by default).
  int Ping_Limit_Ms = Ping_Time_Limit;

  TPanel *P_Title = nullptr;
  TLabel *L_SW_Code = nullptr;
  TLabel *L_SW_Desc = nullptr;
  TPanel *P_IP_Address = nullptr;
  TLabel *L_IP_Address = nullptr;
  TEdit *E_IP1 = nullptr;
  TEdit *E_IP2 = nullptr;
  TEdit *E_IP3 = nullptr;
  TEdit *E_IP4 = nullptr;
  TLabel *Label1 = nullptr;
  TLabel *Label2 = nullptr;
  TLabel *Label3 = nullptr;
  TPanel *P_Eth_Search = nullptr;
  TPanel *P_Options = nullptr;
  TLabel *L_Update_Option = nullptr;
  TComboBox *CB_Update_Options = nullptr;
  TCheckBox *CB_Update_Option_Read_Back = nullptr;
  TPanel *P_Serial = nullptr;
  TPanel *P_Button = nullptr;
  TLbButton *Btn_Cancel = nullptr;
  TLbButton *Btn_Update = nullptr;
  TIcmpClient *Ping = nullptr;
  TXMLDocument *XML1 = nullptr;

private:
  // Runs the updater and waits for it; reports a start failure, a failing end or an updater
  // still running when the wait ends.
  void Run_Updater();

  // Id of the updater started last (0: none); a second one is not started while it runs.
  qint64 FUpdater_Pid = 0;
  // The system's reason when the last ping could not be sent at all (empty otherwise).
  QString FPing_Error;
  bool FBusy = false;
};
