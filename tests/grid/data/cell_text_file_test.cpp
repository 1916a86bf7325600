// The cell text file and stream: exact bytes, round trips of awkward texts (line breaks of every
// kind, tabs, quotes, commas, non-Latin text), refused size lines that leave the grid alone,
// the stream's stop at foreign data, copying cells between grids, progress and CellToReal.
#include "grid/core/zav_string_grid.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "framework/classes/classes.h"
#include "framework/system/sysutils.h"
#include "grid/core/grid_error.h"
#include "grid/core/text_conversion.h"
#include "tests/support/test_support.h"

namespace {

struct TTempDir {
  QTemporaryDir Dir;
  QString Path(const char *Name) const { return Dir.filePath(QString::fromLatin1(Name)); }
};

QByteArray ReadAll(const QString &Path) { return testsupport::ReadBytes(Path); }
void WriteAll(const QString &Path, const QByteArray &Bytes) { testsupport::WriteBytes(Path, Bytes); }

QByteArray Utf16(const QString &S) { return EncodeText(S, TEncoding::Unicode); }

// Every text of the grid, row by row.
QStringList AllTexts(TZavStringGrid &G)
{
  QStringList out;
  for (int r = 0; r < G.RowCount(); ++r)
    for (int c = 0; c < G.AllColCount(); ++c)
      out << G.GridCells(c, r);
  return out;
}

// Three columns, three rows, one fixed row and column, set widths.
void SmallGrid(TZavStringGrid &G)
{
  G.SetColCount(3);
  G.SetRowCount(3);
  G.SetFixedRows(1);
  G.SetFixedCols(1);
  for (int c = 0; c < 3; ++c)
    G.SetColWidths(c, 20 + 10 * c);
  G.SetCells(1, 0, "Head");
  G.SetCells(1, 1, "a");
  G.SetCells(2, 1, "1,5");
  G.SetCells(1, 2, "x\r\ny");
  G.SetCells(2, 2, QStringLiteral("\u00e9\u20ac"));
}

const char SmallGridText[] = "3,3\r\ncw 0,20\r\ncw 1,30\r\ncw 2,40\r\n1,0,Head\r\n1,1,a\r\n2,1,1,5\r\n"
                             "1,2,x\t\by\r\n2,2,\u00e9\u20ac\r\n";

TEST(CellTextFile, ExactBytesInBothEncodings)
{
  TTempDir dir;
  TZavStringGrid g(nullptr);
  SmallGrid(g);
  const QString text = QString::fromUtf8(SmallGridText);
  g.SaveToFile(dir.Path("ansi.txt"));
  // Windows-1252: e acute is E9, the euro sign 80.
  const QByteArray ansi = QByteArray(SmallGridText).replace("\xC3\xA9\xE2\x82\xAC", "\xE9\x80");
  EXPECT_EQ(ReadAll(dir.Path("ansi.txt")), ansi);
  g.SaveToFile(dir.Path("wide.txt"), true);
  EXPECT_EQ(ReadAll(dir.Path("wide.txt")), QByteArray("\xFF\xFE") + Utf16(text));

  TMemoryStream s;
  g.SaveToStream(&s);
  EXPECT_EQ(s.Bytes(), Utf16(text));
}

TEST(CellTextFile, ReadsEveryEncodingBack)
{
  TTempDir dir;
  const QString text = QString::fromUtf8(SmallGridText);
  const struct {
    const char *Name;
    QByteArray Bytes;
  } files[] = {
      {"no mark: Windows-1252", QByteArray(SmallGridText).replace("\xC3\xA9\xE2\x82\xAC", "\xE9\x80")},
      {"UTF-8 mark", QByteArray("\xEF\xBB\xBF") + text.toUtf8()},
      {"UTF-16 mark", QByteArray("\xFF\xFE") + Utf16(text)},
  };
  TZavStringGrid source(nullptr);
  SmallGrid(source);
  source.SetMultilinecells(true);
  for (const auto &f : files) {
    SCOPED_TRACE(f.Name);
    WriteAll(dir.Path("in.txt"), f.Bytes);
    TZavStringGrid g(nullptr);
    g.SetMultilinecells(true);
    g.LoadFromFile(dir.Path("in.txt"));
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(AllTexts(g), AllTexts(source));
    EXPECT_EQ(g.ColWidths(2), 40);
  }
}

// Every line break comes back as CR LF; a bare LF or CR must not start a line of the file.
TEST(CellTextFile, AwkwardTextsRoundTrip)
{
  struct TCase {
    const char *Name;
    QString Text, Expected;
    bool Multiline = true;
  } cases[] = {
      {"CR LF", "a\r\nb", "a\r\nb"},
      {"bare LF", "a\nb", "a\r\nb"},
      {"lone CR", "a\rb", "a\r\nb"},
      {"mixed breaks", "1\n\r2\r\r\n3\n", "1\r\n\r\n2\r\n\r\n3\r\n"},
      {"LF before a cell address", "x\n2,1,evil", "x\r\n2,1,evil"},
      {"tab", "a\tb", "a\tb"},
      {"quotes and commas", "say \"hi\", \"you\"", "say \"hi\", \"you\""},
      {"non-Latin", QStringLiteral("\u041f\u0440\u0438\u0432\u0435\u0442 \u65e5\u672c"),
       QStringLiteral("\u041f\u0440\u0438\u0432\u0435\u0442 \u65e5\u672c")},
      {"first line only", "a\nb", "a", false},
  };
  TTempDir dir;
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Name);
    TZavStringGrid source(nullptr);
    source.SetColCount(3);
    source.SetRowCount(3);
    source.SetCells(1, 1, c.Text);
    source.SaveToFile(dir.Path("t.txt"), true);
    TZavStringGrid g(nullptr);
    g.SetMultilinecells(c.Multiline);
    g.LoadFromFile(dir.Path("t.txt"));
    EXPECT_EQ(g.GridCells(1, 1), c.Expected);
    EXPECT_EQ(g.GridCells(2, 1), "");
    // The stream carries the same form.
    TZavStringGrid copy(nullptr);
    copy.SetMultilinecells(c.Multiline);
    copy.AssignCells(&source);
    EXPECT_EQ(copy.GridCells(1, 1), c.Expected);
    EXPECT_EQ(copy.GridCells(2, 1), "");
  }
}

