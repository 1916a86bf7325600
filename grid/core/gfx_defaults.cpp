// The grid's settings objects and row state as the cell graphics and the auxiliary controls
// read them, with defaults where their owners come later.
#include "grid/core/zav_string_grid.h"

#include "grid/core/control_look.h"

int TZavStringGrid::GraphicCheckSize() { return FControlLook->CheckSize(); }
int TZavStringGrid::GraphicRadioSize() { return FControlLook->RadioSize(); }
bool TZavStringGrid::GraphicFlatControls() { return FControlLook->ControlStyle() == csFlat; }
TPoint TZavStringGrid::GraphicXYOffset() { return XYOffset(); }
