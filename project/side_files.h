#pragma once
// Device-description side files for the tools of other field buses: PROFIBUS GSD, CANopen EDS,
// SNMP MIB and BACnet EDE. Each writer builds its text from the project's files and saves it
// whole, atomically, in the ANSI code page with CR LF line ends and no byte-order mark.
//
// The user actions (Save_GSD_File, Build_EDS_File, Save_MIB_File, BACnet_EDE_File) run their
// dialogs through TSideFileUI, so the main window's handlers only forward to them.
#include "project/maker.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class TXMLDocument;

// ---------------------------------------------------------------------------------------------
// Dialogs of the user actions, supplied by the main window.

enum class TSideSaveDialog {
  sdGSD,  // "Generic Station Description (*.gsd)|*.gsd"
  sdEDS,  // SaveEDS: "Electronic Data Sheet (*.eds)|*.eds", default extension "*.eds"
  sdMIB,  // SaveMIB: "Management Information Base (*.mib)|*.mib", default extension "*.mib"
  sdEDE   // SD1: "CSV (MS-DOS) (*.csv)|*.csv"
};

struct TSideFileUI {
  // Runs the save dialog, opening in InitialDir; false on Cancel, else the chosen name.
  std::function<bool(TSideSaveDialog Dialog, const QString &InitialDir, QString &FileName)>
      Execute_Save;
  // Error box showing text number TextNo with an OK button.
  std::function<void(int TextNo)> Show_Error;
  // Confirmation box showing text number TextNo with Yes and No (and Cancel when WithCancel);
  // true only for Yes.
  std::function<bool(int TextNo, bool WithCancel)> Ask_Yes;
};

// ---------------------------------------------------------------------------------------------
// Module state, kept for the length of one export.

struct EDS_PDO_Entry {
  uint32_t COB_ID = 0;
  uint32_t Dimension = 0;  // mapped one-byte entries
};

struct SDO_Sub_Type {
  uint8_t Sub = 0;
  uint8_t Quantity = 0;  // bytes
  bool Readonly = false;
  QString Mnemonic;
};

struct SDO_Index {
  uint16_t Index = 0;
  std::vector<SDO_Sub_Type> Sub_Indexs;
};

// One line of the EDE file.
struct TBACnet_EDE_Obj {
  QString Keyname;
  QString DevObjInstance;
  QString ObjectName;
  QString ObjectType;
  QString ObjectInstance;
  QString Description;
  QString UnitCode;
};

constexpr int EDS_Max_PDO = 30;         // per direction
constexpr int MIB_Max_Rows = 256;       // enabled rows collected per table
constexpr int MIB_Max_Descriptor = 64;  // longest SMIv2 descriptor
constexpr int EDE_Max_Type_Code = 48;   // highest supported BACnet object type

struct TSideFileState {
  // GSD
  int GSD_Input_Len = 0;   // slave to master, bytes
  int GSD_Output_Len = 0;  // master to slave, bytes

  // EDS: entries 0..29 receive PDOs, 30..59 transmit PDOs.
  std::array<EDS_PDO_Entry, 2 * EDS_Max_PDO> EDS_PDO_Table{};
  int EDS_RX_PDO_Count = 0;
  int EDS_TX_PDO_Count = 0;
  std::vector<SDO_Index> EDS_SDO_Objects;

  // MIB: entry k for the k-th enabled read row, 256 + k for the write rows.
  std::array<bool, 2 * MIB_Max_Rows> MIB_Int_Flags{};

  // EDE
  std::vector<TBACnet_EDE_Obj> EDE_Objects;
  QString EDE_Device_Instance;
  bool EDE_Long_Names = false;
  std::array<int, EDE_Max_Type_Code + 1> EDE_Instances{};

  void Reset();
};

TSideFileState &SideFileState();

// ---------------------------------------------------------------------------------------------
// Common

// Saves the lines, each ended by CR LF, in the ANSI code page, replacing the file atomically.
// Raises EFCreateError when the file cannot be written.
void Save_Side_File(const QStringList &Lines, const QString &FileName);

