#include "tables/fbacnet_eng_unit.h"

#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "project/app_state.h"
#include "ui/bands.h"
#include "ui/lang_text.h"
#include "ui/lbbutton.h"

#include <array>

TFBACnet_Eng_Unit *FBACnet_Eng_Unit = nullptr;

namespace {

// The identifiers of BACnetEngineeringUnits by code. The capitals and the two misspellings
// ("housepower", "radiants") are the names users of this program have always been shown.
constexpr std::array<const char16_t *, BACnet_Unit_Count> Unit_Names = {
    u"square-meters",                          // 0
    u"square-feet",
    u"milliamperes",
    u"amperes",
    u"ohms",
    u"volts",
    u"kilovolts",
    u"megavolts",
    u"volt-amperes",
    u"kilovolt-amperes",
    u"megavolt-amperes",                       // 10
    u"volt-amperes-reactive",
    u"kilovolt-amperes-reactive",
    u"megavolt-amperes-reactive",
    u"degrees-phase",
    u"power-factor",
    u"joules",
    u"kilojoules",
    u"watt-hours",
    u"kilowatt-hours",
    u"btus",                                   // 20
    u"therms",
    u"ton-hours",
    u"joules-per-kilogram-dry-air",
    u"btus-per-pound-dry-air",
    u"cycles-per-hour",
    u"cycles-per-minute",
    u"hertz",
    u"grams-of-water-per-kilogram-dry-air",
    u"percent-relative-humidity",
    u"millimeters",                            // 30
    u"meters",
    u"inches",
    u"feet",
    u"watts-per-square-foot",
    u"watts-per-square-meter",
    u"lumens",
    u"luxes",
    u"foot-candles",
    u"kilograms",
    u"pounds-mass",                            // 40
    u"tons",
    u"kilograms-per-second",
    u"kilograms-per-minute",
    u"kilograms-per-hour",
    u"pounds-mass-per-minute",
    u"pounds-mass-per-hour",
    u"watts",
    u"kilowatts",
    u"megawatts",
    u"btus-per-hour",                          // 50
    u"housepower",
    u"tons-refrigeration",
    u"pascals",
    u"kilopascals",
    u"bars",
    u"pounds-force-per-square-inch",
    u"centimeters-of-water",
    u"inches-of-water",
    u"millimeters-of-mercury",
    u"centimeters-of-mercury",                 // 60
    u"inches-of-mercury",
    u"degrees-Celsius",
    u"degrees-Kelvin",
    u"degrees-Fahrenheit",
    u"degree-days-Celsius",
    u"degree-days-Fahrenheit",
    u"years",
    u"months",
    u"weeks",
    u"days",                                   // 70
    u"hours",
    u"minutes",
    u"seconds",
    u"meters-per-second",
    u"kilometers-per-hour",
    u"feet-per-second",
    u"feet-per-minute",
    u"miles-per-hour",
    u"cubic-feet",
    u"cubic-meters",                           // 80
    u"imperial-gallons",
    u"liters",
    u"us-gallons",
    u"cubic-feet-per-minute",
    u"cubic-meters-per-second",
    u"imperial-gallons-per-minute",
    u"liters-per-second",
    u"liters-per-minute",
    u"us-gallons-per-minute",
    u"degrees-angular",                        // 90
    u"degrees-Celsius-per-hour",
    u"degrees-Celsius-per-minute",
    u"degrees-Fahrenheit-per-hour",
    u"degrees-Fahrenheit-per-minute",
    u"no-units",
    u"parts-per-million",
    u"parts-per-billion",
    u"percent",
    u"percent-per-second",
    u"per-minute",                             // 100
    u"per-second",
    u"psi-per-degree-Fahrenheit",
    u"radiants",
    u"revolutions-per-minute",
    u"currency1",
    u"currency2",
    u"currency3",
    u"currency4",
    u"currency5",
    u"currency6",                              // 110
    u"currency7",
    u"currency8",
    u"currency9",
    u"currency10",
    u"square-inches",
    u"square-centimeters",
    u"btus-per-pound",
    u"centimeters",
    u"pounds-mass-per-second",
    u"delta-degrees-Fahrenheit",               // 120
    u"delta-degrees-Kelvin",
    u"kilohms",
    u"megohms",
    u"millivolts",
    u"kilojoules-per-kilogram",
    u"megajoules",
    u"joules-per-degree-Kelvin",
    u"joules-per-kilogram-degree-kelvin",
    u"kilohertz",
    u"megahertz",                              // 130
    u"per-hour",
    u"milliwatts",
    u"hectopascals",
    u"millibars",
    u"cubic-meters-per-hour",
    u"liters-per-hour",
    u"kilowatt-hours-per-square-meter",
    u"kilowatt-hours-per-square-foot",
    u"megajoules-per-square-meter",
    u"megajoules-per-square-foot",             // 140
    u"watts-per-square-meter-degree-kelvin",
    u"cubic-feet-per-second",
    u"percent-obscuration-per-foot",
    u"percent-obscuration-per-meter",
    u"milliohms",
    u"megawatt-hours",
    u"kilo-btus",
    u"mega-btus",
    u"kilojoules-per-kilogram-dry-air",
    u"megajoules-per-kilogram-dry-air",        // 150
    u"kilojoules-per-degree-Kelvin",
    u"megajoules-per-degree-Kelvin",
    u"newton",
    u"grams-per-second",
    u"grams-per-minute",
    u"tons-per-hour",
    u"kilo-btus-per-hour",
    u"hundredths-seconds",
    u"milliseconds",
    u"newton-meters",                          // 160
    u"millimeters-per-second",
    u"millimeters-per-minute",
    u"meters-per-minute",
    u"meters-per-hour",
    u"cubic-meters-per-minute",
    u"meters-per-second-per-second",
    u"amperes-per-meter",
    u"amperes-per-square-meter",
    u"ampere-square-meters",
    u"farads",                                 // 170
    u"henrys",
    u"ohm-meters",
    u"siemens",
    u"siemens-per-meter",
    u"teslas",
    u"volts-per-degree-Kelvin",
    u"volts-per-meter",
    u"webers",
    u"candelas",
    u"candelas-per-square-meter",              // 180
    u"degrees-Kelvin-per-hour",
    u"degrees-Kelvin-per-minute",
    u"joule-seconds",
    u"radians-per-second",
    u"square-meters-per-Newton",
    u"kilograms-per-cubic-meter",
    u"newton-seconds",
    u"newtons-per-meter",
    u"watts-per-meter-per-degree-Kelvin",
    u"microsiemens",                           // 190
    u"cubic-feet-per-hour",
    u"us-gallons-per-hour",
    u"kilometers",
    u"micrometers",
    u"grams",
    u"milligrams",
    u"milliliters",
    u"milliliters-per-second",
    u"decibels",
    u"decibels-millivolt",                     // 200
    u"decibels-volt",
    u"millisiemens",
    u"watt-hours-reactive",
    u"kilowatt-hours-reactive",
    u"megawatt-hours-reactive",
    u"millimeters-of-water",
    u"per-mille",
    u"grams-per-gram",
    u"kilograms-per-kilogram",
    u"grams-per-kilogram",                     // 210
    u"milligrams-per-gram",
    u"milligrams-per-kilogram",
    u"grams-per-milliliter",
    u"grams-per-liter",
    u"milligrams-per-liter",
    u"micrograms-per-liter",
    u"grams-per-cubic-meter",
    u"milligrams-per-cubic-meter",
    u"micrograms-per-cubic-meter",
    u"nanograms-per-cubic-meter",              // 220
    u"grams-per-cubic-centimeter",
    u"becquerels",
    u"kilobecquerels",
    u"megabecquerels",
    u"gray",
    u"milligray",
    u"microgray",
    u"sieverts",
    u"millisieverts",
    u"microsieverts",                          // 230
    u"microsieverts-per-hour",
    u"decibels-a",
    u"nephelometric-turbidity-unit",
    u"pH",
    u"grams-per-square-meter",
    u"minutes-per-degree-kelvin",
};

// The codes of each category in list order.
constexpr int Acceleration[] = {166};
constexpr int Area[] = {0, 116, 1, 115};
constexpr int Currency[] = {105, 106, 107, 108, 109, 110, 111, 112, 113, 114};
constexpr int Electrical[] = {2,   3,   167, 168, 169, 199, 200, 201, 170, 171, 4,   172, 145, 122, 123, 190, 202, 173,
                              174, 175, 5,   124, 6,   7,   8,   9,   10,  11,  12,  13,  176, 177, 14,  15,  178};
constexpr int Energy[] = {16, 17, 125, 126, 18, 19, 146, 203, 204, 205, 20, 147, 148, 21, 22};
constexpr int Enthalpy[] = {23, 149, 150, 24, 117};
constexpr int Entropy[] = {127, 151, 152, 128};
constexpr int Force[] = {153};
constexpr int Frequency[] = {25, 26, 27, 129, 130, 131};
constexpr int Humidity[] = {28, 29};
constexpr int Length[] = {194, 30, 118, 193, 31, 32, 33};
constexpr int Light[] = {179, 180, 34, 35, 36, 37, 38};
constexpr int Mass[] = {196, 195, 39, 40, 41};
constexpr int Mass_Flow[] = {154, 155, 42, 43, 44, 119, 45, 46, 156};
constexpr int Power[] = {132, 47, 48, 49, 50, 157, 51, 52};
constexpr int Pressure[] = {53, 133, 54, 134, 55, 56, 206, 57, 58, 59, 60, 61};
constexpr int Temperature[] = {62, 63, 181, 182, 64, 65, 66, 120, 121};
constexpr int Time[] = {67, 68, 69, 70, 71, 72, 73, 158, 159};
constexpr int Torque[] = {160};
constexpr int Velocity[] = {161, 162, 74, 163, 164, 75, 76, 77, 78};
constexpr int Volume[] = {79, 80, 81, 197, 82, 83};
constexpr int Volumetric_Flow[] = {142, 84, 191, 85, 165, 135, 86, 198, 87, 88, 136, 89, 192};
constexpr int Other[] = {90,  91,  92,  93,  94,  183, 186, 137, 138, 139, 140, 95,  187, 188, 96,  97,  98,  143, 144, 99,
                         100, 101, 102, 103, 184, 104, 185, 189, 141, 207, 208, 209, 210, 211, 212, 213, 214, 215, 216, 217,
                         218, 219, 220, 221, 222, 223, 224, 225, 226, 227, 228, 229, 230, 231, 232, 233, 234, 235, 236};

constexpr TBACnetUnitCategory Categories[] = {
    {"Acceleration", Acceleration}, {"Area", Area},         {"Currency", Currency},
    {"Electrical", Electrical},     {"Energy", Energy},     {"Enthalpy", Enthalpy},
    {"Entropy", Entropy},           {"Force", Force},       {"Frequency", Frequency},
    {"Humidity", Humidity},         {"Length", Length},     {"Light", Light},
    {"Mass", Mass},                 {"Mass Flow", Mass_Flow}, {"Power", Power},
    {"Pressure", Pressure},         {"Temperature", Temperature}, {"Time", Time},
    {"Torque", Torque},             {"Velocity", Velocity}, {"Volume", Volume},
    {"Volumetric Flow", Volumetric_Flow}, {"Other", Other},
};

constexpr int Client_Width = 548;
constexpr int Client_Height = 306;
constexpr int List_Left = 120;
constexpr int List_Width = 417;

TShape *Make_Line(TForm *Form, const QString &Name, int Top)
{
  TShape *S = new TShape(Form);
  S->SetName(Name);
  S->SetParent(Form);
  S->SetBounds(16, Top, Client_Width - 32, 1);
  S->Pen()->SetColor(clGray);
  return S;
}

TComboBox *Make_List(TForm *Form, const QString &Name, int Top)
{
  TComboBox *C = new TComboBox(Form);
  C->SetName(Name);
  C->SetParent(Form);
  C->SetStyle(csDropDownList);
  C->SetBounds(List_Left, Top, List_Width, 21);
  C->SetDropDownCount(16);
  C->SetTabStop(true);
  return C;
}

}  // namespace

