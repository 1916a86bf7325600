// The BACnet unit picker: the name table (the spelling kept from earlier versions, "unknown"),
// the 23 categories offering every code once, and the dialog choosing a unit by category.
#include "tables/fbacnet_eng_unit.h"

#include "framework/stdctrls/stdctrls.h"
#include "framework/testing/input.h"
#include "framework/testing/ui_script.h"
#include "project/app_state.h"
#include "project/lang_texts.h"
#include "ui/lbbutton.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

TEST(BACnetUnitNames, NamesOfCodesInsideAndOutsideTheTable)
{
  const std::pair<int, const char *> Cases[] = {
      {0, "square-meters"},   {1, "square-feet"},       {62, "degrees-Celsius"},   {95, "no-units"},
      {105, "currency1"},     {114, "currency10"},      {166, "meters-per-second-per-second"},
      {207, "per-mille"},     {234, "pH"},              {235, "grams-per-square-meter"},
      {236, "minutes-per-degree-kelvin"},               {237, "unknown"},          {65535, "unknown"},
      {-1, "unknown"},        {INT_MIN, "unknown"},     {INT_MAX, "unknown"}};
  for (const auto &[Code, Name] : Cases)
    EXPECT_EQ(Desc_Unit(Code), QString::fromLatin1(Name)) << Code;
}

TEST(BACnetUnitNames, OnlyTheKeptSpellingsDepartFromLowerCaseIdentifiers)
{
  // The names users know from earlier versions: capitals, and two misspellings.
  const std::map<int, QString> Kept = {
      {51, "housepower"},
      {62, "degrees-Celsius"},
      {63, "degrees-Kelvin"},
      {64, "degrees-Fahrenheit"},
      {65, "degree-days-Celsius"},
      {66, "degree-days-Fahrenheit"},
      {91, "degrees-Celsius-per-hour"},
      {92, "degrees-Celsius-per-minute"},
      {93, "degrees-Fahrenheit-per-hour"},
      {94, "degrees-Fahrenheit-per-minute"},
      {102, "psi-per-degree-Fahrenheit"},
      {103, "radiants"},
      {120, "delta-degrees-Fahrenheit"},
      {121, "delta-degrees-Kelvin"},
      {127, "joules-per-degree-Kelvin"},
      {151, "kilojoules-per-degree-Kelvin"},
      {152, "megajoules-per-degree-Kelvin"},
      {176, "volts-per-degree-Kelvin"},
      {181, "degrees-Kelvin-per-hour"},
      {182, "degrees-Kelvin-per-minute"},
      {185, "square-meters-per-Newton"},
      {189, "watts-per-meter-per-degree-Kelvin"},
      {190, "microsiemens"},
      {234, "pH"},
  };
  // Look-alikes of the kept names that stay as the standard spells them.
  const std::map<int, QString> Standard = {
      {128, "joules-per-kilogram-degree-kelvin"}, {141, "watts-per-square-meter-degree-kelvin"},
      {153, "newton"},                            {160, "newton-meters"},
      {187, "newton-seconds"},                    {188, "newtons-per-meter"},
      {236, "minutes-per-degree-kelvin"},         {184, "radians-per-second"},
      {50, "btus-per-hour"},
  };
  std::set<QString> Seen;
  for (int Code = 0; Code < BACnet_Unit_Count; ++Code) {
    const QString Name = Desc_Unit(Code);
    SCOPED_TRACE(Code);
    EXPECT_TRUE(Seen.insert(Name).second) << Name.toStdString() << " twice";
    EXPECT_FALSE(Name.isEmpty());
    if (auto K = Kept.find(Code); K != Kept.end()) {
      EXPECT_EQ(Name, K->second);
      continue;
    }
    if (auto S = Standard.find(Code); S != Standard.end())
      EXPECT_EQ(Name, S->second);
    for (const QChar C : Name)
      EXPECT_TRUE(C == u'-' || C.isDigit() || (C >= u'a' && C <= u'z')) << Name.toStdString();
  }
}

