#include "grid/data/ole_drop.h"

#include "grid/core/feature_settings.h"
#include "grid/core/zav_string_grid.h"

bool TGridDropTarget::Accepts(const TDropData &Data) const
{
  const TDragDropSettings *s = FGrid->DragDropSettings();
  return (s->OleAcceptText() && Data.HasText) || (s->OleAcceptFiles() && !Data.Files.isEmpty()) ||
         (s->OleAcceptURLs() && !Data.URLs.isEmpty()) || (s->OleDropRTF() && Data.HasRTF());
}

void TGridDropTarget::DragEnter(const TDropData &Data, TShiftState Shift, TPoint Pt, uint32_t &Effect)
{
  FAccepted = Accepts(Data);
  DragOver(Shift, Pt, Effect);
}

void TGridDropTarget::DragOver(TShiftState, TPoint, uint32_t &Effect)
{
  Effect = FAccepted ? Effect & DROPEFFECT_COPY : DROPEFFECT_NONE;
}

void TGridDropTarget::DragLeave() { FAccepted = false; }

void TGridDropTarget::Drop(const TDropData &, TShiftState, TPoint, uint32_t &Effect)
{
  FAccepted = false;
  Effect = DROPEFFECT_NONE;
}
