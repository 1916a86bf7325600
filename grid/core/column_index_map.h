#pragma once
// The hidden columns of a grid: a flag and a remembered width per real index, and the mapping
// between real indexes (the cell store's) and display indexes (the inherited grid's). Real
// indexes 0 .. Capacity - 1 can be hidden; the mapping answers per cell (painting, hit tests,
// accessors), so it reads tables kept in step with the flags instead of scanning them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class TColumnIndexMap {
public:
  static constexpr int Capacity = 512;

  int HiddenCount() const { return FHidden; }
  bool IsHidden(int Real) const { return Real >= 0 && Real < Capacity && FHiddenFlag[std::size_t(Real)]; }
  // Real (inside the capacity, shown) is hidden with its display width remembered.
  void Hide(int Real, int Width);
  // Real (hidden) is shown again; answers its remembered width.
  int Show(int Real);
  // The remembered width of a real column inside the capacity (0 elsewhere).
  int Width(int Real) const { return Real >= 0 && Real < Capacity ? FWidths[std::size_t(Real)] : 0; }
  void SetWidth(int Real, int Width);

  // Indexes beyond the capacity, and every index while nothing is hidden, map to themselves.
  int RealToDispl(int Real) const;
  // A negative display index, or one past the mapped range, finds no column: 0.
  int DisplToReal(int Displ) const;

  // Real columns [First, First + Count) left: the later flags and widths move up, the freed
  // places at the end are shown with no width. Answers the hidden ones among those that left.
  int Removed(int First, int Count);
  // Count shown columns of Width came in at real index At; the later ones move along (those
  // pushed past the capacity are forgotten).
  void Inserted(int At, int Count, int Width);
  // Real column From taken out and put back at To, flag and width with it.
  void Moved(int From, int To);
  // The shown columns from display index Displ on left with a smaller display count: the hidden
  // columns after the first of them go too. Answers how many went.
  int DropAfterShown(int Displ);

private:
  void UpdateMap();

  std::array<bool, Capacity> FHiddenFlag{};
  std::array<int16_t, Capacity> FWidths{};
  int FHidden = 0;
  // Derived by UpdateMap: hidden columns before each real index and the real index of each
  // display index, both up to the last hidden column (past it the shift is constant, so hiding
  // or showing a column costs no pass over every mappable index).
  std::array<int16_t, Capacity> FHiddenBefore{};
  std::vector<int16_t> FShownCols;
};