TEST(BACnetUnitCategories, TwentyThreeCategoriesOfferEveryCodeExactlyOnce)
{
  const std::pair<const char *, size_t> Expected[] = {
      {"Acceleration", 1}, {"Area", 4},        {"Currency", 10},    {"Electrical", 35},      {"Energy", 15},
      {"Enthalpy", 5},     {"Entropy", 4},     {"Force", 1},        {"Frequency", 6},        {"Humidity", 2},
      {"Length", 7},       {"Light", 7},       {"Mass", 5},         {"Mass Flow", 9},        {"Power", 8},
      {"Pressure", 12},    {"Temperature", 9}, {"Time", 9},         {"Torque", 1},           {"Velocity", 9},
      {"Volume", 6},       {"Volumetric Flow", 13},                 {"Other", 59}};
  const auto Categories = BACnet_Unit_Categories();
  ASSERT_EQ(Categories.size(), std::size(Expected));
  std::map<int, QString> Owner;
  size_t Total = 0;
  for (size_t I = 0; I < Categories.size(); ++I) {
    EXPECT_STREQ(Categories[I].Caption, Expected[I].first);
    EXPECT_EQ(Categories[I].Codes.size(), Expected[I].second) << Expected[I].first;
    for (const int Code : Categories[I].Codes) {
      ++Total;
      EXPECT_GE(Code, 0);
      EXPECT_LT(Code, BACnet_Unit_Count);
      const auto [It, New] = Owner.emplace(Code, QString::fromLatin1(Categories[I].Caption));
      EXPECT_TRUE(New) << Code << " in " << It->second.toStdString() << " and " << Categories[I].Caption;
    }
  }
  EXPECT_EQ(Total, size_t(BACnet_Unit_Count));
  EXPECT_EQ(Owner.size(), size_t(BACnet_Unit_Count));
}

class BACnetEngUnitDialog : public ::testing::Test {
protected:
  void SetUp() override
  {
    Load_Default_Texts();
    AppState().Software_Code = QStringLiteral("QC40328");
    Form = new TFBACnet_Eng_Unit(nullptr);
    Form->AfterConstruction();
  }
  void TearDown() override
  {
    Form->BeforeDestruction();
    delete Form;
  }
  // Shows the dialog holding Code; Action runs while it is shown.
  int Show(const QString &Code, std::function<void(TFBACnet_Eng_Unit *)> Action)
  {
    Form->E_Selected_EU->SetText(Code);
    Form->Label5->SetCaption(QStringLiteral("-> ") + Desc_Unit(StrToIntDef(Code, -1)));
    TUIScript ui;
    ui.OnForm([&](TCustomForm *) { Action(Form); });
    return Form->ShowModal();
  }
  // The user picks a category and a unit by typing their names into the lists, then presses
  // "Select Engineering Unit".
  static void Pick(TFBACnet_Eng_Unit *F, const QString &Category, const QString &Unit)
  {
    SimAdvanceTime(TCustomComboBox::TypeAheadInterval + 1);
    SimType(F->CB_Select_Type, Category);
    SimAdvanceTime(TCustomComboBox::TypeAheadInterval + 1);
    SimType(F->CB_Select_Unit, Unit);
    SimClick(F->Btn_Select_Eng_Unit, 5, 5);
  }
  TFBACnet_Eng_Unit *Form = nullptr;
};

TEST_F(BACnetEngUnitDialog, SelectWritesTheCodeOfTheChosenUnitAndItsName)
{
  const struct {
    const char *Category;
    const char *Unit;
    const char *Code;
  } Cases[] = {{"Area", "square-centimeters", "116"}, {"Other", "per-mille", "207"},
               {"Other", "megajoules-per-square-meter", "139"}, {"Electrical", "ohm-meters", "172"},
               {"Velocity", "feet-per-minute", "77"},   {"Temperature", "degrees-Fahrenheit", "64"},
               {"Acceleration", "meters-per-second-per-second", "166"}, {"Other", "minutes-per-degree-kelvin", "236"}};
  for (const auto &C : Cases) {
    QString Code, Label, Type, Unit;
    const int Result = Show(QStringLiteral("0"), [&](TFBACnet_Eng_Unit *F) {
      Pick(F, QString::fromLatin1(C.Category), QString::fromLatin1(C.Unit));
      Code = F->E_Selected_EU->Text();
      Label = F->Label5->Caption();
      Type = F->CB_Select_Type->Text();
      Unit = F->CB_Select_Unit->Text();
      SimClick(F->Btn_OK, 5, 5);
    });
    SCOPED_TRACE(C.Unit);
    EXPECT_EQ(Result, mrOk);
    EXPECT_EQ(Type, C.Category);
    EXPECT_EQ(Unit, C.Unit);
    EXPECT_EQ(Code, C.Code);
    EXPECT_EQ(Label, QStringLiteral("-> ") + QString::fromLatin1(C.Unit));
    EXPECT_EQ(Form->E_Selected_EU->Text(), C.Code);
  }
}

