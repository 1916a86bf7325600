#include "grid/core/zav_string_grid.h"

#include <gtest/gtest.h>

#include "grid/core/control_look.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/undo.h"

namespace {

// Column 3 shows one shared virtual check box per normal row, as a column grid does for its
// data check-box columns: no cell owns it.
class TCheckGrid : public TZavStringGrid {
public:
  explicit TCheckGrid(TComponent *AOwner) : TZavStringGrid(AOwner) { FVirt.SetCellType(ctVirtCheckBox); }
  using TZavStringGrid::DoToggleCheckBox;
  using TZavStringGrid::DoToggleRadioButton;
  static constexpr int VirtCol = 3;
  TCellGraphic *GetCellGraphic(int ACol, int ARow) override
  {
    if (ACol == VirtCol && ARow >= FixedRows())
      return &FVirt;
    return TZavStringGrid::GetCellGraphic(ACol, ARow);
  }

private:
  TCellGraphic FVirt;
};

enum class Kind { Plain, Data, Virtual, TriState };

const char *Name(Kind k)
{
  switch (k) {
  case Kind::Plain:
    return "plain";
  case Kind::Data:
    return "data";
  case Kind::Virtual:
    return "virtual";
  default:
    return "tri-state";
  }
}

struct CheckBoxes : ::testing::Test {
  TCheckGrid grid{nullptr};
  QStringList changes;

  CheckBoxes()
  {
    grid.SetColCount(5);
    grid.SetRowCount(6);
    grid.OnCheckBoxChange = [this](TObject *, int ACol, int ARow, bool State) {
      changes << QStringLiteral("%1,%2=%3").arg(ACol).arg(ARow).arg(State);
    };
  }

  // Column 1 plain, 2 data, 3 virtual, 4 tri-state; returns the column of the kind.
  int Put(Kind k, int ARow, bool State)
  {
    switch (k) {
    case Kind::Plain:
      grid.AddCheckBox(1, ARow, State, false);
      return 1;
    case Kind::Data:
      grid.AddCheckBox(2, ARow, State, true);
      return 2;
    case Kind::Virtual:
      grid.SetCells(TCheckGrid::VirtCol, ARow, State ? QStringLiteral("Y") : QStringLiteral("N"));
      return TCheckGrid::VirtCol;
    default:
      grid.AddCheckBox(4, ARow, State ? cbChecked : cbUnchecked);
      return 4;
    }
  }
};

} // namespace

TEST_F(CheckBoxes, TextBoxesAreCheckedExactlyByTheCheckTrueText)
{
  const struct { QString text; bool checked; } cases[] = {
      {"Y", true}, {"N", false}, {"y", false}, {"", false}, {"Yes", false}, {"Y ", false}};
  for (Kind k : {Kind::Data, Kind::Virtual}) {
    const int col = Put(k, 1, false);
    for (const auto &c : cases) {
      grid.SetCells(col, 1, c.text);
      bool state = !c.checked;
      EXPECT_TRUE(grid.GetCheckBoxState(col, 1, state)) << Name(k) << " '" << qPrintable(c.text) << "'";
      EXPECT_EQ(state, c.checked) << Name(k) << " '" << qPrintable(c.text) << "'";
      EXPECT_EQ(grid.IsChecked(col, 1), c.checked) << Name(k);
      TCheckBoxState tri = cbGrayed;
      EXPECT_TRUE(grid.GetCheckBoxState(col, 1, tri));
      EXPECT_EQ(tri, c.checked ? cbChecked : cbUnchecked);
    }
  }
}

TEST_F(CheckBoxes, CheckTextsComeFromTheGridOrItsEvents)
{
  grid.SetCheckTrue(QStringLiteral("Ja"));
  grid.SetCheckFalse(QStringLiteral("Nein"));
  grid.AddCheckBox(2, 1, true, true);
  EXPECT_EQ(grid.Cells(2, 1), QStringLiteral("Ja"));
  grid.SetCheckBoxState(2, 1, false);
  EXPECT_EQ(grid.Cells(2, 1), QStringLiteral("Nein"));

  // A per-cell text decides the state and is written by the state accessors; adding a box
  // still keeps only the grid's own texts.
  grid.OnGetCheckTrue = [](TObject *, int ACol, int, QString &Value) {
    if (ACol == TCheckGrid::VirtCol)
      Value = QStringLiteral("X");
  };
  grid.SetCells(TCheckGrid::VirtCol, 2, QStringLiteral("Ja"));
  EXPECT_FALSE(grid.IsChecked(TCheckGrid::VirtCol, 2));
  grid.SetCheckBoxState(TCheckGrid::VirtCol, 2, true);
  EXPECT_EQ(grid.Cells(TCheckGrid::VirtCol, 2), QStringLiteral("X"));
  EXPECT_TRUE(grid.IsChecked(TCheckGrid::VirtCol, 2));
}

