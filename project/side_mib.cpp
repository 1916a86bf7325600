// SNMP MIB writer: a fixed SMIv2 module with one object per enabled row of the SNMP read and
// write tables and one notification per enabled read row.
#include "project/side_files.h"

#include "framework/classes/classes.h"
#include "framework/services/xmldoc.h"
#include "framework/system/paths.h"
#include "framework/system/sysutils.h"
#include "project/app_state.h"
#include "project/table_rows.h"

#include <memory>
#include <set>

namespace {

void Load_MIB_Section(const TTableFile &File, const char *Name, TStringList &Names, int Flags)
{
  for (const TTableRow Row : File.Section(Name)) {
    if (Names.Count() >= MIB_Max_Rows) break;
    if (!Row.Checked_Any_Case("Enable")) continue;
    SideFileState().MIB_Int_Flags[Flags + Names.Count()] = UpperCase(Row.Text("Type")) == "INT";
    Names.Add(Row.Text("Description"));
  }
}

// SMI text is 7-bit ASCII: accented letters lose their accent; any other character becomes
// Replacement, or is dropped when that is null.
QString MIB_Ascii(const QString &Text, QChar Replacement)
{
  QString R;
  for (const QChar C : Text.normalized(QString::NormalizationForm_KD)) {
    if (C.unicode() < 0x80)
      R += C;
    else if (C.category() != QChar::Mark_NonSpacing && !Replacement.isNull())
      R += Replacement;
  }
  return R;
}

bool Is_Ascii_Alnum(QChar C)
{
  return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9');
}

// A descriptor of SMIv2: a lower-case letter, then letters and digits, at most 64 characters.
bool Is_MIB_Descriptor(const QString &Name)
{
  if (Name.isEmpty() || Name.size() > MIB_Max_Descriptor || Name[0] < 'a' || Name[0] > 'z')
    return false;
  for (const QChar C : Name)
    if (!Is_Ascii_Alnum(C)) return false;
  return true;
}

// The text between the quotes of a DESCRIPTION: a quoted string has no escape for its quote,
// and a line break inside would leave a bare LF or CR in the CR LF file.
QString MIB_Text(const QString &Description)
{
  // Folded first: compatibility forms such as the full-width quote fold into ASCII ones.
  QString R = MIB_Ascii(Description, QLatin1Char('?'));
  R.replace(QLatin1String("\r\n"), QLatin1String(" "));
  for (QChar &C : R) {
    if (C == '"')
      C = QLatin1Char('\'');
    else if (C.unicode() < 0x20 || C.unicode() == 0x7F)
      C = QLatin1Char(' ');
  }
  return R;
}

// A descriptor made from a description: its letters and digits, each later word starting with a
// capital ("tank level" gives "tankLevel"), the first letter in lower case; empty when nothing
// usable is left. A description that is a descriptor already comes out unchanged.
QString Derive_Descriptor(const QString &Description)
{
  QString R;
  bool New_Word = false;
  for (const QChar C : MIB_Ascii(Description, QChar())) {
    if (!Is_Ascii_Alnum(C)) {
      New_Word = true;
      continue;
    }
    R += New_Word && !R.isEmpty() ? C.toUpper() : C;
    New_Word = false;
  }
  if (!R.isEmpty()) R[0] = R[0].toLower();
  R.truncate(MIB_Max_Descriptor);
  return Is_MIB_Descriptor(R) ? R : QString();
}

// Descriptors of the fixed part and of the imports, which no table object may take.
std::set<QString> Fixed_Descriptors(int Read_Count)
{
  std::set<QString> Used = {"enterprises", "identity", "velmora", "gateway", "application",
                            "data", "hellostring", "countin", "countout", "bufferin",
                            "bufferinval", "bufferout", "bufferoutval", "traps", "trapsval"};
  for (int B = 1; B <= 8; ++B) {
    Used.insert("bufferinblk" + IntToStr(B));
    Used.insert("bufferoutblk" + IntToStr(B));
  }
  for (int N = 1; N <= Read_Count; ++N) Used.insert("trapval" + IntToStr(N));
  return Used;
}

// The object names of one table: the descriptor of the description (the description itself
// when valid); when there is none, or it is taken, the parent's name and the number, with a
// suffix should even that be taken.
QStringList MIB_Object_Names(const TStringList &Names, const QString &Parent,
                             std::set<QString> &Used)
{
  QStringList R;
  for (int I = 0; I < Names.Count(); ++I) {
    const QString Default = Parent + IntToStr(I + 1);
    QString Name = Derive_Descriptor(Names[I]);
    if (Name.isEmpty() || Used.count(Name)) Name = Default;
    for (int K = 1; Used.count(Name); ++K) Name = Default + "x" + IntToStr(K);
    Used.insert(Name);
    R << Name;
  }
  return R;
}

void Add_Objects(QStringList &L, const TStringList &Names, const QStringList &Objects, int Flags,
                 const QString &Parent, const QString &Access)
{
  const TSideFileState &S = SideFileState();
  for (int I = 0; I < Names.Count(); ++I) {
    const QString N = IntToStr(I + 1);
    const QString Syntax = S.MIB_Int_Flags[Flags + I] ? "INTEGER" : "OCTET STRING";
    L << Objects[I] + " OBJECT-TYPE SYNTAX " + Syntax + " MAX-ACCESS " + Access +
             " STATUS current DESCRIPTION \"" + MIB_Text(Names[I]) + "\" ::= { " + Parent + " " + N +
             " }";
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
  const TTableFile File(*Doc, AppState().File_SNMP_Trap);
  Load_MIB_Section(File, "SNMP_Trap_Read", Read, 0);
  Load_MIB_Section(File, "SNMP_Trap_Write", Write, MIB_Max_Rows);
}

QStringList Build_MIB_Lines()
{
  const TStringList &Read = *AppState().MIB_Read_Names;
  const TStringList &Write = *AppState().MIB_Write_Names;
  const QString Tab = "\t";
  std::set<QString> Used = Fixed_Descriptors(Read.Count());
  const QStringList Read_Objects = MIB_Object_Names(Read, "bufferinval", Used);
  const QStringList Write_Objects = MIB_Object_Names(Write, "bufferoutval", Used);

  // SMIv2 takes enterprises from SNMPv2-SMI, not from the SMIv1 RFC1155-SMI.
  QStringList L;
  L << "GATEWAY DEFINITIONS ::= BEGIN"
    << "IMPORTS"
    << "       MODULE-IDENTITY,OBJECT-TYPE,NOTIFICATION-TYPE,enterprises"
    << "         FROM SNMPv2-SMI"
    << "         DisplayString, TimeStamp"
    << "         FROM SNMPv2-TC;"
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
  Add_Objects(L, Read, Read_Objects, 0, "bufferinval", "read-only");

  L << "bufferout OBJECT IDENTIFIER::= { data 5 }";
  Add_Blocks(L, "bufferout", "read-write");
  L << " bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }";
  Add_Objects(L, Write, Write_Objects, MIB_Max_Rows, "bufferoutval", "read-write");

  L << "traps OBJECT IDENTIFIER::= { application 2 }"
    << " trapsval OBJECT IDENTIFIER::= { traps 1 }";
  // A notification has no syntax or access of its own; it carries the read object's value.
  for (int I = 0; I < Read.Count(); ++I) {
    const QString N = IntToStr(I + 1);
    L << "trapval" + N + " NOTIFICATION-TYPE OBJECTS { " + Read_Objects[I] +
             " } STATUS current DESCRIPTION \"" + MIB_Text(Read[I]) + "\" ::= { trapsval " + N + " }";
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
