#pragma once
// The resource glyphs the grid's painters draw: check boxes and radio buttons in two looks
// (check_paint.cpp), node and filter glyphs (graphic_paint.cpp). Painted once, kept.
#include <QString>

class TBitmap;
class TCanvas;

// "ZSGCHK01".."ZSGCHK08" / "ZSGRAD01".."ZSGRAD08" by look and state.
QString CheckGlyphName(bool Radio, bool XP, bool Checked, bool Enabled);
// Registers the node and filter glyphs.
void RegisterGraphicGlyphs();
// nullptr for a name nobody registered.
const TBitmap *CachedResourceBitmap(const QString &Name);
// Transparent (corner-pixel colour) at (X, Y).
void DrawResourceGlyph(TCanvas *Canvas, int X, int Y, const QString &Name);
