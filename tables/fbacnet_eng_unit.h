#pragma once
// The BACnet engineering-unit picker: a small modal dialog in which the user picks a unit by
// category and name instead of typing its numeric code, and the unit names themselves. The
// caller fills E_Selected_EU and Label5, shows the dialog and takes E_Selected_EU back on OK.
#include <QString>

#include <span>

#include "ui/form_base.h"

class TComboBox;
class TEdit;
class TLabel;
class TLbButton;
class TPanel;
class TShape;

// The unit codes the picker and the names know: 0 to BACnet_Unit_Count - 1.
constexpr int BACnet_Unit_Count = 237;

// The name of a unit code; "unknown" for a code the table does not hold.
QString Desc_Unit(int Num_Unit);

// A category of the picker: its caption (not translated) and its codes in list order.
struct TBACnetUnitCategory {
  const char *Caption;
  std::span<const int> Codes;
};
std::span<const TBACnetUnitCategory> BACnet_Unit_Categories();

class TFBACnet_Eng_Unit : public TLangForm {
public:
  explicit TFBACnet_Eng_Unit(TComponent *AOwner);

  void FormCreate(TObject *Sender);
  void FormShow(TObject *Sender);
  // Refills the unit list from the chosen category, its first entry selected.
  void CB_Select_TypeSelect(TObject *Sender);
  // The chosen unit's code into E_Selected_EU, its name into Label5.
  void Btn_Select_Eng_UnitClick(TObject *Sender);
  void Set_Lang() override;

  TPanel *P_Title = nullptr;
  TLabel *L_SW_Code = nullptr;
  TLabel *L_SW_Desc = nullptr;
  TLabel *Label1 = nullptr;
  TEdit *E_Selected_EU = nullptr;
  TLabel *Label5 = nullptr;
  TShape *Shape1 = nullptr;
  TLabel *Label2 = nullptr;
  TLabel *Label3 = nullptr;
  TComboBox *CB_Select_Type = nullptr;
  TLabel *Label4 = nullptr;
  TComboBox *CB_Select_Unit = nullptr;
  TLbButton *Btn_Select_Eng_Unit = nullptr;
  TShape *Shape2 = nullptr;
  TPanel *P_Button = nullptr;
  TLbButton *Btn_OK = nullptr;
  TLbButton *Btn_Cancel = nullptr;
};

// The one instance, created at start-up and kept for the run.
extern TFBACnet_Eng_Unit *FBACnet_Eng_Unit;