QString WithCrLfBreaks(const QString &S)
{
  QString t = S;
  t.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
  return t;
}

TEST(CellTextFile, RandomGridsRoundTripInFileAndStream)
{
  const QString alphabet = QStringLiteral("ab ,\"';\n\r\u00e9\u0416\u4e2d");
  std::mt19937 rnd(27);
  TTempDir dir;
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    TZavStringGrid source(nullptr);
    const int cols = 1 + int(rnd() % 5), rows = 1 + int(rnd() % 6);
    source.SetColCount(cols);
    source.SetRowCount(rows);
    source.SetFixedRows(0);
    source.SetFixedCols(0);
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) {
        QString t;
        for (int n = int(rnd() % 7); n > 0; --n)
          t += alphabet[int(rnd() % alphabet.size())];
        source.SetCells(c, r, t);
      }
    QStringList expected = AllTexts(source);
    for (QString &t : expected)
      t = WithCrLfBreaks(t);

    source.SaveToFile(dir.Path("r.txt"), true);
    TZavStringGrid file(nullptr);
    file.SetMultilinecells(true);
    file.LoadFromFile(dir.Path("r.txt"));
    EXPECT_EQ(AllTexts(file), expected);

    TZavStringGrid stream(nullptr);
    stream.SetMultilinecells(true);
    stream.AssignCells(&source);
    EXPECT_EQ(AllTexts(stream), expected);
  }
}

