#include "project/app_state.h"

#include "framework/classes/classes.h"

TAppState::TAppState()
    : Row_Clipboard(std::make_unique<TStringList>()),
      MIB_Read_Names(std::make_unique<TStringList>()),
      MIB_Write_Names(std::make_unique<TStringList>())
{
}

TAppState::~TAppState() = default;

void TAppState::Reset()
{
  App_Dir.clear();
  Master_Dir.clear();
  Projects_Dir.clear();
  Language_Dir.clear();
  Project_Name.clear();
  Project_Dir.clear();
  Main_Title.clear();
  Software_Code.clear();
  Software_Description.clear();
  Last_IP_Address.clear();
  Language_Name.clear();
  Update_Option = 0;
  Update_Read_Back = false;
  Opt_Enable_Internet = false;
  Opt_Enable_Update = false;
  Opt_Jump_Field_Tables = false;
  Opt_Double_Click_Auto_Size = false;
  for (QString *f : {&File_ParGen, &File_S7_Protocol, &File_KNX_SetAccess, &File_IEC61850_Variables,
                     &File_TLS_Known_Cert, &File_CAN_Rec_Frames, &File_CAN_Send_Frames,
                     &File_SDO_Server_CANopen, &File_SDO_Client_CANopen, &File_PDO_CANopen,
                     &File_SNMP_Trap, &File_MQTT_Set_Topic, &File_BACnet_Slave, &File_OPC_UA_Server})
    f->clear();
  // Fresh lists, so that nothing a test attached (events, objects, sorting) survives.
  Row_Clipboard = std::make_unique<TStringList>();
  Row_Clipboard_Checks.clear();
  MIB_Read_Names = std::make_unique<TStringList>();
  MIB_Write_Names = std::make_unique<TStringList>();
  Lang_Texts.clear();
  Lang_Text_Count = 0;
}

TAppState &AppState()
{
  static TAppState state;
  return state;
}
