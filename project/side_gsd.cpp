// PROFIBUS GSD writer: a GSD revision 5 template with a modular I/O layout computed from the
// two data sizes of the project's communication settings.
#include "project/side_files.h"

#include "framework/services/xmldoc.h"
#include "framework/system/paths.h"
#include "framework/system/sysutils.h"
#include "project/app_state.h"
#include "project/table_rows.h"

#include <memory>

namespace {

enum TGSDLineKind {
  glText,
  glVendor,
  glStreet,
  glTown,
  glProvince,
  glTelephone,
  glFax,
  glEMail,
  glIdent,
  glSlaveFamily,
  glMaxModule,
  glMaxInput,
  glMaxOutput,
  glMaxData
};

struct TGSDLine {
  const char16_t *Text;  // nullptr for a computed line
  TGSDLineKind Kind;
  int Empty_After;
};

// The fixed part up to the module definition list.
const TGSDLine GSD_Head[] = {
    {u";", glText, 0},  // 1
    {u";******************* S7 Protocol / PROFIBUS Slave - Converter ***********************", glText, 0},  // 2
    {u";* ================================================================================ *", glText, 0},  // 3
    {u";*                                                                                  *", glText, 0},  // 4
    {nullptr, glVendor, 0},  // 5
    {nullptr, glStreet, 0},  // 6
    {nullptr, glTown, 0},  // 7
    {nullptr, glProvince, 0},  // 8
    {nullptr, glTelephone, 0},  // 9
    {nullptr, glFax, 0},  // 10
    {nullptr, glEMail, 0},  // 11
    {u";*                                                                                  *", glText, 0},  // 12
    {u";* ================================================================================ *", glText, 0},  // 13
    {u";*                                                                                  *", glText, 0},  // 14
    {u";* Function:       S7 Protocol / PROFIBUS Slave - Converter                         *", glText, 0},  // 15
    {u";*                                                                                  *", glText, 0},  // 16
    {u";*                                                                                  *", glText, 0},  // 17
    {u";* Order Number : QG40227                                                           *", glText, 0},  // 18
    {u";*                                                                                  *", glText, 0},  // 19
    {u";*                                                                                  *", glText, 0},  // 20
    {u";************************************************************************************", glText, 2},  // 21
    {u"#Profibus_DP", glText, 2},  // 22
    {u";====================================================================================", glText, 0},  // 23
    {u";==== Prm-Text-Def-List =============================================================", glText, 0},  // 24
    {u";====================================================================================", glText, 1},  // 25
    {u"PrmText=1", glText, 0},  // 26
    {u"Text(0)=\"disable\"", glText, 0},  // 27
    {u"Text(1)=\"enable\"", glText, 0},  // 28
    {u"EndPrmText", glText, 1},  // 29
    {u"PrmText  = 2", glText, 0},  // 30
    {u"Text(0)  = \"clock up\"", glText, 0},  // 31
    {u"Text(1)  = \"clock down\"", glText, 0},  // 32
    {u"EndPrmText", glText, 1},  // 33
    {u"PrmText  = 3", glText, 0},  // 34
    {u"Text(1)  = \"10\"", glText, 0},  // 35
    {u"Text(2)  = \"20\"", glText, 0},  // 36
    {u"Text(3)  = \"30\"", glText, 0},  // 37
    {u"Text(4)  = \"40\"", glText, 0},  // 38
    {u"Text(5)  = \"50\"", glText, 0},  // 39
    {u"EndPrmText", glText, 2},  // 40
    {u";=====================================================================================", glText, 0},  // 41
    {u";==== Ext-User-Prm-Data-Def-List =====================================================", glText, 0},  // 42
    {u";=====================================================================================", glText, 1},  // 43
    {u"ExtUserPrmData=1 \"[SlotNumber]\"", glText, 0},  // 44
    {u"Unsigned8 0 0-32", glText, 0},  // 45
    {u"EndExtUserPrmData", glText, 1},  // 46
    {u"ExtUserPrmData=2 \"Diagnostic Alarm\"", glText, 0},  // 47
    {u"Bit(0) 0 0-1", glText, 0},  // 48
    {u"Prm_Text_Ref=1", glText, 0},  // 49
    {u"EndExtUserPrmData", glText, 1},  // 50
    {u"ExtUserPrmData=3 \"Process Alarm\"", glText, 0},  // 51
    {u"Bit(1) 0 0-1", glText, 0},  // 52
    {u"Prm_Text_Ref=1", glText, 0},  // 53
    {u"EndExtUserPrmData", glText, 1},  // 54
    {u"ExtUserPrmData=4 \"Counter mode\"", glText, 0},  // 55
    {u"Unsigned8 0 0-1", glText, 0},  // 56
    {u"Prm_Text_Ref=2", glText, 0},  // 57
    {u"EndExtUserPrmData", glText, 1},  // 58
    {u"ExtUserPrmData=5 \"Counter timebase (ms)\"", glText, 0},  // 59
    {u"Unsigned8 1 1-5", glText, 0},  // 60
    {u"Prm_Text_Ref=3", glText, 0},  // 61
    {u"EndExtUserPrmData", glText, 1},  // 62
    {u"ExtUserPrmData=6 \"Counter high-limit\"", glText, 0},  // 63
    {u"Unsigned16 65535 0-65535", glText, 0},  // 64
    {u"EndExtUserPrmData", glText, 1},  // 65
    {u"ExtUserPrmData=7 \"Counter low-limit\"", glText, 0},  // 66
    {u"Unsigned16 0 0-65535", glText, 0},  // 67
    {u"EndExtUserPrmData", glText, 2},  // 68
    {u";=====================================================================================", glText, 0},  // 69
    {u";==== General DP Keywords ============================================================", glText, 0},  // 70
    {u";=====================================================================================", glText, 1},  // 71
    {u"GSD_Revision = 5", glText, 0},  // 72
    {u"Vendor_Name = \"Velmora\"", glText, 0},  // 73
    {u"Model_Name = \"QG40227\"", glText, 0},  // 74
    {u"Revision = \"1.00\"", glText, 0},  // 75
    {nullptr, glIdent, 0},  // 76
    {u"Protocol_Ident = 0", glText, 0},  // 77
    {u"Station_Type = 0", glText, 0},  // 78
    {u"FMS_supp = 0", glText, 0},  // 79
    {u"Hardware_Release = \"V1.00\"", glText, 0},  // 80
    {u"Software_Release = \"V1.00\"", glText, 0},  // 81
    {u"Redundancy = 0", glText, 0},  // 82
    {u"Repeater_Ctrl_Sig = 2", glText, 0},  // 83
    {u"24V_Pins = 0", glText, 2},  // 84
    {u";==============================================================================", glText, 0},  // 85
    {u";==== Supported baudrates =====================================================", glText, 0},  // 86
    {u";==============================================================================", glText, 1},  // 87
    {u"9.6_supp = 1", glText, 0},  // 88
    {u"19.2_supp = 1", glText, 0},  // 89
    {u"45.45_supp = 1", glText, 0},  // 90
    {u"93.75_supp = 1", glText, 0},  // 91
    {u"187.5_supp = 1", glText, 0},  // 92
    {u"500_supp = 1", glText, 0},  // 93
    {u"1.5M_supp = 1", glText, 0},  // 94
    {u"3M_supp = 1", glText, 0},  // 95
    {u"6M_supp = 1", glText, 0},  // 96
    {u"12M_supp = 1", glText, 1},  // 97
    {u"MaxTsdr_9.6=15", glText, 0},  // 98
    {u"MaxTsdr_19.2=15", glText, 0},  // 99
    {u"MaxTsdr_45.45=15", glText, 0},  // 100
    {u"MaxTsdr_93.75=15", glText, 0},  // 101
    {u"MaxTsdr_187.5=15", glText, 0},  // 102
    {u"MaxTsdr_500=15", glText, 0},  // 103
    {u"MaxTsdr_1.5M=20", glText, 0},  // 104
    {u"MaxTsdr_3M=35", glText, 0},  // 105
    {u"MaxTsdr_6M=50", glText, 0},  // 106
    {u"MaxTsdr_12M=95", glText, 2},  // 107
    {u";==============================================================================", glText, 0},  // 108
    {u";==== Slave specific values ===================================================", glText, 0},  // 109
    {u";==============================================================================", glText, 1},  // 110
    {u"OrderNumber=\"QG40227\"", glText, 0},  // 111
    {nullptr, glSlaveFamily, 0},  // 112
    {u"Implementation_Type = \"VPC3+\"", glText, 0},  // 113
    {u"Info_Text=\"Velmora: S7 Protocol / PROFIBUS Slave - Converter\"", glText, 0},  // 114
    {u"Bitmap_Device = \"DPV0_1N\"", glText, 0},  // 115
    {u"Bitmap_SF=\"DPV0_1S\"", glText, 1},  // 116
    {u"Freeze_Mode_supp=1", glText, 0},  // 117
    {u"Sync_Mode_supp=1", glText, 0},  // 118
    {u"Fail_Safe=1", glText, 0},  // 119
    {u"Auto_Baud_supp=1", glText, 0},  // 120
    {u"Set_Slave_Add_supp=0", glText, 1},  // 121
    {u"Min_Slave_Intervall=6", glText, 1},  // 122
    {u"Modular_Station=1", glText, 0},  // 123
    {nullptr, glMaxModule, 0},  // 124
    {u"Modul_Offset=1", glText, 0},  // 125
    {nullptr, glMaxInput, 0},  // 126
    {nullptr, glMaxOutput, 0},  // 127
    {nullptr, glMaxData, 0},  // 128
    {u"Max_Diag_Data_Len=15", glText, 1},  // 129
    {u"WD_Base_1ms_supp = 1", glText, 0},  // 130
    {u"Publisher_supp = 1", glText, 1},  // 131
    {u";==============================================================================", glText, 0},  // 132
    {u";==== User-Prm-Data ===========================================================", glText, 0},  // 133
    {u";==============================================================================", glText, 1},  // 134
    {u"Max_User_Prm_Data_Len = 12", glText, 0},  // 135
    {u"Ext_User_Prm_Data_Const(0)= 0x00,0x00,0x00", glText, 1},  // 136
    {u";==============================================================================", glText, 0},  // 137
    {u";==== Modulstatus =============================================================", glText, 0},  // 138
    {u";==============================================================================", glText, 1},  // 139
    {u"Unit_Diag_Area = 24 - 25", glText, 0},  // 140
    {u"Value(1)= \"Slot 1: Module error\"", glText, 0},  // 141
    {u"Value(2)= \"Slot 1: Wrong module\"", glText, 0},  // 142
    {u"Value(3)= \"Slot 1: No module\"", glText, 0},  // 143
    {u"Unit_Diag_Area_End", glText, 0},  // 144
    {u"Unit_Diag_Area = 26 - 27", glText, 0},  // 145
    {u"Value(1)= \"Slot 2: Module error\"", glText, 0},  // 146
    {u"Value(2)= \"Slot 2: Wrong module\"", glText, 0},  // 147
    {u"Value(3)= \"Slot 2: No module\"", glText, 0},  // 148
    {u"Unit_Diag_Area_End", glText, 2},  // 149
    {u";==============================================================================", glText, 0},  // 150
    {u";==== Module-Definition-List ==================================================", glText, 0},  // 151
    {u";==============================================================================", glText, 1},  // 152
};

// A line of the contact box: padded with blanks so that "*" is the 85th character.
QString Box_Line(const QString &Text)
{
  QString S = Text;
  if (S.length() < 84) S += QString(84 - S.length(), QLatin1Char(' '));
  return S + QLatin1Char('*');
}

QString Box_Contact(const QString &Text)
{
  return Box_Line(";*" + QString(11, QLatin1Char(' ')) + Text);
}

// PROFIBUS DP carries at most 244 bytes per direction, the most a GSD's Max_Input_Len and
// Max_Output_Len can state. Larger sizes would also number modules past the one-byte module
// number of the configuration bytes.
constexpr int GSD_Max_Len = 244;

bool GSD_Len_OK(int Len)
{
  return Len >= 0 && Len <= GSD_Max_Len;
}

// Modules needed for a size: 64 bytes per module.
int GSD_Modules(int Len)
{
  return Len <= 0 ? 0 : (Len - 1) / 64 + 1;
}

void Add_Modules(QStringList &Lines, const QString &Kind, const QString &Code, int Len,
                 int Count, int &Number)
{
  int Rest = Len;
  for (int M = 0; M < Count; ++M) {
    const int Size = Rest > 64 ? 64 : Rest;
    Rest -= 64;
    Lines << "Module=\"" + Kind + IntToStr(Number) + ")    \" " + Code + ",0x" +
                 IntToHex(Size - 1, 2) + ",0x00,0x" + IntToHex(Number, 2);
    Lines << IntToStr(Number);
    Lines << "EndModule";
    ++Number;
  }
}

// The number in a direct child element of the root; 0 for a missing element, one holding
// elements, or text that is no number.
int Read_Size(const TTableFile &File, const char *Name)
{
  QString Text;
  return File.Child_Text(Name, Text) ? StrToIntDef(Text, 0) : 0;
}

}  // namespace

