// DrawText flags: alignment, calculation, word breaks, ellipsis and prefixes.
#include "framework/graphics/graphics.h"
#include "framework/graphics/text_cache.h"
#include "tests/support/surface.h"

#include <QFontMetrics>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// Text is drawn without a background.
struct Surface : testsupport::TSurface {
  Surface(int w, int h) : TSurface(w, h) { Canvas.Brush()->SetStyle(bsClear); }
  TRect Calc(const QString &text, TRect r, uint32_t flags)
  {
    DrawText(Canvas.Handle(), text, -1, r, flags | DT_CALCRECT);
    return r;
  }
};

TEST(GraphicsText, VerticalCentringNeedsSingleLine)
{
  Surface multi(120, 60);
  TRect r = Rect(0, 0, 120, 60);
  DrawText(multi.Canvas.Handle(), QStringLiteral("Xy"), -1, r, DT_VCENTER);
  const int lh = multi.Canvas.TextHeight(QStringLiteral("Xy"));
  EXPECT_LT(multi.TopInk(), lh);  // ignored: text stays at the top

  Surface single(120, 60);
  r = Rect(0, 0, 120, 60);
  const int ret = DrawText(single.Canvas.Handle(), QStringLiteral("Xy"), -1, r, DT_VCENTER | DT_SINGLELINE);
  EXPECT_GE(single.TopInk(), (60 - lh) / 2);
  EXPECT_EQ(ret, (60 - lh) / 2 + lh);  // offset from the top to the bottom of the text

  Surface bottom(120, 60);
  r = Rect(0, 0, 120, 60);
  DrawText(bottom.Canvas.Handle(), QStringLiteral("Xy"), -1, r, DT_BOTTOM | DT_SINGLELINE);
  EXPECT_GE(bottom.TopInk(), 60 - lh);
}

TEST(GraphicsText, HorizontalAlignment)
{
  const int w = Surface(1, 1).Canvas.TextWidth(QStringLiteral("ab"));
  const struct { uint32_t Flags; int ExpectedLeft; } cases[] = {
      {DT_LEFT, 0}, {DT_CENTER, (100 - w) / 2}, {DT_RIGHT, 100 - w}};
  for (const auto &c : cases) {
    Surface s(100, 20);
    TRect r = Rect(0, 0, 100, 20);
    DrawText(s.Canvas.Handle(), QStringLiteral("ab"), -1, r, c.Flags | DT_SINGLELINE);
    EXPECT_EQ(s.Ink(0, 0, c.ExpectedLeft, 20), 0) << c.Flags;
    EXPECT_EQ(s.Ink(c.ExpectedLeft + w + 1, 0, 100, 20), 0) << c.Flags;
    EXPECT_GT(s.Ink(0, 0, 100, 20), 0);
  }
}

TEST(GraphicsText, CalcRectMeasuresLinesAndWordBreaks)
{
  Surface s(10, 10);
  const int lh = s.Canvas.TextHeight(QStringLiteral("A"));
  const int wAaa = s.Canvas.TextWidth(QStringLiteral("aaa bbb"));
  const int wLong = s.Canvas.TextWidth(QStringLiteral("abcdefghijklmnop"));

  TRect r = s.Calc(QStringLiteral("aaa bbb ccc"), Rect(0, 0, wAaa + 2, 0), DT_WORDBREAK);
  EXPECT_EQ(r.Height(), 2 * lh);
  EXPECT_LE(r.Width(), wAaa + 2);

  r = s.Calc(QStringLiteral("line1\r\nline2\nline3"), Rect(0, 0, 0, 0), 0);
  EXPECT_EQ(r.Height(), 3 * lh);

  r = s.Calc(QStringLiteral("line1\r\nline2\r\n"), Rect(0, 0, 0, 0), 0);
  EXPECT_EQ(r.Height(), 2 * lh);  // a final line break adds no line

  r = s.Calc(QStringLiteral("line1\r\nline2"), Rect(0, 0, 0, 0), DT_SINGLELINE);
  EXPECT_EQ(r.Height(), lh);

  // A word wider than the rectangle stays whole and widens it; edit-control mode breaks it.
  r = s.Calc(QStringLiteral("abcdefghijklmnop"), Rect(0, 0, 30, 0), DT_WORDBREAK);
  EXPECT_EQ(r.Height(), lh);
  EXPECT_EQ(r.Width(), wLong);
  r = s.Calc(QStringLiteral("abcdefghijklmnop"), Rect(0, 0, 30, 0), DT_WORDBREAK | DT_EDITCONTROL);
  EXPECT_GT(r.Height(), lh);
  EXPECT_LE(r.Width(), 30);

  r = s.Calc(QString(), Rect(5, 5, 50, 50), 0);
  EXPECT_EQ(r, Rect(5, 5, 5, 5));
}

