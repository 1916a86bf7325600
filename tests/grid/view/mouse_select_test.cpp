#include "tests/grid/view/input_fixture.h"

#include "framework/dialogs/dialogs.h"
#include "grid/core/footer.h"
#include "grid/core/search_panel.h"
#include "grid/core/sort_settings.h"
#include "grid/foundation/int_lists.h"
#include "tests/support/test_support.h"

#include <QImage>

namespace {

struct MouseSelect : InputGrids {
  struct Step {
    int col, row;
    TShiftState shift;
  };

  void Play(std::initializer_list<Step> Steps)
  {
    for (const Step &s : Steps) {
      const TPoint p = Mid(sg, s.col, s.row);
      SimMouseMove(sg, p.X, p.Y, s.shift);
      SimClick(sg, p.X, p.Y, mbLeft, s.shift);
      SimProcess();
    }
  }
  // Rows (columns) whose cell in column 2 (row 3) the grid reports selected.
  QList<int> SelectedRows()
  {
    QList<int> l;
    for (int r = 0; r < sg->RowCount(); ++r)
      if (sg->IsSelected(2, r))
        l << r;
    return l;
  }
  QList<int> SelectedCols()
  {
    QList<int> l;
    for (int c = 0; c < sg->ColCount(); ++c)
      if (sg->IsSelected(c, 3))
        l << c;
    return l;
  }
  QList<TPoint> SelectedCellList()
  {
    QList<TPoint> l;
    for (int r = 0; r < sg->RowCount(); ++r)
      for (int c = 0; c < sg->ColCount(); ++c)
        if (sg->IsSelected(c, r))
          l << TPoint(c, r);
    return l;
  }
};

const TShiftState None{}, Ctrl{ssCtrl}, Shift{ssShift};

TEST_F(MouseSelect, DisjunctRowsByClickCtrlClickAndShiftClick)
{
  sg->MouseActions()->SetDisjunctRowSelect(true);
  struct {
    const char *name;
    std::initializer_list<Step> steps;
    QList<int> rows;
  } cases[] = {
      {"click", {{2, 3, None}}, {3}},
      {"click starts anew", {{2, 3, None}, {1, 5, None}}, {5}},
      {"ctrl adds", {{2, 3, None}, {3, 5, Ctrl}, {1, 8, Ctrl}}, {3, 5, 8}},
      {"ctrl on a selected row removes it", {{2, 3, None}, {3, 5, Ctrl}, {4, 3, Ctrl}}, {5}},
      {"shift takes the range", {{2, 3, None}, {2, 6, Shift}}, {3, 4, 5, 6}},
  };
  for (const auto &k : cases) {
    sg->ClearRowSelect();
    Play(k.steps);
    EXPECT_EQ(SelectedRows(), k.rows) << k.name;
    // Every cell of a selected row counts, fixed cells never.
    for (int r : k.rows) {
      EXPECT_TRUE(sg->IsSelected(4, r)) << k.name;
      EXPECT_FALSE(sg->IsSelected(0, r)) << k.name;
    }
  }
  // The cells pressed on are painted like the rest of their selected row once released.
  sg->ClearRowSelect();
  Play({{2, 3, None}, {3, 5, Ctrl}, {1, 8, Ctrl}, {4, 2, Ctrl}});
  const QImage img = GrabControl(sg);
  for (int r : {3, 5, 8}) {
    const QColor first = img.pixelColor(Mid(sg, 1, r).X + 25, Mid(sg, 1, r).Y);
    for (int c = 2; c <= 4; ++c)
      EXPECT_EQ(img.pixelColor(Mid(sg, c, r).X + 25, Mid(sg, c, r).Y), first) << c << "," << r;
  }
}

TEST_F(MouseSelect, EveryClickReportsTheSelection)
{
  QList<TGridRect> reports;
  sg->OnSelectionChanged = [&](TObject *, int l, int t, int r, int b) { reports << TGridRect(l, t, r, b); };
  Play({{3, 4, None}});
  ASSERT_FALSE(reports.isEmpty());
  EXPECT_EQ(reports.last(), TGridRect(3, 4, 3, 4));
  reports.clear();
  Play({{3, 4, None}});
  EXPECT_FALSE(reports.isEmpty());
}

TEST_F(MouseSelect, DisjunctColumnsAndCells)
{
  sg->MouseActions()->SetDisjunctColSelect(true);
  Play({{2, 3, None}, {4, 6, Ctrl}});
  EXPECT_EQ(SelectedCols(), QList<int>({2, 4}));
  Play({{2, 9, Ctrl}});
  EXPECT_EQ(SelectedCols(), QList<int>({4}));
  Play({{1, 2, None}});
  EXPECT_EQ(SelectedCols(), QList<int>({1}));

  sg->MouseActions()->SetDisjunctColSelect(false);
  sg->MouseActions()->SetDisjunctCellSelect(true);
  QList<TPoint> vetoed;
  sg->OnSelectCell = [&](TObject *, int c, int r, bool &can) {
    can = !(c == 4 && r == 4);
    if (!can)
      vetoed << TPoint(c, r);
  };
  struct {
    const char *name;
    std::initializer_list<Step> steps;
    QList<TPoint> cells;
  } cases[] = {
      {"click", {{2, 3, None}}, {TPoint(2, 3)}},
      {"ctrl adds", {{2, 3, None}, {3, 5, Ctrl}}, {TPoint(2, 3), TPoint(3, 5)}},
      {"ctrl toggles off", {{2, 3, None}, {3, 5, Ctrl}, {2, 3, Ctrl}}, {TPoint(3, 5)}},
      {"plain click starts anew", {{2, 3, None}, {3, 5, Ctrl}, {1, 1, None}}, {TPoint(1, 1)}},
      {"shift adds the range", {{2, 3, None}, {3, 4, Shift}}, {TPoint(2, 3), TPoint(3, 3), TPoint(2, 4), TPoint(3, 4)}},
      {"OnSelectCell vetoes", {{2, 3, None}, {4, 4, Ctrl}}, {TPoint(2, 3)}},
  };
  for (const auto &k : cases) {
    Play(k.steps);
    EXPECT_EQ(SelectedCellList(), k.cells) << k.name;
  }
  EXPECT_TRUE(vetoed.contains(TPoint(4, 4)));
}

TEST_F(MouseSelect, FixedCellsSelectWholeRowsColumnsAndTheGrid)
{
  sg->SetOptions(sg->Options() + goRangeSelect);
  TMouseActions *ma = sg->MouseActions();
  ma->SetRowSelect(true);
  ma->SetColSelect(true);
  ma->SetAllSelect(true);
  const TGridRect rows4(1, 4, 4, 4), rows4to7(1, 7, 4, 4), col2(2, 1, 2, 19), cols2to3(2, 1, 3, 19),
      all(1, 1, 4, 19);
  auto norm = [](TGridRect r) {
    return TGridRect(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                     std::max(r.Top, r.Bottom));
  };
  struct {
    const char *name;
    std::initializer_list<Step> steps;
    TGridRect sel;
  } cases[] = {
      {"row header", {{0, 4, None}}, rows4},
      {"shift row header", {{0, 4, None}, {0, 7, Shift}}, rows4to7},
      {"column header", {{2, 0, None}}, col2},
      {"shift column header", {{2, 0, None}, {3, 0, Shift}}, cols2to3},
      {"corner", {{0, 0, None}}, all},
  };
  for (const auto &k : cases) {
    sg->FocusCell(1, 1, true);
    Play(k.steps);
    EXPECT_EQ(norm(sg->Selection()), norm(k.sel)) << k.name;
  }
  // Without the mouse actions a fixed cell selects nothing.
  ma->SetRowSelect(false);
  sg->FocusCell(2, 2, true);
  Play({{0, 6, None}});
  EXPECT_EQ(norm(sg->Selection()), TGridRect(2, 2, 2, 2));

  // Dragging down the row headers extends the rows; the release ends the drag.
  ma->SetRowSelect(true);
  const TPoint a = Mid(sg, 0, 3), b = Mid(sg, 0, 6), c = Mid(sg, 0, 8);
  SimMouseMove(sg, a.X, a.Y);
  SimMouseDown(sg, a.X, a.Y);
  SimMouseMove(sg, b.X, b.Y);
  EXPECT_EQ(norm(sg->Selection()), TGridRect(1, 3, 4, 6));
  SimMouseUp(sg, b.X, b.Y);
  SimMouseMove(sg, c.X, c.Y);
  EXPECT_EQ(norm(sg->Selection()), TGridRect(1, 3, 4, 6));
}

TEST_F(MouseSelect, FixedCellEditorOpensAsConfiguredAndStoresItsText)
{
  TMouseActions *ma = sg->MouseActions();
  sg->SetCells(2, 0, "Head");
  QStringList changes;
  sg->OnEditChange = [&](TObject *, int c, int r, const QString &v) {
    changes << QStringLiteral("%1,%2=%3").arg(c).arg(r).arg(v);
  };
  bool allow = true;
  sg->OnCanEditCell = [&](TObject *, int, int, bool &A) { A = allow; };
  TWinControl *editor = nullptr;
  auto openEditor = [&]() -> TWinControl * {
    for (int i = 0; i < sg->ControlCount(); ++i)
      if (auto *w = dynamic_cast<TWinControl *>(sg->Controls(i)); w && w->Visible() && w->GetText() == "Head")
        return w;
    return nullptr;
  };
  struct {
    TGridFixedCellEdit edit;
    TMouseButton button;
    bool dbl, opens;
  } cases[] = {
      {fceNone, mbLeft, false, false},       {fceLeftClick, mbLeft, false, true},
      {fceLeftClick, mbRight, false, false}, {fceRightClick, mbRight, false, true},
      {fceDblClick, mbLeft, false, false},   {fceDblClick, mbLeft, true, true},
  };
  const TPoint p = Mid(sg, 2, 0);
  for (const auto &k : cases) {
    ma->SetFixedRowsEdit(k.edit);
    if (k.dbl)
      SimDblClick(sg, p.X, p.Y, k.button);
    else
      SimClick(sg, p.X, p.Y, k.button);
    SimProcess();
    editor = openEditor();
    EXPECT_EQ(editor != nullptr, k.opens) << int(k.edit) << k.button << k.dbl;
    if (editor)
      editor->SetVisible(false);
  }
  // The editor sits inside the cell, reports changes for the fixed cell and stores on exit.
  ma->SetFixedRowsEdit(fceLeftClick);
  SimClick(sg, p.X, p.Y);
  editor = openEditor();
  ASSERT_NE(editor, nullptr);
  const TRect cell = sg->CellRect(2, 0);
  EXPECT_EQ(editor->Left(), cell.Left + 1);
  EXPECT_EQ(editor->Top(), cell.Top + 1);
  editor->SetText("Renamed");
  EXPECT_EQ(changes.last(), "2,0=Renamed");
  SimClick(sg, Mid(sg, 3, 5).X, Mid(sg, 3, 5).Y);
  SimProcess();
  EXPECT_EQ(sg->Cells(2, 0), "Renamed");
  EXPECT_FALSE(editor->Visible());
  // OnCanEditCell may refuse.
  allow = false;
  sg->SetCells(2, 0, "Head");
  SimClick(sg, p.X, p.Y);
  EXPECT_EQ(openEditor(), nullptr);
}

TEST_F(MouseSelect, AnchorHoverEnterExitAndClick)
{
  QStringList events;
  sg->SetColWidths(2, 160);
  sg->SetCells(2, 4, "go <A HREF=\"first\">one</A> or <A HREF=\"second\">two</A>");
  sg->SetCells(3, 4, "plain");
  sg->OnAnchorEnter = [&](TObject *, int r, int c, const QString &a) { events << QStringLiteral("enter %1,%2 %3").arg(r).arg(c).arg(a); };
  sg->OnAnchorExit = [&](TObject *, int r, int c, const QString &a) { events << QStringLiteral("exit %1,%2 '%3'").arg(r).arg(c).arg(a); };
  bool autoHandle = false;
  sg->OnAnchorClick = [&](TObject *, int r, int c, const QString &a, bool &AutoHandle) {
    events << QStringLiteral("click %1,%2 %3").arg(r).arg(c).arg(a);
    AutoHandle = autoHandle;
  };
  QStringList opened;
  SetOpenURLHandler([&](const QString &u) {
    opened << u;
    return true;
  });
  // Find the x of each link by hovering across the cell.
  const TRect R = sg->CellRect(2, 4);
  const int y = (R.Top + R.Bottom) / 2;
  int xFirst = -1, xSecond = -1;
  for (int x = R.Left + 1; x < R.Right - 1; ++x) {
    SimMouseMove(sg, x, y);
    if (!events.isEmpty() && events.last().endsWith("first") && xFirst < 0)
      xFirst = x;
    if (!events.isEmpty() && events.last().endsWith("second") && xSecond < 0)
      xSecond = x;
  }
  ASSERT_GT(xFirst, 0);
  ASSERT_GT(xSecond, xFirst);
  EXPECT_EQ(events.first(), "enter 4,2 first");
  EXPECT_TRUE(events.contains("exit 4,2 ''"));
  EXPECT_TRUE(events.contains("enter 4,2 second"));
  // Into a plain cell the link is left as well.
  events.clear();
  SimMouseMove(sg, xSecond + 2, y);
  SimMouseMove(sg, Mid(sg, 3, 4).X, y);
  EXPECT_EQ(events, QStringList({"enter 4,2 second", "exit 4,3 ''"}));
  // A click on a link reports it; only AutoHandle opens it.
  events.clear();
  sg->SetCells(2, 4, "go <A HREF=\"http://example.com\">one</A> or <A HREF=\"second\">two</A>");
  SimMouseMove(sg, xFirst + 2, y);
  SimClick(sg, xFirst + 2, y);
  EXPECT_EQ(events.last(), "click 4,2 http://example.com");
  EXPECT_TRUE(opened.isEmpty());
  autoHandle = true;
  SimClick(sg, xFirst + 2, y);
  EXPECT_EQ(opened, QStringList({"http://example.com"}));
  SetOpenURLHandler(nullptr);
}

TEST_F(MouseSelect, CheckAndRadioControlsInMarkupToggleOnClick)
{
  sg->SetOptions(sg->Options() + goEditing);
  sg->SetColWidths(2, 200);
  sg->SetCells(2, 3, "<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\"> on");
  QStringList clicks;
  sg->OnControlClick = [&](TObject *, int r, int c, const QString &id, const QString &type, const QString &val) {
    clicks << QStringLiteral("%1,%2 %3 %4 %5").arg(r).arg(c).arg(id, type, val);
  };
  int cellClicks = 0;
  sg->OnClickCell = [&](TObject *, int, int) { ++cellClicks; };
  const TRect R = sg->CellRect(2, 3);
  const TPoint p(R.Left + sg->XYOffset().X + 6, (R.Top + R.Bottom) / 2);
  SimClick(sg, p.X, p.Y);
  EXPECT_TRUE(sg->Cells(2, 3).contains("VALUE=\"FALSE\"", Qt::CaseInsensitive)) << sg->Cells(2, 3).toStdString();
  EXPECT_EQ(clicks, QStringList({"3,2 c1 CHECK FALSE"}));
  EXPECT_EQ(cellClicks, 0);
  SimClick(sg, p.X, p.Y);
  EXPECT_TRUE(sg->Cells(2, 3).contains("VALUE=\"TRUE\"", Qt::CaseInsensitive));
  // A read-only cell keeps its control as it is.
  sg->SetReadOnly(2, 3, true);
  SimClick(sg, p.X, p.Y);
  EXPECT_TRUE(sg->Cells(2, 3).contains("VALUE=\"TRUE\"", Qt::CaseInsensitive));
  // So does a cell that OnCanEditCell refuses.
  sg->SetReadOnly(2, 3, false);
  QStringList asked;
  sg->OnCanEditCell = [&](TObject *, int r, int c, bool &A) {
    asked << QStringLiteral("%1,%2").arg(r).arg(c);
    A = false;
  };
  SimClick(sg, p.X, p.Y);
  EXPECT_TRUE(sg->Cells(2, 3).contains("VALUE=\"TRUE\"", Qt::CaseInsensitive));
  EXPECT_TRUE(asked.contains("3,2"));
  EXPECT_EQ(clicks.size(), 2);
}

TEST_F(MouseSelect, HoveredLinkIsPaintedUnderlined)
{
  sg->SetURLUnderlineOnHover(true);
  sg->SetURLColor(clBlue);
  sg->SetColWidths(2, 160);
  sg->SetCells(2, 4, "<A HREF=\"x\">linklinklink</A>");
  const TRect R = sg->CellRect(2, 4);
  // Longest run of link-coloured pixels in any row of the cell: an underline spans the text.
  auto longestRun = [&]() {
    SimProcess();
    const QImage img = GrabControl(sg);
    int best = 0;
    for (int y = R.Top; y < R.Bottom; ++y) {
      int run = 0;
      for (int x = R.Left; x < R.Right; ++x) {
        run = img.pixelColor(x, y) == QColor(0, 0, 255) ? run + 1 : 0;
        best = std::max(best, run);
      }
    }
    return best;
  };
  const int plain = longestRun();
  SimMouseMove(sg, R.Left + 12, (R.Top + R.Bottom) / 2);
  const int hovered = longestRun();
  EXPECT_TRUE(GrabToPng(sg, testsupport::OutputDir() + "/hovered_link.png"));
  EXPECT_LT(plain, 10);
  EXPECT_GT(hovered, 40);
  SimMouseMove(sg, Mid(sg, 3, 8).X, Mid(sg, 3, 8).Y);
  EXPECT_EQ(longestRun(), plain);
}

TEST_F(MouseSelect, HeaderClickSortsByIndexKeyAndOnCanSortVetoes)
{
  sg->SortSettings()->SetShow(true);
  QStringList log;
  bool allow = true;
  sg->OnCanSort = [&](TObject *, int c, bool &DoSort) {
    log << QStringLiteral("can %1").arg(c);
    DoSort = allow;
  };
  sg->OnClickSort = [&](TObject *, int c) { log << QStringLiteral("sorted %1").arg(c); };
  auto header = [&](int c, TShiftState s) {
    const TPoint p = Mid(sg, c, 0);
    SimClick(sg, p.X, p.Y, mbLeft, s);
    SimProcess();
  };
  // One column: the direction toggles on a second click.
  header(2, None);
  EXPECT_EQ(sg->SortSettings()->Column(), 2);
  const TSortDirection first = sg->SortSettings()->Direction();
  header(2, None);
  EXPECT_NE(sg->SortSettings()->Direction(), first);
  EXPECT_EQ(log, QStringList({"can 2", "sorted 2", "can 2", "sorted 2"}));

  // Several columns: the index key adds or toggles, a plain click starts over.
  sg->SortSettings()->SetIndexShow(true);
  sg->SortSettings()->SetIndexSortKey(ikCtrl);
  TSortIndexList *idx = sg->SortIndexes();
  auto columns = [&] {
    QList<int> l;
    for (int i = 0; i < idx->Count(); ++i)
      l << idx->GetSortColumns(i);
    return l;
  };
  header(3, None);
  header(1, Ctrl);
  header(4, Ctrl);
  EXPECT_EQ(columns(), QList<int>({3, 1, 4}));
  EXPECT_EQ(sg->SortSettings()->Column(), 3);
  const bool up = idx->GetSortDirections(1);
  header(1, Ctrl);
  EXPECT_EQ(columns(), QList<int>({3, 1, 4}));
  EXPECT_NE(idx->GetSortDirections(1), up);
  header(4, None);
  EXPECT_EQ(columns(), QList<int>({4}));
  const bool up4 = idx->GetSortDirections(0);
  header(4, None);
  EXPECT_NE(idx->GetSortDirections(0), up4);
  // A veto leaves the list as it is and reports no sort.
  allow = false;
  log.clear();
  header(2, None);
  EXPECT_EQ(columns(), QList<int>({4}));
  EXPECT_EQ(log, QStringList({"can 2"}));
}

TEST_F(MouseSelect, ClipboardShortcutsFireTheirEventsAndHonourAVeto)
{
  QStringList log;
  bool allow = true;
  sg->OnClipboardCopy = [&](TObject *, bool &A) { log << "copy"; A = allow; };
  sg->OnClipboardCut = [&](TObject *, bool &A) { log << "cut"; A = allow; };
  sg->OnClipboardPaste = [&](TObject *, bool &A) { log << "paste"; A = allow; };
  sg->Navigation()->SetAllowClipboardShortCuts(true);
  sg->SetFocus();
  struct { uint16_t key; TShiftState shift; const char *event; } keys[] = {
      {'C', Ctrl, "copy"},         {VK_INSERT, Ctrl, "copy"}, {'X', Ctrl, "cut"},
      {VK_DELETE, Shift, "cut"},   {'V', Ctrl, "paste"},      {VK_INSERT, Shift, "paste"},
  };
  for (const auto &k : keys) {
    log.clear();
    SimKey(sg, k.key, k.shift);
    EXPECT_EQ(log, QStringList({k.event})) << k.key;
  }
  // Without the setting the keys are plain keys; a vetoed key still ends the key handling.
  sg->Navigation()->SetAllowClipboardShortCuts(false);
  log.clear();
  SimKey(sg, 'C', Ctrl);
  EXPECT_TRUE(log.isEmpty());
  sg->Navigation()->SetAllowClipboardShortCuts(true);
  allow = false;
  SimKey(sg, 'V', Ctrl);
  EXPECT_EQ(log, QStringList({"paste"}));
  // Typing the control characters never reaches the cell.
  sg->SetOptions(sg->Options() + goEditing);
  const QString before = sg->Cells(sg->Col(), sg->Row());
  SimKey(sg, 'V', Ctrl);
  EXPECT_FALSE(sg->EditorMode());
  EXPECT_EQ(sg->Cells(sg->Col(), sg->Row()), before);
}

} // namespace

