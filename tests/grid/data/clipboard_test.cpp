// The grid and the clipboard: the tabbed text a copy writes and a paste reads, the flavours a
// copy offers, cut with its undo, the smart selection paste, and the shortcuts and the
// selection's resizer handle that reach them.
#include <QStringList>

#include <gtest/gtest.h>

#include "framework/controls/clipboard.h"
#include "framework/controls/forms.h"
#include "framework/system/sysutils.h"
#include "framework/testing/input.h"
#include "grid/core/feature_settings.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/grid_utils.h"
#include "grid/foundation/undo.h"

namespace {

class TClipGrid : public TZavStringGrid {
public:
  using TZavStringGrid::TZavStringGrid;
  using TZavStringGrid::GetRectAsText;
  using TZavStringGrid::PasteClipboardAt;
  QStringList pasted;  // CellsPasted rectangles "l,t-r,b"
  void CellsPasted(TPoint From, TGridRect R, TClipOperation Op) override
  {
    pasted << QStringLiteral("%1,%2-%3,%4").arg(R.Left).arg(R.Top).arg(R.Right).arg(R.Bottom);
    TZavStringGrid::CellsPasted(From, R, Op);
  }
};

struct Clipboard : ::testing::Test {
  TForm form{nullptr};
  TClipGrid *g = new TClipGrid(&form);
  Clipboard()
  {
    form.SetBounds(0, 0, 700, 500);
    g->SetParent(&form);
    g->SetBounds(0, 0, 600, 400);
    g->SetColCount(6);
    g->SetRowCount(10);
    g->SetDefaultRowHeight(22);
    g->SetDefaultColWidth(64);
    g->SetOptions(g->Options() + goEditing + goRangeSelect);
    SetClipboardText(QString());
  }
  // Rows r0..r1 of column c, joined with "|".
  QString Column(int c, int r0, int r1)
  {
    QStringList l;
    for (int r = r0; r <= r1; ++r)
      l << g->Cells(c, r);
    return l.join('|');
  }
  QString Row(int r, int c0, int c1)
  {
    QStringList l;
    for (int c = c0; c <= c1; ++c)
      l << g->Cells(c, r);
    return l.join('|');
  }
};

TEST_F(Clipboard, CopyWritesTheCellsAsTabbedText)
{
  const struct {
    const char *name;
    QStringList cells;  // row 1 from column 1 on, then row 2
    TGridRect rect;
    bool copyTags;
    QString text;
  } cases[] = {
      {"a block ends every row with CR LF", {"a", "b", "c", "d"}, {1, 1, 2, 2}, true, "a\tb\r\nc\td\r\n"},
      {"one row has no line end", {"a", "b", "c", "d"}, {1, 1, 2, 1}, true, "a\tb"},
      {"a multi-line cell is one quoted field with LF lines", {"x\r\ny", "b", "", ""}, {1, 1, 2, 1}, true,
       "\"x\ny\"\tb"},
      {"quotes inside a quoted field are doubled", {"say \"hi\"\r\nnow", "", "", ""}, {1, 1, 1, 1}, true,
       "\"say \"\"hi\"\"\nnow\""},
      {"mark-up without its tags is quoted like other multi-line text",
       {"<b>x</b>\r\ny", "", "", ""}, {1, 1, 1, 1}, false, "\"x\ny\""},
      {"a packed wide text is written unpacked", {PackWideText(QStringLiteral("\u00e9t\u00e9")), "", "", ""},
       {1, 1, 1, 1}, true, QStringLiteral("\u00e9t\u00e9")},
  };
  for (const auto &t : cases) {
    SCOPED_TRACE(t.name);
    for (int i = 0; i < 4; ++i)
      g->SetCells(1 + i % 2, 1 + i / 2, t.cells[i]);
    g->Navigation()->SetCopyHTMLTagsToClipboard(t.copyTags);
    EXPECT_EQ(g->GetRectAsText(t.rect, false), t.text);
    g->SetSelection(t.rect);
    g->CopySelectionToClipboard();
    EXPECT_EQ(ClipboardText(), t.text);
  }
}

TEST_F(Clipboard, CopiedCellsPasteBackUnchanged)
{
  const QString cells[] = {"x\r\ny", "plain", "a\r\n\r\nb", "q \"1\"\r\nq 2\"", "tab\tin", ""};
  for (int i = 0; i < 6; ++i)
    g->SetCells(1, 1 + i, cells[i]);
  g->SetCells(2, 1, PackWideText(QStringLiteral("\u4e2d")));
  g->SetSelection(TGridRect(1, 1, 2, 6));
  g->CopySelectionToClipboard();
  g->SetSelection(TGridRect(3, 1, 3, 1));
  g->PasteSelectionFromClipboard();
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    if (cells[i].contains('\t'))
      continue;  // a TAB inside a cell is a field separator on the clipboard
    EXPECT_EQ(g->Cells(3, 1 + i), cells[i]);
  }
  EXPECT_EQ(UnpackWideText(g->Cells(4, 1)), QStringLiteral("\u4e2d"));
}

