// Hidden-row lookups the real-row cell accessors use. Until rows can be hidden no row is
// hidden, so a real row is its display row.
#include "grid/core/zav_string_grid.h"

bool TZavStringGrid::IsHiddenRow(int) { return false; }
int TZavStringGrid::RealToDisplRow(int ARow) { return ARow; }
TStrings *TZavStringGrid::HiddenRowItems(int) { return nullptr; }
