// TFParGen: loading "ParGen.xml" into the controls when the dialog is shown.
#include "app/fpargen.h"

#include "ui/lbbutton.h"
#include "framework/controls/messages.h"
#include "framework/dialogs/dialogs.h"
#include "framework/stdctrls/comctrls.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/system/paths.h"
#include "framework/system/sysutils.h"
#include "project/app_state.h"

std::vector<TControl *> TFParGen::Value_Controls() const
{
  return {E_S7_Protocol_IP1,     E_S7_Protocol_IP2,     E_S7_Protocol_IP3,         E_S7_Protocol_IP4,
          E_S7_Protocol_SM1,     E_S7_Protocol_SM2,     E_S7_Protocol_SM3,         E_S7_Protocol_SM4,
          E_S7_Protocol_GAT1,    E_S7_Protocol_GAT2,    E_S7_Protocol_GAT3,        E_S7_Protocol_GAT4,
          CB_S7_Protocol_En_GAT, E_MQTT_Server,         E_MQTT_Server_Port,        E_MQTT_Client_ID,
          E_MQTT_Keep_Alive,     CB_MQTT_Clean_Session, CB_MQTT_WillFlag,          E_MQTT_Will_TopicName,
          E_MQTT_Will_Message,   CB_MQTT_Will_Retained, CB_MQTT_Will_QoS,          E_MQTT_Username,
          E_MQTT_Password,       E_MQTT_ASync_Send_Time, E_Ethernet_IP1,           E_Ethernet_IP2,
          E_Ethernet_IP3,        E_Ethernet_IP4,        E_Ethernet_SM1,            E_Ethernet_SM2,
          E_Ethernet_SM3,        E_Ethernet_SM4,        E_Ethernet_GAT1,           E_Ethernet_GAT2,
          E_Ethernet_GAT3,       E_Ethernet_GAT4,       CB_Ethernet_En_GAT,        E_Ethernet_DNS1,
          E_Ethernet_DNS2,       E_Ethernet_DNS3,       E_Ethernet_DNS4,           CB_Ethernet_DNS,
          CB_TLS_Enable,         CB_TLS_En_Server_Auth, E_TLS_Server_Cert,         CB_TLS_En_Client_Auth,
          E_TLS_Client_Cert,     E_TLS_Client_Cert_Key, E_TLS_Client_Cert_Key_Pass, E_NTP_Server_URL,
          E_NTP_Poll_Time};
}

void TFParGen::Put_Values(const QStringList &Values)
{
  const std::vector<TControl *> Controls = Value_Controls();
  for (int i = 0; i < ParGen_Element_Count; ++i) {
    const QString &V = Values[i];
    TControl *C = Controls[size_t(i)];
    switch (ParGen_Elements[i].Kind) {
    case pkText:
    case pkMultiLine:
      C->SetText(V);
      break;
    case pkCheck:
      static_cast<TCheckBox *>(C)->SetChecked(V == QLatin1String("1"));
      break;
    case pkCheckInt:
      static_cast<TCheckBox *>(C)->SetChecked(StrToIntDef(V, 0) == 1);
      break;
    case pkItemIndex:
      static_cast<TComboBox *>(C)->SetItemIndex(StrToIntDef(V, 0));
      break;
    }
  }
}

bool TFParGen::Load_ParGen(QStringList &Values)
{
  const QString File = AppState().File_ParGen;
  // Only a missing file gives the defaults; a folder or device of that name is reported below.
  if (!PathExists(File)) {
    Values = ParGen_Defaults();
    return true;
  }
  try {
    XML1->LoadFromFile(File);
  } catch (const Exception &E) {
    // Offering the defaults here would let OK overwrite a file the user may still repair.
    MessageDlg(QStringLiteral("The communication settings cannot be read from \"%1\".\n\n%2\n\n"
                              "The file was left unchanged. Correct or remove it, then open the settings again.")
                   .arg(File, E.Message()),
               mtError, TMsgDlgButtons{mbOK}, 0);
    return false;
  }
  Values = Read_ParGen(XML1);
  return true;
}

void TFParGen::FormShow(TObject *Sender)
{
  QStringList Values;
  FLoadFailed = !Load_ParGen(Values);
  Btn_OK->SetEnabled(!FLoadFailed);
  if (FLoadFailed) {
    // ShowModal clears the modal result after OnShow, so the close is queued instead.
    PostMessage(Handle(), WM_CLOSE, 0, 0);
    return;
  }
  Put_Values(Values);
  Move_GroupBoxs();
}
