#include "framework/graphics/text_cache.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <unordered_map>
#include <vector>

namespace TextCache {
namespace {

// Qt's own font hash walks the family list and more; these few values tell the fonts a
// program draws with apart well enough, and equality still compares the whole font.
size_t FontHash(const QFont &F, size_t Seed)
{
  return qHashMulti(Seed, F.pixelSize(), F.pointSizeF(), int(F.weight()), int(F.style()),
                    F.underline() | F.strikeOut() << 1 | F.overline() << 2);
}

struct TFontKey {
  QFont Font;
  bool operator==(const TFontKey &o) const { return Font == o.Font; }
};
size_t qHash(const TFontKey &k, size_t Seed = 0) { return FontHash(k.Font, Seed); }

struct TEntry {
  int Advance = -1;     // -1 until measured
  int Dpi = 0;          // resolution the glyphs were shaped for, 0 until shaped
  Qt::LayoutDirection Direction = Qt::LeftToRight;  // and the painter's direction
  bool Own = false;     // the painter draws it itself (the text holds a line break)
  bool Blank = false;   // no glyph leaves a pixel (blanks): nothing to draw
  bool Exact = false;   // Ink holds the pixels drawn rather than an estimate
  int InkFormat = 0;    // device image format Exact was found for
  qreal Ascent = 0;     // baseline of the runs below their origin
  QList<QGlyphRun> Runs;
  QRect Ink;            // pixels the runs may touch, about the baseline's left end
  uint32_t Used = 0;    // the store's tick at its last use
  uint32_t Bytes = 0;   // its estimated heap cost, as counted in the store
};

// Rough heap costs, for the bound in bytes: a map node with its key and entry, a glyph run's
// shared data, each glyph's index and position, a probed glyph's hash node.
constexpr size_t NodeBytes = 96 + sizeof(TEntry);
constexpr size_t RunBytes = 160;
constexpr size_t GlyphBytes = sizeof(quint32) + sizeof(QPointF);
constexpr size_t InkBytes = 48;
constexpr size_t FaceBytes = 512;

size_t EntryBytes(qsizetype TextSize, const TEntry &E)
{
  size_t n = NodeBytes + size_t(TextSize) * sizeof(QChar);
  for (const QGlyphRun &r : E.Runs)
    n += RunBytes + size_t(r.glyphIndexes().size()) * GlyphBytes;
  return n;
}

// Looked up by a view into the caller's text, without making a string of it.
struct TTextHash {
  using is_transparent = void;
  size_t operator()(QStringView S) const { return qHash(S); }
};
struct TTextEqual {
  using is_transparent = void;
  bool operator()(QStringView A, QStringView B) const { return A == B; }
};

// Pixels one glyph leaves, by glyph and position within a pixel, for one font and device
// format; found by drawing the glyph once.
struct TGlyphInks {
  QRawFont Font;
  int Format;
  QHash<quint64, QRect> Ink;
};

}  // namespace

class TFace {
public:
  QFont Font;
  TMetrics Metrics{};
  std::unordered_map<QString, TEntry, TTextHash, TTextEqual> Map;
  std::vector<TGlyphInks> Inks;
  size_t Bytes = FaceBytes;  // of the face, its entries and its inks
};

namespace {

// Per thread: glyph runs hold font engines, which belong to the thread that made them.
struct TStore {
  QHash<TFontKey, TFaceRef> Faces;
  TFaceRef Last;  // callers ask for the same font many times in a row
  // Faces dropped from Faces that a caller may still hold and fill: their entries count too.
  std::vector<std::weak_ptr<TFace>> Dropped;
  int Entries = 0;
  size_t Bytes = 0;
  uint32_t Tick = 0;
  int Generation = 0;
  bool Watching = false;

  static void Empty(TFace &F)
  {
    F.Map.clear();
    F.Inks.clear();
    F.Bytes = FaceBytes;
  }

  // Every face that may hold entries, kept alive while the caller walks them.
  std::vector<TFaceRef> Reachable()
  {
    std::vector<TFaceRef> all;
    for (const TFaceRef &f : std::as_const(Faces))
      if (f)  // a face being made
        all.push_back(f);
    std::erase_if(Dropped, [&](const std::weak_ptr<TFace> &W) {
      TFaceRef f = W.lock();
      const bool gone = !f;
      if (f)
        all.push_back(std::move(f));
      return gone;
    });
    return all;
  }

  void Recount(const std::vector<TFaceRef> &All)
  {
    Entries = 0;
    Bytes = 0;
    for (const TFaceRef &f : All) {
      Entries += int(f->Map.size());
      Bytes += f->Bytes;
    }
  }

