#pragma once
// Enumerations shared by the base grid, the grid object, its editors and its column collection,
// with the name tables through which stored files write their values.
#include <QString>

#include <array>
#include <cstddef>

#include "framework/system/types.h"

// In-place editor kind of a cell or column.
enum class TEditorType {
  edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit,
  edDateEditUpDown, edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat,
  edCapital, edMixedCase, edPassword, edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit,
  edTimeSpinEdit, edDateSpinEdit, edNumericEditBtn, edFloatEditBtn, edCustom, edRichEdit, edNone,
  edDateTimeEdit, edValidChars, edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown,
  edTimePickerDropDown, edDetailDropDown, edGridDropDown, edColorPickerDropDown,
  edImagePickerDropDown, edZavGridDropDown, edPositiveFloat, edNumericUnitEditBtn,
  edFloatUnitEditBtn, edMaskEditBtn,
};
using enum TEditorType;

enum class TSortStyle {
  ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU,
  ssShortDateUS, ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML,
  ssImages, ssCheckBox, ssDateTime, ssTime, ssAlphaNumeric, ssAlphaNumericNoCase,
};
using enum TSortStyle;

enum class TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using enum TCellBorder;
using TCellBorders = TSet<TCellBorder>;

enum class TCellGradientDirection { GradientVertical, GradientHorizontal };
using enum TCellGradientDirection;

enum class TVAlignment { vtaTop, vtaCenter, vtaBottom };
using enum TVAlignment;

enum class TArrowDirection { arrUp, arrDown, arrLeft, arrRight };
using enum TArrowDirection;

enum class TZavGridButtonStyle { tasButton, tasCheck };
using enum TZavGridButtonStyle;

enum class TSearchDirection { sdTopBottom, sdLeftRight };
using enum TSearchDirection;

enum class THomeEndAction { heFirstLastColumn, heFirstLastRow, heFirstLastCell };
using enum THomeEndAction;

enum class TClipboardPasteAction { paReplace, paInsert };
using enum TClipboardPasteAction;

enum class TAdvanceDirection { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
using enum TAdvanceDirection;

enum class TInsertPosition { pInsertBefore, pInsertAfter };
using enum TInsertPosition;

enum class TCursorAdvance { caDefault, caSnake, caLoop };
using enum TCursorAdvance;

enum class TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
using enum TGridFixedCellEdit;

enum class TGridFixedCellEditor { fceEdit, fceComboEdit, fceComboList };
using enum TGridFixedCellEditor;

enum class TWheelAction { waMoveSelection, waScroll };
using enum TWheelAction;

// ---------------------------------------------------------------------------------------------
// Value names in ordinal order. Each table is checked against its enumeration's last value, so a
// value added to an enumeration without its name does not compile.

template <typename E>
struct TEnumNames;

#define QM_ENUM_NAMES(E, Last, ...)                                                               \
  template <>                                                                                     \
  struct TEnumNames<E> {                                                                          \
    static constexpr std::array Names{__VA_ARGS__};                                               \
    static_assert(Names.size() == std::size_t(Last) + 1, "name table of " #E " out of step");    \
  };

QM_ENUM_NAMES(TEditorType, edMaskEditBtn,
  "edNormal", "edSpinEdit", "edComboEdit", "edComboList", "edEditBtn", "edCheckBox", "edDateEdit",
  "edDateEditUpDown", "edTimeEdit", "edButton", "edDataCheckBox", "edNumeric", "edPositiveNumeric",
  "edFloat", "edCapital", "edMixedCase", "edPassword", "edUnitEditBtn", "edLowerCase",
  "edUpperCase", "edFloatSpinEdit", "edTimeSpinEdit", "edDateSpinEdit", "edNumericEditBtn",
  "edFloatEditBtn", "edCustom", "edRichEdit", "edNone", "edDateTimeEdit", "edValidChars",
  "edTrackbarDropDown", "edMemoDropDown", "edCalculatorDropDown", "edTimePickerDropDown",
  "edDetailDropDown", "edGridDropDown", "edColorPickerDropDown", "edImagePickerDropDown",
  "edZavGridDropDown", "edPositiveFloat", "edNumericUnitEditBtn", "edFloatUnitEditBtn",
  "edMaskEditBtn")
QM_ENUM_NAMES(TSortStyle, ssAlphaNumericNoCase,
  "ssAutomatic", "ssAlphabetic", "ssNumeric", "ssDate", "ssAlphaNoCase", "ssAlphaCase",
  "ssShortDateEU", "ssShortDateUS", "ssCustom", "ssFinancial", "ssAnsiAlphaCase",
  "ssAnsiAlphaNoCase", "ssRaw", "ssHTML", "ssImages", "ssCheckBox", "ssDateTime", "ssTime",
  "ssAlphaNumeric", "ssAlphaNumericNoCase")
QM_ENUM_NAMES(TCellBorder, cbBottom, "cbTop", "cbLeft", "cbRight", "cbBottom")
QM_ENUM_NAMES(TCellGradientDirection, GradientHorizontal, "GradientVertical", "GradientHorizontal")
QM_ENUM_NAMES(TVAlignment, vtaBottom, "vtaTop", "vtaCenter", "vtaBottom")
QM_ENUM_NAMES(TArrowDirection, arrRight, "arrUp", "arrDown", "arrLeft", "arrRight")
QM_ENUM_NAMES(TZavGridButtonStyle, tasCheck, "tasButton", "tasCheck")
QM_ENUM_NAMES(TSearchDirection, sdLeftRight, "sdTopBottom", "sdLeftRight")
QM_ENUM_NAMES(THomeEndAction, heFirstLastCell, "heFirstLastColumn", "heFirstLastRow", "heFirstLastCell")
QM_ENUM_NAMES(TClipboardPasteAction, paInsert, "paReplace", "paInsert")
QM_ENUM_NAMES(TAdvanceDirection, adTopBottomInCol,
  "adLeftRight", "adTopBottom", "adLeftRightInRow", "adTopBottomInCol")
QM_ENUM_NAMES(TInsertPosition, pInsertAfter, "pInsertBefore", "pInsertAfter")
QM_ENUM_NAMES(TCursorAdvance, caLoop, "caDefault", "caSnake", "caLoop")
QM_ENUM_NAMES(TGridFixedCellEdit, fceRightClick, "fceNone", "fceDblClick", "fceLeftClick", "fceRightClick")
QM_ENUM_NAMES(TGridFixedCellEditor, fceComboList, "fceEdit", "fceComboEdit", "fceComboList")
QM_ENUM_NAMES(TWheelAction, waScroll, "waMoveSelection", "waScroll")

#undef QM_ENUM_NAMES

// The name of a value; the empty text for an ordinal outside the enumeration.
template <typename E>
QString EnumToName(E Value)
{
  const auto &names = TEnumNames<E>::Names;
  const auto i = static_cast<std::size_t>(Value);
  return i < names.size() ? QString::fromLatin1(names[i]) : QString();
}

// The value of a name, compared without regard to case as the platform's name lookup does;
// False and Value unchanged for an unknown name.
template <typename E>
bool NameToEnum(const QString &Name, E &Value)
{
  const auto &names = TEnumNames<E>::Names;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (Name.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0) {
      Value = static_cast<E>(i);
      return true;
    }
  }
  return false;
}
