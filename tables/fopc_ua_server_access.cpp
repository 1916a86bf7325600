#include "tables/fopc_ua_server_access.h"

#include "framework/classes/classes.h"
#include "framework/system/sysutils.h"
#include "grid/core/zav_string_grid.h"
#include "project/app_state.h"

using namespace opcuacols;

namespace {

constexpr TColor Enable_Color = RGB(255, 216, 176);
constexpr TColor Type_Color = RGB(224, 250, 254);
constexpr TColor Place_Color = RGB(168, 255, 168);
constexpr TColor Name_Color = RGB(252, 214, 244);

constexpr int Data_Rows = 250;

const char *const Type_Names[] = {"Boolean", "Signed Byte", "Byte",  "Int16",  "UInt16", "Int32",     "UInt32",
                                  "Int64",   "UInt64",      "Float", "Double", "String", "ByteString"};
const char *const RW_Names[] = {"Read Only", "Read/Write"};

struct TTypeSize {
  const char *Type;
  const char *Length;
  bool Fixed;
};
const TTypeSize Type_Sizes[] = {
    {"Boolean", "1", true}, {"Signed Byte", "1", true}, {"Byte", "1", true},     {"Int16", "2", true},
    {"UInt16", "2", true},  {"Int32", "4", true},       {"UInt32", "4", true},   {"Float", "4", true},
    {"Int64", "8", true},   {"UInt64", "8", true},      {"Double", "8", true},   {"String", "10", false},
    {"ByteString", "10", false},
};

const std::vector<TColumnDesc> &Columns()
{
  constexpr TLoadPolicy Defaulted = TLoadPolicy::lpDefault;
  static const std::vector<TColumnDesc> List = {
      {.Col = cN, .Header_Text = 2714, .Load = TLoadPolicy::lpNotLoaded, .Width = 40, .Color = clBtnFace},
      {.Col = cEnable, .Header_Text = 2715, .Hint_Text = 2721, .Keeping = TCellKeeping::ckGridCheckBox,
       .Attribute = "Enable", .Load = Defaulted, .Default = QStringLiteral("Y"), .Reset_Text = QStringLiteral("Y"),
       .Width = 50, .Color = Enable_Color, .Alignment = taCenter},
      {.Col = cType, .Header_Text = 2716, .Hint_Text = 2722, .Editor = edComboList, .Attribute = "Type",
       .Load = Defaulted, .Width = 120, .Color = Type_Color},
      {.Col = cPosition, .Header_Text = 2717, .Hint_Text = 2723, .Attribute = "Position", .Load = Defaulted,
       .Width = 100, .Color = Place_Color},
      {.Col = cLength, .Header_Text = 2718, .Hint_Text = 2724, .Attribute = "Length", .Load = Defaulted,
       .Width = 100, .Color = Place_Color},
      {.Col = cName, .Header_Text = 2719, .Hint_Text = 2725, .Attribute = "Name", .Load = Defaulted, .Width = 280,
       .Color = Name_Color},
      {.Col = cReadWrite, .Header_Text = 2729, .Hint_Text = 2730, .Editor = edComboList, .Attribute = "ReadWrite",
       .Load = Defaulted, .Width = 100, .Color = Name_Color},
      {.Col = cMnemonic, .Header_Text = 2720, .Hint_Text = 2726, .Attribute = "Mnemonic", .Load = Defaulted,
       .Width = 280, .Color = clWhite},
  };
  return List;
}

}  // namespace

std::optional<TOPC_UA_Type_Length> OPC_UA_Type_Length(const QString &Type)
{
  for (const TTypeSize &S : Type_Sizes)
    if (Type == QLatin1String(S.Type))
      return TOPC_UA_Type_Length{QString::fromLatin1(S.Length), S.Fixed};
  return std::nullopt;
}

