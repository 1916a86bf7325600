#include "grid/core/column_grid.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "framework/controls/forms.h"
#include "framework/stdctrls/menus.h"
#include "grid/core/control_look.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/foundation/grid_options.h"
#include "grid/view/editor_wrappers.h"
#include "tests/support/test_support.h"

namespace {

class TProbeColumnGrid : public TZavColumnGrid {
public:
  using TZavColumnGrid::TZavColumnGrid;
  using TZavColumnGrid::DoFilterSelect;
  using TZavColumnGrid::DoGetAlignment;
  using TZavColumnGrid::DoGetCellColor;
  using TZavColumnGrid::DoIsFixedCell;
  using TZavColumnGrid::DoIsPasswordCell;
  using TZavColumnGrid::GetCellEditor;
  using TZavColumnGrid::GetCheckFalseText;
  using TZavColumnGrid::GetCheckTrueText;
  using TZavColumnGrid::GetEditLimit;
  using TZavColumnGrid::GetEditMask;
  using TZavColumnGrid::GetFormattedCell;
  using TZavColumnGrid::HasComboEditor;
  using TZavColumnGrid::MouseDown;
  using TZavColumnGrid::QueryCanEdit;
  void Invalidate() override
  {
    ++Repaints;
    TZavColumnGrid::Invalidate();
  }
  int Repaints = 0;
};

class TRecordingMenu : public TPopupMenu {
public:
  using TPopupMenu::TPopupMenu;
  void Popup(int, int) override { ++Shown; }
  int Shown = 0;
};

constexpr TColor RGB(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }

// A table like the S7 read table: the fixed row number, the Enable check box, text, drop-down
// lists, an editable drop-down, and a check box further right.
struct S7LikeGrid : ::testing::Test {
  enum { cNum, cEnable, cAddress, cType, cPosition, cPort, cSwap, cMnemonic, cCount };
  TForm form{nullptr};
  TProbeColumnGrid *g = new TProbeColumnGrid(&form);

