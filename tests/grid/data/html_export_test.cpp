// HTML export: the table's lines, spans, escaping and links, the file's encoding, pictures as
// JPEG files, and independent checkers (tidy, xmllint, djpeg) on what we write.
#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

#include "framework/controls/forms.h"
#include "framework/graphics/graphics.h"
#include "grid/core/grid_settings.h"
#include "grid/core/zav_string_grid.h"

namespace {

// Runs a shell command; its exit status and what it printed (stdout and stderr).
int RunTool(const QString &Command, QByteArray *Output = nullptr)
{
  FILE *p = popen((Command + " 2>&1").toUtf8().constData(), "r");
  if (!p)
    return -1;
  QByteArray out;
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
    out.append(buf, qsizetype(n));
  if (Output)
    *Output = out;
  const int status = pclose(p);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool Have(const char *Tool) { return RunTool(QStringLiteral("command -v ") + Tool + " >/dev/null") == 0; }

struct HTMLExport : ::testing::Test {
  QTemporaryDir dir;
  TForm form{nullptr};
  TZavStringGrid *g = new TZavStringGrid(&form);
  TBitmap bmp{8, 6};
  HTMLExport()
  {
    g->SetParent(&form);
    g->SetColCount(2);
    g->SetRowCount(2);
    g->SetFixedRows(1);
    g->SetFixedCols(0);
    bmp.Canvas()->Brush()->SetColor(clRed);
    bmp.Canvas()->FillRect(TRect(0, 0, 8, 6));
  }
  QString path(const QString &Name) const { return dir.filePath(Name); }
  QByteArray bytes(const QString &Name) const
  {
    QFile f(path(Name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  QString html() { return g->SaveToHTMLString(QString()); }
  // The text of the n-th cell line (0-based) of the table.
  QString cellLine(const QString &Html, int N)
  {
    int count = 0;
    for (const QString &l : Html.split("\r\n"))
      if (l.startsWith("<TD") || l.startsWith("<td"))
        if (count++ == N)
          return l;
    return QString();
  }
  // A grid with the cases every checker should see.
  void fillAwkward()
  {
    g->SetColCount(4);
    g->SetRowCount(4);
    g->SetURLShow(true);
    g->SetCells(0, 0, "Name & <type>");
    g->SetCells(1, 0, "second\r\nline");
    g->SetCells(0, 1, "a < b && c > d");
    g->SetCells(1, 1, QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC"));
    g->SetCells(2, 1, "http://example.org/a?x=1&y=\"2\"");
    g->SetCells(3, 1, "mailto:someone@example.org");
    g->SetCells(0, 2, "merged over two");
    g->MergeCells(0, 2, 2, 1);
    g->SetCells(2, 2, "");
    g->SetCells(3, 2, "picture");
    g->AddBitmap(3, 2, &bmp, false, haLeft, vaTop);
    g->SetCells(0, 3, "two\r\nlines");
  }
};

TEST_F(HTMLExport, SmallGridGivesTableHeaderAndDataRow)
{
  g->SetCells(0, 0, "H1");
  g->SetCells(1, 0, "H2");
  g->SetCells(0, 1, "d1");
  g->SetCells(1, 1, "d2");
  const QString s = html();
  EXPECT_TRUE(s.contains("<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"0\"  WIDTH=\"100%\">\r\n"));
  EXPECT_EQ(s.count("<TR>"), 2);
  EXPECT_EQ(s.count("<TD class=\"c"), 4);
  EXPECT_EQ(s.count("</TR>"), 2);
  EXPECT_TRUE(s.startsWith("<style>\r\n.c0 {"));
  EXPECT_TRUE(cellLine(s, 0).endsWith(">H1</td>"));
  EXPECT_TRUE(cellLine(s, 3).endsWith(">d2</td>"));
  EXPECT_TRUE(s.contains(".c0 {background-color: #"));
  EXPECT_LE(s.count("\r\n.c"), 2);  // header look and data look
}

TEST_F(HTMLExport, CellContents)
{
  struct Case {
    const char *name;
    QString text;
    bool urlFull;
    QString content;
  };
  const Case cases[] = {
      {"empty", "", false, "&nbsp;"},
      {"blanks only", "   ", false, "&nbsp;"},
      {"plain text escaped", "a<b & c>d", false, "a&lt;b &amp; c&gt;d"},
      {"mark-up stays", "<b>bold</b> & more", false, "<b>bold</b> & more"},
      {"line breaks", "a\r\nb", false, "a<br>\nb"},
      {"web address shown without scheme", "http://example.org/p?a=1&b=2", false,
       "<a href=\"http://example.org/p?a=1&amp;b=2\">example.org/p?a=1&amp;b=2</a>"},
      {"web address in full", "http://example.org/\"q\"", true,
       "<a href=\"http://example.org/&quot;q&quot;\">http://example.org/\"q\"</a>"},
      {"mail address", "mailto:a@b.org", false, "<a href=\"mailto:a@b.org\">a@b.org</a>"},
  };
  g->SetURLShow(true);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    g->SetURLFull(c.urlFull);
    g->SetCells(0, 1, c.text);
    const QString line = cellLine(html(), 2);
    EXPECT_TRUE(line.endsWith(">" + c.content + "</td>")) << line.toStdString();
  }
}

TEST_F(HTMLExport, MergedCellGivesOneLineWithItsSpan)
{
  g->SetCells(0, 1, "wide");
  g->MergeCells(0, 1, 2, 1);
  const QString s = html();
  EXPECT_TRUE(cellLine(s, 2).contains(" COLSPAN=\"2\""));
  EXPECT_TRUE(cellLine(s, 2).endsWith(">wide</td>"));
  EXPECT_EQ(s.count("<TD"), 3);
}

TEST_F(HTMLExport, FileEncodingIsDeclaredAndKeepsEveryCharacter)
{
  g->SetCells(0, 1, QString::fromUtf8("caf\xC3\xA9 \xF0\x9F\x98\x80"));
  g->SaveToHTML(path("a.html"));
  const QByteArray ascii = bytes("a.html");
  EXPECT_TRUE(ascii.contains("charset=us-ascii"));
  EXPECT_TRUE(ascii.contains("caf&#233; &#128512;"));
  EXPECT_FALSE(ascii.contains('?'));
  for (char c : ascii)
    ASSERT_GE(c, 0) << "only ASCII bytes";
  g->SaveToHTML(path("u.html"), false, true);
  const QByteArray u = bytes("u.html");
  ASSERT_TRUE(u.startsWith("\xFF\xFE"));
  const QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(u.constData() + 2), (u.size() - 2) / 2);
  EXPECT_TRUE(text.contains("charset=utf-16"));
  EXPECT_TRUE(text.contains(QString::fromUtf8("caf\xC3\xA9")));
}

TEST_F(HTMLExport, PicturesGoToTheImagesFolderBesideThePage)
{
  g->SetCells(1, 1, "pic");
  g->AddBitmap(1, 1, &bmp, false, haLeft, vaTop);
  g->SaveToHTML(path("p.html"));
  EXPECT_TRUE(QFile::exists(path("images/img1.jpg")));
  EXPECT_TRUE(bytes("p.html").contains(">pic<img src=\"images/img1.jpg\"></td>"));
  EXPECT_TRUE(bytes("images/img1.jpg").startsWith("\xFF\xD8"));

  // Through the string form with a folder: a file URL with its blanks escaped.
  const QString folder = dir.filePath("with blank") + "/";
  EXPECT_TRUE(g->SaveToHTMLString(folder).contains("<img src=\"file://" + dir.path() + "/with%20blank/images/img1.jpg\">"));
  EXPECT_TRUE(QFile::exists(folder + "images/img1.jpg"));

  g->HTMLSettings()->SetExportImages(false);
  QFile::remove(path("images/img1.jpg"));
  g->SaveToHTML(path("p.html"));
  EXPECT_FALSE(QFile::exists(path("images/img1.jpg")));
  EXPECT_TRUE(bytes("p.html").contains(">pic</td>"));
}

TEST_F(HTMLExport, XHTMLModeIsWellFormedXHTML)
{
  g->HTMLSettings()->SetXHTML(true);
  g->SetCells(0, 1, "a\r\nb");
  const QString s = html();
  EXPECT_TRUE(s.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"));
  EXPECT_TRUE(s.contains("<html xmlns=\"http://www.w3.org/1999/xhtml\""));
  EXPECT_TRUE(s.contains("<title>"));
  EXPECT_TRUE(s.contains("<table border=\"1\""));
  EXPECT_TRUE(s.contains(" nowrap=\"nowrap\""));
  EXPECT_TRUE(s.contains("a<br />\nb"));
  EXPECT_FALSE(s.contains("<TD"));
  EXPECT_FALSE(s.contains("&nbsp;"));  // not an XML entity
  EXPECT_TRUE(s.endsWith("</body>\r\n</html>\r\n"));
}

// tidy on the HTML mode, xmllint on the XHTML mode, djpeg on the pictures.
TEST_F(HTMLExport, IndependentCheckersAcceptWhatWeWrite)
{
  fillAwkward();
  g->SaveToHTML(path("page.html"));
  QByteArray out;
  if (Have("tidy")) {
    const int rc = RunTool("tidy -q -e '" + path("page.html") + "'", &out);
    EXPECT_LT(rc, 2) << out.toStdString();
    EXPECT_FALSE(out.contains("Error:")) << out.toStdString();
  } else {
    std::fprintf(stderr, "tidy missing: HTML check skipped\n");
  }
  if (Have("djpeg")) {
    EXPECT_EQ(RunTool("djpeg '" + path("images/img1.jpg") + "' >/dev/null", &out), 0) << out.toStdString();
  } else {
    std::fprintf(stderr, "djpeg missing: picture check skipped\n");
  }
  g->HTMLSettings()->SetXHTML(true);
  g->HTMLSettings()->SetConvertSpecialChars(true);
  g->HTMLSettings()->SetNonBreakingText(true);
  g->SaveToHTML(path("page.xhtml"));
  g->SaveToHTML(path("page16.xhtml"), false, true);
  if (!Have("xmllint"))
    GTEST_SKIP() << "xmllint missing";
  for (const char *name : {"page.xhtml", "page16.xhtml"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(RunTool(QStringLiteral("xmllint --noout '") + path(name) + "'", &out), 0) << out.toStdString();
  }
}

}  // namespace
