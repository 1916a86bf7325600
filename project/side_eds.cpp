// CANopen EDS writer: fixed device and communication objects, one set of PDO objects per row of
// the PDO table and one manufacturer object per index of the SDO server table.
#include "project/side_files.h"

#include "framework/services/xmldoc.h"
#include "framework/system/paths.h"
#include "framework/system/sysutils.h"
#include "project/app_state.h"
#include "project/table_rows.h"

#include <algorithm>

const char *const EDS_File_Name = "S7comm_CANopen.eds";
const char *const EDS_Description = "S7comm / CANopen - Converter";
const char *const EDS_Product_Number = "274";
const char *const EDS_Order_Code = "QG40274";

const char *const EDS_RPDO_Names[EDS_Max_PDO] = {
    "b",  "c",  "d",  "e",  "f",  "g",  "h",  "j",  "k",  "i",  "aa", "ab", "ac", "ad", "ae",
    "af", "ag", "ah", "ai", "al", "am", "an", "ao", "ap", "aq", "ar", "as", "at", "au", "av"};
const char *const EDS_TPDO_Names[EDS_Max_PDO] = {
    "l",  "m",  "n",  "o",  "p",  "q",  "r",  "s",  "t",  "u",  "ca", "cb", "cc", "cd", "ce",
    "cf", "cg", "ch", "ci", "cl", "cm", "cn", "co", "cp", "cq", "cr", "cs", "ct", "cu", "cv"};

