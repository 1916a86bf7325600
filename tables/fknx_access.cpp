#include "tables/fknx_access.h"

#include "framework/system/sysutils.h"
#include "grid/core/column_grid.h"
#include "project/app_state.h"
#include "project/validators.h"

using namespace knxcols;

namespace {

constexpr TColor Enable_Color = RGB(255, 216, 176);
constexpr TColor Address_Color = RGB(224, 250, 254);
constexpr TColor Format_Color = RGB(255, 255, 168);
constexpr TColor Trigger_Color = RGB(168, 255, 168);
constexpr TColor Position_Color = RGB(252, 214, 244);

constexpr int Data_Rows = 1024;
constexpr int Max_Poll_Ms = 100000000;

const QStringList Priorities = {"System", "Urgent", "Normal", "Low"};

bool Is_One_Of(const QString &Text, const QStringList &List) { return List.contains(Text); }

bool Bit_Mode_On(const QString &Bit_Mode) { return UpperCase(Bit_Mode) != QLatin1String("NO"); }

const std::vector<TColumnDesc> &Columns()
{
  constexpr TLoadPolicy Defaulted = TLoadPolicy::lpDefault;
  auto Box = [](int Col, int Header, int Hint, const char *Attribute, TLoadPolicy Load, int Width, TColor Color) {
    return TColumnDesc{.Col = Col, .Header_Text = Header, .Hint_Text = Hint, .Editor = edDataCheckBox,
                       .Attribute = Attribute, .Load = Load,
                       .Default = Load == TLoadPolicy::lpDefault ? QStringLiteral("N") : QString(), .Width = Width,
                       .Color = Color, .Alignment = taCenter};
  };
  static const std::vector<TColumnDesc> List = {
      {.Col = cN, .Header_Text = 1414, .Load = TLoadPolicy::lpNotLoaded, .Width = 40, .Color = clBtnFace},
      {.Col = cEnable, .Header_Text = 1415, .Hint_Text = 1431, .Editor = edDataCheckBox, .Attribute = "Enable",
       .Load = Defaulted, .Default = QStringLiteral("Y"), .Reset_Text = QStringLiteral("Y"), .Width = 50,
       .Color = Enable_Color, .Alignment = taCenter},
      {.Col = cSource, .Header_Text = 1416, .Hint_Text = 1432, .Attribute = "Source_Address", .Width = 70,
       .Color = Address_Color},
      {.Col = cDest, .Header_Text = 1417, .Hint_Text = 1433, .Attribute = "Destination_Address", .Width = 80,
       .Color = Address_Color},
      {.Col = cAPCI, .Header_Text = 1418, .Hint_Text = 1434, .Editor = edComboEdit, .Items = {{"Read", "Write"}},
       .Attribute = "APCI", .Width = 60, .Color = Address_Color},
      // A priority the file holds in another spelling loads as "Normal", which passes the check.
      {.Col = cPriority, .Header_Text = 1419, .Hint_Text = 1435, .Editor = edComboList, .Items = {Priorities},
       .Attribute = "Priority", .Load = Defaulted, .Default = QStringLiteral("Normal"), .Width = 75,
       .Color = Address_Color, .Load_Only_Items = true},
      {.Col = cFormat, .Header_Text = 1420, .Hint_Text = 1436, .Editor = edComboList,
       .Items = {{"None", "Swap16", "Swap32", "Swap All", "Int to Float", "Float to Int", "Float16 to Float32",
                  "Float16 to Int", "Float16 to Int * 10", "Float16 to Int * 100"}},
       .Attribute = "Format", .Load = Defaulted, .Default = QStringLiteral("None"), .Width = 110,
       .Color = Format_Color},
      Box(cExtended, 1421, 1437, "Extended", TLoadPolicy::lpRequired, 68, Format_Color),
      Box(cReTest, 1422, 1438, "ReTest", TLoadPolicy::lpRequired, 50, Format_Color),
      Box(cOn_Command, 1423, 1440, "On_Command", Defaulted, 52, Trigger_Color),
      Box(cOn_Change, 1424, 1441, "On_Change", TLoadPolicy::lpRequired, 71, Trigger_Color),
      Box(cOn_Timer, 1425, 1442, "On_Timer", Defaulted, 62, Trigger_Color),
      {.Col = cPoll_Time, .Header_Text = 1426, .Hint_Text = 1443, .Attribute = "Poll_Time", .Width = 67,
       .Color = Trigger_Color},
      {.Col = cPosition, .Header_Text = 1427, .Hint_Text = 1444, .Editor = edComboList,
       .Items = {.Positions = true}, .Attribute = "Position", .Width = 55, .Color = Position_Color},
      {.Col = cBit_Mode, .Header_Text = 1428, .Hint_Text = 1445, .Editor = edComboList,
       .Items = {.Fixed = {"No"}, .From = 0, .To = 7}, .Attribute = "Bit_Mode", .Width = 55,
       .Color = Position_Color},
      {.Col = cLength, .Header_Text = 1429, .Hint_Text = 1446, .Attribute = "Length", .Width = 55,
       .Color = Position_Color},
      {.Col = cMnemonic, .Header_Text = 1430, .Hint_Text = 1447, .Attribute = "Mnemonic", .Width = 96},
  };
  return List;
}

}  // namespace