  S7LikeGrid()
  {
    g->SetRowCount(6);
    g->SetColCount(cCount);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    struct TCol { const char *header; TEditorType editor; int width; TColor color; TAlignment align; };
    const TCol cols[cCount] = {
        {"N", edNormal, 40, clBtnFace, taLeftJustify},
        {"Enable", edDataCheckBox, 50, RGB(255, 216, 176), taCenter},
        {"PLC Address", edNormal, 100, RGB(224, 250, 254), taLeftJustify},
        {"PLC Type", edComboList, 80, RGB(224, 250, 254), taLeftJustify},
        {"Position", edComboEdit, 60, RGB(252, 214, 244), taLeftJustify},
        {"PLC Port", edNormal, 60, RGB(224, 250, 254), taLeftJustify},
        {"Swap", edDataCheckBox, 40, RGB(255, 255, 168), taCenter},
        {"Mnemonic", edNormal, 204, clWhite, taLeftJustify},
    };
    for (int i = 0; i < cCount; ++i) {
      TGridColumnItem *c = g->Columns()->Items(i);
      c->SetHeader(cols[i].header);
      c->SetEditor(cols[i].editor);
      c->SetWidth(cols[i].width);
      c->SetColor(cols[i].color);
      c->SetAlignment(cols[i].align);
    }
    for (const char *t : {"S7300", "S7400", "S71200"})
      g->Columns()->Items(cType)->ComboItems()->Add(t);
    g->Columns()->Items(cType)->SetDropDownCount(6);
    g->Columns()->Items(cPort)->SetEditLength(5);
    g->Columns()->Items(cMnemonic)->SetReadOnly(true);
    for (int r = 1; r < 6; ++r)
      g->SetCells(cEnable, r, "Y");
  }
  TGridColumnItem *col(int i) { return g->Columns()->Items(i); }
};

TEST_F(S7LikeGrid, ColumnsDeclareHeadersCellsAndWidths)
{
  ASSERT_EQ(g->Columns()->Count(), int(cCount));
  EXPECT_EQ(g->Cells(cAddress, 0), "PLC Address");
  EXPECT_EQ(g->ColumnHeaders()->Count(), int(cCount));
  EXPECT_EQ(g->ColumnHeaders()->Strings(cMnemonic), "Mnemonic");
  EXPECT_EQ(g->ColWidths(cType), 80);
  EXPECT_EQ(col(cType)->Width(), 80);
  EXPECT_EQ(g->ColCount(), int(cCount));
}

TEST_F(S7LikeGrid, EditorKindsAndTheirItemsPerCell)
{
  struct TCase { int c, r; TEditorType editor; bool combo; } cases[] = {
      {cEnable, 2, edDataCheckBox, false}, {cAddress, 2, edNormal, false}, {cType, 2, edComboList, true},
      {cPosition, 2, edComboEdit, true},  {cType, 0, edNone, false},      {cNum, 2, edNone, false},
  };
  for (const auto &k : cases) {
    TEditorType e = edNone;  // what the caller starts from stays for fixed cells
    g->GetCellEditor(k.c, k.r, e);
    EXPECT_EQ(e, k.editor) << k.c << "," << k.r;
    EXPECT_EQ(g->HasComboEditor(k.c, k.r), k.combo) << k.c << "," << k.r;
  }
  TEditorType e = edNormal;
  g->GetCellEditor(cType, 3, e);
  ASSERT_NE(g->Combobox(), nullptr);
  EXPECT_EQ(g->Combobox()->Items()->Text(), col(cType)->ComboItems()->Text());
  EXPECT_EQ(g->Combobox()->DropDownCount(), 6);
  EXPECT_EQ(g->ControlLook()->DropDownCount(), 6);
  // The event sees the column's choice and has the last word.
  g->OnGetEditorType = [](TObject *, int, int, TEditorType &E) { E = (E == edComboList ? edComboEdit : E); };
  g->GetCellEditor(cType, 3, e);
  EXPECT_EQ(e, edComboEdit);
}

TEST_F(S7LikeGrid, DataCheckBoxColumnsAnswerTypeGraphicAndTexts)
{
  g->SetCheckTrue("T");
  g->SetCheckFalse("F");
  struct TCase { int c, r; TCellType type; const char *on, *off; } cases[] = {
      {cEnable, 1, ctDataCheckBox, "Y", "N"}, {cSwap, 5, ctDataCheckBox, "Y", "N"},
      {cEnable, 0, ctEmpty, "T", "F"},        {cAddress, 1, ctEmpty, "Y", "N"},
  };
  for (const auto &k : cases) {
    EXPECT_EQ(g->GetCellType(k.c, k.r), k.type) << k.c << "," << k.r;
    QString on, off;
    g->GetCheckTrueText(k.c, k.r, on);
    g->GetCheckFalseText(k.c, k.r, off);
    EXPECT_EQ(on, k.on) << k.c << "," << k.r;
    EXPECT_EQ(off, k.off) << k.c << "," << k.r;
  }
  TCellGraphic *box = g->GetCellGraphic(cEnable, 2);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->CellType(), ctVirtCheckBox);
  EXPECT_FALSE(box->CellTransparent());
  EXPECT_EQ(g->GetCellGraphic(cEnable, 3), box) << "one shared box";
  g->ControlLook()->SetControlStyle(csFlat);
  EXPECT_TRUE(g->GetCellGraphic(cSwap, 2)->CellTransparent());
  EXPECT_EQ(g->GetCellGraphic(cAddress, 2), nullptr);
  EXPECT_EQ(g->GetCellGraphic(cEnable, 0), nullptr);
  // An event that changes the check text is overruled by the column.
  g->OnGetCheckTrue = [](TObject *, int, int, QString &V) { V = "yes"; };
  QString on;
  g->GetCheckTrueText(cEnable, 2, on);
  EXPECT_EQ(on, "Y");
}

