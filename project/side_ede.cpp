// BACnet EDE writer: a ";"-separated list of the BACnet objects that the gateway exposes as a
// BACnet slave, one line per row of the BACnet access table.
#include "project/side_files.h"

#include "framework/services/xmldoc.h"
#include "framework/system/paths.h"
#include "framework/system/sysutils.h"
#include "project/app_state.h"
#include "project/table_rows.h"

namespace {

struct TEDEType {
  const char *Name;
  int Code;
};

// Object-type numbers of the BACnet standard.
const TEDEType EDE_Types[] = {
    {"ANALOG INPUT", 0},          {"ANALOG OUT", 1},          {"ANALOG VALUE", 2},
    {"BINARY INPUT", 3},          {"BINARY OUT", 4},          {"BINARY VALUE", 5},
    {"MULTI STATE INPUT", 13},    {"MULTI STATE OUTPUT", 14}, {"MULTI STATE VALUE", 19},
    {"LIFE SAFETY POINT", 21},    {"LIFE SAFETY ZONE", 22},   {"ACCUMULATOR", 23},
    {"ACCESS DOOR", 30},          {"CHARACTERSTRING VALUE", 40}, {"DATETIME VALUE", 44},
    {"INTEGER VALUE", 45},        {"LARGE ANALOG VALUE", 46}, {"POSITIVE INTEGER VALUE", 48}};

bool Has_Counter(int Type)
{
  for (const TEDEType &T : EDE_Types)
    if (T.Code == Type) return true;
  return false;
}

// A field must not carry the separator or a line break, or the line would split into more
// fields or lines than the layout has.
QString EDE_Field(const QString &S)
{
  QString R = S;
  R.replace(QLatin1Char(';'), QLatin1Char(','));
  R.replace(QLatin1Char('\r'), QLatin1Char(' '));
  R.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return R;
}

void Load_EDE_Section(const TTableFile &File, const char *Name)
{
  TSideFileState &S = SideFileState();
  for (const TTableRow Row : File.Section(Name)) {
    const int Type = BACnet_Object_Type_Code(UpperCase(Trim(Row.Text("Data_Type"))));
    const QString Unit = EDE_Field(Row.Text("Eng_Unit"));
    const QString Mnemonic = EDE_Field(Row.Text("Mnemonic"));
    TBACnet_EDE_Obj O;
    O.DevObjInstance = S.EDE_Device_Instance;
    O.ObjectName = Mnemonic.left(S.EDE_Long_Names ? 32 : 16);
    O.ObjectType = IntToStr(Type);
    O.ObjectInstance = IntToStr(Next_EDE_Instance(Type));
    O.Keyname = S.EDE_Device_Instance + "_" + Mnemonic + "_" + O.ObjectInstance;
    O.Description = O.ObjectName;
    O.UnitCode = Unit;
    S.EDE_Objects.push_back(O);
  }
}

// Text of a direct child element of the root; empty and not found when it is missing or holds
// elements instead of text.
QString Element_Text(const TTableFile &File, const char *Name, bool &Found)
{
  QString Text;
  Found = File.Child_Text(Name, Text);
  return Text;
}

}  // namespace

int BACnet_Object_Type_Code(const QString &Text)
{
  for (const TEDEType &T : EDE_Types)
    if (Text == QLatin1String(T.Name)) return T.Code;
  return 0;
}

void Reset_EDE_Instances()
{
  SideFileState().EDE_Instances.fill(0);
}

int Next_EDE_Instance(int Type)
{
  if (Type < 0 || Type > EDE_Max_Type_Code || !Has_Counter(Type)) return 0;
  return SideFileState().EDE_Instances[Type]++;
}

QString EDE_Time_Stamp()
{
  int Year, Month, Day, Hour, Minute, Second, MSec;
  DecodeDateTime(Now(), Year, Month, Day, Hour, Minute, Second, MSec);
  return Format("%.2d:%.2d:%.2d %.2d/%.2d/%d", Hour, Minute, Second, Day, Month, Year);
}

void Load_EDE_Device(TXMLDocument &XML1)
{
  TSideFileState &S = SideFileState();
  S.EDE_Device_Instance.clear();
  S.EDE_Long_Names = false;
  if (!FileExists(AppState().File_ParGen)) return;
  const TTableFile File(XML1, AppState().File_ParGen);
  bool Found = false;
  const int Type = StrToIntDef(Element_Text(File, "BACnet_Type", Found), 0);
  S.EDE_Device_Instance =
      EDE_Field(Element_Text(File, Type == 1 ? "BACnet_Ser_DEV_IDE" : "BACnet_DEV_IDE", Found));
  const QString Limit = Element_Text(File, "BACnet_Desc_Chars_Limit", Found);
  S.EDE_Long_Names = Found && Limit == "1";
}

void Load_EDE_Objects(TXMLDocument &XML1)
{
  if (!FileExists(AppState().File_BACnet_Slave)) return;
  const TTableFile File(XML1, AppState().File_BACnet_Slave);
  Load_EDE_Section(File, "BACnet_in_Read");
  Load_EDE_Section(File, "BACnet_in_Write");
}

QStringList Build_EDE_Lines()
{
  QStringList L;
  L << "PROJECT_NAME; Velmora--" + EDE_Field(AppState().Project_Name) + ";;;;;;"
    << "VERSION_OF_REFERENCEFILE;1.0;;;;;;"
    << "TIMESTAMP_OF_LAST_CHANGE;" + EDE_Time_Stamp() + ";;;;;;"
    << "AUTHOR_OF_LAST_CHANGE;Velmora;;;;;;"
    << "VERSION_OF_LAYOUT;2;;;;;;"
    << "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;"
    << "# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;";
  for (const TBACnet_EDE_Obj &O : SideFileState().EDE_Objects)
    L << O.Keyname + ";" + O.DevObjInstance + ";" + O.ObjectName + ";" + O.ObjectType + ";" +
             O.ObjectInstance + ";" + O.Description + ";" + O.UnitCode + ";";
  return L;
}

void Write_EDE_Csv(const QString &FileName)
{
  Save_Side_File(Build_EDE_Lines(), FileName);
}

void Generate_EDE_File(const QString &FileName, TXMLDocument &XML1)
{
  TSideFileState &S = SideFileState();
  S.EDE_Objects.clear();
  struct TRelease {
    ~TRelease() { SideFileState().EDE_Objects.clear(); }
  } Release;
  Reset_EDE_Instances();
  Load_EDE_Device(XML1);
  Load_EDE_Objects(XML1);
  Write_EDE_Csv(FileName);
}

void Save_EDE_File(const QString &FileName, TXMLDocument &XML1)
{
  Generate_EDE_File(FileName, XML1);
}

QString EDE_File_Name(const QString &Chosen)
{
  if (UpperCase(RightStr(Chosen, 4)) == ".CSV") return Chosen;
  return Chosen + ".csv";
}

void BACnet_EDE_File(const TSideFileUI &UI, TXMLDocument &XML1)
{
  QString Chosen;
  if (!UI.Execute_Save(TSideSaveDialog::sdEDE, AppState().Project_Dir, Chosen)) return;
  const QString Name = EDE_File_Name(Chosen);
  if (FileExists(Name) && !UI.Ask_Yes(1105, true)) return;
  Save_EDE_File(Name, XML1);
}
