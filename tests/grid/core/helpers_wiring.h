#pragma once
// Places the sub-objects the grid's constructor will create, for the tests of the helper
// classes, the footer and the feature settings.
#include "grid/core/zav_string_grid.h"

struct THelpersWiring {
  static void SetEditCellText(TZavStringGrid *G, const QString &S) { G->FEditCellText = S; }
  static void SetLastValidation(TZavStringGrid *G, int V) { G->FLastValidation = V; }
  static bool HasGridControlWndProc(TZavStringGrid *G) { return bool(G->FGridControlWndProc); }
};
