#include "tables/fs7_protocol_set_access.h"

#include "grid/core/column_grid.h"
#include "project/app_state.h"
#include "project/s7_vocabulary.h"
#include "project/validators.h"

using namespace s7cols;

namespace {

constexpr TColor Enable_Color = RGB(255, 216, 176);
constexpr TColor Connection_Color = RGB(224, 250, 254);
constexpr TColor Timing_Color = RGB(168, 255, 168);
constexpr TColor Position_Color = RGB(252, 214, 244);
constexpr TColor Swap_Color = RGB(255, 255, 168);

const TColumnItems Bits{.From = 0, .To = 7};

// The write grid's columns. The read grid has the same without On Change and On CMD, with texts
// of its own and a wider Mnemonic.
const std::vector<TColumnDesc> &Write_Columns()
{
  static const std::vector<TColumnDesc> Columns = {
      {.Col = cN, .Header_Text = 1229, .Width = 40, .Color = clBtnFace},
      {.Col = cEnable, .Header_Text = 1230, .Hint_Text = 1256, .Editor = edDataCheckBox, .Attribute = "Enable",
       .Load = TLoadPolicy::lpDefault, .Default = QStringLiteral("Y"), .Reset_Text = QStringLiteral("Y"), .Width = 50,
       .Color = Enable_Color, .Alignment = taCenter},
      {.Col = cPLC_Address, .Header_Text = 1231, .Hint_Text = 1257, .Attribute = "PLC_Address", .Width = 100,
       .Color = Connection_Color},
      {.Col = cPLC_Port, .Header_Text = 1232, .Hint_Text = 1258, .Attribute = "PLC_Port", .Width = 60,
       .Color = Connection_Color},
      {.Col = cPLC_Type, .Header_Text = 1233, .Hint_Text = 1259, .Editor = edComboList,
       .Items = {S7_PLC_Types.Names()}, .Attribute = "PLC_Type", .Width = 80, .Color = Connection_Color},
      {.Col = cRack, .Header_Text = 1315, .Hint_Text = 1319, .Attribute = "Rack", .Load = TLoadPolicy::lpDefault,
       .Default = QStringLiteral("0"), .Width = 45, .Color = Connection_Color},
      {.Col = cSlot, .Header_Text = 1316, .Hint_Text = 1320, .Attribute = "Slot", .Load = TLoadPolicy::lpDefault,
       .Default = QStringLiteral("0"), .Width = 45, .Color = Connection_Color},
      {.Col = cData_Type, .Header_Text = 1234, .Hint_Text = 1260, .Editor = edComboList,
       .Items = {S7_Data_Types.Names()}, .Attribute = "Data_Type", .Width = 70, .Color = Connection_Color},
      {.Col = cData_Identifier, .Header_Text = 1235, .Hint_Text = 1261, .Editor = edComboList,
       .Items = {S7_Blocks.Names()}, .Attribute = "Data_Identifier", .Width = 90, .Color = Connection_Color},
      {.Col = cDB_Number, .Header_Text = 1293, .Hint_Text = 1301, .Attribute = "DB_Number", .Width = 80,
       .Color = Connection_Color},
      {.Col = cPLC_Area, .Header_Text = 1294, .Hint_Text = 1302, .Editor = edComboList, .Items = {S7_Areas.Names()},
       .Attribute = "PLC_Area", .Width = 115, .Color = Connection_Color},
      {.Col = cPLC_Add, .Header_Text = 1295, .Hint_Text = 1303, .Attribute = "PLC_Add", .Width = 60,
       .Color = Connection_Color},
      {.Col = cPLC_Bit, .Header_Text = 1296, .Hint_Text = 1304, .Editor = edComboList, .Items = Bits,
       .Attribute = "PLC_Bit", .Width = 60, .Color = Connection_Color},
      {.Col = cPoll_Time, .Header_Text = 1236, .Hint_Text = 1262, .Attribute = "PollTime", .Width = 64,
       .Color = Timing_Color},
      {.Col = cOn_Change, .Header_Text = 1237, .Hint_Text = 1263, .Editor = edDataCheckBox, .Attribute = "OnChange",
       .Width = 70, .Color = Timing_Color, .Alignment = taCenter},
      {.Col = cOn_CMD, .Header_Text = 1238, .Hint_Text = 1264, .Editor = edDataCheckBox, .Attribute = "OnCMD",
       .Width = 56, .Color = Timing_Color, .Alignment = taCenter},
      {.Col = cWrite_Position, .Header_Text = 1239, .Hint_Text = 1265, .Editor = edComboList,
       .Items = {.Positions = true}, .Attribute = "Position", .Width = 60, .Color = Position_Color},
      {.Col = cWrite_Start_Bit, .Header_Text = 1240, .Hint_Text = 1266, .Editor = edComboList, .Items = Bits,
       .Attribute = "Bit", .Width = 64, .Color = Position_Color},
      {.Col = cWrite_Swap, .Header_Text = 1241, .Hint_Text = 1267, .Editor = edDataCheckBox, .Attribute = "Swap",
       .Width = 40, .Color = Swap_Color, .Alignment = taCenter},
      {.Col = cWrite_Swap_Word, .Header_Text = 1242, .Hint_Text = 1268, .Editor = edDataCheckBox,
       .Attribute = "SwapWord", .Width = 80, .Color = Swap_Color, .Alignment = taCenter},
      {.Col = cWrite_Mnemonic, .Header_Text = 1243, .Hint_Text = 1269, .Attribute = "Mnemonic", .Width = 78,
       .Color = clWhite},
  };
  return Columns;
}

// Where the read grid departs from the write grid (the write grid's column numbers).
const TColumnDiff Read_Diffs[] = {
    {.Col = cN, .Header_Text = 1216},
    {.Col = cEnable, .Header_Text = 1217, .Hint_Text = 1244},
    {.Col = cPLC_Address, .Header_Text = 1218, .Hint_Text = 1245},
    {.Col = cPLC_Port, .Header_Text = 1219, .Hint_Text = 1246},
    {.Col = cPLC_Type, .Header_Text = 1220, .Hint_Text = 1247},
    {.Col = cRack, .Header_Text = 1313, .Hint_Text = 1317},
    {.Col = cSlot, .Header_Text = 1314, .Hint_Text = 1318},
    {.Col = cData_Type, .Header_Text = 1221, .Hint_Text = 1248},
    {.Col = cData_Identifier, .Header_Text = 1222, .Hint_Text = 1249},
    {.Col = cDB_Number, .Header_Text = 1289, .Hint_Text = 1297},
    {.Col = cPLC_Area, .Header_Text = 1290, .Hint_Text = 1298},
    {.Col = cPLC_Add, .Header_Text = 1291, .Hint_Text = 1299},
    {.Col = cPLC_Bit, .Header_Text = 1292, .Hint_Text = 1300},
    {.Col = cPoll_Time, .Header_Text = 1223, .Hint_Text = 1250},
    {.Col = cOn_Change, .Absent = true},
    {.Col = cOn_CMD, .Absent = true},
    {.Col = cWrite_Position, .Header_Text = 1224, .Hint_Text = 1251},
    {.Col = cWrite_Start_Bit, .Header_Text = 1225, .Hint_Text = 1252},
    {.Col = cWrite_Swap, .Header_Text = 1226, .Hint_Text = 1253},
    {.Col = cWrite_Swap_Word, .Header_Text = 1227, .Hint_Text = 1254},
    {.Col = cWrite_Mnemonic, .Header_Text = 1228, .Hint_Text = 1255, .Width = 204},
};

}  // namespace

