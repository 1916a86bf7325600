// The main window's settings file "Quillomark.xml" and its program launcher.
#include "app/fmain.h"

#include "framework/controls/busywait.h"
#include "framework/system/paths.h"
#include "framework/system/sysutils.h"
#include "project/app_state.h"

namespace {

// The text of Root/Group/Leaf; false when a level is missing or cannot be read.
bool Read_Setting(const IXMLNode &Root, const QString &Group, const QString &Leaf, QString &Value)
{
  try {
    const IXMLNode G = Root.ChildNodes().FindNode(Group);
    if (G.IsNull()) return false;
    const IXMLNode L = G.ChildNodes().FindNode(Leaf);
    if (L.IsNull()) return false;
    Value = L.Text();
    return true;
  } catch (Exception &) {
    return false;
  }
}

bool Read_Flag(const IXMLNode &Root, const QString &Leaf)
{
  QString V;
  return Read_Setting(Root, QStringLiteral("lastinternet"), Leaf, V) && V == QLatin1String("1");
}

QString Flag_Text(bool Value) { return Value ? QStringLiteral("1") : QStringLiteral("0"); }

}  // namespace

void TFQuillomarkeFirmWare::Load_Settings()
{
  TAppState &S = AppState();
  S.Project_Name.clear();
  S.Project_Dir.clear();
  S.Last_IP_Address = Default_IP_Address;
  S.Language_Name = Default_Language;
  S.Opt_Enable_Internet = false;
  S.Opt_Enable_Update = false;
  S.Opt_Jump_Field_Tables = false;
  S.Opt_Double_Click_Auto_Size = false;

  const QString FileName = S.App_Dir + QLatin1Char('/') + Settings_File_Name;
  if (!FileExists(FileName)) return;
  // A file that cannot be parsed counts as missing.
  try {
    XML1->LoadFromFile(FileName);
  } catch (Exception &) {
    return;
  }
  const IXMLNode Root = XML1->DocumentElement();
  if (Root.IsNull()) return;

  QString V;
  // Names that would lead out of their folder are not taken.
  if (Read_Setting(Root, QStringLiteral("lastproj"), QStringLiteral("projectname"), V) && Is_Single_Folder_Name(V))
    S.Project_Name = V;
  if (Read_Setting(Root, QStringLiteral("lastipadd"), QStringLiteral("ipaddress"), V)) S.Last_IP_Address = V;
  if (Read_Setting(Root, QStringLiteral("lastlang"), QStringLiteral("language"), V) && Is_Single_Folder_Name(V))
    S.Language_Name = V;
  S.Opt_Enable_Internet = Read_Flag(Root, QStringLiteral("enable_internet"));
  S.Opt_Enable_Update = Read_Flag(Root, QStringLiteral("enable_update"));
  S.Opt_Jump_Field_Tables = Read_Flag(Root, QStringLiteral("enable_jump_field_tables"));
  S.Opt_Double_Click_Auto_Size = Read_Flag(Root, QStringLiteral("Double_Click_Auto_Size"));
}

void TFQuillomarkeFirmWare::Save_Setting()
{
  const TAppState &S = AppState();
  // XML1 may still hold a project file read through it; start from an empty document.
  XML1->SetFileName(QString());
  XML1->SetActive(true);
  XML1->ChildNodes().Clear();

  IXMLNode Root = XML1->AddChild(QStringLiteral("Conf_Settings"));
  Root.AddChild(QStringLiteral("lastproj")).AddChild(QStringLiteral("projectname")).SetText(S.Project_Name);
  Root.AddChild(QStringLiteral("lastipadd")).AddChild(QStringLiteral("ipaddress")).SetText(S.Last_IP_Address);
  Root.AddChild(QStringLiteral("lastlang")).AddChild(QStringLiteral("language")).SetText(S.Language_Name);
  IXMLNode Internet = Root.AddChild(QStringLiteral("lastinternet"));
  Internet.AddChild(QStringLiteral("enable_internet")).SetText(Flag_Text(S.Opt_Enable_Internet));
  Internet.AddChild(QStringLiteral("enable_update")).SetText(Flag_Text(S.Opt_Enable_Update));
  Internet.AddChild(QStringLiteral("enable_jump_field_tables")).SetText(Flag_Text(S.Opt_Jump_Field_Tables));
  Internet.AddChild(QStringLiteral("Double_Click_Auto_Size")).SetText(Flag_Text(S.Opt_Double_Click_Auto_Size));

  XML1->SaveToFile(S.App_Dir + QLatin1Char('/') + Settings_File_Name);
}

void TFQuillomarkeFirmWare::Start_Program(const QString &NomeSW, const QString &Parameter, bool tipo)
{
  // A program that cannot be started is not reported; one that outlives the wait keeps running.
  StartProgramAndWait(NomeSW, Parameter, tipo, Start_Program_Wait_Limit);
}