TEST_F(S7LikeGrid, EditRightsFromColumnCellAndEvent)
{
  g->CellProperties(cAddress, 4)->SetReadOnly(true);
  struct TCase { int c, r; bool can; } cases[] = {
      {cNum, 2, false}, {cAddress, 0, false}, {cAddress, 2, true},
      {cMnemonic, 2, false}, {cAddress, 4, false}, {cType, 2, true},
  };
  for (const auto &k : cases) {
    bool can = true;
    g->QueryCanEdit(k.c, k.r, can);
    EXPECT_EQ(can, k.can) << k.c << "," << k.r;
  }
  col(cType)->SetFixed(true);
  bool can = true;
  g->QueryCanEdit(cType, 2, can);
  EXPECT_FALSE(can) << "a fixed column is not edited";
  bool fixed = false;
  g->DoIsFixedCell(cType, 2, fixed);
  EXPECT_TRUE(fixed);
  // The event always runs and may allow the read-only cell.
  g->OnCanEditCell = [](TObject *, int ARow, int ACol, bool &C) { C = C || (ACol == cAddress && ARow == 4); };
  g->QueryCanEdit(cAddress, 4, can);
  EXPECT_TRUE(can);
}

TEST_F(S7LikeGrid, LimitsMaskPasswordAndFormat)
{
  g->SetCol(cPort);
  EXPECT_EQ(g->GetEditLimit(), 5);
  g->SetCol(cAddress);
  EXPECT_EQ(g->GetEditLimit(), 0);

  col(cAddress)->SetEditMask("!999;1;_");
  g->OnGetEditMask = [](TObject *, int, int, QString &V) { V = ""; };
  EXPECT_EQ(g->GetEditMask(cAddress, 2), "!999;1;_") << "an empty answer keeps the column's mask";
  g->OnGetEditMask = [](TObject *, int, int, QString &V) { V = "000"; };
  EXPECT_EQ(g->GetEditMask(cAddress, 2), "000");

  col(cMnemonic)->SetPassword(true);
  bool pw = false;
  g->DoIsPasswordCell(cMnemonic, 2, pw);
  EXPECT_TRUE(pw);

  col(cPort)->SetFloatFormat("%.1f");
  struct TCase { const char *text, *shown; } cases[] = {{"3", "3.0"}, {"2.26", "2.3"}, {"abc", "abc"}, {"", ""}};
  for (const auto &k : cases) {
    g->SetCells(cPort, 2, k.text);
    EXPECT_EQ(g->GetFormattedCell(cPort, 2), k.shown) << k.text;
  }
  g->SetCells(cPort, 2, "7");
  col(cPort)->SetFloatFormat("%d");  // a format that does not fit the value shows the text
  EXPECT_EQ(g->GetFormattedCell(cPort, 2), "7");
}

TEST_F(S7LikeGrid, ColoursFontsAndAlignmentFromTheColumn)
{
  col(cEnable)->HeaderFont()->SetStyle(TFontStyles{fsBold});
  TBrush brush;
  TFont font;
  brush.SetColor(clRed);
  g->DoGetCellColor(cEnable, 2, TGridDrawState(), &brush, &font);
  EXPECT_EQ(brush.Color(), RGB(255, 216, 176));
  EXPECT_FALSE(font.Style().Contains(fsBold));
  brush.SetColor(clRed);
  g->DoGetCellColor(cEnable, 0, TGridDrawState(), &brush, &font);
  EXPECT_EQ(brush.Color(), clRed) << "header cells keep their brush";
  EXPECT_TRUE(font.Style().Contains(fsBold));
  g->CellProperties(cMnemonic, 3)->SetBrushColor(clYellow);
  g->DoGetCellColor(cMnemonic, 3, TGridDrawState(), &brush, &font);
  EXPECT_EQ(brush.Color(), clYellow) << "the cell's own colour wins";

  col(cEnable)->SetHeaderAlignment(taRightJustify);
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  g->DoGetAlignment(cEnable, 2, ha, va);
  EXPECT_EQ(ha, taCenter);
  g->DoGetAlignment(cEnable, 0, ha, va);
  EXPECT_EQ(ha, taRightJustify);

  // New cell properties start from the column.
  TCellProperties *p = g->CellProperties(cEnable, 4);
  EXPECT_EQ(p->Alignment(), taCenter);
  EXPECT_EQ(p->BrushColor(), RGB(255, 216, 176));
}