TEST_F(Clipboard, PasteTextReadsLinesAndFields)
{
  const struct {
    const char *name;
    QString text;
    int col, row;
    int n, cols, rows;
    QString expect;  // column 1 and 2 of rows 1..3, "c1/c2|..."
  } cases[] = {
      {"a block with a trailing line end", "1\t2\r\n3\t4\r\n", 1, 1, 5, 1, 3, "1/2|3/4|/"},
      {"no trailing line end", "1\t2\r\n3\t4", 1, 1, 4, 2, 2, "1/2|3/4|/"},
      {"LF lines from a program without CR", "1\t2\n3\t4\n", 1, 1, 5, 1, 3, "1/2|3/4|/"},
      {"an LF inside quotes of LF text stays in the cell", "\"x\ny\"\t2\n3\t4", 1, 1, 4, 2, 2,
       "x\r\ny/2|3/4|/"},
      {"an LF in a CR text belongs to the cell", "\"x\ny\"\t2\r\n", 1, 1, 3, 1, 2, "x\r\ny/2|/|/"},
      {"a spreadsheet's code 11 lines", "\"x\x0By\"\t2", 1, 1, 2, 2, 1, "x\r\ny/2|/|/"},
      {"a negative start pastes nothing", "1", -1, 1, 0, 0, 0, "/|/|/"},
  };
  for (const auto &t : cases) {
    SCOPED_TRACE(t.name);
    for (int r = 1; r <= 3; ++r) {
      g->SetCells(1, r, "");
      g->SetCells(2, r, "");
    }
    int cols = 0, rows = 0;
    EXPECT_EQ(g->PasteText(t.col, t.row, t.text, cols, rows), t.n);
    EXPECT_EQ(cols, t.cols);
    EXPECT_EQ(rows, t.rows);
    QStringList got;
    for (int r = 1; r <= 3; ++r)
      got << g->Cells(1, r) + "/" + g->Cells(2, r);
    EXPECT_EQ(got.join('|'), t.expect);
  }
}

TEST_F(Clipboard, PasteGrowsInsertsOrDropsAsTheSettingsSay)
{
  const struct {
    const char *name;
    bool rowGrow, colGrow, insert;
    int col;
    int rowCount, colCount;
    QString rows;  // column col of rows 8..12, "|"-joined ("-" past the grid)
    QString lastCol;  // the last column of row 9
  } cases[] = {
      {"rows grow for the lines past the last row", true, true, false, 1, 12, 6, "old|a|b|c|-", "nine"},
      {"without row growth only the first line lands", false, true, false, 1, 10, 6, "old|a|-|-|-", "nine"},
      {"columns grow for fields past the last column", true, true, false, 5, 12, 7, "old|a|b|c|-", "z"},
      {"without column growth the far field is dropped", true, false, false, 5, 12, 6, "old|a|b|c|-", "a"},
      {"insert keeps the old row below the pasted ones", true, true, true, 1, 13, 6, "old|a|b|c|nine", ""},
  };
  for (const auto &t : cases) {
    SCOPED_TRACE(t.name);
    g->SetRowCount(10);
    g->SetColCount(6);
    for (int c = 0; c < 6; ++c) {
      g->SetCells(c, 8, "old");
      g->SetCells(c, 9, "nine");
    }
    g->Navigation()->SetAllowClipboardRowGrow(t.rowGrow);
    g->Navigation()->SetAllowClipboardColGrow(t.colGrow);
    g->Navigation()->SetClipboardPasteAction(t.insert ? paInsert : paReplace);
    int cols = 0, rows = 0;
    g->PasteText(t.col, 9, "a\tz\r\nb\tz\r\nc\tz", cols, rows);
    EXPECT_EQ(g->RowCount(), t.rowCount);
    EXPECT_EQ(g->ColCount(), t.colCount);
    QStringList got;
    for (int r = 8; r <= 12; ++r)
      got << (r < g->RowCount() ? g->Cells(t.col, r) : QString("-"));
    EXPECT_EQ(got.join('|').toStdString(), t.rows.toStdString());
    EXPECT_EQ(g->Cells(g->ColCount() - 1, 9).toStdString(), t.lastCol.toStdString());
  }
}

