#pragma once
// The one renderer of cell mark-up: lays a text of HTML-like tags out in a rectangle and
// paints it, measures it, or answers which anchor or embedded control lies under a point.
#include "framework/controls/messages.h"
#include "framework/graphics/graphics.h"
#include "grid/foundation/pictures.h"

#include <QString>

// Reading order of the caller (0 left to right, 1 right to left, others mixed). Alignment
// is mirrored only on Middle-East system locales, which this platform does not report.
using TMarkupReadingOrder = int;

// Returns true when the mouse lies over an anchor's text, an anchored picture or a control.
bool RenderHTMLText(TCanvas *Canvas, const QString &Text, const TRect &Rect, TImageList *Images,
                    int MouseX, int MouseY, int FocusLink, int HoverLink, int ShadowOffset,
                    bool HitTestOnly, bool MeasureOnly, bool Printing, bool Selected, bool BlinkOn,
                    bool HoverOnly, bool WordWrap, bool MouseDown, double PrintScale,
                    TColor URLColor, TColor HoverColor, TColor HoverFontColor, TColor ShadowColor,
                    QString &Anchor, QString &PlainText, QString &FocusAnchor, QString &AnchorTitle,
                    int &Width, int &Height, int &AnchorCount, int &MouseAnchor, TRect &AnchorRect,
                    TRect &ControlRect, QString &ControlID, QString &ControlValue, QString &ControlType,
                    THTMLPictureCache *PictureCache, TPictureContainer *Pictures, HWND Window,
                    TMarkupReadingOrder ReadingOrder);

// Colours "<HI>" paints with (defaults: system highlight and highlight text).
void SetHTMLHighlightColors(TColor Background, TColor Text);

TColor HTMLColorByName(const QString &Name);
// "#RRGGBB"; anything shorter, or with a non-hexadecimal digit, gives black.
TColor HTMLColorByHex(const QString &Text);
