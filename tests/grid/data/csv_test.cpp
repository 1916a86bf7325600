// CSV files: field quoting, delimiter detection, records across line ends, the footer rows kept
// below loaded data, encodings, and an independent reader (Python's csv module) on our output.
#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "framework/classes/classes.h"
#include "framework/controls/forms.h"
#include "grid/core/footer.h"
#include "grid/core/zav_string_grid.h"

namespace {

struct CSV : ::testing::Test {
  QTemporaryDir dir;
  TForm form{nullptr};
  TZavStringGrid *g = new TZavStringGrid(&form);
  CSV()
  {
    g->SetParent(&form);
    g->SetFixedRows(0);
    g->SetFixedCols(0);
  }
  QString path(const QString &Name = "t.csv") const { return dir.filePath(Name); }
  QByteArray bytes(const QString &Name = "t.csv") const
  {
    QFile f(path(Name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void write(const QByteArray &Data, const QString &Name = "t.csv") const
  {
    QFile f(path(Name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Data);
  }
  void fill(const std::vector<QStringList> &Rows)
  {
    g->SetRowCount(int(Rows.size()));
    int cols = 1;
    for (const QStringList &r : Rows)
      cols = std::max(cols, int(r.size()));
    g->SetColCount(cols);
    for (int r = 0; r < int(Rows.size()); ++r)
      for (int c = 0; c < Rows[r].size(); ++c)
        g->SetCells(c, r, Rows[r][c]);
  }
  QStringList row(int R)
  {
    QStringList l;
    for (int c = 0; c < g->ColCount(); ++c)
      l << g->Cells(c, R);
    return l;
  }
};

TEST_F(CSV, FieldsAreQuotedWhenTheyHoldDelimiterQuoteOrLineBreak)
{
  struct Case {
    const char *name;
    QString text;
    bool java, always, quoteEmpty;
    QByteArray written;
    QString readBack;  // what a load gives back
  };
  const QString crlf = "a\r\nb";
  const Case cases[] = {
      {"plain", "abc", false, false, true, "abc\r\n", "abc"},
      {"quote", "say \"hi\"", false, false, true, "\"say \"\"hi\"\"\"\r\n", "say \"hi\""},
      {"delimiter", "a,b", false, false, true, "\"a,b\"\r\n", "a,b"},
      {"always", "x", false, true, true, "\"x\"\r\n", "x"},
      {"empty", "", false, false, true, "\"\"\r\n", ""},
      {"empty java", "", true, false, true, "^\r\n", ""},
      {"empty bare", "", false, false, false, "\r\n", ""},
      {"empty always java", "", true, true, false, "\"\"\r\n", ""},
      {"two lines", crlf, false, false, true, "\"a\r\nb\"\r\n", crlf},
      {"two lines always", crlf, false, true, true, "\"a\r\nb\"\r\n", crlf},
      {"bare line feed", "a\nb", false, false, true, "\"a\nb\"\r\n", "a\nb"},
      {"two lines java", crlf, true, false, true, "a~b\r\n", crlf},
      {"bare line feed java", "a\nb", true, false, true, "a~b\r\n", crlf},
      {"delimiter java", "a,b", true, false, true, "\"a,b\"\r\n", "a,b"},
      {"delimiter and lines java", "a,\r\nb", true, false, true, "\"a,~b\"\r\n", "a,\r\nb"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    g->SetJavaCSV(c.java);
    g->SetAlwaysQuotes(c.always);
    g->SetQuoteEmptyCells(c.quoteEmpty);
    fill({{c.text}});
    g->SaveToCSV(path());
    EXPECT_EQ(bytes(), c.written);
    g->SetCells(0, 0, "stale");
    g->LoadFromCSV(path());
    EXPECT_EQ(g->RowCount(), 1);
    EXPECT_EQ(g->Cells(0, 0), c.written == "\r\n" ? "stale" : c.readBack);
  }
}

TEST_F(CSV, ReadingSplitsRecordsAndFields)
{
  struct Case {
    const char *name;
    QByteArray data;
    std::vector<QStringList> rows;
  };
  const Case cases[] = {
      {"semicolons beat the comma", "a;b;c;d,x\r\n1;2;3;4,y\r\n", {{"a", "b", "c", "d,x"}, {"1", "2", "3", "4,y"}}},
      {"one line, bars", "a|b|c,d\r\n", {{"a", "b", "c,d"}}},
      {"no delimiter at all", "abc\r\ndef", {{"abc"}, {"def"}}},
      {"leading blanks dropped", "  a,  b\r\n", {{"a", "b"}}},
      {"quoted delimiter and quotes", "\"a,b\",\"c\"\"d\"\r\n", {{"a,b", "c\"d"}}},
      {"quoted field across lines", "1,\"x\r\ny\",2\r\n3,4,5\r\n", {{"1", "x\r\ny", "2"}, {"3", "4", "5"}}},
      {"line feeds only", "1,\"x\ny\"\n3,4\n", {{"1", "x\ny"}, {"3", "4"}}},
      {"last field across lines", "1,\"x\r\n\"\"y\"\"\"\r\n2,3\r\n", {{"1", "x\r\n\"y\""}, {"2", "3"}}},
      {"vertical tab of older files", "\"a\x0b" "b\",c\r\n", {{"a\r\nb", "c"}}},
      {"unclosed quote costs one row", "1,\"abc\r\n2,3\r\n", {{"1", "abc"}, {"2", "3"}}},
      {"text after a closing quote kept", "\"ab\"cd,e\r\n", {{"abcd", "e"}}},
      {"byte-order mark", "\xEF\xBB\xBFx,\xC3\xA9\r\n", {{"x", QString::fromUtf8("\xC3\xA9")}}},
      {"ANSI without mark", "x,\xE9\r\n", {{"x", QString::fromUtf8("\xC3\xA9")}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    g->SetRowCount(1);
    g->SetColCount(1);
    g->SetCells(0, 0, QString());
    write(c.data);
    g->LoadFromCSV(path());
    ASSERT_EQ(g->RowCount(), int(c.rows.size()));
    for (int r = 0; r < int(c.rows.size()); ++r)
      for (int k = 0; k < c.rows[r].size(); ++k)
        EXPECT_EQ(g->Cells(k, r), c.rows[r][k]) << "row " << r << " field " << k;
    EXPECT_TRUE(g->Delimiter().isNull());  // detection is for one read only
  }
}

TEST_F(CSV, HeaderLineSkippedStillChoosesTheDelimiter)
{
  // Without the header line the data line alone would pick ",".
  write("h1;h2\r\n1;2,5\r\n");
  g->SetColCount(2);
  g->SetLoadFirstRow(false);
  g->LoadFromCSV(path());
  EXPECT_EQ(g->RowCount(), 1);
  EXPECT_EQ(row(0), QStringList({"1", "2,5"}));
}

TEST_F(CSV, RightOfTheLastFieldCellsKeepTheirText)
{
  fill({{"old1", "old2", "old3"}});
  write("n1,n2\r\n");
  g->LoadFromCSV(path());
  EXPECT_EQ(row(0), QStringList({"n1", "n2", "old3"}));
}

TEST_F(CSV, LoadGrowsInStepsAndEndsWithTheLoadedRows)
{
  QByteArray data;
  for (int i = 0; i < 2500; ++i)
    data += QByteArray::number(i) + ",x\r\n";
  write(data);
  g->SetRowCount(10);
  std::set<int> counts;
  g->OnLoadCell = [&](TObject *, int, int, QString &) { counts.insert(g->RowCount()); };
  g->LoadFromCSV(path());
  EXPECT_EQ(counts, std::set<int>({10, 1010, 2010, 3010}));
  EXPECT_EQ(g->RowCount(), 2500);
  EXPECT_EQ(g->Cells(0, 2499), "2499");
}

TEST_F(CSV, FixedFooterRowsStayBelowLoadedAndInsertedData)
{
  struct Case {
    const char *name;
    bool insert;
    int gridRows;
    QByteArray data;
    std::vector<QString> firstColumn;  // the whole grid after the read
  };
  const Case cases[] = {
      {"load, fewer rows", false, 6, "a\r\nb\r\n", {"a", "b", "sum", "avg"}},
      {"load, more rows", false, 4, "a\r\nb\r\nc\r\nd\r\n", {"a", "b", "c", "d", "sum", "avg"}},
      {"insert above the footers", true, 4, "c\r\nd\r\n", {"r0", "r1", "c", "d", "sum", "avg"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    g->SetFixedFooters(0);
    g->SetColCount(2);
    g->SetRowCount(c.gridRows);
    for (int r = 0; r < c.gridRows; ++r) {
      g->SetCells(0, r, QStringLiteral("r%1").arg(r));
      g->SetCells(1, r, QStringLiteral("second%1").arg(r));
    }
    g->SetFixedFooters(2);
    g->SetCells(0, c.gridRows - 2, "sum");
    g->SetCells(0, c.gridRows - 1, "avg");
    g->SetCells(1, c.gridRows - 1, "footer");
    write(c.data);
    c.insert ? g->InsertFromCSV(path()) : g->LoadFromCSV(path());
    std::vector<QString> got;
    for (int r = 0; r < g->RowCount(); ++r)
      got.push_back(g->Cells(0, r));
    EXPECT_EQ(got, c.firstColumn);
    EXPECT_EQ(g->Cells(1, g->RowCount() - 1), "footer");
  }
}

TEST_F(CSV, InsertKeepsTheFloatingFooterLast)
{
  fill({{"r0"}, {"r1"}, {"foot"}});
  g->FloatingFooter()->SetVisible(true);
  g->SetCells(0, 2, "foot");
  write("x\r\ny\r\n");
  g->InsertFromCSV(path());
  ASSERT_EQ(g->RowCount(), 5);
  EXPECT_EQ(g->Cells(0, 2), "x");
  EXPECT_EQ(g->Cells(0, 3), "y");
  EXPECT_EQ(g->Cells(0, 4), "foot");
}

TEST_F(CSV, EncodingsOfTheWrittenFile)
{
  fill({{QString::fromUtf8("caf\xC3\xA9"), "x"}});
  g->SaveToCSV(path(), true);
  EXPECT_EQ(bytes(), QByteArray("\xEF\xBB\xBF" "caf\xC3\xA9,x\r\n"));
  g->SaveToCSV(path(), false);
  EXPECT_EQ(bytes(), QByteArray("caf\xE9,x\r\n"));
}

TEST_F(CSV, AppendWritesAfterTheExistingText)
{
  EXPECT_THROW(g->AppendToCSV(path("missing.csv")), EFOpenError);
  fill({{"a", "b"}});
  write("old,line");  // no line end at its end
  g->AppendToCSV(path());
  EXPECT_EQ(bytes(), QByteArray("old,line\r\na,b\r\n"));
  // A Unicode file stays Unicode even when ANSI is asked.
  write("\xEF\xBB\xBF\xE2\x82\xAC\r\n");
  g->SetCells(0, 0, QString::fromUtf8("\xC5\x81"));  // not in Windows-1252
  g->AppendToCSV(path());
  EXPECT_EQ(bytes(), QByteArray("\xEF\xBB\xBF\xE2\x82\xAC\r\n\xC5\x81,b\r\n"));
}

TEST_F(CSV, EmptyInput)
{
  TMemoryStream empty;
  EXPECT_THROW(g->LoadFromCSVStream(&empty), Exception);
  fill({{"keep"}});
  write("");
  g->LoadFromCSV(path());
  EXPECT_EQ(g->Cells(0, 0), "keep");
  EXPECT_THROW(g->LoadFromCSV(path("missing.csv")), EFOpenError);
}

TEST_F(CSV, StreamReadStartsAtThePosition)
{
  fill({{"", ""}});
  TStringStream s(QStringLiteral("skip\r\n1,2\r\n"));
  s.SetPosition(6);
  g->LoadFromCSVStream(&s);
  EXPECT_EQ(row(0), QStringList({"1", "2"}));
}

TEST_F(CSV, ProgressRunsToHundredBothWays)
{
  fill({{"a"}, {"b"}, {"c"}, {"d"}, {"e"}});
  std::vector<int> saved, loaded;
  g->OnFileProgress = [&](TObject *, int16_t p) { saved.push_back(p); };
  g->SaveToCSV(path());
  EXPECT_EQ(saved, std::vector<int>({0, 25, 50, 75, 100}));
  g->OnFileProgress = [&](TObject *, int16_t p) { loaded.push_back(p); };
  g->LoadFromCSV(path());
  EXPECT_EQ(loaded, std::vector<int>({20, 40, 60, 80, 100}));
  EXPECT_EQ(g->RowCount(), 5);
}

// Python's csv module, an independent reader, gets back the cells SaveToCSV wrote.
TEST_F(CSV, PythonCsvReadsWhatWeWrite)
{
  if (std::system("python3 -c 'import csv, json' >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "python3 is not available";
  const std::vector<QStringList> rows = {
      {"plain", "with,comma", "say \"hi\""},
      {"two\r\nlines", "", "bare\nfeed"},
      {"  lead", "semi;colon", QString::fromUtf8("\xC3\xA9t\xC3\xA9")},
  };
  const struct {
    const char *name;
    QChar delim;
    bool always;
  } variants[] = {{"comma", QChar(), false}, {"semicolon", QLatin1Char(';'), false}, {"always quotes", QChar(), true}};
  for (const auto &v : variants) {
    SCOPED_TRACE(v.name);
    fill(rows);
    g->SetDelimiter(v.delim);
    g->SetAlwaysQuotes(v.always);
    g->SaveToCSV(path(), true);
    const QString script = dir.filePath("read.py");
    QFile py(script);
    ASSERT_TRUE(py.open(QIODevice::WriteOnly | QIODevice::Truncate));
    py.write("import csv, json, sys\n"
             "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
             "    rows = list(csv.reader(f, delimiter=sys.argv[2], strict=True))\n"
             "sys.stdout.write(json.dumps(rows))\n");
    py.close();
    const QString delim = v.delim.isNull() ? QStringLiteral(",") : QString(v.delim);
    const QByteArray cmd = QStringLiteral("python3 '%1' '%2' '%3'").arg(script, path(), delim).toUtf8();
    FILE *p = popen(cmd.constData(), "r");
    ASSERT_NE(p, nullptr);
    QByteArray out;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
      out.append(buf, qsizetype(n));
    ASSERT_EQ(pclose(p), 0);
    QString expected = QStringLiteral("[");
    for (size_t r = 0; r < rows.size(); ++r) {
      expected += r ? QStringLiteral(", [") : QStringLiteral("[");
      for (int c = 0; c < rows[r].size(); ++c) {
        QString s = rows[r][c];
        s.replace("\\", "\\\\").replace("\"", "\\\"").replace("\r", "\\r").replace("\n", "\\n");
        s.replace(QString::fromUtf8("\xC3\xA9"), "\\u00e9");
        expected += (c ? QStringLiteral(", \"") : QStringLiteral("\"")) + s + "\"";
      }
      expected += "]";
    }
    expected += "]";
    EXPECT_EQ(QString::fromUtf8(out), expected);
  }
}

}  // namespace
