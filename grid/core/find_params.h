#pragma once
// The options of a find in the grid's cells; a set of them travels as a 16-bit word, bit n
// standing for value n.
#include <cstdint>

#include "framework/system/types.h"

enum class TFindParameters {
  fnMatchCase,
  fnMatchFull,
  fnMatchRegular,
  fnDirectionLeftRight,
  fnMatchStart,
  fnFindInCurrentRow,
  fnFindInCurrentCol,
  fnIncludeFixed,
  fnAutoGoto,
  fnIgnoreHTMLTags,
  fnBackward,
  fnIncludeHiddenColumns,
  fnFindInPresetCol,
  fnFindInPresetRow,
  fnSelectedCells,
  fnIncludeHiddenRows
};
using enum TFindParameters;
using TFindParams = TSet<TFindParameters>;

inline uint16_t FindParamsToWord(TFindParams P) { return uint16_t(P.Bits()); }
inline TFindParams FindParamsFromWord(uint16_t W) { return TFindParams::FromBits(W); }
