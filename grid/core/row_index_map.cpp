#include "grid/core/row_index_map.h"

#include <algorithm>

#include "grid/core/grid_helper_classes.h"

namespace {
bool ByReal(const TRowIndexMap::TEntry &a, const TRowIndexMap::TEntry &b) { return a.Real < b.Real; }
}  // namespace

void TRowIndexMap::Add(int Real, TGridItem *Item)
{
  const TEntry e{Real, Item};
  FEntries.insert(std::upper_bound(FEntries.begin(), FEntries.end(), e, ByReal), e);
}

void TRowIndexMap::AddMany(std::vector<TEntry> Added)
{
  std::sort(Added.begin(), Added.end(), ByReal);
  const auto mid = FEntries.size();
  FEntries.insert(FEntries.end(), Added.begin(), Added.end());
  std::inplace_merge(FEntries.begin(), FEntries.begin() + std::ptrdiff_t(mid), FEntries.end(), ByReal);
}

TGridItem *TRowIndexMap::Find(int Real) const
{
  auto it = std::lower_bound(FEntries.begin(), FEntries.end(), TEntry{Real, nullptr}, ByReal);
  return it != FEntries.end() && it->Real == Real ? it->Item : nullptr;
}

int TRowIndexMap::CountBelow(int Real) const
{
  return int(std::lower_bound(FEntries.begin(), FEntries.end(), TEntry{Real, nullptr}, ByReal) - FEntries.begin());
}

int TRowIndexMap::DisplToReal(int Displ) const
{
  // Before the i-th hidden row lie Real - i shown rows, a count that never falls as i grows:
  // the hidden rows before the wanted one are those with at most Displ shown rows before them.
  int lo = 0, hi = Count();
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (FEntries[size_t(mid)].Real - mid <= Displ)
      lo = mid + 1;
    else
      hi = mid;
  }
  return Displ + lo;
}

int TRowIndexMap::RealAfterRemoval(int Real, int FirstReal, int Count) const
{
  if (Real < FirstReal || Count <= 0)
    return Real;
  // Shown rows from FirstReal up to Real: the removed ones are the first Count of them.
  const int shownBefore = (Real - FirstReal) - (CountBelow(Real) - CountBelow(FirstReal));
  if (shownBefore < Count && !Contains(Real))
    return -1;
  return Real - std::min(shownBefore, Count);
}

void TRowIndexMap::RowsRemoved(int FirstReal, int Count)
{
  if (Count <= 0)
    return;
  const int first = CountBelow(FirstReal);
  for (int i = first; i < this->Count(); ++i) {
    TEntry &e = FEntries[size_t(i)];
    // The hidden rows between FirstReal and this one are i - first; the rest are shown.
    const int shownBefore = (e.Real - FirstReal) - (i - first);
    e.Real -= std::min(shownBefore, Count);
    e.Item->SetIdx(e.Real);
  }
}

void TRowIndexMap::RowsInserted(int AtReal, int Count)
{
  if (Count <= 0)
    return;
  for (int i = CountBelow(AtReal); i < this->Count(); ++i) {
    TEntry &e = FEntries[size_t(i)];
    e.Real += Count;
    e.Item->SetIdx(e.Real);
  }
}
