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

constexpr TColor Topic_Color = RGB(224, 250, 254);
constexpr TColor QoS_Color = RGB(213, 213, 255);
constexpr TColor Data_Color = RGB(168, 255, 168);
constexpr TColor Position_Color = RGB(252, 214, 244);
constexpr TColor Template_Color = RGB(255, 255, 168);
constexpr TColor Event_Color = RGB(255, 216, 176);

constexpr int Data_Rows = 1024;
constexpr int Max_Timer_Ms = 1000000000;

const TColumnItems QoS_Items{{"0", "1", "2"}};
const TColumnItems Type_Items{{"Int", "Float", "String", "Base64"}};
const TColumnItems Template_Items{{"$VALUE$"}};

TColumnItems Channel_Items()
{
  TColumnItems I;
  for (int N = 0; N <= 63; ++N)
    I.Fixed << QString::number(N);
  I.Fixed << QStringLiteral("All");
  return I;
}

// The columns of both grids in one list: the publish grid's with its texts, and the subscribe
// grid's Port and Eth Type with theirs.
enum { uN, uTopic, uRetained, uQoS, uData_Type, uDimension, uPosition, uIP_Address, uPort, uEth_Type,
       uInput_Template, uTemplate, uOn_Change, uOn_CMD, uOn_Timer, uTime, uChannel, uSwap, uSwap_Word, uMnemonic };

const std::vector<TColumnDesc> &Both_Columns()
{
  constexpr TLoadPolicy Defaulted = TLoadPolicy::lpDefault;
  static const std::vector<TColumnDesc> Columns = {
      {.Col = uN, .Header_Text = 2314, .Load = TLoadPolicy::lpNotLoaded, .Width = 40, .Color = Event_Color},
      {.Col = uTopic, .Header_Text = 2315, .Hint_Text = 2319, .Attribute = "Topic", .Width = 300,
       .Color = Topic_Color},
      {.Col = uRetained, .Header_Text = 2316, .Hint_Text = 2320, .Editor = edDataCheckBox, .Attribute = "Retained",
       .Width = 60, .Color = QoS_Color, .Alignment = taCenter},
      {.Col = uQoS, .Header_Text = 2317, .Hint_Text = 2321, .Editor = edComboList, .Items = QoS_Items,
       .Attribute = "QoS", .Width = 80, .Color = QoS_Color},
      {.Col = uData_Type, .Header_Text = 2337, .Hint_Text = 2340, .Editor = edComboList, .Items = Type_Items,
       .Attribute = "DataType", .Load = Defaulted, .Width = 80, .Color = Data_Color},
      {.Col = uDimension, .Header_Text = 2338, .Hint_Text = 2341, .Attribute = "Dimension", .Load = Defaulted,
       .Width = 80, .Color = Data_Color},
      {.Col = uPosition, .Header_Text = 2339, .Hint_Text = 2342, .Attribute = "Position", .Load = Defaulted,
       .Width = 80, .Color = Position_Color},
      {.Col = uIP_Address, .Header_Text = 2362, .Hint_Text = 2364, .Attribute = "IPAddress", .Load = Defaulted,
       .Hidden = true, .Width = 100, .Color = Data_Color},
      {.Col = uPort, .Header_Text = 2367, .Hint_Text = 2371, .Attribute = "Port", .Load = Defaulted,
       .Hidden = true, .Width = 50, .Color = Data_Color},
      {.Col = uEth_Type, .Header_Text = 2368, .Hint_Text = 2372, .Editor = edComboList, .Items = {{"TCP", "UDP"}},
       .Attribute = "EthType", .Load = Defaulted, .Hidden = true, .Width = 64, .Color = Data_Color},
      {.Col = uInput_Template, .Header_Text = 2363, .Hint_Text = 2365, .Attribute = "InputTemplate",
       .Load = Defaulted, .Hidden = true, .Width = 120, .Color = Data_Color},
      {.Col = uTemplate, .Header_Text = 2335, .Hint_Text = 2336, .Editor = edComboEdit, .Items = Template_Items,
       .Attribute = "Template", .Load = Defaulted, .Width = 130, .Color = Template_Color},
      {.Col = uOn_Change, .Header_Text = 2381, .Hint_Text = 2382, .Editor = edDataCheckBox, .Attribute = "OnChange",
       .Load = Defaulted, .Default = QStringLiteral("N"), .Width = 75, .Color = Event_Color, .Alignment = taCenter},
      {.Col = uOn_CMD, .Header_Text = 2383, .Hint_Text = 2386, .Editor = edDataCheckBox,
       .Load = TLoadPolicy::lpNotLoaded, .Hidden = true, .Width = 55, .Color = Event_Color, .Alignment = taCenter},
      {.Col = uOn_Timer, .Header_Text = 2384, .Hint_Text = 2387, .Editor = edDataCheckBox, .Attribute = "OnTimer",
       .Load = Defaulted, .Default = QStringLiteral("N"), .Width = 64, .Color = Event_Color, .Alignment = taCenter},
      {.Col = uTime, .Header_Text = 2385, .Hint_Text = 2388, .Attribute = "Time", .Load = Defaulted, .Width = 70,
       .Color = Event_Color},
      {.Col = uChannel, .Header_Text = 2390, .Hint_Text = 2391, .Editor = edComboList, .Items = Channel_Items(),
       .Load = TLoadPolicy::lpComputed, .Hidden = true, .Width = 60, .Color = Data_Color},
      {.Col = uSwap, .Header_Text = 2393, .Hint_Text = 2395, .Editor = edDataCheckBox,
       .Load = TLoadPolicy::lpComputed, .Default = QStringLiteral("N"), .Hidden = true, .Width = 40,
       .Color = Data_Color, .Alignment = taCenter},
      {.Col = uSwap_Word, .Header_Text = 2394, .Hint_Text = 2396, .Editor = edDataCheckBox,
       .Load = TLoadPolicy::lpComputed, .Default = QStringLiteral("N"), .Hidden = true, .Width = 80,
       .Color = Data_Color, .Alignment = taCenter},
      {.Col = uMnemonic, .Header_Text = 2318, .Hint_Text = 2322, .Attribute = "Mnemonic", .Width = 170,
       .Color = clWhite},
  };
  return Columns;
}