TEST_F(S7LikeGrid, ItemsFollowTheColumnCount)
{
  g->SetColCount(5);
  EXPECT_EQ(g->Columns()->Count(), 5);
  g->SetColCount(9);
  EXPECT_EQ(g->Columns()->Count(), 9);
  EXPECT_EQ(col(8)->Header(), "") << "a new column starts without header";
  EXPECT_EQ(col(8)->Color(), g->Color()) << "and takes the grid's colour";
  EXPECT_EQ(col(8)->Editor(), edComboEdit) << "and the visuals of the column before it";
  g->Columns()->Delete(8);
  EXPECT_EQ(g->ColCount(), 8) << "removing an item shrinks the grid";
}

TEST_F(S7LikeGrid, MovingAColumnTakesTheWholeItemAlong)
{
  auto &menu = *new TRecordingMenu(&form);
  TGridColumnItem *moved = col(cType);
  moved->SetColumnPopup(&menu);
  moved->SetColumnPopupType(cpAllCellsLClick);
  moved->SetPrintBorderCustom(false);
  moved->SetPrintFontCustom(false);
  int from = -1, to = -1;
  g->OnAfterColumnMoved = [&](TObject *, int F, int T) { from = F; to = T; };
  g->SetCells(cType, 2, "S7300");
  g->MoveColumn(cType, 1);
  EXPECT_EQ(from, int(cType));
  EXPECT_EQ(to, 1);
  TGridColumnItem *at1 = col(1);
  EXPECT_EQ(at1->Header(), "PLC Type");
  EXPECT_EQ(at1->Editor(), edComboList);
  EXPECT_EQ(at1->ComboItems()->Count(), 3);
  EXPECT_EQ(at1->ColumnPopup(), &menu);
  EXPECT_EQ(at1->ColumnPopupType(), cpAllCellsLClick);
  EXPECT_FALSE(at1->PrintBorderCustom());
  EXPECT_FALSE(at1->PrintFontCustom());
  EXPECT_EQ(col(2)->Header(), "Enable");
  EXPECT_EQ(g->Cells(1, 2), "S7300");
  EXPECT_EQ(g->Cells(1, 0), "PLC Type");
  EXPECT_EQ(g->Columns()->Count(), int(cCount));
  EXPECT_FALSE(g->ColumnMoving());
}

// Keys "CP0".."CPn-1" hold the original column of each position.
TEST_F(S7LikeGrid, StoredColumnOrderIsAppliedOnlyWhenComplete)
{
  QTemporaryDir dir;
  const QString file = dir.filePath("cols.ini");
  g->Columns()->SetOrganization();
  QString before;
  for (int i = 0; i < cCount; ++i)
    before += col(i)->Header() + ";";
  struct TCase { const char *keys; bool applied; } cases[] = {
      {"CP0=0\r\nCP1=1\r\n", false},                                                   // missing keys
      {"CP0=0\r\nCP1=0\r\nCP2=1\r\nCP3=3\r\nCP4=4\r\nCP5=5\r\nCP6=6\r\nCP7=7\r\n", false},  // duplicate
      {"CP0=0\r\nCP1=1\r\nCP2=2\r\nCP3=3\r\nCP4=4\r\nCP5=5\r\nCP6=6\r\nCP7=9\r\n", false},  // out of range
      {"CP0=0\r\nCP1=3\r\nCP2=1\r\nCP3=2\r\nCP4=4\r\nCP5=5\r\nCP6=6\r\nCP7=7\r\n", true},
  };
  for (const auto &k : cases) {
    testsupport::WriteBytes(file, QByteArray("[Columns]\r\n") + k.keys);
    g->LoadColumnPositions(file, "Columns");
    QString after;
    for (int i = 0; i < cCount; ++i)
      after += col(i)->Header() + ";";
    if (k.applied)
      EXPECT_EQ(after, "N;PLC Type;Enable;PLC Address;Position;PLC Port;Swap;Mnemonic;");
    else
      EXPECT_EQ(after, before) << k.keys;
  }
  EXPECT_EQ(col(1)->DefIdx(), int(cType)) << "each item remembers its original column";
  // Saving writes the same order back.
  const QString saved = dir.filePath("saved.ini");
  g->SaveColumnPositions(saved, "Columns");
  EXPECT_TRUE(testsupport::ReadBytes(saved).contains("CP1=3"));
}

