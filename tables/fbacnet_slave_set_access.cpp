#include "tables/fbacnet_slave_set_access.h"

#include "framework/dialogs/dialogs.h"
#include "framework/services/xmldoc.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/system/paths.h"
#include "framework/system/sysutils.h"
#include "grid/core/column_grid.h"
#include "project/app_state.h"
#include "project/table_rows.h"
#include "tables/fbacnet_eng_unit.h"
#include "tables/row_helpers.h"
#include "ui/lang_text.h"
#include "ui/lbbutton.h"

#include <algorithm>
#include <climits>

using namespace bacnetcols;

namespace {

constexpr TColor Object_Color = RGB(224, 250, 254);
constexpr TColor Position_Color = RGB(252, 214, 244);
constexpr TColor Swap_Color = RGB(255, 255, 168);

// Told when the project's settings file cannot be read (the table size then falls back).
constexpr int Settings_Unreadable_Text = 2561;

const TBACnetLengthRule Read_Rules[] = {
    {"Analog Input", 1, 4, 2535},      {"Positive Integer Value", 1, 4, 2536}, {"Large Analog Value", 1, 8, 2537},
    {"Analog Value", 1, 4, 2538},      {"Multi State Input", 1, 4, 2539},      {"Multi State Value", 1, 4, 2540},
    {"Life Safety Point", 1, 2, 2541}, {"Life Safety Zone", 1, 2, 2542},       {"Access Door", 1, 1, 2543},
    {"Accumulator", 1, 4, 2544},
};
const TBACnetLengthRule Write_Rules[] = {
    {"Analog Out", 1, 4, 2549},         {"Analog Value", 1, 4, 2550},       {"Positive Integer Value", 1, 4, 2551},
    {"Large Analog Value", 1, 8, 2552}, {"Integer Value", 1, 4, 2553},      {"Multi State Output", 1, 4, 2554},
    {"Multi State Value", 1, 4, 2555},  {"Access Door", 1, 1, 2556},
};

// Text numbers of the checks; the write table's block follows the read table's.
struct TMessages {
  int Eng_Unit, Position, Start_Bit, Too_Many_Bytes;
};
constexpr TMessages Read_Messages{2533, 2534, 2545, 2546};
constexpr TMessages Write_Messages{2547, 2548, 2557, 2558};

// The read grid's columns; the write grid has the same with its own texts and types.
std::vector<TColumnDesc> Columns(bool Write)
{
  const int H = Write ? 2524 : 2516;
  const TColumnItems Types{.Fixed = BACnet_Data_Types(Write)};
  return {
      {.Col = cN, .Header_Text = H, .Width = 40, .Color = clBtnFace},
      {.Col = cData_Type, .Header_Text = H + 1, .Editor = edComboList, .Items = Types, .Attribute = "Data_Type",
       .Width = 150, .Color = Object_Color},
      {.Col = cEng_Unit, .Header_Text = H + 2, .Attribute = "Eng_Unit", .Width = 100, .Color = Object_Color},
      {.Col = cPosition, .Header_Text = H + 3, .Editor = edComboList, .Items = {.Positions = true},
       .Attribute = "Position", .Width = 64, .Color = Position_Color},
      {.Col = cStart_Bit, .Header_Text = H + 4, .Editor = edComboList, .Items = {.From = 0, .To = 7},
       .Attribute = "Bit", .Width = 64, .Color = Position_Color},
      {.Col = cLength, .Header_Text = H + 5, .Attribute = "Length", .Width = 64, .Color = Position_Color},
      {.Col = cSwap, .Header_Text = H + 6, .Editor = edDataCheckBox, .Attribute = "Swap", .Load = TLoadPolicy::lpDefault,
       .Default = QStringLiteral("N"), .Hidden = true, .Width = 40, .Color = Swap_Color, .Alignment = taCenter},
      {.Col = cMnemonic, .Header_Text = H + 7, .Attribute = "Mnemonic", .Width = 250, .Color = clWhite},
  };
}

}  // namespace

const QStringList &BACnet_Data_Types(bool Write)
{
  static const QStringList Read = {"Analog Input",      "Analog Value",         "Binary Input",      "Binary Value",
                                   "Positive Integer Value", "Large Analog Value", "Integer Value",
                                   "Multi State Input", "Multi State Value",    "Life Safety Point", "Life Safety Zone",
                                   "Access Door",       "Accumulator"};
  static const QStringList Written = {"Analog Out",    "Analog Value",       "Binary Out",
                                      "Binary Value",  "Positive Integer Value", "Large Analog Value",
                                      "Integer Value", "Multi State Output", "Multi State Value",
                                      "Access Door"};
  return Write ? Written : Read;
}

std::span<const TBACnetLengthRule> BACnet_Length_Rules(bool Write)
{
  if (Write)
    return Write_Rules;
  return Read_Rules;
}

