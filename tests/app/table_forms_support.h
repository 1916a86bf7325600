#pragma once
// The access-table forms on the program's main road: a new project with its communication
// settings, rows typed into a form's grids by mouse and keyboard, then "Update Device" with
// the stand-in updater, after which the banks in the project's "bin" folder are compared with
// bytes worked out by hand. One fixture for every table form's end-to-end test.
#include "app/fboot.h"
#include "app/fpargen.h"
#include "app/fproject_dialogs.h"
#include "framework/services/ping.h"
#include "framework/stdctrls/comctrls.h"
#include "framework/testing/input.h"
#include "grid/core/column_grid.h"
#include "grid/view/editor_wrappers.h"
#include "tests/app/shell_test_support.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace shelltest {

// Little-endian bytes of a bank entry, appended field by field.
struct TLEBytes {
  QByteArray Bytes;
  TLEBytes &U8(uint32_t V)
  {
    Bytes.append(char(V & 0xFF));
    return *this;
  }
  TLEBytes &U16(uint32_t V) { return U8(V).U8(V >> 8); }
  TLEBytes &U32(uint32_t V) { return U16(V).U16(V >> 16); }
};

class TableFormsEndToEnd : public LoopbackShellTest {
protected:
  // Start, "New Configuration" with the name typed, then the communication settings saved.
  void Start_New_Project(const QString &Name)
  {
    Start();
    Modal_Actions["FNew_Project"] = [Name](TCustomForm *) {
      SimProcess();
      Type_Text(FNew_Project->E_New_Proj, Name);
      Press_Key(FNew_Project->E_New_Proj, Qt::Key_Return);
    };
    Click(FQuillomarkeFirmWare->Btn_New);
    Project = Projects_Dir() + "/" + Name;
    ASSERT_EQ(AppState().Project_Dir, Project);
    Modal_Actions["FParGen"] = [](TCustomForm *) { Click(FParGen->Btn_OK); };
    Click(FQuillomarkeFirmWare->Btn_Prm_Gen);
    ASSERT_TRUE(QFile::exists(Project + "/ParGen.xml"));
  }

  // "Update Device UDP" to the loopback address with a stand-in updater; the banks are built
  // and written on the way.
  void Update_Device()
  {
    const QString Updater = App_Dir + "/Ethernet_Update.exe";
    WriteBytes(Updater, "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(Updater, QFile::permissions(Updater) | QFileDevice::ExeOwner);
    Modal_Actions["FBoot"] = [](TCustomForm *) {
      for (QChar C : QStringLiteral("127.0.0.1")) {
        SimType(FBoot, QString(C));
        SimProcess();
      }
      Click(FBoot->Btn_Update);
      Click(FBoot->Btn_Cancel);
    };
    Click(FQuillomarkeFirmWare->Btn_CreateBin);
  }

  QByteArray Bank(int N) const { return ReadBytes(Project + QStringLiteral("/bin/bank%1.bin").arg(N)); }

public:

  // The tab of a page control chosen with the mouse.
  static void Click_Tab(TPageControl *Pages, int Index)
  {
    const TRect R = Pages->TabRect(Index);
    SimClick(Pages, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    SimProcess();
  }
  // The centre of a cell, its column first scrolled into view as the user does with the scroll
  // bar (the forms are wider than a small screen).
  static TPoint Cell_Point(TZavStringGrid *Grid, int Col, int Row)
  {
    const int dc = Grid->DisplColIndex(Col);
    TRect R = Grid->CellRect(dc, Row);
    if (R.Width() <= 0 || R.Right > Grid->ClientWidth()) {
      Grid->SetLeftCol(std::max(Grid->FixedCols(), dc));
      SimProcess();
      R = Grid->CellRect(dc, Row);
    }
    return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
  }
  static void Click_Cell(TZavStringGrid *Grid, int Col, int Row)
  {
    const TPoint P = Cell_Point(Grid, Col, Row);
    SimClick(Grid, P.X, P.Y);
    SimProcess();
  }
  // A click on the cell, the text typed and Enter.
  static void Type_Cell(TZavStringGrid *Grid, int Col, int Row, const QString &Text)
  {
    Click_Cell(Grid, Col, Row);
    SimType(Grid, Text);
    SimProcess();
    SimKey(Grid, VK_RETURN);
    SimProcess();
  }

  // A drop-down list cell: a click, the item's first letter typed (the list jumps to the first
  // item with it), the arrow down to the item, Enter.
  static void Pick_Cell(TZavStringGrid *Grid, int Col, int Row, const QString &Item)
  {
    Click_Cell(Grid, Col, Row);
    SimType(Grid, Item.left(1));
    SimProcess();
    TGridCombo *Combo = Grid->Combobox();
    ASSERT_TRUE(Combo && Combo->Visible()) << Item.toStdString();
    for (int I = 0; I < Combo->Items()->Count() && Combo->Text() != Item; ++I) {
      SimKey(Combo, VK_DOWN);
      SimProcess();
    }
    SimKey(Combo, VK_RETURN);
    SimProcess();
  }
  // Row 1 of a column grid: a drop-down list's item picked, any other cell typed.
  static void Enter_Cell(TZavColumnGrid *Grid, int Col, const QString &Text)
  {
    if (Grid->Columns()->Items(Col)->Editor() == edComboList)
      Pick_Cell(Grid, Col, 1, Text);
    else
      Type_Cell(Grid, Col, 1, Text);
  }

  QString Project;
};

}  // namespace shelltest
