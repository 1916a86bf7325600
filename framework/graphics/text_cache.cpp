#include "framework/graphics/text_cache.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <QThread>

#include <cmath>

namespace TextCache {
namespace {

struct TKey {
  QFont Font;
  QString Text;
  bool operator==(const TKey &o) const { return Text == o.Text && Font == o.Font; }
};
// Qt's own font hash walks the family list and more; these few values tell the fonts a
// program draws with apart well enough, and equality still compares the whole font.
size_t FontHash(const QFont &F, size_t Seed)
{
  return qHashMulti(Seed, F.pixelSize(), F.pointSizeF(), int(F.weight()), int(F.style()),
                    F.underline() | F.strikeOut() << 1 | F.overline() << 2);
}
size_t qHash(const TKey &k, size_t Seed = 0) { return FontHash(k.Font, qHash(k.Text, Seed)); }

struct TFontKey {
  QFont Font;
  bool operator==(const TFontKey &o) const { return Font == o.Font; }
};
size_t qHash(const TFontKey &k, size_t Seed = 0) { return FontHash(k.Font, Seed); }

struct TEntry {
  int Advance = -1;     // -1 until measured
  int Dpi = 0;          // resolution the glyphs were shaped for, 0 until shaped
  Qt::LayoutDirection Direction = Qt::LeftToRight;  // and the painter's direction
  qreal Ascent = 0;     // baseline of the runs below their origin
  QList<QGlyphRun> Runs;
  QRect Ink;            // pixels the runs may touch, about the baseline's left end
  bool Blank = false;   // no glyph leaves a pixel (blanks): nothing to draw
};

// Per thread: glyph runs hold font engines, which belong to the thread that made them.
struct TStore {
  QHash<TKey, TEntry> Map;
  bool Watching = false;

  TEntry &Find(const QFont &Font, const QString &Text)
  {
    if (!Watching && qApp && qApp->thread() == QThread::currentThread()) {
      Watching = true;
      QObject::connect(qApp, &QGuiApplication::fontDatabaseChanged, [] { Clear(); });
    }
    TKey key{Font, Text};
    auto it = Map.find(key);
    if (it != Map.end())
      return it.value();
    // Bounded memory: a full store starts over rather than tracking recency per hit.
    if (Map.size() >= Limit)
      Map.clear();
    return Map[std::move(key)];
  }
};

TStore &Store()
{
  thread_local TStore s;
  return s;
}

bool RasterDevice(const QPaintDevice *D)
{
  const int t = D ? D->devType() : 0;
  return t == QInternal::Image || t == QInternal::Pixmap || t == QInternal::Widget;
}

bool Whole(qreal V) { return V == std::floor(V); }

}  // namespace

int Advance(const QFont &Font, const QString &Text)
{
  if (Text.isEmpty())
    return 0;
  TEntry &e = Store().Find(Font, Text);
  if (e.Advance < 0)
    e.Advance = QFontMetrics(Font).horizontalAdvance(Text);
  return e.Advance;
}

TMetrics Metrics(const QFont &Font)
{
  // Callers ask for the same font many times in a row; equal fonts mostly share their data,
  // which makes the comparison with the last one cheap.
  thread_local QHash<TFontKey, TMetrics> known;
  thread_local TFontKey last;
  thread_local TMetrics lastMetrics{};
  if (!known.isEmpty() && last.Font == Font)
    return lastMetrics;
  const auto it = known.constFind(TFontKey{Font});
  if (it != known.constEnd()) {
    last.Font = Font;
    lastMetrics = it.value();
    return lastMetrics;
  }
  const QFontMetrics fm(Font);
  const TMetrics m{fm.ascent(), fm.descent(), fm.leading()};
  if (known.size() >= 256)
    known.clear();
  known.insert(TFontKey{Font}, m);
  last.Font = Font;
  lastMetrics = m;
  return m;
}

// Glyph boxes and decorations, widened for antialiasing: rasterised glyphs were seen to
// reach at most one pixel past these boxes. Blank when there is nothing to draw.
QRect InkOf(const QList<QGlyphRun> &Runs, qreal Ascent, bool &Blank)
{
  QRectF ink;
  for (const QGlyphRun &r : Runs) {
    const QRawFont font = r.rawFont();
    const QList<quint32> glyphs = r.glyphIndexes();
    const QList<QPointF> at = r.positions();
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
      const QRectF b = font.boundingRect(glyphs[i]);
      if (!b.isEmpty())
        ink |= b.translated(at[i]);
    }
    if (r.underline() || r.strikeOut() || r.overline())
      ink |= r.boundingRect();
  }
  Blank = ink.isNull();
  return ink.translated(0, -Ascent).toAlignedRect().adjusted(-2, -2, 2, 2);
}

TDrawn Shape(QPainter &Painter, const QFont &Font, int X, int Baseline, const QString &Text, const QRect *Clip,
             TShaped &Out)
{
  // Glyph runs drawn on these terms give the pixels drawText gives; anything else goes
  // the painter's way.
  const QTransform &t = Painter.transform();
  if (t.type() > QTransform::TxTranslate || !Whole(t.dx()) || !Whole(t.dy()) || !RasterDevice(Painter.device()))
    return Refused;
  Out.Runs.clear();
  Out.Advance = 0;
  if (Text.isEmpty())
    return Drawn;
  TEntry &e = Store().Find(Font, Text);
  const int dpi = Painter.device()->logicalDpiY();
  const Qt::LayoutDirection dir = Painter.layoutDirection();
  if (e.Dpi != dpi || e.Direction != dir) {
    QTextLayout layout(Text, Font, Painter.device());
    QTextOption o;
    o.setWrapMode(QTextOption::NoWrap);
    o.setTextDirection(dir);
    o.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(o);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    e.Runs = layout.glyphRuns();
    e.Ascent = line.ascent();
    e.Ink = InkOf(e.Runs, e.Ascent, e.Blank);
    e.Dpi = dpi;
    e.Direction = dir;
  }
  if (e.Advance < 0)
    e.Advance = QFontMetrics(Font).horizontalAdvance(Text);
  Out.Advance = e.Advance;
  if (e.Blank)
    return Drawn;
  Out.Runs = e.Runs;
  Out.Origin = QPointF(X, Baseline - e.Ascent);
  return Clip && !Clip->contains(e.Ink.translated(X, Baseline)) ? Outside : Drawn;
}

void DrawShaped(QPainter &Painter, const TShaped &Shaped)
{
  for (const QGlyphRun &r : Shaped.Runs)
    Painter.drawGlyphRun(Shaped.Origin, r);
}

TDrawn Draw(QPainter &Painter, const QFont &Font, int X, int Baseline, const QString &Text, const QRect *Clip)
{
  TShaped shaped;
  const TDrawn done = Shape(Painter, Font, X, Baseline, Text, Clip, shaped);
  if (done == Drawn)
    DrawShaped(Painter, shaped);
  return done;
}

void Clear() { Store().Map.clear(); }

int Count() { return int(Store().Map.size()); }

}  // namespace TextCache