namespace {

TEST_F(MouseSelect, CurrentCellKeepsClearOfTheFooterAndTheSearchPanel)
{
  // The last row of a fixed-last-row footer is the footer: neither a click nor a key makes it
  // current.
  sg->SetRowCount(8);
  sg->FloatingFooter()->SetVisible(true);
  SimProcess();
  Play({{2, 7, None}});
  EXPECT_NE(sg->Row(), 7);
  Play({{2, 6, None}});
  EXPECT_EQ(sg->Row(), 6);
  SimKey(sg, VK_DOWN);
  EXPECT_EQ(sg->Row(), 6);
  sg->FloatingFooter()->SetVisible(false);

  // A row clicked where the search panel covers its lower part scrolls up above the panel.
  sg->SetRowCount(40);
  sg->SearchFooter()->SetVisible(true);
  SimProcess();
  const int panelTop = sg->ClientHeight() - sg->SearchPanel()->Height();
  int covered = -1;
  for (int r = sg->TopRow(); r < sg->RowCount() && covered < 0; ++r) {
    const TRect R = sg->CellRect(2, r);
    if (R.Top < panelTop - 4 && R.Bottom > panelTop + 2)
      covered = r;
  }
  ASSERT_GT(covered, 0);
  const TRect R = sg->CellRect(2, covered);
  SimClick(sg, (R.Left + R.Right) / 2, R.Top + 2);
  SimProcess();
  EXPECT_EQ(sg->Row(), covered);
  EXPECT_LE(sg->CellRect(2, covered).Bottom, panelTop + 2);
}

} // namespace

