#include "tables/fopc_ua_server_access.h"

#include "framework/classes/classes.h"
#include "grid/core/zav_string_grid.h"
#include "project/app_state.h"

using namespace opcuacols;

namespace {

constexpr TColor Enable_Color = RGB(255, 216, 176);
constexpr TColor Type_Color = RGB(224, 250, 254);
constexpr TColor Place_Color = RGB(168, 255, 168);
constexpr TColor Name_Color = RGB(252, 214, 244);

constexpr int Data_Rows = 250;

struct TTypeSize {
  const char *Type;
  const char *Length;
  bool Fixed;
};
// In the order of the drop-down.
const TTypeSize Type_Sizes[] = {
    {"Boolean", "1", true}, {"Signed Byte", "1", true}, {"Byte", "1", true},   {"Int16", "2", true},
    {"UInt16", "2", true},  {"Int32", "4", true},       {"UInt32", "4", true}, {"Int64", "8", true},
    {"UInt64", "8", true},  {"Float", "4", true},       {"Double", "8", true}, {"String", "10", false},
    {"ByteString", "10", false},
};
const QStringList RW_Names = {QStringLiteral("Read Only"), QStringLiteral("Read/Write")};

QStringList Type_Names()
{
  QStringList L;
  for (const TTypeSize &S : Type_Sizes)
    L << QString::fromLatin1(S.Type);
  return L;
}

}  // namespace

std::optional<TOPC_UA_Type_Length> OPC_UA_Type_Length(const QString &Type)
{
  for (const TTypeSize &S : Type_Sizes)
    if (Type == QLatin1String(S.Type))
      return TOPC_UA_Type_Length{QString::fromLatin1(S.Length), S.Fixed};
  return std::nullopt;
}

TTableFormDesc TFOPC_UA_Server_Access::Description(TFOPC_UA_Server_Access *Form)
{
  constexpr TLoadPolicy Defaulted = TLoadPolicy::lpDefault;
  TGridDesc G{
      .Grid_Name = QStringLiteral("ZSG"),
      .Section = "OPC_UA_Server_Variables",
      .Data_Rows = Data_Rows,
      .Key_Col = cType,
      .Enable_Col = cEnable,
      .Insert_Enabled = true,
      .Plain_String_Grid = true,
      .Columns =
          {
              {.Col = cN, .Header_Text = 2714, .Load = TLoadPolicy::lpNotLoaded, .Width = 40, .Color = clBtnFace},
              {.Col = cEnable, .Header_Text = 2715, .Hint_Text = 2721, .Keeping = TCellKeeping::ckGridCheckBox,
               .Attribute = "Enable", .Load = Defaulted, .Default = QStringLiteral("Y"),
               .Reset_Text = QStringLiteral("Y"), .Width = 50, .Color = Enable_Color, .Alignment = taCenter},
              {.Col = cType, .Header_Text = 2716, .Hint_Text = 2722, .Editor = edComboList, .Items = {Type_Names()},
               .Attribute = "Type", .Load = Defaulted, .Width = 120, .Color = Type_Color,
               .On_Combo_Change = [Form](int ARow, int, const QString &ASelection) {
                 Form->VarSetLength(ASelection, cType, ARow);
               }},
              {.Col = cPosition, .Header_Text = 2717, .Hint_Text = 2723, .Attribute = "Position",
               .Load = Defaulted, .Width = 100, .Color = Place_Color},
              {.Col = cLength, .Header_Text = 2718, .Hint_Text = 2724, .Attribute = "Length", .Load = Defaulted,
               .Width = 100, .Color = Place_Color},
              {.Col = cName, .Header_Text = 2719, .Hint_Text = 2725, .Attribute = "Name", .Load = Defaulted,
               .Width = 280, .Color = Name_Color},
              {.Col = cReadWrite, .Header_Text = 2729, .Hint_Text = 2730, .Editor = edComboList,
               .Items = {RW_Names}, .Attribute = "ReadWrite", .Load = Defaulted, .Width = 100,
               .Color = Name_Color},
              {.Col = cMnemonic, .Header_Text = 2720, .Hint_Text = 2726, .Attribute = "Mnemonic",
               .Load = Defaulted, .Width = 280, .Color = clWhite},
          },
      .Checks = {Check_Position(cPosition, 2727)},
      .Header_Place = THeaderPlace::hpHeaderCells,
      .Hint_Rule = THintRule::hrNone,
      .Show_Hint = false,
      .Events = {.Click = false, .Dbl_Click = false, .Key_Press = false, .Hint = false},
      // Every row with a Type is checked and saved, wherever it stands.
      .Blank_Key = TBlankKey::bkSkip,
      .Look = {.Header_Height = 22, .Col_Sizing = false, .Row_Sizing = false},
  };
  return TTableFormDesc{
      .Form_Name = QStringLiteral("FOPC_UA_Server_Access"),
      .Client_Width = 1200,
      .Client_Height = 337,
      .File = &TAppState::File_OPC_UA_Server,
      .Root = "OPC_UA_Server",
      .Version = QStringLiteral("SW_VERSION = 1.000"),
      .Caption_Text = 2700,
      .Desc_Text = 2701,
      .First_Button_Text = 2702,
      .Delete_Question_Text = 2728,
      .Grids = {G},
      .Message_Style = TTableFormDesc::msFormat,
  };
}

TFOPC_UA_Server_Access::TFOPC_UA_Server_Access(TComponent *AOwner)
    : TTableForm(AOwner, Description(this)), VarType(std::make_unique<TStringList>()),
      RWType(std::make_unique<TStringList>())
{
  ZSG = Grid(0);
  for (const QString &S : Desc().Grids[0].Columns[cType].Items.Fixed)
    VarType->Add(S);
  for (const QString &S : RW_Names)
    RWType->Add(S);
}

TFOPC_UA_Server_Access::~TFOPC_UA_Server_Access() = default;

void TFOPC_UA_Server_Access::VarSetLength(const QString &T, int, int ARow)
{
  if (const std::optional<TOPC_UA_Type_Length> L = OPC_UA_Type_Length(T)) {
    ZSG->SetCells(cLength, ARow, L->Length);
    ZSG->SetReadOnly(cLength, ARow, L->Fixed);
  }
  if (ZSG->Cells(cReadWrite, ARow).isEmpty())
    ZSG->SetCells(cReadWrite, ARow, RW_Names[1]);
}

void TFOPC_UA_Server_Access::Set_Length_Marks()
{
  for (int R = 1; R < ZSG->RowCount(); ++R) {
    const std::optional<TOPC_UA_Type_Length> L = OPC_UA_Type_Length(ZSG->Cells(cType, R));
    ZSG->SetReadOnly(cLength, R, L && L->Fixed);
  }
}

void TFOPC_UA_Server_Access::Rows_Changed(int Index)
{
  TTableForm::Rows_Changed(Index);
  Set_Length_Marks();
}

void TFOPC_UA_Server_Access::Btn_PasteRowClick(TObject *Sender)
{
  TTableForm::Btn_PasteRowClick(Sender);
  const int Row = ZSG->GetRowEx();
  const QString Length = ZSG->Cells(cLength, Row);
  VarSetLength(ZSG->Cells(cType, Row), cType, Row);
  ZSG->SetCells(cLength, Row, Length);
}