QString GSD_File_Name(const QString &Chosen)
{
  const int P = Pos(".gsd", LowerCase(Chosen));
  if (P > 0 && P + 3 == Length(Chosen)) return Chosen;
  return Chosen + ".gsd";
}

void Load_GSD_Sizes()
{
  TSideFileState &S = SideFileState();
  S.GSD_Output_Len = 0;
  S.GSD_Input_Len = 0;
  auto Doc = std::make_unique<TXMLDocument>();
  const TTableFile File(*Doc, AppState().File_ParGen);
  S.GSD_Output_Len = Read_Size(File, "PROFINET_NB_IN");
  S.GSD_Input_Len = Read_Size(File, "PROFINET_NB_OUT");
}

int GSD_Size_Error()
{
  const TSideFileState &S = SideFileState();
  // The converter's input is what the master sends, so text 477 ("Input") is about the
  // output length of the GSD.
  if (!GSD_Len_OK(S.GSD_Output_Len)) return 477;
  if (!GSD_Len_OK(S.GSD_Input_Len)) return 478;
  return 0;
}

QStringList Build_GSD_Lines()
{
  if (const int Error = GSD_Size_Error()) throw Exception(AppState().Lang_Texts.value(Error));
  const TSideFileState &S = SideFileState();
  const int DI = GSD_Modules(S.GSD_Input_Len);
  const int DO = GSD_Modules(S.GSD_Output_Len);

  QStringList Lines;
  for (const TGSDLine &L : GSD_Head) {
    switch (L.Kind) {
      case glText: Lines << QString::fromUtf16(L.Text); break;
      case glVendor: Lines << Box_Line(";* Vendor:   " + Maker_Company); break;
      case glStreet: Lines << Box_Contact(Maker_Street); break;
      case glTown: Lines << Box_Contact(Maker_Town); break;
      case glProvince: Lines << Box_Contact(Maker_Province); break;
      case glTelephone: Lines << Box_Contact("Tel. : " + Maker_Telephone); break;
      case glFax: Lines << Box_Contact("FAX. : " + Maker_Fax); break;
      case glEMail: Lines << Box_Contact("eMail: " + Maker_EMail); break;
      case glIdent: Lines << "Ident_Number = 0x" + IntToHex(Maker_PROFIBUS_Ident_Number, 4); break;
      case glSlaveFamily: Lines << "Slave_Family = 9@Velmora@QG40227"; break;
      case glMaxModule: Lines << "Max_Module=" + IntToStr(DI + DO); break;
      case glMaxInput: Lines << "Max_Input_Len=" + IntToStr(S.GSD_Input_Len); break;
      case glMaxOutput: Lines << "Max_Output_Len=" + IntToStr(S.GSD_Output_Len); break;
      case glMaxData:
        Lines << "Max_Data_Len=" + IntToStr(int64_t(S.GSD_Input_Len) + S.GSD_Output_Len);
        break;
    }
    for (int E = 0; E < L.Empty_After; ++E) Lines << QString();
  }

  int Number = 1;
  Add_Modules(Lines, "DI  (PORT", "0x42", S.GSD_Input_Len, DI, Number);
  Add_Modules(Lines, "DO  (PORT", "0x82", S.GSD_Output_Len, DO, Number);
  for (int E = 0; E < 3; ++E) Lines << QString();
  Lines << "SlotDefinition";
  for (int N = 1; N <= DI + DO; ++N) {
    const QString T = IntToStr(N);
    Lines << "Slot(" + T + ") = \"Slot " + T + "\" " + T + " " + T;
  }
  Lines << "EndSlotDefinition";
  for (int E = 0; E < 4; ++E) Lines << QString();
  return Lines;
}

void Write_GSD_File(const QString &FileName)
{
  Save_Side_File(Build_GSD_Lines(), FileName);
}

void Save_GSD_File(const TSideFileUI &UI)
{
  if (!FileExists(AppState().File_ParGen)) {
    UI.Show_Error(1104);
    return;
  }
  Load_GSD_Sizes();
  if (const int Error = GSD_Size_Error()) {
    UI.Show_Error(Error);
    return;
  }
  QString Chosen;
  if (!UI.Execute_Save(TSideSaveDialog::sdGSD, AppState().Project_Dir, Chosen)) return;
  const QString Name = GSD_File_Name(Chosen);
  if (FileExists(Name) && !UI.Ask_Yes(1103, false)) return;
  Write_GSD_File(Name);
}
