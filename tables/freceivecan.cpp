#include "tables/freceivecan.h"

#include "framework/system/sysutils.h"
#include "grid/core/column_grid.h"
#include "project/app_state.h"

using namespace cancols;

namespace {

constexpr TColor Enable_Color = RGB(255, 216, 176);
constexpr TColor Frame_Color = RGB(224, 250, 254);
constexpr TColor Timing_Color = RGB(168, 255, 168);
constexpr TColor Byte_Color = RGB(252, 214, 244);

constexpr int Data_Rows = 512;
constexpr int Max_Time_Ms = 100000000;

const char *const Byte_Attributes[8] = {"Byte1", "Byte2", "Byte3", "Byte4", "Byte5", "Byte6", "Byte7", "Byte8"};

// Byte K's drop-down: "None" (the byte is not stored), then the positions.
TColumnDesc Byte_Column(int K)
{
  return {.Col = uByte1 + K - 1, .Header_Text = 1714 + K - 1, .Hint_Text = 1735 + K - 1, .Editor = edComboList,
          .Items = {.Fixed = {QStringLiteral("None")}, .Positions = true}, .Attribute = Byte_Attributes[K - 1],
          .Load = TLoadPolicy::lpDefault, .Width = 48, .Color = Byte_Color};
}

const TColumnDiff Receive_Diffs[] = {
    {.Col = uOnChange, .Absent = true},
    {.Col = uOnCMD, .Absent = true},
    {.Col = uOnTimer, .Absent = true},
    {.Col = uTime, .Absent = true},
};

}  // namespace

const std::vector<TColumnDesc> &TFReceiveCAN::Frame_Columns()
{
  constexpr TLoadPolicy Defaulted = TLoadPolicy::lpDefault;
  static const std::vector<TColumnDesc> Columns = [] {
    std::vector<TColumnDesc> C = {
        {.Col = uN, .Header_Text = 1708, .Load = TLoadPolicy::lpNotLoaded, .Width = 40},
        {.Col = uEnable, .Header_Text = 1709, .Hint_Text = 1729, .Editor = edDataCheckBox, .Attribute = "Enable",
         .Load = Defaulted, .Default = QStringLiteral("Y"), .Reset_Text = QStringLiteral("Y"), .Width = 50,
         .Color = Enable_Color, .Alignment = taCenter},
        {.Col = uCobID, .Header_Text = 1710, .Hint_Text = 1730, .Attribute = "COBID", .Load = Defaulted, .Width = 90,
         .Color = Frame_Color},
        {.Col = uType, .Header_Text = 1711, .Hint_Text = 1731, .Editor = edComboList,
         .Items = {{QString::fromLatin1(CAN_Type_11_Bits), QStringLiteral("2.0B (29 bits)")}},
         .Attribute = "CAN_Type", .Load = Defaulted, .Width = 90, .Color = Frame_Color},
        {.Col = uDimension, .Header_Text = 1712, .Hint_Text = 1732, .Attribute = "Dim", .Load = Defaulted,
         .Width = 70, .Color = Frame_Color},
        {.Col = uTimeOut, .Header_Text = 1713, .Hint_Text = 1734, .Attribute = "TimeOut", .Load = Defaulted,
         .Default = QStringLiteral("0"), .Width = 75, .Color = Timing_Color},
        // The transmit form's sending options, with its texts.
        {.Col = uOnChange, .Header_Text = 1813, .Hint_Text = 1835, .Editor = edDataCheckBox, .Attribute = "OnChange",
         .Load = Defaulted, .Default = QStringLiteral("Y"), .Width = 65, .Color = Timing_Color,
         .Alignment = taCenter},
        {.Col = uOnCMD, .Header_Text = 1862, .Hint_Text = 1863, .Editor = edDataCheckBox, .Attribute = "OnCMD",
         .Load = Defaulted, .Default = QStringLiteral("N"), .Width = 50, .Color = Timing_Color,
         .Alignment = taCenter},
        {.Col = uOnTimer, .Header_Text = 1814, .Hint_Text = 1836, .Editor = edDataCheckBox, .Attribute = "OnTimer",
         .Load = Defaulted, .Default = QStringLiteral("N"), .Width = 55, .Color = Timing_Color,
         .Alignment = taCenter},
        {.Col = uTime, .Header_Text = 1815, .Hint_Text = 1837, .Attribute = "Time", .Load = Defaulted, .Width = 70,
         .Color = Timing_Color},
    };
    for (int K = 1; K <= 8; ++K)
      C.push_back(Byte_Column(K));
    C.push_back({.Col = uMnemonic, .Header_Text = 1722, .Hint_Text = 1743, .Attribute = "Mnemonic", .Load = Defaulted,
                 .Width = 185, .Color = clWindow});
    return C;
  }();
  return Columns;
}

