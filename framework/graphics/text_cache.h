#pragma once
// Shaped single-line text kept across calls, by font and string. Grid cells, captions and
// lists draw the same strings on every paint, and shaping them is most of the cost of text
// output. Only framework/graphics uses this.
#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <memory>

class QPainter;

namespace TextCache {

// QFontMetrics(Font)'s ascent, descent and leading.
struct TMetrics {
  int Ascent, Descent, Leading;
};

// What is kept for one font: its metrics and its strings. A caller that draws many pieces
// in a few fonts holds the face so that each piece costs one string lookup; a held face
// stays usable after Clear (it is then no longer shared).
class TFace;
using TFaceRef = std::shared_ptr<TFace>;
TFaceRef Face(const QFont &Font);
const QFont &FontOf(const TFace &Face);
TMetrics Metrics(const TFace &Face);

// QFontMetrics(Font).horizontalAdvance(Text). Given a painter that Shape would accept, the
// text is shaped for it at once and the advance taken from the shaping, so that drawing the
// text later shapes nothing again.
int Advance(const QFont &Font, const QString &Text);
int Advance(TFace &Face, QStringView Text, QPainter *Painter = nullptr);

TMetrics Metrics(const QFont &Font);

// Draws Text with its baseline at (X, Baseline) in the painter's pen colour, as
// QPainter::drawText does with Font set. Refused when the painter's state (a rotation or
// scale, a fractional offset, a device other than a raster one) asks for the painter's own
// text drawing; Outside, drawing nothing, when Clip is given and the glyphs reach out of
// it, so that the caller clips the painter first.
enum TDrawn { Drawn, Refused, Outside };
TDrawn Draw(QPainter &Painter, const QFont &Font, int X, int Baseline, const QString &Text,
            const QRect *Clip = nullptr);

// Draw in two steps, for a caller that collects pieces and draws them later with one
// painter setup: Shape decides as Draw does and, unless Refused, fills Out (which stays
// valid however the store changes; Outside asks the caller to clip to Clip first);
// DrawShaped paints it in the painter's pen.
struct TShaped {
  QList<QGlyphRun> Runs;  // empty for blanks, which leave no pixels
  QPointF Origin;
  int Advance = 0;        // as Advance() gives
};
TDrawn Shape(QPainter &Painter, const QFont &Font, int X, int Baseline, const QString &Text, const QRect *Clip,
             TShaped &Out);
TDrawn Shape(QPainter &Painter, TFace &Face, int X, int Baseline, QStringView Text, const QRect *Clip,
             TShaped &Out);
void DrawShaped(QPainter &Painter, const TShaped &Shaped);

// Drops every entry (the fonts on the system changed).
void Clear();
// Changes with every Clear: faces held from before are stale.
int Generation();

// Entries held, and their estimated heap cost, each with its bound: past either, the entries
// used longest ago go.
int Count();
constexpr int Limit = 20000;
size_t Bytes();
constexpr size_t ByteLimit = size_t(1) << 20;

}  // namespace TextCache
