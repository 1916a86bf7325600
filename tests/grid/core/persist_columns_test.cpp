// The column layout kept outside the program: the column-states text and the "Col" and "Pos"
// entries of an INI file or the registry.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "framework/classes/inifiles.h"
#include "framework/services/registry.h"
#include "grid/core/grid_settings.h"
#include "grid/core/zav_string_grid.h"
#include "tests/support/test_support.h"

namespace {

// A grid of N columns: row 0 reads "a", "b", ... and column i is 20 + i pixels wide.
void Fill(TZavStringGrid &g, int Cols)
{
  g.SetColCount(Cols);
  g.SetRowCount(3);
  for (int c = 0; c < Cols; ++c) {
    g.SetCells(c, 0, QString(QChar('a' + c)));
    g.SetColWidths(c, 20 + c);
  }
}

QString Row0(TZavStringGrid &g)
{
  QString s;
  for (int c = 0; c < g.ColCount(); ++c)
    s += g.Cells(g.RealColIndex(c), 0);
  return s;
}

QString Widths(TZavStringGrid &g)
{
  QStringList w;
  for (int c = 0; c < g.ColCount(); ++c)
    w << QString::number(g.ColWidths(c));
  return w.join(',');
}

TEST(PersistColumnStates, TextDescribesWidthsOrderAndVisibility)
{
  TZavStringGrid g(nullptr);
  g.SetFixedCols(0);
  Fill(g, 3);
  g.SetColWidths(0, 64);
  g.SetColWidths(1, 80);
  g.SetColWidths(2, 50);
  g.HideColumn(2);
  // A hidden column's width is written as the default width.
  EXPECT_EQ(g.ColumnStatesToString(), "3#64,80,64#0,1,2#1,1,0");
}

TEST(PersistColumnStates, AppliedTextMovesHidesAndSizesColumns)
{
  struct TCase {
    const char *text;
    const char *row0, *widths;  // afterwards
    const char *saved;          // ColumnStatesToString afterwards
  } cases[] = {
      {"4#30,64,64,100#0,2,1,3#1,1,1,1", "acbd", "30,64,64,100", "4#30,64,64,100#0,2,1,3#1,1,1,1"},
      {"3#10,11,12#1,2,0#1,1,1", "bca", "10,11,12", "3#10,11,12#1,2,0#1,1,1"},
      {"4#30,40,64,64#2,0,1,3#1,0,1,0", "cb", "30,40", "4#30,40,64,64#2,0,1,3#1,0,1,0"},
      // An order that is not a permutation of 0..N-1 is ignored; the rest applies.
      {"3#10,11,12#0,0,1#1,1,1", "abc", "10,11,12", "3#10,11,12#0,1,2#1,1,1"},
      {"3#10,11,12#0,7,1#1,1,1", "abc", "10,11,12", "3#10,11,12#0,1,2#1,1,1"},
      {"3#10,11,12#0,1#1,1,1", "abc", "10,11,12", "3#10,11,12#0,1,2#1,1,1"},
      // Damaged counts and texts without "#" change nothing.
      {"4,30,64", "abcd", "20,21,22,23", "4#20,21,22,23#0,1,2,3#1,1,1,1"},
      {"0###", "abcd", "20,21,22,23", "4#20,21,22,23#0,1,2,3#1,1,1,1"},
      {"100000#1#0#1", "abcd", "20,21,22,23", "4#20,21,22,23#0,1,2,3#1,1,1,1"},
      {"x#1#0#1", "abcd", "20,21,22,23", "4#20,21,22,23#0,1,2,3#1,1,1,1"},
  };
  for (const TCase &k : cases) {
    TZavStringGrid g(nullptr);
    g.SetFixedCols(0);
    Fill(g, 4);
    g.StringToColumnStates(QString::fromLatin1(k.text));
    EXPECT_EQ(Row0(g), k.row0) << k.text;
    EXPECT_EQ(Widths(g), k.widths) << k.text;
    EXPECT_EQ(g.ColumnStatesToString(), k.saved) << k.text;
  }
}

TEST(PersistColumnStates, ResetColumnOrderRestoresTheOriginalOrder)
{
  TZavStringGrid g(nullptr);
  g.SetFixedCols(0);
  Fill(g, 5);
  g.StringToColumnStates("5#1,2,3,4,5#3,4,1,0,2#1,0,1,1,1");
  EXPECT_EQ(Row0(g), "dbac");
  g.ResetColumnOrder();
  EXPECT_EQ(Row0(g), "abcde") << "every column shown again, in its original place";
  EXPECT_EQ(g.ColumnStatesToString().section('#', 2, 2), "0,1,2,3,4");
}

// The column store is an INI file or the registry, both in a temporary folder.
class PersistColumnStore : public ::testing::TestWithParam<TColumnSizeLocation> {
protected:
  void SetUp() override
  {
    SetRegistryStoreFile(dir.filePath("registry.ini"));
    file = dir.filePath("grid.ini");
    Fill(g, 4);
    g.ColumnSize()->SetLocation(GetParam());
    g.ColumnSize()->SetKey(GetParam() == clIniFile ? file : QStringLiteral("Software\\Test\\Grid"));
    g.ColumnSize()->SetSection("Cols");
  }
  void TearDown() override { SetRegistryStoreFile(QString()); }
  void WriteEntries(const QStringList &Entries)
  {
    if (GetParam() == clIniFile) {
      testsupport::WriteBytes(file, ("[Cols]\r\n" + Entries.join("\r\n") + "\r\n").toLatin1());
      return;
    }
    TRegistryIniFile reg(g.ColumnSize()->Key());
    reg.EraseSection("Cols");
    for (const QString &e : Entries)
      reg.WriteString("Cols", e.section('=', 0, 0), e.section('=', 1));
  }
  QTemporaryDir dir;
  QString file;
  TZavStringGrid g{nullptr};
};

TEST_P(PersistColumnStore, WidthsRoundTrip)
{
  g.SaveColSizes();
  for (int c = 0; c < 4; ++c)
    g.SetColWidths(c, 5);
  g.LoadColSizes();
  EXPECT_EQ(Widths(g), "20,21,22,23");
  // Only the entries present change their columns.
  WriteEntries({"Col1=77"});
  g.LoadColSizes();
  EXPECT_EQ(Widths(g), "20,77,22,23");
}

TEST_P(PersistColumnStore, PositionsRoundTrip)
{
  g.SetFixedCols(0);
  g.StringToColumnStates("4#20,21,22,23#2,0,3,1#1,1,1,1");
  ASSERT_EQ(Row0(g), "cadb");
  g.SaveColPositions();
  TZavStringGrid h(nullptr);
  h.SetFixedCols(0);
  Fill(h, 4);
  h.ColumnSize()->Assign(g.ColumnSize());
  h.LoadColPositions();
  EXPECT_EQ(Row0(h), "cadb");
  EXPECT_EQ(h.ColumnStatesToString().section('#', 2, 2), "2,0,3,1");
}

// A damaged order never moves a column.
TEST_P(PersistColumnStore, IncompleteOrInvalidPositionsChangeNothing)
{
  g.SetFixedCols(0);
  const QStringList damaged[] = {
      {"Pos1=0", "Pos2=1", "Pos3=2"},              // Pos0 missing
      {"Pos0=1", "Pos1=0"},                        // too few
      {"Pos0=1", "Pos1=1", "Pos2=0", "Pos3=2"},    // repeated
      {"Pos0=3", "Pos1=0", "Pos2=1", "Pos3=9"},    // out of range
      {"Pos0=3", "Pos1=0", "Pos2=-5", "Pos3=1"},   // negative
  };
  for (const QStringList &entries : damaged) {
    WriteEntries(entries);
    g.LoadColPositions();
    EXPECT_EQ(Row0(g), "abcd") << entries.join(' ').toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Stores, PersistColumnStore, ::testing::Values(clIniFile, clRegistry),
                         [](const auto &info) { return info.param == clIniFile ? "IniFile" : "Registry"; });

// Stored files depend on the exact text; other owners' sections survive.
TEST(PersistColumnIniFile, ExactText)
{
  QTemporaryDir dir;
  const QString file = dir.filePath("grid.ini");
  testsupport::WriteBytes(file, "[Other]\r\nKeep=1\r\n");
  TZavStringGrid g(nullptr);
  g.SetFixedCols(0);
  Fill(g, 3);
  g.ColumnSize()->SetLocation(clIniFile);
  g.ColumnSize()->SetKey(file);
  g.ColumnSize()->SetSection("Grid");
  g.StringToColumnStates("3#20,21,22#1,2,0#1,1,1");
  g.SaveColSizes();
  g.SaveColPositions();
  EXPECT_EQ(testsupport::ReadBytes(file),
            "[Other]\r\nKeep=1\r\n\r\n[Grid]\r\nCol0=20\r\nCol1=21\r\nCol2=22\r\nPos0=1\r\nPos1=2\r\nPos2=0\r\n\r\n");
}

TEST(PersistColumnIniFile, NothingWithoutKeyOrSection)
{
  QTemporaryDir dir;
  const QString file = dir.filePath("grid.ini");
  struct TCase { QString key, section; } cases[] = {{file, ""}, {"", "Grid"}};
  for (const TCase &k : cases) {
    TZavStringGrid g(nullptr);
    Fill(g, 3);
    g.ColumnSize()->SetLocation(clIniFile);
    g.ColumnSize()->SetKey(k.key);
    g.ColumnSize()->SetSection(k.section);
    g.SaveColSizes();
    g.SaveColPositions();
    g.LoadColSizes();
    EXPECT_FALSE(QFile::exists(file));
  }
}

}  // namespace
