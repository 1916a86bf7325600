#include "tables/fset_pdo_access.h"

#include "framework/dialogs/dialogs.h"
#include "grid/core/column_grid.h"
#include "project/app_state.h"
#include "tables/row_helpers.h"
#include "ui/lang_text.h"
#include "ui/lbbutton.h"

using namespace pdocols;

namespace {

constexpr TColor Frame_Color = RGB(224, 250, 254);
constexpr TColor Position_Color = RGB(252, 214, 244);
constexpr TColor Timing_Color = RGB(168, 255, 168);

constexpr int Data_Rows = 30;

// The columns of both grids in one list, with the receive grid's texts; Send Time and On Change
// are the transmit grid's own and carry its texts.
enum { uN, uCOB_ID, uDimension, uAdd_B1, uTimeOut = uAdd_B1 + 8, uSend_Time, uOn_Change, uMnemonic };

const std::vector<TColumnDesc> &Both_Columns()
{
  static const std::vector<TColumnDesc> Columns = [] {
    std::vector<TColumnDesc> C = {
        {.Col = uN, .Header_Text = 1916, .Width = 40, .Color = clBtnFace},
        {.Col = uCOB_ID, .Header_Text = 1917, .Hint_Text = 1943, .Attribute = "COB-ID", .Width = 65,
         .Color = Frame_Color},
        {.Col = uDimension, .Header_Text = 1918, .Hint_Text = 1944, .Attribute = "Dimension", .Width = 65,
         .Color = Frame_Color},
    };
    static const char *const Address[8] = {"Address_B1", "Address_B2", "Address_B3", "Address_B4",
                                           "Address_B5", "Address_B6", "Address_B7", "Address_B8"};
    for (int K = 0; K < 8; ++K)
      C.push_back({.Col = uAdd_B1 + K, .Header_Text = 1919 + K, .Hint_Text = 1945 + K, .Attribute = Address[K],
                   .Width = 45, .Color = Position_Color});
    C.push_back({.Col = uTimeOut, .Header_Text = 1927, .Hint_Text = 1953, .Attribute = "TimeOut", .Width = 65,
                 .Color = Timing_Color});
    C.push_back({.Col = uSend_Time, .Header_Text = 1940, .Hint_Text = 1965, .Attribute = "Send_Time", .Width = 65,
                 .Color = Timing_Color});
    C.push_back({.Col = uOn_Change, .Header_Text = 1941, .Hint_Text = 1966, .Editor = edDataCheckBox,
                 .Attribute = "On_Change", .Width = 68, .Color = Timing_Color, .Alignment = taCenter});
    C.push_back({.Col = uMnemonic, .Header_Text = 1928, .Hint_Text = 1954, .Attribute = "Mnemonic", .Width = 173,
                 .Color = clWhite});
    return C;
  }();
  return Columns;
}

const TColumnDiff Receive_Diffs[] = {
    {.Col = uSend_Time, .Absent = true},
    {.Col = uOn_Change, .Absent = true},
};

const TColumnDiff Transmit_Diffs[] = {
    {.Col = uN, .Header_Text = 1929},
    {.Col = uCOB_ID, .Header_Text = 1930, .Hint_Text = 1955},
    {.Col = uDimension, .Header_Text = 1931, .Hint_Text = 1956},
    {.Col = uAdd_B1 + 0, .Header_Text = 1932, .Hint_Text = 1957},
    {.Col = uAdd_B1 + 1, .Header_Text = 1933, .Hint_Text = 1958},
    {.Col = uAdd_B1 + 2, .Header_Text = 1934, .Hint_Text = 1959},
    {.Col = uAdd_B1 + 3, .Header_Text = 1935, .Hint_Text = 1960},
    {.Col = uAdd_B1 + 4, .Header_Text = 1936, .Hint_Text = 1961},
    {.Col = uAdd_B1 + 5, .Header_Text = 1937, .Hint_Text = 1962},
    {.Col = uAdd_B1 + 6, .Header_Text = 1938, .Hint_Text = 1963},
    {.Col = uAdd_B1 + 7, .Header_Text = 1939, .Hint_Text = 1964},
    {.Col = uTimeOut, .Absent = true},
    {.Col = uMnemonic, .Header_Text = 1942, .Hint_Text = 1967, .Width = 105},
};

}  // namespace

// ---- What the CANopen forms share ----

TCANopen_Table_Form::TCANopen_Table_Form(TComponent *AOwner, TTableFormDesc ADesc)
    : TTableForm(AOwner, std::move(ADesc))
{
}

