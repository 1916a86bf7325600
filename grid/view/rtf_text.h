#pragma once
// Rich-text cells: an RTF document drawn and measured with its own fonts, sizes, styles and
// colours over the canvas font.
#include <QString>

#include "framework/graphics/graphics.h"

// Plain text of an RTF document, paragraphs separated by CR LF. Text that is no RTF comes back
// as it is.
QString RTFToPlainText(const QString &RTF);
// Draws the document word-wrapped into R; Color other than clNone overrides the text colours.
void RenderRTFText(TCanvas *Canvas, const QString &RTF, const TRect &R, TColor Color);
// Size of the laid-out document; without word wrap lines end only at paragraph ends.
TSize MeasureRTFText(TCanvas *Canvas, const QString &RTF, int Width, bool WordWrap);
