#include "tables/fset_sdo_client_access.h"

#include "grid/core/column_grid.h"
#include "project/app_state.h"

using namespace sdoclientcols;

namespace {

constexpr TColor Request_Color = RGB(224, 250, 254);
constexpr TColor Timing_Color = RGB(168, 255, 168);
constexpr TColor Position_Color = RGB(252, 214, 244);

constexpr int Data_Rows = 256;

// The write grid's columns. The read grid has the same without On Change, with texts of its own
// and a wider Mnemonic.
const std::vector<TColumnDesc> &Write_Columns()
{
  static const std::vector<TColumnDesc> Columns = [] {
    std::vector<TColumnDesc> C = {
        {.Col = cN, .Header_Text = 2027, .Width = 40, .Color = clBtnFace},
        {.Col = cDevice_ID, .Header_Text = 2028, .Hint_Text = 2049, .Attribute = "Device_ID", .Width = 60,
         .Color = Request_Color},
        {.Col = cIndex, .Header_Text = 2029, .Hint_Text = 2050, .Attribute = "Index", .Width = 55,
         .Color = Request_Color},
        {.Col = cSubIndex, .Header_Text = 2030, .Hint_Text = 2051, .Attribute = "SubIndex", .Width = 60,
         .Color = Request_Color},
        {.Col = cNByte, .Header_Text = 2031, .Hint_Text = 2052, .Attribute = "NByte", .Width = 45,
         .Color = Request_Color},
        {.Col = cPoll_Time, .Header_Text = 2032, .Hint_Text = 2053, .Attribute = "Poll_Time", .Width = 60,
         .Color = Timing_Color},
        {.Col = cOn_Change, .Header_Text = 2033, .Hint_Text = 2054, .Editor = edDataCheckBox,
         .Attribute = "On_Change", .Width = 68, .Color = Timing_Color, .Alignment = taCenter},
    };
    static const char *const Address[4] = {"Address_B1", "Address_B2", "Address_B3", "Address_B4"};
    for (int K = 0; K < 4; ++K)
      C.push_back({.Col = cWrite_Add_Byte1 + K, .Header_Text = 2034 + K, .Hint_Text = 2055 + K,
                   .Attribute = Address[K], .Width = 70, .Color = Position_Color});
    C.push_back({.Col = cWrite_Mnemonic, .Header_Text = 2038, .Hint_Text = 2059, .Attribute = "Mnemonic",
                 .Width = 95, .Color = clWhite});
    return C;
  }();
  return Columns;
}

// Where the read grid departs from the write grid (the write grid's column numbers).
const TColumnDiff Read_Diffs[] = {
    {.Col = cN, .Header_Text = 2016},
    {.Col = cDevice_ID, .Header_Text = 2017, .Hint_Text = 2039},
    {.Col = cIndex, .Header_Text = 2018, .Hint_Text = 2040},
    {.Col = cSubIndex, .Header_Text = 2019, .Hint_Text = 2041},
    {.Col = cNByte, .Header_Text = 2020, .Hint_Text = 2042},
    {.Col = cPoll_Time, .Header_Text = 2021, .Hint_Text = 2043},
    {.Col = cOn_Change, .Absent = true},
    {.Col = cWrite_Add_Byte1 + 0, .Header_Text = 2022, .Hint_Text = 2044},
    {.Col = cWrite_Add_Byte1 + 1, .Header_Text = 2023, .Hint_Text = 2045},
    {.Col = cWrite_Add_Byte1 + 2, .Header_Text = 2024, .Hint_Text = 2046},
    {.Col = cWrite_Add_Byte1 + 3, .Header_Text = 2025, .Hint_Text = 2047},
    {.Col = cWrite_Mnemonic, .Header_Text = 2026, .Hint_Text = 2048, .Width = 163},
};

}  // namespace

TGridDesc TFSet_SDO_Client_Access::Grid_Description(TFSet_SDO_Client_Access *Form, bool Write)
{
  TGridDesc G = CANopen_Grid({
      .Grid_Name = Write ? QStringLiteral("sgb") : QStringLiteral("sga"),
      .Sheet_Name = Write ? QStringLiteral("TS_SDO_Write") : QStringLiteral("TS_SDO_Read"),
      .Sheet_Text = Write ? 2015 : 2014,
      .Section = Write ? "SDO_Write" : "SDO_Read",
      .Data_Rows = Data_Rows,
      .Key_Col = cDevice_ID,
      .Columns = Write ? Write_Columns() : Twin_Columns(Write_Columns(), Read_Diffs),
  });
  const int Grid = Write ? 1 : 0;
  auto Msg = [Write](int Read, int Written) { return Write ? Written : Read; };
  auto Byte_Count = [Form, Grid](int Row) { return SDO_Byte_Count(Form->Grid(Grid)->Cells(cNByte, Row)); };
  G.Checks = {
      Check_Range(cDevice_ID, 1, 127, Msg(2061, 2070)),
      Check_Range(cIndex, 0x1000, 0xFFFF, Msg(2062, 2071)),
      Check_Range(cSubIndex, 0, 0xFF, Msg(2063, 2072)),
      Check_Custom(cNByte, Msg(2064, 2073), [Byte_Count](int Row) { return Byte_Count(Row) == 0; }),
      // Writes may go on change only; reads need a period.
      Check_Range(cPoll_Time, Write ? 0 : 1, 100000000, Msg(2065, 2074)),
  };
  for (TRowCheck &C : Address_Checks(Write ? cWrite_Add_Byte1 : cRead_Add_Byte1, 4, Msg(2066, 2075), Byte_Count))
    G.Checks.push_back(std::move(C));
  return G;
}

TTableFormDesc TFSet_SDO_Client_Access::Description(TFSet_SDO_Client_Access *Form)
{
  TTableFormDesc D = CANopen_Description();
  D.Form_Name = QStringLiteral("FSet_SDO_Client_Access");
  D.File = &TAppState::File_SDO_Client_CANopen;
  D.Root = "SDO_Client_CANopen";
  D.Caption_Text = 2000;
  D.Desc_Text = 2001;
  D.First_Button_Text = 2002;
  D.Error_Row_Text = 2060;
  D.Delete_Question_Text = 2079;
  D.Grids = {Grid_Description(Form, false), Grid_Description(Form, true)};
  return D;
}

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(TComponent *AOwner)
    : TCANopen_Table_Form(AOwner, Description(this))
{
  TS_SDO_Read = Sheet(0);
  TS_SDO_Write = Sheet(1);
  sga = Column_Grid(0);
  sgb = Column_Grid(1);
}
