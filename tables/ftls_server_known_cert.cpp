#include "tables/ftls_server_known_cert.h"

#include "grid/core/zav_string_grid.h"
#include "project/app_state.h"

using namespace tlscols;

namespace {

constexpr TColor Enable_Color = RGB(255, 216, 176);
constexpr TColor Certificate_Color = RGB(224, 250, 254);

constexpr int Data_Rows = 10;

}  // namespace

TTableFormDesc TFTLS_Server_Known_Cert::Description()
{
  constexpr TLoadPolicy Defaulted = TLoadPolicy::lpDefault;
  TGridDesc G{
      .Grid_Name = QStringLiteral("ZSG"),
      .Data_Rows = Data_Rows,
      .Key_Col = cCertificate,
      .Enable_Col = cEnable,
      .Insert_Enabled = true,
      .Plain_String_Grid = true,
      .Columns =
          {
              {.Col = cN, .Header_Text = 1614, .Load = TLoadPolicy::lpNotLoaded, .Width = 40, .Color = clBtnFace},
              {.Col = cEnable, .Header_Text = 1615, .Hint_Text = 1618, .Keeping = TCellKeeping::ckGridCheckBox,
               .Attribute = "Enable", .Load = Defaulted, .Default = QStringLiteral("Y"),
               .Reset_Text = QStringLiteral("Y"), .Width = 50, .Color = Enable_Color, .Alignment = taCenter},
              {.Col = cCertificate, .Header_Text = 1616, .Hint_Text = 1619, .Attribute = "Certificate",
               .Load = Defaulted, .Width = 500, .Color = Certificate_Color},
              {.Col = cMnemonic, .Header_Text = 1617, .Hint_Text = 1620, .Attribute = "Mnemonic", .Load = Defaulted,
               .Width = 160, .Color = clWhite},
          },
      .Header_Place = THeaderPlace::hpHeaderCells,
      // The hint of a header cell, none elsewhere; the grid shows no hints all the same.
      .Hint_Rule = THintRule::hrRealColumnEmpty,
      .Show_Hint = false,
      .Look = {.Row_Height = 60, .Header_Height = 22, .Center_Vertically = true, .Col_Sizing = true,
               .Row_Sizing = true},
  };
  return TTableFormDesc{
      .Form_Name = QStringLiteral("FTLS_Server_Known_Cert"),
      .Client_Width = 800,
      .Client_Height = 337,
      .File = &TAppState::File_TLS_Known_Cert,
      .Root = "TLS_Server_Known_Cert",
      .Version = QStringLiteral("SW_VERSION = 1.000"),
      .Caption_Text = 1600,
      .Desc_Text = 1601,
      .First_Button_Text = 1602,
      .Error_Row_Text = 1622,  // only a cell the file cannot hold is refused
      .Delete_Question_Text = 1621,
      .Grids = {G},
  };
}

TFTLS_Server_Known_Cert::TFTLS_Server_Known_Cert(TComponent *AOwner) : TTableForm(AOwner, Description())
{
  ZSG = Grid(0);
}