namespace {

// A PDO carries at most eight bytes, so at most eight one-byte entries can be mapped; a larger
// or negative value would only blow up the mapping sections.
constexpr uint32_t EDS_Max_Dimension = 8;

QString Hex2(uint32_t V) { return IntToHex(V, 2); }
QString Hex4(uint32_t V) { return IntToHex(V, 4); }
QString Hex8(uint32_t V) { return IntToHex(V, 8); }
// Sub-index in section names: upper-case hexadecimal without leading zeros.
QString SubHex(uint32_t V) { return IntToHex(V, 1); }

void Load_PDO_Section(const TTableFile &File, const char *Name, int First, int &Count)
{
  Count = 0;
  for (const TTableRow Row : File.Section(Name)) {
    if (Count >= EDS_Max_PDO) break;
    EDS_PDO_Entry &E = SideFileState().EDS_PDO_Table[First + Count];
    E.COB_ID = uint32_t(Row.Integer("COB-ID", 0));
    E.Dimension = std::min(uint32_t(Row.Integer("Dimension", 8)), EDS_Max_Dimension);
    ++Count;
  }
}

// The attribute as an integer; a missing attribute fails like a text that is no number.
int Attribute_Int(const TTableRow &Row, const char *Name)
{
  if (!Row.Has(Name))
    throw EConvertError(Format("Attribute '%s' is missing", QString::fromUtf8(Name)));
  return StrToInt(Row.Text(Name));
}

void Add_SDO_Entry(int Index, int Sub, int Quantity, bool Readonly)
{
  SDO_Sub_Type E;
  E.Sub = uint8_t(Sub);
  E.Quantity = uint8_t(Quantity);
  E.Readonly = Readonly;
  std::vector<SDO_Index> &Objects = SideFileState().EDS_SDO_Objects;
  const int P = Find_SDO_Index(uint16_t(Index));
  if (P >= 0) {
    // A sub-index given twice is one entry: the first row's size, and writable when either
    // table allows writing it.
    for (SDO_Sub_Type &Known : Objects[P].Sub_Indexs)
      if (Known.Sub == E.Sub) {
        Known.Readonly = Known.Readonly && Readonly;
        return;
      }
    Objects[P].Sub_Indexs.push_back(E);
  } else {
    SDO_Index O;
    O.Index = uint16_t(Index);
    O.Sub_Indexs.push_back(E);
    Objects.push_back(O);
  }
}

void Load_SDO_Section(const TTableFile &File, const char *Name, bool Readonly)
{
  for (const TTableRow Row : File.Section(Name)) {
    const int Index = Attribute_Int(Row, "Index");
    const int Sub = Attribute_Int(Row, "SubIndex");
    const int Quantity = Attribute_Int(Row, "NByte");
    Add_SDO_Entry(Index, Sub, Quantity, Readonly);
  }
}

// Lines of one object or sub-object section, followed by one empty line.
void Section(QStringList &L, const QString &Name, std::initializer_list<QString> Body)
{
  L << "[" + Name + "]";
  for (const QString &B : Body) L << B;
  L << QString();
}

void Var_Section(QStringList &L, const QString &Name, const QString &Parameter,
                 const QString &DataType, const QString &Access, const QString &Default,
                 const QString &PDOMapping = "0")
{
  Section(L, Name,
          {"ParameterName=" + Parameter, "ObjectType=0x07", "DataType=" + DataType,
           "AccessType=" + Access, "DefaultValue=" + Default, "PDOMapping=" + PDOMapping});
}

// A variable without a default value.
void Plain_Section(QStringList &L, const QString &Name, const QString &Parameter,
                   const QString &DataType, const QString &Access)
{
  Section(L, Name,
          {"ParameterName=" + Parameter, "ObjectType=0x07", "DataType=" + DataType,
           "AccessType=" + Access, "PDOMapping=0"});
}

void Fixed_Objects(QStringList &L)
{
  Var_Section(L, "1000", "Device Type", "0x0007", "const", "0x000101A4");
  Var_Section(L, "1001", "Error Register", "0x0005", "ro", "0x00");
  Var_Section(L, "1005", "COB-ID SYNC", "0x0007", "rw", "0x80000080");
  Var_Section(L, "1006", "Communication Cycle Period", "0x0007", "rw", "0x00000000");
  Var_Section(L, "1008", "Manufacturer Device Name", "0x0009", "const", "s1");
  Var_Section(L, "1014", "COB-ID EMCY", "0x0007", "ro", "$NODEID+0x80");
  Section(L, "1016",
          {"SubNumber=3", "ParameterName=Heartbeat Consumer Entries", "ObjectType=0x08"});
  Var_Section(L, "1016sub0", "Number of Entries", "0x0005", "ro", "0x02");
  Var_Section(L, "1016sub1", "Consumer Heartbeat Time 1", "0x0007", "rw", "0x00000000");
  Var_Section(L, "1016sub2", "Consumer Heartbeat Time 2", "0x0007", "rw", "0x00000000");
  Var_Section(L, "1017", "Producer Heartbeat Time", "0x0006", "rw", "0x000003E8");
  Section(L, "1018", {"SubNumber=5", "ParameterName=Identity Object", "ObjectType=0x09"});
  Var_Section(L, "1018sub0", "number of entries", "0x0005", "ro", "0x4");
  Plain_Section(L, "1018sub1", "Vendor Id", "0x0007", "ro");
  Plain_Section(L, "1018sub2", "Product Code", "0x0007", "ro");
  Plain_Section(L, "1018sub3", "Revision number", "0x0007", "ro");
  Plain_Section(L, "1018sub4", "Serial number", "0x0007", "ro");
  Section(L, "1029", {"SubNumber=2", "ParameterName=Error Behaviour", "ObjectType=0x08"});
  Var_Section(L, "1029sub0", "Number of Entries", "0x0005", "ro", "1");
  Var_Section(L, "1029sub1", "Communication Error", "0x0005", "rw", "0x0");
  Section(L, "1280",
          {"SubNumber=4", "ParameterName=Client SDO Parameter 1", "ObjectType=0x09"});
  Var_Section(L, "1280sub0", "Number of Entries", "0x0005", "ro", "0x03");
  Plain_Section(L, "1280sub1", "COB-ID Client -> Server", "0x0007", "rw");
  Plain_Section(L, "1280sub2", "COB-ID Server -> Client", "0x0007", "rw");
  Plain_Section(L, "1280sub3", "Node ID of the SDO Server", "0x0005", "rw");
  L.removeLast();  // the PDO blocks follow [1280sub3] without an empty line
}

void Communication_Block(QStringList &L, uint32_t X, const QString &Parameter,
                         const EDS_PDO_Entry &P)
{
  const QString N = Hex4(X);
  Section(L, N, {"SubNumber=4", "ParameterName=" + Parameter, "ObjectType=0x09"});
  Var_Section(L, N + "sub0", "Number of Entries", "0x0005", "ro", "0x03");
  Var_Section(L, N + "sub1", "COB-ID", "0x0007", "rw", "0x" + Hex8(P.COB_ID));
  Var_Section(L, N + "sub2", "Transmission Type", "0x0005", "rw", "0xFE");
  Var_Section(L, N + "sub3", "Inhibit Time", "0x0006", "rw", "0x0");
}

void Mapping_Block(QStringList &L, uint32_t X, const QString &Parameter, uint32_t Mapped,
                   uint32_t D)
{
  const QString N = Hex4(X);
  Section(L, N, {"SubNumber=" + UIntToStr(D + 1), "ParameterName=" + Parameter, "ObjectType=0x09"});
  Var_Section(L, N + "sub0", "Number of Entries", "0x0005", "ro", "0x" + Hex2(D));
  for (uint32_t J = 1; J <= D; ++J)
    Var_Section(L, N + "sub" + SubHex(J), "Mapping Entry " + UIntToStr(J), "0x0007", "ro",
                "0x" + Hex4(Mapped) + Hex2(J) + "08");
}

void Variables_Block(QStringList &L, uint32_t X, const QString &Parameter,
                     const QString &Sub0Access, const QString &Stem, const QString &Access,
                     uint32_t D)
{
  const QString N = Hex4(X);
  Section(L, N, {"SubNumber=" + UIntToStr(D + 1), "ParameterName=" + Parameter, "ObjectType=0x08"});
  Var_Section(L, N + "sub0", "Number of Entries", "0x0005", Sub0Access, "0x" + Hex2(D));
  for (uint32_t J = 1; J <= D; ++J)
    Var_Section(L, N + "sub" + SubHex(J), Stem + UIntToStr(J), "0x0005", Access, "0x00", "1");
}

void Manufacturer_Block(QStringList &L, const SDO_Index &O)
{
  if (O.Sub_Indexs.empty()) return;
  const QString N = Hex4(O.Index);
  const uint8_t F = O.Sub_Indexs.front().Sub;
  const uint8_t Last = O.Sub_Indexs.back().Sub;
  const int Count = int(O.Sub_Indexs.size()) + (F != 0 ? 1 : 0);
  Section(L, N, {"SubNumber=" + IntToStr(Count), "ParameterName=App Vars", "ObjectType=0x9"});
  if (F != 0)
    Section(L, N + "sub0", {"ParameterName=Largest Sub-Index supported", "ObjectType=0x7",
                            "DataType=0x0005", "AccessType=ro", "DefaultValue=0x" + Hex2(Last),
                            "PDOMapping=0"});
  for (const SDO_Sub_Type &S : O.Sub_Indexs) {
    QStringList B = {"ParameterName=Application Variable", "ObjectType=0x7"};
    if (S.Quantity == 1)
      B << "DataType=0x0005" << "LowLimit=0x00" << "HighLimit=0xFF" << "DefaultValue=0x00";
    else if (S.Quantity == 2)
      B << "DataType=0x0006" << "LowLimit=0x0000" << "HighLimit=0xFFFF" << "DefaultValue=0x0000";
    else
      B << "DataType=0x0007" << "LowLimit=0x00000000" << "HighLimit=0xFFFFFFFF"
        << "DefaultValue=0x00000000";
    B << (S.Readonly ? "AccessType=ro" : "AccessType=rw") << "PDOMapping=0";
    L << "[" + N + "sub" + SubHex(S.Sub) + "]";
    L << B;
    L << QString();
  }
}

}  // namespace