TGridDesc TFS7_Protocol_Set_Access::Grid_Description(TFS7_Protocol_Set_Access *Form, bool Write)
{
  TGridDesc G{
      .Grid_Name = Write ? QStringLiteral("ACG_S7_Write") : QStringLiteral("ACG_S7_Read"),
      .Sheet_Name = Write ? QStringLiteral("TS_S7_Write") : QStringLiteral("TS_S7_Read"),
      .Sheet_Text = Write ? 1215 : 1214,
      .Section = Write ? "S7_Protocol_Write" : "S7_Protocol_Read",
      .Data_Rows = 512,
      .Key_Col = cPLC_Address,
      .Enable_Col = cEnable,
      .Insert_Enabled = true,
      .Columns = Write ? Write_Columns() : Twin_Columns(Write_Columns(), Read_Diffs),
  };
  const int Grid = Write ? 1 : 0;
  const int Position = Write ? cWrite_Position : cRead_Position;
  const int Start_Bit = Write ? cWrite_Start_Bit : cRead_Start_Bit;
  auto Msg = [Write](int Read, int Written) { return Write ? Written : Read; };
  auto Connection_Fails = [Form, Grid](int Row) {
    TZavStringGrid *G = Form->Grid(Grid);
    uint8_t B1 = 0, B2 = 0, B3 = 0, B4 = 0;
    Error_In_IP_Address(G->Cells(cPLC_Address, Row), B1, B2, B3, B4);
    return Form->Check_IP_Port(B1, B2, B3, B4, Table_Int(G->Cells(cPLC_Port, Row))) < 0;
  };
  G.Checks = {
      Check_IP_Address(cPLC_Address, Msg(1271, 1279)),
      Check_Range(cPLC_Port, 0, 65535, Msg(1272, 1280)),
      Check_Custom(cPLC_Address, Msg(1287, 1288), Connection_Fails),
      Check_Not_Blank(cPLC_Type, Msg(1273, 1281)),
      Check_Range(cRack, 0, 3, Msg(1321, 1323)),
      Check_Range(cSlot, 0, 31, Msg(1322, 1324)),
      Check_Not_Blank(cData_Type, Msg(1274, 1282)),
      Check_Not_Blank(cData_Identifier, Msg(1275, 1283)),
      Check_Range(cDB_Number, 0, 65535, Msg(1305, 1309)),
      Check_Not_Blank(cPLC_Area, Msg(1306, 1310)),
      Check_Range(cPLC_Add, 0, 65535, Msg(1307, 1311)),
      Check_Not_Blank(cPLC_Bit, Msg(1308, 1312)),
      // Writes may be event-driven only; reads need a poll period.
      Check_Range(cPoll_Time, Write ? 0 : 1, 100000000, Msg(1276, 1284)),
      Check_Position(Position, Msg(1277, 1285)),
      Check_Not_Blank(Start_Bit, Msg(1278, 1286)),
  };
  return G;
}

