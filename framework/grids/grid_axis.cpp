#include "framework/grids/grid_axis.h"

#include <cstddef>

void TGridAxisDrawInfo::Calc(int clientExtent)
{
  GridExtent = clientExtent;
  FixedBoundary = 0;
  for (int i = 0; i < FixedCellCount && i < GridCellCount; ++i)
    FixedBoundary += GetExtent(i) + EffectiveLineWidth;
  GridBoundary = FixedBoundary;
  FullVisBoundary = FixedBoundary;
  LastFullVisibleCell = FirstGridCell;
  for (int i = FirstGridCell; i < GridCellCount; ++i) {
    GridBoundary += GetExtent(i) + EffectiveLineWidth;
    // A cell whose trailing line is cut off still counts as fully visible.
    if (GridBoundary > GridExtent + EffectiveLineWidth) {
      GridBoundary = GridExtent;
      break;
    }
    LastFullVisibleCell = i;
    FullVisBoundary = GridBoundary;
  }
  if (GridBoundary > GridExtent)
    GridBoundary = GridExtent;
}

int TGridAxisDrawInfo::VirtualPos(int index) const
{
  if (index < FixedCellCount) {
    int pos = 0;
    for (int i = 0; i < index; ++i)
      pos += GetExtent(i) + EffectiveLineWidth;
    return pos;
  }
  int pos = FixedBoundary;
  if (index >= FirstGridCell) {
    for (int i = FirstGridCell; i < index; ++i)
      pos += GetExtent(i) + EffectiveLineWidth;
  } else {
    for (int i = index; i < FirstGridCell; ++i)
      pos -= GetExtent(i) + EffectiveLineWidth;
  }
  return pos;
}

int TGridAxisDrawInfo::LinePos(int index) const
{
  if (index < 0 || index >= GridCellCount)
    return -1;
  if (index >= FixedCellCount && index < FirstGridCell)
    return -1;
  int pos = 0;
  if (index < FixedCellCount) {
    for (int i = 0; i < index; ++i)
      pos += GetExtent(i) + EffectiveLineWidth;
  } else {
    pos = FixedBoundary;
    for (int i = FirstGridCell; i < index; ++i) {
      pos += GetExtent(i) + EffectiveLineWidth;
      if (pos >= GridExtent)
        return -1;
    }
  }
  return pos < GridExtent ? pos : -1;
}

int TGridAxisDrawInfo::CellAt(int pos) const
{
  if (pos < 0 || pos >= GridExtent)
    return -1;
  int start = 0;
  if (pos < FixedBoundary) {
    for (int i = 0; i < FixedCellCount && i < GridCellCount; ++i) {
      start += GetExtent(i) + EffectiveLineWidth;
      if (pos < start)
        return i;
    }
    return -1;
  }
  start = FixedBoundary;
  for (int i = FirstGridCell; i < GridCellCount; ++i) {
    start += GetExtent(i) + EffectiveLineWidth;
    if (pos < start)
      return i;
    if (start >= GridExtent)
      break;
  }
  return -1;
}

int TGridAxisDrawInfo::MaxFirstCell() const
{
  int result = GridCellCount - 1;
  if (result < FixedCellCount)
    return FixedCellCount;
  int line = GridExtent + EffectiveLineWidth;  // the last trailing line may be cut off
  for (int i = GridCellCount - 1; i >= FixedCellCount; --i) {
    line -= GetExtent(i) + EffectiveLineWidth;
    if (line < FixedBoundary)
      break;
    result = i;
  }
  return result;
}

int TGridAxisDrawInfo::FirstCellShowing(int Index) const
{
  int result = Index;
  int line = GridExtent + EffectiveLineWidth;
  for (int i = Index; i >= FixedCellCount; --i) {
    line -= GetExtent(i) + EffectiveLineWidth;
    if (line < FixedBoundary)
      break;
    result = i;
  }
  return result;
}