TEST(GraphicsText, PrefixCharacters)
{
  Surface s(10, 10);
  auto width = [&](const char *t, uint32_t f) { return s.Calc(QString::fromLatin1(t), Rect(0, 0, 0, 0), f | DT_SINGLELINE).Width(); };
  EXPECT_EQ(width("&File", 0), width("File", 0));
  EXPECT_EQ(width("a&&b", 0), width("a&b", DT_NOPREFIX));
  EXPECT_GT(width("&File", DT_NOPREFIX), width("File", 0));

  // The prefixed character is underlined; hidden prefixes draw no line.
  auto lowInk = [](uint32_t flags, const char *text) {
    Surface d(80, 30);
    TRect r = Rect(0, 0, 80, 30);
    DrawText(d.Canvas.Handle(), QString::fromLatin1(text), -1, r, flags);
    const int asc = QFontMetrics(d.Canvas.Font()->ToQFont()).ascent();
    return d.Ink(0, asc + 1, 80, 30);
  };
  EXPECT_GT(lowInk(0, "&File"), lowInk(0, "File"));
  EXPECT_EQ(lowInk(DT_HIDEPREFIX, "&File"), lowInk(0, "File"));
  EXPECT_EQ(lowInk(DT_NOPREFIX, "File"), lowInk(0, "File"));
}

TEST(GraphicsText, EllipsisKeepsTheTextInsideTheRectangle)
{
  const QString text = QStringLiteral("A rather long caption for a narrow cell");
  {
    Surface s(200, 20);
    TRect r = Rect(0, 0, 60, 20);
    DrawText(s.Canvas.Handle(), text, -1, r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(s.RightInk(), 60);
  }
  for (uint32_t f : {uint32_t(DT_END_ELLIPSIS), uint32_t(DT_PATH_ELLIPSIS)}) {
    Surface s(200, 20);
    TRect r = Rect(0, 0, 60, 20);
    DrawText(s.Canvas.Handle(), text, -1, r, DT_SINGLELINE | DT_NOCLIP | f);
    EXPECT_LT(s.RightInk(), 60) << f;
    EXPECT_GT(s.RightInk(), 30) << f;
  }
  // The path form keeps the file name.
  TRecordingCanvas c(10, 10);
  const int full = c.TextWidth(QStringLiteral("...\\name.txt"));
  Surface s(300, 20);
  TRect r = Rect(0, 0, full + 4, 20);
  DrawText(s.Canvas.Handle(), QStringLiteral("C:\\some\\long\\folder\\name.txt"), -1, r, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_NOCLIP);
  EXPECT_LT(s.RightInk(), full + 4);
}

TEST(GraphicsText, ClippingUnlessNoClip)
{
  Surface s(200, 20);
  TRect r = Rect(0, 0, 20, 20);
  DrawText(s.Canvas.Handle(), QStringLiteral("WWWWWWWW"), -1, r, DT_SINGLELINE);
  EXPECT_LT(s.RightInk(), 20);
}

TEST(GraphicsText, ExpandTabsUsesEightAverageCharacters)
{
  Surface s(10, 10);
  const int tab = 8 * QFontMetrics(s.Canvas.Font()->ToQFont()).averageCharWidth();
  const TRect r = s.Calc(QStringLiteral("a\tb"), Rect(0, 0, 0, 0), DT_SINGLELINE | DT_EXPANDTABS);
  EXPECT_EQ(r.Width(), tab + s.Canvas.TextWidth(QStringLiteral("b")));
}

TEST(GraphicsText, EditControlDropsAPartlyVisibleLastLine)
{
  Surface s(200, 100);
  const int lh = s.Canvas.TextHeight(QStringLiteral("A"));
  TRect r = Rect(0, 0, 200, lh + lh / 2);
  DrawText(s.Canvas.Handle(), QStringLiteral("one\ntwo"), -1, r, DT_EDITCONTROL | DT_NOCLIP);
  EXPECT_EQ(s.Ink(0, lh, 200, 100), 0);
}

}  // namespace

