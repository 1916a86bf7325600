// The shell on a real X display (Xvfb, Qt's xcb platform, no window manager), driven by the
// server's own pointer and key events: the window system decides where each event goes, with
// the focus it keeps, the grab of an open list and key releases that come after a dialog has
// gone. Skipped unless the tests run on xcb (ctest's app_real_display_tests does that).
#include "app/fboot.h"
#include "app/fpargen.h"
#include "app/fproject_dialogs.h"
#include "ui/lbbutton.h"
#include "framework/controls/clipboard.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/testing/x11/x11_input.h"
#include "grid/core/aux_controls.h"
#include "grid/core/column_grid.h"
#include "grid/foundation/grid_options.h"
#include "grid/view/editor_wrappers.h"
#include "tables/fbacnet_eng_unit.h"
#include "tables/fbacnet_slave_set_access.h"
#include "tables/fmqtt_set_topic.h"
#include "tables/fs7_protocol_set_access.h"
#include "tables/ftopic_template.h"
#include "tests/app/shell_test_support.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QProcess>
#include <QStandardPaths>
#include <QWindow>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

using namespace shelltest;

namespace {

class RealDisplay : public ShellTest {
protected:
  void SetUp() override
  {
    if (!XInputAvailable()) GTEST_SKIP() << "needs Qt's xcb platform on an X server with XTEST";
    ShellTest::SetUp();
    if (!TIcmpEchoTransport::Available())
      SetEchoTransportFactory([] { return std::make_unique<TLoopbackOnlyTransport>(); });
  }
  void TearDown() override
  {
    if (!XInputAvailable()) return;
    ShellTest::TearDown();
    SetEchoTransportFactory({});
  }

  // The form is on the screen and has the keyboard.
  static bool Wait_Active(TCustomForm *Form)
  {
    return SimWaitFor([Form] {
      QWidget *W = Form->Handle();
      return W->isActiveWindow() && W->windowHandle() && W->windowHandle()->isExposed();
    });
  }

  static void Click_Middle(TControl *Control) { XClick(Control, Control->Width() / 2, Control->Height() / 2); }

