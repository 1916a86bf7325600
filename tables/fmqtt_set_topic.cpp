#include "tables/fmqtt_set_topic.h"

#include "framework/controls/forms.h"
#include "framework/stdctrls/comctrls.h"
#include "framework/system/sysutils.h"
#include "grid/core/column_grid.h"
#include "project/app_state.h"
#include "project/validators.h"
#include "tables/ftopic_template.h"
#include "tables/row_helpers.h"

#include <climits>

using namespace mqttcols;

namespace {

constexpr TColor RGB(int R, int G, int B) { return TColor(R | (G << 8) | (B << 16)); }

constexpr TColor Topic_Color = RGB(224, 250, 254);
constexpr TColor QoS_Color = RGB(213, 213, 255);
constexpr TColor Data_Color = RGB(168, 255, 168);
constexpr TColor Position_Color = RGB(252, 214, 244);
constexpr TColor Template_Color = RGB(255, 255, 168);
constexpr TColor Event_Color = RGB(255, 216, 176);

constexpr int Data_Rows = 1024;
constexpr int Max_Timer_Ms = 1000000000;

// One column of a grid as this form declares it.
struct TMQTTColumn {
  int Header, Hint;
  TEditorType Editor;
  TColumnItems Items;
  const char *Attribute;
  TLoadPolicy Load;
  const char *Default;
  bool Hidden;
  int Width;
  TColor Color;
};

const TColumnItems No_Items;
const TColumnItems QoS_Items{{"0", "1", "2"}};
const TColumnItems Type_Items{{"Int", "Float", "String", "Base64"}};
const TColumnItems Template_Items{{"$VALUE$"}};

constexpr TLoadPolicy Required = TLoadPolicy::lpRequired;
constexpr TLoadPolicy Defaulted = TLoadPolicy::lpDefault;
constexpr TLoadPolicy Computed = TLoadPolicy::lpComputed;
constexpr TLoadPolicy Not_Loaded = TLoadPolicy::lpNotLoaded;

TColumnItems Channel_Items()
{
  TColumnItems I;
  for (int N = 0; N <= 63; ++N)
    I.Fixed << QString::number(N);
  I.Fixed << QStringLiteral("All");
  return I;
}

const std::vector<TMQTTColumn> &Publish_Columns()
{
  static const std::vector<TMQTTColumn> Columns = {
      {2314, 0, edNormal, No_Items, nullptr, Not_Loaded, "", false, 40, Event_Color},
      {2315, 2319, edNormal, No_Items, "Topic", Required, "", false, 300, Topic_Color},
      {2316, 2320, edDataCheckBox, No_Items, "Retained", Required, "", false, 60, QoS_Color},
      {2317, 2321, edComboList, QoS_Items, "QoS", Required, "", false, 80, QoS_Color},
      {2337, 2340, edComboList, Type_Items, "DataType", Defaulted, "", false, 80, Data_Color},
      {2338, 2341, edNormal, No_Items, "Dimension", Defaulted, "", false, 80, Data_Color},
      {2339, 2342, edNormal, No_Items, "Position", Defaulted, "", false, 80, Position_Color},
      {2362, 2364, edNormal, No_Items, "IPAddress", Defaulted, "", true, 100, Data_Color},
      {2363, 2365, edNormal, No_Items, "InputTemplate", Defaulted, "", true, 120, Data_Color},
      {2335, 2336, edComboEdit, Template_Items, "Template", Defaulted, "", false, 130, Template_Color},
      {2381, 2382, edDataCheckBox, No_Items, "OnChange", Defaulted, "N", false, 75, Event_Color},
      {2383, 2386, edDataCheckBox, No_Items, nullptr, Not_Loaded, "", true, 55, Event_Color},
      {2384, 2387, edDataCheckBox, No_Items, "OnTimer", Defaulted, "N", false, 64, Event_Color},
      {2385, 2388, edNormal, No_Items, "Time", Defaulted, "", false, 70, Event_Color},
      {2390, 2391, edComboList, Channel_Items(), nullptr, Computed, "", true, 60, Data_Color},
      {2393, 2395, edDataCheckBox, No_Items, nullptr, Computed, "N", true, 40, Data_Color},
      {2394, 2396, edDataCheckBox, No_Items, nullptr, Computed, "N", true, 80, Data_Color},
      {2318, 2322, edNormal, No_Items, "Mnemonic", Required, "", false, 170, clWhite},
  };
  return Columns;
}

const std::vector<TMQTTColumn> &Subscribe_Columns()
{
  static const std::vector<TMQTTColumn> Columns = {
      {2324, 0, edNormal, No_Items, nullptr, Not_Loaded, "", false, 40, Event_Color},
      {2325, 2329, edNormal, No_Items, "Topic", Required, "", false, 300, Topic_Color},
      {2326, 2330, edDataCheckBox, No_Items, "Retained", Required, "", true, 60, QoS_Color},
      {2327, 2331, edComboList, QoS_Items, "QoS", Required, "", false, 80, QoS_Color},
      {2343, 2347, edComboList, Type_Items, "DataType", Defaulted, "", false, 80, Data_Color},
      {2344, 2348, edNormal, No_Items, "Dimension", Defaulted, "", false, 80, Data_Color},
      {2345, 2349, edNormal, No_Items, "Position", Defaulted, "", false, 80, Position_Color},
      {2366, 2370, edNormal, No_Items, "IPAddress", Defaulted, "", true, 100, Data_Color},
      {2367, 2371, edNormal, No_Items, "Port", Defaulted, "", true, 50, Data_Color},
      {2368, 2372, edComboList, TColumnItems{{"TCP", "UDP"}}, "EthType", Defaulted, "", true, 64, Data_Color},
      {2369, 2373, edNormal, No_Items, "InputTemplate", Defaulted, "", true, 130, Data_Color},
      {2346, 2350, edComboEdit, Template_Items, "Template", Defaulted, "", false, 130, Template_Color},
      {2393, 2397, edDataCheckBox, No_Items, nullptr, Computed, "N", true, 40, Data_Color},
      {2394, 2398, edDataCheckBox, No_Items, nullptr, Computed, "N", true, 80, Data_Color},
      {2328, 2332, edNormal, No_Items, "Mnemonic", Required, "", false, 220, clWhite},
  };
  return Columns;
}

bool Is_One_Of(int N, std::initializer_list<int> Values)
{
  for (int V : Values)
    if (N == V)
      return true;
  return false;
}

}  // namespace