// Text drawn again through a caller's painter reuses its shaped glyphs: the pixels must be
// the ones the painter draws itself, whole or cut by the rectangle or the canvas clip.
TEST(GraphicsText, RepeatedTextDrawsThePaintersPixels)
{
  const TFontStyles plain, bold{fsBold}, italic{fsItalic}, marked{fsUnderline, fsStrikeOut};
  const struct {
    TFontStyles Style;
    int Height;
  } fonts[] = {{plain, -11}, {bold, -11}, {italic, -16}, {marked, -13}};
  // The last holds a line separator, which one laid-out line stops at.
  const char *texts[] = {"Tag 12 ", "in & out", "Wij \u00C5\u00C9 gjp", "\u20AC\u2030\u2122 \u65E5\u672C",
                         "ab\u2028cd"};
  // Whole, cut right, cut at the top.
  const TRect rects[] = {TRect(4, 6, 200, 40), TRect(14, 6, 36, 40), TRect(4, 30, 200, 40)};
  for (const auto &font : fonts)
    for (const char *text : texts)
      for (const TRect &rect : rects)
        for (const bool canvasClip : {false, true}) {
          const QString t = QString::fromUtf8(text);
          QImage ours(200, 40, QImage::Format_RGB32), theirs(200, 40, QImage::Format_RGB32);
          ours.fill(Qt::white);
          theirs.fill(Qt::white);
          QFont qf;
          {
            QPainter p(&ours);
            TCanvas c;
            c.SetPainter(&p);
            c.Font()->SetStyle(font.Style);
            c.Font()->SetHeight(font.Height);
            c.Font()->SetColor(TColor(0x203040));
            c.SetBkMode(TRANSPARENT);
            if (canvasClip)
              c.IntersectClipRect(TRect(0, 0, 30, 40));
            qf = c.Font()->ToQFont();
            for (int i = 0; i < 2; ++i) {  // shaped, then reused
              TRect r = rect;
              DrawText(c.Handle(), t, -1, r, DT_SINGLELINE | DT_NOPREFIX | DT_BOTTOM);
            }
          }
          {
            QPainter p(&theirs);
            QRect cut(rect.Left, rect.Top, rect.Width(), rect.Height());
            if (canvasClip)
              cut &= QRect(0, 0, 30, 40);
            p.setClipRect(cut);
            p.setRenderHint(QPainter::Antialiasing);
            p.setFont(qf);
            p.setPen(QColor(0x40, 0x30, 0x20));
            const QFontMetrics fm(qf);
            for (int i = 0; i < 2; ++i)
              p.drawText(QPoint(rect.Left, rect.Bottom - fm.descent()), t);
          }
          EXPECT_TRUE(ours == theirs) << text << " height " << font.Height << " rect " << rect.Left << ","
                                      << rect.Top << " canvas clip " << canvasClip;
        }
}

// Widths are kept per font and string, within a bound.
TEST(GraphicsText, KeptWidthsFollowTheFontAndStayBounded)
{
  testsupport::TSurface s(10, 10);
  const int small = s.Canvas.TextWidth(QStringLiteral("Wide text"));
  s.Canvas.Font()->SetHeight(-22);
  EXPECT_GT(s.Canvas.TextWidth(QStringLiteral("Wide text")), small + 10);
  s.Canvas.Font()->SetHeight(-11);
  EXPECT_EQ(s.Canvas.TextWidth(QStringLiteral("Wide text")), small);
  for (int i = 0; i < TextCache::Limit + 10; ++i)
    s.Canvas.TextWidth(QString::number(i));
  EXPECT_LE(TextCache::Count(), TextCache::Limit);
  EXPECT_GT(TextCache::Count(), 0);
}

// Shaped text stays within its bound in bytes while a grid scrolls row by row through
// thousands of distinct cells, and a screenful drawn again is all still kept (nothing is
// shaped anew).
TEST(GraphicsText, ShapedTextStaysWithinItsByteBoundAndKeepsAScreenful)
{
  QImage img(10, 10, QImage::Format_RGB32);
  QPainter p(&img);
  TFont f;
  const QFont qf = f.ToQFont();
  const TextCache::TFaceRef held = TextCache::Face(qf);  // dropped by Clear, still in use
  TextCache::Clear();
  constexpr int Rows = 40, Cols = 8;
  const auto cell = [](int Row, int Col) { return QStringLiteral("Gateway/Topic_%1/Value_%2").arg(Row).arg(Col); };
  const auto drawScreen = [&](int Top) {
    for (int r = Top; r < Top + Rows; ++r)
      for (int c = 0; c < Cols; ++c) {
        TextCache::TShaped shaped;
        TextCache::Shape(p, *TextCache::Face(qf), 0, 10, cell(r, c), nullptr, shaped);
        ASSERT_LE(TextCache::Bytes(), TextCache::ByteLimit);
      }
  };
  size_t most = 0;
  for (int top = 0; top < 300; top += 3) {
    drawScreen(top);
    most = std::max(most, TextCache::Bytes());
    // Drawn again, the screen is all found: nothing is added, nothing goes.
    const size_t bytes = TextCache::Bytes();
    const int count = TextCache::Count();
    drawScreen(top);
    ASSERT_EQ(TextCache::Bytes(), bytes) << top;
    ASSERT_EQ(TextCache::Count(), count) << top;
  }
  EXPECT_GT(most, TextCache::ByteLimit / 2);  // the bound was reached, not just respected
  // One text larger than the bound alone does not stay.
  TextCache::TShaped shaped;
  const QString huge(60000, QLatin1Char('x'));
  TextCache::Shape(p, *held, 0, 10, huge, nullptr, shaped);
  EXPECT_LE(TextCache::Bytes(), TextCache::ByteLimit);
  EXPECT_GT(shaped.Advance, 0);
}

