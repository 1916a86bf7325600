#include "grid/foundation/undo.h"

#include "grid/foundation/base_grid.h"

TZavGridUndoRedo::TZavGridUndoRedo(TComponent *AOwner) : TComponent(AOwner), FItems(new TUndoRedoCollection)
{
}

TZavGridUndoRedo::~TZavGridUndoRedo()
{
  delete FItems;
}

void TZavGridUndoRedo::SetGrid(TBaseGrid *Value)
{
  // Notifications are mutual here and are kept once asked for: the grid may still point at
  // this component after it is unlinked.
  FGrid = Value;
  if (FGrid)
    FGrid->FreeNotification(this);
}

void TZavGridUndoRedo::Notification(TComponent *AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FGrid)
    FGrid = nullptr;
}

void TZavGridUndoRedo::RegisterChange(int ACol, int ARow, const QString &OldValue, const QString &NewValue)
{
  if (FMaxLevel > 0 && FItems->Count() >= FMaxLevel)
    FItems->Delete(0);
  // Undone changes stay in the list; the new one goes behind them.
  TUndoRedoItem *item = FItems->Add();
  item->SetCol(ACol);
  item->SetRow(ARow);
  item->SetValue(NewValue);
  item->SetOrigValue(OldValue);
  FLevel = FItems->Count();
}

void TZavGridUndoRedo::AddMarker(bool Start)
{
  TUndoRedoItem *item = FItems->Add();
  item->SetCol(-1);
  item->SetRow(-1);
  item->SetSequenceStart(Start);
  item->SetSequenceStop(!Start);
  FLevel = FItems->Count();
}

void TZavGridUndoRedo::StartSequence() { AddMarker(true); }
void TZavGridUndoRedo::StopSequence() { AddMarker(false); }

void TZavGridUndoRedo::PutText(TUndoRedoItem *Item, const QString &Text, const TZavGridUndoRedoEvent &Event)
{
  if (Item->IsMarker())
    return;
  if (Event)
    Event(this, FGrid, Item->Col(), Item->Row(), FGrid->Cells(Item->Col(), Item->Row()), Text);
  FGrid->SetCells(Item->Col(), Item->Row(), Text);
  FGrid->SetCol(FGrid->DisplColIndex(Item->Col()));
  FGrid->SetRow(Item->Row());
}

void TZavGridUndoRedo::Restore(TUndoRedoItem *Item) { PutText(Item, Item->OrigValue(), OnUndo); }
void TZavGridUndoRedo::Reapply(TUndoRedoItem *Item) { PutText(Item, Item->Value(), OnRedo); }

void TZavGridUndoRedo::Undo()
{
  if (!FGrid || FLevel <= 0 || FLevel > FItems->Count())
    return;
  if (Item(FLevel - 1)->SequenceStop()) {
    --FLevel;
    while (FLevel > 0 && !Item(FLevel - 1)->SequenceStart()) {
      Restore(Item(FLevel - 1));
      --FLevel;
    }
    if (FLevel > 0)
      --FLevel;  // the start marker
    FGrid->Invalidate();
    return;
  }
  TUndoRedoItem *item = Item(FLevel - 1);
  Restore(item);
  if (!item->IsMarker())
    FGrid->RepaintCell(FGrid->Col(), item->Row());
  --FLevel;
}

void TZavGridUndoRedo::Redo()
{
  if (!FGrid || FLevel < 0 || FLevel >= FItems->Count())
    return;
  ++FLevel;
  if (Item(FLevel - 1)->SequenceStart()) {
    ++FLevel;
    // A sequence never stopped ends at the last item.
    while (FLevel <= FItems->Count() && !Item(FLevel - 1)->SequenceStop()) {
      Reapply(Item(FLevel - 1));
      ++FLevel;
    }
    if (FLevel > FItems->Count())
      FLevel = FItems->Count();
    FGrid->Invalidate();
    return;
  }
  Reapply(Item(FLevel - 1));
}

void TZavGridUndoRedo::Reset()
{
  FItems->Clear();
  FLevel = 0;
}