const TBACnetLengthRule *BACnet_Length_Rule(bool Write, const QString &Data_Type)
{
  for (const TBACnetLengthRule &R : BACnet_Length_Rules(Write))
    if (Data_Type == QLatin1String(R.Data_Type))
      return &R;
  return nullptr;
}

bool BACnet_Is_Binary(bool Write, const QString &Data_Type)
{
  return Data_Type == QLatin1String(Write ? "Binary Out" : "Binary Input") || Data_Type == QLatin1String("Binary Value");
}

int BACnet_Length(const QString &Text) { return StrToIntDef(Text, 0); }

int BACnet_Last_Position(bool Write, const QString &Data_Type, const QString &Position, const QString &Length)
{
  const qint64 P = Table_Int(Position);
  if (BACnet_Is_Binary(Write, Data_Type))
    return int(P);
  return int(std::clamp<qint64>(P + BACnet_Length(Length) - 1, INT_MIN, INT_MAX));
}

QString BACnet_Length_For(const QString &Data_Type)
{
  const QString T = UpperCase(Data_Type);
  for (const char *Four : {"ANALOG OUT", "ANALOG VALUE", "POSITIVE INTEGER VALUE", "INTEGER VALUE", "MULTI STATE OUTPUT",
                           "MULTI STATE VALUE"})
    if (T == QLatin1String(Four))
      return QStringLiteral("4");
  for (const char *One : {"BINARY OUT", "BINARY VALUE", "ACCESS DOOR"})
    if (T == QLatin1String(One))
      return QStringLiteral("1");
  if (T == QLatin1String("LARGE ANALOG VALUE"))
    return QStringLiteral("8");
  return QString();
}

bool BACnet_Short_Descriptions(TXMLDocument &Doc, const QString &Path, QString &Error)
{
  Error.clear();
  if (!FileExists(Path))
    return false;
  bool Short = false;
  try {
    const TTableFile File(Doc, Path);
    QString Text;
    Short = File.Child_Text("BACnet_Desc_Chars_Limit", Text) && Text == QLatin1String("1");
  } catch (Exception &E) {
    Error = E.Message();
    Short = false;
  }
  Doc.Clear();
  return Short;
}

TGridDesc TFBACnetSlaveSetAccess::Grid_Description(TFBACnetSlaveSetAccess *Form, bool Write)
{
  TGridDesc G{
      .Grid_Name = Write ? QStringLiteral("ACG_BACnet_in_Write") : QStringLiteral("ACG_BACnet_in_Read"),
      .Sheet_Name = Write ? QStringLiteral("TS_BACnet_in_Write") : QStringLiteral("TS_BACnet_in_Read"),
      .Sheet_Text = Write ? 2509 : 2508,
      .Section = Write ? "BACnet_in_Write" : "BACnet_in_Read",
      .Data_Rows = BACnet_Rows,
      .Key_Col = cData_Type,
      .Columns = Columns(Write),
      .Header_Place = THeaderPlace::hpHeaderCells,
      .Hint_Rule = THintRule::hrNone,
      .Show_Hint = false,
      .Events = {.Hint = false},
  };
  if (Write)
    G.Columns[cData_Type].On_Combo_Change = [Form](int ARow, int AItemIndex, const QString &ASelection) {
      Form->ACG_BACnet_in_WriteComboChange(Form->ACG_BACnet_in_Write, cData_Type, ARow, AItemIndex, ASelection);
    };
  const int Grid = Write ? 1 : 0;
  const TMessages &M = Write ? Write_Messages : Read_Messages;
  auto Cell = [Form, Grid](int Col, int Row) { return Form->Grid(Grid)->Cells(Col, Row); };
  auto Type_Is = [Cell](const char *Type) {
    return [Cell, Type](int Row) { return Cell(cData_Type, Row) == QLatin1String(Type); };
  };
  TRowCheck Start_Bit = Check_Custom(cStart_Bit, M.Start_Bit, [Cell](int Row) { return Cell(cStart_Bit, Row).isEmpty(); });
  Start_Bit.Guard = [Cell, Write](int Row) { return BACnet_Is_Binary(Write, Cell(cData_Type, Row)); };
  G.Checks = {Check_Range(cEng_Unit, 0, 65535, M.Eng_Unit), Check_Position(cPosition, M.Position), Start_Bit};
  for (const TBACnetLengthRule &R : BACnet_Length_Rules(Write)) {
    TRowCheck K = Check_Custom(cLength, R.Message, [Cell, Min = R.Min, Max = R.Max](int Row) {
      const int L = BACnet_Length(Cell(cLength, Row));
      return L < Min || L > Max;
    });
    K.Guard = Type_Is(R.Data_Type);
    G.Checks.push_back(std::move(K));
  }
  G.Checks.push_back(Check_Custom(cLength, M.Too_Many_Bytes, [Form, Cell, Grid, Write](int Row) {
    return BACnet_Last_Position(Write, Cell(cData_Type, Row), Cell(cPosition, Row), Cell(cLength, Row)) >=
           Form->Data_Size(Grid);
  }));
  return G;
}