TEST_F(Clipboard, BeforePasteEventRefusesOneCellAndThePasteGoesOn)
{
  QStringList after;
  g->OnClipboardBeforePasteCell = [](TObject *, int c, int, QString &V, bool &Allow) {
    if (c == 2)
      Allow = false;
    V = V.toUpper();
  };
  g->OnClipboardAfterPasteCell = [&](TObject *, int c, int r, const QString &V) { after << QString("%1,%2=%3").arg(c).arg(r).arg(V); };
  g->SetCells(2, 1, "keep");
  int cols = 0, rows = 0;
  g->PasteText(1, 1, "a\tb\tc", cols, rows);
  EXPECT_EQ(Row(1, 1, 3), "A|keep|C");
  EXPECT_EQ(after, QStringList({"1,1=A", "3,1=C"}));
}

TEST_F(Clipboard, SmartPasteFillsContinuesSeriesAndRepeatsBlocks)
{
  ResetFormatSettings();
  FormatSettings.DecimalSeparator = '.';
  FormatSettings.DateSeparator = '/';
  FormatSettings.ShortDateFormat = "M/d/yyyy";
  const struct {
    const char *name;
    QString clip;
    TGridRect sel;
    QString expect;  // the selection's cells, columns outer, "|"-joined
  } cases[] = {
      {"one value fills the selection", "v", {1, 1, 3, 3}, "v|v|v|v|v|v|v|v|v"},
      {"one value with a line end fills too", "v\r\n", {1, 1, 1, 4}, "v|v|v|v"},
      {"integers continue their step", "1\r\n3\r\n", {1, 1, 1, 6}, "1|3|5|7|9|11"},
      {"integers along a row", "10\t7", {1, 1, 5, 1}, "10|7|4|1|-2"},
      {"decimals in the float format", "1.5\r\n2\r\n", {1, 1, 1, 4}, "1.50|2.00|2.50|3.00"},
      {"dates a month apart", "1/15/2024\r\n2/15/2024\r\n", {1, 1, 1, 4}, "1/15/2024|2/15/2024|3/15/2024|4/15/2024"},
      {"dates that differ in more than the month step by the days between", "1/31/2024\r\n2/29/2024\r\n",
       {1, 1, 1, 4}, "1/31/2024|2/29/2024|3/29/2024|4/27/2024"},
      {"dates a day apart", "12/30/2023\r\n12/31/2023\r\n", {1, 1, 1, 4}, "12/30/2023|12/31/2023|1/1/2024|1/2/2024"},
      {"texts repeat as a block down a column", "a\r\nb\r\nc\r\n", {1, 1, 1, 7}, "a|b|c|a|b|c|a"},
      {"a block without line end repeats along a row", "a\tb", {1, 1, 5, 1}, "a|b|a|b|a"},
      {"a block that fills the selection is left as it is", "a\r\nb\r\n", {1, 1, 1, 2}, "a|b"},
  };
  g->Navigation()->SetAllowSmartClipboard(true);
  for (const auto &t : cases) {
    SCOPED_TRACE(t.name);
    for (int c = 0; c < g->ColCount(); ++c)
      for (int r = 0; r < g->RowCount(); ++r)
        g->SetCells(c, r, "old");
    SetClipboardText(t.clip);
    g->SetSelection(t.sel);
    g->PasteSelectionFromClipboard();
    QStringList got;
    for (int c = t.sel.Left; c <= t.sel.Right; ++c)
      for (int r = t.sel.Top; r <= t.sel.Bottom; ++r)
        got << g->Cells(c, r);
    EXPECT_EQ(got.join('|').toStdString(), t.expect.toStdString());
    EXPECT_EQ(g->Cells(t.sel.Right, t.sel.Bottom + 1), "old");
  }
  ResetFormatSettings();
}

