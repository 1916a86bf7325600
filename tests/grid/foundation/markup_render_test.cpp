// The mark-up renderer on small images: what it measures, what it paints (pixels and the
// recorded calls) and what it finds under the mouse must agree.
#include "grid/foundation/markup_render.h"

#include "tests/support/test_support.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Opts {
  int MouseX = -1, MouseY = -1, FocusLink = -1, HoverLink = -1;
  bool HitTest = false, Measure = false, Selected = false, Blink = true, HoverOnly = false, WordWrap = true;
  TColor URL = clNone, HoverColor = clNone, HoverFont = clNone;
  QString ControlID;
  TImageList *Images = nullptr;
  TPictureContainer *Pictures = nullptr;
  THTMLPictureCache *Cache = nullptr;
};

struct Out {
  bool Result = false;
  QString Anchor, Plain, FocusAnchor, Title, CID, CV, CT;
  int Width = 0, Height = 0, Count = 0, MouseAnchor = 0;
  TRect AnchorRect, ControlRect;
};

Out Render(TCanvas &C, const QString &Text, const TRect &R, const Opts &O = {})
{
  Out o;
  o.CID = O.ControlID;
  o.Result = RenderHTMLText(&C, Text, R, O.Images, O.MouseX, O.MouseY, O.FocusLink, O.HoverLink, 1, O.HitTest,
                            O.Measure, false, O.Selected, O.Blink, O.HoverOnly, O.WordWrap, false, 1.0, O.URL,
                            O.HoverColor, O.HoverFont, TColor(0x808080), o.Anchor, o.Plain, o.FocusAnchor, o.Title,
                            o.Width, o.Height, o.Count, o.MouseAnchor, o.AnchorRect, o.ControlRect, o.CID, o.CV,
                            o.CT, O.Cache, O.Pictures, nullptr, 0);
  return o;
}

Out Measure(TCanvas &C, const QString &Text, int W = 400, bool WordWrap = true)
{
  Opts o;
  o.Measure = true;
  o.WordWrap = WordWrap;
  return Render(C, Text, TRect(0, 0, W, 400), o);
}

struct Fixture : ::testing::Test {
  TRecordingCanvas C{400, 120};
  int GH = 0;
  void SetUp() override
  {
    C.Brush()->SetColor(clWhite);
    C.FillRect(TRect(0, 0, 400, 120));
    C.Font()->SetColor(clBlack);
    GH = C.TextHeight("gh");
  }
  // Pixels near a colour (text edges are smoothed, so the core strokes are counted).
  int CountColor(TColor Color, const TRect &R) const
  {
    int n = 0;
    for (int y = std::max(0, R.Top); y < std::min(120, R.Bottom); ++y)
      for (int x = std::max(0, R.Left); x < std::min(400, R.Right); ++x) {
        const TColor p = C.Pixels(x, y);
        bool near = true;
        for (int shift : {0, 8, 16})
          near = near && std::abs(int((p >> shift) & 0xFF) - int((Color >> shift) & 0xFF)) < 70;
        n += near ? 1 : 0;
      }
    return n;
  }
  QStringList Entries(const QString &Prefix) const
  {
    QStringList l;
    for (const QString &e : C.Entries())
      if (e.startsWith(Prefix))
        l << e;
    return l;
  }
};

using MarkupRender = Fixture;

TEST(MarkupColors, NamesAndHex)
{
  struct Case {
    const char *In;
    bool Hex;
    TColor Want;
  } cases[] = {
      {"clred", false, 0x0000FF},  {"clnavy", false, 0x800000},  {"redd", false, 0},
      {"clbtnface", false, TColor(0xFF00000F)}, {"clinfobk", false, TColor(0xFF000018)}, {"clRed", false, 0},
      {"#ff0000", true, 0x0000FF}, {"#00FF80", true, 0x80FF00}, {"#FF00", true, 0}, {"#GG0000", true, 0},
  };
  for (const Case &c : cases)
    EXPECT_EQ(c.Hex ? HTMLColorByHex(c.In) : HTMLColorByName(c.In), c.Want) << c.In;
}

