// Smallest bodies of members that the find and search footer call and that topics built beside
// them define: nothing is scrolled, expanded or highlighted here.
#include "grid/core/zav_string_grid.h"

void TZavStringGrid::ScrollInView(int, int) {}
void TZavStringGrid::ExpandNode(int) {}