TEST_F(Clipboard, CopyOffersTabbedTextAndAnHtmlTableInUtf8)
{
  g->SetCells(1, 1, "a<b & c");
  g->SetCells(2, 1, QStringLiteral("\u00fcber"));
  g->SetCells(1, 2, "x\r\ny");
  g->SetSelection(TGridRect(1, 1, 2, 2));
  g->CopySelectionToClipboard();
  EXPECT_EQ(QString::fromUtf8(ClipboardData(ClipMimeText)), QStringLiteral("a<b & c\t\u00fcber\r\n\"x\ny\"\t\r\n"));
  EXPECT_EQ(QString::fromUtf8(ClipboardData(ClipMimeHTML)),
            QStringLiteral("<table><tr><td>a&lt;b &amp; c</td><td>\u00fcber</td></tr>"
                           "<tr><td>x<br>y</td><td></td></tr></table>"));
  // The whole-grid HTML copy offers the same tabbed text as its plain-text flavour.
  g->CopyToClipBoardAsHTML();
  EXPECT_EQ(ClipboardText(), g->GetRectAsText(TGridRect(0, 0, 5, 9), false));
  EXPECT_TRUE(ClipboardHasFormat(ClipMimeHTML));
}

TEST_F(Clipboard, TheGridsOwnFormatCarriesPropertiesAndADamagedBlockChangesNothing)
{
  g->Navigation()->SetAllowFmtClipboard(true);
  g->SetCells(1, 1, "a");
  g->SetColors(1, 1, clRed);
  g->SetCells(2, 2, "b");
  g->SetSelection(TGridRect(1, 1, 2, 2));
  g->CopySelectionToClipboard();
  const QString mime = ClipboardFormatMime(QStringLiteral("TZavStringGrid Cells"));
  const QByteArray block = ClipboardData(mime);
  ASSERT_FALSE(block.isEmpty());

  // Into another grid, at its bottom right: it grows to take the block.
  TClipGrid *other = new TClipGrid(&form);
  other->SetParent(&form);
  other->SetColCount(3);
  other->SetRowCount(3);
  other->Navigation()->SetAllowFmtClipboard(true);
  other->SetSelection(TGridRect(2, 2, 2, 2));
  other->PasteSelectionFromClipboard();
  EXPECT_EQ(other->ColCount(), 4);
  EXPECT_EQ(other->RowCount(), 4);
  EXPECT_EQ(other->Cells(2, 2), "a");
  EXPECT_EQ(other->Colors(2, 2), clRed);
  EXPECT_EQ(other->Cells(3, 3), "b");
  EXPECT_EQ(other->pasted, QStringList{"2,2-3,3"});

  // A block cut short: counts and cells stay as they were.
  for (const TClipboardPasteAction action : {paReplace, paInsert}) {
    other->Navigation()->SetClipboardPasteAction(action);
    SetClipboardFlavours({{mime, block.left(block.size() - 6)}});
    other->SetSelection(TGridRect(3, 3, 3, 3));
    EXPECT_ANY_THROW(other->PasteSelectionFromClipboard()) << int(action);
    EXPECT_EQ(other->ColCount(), 4) << int(action);
    EXPECT_EQ(other->RowCount(), 4) << int(action);
    EXPECT_EQ(other->Cells(3, 3), "b") << int(action);
  }
}

