#include "tables/fsnmp_trap_access.h"

#include "framework/dialogs/dialogs.h"
#include "framework/stdctrls/comctrls.h"
#include "framework/system/sysutils.h"
#include "grid/core/column_grid.h"
#include "project/app_state.h"
#include "project/validators.h"
#include "ui/lang_text.h"

using namespace snmpcols;

namespace {

constexpr TColor Enable_Color = RGB(255, 216, 176);
constexpr TColor Name_Color = RGB(224, 250, 254);
constexpr TColor Trap_Color = RGB(168, 255, 168);
constexpr TColor Position_Color = RGB(252, 214, 244);
constexpr TColor Size_Color = RGB(255, 255, 168);
constexpr TColor Description_Color = RGB(213, 213, 255);
constexpr TColor Address_Color = RGB(201, 228, 228);

constexpr int Data_Rows = 256;
constexpr int Data_Array_Size = 1440;
constexpr int Max_Timer_Ms = 1000000000;
// Object names of the MIB: the agent keeps 15 characters.
constexpr int Description_Length = 15;

const TColumnItems Bits{.From = 0, .To = 7};

// The read grid's columns. Community Name and Description are 130 pixels wide and may be dragged
// wider: their limit of 15 is one of characters, on the typed Description only.
const std::vector<TColumnDesc> &Read_Columns()
{
  constexpr TLoadPolicy Defaulted = TLoadPolicy::lpDefault;
  auto Check = [](int Col, int Header, int Hint, int Width) {
    return TColumnDesc{.Col = Col, .Header_Text = Header, .Hint_Text = Hint, .Editor = edDataCheckBox,
                       .Load = Defaulted, .Default = QStringLiteral("N"), .Width = Width, .Color = Trap_Color,
                       .Alignment = taCenter};
  };
  static const std::vector<TColumnDesc> Columns = [&] {
    std::vector<TColumnDesc> C = {
        {.Col = cN, .Header_Text = 2216, .Load = TLoadPolicy::lpNotLoaded, .Width = 40},
        {.Col = cEnable, .Header_Text = 2217, .Hint_Text = 2239, .Editor = edDataCheckBox, .Attribute = "Enable",
         .Load = Defaulted, .Default = QStringLiteral("Y"), .Reset_Text = QStringLiteral("Y"), .Width = 50,
         .Color = Enable_Color, .Alignment = taCenter},
        {.Col = cCommunity_Name, .Header_Text = 2218, .Hint_Text = 2240, .Editor = edComboEdit,
         .Items = {{QStringLiteral("Tarvex"), QStringLiteral("Quendol")}}, .Attribute = "Community_Name",
         .Load = Defaulted, .Width = 130, .Color = Name_Color},
        {.Col = cType, .Header_Text = 2219, .Hint_Text = 2241, .Editor = edComboList,
         .Items = {{QStringLiteral("Int"), QStringLiteral("String")}}, .Attribute = "Type", .Load = Defaulted,
         .Width = 60, .Color = Name_Color},
        Check(cOn_Change, 2220, 2242, 75),
        Check(cOn_CMD, 2221, 2243, 50),
        Check(cOn_Timer, 2222, 2244, 60),
        {.Col = cTime, .Header_Text = 2223, .Hint_Text = 2245, .Attribute = "Time", .Load = Defaulted, .Width = 65,
         .Color = Trap_Color},
        {.Col = cRead_Position, .Header_Text = 2224, .Hint_Text = 2246, .Editor = edComboList,
         .Items = {.Positions = true}, .Attribute = "Position", .Load = Defaulted, .Width = 60,
         .Color = Position_Color},
        {.Col = cRead_Start_Bit, .Header_Text = 2225, .Hint_Text = 2247, .Editor = edComboList, .Items = Bits,
         .Attribute = "Bit", .Load = Defaulted, .Width = 60, .Color = Position_Color},
        {.Col = cRead_Num_Bits, .Header_Text = 2226, .Hint_Text = 2248, .Attribute = "NumBits", .Load = Defaulted,
         .Width = 95, .Color = Size_Color},
        {.Col = cRead_Description, .Header_Text = 2227, .Hint_Text = 2249, .Attribute = "Description",
         .Load = Defaulted, .Edit_Length = Description_Length, .Width = 130, .Color = Description_Color},
        {.Col = cIP_Address, .Header_Text = 2228, .Hint_Text = 2250, .Attribute = "IP_Address", .Load = Defaulted,
         .Width = 120, .Color = Address_Color},
        {.Col = cRead_Conversion, .Header_Text = 2281, .Hint_Text = 2283, .Editor = edComboList,
         .Items = {{QStringLiteral("None"), QStringLiteral("Float"), QStringLiteral("Float * 10"),
                    QStringLiteral("Float * 100"), QStringLiteral("Float / 10"), QStringLiteral("Float / 100")}},
         .Attribute = "Conversion", .Load = Defaulted, .Default = QStringLiteral("None"), .Width = 100,
         .Color = Enable_Color},
        {.Col = cRead_Mnemonic, .Header_Text = 2229, .Hint_Text = 2251, .Attribute = "Mnemonic", .Load = Defaulted,
         .Width = 130, .Color = clWhite},
    };
    C[cOn_Change].Attribute = "On_Change";
    C[cOn_CMD].Attribute = "On_Command";
    C[cOn_Timer].Attribute = "On_Timer";
    return C;
  }();
  return Columns;
}

// Where the write grid departs from the read grid (the read grid's column numbers).
const TColumnDiff Write_Diffs[] = {
    {.Col = cN, .Header_Text = 2230},
    {.Col = cEnable, .Header_Text = 2231, .Hint_Text = 2252},
    {.Col = cCommunity_Name, .Header_Text = 2232, .Hint_Text = 2253},
    {.Col = cType, .Header_Text = 2233, .Hint_Text = 2254},
    {.Col = cOn_Change, .Absent = true},
    {.Col = cOn_CMD, .Absent = true},
    {.Col = cOn_Timer, .Absent = true},
    {.Col = cTime, .Absent = true},
    {.Col = cRead_Position, .Header_Text = 2234, .Hint_Text = 2255},
    {.Col = cRead_Start_Bit, .Header_Text = 2235, .Hint_Text = 2256},
    {.Col = cRead_Num_Bits, .Header_Text = 2236, .Hint_Text = 2257},
    {.Col = cRead_Description, .Header_Text = 2237, .Hint_Text = 2258},
    {.Col = cIP_Address, .Absent = true},
    {.Col = cRead_Conversion, .Header_Text = 2282, .Hint_Text = 2284},
    {.Col = cRead_Mnemonic, .Header_Text = 2238, .Hint_Text = 2259, .Width = 500},
};

bool Is_Int(const QString &Type) { return UpperCase(Type) == QLatin1String("INT"); }

}  // namespace