// A damaged or impossible size line is refused before any count, width or cell changes.
TEST(CellTextFile, BadSizeLineLeavesTheGridAlone)
{
  struct TCase {
    const char *Name;
    const char *Text;
    const char *Message;
  } cases[] = {
      {"huge", "99999999,99999999\r\n1,1,x\r\n", "Too many cells"},
      {"too many columns", "70000,1\r\n", "Too many cells"},
      {"too many cells", "1000,100000\r\n", "Too many cells"},
      {"no comma", "3\r\n", "File contains no data or corrupt file "},
      {"not a number", "x,3\r\n", "File contains no data or corrupt file "},
      {"negative", "-1,3\r\n", "File contains no data or corrupt file "},
      {"no rows", "3,0\r\n", "File contains no data or corrupt file "},
      {"empty file", "", "File contains no data or corrupt file "},
  };
  TTempDir dir;
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Name);
    WriteAll(dir.Path("bad.txt"), c.Text);
    TZavStringGrid g(nullptr);
    SmallGrid(g);
    const QStringList before = AllTexts(g);
    try {
      g.LoadFromFile(dir.Path("bad.txt"));
      ADD_FAILURE() << "no error";
    } catch (const EZavGridError &e) {
      EXPECT_TRUE(e.Message().startsWith(c.Message)) << e.Message().toStdString();
    }
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.ColWidths(1), 30);
    EXPECT_EQ(AllTexts(g), before);
  }
}

TEST(CellTextStream, HugeSizeLineIsRefusedBeforeAnythingChanges)
{
  TZavStringGrid g(nullptr);
  SmallGrid(g);
  const QStringList before = AllTexts(g);
  TMemoryStream s;
  s.WriteBuffer(Utf16("99999999,99999999\r\n0,0,x\r\n"));
  s.SetPosition(0);
  EXPECT_THROW(g.LoadFromStream(&s), EZavGridError);
  EXPECT_EQ(g.RowCount(), 3);
  EXPECT_EQ(AllTexts(g), before);
  // A size field that is not a number is the platform's conversion error, also before changes.
  TMemoryStream bad;
  bad.WriteBuffer(Utf16("3,x\r\n0,0,x\r\n"));
  bad.SetPosition(0);
  EXPECT_THROW(g.LoadFromStream(&bad), EConvertError);
  EXPECT_EQ(AllTexts(g), before);
}

TEST(CellTextStream, WidthLinesOutsideTheGridAreIgnored)
{
  TZavStringGrid g(nullptr);
  g.SetFixedRows(0);
  g.SetFixedCols(0);
  TMemoryStream s;
  s.WriteBuffer(Utf16("2,2\r\ncw 0,33\r\ncw 5,44\r\ncw -1,55\r\n1,1,z\r\n5,5,out\r\n"));
  s.SetPosition(0);
  g.LoadFromStream(&s);
  EXPECT_EQ(g.ColCount(), 2);
  EXPECT_EQ(g.ColWidths(0), 33);
  EXPECT_EQ(g.GridCells(1, 1), "z");
  EXPECT_EQ(g.TotalColCount(), 2);
}

TEST(CellTextStream, StopsAtForeignDataAndLeavesThePositionThere)
{
  TZavStringGrid g(nullptr);
  g.SetFixedRows(0);
  g.SetFixedCols(0);
  TMemoryStream s;
  s.WriteBuffer(QByteArray("HEAD"));
  const QByteArray cells = Utf16("2,2\r\ncw 0,30\r\n0,1,a,b\r\n");
  s.WriteBuffer(cells);
  s.WriteBuffer(Utf16("trailer\r\n"));
  s.SetPosition(4);
  g.LoadFromStream(&s);
  EXPECT_EQ(s.Position(), 4 + cells.size());
  EXPECT_EQ(g.GridCells(0, 1), "a,b");
}

