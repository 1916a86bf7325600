// The grid's sorting comes with its data operations; until then the rows keep their order.
#include "grid/core/zav_string_grid.h"

void TZavStringGrid::QSort() {}

void TZavStringGrid::QSortIndexed() {}