TTableFormDesc TCANopen_Table_Form::CANopen_Description()
{
  TTableFormDesc D;
  D.Client_Width = 798;
  D.Client_Height = 337;
  D.Version = QStringLiteral("SW_VERSION = 1.000");
  D.Data_Array_Size = 1500;
  return D;
}

TGridDesc TCANopen_Table_Form::CANopen_Grid(TGridDesc G)
{
  G.Key_Col = 1;
  G.Enable_Col = -1;
  G.Insert_Enabled = false;
  G.Header_Place = THeaderPlace::hpHeaderCells;
  G.Hint_Rule = THintRule::hrActivePageEmpty;
  return G;
}

std::vector<TRowCheck> TCANopen_Table_Form::Address_Checks(int First_Col, int Count, int First_Message,
                                                           std::function<int(int ARow)> Byte_Count)
{
  std::vector<TRowCheck> Checks;
  for (int K = 1; K <= Count; ++K) {
    TRowCheck C = Check_Position(First_Col + K - 1, First_Message + K - 1);
    C.Guard = [Byte_Count, K](int Row) { return K <= Byte_Count(Row); };
    Checks.push_back(std::move(C));
  }
  return Checks;
}

void TCANopen_Table_Form::Btn_OK_Click(TObject *Sender) { TTableForm::Btn_OKClick(Sender); }

void TCANopen_Table_Form::Btn_DelRow_Click(TObject *Sender) { TTableForm::Btn_DelRowClick(Sender); }

// The shared helper does exactly this on grids without hidden columns, which these are.
void TCANopen_Table_Form::Delete_Row(int Num_Row, TZavColumnGrid *SGA) { Grid_Delete_Row(Num_Row, SGA); }

// ---- The PDO form ----

TGridDesc TFSet_PDO_Access::Grid_Description(TFSet_PDO_Access *Form, bool Transmit)
{
  TGridDesc G = CANopen_Grid({
      .Grid_Name = Transmit ? QStringLiteral("sgb") : QStringLiteral("sga"),
      .Sheet_Name = Transmit ? QStringLiteral("TS_Transmit_PDO") : QStringLiteral("TS_Receive_PDO"),
      .Sheet_Text = Transmit ? 1915 : 1914,
      .Section = Transmit ? "Transmit_PDO" : "Receive_PDO",
      .Data_Rows = Data_Rows,
      .Key_Col = cCOB_ID,
      .Columns = Twin_Columns(Both_Columns(), Transmit ? std::span<const TColumnDiff>(Transmit_Diffs)
                                                       : std::span<const TColumnDiff>(Receive_Diffs)),
  });
  const int Grid = Transmit ? 1 : 0;
  auto Msg = [Transmit](int Receive, int Transmitted) { return Transmit ? Transmitted : Receive; };
  G.Checks = {
      Check_Range(cCOB_ID, 0, 0x7FF, Msg(1969, 1980)),
      Check_Range(cDimension, 1, 8, Msg(1970, 1981)),
  };
  for (TRowCheck &C : Address_Checks(cAdd_B1, 8, Msg(1971, 1982), [Form, Grid](int Row) {
         return Table_Int(Form->Grid(Grid)->Cells(cDimension, Row));
       }))
    G.Checks.push_back(std::move(C));
  G.Checks.push_back(Transmit ? Check_Range(cSend_Time, 0, 100000000, 1990) : Check_Range(cTimeOut, 0, 65535, 1979));
  return G;
}

TTableFormDesc TFSet_PDO_Access::Description(TFSet_PDO_Access *Form)
{
  TTableFormDesc D = CANopen_Description();
  D.Form_Name = QStringLiteral("FSet_PDO_Access");
  D.File = &TAppState::File_PDO_CANopen;
  D.Root = "PDO_CANopen";
  D.Caption_Text = 1900;
  D.Desc_Text = 1901;
  D.First_Button_Text = 1902;
  D.Error_Row_Text = 1968;
  D.Delete_Question_Text = 1991;
  D.Grids = {Grid_Description(Form, false), Grid_Description(Form, true)};
  return D;
}

TFSet_PDO_Access::TFSet_PDO_Access(TComponent *AOwner) : TCANopen_Table_Form(AOwner, Description(this))
{
  TS_Receive_PDO = Sheet(0);
  TS_Transmit_PDO = Sheet(1);
  sga = Column_Grid(0);
  sgb = Column_Grid(1);
}

int SDO_Byte_Count(const QString &NByte)
{
  const int N = Table_Int(NByte);
  return N == 1 || N == 2 || N == 4 ? N : 0;
}
