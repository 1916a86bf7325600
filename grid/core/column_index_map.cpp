#include "grid/core/column_index_map.h"

#include <algorithm>

void TColumnIndexMap::UpdateMap()
{
  FShownCols.clear();
  int16_t hidden = 0;
  for (int c = 0; c < Capacity && hidden < FHidden; ++c) {
    FHiddenBefore[size_t(c)] = hidden;
    if (FHiddenFlag[size_t(c)])
      ++hidden;
    else
      FShownCols.push_back(int16_t(c));
  }
}

void TColumnIndexMap::Hide(int Real, int Width)
{
  if (Real < 0 || Real >= Capacity || FHiddenFlag[size_t(Real)])
    return;
  FWidths[size_t(Real)] = int16_t(Width);
  FHiddenFlag[size_t(Real)] = true;
  ++FHidden;
  UpdateMap();
}

int TColumnIndexMap::Show(int Real)
{
  if (!IsHidden(Real))
    return Width(Real);
  FHiddenFlag[size_t(Real)] = false;
  --FHidden;
  UpdateMap();
  return FWidths[size_t(Real)];
}

void TColumnIndexMap::SetWidth(int Real, int Width)
{
  if (Real >= 0 && Real < Capacity)
    FWidths[size_t(Real)] = int16_t(Width);
}

int TColumnIndexMap::RealToDispl(int Real) const
{
  if (Real >= Capacity || FHidden == 0 || Real < 0)
    return Real;
  // The tables reach the last hidden column; every column after it has all of them before it.
  if (Real >= int(FShownCols.size()) + FHidden)
    return Real - FHidden;
  return Real - FHiddenBefore[size_t(Real)];
}

int TColumnIndexMap::DisplToReal(int Displ) const
{
  if (Displ >= Capacity || FHidden == 0)
    return Displ;
  if (Displ < 0)
    return 0;
  if (Displ < int(FShownCols.size()))
    return FShownCols[size_t(Displ)];
  const int real = Displ + FHidden;
  return real < Capacity ? real : 0;
}

int TColumnIndexMap::Removed(int First, int Count)
{
  if (First < 0 || Count <= 0 || First >= Capacity)
    return 0;
  const int n = std::min(Count, Capacity - First);
  const auto flags = FHiddenFlag.begin() + First;
  const int hidden = int(std::count(flags, flags + n, true));
  std::move(flags + n, FHiddenFlag.end(), flags);
  std::fill(FHiddenFlag.end() - n, FHiddenFlag.end(), false);
  const auto widths = FWidths.begin() + First;
  std::move(widths + n, FWidths.end(), widths);
  std::fill(FWidths.end() - n, FWidths.end(), int16_t(0));
  FHidden -= hidden;
  UpdateMap();
  return hidden;
}

void TColumnIndexMap::Inserted(int At, int Count, int Width)
{
  if (At < 0 || Count <= 0 || At >= Capacity)
    return;
  const int n = std::min(Count, Capacity - At);
  // Columns pushed past the capacity can no longer be hidden: they count as shown.
  FHidden -= int(std::count(FHiddenFlag.end() - n, FHiddenFlag.end(), true));
  std::move_backward(FHiddenFlag.begin() + At, FHiddenFlag.end() - n, FHiddenFlag.end());
  std::fill(FHiddenFlag.begin() + At, FHiddenFlag.begin() + At + n, false);
  std::move_backward(FWidths.begin() + At, FWidths.end() - n, FWidths.end());
  std::fill(FWidths.begin() + At, FWidths.begin() + At + n, int16_t(Width));
  UpdateMap();
}

void TColumnIndexMap::Moved(int From, int To)
{
  if (From < 0 || To < 0 || std::max(From, To) >= Capacity || From == To)
    return;
  auto rotate = [From, To](auto Begin) {
    if (From < To)
      std::rotate(Begin + From, Begin + From + 1, Begin + To + 1);
    else
      std::rotate(Begin + To, Begin + From, Begin + From + 1);
  };
  rotate(FHiddenFlag.begin());
  rotate(FWidths.begin());
  UpdateMap();
}

int TColumnIndexMap::DropAfterShown(int Displ)
{
  if (FHidden == 0 || Displ < 0)
    return 0;
  // The shown column with display index Displ; nothing goes when it lies past the capacity.
  int shown = 0, cut = 0;
  for (; cut < Capacity; ++cut)
    if (!FHiddenFlag[size_t(cut)] && shown++ == Displ)
      break;
  int dropped = 0;
  for (int c = cut + 1; c < Capacity; ++c)
    if (FHiddenFlag[size_t(c)]) {
      FHiddenFlag[size_t(c)] = false;
      ++dropped;
    }
  FHidden -= dropped;
  if (dropped > 0)
    UpdateMap();
  return dropped;
}