  void DropEntries()
  {
    for (const TFaceRef &f : Reachable())
      Empty(*f);
    Recount(Reachable());
  }

  // Forgets every face; those a caller holds stay usable.
  void DropFaces()
  {
    DropEntries();
    for (const TFaceRef &f : std::as_const(Faces))
      if (f)
        Dropped.push_back(f);
    Faces.clear();
  }

  void Charge(TFace &Face, size_t Old, size_t New)
  {
    Face.Bytes = Face.Bytes - Old + New;
    Bytes = Bytes - Old + New;
  }

  void Recharge(TFace &Face, TEntry &E, qsizetype TextSize)
  {
    const size_t now = EntryBytes(TextSize, E);
    Charge(Face, E.Bytes, now);
    E.Bytes = uint32_t(now);
  }

  TEntry &Find(TFace &Face, QStringView Text)
  {
    auto it = Face.Map.find(Text);
    if (it == Face.Map.end()) {
      it = Face.Map.try_emplace(Text.toString()).first;
      ++Entries;
      Recharge(Face, it->second, Text.size());
    }
    it->second.Used = ++Tick;
    return it->second;
  }

  // Back within both bounds, to three quarters of them so that this stays rare: the entries
  // used longest ago go first, then the probed glyphs. Only between calls, while nobody
  // holds an entry.
  void Trim()
  {
    if (Bytes <= ByteLimit && Entries <= Limit)
      return;
    const std::vector<TFaceRef> all = Reachable();
    Recount(all);
    if (Bytes <= ByteLimit && Entries <= Limit)
      return;
    const size_t byteGoal = ByteLimit / 4 * 3;
    const int entryGoal = Limit / 4 * 3;
    using TIt = decltype(TFace::Map)::iterator;
    struct TOld {
      uint32_t Used;
      TFace *Face;
      TIt It;
    };
    std::vector<TOld> old;
    old.reserve(size_t(Entries));
    for (const TFaceRef &f : all)
      for (auto it = f->Map.begin(); it != f->Map.end(); ++it)
        old.push_back(TOld{it->second.Used, f.get(), it});
    // Ticks wrap after four billion uses: age is measured back from the latest.
    std::sort(old.begin(), old.end(), [&](const TOld &A, const TOld &B) { return Tick - A.Used > Tick - B.Used; });
    for (const TOld &o : old) {
      if (Bytes <= byteGoal && Entries <= entryGoal)
        break;
      Charge(*o.Face, o.It->second.Bytes, 0);
      o.Face->Map.erase(o.It);
      --Entries;
    }
    if (Bytes > byteGoal)
      for (const TFaceRef &f : all) {
        size_t inks = 0;
        for (const TGlyphInks &g : f->Inks)
          inks += size_t(g.Ink.size()) * InkBytes;
        f->Inks.clear();
        Charge(*f, inks, 0);
      }
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

// Glyph runs drawn on these terms give the pixels drawText gives; anything else goes the
// painter's way.
bool Accepts(const QPainter &Painter)
{
  const QTransform &t = Painter.transform();
  return t.type() <= QTransform::TxTranslate && Whole(t.dx()) && Whole(t.dy()) && RasterDevice(Painter.device());
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

// The image format glyphs are probed in: the device's own where it is an image of 32-bit
// pixels, else one of them (and the result then widened).
int DeviceFormat(const QPaintDevice *D)
{
  if (D->devType() == QInternal::Image) {
    const QImage::Format f = static_cast<const QImage *>(D)->format();
    if (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied)
      return int(f);
  }
  return -int(QImage::Format_ARGB32_Premultiplied);
}

// The pixels a glyph at the fraction (Fx, Fy) of a pixel changes, about the pixel it lies
// in: drawn dark on light and light on dark, which between them show every pixel any
// colour pair changes. Null when nothing is drawn.
QRect ProbeGlyph(const QRawFont &Font, quint32 Glyph, qreal Fx, qreal Fy, QImage::Format Format)
{
  const QRectF box = Font.boundingRect(Glyph);
  if (box.isEmpty())
    return QRect();
  constexpr int Margin = 4;
  const QRect area = box.translated(Fx, Fy).toAlignedRect().adjusted(-Margin, -Margin, Margin, Margin);
  QImage img(area.size(), Format);
  QGlyphRun run;
  run.setRawFont(Font);
  run.setGlyphIndexes({Glyph});
  run.setPositions({QPointF(Fx - area.left(), Fy - area.top())});
  QRect ink;
  for (const bool dark : {true, false}) {
    const QRgb back = dark ? 0xFFFFFFFFu : 0xFF000000u;
    img.fill(back);
    {
      QPainter p(&img);
      p.setRenderHint(QPainter::Antialiasing, true);
      p.setPen(dark ? Qt::black : Qt::white);
      p.drawGlyphRun(QPointF(0, 0), run);
    }
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (img.pixel(x, y) != back)
          ink |= QRect(x, y, 1, 1);
  }
  if (ink.isNull())
    return QRect();
  // Ink at the edge of the probe may go on past it: the estimate then.
  if (ink.left() == 0 || ink.top() == 0 || ink.right() == img.width() - 1 || ink.bottom() == img.height() - 1)
    return box.translated(Fx, Fy).toAlignedRect().adjusted(-2, -2, 2, 2);
  return ink.translated(area.topLeft());
}

// The pixels the entry's runs change, about the baseline's left end; decorations keep
// their estimate. Devices other than images may hold their glyphs in another form: a
// pixel more there.
QRect ExactInk(TFace &Face, const TEntry &E, const QPaintDevice *Device)
{
  const int format = DeviceFormat(Device);
  const QImage::Format probeFormat = QImage::Format(std::abs(format));
  QRect ink;
  for (const QGlyphRun &r : E.Runs) {
    const QRawFont font = r.rawFont();
    TGlyphInks *inks = nullptr;
    for (TGlyphInks &g : Face.Inks)
      if (g.Format == format && g.Font == font)
        inks = &g;
    if (!inks) {
      Face.Inks.push_back(TGlyphInks{font, format, {}});
      inks = &Face.Inks.back();
    }
    if (inks->Ink.size() > 4096) {
      Store().Charge(Face, size_t(inks->Ink.size()) * InkBytes, 0);
      inks->Ink.clear();
    }
    const QList<quint32> glyphs = r.glyphIndexes();
    const QList<QPointF> at = r.positions();
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
      // Positions reach the raster engine in 64ths of a pixel.
      const qint64 fx = qRound64(at[i].x() * 64), fy = qRound64((at[i].y() - E.Ascent) * 64);
      const qint64 px = fx >> 6, py = fy >> 6;
      const quint64 key = quint64(glyphs[i]) << 12 | quint64(fx & 63) << 6 | quint64(fy & 63);
      auto it = inks->Ink.constFind(key);
      if (it == inks->Ink.constEnd()) {
        it = inks->Ink.insert(key, ProbeGlyph(font, glyphs[i], (fx & 63) / 64.0, (fy & 63) / 64.0, probeFormat));
        Store().Charge(Face, 0, InkBytes);
      }
      if (!it->isNull())
        ink |= it->translated(int(px), int(py));
    }
    if (r.underline() || r.strikeOut() || r.overline())
      ink |= r.boundingRect().translated(0, -E.Ascent).toAlignedRect().adjusted(-2, -2, 2, 2);
  }
  if (format < 0 && !ink.isNull())
    ink.adjust(-1, -1, 1, 1);
  return ink;
}

// Text the painter's own drawing treats alike on one line: QFontMetrics measures across
// line breaks, which a single laid-out line stops at.
void ShapeEntry(TEntry &E, const TFace &Face, QStringView Text, const QPaintDevice *Device, int Dpi,
                Qt::LayoutDirection Direction)
{
  QTextLayout layout(Text.toString(), Face.Font, const_cast<QPaintDevice *>(Device));
  QTextOption o;
  o.setWrapMode(QTextOption::NoWrap);
  o.setTextDirection(Direction);
  o.setFlags(QTextOption::IncludeTrailingSpaces);
  layout.setTextOption(o);
  layout.setCacheEnabled(true);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  line.setLineWidth(1e6);
  line.setPosition(QPointF(0, 0));
  layout.endLayout();
  E.Dpi = Dpi;
  E.Direction = Direction;
  E.Own = line.textLength() != Text.size();
  E.Exact = false;
  if (E.Own) {
    E.Runs.clear();
    return;
  }
  E.Runs = layout.glyphRuns();
  E.Ascent = line.ascent();
  E.Ink = InkOf(E.Runs, E.Ascent, E.Blank);
  // The line's advance is the one QFontMetrics gives for text on one line, where the
  // device's resolution cannot change the glyphs' size (a size in pixels).
  if (E.Advance < 0 && Face.Font.pixelSize() > 0)
    E.Advance = qRound(line.horizontalAdvance());
}

// Shapes the entry for the painter's device and direction unless it already is.
void Prepare(TEntry &E, TFace &Face, QStringView Text, const QPainter &Painter)
{
  const QPaintDevice *device = Painter.device();
  const int dpi = device->logicalDpiY();
  const Qt::LayoutDirection dir = Painter.layoutDirection();
  if (E.Dpi != dpi || E.Direction != dir) {
    ShapeEntry(E, Face, Text, device, dpi, dir);
    Store().Recharge(Face, E, Text.size());
  }
}

int MeasuredAdvance(TEntry &E, const TFace &Face, QStringView Text)
{
  if (E.Advance < 0)
    E.Advance = QFontMetrics(Face.Font).horizontalAdvance(Text.toString());
  return E.Advance;
}

}  // namespace

TFaceRef Face(const QFont &Font)
{
  TStore &s = Store();
  // Equal fonts mostly share their data, which makes comparing with the last one cheap.
  if (s.Last && s.Last->Font == Font)
    return s.Last;
  if (!s.Watching && qApp && qApp->thread() == QThread::currentThread()) {
    s.Watching = true;
    QObject::connect(qApp, &QGuiApplication::fontDatabaseChanged, [] { Clear(); });
  }
  TFaceRef &f = s.Faces[TFontKey{Font}];
  if (!f) {
    if (s.Faces.size() > 256) {
      s.DropFaces();
      return Face(Font);
    }
    f = std::make_shared<TFace>();
    s.Bytes += f->Bytes;
    f->Font = Font;
    const QFontMetrics fm(Font);
    f->Metrics = TMetrics{fm.ascent(), fm.descent(), fm.leading()};
  }
  s.Last = f;
  return f;
}

const QFont &FontOf(const TFace &Face) { return Face.Font; }

TMetrics Metrics(const TFace &Face) { return Face.Metrics; }

TMetrics Metrics(const QFont &Font) { return Face(Font)->Metrics; }

int Advance(TFace &Face, QStringView Text, QPainter *Painter)
{
  if (Text.isEmpty())
    return 0;
  TStore &s = Store();
  TEntry &e = s.Find(Face, Text);
  if (e.Advance < 0 && Painter && Accepts(*Painter))
    Prepare(e, Face, Text, *Painter);
  const int advance = MeasuredAdvance(e, Face, Text);
  s.Trim();
  return advance;
}

int Advance(const QFont &Font, const QString &Text)
{
  return Text.isEmpty() ? 0 : Advance(*Face(Font), Text);
}

namespace {

TDrawn ShapeKept(QPainter &Painter, TFace &Face, int X, int Baseline, QStringView Text, const QRect *Clip,
                 TShaped &Out)
{
  if (!Accepts(Painter))
    return Refused;
  Out.Runs.clear();
  Out.Advance = 0;
  if (Text.isEmpty())
    return Drawn;
  TEntry &e = Store().Find(Face, Text);
  Prepare(e, Face, Text, Painter);
  if (e.Own)
    return Refused;
  Out.Advance = MeasuredAdvance(e, Face, Text);
  if (e.Blank)
    return Drawn;
  Out.Runs = e.Runs;
  Out.Origin = QPointF(X, Baseline - e.Ascent);
  if (!Clip || Clip->contains(e.Ink.translated(X, Baseline)))
    return Drawn;
  // Glyphs whose estimate reaches out of the clip are drawn once to see whether they do.
  const int format = DeviceFormat(Painter.device());
  if (!e.Exact || e.InkFormat != format) {
    e.Ink = ExactInk(Face, e, Painter.device());
    e.Exact = true;
    e.InkFormat = format;
  }
  return e.Ink.isNull() || Clip->contains(e.Ink.translated(X, Baseline)) ? Drawn : Outside;
}

}  // namespace

TDrawn Shape(QPainter &Painter, TFace &Face, int X, int Baseline, QStringView Text, const QRect *Clip,
             TShaped &Out)
{
  const TDrawn done = ShapeKept(Painter, Face, X, Baseline, Text, Clip, Out);
  Store().Trim();
  return done;
}

TDrawn Shape(QPainter &Painter, const QFont &Font, int X, int Baseline, const QString &Text, const QRect *Clip,
             TShaped &Out)
{
  return Shape(Painter, *Face(Font), X, Baseline, Text, Clip, Out);
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

void Clear()
{
  TStore &s = Store();
  s.DropFaces();
  s.Last.reset();
  ++s.Generation;
}

int Generation() { return Store().Generation; }

int Count() { return Store().Entries; }

size_t Bytes() { return Store().Bytes; }

}  // namespace TextCache
