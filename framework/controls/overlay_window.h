#pragma once
// Overlay windows: small child widgets drawn above their siblings (a drop arrow, a focus frame)
// in place of separate top-level popups, which not every display server positions reliably.
#include "framework/controls/messages.h"
#include "framework/graphics/graphics.h"

#include <vector>

// Limits the window to the polygon (winding fill, window coordinates); empty clears it.
void OverlaySetPolygonRegion(HWND Wnd, const std::vector<TPoint> &Points);
// Mouse input passes through to what lies below.
void OverlaySetClickThrough(HWND Wnd, bool On);
// Lets pixels with alpha show what lies below; false where the window cannot be translucent
// (a native window without a compositor), and it then stays opaque.
bool OverlaySetTranslucent(HWND Wnd, bool On);
// Keeps the window above its siblings.
void OverlayRaise(HWND Wnd);
