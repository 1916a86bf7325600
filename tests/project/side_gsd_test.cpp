// PROFIBUS GSD writer: module and slot layout, file-name rule, the user action's dialogs and a
// golden file.
#include "tests/project/side_test_helpers.h"

#include "project/lang_texts.h"

using namespace sidetest;

namespace {

class GsdTest : public SideTest {
protected:
  QStringList Write(int Input, int Output)
  {
    SideFileState().GSD_Input_Len = Input;
    SideFileState().GSD_Output_Len = Output;
    Write_GSD_File(Path("out.gsd"));
    return Lines(ReadBytes(Path("out.gsd")));
  }
};

// The lines from the module definitions to the end.
QStringList Tail(const QStringList &L)
{
  const int P = L.indexOf(";==== Module-Definition-List ==================================================");
  return L.mid(P + 3);
}

TEST_F(GsdTest, ModuleAndSlotLinesFollowTheSizes)
{
  struct Case {
    int Input, Output;
    QString Max_Module;
    QStringList Tail;
  };
  const Case Cases[] = {
      {100, 0, "Max_Module=2",
       {"Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01", "1", "EndModule",
        "Module=\"DI  (PORT2)    \" 0x42,0x23,0x00,0x02", "2", "EndModule", "", "", "",
        "SlotDefinition", "Slot(1) = \"Slot 1\" 1 1", "Slot(2) = \"Slot 2\" 2 2",
        "EndSlotDefinition", "", "", "", ""}},
      {64, 0, "Max_Module=1",
       {"Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01", "1", "EndModule", "", "", "",
        "SlotDefinition", "Slot(1) = \"Slot 1\" 1 1", "EndSlotDefinition", "", "", "", ""}},
      {0, 1, "Max_Module=1",
       {"Module=\"DO  (PORT1)    \" 0x82,0x00,0x00,0x01", "1", "EndModule", "", "", "",
        "SlotDefinition", "Slot(1) = \"Slot 1\" 1 1", "EndSlotDefinition", "", "", "", ""}},
      {0, 0, "Max_Module=0",
       {"", "", "", "SlotDefinition", "EndSlotDefinition", "", "", "", ""}},
      // Input modules first; the output modules continue the numbering.
      {1, 128, "Max_Module=3",
       {"Module=\"DI  (PORT1)    \" 0x42,0x00,0x00,0x01", "1", "EndModule",
        "Module=\"DO  (PORT2)    \" 0x82,0x3F,0x00,0x02", "2", "EndModule",
        "Module=\"DO  (PORT3)    \" 0x82,0x3F,0x00,0x03", "3", "EndModule", "", "", "",
        "SlotDefinition", "Slot(1) = \"Slot 1\" 1 1", "Slot(2) = \"Slot 2\" 2 2",
        "Slot(3) = \"Slot 3\" 3 3", "EndSlotDefinition", "", "", "", ""}},
      // The largest sizes: four modules each way, the last of 52 bytes.
      {244, 244, "Max_Module=8",
       {"Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01", "1", "EndModule",
        "Module=\"DI  (PORT2)    \" 0x42,0x3F,0x00,0x02", "2", "EndModule",
        "Module=\"DI  (PORT3)    \" 0x42,0x3F,0x00,0x03", "3", "EndModule",
        "Module=\"DI  (PORT4)    \" 0x42,0x33,0x00,0x04", "4", "EndModule",
        "Module=\"DO  (PORT5)    \" 0x82,0x3F,0x00,0x05", "5", "EndModule",
        "Module=\"DO  (PORT6)    \" 0x82,0x3F,0x00,0x06", "6", "EndModule",
        "Module=\"DO  (PORT7)    \" 0x82,0x3F,0x00,0x07", "7", "EndModule",
        "Module=\"DO  (PORT8)    \" 0x82,0x33,0x00,0x08", "8", "EndModule", "", "", "",
        "SlotDefinition", "Slot(1) = \"Slot 1\" 1 1", "Slot(2) = \"Slot 2\" 2 2",
        "Slot(3) = \"Slot 3\" 3 3", "Slot(4) = \"Slot 4\" 4 4", "Slot(5) = \"Slot 5\" 5 5",
        "Slot(6) = \"Slot 6\" 6 6", "Slot(7) = \"Slot 7\" 7 7", "Slot(8) = \"Slot 8\" 8 8",
        "EndSlotDefinition", "", "", "", ""}},
  };
  for (const Case &C : Cases) {
    SCOPED_TRACE(testing::Message() << "input " << C.Input << ", output " << C.Output);
    const QStringList L = Write(C.Input, C.Output);
    EXPECT_TRUE(L.contains(C.Max_Module));
    EXPECT_TRUE(L.contains("Max_Input_Len=" + QString::number(C.Input)));
    EXPECT_TRUE(L.contains("Max_Output_Len=" + QString::number(C.Output)));
    EXPECT_TRUE(L.contains("Max_Data_Len=" + QString::number(C.Input + C.Output)));
    EXPECT_EQ(Tail(L), C.Tail);
  }
}

// PROFIBUS DP carries 0 to 244 bytes each way. Beyond that the module numbers outgrew their
// configuration byte ("0x100") and sizes near the integer limit exhausted memory; such sizes are
// refused with the text naming the wrong one, before the name is asked, and nothing is written.
TEST_F(GsdTest, SizesAGsdCannotDescribeAreRefused)
{
  Load_Default_Texts();
  struct Case {
    QString In, Out;  // "PROFINET_NB_IN" (the GSD's output), "PROFINET_NB_OUT" (its input)
    int Error;
  };
  const Case Cases[] = {
      {"245", "0", 477},         {"0", "245", 478},         {"-1", "0", 477},
      {"0", "-5", 478},          {"16320", "16320", 477},   {"0", "16384", 478},
      {"2147483647", "0", 477},  {"0", "2147483647", 478},  {"0", "-2147483648", 478},
  };
  for (const Case &C : Cases) {
    SCOPED_TRACE((C.In + " " + C.Out).toStdString());
    Write_File("ParGen.xml", "<Par_Gen><PROFINET_NB_IN>" + C.In + "</PROFINET_NB_IN><PROFINET_NB_OUT>" + C.Out +
                                 "</PROFINET_NB_OUT></Par_Gen>");
    TScriptedUI S;
    S.Save_Name = Path("big.gsd");
    Save_GSD_File(S.UI());
    EXPECT_EQ(S.Errors, std::vector<int>{C.Error});
    EXPECT_TRUE(S.Saves.empty());
    EXPECT_FALSE(QFile::exists(Path("big.gsd")));

    // Writing directly fails with the same text and leaves no file either.
    try {
      Write_GSD_File(Path("direct.gsd"));
      ADD_FAILURE() << "no error";
    } catch (const Exception &E) {
      EXPECT_EQ(E.Message(), AppState().Lang_Texts[C.Error]);
    }
    EXPECT_FALSE(QFile::exists(Path("direct.gsd")));
  }
  EXPECT_EQ(AppState().Lang_Texts[477], "Error PROFIBUS!! Number Bytes Input must be between 0 and 244");
}

TEST_F(GsdTest, FileNameGetsGsdUnlessItEndsInTheFirstGsd)
{
  const std::pair<QString, QString> Cases[] = {
      {"/p/plc.gsd", "/p/plc.gsd"},
      {"/p/PLC.GSD", "/p/PLC.GSD"},
      {"/p/plc", "/p/plc.gsd"},
      {"/p/plc.gsd.txt", "/p/plc.gsd.txt.gsd"},
      // Only the first ".gsd" counts, so a name holding it twice gets another one.
      {"/p/a.gsd.gsd", "/p/a.gsd.gsd.gsd"},
      {"/p/plc.gs", "/p/plc.gs.gsd"},
  };
  for (const auto &[Chosen, Want] : Cases) EXPECT_EQ(GSD_File_Name(Chosen), Want) << Chosen.toStdString();
}

TEST_F(GsdTest, SizesComeFromParGenWithZeroForWhatCannotBeRead)
{
  struct Case {
    QString ParGen;
    int Input, Output;
  };
  const Case Cases[] = {
      {"<Par_Gen><PROFINET_NB_IN>7</PROFINET_NB_IN><PROFINET_NB_OUT>100</PROFINET_NB_OUT></Par_Gen>", 100, 7},
      {"<Par_Gen><Other>1</Other></Par_Gen><!--SW_VERSION = 1.000-->", 0, 0},
      {"<Par_Gen><PROFINET_NB_IN>x</PROFINET_NB_IN><PROFINET_NB_OUT/></Par_Gen>", 0, 0},
      {"<Par_Gen><PROFINET_NB_IN>0x10</PROFINET_NB_IN><PROFINET_NB_OUT><a/></PROFINET_NB_OUT></Par_Gen>", 0, 16},
      // Only direct children of the root count.
      {"<Par_Gen><G><PROFINET_NB_IN>5</PROFINET_NB_IN></G></Par_Gen>", 0, 0},
  };
  for (const Case &C : Cases) {
    SCOPED_TRACE(C.ParGen.toStdString());
    Write_File("ParGen.xml", C.ParGen);
    SideFileState().GSD_Input_Len = -1;
    SideFileState().GSD_Output_Len = -1;
    Load_GSD_Sizes();
    EXPECT_EQ(SideFileState().GSD_Input_Len, C.Input);
    EXPECT_EQ(SideFileState().GSD_Output_Len, C.Output);
  }
}

TEST_F(GsdTest, SaveWithoutParGenShowsText1104AndAsksNothing)
{
  TScriptedUI S;
  S.Save_Name = Path("x.gsd");
  Save_GSD_File(S.UI());
  EXPECT_EQ(S.Errors, std::vector<int>{1104});
  EXPECT_TRUE(S.Saves.empty());
  EXPECT_FALSE(QFile::exists(Path("x.gsd")));
}

TEST_F(GsdTest, SaveAsksForTheNameInTheProjectAndForOverwriting)
{
  Copy_Fixture("ParGen.xml");
  TScriptedUI S;
  S.Save_Name = Path("plant");
  Save_GSD_File(S.UI());
  EXPECT_EQ(S.Saves, std::vector<TSideSaveDialog>{TSideSaveDialog::sdGSD});
  EXPECT_EQ(S.Save_Dir, Dir.path());
  EXPECT_TRUE(S.Questions.empty());
  ASSERT_TRUE(QFile::exists(Path("plant.gsd")));
  EXPECT_TRUE(Lines(ReadBytes(Path("plant.gsd"))).contains("Max_Input_Len=100"));

  // The file exists now: No keeps it, Yes replaces it.
  WriteBytes(Path("plant.gsd"), "old");
  S.Answer_Yes = false;
  Save_GSD_File(S.UI());
  ASSERT_EQ(S.Questions.size(), 1u);
  EXPECT_EQ(S.Questions[0], std::make_pair(1103, false));
  EXPECT_EQ(ReadBytes(Path("plant.gsd")), QByteArray("old"));
  S.Answer_Yes = true;
  Save_GSD_File(S.UI());
  EXPECT_NE(ReadBytes(Path("plant.gsd")), QByteArray("old"));

  // Cancel writes nothing.
  S.Save_OK = false;
  S.Save_Name = Path("other");
  Save_GSD_File(S.UI());
  EXPECT_FALSE(QFile::exists(Path("other.gsd")));
}

TEST_F(GsdTest, GoldenFile)
{
  Copy_Fixture("ParGen.xml");
  Load_GSD_Sizes();
  Write_GSD_File(Path("out.gsd"));
  Expect_Golden(Path("out.gsd"), "golden.gsd");
  // Every line of the contact box is 85 characters wide.
  const QStringList L = Lines(ReadBytes(Path("out.gsd")));
  for (int I = 1; I < 21; ++I) EXPECT_EQ(L[I].size(), 85) << "line " << I + 1;
}

}  // namespace
