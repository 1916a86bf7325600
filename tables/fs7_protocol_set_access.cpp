#include "tables/fs7_protocol_set_access.h"

#include "grid/core/column_grid.h"
#include "project/app_state.h"
#include "project/validators.h"

using namespace s7cols;

namespace {

constexpr TColor RGB(int R, int G, int B) { return TColor(R | (G << 8) | (B << 16)); }

constexpr TColor Enable_Color = RGB(255, 216, 176);
constexpr TColor Connection_Color = RGB(224, 250, 254);
constexpr TColor Timing_Color = RGB(168, 255, 168);
constexpr TColor Position_Color = RGB(252, 214, 244);
constexpr TColor Swap_Color = RGB(255, 255, 168);

// Per column: header and hint texts of the read and the write grid (the read grid has no On
// Change and On CMD), editor, items, attribute, width and colour.
struct TS7Column {
  int Read_Header, Write_Header, Read_Hint, Write_Hint;
  TEditorType Editor;
  TColumnItems Items;
  const char *Attribute;
  int Width;
  TColor Color;
  bool Write_Only;
};

const TColumnItems No_Items;
const TColumnItems Bits{{}, 0, 7, false};

const std::vector<TS7Column> &S7_Columns()
{
  static const std::vector<TS7Column> Columns = {
      {1216, 1229, 0, 0, edNormal, No_Items, nullptr, 40, clBtnFace, false},
      {1217, 1230, 1244, 1256, edDataCheckBox, No_Items, "Enable", 50, Enable_Color, false},
      {1218, 1231, 1245, 1257, edNormal, No_Items, "PLC_Address", 100, Connection_Color, false},
      {1219, 1232, 1246, 1258, edNormal, No_Items, "PLC_Port", 60, Connection_Color, false},
      {1220, 1233, 1247, 1259, edComboList,
       TColumnItems{{"Logo0BA8", "S7200", "S7300", "S7400", "S71200", "S71500"}}, "PLC_Type", 80, Connection_Color, false},
      {1313, 1315, 1317, 1319, edNormal, No_Items, "Rack", 45, Connection_Color, false},
      {1314, 1316, 1318, 1320, edNormal, No_Items, "Slot", 45, Connection_Color, false},
      {1221, 1234, 1248, 1260, edComboList,
       TColumnItems{{"Bit", "Byte", "Char", "Word", "Int", "DWord", "DInt", "Real"}}, "Data_Type", 70, Connection_Color, false},
      {1222, 1235, 1249, 1261, edComboList, TColumnItems{{"OB", "DB", "SDB", "FC", "SFC", "FB", "SFB"}},
       "Data_Identifier", 90, Connection_Color, false},
      {1289, 1293, 1297, 1301, edNormal, No_Items, "DB_Number", 80, Connection_Color, false},
      {1290, 1294, 1298, 1302, edComboList,
       TColumnItems{{"Direct peripheral access (P)", "Inputs (I)", "Output (Q)", "Flags (M) (Merker)"}}, "PLC_Area", 115,
       Connection_Color, false},
      {1291, 1295, 1299, 1303, edNormal, No_Items, "PLC_Add", 60, Connection_Color, false},
      {1292, 1296, 1300, 1304, edComboList, Bits, "PLC_Bit", 60, Connection_Color, false},
      {1223, 1236, 1250, 1262, edNormal, No_Items, "PollTime", 64, Timing_Color, false},
      {0, 1237, 0, 1263, edDataCheckBox, No_Items, "OnChange", 70, Timing_Color, true},
      {0, 1238, 0, 1264, edDataCheckBox, No_Items, "OnCMD", 56, Timing_Color, true},
      {1224, 1239, 1251, 1265, edComboList, TColumnItems{{}, 0, -1, true}, "Position", 60, Position_Color, false},
      {1225, 1240, 1252, 1266, edComboList, Bits, "Bit", 64, Position_Color, false},
      {1226, 1241, 1253, 1267, edDataCheckBox, No_Items, "Swap", 40, Swap_Color, false},
      {1227, 1242, 1254, 1268, edDataCheckBox, No_Items, "SwapWord", 80, Swap_Color, false},
      {1228, 1243, 1255, 1269, edNormal, No_Items, "Mnemonic", 204, clWhite, false},
  };
  return Columns;
}

}  // namespace

TGridDesc TFS7_Protocol_Set_Access::Grid_Description(TFS7_Protocol_Set_Access *Form, bool Write)
{
  TGridDesc G;
  G.Grid_Name = Write ? QStringLiteral("ACG_S7_Write") : QStringLiteral("ACG_S7_Read");
  G.Sheet_Name = Write ? QStringLiteral("TS_S7_Write") : QStringLiteral("TS_S7_Read");
  G.Sheet_Text = Write ? 1215 : 1214;
  G.Section = Write ? "S7_Protocol_Write" : "S7_Protocol_Read";
  G.Data_Rows = 512;
  G.Key_Col = cPLC_Address;
  G.Enable_Col = cEnable;
  G.Insert_Enabled = true;
  for (const TS7Column &S : S7_Columns()) {
    if (S.Write_Only && !Write)
      continue;
    TColumnDesc C;
    C.Col = G.Col_Count();
    C.Header_Text = Write ? S.Write_Header : S.Read_Header;
    C.Hint_Text = Write ? S.Write_Hint : S.Read_Hint;
    C.Editor = S.Editor;
    C.Items = S.Items;
    C.Attribute = S.Attribute;
    C.Width = Write && C.Col == cWrite_Mnemonic ? 78 : S.Width;
    C.Color = S.Color;
    C.Alignment = S.Editor == edDataCheckBox ? taCenter : taLeftJustify;
    if (C.Col == cEnable) {
      C.Load = TLoadPolicy::lpDefault;
      C.Default = QStringLiteral("Y");
      C.Reset_Text = QStringLiteral("Y");
    } else if (C.Col == cRack || C.Col == cSlot) {
      C.Load = TLoadPolicy::lpDefault;
      C.Default = QStringLiteral("0");
    }
    G.Columns.push_back(C);
  }
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
  TTableFormDesc D;
  D.Form_Name = QStringLiteral("FS7_Protocol_Set_Access");
  D.Client_Width = 1350;
  D.Client_Height = 337;
  D.File = &TAppState::File_S7_Protocol;
  D.Root = "S7_Protocol";
  D.Version = QStringLiteral("SW_VERSION = 1.003");
  D.Caption_Text = 1200;
  D.Desc_Text = 1201;
  D.First_Button_Text = 1202;
  D.Error_Row_Text = 1270;
  D.Delete_Question_Text = 1325;
  D.Grids = {Grid_Description(Form, false), Grid_Description(Form, true)};
  return D;
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

bool TFS7_Protocol_Set_Access::Controllo_dati()
{
  // The connections are counted over both tables together.
  array_ip_Port.assign(S7_Max_Connections, TIPPort{});
  return TTableForm::Controllo_dati();
}
