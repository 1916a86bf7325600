#pragma once
// Pictures the program draws itself: the main window's glyph buttons and the maker's logo.
#include "framework/graphics/graphics.h"

#include <memory>

enum class TMainGlyph { mgInfo, mgOptions, mgClose };

// A 32 x 32 glyph on the key colour clFuchsia in its corners (the button's transparent colour).
std::unique_ptr<TBitmap> Make_Main_Glyph(TMainGlyph Kind);
// The maker's logo, Size x Size.
std::unique_ptr<TBitmap> Make_Maker_Logo(int Size);