TEST_F(S7LikeGrid, ColumnPopupShowsOnlyForItsClicks)
{
  auto &menu = *new TRecordingMenu(&form);
  int fired = 0;
  g->OnColumnPopup = [&](TObject *, int, int, TPopupMenu *M) { fired += M == &menu; };
  col(cAddress)->SetColumnPopup(&menu);
  g->SetBounds(0, 0, 800, 200);
  struct TCase { TColumnPopupType type; TMouseButton button; int row; int fired, shown; } cases[] = {
      {cpNormalCellsRClick, mbRight, 0, 1, 0}, {cpNormalCellsRClick, mbRight, 2, 1, 1},
      {cpNormalCellsRClick, mbLeft, 2, 0, 0},  {cpFixedCellsLClick, mbLeft, 0, 1, 1},
      {cpAllCellsRClick, mbRight, 0, 1, 1},    {cpAllCellsLClick, mbRight, 2, 0, 0},
  };
  for (const auto &k : cases) {
    fired = menu.Shown = 0;
    col(cAddress)->SetColumnPopupType(k.type);
    const TRect rc = g->CellRect(cAddress, k.row);
    g->MouseDown(k.button, TShiftState(), rc.Left + 3, rc.Top + 3);
    EXPECT_EQ(fired, k.fired) << int(k.type) << "," << k.row;
    EXPECT_EQ(menu.Shown, k.shown) << int(k.type) << "," << k.row;
  }
}

TEST(ColumnCollection, ItemChangesReachTheGridTheirOwnWay)
{
  TForm form{nullptr};
  auto *g = new TProbeColumnGrid(&form);
  g->SetColCount(3);
  TGridColumnItem *c = g->Columns()->Items(2);
  struct TCase { const char *what; std::function<void()> change; bool repaint; } cases[] = {
      {"combo list", [&] { c->SetEditor(edComboList); }, false},
      {"to check box", [&] { c->SetEditor(edDataCheckBox); }, true},
      {"from check box", [&] { c->SetEditor(edNormal); }, true},
      {"read-only", [&] { c->SetReadOnly(true); }, false},
      {"colour", [&] { c->SetColor(clAqua); }, true},
      {"font size", [&] { c->Font()->SetSize(14); }, true},
      {"alignment", [&] { c->SetAlignment(taRightJustify); }, true},
  };
  for (const auto &k : cases) {
    g->Repaints = 0;
    k.change();
    EXPECT_EQ(g->Repaints > 0, k.repaint) << k.what;
  }
  EXPECT_EQ(c->GetDisplayName(), "Column 2");
  c->SetName("Price");
  EXPECT_EQ(c->GetDisplayName(), "Col 2: Price");
  EXPECT_EQ(g->GetColumnByName("Price"), c);
  EXPECT_EQ(g->Version(), "3.1.3.1");
}