// Text measured while a painter is at hand is shaped for it at once, and its width taken
// from that shaping: it must be the width QFontMetrics gives, as when measured alone.
TEST(GraphicsText, WidthsFromShapingAreTheMeasuredOnes)
{
  const char *texts[] = {"Tag 12 ", "  lead", "x\u00ADy", "fi ffi", "\u05E9\u05DC\u05D5\u05DD abc",
                         "e\u0301\u0301", "\u20AC\u2030\u2122 \u65E5\u672C", "ab\u2028cd"};
  QImage img(10, 10, QImage::Format_RGB32);
  QPainter p(&img);
  for (const TFontStyles style : {TFontStyles(), TFontStyles{fsBold, fsItalic}})
    for (const int height : {-11, -16})
      for (const char *text : texts) {
        TFont f;
        f.SetStyle(style);
        f.SetHeight(height);
        const QFont qf = f.ToQFont();
        const QString t = QString::fromUtf8(text);
        TextCache::Clear();
        EXPECT_EQ(TextCache::Advance(*TextCache::Face(qf), t, &p), QFontMetrics(qf).horizontalAdvance(t))
            << text << " height " << height;
      }
}

// Text measured through a canvas follows every change of its font, however it was made:
// a setter, an assignment from another font (sharing that font's revision), a change
// back to earlier values.
TEST(GraphicsText, BatchWidthsFollowEveryFontChange)
{
  testsupport::TSurface s(10, 10);
  TFont &f = *s.Canvas.Font();
  TFont other;
  other.SetName(QStringLiteral("Courier New"));
  other.SetHeight(-19);
  TFont printer;
  printer.SetPixelsPerInch(300);
  printer.SetSize(20);
  const QString text = QStringLiteral("Wide text 123");
  struct TStep {
    const char *Name;
    std::function<void()> Do;
    bool Changes = true;
  };
  const TStep steps[] = {
      {"start", [] {}},
      {"height", [&] { f.SetHeight(-20); }},
      {"bold", [&] { f.SetStyle(TFontStyles{fsBold}); }},
      {"colour only", [&] { f.SetColor(clRed); }},
      {"not bold", [&] { f.SetStyle(TFontStyles()); }},
      {"same style again", [&] { f.SetStyle(TFontStyles()); }, false},
      {"name", [&] { f.SetName(QStringLiteral("Courier New")); }},
      {"assigned", [&] { f.Assign(other); }},
      {"source changed after", [&] { other.SetHeight(-8); }, false},
      {"assigned again", [&] { f.Assign(other); }},
      {"other resolution", [&] { f.Assign(printer); }},
      {"resolution of its own", [&] { f.SetPixelsPerInch(120); }},
      {"italic", [&] { f.SetStyle(TFontStyles{fsItalic}); }},
  };
  uint64_t last = 0;
  for (const TStep &step : steps) {
    step.Do();
    const TTextBatch batch(&s.Canvas);
    const QFontMetrics fm(f.ToQFont());
    EXPECT_EQ(batch.Width(text, DT_SINGLELINE | DT_NOPREFIX), fm.horizontalAdvance(text)) << step.Name;
    EXPECT_EQ(batch.Height(), fm.ascent() + fm.descent()) << step.Name;
    EXPECT_EQ(f.Revision() != last, step.Changes) << step.Name;
    last = f.Revision();
  }
  // An assigned font of the same resolution has the source's values, so its revision.
  f.SetPixelsPerInch(ScreenPixelsPerInch);
  f.Assign(other);
  EXPECT_EQ(f.Revision(), other.Revision());
  f.Assign(printer);
  EXPECT_NE(f.Revision(), printer.Revision());
}
