#pragma once
// Shaped single-line text kept across calls, by font and string. Grid cells, captions and
// lists draw the same strings on every paint, and shaping them is most of the cost of text
// output. Only framework/graphics uses this.
#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QRect>
#include <QString>

class QPainter;

namespace TextCache {

// QFontMetrics(Font).horizontalAdvance(Text).
int Advance(const QFont &Font, const QString &Text);

// QFontMetrics(Font)'s ascent, descent and leading.
struct TMetrics {
  int Ascent, Descent, Leading;
};
TMetrics Metrics(const QFont &Font);

// Draws Text with its baseline at (X, Baseline) in the painter's pen colour, as
// QPainter::drawText does with Font set. Refused when the painter's state (a rotation or
// scale, a fractional offset, a device other than a raster one) asks for the painter's own
// text drawing; Outside, drawing nothing, when Clip is given and the glyphs may reach out
// of it, so that the caller clips the painter first.
enum TDrawn { Drawn, Refused, Outside };
TDrawn Draw(QPainter &Painter, const QFont &Font, int X, int Baseline, const QString &Text,
            const QRect *Clip = nullptr);

// Drops every entry (the fonts on the system changed).
void Clear();

// Entries held (for tests of the bound).
int Count();
constexpr int Limit = 20000;

}  // namespace TextCache
