#pragma once
// Helpers for the side-file writer tests: a temporary project folder, the application state
// pointed at it, a fixed clock, scripted dialogs and file comparison.
#include "framework/system/sysutils.h"
#include "project/app_state.h"
#include "project/side_files.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

namespace sidetest {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

// Lines of a CR LF file decoded as Latin-1 (enough for the ASCII content checked); the empty
// piece after the last CR LF is dropped.
inline QStringList Lines(const QByteArray &Data)
{
  QStringList L = QString::fromLatin1(Data).split("\r\n");
  if (!L.isEmpty() && L.last().isEmpty()) L.removeLast();
  return L;
}

// A fresh project folder with the application state pointed at it, the side-file state reset
// and the clock fixed at 2026-03-04 13:07:09.
class SideTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Dir.isValid());
    AppState().Reset();
    SideFileState().Reset();
    Set_Project("Plant");
    SetNowOverride(EncodeDateTime(2026, 3, 4, 13, 7, 9, 0));
  }

  void TearDown() override
  {
    ClearNowOverride();
    AppState().Reset();
    SideFileState().Reset();
  }

  void Set_Project(const QString &Name)
  {
    TAppState &A = AppState();
    A.Project_Name = Name;
    A.Project_Dir = Dir.path();
    A.File_ParGen = Path("ParGen.xml");
    A.File_PDO_CANopen = Path("PDO_CANopen.xml");
    A.File_SDO_Server_CANopen = Path("SDO_Server_CANopen.xml");
    A.File_SNMP_Trap = Path("SNMP_Trap.xml");
    A.File_BACnet_Slave = Path("BACnet_Slave.xml");
  }

  QString Path(const QString &Name) const { return Dir.path() + "/" + Name; }

  // A project file from the fixture project.
  void Copy_Fixture(const QString &Name)
  {
    WriteBytes(Path(Name), ReadBytes(testsupport::Fixture("side/project/" + Name)));
  }

  void Copy_All_Fixtures()
  {
    for (const char *N : {"ParGen.xml", "PDO_CANopen.xml", "SDO_Server_CANopen.xml",
                          "SNMP_Trap.xml", "BACnet_Slave.xml"})
      Copy_Fixture(N);
  }

  // A project file from text.
  void Write_File(const QString &Name, const QString &Text) { WriteBytes(Path(Name), Text.toUtf8()); }

  // Compares with a golden file byte for byte; on a difference the output is left in the
  // test output folder.
  void Expect_Golden(const QString &Output, const QString &Golden)
  {
    const QByteArray Got = ReadBytes(Output);
    const QByteArray Want = ReadBytes(testsupport::Fixture("side/" + Golden));
    if (Got != Want) WriteBytes(testsupport::OutputDir() + "/" + Golden, Got);
    ASSERT_FALSE(Want.isEmpty()) << "missing golden file " << Golden.toStdString();
    if (Got != Want) {
      const QStringList G = Lines(Got), W = Lines(Want);
      for (int I = 0; I < std::max(G.size(), W.size()); ++I)
        if (I >= G.size() || I >= W.size() || G[I] != W[I]) {
          ADD_FAILURE() << Golden.toStdString() << " differs first at line " << I + 1 << ": got \""
                        << G.value(I).toStdString() << "\", want \"" << W.value(I).toStdString() << "\"";
          return;
        }
      ADD_FAILURE() << Golden.toStdString() << " differs in its line ends or bytes";
    }
  }

  QTemporaryDir Dir;
};

// Scripted dialogs: records what was asked and answers from the script.
struct TScriptedUI {
  bool Save_OK = true;
  QString Save_Name;
  bool Answer_Yes = true;

  std::vector<TSideSaveDialog> Saves;
  QString Save_Dir;
  std::vector<int> Errors;
  std::vector<std::pair<int, bool>> Questions;  // text number, with Cancel

  TSideFileUI UI()
  {
    TSideFileUI U;
    U.Execute_Save = [this](TSideSaveDialog D, const QString &InitialDir, QString &FileName) {
      Saves.push_back(D);
      Save_Dir = InitialDir;
      if (Save_OK) FileName = Save_Name;
      return Save_OK;
    };
    U.Show_Error = [this](int TextNo) { Errors.push_back(TextNo); };
    U.Ask_Yes = [this](int TextNo, bool WithCancel) {
      Questions.push_back({TextNo, WithCancel});
      return Answer_Yes;
    };
    return U;
  }
};

}  // namespace sidetest