  static void Click_Cell(TZavStringGrid *Grid, int Col, int Row)
  {
    const TRect R = Grid->CellRect(Grid->DisplColIndex(Col), Row);
    XClick(Grid, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    XSettle();
  }

  // The main window with a project open.
  void Start_With_Project(const QString &Name)
  {
    Make_Project(Name);
    Write_Settings(Settings_Xml(Name));
    Start();
    ASSERT_TRUE(Wait_Active(FQuillomarkeFirmWare));
  }
};

TEST_F(RealDisplay, NewProjectWithEnterIsCreatedOnceWithNoSecondDialog)
{
  Start();
  ASSERT_TRUE(Wait_Active(FQuillomarkeFirmWare));
  int Dialogs = 0;
  Modal_Actions["FNew_Project"] = [&](TCustomForm *Form) {
    // A second dialog is the fault; left alone, it is closed as cancelled.
    if (++Dialogs > 1) return;
    ASSERT_TRUE(Wait_Active(Form));
    XType("Plant1");
    EXPECT_EQ(FNew_Project->E_New_Proj->Text(), "Plant1");
    // Enter closes the dialog; the key comes up at "New Configuration" afterwards.
    XKey(VK_RETURN);
    EXPECT_EQ(Form->ModalResult(), mrOk);
  };
  Click_Middle(FQuillomarkeFirmWare->Btn_New);
  XSettle();
  EXPECT_EQ(Dialogs, 1);
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(AppState().Project_Name, "Plant1");
  EXPECT_TRUE(QDir(Projects_Dir() + "/Plant1/bin").exists());
}

TEST_F(RealDisplay, SettingsFormTakesOkAfterAListWasOpenedWithTheMouse)
{
  Start_With_Project("Plant1");
  TModalResult Result = mrNone;
  Modal_Actions["FParGen"] = [&](TCustomForm *Form) {
    ASSERT_TRUE(Wait_Active(Form));
    XClick(FParGen->CB_MQTT_WillFlag, 6, 8);
    TComboBox *QoS = FParGen->CB_MQTT_Will_QoS;
    ASSERT_TRUE(QoS->Visible());

    // Opened with the mouse, closed with Esc.
    Click_Middle(QoS);
    ASSERT_TRUE(SimWaitFor([QoS] { return QoS->DroppedDown(); }));
    XKey(VK_ESCAPE);
    EXPECT_TRUE(SimWaitFor([QoS] { return !QoS->DroppedDown(); }));

    // Opened again and an item chosen with the mouse.
    Click_Middle(QoS);
    ASSERT_TRUE(SimWaitFor([QoS] { return QoS->DroppedDown(); }));
    QAbstractItemView *View = qobject_cast<QComboBox *>(QoS->Handle())->view();
    const QPoint Item = View->viewport()->mapToGlobal(View->visualRect(View->model()->index(2, 0)).center());
    XClickAt(Item.x(), Item.y());
    EXPECT_TRUE(SimWaitFor([QoS] { return !QoS->DroppedDown(); }));
    EXPECT_EQ(QoS->ItemIndex(), 2);

    // OK takes the click: the list does not open again.
    Click_Middle(FParGen->Btn_OK);
    EXPECT_FALSE(QoS->DroppedDown());
    Result = Form->ModalResult();
  };
  Click_Middle(FQuillomarkeFirmWare->Btn_Prm_Gen);
  EXPECT_EQ(Result, mrOk);
  EXPECT_TRUE(ReadBytes(Projects_Dir() + "/Plant1/ParGen.xml").contains("<MQTT_Will_QoS>2</MQTT_Will_QoS>"));
}

// Enabled once the updater's wait drops the input that arrives while it runs.
TEST_F(RealDisplay, ASecondClickOnTheGreyedExecuteStartsNoSecondUpdate)
{
  // The stand-in updater notes each run and takes a while.
  const QString Updater = App_Dir + "/Ethernet_Update.exe";
  const QString Runs = App_Dir + "/runs.txt";
  WriteBytes(Updater, "#!/bin/sh\necho run >> \"$(dirname \"$0\")/runs.txt\"\nsleep 2\n");
  QFile::setPermissions(Updater, QFile::permissions(Updater) | QFileDevice::ExeOwner);
  Start_With_Project("Plant1");
  Modal_Actions["FParGen"] = [](TCustomForm *) { Click(FParGen->Btn_OK); };
  Click_Middle(FQuillomarkeFirmWare->Btn_Prm_Gen);
  ASSERT_TRUE(QFile::exists(Projects_Dir() + "/Plant1/ParGen.xml"));

  Modal_Actions["FBoot"] = [&](TCustomForm *Form) {
    ASSERT_TRUE(Wait_Active(Form));
    XType("127.0.0.1");
    ASSERT_EQ(FBoot->E_IP4->Text(), "1");
    // While the updater runs, the user clicks the greyed Execute once more.
    const TPoint Execute = FBoot->Btn_Update->ClientToScreen(TPoint(FBoot->Btn_Update->Width() / 2, 10));
    std::atomic<bool> Stop{false};
    std::thread User([&] {
      while (!Stop && !QFile::exists(Runs)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      if (Stop) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      XClickAtFromAnyThread(Execute.X, Execute.Y);
    });
    XClickAt(Execute.X, Execute.Y);
    Stop = true;
    User.join();
    XSettle();
    Click_Middle(FBoot->Btn_Cancel);
  };
  Click_Middle(FQuillomarkeFirmWare->Btn_CreateBin);
  for (const TShownBox &B : Boxes) ADD_FAILURE() << "message box: " << B.Text.toStdString();
  EXPECT_EQ(ReadBytes(Runs), "run\n");
}

// The S7 read table filled by the server's own pointer and keys: text typed, list items chosen
// by their first letter and the arrow, OK with the mouse; the file holds the row.
TEST_F(RealDisplay, S7RowTypedAndPickedIsSavedOnOk)
{
  Start_With_Project("Plant1");
  TFS7_Protocol_Set_Access *F = FS7_Protocol_Set_Access;
  TModalResult Result = mrNone;
  Modal_Actions["FS7_Protocol_Set_Access"] = [&](TCustomForm *Form) {
    ASSERT_TRUE(Wait_Active(Form));
    TZavColumnGrid *G = F->ACG_S7_Read;
    using namespace s7cols;
    const struct {
      int Col;
      const char *Text;
    } Row[] = {{cPLC_Address, "192.168.1.10"}, {cPLC_Port, "102"}, {cPLC_Type, "S71500"}, {cRack, "0"},
               {cSlot, "1"}, {cData_Type, "Int"}, {cData_Identifier, "DB"}, {cDB_Number, "5"},
               {cPLC_Area, "Inputs (I)"}, {cPLC_Add, "8"}, {cPLC_Bit, "0"}, {cPoll_Time, "1000"},
               {cRead_Position, "12"}, {cRead_Start_Bit, "3"}};
    for (const auto &C : Row) {
      const QString Text = QString::fromUtf8(C.Text);
      Click_Cell(G, C.Col, 1);
      if (G->Columns()->Items(C.Col)->Editor() == edComboList) {
        XType(Text.left(1));
        XSettle();
        TGridCombo *Combo = G->Combobox();
        ASSERT_TRUE(Combo && Combo->Visible()) << C.Col;
        for (int I = 0; I < Combo->Items()->Count() && Combo->Text() != Text; ++I) {
          XKey(VK_DOWN);
          XSettle();
        }
      } else {
        XType(Text);
      }
      XKey(VK_RETURN);
      XSettle();
      EXPECT_EQ(G->Cells(C.Col, 1).toStdString(), C.Text) << C.Col;
    }
    Click_Middle(F->Btn_OK);
    XSettle();
    Result = Form->ModalResult();
  };
  Click_Middle(FQuillomarkeFirmWare->Btn_S7_Protocol_Access);
  for (const TShownBox &B : Boxes) ADD_FAILURE() << "message box: " << B.Text.toStdString();
  EXPECT_EQ(Result, mrOk);
  const QByteArray File = ReadBytes(Projects_Dir() + "/Plant1/S7_Protocol.xml");
  EXPECT_TRUE(File.contains("<S7_Protocol_Read><row Enable=\"Y\" PLC_Address=\"192.168.1.10\" PLC_Port=\"102\" "
                            "PLC_Type=\"S71500\" Rack=\"0\" Slot=\"1\" Data_Type=\"Int\""))
      << File.toStdString();
}

// The template editor opens modally from inside the grid's double-click; typing goes to its edit
// box and the first click on its OK takes the text, line break included, into the cell.
TEST_F(RealDisplay, TemplateWrittenInTheEditorOpenedByADoubleClickReachesTheCell)
{
  Start_With_Project("Plant2");
  TFMQTT_Set_Topic *F = FMQTT_Set_Topic;
  QString Cell;
  bool Editor_Shown = false;
  Modal_Actions["FTopicTemplate"] = [&](TCustomForm *Form) {
    ASSERT_TRUE(Wait_Active(Form));
    Editor_Shown = true;
    XType(QStringLiteral("{"));
    XKey(VK_RETURN);
    XType(QStringLiteral("$VALUE$"));
    XSettle();
    Click_Middle(FTopicTemplate->Btn_OK);
    XSettle();
  };
  Modal_Actions["FMQTT_Set_Topic"] = [&](TCustomForm *Form) {
    ASSERT_TRUE(Wait_Active(Form));
    TZavColumnGrid *P = F->ACG_Pub;
    const int Col = P->DisplColIndex(mqttcols::cPub_Template);
    if (P->CellRect(Col, 1).Right > P->ClientWidth()) {
      P->SetLeftCol(Col);
      XSettle();
    }
    const TRect R = P->CellRect(Col, 1);
    XClick(P, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    XClick(P, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    XSettle();
    Cell = P->Cells(mqttcols::cPub_Template, 1);
    Click_Middle(F->Btn_Cancel);
    XSettle();
  };
  Click_Middle(FQuillomarkeFirmWare->Btn_MQTT_Set_Topic);
  for (const TShownBox &B : Boxes) ADD_FAILURE() << "message box: " << B.Text.toStdString();
  EXPECT_TRUE(Editor_Shown);
  EXPECT_EQ(Cell.toStdString(), "{\r\n$VALUE$");
}

// Quick keys in a list-only cell spell the item, whether the first key opens the editor or it
// is open already; the pause between keys is the type-ahead clock's, not the wall clock's.
TEST_F(RealDisplay, S7PositionTypedQuicklyIsTheNumberTyped)
{
  uint32_t Tick = 100000;
  struct TClockGuard {
    std::function<uint32_t()> Old;
    ~TClockGuard() { TCustomComboBox::SetTypeAheadClock(std::move(Old)); }
  } Guard{TCustomComboBox::SetTypeAheadClock([&Tick] { return Tick += 10; })};
  Start_With_Project("Plant4");
  TFS7_Protocol_Set_Access *F = FS7_Protocol_Set_Access;
  Modal_Actions["FS7_Protocol_Set_Access"] = [&](TCustomForm *Form) {
    ASSERT_TRUE(Wait_Active(Form));
    TZavColumnGrid *G = F->ACG_S7_Read;
    const int Col = s7cols::cRead_Position;
    if (G->CellRect(G->DisplColIndex(Col), 1).Right > G->ClientWidth()) {
      G->SetLeftCol(G->DisplColIndex(Col));
      XSettle();
    }
    const struct {
      bool Editor_Open;
      const char *Keys;
    } Cases[] = {{false, "120"}, {true, "12"}, {false, "149"}};
    for (const auto &C : Cases) {
      SCOPED_TRACE(std::string(C.Keys) + (C.Editor_Open ? " editor open" : " editor closed"));
      Click_Cell(G, Col, 1);
      if (C.Editor_Open) {
        XKey(VK_F2);
        XSettle();
        ASSERT_TRUE(G->Combobox()->Visible());
      }
      Tick += 5000;  // a pause before each case
      XType(QString::fromLatin1(C.Keys));
      XSettle();
      XKey(VK_RETURN);
      XSettle();
      EXPECT_EQ(G->Cells(Col, 1).toStdString(), C.Keys);
    }
    Click_Middle(F->Btn_Cancel);
    XSettle();
  };
  Click_Middle(FQuillomarkeFirmWare->Btn_S7_Protocol_Access);
}

// An edit combo's dropped list, of one, two or many items: a click on an item, or Down and
// Return, picks it and closes the list; the edit's end puts it in the cell.
TEST_F(RealDisplay, DroppedEditComboListPicksByPointerAndByKeys)
{
  TForm Form(nullptr);
  Form.SetBounds(100, 100, 500, 400);
  auto *G = new TZavStringGrid(&Form);
  G->SetParent(&Form);
  G->SetBounds(0, 0, 400, 300);
  G->SetColCount(3);
  G->SetRowCount(4);
  G->SetOptions(G->Options() + goEditing);
  int Count = 0;
  G->OnGetEditorType = [&](TObject *, int ACol, int, TEditorType &AEditor) {
    if (ACol != 1) return;
    AEditor = edComboEdit;
    G->ClearComboString();
    for (int I = 0; I < Count; ++I) G->AddComboString(I == 0 ? QStringLiteral("$VALUE$") : QStringLiteral("Item %1").arg(I));
  };
  Form.Show();
  ASSERT_TRUE(Wait_Active(&Form));
  const auto Item = [](int I) { return I == 0 ? QStringLiteral("$VALUE$") : QStringLiteral("Item %1").arg(I); };
  const struct {
    int Count;
    bool By_Pointer;
    int Picked;
  } Cases[] = {{1, true, 0}, {1, false, 0}, {2, true, 1}, {2, false, 0}, {6, true, 4}, {6, false, 0}};
  for (const auto &C : Cases) {
    SCOPED_TRACE(std::to_string(C.Count) + (C.By_Pointer ? " items, by pointer" : " items, by keys"));
    Count = C.Count;
    G->SetCells(1, 1, QString());
    Click_Cell(G, 1, 1);
    XKey(VK_F2);
    XSettle();
    TGridCombo *Combo = G->Combobox();
    ASSERT_TRUE(Combo->Visible());
    XClick(Combo, Combo->Width() - 6, Combo->Height() / 2);
    XSettle();
    ASSERT_TRUE(Combo->DroppedDown());
    if (C.By_Pointer) {
      QAbstractItemView *View = qobject_cast<QComboBox *>(Combo->Handle())->view();
      const QPoint At = View->viewport()->mapToGlobal(View->visualRect(View->model()->index(C.Picked, 0)).center());
      XClickAt(At.x(), At.y());
    } else {
      XKey(VK_DOWN);
      XSettle();
      XKey(VK_RETURN);
    }
    XSettle();
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->Text(), Item(C.Picked));
    XKey(VK_RETURN);
    XSettle();
    EXPECT_EQ(G->Cells(1, 1), Item(C.Picked));
    if (Combo->Visible()) {
      XKey(VK_ESCAPE);
      XSettle();
    }
  }
}

// The MQTT form's one template: a click picks it.
TEST_F(RealDisplay, MqttTemplateListItemIsPickedByAClick)
{
  Start_With_Project("Plant3");
  TFMQTT_Set_Topic *F = FMQTT_Set_Topic;
  QString Cell;
  Modal_Actions["FMQTT_Set_Topic"] = [&](TCustomForm *Form) {
    ASSERT_TRUE(Wait_Active(Form));
    TZavColumnGrid *P = F->ACG_Pub;
    const int Col = P->DisplColIndex(mqttcols::cPub_Template);
    if (P->CellRect(Col, 1).Right > P->ClientWidth()) {
      P->SetLeftCol(Col);
      XSettle();
    }
    Click_Cell(P, mqttcols::cPub_Template, 1);
    XKey(VK_F2);
    XSettle();
    TGridCombo *Combo = P->Combobox();
    ASSERT_TRUE(Combo->Visible());
    XClick(Combo, Combo->Width() - 6, Combo->Height() / 2);
    XSettle();
    ASSERT_TRUE(Combo->DroppedDown());
    QAbstractItemView *View = qobject_cast<QComboBox *>(Combo->Handle())->view();
    const QPoint At = View->viewport()->mapToGlobal(View->visualRect(View->model()->index(0, 0)).center());
    XClickAt(At.x(), At.y());
    XSettle();
    EXPECT_FALSE(Combo->DroppedDown());
    XKey(VK_RETURN);
    XSettle();
    Cell = P->Cells(mqttcols::cPub_Template, 1);
    Click_Middle(F->Btn_Cancel);
    XSettle();
  };
  Click_Middle(FQuillomarkeFirmWare->Btn_MQTT_Set_Topic);
  EXPECT_EQ(Cell.toStdString(), "$VALUE$");
}

// The pointer resting on a column header shows the column's hint, as on the form's buttons.
TEST_F(RealDisplay, RestingOnAColumnHeaderShowsItsHint)
{
  Start_With_Project("Plant5");
  TFS7_Protocol_Set_Access *F = FS7_Protocol_Set_Access;
  QString Expected, Shown;
  Modal_Actions["FS7_Protocol_Set_Access"] = [&](TCustomForm *Form) {
    ASSERT_TRUE(Wait_Active(Form));
    TZavColumnGrid *G = F->ACG_S7_Read;
    const int Col = G->DisplColIndex(s7cols::cPLC_Address);
    G->OnGridHint(G, 0, Col, Expected);
    const TRect R = G->CellRect(Col, 0);
    XMoveTo(G, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    XSettle();
    SimWaitFor([] { return Application->HintWindow() != nullptr; }, 3000);
    if (THintWindow *W = Application->HintWindow()) Shown = W->Caption();
    Click_Middle(F->Btn_Cancel);
    XSettle();
  };
  Click_Middle(FQuillomarkeFirmWare->Btn_S7_Protocol_Access);
  EXPECT_FALSE(Expected.isEmpty());
  EXPECT_EQ(Shown.toStdString(), Expected.toStdString());
}

// A header's filter glyph opens the check list inside the grid; the pointer's clicks on its
// boxes reach it (no grab is left behind by the release that opened it), each check filters,
// and a click on the grid closes it.
TEST_F(RealDisplay, FilterCheckListOpenedFromTheHeaderFiltersByPointer)
{
  TForm Form(nullptr);
  Form.SetBounds(100, 100, 500, 400);
  auto *G = new TZavStringGrid(&Form);
  G->SetParent(&Form);
  G->SetBounds(0, 0, 400, 300);
  G->SetColCount(3);
  G->SetRowCount(7);
  const char *Cities[] = {"Berlin", "New York", "Paris", "Berlin", "New York", "Rome"};
  for (int R = 1; R <= 6; ++R)
    G->SetCells(1, R, QString::fromUtf8(Cities[R - 1]));
  G->SetFilterDropDownAuto(true);
  G->SetFilterDropDownCheck(true);
  Form.Show();
  ASSERT_TRUE(Wait_Active(&Form));
  TDropCheckList *Checks = nullptr;
  for (int I = 0; I < G->ComponentCount() && !Checks; ++I)
    Checks = dynamic_cast<TDropCheckList *>(G->Components(I));
  ASSERT_NE(Checks, nullptr);
  const auto Shown = [G] {
    QStringList S;
    for (int R = 1; R < G->RowCount(); ++R)
      S << G->Cells(1, R);
    return S;
  };
  const auto Click_Box = [Checks](int I) {
    const TRect R = Checks->ItemRect(I);
    XClick(Checks, R.Left + 8, (R.Top + R.Bottom) / 2);
    XSettle();
  };

  const TRect H = G->CellRect(1, 0);
  XClick(G, H.Right - 8, H.Top + 6);
  XSettle();
  ASSERT_TRUE(Checks->Visible());
  Click_Box(2);  // "New York"
  EXPECT_EQ(Shown(), QStringList({"New York", "New York"}));
  Click_Box(4);  // "Rome"
  EXPECT_EQ(Shown(), QStringList({"New York", "New York", "Rome"}));
  EXPECT_TRUE(Checks->Visible());

  XClick(G, 5, G->ClientHeight() - 10);
  XSettle();
  EXPECT_FALSE(Checks->Visible());
  EXPECT_EQ(G->FilterColumn(), -1);
}

// The unit picker opened by a double-click on an Eng. Unit cell, a category and a unit chosen
// in its lists with the pointer, "Select Engineering Unit" and OK: the code is in the cell.
TEST_F(RealDisplay, BACnetUnitChosenByPointerInThePickerReachesTheCell)
{
  Start_With_Project("Plant4");
  TFBACnetSlaveSetAccess *F = FBACnetSlaveSetAccess;
  using namespace bacnetcols;
  // Opens a list with the pointer and clicks its item Index.
  auto Pick = [](TComboBox *List, int Index) {
    Click_Middle(List);
    ASSERT_TRUE(SimWaitFor([List] { return List->DroppedDown(); }));
    QAbstractItemView *View = qobject_cast<QComboBox *>(List->Handle())->view();
    const QPoint At = View->viewport()->mapToGlobal(View->visualRect(View->model()->index(Index, 0)).center());
    XClickAt(At.x(), At.y());
    EXPECT_TRUE(SimWaitFor([List] { return !List->DroppedDown(); }));
    EXPECT_EQ(List->ItemIndex(), Index);
  };
  QString Shown, Cell;
  Modal_Actions["FBACnet_Eng_Unit"] = [&](TCustomForm *Form) {
    ASSERT_TRUE(Wait_Active(Form));
    TFBACnet_Eng_Unit *P = FBACnet_Eng_Unit;
    Shown = P->E_Selected_EU->Text() + "|" + P->Label5->Caption();
    Pick(P->CB_Select_Type, P->CB_Select_Type->Items()->IndexOf(QStringLiteral("Temperature")));
    Pick(P->CB_Select_Unit, P->CB_Select_Unit->Items()->IndexOf(QStringLiteral("degrees-Fahrenheit")));
    Click_Middle(P->Btn_Select_Eng_Unit);
    XSettle();
    EXPECT_EQ(P->E_Selected_EU->Text(), "64");
    EXPECT_EQ(P->Label5->Caption(), "-> degrees-Fahrenheit");
    Click_Middle(P->Btn_OK);
    XSettle();
  };
  Modal_Actions["FBACnetSlaveSetAccess"] = [&](TCustomForm *Form) {
    ASSERT_TRUE(Wait_Active(Form));
    TZavColumnGrid *G = F->ACG_BACnet_in_Read;
    G->SetCells(cEng_Unit, 2, QStringLiteral("62"));
    const TRect R = G->CellRect(G->DisplColIndex(cEng_Unit), 2);
    XClick(G, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    XClick(G, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    XSettle();
    Cell = G->Cells(cEng_Unit, 2);
    Click_Middle(F->Btn_Cancel);
    XSettle();
  };
  FQuillomarkeFirmWare->Btn_BACnet_SetAccess->OnClick(FQuillomarkeFirmWare->Btn_BACnet_SetAccess);
  for (const TShownBox &B : Boxes) ADD_FAILURE() << "message box: " << B.Text.toStdString();
  EXPECT_EQ(Shown, "62|-> degrees-Celsius");
  EXPECT_EQ(Cell, "64");
}

}  // namespace

namespace {

// Runs xclip with Args, Input on its standard input, while the event loop goes on serving our
// side of the selection; its standard output.
QByteArray Run_Xclip(const QStringList &Args, const QByteArray &Input = {})
{
  QProcess P;
  P.start(QStringLiteral("xclip"), Args);
  if (!P.waitForStarted(5000))
    return "xclip did not start";
  if (!Input.isNull())
    P.write(Input);
  P.closeWriteChannel();
  SimWaitFor([&P] { return P.state() == QProcess::NotRunning; }, 10000);
  return P.readAllStandardOutput();
}

}  // namespace

// Ctrl+C in a grid reaches other programs as tabbed text and as an HTML table; text another
// program put on the clipboard pastes with Ctrl+V.
TEST_F(RealDisplay, GridCellsGoToAndComeFromOtherProgramsThroughTheClipboard)
{
  if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
    GTEST_SKIP() << "needs xclip";
  TForm Form(nullptr);
  Form.SetBounds(100, 100, 500, 400);
  auto *G = new TZavStringGrid(&Form);
  G->SetParent(&Form);
  G->SetBounds(0, 0, 400, 300);
  G->SetColCount(4);
  G->SetRowCount(8);
  // No in-place editor, which would take the shortcuts for its own text.
  G->SetOptions(G->Options() - goEditing + goRangeSelect);
  G->Navigation()->SetAllowClipboardAlways(true);
  G->Navigation()->SetAllowClipboardShortCuts(true);
  G->SetCells(1, 1, QStringLiteral("Gr\u00fc\u00dfe"));
  G->SetCells(2, 1, "a<b");
  G->SetCells(1, 2, "x\r\ny");
  G->SetCells(2, 2, "42");
  Form.Show();
  ASSERT_TRUE(Wait_Active(&Form));
  Click_Cell(G, 1, 1);
  G->SetSelection(TGridRect(1, 1, 2, 2));
  XSettle();
  ASSERT_EQ(G->Selection(), TGridRect(1, 1, 2, 2));
  XKeyDown(VK_CONTROL);
  XKey('C');
  XKeyUp(VK_CONTROL);
  XSettle();
  EXPECT_EQ(QString::fromUtf8(Run_Xclip({"-o", "-selection", "clipboard"})).toStdString(),
            QStringLiteral("Gr\u00fc\u00dfe\ta<b\r\n\"x\ny\"\t42\r\n").toStdString());
  EXPECT_EQ(QString::fromUtf8(Run_Xclip({"-o", "-selection", "clipboard", "-t", "text/html"})).toStdString(),
            QStringLiteral("<table><tr><td>Gr\u00fc\u00dfe</td><td>a&lt;b</td></tr>"
                           "<tr><td>x<br>y</td><td>42</td></tr></table>").toStdString());

  // A spreadsheet's copy: LF lines, a quoted multi-line cell.
  Run_Xclip({"-i", "-selection", "clipboard"}, QByteArray("p\t\"q\nr\"\ns\tt\n"));
  ASSERT_TRUE(SimWaitFor([] { return ClipboardText().startsWith('p'); }));
  Click_Cell(G, 1, 5);
  XKeyDown(VK_CONTROL);
  XKey('V');
  XKeyUp(VK_CONTROL);
  XSettle();
  EXPECT_EQ(G->Cells(1, 5), "p");
  EXPECT_EQ(G->Cells(2, 5), "q\r\nr");
  EXPECT_EQ(G->Cells(1, 6), "s");
  EXPECT_EQ(G->Cells(2, 6), "t");
  // Taking the clipboard back ends the xclip that served it.
  SetClipboardText(QString());
  XSettle();
}