TTableFormDesc TFS7_Protocol_Set_Access::Description(TFS7_Protocol_Set_Access *Form)
{
  return TTableFormDesc{
      .Form_Name = QStringLiteral("FS7_Protocol_Set_Access"),
      .Client_Width = 1350,
      .Client_Height = 337,
      .File = &TAppState::File_S7_Protocol,
      .Root = "S7_Protocol",
      .Version = QStringLiteral("SW_VERSION = 1.003"),
      .Caption_Text = 1200,
      .Desc_Text = 1201,
      .First_Button_Text = 1202,
      .Error_Row_Text = 1270,
      .Delete_Question_Text = 1325,
      .Grids = {Grid_Description(Form, false), Grid_Description(Form, true)},
      // The connections are counted over both tables together.
      .Before_Checks = [Form] { Form->array_ip_Port.assign(S7_Max_Connections, TIPPort{}); },
  };
}

TFS7_Protocol_Set_Access::TFS7_Protocol_Set_Access(TComponent *AOwner) : TTableForm(AOwner, Description(this))
{
  TS_S7_Read = Sheet(0);
  TS_S7_Write = Sheet(1);
  ACG_S7_Read = Column_Grid(0);
  ACG_S7_Write = Column_Grid(1);
}

int TFS7_Protocol_Set_Access::Check_IP_Port(uint8_t b1, uint8_t b2, uint8_t b3, uint8_t b4, int p)
{
  for (size_t I = 0; I < array_ip_Port.size(); ++I) {
    TIPPort &E = array_ip_Port[I];
    if (E.IP1 == -1) {
      E = TIPPort{b1, b2, b3, b4, p};
      return int(I);
    }
    if (E.IP1 == b1 && E.IP2 == b2 && E.IP3 == b3 && E.IP4 == b4 && E.Port == p)
      return int(I);
  }
  return -1;
}