TEST_F(MarkupRender, EmptyTextMeasuresOneTextHeight)
{
  const Out o = Render(C, "", TRect(0, 0, 200, 50));
  EXPECT_FALSE(o.Result);
  EXPECT_EQ(o.Width, 0);
  EXPECT_EQ(o.Height, GH);
  EXPECT_EQ(o.Count, 0);
}

TEST_F(MarkupRender, PreparedTextAndPlainText)
{
  struct Case {
    const char *In, *Plain;
    int Lines;
  } cases[] = {
      {"a&amp;b", "a&&b", 1},          {"x<#1>y", "x#1y", 1},        {"a\rb", "a\rb", 2},
      {"a\r\nb", "a\rb", 2},           {"a<BR>b", "a\rb", 2},        {"a\nb", "ab", 1},
      {"1&lt;2&gt;0", "1<2>0", 1},     {"a<Z>hid</Z>b", "ahidb", 1}, {"<B>bold</b> <i>it</I>", "bold it", 1},
      {"&copy;&euro;", "\u00A9\u20AC", 1}, {"x<Q tag>y", "xy", 1}, {"x<unknown>y", "xy", 2}, {"x<B", "x", 1},
      // Entities in any ASCII case, one of each per pass; other letters never fold.
      {"&AMP;&Quot;", "&&\"", 1},     {"&amp;amp;", "&&&", 1},      {"&reg;&REG;", "\u00AE\u00AE", 1},
      {"&amp&x;", "&amp&x;", 1},       {"&\u017Fect;", "&\u017Fect;", 1},
  };
  for (const Case &c : cases) {
    const Out o = Measure(C, QString::fromUtf8(c.In));
    EXPECT_EQ(o.Plain, QString::fromUtf8(c.Plain)) << c.In;
    EXPECT_EQ(o.Height, c.Lines * GH) << c.In;
  }
  // "&&" is drawn as one "&" and measures as one.
  EXPECT_EQ(Measure(C, "a&amp;b").Width, Measure(C, "a&&b").Width);
  EXPECT_EQ(Measure(C, "a&amp;b").Width, C.TextWidth("a&b"));
  // Hidden text takes no width.
  EXPECT_EQ(Measure(C, "a<Z>hidden</Z>b").Width, Measure(C, "ab").Width);
}

TEST_F(MarkupRender, FontSizesAndStylesMeasure)
{
  TFont f;
  f.Assign(C.Font());
  for (int size : {12, 7}) {
    const QString text = QString("<FONT SIZE=\"%1\">Xg</FONT>").arg(size == 12 ? 3 : 7);
    TRecordingCanvas ref;
    ref.Font()->Assign(&f);
    ref.Font()->SetSize(size);
    // The line is never lower than the canvas font's text height.
    EXPECT_EQ(Measure(C, text).Height, std::max(GH, ref.TextHeight("Xg"))) << size;
    EXPECT_EQ(Measure(C, text).Width, ref.TextWidth("Xg")) << size;
  }
  TRecordingCanvas bold;
  bold.Font()->Assign(&f);
  bold.Font()->SetStyle(TFontStyles() + fsBold);
  EXPECT_EQ(Measure(C, "<B>Wide</B>").Width, bold.TextWidth("Wide"));
  // The canvas font is the starting style and comes back unchanged.
  EXPECT_TRUE(C.Font()->Equals(f));
}

