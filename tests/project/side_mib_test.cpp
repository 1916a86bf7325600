// SNMP MIB writer: objects of the enabled rows and their numbering, notifications, the user
// action's dialogs and a golden file.
#include "tests/project/side_test_helpers.h"

#include "framework/classes/classes.h"

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

TEST_F(MibTest, EnabledRowsBecomeNumberedObjectsAndNotifications)
{
  Write_SNMP(Row("Y", "Temperature", "int") + Row("N", "Pressure", "Int") + Row("y", "", "String") +
                 Row("n", "Level", "Int") + "<row Community_Name=\"x\" Description=\"NoEnable\"/>" +
                 Row("Y", "Flow", ""),
             Row("N", "Off", "Int") + Row("Y", "Setpoint", "INT") + Row("Y", "", "Int"));
  const QStringList L = Write();
  EXPECT_EQ(Between(L, " bufferinval OBJECT IDENTIFIER::= { bufferin 9 }", "bufferout OBJECT IDENTIFIER::= { data 5 }"),
            (QStringList{
                "Temperature OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"Temperature\" ::= { bufferinval 1 }",
                "bufferinval2 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"\" ::= { bufferinval 2 }",
                "Flow OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"Flow\" ::= { bufferinval 3 }"}));
  EXPECT_EQ(Between(L, " bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }", "traps OBJECT IDENTIFIER::= { application 2 }"),
            (QStringList{
                "Setpoint OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write STATUS current DESCRIPTION \"Setpoint\" ::= { bufferoutval 1 }",
                "bufferoutval2 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write STATUS current DESCRIPTION \"\" ::= { bufferoutval 2 }"}));
  EXPECT_EQ(Between(L, " trapsval OBJECT IDENTIFIER::= { traps 1 }", "END"),
            (QStringList{
                "trapval1 NOTIFICATION-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"Temperature\" ::= { trapsval 1 }",
                "trapval2 NOTIFICATION-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"\" ::= { trapsval 2 }",
                "trapval3 NOTIFICATION-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"Flow\" ::= { trapsval 3 }"}));
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
    EXPECT_EQ(L.size(), 43 + 1 + 9 + 2 + 1);
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
  EXPECT_TRUE(L.contains("trapval200 NOTIFICATION-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"\" ::= { trapsval 200 }"));
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
      "trapval1 NOTIFICATION-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"Temperature\" ::= { trapsval 1 }"));

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

TEST_F(MibTest, GoldenFile)
{
  Copy_Fixture("SNMP_Trap.xml");
  Write();
  Expect_Golden(Path("out.mib"), "golden.mib");
}

}  // namespace