TEST(ColumnCollection, HeadersWithAndWithoutFixedRows)
{
  TForm form{nullptr};
  auto *g = new TProbeColumnGrid(&form);
  g->SetColCount(5);
  g->SetFixedRows(0);
  g->Columns()->Items(1)->SetHeader("Price");
  EXPECT_EQ(g->Cells(1, 0), "");
  EXPECT_EQ(g->ColumnHeaders()->Strings(1), "Price");
  g->ColumnHeaders()->SetText("A\r\nB\r\nC");
  QString headers;
  for (int i = 0; i < 5; ++i)
    headers += g->Columns()->Items(i)->Header() + ";";
  EXPECT_EQ(headers, "A;B;C;;;");
}

TEST(ColumnCollection, AddedItemTakesTheVisualsOfTheLastOne)
{
  TForm form{nullptr};
  auto *g = new TProbeColumnGrid(&form);
  g->SetColCount(3);
  g->SetColor(clCream);
  TGridColumnItem *third = g->Columns()->Items(2);
  third->SetAlignment(taCenter);
  third->SetEditor(edDataCheckBox);
  third->SetCheckTrue("1");
  third->SetReadOnly(true);
  third->SetSpinMax(9);
  third->SetFloatFormat("%.3f");
  third->SetHeader("Third");
  third->SetTag(7);
  third->SetColor(clAqua);
  third->Font()->SetSize(20);
  third->ComboItems()->Add("x");
  TGridColumnItem *fourth = g->Columns()->Add();
  EXPECT_EQ(g->ColCount(), 4);
  EXPECT_EQ(fourth->Alignment(), taCenter);
  EXPECT_EQ(fourth->Editor(), edDataCheckBox);
  EXPECT_EQ(fourth->CheckTrue(), "1");
  EXPECT_TRUE(fourth->ReadOnly());
  EXPECT_EQ(fourth->SpinMax(), 9);
  EXPECT_EQ(fourth->FloatFormat(), "%.3f");
  EXPECT_EQ(fourth->Header(), "");
  EXPECT_EQ(fourth->Tag(), 0);
  EXPECT_EQ(fourth->Color(), clCream);
  EXPECT_EQ(fourth->Font()->Size(), g->Font()->Size());
  EXPECT_EQ(fourth->ComboItems()->Count(), 0);
}

TEST(ColumnCollection, ResetOrganizationRestoresTheRememberedOrder)
{
  TForm form{nullptr};
  auto *g = new TProbeColumnGrid(&form);
  g->SetColCount(3);
  g->SetFixedCols(0);
  const int defIdx[] = {2, 0, 1};
  for (int i = 0; i < 3; ++i) {
    g->Columns()->Items(i)->SetDefIdx(defIdx[i]);
    g->Columns()->Items(i)->SetName(QString::number(defIdx[i]));
  }
  g->Columns()->ResetOrganization();
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(g->Columns()->Items(i)->DefIdx(), i);
  EXPECT_EQ(g->Columns()->Items(0)->Name(), "0");
}

TEST(ColumnCollection, FilterEntryBecomesTheColumnsCondition)
{
  TForm form{nullptr};
  auto *g = new TProbeColumnGrid(&form);
  g->SetColCount(3);
  g->SetAutoFilterDisplay(true);
  TGridColumnItem *c = g->Columns()->Items(2);
  c->Filter()->Add("Big=>100");
  c->Filter()->Add("Small");
  c->SetFilterCaseSensitive(true);
  int done = 0;
  g->OnFilterDone = [&](TObject *) { ++done; };
  g->SetFilterColumn(2);
  g->DoFilterSelect(0);
  EXPECT_EQ(c->Header(), "Big");
  EXPECT_EQ(g->Filter()->ColumnFilter(2)->Condition(), ">100");
  EXPECT_TRUE(g->Filter()->ColumnFilter(2)->CaseSensitive());
  EXPECT_EQ(done, 1);
  EXPECT_EQ(g->FilterColumn(), -1);
}

}  // namespace