const TColumnDiff Publish_Diffs[] = {
    {.Col = uPort, .Absent = true},
    {.Col = uEth_Type, .Absent = true},
};

const TColumnDiff Subscribe_Diffs[] = {
    {.Col = uN, .Header_Text = 2324},
    {.Col = uTopic, .Header_Text = 2325, .Hint_Text = 2329},
    {.Col = uRetained, .Header_Text = 2326, .Hint_Text = 2330, .Hidden = true},
    {.Col = uQoS, .Header_Text = 2327, .Hint_Text = 2331},
    {.Col = uData_Type, .Header_Text = 2343, .Hint_Text = 2347},
    {.Col = uDimension, .Header_Text = 2344, .Hint_Text = 2348},
    {.Col = uPosition, .Header_Text = 2345, .Hint_Text = 2349},
    {.Col = uIP_Address, .Header_Text = 2366, .Hint_Text = 2370},
    {.Col = uInput_Template, .Header_Text = 2369, .Hint_Text = 2373, .Width = 130},
    {.Col = uTemplate, .Header_Text = 2346, .Hint_Text = 2350},
    {.Col = uOn_Change, .Absent = true},
    {.Col = uOn_CMD, .Absent = true},
    {.Col = uOn_Timer, .Absent = true},
    {.Col = uTime, .Absent = true},
    {.Col = uChannel, .Absent = true},
    {.Col = uSwap, .Hint_Text = 2397},
    {.Col = uSwap_Word, .Hint_Text = 2398},
    {.Col = uMnemonic, .Header_Text = 2328, .Hint_Text = 2332, .Width = 220},
};

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
  TGridDesc G{
      .Grid_Name = Subscribe ? QStringLiteral("ACG_Sub") : QStringLiteral("ACG_Pub"),
      .Sheet_Name = Subscribe ? QStringLiteral("TS_MQTT_Subscribe") : QStringLiteral("TS_MQTT_Publish"),
      .Sheet_Text = Subscribe ? 2334 : 2333,
      .Section = Subscribe ? "MQTT_Subscribe" : "MQTT_Publish",
      .Data_Rows = Data_Rows,
      .Key_Col = cTopic,
      .Columns = Subscribe ? Twin_Columns(Both_Columns(), Subscribe_Diffs) : Twin_Columns(Both_Columns(), Publish_Diffs),
      .Events = {.Click = false},  // no row selection on a click in column 0
  };

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
  return TTableFormDesc{
      .Form_Name = QStringLiteral("FMQTT_Set_Topic"),
      .Client_Width = 1100,
      .Client_Height = 337,
      .File = &TAppState::File_MQTT_Set_Topic,
      .Root = "MQTT_Set_Topic",
      .Version = QStringLiteral("SW_VERSION = 1.000"),
      .Caption_Text = 2300,
      .Desc_Text = 2301,
      .First_Button_Text = 2302,
      .Error_Row_Text = 2351,
      .Delete_Question_Text = 2323,
      .Grids = {Grid_Description(Form, false), Grid_Description(Form, true)},
  };
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
