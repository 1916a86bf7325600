#pragma once
// Application-wide state shared by every form, the bank builder and the side-file writers.
// One object for the whole run; tests call Reset() to start from the values at program start.
#include "project/validators.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class TStringList;

struct TAppState {
  TAppState();
  ~TAppState();
  TAppState(const TAppState &) = delete;
  TAppState &operator=(const TAppState &) = delete;

  // Folders use "/" and carry no trailing separator; the main window sets them at start-up.
  QString App_Dir;
  QString Master_Dir;    // App_Dir + "/MASTER"
  QString Projects_Dir;  // App_Dir + "/PROJECTS"
  QString Language_Dir;  // App_Dir + "/LANGUAGE"
  QString Project_Name;
  QString Project_Dir;   // empty while no project is open
  QString Main_Title;
  QString Software_Code;
  QString Software_Description;
  QString Last_IP_Address;
  QString Language_Name;  // without ".lng"

  int Update_Option = 0;
  bool Update_Read_Back = false;

  bool Opt_Enable_Internet = false;
  bool Opt_Enable_Update = false;
  bool Opt_Jump_Field_Tables = false;
  bool Opt_Double_Click_Auto_Size = false;

  // Full paths of the project files, recomputed from Project_Dir by the main window's Set_Files.
  QString File_ParGen;
  QString File_S7_Protocol;
  QString File_KNX_SetAccess;
  QString File_IEC61850_Variables;
  QString File_TLS_Known_Cert;
  QString File_CAN_Rec_Frames;
  QString File_CAN_Send_Frames;
  QString File_SDO_Server_CANopen;
  QString File_SDO_Client_CANopen;
  QString File_PDO_CANopen;
  QString File_SNMP_Trap;
  QString File_MQTT_Set_Topic;
  QString File_BACnet_Slave;
  QString File_OPC_UA_Server;

  // Program-wide clipboard of one table row: one text per data column, and for each
  // whether it came from a check-box cell.
  std::unique_ptr<TStringList> Row_Clipboard;
  std::vector<bool> Row_Clipboard_Checks;

  // Descriptions collected for the SNMP MIB side file.
  std::unique_ptr<TStringList> MIB_Read_Names;
  std::unique_ptr<TStringList> MIB_Write_Names;

  // Text table: entry n is text number n (see project/lang_texts.h).
  QStringList Lang_Texts;
  int Lang_Text_Count = 0;

  // Back to the values at program start: strings empty, numbers 0, flags False, the three
  // string lists empty and the text table empty.
  void Reset();
};

// The one state object of the program.
TAppState &AppState();