QString Desc_Unit(int Num_Unit)
{
  if (Num_Unit < 0 || Num_Unit >= BACnet_Unit_Count)
    return QStringLiteral("unknown");
  return QString::fromUtf16(Unit_Names[size_t(Num_Unit)]);
}

std::span<const TBACnetUnitCategory> BACnet_Unit_Categories() { return Categories; }

TFBACnet_Eng_Unit::TFBACnet_Eng_Unit(TComponent *AOwner) : TLangForm(AOwner)
{
  SetName(QStringLiteral("FBACnet_Eng_Unit"));
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetColor(Form_Color);
  Font()->SetName(QStringLiteral("Tahoma"));
  Font()->SetSize(8);
  SetClientSize(Client_Width, Client_Height);

  const TTitleBand Title = Make_Title_Band(this);
  P_Title = Title.P_Title;
  L_SW_Code = Title.L_SW_Code;
  L_SW_Desc = Title.L_SW_Desc;

  Label1 = Make_Dialog_Label(this, this, QStringLiteral("Label1"), 16, 84);
  Label1->Font()->SetStyle(TFontStyles{fsBold});
  E_Selected_EU = new TEdit(this);
  E_Selected_EU->SetName(QStringLiteral("E_Selected_EU"));
  E_Selected_EU->SetParent(this);
  E_Selected_EU->SetBounds(228, 80, 49, 21);
  E_Selected_EU->SetTabStop(true);
  Label5 = Make_Dialog_Label(this, this, QStringLiteral("Label5"), 284, 84);
  Label5->Font()->SetStyle(TFontStyles{fsBold});

  Shape1 = Make_Line(this, QStringLiteral("Shape1"), 112);
  Label2 = Make_Dialog_Label(this, this, QStringLiteral("Label2"), 16, 120);
  Label2->Font()->SetStyle(TFontStyles{fsBold});
  Label3 = Make_Dialog_Label(this, this, QStringLiteral("Label3"), 16, 146);
  CB_Select_Type = Make_List(this, QStringLiteral("CB_Select_Type"), 142);
  for (const TBACnetUnitCategory &C : Categories)
    CB_Select_Type->Items()->Add(QString::fromLatin1(C.Caption));
  // Every category at once, without scrolling.
  CB_Select_Type->SetDropDownCount(int(std::size(Categories)));
  CB_Select_Type->SetItemIndex(0);
  CB_Select_Type->OnSelect = [this](TObject *Sender) { CB_Select_TypeSelect(Sender); };
  Label4 = Make_Dialog_Label(this, this, QStringLiteral("Label4"), 16, 174);
  CB_Select_Unit = Make_List(this, QStringLiteral("CB_Select_Unit"), 170);

  Btn_Select_Eng_Unit = Make_Dialog_Button(this, this, QStringLiteral("Btn_Select_Eng_Unit"), 16, 202, 513);
  Btn_Select_Eng_Unit->OnClick = [this](TObject *Sender) { Btn_Select_Eng_UnitClick(Sender); };
  Shape2 = Make_Line(this, QStringLiteral("Shape2"), 258);

  P_Button = Make_Button_Band(this);
  Btn_OK = Make_Dialog_Button(this, P_Button, QStringLiteral("Btn_OK"), 16, 6, 110);
  Btn_OK->SetHeight(28);
  Btn_OK->SetModalResult(mrOk);
  Btn_Cancel = Make_Dialog_Button(this, P_Button, QStringLiteral("Btn_Cancel"), Client_Width - 16 - 110, 6, 110);
  Btn_Cancel->SetHeight(28);
  Btn_Cancel->SetModalResult(mrCancel);

  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
  OnShow = [this](TObject *Sender) { FormShow(Sender); };
}

