#pragma once
// The system's string grid: the base grid plus its settings objects, events, hidden columns and
// rows, check boxes, cell graphics and everything the table forms edit with. One class declared
// here and defined by topic across grid/core, grid/view and grid/data.
#include <QString>

#include <memory>

#include "grid/foundation/base_grid.h"
#include "grid/foundation/grid_enums.h"
#include "grid/foundation/grid_events.h"

class TZavStringGrid : public TBaseGrid {
public:
  explicit TZavStringGrid(TComponent *AOwner);
  ~TZavStringGrid() override;

  // --- object: construction, defaults, owned sub-objects, published properties ---

  // --- events and their dispatchers ---

  // --- update lock, grid timer, window messages ---

  // --- window lifecycle and settings copy ---

  // --- used by the settings classes, look settings and sort settings ---

  // --- used by the helper classes, footer and feature settings ---

  // --- used by the cell graphic object and the auxiliary controls ---

protected:
  // --- object (protected) ---

  // --- events (protected dispatchers) ---

  // --- update lock, timer, messages (protected) ---

  // --- window lifecycle (protected) ---

private:
  // --- object (fields) ---

  // --- events (fields) ---

  // --- update lock, timer, messages (fields) ---

  // --- window lifecycle (fields) ---

  // --- settings classes (fields) ---

  // --- helper classes, footer, feature settings (fields) ---

  // --- cell graphic, auxiliary controls (fields) ---
};
