#include "tables/ftransmitcan.h"

#include "framework/system/sysutils.h"
#include "grid/core/column_grid.h"
#include "project/app_state.h"
#include "project/table_rows.h"

using namespace cantxcols;

namespace {

constexpr int Max_Time_Ms = 100000000;

// Where the transmit grid departs from the receive grid's column list.
const std::vector<TColumnDiff> &Transmit_Diffs()
{
  using namespace cancols;
  static const std::vector<TColumnDiff> Diffs = [] {
    std::vector<TColumnDiff> D = {
        {.Col = uN, .Header_Text = 1808},
        {.Col = uEnable, .Header_Text = 1809, .Hint_Text = 1831},
        {.Col = uCobID, .Header_Text = 1810, .Hint_Text = 1832},
        {.Col = uType, .Header_Text = 1811, .Hint_Text = 1833, .Default = QString::fromLatin1(CAN_Type_11_Bits)},
        {.Col = uDimension, .Header_Text = 1812, .Hint_Text = 1834},
        {.Col = uTimeOut, .Absent = true},
        {.Col = uMnemonic, .Header_Text = 1824, .Hint_Text = 1846, .Width = 110},
    };
    for (int K = 0; K < 8; ++K)
      D.push_back({.Col = uByte1 + K, .Header_Text = 1816 + K, .Hint_Text = 1838 + K});
    return D;
  }();
  return Diffs;
}

}  // namespace

QString cancheck::Missing_Time(const QString &OnTimer)
{
  return OnTimer == QLatin1String("Y") ? QStringLiteral("0") : QString();
}

bool cancheck::On_Timer(const QString &OnTimer) { return UpperCase(Trim(OnTimer)) == QLatin1String("Y"); }

TTableFormDesc TFTransmitCAN::Description(TFTransmitCAN *Form)
{
  TGridDesc G{
      .Grid_Name = QStringLiteral("ACG_CAN_Transmit"),
      .Data_Rows = 512,
      .Key_Col = cCobID,
      .Enable_Col = cEnable,
      .Insert_Enabled = true,
      .Columns = Twin_Columns(TFReceiveCAN::Frame_Columns(), Transmit_Diffs()),
      .Hint_Rule = THintRule::hrRealColumnEmpty,
      .Events = {.Click = false},
      .Enable_Test = TEnableTest::etTrimmedUpper,
  };
  TRowCheck Time = Check_Range(cTime, 0, Max_Time_Ms, 1851);
  Time.Guard = [Form](int Row) { return cancheck::On_Timer(Form->Grid(0)->Cells(cOnTimer, Row)); };
  G.Checks = TFReceiveCAN::Frame_Checks(Form, 1848, cByte1, std::move(Time), 1852, 1854, 1853);
  // The Time default depends on the row's OnTimer, known once that cell is loaded.
  G.After_Row_Load = [Form](int Row, const TTableRow &File_Row) {
    TZavStringGrid *Grid = Form->Grid(0);
    if (!File_Row.Has("Time"))
      Grid->SetCells(cTime, Row, cancheck::Missing_Time(Grid->Cells(cOnTimer, Row)));
  };
  return TTableFormDesc{
      .Form_Name = QStringLiteral("FTransmitCAN"),
      .Client_Width = 1100,
      .Client_Height = 337,
      .File = &TAppState::File_CAN_Send_Frames,
      .Root = "Transmit_Frames",
      .Version = QStringLiteral("SW_VERSION = 1.000"),
      .Caption_Text = 1800,
      .Desc_Text = 1801,
      .First_Button_Text = 1802,
      .Error_Row_Text = 1847,
      .Delete_Question_Text = 1861,
      .Data_Array_Size = 1800,
      .Grids = {G},
  };
}

TFTransmitCAN::TFTransmitCAN(TComponent *AOwner) : TTableForm(AOwner, Description(this))
{
  ACG_CAN_Transmit = Column_Grid(0);
}

void TFTransmitCAN::Show_Done()
{
  TTableForm::Show_Done();
  if (Grid(0)->CanFocus())
    Grid(0)->SetFocus();
}