TEST_F(CheckBoxes, AddingADataBoxKeepsACheckTextAndReplacesAnyOther)
{
  const struct { QString before; bool state; QString after; } cases[] = {
      {"N", true, "N"}, {"Y", false, "Y"}, {"abc", true, "Y"}, {"", false, "N"}, {"y", false, "N"}};
  for (const auto &c : cases) {
    grid.SetCells(2, 1, c.before);
    grid.AddCheckBox(2, 1, c.state, true);
    EXPECT_EQ(grid.Cells(2, 1), c.after) << qPrintable(c.before) << " " << c.state;
    EXPECT_EQ(grid.GetCellType(2, 1), ctDataCheckBox);
  }
  // A plain box keeps its state in the graphic and leaves the text alone.
  grid.SetCells(1, 1, QStringLiteral("abc"));
  grid.AddCheckBox(1, 1, true, false);
  EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("abc"));
  EXPECT_TRUE(grid.IsChecked(1, 1));
}

TEST_F(CheckBoxes, SetStateStoresWhereEachKindKeepsItWithoutEvents)
{
  for (Kind k : {Kind::Plain, Kind::Data, Kind::Virtual}) {
    const int col = Put(k, 2, false);
    const QString textBefore = grid.Cells(col, 2);
    for (bool s : {true, false, true}) {
      EXPECT_TRUE(grid.SetCheckBoxState(col, 2, s)) << Name(k);
      EXPECT_EQ(grid.IsChecked(col, 2), s) << Name(k);
      if (k == Kind::Plain)
        EXPECT_EQ(grid.Cells(col, 2), textBefore);
      else
        EXPECT_EQ(grid.Cells(col, 2), s ? QStringLiteral("Y") : QStringLiteral("N")) << Name(k);
    }
    // The three-state writer is for tri-state boxes only.
    EXPECT_FALSE(grid.SetCheckBoxState(col, 2, cbGrayed)) << Name(k);
  }
  EXPECT_TRUE(changes.isEmpty()) << qPrintable(changes.join(' '));

  const int tri = Put(Kind::TriState, 2, false);
  EXPECT_TRUE(grid.SetCheckBoxState(tri, 2, cbGrayed));
  TCheckBoxState st = cbUnchecked;
  EXPECT_TRUE(grid.GetCheckBoxState(tri, 2, st));
  EXPECT_EQ(st, cbGrayed);
  bool b = true;
  EXPECT_FALSE(grid.GetCheckBoxState(tri, 2, b));
  EXPECT_FALSE(grid.SetCheckBoxState(tri, 2, true));
  EXPECT_TRUE(b) << "not written for a tri-state box";

  // No box: nothing answered, nothing written.
  grid.AddRadioButton(1, 4, true);
  for (int row : {3, 4}) {
    b = true;
    EXPECT_FALSE(grid.GetCheckBoxState(1, row, b));
    EXPECT_TRUE(b);
    EXPECT_FALSE(grid.SetCheckBoxState(1, row, false));
    EXPECT_FALSE(grid.IsChecked(1, row));
  }
  EXPECT_TRUE(grid.IsRadioButtonChecked(1, 4));
}

TEST_F(CheckBoxes, AddingOutsideTheGridRaisesInvalidCell)
{
  const struct { int col, row; } cases[] = {{5, 1}, {1, 6}, {-1, 1}, {1, -1}};
  for (const auto &c : cases) {
    for (int form = 0; form < 3; ++form) {
      try {
        if (form == 0)
          grid.AddCheckBox(c.col, c.row, true, false);
        else if (form == 1)
          grid.AddCheckBox(c.col, c.row, cbGrayed);
        else
          grid.AddRadioButton(c.col, c.row, true);
        ADD_FAILURE() << "no exception at " << c.col << "," << c.row << " form " << form;
      } catch (const Exception &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid cell"));
      }
    }
  }
}