TEST_F(MarkupRender, FontColoursPaint)
{
  struct Case {
    const char *Text;
    TColor Want;
  } cases[] = {
      {"<FONT COLOR=\"clRed\">MMMM</FONT>", 0x0000FF},
      {"<FONT COLOR=\"#ff0000\">MMMM</FONT>", 0x0000FF},
      {"<FONT COLOR=\"#00ff00\">MMMM</FONT>", 0x00FF00},
  };
  for (const Case &c : cases) {
    SetUp();
    Render(C, c.Text, TRect(0, 0, 200, 30));
    EXPECT_GT(CountColor(c.Want, TRect(0, 0, 200, 30)), 5) << c.Text;
  }
  SetUp();
  Render(C, "<FONT COLOR=\"redd\">MMMM</FONT>", TRect(0, 0, 200, 30));
  EXPECT_EQ(CountColor(0x0000FF, TRect(0, 0, 200, 30)), 0);
  EXPECT_GT(CountColor(clBlack, TRect(0, 0, 200, 30)), 5);
  // The canvas brush and pen come back as they were.
  EXPECT_EQ(C.Brush()->Color(), clWhite);
  EXPECT_EQ(C.Brush()->Style(), bsSolid);
}

TEST_F(MarkupRender, WordWrapOffCutsAfterOverflow)
{
  const Out o = Measure(C, "first second <B>third</B> fourth", C.TextWidth("first se"), false);
  EXPECT_EQ(o.Plain, "first second third");
  EXPECT_EQ(o.Height, GH);
  // Painting ends the overflowing piece in an ellipsis.
  Render(C, "first second<B>third</B>", TRect(0, 0, C.TextWidth("first se"), 30), [] {
    Opts o;
    o.WordWrap = false;
    return o;
  }());
  const QStringList texts = Entries("DrawText(");
  ASSERT_FALSE(texts.isEmpty());
  EXPECT_TRUE(texts.last().contains("$8")) << texts.last().toStdString();  // end ellipsis flag
}

TEST_F(MarkupRender, WordWrapKeepsGluedPiecesTogether)
{
  const int w = C.TextWidth("aaaa bbb") + 5;
  EXPECT_EQ(Measure(C, "aaaa bbb<B>ccc</B>", w).Height, GH);
  EXPECT_EQ(Measure(C, "aaaa bbb <B>ccc</B>", w).Height, 2 * GH);
  EXPECT_EQ(Measure(C, "aaaa bbb ccc", w).Height, 2 * GH);
}

TEST_F(MarkupRender, ListLaysOutFourLinesWithBullets)
{
  const QString text = "<UL><LI>one</LI><LI>two</LI></UL>";
  EXPECT_EQ(Measure(C, text).Height, 4 * GH);
  Render(C, text, TRect(0, 0, 300, 120));
  const QStringList texts = Entries("DrawText(");
  // Bullet at x 0 (the rectangle starts one pixel in), text 12 pixels further.
  QStringList bullets, items;
  for (const QString &e : texts)
    (e.contains("'one'") || e.contains("'two'") ? items : bullets) << e;
  ASSERT_EQ(bullets.size(), 2);
  ASSERT_EQ(items.size(), 2);
  EXPECT_TRUE(bullets[0].startsWith(QString("DrawText(1,%1,").arg(GH))) << bullets[0].toStdString();
  EXPECT_TRUE(items[0].startsWith(QString("DrawText(13,%1,").arg(GH))) << items[0].toStdString();
  EXPECT_TRUE(items[1].startsWith(QString("DrawText(13,%1,").arg(2 * GH))) << items[1].toStdString();
  // A second LI on one line starts a new line.
  EXPECT_EQ(Measure(C, "<LI>a<LI>b").Height, 2 * GH);
}

TEST_F(MarkupRender, PaintingStopsAtTheBottomMeasuringDoesNot)
{
  EXPECT_EQ(Measure(C, "a<BR>b<BR>c").Height, 3 * GH);
  const Out o = Render(C, "a<BR>b<BR>c", TRect(0, 0, 100, GH + 2));
  EXPECT_EQ(o.Height, GH);
  EXPECT_EQ(Entries("DrawText(").size(), 1);
}

