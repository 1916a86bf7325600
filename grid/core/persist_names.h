#pragma once
// Value names of the enumerations the visual-properties file writes by name and that have no
// name table elsewhere.
#include "framework/graphics/graphics.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/foundation/grid_enums.h"

template <>
struct TEnumNames<TBackGroundDisplay> {
  static constexpr std::array Names{"bdTile", "bdFixed", "bdGradientHorz", "bdGradientVert"};
  static_assert(Names.size() == std::size_t(bdGradientVert) + 1, "name table of TBackGroundDisplay out of step");
};

template <>
struct TEnumNames<TBackGroundCells> {
  static constexpr std::array Names{"bcNormal", "bcFixed", "bcAll"};
  static_assert(Names.size() == std::size_t(bcAll) + 1, "name table of TBackGroundCells out of step");
};

template <>
struct TEnumNames<TFontStyle> {
  static constexpr std::array Names{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
  static_assert(Names.size() == std::size_t(fsStrikeOut) + 1, "name table of TFontStyle out of step");
};
