#pragma once
// The hidden rows of a grid ordered by real row index, each with the record that holds it.
// The real/display mapping is a binary search here, however many rows are hidden.
#include <vector>

class TGridItem;

class TRowIndexMap {
public:
  struct TEntry {
    int Real;
    TGridItem *Item;  // not owned: the grid's hidden-row store owns it
  };

  int Count() const { return int(FEntries.size()); }
  bool Empty() const { return FEntries.empty(); }
  void Clear() { FEntries.clear(); }
  // Ascending by real index.
  const std::vector<TEntry> &Entries() const { return FEntries; }

  // Real must not be hidden yet.
  void Add(int Real, TGridItem *Item);
  // Many rows at once (any order, none hidden yet): one merge instead of one shift per row.
  void AddMany(std::vector<TEntry> Added);
  // Forgets every entry whose item the predicate picks; returns them, ascending.
  template <typename Pred>
  std::vector<TEntry> Extract(Pred Pick)
  {
    std::vector<TEntry> picked, kept;
    for (const TEntry &e : FEntries)
      (Pick(e) ? picked : kept).push_back(e);
    FEntries.swap(kept);
    return picked;
  }
  TGridItem *Find(int Real) const;
  bool Contains(int Real) const { return Find(Real) != nullptr; }
  // Hidden rows whose real index is below Real.
  int CountBelow(int Real) const;
  // The real index of the Displ-th shown row (Displ >= 0).
  int DisplToReal(int Displ) const;
  int RealToDispl(int Real) const { return Real - CountBelow(Real); }

  // Renumbering after shown rows left or came: the records' own indexes follow.
  // Count shown rows left, the first of them at real index FirstReal (hidden rows may lie between
  // them): each hidden row after FirstReal drops by the removed rows before it.
  void RowsRemoved(int FirstReal, int Count);
  // Count rows came in before real index AtReal: each hidden row from AtReal on rises by Count.
  void RowsInserted(int AtReal, int Count);
  // Real index Real after the removal RowsRemoved(FirstReal, Count) describes (this map as it was
  // before it); -1 for a shown row that left.
  int RealAfterRemoval(int Real, int FirstReal, int Count) const;

private:
  std::vector<TEntry> FEntries;
};
