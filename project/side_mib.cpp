// SNMP MIB writer: a fixed SMIv2 module with one object per enabled row of the SNMP read and
// write tables and one notification per enabled read row.
#include "project/side_files.h"

#include "framework/classes/classes.h"
#include "framework/services/xmldoc.h"
#include "framework/system/paths.h"
#include "framework/system/sysutils.h"
#include "project/app_state.h"

#include <memory>

namespace {

void Load_MIB_Section(const IXMLNode &Root, const QString &Name, TStringList &Names, int Flags)
{
  IXMLNode Section = Root.ChildNodes().FindNode(Name);
  if (!Section) return;
  IXMLNodeList Rows = Section.ChildNodes();
  for (int R = 0; R < Rows.Count() && Names.Count() < MIB_Max_Rows; ++R) {
    IXMLNode Row = Rows.Nodes(R);
    if (Row.NodeType() != ntElement) continue;
    if (UpperCase(Row.Attributes("Enable")) != "Y") continue;
    SideFileState().MIB_Int_Flags[Flags + Names.Count()] =
        UpperCase(Row.Attributes("Type")) == "INT";
    Names.Add(Row.Attributes("Description"));
  }
}

void Add_Objects(QStringList &L, const TStringList &Names, int Flags, const QString &Parent,
                 const QString &Access)
{
  const TSideFileState &S = SideFileState();
  for (int I = 0; I < Names.Count(); ++I) {
    const QString N = IntToStr(I + 1);
    const QString D = Names[I];
    const QString Syntax = S.MIB_Int_Flags[Flags + I] ? "INTEGER" : "OCTET STRING";
    L << (D.isEmpty() ? Parent + N : D) + " OBJECT-TYPE SYNTAX " + Syntax + " MAX-ACCESS " +
             Access + " STATUS current DESCRIPTION \"" + D + "\" ::= { " + Parent + " " + N + " }";
  }
}

void Add_Blocks(QStringList &L, const QString &Buffer, const QString &Access)
{
  for (int B = 1; B <= 8; ++B) {
    const QString T = IntToStr(B);
    L << Buffer + "blk" + T + " OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS " + Access +
             " STATUS current DESCRIPTION \"data block n." + T + "\" ::= { " + Buffer + " " + T + " }";
  }
}

}  // namespace

void Load_MIB_Objects()
{
  TSideFileState &S = SideFileState();
  TStringList &Read = *AppState().MIB_Read_Names;
  TStringList &Write = *AppState().MIB_Write_Names;
  Read.Clear();
  Write.Clear();
  S.MIB_Int_Flags.fill(false);
  auto Doc = std::make_unique<TXMLDocument>();
  if (!FileExists(AppState().File_SNMP_Trap)) return;
  Doc->LoadFromFile(AppState().File_SNMP_Trap);
  IXMLNode Root = Doc->DocumentElement();
  if (!Root) return;
  Load_MIB_Section(Root, "SNMP_Trap_Read", Read, 0);
  Load_MIB_Section(Root, "SNMP_Trap_Write", Write, MIB_Max_Rows);
}

QStringList Build_MIB_Lines()
{
  const TStringList &Read = *AppState().MIB_Read_Names;
  const TStringList &Write = *AppState().MIB_Write_Names;
  const TSideFileState &S = SideFileState();
  const QString Tab = "\t";

  QStringList L;
  L << "GATEWAY DEFINITIONS ::= BEGIN"
    << "IMPORTS"
    << "       MODULE-IDENTITY,OBJECT-TYPE"
    << "         FROM SNMPv2-SMI"
    << "         DisplayString, TimeStamp"
    << "         FROM SNMPv2-TC"
    << "         enterprises"
    << "         FROM RFC1155-SMI;"
    << ""
    << "identity MODULE-IDENTITY"
    << "    LAST-UPDATED \"201701310000Z\""
    << "    ORGANIZATION \"" + Maker_Company + "\""
    << "    CONTACT-INFO"
    << Tab + " \"" + Maker_Street
    << "    " + Maker_Town
    << "    " + Maker_Country
    << "    email:    " + Maker_EMail + "\""
    << "    DESCRIPTION"
    << Tab + "\"MIB objects for agent module \""
    << "    REVISION     \"201701310000Z\""
    << "    DESCRIPTION"
    << Tab + "\"Corrected notification \""
    << "    REVISION     \"200202060000Z\""
    << "    DESCRIPTION"
    << Tab + "\"First draft\""
    << "    ::= { velmora 2 }"
    << "velmora          OBJECT IDENTIFIER ::= { enterprises " + IntToStr(Maker_Enterprise_Number) + " }"
    << "gateway OBJECT IDENTIFIER::= { velmora 1 }"
    << "application OBJECT IDENTIFIER::= { gateway 1 }"
    << "data OBJECT IDENTIFIER::= { application 1 }"
    << "hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" ::= { data 1}"
    << "countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" ::= { data 2}"
    << "countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  DESCRIPTION \"\" ::= { data 3}"
    << "bufferin OBJECT IDENTIFIER::= { data 4 }";
  Add_Blocks(L, "bufferin", "read-only");
  L << " bufferinval OBJECT IDENTIFIER::= { bufferin 9 }";
  Add_Objects(L, Read, 0, "bufferinval", "read-only");

  L << "bufferout OBJECT IDENTIFIER::= { data 5 }";
  Add_Blocks(L, "bufferout", "read-write");
  L << " bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }";
  Add_Objects(L, Write, MIB_Max_Rows, "bufferoutval", "read-write");

  L << "traps OBJECT IDENTIFIER::= { application 2 }"
    << " trapsval OBJECT IDENTIFIER::= { traps 1 }";
  for (int I = 0; I < Read.Count(); ++I) {
    const QString N = IntToStr(I + 1);
    const QString Syntax = S.MIB_Int_Flags[I] ? "INTEGER" : "OCTET STRING";
    L << "trapval" + N + " NOTIFICATION-TYPE SYNTAX " + Syntax +
             " MAX-ACCESS read-only STATUS current DESCRIPTION \"" + Read[I] + "\" ::= { trapsval " +
             N + " }";
  }
  L << "END";
  return L;
}

void Write_MIB_File(const QString &FileName)
{
  Save_Side_File(Build_MIB_Lines(), FileName);
}

void Save_MIB_File(const TSideFileUI &UI)
{
  QString Name;
  if (!UI.Execute_Save(TSideSaveDialog::sdMIB, AppState().Project_Dir, Name)) return;
  if (FileExists(Name) && !UI.Ask_Yes(1105, false)) return;
  Load_MIB_Objects();
  Write_MIB_File(Name);
}