bool cancheck::Is_11_Bits(const QString &Type) { return Trim(Type) == QLatin1String(CAN_Type_11_Bits); }

bool cancheck::Byte_Checked(const QString &Dimension, int K, const QString &Byte)
{
  const QString B = Trim(Byte);
  return Table_Int(Dimension) >= K && !B.isEmpty() && B != QLatin1String("None");
}

std::vector<TRowCheck> TFReceiveCAN::Frame_Checks(TTableForm *Form, int Cob_Message, int Byte1_Col, TRowCheck Time,
                                                  int Byte1_Message, int Byte2_Message, int Or_None_Message)
{
  auto Cell = [Form](int Col, int Row) { return Form->Grid(0)->Cells(Col, Row); };
  TRowCheck Cob_11 = Check_Range(cCobID, 0, 2047, Cob_Message);
  Cob_11.Guard = [Cell](int Row) { return cancheck::Is_11_Bits(Cell(cType, Row)); };
  TRowCheck Cob_29 = Check_Range(cCobID, 0, 0x1FFFFFFF, Cob_Message + 1);
  Cob_29.Guard = [Cell](int Row) { return !cancheck::Is_11_Bits(Cell(cType, Row)); };
  std::vector<TRowCheck> Checks = {std::move(Cob_11), std::move(Cob_29), Check_Range(cDimension, 1, 8, Cob_Message + 2),
                                   std::move(Time)};
  for (int K = 1; K <= 8; ++K) {
    const int Col = Byte1_Col + K - 1;
    TRowCheck B = Check_Position(Col, K == 1 ? Byte1_Message : Byte2_Message + K - 2);
    B.Suffix_Text = Or_None_Message;
    B.Guard = [Cell, Col, K](int Row) { return cancheck::Byte_Checked(Cell(cDimension, Row), K, Cell(Col, Row)); };
    Checks.push_back(std::move(B));
  }
  return Checks;
}

TTableFormDesc TFReceiveCAN::Description(TFReceiveCAN *Form)
{
  TGridDesc G{
      .Grid_Name = QStringLiteral("ACG_CAN_Receive"),
      .Data_Rows = Data_Rows,
      .Key_Col = cCobID,
      .Enable_Col = cEnable,
      .Insert_Enabled = true,
      .Columns = Twin_Columns(Frame_Columns(), Receive_Diffs),
      .Hint_Rule = THintRule::hrRealColumnEmpty,
      .Events = {.Click = false},
      .Enable_Test = TEnableTest::etTrimmedUpper,
  };
  G.Checks = Frame_Checks(Form, 1745, cByte1, Check_Range(cTimeOut, 0, Max_Time_Ms, 1748), 1749, 1751, 1750);
  return TTableFormDesc{
      .Form_Name = QStringLiteral("FReceiveCAN"),
      .Client_Width = 1010,
      .Client_Height = 337,
      .File = &TAppState::File_CAN_Rec_Frames,
      .Root = "Receive_Frames",
      .Version = QStringLiteral("SW_VERSION = 1.000"),
      .Caption_Text = 1700,
      .Desc_Text = 1701,
      .First_Button_Text = 1702,
      .Error_Row_Text = 1744,
      .Delete_Question_Text = 1758,
      .Data_Array_Size = 1500,
      .Grids = {G},
  };
}

TFReceiveCAN::TFReceiveCAN(TComponent *AOwner) : TTableForm(AOwner, Description(this))
{
  ACG_CAN_Receive = Column_Grid(0);
}

void TFReceiveCAN::Show_Done()
{
  TTableForm::Show_Done();
  if (Grid(0)->CanFocus())
    Grid(0)->SetFocus();
}
