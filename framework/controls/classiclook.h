#pragma once
// The fixed classic look of the native Qt widgets behind the standard controls and of the
// windows' own scroll bars: one shared "Windows" style and palettes made from the framework's
// system colour table, so that pictures are the same on every machine.
#include "framework/graphics/graphics.h"

class QWidget;
class QStyle;
class QPalette;

// The shared classic style (a QStyle the application owns; never deleted by a widget).
QStyle *ClassicStyle();

// Palette of a native control: Base is the control's colour, Text its font colour; the
// other roles come from the system colour table.
QPalette ClassicPalette(TColor Color, TColor FontColor);

// Applies style, palette and font to a native widget and its native children.
void ApplyClassicLook(QWidget *Widget, TColor Color, const TFont *Font);