int TFKNXAccess::Max_Length(const QString &Bit_Mode, const QString &Extended)
{
  const bool Ext = UpperCase(Extended) == QLatin1String("Y");
  if (Bit_Mode_On(Bit_Mode))
    return Ext ? 2040 : 112;
  return Ext ? 255 : 14;
}

int TFKNXAccess::Size_In_Bytes(const QString &Bit_Mode, const QString &Length)
{
  const int L = Table_Int(Length);
  if (!Bit_Mode_On(Bit_Mode))
    return L;
  return (L + Table_Int(Bit_Mode) + 7) / 8;
}

bool TFKNXAccess::Two_Level_Address(const QString &Text)
{
  const QStringList Parts = Text.split(QLatin1Char('.'));
  if (Parts.size() != 2)
    return false;
  for (const QString &Part : Parts) {
    const QString P = Trim(Part);
    bool Ok = false;
    const int N = P.toInt(&Ok, 10);
    if (!Ok || N < 0 || N > 255)
      return false;
  }
  return true;
}

int TFKNXAccess::Destination_Error(const QString &Dest)
{
  const QString D = Trim(Dest);
  if (No_Dot_In_Address(D))
    return Error_In_KNX_Address(D, true, false) ? 1451 : 0;
  if (Two_Level_Address(D))
    return 0;
  return Error_In_KNX_Address(D, false, true) ? 1450 : 0;
}

TTableFormDesc TFKNXAccess::Description(TFKNXAccess *Form)
{
  auto Cell = [Form](int Col, int Row) { return Form->Grid(0)->Cells(Col, Row); };
  TGridDesc G{
      .Grid_Name = QStringLiteral("ACG_KNX_in_Write"),
      .Section = "KNX_in_Write",
      .Data_Rows = Data_Rows,
      .Key_Col = cSource,
      .Enable_Col = cEnable,
      .Insert_Enabled = true,
      .Columns = Columns(),
      .Header_Place = THeaderPlace::hpHeaderCells,
      .Hint_Rule = THintRule::hrDisplayEmpty,
      .Look = {.Row_Height = 22, .Header_Height = 22},
  };
  TRowCheck Poll = Check_Range(cPoll_Time, 1, Max_Poll_Ms, 1455);
  Poll.Guard = [Cell](int Row) { return UpperCase(Cell(cOn_Timer, Row)) == QLatin1String("Y"); };
  TRowCheck Length = Check_Custom(cLength, 1458, [Cell](int Row) {
    const int L = Table_Int(Cell(cLength, Row));
    return L < 1 || L > Max_Length(Cell(cBit_Mode, Row), Cell(cExtended, Row));
  });
  Length.Suffix_Number = [Cell](int Row) { return Max_Length(Cell(cBit_Mode, Row), Cell(cExtended, Row)); };
  // The sum is bounded by the size itself, not by the last position.
  TRowCheck Fits = Check_Custom(cPosition, 1459, [Form, Cell](int Row) {
    return Table_Int(Cell(cPosition, Row)) + Size_In_Bytes(Cell(cBit_Mode, Row), Cell(cLength, Row)) >
           Form->Max_Num_Byte();
  });
  Fits.Suffix_Number = [Form](int) { return Form->Max_Num_Byte(); };
  G.Checks = {
      Check_Custom(cSource, 1449, [Cell](int Row) { return Error_In_KNX_Address(Trim(Cell(cSource, Row)), false, true); }),
      Check_Custom(cDest, 1451, [Cell](int Row) { return Destination_Error(Cell(cDest, Row)) == 1451; }),
      Check_Custom(cDest, 1450, [Cell](int Row) { return Destination_Error(Cell(cDest, Row)) == 1450; }),
      Check_Custom(cAPCI, 1452,
                   [Cell](int Row) {
                     const QString A = Cell(cAPCI, Row);
                     const QString U = UpperCase(A);
                     const int N = Table_Int(A);
                     return U != QLatin1String("READ") && U != QLatin1String("WRITE") && (N < 0 || N > 1023);
                   }),
      Check_Custom(cPriority, 1453, [Cell](int Row) { return !Is_One_Of(Cell(cPriority, Row), Priorities); }),
      Check_Not_Blank(cFormat, 1454),
      Poll,
      Check_Position(cPosition, 1456),
      Check_Custom(cBit_Mode, 1457,
                   [Cell](int Row) {
                     const QString B = Cell(cBit_Mode, Row);
                     const int N = Table_Int(B);
                     return Bit_Mode_On(B) && (N < 0 || N > 7);
                   }),
      Length,
      Fits,
  };
  return TTableFormDesc{
      .Form_Name = QStringLiteral("FKNXAccess"),
      .Client_Width = 1141,
      .Client_Height = 337,
      .File = &TAppState::File_KNX_SetAccess,
      .Root = "BACnet_to_KNX",
      .Version = QStringLiteral("SW_VERSION = 1.000"),
      .Caption_Text = 1400,
      .Desc_Text = 1401,
      .First_Button_Text = 1402,
      .Error_Row_Text = 1448,
      .Delete_Question_Text = 1460,
      .Grids = {G},
  };
}

TFKNXAccess::TFKNXAccess(TComponent *AOwner) : TTableForm(AOwner, Description(this))
{
  ACG_KNX_in_Write = Column_Grid(0);
}
