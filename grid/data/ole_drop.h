#pragma once
// The grid's drop target: what DragDropSettings lets in (text, files, addresses, rich text) is
// offered a copy while it is dragged over the grid. A drop takes nothing yet and answers no
// effect, so that a moving source never loses what it dragged.
#include "framework/controls/droptarget.h"

class TZavStringGrid;

class TGridDropTarget : public TDropTarget {
public:
  // AGrid: not owned.
  explicit TGridDropTarget(TZavStringGrid *AGrid) : FGrid(AGrid) {}
  void DragEnter(const TDropData &Data, TShiftState Shift, TPoint Pt, uint32_t &Effect) override;
  void DragOver(TShiftState Shift, TPoint Pt, uint32_t &Effect) override;
  void DragLeave() override;
  void Drop(const TDropData &Data, TShiftState Shift, TPoint Pt, uint32_t &Effect) override;
  // Whether the settings let the data in.
  bool Accepts(const TDropData &Data) const;

private:
  TZavStringGrid *FGrid;
  bool FAccepted = false;  // of the drag now over the grid
};