bool TFSNMP_Trap_Access::Check_Error_CommName_Desc(const QString &str, int Check_Type)
{
  for (int I = 0; I < str.size(); ++I) {
    const QChar C = str[I];
    const bool Lower = C >= QLatin1Char('a') && C <= QLatin1Char('z');
    if (I == 0 && Check_Type == 1) {
      if (!Lower)
        return true;
      continue;
    }
    const bool Upper = C >= QLatin1Char('A') && C <= QLatin1Char('Z');
    const bool Digit = C >= QLatin1Char('0') && C <= QLatin1Char('9');
    if (!Lower && !Upper && !Digit)
      return true;
  }
  return false;
}

int TFSNMP_Trap_Access::First_Repeated(const QStringList &Texts)
{
  for (int I = 1; I < Texts.size(); ++I)
    for (int J = 0; J < I; ++J)
      if (Texts[I] == Texts[J])
        return I;
  return -1;
}

TGridDesc TFSNMP_Trap_Access::Grid_Description(TFSNMP_Trap_Access *Form, bool Write)
{
  TGridDesc G{
      .Grid_Name = Write ? QStringLiteral("ACG_SNMP_Write") : QStringLiteral("ACG_SNMP_Read"),
      .Sheet_Name = Write ? QStringLiteral("TS_SNMP_Write") : QStringLiteral("TS_SNMP_Read"),
      .Sheet_Text = Write ? 2209 : 2208,
      .Section = Write ? "SNMP_Trap_Write" : "SNMP_Trap_Read",
      .Data_Rows = Data_Rows,
      .Key_Col = cCommunity_Name,
      .Enable_Col = cEnable,
      .Insert_Enabled = true,
      .Columns = Write ? Twin_Columns(Read_Columns(), Write_Diffs) : Read_Columns(),
      .Hint_Rule = THintRule::hrRealColumnEmpty,
      .Events = {.Click = false},
      .Enable_Test = TEnableTest::etUpper,
      .Row_Numbers = TRowNumbers::rnEnabled,
  };
  const int Grid = Write ? 1 : 0;
  const int Position = Write ? int(cWrite_Position) : int(cRead_Position);
  const int Start_Bit = Write ? int(cWrite_Start_Bit) : int(cRead_Start_Bit);
  const int Num_Bits = Write ? int(cWrite_Num_Bits) : int(cRead_Num_Bits);
  const int Description = Write ? int(cWrite_Description) : int(cRead_Description);
  const int Conversion = Write ? int(cWrite_Conversion) : int(cRead_Conversion);
  auto Msg = [Write](int Read, int Written) { return Write ? Written : Read; };
  auto Cell = [Form, Grid](int Col, int Row) { return Form->Grid(Grid)->Cells(Col, Row); };
  auto Int_Type = [Cell](int Row) { return Is_Int(Cell(cType, Row)); };

  TRowCheck Time = Check_Range(cTime, 1, Max_Timer_Ms, 2262);
  Time.Guard = [Cell](int Row) { return UpperCase(Cell(cOn_Timer, Row)) == QLatin1String("Y"); };
  TRowCheck Bits_Int = Check_Range(Num_Bits, 1, 64, Msg(2266, 2273));
  Bits_Int.Guard = Int_Type;
  TRowCheck Bytes_String = Check_Range(Num_Bits, 1, 16, Msg(2267, 2274));
  Bytes_String.Guard = [Int_Type](int Row) { return !Int_Type(Row); };
  // A description that passes is kept for the comparison across both tables.
  auto Description_Fails = [Form, Cell, Description](int Row) {
    const QString Text = Cell(Description, Row);
    if (Check_Error_CommName_Desc(Text, 1))
      return true;
    Form->SL_Check_Desc << Text;
    return false;
  };

  G.Checks.push_back(Check_Custom(cCommunity_Name, Msg(2276, 2278), [Cell](int Row) {
    return Check_Error_CommName_Desc(Cell(cCommunity_Name, Row), 0);
  }));
  G.Checks.push_back(Check_Not_Blank(cType, Msg(2261, 2269)));
  if (!Write)
    G.Checks.push_back(std::move(Time));
  G.Checks.push_back(Check_Not_Blank(Position, Msg(2263, 2270)));
  G.Checks.push_back(Check_Not_Blank(Start_Bit, Msg(2264, 2271)));
  G.Checks.push_back(Check_Custom(Start_Bit, Msg(2265, 2272), [Cell, Int_Type, Start_Bit](int Row) {
    return !Int_Type(Row) && Trim(Cell(Start_Bit, Row)) != QLatin1String("0");
  }));
  G.Checks.push_back(std::move(Bits_Int));
  G.Checks.push_back(std::move(Bytes_String));
  G.Checks.push_back(Check_Custom(Description, Msg(2277, 2279), Description_Fails));
  if (!Write)
    G.Checks.push_back(Check_Custom(cIP_Address, 2268, [Cell](int Row) {
      QString IP1, IP2, IP3, IP4;
      return !Split_IP_Address(Cell(cIP_Address, Row), IP1, IP2, IP3, IP4);
    }));
  G.Checks.push_back(Check_Not_Blank(Conversion, Msg(2285, 2286)));
  return G;
}