TTableFormDesc TFBACnetSlaveSetAccess::Description(TFBACnetSlaveSetAccess *Form)
{
  return TTableFormDesc{
      .Form_Name = QStringLiteral("FBACnetSlaveSetAccess"),
      .Client_Width = 764,
      .Client_Height = 337,
      .File = &TAppState::File_BACnet_Slave,
      .Root = "BACnet_to_Modbus",
      .Version = QStringLiteral("SW_VERSION = 1.000"),
      .Caption_Text = 2500,
      .Desc_Text = 2501,
      .First_Button_Text = 2502,
      .Error_Row_Text = 2532,
      .Delete_Question_Text = 2560,
      .Grids = {Grid_Description(Form, false), Grid_Description(Form, true)},
      // The gateway serves so many objects over both tables together.
      .Table_Checks = {{.Message = 2559,
                        .Fails = [Form] {
                          return Rows_In_Use(Form->Grid(0), Form->Desc().Grids[0]) +
                                     Rows_In_Use(Form->Grid(1), Form->Desc().Grids[1]) >
                                 Form->Table_Rows();
                        },
                        .Suffix_Number = [Form] { return Form->Table_Rows(); }}},
  };
}

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess(TComponent *AOwner) : TTableForm(AOwner, Description(this))
{
  TS_BACnet_in_Read = Sheet(0);
  TS_BACnet_in_Write = Sheet(1);
  ACG_BACnet_in_Read = Column_Grid(0);
  ACG_BACnet_in_Write = Column_Grid(1);
  SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  Btn_OK->OnClick = [this](TObject *Sender) { bitbtn1Click(Sender); };
  Btn_DelRow->OnClick = [this](TObject *Sender) { Btn_DelRow_Click(Sender); };
}

void TFBACnetSlaveSetAccess::Show_Sizes()
{
  QString Error;
  Desc_Lenght = BACnet_Short_Descriptions(*XML1, AppState().File_ParGen, Error);
  // An unreadable settings file keeps the default size and the table is loaded all the same,
  // so that OK cannot replace the saved rows with empty grids.
  if (!Error.isEmpty())
    MessageDlg(Lang_Text(Settings_Unreadable_Text) + Error, mtError, TMsgDlgButtons{mbOK}, 0);
  // Sized before the load: the rows a smaller size drops are cleared, and a file with more rows
  // than that is told and guarded as one that did not load completely.
  for (int I = 0; I < Grid_Count(); ++I)
    Set_Table_Rows(I, Table_Rows());
  TTableForm::Show_Sizes();
}

void TFBACnetSlaveSetAccess::bitbtn1Click(TObject *Sender) { TTableForm::Btn_OKClick(Sender); }

void TFBACnetSlaveSetAccess::Btn_DelRow_Click(TObject *Sender) { TTableForm::Btn_DelRowClick(Sender); }

void TFBACnetSlaveSetAccess::DblClickCell(TObject *Sender, int ARow, int ACol)
{
  if (Sender == ACG_BACnet_in_Write)
    ACG_BACnet_in_WriteDblClickCell(Sender, ARow, ACol);
  else
    ACG_BACnet_in_ReadDblClickCell(Sender, ARow, ACol);
}

void TFBACnetSlaveSetAccess::ACG_BACnet_in_ReadDblClickCell(TObject *, int ARow, int ACol)
{
  Eng_Unit_Picker(ACG_BACnet_in_Read, ARow, ACol);
}

void TFBACnetSlaveSetAccess::ACG_BACnet_in_WriteDblClickCell(TObject *, int ARow, int ACol)
{
  Eng_Unit_Picker(ACG_BACnet_in_Write, ARow, ACol);
}

void TFBACnetSlaveSetAccess::Eng_Unit_Picker(TZavColumnGrid *Grid, int ARow, int ACol)
{
  if (Grid->RealColIndex(ACol) == cEng_Unit && ARow >= 1 && FBACnet_Eng_Unit) {
    const QString Text = Grid->Cells(cEng_Unit, ARow);
    FBACnet_Eng_Unit->E_Selected_EU->SetText(Text);
    FBACnet_Eng_Unit->Label5->SetCaption(QStringLiteral("-> ") + Desc_Unit(Table_Int(Text)));
    if (FBACnet_Eng_Unit->ShowModal() == mrOk)
      Grid->SetCells(cEng_Unit, ARow, FBACnet_Eng_Unit->E_Selected_EU->Text());
  }
  Grid_Auto_Size_Column(Grid, ARow, ACol);
}

void TFBACnetSlaveSetAccess::ACG_BACnet_in_WriteComboChange(TObject *, int ACol, int ARow, int,
                                                            const QString &ASelection)
{
  if (ACG_BACnet_in_Write->RealColIndex(ACol) != cData_Type)
    return;
  const QString Length = BACnet_Length_For(ASelection);
  if (!Length.isEmpty())
    ACG_BACnet_in_Write->SetCells(cLength, ARow, Length);
}