// ---------------------------------------------------------------------------------------------
// PROFIBUS GSD

// The user action: checks ParGen.xml (text 1104), reads the sizes and refuses those a GSD cannot
// describe (GSD_Size_Error), asks for the name, the overwrite question (text 1103), then writes.
void Save_GSD_File(const TSideFileUI &UI);
// 0 when both sizes lie in 0 .. 244 bytes, the most PROFIBUS DP carries per direction; else the
// number of the text that says which is wrong: 477 for GSD_Output_Len (the converter's input),
// 478 for GSD_Input_Len.
int GSD_Size_Error();
// Reads GSD_Output_Len and GSD_Input_Len from ParGen.xml ("PROFINET_NB_IN", "PROFINET_NB_OUT")
// with a document of its own; 0 for whatever cannot be read.
void Load_GSD_Sizes();
// The chosen name with ".gsd" appended unless its lower-case form ends in the first ".gsd".
QString GSD_File_Name(const QString &Chosen);
// Both raise Exception with the text of GSD_Size_Error for sizes a GSD cannot describe.
QStringList Build_GSD_Lines();
void Write_GSD_File(const QString &FileName);

// ---------------------------------------------------------------------------------------------
// CANopen EDS

extern const char *const EDS_File_Name;
extern const char *const EDS_Description;
extern const char *const EDS_Product_Number;
extern const char *const EDS_Order_Code;
extern const char *const EDS_RPDO_Names[EDS_Max_PDO];
extern const char *const EDS_TPDO_Names[EDS_Max_PDO];

// The main window's action: save dialog SaveEDS in Project_Dir, then Write_EDS_File; no
// overwrite question.
void Build_EDS_File(const TSideFileUI &UI, TXMLDocument &XML1);
void Load_EDS_PDO_Table(TXMLDocument &XML1);
// Raises EConvertError for a row whose "Index", "SubIndex" or "NByte" is missing or no number.
// A sub-index met again (in either table) keeps its first size and becomes writable when a
// write row holds it.
void Load_EDS_SDO_Table(TXMLDocument &XML1);
int Find_SDO_Index(uint16_t Index);
void Sort_SDO_Sub_Indexs();
// Loads both tables and builds the text; the clock is read once.
QStringList Build_EDS_Lines(TXMLDocument &XML1);
void Write_EDS_File(const QString &FileName, TXMLDocument &XML1);

// ---------------------------------------------------------------------------------------------
// SNMP MIB

// The user action: save dialog SaveMIB in Project_Dir, overwrite question (text 1105), then
// Load_MIB_Objects and Write_MIB_File.
void Save_MIB_File(const TSideFileUI &UI);
// Fills MIB_Read_Names, MIB_Write_Names and the flags from SNMP_Trap.xml with a document of
// its own.
void Load_MIB_Objects();
// The module as SMIv2 text. An object is named after its description when that is a valid
// descriptor not yet taken; otherwise after a descriptor derived from it or after its parent and
// number. Descriptions lose their quotes, line breaks and non-ASCII characters.
QStringList Build_MIB_Lines();
void Write_MIB_File(const QString &FileName);

// ---------------------------------------------------------------------------------------------
// BACnet EDE

// The main window's action: save dialog SD1 in Project_Dir, ".csv" appended when missing,
// overwrite question (text 1105, Yes/No/Cancel), then Save_EDE_File.
void BACnet_EDE_File(const TSideFileUI &UI, TXMLDocument &XML1);
// The chosen name with ".csv" appended unless its last four characters are ".csv" in any case.
QString EDE_File_Name(const QString &Chosen);
void Save_EDE_File(const QString &FileName, TXMLDocument &XML1);
void Generate_EDE_File(const QString &FileName, TXMLDocument &XML1);
void Reset_EDE_Instances();
int BACnet_Object_Type_Code(const QString &Text);
int Next_EDE_Instance(int Type);
QString EDE_Time_Stamp();
void Load_EDE_Device(TXMLDocument &XML1);
void Load_EDE_Objects(TXMLDocument &XML1);
QStringList Build_EDE_Lines();
void Write_EDE_Csv(const QString &FileName);
