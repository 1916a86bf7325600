#pragma once
// The CANopen forms' tests: each form created and shown over a temporary project folder, with
// what their tests need to fill rows, run the checks and read the file.
#include "tables/fset_pdo_access.h"
#include "tables/fset_sdo_client_access.h"
#include "tables/fset_sdo_server_access.h"
#include "tests/tables/tables_fixture.h"

#include "framework/stdctrls/comctrls.h"

namespace tablestest {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

// What differs between the three forms, for the tests they share.
struct TPDO_Traits {
  using Form = TFSet_PDO_Access;
  static constexpr int Rows = 30;
  static constexpr int Client_Width = 798;
  static constexpr int Caption_Text = 1900;
  static constexpr int Delete_Text = 1991;
  static constexpr int Col_Counts[2] = {13, 14};
  static constexpr int First_Header[2] = {1916, 1929};
  static constexpr int First_Hint[2] = {1943, 1955};
  static constexpr int Check_Box[2] = {-1, pdocols::cOn_Change};
  static constexpr QString TAppState::*File = &TAppState::File_PDO_CANopen;
  static const char *File_Name() { return "PDO_CANopen.xml"; }
};

struct TSDO_Client_Traits {
  using Form = TFSet_SDO_Client_Access;
  static constexpr int Rows = 256;
  static constexpr int Client_Width = 798;
  static constexpr int Caption_Text = 2000;
  static constexpr int Delete_Text = 2079;
  static constexpr int Col_Counts[2] = {11, 12};
  static constexpr int First_Header[2] = {2016, 2027};
  static constexpr int First_Hint[2] = {2039, 2049};
  static constexpr int Check_Box[2] = {-1, sdoclientcols::cOn_Change};
  static constexpr QString TAppState::*File = &TAppState::File_SDO_Client_CANopen;
  static const char *File_Name() { return "SDO_Client_CANopen.xml"; }
};

struct TSDO_Server_Traits {
  using Form = TFSet_SDO_Server_Access;
  static constexpr int Rows = 500;
  static constexpr int Client_Width = 749;
  static constexpr int Caption_Text = 2100;
  static constexpr int Delete_Text = 2165;
  static constexpr int Col_Counts[2] = {9, 9};
  static constexpr int First_Header[2] = {2116, 2125};
  static constexpr int First_Hint[2] = {2134, 2142};
  static constexpr int Check_Box[2] = {-1, -1};
  static constexpr QString TAppState::*File = &TAppState::File_SDO_Server_CANopen;
  static const char *File_Name() { return "SDO_Server_CANopen.xml"; }
};

template <class Traits>
class CANopenFormTest : public TablesTest {
protected:
  using TForm = typename Traits::Form;

  void SetUp() override
  {
    TablesTest::SetUp();
    AppState().*Traits::File = Path();
    F = std::make_unique<TForm>(nullptr);
    F->AfterConstruction();
    F->FormShow(nullptr);
  }
  QString Path() const { return Dir.path() + "/" + Traits::File_Name(); }
  TZavColumnGrid *G(int Grid) const { return F->Column_Grid(Grid); }
  void Show_Tab(int I) { F->PageControl1->SetActivePageIndex(I); }

  // Cells 1, 2, ... of a row.
  void Fill(int Grid, int Row, const QStringList &Cells)
  {
    for (int C = 0; C < Cells.size(); ++C)
      G(Grid)->SetCells(C + 1, Row, Cells[C]);
  }
  // "" when the checks pass, else the error box's text.
  QString Check()
  {
    Boxes.clear();
    const bool Passed = F->Controllo_dati();
    EXPECT_EQ(Passed, Boxes.empty());
    EXPECT_LE(Boxes.size(), 1u);
    return Boxes.empty() ? QString() : Boxes[0].Text;
  }
  QString Error(int Row, int Message, const QString &Suffix = QString()) const
  {
    return Lang_Text(F->Desc().Error_Row_Text) + QString::number(Row) + Lang_Text(Message) + Suffix;
  }

  std::unique_ptr<TForm> F;
};

}  // namespace tablestest