TEST_F(CheckBoxes, ToggleWalksEachKindAndReportsTheNewState)
{
  const struct { Kind k; bool start; std::vector<bool> states; QString events; } cases[] = {
      {Kind::Plain, false, {true, false}, "1,1=1 1,1=0"},
      {Kind::Data, true, {false, true}, "2,1=0 2,1=1"},
      {Kind::Virtual, false, {true, false}, "3,1=1 3,1=0"},
  };
  for (const auto &c : cases) {
    changes.clear();
    const int col = Put(c.k, 1, c.start);
    for (bool want : c.states) {
      EXPECT_TRUE(grid.ToggleCheckBox(col, 1)) << Name(c.k);
      EXPECT_EQ(grid.IsChecked(col, 1), want) << Name(c.k);
    }
    EXPECT_EQ(changes.join(' '), c.events) << Name(c.k);
  }

  // Outside a node row a tri-state box cycles and always reports False.
  changes.clear();
  const int tri = Put(Kind::TriState, 1, false);
  for (TCheckBoxState want : {cbGrayed, cbChecked, cbUnchecked}) {
    EXPECT_TRUE(grid.ToggleCheckBox(tri, 1));
    TCheckBoxState st = cbUnchecked;
    grid.GetCheckBoxState(tri, 1, st);
    EXPECT_EQ(st, want);
  }
  EXPECT_EQ(changes.join(' '), QStringLiteral("4,1=0 4,1=0 4,1=0"));

  changes.clear();
  grid.AddRadioButton(1, 2, false);
  EXPECT_FALSE(grid.ToggleCheckBox(1, 2));
  EXPECT_FALSE(grid.ToggleCheckBox(1, 3));
  EXPECT_TRUE(changes.isEmpty());
}

TEST_F(CheckBoxes, ToggleAsksWhetherTheCellMayBeEdited)
{
  Put(Kind::Plain, 1, false);
  grid.SetCells(1, 1, QStringLiteral("x"));
  // The box's cell has properties, so a grid without editing refuses the click.
  EXPECT_FALSE(grid.DoToggleCheckBox(1, 1, true));
  EXPECT_FALSE(grid.IsChecked(1, 1));
  EXPECT_TRUE(changes.isEmpty());

  grid.ControlLook()->SetCheckAlwaysActive(true);
  EXPECT_TRUE(grid.DoToggleCheckBox(1, 1, true));
  EXPECT_TRUE(grid.IsChecked(1, 1));
  grid.ControlLook()->SetCheckAlwaysActive(false);

  grid.SetOptions(grid.Options() + goEditing);
  grid.OnCanEditCell = [](TObject *, int, int, bool &CanEdit) { CanEdit = false; };
  EXPECT_FALSE(grid.DoToggleCheckBox(1, 1, true));
  EXPECT_TRUE(grid.IsChecked(1, 1));
  EXPECT_TRUE(grid.DoToggleCheckBox(1, 1, false));
  EXPECT_FALSE(grid.IsChecked(1, 1));
}

// The undo step is the box's state before the click, whatever state the box was created with.
TEST_F(CheckBoxes, UndoOfAToggleRestoresTheStateBeforeIt)
{
  TZavGridUndoRedo undo(nullptr);
  grid.SetUndoRedo(&undo);
  grid.AddCheckBox(2, 1, true, true);
  grid.SetCells(2, 2, QStringLiteral("N"));
  grid.AddCheckBox(2, 2, true, true);
  ASSERT_EQ(grid.Cells(2, 1), QStringLiteral("Y"));

  grid.ToggleCheckBox(2, 1);
  grid.ToggleCheckBox(2, 2);
  EXPECT_EQ(grid.Cells(2, 1), QStringLiteral("N"));
  EXPECT_EQ(grid.Cells(2, 2), QStringLiteral("Y"));
  undo.Undo();
  EXPECT_EQ(grid.Cells(2, 2), QStringLiteral("N"));
  undo.Undo();
  EXPECT_EQ(grid.Cells(2, 1), QStringLiteral("Y"));
  undo.Redo();
  EXPECT_EQ(grid.Cells(2, 1), QStringLiteral("N"));
  grid.SetUndoRedo(nullptr);
}