bool TFMQTT_Set_Topic::Error_In_Topic_Template(const QString &Text) { return Text.count(QLatin1Char('$')) % 2 != 0; }

TGridDesc TFMQTT_Set_Topic::Grid_Description(TFMQTT_Set_Topic *Form, bool Subscribe)
{
  TGridDesc G;
  G.Grid_Name = Subscribe ? QStringLiteral("ACG_Sub") : QStringLiteral("ACG_Pub");
  G.Sheet_Name = Subscribe ? QStringLiteral("TS_MQTT_Subscribe") : QStringLiteral("TS_MQTT_Publish");
  G.Sheet_Text = Subscribe ? 2334 : 2333;
  G.Section = Subscribe ? "MQTT_Subscribe" : "MQTT_Publish";
  G.Data_Rows = Data_Rows;
  G.Key_Col = cTopic;
  for (const TMQTTColumn &M : Subscribe ? Subscribe_Columns() : Publish_Columns()) {
    TColumnDesc C;
    C.Col = G.Col_Count();
    C.Header_Text = M.Header;
    C.Hint_Text = M.Hint;
    C.Editor = M.Editor;
    C.Items = M.Items;
    C.Attribute = M.Attribute;
    C.Load = M.Load;
    C.Default = QString::fromLatin1(M.Default);
    C.Hidden = M.Hidden;
    C.Width = M.Width;
    C.Color = M.Color;
    C.Alignment = M.Editor == edDataCheckBox ? taCenter : taLeftJustify;
    G.Columns.push_back(C);
  }

  const int Grid = Subscribe ? 1 : 0;
  auto Msg = [Subscribe](int Pub, int Sub) { return Subscribe ? Sub : Pub; };
  auto Cell = [Form, Grid](int Col, int Row) { return Form->Grid(Grid)->Cells(Col, Row); };
  auto Type = [Cell](int Row) { return UpperCase(Trim(Cell(cData_Type, Row))); };
  auto Dimension = [Cell](int Row) { return Table_Int(Cell(cDimension, Row)); };
  // The dimension checks belong to the "Data Type" column: they go when it is hidden.
  auto By_Type = [](TRowCheck K, std::function<bool(int)> Guard) {
    K.Shown_Col = cData_Type;
    K.Guard = std::move(Guard);
    return K;
  };
  auto Template_Check = [Cell](int Col, int Message) {
    return Check_Custom(Col, Message, [Cell, Col](int Row) { return Error_In_Topic_Template(Trim(Cell(Col, Row))); });
  };
  const int Input_Template = Subscribe ? int(cSub_Input_Template) : int(cPub_Input_Template);
  const int Template = Subscribe ? int(cSub_Template) : int(cPub_Template);

  G.Checks = {
      Check_Custom(cData_Type, Msg(2352, 2357), [Type](int Row) { return Type(Row).isEmpty(); }),
      By_Type(Check_Custom(cDimension, Msg(2353, 2358),
                           [Dimension](int Row) { return !Is_One_Of(Dimension(Row), {1, 2, 4, 8}); }),
              [Type](int Row) { return Type(Row) == QLatin1String("INT"); }),
      By_Type(Check_Custom(cDimension, Msg(2354, 2359), [Dimension](int Row) { return !Is_One_Of(Dimension(Row), {4, 8}); }),
              [Type](int Row) { return Type(Row) == QLatin1String("FLOAT"); }),
      By_Type(Check_Range(cDimension, 1, INT_MAX, Msg(2355, 2360)),
              [Type](int Row) {
                const QString T = Type(Row);
                return T != QLatin1String("INT") && T != QLatin1String("FLOAT");
              }),
      Check_Position(cPosition, Msg(2356, 2361)),
      Check_Custom(cIP_Address, Msg(2374, 2375),
                   [Cell](int Row) {
                     QString IP1, IP2, IP3, IP4;
                     return !Split_IP_Address(Trim(Cell(cIP_Address, Row)), IP1, IP2, IP3, IP4);
                   }),
  };
  if (Subscribe)
    G.Checks.push_back(Check_Range(cPort, 0, 65535, 2376));
  G.Checks.push_back(Template_Check(Input_Template, Msg(2377, 2379)));
  G.Checks.push_back(Template_Check(Template, Msg(2378, 2380)));
  if (!Subscribe) {
    TRowCheck Timer = Check_Range(cTime, 1, Max_Timer_Ms, 2389);
    Timer.Guard = [Cell](int Row) { return UpperCase(Trim(Cell(cOn_Timer, Row))) == QLatin1String("Y"); };
    G.Checks.push_back(Timer);
  }
  return G;
}

