#pragma once
// Enumerations of the string grid's own published properties, with the name tables stored files
// use (a value added without its name does not compile).
#include <QString>

#include <array>
#include <cstddef>

#include "grid/foundation/grid_enums.h"

enum class TGridLook {
  glStandard, glSoft, glClassic, glZAV, glXP, glListView, glVista, glWin7, glOffice2007, glCustom
};
using enum TGridLook;

// The last clipboard operation, told to a paste of the grid's own cells.
enum class TClipOperation { coCut, coCopy };
using enum TClipOperation;

enum class TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
using enum TScrollType;

enum class TScrollBarAlways { saNone, saVert, saHorz, saBoth };
using enum TScrollBarAlways;

enum class TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
using enum TScrollHintType;

enum class TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
using enum TIntelliPan;

enum class TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
using enum TInvalidEntryIcon;

enum class THoverFixedCells { hfNone, hfFixedRows, hfFixedColumns, hfAll };
using enum THoverFixedCells;

// Where a hint for text wider than its cell shows; the hint code places it at the cell.
enum class THintShowLargeTextPos { hpCell };
using enum THintShowLargeTextPos;

enum class TFilterDropDownColumns { fdNormal, fdAll };
using enum TFilterDropDownColumns;

enum class TMouseSelectMode { msNormal, msColumn, msRow, msAll, msURL, msResize };
using enum TMouseSelectMode;

enum class TSearchAction { saFindFirst, saFindNext, saFindPrevious };
using enum TSearchAction;

// Drag-scroll directions as their bit values (dsdUp 1, dsdDown 2, dsdLeft 4, dsdRight 8).
enum class TDragScrollDirectionItem { dsdUp, dsdDown, dsdLeft, dsdRight };
using enum TDragScrollDirectionItem;
using TDragScrollDirection = TSet<TDragScrollDirectionItem>;

#define QM_CORE_ENUM_NAMES(E, Last, ...)                                                          \
  template <>                                                                                     \
  struct TEnumNames<E> {                                                                          \
    static constexpr std::array Names{__VA_ARGS__};                                               \
    static_assert(Names.size() == std::size_t(Last) + 1, "name table of " #E " out of step");    \
  };

QM_CORE_ENUM_NAMES(TGridLook, glCustom, "glStandard", "glSoft", "glClassic", "glZAV", "glXP",
  "glListView", "glVista", "glWin7", "glOffice2007", "glCustom")
QM_CORE_ENUM_NAMES(TScrollType, ssMetro, "ssNormal", "ssFlat", "ssEncarta", "ssMetro")
QM_CORE_ENUM_NAMES(TScrollBarAlways, saBoth, "saNone", "saVert", "saHorz", "saBoth")
QM_CORE_ENUM_NAMES(TScrollHintType, shBoth, "shNone", "shVertical", "shHorizontal", "shBoth")
QM_CORE_ENUM_NAMES(TIntelliPan, ipNone, "ipVertical", "ipHorizontal", "ipBoth", "ipNone")
QM_CORE_ENUM_NAMES(TInvalidEntryIcon, ieError, "ieNone", "ieInfo", "ieWarning", "ieError")
QM_CORE_ENUM_NAMES(THoverFixedCells, hfAll, "hfNone", "hfFixedRows", "hfFixedColumns", "hfAll")
QM_CORE_ENUM_NAMES(THintShowLargeTextPos, hpCell, "hpCell")
QM_CORE_ENUM_NAMES(TFilterDropDownColumns, fdAll, "fdNormal", "fdAll")
QM_CORE_ENUM_NAMES(TMouseSelectMode, msResize, "msNormal", "msColumn", "msRow", "msAll", "msURL",
  "msResize")
QM_CORE_ENUM_NAMES(TSearchAction, saFindPrevious, "saFindFirst", "saFindNext", "saFindPrevious")

#undef QM_CORE_ENUM_NAMES