TEST_F(CheckBoxes, CheckAllReportsOnlyTheRowsThatChange)
{
  grid.AddCheckBoxColumn(1, false, false);
  grid.SetCheckBoxState(1, 2, true);
  grid.AddCheckBoxColumn(2, false, true);
  grid.SetCells(2, 4, QStringLiteral("Y"));
  grid.CheckAll(1);
  grid.CheckAll(2);
  EXPECT_EQ(changes.join(' '), QStringLiteral("1,1=1 1,3=1 1,4=1 1,5=1 2,1=1 2,2=1 2,3=1 2,5=1"));
  changes.clear();
  grid.SetCheckBoxState(1, 3, false);
  grid.UnCheckAll(1);
  EXPECT_EQ(changes.join(' '), QStringLiteral("1,1=0 1,2=0 1,4=0 1,5=0"));
  for (int r = 1; r < 6; ++r)
    EXPECT_FALSE(grid.IsChecked(1, r));
  // Change with the same state on a data box rewrites the text and reports nothing.
  changes.clear();
  grid.SetCells(2, 1, QStringLiteral("Y"));
  EXPECT_TRUE(grid.ChangeCheckBoxState(2, 1, true));
  EXPECT_FALSE(grid.ChangeCheckBoxState(0, 1, true));
  EXPECT_TRUE(changes.isEmpty());
}

TEST_F(CheckBoxes, ColumnsStartAtTheFirstNormalRowOrAtTheHeader)
{
  for (bool all : {false, true}) {
    grid.MouseActions()->SetCheckAllCheck(all);
    grid.AddCheckBoxColumn(1, true, false);
    grid.AddTriStateCheckBoxColumn(4, cbGrayed);
    EXPECT_EQ(grid.HasCheckBox(1, 0), all);
    EXPECT_EQ(grid.HasCheckBox(4, 0), all);
    for (int r = 1; r < 6; ++r) {
      EXPECT_TRUE(grid.IsChecked(1, r));
      EXPECT_EQ(grid.GetCellType(4, r), ctTriStateCheckBox);
    }
    grid.RemoveCheckBoxColumn(1);
    grid.RemoveCheckBoxColumn(4);
    for (int r = 0; r < 6; ++r) {
      EXPECT_FALSE(grid.HasCheckBox(1, r)) << r;
      EXPECT_EQ(grid.GetCellGraphic(4, r), nullptr) << r;
    }
  }
  // Removing a check box leaves other kinds alone.
  grid.AddRadioButton(1, 1, true);
  grid.RemoveCheckBox(1, 1);
  EXPECT_TRUE(grid.HasRadioButton(1, 1));
  EXPECT_FALSE(grid.HasCheckBox(1, 1));
}

TEST_F(CheckBoxes, RowBoxesShowTheRowSelection)
{
  grid.MouseActions()->SetHotmailRowSelect(true);
  grid.SelectRows(2, 2);
  for (int r = 1; r < 6; ++r) {
    EXPECT_TRUE(grid.HasDataCheckBox(0, r));
    EXPECT_EQ(grid.IsChecked(0, r), r == 2 || r == 3) << r;
  }
  // The shared box is nobody's to remove.
  grid.RemoveCheckBox(0, 2);
  EXPECT_TRUE(grid.HasCheckBox(0, 2));
}

TEST_F(CheckBoxes, PreciseHitTestFindsTheBoxByAlignment)
{
  grid.SetBounds(0, 0, 400, 300);
  grid.SetDefaultColWidth(60);
  grid.SetDefaultRowHeight(24);
  grid.ControlLook()->SetCheckSize(15);
  grid.AddCheckBox(1, 1, false, false);
  EXPECT_TRUE(grid.IsInCheckBox(1, 1, -100, -100)) << "anywhere without the precise check";
  EXPECT_FALSE(grid.IsInCheckBox(2, 1, 0, 0));
  grid.MouseActions()->SetPreciseCheckBoxCheck(true);
  const TRect r = grid.CellRect(1, 1);
  const struct { TAlignment align; TVAlignment valign; int left, top; } cases[] = {
      {taLeftJustify, vtaTop, r.Left + 2, r.Top + 2},
      {taCenter, vtaCenter, r.Left + (60 - 15) / 2, r.Top + (24 - 15) / 2},
      {taRightJustify, vtaBottom, r.Right - 15 - 2, r.Bottom - 15 - 2},
  };
  for (const auto &c : cases) {
    grid.SetDefaultAlignment(c.align);
    grid.SetVAlignment(c.valign);
    grid.AddCheckBox(1, 1, false, false);
    grid.CellProperties(1, 1)->SetAlignment(c.align);
    EXPECT_TRUE(grid.IsInCheckBox(1, 1, c.left, c.top)) << int(c.align);
    EXPECT_TRUE(grid.IsInCheckBox(1, 1, c.left + 14, c.top + 14)) << int(c.align);
    EXPECT_FALSE(grid.IsInCheckBox(1, 1, c.left + 15, c.top)) << int(c.align);
    EXPECT_FALSE(grid.IsInCheckBox(1, 1, c.left, c.top - 1)) << int(c.align);
  }
}

