#include "grid/core/zav_string_grid.h"

TZavStringGrid::TZavStringGrid(TComponent *AOwner) : TBaseGrid(AOwner) {}

TZavStringGrid::~TZavStringGrid() = default;