TTableFormDesc TFOPC_UA_Server_Access::Description(TFOPC_UA_Server_Access *)
{
  TGridDesc G{
      .Grid_Name = QStringLiteral("ZSG"),
      .Section = "OPC_UA_Server_Variables",
      .Data_Rows = Data_Rows,
      .Key_Col = cType,
      .Enable_Col = cEnable,
      .Insert_Enabled = true,
      .Plain_String_Grid = true,
      .Columns = Columns(),
  };
  G.Checks = {Check_Position(cPosition, 2727)};
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
  };
}

TFOPC_UA_Server_Access::TFOPC_UA_Server_Access(TComponent *AOwner)
    : TTableForm(AOwner, Description(this)), VarType(std::make_unique<TStringList>()),
      RWType(std::make_unique<TStringList>())
{
  ZSG = Grid(0);
  Init_Table();
  ZSG->OnGetEditorType = [this](TObject *Sender, int ACol, int ARow, TEditorType &AEditor) {
    ZSGGetEditorType(Sender, ACol, ARow, AEditor);
  };
  ZSG->OnComboChange = [this](TObject *Sender, int ACol, int ARow, int AItemIndex, const QString &ASelection) {
    ZSGComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
  };
}

TFOPC_UA_Server_Access::~TFOPC_UA_Server_Access() = default;

void TFOPC_UA_Server_Access::Init_Table()
{
  VarType->Clear();
  for (const char *N : Type_Names)
    VarType->Add(QString::fromLatin1(N));
  RWType->Clear();
  for (const char *N : RW_Names)
    RWType->Add(QString::fromLatin1(N));
}

void TFOPC_UA_Server_Access::ZSGGetEditorType(TObject *, int ACol, int, TEditorType &AEditor)
{
  TStringList *Items = ACol == cType ? VarType.get() : ACol == cReadWrite ? RWType.get() : nullptr;
  if (!Items)
    return;
  AEditor = edComboList;
  ZSG->ClearComboString();
  for (int I = 0; I < Items->Count(); ++I)
    ZSG->AddComboString(Items->Strings(I));
}

void TFOPC_UA_Server_Access::ZSGComboChange(TObject *, int ACol, int ARow, int, const QString &ASelection)
{
  if (ACol == cType)
    VarSetLength(ASelection, ACol, ARow);
}

void TFOPC_UA_Server_Access::VarSetLength(const QString &T, int, int ARow)
{
  if (const std::optional<TOPC_UA_Type_Length> L = OPC_UA_Type_Length(T)) {
    ZSG->SetCells(cLength, ARow, L->Length);
    ZSG->SetReadOnly(cLength, ARow, L->Fixed);
  }
  if (ZSG->Cells(cReadWrite, ARow).isEmpty())
    ZSG->SetCells(cReadWrite, ARow, QString::fromLatin1(RW_Names[1]));
}

void TFOPC_UA_Server_Access::Set_Length_Marks()
{
  for (int R = 1; R < ZSG->RowCount(); ++R) {
    const std::optional<TOPC_UA_Type_Length> L = OPC_UA_Type_Length(ZSG->Cells(cType, R));
    ZSG->SetReadOnly(cLength, R, L && L->Fixed);
  }
}

void TFOPC_UA_Server_Access::FormShow(TObject *Sender)
{
  TTableForm::FormShow(Sender);
  Set_Length_Marks();
}

void TFOPC_UA_Server_Access::Btn_DelRowClick(TObject *Sender)
{
  TTableForm::Btn_DelRowClick(Sender);
  Set_Length_Marks();
}

void TFOPC_UA_Server_Access::Btn_InsRowClick(TObject *Sender)
{
  TTableForm::Btn_InsRowClick(Sender);
  Set_Length_Marks();
}

void TFOPC_UA_Server_Access::Btn_PasteRowClick(TObject *Sender)
{
  TTableForm::Btn_PasteRowClick(Sender);
  // Refused or declined alike: the pasted Length stays as copied, an empty R/W gets its default.
  const int Row = ZSG->GetRowEx();
  const QString Length = ZSG->Cells(cLength, Row);
  VarSetLength(ZSG->Cells(cType, Row), cType, Row);
  ZSG->SetCells(cLength, Row, Length);
  Set_Length_Marks();
}