void Load_EDS_PDO_Table(TXMLDocument &XML1)
{
  TSideFileState &S = SideFileState();
  S.EDS_RX_PDO_Count = 0;
  S.EDS_TX_PDO_Count = 0;
  if (!FileExists(AppState().File_PDO_CANopen)) return;
  {
    const TTableFile File(XML1, AppState().File_PDO_CANopen);
    Load_PDO_Section(File, "Receive_PDO", 0, S.EDS_RX_PDO_Count);
    Load_PDO_Section(File, "Transmit_PDO", EDS_Max_PDO, S.EDS_TX_PDO_Count);
  }
  // The document is the main window's; do not leave the PDO table loaded in it.
  XML1.SetActive(false);
}

void Load_EDS_SDO_Table(TXMLDocument &XML1)
{
  if (!FileExists(AppState().File_SDO_Server_CANopen)) return;
  const TTableFile File(XML1, AppState().File_SDO_Server_CANopen);
  Load_SDO_Section(File, "SDO_Read", true);
  Load_SDO_Section(File, "SDO_Write", false);
}

int Find_SDO_Index(uint16_t Index)
{
  const std::vector<SDO_Index> &Objects = SideFileState().EDS_SDO_Objects;
  for (size_t I = 0; I < Objects.size(); ++I)
    if (Objects[I].Index == Index) return int(I);
  return -1;
}

