#include "tables/fiec61850_variables.h"

#include "framework/system/sysutils.h"
#include "grid/core/column_grid.h"
#include "project/app_state.h"
#include "project/validators.h"

using namespace ieccols;

namespace {

constexpr TColor Enable_Color = RGB(255, 216, 176);
constexpr TColor Name_Color = RGB(224, 250, 254);
constexpr TColor Type_Color = RGB(168, 255, 168);
constexpr TColor Read_Only_Color = RGB(255, 255, 168);
constexpr TColor Position_Color = RGB(252, 214, 244);
constexpr TColor Conversion_Color = RGB(213, 213, 255);

constexpr int Data_Rows = 50;
// The positions the server's variables may address.
constexpr int Data_Array_Size = 1438;

const std::vector<TColumnDesc> &Columns()
{
  // Every attribute may be missing: the check boxes then take their default, the rest stay empty.
  constexpr TLoadPolicy Defaulted = TLoadPolicy::lpDefault;
  auto Box = [](int Col, int Header, int Hint, const char *Attribute, int Width, TColor Color) {
    return TColumnDesc{.Col = Col, .Header_Text = Header, .Hint_Text = Hint, .Editor = edDataCheckBox,
                       .Attribute = Attribute, .Load = TLoadPolicy::lpDefault, .Default = QStringLiteral("N"),
                       .Width = Width, .Color = Color, .Alignment = taCenter};
  };
  static const std::vector<TColumnDesc> List = {
      {.Col = cN, .Header_Text = 1514, .Load = TLoadPolicy::lpNotLoaded, .Width = 40, .Color = clBtnFace},
      {.Col = cEnable, .Header_Text = 1515, .Hint_Text = 1522, .Editor = edDataCheckBox, .Attribute = "Enable",
       .Load = Defaulted, .Default = QStringLiteral("Y"), .Reset_Text = QStringLiteral("Y"), .Width = 50,
       .Color = Enable_Color, .Alignment = taCenter},
      {.Col = cName, .Header_Text = 1516, .Hint_Text = 1523, .Attribute = "Name", .Load = Defaulted, .Width = 250,
       .Color = Name_Color},
      {.Col = cType, .Header_Text = 1517, .Hint_Text = 1524, .Editor = edComboList,
       .Items = {{"Int", "Float", "Digital (Bit)"}}, .Attribute = "Type", .Load = Defaulted, .Width = 80,
       .Color = Type_Color},
      {.Col = cLength, .Header_Text = 1518, .Hint_Text = 1525, .Attribute = "Length", .Load = Defaulted, .Width = 65,
       .Color = Type_Color},
      Box(cRead_Only, 1519, 1526, "ReadOnly", 65, Read_Only_Color),
      {.Col = cPosition, .Header_Text = 1520, .Hint_Text = 1527, .Attribute = "Position", .Load = Defaulted,
       .Width = 80, .Color = Position_Color},
      {.Col = cStart_Bit, .Header_Text = 1532, .Hint_Text = 1535, .Editor = edComboList, .Items = {.From = 0, .To = 7},
       .Attribute = "StartBit", .Load = Defaulted, .Width = 60, .Color = Position_Color},
      {.Col = cConversion, .Header_Text = 1533, .Hint_Text = 1536, .Editor = edComboList,
       .Items = {{"None", "Int to Float", "Float to Int"}}, .Attribute = "Conversion", .Load = Defaulted, .Width = 75,
       .Color = Conversion_Color},
      {.Col = cFactor, .Header_Text = 1534, .Hint_Text = 1537, .Editor = edComboEdit, .Items = {{"None"}},
       .Attribute = "MultiplicationFactor", .Load = Defaulted, .Width = 75, .Color = Conversion_Color},
      Box(cSwap, 1542, 1544, "Swap", 45, Conversion_Color),
      Box(cSwap_Word, 1543, 1545, "SwapWord", 80, Conversion_Color),
      {.Col = cMnemonic, .Header_Text = 1521, .Hint_Text = 1528, .Attribute = "Mnemonic", .Load = Defaulted,
       .Width = 128, .Color = clWhite},
  };
  return List;
}

}  // namespace

bool TFIEC61850_Variables::Error_In_Factor(const QString &Text, QChar Separator)
{
  if (UpperCase(Trim(Text)) == QLatin1String("NONE"))
    return false;
  float Value = 0;
  return !Text_To_Single(Text, Separator, Value);
}

TTableFormDesc TFIEC61850_Variables::Description(TFIEC61850_Variables *Form)
{
  auto Cell = [Form](int Col, int Row) { return Form->Grid(0)->Cells(Col, Row); };
  TGridDesc G{
      .Grid_Name = QStringLiteral("ACG"),
      .Data_Rows = Data_Rows,
      .Key_Col = cName,
      .Enable_Col = cEnable,
      .Insert_Enabled = true,
      .Columns = Columns(),
      .Hint_Rule = THintRule::hrRealColumnEmpty,
      .Show_Hint = false,
  };
  TRowCheck Start_Bit = Check_Not_Blank(cStart_Bit, 1538);
  Start_Bit.Guard = [Cell](int Row) { return Cell(cType, Row) == QLatin1String("Digital (Bit)"); };
  G.Checks = {
      Check_Range(cLength, 1, 4, 1541),
      Check_Position(cPosition, 1530),
      Start_Bit,
      Check_Not_Blank(cConversion, 1539),
      Check_Custom(cFactor, 1540, [Form, Cell](int Row) { return Error_In_Factor(Cell(cFactor, Row), Form->FSeparator); }),
  };
  return TTableFormDesc{
      .Form_Name = QStringLiteral("FIEC61850_Variables"),
      .Client_Width = 1055,
      .Client_Height = 337,
      .File = &TAppState::File_IEC61850_Variables,
      .Root = "IEC61850_Variables",
      .Version = QStringLiteral("SW_VERSION = 1.000"),
      .Caption_Text = 1500,
      .Desc_Text = 1501,
      .First_Button_Text = 1502,
      .Error_Row_Text = 1529,
      .Delete_Question_Text = 1531,
      .Data_Array_Size = Data_Array_Size,
      .Grids = {G},
      // The separator the program reads numbers with, taken once per check, so that an accepted
      // factor reads back.
      .Before_Checks = [Form] { Form->FSeparator = Get_Decimal_Separator(); },
  };
}

TFIEC61850_Variables::TFIEC61850_Variables(TComponent *AOwner) : TTableForm(AOwner, Description(this))
{
  ACG = Column_Grid(0);
}