TEST_F(CheckBoxes, RadioButtonColumnKeepsOneButtonChecked)
{
  grid.AddRadioButtonColumn(1);
  grid.SetRadioButtonColumnIndex(1, 3);
  for (int r = 1; r < 6; ++r)
    EXPECT_EQ(grid.IsRadioButtonChecked(1, r), r == 3) << r;
  EXPECT_EQ(grid.GetRadioButtonColumnIndex(1), 3);

  EXPECT_TRUE(grid.DoToggleRadioButton(1, 5, false));
  EXPECT_EQ(grid.GetRadioButtonColumnIndex(1), 5);
  EXPECT_FALSE(grid.IsRadioButtonChecked(1, 3));
  EXPECT_TRUE(grid.DoToggleRadioButton(1, 5, false)) << "already checked";
  EXPECT_TRUE(grid.IsRadioButtonChecked(1, 5));
  EXPECT_FALSE(grid.DoToggleRadioButton(1, 3, true)) << "grid without editing";
  EXPECT_FALSE(grid.DoToggleRadioButton(2, 3, false)) << "no button";

  grid.SetRadioButtonColumnIndex(1, 9);
  EXPECT_EQ(grid.GetRadioButtonColumnIndex(1), -1);
  grid.RemoveRadioButtonColumn(1);
  EXPECT_FALSE(grid.HasRadioButton(1, 2));
}

TEST_F(CheckBoxes, RadioGroupStepsThroughItsItems)
{
  TStringList items;
  items.Add(QStringLiteral("Off"));
  items.Add(QStringLiteral("Slow"));
  items.Add(QStringLiteral("Fast"));
  grid.AddRadio(1, 1, 1, 1, &items);
  EXPECT_TRUE(grid.IsRadio(1, 1));
  EXPECT_EQ(grid.GetRadioStrings(1, 1), &items);
  int idx = -5;
  for (const char *want : {"Fast", "Off", "Slow"}) {
    EXPECT_FALSE(grid.SelectNextRadio(1, 1, false));
    EXPECT_EQ(grid.Cells(1, 1), QString::fromLatin1(want));
  }
  EXPECT_TRUE(grid.GetRadioIdx(1, 1, idx));
  EXPECT_EQ(idx, 1);

  // Without an index the step starts from the item the text names.
  EXPECT_TRUE(grid.SetRadioIdx(1, 1, -1));
  EXPECT_EQ(grid.Cells(1, 1), QString());
  grid.SetCells(1, 1, QStringLiteral("Slow"));
  grid.SelectNextRadio(1, 1, false);
  EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("Fast"));

  // A list owned by the cell.
  TStrings *own = grid.CreateRadio(2, 1, 0, -1);
  ASSERT_NE(own, nullptr);
  own->Add(QStringLiteral("A"));
  grid.SelectNextRadio(2, 1, false);
  EXPECT_EQ(grid.Cells(2, 1), QStringLiteral("A"));
  grid.RemoveRadio(2, 1);
  EXPECT_FALSE(grid.IsRadio(2, 1));
}

TEST_F(CheckBoxes, RadioGroupCallsLeaveOtherCellsAlone)
{
  // An empty item list has no item to step to.
  TStringList none;
  grid.AddRadio(1, 1, 0, 0, &none);
  grid.SetCells(1, 1, QStringLiteral("keep"));
  EXPECT_FALSE(grid.SelectNextRadio(1, 1, false));
  EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("keep"));
  int idx = -5;
  EXPECT_TRUE(grid.GetRadioIdx(1, 1, idx));
  EXPECT_EQ(idx, 0);

  // Index calls on other kinds neither answer nor write.
  grid.AddCheckBox(2, 1, false, false);
  grid.SetCells(2, 1, QStringLiteral("text"));
  grid.CreateCellGraphic(2, 2)->SetImageIdx(4, haLeft, vaTop);
  idx = -5;
  EXPECT_FALSE(grid.GetRadioIdx(2, 2, idx));
  EXPECT_EQ(idx, -5);
  EXPECT_FALSE(grid.SetRadioIdx(2, 2, 7));
  EXPECT_EQ(grid.GetCellGraphic(2, 2)->CellIndex(), 4);
  EXPECT_FALSE(grid.SetRadioIdx(2, 1, -1));
  EXPECT_EQ(grid.Cells(2, 1), QStringLiteral("text"));
  EXPECT_EQ(grid.GetRadioStrings(2, 1), nullptr);
}