// Anchors: hit-testing across the painted text finds the anchor whose colour is under the
// point; only the hovered anchor (hover-only) takes the hover font colour.
TEST_F(MarkupRender, AnchorUnderPointIsTheOnePaintedThere)
{
  const QString text = "go <A HREF=\"One\" TITLE=\"First\">first</A> or <A href=\"Two\" title=\"Second\">second</A> end";
  const TRect r(0, 0, 400, 30);
  for (int hover = 1; hover <= 2; ++hover) {
    SetUp();
    Opts p;
    p.HoverOnly = true;
    p.HoverLink = hover;
    p.HoverFont = clRed;
    p.URL = clBlue;
    const Out painted = Render(C, text, r, p);
    EXPECT_EQ(painted.Count, 2);
    // Every red pixel column: the hit test there names the hovered anchor.
    int checked = 0;
    for (int x = 0; x < 400; ++x) {
      if (CountColor(clRed, TRect(x, 0, x + 1, 30)) == 0)
        continue;
      Opts h;
      h.HitTest = true;
      h.MouseX = x;
      h.MouseY = GH / 2;
      const Out o = Render(C, text, r, h);
      ASSERT_TRUE(o.Result) << x;
      EXPECT_EQ(o.MouseAnchor, hover) << x;
      EXPECT_EQ(o.Anchor, hover == 1 ? "One" : "Two");
      EXPECT_EQ(o.Title, hover == 1 ? "First" : "Second");
      EXPECT_LE(o.AnchorRect.Left, x);
      EXPECT_GE(o.AnchorRect.Right, x);
      ++checked;
    }
    EXPECT_GT(checked, 5);
    // The other anchor is painted in the URL colour.
    EXPECT_GT(CountColor(clBlue, r), 5);
  }
  // Outside the anchors nothing is found.
  Opts h;
  h.HitTest = true;
  h.MouseX = 3;
  h.MouseY = GH / 2;
  const Out o = Render(C, text, r, h);
  EXPECT_FALSE(o.Result);
  EXPECT_EQ(o.MouseAnchor, -1);
  EXPECT_EQ(o.Anchor, "");
}

TEST_F(MarkupRender, AnchorHitFollowsAlignment)
{
  const QString text = "<P ALIGN=\"RIGHT\"><A HREF=\"x\">link</A></P>";
  const TRect r(0, 0, 300, 30);
  Opts h;
  h.HitTest = true;
  h.MouseY = GH / 2;
  h.MouseX = 290;
  EXPECT_EQ(Render(C, text, r, h).Anchor, "x");
  h.MouseX = 10;
  EXPECT_EQ(Render(C, text, r, h).Anchor, "");
}

TEST_F(MarkupRender, FocusedAnchorGetsFocusRect)
{
  Opts p;
  p.FocusLink = 1;
  const Out o = Render(C, "<A HREF=\"a\">one</A> <A HREF=\"b\">two</A>", TRect(0, 0, 300, 30), p);
  EXPECT_EQ(o.FocusAnchor, "b");
}

TEST_F(MarkupRender, CheckControlPaintsAndHits)
{
  const QString text = "x <CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"true\" WIDTH=\"16\"> y";
  const TRect r(0, 0, 300, 40);
  Render(C, text, r);
  const QStringList frames = Entries("DrawFrameControl(");
  ASSERT_EQ(frames.size(), 1);
  EXPECT_TRUE(frames[0].endsWith(",4,$4400)")) << frames[0].toStdString();  // button, flat, checked
  const int x = 1 + C.TextWidth("x ");
  Opts h;
  h.HitTest = true;
  h.MouseX = x + 8;
  h.MouseY = 8;
  const Out o = Render(C, text, r, h);
  EXPECT_TRUE(o.Result);
  EXPECT_EQ(o.Anchor, "ctrl");
  EXPECT_EQ(o.CT, "CHECK");
  EXPECT_EQ(o.CID, "c1");
  EXPECT_EQ(o.CV, "true");
  EXPECT_EQ(o.ControlRect, TRect(x, 0, x + 16, 16));
  // Hit-test only with the control's ID reports it without the mouse.
  Opts byId;
  byId.HitTest = true;
  byId.ControlID = "c1";
  EXPECT_EQ(Render(C, text, r, byId).CT, "CHECK");
}