TEST_F(Clipboard, RichTextFlavourCarriesTheTopLeftRichCell)
{
  const QString rtf = "{\\rtf1\\ansi hello}";
  g->SetCells(1, 1, rtf);
  g->Navigation()->SetAllowRTFClipboard(true);
  g->SetSelection(TGridRect(1, 1, 2, 1));
  g->CopySelectionToClipboard();
  EXPECT_EQ(ClipboardData(ClipMimeRTF), rtf.toLatin1());
  g->SetSelection(TGridRect(3, 3, 3, 3));
  g->PasteSelectionFromClipboard();
  EXPECT_EQ(g->Cells(3, 3), rtf);
}

TEST_F(Clipboard, CutClearsOnlyEditableCellsAsOneUndoStep)
{
  TZavGridUndoRedo undo(&form);
  g->SetUndoRedo(&undo);
  const struct {
    const char *name;
    bool disjunctRows, always;
    QString expect;  // rows 1..3 of columns 1..2, "|"-joined
  } cases[] = {
      {"a block", false, false, "|locked|||c3|d3"},
      {"disjunct rows", true, false, "|locked|||c3|d3"},
      {"disjunct rows, always", true, true, "||||c3|d3"},
  };
  for (const auto &t : cases) {
    SCOPED_TRACE(t.name);
    const QString before = "a1|locked|a2|b2|c3|d3";
    const QStringList v = before.split('|');
    for (int i = 0; i < 6; ++i)
      g->SetCells(1 + i % 2, 1 + i / 2, v[i]);
    g->SetReadOnly(2, 1, true);
    g->MouseActions()->SetDisjunctRowSelect(t.disjunctRows);
    g->Navigation()->SetAllowClipboardAlways(t.always);
    if (t.disjunctRows) {
      g->SetRowSelect(1, true);
      g->SetRowSelect(2, true);
    }
    g->SetSelection(TGridRect(1, 1, 2, 2));
    undo.Reset();
    g->CutSelectionToClipboard();
    QStringList got;
    for (int r = 1; r <= 3; ++r)
      got << g->Cells(1, r) << g->Cells(2, r);
    EXPECT_EQ(got.join('|'), t.expect);
    undo.Undo();
    got.clear();
    for (int r = 1; r <= 3; ++r)
      got << g->Cells(1, r) << g->Cells(2, r);
    EXPECT_EQ(got.join('|'), before);
    if (t.disjunctRows)
      g->ClearRowSelect();
    g->SetReadOnly(2, 1, false);
  }
  g->SetUndoRedo(nullptr);
}

TEST_F(Clipboard, ShortcutsCopyAndPasteTheSelection)
{
  g->Navigation()->SetAllowClipboardShortCuts(true);
  g->SetCells(1, 1, "k1");
  g->SetCells(2, 1, "k2");
  g->SetSelection(TGridRect(1, 1, 2, 1));
  SimKey(g, 'C', {ssCtrl});
  EXPECT_EQ(ClipboardText(), "k1\tk2");
  g->SetSelection(TGridRect(1, 4, 1, 4));
  SimKey(g, 'V', {ssCtrl});
  EXPECT_EQ(Row(4, 1, 2), "k1|k2");
  g->SetSelection(TGridRect(1, 1, 1, 1));
  SimKey(g, 'X', {ssCtrl});
  EXPECT_EQ(g->Cells(1, 1), "");
  EXPECT_EQ(ClipboardText(), "k1");
}

TEST_F(Clipboard, ResizerHandleRepeatsTheSelectionOverTheDraggedCells)
{
  g->SetSelectionRectangle(true);
  g->SetSelectionResizer(true);
  g->Navigation()->SetAllowSmartClipboard(true);
  g->SetCells(1, 1, "1");
  g->SetCells(1, 2, "2");
  g->SetSelection(TGridRect(1, 1, 1, 2));
  SimProcess();
  const TRect h = g->CellRect(1, 2);
  const TRect to = g->CellRect(1, 5);
  const TPoint from(h.Right - 3, h.Bottom - 3), dest((to.Left + to.Right) / 2, (to.Top + to.Bottom) / 2);
  SimMouseMove(g, from.X, from.Y);
  SimMouseDown(g, from.X, from.Y);
  SimMouseMove(g, dest.X, dest.Y);
  SimMouseUp(g, dest.X, dest.Y);
  SimProcess();
  EXPECT_EQ(Column(1, 1, 6), "1|2|3|4|5|");
}

}  // namespace
