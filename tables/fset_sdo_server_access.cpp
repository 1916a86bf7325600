#include "tables/fset_sdo_server_access.h"

#include "grid/core/column_grid.h"
#include "project/app_state.h"

using namespace sdoservercols;

namespace {

constexpr TColor Entry_Color = RGB(224, 250, 254);
constexpr TColor Position_Color = RGB(252, 214, 244);

constexpr int Data_Rows = 500;

// The read grid's columns; the write grid's differ in their texts only.
const std::vector<TColumnDesc> &Read_Columns()
{
  static const std::vector<TColumnDesc> Columns = [] {
    std::vector<TColumnDesc> C = {
        {.Col = cN, .Header_Text = 2116, .Width = 40, .Color = clBtnFace},
        {.Col = cIndex, .Header_Text = 2117, .Hint_Text = 2134, .Attribute = "Index", .Width = 65,
         .Color = Entry_Color},
        {.Col = cSubIndex, .Header_Text = 2118, .Hint_Text = 2135, .Attribute = "SubIndex", .Width = 61,
         .Color = Entry_Color},
        {.Col = cNByte, .Header_Text = 2119, .Hint_Text = 2136, .Attribute = "NByte", .Width = 55,
         .Color = Entry_Color},
    };
    static const char *const Address[4] = {"Address_B1", "Address_B2", "Address_B3", "Address_B4"};
    for (int K = 0; K < 4; ++K)
      C.push_back({.Col = cAdd_Byte1 + K, .Header_Text = 2120 + K, .Hint_Text = 2137 + K, .Attribute = Address[K],
                   .Width = 80, .Color = Position_Color});
    C.push_back({.Col = cMnemonic, .Header_Text = 2124, .Hint_Text = 2141, .Attribute = "Mnemonic", .Width = 170,
                 .Color = clWhite});
    return C;
  }();
  return Columns;
}

const TColumnDiff Write_Diffs[] = {
    {.Col = cN, .Header_Text = 2125},
    {.Col = cIndex, .Header_Text = 2126, .Hint_Text = 2142},
    {.Col = cSubIndex, .Header_Text = 2127, .Hint_Text = 2143},
    {.Col = cNByte, .Header_Text = 2128, .Hint_Text = 2144},
    {.Col = cAdd_Byte1 + 0, .Header_Text = 2129, .Hint_Text = 2145},
    {.Col = cAdd_Byte1 + 1, .Header_Text = 2130, .Hint_Text = 2146},
    {.Col = cAdd_Byte1 + 2, .Header_Text = 2131, .Hint_Text = 2147},
    {.Col = cAdd_Byte1 + 3, .Header_Text = 2132, .Hint_Text = 2148},
    {.Col = cMnemonic, .Header_Text = 2133, .Hint_Text = 2149},
};

}  // namespace

TGridDesc TFSet_SDO_Server_Access::Grid_Description(TFSet_SDO_Server_Access *Form, bool Write)
{
  TGridDesc G = CANopen_Grid({
      .Grid_Name = Write ? QStringLiteral("sgb") : QStringLiteral("sga"),
      .Sheet_Name = Write ? QStringLiteral("TS_SDO_Write") : QStringLiteral("TS_SDO_Read"),
      .Sheet_Text = Write ? 2115 : 2114,
      .Section = Write ? "SDO_Write" : "SDO_Read",
      .Data_Rows = Data_Rows,
      .Key_Col = cIndex,
      .Columns = Write ? Twin_Columns(Read_Columns(), Write_Diffs) : Read_Columns(),
  });
  const int Grid = Write ? 1 : 0;
  // The write grid's messages follow the read grid's seven.
  const int M = Write ? 7 : 0;
  auto Byte_Count = [Form, Grid](int Row) { return SDO_Byte_Count(Form->Grid(Grid)->Cells(cNByte, Row)); };
  // The manufacturer-specific area of the object dictionary.
  G.Checks = {
      Check_Range(cIndex, 0x2000, 0x5FFF, 2151 + M),
      Check_Range(cSubIndex, 0, 0xFF, 2152 + M),
      Check_Custom(cNByte, 2153 + M, [Byte_Count](int Row) { return Byte_Count(Row) == 0; }),
  };
  for (TRowCheck &C : Address_Checks(cAdd_Byte1, 4, 2154 + M, Byte_Count))
    G.Checks.push_back(std::move(C));
  return G;
}

TTableFormDesc TFSet_SDO_Server_Access::Description(TFSet_SDO_Server_Access *Form)
{
  TTableFormDesc D = CANopen_Description();
  D.Form_Name = QStringLiteral("FSet_SDO_Server_Access");
  D.Client_Width = 749;
  D.File = &TAppState::File_SDO_Server_CANopen;
  D.Root = "SDO_Server_CANopen";
  D.Caption_Text = 2100;
  D.Desc_Text = 2101;
  D.First_Button_Text = 2102;
  D.Error_Row_Text = 2150;
  D.Delete_Question_Text = 2165;
  D.Grids = {Grid_Description(Form, false), Grid_Description(Form, true)};
  return D;
}

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(TComponent *AOwner)
    : TCANopen_Table_Form(AOwner, Description(this))
{
  TS_SDO_Read = Sheet(0);
  TS_SDO_Write = Sheet(1);
  sga = Column_Grid(0);
  sgb = Column_Grid(1);
}