TEST_F(MarkupRender, BackgroundsAndHighlight)
{
  Render(C, "<P BGCOLOR=\"clLime\">para</P>", TRect(0, 0, 200, 60));
  EXPECT_EQ(C.Pixels(150, 2), TColor(0x00FF00));
  SetUp();
  SetHTMLHighlightColors(clBlue, clYellow);
  Render(C, "a <HI>MMMM</HI> b", TRect(0, 0, 200, 60));
  EXPECT_GT(CountColor(clBlue, TRect(0, 0, 200, 60)), 20);
  EXPECT_GT(CountColor(clYellow, TRect(0, 0, 200, 60)), 5);
  SetHTMLHighlightColors(clHighlight, clHighlightText);
  // A stray closing HI changes nothing.
  SetUp();
  Render(C, "a</HI>MMMM", TRect(0, 0, 200, 60));
  EXPECT_GT(CountColor(clBlack, TRect(0, 0, 200, 60)), 5);
  // The hover background covers the anchor only.
  SetUp();
  Opts hover;
  hover.HoverColor = clYellow;
  Render(C, "<A HREF=\"x\">MMM</A> MMMM", TRect(0, 0, 200, 60), hover);
  const int aw = 1 + C.TextWidth("MMM");
  EXPECT_GT(CountColor(clYellow, TRect(0, 0, aw, GH)), 20);
  EXPECT_EQ(CountColor(clYellow, TRect(aw + 1, 0, 200, 60)), 0);
  SetUp();
  Render(C, "<BODY BGCOLOR=\"clAqua\">x", TRect(10, 10, 50, 50));
  EXPECT_EQ(C.Pixels(45, 45), TColor(0xFFFF00));
  EXPECT_EQ(C.Pixels(55, 45), clWhite);
}

TEST_F(MarkupRender, ImageListPictureTakesItsSpace)
{
  TImageList images(10, 10);
  TBitmap bmp(10, 10);
  bmp.Canvas()->Brush()->SetColor(clRed);
  bmp.Canvas()->FillRect(TRect(0, 0, 10, 10));
  images.Add(&bmp, nullptr);
  Opts o;
  o.Images = &images;
  o.Measure = true;
  EXPECT_EQ(Render(C, "<IMG SRC=\"IDX:0\">a", TRect(0, 0, 300, 40), o).Width, 10 + C.TextWidth("a"));
  EXPECT_EQ(Render(C, "<IMG SRC=\"IDX:1\">a", TRect(0, 0, 300, 40), o).Width, C.TextWidth("a"));
  o.Measure = false;
  Render(C, "<IMG SRC=\"IDX:0\">a", TRect(0, 0, 300, 40), o);
  EXPECT_EQ(C.Pixels(5, 5), TColor(clRed));
}

TEST_F(MarkupRender, SubscriptSuperscriptAndErrorUnderline)
{
  EXPECT_EQ(Measure(C, "a<SUB>2</SUB>").Height, GH + GH / 4);
  EXPECT_EQ(Measure(C, "a<SUP>2</SUP>").Height, GH + GH / 4);
  EXPECT_EQ(Measure(C, "a<SUB x>2</SUB>").Height, GH);  // only the bare tag counts
  Render(C, "<E>wrong</E> right", TRect(0, 0, 200, 40));
  const int w = C.TextWidth("wrong");
  // The zigzag runs one pixel around the line's bottom under the marked word only.
  EXPECT_GT(CountColor(clRed, TRect(0, GH - 1, w + 2, GH + 2)), w / 2);
  EXPECT_EQ(CountColor(clRed, TRect(w + 4, 0, 200, 40)), 0);
}