TEST(CellTextStream, AssignCellsCopiesTextsWidthsAndCounts)
{
  TZavStringGrid source(nullptr), target(nullptr);
  SmallGrid(source);
  source.SetMultilinecells(true);
  target.SetMultilinecells(true);
  target.AssignCells(&source);
  EXPECT_EQ(target.ColCount(), 3);
  EXPECT_EQ(target.RowCount(), 3);
  EXPECT_EQ(target.ColWidths(2), 40);
  EXPECT_EQ(AllTexts(target), AllTexts(source));
}

// Without SaveHiddenCells the file holds the shown columns, numbered as shown.
TEST(CellTextFile, HiddenColumnsFollowSaveHiddenCells)
{
  TTempDir dir;
  for (bool withHidden : {false, true}) {
    SCOPED_TRACE(withHidden);
    TZavStringGrid g(nullptr);
    g.SetColCount(4);
    g.SetRowCount(2);
    g.SetFixedCols(0);
    g.SetFixedRows(0);
    for (int c = 0; c < 4; ++c)
      g.SetCells(c, 1, QStringLiteral("c%1").arg(c));
    g.HideColumn(1);
    g.SetSaveHiddenCells(withHidden);
    g.SaveToFile(dir.Path("h.txt"));
    TZavStringGrid back(nullptr);
    back.LoadFromFile(dir.Path("h.txt"));
    const QStringList expected = withHidden ? QStringList{"c0", "c1", "c2", "c3"} : QStringList{"c0", "c2", "c3"};
    QStringList got;
    for (int c = 0; c < back.ColCount(); ++c)
      got << back.GridCells(c, 1);
    EXPECT_EQ(got, expected);
  }
}

TEST(CellTextFile, ProgressAndExportNotifications)
{
  struct TNoteGrid : TZavStringGrid {
    using TZavStringGrid::TZavStringGrid;
    std::vector<std::pair<int, int>> notes;
    void ExportNotification(int AState, int ARow) override { notes.emplace_back(AState, ARow); }
  };
  TTempDir dir;
  TNoteGrid g(nullptr);
  g.SetColCount(2);
  g.SetRowCount(3);
  g.SetCells(1, 1, "x");
  std::vector<int> saved, loaded;
  g.OnFileProgress = [&](TObject *, int16_t p) { saved.push_back(p); };
  g.SaveToFile(dir.Path("p.txt"));
  EXPECT_EQ(saved, (std::vector<int>{0, 50, 100}));
  const std::vector<std::pair<int, int>> notes = {
      {int(esExportStart), 0}, {int(esExportNextRow), 0}, {int(esExportNextRow), 1},
      {int(esExportNextRow), 2}, {int(esExportDone), -1}};
  EXPECT_EQ(g.notes, notes);

  // A single row loads without a division by zero.
  WriteAll(dir.Path("one.txt"), "1,1\r\n0,0,only\r\n");
  TZavStringGrid one(nullptr);
  one.OnFileProgress = [&](TObject *, int16_t p) { loaded.push_back(p); };
  one.LoadFromFile(dir.Path("one.txt"));
  EXPECT_EQ(one.GridCells(0, 0), "only");
  EXPECT_EQ(loaded, std::vector<int>{0});
}

TEST(CellToReal, EmptyNumbersAndTheFailingPosition)
{
  TZavStringGrid g(nullptr);
  g.SetColCount(3);
  g.SetRowCount(3);
  struct TCase {
    const char *Text;
    double Value;
    const char *Error;
  } cases[] = {
      {"", 0, nullptr},
      {"1.5", 1.5, nullptr},
      {"-2e3", -2000, nullptr},
      {"1.2.3", 0, "Error at position: 4 in Cell [1, 2]."},
      {"1-2", 0, "Error at position: 2 in Cell [1, 2]."},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Text);
    g.SetCells(1, 2, c.Text);
    if (!c.Error) {
      EXPECT_DOUBLE_EQ(g.CellToReal(1, 2), c.Value);
      continue;
    }
    try {
      g.CellToReal(1, 2);
      ADD_FAILURE() << "no error";
    } catch (const EZavGridError &e) {
      EXPECT_EQ(e.Message(), c.Error);
    }
  }
}

} // namespace