TTableFormDesc TFMQTT_Set_Topic::Description(TFMQTT_Set_Topic *Form)
{
  TTableFormDesc D;
  D.Form_Name = QStringLiteral("FMQTT_Set_Topic");
  D.Client_Width = 1100;
  D.Client_Height = 337;
  D.File = &TAppState::File_MQTT_Set_Topic;
  D.Root = "MQTT_Set_Topic";
  D.Version = QStringLiteral("SW_VERSION = 1.000");
  D.Caption_Text = 2300;
  D.Desc_Text = 2301;
  D.First_Button_Text = 2302;
  D.Error_Row_Text = 2351;
  D.Delete_Question_Text = 2323;
  D.Grids = {Grid_Description(Form, false), Grid_Description(Form, true)};
  return D;
}

TFMQTT_Set_Topic::TFMQTT_Set_Topic(TComponent *AOwner) : TTableForm(AOwner, Description(this))
{
  TS_MQTT_Publish = Sheet(0);
  TS_MQTT_Subscribe = Sheet(1);
  ACG_Pub = Column_Grid(0);
  ACG_Sub = Column_Grid(1);
}

int TFMQTT_Set_Topic::Template_Col(TZavStringGrid *Grid) const
{
  if (Grid == ACG_Pub)
    return cPub_Template;
  if (Grid == ACG_Sub)
    return cSub_Template;
  return -1;
}

void TFMQTT_Set_Topic::ClickCell(TObject *, int, int) {}

void TFMQTT_Set_Topic::DblClickCell(TObject *Sender, int ARow, int ACol)
{
  const int I = Grid_Index(Sender);
  if (I < 0)
    return;
  TZavColumnGrid *G = Column_Grid(I);
  // The current cell decides, not the clicked one: a double-click on the "Template" header
  // while the current cell is in that column edits the current row's template.
  const int Col = G->GetRealCol();
  const int Row = G->GetRealRow();
  Grid_Auto_Size_Column(G, ARow, ACol);
  if (Col == Template_Col(G))
    Show_Form_Topic(G, Row, Col);
}

void TFMQTT_Set_Topic::Show_Form_Topic(TZavColumnGrid *Grid, int Row, int Column)
{
  if (!FTopicTemplate || Row < 1)
    return;
  FTopicTemplate->TopicTemplate = Column == Template_Col(Grid) ? 1 : 0;
  FTopicTemplate->RE_TopicTemplate->Clear();
  FTopicTemplate->RE_TopicTemplate->SetText(Grid->Cells(Column, Row));
  if (FTopicTemplate->ShowModal() == mrOk)
    Grid->SetCells(Column, Row, FTopicTemplate->RE_TopicTemplate->Text());
}