TEST_F(MarkupRender, PicturesFromFilesAndTheContainer)
{
  QTemporaryDir dir;
  ASSERT_TRUE(QFile::copy(testsupport::Fixture("grid/pictures/green5x3.png"), dir.filePath("Green.png")));
  // The path as written finds the file on a case-sensitive file system; the upper-cased
  // text is the cache key.
  THTMLPictureCache cache;
  Opts o;
  o.Cache = &cache;
  const QString url = "file://" + dir.filePath("Green.png");
  const QString text = "<IMG SRC=\"" + url + "\" WIDTH=\"10\">x";
  o.Measure = true;
  const Out m = Render(C, text, TRect(0, 0, 300, 40), o);
  EXPECT_EQ(m.Width, 10 + C.TextWidth("x"));
  ASSERT_EQ(cache.Count(), 1);
  EXPECT_NE(cache.FindPicture(url.toUpper()), nullptr);
  o.Measure = false;
  Render(C, text, TRect(0, 0, 300, 40), o);
  EXPECT_EQ(C.Pixels(1 + 5, 3), TColor(clLime));  // 10 wide, height 6 by the aspect ratio
  EXPECT_EQ(cache.Count(), 1);

  TPictureContainer pictures(nullptr);
  TPictureItem *item = pictures.Items()->Add();
  item->SetName("leaf");
  item->Picture()->LoadFromFile(testsupport::Fixture("grid/pictures/green5x3.png"));
  Opts q;
  q.Pictures = &pictures;
  q.Measure = true;
  EXPECT_EQ(Render(C, "<IMG SRC=\"leaf\">", TRect(0, 0, 300, 40), q).Width, 5);
  EXPECT_EQ(Render(C, "<IMG SRC=\"leaf\" HEIGHT=\"6\">", TRect(0, 0, 300, 40), q).Width, 10);
  EXPECT_EQ(Render(C, "<IMG SRC=\"none\">", TRect(0, 0, 300, 40), q).Width, 0);
}

// Numbers in the mark-up come from table files: the largest ones lay out, paint and
// hit-test without arithmetic overflow, and what they measure adds up.
TEST_F(MarkupRender, HugeNumbersStayInRange)
{
  TPictureContainer pictures(nullptr);
  TPictureItem *item = pictures.Items()->Add();
  item->SetName("leaf");
  item->Picture()->LoadFromFile(testsupport::Fixture("grid/pictures/green5x3.png"));
  const QString big = "2147483647", low = "-2147483648";
  const QString edit = "<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"%1\" HEIGHT=\"%2\">";
  const QString texts[] = {
      "<P INDENT=\"" + big + "\">x</P>",
      "<P INDENT=\"" + low + "\">x</P>",
      "<IND X=\"" + big + "\">x y",
      "<R A=\"" + big + "\">x</R> <R A=\"" + low + "\">y</R>",
      "<FONT SIZE=\"" + big + "\">x</FONT>",
      edit.arg(big, "20") + edit.arg(big, "20") + "x",
      edit.arg("10", big) + "<BR>" + edit.arg("10", big),
      edit.arg(low, low) + "x",
      "<IMG SRC=\"leaf\" WIDTH=\"" + big + "\" HEIGHT=\"" + big + "\"><IMG SRC=\"leaf\" HEIGHT=\"" + big + "\">x",
      "<UL><UL><LI>x</LI></UL></UL>",
  };
  for (const QString &text : texts) {
    Opts o;
    o.Pictures = &pictures;
    o.Measure = true;
    const Out m = Render(C, text, TRect(0, 0, 400, 120), o);
    EXPECT_GE(m.Width, 0) << text.toStdString();
    EXPECT_GE(m.Height, GH) << text.toStdString();
    o.Measure = false;
    Render(C, text, TRect(0, 0, 400, 120), o);
    o.HitTest = true;
    o.MouseX = 200;
    o.MouseY = 10;
    Render(C, text, TRect(0, 0, 400, 120), o);
  }
  // Two controls of the largest height on two lines measure twice one of them.
  const Out one = Measure(C, edit.arg("10", big));
  EXPECT_GT(one.Height, GH);
  EXPECT_EQ(Measure(C, edit.arg("10", big) + "<BR>" + edit.arg("10", big)).Height, 2 * one.Height);
  // Enough of the largest controls to pass the integer range, side by side and one above
  // the other: the width and height stop growing instead of wrapping round.
  const int count = 65600;
  const Out wide = Measure(C, QString("<CONTROL TYPE=\"EDIT\" WIDTH=\"40000\">").repeated(count));
  EXPECT_GT(wide.Width, 1 << 20);
  const Out tall = Measure(C, (edit.arg("1", "40000") + "<BR>").repeated(count));
  EXPECT_GT(tall.Height, 1 << 20);
}

