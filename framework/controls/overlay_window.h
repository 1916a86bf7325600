#pragma once
// Overlay windows: small child widgets drawn above their siblings (a drop arrow, a focus frame)
// in place of separate top-level popups, which not every display server positions reliably.
#include "framework/controls/messages.h"
#include "framework/graphics/graphics.h"

#include <vector>

// Limits the window to the polygon (winding fill, window coordinates); empty clears it.
void OverlaySetPolygonRegion(HWND Wnd, const std::vector<TPoint> &Points);
// Limits the window to the region (window coordinates); an empty region clears the limit.
void OverlaySetRegion(HWND Wnd, const TRegion &Region);
// Mouse input passes through to what lies below.
void OverlaySetClickThrough(HWND Wnd, bool On);
// Lets pixels with alpha show what lies below; false where the window cannot be translucent
// (a native window without a compositor), and it then stays opaque.
bool OverlaySetTranslucent(HWND Wnd, bool On);
// Shows Picture (32 bits per pixel: premultiplied blue, green, red, alpha) from the window's
// top-left corner in place of its own painting, faded as a whole by Opacity (255 = as is). Where
// the window cannot be translucent the picture is composed over the parent window's colour.
// An empty or missing picture gives the window its own painting back. Answers whether the
// picture shows translucent.
bool OverlaySetPicture(HWND Wnd, const TBitmap *Picture, uint8_t Opacity);
// Keeps the window above its siblings.
void OverlayRaise(HWND Wnd);
