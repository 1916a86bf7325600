#pragma once
// Undo and redo of a grid's cell text changes. The grid registers every committed change; a
// multi-cell operation brackets its changes with StartSequence and StopSequence so that one
// Undo reverts all of them.
#include <QString>

#include <functional>

#include "framework/classes/classes.h"

class TBaseGrid;

// One change (text after and before it) or, with a flag set, a sequence marker (column and row
// -1, empty texts).
class TUndoRedoItem : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;

  QString Value() const { return FValue; }
  void SetValue(const QString &v) { FValue = v; }
  QString OrigValue() const { return FOrigValue; }
  void SetOrigValue(const QString &v) { FOrigValue = v; }
  int Col() const { return FCol; }
  void SetCol(int v) { FCol = v; }
  int Row() const { return FRow; }
  void SetRow(int v) { FRow = v; }
  bool SequenceStart() const { return FSequenceStart; }
  void SetSequenceStart(bool v) { FSequenceStart = v; }
  bool SequenceStop() const { return FSequenceStop; }
  void SetSequenceStop(bool v) { FSequenceStop = v; }
  bool IsMarker() const { return FSequenceStart || FSequenceStop; }

private:
  int FRow = 0;
  int FCol = 0;
  QString FValue;
  QString FOrigValue;
  bool FSequenceStart = false;
  bool FSequenceStop = false;
};

class TUndoRedoCollection : public TCollection {
public:
  TUndoRedoCollection() : TCollection(ItemClass<TUndoRedoItem>()) {}
  TUndoRedoItem *Items(int Index) const { return static_cast<TUndoRedoItem *>(TCollection::Items(Index)); }
  TUndoRedoItem *Add() { return static_cast<TUndoRedoItem *>(TCollection::Add()); }
};

using TZavGridUndoRedoEvent = std::function<void(TObject *Sender, TBaseGrid *Grid, int Col, int Row,
                                                 const QString &OrigValue, const QString &NewValue)>;

class TZavGridUndoRedo : public TComponent {
public:
  explicit TZavGridUndoRedo(TComponent *AOwner);
  ~TZavGridUndoRedo() override;

  virtual void RegisterChange(int ACol, int ARow, const QString &OldValue, const QString &NewValue);
  virtual void StartSequence();
  virtual void StopSequence();
  void Undo();
  void Redo();
  // Forgets every change.
  void Reset();
  bool CanUndo() const { return FLevel > 0; }
  bool CanRedo() const { return FLevel < FItems->Count(); }

  // Number of items currently applied: the item at Level - 1 is the next to undo, the one at
  // Level the next to redo.
  int Level() const { return FLevel; }
  TUndoRedoCollection *Items() const { return FItems; }
  TBaseGrid *Grid() const { return FGrid; }
  // Links the grid (not owned); the grid's UndoRedo writer calls it.
  void SetGrid(TBaseGrid *Value);
  // 0: unlimited.
  int MaxLevel() const { return FMaxLevel; }
  void SetMaxLevel(int Value) { FMaxLevel = Value; }

  TZavGridUndoRedoEvent OnUndo;
  TZavGridUndoRedoEvent OnRedo;

protected:
  void Notification(TComponent *AComponent, TOperation Operation) override;

private:
  void AddMarker(bool Start);
  TUndoRedoItem *Item(int Index) const { return FItems->Items(Index); }
  // Write the item's text before (Restore) or after (Reapply) the change into the grid and move
  // to its cell; markers are no change and are passed over.
  void Restore(TUndoRedoItem *Item);
  void Reapply(TUndoRedoItem *Item);
  void PutText(TUndoRedoItem *Item, const QString &Text, const TZavGridUndoRedoEvent &Event);

  TUndoRedoCollection *FItems;
  TBaseGrid *FGrid = nullptr;
  int FLevel = 0;
  int FMaxLevel = 0;
};
