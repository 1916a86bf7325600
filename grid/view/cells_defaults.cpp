// Opening the editor on the current cell, in its plainest form until the edit flow exists.
#include "grid/core/zav_string_grid.h"

void TZavStringGrid::ShowInplaceEdit() { ShowEditor(); }
