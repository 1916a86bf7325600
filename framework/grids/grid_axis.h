#pragma once
// Geometry of one grid axis (columns across or rows down): where each cell starts on
// screen, which cells are visible and fully visible, and which cell a pixel belongs to.
// Pure arithmetic over the extents, so the grid's hit tests, painting and scrolling
// all agree on one layout.
#include <vector>

struct TGridAxisDrawInfo {
  int EffectiveLineWidth = 0;   // grid line drawn after every cell
  int FixedBoundary = 0;        // first pixel after the fixed cells and their lines
  int GridBoundary = 0;         // first pixel after the last drawn cell, at most GridExtent
  int GridExtent = 0;           // client extent of the axis
  int LastFullVisibleCell = 0;  // last scrollable cell that shows whole (at least FirstGridCell)
  int FullVisBoundary = 0;      // first pixel after LastFullVisibleCell's line
  int FixedCellCount = 0;
  int FirstGridCell = 0;        // LeftCol or TopRow
  int GridCellCount = 0;        // ColCount or RowCount
  const std::vector<int> *Extents = nullptr;  // not owned: the grid's widths or heights
  int DefaultExtent = 0;

  // Inline: every geometry walk (draw info, line positions, hit tests) calls it per cell.
  int GetExtent(int index) const
  {
    if (Extents && index >= 0 && index < int(Extents->size()))
      return (*Extents)[std::size_t(index)];
    return DefaultExtent;
  }

  // Fills the boundaries from the counts, the extents and the client extent.
  void Calc(int clientExtent);

  // Screen position of a cell's first pixel, or -1 when it is not on screen (scrolled
  // out to the front, or beyond the client extent).
  int LinePos(int index) const;
  // Screen position of a cell even when it is scrolled out (negative before the fixed
  // area or beyond the client extent).
  int VirtualPos(int index) const;
  // The cell a pixel belongs to (a cell owns its trailing grid line); -1 beyond the
  // last cell or outside the client extent.
  int CellAt(int pos) const;
  // Fully visible scrollable cells (at least one).
  int VisibleCount() const { return LastFullVisibleCell - FirstGridCell + 1; }
  // Smallest first cell that still fills the client extent from there to the end.
  int MaxFirstCell() const;
  // Smallest first cell with which Index shows whole (Index itself when it cannot).
  int FirstCellShowing(int Index) const;
};
