// SNMP MIB writer: objects of the enabled rows and their numbering, notifications, the user
// action's dialogs and a golden file.
#include "tests/project/side_test_helpers.h"

#include "framework/classes/classes.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace sidetest;

namespace {

class MibTest : public SideTest {
protected:
  QStringList Write()
  {
    Load_MIB_Objects();
    Write_MIB_File(Path("out.mib"));
    return Lines(ReadBytes(Path("out.mib")));
  }

  void Write_SNMP(const QString &Read, const QString &Write = QString())
  {
    Write_File("SNMP_Trap.xml", "<SNMP_Trap><SNMP_Trap_Read>" + Read + "</SNMP_Trap_Read><SNMP_Trap_Write>" + Write +
                                    "</SNMP_Trap_Write></SNMP_Trap><!--SW_VERSION = 1.000-->");
  }
};

QString Row(const QString &Enable, const QString &Description, const QString &Type)
{
  return "<row Enable=\"" + Enable + "\" Community_Name=\"public\" Type=\"" + Type + "\" Description=\"" +
         Description + "\"/>";
}

// The lines between two marker lines.
QStringList Between(const QStringList &L, const QString &From, const QString &To)
{
  const int A = L.indexOf(From), B = L.indexOf(To);
  return A >= 0 && B > A ? L.mid(A + 1, B - A - 1) : QStringList{"<markers missing>"};
}

// Name and OID of every table object and notification, in file order: "temperature bufferinval 1".
QStringList Objects(const QStringList &L)
{
  static const QRegularExpression Re("^(\\w+) (?:OBJECT|NOTIFICATION)-TYPE .* ::= \\{ (bufferinval|bufferoutval|trapsval) (\\d+) \\}$");
  QStringList R;
  for (const QString &Line : L) {
    const QRegularExpressionMatch M = Re.match(Line);
    if (M.hasMatch()) R << M.captured(1) + " " + M.captured(2) + " " + M.captured(3);
  }
  return R;
}

// Messages of smilint at error levels (0 to 3; 4 and above are warnings) for the written module,
// with the SMI base modules of the fixtures as the only import path. Empty when the module is
// valid; sets Missing when smilint is not installed.
QStringList Smilint_Errors(const QString &File, bool &Missing)
{
  const QString Exe = QStandardPaths::findExecutable("smilint");
  Missing = Exe.isEmpty();
  if (Missing) return {};
  QProcess P;
  QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
  Env.insert("SMIPATH", testsupport::Fixture("side/smi"));
  P.setProcessEnvironment(Env);
  // No configuration file: nothing preloaded from the system's MIB folders.
  P.start(Exe, {"-c", "/dev/null", "-l", "9", "-s", File});
  if (!P.waitForFinished(60000)) return {"smilint did not finish"};
  QStringList Errors;
  static const QRegularExpression Level(": \\[([0-9])\\] ");
  for (const QString &Line : QString::fromLatin1(P.readAllStandardOutput() + P.readAllStandardError()).split('\n')) {
    const QRegularExpressionMatch M = Level.match(Line);
    if ((M.hasMatch() && M.captured(1).toInt() <= 3) || (!M.hasMatch() && !Line.trimmed().isEmpty()))
      Errors << Line;
  }
  return Errors;
}

#define EXPECT_VALID_SMIV2(File)                                                          \
  do {                                                                                    \
    bool Missing_ = false;                                                                \
    const QStringList Errors_ = Smilint_Errors(File, Missing_);                           \
    if (Missing_) GTEST_SKIP() << "smilint (Debian package smitools) is not installed"; \
    EXPECT_EQ(Errors_, QStringList()) << "smilint errors in " << QString(File).toStdString(); \
  } while (0)

TEST_F(MibTest, EnabledRowsBecomeNumberedObjectsAndNotifications)
{
  Write_SNMP(Row("Y", "Temperature", "int") + Row("N", "Pressure", "Int") + Row("y", "", "String") +
                 Row("n", "Level", "Int") + "<row Community_Name=\"x\" Description=\"NoEnable\"/>" +
                 Row("Y", "Flow", ""),
             Row("N", "Off", "Int") + Row("Y", "Setpoint", "INT") + Row("Y", "", "Int"));
  const QStringList L = Write();
  EXPECT_EQ(Between(L, " bufferinval OBJECT IDENTIFIER::= { bufferin 9 }", "bufferout OBJECT IDENTIFIER::= { data 5 }"),
            (QStringList{
                "temperature OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"Temperature\" ::= { bufferinval 1 }",
                "bufferinval2 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"\" ::= { bufferinval 2 }",
                "flow OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"Flow\" ::= { bufferinval 3 }"}));
  EXPECT_EQ(Between(L, " bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }", "traps OBJECT IDENTIFIER::= { application 2 }"),
            (QStringList{
                "setpoint OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write STATUS current DESCRIPTION \"Setpoint\" ::= { bufferoutval 1 }",
                "bufferoutval2 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write STATUS current DESCRIPTION \"\" ::= { bufferoutval 2 }"}));
  EXPECT_EQ(Between(L, " trapsval OBJECT IDENTIFIER::= { traps 1 }", "END"),
            (QStringList{
                "trapval1 NOTIFICATION-TYPE OBJECTS { temperature } STATUS current DESCRIPTION \"Temperature\" ::= { trapsval 1 }",
                "trapval2 NOTIFICATION-TYPE OBJECTS { bufferinval2 } STATUS current DESCRIPTION \"\" ::= { trapsval 2 }",
                "trapval3 NOTIFICATION-TYPE OBJECTS { flow } STATUS current DESCRIPTION \"Flow\" ::= { trapsval 3 }"}));
  EXPECT_EQ(L.last(), "END");
  EXPECT_EQ(AppState().MIB_Read_Names->Count(), 3);
  EXPECT_EQ(AppState().MIB_Write_Names->Count(), 2);
}

TEST_F(MibTest, MissingFileOrSectionsGiveTheFixedPartOnly)
{
  const QString Files[] = {QString(), "<SNMP_Trap/>", "<SNMP_Trap><Other/></SNMP_Trap>"};
  for (const QString &F : Files) {
    SCOPED_TRACE(F.toStdString());
    QFile::remove(Path("SNMP_Trap.xml"));
    if (!F.isEmpty()) Write_File("SNMP_Trap.xml", F);
    // Leftovers of an earlier export must not show up.
    AppState().MIB_Read_Names->Add("Old");
    const QStringList L = Write();
    EXPECT_EQ(L.size(), 41 + 1 + 9 + 2 + 1);
    EXPECT_EQ(Between(L, " bufferinval OBJECT IDENTIFIER::= { bufferin 9 }", "bufferout OBJECT IDENTIFIER::= { data 5 }"),
              QStringList());
    EXPECT_EQ(Between(L, " trapsval OBJECT IDENTIFIER::= { traps 1 }", "END"), QStringList());
  }
}

TEST_F(MibTest, AtMost256EnabledRowsPerTable)
{
  QString Read, Write;
  for (int I = 0; I < 300; ++I) Read += Row(I % 3 ? "Y" : "N", "", "String");
  for (int I = 0; I < 300; ++I) Write += Row("Y", "", "Int");
  Write_SNMP(Read, Write);
  const QStringList L = this->Write();
  EXPECT_EQ(AppState().MIB_Read_Names->Count(), 200);
  EXPECT_EQ(AppState().MIB_Write_Names->Count(), 256);
  EXPECT_TRUE(L.contains("bufferoutval256 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write STATUS current DESCRIPTION \"\" ::= { bufferoutval 256 }"));
  EXPECT_FALSE(L.contains("bufferoutval257 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write STATUS current DESCRIPTION \"\" ::= { bufferoutval 257 }"));
  EXPECT_TRUE(L.contains("trapval200 NOTIFICATION-TYPE OBJECTS { bufferinval200 } STATUS current DESCRIPTION \"\" ::= { trapsval 200 }"));
}

TEST_F(MibTest, ActionAsksForTheNameAndForOverwriting)
{
  Copy_Fixture("SNMP_Trap.xml");
  TScriptedUI S;
  S.Save_Name = Path("agent.mib");
  Save_MIB_File(S.UI());
  EXPECT_EQ(S.Saves, std::vector<TSideSaveDialog>{TSideSaveDialog::sdMIB});
  EXPECT_EQ(S.Save_Dir, Dir.path());
  EXPECT_TRUE(S.Questions.empty());
  EXPECT_TRUE(Lines(ReadBytes(Path("agent.mib"))).contains(
      "trapval1 NOTIFICATION-TYPE OBJECTS { temperature } STATUS current DESCRIPTION \"Temperature\" ::= { trapsval 1 }"));

  WriteBytes(Path("agent.mib"), "old");
  S.Answer_Yes = false;
  Save_MIB_File(S.UI());
  ASSERT_EQ(S.Questions.size(), 1u);
  EXPECT_EQ(S.Questions[0], std::make_pair(1105, false));
  EXPECT_EQ(ReadBytes(Path("agent.mib")), QByteArray("old"));

  S.Save_OK = false;
  S.Save_Name = Path("other.mib");
  Save_MIB_File(S.UI());
  EXPECT_FALSE(QFile::exists(Path("other.mib")));
}

// Descriptions the SNMP form accepts (a lower-case letter, then letters and digits; all
// different; or empty) may still name a fixed object, an import or another row's default name.
// The module stays valid SMIv2, and object names and OIDs keep the table's order.
TEST_F(MibTest, ModuleIsValidSmiv2ForEveryTableTheFormAccepts)
{
  struct Case {
    const char *Name;
    QString Read, Write;
    QStringList Objects;  // expected names and OIDs, empty to skip the check
  };
  QString Full_Read, Full_Write;
  for (int I = 0; I < MIB_Max_Rows; ++I) {
    Full_Read += Row("Y", "readvalue" + QString::number(I) + "abcde", I % 2 ? "Int" : "String");
    Full_Write += Row("Y", "writevalue" + QString::number(I) + "abcd", I % 2 ? "String" : "Int");
  }
  const Case Cases[] = {
      {"no rows", "", "", {}},
      {"names of the module and defaults",
       Row("Y", "data", "Int") + Row("Y", "bufferinval2", "Int") + Row("Y", "", "String") +
           Row("Y", "trapval1", "String") + Row("Y", "enterprises", "Int") + Row("Y", "tempA", "Int") +
           Row("Y", "tempa", "Int"),
       Row("Y", "bufferinval3", "Int") + Row("Y", "velmora", "String") + Row("Y", "setpoint", "Int") +
           Row("Y", "", "Int") + Row("Y", "trapval9", "Int"),
       {"bufferinval1 bufferinval 1", "bufferinval2 bufferinval 2", "bufferinval3 bufferinval 3",
        "bufferinval4 bufferinval 4", "bufferinval5 bufferinval 5", "tempA bufferinval 6",
        "tempa bufferinval 7", "bufferoutval1 bufferoutval 1", "bufferoutval2 bufferoutval 2",
        "setpoint bufferoutval 3", "bufferoutval4 bufferoutval 4", "trapval9 bufferoutval 5",
        "trapval1 trapsval 1", "trapval2 trapsval 2", "trapval3 trapsval 3", "trapval4 trapsval 4",
        "trapval5 trapsval 5", "trapval6 trapsval 6", "trapval7 trapsval 7"}},
      // An earlier row holding a later row's default name.
      {"default taken", Row("Y", "bufferinval2", "Int") + Row("Y", "", "Int"), "",
       {"bufferinval2 bufferinval 1", "bufferinval2x1 bufferinval 2", "trapval1 trapsval 1",
        "trapval2 trapsval 2"}},
      {"full tables", Full_Read, Full_Write, {}},
  };
  for (const Case &C : Cases) {
    SCOPED_TRACE(C.Name);
    Write_SNMP(C.Read, C.Write);
    const QStringList L = Write();
    if (!C.Objects.isEmpty()) {
      EXPECT_EQ(Objects(L), C.Objects);
    }
    EXPECT_VALID_SMIV2(Path("out.mib"));
  }
}

// Hand-edited tables: quotes and line breaks in descriptions, blanks, capitals and other
// characters a descriptor cannot hold. The text is cleaned, the names derived, and valid names
// kept as they are.
TEST_F(MibTest, DescriptionsFromHandEditedTablesAreCleaned)
{
  const QString Long = QString(70, 'w');
  Write_SNMP(Row("Y", "Tank &quot;A&quot; level", "Int") + Row("Y", "first&#10;second", "Int") +
                 Row("Y", "one&#13;&#10;two&#13;three", "String") + Row("Y", "Temperature", "Int") +
                 Row("Y", "temperature", "Int") + Row("Y", "Au\u00dfen \u00e4nderung", "String") +
                 Row("Y", "1st sensor", "Int") + Row("Y", Long, "Int") + Row("Y", "&quot;&#9;&quot;", "Int") +
                 Row("Y", "keptName2", "Int") + Row("Y", "\uff02wide\uff02", "Int"),
             Row("Y", "set point", "Int"));
  const QStringList L = Write();
  ASSERT_EQ(AppState().MIB_Read_Names->Count(), 11);
  EXPECT_EQ(AppState().MIB_Read_Names->Strings(1), "first\nsecond");
  EXPECT_EQ(AppState().MIB_Read_Names->Strings(2), "one\r\ntwo\rthree");
  EXPECT_EQ(Objects(L),
            (QStringList{"tankALevel bufferinval 1", "firstSecond bufferinval 2", "oneTwoThree bufferinval 3",
                         "temperature bufferinval 4", "bufferinval5 bufferinval 5", "auenAnderung bufferinval 6",
                         "bufferinval7 bufferinval 7", QString(64, 'w') + " bufferinval 8",
                         "bufferinval9 bufferinval 9", "keptName2 bufferinval 10", "wide bufferinval 11",
                         "setPoint bufferoutval 1",
                         "trapval1 trapsval 1", "trapval2 trapsval 2", "trapval3 trapsval 3", "trapval4 trapsval 4",
                         "trapval5 trapsval 5", "trapval6 trapsval 6", "trapval7 trapsval 7", "trapval8 trapsval 8",
                         "trapval9 trapsval 9", "trapval10 trapsval 10", "trapval11 trapsval 11"}));
  const auto Description = [&L](const QString &Oid) {
    for (const QString &Line : L)
      if (Line.endsWith(Oid)) return Line.section("DESCRIPTION ", 1).section(" ::=", 0, 0);
    return QString("<missing>");
  };
  EXPECT_EQ(Description("{ bufferinval 1 }"), "\"Tank 'A' level\"");
  EXPECT_EQ(Description("{ bufferinval 2 }"), "\"first second\"");
  EXPECT_EQ(Description("{ bufferinval 3 }"), "\"one two three\"");
  EXPECT_EQ(Description("{ bufferinval 6 }"), "\"Au?en anderung\"");
  EXPECT_EQ(Description("{ bufferinval 9 }"), "\"' '\"");
  EXPECT_EQ(Description("{ bufferinval 11 }"), "\"'wide'\"");
  EXPECT_EQ(Description("{ trapsval 1 }"), "\"Tank 'A' level\"");
  // Every line break of the file is CR LF, and every one-line definition holds its quotes in pairs.
  const QByteArray Bytes = ReadBytes(Path("out.mib"));
  EXPECT_EQ(Bytes.count("\n"), Bytes.count("\r\n"));
  EXPECT_EQ(Bytes.count("\r"), Bytes.count("\r\n"));
  for (const QString &Line : L) {
    if (Line.contains("TYPE ")) {
      EXPECT_EQ(Line.count('"'), 2) << Line.toStdString();
    }
  }
  EXPECT_VALID_SMIV2(Path("out.mib"));
}

TEST_F(MibTest, GoldenFile)
{
  Copy_Fixture("SNMP_Trap.xml");
  Write();
  Expect_Golden(Path("out.mib"), "golden.mib");
  EXPECT_VALID_SMIV2(Path("out.mib"));
}

}  // namespace
