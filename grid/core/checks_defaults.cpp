// Smallest bodies of node-row members the check boxes call; node rows come later.
#include "grid/core/zav_string_grid.h"

int TZavStringGrid::GetParentRow(int) { return -1; }
int TZavStringGrid::GetNodeSpan(int) { return -1; }
bool TZavStringGrid::GetNodeState(int) { return false; }