// Painting through a caller's painter holds text pieces back and draws them together; the
// pixels must be those of drawing each piece on its own (a recording canvas does that).
TEST(MarkupRenderBatch, SamePixelsAsPieceByPiece)
{
  const char *texts[] = {
      "<B>Tag 12</B> <I>value</I> <FONT COLOR=\"clRed\" SIZE=\"3\">45 bar</FONT> <A HREF=\"n\">details</A>"
      "<BR>in &amp; out<UL><LI>port 3</LI></UL>",
      "<SHAD>shadow</SHAD> <E>errr</E> H<SUB>2</SUB>O x<SUP>2</SUP> <HI>high</HI> <S>strike</S> <U>under</U>",
      "<P BGCOLOR=\"clYellow\">para <FONT BGCOLOR=\"clAqua\" FACE=\"Courier New\">back</FONT> Wjgq</P>"
      "<FONT SIZE=\"5\">Big</FONT> words that run past the right edge of the cell",
  };
  for (const char *text : texts)
    for (const bool wrap : {true, false})
      for (const int clip : {0, 1, 2}) {  // none, the canvas's, the painter's
        QImage batched(120, 50, QImage::Format_RGB32), single(120, 50, QImage::Format_RGB32);
        for (QImage *img : {&batched, &single}) {
          img->fill(Qt::white);
          QPainter p(img);
          TCanvas c;
          c.SetPainter(&p);
          QStringList log;
          if (img == &single)
            c.SetRecorder(&log);
          if (clip == 1)
            c.IntersectClipRect(TRect(3, 0, 100, 44));
          else if (clip == 2)
            p.setClipRect(3, 0, 97, 44);
          Opts o;
          o.WordWrap = wrap;
          o.URL = clBlue;
          o.HoverColor = clLime;  // an opaque brush behind the anchor
          // Cut at the top as a scrolled cell is.
          Render(c, QString::fromUtf8(text), TRect(2, -3, 118, 47), o);
        }
        EXPECT_TRUE(batched == single) << text << " wrap " << wrap << " clip " << clip;
      }
}

// A sample of the common tags for the eye.
TEST_F(MarkupRender, SamplePicture)
{
  SetUp();
  Render(C,
         "<B>Bold</B> <I>italic</I> <U>under</U> <S>strike</S> <FONT COLOR=\"clRed\" SIZE=\"3\">red</FONT> "
         "<A HREF=\"x\">link</A><BR><HI>highlight</HI> <SHAD>shadow</SHAD> <E>errr</E> H<SUB>2</SUB>O x<SUP>2</SUP>"
         "<UL><LI>one</LI><LI>two <CONTROL TYPE=\"CHECK\" VALUE=\"TRUE\" WIDTH=\"16\"></LI></UL>",
         TRect(0, 0, 400, 120), [] {
           Opts o;
           o.URL = clBlue;
           return o;
         }());
  C.Picture().save(QDir::temp().filePath("markup_render_sample.png"));
  EXPECT_GT(CountColor(clBlue, TRect(0, 0, 400, 120)), 5);
}

}  // namespace