void Sort_SDO_Sub_Indexs()
{
  // Stable, so rows with the same sub-index keep their table order.
  for (SDO_Index &O : SideFileState().EDS_SDO_Objects)
    std::stable_sort(O.Sub_Indexs.begin(), O.Sub_Indexs.end(),
                     [](const SDO_Sub_Type &A, const SDO_Sub_Type &B) { return A.Sub < B.Sub; });
}

QStringList Build_EDS_Lines(TXMLDocument &XML1)
{
  int Year, Month, Day, Hour, Minute, Second, MSec;
  DecodeDateTime(Now(), Year, Month, Day, Hour, Minute, Second, MSec);

  TSideFileState &S = SideFileState();
  S.EDS_SDO_Objects.clear();
  Load_EDS_PDO_Table(XML1);
  Load_EDS_SDO_Table(XML1);
  Sort_SDO_Sub_Indexs();

  const int Hour12 = Hour == 0 ? 12 : (Hour > 12 ? Hour - 12 : Hour);
  const QString Time = Format("%.2d:%.2d%s", Hour12, Minute, Hour < 12 ? "AM" : "PM");
  const QString Date = Format("%.2d-%.2d-%d", Month, Day, Year);

  const int RX = S.EDS_RX_PDO_Count;
  const int TX = S.EDS_TX_PDO_Count;
  const auto Rx = [&S](int I) -> const EDS_PDO_Entry & { return S.EDS_PDO_Table[I]; };
  const auto Tx = [&S](int I) -> const EDS_PDO_Entry & { return S.EDS_PDO_Table[EDS_Max_PDO + I]; };

  QStringList L;
  L << "[FileInfo]" << QString("FileName=") + EDS_File_Name << "FileVersion=1" << "FileRevision=0"
    << "EDSVersion=4.0" << QString("Description=") + EDS_Description << "CreationTime=" + Time
    << "CreationDate=" + Date << "CreatedBy=Velmora" << "ModificationTime=" + Time
    << "ModificationDate=" + Date << "ModifiedBy=Velmora" << QString();

  L << "[DeviceInfo]" << "VendorName=Velmora" << "VendorNumber=0x00"
    << QString("ProductName=") + EDS_Description << QString("ProductNumber=") + EDS_Product_Number
    << "RevisionNumber=0x0" << QString("OrderCode=") + EDS_Order_Code << "BaudRate_10=1"
    << "BaudRate_20=1" << "BaudRate_50=1" << "BaudRate_125=1" << "BaudRate_250=1"
    << "BaudRate_500=1" << "BaudRate_800=0" << "BaudRate_1000=1" << "DynamicChannelsSupported=0"
    << "GroupMessaging=0" << "LSS_Supported=0" << "Granularity=0" << "SimpleBootUpSlave=1"
    << "SimpleBootUpMaster=0" << "NrOfRXPDO=" + IntToStr(RX) << "NrOfTXPDO=" + IntToStr(TX)
    << QString();

  L << "[Comments]" << "Lines=0" << QString();

  L << "[DummyUsage]";
  for (int D = 1; D <= 7; ++D) L << Format("Dummy%.4d=0", D);
  L << QString();

  L << "[MandatoryObjects]" << "SupportedObjects=3" << "1=0x1000" << "2=0x1001" << "3=0x1018"
    << QString();

  L << "[OptionalObjects]" << "SupportedObjects=" + IntToStr(3 * RX + 3 * TX + 8) << "1=0x1005"
    << "2=0x1006" << "3=0x1008" << "4=0x1014" << "5=0x1016" << "6=0x1017" << "7=0x1029"
    << "8=0x1280";
  int Number = 9;
  const auto Optional = [&](uint32_t Base, int Count) {
    for (int I = 0; I < Count; ++I) L << IntToStr(Number++) + "=0x" + Hex4(Base + I);
  };
  Optional(0x1400, RX);
  Optional(0x1600, RX);
  Optional(0x1800, TX);
  Optional(0x1A00, TX);
  Optional(0x7000, RX);
  Optional(0x7050, TX);
  L << QString();

  L << "[ManufacturerObjects]" << "SupportedObjects=" + IntToStr(int(S.EDS_SDO_Objects.size()));
  for (size_t N = 0; N < S.EDS_SDO_Objects.size(); ++N)
    L << IntToStr(int(N + 1)) + "=0x" + Hex4(S.EDS_SDO_Objects[N].Index);
  L << QString();

  Fixed_Objects(L);

  for (int I = 0; I < RX; ++I)
    Communication_Block(L, 0x1400 + I,
                        "Receive PDO Communication Parameter " + IntToStr(I + 1), Rx(I));
  for (int I = 0; I < RX; ++I)
    Mapping_Block(L, 0x1600 + I, "Receive PDO Mapping Parameter", 0x7000 + I, Rx(I).Dimension);
  for (int I = 0; I < TX; ++I)
    Communication_Block(L, 0x1800 + I,
                        "Transmit PDO Communication Parameter " + IntToStr(I + 1), Tx(I));
  for (int I = 0; I < TX; ++I)
    Mapping_Block(L, 0x1A00 + I, "Transmit PDO Mapping Parameter " + IntToStr(I + 1), 0x7050 + I,
                  Tx(I).Dimension);
  for (int I = 0; I < RX; ++I)
    Variables_Block(L, 0x7000 + I, "RPDO" + IntToStr(I + 1), "ro", EDS_RPDO_Names[I], "rww",
                    Rx(I).Dimension);
  for (int I = 0; I < TX; ++I)
    Variables_Block(L, 0x7050 + I, "TPDO" + IntToStr(I + 1), "rw", EDS_TPDO_Names[I], "rwr",
                    Tx(I).Dimension);
  for (const SDO_Index &O : S.EDS_SDO_Objects) Manufacturer_Block(L, O);

  L << QString();
  return L;
}

void Write_EDS_File(const QString &FileName, TXMLDocument &XML1)
{
  Save_Side_File(Build_EDS_Lines(XML1), FileName);
}

void Build_EDS_File(const TSideFileUI &UI, TXMLDocument &XML1)
{
  QString Name;
  if (!UI.Execute_Save(TSideSaveDialog::sdEDS, AppState().Project_Dir, Name)) return;
  Write_EDS_File(Name, XML1);
}