TEST_F(BACnetEngUnitDialog, ChoosingChangesNothingUntilSelectAndOkHandsBackWhateverTheBoxHolds)
{
  QString Label;
  EXPECT_EQ(Show(QStringLiteral("abc"),
                 [&](TFBACnet_Eng_Unit *F) {
                   SimType(F->CB_Select_Type, QStringLiteral("Time"));
                   Label = F->Label5->Caption();
                   EXPECT_EQ(F->E_Selected_EU->Text(), "abc");
                   SimClick(F->Btn_OK, 5, 5);
                 }),
            mrOk);
  EXPECT_EQ(Label, "-> unknown");
  EXPECT_EQ(Form->E_Selected_EU->Text(), "abc");

  // Typed text is not judged, and does not update the name.
  EXPECT_EQ(Show(QStringLiteral("62"),
                 [&](TFBACnet_Eng_Unit *F) {
                   Label = F->Label5->Caption();
                   F->E_Selected_EU->SetFocus();
                   F->E_Selected_EU->SelectAll();
                   SimType(F->E_Selected_EU, QStringLiteral("99999"));
                   EXPECT_EQ(F->Label5->Caption(), Label);
                   SimClick(F->Btn_OK, 5, 5);
                 }),
            mrOk);
  EXPECT_EQ(Label, "-> degrees-Celsius");
  EXPECT_EQ(Form->E_Selected_EU->Text(), "99999");

  EXPECT_EQ(Show(QStringLiteral("5"), [](TFBACnet_Eng_Unit *F) { SimClick(F->Btn_Cancel, 5, 5); }), mrCancel);
  EXPECT_EQ(Show(QStringLiteral("5"), [](TFBACnet_Eng_Unit *F) { F->Close(); }), mrCancel);
}

TEST_F(BACnetEngUnitDialog, CategoryIsKeptBetweenOpeningsAndTheUnitReturnsToItsFirstEntry)
{
  QStringList Seen;
  Show(QStringLiteral("0"), [&](TFBACnet_Eng_Unit *F) {
    // At creation: the first category, its one unit.
    Seen << F->CB_Select_Type->Text() << F->CB_Select_Unit->Text() << QString::number(F->CB_Select_Unit->Items()->Count());
    Pick(F, QStringLiteral("Temperature"), QStringLiteral("degree-days-Fahrenheit"));
    F->Close();
  });
  Show(QStringLiteral("0"), [&](TFBACnet_Eng_Unit *F) {
    Seen << F->CB_Select_Type->Text() << F->CB_Select_Unit->Text() << QString::number(F->CB_Select_Unit->Items()->Count());
    F->Close();
  });
  EXPECT_EQ(Seen, QStringList({"Acceleration", "meters-per-second-per-second", "1", "Temperature", "degrees-Celsius",
                               "9"}));
}

TEST_F(BACnetEngUnitDialog, TextsAndSize)
{
  Show(QStringLiteral("0"), [](TFBACnet_Eng_Unit *F) {
    EXPECT_EQ(F->Caption(), "Select the BACnet Engineering Unit");
    EXPECT_EQ(F->L_SW_Desc->Caption(), "Select the BACnet Engineering Unit");
    EXPECT_EQ(F->L_SW_Code->Caption(), "QC40328");
    EXPECT_EQ(F->Label1->Caption(), "Selected BACnet Engineering Unit");
    EXPECT_EQ(F->Label2->Caption(), "Select a New BACnet Engineering Unit");
    EXPECT_EQ(F->Label3->Caption(), "Select the Type");
    EXPECT_EQ(F->Label4->Caption(), "Select Unit");
    EXPECT_EQ(F->Btn_Select_Eng_Unit->Caption(), "Select Engineering Unit");
    EXPECT_EQ(F->Btn_OK->Caption(), "OK");
    EXPECT_EQ(F->Btn_Cancel->Caption(), "Cancel");
    EXPECT_EQ(F->ClientWidth(), 548);
    EXPECT_EQ(F->ClientHeight(), 306);
    EXPECT_EQ(F->CB_Select_Type->Style(), csDropDownList);
    EXPECT_EQ(F->CB_Select_Unit->Style(), csDropDownList);
    EXPECT_EQ(F->CB_Select_Type->Items()->Count(), 23);
    F->Close();
  });
}

}  // namespace
