#include "grid/core/row_index_map.h"

#include <algorithm>

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
