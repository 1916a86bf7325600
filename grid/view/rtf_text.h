#pragma once
// Rich-text cells: the text of an RTF document (paragraphs and characters; the destinations
// that carry no text, such as font and colour tables, are skipped), drawn wrapped in a rectangle.
#include <QString>

#include "framework/graphics/graphics.h"

// Plain text of an RTF document, paragraphs separated by CR LF. Text that is no RTF comes back
// as it is.
QString RTFToPlainText(const QString &RTF);
// Draws the document's text word-wrapped into R in the canvas font; Color clNone keeps the
// canvas font colour.
void RenderRTFText(TCanvas *Canvas, const QString &RTF, const TRect &R, TColor Color);
