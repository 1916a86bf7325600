#pragma once
// Value types of the string grid: cell coordinates, inclusive cell rectangles, draw
// states, options and interaction states.
#include "framework/system/types.h"

struct TGridCoord {
  int X = 0;
  int Y = 0;
  constexpr TGridCoord() = default;
  constexpr TGridCoord(int x, int y) : X(x), Y(y) {}
  friend constexpr bool operator==(const TGridCoord &, const TGridCoord &) = default;
};

// Both corners are inclusive: (1, 1, 1, 1) is one cell.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  constexpr TGridRect() = default;
  constexpr TGridRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
  constexpr TGridCoord TopLeft() const { return {Left, Top}; }
  constexpr TGridCoord BottomRight() const { return {Right, Bottom}; }
  friend constexpr bool operator==(const TGridRect &, const TGridRect &) = default;
};

// Tested by bit by the painters: gdSelected = 1, gdFocused = 2, gdFixed = 4.
enum class TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem>;
constexpr TGridDrawStateItem gdSelected = TGridDrawStateItem::gdSelected;
constexpr TGridDrawStateItem gdFocused = TGridDrawStateItem::gdFocused;
constexpr TGridDrawStateItem gdFixed = TGridDrawStateItem::gdFixed;

enum class TGridOption {
  goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
  goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
  goAlwaysShowEditor, goThumbTracking
};
using TGridOptions = TSet<TGridOption>;
constexpr TGridOption goFixedVertLine = TGridOption::goFixedVertLine;
constexpr TGridOption goFixedHorzLine = TGridOption::goFixedHorzLine;
constexpr TGridOption goVertLine = TGridOption::goVertLine;
constexpr TGridOption goHorzLine = TGridOption::goHorzLine;
constexpr TGridOption goRangeSelect = TGridOption::goRangeSelect;
constexpr TGridOption goDrawFocusSelected = TGridOption::goDrawFocusSelected;
constexpr TGridOption goRowSizing = TGridOption::goRowSizing;
constexpr TGridOption goColSizing = TGridOption::goColSizing;
constexpr TGridOption goRowMoving = TGridOption::goRowMoving;
constexpr TGridOption goColMoving = TGridOption::goColMoving;
constexpr TGridOption goEditing = TGridOption::goEditing;
constexpr TGridOption goTabs = TGridOption::goTabs;
constexpr TGridOption goRowSelect = TGridOption::goRowSelect;
constexpr TGridOption goAlwaysShowEditor = TGridOption::goAlwaysShowEditor;
constexpr TGridOption goThumbTracking = TGridOption::goThumbTracking;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

// Which end of the grid a sizing line belongs to (the fixed area or the scrolled one).
struct TGridSizingInfo {
  int FixedBoundary = 0;
  int GridBoundary = 0;
};