void TFBACnet_Eng_Unit::FormCreate(TObject *)
{
  L_SW_Code->SetCaption(AppState().Software_Code);
  SetClientSize(Client_Width, Client_Height);
  Set_Lang();
}

void TFBACnet_Eng_Unit::FormShow(TObject *Sender) { CB_Select_TypeSelect(Sender); }

void TFBACnet_Eng_Unit::CB_Select_TypeSelect(TObject *)
{
  const int Type = CB_Select_Type->ItemIndex();
  TStrings *Items = CB_Select_Unit->Items();
  Items->BeginUpdate();
  Items->Clear();
  if (Type >= 0 && Type < int(std::size(Categories)))
    for (const int Code : Categories[Type].Codes)
      Items->Add(Desc_Unit(Code));
  Items->EndUpdate();
  CB_Select_Unit->SetItemIndex(0);
}

void TFBACnet_Eng_Unit::Btn_Select_Eng_UnitClick(TObject *)
{
  const int Type = CB_Select_Type->ItemIndex();
  const int Unit = CB_Select_Unit->ItemIndex();
  // Both lists are list-only and refilled with an entry selected, so this holds but for a
  // caller that empties them.
  if (Type < 0 || Type >= int(std::size(Categories)) || Unit < 0 || Unit >= int(Categories[Type].Codes.size()))
    return;
  const int Code = Categories[Type].Codes[size_t(Unit)];
  E_Selected_EU->SetText(QString::number(Code));
  Label5->SetCaption(QStringLiteral("-> ") + Desc_Unit(Code));
}

void TFBACnet_Eng_Unit::Set_Lang()
{
  SetCaption(Lang_Text(2600));
  L_SW_Desc->SetCaption(Lang_Text(2601));
  Btn_OK->SetCaption(Lang_Text(2602));
  Btn_Cancel->SetCaption(Lang_Text(2603));
  Label1->SetCaption(Lang_Text(2604));
  Label2->SetCaption(Lang_Text(2605));
  Label3->SetCaption(Lang_Text(2606));
  Label4->SetCaption(Lang_Text(2607));
  Btn_Select_Eng_Unit->SetCaption(Lang_Text(2608));
}