namespace {

struct SelectionResizer : MouseSelect {
  QStringList events;
  static QString Rect(const TGridRect &R) { return QStringLiteral("%1,%2-%3,%4").arg(R.Left).arg(R.Top).arg(R.Right).arg(R.Bottom); }

  SelectionResizer()
  {
    sg->SetSelectionRectangle(true);
    sg->SetSelectionResizer(true);
    sg->OnSelectionResize = [this](TObject *, TGridRect From, TGridRect To) { events << "resize " + Rect(From) + " " + Rect(To); };
    sg->OnSelectionResized = [this](TObject *, TGridRect From, TGridRect To) { events << "resized " + Rect(From) + " " + Rect(To); };
  }
  // A point inside the handle square of the selection's bottom-right cell.
  TPoint Handle()
  {
    const TGridRect s = sg->Selection();
    const TRect R = sg->CellRect(s.Right, s.Bottom);
    return TPoint(R.Right - 3, R.Bottom - 3);
  }
  void Drag(TPoint From, TPoint To)
  {
    SimMouseMove(sg, From.X, From.Y);
    SimMouseDown(sg, From.X, From.Y);
    SimMouseMove(sg, (From.X + To.X) / 2, (From.Y + To.Y) / 2);
    SimMouseMove(sg, To.X, To.Y);
    SimMouseUp(sg, To.X, To.Y);
    SimProcess();
  }
};

TEST_F(SelectionResizer, DraggingTheHandleGrowsTheSelectionAndReportsBothRectangles)
{
  // With goEditing alone the platform's range drag would only move the current cell.
  struct { const char *name; bool editing, rangeSelectAndEdit; } modes[] = {
      {"range select", false, false}, {"spreadsheet", true, true}, {"editing", true, false}};
  for (const auto &m : modes) {
    SCOPED_TRACE(m.name);
    events.clear();
    sg->SetOptions(m.editing ? sg->Options() + goRangeSelect + goEditing : sg->Options() + goRangeSelect - goEditing);
    sg->MouseActions()->SetRangeSelectAndEdit(m.rangeSelectAndEdit);
    sg->SetSelection(TGridRect(1, 1, 2, 2));
    SimProcess();
    const TPoint h = Handle();
    SimMouseMove(sg, h.X, h.Y);
    EXPECT_EQ(CursorShapeOf(sg), int(Qt::SizeAllCursor));
    SimMouseDown(sg, h.X, h.Y);
    // The press keeps the selection; the move drags its bottom-right corner.
    EXPECT_EQ(Rect(sg->Selection()), "1,1-2,2");
    const TPoint to = Mid(sg, 3, 4);
    SimMouseMove(sg, to.X, to.Y);
    EXPECT_EQ(Rect(sg->Selection()), "1,1-3,4");
    EXPECT_TRUE(events.isEmpty());
    SimMouseUp(sg, to.X, to.Y);
    SimProcess();
    EXPECT_EQ(events, QStringList({"resize 1,1-2,2 1,1-3,4", "resized 1,1-2,2 1,1-3,4"}));
    EXPECT_EQ(Rect(sg->Selection()), "1,1-3,4");
    EXPECT_FALSE(sg->EditorMode());

    // The gesture is over: moves select nothing more, and the next plain press is a plain
    // press that reports no resize.
    events.clear();
    const TPoint away = Mid(sg, 4, 8);
    SimMouseMove(sg, away.X, away.Y);
    EXPECT_EQ(Rect(sg->Selection()), "1,1-3,4");
    EXPECT_NE(CursorShapeOf(sg), int(Qt::SizeAllCursor));
    SimClick(sg, away.X, away.Y);
    SimProcess();
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(TPoint(sg->Col(), sg->Row()), TPoint(4, 8));
  }
}

TEST_F(SelectionResizer, OnlyTheHandleSquareOfAShownRectangleStartsAResize)
{
  sg->SetOptions(sg->Options() + goRangeSelect);
  const TRect R = sg->CellRect(2, 2);
  struct { const char *name; int x, y; bool rectangle, resizes; } cases[] = {
      {"top-left of the square", R.Right - 6, R.Bottom - 6, true, true},
      {"last pixel of the square", R.Right - 1, R.Bottom - 1, true, true},
      {"left of the square", R.Right - 7, R.Bottom - 3, true, false},
      {"above the square", R.Right - 3, R.Bottom - 7, true, false},
      {"without the selection rectangle", R.Right - 3, R.Bottom - 3, false, false},
  };
  for (const auto &k : cases) {
    events.clear();
    sg->SetSelectionRectangle(k.rectangle);
    sg->SetSelection(TGridRect(1, 1, 2, 2));
    SimProcess();
    const TPoint to = Mid(sg, 3, 3);
    Drag(TPoint(k.x, k.y), to);
    EXPECT_EQ(!events.isEmpty(), k.resizes) << k.name;
    // Outside the handle the press is an ordinary range drag from the pressed cell.
    EXPECT_EQ(Rect(sg->Selection()), k.resizes ? "1,1-3,3" : "2,2-3,3") << k.name;
  }
}

} // namespace