TTableFormDesc TFSNMP_Trap_Access::Description(TFSNMP_Trap_Access *Form)
{
  return TTableFormDesc{
      .Form_Name = QStringLiteral("FSNMP_Trap_Access"),
      .Client_Width = 1256,
      .Client_Height = 337,
      .File = &TAppState::File_SNMP_Trap,
      .Root = "SNMP_Trap",
      .Version = QStringLiteral("SW_VERSION = 1.000"),
      .Caption_Text = 2200,
      .Desc_Text = 2201,
      .First_Button_Text = 2202,
      .Error_Row_Text = 2260,
      .Delete_Question_Text = 2275,
      .Data_Array_Size = Data_Array_Size,
      .Grids = {Grid_Description(Form, false), Grid_Description(Form, true)},
      // The descriptions name the MIB's objects: no two enabled rows of both tables share one.
      .Table_Checks = {{.Message = 2280, .Fails = [Form] { return First_Repeated(Form->SL_Check_Desc) >= 0; }}},
      .Before_Checks = [Form] { Form->SL_Check_Desc.clear(); },
  };
}

TFSNMP_Trap_Access::TFSNMP_Trap_Access(TComponent *AOwner) : TTableForm(AOwner, Description(this))
{
  TS_SNMP_Read = Sheet(0);
  TS_SNMP_Write = Sheet(1);
  ACG_SNMP_Read = Column_Grid(0);
  ACG_SNMP_Write = Column_Grid(1);
}

void TFSNMP_Trap_Access::Index_Row_Build(TZavStringGrid *app_SGA)
{
  const int I = Grid_Index(app_SGA);
  if (I >= 0)
    Number_Rows(app_SGA, Desc().Grids[size_t(I)]);
}

void TFSNMP_Trap_Access::Show_First_Page()
{
  if (PageControl1->ActivePageIndex() < 0)
    TTableForm::Show_First_Page();
}

void TFSNMP_Trap_Access::ACG_SNMP_ReadCheckBoxClick(TObject *Sender, int ACol, int ARow, bool State)
{
  CheckBoxClick(Sender, ACol, ARow, State);
}
